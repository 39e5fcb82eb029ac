#pragma once
// The connection to an athlete database: one SQLite file, opened only when it exists and is a
// database. Every SQL text of a query or of Execute passes through the connection's translator
// (the program writes Jet SQL). Every connection gets the Unicode case-insensitive NOCASE
// collation and the SQL functions registered through RegisterSqlFunctions.
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/sysutils.h"

struct sqlite3;
class TDataSet;

// Turns the program's SQL dialect into SQLite's. The default passes the text through.
class SqlTranslator {
public:
    virtual ~SqlTranslator();
    virtual QString translate(const QString& jetSql);
    // Text the user typed as SQL: only a query may pass. The default translates as above; the
    // statement is still prepared under the read-only guard (TQuery::SetReadOnlySQL).
    virtual QString translateReadOnly(const QString& jetSql);
};

// A function that registers SQL functions (sqlite3_create_function...) on a new connection.
using SqlFunctionRegistration = std::function<void(sqlite3* db)>;
// Adds a registration run on every connection opened from now on (and on open ones).
void RegisterSqlFunctions(SqlFunctionRegistration registration);

// Compares two texts as the NOCASE collation does: Unicode case-insensitive after NFC.
int CompareTextNoCase(const QString& a, const QString& b);

class TConnection {
public:
    TConnection();
    ~TConnection();  // closes
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    // Opens an existing database file. A missing file or one that is no database raises
    // EDatabaseError with a German message; no file is ever created.
    void Open(const QString& fileName);
    // Opens a private, empty database in memory (client datasets keep their rows there); it
    // lives until Close. FileName() is empty then.
    void OpenInMemory();
    // Closes every dataset of this connection, then the file. A running transaction is rolled
    // back.
    void Close();
    bool Connected() const { return db_ != nullptr; }
    void SetConnected(bool v);  // true opens FileName()
    const QString& FileName() const { return fileName_; }
    void SetFileName(const QString& fileName) { fileName_ = fileName; }

    // Transactions nest: the first level is a transaction, deeper levels are savepoints.
    // BeginTrans returns the new level. A rollback leaves open datasets' snapshots as they are.
    int BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return transLevel_ > 0; }
    int TransactionLevel() const { return transLevel_; }

    // Runs statements (translated first); parameters bind to "?" / ":name" / "?NNN" in order.
    // Returns the number of rows changed by the last statement.
    int Execute(const QString& sql, const QVariantList& params = {});
    // Runs a query and returns the first column of its first row (Null when there is none).
    QVariant ExecuteScalar(const QString& sql, const QVariantList& params = {});
    // The same for the layer's own SQLite statements (catalogue look-ups): never translated.
    QVariant ExecuteNativeScalar(const QString& sql, const QVariantList& params = {});
    qint64 LastInsertRowId() const;

    // The translator every SQL text goes through; never null (pass-through by default).
    SqlTranslator& Translator() const { return *translator_; }
    void SetTranslator(std::shared_ptr<SqlTranslator> translator);
    QString Translate(const QString& sql) const;
    QString TranslateReadOnly(const QString& sql) const;

    // Busy timeout in milliseconds (other processes may hold the file), 5000 by default.
    int BusyTimeout() const { return busyTimeout_; }
    void SetBusyTimeout(int ms);

    sqlite3* Handle() const { return db_; }
    // Names of the tables and views of the database.
    QStringList TableNames() const;

    // Raises EDatabaseError with the connection's last error as a readable text
    // (SqliteErrorText).
    [[noreturn]] void RaiseError(const QString& context) const;
    // Raises EDatabaseError naming the file and the reason when the open database can only be
    // read: the file is write-protected, or no change can be written in its folder (SQLite
    // writes its journal beside the file).
    void CheckWritable();

    // Events around connecting.
    std::function<void(TConnection*)> BeforeConnect;
    std::function<void(TConnection*)> AfterConnect;
    std::function<void(TConnection*)> BeforeDisconnect;
    std::function<void(TConnection*)> AfterDisconnect;

private:
    friend class TDataSet;
    void setUp(sqlite3* db);
    void attach(TDataSet* ds);
    void detach(TDataSet* ds);

    sqlite3* db_ = nullptr;
    QString fileName_;
    int transLevel_ = 0;
    int busyTimeout_ = 5000;
    std::shared_ptr<SqlTranslator> translator_;
    std::vector<TDataSet*> dataSets_;
};

// The last error of a SQLite handle as the user reads it: damaged, foreign, write-protected,
// locked and full files, a missing table or column in German with the file's name; any other
// error with SQLite's own text.
QString SqliteErrorText(sqlite3* db);

// An error of the database file itself (damaged, foreign, write-protected, locked, full, not
// readable) rather than of a statement or the values it met.
class EDatabaseFileError : public EDatabaseError {
    using EDatabaseError::EDatabaseError;
};

// The last error of a SQLite handle, taken before its statement is finalised and raised after.
struct SqliteError {
    static SqliteError of(sqlite3* db);
    // EDatabaseFileError for an error of the file, EDatabaseError otherwise.
    [[noreturn]] void raise(const QString& prefix = QString()) const;
    QString text;
    bool fileError = false;
};

// Binds a QVariant to a prepared statement parameter (1-based). Null binds NULL, bool 0/1.
struct sqlite3_stmt;
void BindVariant(sqlite3_stmt* stmt, int index, const QVariant& v);
// Binds every parameter of a statement: ":name" (also "@name", "$name") from named (keys in lower
// case), the others in order from positional.
void BindParameters(sqlite3_stmt* stmt, const QVariantList& positional, const QVariantMap& named);
// Reads a result column as a QVariant by its storage class (Null for NULL).
QVariant ColumnVariant(sqlite3_stmt* stmt, int column);

// One statement prepared once and run many times with new values: bulk inserts of imports and
// conversions bind each row's values instead of pasting them into SQL text, and do not parse
// the statement again per row. The text passes through the connection's translator. The
// statement must be destroyed before its connection closes.
class TPreparedStatement {
public:
    TPreparedStatement(TConnection& connection, const QString& sql);
    ~TPreparedStatement();
    TPreparedStatement(const TPreparedStatement&) = delete;
    TPreparedStatement& operator=(const TPreparedStatement&) = delete;

    // Binds the values in order (missing ones are NULL), runs the statement and resets it.
    // Raises EDatabaseError with SQLite's message on failure.
    void Execute(const QVariantList& values);
    int ParameterCount() const;

private:
    TConnection& connection_;
    sqlite3_stmt* stmt_ = nullptr;
};
