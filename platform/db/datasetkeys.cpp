// TDataSet: the key list of a table dataset. The keys (rowids) stand in the cursor order, the
// order fields and then the rowid. A table of up to the lazy threshold reads them all at open;
// a larger one counts them when the count is first needed and reads them in pages of 4,096 when
// a position is first reached.
//
// A page is read by key, never by counting rows off from the start: it starts at a row whose
// position and order values are known (an anchor: the edge of a page read before, or a row that
// Locate or a bookmark found) and reads on from there in the order, or backwards. Walking the
// whole list page by page is therefore linear, and a position far from every anchor costs one
// indexed query. The position of a given row is the count of the rows before it in the order.
//
// The conditions "after this row" and "before this row" follow SQLite's own order of the
// values: Null first, numbers, text by the column's collation, blobs; the operands carry no
// affinity (the unary "+"), so the comparison is the one ORDER BY applies. The first order
// field also gets a plain range condition, so that SQLite starts the read in the order's index
// instead of walking to the anchor.
#include <QCoreApplication>

#include <sqlite3.h>

#include <algorithm>

#include "platform/db/connection.h"
#include "platform/db/dataset.h"
#include "platform/db/datasetshared.h"
#include "platform/db/selectrowids.h"

using namespace datasetdetail;

namespace {

// Keys a lazy snapshot reads at a time.
constexpr int kKeyPage = 4096;

int lazyKeyRows = 65536;

// The terms of an ORDER BY text made of quoted identifiers, each optionally " DESC".
std::vector<TDataSet::OrderTerm> parseOrder(const QString& orderBy)
{
    std::vector<TDataSet::OrderTerm> terms;
    int i = 0;
    const int n = int(orderBy.size());
    while (i < n) {
        while (i < n && (orderBy[i] == QLatin1Char(' ') || orderBy[i] == QLatin1Char(',')))
            ++i;
        if (i >= n)
            break;
        TDataSet::OrderTerm t;
        if (orderBy[i] == QLatin1Char('"')) {
            int j = i + 1;
            QString name;
            while (j < n) {
                if (orderBy[j] == QLatin1Char('"')) {
                    if (j + 1 < n && orderBy[j + 1] == QLatin1Char('"')) {
                        name += QLatin1Char('"');
                        j += 2;
                        continue;
                    }
                    break;
                }
                name += orderBy[j++];
            }
            t.name = name;
            t.column = orderBy.mid(i, j + 1 - i);
            i = j + 1;
        } else {
            int j = i;
            while (j < n && orderBy[j] != QLatin1Char(' ') && orderBy[j] != QLatin1Char(','))
                ++j;
            t.name = orderBy.mid(i, j - i);
            t.column = QuoteIdentifier(t.name);
            i = j;
        }
        while (i < n && orderBy[i] == QLatin1Char(' '))
            ++i;
        for (const char* word : {"DESC", "ASC"}) {
            const QLatin1String w(word);
            if (orderBy.mid(i, w.size()).compare(w, Qt::CaseInsensitive) == 0 &&
                (i + w.size() >= n || orderBy[i + w.size()] == QLatin1Char(',') || orderBy[i + w.size()] == QLatin1Char(' '))) {
                t.desc = qstrcmp(word, "DESC") == 0;
                i += int(w.size());
                break;
            }
        }
        terms.push_back(t);
    }
    return terms;
}

bool isNull(const QVariant& v)
{
    return !v.isValid() || v.isNull();
}

// One part of a run of keys: a condition and its values; the parts of a run follow each other
// in the order.
struct RunPart {
    QString condition;  // empty: every row
    QVariantList values;
};

}  // namespace

void TDataSet::SetLazyKeyThreshold(int rows)
{
    lazyKeyRows = rows;
}

int TDataSet::LazyKeyThreshold()
{
    return lazyKeyRows;
}

// --- the keys read at open ----------------------------------------------------------------------

void TDataSet::readKeys(const SelectPlan& plan)
{
    sqlite3* db = connection_->Handle();
    orderTerms_ = parseOrder(plan.orderBy);
    anchors_.clear();
    keyOrderUnindexed_ = -1;
    const QString table = QuoteIdentifier(plan.table);
    // The rows there are at open: counted first, and the keys of a large table are left to be
    // read page by page. Rows added later (a larger rowid) stay out of the snapshot until it is
    // read again, as with a snapshot read whole.
    const QString where = plan.where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + plan.where;
    const QVariant last = connection_->ExecuteNativeScalar(QStringLiteral("SELECT max(rowid) FROM ") + table);
    lastRowid_ = last.isNull() ? 0 : last.toLongLong();
    // The keys are read whole up to the threshold; a table with more rows reads them page by
    // page when a position is first reached, and counts them when the count is first needed.
    const int threshold = LazyKeyThreshold();
    {
        const QString probe = QStringLiteral("SELECT 1 FROM ") + table + where + QStringLiteral(" LIMIT 1 OFFSET ") +
                              QString::number(threshold);
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare16_v2(db, probe.utf16(), int(probe.size() * 2), &stmt, nullptr) != SQLITE_OK)
            connection_->RaiseError(QString());
        BindParameters(stmt, plan.params, plan.namedParams);
        const int rc = sqlite3_step(stmt);
        const SqliteError err = SqliteError::of(db);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            raise(err);
        if (rc == SQLITE_ROW) {
            lazyKeys_ = true;
            lazyCount_ = -1;
            return;
        }
    }
    snap_ = keyRun(nullptr, false, 0, 0, nullptr, nullptr);
}

QString TDataSet::keyOrder(bool reverse) const
{
    QStringList parts;
    for (const OrderTerm& t : orderTerms_)
        parts << (t.desc != reverse ? t.column + QStringLiteral(" DESC") : t.column);
    // Rows alike in the order keep the order of their keys, read forwards or backwards.
    parts << (reverse ? QStringLiteral("rowid DESC") : QStringLiteral("rowid"));
    return parts.join(QStringLiteral(", "));
}

// --- runs of keys ---------------------------------------------------------------------------------

namespace {

// The parts of the run after the anchor (reverse: before it) in the order of the terms and the
// rowid. Within the terms' order, "after" is: the first term after the anchor's value, or equal
// and the rest after, down to the rowid. The first part carries the range condition on the
// first term that lets SQLite start in its index; where Null rows follow the range (a
// descending read of an ascending term, or the reverse), they are a part of their own.
std::vector<RunPart> runParts(const std::vector<TDataSet::OrderTerm>& terms, const TDataSet::KeyAnchor* anchor,
                              bool reverse)
{
    if (!anchor)
        return {RunPart()};
    if (terms.empty())
        return {RunPart{reverse ? QStringLiteral("rowid < ?") : QStringLiteral("rowid > ?"),
                        {QVariant(qlonglong(anchor->key))}}};
    // The exact condition, without index use ("+": no affinity either).
    QStringList alternatives;
    QVariantList exactValues;
    QStringList equalSoFar;
    QVariantList equalValues;
    for (size_t i = 0; i <= terms.size(); ++i) {
        QString after;
        QVariantList afterValues;
        if (i == terms.size()) {
            after = reverse ? QStringLiteral("+rowid < ?") : QStringLiteral("+rowid > ?");
            afterValues << QVariant(qlonglong(anchor->key));
        } else {
            const QString c = QLatin1Char('+') + terms[i].column;
            const QVariant& v = anchor->values[int(i)];
            const bool descending = terms[i].desc != reverse;
            if (!descending) {
                // Ascending: Null first, so everything not Null comes after a Null.
                if (isNull(v)) {
                    after = c + QStringLiteral(" IS NOT NULL");
                } else {
                    after = c + QStringLiteral(" > ?");
                    afterValues << v;
                }
            } else if (!isNull(v)) {
                // Descending: Null last.
                after = QLatin1Char('(') + c + QStringLiteral(" < ? OR ") + c + QStringLiteral(" IS NULL)");
                afterValues << v;
            } else {
                after.clear();  // nothing comes after Null
            }
        }
        if (!after.isEmpty()) {
            QStringList conj = equalSoFar;
            conj << after;
            alternatives << QLatin1Char('(') + conj.join(QStringLiteral(" AND ")) + QLatin1Char(')');
            exactValues << equalValues << afterValues;
        }
        if (i < terms.size()) {
            const QString c = QLatin1Char('+') + terms[i].column;
            const QVariant& v = anchor->values[int(i)];
            if (isNull(v)) {
                equalSoFar << c + QStringLiteral(" IS NULL");
            } else {
                equalSoFar << c + QStringLiteral(" = ?");
                equalValues << v;
            }
        }
    }
    const QString exact = alternatives.isEmpty() ? QStringLiteral("0")
                                                 : QLatin1Char('(') + alternatives.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    const QString& first = terms[0].column;
    const QVariant& v = anchor->values[0];
    const bool descending = terms[0].desc != reverse;
    if (!descending) {
        if (!isNull(v))
            return {RunPart{first + QStringLiteral(" >= ? AND ") + exact, QVariantList{v} + exactValues}};
        return {RunPart{first + QStringLiteral(" IS NULL AND ") + exact, exactValues},
                RunPart{first + QStringLiteral(" IS NOT NULL"), {}}};
    }
    if (!isNull(v))
        return {RunPart{first + QStringLiteral(" <= ? AND ") + exact, QVariantList{v} + exactValues},
                RunPart{first + QStringLiteral(" IS NULL"), {}}};
    return {RunPart{first + QStringLiteral(" IS NULL AND ") + exact, exactValues}};
}

}  // namespace

std::vector<int64_t> TDataSet::keyRun(const KeyAnchor* anchor, bool reverse, int offset, int limit,
                                      KeyAnchor* first, KeyAnchor* last) const
{
    auto* self = const_cast<TDataSet*>(this);
    sqlite3* db = connection_->Handle();
    QString columns = QStringLiteral("rowid");
    for (const OrderTerm& t : orderTerms_)
        columns += QStringLiteral(", ") + t.column;
    QString base = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + QuoteIdentifier(plan_.table) +
                   QStringLiteral(" WHERE +rowid <= ") + QString::number(lastRowid_);
    if (!plan_.where.isEmpty())
        base += QStringLiteral(" AND (") + plan_.where + QLatin1Char(')');
    std::vector<int64_t> out;
    if (limit > 0)
        out.reserve(size_t(limit));
    const int terms = int(orderTerms_.size());
    bool firstSeen = false;
    for (const RunPart& part : runParts(orderTerms_, anchor, reverse)) {
        if (limit > 0 && int(out.size()) >= limit)
            break;
        QString sql = base;
        if (!part.condition.isEmpty())
            sql += QStringLiteral(" AND ") + part.condition;
        sql += QStringLiteral(" ORDER BY ") + keyOrder(reverse) + QStringLiteral(" LIMIT ? OFFSET ?");
        const int wanted = limit > 0 ? limit - int(out.size()) : -1;
        QVariantList positional = plan_.params;
        positional << part.values << QVariant(wanted) << QVariant(offset);
        sqlite3_stmt* stmt = self->statement(sql);
        BindParameters(stmt, positional, plan_.namedParams);
        const size_t before = out.size();
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            out.push_back(sqlite3_column_int64(stmt, 0));
            if (!firstSeen && first) {
                first->key = out.back();
                first->values.clear();
                for (int c = 1; c <= terms; ++c)
                    first->values << ColumnVariant(stmt, c);
            }
            firstSeen = true;
        }
        const SqliteError err = SqliteError::of(db);
        sqlite3_reset(stmt);
        if (rc != SQLITE_DONE)
            raise(err);
        const int read = int(out.size() - before);
        if (read > 0 || offset == 0) {
            offset = 0;
            continue;
        }
        // Skipped past the end of this part: the rest of the offset falls into the next one.
        offset -= std::min(offset, [&] {
            QString countSql = QStringLiteral("SELECT count(*) FROM ") + QuoteIdentifier(plan_.table) +
                               QStringLiteral(" WHERE +rowid <= ") + QString::number(lastRowid_);
            if (!plan_.where.isEmpty())
                countSql += QStringLiteral(" AND (") + plan_.where + QLatin1Char(')');
            if (!part.condition.isEmpty())
                countSql += QStringLiteral(" AND ") + part.condition;
            sqlite3_stmt* cs = self->statement(countSql);
            BindParameters(cs, plan_.params + part.values, plan_.namedParams);
            const int crc = sqlite3_step(cs);
            const SqliteError cerr = SqliteError::of(db);
            const int64_t n = crc == SQLITE_ROW ? sqlite3_column_int64(cs, 0) : 0;
            sqlite3_reset(cs);
            if (crc != SQLITE_ROW)
                raise(cerr);
            return int(std::min<int64_t>(n, INT32_MAX));
        }());
    }
    // The last row's values are read by its key once, not kept for every row on the way.
    if (last && !out.empty() && !keyAnchorOf(out.back(), *last))
        last->key = -1;
    return out;
}

int TDataSet::keyRunCount(const KeyAnchor* anchor, bool reverse) const
{
    auto* self = const_cast<TDataSet*>(this);
    sqlite3* db = connection_->Handle();
    int64_t total = 0;
    for (const RunPart& part : runParts(orderTerms_, anchor, reverse)) {
        QString sql = QStringLiteral("SELECT count(*) FROM ") + QuoteIdentifier(plan_.table) +
                      QStringLiteral(" WHERE +rowid <= ") + QString::number(lastRowid_);
        if (!plan_.where.isEmpty())
            sql += QStringLiteral(" AND (") + plan_.where + QLatin1Char(')');
        if (!part.condition.isEmpty())
            sql += QStringLiteral(" AND ") + part.condition;
        sqlite3_stmt* stmt = self->statement(sql);
        BindParameters(stmt, plan_.params + part.values, plan_.namedParams);
        const int rc = sqlite3_step(stmt);
        const SqliteError err = SqliteError::of(db);
        total += rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
        sqlite3_reset(stmt);
        if (rc != SQLITE_ROW)
            raise(err);
    }
    return int(std::min<int64_t>(total, INT32_MAX));
}

bool TDataSet::keyAnchorOf(int64_t key, KeyAnchor& anchor) const
{
    auto* self = const_cast<TDataSet*>(this);
    sqlite3* db = connection_->Handle();
    QString columns = QStringLiteral("1");
    for (const OrderTerm& t : orderTerms_)
        columns += QStringLiteral(", ") + t.column;
    QString sql = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + QuoteIdentifier(plan_.table) +
                  QStringLiteral(" WHERE rowid = ? AND rowid <= ") + QString::number(lastRowid_);
    if (!plan_.where.isEmpty())
        sql += QStringLiteral(" AND (") + plan_.where + QLatin1Char(')');
    sqlite3_stmt* stmt = self->statement(sql);
    // The key comes first in the text, the table's own condition after it.
    BindParameters(stmt, QVariantList{QVariant(qlonglong(key))} + plan_.params, plan_.namedParams);
    const int rc = sqlite3_step(stmt);
    const SqliteError err = SqliteError::of(db);
    anchor.key = key;
    anchor.values.clear();
    if (rc == SQLITE_ROW)
        for (int c = 1; c <= int(orderTerms_.size()); ++c)
            anchor.values << ColumnVariant(stmt, c);
    sqlite3_reset(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        raise(err);
    return rc == SQLITE_ROW;
}

int TDataSet::lazyPosition(int64_t key) const
{
    for (const auto& [pos, a] : anchors_)
        if (a.key == key)
            return pos;
    KeyAnchor anchor;
    if (!keyAnchorOf(key, anchor))
        return -1;
    const int pos = keyRunCount(&anchor, true);
    anchors_[pos] = std::move(anchor);
    return pos;
}

bool TDataSet::keyOrderUnindexed() const
{
    if (keyOrderUnindexed_ < 0) {
        keyOrderUnindexed_ = 0;
        if (!orderTerms_.empty()) {
            QString sql = QStringLiteral("EXPLAIN QUERY PLAN SELECT rowid FROM ") + QuoteIdentifier(plan_.table) +
                          QStringLiteral(" WHERE +rowid <= ") + QString::number(lastRowid_);
            if (!plan_.where.isEmpty())
                sql += QStringLiteral(" AND (") + plan_.where + QLatin1Char(')');
            sql += QStringLiteral(" ORDER BY ") + keyOrder(false);
            sqlite3_stmt* stmt = const_cast<TDataSet*>(this)->statement(sql);
            BindParameters(stmt, plan_.params, plan_.namedParams);
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                const int detail = sqlite3_column_count(stmt) - 1;
                if (ColumnVariant(stmt, detail).toString().contains(QLatin1String("TEMP B-TREE")))
                    keyOrderUnindexed_ = 1;
            }
            sqlite3_reset(stmt);
        }
    }
    return keyOrderUnindexed_ == 1;
}

bool TDataSet::changesKeyOrder(const std::vector<int>& cols) const
{
    if (!lazyKeys_)
        return false;
    for (int c : cols)
        for (const OrderTerm& t : orderTerms_)
            if (sameName(colOrigin_[c], t.name))
                return true;
    return false;
}

// --- pages ---------------------------------------------------------------------------------------

const std::vector<int64_t>& TDataSet::keyPage(int page) const
{
    auto it = keyPages_.find(page);
    if (it != keyPages_.end())
        return it->second;
    const int from = page * kKeyPage;
    const bool counted = lazyCount_ >= 0;
    const int rows = counted ? std::max(0, std::min(kKeyPage, lazyCount_ - from)) : kKeyPage;
    std::vector<int64_t> keys;
    // The read starts at the cheapest place: an anchor before the page, in it or after it, the
    // first row or the last; the cost is the rows SQLite steps over to reach the page.
    enum class From { Start, End, Below, Above, Inside };
    From how = From::Start;
    int64_t cost = from;
    auto below = anchors_.lower_bound(from);
    auto above = anchors_.lower_bound(from + rows);
    if (below != anchors_.begin() && from - std::prev(below)->first - 1 < cost) {
        how = From::Below;
        cost = from - std::prev(below)->first - 1;
    }
    if (above != anchors_.end() && above->first - (from + rows) < cost) {
        how = From::Above;
        cost = above->first - (from + rows);
    }
    if (counted && lazyCount_ - from - rows < cost) {
        how = From::End;
        cost = lazyCount_ - from - rows;
    }
    if (below != anchors_.end() && below->first < from + rows) {
        how = From::Inside;
        cost = 0;
    }
    KeyAnchor edgeA, edgeB;  // the page's first and last rows
    bool edges = false;
    if (rows > 0) {
        switch (how) {
        case From::Start:
            keys = keyRun(nullptr, false, from, rows, &edgeA, &edgeB);
            break;
        case From::Below:
            keys = keyRun(&std::prev(below)->second, false, int(cost), rows, &edgeA, &edgeB);
            break;
        case From::End:
            keys = keyRun(nullptr, true, int(cost), rows, &edgeB, &edgeA);
            std::reverse(keys.begin(), keys.end());
            break;
        case From::Above:
            keys = keyRun(&above->second, true, int(cost), rows, &edgeB, &edgeA);
            std::reverse(keys.begin(), keys.end());
            break;
        case From::Inside: {
            const int at = below->first;
            const KeyAnchor anchor = below->second;
            KeyAnchor unused;
            if (at > from) {
                keys = keyRun(&anchor, true, 0, at - from, &unused, &edgeA);
                std::reverse(keys.begin(), keys.end());
            } else {
                edgeA = anchor;
            }
            // Rows deleted behind the snapshot's back leave their places empty before the anchor.
            if (int(keys.size()) < at - from)
                keys.insert(keys.begin(), size_t(at - from) - keys.size(), -1);
            keys.push_back(anchor.key);
            edgeB = anchor;
            if (from + rows - at - 1 > 0) {
                KeyAnchor lastAfter;
                lastAfter.key = -1;
                const std::vector<int64_t> after = keyRun(&anchor, false, 0, from + rows - at - 1, &unused, &lastAfter);
                keys.insert(keys.end(), after.begin(), after.end());
                if (lastAfter.key >= 0)
                    edgeB = lastAfter;
            }
            break;
        }
        }
        edges = !keys.empty();
    }
    // Rows deleted since the count leave their places empty, as rows deleted behind a
    // snapshot's back do.
    if (counted)
        keys.resize(size_t(rows), -1);
    if (edges) {
        if (keys.front() == edgeA.key)
            anchors_[from] = edgeA;
        const int lastPos = from + int(keys.size()) - 1;
        if (keys.back() == edgeB.key)
            anchors_[lastPos] = edgeB;
    }
    return keyPages_.emplace(page, std::move(keys)).first->second;
}

int64_t TDataSet::keyAt(int pos) const
{
    if (lazyKeys_ && keyOrderUnindexed())
        materializeKeys();
    if (!lazyKeys_)
        return keys()[size_t(pos)];
    const std::vector<int64_t>& page = keyPage(pos / kKeyPage);
    const size_t i = size_t(pos % kKeyPage);
    return i < page.size() ? page[i] : -1;
}

bool TDataSet::validPos(int pos) const
{
    if (pos < 0)
        return false;
    if (lazyKeys_ && lazyCount_ < 0 && keyOrderUnindexed())
        materializeKeys();
    if (!lazyKeys_ || lazyCount_ >= 0)
        return pos < count();
    return size_t(pos % kKeyPage) < keyPage(pos / kKeyPage).size();
}

int TDataSet::lazyCount() const
{
    if (lazyCount_ < 0) {
        // All rows (SQLite counts a whole table from its pages) less those added since the open.
        sqlite3* db = connection_->Handle();
        auto countOf = [&](const QString& condition) {
            QString sql = QStringLiteral("SELECT count(*) FROM ") + QuoteIdentifier(plan_.table);
            QStringList conds;
            if (!condition.isEmpty())
                conds << condition;
            if (!plan_.where.isEmpty())
                conds << QLatin1Char('(') + plan_.where + QLatin1Char(')');
            if (!conds.isEmpty())
                sql += QStringLiteral(" WHERE ") + conds.join(QStringLiteral(" AND "));
            sqlite3_stmt* stmt = const_cast<TDataSet*>(this)->statement(sql);
            BindParameters(stmt, plan_.params, plan_.namedParams);
            const int rc = sqlite3_step(stmt);
            const SqliteError err = SqliteError::of(db);
            const int64_t n = rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
            sqlite3_reset(stmt);
            if (rc != SQLITE_ROW)
                raise(err);
            return n;
        };
        const int64_t n = countOf(QString()) - countOf(QStringLiteral("rowid > ") + QString::number(lastRowid_));
        lazyCount_ = int(std::min<int64_t>(n, INT32_MAX));
        // Pages read before the count are cut or filled to it.
        for (auto& [page, keys] : keyPages_)
            keys.resize(size_t(std::max(0, std::min(kKeyPage, lazyCount_ - page * kKeyPage))), -1);
        anchors_.erase(anchors_.lower_bound(lazyCount_), anchors_.end());
    }
    return lazyCount_;
}

void TDataSet::materializeKeys() const
{
    if (!lazyKeys_)
        return;
    auto* self = const_cast<TDataSet*>(this);
    const int n = lazyCount();
    std::vector<int64_t> all = keyRun(nullptr, false, 0, 0, nullptr, nullptr);
    all.resize(size_t(n), -1);
    self->snap_ = std::move(all);
    self->lazyKeys_ = false;
    self->lazyCount_ = 0;
    keyPages_.clear();
    anchors_.clear();
    keyPositions_.clear();
}

// --- positions of keys ------------------------------------------------------------------------------

int TDataSet::findKey(int64_t key) const
{
    if (lazyKeys_)
        return lazyPosition(key);
    const auto& ks = keys();
    if (keyPositions_.empty() && !ks.empty()) {
        keyPositions_.reserve(ks.size());
        // The first place of a key counts (a key stands once in a snapshot).
        for (size_t i = ks.size(); i-- > 0;)
            keyPositions_[ks[i]] = int(i);
    }
    const auto it = keyPositions_.find(key);
    return it == keyPositions_.end() ? -1 : it->second;
}

int TDataSet::positionOfBookmark(const TBookmark& b) const
{
    if (!Active() || b.IsNull())
        return -1;
    if (keyed_) {
        if (b.key.size() != 1)
            return -1;
        const int pos = findKey(b.key[0]);
        return pos >= 0 && pos < count() ? pos : -1;
    }
    auto* self = const_cast<TDataSet*>(this);
    const auto& ks = keys();
    for (size_t p = 0; p < ks.size(); ++p)
        if (self->bookmarkOf(ks[p]) == b)
            return int(p);
    return -1;
}
