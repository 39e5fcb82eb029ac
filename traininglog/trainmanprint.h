#pragma once
// The printed training plan ("Trainingsplan"): one plan on landscape A4 pages over the data
// module's plan_daten (the units of the current plan, in date order) and its plan table Plan.
// The title band shows the plan's fields; each calendar week starts with a framed silver header
// (repeated at the top of a page that continues the week) and ends with its distance; the
// summary shows the plan's distance, the page footer the plan, today's date and the athlete.
//
// The week and plan distances are given in the distance unit the plan manager shows its total
// in (by the unit's name); with no such unit they are given in metres (" m").
#include <QString>

#include <memory>

class TReport;
class TorvServer;

std::unique_ptr<TReport> BuildTrainManPrint(TorvServer& server, const QString& distanceUnitName);

// The text of a distance sum: in the named distance unit (shortest float text, a blank and the
// name) or, when there is no unit of that name, the whole metres followed by " m".
QString PlanDistanceText(TorvServer& server, const QString& distanceUnitName, qint64 meters);
