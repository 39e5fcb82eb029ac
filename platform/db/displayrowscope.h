#pragma once
// Reading the visible rows of a dataset one by one without moving it: while a scope lives the
// caller may point the fields at other rows with SetDisplayRow; when it ends, also through an
// exception or an early return, they read the current record again.
#include "platform/db/dataset.h"

class TDisplayRowScope {
public:
    explicit TDisplayRowScope(TDataSet* ds) : ds_(ds) {}
    ~TDisplayRowScope() { ds_->SetDisplayRow(-1); }
    TDisplayRowScope(const TDisplayRowScope&) = delete;
    TDisplayRowScope& operator=(const TDisplayRowScope&) = delete;

private:
    TDataSet* ds_;
};
