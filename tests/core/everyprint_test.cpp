// Every print of the program, made by the user of an English interface on a machine whose locale
// names no formats and which has no printer: each ends as a PDF file through the print dialog,
// and the file's text (pdftotext) carries the print's English title, its headers and a known
// figure of the athlete's one run in British formats.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>

#include "analysis/belstat.h"
#include "analysis/jahresstat.h"
#include "analysis/marschneu.h"
#include "analysis/monatstatgraf.h"
#include "analysis/tflex.h"
#include "analysis/wochenstat.h"
#include "analysis/wochenstatgraf.h"
#include "analysis/zeitdruckdialog.h"
#include "analysis/zeitgraf.h"
#include "analysis/zeitgrafdlg.h"
#include "analysis/zeitraumneu.h"
#include "core/dtsetup.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "platform/report/reportpreview.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/datetimepicker.h"
#include "platform/vcl/maskedit.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/pdfprint.h"
#include "tests/support/testenv.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/trainform.h"
#include "traininglog/zwinfo.h"

namespace {

class EveryPrintTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        SetClock([] { return EncodeDate(2026, 12, 10) + EncodeTime(10, 0, 0, 0); });
        // The run: Wednesday 2 December 2026 at 18:00, 9500 m in 50:53 (11.2 km/h), 35 m up, with
        // two splits; it belongs to the plan "Winter".
        db.exec(QStringLiteral("INSERT INTO daten (dat_Id, Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, Hoehendifferenz, Ort, Puls, trainingsblock) VALUES (1, %1, 0.75, 1, %2, "
                               "9500, 1, 1, 1, 35, 'Stadtpark', 148, 1)")
                    .arg(EncodeDate(2026, 12, 2), 0, 'g', 17)
                    .arg(EncodeTime(0, 50, 53, 0), 0, 'g', 17));
        db.exec(QStringLiteral("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, HDiff, zei_hrm, Notitz) VALUES "
                               "(1, 5000, %1, 20, 0, 'Brücke'), (1, 9500, %2, 15, 0, 'Ziel')")
                    .arg(EncodeTime(0, 26, 40, 0), 0, 'g', 17)
                    .arg(EncodeTime(0, 50, 53, 0), 0, 'g', 17));
        db.exec(QStringLiteral("INSERT INTO plan (pla_ID, pla_Name, pla_Created, pla_Realisiert, pla_Periode) "
                               "VALUES (1, 'Winter', %1, 0, 'VP1')")
                    .arg(EncodeDate(2026, 11, 1), 0, 'g', 17));
        db.exec(QStringLiteral("INSERT INTO plan_daten (pld_PlanID, pld_DatenID, pld_realisiert) VALUES (1, 1, 0)"));
        setProgramValue("QuickLoadAktiviert", true);
        setProgramValue("QuickLoadFile", db.path());
    }

    // The program as the user starts it: "en" under the C locale, the athlete's database open.
    void start()
    {
        StartProgram({QStringLiteral("orvalo5"), QStringLiteral("en")});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
        ASSERT_EQ(orvServer->DatabasePath(), db.path());
    }

    // The text of the one PDF file that `print` made.
    QString printed(const std::function<void()>& print)
    {
        const qsizetype before = pdf.files().size();
        print();
        EXPECT_EQ(pdf.files().size(), before + 1) << "one print dialog, one file";
        if (pdf.files().size() != before + 1)
            return QString();
        EXPECT_TRUE(QFileInfo::exists(pdf.files().last())) << pdf.files().last().toStdString();
        return pdf.lastText();
    }

    const DesktopLocaleScope desktop{"C"};
    AthleteDatabase db;
    PdfPrintScope pdf;
};

std::string show(const QString& text)
{
    return "\n" + text.toStdString();
}

// The entry window's prints go through the output options; the preview's print button reaches
// the print dialog.
void throughPreview(const std::function<void()>& print)
{
    ScriptedAnswers::onShowModal<TdtSetupForm>([](TdtSetupForm& f) {
        f.PreviewRB->click();
        f.bbtnOK->click();
    });
    ScriptedAnswers::onShowModal<TReportPreview>([](TReportPreview& p) {
        p.findChild<QAbstractButton*>("btnPrint")->click();
        p.findChild<QAbstractButton*>("btnClose")->click();
    });
    print();
}

// Each text of `expected` stands in the print, and no text of `german`.
void expectTexts(const QString& text, const QStringList& expected, const QStringList& german = {})
{
    for (const QString& e : expected)
        EXPECT_TRUE(text.contains(e)) << e.toStdString() << show(text);
    for (const QString& g : german)
        EXPECT_FALSE(text.contains(g)) << g.toStdString() << show(text);
}

TEST_F(EveryPrintTest, TheEntryWindowsThreePrints)
{
    start();
    ASSERT_TRUE(eingabe->selectPage(eingabe->TabSheet4));
    expectTexts(printed([] { throughPreview([] { eingabe->Action3->Execute(); }); }),
                {"Training units", "02/12/2026", "Stadtpark", "9500", "11.20", "Printed on 10/12/2026",
                 "Total distance: 9500 m"},
                {"Gedruckt", "Datum", "Seite", "11,20"});
    expectTexts(printed([] { throughPreview([] { MainForm->FilePrint1->Execute(); }); }),
                {"Training unit", "General", "Route", "02/12/2026", "18:00", "Stadtpark", "9.5 Kilometer", "11.2"},
                {"Allgemein", "Strecke", "Gedruckt", "9,5", "11,2"});
    ASSERT_TRUE(eingabe->selectPage(eingabe->TabSheet5));
    expectTexts(printed([] { throughPreview([] { eingabe->XPButton20->Click(); }); }),
                {"Split times", "Brücke", "00:26:40", "00:50:53"}, {"Zwischenzeiten", "Seite"});
}

TEST_F(EveryPrintTest, ThePeriodStatisticsPrintItsChartAndItsLoadStatistics)
{
    start();
    QString period, chart, load;
    ScriptedAnswers::onShowModal<TZeitNeu>([&](TZeitNeu& z) {
        z.DateTimePicker1->SetDateTime(EncodeDate(2026, 12, 1));
        z.DateTimePicker2->SetDateTime(EncodeDate(2026, 12, 31));
        z.ApplyQuickSQL();
        ASSERT_EQ(orvServer->zeitraum.RecordCount(), 1);
        ScriptedAnswers::onShowModal<Tzeitdruckdlg>([&](Tzeitdruckdlg& d) {
            period = printed([&] { d.OKBtn->click(); });
        });
        z.SpeedButton9->click();
        ScriptedAnswers::onShowModal<TzeitGrafDlg>([&](TzeitGrafDlg& d) {
            ScriptedAnswers::onShowModal<TzeitGraf>([&](TzeitGraf& g) {
                chart = printed([&] { g.XPButton1->Click(); });
                g.Close();
            });
            d.Button1->click();
        });
        z.SpeedButton8->click();
        ScriptedAnswers::onShowModal<TbelStat>([&](TbelStat& b) {
            load = printed([&] { b.XPButton1->Click(); });
            b.XPButton7->Click();
        });
        z.SpeedButton7->click();
        z.Close();
    });
    UpdateAllActions();
    MainForm->StatZeitraum1->Execute();
    // The columns print under the grid's English titles, the dates and the speed in British form.
    expectTexts(period,
                {"Period statistics from 01/12/2026 to 31/12/2026", "From: 01/12/2026", "To: 31/12/2026", "Date",
                 "Location", "Discipline", "02/12/2026", "Stadtpark", "9.5 km", "11.2", "Metres:", "9,500"},
                {"Datum", "Ort", "Sportart", "Zeitraumstatistik", "Vom:", "9,5 km", "11,2"});
    expectTexts(chart, {"01/12/2026", "Laufen"}, {"01.12.2026"});
    // The load statistics print the window's picture: a page without text.
    EXPECT_EQ(load.trimmed(), QString());
}

TEST_F(EveryPrintTest, TheWeeklyAndMonthlyStatisticsAndTheirCharts)
{
    start();
    QString weekly, weeklyChart, monthly, monthlyChart;
    ScriptedAnswers::onShowModal<TWochenstat>([&](TWochenstat& f) {
        f.ComboBox1->setCurrentIndex(f.ComboBox1->findText("Kilometer"));
        f.SpeedButton4->click();
        weekly = printed([&] { f.SpeedButton3->click(); });
        ScriptedAnswers::onShowModal<Twochenstatgraf>([&](Twochenstatgraf& g) {
            weeklyChart = printed([&] { g.XPButton1->Click(); });
            g.Close();
        });
        f.XPButton4->Click();
        f.Close();
    });
    UpdateAllActions();
    MainForm->StatWochen1->Execute();
    expectTexts(weekly, {"Weekly statistics from 29/12/2025, 52 weeks", "30/11/2026", "9.5", "0:50:53"},
                {"Wochenstatistik", "Woche", "9,5"});
    expectTexts(weeklyChart, {"/metres * 10", "Altitude"}, {"Meter * 10", "Woche"});

    ScriptedAnswers::onShowModal<Tjahresstat>([&](Tjahresstat& f) {
        f.ComboBox2->setCurrentIndex(f.ComboBox2->findText("Kilometer"));
        f.XPButton5->Click();
        monthly = printed([&] { f.UiNavPanel3->Click(); });
        ScriptedAnswers::onShowModal<Tmonatstatgraf>([&](Tmonatstatgraf& g) {
            monthlyChart = printed([&] { g.XPButton1->Click(); });
            g.Close();
        });
        f.UiNavPanel4->Click();
        f.Close();
    });
    MainForm->StatJahr1->Execute();
    expectTexts(monthly, {"December", "9.5", "0:50:53"}, {"Dezember", "Monatsstatistik", "9,5"});
    expectTexts(monthlyChart, {"12.26", "/metres * 10", "Altitude"}, {"Meter * 10"});
}

TEST_F(EveryPrintTest, TheTrainingPlan)
{
    start();
    ASSERT_TRUE(orvServer->Plan.Locate("pla_ID", 1));
    QString plan;
    ScriptedAnswers::onShowModal<TTrainForm>([&](TTrainForm& m) {
        ScriptedAnswers::onShowModal<TReportPreview>([](TReportPreview& p) {
            p.findChild<QAbstractButton*>("btnPrint")->click();
            p.Close();
        });
        plan = printed([&] { m.XPButton19->Click(); });
        m.Close();
    });
    MainForm->Action16->Execute();
    expectTexts(plan, {"Training plan", "Winter", "02/12/2026", "Stadtpark", "9.5 km", "Total distance:"},
                {"Trainingsplan", "Gesamtdistanz", "9,5"});
}

TEST_F(EveryPrintTest, TheCalculatorsAndTheSplitInformation)
{
    start();
    Tmarschtab march;
    march.show();
    march.Edit1->setText("10000");
    march.Edit2->setText("1000");
    march.MaskEdit4->SetText("00:50:00");
    march.MaskEdit4Enter(nullptr);
    march.Button1->click();
    expectTexts(printed([&] { march.Button4->click(); }), {"10000", "00:05:00", "00:50:00"},
                {"Marschtabelle", "Zeit"});

    // Windows printed as their pictures: one page each, without text.
    TTempoflex tempo;
    tempo.show();
    tempo.MaskEdit[0]->SetText("00:10:00");
    tempo.BitBtn1->click();
    EXPECT_EQ(printed([&] { tempo.BitBtn6->click(); }).trimmed(), QString());
    TzwInfoDlg info;
    info.show();
    EXPECT_EQ(printed([&] { info.SpeedButton1->Click(); }).trimmed(), QString());
}

}  // namespace
