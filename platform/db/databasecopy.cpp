#include "platform/db/databasecopy.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/db/connection.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("DatabaseCopy", text);
}

// The destination connection of one copy: closed, and its file removed unless it was kept.
struct Destination {
    sqlite3* db = nullptr;
    QString file;
    bool keep = false;
    ~Destination()
    {
        if (db)
            sqlite3_close_v2(db);
        if (!keep && !file.isEmpty())
            QFile::remove(file);
    }
};

}  // namespace

void CopyOpenDatabase(TConnection& connection, const QString& target, bool scratch)
{
    sqlite3* source = connection.Handle();
    if (!source)
        throw EDatabaseError(tr("Die Datenbankverbindung ist nicht geöffnet."));

    const QFileInfo info(target);
    Destination dest;
    dest.file = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".part");
    QFile::remove(dest.file);
    // A copy of the athlete's data is for the owner's eyes only, even while it is written: the
    // file is made here for the owner, and SQLite opens it as an empty database.
    const int fd = ::open(QFile::encodeName(dest.file).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
    if (sqlite3_open_v2(QFile::encodeName(dest.file).constData(), &dest.db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const QString why = dest.db ? QString::fromUtf8(sqlite3_errmsg(dest.db)) : QString();
        throw EDatabaseError(tr("Die Kopie der Datenbank \"%1\" kann nicht angelegt werden: %2").arg(target, why));
    }

    if (scratch)
        sqlite3_exec(dest.db, "PRAGMA synchronous=OFF; PRAGMA journal_mode=OFF", nullptr, nullptr, nullptr);
    sqlite3_backup* backup = sqlite3_backup_init(dest.db, "main", source, "main");
    if (!backup)
        throw EDatabaseError(tr("Die Datenbank kann nicht kopiert werden: %1").arg(QString::fromUtf8(sqlite3_errmsg(dest.db))));
    // Every page in one step: the source stays readable for others, and another process that
    // holds a lock briefly is waited for as the connection's busy timeout allows.
    int rc = SQLITE_OK;
    int waited = 0;
    do {
        rc = sqlite3_backup_step(backup, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            if (waited >= connection.BusyTimeout())
                break;
            sqlite3_sleep(50);
            waited += 50;
        }
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        throw EDatabaseError(tr("Die Datenbank kann nicht kopiert werden: %1").arg(QString::fromUtf8(sqlite3_errstr(rc))));
    }
    if (sqlite3_close_v2(dest.db) != SQLITE_OK)
        throw EDatabaseError(tr("Die Datenbank kann nicht kopiert werden: %1").arg(target));
    dest.db = nullptr;

    // The complete copy takes the target's place; an earlier file of that name goes only now.
    if (std::rename(QFile::encodeName(dest.file).constData(), QFile::encodeName(target).constData()) != 0)
        throw EDatabaseError(tr("Die Kopie der Datenbank \"%1\" kann nicht angelegt werden: %2")
                                 .arg(target, QString::fromLocal8Bit(std::strerror(errno))));
    dest.keep = true;
}
