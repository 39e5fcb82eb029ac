// TExtStringGrid: a cell's text as it is drawn and measured. The text is classified by its first
// characters: a formula shows what GetCellTextHook computes, wide text is decoded, rich text goes
// through the rich-text reader, HTML through the mark-up renderer, and plain text keeps its lines,
// wraps or ends in an ellipsis, shows URLs underlined and hides a password's characters.
#include "grid/display/extgrid.h"

#include <QPainter>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>

#include "grid/display/esghtmle.h"
#include "grid/display/extutil.h"
#include "grid/display/rtfreader.h"

namespace {

TTextFlags alignFlags(TAlignment h, TVAlignment v)
{
    TTextFlags f = h == taRightJustify ? tfRight : h == taCenter ? tfCenter : tfLeft;
    f |= v == vtaBottom ? tfBottom : v == vtaCenter ? tfVCenter : tfTop;
    return f;
}

int rightOf(const QRect& r)
{
    return r.left() + r.width();
}

int bottomOf(const QRect& r)
{
    return r.top() + r.height();
}

QString firstLine(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    return text.section(breaks, 0, 0);
}

}  // namespace

void TExtStringGrid::GetCellTextHook(int ACol, int ARow, QString& Text)
{
    Text = GetCellText(ACol, ARow);
}

QString TExtStringGrid::GetDisplayText(int ACol, int ARow)
{
    QString text = DisplayFormattedText ? GetFormattedText(ACol, ARow) : GetCellText(ACol, ARow);
    if (text.isEmpty() && GetCellType(ACol, ARow) == ctCheckBox) {
        bool state = false;
        GetCheckBoxState(ACol, ARow, state);
        text = state ? GetCheckTrueText(ACol, ARow) : GetCheckFalseText(ACol, ARow);
    }
    if (!DisplayKeepTags && CellTextKind(text, EnableHTML) == ctkHTML)
        text = StripHTML(text);
    return text;
}

void TExtStringGrid::rewriteTexts(bool DoFixed, const std::function<QString(const QString&)>& Rewrite)
{
    const int c0 = DoFixed ? 0 : TCustomGrid::FixedCols();
    const int c1 = DoFixed ? ColCount() - 1 : ColCount() - 1 - fixedRightCols_;
    const int r0 = DoFixed ? 0 : TCustomGrid::FixedRows();
    const int r1 = DoFixed ? RowCount() - 1 : RowCount() - 1 - fixedFooters_;
    BeginUpdate();
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            const QString text = GetCellText(c, r);
            const QString changed = Rewrite(text);
            if (changed != text)
                SetCellText(c, r, changed);
        }
    EndUpdate();
}

void TExtStringGrid::HighlightText(bool DoFixed, bool CaseSensitive, const QString& AText)
{
    rewriteTexts(DoFixed, [&](const QString& t) { return ::HighlightText(t, AText, QStringLiteral("hi"), CaseSensitive); });
}

void TExtStringGrid::UnHighlightAll(bool DoFixed)
{
    rewriteTexts(DoFixed, [](const QString& t) { return UnHighlightText(t, QStringLiteral("hi")); });
}

int TExtStringGrid::DrawCellText(TGridCanvas& Canvas, int ACol, int ARow, QRect Rect, TGridDrawState State,
                                 TAlignment HAlign, TVAlignment VAlign, bool WordWrap, const TCellGraphic* Graphic,
                                 int GraphicWidth, int GraphicHeight, TCellHAlign GraphicHAlign,
                                 TCellVAlign GraphicVAlign)
{
    const int realCol = RealColIndex(ACol);
    const bool selected = cellShownSelected(ACol, ARow, State) && showSelection_ && !(State & gdFixed);
    TColor urlColor = selected && selectionTextColor_ != clNone ? selectionTextColor_ : urlColor_;

    QString text = GetFormattedText(ACol, ARow);
    int kind = CellTextKind(text, EnableHTML);
    if (kind == ctkFormula) {
        GetCellTextHook(ACol, ARow, text);
        kind = CellTextKind(text, EnableHTML);
        if (kind == ctkFormula)
            kind = ctkPlain;
    }
    if (IsPasswordCell(realCol, ARow))
        text.fill(PasswordChar);

    // Room for the text: the margins, and the graphic's place beside, above or under it.
    QRect tr(Rect.left() + XYOffsetX, Rect.top() + XYOffsetY, Rect.width() - 2 * XYOffsetX, Rect.height() - XYOffsetY);
    if (Graphic && GraphicWidth > 0) {
        if (GraphicHAlign == haBeforeText)
            tr.setLeft(tr.left() + GraphicWidth);
        else if (GraphicHAlign == haAfterText)
            tr.setRight(tr.right() - GraphicWidth);
    }
    if (Graphic && GraphicHeight > 0) {
        if (GraphicVAlign == vaAboveText)
            tr.setTop(tr.top() + GraphicHeight);
        else if (GraphicVAlign == vaUnderText)
            tr.setBottom(tr.bottom() - GraphicHeight);
    }
    const bool filter = ARow == 0 && HasColumnFilter(realCol);
    if (filter)
        DrawResourceBitmap(Canvas, QStringLiteral("ESGFILT"), clNone,
                           QRect(rightOf(Rect) - 16, Rect.top() + (Rect.height() - 16) / 2, 16, 16));
    const bool sortGlyph = SortSettings.Show() && ARow == SortSettings.Row() && RowCount() > 2 &&
                           TCustomGrid::FixedRows() > 0 &&
                           (realCol == SortSettings.Column || SortIndexes.FindIndex(realCol) >= 0) &&
                           (ACol >= TCustomGrid::FixedCols() || SortSettings.FixedCols);
    const TGridBrush savedBrush = Canvas.Brush;
    const QFont savedFont = Canvas.Font;
    int width = 0;

    switch (kind) {
    case ctkHTML: {
        tr.setLeft(tr.left() - 1);
        if (filter)
            tr.setRight(tr.right() - 18);
        if (sortGlyph)
            tr.setRight(tr.right() - 10);
        THTMLDrawInput in;
        in.Rect = tr;
        in.Images = &GridImages;
        in.URLColor = urlColor;
        in.KeepColors = selected;
        in.WordWrap = WordWrap;
        in.PictureContainer = PictureContainer.data();
        in.PictureCache = PictureCache;
        in.Window = this;
        in.HoverLink = hoverCell_ == TGridCoord{ACol, ARow} ? hoverLink_ : -1;
        in.HoverStyle = hoverCell_ == TGridCoord{ACol, ARow};
        in.BlinkOn = blinkOn_ || !EnableBlink;
        Canvas.Brush.Style = bsClear;
        const THTMLDrawResult r = DrawHTMLText(Canvas, text, in);
        width = r.XSize + 2;
        break;
    }
    case ctkRichText: {
        if (!(selected && !(State & gdFocused) && selectionColor_ == clNone))
            Canvas.FillRect(Rect);
        const std::shared_ptr<QTextDocument> doc(RichTextDocument(text, Canvas.Font).release());
        doc->setTextWidth(tr.width());
        const QRect box = tr;
        Canvas.Custom(box, QStringLiteral("rich text"), [doc, box](QPainter& p) {
            p.save();
            p.translate(box.topLeft());
            doc->drawContents(&p, QRectF(0, 0, box.width(), box.height()));
            p.restore();
        });
        width = int(doc->idealWidth()) + 2;
        break;
    }
    case ctkWide: {
        const QString wide = CellTextToWide(text.toLatin1());
        if (sortGlyph)
            tr.setRight(tr.right() - 10);
        TTextFlags flags = alignFlags(HAlign, VAlign);
        flags |= (WordWrap || Multilinecells) ? tfWordBreak : (tfSingleLine | tfEndEllipsis);
        Canvas.Brush.Style = bsClear;
        if (!wide.isEmpty())
            width = Canvas.TextRect(tr, wide, flags).width() + 2;
        break;
    }
    default: {
        if (sortGlyph && ARow == 0) {
            if (HAlign == taLeftJustify)
                tr.setRight(tr.right() - 14);
            else
                tr.setLeft(tr.left() + 14);
        } else if (sortGlyph && HAlign == taCenter) {
            tr.setLeft(tr.left() + 10);
        }
        // A link shows without its scheme (unless URLFull), underlined in the link colour.
        if (urlShow_ && IsURL(text)) {
            if (!urlFull_)
                StripURLPrefix(text);
            QFont f = Canvas.Font;
            f.setUnderline(true);
            Canvas.Font = f;
            Canvas.FontColor = urlColor;
        }
        TTextFlags flags = alignFlags(HAlign, VAlign);
        const bool oneLine = !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'));
        if (!WordWrap && !Multilinecells) {
            if (!oneLine)
                text = firstLine(text);
            flags |= tfSingleLine;
            if (!EnhTextSize)
                flags |= tfEndEllipsis;
        } else if (WordWrap) {
            flags |= tfWordBreak;
            if (!EnhTextSize && !Multilinecells)
                flags |= tfEndEllipsis;
        }
        if (filter)
            tr.setRight(tr.right() - 16);
        Canvas.Brush.Style = bsClear;
        if (!text.isEmpty()) {
            width = Canvas.TextRect(tr, text, flags).width() + 2;
            int from = 0;
            int len = 0;
            GetCellErrorRange(ACol, ARow, from, len);
            if (len > 0)
                DrawErrorUnderline(Canvas, tr, text, from, len, 0);
        }
        break;
    }
    }
    Canvas.Brush = savedBrush;
    Canvas.Font = savedFont;

    if (sortGlyph) {
        const int graphicWidth = Graphic ? GraphicWidth : 0;
        const int span = std::min(width, Rect.width() - 16);
        const int x = HAlign == taLeftJustify    ? Rect.left() + span + 10 + graphicWidth
                      : HAlign == taRightJustify ? rightOf(Rect) - span - 10
                                                 : Rect.left() + 8;
        const int y = VAlign == vtaTop      ? Rect.top() + 8
                      : VAlign == vtaBottom ? bottomOf(Rect) - 8
                                            : Rect.top() + Rect.height() / 2;
        const int entry = SortIndexes.FindIndex(realCol);
        if (entry <= 0 || SortSettings.IndexShow)
            DrawSortGlyph(Canvas, realCol, x, y);
    }
    return width;
}

QSize TExtStringGrid::CellTextSize(int ACol, int ARow, bool WordWrap)
{
    QString text = GetCellText(ACol, ARow);
    int kind = CellTextKind(text, EnableHTML);
    if (kind == ctkFormula) {
        GetCellTextHook(ACol, ARow, text);
        kind = ctkPlain;
    }
    // The cell's font.
    TMeasureCanvas measure;
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    bool wrap = false;
    TColor to = clNone;
    TGridDrawState state;
    GetCellDrawSettings(measure, ACol, ARow, h, v, wrap, to, true, false, false, state);
    const int mx = XYOffsetX;
    const int my = XYOffsetY;
    const QRect cell = MergedCellRect(ACol, ARow);
    if (kind == ctkHTML) {
        THTMLDrawInput in;
        in.Rect = WordWrap ? cell.adjusted(mx, my, -mx, -my) : QRect(0, 0, 65535, 65535);
        in.MeasureOnly = true;
        in.WordWrap = WordWrap;
        in.Images = &GridImages;
        in.PictureContainer = PictureContainer.data();
        const THTMLDrawResult r = DrawHTMLText(measure, text, in);
        return QSize(r.XSize + 2 + 2 * mx, r.YSize + 2 + 2 * my);
    }
    if (kind == ctkWide)
        text = CellTextToWide(text.toLatin1());
    if (kind == ctkRichText) {
        const std::unique_ptr<QTextDocument> doc = RichTextDocument(text, measure.Font);
        if (WordWrap)
            doc->setTextWidth(cell.width());
        return QSize(int(doc->idealWidth()) + 2 * mx, int(doc->size().height()) + 2 * my);
    }
    const int lineHeight = measure.TextHeight();
    if (!WordWrap) {
        static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
        const QStringList lines = text.split(breaks);
        int widest = 0;
        for (QString line : lines) {
            if (urlShow_ && !urlFull_ && IsURL(line))
                StripURLPrefix(line);
            widest = std::max(widest, measure.TextWidth(line));
        }
        return QSize(widest + 2 * mx, int(lines.size()) * lineHeight + 2 * my);
    }
    const QRect box = cell.adjusted(2 + mx, 2 + my, -2 - mx, -2 - my);
    const QRect r = measure.TextRect(box, text, tfWordBreak | tfCalcRect);
    return QSize(box.width() + 2 * mx, r.height() + 2 * my);
}
