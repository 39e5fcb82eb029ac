#include "platform/db/dataset.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include <algorithm>
#include <unordered_set>

#include "platform/db/connection.h"
#include "platform/db/datasource.h"
#include "platform/db/selectrowids.h"

namespace {

FilterCompiler& filterCompiler()
{
    static FilterCompiler compiler;
    return compiler;
}

// Rows a keyed dataset reads around the one asked for, and how many it keeps.
constexpr int kPageBefore = 16;
constexpr int kPageSize = 128;
constexpr size_t kCacheLimit = 16384;

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

QString readOnlyMessage()
{
    return QCoreApplication::translate("DataSet", "Kann eine Nur-Lesen-Datenmenge nicht ändern.");
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int compareValues(const QVariant& a, const QVariant& b)
{
    const bool an = !a.isValid() || a.isNull();
    const bool bn = !b.isValid() || b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    const int ta = a.typeId();
    const int tb = b.typeId();
    const bool sa = ta == QMetaType::QString;
    const bool sb = tb == QMetaType::QString;
    if (sa && sb)
        return CompareTextNoCase(a.toString(), b.toString());
    if (sa != sb)
        return sa ? 1 : -1;
    if (ta == QMetaType::QByteArray || tb == QMetaType::QByteArray)
        return a.toByteArray() < b.toByteArray() ? -1 : (a.toByteArray() == b.toByteArray() ? 0 : 1);
    const double x = a.toDouble();
    const double y = b.toDouble();
    return x < y ? -1 : (x > y ? 1 : 0);
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

FilterPredicate::~FilterPredicate() = default;

void SetFilterCompiler(FilterCompiler compiler)
{
    filterCompiler() = std::move(compiler);
}

// ---------------------------------------------------------------------------------------------

TDataSet::TDataSet() = default;

TDataSet::~TDataSet()
{
    shutdown();
    for (TDataSource* ds : std::vector<TDataSource*>(dataSources_))
        ds->dataSet_ = nullptr;
}

void TDataSet::shutdown()
{
    try {
        if (Active()) {
            // No events at destruction: the handlers' owners may be gone.
            state_ = dsInactive;
            clearSnapshot();
        }
    } catch (...) {
    }
    if (connection_)
        connection_->detach(this);
    connection_ = nullptr;
}

void TDataSet::SetConnection(TConnection* c)
{
    if (c == connection_)
        return;
    Close();
    if (connection_)
        connection_->detach(this);
    connection_ = c;
    if (connection_)
        connection_->attach(this);
}

void TDataSet::raise(const QString& message) const
{
    throw EDatabaseError(name_.isEmpty() ? message : name_ + QStringLiteral(": ") + message);
}

void TDataSet::checkActive() const
{
    if (!Active())
        raise(QCoreApplication::translate("DataSet", "Operation bei geschlossener Datenmenge nicht möglich"));
}

void TDataSet::checkCanModify() const
{
    // A change that cannot be written back is refused before it starts, never dropped at Post.
    if (!CanModify())
        raise(readOnlyMessage());
}

// --- fields ------------------------------------------------------------------------------------

TField* TDataSet::AddField(const QString& name, TFieldType type, int size, TFieldKind kind)
{
    if (Active())
        raise(QCoreApplication::translate("DataSet", "Felder können nur bei geschlossener Datenmenge angelegt werden"));
    if (!declaredFields_)
        fields_.clear();
    declaredFields_ = true;
    auto f = std::make_unique<TField>(this, name, type, size, kind);
    f->index_ = int(fields_.size());
    fields_.push_back(std::move(f));
    return fields_.back().get();
}

TField* TDataSet::AddLookupField(const QString& name, TFieldType type, int size, TDataSet* lookupDataSet,
                                 const QString& keyFields, const QString& lookupKeyFields,
                                 const QString& resultField)
{
    TField* f = AddField(name, type, size, fkLookup);
    f->SetLookupDataSet(lookupDataSet);
    f->SetKeyFields(keyFields);
    f->SetLookupKeyFields(lookupKeyFields);
    f->SetLookupResultField(resultField);
    return f;
}

TField* TDataSet::FindField(const QString& name) const
{
    for (const auto& f : fields_)
        if (sameName(f->FieldName(), name))
            return f.get();
    return nullptr;
}

TField* TDataSet::FieldByName(const QString& name) const
{
    TField* f = FindField(name);
    if (!f)
        raise(QCoreApplication::translate("DataSet", "Feld '%1' nicht gefunden").arg(name));
    return f;
}

QStringList TDataSet::FieldNames() const
{
    QStringList names;
    for (const auto& f : fields_)
        names << f->FieldName();
    return names;
}

std::vector<TField*> TDataSet::fieldList(const QString& names) const
{
    std::vector<TField*> out;
    for (const QString& n : SplitFieldNames(names))
        out.push_back(FieldByName(n));
    return out;
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
    vis_.clear();
    filterActive_ = false;
    rows_.clear();
    cache_.clear();
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
                    if (r.values[size_t(c)].isValid()) {
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
    QString sql = QStringLiteral("SELECT rowid FROM ") + table;
    if (!plan.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + plan.where;
    if (!plan.orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + plan.orderBy;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare16_v2(db, sql.utf16(), int(sql.size() * 2), &stmt, nullptr) != SQLITE_OK)
        connection_->RaiseError(QString());
    BindParameters(stmt, plan.params, plan.namedParams);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        snap_.push_back(sqlite3_column_int64(stmt, 0));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        connection_->RaiseError(QString());
}

void TDataSet::readQuery(const SelectPlan& plan, bool buildFields)
{
    sqlite3* db = connection_->Handle();
    bases_.clear();
    sqlite3_stmt* stmt = nullptr;
    int hidden = 0;
    const RowidSelect keyed = AddRowidColumns(plan.sql);
    if (keyed.ok &&
        sqlite3_prepare16_v2(db, keyed.sql.utf16(), int(keyed.sql.size() * 2), &stmt, nullptr) == SQLITE_OK) {
        hidden = int(keyed.tables.size());
        for (const QString& t : keyed.tables)
            bases_.push_back({t, rowidAlias(db, t)});
    } else {
        // Not keyable: the rows are read as they are and cannot be written back.
        if (stmt)
            sqlite3_finalize(stmt);
        stmt = nullptr;
        if (sqlite3_prepare16_v2(db, plan.sql.utf16(), int(plan.sql.size() * 2), &stmt, nullptr) != SQLITE_OK)
            connection_->RaiseError(QString());
        if (!stmt)
            raise(QCoreApplication::translate("DataSet", "Die Abfrage liefert keine Datensätze"));
    }
    if (sqlite3_column_count(stmt) == 0) {
        sqlite3_finalize(stmt);
        raise(QCoreApplication::translate("DataSet", "Die Abfrage liefert keine Datensätze"));
    }
    BindParameters(stmt, plan.params, plan.namedParams);
    readColumns(stmt, hidden, buildFields);
    const int n = sqlite3_column_count(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Row r;
        r.rowids.resize(size_t(hidden));
        for (int b = 0; b < hidden; ++b)
            r.rowids[size_t(b)] = sqlite3_column_type(stmt, b) == SQLITE_NULL ? -1 : sqlite3_column_int64(stmt, b);
        r.values.reserve(size_t(n - hidden));
        for (int c = hidden; c < n; ++c)
            r.values.push_back(ColumnVariant(stmt, c));
        snap_.push_back(int64_t(rows_.size()));
        rows_.push_back(std::move(r));
    }
    const QString err = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        raise(err);
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
}

void TDataSet::fetchKeys(const std::vector<int64_t>& wanted)
{
    if (wanted.empty())
        return;
    if (cache_.size() > kCacheLimit) {
        for (auto it = cache_.begin(); it != cache_.end();)
            it = it->second.pinned ? std::next(it) : cache_.erase(it);
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

TDataSet::Row& TDataSet::rowByKey(int64_t key, int posHint)
{
    if (!keyed_)
        return rows_[size_t(key)];
    auto it = cache_.find(key);
    if (it != cache_.end())
        return it->second;
    std::vector<int64_t> wanted;
    const auto& ks = keys();
    if (posHint >= 0 && posHint < int(ks.size()) && ks[size_t(posHint)] == key) {
        const int from = std::max(0, posHint - kPageBefore);
        for (int p = from; p < int(ks.size()) && int(wanted.size()) < kPageSize; ++p)
            if (cache_.find(ks[size_t(p)]) == cache_.end())
                wanted.push_back(ks[size_t(p)]);
    } else {
        wanted.push_back(key);
    }
    fetchKeys(wanted);
    return cache_.find(key)->second;
}

const TDataSet::Row& TDataSet::rowAt(int pos)
{
    if (pos < 0 || pos >= count())
        return emptyRow_;
    return rowByKey(keys()[size_t(pos)], pos);
}

int TDataSet::findKey(int64_t key) const
{
    const auto& ks = keys();
    const auto it = std::find(ks.begin(), ks.end(), key);
    return it == ks.end() ? -1 : int(it - ks.begin());
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
    if (keyed_) {
        // Make sure every row's values are at hand before sorting.
        std::vector<int64_t> wanted;
        for (int64_t k : snap_)
            if (cache_.find(k) == cache_.end()) {
                wanted.push_back(k);
                if (int(wanted.size()) == kPageSize) {
                    fetchKeys(wanted);
                    wanted.clear();
                }
            }
        fetchKeys(wanted);
        for (auto& kv : cache_)
            kv.second.pinned = true;  // the sort needs them all; keep them
    }
    std::stable_sort(snap_.begin(), snap_.end(), [&](int64_t a, int64_t b) {
        const Row& ra = rowByKey(a, -1);
        const Row& rb = rowByKey(b, -1);
        for (const auto& [col, desc] : cols) {
            const int c = compareValues(ra.values[size_t(col)], rb.values[size_t(col)]);
            if (c)
                return desc ? c > 0 : c < 0;
        }
        return false;
    });
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
    filterActive_ = filtered_ && (filterPredicate_ || OnFilterRecord);
    if (!filterActive_ || state_ == dsInactive)
        return;
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
    int pos = -1;
    for (int p = 0; p < count() && !bm.IsNull(); ++p)
        if (bookmarkOf(keys()[size_t(p)]) == bm) {
            pos = p;
            break;
        }
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
    b.key = pos >= 0 && pos < count() ? keys()[size_t(pos)] : -1;
    b.valid = true;
    if (pos >= 0 && pos < count()) {
        const Row& r = rowAt(pos);
        for (const auto& f : fields_)
            if (f->column_ >= 0)
                b.values[size_t(f->index_)] = fromStorage(f.get(), r.values[size_t(f->column_)]);
    }
    if (pos >= 0 && pos < count())
        calcBuffer(b);
}

void TDataSet::calcBuffer(Buffer& b)
{
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
            b.values[size_t(f->index_)] = v.isValid() && !v.isNull() ? f->ConvertValue(v) : QVariant();
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
        active_->values[size_t(f->index_)] = f->ConvertValue(v);
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
    if (f->fieldKind_ == fkData) {
        modified_ = true;
        calcBuffer(current_);
    }
    notify(Event::FieldChange, f);
    if (f->OnChange)
        f->OnChange(f);
}

// --- open and close ---------------------------------------------------------------------------

void TDataSet::openLookupDataSets()
{
    for (const auto& f : fields_) {
        if (f->fieldKind_ != fkLookup || !f->lookupDataSet_)
            continue;
        if (f->lookupDataSet_ != this && !f->lookupDataSet_->Active())
            f->lookupDataSet_->Open();
        // A constraint that does not compile fails the open, not the first row read.
        lookupConstraint(f.get());
    }
}

void TDataSet::Open()
{
    if (Active())
        return;
    fire(BeforeOpen);
    if (!connection_ || !connection_->Connected())
        raise(QCoreApplication::translate("DataSet", "Die Datenbankverbindung ist nicht geöffnet."));
    openLookupDataSets();
    try {
        readSnapshot(true);
        bindFields();
        state_ = dsBrowse;  // the order and filter read through the fields
        if (plan_.orderBy.isEmpty())
            sortSnapshot();
        rebuildVisible();
        cur_ = count() ? 0 : -1;
        bof_ = true;
        eof_ = count() == 0;
        modified_ = false;
        // A calculation that fails on the first row fails the open, not half of it.
        loadCurrent();
    } catch (...) {
        state_ = dsInactive;
        clearSnapshot();
        if (!declaredFields_)
            fields_.clear();
        throw;
    }
    state_ = dsInactive;
    setState(dsBrowse);
    notify(Event::DataSetChange);
    fire(AfterOpen);
    if (!IsEmpty())
        fire(AfterScroll);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    fire(BeforeClose);
    modified_ = false;
    setState(dsInactive);
    clearSnapshot();
    if (!declaredFields_)
        fields_.clear();
    fire(AfterClose);
}

void TDataSet::Requery()
{
    checkActive();
    CheckBrowseMode();
    reread(TBookmark());
}

void TDataSet::Refresh()
{
    checkActive();
    CheckBrowseMode();
    reread(GetBookmark());
}

void TDataSet::reread(const TBookmark& keep)
{
    clearSnapshot();
    try {
        readSnapshot(false);
        bindFields();
        if (plan_.orderBy.isEmpty())
            sortSnapshot();
        rebuildVisible();
    } catch (...) {
        setState(dsInactive);
        clearSnapshot();
        if (!declaredFields_)
            fields_.clear();
        throw;
    }
    cur_ = count() ? 0 : -1;
    bof_ = true;
    eof_ = count() == 0;
    for (int p = 0; p < count() && !keep.IsNull(); ++p)
        if (bookmarkOf(keys()[size_t(p)]) == keep) {
            cur_ = p;
            bof_ = false;
            break;
        }
    loadCurrent();
    notify(Event::DataSetChange);
}

void TDataSet::reloadFromFirst()
{
    checkActive();
    CheckBrowseMode();
    fire(BeforeScroll);
    clearSnapshot();
    readSnapshot(false);
    bindFields();
    if (plan_.orderBy.isEmpty())
        sortSnapshot();
    rebuildVisible();
    cur_ = count() ? 0 : -1;
    bof_ = true;
    eof_ = count() == 0;
    loadCurrent();
    notify(Event::DataSetChange);
    fire(AfterScroll);
}

void TDataSet::Clone(TDataSet& source)
{
    source.checkActive();
    Close();
    if (connection_ != source.connection_)
        SetConnection(source.connection_);
    isClone_ = true;
    fire(BeforeOpen);
    plan_ = source.plan_;
    keyed_ = source.keyed_;
    columns_ = source.columns_;
    columnTypes_ = source.columnTypes_;
    colBase_ = source.colBase_;
    colOrigin_ = source.colOrigin_;
    bases_ = source.bases_;
    updatable_ = source.updatable_;
    snap_ = source.snap_;
    rows_ = source.rows_;
    emptyRow_ = source.emptyRow_;
    if (keyed_)
        for (const auto& kv : source.cache_)
            if (kv.second.pinned)
                cache_.insert(kv);
    try {
        openLookupDataSets();
        bindFields();
        state_ = dsBrowse;
        sortSnapshot();
        rebuildVisible();
    } catch (...) {
        state_ = dsInactive;
        clearSnapshot();
        throw;
    }
    state_ = dsInactive;
    cur_ = count() ? 0 : -1;
    bof_ = true;
    eof_ = count() == 0;
    state_ = dsBrowse;
    loadCurrent();
    state_ = dsInactive;
    setState(dsBrowse);
    notify(Event::DataSetChange);
    fire(AfterOpen);
    if (!IsEmpty())
        fire(AfterScroll);
}

// --- navigation -----------------------------------------------------------------------------

bool TDataSet::IsEmpty() const
{
    return !Active() || (count() == 0 && state_ != dsInsert);
}

int TDataSet::RecordCount() const
{
    return Active() ? count() : 0;
}

int TDataSet::RecNo() const
{
    if (!Active() || state_ == dsInsert || cur_ < 0)
        return 0;
    return cur_ + 1;
}

void TDataSet::scrollTo(int pos, bool first, bool last)
{
    checkActive();
    CheckBrowseMode();
    fire(BeforeScroll);
    const int n = count();
    cur_ = n == 0 ? -1 : std::clamp(pos, 0, n - 1);
    bof_ = n == 0 || first;
    eof_ = n == 0 || last;
    loadCurrent();
    notify(Event::DataSetChange);
    fire(AfterScroll);
}

void TDataSet::First()
{
    scrollTo(0, true, false);
}

void TDataSet::Last()
{
    scrollTo(count() - 1, false, true);
}

void TDataSet::Next()
{
    MoveBy(1);
}

void TDataSet::Prior()
{
    MoveBy(-1);
}

int TDataSet::MoveBy(int distance)
{
    checkActive();
    CheckBrowseMode();
    fire(BeforeScroll);
    int moved = 0;
    if ((distance > 0 && !eof_) || (distance < 0 && !bof_)) {
        bof_ = false;
        eof_ = false;
        const int n = count();
        int target = cur_ + distance;
        if (target >= n) {
            target = n - 1;
            eof_ = true;
        }
        if (target < 0) {
            target = n == 0 ? -1 : 0;
            bof_ = true;
        }
        moved = target - cur_;
        cur_ = target;
        loadCurrent();
        notify(Event::Scroll, nullptr, moved);
    }
    fire(AfterScroll);
    return moved;
}

void TDataSet::SetRecNo(int recNo)
{
    checkActive();
    if (recNo == RecNo())
        return;
    scrollTo(recNo - 1, false, false);
}

// --- editing --------------------------------------------------------------------------------

void TDataSet::setState(TDataSetState s)
{
    if (s == state_)
        return;
    state_ = s;
    notify(Event::StateChange);
}

void TDataSet::CheckBrowseMode()
{
    checkActive();
    if (state_ == dsEdit || state_ == dsInsert) {
        UpdateRecord();
        if (modified_)
            Post();
        else
            Cancel();
    }
}

void TDataSet::UpdateRecord()
{
    if (state_ != dsEdit && state_ != dsInsert)
        raise(QCoreApplication::translate("DataSet", "Datenmenge nicht im Bearbeitungs- oder Einfügemodus"));
    notify(Event::UpdateRecord);
}

void TDataSet::Insert()
{
    beginInsert(false);
}

void TDataSet::Append()
{
    beginInsert(true);
}

void TDataSet::beginInsert(bool append)
{
    checkActive();
    CheckBrowseMode();
    checkCanModify();
    fire(BeforeInsert);
    fire(BeforeScroll);
    prevCur_ = cur_;
    appending_ = append || count() == 0;
    insertPos_ = appending_ ? count() : std::max(cur_, 0);
    resetDisplay();
    current_.values.assign(fields_.size(), QVariant());
    current_.pos = insertPos_;
    current_.key = -1;
    old_ = Buffer();
    modified_ = false;
    setState(dsInsert);
    try {
        afterInsertDefaults();
        fire(OnNewRecord);
    } catch (...) {
        cur_ = prevCur_;
        state_ = dsBrowse;
        modified_ = false;
        loadCurrent();
        notify(Event::StateChange);
        notify(Event::DataSetChange);
        throw;
    }
    modified_ = false;
    notify(Event::DataSetChange);
    fire(AfterInsert);
    fire(AfterScroll);
}

void TDataSet::Edit()
{
    checkActive();
    if (state_ == dsEdit || state_ == dsInsert)
        return;
    if (count() == 0) {
        Insert();
        return;
    }
    checkCanModify();
    fire(BeforeEdit);
    resetDisplay();
    old_ = current_;
    modified_ = false;
    setState(dsEdit);
    notify(Event::RecordChange);
    fire(AfterEdit);
}

void TDataSet::checkRequired()
{
    for (const auto& f : fields_)
        if (f->fieldKind_ == fkData && f->required_ && !f->readOnly_ && f->IsNull())
            raise(QCoreApplication::translate("DataSet", "Feld '%1' muß einen Wert haben").arg(f->DisplayName()));
}

void TDataSet::Post()
{
    checkActive();
    UpdateRecord();
    fire(BeforePost);
    resetDisplay();
    try {
        checkRequired();
        writeRow();
    } catch (...) {
        fire(OnPostError);
        throw;
    }
    modified_ = false;
    state_ = dsBrowse;
    // As after the runtime's resync: the saved row is a row like any other, so the moves
    // to the other rows are open again (an empty dataset's Bof and Eof do not outlive it).
    bof_ = false;
    eof_ = false;
    // The record buffer already holds the posted values and the new keys; only the
    // calculated fields are computed again, as for a row read anew.
    resetDisplay();
    current_.pos = cur_;
    current_.key = cur_ >= 0 && cur_ < count() ? keys()[size_t(cur_)] : -1;
    current_.valid = true;
    calcBuffer(current_);
    notify(Event::StateChange);
    notify(Event::DataSetChange);
    fire(AfterPost);
}

void TDataSet::writeRow()
{
    const bool inserting = state_ == dsInsert;
    Row fresh;
    if (inserting) {
        fresh.values.resize(size_t(columns_.size()));
        fresh.rowids.assign(bases_.size(), -1);
    }
    Row& row = inserting ? fresh : rowByKey(keys()[size_t(cur_)], cur_);

    struct Write {
        std::vector<int> cols;  // result columns written
        QVariantList vals;
    };
    std::vector<Write> writes(bases_.size());
    for (Write& w : writes)
        w.vals.reserve(int(fields_.size()) + 1);
    std::vector<char> used(size_t(columns_.size()), 0);
    int statements = 0;
    for (const auto& f : fields_) {
        if (f->fieldKind_ != fkData || f->column_ < 0 || f->baseTable_ < 0 || f->originName_.isEmpty())
            continue;
        const QVariant& v = current_.values[size_t(f->index_)];
        if (inserting ? (!v.isValid() || v.isNull())
                      : compareValues(v, old_.values[size_t(f->index_)]) == 0 &&
                            v.typeId() == old_.values[size_t(f->index_)].typeId())
            continue;
        if (used[size_t(f->column_)])
            continue;
        used[size_t(f->column_)] = 1;
        Write& w = writes[size_t(f->baseTable_)];
        if (w.cols.empty())
            ++statements;
        w.cols.push_back(f->column_);
        w.vals << v;
    }
    if (inserting && statements == 0 && !bases_.empty())
        statements = 1;  // a row of defaults in the first table
    // The prepared statements are kept by the set of columns they write.
    auto stmtFor = [this](bool insert, size_t base, const std::vector<int>& cols) -> sqlite3_stmt* {
        quint64 h = 1469598103934665603ull;
        auto mix = [&h](quint64 v) { h = (h ^ v) * 1099511628211ull; };
        mix(insert ? 1 : 2);
        mix(base);
        for (int c : cols)
            mix(quint64(c) + 7);
        auto it = writeStmts_.constFind(h);
        if (it != writeStmts_.constEnd() && it->cols == cols && it->insert == insert && it->base == base) {
            sqlite3_reset(it->stmt);
            sqlite3_clear_bindings(it->stmt);
            return it->stmt;
        }
        const QString table = QuoteIdentifier(bases_[base].name);
        QString sql;
        if (insert && cols.empty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
        } else if (insert) {
            QString names, marks;
            for (size_t i = 0; i < cols.size(); ++i) {
                names += (i ? QStringLiteral(",") : QString()) + QuoteIdentifier(colOrigin_[cols[i]]);
                marks += i ? QStringLiteral(",?") : QStringLiteral("?");
            }
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names, marks);
        } else {
            QString sets;
            for (size_t i = 0; i < cols.size(); ++i)
                sets += (i ? QStringLiteral(",") : QString()) + QuoteIdentifier(colOrigin_[cols[i]]) +
                        QStringLiteral("=?");
            sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(table, sets);
        }
        sqlite3_stmt* stmt = statement(sql);
        if (it == writeStmts_.constEnd())
            writeStmts_.insert(h, WriteStatement{cols, insert, base, stmt});
        return stmt;
    };
    auto run = [this](sqlite3_stmt* stmt, const QVariantList& vals) {
        for (int i = 0; i < vals.size(); ++i)
            BindVariant(stmt, i + 1, vals[i]);
        const int rc = sqlite3_step(stmt);
        sqlite3_reset(stmt);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            connection_->RaiseError(QString());
        return sqlite3_changes(connection_->Handle());
    };
    sqlite3* db = connection_->Handle();
    const bool atomic = statements > 1;
    if (atomic && sqlite3_exec(db, "SAVEPOINT orv_post", nullptr, nullptr, nullptr) != SQLITE_OK)
        connection_->RaiseError(QString());
    std::vector<int64_t> newRowids = row.rowids;
    try {
        for (size_t b = 0; b < bases_.size(); ++b) {
            const Write& w = writes[b];
            if (inserting) {
                // Only a dataset with nothing assigned inserts a row of defaults, into its first table.
                if (w.cols.empty() && !(b == 0 && std::all_of(writes.begin(), writes.end(),
                                                               [](const Write& x) { return x.cols.empty(); })))
                    continue;
                run(stmtFor(true, b, w.cols), w.vals);
                newRowids[b] = sqlite3_last_insert_rowid(db);
            } else {
                if (w.cols.empty())
                    continue;
                if (row.rowids[b] < 0 || row.missing)
                    raise(QCoreApplication::translate("DataSet",
                                                      "Der Datensatz wurde inzwischen gelöscht und kann nicht "
                                                      "geändert werden."));
                QVariantList vals = w.vals;
                vals << QVariant(qlonglong(row.rowids[b]));
                if (run(stmtFor(false, b, w.cols), vals) == 0)
                    raise(QCoreApplication::translate("DataSet",
                                                      "Der Datensatz wurde inzwischen gelöscht und kann nicht "
                                                      "geändert werden."));
            }
        }
    } catch (...) {
        if (atomic) {
            sqlite3_exec(db, "ROLLBACK TO orv_post", nullptr, nullptr, nullptr);
            sqlite3_exec(db, "RELEASE orv_post", nullptr, nullptr, nullptr);
        }
        throw;
    }
    if (atomic && sqlite3_exec(db, "RELEASE orv_post", nullptr, nullptr, nullptr) != SQLITE_OK)
        connection_->RaiseError(QString());

    // The snapshot takes the posted values.
    for (const auto& f : fields_)
        if (f->fieldKind_ == fkData && f->column_ >= 0)
            row.values[size_t(f->column_)] = current_.values[size_t(f->index_)];
    row.rowids = newRowids;
    row.pinned = true;
    if (inserting) {
        // The database assigned the keys: the rowid alias columns take them.
        for (int c = 0; c < columns_.size(); ++c) {
            const int b = colBase_[size_t(c)];
            if (b >= 0 && !bases_[size_t(b)].aliasColumn.isEmpty() &&
                sameName(bases_[size_t(b)].aliasColumn, colOrigin_[c]) && newRowids[size_t(b)] >= 0) {
                row.values[size_t(c)] = QVariant(qlonglong(newRowids[size_t(b)]));
                for (const auto& f : fields_)
                    if (f->column_ == c)
                        current_.values[size_t(f->index_)] = fromStorage(f.get(), row.values[size_t(c)]);
            }
        }
        int64_t key;
        if (keyed_) {
            key = newRowids[0];
            cache_[key] = std::move(fresh);
        } else {
            key = int64_t(rows_.size());
            rows_.push_back(std::move(fresh));
        }
        // Into the visible list at the insert position and into the full snapshot after the
        // row visibly before it.
        if (filterActive_) {
            int snapPos = int(snap_.size());
            if (insertPos_ < int(vis_.size())) {
                const auto it = std::find(snap_.begin(), snap_.end(), vis_[size_t(insertPos_)]);
                snapPos = int(it - snap_.begin());
            }
            snap_.insert(snap_.begin() + snapPos, key);
            vis_.insert(vis_.begin() + insertPos_, key);
        } else {
            snap_.insert(snap_.begin() + insertPos_, key);
        }
        cur_ = insertPos_;
    }
}

void TDataSet::Cancel()
{
    checkActive();
    if (state_ != dsEdit && state_ != dsInsert)
        return;
    fire(BeforeCancel);
    const bool inserting = state_ == dsInsert;
    if (inserting)
        fire(BeforeScroll);
    if (inserting)
        cur_ = appending_ ? count() - 1 : std::min(prevCur_, count() - 1);
    modified_ = false;
    state_ = dsBrowse;
    loadCurrent();
    notify(Event::StateChange);
    notify(Event::DataSetChange);
    fire(AfterCancel);
    if (inserting)
        fire(AfterScroll);
}

void TDataSet::deleteRow()
{
    const int64_t key = keys()[size_t(cur_)];
    Row& row = rowByKey(key, cur_);
    if (!bases_.empty()) {
        if (row.rowids.empty() || row.rowids[0] < 0 || row.missing)
            raise(QCoreApplication::translate("DataSet", "Der Datensatz wurde inzwischen gelöscht."));
        const QString sql = QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(QuoteIdentifier(bases_[0].name));
        if (execStatement(sql, {QVariant(qlonglong(row.rowids[0]))}) == 0)
            raise(QCoreApplication::translate("DataSet", "Der Datensatz wurde inzwischen gelöscht."));
    } else {
        raise(readOnlyMessage());
    }
    if (filterActive_)
        vis_.erase(vis_.begin() + cur_);
    snap_.erase(std::find(snap_.begin(), snap_.end(), key));
    if (keyed_)
        cache_.erase(key);
}

void TDataSet::Delete()
{
    checkActive();
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (count() == 0)
        raise(QCoreApplication::translate("DataSet", "Operation bei leerer Datenmenge nicht möglich"));
    checkCanModify();
    if (state_ == dsEdit)
        notify(Event::UpdateRecord);
    fire(BeforeDelete);
    fire(BeforeScroll);
    deleteRow();
    const int n = count();
    if (cur_ >= n)
        cur_ = n - 1;
    bof_ = n == 0;
    eof_ = n == 0;
    modified_ = false;
    const bool stateChanged = state_ != dsBrowse;
    state_ = dsBrowse;
    loadCurrent();
    if (stateChanged)
        notify(Event::StateChange);
    notify(Event::DataSetChange);
    fire(AfterDelete);
    fire(AfterScroll);
}

// --- search ---------------------------------------------------------------------------------

QVariantList TDataSet::keyValueList(const std::vector<TField*>& fs, const QVariant& values) const
{
    QVariantList vals;
    if (fs.size() == 1) {
        vals << values;
    } else {
        vals = values.toList();
        if (vals.size() != int(fs.size()))
            raise(QCoreApplication::translate("DataSet", "Anzahl der Suchwerte passt nicht zu den Suchfeldern"));
    }
    for (size_t i = 0; i < fs.size(); ++i)
        vals[int(i)] = fs[i]->ConvertValue(vals[int(i)]);  // EConvertError when impossible
    return vals;
}

QVariant TDataSet::rowFieldValue(int pos, TField* f)
{
    if (f->column_ >= 0)
        return fromStorage(f, rowAt(pos).values[size_t(f->column_)]);
    // Calculated and lookup fields need the whole record.
    Buffer* saved = active_;
    active_ = &current_;
    if (!(display_.valid && display_.pos == pos))
        loadBuffer(display_, pos);
    active_ = saved;
    return display_.values[size_t(f->index_)];
}

bool TDataSet::matchesRow(int pos, const std::vector<TField*>& fs, const QVariantList& vals,
                          TLocateOptions options)
{
    for (size_t i = 0; i < fs.size(); ++i) {
        const QVariant v = rowFieldValue(pos, fs[i]);
        const QVariant& want = vals[int(i)];
        const bool vn = !v.isValid() || v.isNull();
        const bool wn = !want.isValid() || want.isNull();
        if (vn || wn) {
            if (vn != wn)
                return false;
            continue;
        }
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString();
            const QString w = want.toString();
            const Qt::CaseSensitivity cs = (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
            if (options & loPartialKey) {
                if (!s.startsWith(w, cs))
                    return false;
            } else if ((options & loCaseInsensitive) ? CompareTextNoCase(s, w) != 0 : s != w) {
                return false;
            }
        } else if (compareValues(v, want) != 0) {
            return false;
        }
    }
    return true;
}

bool TDataSet::Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options)
{
    checkActive();
    CheckBrowseMode();
    const std::vector<TField*> fs = fieldList(keyFields);
    const QVariantList vals = keyValueList(fs, keyValues);
    fire(BeforeScroll);
    resetDisplay();
    for (int p = 0; p < count(); ++p)
        if (matchesRow(p, fs, vals, options)) {
            cur_ = p;
            bof_ = false;
            eof_ = false;
            loadCurrent();
            notify(Event::DataSetChange);
            fire(AfterScroll);
            return true;
        }
    return false;
}

QVariant TDataSet::Lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields)
{
    return Lookup(keyFields, keyValues, resultFields, nullptr);
}

QVariant TDataSet::Lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields,
                          FilterPredicate* condition)
{
    if (!Active())
        return QVariant();
    const std::vector<TField*> fs = fieldList(keyFields);
    const QVariantList vals = keyValueList(fs, keyValues);
    const std::vector<TField*> rs = fieldList(resultFields);
    Buffer* saved = active_;
    struct Restore {
        TDataSet* ds;
        Buffer* saved;
        ~Restore() { ds->active_ = saved; }
    } restore{this, saved};
    for (int p = 0; p < count(); ++p) {
        if (!matchesRow(p, fs, vals, 0))
            continue;
        if (condition) {
            // The condition reads the row through the fields, as a filter does.
            active_ = &current_;
            if (!(display_.valid && display_.pos == p))
                loadBuffer(display_, p);
            active_ = &display_;
            const bool pass = condition->matches(*this);
            active_ = saved;
            if (!pass)
                continue;
        }
        QVariantList out;
        for (TField* r : rs)
            out << rowFieldValue(p, r);
        return rs.size() == 1 ? out[0] : QVariant(out);
    }
    return QVariant();
}

FilterPredicate* TDataSet::lookupConstraint(TField* f)
{
    if (f->customConstraint_.trimmed().isEmpty() || !f->lookupDataSet_)
        return nullptr;
    if (!f->constraint_ || f->constraintText_ != f->customConstraint_ ||
        f->constraintDataSet_ != f->lookupDataSet_) {
        if (!filterCompiler())
            raise(QCoreApplication::translate("DataSet", "Filterausdrücke werden nicht unterstützt: %1")
                      .arg(f->customConstraint_));
        f->constraint_ = std::shared_ptr<FilterPredicate>(filterCompiler()(f->customConstraint_, *f->lookupDataSet_));
        f->constraintText_ = f->customConstraint_;
        f->constraintDataSet_ = f->lookupDataSet_;
    }
    return f->constraint_.get();
}

QVariant TDataSet::storedValue(int64_t key, const TField* f)
{
    if (f->column_ < 0)
        return QVariant();
    return fromStorage(f, rowByKey(key, -1).values[size_t(f->column_)]);
}

// --- bookmarks ------------------------------------------------------------------------------

TBookmark TDataSet::bookmarkOf(int64_t key)
{
    TBookmark b;
    if (keyed_) {
        b.key = {key};
        return b;
    }
    const Row& r = rows_[size_t(key)];
    if (!r.rowids.empty() && r.rowids[0] >= 0)
        b.key = r.rowids;
    else
        b.key = {-2 - key};  // a row without base table: valid until the snapshot is re-read
    return b;
}

TBookmark TDataSet::GetBookmark() const
{
    if (state_ == dsCalcFields)
        return active_->key >= 0 ? const_cast<TDataSet*>(this)->bookmarkOf(active_->key) : TBookmark();
    if (!Active() || cur_ < 0 || cur_ >= count())
        return TBookmark();
    return const_cast<TDataSet*>(this)->bookmarkOf(keys()[size_t(cur_)]);
}

bool TDataSet::BookmarkValid(const TBookmark& b) const
{
    if (!Active() || b.IsNull())
        return false;
    auto* self = const_cast<TDataSet*>(this);
    for (int p = 0; p < count(); ++p)
        if (self->bookmarkOf(keys()[size_t(p)]) == b)
            return true;
    return false;
}

void TDataSet::GotoBookmark(const TBookmark& b)
{
    checkActive();
    int pos = -1;
    for (int p = 0; p < count() && !b.IsNull(); ++p)
        if (bookmarkOf(keys()[size_t(p)]) == b) {
            pos = p;
            break;
        }
    if (pos < 0)
        raise(QCoreApplication::translate("DataSet", "Datensatz nicht gefunden"));
    scrollTo(pos, false, false);
}

// --- controls -------------------------------------------------------------------------------

void TDataSet::DisableControls()
{
    if (disableCount_++ == 0)
        stateAtDisable_ = state_;
}

void TDataSet::EnableControls()
{
    if (disableCount_ == 0)
        return;
    if (--disableCount_ > 0)
        return;
    if (stateAtDisable_ != state_)
        notify(Event::StateChange);
    if (stateAtDisable_ != dsInactive && state_ != dsInactive)
        notify(Event::DataSetChange);
}

void TDataSet::notify(Event e, TField* f, int distance)
{
    if (disableCount_ > 0)
        return;
    for (TDataSource* ds : std::vector<TDataSource*>(dataSources_))
        ds->dataEvent(e, f, distance);
}
