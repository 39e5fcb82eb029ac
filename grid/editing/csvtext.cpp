#include "grid/editing/csvtext.h"

#include <QStringDecoder>

#include <algorithm>

#include "grid/display/extutil.h"
#include "platform/rtl/codepages.h"

namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kCR = QLatin1Char('\r');
const QChar kLF = QLatin1Char('\n');
const QString kCRLF = QStringLiteral("\r\n");

const QChar kCandidates[] = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('#'), QLatin1Char('\t'), QLatin1Char('|'),
                             QLatin1Char('@'), QLatin1Char('*'), QLatin1Char('-'), QLatin1Char('+'),  QLatin1Char('&')};

bool isBreak(QChar c)
{
    return c == kCR || c == kLF;
}

// Appends a piece of field text with its line breaks (LF, CR LF or CR) as CR LF.
void appendWithBreaks(QString& field, QStringView piece)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const QChar c = piece[i];
        if (!isBreak(c))
            continue;
        field += piece.mid(from, i - from);
        field += kCRLF;
        if (c == kCR && i + 1 < piece.size() && piece[i + 1] == kLF)
            ++i;
        from = i + 1;
    }
    field += piece.mid(from);
}

// Appends unquoted field text, doubled quotes as one.
void appendUnquoted(QString& field, QStringView piece)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i + 1 < piece.size(); ++i) {
        if (piece[i] == kQuote && piece[i + 1] == kQuote) {
            field += piece.mid(from, i + 1 - from);
            from = i + 2;
            ++i;
        }
    }
    field += piece.mid(from);
}

}  // namespace

QString DecodeCsvBytes(const QByteArray& bytes, bool Oem)
{
    if (Oem)
        return DecodeCp850(bytes);
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return DecodeWindows1252(bytes);
}

QChar DetectCsvDelimiter(const QString& Line1, const QString& Line2)
{
    QChar delimiter;
    int best = 0;
    for (QChar c : kCandidates) {
        const int n1 = CountOddRuns(c, Line1);
        const int n2 = CountOddRuns(c, Line2);
        if (n1 == n2 && n1 > best) {
            delimiter = c;
            best = n1;
        }
    }
    if (!delimiter.isNull())
        return delimiter;
    for (QChar c : kCandidates) {
        const int n1 = CountCharIn(c, Line1);
        const int n2 = CountCharIn(c, Line2);
        if (n1 == n2 && n1 > best) {
            delimiter = c;
            best = n1;
        }
    }
    if (!delimiter.isNull())
        return delimiter;
    for (QChar c : kCandidates) {
        const int n = std::max(CountCharIn(c, Line1), CountCharIn(c, Line2));
        if (n > best) {
            delimiter = c;
            best = n;
        }
    }
    return delimiter;
}

void FirstCsvRecords(const QString& Text, QString& Line1, QString& Line2)
{
    Line1.clear();
    Line2.clear();
    qsizetype pos = 0;
    const qsizetype n = Text.size();
    for (QString* line : {&Line1, &Line2}) {
        if (pos >= n)
            return;
        bool quoted = false;
        qsizetype i = pos;
        while (i < n && (quoted || !isBreak(Text[i]))) {
            if (Text[i] == kQuote)
                quoted = !quoted;
            ++i;
        }
        *line = Text.mid(pos, i - pos);
        if (i < n && Text[i] == kCR && i + 1 < n && Text[i + 1] == kLF)
            ++i;
        pos = i + 1;
    }
}

std::vector<QStringList> ParseCsvRecords(const QString& Text, const TCsvOptions& Options)
{
    std::vector<QStringList> records;
    const QChar d = Options.Delimiter;
    const bool hasDelimiter = !d.isNull();
    const QChar* s = Text.constData();
    const qsizetype n = Text.size();
    qsizetype pos = 0;
    QStringView text(Text);
    while (pos < n) {
        QStringList fields;
        bool recordDone = false;
        while (!recordDone) {
            QString field;
            if (pos < n && s[pos] == kQuote) {
                // Quoted: to the closing quote, over line breaks; doubled quotes are one.
                ++pos;
                for (;;) {
                    const qsizetype q = Text.indexOf(kQuote, pos);
                    if (q < 0) {
                        // Never closed: the rest of the text is the field (a last line break
                        // ends it).
                        qsizetype end = n;
                        if (end > pos && s[end - 1] == kLF)
                            --end;
                        if (end > pos && s[end - 1] == kCR)
                            --end;
                        appendWithBreaks(field, text.mid(pos, end - pos));
                        pos = n;
                        break;
                    }
                    appendWithBreaks(field, text.mid(pos, q - pos));
                    if (q + 1 < n && s[q + 1] == kQuote) {
                        field += kQuote;
                        pos = q + 2;
                        continue;
                    }
                    pos = q + 1;
                    break;
                }
            }
            // Unquoted text (or what follows a closing quote) up to the delimiter or the line's end.
            qsizetype end = pos;
            while (end < n && !isBreak(s[end]) && !(hasDelimiter && s[end] == d))
                ++end;
            if (end > pos)
                appendUnquoted(field, text.mid(pos, end - pos));
            pos = end;
            if (Options.TildeLineBreaks)
                TildeToLineBreak(field);
            else
                QuotedCellToLines(field);
            fields.append(field);
            if (pos < n && hasDelimiter && s[pos] == d) {
                ++pos;
                continue;
            }
            if (pos < n) {
                if (s[pos] == kCR && pos + 1 < n && s[pos + 1] == kLF)
                    ++pos;
                ++pos;
            }
            recordDone = true;
        }
        records.push_back(std::move(fields));
    }
    return records;
}
