#include "platform/db/selectrowids.h"

#include <vector>

namespace {

struct Token {
    QString text;   // identifiers unquoted
    bool ident = false;
    bool quoted = false;
    int depth = 0;
    int start = 0;
    int end = 0;
};

std::vector<Token> tokenize(const QString& s)
{
    std::vector<Token> out;
    int depth = 0;
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            while (i < n && s[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        Token t;
        t.start = i;
        t.depth = depth;
        if (c == QLatin1Char('\'')) {
            ++i;
            while (i < n) {
                if (s[i] == QLatin1Char('\'')) {
                    if (i + 1 < n && s[i + 1] == QLatin1Char('\'')) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            ++i;
            t.text = QStringLiteral("'");
        } else if (c == QLatin1Char('"') || c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            ++i;
            const int from = i;
            while (i < n && s[i] != close)
                ++i;
            t.text = s.mid(from, i - from);
            t.ident = true;
            t.quoted = true;
            ++i;
        } else if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            while (i < n && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('_') || s[i] == QLatin1Char('$')))
                ++i;
            t.text = s.mid(t.start, i - t.start);
            t.ident = true;
        } else {
            t.text = QString(c);
            ++i;
            if (c == QLatin1Char('('))
                ++depth;
            else if (c == QLatin1Char(')')) {
                --depth;
                t.depth = depth;
            }
        }
        t.end = i;
        out.push_back(t);
    }
    return out;
}

bool is(const Token& t, const char* word)
{
    return t.ident && !t.quoted && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isJoinWord(const Token& t)
{
    for (const char* w : {"INNER", "LEFT", "RIGHT", "FULL", "OUTER", "CROSS", "JOIN", "NATURAL"})
        if (is(t, w))
            return true;
    return false;
}

bool isClauseEnd(const Token& t)
{
    for (const char* w : {"WHERE", "GROUP", "ORDER", "HAVING", "LIMIT", "WINDOW", "UNION", "INTERSECT",
                          "EXCEPT"})
        if (is(t, w))
            return true;
    return false;
}

bool isReserved(const Token& t)
{
    if (isJoinWord(t) || isClauseEnd(t))
        return true;
    for (const char* w : {"ON", "USING", "AS", "SELECT", "FROM"})
        if (is(t, w))
            return true;
    return false;
}

}  // namespace

QString QuoteIdentifier(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

RowidSelect AddRowidColumns(const QString& select)
{
    RowidSelect r;
    const std::vector<Token> t = tokenize(select);
    size_t i = 0;
    while (i < t.size() && !(t[i].depth == 0 && is(t[i], "SELECT")))
        ++i;
    if (i >= t.size())
        return r;
    size_t insertAfter = i;
    if (i + 1 < t.size() && (is(t[i + 1], "DISTINCT")))
        return r;
    if (i + 1 < t.size() && is(t[i + 1], "ALL"))
        insertAfter = i + 1;
    // The statement as a whole must be one plain SELECT.
    size_t from = 0;
    for (size_t k = i + 1; k < t.size(); ++k) {
        if (t[k].depth != 0)
            continue;
        if (is(t[k], "UNION") || is(t[k], "INTERSECT") || is(t[k], "EXCEPT") || is(t[k], "GROUP") ||
            is(t[k], "HAVING") || is(t[k], "SELECT"))
            return r;
        if (!from && is(t[k], "FROM"))
            from = k;
    }
    if (!from)
        return r;
    QStringList aliases;
    bool expectTable = true;
    bool inOn = false;
    for (size_t k = from + 1; k < t.size(); ++k) {
        const Token& tok = t[k];
        if (tok.depth == 0 && isClauseEnd(tok))
            break;
        if (expectTable) {
            if (tok.text == QLatin1String("("))
                continue;
            if (is(tok, "SELECT") || !tok.ident)
                return r;
            QString name = tok.text;
            size_t next = k + 1;
            if (next + 1 < t.size() && t[next].text == QLatin1String(".") && t[next + 1].ident) {
                name = t[next + 1].text;
                next += 2;
            }
            QString alias = name;
            if (next < t.size() && is(t[next], "AS") && next + 1 < t.size() && t[next + 1].ident) {
                alias = t[next + 1].text;
                next += 2;
            } else if (next < t.size() && t[next].ident && !isReserved(t[next])) {
                alias = t[next].text;
                next += 1;
            }
            r.tables << name;
            aliases << alias;
            expectTable = false;
            k = next - 1;
            continue;
        }
        if (is(tok, "ON")) {
            inOn = true;
        } else if (isJoinWord(tok)) {
            inOn = false;
            if (is(tok, "JOIN"))
                expectTable = true;
        } else if (!inOn && tok.text == QLatin1String(",")) {
            expectTable = true;
        }
    }
    if (r.tables.isEmpty())
        return r;
    QString cols;
    for (int k = 0; k < aliases.size(); ++k)
        cols += QStringLiteral(" %1.rowid AS __orv_rowid%2,").arg(QuoteIdentifier(aliases[k]), QString::number(k));
    const int pos = t[insertAfter].end;
    r.sql = select.left(pos) + cols + select.mid(pos);
    r.ok = true;
    return r;
}
