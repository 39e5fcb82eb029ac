#include "platform/db/jetsqltokenizer.h"

#include <QCoreApplication>

#include "platform/rtl/sysutils.h"

namespace jetsql {

namespace {

[[noreturn]] void syntaxError(const QString& what, int pos)
{
    throw EDatabaseError(QCoreApplication::translate("JetSql", "Syntaxfehler in der SQL-Anweisung an Position %1: %2")
                             .arg(pos + 1)
                             .arg(what));
}

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

}  // namespace

QVector<Token> Tokenize(const QString& sql)
{
    QVector<Token> out;
    const int n = sql.size();
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        // Comments of the SQLite dialect are not part of Jet: a "--" is two minus signs.
        Token t;
        t.pos = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            QString value;
            int j = i + 1;
            for (;;) {
                if (j >= n)
                    syntaxError(QCoreApplication::translate("JetSql", "Text ohne schließendes Anführungszeichen"), i);
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                value += sql[j++];
            }
            t.kind = TokenKind::Text;
            t.text = value;
            i = j + 1;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('`');
            const int j = sql.indexOf(close, i + 1);
            if (j < 0)
                syntaxError(QCoreApplication::translate("JetSql", "Name ohne schließende Klammer"), i);
            t.kind = TokenKind::QuotedName;
            t.text = sql.mid(i + 1, j - i - 1);
            i = j + 1;
        } else if (c == QLatin1Char('#')) {
            const int j = sql.indexOf(QLatin1Char('#'), i + 1);
            if (j < 0)
                syntaxError(QCoreApplication::translate("JetSql", "Datum ohne schließendes #"), i);
            t.kind = TokenKind::Date;
            t.text = sql.mid(i + 1, j - i - 1).trimmed();
            i = j + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql[i + 1].isDigit())) {
            int j = i;
            while (j < n && sql[j].isDigit())
                ++j;
            if (j < n && sql[j] == QLatin1Char('.')) {
                ++j;
                while (j < n && sql[j].isDigit())
                    ++j;
            }
            if (j < n && (sql[j] == QLatin1Char('e') || sql[j] == QLatin1Char('E'))) {
                int k = j + 1;
                if (k < n && (sql[k] == QLatin1Char('+') || sql[k] == QLatin1Char('-')))
                    ++k;
                if (k < n && sql[k].isDigit()) {
                    while (k < n && sql[k].isDigit())
                        ++k;
                    j = k;
                }
            }
            t.kind = TokenKind::Number;
            t.text = sql.mid(i, j - i);
            i = j;
        } else if (isNameStart(c)) {
            int j = i + 1;
            while (j < n && isNameChar(sql[j]))
                ++j;
            t.kind = TokenKind::Name;
            t.text = sql.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char(':') && i + 1 < n && isNameStart(sql[i + 1])) {
            int j = i + 2;
            while (j < n && isNameChar(sql[j]))
                ++j;
            t.kind = TokenKind::Parameter;
            t.text = sql.mid(i + 1, j - i - 1);
            i = j;
        } else if (c == QLatin1Char('?')) {
            t.kind = TokenKind::Parameter;
            i += 1;
        } else {
            static const char* const twoChar[] = {"<>", "<=", ">=", "!="};
            t.kind = TokenKind::Operator;
            bool done = false;
            for (const char* op : twoChar) {
                if (sql.mid(i, 2) == QLatin1String(op)) {
                    t.text = QLatin1String(op) == QLatin1String("!=") ? QStringLiteral("<>") : QString::fromLatin1(op);
                    i += 2;
                    done = true;
                    break;
                }
            }
            if (!done) {
                if (!QStringLiteral("(),.;=<>+-*/\\&^|%").contains(c))
                    syntaxError(QCoreApplication::translate("JetSql", "unerwartetes Zeichen '%1'").arg(c), i);
                t.text = QString(c);
                ++i;
            }
        }
        out.push_back(t);
    }
    Token end;
    end.pos = n;
    out.push_back(end);
    return out;
}

}  // namespace jetsql
