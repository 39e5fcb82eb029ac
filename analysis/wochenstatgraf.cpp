#include "analysis/wochenstatgraf.h"

#include "ui_wochenstatgraf.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include "analysis/calchelp.h"
#include "analysis/weekstat.h"
#include "analysis/wochenstat.h"
#include "controls/xpbutton.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/orvtools.h"
#include "platform/chart/chartwidget.h"
#include "platform/vcl/events.h"

Twochenstatgraf* wochenstatgraf = nullptr;

namespace {

constexpr double kHourInDays = 0.0416669;

// The menu's check picture (image 0 of its image list): a tick.
QIcon checkImage()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6.5, 12), QPointF(13, 4)}));
    return QIcon(pm);
}

// An item shows its ticked state through its image too: image 0 while ticked, none while not.
void setTicked(QAction* item, bool on)
{
    item->setProperty("ImageIndex", on ? 0 : -1);
    item->setIcon(on ? checkImage() : QIcon());
}

}  // namespace

bool Twochenstatgraf::Ticked(const QAction* item)
{
    return item->property("ImageIndex").toInt() == 0;
}

Twochenstatgraf::Twochenstatgraf(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Twochenstatgraf>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("wochenstatgraf"));
    XPButton7 = ui->XPButton7;
    XPButton2 = ui->XPButton2;
    XPButton1 = ui->XPButton1;
    XPButton3 = ui->XPButton3;
    ChartFX1 = ui->ChartFX1;

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setStyle(new FlatMenuStyle(PopupMenu1->style()));
    auto item = [this](const char* name, const QString& caption) {
        QAction* a = PopupMenu1->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        setTicked(a, true);
        connect(a, &QAction::triggered, this, [this, a] { Handler(this, &Twochenstatgraf::Meter1Click)(a); });
        return a;
    };
    Meter1 = item("Meter1", tr("Meter"));
    Hhe101 = item("Hhe101", tr("Höhe * 10"));
    Zeit1 = item("Zeit1", tr("Zeit"));

    PressFlatButtonsOnSpace(this);
    XPButton7->OnClick = Handler(this, &Twochenstatgraf::XPButton7Click);
    XPButton2->OnClick = Handler(this, &Twochenstatgraf::SeriesChange);
    XPButton1->OnClick = Handler(this, &Twochenstatgraf::XPButton1Click);
    XPButton3->OnClick = Handler(this, &Twochenstatgraf::XPButton3Click);
    ChartFX1->OnGetAxisLabel = [this](ChartModel* s, int axis, double value, QString& text) {
        ChartFX1GetAxisLabel(s, axis, value, text);
    };
    OnShow = Handler(this, &Twochenstatgraf::FormShow);
}

Twochenstatgraf::~Twochenstatgraf() = default;

void Twochenstatgraf::FormShow(QObject*)
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
    const QString unitName = Wochenstat->FilledUnitName();
    ChartFX1->SeriesObject(2).SetSeriesAxis(AxisSecondaryY);
    ChartAxis& timeAxis = ChartFX1->AxisObject(AxisSecondaryY);
    timeAxis.SetAxisLabelFormat(QStringLiteral("0.0000000"));
    timeAxis.SetAxisIntSetting2(-1);
    ChartFX1->RefreshChart(1);
    const double k = WeekChartDistanceMultiplier(Wochenstat->FilledUnitCalc());
    timeAxis.AxisRescale();
    timeAxis.SetAxisStep(kHourInDays);

    ChartFX1->OpenDataBlock(cbValues, 3, n);
    for (int i = 1; i <= n && i <= int(weeks.size()); ++i) {
        ChartFX1->SetDataValue(0, i - 1, StrToFloat(Wochenstat->StringGrid1->Cells(1, i)) * k);
        ChartFX1->SetDataValue(1, i - 1, StrToInt(Wochenstat->StringGrid1->Cells(3, i)) * 10.0);
        ChartFX1->SetDataValue(2, i - 1, double(weeks[size_t(i - 1)].Ms) / 1000 / 60 / 60 / 24);
    }
    ChartFX1->CloseDataBlock(cbValues);

    ChartFX1->SeriesObject(0).SetSeriesLegend(unitName);
    ChartFX1->SeriesObject(1).SetSeriesLegend(LoadStr(msg::ColHoehe) + QStringLiteral(" (in m * 10)"));
    ChartFX1->SeriesObject(2).SetSeriesLegend(LoadStr(msg::MarchTime));
    ChartFX1->AxisObject(AxisMainY).SetAxisTitle(unitName + QStringLiteral(" * ") + FloatToStr(k) +
                                                 QStringLiteral("/Meter * 10"));
    // The series chosen in the menu, kept from earlier showings.
    ChartFX1->SeriesObject(0).SetSeriesVisible(Ticked(Meter1));
    ChartFX1->SeriesObject(1).SetSeriesVisible(Ticked(Hhe101));
    ChartFX1->SeriesObject(2).SetSeriesVisible(Ticked(Zeit1));
}

void Twochenstatgraf::SeriesChange(QObject*)
{
    PopupMenu1->popup(QCursor::pos());
}

void Twochenstatgraf::Meter1Click(QObject* Sender)
{
    if (auto* item = qobject_cast<QAction*>(Sender))
        setTicked(item, !Ticked(item));
    ChartFX1->SeriesObject(0).SetSeriesVisible(Ticked(Meter1));
    ChartFX1->SeriesObject(1).SetSeriesVisible(Ticked(Hhe101));
    ChartFX1->SeriesObject(2).SetSeriesVisible(Ticked(Zeit1));
}

void Twochenstatgraf::XPButton1Click(QObject*)
{
    ChartFX1->PrintChart(29443, 0);
}

void Twochenstatgraf::XPButton3Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Grafikanpassung"));
}

void Twochenstatgraf::XPButton7Click(QObject*)
{
    Close();
}

void Twochenstatgraf::ChartFX1GetAxisLabel(ChartModel*, int nAxis, double value, QString& text)
{
    if (nAxis == AxisSecondaryY)
        text = WeekChartTimeLabel(value);
}
