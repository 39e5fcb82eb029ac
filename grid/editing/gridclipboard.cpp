#include "grid/editing/gridclipboard.h"

#include <algorithm>

namespace {

bool isBreak(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Past the line break at i (CR LF counts as one).
qsizetype skipBreak(const QString& s, qsizetype i)
{
    if (s[i] == QLatin1Char('\r') && i + 1 < s.size() && s[i + 1] == QLatin1Char('\n'))
        return i + 2;
    return i + 1;
}

// Reads a quoted cell from the opening quote at i; false when the quote is never closed.
bool readQuoted(const QString& s, qsizetype& i, QString& cell)
{
    qsizetype j = i + 1;
    QString value;
    while (j < s.size()) {
        const QChar c = s[j];
        if (c == QLatin1Char('"')) {
            if (j + 1 < s.size() && s[j + 1] == QLatin1Char('"')) {
                value += QLatin1Char('"');
                j += 2;
                continue;
            }
            // Text after the closing quote belongs to the cell up to its end.
            ++j;
            while (j < s.size() && s[j] != QLatin1Char('\t') && !isBreak(s[j]))
                value += s[j++];
            cell = value;
            i = j;
            return true;
        }
        if (isBreak(c)) {
            value += QLatin1String("\r\n");
            j = skipBreak(s, j);
            continue;
        }
        if (c == QChar(11))
            value += QLatin1String("\r\n");
        else
            value += c;
        ++j;
    }
    return false;
}

}  // namespace

std::vector<QStringList> ParseClipboardText(const QString& Text)
{
    std::vector<QStringList> rows;
    if (Text.isEmpty())
        return rows;
    QStringList row;
    qsizetype i = 0;
    const qsizetype n = Text.size();
    while (true) {
        QString cell;
        if (i < n && Text[i] == QLatin1Char('"') && readQuoted(Text, i, cell)) {
            // i stands after the cell
        } else {
            const qsizetype start = i;
            while (i < n && Text[i] != QLatin1Char('\t') && !isBreak(Text[i]))
                ++i;
            cell = Text.mid(start, i - start);
        }
        row << cell;
        if (i >= n) {
            rows.push_back(row);
            break;
        }
        if (Text[i] == QLatin1Char('\t')) {
            ++i;
            continue;
        }
        // A line break ends the row; one at the very end ends the text as well.
        i = skipBreak(Text, i);
        rows.push_back(row);
        row.clear();
        if (i >= n)
            break;
    }
    return rows;
}

void ClipboardTextSize(const QString& Text, int& Cols, int& Rows)
{
    const std::vector<QStringList> rows = ParseClipboardText(Text);
    Rows = int(rows.size());
    Cols = 0;
    for (const QStringList& r : rows)
        Cols = std::max(Cols, int(r.size()));
}

QString ClipboardCellText(const QString& Text, bool QuoteLines)
{
    QString t = Text;
    const bool lines = t.contains(QLatin1Char('\r')) || t.contains(QLatin1Char('\n'));
    if (QuoteLines && lines) {
        // Each line break as the single character 11; the cell is quoted below.
        t.replace(QLatin1String("\r\n"), QString(QChar(11)));
        t.replace(QLatin1Char('\r'), QChar(11));
        t.replace(QLatin1Char('\n'), QChar(11));
        t.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + t + QLatin1Char('"');
    }
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (t.contains(QLatin1Char('\t')) || t.contains(QLatin1Char('\n')) || t.contains(QLatin1Char('"'))) {
        t.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + t + QLatin1Char('"');
    }
    return t;
}
