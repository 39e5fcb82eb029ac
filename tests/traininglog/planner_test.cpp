// The appointment planner and the two views of the diary page: the dates the views start on,
// the month's unit lines and week totals, the week's day panels with their layout, the diary
// text of the selected day, new units dated the chosen day, and the date dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>

#include "core/orvtools.h"
#include "core/startup.h"
#include "platform/db/fields.h"
#include "platform/rtl/graphics.h"
#include "platform/vcl/registry.h"
#include "platform/vcl/testhooks.h"
#include "tests/core/dbserverfixture.h"
#include "tests/support/keyboardwalk.h"
#include "traininglog/calen.h"
#include "traininglog/kalendermonat.h"
#include "traininglog/kalendertag.h"
#include "traininglog/plannerfill.h"
#include "traininglog/terminframe.h"
#include "traininglog/toolcalweekframe.h"

namespace {

TDateTime march(int day)
{
    return EncodeDate(2004, 3, day);
}

TEST(PlannerDates, WeekStartsAndLiterals)
{
    // A double click on Sunday 14.03.2004 opens the week from Monday 08.03.2004; a Monday stays.
    EXPECT_EQ(MondayOf(march(14)), march(8));
    EXPECT_EQ(MondayOf(march(1)), march(1));
    EXPECT_EQ(MondayOf(march(10) + 0.75), march(8));
    // Month first, whatever the user's format: 5 March 2005 is never read as 3 May.
    EXPECT_EQ(JetDateLiteral(EncodeDate(2005, 3, 5)), "#3/5/2005#");
    EXPECT_EQ(JetDateLiteral(EncodeDate(2004, 12, 31)), "#12/31/2004#");
    EXPECT_EQ(MonthLineText("Laufen", 12345, true), "* Laufen - 12 km");
    EXPECT_EQ(MonthLineText("Radfahren", 999, false), "Radfahren - 0 km");
}

TEST(PlannerDates, WeekRowsOfAMonth)
{
    struct Case {
        TDateTime first;
        int row;
        TDateTime from, to;
    };
    const Case cases[] = {
        {march(1), 1, march(1), march(7)},                                    // March 2004 begins on a Monday
        {march(1), 2, march(8), march(14)},
        {march(1), 5, march(29), EncodeDate(2004, 4, 4)},                     // into April
        {EncodeDate(2004, 2, 1), 1, EncodeDate(2004, 2, 1), EncodeDate(2004, 2, 1)},  // a Sunday: only the 1st
        {EncodeDate(2004, 2, 1), 2, EncodeDate(2004, 2, 2), EncodeDate(2004, 2, 8)},
        {EncodeDate(2004, 2, 1), 6, EncodeDate(2004, 3, 1), EncodeDate(2004, 3, 7)},
    };
    for (const Case& c : cases) {
        const TPlannerPeriod p = MonthWeekRow(c.first, c.row);
        EXPECT_EQ(p.From, c.from) << DateToStr(c.first).toStdString() << " row " << c.row;
        EXPECT_EQ(p.To, c.to) << DateToStr(c.first).toStdString() << " row " << c.row;
    }
}

class PlannerTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override
    {
        setDateNextDay(false);
        delete terminFrame;
        terminFrame = nullptr;
        delete frmKalMonat;
        frmKalMonat = nullptr;
        delete frmKalTag;
        frmKalTag = nullptr;
        delete toolCalWeekFrm;
        toolCalWeekFrm = nullptr;
        FormatSettings() = saved_;
        DataModuleTest::TearDown();
    }

    // A unit on a day of 2004 (form 3 is the planning form "Geplant"); zeit in minutes.
    void unit(TDateTime day, int sport, int form, int meter, double startHour = 10, int minutes = 60)
    {
        db.exec(QString("INSERT INTO DATEN (Datum, Startzeit, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, "
                        "Sportart, Belastungsstufe, trainingsblock) VALUES (%1, %2, %3, %4, %5, 0, 1, %6, 1, 1)")
                    .arg(QString::number(day, 'g', 17), QString::number(startHour / 24.0, 'g', 17))
                    .arg(form)
                    .arg(QString::number(minutes / 1440.0, 'g', 17))
                    .arg(meter)
                    .arg(sport));
    }
    // The frames as the start-up creates them.
    void createFrames()
    {
        toolCalWeekFrm = new TtoolCalWeekFrm(nullptr);
        frmKalTag = new TfrmKalTag(nullptr);
        frmKalMonat = new TfrmKalMonat(nullptr);
        terminFrame = new TterminFrame(nullptr);
    }
    static void setDateNextDay(bool on)
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.OpenKey(QString::fromLatin1(kProgramRegistryKey), true);
        if (on)
            reg.WriteBool("DateNextDay", true);
        else if (reg.ValueExists("DateNextDay"))
            reg.DeleteValue("DateNextDay");
    }
    QString firstUnitShortName()
    {
        TDataSet& units = server.distancespeed;
        for (units.First(); !units.Eof(); units.Next())
            if (units.FieldByName("unt_type")->AsInteger() == 1)
                return units.FieldByName("unt_shortname")->AsString();
        return QString();
    }

    TFormatSettings saved_;
};

TEST_F(PlannerTest, MonthFillShowsTheFirstFiveUnitsAndTheWeekTotals)
{
    // Seven units on the 10th, entered out of order: the five earliest show, by start time.
    const double hours[] = {18, 7, 12, 9, 20, 6, 15};
    for (double h : hours)
        unit(march(10), 2, 1, int(h) * 1000, h, 30);
    unit(march(20), 1, 3, 12345);     // planned run
    unit(march(21), 99, 1, 5000);     // no such sport: not shown, but counted in the totals
    unit(EncodeDate(2004, 4, 2), 1, 1, 8000);  // next month: only in the totals of row 5
    open();
    TORVCalendar calendar;
    calendar.SetStartOfWeek(1);
    calendar.DayLines(3, 31).Text = "from an earlier month";
    FillMonthCalendar(calendar, server.orvDB, march(17), TDistanceUnit{0.001, "km"});

    const char* tenth[] = {"Radfahren - 6 km", "Radfahren - 7 km", "Radfahren - 9 km", "Radfahren - 12 km",
                           "Radfahren - 15 km"};
    for (int line = 1; line <= 5; ++line) {
        EXPECT_EQ(calendar.DayLines(line, 10).Text, tenth[line - 1]) << line;
        EXPECT_EQ(calendar.DayLines(line, 10).Color, TColor(0x78C8FF));
    }
    EXPECT_EQ(calendar.DayLines(1, 20).Text, "* Laufen - 12 km");
    EXPECT_EQ(calendar.DayLines(1, 20).Color, TColor(0x98DB98));
    EXPECT_EQ(calendar.DayLines(1, 21).Text, "");
    EXPECT_EQ(calendar.DayLines(3, 31).Text, "");
    EXPECT_EQ(calendar.DayLines(1, 31).Color, FromQColor(calendar.Color()));

    // Row 1 (1st-7th) is empty; row 2 holds the seven cycling units.
    EXPECT_EQ(calendar.WeekLines(1, 1), "Einheiten: 0");
    EXPECT_EQ(calendar.WeekLines(1, 2), "Distanz: 0 km");
    EXPECT_EQ(calendar.WeekLines(1, 3), "Zeit: " + MsToTimeStr(0));
    EXPECT_EQ(calendar.WeekLines(2, 1), "Einheiten: 7");
    EXPECT_EQ(calendar.WeekLines(2, 2), "Distanz: 87 km");
    EXPECT_EQ(calendar.WeekLines(2, 3), "Zeit: " + MsToTimeStr(7 * 30 * 60000));
    EXPECT_EQ(calendar.WeekLines(3, 1), "Einheiten: 2");
    EXPECT_EQ(calendar.WeekLines(3, 2), "Distanz: 17,3 km");
    EXPECT_EQ(calendar.WeekLines(5, 1), "Einheiten: 1");  // 29 March to 4 April
    EXPECT_EQ(calendar.CalendarDate(), march(17));
}

TEST_F(PlannerTest, WeekViewFromAWednesdayLaysOutSevenDays)
{
    unit(march(10), 1, 1, 10000, 18);
    unit(march(10), 2, 1, 40000, 7);
    unit(march(16), 1, 1, 5000);
    unit(march(17), 1, 1, 6000);  // the day after the week
    open();
    TfrmKalTag week;
    week.showData(march(10));
    EXPECT_EQ(week.Panel3->text(), "Mittwoch (10.03.2004)");
    EXPECT_EQ(week.Panel13->text(), "Dienstag (16.03.2004)");
    TQuery& wednesday = week.days[0];
    ASSERT_EQ(wednesday.RecordCount(), 2);
    EXPECT_EQ(wednesday.FieldByName("lSportart")->AsString(), "Radfahren");  // 7:00 before 18:00
    EXPECT_EQ(wednesday.FieldByName("lDistanz")->AsString(), "40 km");
    EXPECT_EQ(week.days[6].RecordCount(), 1);
    EXPECT_EQ(week.days[1].RecordCount(), 0);
    EXPECT_EQ(week.SelectedDay, march(10));

    week.Panel1->resize(600, 400);
    week.FrameResize(week.Panel1);
    EXPECT_EQ(week.Montag->geometry(), QRect(0, 0, 300, 133));
    EXPECT_EQ(week.Mittwoch->geometry(), QRect(0, 266, 300, 133));
    EXPECT_EQ(week.freitag->geometry(), QRect(300, 133, 300, 133));
    EXPECT_EQ(week.samstag->geometry(), QRect(300, 266, 300, 66));
    EXPECT_EQ(week.sonntag->geometry(), QRect(300, 332, 300, 67));
}

TEST_F(PlannerTest, FridayDiaryUnderADayFirstSlashLocale)
{
    // 5 March 2004 is a Friday; its diary row must not be confused with 3 May 2004.
    db.exec(QString("INSERT INTO tagebuch (tgb_datum, tgb_memo) VALUES (%1, 'Mai')")
                .arg(QString::number(EncodeDate(2004, 5, 3), 'g', 17)));
    open();
    TFormatSettings slash = GermanFormatSettings();
    slash.DateSeparator = '/';
    slash.ShortDateFormat = "dd/mm/yyyy";
    FormatSettings() = slash;
    TfrmKalTag week;
    week.showData(march(1));
    week.B2(week.Panel7);  // Friday's header
    EXPECT_EQ(week.Panel7->palette().color(QPalette::Window), ToQColor(clActiveCaption));
    EXPECT_EQ(week.Panel7->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(week.Panel3->palette().color(QPalette::Window), ToQColor(clBtnFace));
    EXPECT_EQ(week.Label1->text(), "Kommentar zum 05/03/2004");
    EXPECT_EQ(week.SelectedDay, march(5));
    EXPECT_TRUE(server.tagebuch.IsEmpty());  // not May's text

    // Typing and Post store one row dated that Friday.
    week.show();
    week.DBMemo1->setFocus();
    for (QChar c : QString("Locker gelaufen")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(week.DBMemo1, &press);
    }
    EXPECT_EQ(server.tagebuch.State(), dsInsert);
    week.DBNavigator1->BtnClick(nbPost);
    EXPECT_EQ(db.value("SELECT COUNT(*) FROM tagebuch").toInt(), 2);
    EXPECT_EQ(db.value("SELECT tgb_memo FROM tagebuch WHERE tgb_datum = " +
                            QString::number(march(5), 'g', 17)).toString(),
              "Locker gelaufen");

    // Another day shows its own (empty) text; back on Friday the text is there again.
    week.B2(week.DBGrid2);
    EXPECT_EQ(week.SelectedDay, march(2));
    EXPECT_TRUE(server.tagebuch.IsEmpty());
    week.B2(week.Panel7);
    ASSERT_EQ(server.tagebuch.RecordCount(), 1);
    EXPECT_EQ(server.tagebuch.FieldByName("tgb_memo")->AsString(), "Locker gelaufen");
}

TEST_F(PlannerTest, NewUnitIsDatedTheChosenDay)
{
    setDateNextDay(true);
    unit(march(12), 1, 1, 10000);
    open();
    createFrames();
    frmKalTag->showData(march(8));
    frmKalTag->PopupComponent = frmKalTag->DBGrid7;  // Sunday's grid
    frmKalTag->NeueEinheit1Click(frmKalTag->NeueEinheit1);
    ASSERT_EQ(server.daten.State(), dsInsert);
    EXPECT_EQ(server.daten.FieldByName("Datum")->AsDateTime(), march(14));
    server.daten.Cancel();

    // The month view's "  Neue Einheit" on the 20th.
    frmKalMonat->ORVCalendar1->SetCalendarDate(march(20));
    frmKalMonat->N1Click(frmKalMonat->N1);
    ASSERT_EQ(server.daten.State(), dsInsert);
    EXPECT_EQ(server.daten.FieldByName("Datum")->AsDateTime(), march(20));
    server.daten.Cancel();

    // An empty day's popup does nothing; a filled one makes its unit current.
    frmKalTag->PopupComponent = frmKalTag->DBGrid1;
    const int before = server.daten.RecNo();
    frmKalTag->AktiveEinheit1Click(frmKalTag->AktiveEinheit1);
    EXPECT_EQ(server.daten.RecNo(), before);
    frmKalTag->PopupComponent = frmKalTag->DBGrid5;
    frmKalTag->AktiveEinheit1Click(frmKalTag->AktiveEinheit1);
    EXPECT_EQ(server.daten.FieldByName("Datum")->AsDateTime(), march(12));
}

TEST_F(PlannerTest, PlannerAndItsViewsAreWorkedWithTheKeyboardAlone)
{
    unit(march(10), 1, 1, 10000);
    open();
    createFrames();
    TterminFrame& t = *terminFrame;
    EXPECT_EQ(KeyboardWalkProblem(&t, {t.XPButton1, t.XPButton2, t.DateTimePicker1, t.XPButton17, t.XPButton18,
                                       t.XPButton19, t.UiIECombobox20001, t.XPButton5}),
              "");
    const auto space = [] { PressKey(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")); };
    // The start date typed after Tab from "Monat"; Space on the buttons as clicks.
    FocusWindowAt(&t, t.XPButton2);
    PressKey(Qt::Key_Tab);
    TypeKeys("10.03.2004");
    EXPECT_EQ(frmKalTag->dayOf(0), march(10));
    FocusWindowAt(&t, t.XPButton19);
    space();
    EXPECT_EQ(frmKalTag->dayOf(0), march(17));
    FocusWindowAt(&t, t.XPButton2);
    space();
    EXPECT_TRUE(t.XPButton2->Down());
    EXPECT_FALSE(t.XPButton1->Down());
    EXPECT_EQ(frmKalMonat->ORVCalendar1->CalendarDate(), march(17));
    // The month: the arrow keys move the day, Return opens its week.
    FocusWindowAt(frmKalMonat, frmKalMonat->ORVCalendar1);
    PressKey(Qt::Key_Right);
    EXPECT_EQ(frmKalMonat->ORVCalendar1->CalendarDate(), march(18));
    PressKey(Qt::Key_Return);
    EXPECT_TRUE(t.XPButton1->Down());
    EXPECT_EQ(frmKalTag->dayOf(0), march(15));

    // The week: the days in their order, then the comment; while it is edited, its buttons
    // before it.
    TfrmKalTag& k = *frmKalTag;
    FocusWindowAt(&k, k.DBMemo1);
    TypeKeys("Ruhetag");
    EXPECT_TRUE(k.DBNavigator1->Button(nbPost)->isEnabled());
    EXPECT_EQ(TabOrderProblem(TabWalk(&k, k.DBMemo1, true),
                              {k.DBMemo1, k.DBNavigator1->Button(nbCancel), k.DBNavigator1->Button(nbPost), k.DBGrid7,
                               k.DBGrid6, k.DBGrid5, k.DBGrid4, k.DBGrid3, k.DBGrid2, k.DBGrid1}),
              "");
    EXPECT_EQ(KeyboardWalkProblem(&k, {k.DBGrid1, k.DBGrid2, k.DBGrid3, k.DBGrid4, k.DBGrid5, k.DBGrid6, k.DBGrid7,
                                       k.DBMemo1}),
              "");
}

TEST_F(PlannerTest, PlannerKeepsItsStartDateAcrossViews)
{
    unit(march(10), 1, 3, 10000);  // planned only
    unit(march(11), 2, 1, 20000);
    open();
    createFrames();
    // The first switch starts at the Monday of the current week.
    terminFrame->XPButton1Click(terminFrame->XPButton1);
    EXPECT_EQ(terminFrame->startDate(), MondayOf(Date()));
    EXPECT_EQ(frmKalTag->dayOf(0), MondayOf(Date()));
    EXPECT_GT(terminFrame->UiIECombobox20001->count(), 0);

    // The user picks Wednesday 10.03.2004: the week starts there, also after the month view.
    terminFrame->DateTimePicker1->setFocus();
    for (QChar c : QString("10032004")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(terminFrame->DateTimePicker1, &press);
    }
    EXPECT_EQ(frmKalTag->dayOf(0), march(10));
    EXPECT_EQ(toolCalWeekFrm->qSportart.RecordCount(), 2);
    toolCalWeekFrm->CheckBox1->click();  // "mit Planung" off: the planned run drops out
    EXPECT_EQ(toolCalWeekFrm->qSportart.RecordCount(), 1);
    toolCalWeekFrm->CheckBox1->click();

    terminFrame->XPButton2->SetDown(true);
    terminFrame->XPButton2->Click();
    EXPECT_EQ(frmKalMonat->ORVCalendar1->CalendarDate(), march(10));
    EXPECT_EQ(frmKalMonat->ORVCalendar1->WeekLines(1, 2), "Distanz: 0 " + firstUnitShortName());
    EXPECT_EQ(frmKalMonat->ORVCalendar1->DayLines(1, 10).Text, "* Laufen - 10 km");
    terminFrame->XPButton1->SetDown(true);
    terminFrame->XPButton1->Click();
    EXPECT_EQ(frmKalTag->dayOf(0), march(10));

    // Navigation: exactly seven days, and "Heute" is today itself.
    terminFrame->XPButton19->Click();
    EXPECT_EQ(frmKalTag->dayOf(0), march(17));
    terminFrame->XPButton17->Click();
    terminFrame->XPButton17->Click();
    EXPECT_EQ(frmKalTag->dayOf(0), march(3));
    terminFrame->XPButton18->Click();
    EXPECT_EQ(frmKalTag->dayOf(0), Date());

    // A double click on Sunday 14.03.2004 in the month opens the week from Monday 08.03.2004.
    terminFrame->XPButton2->SetDown(true);
    terminFrame->XPButton2->Click();
    frmKalMonat->ORVCalendar1->SetCalendarDate(march(14));
    frmKalMonat->ORVCalendar1DblClick(frmKalMonat->ORVCalendar1);
    EXPECT_TRUE(terminFrame->XPButton1->Down());
    EXPECT_EQ(frmKalTag->dayOf(0), march(8));
    EXPECT_EQ(frmKalTag->dayOf(6), march(14));

    // Return on the month does the same from the keyboard: the week of Monday 01.03.2004.
    terminFrame->XPButton2->SetDown(true);
    terminFrame->XPButton2->Click();
    frmKalMonat->ORVCalendar1->SetCalendarDate(march(3));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(frmKalMonat->ORVCalendar1, &enter);
    EXPECT_TRUE(terminFrame->XPButton1->Down());
    EXPECT_EQ(frmKalTag->dayOf(0), march(1));
}

TEST(DateDialog, AlwaysOpensOnToday)
{
    TKalender dialog;
    dialog.MonthCalendar1->setSelectedDate(QDate(2001, 1, 1));
    ScriptedAnswers::onShowModal<TKalender>([](TKalender& f) {
        EXPECT_EQ(f.MonthCalendar1->selectedDate(), DateTimeToQDateTime(Date()).date());
        f.Button1->click();
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.size(), QSize(586, 480));
}

}  // namespace
