#include "platform/db/jetsqlrewriter.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <sqlite3.h>

namespace jetsql {

SchemaProvider::~SchemaProvider() = default;

JetType TypeOfDeclaration(const QString& declaredType)
{
    const QString t = declaredType.toUpper();
    if (t.contains(QLatin1String("BOOL")) || t.contains(QLatin1String("BIT")) || t.contains(QLatin1String("YESNO")) ||
        t.contains(QLatin1String("LOGICAL")))
        return JetType::Boolean;
    if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME")))
        return JetType::DateTime;
    if (t.contains(QLatin1String("INT")) || t.contains(QLatin1String("COUNTER")) || t.contains(QLatin1String("BYTE")))
        return JetType::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("TEXT")) || t.contains(QLatin1String("CLOB")) ||
        t.contains(QLatin1String("MEMO")) || t.contains(QLatin1String("STRING")))
        return JetType::Text;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("DOUB")) || t.contains(QLatin1String("FLOA")) ||
        t.contains(QLatin1String("NUM")) || t.contains(QLatin1String("DEC")) || t.contains(QLatin1String("CURR")) ||
        t.contains(QLatin1String("SINGLE")))
        return JetType::Float;
    return JetType::Unknown;
}

QString TypeMismatchMessage()
{
    return QCoreApplication::translate("JetSql", "Datentypen in Kriterienausdruck unverträglich.");
}

bool TextToNumber(const QString& text, const TFormatSettings& settings, double& value)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return false;
    bool ok = false;
    value = QLocale::c().toDouble(s, &ok);
    if (ok)
        return true;
    QString t = s;
    t.remove(settings.ThousandSeparator);
    t.replace(settings.DecimalSeparator, QLatin1Char('.'));
    value = QLocale::c().toDouble(t, &ok);
    return ok;
}

bool TextToDateTime(const QString& text, const TFormatSettings& settings, double& value)
{
    const QString s = text.trimmed();
    if (s.isEmpty())
        return false;
    static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{1,2}-\\d{1,2}([ T].*)?$"));
    if (iso.match(s).hasMatch()) {
        QString t = s;
        t.replace(QLatin1Char('T'), QLatin1Char(' '));
        return ParseDateLiteral(t, value);
    }
    TDateTime dt = 0;
    if (TryStrToDateTime(s, dt, settings) || TryStrToDate(s, dt, settings) || TryStrToTime(s, dt, settings)) {
        value = dt;
        return true;
    }
    // Texts in the literal forms (month first with "/", day first with ".") as a last resort.
    return ParseDateLiteral(s, value);
}

namespace {

QString quoteIdent(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (plain.match(name).hasMatch()) {
        const QByteArray u = name.toUtf8();
        if (!sqlite3_keyword_check(u.constData(), u.size()))
            return name;
    }
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString quoteText(const QString& s)
{
    QString q = s;
    q.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

QString numberText(double v)
{
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return QString::number(qint64(v));
    return QString::number(v, 'g', 17);
}

// Dates are written as floating-point numbers, as the date-time columns hold them.
QString dateText(double v)
{
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return QString::number(qint64(v)) + QStringLiteral(".0");
    return QString::number(v, 'g', 17);
}

bool isNumeric(JetType t) { return t == JetType::Integer || t == JetType::Float; }

struct Source {
    QString name;       // how the statement names it (alias or table name)
    QString printName;  // how the SQLite text names it
    QString table;      // base table, empty for a derived table
    QVector<ColumnInfo> columns;
};

struct Scope {
    QVector<Source> sources;
    Scope* parent = nullptr;
};

struct FunctionDef {
    const char* jet;
    const char* sql;  // registered or built-in name
    JetType result;   // Unknown: from the first argument
    int minArgs, maxArgs;
};

// Jet functions that map one to one onto a registered function (or SQLite's own aggregate).
const FunctionDef kFunctions[] = {
    {"CDbl", "jet_cdbl", JetType::Float, 1, 1},         {"CSng", "jet_cdbl", JetType::Float, 1, 1},
    {"CCur", "jet_cdbl", JetType::Float, 1, 1},         {"CLng", "jet_clng", JetType::Integer, 1, 1},
    {"CInt", "jet_clng", JetType::Integer, 1, 1},       {"CByte", "jet_clng", JetType::Integer, 1, 1},
    {"CBool", "jet_cbool", JetType::Boolean, 1, 1},     {"Int", "jet_int", JetType::Unknown, 1, 1},
    {"Fix", "jet_fix", JetType::Unknown, 1, 1},         {"Round", "jet_round", JetType::Float, 1, 2},
    {"Year", "jet_year", JetType::Integer, 1, 1},       {"Month", "jet_month", JetType::Integer, 1, 1},
    {"Day", "jet_day", JetType::Integer, 1, 1},         {"Weekday", "jet_weekday", JetType::Integer, 1, 2},
    {"Hour", "jet_hour", JetType::Integer, 1, 1},       {"Minute", "jet_minute", JetType::Integer, 1, 1},
    {"Second", "jet_second", JetType::Integer, 1, 1},   {"DatePart", "jet_datepart", JetType::Integer, 2, 4},
    {"DateAdd", "jet_dateadd", JetType::DateTime, 3, 3}, {"DateDiff", "jet_datediff", JetType::Integer, 3, 5},
    {"DateSerial", "jet_dateserial", JetType::DateTime, 3, 3},
    {"TimeSerial", "jet_timeserial", JetType::DateTime, 3, 3},
    {"DateValue", "jet_datevalue", JetType::DateTime, 1, 1},
    {"TimeValue", "jet_timevalue", JetType::DateTime, 1, 1},
    {"Now", "jet_now", JetType::DateTime, 0, 0},        {"Date", "jet_date", JetType::DateTime, 0, 0},
    {"Time", "jet_time", JetType::DateTime, 0, 0},      {"Left", "jet_left", JetType::Text, 2, 2},
    {"Right", "jet_right", JetType::Text, 2, 2},        {"Mid", "jet_mid", JetType::Text, 2, 3},
    {"Len", "jet_len", JetType::Integer, 1, 1},         {"Trim", "jet_trim", JetType::Text, 1, 1},
    {"LTrim", "jet_ltrim", JetType::Text, 1, 1},        {"RTrim", "jet_rtrim", JetType::Text, 1, 1},
    {"UCase", "jet_ucase", JetType::Text, 1, 1},        {"LCase", "jet_lcase", JetType::Text, 1, 1},
    {"InStr", "jet_instr", JetType::Integer, 2, 4},     {"Space", "jet_space", JetType::Text, 1, 1},
    {"Val", "jet_val", JetType::Float, 1, 1},           {"Abs", "jet_abs", JetType::Unknown, 1, 1},
    {"Sgn", "jet_sgn", JetType::Integer, 1, 1},         {"Sqr", "jet_sqr", JetType::Float, 1, 1},
    {"Sum", "sum", JetType::Unknown, 1, 1},             {"Avg", "avg", JetType::Float, 1, 1},
    {"Min", "min", JetType::Unknown, 1, 1},             {"Max", "max", JetType::Unknown, 1, 1},
    {"Count", "count", JetType::Integer, 0, 1},         {"First", "jet_first", JetType::Unknown, 1, 1},
    {"Last", "jet_last", JetType::Unknown, 1, 1},
};

class Rewriter {
public:
    Rewriter(SchemaProvider& schema, const TFormatSettings& fs, const RewriteOptions& opt)
        : schema_(schema), fs_(fs), opt_(opt)
    {
    }

    QString statement(const Statement& st, const QString& original)
    {
        if (opt_.readOnly && st.kind != Statement::SelectStmt)
            throw EDatabaseError(QCoreApplication::translate(
                "JetSql", "Hier ist nur eine Abfrage (SELECT) erlaubt; Änderungen an der Datenbank sind nicht möglich."));
        switch (st.kind) {
        case Statement::SelectStmt: {
            Scope top;
            QString s = select(*st.select, top, true);
            if (!st.select->into.isEmpty())
                return QStringLiteral("CREATE TABLE ") + quoteIdent(st.select->into) + QStringLiteral(" AS ") + s;
            return s;
        }
        case Statement::InsertStmt:
            return insert(st);
        case Statement::UpdateStmt:
            return update(st);
        case Statement::DeleteStmt:
            return remove(st);
        case Statement::OtherStmt:
            break;
        }
        return original;  // statements of SQLite itself (PRAGMA, BEGIN, ...) pass unchanged
    }

private:
    // --- statements -------------------------------------------------------------------------
    Source baseSource(const QString& table, const QString& alias)
    {
        Source s;
        s.table = table;
        s.name = alias.isEmpty() ? table : alias;
        s.printName = s.name;
        schema_.tableColumns(table, s.columns);
        return s;
    }

    QString insert(const Statement& st)
    {
        Scope scope;
        Source target = baseSource(st.table, QString());
        QString out = QStringLiteral("INSERT INTO ") + quoteIdent(st.table);
        QVector<JetType> types;
        if (!st.columns.isEmpty()) {
            QStringList cols;
            for (const QString& c : st.columns) {
                cols << quoteIdent(c);
                types << columnType(target, c);
            }
            out += QStringLiteral(" (") + cols.join(QStringLiteral(", ")) + QLatin1Char(')');
        } else {
            for (const ColumnInfo& c : target.columns)
                types << c.type;
        }
        if (st.select) {
            out += QLatin1Char(' ') + select(*st.select, scope, false);
            return out;
        }
        QStringList vals;
        for (int i = 0; i < st.values.size(); ++i) {
            QString v = expr(st.values[i], scope);
            if (i < types.size())
                v = coerce(types[i], st.values[i], v);
            vals << v;
        }
        return out + QStringLiteral(" VALUES (") + vals.join(QStringLiteral(", ")) + QLatin1Char(')');
    }

    QString update(const Statement& st)
    {
        Scope scope;
        Source s = baseSource(st.table, st.alias);
        s.printName = st.table;  // SQLite knows no alias here: the table's own name qualifies
        scope.sources << s;
        QStringList sets;
        for (const Assignment& a : st.sets) {
            expr(a.column, scope);
            QString v = expr(a.value, scope);
            v = coerce(a.column->type, a.value, v);
            sets << quoteIdent(a.column->text) + QStringLiteral(" = ") + v;
        }
        QString out = QStringLiteral("UPDATE ") + quoteIdent(st.table) + QStringLiteral(" SET ") +
                      sets.join(QStringLiteral(", "));
        if (st.where)
            out += QStringLiteral(" WHERE ") + expr(st.where, scope);
        return out;
    }

    QString remove(const Statement& st)
    {
        Scope scope;
        Source s = baseSource(st.table, st.alias);
        s.printName = st.table;
        scope.sources << s;
        QString out = QStringLiteral("DELETE FROM ") + quoteIdent(st.table);
        if (st.where)
            out += QStringLiteral(" WHERE ") + expr(st.where, scope);
        return out;
    }

    JetType columnType(const Source& s, const QString& column) const
    {
        for (const ColumnInfo& c : s.columns)
            if (c.name.compare(column, Qt::CaseInsensitive) == 0)
                return c.type;
        return JetType::Unknown;
    }

    // --- SELECT -----------------------------------------------------------------------------
    void checkReadOnly(const Select& s)
    {
        if (!opt_.readOnly)
            return;
        if (s.top || s.distinctRow || !s.into.isEmpty())
            throw EDatabaseError(QCoreApplication::translate(
                "JetSql", "TOP, DISTINCTROW und INTO sind in einer selbst geschriebenen Abfrage nicht erlaubt."));
    }

    // Output columns of a select, for a derived table that the outer query names.
    QVector<ColumnInfo> outputColumns(const Select& s, const Scope& scope)
    {
        QVector<ColumnInfo> out;
        for (const SelectItem& it : s.items) {
            if (it.expr->kind == Expr::Star) {
                for (const Source& src : scope.sources)
                    if (it.expr->qualifier.isEmpty() ||
                        src.name.compare(it.expr->qualifier, Qt::CaseInsensitive) == 0)
                        out += src.columns;
                continue;
            }
            ColumnInfo c;
            c.type = it.expr->type;
            if (!it.alias.isEmpty())
                c.name = it.alias;
            else if (it.expr->kind == Expr::Column)
                c.name = it.expr->text;
            out << c;
        }
        return out;
    }

    QString select(const Select& s, Scope& scope, bool topLevel, const QString& forceFirstAlias = QString())
    {
        checkReadOnly(s);
        QString out = QStringLiteral("SELECT ");
        if (s.distinct)
            out += QStringLiteral("DISTINCT ");
        QStringList from;
        for (const TableRefPtr& t : s.from)
            from << source(t, scope, s.from.size());
        QStringList items;
        int exprNo = 1000;
        for (int i = 0; i < s.items.size(); ++i) {
            const SelectItem& it = s.items[i];
            QString e = expr(it.expr, scope);
            QString alias = it.alias;
            if (i == 0 && !forceFirstAlias.isEmpty())
                alias = forceFirstAlias;
            // Jet names an unnamed computed column "Expr1000", "Expr1001", ...
            if (alias.isEmpty() && it.expr->kind != Expr::Column && it.expr->kind != Expr::Star)
                alias = QStringLiteral("Expr%1").arg(exprNo++);
            if (!alias.isEmpty())
                e += QStringLiteral(" AS ") + quoteIdent(alias);
            items << e;
        }
        out += items.join(QStringLiteral(", "));
        if (!from.isEmpty())
            out += QStringLiteral(" FROM ") + from.join(QStringLiteral(", "));
        if (s.where)
            out += QStringLiteral(" WHERE ") + expr(s.where, scope);
        if (!s.groupBy.isEmpty()) {
            QStringList g;
            for (const ExprPtr& e : s.groupBy)
                g << expr(e, scope);
            out += QStringLiteral(" GROUP BY ") + g.join(QStringLiteral(", "));
        }
        if (s.having)
            out += QStringLiteral(" HAVING ") + expr(s.having, scope);
        if (s.unionNext) {
            Scope next;
            next.parent = scope.parent;
            out += s.unionAll ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION ");
            out += select(*s.unionNext, next, false);
        }
        if (!s.orderBy.isEmpty()) {
            QStringList o;
            for (const OrderItem& it : s.orderBy)
                o << expr(it.expr, scope) + (it.descending ? QStringLiteral(" DESC") : QString());
            out += QStringLiteral(" ORDER BY ") + o.join(QStringLiteral(", "));
        } else if (topLevel && s.from.size() == 1 && s.from[0]->kind == TableRef::Table && !s.unionNext) {
            // A saved query keeps its own order when the statement over it names none.
            const QString viewOrder = schema_.viewOrderBy(s.from[0]->name);
            if (!viewOrder.isEmpty())
                out += QStringLiteral(" ORDER BY ") + viewOrder;
        }
        if (s.top) {
            if (s.topPercent)
                throw EDatabaseError(QCoreApplication::translate("JetSql", "TOP ... PERCENT wird nicht unterstützt."));
            out += QStringLiteral(" LIMIT ") + expr(s.top, scope);
        }
        return out;
    }

    // The leftmost base table of a select's sources: the name a derived table without alias
    // gets, so that the outer query may name its columns by that table.
    static QString leftmostTable(const TableRefPtr& t)
    {
        if (!t)
            return QString();
        if (t->kind == TableRef::Table)
            return t->name;
        if (t->kind == TableRef::Join)
            return leftmostTable(t->left);
        return QString();
    }

    QString source(const TableRefPtr& t, Scope& scope, int siblings)
    {
        switch (t->kind) {
        case TableRef::Table: {
            Source s = baseSource(t->name, t->alias);
            scope.sources << s;
            QString out = quoteIdent(t->name);
            if (!t->alias.isEmpty())
                out += QStringLiteral(" AS ") + quoteIdent(t->alias);
            return out;
        }
        case TableRef::Derived: {
            Scope inner;
            inner.parent = scope.parent;
            const QString sub = select(*t->sub, inner, false);
            Source s;
            s.name = t->alias;
            if (s.name.isEmpty()) {
                // Jet lets the outer query name the columns of an unnamed derived table by the
                // table inside it (FROM (SELECT * FROM daten ...) with daten.meter outside).
                s.name = t->sub->from.isEmpty() ? QString() : leftmostTable(t->sub->from[0]);
                bool clash = s.name.isEmpty() || siblings > 1;
                for (const Source& other : scope.sources)
                    if (other.name.compare(s.name, Qt::CaseInsensitive) == 0)
                        clash = true;
                if (clash)
                    s.name = QStringLiteral("jet_sub%1").arg(++derivedNo_);
            }
            s.printName = s.name;
            s.columns = outputColumns(*t->sub, inner);
            scope.sources << s;
            return QLatin1Char('(') + sub + QStringLiteral(") AS ") + quoteIdent(s.name);
        }
        case TableRef::Join: {
            QString left = source(t->left, scope, siblings);
            QString right = source(t->right, scope, siblings);
            if (t->right->kind == TableRef::Join)
                right = QLatin1Char('(') + right + QLatin1Char(')');
            const QString on = expr(t->on, scope);
            const QString type = t->joinType == QLatin1String("INNER") ? QStringLiteral("INNER JOIN")
                                 : t->joinType == QLatin1String("LEFT") ? QStringLiteral("LEFT JOIN")
                                                                        : QStringLiteral("RIGHT JOIN");
            return left + QLatin1Char(' ') + type + QLatin1Char(' ') + right + QStringLiteral(" ON ") + on;
        }
        }
        return QString();
    }

    // --- names ------------------------------------------------------------------------------
    // Finds the source of a column: the named one, else the first source holding the column,
    // in this scope and then the enclosing ones.
    const Source* resolve(const Expr& e, const Scope& scope, JetType& type) const
    {
        for (const Scope* sc = &scope; sc; sc = sc->parent) {
            for (const Source& s : sc->sources) {
                if (!e.qualifier.isEmpty()) {
                    if (s.name.compare(e.qualifier, Qt::CaseInsensitive) != 0 &&
                        !(s.name != s.table && s.table.compare(e.qualifier, Qt::CaseInsensitive) == 0 &&
                          s.printName == s.table))
                        continue;
                    type = columnType(s, e.text);
                    return &s;
                }
                for (const ColumnInfo& c : s.columns)
                    if (c.name.compare(e.text, Qt::CaseInsensitive) == 0) {
                        type = c.type;
                        return &s;
                    }
            }
        }
        type = JetType::Unknown;
        return nullptr;
    }

    QString column(const ExprPtr& e, const Scope& scope)
    {
        JetType type = JetType::Unknown;
        const Source* s = resolve(*e, scope, type);
        e->type = type;
        QString q = e->qualifier;
        if (s && !q.isEmpty())
            q = s->printName;
        else if (s && qualifyColumns_)
            q = s->printName;
        return q.isEmpty() ? quoteIdent(e->text) : quoteIdent(q) + QLatin1Char('.') + quoteIdent(e->text);
    }

    // --- conversions ------------------------------------------------------------------------
    // Converts `value` (already written as `sql`) for a comparison with or a write into a
    // column of type `target`, as Jet converts implicitly.
    QString coerce(JetType target, const ExprPtr& value, const QString& sql)
    {
        if (target == value->type && target != JetType::Unknown)
            return sql;
        switch (target) {
        case JetType::DateTime:
            if (value->kind == Expr::String) {
                double d = 0;
                if (!TextToDateTime(value->text, fs_, d))
                    throw EDatabaseError(TypeMismatchMessage());
                return dateText(d);
            }
            if (value->kind == Expr::Parameter || value->type == JetType::Text || value->type == JetType::Unknown)
                return value->kind == Expr::Parameter || value->type == JetType::Text
                           ? QStringLiteral("jet_cdate(") + sql + QLatin1Char(')')
                           : sql;
            return sql;
        case JetType::Integer:
        case JetType::Float:
            if (value->kind == Expr::String) {
                double d = 0;
                if (!TextToNumber(value->text, fs_, d))
                    throw EDatabaseError(TypeMismatchMessage());
                return numberText(d);
            }
            if (value->kind == Expr::Parameter)
                return QStringLiteral("jet_cnum(") + sql + QLatin1Char(')');
            return sql;
        case JetType::Boolean:
            if (value->kind == Expr::Number)
                return value->text.toDouble() != 0 ? QStringLiteral("1") : QStringLiteral("0");
            if (value->kind == Expr::String) {
                const QString t = value->text.trimmed();
                double d = 0;
                if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
                    t.compare(QLatin1String("wahr"), Qt::CaseInsensitive) == 0)
                    return QStringLiteral("1");
                if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 ||
                    t.compare(QLatin1String("falsch"), Qt::CaseInsensitive) == 0)
                    return QStringLiteral("0");
                if (TextToNumber(t, fs_, d))
                    return d != 0 ? QStringLiteral("1") : QStringLiteral("0");
                throw EDatabaseError(TypeMismatchMessage());
            }
            if (value->kind == Expr::Parameter || isNumeric(value->type))
                return QStringLiteral("jet_cbool(") + sql + QLatin1Char(')');
            return sql;
        default:
            return sql;
        }
    }

    // Text of a value as the runtime writes it (Null is "").
    static QString asText(const ExprPtr& e, const QString& sql)
    {
        if (e->kind == Expr::String)
            return sql;
        return QStringLiteral("jet_str(") + sql + (e->type == JetType::DateTime ? QStringLiteral(", 1)") : QStringLiteral(", 0)"));
    }

    // --- expressions ------------------------------------------------------------------------
    QString expr(const ExprPtr& e, Scope& scope)
    {
        switch (e->kind) {
        case Expr::Number:
            e->type = e->text.contains(QLatin1Char('.')) || e->text.contains(QLatin1Char('e'), Qt::CaseInsensitive)
                          ? JetType::Float
                          : JetType::Integer;
            return e->text;
        case Expr::String:
            e->type = JetType::Text;
            return quoteText(e->text);
        case Expr::Date:
            e->type = JetType::DateTime;
            return dateText(e->number);
        case Expr::Bool:
            e->type = JetType::Boolean;
            return e->number != 0 ? QStringLiteral("1") : QStringLiteral("0");
        case Expr::Null:
            e->type = JetType::Null;
            return QStringLiteral("NULL");
        case Expr::Column:
            return column(e, scope);
        case Expr::Raw:
            return e->text;
        case Expr::Star: {
            if (e->qualifier.isEmpty())
                return QStringLiteral("*");
            JetType t;
            Expr probe;
            probe.qualifier = e->qualifier;
            const Source* s = resolve(probe, scope, t);
            return quoteIdent(s ? s->printName : e->qualifier) + QStringLiteral(".*");
        }
        case Expr::Parameter:
            e->type = JetType::Unknown;
            return e->text.isEmpty() ? QStringLiteral("?") : QLatin1Char(':') + e->text;
        case Expr::Unary: {
            const QString a = expr(e->args[0], scope);
            if (e->text == QLatin1String("NOT")) {
                e->type = JetType::Boolean;
                return QStringLiteral("NOT (") + a + QLatin1Char(')');
            }
            e->type = e->args[0]->type;
            return QStringLiteral("-(") + a + QLatin1Char(')');
        }
        case Expr::Binary:
            return binary(e, scope);
        case Expr::Function:
            return function(e, scope);
        case Expr::Subquery: {
            Scope inner;
            inner.parent = &scope;
            const QString s = select(*e->sub, inner, false);
            e->type = e->sub->items.isEmpty() ? JetType::Unknown : e->sub->items[0].expr->type;
            return QLatin1Char('(') + s + QLatin1Char(')');
        }
        case Expr::Exists: {
            Scope inner;
            inner.parent = &scope;
            e->type = JetType::Boolean;
            return QStringLiteral("EXISTS (") + select(*e->sub, inner, false) + QLatin1Char(')');
        }
        case Expr::InList: {
            const QString a = expr(e->args[0], scope);
            QStringList items;
            for (int i = 1; i < e->args.size(); ++i)
                items << coerce(e->args[0]->type, e->args[i], expr(e->args[i], scope));
            e->type = JetType::Boolean;
            return a + (e->negated ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN (")) +
                   items.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        case Expr::InSelect: {
            const QString a = expr(e->args[0], scope);
            Scope inner;
            inner.parent = &scope;
            e->type = JetType::Boolean;
            if (!e->negated)
                return a + QStringLiteral(" IN (") + select(*e->sub, inner, false) + QLatin1Char(')');
            // A Null among the sub-select's values would make NOT IN unknown for every row, so
            // that "blocks without units" would find nothing as soon as one unit has no block.
            // Null values name no row: they are left out.
            const QString sub = select(*e->sub, inner, false, QStringLiteral("jet_v"));
            return a + QStringLiteral(" NOT IN (SELECT jet_v FROM (") + sub +
                   QStringLiteral(") WHERE jet_v IS NOT NULL)");
        }
        case Expr::Between: {
            const QString a = expr(e->args[0], scope);
            const QString lo = coerce(e->args[0]->type, e->args[1], expr(e->args[1], scope));
            const QString hi = coerce(e->args[0]->type, e->args[2], expr(e->args[2], scope));
            e->type = JetType::Boolean;
            return a + (e->negated ? QStringLiteral(" NOT BETWEEN ") : QStringLiteral(" BETWEEN ")) + lo +
                   QStringLiteral(" AND ") + hi;
        }
        case Expr::IsNull: {
            const QString a = expr(e->args[0], scope);
            e->type = JetType::Boolean;
            return QLatin1Char('(') + a + (e->negated ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)"));
        }
        case Expr::Like: {
            const QString a = expr(e->args[0], scope);
            const QString p = expr(e->args[1], scope);
            e->type = JetType::Boolean;
            const QString subject = e->args[0]->type == JetType::Text ? a : asText(e->args[0], a);
            const QString call = QStringLiteral("jet_like(") + subject + QStringLiteral(", ") + p + QLatin1Char(')');
            return e->negated ? QStringLiteral("NOT ") + call : call;
        }
        }
        return QString();
    }

    QString binary(const ExprPtr& e, Scope& scope)
    {
        const QString op = e->text;
        const ExprPtr& l = e->args[0];
        const ExprPtr& r = e->args[1];
        QString a = expr(l, scope);
        QString b = expr(r, scope);
        if (op == QLatin1String("AND") || op == QLatin1String("OR")) {
            e->type = JetType::Boolean;
            return QLatin1Char('(') + a + QLatin1Char(' ') + op + QLatin1Char(' ') + b + QLatin1Char(')');
        }
        if (op == QLatin1String("=") || op == QLatin1String("<>") || op == QLatin1String("<") ||
            op == QLatin1String(">") || op == QLatin1String("<=") || op == QLatin1String(">=")) {
            e->type = JetType::Boolean;
            if (r->type != JetType::Unknown || r->kind == Expr::Parameter)
                b = coerce(l->type, r, b);
            if (l->type != JetType::Unknown || l->kind == Expr::Parameter)
                a = coerce(r->type, l, a);
            return a + QLatin1Char(' ') + op + QLatin1Char(' ') + b;
        }
        if (op == QLatin1String("&")) {
            e->type = JetType::Text;
            return QLatin1Char('(') + asText(l, a) + QStringLiteral(" || ") + asText(r, b) + QLatin1Char(')');
        }
        if (op == QLatin1String("+") || op == QLatin1String("-")) {
            if (op == QLatin1String("+") && l->type == JetType::Text && r->type == JetType::Text) {
                e->type = JetType::Text;
                return QLatin1Char('(') + a + QStringLiteral(" || ") + b + QLatin1Char(')');
            }
            if (l->type == JetType::DateTime && r->type != JetType::DateTime)
                e->type = JetType::DateTime;
            else if (op == QLatin1String("+") && r->type == JetType::DateTime && l->type != JetType::DateTime)
                e->type = JetType::DateTime;
            else if (l->type == JetType::Integer && r->type == JetType::Integer)
                e->type = JetType::Integer;
            else
                e->type = JetType::Float;
            return QLatin1Char('(') + a + QLatin1Char(' ') + op + QLatin1Char(' ') + b + QLatin1Char(')');
        }
        if (op == QLatin1String("*")) {
            e->type = l->type == JetType::Integer && r->type == JetType::Integer ? JetType::Integer : JetType::Float;
            return QLatin1Char('(') + a + QStringLiteral(" * ") + b + QLatin1Char(')');
        }
        if (op == QLatin1String("/")) {  // Jet divides in floating point
            e->type = JetType::Float;
            return QStringLiteral("(CAST(") + a + QStringLiteral(" AS REAL) / ") + b + QLatin1Char(')');
        }
        e->type = op == QLatin1String("^") ? JetType::Float : JetType::Integer;
        const char* fn = op == QLatin1String("^") ? "jet_pow" : op == QLatin1String("MOD") ? "jet_mod" : "jet_intdiv";
        return QLatin1String(fn) + QLatin1Char('(') + a + QStringLiteral(", ") + b + QLatin1Char(')');
    }

    [[noreturn]] void argError(const ExprPtr& e)
    {
        throw EDatabaseError(
            QCoreApplication::translate("JetSql", "Falsche Anzahl von Argumenten für die Funktion %1.").arg(e->text));
    }

    QString function(const ExprPtr& e, Scope& scope)
    {
        const QString name = e->text;
        auto is = [&](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
        if (is("DLookup"))
            return dlookup(e, scope);
        QStringList args;
        for (const ExprPtr& a : e->args)
            args << expr(a, scope);
        const int n = args.size();
        if (is("IIf")) {
            if (n != 3)
                argError(e);
            e->type = e->args[1]->type != JetType::Null ? e->args[1]->type : e->args[2]->type;
            return QStringLiteral("(CASE WHEN ") + args[0] + QStringLiteral(" THEN ") + args[1] +
                   QStringLiteral(" ELSE ") + args[2] + QStringLiteral(" END)");
        }
        if (is("Nz")) {
            if (n < 1 || n > 2)
                argError(e);
            e->type = e->args[0]->type;
            const QString def = n == 2 ? args[1] : isNumeric(e->type) ? QStringLiteral("0") : QStringLiteral("''");
            return QStringLiteral("coalesce(") + args[0] + QStringLiteral(", ") + def + QLatin1Char(')');
        }
        if (is("IsNull")) {
            if (n != 1)
                argError(e);
            e->type = JetType::Boolean;
            return QLatin1Char('(') + args[0] + QStringLiteral(" IS NULL)");
        }
        if (is("CDate")) {
            if (n != 1)
                argError(e);
            e->type = JetType::DateTime;
            if (e->args[0]->kind == Expr::String) {  // a constant date: read it once, here
                double d = 0;
                if (!TextToDateTime(e->args[0]->text, fs_, d))
                    throw EDatabaseError(TypeMismatchMessage());
                return dateText(d);
            }
            if (e->args[0]->type == JetType::DateTime)
                return args[0];
            return QStringLiteral("jet_cdate(") + args[0] + QLatin1Char(')');
        }
        if (is("CStr") || is("Str")) {
            if (n != 1)
                argError(e);
            e->type = JetType::Text;
            return asText(e->args[0], args[0]);
        }
        if (is("Format")) {
            if (n < 1 || n > 4)
                argError(e);
            e->type = JetType::Text;
            return QStringLiteral("jet_format(") + args[0] + QStringLiteral(", ") +
                   (n >= 2 ? args[1] : QStringLiteral("''")) +
                   (e->args[0]->type == JetType::DateTime ? QStringLiteral(", 1)") : QStringLiteral(", 0)"));
        }
        for (const FunctionDef& f : kFunctions) {
            if (!is(f.jet))
                continue;
            if (n < f.minArgs || n > f.maxArgs)
                argError(e);
            e->type = f.result;
            if (e->type == JetType::Unknown && n > 0)
                e->type = e->args[0]->type;
            if (is("Count") && n == 0)
                return QStringLiteral("count(*)");
            return QLatin1String(f.sql) + QLatin1Char('(') + (e->distinct ? QStringLiteral("DISTINCT ") : QString()) +
                   args.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        // Unknown to Jet's list: SQLite reports it by name when it does not know it either.
        e->type = JetType::Unknown;
        return quoteIdent(name) + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
    }

    // Flattens a '&' chain into its operands.
    static void concatOperands(const ExprPtr& e, QVector<ExprPtr>& out)
    {
        if (e->kind == Expr::Binary && e->text == QLatin1String("&")) {
            concatOperands(e->args[0], out);
            concatOperands(e->args[1], out);
        } else {
            out << e;
        }
    }

    static QString stripBrackets(QString s)
    {
        s = s.trimmed();
        if (s.startsWith(QLatin1Char('[')) && s.endsWith(QLatin1Char(']')))
            s = s.mid(1, s.size() - 2);
        return s;
    }

    // DLookup("field", "table", "criteria " & value) becomes a correlated sub-select: the texts
    // are read as Jet, the operands between them are values of the outer row.
    QString dlookup(const ExprPtr& e, Scope& scope)
    {
        const int n = e->args.size();
        if (n < 2 || n > 3)
            argError(e);
        if (e->args[0]->kind == Expr::String && e->args[1]->kind == Expr::String) {
            QString criteria;
            QVector<QPair<QString, ExprPtr>> holes;
            bool ok = true;
            if (n == 3) {
                QVector<ExprPtr> operands;
                concatOperands(e->args[2], operands);
                for (const ExprPtr& p : operands) {
                    if (p->kind == Expr::String) {
                        criteria += p->text;
                    } else {
                        // Written here, in the outer row's scope, with its source named.
                        qualifyColumns_ = true;
                        const QString sql = expr(p, scope);
                        qualifyColumns_ = false;
                        const QString hole = QStringLiteral("jet_hole%1").arg(holes.size());
                        holes << qMakePair(hole, p);
                        holeSql_.insert(hole, qMakePair(sql, p->type));
                        criteria += QLatin1Char(' ') + hole + QLatin1Char(' ');
                    }
                }
                // A value pasted inside quotes cannot be a hole of the condition.
                for (const auto& h : holes) {
                    const QVector<Token> toks = Tokenize(criteria);
                    bool found = false;
                    for (const Token& t : toks)
                        if (t.kind == TokenKind::Name && t.text == h.first)
                            found = true;
                    ok = ok && found;
                }
            }
            if (ok) {
                Scope inner;
                inner.parent = &scope;
                const QString table = stripBrackets(e->args[1]->text);
                inner.sources << baseSource(table, QString());
                ExprPtr field = ParseCondition(stripBrackets(e->args[0]->text));
                const QString fieldSql = expr(field, inner);
                e->type = field->type;
                QString out = QStringLiteral("(SELECT ") + fieldSql + QStringLiteral(" FROM ") + quoteIdent(table);
                if (!criteria.trimmed().isEmpty()) {
                    QVector<QPair<QString, ExprPtr>> marks;
                    for (const auto& h : holes) {
                        auto m = std::make_shared<Expr>();
                        m->kind = Expr::Raw;
                        m->text = holeSql_.value(h.first).first;
                        m->type = holeSql_.value(h.first).second;
                        marks << qMakePair(h.first, m);
                    }
                    ExprPtr cond = ParseCondition(criteria, marks);
                    out += QStringLiteral(" WHERE ") + expr(cond, inner);
                }
                return out + QStringLiteral(" LIMIT 1)");
            }
        }
        // Criteria that cannot be read ahead are looked up per row by the registered function.
        QStringList args;
        for (int i = 0; i < n; ++i) {
            const QString a = expr(e->args[i], scope);
            args << (i == 2 ? asText(e->args[i], a) : a);
        }
        e->type = JetType::Unknown;
        return QStringLiteral("jet_dlookup(") + args.join(QStringLiteral(", ")) + QLatin1Char(')');
    }

    SchemaProvider& schema_;
    const TFormatSettings& fs_;
    RewriteOptions opt_;
    int derivedNo_ = 0;
    bool qualifyColumns_ = false;
    QHash<QString, QPair<QString, JetType>> holeSql_;
};

}  // namespace

QString RewriteStatement(const Statement& statement, const QString& originalText, SchemaProvider& schema,
                         const TFormatSettings& settings, const RewriteOptions& options)
{
    Rewriter r(schema, settings, options);
    return r.statement(statement, originalText);
}

}  // namespace jetsql
