// TDataSet: the edit and insert states, Post with the row written back, Cancel and Delete.
#include "platform/db/dataset.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include <algorithm>

#include "platform/db/connection.h"
#include "platform/db/datasetshared.h"
#include "platform/db/datasource.h"
#include "platform/db/selectrowids.h"

using namespace datasetdetail;

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
    current_.key = cur_ >= 0 && cur_ < count() ? keyAt(cur_) : -1;
    current_.valid = true;
    calcBuffer(current_);
    notify(Event::StateChange);
    notify(Event::DataSetChange);
    fire(AfterPost);
}

// Writing a posted row back: the changed columns are collected per base table, each table gets
// one INSERT or UPDATE (prepared once per set of columns), several statements run under one
// savepoint, and the snapshot then takes the posted row over.

std::vector<TDataSet::PendingWrite> TDataSet::collectWrites(bool inserting, int& statements) const
{
    std::vector<PendingWrite> writes(bases_.size());
    for (PendingWrite& w : writes)
        w.vals.reserve(int(fields_.size()) + 1);
    std::vector<char> used(size_t(columns_.size()), 0);
    statements = 0;
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
        PendingWrite& w = writes[size_t(f->baseTable_)];
        if (w.cols.empty())
            ++statements;
        w.cols.push_back(f->column_);
        w.vals << v;
    }
    if (inserting && statements == 0 && !bases_.empty())
        statements = 1;  // a row of defaults in the first table
    return writes;
}

sqlite3_stmt* TDataSet::writeStatement(bool insert, size_t base, const std::vector<int>& cols)
{
    // The prepared statements are kept by the set of columns they write.
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
}

int TDataSet::runWrite(sqlite3_stmt* stmt, const QVariantList& vals)
{
    for (int i = 0; i < vals.size(); ++i)
        BindVariant(stmt, i + 1, vals[i]);
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        connection_->RaiseError(QString());
    return sqlite3_changes(connection_->Handle());
}

void TDataSet::takeOverPostedRow(Row& row, const std::vector<int64_t>& newRowids, bool inserting)
{
    // The snapshot takes the posted values.
    dropLookupIndexes();
    for (const auto& f : fields_)
        if (f->fieldKind_ == fkData && f->column_ >= 0)
            row.values[size_t(f->column_)] = current_.values[size_t(f->index_)];
    row.rowids = newRowids;
    row.pinned = true;
    if (!inserting)
        return;
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
        cache_[key] = std::move(row);
    } else {
        key = int64_t(rows_.size());
        rows_.push_back(std::move(row));
    }
    // Into the visible list at the insert position and into the full snapshot after the
    // row visibly before it.
    materializeKeys();
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

void TDataSet::writeRow()
{
    const bool inserting = state_ == dsInsert;
    Row fresh;
    if (inserting) {
        fresh.values.resize(size_t(columns_.size()));
        fresh.rowids.assign(bases_.size(), -1);
    }
    Row& row = inserting ? fresh : rowByKey(keyAt(cur_), cur_);

    int statements = 0;
    const std::vector<PendingWrite> writes = collectWrites(inserting, statements);
    // An edit that moves the row in a lazy snapshot's order fixes the key list first: the pages
    // still to be read would find the row at its new place.
    if (!inserting && !bases_.empty() && changesKeyOrder(writes[0].cols))
        materializeKeys();
    sqlite3* db = connection_->Handle();
    const bool atomic = statements > 1;
    if (atomic && sqlite3_exec(db, "SAVEPOINT orv_post", nullptr, nullptr, nullptr) != SQLITE_OK)
        connection_->RaiseError(QString());
    std::vector<int64_t> newRowids = row.rowids;
    try {
        for (size_t b = 0; b < bases_.size(); ++b) {
            const PendingWrite& w = writes[b];
            if (inserting) {
                // Only a dataset with nothing assigned inserts a row of defaults, into its first table.
                if (w.cols.empty() && !(b == 0 && std::all_of(writes.begin(), writes.end(),
                                                               [](const PendingWrite& x) { return x.cols.empty(); })))
                    continue;
                runWrite(writeStatement(true, b, w.cols), w.vals);
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
                if (runWrite(writeStatement(false, b, w.cols), vals) == 0)
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
    takeOverPostedRow(row, newRowids, inserting);
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
    materializeKeys();  // the row leaves the key list
    const int64_t key = keyAt(cur_);
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
    dropLookupIndexes();
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
