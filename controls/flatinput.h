#pragma once
// What the flat combo box and the flat edit box share: the thin border that turns into a
// sunken edge while the control is hot, and the colour rules (a disabled flat control takes
// its parent's colour and regains its own when enabled again).
#include "controls/colorutils.h"

#include <QRect>

class QPainter;
class QWidget;

// The three one-pixel rings of a flat input control on the border of r. Hot: a sunken edge,
// a button-face ring and a window-colour ring; not hot: two button-face rings and a window ring.
void DrawFlatInputFrame(QPainter& p, const QRect& r, bool hot);

// The mouse entered (inside) or left a flat input control: an enabled control notes it in
// mouseInControl and repaints when that changes.
void TrackFlatInputMouse(QWidget* self, bool& mouseInControl, bool inside);

// Color and ParentColor of a flat input control, with the saved pair of a disabled one.
class TFlatInputColors {
public:
    TColor Color() const { return color_; }
    void SetColor(QWidget* self, TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(QWidget* self, bool value);
    // The colour the control shows: its parent's colour while ParentColor holds.
    TColor Effective(const QWidget* self) const;
    // Enabling restores the saved pair; disabling saves it and takes the parent's colour.
    void EnabledChanged(QWidget* self, bool enabled);
    // Puts the effective colour into the widget's palette (background of the edit field).
    void Apply(QWidget* self) const;

private:
    TColor color_ = clWindow;
    bool parentColor_ = false;
    TColor savedColor_ = clWindow;
    bool savedParentColor_ = false;
};
