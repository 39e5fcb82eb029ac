// The load statistics opened from the period statistics window as a user opens them: both
// groupings on the distance basis in the configured unit, the basis menus, the time basis, an
// empty period, the period of the last quick query, printing and a refused statement.
#include <gtest/gtest.h>

#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "analysis/belstat.h"
#include "analysis/loadstatistics.h"
#include "analysis/zeitraumneu.h"
#include "controls/xpbutton.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "platform/chart/chartwidget.h"
#include "platform/report/reportprinter.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/grids.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/errorbox.h"
#include "tests/support/keyboardwalk.h"
#include "traininglog/einheiteneingabe.h"

namespace {

class LoadStatisticsTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetClock([] { return EncodeDate(2026, 12, 10) + EncodeTime(10, 0, 0, 0); });
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = savedSettings_;
    }

    // A unit of 2026 with a load level, a load type, metres and a duration in days.
    void unit(const char* date, int level, int type, int metres, double days = 0.05)
    {
        db.exec(QStringLiteral("INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, trainingsblock, Hoehendifferenz) VALUES (%1, 0.3, 1, %2, %3, 1, %4, %5, 1, 0)")
                    .arg(StrToDate(QString::fromLatin1(date), GermanFormatSettings()))
                    .arg(days, 0, 'g', 17)
                    .arg(metres)
                    .arg(type)
                    .arg(level));
    }
    void distanceUnit(int id) { db.exec(QStringLiteral("UPDATE config SET cfg_wochenmonatUnt = %1").arg(id)); }

    void start()
    {
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
    }

    // Opens the period statistics (the year of the clock), lets `before` change them, then opens
    // the load statistics from there; `user` plays the user of the load statistics.
    void showLoad(std::function<void(TbelStat&)> user, std::function<void(TZeitNeu&)> before = {})
    {
        ScriptedAnswers::onShowModal<TbelStat>([user](TbelStat& f) {
            user(f);
            if (f.isVisible())
                f.XPButton7->Click();
        });
        ScriptedAnswers::onShowModal<TZeitNeu>([before](TZeitNeu& f) {
            if (before)
                before(f);
            ASSERT_TRUE(f.SpeedButton7->isEnabled());
            f.SpeedButton7->click();
            f.Close();
        });
        UpdateAllActions();
        MainForm->StatZeitraum1->Execute();
    }

    static QStringList list(const TStringGrid* grid)
    {
        QStringList rows;
        for (int r = 0; r < grid->RowCount(); ++r)
            rows << grid->Cells(0, r) + QLatin1Char('=') + grid->Cells(1, r);
        return rows;
    }
    static std::vector<double> values(const ChartWidget* chart) { return chart->SeriesObject(0).Values(); }
    static QStringList menu(QMenu* m)
    {
        QStringList items;
        for (QAction* a : m->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return items;
    }
    // Chooses an item of a basis menu as the user does: the button pops the menu up.
    static void choose(TXPButton* button, QMenu* m, const QString& text)
    {
        button->Click();
        QAction* item = nullptr;
        for (QAction* a : m->actions())
            if (a->text() == text)
                item = a;
        m->hide();
        ASSERT_NE(item, nullptr) << text.toStdString();
        item->trigger();
    }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};

}  // namespace

TEST_F(LoadStatisticsTest, ListsConvertByTheChosenUnitWhileChartsKeepMetres)
{
    unit("05.03.2026", 2, 1, 12000);
    unit("06.03.2026", 2, 3, 345);
    unit("07.03.2026", 3, 1, 5000);
    unit("08.03.2025", 3, 1, 7777);  // outside the year
    distanceUnit(6);                 // "Meter"
    start();
    showLoad([](TbelStat& f) {
        EXPECT_EQ(f.windowTitle(), "Belastungsstatistik");
        EXPECT_EQ(f.XPButton3->Caption(), "(Basis: Meter)");
        EXPECT_EQ(f.XPButton4->Caption(), "(Basis: Meter)");
        EXPECT_EQ(list(f.StringGrid1), (QStringList{"GA1=12345", "GA2=5000"}));
        EXPECT_EQ(list(f.StringGrid2), (QStringList{"Dauerlauf=17000", "Intervalle=345"}));
        EXPECT_EQ(values(f.ChartFX41), (std::vector<double>{12345, 5000}));
        EXPECT_EQ(f.ChartFX41->AxisObject(AxisX).AxisPointLabel(1), "GA2");
        EXPECT_EQ(f.ChartFX41->SeriesObject(0).PointColor(0), TColor(0x90EE90));

        // The distance units in the table's order, then "-" and "Zeit"; every popup builds
        // them anew.
        choose(f.XPButton3, f.PopupMenu1, "Kilometer");
        EXPECT_EQ(menu(f.PopupMenu1), (QStringList{"Kilometer", "Meter", "Meilen", "Yards", "-", "Zeit"}));
        EXPECT_EQ(f.XPButton3->Caption(), "(Basis: Kilometer)");
        EXPECT_EQ(list(f.StringGrid1), (QStringList{"GA1=12,345", "GA2=5"}));
        EXPECT_EQ(values(f.ChartFX41), (std::vector<double>{12345, 5000})) << "the chart keeps metres";
        EXPECT_EQ(list(f.StringGrid2), (QStringList{"Dauerlauf=17000", "Intervalle=345"})) << "the lower half waits";
        EXPECT_EQ(f.XPButton4->Caption(), "(Basis: Meter)");

        choose(f.XPButton4, f.PopupMenu2, "Meilen");
        EXPECT_EQ(menu(f.PopupMenu2), (QStringList{"Kilometer", "Meter", "Meilen", "Yards", "-", "Zeit"}));
        EXPECT_EQ(list(f.StringGrid2)[1], "Intervalle=0,214") << "miles rounded as the other distances";
    });
    EXPECT_TRUE(messageTexts().isEmpty());

    // The next showing starts from the configured unit again.
    showLoad([](TbelStat& f) { EXPECT_EQ(list(f.StringGrid1), (QStringList{"GA1=12345", "GA2=5000"})); });
}

TEST_F(LoadStatisticsTest, TimeBasisSumsDaysAndColourlessLevelsAreWhite)
{
    unit("05.03.2026", 2, 1, 10000, 0.75);  // a unit of a day or more would be repaired at opening
    unit("06.03.2026", 2, 1, 10000, 0.75);
    unit("07.03.2026", 0, 0, 3000, 0.25);  // "Keine": colour -1
    start();
    showLoad([](TbelStat& f) {
        EXPECT_EQ(f.XPButton3->Caption(), "(Basis: Kilometer)") << "the configured unit";
        EXPECT_EQ(list(f.StringGrid1), (QStringList{"Keine=3", "GA1=20"}));
        EXPECT_EQ(f.ChartFX41->SeriesObject(0).PointColor(0), clWhite);
        EXPECT_EQ(f.ChartFX42->SeriesObject(0).PointColor(0), clWhite);

        choose(f.XPButton3, f.PopupMenu1, "Zeit");
        EXPECT_EQ(f.XPButton3->Caption(), "(Basis: Zeit)");
        EXPECT_EQ(list(f.StringGrid1), (QStringList{"Keine=6:00:00", "GA1=36:00:00"}));
        EXPECT_EQ(values(f.ChartFX41), (std::vector<double>{0.25, 1.5}));
        EXPECT_EQ(f.ChartFX41->SeriesObject(0).PointColor(0), clWhite);

        choose(f.XPButton4, f.PopupMenu2, "Zeit");
        EXPECT_EQ(f.XPButton4->Caption(), "(Basis: Zeit)");
        EXPECT_EQ(list(f.StringGrid2), (QStringList{"Keine=6:00:00", "Dauerlauf=36:00:00"}));
    });
}

TEST_F(LoadStatisticsTest, PeriodWithoutUnitsLeavesOneEmptyRowAndNoPoints)
{
    unit("05.03.2025", 2, 1, 10000);
    start();
    showLoad([](TbelStat& f) {
        for (const TStringGrid* grid : {f.StringGrid1, f.StringGrid2})
            EXPECT_EQ(list(grid), QStringList{"="});
        for (const ChartWidget* chart : {f.ChartFX41, f.ChartFX42}) {
            EXPECT_EQ(chart->SeriesCount(), 1);
            EXPECT_EQ(chart->SeriesObject(0).PointCount(), 0);
        }
        choose(f.XPButton3, f.PopupMenu1, "Zeit");
        EXPECT_EQ(list(f.StringGrid1), QStringList{"="});
    });
}

TEST_F(LoadStatisticsTest, FreeStatementOfTheSqlPageDoesNotChangeThePeriod)
{
    unit("05.03.2026", 2, 1, 10000);
    unit("05.03.2024", 2, 1, 4000);
    start();
    showLoad([](TbelStat& f) { EXPECT_EQ(list(f.StringGrid1), QStringList{"GA1=10"}); },
             [](TZeitNeu& z) {
                 z.SpeedButton12->click();  // "Erweitert"
                 z.PageControl1->setCurrentWidget(z.TabSheet1);
                 z.Memo1->setPlainText(QStringLiteral("WHERE dat_id > 0"));
                 z.BitBtn2->click();  // "Ausführen": every unit in the grid
                 ASSERT_EQ(orvServer->zeitraum.RecordCount(), 2);
             });
}

TEST_F(LoadStatisticsTest, PrintShowsTheListsOnWhiteAndRestoresTheWindow)
{
    unit("05.03.2026", 2, 1, 10000);
    start();
    PrintJobCapture::start();
    showLoad([](TbelStat& f) {
        const QColor face = f.Panel2->palette().color(QPalette::Window);
        f.XPButton1->Click();
        ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
        const TPreparedReport& page = PrintJobCapture::jobs()[0].report;
        EXPECT_EQ(page.title, "Belastungsstatistik");
        const QImage image = page.pages.at(0).items.at(0).image;
        EXPECT_EQ(image.deviceIndependentSize().width(), 360) << "the charts lie outside the print";
        // Below the tool bar's place: the upper half on white.
        EXPECT_EQ(image.pixelColor(image.width() - 2, 5), QColor(Qt::white));
        EXPECT_TRUE(f.Panel1->isVisible());
        EXPECT_EQ(f.Panel2->palette().color(QPalette::Window), face);
        EXPECT_EQ(f.Panel4->palette().color(QPalette::Window), face);
    });
    PrintJobCapture::stop();
}

TEST_F(LoadStatisticsTest, RefusedStatementReachesTheErrorBoxAndLeavesTheLists)
{
    unit("05.03.2026", 2, 1, 10000);
    start();
    ErrorBoxRecorder errors;
    showLoad(
        [](TbelStat& f) {
            EXPECT_EQ(list(f.StringGrid1), QStringList{"="});
            EXPECT_EQ(f.ChartFX41->SeriesObject(0).PointCount(), 0);
        },
        [](TZeitNeu& z) { z.QuickWhere = QStringLiteral("keinFeld > 0"); });
    ASSERT_EQ(errors.shown.size(), 1);
    EXPECT_TRUE(errors.shown[0].contains("keinFeld")) << errors.shown[0].toStdString();
}

TEST(LoadStatisticsData, UnknownGroupingsSumTextsAndColours)
{
    EXPECT_EQ(LoadStatisticsStatement("Sportart", "Meter", "W"), "");
    EXPECT_EQ(LoadStatisticsStatement("Belastungsstufe", "Puls", "W"), "");

    // 16 min + 35 h + 44 min add up as doubles to a hair below 36 hours: the time shows 36:00:00,
    // not 35:59:59.
    const double day = 86400000.0;
    const double sum = 960000 / day + 126000000 / day + 2640000 / day;
    ASSERT_LT(sum * day, 129600000.0);
    EXPECT_EQ(LoadSumText({"GA1", clWhite, sum, true}, 1.0), "36:00:00");
    const TFormatSettings saved = FormatSettings();
    FormatSettings() = GermanFormatSettings();
    EXPECT_EQ(LoadSumText({"GA1", clWhite, 12345, false}, 0.001), "12,345");
    FormatSettings() = saved;

    EXPECT_EQ(LoadGroupColor(QVariant()), clWhite);
    EXPECT_EQ(LoadGroupColor(qint64(-1)), clWhite);
    EXPECT_EQ(LoadGroupColor(qint64(0x90EE90)), TColor(0x90EE90));
}

TEST_F(LoadStatisticsTest, TabWalksTheButtonsAndListsInTheirOrder)
{
    unit("01.12.2026", 1, 1, 10000);
    start();
    showLoad([](TbelStat& f) {
        EXPECT_EQ(KeyboardWalkProblem(&f, {f.XPButton7, f.XPButton1, f.XPButton3, f.StringGrid1, f.XPButton4,
                                           f.StringGrid2}),
                  "");
    });
}
