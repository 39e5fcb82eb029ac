#pragma once
// A database file opened on its own, past any connection and its translator: for work on a
// closed athlete database as a whole (compaction and its check). Every failure raises
// EDatabaseError with SQLite's message.
#include <QString>

struct sqlite3;

class SqliteFile {
public:
    SqliteFile() = default;
    ~SqliteFile() { close(); }
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    // Opens an existing file for reading and writing; a lock held elsewhere fails at once
    // instead of waiting.
    void open(const QString& path);
    // Runs statements that return no rows.
    void exec(const char* sql);
    // The first column of the first row as text (empty without rows).
    QString text(const char* sql);
    // Writes a compacted copy of the whole database to a new file.
    void vacuumInto(const QString& target);
    void close();

private:
    [[noreturn]] void fail();
    sqlite3* db_ = nullptr;
};
