#include "analysis/toolquickstatframe.h"

#include "ui_toolquickstatframe.h"

#include <QKeyEvent>
#include <QPainter>

#include "analysis/quickstatsql.h"
#include "controls/xpbutton.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "platform/chart/chartwidget.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/vcl/events.h"

TtoolQuickstatFrm* toolQuickstatFrm = nullptr;

namespace {

const QColor kInk(40, 52, 72);

// The pictures of the six buttons, drawn by the program.
enum class PaneGlyph { Week, Block, Levels, Sports, Distance, Time };

QImage paneGlyph(PaneGlyph kind)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(kInk);
    switch (kind) {
    case PaneGlyph::Week:
        // A calendar sheet with one week marked.
        p.setBrush(Qt::white);
        p.drawRect(1, 2, 13, 12);
        p.fillRect(2, 3, 12, 3, QColor(200, 60, 50));
        p.fillRect(3, 9, 10, 2, kInk);
        break;
    case PaneGlyph::Block:
        // Three stacked blocks.
        p.setBrush(QColor(120, 160, 220));
        p.drawRect(1, 9, 6, 5);
        p.drawRect(8, 9, 6, 5);
        p.drawRect(4, 3, 7, 5);
        break;
    case PaneGlyph::Levels:
        // Rising bars from easy to hard.
        p.setPen(Qt::NoPen);
        p.fillRect(1, 10, 3, 5, QColor(110, 190, 110));
        p.fillRect(5, 7, 3, 8, QColor(230, 200, 60));
        p.fillRect(9, 4, 3, 11, QColor(240, 140, 50));
        p.fillRect(13, 1, 2, 14, QColor(210, 60, 50));
        break;
    case PaneGlyph::Sports:
        // Coloured dots, one per sport.
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(QColor(90, 170, 90));
        p.drawEllipse(QRectF(1.5, 1.5, 6, 6));
        p.setBrush(QColor(240, 170, 60));
        p.drawEllipse(QRectF(8.5, 1.5, 6, 6));
        p.setBrush(QColor(80, 140, 220));
        p.drawEllipse(QRectF(5, 8.5, 6, 6));
        break;
    case PaneGlyph::Distance: {
        // A ruler.
        p.setBrush(QColor(250, 225, 140));
        p.drawRect(0, 5, 15, 6);
        for (int x = 3; x < 15; x += 3)
            p.drawLine(x, 5, x, x % 6 == 0 ? 9 : 7);
        break;
    }
    case PaneGlyph::Time:
        // A clock.
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.drawLine(QPointF(8, 8), QPointF(8, 4));
        p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
        break;
    }
    return img;
}

// The factor of the configured distance unit (metres × factor); 1 without one.
double configuredUnitFactor()
{
    if (!orvServer->config.Active() || !orvServer->distancespeed.Active())
        return 1.0;
    const QVariant unit = orvServer->config.FieldByName(QStringLiteral("cfg_wochenmonatUnt"))->Value();
    if (unit.isNull())
        return 1.0;
    const QVariant calc = orvServer->distancespeed.Lookup(QStringLiteral("unt_id"), unit, QStringLiteral("unt_calc"));
    return calc.isNull() ? 1.0 : calc.toDouble();
}

}  // namespace

TtoolQuickstatFrm::TtoolQuickstatFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TtoolQuickstatFrm>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("toolQuickstatFrm"));
    Panel1 = ui->Panel1;
    XPButton1 = ui->XPButton1;
    XPButton2 = ui->XPButton2;
    XPButton3 = ui->XPButton3;
    XPButton4 = ui->XPButton4;
    XPButton5 = ui->XPButton5;
    XPButton6 = ui->XPButton6;
    DBChart1 = ui->DBChart1;

    const PaneGlyph glyphs[] = {PaneGlyph::Week,   PaneGlyph::Block,    PaneGlyph::Levels,
                                PaneGlyph::Sports, PaneGlyph::Distance, PaneGlyph::Time};
    TXPButton* const buttons[] = {XPButton1, XPButton2, XPButton3, XPButton4, XPButton5, XPButton6};
    for (size_t i = 0; i < std::size(buttons); ++i) {
        buttons[i]->SetGlyph(paneGlyph(glyphs[i]));
        // Tab stops on every button; the button answers Space and Return itself.
        buttons[i]->setFocusPolicy(Qt::StrongFocus);
    }
    for (size_t i = 1; i < std::size(buttons); ++i)
        setTabOrder(buttons[i - 1], buttons[i]);

    // Bars of one series at a time: the distances against the left axis in the configured
    // unit, the times against the right axis in hours and minutes.
    ChartWidget& chart = *DBChart1;
    chart.BeginUpdate();
    chart.SetGallery(ChartKind::Bar);
    chart.SetStacked(false);
    chart.SetLegendVisible(false);
    chart.SetBackColor(clBtnFace);
    chart.SetPlotBackColor(clWhite);
    QFont title(QStringLiteral("Tahoma"));
    title.setPixelSize(11);
    chart.SetTitleFont(title);
    chart.SetTitleColor(clGray);
    chart.OpenDataBlock(cbValues, 2, 0);
    chart.CloseDataBlock(cbValues);
    chart.SeriesObject(QuickStatDistanceSeries).SetSeriesAxis(AxisMainY);
    chart.SeriesObject(QuickStatTimeSeries).SetSeriesAxis(AxisSecondaryY);
    for (int s : {QuickStatDistanceSeries, QuickStatTimeSeries})
        chart.SeriesObject(s).SetPointLabels(false);
    ChartAxis& times = chart.AxisObject(AxisSecondaryY);
    times.SetLabelKind(AxisLabelKind::Time);
    times.SetTimeFormat(QStringLiteral("hh:mm"));
    chart.SeriesObject(QuickStatTimeSeries).SetSeriesVisible(false);
    chart.EndUpdate();

    XPButton1->OnClick = Handler(this, &TtoolQuickstatFrm::XPButton1Click);
    XPButton2->OnClick = Handler(this, &TtoolQuickstatFrm::XPButton2Click);
    XPButton3->OnClick = Handler(this, &TtoolQuickstatFrm::XPButton3Click);
    XPButton4->OnClick = Handler(this, &TtoolQuickstatFrm::XPButton3Click);
    XPButton5->OnClick = Handler(this, &TtoolQuickstatFrm::XPButton5Click);
    XPButton6->OnClick = Handler(this, &TtoolQuickstatFrm::XPButton6Click);
    RegisterView<QuickStatView>(this);
}

TtoolQuickstatFrm::~TtoolQuickstatFrm()
{
    UnregisterView<QuickStatView>(this);
    if (toolQuickstatFrm == this)
        toolQuickstatFrm = nullptr;
}


bool TtoolQuickstatFrm::XPButton1Down() const
{
    return XPButton1->Down();
}

bool TtoolQuickstatFrm::XPButton2Down() const
{
    return XPButton2->Down();
}

void TtoolQuickstatFrm::showNothing()
{
    orvServer->quickstat.Close();
    FillQuickStatChart(*DBChart1, orvServer->quickstat, 1.0);
    DBChart1->SetTitle({QString()});
}

void TtoolQuickstatFrm::showStatistics(const QString& source, const QString& title)
{
    TQuery& q = orvServer->quickstat;
    q.Close();
    q.SQL().clear();
    q.SetSQL(QuickStatStatement(XPButton4->Down(), source));
    try {
        q.Open();
    } catch (...) {
        // The query stays closed until the next refresh, and the chart shows no bars of it.
        FillQuickStatChart(*DBChart1, q, 1.0);
        throw;
    }
    FillQuickStatChart(*DBChart1, q, configuredUnitFactor());
    DBChart1->SetTitle({title});
}

void TtoolQuickstatFrm::XPButton1Click(QObject*)
{
    if (!orvServer)
        return;
    TTable& daten = orvServer->daten;
    TField* datum = daten.Active() ? daten.FieldByName(QStringLiteral("Datum")) : nullptr;
    if (!datum || datum->IsNull()) {
        showNothing();
        return;
    }
    const TQuickStatWeek week = QuickStatWeekOf(datum->AsDateTime());
    showStatistics(QuickStatWeekSource(week), QuickStatWeekTitle(week));
}

void TtoolQuickstatFrm::XPButton2Click(QObject*)
{
    if (!orvServer)
        return;
    TTable& daten = orvServer->daten;
    TField* block = daten.Active() ? daten.FieldByName(QStringLiteral("trainingsblock")) : nullptr;
    if (!block || block->IsNull()) {
        showNothing();
        return;
    }
    const qint64 id = block->AsInteger();
    const QVariant name = orvServer->trainblock.Active()
                              ? orvServer->trainblock.Lookup(QStringLiteral("trb_id"), id, QStringLiteral("trb_name"))
                              : QVariant();
    showStatistics(QuickStatBlockSource(id), name.isNull() ? QString() : name.toString());
}

void TtoolQuickstatFrm::XPButton3Click(QObject*)
{
    if (XPButton1->Down())
        XPButton1->Click();
    else if (XPButton2->Down())
        XPButton2->Click();
}

void TtoolQuickstatFrm::XPButton5Click(QObject*)
{
    DBChart1->BeginUpdate();
    DBChart1->SeriesObject(QuickStatTimeSeries).SetSeriesVisible(false);
    DBChart1->SeriesObject(QuickStatDistanceSeries).SetSeriesVisible(true);
    DBChart1->EndUpdate();
}

void TtoolQuickstatFrm::XPButton6Click(QObject*)
{
    DBChart1->BeginUpdate();
    DBChart1->SeriesObject(QuickStatDistanceSeries).SetSeriesVisible(false);
    DBChart1->SeriesObject(QuickStatTimeSeries).SetSeriesVisible(true);
    DBChart1->EndUpdate();
}
