#pragma once
// The route planner's database, read without any window: the planner keeps its routes ("strec"),
// maps ("karte") and the markers along each route ("markr") in "myway.mdb" in its installation
// folder, which its setup enters in the registry (machine-wide key "\Software\ZED1", value
// "DIZPath"; in registry.ini it can be set by hand).
//
// A route is offered only with its map (a route whose map is missing is not listed); routes come
// by name without regard to case. Markers are chosen by their integer ids, never by texts.
#include <QList>
#include <QString>
#include <QVector>

#include <memory>

#include "platform/office/accessdatabase.h"

struct MyWayRoute {
    int id = 0;
    QString name;
    QString mapName;
    int length = 0;
};

struct MyWayMarker {
    int id = 0;
    int routeId = 0;
    int meter = 0;
    QString text;
    int z = 0;
};

// The planner's folder from the registry (read only); empty when the key or value is missing.
QString MyWayFolder();
// The planner's database in a folder.
QString MyWayDatabaseFile(const QString& folder);
// The chosen-marker list as the marker choice hands it on: "-1" and ",id" per chosen marker.
QString MyWayMarkerList(const QList<int>& ids);
// The ids of such a list (without the leading -1); false when it holds anything but integers.
bool ParseMyWayMarkerList(const QString& list, QList<int>& ids);

class MyWayPlanner {
public:
    // Opens "myway.mdb" in the folder. Errors name the registry value when no folder is entered,
    // the file when it is missing or cannot be read.
    static OfficeResult<MyWayPlanner> Open(const QString& folder);

    // Routes with their maps, ordered by name without regard to case.
    QVector<MyWayRoute> Routes() const;
    // The markers of a route in the order of the file.
    QVector<MyWayMarker> Markers(int routeId) const;
    // The chosen markers of a route (ids not of the route are ignored), ordered by id.
    QVector<MyWayMarker> ChosenMarkers(int routeId, const QList<int>& ids) const;
    // A route by id (with or without a map); false when the planner has none.
    bool Route(int routeId, MyWayRoute& route) const;

private:
    AccessTable strec_, karte_, markr_;
};
