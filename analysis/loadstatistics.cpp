#include "analysis/loadstatistics.h"

#include <cmath>

#include "core/orvtools.h"
#include "platform/chart/chartmodel.h"
#include "platform/db/dataset.h"
#include "platform/db/fields.h"
#include "platform/rtl/sysutils.h"

namespace {

// The columns of one grouping: its key in the units, its table with the join, its colour and
// name columns.
struct GroupingColumns {
    const char* Key;
    const char* Join;
    const char* Color;
    const char* Name;
};

const GroupingColumns* groupingColumns(const QString& grouping)
{
    static const GroupingColumns level{"belastungsstufe", "INNER JOIN belStufe on (d.belastungsstufe = belStufe.bel_id) ",
                                       "bel_farbe", "bel_name"};
    static const GroupingColumns type{"belastungsart", "INNER JOIN belArt on (d.belastungsart = belArt.bea_id) ",
                                      "bea_farbe", "bea_name"};
    if (grouping == QLatin1String("Belastungsstufe"))
        return &level;
    if (grouping == QLatin1String("Belastungsart"))
        return &type;
    return nullptr;
}

bool timeBasis(const QString& basis)
{
    return basis == QLatin1String("Zeit");
}

}  // namespace

QString LoadStatisticsStatement(const QString& grouping, const QString& basis, const QString& quickWhere)
{
    const GroupingColumns* g = groupingColumns(grouping);
    if (!g || (basis != QLatin1String("Meter") && !timeBasis(basis)))
        return QString();
    const QString key = QString::fromLatin1(g->Key);
    const QString columns = key + QLatin1Char(',') + QString::fromLatin1(g->Color) + QLatin1Char(',') +
                            QString::fromLatin1(g->Name);
    const QString sum = timeBasis(basis) ? QStringLiteral(" sum(zeit) as sZeit ") : QStringLiteral(" sum(meter) as sMeter ");
    return QStringLiteral("SELECT ") + columns + QLatin1Char(',') + sum + QStringLiteral("FROM (Select * from daten WHERE ") +
           quickWhere + QStringLiteral(") as d ") + QString::fromLatin1(g->Join) + QStringLiteral("GROUP BY ") + columns;
}

TColor LoadGroupColor(const QVariant& stored)
{
    if (stored.isNull())
        return clWhite;
    bool ok = false;
    const qint64 value = stored.toLongLong(&ok);
    if (!ok || value == -1)
        return clWhite;
    return TColor(quint32(value));
}

QList<TLoadGroup> ReadLoadGroups(TDataSet& result, const QString& grouping, const QString& basis)
{
    QList<TLoadGroup> groups;
    const GroupingColumns* g = groupingColumns(grouping);
    if (!g)
        return groups;
    const bool time = timeBasis(basis);
    TField* name = result.FieldByName(QString::fromLatin1(g->Name));
    TField* color = result.FieldByName(QString::fromLatin1(g->Color));
    TField* sum = result.FieldByName(time ? QStringLiteral("sZeit") : QStringLiteral("sMeter"));
    for (result.First(); !result.Eof(); result.Next()) {
        TLoadGroup group;
        group.Name = name->AsString();
        group.Color = LoadGroupColor(color->Value());
        group.Time = time;
        // Distances are whole metres; a group without any counts 0.
        group.Sum = time ? sum->AsFloat() : double(sum->AsInteger());
        groups << group;
    }
    return groups;
}

QString LoadSumText(const TLoadGroup& group, double unitFactor)
{
    if (group.Time)
        return MsToTimeStr(int64_t(std::llround(group.Sum * 86400000.0)));
    // To the metre in kilometres, as the other distances: a factor such as the mile's gives no
    // row of digits.
    return FloatToStr(std::round(group.Sum * unitFactor * 1000.0) / 1000.0);
}

void FillLoadChart(ChartModel& chart, const QList<TLoadGroup>& groups)
{
    const int n = int(groups.size());
    chart.OpenDataBlock(cbValues, 1, n);
    ChartAxis& labels = chart.AxisObject(AxisX);
    labels.ClearAxisPointLabels();
    for (int j = 0; j < n; ++j) {
        chart.SetDataValue(0, j, groups[j].Sum);
        labels.SetAxisPointLabel(j, groups[j].Name);
    }
    chart.CloseDataBlock(cbValues);
    chart.OpenDataBlock(cbColors, n, 0);
    for (int j = 0; j < n; ++j)
        chart.SetPointColor(j, groups[j].Color);
    chart.CloseDataBlock(cbColors);
}
