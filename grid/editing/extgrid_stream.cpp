// The grid text stream: a grid's data area as lines of text, which Assign uses to copy one grid
// into another. Line 1 holds the data columns and rows, then one "cw <column>,<width>" line per
// column, then one "<column>,<row>,<text>" line per non-empty cell, counted from the first data
// column and row. The texts are the cells' stored texts.
#include <QIODevice>

#include <limits>

#include "grid/display/extgrid.h"
#include "grid/display/extutil.h"

namespace {

const QChar kCR = QLatin1Char('\r');
const QChar kLF = QLatin1Char('\n');
const QChar kEscape = QChar(27);

// Limits of what a stream may ask for, so that a damaged one cannot make the grid take memory
// for millions of columns.
constexpr int kMaxColumns = 65536;
constexpr int kMaxRows = 1 << 24;
constexpr int kMaxWidth = 100000;

// A text as one line. A text whose line breaks are CR LF pairs takes the stream's one-line form
// (CR as character 9, LF as character 8); one that form would not give back unchanged (a lone CR
// or LF, a character 8 or 9 beside line breaks, a leading character 27) is escaped behind a
// character 27: "\x1Br" for CR, "\x1Bn" for LF, "\x1Be" for character 27.
QString lineText(const QString& s)
{
    const bool cr = s.contains(kCR);
    const bool lf = s.contains(kLF);
    bool escape = s.startsWith(kEscape);
    if ((cr || lf) && !escape) {
        const bool controls = s.contains(QChar(8)) || s.contains(QChar(9));
        bool pairsOnly = true;
        for (qsizetype i = 0; i < s.size() && pairsOnly; ++i) {
            if (s[i] == kCR)
                pairsOnly = i + 1 < s.size() && s[i + 1] == kLF;
            else if (s[i] == kLF)
                pairsOnly = i > 0 && s[i - 1] == kCR;
        }
        escape = controls || !pairsOnly;
    }
    if (!escape)
        return CRToStreamText(s);
    QString t;
    t.reserve(s.size() + 8);
    t += kEscape;
    for (QChar c : s) {
        if (c == kCR)
            t += QStringLiteral("\x1Br");
        else if (c == kLF)
            t += QStringLiteral("\x1Bn");
        else if (c == kEscape)
            t += QStringLiteral("\x1B" "e");
        else
            t += c;
    }
    return t;
}

// The reverse of lineText; false for an escape the writer does not make.
bool cellText(const QString& line, QString& text)
{
    if (!line.startsWith(kEscape)) {
        text = StreamTextToCR(line, true);
        return true;
    }
    text.clear();
    for (qsizetype i = 1; i < line.size(); ++i) {
        if (line[i] != kEscape) {
            text += line[i];
            continue;
        }
        if (++i >= line.size())
            return false;
        const QChar k = line[i];
        if (k == QLatin1Char('r'))
            text += kCR;
        else if (k == QLatin1Char('n'))
            text += kLF;
        else if (k == QLatin1Char('e'))
            text += kEscape;
        else
            return false;
    }
    return true;
}

// A whole number of the digits alone (no sign, no blanks), within 0 .. max.
bool readCount(QStringView s, int max, int& value)
{
    if (s.isEmpty() || s.size() > 10)
        return false;
    qint64 v = 0;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
    }
    if (v > max)
        return false;
    value = int(v);
    return true;
}

// Two numbers "a,b" at the start of s; rest is what follows a further comma (when wanted).
bool readPair(QStringView s, int maxA, int maxB, int& a, int& b, QStringView* rest)
{
    const qsizetype c1 = s.indexOf(QLatin1Char(','));
    if (c1 < 0 || !readCount(s.left(c1), maxA, a))
        return false;
    QStringView after = s.mid(c1 + 1);
    if (!rest)
        return readCount(after, maxB, b);
    const qsizetype c2 = after.indexOf(QLatin1Char(','));
    if (c2 < 0 || !readCount(after.left(c2), maxB, b))
        return false;
    *rest = after.mid(c2 + 1);
    return true;
}

struct TStreamCell {
    int Col;
    int Row;
    QString Text;
};

}  // namespace

void TExtStringGrid::SaveToTextStream(QIODevice& Stream)
{
    const int c0 = IncludeFixedCells() ? 0 : TCustomGrid::FixedCols();
    const int r0 = IncludeFixedCells() ? 0 : TCustomGrid::FixedRows();
    const int c1 = IncludeFixedCells() ? ColCount() : ColCount() - fixedRightCols_;
    const int r1 = IncludeFixedCells() ? RowCount() : RowCount() - fixedFooters_;
    CalcProgress(0, -1);
    QString out;
    out += QStringLiteral("%1,%2\r\n").arg(std::max(0, c1 - c0)).arg(std::max(0, r1 - r0));
    for (int c = 0; c < ColCount(); ++c)
        out += QStringLiteral("cw %1,%2\r\n").arg(c).arg(ColWidths(c));
    for (int r = r0; r < r1; ++r) {
        for (int c = c0; c < c1; ++c) {
            const QString& text = RawCellRef(c, r);
            if (text.isEmpty())
                continue;
            out += QString::number(c - c0);
            out += QLatin1Char(',');
            out += QString::number(r - r0);
            out += QLatin1Char(',');
            out += lineText(text);
            out += QStringLiteral("\r\n");
        }
        CalcProgress(1, r);
        if (out.size() > (1 << 20)) {
            Stream.write(out.toUtf8());
            out.clear();
        }
    }
    Stream.write(out.toUtf8());
    CalcProgress(2, -1);
}

void TExtStringGrid::LoadFromTextStream(QIODevice& Stream)
{
    const QString all = QString::fromUtf8(Stream.readAll());
    const QStringList lines = all.split(kLF);
    auto fail = [](int line) {
        throw EExtGridError(QStringLiteral("Invalid grid text stream in line %1").arg(line));
    };
    auto lineAt = [&](qsizetype i) {
        QStringView l(lines[i]);
        if (l.endsWith(kCR))
            l.chop(1);
        return l;
    };

    // Everything is read and checked before the grid changes.
    if (lines.isEmpty())
        fail(1);
    int dataCols = 0, dataRows = 0;
    if (!readPair(lineAt(0), kMaxColumns, kMaxRows, dataCols, dataRows, nullptr))
        fail(1);
    const int c0 = IncludeFixedCells() ? 0 : TCustomGrid::FixedCols();
    const int r0 = IncludeFixedCells() ? 0 : TCustomGrid::FixedRows();
    const int newCols = dataCols + c0;
    std::vector<std::pair<int, int>> widths;
    std::vector<TStreamCell> cells;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringView l = lineAt(i);
        if (l.isEmpty())
            continue;
        const int lineNo = int(i) + 1;
        if (l.startsWith(QLatin1StringView("cw"))) {
            int col = 0, width = 0;
            if (l.size() < 3 || !readPair(l.mid(3), std::numeric_limits<int>::max(), kMaxWidth, col, width, nullptr) ||
                col >= newCols)
                fail(lineNo);
            widths.emplace_back(col, width);
            continue;
        }
        int col = 0, row = 0;
        QStringView rest;
        if (!readPair(l, std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), col, row, &rest) ||
            col >= dataCols || row >= dataRows)
            fail(lineNo);
        QString text;
        if (!cellText(rest.toString(), text))
            fail(lineNo);
        cells.push_back(TStreamCell{col, row, std::move(text)});
    }

    BeginUpdate();
    try {
        SetColCount(newCols);
        SetRowCount(dataRows + r0);
        // Cells the stream leaves out are empty.
        const int c1 = IncludeFixedCells() ? ColCount() : ColCount() - fixedRightCols_;
        const int r1 = IncludeFixedCells() ? RowCount() : RowCount() - fixedFooters_;
        for (int r = r0; r < r1; ++r)
            for (int c = c0; c < c1; ++c)
                if (!RawCellRef(c, r).isEmpty())
                    SetRawCell(c, r, QString());
        for (const auto& [col, width] : widths)
            SetColWidths(col, width);
        for (const TStreamCell& cell : cells)
            SetCellText(cell.Col + c0, cell.Row + r0, cell.Text);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    CellsChanged(QRect(0, 0, ColCount(), RowCount()));
}
