#include "accessfixtures.h"

Trip MakeTrip(int tripNo, const QString& name, TDateTime start, int count, int step)
{
    Trip t;
    t.tripNo = tripNo;
    t.name = name;
    t.timeDate = start;
    t.comment = QStringLiteral("Lauf %1").arg(tripNo);
    t.netTime = QStringLiteral("1.02.33");
    t.minHeartBeat = 55;
    t.maxHeartBeat = 171;
    t.averageHeartBeat = 142;
    t.ascending = 85;
    for (int i = 0; i < count; ++i)
        t.records.append({start + double(i * step) / 86400.0, 120 + i % 40, 100 + i % 25});
    return t;
}

QVector<JetTable> TripTables(const QVector<Trip>& trips)
{
    JetTable list;
    list.name = QStringLiteral("TripList");
    list.columns = {{QStringLiteral("TripNo"), JetType::Long},
                    {QStringLiteral("GroupNo"), JetType::Long},
                    {QStringLiteral("Name"), JetType::Text, 250},
                    {QStringLiteral("TimeDate"), JetType::DateTime},
                    {QStringLiteral("Comment"), JetType::Memo},
                    {QStringLiteral("TotalTime"), JetType::Text, 50},
                    {QStringLiteral("NetTime"), JetType::Text, 50},
                    {QStringLiteral("MinAltitude"), JetType::Long},
                    {QStringLiteral("MaxAltitude"), JetType::Long},
                    {QStringLiteral("AscendingMeter"), JetType::Long},
                    {QStringLiteral("DescendingMeter"), JetType::Long},
                    {QStringLiteral("MaxSpeed"), JetType::Long},
                    {QStringLiteral("AverageSpeed"), JetType::Long},
                    {QStringLiteral("Route"), JetType::Long},
                    {QStringLiteral("MinHeartBeat"), JetType::Integer},
                    {QStringLiteral("MaxHeartBeat"), JetType::Integer},
                    {QStringLiteral("AverageHeartBeat"), JetType::Integer},
                    {QStringLiteral("TotalSeconds"), JetType::Long},
                    {QStringLiteral("NetSeconds"), JetType::Long},
                    {QStringLiteral("PulseTime"), JetType::Long}};
    JetTable table;
    table.name = QStringLiteral("TripTable");
    table.columns = {{QStringLiteral("RecordNo"), JetType::Long},
                     {QStringLiteral("TripNo"), JetType::Long},
                     {QStringLiteral("TimeAndDate"), JetType::DateTime},
                     {QStringLiteral("RecordType"), JetType::Long},
                     {QStringLiteral("HeartBeatRate"), JetType::Integer},
                     {QStringLiteral("Altitude"), JetType::Integer},
                     {QStringLiteral("AirPressure"), JetType::Single},
                     {QStringLiteral("Temperature"), JetType::Single},
                     {QStringLiteral("Cadence"), JetType::Long},
                     {QStringLiteral("Distance"), JetType::Long},
                     {QStringLiteral("Power"), JetType::Long}};
    int recordNo = 1;
    for (const Trip& t : trips) {
        const int seconds = t.records.isEmpty() ? 0 : int((t.records.last().time - t.timeDate) * 86400.0 + 0.5);
        list.rows.append({t.tripNo, 1, t.name, t.timeDate, t.comment, t.netTime, t.netTime, 95, 180, t.ascending,
                          t.ascending - 5, 31, 12, 0, t.minHeartBeat, t.maxHeartBeat, t.averageHeartBeat, seconds,
                          seconds, seconds});
    }
    // The records of the trips are stored mixed with each other's, so that a reader must pick a
    // trip's records and order them itself.
    for (int i = 0;; ++i) {
        bool any = false;
        for (const Trip& t : trips) {
            if (i >= t.records.size())
                continue;
            const TripRecord& r = t.records[i];
            table.rows.append({recordNo++, t.tripNo, r.time, 1, r.pulse, r.altitude, 1013.25, 18.5, 0, 0, 0});
            any = true;
        }
        if (!any)
            break;
    }
    return {list, table};
}

bool WriteTripFile(const QString& fileName, const QVector<Trip>& trips)
{
    return WriteJetDatabase(fileName, TripTables(trips));
}

QVector<JetTable> PlannerTables(const QVector<PlannerRoute>& routes, const QVector<PlannerMap>& maps,
                                const QVector<PlannerMarker>& markers)
{
    JetTable strec;
    strec.name = QStringLiteral("strec");
    strec.columns = {{QStringLiteral("strec_strecID"), JetType::Long},
                     {QStringLiteral("strec_name"), JetType::Text, 100},
                     {QStringLiteral("strec_laenge"), JetType::Long},
                     {QStringLiteral("strec_karteID"), JetType::Long}};
    for (const PlannerRoute& r : routes)
        strec.rows.append({r.id, r.name, r.length, r.mapId});
    JetTable karte;
    karte.name = QStringLiteral("karte");
    karte.columns = {{QStringLiteral("karte_karteID"), JetType::Long},
                     {QStringLiteral("karte_name"), JetType::Text, 100},
                     {QStringLiteral("karte_archiv"), JetType::Text, 255},
                     {QStringLiteral("karte_filedat"), JetType::Text, 255},
                     {QStringLiteral("karte_saveJPG"), JetType::Boolean}};
    for (const PlannerMap& m : maps)
        karte.rows.append({m.id, m.name, QStringLiteral("archiv"), m.name + QStringLiteral(".map"), true});
    JetTable markr;
    markr.name = QStringLiteral("markr");
    markr.columns = {{QStringLiteral("markr_markrID"), JetType::Long},
                     {QStringLiteral("markr_strecID"), JetType::Long},
                     {QStringLiteral("markr_meter"), JetType::Long},
                     {QStringLiteral("markr_text"), JetType::Text, 255},
                     {QStringLiteral("markr_z"), JetType::Long}};
    for (const PlannerMarker& m : markers)
        markr.rows.append({m.id, m.routeId, m.meter, m.text, m.z});
    return {strec, karte, markr};
}

bool WritePlannerFile(const QString& fileName, const QVector<PlannerRoute>& routes, const QVector<PlannerMap>& maps,
                      const QVector<PlannerMarker>& markers)
{
    return WriteJetDatabase(fileName, PlannerTables(routes, maps, markers));
}
