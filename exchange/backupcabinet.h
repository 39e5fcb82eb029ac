#pragma once
// What goes into a backup and what comes out of one, without any window: the backup cabinet
// (the open database and the user's chosen files, MSZIP, one cabinet), the file list that the
// backup wizard saves and loads, the type labels of its list, and the restore of a cabinet into
// a folder. The wizards (dbsicherung, dbrestoreu) call these.
#include <QString>
#include <QStringList>

class TClientDataSet;
class TConnection;

// The label of a file's type in the backup wizard's list, by its extension including the dot,
// compared exactly (".SQL" is not ".sql"): "Musterdatei", "Chartdatei", "Reportdatei",
// "SQL-Abfrage", "Importvorlage", "Spaltendatei", else the message table's "unbekannt".
QString BackupFileTypeLabel(const QString& fileName);

// The consistent copy of the open database that goes into the cabinet: "temp.~orv" in the
// database's folder.
QString BackupDatabaseCopyName(const QString& databasePath);

// Writes the backup cabinet `cabinetFile`: a consistent copy of the database that `connection`
// has open (taken into "temp.~orv" beside it, readable by the owner only, and removed again
// afterwards) under the database's
// own file name, then each of `extraFiles` in list order under its bare file name; MSZIP, one
// cabinet. An earlier file of the cabinet's name is replaced only by the completed cabinet: when
// anything fails (a listed file missing, the disk full) it stays as it was, and ECabinet (or
// EDatabaseError for the copy) is raised. A cabinet name that is the open database is refused.
void WriteBackupCabinet(TConnection& connection, const QString& databasePath, const QStringList& extraFiles,
                        const QString& cabinetFile);

// The backup's file list: a client dataset with `vol_id` (auto-increment) and `vol_name` (the
// full path of one file), saved as an XML data packet.
void DeclareFileListFields(TClientDataSet& cds);
// Replaces the dataset's rows by the files, in order, and saves them to `fileName`.
void SaveFileList(TClientDataSet& cds, const QStringList& files, const QString& fileName);
// Loads a saved list into the dataset and returns its files in order. The files need not exist.
QStringList LoadFileList(TClientDataSet& cds, const QString& fileName);

// The archive names of every file in a cabinet and in the cabinets of its set that follow it in
// the same folder. Empty when the first cabinet cannot be read (the extraction reports why).
QStringList CabinetEntryNames(const QString& cabinetFile);

// Extracts every file of the cabinet (and of its set) into `targetFolder`, creating it when
// missing; files of the same names there are replaced, all together or none: on any failure the
// folder stays as it was and the message ends saying that nothing was restored. Before anything
// is written the set is checked: a cabinet that continues a set is refused naming the set's
// first one, a next cabinet that is not there (looked up without regard to case) is named, an
// empty cabinet is refused, a name that would leave the folder raises ECabinet, and a target
// file that is the open database `openDatabase` (empty: none open) raises Exception naming it.
// Raises ECabinet for a missing, unreadable or damaged cabinet. A restored athlete database
// (".orv") is readable by its owner only; other files get what their attributes allow, within
// the user's umask. Temporary files a killed restore left in the folder are removed first.
void RestoreBackupCabinet(const QString& cabinetFile, const QString& targetFolder, const QString& openDatabase);

// Removes what a killed backup or restore left in a folder: temporary files of the cabinet
// components (".<name>.part-XXXXXX") and the backup's working copy ("temp.~orv" and its partial
// ".temp.~orv.part"), except those a running backup or restore holds. The backup does it in the
// database's and the cabinet's folder, the restore in its target folder, the program whenever it
// opens a database.
void RemoveBackupLeftovers(const QString& folder);

// True when both names lead to one existing file (the same path, a link, a second name).
bool IsSameFile(const QString& a, const QString& b);
