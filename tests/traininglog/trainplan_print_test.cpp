// The printed training plan and the plan month overview, opened from the plan manager on the
// program started as a user starts it; the month sheet's geometry also without a window.
#include "tests/traininglog/planfixture.h"

#include <QAbstractButton>

#include "platform/report/reportpreview.h"
#include "platform/report/reportprinter.h"
#include "platform/vcl/shape.h"
#include "tests/support/errorbox.h"
#include "tests/support/keyboardwalk.h"
#include "traininglog/planmonth.h"
#include "traininglog/trainplanwoche.h"

namespace {

class PlanPrintTest : public PlanTest {
protected:
    void SetUp() override
    {
        PlanTest::SetUp();
        PrintJobCapture::start();
        db.exec("UPDATE config SET cfg_name = 'Eva Muster'");
    }
    void TearDown() override
    {
        PrintJobCapture::stop();
        PlanTest::TearDown();
    }
    // Units in three calendar weeks of March 2024 (weeks 10, 11, 12), all in plan 1.
    void threeWeeks()
    {
        unit(10, 2024, 3, 4, 5000);
        unit(11, 2024, 3, 6, 10000);
        unit(12, 2024, 3, 12, 8000);
        unit(13, 2024, 3, 20, 12500);
        plan(1, "Frühjahr");
        plan(2, "Sommer");
        for (int id : {10, 11, 12, 13})
            link(1, id);
    }
    // Prints plan `planId` from the manager; `look` sees the preview's pages.
    void printPlan(int planId, std::function<void(const TPreparedReport&)> look, bool printToo = false)
    {
        manage(planId, [&](TTrainForm& m) {
            ScriptedAnswers::onShowModal<TReportPreview>([&](TReportPreview& p) {
                look(p.Report());
                if (printToo) {
                    // The print dialog's user keeps the default printer.
                    PrintDialogStandIn::set([](TPrintTarget&, const QString&) { return true; });
                    p.findChild<QAbstractButton*>("btnPrint")->click();
                    PrintDialogStandIn::clear();
                }
                p.Close();
            });
            m.XPButton19->Click();
            m.Close();
        });
    }
    static QStringList allTexts(const TPreparedReport& r)
    {
        QStringList texts;
        for (const TReportPage& page : r.pages)
            texts << page.texts();
        return texts;
    }
    // The text printed after a caption.
    static QString after(const QStringList& texts, const QString& caption, int nth = 0)
    {
        for (int i = 0; i + 1 < texts.size(); ++i)
            if (texts[i] == caption && nth-- == 0)
                return texts[i + 1];
        return QStringLiteral("<none>");
    }
};

}  // namespace

TEST_F(PlanPrintTest, ThreeWeeksPrintThreeHeadersWeekSumsAndTheTotalAlsoWhenPrintedFromThePreview)
{
    threeWeeks();
    start();
    QString previewTotal;
    printPlan(1, [&](const TPreparedReport& r) {
        EXPECT_EQ(r.orientation, QPageLayout::Landscape);
        ASSERT_EQ(r.pageCount(), 1);
        EXPECT_EQ(r.pages[0].bandsOf(btGroupHeader).size(), 3u);
        EXPECT_EQ(r.pages[0].bandsOf(btGroupFooter).size(), 3u);
        const QStringList texts = allTexts(r);
        EXPECT_EQ(after(texts, "Plan: "), "Frühjahr");
        EXPECT_EQ(after(texts, "Realisiert:"), "Falsch");
        EXPECT_EQ(after(texts, "Woche:", 0), "10.24");
        EXPECT_EQ(after(texts, "Woche:", 2), "12.24");
        EXPECT_TRUE(texts.contains("12,5 km")) << texts.join('|').toStdString();
        EXPECT_EQ(after(texts, "Distanz/Woche:", 0), "15 Kilometer");
        EXPECT_EQ(after(texts, "Distanz/Woche:", 1), "8 Kilometer");
        EXPECT_EQ(after(texts, "Distanz/Woche:", 2), "12,5 Kilometer");
        previewTotal = after(texts, "Gesamtdistanz:");
        EXPECT_EQ(previewTotal, "35,5 Kilometer");
        EXPECT_TRUE(texts.contains("Frühjahr, 15.03.2024 für Eva Muster"));
    }, true);
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    EXPECT_EQ(after(allTexts(PrintJobCapture::jobs()[0].report), "Gesamtdistanz:"), previewTotal);
    // The plan list is whole again, on the plan printed.
    EXPECT_FALSE(orvServer->Plan.Filtered());
    EXPECT_EQ(orvServer->Plan.RecordCount(), 2);
    EXPECT_EQ(orvServer->Plan.FieldByName("pla_ID")->AsInteger(), 1);
}

// 29.12.2026 and 01.01.2027 both lie in ISO week 53 of 2026: one header and one week sum.
TEST_F(PlanPrintTest, AWeekAcrossTheYearChangeIsOneWeek)
{
    unit(20, 2026, 12, 29, 15000);
    unit(21, 2027, 1, 1, 16000);
    unit(22, 2027, 1, 4, 5000);
    plan(1, "Jahreswechsel");
    for (int id : {20, 21, 22})
        link(1, id);
    start();
    printPlan(1, [&](const TPreparedReport& r) {
        const QStringList texts = allTexts(r);
        EXPECT_EQ(r.pages[0].bandsOf(btGroupHeader).size(), 2u);
        EXPECT_EQ(after(texts, "Woche:", 0), "53.26");
        EXPECT_EQ(after(texts, "Woche:", 1), "1.27");
        EXPECT_EQ(after(texts, "Distanz/Woche:", 0), "31 Kilometer");
        EXPECT_EQ(after(texts, "Distanz/Woche:", 1), "5 Kilometer");
    });
}

TEST_F(PlanPrintTest, OneDistanceUnitPrintsMetresAndAnEmptyPlanPrintsZero)
{
    threeWeeks();
    plan(3, "Leer");
    db.exec("UPDATE sportart SET Spo_distance = 5");
    db.exec("DELETE FROM unit WHERE unt_type = 1 AND unt_id <> 5");
    start();
    printPlan(1, [&](const TPreparedReport& r) {
        const QStringList texts = allTexts(r);
        EXPECT_EQ(after(texts, "Distanz/Woche:", 0), "15000 m");
        EXPECT_EQ(after(texts, "Gesamtdistanz:"), "35500 m");
    });
    printPlan(3, [&](const TPreparedReport& r) {
        const QStringList texts = allTexts(r);
        EXPECT_TRUE(r.pages[0].bandsOf(btGroupHeader).empty());
        EXPECT_EQ(after(texts, "Gesamtdistanz:"), "0 m");
        EXPECT_TRUE(texts.contains("Leer, 15.03.2024 für Eva Muster"));
    });
}

TEST_F(PlanPrintTest, ThePlanListIsWholeAgainWhenThePreviewFailsOrThereIsNoPlan)
{
    threeWeeks();
    start();
    ErrorBoxRecorder errors;
    manage(2, [&](TTrainForm& m) {
        ScriptedAnswers::onShowModal<TReportPreview>([](TReportPreview&) { throw Exception("Vorschau kaputt"); });
        m.XPButton19->Click();
        EXPECT_EQ(errors.shown, QStringList({"Vorschau kaputt"}));
        EXPECT_FALSE(orvServer->Plan.Filtered());
        EXPECT_EQ(orvServer->Plan.RecordCount(), 2);
        EXPECT_EQ(orvServer->Plan.FieldByName("pla_ID")->AsInteger(), 2);

        db.exec("DELETE FROM plan");
        orvServer->Plan.Requery();
        ScriptedAnswers::pushMessageAnswer(mrOk);
        m.XPButton19->Click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Es ist kein Trainingsplan ausgewählt oder vorhanden.");
        m.Close();
    });
}

// ---------------------------------------------------------------------------------------------
// The month sheet.

TEST(PlanMonthSheetTest, DaysStandInTheirWeekdaysColumnAndWeekLine)
{
    struct Case {
        int y, m, d;
        int left, top;
    } const cases[] = {
        {2020, 3, 1, 40 + 72 * 6, 48},         // March 2020 starts on a Sunday: day 1 alone
        {2020, 3, 2, 40, 48 + 104},            // and day 2 starts the second line
        {2020, 3, 30, 40, 48 + 104 * 5},       // the sixth line, below the five week labels
        {2024, 3, 15, 40 + 72 * 4, 48 + 104 * 2},
    };
    for (const Case& c : cases) {
        const QPoint p = PlanMonthCell(EncodeDate(c.y, c.m, 1), EncodeDate(c.y, c.m, c.d));
        EXPECT_EQ(p, QPoint(c.left, c.top)) << c.y << "-" << c.m << "-" << c.d;
    }
    EXPECT_EQ(PlanMonthWeekLabels(EncodeDate(2010, 1, 1), "W "), QStringList({"W 53", "W 1", "W 2", "W 3", "W 4"}));
    EXPECT_EQ(PlanMonthWeekLabels(EncodeDate(2024, 3, 1), "W "), QStringList({"W 9", "W 10", "W 11", "W 12", "W 13"}));
}

TEST_F(PlanPrintTest, TheOverviewDrawsOneBoxPerUnitUnderAnyDateFormatAndClearsTheMonthBefore)
{
    // 5 March 2024: three units; 20 March: a unit of the load level without colour (-1).
    unit(10, 2024, 3, 5, 5000, 0, 2);
    unit(11, 2024, 3, 5, 6000, 0, 3, 2);
    unit(12, 2024, 3, 5, 7000, 0, 1);
    unit(13, 2024, 3, 20, 8000, 0, 0);
    unit(14, 2024, 4, 2, 9000);
    unit(15, 2024, 3, 6, 9000);  // in another plan
    plan(1, "Frühjahr");
    plan(2, "Sommer");
    for (int id : {10, 11, 12, 13, 14})
        link(1, id);
    link(2, 15);
    start();
    FormatSettings().ShortDateFormat = "dd/MM/yyyy";
    FormatSettings().DateSeparator = '/';
    manage(1, [](TTrainForm& m) {
        ScriptedAnswers::onShowModal<TtrainplanWoche>([](TtrainplanWoche& w) {
            EXPECT_EQ(w.Combobox1->currentIndex(), 2);  // today: March 2024
            EXPECT_EQ(w.Combobox2->currentText(), "2024");
            EXPECT_EQ(w.Combobox2->count(), 13);
            EXPECT_EQ(w.WeekLabels[0]->text(), "W O C H E 9");
            QList<TShape*> boxes = w.findChildren<TShape*>();
            ASSERT_EQ(boxes.size(), 4);
            std::sort(boxes.begin(), boxes.end(), [](TShape* a, TShape* b) { return a->y() < b->y() || (a->y() == b->y() && a->x() < b->x()); });
            // Tuesday 5 March, second line: three boxes 26 pixels apart.
            const int left = 40 + 72;
            const int top = 48 + 104;
            EXPECT_EQ(boxes[0]->geometry(), QRect(left, top + 16, 57, 25));
            EXPECT_EQ(boxes[1]->geometry(), QRect(left, top + 42, 57, 25));
            EXPECT_EQ(boxes[2]->geometry(), QRect(left, top + 68, 57, 25));
            EXPECT_EQ(boxes[0]->BrushColor(), TColor(0x90EE90));  // GA1
            EXPECT_EQ(boxes[0]->PenColor(), clSilver);
            // Wednesday 20 March, fourth line: the level without colour leaves the box white.
            EXPECT_EQ(boxes[3]->geometry().topLeft(), QPoint(40 + 72 * 2, 48 + 104 * 3 + 16));
            EXPECT_EQ(boxes[3]->BrushColor(), clWhite);
            QStringList sports;
            for (QLabel* l : w.findChildren<QLabel*>())
                if (l->text() == "Laufen" || l->text() == "Radfahren")
                    sports << l->text();
            EXPECT_EQ(sports.size(), 4);
            bool dayLabel = false;
            for (QLabel* l : w.findChildren<QLabel*>())
                dayLabel |= l->text() == "05/03/2024" && l->pos() == QPoint(left, top);
            EXPECT_TRUE(dayLabel);

            // April: the March boxes go, the April unit comes.
            w.Combobox1->setCurrentIndex(3);
            w.XPButton2->Click();
            boxes = w.findChildren<TShape*>();
            ASSERT_EQ(boxes.size(), 1);
            EXPECT_EQ(boxes[0]->pos(), QPoint(40 + 72, 48 + 16));
            EXPECT_EQ(w.WeekLabels[0]->text(), "W O C H E 14");
            w.Close();
        });
        m.XPButton5->Click();
        m.Close();
    });
}

TEST_F(PlanTest, PlanMonthIsChosenWithTheKeyboardAlone)
{
    unit(10, 2024, 3, 5, 10000);
    unit(14, 2024, 4, 2, 9000);
    plan(1, "Frühjahr");
    link(1, 10);
    link(1, 14);
    start();
    manage(1, [](TTrainForm& m) {
        ScriptedAnswers::onShowModal<TtrainplanWoche>([](TtrainplanWoche& w) {
            EXPECT_EQ(KeyboardWalkProblem(&w, {w.Combobox1, w.Combobox2, w.XPButton2, w.DBGrid1}), "");
            // April typed, the year kept, and Return on "Anzeigen".
            FocusWindowAt(&w, w.Combobox1);
            TypeKeys("April");
            PressKey(Qt::Key_Tab);
            TypeKeys("2024");
            PressKey(Qt::Key_Tab);
            ASSERT_EQ(QApplication::focusWidget(), w.XPButton2);
            PressKey(Qt::Key_Return);
            EXPECT_EQ(w.Combobox1->currentIndex(), 3);
            EXPECT_EQ(w.WeekLabels[0]->text(), "W O C H E 14");
            EXPECT_EQ(w.findChildren<TShape*>().size(), 1);
            w.Close();
        });
        m.XPButton5->Click();
        m.Close();
    });
}
