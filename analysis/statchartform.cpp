#include "analysis/statchartform.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include "analysis/calchelp.h"
#include "analysis/weekstat.h"
#include "controls/flatbuttonkeys.h"
#include "controls/xpbutton.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/orvtools.h"
#include "platform/chart/chartwidget.h"
#include "platform/vcl/events.h"

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

TStatChartForm::TStatChartForm(QWidget* Owner) : TForm(Owner) {}

TStatChartForm::~TStatChartForm() = default;

bool TStatChartForm::Ticked(const QAction* item)
{
    return item->property("ImageIndex").toInt() == 0;
}

void TStatChartForm::setUpChart(TXPButton* close, TXPButton* series, TXPButton* print, TXPButton* help,
                                ChartWidget* chart, const SeriesCaptions& captions)
{
    XPButton7 = close;
    XPButton2 = series;
    XPButton1 = print;
    XPButton3 = help;
    ChartFX1 = chart;

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setStyle(new FlatMenuStyle(PopupMenu1->style()));
    auto item = [this](const char* name, const QString& caption) {
        QAction* a = PopupMenu1->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        setTicked(a, true);
        connect(a, &QAction::triggered, this, [this, a] { Handler(this, &TStatChartForm::Meter1Click)(a); });
        return a;
    };
    Meter1 = item("Meter1", captions.Distance);
    Hhe101 = item("Hhe101", captions.Height);
    Zeit1 = item("Zeit1", captions.Time);

    PressFlatButtonsOnSpace(this);
    XPButton7->OnClick = Handler(this, &TStatChartForm::XPButton7Click);
    XPButton1->OnClick = Handler(this, &TStatChartForm::XPButton1Click);
    XPButton3->OnClick = Handler(this, &TStatChartForm::XPButton3Click);
    ChartFX1->OnGetAxisLabel = [this](ChartModel* s, int axis, double value, QString& text) {
        ChartFX1GetAxisLabel(s, axis, value, text);
    };
    OnShow = Handler(this, &TStatChartForm::FormShow);
}

void TStatChartForm::FormShow(QObject*)
{
    fillRows();
}

void TStatChartForm::drawRows(int points, const std::vector<TStatChartRow>& rows, const QString& unitName,
                              double unitCalc, const QString& timeFormat)
{
    ChartFX1->SeriesObject(2).SetSeriesAxis(AxisSecondaryY);
    ChartAxis& timeAxis = ChartFX1->AxisObject(AxisSecondaryY);
    timeAxis.SetAxisLabelFormat(timeFormat);
    timeAxis.SetAxisIntSetting2(-1);
    ChartFX1->RefreshChart(1);
    const double k = WeekChartDistanceMultiplier(unitCalc);
    timeAxis.AxisRescale();
    timeAxis.SetAxisStep(kHourInDays);

    ChartFX1->OpenDataBlock(cbValues, 3, points);
    for (int i = 0; i < points && i < int(rows.size()); ++i) {
        const TStatChartRow& row = rows[size_t(i)];
        ChartFX1->SetDataValue(0, i, row.Distance * k);
        ChartFX1->SetDataValue(1, i, row.Height * 10.0);
        ChartFX1->SetDataValue(2, i, row.Days);
    }
    ChartFX1->CloseDataBlock(cbValues);

    ChartFX1->SeriesObject(0).SetSeriesLegend(unitName);
    ChartFX1->SeriesObject(1).SetSeriesLegend(LoadStr(msg::ColHoehe) + QStringLiteral(" (in m * 10)"));
    ChartFX1->SeriesObject(2).SetSeriesLegend(LoadStr(msg::MarchTime));
    ChartFX1->AxisObject(AxisMainY).SetAxisTitle(unitName + QStringLiteral(" * ") + FloatToStr(k) +
                                                 tr("/Meter * 10"));
    // The series chosen in the menu, kept from earlier showings.
    showTickedSeries();
}

void TStatChartForm::showTickedSeries()
{
    ChartFX1->SeriesObject(0).SetSeriesVisible(Ticked(Meter1));
    ChartFX1->SeriesObject(1).SetSeriesVisible(Ticked(Hhe101));
    ChartFX1->SeriesObject(2).SetSeriesVisible(Ticked(Zeit1));
}

void TStatChartForm::popupSeriesMenu()
{
    PopupMenu1->popup(QCursor::pos());
}

void TStatChartForm::Meter1Click(QObject* Sender)
{
    if (auto* item = qobject_cast<QAction*>(Sender))
        setTicked(item, !Ticked(item));
    showTickedSeries();
}

void TStatChartForm::XPButton1Click(QObject*)
{
    ChartFX1->PrintChart(29443, 0);
}

void TStatChartForm::XPButton3Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Grafikanpassung"));
}

void TStatChartForm::XPButton7Click(QObject*)
{
    Close();
}

void TStatChartForm::ChartFX1GetAxisLabel(ChartModel*, int nAxis, double value, QString& text)
{
    if (nAxis == AxisSecondaryY)
        text = WeekChartTimeLabel(value);
}
