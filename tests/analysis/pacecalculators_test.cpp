// The calculators that turn a race time into other times: the duration helpers they share, the
// training-pace table, the race-time prediction, the tempo-interval tables and the threshold pace.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include "analysis/calcduration.h"
#include "analysis/pacetable.h"
#include "analysis/racetimes.h"
#include "analysis/schwellentempo.h"
#include "analysis/tempoflextable.h"
#include "analysis/tflex.h"
#include "analysis/thresholdpace.h"
#include "analysis/training.h"
#include "analysis/zeitber.h"
#include "core/language.h"
#include "core/messageids.h"
#include "platform/report/reportprinter.h"
#include "tests/analysis/calcwindowtexts.h"
#include "tests/core/dbserverfixture.h"
#include "tests/support/keyboardwalk.h"
#include "tests/support/messages.h"
#include "tests/support/qstringprinter.h"

namespace {

int64_t hms(int h, int m, int s)
{
    return ((int64_t(h) * 60 + m) * 60 + s) * 1000;
}

TEST(CalcDuration, ReadsMaskTexts)
{
    struct Case {
        const char* text;
        bool ok;
        int64_t ms;
    } cases[] = {
        {"00:14:00", true, hms(0, 14, 0)},
        {" 0:14:00", true, hms(0, 14, 0)},   // the optional first hour digit left blank
        {"25:00:00", true, hms(25, 0, 0)},   // full hours, as the fields show them
        {"99:59:59", true, hms(99, 59, 59)},
        {"  :  :  ", false, 0},              // the empty mask
        {"00:  :10", false, 0},
        {"00:60:00", false, 0},
        {"00:00:60", false, 0},
        {"1a:00:00", false, 0},
        {"00:14", false, 0},
    };
    for (const Case& c : cases) {
        int64_t ms = -1;
        EXPECT_EQ(TryMaskTextToMs(QString::fromLatin1(c.text), ms), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(ms, c.ms) << c.text;
        }
    }
    EXPECT_EQ(messageOf<EConvertError>([] { MaskTextToMs(QStringLiteral("  :  :  ")); }),
              QStringLiteral("'  :  :  ' ist keine gültige Zeit"));
}

TEST(CalcDuration, ShowsWholeSecondsFullHoursAndSign)
{
    EXPECT_EQ(MsToMaskText(int64_t(0)), QStringLiteral("00:00:00"));
    EXPECT_EQ(MsToMaskText(int64_t(59999)), QStringLiteral("00:00:59"));  // dropped, never rounded up
    EXPECT_EQ(MsToMaskText(59999.6), QStringLiteral("00:01:00"));         // to the nearest ms first
    EXPECT_EQ(MsToMaskText(hms(26, 3, 4)), QStringLiteral("26:03:04"));   // no wrap past midnight
    EXPECT_EQ(MsToMaskText(hms(99, 59, 59) + 999), QStringLiteral("99:59:59"));
    EXPECT_EQ(MsToMaskText(-hms(0, 0, 5)), QStringLiteral("-00:00:05"));
    EXPECT_EQ(MsToMaskText(int64_t(-400)), QStringLiteral("00:00:00"));
    EXPECT_THROW(MsToMaskText(hms(100, 0, 0)), EConvertError);
    EXPECT_THROW(MsToMaskText(1.0 / 0.0), EConvertError);
    // A date-time value comes to whole milliseconds even where the double is a hair off.
    EXPECT_EQ(DurationToMs(MsToDuration(hms(0, 20, 0))), hms(0, 20, 0));
    EXPECT_EQ(DurationToMs(1200.0 / 86400.0), hms(0, 20, 0));
}

// --- training paces ---------------------------------------------------------------------------

TEST(PaceTable, HoldsBothPartsAsGiven)
{
    ASSERT_EQ(PaceTable5000().size(), 85u);
    ASSERT_EQ(PaceTable10000().size(), 81u);
    EXPECT_STREQ(PaceTable5000().back().Target, "00:35:00");
    // 10000 m rows 0 to 64 carry the paces of the 5000 m row at the same position; row 64 is
    // 01:02:00 since 01:01:00 and 01:01:30 have no row.
    for (size_t k = 0; k < 65; ++k)
        EXPECT_EQ(PaceTable10000()[k].Paces, PaceTable5000()[k].Paces) << k;
    EXPECT_STREQ(PaceTable10000()[63].Target, "01:00:30");
    EXPECT_STREQ(PaceTable10000()[64].Target, "01:02:00");
    EXPECT_STREQ(PaceTable10000()[65].Target, "01:02:30");
    EXPECT_STREQ(PaceTable10000().back().Target, "01:10:00");
    // 00:15:45 breaks the rising order by a few seconds and stays as the table gives it; the
    // tempo-run paces of 01:09:30 and 01:10:00 follow the 3 s step of their column.
    using P = std::array<QString, 3>;
    EXPECT_EQ(LookupTrainingPaces(0, "00:15:45"), (P{"00:04:20", "00:03:54", "00:03:35"}));
    EXPECT_EQ(LookupTrainingPaces(1, "01:09:00"), (P{"00:08:27", "00:07:27", "00:07:03"}));
    EXPECT_EQ(LookupTrainingPaces(1, "01:09:30"), (P{"00:08:30", "00:07:30", "00:07:06"}));
    EXPECT_EQ(LookupTrainingPaces(1, "01:10:00"), (P{"00:08:33", "00:07:33", "00:07:09"}));
}

// A pace a minute or an hour off its neighbours is a slip in the table: every column of both
// parts changes by a few seconds from row to row.
TEST(PaceTable, NoEntryIsAMinuteOrAnHourOffItsColumn)
{
    auto seconds = [](const char* t) {
        const QStringList p = QString::fromLatin1(t).split(QLatin1Char(':'));
        return (p[0].toInt() * 60 + p[1].toInt()) * 60 + p[2].toInt();
    };
    for (const auto& [name, part] : {std::pair{"5000", PaceTable5000()}, std::pair{"10000", PaceTable10000()}})
        for (size_t c = 0; c < 3; ++c)
            for (size_t r = 1; r < part.size(); ++r) {
                const int step = seconds(part[r].Paces[c]) - seconds(part[r - 1].Paces[c]);
                EXPECT_LT(std::abs(step), 30) << name << " m " << part[r].Target << " column " << c;
            }
}

TEST(PaceTable, LooksUpExactTextsOfTheChosenPart)
{
    const std::optional<std::array<QString, 3>> first = std::array<QString, 3>{"00:03:53", "00:03:33", "00:03:08"};
    struct Case {
        int distance;
        const char* text;
        bool found;
    } cases[] = {
        {0, "00:14:00", true},  {1, "00:29:00", true},  {-1, "00:29:00", true},  // none chosen: 10000 m
        {-1, "00:14:00", false}, {0, "00:14:10", false}, {0, "00:13:45", false},
        {1, "01:01:00", false}, {1, "01:01:30", false}, {0, " 0:14:00", false},
    };
    for (const Case& c : cases) {
        const auto got = LookupTrainingPaces(c.distance, QString::fromLatin1(c.text));
        EXPECT_EQ(got.has_value(), c.found) << c.distance << " " << c.text;
        if (c.found) {
            EXPECT_EQ(got, first) << c.text;
        }
    }
}

class CalculatorWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ScriptedAnswers::clear(); }
    void TearDown() override
    {
        EXPECT_TRUE(ScriptedAnswers::unusedAnswers().isEmpty());
        ScriptedAnswers::clear();
    }
};

TEST_F(CalculatorWindowTest, TrainingWindowFillsRowOneAndClearsItWithoutMatch)
{
    TTraining w;
    w.show();
    EXPECT_EQ(w.StringGrid1->Cells(0, 0), LoadStr(msg::PaceExtensiveRun));
    EXPECT_EQ(w.StringGrid1->Cells(2, 0), LoadStr(msg::PaceTempoRun));
    EXPECT_EQ(w.RadioGroupItemIndex(), -1);
    EXPECT_EQ(w.MaskEdit1->Text(), QStringLiteral("  :  :  "));

    // Typed as a user types: the digits fill the mask.
    w.RadioButton1->setChecked(true);
    w.MaskEdit1->setFocus();
    w.MaskEdit1->setCursorPosition(0);
    TypeText(w.MaskEdit1, "001400");
    EXPECT_EQ(w.MaskEdit1->Text(), QStringLiteral("00:14:00"));
    w.BitBtn1->click();
    EXPECT_EQ(w.StringGrid1->Rows(1), (QStringList{"00:03:53", "00:03:33", "00:03:08"}));

    // A time off the table's grid clears the earlier result and says which times it holds.
    const QStringList empty{"", "", ""};
    for (const char* miss : {"00:20:10", "00:13:45", " 0:14:00"}) {
        w.StringGrid1->SetCells(0, 1, QStringLiteral("00:03:53"));
        w.MaskEdit1->SetText(QString::fromLatin1(miss));
        EXPECT_EQ(w.MaskEdit1->Text(), QString::fromLatin1(miss));
        ScriptedAnswers::pushMessageAnswer(mrOk);
        w.BitBtn1->click();
        EXPECT_EQ(w.StringGrid1->Rows(1), empty) << miss;
        EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.contains(PaceTableTimes(0))) << miss;
    }
    w.RadioButton2->setChecked(true);
    w.MaskEdit1->SetText(QStringLiteral("01:10:00"));
    w.BitBtn1->click();
    EXPECT_EQ(w.StringGrid1->Rows(1), (QStringList{"00:08:33", "00:07:33", "00:07:09"}));
    w.MaskEdit1->SetText(QStringLiteral("01:01:00"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.BitBtn1->click();
    EXPECT_EQ(w.StringGrid1->Rows(1), empty);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text,
              "Für die Zeit 01:01:00 enthält die Tabelle keine Trainingszeiten.\n" + PaceTableTimes(1));
    EXPECT_TRUE(PaceTableTimes(1).contains("01:01:30"));
}

// --- race-time prediction ---------------------------------------------------------------------

TEST(RaceTimes, PredictsWithTheFactorOfEachPair)
{
    enum { m800, m1000, m1500, m3000, m5000, m10000, hmt, marathon, km100 };
    struct Case {
        int from, to;
        int64_t ms;
        const char* expected;
    } cases[] = {
        {m5000, m10000, hms(0, 20, 0), "00:41:19"},   // × 2.066, the fraction dropped
        {m5000, m3000, hms(0, 20, 0), "00:11:37"},    // ÷ 1.72
        {hmt, m5000, hms(1, 30, 0), "00:19:16"},      // ÷ 4.67
        {m5000, hmt, hms(0, 19, 16), "01:27:34"},     // × 4.545: back is not the start value
        {m1500, km100, hms(0, 5, 0), "09:09:00"},     // × 109.8
        {km100, m1500, hms(9, 9, 0), "00:05:08"},     // ÷ 106.8
        {hmt, km100, hms(1, 40, 0), "10:33:00"},      // × 6.33
        {km100, hmt, hms(10, 33, 0), "01:35:54"},     // ÷ 6.6
        {m800, km100, hms(0, 8, 0), "29:41:36"},      // 24 hours or more: full hours
    };
    for (const Case& c : cases)
        EXPECT_EQ(MsToMaskText(PredictRaceTime(c.from, c.to, c.ms)), QString::fromLatin1(c.expected))
            << RaceDistanceNames()[size_t(c.from)] << " -> " << RaceDistanceNames()[size_t(c.to)];
}

TEST_F(CalculatorWindowTest, PredictionWindowChoosesByEnteringAndKeepsFieldsOnError)
{
    Tzeitenberechnung w;
    w.show();
    QApplication::setActiveWindow(&w);
    EXPECT_EQ(w.SourceIndex(), 0);
    w.MaskEdit[4]->setFocus();  // entering "5000m" chooses it
    QApplication::processEvents();
    EXPECT_EQ(w.SourceIndex(), 4);
    w.MaskEdit[4]->SetText(QStringLiteral("00:20:00"));
    w.BitBtn1->click();
    EXPECT_EQ(w.MaskEdit[5]->Text(), QStringLiteral("00:41:19"));
    EXPECT_EQ(w.MaskEdit[3]->Text(), QStringLiteral("00:11:37"));
    EXPECT_EQ(w.MaskEdit[4]->Text(), QStringLiteral("00:20:00"));
    EXPECT_EQ(w.MaskEdit[8]->Text(), QStringLiteral("09:38:24"));

    // The empty mask: the conversion error, no field changes.
    w.MaskEdit[6]->setFocus();
    QApplication::processEvents();
    w.MaskEdit[6]->Clear();
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.BitBtn1->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, QStringLiteral("'  :  :  ' ist keine gültige Zeit"));
    EXPECT_EQ(w.MaskEdit[5]->Text(), QStringLiteral("00:41:19"));
    // A prediction beyond 99:59:59 cannot be shown: the error, and again nothing changes.
    w.MaskEdit[0]->setFocus();
    QApplication::processEvents();
    w.MaskEdit[0]->SetText(QStringLiteral("00:30:00"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.BitBtn1->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(w.MaskEdit[5]->Text(), QStringLiteral("00:41:19"));
}

// --- tempo-interval tables --------------------------------------------------------------------

TEST(TempoflexTable, BuildsEveryCellFromTheShownBaseSplit)
{
    const auto& pages = TempoflexPages();
    auto t = TempoflexTable(pages[0], QStringLiteral("00:10:00"));
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0].Split, (std::array<QString, 5>{"00:00:43", "00:00:42", "00:00:41", "00:00:40", "00:00:39"}));
    EXPECT_EQ(t[0].Zeit, (std::array<QString, 5>{"00:00:43", "00:01:25", "00:02:06", "00:02:46", "00:03:25"}));
    EXPECT_EQ(t[4].Split, (std::array<QString, 5>{"00:00:55", "00:00:50", "00:00:45", "00:00:40", "00:00:35"}));
    EXPECT_EQ(TempoflexTable(pages[1], QStringLiteral("00:17:30"))[0].Split[3], QStringLiteral("00:01:24"));
    EXPECT_EQ(TempoflexTable(pages[1], QStringLiteral("00:17:30")).size(), 4u);
    EXPECT_EQ(TempoflexTable(pages[2], QStringLiteral("00:35:00"))[0].Split[3], QStringLiteral("00:02:06"));
    // A base split with a fraction (40.07 s) shows 40 s, and the rest is built from that.
    t = TempoflexTable(pages[0], QStringLiteral("00:10:01"));
    EXPECT_EQ(t[0].Split[3], QStringLiteral("00:00:40"));
    EXPECT_EQ(t[0].Zeit[4], QStringLiteral("00:03:25"));
    // A very short target: negative fast splits with a minus sign, not a wrapped time.
    t = TempoflexTable(pages[0], QStringLiteral("00:00:30"));
    EXPECT_EQ(t[4].Split[4], QStringLiteral("-00:00:03"));
    EXPECT_EQ(t[4].Split[0], QStringLiteral("00:00:17"));
    EXPECT_THROW(TempoflexTable(pages[0], QStringLiteral("  :  :  ")), EConvertError);
}

TEST_F(CalculatorWindowTest, TempoflexWindowShowsMessageOnBadTargetAndPrintsOnWhite)
{
    TTempoflex w;
    w.show();
    w.MaskEdit[0]->SetText(QStringLiteral("00:10:00"));
    w.BitBtn1->click();
    EXPECT_EQ(w.Cell(0, 0, 0, 0)->text(), QStringLiteral("00:00:43"));
    EXPECT_EQ(w.Cell(0, 0, 1, 4)->text(), QStringLiteral("00:03:25"));
    EXPECT_EQ(w.Cell(0, 4, 0, 4)->text(), QStringLiteral("00:00:35"));

    w.MaskEdit[0]->Clear();
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.BitBtn1->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::InvalidTargetTime));
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(w.Cell(0, 0, 0, 0)->text(), QStringLiteral("00:00:43"));

    w.PageControl1->setCurrentIndex(2);
    w.MaskEdit[2]->SetText(QStringLiteral("00:35:00"));
    w.BitBtn4->click();
    EXPECT_EQ(w.Cell(2, 2, 0, 0)->text(), QStringLiteral("00:02:33"));  // 126 s + 27 s

    PrintJobCapture::start();
    w.BitBtn6->click();
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    EXPECT_EQ(PrintJobCapture::jobs()[0].report.pageCount(), 1);
    PrintJobCapture::stop();
    EXPECT_NE(w.palette().color(QPalette::Window), QColor(Qt::white));
}

TEST_F(CalculatorWindowTest, TempoflexReturnComputesTheTableOfThePageShown)
{
    // Each page has its own "Berechnen"; Return in the page's target time presses that one.
    TTempoflex w;
    w.show();
    QApplication::setActiveWindow(&w);
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        w.PageControl1->setCurrentIndex(page);
        w.MaskEdit[size_t(page)]->SetText(QStringLiteral("00:35:00"));
        w.MaskEdit[size_t(page)]->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(w.Cell(page, 0, 0, 0)->text(), QString());
        PressKey(Qt::Key_Return);
        EXPECT_NE(w.Cell(page, 0, 0, 0)->text(), QString());
        EXPECT_TRUE(w.isVisible());
    }
}

// --- threshold pace ---------------------------------------------------------------------------

TEST(ThresholdPace, PicksTheRowBelowTheEntryByWholeMilliseconds)
{
    std::vector<TThresholdRow> rows;
    for (int s = 12 * 60; s <= 45 * 60; s += 30)
        rows.push_back({int64_t(s) * 1000, {}});
    auto at = [&](int64_t ms) { return MsToMaskText(rows[size_t(ThresholdRowIndex(rows, ms))].Zeit); };
    EXPECT_EQ(at(hms(0, 15, 0)), QStringLiteral("00:15:00"));
    EXPECT_EQ(at(hms(0, 15, 10)), QStringLiteral("00:15:00"));
    EXPECT_EQ(at(hms(0, 15, 28)), QStringLiteral("00:15:00"));
    EXPECT_EQ(at(hms(0, 15, 29)), QStringLiteral("00:15:30"));  // exactly 29 s above: the next row
    EXPECT_EQ(at(hms(0, 11, 0)), QStringLiteral("00:12:00"));
    EXPECT_EQ(at(hms(0, 50, 0)), QStringLiteral("00:45:00"));
    EXPECT_EQ(ThresholdRowIndex({}, hms(0, 20, 0)), -1);
}

class ThresholdWindowTest : public DataModuleTest {};

TEST_F(ThresholdWindowTest, ShowsTheTemplatesSplitsForTheEnteredTime)
{
    open();
    orvServer->config.Edit();
    orvServer->config.FieldByName("cfg_5000m")->SetAsDateTime(MsToDuration(hms(0, 20, 0)));
    orvServer->config.Post();
    Tschwtempo w;
    w.show();
    EXPECT_EQ(w.MaskEdit1->Text(), QStringLiteral("00:20:00"));
    w.Button1->click();
    EXPECT_EQ(w.Result[0]->text(), QStringLiteral("00:00:51"));
    EXPECT_EQ(w.Result[4]->text(), QStringLiteral("00:04:15"));

    const auto rows = ReadThresholdTable(orvServer->orvDB);
    ASSERT_FALSE(rows.empty());
    for (const char* entry : {"00:15:10", "00:15:28"}) {
        w.MaskEdit1->SetText(QString::fromLatin1(entry));
        w.Button1->click();
        const int row15 = ThresholdRowIndex(rows, hms(0, 15, 0));
        EXPECT_EQ(w.Result[5]->text(), MsToMaskText(rows[size_t(row15)].Splits[5])) << entry;
    }
    w.MaskEdit1->SetText(QStringLiteral("00:11:00"));
    w.Button1->click();
    EXPECT_EQ(w.Result[0]->text(), MsToMaskText(rows.front().Splits[0]));
    w.MaskEdit1->SetText(QStringLiteral("00:50:00"));
    w.Button1->click();
    EXPECT_EQ(w.Result[0]->text(), MsToMaskText(rows.back().Splits[0]));

    // Not a time: the conversion error; the results keep their text.
    w.MaskEdit1->Clear();
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.Button1->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(w.Result[0]->text(), MsToMaskText(rows.back().Splits[0]));
}

}  // namespace

namespace {

TEST_F(CalculatorWindowTest, WindowsReadInEnglish)
{
    const QStringList same = {"5000m", "10000m", "800m", "1000m", "1500m", "3000m", "HMT", "Marathon", "100km",
                              "200m", "400m", "600m", "1200m", "1600m", "1800m", "2000m", "2400m", "Orvalo 5",
                              "Split", "5 X 1000", "4 X 2000", "3 X 3000"};
    ExpectTranslated("training_en", [] { return std::make_unique<TTraining>(); }, same);
    ExpectTranslated("zeitber_en", [] { return std::make_unique<Tzeitenberechnung>(); }, same);
    ExpectTranslated("tflex_en", [] { return std::make_unique<TTempoflex>(); }, same);
    ExpectTranslated("schwellentempo_en", [] { return std::make_unique<Tschwtempo>(); }, same);
}

}  // namespace

// The main window's actions open the calculators; their help buttons open the help pages.
#include "core/main.h"
#include "tests/core/programfixture.h"

namespace {

using PaceActionsTest = ProgramTest;

TEST_F(PaceActionsTest, MainWindowActionsOpenTheCalculators)
{
    for (const char* f : {"orv5help/Tainingszeiten.htm", "orv5help/Tempoflextraining.htm", "orv5help/Zeitenberechnung.htm"})
        touchProgramFile(f);
    StartProgram({});
    QStringList shown;
    ScriptedAnswers::onShowModal<TTraining>([&](TTraining& f) {
        shown << f.Caption();
        f.Button1->click();
        f.Close();
    });
    ScriptedAnswers::onShowModal<TTempoflex>([&](TTempoflex& f) {
        shown << f.Caption();
        f.BitBtn5->click();
        f.BitBtn2->click();
    });
    ScriptedAnswers::onShowModal<Tzeitenberechnung>([&](Tzeitenberechnung& f) {
        shown << f.Caption();
        f.BitBtn3->click();
        f.BitBtn2->click();
    });
    ScriptedAnswers::onShowModal<Tschwtempo>([&](Tschwtempo& f) {
        shown << f.Caption();
        f.Button2->click();
    });
    UpdateAllActions();
    for (TAction* a : {MainForm->Trainingszeiten, MainForm->TempoflexTrain, MainForm->Action14, MainForm->Action21}) {
        EXPECT_TRUE(a->Enabled()) << a->Name().toStdString();
        a->Execute();
    }
    EXPECT_EQ(shown, (QStringList{"Trainingszeiten", "Tempoflex-Training", "Zeitenberechnung", "Schwellentempo"}));
    EXPECT_EQ(helpPages, (QStringList{ProgramFile("orv5help/Tainingszeiten.htm"), ProgramFile("orv5help/Tempoflextraining.htm"),
                                      ProgramFile("orv5help/Zeitenberechnung.htm")}));
    EXPECT_EQ(Training, nullptr);  // freed after use
    FinishProgram();
}

}  // namespace
