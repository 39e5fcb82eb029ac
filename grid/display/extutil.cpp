// Text, number, date and wide-text routines of extutil.h. The condition matcher is in
// extutil_match.cpp, colours and drawing in extutil_draw.cpp.
#include "grid/display/extutil.h"

#include <QStringList>

#include <algorithm>

#include "platform/rtl/codepages.h"

namespace {

const QChar kCR(13);
const QChar kLF(10);
const QString kCRLF = QStringLiteral("\r\n");

// A whole text of decimal digits (surrounding blanks allowed) as a number.
bool readNumber(const QString& s, int& value)
{
    const QString t = s.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    bool ok = false;
    value = t.toInt(&ok);
    return ok;
}

// Day, month and year read from the three parts of s around its separator ("/", "." or "-",
// the first of them that s holds); 0 when a part is missing or not a number, or the date is
// invalid.
TDateTime parseDate(const QString& s, bool monthFirst)
{
    QChar sep;
    for (QChar c : {QLatin1Char('/'), QLatin1Char('.'), QLatin1Char('-')})
        if (s.contains(c)) {
            sep = c;
            break;
        }
    if (sep.isNull())
        return 0;
    const qsizetype p1 = s.indexOf(sep);
    const qsizetype p2 = s.indexOf(sep, p1 + 1);
    if (p2 < 0)
        return 0;
    int first = 0, second = 0, year = 0;
    if (!readNumber(s.left(p1), first) || !readNumber(s.mid(p1 + 1, p2 - p1 - 1), second)
        || !readNumber(s.mid(p2 + 1), year))
        return 0;
    // A century only for a two-digit year: four-digit years stand as they are.
    if (year < 100)
        year += year <= 25 ? 2000 : 1900;
    TDateTime date = 0;
    if (!TryEncodeDate(year, monthFirst ? first : second, monthFirst ? second : first, date))
        return 0;
    return date;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Text and scanning.

int CharPos(QChar c, const QString& s)
{
    return static_cast<int>(s.indexOf(c)) + 1;
}

int CharPosIn(QChar c, const QString& s, int& pos)
{
    const int p = CharPos(c, s);
    if (p > 0)
        pos = p;
    return p;
}

int PosOut(const QString& sub, const QString& s, int& pos)
{
    pos = static_cast<int>(s.indexOf(sub)) + 1;
    return pos;
}

int PosUpper(const QString& sub, const QString& s)
{
    return static_cast<int>(UpperSameLength(s).indexOf(sub)) + 1;
}

QChar FirstCharInSet(const QString& set, const QString& s)
{
    for (QChar c : s)
        if (set.contains(c))
            return c;
    return QChar();
}

void CutBeforeDelimiter(QString& s, QChar delim, QString& head)
{
    const qsizetype p = s.indexOf(delim);
    if (p < 0) {
        head.clear();
        return;
    }
    head = s.left(p);
    s.remove(0, p + 1);
}

void FillChars(QString& s, QChar c)
{
    s.fill(c);
}

bool PtInRectIncl(const QRect& r, int x, int y)
{
    return x >= r.left() && x <= r.left() + r.width() && y >= r.top() && y <= r.top() + r.height();
}

QChar LowerCaseChar(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + 32) : c;
}

QString StripCR(const QString& s)
{
    QString t = s;
    t.remove(kCR);
    return t;
}

QString LiteralNewlines(const QString& s)
{
    QString t = s;
    t.replace(QLatin1String("\\n"), QString(kCR));
    return t;
}

QString MixedCaseName(const QString& s)
{
    QString r = s;
    const qsizetype n = r.size();
    static const QString kWordStarts = QStringLiteral(" ',-.");
    for (qsizetype i = 0; i < n; ++i) {
        // Every letter is lowered, not only A..Z, so that "MÜLLER" becomes "Müller".
        r[i] = i == 0 || kWordStarts.contains(r[i - 1]) ? r[i].toUpper() : r[i].toLower();
    }
    if (n > 2 && r.startsWith(QLatin1String("Mc")))
        r[2] = r[2].toUpper();
    const qsizetype mc = r.indexOf(QLatin1String(" Mc"));
    if (mc >= 0 && mc + 3 < n)
        r[mc + 3] = r[mc + 3].toUpper();
    // A roman numeral of up to three letters after a blank at the end: " Ii" -> " II",
    // " Iii" -> " III", " Iv" -> " IV".
    for (qsizetype p = std::max<qsizetype>(0, n - 4); p + 2 < n; ++p) {
        if (r[p] != QLatin1Char(' ') || r[p + 1] != QLatin1Char('I'))
            continue;
        r[p + 2] = r[p + 2].toUpper();
        if (r[p + 2] == QLatin1Char('I') && p + 3 < n)
            r[p + 3] = r[p + 3].toUpper();
    }
    return r;
}

bool IsURL(const QString& s)
{
    return s.contains(QLatin1String("://")) || s.contains(QLatin1String("mailto:"));
}

void StripURLPrefix(QString& s)
{
    qsizetype p = s.indexOf(QLatin1String("://"));
    if (p >= 0) {
        s.remove(0, p + 3);
        return;
    }
    p = s.indexOf(QLatin1String("mailto:"));
    if (p >= 0)
        s.remove(0, p + 7);
}

bool ParseRCReference(const QString& s, int& col, int& row)
{
    const QString u = UpperSameLength(s);
    const qsizetype c = u.indexOf(QLatin1Char('C'));
    if (u.size() < 4 || !u.startsWith(QLatin1Char('R')) || c < 0)
        return false;
    int r = 0, k = 0;
    if (!readNumber(u.mid(1, c - 1), r) || !readNumber(u.mid(c + 1), k))
        return false;
    row = r;
    col = k;
    return true;
}

int PickDimension(int def, int a, int b)
{
    if (a == b)
        return def;
    if (b > 0 && b < def)
        return b;
    if (a > def && a > 0)
        return a;
    return def;
}

// ---------------------------------------------------------------------------------------------
// Quoting, lines and the delimited-text helpers.

void OemToAnsiText(QString& s)
{
    s = DecodeCp850(EncodeWindows1252(s));
}

QString UndoubleQuoteChar(QChar q, const QString& s)
{
    if (!s.contains(q))
        return s;
    QString r;
    r.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != q) {
            r.append(s[i]);
        } else if (i + 1 < s.size() && s[i + 1] == q) {
            r.append(q);
            ++i;
        }
    }
    return r;
}

void LinesToQuotedCell(QString& s)
{
    s.replace(kCRLF, QString(QChar(11)));
    s = QLatin1Char('"') + s + QLatin1Char('"');
}

void QuotedCellToLines(QString& s)
{
    if (s.contains(QChar(11)))
        s.replace(QChar(11), kCRLF);
}

void TildeToLineBreak(QString& s)
{
    s.replace(QLatin1Char('~'), kCRLF);
}

int PosOddRun(QChar c, const QString& s, int& pos)
{
    const qsizetype n = s.size();
    qsizetype i = 0;
    pos = 0;
    while (i < n) {
        if (s[i] != c) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < n && s[end] == c)
            ++end;
        if ((end - i) % 2 == 1 || end == n) {
            pos = static_cast<int>(end);  // 1-based position of the run's last character
            return pos;
        }
        i = end;
    }
    return 0;
}

int CountOddRuns(QChar c, const QString& s)
{
    QString rest = s;
    int count = 0;
    int pos = 0;
    while (PosOddRun(c, rest, pos) > 0) {
        ++count;
        rest.remove(0, pos);
    }
    return count;
}

int CountCharIn(QChar c, const QString& s)
{
    return static_cast<int>(s.count(c));
}

QString CRToStreamText(const QString& s)
{
    if (!s.contains(kCR))
        return s;
    QString t = s;
    t.replace(kCR, QChar(9));
    t.replace(kLF, QChar(8));
    return t;
}

QString StreamTextToCR(const QString& s, bool /*multiLine*/)
{
    if (!s.contains(QChar(8)))
        return s;
    QString t = s;
    t.replace(QChar(9), kCR);
    t.replace(QChar(8), kLF);
    return t;
}

int LineCountOf(const QString& s, bool multiLine)
{
    return multiLine ? static_cast<int>(s.count(kCR)) + 1 : 1;
}

// ---------------------------------------------------------------------------------------------
// Numbers.

QString StripThousandSeparators(const QString& s)
{
    return StripThousandSeparators(s, FormatSettings());
}

QString StripThousandSeparators(const QString& s, const TFormatSettings& fs)
{
    const QString t = s.trimmed();
    bool negative = t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'));
    const qsizetype n = t.size();
    qsizetype i = 0;
    auto startsNumber = [&fs](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('E') || c == QLatin1Char('e')
               || c == fs.ThousandSeparator || c == fs.DecimalSeparator;
    };
    for (; i < n && !startsNumber(t[i]); ++i)
        if (t[i] == QLatin1Char('-'))
            negative = true;
    QString r;
    for (; i < n; ++i) {
        const QChar c = t[i];
        if (c == fs.ThousandSeparator)
            continue;
        if (c == fs.DecimalSeparator)
            r.append(QLatin1Char('.'));
        else if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') || c == QLatin1Char('-')
                 || c == QLatin1Char('.') || c == QLatin1Char('E') || c == QLatin1Char('e'))
            r.append(c);
        else
            break;
    }
    return negative ? QLatin1Char('-') + r : r;
}

QString NormalizeNumber(const QString& s)
{
    return NormalizeNumber(s, FormatSettings());
}

QString NormalizeNumber(const QString& s, const TFormatSettings& fs)
{
    QString r;
    r.reserve(s.size());
    for (QChar c : s) {
        if (c == fs.ThousandSeparator)
            continue;
        r.append(c == fs.DecimalSeparator ? QLatin1Char('.') : c);
    }
    return r;
}

int IsNumberText(const QString& s)
{
    return IsNumberText(s, FormatSettings());
}

int IsNumberText(const QString& s, const TFormatSettings& fs)
{
    const QChar minus = QLatin1Char('-');
    if (s.count(fs.ThousandSeparator) > 1 || s.count(minus) > 1 || s.count(fs.DecimalSeparator) > 1)
        return ntNoNumber;
    if (s.indexOf(minus) > 0)
        return ntNoNumber;
    bool onlyDigits = true;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == minus)
            continue;
        if (c == fs.DecimalSeparator) {
            onlyDigits = false;
            continue;
        }
        if (c == fs.ThousandSeparator && i > 0) {
            onlyDigits = false;
            continue;
        }
        return ntNoNumber;
    }
    return onlyDigits ? ntInteger : ntFloat;
}

// ---------------------------------------------------------------------------------------------
// Dates.

TDateTime ParseDateDMY(const QString& s)
{
    return parseDate(s, false);
}

TDateTime ParseDateMDY(const QString& s)
{
    return parseDate(s, true);
}

bool ParseShortDate(const QString& s, TDateTime& date)
{
    return ParseShortDate(s, date, FormatSettings());
}

bool ParseShortDate(const QString& s, TDateTime& date, const TFormatSettings& fs)
{
    const QStringList parts = s.split(fs.DateSeparator);
    if (parts.size() != 3)
        return false;
    // The parts' order is that of D, M and Y in the short date format.
    const QString format = fs.ShortDateFormat.toUpper();
    struct Slot {
        qsizetype at;
        int* value;
    };
    int day = 0, month = 0, year = 0;
    Slot order[3] = {{format.indexOf(QLatin1Char('D')), &day},
                     {format.indexOf(QLatin1Char('M')), &month},
                     {format.indexOf(QLatin1Char('Y')), &year}};
    std::sort(std::begin(order), std::end(order), [](const Slot& a, const Slot& b) { return a.at < b.at; });
    for (int i = 0; i < 3; ++i)
        if (!readNumber(parts[i], *order[i].value))
            return false;
    if (day >= 32 || month >= 13)
        return false;
    TDateTime value = 0;
    if (!TryEncodeDate(year, month, day, value))
        return false;
    date = value;
    return true;
}

bool DateSeparatorCount(const QString& s)
{
    return DateSeparatorCount(s, FormatSettings());
}

bool DateSeparatorCount(const QString& s, const TFormatSettings& fs)
{
    const qsizetype first = s.indexOf(fs.DateSeparator);
    return first > 0 && s.indexOf(fs.DateSeparator, first + 1) > first;
}

TDateTime IncDatePart(int years, int months, int days, int step, TDateTime date)
{
    if (days != 0 && years == 0 && months == 0)
        return IncDay(date, days);
    if (years != 0 && months == 0 && days == 0)
        return IncMonth(date, years * 12);
    if (months != 0 && years == 0 && days == 0)
        return IncMonth(date, months);
    return IncDay(date, step);
}

// ---------------------------------------------------------------------------------------------
// Wide text and cell text kinds.

QByteArray WideToCellText(const QString& w)
{
    QByteArray r("|\\");
    r.reserve(2 + 2 * w.size());
    for (QChar c : w) {
        r.append(static_cast<char>(c.unicode() >> 8));
        r.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return r;
}

QString CellTextToWide(const QByteArray& s)
{
    if (!s.startsWith("|\\"))
        return DecodeWindows1252(s);
    QString r;
    r.reserve((s.size() - 2) / 2);
    for (qsizetype i = 2; i + 1 < s.size(); i += 2)
        r.append(QChar(static_cast<char16_t>((static_cast<unsigned char>(s[i]) << 8)
                                             | static_cast<unsigned char>(s[i + 1]))));
    return r;
}

int WideStrPos(const QString& sub, const QString& s)
{
    if (sub.isEmpty() || s.isEmpty())
        return 0;
    return static_cast<int>(s.indexOf(sub)) + 1;
}

int WidePosNoCase(const QString& sub, const QString& s)
{
    return WideStrPos(UpperSameLength(sub), UpperSameLength(s));
}

int CellTextKind(const QString& text, bool htmlEnabled)
{
    if (text.isEmpty())
        return ctkPlain;
    // The rules read the text with one blank appended, so that a short text has a fourth
    // character to test.
    const QString t = text + QLatin1Char(' ');
    if (t.startsWith(QLatin1Char('=')))
        return ctkFormula;
    if (t.startsWith(QLatin1String("|\\")))
        return t.size() > 3 && t[3] == QLatin1Char('=') ? ctkFormula : ctkWide;
    if (t.startsWith(QLatin1String("{\\")))
        return ctkRichText;
    if (!htmlEnabled)
        return ctkPlain;
    if (t.contains(QLatin1String("</")) || t.contains(QLatin1String("<B")) || t.contains(QLatin1String("<I")))
        return ctkHTML;
    return ctkPlain;
}

QString UpperSameLength(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        c = c.toUpper();
    return r;
}
