#pragma once
// The Jet functions that translated statements call, registered on an SQLite connection under
// the names the translator writes (jet_cdate, jet_format, jet_like, ...). Dates are TDateTime
// numbers; texts are read and written in the program's format settings (FormatSettings()).
#include <QString>

#include "platform/rtl/sysutils.h"

struct sqlite3;

// Registers every jet_... function on the connection (also usable as SqlFunctionRegistration).
void RegisterJetFunctions(sqlite3* db);

namespace jetsql {

// Runtime text of a value as Jet's CStr and '&' give it: numbers with the settings' decimal
// separator, dates as short date, times as long time, both when both parts are set.
QString DateTimeText(double value, const TFormatSettings& fs);
QString NumberText(double value, const TFormatSettings& fs);

// Jet's Format(value, pattern) for date and number patterns and the named formats.
QString FormatValue(const QVariant& value, const QString& pattern, bool valueIsDate, const TFormatSettings& fs);

// LIKE with '%' and '_', without case (Unicode, umlauts included).
bool LikeMatch(const QString& text, const QString& pattern);

}  // namespace jetsql
