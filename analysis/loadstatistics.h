#pragma once
// What the load statistics ("Belastungsstatistik") compute without a window: the statement that
// sums a period's units per load level or load type, the groups read from its result, the texts
// of the two-column lists and the pie that shows the groups.
//
//   const QString sql = LoadStatisticsStatement("Belastungsstufe", "Meter", ZeitNeu->QuickWhere);
//   ... open a query on it ...
//   const QList<TLoadGroup> groups = ReadLoadGroups(query, "Belastungsstufe", "Meter");
//   FillLoadChart(*ChartFX41, groups);
//   list row j: groups[j].Name, LoadSumText(groups[j], factor)
#include <QList>
#include <QString>
#include <QVariant>

#include "platform/rtl/graphics.h"

class ChartModel;
class TDataSet;

// The statement for a grouping ("Belastungsstufe" or "Belastungsart") and a basis ("Meter" or
// "Zeit") over the units that `quickWhere` (a condition without "WHERE") selects; "" for any
// other grouping or basis. Units whose level or type has no row in its table are not counted.
QString LoadStatisticsStatement(const QString& grouping, const QString& basis, const QString& quickWhere);

// One group of the result: its name, its colour and its sum, whole metres on the distance basis
// or days on the time basis.
struct TLoadGroup {
    QString Name;
    TColor Color = clWhite;
    double Sum = 0.0;
    bool Time = false;
};

// The colour a group is drawn in: its stored colour, white for -1 and for none.
TColor LoadGroupColor(const QVariant& stored);

// The groups of an open result of LoadStatisticsStatement, in the order the database returns
// them (the dataset is left on its last row).
QList<TLoadGroup> ReadLoadGroups(TDataSet& result, const QString& grouping, const QString& basis);

// The list's text of a group's sum: the distance times the unit factor, or the time as
// "h:mm:ss" (the sum of days taken to the nearest millisecond, so that 1.5 days read 36:00:00
// however the sum was rounded).
QString LoadSumText(const TLoadGroup& group, double unitFactor);

// Puts the groups into the chart as one series of points (metres, not converted, or days),
// each labelled with the group's name and coloured with its colour. No groups: a series of no
// points.
void FillLoadChart(ChartModel& chart, const QList<TLoadGroup>& groups);
