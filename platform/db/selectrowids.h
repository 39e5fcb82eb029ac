#pragma once
// Rewrites a SELECT so that it also returns the rowid of every table of its FROM clause, which
// lets a query dataset write each field back to the row it came from.
#include <QString>
#include <QStringList>

struct RowidSelect {
    bool ok = false;     // false: the statement cannot be keyed (DISTINCT, GROUP BY, UNION,
                         // a sub-select in FROM...); read it as it stands
    QString sql;         // the SELECT with the rowid columns in front
    QStringList tables;  // the tables in FROM order; rowid column i belongs to tables[i]
};

RowidSelect AddRowidColumns(const QString& select);

// An identifier quoted for SQLite.
QString QuoteIdentifier(const QString& name);
