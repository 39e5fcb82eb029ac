#pragma once
// The period chart's filling without a window: the colour markings and their category tables,
// the chart query of each grouping, the value and axis title of each Y quantity, and the whole
// filling of a chart model for a period.
//
// Groupings: "Tag" (one point per day of the period, the series of a day stacked), "Block" (one
// point per training block in the order of the blocks' creation, stacked) and "keine" (one point
// per unit, side by side). Each category of the marking is one series; the series of a category
// is its position in its table (read in order-number order, as the data module reads it).
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"

class ChartModel;
class TConnection;
class TDataSet;

// Y quantities, numbered as the chart options list them.
enum PeriodChartY {
    pyDistance = 0,
    pyTime = 1,
    pyHeight = 2,
    pyPulse = 3,
    pyGli = 4,
    pyWeight = 5,
    pyMaxPulse = 6,
    pyRestPulse = 7,
    pyRecoveryPulse = 8,
    pyUser2 = 9,
    pyFat = 10,
    pyKcal = 11,
    pyTemperature = 12,
};

// A colour marking: its category table and the names of its columns.
struct PeriodChartMarking {
    QString name;         // "Sportart", "Form", "Belastungsstufe", "Belastungsart"
    QString table;        // category table
    QString column;       // the column of daten that holds the category
    QString key;          // the category's key
    QString orderField;   // its order number
    QString colorField;   // its colour (-1: none)
    QString legendField;  // its name
};

// The marking of that name; nullopt for another text.
std::optional<PeriodChartMarking> FindPeriodChartMarking(const QString& name);

// The chart query of a grouping ("Tag", "Block", "keine") for a marking and the period
// condition (without "WHERE"). Empty for an unknown grouping.
QString PeriodChartSQL(const QString& grouping, const PeriodChartMarking& marking, const QString& condition);

// The value of the current row of a chart query for a Y quantity; an empty field counts 0, any
// other Y gives 0.
double PeriodChartValue(TDataSet& query, int y, double unitFactor);

// The value-axis title of a Y quantity; `unitName` and `user2Label` are the chosen distance
// unit's name and the athlete's label of the field User2.
QString PeriodChartAxisCaption(int y, const QString& unitName, const QString& user2Label);

// One category of a marking, as the chart needs it.
struct PeriodChartCategory {
    QVariant key;
    int orderNumber = 0;
    TColor color = TColor(-1);
    QString legend;
};
// The categories in the order of their order numbers.
std::vector<PeriodChartCategory> ReadPeriodChartCategories(TConnection& db, const PeriodChartMarking& marking);

// A load level's heart-rate band, underlaid on the pulse chart.
struct PeriodChartStripe {
    double from = 0.0;
    double to = 0.0;
    TColor color = TColor(-1);
};
std::vector<PeriodChartStripe> ReadLoadLevelStripes(TConnection& db);

struct PeriodChartRequest {
    QString grouping;  // "Tag", "Block", "keine"
    QString marking;   // "Sportart", "Form", "Belastungsstufe", "Belastungsart"
    int y = pyDistance;
    double unitFactor = 1.0;
    QString unitName;    // the title of the distance axis
    QString user2Label;  // the title of the User2 axis
    int unitChoice = 0;  // with Y = Puls: 1 underlays the load levels' bands
    QString condition;   // the period condition without "WHERE"
    TDateTime firstDay = 0.0;
    TDateTime lastDay = 0.0;
    // Whether a category's series is shown (the period window's sport and form lists); empty:
    // every series is shown.
    std::function<bool(const QVariant& key)> seriesShown;
    // Told when the unit-by-unit grouping fails; the filling then goes on with the colours.
    std::function<void()> onUnitsFailed;
};

// Fills the chart: values by grouping, category labels, colours, legends and visibility of the
// series, the value axis' title and scale (the upper end the data need raised by half, from 0).
// Errors of the day and block groupings pass to the caller; the chart then holds what was set.
void FillPeriodChart(ChartModel& chart, TConnection& db, const PeriodChartRequest& request);

