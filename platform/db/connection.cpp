#include "platform/db/connection.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>

#include "platform/db/dataset.h"

namespace {

std::vector<SqlFunctionRegistration>& registrations()
{
    static std::vector<SqlFunctionRegistration> list;
    return list;
}

std::vector<TConnection*>& openConnections()
{
    static std::vector<TConnection*> list;
    return list;
}

// Texts whose characters all lie below the combining marks are already in NFC; only the others
// need the (allocating) normalisation.
bool needsNormalisation(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() >= 0x0300)
            return true;
    return false;
}

int noCaseCollationUtf8(void*, int len1, const void* p1, int len2, const void* p2)
{
    const auto* a = static_cast<const unsigned char*>(p1);
    const auto* b = static_cast<const unsigned char*>(p2);
    // ASCII texts compare byte by byte; anything else goes through QString.
    const int n = std::min(len1, len2);
    int i = 0;
    for (; i < n; ++i) {
        unsigned char x = a[i], y = b[i];
        if ((x | y) & 0x80)
            break;
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + 32);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i == n) {
        bool rest = false;
        for (int k = i; k < len1; ++k)
            rest |= (a[k] & 0x80) != 0;
        for (int k = i; k < len2; ++k)
            rest |= (b[k] & 0x80) != 0;
        if (!rest)
            return len1 == len2 ? 0 : (len1 < len2 ? -1 : 1);
    }
    return CompareTextNoCase(QString::fromUtf8(reinterpret_cast<const char*>(a), len1),
                             QString::fromUtf8(reinterpret_cast<const char*>(b), len2));
}

int noCaseCollation(void*, int len1, const void* p1, int len2, const void* p2)
{
    QString a = QString::fromRawData(static_cast<const QChar*>(p1), len1 / 2);
    QString b = QString::fromRawData(static_cast<const QChar*>(p2), len2 / 2);
    return CompareTextNoCase(a, b);
}

QString tr(const char* text)
{
    return QCoreApplication::translate("Connection", text);
}

}  // namespace

QString SqliteErrorText(sqlite3* db)
{
    if (!db)
        return tr("Nicht genug Speicher");
    const QString raw = QString::fromUtf8(sqlite3_errmsg(db));
    const char* file = sqlite3_db_filename(db, "main");
    const QString name = file && *file ? QStringLiteral(" \"%1\"").arg(QString::fromUtf8(file)) : QString();
    switch (sqlite3_extended_errcode(db) & 0xff) {
    case SQLITE_NOTADB:
        return tr("Die Datei%1 ist keine Datenbank.").arg(name);
    case SQLITE_CORRUPT:
        return tr("Die Datenbank%1 ist beschädigt.").arg(name);
    case SQLITE_READONLY:
        return tr("Die Datenbank%1 ist schreibgeschützt; Änderungen können nicht gespeichert werden.").arg(name);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return tr("Die Datenbank%1 wird gerade von einem anderen Programm verwendet.").arg(name);
    case SQLITE_FULL:
        return tr("Der Datenträger der Datenbank%1 ist voll.").arg(name);
    case SQLITE_IOERR:
        return tr("Beim Lesen oder Schreiben der Datenbank%1 ist ein Fehler aufgetreten.").arg(name);
    case SQLITE_CANTOPEN:
        return tr("Die Datenbank%1 kann nicht geöffnet werden.").arg(name);
    default:
        break;
    }
    static const QLatin1String noTable("no such table: ");
    static const QLatin1String noColumn("no such column: ");
    if (raw.startsWith(noTable))
        return tr("Die Tabelle \"%1\" fehlt in der Datenbank%2.").arg(raw.mid(noTable.size()), name);
    if (raw.startsWith(noColumn))
        return tr("Das Feld \"%1\" ist unbekannt.").arg(raw.mid(noColumn.size()));
    return raw;
}

SqliteError SqliteError::of(sqlite3* db)
{
    SqliteError e;
    e.text = SqliteErrorText(db);
    switch (db ? sqlite3_extended_errcode(db) & 0xff : SQLITE_NOMEM) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_READONLY:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_NOMEM:
        e.fileError = true;
        break;
    default:
        break;
    }
    return e;
}

void SqliteError::raise(const QString& prefix) const
{
    if (fileError)
        throw EDatabaseFileError(prefix + text);
    throw EDatabaseError(prefix + text);
}

int CompareTextNoCase(const QString& a, const QString& b)
{
    int r;
    if (needsNormalisation(a) || needsNormalisation(b))
        r = QString::compare(a.normalized(QString::NormalizationForm_C),
                             b.normalized(QString::NormalizationForm_C), Qt::CaseInsensitive);
    else
        r = QString::compare(a, b, Qt::CaseInsensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

SqlTranslator::~SqlTranslator() = default;

QString SqlTranslator::translate(const QString& jetSql)
{
    return jetSql;
}

QString SqlTranslator::translateReadOnly(const QString& jetSql)
{
    return translate(jetSql);
}

void RegisterSqlFunctions(SqlFunctionRegistration registration)
{
    registrations().push_back(registration);
    for (TConnection* c : openConnections())
        if (c->Handle())
            registration(c->Handle());
}

void BindVariant(sqlite3_stmt* stmt, int index, const QVariant& v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int(stmt, index, v.toBool() ? 1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(stmt, index, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt, index, v.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QString s = v.toString();
        sqlite3_bind_text16(stmt, index, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT);
        break;
    }
    }
}

QVariant ColumnVariant(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT: {
        const void* p = sqlite3_column_text16(stmt, column);
        const int n = sqlite3_column_bytes16(stmt, column) / 2;
        return QVariant(QString(static_cast<const QChar*>(p), n));
    }
    case SQLITE_BLOB: {
        const void* p = sqlite3_column_blob(stmt, column);
        const int n = sqlite3_column_bytes(stmt, column);
        return QVariant(QByteArray(static_cast<const char*>(p), n));
    }
    default:
        return QVariant();
    }
}

TConnection::TConnection() : translator_(std::make_shared<SqlTranslator>()) {}

TConnection::~TConnection()
{
    try {
        Close();
    } catch (...) {
        // closing never fails in a way the caller could act on at destruction
    }
    for (TDataSet* ds : std::vector<TDataSet*>(dataSets_))
        ds->connection_ = nullptr;
}

void TConnection::SetConnected(bool v)
{
    if (v)
        Open(fileName_);
    else
        Close();
}

void TConnection::Open(const QString& fileName)
{
    if (db_)
        Close();
    fileName_ = fileName;
    if (BeforeConnect)
        BeforeConnect(this);
    const QFileInfo fi(fileName);
    if (fileName.isEmpty() || !fi.exists() || !fi.isFile())
        throw EDatabaseError(
            QCoreApplication::translate("Connection", "Die Datei \"%1\" wurde nicht gefunden.").arg(fileName));
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(fileName.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString err = db ? SqliteErrorText(db) : QString();
        sqlite3_close_v2(db);
        throw EDatabaseError(
            QCoreApplication::translate("Connection", "Die Datei \"%1\" kann nicht geöffnet werden: %2")
                .arg(fileName, err));
    }
    sqlite3_busy_timeout(db, busyTimeout_);
    // A file that is not a database fails on its first read.
    char* msg = nullptr;
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &msg) != SQLITE_OK) {
        sqlite3_free(msg);
        // A file held by another program is a database all the same.
        const QString err = (sqlite3_extended_errcode(db) & 0xff) == SQLITE_NOTADB
                                ? QCoreApplication::translate("Connection", "Die Datei \"%1\" ist keine gültige Datenbank.").arg(fileName)
                                : SqliteErrorText(db);
        sqlite3_close_v2(db);
        throw EDatabaseError(err);
    }
    // One file per database and no posted row lost in a crash.
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    // Pages are read into SQLite's own cache, not through a memory map: a map makes every page
    // a query touches (and its neighbours) part of the program's memory, so that one pass over
    // a long history's split index made the program as large as the file. The cache keeps the
    // pages read most recently (8 MB).
    sqlite3_exec(db, "PRAGMA cache_size=-8192", nullptr, nullptr, nullptr);
    setUp(db);
}

void TConnection::OpenInMemory()
{
    if (db_)
        Close();
    fileName_.clear();
    if (BeforeConnect)
        BeforeConnect(this);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        throw EDatabaseError(
            QCoreApplication::translate("Connection", "Die Datenbank im Speicher kann nicht angelegt werden."));
    }
    setUp(db);
}

void TConnection::setUp(sqlite3* db)
{
    // SQLite picks the collation registered for the database's own text encoding.
    sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, noCaseCollationUtf8, nullptr);
    sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF16_ALIGNED, nullptr, noCaseCollation,
                                nullptr);
    for (const auto& r : registrations())
        r(db);
    db_ = db;
    transLevel_ = 0;
    openConnections().push_back(this);
    if (AfterConnect)
        AfterConnect(this);
}

void TConnection::Close()
{
    if (!db_)
        return;
    if (BeforeDisconnect)
        BeforeDisconnect(this);
    for (TDataSet* ds : std::vector<TDataSet*>(dataSets_))
        ds->Close();
    if (transLevel_ > 0)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    transLevel_ = 0;
    sqlite3_close_v2(db_);
    db_ = nullptr;
    auto& open = openConnections();
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
    if (AfterDisconnect)
        AfterDisconnect(this);
}

void TConnection::SetBusyTimeout(int ms)
{
    busyTimeout_ = ms;
    if (db_)
        sqlite3_busy_timeout(db_, ms);
}

void TConnection::SetTranslator(std::shared_ptr<SqlTranslator> translator)
{
    translator_ = translator ? std::move(translator) : std::make_shared<SqlTranslator>();
}

QString TConnection::Translate(const QString& sql) const
{
    return translator_->translate(sql);
}

QString TConnection::TranslateReadOnly(const QString& sql) const
{
    return translator_->translateReadOnly(sql);
}

void TConnection::RaiseError(const QString& context) const
{
    if (!db_)
        throw EDatabaseError(context);
    SqliteError::of(db_).raise(context.isEmpty() ? QString() : context + QStringLiteral(": "));
}

void TConnection::CheckWritable()
{
    if (!db_ || fileName_.isEmpty())
        return;  // nothing open, or a database in memory
    const QFileInfo file(fileName_);
    QString reason;
    // The permission bits count even where the user could override them: a file or folder
    // marked write-protected is treated as such.
    if (sqlite3_db_readonly(db_, "main") == 1 || !(file.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
        reason = tr("Die Datei ist schreibgeschützt.");
    else if (!(QFileInfo(file.absolutePath()).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
        reason = tr("In den Ordner \"%1\" darf nicht geschrieben werden.").arg(file.absolutePath());
    else if (transLevel_ == 0) {
        // A change that is taken back at once: it fails where SQLite cannot write the file or
        // its journal.
        const bool began = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
        const int rc = began ? sqlite3_exec(db_, "CREATE TABLE main.__orv_write_probe(x)", nullptr, nullptr, nullptr) : SQLITE_OK;
        const QString error = began && rc != SQLITE_OK ? SqliteErrorText(db_) : QString();
        const int code = sqlite3_extended_errcode(db_) & 0xff;
        if (began)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        else
            RaiseError(QString());  // locked by another program, or worse
        if (rc != SQLITE_OK) {
            if (code != SQLITE_READONLY && code != SQLITE_CANTOPEN)
                throw EDatabaseError(error);  // damaged, full...: not a question of rights
            reason = sqlite3_db_readonly(db_, "main") == 1
                         ? tr("Die Datei ist schreibgeschützt.")
                         : tr("In den Ordner \"%1\" darf nicht geschrieben werden.").arg(file.absolutePath());
        }
    }
    if (!reason.isEmpty())
        throw EDatabaseError(tr("Die Datenbank \"%1\" kann nur gelesen werden: %2").arg(fileName_, reason));
}

static void requireOpen(const TConnection& c)
{
    if (!c.Connected())
        throw EDatabaseError(QCoreApplication::translate("Connection", "Die Datenbankverbindung ist nicht geöffnet."));
}

int TConnection::BeginTrans()
{
    requireOpen(*this);
    const QByteArray sql = transLevel_ == 0 ? QByteArray("BEGIN")
                                            : "SAVEPOINT orv_level" + QByteArray::number(transLevel_ + 1);
    if (sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        RaiseError(QCoreApplication::translate("Connection", "Transaktion kann nicht begonnen werden"));
    return ++transLevel_;
}

void TConnection::CommitTrans()
{
    requireOpen(*this);
    if (transLevel_ == 0)
        throw EDatabaseError(QCoreApplication::translate("Connection", "Es ist keine Transaktion aktiv."));
    const QByteArray sql = transLevel_ == 1 ? QByteArray("COMMIT")
                                            : "RELEASE orv_level" + QByteArray::number(transLevel_);
    if (sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        RaiseError(QCoreApplication::translate("Connection", "Transaktion kann nicht abgeschlossen werden"));
    --transLevel_;
}

void TConnection::RollbackTrans()
{
    requireOpen(*this);
    if (transLevel_ == 0)
        throw EDatabaseError(QCoreApplication::translate("Connection", "Es ist keine Transaktion aktiv."));
    QByteArray sql;
    if (transLevel_ == 1)
        sql = "ROLLBACK";
    else
        sql = "ROLLBACK TO orv_level" + QByteArray::number(transLevel_) + "; RELEASE orv_level" +
              QByteArray::number(transLevel_);
    const int rc = sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr);
    --transLevel_;
    if (rc != SQLITE_OK && sqlite3_get_autocommit(db_) == 0)
        RaiseError(QCoreApplication::translate("Connection", "Transaktion kann nicht zurückgenommen werden"));
}

int TConnection::Execute(const QString& sql, const QVariantList& params)
{
    requireOpen(*this);
    const QString translated = Translate(sql);
    const ushort* p = translated.utf16();
    const ushort* end = p + translated.size();
    int param = 0;
    int changes = 0;
    while (p < end) {
        sqlite3_stmt* stmt = nullptr;
        const void* tail = nullptr;
        if (sqlite3_prepare16_v2(db_, p, int((end - p) * 2), &stmt, &tail) != SQLITE_OK)
            RaiseError(QString());
        p = static_cast<const ushort*>(tail);
        if (!stmt)
            continue;  // blanks or a comment
        const int n = sqlite3_bind_parameter_count(stmt);
        for (int i = 1; i <= n; ++i, ++param)
            BindVariant(stmt, i, param < params.size() ? params[param] : QVariant());
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            const SqliteError err = SqliteError::of(db_);
            sqlite3_finalize(stmt);
            err.raise();
        }
        changes = sqlite3_changes(db_);
        sqlite3_finalize(stmt);
    }
    return changes;
}

QVariant TConnection::ExecuteScalar(const QString& sql, const QVariantList& params)
{
    requireOpen(*this);
    return ExecuteNativeScalar(Translate(sql), params);
}

QVariant TConnection::ExecuteNativeScalar(const QString& translated, const QVariantList& params)
{
    requireOpen(*this);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare16_v2(db_, translated.utf16(), int(translated.size() * 2), &stmt, nullptr) !=
        SQLITE_OK)
        RaiseError(QString());
    const int n = sqlite3_bind_parameter_count(stmt);
    for (int i = 1; i <= n; ++i)
        BindVariant(stmt, i, i - 1 < params.size() ? params[i - 1] : QVariant());
    QVariant result;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        result = ColumnVariant(stmt, 0);
    else if (rc != SQLITE_DONE) {
        const SqliteError err = SqliteError::of(db_);
        sqlite3_finalize(stmt);
        err.raise();
    }
    sqlite3_finalize(stmt);
    return result;
}

qint64 TConnection::LastInsertRowId() const
{
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

QStringList TConnection::TableNames() const
{
    QStringList names;
    if (!db_)
        return names;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_,
                           "SELECT name FROM sqlite_master WHERE type IN ('table','view') AND name "
                           "NOT LIKE 'sqlite_%' ORDER BY name",
                           -1, &stmt, nullptr) != SQLITE_OK)
        return names;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        names << ColumnVariant(stmt, 0).toString();
    sqlite3_finalize(stmt);
    return names;
}

void TConnection::attach(TDataSet* ds)
{
    if (std::find(dataSets_.begin(), dataSets_.end(), ds) == dataSets_.end())
        dataSets_.push_back(ds);
}

void TConnection::detach(TDataSet* ds)
{
    dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), ds), dataSets_.end());
}

TPreparedStatement::TPreparedStatement(TConnection& connection, const QString& sql) : connection_(connection)
{
    requireOpen(connection);
    const QString translated = connection.Translate(sql);
    if (sqlite3_prepare16_v2(connection.Handle(), translated.utf16(), int(translated.size() * 2), &stmt_, nullptr) !=
            SQLITE_OK ||
        !stmt_)
        connection.RaiseError(QString());
}

TPreparedStatement::~TPreparedStatement()
{
    sqlite3_finalize(stmt_);
}

int TPreparedStatement::ParameterCount() const
{
    return sqlite3_bind_parameter_count(stmt_);
}

void TPreparedStatement::Execute(const QVariantList& values)
{
    const int n = sqlite3_bind_parameter_count(stmt_);
    for (int i = 1; i <= n; ++i)
        BindVariant(stmt_, i, i - 1 < values.size() ? values[i - 1] : QVariant());
    int rc;
    while ((rc = sqlite3_step(stmt_)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
        const QString err = QString::fromUtf8(sqlite3_errmsg(connection_.Handle()));
        sqlite3_reset(stmt_);
        throw EDatabaseError(err);
    }
    sqlite3_reset(stmt_);
}
