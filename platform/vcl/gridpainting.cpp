// TCustomGrid's painting: the visible cells with their fixed parts, grid lines, selection and
// focus frame, each cell drawn through DrawCell.
#include "platform/vcl/grids.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

// --- painting ---------------------------------------------------------------------------------

bool TCustomGrid::isFocused() const
{
    return hasFocus() || viewport()->hasFocus();
}

void TCustomGrid::paintEvent(QPaintEvent* e)
{
    FitColumns();
    QPainter p(viewport());
    struct Reset {
        TCustomGrid* g;
        ~Reset() { g->canvas_ = nullptr; }
    } reset{this};
    canvas_ = &p;
    paintClip_ = e->rect();
    Paint();
}

void TCustomGrid::Paint()
{
    QPainter& p = *canvas_;
    const QRect clip = paintClip_.isValid() ? paintClip_ : viewport()->rect();
    const int fw = fixedWidth();
    const int fh = fixedHeight();
    // Fixed cells first, as the runtime draws them: the corner, the top rows, the left columns,
    // then the scrollable cells.
    drawCells(0, 0, FixedCols(), FixedRows(), 0, 0, gdFixed, clip);
    drawCells(leftCol_, 0, ColCount(), FixedRows(), fw, 0, gdFixed, clip);
    drawCells(0, topRow_, FixedCols(), RowCount(), 0, fh, gdFixed, clip);
    drawCells(leftCol_, topRow_, ColCount(), RowCount(), fw, fh, {}, clip);
    p.setClipping(false);
    // The area beyond the last column and row.
    const int64_t right = fw + cols_.Offset(ColCount()) - cols_.Offset(leftCol_);
    const int64_t bottom = fh + rows_.Offset(RowCount()) - rows_.Offset(topRow_);
    const int vw = viewport()->width();
    const int vh = viewport()->height();
    if (right < vw)
        p.fillRect(QRect(int(right), 0, vw - int(right), vh), color_);
    if (bottom < vh)
        p.fillRect(QRect(0, int(bottom), int(std::min<int64_t>(right, vw)), vh - int(bottom)), color_);
}

void TCustomGrid::drawCells(int col0, int row0, int colEnd, int rowEnd, int x0, int y0, TGridDrawState base,
                            const QRect& clip)
{
    if (col0 >= colEnd || row0 >= rowEnd)
        return;
    QPainter& p = *canvas_;
    const int vw = viewport()->width();
    const int vh = viewport()->height();
    const TGridRect sel = Selection();
    const bool focused = isFocused();
    const bool editorShown = editorMode_ && editor_ && editor_->isVisible();
    const QPalette& pal = palette();
    const QColor text = pal.color(QPalette::Text);
    const QColor fixedText = pal.color(QPalette::ButtonText);
    const QColor highlight = pal.color(QPalette::Highlight);
    const QColor highlightText = pal.color(QPalette::HighlightedText);
    const QColor fixedLine(0x80, 0x80, 0x80);
    const QColor bodyLine(0xC0, 0xC0, 0xC0);
    const bool focusSelected = options_ & (goDrawFocusSelected | goRowSelect);
    const bool drawFocusRect = !(options_ & goRowSelect) &&
                               (options_ & (goEditing | goAlwaysShowEditor)) != (goEditing | goAlwaysShowEditor);
    const QFont gridFont = font();

    int y = y0;
    for (int r = row0; r < rowEnd && y < vh && y <= clip.bottom(); ++r) {
        const int h = rows_.Size(r);
        const int lh = rows_.Line(r);
        if (y + h + lh <= clip.top()) {
            y += h + lh;
            continue;
        }
        int x = x0;
        for (int c = col0; c < colEnd && x < vw && x <= clip.right(); ++c) {
            const int w = cols_.Size(c);
            const int lw = cols_.Line(c);
            if (x + w + lw <= clip.left()) {
                x += w + lw;
                continue;
            }
            const QRect cell(x, y, w, h);
            TGridDrawState state = base;
            if (focused && c == current_.X && r == current_.Y)
                state |= gdFocused;
            if (sel.Contains(c, r))
                state |= gdSelected;
            const bool fixed = state & gdFixed;
            if (w > 0 && h > 0 && !(editorShown && c == current_.X && r == current_.Y)) {
                QColor bg = color_;
                QColor fg = text;
                if (fixed) {
                    bg = fixedColor_;
                    fg = fixedText;
                } else if ((state & gdSelected) && (!(state & gdFocused) || focusSelected)) {
                    bg = highlight;
                    fg = highlightText;
                }
                p.setClipRect(cell.intersected(clip));
                p.setFont(gridFont);
                p.setPen(fg);
                p.setBrush(bg);
                if (defaultDrawing_)
                    p.fillRect(cell, bg);
                DrawCell(c, r, cell, state);
                if (defaultDrawing_) {
                    if (fixed && w > 1 && h > 1) {
                        // The raised edge of a fixed cell.
                        p.setPen(pal.color(QPalette::Light));
                        p.drawLine(cell.topLeft(), cell.topRight());
                        p.drawLine(cell.topLeft(), cell.bottomLeft());
                        p.setPen(pal.color(QPalette::Mid));
                        p.drawLine(cell.bottomLeft(), cell.bottomRight());
                        p.drawLine(cell.topRight(), cell.bottomRight());
                    } else if ((state & gdFocused) && drawFocusRect) {
                        QPen pen(fg);
                        pen.setStyle(Qt::DotLine);
                        p.setPen(pen);
                        p.setBrush(Qt::NoBrush);
                        p.drawRect(cell.adjusted(0, 0, -1, -1));
                    }
                }
            }
            p.setClipRect(clip);
            const QColor& lineColor = fixed ? fixedLine : bodyLine;
            if (lw > 0)
                p.fillRect(QRect(x + w, y, lw, h + lh), lineColor);
            if (lh > 0)
                p.fillRect(QRect(x, y + h, w, lh), lineColor);
            x += w + lw;
        }
        y += h + lh;
    }
}
