#include "traininglog/terminframe.h"

#include "ui_terminframe.h"

#include <QApplication>
#include <QVBoxLayout>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/startframe.h"
#include "platform/db/fields.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/kalendermonat.h"
#include "traininglog/kalendertag.h"
#include "traininglog/plannerfill.h"
#include "traininglog/toolcalweekframe.h"

TterminFrame* terminFrame = nullptr;

namespace {

// The distance unit of the week totals: the row of `distancespeed` named in the list.
TDistanceUnit distanceUnitNamed(const QString& name)
{
    TDistanceUnit unit;
    if (!orvServer || !orvServer->distancespeed.Active() || name.isEmpty())
        return unit;
    const QVariant found = orvServer->distancespeed.Lookup(QStringLiteral("unt_name"), name,
                                                           QStringLiteral("unt_calc;unt_shortname"));
    const QVariantList values = found.toList();
    if (values.size() == 2 && !values[0].isNull()) {
        unit.Calc = values[0].toDouble();
        unit.ShortName = values[1].toString();
    }
    return unit;
}

// Takes every frame out of the diary page's host panel; the frames live on (the application
// owns them).
void emptyDiaryHost(QWidget* host)
{
    if (!host->layout()) {
        auto* layout = new QVBoxLayout(host);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    QLayout* layout = host->layout();
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* w = item->widget()) {
            w->hide();
            w->setParent(nullptr);
        }
        delete item;
    }
    for (QWidget* w : host->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        w->hide();
        w->setParent(nullptr);
    }
}

void hostOnDiaryPage(QWidget* host, QWidget* frame)
{
    host->layout()->addWidget(frame);
    frame->show();
}

}  // namespace

TterminFrame::TterminFrame(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TterminFrame>())
{
    ui->setupUi(this);
    UiNavPanel1 = ui->UiNavPanel1;
    UiNavPanel5 = ui->UiNavPanel5;
    XPButton1 = ui->XPButton1;
    XPButton2 = ui->XPButton2;
    DateTimePicker1 = ui->DateTimePicker1;
    XPButton17 = ui->XPButton17;
    XPButton18 = ui->XPButton18;
    XPButton19 = ui->XPButton19;
    UiIECombobox20001 = ui->UiIECombobox20001;
    XPButton5 = ui->XPButton5;
    ProgressBar1 = ui->ProgressBar1;
    ApplyControlCaptions(this);
    UiNavPanel1->SetPanelType(ptTitle);
    UiNavPanel5->SetPanelType(ptButton);
    UiNavPanel5->OnClick = Handler(this, &TterminFrame::XPButton22Click);
    ProgressBar1->hide();
    XPButton1->SetDown(true);

    DateTimePicker1->setCalendarPopup(true);  // the month calendar shows the week numbers
    UiIECombobox20001->SetStyle(csDropDownList);

    XPButton1->OnClick = Handler(this, &TterminFrame::XPButton1Click);
    XPButton2->OnClick = Handler(this, &TterminFrame::XPButton1Click);
    XPButton5->OnClick = Handler(this, &TterminFrame::XPButton5Click);
    XPButton17->OnClick = Handler(this, &TterminFrame::XPButton17Click);
    XPButton18->OnClick = Handler(this, &TterminFrame::XPButton18Click);
    XPButton19->OnClick = Handler(this, &TterminFrame::XPButton19Click);
    DateTimePicker1->OnChange = [this](QObject* s) {
        if (!writingDate_)
            Handler(this, &TterminFrame::DateTimePicker1Click)(s);
    };
    UiIECombobox20001->OnChange = Handler(this, &TterminFrame::UiIECombobox20001Change);
    // Tab stops on each button and Space presses it as a click does: a view button goes down
    // first (a click on the one already down keeps it down).
    for (TXPButton* b : {XPButton1, XPButton2, XPButton17, XPButton18, XPButton19, XPButton5}) {
        b->setFocusPolicy(Qt::StrongFocus);
        Events(b).OnKeyDown = [b](QObject*, int& Key, Qt::KeyboardModifiers) {
            if (Key != Qt::Key_Space || !b->isEnabled())
                return;
            Key = 0;
            if (b->GroupIndex() != 0)
                b->SetDown(true);
            b->Click();
        };
    }
    // The navigation buttons keep their whole caption in the narrow navigator panel.
    for (TXPButton* b : {XPButton17, XPButton18, XPButton19})
        b->setMinimumWidth(fontMetrics().horizontalAdvance(b->Caption()) + 8);
    // "mit Planung" of the chart tool fills the view again.
    if (toolCalWeekFrm)
        toolCalWeekFrm->OnPlanningChanged = [this] { XPButton5->Click(); };
}

TterminFrame::~TterminFrame()
{
    if (toolCalWeekFrm)
        toolCalWeekFrm->OnPlanningChanged = nullptr;
}

TDateTime TterminFrame::startDate() const
{
    return DateOf(DateTimePicker1->DateTime());
}

void TterminFrame::setStartDate(TDateTime day)
{
    writingDate_ = true;
    DateTimePicker1->SetDateTime(DateOf(day));
    writingDate_ = false;
    startDateSet_ = true;
}

void TterminFrame::fillUnitList()
{
    UiIECombobox20001->clear();
    if (!orvServer || !orvServer->distancespeed.Active())
        return;
    // The distance units (unt_type 1) in table order, read through a second cursor so that the
    // shared table neither moves nor filters.
    TDataSet& units = orvServer->distancespeed;
    TField* type = units.FieldByName(QStringLiteral("unt_type"));
    TField* name = units.FieldByName(QStringLiteral("unt_name"));
    const TBookmark mark = units.GetBookmark();
    units.DisableControls();
    try {
        for (units.First(); !units.Eof(); units.Next())
            if (!type->IsNull() && type->AsInteger() == 1)
                UiIECombobox20001->addItem(name->AsString());
    } catch (...) {
        units.EnableControls();
        throw;
    }
    if (!mark.IsNull() && units.BookmarkValid(mark))
        units.GotoBookmark(mark);
    units.EnableControls();
    if (UiIECombobox20001->count() > 0)
        UiIECombobox20001->SetItemIndex(0);
}

void TterminFrame::XPButton1Click(QObject*)
{
    QWidget* host = eingabe ? eingabe->Panel17 : nullptr;
    if (host)
        emptyDiaryHost(host);
    if (MainForm)
        MainForm->setTool(QStringLiteral("none"), true);
    fillUnitList();
    if (XPButton1->Down()) {
        if (host && frmKalTag)
            hostOnDiaryPage(host, frmKalTag);
        if (MainForm) {
            MainForm->setTool(QStringLiteral("Woche"), true);
            MainForm->Wochendetails1->setVisible(true);
            MainForm->XPButton4->OnClick = [](QObject* s) {
                if (MainForm)
                    MainForm->Wochendetails1Click(s);
            };
        }
    } else {
        if (host && frmKalMonat)
            hostOnDiaryPage(host, frmKalMonat);
        if (MainForm)
            MainForm->setTool(QStringLiteral("Woche"), true);
    }
    // The first switch after start-up starts at the Monday of the current week; later the
    // picked day stays, whatever weekday it is.
    const TDateTime start = startDateSet_ ? startDate() : MondayOf(Date());
    QApplication::processEvents();
    setStartDate(start);
    XPButton5Click(XPButton5);
}

void TterminFrame::XPButton5Click(QObject*)
{
    const TDateTime start = startDate();
    if (XPButton1->Down()) {
        if (frmKalTag)
            frmKalTag->showData(start);
        if (toolCalWeekFrm)
            toolCalWeekFrm->Refresh(start, start + 6);
        return;
    }
    if (!orvServer || !frmKalMonat)
        return;
    FillMonthCalendar(*frmKalMonat->ORVCalendar1, orvServer->orvDB, start,
                      distanceUnitNamed(UiIECombobox20001->Text()));
    const TDateTime first = EncodeDate(YearOf(start), MonthOf(start), 1);
    if (toolCalWeekFrm)
        toolCalWeekFrm->Refresh(first, first + DaysInMonth(start) - 1);
}

void TterminFrame::XPButton17Click(QObject*)
{
    setStartDate(startDate() - 7);
    XPButton5Click(XPButton5);
}

void TterminFrame::XPButton18Click(QObject*)
{
    setStartDate(Date());
    XPButton5Click(XPButton5);
}

void TterminFrame::XPButton19Click(QObject*)
{
    setStartDate(startDate() + 7);
    XPButton5Click(XPButton5);
}

void TterminFrame::DateTimePicker1Click(QObject*)
{
    startDateSet_ = true;
    XPButton5Click(XPButton5);
}

void TterminFrame::UiIECombobox20001Change(QObject*)
{
    XPButton5Click(XPButton5);
}

void TterminFrame::XPButton22Click(QObject*)
{
    bool callHelp = false;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Tagebuch"), callHelp);
}
