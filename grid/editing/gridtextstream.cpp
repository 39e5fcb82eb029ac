#include "grid/editing/gridtextstream.h"

#include <QStringList>

#include <limits>

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
// or LF, a character 8, a character 9 beside line breaks, a leading character 27) is escaped
// behind a character 27: "\x1Br" for CR, "\x1Bn" for LF, "\x1Be" for character 27.
QString lineTextOf(const QString& s)
{
    const bool cr = s.contains(kCR);
    const bool lf = s.contains(kLF);
    // A character 8 would be read back as LF.
    bool escape = s.startsWith(kEscape) || s.contains(QChar(8));
    if ((cr || lf) && !escape) {
        const bool controls = s.contains(QChar(9));
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
            t += QStringLiteral("\x1B"
                                "e");
        else
            t += c;
    }
    return t;
}

// The reverse of lineText; false for an escape the writer does not make.
bool cellTextOf(const QString& line, QString& text)
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

}  // namespace

QString GridStreamLineText(const QString& Text)
{
    return lineTextOf(Text);
}

bool GridStreamCellText(const QString& Line, QString& Text)
{
    return cellTextOf(Line, Text);
}

bool ReadGridTextStream(const QByteArray& Bytes, int FirstDataCol, TGridTextStream& Stream, int& ErrorLine)
{
    Stream = TGridTextStream{};
    ErrorLine = 0;
    const QStringList lines = QString::fromUtf8(Bytes).split(kLF);
    auto lineAt = [&](qsizetype i) {
        QStringView l(lines[i]);
        if (l.endsWith(kCR))
            l.chop(1);
        return l;
    };
    auto fail = [&](int line) {
        ErrorLine = line;
        Stream = TGridTextStream{};
        return false;
    };
    if (!readPair(lineAt(0), kMaxColumns, kMaxRows, Stream.DataCols, Stream.DataRows, nullptr))
        return fail(1);
    const int newCols = Stream.DataCols + FirstDataCol;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringView l = lineAt(i);
        if (l.isEmpty())
            continue;
        const int lineNo = int(i) + 1;
        if (l.startsWith(QLatin1StringView("cw"))) {
            int col = 0, width = 0;
            if (l.size() < 3 || !readPair(l.mid(3), std::numeric_limits<int>::max(), kMaxWidth, col, width, nullptr) ||
                col >= newCols)
                return fail(lineNo);
            Stream.Widths.emplace_back(col, width);
            continue;
        }
        int col = 0, row = 0;
        QStringView rest;
        if (!readPair(l, std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), col, row, &rest) ||
            col >= Stream.DataCols || row >= Stream.DataRows)
            return fail(lineNo);
        QString text;
        if (!cellTextOf(rest.toString(), text))
            return fail(lineNo);
        Stream.Cells.push_back(TGridTextStreamCell{col, row, std::move(text)});
    }
    return true;
}
