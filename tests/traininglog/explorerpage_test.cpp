// The explorer: the conditions its filter tree builds, and the entry window's explorer page that
// lists, opens and deletes the units of the chosen node, on the program started as a user does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "core/explorerfilter.h"
#include "platform/rtl/folders.h"
#include "core/explorerframe.h"
#include "core/main.h"
#include "core/navigatorframe.h"
#include "core/navigatorlists.h"
#include "core/orvdbserver.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/explorerlist.h"

TEST(ExplorerConditionTest, EachNodeGivesItsCondition)
{
    const QString lastYear = ExplorerDateClause(true, 365, EncodeDate(2005, 3, 15) + 0.4);
    EXPECT_EQ(lastYear, " and ((daten.datum) > (#03/15/2004#))");
    EXPECT_EQ(ExplorerDateClause(false, 365, EncodeDate(2005, 3, 15)), "");
    const struct {
        TExplorerCategory Category;
        bool Child;
        QVariant Value;
        const char* Where;
        bool WithEquipment;
    } cases[] = {
        {ecAll, false, -1, "1=1", false},
        {ecSport, true, 3, "Sportart = 3", false},
        {ecForm, true, 2, "(Form = 2) ", false},
        {ecLoadLevel, true, 4, "(Belastungsstufe = 4) ", false},
        {ecLoadType, true, 1, "(Belastungsart = 1) ", false},
        {ecPlace, true, QVariant(), "Ort is null", false},
        {ecPlace, true, QString("Alm \"Oben\""), "Ort = \"Alm \"\"Oben\"\"\"", false},
        {ecEquipment, true, 7, "(eqIndex = 7) ", true},
    };
    for (const auto& c : cases) {
        const auto condition = ExplorerCondition(c.Category, c.Child, c.Value, QString());
        ASSERT_TRUE(condition) << c.Where;
        EXPECT_EQ(condition->Where, QString::fromUtf8(c.Where));
        EXPECT_EQ(condition->WithEquipment, c.WithEquipment) << c.Where;
    }
    EXPECT_EQ(ExplorerCondition(ecSport, true, 3, lastYear)->Where, "Sportart = 3 and ((daten.datum) > (#03/15/2004#))");
    for (TExplorerCategory header : {ecSport, ecForm, ecLoadLevel, ecLoadType, ecPlace, ecEquipment})
        EXPECT_FALSE(ExplorerCondition(header, false, -1, lastYear)) << header;
}

namespace {

class ExplorerPageTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetClock([] { return EncodeDate(2005, 3, 15) + EncodeTime(10, 0, 0, 0); });
        db.exec("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created) VALUES (1, 'B', 38000)");
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = savedSettings_;
    }

    void unit(const char* day, int sport = 1, const QString& placeSql = "'Wald'")
    {
        const TDateTime d = StrToDate(QString::fromLatin1(day), GermanFormatSettings());
        db.exec(QStringLiteral("INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, Hoehendifferenz, Ort, trainingsblock) VALUES (%1, 0.3, 1, 0.03, "
                               "5000, %2, 1, 1, 0, %3, 1)")
                    .arg(d)
                    .arg(sport)
                    .arg(placeSql));
    }

    // Starts the program and shows the explorer page.
    void start()
    {
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
        ASSERT_TRUE(eingabe->selectPage(eingabe->TabSheet6));
        ASSERT_NE(explorerFrm, nullptr);
        ASSERT_TRUE(explorerFrm->isVisible());
        ASSERT_EQ(explorerFrm->TreeView1->topLevelItemCount(), 7);
    }

    static QTreeWidgetItem* node(TExplorerCategory category, const QString& text = QString(), int nth = 0)
    {
        QTreeWidgetItem* header = explorerFrm->CategoryNode(category);
        if (text.isNull())
            return header;
        for (int i = 0; i < header->childCount(); ++i)
            if (header->child(i)->text(0) == text && nth-- == 0)
                return header->child(i);
        return nullptr;
    }
    static void choose(QTreeWidgetItem* n)
    {
        ASSERT_NE(n, nullptr);
        explorerFrm->TreeView1->setCurrentItem(n);
    }
    // The listed units' dates, as the German dates they are.
    static QStringList listed()
    {
        QStringList dates;
        const TExplorerListModel* list = eingabe->ExplorerList();
        for (int i = 0; i < list->Count(); ++i)
            dates << FormatDateTime("dd.mm.yyyy", StrToDate(list->Item(i).Texts[elDatum], UserSettings()), GermanFormatSettings());
        return dates;
    }
    // The settings the data module shows its dates with.
    static TFormatSettings UserSettings()
    {
        TFormatSettings fs = GermanFormatSettings();
        fs.ShortDateFormat = orvServer->explorer.FieldByName("Datum")->DisplayFormat();
        fs.DateSeparator = fs.ShortDateFormat.contains('-') ? '-' : (fs.ShortDateFormat.contains('/') ? '/' : '.');
        return fs;
    }
    static void selectItem(int row)
    {
        eingabe->ListView1->setCurrentIndex(eingabe->ExplorerList()->index(row, 0));
    }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};

}  // namespace

TEST_F(ExplorerPageTest, SportWithinTheLastYearAndAllUnits)
{
    unit("15.03.2004", 3);
    unit("16.03.2004", 3);
    unit("17.03.2004", 1);
    start();
    ASSERT_TRUE(explorerFrm->CheckBox1->isChecked());
    EXPECT_EQ(explorerFrm->Edit1->text(), "365");
    choose(node(ecSport, "Schwimmen"));
    EXPECT_EQ(listed(), QStringList({"16.03.2004"}));
    EXPECT_EQ(eingabe->ExplorerList()->Item(0).Texts[elCaption],
              "Schwimmen, " + eingabe->ExplorerList()->Item(0).Texts[elDatum]);

    // A category header other than "Alle" changes nothing.
    choose(node(ecSport));
    EXPECT_EQ(listed(), QStringList({"16.03.2004"}));
    explorerFrm->CheckBox1->click();  // the box cleared: still nothing for a header
    EXPECT_EQ(listed(), QStringList({"16.03.2004"}));
    choose(node(ecAll));
    EXPECT_EQ(listed(), QStringList({"15.03.2004", "16.03.2004", "17.03.2004"}));
    explorerFrm->CheckBox1->click();
    EXPECT_EQ(listed(), QStringList({"16.03.2004", "17.03.2004"}));

    // A days box without a number reports the conversion error and keeps the list.
    explorerFrm->Edit1->setText("x");
    ScriptedAnswers::pushMessageAnswer(mrOk);
    explorerFrm->XPButton5->Click();
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(listed(), QStringList({"16.03.2004", "17.03.2004"}));
}

TEST_F(ExplorerPageTest, PlacesWithQuotesOrWithoutAPlaceAndSportsOfTheSameName)
{
    unit("01.03.2005", 1, "'Alm \"Oben\"'");
    unit("02.03.2005", 1, "NULL");
    unit("03.03.2005", 5);
    unit("04.03.2005", 6);
    db.exec("UPDATE sportart SET Spo_Name = 'Rad' WHERE Spo_Id IN (5, 6)");
    start();
    choose(node(ecPlace, "Alm \"Oben\""));
    EXPECT_EQ(listed(), QStringList({"01.03.2005"}));
    choose(node(ecPlace, ""));
    EXPECT_EQ(listed(), QStringList({"02.03.2005"}));
    choose(node(ecSport, "Rad", 0));
    EXPECT_EQ(listed(), QStringList({"03.03.2005"}));
    choose(node(ecSport, "Rad", 1));
    EXPECT_EQ(listed(), QStringList({"04.03.2005"}));
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join("\n").toStdString();

    // A sport deleted meanwhile lists nothing.
    db.exec("DELETE FROM daten WHERE Sportart = 6");
    choose(node(ecSport, "Rad", 0));
    choose(node(ecSport, "Rad", 1));
    EXPECT_TRUE(listed().isEmpty());
}

TEST_F(ExplorerPageTest, UnitsWithSamplesAreBlueAndSportsWithoutPictureShowTheDefault)
{
    unit("01.03.2005", 1);
    unit("02.03.2005", 2);
    db.exec("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, zei_hrm) VALUES (1, 0, 0.0001, 1), (1, 30, 0.0002, 1)");
    db.exec("INSERT INTO eqdaten (EqIndex, EinheiIndex) VALUES (1, 2)");
    db.exec("INSERT INTO equipment (equ_Id, Bezeichnung) VALUES (1, 'Schuh')");
    start();
    choose(node(ecAll));
    const TExplorerListModel* list = eingabe->ExplorerList();
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->data(list->index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    EXPECT_EQ(list->data(list->index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 0));
    EXPECT_EQ(list->Item(0).Image, 0);
    EXPECT_FALSE(list->data(list->index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(explorerFrm->ProgressBar1->isVisible());

    choose(node(ecEquipment, "Schuh"));
    EXPECT_EQ(listed(), QStringList({"02.03.2005"}));

    // The three views show the same list.
    eingabe->XPButton32->Click();
    EXPECT_TRUE(eingabe->ListView1Report->isVisible());
    EXPECT_FALSE(eingabe->ListView1->isVisible());
    eingabe->XPButton31->Click();
    EXPECT_EQ(eingabe->ListView1->viewMode(), QListView::ListMode);
    eingabe->XPButton30->Click();
    EXPECT_EQ(eingabe->ListView1->viewMode(), QListView::IconMode);
}

TEST_F(ExplorerPageTest, DoubleClickOpensTheUnitAndDeleteAsksFirst)
{
    unit("01.03.2005");
    unit("02.03.2005");
    unit("03.03.2005");
    start();
    choose(node(ecAll));
    ASSERT_EQ(listed().size(), 3);

    // Without a selection: "Kein Eintrag ausgewählt."
    eingabe->ListView1->clearSelection();
    ScriptedAnswers::pushMessageAnswer(mrOk);
    eingabe->ListView1DblClick(eingabe->ListView1);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Kein Eintrag ausgewählt.");
    EXPECT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet6);
    ScriptedAnswers::clear();

    // Selecting an item makes it the preview's row.
    selectItem(0);
    EXPECT_EQ(orvServer->explorer.FieldByName("dat_Id")->AsInteger(), 1);

    // Delete asks; No keeps the unit, Yes removes it and lists the same node anew.
    ScriptedAnswers::pushMessageAnswer(mrNo);
    int key = Qt::Key_Delete;
    eingabe->ListView1KeyDown(eingabe->ListView1, key, Qt::NoModifier);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Wollen Sie die aktuelle Einheit wirklich löschen?");
    EXPECT_EQ(listed().size(), 3);
    ScriptedAnswers::pushMessageAnswer(mrYes);
    eingabe->ListView1KeyDown(eingabe->ListView1, key, Qt::NoModifier);
    EXPECT_EQ(listed(), QStringList({"02.03.2005", "03.03.2005"}));
    EXPECT_EQ(db.value("SELECT count(*) FROM daten").toInt(), 2);
    ScriptedAnswers::clear();

    // A double click opens the unit on "Einheit" and selects it in the navigator.
    selectItem(0);
    eingabe->ListView1DblClick(eingabe->ListView1);
    EXPECT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet4);
    EXPECT_EQ(orvServer->daten.FieldByName("dat_Id")->AsInteger(), 2);
    EXPECT_EQ(MainForm->getNavigator(), "Navigator");
    TStringGrid* overview = navigatorFrm->StringGrid1;
    EXPECT_EQ(overview->Cells(ocUnitId, overview->Row()), "2");
}

TEST_F(ExplorerPageTest, AChoiceMadeDuringAFillRunsAfterIt)
{
    unit("01.03.2005", 1);
    unit("02.03.2005", 2);
    for (int i = 0; i < 8; ++i)  // 512 units, half of them cycling
        db.exec("INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, Belastungsstufe, "
                "Hoehendifferenz, Ort, trainingsblock) SELECT Datum, Startzeit, Form, Zeit, Meter, Sportart, "
                "Belastungsart, Belastungsstufe, Hoehendifferenz, Ort, trainingsblock FROM daten");
    start();
    explorerFrm->CheckBox1->setChecked(false);
    // While "Alle" fills (it lets the program breathe every few rows), the user chooses a sport.
    int timersRun = 0;
    QTimer::singleShot(0, explorerFrm, [&] {
        ++timersRun;
        choose(node(ecSport, "Radfahren"));
    });
    choose(node(ecAll));
    EXPECT_EQ(timersRun, 1);
    EXPECT_EQ(listed().size(), 256);
    EXPECT_TRUE(eingabe->ExplorerList()->Item(0).Texts[elCaption].startsWith("Radfahren, "));
    EXPECT_EQ(listed().first(), "02.03.2005");
}
