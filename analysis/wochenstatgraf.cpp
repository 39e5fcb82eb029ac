#include "analysis/wochenstatgraf.h"

#include "ui_wochenstatgraf.h"

#include "analysis/weekstat.h"
#include "analysis/wochenstat.h"
#include "core/orvtools.h"
#include "platform/vcl/events.h"

Twochenstatgraf* wochenstatgraf = nullptr;

Twochenstatgraf::Twochenstatgraf(QWidget* Owner) : TStatChartForm(Owner), ui(std::make_unique<Ui::Twochenstatgraf>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("wochenstatgraf"));
    setUpChart(ui->XPButton7, ui->XPButton2, ui->XPButton1, ui->XPButton3, ui->ChartFX1,
               {tr("Meter"), tr("Höhe * 10"), tr("Zeit")});
    XPButton2->OnClick = Handler(this, &Twochenstatgraf::SeriesChange);
}

Twochenstatgraf::~Twochenstatgraf() = default;

void Twochenstatgraf::fillRows()
{
    fillChart();
}

void Twochenstatgraf::fillChart()
{
    if (!Wochenstat)
        return;
    // The rows the weekly statistics show, all of its last fill: the weeks field may have
    // changed since then.
    const int n = Wochenstat->ShownWeeks();
    const std::vector<TWeek>& weeks = Wochenstat->Weeks();
    std::vector<TStatChartRow> rows;
    for (int i = 1; i <= n && i <= int(weeks.size()); ++i)
        rows.push_back({StrToFloat(Wochenstat->StringGrid1->Cells(1, i)),
                        double(StrToInt(Wochenstat->StringGrid1->Cells(3, i))),
                        double(weeks[size_t(i - 1)].Ms) / 1000 / 60 / 60 / 24});
    drawRows(n, rows, Wochenstat->FilledUnitName(), Wochenstat->FilledUnitCalc(), QStringLiteral("0.0000000"));
}

void Twochenstatgraf::SeriesChange(QObject*)
{
    popupSeriesMenu();
}
