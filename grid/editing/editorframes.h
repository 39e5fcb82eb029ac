#pragma once
// The classic frames the grid's editor controls draw themselves: three-dimensional edges, plain
// frames, arrow glyphs and the scroll-arrow button. Colours are the system colours.
#include <QColor>
#include <QPixmap>
#include <QRect>

class QPainter;

// Edge rings, combinable: one outer and one inner ring.
inline constexpr unsigned BDR_RAISEDOUTER = 0x1;
inline constexpr unsigned BDR_SUNKENOUTER = 0x2;
inline constexpr unsigned BDR_RAISEDINNER = 0x4;
inline constexpr unsigned BDR_SUNKENINNER = 0x8;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;

// Draws the rings on all four sides of r and returns the rectangle inside them.
QRect DrawEdge(QPainter& p, const QRect& r, unsigned edge);

// A one-pixel frame on the border of r.
void EditorFrameRect(QPainter& p, const QRect& r, const QColor& color);

enum class TArrowKind { Left = 0, Right = 1, Up = 2, Down = 3 };

// A small filled arrow centred in r.
void DrawArrow(QPainter& p, const QRect& r, TArrowKind kind, const QColor& color);

// A scroll-arrow button: the face, its edge (sunken while pushed, a one-pixel shadow frame when
// flat) and the arrow, moved by a pixel while pushed and grey when disabled.
void DrawScrollArrowButton(QPainter& p, const QRect& r, TArrowKind kind, bool pushed, bool flat, bool enabled);

// Glyphs of the editors' buttons: a strip of up to four pictures side by side (up, disabled, down,
// exclusive). A picture without an alpha channel is transparent where it has its bottom-left
// pixel's colour.
QPixmap GlyphWithTransparency(const QPixmap& glyph);
// The size of one picture of the strip.
QSize GlyphSize(const QPixmap& strip, int numGlyphs);
// Draws the strip's picture for the state at topLeft; a disabled button with a single picture
// shows it embossed.
void DrawGlyph(QPainter& p, const QPixmap& strip, int numGlyphs, const QPoint& topLeft, bool enabled, bool down);
