#pragma once
// What the heart-rate graph draws, without the window: the seven values of a split row, the
// pulse figures of the side panel, the pulse filter, the two-reading labels of the primary Y
// axis and the values of the constant lines.
//
// Series of one group (the current unit: 0 to 6, the comparison unit: 7 to 13):
//   0 height (secondary Y axis), 1 pulse, 2 cadence, 3 gradient + 100, 4 temperature + 100,
//   5 pace x 10 + 100 ("minkm") or whole km/h + 100 ("kmh"), 6 measured whole km/h + 100.
// Gradient, temperature and both speeds are lifted by 100 onto the heart-rate axis, whose labels
// then show both readings.
#include <QList>
#include <QString>

#include <optional>

#include "platform/db/dataset.h"

class TorvServer;
class TQuery;
struct TzwStatistik;

namespace hrmgraph {

inline constexpr int SeriesPerGroup = 7;
enum Series {
    serHoehe = 0,
    serPuls = 1,
    serTrittfrequenz = 2,
    serSteigung = 3,
    serTemperatur = 4,
    serKmh = 5,
    serImportKmh = 6
};

// One drawn row of zeit.
struct GraphPoint {
    double values[SeriesPerGroup] = {};
    double meter = 0;  // X in "Distanz" mode (whole metres)
    double time = 0;   // X in "Zeit" mode (elapsed time, days)
    QString note;
    int puls = 0;
    TBookmark row;  // the split row itself, whatever filter or order the dataset has
};

// The values of the dataset's current row (split fields of the data module, computed fields
// included); `paceFormat` chooses the pace ("minkm") for series 5, else whole km/h.
GraphPoint ReadGraphPoint(TDataSet& zeit, bool paceFormat);
double PointX(const GraphPoint& p, bool timeAxis);

// The pulse bounds of the filter: rows are kept when lower < Puls < upper.
struct PulseBounds {
    int lower = 70;   // "unter:"
    int upper = 210;  // "über:"
    bool Keeps(int puls) const { return puls > lower && puls < upper; }
};
// The filter text of zeit for the bounds: "(puls > 70) and (puls < 210)".
QString PulseFilterText(const PulseBounds& b);

// The rows of any unit and kind in the split page's order, read through a query of the caller's
// own (split fields and rules of the data module); rows outside the bounds are left out. The
// shared split query and the current unit stay as they are.
QList<GraphPoint> ReadUnitPoints(TorvServer& server, TQuery& rows, int datId, bool hrm, bool paceFormat,
                                 const std::optional<PulseBounds>& bounds);

// The side panel's pulse figures of the drawn rows; without a row every figure reads "n/a".
struct PulseFigures {
    int count = 0;
    long long sum = 0;
    int max = 0;
    int min = 300;
    void Add(int puls);
    QString AverageText() const;  // whole-number quotient, remainder dropped
    QString MaxText() const;
    QString MinText() const;
};

// The secondary Y minimum after a fill: lowered by 20 when the chosen one lies above 20.
double LoweredSecondaryMin(double chosen);
// The primary Y maximum for the series shown: 220 at most while no speed series is shown.
double PrimaryMaxFor(double saved, bool speedShown);

// The label of a tick of the primary Y axis while a lifted series is shown. `label` is the
// proposed text of the tick `value`; `paceReading`: the calculated speed is shown as pace.
// "150 / 50", or in pace reading "00:05:00 / 150"; a pace tick below 100 and a tick that is no
// whole number keep their label.
QString PrimaryAxisLabel(double value, const QString& label, bool paceReading);

// The entries of "Konstanten:" in list order and the value each draws on the primary Y axis.
inline constexpr int ConstantEntryCount = 9;
double ConstantLineValue(int entry, const TzwStatistik& stats, int unitPuls);

}  // namespace hrmgraph
