#include "platform/db/jetsqlparser.h"

#include <QCoreApplication>
#include <QDate>
#include <QRegularExpression>

#include "platform/rtl/sysutils.h"

namespace jetsql {

namespace {

// Words that end a table reference, so that a name after a table is only taken as its alias
// when it is none of these.
bool isReservedAfterTable(const Token& t)
{
    static const char* const words[] = {"INNER", "LEFT",  "RIGHT", "JOIN",  "ON",     "WHERE", "GROUP",
                                        "ORDER", "HAVING", "UNION", "OUTER", "CROSS", "SET",   "FULL",
                                        "INTO",  "VALUES", "SELECT", "FROM"};
    if (t.kind != TokenKind::Name)
        return false;
    for (const char* w : words)
        if (t.isKeyword(w))
            return true;
    return false;
}

class Parser {
public:
    explicit Parser(const QString& sql) : sql_(sql), toks_(Tokenize(sql)) {}

    QVector<QPair<QString, ExprPtr>> holes;

    Statement statement()
    {
        Statement st;
        if (peek().isKeyword("SELECT") || peek().isOp("(")) {
            st.kind = Statement::SelectStmt;
            st.select = selectChain();
        } else if (accept("INSERT")) {
            st.kind = Statement::InsertStmt;
            expectKeyword("INTO");
            st.table = name();
            if (acceptOp("(")) {
                do {
                    st.columns << name();
                } while (acceptOp(","));
                expectOp(")");
            }
            if (accept("VALUES")) {
                expectOp("(");
                do {
                    st.values << expr();
                } while (acceptOp(","));
                expectOp(")");
            } else if (peek().isKeyword("SELECT")) {
                st.select = selectChain();
            } else {
                error(QCoreApplication::translate("JetSql", "VALUES oder SELECT erwartet"));
            }
        } else if (accept("UPDATE")) {
            st.kind = Statement::UpdateStmt;
            st.table = name();
            st.alias = optionalAlias();
            expectKeyword("SET");
            do {
                Assignment a;
                a.column = columnRef();
                expectOp("=");
                a.value = expr();
                st.sets << a;
            } while (acceptOp(","));
            if (accept("WHERE"))
                st.where = expr();
        } else if (accept("DELETE")) {
            st.kind = Statement::DeleteStmt;
            // "DELETE * FROM t" and "DELETE t.* FROM t" name the rows of the one table.
            if (acceptOp("*")) {
            } else if (!peek().isKeyword("FROM")) {
                name();
                expectOp(".");
                expectOp("*");
            }
            expectKeyword("FROM");
            st.table = name();
            st.alias = optionalAlias();
            if (accept("WHERE"))
                st.where = expr();
        } else {
            st.kind = Statement::OtherStmt;
            st.keyword = peek().text.toUpper();
            return st;  // the caller refuses or passes it on; its text is not parsed
        }
        acceptOp(";");
        if (peek().kind != TokenKind::End)
            throw EDatabaseError(QCoreApplication::translate("JetSql", "Zeichen nach Ende der SQL-Anweisung gefunden."));
        return st;
    }

    ExprPtr conditionOnly()
    {
        ExprPtr e = expr();
        if (peek().kind != TokenKind::End)
            error(QCoreApplication::translate("JetSql", "Ende der Bedingung erwartet"));
        return e;
    }

private:
    const Token& peek(int ahead = 0) const
    {
        const int i = std::min<int>(pos_ + ahead, toks_.size() - 1);
        return toks_[i];
    }
    const Token& next() { return toks_[std::min<int>(pos_++, toks_.size() - 1)]; }
    bool accept(const char* kw)
    {
        if (peek().isKeyword(kw)) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool acceptOp(const char* op)
    {
        if (peek().isOp(op)) {
            ++pos_;
            return true;
        }
        return false;
    }
    void expectKeyword(const char* kw)
    {
        if (!accept(kw))
            error(QCoreApplication::translate("JetSql", "%1 erwartet").arg(QLatin1String(kw)));
    }
    void expectOp(const char* op)
    {
        if (!acceptOp(op))
            error(QCoreApplication::translate("JetSql", "'%1' erwartet").arg(QLatin1String(op)));
    }
    [[noreturn]] void error(const QString& what) const
    {
        const Token& t = peek();
        QString near = t.kind == TokenKind::End ? QCoreApplication::translate("JetSql", "Ende der Anweisung")
                                                : sql_.mid(t.pos, 20);
        throw EDatabaseError(QCoreApplication::translate("JetSql", "Syntaxfehler in der SQL-Anweisung an Position %1: %2 (bei \"%3\")")
                                 .arg(t.pos + 1)
                                 .arg(what, near));
    }

    QString name()
    {
        const Token& t = peek();
        if (t.kind == TokenKind::Name || t.kind == TokenKind::QuotedName) {
            ++pos_;
            return t.text;
        }
        error(QCoreApplication::translate("JetSql", "Name erwartet"));
    }

    QString optionalAlias()
    {
        if (accept("AS"))
            return name();
        const Token& t = peek();
        if (t.kind == TokenKind::QuotedName || (t.kind == TokenKind::Name && !isReservedAfterTable(t))) {
            ++pos_;
            return t.text;
        }
        return QString();
    }

    ExprPtr columnRef()
    {
        auto e = std::make_shared<Expr>();
        e->pos = peek().pos;
        e->kind = Expr::Column;
        e->text = name();
        if (acceptOp(".")) {
            e->qualifier = e->text;
            e->text = name();
        }
        return e;
    }

    // SELECT ... [UNION [ALL] SELECT ...]
    SelectPtr selectChain()
    {
        SelectPtr first;
        if (acceptOp("(")) {
            first = selectChain();
            expectOp(")");
        } else {
            first = select();
        }
        SelectPtr cur = first;
        while (accept("UNION")) {
            cur->unionAll = accept("ALL");
            cur->unionNext = peek().isOp("(") ? (next(), selectChain()) : select();
            while (cur->unionNext)
                cur = cur->unionNext;
        }
        if (accept("ORDER")) {  // an ORDER BY after a UNION belongs to the whole chain
            expectKeyword("BY");
            cur->orderBy = orderList();
        }
        return first;
    }

    QVector<OrderItem> orderList()
    {
        QVector<OrderItem> out;
        do {
            OrderItem o;
            o.expr = expr();
            if (accept("DESC"))
                o.descending = true;
            else
                accept("ASC");
            out << o;
        } while (acceptOp(","));
        return out;
    }

    SelectPtr select()
    {
        expectKeyword("SELECT");
        auto s = std::make_shared<Select>();
        for (;;) {
            if (accept("DISTINCT"))
                s->distinct = true;
            else if (accept("DISTINCTROW"))
                s->distinctRow = true;
            else if (accept("ALL"))
                ;
            else if (accept("TOP")) {
                s->top = primary();
                s->topPercent = accept("PERCENT");
            } else
                break;
        }
        do {
            SelectItem it;
            it.expr = expr();
            if (accept("AS"))
                it.alias = name();
            else if (peek().kind == TokenKind::QuotedName)
                it.alias = name();
            s->items << it;
        } while (acceptOp(","));
        if (accept("INTO"))
            s->into = name();
        if (accept("FROM")) {
            do {
                s->from << source();
            } while (acceptOp(","));
        }
        if (accept("WHERE"))
            s->where = expr();
        if (accept("GROUP")) {
            expectKeyword("BY");
            do {
                s->groupBy << expr();
            } while (acceptOp(","));
        }
        if (accept("HAVING"))
            s->having = expr();
        if (peek().isKeyword("ORDER") && peek(1).isKeyword("BY")) {
            next();
            next();
            s->orderBy = orderList();
        }
        return s;
    }

    // A source with its joins: primary { [INNER|LEFT [OUTER]|RIGHT [OUTER]] JOIN primary ON cond }
    TableRefPtr source()
    {
        TableRefPtr left = primarySource();
        for (;;) {
            QString type;
            if (accept("INNER"))
                type = QStringLiteral("INNER");
            else if (accept("LEFT"))
                type = QStringLiteral("LEFT");
            else if (accept("RIGHT"))
                type = QStringLiteral("RIGHT");
            else if (peek().isKeyword("JOIN"))
                type = QStringLiteral("INNER");
            else
                break;
            accept("OUTER");
            expectKeyword("JOIN");
            auto j = std::make_shared<TableRef>();
            j->kind = TableRef::Join;
            j->joinType = type;
            j->left = left;
            j->right = primarySource();
            expectKeyword("ON");
            j->on = expr();
            left = j;
        }
        return left;
    }

    TableRefPtr primarySource()
    {
        if (acceptOp("(")) {
            if (peek().isKeyword("SELECT")) {
                auto t = std::make_shared<TableRef>();
                t->kind = TableRef::Derived;
                t->sub = selectChain();
                expectOp(")");
                t->alias = optionalAlias();
                return t;
            }
            TableRefPtr inner = source();
            expectOp(")");
            if (inner->kind != TableRef::Join) {
                const QString a = optionalAlias();
                if (!a.isEmpty())
                    inner->alias = a;
            }
            return inner;
        }
        auto t = std::make_shared<TableRef>();
        t->kind = TableRef::Table;
        t->name = name();
        t->alias = optionalAlias();
        return t;
    }

    // --- expressions, loosest binding first --------------------------------------------------
    ExprPtr makeBinary(const QString& op, ExprPtr a, ExprPtr b, int pos)
    {
        auto e = std::make_shared<Expr>();
        e->kind = Expr::Binary;
        e->text = op;
        e->args = {a, b};
        e->pos = pos;
        return e;
    }

    ExprPtr expr() { return orExpr(); }

    ExprPtr orExpr()
    {
        ExprPtr e = andExpr();
        while (peek().isKeyword("OR")) {
            const int p = next().pos;
            e = makeBinary(QStringLiteral("OR"), e, andExpr(), p);
        }
        return e;
    }
    ExprPtr andExpr()
    {
        ExprPtr e = notExpr();
        while (peek().isKeyword("AND")) {
            const int p = next().pos;
            e = makeBinary(QStringLiteral("AND"), e, notExpr(), p);
        }
        return e;
    }
    ExprPtr notExpr()
    {
        if (peek().isKeyword("NOT")) {
            const int p = next().pos;
            auto e = std::make_shared<Expr>();
            e->kind = Expr::Unary;
            e->text = QStringLiteral("NOT");
            e->args = {notExpr()};
            e->pos = p;
            return e;
        }
        return comparison();
    }
    ExprPtr comparison()
    {
        ExprPtr e = concat();
        for (;;) {
            const Token& t = peek();
            const int p = t.pos;
            if (t.kind == TokenKind::Operator &&
                (t.text == QLatin1String("=") || t.text == QLatin1String("<>") || t.text == QLatin1String("<") ||
                 t.text == QLatin1String(">") || t.text == QLatin1String("<=") || t.text == QLatin1String(">="))) {
                const QString op = next().text;
                e = makeBinary(op, e, concat(), p);
                continue;
            }
            bool negated = false;
            if (t.isKeyword("NOT") &&
                (peek(1).isKeyword("LIKE") || peek(1).isKeyword("IN") || peek(1).isKeyword("BETWEEN"))) {
                next();
                negated = true;
            }
            if (accept("LIKE")) {
                auto l = std::make_shared<Expr>();
                l->kind = Expr::Like;
                l->negated = negated;
                l->args = {e, concat()};
                l->pos = p;
                e = l;
            } else if (accept("IN")) {
                auto l = std::make_shared<Expr>();
                l->pos = p;
                l->negated = negated;
                expectOp("(");
                if (peek().isKeyword("SELECT")) {
                    l->kind = Expr::InSelect;
                    l->args = {e};
                    l->sub = selectChain();
                } else {
                    l->kind = Expr::InList;
                    l->args = {e};
                    do {
                        l->args << expr();
                    } while (acceptOp(","));
                }
                expectOp(")");
                e = l;
            } else if (accept("BETWEEN")) {
                auto l = std::make_shared<Expr>();
                l->kind = Expr::Between;
                l->negated = negated;
                l->pos = p;
                ExprPtr lo = concat();
                expectKeyword("AND");
                l->args = {e, lo, concat()};
                e = l;
            } else if (accept("IS")) {
                auto l = std::make_shared<Expr>();
                l->kind = Expr::IsNull;
                l->negated = accept("NOT");
                expectKeyword("NULL");
                l->args = {e};
                l->pos = p;
                e = l;
            } else {
                if (negated)
                    error(QCoreApplication::translate("JetSql", "LIKE, IN oder BETWEEN erwartet"));
                break;
            }
        }
        return e;
    }
    ExprPtr concat()
    {
        ExprPtr e = additive();
        while (peek().isOp("&")) {
            const int p = next().pos;
            e = makeBinary(QStringLiteral("&"), e, additive(), p);
        }
        return e;
    }
    ExprPtr additive()
    {
        ExprPtr e = modulo();
        while (peek().isOp("+") || peek().isOp("-")) {
            const Token& t = next();
            e = makeBinary(t.text, e, modulo(), t.pos);
        }
        return e;
    }
    ExprPtr modulo()
    {
        ExprPtr e = intDiv();
        while (peek().isKeyword("MOD")) {
            const int p = next().pos;
            e = makeBinary(QStringLiteral("MOD"), e, intDiv(), p);
        }
        return e;
    }
    ExprPtr intDiv()
    {
        ExprPtr e = multiplicative();
        while (peek().isOp("\\")) {
            const int p = next().pos;
            e = makeBinary(QStringLiteral("\\"), e, multiplicative(), p);
        }
        return e;
    }
    ExprPtr multiplicative()
    {
        ExprPtr e = power();
        while (peek().isOp("*") || peek().isOp("/")) {
            const Token& t = next();
            e = makeBinary(t.text, e, power(), t.pos);
        }
        return e;
    }
    ExprPtr power()
    {
        ExprPtr e = unary();
        while (peek().isOp("^")) {
            const int p = next().pos;
            e = makeBinary(QStringLiteral("^"), e, unary(), p);
        }
        return e;
    }
    ExprPtr unary()
    {
        if (peek().isOp("-") || peek().isOp("+")) {
            const Token& t = next();
            ExprPtr operand = unary();
            if (t.text == QLatin1String("+"))
                return operand;
            if (operand->kind == Expr::Number && !operand->text.startsWith(QLatin1Char('-'))) {
                operand->text.prepend(QLatin1Char('-'));
                return operand;
            }
            auto e = std::make_shared<Expr>();
            e->kind = Expr::Unary;
            e->text = QStringLiteral("-");
            e->args = {operand};
            e->pos = t.pos;
            return e;
        }
        return primary();
    }

    ExprPtr primary()
    {
        const Token t = peek();
        auto e = std::make_shared<Expr>();
        e->pos = t.pos;
        switch (t.kind) {
        case TokenKind::Number:
            next();
            e->kind = Expr::Number;
            e->text = t.text;
            return e;
        case TokenKind::Text:
            next();
            e->kind = Expr::String;
            e->text = t.text;
            return e;
        case TokenKind::Date:
            next();
            e->kind = Expr::Date;
            if (!ParseDateLiteral(t.text, e->number))
                error(QCoreApplication::translate("JetSql", "ungültiges Datum #%1#").arg(t.text));
            e->text = t.text;
            return e;
        case TokenKind::Parameter:
            next();
            e->kind = Expr::Parameter;
            e->text = t.text;
            return e;
        case TokenKind::Operator:
            if (t.isOp("*")) {
                next();
                e->kind = Expr::Star;
                return e;
            }
            if (t.isOp("(")) {
                next();
                if (peek().isKeyword("SELECT")) {
                    e->kind = Expr::Subquery;
                    e->sub = selectChain();
                    expectOp(")");
                    return e;
                }
                ExprPtr inner = expr();
                expectOp(")");
                return inner;
            }
            error(QCoreApplication::translate("JetSql", "Ausdruck erwartet"));
        case TokenKind::End:
            error(QCoreApplication::translate("JetSql", "Ausdruck erwartet"));
        case TokenKind::Name:
        case TokenKind::QuotedName:
            break;
        }
        if (t.kind == TokenKind::Name) {
            for (const auto& h : holes)
                if (t.text.compare(h.first, Qt::CaseInsensitive) == 0) {
                    next();
                    return h.second;
                }
            if (t.isKeyword("NULL")) {
                next();
                e->kind = Expr::Null;
                return e;
            }
            if (t.isKeyword("TRUE") || t.isKeyword("YES") || t.isKeyword("FALSE") || t.isKeyword("NO")) {
                next();
                e->kind = Expr::Bool;
                e->number = (t.isKeyword("TRUE") || t.isKeyword("YES")) ? 1 : 0;
                return e;
            }
            if (t.isKeyword("EXISTS") && peek(1).isOp("(")) {
                next();
                next();
                e->kind = Expr::Exists;
                e->sub = selectChain();
                expectOp(")");
                return e;
            }
            if (peek(1).isOp("(")) {
                next();
                next();
                e->kind = Expr::Function;
                e->text = t.text;
                if (!acceptOp(")")) {
                    if (accept("DISTINCT"))
                        e->distinct = true;
                    do {
                        e->args << expr();
                    } while (acceptOp(","));
                    expectOp(")");
                }
                return e;
            }
        }
        next();
        e->kind = Expr::Column;
        e->text = t.text;
        if (acceptOp(".")) {
            if (acceptOp("*")) {
                e->kind = Expr::Star;
                e->qualifier = t.text;
                return e;
            }
            e->qualifier = t.text;
            e->text = name();
        }
        return e;
    }

    QString sql_;
    QVector<Token> toks_;
    int pos_ = 0;
};

// Two-digit years as Jet reads them: 00..29 are 2000..2029, 30..99 are 1930..1999.
int fullYear(int y, int digits)
{
    if (digits <= 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

bool parseTimePart(const QString& s, double& frac)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*(AM|PM|A|P)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(s.trimmed());
    if (!m.hasMatch())
        return false;
    int h = m.captured(1).toInt();
    const int mi = m.captured(2).toInt();
    const int se = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    const QString ampm = m.captured(4).toUpper();
    if (!ampm.isEmpty()) {
        if (h < 1 || h > 12)
            return false;
        if (ampm.startsWith(QLatin1Char('P')) && h != 12)
            h += 12;
        if (ampm.startsWith(QLatin1Char('A')) && h == 12)
            h = 0;
    }
    if (h > 23 || mi > 59 || se > 59)
        return false;
    frac = ((h * 60 + mi) * 60 + se) * 1000 / MSecsPerDay;
    return true;
}

}  // namespace

Statement ParseStatement(const QString& sql)
{
    Parser p(sql);
    return p.statement();
}

ExprPtr ParseCondition(const QString& text, const QVector<QPair<QString, ExprPtr>>& holes)
{
    Parser p(text);
    p.holes = holes;
    return p.conditionOnly();
}

bool ParseDateLiteral(const QString& text, double& value)
{
    static const QRegularExpression dateRe(
        QStringLiteral("^(\\d{1,4})([/.-])(\\d{1,2})(?:\\2(\\d{1,4}))?(?:\\s+(.*))?$"));
    const QString s = text.trimmed();
    const auto m = dateRe.match(s);
    if (!m.hasMatch()) {
        double frac = 0;
        if (!parseTimePart(s, frac))
            return false;
        value = frac;
        return true;
    }
    const QString a = m.captured(1), sep = m.captured(2), b = m.captured(3), c = m.captured(4);
    int y = 0, mo = 0, d = 0;
    if (a.size() == 4) {  // ISO: year first
        y = a.toInt();
        mo = b.toInt();
        d = c.isEmpty() ? 1 : c.toInt();
    } else {
        const int yearNow = QDate::currentDate().year();
        if (sep == QLatin1String(".")) {  // day first
            d = a.toInt();
            mo = b.toInt();
        } else {  // month first; a month above 12 means the day came first
            mo = a.toInt();
            d = b.toInt();
            if (mo > 12 && d <= 12)
                std::swap(mo, d);
        }
        y = c.isEmpty() ? yearNow : fullYear(c.toInt(), c.size());
    }
    const QDate date(y, mo, d);
    if (!date.isValid())
        return false;
    double frac = 0;
    if (!m.captured(5).isEmpty() && !parseTimePart(m.captured(5), frac))
        return false;
    value = double(QDate(1899, 12, 30).daysTo(date)) + frac;
    return true;
}

}  // namespace jetsql
