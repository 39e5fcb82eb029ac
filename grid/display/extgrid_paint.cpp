// TExtStringGrid: the cell painting pipeline. Each cell's colours, font, alignment and word wrap
// (GetCellDrawSettings), then its content in a fixed order: the fixed look, the modified-row bar,
// the permanent combo button, the text, the borders, the tree lines, the graphic, the owner's
// handlers and the focus frame; and the empty area's background. Everything goes through a grid
// canvas, so a pass can be recorded without a window.
#include "grid/display/extgrid.h"

#include <QStyle>

#include <algorithm>

#include "grid/display/extutil.h"
#include "grid/display/extxpvs.h"

namespace {

int rightOf(const QRect& r)
{
    return r.left() + r.width();
}

int bottomOf(const QRect& r)
{
    return r.top() + r.height();
}

}  // namespace

// --- the fixed state, indents and nodes -----------------------------------------------------------

bool TExtStringGrid::CellDrawnFixed(int ACol, int ARow)
{
    if (ARow >= RowCount() - fixedFooters_ || ACol >= ColCount() - fixedRightCols_)
        return true;
    bool fixed = false;
    DoIsFixedCell(RealColIndex(ACol), ARow, fixed);
    return fixed;
}

int TExtStringGrid::RowIndent(int ARow)
{
    if (nodeCount_ == 0)
        return 0;
    const TCellProperties* p = FindCellProperties(0, ARow);
    return p ? p->NodeLevel * CellNode.NodeIndent() : 0;
}

bool TExtStringGrid::HasNodes()
{
    return nodeCount_ > 0;
}

// --- colours, font, alignment and word wrap of a cell ---------------------------------------------

bool TExtStringGrid::cellShownSelected(int ACol, int ARow, TGridDrawState State) const
{
    const bool focusedCell = (State & gdFocused) && GridFocused();
    // The focused cell shows the selection only with goDrawFocusSelected.
    if ((State & gdFocused) && !(Options() & (goDrawFocusSelected | goRowSelect)))
        return false;
    if (MouseActions.DisjunctRowSelect) {
        const int row = MouseActions.RowSelectPersistent ? RealRowIndex(ARow) : ARow;
        const bool flagged = row >= 0 && row < int(rowSelect_.size()) && rowSelect_[size_t(row)];
        return flagged || (focusedCell && (State & gdSelected));
    }
    if (MouseActions.DisjunctColSelect) {
        const bool flagged = ACol >= 0 && ACol < int(colSelect_.size()) && colSelect_[size_t(ACol)];
        return flagged || (focusedCell && (State & gdSelected));
    }
    return State & gdSelected;
}

void TExtStringGrid::GetCellDrawSettings(TGridCanvas& Canvas, int ACol, int ARow, TAlignment& HAlign,
                                         TVAlignment& VAlign, bool& WordWrap, TColor& ColorTo, bool MapColumn,
                                         bool UseSelection, bool Printing, TGridDrawState& State)
{
    const bool normal = ACol >= TCustomGrid::FixedCols() && ARow >= TCustomGrid::FixedRows();
    const TColor textColor = FromQColor(palette().color(QPalette::Text));
    const bool printFonts = Printing && !PrintSettings.UseDisplayFont;
    TFont cellFont(normal ? (printFonts ? PrintSettings.Font : TFont(font(), textColor))
                          : (printFonts ? PrintSettings.FixedFont : FixedFont));
    const int col = MapColumn ? RealColIndex(ACol) : ACol;

    TGridBrush brush{clNone, bsSolid};
    ColorTo = clNone;
    WordWrap = DefaultWordWrap();
    if (const TCellProperties* p = FindCellProperties(ACol, ARow)) {
        if (p->BrushColor() != clNone)
            brush.Color = p->BrushColor();
        if (p->FontColor != clNone)
            cellFont.SetColor(p->FontColor);
        if (p->FontStyle != 0)
            cellFont.SetStyle(p->FontStyle);
        if (p->FontSize != 0)
            cellFont.SetSize(p->FontSize);
        if (!p->FontName.isEmpty())
            cellFont.SetName(p->FontName);
        WordWrap = p->WordWrap();
        ColorTo = p->BrushColorTo();
    }
    const bool dataCell = ACol >= TCustomGrid::FixedCols() && ACol < ColCount() - fixedRightCols_ &&
                          ARow >= TCustomGrid::FixedRows() && ARow < RowCount() - fixedFooters_;
    if (brush.Color == clNone) {
        brush.Color = FromQColor(Color());
        if (dataCell && Bands.Active() && (Bands.Print() == Printing || !Printing)) {
            if (Bands.Period() > 0)
                brush.Color = (ARow - TCustomGrid::FixedRows()) % Bands.Period() < Bands.PrimaryLength()
                                  ? Bands.PrimaryColor()
                                  : Bands.SecondaryColor();
        }
        if (!dataCell && normal)
            brush.Color = FromQColor(FixedColor());  // footer rows and fixed right columns
    }
    const bool fixed = CellDrawnFixed(ACol, ARow) || !normal;
    if (fixed && !Printing) {
        brush.Color = FromQColor(FixedColor());
        cellFont.SetColor(FixedFont.Color());
        State |= gdFixed;
    }
    if (Printing)
        DoGetCellPrintColor(col, ARow, State, brush, cellFont);
    else
        DoGetCellColor(col, ARow, State, brush, cellFont);

    // The selection, on screen only; a saved selection shows nothing as selected.
    if (UseSelection && !Printing && showSelection_ && !fixed && !selectionSaved_) {
        if (cellShownSelected(ACol, ARow, State)) {
            if (selectionColor_ != clNone)
                brush.Color = selectionColor_;
            else if (!(State & gdFocused))
                brush.Color = clHighlight;
            ColorTo = selectionColorTo_;
            if (selectionTextColor_ != clNone)
                cellFont.SetColor(selectionTextColor_);
            State |= gdSelected;
        } else {
            State &= ~TGridDrawState(gdSelected);
        }
    }
    DoGetWordWrap(col, ARow, WordWrap);
    CellTextAlignment(ACol, ARow, HAlign, VAlign);

    Canvas.Brush = brush;
    QFont f = cellFont.Font();
    if (ZoomOffset != 0 && f.pointSize() > 0)
        f.setPointSize(std::max(1, f.pointSize() + ZoomOffset));
    Canvas.Font = f;
    Canvas.FontColor = cellFont.Color();
}

void TExtStringGrid::CellTextAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    VAlign = vAlignment_;
    HAlign = taLeftJustify;
    if (AutoNumAlign) {
        const QString text = GetCellText(ACol, ARow);
        if (!text.isEmpty() && IsNumberText(text) != ntNoNumber)
            HAlign = taRightJustify;
    }
    if (const TCellProperties* p = FindCellProperties(ACol, ARow))
        HAlign = p->Alignment;
    DoGetAlignment(RealColIndex(ACol), ARow, HAlign, VAlign);
}

// --- the content of a cell ----------------------------------------------------------------------------

void TExtStringGrid::DrawCellContent(TGridCanvas& Canvas, int ACol, int ARow, const QRect& ARect,
                                     TGridDrawState State)
{
    QRect r = ARect;
    const int realCol = RealColIndex(ACol);
    const bool fixed = State & gdFixed;
    // The fill colours of the frame (the selection's, when shown) stay; font, alignment and word
    // wrap are taken again.
    const TGridBrush fill = Canvas.Brush;
    const TColor fillText = Canvas.FontColor;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = false;
    TColor colorTo = clNone;
    TGridDrawState appearance = State;
    GetCellDrawSettings(Canvas, ACol, ARow, hAlign, vAlign, wordWrap, colorTo, true, false, false, appearance);
    Canvas.Brush = fill;
    Canvas.FontColor = fillText;

    TCellVAlign gVAlign = vaTop;
    TCellHAlign gHAlign = haLeft;
    bool showText = true;
    int gHeight = 0;
    int gWidth = 0;
    TCellGraphic* graphic = GetCellGraphicSize(ACol, ARow, gVAlign, gHAlign, showText, gHeight, gWidth);
    if (realCol == 0 && graphic && graphic->CellType == ctNode)
        gWidth = NodeLevel(ARow) * 12 + 4;

    // The row indicator in the fixed column of the current row.
    int indicator = 0;
    if (realCol == 0 && ARow == Row() && TCustomGrid::FixedCols() > 0 && !rowIndicator_.isNull()) {
        Canvas.DrawPixmap(QRect(r.left(), r.top() + (r.height() - rowIndicator_.height()) / 2, rowIndicator_.width(),
                                rowIndicator_.height()),
                          rowIndicator_, FromQColor(FixedColor()));
        indicator = rowIndicator_.width();
        r.setLeft(r.left() + indicator);
    }

    if (fixed && !Flat)
        drawFixedLookBefore(Canvas, ACol, ARow, r);

    if (ShowModified.Enabled && realCol == 0 && IsRowModified(ARow)) {
        const TGridBrush saved = Canvas.Brush;
        Canvas.Brush = TGridBrush{ShowModified.Color(), bsSolid};
        Canvas.FillRect(QRect(rightOf(r) - 4, r.top(), 4, r.height()));
        Canvas.Brush = saved;
    }

    int right = rightOf(r);
    QRect textRect = r;
    if (!fixed && ControlLook.DropDownAlwaysVisible() && HasComboBox(realCol, ARow)) {
        DrawDropDownButton(Canvas, this, r, ThemedDrawing());
        textRect.setRight(textRect.right() - 16);
    }

    int textWidth = 0;
    if (showText || !graphic)
        textWidth = DrawCellText(Canvas, ACol, ARow, textRect, State, hAlign, vAlign, wordWrap, graphic, gWidth,
                                 gHeight, gHAlign, gVAlign);
    Canvas.Brush = fill;
    Canvas.FontColor = fillText;
    r.setRight(right - 1);
    r.adjust(-1, -1, 1, 1);

    drawBorders(Canvas, ACol, ARow, r);
    if (indicator > 0)
        r.setLeft(r.left() - indicator);
    if (fixed && !Flat)
        drawFixedLookAfter(Canvas, r);

    if (fixedRightCols_ > 0 && ACol >= ColCount() - fixedRightCols_ && look_ != glClassic && Flat) {
        Canvas.Pen = TGridPen{Flat ? clGray : clBlack, 1, Qt::SolidLine};
        if (Options() & goFixedHorzLine) {
            Canvas.Line({r.left() - 1, r.top() - 1}, {rightOf(r) + 1, r.top() - 1});
            Canvas.Line({r.left() - 1, bottomOf(r) + 1}, {rightOf(r) + 1, bottomOf(r) + 1});
        }
        if (Options() & goFixedVertLine) {
            Canvas.Line({r.left() - 1, r.top() - 1}, {r.left() - 1, bottomOf(r) + 1});
            Canvas.Line({rightOf(r) + 1, r.top() - 1}, {rightOf(r) + 1, bottomOf(r) + 1});
        }
    }

    if (nodeCount_ > 0 && realCol == 0 && ARow >= TCustomGrid::FixedRows() && CellNode.ShowTree())
        drawTreeLines(Canvas, ARow, r);

    if (graphic)
        DrawCellGraphic(Canvas, ACol, ARow, r.adjusted(1, 1, -1, -1), *graphic, State, hAlign, vAlign, textWidth,
                        gWidth, gHeight);

    if (OnDrawCell)
        OnDrawCell(this, realCol, ARow, r.adjusted(1, 1, -GridLineWidth(), -GridLineWidth()), State);
    if (OnCustomCellDraw)
        OnCustomCellDraw(this, Canvas, realCol, ARow, State, r, false);

    // The focus frame around the current cell.
    if (!HideFocusRect && GridFocused() && !(Options() & goRowSelect)) {
        const TGridCoord b = BaseCell(ACol, ARow);
        if (b.X == Col() && b.Y == Row()) {
            const int grow = GridLineWidth() - 1;
            Canvas.DrawFocusRect(r.adjusted(-grow, -grow, grow - 1, grow - 1));
        }
    }
}

// --- fixed looks, borders and tree lines ----------------------------------------------------------------

void TExtStringGrid::drawFixedLookBefore(TGridCanvas& Canvas, int ACol, int ARow, const QRect& R)
{
    if (look_ == glVantor || look_ == glXP) {
        TColor from = ButtonColorFrom;
        TColor to = ButtonColorTo;
        if (activeCellShow_ && ((ACol == 0 && ARow == Row() && TCustomGrid::FixedCols() > 0) ||
                                (ARow == 0 && ACol == Col() && TCustomGrid::FixedRows() > 0))) {
            from = activeCellColor_;
            to = activeCellColorTo_ == clNone ? activeCellColor_ : activeCellColorTo_;
        }
        Canvas.FillGradient(R, from, to, 10, false);
    } else if (look_ == glListView) {
        if (!DrawThemedPart(Canvas, this, QStringLiteral("header"), themepart::HP_HEADERITEM,
                            TGridCoord{ACol, ARow} == hotCell_ ? 2 : 1, R.adjusted(-1, -1, 1, 1))) {
            Canvas.Brush = TGridBrush{clBtnFace, bsSolid};
            Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
            Canvas.Rectangle(R);
        } else {
            Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
            Canvas.Line(R.topLeft(), {rightOf(R), R.top()});
        }
    }
}

void TExtStringGrid::drawFixedLookAfter(TGridCanvas& Canvas, QRect R)
{
    const TColor shadow = DarkerColor(FromQColor(FixedColor()));
    const bool ctl3D = !Flat;
    switch (look_) {
    case glSoft:
        if (!ctl3D)
            break;
        R.adjust(-1, -1, 1, 0);
        if (Options() & goFixedHorzLine) {
            Canvas.Pen = TGridPen{shadow, 1, Qt::SolidLine};
            Canvas.Line({R.left(), bottomOf(R) - 1}, {rightOf(R) - 1, bottomOf(R) - 1});
            Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
            Canvas.Polyline({{rightOf(R), R.top() + 1}, {R.left() + 1, R.top() + 1}, {R.left() + 1, bottomOf(R) - 1}});
        }
        if (Options() & goFixedVertLine) {
            Canvas.Pen = TGridPen{shadow, 1, Qt::SolidLine};
            Canvas.Line({rightOf(R) - 2, R.top()}, {rightOf(R) - 2, bottomOf(R) - 1});
            Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
            Canvas.Line({rightOf(R) - 1, R.top()}, {rightOf(R) - 1, bottomOf(R) - 1});
        }
        break;
    case glClassic:
        Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
        Canvas.Polyline({{R.left(), bottomOf(R)}, {R.left(), R.top()}, {rightOf(R), R.top()}});
        Canvas.Pen = TGridPen{clBlack, 1, Qt::SolidLine};
        Canvas.Polyline({{rightOf(R) - 1, R.top()}, {rightOf(R) - 1, bottomOf(R) - 1}, {R.left() - 1, bottomOf(R) - 1}});
        break;
    case glVantor:
    case glXP:
        R.adjust(-1, -1, 1, 0);
        Canvas.Pen = TGridPen{shadow, 1, Qt::SolidLine};
        Canvas.Line({R.left(), bottomOf(R) - 1}, {rightOf(R) - 1, bottomOf(R) - 1});
        Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
        Canvas.Polyline({{rightOf(R), R.top() + 1}, {R.left() + 1, R.top() + 1}, {R.left() + 1, bottomOf(R) - 1}});
        break;
    default: break;
    }
}

void TExtStringGrid::drawBorders(TGridCanvas& Canvas, int ACol, int ARow, QRect R)
{
    const TGridPen saved = Canvas.Pen;
    TCellBorders borders = 0;
    TGridPen pen = Canvas.Pen;
    DoGetCellBorder(RealColIndex(ACol), ARow, pen, borders);
    if (borders == 0) {
        Canvas.Pen = saved;
        return;
    }
    TGridPen leftPen = pen, topPen = pen, rightPen = pen, bottomPen = pen;
    if (OnGetCellBorderProp)
        OnGetCellBorderProp(this, ARow, RealColIndex(ACol), leftPen, topPen, rightPen, bottomPen);
    const int hx = (Options() & goVertLine) ? (pen.Width + 1) / 2 : 0;
    const int hy = (Options() & goHorzLine) ? (pen.Width + 1) / 2 : 0;
    R.adjust(hx, hy, -hx, -hy);
    const int right = rightOf(R);
    const int bottom = bottomOf(R);
    if (borders & cbLeft) {
        Canvas.Pen = leftPen;
        Canvas.Line({R.left(), R.top()}, {R.left(), bottom});
    }
    if (borders & cbRight) {
        Canvas.Pen = rightPen;
        Canvas.Line({right - 1, R.top()}, {right - 1, bottom});
    }
    if (borders & cbTop) {
        Canvas.Pen = topPen;
        Canvas.Line({R.left(), R.top() - 1}, {right, R.top() - 1});
    }
    if (borders & cbBottom) {
        Canvas.Pen = bottomPen;
        Canvas.Line({R.left(), bottom - 1}, {right, bottom - 1});
    }
    Canvas.Pen = saved;
}

void TExtStringGrid::drawTreeLines(TGridCanvas& Canvas, int ARow, const QRect& R)
{
    const TCellProperties* p = FindCellProperties(0, ARow);
    const int level = p ? p->NodeLevel : 0;
    Canvas.Pen = TGridPen{CellNode.TreeColor(), 1, Qt::SolidLine};
    const int x = RowIndent(ARow);
    const int m = R.top() + R.height() / 2;
    const int right = rightOf(R);
    const int bottom = bottomOf(R);
    if (level > 0)
        Canvas.Line({x - 4, m}, {CellNode.ShowTreeFull() ? x + right : x + 4, m});
    if (!IsNodeRow(ARow)) {
        const int next = ARow + 1;
        const TCellProperties* np = next < RowCount() - fixedFooters_ ? FindCellProperties(0, next) : nullptr;
        if (!np || np->NodeLevel < level)
            Canvas.Line({x - 4, R.top()}, {x - 4, m});
        else
            Canvas.Line({x - 4, R.top()}, {x - 4, bottom + 4});
    }
    for (int i = 1; i <= level; ++i) {
        const int lx = x - 4 - CellNode.NodeIndent() * i;
        Canvas.Line({lx, R.top()}, {lx, bottom + 4});
    }
}

// --- the empty area, the background and the theme's colours ----------------------------------------------

void TExtStringGrid::PaintEmptyArea(TGridCanvas& Canvas, const QRect& Part, const QRect& Bounds)
{
    TBaseGrid::PaintEmptyArea(Canvas, Part, Bounds);
    const TBackGroundDisplay display = BackGround.Display();
    const bool gradient = display == bdGradientHorz || display == bdGradientVert;
    if (gradient && BackGround.ColorTo() == clNone)
        return;
    Canvas.PushClip(Part);
    if (BackGround.Bitmap().isNull()) {
        if (gradient)
            Canvas.FillGradient(Bounds, BackGround.Color(), BackGround.ColorTo(), 128, display == bdGradientHorz);
    } else {
        const QPixmap& bitmap = BackGround.Bitmap();
        if (display == bdTile) {
            if (BackGround.Cells() != bcFixed) {
                const QPoint origin = BackGround.Cells() == bcNormal
                                          ? QPoint(FixedColsWidth() + XYOffsetX, FixedRowsHeight() + XYOffsetY)
                                          : QPoint(XYOffsetX, XYOffsetY);
                const int w = std::max(1, bitmap.width());
                const int h = std::max(1, bitmap.height());
                const int x0 = origin.x() - ((origin.x() - Part.left()) / w + 1) * w;
                const int y0 = origin.y() - ((origin.y() - Part.top()) / h + 1) * h;
                for (int y = y0; y < bottomOf(Part); y += h)
                    for (int x = x0; x < rightOf(Part); x += w)
                        Canvas.DrawPixmap(QRect(x, y, w, h), bitmap);
            }
        } else {
            Canvas.DrawPixmap(QRect(BackGround.Left(), BackGround.Top(), bitmap.width(), bitmap.height()), bitmap);
        }
    }
    Canvas.PopClip();
}

void TExtStringGrid::AdaptToTheme()
{
    QString fileName;
    QString scheme;
    QString size;
    if (!ThemedDrawing() || !GetCurrentThemeName(fileName, scheme, size))
        scheme.clear();
    struct Scheme {
        const char* name;
        TColor from;
        TColor to;
    };
    static const Scheme schemes[] = {
        {"NormalColor", RGBColor(203, 225, 252), RGBColor(125, 165, 224)},
        {"HomeStead", RGBColor(234, 240, 207), RGBColor(177, 192, 140)},
        {"Metallic", RGBColor(225, 226, 236), RGBColor(152, 150, 179)},
    };
    for (const Scheme& s : schemes) {
        if (scheme == QLatin1String(s.name)) {
            ButtonColorFrom = s.from;
            ButtonColorTo = s.to;
            SearchFooter.SetColor(s.from);
            SearchFooter.SetColorTo(s.to);
            activeCellColor_ = RGBColor(251, 230, 148);
            activeCellColorTo_ = RGBColor(238, 149, 21);
            ControlLook.SetFixedGradientFrom(s.from);
            ControlLook.SetFixedGradientTo(s.to);
            repaintGrid();
            return;
        }
    }
    ButtonColorFrom = clWhite;
    ButtonColorTo = ColorToRGB(clBtnFace);
    SearchFooter.SetColor(clWhite);
    SearchFooter.SetColorTo(RGBColor(179, 217, 255));
    activeCellColor_ = clWhite;
    activeCellColorTo_ = RGBColor(179, 217, 255);
    ControlLook.SetFixedGradientFrom(clNone);
    ControlLook.SetFixedGradientTo(clNone);
    repaintGrid();
}
