#pragma once
// What the block rules ask of the block manager.
#include <QString>

class BlockManagerView {
public:
    virtual ~BlockManagerView() = default;
    virtual void UpdateListView() = 0;
    // The block's totals: Edit1 (distance) and Edit2 (time).
    virtual void setTotals(const QString& distance, const QString& time) = 0;
};
