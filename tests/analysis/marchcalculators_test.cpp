// The march table, the time calculator and the keystroke sender behind its digit pad.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "analysis/marchtable.h"
#include "analysis/marschanfu.h"
#include "analysis/marschneu.h"
#include "analysis/rechner.h"
#include "analysis/sndkey32.h"
#include "analysis/timecalc.h"
#include "core/language.h"
#include "core/messageids.h"
#include "platform/office/workbookreader.h"
#include "platform/report/reportprinter.h"
#include "tests/analysis/calcwindowtexts.h"
#include "tests/core/dbserverfixture.h"
#include "tests/core/rulehooks.h"
#include "tests/support/messages.h"

namespace {

// --- march table ------------------------------------------------------------------------------

TMarchInput input(const char* d, const char* s, TMarchSource source, const char* value)
{
    TMarchInput in;
    in.Distance = QString::fromLatin1(d);
    in.Lap = QString::fromLatin1(s);
    in.Source = source;
    in.Pace = in.LapTime = in.TotalTime = QStringLiteral("  :  :  ");
    const QString v = QString::fromLatin1(value);
    switch (source) {
    case TMarchSource::Pace: in.Pace = v; break;
    case TMarchSource::Speed: in.Speed = v; break;
    case TMarchSource::LapTime: in.LapTime = v; break;
    case TMarchSource::TotalTime: in.TotalTime = v; break;
    }
    return in;
}

TEST(MarchTable, EvenPaceRowsAndTheFourQuantities)
{
    const TMarchResult r = CalculateMarchTable(input("10000", "1000", TMarchSource::TotalTime, "00:40:00"),
                                               GermanFormatSettings());
    ASSERT_EQ(r.Rows.size(), 10u);
    EXPECT_EQ(r.Rows[0], (TMarchRow{"1000", "00:04:00", "00:04:00"}));
    EXPECT_EQ(r.Rows[8], (TMarchRow{"9000", "00:36:00", "00:04:00"}));
    EXPECT_EQ(r.Rows[9], (TMarchRow{"10000", "00:40:00", "00:04:00"}));
    EXPECT_EQ(r.Pace, QStringLiteral("00:04:00"));
    EXPECT_EQ(r.LapTime, QStringLiteral("00:04:00"));
    EXPECT_EQ(r.Speed, QStringLiteral("15"));

    // Twelve laps of 400 m and a last one of 200 m.
    const TMarchResult track = CalculateMarchTable(input("5000", "400", TMarchSource::Pace, "00:04:00"),
                                                   GermanFormatSettings());
    ASSERT_EQ(track.Rows.size(), 13u);
    EXPECT_EQ(track.Rows[11][0], QStringLiteral("4800"));
    EXPECT_EQ(track.Rows[12], (TMarchRow{"5000", "00:20:00", "00:00:48"}));
    // Speed with decimals in the locale's format; 13 km/h gives 4:36.92 per km.
    const TMarchResult kmh = CalculateMarchTable(input("1000", "1000", TMarchSource::Speed, "13"), GermanFormatSettings());
    EXPECT_EQ(kmh.Pace, QStringLiteral("00:04:36"));
    EXPECT_EQ(kmh.Speed, QStringLiteral("13"));
    const TMarchResult lap = CalculateMarchTable(input("3000", "400", TMarchSource::LapTime, "00:01:30"),
                                                 GermanFormatSettings());
    EXPECT_EQ(lap.Speed, QStringLiteral("16"));
    // Lap not shorter than the distance: one row, its lap is the whole distance.
    const TMarchResult one = CalculateMarchTable(input("400", "400", TMarchSource::LapTime, "00:01:30"),
                                                 GermanFormatSettings());
    ASSERT_EQ(one.Rows.size(), 1u);
    EXPECT_EQ(one.Rows[0], (TMarchRow{"400", "00:01:30", "00:01:30"}));
}

TEST(MarchTable, RefusesInputsItCannotUse)
{
    const TMarchInput bad[] = {
        input("10000", "0", TMarchSource::TotalTime, "00:40:00"),
        input("10000", "-5", TMarchSource::TotalTime, "00:40:00"),
        input("0", "400", TMarchSource::TotalTime, "00:40:00"),
        input("abc", "400", TMarchSource::TotalTime, "00:40:00"),
        input("10000", "400", TMarchSource::TotalTime, "  :  :  "),
        input("10000", "400", TMarchSource::Speed, "0"),
        input("10000", "400", TMarchSource::Speed, "12,5"),  // the speed source is a whole number
        input("10000001", "1000", TMarchSource::Pace, "00:04:00"),  // more than 10 000 lap rows
        input("2000000", "1000", TMarchSource::Pace, "00:04:00"),   // times past 99:59:59
    };
    for (const TMarchInput& in : bad)
        EXPECT_THROW(CalculateMarchTable(in, GermanFormatSettings()), EMarchInput) << in.Distance.toStdString();
    EXPECT_NO_THROW(CalculateMarchTable(input("10000000", "1000", TMarchSource::Pace, "00:00:01"), GermanFormatSettings()));
}

TEST(MarchTable, AppendContinuesTheRunningTime)
{
    auto rows = MarchAppendRows("10000", "11500", "1000", "00:04:00", "00:40:00");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (TMarchRow{"10000", "00:44:00", "00:04:00"}));
    EXPECT_EQ(rows[1], (TMarchRow{"11000", "00:48:00", "00:04:00"}));
    EXPECT_EQ(rows[2], (TMarchRow{"11500", "00:50:00", "00:02:00"}));
    EXPECT_TRUE(MarchAppendRows("5000", "3000", "1000", "00:04:00", "00:40:00").empty());
    EXPECT_EQ(messageOf([] { MarchAppendRows("0", "1000", "0", "00:04:00", "00:00:00"); }),
              QStringLiteral("Division durch Null"));
    EXPECT_EQ(messageOf([] { MarchAppendRows("0", "1000", "100", "00:04:00", "Zeit"); }),
              QStringLiteral("'Zeit' ist keine gültige Zeit"));
    EXPECT_THROW(MarchAppendRows("x", "1000", "100", "00:04:00", "00:00:00"), EConvertError);
    EXPECT_THROW(MarchAppendRows("0", "100000000", "1", "00:00:01", "00:00:00"), EMarchInput);
    EXPECT_EQ(MarchPaceFromSpeed("12,5", GermanFormatSettings()), QStringLiteral("00:04:48"));
    EXPECT_THROW(MarchPaceFromSpeed("schnell", GermanFormatSettings()), EConvertError);
}

class MarchWindowTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        FormatSettings() = GermanFormatSettings();
    }
    void calculate(Tmarschtab& w, const char* d, const char* s, TMaskEdit* source, const char* value)
    {
        w.Edit1->setText(QString::fromLatin1(d));
        w.Edit2->setText(QString::fromLatin1(s));
        source->SetText(QString::fromLatin1(value));
        w.MaskEdit4Enter(nullptr);
        w.Button1->click();
    }
};

TEST_F(MarchWindowTest, CalculatesAppendsAndRefuses)
{
    Tmarschtab w;
    w.show();
    EXPECT_FALSE(w.SpeedButton5->isEnabled());  // no entry window: no database open
    EXPECT_EQ(w.StringGrid1->Rows(0), (QStringList{"Meter", "Zeit", "Splitzeit"}));
    calculate(w, "10000", "1000", w.MaskEdit4, "00:40:00");
    EXPECT_EQ(w.StringGrid1->Rows(10), (QStringList{"10000", "00:40:00", "00:04:00"}));
    EXPECT_EQ(w.StringGrid1->RowCount(), 211);
    EXPECT_EQ(w.MaskEdit1->Text(), QStringLiteral("00:04:00"));
    EXPECT_EQ(w.MaskEdit2->text(), QStringLiteral("15"));

    // Appending below the table, from the last mark on.
    w.StringGrid1->SetSelection({0, 11, 2, 11});
    ScriptedAnswers::onShowModal<TMarschAnf>([](TMarschAnf& d) {
        d.Edit1->setText("11000");
        d.Edit2->setText("12000");
        d.Edit5->setText("1000");
        d.Edit4->setText("15");
        d.OKBtn->click();
        EXPECT_EQ(d.Edit3->text(), QStringLiteral("00:04:00"));
    });
    w.SpeedButton6->click();
    EXPECT_EQ(w.StringGrid1->Rows(11), (QStringList{"11000", "00:44:00", "00:04:00"}));
    EXPECT_EQ(w.StringGrid1->Rows(12), (QStringList{"12000", "00:48:00", "00:04:00"}));
    // A lap of 0: the runtime's error, nothing written.
    w.StringGrid1->SetSelection({0, 13, 2, 13});
    ScriptedAnswers::onShowModal<TMarschAnf>([](TMarschAnf& d) {
        d.Edit1->setText("12000");
        d.Edit2->setText("13000");
        d.Edit5->setText("0");
        d.Edit3->setText("00:04:00");
        d.OKBtn->click();
    });
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.SpeedButton6->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, QStringLiteral("Division durch Null"));
    EXPECT_TRUE(w.StringGrid1->Cells(0, 13).isEmpty());

    // Speed chosen with an empty field: it becomes 1.
    w.MaskEdit2->clear();
    w.MaskEdit2Enter(nullptr);
    w.Button1->click();
    EXPECT_EQ(w.MaskEdit2->text(), QStringLiteral("1"));
    EXPECT_EQ(w.MaskEdit1->Text(), QStringLiteral("01:00:00"));
    // A lap of 0: the calculation's message and no rows.
    w.Edit2->setText("0");
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.Button1->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::MarchInputMissing));
    EXPECT_TRUE(w.StringGrid1->Cells(0, 1).isEmpty());
}

TEST_F(MarchWindowTest, PrintsTwentyNineRowsAPageAndExportsEveryRow)
{
    Tmarschtab w;
    w.show();
    calculate(w, "20000", "400", w.MaskEdit4, "01:20:00");  // 49 lap rows and the final row
    PrintJobCapture::start();
    w.Button4->click();
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    EXPECT_EQ(PrintJobCapture::jobs()[0].report.pageCount(), 2);
    PrintJobCapture::stop();

    QTemporaryDir dir;
    const QString file = dir.filePath("marsch.xlsx");
    ScriptedAnswers::pushFileName(file);
    w.SpeedButton7->click();
    auto book = ReadWorkbook(file);
    ASSERT_TRUE(book.Ok()) << book.Error().Text().toStdString();
    const SheetData& sheet = book.Value().sheets.at(0);
    EXPECT_EQ(sheet.Cell(0, 0).Text(), QStringLiteral("Meter"));
    EXPECT_EQ(sheet.Cell(1, 0).Text(), QStringLiteral("400"));
    EXPECT_EQ(sheet.Cell(50, 1).Text(), QStringLiteral("01:20:00"));
    EXPECT_EQ(sheet.Cell(50, 0).Text(), QStringLiteral("20000"));

    // A save that fails is reported, not passed over.
    ScriptedAnswers::pushFileName(dir.filePath("no/such/folder/marsch.xlsx"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.SpeedButton7->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_FALSE(ScriptedAnswers::lastMessage().Text.isEmpty());
}
}  // namespace

namespace {

class MarchSplitsTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, Sportart, "
                "Belastungsstufe, trainingsblock) VALUES (1, 45000, 1, 0.02, 2000, 0, 1, 1, 1, 1)");
        db.exec("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, HDiff, zei_hrm) VALUES (1, 500, 0.001, 0, 0)");
        open();
        views.eingabeUpdateZwSql();
    }
    void fill(Tmarschtab& w, const QList<QStringList>& rows)
    {
        for (int r = 0; r < rows.size(); ++r)
            w.StringGrid1->SetRows(r + 1, rows[r]);
    }
    int splits() { return db.value("select count(*) from zeit where zei_Id = 1").toInt(); }
};

TEST_F(MarchSplitsTest, InsertsAllRowsUpToTheFirstEmptyMarkOrNone)
{
    Tmarschtab w;
    w.show();
    w.SpeedButton5->setEnabled(true);  // as while the entry window shows the open database
    fill(w, {{"1000", "00:04:00", "00:04:00"}, {"2000", "00:08:00", "00:04:00"}, {"", "", ""}, {"3000", "00:12:00", ""}});
    ScriptedAnswers::pushMessageAnswer(mrNo);
    w.SpeedButton5->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::AskChangeSplits));
    EXPECT_EQ(splits(), 1);

    ScriptedAnswers::pushMessageAnswer(mrYes);
    w.SpeedButton5->click();
    EXPECT_EQ(splits(), 3);  // the existing one stays; the row after the empty mark is not taken
    EXPECT_EQ(db.value("select count(*) from zeit where zei_Id = 1 and Meter = 2000 and "
                       "abs(Zwischenzeit * 86400 - 480) < 0.001")
                  .toInt(),
              1);

    // One bad row: nothing at all is written, and the error names it.
    fill(w, {{"4000", "00:16:00", ""}, {"abc", "00:20:00", ""}, {"6000", "00:24:00", ""}});
    ScriptedAnswers::pushMessageAnswer(mrYes);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.SpeedButton5->click();
    EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.contains("abc"));
    EXPECT_EQ(splits(), 3);
    fill(w, {{"4000", "00:16:00", ""}, {"5000", "  :  :  ", ""}});
    ScriptedAnswers::pushMessageAnswer(mrYes);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.SpeedButton5->click();
    EXPECT_EQ(splits(), 3);
}

TEST_F(MarchSplitsTest, RefusesWithoutASavedUnit)
{
    Tmarschtab w;
    w.show();
    w.SpeedButton5->setEnabled(true);
    fill(w, {{"1000", "00:04:00", "00:04:00"}});
    server.daten.Insert();
    ScriptedAnswers::pushMessageAnswer(mrYes);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.SpeedButton5->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::SaveUnitFirst));
    server.daten.Cancel();
    EXPECT_EQ(db.value("select count(*) from zeit").toInt(), 1);
}

// --- time calculator --------------------------------------------------------------------------

TEST(TimeCalc, AddsSubtractsMultipliesDivides)
{
    const TFormatSettings de = GermanFormatSettings();
    struct Case {
        const char *op, *t1, *t2, *f, *expected;
    } cases[] = {
        {"+", "00:45:30", "00:20:45", "", "01:06:15"},
        {"/", "01:00:00", "", "4", "00:15:00"},
        {"*", "00:04:10", "", "2,5", "00:10:25"},
        {"+", "23:00:00", "02:00:00", "", "25:00:00"},   // full hours, not the time of day
        {"-", "00:10:00", "00:10:05", "", "-00:00:05"},  // a negative difference keeps its sign
        {"*", "00:00:01", "  :  :  ", "1,5", "00:00:01"},  // only the fields the operator needs
    };
    for (const Case& c : cases)
        EXPECT_EQ(CalculateTimes(c.op, c.t1, c.t2, c.f, de), QString::fromLatin1(c.expected)) << c.t1 << c.op;
    for (const char* f : {"0", "0,0", "x", ""})
        EXPECT_THROW(CalculateTimes("/", "01:00:00", "", f, de), EConvertError) << f;
    EXPECT_THROW(CalculateTimes("+", "  :  :  ", "00:01:00", "", de), EConvertError);
    EXPECT_THROW(CalculateTimes("*", "90:00:00", "", "2", de), EConvertError);  // past 99:59:59
}

class TimeCalculatorWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedAnswers::clear();
        saved = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        w.show();
        QApplication::setActiveWindow(&w);
    }
    void TearDown() override
    {
        FormatSettings() = saved;
        EXPECT_TRUE(ScriptedAnswers::unusedAnswers().isEmpty());
        ScriptedAnswers::clear();
    }
    TFormatSettings saved;
    Tzeitenrechner w;
};

TEST_F(TimeCalculatorWindowTest, CalculatesChainsThroughCopyAndShowsTheMessage)
{
    w.MaskEdit1->SetText("23:00:00");
    w.MaskEdit2->SetText("02:00:00");
    w.Button1->click();
    EXPECT_EQ(w.Edit1->text(), QStringLiteral("25:00:00"));
    w.SpeedButton17->Click();  // the result into the first field, read back whole
    EXPECT_EQ(w.MaskEdit1->Text(), QStringLiteral("25:00:00"));
    w.SpeedButton14->click();
    EXPECT_EQ(w.Label1->text(), QStringLiteral("/"));
    EXPECT_EQ(w.Label1->y(), 48);
    w.Edit2->setText("4");
    w.Button1->click();
    EXPECT_EQ(w.Edit1->text(), QStringLiteral("06:15:00"));

    w.Edit2->setText("0");
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.Button1->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::TimesOrRealNumbers));
    EXPECT_EQ(w.Edit1->text(), QStringLiteral("06:15:00"));
    w.SpeedButton12->click();
    EXPECT_EQ(w.Label1->y(), 24);
    w.SpeedButton15->click();
    EXPECT_TRUE(w.Edit1->text().isEmpty());
    EXPECT_EQ(w.MaskEdit1->Text(), QStringLiteral("  :  :  "));
}

TEST_F(TimeCalculatorWindowTest, DigitsTypeIntoTheFocusedField)
{
    w.Edit2->setFocus();
    QApplication::processEvents();
    w.Digit[0]->click();  // "7"
    w.Digit[9]->click();  // "0"
    EXPECT_EQ(w.Edit2->text(), QStringLiteral("70"));
    EXPECT_TRUE(w.Edit2->hasFocus());
    w.MaskEdit1->setFocus();
    w.MaskEdit1->setCursorPosition(0);
    for (int d : {9, 9, 6, 7, 8, 4})  // "0", "0", "1", "2", "3", "4" by button
        w.Digit[size_t(d)]->click();
    EXPECT_EQ(w.MaskEdit1->Text(), QStringLiteral("00:12:34"));
}

// --- keystroke sender -------------------------------------------------------------------------

std::vector<TKeyStroke> press(int vk, QChar c = QChar(), bool extended = false)
{
    return {{vk, true, c, extended}, {vk, false, c, extended}};
}

std::vector<TKeyStroke> join(std::initializer_list<std::vector<TKeyStroke>> parts)
{
    std::vector<TKeyStroke> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(SendKeys, ParsesTheKeyStringSyntax)
{
    const TKeyStroke shiftDown{VK_SHIFT_KEY, true, QChar(), false}, shiftUp{VK_SHIFT_KEY, false, QChar(), false};
    struct Case {
        const char* keys;
        bool ok;
        std::vector<TKeyStroke> strokes;
        QStringList messages;
    } cases[] = {
        {"", false, {}, {}},
        {"7", true, press('7', '7'), {}},
        {"{TAB 3}", true, join({press(9), press(9), press(9)}), {}},
        {"+(ab)", true, join({{shiftDown}, press('A', 'a'), press('B', 'b'), {shiftUp}}), {}},
        {"+ab", true, join({{shiftDown}, press('A', 'a'), {shiftUp}, press('B', 'b')}), {}},
        {"{bksp}", true, press(8), {}},
        {"{BACKSPACE}", true, press(8), {}},
        {"{LEFT}", true, press(37, QChar(), true), {}},
        {"~", true, press(13, '\r'), {}},
        {"{{}", true, join({{shiftDown}, press(219, '{'), {shiftUp}}), {}},
        {"+{abc", false, {shiftDown, shiftUp}, {"No Close"}},  // held Shift is released at the stop
        {"^{NOPE}x", true, join({{{VK_CONTROL_KEY, true, QChar(), false}}, press('X', 'x'),
                                 {{VK_CONTROL_KEY, false, QChar(), false}}}), {"Invalid Key Name"}},
        {"\u20ac", true, press(0x100 + 0x20ac, QChar(0x20ac)), {}},
        {"\u3042", true, {}, {"Invalid KeyName"}},
    };
    for (const Case& c : cases) {
        const TSendKeysResult r = ParseSendKeys(QString::fromUtf8(c.keys));
        EXPECT_EQ(r.Ok, c.ok) << c.keys;
        EXPECT_EQ(r.Keys, c.strokes) << c.keys;
        EXPECT_EQ(r.Messages, c.messages) << c.keys;
    }
    for (const QString& name : KeyNames())
        EXPECT_NE(ParseSendKeys("{" + name.toLower() + "}").Keys.size(), 0u) << name.toStdString();
    EXPECT_EQ(KeyNames().size(), 41);
    EXPECT_THROW(ParseSendKeys("{TAB x}"), EConvertError);
}


}  // namespace

namespace {

TEST(MarchCalculatorTexts, WindowsReadInEnglish)
{
    const QStringList same = {"m", "(hh:mm:ss)", "Split:", "OK", "Start m:", "hh:mm:ss", "CE"};
    ExpectTranslated("marschneu_en", [] { return std::make_unique<Tmarschtab>(); }, same);
    ExpectTranslated("marschanfu_en", [] { return std::make_unique<TMarschAnf>(); }, same);
    ExpectTranslated("rechner_en", [] { return std::make_unique<Tzeitenrechner>(); }, same);
}

}  // namespace
