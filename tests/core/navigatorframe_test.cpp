// The navigator on the program started as a user starts it: the overview list with its week
// rows, the search, the route take-over and the block tree with its buttons and drops.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/navigatorframe.h"
#include "core/navigatorlists.h"
#include "core/orvdbserver.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "traininglog/blockman.h"
#include "traininglog/einheiteneingabe.h"

namespace {

// A 16 x 16 BMP of one colour, as a hex literal for SQL.
QString bmpLiteral(const QColor& colour)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "BMP");
    return QStringLiteral("X'") + QString::fromLatin1(bytes.toHex()) + QLatin1Char('\'');
}

class NavigatorTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetClock([] { return EncodeDate(2005, 3, 15) + EncodeTime(10, 0, 0, 0); });
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = savedSettings_;
    }

    void start()
    {
        StartProgram({db.path()});
        ASSERT_NE(navigatorFrm, nullptr);
        ASSERT_TRUE(eingabe && eingabe->isVisible());
    }

    // A unit on a day (German date text), with sport, place, block and distance.
    void unit(const char* day, int sport = 1, const QString& place = "Wald", int block = 1, int metres = 5000,
              double duration = 0.03)
    {
        const TDateTime d = StrToDate(QString::fromLatin1(day), GermanFormatSettings());
        db.exec(QStringLiteral("INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, Hoehendifferenz, Ort, trainingsblock) VALUES (%1, 0.3, 1, %2, %3, "
                               "%4, 1, 1, 0, '%5', %6)")
                    .arg(d)
                    .arg(duration)
                    .arg(metres)
                    .arg(sport)
                    .arg(QString(place).replace("'", "''"))
                    .arg(block));
    }
    void block(int id, const char* name, TDateTime created)
    {
        db.exec(QStringLiteral("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created, trb_sportart, trb_form) "
                               "VALUES (%1, '%2', %3, 1, 1)")
                    .arg(id)
                    .arg(QString::fromLatin1(name))
                    .arg(created));
    }

    // The date column of the overview list below its title row.
    static QStringList dateColumn()
    {
        QStringList texts;
        for (int r = 1; r < navigatorFrm->StringGrid1->RowCount(); ++r)
            texts << navigatorFrm->StringGrid1->Cells(ocDate, r);
        return texts;
    }
    static int unitId() { return orvServer->daten.FieldByName("dat_Id")->AsInteger(); }
    static QTreeWidgetItem* findNode(const QString& text)
    {
        const auto found = navigatorFrm->TreeView1->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    static void selectNode(QTreeWidgetItem* node)
    {
        ASSERT_NE(node, nullptr);
        navigatorFrm->TreeView1->setCurrentItem(node);
        node->setSelected(true);
    }
    static void showBlocks() { navigatorFrm->XPButton9->Click(); }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};

}  // namespace

TEST_F(NavigatorTest, WeekRowsStandBetweenWeeksByNumberInEveryDateFormat)
{
    // 10.03.2004 and 16.03.2005 both lie in week 11: no week row between them.
    unit("10.03.2004");
    unit("16.03.2005");
    start();
    EXPECT_EQ(dateColumn(), QStringList({"Woche 11", "10.03.2004", "16.03.2005"}));

    // Sunday 13.03.2005 (week 10) and Monday 14.03.2005 (week 11) get one between them.
    unit("13.03.2005");
    unit("14.03.2005");
    orvServer->daten.Requery();
    navigatorFrm->Button1Click(nullptr);
    EXPECT_EQ(dateColumn(), QStringList({"Woche 11", "10.03.2004", "Woche 10", "13.03.2005", "Woche 11", "14.03.2005",
                                         "16.03.2005"}));
    // A week row carries the id -1 and holds nothing else.
    EXPECT_EQ(navigatorFrm->StringGrid1->Rows(5), QStringList({"", "Woche 11", "", "", "-1", "", ""}));

    // The keyboard steps over week rows from unit to unit.
    TStringGrid* grid = navigatorFrm->StringGrid1;
    grid->SetRow(2);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(grid, &down);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(orvServer->daten.FieldByName("Datum")->AsDateTime(), EncodeDate(2005, 3, 13));
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(grid, &up);
    EXPECT_EQ(grid->Row(), 2);
    QApplication::sendEvent(grid, &up);  // nothing above the first unit but its week row
    EXPECT_EQ(grid->Row(), 2);
    // The list's ends and its pages land on units, never on a week row.
    const struct {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        int Row;
    } ends[] = {
        {Qt::Key_End, Qt::ControlModifier, 7},  {Qt::Key_Home, Qt::ControlModifier, 2},
        {Qt::Key_PageDown, Qt::NoModifier, 7}, {Qt::Key_PageUp, Qt::NoModifier, 2},
    };
    for (const auto& e : ends) {
        QKeyEvent key(QEvent::KeyPress, e.Key, e.Modifiers);
        QApplication::sendEvent(grid, &key);
        EXPECT_EQ(grid->Row(), e.Row) << e.Key;
    }

    // The same rows with an ISO date format: a week row is told by its hidden id, not its text.
    TFormatSettings iso = GermanFormatSettings();
    iso.ShortDateFormat = "yyyy-mm-dd";
    iso.DateSeparator = '-';
    QStringList isoDates;
    for (const TOverviewRow& row : OverviewRows(orvServer->orvDB, true, iso))
        isoDates << row[ocDate];
    EXPECT_EQ(isoDates, QStringList({"Woche 11", "2004-03-10", "Woche 10", "2005-03-13", "Woche 11", "2005-03-14",
                                     "2005-03-16"}));
}

TEST_F(NavigatorTest, NavShowWeeksFalseHidesTheWeekRows)
{
    setProgramValue("navShowWeeks", false);
    unit("13.03.2005");
    unit("14.03.2005");
    start();
    EXPECT_EQ(dateColumn(), QStringList({"13.03.2005", "14.03.2005"}));
}

TEST_F(NavigatorTest, AnEmptyDatabaseListsTheTitleRowOnly)
{
    start();
    EXPECT_EQ(navigatorFrm->StringGrid1->RowCount(), 1);
    EXPECT_EQ(navigatorFrm->StringGrid1->Rows(0).mid(1, 3), QStringList({"Datum", "Ort", "Distanz"}));
}

TEST_F(NavigatorTest, UnitWithSplitsIsListedOnceInBlueAndWeekRowsCannotBeChosen)
{
    unit("14.03.2005", 1, "Wald", 1, 10500);
    unit("15.03.2005", 1, "Feld");
    db.exec("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit) VALUES (1, 1000, 0.003), (1, 2000, 0.006), (1, 3000, 0.009)");
    start();
    TStringGrid* grid = navigatorFrm->StringGrid1;
    ASSERT_EQ(grid->RowCount(), 4);  // title, week 11, two units
    EXPECT_EQ(grid->Rows(2).mid(1), QStringList({"14.03.2005", "Wald", "10,5 km", "1", "1", "1"}));
    EXPECT_EQ(grid->Cells(ocSplitId, 3), "");

    // Drawn: the unit with splits in blue, the other in black.
    grid->resize(220, 120);
    navigatorFrm->selectCurrentUnit();  // the newest unit (row 3) is current
    grid->SetRow(3);
    const QImage shot = grid->grab().toImage();
    auto count = [&](int row, const QColor& c) {
        const QRect r = grid->CellRect(ocPlace, row);
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += shot.pixelColor(x, y) == c;
        return n;
    };
    EXPECT_GT(count(2, QColor(0, 0, 255)), 0);
    EXPECT_EQ(count(2, QColor(0, 0, 0)), 0);

    // A click on the week row neither selects it nor moves daten.
    orvServer->daten.Last();
    const int before = unitId();
    const QPoint at = grid->CellRect(ocDate, 1).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &release);
    EXPECT_EQ(unitId(), before);
    EXPECT_NE(grid->Row(), 1);

    // A click on a unit row moves daten there; moving daten selects its row.
    grid->SetRow(2);
    EXPECT_EQ(unitId(), 1);
    orvServer->daten.Last();
    EXPECT_EQ(grid->Row(), 3);
}

TEST_F(NavigatorTest, ASavedOrDeletedUnitTakesItsPlaceAsARefillListsIt)
{
    unit("10.03.2005", 1, "Wald");  // week 10
    unit("15.03.2005", 1, "Feld");  // week 11
    unit("16.03.2005", 1, "Berg");
    start();
    TStringGrid* grid = navigatorFrm->StringGrid1;
    auto allRows = [grid] {
        QList<QStringList> rows;
        for (int r = 0; r < grid->RowCount(); ++r)
            rows << grid->Rows(r);
        return rows;
    };
    auto sameAsRefill = [&] {
        const QList<QStringList> shown = allRows();
        const int row = grid->Row();
        navigatorFrm->Button1Click(nullptr);
        EXPECT_EQ(shown, allRows());
        navigatorFrm->selectCurrentUnit();
        EXPECT_EQ(row, grid->Row());
    };

    // The first unit moved behind the last: its week row goes, it is listed last and selected.
    ASSERT_TRUE(orvServer->daten.Locate("dat_Id", 1));
    orvServer->daten.Edit();
    orvServer->daten.FieldByName("Datum")->SetAsDateTime(EncodeDate(2005, 3, 17));
    orvServer->daten.FieldByName("Ort")->SetAsString("Moor");
    orvServer->daten.Post();
    EXPECT_EQ(dateColumn(), QStringList({"Woche 11", "15.03.2005", "16.03.2005", "17.03.2005"}));
    EXPECT_EQ(grid->Cells(ocPlace, 4), "Moor");
    EXPECT_EQ(grid->Row(), 4);
    sameAsRefill();

    // Moved back before the others, into a week of its own again.
    orvServer->daten.Edit();
    orvServer->daten.FieldByName("Datum")->SetAsDateTime(EncodeDate(2005, 3, 6));
    orvServer->daten.Post();
    EXPECT_EQ(dateColumn(), QStringList({"Woche 9", "06.03.2005", "Woche 11", "15.03.2005", "16.03.2005"}));
    EXPECT_EQ(grid->Row(), 2);
    sameAsRefill();

    // A deleted unit leaves the list; the others keep their rows.
    ASSERT_TRUE(orvServer->daten.Locate("dat_Id", 2));
    orvServer->daten.Delete();
    EXPECT_EQ(dateColumn(), QStringList({"Woche 9", "06.03.2005", "Woche 11", "16.03.2005"}));
    sameAsRefill();
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join("\n").toStdString();
}

TEST_F(NavigatorTest, SearchBindsTheTypedTextAndMatchesShownDatesAndTimes)
{
    unit("14.03.2005", 1, "O'Brien Park", 1, 5000, 0.03125);  // 0:45:00
    unit("15.03.2005", 1, "Oberwald", 1, 12000, 0.05);
    start();
    navigatorFrm->XPButton7->Click();
    EXPECT_TRUE(navigatorFrm->pnl_suchen->isVisible());
    const struct {
        int Field;
        const char* Typed;
        int Matches;
    } cases[] = {
        {sfOrt, "O'Brien", 1}, {sfOrt, "o", 2}, {sfOrt, "'", 0},  {sfDatum, "15.03", 1},
        {sfDatum, "1", 2},     {sfMeter, "12", 1}, {sfZeit, "0:4", 1}, {sfZeit, "00:45", 1},
    };
    for (const auto& c : cases) {
        navigatorFrm->ComboBox1->setCurrentIndex(c.Field);
        navigatorFrm->UiOfficeEdit20001->setText(QString::fromUtf8(c.Typed));
        EXPECT_EQ(navigatorFrm->Label14->text(), QString::number(c.Matches)) << c.Field << " " << c.Typed;
    }
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join("\n").toStdString();

    navigatorFrm->ComboBox1->setCurrentIndex(sfOrt);
    navigatorFrm->UiOfficeEdit20001->setText("O'Brien");
    EXPECT_EQ(orvServer->navSuchen.FieldByName("Ort")->AsString(), "O'Brien Park");
    orvServer->daten.Last();
    navigatorFrm->XPButton2->Click();
    EXPECT_EQ(orvServer->daten.FieldByName("Ort")->AsString(), "O'Brien Park");
}

// A number cut on the left is another number (117000 read "7000"): the search list's distance,
// date and time columns hold their widest texts whole.
TEST_F(NavigatorTest, TheSearchListShowsWholeNumbers)
{
    unit("14.03.2005", 1, "Wald", 1, 35000);
    unit("15.03.2005", 2, "Rhein", 1, 117000, 0.2);
    start();
    navigatorFrm->XPButton7->Click();
    navigatorFrm->ComboBox1->setCurrentIndex(sfMeter);
    navigatorFrm->UiOfficeEdit20001->setText("1");
    ASSERT_EQ(navigatorFrm->Label14->text(), "1");
    TDBGrid* grid = navigatorFrm->DBGrid3;
    const QFontMetrics fm(grid->font());
    auto textRoom = [&](const char* field) {
        for (int i = 0; i < grid->Columns().Count(); ++i)
            if (grid->Columns()[i]->FieldName() == QLatin1String(field))
                return grid->Columns()[i]->Width() - 4;  // the cell draws its text 2 pixels in
        return -1;
    };
    EXPECT_GE(textRoom("Meter"), fm.horizontalAdvance("117000"));
    EXPECT_GE(textRoom("Datum"), fm.horizontalAdvance(orvServer->navSuchen.FieldByName("Datum")->DisplayText()));
    EXPECT_GE(textRoom("Zeit"), fm.horizontalAdvance(orvServer->navSuchen.FieldByName("Zeit")->DisplayText()));
}

TEST_F(NavigatorTest, BlocksOfHundredDaysAgoAreArchivedAndDropsReFileUnits)
{
    const TDateTime today = EncodeDate(2005, 3, 15);
    block(1, "Alt", today - 100 + 0.5);  // created exactly 100 days ago (05.12.2004), in the afternoon
    block(2, "Neu", today - 99);
    block(3, "Ziel", today - 10);
    unit("01.11.2004", 1, "Wald", 1);
    unit("01.12.2004", 1, "Wald", 2);
    unit("01.03.2005", 1, "Wald", 3);
    start();
    navigatorFrm->CheckBox1->setChecked(false);
    showBlocks();
    EXPECT_TRUE(navigatorFrm->pnl_trainblock->isVisible());
    QTreeWidget* tree = navigatorFrm->TreeView1;
    ASSERT_EQ(tree->topLevelItemCount(), 3);  // Archiv, Neu, Ziel
    QTreeWidgetItem* archive = tree->topLevelItem(0);
    EXPECT_EQ(archive->text(0), "Archiv");
    ASSERT_EQ(archive->childCount(), 1);
    EXPECT_EQ(archive->child(0)->text(0), "Alt");
    EXPECT_EQ(TnavigatorFrm::NodeId(archive->child(0)), -1);
    EXPECT_FALSE(archive->isExpanded());
    EXPECT_EQ(tree->topLevelItem(1)->child(0)->text(0), "Laufen - 01.12.2004");
    EXPECT_EQ(TnavigatorFrm::NodeId(tree->topLevelItem(1)->child(0)), 2);
    EXPECT_FALSE(navigatorFrm->ProgressBar1->isVisible());

    // "Archiv ausblenden" leaves the archived block out.
    navigatorFrm->CheckBox1->click();
    ASSERT_TRUE(navigatorFrm->CheckBox1->isChecked());
    EXPECT_EQ(archive = tree->topLevelItem(0), tree->topLevelItem(0));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(findNode("Alt"), nullptr);

    // A unit dropped onto a unit is refused; onto a block it is re-filed there.
    QTreeWidgetItem* moved = findNode("Laufen - 01.12.2004");
    EXPECT_FALSE(navigatorFrm->TreeView1DragOver(moved, findNode("Laufen - 01.03.2005")));
    EXPECT_FALSE(navigatorFrm->TreeView1DragOver(moved, tree->topLevelItem(0)));
    EXPECT_FALSE(navigatorFrm->TreeView1DragOver(findNode("Neu"), findNode("Ziel")));
    navigatorFrm->TreeView1DragDrop(moved, findNode("Laufen - 01.03.2005"));
    EXPECT_EQ(db.value("SELECT trainingsblock FROM daten WHERE dat_Id = 2").toInt(), 2);
    ASSERT_TRUE(navigatorFrm->TreeView1DragOver(findNode("Laufen - 01.12.2004"), findNode("Ziel")));
    navigatorFrm->TreeView1DragDrop(findNode("Laufen - 01.12.2004"), findNode("Ziel"));
    EXPECT_EQ(db.value("SELECT trainingsblock FROM daten WHERE dat_Id = 2").toInt(), 3);
    // The tree follows: "Ziel" holds both units, "Neu" is empty and gone from the tree.
    ASSERT_NE(findNode("Ziel"), nullptr);
    EXPECT_EQ(findNode("Ziel")->childCount(), 2);
    EXPECT_EQ(findNode("Neu"), nullptr);

    // Renaming a block in place writes its name.
    QTreeWidgetItem* target = findNode("Ziel");
    target->setText(0, "Frühjahr");
    EXPECT_EQ(db.value("SELECT trb_Name FROM trainingsblock WHERE trb_Id = 3").toString(), "Frühjahr");
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join("\n").toStdString();
}

TEST_F(NavigatorTest, ABlockRenamedInTheBlockManagerShowsItsNewNameInTheTree)
{
    block(1, "Herbst", EncodeDate(2005, 3, 15));
    unit("14.03.2005", 1, "Wald", 1);
    start();
    showBlocks();
    ASSERT_NE(findNode("Herbst"), nullptr);
    bool renamed = false;
    ScriptedAnswers::onShowModal<Tblockman>([&](Tblockman& f) {
        TTable& blocks = orvServer->trainblockman;
        ASSERT_TRUE(blocks.Locate(QStringLiteral("trb_Id"), 1));
        blocks.Edit();
        blocks.FieldByName(QStringLiteral("trb_Name"))->SetAsString(QStringLiteral("Frühjahr"));
        blocks.Post();
        // While the manager is still open: the save itself refreshes the tree.
        renamed = findNode("Frühjahr") != nullptr && findNode("Herbst") == nullptr;
        f.SetModalResult(mrCancel);
    });
    MainForm->Action17Execute(nullptr);
    EXPECT_TRUE(renamed);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join("\n").toStdString();
}

TEST_F(NavigatorTest, AUnitWithoutDistanceShowsZeroInItsDistanceUnit)
{
    unit("14.03.2005", 1, "Kraftraum", 1, 0);
    unit("15.03.2005", 1, "Bahn", 1, 40);  // 0,04 km: below what one decimal shows
    unit("16.03.2005", 1, "Wald", 1, 10500);
    start();
    TStringGrid* grid = navigatorFrm->StringGrid1;
    ASSERT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->Cells(ocDistance, 2), "0 km");
    EXPECT_EQ(grid->Cells(ocDistance, 3), "0 km");
    EXPECT_EQ(grid->Cells(ocDistance, 4), "10,5 km");
}

TEST_F(NavigatorTest, BlockButtonsAndDropsRefuseAUnitBeingEdited)
{
    block(1, "Erster", EncodeDate(2005, 3, 14));
    block(2, "Zweiter", EncodeDate(2005, 3, 15));
    unit("14.03.2005", 1, "Wald", 1);
    unit("13.03.2005", 2, "Wald", 2);
    start();
    showBlocks();
    // Without a block node: "Kein Block ausgewählt."
    selectNode(findNode("Laufen - 14.03.2005"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    navigatorFrm->XPButton6->Click();
    EXPECT_EQ(messageTexts(), QStringList({QString::number(mtInformation) + ":Kein Block ausgewählt."}));
    ScriptedAnswers::clear();

    selectNode(findNode("Zweiter"));
    orvServer->daten.Edit();
    orvServer->daten.FieldByName("Ort")->SetAsString("Feld");
    ScriptedAnswers::pushMessageAnswer(mrOk);
    navigatorFrm->XPButton4->Click();
    ScriptedAnswers::pushMessageAnswer(mrOk);
    navigatorFrm->TreeView1DragDrop(findNode("Laufen - 14.03.2005"), findNode("Zweiter"));
    const QString refused = QString::number(mtError) + ":Die Einheit muß vorher gespeichert werden.";
    EXPECT_EQ(messageTexts(), QStringList({refused, refused}));
    EXPECT_EQ(orvServer->daten.State(), dsEdit);  // the edit is neither posted nor lost
    EXPECT_EQ(db.value("SELECT Ort FROM daten WHERE dat_Id = 1").toString(), "Wald");

    // Saved, the current unit goes into the selected block.
    orvServer->daten.Post();
    selectNode(findNode("Zweiter"));
    navigatorFrm->XPButton4->Click();
    EXPECT_EQ(db.value("SELECT trainingsblock FROM daten WHERE dat_Id = 1").toInt(), 2);
    EXPECT_EQ(findNode("Zweiter")->childCount(), 2);
}

TEST_F(NavigatorTest, RouteTakeOverCopiesTheChosenRouteIntoANewUnsavedUnit)
{
    unit("14.03.2005");
    const char* names[] = {"Allee", "Altstadt", "Alm 'Hütte'", "Almweg", "Berg"};
    for (int i = 0; i < 5; ++i)
        db.exec(QStringLiteral("INSERT INTO strecke (Name, Laenge, HDiff, Ort, Beschreibung) VALUES ('%1', %2, %3, "
                               "'Ort %4', 'Beschreibung %4')")
                    .arg(QString::fromUtf8(names[i]).replace("'", "''"))
                    .arg(1000 * (i + 1))
                    .arg(10 * (i + 1))
                    .arg(i + 1));
    start();
    const int units = db.value("SELECT count(*) FROM daten").toInt();
    navigatorFrm->XPButton8->Click();
    // A quote in the typed text is part of the name looked for.
    navigatorFrm->MaskEdit2->setText("Alm '");
    EXPECT_EQ(orvServer->strecke.RecordCount(), 1);
    navigatorFrm->MaskEdit2->setText("");
    EXPECT_EQ(orvServer->strecke.RecordCount(), 5);
    navigatorFrm->MaskEdit2->setText("Al");
    ASSERT_EQ(orvServer->strecke.RecordCount(), 4);
    orvServer->strecke.First();
    orvServer->strecke.MoveBy(3);  // the fourth route of the filtered list, by name
    ASSERT_EQ(orvServer->strecke.FieldByName("Name")->AsString(), "Altstadt");
    navigatorFrm->SpeedButton3->Click();
    TTable& daten = orvServer->daten;
    EXPECT_EQ(daten.State(), dsInsert);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Altstadt");
    EXPECT_EQ(daten.FieldByName("Meter")->AsInteger(), 2000);
    EXPECT_EQ(daten.FieldByName("Hoehendifferenz")->AsInteger(), 20);
    EXPECT_EQ(daten.FieldByName("Streckenbeschreibung")->AsString(), "Ort 2");
    EXPECT_EQ(daten.FieldByName("Bemerkungen")->AsString(), "Beschreibung 2");
    EXPECT_EQ(orvServer->strecke.FieldByName("Name")->AsString(), "Altstadt");
    EXPECT_EQ(db.value("SELECT count(*) FROM daten").toInt(), units);  // nothing saved yet
    daten.Cancel();
}

TEST_F(NavigatorTest, EachUnitNodeShowsItsOwnSportsPicture)
{
    // Sport ids 1, 2 and 5 with pictures of their own; the ids between have none.
    const QColor colours[] = {QColor(200, 0, 0), QColor(0, 160, 0), QColor(0, 0, 200)};
    const int sports[] = {1, 2, 5};
    for (int i = 0; i < 3; ++i)
        db.exec(QStringLiteral("UPDATE sportart SET Spo_Image = %1 WHERE Spo_Id = %2").arg(bmpLiteral(colours[i])).arg(sports[i]));
    block(1, "Block", EncodeDate(2005, 3, 1));
    unit("10.03.2005", 5);
    unit("11.03.2005", 2);
    unit("12.03.2005", 1);
    unit("13.03.2005", 3);  // no picture: the default one
    start();
    showBlocks();
    auto iconColour = [](QTreeWidgetItem* node) {
        return node->icon(0).pixmap(16, 16).toImage().pixelColor(8, 8);
    };
    EXPECT_EQ(iconColour(findNode("Skilanglauf - 10.03.2005")), colours[2]);
    EXPECT_EQ(iconColour(findNode("Radfahren - 11.03.2005")), colours[1]);
    EXPECT_EQ(iconColour(findNode("Laufen - 12.03.2005")), colours[0]);
    EXPECT_EQ(iconColour(findNode("Schwimmen - 13.03.2005")),
              navigatorFrm->TreeImages().at(0).pixmap(16, 16).toImage().pixelColor(8, 8));
    // The overview list draws the same pictures, read once per fill: painting leaves the sports
    // where they are.
    EXPECT_EQ(navigatorFrm->SportPicture(5).toImage().pixelColor(8, 8), colours[2]);
    navigatorFrm->XPButton1->Click();
    orvServer->sportart.Last();
    const int sportRow = orvServer->sportart.RecNo();
    navigatorFrm->StringGrid1->resize(220, 200);
    const QImage shot = navigatorFrm->StringGrid1->grab().toImage();
    const QRect cell = navigatorFrm->StringGrid1->CellRect(ocPicture, 2);  // 10.03.2005, week row above
    EXPECT_EQ(shot.pixelColor(cell.left() + 8, cell.top() + 8), colours[2]);
    EXPECT_EQ(orvServer->sportart.RecNo(), sportRow);
}

TEST_F(NavigatorTest, ViewButtonsAndMenuShowOneViewAtATime)
{
    touchProgramFile("orv5help/Navigator.htm");
    start();
    TnavigatorFrm* nav = navigatorFrm;
    EXPECT_TRUE(nav->XPButton1->Down());
    const QList<QWidget*> panels = {nav->pnl_uebersicht, nav->pnl_zeitraum, nav->pnl_suchen, nav->pnl_strecke,
                                    nav->pnl_trainblock};
    const QList<TXPButton*> buttons = {nav->XPButton1, nav->XPButton3, nav->XPButton7, nav->XPButton8, nav->XPButton9};
    const QList<QAction*> entries = nav->PopupMenu1->actions();
    ASSERT_EQ(entries.size(), 5);
    for (int i = 0; i < 5; ++i) {
        entries[i]->trigger();
        for (int j = 0; j < 5; ++j) {
            EXPECT_EQ(buttons[j]->Down(), i == j) << i << j;
            EXPECT_EQ(panels[j]->isVisibleTo(nav), i == j) << i << j;
        }
    }
    EXPECT_EQ(entries[1]->text(), "Zeitraumstatistik");
    nav->UiNavPanel2->OnClick(nav->UiNavPanel2);
    EXPECT_EQ(helpPages, QStringList({ProgramFile("orv5help/Navigator.htm")}));
}
