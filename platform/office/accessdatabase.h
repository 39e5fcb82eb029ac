#pragma once
// An Access database file (".mdb", Jet 3 and 4) read through libmdb: its user tables (the
// system tables "MSys…" left out), each with typed columns and its rows as values. Numbers stay
// numbers, date-times are the stored day count (the one TDateTime uses, not a formatted text),
// texts and memos are Unicode. There is no SQL: callers order, join and filter the rows they get.
//
// The file is read on Open and each table when it is asked for; the object keeps the file open
// until it is destroyed. Not for use from two threads at once.
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

#include "platform/office/officeresult.h"
#include "platform/office/tablesource.h"

enum class AccessFieldKind { Boolean, Integer, Float, Currency, DateTime, Text, Memo, Binary, Other };

struct AccessField {
    QString name;
    AccessFieldKind kind = AccessFieldKind::Other;
    int size = 0;  // bytes as stored (text: twice the characters in Jet 4)
};

// One table read whole: its fields and its rows in the order of the file.
struct AccessTable {
    QString name;
    QVector<AccessField> fields;
    TableRows rows;

    // The column of a field, compared without case; -1 when the table has none.
    int FieldIndex(const QString& field) const;
    // The value of a field in a row; an empty value for a field the table lacks.
    TableValue Value(int row, const QString& field) const;
};

// A value of an Access field as a whole number: numbers rounded (0 outside the int range), texts
// read as integers (0 when they are none), anything else 0. Id and counter fields come as
// numbers, some files keep them as texts.
int AccessInteger(const TableValue& v);

class AccessDatabase : public TableSource {
public:
    // Opens the file and reads its catalog. Errors: the file is missing, cannot be read, is no
    // Access database or its catalog is damaged.
    static OfficeResult<std::unique_ptr<AccessDatabase>> Open(const QString& fileName);
    ~AccessDatabase() override;
    AccessDatabase(const AccessDatabase&) = delete;
    AccessDatabase& operator=(const AccessDatabase&) = delete;

    const QString& FileName() const { return fileName_; }

    // The user tables in the order of the catalog.
    QStringList TableNames() const override;
    OfficeResult<QStringList> FieldNames(const QString& table) const override;
    OfficeResult<TableRows> Rows(const QString& table) const override;
    // A table (name compared without case) with its fields and rows.
    OfficeResult<AccessTable> Table(const QString& table) const;

private:
    AccessDatabase() = default;

    struct Handle;
    std::unique_ptr<Handle> handle_;
    QString fileName_;
    QStringList tables_;
};
