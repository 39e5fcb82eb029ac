#include "analysis/zeitgraf.h"

#include "ui_zeitgraf.h"

#include <QKeyEvent>
#include <QListWidget>

#include "analysis/weekstat.h"
#include "analysis/zeitraumneu.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/vcl/datetimepicker.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

TzeitGraf* zeitGraf = nullptr;

namespace {

// Whether the filter list's item of a category is ticked; a category the list lacks is shown.
bool ticked(const QListWidget* list, const QVariant& key)
{
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        if (item->data(Qt::UserRole).toString() == key.toString())
            return item->checkState() == Qt::Checked;
    }
    return true;
}

}  // namespace

TzeitGraf::TzeitGraf(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TzeitGraf>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("zeitGraf"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);
    Panel1 = ui->Panel1;
    XPButton7 = ui->XPButton7;
    XPButton1 = ui->XPButton1;
    XPButton3 = ui->XPButton3;
    ChartFX1 = ui->ChartFX1;

    XPButton7->OnClick = Handler(this, &TzeitGraf::XPButton7Click);
    XPButton1->OnClick = Handler(this, &TzeitGraf::XPButton1Click);
    XPButton3->OnClick = Handler(this, &TzeitGraf::XPButton3Click);
    ChartFX1->OnGetAxisLabel = [this](ChartModel* s, int axis, double value, QString& text) {
        ChartFX1GetAxisLabel(s, axis, value, text);
    };
    // Tab stops on every button; the button answers Space and Return itself.
    for (TXPButton* b : {XPButton7, XPButton1, XPButton3})
        b->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(XPButton7, XPButton1);
    setTabOrder(XPButton1, XPButton3);
    FormCreate(this);
}

TzeitGraf::~TzeitGraf() = default;


void TzeitGraf::FormCreate(QObject*)
{
    ChartFX1->SetOptionsIntSetting(100);
}

void TzeitGraf::fillChart(const QString& aGrouping, const QString& marking, int y, double factor, int aUnitId,
                          int unitChoice)
{
    TZeitNeu* period = ZeitNeu;
    if (!period)
        return;
    PeriodChartRequest r;
    r.grouping = aGrouping;
    r.marking = marking;
    r.y = y;
    r.unitFactor = factor;
    r.unitChoice = unitChoice;
    r.condition = period->QuickWhere;
    r.firstDay = period->DateTimePicker1->DateTime();
    r.lastDay = period->DateTimePicker2->DateTime();
    if (marking == QLatin1String("Sportart"))
        r.seriesShown = [list = period->CheckListBox2](const QVariant& key) { return ticked(list, key); };
    else if (marking == QLatin1String("Form"))
        r.seriesShown = [list = period->CheckListBox1](const QVariant& key) { return ticked(list, key); };
    r.onUnitsFailed = [] { MessageDlg(LoadStr(msg::NoUnitValueAboveZero), mtError, {mbOK}); };

    // The unit list shows nothing of the chart's reading while it is filled.
    TDataSet& daten = orvServer->daten;
    daten.DisableControls();
    try {
        yValue = y;
        unitFactor = factor;
        grouping = aGrouping;
        unitId = aUnitId;
        r.unitName = axisCaption(pyDistance);
        r.user2Label = axisCaption(pyUser2);
        FillPeriodChart(*ChartFX1, orvServer->orvDB, r);
    } catch (...) {
        daten.EnableControls();
        throw;
    }
    daten.EnableControls();
}

QString TzeitGraf::axisCaption(int y) const
{
    if (y == pyDistance)
        return orvServer->distancespeed.Lookup(QStringLiteral("unt_id"), unitId, QStringLiteral("unt_name")).toString();
    if (y == pyUser2)
        return orvServer->config.Active() ? orvServer->config.FieldByName(QStringLiteral("cfg_user2Label"))->AsString()
                                          : QString();
    return PeriodChartAxisCaption(y, QString(), QString());
}

void TzeitGraf::XPButton1Click(QObject*)
{
    ChartFX1->PrintChart(29443, 0);
}

void TzeitGraf::XPButton3Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Grafikanpassung"), callHelp);
}

void TzeitGraf::XPButton7Click(QObject*)
{
    Close();
}

void TzeitGraf::ChartFX1GetAxisLabel(ChartModel*, int nAxis, double value, QString& text)
{
    // The time axis counts days; its labels are hours running on past a day.
    if (nAxis == AxisMainY && yValue == pyTime)
        text = WeekChartTimeLabel(value);
}
