// The training-unit entry window on the program started as a user starts it: entering and saving
// a unit through its controls, the page-switch question, the performance index, deleting,
// scaling, and the window standing for the open database.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>

#include "core/language.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/startframe.h"
#include "tests/traininglog/entrywindowfixture.h"
#include "traininglog/einheiteneingabe.h"

namespace {

class EntryWindowTest : public EntryWindowFixture {
protected:
    void start() { startProgram(); }

    // Types into an edit box as the user does: focus, select all, the characters, leave it.
    static void type(QWidget* w, const QString& text)
    {
        w->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->selectAll();
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }
    // Chooses the entry with that text in a lookup box.
    static void choose(TDBLookupComboBox* box, const QString& text)
    {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // Clicks a page's tab.
    static void clickTab(QWidget* page)
    {
        QTabBar* bar = eingabe->PageControl2->tabBar();
        const QPoint at = bar->tabRect(eingabe->PageControl2->indexOf(page)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
    }

    // Enters a run of 10,5 km in 00:52:30 at "Stadtpark" without saving it.
    void enterRun()
    {
        eingabe->DataSetInsert1->Execute();
        ASSERT_EQ(orvServer->daten.State(), dsInsert);
        choose(eingabe->DBLookupComboBox1, "Laufen");
        choose(eingabe->DBLookupComboBox2, "Training");
        // Load level and load type are required of every unit.
        choose(eingabe->DBLookupComboBox3, "GA1");
        choose(eingabe->DBLookupComboBox4, "Dauerlauf");
        type(eingabe->DBEdit2, "10,5");
        type(eingabe->DBEdit6, "00:52:30");
        type(eingabe->DBEdit1, "Stadtpark");
        eingabe->DBMemo1->setFocus();
    }

    TDataSet& daten() const { return orvServer->daten; }
};

}  // namespace

TEST_F(EntryWindowTest, NewUnitIsSavedWithItsDerivedFieldsAndBlockAndComesBackAfterReopening)
{
    start();
    EXPECT_TRUE(MainForm->databaseOpen());
    EXPECT_EQ(eingabe->parentWidget(), MainForm->Panel2);
    EXPECT_EQ(eingabe->geometry(), MainForm->Panel2->rect());
    enterRun();
    UpdateAllActions();
    EXPECT_TRUE(eingabe->DataSetPost1->Enabled());
    eingabe->DataSetPost1->Execute();
    ASSERT_EQ(daten().State(), dsBrowse) << messageTexts().join("\n").toStdString();

    // What the user sees after the save.
    EXPECT_EQ(eingabe->DBEdit2->text(), "10,5");
    EXPECT_EQ(eingabe->DBEdit7->text(), "00:05:00");
    EXPECT_EQ(eingabe->DBEdit8->text(), "12");
    const QString date = DateToStr(Date());
    EXPECT_EQ(eingabe->DBText3->text(), "Training: Laufen am " + date);

    // What landed in the file.
    EXPECT_EQ(db.value("select count(*) from daten").toInt(), 1);
    EXPECT_EQ(db.value("select Meter from daten").toInt(), 10500);
    EXPECT_EQ(db.value("select Ort from daten").toString(), "Stadtpark");
    EXPECT_NEAR(db.value("select Zeit from daten").toDouble(), EncodeTime(0, 52, 30, 0), 1e-9);
    EXPECT_EQ(db.value("select trb_Name from trainingsblock t join daten d on d.trainingsblock = t.trb_Id").toString(),
              "Training: Laufen am " + date);

    // Closing the database closes the window; opening it again shows the unit.
    MainForm->FileClose1->Execute();
    EXPECT_FALSE(eingabe->isVisible());
    EXPECT_FALSE(MainForm->databaseOpen());
    EXPECT_FALSE(orvServer->orvDB.Connected());
    EXPECT_EQ(MainForm->getNavigator(), "Start");
    ScriptedAnswers::pushFileName(db.path());
    MainForm->FileOpen1->Execute();
    ASSERT_TRUE(eingabe->isVisible());
    EXPECT_EQ(eingabe->DBEdit1->text(), "Stadtpark");
    EXPECT_EQ(eingabe->DBLookupComboBox1->currentText(), "Laufen");
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join("\n").toStdString();
}

TEST_F(EntryWindowTest, PageSwitchWithUnsavedUnitAsksYesNoCancel)
{
    start();
    enterRun();

    // Cancel: the page and the unsaved unit stay.
    ScriptedAnswers::pushMessageAnswer(mrCancel);
    clickTab(eingabe->TabSheet5);
    EXPECT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet4);
    EXPECT_EQ(daten().State(), dsInsert);
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Text, LoadStr(msg::AskSaveUnit));
    EXPECT_EQ(ScriptedAnswers::messages()[0].Buttons, mbYesNoCancel);

    // No: the page changes, the unit is neither saved nor dropped.
    ScriptedAnswers::pushMessageAnswer(mrNo);
    clickTab(eingabe->TabSheet5);
    EXPECT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet5);
    EXPECT_EQ(daten().State(), dsInsert);
    EXPECT_EQ(db.value("select count(*) from daten").toInt(), 0);

    // Yes: saved, then switched.
    ScriptedAnswers::pushMessageAnswer(mrYes);
    clickTab(eingabe->TabSheet4);
    EXPECT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet4);
    EXPECT_EQ(daten().State(), dsBrowse);
    EXPECT_EQ(db.value("select count(*) from daten").toInt(), 1);

    // Without changes no question.
    ScriptedAnswers::clear();
    clickTab(eingabe->TabSheet6);
    EXPECT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet6);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

TEST_F(EntryWindowTest, FailingSaveOnPageSwitchShowsTheErrorAndKeepsThePage)
{
    start();
    eingabe->DataSetInsert1->Execute();
    // Sport, form and duration are missing: the post is refused.
    ScriptedAnswers::pushMessageAnswer(mrYes);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    clickTab(eingabe->TabSheet6);
    EXPECT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet4);
    EXPECT_EQ(daten().State(), dsInsert);
    ASSERT_EQ(ScriptedAnswers::messages().size(), 2);
    EXPECT_EQ(ScriptedAnswers::messages()[1].Type, mtError);
    EXPECT_FALSE(ScriptedAnswers::messages()[1].Text.isEmpty());
    EXPECT_EQ(db.value("select count(*) from daten").toInt(), 0);
}

TEST_F(EntryWindowTest, PerformanceIndexFromTheUnitAndMissingValues)
{
    db.exec("UPDATE config SET cfg_maxpuls = 190");
    db.exec("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created) VALUES (1, 'B', 45000)");
    db.exec("INSERT INTO daten (Datum, Form, Zeit, Meter, Sportart, Belastungsart, Belastungsstufe, Puls, Gli, "
            "Hoehendifferenz, trainingsblock) VALUES (45000, 1, 3000000 / 86400000.0, 10000, 1, 0, 0, 150, 7, 0, 1)");
    start();
    eingabe->XPButton3->Click();
    EXPECT_EQ(eingabe->DBEdit11->text(), "43,2");
    eingabe->DataSetPost1->Execute();
    EXPECT_NEAR(db.value("select Gli from daten").toDouble(), 43.2, 1e-9);

    // Equal heart rates, a maximum of 0 and a missing distance: message 65469, Gli stays.
    const struct {
        const char* maxPulse;
        const char* setUnit;
    } cases[] = {
        {"150", nullptr},
        {"0", nullptr},
        {"190", "Meter"},
    };
    for (const auto& c : cases) {
        orvServer->config.Edit();
        orvServer->config.FieldByName("cfg_maxpuls")->SetAsString(c.maxPulse);
        orvServer->config.Post();
        if (c.setUnit) {
            daten().Edit();
            daten().FieldByName(c.setUnit)->Clear();
        }
        ScriptedAnswers::clear();
        ScriptedAnswers::pushMessageAnswer(mrOk);
        eingabe->XPButton3->Click();
        ASSERT_EQ(ScriptedAnswers::messages().size(), 1) << c.maxPulse;
        EXPECT_EQ(ScriptedAnswers::messages()[0].Text, LoadStr(msg::MissingCalculationValues));
        EXPECT_EQ(ScriptedAnswers::messages()[0].Type, mtError);
        EXPECT_DOUBLE_EQ(daten().FieldByName("Gli")->AsFloat(), 43.2) << c.maxPulse;
        daten().Cancel();
    }
}

TEST_F(EntryWindowTest, DeleteAsksAndNavigationMovesThroughTheUnits)
{
    db.exec("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created) VALUES (1, 'B', 45000)");
    for (int day = 0; day < 3; ++day)
        db.exec(QString("INSERT INTO daten (Datum, Form, Zeit, Meter, Sportart, Belastungsart, Belastungsstufe, "
                        "Hoehendifferenz, Ort, trainingsblock) VALUES (%1, 1, 0.03, 5000, 1, 0, 0, 0, 'Ort%2', 1)")
                    .arg(45000 + day)
                    .arg(day));
    start();
    EXPECT_EQ(eingabe->DBEdit1->text(), "Ort2");  // the newest unit
    UpdateAllActions();
    EXPECT_FALSE(eingabe->DataSetNext1->Enabled());
    eingabe->DataSetFirst1->Execute();
    EXPECT_EQ(eingabe->DBEdit1->text(), "Ort0");
    UpdateAllActions();
    EXPECT_FALSE(eingabe->DataSetPrior1->Enabled());
    eingabe->DataSetNext1->Execute();
    EXPECT_EQ(eingabe->DBEdit1->text(), "Ort1");
    eingabe->DataSetLast1->Execute();
    eingabe->DataSetPrior1->Execute();
    EXPECT_EQ(eingabe->DBEdit1->text(), "Ort1");

    // Edit and discard.
    type(eingabe->DBEdit1, "Anders");
    EXPECT_EQ(daten().State(), dsEdit);
    eingabe->DataSetCancel1->Execute();
    EXPECT_EQ(eingabe->DBEdit1->text(), "Ort1");
    EXPECT_EQ(db.value("select count(*) from daten where Ort = 'Anders'").toInt(), 0);

    // No keeps the unit, Yes deletes it.
    ScriptedAnswers::pushMessageAnswer(mrNo);
    eingabe->DataSetDelete1->Execute();
    EXPECT_EQ(db.value("select count(*) from daten").toInt(), 3);
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Text, LoadStr(msg::ConfirmDeleteUnit));
    EXPECT_EQ(ScriptedAnswers::messages()[0].Buttons, mbYesNo);
    ScriptedAnswers::pushMessageAnswer(mrYes);
    eingabe->DataSetDelete1->Execute();
    EXPECT_EQ(db.value("select count(*) from daten where Ort = 'Ort1'").toInt(), 0);
    EXPECT_EQ(db.value("select count(*) from daten").toInt(), 2);
}

TEST_F(EntryWindowTest, DistanceInMetresAndToday)
{
    db.exec("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created) VALUES (1, 'B', 45000)");
    db.exec("INSERT INTO daten (Datum, Form, Zeit, Meter, Sportart, Belastungsart, Belastungsstufe, "
            "Hoehendifferenz, trainingsblock) VALUES (45000, 1, 0.03, 5000, 1, 0, 0, 0, 1)");
    start();
    ScriptedAnswers::pushInputAnswer(true, "4200");
    eingabe->XPButton2->Click();
    EXPECT_EQ(daten().FieldByName("Meter")->AsInteger(), 4200);
    // Cancelled: unchanged. Not a number: the conversion error, unchanged.
    ScriptedAnswers::pushInputAnswer(false);
    eingabe->XPButton2->Click();
    ScriptedAnswers::pushInputAnswer(true, "4,2 km");
    ScriptedAnswers::pushMessageAnswer(mrOk);
    eingabe->XPButton2->Click();
    EXPECT_EQ(daten().FieldByName("Meter")->AsInteger(), 4200);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);

    eingabe->XPButton1->Click();
    EXPECT_DOUBLE_EQ(daten().FieldByName("Datum")->AsDateTime(), Date());
    ScriptedAnswers::pushMessageAnswer(mrOk);  // now dated after its block: the data module warns
    eingabe->DataSetPost1->Execute();
    EXPECT_EQ(db.value("select Meter from daten").toInt(), 4200);
}

TEST_F(EntryWindowTest, UnitPageScalesOnceAndNotWithNoscale)
{
    SetScreenWidthSource([] { return 1200; });
    start();
    const QSize design(566, 458);
    EXPECT_TRUE(eingabe->Scaled());
    EXPECT_EQ(eingabe->Panel7->size(), QSize(849, 687));
    EXPECT_EQ(eingabe->XPButton1->height(), eingabe->DBDateTimePicker1->height());
    // Boxes with a drop-down button lay out their edit part themselves: it stays clear of the
    // button instead of being scaled over it.
    for (QWidget* box : {static_cast<QWidget*>(eingabe->DBDateTimePicker1), static_cast<QWidget*>(eingabe->DBDateTimePicker2),
                         static_cast<QWidget*>(eingabe->DBComboBox1)}) {
        const QLineEdit* edit = box->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr) << box->objectName().toStdString();
        EXPECT_LT(edit->geometry().right(), box->width() - 12) << box->objectName().toStdString();
        EXPECT_TRUE(box->rect().contains(edit->geometry())) << box->objectName().toStdString();
    }
    MainForm->FileClose1->Execute();
    ScriptedAnswers::pushFileName(db.path());
    MainForm->FileOpen1->Execute();
    ASSERT_TRUE(eingabe->isVisible());
    EXPECT_EQ(eingabe->Panel7->size(), QSize(849, 687));  // not again

    // "noscale" true keeps the designed size; so does a screen 800 pixels wide.
    FinishProgram();
    setProgramValue("noscale", true);
    start();
    EXPECT_FALSE(eingabe->Scaled());
    EXPECT_EQ(eingabe->Panel7->size(), design);
    FinishProgram();
    setProgramValue("noscale", false);
    SetScreenWidthSource([] { return 800; });
    start();
    EXPECT_FALSE(eingabe->Scaled());
    EXPECT_EQ(eingabe->Panel7->size(), design);
}

TEST_F(EntryWindowTest, StartPageAndCommentPanelFollowTheConfiguration)
{
    db.exec(QString("UPDATE config SET cfg_startfenster = '%1', cfg_kommentar = 0").arg(LoadStr(msg::StartPageExplorer)));
    start();
    EXPECT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet6);
    EXPECT_FALSE(eingabe->Panel4->isVisible());
    EXPECT_TRUE(eingabe->XPButton17->isVisibleTo(eingabe->Panel7));
    eingabe->XPButton17->Click();
    EXPECT_TRUE(eingabe->Panel4->isVisibleTo(eingabe->Panel7));
    EXPECT_FALSE(eingabe->XPButton17->isVisibleTo(eingabe->Panel7));

    MainForm->FileClose1->Execute();
    db.exec("UPDATE config SET cfg_startfenster = 'irgendwas', cfg_kommentar = 1");
    ScriptedAnswers::pushFileName(db.path());
    MainForm->FileOpen1->Execute();
    EXPECT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet4);
    EXPECT_TRUE(eingabe->Panel4->isVisibleTo(eingabe->Panel7));
}

TEST_F(EntryWindowTest, RouteListFollowsTheFocusAndTakesOverOnlyAKnownRoute)
{
    db.exec("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created) VALUES (1, 'B', 45000)");
    db.exec("INSERT INTO daten (Datum, Form, Zeit, Meter, Sportart, Belastungsart, Belastungsstufe, "
            "Hoehendifferenz, Ort, trainingsblock) VALUES (45000, 1, 0.03, 5000, 1, 0, 0, 0, 'Wald', 1)");
    db.exec("INSERT INTO strecke (Name, Laenge) VALUES ('Allee', 3000)");
    db.exec("INSERT INTO strecke (Name, Laenge) VALUES ('Seeweg', 8000)");
    start();
    QWidget* list = eingabe->DBLookupListBox1;
    EXPECT_FALSE(list->isVisibleTo(eingabe->Panel7));  // no field is entered on opening
    eingabe->DBEdit1->setFocus();
    EXPECT_TRUE(list->isVisibleTo(eingabe->Panel7));
    eingabe->DBEdit3->setFocus();
    EXPECT_FALSE(list->isVisibleTo(eingabe->Panel7));
    eingabe->DBEdit1->setFocus();
    list->setFocus();
    EXPECT_TRUE(list->isVisibleTo(eingabe->Panel7));
    eingabe->DBEdit1->setFocus();
    EXPECT_TRUE(list->isVisibleTo(eingabe->Panel7));
    type(eingabe->DBEdit1, "x");
    EXPECT_FALSE(list->isVisibleTo(eingabe->Panel7));
    daten().Cancel();

    // A place that names no route takes nothing over: the route list stays where it was.
    orvServer->strecke.Last();
    eingabe->DBLookupListBox1DblClick(list);
    EXPECT_EQ(orvServer->strecke.FieldByName("Name")->AsString(), "Seeweg");
    EXPECT_EQ(daten().FieldByName("Ort")->AsString(), "Wald");
    EXPECT_EQ(daten().State(), dsBrowse);
    // A known name finds its route.
    daten().Edit();
    daten().FieldByName("Ort")->SetAsString("Allee");
    eingabe->DBLookupListBox1DblClick(list);
    EXPECT_EQ(orvServer->strecke.FieldByName("Name")->AsString(), "Allee");
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join("\n").toStdString();
}

TEST_F(EntryWindowTest, UnitsSavedIntoAnEmptyDatabaseCanBeBrowsed)
{
    start();
    enterRun();
    eingabe->DataSetPost1->Execute();
    enterRun();
    choose(eingabe->DBLookupComboBox1, "Radfahren");
    eingabe->DataSetPost1->Execute();
    ASSERT_EQ(daten().RecordCount(), 2);
    ASSERT_EQ(eingabe->DBLookupComboBox1->currentText(), "Radfahren");

    // The moves follow the saved units, not the empty list the database was opened with.
    UpdateAllActions();
    for (TAction* move : {eingabe->DataSetFirst1, eingabe->DataSetPrior1, eingabe->DataSetNext1, eingabe->DataSetLast1})
        EXPECT_TRUE(move->Enabled()) << move->Name().toStdString();
    eingabe->DataSetNext1->Execute();
    EXPECT_EQ(eingabe->DBLookupComboBox1->currentText(), "Laufen");
    eingabe->DataSetPrior1->Execute();
    EXPECT_EQ(eingabe->DBLookupComboBox1->currentText(), "Radfahren");
}

TEST_F(EntryWindowTest, ClosingTheDatabaseAsksToSaveAUnitBeingEntered)
{
    struct Case {
        TModalResult answer;
        int units;
        bool staysOpen;
    };
    for (const Case& c : {Case{mrNo, 0, false}, Case{mrCancel, 0, true}, Case{mrYes, 1, false}}) {
        start();
        enterRun();
        ScriptedAnswers::clear();
        ScriptedAnswers::pushMessageAnswer(c.answer);
        MainForm->FileClose1->Execute();
        ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
        EXPECT_EQ(ScriptedAnswers::messages()[0].Text, LoadStr(msg::AskSaveUnit));
        EXPECT_EQ(ScriptedAnswers::messages()[0].Buttons, mbYesNoCancel);
        EXPECT_EQ(MainForm->databaseOpen(), c.staysOpen) << c.answer;
        EXPECT_EQ(c.staysOpen && daten().State() == dsInsert, c.staysOpen) << c.answer;
        EXPECT_EQ(db.value("select count(*) from daten").toInt(), c.units) << c.answer;
        FinishProgram();
    }
}

TEST_F(EntryWindowTest, AUnitThatCannotBeSavedKeepsTheDatabaseOpen)
{
    start();
    enterRun();
    // Without its load level the unit is refused when saved.
    daten().FieldByName("Belastungsart")->Clear();
    const QString fileName = db.path();
    auto refusedSave = [&](const char* how, const std::function<void()>& close) {
        SCOPED_TRACE(how);
        ScriptedAnswers::clear();
        ScriptedAnswers::pushMessageAnswer(mrYes);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        close();
        ASSERT_EQ(ScriptedAnswers::messages().size(), 2) << messageTexts().join("\n").toStdString();
        EXPECT_EQ(ScriptedAnswers::messages()[0].Text, LoadStr(msg::AskSaveUnit));
        EXPECT_EQ(ScriptedAnswers::messages()[1].Type, mtError);
        EXPECT_TRUE(MainForm->databaseOpen());
        EXPECT_TRUE(eingabe->isVisible());
        EXPECT_TRUE(orvServer->daten.Active());
        EXPECT_EQ(daten().State(), dsInsert);
        EXPECT_EQ(daten().FieldByName("Ort")->AsString(), "Stadtpark");
        EXPECT_EQ(db.value("select count(*) from daten").toInt(), 0);
    };
    refusedSave("File > Close", [] { MainForm->FileClose1->Execute(); });
    refusedSave("closing the main window", [] { EXPECT_FALSE(MainForm->close()); });
    refusedSave("opening another database", [&] {
        ScriptedAnswers::pushFileName(fileName);
        MainForm->FileOpen1->Execute();
    });
    EXPECT_TRUE(ScriptedAnswers::unusedAnswers().isEmpty()) << ScriptedAnswers::unusedAnswers().join("\n").toStdString();
}

TEST_F(EntryWindowTest, ToolBarActionsOfOtherWindows)
{
    start();
    UpdateAllActions();
    // The unit list prints while a database is open; the unit's print needs a unit, also a new
    // one not saved yet.
    EXPECT_TRUE(eingabe->Action3->Enabled());
    EXPECT_FALSE(eingabe->Action4->Enabled());
    orvServer->daten.Insert();
    eingabe->Action4->Update();
    EXPECT_TRUE(eingabe->Action4->Enabled());
    orvServer->daten.Cancel();
    // The templates and the period statistics follow the main window's actions.
    EXPECT_EQ(eingabe->Action1->Enabled(), MainForm->Action22->Enabled());
    EXPECT_EQ(eingabe->Action2->Enabled(), MainForm->StatZeitraum1->Enabled());
    touchProgramFile("orv5help/Einheiteneingabe.htm");
    eingabe->Action5->Execute();
    EXPECT_EQ(helpPages, QStringList({ProgramFile("orv5help/Einheiteneingabe.htm")}));
}
