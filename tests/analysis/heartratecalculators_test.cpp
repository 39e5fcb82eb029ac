// The heart-rate calculators, the body-mass index and the tools catalogue.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "analysis/bodymass.h"
#include "analysis/bodymassindex.h"
#include "analysis/heartrate.h"
#include "analysis/leistindex.h"
#include "analysis/maxpuls.h"
#include "analysis/pulsfrequ.h"
#include "analysis/tflex.h"
#include "analysis/toolstree.h"
#include "analysis/webtools.h"
#include "core/language.h"
#include "core/messageids.h"
#include "tests/analysis/calcwindowtexts.h"
#include "tests/core/dbserverfixture.h"
#include "tests/support/messages.h"

namespace {

class HeartRateWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedAnswers::clear();
        saved = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override
    {
        FormatSettings() = saved;
        EXPECT_TRUE(ScriptedAnswers::unusedAnswers().isEmpty());
        ScriptedAnswers::clear();
    }
    TFormatSettings saved;
};

TEST(HeartRate, MaximumFromAgeSexAndSport)
{
    EXPECT_EQ(MaxHeartRate(40, false, true), 194);
    EXPECT_EQ(MaxHeartRate(40, true, true), 200);
    EXPECT_EQ(MaxHeartRate(40, false, false), 180);
    EXPECT_EQ(MaxHeartRate(0, true, true), 226);
    EXPECT_EQ(MaxHeartRate(-3, false, true), 222);  // truncated toward zero
}

TEST(HeartRate, BandsTruncateEveryBound)
{
    using B = std::array<QString, 10>;
    EXPECT_EQ(HeartRateBands("190"), (B{"104", "123", "123", "142", "142", "152", "152", "171", "171", "190"}));
    EXPECT_EQ(HeartRateBands("199"), (B{"109", "129", "129", "149", "149", "159", "159", "179", "179", "199"}));
    EXPECT_THROW(HeartRateBands("abc"), EConvertError);
    EXPECT_THROW(HeartRateBands("190,5"), EConvertError);
}

// Values no body has are refused with a message instead of being shown as a result.
TEST(HeartRate, ImplausibleAgesAndMaximaAreNamed)
{
    for (int age : {5, 40, 100})
        EXPECT_EQ(AgeImplausible(age), QString()) << age;
    for (int age : {-500, -1, 0, 4, 101, 1000})
        EXPECT_EQ(AgeImplausible(age), "Das Lebensalter muß zwischen 5 und 100 Jahren liegen.") << age;
    for (int max : {100, 190, 240})
        EXPECT_EQ(MaxHeartRateImplausible(max), QString()) << max;
    for (int max : {-190, 0, 99, 241, 1900})
        EXPECT_EQ(MaxHeartRateImplausible(max), "Der Maximalpuls muß zwischen 100 und 240 Schlägen pro Minute liegen.")
            << max;
}

TEST_F(HeartRateWindowTest, ImplausibleInputIsRefusedAndTheResultKept)
{
    TMaximPuls maximum;
    maximum.Edit1->setText("40");
    maximum.BitBtn1->click();
    for (const char* age : {"-500", "0", "150"}) {
        maximum.Edit1->setText(age);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        maximum.BitBtn1->click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, AgeImplausible(-500)) << age;
        EXPECT_EQ(maximum.Edit2->text(), QStringLiteral("194")) << age;
    }

    TPulsfrequenzen bands;
    bands.Edit1->setText("190");
    bands.BitBtn1->click();
    for (const char* max : {"-190", "19000"}) {
        bands.Edit1->setText(max);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        bands.BitBtn1->click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, MaxHeartRateImplausible(0)) << max;
        EXPECT_EQ(bands.Bound[0]->text(), QStringLiteral("104")) << max;
        EXPECT_EQ(bands.Bound[9]->text(), QStringLiteral("190")) << max;
    }

    Tbody bmi;
    bmi.Edit1->setText("70");
    bmi.Edit2->setText("175");
    bmi.Button1->click();
    struct Case {
        const char *kg, *cm, *message;
    } cases[] = {{"-70", "175", "Das Gewicht muß zwischen 20 und 300 kg liegen."},
                 {"99999999", "175", "Das Gewicht muß zwischen 20 und 300 kg liegen."},
                 {"70", "17,5", "Die Größe muß zwischen 100 und 250 cm liegen."},
                 {"70", "-175", "Die Größe muß zwischen 100 und 250 cm liegen."}};
    for (const Case& c : cases) {
        bmi.Edit1->setText(c.kg);
        bmi.Edit2->setText(c.cm);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        bmi.Button1->click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, QString::fromUtf8(c.message)) << c.kg << " " << c.cm;
        EXPECT_EQ(bmi.Edit3->text(), QStringLiteral("22,9"));
        EXPECT_EQ(bmi.Edit3->palette().color(QPalette::Base), QColor(Qt::yellow));
    }
}

TEST_F(HeartRateWindowTest, MaximumDialogClosesOnlyOnSuccess)
{
    TMaximPuls w;
    EXPECT_FALSE(w.closeOnCalculate);
    w.Edit1->setText("40");
    w.BitBtn1->click();
    EXPECT_EQ(w.Edit2->text(), QStringLiteral("194"));
    w.RadioButton2->setChecked(true);
    w.BitBtn1->click();
    EXPECT_EQ(w.Edit2->text(), QStringLiteral("200"));

    // The options dialog's way: a bad age keeps it open, a good one closes it with the result.
    ModalForm<TMaximPuls> f(MaximPuls, nullptr);
    f->closeOnCalculate = true;
    ScriptedAnswers::onShowModal<TMaximPuls>([](TMaximPuls& d) {
        d.Edit1->setText("x");
        ScriptedAnswers::pushMessageAnswer(mrOk);
        d.BitBtn1->click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::AgeMissing));
        EXPECT_EQ(d.ModalResult(), mrNone);
        d.Edit1->setText("40");
        d.BitBtn1->click();
    });
    EXPECT_EQ(f->ShowModal(), mrOk);
    EXPECT_EQ(f->Edit2->text(), QStringLiteral("194"));
}

TEST_F(HeartRateWindowTest, BandsWindowWritesTheCellsOrShowsTheMessage)
{
    TPulsfrequenzen w;
    w.Edit1->setText("190");
    w.BitBtn1->click();
    EXPECT_EQ(w.Bound[0]->text(), QStringLiteral("104"));
    EXPECT_EQ(w.Bound[9]->text(), QStringLiteral("190"));
    EXPECT_EQ(w.Bound[9]->width(), 64);
    w.Edit1->setText("abc");
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.BitBtn1->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::MaxPulseWholeNumber));
    EXPECT_EQ(w.Bound[0]->text(), QStringLiteral("104"));
}

TEST_F(HeartRateWindowTest, PerformanceIndexInTheLocalesFormat)
{
    TLeistindex w;
    w.Edit1->setText("10000");
    w.Edit2->setText("12");
    w.Edit3->setText("190");
    w.Edit4->setText("160");
    w.BitBtn2->click();
    EXPECT_EQ(w.Edit5->text(), QStringLiteral("57,6"));
    FormatSettings() = USFormatSettings();
    w.BitBtn2->click();
    EXPECT_EQ(w.Edit5->text(), QStringLiteral("57.6"));
    for (auto [max, avg] : {std::pair{"190", "190"}, std::pair{"0", "0"}}) {
        w.Edit3->setText(max);
        w.Edit4->setText(avg);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        w.BitBtn2->click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
        EXPECT_EQ(w.Edit5->text(), QStringLiteral("57.6"));
    }
}

class PerformanceIndexSettingsTest : public DataModuleTest {};

TEST_F(PerformanceIndexSettingsTest, StartsWithTheSettingsMaximum)
{
    open();
    server.config.Edit();
    server.config.FieldByName("cfg_maxpuls")->SetAsInteger(187);
    server.config.Post();
    TLeistindex w;
    w.show();
    EXPECT_EQ(w.Edit3->text(), QStringLiteral("187"));
}

// --- body-mass index --------------------------------------------------------------------------

TEST(BodyMassIndex, ValueAndOneColourForEveryIndex)
{
    const TFormatSettings de = GermanFormatSettings();
    EXPECT_NEAR(BodyMassIndex("70", "175", de), 22.857, 0.001);
    EXPECT_NEAR(BodyMassIndex("72,5", "180", de), 22.377, 0.001);
    EXPECT_THROW(BodyMassIndex("70", "0", de), EConvertError);
    EXPECT_THROW(BodyMassIndex("x", "175", de), EConvertError);
    const TColor red = 0x0000FF, yellow = 0x00FFFF, green = 0x00FF00;
    struct Case {
        double bmi;
        TColor colour;
    } cases[] = {{29.4, red}, {25, red}, {24.99, yellow}, {22.86, yellow}, {22, green}, {21.55, green},
                 {20, green}, {19.99, yellow}, {17.5, yellow}, {17.49, red}};
    for (const Case& c : cases)
        EXPECT_EQ(BodyMassIndexColor(c.bmi), c.colour) << c.bmi;
}

TEST_F(HeartRateWindowTest, BodyMassWindowColoursAndKeepsItsResultOnBadInput)
{
    Tbody w;
    struct Case {
        const char *kg, *shown;
        QColor colour;
    } cases[] = {{"70", "22,9", Qt::yellow}, {"66", "21,6", Qt::green}, {"90", "29,4", Qt::red}};
    w.Edit2->setText("175");
    for (const Case& c : cases) {
        w.Edit1->setText(c.kg);
        w.Button1->click();
        EXPECT_EQ(w.Edit3->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(w.Edit3->palette().color(QPalette::Base), c.colour) << c.kg;
    }
    for (const char* height : {"0", "x"}) {
        w.Edit2->setText(height);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        w.Button1->click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::WeightAndHeightMissing));
        EXPECT_EQ(w.Edit3->text(), QStringLiteral("29,4"));
        EXPECT_EQ(w.Edit3->palette().color(QPalette::Base), QColor(Qt::red));
    }
}

TEST_F(HeartRateWindowTest, LegendStateOutlivesTheWindow)
{
    Tbody::SetLegendShown(false);
    {
        Tbody w;
        EXPECT_EQ(w.width(), 265);
        w.Leg->click();
        EXPECT_EQ(w.width(), 457);
        EXPECT_EQ(w.Leg->text(), LoadStr(msg::LegendHide));
        w.Leg->click();
        EXPECT_EQ(w.width(), 265);
        w.Leg->click();  // closed widened
    }
    Tbody next;
    EXPECT_EQ(next.width(), 265);
    next.Leg->click();  // the state still says widened: the first click keeps it narrow
    EXPECT_EQ(next.width(), 265);
    EXPECT_EQ(next.Leg->text(), LoadStr(msg::LegendShow));
    next.Leg->click();
    EXPECT_EQ(next.width(), 457);
    Tbody::SetLegendShown(false);
}

// --- tools catalogue --------------------------------------------------------------------------

class ToolsCatalogueTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        db.exec("DELETE FROM tools");
        db.exec("INSERT INTO tools (too_id, too_Name, too_kategorie, too_html, too_exe, too_delphipackage) VALUES "
                "(1, 'Bodymaßindex', 'Rechner', 0, 0, 1), (2, 'Tempoflex', 'Rechner', 0, 0, 1),"
                "(3, 'tempoflex', 'Rechner', 0, 0, 1), (4, 'Quote', 'Läufer''s', 1, 0, 0),"
                "(5, 'Prozent', '50%', 0, 1, 0), (6, 'Andere', '50x', 0, 1, 0), (7, 'Wildcard', 'L_ufer''s', 0, 0, 0)");
        open();
    }
    static QStringList children(QTreeWidget* tree, const QString& category)
    {
        QStringList names;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (tree->topLevelItem(i)->text(0) == category)
                for (int j = 0; j < tree->topLevelItem(i)->childCount(); ++j)
                    names << tree->topLevelItem(i)->child(j)->text(0);
        return names;
    }
};

TEST_F(ToolsCatalogueTest, TreeListsEachCategorysOwnToolsOnce)
{
    TFormeln w;
    w.show();
    ASSERT_EQ(w.TreeView1->topLevelItemCount(), 5);
    EXPECT_EQ(children(w.TreeView1, "Rechner"), (QStringList{"Bodymaßindex", "Tempoflex", "tempoflex"}));
    EXPECT_EQ(children(w.TreeView1, "Läufer's"), QStringList{"Quote"});
    EXPECT_EQ(children(w.TreeView1, "50%"), QStringList{"Prozent"});
    EXPECT_EQ(children(w.TreeView1, "L_ufer's"), QStringList{"Wildcard"});
    EXPECT_EQ(TFormeln::NodeData(w.TreeView1->topLevelItem(0)), -1);

    // A tool node moves the current tool; a category node does not.
    QTreeWidgetItem* rechner = w.TreeView1->findItems("Rechner", Qt::MatchExactly)[0];
    w.TreeView1->setCurrentItem(rechner->child(1));
    w.TreeView1Click(w.TreeView1);
    EXPECT_EQ(server.tools.FieldByName("too_id")->AsInteger(), 2);
    w.TreeView1->setCurrentItem(w.TreeView1->findItems("50%", Qt::MatchExactly)[0]);
    w.TreeView1Click(w.TreeView1);
    EXPECT_EQ(server.tools.FieldByName("too_id")->AsInteger(), 2);
}

TEST_F(ToolsCatalogueTest, StartsOnlyTheTwoBuiltInCalculatorsByExactName)
{
    TFormeln w;
    w.show();
    int opened = 0;
    ScriptedAnswers::onShowModal<TTempoflex>([&opened](TTempoflex& f) {
        ++opened;
        f.BitBtn2->click();
    });
    server.tools.Locate("too_id", 2);
    w.SpeedButton1->Click();
    EXPECT_EQ(opened, 1);
    ScriptedAnswers::onShowModal<Tbody>([&opened](Tbody& f) {
        ++opened;
        f.BitBtn1->click();
    });
    server.tools.Locate("too_id", 1);
    w.SpeedButton1->Click();
    EXPECT_EQ(opened, 2);
    for (int id : {3, 4, 5}) {  // lower case, an HTML page, a program: nothing starts
        server.tools.Locate("too_id", id);
        w.SpeedButton1->Click();
    }
    EXPECT_EQ(opened, 2);
}

TEST_F(ToolsCatalogueTest, ShowsTheToolsLocalPageAndLoadsAModule)
{
    QTemporaryDir dir;
    const QString page = dir.filePath("quote.html");
    QFile f(page);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html><body><h1>Schrittlänge</h1></body></html>");
    f.close();
    db.exec("UPDATE tools SET too_filename = '" + page + "' WHERE too_id = 4");
    db.exec("UPDATE tools SET too_filename = '" + dir.filePath("prog.exe") + "' WHERE too_id = 5");
    server.tools.Requery();
    TFormeln w;
    w.show();
    server.tools.Locate("too_id", 4);
    EXPECT_TRUE(w.WebBrowser1->toPlainText().contains("Schrittlänge"));
    server.tools.Locate("too_id", 5);  // not an HTML tool: the page stays
    EXPECT_TRUE(w.WebBrowser1->toPlainText().contains("Schrittlänge"));

    server.tools.Edit();
    ScriptedAnswers::pushFileName(dir.filePath("modul.bpl"));
    w.Button1->click();
    server.tools.Post();
    EXPECT_EQ(db.value("select too_filename from tools where too_id = 5").toString(), dir.filePath("modul.bpl"));
}

TEST_F(HeartRateWindowTest, WindowsReadInEnglish)
{
    const QStringList same = {"REG", "GA1", "GA2", "TDL/ASW", "SBM", " m", " km/h", "too_html", "too_exe",
                              "too_delphipackage"};
    ExpectTranslated("maxpuls_en", [] { return std::make_unique<TMaximPuls>(); }, same);
    ExpectTranslated("pulsfrequ_en", [] { return std::make_unique<TPulsfrequenzen>(); }, same);
    ExpectTranslated("leistindex_en", [] { return std::make_unique<TLeistindex>(); }, same);
    // The legend button's captions come from the message table.
    ExpectTranslated("bodymass_en", [] { return std::make_unique<Tbody>(); }, same + QStringList{"Legende ->"});
    EnglishModule catalogue("webtools_en");
    TFormeln w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Formulas"));
    EXPECT_EQ(w.Button1->text(), QStringLiteral("Load module"));
}

}  // namespace
