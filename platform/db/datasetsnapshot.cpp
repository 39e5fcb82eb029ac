// TDataSet: the snapshot a dataset reads at open (all rows of a query, or the keys of a table
// with their values fetched in pages), its order and filter, and the record buffers that the
// fields read and write.
#include "platform/db/dataset.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include <algorithm>
#include <unordered_set>

#include "platform/db/connection.h"
#include "platform/db/datasetshared.h"
#include "platform/db/datasource.h"
#include "platform/db/jetsql.h"
#include "platform/db/selectrowids.h"

using namespace datasetdetail;

namespace {

// Rows a keyed dataset reads before the one asked for (of its page, datasetshared.h).
constexpr int kPageBefore = 16;
// Rows of a keyed query whose values are read at open; the rest are read when first needed.
constexpr int kQueryRowsAtOpen = 1024;

TFieldType typeFromDeclaration(const QString& declared, int& size)
{
    const QString d = declared.toUpper();
    size = 0;
    // The declarations a client dataset's table uses for the kinds SQL has no name for.
    if (d == QLatin1String("AUTOINC_INTEGER"))
        return ftAutoInc;
    if (d == QLatin1String("GRAPHIC_BLOB"))
        return ftGraphic;
    if (d.contains(QLatin1String("CHAR")) || d.contains(QLatin1String("STRING"))) {
        const int open = d.indexOf(QLatin1Char('('));
        const int close = d.indexOf(QLatin1Char(')'), open);
        size = open >= 0 && close > open ? d.mid(open + 1, close - open - 1).trimmed().toInt() : 255;
        if (size <= 0)
            size = 255;
        return ftString;
    }
    if (d.contains(QLatin1String("TEXT")) || d.contains(QLatin1String("MEMO")) ||
        d.contains(QLatin1String("CLOB")))
        return ftMemo;
    if (d.contains(QLatin1String("BLOB")) || d.contains(QLatin1String("IMAGE")) ||
        d.contains(QLatin1String("BINARY")))
        return ftBlob;
    if (d.contains(QLatin1String("BOOL")) || d == QLatin1String("BIT") || d.contains(QLatin1String("YESNO")))
        return ftBoolean;
    if (d.contains(QLatin1String("DATETIME")) || d.contains(QLatin1String("TIMESTAMP")))
        return ftDateTime;
    if (d.contains(QLatin1String("DATE")))
        return ftDate;
    if (d.contains(QLatin1String("TIME")))
        return ftTime;
    if (d.contains(QLatin1String("SMALLINT")) || d.contains(QLatin1String("TINYINT")))
        return ftSmallint;
    if (d.contains(QLatin1String("BIGINT")))
        return ftLargeint;
    if (d.contains(QLatin1String("INT")))
        return ftInteger;
    if (d.contains(QLatin1String("DOUBLE")) || d.contains(QLatin1String("FLOAT")) ||
        d.contains(QLatin1String("REAL")) || d.contains(QLatin1String("NUMERIC")) ||
        d.contains(QLatin1String("DECIMAL")) || d.contains(QLatin1String("CURRENCY")))
        return ftFloat;
    size = 255;
    return ftString;
}

TFieldType typeFromValue(const QVariant& v, int& size)
{
    size = 0;
    switch (v.typeId()) {
    case QMetaType::LongLong: {
        const qlonglong n = v.toLongLong();
        return n >= INT32_MIN && n <= INT32_MAX ? ftInteger : ftLargeint;
    }
    case QMetaType::Double:
        return ftFloat;
    case QMetaType::QByteArray:
        return ftBlob;
    default:
        size = 255;
        return ftString;
    }
}

QString rowidAlias(sqlite3* db, const QString& table)
{
    sqlite3_stmt* stmt = nullptr;
    const QString sql = QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?1)");
    if (sqlite3_prepare16_v2(db, sql.utf16(), int(sql.size() * 2), &stmt, nullptr) != SQLITE_OK)
        return QString();
    BindVariant(stmt, 1, table);
    QString alias;
    int pkCount = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        if (sqlite3_column_int(stmt, 2) > 0) {
            ++pkCount;
            if (ColumnVariant(stmt, 1).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                alias = ColumnVariant(stmt, 0).toString();
        }
    }
    sqlite3_finalize(stmt);
    return pkCount == 1 ? alias : QString();
}

}  // namespace

void BindParameters(sqlite3_stmt* stmt, const QVariantList& positional, const QVariantMap& named)
{
    const int n = sqlite3_bind_parameter_count(stmt);
    int next = 0;
    for (int i = 1; i <= n; ++i) {
        const char* name = sqlite3_bind_parameter_name(stmt, i);
        if (name && (name[0] == ':' || name[0] == '@' || name[0] == '$')) {
            BindVariant(stmt, i, named.value(QString::fromUtf8(name + 1).toLower()));
        } else {
            BindVariant(stmt, i, next < positional.size() ? positional[next] : QVariant());
            ++next;
        }
    }
}

// --- reading the snapshot -----------------------------------------------------------------------

TDataSet::SelectPlan TDataSet::selectPlan()
{
    return plan_;  // a clone reads what its source read
}

sqlite3_stmt* TDataSet::statement(const QString& sql)
{
    auto it = stmts_.find(sql);
    if (it != stmts_.end()) {
        sqlite3_reset(it.value());
        sqlite3_clear_bindings(it.value());
        return it.value();
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare16_v3(connection_->Handle(), sql.utf16(), int(sql.size() * 2),
                             SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK)
        connection_->RaiseError(QString());
    stmts_.insert(sql, stmt);
    return stmt;
}

int TDataSet::execStatement(const QString& sql, const QVariantList& params)
{
    sqlite3_stmt* stmt = statement(sql);
    for (int i = 0; i < params.size(); ++i)
        BindVariant(stmt, i + 1, params[i]);
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        connection_->RaiseError(QString());
    return sqlite3_changes(connection_->Handle());
}

void TDataSet::clearSnapshot()
{
    for (sqlite3_stmt* s : stmts_)
        sqlite3_finalize(s);
    stmts_.clear();
    writeStmts_.clear();
    snap_.clear();
    snap_.shrink_to_fit();
    lazyKeys_ = false;
    lazyCount_ = 0;
    keyPages_.clear();
    anchors_.clear();
    keyPositions_.clear();
    vis_.clear();
    filterActive_ = false;
    rows_.clear();
    cache_.clear();
    dropLookupIndexes();
    cur_ = -1;
    current_ = Buffer();
    old_ = Buffer();
    display_ = Buffer();
    active_ = &current_;
}

void TDataSet::readColumns(sqlite3_stmt* stmt, int firstColumn, bool buildFields)
{
    const int n = sqlite3_column_count(stmt);
    columns_.clear();
    columnTypes_.clear();
    colBase_.clear();
    colOrigin_.clear();
    for (int c = firstColumn; c < n; ++c) {
        columns_ << QString::fromUtf8(sqlite3_column_name(stmt, c));
        const char* decl = sqlite3_column_decltype(stmt, c);
        columnTypes_ << (decl ? QString::fromUtf8(decl) : QString());
        const char* table = sqlite3_column_table_name(stmt, c);
        const char* origin = sqlite3_column_origin_name(stmt, c);
        int base = -1;
        if (table && origin) {
            const QString t = QString::fromUtf8(table);
            for (size_t b = 0; b < bases_.size(); ++b)
                if (sameName(bases_[b].name, t)) {
                    base = int(b);
                    break;
                }
        }
        colBase_.push_back(base);
        colOrigin_ << (base >= 0 ? QString::fromUtf8(origin) : QString());
    }
    (void)buildFields;
}

void TDataSet::bindFields()
{
    if (!declaredFields_) {
        fields_.clear();
        for (int c = 0; c < columns_.size(); ++c) {
            int size = 0;
            TFieldType t;
            if (!columnTypes_[c].isEmpty()) {
                t = typeFromDeclaration(columnTypes_[c], size);
            } else {
                // An expression: its type is that of its first value.
                QVariant first;
                for (const Row& r : rows_)
                    if (!r.unread && r.values[size_t(c)].isValid()) {
                        first = r.values[size_t(c)];
                        break;
                    }
                t = typeFromValue(first, size);
            }
            const int b = colBase_[size_t(c)];
            if (t == ftInteger && b >= 0 && sameName(bases_[size_t(b)].aliasColumn, colOrigin_[c]))
                t = ftAutoInc;
            auto f = std::make_unique<TField>(this, columns_[c], t, size, fkData);
            f->index_ = int(fields_.size());
            if (t == ftAutoInc)
                f->SetReadOnly(true);
            fields_.push_back(std::move(f));
        }
        forgetFieldNames();
    }
    hasCalcs_ = false;
    for (auto& f : fields_) {
        f->column_ = -1;
        f->baseTable_ = -1;
        f->originName_.clear();
        if (f->fieldKind_ != fkData) {
            hasCalcs_ = true;
            continue;
        }
        int col = -1;
        for (int c = 0; c < columns_.size(); ++c)
            if (sameName(columns_[c], f->fieldName_)) {
                col = c;
                break;
            }
        if (col < 0)
            raise(QCoreApplication::translate("DataSet", "Feld '%1' nicht gefunden").arg(f->fieldName_));
        f->column_ = col;
        f->baseTable_ = colBase_[size_t(col)];
        f->originName_ = colOrigin_[col];
    }
}

void TDataSet::readKeyed(const SelectPlan& plan, bool buildFields)
{
    sqlite3* db = connection_->Handle();
    bases_.clear();
    bases_.push_back({plan.table, rowidAlias(db, plan.table)});
    const QString table = QuoteIdentifier(plan.table);
    {
        const QString sql = QStringLiteral("SELECT * FROM ") + table;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare16_v2(db, sql.utf16(), int(sql.size() * 2), &stmt, nullptr) != SQLITE_OK)
            connection_->RaiseError(QString());
        readColumns(stmt, 0, buildFields);
        sqlite3_finalize(stmt);
    }
    readKeys(plan);
}

void TDataSet::readQuery(const SelectPlan& plan, bool buildFields)
{
    sqlite3* db = connection_->Handle();
    bases_.clear();
    sqlite3_stmt* stmt = nullptr;
    int hidden = 0;
    // Text the user typed is prepared under the read-only guard: whatever it holds, it can only
    // read. The guard covers the preparing; a prepared statement keeps what it was allowed.
    SetReadOnlyGuard(db, plan.readOnly);
    const RowidSelect keyed = AddRowidColumns(plan.sql);
    if (keyed.ok &&
        sqlite3_prepare16_v2(db, keyed.sql.utf16(), int(keyed.sql.size() * 2), &stmt, nullptr) == SQLITE_OK) {
        hidden = int(keyed.tables.size());
    } else {
        // Not keyable: the rows are read as they are and cannot be written back.
        if (stmt)
            sqlite3_finalize(stmt);
        stmt = nullptr;
        if (sqlite3_prepare16_v2(db, plan.sql.utf16(), int(plan.sql.size() * 2), &stmt, nullptr) != SQLITE_OK) {
            const bool refused = plan.readOnly && sqlite3_errcode(db) == SQLITE_AUTH;
            SetReadOnlyGuard(db, false);
            if (refused)
                throw EDatabaseError(ReadOnlyMessage());
            connection_->RaiseError(QString());
        }
        if (!stmt) {
            SetReadOnlyGuard(db, false);
            raise(QCoreApplication::translate("DataSet", "Die Abfrage liefert keine Datensätze"));
        }
    }
    SetReadOnlyGuard(db, false);
    if (hidden > 0)
        for (const QString& t : keyed.tables)
            bases_.push_back({t, rowidAlias(db, t)});
    if (sqlite3_column_count(stmt) == 0) {
        sqlite3_finalize(stmt);
        raise(QCoreApplication::translate("DataSet", "Die Abfrage liefert keine Datensätze"));
    }
    BindParameters(stmt, plan.params, plan.namedParams);
    readColumns(stmt, hidden, buildFields);
    hiddenColumns_ = hidden;
    rowsSql_.clear();
    // A keyed result of many rows keeps the values of its first rows only; the rest are read by
    // key when first needed, so that a long history costs its keys at open, not every value of
    // every row. Undeclared fields of computed columns take their type from the values read,
    // so such a result is read whole.
    bool readAll = hidden == 0;
    if (!readAll && !declaredFields_)
        readAll = std::any_of(columnTypes_.begin(), columnTypes_.end(), [](const QString& t) { return t.isEmpty(); });
    if (!readAll) {
        rowsSql_ = keyed.sql.trimmed();
        while (rowsSql_.endsWith(QLatin1Char(';')))
            rowsSql_ = rowsSql_.left(rowsSql_.size() - 1).trimmed();
    }
    const int n = sqlite3_column_count(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        // Past the rows read with their values, only rowids are kept: a statement that asks for
        // just those spares computing every column of every row (a search matching a whole
        // history).
        if (!readAll && rows_.size() == size_t(kQueryRowsAtOpen) && readRowidsOnly(plan)) {
            rc = SQLITE_DONE;
            break;
        }
        Row r;
        r.rowids.resize(size_t(hidden));
        for (int b = 0; b < hidden; ++b)
            r.rowids[size_t(b)] = sqlite3_column_type(stmt, b) == SQLITE_NULL ? -1 : sqlite3_column_int64(stmt, b);
        if (readAll || rows_.size() < size_t(kQueryRowsAtOpen)) {
            r.values.reserve(size_t(n - hidden));
            for (int c = hidden; c < n; ++c)
                r.values.push_back(ColumnVariant(stmt, c));
        } else {
            r.unread = true;
        }
        snap_.push_back(int64_t(rows_.size()));
        rows_.push_back(std::move(r));
    }
    const SqliteError err = SqliteError::of(db);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        raise(err);
}

namespace {

// The plan SQLite chooses for a statement with these parameters: one line per step, indented by
// its depth. A covering index is walked in the order of the same index read with its table.
QStringList queryPlan(sqlite3* db, const QString& sql, bool readOnly, const QVariantList& params,
                      const QVariantMap& named)
{
    const QString explain = QStringLiteral("EXPLAIN QUERY PLAN ") + sql;
    sqlite3_stmt* stmt = nullptr;
    SetReadOnlyGuard(db, readOnly);
    const int prepared = sqlite3_prepare16_v2(db, explain.utf16(), int(explain.size() * 2), &stmt, nullptr);
    SetReadOnlyGuard(db, false);
    QStringList lines;
    if (prepared != SQLITE_OK || !stmt) {
        sqlite3_finalize(stmt);
        return lines;
    }
    BindParameters(stmt, params, named);
    QHash<int, int> depth;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const int id = sqlite3_column_int(stmt, 0);
        const int d = depth.value(sqlite3_column_int(stmt, 1), -1) + 1;
        depth.insert(id, d);
        QString detail = ColumnVariant(stmt, 3).toString();
        detail.replace(QLatin1String("COVERING INDEX"), QLatin1String("INDEX"));
        lines << QString(d, QLatin1Char(' ')) + detail;
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        lines.clear();
    return lines;
}

}  // namespace

bool TDataSet::readRowidsOnly(const SelectPlan& plan)
{
    sqlite3* db = connection_->Handle();
    const int hidden = hiddenColumns_;
    QString sql = QStringLiteral("SELECT ");
    for (int b = 0; b < hidden; ++b)
        sql += (b ? QStringLiteral(", __orv_rowid") : QStringLiteral("__orv_rowid")) + QString::number(b);
    sql += QStringLiteral(" FROM (") + rowsSql_ + QLatin1Char(')');
    // SQLite orders rows of equal sort keys as its plan reaches them, so the rowids are read this
    // way only when it takes the same path through the tables (the subquery merged into the
    // statement, the same indexes, the same sort) as for the full query.
    const QStringList full = queryPlan(db, rowsSql_, plan.readOnly, plan.params, plan.namedParams);
    if (full.isEmpty() || queryPlan(db, sql, plan.readOnly, plan.params, plan.namedParams) != full)
        return false;
    sqlite3_stmt* stmt = nullptr;
    SetReadOnlyGuard(db, plan.readOnly);
    const int prepared = sqlite3_prepare16_v2(db, sql.utf16(), int(sql.size() * 2), &stmt, nullptr);
    SetReadOnlyGuard(db, false);
    if (prepared != SQLITE_OK || !stmt || sqlite3_column_count(stmt) != hidden) {
        sqlite3_finalize(stmt);
        return false;
    }
    BindParameters(stmt, plan.params, plan.namedParams);
    const size_t read = rows_.size();
    std::vector<int64_t> ids(size_t(hidden), -1);
    size_t at = 0;
    bool same = true;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int b = 0; b < hidden; ++b)
            ids[size_t(b)] = sqlite3_column_type(stmt, b) == SQLITE_NULL ? -1 : sqlite3_column_int64(stmt, b);
        if (at < read) {
            // The rows read with their values must come first, as they came.
            if (ids != rows_[at].rowids) {
                same = false;
                break;
            }
        } else {
            Row r;
            r.rowids = ids;
            r.unread = true;
            snap_.push_back(int64_t(rows_.size()));
            rows_.push_back(std::move(r));
        }
        ++at;
    }
    sqlite3_finalize(stmt);
    if (!same || rc != SQLITE_DONE || rows_.size() == read) {
        // The full query reads on where it stands.
        rows_.resize(read);
        snap_.resize(read);
        return false;
    }
    return true;
}

void TDataSet::readSnapshot(bool buildFields)
{
    plan_ = selectPlan();
    keyed_ = plan_.keyed;
    emptyRow_ = Row();
    if (keyed_)
        readKeyed(plan_, buildFields);
    else
        readQuery(plan_, buildFields);
    emptyRow_.values.resize(size_t(columns_.size()));
    emptyRow_.rowids.assign(bases_.size(), -1);
    emptyRow_.missing = true;
    // Rows can be written back when at least one column comes from a table whose rowid the
    // snapshot holds; a grouped, distinct or combined result has none.
    updatable_ = keyed_ || std::any_of(colBase_.begin(), colBase_.end(), [](int b) { return b >= 0; });
    dropLookupIndexes();
}

void TDataSet::fetchKeys(const std::vector<int64_t>& wanted)
{
    if (wanted.empty())
        return;
    if (cache_.size() > kCacheLimit) {
        for (auto it = cache_.begin(); it != cache_.end();)
            it = it->second.pinned ? std::next(it) : cache_.erase(it);
        // Rows read again later may hold values written elsewhere meanwhile.
        ++rowsLetGo_;
        dropLookupIndexes();
    }
    QString sql = QStringLiteral("SELECT rowid, * FROM ") + QuoteIdentifier(plan_.table) +
                  QStringLiteral(" WHERE rowid IN (");
    for (int i = 0; i < kPageSize; ++i)
        sql += i ? QStringLiteral(",?") : QStringLiteral("?");
    sql += QLatin1Char(')');
    sqlite3_stmt* stmt = statement(sql);
    for (int i = 0; i < kPageSize; ++i) {
        if (size_t(i) < wanted.size())
            sqlite3_bind_int64(stmt, i + 1, wanted[size_t(i)]);
        else
            sqlite3_bind_null(stmt, i + 1);
    }
    const int n = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        Row r;
        const int64_t key = sqlite3_column_int64(stmt, 0);
        r.rowids.push_back(key);
        r.values.reserve(size_t(n - 1));
        for (int c = 1; c < n; ++c)
            r.values.push_back(ColumnVariant(stmt, c));
        cache_.emplace(key, std::move(r));
    }
    sqlite3_reset(stmt);
    // Rows deleted behind our back stay in the snapshot, empty, until Requery.
    for (int64_t k : wanted)
        if (cache_.find(k) == cache_.end()) {
            Row r = emptyRow_;
            r.rowids.assign(1, k);
            cache_.emplace(k, std::move(r));
        }
}

void TDataSet::fetchQueryRows(int64_t key, int posHint)
{
    // The rows to read: the one asked for and the unread ones from a little before its position.
    std::vector<int64_t> wanted{key};
    if (validPos(posHint) && keyAt(posHint) == key) {
        const int from = std::max(0, posHint - kPageBefore);
        for (int p = from; validPos(p) && int(wanted.size()) < kPageSize; ++p) {
            const int64_t k = keyAt(p);
            if (k != key && rows_[size_t(k)].unread)
                wanted.push_back(k);
        }
    } else {
        // Without a position (a filter or a sort reading every row): the rows that follow it in
        // the order the query gave them.
        for (size_t k = size_t(key) + 1; k < rows_.size() && int(wanted.size()) < kPageSize; ++k)
            if (rows_[k].unread)
                wanted.push_back(int64_t(k));
    }
    // By the rowid of the first table; a row of it may stand in several rows of a join, which
    // are told apart by all their rowids.
    QHash<QByteArray, int64_t> byRowids;
    auto tuple = [](const std::vector<int64_t>& ids) {
        return QByteArray(reinterpret_cast<const char*>(ids.data()), qsizetype(ids.size() * sizeof(int64_t)));
    };
    for (int64_t k : wanted)
        byRowids.insert(tuple(rows_[size_t(k)].rowids), k);
    QString sql = QStringLiteral("SELECT * FROM (") + rowsSql_ + QStringLiteral(") WHERE __orv_rowid0 IN (");
    for (int i = 0; i < kPageSize; ++i)
        sql += i ? QStringLiteral(",?") : QStringLiteral("?");
    sql += QLatin1Char(')');
    sqlite3* db = connection_->Handle();
    // Text the user typed is prepared under the read-only guard, as at open.
    SetReadOnlyGuard(db, plan_.readOnly);
    sqlite3_stmt* stmt = nullptr;
    try {
        stmt = statement(sql);
    } catch (...) {
        SetReadOnlyGuard(db, false);
        throw;
    }
    SetReadOnlyGuard(db, false);
    QVariantList positional = plan_.params;
    for (int i = 0; i < kPageSize; ++i)
        positional << (size_t(i) < wanted.size() ? QVariant(qlonglong(rows_[size_t(wanted[size_t(i)])].rowids[0]))
                                                  : QVariant());
    BindParameters(stmt, positional, plan_.namedParams);
    const int hidden = hiddenColumns_;
    const int n = sqlite3_column_count(stmt);
    std::vector<int64_t> ids(static_cast<size_t>(hidden), -1);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int b = 0; b < hidden; ++b)
            ids[size_t(b)] = sqlite3_column_type(stmt, b) == SQLITE_NULL ? -1 : sqlite3_column_int64(stmt, b);
        const auto it = byRowids.constFind(tuple(ids));
        if (it == byRowids.constEnd())
            continue;
        Row& r = rows_[size_t(*it)];
        if (!r.unread)
            continue;
        r.values.reserve(size_t(n - hidden));
        for (int c = hidden; c < n; ++c)
            r.values.push_back(ColumnVariant(stmt, c));
        r.unread = false;
    }
    const SqliteError err = SqliteError::of(db);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE)
        raise(err);
    // Rows deleted behind our back stay in the snapshot, empty, until Requery.
    for (int64_t k : wanted) {
        Row& r = rows_[size_t(k)];
        if (r.unread) {
            r.values.assign(size_t(columns_.size()), QVariant());
            r.missing = true;
            r.unread = false;
        }
    }
}

TDataSet::Row& TDataSet::rowByKey(int64_t key, int posHint)
{
    if (!keyed_) {
        if (rows_[size_t(key)].unread)
            fetchQueryRows(key, posHint);
        return rows_[size_t(key)];
    }
    auto it = cache_.find(key);
    if (it != cache_.end())
        return it->second;
    std::vector<int64_t> wanted;
    if (validPos(posHint) && keyAt(posHint) == key) {
        const int from = std::max(0, posHint - kPageBefore);
        for (int p = from; validPos(p) && int(wanted.size()) < kPageSize; ++p) {
            const int64_t k = keyAt(p);
            if (k >= 0 && cache_.find(k) == cache_.end())
                wanted.push_back(k);
        }
    } else {
        wanted.push_back(key);
    }
    fetchKeys(wanted);
    return cache_.find(key)->second;
}

const TDataSet::Row& TDataSet::rowAt(int pos)
{
    if (!validPos(pos))
        return emptyRow_;
    return rowByKey(keyAt(pos), pos);
}

// --- order and filter ----------------------------------------------------------------------------

void TDataSet::sortSnapshot()
{
    const QStringList names = SplitFieldNames(indexFieldNames_);
    if (names.isEmpty())
        return;
    std::vector<std::pair<int, bool>> cols;  // column, descending
    for (QString n : names) {
        bool desc = false;
        if (n.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive)) {
            desc = true;
            n = n.left(n.size() - 5).trimmed();
        } else if (n.endsWith(QLatin1String(" ASC"), Qt::CaseInsensitive)) {
            n = n.left(n.size() - 4).trimmed();
        }
        int col = -1;
        for (int c = 0; c < columns_.size(); ++c)
            if (sameName(columns_[c], n))
                col = c;
        if (col < 0)
            raise(QCoreApplication::translate("DataSet", "Feld '%1' nicht gefunden").arg(n));
        cols.push_back({col, desc});
    }
    dropLookupIndexes();
    materializeKeys();
    // The sort columns' values of every row, copied as they are read: a large table's rows come
    // page by page and the row cache lets earlier pages go, so no row is held by reference
    // while others are read.
    std::vector<std::vector<QVariant>> sortValues(snap_.size());
    auto take = [&](size_t i, const Row* r) {
        std::vector<QVariant>& v = sortValues[i];
        v.reserve(cols.size());
        for (const auto& col : cols)
            v.push_back(r && size_t(col.first) < r->values.size() ? r->values[size_t(col.first)] : QVariant());
    };
    if (keyed_) {
        std::vector<int64_t> wanted;
        std::vector<size_t> waiting;
        auto readWanted = [&] {
            fetchKeys(wanted);
            for (size_t i : waiting) {
                const auto it = cache_.find(snap_[i]);
                take(i, it == cache_.end() ? nullptr : &it->second);  // a row gone meanwhile sorts as empty
            }
            wanted.clear();
            waiting.clear();
        };
        for (size_t i = 0; i < snap_.size(); ++i) {
            const auto it = cache_.find(snap_[i]);
            if (it != cache_.end()) {
                take(i, &it->second);
                continue;
            }
            wanted.push_back(snap_[i]);
            waiting.push_back(i);
            if (int(wanted.size()) == kPageSize)
                readWanted();
        }
        readWanted();
    } else {
        for (size_t i = 0; i < snap_.size(); ++i)
            take(i, &rowByKey(snap_[i], -1));
    }
    std::vector<size_t> order(snap_.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        for (size_t j = 0; j < cols.size(); ++j) {
            const int c = compareValues(sortValues[a][j], sortValues[b][j]);
            if (c)
                return cols[j].second ? c > 0 : c < 0;
        }
        return false;
    });
    std::vector<int64_t> sorted;
    sorted.reserve(snap_.size());
    for (size_t i : order)
        sorted.push_back(snap_[i]);
    snap_.swap(sorted);
}

bool TDataSet::evaluateFilter(int64_t key)
{
    // The record is read into the display buffer and the fields read it there.
    Buffer b;
    b.values.resize(fields_.size());
    b.key = key;
    const Row& r = rowByKey(key, -1);
    for (const auto& f : fields_)
        if (f->column_ >= 0)
            b.values[size_t(f->index_)] = fromStorage(f.get(), r.values[size_t(f->column_)]);
    Buffer* saved = active_;
    const TDataSetState savedState = state_;
    active_ = &b;
    bool accept = true;
    try {
        calcBuffer(b);
        state_ = dsFilter;
        if (filterPredicate_)
            accept = filterPredicate_->matches(*this);
        if (accept && OnFilterRecord)
            OnFilterRecord(this, accept);
    } catch (...) {
        state_ = savedState;
        active_ = saved;
        throw;
    }
    state_ = savedState;
    active_ = saved;
    return accept;
}

void TDataSet::rebuildVisible()
{
    vis_.clear();
    dropLookupIndexes();
    filterActive_ = filtered_ && (filterPredicate_ || OnFilterRecord);
    if (!filterActive_ || state_ == dsInactive)
        return;
    materializeKeys();
    for (int64_t k : snap_)
        if (evaluateFilter(k))
            vis_.push_back(k);
}

void TDataSet::SetIndexFieldNames(const QString& names)
{
    if (names == indexFieldNames_)
        return;
    indexFieldNames_ = names;
    if (!Active())
        return;
    CheckBrowseMode();
    const TBookmark bm = GetBookmark();
    sortSnapshot();
    rebuildVisible();
    const int pos = positionOfBookmark(bm);
    cur_ = count() == 0 ? -1 : std::max(pos, 0);
    loadCurrent();
    notify(Event::DataSetChange);
}

void TDataSet::SetFilter(const QString& f)
{
    if (f == filter_ && (filterPredicate_ || f.trimmed().isEmpty()))
        return;
    std::unique_ptr<FilterPredicate> p;
    if (!f.trimmed().isEmpty()) {
        if (!filterCompiler())
            raise(QCoreApplication::translate("DataSet", "Filterausdrücke werden nicht unterstützt: %1").arg(f));
        p = filterCompiler()(f, *this);
    }
    filter_ = f;
    filterPredicate_ = std::move(p);
    if (Active() && filtered_) {
        CheckBrowseMode();
        rebuildVisible();
        cur_ = count() ? 0 : -1;
        bof_ = true;
        eof_ = count() == 0;
        loadCurrent();
        notify(Event::DataSetChange);
    }
}

void TDataSet::SetFiltered(bool v)
{
    if (v == filtered_)
        return;
    if (Active())
        CheckBrowseMode();
    filtered_ = v;
    if (Active()) {
        rebuildVisible();
        cur_ = count() ? 0 : -1;
        bof_ = true;
        eof_ = count() == 0;
        loadCurrent();
        notify(Event::DataSetChange);
    }
}

// --- buffers --------------------------------------------------------------------------------

QVariant TDataSet::fromStorage(const TField* f, const QVariant& raw) const
{
    if (!raw.isValid() || raw.isNull())
        return QVariant();
    const int t = raw.typeId();
    switch (f->dataType_) {
    case ftSmallint:
    case ftInteger:
    case ftAutoInc:
        if (t == QMetaType::LongLong)
            return QVariant(int(raw.toLongLong()));
        break;
    case ftLargeint:
        if (t == QMetaType::LongLong)
            return raw;
        break;
    case ftFloat:
    case ftDate:
    case ftTime:
    case ftDateTime:
        if (t == QMetaType::Double)
            return raw;
        if (t == QMetaType::LongLong)
            return QVariant(double(raw.toLongLong()));
        break;
    case ftBoolean:
        if (t == QMetaType::LongLong)
            return QVariant(raw.toLongLong() != 0);
        if (t == QMetaType::Double)
            return QVariant(raw.toDouble() != 0.0);
        break;
    case ftString:
    case ftMemo:
    case ftUnknown:
        if (t == QMetaType::QString)
            return raw;
        break;
    case ftBlob:
    case ftGraphic:
        if (t == QMetaType::QByteArray)
            return raw;
        break;
    }
    // Values stored in another form than the column declares: converted, or kept as they are.
    try {
        return f->ConvertValue(raw);
    } catch (const Exception&) {
        return raw;
    }
}

void TDataSet::loadBuffer(Buffer& b, int pos)
{
    b.values.assign(fields_.size(), QVariant());
    b.pos = pos;
    const bool valid = validPos(pos);
    b.key = valid ? keyAt(pos) : -1;
    b.valid = true;
    if (valid) {
        const Row& r = b.key >= 0 || !lazyKeys_ ? rowByKey(b.key, pos) : emptyRow_;
        for (const auto& f : fields_)
            if (f->column_ >= 0)
                b.values[size_t(f->index_)] = fromStorage(f.get(), r.values[size_t(f->column_)]);
        calcBuffer(b);
    }
}

void TDataSet::calcBuffer(Buffer& b)
{
    if (&b == &current_)
        calcStale_ = false;
    if (!hasCalcs_ || inCalc_)
        return;
    Buffer* saved = active_;
    active_ = &b;
    const TDataSetState savedState = state_;
    inCalc_ = true;
    try {
        for (const auto& f : fields_)
            if (f->fieldKind_ == fkCalculated)
                b.values[size_t(f->index_)] = QVariant();
        for (const auto& f : fields_) {
            if (f->fieldKind_ != fkLookup)
                continue;
            QVariant v;
            TDataSet* ld = f->lookupDataSet_;
            if (ld && ld->Active() && !f->keyFields_.isEmpty()) {
                QVariantList keys;
                bool complete = true;
                for (const QString& n : SplitFieldNames(f->keyFields_)) {
                    TField* kf = FindField(n);
                    if (!kf) {
                        complete = false;
                        break;
                    }
                    keys << b.values[size_t(kf->index_)];
                }
                if (complete)
                    v = ld->Lookup(f->lookupKeyFields_, keys.size() == 1 ? keys[0] : QVariant(keys),
                                   f->lookupResultField_, lookupConstraint(f.get()));
            }
            b.values[size_t(f->index_)] = v.isValid() && !v.isNull() ? fromStorage(f.get(), v) : QVariant();
        }
        if (OnCalcFields) {
            state_ = dsCalcFields;
            OnCalcFields(this);
        }
    } catch (...) {
        state_ = savedState;
        inCalc_ = false;
        active_ = saved;
        throw;
    }
    state_ = savedState;
    inCalc_ = false;
    active_ = saved;
}

void TDataSet::loadCurrent()
{
    resetDisplay();
    loadBuffer(current_, cur_);
}

void TDataSet::SetDisplayRow(int pos)
{
    if (!Active())
        return;
    if (pos < 0 || pos == LinkCurrentPos()) {
        active_ = &current_;
        return;
    }
    int rowPos = pos;
    if (state_ == dsInsert && pos > insertPos_)
        rowPos = pos - 1;
    if (!(display_.valid && display_.pos == rowPos)) {
        active_ = &current_;
        loadBuffer(display_, rowPos);
    }
    active_ = &display_;
}

int TDataSet::LinkRecordCount() const
{
    return count() + (state_ == dsInsert ? 1 : 0);
}

int TDataSet::LinkCurrentPos() const
{
    return state_ == dsInsert ? insertPos_ : cur_;
}

QVariant TDataSet::fieldValue(const TField* f) const
{
    if (state_ == dsInactive)
        return QVariant();
    if (calcStale_ && active_ == &current_ && f->fieldKind_ != fkData && !inCalc_ &&
        (state_ == dsEdit || state_ == dsInsert))
        const_cast<TDataSet*>(this)->calcBuffer(const_cast<TDataSet*>(this)->current_);
    const auto& v = active_->values;
    return size_t(f->index_) < v.size() ? v[size_t(f->index_)] : QVariant();
}

QVariant TDataSet::oldFieldValue(const TField* f) const
{
    if (state_ == dsEdit && active_ == &current_)
        return size_t(f->index_) < old_.values.size() ? old_.values[size_t(f->index_)] : QVariant();
    if (state_ == dsInsert && active_ == &current_)
        return QVariant();
    return fieldValue(f);
}

void TDataSet::setFieldValue(TField* f, const QVariant& v)
{
    checkActive();
    if (inCalc_) {
        if (f->fieldKind_ == fkData)
            raise(QCoreApplication::translate("DataSet", "Datenmenge nicht im Bearbeitungs- oder Einfügemodus"));
        // A calculated value the field cannot hold (a date beyond the calendar) shows empty
        // rather than stopping the read of the row.
        try {
            active_->values[size_t(f->index_)] = f->ConvertValue(v);
        } catch (const EConvertError&) {
            active_->values[size_t(f->index_)] = QVariant();
        }
        return;
    }
    if (state_ != dsEdit && state_ != dsInsert)
        raise(QCoreApplication::translate("DataSet", "Datenmenge nicht im Bearbeitungs- oder Einfügemodus"));
    if (f->fieldKind_ == fkData && f->readOnly_)
        raise(QCoreApplication::translate("DataSet", "Feld '%1' kann nicht geändert werden").arg(f->DisplayName()));
    resetDisplay();
    const QVariant nv = f->ConvertValue(v);
    QVariant& slot = current_.values[size_t(f->index_)];
    const QVariant prev = slot;
    slot = nv;
    if (f->OnValidate) {
        try {
            f->OnValidate(f);
        } catch (...) {
            current_.values[size_t(f->index_)] = prev;
            throw;
        }
    }
    // The calculated and lookup fields that the change gave another value.
    std::vector<TField*> derived;
    if (f->fieldKind_ == fkData) {
        modified_ = true;
        if (autoCalcFields_ && hasCalcs_ && disableCount_ > 0) {
            // No control hears of the derived fields' changes now: compute them when read.
            calcStale_ = true;
        } else if (autoCalcFields_ && hasCalcs_) {
            const std::vector<QVariant> before = current_.values;
            calcBuffer(current_);
            for (const auto& other : fields_) {
                const size_t i = size_t(other->index_);
                if (other->fieldKind_ != fkData && i < before.size() &&
                    (before[i] != current_.values[i] || before[i].isNull() != current_.values[i].isNull()))
                    derived.push_back(other.get());
            }
        }
    }
    notify(Event::FieldChange, f);
    for (TField* d : derived)
        notify(Event::FieldChange, d);
    if (f->OnChange)
        f->OnChange(f);
}
