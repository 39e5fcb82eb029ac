#include "platform/db/sqlreader.h"

#include <QCoreApplication>

#include <sqlite3.h>

#include "platform/db/connection.h"

TSqlReader::TSqlReader(TConnection& connection, const QString& sql, const QVariantList& params)
    : connection_(connection)
{
    const QString text = connection.Translate(sql);
    sqlite3* db = connection.Handle();
    if (!db || sqlite3_prepare16_v2(db, text.utf16(), int(text.size() * 2), &stmt_, nullptr) != SQLITE_OK || !stmt_) {
        if (stmt_)
            sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        if (!db)
            throw EDatabaseError(QCoreApplication::translate("DataSet", "Die Datenbankverbindung ist nicht geöffnet."));
        connection.RaiseError(QString());
    }
    BindParameters(stmt_, params, {});
    for (int c = 0; c < sqlite3_column_count(stmt_); ++c)
        names_ << QString::fromUtf8(sqlite3_column_name(stmt_, c));
}

TSqlReader::~TSqlReader()
{
    sqlite3_finalize(stmt_);
}

bool TSqlReader::Next()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        SqliteError::of(connection_.Handle()).raise();
    return false;
}

int TSqlReader::Column(const QString& name) const
{
    for (int c = 0; c < names_.size(); ++c)
        if (names_[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    throw EDatabaseError(QCoreApplication::translate("DataSet", "Feld '%1' nicht gefunden").arg(name));
}

bool TSqlReader::IsNull(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

int64_t TSqlReader::AsLargeInt(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

double TSqlReader::AsFloat(int column) const
{
    return sqlite3_column_double(stmt_, column);
}

QString TSqlReader::AsString(int column) const
{
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_NULL:
        return QString();
    case SQLITE_INTEGER:
        return QString::number(sqlite3_column_int64(stmt_, column));
    case SQLITE_FLOAT:
        return ColumnVariant(stmt_, column).toString();
    default: {
        const void* text = sqlite3_column_text16(stmt_, column);
        return QString(reinterpret_cast<const QChar*>(text), sqlite3_column_bytes16(stmt_, column) / 2);
    }
    }
}
