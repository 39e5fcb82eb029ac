#pragma once
// The route manager's import of a route planner route: the user picks the route's markers in
// the marker choice, and the route becomes a route of the athlete (category "MyWay - Import",
// its length the distance of the last chosen marker) with one route point per chosen marker.
#include <QString>
#include <QVector>

#include "exchange/mywayplanner.h"

class QWidget;

// Shows the marker choice for the planner route and, unless it is cancelled, imports the route
// with the chosen markers from "myway.mdb" in the planner's folder. Failures are shown
// ("Ein Fehler beim Import ist aufgetreten." and the reason) and leave no route behind.
void importMyWayRoute(int routeId, const QString& folder, QWidget* owner = nullptr);

// Writes the route and its points (markers ordered as given, at least one) in one transaction
// and makes the new route the current one of strecke; false with the reason when nothing was
// written.
bool WriteMyWayRoute(const MyWayRoute& route, const QVector<MyWayMarker>& markers, QString& error);
