#include "platform/db/clientdataset.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include "platform/db/selectrowids.h"
#include "platform/db/valuekind.h"

namespace {

const QString kRowsTable = QStringLiteral("cds_rows");
const QString kLoadTable = QStringLiteral("cds_load");

QString tr(const char* s) { return QCoreApplication::translate("ClientDataSet", s); }

// The column declaration that gives the field type back when the table is read (the
// dataset maps declarations to field types; AUTOINC_INTEGER and GRAPHIC_BLOB are ours).
QString declaration(TFieldType type, int size)
{
    switch (type) {
    case ftString:
        return QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(size > 0 ? size : 255);
    case ftMemo:
        return QStringLiteral("TEXT COLLATE NOCASE");
    case ftSmallint:
        return QStringLiteral("SMALLINT");
    case ftInteger:
        return QStringLiteral("INTEGER");
    case ftLargeint:
        return QStringLiteral("BIGINT");
    case ftAutoInc:
        return QStringLiteral("AUTOINC_INTEGER");
    case ftBoolean:
        return QStringLiteral("BOOLEAN");
    case ftFloat:
        return QStringLiteral("DOUBLE");
    case ftDate:
        return QStringLiteral("DATE");
    case ftTime:
        return QStringLiteral("TIME");
    case ftDateTime:
        return QStringLiteral("DATETIME");
    case ftBlob:
        return QStringLiteral("BLOB");
    case ftGraphic:
        return QStringLiteral("GRAPHIC_BLOB");
    case ftUnknown:
        break;
    }
    return QStringLiteral("TEXT COLLATE NOCASE");
}

bool fitsInto(TFieldType packetType, TFieldType fieldType)
{
    // A text packet field fills a memo field, any whole-number type another, but a text never
    // fills a number.
    const TValueKind p = ValueKind(packetType);
    const TValueKind f = ValueKind(fieldType);
    // Whole numbers fit a float field, as the runtime converts them.
    return p == f || (p == vkWhole && f == vkFloat);
}

}  // namespace

TClientDataSet::TClientDataSet()
{
    memory_.OpenInMemory();
    SetConnection(&memory_);
}

TClientDataSet::~TClientDataSet()
{
    // The private database goes with this object; the dataset lets go of it first, without events.
    shutdown();
}

void TClientDataSet::exec(const QString& sql)
{
    char* err = nullptr;
    if (sqlite3_exec(memory_.Handle(), sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString message = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        raise(message);
    }
}

std::vector<TClientDataSet::Column> TClientDataSet::declaredColumns() const
{
    std::vector<Column> cols;
    if (DefaultFields())
        return cols;
    for (int i = 0; i < FieldCount(); ++i) {
        const TField* f = Field(i);
        if (f->FieldKind() == fkData)
            cols.push_back({f->FieldName(), f->DataType(), f->Size()});
    }
    return cols;
}

void TClientDataSet::createTable(const QString& table, const std::vector<Column>& columns)
{
    QStringList defs;
    for (const Column& c : columns)
        defs << QuoteIdentifier(c.name) + QLatin1Char(' ') + declaration(c.type, c.size);
    exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(QuoteIdentifier(table)));
    exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(QuoteIdentifier(table), defs.join(QStringLiteral(", "))));
}

void TClientDataSet::CreateDataSet()
{
    const std::vector<Column> cols = declaredColumns();
    if (cols.empty())
        raise(tr("Die Datenmenge kann ohne Felder nicht angelegt werden."));
    Close();
    createTable(kRowsTable, cols);
    created_ = true;
    Open();
}

void TClientDataSet::EmptyDataSet()
{
    checkActive();
    CheckBrowseMode();
    exec(QStringLiteral("DELETE FROM %1").arg(QuoteIdentifier(kRowsTable)));
    Requery();
}

TDataSet::SelectPlan TClientDataSet::selectPlan()
{
    if (!created_) {
        // Opening a dataset that was never filled gives it its empty table, when it has
        // fields to make one from.
        const std::vector<Column> cols = declaredColumns();
        if (cols.empty())
            raise(tr("Fehlender Daten-Provider oder Datenpaket."));
        createTable(kRowsTable, cols);
        created_ = true;
    }
    SelectPlan plan;
    plan.table = kRowsTable;
    plan.keyed = true;
    return plan;
}

void TClientDataSet::LoadFromFile(const QString& fileName)
{
    SetData(LoadDataPacket(fileName));
}

void TClientDataSet::SaveToFile(const QString& fileName)
{
    SaveDataPacket(Data(), fileName);
}

void TClientDataSet::SetData(const TDataPacket& packet)
{
    // 1. The layout and every value, checked before anything changes.
    std::vector<Column> cols = declaredColumns();
    std::vector<int> source;  // packet field of each column
    std::vector<const TField*> targets;
    if (DefaultFields()) {
        if (packet.fields.isEmpty())
            raise(tr("Das Datenpaket enthält keine Felder."));
        for (int i = 0; i < packet.fields.size(); ++i) {
            const TPacketField& pf = packet.fields[i];
            cols.push_back({pf.name, pf.type, pf.size});
            source.push_back(i);
            targets.push_back(nullptr);
        }
    } else {
        for (int i = 0; i < FieldCount(); ++i) {
            const TField* f = Field(i);
            if (f->FieldKind() != fkData)
                continue;
            const int pi = packet.FieldIndex(f->FieldName());
            if (pi < 0)
                raise(tr("Das Datenpaket passt nicht zur Datenmenge: das Feld '%1' fehlt.").arg(f->FieldName()));
            if (!fitsInto(packet.fields[pi].type, f->DataType()))
                raise(tr("Das Datenpaket passt nicht zur Datenmenge: das Feld '%1' hat eine andere Art von Werten.")
                          .arg(f->FieldName()));
            source.push_back(pi);
            targets.push_back(f);
        }
    }
    std::vector<QVariantList> rows;
    rows.reserve(size_t(packet.rows.size()));
    for (int r = 0; r < packet.rows.size(); ++r) {
        const QVector<QVariant>& in = packet.rows[r];
        QVariantList out;
        for (size_t c = 0; c < cols.size(); ++c) {
            const QVariant v = source[c] < in.size() ? in[source[c]] : QVariant();
            if (!targets[c]) {
                out << v;
                continue;
            }
            try {
                out << targets[c]->ConvertValue(v);
            } catch (const Exception&) {
                raise(tr("Das Datenpaket passt nicht zur Datenmenge: ungültiger Wert '%1' im Feld '%2' (Zeile %3).")
                          .arg(v.toString(), targets[c]->FieldName(), QString::number(r + 1)));
            }
        }
        rows.push_back(std::move(out));
    }

    // 2. The rows go into a table of their own; the dataset's rows stay as they are until
    //    that has worked.
    sqlite3* db = memory_.Handle();
    createTable(kLoadTable, cols);
    try {
        exec(QStringLiteral("BEGIN"));
        QString marks;
        for (size_t c = 0; c < cols.size(); ++c)
            marks += c ? QStringLiteral(",?") : QStringLiteral("?");
        const QString sql = QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(QuoteIdentifier(kLoadTable), marks);
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare16_v2(db, sql.utf16(), int(sql.size() * 2), &stmt, nullptr) != SQLITE_OK)
            memory_.RaiseError(QString());
        for (const QVariantList& row : rows) {
            for (int c = 0; c < row.size(); ++c)
                BindVariant(stmt, c + 1, row[c]);
            const int rc = sqlite3_step(stmt);
            sqlite3_reset(stmt);
            if (rc != SQLITE_DONE) {
                const QString err = SqliteErrorText(db);
                sqlite3_finalize(stmt);
                raise(err);
            }
        }
        sqlite3_finalize(stmt);
        exec(QStringLiteral("COMMIT"));
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "DROP TABLE IF EXISTS cds_load", nullptr, nullptr, nullptr);
        throw;
    }

    // 3. The swap: the new rows replace the old ones and the dataset opens on them.
    Close();
    exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(QuoteIdentifier(kRowsTable)));
    exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(QuoteIdentifier(kLoadTable), QuoteIdentifier(kRowsTable)));
    created_ = true;
    Open();
}

TDataPacket TClientDataSet::Data()
{
    checkActive();
    CheckBrowseMode();
    TDataPacket p;
    std::vector<const TField*> stored;
    for (int i = 0; i < FieldCount(); ++i) {
        const TField* f = Field(i);
        if (f->FieldKind() != fkData)
            continue;
        TPacketField pf;
        pf.name = f->FieldName();
        pf.type = f->DataType();
        pf.size = f->DataType() == ftString ? f->Size() : 0;
        // Text is Unicode here: text fields are written as the packet's wide strings.
        pf.wide = f->DataType() == ftString;
        pf.required = f->Required();
        pf.readOnly = f->ReadOnly();
        p.fields << pf;
        stored.push_back(f);
    }
    for (const int64_t key : snapshotKeys()) {
        QVector<QVariant> row;
        row.reserve(qsizetype(stored.size()));
        for (const TField* f : stored)
            row << storedValue(key, f);
        p.rows << row;
    }
    return p;
}
