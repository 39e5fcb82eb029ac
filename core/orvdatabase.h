#pragma once
// The shared routines that read the athlete's database: units of measure by sport, the
// training-block checks, the largest value of a field, and the check, repair and compaction of
// a database file.
#include <QString>

#include <functional>

class TConnection;
class TDataSet;

// Units of measure of a sport, read through the data module's `sportart` and `distancespeed`
// (open while a database is open). A sport or unit that is missing raises EConvertError.
// value (metres) x unt_calc of the sport's distance unit.
double GetUnitDistance(int sportId, int value);
// unt_name / unt_shortname of the sport's distance unit.
QString GetUnitName(int sportId);
QString GetUnitShortName(int sportId);

// False when a unit of the block is dated after the block's date (equal dates pass).
bool CheckBlockDate(int blockId);
// True when no unit belongs to the block.
bool IsBlockEmpty(int blockId);
// Largest integer value of the field over all rows, read through a second cursor (the dataset
// does not move); 0 for no rows or no value above 0.
int GetMaxFieldValue(TDataSet& dataSet, const QString& fieldName);

// Refuses a file opened as an athlete database that is none (a new, empty or foreign
// database) or that can only be read, with a message naming the file and the reason.
void CheckDatabaseFile(TConnection& connection);

// The four checks of an opened database. For each check that finds faulty rows the user is
// asked: Yes backs the database up through `backup` and then repairs (no repair when the backup
// did not happen), No repairs at once, Cancel leaves the rows as they are (asked again at the
// next open). Each repair runs in one transaction; a failed repair is rolled back and reported,
// and the later checks still run. A check whose test cannot run on the stored values is
// reported and skipped.
void CheckDatabase(TConnection& connection, const std::function<bool()>& backup);

// Compacts a closed database file in place: the compacted copy is written to a new file of a
// unique name in the same folder, checked, and only then put in the database's place. The
// ".pck" file of an earlier run and the copies a killed run left behind are removed once the
// database is held exclusively, never when such a name is the database itself (also through a
// link). On any failure the database file stays as it was, no copy is left behind, and
// EDatabaseError is raised.
void CompactDatabase(const QString& path);
// The ".pck" file beside a database file.
QString CompactFileName(const QString& path);
