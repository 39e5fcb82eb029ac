// TExtStringGrid: the graphics and controls drawn in cells (check boxes and radio groups in every
// control style, buttons, progress bars and pies, range indicators, node glyphs, images, pictures,
// comments, rotated text) and the sort glyph of header cells.
#include "grid/display/extgrid.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

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

TColor complement(TColor c)
{
    return ColorToRGB(c) ^ 0xFFFFFF;
}

// The classic check box: a sunken white square (a flat frame with csFlat), a tick when checked,
// grey when disabled.
void classicCheck(TGridCanvas& canvas, const QRect& box, bool checked, bool enabled, bool flat)
{
    canvas.Brush = TGridBrush{enabled ? clWindow : clBtnFace, bsSolid};
    canvas.FillRect(box);
    const int right = rightOf(box) - 1;
    const int bottom = bottomOf(box) - 1;
    if (flat) {
        canvas.Pen = TGridPen{clBtnShadow, 1, Qt::SolidLine};
        canvas.Polyline({box.topLeft(), {right, box.top()}, {right, bottom}, {box.left(), bottom}, box.topLeft()});
    } else {
        canvas.Pen = TGridPen{clBtnShadow, 1, Qt::SolidLine};
        canvas.Polyline({{box.left(), bottom}, box.topLeft(), {right + 1, box.top()}});
        canvas.Pen = TGridPen{cl3DDkShadow, 1, Qt::SolidLine};
        canvas.Polyline({{box.left() + 1, bottom - 1}, {box.left() + 1, box.top() + 1}, {right, box.top() + 1}});
        canvas.Pen = TGridPen{clBtnFace, 1, Qt::SolidLine};
        canvas.Polyline({{box.left() + 1, bottom - 1}, {right - 1, bottom - 1}, {right - 1, box.top()}});
        canvas.Pen = TGridPen{clBtnHighlight, 1, Qt::SolidLine};
        canvas.Polyline({{box.left(), bottom}, {right, bottom}, {right, box.top() - 1}});
    }
    if (!checked)
        return;
    // The tick: three strokes, two pixels thick.
    canvas.Pen = TGridPen{enabled ? clWindowText : clGrayText, 2, Qt::SolidLine};
    const int x = box.left();
    const int y = box.top();
    const int s = box.width();
    canvas.Polyline({{x + s * 3 / 13, y + s * 6 / 13}, {x + s * 5 / 13, y + s * 9 / 13}, {x + s * 10 / 13, y + s * 3 / 13}});
}

void classicRadio(TGridCanvas& canvas, const QRect& box, bool on, bool enabled)
{
    canvas.Brush = TGridBrush{enabled ? clWindow : clBtnFace, bsSolid};
    canvas.Pen = TGridPen{clBtnShadow, 1, Qt::SolidLine};
    canvas.Ellipse(box);
    if (on) {
        const int d = std::max(2, box.width() / 2 - 1);
        canvas.Brush = TGridBrush{enabled ? clWindowText : clGrayText, bsSolid};
        canvas.Pen = TGridPen{enabled ? clWindowText : clGrayText, 1, Qt::SolidLine};
        canvas.Ellipse(QRect(box.left() + (box.width() - d) / 2, box.top() + (box.height() - d) / 2, d, d));
    }
}

}  // namespace

// --- size and place of a graphic --------------------------------------------------------------------

TCellGraphic* TExtStringGrid::GetCellGraphicSize(int ACol, int ARow, TCellVAlign& VAlign, TCellHAlign& HAlign,
                                                bool& ShowText, int& Height, int& Width)
{
    ShowText = true;
    Height = 0;
    Width = 0;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return nullptr;
    const int imageW = GridImages.isEmpty() ? 0 : GridImages.first().width();
    const int imageH = GridImages.isEmpty() ? 0 : GridImages.first().height();
    switch (g->CellType) {
    case ctBitmap:
    case ctIcon:
        Width = g->Picture.width();
        Height = g->Picture.height();
        break;
    case ctImageList:
        Width = imageW;
        Height = imageH;
        break;
    case ctDataImage:
        Width = imageW;
        Height = imageH;
        ShowText = false;
        break;
    case ctCheckBox:
        Width = Height = ControlLook.CheckSize();
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        Width = Height = ControlLook.CheckSize();
        ShowText = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator: ShowText = false; break;
    case ctImages: {
        const int n = int(g->Payload.toList().size());
        Width = g->CellBoolean ? n * imageW : imageW;
        Height = g->CellBoolean ? imageH : n * imageH;
        break;
    }
    case ctPicture:
    case ctFilePicture: {
        const QRect cell = MergedCellRect(ACol, ARow);
        const QSize area(std::max(0, cell.width() - g->CellIndex), std::max(0, cell.height() - g->CellIndex));
        const QSize fit = FitPictureSize(area, g->Picture.size(), g->CellAngle);
        Width = fit.width();
        Height = fit.height();
        break;
    }
    case ctButton:
    case ctBitButton:
        Width = g->CellIndex & 0xFFFF;
        Height = (unsigned(g->CellIndex) >> 16) & 0xFFFF;
        break;
    case ctProgressPie: Width = Height = 20; break;
    default: break;
    }
    HAlign = g->CellHAlign;
    VAlign = g->CellVAlign;
    return g;
}

void TExtStringGrid::DrawCellGraphic(TGridCanvas& Canvas, int ACol, int ARow, const QRect& Rect, TCellGraphic& Graphic,
                                     TGridDrawState State, TAlignment HAlign, TVAlignment VAlign, int TextWidth,
                                     int Width, int Height)
{
    const TCellType kind = Graphic.CellType;
    const int right = rightOf(Rect);
    const int bottom = bottomOf(Rect);
    int x = Rect.left() + 1;
    switch (Graphic.CellHAlign) {
    case haLeft: x = Rect.left() + 1; break;
    case haRight: x = right - 1 - Width; break;
    case haCenter: x = Width < Rect.width() ? Rect.left() + (Rect.width() - Width) / 2 : Rect.left() + 1; break;
    case haBeforeText:
        x = HAlign == taLeftJustify ? Rect.left() + 1 : std::max(Rect.left() + 1, right - TextWidth - Width);
        break;
    case haAfterText: x = HAlign == taRightJustify ? right - 1 - Width : Rect.left() + TextWidth; break;
    case haFull: x = Rect.left(); break;
    }
    TCellVAlign vAlign = Graphic.CellVAlign;
    const bool checkBox = IsCheckBoxCellType(kind);
    if (checkBox && VAlign != vAlignment_)
        vAlign = VAlign == vtaCenter ? vaCenter : VAlign == vtaBottom ? vaBottom : vaTop;
    int y = Rect.top() + 1;
    switch (vAlign) {
    case vaTop:
    case vaAboveText: y = Rect.top() + 1; break;
    case vaBottom: y = bottom - 1 - Height; break;
    case vaCenter: y = Height < Rect.height() ? Rect.top() + (Rect.height() - Height) / 2 : Rect.top() + 1; break;
    case vaUnderText: y = bottom - Height; break;
    case vaFull: y = Rect.top(); break;
    }
    if (checkBox) {
        // Check boxes follow the text's alignment.
        if (HAlign == taRightJustify)
            x = right - Width - 1 - (kind == ctCheckBox ? TextWidth : 0);
        else if (HAlign == taCenter)
            x = kind == ctCheckBox && TextWidth > 0 ? Rect.left() - Width + std::max(Rect.width() - TextWidth, 0) / 2
                                                    : Rect.left() + std::max(Rect.width() - Width, 0) / 2;
        else
            x = Rect.left() + 1;
        x = std::max(x, Rect.left() + 1);
    }
    const QRect placed(x, y, Graphic.CellHAlign == haFull ? Rect.width() : Width,
                       Graphic.CellVAlign == vaFull ? Rect.height() : Height);
    const bool enabled = ControlLook.NoDisabledCheckRadioLook() || CanEditCell(ACol, ARow);

    switch (kind) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox: {
        bool checked = false;
        if (kind == ctCheckBox || kind == ctRowCheckBox)
            checked = Graphic.CellBoolean;
        else
            checked = GetCellText(ACol, ARow) == GetCheckTrueText(ACol, ARow);
        DrawCheck(Canvas, placed, checked, enabled, ControlLook.ControlStyle());
        break;
    }
    case ctRadio: {
        int selected = Graphic.CellIndex;
        if (selected < 0)
            selected = int(Graphic.Options.indexOf(GetCellText(ACol, ARow)));
        if (cellShownSelected(ACol, ARow, State) && ShowSelection() && selectionTextColor_ != clNone)
            Canvas.FontColor = selectionTextColor_;
        DrawRadio(Canvas, Rect, Graphic.Options, selected, enabled, Graphic.CellBoolean);
        break;
    }
    case ctButton:
    case ctBitButton: drawButton(Canvas, ACol, ARow, placed, Graphic); break;
    case ctProgress: drawProgress(Canvas, ACol, ARow, Rect, Graphic); break;
    case ctProgressPie: DrawProgressPie(Canvas, QRect(x, y, 20, 20), clLime, int(Graphic.CellValue)); break;
    case ctRangeIndicator:
        DrawRangeIndicator(Canvas,
                           Rect.adjusted(ControlLook.ProgressMarginX(), ControlLook.ProgressMarginY(),
                                         -ControlLook.ProgressMarginX(), -ControlLook.ProgressMarginY()),
                           Graphic.CellValue, clLime, clRed, Graphic.CellBoolean, Graphic.RangeMax);
        break;
    case ctNode: drawNodeGlyph(Canvas, ARow, Rect, Graphic); break;
    case ctBitmap:
    case ctIcon:
        if (Graphic.CellTransparent && kind == ctBitmap) {
            const bool selected = cellShownSelected(ACol, ARow, State) && !(State & gdFocused);
            DrawTransparentBitmap(Canvas, Graphic.Picture, selected ? selectionColor_ : Canvas.Brush.Color, placed);
        } else {
            Canvas.DrawPixmap(placed, Graphic.Picture);
        }
        break;
    case ctImageList:
        if (Graphic.CellIndex >= 0 && Graphic.CellIndex < GridImages.size())
            Canvas.DrawPixmap(placed, GridImages[Graphic.CellIndex]);
        break;
    case ctDataImage: {
        // A cell whose text is no number shows no image: painting reports no errors.
        bool ok = false;
        const QString text = GetCellText(ACol, ARow);
        const int value = text.isEmpty() || text == QLatin1String("-") ? 0 : text.toInt(&ok);
        const int index = value + Graphic.CellIndex;
        if ((ok || text.isEmpty() || text == QLatin1String("-")) && index >= 0 && index < GridImages.size())
            Canvas.DrawPixmap(placed, GridImages[index]);
        break;
    }
    case ctImages: {
        int px = x;
        int py = y;
        for (const QVariant& v : Graphic.Payload.toList()) {
            const int index = v.toInt();
            if (index < 0 || index >= GridImages.size())
                continue;
            const QPixmap& image = GridImages[index];
            Canvas.DrawPixmap(QRect(px, py, image.width(), image.height()), image);
            if (Graphic.CellBoolean)
                px += image.width();
            else
                py += image.height();
        }
        break;
    }
    case ctPicture:
    case ctFilePicture:
        if (!Graphic.Picture.isNull())
            Canvas.DrawPixmap(placed, Graphic.Picture);
        break;
    case ctComment:
        if (ControlLook.CommentColor() != clNone) {
            const TColor color = Graphic.Payload.isValid() ? TColor(Graphic.Payload.toUInt()) : ControlLook.CommentColor();
            Canvas.Brush = TGridBrush{color, bsSolid};
            Canvas.Pen = TGridPen{color, 1, Qt::SolidLine};
            Canvas.Polygon({{right - 7, Rect.top() + 1}, {right - 2, Rect.top() + 1}, {right - 2, Rect.top() + 6}});
        }
        break;
    case ctRotated: {
        const QRect r = Rect.adjusted(2, 2, -2, -2);
        Canvas.Brush.Style = bsClear;
        // Turned around the bottom-left for positive angles, so that the text runs upwards inside.
        const int angle = Graphic.CellAngle;
        const int tx = r.left();
        const int ty = angle > 0 ? bottomOf(r) : r.top();
        Canvas.TextOut(tx, ty, GetCellText(ACol, ARow), angle * 10);
        break;
    }
    default: break;
    }
}

// --- check boxes and radio buttons --------------------------------------------------------------------

void TExtStringGrid::DrawCheck(TGridCanvas& Canvas, const QRect& R, bool Checked, bool Enabled, TControlStyle Style)
{
    const int size = ControlLook.CheckSize();
    const QRect square(R.left(), R.top(), size, size);
    switch (Style) {
    case csWinXP:
        DrawResourceBitmap(Canvas, QStringLiteral("ESGCHK0%1").arg(Checked ? (Enabled ? 5 : 7) : (Enabled ? 6 : 8)),
                           clNone, QRect(R.topLeft(), QSize(16, 16)));
        break;
    case csVantor:
        DrawResourceBitmap(Canvas, QStringLiteral("ESGCHK0%1").arg(Checked ? (Enabled ? 1 : 3) : (Enabled ? 2 : 4)),
                           clNone, QRect(R.topLeft(), QSize(20, 20)));
        break;
    case csBevelled: {
        Canvas.Brush = TGridBrush{Enabled ? clBtnFace : clBtnShadow, bsSolid};
        Canvas.Pen = TGridPen{clBtnFace, 1, Qt::SolidLine};
        Canvas.Rectangle(square);
        const int right = rightOf(square) - 1;
        const int bottom = bottomOf(square) - 1;
        Canvas.Pen = TGridPen{clBtnHighlight, 1, Qt::SolidLine};
        Canvas.Polyline({{square.left(), bottom}, square.topLeft(), {right, square.top()}});
        Canvas.Pen = TGridPen{clBtnShadow, 1, Qt::SolidLine};
        Canvas.Polyline({{right, square.top()}, {right, bottom}, {square.left(), bottom}});
        if (Checked) {
            Canvas.Pen = TGridPen{Enabled ? ControlLook.Color() : clGray, 2, Qt::SolidLine};
            const int top = square.top() - 1;
            const int b = bottom - 1;
            const int l = square.left();
            Canvas.Line({l + 2, top + size / 2 + 1}, {l + 2, b - 1});
            Canvas.Line({l + 3, top + size / 2}, {l + 3, b - 2});
            Canvas.Line({l + 2, b - 1}, {right - 2, top + 3});
            Canvas.Line({l + 3, b - 1}, {right - 1, top + 3});
        }
        break;
    }
    case csGlyph: {
        const QPixmap& glyph = Checked ? ControlLook.CheckedGlyph() : ControlLook.UnCheckedGlyph();
        if (!glyph.isNull())
            DrawTransparentBitmap(Canvas, glyph, Canvas.Brush.Color, QRect(R.topLeft(), glyph.size()));
        break;
    }
    case csTheme:
        // Without a theme the tick still shows: the classic box.
        if (DrawThemedPart(Canvas, this, QStringLiteral("button"), themepart::BP_CHECKBOX,
                           Checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4), square))
            break;
        [[fallthrough]];
    case csClassic:
    case csFlat: {
        const QRect box(R.left() + std::max(0, (R.width() - size) / 2), R.top() + std::max(0, (R.height() - size) / 2),
                        size, size);
        classicCheck(Canvas, box, Checked, Enabled, Style == csFlat);
        break;
    }
    }
}

void TExtStringGrid::DrawRadio(TGridCanvas& Canvas, const QRect& R, const QStringList& Texts, int Selected, bool Enabled,
                               bool Horizontal)
{
    const TControlStyle style = ControlLook.ControlStyle();
    const int button = style == csClassic ? ControlLook.RadioSize() : style == csFlat ? ControlLook.RadioSize() + 2 : 16;
    int lineHeight = Canvas.TextHeight();
    if (style != csClassic && style != csFlat)
        lineHeight = std::max(lineHeight, 16);
    const TGridBrush saved = Canvas.Brush;
    auto drawButton = [&](const QRect& box, bool on) {
        switch (style) {
        case csWinXP:
        case csVantor: {
            const int base = style == csVantor ? 0 : 4;
            DrawResourceBitmap(Canvas, QStringLiteral("ESGRAD0%1").arg(base + (on ? (Enabled ? 1 : 3) : (Enabled ? 2 : 4))),
                               clNone, box);
            break;
        }
        case csGlyph: {
            const QPixmap& glyph = on ? ControlLook.RadioOnGlyph() : ControlLook.RadioOffGlyph();
            if (!glyph.isNull())
                DrawTransparentBitmap(Canvas, glyph, Canvas.Brush.Color, QRect(box.topLeft(), glyph.size()));
            break;
        }
        case csBevelled: {
            const int x = box.left();
            const int y = box.top();
            Canvas.Brush = TGridBrush{clBtnFace, bsSolid};
            Canvas.Pen = TGridPen{clBtnFace, 1, Qt::SolidLine};
            Canvas.Polygon({{x + 2, y + 8}, {x + 8, y + 2}, {x + 14, y + 8}, {x + 8, y + 14}});
            Canvas.Pen = TGridPen{on ? clGray : clWhite, 1, Qt::SolidLine};
            Canvas.Polyline({{x + 8, y + 14}, {x + 2, y + 8}, {x + 8, y + 2}});
            Canvas.Pen = TGridPen{on ? clWhite : clGray, 1, Qt::SolidLine};
            Canvas.Polyline({{x + 8, y + 2}, {x + 14, y + 8}, {x + 8, y + 14}});
            break;
        }
        case csTheme:
            if (DrawThemedPart(Canvas, this, QStringLiteral("button"), themepart::BP_RADIOBUTTON,
                               on ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4), box))
                break;
            [[fallthrough]];
        default: classicRadio(Canvas, box, on, Enabled); break;
        }
    };
    Canvas.Brush = TGridBrush{saved.Color, bsClear};
    if (Horizontal) {
        int x = R.left() + 2;
        const int y = R.top() + (R.height() - button) / 2;
        for (int i = 0; i < Texts.size(); ++i) {
            drawButton(QRect(x, y, button, button), i == Selected);
            x += button;
            Canvas.Brush.Style = bsClear;
            const int tw = Canvas.TextWidth(Texts[i]);
            Canvas.TextRect(QRect(x + 2, R.top(), tw + 2, R.height()), Texts[i], tfLeft | tfVCenter | tfSingleLine);
            x += tw + 4;
        }
    } else {
        for (int i = 0; i < Texts.size(); ++i) {
            const int y = R.top() + 2 + i * lineHeight;
            const bool text = !Texts[i].isEmpty();
            const int x = text ? R.left() + 2 : R.left() + (R.width() - button) / 2;
            drawButton(QRect(x, y + (lineHeight - button) / 2, button, button), i == Selected);
            if (text) {
                Canvas.Brush.Style = bsClear;
                Canvas.TextRect(QRect(x + button + 2, y, R.width() - button - 4, lineHeight), Texts[i],
                                tfLeft | tfVCenter | tfSingleLine);
            }
        }
    }
    Canvas.Brush = saved;
}

// --- buttons, progress and nodes --------------------------------------------------------------------------

void TExtStringGrid::drawButton(TGridCanvas& Canvas, int ACol, int ARow, const QRect& R, const TCellGraphic& Graphic)
{
    const bool enabled = ControlLook.NoDisabledButtonLook() || CanEditCell(ACol, ARow);
    const bool pushed = Graphic.CellBoolean;
    QRect content = R;
    if (!DrawThemedPart(Canvas, this, QStringLiteral("button"), themepart::BP_PUSHBUTTON,
                        enabled ? (pushed ? 3 : 1) : 4, R)) {
        Canvas.Brush = TGridBrush{clBtnFace, bsSolid};
        Canvas.FillRect(R);
        const int right = rightOf(R) - 1;
        const int bottom = bottomOf(R) - 1;
        if (ControlLook.FlatButton()) {
            Canvas.Pen = TGridPen{clBtnShadow, 1, Qt::SolidLine};
            Canvas.Polyline({R.topLeft(), {right, R.top()}, {right, bottom}, {R.left(), bottom}, R.topLeft()});
        } else {
            Canvas.Pen = TGridPen{pushed ? cl3DDkShadow : clBtnHighlight, 1, Qt::SolidLine};
            Canvas.Polyline({{R.left(), bottom}, R.topLeft(), {right + 1, R.top()}});
            Canvas.Pen = TGridPen{pushed ? clBtnHighlight : cl3DDkShadow, 1, Qt::SolidLine};
            Canvas.Polyline({{R.left(), bottom}, {right, bottom}, {right, R.top() - 1}});
            Canvas.Pen = TGridPen{clBtnShadow, 1, Qt::SolidLine};
            Canvas.Polyline({{R.left() + 1, bottom - 1}, {right - 1, bottom - 1}, {right - 1, R.top()}});
        }
        content.adjust(pushed ? 3 : 2, pushed ? 3 : 2, -2, -2);
    }
    if (Graphic.CellType == ctBitButton && !Graphic.Picture.isNull()) {
        const QPixmap& glyph = Graphic.Picture;
        DrawTransparentBitmap(Canvas, glyph, clBtnFace,
                              QRect(content.left(), content.top() + (content.height() - glyph.height()) / 2, glyph.width(),
                                    glyph.height()));
        content.setLeft(content.left() + glyph.width() + 2);
    }
    Canvas.Brush.Style = bsClear;
    Canvas.FontColor = enabled ? clBtnText : clGrayText;
    Canvas.TextRect(content, Graphic.CellText, tfCenter | tfVCenter | tfSingleLine | tfEndEllipsis);
}

void TExtStringGrid::drawProgress(TGridCanvas& Canvas, int ACol, int ARow, QRect R, const TCellGraphic& Graphic)
{
    // The cell's integer value; a text that is none reads as 0, as painting reports no errors.
    const QString text = GetCellText(ACol, ARow);
    bool ok = false;
    int value = text.toInt(&ok);
    if (!ok)
        value = 0;
    const TControlStyle style = ControlLook.ControlStyle();
    if ((style == csWinXP || style == csTheme) && ThemedDrawing() && ControlLook.ProgressXP()) {
        R.adjust(ControlLook.ProgressMarginX(), ControlLook.ProgressMarginY(), -ControlLook.ProgressMarginX(),
                 -ControlLook.ProgressMarginY());
        DrawThemedPart(Canvas, this, QStringLiteral("progress"), themepart::PP_BAR, 1, R);
        R.adjust(2, 2, -2, -2);
        const int range = Graphic.RangeMax - Graphic.RangeMin;
        const int percent = range == 0 ? 0 : std::clamp((value - Graphic.RangeMin) * 100 / range, 0, 100);
        DrawThemedPart(Canvas, this, QStringLiteral("progress"), themepart::PP_CHUNK, 1,
                       QRect(R.left(), R.top(), (percent * R.width() + 50) / 100, R.height()));
        return;
    }
    R.adjust(2, 2, -2, -2);
    TProgressColors colors;
    colors.Bar = clHighlight;
    colors.BarText = clHighlightText;
    colors.Back = Canvas.Brush.Color;
    colors.BackText = Canvas.FontColor;
    colors.Frame = ControlLook.ProgressBorderColor();
    if (Graphic.CellBoolean) {
        colors.Bar = complement(colors.Bar);
        colors.BarText = complement(colors.BarText);
        colors.Back = complement(colors.Back);
        colors.BackText = complement(colors.BackText);
    }
    DrawProgress(Canvas, R, colors, Graphic.RangeMin, Graphic.RangeMax, value, ControlLook.ProgressMarginX(),
                 ControlLook.ProgressMarginY(), Graphic.CellText);
}

void TExtStringGrid::drawNodeGlyph(TGridCanvas& Canvas, int ARow, const QRect& R, const TCellGraphic& Graphic)
{
    int x = R.left() + RowIndent(ARow) - CellNode.NodeIndent();
    const int top = R.top();
    if (ARow < TCustomGrid::FixedRows() && TCustomGrid::FixedCols() > 0 && !Flat &&
        (look_ == glSoft || look_ == glVantor || look_ == glXP || look_ == glListView))
        ++x;
    const bool contracted = Graphic.CellBoolean;
    switch (CellNode.NodeType()) {
    case cnLeaf:
        DrawResourceBitmap(Canvas, contracted ? QStringLiteral("ESGLEAFCLOSE") : QStringLiteral("ESGLEAFOPEN"), clNone,
                           QRect(x, top + 2, 16, 16));
        return;
    case cnXP:
        DrawResourceBitmap(Canvas, contracted ? QStringLiteral("XPNODEC") : QStringLiteral("XPNODEO"), clNone,
                           QRect(x + 4, top + 6, 9, 9));
        return;
    case cnGlyph:
        if (!CellNode.ExpandGlyph().isNull() && !CellNode.ContractGlyph().isNull()) {
            const QPixmap& glyph = contracted ? CellNode.ContractGlyph() : CellNode.ExpandGlyph();
            DrawTransparentBitmap(Canvas, glyph, Canvas.Brush.Color, QRect(QPoint(x, top), glyph.size()));
            return;
        }
        [[fallthrough]];
    case cnFlat:
    case cn3D: {
        const QRect box(x + 4, top + (R.height() - 8) / 2, 8, 8);
        if (CellNode.NodeType() == cn3D) {
            Canvas.Brush = TGridBrush{clBtnFace, bsSolid};
            Canvas.FillRect(box);
            Canvas.Pen = TGridPen{contracted ? clBtnHighlight : clBtnShadow, 1, Qt::SolidLine};
            Canvas.Polyline({{box.left(), bottomOf(box) - 1}, box.topLeft(), {rightOf(box), box.top()}});
            Canvas.Pen = TGridPen{contracted ? clBtnShadow : clBtnHighlight, 1, Qt::SolidLine};
            Canvas.Polyline({{box.left(), bottomOf(box) - 1}, {rightOf(box) - 1, bottomOf(box) - 1}, {rightOf(box) - 1, box.top() - 1}});
        } else {
            Canvas.Brush = TGridBrush{CellNode.Color(), bsSolid};
            Canvas.Pen = TGridPen{CellNode.NodeColor(), 1, Qt::SolidLine};
            Canvas.Rectangle(box);
        }
        Canvas.Pen = TGridPen{CellNode.NodeColor(), 1, Qt::SolidLine};
        const int my = box.top() + 4;
        Canvas.Line({box.left() + 2, my}, {rightOf(box) - 2, my});
        if (contracted)
            Canvas.Line({box.left() + 4, box.top() + 2}, {box.left() + 4, bottomOf(box) - 2});
        return;
    }
    }
}

// --- the sort glyph ------------------------------------------------------------------------------------------

void TExtStringGrid::DrawSortGlyph(TGridCanvas& Canvas, int ACol, int X, int Y)
{
    const int entry = SortIndexes.FindIndex(ACol);
    if (SortSettings.IndexShow && entry >= 0) {
        const bool ascending = TSortIndexList::AscendingOf(SortIndexes.Items(entry));
        Canvas.Brush = TGridBrush{SortSettings.IndexColor, bsSolid};
        Canvas.Pen = TGridPen{clBlack, 1, Qt::SolidLine};
        const bool glyphs = !SortSettings.IndexUpGlyph.isNull() && !SortSettings.IndexDownGlyph.isNull();
        if (ascending) {
            if (glyphs)
                DrawTransparentBitmap(Canvas, SortSettings.IndexDownGlyph, Canvas.Brush.Color,
                                      QRect(QPoint(X - 7, Y - 7), SortSettings.IndexDownGlyph.size()));
            else
                Canvas.Polygon({{X - 6, Y + 8}, {X + 6, Y + 8}, {X, Y - 4}});
        } else {
            if (glyphs)
                DrawTransparentBitmap(Canvas, SortSettings.IndexUpGlyph, Canvas.Brush.Color,
                                      QRect(QPoint(X - 7, Y - 7), SortSettings.IndexUpGlyph.size()));
            else
                Canvas.Polygon({{X - 7, Y - 5}, {X + 7, Y - 5}, {X, Y + 8}});
        }
        QFont small = Canvas.Font;
        small.setPointSize(6);
        const QFont savedFont = Canvas.Font;
        const TColor savedColor = Canvas.FontColor;
        Canvas.Font = small;
        Canvas.FontColor = clBlack;
        Canvas.Brush.Style = bsClear;
        Canvas.TextOut(X - 2, ascending ? Y - 2 : Y - 4, QString::number(entry + 1));
        Canvas.Font = savedFont;
        Canvas.FontColor = savedColor;
    } else if (SortSettings.Direction == sdAscending) {
        if (!SortSettings.UpGlyph.isNull() && !SortSettings.DownGlyph.isNull()) {
            DrawTransparentBitmap(Canvas, SortSettings.UpGlyph, Canvas.Brush.Color,
                                  QRect(QPoint(X - 4, Y - 4), SortSettings.UpGlyph.size()));
        } else {
            Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
            Canvas.Polyline({{X - 4, Y + 4}, {X + 4, Y + 4}, {X, Y - 4}});
            Canvas.Pen = TGridPen{clGray, 1, Qt::SolidLine};
            Canvas.Line({X, Y - 4}, {X - 4, Y + 4});
        }
    } else {
        if (!SortSettings.UpGlyph.isNull() && !SortSettings.DownGlyph.isNull()) {
            DrawTransparentBitmap(Canvas, SortSettings.DownGlyph, Canvas.Brush.Color,
                                  QRect(QPoint(X - 4, Y - 4), SortSettings.DownGlyph.size()));
        } else {
            Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
            Canvas.Line({X + 4, Y - 4}, {X, Y + 4});
            Canvas.Pen = TGridPen{clGray, 1, Qt::SolidLine};
            Canvas.Polyline({{X, Y + 4}, {X - 4, Y - 4}, {X + 4, Y - 4}});
        }
    }
    Canvas.Pen = TGridPen{clBlack, 1, Qt::SolidLine};
}
