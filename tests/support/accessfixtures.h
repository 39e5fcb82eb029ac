#pragma once
// Small Access files as the outside programs keep them, written with the test-only Jet writer:
// the heart-rate monitor's trip database (tables "TripList" and "TripTable") and the route
// planner's "myway.mdb" (tables "strec", "karte", "markr").
#include <QString>
#include <QVector>

#include "jetwriter.h"

struct TripRecord {
    TDateTime time = 0;
    int pulse = 0;
    int altitude = 0;
};

struct Trip {
    int tripNo = 1;
    QString name;
    TDateTime timeDate = 0;
    QString comment;
    QString netTime;  // "h.mm.ss", as the monitor's software writes it
    int minHeartBeat = 0, maxHeartBeat = 0, averageHeartBeat = 0;
    int ascending = 0;
    QVector<TripRecord> records;
};

// A trip of `count` records one every `step` seconds from its start, pulse 120 + i % 40 and
// altitude 100 + i % 25.
Trip MakeTrip(int tripNo, const QString& name, TDateTime start, int count, int step = 2);

QVector<JetTable> TripTables(const QVector<Trip>& trips);
bool WriteTripFile(const QString& fileName, const QVector<Trip>& trips);

struct PlannerRoute {
    int id = 0;
    QString name;
    int length = 0;
    int mapId = 0;
};
struct PlannerMap {
    int id = 0;
    QString name;
};
struct PlannerMarker {
    int id = 0;
    int routeId = 0;
    int meter = 0;
    QString text;
    int z = 0;
};

QVector<JetTable> PlannerTables(const QVector<PlannerRoute>& routes, const QVector<PlannerMap>& maps,
                                const QVector<PlannerMarker>& markers);
bool WritePlannerFile(const QString& fileName, const QVector<PlannerRoute>& routes, const QVector<PlannerMap>& maps,
                      const QVector<PlannerMarker>& markers);
