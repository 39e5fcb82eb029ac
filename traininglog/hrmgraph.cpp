#include "traininglog/hrmgraph.h"

#include "ui_hrmgraph.h"

#include <QFileInfo>
#include <QKeyEvent>

#include <climits>

#include "core/language.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "platform/db/fields.h"
#include "platform/rtl/folders.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/vergleichselect.h"
#include "traininglog/zwstatistik.h"

TzwHRMGraph* zwHRMGraph = nullptr;

namespace hrmgraph {
QStringList pointNotes;
int clickedSerie = -1;
int clickedPoint = 0;
double savedYMax = 0.0;
}  // namespace hrmgraph

using namespace hrmgraph;

namespace {

// The look of the seven series of a group: height, pulse, cadence, gradient, temperature,
// calculated and measured speed.
constexpr TColor kSeriesColors[SeriesPerGroup] = {
    0x00507890,  // height: olive brown
    0x002020D0,  // pulse: red
    0x00A06020,  // cadence: blue
    0x00208040,  // gradient: green
    0x000080E0,  // temperature: orange
    0x00904080,  // calculated speed: purple
    0x00808000,  // measured speed: teal
};

int legendMessage(int serie)
{
    static const int ids[SeriesPerGroup] = {msg::ColHoehe,     msg::InfoPulse,        msg::GraphCadence, msg::GraphGradient,
                                            msg::GraphTemperature, msg::GraphAvgKmh, msg::ColImportKmh};
    return ids[serie];
}

}  // namespace

TzwHRMGraph::TzwHRMGraph(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TzwHRMGraph>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);
    ChartFX1 = ui->ChartFX1;
    Panel1 = ui->Panel1;
    Panel2 = ui->Panel2;
    Panel6 = ui->Panel6;
    XPButton7 = ui->XPButton7;
    XPButton4 = ui->XPButton4;
    XPButton18 = ui->XPButton18;
    XPButton10 = ui->XPButton10;
    XPButton11 = ui->XPButton11;
    XPButton2 = ui->XPButton2;
    XPButton3 = ui->XPButton3;
    XPButton5 = ui->XPButton5;
    XPButton6 = ui->XPButton6;
    XPButton12 = ui->XPButton12;
    XPButton13 = ui->XPButton13;
    XPButton14 = ui->XPButton14;
    XPButton8 = ui->XPButton8;
    XPButton9 = ui->XPButton9;
    XPButton17 = ui->XPButton17;
    XPButton16 = ui->XPButton16;
    XPButton1 = ui->XPButton1;
    XPButton15 = ui->XPButton15;
    XPButton19 = ui->XPButton19;
    SpinEdit1 = ui->SpinEdit1;
    SpinEdit2 = ui->SpinEdit2;
    CheckListBox1 = ui->CheckListBox1;
    MaxPuls = ui->MaxPuls;
    MinPuls = ui->MinPuls;
    AvgPuls = ui->AvgPuls;
    EntryPuls = ui->EntryPuls;
    ZeitValue = ui->ZeitValue;

    // No range limits on the two bounds.
    for (QSpinBox* s : {SpinEdit1, SpinEdit2})
        s->setRange(INT_MIN + 1, INT_MAX);
    SpinEdit1->setValue(210);
    SpinEdit2->setValue(70);
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        QListWidgetItem* item = CheckListBox1->item(i);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }

    PopupMenu1 = new QMenu(ChartFX1);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setStyle(new FlatMenuStyle(PopupMenu1->style()));
    DiesenPunktbearbeiten1 = PopupMenu1->addAction(tr("Diesen Punkt bearbeiten"));
    DiesenPunktbearbeiten1->setObjectName(QStringLiteral("DiesenPunktbearbeiten1"));
    connect(DiesenPunktbearbeiten1, &QAction::triggered, this,
            [this] { RunGuarded([this] { DiesenPunktbearbeiten1Click(DiesenPunktbearbeiten1); }); });

    XPButton7->OnClick = Handler(this, &TzwHRMGraph::XPButton7Click);
    XPButton18->OnClick = Handler(this, &TzwHRMGraph::XPButton18Click);
    XPButton10->OnClick = Handler(this, &TzwHRMGraph::XPButton10Click);
    XPButton11->OnClick = Handler(this, &TzwHRMGraph::XPButton11Click);
    XPButton1->OnClick = Handler(this, &TzwHRMGraph::XPButton1Click);
    XPButton8->OnClick = Handler(this, &TzwHRMGraph::XPButton8Click);
    XPButton9->OnClick = Handler(this, &TzwHRMGraph::XPButton9Click);
    XPButton16->OnClick = Handler(this, &TzwHRMGraph::XPButton16Click);
    XPButton17->OnClick = Handler(this, &TzwHRMGraph::XPButton16Click);
    for (int s = 0; s < SeriesPerGroup; ++s)
        SeriesButton(s)->OnClick = Handler(this, &TzwHRMGraph::XPButton2Click);
    XPButton4->OnClick = Handler(this, &TzwHRMGraph::XPButton4Click);
    XPButton15->OnClick = Handler(this, &TzwHRMGraph::XPButton15Click);
    XPButton19->OnClick = Handler(this, &TzwHRMGraph::XPButton19Click);
    connect(CheckListBox1, &QListWidget::itemChanged, this,
            [this](QListWidgetItem*) { RunGuarded([this] { CheckListBox1ClickCheck(CheckListBox1); }); });
    ChartFX1->OnRButtonDown = [this](ChartWidget* s, int x, int y, int serie, int point) {
        RunGuarded([&] { ChartFX1RButtonDown(s, x, y, serie, point); });
    };
    ChartFX1->OnGetAxisLabel = [this](ChartModel* s, int axis, double value, QString& text) {
        ChartFX1GetAxisLabel(s, axis, value, text);
    };
    ChartFX1->OnGetPointLabel = [this](ChartModel* s, int serie, int point, QString& text) {
        ChartFX1GetPointLabel(s, serie, point, text);
    };
    OnShow = Handler(this, &TzwHRMGraph::FormShow);

    // Tab stops on every button; the button answers Space and Return itself.
    for (TXPButton* b : findChildren<TXPButton*>())
        b->setFocusPolicy(Qt::StrongFocus);
    QWidget* order[] = {XPButton7,  XPButton4,  XPButton18, XPButton10,   XPButton11, SpinEdit1,  SpinEdit2,
                        XPButton1,  XPButton15, CheckListBox1, XPButton19, XPButton2,  XPButton3,  XPButton5,
                        XPButton6,  XPButton12, XPButton13, XPButton14,   XPButton8,  XPButton9,  XPButton17,
                        XPButton16};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    FormCreate(this);
}

TzwHRMGraph::~TzwHRMGraph() = default;

TXPButton* TzwHRMGraph::SeriesButton(int serie) const
{
    TXPButton* const buttons[SeriesPerGroup] = {XPButton2, XPButton3, XPButton5, XPButton6, XPButton12, XPButton13, XPButton14};
    return buttons[serie];
}


void TzwHRMGraph::FormCreate(QObject*)
{
    seriesGroups = 1;
    compareUnitId = 1024;
    if (orvServer && orvServer->daten.Active() && !orvServer->daten.IsEmpty())
        unitId = orvServer->daten.FieldByName(QStringLiteral("dat_Id"))->AsInteger();
    hrm_ = eingabe && eingabe->hrmTabActive();

    // The chart's own look: lines, the seven series' colours, the height against the secondary
    // axis, the branding picture behind the plot when there is one.
    ChartFX1->SetGallery(ChartKind::Line);
    for (int s = 0; s < SeriesPerGroup; ++s)
        ChartFX1->SeriesObject(s).SetSeriesColor(kSeriesColors[s]);
    ChartFX1->SeriesObject(serHoehe).SetLineWidth(2.0);
    const QString picture = ProgramFile(QStringLiteral("Custom/graf.bmp"));
    if (QFileInfo::exists(picture)) {
        QImage image(picture);
        if (!image.isNull())
            ChartFX1->SetBackgroundPicture(image);
    }
    XPButton16->setEnabled(false);
    XPButton17->setEnabled(false);
}

void TzwHRMGraph::FormShow(QObject*)
{
    if (orvServer && orvServer->daten.Active())
        ZeitValue->setText(orvServer->daten.FieldByName(QStringLiteral("Zeit"))->DisplayText());
    FillGraf();
}

bool TzwHRMGraph::speedShown() const
{
    return XPButton13->Down() || XPButton14->Down();
}

void TzwHRMGraph::addPoint(int group, int p, const GraphPoint& point, bool timeAxis)
{
    const double x = PointX(point, timeAxis);
    for (int s = 0; s < SeriesPerGroup; ++s) {
        ChartFX1->SetDataValue(group * SeriesPerGroup + s, p, point.values[s]);
        ChartFX1->SetXValue(group * SeriesPerGroup + s, p, x);
    }
}

void TzwHRMGraph::FillGraf()
{
    if (!orvServer)
        return;
    TorvServer& server = *orvServer;
    TQuery& zeit = server.zeit;
    ChartWidget& chart = *ChartFX1;
    const bool timeAxis = XPButton9->Down();
    const bool pace = XPButton17->Down();
    const int groups = seriesGroups == 2 ? 2 : 1;

    // The unit's own rows as zeit holds them now (under the pulse filter).
    QList<GraphPoint> own;
    if (zeit.Active()) {
        for (zeit.First(); !zeit.Eof(); zeit.Next())
            own << ReadGraphPoint(zeit, pace);
        zeit.First();
    }
    // The comparison unit's rows of the same kind, through the graph's own query.
    QList<GraphPoint> other;
    if (groups == 2)
        other = ReadUnitPoints(server, compareRows_, compareUnitId, hrm_, pace, pulseFilter_);

    figures_ = PulseFigures();
    pointNotes.clear();
    pointRows_.clear();
    for (const GraphPoint& p : own) {
        pointNotes << p.note;
        pointRows_ << p.row;
        figures_.Add(p.puls);
    }

    chart.SetStacked(false);
    chart.SeriesObject(serHoehe).SetSeriesAxis(AxisSecondaryY);
    chart.SeriesObject(serTrittfrequenz).SetSeriesAxis(AxisMainY);
    chart.ClearData(ccValues);
    for (int a : {AxisMainY, AxisSecondaryY}) {
        chart.AxisObject(a).SetAxisStep(0);
        chart.AxisObject(a).AxisRescale();
    }
    ChartAxis& x = chart.AxisObject(AxisX);
    x.AxisRescale();
    if (timeAxis) {
        x.SetLabelKind(AxisLabelKind::Time);
        x.SetTimeFormat(QStringLiteral("hh:mm:ss"));
        x.SetAxisStep(1.0 / 48.0);
    } else {
        x.SetLabelKind(AxisLabelKind::Number);
        x.SetAxisLabelFormat(QString());
        x.SetAxisStep(0);
    }

    chart.OpenDataBlock(cbValues, SeriesPerGroup * groups, -1);
    chart.OpenDataBlock(cbXValues, SeriesPerGroup * groups, -1);
    if (groups == 2) {
        chart.SeriesObject(SeriesPerGroup).SetSeriesAxis(AxisSecondaryY);
        for (int s = SeriesPerGroup; s < 2 * SeriesPerGroup; ++s) {
            ChartSeries& series = chart.SeriesObject(s);
            series.SetLineStyle(Qt::DashLine);
            series.SetSeriesColor(chart.SeriesObject(s - SeriesPerGroup).SeriesColor());
        }
        chart.SeriesObject(SeriesPerGroup).SetSeriesColor(RGBColor(0, 77, 153));
    }
    for (int p = 0; p < own.size(); ++p)
        addPoint(0, p, own[p], timeAxis);
    for (int p = 0; p < other.size(); ++p)
        addPoint(1, p, other[p], timeAxis);
    // The group with fewer rows continues flat at its last row up to the other's last point.
    if (groups == 2) {
        for (int p = own.size(); p < other.size() && !own.isEmpty(); ++p)
            addPoint(0, p, own.last(), timeAxis);
        for (int p = other.size(); p < own.size() && !other.isEmpty(); ++p)
            addPoint(1, p, other.last(), timeAxis);
    }
    // The scales follow the series that are shown.
    for (int s = 0; s < SeriesPerGroup * groups; ++s)
        chart.SeriesObject(s).SetSeriesVisible(SeriesButton(s % SeriesPerGroup)->Down());
    chart.CloseDataBlock(cbXValues);
    chart.CloseDataBlock(cbValues);

    ChartAxis& primary = chart.AxisObject(AxisMainY);
    savedYMax = primary.AxisMax() * 1.2;
    primary.SetAxisMax(savedYMax);
    primary.SetAxisMin(0.0);
    ChartAxis& secondary = chart.AxisObject(AxisSecondaryY);
    if (secondary.AxisMin() > 20.0)
        secondary.SetAxisMin(LoweredSecondaryMin(secondary.AxisMin()));

    for (int s = 0; s < SeriesPerGroup * groups; ++s)
        chart.SeriesObject(s).SetSeriesLegend(LoadStr(legendMessage(s % SeriesPerGroup)));

    MaxPuls->setText(figures_.MaxText());
    MinPuls->setText(figures_.MinText());
    AvgPuls->setText(figures_.AverageText());
    EntryPuls->setText(server.daten.Active() ? server.daten.FieldByName(QStringLiteral("Puls"))->AsString() : QString());

    XPButton2Click(this);
}

void TzwHRMGraph::XPButton2Click(QObject*)
{
    const int groups = seriesGroups == 2 ? 2 : 1;
    for (int s = 0; s < SeriesPerGroup * groups; ++s)
        ChartFX1->SeriesObject(s).SetSeriesVisible(SeriesButton(s % SeriesPerGroup)->Down());
    XPButton16->setEnabled(XPButton13->Down());
    XPButton17->setEnabled(XPButton13->Down());
    ChartFX1->AxisObject(AxisMainY).SetAxisMax(PrimaryMaxFor(savedYMax, speedShown()));
}

void TzwHRMGraph::XPButton7Click(QObject*)
{
    Close();
}

void TzwHRMGraph::XPButton18Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Zwischenzeitengrafik"), callHelp);
}

void TzwHRMGraph::XPButton10Click(QObject*)
{
    Panel2->hide();
}

void TzwHRMGraph::XPButton11Click(QObject*)
{
    Panel2->show();
}

void TzwHRMGraph::XPButton1Click(QObject*)
{
    if (!orvServer)
        return;
    PulseBounds bounds;
    bounds.upper = SpinEdit1->value();
    bounds.lower = SpinEdit2->value();
    TQuery& zeit = orvServer->zeit;
    zeit.SetFilter(PulseFilterText(bounds));
    zeit.SetFiltered(true);
    pulseFilter_ = bounds;
    FillGraf();
}

void TzwHRMGraph::XPButton8Click(QObject*)
{
    FillGraf();
}

void TzwHRMGraph::XPButton9Click(QObject*)
{
    FillGraf();
}

void TzwHRMGraph::XPButton16Click(QObject*)
{
    // The fill ends with the series buttons' visibility and scale.
    FillGraf();
}

void TzwHRMGraph::XPButton4Click(QObject*)
{
    if (!XPButton4->Down()) {
        ChartFX1->ClearData(ccStripes);
        return;
    }
    if (!orvServer || !orvServer->belStufe.Active())
        return;
    // A copy of the load levels, so that the lookups bound to them keep their row.
    TDataSet levels;
    levels.Clone(orvServer->belStufe);
    ChartFX1->OpenDataBlock(cbStripes, levels.RecordCount(), 0);
    try {
        int stripe = 0;
        for (levels.First(); !levels.Eof(); levels.Next()) {
            TField* color = levels.FieldByName(QStringLiteral("bel_Farbe"));
            if (!color->IsNull() && color->AsInteger() == -1)
                continue;
            ChartStripe& band = ChartFX1->StripeObject(stripe++);
            band.SetStripeAxis(AxisMainY);
            band.SetStripeFrom(levels.FieldByName(QStringLiteral("bel_HFStart"))->AsFloat());
            band.SetStripeTo(levels.FieldByName(QStringLiteral("bel_HFEnde"))->AsFloat());
            band.SetStripeColor(color->IsNull() ? clChartDefault : TColor(color->AsInteger()));
        }
    } catch (...) {
        ChartFX1->CloseDataBlock(cbStripes);
        throw;
    }
    ChartFX1->CloseDataBlock(cbStripes);
}

void TzwHRMGraph::CheckListBox1ClickCheck(QObject*)
{
    QList<int> checked;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked)
            checked << i;
    int unitPuls = 0;
    if (orvServer && orvServer->daten.Active()) {
        TField* puls = orvServer->daten.FieldByName(QStringLiteral("Puls"));
        unitPuls = puls->IsNull() ? 0 : puls->AsInteger();
    }
    ChartFX1->ClearData(ccConstants);
    ChartFX1->OpenDataBlock(cbConstants, checked.size(), 0);
    for (int n = 0; n < checked.size(); ++n) {
        ChartConstantLine& line = ChartFX1->ConstantLineObject(n);
        line.SetLineValue(ConstantLineValue(checked[n], zwStatistik, unitPuls));
        line.SetLineAxis(AxisMainY);
        line.SetLineLabel(CheckListBox1->item(checked[n])->text());
        line.SetLineColor(RGBColor(255, 0, 0));
        line.SetLineStyle(Qt::DashLine);
    }
    ChartFX1->CloseDataBlock(cbConstants);
}

void TzwHRMGraph::XPButton15Click(QObject*)
{
    if (XPButton15->Down()) {
        bool chosen = false;
        {
            ModalForm<TvergleichSelect> select(vergleichSelect, this);
            if (select->ShowModal() == mrOk) {
                chosen = true;
                compareUnitId = select->ADOTable1dat_Id();
            }
        }
        if (!chosen) {
            XPButton15->SetDown(false);
            return;
        }
        seriesGroups = 2;
        FillGraf();
        XPButton15->SetCaption(LoadStr(msg::CompareEnd));
    } else {
        seriesGroups = 1;
        FillGraf();
        XPButton15->SetCaption(LoadStr(msg::CompareLoad));
    }
}

void TzwHRMGraph::XPButton19Click(QObject*)
{
    ChartFX1->SeriesObject(serHoehe).SetPointLabels(XPButton19->Down());
}

void TzwHRMGraph::ChartFX1RButtonDown(ChartWidget*, int x, int y, int nSerie, int nPoint)
{
    clickedSerie = nSerie;
    clickedPoint = nPoint;
    PopupMenu1->popup(ChartFX1->mapToGlobal(QPoint(x, y)));
}

void TzwHRMGraph::DiesenPunktbearbeiten1Click(QObject*)
{
    if (clickedSerie == -1)
        return;
    // Only a point of the unit's own rows names a split; the points that continue the unit
    // flat beside a longer comparison unit name none.
    if (clickedPoint < 0 || clickedPoint >= pointRows_.size())
        return;
    editRow = pointRows_[clickedPoint];
    Close();
}

void TzwHRMGraph::ChartFX1GetAxisLabel(ChartModel*, int nAxis, double value, QString& text)
{
    if (nAxis != AxisMainY)
        return;
    if (!XPButton6->Down() && !XPButton12->Down() && !speedShown())
        return;
    // The pace reading belongs to the calculated speed; the measured speed is km/h.
    const bool paceReading = XPButton17->Down() && XPButton13->Down();
    text = PrimaryAxisLabel(value, text, paceReading);
}

void TzwHRMGraph::ChartFX1GetPointLabel(ChartModel*, int nSerie, int nPoint, QString& text)
{
    if (nSerie != serHoehe)
        return;
    const QString note = nPoint >= 0 && nPoint < pointNotes.size() ? pointNotes[nPoint] : QString();
    text = note.isEmpty() ? QStringLiteral(" ") : note;
}
