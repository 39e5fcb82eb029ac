#pragma once
// Writes a parsed Jet statement as SQLite text. It knows the declared column types through a
// schema provider and uses them where Jet converts implicitly: text compared with or written
// into a date-time column is read as CDate reads it, '&' turns numbers and dates into their
// runtime text, LIKE compares dates and numbers by their text, Booleans are 0/1 and "= -1" means
// true. Jet functions become the registered functions (jet_...), DLookup a correlated
// sub-select, and syntax SQLite lacks is rewritten (see jetsqlrewriter.cpp).
#include <QString>
#include <QVector>

#include "platform/db/jetsqlparser.h"
#include "platform/rtl/sysutils.h"

namespace jetsql {

struct ColumnInfo {
    QString name;
    JetType type = JetType::Unknown;
};

class SchemaProvider {
public:
    virtual ~SchemaProvider();
    // Columns of a table or view in their order; false when there is no such table.
    virtual bool tableColumns(const QString& table, QVector<ColumnInfo>& columns) = 0;
    // The ORDER BY terms of a view (names of the view's columns), empty when it has none.
    virtual QString viewOrderBy(const QString& view) = 0;
};

// The value type of a declared column type ("INTEGER", "DATETIME", "VARCHAR(30)", ...).
JetType TypeOfDeclaration(const QString& declaredType);

struct RewriteOptions {
    // Text the user typed as SQL: only one SELECT; TOP, DISTINCTROW, INTO and every other kind of
    // statement are refused.
    bool readOnly = false;
};

// Raises EDatabaseError for what SQLite cannot be given (a type conflict in a criterion, a
// refused statement in read-only mode).
QString RewriteStatement(const Statement& statement, const QString& originalText, SchemaProvider& schema,
                         const TFormatSettings& settings, const RewriteOptions& options = {});

// Reads a text as CDate does in the given settings: the short date format with or without a
// time, a time alone, ISO dates. False when it is no date.
bool TextToDateTime(const QString& text, const TFormatSettings& settings, double& value);
// Reads a text as a number the way Jet's implicit conversion does (the settings' decimal
// separator or '.'). False when it is no number.
bool TextToNumber(const QString& text, const TFormatSettings& settings, double& value);

// The message of a type conflict between a column and a value, as the database engine words it.
QString TypeMismatchMessage();

}  // namespace jetsql
