#pragma once
// The translator through which every SQL text of the program reaches SQLite. Callers keep
// writing the Jet dialect; the translator parses the statement, looks up the declared column
// types of the tables it names, writes it for SQLite and keeps the result per text.
//
//   conn.Open(file);
//   InstallJetSql(conn);                    // translator + Jet functions on this connection
//   conn.Execute("DELETE * FROM zeit WHERE zei_id = 5");
//
// Text that the user types as SQL (the period statistics' free condition and sort text, filter
// files) goes through TranslateReadOnly and is prepared with PrepareReadOnly, so that it can only
// read.
#include <QHash>
#include <QString>

#include <functional>
#include <memory>

#include "platform/db/connection.h"
#include "platform/db/jetsqlrewriter.h"

struct sqlite3;
struct sqlite3_stmt;

class TJetTranslator : public SqlTranslator {
public:
    // `database` gives the open handle at each translation (null while closed: the text is
    // translated without column types).
    explicit TJetTranslator(std::function<sqlite3*()> database);
    ~TJetTranslator() override;

    // Exactly one statement; raises EDatabaseError on a syntax error, a second statement or a
    // type conflict that Jet would report. Statements that are not SELECT, INSERT, UPDATE or
    // DELETE (PRAGMA, BEGIN, CREATE ...) pass unchanged.
    QString translate(const QString& jetSql) override;
    // Only one SELECT: anything that could write, ATTACH, PRAGMA, DDL, TOP, DISTINCTROW and
    // INTO are refused with a clear message.
    QString TranslateReadOnly(const QString& jetSql);
    QString translateReadOnly(const QString& jetSql) override { return TranslateReadOnly(jetSql); }

    // Forgets translations and column types (after the schema or the format settings changed).
    void ClearCache();
    int CacheSize() const { return cache_.size(); }

    // Format settings for reading dates and numbers in the text; the program's settings
    // (FormatSettings()) until set.
    void SetFormatSettings(const TFormatSettings& fs);

private:
    class Schema;
    QString translateWith(const QString& jetSql, bool readOnly);

    std::function<sqlite3*()> database_;
    sqlite3* lastHandle_ = nullptr;
    std::unique_ptr<Schema> schema_;
    QHash<QString, QString> cache_;
    QHash<QString, QString> readOnlyCache_;
    std::unique_ptr<TFormatSettings> settings_;
};

// Gives the connection a Jet translator and registers the Jet SQL functions on every
// connection (once per process). Returns the translator.
std::shared_ptr<TJetTranslator> InstallJetSql(TConnection& connection);

// Prepares an already translated statement that may only read (sqlite3 authorizer: SELECT and
// reading of tables, no writes, ATTACH, PRAGMA or DDL). Raises EDatabaseError when SQLite
// refuses it. The caller finalizes the statement.
sqlite3_stmt* PrepareReadOnly(sqlite3* db, const QString& sql);
// Switches the read-only guard of PrepareReadOnly on or off for the statements prepared
// meanwhile on the handle, and the message a statement refused by it gets.
void SetReadOnlyGuard(sqlite3* db, bool on);
QString ReadOnlyMessage();
