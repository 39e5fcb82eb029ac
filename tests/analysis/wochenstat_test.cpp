// The weekly statistics and their chart on the program started as a user starts it: the run of
// weeks and their boundaries, the kinds and colours with planning, the sport filter, distances
// in the chosen unit, the totals, the row cut up to the current week, the print, the chart and
// opening a unit.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "analysis/weekstat.h"
#include "analysis/wochenstat.h"
#include "analysis/wochenstatgraf.h"
#include "controls/xpbutton.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "platform/chart/chartwidget.h"
#include "platform/db/connection.h"
#include "platform/db/fields.h"
#include "platform/report/printercanvas.h"
#include "platform/report/reportprinter.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/datetimepicker.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/errorbox.h"
#include "tests/support/keyboardwalk.h"
#include "traininglog/einheiteneingabe.h"

namespace {

constexpr double kHour = 1.0 / 24;

class WeeklyStatisticsTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        // A Wednesday in 2003: week 1 of 2003 begins on Monday 30.12.2002.
        SetClock([] { return EncodeDate(2003, 5, 14) + EncodeTime(10, 0, 0, 0); });
    }
    void TearDown() override
    {
        PrintJobCapture::stop();
        ProgramTest::TearDown();
        FormatSettings() = savedSettings_;
    }

    // A unit on a German date; metres "NULL" leaves the distance empty.
    void unit(const char* date, const QString& metres, double duration = kHour, int sport = 1, int form = 1,
              int height = 0)
    {
        db.exec(QStringLiteral("INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Hoehendifferenz, "
                               "Ort, trainingsblock) VALUES (%1, 0.3, %2, %3, %4, %5, %6, 'Park', 1)")
                    .arg(StrToDate(QString::fromLatin1(date), GermanFormatSettings()))
                    .arg(form)
                    .arg(duration)
                    .arg(metres)
                    .arg(sport)
                    .arg(height));
    }
    void unit(const char* date, int metres, double duration = kHour, int sport = 1, int form = 1, int height = 0)
    {
        unit(date, QString::number(metres), duration, sport, form, height);
    }

    void start()
    {
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
    }

    // Shows the window through the main window's action; the callback plays the user and the
    // window is closed afterwards unless the callback closed it.
    void show(const std::function<void(TWochenstat&)>& user)
    {
        ScriptedAnswers::onShowModal<TWochenstat>([user](TWochenstat& f) {
            user(f);
            if (f.isVisible())
                f.Close();
        });
        UpdateAllActions();
        ASSERT_TRUE(MainForm->StatWochen1->Enabled());
        MainForm->StatWochen1->Execute();
        EXPECT_EQ(Wochenstat, nullptr) << "the window is freed after its showing";
    }

    static QStringList row(TWochenstat& f, int r)
    {
        QStringList cells;
        for (int c = 0; c <= 6; ++c)
            cells << f.StringGrid1->Cells(c, r);
        return cells;
    }
    static void apply(TWochenstat& f) { f.SpeedButton4->click(); }
    static void space(QWidget* w)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(w, &press);
    }
    static void chooseUnit(TWochenstat& f, const QString& name)
    {
        f.ComboBox1->setCurrentIndex(f.ComboBox1->findText(name));
        ASSERT_EQ(f.ComboBox1->currentText(), name);
    }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};

}  // namespace

TEST(WeeklyStatisticsRules, FirstWeekOfTheYearBeginsOnTheMondayBeforeTheFourthOfJanuary)
{
    const struct {
        int year;
        TDateTime first;
    } cases[] = {
        {2003, EncodeDate(2002, 12, 30)},  // 4 January a Saturday
        {2004, EncodeDate(2003, 12, 29)},  // a Sunday
        {2005, EncodeDate(2005, 1, 3)},    // a Tuesday
        {2010, EncodeDate(2010, 1, 4)},    // a Monday
        {2026, EncodeDate(2025, 12, 29)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstDayOfIsoWeek1(c.year), c.first) << c.year;
}

TEST(WeeklyStatisticsRules, DurationTextsTotalsAndChartFigures)
{
    const struct {
        const char* text;
        int64_t ms;
    } durations[] = {{"0:00:00", 0}, {"1:02:03", 3723000}, {"624:00:00", 2246400000}, {"700:00:00", 2520000000}};
    for (const auto& d : durations)
        EXPECT_EQ(TimeStrToMs(QString::fromLatin1(d.text)), d.ms) << d.text;

    const TFormatSettings saved = FormatSettings();
    FormatSettings() = GermanFormatSettings();
    // 520 km and 624 hours over 52 weeks; the averages count the empty weeks too.
    QList<QStringList> rows{{"520", "624:00:00", "1300"}};
    for (int i = 1; i < 52; ++i)
        rows << QStringList{"0", "0:00:00", "0"};
    const TWeekTotals t = WeekTotals(rows, 52);
    EXPECT_EQ(t.Distance, "520");
    EXPECT_EQ(t.AvgDistance, "10,00");
    EXPECT_EQ(t.Height, "1300");
    EXPECT_EQ(t.AvgHeight, "25");
    EXPECT_EQ(t.Time, "624:00:00");
    EXPECT_EQ(t.AvgTime, "12:00:00");
    FormatSettings() = saved;

    // Kilometres and miles are drawn in metres; a factor of exactly 0.0011 still is.
    const std::pair<double, double> multipliers[] = {{1.0, 1}, {0.001, 1000}, {0.0011, 1000},
                                                     {0.000621371192237334, 1000}, {1.09361329833771, 1}};
    for (const auto& [calc, k] : multipliers)
        EXPECT_EQ(WeekChartDistanceMultiplier(calc), k) << calc;
    EXPECT_EQ(WeekChartTimeLabel(0.5), "12:00:00");
    EXPECT_EQ(WeekChartTimeLabel(1.5), "36:00:00");
    EXPECT_EQ(WeekKindColor("B"), clNavy);
    EXPECT_EQ(WeekKindColor("P"), clRed);
    EXPECT_EQ(WeekKindColor("R"), clBlack);
}

TEST(WeeklyStatisticsRules, RowsUpToTheCurrentPeriodAreThoseBegunByToday)
{
    std::vector<TDateTime> weeks;
    for (int i = 0; i < 52; ++i)
        weeks.push_back(EncodeDate(2002, 12, 30) + 7 * i);
    EXPECT_EQ(RowsBeginningBy(weeks, EncodeDate(2003, 5, 14) + 0.4), 20);
    EXPECT_EQ(RowsBeginningBy(weeks, EncodeDate(2003, 5, 12)), 20);  // the day week 20 begins
    EXPECT_EQ(RowsBeginningBy(weeks, EncodeDate(2002, 12, 29)), 0);
    EXPECT_EQ(RowsBeginningBy(weeks, EncodeDate(2010, 1, 1)), 52);  // never more rows than weeks
}

// The title, the subtitle and the heading line of a period print stand one below the other: no
// text box reaches into the next. The rows keep their pitch of 100 units below the heading, and
// later pages place them as the first does.
TEST(WeeklyStatisticsRules, PeriodPrintLinesDoNotOverlap)
{
    PrintJobCapture::start();
    TPeriodPrint print;
    print.Title = QStringLiteral("Wochenstatistik vom 30.12.2002, 52 Wochen");
    print.Headings = {QStringLiteral("Woche"), QStringLiteral("Kilometer")};
    print.Columns = {200, 900};
    for (int i = 1; i <= 31; ++i)
        print.Rows << QStringList{QStringLiteral("Woche: %1").arg(i), QString::number(i * 10)};
    TPrinterCanvas printer;
    PrintPeriodTable(printer, print);
    const QList<TPrintJob> jobs = PrintJobCapture::jobs();
    PrintJobCapture::stop();
    ASSERT_EQ(jobs.size(), 1);
    const TPreparedReport& report = jobs[0].report;
    ASSERT_EQ(report.pageCount(), 2);
    const auto& items = report.pages[0].items;
    ASSERT_EQ(items.size(), size_t(2 + 2 + 29 * 2));
    const struct {
        size_t upper, lower;
        const char* what;
    } pairs[] = {{0, 1, "title and subtitle"}, {1, 2, "subtitle and heading"}, {1, 3, "subtitle and heading"}};
    for (const auto& p : pairs) {
        EXPECT_LE(items[p.upper].rect.bottom(), items[p.lower].rect.top())
            << p.what << ": " << items[p.upper].text.toStdString() << " / " << items[p.lower].text.toStdString();
    }
    EXPECT_EQ(items[0].text, print.Title);
    EXPECT_EQ(items[4].text, "Woche: 1");
    EXPECT_NEAR(items[4].rect.top() - items[2].rect.top(), 100 * MmPerInch / TPrinterCanvas::PixelsPerInch, 1e-9)
        << "the first row stands 100 units below the heading";
    EXPECT_DOUBLE_EQ(report.pages[1].items.front().rect.top(), items[4].rect.top())
        << "the rows of page 2 begin where those of page 1 do";
}

// Units the open database would repair first: an empty distance counts 0 m, a form without a row
// a done unit.
TEST(WeeklyStatisticsRules, UnitsWithoutDistanceOrFormRowCountAsDone)
{
    AthleteDatabase db;
    db.exec("INSERT INTO daten (Datum, Form, Zeit, Meter, Sportart, Hoehendifferenz) VALUES "
            "(37621, 1, 0.0833333333333333, NULL, 1, NULL), (37622, 99, 0.0416666666666667, 500, 1, 7), "
            "(37623, 3, 0.0416666666666667, 800, 1, 0)");  // 31.12.2002 to 02.01.2003
    TConnection c;
    c.Open(db.path());
    TWeekSettings s;
    s.Start = EncodeDate(2002, 12, 30);
    s.Weeks = 2;
    s.UnitCalc = 0.001;
    std::vector<TWeek> weeks = FillWeeks(c, s);
    ASSERT_EQ(weeks.size(), 2u);
    EXPECT_DOUBLE_EQ(weeks[0].Distance, 0.5);
    EXPECT_EQ(weeks[0].Ms, 3 * 3600000);
    EXPECT_EQ(weeks[0].Height, 7);
    EXPECT_EQ(weeks[0].Kind(), QChar('R'));
    EXPECT_EQ(weeks[1].From, EncodeDate(2003, 1, 6));
    s.WithPlanning = true;
    weeks = FillWeeks(c, s);
    EXPECT_DOUBLE_EQ(weeks[0].Distance, 1.3);
    EXPECT_EQ(weeks[0].Kind(), QChar('B'));
}

TEST_F(WeeklyStatisticsTest, WeeksRunFromTheFirstIsoWeekAndCountEachUnitOnce)
{
    unit("29.12.2002", 1000);  // the day before the start
    unit("05.01.2003", 2000);  // the last day of week 1
    unit("06.01.2003", 3000, 0.5, 1, 1, 120);
    unit("28.12.2003", 4000);  // the last day of week 52
    start();
    show([](TWochenstat& f) {
        EXPECT_EQ(f.DateTimePicker1->DateTime(), EncodeDate(2002, 12, 30));
        EXPECT_EQ(f.Edit1->text(), "52");
        EXPECT_EQ(f.ComboBox1->currentText(), "Kilometer") << "the configured unit";
        EXPECT_EQ(f.StringGrid1->RowCount(), 53);
        EXPECT_EQ(row(f, 0).mid(0, 6), (QStringList{"Woche", "Distanz", "Zeit", "Höhe", "Vom: ", "Bis zum: "}));
        EXPECT_EQ(row(f, 1), (QStringList{"Woche: 1", "2", "1:00:00", "0", "30.12.2002", "05.01.2003", "R"}));
        EXPECT_EQ(row(f, 2), (QStringList{"Woche: 2", "3", "12:00:00", "120", "06.01.2003", "12.01.2003", "R"}));
        EXPECT_EQ(row(f, 52), (QStringList{"Woche: 52", "4", "1:00:00", "0", "22.12.2003", "28.12.2003", "R"}));
        EXPECT_LE(f.StringGrid1->ColWidths(6), 0) << "the kind column is hidden";
        EXPECT_EQ(f.Label9->text(), "9");
        EXPECT_EQ(f.Label16->text(), "14:00:00");
        // Week 1's details are open.
        EXPECT_EQ(f.Query1.RecordCount(), 1);
        EXPECT_EQ(f.Query1.FieldByName("Meter")->DisplayText(), "2 km");
    });
}

TEST_F(WeeklyStatisticsTest, PlanningDecidesKindsAndColours)
{
    unit("31.12.2002", 5000, kHour, 1, 1);  // week 1: done ...
    unit("01.01.2003", 7000, kHour, 1, 3);  // ... and planned
    unit("07.01.2003", 9000, kHour, 1, 3);  // week 2: planned only
    // Week 3: a unit whose form has no row counts as a done unit.
    unit("14.01.2003", 0, 2 * kHour);
    unit("15.01.2003", 500, kHour, 1, 99);
    start();
    show([](TWochenstat& f) {
        EXPECT_FALSE(f.CheckBox3->isChecked());
        // Without planning the planned units are left out and no week is "P" or "B".
        EXPECT_EQ(row(f, 1).mid(1), (QStringList{"5", "1:00:00", "0", "30.12.2002", "05.01.2003", "R"}));
        EXPECT_EQ(row(f, 2).mid(1, 2), (QStringList{"0", "0:00:00"}));
        EXPECT_EQ(row(f, 2)[6], "R");
        EXPECT_EQ(row(f, 3).mid(1, 2), (QStringList{"0,5", "3:00:00"}));
        EXPECT_EQ(row(f, 3)[6], "R");
        bool can = true;
        f.StringGrid1SelectCell(f.StringGrid1, 1, 3, can);
        EXPECT_EQ(f.Query1.RecordCount(), 2) << "the week's details list both units";

        f.CheckBox3->click();
        apply(f);
        EXPECT_EQ(row(f, 1).mid(1, 2), (QStringList{"12", "2:00:00"}));
        EXPECT_EQ(row(f, 1)[6], "B");
        EXPECT_EQ(row(f, 2)[6], "P");
        EXPECT_EQ(row(f, 3)[6], "R");
        EXPECT_EQ(row(f, 4)[6], "R") << "an empty week";

        // The rows are drawn in their kind's colour: week 2 in red, week 3 in black; the selected
        // week 1 on its highlight.
        f.resize(900, 600);
        const QImage picture = f.StringGrid1->viewport()->grab().toImage();
        auto countColour = [&](int r, auto match) {
            const QRect cell = f.StringGrid1->CellRect(1, r);
            int n = 0;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x)
                    n += match(picture.pixelColor(x, y)) ? 1 : 0;
            return n;
        };
        auto reddish = [](const QColor& c) { return c.red() > 150 && c.green() < 80 && c.blue() < 80; };
        auto highlight = [](const QColor& c) { return c == QColor(181, 190, 214); };
        EXPECT_GT(countColour(2, reddish), 0);
        EXPECT_EQ(countColour(3, reddish), 0);
        EXPECT_GT(countColour(1, highlight), 0);
    });
}

TEST_F(WeeklyStatisticsTest, SportFilterCountsTheTickedSportsOnly)
{
    unit("31.12.2002", 5000, kHour, 1);  // Laufen
    unit("01.01.2003", 30000, kHour, 2); // Radfahren
    start();
    show([](TWochenstat& f) {
        space(f.XPButton7);
        EXPECT_TRUE(f.XPButton7->Down());
        EXPECT_FALSE(f.XPButton6->Down());
        EXPECT_TRUE(f.tab_filter->isVisibleTo(&f));
        EXPECT_FALSE(f.tab_zeitraum->isVisibleTo(&f));
        EXPECT_FALSE(f.CheckListBox1->isEnabled());
        f.CheckBox1->click();
        EXPECT_TRUE(f.CheckListBox1->isEnabled());
        // Nothing ticked: every week is empty, yet the details list the week's units.
        apply(f);
        EXPECT_EQ(row(f, 1).mid(1, 3), (QStringList{"0", "0:00:00", "0"}));
        EXPECT_EQ(f.Query1.RecordCount(), 2);
        EXPECT_EQ(f.ADOQuery1.RecordCount(), 2);

        f.CheckListBox1->findItems("Laufen", Qt::MatchExactly).value(0)->setCheckState(Qt::Checked);
        apply(f);
        EXPECT_EQ(row(f, 1).mid(1, 2), (QStringList{"5", "1:00:00"}));
        EXPECT_EQ(f.Query1.RecordCount(), 1);
        space(f.XPButton10);
        EXPECT_TRUE(f.tab_woche->isVisibleTo(&f));
        EXPECT_FALSE(f.tab_jahr->isVisibleTo(&f));
        ASSERT_EQ(f.ADOQuery1.RecordCount(), 1);
        EXPECT_EQ(f.ADOQuery1.FieldByName("sportName")->AsString(), "Laufen");
        EXPECT_EQ(f.ADOQuery1.FieldByName("smeter")->DisplayText(), "5 km");
        EXPECT_EQ(f.ADOQuery1.FieldByName("Anzahl")->AsInteger(), 1);
    });
}

TEST_F(WeeklyStatisticsTest, DistancesInTheChosenUnitAndTotalsOverAllWeeks)
{
    // 520 km and 624 hours in 52 weeks; week 1 holds a swim, shown in the swim's own unit.
    unit("30.12.2002", 10500, 0.5);
    unit("31.12.2002", 1000, 0, 3);
    unit("06.01.2003", 8500, 0.5);
    for (int w = 2; w < 52; ++w) {
        const QByteArray date = DateToStr(EncodeDate(2002, 12, 30) + 7 * w, GermanFormatSettings()).toLatin1();
        unit(date.constData(), 10000, 0.5);
    }
    start();
    show([](TWochenstat& f) {
        EXPECT_EQ(row(f, 1)[1], "11,5");
        EXPECT_EQ(f.Label9->text(), "520");
        EXPECT_EQ(f.Label10->text(), "10,00");
        EXPECT_EQ(f.Label16->text(), "624:00:00");
        EXPECT_EQ(f.Label17->text(), "12:00:00");
        ASSERT_EQ(f.Query1.RecordCount(), 2);
        f.Query1.First();
        EXPECT_EQ(f.Query1.FieldByName("Meter")->DisplayText(), "10,5 km");
        f.Query1.Next();
        EXPECT_EQ(f.Query1.FieldByName("Meter")->DisplayText(), "1000 m") << "swims count in metres";

        chooseUnit(f, "Meter");
        apply(f);
        EXPECT_EQ(row(f, 1)[1], "11500");
        EXPECT_EQ(f.Label9->text(), "520000");
    });
}

TEST_F(WeeklyStatisticsTest, RowsUpToTheCurrentWeekKeepTheTotals)
{
    unit("30.06.2003", 10000);  // week 27, after today
    start();
    show([](TWochenstat& f) {
        f.CheckBox2->click();
        EXPECT_EQ(f.StringGrid1->RowCount(), 21) << "weeks 1 to 20 of 14.05.2003";
        EXPECT_EQ(f.Label9->text(), "10") << "the totals still cover all 52 weeks";

        f.DateTimePicker1->SetDateTime(EncodeDate(2003, 5, 5));
        apply(f);
        EXPECT_EQ(f.StringGrid1->RowCount(), 3) << "weeks from 05.05. and 12.05.";
        // A weeks field changed since the fill: unticking shows the rows of the last fill.
        f.Edit1->setText("100");
        f.CheckBox2->click();
        EXPECT_EQ(f.StringGrid1->RowCount(), 53);
        EXPECT_EQ(f.StringGrid1->Cells(4, 52), "26.04.2004");
    });
}

TEST_F(WeeklyStatisticsTest, WeeksMustBeAWholeNumberAboveZero)
{
    unit("31.12.2002", 5000);
    start();
    show([](TWochenstat& f) {
        ErrorBoxRecorder errors;
        const QStringList first = row(f, 1);
        for (const char* text : {"0", "-3", "abc"}) {
            f.Edit1->setText(QString::fromLatin1(text));
            apply(f);
            EXPECT_EQ(f.StringGrid1->RowCount(), 53) << text;
            EXPECT_EQ(row(f, 1), first) << text;
            EXPECT_EQ(f.Label10->text(), "0,10") << text;
        }
        EXPECT_EQ(errors.shown,
                  (QStringList{"Die Anzahl der Wochen muss eine ganze Zahl größer als 0 sein.",
                               "Die Anzahl der Wochen muss eine ganze Zahl größer als 0 sein.",
                               "'abc' ist kein gültiger Integerwert"}));
    });
}

TEST_F(WeeklyStatisticsTest, PrintPutsTwentyNineWeeksOnAPage)
{
    unit("31.12.2002", 5000);
    start();
    PrintJobCapture::start();
    show([](TWochenstat& f) {
        f.SpeedButton3->click();
        f.CheckBox2->click();
        f.SpeedButton3->click();
    });
    ASSERT_EQ(PrintJobCapture::jobs().size(), 2);
    const TPreparedReport& all = PrintJobCapture::jobs()[0].report;
    ASSERT_EQ(all.pageCount(), 2);
    const auto& first = all.pages[0];
    ASSERT_EQ(first.texts().size(), 2 + 6 + 29 * 6);
    EXPECT_EQ(first.items[0].text, "Wochenstatistik vom 30.12.2002, 52 Wochen");
    EXPECT_EQ(first.items[1].text, "Erstellt mit Orvalo 5");
    EXPECT_EQ(first.items[3].text, "Kilometer") << "the unit heads the distance column";
    EXPECT_EQ(first.items[8].text, "Woche: 1");
    EXPECT_EQ(first.items[9].text, "5");
    // The texts of a row and of the heading line end before the next column begins.
    for (const size_t line : {size_t(2), size_t(8)})
        for (size_t c = 0; c < 5; ++c)
            EXPECT_LT(first.items[line + c].rect.right(), first.items[line + c + 1].rect.left()) << line << "," << c;
    EXPECT_EQ(all.pages[1].texts().size(), 23 * 6);
    EXPECT_EQ(all.pages[1].items.front().text, "Woche: 30");
    // Cut to the current week: the 20 weeks shown, on one page.
    const TPreparedReport& cut = PrintJobCapture::jobs()[1].report;
    ASSERT_EQ(cut.pageCount(), 1);
    EXPECT_EQ(cut.pages[0].texts().size(), 2 + 6 + 20 * 6);
}

TEST_F(WeeklyStatisticsTest, ChartShowsTheWeeksOfTheLastFill)
{
    unit("31.12.2002", 10500, 0.5, 1, 1, 30);
    start();
    show([](TWochenstat& f) {
        chooseUnit(f, "Meter");
        apply(f);
        // Changed since the fill: neither reaches the chart.
        f.Edit1->setText("10");
        chooseUnit(f, "Kilometer");
        ScriptedAnswers::onShowModal<Twochenstatgraf>([](Twochenstatgraf& g) {
            ChartWidget& chart = *g.ChartFX1;
            EXPECT_EQ(chart.PointCount(), 52);
            EXPECT_EQ(chart.DataValue(0, 0), 10500);
            EXPECT_EQ(chart.DataValue(1, 0), 300);
            EXPECT_DOUBLE_EQ(chart.DataValue(2, 0), 0.5);
            EXPECT_EQ(chart.DataValue(0, 1), 0);
            EXPECT_EQ(chart.AxisObject(0).AxisTitle(), "Meter * 1/Meter * 10");
            EXPECT_EQ(chart.SeriesObject(0).SeriesLegend(), "Meter");
            EXPECT_EQ(chart.SeriesObject(1).SeriesLegend(), "Höhe (in m * 10)");
            EXPECT_EQ(chart.SeriesObject(2).SeriesLegend(), "Zeit");
            EXPECT_EQ(chart.SeriesObject(2).SeriesAxis(), 1);
            EXPECT_EQ(chart.AxisLabelText(1, 1.5), "36:00:00");
            // "Zeit" unticked hides the time and leaves the others.
            g.Meter1Click(g.Zeit1);
            EXPECT_FALSE(Twochenstatgraf::Ticked(g.Zeit1));
            EXPECT_TRUE(g.Zeit1->icon().isNull());
            EXPECT_FALSE(chart.SeriesObject(2).SeriesVisible());
            EXPECT_TRUE(chart.SeriesObject(0).SeriesVisible());
            g.XPButton7->Click();
        });
        f.XPButton4->Click();

        apply(f);  // now in kilometres and ten weeks
        ScriptedAnswers::onShowModal<Twochenstatgraf>([](Twochenstatgraf& g) {
            ChartWidget& chart = *g.ChartFX1;
            EXPECT_EQ(chart.PointCount(), 10);
            EXPECT_DOUBLE_EQ(chart.DataValue(0, 0), 10500);
            EXPECT_EQ(chart.AxisObject(0).AxisTitle(), "Kilometer * 1000/Meter * 10");
            EXPECT_FALSE(Twochenstatgraf::Ticked(g.Zeit1)) << "the menu keeps its state";
            EXPECT_FALSE(chart.SeriesObject(2).SeriesVisible());
            g.Meter1Click(g.Zeit1);
            EXPECT_TRUE(chart.SeriesObject(2).SeriesVisible());
            g.XPButton7->Click();
        });
        f.XPButton4->Click();
    });
}

TEST_F(WeeklyStatisticsTest, OpeningAUnitMakesItCurrentAndClosesTheWindow)
{
    unit("31.12.2002", 5000);
    unit("07.01.2003", 6000);
    start();
    const int second = db.value("SELECT dat_Id FROM daten WHERE Meter = 6000").toInt();
    show([](TWochenstat& f) {
        bool can = true;
        f.StringGrid1->SetRow(2);
        f.StringGrid1SelectCell(f.StringGrid1, 1, 2, can);
        ASSERT_EQ(f.Query1.RecordCount(), 1);
        f.XPButton3->Click();
        EXPECT_EQ(f.ModalResult(), mrCancel) << "the window closes";
    });
    EXPECT_EQ(orvServer->daten.FieldByName("dat_Id")->AsInteger(), second);
}

TEST_F(WeeklyStatisticsTest, TabReachesEverySetting)
{
    start();
    show([](TWochenstat& f) {
        QStringList chain;
        QWidget* w = f.StringGrid1;
        for (int i = 0; i < 1000 && (i == 0 || w != f.StringGrid1); ++i, w = w->nextInFocusChain())
            if (w->isVisibleTo(&f) && (w->focusPolicy() & Qt::TabFocus) && w->window() == &f)
                chain << w->objectName();
        const QStringList fields = {"DateTimePicker1", "Edit1", "ComboBox1", "CheckBox2", "CheckBox3", "SpeedButton4"};
        int last = -1;
        for (const QString& name : fields) {
            const int at = chain.indexOf(name);
            EXPECT_GT(at, last) << name.toStdString() << " in " << chain.join(", ").toStdString();
            last = at;
        }
        for (const char* name : {"XPButton1", "XPButton4", "XPButton6", "XPButton9", "DBGrid1", "XPButton3"})
            EXPECT_TRUE(chain.contains(QString::fromLatin1(name))) << name;
    });
}

TEST_F(WeeklyStatisticsTest, WorkedWithTheKeyboardAlone)
{
    unit("06.02.2024", 5000);
    start();
    show([](TWochenstat& f) {
        EXPECT_EQ(KeyboardWalkProblem(&f, {f.XPButton1, f.SpeedButton3, f.XPButton4, f.XPButton2, f.StringGrid1,
                                           f.XPButton6, f.XPButton7, f.DateTimePicker1, f.Edit1, f.ComboBox1,
                                           f.CheckBox2, f.CheckBox3, f.SpeedButton4, f.XPButton9, f.XPButton10,
                                           f.DBGrid1, f.XPButton3}),
              "");
        // The start and the number of weeks typed as a user types them, then "Übernehmen".
        FocusWindowAt(&f, f.XPButton7);
        PressKey(Qt::Key_Tab);
        TypeKeys("05.02.2024");
        PressKey(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), f.Edit1);
        TypeKeys("4");
        for (int i = 0; i < 4; ++i)
            PressKey(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), f.SpeedButton4);
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        EXPECT_EQ(f.StringGrid1->RowCount(), 5);
        EXPECT_EQ(f.StringGrid1->Cells(4, 1), "05.02.2024");
        EXPECT_EQ(f.StringGrid1->Cells(1, 1), "5");
        // "Grafik" opens the chart; its buttons are walked in a row and Space on "Schließen" closes it.
        bool charted = false;
        ScriptedAnswers::onShowModal<Twochenstatgraf>([&charted](Twochenstatgraf& g) {
            charted = true;
            EXPECT_EQ(KeyboardWalkProblem(&g, {g.XPButton7, g.XPButton2, g.XPButton1, g.XPButton3}), "");
            FocusWindowAt(&g, g.XPButton7);
            PressKey(Qt::Key_Space, Qt::NoModifier, " ");
            EXPECT_EQ(g.ModalResult(), mrCancel);
        });
        FocusWindowAt(&f, f.XPButton4);
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        EXPECT_TRUE(charted);
        // The filter page is reached by its tab button; its list of sports once the filter is on.
        FocusWindowAt(&f, f.XPButton7);
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        FocusWindowAt(&f, f.CheckBox1);
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        ASSERT_TRUE(f.CheckBox1->isChecked());
        EXPECT_EQ(KeyboardWalkProblem(&f, {f.XPButton6, f.XPButton7, f.CheckBox1, f.CheckListBox1, f.SpeedButton4}),
                  "");
    });
}
