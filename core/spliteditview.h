#pragma once
// What the split rules ask of the split edit dialog (TzwEditDlg).
class SplitEditView {
public:
    virtual ~SplitEditView() = default;
    virtual bool Visible() const = 0;
    // Enables the save button btn_post.
    virtual void setPostEnabled(bool enabled) = 0;
    // Empties the time box MaskEdit1.
    virtual void clearTime() = 0;
};
