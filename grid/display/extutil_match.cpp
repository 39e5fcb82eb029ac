// The condition matcher of the filter and of find: a condition of parts joined by "&", ";", "^"
// and "|", each part a comparison or a wildcard mask.
#include <QStringList>

#include "grid/display/extutil.h"

namespace {

bool isJoiner(QChar c)
{
    return c == QLatin1Char('&') || c == QLatin1Char(';') || c == QLatin1Char('^') || c == QLatin1Char('|');
}

// The condition trimmed, without the blanks around the joiners and "=", and without a leading "=".
QString tidyCondition(const QString& condition)
{
    const QString t = condition.trimmed();
    QString r;
    r.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (isJoiner(c) || c == QLatin1Char('=')) {
            while (r.endsWith(QLatin1Char(' ')))
                r.chop(1);
            r.append(c);
            while (i + 1 < t.size() && t[i + 1] == QLatin1Char(' '))
                ++i;
        } else {
            r.append(c);
        }
    }
    if (r.startsWith(QLatin1Char('=')))
        r.remove(0, 1);
    return r;
}

// One element of a mask: a literal character, "?" (any one) or "*" (any run).
struct MaskItem {
    enum Kind { Literal, AnyOne, AnyRun } kind;
    QChar c;
};

std::vector<MaskItem> compileMask(const QString& mask)
{
    std::vector<MaskItem> items;
    items.reserve(mask.size());
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == QLatin1Char('\\') && i + 1 < mask.size())
            items.push_back({MaskItem::Literal, mask[++i]});
        else if (c == QLatin1Char('"'))
            continue;  // quotes only group the mask's text
        else if (c == QLatin1Char('*'))
            items.push_back({MaskItem::AnyRun, c});
        else if (c == QLatin1Char('?'))
            items.push_back({MaskItem::AnyOne, c});
        else
            items.push_back({MaskItem::Literal, c});
    }
    return items;
}

// Whole-text wildcard match. A failure after a "*" resumes one character further from that
// "*", which finds a match whenever a backtracking search would, in time text × mask at most.
bool matchMask(const QString& mask, const QString& text)
{
    const std::vector<MaskItem> m = compileMask(mask);
    const size_t mn = m.size();
    const qsizetype tn = text.size();
    size_t mi = 0;
    qsizetype ti = 0;
    size_t starItem = SIZE_MAX;
    qsizetype starText = 0;
    while (ti < tn) {
        if (mi < mn && m[mi].kind == MaskItem::AnyRun) {
            starItem = mi++;
            starText = ti;
        } else if (mi < mn && (m[mi].kind == MaskItem::AnyOne || m[mi].c == text[ti])) {
            ++mi;
            ++ti;
        } else if (starItem != SIZE_MAX) {
            mi = starItem + 1;
            ti = ++starText;
        } else {
            return false;
        }
    }
    while (mi < mn && m[mi].kind == MaskItem::AnyRun)
        ++mi;
    return mi == mn;
}

// -1, 0 or 1 as text compares with value: as dates when both are dates, else as numbers when
// both are numbers, else as texts over at most 255 characters. Dates come first because with
// German settings "." both separates a date and groups thousands: "15.03.2025" would otherwise
// compare as the number 15032025.
int compareValues(const QString& text, const QString& value, const TFormatSettings& fs)
{
    TDateTime da = 0, db = 0;
    if (ParseShortDate(text, da, fs) && ParseShortDate(value, db, fs))
        return da < db ? -1 : (da > db ? 1 : 0);
    bool textIsNumber = false, valueIsNumber = false;
    const double a = NormalizeNumber(text, fs).toDouble(&textIsNumber);
    const double b = NormalizeNumber(value, fs).toDouble(&valueIsNumber);
    if (textIsNumber && valueIsNumber)
        return a < b ? -1 : (a > b ? 1 : 0);
    const int c = QString::compare(text.left(255), value.left(255), Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The value of a comparison part: after the operator (blanks skipped) up to the next blank,
// without surrounding double quotes.
QString comparisonValue(const QString& part, qsizetype from)
{
    while (from < part.size() && part[from] == QLatin1Char(' '))
        ++from;
    qsizetype end = part.indexOf(QLatin1Char(' '), from);
    if (end < 0)
        end = part.size();
    QString v = part.mid(from, end - from);
    if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
        v = v.mid(1, v.size() - 2);
    return v;
}

}  // namespace

bool MatchPart(const QString& part, const QString& text, bool ignoreCase)
{
    return MatchPart(part, text, ignoreCase, FormatSettings());
}

bool MatchPart(const QString& part, const QString& text, bool ignoreCase, const TFormatSettings& fs)
{
    const QString p = ignoreCase ? UpperSameLength(part) : part;
    const QString t = ignoreCase ? UpperSameLength(text) : text;
    for (QChar op : {QLatin1Char('>'), QLatin1Char('<')}) {
        const qsizetype at = p.indexOf(op);
        if (at < 0)
            continue;
        const bool orEqual = at + 1 < p.size() && p[at + 1] == QLatin1Char('=');
        const int c = compareValues(t, comparisonValue(p, at + (orEqual ? 2 : 1)), fs);
        if (op == QLatin1Char('>'))
            return orEqual ? c >= 0 : c > 0;
        return orEqual ? c <= 0 : c < 0;
    }
    if (p.startsWith(QLatin1Char('!')))
        return !matchMask(p.mid(1), t);
    return matchMask(p, t);
}

bool MatchCondition(const QString& condition, const QString& text, bool ignoreCase)
{
    return MatchCondition(condition, text, ignoreCase, FormatSettings());
}

bool MatchCondition(const QString& condition, const QString& text, bool ignoreCase, const TFormatSettings& fs)
{
    const QString c = tidyCondition(condition);
    // Parts are evaluated strictly left to right, each joined to the result so far by the
    // joiner before it: "&" by and, the others by or.
    bool result = false;
    QChar joiner;  // none before the first part
    qsizetype start = 0;
    for (qsizetype i = 0; i <= c.size(); ++i) {
        if (i < c.size() && !isJoiner(c[i]))
            continue;
        const bool match = MatchPart(c.mid(start, i - start), text, ignoreCase, fs);
        if (joiner.isNull())
            result = match;
        else if (joiner == QLatin1Char('&'))
            result = result && match;
        else
            result = result || match;
        if (i < c.size())
            joiner = c[i];
        start = i + 1;
    }
    return result;
}
