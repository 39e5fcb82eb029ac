// TDataSet: the state machine and what moves the cursor: creation, fields, open and close,
// navigation, search, bookmarks and the notification of data sources. Reading the snapshot,
// its order and filter and the record buffers are in datasetsnapshot.cpp; editing and writing
// rows back in datasetediting.cpp.
#include "platform/db/dataset.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include <algorithm>

#include "platform/db/connection.h"
#include "platform/db/datasetshared.h"
#include "platform/db/datasource.h"

namespace datasetdetail {

FilterCompiler& filterCompiler()
{
    static FilterCompiler compiler;
    return compiler;
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

}  // namespace datasetdetail

using namespace datasetdetail;

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

void TDataSet::raise(const SqliteError& error) const
{
    error.raise(name_.isEmpty() ? QString() : name_ + QStringLiteral(": "));
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
    forgetFieldNames();
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
    // Rules and lookups name the same fields again and again: the answer is kept by the name as
    // written until the fields change.
    const auto known = fieldNames_.constFind(name);
    if (known != fieldNames_.constEnd())
        return *known;
    TField* found = nullptr;
    for (const auto& f : fields_)
        if (sameName(f->FieldName(), name)) {
            found = f.get();
            break;
        }
    fieldNames_.insert(name, found);
    return found;
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
    const auto known = fieldLists_.constFind(names);
    if (known != fieldLists_.constEnd())
        return *known;
    std::vector<TField*> out;
    for (const QString& n : SplitFieldNames(names))
        out.push_back(FieldByName(n));
    fieldLists_.insert(names, out);
    return out;
}

void TDataSet::forgetFieldNames()
{
    fieldNames_.clear();
    fieldLists_.clear();
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
        cur_ = snapshotEmpty() ? -1 : 0;
        bof_ = true;
        eof_ = snapshotEmpty();
        modified_ = false;
        // A calculation that fails on the first row fails the open, not half of it.
        loadCurrent();
    } catch (...) {
        state_ = dsInactive;
        clearSnapshot();
        if (!declaredFields_) {
            fields_.clear();
            forgetFieldNames();
        }
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
    if (!declaredFields_) {
        fields_.clear();
        forgetFieldNames();
    }
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
        if (!declaredFields_) {
            fields_.clear();
            forgetFieldNames();
        }
        throw;
    }
    cur_ = snapshotEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = snapshotEmpty();
    if (const int kept = positionOfBookmark(keep); kept >= 0) {
        cur_ = kept;
        bof_ = false;
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
    cur_ = snapshotEmpty() ? -1 : 0;
    bof_ = true;
    eof_ = snapshotEmpty();
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
    orderTerms_ = source.orderTerms_;
    lastRowid_ = source.lastRowid_;
    source.materializeKeys();
    snap_ = source.snap_;
    rows_ = source.rows_;
    rowsSql_ = source.rowsSql_;
    hiddenColumns_ = source.hiddenColumns_;
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
    return !Active() || (snapshotEmpty() && state_ != dsInsert);
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
    return const_cast<TDataSet*>(this)->bookmarkOf(keyAt(cur_));
}

bool TDataSet::BookmarkValid(const TBookmark& b) const
{
    return positionOfBookmark(b) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& b)
{
    checkActive();
    const int pos = positionOfBookmark(b);
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
