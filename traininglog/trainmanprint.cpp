#include "traininglog/trainmanprint.h"

#include <QCoreApplication>

#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdatabase.h"
#include "core/orvdbserver.h"
#include "platform/report/report.h"
#include "traininglog/planlogic.h"

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("TTrainManPrint", text);
}

QFont printFont(double points, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

TReportLabel* text(TReportBand* band, const QString& caption, double left, double top, double width,
                   const QFont& font = printFont(9), Qt::Alignment align = Qt::AlignLeft)
{
    TReportLabel* l = band->AddLabel(caption, left, top);
    l->SetAutoSize(false);
    l->SetWidth(width);
    l->SetHeight(band->Report()->TextHeight(font));
    l->SetFont(font);
    l->SetAlignment(align);
    return l;
}

TReportDBText* field(TReportBand* band, const QString& name, double left, double top, double width,
                     TDataSet* dataSet = nullptr, const QFont& font = printFont(9))
{
    TReportDBText* t = band->AddDBText(name, left, top, width);
    t->SetFont(font);
    t->SetHeight(band->Report()->TextHeight(font));
    if (dataSet)
        t->SetDataSet(dataSet);
    return t;
}

// The running sums of one run of the report.
struct TPlanSums {
    qint64 weekMeter = 0;
    qint64 planMeter = 0;
};

qint64 metersOf(TDataSet* ds)
{
    TField* m = ds->FieldByName(QStringLiteral("Meter"));
    return m->IsNull() ? 0 : m->AsInteger();
}

// A unit's distance in the distance unit of its sport; a sport or unit missing from its table
// prints the metres.
QString unitDistanceText(TDataSet* ds)
{
    const qint64 meters = metersOf(ds);
    TField* sport = ds->FieldByName(QStringLiteral("Sportart"));
    if (!sport->IsNull()) {
        try {
            const int id = sport->AsInteger();
            return FloatToStr(GetUnitDistance(id, int(meters))) + QLatin1Char(' ') + GetUnitShortName(id);
        } catch (const std::exception&) {
        }
    }
    return QString::number(meters) + QStringLiteral(" m");
}

}  // namespace

QString PlanDistanceText(TorvServer& server, const QString& distanceUnitName, qint64 meters)
{
    double factor = 1;
    if (DistanceUnitFactor(server.distancespeed, distanceUnitName, factor))
        return FloatToStr(double(meters) * factor) + QLatin1Char(' ') + distanceUnitName;
    return QString::number(meters) + QStringLiteral(" m");
}

std::unique_ptr<TReport> BuildTrainManPrint(TorvServer& server, const QString& distanceUnitName)
{
    auto rep = std::make_unique<TReport>();
    TReport& r = *rep;
    r.SetDataSet(&server.plan_daten);
    r.SetOrientation(QPageLayout::Landscape);
    r.SetUnits(ruMillimetres);
    r.SetReportTitle(Tr("Trainingsplan"));
    r.SetFirstPageHeader(true);
    r.SetLastPageFooter(true);
    r.SetPrintIfEmpty(true);
    auto sums = std::make_shared<TPlanSums>();
    r.BeforePrint = [sums](TReport*, bool&) { *sums = TPlanSums(); };

    // Title: the plan's own fields.
    TReportBand* title = r.AddBand(btTitle, 42);
    TReportLabel* caption = title->AddLabel(Tr("Trainingsplan"), 0, 0);
    caption->SetFont(printFont(16, true));
    caption->SetAlignToBand(true);
    caption->SetAlignment(Qt::AlignHCenter);
    TDataSet* plan = &server.Plan;
    const QFont bold = printFont(9, true);
    text(title, Tr("Plan: "), 0, 10, 30, bold);
    field(title, QStringLiteral("pla_Name"), 32, 10, 150, plan, bold);
    text(title, Tr("Erstellt:"), 0, 15, 30);
    field(title, QStringLiteral("pla_Created"), 32, 15, 60, plan);
    text(title, Tr("Realisiert:"), 0, 20, 30);
    TReportLabel* realised = text(title, QString(), 32, 20, 40);
    text(title, Tr("Periode:"), 0, 25, 30);
    field(title, QStringLiteral("pla_Periode"), 32, 25, 40, plan);
    text(title, Tr("Beschreibung:"), 0, 30, 30);
    TReportDBText* description = field(title, QStringLiteral("pla_Beschreibung"), 32, 30, 240, plan);
    description->SetHeight(10);
    description->SetWordWrap(true);
    title->BeforePrint = [plan, realised](TReportBand*, bool&) {
        TField* f = plan->FieldByName(QStringLiteral("pla_Realisiert"));
        realised->SetCaption(!f->IsNull() && f->AsBoolean() ? Tr("Wahr") : Tr("Falsch"));
    };

    // Week header.
    const double columns[] = {0, 26, 38, 70, 100, 120, 140, 196};
    TReportBand* week = r.AddBand(btGroupHeader, 12);
    week->SetName(QStringLiteral("WeekHeader"));
    week->SetExpression(QStringLiteral("Woche"));
    week->SetRepeatOnNewPage(true);
    week->SetColor(clSilver);
    week->Frame().SetAll(true);
    text(week, Tr("Woche:"), 1, 1, 16, bold);
    field(week, QStringLiteral("Woche"), 18, 1, 20, nullptr, bold);
    const char* const titles[] = {QT_TRANSLATE_NOOP("TTrainManPrint", "Sport"),
                                  QT_TRANSLATE_NOOP("TTrainManPrint", "Distanz"),
                                  QT_TRANSLATE_NOOP("TTrainManPrint", "Zeit"),
                                  QT_TRANSLATE_NOOP("TTrainManPrint", "min/km"),
                                  QT_TRANSLATE_NOOP("TTrainManPrint", "Ort")};
    for (int i = 0; i < 5; ++i)
        text(week, Tr(titles[i]), columns[2 + i], 6.5, 28, bold);

    // One unit.
    TReportBand* detail = r.AddBand(btDetail, 6);
    detail->SetName(QStringLiteral("Unit"));
    field(detail, QStringLiteral("Datum"), columns[0], 1, 25);
    field(detail, QStringLiteral("Tag"), columns[1], 1, 11);
    field(detail, QStringLiteral("SportName"), columns[2], 1, 31);
    TReportLabel* distance = text(detail, QString(), columns[3], 1, 29);
    distance->SetName(QStringLiteral("Distance"));
    field(detail, QStringLiteral("Zeit"), columns[4], 1, 19);
    field(detail, QStringLiteral("minkm"), columns[5], 1, 19);
    field(detail, QStringLiteral("Ort"), columns[6], 1, 55);
    field(detail, QStringLiteral("Streckenbeschreibung"), columns[7], 1, 80);
    detail->BeforePrint = [sums, distance](TReportBand* band, bool&) {
        TDataSet* ds = band->Report()->DataSet();
        const qint64 m = metersOf(ds);
        sums->weekMeter += m;
        sums->planMeter += m;
        distance->SetCaption(unitDistanceText(ds));
    };

    // Week footer: the week's distance on a light grey rectangle.
    TReportBand* weekEnd = r.AddBand(btGroupFooter, 9);
    weekEnd->SetName(QStringLiteral("WeekFooter"));
    week->SetFooterBand(weekEnd);
    TReportShape* box = weekEnd->AddShape(stRectangle, 0, 1, 120, 6.5);
    box->SetBrushColor(0xE6E6E6);
    box->SetPenColor(clSilver);
    text(weekEnd, Tr("Distanz/Woche:"), 2, 2, 34, bold);
    TReportLabel* weekDistance = text(weekEnd, QString(), 38, 2, 80, bold);
    weekDistance->SetName(QStringLiteral("WeekDistance"));
    TorvServer* s = &server;
    weekEnd->BeforePrint = [s, sums, weekDistance, distanceUnitName](TReportBand*, bool&) {
        weekDistance->SetCaption(PlanDistanceText(*s, distanceUnitName, sums->weekMeter));
    };
    weekEnd->AfterPrint = [sums](TReportBand*, bool) { sums->weekMeter = 0; };

    // Summary: the plan's distance.
    TReportBand* summary = r.AddBand(btSummary, 10);
    summary->SetName(QStringLiteral("Summary"));
    summary->Frame().DrawTop = true;
    text(summary, Tr("Gesamtdistanz:"), 0, 2, 34, bold);
    TReportLabel* planDistance = text(summary, QString(), 38, 2, 80, bold);
    planDistance->SetName(QStringLiteral("PlanDistance"));
    summary->AddExpr(QStringLiteral("sum(meter)"), 140, 2, 30)->SetEnabled(false);
    summary->BeforePrint = [s, sums, planDistance, distanceUnitName](TReportBand*, bool&) {
        planDistance->SetCaption(PlanDistanceText(*s, distanceUnitName, sums->planMeter));
    };

    // Page footer: who printed which plan when.
    TReportBand* footer = r.AddBand(btPageFooter, 8);
    footer->Frame().DrawTop = true;
    text(footer, Tr("Erstellt mit Orvalo 5"), 0, 2, 60, printFont(8));
    TReportLabel* footerText = text(footer, QString(), 100, 2, 177, printFont(8), Qt::AlignRight);
    footerText->SetName(QStringLiteral("FooterText"));
    footer->BeforePrint = [s, footerText](TReportBand*, bool&) {
        const QString athlete = s->config.Active() && !s->config.IsEmpty()
                                    ? s->config.FieldByName(QStringLiteral("cfg_name"))->AsString()
                                    : QString();
        footerText->SetCaption(s->Plan.FieldByName(QStringLiteral("pla_Name"))->AsString() + QStringLiteral(", ") +
                               FormatDateTime(FormatSettings().ShortDateFormat, Date(), FormatSettings()) +
                               QLatin1Char(' ') + LoadStr(msg::For) + QLatin1Char(' ') + athlete);
    };
    return rep;
}
