#pragma once
// What the unit rules ask of the equipment tool frame (TtoolEqFrm) beside the unit page.
class QObject;

class EquipmentToolView {
public:
    virtual ~EquipmentToolView() = default;
    // Shows the equipment of the current unit again.
    virtual void FormShow(QObject* Sender) = 0;
};
