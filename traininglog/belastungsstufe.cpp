#include "traininglog/belastungsstufe.h"

#include <cmath>

#include "platform/db/connection.h"
#include "platform/db/query.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;

// The seconds of the time of day that a "hh:mm:ss" text of the value shows (days and
// milliseconds dropped).
qint64 shownSeconds(TDateTime t)
{
    const qint64 ms = qint64(std::llround(t * kSecondsPerDay * 1000.0));
    const qint64 ofDay = ((ms % 86400000) + 86400000) % 86400000;
    return ofDay / 1000;
}

// A value lying half a second before the given whole second, as a day fraction: stored times are
// built from whole milliseconds, so "rounds to below s" is "lies below this bound".
double halfSecondBefore(qint64 seconds)
{
    return (double(seconds) - 0.5) / kSecondsPerDay;
}

}  // namespace

int LoadLevelByPace(TConnection& db, const QVariant& fiveK, TDateTime pace)
{
    if (!fiveK.isValid() || fiveK.isNull())
        return 0;
    bool ok = false;
    const double fiveKDays = fiveK.toDouble(&ok);
    if (!ok)
        return 0;
    const qint64 fiveKSeconds = std::llround(fiveKDays * kSecondsPerDay);
    const qint64 paceSeconds = shownSeconds(pace);
    if (paceSeconds == 0 || fiveKSeconds <= 0)
        return 0;

    // The band set of the 5000 m time (to the second), thresholds below the pace, the largest
    // first: the same order as the shared dataset, so that the same band wins.
    TQuery q;
    q.SetConnection(&db);
    q.SetSQLText(QStringLiteral("SELECT be5_belStufe FROM bel5000m "
                                "WHERE be5_gesZeit >= :fromTime AND be5_gesZeit < :toTime "
                                "AND be5_zeit < :pace ORDER BY be5_zeit DESC"));
    q.ParamByName(QStringLiteral("fromTime"))->SetAsFloat(halfSecondBefore(fiveKSeconds));
    q.ParamByName(QStringLiteral("toTime"))->SetAsFloat(halfSecondBefore(fiveKSeconds + 1));
    q.ParamByName(QStringLiteral("pace"))->SetAsFloat(halfSecondBefore(paceSeconds));
    q.Open();
    int level = 0;
    if (!q.IsEmpty()) {
        q.First();
        level = q.Field(0)->AsInteger();
    }
    q.Close();
    return level;
}

int LoadLevelByPulse(TConnection& db, int pulse)
{
    TQuery q;
    q.SetConnection(&db);
    q.SetSQLText(QStringLiteral("SELECT bel_ID FROM BELSTUFE WHERE bel_HFStart <= :low AND bel_HFEnde >= :high "
                                "ORDER BY bel_orderID, bel_ID"));
    q.ParamByName(QStringLiteral("low"))->SetAsInteger(pulse);
    q.ParamByName(QStringLiteral("high"))->SetAsInteger(pulse);
    q.Open();
    int level = 0;
    if (!q.IsEmpty()) {
        q.First();
        level = q.Field(0)->AsInteger();
    }
    q.Close();
    return level;
}

bool AutoLoadLevelWanted(const TDataSet& config, bool byPulse)
{
    if (!config.Active() || config.IsEmpty())
        return false;
    TField* autoCalc = config.FieldByName(QStringLiteral("cfg_belautocalc"));
    TField* nachHF = config.FieldByName(QStringLiteral("cfg_nachHF"));
    if (autoCalc->IsNull() || !autoCalc->AsBoolean())
        return false;
    const bool pulseMode = !nachHF->IsNull() && nachHF->AsBoolean();
    return pulseMode == byPulse;
}
