#pragma once
// The program's folders. "Beside the program" is the program folder (read-only once installed):
// DB/ with the template databases, Custom/, help pages and language modules. Writable folders of
// the original layout (Temp, mt5, DB/Pivot, saved views) live under the user's data folder; the
// registry stand-in lives in the user's config folder. Tests point all three at temporary
// folders through the environment variables below.
#include <QString>

inline constexpr const char* kProgramDirVariable = "ORVALO5_PROGRAM_DIR";
inline constexpr const char* kDataDirVariable = "ORVALO5_DATA_DIR";
inline constexpr const char* kConfigDirVariable = "ORVALO5_CONFIG_DIR";

// Folder of the program's read-only files; the executable's folder unless overridden.
QString ProgramDir();
// Folder of the user's writable files; created on first use.
QString UserDataDir();
// Folder of the user's settings (registry stand-in); created on first use.
QString ConfigDir();

// A file or folder beside the program ("DB/leer.orv.system").
QString ProgramFile(const QString& relative);
// A file or folder under the user's data folder ("Temp/~copy.xml"); its folder is created.
QString UserDataFile(const QString& relative);
