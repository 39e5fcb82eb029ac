#include "exchange/backupcabinet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/language.h"
#include "exchange/cabcomps.h"
#include "exchange/cabstconsts.h"
#include "platform/cabinet/cabformat.h"
#include "platform/cabinet/cabtargetfile.h"
#include "platform/db/clientdataset.h"
#include "platform/db/databasecopy.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BackupCabinet", text);
}

// The backup's working copy of the database: removed when the backup ends, whatever happened;
// locked while it lives, so that the clean-up of another process passes it by.
struct WorkingCopy {
    QString file;
    int fd = -1;
    void Lock()
    {
        fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0)
            ::flock(fd, LOCK_EX | LOCK_NB);
    }
    ~WorkingCopy()
    {
        QFile::remove(file);
        if (fd >= 0)
            ::close(fd);
    }
};

// The widest path the system allows: the list keeps full paths, never cut ones.
constexpr int kPathWidth = 4096;

QString refusedOpenDatabase(const QString& file)
{
    return tr("Die Datei \"%1\" ist die geöffnete Datenbank und kann nicht überschrieben werden. "
              "Schließen Sie die Datenbank oder wählen Sie ein anderes Ziel.")
        .arg(QDir::toNativeSeparators(file));
}

QString nothingRestored()
{
    return tr("Es wurde nichts zurückgesichert; der Zielordner ist unverändert.");
}

}  // namespace

QString BackupFileTypeLabel(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot >= 0 ? name.mid(dot) : QString();
    static const struct {
        const char* ext;
        const char* label;
    } kLabels[] = {
        {".mt5", QT_TRANSLATE_NOOP("BackupCabinet", "Musterdatei")},
        {".chd", QT_TRANSLATE_NOOP("BackupCabinet", "Chartdatei")},
        {".qrp", QT_TRANSLATE_NOOP("BackupCabinet", "Reportdatei")},
        {".sql", QT_TRANSLATE_NOOP("BackupCabinet", "SQL-Abfrage")},
        {".imp", QT_TRANSLATE_NOOP("BackupCabinet", "Importvorlage")},
        {".co5", QT_TRANSLATE_NOOP("BackupCabinet", "Spaltendatei")},
    };
    for (const auto& l : kLabels)
        if (ext == QLatin1String(l.ext))
            return tr(l.label);
    return LoadStr(65458);  // "unbekannt"
}

QString BackupDatabaseCopyName(const QString& databasePath)
{
    return QFileInfo(databasePath).absolutePath() + QStringLiteral("/temp.~orv");
}

void WriteBackupCabinet(TConnection& connection, const QString& databasePath, const QStringList& extraFiles,
                        const QString& cabinetFile)
{
    // The completed cabinet is renamed over its target: never over the database being saved.
    if (IsSameFile(cabinetFile, databasePath))
        throw Exception(refusedOpenDatabase(cabinetFile));
    // Nor over the working copy, which goes again once the cabinet is complete.
    const QString copy = BackupDatabaseCopyName(databasePath);
    if (QFileInfo(cabinetFile).absoluteFilePath() == QFileInfo(copy).absoluteFilePath())
        throw Exception(tr("Die Sicherung kann nicht unter dem Namen der Arbeitskopie \"%1\" gespeichert werden.")
                            .arg(QDir::toNativeSeparators(copy)));

    // What a killed backup left: its working copy beside the database, a cabinet half-written.
    RemoveBackupLeftovers(QFileInfo(databasePath).absolutePath());
    if (QFileInfo(cabinetFile).absolutePath() != QFileInfo(databasePath).absolutePath())
        TCabTargetFile::RemoveLeftovers(QFileInfo(cabinetFile).absolutePath());

    TCabWriter writer;
    writer.SetCompressionType(cctMsZip);
    writer.Open(cabinetFile);

    // The open file's pages may be half-way through a write: the cabinet gets a copy that SQLite
    // took as one consistent state.
    WorkingCopy working{copy};
    CopyOpenDatabase(connection, copy, true);
    working.Lock();
    writer.AddFile(copy, QFileInfo(databasePath).fileName(), false);

    for (const QString& file : extraFiles)
        writer.AddFile(file, QFileInfo(file).fileName(), false);
    writer.Close(true);
}

void DeclareFileListFields(TClientDataSet& cds)
{
    if (cds.FieldCount() > 0)
        return;
    cds.AddField(QStringLiteral("vol_id"), ftAutoInc);
    cds.AddField(QStringLiteral("vol_name"), ftString, kPathWidth);
}

void SaveFileList(TClientDataSet& cds, const QStringList& files, const QString& fileName)
{
    DeclareFileListFields(cds);
    if (!cds.Active())
        cds.CreateDataSet();
    cds.EmptyDataSet();
    int id = 0;
    for (const QString& file : files) {
        cds.Append();
        cds.FieldByName(QStringLiteral("vol_id"))->SetAsInteger(++id);
        cds.FieldByName(QStringLiteral("vol_name"))->SetAsString(file);
        cds.Post();
    }
    cds.SaveToFile(fileName);
}

QStringList LoadFileList(TClientDataSet& cds, const QString& fileName)
{
    DeclareFileListFields(cds);
    cds.Close();
    cds.LoadFromFile(fileName);
    QStringList files;
    for (cds.First(); !cds.Eof(); cds.Next())
        files << cds.FieldByName(QStringLiteral("vol_name"))->AsString();
    return files;
}

namespace {

// The cabinets of a set from a first one on, as the restore follows them: each next cabinet is
// looked for beside the one that names it, without regard to letter case.
struct CabinetSet {
    QStringList names;  // archive names of every file, a file spanning two cabinets once
    QString missing;    // the full name of a next cabinet that is not there
};

CabinetSet ReadCabinetSet(const QString& cabinetFile)
{
    CabinetSet set;
    QSet<QString> seen;
    QString current = QFileInfo(cabinetFile).absoluteFilePath();
    while (!current.isEmpty() && !seen.contains(current)) {
        seen.insert(current);
        const cabformat::DirectoryResult r = cabformat::ReadDirectory(current);
        if (!r.Ok())
            break;
        for (const cabformat::FileEntry& f : r.Dir.Files)
            if (f.FolderIndex != cabformat::kContinuedFromPrev && f.FolderIndex != cabformat::kContinuedPrevAndNext)
                set.names << f.Name;
        const QString folder = QFileInfo(current).absolutePath();
        current.clear();
        if (!r.Dir.NextCabinet.isEmpty()) {
            current = cabformat::FindCabinetFile(folder, r.Dir.NextCabinet);
            if (current.isEmpty())
                set.missing = folder + QLatin1Char('/') + cabformat::LocalArchivePath(r.Dir.NextCabinet);
        }
    }
    return set;
}

// The first cabinet of the set that `dir` (of the file `cabinetFile`) continues: followed back
// through the cabinets beside it as far as they are there, else the one its header names.
QString FirstCabinetOfSet(const QString& cabinetFile, const cabformat::Directory& dir)
{
    QString first;
    QString prevName = dir.PrevCabinet;
    QString folder = QFileInfo(cabinetFile).absolutePath();
    QSet<QString> seen;
    for (;;) {
        const QString prev = cabformat::FindCabinetFile(folder, prevName);
        if (prev.isEmpty())
            return folder + QLatin1Char('/') + cabformat::LocalArchivePath(prevName);
        first = prev;
        if (seen.contains(prev))
            return first;
        seen.insert(prev);
        const cabformat::DirectoryResult r = cabformat::ReadDirectory(prev);
        if (!r.Ok() || !(r.Dir.Flags & cabformat::kFlagPrevCabinet) || r.Dir.PrevCabinet.isEmpty())
            return first;
        prevName = r.Dir.PrevCabinet;
        folder = QFileInfo(prev).absolutePath();
    }
}

}  // namespace

QStringList CabinetEntryNames(const QString& cabinetFile)
{
    return ReadCabinetSet(cabinetFile).names;
}

void RemoveBackupLeftovers(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    TCabTargetFile::RemoveLeftovers(folder);
    // The working copy of any database in the folder, and the part of it that the database copy
    // writes before it takes the copy's name.
    const QString copy = BackupDatabaseCopyName(QDir(folder).filePath(QStringLiteral("athlet.orv")));
    TCabTargetFile::RemoveUnlessLocked(copy);
    TCabTargetFile::RemoveUnlessLocked(
        QDir(folder).filePath(QStringLiteral(".") + QFileInfo(copy).fileName() + QStringLiteral(".part")));
}

void RestoreBackupCabinet(const QString& cabinetFile, const QString& targetFolder, const QString& openDatabase)
{
    try {
        // Checked before anything is written, so that a refused cabinet leaves the folder as it was.
        const cabformat::DirectoryResult head = cabformat::ReadDirectory(cabinetFile);
        if (head.Ok() && (head.Dir.Flags & cabformat::kFlagPrevCabinet))
            throw Exception(tr("Die Datei \"%1\" setzt einen Satz von Sicherungsdateien fort. Beginnen Sie die "
                               "Rücksicherung mit der ersten Datei des Satzes, \"%2\".")
                                .arg(QDir::toNativeSeparators(QFileInfo(cabinetFile).absoluteFilePath()),
                                     QDir::toNativeSeparators(FirstCabinetOfSet(cabinetFile, head.Dir))));
        const CabinetSet set = ReadCabinetSet(cabinetFile);
        if (!set.missing.isEmpty())
            throw ECabinet(TCabErf{FDIERROR_CABINET_NOT_FOUND, ENOENT, true}, false, CabFileText(set.missing));
        if (head.Ok() && set.names.isEmpty())
            throw Exception(tr("Die Sicherungsdatei \"%1\" enthält keine Dateien.")
                                .arg(QDir::toNativeSeparators(QFileInfo(cabinetFile).absoluteFilePath())));
        const QString folder = QDir(targetFolder).absolutePath() + QLatin1Char('/');
        for (const QString& name : set.names) {
            if (!cabformat::IsSafeArchiveName(name))
                throw ECabinet(TCabErf{FDIERROR_CORRUPT_CABINET, 0, true}, false, CabUnsafeNameText(name));
            const QString target = folder + cabformat::LocalArchivePath(name);
            if (IsSameFile(target, openDatabase))
                throw Exception(refusedOpenDatabase(target));
        }
        // What a killed restore into this folder left goes first.
        RemoveBackupLeftovers(folder);
        TCabReader reader;
        // An athlete database is for its owner's eyes only, as a new one is.
        reader.OnFilePermissions = [](TCabReader*, const QString& target, unsigned& mode) {
            if (target.endsWith(QStringLiteral(".orv"), Qt::CaseInsensitive))
                mode &= 0600;
        };
        reader.ExtractAll(cabinetFile, targetFolder, false);
    } catch (ECabinet& e) {
        // A damaged backup names the backup file the user chose, so that the message says which.
        const int code = e.ErrorCode();
        const bool damaged = !e.IsCompressionError() && code != FDIERROR_CABINET_NOT_FOUND &&
                             code != FDIERROR_ALLOC_FAIL && code != FDIERROR_TARGET_FILE && code != FDIERROR_USER_ABORT;
        const QString file = QDir::toNativeSeparators(QFileInfo(cabinetFile).absoluteFilePath());
        QString message = e.Message();
        if (damaged && !message.contains(file))
            message += QLatin1Char('\n') + tr("Sicherungsdatei: \"%1\"").arg(file);
        e.SetMessage(message + QStringLiteral("\n\n") + nothingRestored());
        throw;
    } catch (Exception& e) {
        e.SetMessage(e.Message() + QStringLiteral("\n\n") + nothingRestored());
        throw;
    } catch (const std::exception& e) {
        throw Exception(QString::fromLocal8Bit(e.what()) + QStringLiteral("\n\n") + nothingRestored());
    }
}

bool IsSameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
