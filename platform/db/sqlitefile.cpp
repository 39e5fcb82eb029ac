#include "platform/db/sqlitefile.h"

#include <QCoreApplication>
#include <QFile>

#include <sqlite3.h>

#include "platform/db/connection.h"

void SqliteFile::open(const QString& path)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail();
    sqlite3_busy_timeout(db_, 0);
}

void SqliteFile::exec(const char* sql)
{
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

QString SqliteFile::text(const char* sql)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) != SQLITE_OK)
        fail();
    QString result;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    const int rc = sqlite3_finalize(stmt);
    if (rc != SQLITE_OK)
        fail();
    return result;
}

void SqliteFile::vacuumInto(const QString& target)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, "VACUUM INTO ?", -1, &stmt, nullptr) != SQLITE_OK)
        fail();
    const QByteArray name = QFile::encodeName(target);
    sqlite3_bind_text(stmt, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    sqlite3_step(stmt);
    if (sqlite3_finalize(stmt) != SQLITE_OK)
        fail();
}

void SqliteFile::close()
{
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

void SqliteFile::fail()
{
    // Without a handle SQLite could not even allocate one.
    const QString message = db_ ? SqliteErrorText(db_)
                                : QCoreApplication::translate("SqliteFile", "Nicht genug Speicher");
    throw EDatabaseError(message);
}
