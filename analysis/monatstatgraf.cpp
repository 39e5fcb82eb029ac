#include "analysis/monatstatgraf.h"

#include "ui_monatstatgraf.h"

#include <algorithm>

#include "analysis/jahresstat.h"
#include "analysis/monthstat.h"
#include "core/orvtools.h"
#include "platform/chart/chartwidget.h"
#include "platform/vcl/events.h"

Tmonatstatgraf* monatstatgraf = nullptr;

Tmonatstatgraf::Tmonatstatgraf(QWidget* Owner) : TStatChartForm(Owner), ui(std::make_unique<Ui::Tmonatstatgraf>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("monatstatgraf"));
    setUpChart(ui->XPButton7, ui->XPButton2, ui->XPButton1, ui->XPButton3, ui->ChartFX1,
               {tr("Meter"), tr("Höhe * 10"), tr("Zeit")});
    XPButton2->OnClick = Handler(this, &Tmonatstatgraf::XPButton2Click);
}

Tmonatstatgraf::~Tmonatstatgraf() = default;

void Tmonatstatgraf::fillRows()
{
    fillGraf();
}

void Tmonatstatgraf::fillGraf()
{
    if (!jahresstat)
        return;
    // The month rows the monthly statistics show, from its last fill: the months field, the
    // start and the unit may have changed since then.
    const TMonthRun& run = jahresstat->Run();
    const int n = std::min(jahresstat->ShownMonths(), int(run.Months.size()));
    std::vector<TStatChartRow> rows;
    for (int i = 0; i < n; ++i) {
        const TMonth& month = run.Months[size_t(i)];
        rows.push_back({StrToFloat(month.Distance), double(StrToInt(month.Height)), MonthChartDays(month.Ms)});
    }
    drawRows(n, rows, jahresstat->FilledUnitName(), jahresstat->FilledUnitCalc(), QStringLiteral("0.000000"));

    ChartAxis& months = ChartFX1->AxisObject(AxisX);
    months.ClearAxisPointLabels();
    for (int i = 0; i < n; ++i)
        months.SetAxisPointLabel(i, MonthChartLabel(run.Months[size_t(i)]));
}

void Tmonatstatgraf::XPButton2Click(QObject*)
{
    popupSeriesMenu();
}
