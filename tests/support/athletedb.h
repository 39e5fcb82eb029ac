#pragma once
// An athlete database for a test: a copy of the German (or another) template database in a
// temporary folder, and plain SQLite access to prepare faults and to read what landed in the
// file, past the data module. Only for test programs that get ORV_TEMPLATE_DIR.
#include <QFile>
#include <QString>
#include <QVariant>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "tests/support/testenv.h"

class AthleteDatabase {
public:
    explicit AthleteDatabase(const QString& fileName = QStringLiteral("athlet.orv"),
                             const QString& templateName = QStringLiteral("leer.orv.system"))
        : path_(folder_.file(fileName))
    {
        const QString source = QStringLiteral(ORV_TEMPLATE_DIR "/") + templateName;
        if (!QFile::copy(source, path_))
            ADD_FAILURE() << "template missing: " << source.toStdString();
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
    }

    const QString& path() const { return path_; }
    const TempFolder& folder() const { return folder_; }

    // Runs statements on the file (plain SQLite, no translation).
    void exec(const QString& sql) const
    {
        Handle h(path_);
        char* error = nullptr;
        if (sqlite3_exec(h.db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            ADD_FAILURE() << sql.toStdString() << ": " << (error ? error : "");
            sqlite3_free(error);
        }
    }

    // The first column of the first row (invalid when there is none).
    QVariant value(const QString& sql) const
    {
        Handle h(path_);
        sqlite3_stmt* stmt = nullptr;
        QVariant result;
        if (sqlite3_prepare_v2(h.db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(h.db);
            return result;
        }
        if (sqlite3_step(stmt) == SQLITE_ROW) {
            switch (sqlite3_column_type(stmt, 0)) {
            case SQLITE_INTEGER: result = qint64(sqlite3_column_int64(stmt, 0)); break;
            case SQLITE_FLOAT: result = sqlite3_column_double(stmt, 0); break;
            case SQLITE_NULL: result = QVariant(); break;
            default:
                result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            }
        }
        sqlite3_finalize(stmt);
        return result;
    }

    QByteArray bytes() const
    {
        QFile f(path_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    struct Handle {
        explicit Handle(const QString& path)
        {
            sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        }
        ~Handle() { sqlite3_close_v2(db); }
        sqlite3* db = nullptr;
    };

    TempFolder folder_;
    QString path_;
};

// Holds a lock on a database file from another connection, as another program would.
class ForeignLock {
public:
    // "BEGIN EXCLUSIVE" keeps everyone else out; "BEGIN" plus a read keeps writers out.
    ForeignLock(const QString& path, bool exclusive)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        if (exclusive) {
            sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        } else {
            sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
            sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        }
    }
    ~ForeignLock()
    {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db_);
    }
    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;

private:
    sqlite3* db_ = nullptr;
};
