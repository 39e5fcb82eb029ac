#pragma once
// Texts that fit. The windows are laid out in pixels for the fonts of the platform they were made
// for, and this machine's fonts are wider. Whenever a form or frame is shown, and whenever a text
// in one of its containers changes while it is shown, every label, check box, radio button, push
// button, captioned control and group title whose text would be cut gets the width it needs; the
// width it was laid out with is the least it keeps:
// - a left-aligned text grows to the right, a right-aligned one to the left as far as there is
//   room (then to the right), a centred one to both sides; labels standing in one column (same
//   left edge and width) grow together, so the fields beside them stay aligned;
// - a control that grows pushes what stands beside it to the right: an edit box, list or grid
//   that is wide enough gives up the room (its right edge stays), anything else moves along;
// - a container too narrow for what it now holds grows, a page control with its pages, up to the
//   window, which grows too (up to the screen's width) and stays centred where it stood.
// Containers placed by a layout are left to the layout (its controls ask for their size
// themselves); aligned controls (the "Align" property) are left to their parent's alignment.
class QString;
class QWidget;

// A control that draws its caption itself says how wide it must be to show it whole.
class TTextFitControl {
public:
    virtual ~TTextFitControl() = default;
    // The width the control needs for its caption and picture; 0 when it shows no text.
    virtual int TextFitWidth() const = 0;
};

// The width a control needs to show its text whole (0 for a control without a text of its own).
int TextFitWidth(const QWidget* control);

// Fits the texts of a window or frame and everything inside it (see above).
void FitTexts(QWidget* root);

// True for a text that shows a date, a time or a number, possibly with a short unit after it
// ("24.11.2023", "00:46:40", "-3", "12,5 km", "5:22 min/km"): such a text is never to be cut.
bool IsValueText(const QString& text);
