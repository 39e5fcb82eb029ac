#pragma once
// A query read once, forwards, row by row, without a snapshot: for lists filled from many rows
// that keep only the texts they show. The SQL passes through the connection's translator.
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

class TConnection;
struct sqlite3_stmt;

class TSqlReader {
public:
    // Prepares the query and binds the values in order; EDatabaseError on a fault of the SQL.
    TSqlReader(TConnection& connection, const QString& sql, const QVariantList& params = {});
    ~TSqlReader();
    TSqlReader(const TSqlReader&) = delete;
    TSqlReader& operator=(const TSqlReader&) = delete;

    // Moves to the next row (the first at the first call); false after the last.
    bool Next();
    // The column of that name (without case); EDatabaseError "Feld 'x' nicht gefunden".
    int Column(const QString& name) const;
    bool IsNull(int column) const;
    int64_t AsLargeInt(int column) const;
    int AsInteger(int column) const { return int(AsLargeInt(column)); }
    double AsFloat(int column) const;
    // Numbers as their digits, as a field gives them.
    QString AsString(int column) const;

private:
    TConnection& connection_;
    sqlite3_stmt* stmt_ = nullptr;
    QStringList names_;
};
