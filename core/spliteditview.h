#pragma once
// What the split rules ask of the split edit dialog (TzwEditDlg).
#include <QString>

class SplitEditView {
public:
    virtual ~SplitEditView() = default;
    virtual bool Visible() const = 0;
    // Enables the save button btn_post.
    virtual void setPostEnabled(bool enabled) = 0;
    // Empties the time box MaskEdit1.
    virtual void clearTime() = 0;
    // The caption of the distance label Label2: the name of the unit the distance is shown and
    // typed in ("Meter").
    virtual QString distanceCaption() const = 0;
};
