#pragma once
// The automatic load level of a training unit: from its pace against the athlete's 5000 m band
// set (table bel5000m) or from its average heart rate against the load levels' heart-rate bounds
// (table BELSTUFE). Both read the athlete's file with statements of their own, so the data
// module's shared datasets (and the lookup boxes bound to them) are never touched.
#include <QVariant>

#include "platform/rtl/sysutils.h"

class TConnection;
class TDataSet;

// The load level of the band set of the 5000 m time `fiveK` (a time value; null or empty gives
// 0) whose largest pace threshold lies strictly below `pace`. Times compare in whole seconds: the
// 5000 m time is rounded to its second, the pace counts the seconds its "hh:mm:ss" text shows.
// A pace of 00:00:00, a pace below every threshold and a 5000 m time without bands give 0.
int LoadLevelByPace(TConnection& db, const QVariant& fiveK, TDateTime pace);

// The first load level, in display order, whose heart-rate band holds `pulse` (both bounds
// inclusive); 0 when none does.
int LoadLevelByPulse(TConnection& db, int pulse);

// Whether the athlete's settings (the config row) ask for the automatic load level computed
// by heart rate (`byPulse` true) or by pace (false). False while the settings are closed.
bool AutoLoadLevelWanted(const TDataSet& config, bool byPulse);
