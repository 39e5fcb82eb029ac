// The monthly statistics and their chart on the program started as a user starts it: the run of
// months across a year's end, empty months and empty sums, time beyond 24 hours, the sport filter
// and planning, the rows of the last fill and the cut up to the current month, the print, bad
// settings, the chart and the keyboard.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "analysis/jahresstat.h"
#include "analysis/monatstatgraf.h"
#include "analysis/monthstat.h"
#include "controls/uinavbar.h"
#include "controls/xpbutton.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "platform/chart/chartwidget.h"
#include "platform/db/connection.h"
#include "platform/db/jetsql.h"
#include "platform/db/query.h"
#include "platform/report/reportprinter.h"
#include "platform/vcl/actnlist.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/errorbox.h"
#include "tests/support/keyboardwalk.h"
#include "traininglog/einheiteneingabe.h"

namespace {

constexpr double kHour = 1.0 / 24;

class MonthlyStatisticsTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetClock([] { return EncodeDate(2004, 5, 14) + EncodeTime(10, 0, 0, 0); });
    }
    void TearDown() override
    {
        PrintJobCapture::stop();
        ProgramTest::TearDown();
        FormatSettings() = savedSettings_;
    }

    // A unit on a German date; "NULL" leaves a value empty.
    void unit(const char* date, const QString& metres, double duration = kHour, int sport = 1, int form = 1,
              const QString& height = QStringLiteral("0"))
    {
        db.exec(QStringLiteral("INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Hoehendifferenz, "
                               "Ort, trainingsblock) VALUES (%1, 0.3, %2, %3, %4, %5, %6, 'Park', 1)")
                    .arg(StrToDate(QString::fromLatin1(date), GermanFormatSettings()))
                    .arg(form)
                    .arg(duration, 0, 'g', 17)
                    .arg(metres)
                    .arg(sport)
                    .arg(height));
    }
    void unit(const char* date, int metres, double duration = kHour, int sport = 1, int form = 1, int height = 0)
    {
        unit(date, QString::number(metres), duration, sport, form, QString::number(height));
    }

    void start()
    {
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
    }

    // Shows the window through the main window's action; the callback plays the user and the
    // window is closed afterwards unless the callback closed it.
    void show(const std::function<void(Tjahresstat&)>& user)
    {
        ScriptedAnswers::onShowModal<Tjahresstat>([user](Tjahresstat& f) {
            user(f);
            if (f.isVisible())
                f.Close();
        });
        UpdateAllActions();
        ASSERT_TRUE(MainForm->StatJahr1->Enabled());
        MainForm->StatJahr1->Execute();
        EXPECT_EQ(jahresstat, nullptr) << "the window is freed after its showing";
    }

    static QStringList row(Tjahresstat& f, int r)
    {
        QStringList cells;
        for (int c = 0; c <= 3; ++c)
            cells << f.StringGrid1->Cells(c, r);
        return cells;
    }
    static void run(Tjahresstat& f, int month, int year, int months)
    {
        f.ComboBox1->setCurrentIndex(month - 1);
        f.Edit1->setText(QString::number(year));
        f.Edit2->setText(QString::number(months));
        f.XPButton5->Click();
    }
    static void chooseUnit(Tjahresstat& f, const QString& name)
    {
        f.ComboBox2->setCurrentIndex(f.ComboBox2->findText(name));
        ASSERT_EQ(f.ComboBox2->currentText(), name);
    }
    static void key(QWidget* w, int k)
    {
        const QString text = k == Qt::Key_Space ? QStringLiteral(" ")
                             : k >= Qt::Key_0 && k <= Qt::Key_9 ? QString(QChar(k))
                                                                 : QString();
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
        QApplication::sendEvent(w, &press);
    }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};

}  // namespace

TEST_F(MonthlyStatisticsTest, MonthsOfTheCurrentYearWithEmptyMonthsAndLongTimes)
{
    // March: 30 h 15 min over three units, 21 km, 350 m up.
    unit("02.03.2004", 10000, 0.5, 1, 1, 200);
    unit("15.03.2004", 6000, 0.5, 1, 1, 150);
    unit("31.03.2004", 5000, 6 * kHour + kHour / 4);
    unit("01.04.2003", 9000);  // a year earlier: not in this run
    start();
    show([](Tjahresstat& f) {
        EXPECT_EQ(f.ComboBox1->currentText(), "1");
        EXPECT_EQ(f.Edit1->text(), "2004") << "the current year";
        EXPECT_EQ(f.Edit2->text(), "12");
        EXPECT_EQ(f.ComboBox2->currentText(), "Kilometer") << "the configured unit";
        EXPECT_EQ(f.StringGrid1->RowCount(), 13);
        EXPECT_EQ(row(f, 0).mid(1), (QStringList{"Distanz", "Zeit", "Höhe"}));
        EXPECT_LE(f.StringGrid1->ColWidths(4), 0) << "column 4 is hidden";
        EXPECT_EQ(row(f, 1), (QStringList{"Januar.04", "0", "00:00:00", "0"})) << "a month without units";
        EXPECT_EQ(row(f, 3), (QStringList{"März.04", "21", "30:15:00", "350"}));
        EXPECT_EQ(f.StringGrid1->Cells(5, 3), "108900000") << "the hidden milliseconds";
        EXPECT_EQ(f.StringGrid1->Cells(5, 1), "0");
        EXPECT_EQ(row(f, 4), (QStringList{"April.04", "0", "00:00:00", "0"}));
        EXPECT_EQ(row(f, 12)[0], "Dezember.04");
        EXPECT_EQ(f.Label43->text(), "30:15:00");
        EXPECT_EQ(f.Label45->text(), "21");
        EXPECT_EQ(f.Label46->text(), "350");

        chooseUnit(f, "Meter");
        f.XPButton5->Click();
        EXPECT_EQ(row(f, 3)[1], "21000");
        EXPECT_EQ(f.Label45->text(), "21000");
    });
}

// Units without a distance or height (as a database not yet repaired holds them) give empty
// sums: the month shows 0, which the chart and the totals can read.
TEST(MonthlyStatisticsRules, EmptySumsShowZero)
{
    AthleteDatabase db;
    db.exec("INSERT INTO daten (Datum, Form, Zeit, Meter, Sportart, Hoehendifferenz) VALUES "
            "(38027, 1, 0.0416666666666667, NULL, 1, NULL)");  // 10.02.2004
    TConnection c;
    c.Open(db.path());
    InstallJetSql(c);
    TQuery q;
    q.SetConnection(&c);
    TMonthSettings s;
    s.Year = 2004;
    s.Months = 3;
    const TMonthRun run = FillMonths(q, s);
    ASSERT_EQ(run.Months.size(), 3u);
    const TMonth& feb = run.Months[1];
    EXPECT_EQ((QStringList{feb.Distance, feb.Time, feb.Height, feb.Ms}), (QStringList{"0", "1:00:00", "0", "3600000"}));
    EXPECT_EQ(run.Metres, 0);
    EXPECT_EQ(run.Height, 0);
    EXPECT_EQ(run.Seconds, 3600);
    EXPECT_DOUBLE_EQ(MonthChartDays(feb.Ms), 1.0 / 24);
    EXPECT_EQ(MonthChartLabel(feb), "02.04");
}

TEST_F(MonthlyStatisticsTest, SportFilterAndPlanning)
{
    unit("05.01.2004", 5000, kHour, 1);      // Laufen
    unit("06.01.2004", 30000, kHour, 2);     // Radfahren
    unit("07.01.2004", 7000, kHour, 1, 3);   // planned
    unit("08.01.2004", 400, kHour, 1, 99);   // a form without a row
    start();
    show([](Tjahresstat& f) {
        EXPECT_FALSE(f.CheckBox3->isChecked());
        EXPECT_EQ(row(f, 1)[1], "35") << "without planning: neither the planned unit nor the one without form";

        f.CheckBox1->click();
        EXPECT_TRUE(f.CheckListBox1->isEnabled());
        EXPECT_EQ(row(f, 1)[1], "35") << "the box recomputes nothing by itself";
        f.XPButton5->Click();
        EXPECT_EQ(row(f, 1)[1], "35") << "no sport ticked: all sports count";

        f.CheckListBox1->findItems("Laufen", Qt::MatchExactly).value(0)->setCheckState(Qt::Checked);
        f.XPButton5->Click();
        EXPECT_EQ(row(f, 1)[1], "5");
        f.CheckListBox1->findItems("Radfahren", Qt::MatchExactly).value(0)->setCheckState(Qt::Checked);
        f.XPButton5->Click();
        EXPECT_EQ(row(f, 1)[1], "35");

        f.CheckBox3->click();
        f.XPButton5->Click();
        EXPECT_EQ(row(f, 1)[1], "42,4") << "with planning every unit of the ticked sports";
        EXPECT_EQ(row(f, 1)[2], "4:00:00");
        f.CheckBox1->click();
        EXPECT_FALSE(f.CheckListBox1->isEnabled());
        f.XPButton5->Click();
        EXPECT_EQ(row(f, 1)[1], "42,4");
    });
}

TEST_F(MonthlyStatisticsTest, RunAcrossTheYearsEndAndTheRowsOfTheLastFill)
{
    unit("30.11.2004", 8000);
    unit("01.02.2005", 3000);
    unit("01.03.2005", 9999);  // after the run
    start();
    PrintJobCapture::start();
    show([](Tjahresstat& f) {
        run(f, 11, 2004, 4);
        EXPECT_EQ(f.StringGrid1->RowCount(), 5);
        EXPECT_EQ(row(f, 1), (QStringList{"November.04", "8", "1:00:00", "0"}));
        EXPECT_EQ(row(f, 2)[0], "Dezember.04");
        EXPECT_EQ(row(f, 3)[0], "Januar.05");
        EXPECT_EQ(row(f, 4), (QStringList{"Februar.05", "3", "1:00:00", "0"}));
        EXPECT_EQ(f.Label45->text(), "11");

        // Changed but not applied: the chart draws the months of the last fill.
        f.Edit2->setText("2");
        f.ComboBox1->setCurrentIndex(0);
        ScriptedAnswers::onShowModal<Tmonatstatgraf>([](Tmonatstatgraf& g) {
            ChartWidget& chart = *g.ChartFX1;
            ASSERT_EQ(chart.PointCount(), 4);
            QStringList labels;
            for (int i = 0; i < 4; ++i)
                labels << chart.AxisObject(2).AxisPointLabel(i);
            EXPECT_EQ(labels, (QStringList{"11.04", "12.04", "01.05", "02.05"}));
            g.XPButton7->Click();
        });
        f.UiNavPanel4->Click();

        // Twelve months, then six: six rows, also in the print.
        run(f, 1, 2004, 12);
        run(f, 1, 2004, 6);
        EXPECT_EQ(f.StringGrid1->RowCount(), 7);
        f.UiNavPanel3->Click();
        // Twenty-four months show all 24; up to the current month (May 2004) five of them, the
        // totals still over all 24.
        run(f, 1, 2004, 24);
        EXPECT_EQ(f.StringGrid1->RowCount(), 25);
        EXPECT_EQ(row(f, 14)[0], "Februar.05");
        f.CheckBox2->click();
        EXPECT_EQ(f.StringGrid1->RowCount(), 6);
        EXPECT_EQ(f.Label45->text(), "20,999");
        f.XPButton5->Click();
        EXPECT_EQ(f.StringGrid1->RowCount(), 6) << "the cut stays after a recomputation";
        // A run that starts after today keeps no row.
        run(f, 6, 2004, 3);
        EXPECT_EQ(f.StringGrid1->RowCount(), 1);
        f.CheckBox2->click();
        EXPECT_EQ(f.StringGrid1->RowCount(), 4);
    });
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    const TPreparedReport& print = PrintJobCapture::jobs()[0].report;
    ASSERT_EQ(print.pageCount(), 1);
    const auto& page = print.pages[0];
    ASSERT_EQ(page.texts().size(), 2 + 4 + 6 * 4);
    EXPECT_EQ(page.items[0].text, "Monatsstatistik von 1/2004, 6 Monate");
    EXPECT_EQ(page.items[1].text, "Erstellt mit Orvalo 5");
    EXPECT_EQ(page.items[2].text, "Monat");
    EXPECT_EQ(page.items[3].text, "Kilometer") << "the unit heads the distance column";
    EXPECT_EQ(page.items[6].text, "Januar.04");
    EXPECT_EQ(page.items.back().text, "0") << "June's height";
}

TEST_F(MonthlyStatisticsTest, PrintPutsTwentyNineMonthsOnAPage)
{
    start();
    PrintJobCapture::start();
    show([](Tjahresstat& f) {
        run(f, 1, 2001, 40);
        f.UiNavPanel3->Click();
    });
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    const TPreparedReport& print = PrintJobCapture::jobs()[0].report;
    ASSERT_EQ(print.pageCount(), 2);
    EXPECT_EQ(print.pages[0].texts().size(), 2 + 4 + 29 * 4);
    EXPECT_EQ(print.pages[1].texts().size(), 11 * 4) << "later pages carry the rows only";
    EXPECT_EQ(print.pages[1].items.front().text, "Juni.03");
    // The texts of September's row end before the next column begins.
    const auto& rows = print.pages[0].items;
    const int september = 6 + 8 * 4;
    ASSERT_EQ(rows[september].text, "September.01");
    for (int c = 0; c < 3; ++c)
        EXPECT_LT(rows[september + c].rect.right(), rows[september + c + 1].rect.left()) << c;
}

TEST_F(MonthlyStatisticsTest, SettingsThatAreNoNumbersKeepTheTable)
{
    unit("10.01.2004", 5000);
    start();
    show([](Tjahresstat& f) {
        ErrorBoxRecorder errors;
        const QStringList first = row(f, 1);
        for (const auto& [year, months] : {std::pair{"2004", "0"}, {"2004", "-2"}, {"2004", "x"}, {"20o4", "12"},
                                           {"9999", "13"}}) {
            f.Edit1->setText(QString::fromLatin1(year));
            f.Edit2->setText(QString::fromLatin1(months));
            f.XPButton5->Click();
            EXPECT_EQ(f.StringGrid1->RowCount(), 13) << year << " " << months;
            EXPECT_EQ(row(f, 1), first) << year << " " << months;
            EXPECT_EQ(f.Label45->text(), "5");
        }
        ASSERT_EQ(errors.shown.size(), 5);
        EXPECT_EQ(errors.shown[0], "Die Anzahl der Monate muss eine ganze Zahl größer als 0 sein.");
        EXPECT_EQ(errors.shown[1], errors.shown[0]);
        EXPECT_EQ(errors.shown[2], "'x' ist kein gültiger Integerwert");
        EXPECT_EQ(errors.shown[3], "'20o4' ist kein gültiger Integerwert");
        // Return in the months field recomputes.
        f.Edit1->setText("2004");
        f.Edit2->setText("3");
        key(f.Edit2, Qt::Key_Return);
        EXPECT_EQ(f.StringGrid1->RowCount(), 4);
    });
}

TEST_F(MonthlyStatisticsTest, ChartInKilometresWithTimeLabelsAndSeriesMenu)
{
    unit("10.01.2004", 10500, 0.75, 1, 1, 30);
    unit("11.01.2004", 0, 0.75);
    start();
    show([](Tjahresstat& f) {
        run(f, 1, 2004, 3);
        ScriptedAnswers::onShowModal<Tmonatstatgraf>([](Tmonatstatgraf& g) {
            ChartWidget& chart = *g.ChartFX1;
            EXPECT_EQ(g.windowTitle(), "Grafik zur Monatsstatistik");
            EXPECT_EQ(chart.PointCount(), 3);
            EXPECT_DOUBLE_EQ(chart.DataValue(0, 0), 10500) << "kilometres x 1000";
            EXPECT_EQ(chart.DataValue(1, 0), 300);
            EXPECT_DOUBLE_EQ(chart.DataValue(2, 0), 1.5);
            EXPECT_EQ(chart.DataValue(0, 1), 0);
            EXPECT_EQ(chart.AxisObject(0).AxisTitle(), "Kilometer * 1000/Meter * 10");
            EXPECT_EQ(chart.SeriesObject(0).SeriesLegend(), "Kilometer");
            EXPECT_EQ(chart.SeriesObject(1).SeriesLegend(), "Höhe (in m * 10)");
            EXPECT_EQ(chart.SeriesObject(2).SeriesLegend(), "Zeit");
            EXPECT_EQ(chart.SeriesObject(2).SeriesAxis(), 1);
            EXPECT_EQ(chart.AxisLabelText(1, 1.5), "36:00:00");
            // "Zeit" unticked hides the time and leaves the others; ticked again shows it.
            g.Meter1Click(g.Zeit1);
            EXPECT_FALSE(Tmonatstatgraf::Ticked(g.Zeit1));
            EXPECT_TRUE(g.Zeit1->icon().isNull());
            EXPECT_FALSE(chart.SeriesObject(2).SeriesVisible());
            EXPECT_TRUE(chart.SeriesObject(0).SeriesVisible());
            EXPECT_TRUE(chart.SeriesObject(1).SeriesVisible());
            g.Meter1Click(g.Zeit1);
            EXPECT_TRUE(chart.SeriesObject(2).SeriesVisible());
            // The tool bar is reached with Tab and pressed with Space.
            EXPECT_EQ(KeyboardWalkProblem(&g, {g.XPButton7, g.XPButton2, g.XPButton1, g.XPButton3}), "");
            FocusWindowAt(&g, g.XPButton7);
            key(g.XPButton7, Qt::Key_Space);
            EXPECT_EQ(g.ModalResult(), mrCancel);
        });
        f.UiNavPanel4->Click();

        chooseUnit(f, "Meter");
        f.XPButton5->Click();
        ScriptedAnswers::onShowModal<Tmonatstatgraf>([](Tmonatstatgraf& g) {
            EXPECT_DOUBLE_EQ(g.ChartFX1->DataValue(0, 0), 10500);
            EXPECT_EQ(g.ChartFX1->AxisObject(0).AxisTitle(), "Meter * 1/Meter * 10");
            g.XPButton7->Click();
        });
        f.UiNavPanel4->Click();
        EXPECT_EQ(monatstatgraf, nullptr) << "the chart is freed after its showing";
    });
}

TEST_F(MonthlyStatisticsTest, KeyboardReachesEverySettingAndPressesTheToolBar)
{
    touchProgramFile("orv5help/Monatsstatistik.htm");
    start();
    show([this](Tjahresstat& f) {
        QStringList chain;
        QWidget* w = f.ComboBox1;
        for (int i = 0; i < 1000 && (i == 0 || w != f.ComboBox1); ++i, w = w->nextInFocusChain())
            if (w->isVisibleTo(&f) && (w->focusPolicy() & Qt::TabFocus) && w->window() == &f)
                chain << w->objectName();
        const QStringList order = {"ComboBox1", "Edit1", "Edit2", "ComboBox2", "CheckBox2", "XPButton5",
                                   "CheckBox1", "CheckListBox1", "CheckBox3", "StringGrid1", "UiNavPanel2",
                                   "UiNavPanel3", "UiNavPanel4", "UiNavPanel5"};
        EXPECT_EQ(chain, order);

        // The month typed into its list, year and count typed, applied with Space.
        f.ComboBox1->setFocus();
        key(f.ComboBox1, Qt::Key_1);
        key(f.ComboBox1, Qt::Key_1);
        EXPECT_EQ(f.ComboBox1->currentText(), "11");
        f.Edit1->setText("2003");
        f.Edit2->setText("2");
        key(f.XPButton5, Qt::Key_Space);
        EXPECT_EQ(row(f, 2)[0], "Dezember.03");

        key(f.UiNavPanel5, Qt::Key_Space);
        EXPECT_EQ(helpPages, QStringList{ProgramFile("orv5help/Monatsstatistik.htm")});
        key(f.UiNavPanel2, Qt::Key_Return);
        EXPECT_EQ(f.ModalResult(), mrCancel) << "the window closes";
    });
}
