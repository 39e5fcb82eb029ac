#include "exchange/backupcabinet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <sys/stat.h>

#include "core/language.h"
#include "exchange/cabcomps.h"
#include "exchange/cabstconsts.h"
#include "platform/cabinet/cabformat.h"
#include "platform/db/clientdataset.h"
#include "platform/db/databasecopy.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("BackupCabinet", text);
}

// Removes a file when the scope ends, whatever happened in it.
struct RemoveAtEnd {
    QString file;
    ~RemoveAtEnd() { QFile::remove(file); }
};

// The widest path the system allows: the list keeps full paths, never cut ones.
constexpr int kPathWidth = 4096;

QString refusedOpenDatabase(const QString& file)
{
    return tr("Die Datei \"%1\" ist die geöffnete Datenbank und kann nicht überschrieben werden. "
              "Schließen Sie die Datenbank oder wählen Sie ein anderes Ziel.")
        .arg(QDir::toNativeSeparators(file));
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

    TCabWriter writer;
    writer.SetCompressionType(cctMsZip);
    writer.Open(cabinetFile);

    // The open file's pages may be half-way through a write: the cabinet gets a copy that SQLite
    // took as one consistent state.
    RemoveAtEnd removeCopy{copy};
    CopyOpenDatabase(connection, copy, true);
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

QStringList CabinetEntryNames(const QString& cabinetFile)
{
    QStringList names;
    QSet<QString> seen;
    QString current = QFileInfo(cabinetFile).absoluteFilePath();
    while (!current.isEmpty() && !seen.contains(current)) {
        seen.insert(current);
        const cabformat::DirectoryResult r = cabformat::ReadDirectory(current);
        if (!r.Ok())
            break;
        // A file spanning two cabinets is listed by both: once is enough.
        for (const cabformat::FileEntry& f : r.Dir.Files)
            if (f.FolderIndex != cabformat::kContinuedFromPrev && f.FolderIndex != cabformat::kContinuedPrevAndNext)
                names << f.Name;
        // The next cabinet of a set lies beside this one, as the reader looks for it.
        current.clear();
        if (!r.Dir.NextCabinet.isEmpty()) {
            const QString next = QFileInfo(QFileInfo(cabinetFile).absolutePath() + QLatin1Char('/') +
                                           cabformat::LocalArchivePath(r.Dir.NextCabinet))
                                     .absoluteFilePath();
            if (QFileInfo::exists(next))
                current = next;
        }
    }
    return names;
}

void RestoreBackupCabinet(const QString& cabinetFile, const QString& targetFolder, const QString& openDatabase)
{
    // Checked before anything is written, so that a refused cabinet leaves the folder as it was.
    const QString folder = QDir(targetFolder).absolutePath() + QLatin1Char('/');
    for (const QString& name : CabinetEntryNames(cabinetFile)) {
        if (!cabformat::IsSafeArchiveName(name))
            throw ECabinet(TCabErf{FDIERROR_CORRUPT_CABINET, 0, true}, false, CabUnsafeNameText(name));
        const QString target = folder + cabformat::LocalArchivePath(name);
        if (IsSameFile(target, openDatabase))
            throw Exception(refusedOpenDatabase(target));
    }
    TCabReader reader;
    reader.ExtractAll(cabinetFile, targetFolder, false);
}
