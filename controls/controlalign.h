#pragma once
// Aligned controls as the forms place them: a control aligned to the top, bottom, left or
// right edge of its parent keeps its height (or width) and stretches along that edge; one
// aligned to the client fills what is left. The navigation-pane splitter resizes its
// neighbour and relies on this to move itself and the other controls.
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A control's alignment (kept as the widget's "Align" property; alNone when unset).
TAlign ControlAlign(const QWidget* w);
// Sets the alignment and arranges the parent's aligned controls; a parent that has aligned
// controls arranges them again whenever it is resized or shown.
void SetControlAlign(QWidget* w, TAlign align);

// The geometry of aligned controls inside a client area: top ones stacked from the top in
// order of their top edge, bottom ones from the bottom in order of their bottom edge, then the
// left and right ones in the space between, and client-aligned ones filling the rest.
struct TAlignedControl {
    TAlign Align;
    QRect Geometry;
};
std::vector<QRect> ArrangeAligned(const QRect& client, const std::vector<TAlignedControl>& controls);

// Arranges the aligned child widgets of parent.
void AlignControls(QWidget* parent);
