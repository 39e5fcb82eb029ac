#pragma once
// The logic of the import wizard without its windows: the table source of a chosen file, the
// field mapping with its ".imp" file, the target fields offered, and the copy of a table's rows
// into training units or into split rows of the current unit.
//
// The copy is one transaction: a value that does not fit its field, or a failing row, rolls
// back every row written before it, and the error names the source row and the field. Mapped
// fields that the table or the target lack are named before anything is written.
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "platform/office/officeresult.h"
#include "platform/office/tablesource.h"

class TDataSet;

// Opens the file as the wizard's source: a workbook (".xls" or ".xlsx") when `excel` is set, an
// Access database otherwise. A file of the other kind gives an error that says what was expected.
OfficeResult<std::unique_ptr<TableSource>> OpenImportSource(const QString& fileName, bool excel);

// Up to 31 pairs of source field and target field, kept without gaps in the order made.
class TImportMapping {
public:
    static constexpr int MaxPairs = 31;
    struct Pair {
        QString source;
        QString target;
    };

    const QList<Pair>& Pairs() const { return pairs_; }
    bool IsEmpty() const { return pairs_.isEmpty(); }
    // Adds a pair; an error text (nothing added) when a name is missing or the mapping is full.
    QString Add(const QString& source, const QString& target);
    void Clear() { pairs_.clear(); }
    // "source -> target" for each pair.
    QStringList Lines() const;

    // The mapping file: section "Zuordnung", keys zf0..zf30 (source) and zt0..zt30 (target),
    // all written, free pairs empty. Saving raises EIniFileException when the file cannot be
    // written.
    void Save(const QString& fileName) const;
    // Reads every pair whose source is set, wherever it stands in the file; a pair without its
    // target is left out.
    void Load(const QString& fileName);

private:
    QList<Pair> pairs_;
};

// The target's fields a mapping may name, in field order: no calculated fields, not "dat_Id",
// none beginning with "unt_". Lookup fields are offered: a value is looked up by its text.
QStringList ImportTargetFields(const TDataSet& target);

class TTableImport {
public:
    // Called once the table is read, with its number of rows, before anything is written.
    std::function<void(int total)> onStart;
    // Called after each row written, with the number of rows written.
    std::function<void(int rows)> onRow;

    // Copies every row of the table into the target (`daten` or `zeit` of the data module).
    // `hrm`: the value of "zei_hrm" where the target has that field. False with Error() when
    // nothing was written.
    bool Run(const TableSource& source, const QString& table, const TImportMapping& mapping, TDataSet& target,
             bool hrm);
    const QString& Error() const { return error_; }
    int RowsWritten() const { return rows_; }

private:
    QString error_;
    int rows_ = 0;
};
