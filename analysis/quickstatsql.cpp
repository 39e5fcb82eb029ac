#include "analysis/quickstatsql.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/language.h"
#include "core/messageids.h"
#include "platform/chart/chartdatalink.h"
#include "platform/chart/chartmodel.h"
#include "platform/db/dataset.h"
#include "platform/db/fields.h"

QStringList QuickStatStatement(bool bySport, const QString& source)
{
    // The sport grouping names its key "belastungsstufe" as well, so that the bars read the
    // same columns for both groupings.
    const QString select =
        bySport ? QStringLiteral("Select sportart as belastungsstufe,"
                                 "DLookup(\"spo_farbe\",\"sportart\",\"spo_id = \" & sportart) as farbe, "
                                 "DLookup(\"spo_name\",\"sportart\",\"spo_id = \" & sportart) as lookBelstufe, "
                                 "sum(daten.meter) as meter, sum(daten.zeit) as zeit from ")
                : QStringLiteral("Select belastungsstufe,"
                                 "DLookup(\"bel_farbe\",\"belstufe\",\"bel_id = \" & belastungsstufe) as farbe,"
                                 "DLookup(\"bel_name\",\"belstufe\",\"bel_id = \" & belastungsstufe) as lookBelstufe, "
                                 "sum(daten.meter) as meter, sum(daten.zeit) as zeit from ");
    const QString group = bySport ? QStringLiteral(" group by  sportart") : QStringLiteral(" group by  belastungsstufe");
    return {select, source, group};
}

TQuickStatWeek QuickStatWeekOf(TDateTime date)
{
    const TDateTime monday = std::floor(date) - DayOfTheWeek(date) + 1;
    TQuickStatWeek week;
    week.From = DateToStr(monday);
    week.To = DateToStr(StrToDate(week.From) + 6);
    return week;
}

QString QuickStatWeekSource(const TQuickStatWeek& week)
{
    // The first two conditions hold for every unit of the week and let the date index find them
    // (a step between units asks this anew); the rounded comparisons decide, as always.
    return QStringLiteral("(SELECT * from daten where (datum >= CDate(\"%1\") - 1) and (datum < CDate(\"%2\") + 2) and "
                          "(CLng(CDate(datum)) >= CLng(CDate(\"%1\"))) and "
                          "(CLng(CDate(datum)) <= CLng(CDate(\"%2\"))))")
        .arg(week.From, week.To);
}

QString QuickStatWeekTitle(const TQuickStatWeek& week)
{
    return LoadStr(msg::WeekRow) + QStringLiteral(": ") + week.From + QStringLiteral(" - ") + week.To;
}

QString QuickStatBlockSource(qint64 block)
{
    return QStringLiteral("(SELECT * from daten where trainingsblock = %1) ").arg(block);
}

void FillQuickStatChart(ChartModel& chart, TDataSet& quickstat, double unitFactor)
{
    struct Row {
        bool hasKey;
        double key;
        QString label;
        TColor color;
        double metres;
        double days;
    };
    std::vector<Row> rows;
    if (quickstat.Active()) {
        TField* key = quickstat.FieldByName(QStringLiteral("belastungsstufe"));
        TField* label = quickstat.FieldByName(QStringLiteral("lookBelstufe"));
        TField* color = quickstat.FieldByName(QStringLiteral("farbe"));
        TField* metres = quickstat.FieldByName(QStringLiteral("meter"));
        TField* days = quickstat.FieldByName(QStringLiteral("zeit"));
        for (quickstat.First(); !quickstat.Eof(); quickstat.Next()) {
            rows.push_back({!key->IsNull(), key->IsNull() ? 0.0 : key->AsFloat(), label->AsString(),
                            ChartColorOfValue(color->Value()),
                            metres->IsNull() ? ChartNoValue : metres->AsFloat() * unitFactor,
                            days->IsNull() ? ChartNoValue : days->AsFloat()});
        }
    }
    // The bars stand in the order of the group key; rows without a key keep theirs at the end.
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.hasKey != b.hasKey)
            return a.hasKey;
        return a.hasKey && a.key < b.key;
    });
    std::vector<double> distances;
    std::vector<double> times;
    std::vector<TColor> colors;
    for (const Row& r : rows) {
        distances.push_back(r.metres);
        times.push_back(r.days);
        colors.push_back(r.color);
    }
    chart.BeginUpdate();
    try {
        chart.SetSeriesData(QuickStatDistanceSeries, distances, colors);
        chart.SetSeriesData(QuickStatTimeSeries, times, colors);
        ChartAxis& axis = chart.AxisObject(AxisX);
        axis.ClearAxisPointLabels();
        for (size_t i = 0; i < rows.size(); ++i)
            axis.SetAxisPointLabel(int(i), rows[i].label);
    } catch (...) {
        chart.EndUpdate();
        throw;
    }
    chart.EndUpdate();
}
