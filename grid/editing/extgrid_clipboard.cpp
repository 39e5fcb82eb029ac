// TExtStringGrid, editing half: copy, cut and paste of blocks of cells, and the grid's own stream
// of cells with their records and graphics.
//
// A copy puts the block on the clipboard as text (what spreadsheet programs read), optionally
// the top-left cell's rich text, and optionally the grid's own stream (gridcellstream.h), which
// is read whole and checked before the grid is touched, so that a damaged or foreign stream
// pastes nothing. Pasted cells pass the same rules as pasted text: the paste events, and only
// cells that may be edited are written.
#include "grid/display/extgrid.h"

#include <QClipboard>
#include <QIODevice>
#include <QGuiApplication>
#include <QMimeData>
#include <QPoint>
#include <QRect>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

#include "grid/display/esghtmle.h"
#include "grid/display/extutil.h"
#include "grid/display/rtfreader.h"
#include "grid/editing/gridcellstream.h"
#include "grid/editing/gridclipboard.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

const QString kRtfMimeType = QStringLiteral("text/rtf");

std::vector<int> runOf(int first, int last)
{
    std::vector<int> v;
    for (int i = first; i <= last; ++i)
        v.push_back(i);
    return v;
}

bool contiguous(const std::vector<int>& v)
{
    return v.empty() || v.back() - v.front() + 1 == int(v.size());
}

QRect cellsRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(std::max(left, right), std::max(top, bottom)));
}

int nextGridId()
{
    static int last = 0;
    return ++last;
}

}  // namespace

// The steps of the clipboard that need the grid's own members.
struct TGridClipboard {
    static QByteArray encode(TExtStringGrid& g, const std::vector<int>& Cols, const std::vector<int>& Rows);
    static int place(TExtStringGrid& g, const TGridCoord& Pos, const TGridCellBlock& b);
    static void applyProps(TExtStringGrid& g, int RealCol, int ARow, const TGridStreamCell& c);
};

int TExtStringGrid::GridId() const
{
    if (gridId_ == 0)
        gridId_ = nextGridId();
    return gridId_;
}

// --- writing -----------------------------------------------------------------------------------

QByteArray TGridClipboard::encode(TExtStringGrid& g, const std::vector<int>& Cols, const std::vector<int>& Rows)
{
    TGridCellBlock b;
    b.Left = Cols.front();
    b.Top = Rows.front();
    b.Cols = int(Cols.size());
    b.Rows = int(Rows.size());
    // The whole grid (or all of it past its fixed cells when those are not saved).
    const bool all = b.Left == 0 && b.Top == 0;
    const bool allData = !g.SaveFixedCells && b.Left == g.FixedCols() && b.Top == g.FixedRows();
    b.FullGrid = contiguous(Cols) && contiguous(Rows) && (all || allData) && Cols.back() == g.ColCount() - 1 &&
                 Rows.back() == g.RowCount() - 1;
    b.Id = g.GridId();
    for (int c : Cols)
        b.Widths.push_back(g.ColWidths(c));
    for (int r : Rows)
        b.Heights.push_back(g.RowHeights(r));
    // Merged areas go whole only within a block of adjacent cells.
    const bool keepMerges = contiguous(Cols) && contiguous(Rows);
    int lastProgress = -1;
    for (size_t j = 0; j < Rows.size(); ++j) {
        const int r = Rows[j];
        for (size_t i = 0; i < Cols.size(); ++i) {
            const int real = g.RealColIndex(Cols[i]);
            const QString& text = g.RawCellRef(real, r);
            const TCellProperties* p = g.FindCellProperties(real, r);
            if (text.isEmpty() && !p)
                continue;
            TGridStreamCell c;
            c.Col = int(i);
            c.Row = int(j);
            c.Text = text;
            c.HasProp = p != nullptr;
            if (p) {
                TGridStreamProps& s = c.Props;
                // A merge goes with its base cell, clipped to the block; the other cells of the
                // area are merged again when the base is pasted.
                if (keepMerges && p->IsBaseCell && (p->CellSpanX > 0 || p->CellSpanY > 0)) {
                    s.SpanX = std::min(std::max(p->CellSpanX, 0), int(Cols.size() - 1 - i));
                    s.SpanY = std::min(std::max(p->CellSpanY, 0), int(Rows.size() - 1 - j));
                }
                s.BrushColor = p->BrushColor();
                s.BrushColorTo = p->BrushColorTo();
                s.BrushStyle = p->BrushStyle;
                s.FontSize = p->FontSize;
                s.FontColor = p->FontColor;
                s.FontStyle = p->FontStyle;
                s.FontName = p->FontName;
                s.BorderWidth = p->BorderWidth;
                s.BorderColor = p->BorderColor;
                s.Alignment = p->Alignment;
                s.VAlignment = p->VAlignment();
                s.WordWrap = p->WordWrap();
                s.FooterCalc = p->FooterCalc;
                s.NodeLevel = p->NodeLevel;
                s.Editor = p->Editor;
                s.ReadOnly = p->ReadOnly;
                // An object the grid did not make itself belongs to the application: not carried.
                const TCellGraphic* graphic = p->Graphic.get();
                s.HasGraphic = graphic && (!GraphicCarriesObject(graphic->CellType) || graphic->CellCreated);
                if (s.HasGraphic)
                    s.Graphic = *graphic;
            }
            b.Cells.push_back(std::move(c));
        }
        if (g.OnFileProgress) {
            const int progress = int(std::lround(100.0 * double(j) / double(std::max<size_t>(1, Rows.size() - 1))));
            if (progress != lastProgress) {
                lastProgress = progress;
                g.OnFileProgress(&g, progress);
            }
        }
    }
    return WriteGridCellStream(b);
}

void TExtStringGrid::SaveCellsToStream(const TGridRect& R, QIODevice& Stream)
{
    const int left = std::max(std::min(R.Left, R.Right), 0);
    const int right = std::min(std::max(R.Left, R.Right), ColCount() - 1);
    const int top = std::max(std::min(R.Top, R.Bottom), 0);
    const int bottom = std::min(std::max(R.Top, R.Bottom), RowCount() - 1);
    if (left > right || top > bottom)
        return;
    Stream.write(TGridClipboard::encode(*this, runOf(left, right), runOf(top, bottom)));
}

// --- placing a block ---------------------------------------------------------------------------

bool TExtStringGrid::pasteAllowed(int ACol, int ARow)
{
    return Navigation.AllowClipboardAlways || CellEditable(ACol, ARow);
}

bool TExtStringGrid::passPasteEvent(int ACol, int ARow, QString& Value)
{
    bool allow = true;
    const int real = RealColIndex(ACol);
    if (Value.startsWith(QLatin1String("|\\"))) {
        if (OnClipboardBeforePasteWideCell)
            OnClipboardBeforePasteWideCell(this, real, ARow, Value, allow);
    } else if (OnClipboardBeforePasteCell) {
        OnClipboardBeforePasteCell(this, real, ARow, Value, allow);
    }
    return allow;
}

int TExtStringGrid::growForPaste(int ACol, int ARow, int Cols, int Rows)
{
    if (ACol + Cols > ColCount() && Navigation.AllowClipboardColGrow)
        SetColCount(ACol + Cols);
    // New rows go before the footers.
    const int dataEnd = RowCount() - FixedFooters();
    if (ARow + Rows > dataEnd && Navigation.AllowClipboardRowGrow)
        InsertRows(dataEnd, ARow + Rows - dataEnd);
    return RowCount() - FixedFooters() - 1;  // the last row that takes pasted cells
}

void TGridClipboard::applyProps(TExtStringGrid& g, int RealCol, int ARow, const TGridStreamCell& c)
{
    TCellProperties* p = g.CellProperties(RealCol, ARow);
    const TGridStreamProps& s = c.Props;
    p->SetBrushColor(s.BrushColor);
    p->SetBrushColorTo(s.BrushColorTo);
    p->BrushStyle = s.BrushStyle;
    p->FontSize = s.FontSize;
    p->FontColor = s.FontColor;
    p->FontStyle = s.FontStyle;
    p->FontName = s.FontName;
    p->BorderWidth = s.BorderWidth;
    p->BorderColor = s.BorderColor;
    p->Alignment = s.Alignment;
    p->SetVAlignment(s.VAlignment);
    p->SetWordWrap(s.WordWrap);
    p->FooterCalc = s.FooterCalc;
    p->NodeLevel = s.NodeLevel;
    p->Editor = s.Editor;
    p->ReadOnly = s.ReadOnly;
    if (s.HasGraphic)
        p->Graphic = std::make_unique<TCellGraphic>(s.Graphic);
    else
        p->Graphic.reset();
}

int TGridClipboard::place(TExtStringGrid& g, const TGridCoord& Pos, const TGridCellBlock& b)
{
    int originCol = Pos.X;
    int originRow = Pos.Y;
    int lastRow;
    if (b.FullGrid) {
        // The block is a whole grid: it replaces this one, which must let every cell go.
        if (!g.Navigation.AllowClipboardAlways) {
            for (int r = g.FixedRows(); r < g.RowCount() - g.FixedFooters(); ++r)
                for (int c = g.FixedCols(); c < g.ColCount() - g.FixedRightCols(); ++c)
                    if (!g.CellEditable(c, r))
                        return 0;
        }
        g.BeginUpdate();
        g.ClearAll();
        g.SetColCount(std::max(1, b.Left + b.Cols));
        g.SetRowCount(std::max(1, b.Top + b.Rows));
        for (int i = 0; i < b.Cols; ++i)
            g.SetColWidths(b.Left + i, b.Widths[size_t(i)]);
        for (int j = 0; j < b.Rows; ++j)
            g.SetRowHeights(b.Top + j, b.Heights[size_t(j)]);
        originCol = b.Left;
        originRow = b.Top;
        lastRow = g.RowCount() - 1;
    } else {
        if (originCol < 0 || originRow < 0 || originCol >= g.ColCount() || originRow >= g.RowCount())
            return 0;
        g.BeginUpdate();
        lastRow = g.growForPaste(originCol, originRow, b.Cols, b.Rows);
    }
    struct Merge {
        int col, row, spanX, spanY;
    };
    std::vector<Merge> merges;
    int written = 0;
    for (const TGridStreamCell& c : b.Cells) {
        const int col = originCol + c.Col;
        const int row = originRow + c.Row;
        if (col >= g.ColCount() || row > lastRow)
            continue;
        QString value = c.Text;
        if (!g.passPasteEvent(col, row, value))
            continue;
        if (!b.FullGrid && !g.pasteAllowed(col, row))
            continue;
        const int real = g.RealColIndex(col);
        if (g.IsMergedCell(real, row))
            g.SplitCells(real, row);
        g.SetCellText(real, row, value);
        if (c.HasProp) {
            applyProps(g, real, row, c);
            if (c.Props.SpanX > 0 || c.Props.SpanY > 0)
                merges.push_back({real, row, c.Props.SpanX, c.Props.SpanY});
        }
        ++written;
    }
    for (const Merge& m : merges)
        g.MergeCells(m.col, m.row, m.spanX + 1, m.spanY + 1);
    g.EndUpdate();
    if (written == 0)
        return 0;
    g.CellsChanged(cellsRect(originCol, originRow, std::min(originCol + b.Cols, g.ColCount()) - 1,
                             std::min(originRow + b.Rows - 1, g.RowCount() - 1)));
    return b.Cols * b.Rows;
}

int TExtStringGrid::LoadCellsFromStream(const TGridCoord& Pos, QIODevice& Stream)
{
    TGridCellBlock b;
    if (!ReadGridCellStream(Stream.readAll(), b))
        return 0;
    return TGridClipboard::place(*this, Pos, b);
}

int TExtStringGrid::PasteText(int ACol, int ARow, const QString& Text)
{
    const std::vector<QStringList> rows = ParseClipboardText(Text);
    if (rows.empty() || ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return 0;
    int width = 0;
    for (const QStringList& r : rows)
        width = std::max(width, int(r.size()));
    BeginUpdate();
    const int lastRow = growForPaste(ACol, ARow, width, int(rows.size()));
    int written = 0;
    for (size_t j = 0; j < rows.size(); ++j) {
        const int row = ARow + int(j);
        if (row > lastRow)
            break;
        for (int i = 0; i < int(rows[j].size()); ++i) {
            const int col = ACol + i;
            if (col >= ColCount())
                break;
            QString value = rows[j][i];
            if (!passPasteEvent(col, row, value) || !pasteAllowed(col, row))
                continue;
            const int real = RealColIndex(col);
            SetCellText(real, row, value);
            ++written;
        }
    }
    EndUpdate();
    if (written > 0)
        CellsChanged(cellsRect(ACol, ARow, std::min(ACol + width, ColCount()) - 1,
                               std::min(ARow + int(rows.size()) - 1, RowCount() - 1)));
    return written;
}

// --- the clipboard -------------------------------------------------------------------------------

TGridRect TExtStringGrid::extendOverMerges(TGridRect R)
{
    // Merged areas that start inside the block are taken whole; an area taken in may start
    // others, so the walk repeats until the block stays.
    bool grown = true;
    while (grown) {
        grown = false;
        for (int r = R.Top; r <= R.Bottom; ++r)
            for (int c = R.Left; c <= R.Right; ++c) {
                const TCellProperties* p = FindCellProperties(c, r);
                if (!p || !p->IsBaseCell || (p->CellSpanX <= 0 && p->CellSpanY <= 0))
                    continue;
                const int right = std::min(c + std::max(p->CellSpanX, 0), ColCount() - 1);
                const int bottom = std::min(r + std::max(p->CellSpanY, 0), RowCount() - 1);
                if (right > R.Right || bottom > R.Bottom) {
                    R.Right = std::max(R.Right, right);
                    R.Bottom = std::max(R.Bottom, bottom);
                    grown = true;
                }
            }
    }
    return R;
}

QString TExtStringGrid::ClipboardText(const TGridRect& R)
{
    QString out;
    for (int r = R.Top; r <= R.Bottom; ++r) {
        if (r > R.Top)
            out += QLatin1String("\r\n");
        for (int c = R.Left; c <= R.Right; ++c) {
            if (c > R.Left)
                out += QLatin1Char('\t');
            QString text = GetFormattedText(RealColIndex(c), r);
            if (text.contains(QLatin1String("</")) && !Navigation.CopyHTMLTagsToClipboard)
                text = StripHTML(text);
            else if (text.contains(QLatin1String("{\\")))
                text = RichTextDocument(text, font())->toPlainText();
            out += ClipboardCellText(text, QuoteMultiLineCells && Multilinecells);
        }
    }
    return out;
}

namespace {

// The rows and columns a copy or cut takes: the flagged ones with disjunct selection, else those
// of the selection.
void selectedLines(TExtStringGrid& g, const TGridRect& s, std::vector<int>& cols, std::vector<int>& rows)
{
    cols.clear();
    rows.clear();
    if (g.MouseActions.DisjunctColSelect) {
        for (int c = g.FixedCols(); c < g.ColCount(); ++c)
            if (g.GetColSelect(c))
                cols.push_back(c);
    } else {
        cols = runOf(s.Left, s.Right);
    }
    if (g.MouseActions.DisjunctRowSelect) {
        for (int r = g.FixedRows(); r < g.RowCount(); ++r)
            if (g.GetRowSelect(g.MouseActions.RowSelectPersistent ? g.RealRowIndex(r) : r))
                rows.push_back(r);
    } else {
        rows = runOf(s.Top, s.Bottom);
    }
}

}  // namespace

void TExtStringGrid::copyBlock(const std::vector<int>& Cols, const std::vector<int>& Rows)
{
    QString text;
    for (size_t j = 0; j < Rows.size(); ++j) {
        if (j > 0)
            text += QLatin1String("\r\n");
        for (size_t i = 0; i < Cols.size(); ++i) {
            if (i > 0)
                text += QLatin1Char('\t');
            const TGridRect one{Cols[i], Rows[j], Cols[i], Rows[j]};
            text += ClipboardText(one);
        }
    }
    auto* mime = new QMimeData;
    mime->setText(text);
    if (Navigation.AllowRTFClipboard) {
        const QString rtf = GetCellText(RealColIndex(Cols.front()), Rows.front());
        if (rtf.contains(QLatin1String("{\\")))
            mime->setData(kRtfMimeType, EncodeWindows1252(rtf));
    }
    if (Navigation.AllowFmtClipboard)
        mime->setData(QString::fromLatin1(kGridCellsMimeType), TGridClipboard::encode(*this, Cols, Rows));
    QGuiApplication::clipboard()->setMimeData(mime);
    ownCellsOnClipboard_ = true;
}

void TExtStringGrid::CopySelectionToClipboard()
{
    const TGridRect s = extendOverMerges(Selection());
    if (!(s == Selection()))
        SetSelection(s);
    std::vector<int> cols;
    std::vector<int> rows;
    selectedLines(*this, s, cols, rows);
    if (cols.empty() || rows.empty())
        return;
    copyBlock(cols, rows);
}

void TExtStringGrid::CutSelectionToClipboard()
{
    CopySelectionToClipboard();
    std::vector<int> cols;
    std::vector<int> rows;
    selectedLines(*this, Selection(), cols, rows);
    // Only cells that may be edited are emptied, and only theirs are the records that go.
    QRect changed;
    BeginUpdate();
    for (int r : rows)
        for (int c : cols) {
            if (!pasteAllowed(c, r))
                continue;
            const int real = RealColIndex(c);
            if (Navigation.AllowFmtClipboard && HasCellProperties(real, r))
                FreeCellObject(real, r);
            if (!RawCellRef(real, r).isEmpty())
                SetCellText(real, r, QString());
            changed |= cellsRect(c, r, c, r);
        }
    EndUpdate();
    ownCellsOnClipboard_ = false;
    if (HiddenColCount() > 0)
        repaintGrid();
    if (!changed.isEmpty())
        CellsChanged(changed);
}

void TExtStringGrid::CopyRTFToClipboard(int ACol, int ARow)
{
    const QString rtf = GetCellText(ACol, ARow);
    if (!rtf.contains(QLatin1String("{\\")))
        return;
    auto* mime = new QMimeData;
    mime->setData(kRtfMimeType, EncodeWindows1252(rtf));
    QGuiApplication::clipboard()->setMimeData(mime);
}

int TExtStringGrid::PasteAt(int ACol, int ARow)
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return 0;
    const QString own = QString::fromLatin1(kGridCellsMimeType);
    if (Navigation.AllowFmtClipboard && mime->hasFormat(own)) {
        TGridCellBlock b;
        if (!ReadGridCellStream(mime->data(own), b))
            return 0;
        return TGridClipboard::place(*this, TGridCoord{ACol, ARow}, b);
    }
    if (Navigation.AllowRTFClipboard && mime->hasFormat(kRtfMimeType)) {
        QString value = DecodeWindows1252(mime->data(kRtfMimeType));
        if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
            return 0;
        if (!passPasteEvent(ACol, ARow, value) || !pasteAllowed(ACol, ARow))
            return 0;
        SetCellText(RealColIndex(ACol), ARow, value);
        CellsChanged(cellsRect(ACol, ARow, ACol, ARow));
        return 1;
    }
    if (!mime->hasText())
        return 0;
    return PasteText(ACol, ARow, mime->text());
}

void TExtStringGrid::PasteFromClipboard()
{
    const TGridRect s = extendOverMerges(Selection());
    if (!(s == Selection()))
        SetSelection(s);
    const int col = (Options() & goRowSelect) ? TCustomGrid::FixedCols() : s.Left;
    const int pasted = PasteAt(col, s.Top);
    if (!Navigation.AllowSmartClipboard || pasted == 0)
        return;
    const int cells = (s.Right - s.Left + 1) * (s.Bottom - s.Top + 1);
    if (cells > pasted)
        fillSelection(s, pasted);
}

void TExtStringGrid::fillSelection(const TGridRect& S, int Pasted)
{
    auto put = [this](int c, int r, QString value) {
        if (passPasteEvent(c, r, value) && pasteAllowed(c, r))
            SetCellText(RealColIndex(c), r, value);
    };
    BeginUpdate();
    if (Pasted == 1) {
        // One value: every other cell of the selection gets it.
        const QString value = GetRawCell(RealColIndex(S.Left), S.Top);
        for (int r = S.Top; r <= S.Bottom; ++r)
            for (int c = S.Left; c <= S.Right; ++c)
                if (c != S.Left || r != S.Top)
                    put(c, r, value);
        EndUpdate();
        CellsChanged(cellsRect(S.Left, S.Top, S.Right, S.Bottom));
        return;
    }
    const bool oneCol = S.Left == S.Right;
    if (!oneCol && S.Top != S.Bottom) {
        EndUpdate();
        return;
    }
    const int n = oneCol ? S.Bottom - S.Top + 1 : S.Right - S.Left + 1;
    auto colOf = [&](int k) { return oneCol ? S.Left : S.Left + k; };
    auto rowOf = [&](int k) { return oneCol ? S.Top + k : S.Top; };
    auto textOf = [&](int k) { return GetRawCell(RealColIndex(colOf(k)), rowOf(k)); };
    const QString first = textOf(0);
    const QString second = textOf(1);
    const TFormatSettings& fs = FormatSettings();
    std::vector<QString> values(static_cast<size_t>(n));
    // Texts that are no series repeat the pasted ones.
    for (int k = Pasted; k < n; ++k)
        values[size_t(k)] = textOf(k % Pasted);
    const bool firstDate = DateSeparatorCount(first);
    const bool firstTime = first.contains(fs.TimeSeparator);
    const bool secondDateOrTime = DateSeparatorCount(second) || second.contains(fs.TimeSeparator);
    TDateTime d1 = 0;
    TDateTime d2 = 0;
    if (((firstDate && secondDateOrTime) || firstTime) && TryStrToDateTime(first, d1) && TryStrToDateTime(second, d2)) {
        const double step = d2 - d1;
        int y1, m1, dd1, y2, m2, dd2;
        DecodeDate(d1, y1, m1, dd1);
        DecodeDate(d2, y2, m2, dd2);
        const bool wholeDays = std::fabs(step - std::round(step)) < 1e-9;
        const bool asDate = first.contains(fs.DateSeparator);
        TDateTime value = d2;
        for (int k = 2; k < n; ++k) {
            // Whole days step by the calendar (a month or a year at a time where the two values
            // differ by just that); anything finer steps by the difference.
            value = wholeDays ? IncDatePart(y2 - y1, m2 - m1, dd2 - dd1, int(std::lround(step)), value) : d1 + k * step;
            if (k >= Pasted)
                values[size_t(k)] = asDate ? DateToStr(value) : TimeToStr(value);
        }
    } else if (!first.contains(fs.DecimalSeparator) && !second.contains(fs.DecimalSeparator)) {
        int64_t a = 0;
        int64_t b = 0;
        if (TryStrToInt64(first.trimmed(), a) && TryStrToInt64(second.trimmed(), b))
            for (int k = Pasted; k < n; ++k)
                values[size_t(k)] = QString::number(a + int64_t(k) * (b - a));
    } else {
        double a = 0;
        double b = 0;
        if (TryStrToFloat(first.trimmed(), a, fs) && TryStrToFloat(second.trimmed(), b, fs))
            for (int k = Pasted; k < n; ++k)
                values[size_t(k)] = Format(FloatFormat, {a + k * (b - a)});
    }
    for (int k = Pasted; k < n; ++k)
        put(colOf(k), rowOf(k), values[size_t(k)]);
    EndUpdate();
    CellsChanged(cellsRect(S.Left, S.Top, S.Right, S.Bottom));
}
