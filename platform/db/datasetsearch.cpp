// TDataSet: Locate and Lookup. A table dataset asks the database for the rows that may match:
// one query on its table with a condition per key field that SQLite can answer from an index
// (or by one pass over the table, far quicker than reading the rows into the dataset), each
// candidate then checked exactly as the scan checks a row, in cursor order. A query dataset,
// whose rows are in memory, finds exact keys through the lookup index (built once and kept
// until the rows change, datasetlookup.cpp), and scans for the rest.
//
// The conditions are chosen so that they never drop a row the scan would find: a field gets one
// only where the column's storage and the value's kind make SQLite's comparison at least as wide
// as the scan's (the column's collation may compare without case; a LIKE prefix compares ASCII
// letters without case). Fields without a condition are checked on the candidates alone; a search
// in which no field gets one, or one on a calculated field, scans.
#include <QCoreApplication>

#include <sqlite3.h>

#include <algorithm>

#include "platform/db/connection.h"
#include "platform/db/dataset.h"
#include "platform/db/datasetshared.h"
#include "platform/db/selectrowids.h"

using namespace datasetdetail;

namespace {

// Table datasets of more rows than this look values up by query rather than through an index
// of every row.
constexpr int kQueryLookupRows = 4096;

enum class Affinity { Text, Number, Other };

// SQLite's rules for the affinity of a declared column type.
Affinity affinityOf(const QString& declared)
{
    const QString d = declared.toUpper();
    if (d.contains(QLatin1String("INT")))
        return Affinity::Number;
    if (d.contains(QLatin1String("CHAR")) || d.contains(QLatin1String("CLOB")) || d.contains(QLatin1String("TEXT")))
        return Affinity::Text;
    if (d.isEmpty() || d.contains(QLatin1String("BLOB")))
        return Affinity::Other;
    return Affinity::Number;  // REAL, FLOAT, DOUBLE, NUMERIC, DATETIME, BOOLEAN...
}

bool isAscii(const QString& s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 0x80; });
}

QString likePrefix(const QString& s)
{
    QString p;
    p.reserve(s.size() + 1);
    for (QChar c : s) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            p += QLatin1Char('\\');
        p += c;
    }
    return p + QLatin1Char('%');
}

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

// Whether a row's value equals the value searched for, as Locate compares.
bool valueMatches(const QVariant& v, const QVariant& want, TLocateOptions options)
{
    const bool vn = !v.isValid() || v.isNull();
    const bool wn = !want.isValid() || want.isNull();
    if (vn || wn)
        return vn == wn;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        const QString w = want.toString();
        const Qt::CaseSensitivity cs = (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        if (options & loPartialKey)
            return s.startsWith(w, cs);
        return (options & loCaseInsensitive) ? CompareTextNoCase(s, w) == 0 : s == w;
    }
    return compareValues(v, want) == 0;
}

}  // namespace

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

void TDataSet::loadDisplay(int pos)
{
    Buffer* saved = active_;
    active_ = &current_;
    if (!(display_.valid && display_.pos == pos))
        loadBuffer(display_, pos);
    active_ = saved;
}

QVariant TDataSet::rowFieldValue(int pos, TField* f)
{
    if (f->column_ >= 0)
        return fromStorage(f, rowAt(pos).values[size_t(f->column_)]);
    // Calculated and lookup fields need the whole record.
    loadDisplay(pos);
    return display_.values[size_t(f->index_)];
}

bool TDataSet::matchesRow(int pos, const std::vector<TField*>& fs, const QVariantList& vals,
                          TLocateOptions options)
{
    for (size_t i = 0; i < fs.size(); ++i)
        if (!valueMatches(rowFieldValue(pos, fs[i]), vals[int(i)], options))
            return false;
    return true;
}

bool TDataSet::searchByQuery(const std::vector<TField*>& fs, const QVariantList& vals, TLocateOptions options,
                             const std::function<bool(int64_t key)>& accept, int64_t& key)
{
    key = -1;
    if (!keyed_ || bases_.empty())
        return false;
    QStringList conds;
    QVariantList params;
    for (size_t i = 0; i < fs.size(); ++i) {
        const TField* f = fs[i];
        if (f->column_ < 0)
            return false;  // calculated and lookup keys need the whole record: scanned
        const QVariant& want = vals[int(i)];
        if (f->baseTable_ != 0 || f->originName_.isEmpty() || !want.isValid() || want.isNull())
            continue;
        const QString col = QuoteIdentifier(f->originName_);
        const Affinity affinity = affinityOf(columnTypes_[f->column_]);
        switch (f->dataType_) {
        case ftSmallint:
        case ftInteger:
        case ftAutoInc:
        case ftLargeint:
        case ftFloat:
        case ftDate:
        case ftTime:
        case ftDateTime:
            if (affinity == Affinity::Number && isNumber(want)) {
                conds << col + QStringLiteral(" = ?");
                params << want;
            }
            break;
        case ftString:
        case ftMemo: {
            if (affinity != Affinity::Text || want.typeId() != QMetaType::QString)
                break;
            const QString w = want.toString();
            const bool noCase = options & loCaseInsensitive;
            if (noCase && !isAscii(w))
                break;  // SQLite folds ASCII letters only
            if (options & loPartialKey) {
                conds << col + QStringLiteral(" LIKE ? ESCAPE '\\'");
                params << likePrefix(w);
            } else {
                conds << col + (noCase ? QStringLiteral(" = ? COLLATE NOCASE") : QStringLiteral(" = ?"));
                params << w;
            }
            break;
        }
        default:
            break;
        }
    }
    if (conds.isEmpty())
        return false;
    QString sql = QStringLiteral("SELECT rowid FROM ") + QuoteIdentifier(plan_.table) + QStringLiteral(" WHERE ");
    if (lazyKeys_)
        sql += QStringLiteral("+rowid <= ") + QString::number(lastRowid_) + QStringLiteral(" AND ");
    if (!plan_.where.isEmpty())
        sql += QLatin1Char('(') + plan_.where + QStringLiteral(") AND ");
    sql += conds.join(QStringLiteral(" AND "));
    if (lazyKeys_) {
        // The candidates in cursor order; "+" lets SQLite choose the index of the conditions and
        // sort the few rows they give, rather than walk the order's index to the first match.
        QStringList order;
        for (const OrderTerm& t : orderTerms_)
            order << QLatin1Char('+') + t.column + (t.desc ? QStringLiteral(" DESC") : QString());
        order << QStringLiteral("+rowid");
        sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    }
    sqlite3* db = connection_->Handle();
    sqlite3_stmt* stmt = statement(sql);
    BindParameters(stmt, plan_.params + params, plan_.namedParams);
    std::vector<int64_t> candidates;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        candidates.push_back(sqlite3_column_int64(stmt, 0));
    const SqliteError err = SqliteError::of(db);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE)
        raise(err);
    if (!lazyKeys_) {
        // In the order of their places among the visible rows (rows outside them dropped).
        std::vector<std::pair<int, int64_t>> placed;
        placed.reserve(candidates.size());
        for (int64_t k : candidates)
            if (const int pos = findKey(k); pos >= 0)
                placed.push_back({pos, k});
        std::sort(placed.begin(), placed.end());
        candidates.clear();
        for (const auto& [pos, k] : placed)
            candidates.push_back(k);
    }
    for (int64_t k : candidates) {
        const Row& row = rowByKey(k, -1);
        if (row.missing)
            continue;
        bool match = true;
        for (size_t i = 0; i < fs.size() && match; ++i)
            match = valueMatches(fromStorage(fs[i], row.values[size_t(fs[i]->column_)]), vals[int(i)], options);
        if (match && (!accept || accept(k))) {
            key = k;
            break;
        }
    }
    return true;
}

void TDataSet::loadKeyBuffer(Buffer& b, int64_t key)
{
    b.values.assign(fields_.size(), QVariant());
    b.pos = -1;
    b.key = key;
    b.valid = true;
    const Row& r = rowByKey(key, -1);
    for (const auto& f : fields_)
        if (f->column_ >= 0)
            b.values[size_t(f->index_)] = fromStorage(f.get(), r.values[size_t(f->column_)]);
    calcBuffer(b);
}

bool TDataSet::Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options)
{
    checkActive();
    CheckBrowseMode();
    const std::vector<TField*> fs = fieldList(keyFields);
    const QVariantList vals = keyValueList(fs, keyValues);
    fire(BeforeScroll);
    resetDisplay();
    int found = -2;
    int64_t key = -1;
    if (searchByQuery(fs, vals, options, nullptr, key)) {
        found = key >= 0 ? findKey(key) : -2;
    } else {
        std::vector<int> candidates;
        if (options == 0 && indexedPositions(fs, vals, candidates)) {
            found = candidates.empty() ? -2 : candidates.front();
        } else {
            found = -2;
            for (int p = 0; p < count(); ++p)
                if (matchesRow(p, fs, vals, options)) {
                    found = p;
                    break;
                }
        }
    }
    if (found < 0)
        return false;
    cur_ = found;
    bof_ = false;
    eof_ = false;
    loadCurrent();
    notify(Event::DataSetChange);
    fire(AfterScroll);
    return true;
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
    // The condition reads the row through the fields, as a filter does.
    auto passes = [&](int p) {
        if (!condition)
            return true;
        loadDisplay(p);
        active_ = &display_;
        const bool pass = condition->matches(*this);
        active_ = saved;
        return pass;
    };
    // A large table asks the database; the rest use the index of their rows where there is one,
    // else every row is tried.
    if (keyed_ && (lazyKeys_ || count() > kQueryLookupRows)) {
        Buffer row;
        auto load = [&](int64_t k) {
            if (row.key != k || !row.valid)
                loadKeyBuffer(row, k);
        };
        auto passesKey = [&](int64_t k) {
            if (!condition)
                return true;
            load(k);
            active_ = &row;
            const bool pass = condition->matches(*this);
            active_ = saved;
            return pass;
        };
        int64_t key = -1;
        if (searchByQuery(fs, vals, 0, passesKey, key)) {
            if (key < 0)
                return QVariant();
            QVariantList out;
            for (TField* r : rs) {
                if (r->column_ >= 0) {
                    out << storedValue(key, r);
                } else {
                    load(key);
                    out << row.values[size_t(r->index_)];
                }
            }
            return rs.size() == 1 ? out[0] : QVariant(out);
        }
    }
    std::vector<int> candidates;
    const bool indexed = indexedPositions(fs, vals, candidates);
    const int n = indexed ? int(candidates.size()) : count();
    for (int i = 0; i < n; ++i) {
        const int p = indexed ? candidates[size_t(i)] : i;
        if (!indexed && !matchesRow(p, fs, vals, 0))
            continue;
        if (!passes(p))
            continue;
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
