#pragma once
// What the unit rules ask of the quick-statistics frame (TtoolQuickstatFrm).
class QObject;

class QuickStatView {
public:
    virtual ~QuickStatView() = default;
    // True while the week button XPButton1 / the block button XPButton2 is down.
    virtual bool XPButton1Down() const = 0;
    virtual bool XPButton2Down() const = 0;
    // Shows the statistics of the current unit's week / block.
    virtual void XPButton1Click(QObject* Sender) = 0;
    virtual void XPButton2Click(QObject* Sender) = 0;
};
