#include "traininglog/hrmgraphseries.h"

#include <cmath>

#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/rtl/sysutils.h"
#include "traininglog/zwgrid.h"
#include "traininglog/zwstatistik.h"

namespace hrmgraph {

namespace {

double numberOf(TDataSet& ds, const char* name)
{
    TField* f = ds.FieldByName(QString::fromLatin1(name));
    return f->IsNull() ? 0.0 : f->AsFloat();
}

// A speed taken as a whole number: rounded as the runtime rounds.
double wholeSpeed(TDataSet& ds, const char* name)
{
    return double(Round(numberOf(ds, name)));
}

}  // namespace

GraphPoint ReadGraphPoint(TDataSet& zeit, bool paceFormat)
{
    GraphPoint p;
    p.values[serHoehe] = numberOf(zeit, "HDiff");
    p.values[serPuls] = numberOf(zeit, "Puls");
    p.values[serTrittfrequenz] = numberOf(zeit, "zei_trittfrequenz");
    p.values[serSteigung] = numberOf(zeit, "zei_steigung") + 100.0;
    p.values[serTemperatur] = numberOf(zeit, "zei_temperatur") + 100.0;
    p.values[serKmh] = paceFormat ? numberOf(zeit, "minkm") * 1440.0 * 10.0 + 100.0 : wholeSpeed(zeit, "kmh") + 100.0;
    p.values[serImportKmh] = wholeSpeed(zeit, "zei_importkmh") + 100.0;
    p.meter = double(int(numberOf(zeit, "Meter")));
    p.time = numberOf(zeit, "Zwischenzeit");
    p.note = zeit.FieldByName(QStringLiteral("Notitz"))->AsString();
    p.puls = int(p.values[serPuls]);
    p.row = zeit.GetBookmark();
    return p;
}

double PointX(const GraphPoint& p, bool timeAxis)
{
    return timeAxis ? p.time : p.meter;
}

QString PulseFilterText(const PulseBounds& b)
{
    return QStringLiteral("(puls > %1) and (puls < %2)").arg(b.lower).arg(b.upper);
}

QList<GraphPoint> ReadUnitPoints(TorvServer& server, TQuery& rows, int datId, bool hrm, bool paceFormat,
                                 const std::optional<PulseBounds>& bounds)
{
    // The rows are read with the split page's statement, fields and rules, all of them, so the
    // computed pace and speed of a row follow from the row before it as on the page; the
    // bounds then leave rows out as the filter of zeit does.
    QList<GraphPoint> points;
    zwgrid::rowsOfUnit(server, rows, datId, hrm);
    for (rows.First(); !rows.Eof(); rows.Next()) {
        GraphPoint p = ReadGraphPoint(rows, paceFormat);
        if (bounds && !bounds->Keeps(p.puls))
            continue;
        points << p;
    }
    return points;
}

void PulseFigures::Add(int puls)
{
    ++count;
    sum += puls;
    if (puls > max)
        max = puls;
    if (puls < min)
        min = puls;
}

QString PulseFigures::AverageText() const
{
    return count > 0 ? IntToStr(sum / count) : QStringLiteral("n/a");
}

QString PulseFigures::MaxText() const
{
    return count > 0 ? IntToStr(max) : QStringLiteral("n/a");
}

QString PulseFigures::MinText() const
{
    return count > 0 ? IntToStr(min) : QStringLiteral("n/a");
}

double LoweredSecondaryMin(double chosen)
{
    return chosen > 20.0 ? chosen - 20.0 : chosen;
}

double PrimaryMaxFor(double saved, bool speedShown)
{
    return !speedShown && saved >= 220.0 ? 220.0 : saved;
}

QString PrimaryAxisLabel(double value, const QString& label, bool paceReading)
{
    if (std::abs(value - std::round(value)) > 1e-6)
        return label;
    const long long tick = std::llround(value);
    const long long lifted = tick - 100;
    if (paceReading) {
        if (lifted < 0)
            return label;
        // Tenths of a minute per km back to a time of day.
        const TDateTime pace = double(lifted) / 10.0 / 1440.0;
        return FormatDateTime(QStringLiteral("hh:mm:ss"), pace) + QStringLiteral(" / ") + label;
    }
    return label + QStringLiteral(" / ") + IntToStr(lifted);
}

double ConstantLineValue(int entry, const TzwStatistik& s, int unitPuls)
{
    switch (entry) {
    case 0: return s.maxPuls;
    case 1: return s.minPuls;
    case 2: return s.avgPuls;
    case 3: return unitPuls;
    case 4: return 100.0 + s.maxSteigung;
    case 5: return 100.0 + s.maxGefaelle;
    case 6: return 100.0 + s.avgSteigung;
    case 7: return 100.0 + s.avgGefaelle;
    case 8: return s.avgTrittfrequenz;
    default: return 0.0;
    }
}

}  // namespace hrmgraph
