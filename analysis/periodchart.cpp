#include "analysis/periodchart.h"

#include <QHash>
#include <QMap>

#include <algorithm>
#include <cmath>

#include "core/orvtools.h"
#include "platform/chart/chartmodel.h"
#include "platform/db/connection.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"

namespace {

// The query's word for a marking: the daten column, the order number and the joined table with
// its key. The alias of the joined table stays "spo" for every marking.
struct MarkingWords {
    const char* name;
    const char* table;
    const char* column;
    const char* key;
    const char* orderField;
    const char* colorField;
    const char* legendField;
    const char* joinTable;
    const char* joinKey;
};

constexpr MarkingWords kMarkings[] = {
    {"Sportart", "sportart", "sportart", "Spo_Id", "spo_orderId", "Spo_Farbe", "Spo_Name", "sportart", "spo_id"},
    {"Form", "form", "form", "For_Id", "for_orderId", "For_Farbe", "For_Form", "form", "for_id"},
    {"Belastungsstufe", "belStufe", "belastungsstufe", "bel_ID", "bel_orderId", "bel_Farbe", "bel_Name", "belStufe",
     "bel_id"},
    {"Belastungsart", "belArt", "belastungsart", "bea_ID", "bea_orderId", "bea_Farbe", "bea_Name", "belArt", "bea_id"},
};

const MarkingWords* wordsOf(const QString& name)
{
    for (const MarkingWords& m : kMarkings)
        if (name == QLatin1String(m.name))
            return &m;
    return nullptr;
}

std::unique_ptr<TQuery> openQuery(TConnection& db, const QString& sql)
{
    auto q = std::make_unique<TQuery>();
    q->SetConnection(&db);
    q->SetSQLText(sql);
    q->SetReadOnlySQL(true);
    q->Open();
    return q;
}

// The series of each order number: the position of the first category with it.
QHash<int, int> seriesByOrderNumber(const std::vector<PeriodChartCategory>& categories)
{
    QHash<int, int> series;
    for (size_t i = 0; i < categories.size(); ++i)
        if (!series.contains(categories[i].orderNumber))
            series.insert(categories[i].orderNumber, int(i));
    return series;
}

QString keyText(const QVariant& key)
{
    return key.isNull() ? QString() : key.toString();
}

void fillByDay(ChartModel& chart, TConnection& db, const PeriodChartRequest& r, const PeriodChartMarking& m,
               const std::vector<PeriodChartCategory>& categories)
{
    auto q = openQuery(db, PeriodChartSQL(QStringLiteral("Tag"), m, r.condition));
    const int64_t first = Trunc(r.firstDay);
    // A period that ends before it begins has no days.
    const int days = int(std::max<int64_t>(0, Trunc(r.lastDay) - first + 1));
    // The query's sums by whole day and category key; rows of one day (times of day apart) add up.
    QHash<int64_t, QHash<QString, double>> byDay;
    TField* datum = q->FieldByName(QStringLiteral("datum"));
    TField* category = q->FieldByName(m.column);
    for (; !q->Eof(); q->Next()) {
        if (datum->IsNull())
            continue;
        byDay[Trunc(datum->AsDateTime())][keyText(category->Value())] += PeriodChartValue(*q, r.y, r.unitFactor);
    }
    q->Close();

    chart.OpenDataBlock(cbValues, int(categories.size()), days);
    ChartAxis& x = chart.AxisObject(AxisX);
    x.ClearAxisPointLabels();
    for (int d = 0; d < days; ++d) {
        x.SetAxisPointLabel(d, DateToStr(double(first + d)));
        const auto day = byDay.constFind(first + d);
        if (day == byDay.constEnd())
            continue;  // a day without units has no values
        for (size_t i = 0; i < categories.size(); ++i)
            chart.SetDataValue(int(i), d, day->value(keyText(categories[i].key), 0.0));
    }
    chart.CloseDataBlock(cbValues);
}

void fillByBlock(ChartModel& chart, TConnection& db, const PeriodChartRequest& r, const PeriodChartMarking& m,
                 const std::vector<PeriodChartCategory>& categories)
{
    auto q = openQuery(db, PeriodChartSQL(QStringLiteral("Block"), m, r.condition));
    const QHash<int, int> seriesOf = seriesByOrderNumber(categories);
    // Block j is point j in the query's order (the blocks' creation), whatever its date.
    struct Value {
        int point;
        int serie;
        double value;
    };
    std::vector<Value> values;
    QStringList labels;
    QHash<QString, int> pointOf;
    TField* block = q->FieldByName(QStringLiteral("trb_id"));
    TField* order = q->FieldByName(m.orderField);
    for (; !q->Eof(); q->Next()) {
        const QString id = keyText(block->Value());
        auto it = pointOf.constFind(id);
        if (it == pointOf.constEnd()) {
            it = pointOf.insert(id, int(labels.size()));
            const TField* created = q->FieldByName(QStringLiteral("trb_created"));
            const QString date = created->IsNull() ? QString() : DateToStr(double(Trunc(created->AsDateTime())));
            labels << (date + QLatin1Char(' ') + q->FieldByName(QStringLiteral("trb_name"))->AsString()).trimmed();
        }
        const auto serie = seriesOf.constFind(order->AsInteger());
        if (serie != seriesOf.constEnd())
            values.push_back({*it, *serie, PeriodChartValue(*q, r.y, r.unitFactor)});
    }
    q->Close();

    chart.OpenDataBlock(cbValues, int(categories.size()), int(labels.size()));
    ChartAxis& x = chart.AxisObject(AxisX);
    x.ClearAxisPointLabels();
    for (int p = 0; p < labels.size(); ++p)
        x.SetAxisPointLabel(p, labels[p]);
    for (const Value& v : values)
        chart.SetDataValue(v.serie, v.point, v.value);
    chart.CloseDataBlock(cbValues);
}

void fillByUnit(ChartModel& chart, TConnection& db, const PeriodChartRequest& r, const PeriodChartMarking& m,
                const std::vector<PeriodChartCategory>& categories)
{
    auto q = openQuery(db, PeriodChartSQL(QStringLiteral("keine"), m, r.condition));
    chart.SetStacked(false);
    chart.AxisObject(AxisX).SetAxisSpacing(32.0);
    const QHash<int, int> seriesOf = seriesByOrderNumber(categories);
    int rows = 0;
    for (q->First(); !q->Eof(); q->Next())
        ++rows;
    chart.OpenDataBlock(cbValues, int(categories.size()), rows);
    ChartAxis& x = chart.AxisObject(AxisX);
    x.ClearAxisPointLabels();
    TField* order = q->FieldByName(m.orderField);
    TField* datum = q->FieldByName(QStringLiteral("datum"));
    int row = 0;
    try {
        for (q->First(); !q->Eof(); q->Next(), ++row) {
            const auto serie = seriesOf.constFind(order->AsInteger());
            if (serie != seriesOf.constEnd())
                chart.SetDataValue(*serie, row, PeriodChartValue(*q, r.y, r.unitFactor));
            x.SetAxisPointLabel(row, datum->IsNull() ? QString() : DateToStr(double(Trunc(datum->AsDateTime()))));
        }
    } catch (...) {
        chart.CloseDataBlock(cbValues);
        throw;
    }
    chart.CloseDataBlock(cbValues);
}

void underlayLoadLevels(ChartModel& chart, TConnection& db)
{
    const std::vector<PeriodChartStripe> stripes = ReadLoadLevelStripes(db);
    chart.OpenDataBlock(cbStripes, int(stripes.size()), 0);
    int next = 0;
    for (const PeriodChartStripe& s : stripes) {
        // A load level without a colour gives no band.
        if (s.color == TColor(-1))
            continue;
        ChartStripe& stripe = chart.StripeObject(next++);
        stripe.SetStripeAxis(AxisMainY);
        stripe.SetStripeFrom(s.from);
        stripe.SetStripeTo(s.to);
        stripe.SetStripeColor(s.color);
    }
    chart.CloseDataBlock(cbStripes);
}

}  // namespace

std::optional<PeriodChartMarking> FindPeriodChartMarking(const QString& name)
{
    const MarkingWords* w = wordsOf(name);
    if (!w)
        return std::nullopt;
    return PeriodChartMarking{QString::fromLatin1(w->name),       QString::fromLatin1(w->table),
                              QString::fromLatin1(w->column),     QString::fromLatin1(w->key),
                              QString::fromLatin1(w->orderField), QString::fromLatin1(w->colorField),
                              QString::fromLatin1(w->legendField)};
}

QString PeriodChartSQL(const QString& grouping, const PeriodChartMarking& marking, const QString& condition)
{
    const MarkingWords* w = wordsOf(marking.name);
    if (!w)
        return QString();
    const QString column = QString::fromLatin1(w->column);
    const QString order = QString::fromLatin1(w->orderField);
    const QString join = QString::fromLatin1(w->joinTable) + QStringLiteral(" as spo on (d.") + column +
                         QStringLiteral(" = spo.") + QString::fromLatin1(w->joinKey) + QStringLiteral(")");
    if (grouping == QLatin1String("Tag"))
        return QStringLiteral("SELECT datum, ") + column +
               QStringLiteral(", sum(meter) as sMeter, sum(Zeit) as sZeit, sum(Hoehendifferenz) as sHDiff "
                              "From (SELECT * From daten where ") +
               condition + QStringLiteral(") Group by datum, ") + column + QStringLiteral(" ORDER BY datum");
    if (grouping == QLatin1String("Block"))
        return QStringLiteral("SELECT trainingsblock,trb_name, trb_created, trb_id, ") + order +
               QStringLiteral(", sum(meter) as sMeter, sum(Zeit) as sZeit, sum(Hoehendifferenz) as sHDiff "
                              "From ((SELECT * From daten where ") +
               condition +
               QStringLiteral(") as d inner join trainingsblock AS tb on (d.trainingsblock = tb.trb_id)) inner join ") +
               join + QStringLiteral(" Group by trainingsblock, trb_name, trb_created, trb_id, ") + order +
               QStringLiteral(" ORDER BY trb_created");
    if (grouping == QLatin1String("keine"))
        return QStringLiteral("SELECT dat_id,datum, ") + order +
               QStringLiteral(", meter as sMeter, Zeit as sZeit, Hoehendifferenz as sHDiff, puls, gewicht, Maxpuls, "
                              "Ruhepuls, Erholungspuls, User2, Fett, kcal, gli, Temperatur "
                              "From ((SELECT * From daten where ") +
               condition + QStringLiteral(") as d) inner join ") + join + QStringLiteral(" ORDER BY datum");
    return QString();
}

double PeriodChartValue(TDataSet& query, int y, double unitFactor)
{
    auto integer = [&](const char* name) { return double(query.FieldByName(QString::fromLatin1(name))->AsInteger()); };
    auto number = [&](const char* name) {
        TField* f = query.FieldByName(QString::fromLatin1(name));
        return f->IsNull() ? 0.0 : f->AsFloat();
    };
    switch (y) {
    case pyDistance:
        return integer("sMeter") * unitFactor;
    case pyTime:
        return number("sZeit");
    case pyHeight:
        return integer("sHDiff");
    case pyPulse:
        return integer("Puls");
    case pyGli:
        return number("Gli");
    case pyWeight:
        return integer("Gewicht");
    case pyMaxPulse:
        return integer("Maxpuls");
    case pyRestPulse:
        return integer("Ruhepuls");
    case pyRecoveryPulse:
        return integer("Erholungspuls");
    case pyUser2:
        return number("User2");
    case pyFat:
        return number("Fett");
    case pyKcal:
        return number("kcal");
    case pyTemperature:
        return integer("Temperatur");
    default:
        return 0.0;
    }
}

QString PeriodChartAxisCaption(int y, const QString& unitName, const QString& user2Label)
{
    switch (y) {
    case pyDistance:
        return unitName;
    case pyTime:
        return QStringLiteral("Zeit");
    case pyHeight:
        return QStringLiteral("HDiff");
    case pyPulse:
        return QStringLiteral("Puls");
    case pyGli:
        return QStringLiteral("Gli");
    case pyWeight:
        return QStringLiteral("Gewicht");
    case pyMaxPulse:
        return QStringLiteral("Maximalpuls");
    case pyRestPulse:
        return QStringLiteral("Ruhepuls");
    case pyRecoveryPulse:
        return QStringLiteral("Erholungspuls");
    case pyUser2:
        return user2Label;
    case pyFat:
        return QStringLiteral("Fett");
    case pyKcal:
        return QStringLiteral("kcal");
    default:
        return QString();
    }
}

std::vector<PeriodChartCategory> ReadPeriodChartCategories(TConnection& db, const PeriodChartMarking& marking)
{
    auto q = openQuery(db, QStringLiteral("SELECT %1, %2, %3, %4 FROM %5 ORDER BY %2")
                               .arg(marking.key, marking.orderField, marking.colorField, marking.legendField,
                                    marking.table));
    std::vector<PeriodChartCategory> categories;
    for (; !q->Eof(); q->Next()) {
        PeriodChartCategory c;
        c.key = q->Field(0)->Value();
        c.orderNumber = q->Field(1)->AsInteger();
        c.color = q->Field(2)->IsNull() ? TColor(-1) : TColor(q->Field(2)->AsInteger());
        c.legend = q->Field(3)->AsString();
        categories.push_back(c);
    }
    return categories;
}

std::vector<PeriodChartStripe> ReadLoadLevelStripes(TConnection& db)
{
    auto q = openQuery(db, QStringLiteral("SELECT bel_HFStart, bel_HFEnde, bel_Farbe FROM belStufe ORDER BY bel_orderId"));
    std::vector<PeriodChartStripe> stripes;
    for (; !q->Eof(); q->Next())
        stripes.push_back({q->Field(0)->IsNull() ? 0.0 : q->Field(0)->AsFloat(),
                           q->Field(1)->IsNull() ? 0.0 : q->Field(1)->AsFloat(),
                           q->Field(2)->IsNull() ? TColor(-1) : TColor(q->Field(2)->AsInteger())});
    return stripes;
}

void FillPeriodChart(ChartModel& chart, TConnection& db, const PeriodChartRequest& r)
{
    const std::optional<PeriodChartMarking> marking = FindPeriodChartMarking(r.marking);
    if (!marking)
        return;
    const std::vector<PeriodChartCategory> categories = ReadPeriodChartCategories(db, *marking);

    // Stacked bars from a value axis that follows the data.
    chart.SetStacked(true);
    ChartAxis& x = chart.AxisObject(AxisX);
    x.SetAxisStyle(x.AxisStyle() | 2);
    x.SetAxisSpacing(16.0);
    chart.RefreshChart(1);
    ChartAxis& y = chart.AxisObject(AxisMainY);
    y.SetAxisStep(0.0);
    y.SetAxisIntSetting1(-1);
    y.AxisRescale();
    if (r.y == pyTime) {
        // Ticks every whole hour (in days); the label handler writes them as hours past a day.
        y.SetAxisLabelFormat(QStringLiteral("0.0000000"));
        y.SetAxisStep(1.0 / 24.0);
        y.SetAxisIntSetting2(-1);
    } else {
        y.SetAxisLabelFormat(QString());
    }

    if (r.grouping == QLatin1String("Tag")) {
        fillByDay(chart, db, r, *marking, categories);
    } else if (r.grouping == QLatin1String("Block")) {
        fillByBlock(chart, db, r, *marking, categories);
    } else if (r.grouping == QLatin1String("keine")) {
        try {
            fillByUnit(chart, db, r, *marking, categories);
            if (r.marking == QLatin1String("Sportart") && r.unitChoice == 1 && r.y == pyPulse)
                underlayLoadLevels(chart, db);
        } catch (const std::exception&) {
            if (r.onUnitsFailed)
                r.onUnitsFailed();
        }
    }

    // Colours, legends and visibility of the series, also when there are no values.
    chart.OpenDataBlock(cbColors, int(categories.size()), 0);
    for (size_t i = 0; i < categories.size(); ++i) {
        ChartSeries& s = chart.SeriesObject(int(i));
        s.SetSeriesColor(categories[i].color == TColor(-1) ? clWhite : categories[i].color);
        s.SetSeriesLegend(categories[i].legend);
        if (r.seriesShown && (r.marking == QLatin1String("Sportart") || r.marking == QLatin1String("Form")))
            s.SetSeriesVisible(r.seriesShown(categories[i].key));
    }
    chart.CloseDataBlock(cbColors);

    y.SetAxisTitle(PeriodChartAxisCaption(r.y, r.unitName, r.user2Label));
    y.SetAxisMax(y.AxisMax() * 1.5);
    y.SetAxisMin(0.0);
}
