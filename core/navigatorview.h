#pragma once
// What the unit rules ask of the navigator frame (TnavigatorFrm): its unit list, block tree and
// the current unit in them.
class QObject;

class NavigatorView {
public:
    virtual ~NavigatorView() = default;
    // Refills the navigator's unit list.
    virtual void Button1Click(QObject* Sender) = 0;
    // The one unit saved or deleted: its row of the unit list read again (gone when deleted),
    // the rest kept. Without a list of its own it refills.
    virtual void UnitChanged(int unitId)
    {
        (void)unitId;
        Button1Click(nullptr);
    }
    // Selects the current unit of daten in the navigator.
    virtual void selectCurrentUnit() = 0;
    // Rebuilds the navigator's current view.
    virtual void ChangeNavItem() = 0;
    // True while the navigator's view button XPButton9 is down.
    virtual bool XPButton9Down() const = 0;
};
