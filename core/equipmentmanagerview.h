#pragma once
// What the equipment rules ask of the equipment manager.
class EquipmentManagerView {
public:
    virtual ~EquipmentManagerView() = default;
    virtual void fillTreeView() = 0;
    virtual void showUsage() = 0;
    virtual void synchronizeOverview() = 0;
};
