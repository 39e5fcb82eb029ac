#pragma once
// Read-only access to a Paradox table (".DB") of the previous version and its blob file (".MB"):
// the fields with their types and the records as values.
//
// pxlib reads the table. Before it is handed the file, the header and the chain of data blocks
// are checked here, because the library loops or reads past the file's end on a damaged one;
// a table that fails the check is reported with the reason, never read in part. The blob file is
// read by ParadoxBlobFile. A table protected by a password reads without it, as the library
// decrypts its blocks from the header's key. Nothing is ever written: both files are opened
// for reading only.
//
// Values: text fields as text, converted from the table's code page; dates as date-times
// (Paradox day numbers − 693594); times of day as date-times built from whole milliseconds;
// time stamps as date-times; whole numbers as int; numbers, currency and BCD as double;
// logical fields as bool; memo fields as text; binary, OLE and picture fields as bytes (a
// picture as it is stored, without the table's own header in front of it). An empty field is a
// null QVariant.
#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

enum class ParadoxFieldType {
    Alpha, Date, Short, Long, Currency, Number, Logical, Memo, Blob, FormattedMemo, Ole, Graphic,
    Time, Timestamp, AutoInc, Bcd, Bytes
};

struct ParadoxField {
    QString name;
    ParadoxFieldType type = ParadoxFieldType::Alpha;
    int size = 0;  // bytes in the record
};

// A table that cannot be read: the file concerned and the reason.
struct ParadoxError {
    QString file;
    QString reason;

    // "Die Datei "…/daten.DB" kann nicht gelesen werden: <reason>"
    QString Text() const;
};

class ParadoxTable {
public:
    ParadoxTable();
    ~ParadoxTable();
    ParadoxTable(const ParadoxTable&) = delete;
    ParadoxTable& operator=(const ParadoxTable&) = delete;

    // Opens the table and, when it has blob fields, its blob file. Both names are looked up
    // without regard to case ("daten.DB" finds "DATEN.DB"), as on the system that wrote them.
    bool Open(const QString& fileName);
    void Close();
    bool IsOpen() const;
    const ParadoxError& Error() const { return error_; }

    const QString& FileName() const { return fileName_; }
    const QList<ParadoxField>& Fields() const { return fields_; }
    // The index of a field by name, compared without case; -1 when the table has none.
    int FieldIndex(const QString& name) const;
    int RecordCount() const { return recordCount_; }
    // The Paradox file level as ten times its version (30, 35, 40, 50, 70) and the code page
    // of its texts.
    int FileVersion() const { return fileVersion_; }
    int CodePage() const { return codePage_; }
    bool Encrypted() const { return encryption_ != 0; }

    // The values of record `index` (from 0), one per field. False with Error() set when the
    // record or its blob cannot be read.
    bool ReadRecord(int index, QVariantList& values);
    // Every record in file order; on an error the list is empty.
    bool ReadAll(QList<QVariantList>& records);

    // The file in the folder whose name equals `name` without regard to case; empty when none.
    static QString FindFile(const QString& folder, const QString& name);

private:
    struct Px;
    bool fail(const QString& file, const QString& reason);
    bool checkFile(const QByteArray& head, int64_t size);
    bool checkBlocks(const QString& fileName);

    std::unique_ptr<Px> px_;
    ParadoxError error_;
    QString fileName_;
    QList<ParadoxField> fields_;
    QList<int> offsets_;
    int recordSize_ = 0;
    int recordCount_ = 0;
    int fileVersion_ = 0;
    int codePage_ = 0;
    uint32_t encryption_ = 0;
    int headerSize_ = 0;
    int blockSize_ = 0;
    int fileBlocks_ = 0;
    int firstBlock_ = 0;
};
