#include "core/orvdatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/language.h"
#include "core/orvdbserver.h"
#include "platform/db/connection.h"
#include "platform/db/query.h"
#include "platform/db/sqlreader.h"
#include "platform/db/sqlitefile.h"
#include "platform/vcl/dialogs.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("orvdatabase", text);
}

// The runtime's error for a missing lookup result converted to a number or a text.
[[noreturn]] void raiseNullConversion(const char* type)
{
    throw EConvertError(tr("Variante des Typs (Null) konnte nicht in Typ (%1) konvertiert werden")
                            .arg(QString::fromLatin1(type)));
}

TorvServer& server()
{
    if (!orvServer)
        throw EDatabaseError(tr("Es ist keine Datenbank geöffnet."));
    return *orvServer;
}

// The sport's distance unit's column.
QVariant distanceUnitValue(int sportId, const char* column)
{
    TorvServer& s = server();
    const QVariant unit = s.sportart.Lookup(QStringLiteral("spo_id"), sportId, QStringLiteral("spo_distance"));
    if (unit.isNull())
        raiseNullConversion("Integer");
    return s.distancespeed.Lookup(QStringLiteral("unt_id"), unit, QString::fromLatin1(column));
}

QString distanceUnitText(int sportId, const char* column)
{
    const QVariant v = distanceUnitValue(sportId, column);
    if (v.isNull())
        raiseNullConversion("String");
    return v.toString();
}

}  // namespace

double GetUnitDistance(int sportId, int value)
{
    const QVariant factor = distanceUnitValue(sportId, "unt_calc");
    if (factor.isNull())
        raiseNullConversion("Double");
    return value * factor.toDouble();
}

QString GetUnitName(int sportId)
{
    return distanceUnitText(sportId, "unt_name");
}

QString GetUnitShortName(int sportId)
{
    return distanceUnitText(sportId, "unt_shortname");
}

bool CheckBlockDate(int blockId)
{
    TQuery q;
    q.SetConnection(&server().orvDB);
    q.SetSQLText(QStringLiteral("Select daten.datum,trainingsblock.trb_created from trainingsblock inner join "
                                "daten on (trainingsblock.trb_id = daten.trainingsblock) where trb_id = ") +
                 QString::number(blockId));
    q.Open();
    bool ok = true;
    for (; !q.Eof(); q.Next())
        if (q.Field(0)->AsFloat() > q.Field(1)->AsFloat())
            ok = false;
    return ok;
}

bool IsBlockEmpty(int blockId)
{
    TQuery q;
    q.SetConnection(&server().orvDB);
    q.SetSQLText(QStringLiteral("Select * from daten where trainingsblock = ") + QString::number(blockId));
    q.Open();
    return q.IsEmpty();
}

int GetMaxFieldValue(TDataSet& dataSet, const QString& fieldName)
{
    TDataSet clone;
    clone.Clone(dataSet);
    TField* f = clone.FieldByName(fieldName);
    int result = 0;
    for (clone.First(); !clone.Eof(); clone.Next())
        if (!f->IsNull() && f->AsInteger() > result)
            result = f->AsInteger();
    return result;
}

// ---------------------------------------------------------------------------------------------
// Checks at open.

namespace {

struct DatabaseCheck {
    const char* test;
    int message;
    std::initializer_list<const char*> repairs;
    bool onUnits = false;  // a check of the units, which the probe below answers together
};

const DatabaseCheck kChecks[] = {
    {"Select * from sportart where (not spo_distance in (Select unt_id from unit)) or "
     "(not spo_speed in (Select unt_id from unit))",
     msg::RepairSports,
     {"UPDATE sportart SET spo_speed = 1 WHERE spo_speed not in (Select unt_id from unit)",
      "UPDATE sportart SET spo_distance = 5 WHERE spo_distance not in (Select unt_id from unit)"}},
    {"Select * from daten where isnull(hoehendifferenz)",
     msg::RepairHeightDifferences,
     {"UPDATE daten SET hoehendifferenz = 0 WHERE isnull(hoehendifferenz)"},
     true},
    {"Select * from daten where isnull(meter)", msg::RepairDistances, {"UPDATE daten SET meter = 0 WHERE isnull(meter)"}, true},
    // Durations of a day or more lose their whole days.
    {"Select * from daten where CDbl(zeit) >= 1",
     msg::RepairDurations,
     {"UPDATE daten SET zeit = CDate(CDbl(zeit) - Int(zeit))"},
     true},
};

// The checks of the units in one pass: a long history is read once at open, and only when a
// unit needs a repair are the single checks run.
const char* const kUnitsProbe =
    "Select dat_Id from daten where isnull(hoehendifferenz) or isnull(meter) or CDbl(zeit) >= 1";

// The tables every athlete database has; a file without them is some other database.
const char* const kAthleteTables[] = {"daten", "zeit", "sportart", "form", "belstufe", "belart", "unit",
                                      "trainingsblock", "config"};

// Whether the check finds a row: its first row is enough, the rest are not read.
bool findsRows(TConnection& connection, const char* sql)
{
    TSqlReader q(connection, QString::fromLatin1(sql));
    return q.Next();
}

bool backedUp(const std::function<bool()>& backup)
{
    if (!backup)
        return false;
    bool done = false;
    return TryShowingError([&] { done = backup(); }) && done;
}

}  // namespace

void CheckDatabaseFile(TConnection& connection)
{
    QStringList tables = connection.TableNames();
    for (QString& t : tables)
        t = t.toLower();
    for (const char* table : kAthleteTables)
        if (!tables.contains(QLatin1String(table)))
            throw EDatabaseError(tr("Die Datei \"%1\" ist keine Athleten-Datenbank.").arg(connection.FileName()));
    connection.CheckWritable();
}

void CheckDatabase(TConnection& connection, const std::function<bool()>& backup)
{
    bool unitsSound = false;
    try {
        unitsSound = !findsRows(connection, kUnitsProbe);
    } catch (const EDatabaseFileError&) {
        throw;  // a damaged or unreadable file does not open
    } catch (const Exception&) {
        // A value the probe cannot read: the single checks say which.
    }
    for (const DatabaseCheck& check : kChecks) {
        if (check.onUnits && unitsSound)
            continue;
        bool found = false;
        try {
            found = findsRows(connection, check.test);
        } catch (const EDatabaseFileError&) {
            throw;  // a damaged or unreadable file does not open
        } catch (const Exception& e) {
            // Values the check cannot even read (a text in a time field) do not keep the
            // database closed: the user learns which check could not run, and the database
            // opens without it.
            MessageDlg(tr("Die Prüfung der Datenbank konnte nicht ausgeführt werden:\n%1\n%2\n"
                          "Die Datenbank wird ohne diese Prüfung geöffnet.")
                           .arg(LoadStr(check.message), e.Message()),
                       mtWarning, TMsgDlgButtons{mbOK});
            continue;
        }
        if (!found)
            continue;
        const TModalResult answer = MessageDlg(LoadStr(check.message) + QStringLiteral("\n\r") + LoadStr(msg::AskBackupFirst),
                                               mtInformation, mbYesNoCancel);
        if (answer != mrYes && answer != mrNo)
            continue;
        // The user wanted a backup before the repair: without one the rows stay as they are.
        if (answer == mrYes && !backedUp(backup))
            continue;
        connection.BeginTrans();
        try {
            for (const char* repair : check.repairs)
                connection.Execute(QString::fromLatin1(repair));
            connection.CommitTrans();
        } catch (const Exception& e) {
            connection.RollbackTrans();
            MessageDlg(LoadStr(msg::DatabaseUpdateError) + e.Message(), mtError, TMsgDlgButtons{mbOK});
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Compaction.

namespace {

// Writes a file's data (or a folder's entries) to the disk.
void syncPath(const QString& path, bool directory)
{
    const int fd = ::open(QFile::encodeName(path).constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDWR);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

QString CompactFileName(const QString& path)
{
    const QFileInfo fi(path);
    const QString suffix = fi.suffix();
    if (suffix.isEmpty() || fi.fileName() == QLatin1Char('.') + suffix)
        return path + QStringLiteral(".pck");
    return path.left(path.size() - suffix.size()) + QStringLiteral("pck");
}

namespace {

// True when two names lead to the same file (the same name, a symbolic or a hard link).
bool sameFile(const QString& a, const QString& b)
{
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// The start of the names of the compacted copies of a database file: "anna.orv.~pck".
QString copyPrefix(const QFileInfo& database)
{
    return database.fileName() + QStringLiteral(".~pck");
}

// Removes what an earlier compaction of this database left behind: its ".pck" file and copies
// of a run that was killed. A name that leads to the database itself is kept.
void removeStaleCopies(const QFileInfo& database, const QString& pck)
{
    QStringList stale;
    if (QFileInfo(pck).exists() || QFileInfo(pck).isSymLink())
        stale << pck;
    const QDir folder = database.absoluteDir();
    for (const QString& name :
         folder.entryList({copyPrefix(database) + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System))
        stale << folder.filePath(name);
    for (const QString& file : stale)
        if (!sameFile(file, database.absoluteFilePath()) && QFileInfo(file).absoluteFilePath() != database.absoluteFilePath())
            QFile::remove(file);
}

}  // namespace

void CompactDatabase(const QString& path)
{
    QString copy;
    try {
        if (!QFileInfo(path).isFile())
            throw EDatabaseError(tr("Die Datei wurde nicht gefunden."));
        // A database reached through a link is compacted where it lies; the link stays.
        const QFileInfo database(QFileInfo(path).canonicalFilePath());
        const QString real = database.absoluteFilePath();
        const QString pck = CompactFileName(real);
        SqliteFile source;
        source.open(real);
        // Holding the file exclusively until it is replaced: a database that another program
        // still uses is not compacted, and nothing can write to it in between.
        source.exec("PRAGMA locking_mode=EXCLUSIVE");
        source.exec("BEGIN EXCLUSIVE");
        source.exec("COMMIT");
        removeStaleCopies(database, pck);
        // A new, empty file of a name no other file has: the compacted copy goes there, so no
        // file of the user's (the database among them) is ever overwritten.
        {
            QTemporaryFile target(database.absoluteDir().filePath(copyPrefix(database) + QStringLiteral("XXXXXX")));
            target.setAutoRemove(false);
            if (!target.open())
                throw EDatabaseError(target.errorString());
            copy = target.fileName();
        }
        source.vacuumInto(copy);
        {
            SqliteFile compacted;
            compacted.open(copy);
            if (compacted.text("PRAGMA integrity_check") != QLatin1String("ok"))
                throw EDatabaseError(tr("Die komprimierte Kopie ist fehlerhaft."));
        }
        syncPath(copy, false);
        // The compacted copy takes the database's place in one step: the database is either
        // the old file or the complete new one.
        if (::rename(QFile::encodeName(copy).constData(), QFile::encodeName(real).constData()) != 0)
            throw EDatabaseError(QString::fromLocal8Bit(strerror(errno)));
        copy.clear();
        syncPath(database.absolutePath(), true);
        source.close();
    } catch (const Exception& e) {
        // The copy is a file of our own until it has taken the database's place.
        if (!copy.isEmpty())
            QFile::remove(copy);
        throw EDatabaseError(tr("Die Datenbank \"%1\" konnte nicht komprimiert werden: %2").arg(path, e.Message()));
    }
}
