#pragma once
// What the route rules ask of the route manager.
class RouteManagerView {
public:
    virtual ~RouteManagerView() = default;
    virtual void fillTreeView() = 0;
    virtual void synchronizeOverview() = 0;
    // Reloads the data of the height-profile chart DBChart1.
    virtual void refreshChart() = 0;
};
