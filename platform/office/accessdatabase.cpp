#include "platform/office/accessdatabase.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstring>
#include <mdbtools.h>

#include "platform/office/officemessages.h"

namespace {

// The stored little-endian values of a fixed column.
template <typename T>
T stored(const unsigned char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

AccessFieldKind kindOf(int type)
{
    switch (type) {
    case MDB_BOOL: return AccessFieldKind::Boolean;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return AccessFieldKind::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC: return AccessFieldKind::Float;
    case MDB_MONEY: return AccessFieldKind::Currency;
    case MDB_DATETIME: return AccessFieldKind::DateTime;
    case MDB_TEXT:
    case MDB_REPID: return AccessFieldKind::Text;
    case MDB_MEMO: return AccessFieldKind::Memo;
    case MDB_BINARY:
    case MDB_OLE: return AccessFieldKind::Binary;
    default: return AccessFieldKind::Other;
    }
}

// The text libmdb makes of a value (texts and memos in UTF-8); the buffer is made large enough
// for the stored bytes, so that no text is cut short.
QString textOf(MdbHandle* mdb, int start, int type, int len, size_t room)
{
    mdb_set_bind_size(mdb, std::max<size_t>(room, 256));
    char* s = mdb_col_to_string(mdb, mdb->pg_buf, start, type, len);
    if (!s)
        return QString();
    QString text = QString::fromUtf8(s);
    g_free(s);
    return text;
}

TableValue valueOf(MdbHandle* mdb, MdbColumn* col)
{
    const int start = col->cur_value_start;
    const int len = col->cur_value_len;
    if (col->col_type == MDB_BOOL)
        return TableValue::FromNumber(len == 0 ? 1 : 0);  // stored in the null mask: "null" is yes
    if (len == 0)
        return TableValue();
    const unsigned char* p = mdb->pg_buf + start;
    if (start < 0 || start + len > MDB_PGSIZE)
        return TableValue();
    switch (col->col_type) {
    case MDB_BYTE: return TableValue::FromNumber(p[0]);
    case MDB_INT: return TableValue::FromNumber(stored<qint16>(p));
    case MDB_LONGINT: return TableValue::FromNumber(stored<qint32>(p));
    case MDB_FLOAT: return TableValue::FromNumber(double(stored<float>(p)));
    case MDB_DOUBLE: return TableValue::FromNumber(stored<double>(p));
    case MDB_MONEY: return TableValue::FromNumber(double(stored<qint64>(p)) / 10000.0);
    case MDB_DATETIME: return TableValue::FromDateTime(stored<double>(p));
    case MDB_TEXT:
    case MDB_REPID: return TableValue::FromText(textOf(mdb, start, col->col_type, len, size_t(len) * 3 + 64));
    case MDB_MEMO: {
        // The memo's header holds its stored length (flags in the two top bits).
        const quint32 stored_len = stored<quint32>(p) & 0x3FFFFFFFu;
        return TableValue::FromText(textOf(mdb, start, MDB_MEMO, len, size_t(stored_len) * 3 + 64));
    }
    case MDB_NUMERIC: {
        bool ok = false;
        const double v = textOf(mdb, start, MDB_NUMERIC, len, 256).toDouble(&ok);
        return ok ? TableValue::FromNumber(v) : TableValue();
    }
    default: return TableValue();  // binary and OLE values are not imported
    }
}

struct TableDef {
    MdbTableDef* def = nullptr;
    ~TableDef()
    {
        if (def)
            mdb_free_tabledef(def);
    }
};

}  // namespace

struct AccessDatabase::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
};

int AccessTable::FieldIndex(const QString& field) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TableValue AccessTable::Value(int row, const QString& field) const
{
    const int c = FieldIndex(field);
    if (c < 0 || row < 0 || row >= rows.size() || c >= rows[row].size())
        return TableValue();
    return rows[row][c];
}

int AccessInteger(const TableValue& v)
{
    if (v.kind() == TableValue::Kind::Number)
        return std::isfinite(v.Number()) && std::fabs(v.Number()) < 2e9 ? int(std::lround(v.Number())) : 0;
    if (v.kind() == TableValue::Kind::Text)
        return v.Text().trimmed().toInt();
    return 0;
}

AccessDatabase::~AccessDatabase() = default;

OfficeResult<std::unique_ptr<AccessDatabase>> AccessDatabase::Open(const QString& fileName)
{
    QFile f(fileName);
    if (!QFileInfo::exists(fileName))
        return OfficeError{OfficeMessages::FileNotFound(fileName), QString()};
    if (!f.open(QIODevice::ReadOnly))
        return OfficeError{OfficeMessages::FileUnreadable(fileName, f.errorString()), QString()};
    // libmdb takes any file it is given; only a file with the header of a Jet database and at
    // least one whole page reaches it.
    const QByteArray head = f.read(0x20);
    const bool jet = head.size() == 0x20 && (head.mid(4, 15) == QByteArrayLiteral("Standard Jet DB") ||
                                             head.mid(4, 15) == QByteArrayLiteral("Standard ACE DB"));
    if (!jet || f.size() < 2048 * 3)
        return OfficeError{OfficeMessages::NotAnAccessDatabase(fileName), QString()};
    f.close();

    std::unique_ptr<AccessDatabase> db(new AccessDatabase);
    db->fileName_ = fileName;
    db->handle_ = std::make_unique<Handle>();
    db->handle_->mdb = mdb_open(QFile::encodeName(fileName).constData(), MDB_NOFLAGS);
    MdbHandle* mdb = db->handle_->mdb;
    if (!mdb)
        return OfficeError{OfficeMessages::AccessDamaged(fileName), QString()};
    if (mdb->f->db_key != 0)
        return OfficeError{OfficeMessages::AccessProtected(fileName), QString()};
    if (!mdb_read_catalog(mdb, MDB_TABLE))
        return OfficeError{OfficeMessages::AccessDamaged(fileName), QString()};
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(entry))
            db->tables_.append(QString::fromUtf8(entry->object_name));
    }
    return db;
}

QStringList AccessDatabase::TableNames() const
{
    return tables_;
}

OfficeResult<QStringList> AccessDatabase::FieldNames(const QString& table) const
{
    OfficeResult<AccessTable> t = Table(table);
    if (!t.Ok())
        return t.Error();
    QStringList names;
    for (const AccessField& f : t.Value().fields)
        names.append(f.name);
    return names;
}

OfficeResult<TableRows> AccessDatabase::Rows(const QString& table) const
{
    OfficeResult<AccessTable> t = Table(table);
    if (!t.Ok())
        return t.Error();
    return std::move(t.Value().rows);
}

OfficeResult<AccessTable> AccessDatabase::Table(const QString& table) const
{
    MdbHandle* mdb = handle_->mdb;
    MdbCatalogEntry* entry = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog && !entry; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(e) && QString::fromUtf8(e->object_name).compare(table, Qt::CaseInsensitive) == 0)
            entry = e;
    }
    if (!entry)
        return OfficeError{OfficeMessages::UnknownTable(table), QString()};
    TableDef def;
    def.def = mdb_read_table(entry);
    if (!def.def || !mdb_read_columns(def.def))
        return OfficeError{OfficeMessages::AccessDamaged(fileName_), OfficeMessages::PartPosition(table)};
    AccessTable result;
    result.name = QString::fromUtf8(entry->object_name);
    const unsigned n = def.def->num_cols;
    QVector<MdbColumn*> columns;
    for (unsigned c = 0; c < n; ++c) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(def.def->columns, c));
        columns.append(col);
        result.fields.append({QString::fromUtf8(col->name), kindOf(col->col_type), col->col_size});
    }
    mdb_rewind_table(def.def);
    result.rows.reserve(int(def.def->num_rows));
    while (mdb_fetch_row(def.def)) {
        QVector<TableValue> row;
        row.reserve(int(n));
        for (MdbColumn* col : columns)
            row.append(valueOf(mdb, col));
        result.rows.append(std::move(row));
    }
    return result;
}
