#pragma once
// Parses one statement of the program's SQL (the Jet dialect) into a syntax tree: SELECT with
// DISTINCT / DISTINCTROW / TOP, joins in any nesting of parentheses, derived tables, GROUP BY,
// HAVING, ORDER BY and UNION; INSERT (VALUES or SELECT), UPDATE and DELETE (also "DELETE *" and a
// table alias without AS). Errors raise EDatabaseError with the position in the text.
#include <QString>
#include <QVector>

#include <memory>

#include "platform/db/jetsqltokenizer.h"

namespace jetsql {

struct Select;
struct Expr;
using ExprPtr = std::shared_ptr<Expr>;
using SelectPtr = std::shared_ptr<Select>;

// Value type of an expression as far as the schema tells it.
enum class JetType { Unknown, Text, Integer, Float, DateTime, Boolean, Null };

struct Expr {
    enum Kind {
        Number,     // text: the literal
        String,     // text: the value
        Date,       // number: the TDateTime value
        Bool,       // number: 1 or 0
        Null,
        Column,     // qualifier (may be empty), name
        Star,       // qualifier.* or *
        Parameter,  // name (empty for "?")
        Unary,      // op: "-", "+", "NOT"; args[0]
        Binary,     // op: OR AND = <> < > <= >= + - * / \ & ^ MOD; args[0], args[1]
        Function,   // name, args
        Subquery,   // sub
        Exists,     // sub
        InList,     // args[0] IN (args[1..]), negated
        InSelect,   // args[0] IN (sub), negated
        Between,    // args[0] BETWEEN args[1] AND args[2], negated
        IsNull,     // args[0] IS [NOT] NULL, negated
        Like,       // args[0] LIKE args[1], negated
        Raw,        // text: SQLite text already written (with its type), for rewritten fragments
    };
    Kind kind = Null;
    QString text;       // literal text, operator, function or parameter name, column name
    QString qualifier;  // table or alias of a column
    double number = 0;
    bool negated = false;
    bool distinct = false;  // COUNT(DISTINCT x)
    QVector<ExprPtr> args;
    SelectPtr sub;
    int pos = 0;

    // Filled by the rewriter.
    JetType type = JetType::Unknown;
};

struct TableRef;
using TableRefPtr = std::shared_ptr<TableRef>;

struct TableRef {
    enum Kind { Table, Derived, Join };
    Kind kind = Table;
    QString name;   // table name
    QString alias;  // alias (may be empty)
    SelectPtr sub;  // derived table
    // Join: left JOIN right ON on
    QString joinType;  // "INNER", "LEFT", "RIGHT"
    TableRefPtr left, right;
    ExprPtr on;
};

struct SelectItem {
    ExprPtr expr;
    QString alias;
};

struct OrderItem {
    ExprPtr expr;
    bool descending = false;
};

struct Select {
    bool distinct = false;
    bool distinctRow = false;
    ExprPtr top;  // TOP n
    bool topPercent = false;
    QVector<SelectItem> items;
    QVector<TableRefPtr> from;  // comma-separated sources
    QString into;               // SELECT ... INTO table
    ExprPtr where;
    QVector<ExprPtr> groupBy;
    ExprPtr having;
    QVector<OrderItem> orderBy;
    SelectPtr unionNext;
    bool unionAll = false;
};

struct Assignment {
    ExprPtr column;
    ExprPtr value;
};

struct Statement {
    enum Kind { SelectStmt, InsertStmt, UpdateStmt, DeleteStmt, OtherStmt };
    Kind kind = SelectStmt;
    SelectPtr select;       // SELECT, or the source of INSERT ... SELECT
    QString table;          // INSERT / UPDATE / DELETE target
    QString alias;          // DELETE FROM t a / UPDATE t AS a
    QStringList columns;    // INSERT column list
    QVector<ExprPtr> values;  // INSERT ... VALUES
    QVector<Assignment> sets;  // UPDATE
    ExprPtr where;             // UPDATE / DELETE
    QString keyword;           // OtherStmt: its first word (CREATE, DROP, PRAGMA, ...)
};

// Parses exactly one statement; a trailing ";" is allowed, anything after it raises
// "Zeichen nach Ende der SQL-Anweisung gefunden.". Statements other than SELECT, INSERT, UPDATE
// and DELETE come back as OtherStmt with their first word (the caller decides).
Statement ParseStatement(const QString& sql);

// Parses a condition on its own (the criteria text of DLookup). Names listed in `holes` stand
// for the expressions given with them.
ExprPtr ParseCondition(const QString& text, const QVector<QPair<QString, ExprPtr>>& holes = {});

// Parses a date literal's text (between the '#'): month first with "/" (month and day swapped
// when the month would be above 12), day first with ".", ISO "yyyy-mm-dd", each with an optional
// time, or a time alone. Returns false when it is not a date.
bool ParseDateLiteral(const QString& text, double& value);

}  // namespace jetsql
