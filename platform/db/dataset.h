#pragma once
// The dataset: a snapshot of a result read at open, with a current record, states, the
// runtime's exact order of events, fields, navigation, search, bookmarks and writes that go to
// the base tables by rowid.
//
// The snapshot holds the rows' keys in order; a table dataset fetches the values on demand in
// pages, a query dataset reads its rows at open. A dataset sees its own inserts, edits and
// deletes, and rows written through other datasets only after Requery or Close/Open.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/db/fields.h"
#include "platform/rtl/sysutils.h"

class TConnection;
class TDataSource;
class TDataLink;
struct sqlite3_stmt;
struct SqliteError;

enum TDataSetState {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields,
    dsFilter,
};

// Options of Locate.
enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = int;

// A bookmark is the record's key: it stays valid across Requery while the row exists.
struct TBookmark {
    std::vector<int64_t> key;
    bool IsNull() const { return key.empty(); }
    bool operator==(const TBookmark& o) const { return key == o.key; }
};

// A compiled filter expression. The filter syntax parser registers itself through
// SetFilterCompiler; until then only an empty filter is accepted.
class FilterPredicate {
public:
    virtual ~FilterPredicate();
    // True when the dataset's current record (read through its fields) passes.
    virtual bool matches(TDataSet& dataSet) = 0;
};
using FilterCompiler =
    std::function<std::unique_ptr<FilterPredicate>(const QString& filter, TDataSet& dataSet)>;
void SetFilterCompiler(FilterCompiler compiler);

class TDataSet {
public:
    TDataSet();
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    const QString& Name() const { return name_; }
    void SetName(const QString& n) { name_ = n; }

    TConnection* Connection() const { return connection_; }
    void SetConnection(TConnection* c);

    // --- open, close and state ---------------------------------------------------------------
    void Open();
    // Close keeps SQL, filter, order, fields and handlers; a pending edit is cancelled.
    void Close();
    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool v) { v ? Open() : Close(); }
    TDataSetState State() const { return state_; }
    // Re-reads the snapshot and goes to its first row.
    void Requery();
    // Re-reads the snapshot and stays on the current record when it still exists (else the
    // first row).
    void Refresh();

    // --- fields --------------------------------------------------------------------------------
    // Declared fields: a dataset with declared fields has exactly these, in this order (a
    // missing column fails at open). Without declared fields the result's columns become fields
    // at open (and are removed at close).
    TField* AddField(const QString& name, TFieldType type, int size = 0, TFieldKind kind = fkData);
    // Adds a lookup field in one call.
    TField* AddLookupField(const QString& name, TFieldType type, int size, TDataSet* lookupDataSet,
                           const QString& keyFields, const QString& lookupKeyFields,
                           const QString& resultField);
    int FieldCount() const { return int(fields_.size()); }
    TField* Field(int i) const { return fields_[size_t(i)].get(); }
    TField* FindField(const QString& name) const;  // names compare without case; null when none
    TField* FieldByName(const QString& name) const;  // EDatabaseError "Feld 'x' nicht gefunden"
    QVariant FieldValue(const QString& name) const { return FieldByName(name)->Value(); }
    void SetFieldValue(const QString& name, const QVariant& v) { FieldByName(name)->SetValue(v); }
    // Field names in order.
    QStringList FieldNames() const;
    bool DefaultFields() const { return !declaredFields_; }

    // --- navigation (of the visible rows) -----------------------------------------------------
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);  // returns the distance moved
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    bool IsEmpty() const;
    int RecordCount() const;
    int RecNo() const;  // 1-based; 0 on an empty dataset or while inserting
    void SetRecNo(int recNo);

    // --- editing ------------------------------------------------------------------------------
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Posts a pending edit (cancels it when nothing was changed).
    void CheckBrowseMode();
    // Lets the controls write their text into the fields (data sources' OnUpdateData).
    void UpdateRecord();
    bool Modified() const { return modified_; }
    // False for a dataset set read-only and for an open one whose rows cannot be written back
    // (a query with GROUP BY, DISTINCT, UNION, a sub-select in FROM, only computed columns, or
    // over a view); Edit, Insert and Delete then raise.
    bool CanModify() const { return !readOnly_ && (!Active() || updatable_); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }

    // --- search ------------------------------------------------------------------------------
    // Moves to the first visible row whose fields equal the values (one value or a list for
    // "a;b"); values are converted to the field types (EConvertError when impossible). Fires
    // BeforeScroll also when nothing is found; returns false then and stays.
    bool Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options = 0);
    // The result fields ("a;b" gives a list) of the first visible row matching, without moving
    // and without events; Null on a miss.
    QVariant Lookup(const QString& keyFields, const QVariant& keyValues,
                    const QString& resultFields);
    // The same, among the rows that also pass the condition (a compiled filter expression; null:
    // every row). Lookup fields with a CustomConstraint search this way.
    QVariant Lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields,
                    FilterPredicate* condition);

    // --- bookmarks -------------------------------------------------------------------------------
    // While calculated fields are computed: the bookmark of the row being computed (empty for a
    // row not stored yet), which need not be the current row when a grid draws other rows.
    TBookmark GetBookmark() const;
    void GotoBookmark(const TBookmark& b);  // EDatabaseError when the row is gone
    bool BookmarkValid(const TBookmark& b) const;
    TBookmark Bookmark() const { return GetBookmark(); }
    void SetBookmark(const TBookmark& b) { GotoBookmark(b); }
    void FreeBookmark(TBookmark&) {}

    // --- order and filter ---------------------------------------------------------------------
    // Order by a field list "a;b" or "a,b" (a name may end in " DESC"); changeable while open.
    const QString& IndexFieldNames() const { return indexFieldNames_; }
    void SetIndexFieldNames(const QString& names);
    const QString& Filter() const { return filter_; }
    void SetFilter(const QString& f);
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool v);
    // The runtime's record filter event, used with Filtered.
    std::function<void(TDataSet* dataSet, bool& accept)> OnFilterRecord;

    // --- controls ------------------------------------------------------------------------------
    // Nest; while disabled data sources get no events and details do not follow. The last
    // EnableControls sends StateChange (when the state changed) and DataChange.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // Calculated and lookup fields are computed again whenever a data field of the record being
    // edited or inserted changes, and the controls showing them follow (default true).
    bool AutoCalcFields() const { return autoCalcFields_; }
    void SetAutoCalcFields(bool v) { autoCalcFields_ = v; }

    // Tables of more rows than this read their keys in pages on demand (tests lower it).
    static void SetLazyKeyThreshold(int rows);
    static int LazyKeyThreshold();

    // --- clone -----------------------------------------------------------------------------------
    // Makes this (closed) dataset a copy of the source's snapshot and fields, opened on its
    // first row; it has its own cursor, order and filter and never moves the source.
    void Clone(TDataSet& source);

    // --- events --------------------------------------------------------------------------------
    using DataSetEvent = std::function<void(TDataSet*)>;
    DataSetEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    DataSetEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    DataSetEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    DataSetEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    DataSetEvent OnNewRecord, OnCalcFields;
    // Fired when a Post fails after BeforePost (a required field is empty or the database refuses
    // the row); the record stays in its edit or insert state and the error goes on to the caller.
    DataSetEvent OnPostError;

    // --- for data sources, links and derived datasets -----------------------------------------
    const std::vector<TDataSource*>& DataSources() const { return dataSources_; }
    // Makes the fields read the visible row at 0-based position pos (calculated); -1 returns to
    // the current record. Used by buffered links to draw rows around the current one.
    void SetDisplayRow(int pos);
    // Rows and current position as links see them: while inserting, the new row counts and
    // stands at its insert position.
    int LinkRecordCount() const;
    int LinkCurrentPos() const;

protected:
    // What a concrete dataset reads.
    struct SelectPlan {
        // Query datasets: the SELECT text (already translated) and its parameters.
        QString sql;
        QVariantList params;       // positional parameters ("?")
        QVariantMap namedParams;   // ":name" parameters, keys in lower case
        // Table datasets: the base table, the condition and order of the key read (with params).
        QString table;
        QString where;
        QString orderBy;
        bool keyed = false;  // values fetched by rowid on demand
        bool readOnly = false;  // prepared under the read-only guard (text the user typed)
    };
    virtual SelectPlan selectPlan();
    // Runs in Insert just before OnNewRecord (a detail copies the master key here).
    virtual void afterInsertDefaults() {}
    // Re-reads the snapshot and goes to the first row with scroll events (a detail following
    // its master).
    void reloadFromFirst();

    void checkActive() const;
    [[noreturn]] void raise(const QString& message) const;
    // A SQLite error met while reading, named after the dataset, of the class SqliteError gives.
    [[noreturn]] void raise(const SqliteError& error) const;

    // Every row of the snapshot in cursor order, the filter ignored, as keys.
    const std::vector<int64_t>& snapshotKeys() const
    {
        materializeKeys();
        return snap_;
    }
    // A data field's value in the row of a snapshot key, as the field gives it.
    QVariant storedValue(int64_t key, const TField* f);
    // Leaves the open state without events and lets go of the connection (destructors of
    // datasets that own their connection).
    void shutdown();

    QString name_;
    TConnection* connection_ = nullptr;

public:
    // A term of a table's key order, and a row whose place in it is known (datasetkeys.cpp).
    struct OrderTerm {
        QString column;  // quoted for SQL
        QString name;    // the column's name
        bool desc = false;
    };
    struct KeyAnchor {
        int64_t key = -1;
        QVariantList values;  // the row's values of the order terms
    };
    // The kinds of notification a dataset sends its data sources.
    enum class Event { StateChange, FieldChange, RecordChange, DataSetChange, Scroll, UpdateRecord };

private:
    friend class TField;
    friend class TDataSource;
    friend class TConnection;

    struct Row {
        std::vector<QVariant> values;  // result columns
        std::vector<int64_t> rowids;   // rowid of each base table (-1: none)
        bool missing = false;          // a keyed fetch found the row gone
        bool pinned = false;           // written by this dataset: never evicted
        bool unread = false;           // a query row whose values are read when first needed
    };
    struct Buffer {
        std::vector<QVariant> values;  // by field index
        int pos = -1;
        int64_t key = -1;  // snapshot key of the stored row it holds; -1: none (a new row)
        bool valid = false;
    };
    struct BaseTable {
        QString name;
        QString aliasColumn;  // the INTEGER PRIMARY KEY column (rowid alias), if any
    };

    // snapshot
    void readSnapshot(bool buildFields);
    void reread(const TBookmark& keep);
    void readKeyed(const SelectPlan& plan, bool buildFields);
    void readQuery(const SelectPlan& plan, bool buildFields);
    // Reads the rowids of a keyed result's rows after those read with their values, through a
    // statement that asks only the rowids; false (nothing read) when SQLite would not give them
    // in the order of the full query.
    bool readRowidsOnly(const SelectPlan& plan);
    void readColumns(sqlite3_stmt* stmt, int firstColumn, bool buildFields);
    void bindFields();
    const std::vector<int64_t>& keys() const
    {
        materializeKeys();
        return filterActive_ ? vis_ : snap_;
    }
    int count() const { return lazyKeys_ ? lazyCount() : int(keys().size()); }
    // A lazy snapshot's row count, counted when first needed.
    int lazyCount() const;
    // True for a position of a row (a lazy snapshot reads the page instead of counting).
    bool validPos(int pos) const;
    // No rows at all (a lazy snapshot had more than the threshold at open).
    bool snapshotEmpty() const { return lazyKeys_ ? false : count() == 0; }

    // The key list of a table dataset (datasetkeys.cpp). The keys come in the cursor order: the
    // order fields, then the rowid. A large table's keys are read in pages by key, each page
    // starting from a row whose place is known (an anchor), so that reading the whole list is
    // linear and a position is reached with one indexed query.
    // The keys of a table read at open: all of them, or none yet for a large table.
    void readKeys(const SelectPlan& plan);
    const std::vector<int64_t>& keyPage(int page) const;
    // The key at a position of the cursor order (read with its page while the keys are lazy).
    int64_t keyAt(int pos) const;
    // Reads every key of a lazy snapshot into snap_ (for work on the whole key list).
    void materializeKeys() const;
    QString keyOrder(bool reverse) const;
    // The keys after the anchor in the cursor order (before it when reverse), the anchor itself
    // not included; without an anchor from the first (or the last) row. Skips `offset` rows and
    // reads at most `limit` (0: all). first/last receive the edge rows read, in reading order.
    std::vector<int64_t> keyRun(const KeyAnchor* anchor, bool reverse, int offset, int limit,
                                KeyAnchor* first, KeyAnchor* last) const;
    // The rows of that run, counted.
    int keyRunCount(const KeyAnchor* anchor, bool reverse) const;
    // A stored row's order values (false when the row is not in the snapshot's table range).
    bool keyAnchorOf(int64_t key, KeyAnchor& anchor) const;
    // The position of a stored row in a lazy snapshot (a count of the rows before it), -1 when
    // the row is not part of it.
    int lazyPosition(int64_t key) const;
    // True when no index gives the rows in the key order: every page would sort the whole table,
    // so the keys are read whole, sorted once, when a position is first needed.
    bool keyOrderUnindexed() const;
    // True when an edit of these result columns moves a row in a lazy snapshot's order.
    bool changesKeyOrder(const std::vector<int>& cols) const;
    // The position of a key among the visible rows, -1 when none (kept in a map until the rows,
    // their order or the filter change).
    int findKey(int64_t key) const;
    // The position of a bookmark's row among the visible rows, -1 when none.
    int positionOfBookmark(const TBookmark& b) const;
    const Row& rowAt(int pos);
    Row& rowByKey(int64_t key, int posHint);
    void fetchKeys(const std::vector<int64_t>& wanted);
    // Reads the values of a query's rows not read at open: the row asked for and the unread
    // ones around its position.
    void fetchQueryRows(int64_t key, int posHint);
    void rebuildVisible();
    void sortSnapshot();
    bool evaluateFilter(int64_t key);
    void clearSnapshot();
    sqlite3_stmt* statement(const QString& sql);
    int execStatement(const QString& sql, const QVariantList& params);
    TBookmark bookmarkOf(int64_t key);

    // buffers and fields
    void loadBuffer(Buffer& b, int pos);
    void calcBuffer(Buffer& b);
    void loadCurrent();
    QVariant fieldValue(const TField* f) const;
    QVariant oldFieldValue(const TField* f) const;
    void setFieldValue(TField* f, const QVariant& v);
    QVariant fromStorage(const TField* f, const QVariant& raw) const;
    void resetDisplay() { active_ = &current_; display_.valid = false; }

    // operations
    void beginInsert(bool append);
    void writeRow();
    // The columns one base table is written and their values (datasetediting.cpp).
    struct PendingWrite {
        std::vector<int> cols;  // result columns written
        QVariantList vals;
    };
    std::vector<PendingWrite> collectWrites(bool inserting, int& statements) const;
    sqlite3_stmt* writeStatement(bool insert, size_t base, const std::vector<int>& cols);
    int runWrite(sqlite3_stmt* stmt, const QVariantList& vals);
    void takeOverPostedRow(Row& row, const std::vector<int64_t>& newRowids, bool inserting);
    void deleteRow();
    void checkRequired();
    void checkCanModify() const;
    void setState(TDataSetState s);
    void fire(const DataSetEvent& e) { if (e) e(this); }
    void scrollTo(int pos, bool first, bool last);
    bool matchesRow(int pos, const std::vector<TField*>& fs, const QVariantList& vals,
                    TLocateOptions options);
    // The search of a table dataset through SQL (datasetsearch.cpp): the rows whose key fields
    // may match, found by one query on the table with the fields' conditions, each checked as
    // the scan checks it, in cursor order. False when SQL cannot narrow the search (the caller
    // scans); else true with `key` the first row that matches and passes `accept`, -1 for none.
    bool searchByQuery(const std::vector<TField*>& fs, const QVariantList& vals, TLocateOptions options,
                       const std::function<bool(int64_t key)>& accept, int64_t& key);
    // Loads the record of a stored row into a buffer (calculated fields computed).
    void loadKeyBuffer(Buffer& b, int64_t key);
    // Loads the record at a position into the display buffer (calculated fields computed).
    void loadDisplay(int pos);
    std::vector<TField*> fieldList(const QString& names) const;
    // Drops the fields found by name (FindField, fieldList); called whenever the fields change.
    void forgetFieldNames();
    QVariantList keyValueList(const std::vector<TField*>& fs, const QVariant& values) const;
    QVariant rowFieldValue(int pos, TField* f);
    void notify(Event e, TField* f = nullptr, int distance = 0);
    void openLookupDataSets();
    FilterPredicate* lookupConstraint(TField* f);
    // The index of Lookup (datasetlookup.cpp): positions of the rows by their key values, built
    // on first use and dropped whenever the rows, their order or the filter change.
    struct LookupIndex {
        std::vector<TField*> fields;
        bool usable = true;  // false: a row holds a value the index cannot group; Lookup scans
        QHash<QByteArray, std::vector<int>> positions;  // in cursor order
    };
    const LookupIndex* lookupIndex(const std::vector<TField*>& fs);
    // The positions, in cursor order, of the rows whose key fields equal the values; false when
    // no index can serve these fields or values (the caller scans).
    bool indexedPositions(const std::vector<TField*>& fs, const QVariantList& vals, std::vector<int>& out);
    void dropLookupIndexes();

    TDataSetState state_ = dsInactive;
    bool bof_ = true, eof_ = true;
    bool modified_ = false;
    bool readOnly_ = false;
    bool updatable_ = false;  // the open snapshot's rows can be written back
    bool declaredFields_ = false;
    bool hasCalcs_ = false;
    bool autoCalcFields_ = true;
    int disableCount_ = 0;
    TDataSetState stateAtDisable_ = dsInactive;
    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<TDataSource*> dataSources_;

    SelectPlan plan_;
    bool keyed_ = false;
    QStringList columns_;        // result column names
    QStringList columnTypes_;    // declared types ("" for expressions)
    std::vector<int> colBase_;   // base table of each column, -1 for expressions
    QStringList colOrigin_;      // column name in its base table
    std::vector<BaseTable> bases_;
    std::vector<int64_t> snap_;  // keyed: rowids; else indexes into rows_
    // A large table's keys are counted at open and read in pages when a position is first
    // reached; snap_ stays empty until the whole list is needed.
    bool lazyKeys_ = false;
    mutable int lazyCount_ = 0;  // -1 until counted
    int64_t lastRowid_ = 0;  // the largest rowid at the table's open
    mutable std::unordered_map<int, std::vector<int64_t>> keyPages_;
    std::vector<OrderTerm> orderTerms_;
    mutable std::map<int, KeyAnchor> anchors_;  // rows of a lazy snapshot by their position
    mutable int keyOrderUnindexed_ = -1;  // -1 until asked
    mutable std::unordered_map<int64_t, int> keyPositions_;  // findKey's map; empty until asked
    std::vector<int64_t> vis_;   // the visible keys while a filter is active
    bool filterActive_ = false;
    std::vector<Row> rows_;
    // A keyed query reads the values of its first rows at open and keeps only the keys of the
    // rest; they are read by key later, through its statement with the rowid columns.
    QString rowsSql_;
    int hiddenColumns_ = 0;
    std::unordered_map<int64_t, Row> cache_;
    QHash<QString, sqlite3_stmt*> stmts_;
    struct WriteStatement {
        std::vector<int> cols;
        bool insert = false;
        size_t base = 0;
        sqlite3_stmt* stmt = nullptr;  // owned by stmts_
    };
    QHash<quint64, WriteStatement> writeStmts_;  // INSERT / UPDATE by the columns they write
    Row emptyRow_;

    int cur_ = -1;
    int prevCur_ = -1;
    int insertPos_ = -1;
    bool appending_ = false;
    Buffer current_;
    Buffer old_;
    Buffer display_;
    Buffer* active_ = &current_;
    bool inCalc_ = false;
    // The edited record's calculated and lookup fields wait for their next read: set while the
    // controls are disabled (nobody is told of their changes then), so bulk writes that set many
    // fields of a record compute them once instead of after every field.
    mutable bool calcStale_ = false;

    QString indexFieldNames_;
    QString filter_;
    bool filtered_ = false;
    std::unique_ptr<FilterPredicate> filterPredicate_;
    bool isClone_ = false;
    std::vector<std::unique_ptr<LookupIndex>> lookupIndexes_;
    int64_t rowsLetGo_ = 0;  // counts the times the row cache let rows go
    mutable QHash<QString, TField*> fieldNames_;  // FindField's answers by the name asked
    mutable QHash<QString, std::vector<TField*>> fieldLists_;
};
