#pragma once
// A small writer of Access (Jet 4) database files for tests and benchmarks: no Linux tool writes
// them, and the reader under test must be fed files that no product made. It writes what a reader
// needs to find and read user tables: the header page, the catalog table "MSysObjects", one table
// definition per table, its data pages and their usage maps. Texts are stored as compressed
// Unicode where every character allows it, memos inline in the row. No indexes, no long values
// on pages of their own: a table's rows must each fit on one page.
#include <QString>
#include <QVariant>
#include <QVector>

#include "platform/rtl/sysutils.h"

enum class JetType : unsigned char {
    Boolean = 0x01,   // kept in the row's null mask: set is yes
    Byte = 0x02,
    Integer = 0x03,   // 16 bit
    Long = 0x04,      // 32 bit
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,  // stored as the day count TDateTime uses
    Text = 0x0A,
    Ole = 0x0B,       // always null here (the catalog's property column)
    Memo = 0x0C,
};

struct JetColumn {
    QString name;
    JetType type = JetType::Long;
    int size = 0;  // characters of a text column (at most 255)
};

struct JetTable {
    QString name;
    QVector<JetColumn> columns;
    // One value per column: an invalid QVariant is null; numbers as int or double, date-times
    // as a TDateTime (double), texts as QString.
    QVector<QVector<QVariant>> rows;
};

// Writes the tables into a new file; false with the reason when a row or a table does not fit.
bool WriteJetDatabase(const QString& fileName, const QVector<JetTable>& tables, QString* error = nullptr);
