#pragma once
// What the best-time rules ask of the best-time manager. While it exists, a saved best time is
// applauded.
class BestTimeManagerView {
public:
    virtual ~BestTimeManagerView() = default;
    virtual void fillTreeView() = 0;
    virtual void synchronizeOverview() = 0;
};
