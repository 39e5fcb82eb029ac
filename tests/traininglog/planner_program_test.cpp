// The appointment planner in the started program: the diary page shows the planner as the
// navigator view, the week of the fixed clock's day in the week frame and the chart tool; the
// month view replaces the week frame on the same page.
#include <gtest/gtest.h>

#include <QApplication>

#include "core/main.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/kalendermonat.h"
#include "traininglog/kalendertag.h"
#include "traininglog/terminframe.h"
#include "traininglog/toolcalweekframe.h"

namespace {

using PlannerProgramTest = ProgramTest;

TEST_F(PlannerProgramTest, DiaryPageHostsThePlannerAndItsViews)
{
    AthleteDatabase db;
    db.exec(QString("INSERT INTO DATEN (Datum, Startzeit, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, Sportart, "
                    "Belastungsstufe, trainingsblock) VALUES (%1, 0.4, 1, 0.03, 12000, 0, 1, 1, 1, 1)")
                .arg(QString::number(EncodeDate(2024, 3, 13), 'g', 17)));
    StartProgram({db.path()});
    ASSERT_NE(eingabe, nullptr);
    eingabe->PageControl2->setCurrentWidget(eingabe->TabSheet1);
    eingabe->PageControl2Change(eingabe->PageControl2);

    // The clock stands on Friday 15.03.2024: the week starts on Monday the 11th.
    EXPECT_EQ(frmKalTag->parentWidget(), eingabe->Panel17);
    EXPECT_TRUE(frmKalTag->isVisibleTo(eingabe->Panel17));
    EXPECT_EQ(terminFrame->parentWidget() != nullptr, true);
    EXPECT_TRUE(terminFrame->isVisibleTo(MainForm));
    EXPECT_EQ(frmKalTag->dayOf(0), EncodeDate(2024, 3, 11));
    EXPECT_EQ(frmKalTag->days[2].RecordCount(), 1);
    EXPECT_TRUE(toolCalWeekFrm->isVisibleTo(MainForm));
    EXPECT_TRUE(MainForm->Wochendetails1->isVisible());
    EXPECT_EQ(toolCalWeekFrm->qSportart.RecordCount(), 1);

    // "Monat": the month frame takes the week frame's place; the menu item stays hidden.
    terminFrame->XPButton2->SetDown(true);
    terminFrame->XPButton2->Click();
    EXPECT_EQ(frmKalMonat->parentWidget(), eingabe->Panel17);
    EXPECT_EQ(frmKalTag->parentWidget(), nullptr);
    EXPECT_FALSE(MainForm->Wochendetails1->isVisible());
    EXPECT_EQ(frmKalMonat->ORVCalendar1->DayLines(1, 13).Text, "Laufen - 12 km");
    FinishProgram();
}

TEST_F(PlannerProgramTest, StartPageMonthOpensThePlannerInMonthView)
{
    AthleteDatabase db;
    db.exec("UPDATE config SET cfg_startfenster = 'Tagebuch (Monat)'");
    StartProgram({db.path()});
    ASSERT_NE(eingabe, nullptr);
    EXPECT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet1);
    EXPECT_TRUE(terminFrame->XPButton2->Down());
    EXPECT_EQ(frmKalMonat->parentWidget(), eingabe->Panel17);
    EXPECT_EQ(frmKalMonat->ORVCalendar1->CalendarDate(), EncodeDate(2024, 3, 11));
    FinishProgram();
}

}  // namespace
