#pragma once
// The classic 3D edge and frame drawing that the flat controls are built from: one-pixel
// raised and sunken edges, the two-pixel push-button frame, the flat combo arrow, plain frames
// and the checker pattern of a latched button. Colours come from the system colours.
#include "controls/colorutils.h"

#include <QBrush>
#include <QRect>

class QPainter;

enum class EdgeKind {
    RaisedInner,  // one pixel: light top-left, shadow bottom-right
    SunkenOuter,  // one pixel: shadow top-left, light bottom-right
    Raised,       // two pixels: the raised edge of a button
    Sunken        // two pixels: the sunken edge of a pressed button
};

// Draws the edge on all four sides of r and returns the rectangle inside it. With fillMiddle
// the inside is filled with the button face; with flat the edge is a one-pixel shadow frame.
QRect DrawEdge(QPainter& p, const QRect& r, EdgeKind kind, bool fillMiddle = false, bool flat = false);

// A push button frame (raised, or sunken when pushed) with the face filled; returns the face.
QRect DrawPushButtonFrame(QPainter& p, const QRect& r, bool pushed);

// The drop-down arrow button of a flat combo box.
void DrawFlatComboArrow(QPainter& p, const QRect& r, bool enabled);

// A one-pixel frame on the border of r.
void FrameRect(QPainter& p, const QRect& r, const QColor& color);

// The dotted focus frame on the border of r: every other pixel in the colour, starting at the
// top-left corner, so that the dots show on any face and leave it visible between them.
void DrawFocusFrame(QPainter& p, const QRect& r, const QColor& color);

// The 8 x 8 checker pattern of two colours that fills the face of a latched button.
QBrush CheckerPatternBrush(TColor c1, TColor c2);
