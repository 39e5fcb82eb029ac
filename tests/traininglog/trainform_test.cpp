// The training plan manager on the program started as a user starts it: removing plan units
// (from the plan only, or the unit with all its links), inserting existing and new units, the
// plan's totals in a chosen distance unit, and a unit opened from the plan.
#include "tests/traininglog/planfixture.h"

#include <QAction>
#include <QApplication>

#include "tests/support/keyboardwalk.h"

#include "traininglog/datenselect.h"
#include "traininglog/eingabefrm.h"

namespace {

class PlanManagerTest : public PlanTest {
protected:
    // Plan 1 holds units 10 and 11, plan 2 unit 10 as well; unit 10 is alone in block 5; unit 12
    // is the unit the entry window shows.
    void twoPlans()
    {
        block(5, "Allein");
        unit(10, 2024, 3, 4, 5000, 5);
        unit(11, 2024, 3, 5, 10000);
        unit(12, 2024, 3, 6, 8000);
        plan(1, "Frühjahr");
        plan(2, "Sommer");
        link(1, 10);
        link(1, 11);
        link(2, 10);
        start();
        ASSERT_TRUE(orvServer->daten.Locate("dat_Id", 12));
    }
    static void removeWith(TTrainForm& m, int unitId, bool deleteUnit, TModalResult answer = mrOk)
    {
        ASSERT_TRUE(orvServer->plan_daten.Locate("pld_DatenID", unitId));
        ScriptedAnswers::onShowModal<Tplan_delete>([deleteUnit, answer](Tplan_delete& d) {
            EXPECT_TRUE(d.RadioButton1->isChecked());
            (deleteUnit ? d.RadioButton2 : d.RadioButton1)->setChecked(true);
            (answer == mrOk ? d.Button1 : d.Button2)->click();
        });
        m.XPButton14->Click();
    }
    // Answers the insert dialog with the first (existing units) or second choice (a new unit).
    static void chooseInsert(bool existing)
    {
        ScriptedAnswers::onShowModal<Tplan_delete>([existing](Tplan_delete& d) {
            EXPECT_EQ(d.windowTitle(), "Planeinheit einfügen");
            EXPECT_EQ(d.RadioButton1->text(), "Eine vorhandene Einheit einfügen.");
            EXPECT_EQ(d.RadioButton2->text(), "Eine neue Einheit erstellen und einfügen.");
            (existing ? d.RadioButton1 : d.RadioButton2)->setChecked(true);
            d.Button1->click();
        });
    }
};

}  // namespace

TEST_F(PlanManagerTest, RemovingTakesTheUnitOutOfThePlanOrDeletesItWithAllItsLinks)
{
    twoPlans();
    manage(1, [this](TTrainForm& m) {
        EXPECT_EQ(shownPlanUnits(), QStringList({"10", "11"}));
        // Cancel changes nothing.
        removeWith(m, 11, false, mrCancel);
        EXPECT_EQ(links(), "1:10,1:11,2:10");

        // "nur entfernen": the link goes, the unit stays.
        removeWith(m, 11, false);
        EXPECT_EQ(links(), "1:10,2:10");
        EXPECT_EQ(unitIds(), "10,11,12");
        EXPECT_EQ(shownPlanUnits(), QStringList({"10"}));

        // The second choice: every link of the unit and the unit itself; its emptied block is
        // offered for deletion; daten stays on the unit it was on.
        ScriptedAnswers::pushMessageAnswer(mrYes);
        removeWith(m, 10, true);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text.left(40), LoadStr(msg::DeleteEmptyBlock).left(40));
        EXPECT_EQ(links(), "");
        EXPECT_EQ(unitIds(), "11,12");
        EXPECT_EQ(db.value("SELECT count(*) FROM trainingsblock WHERE trb_Id = 5").toInt(), 0);
        EXPECT_EQ(currentUnit(), 12);
        EXPECT_TRUE(shownPlanUnits().isEmpty());
        EXPECT_EQ(m.Edit1->text(), "0");

        // Without a plan unit there is nothing to ask about (an unscripted dialog fails).
        m.XPButton14->Click();
        m.Close();
    });
    EXPECT_EQ(currentUnit(), 12);
}

TEST_F(PlanManagerTest, ExistingUnitsPickedTwiceBecomeTwoPlanUnits)
{
    twoPlans();
    manage(2, [this](TTrainForm& m) {
        chooseInsert(true);
        ScriptedAnswers::onShowModal<TDatenSelect>([](TDatenSelect& s) {
            for (int id : {11, 12, 11}) {
                ASSERT_TRUE(s.ADOTable1.Locate("dat_Id", id));
                s.XPButton1->Click();
            }
            s.XPButton8->Click();
        });
        m.XPButton13->Click();
        EXPECT_EQ(links(), "1:10,1:11,2:10,2:11,2:12,2:11");
        EXPECT_EQ(shownPlanUnits(), QStringList({"10", "11", "11", "12"}));
        EXPECT_EQ(m.gesamtMeter, 5000 + 10000 + 10000 + 8000);

        // OK on an empty selection only reloads.
        chooseInsert(true);
        ScriptedAnswers::onShowModal<TDatenSelect>([](TDatenSelect& s) { s.XPButton8->Click(); });
        m.XPButton13->Click();
        EXPECT_EQ(links(), "1:10,1:11,2:10,2:11,2:12,2:11");
        m.Close();
    });
}

TEST_F(PlanManagerTest, UnitsGoOnlyIntoASavedPlan)
{
    unit(10, 2024, 3, 4, 5000);
    start();
    ScriptedAnswers::onShowModal<TTrainForm>([this](TTrainForm& m) {
        // No plan at all: the insert dialog is answered, then 65344.
        chooseInsert(true);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        m.XPButton13->Click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Es ist kein Trainingsplan ausgewählt oder vorhanden.");

        // A plan being typed in is saved before its first unit is linked to it.
        m.XPButton7->Click();
        orvServer->Plan.FieldByName("pla_Name")->SetAsString("Neu");
        chooseInsert(true);
        ScriptedAnswers::onShowModal<TDatenSelect>([](TDatenSelect& s) {
            ASSERT_TRUE(s.ADOTable1.Locate("dat_Id", 10));
            s.XPButton1->Click();
            s.XPButton8->Click();
        });
        m.XPButton13->Click();
        const int planId = db.value("SELECT pla_ID FROM plan WHERE pla_Name = 'Neu'").toInt();
        ASSERT_GT(planId, 0);
        EXPECT_EQ(links(), QString::number(planId) + ":10");
        EXPECT_EQ(shownPlanUnits(), QStringList({"10"}));

        // Deleting the plan asks first.
        ScriptedAnswers::pushMessageAnswer(mrNo);
        m.XPButton8->Click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Wollen Sie diesen Trainingsplan wirklich löschen?");
        EXPECT_EQ(db.value("SELECT count(*) FROM plan").toInt(), 1);
        ScriptedAnswers::pushMessageAnswer(mrYes);
        m.XPButton8->Click();
        EXPECT_EQ(db.value("SELECT count(*) FROM plan").toInt(), 0);
        m.Close();
    });
    MainForm->Action16->Execute();
}

TEST_F(PlanManagerTest, ANewUnitAndItsLinkAreWrittenTogetherOrNotAtAll)
{
    twoPlans();
    const int blocks = db.value("SELECT count(*) FROM trainingsblock").toInt();
    auto enterUnit = [](TeingabeWin& w) {
        EXPECT_FALSE(w.XPButton15->isVisible());
        EXPECT_FALSE(w.eingabeFrm1->DBNavigator2->isVisible());
        EXPECT_TRUE(w.XPButton1->isVisible());
        EXPECT_EQ(orvServer->daten.State(), dsInsert);
        orvServer->daten.FieldByName("Form")->SetAsInteger(1);
        orvServer->daten.FieldByName("Sportart")->SetAsInteger(1);
        orvServer->daten.FieldByName("Meter")->SetAsInteger(7000);
        orvServer->daten.FieldByName("Zeit")->SetAsDateTime(35 / 1440.0);
        orvServer->daten.FieldByName("Belastungsart")->SetAsInteger(1);
        orvServer->daten.FieldByName("Belastungsstufe")->SetAsInteger(1);
        orvServer->daten.FieldByName("Ort")->SetAsString("Neu");
        w.XPButton8->Click();
    };
    manage(2, [&](TTrainForm& m) {
        chooseInsert(false);
        ScriptedAnswers::onShowModal<TeingabeWin>(enterUnit);
        m.XPButton13->Click();
        const int id = db.value("SELECT dat_Id FROM daten WHERE Ort = 'Neu'").toInt();
        ASSERT_GT(id, 12);
        EXPECT_EQ(links(), "1:10,1:11,2:10,2:" + QString::number(id));
        EXPECT_EQ(shownPlanUnits(), QStringList({"10", QString::number(id)}));

        // Cancel in the unit window leaves nothing behind.
        chooseInsert(false);
        ScriptedAnswers::onShowModal<TeingabeWin>([](TeingabeWin& w) { w.XPButton1->Click(); });
        m.XPButton13->Click();
        EXPECT_EQ(orvServer->daten.State(), dsBrowse);
        EXPECT_EQ(db.value("SELECT count(*) FROM daten").toInt(), 4);

        // The link is refused: 65375, and neither the unit nor its block remains.
        db.exec("CREATE TRIGGER nolink BEFORE INSERT ON plan_daten BEGIN SELECT RAISE(ABORT, 'gesperrt'); END");
        db.exec("UPDATE daten SET Ort = 'Alt' WHERE Ort = 'Neu'");
        chooseInsert(false);
        ScriptedAnswers::onShowModal<TeingabeWin>(enterUnit);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        m.XPButton13->Click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text,
                  "Bei der Eingabe ist ein Fehler aufgetreten. Bitte wiederholen Sie ggf. die Eingabe.");
        EXPECT_EQ(db.value("SELECT count(*) FROM daten WHERE Ort = 'Neu'").toInt(), 0);
        EXPECT_EQ(db.value("SELECT count(*) FROM trainingsblock").toInt(), blocks + 1);  // the first unit's
        EXPECT_EQ(orvServer->daten.State(), dsBrowse);
        EXPECT_FALSE(orvServer->daten.Locate("Ort", "Neu"));
        m.Close();
    });
}

TEST_F(PlanManagerTest, TheTotalReadsInTheChosenDistanceUnitAlsoAfterShowingAgain)
{
    unit(10, 2024, 3, 4, 5000);
    unit(11, 2024, 3, 5, 10000);
    plan(1, "Frühjahr");
    link(1, 10);
    link(1, 11);
    start();
    auto check = [](TTrainForm& m) {
        EXPECT_EQ(m.Edit1->text(), "15");
        EXPECT_EQ(m.Label4->text(), "Kilometer:");
        const QList<QAction*> units = m.PopupMenu6->actions();
        ASSERT_EQ(units.size(), 4);
        EXPECT_EQ(units[0]->text(), "Kilometer");
        EXPECT_TRUE(units[0]->isChecked());
        units[1]->trigger();  // Meter
        EXPECT_EQ(m.Edit1->text(), "15000");
        EXPECT_EQ(m.Label4->text(), "Meter:");
        units[0]->trigger();
        EXPECT_EQ(m.Edit1->text(), "15");
        EXPECT_EQ(m.Edit2->text(), "1:15:00");
        m.Close();
    };
    manage(1, check);
    manage(1, check);
}

TEST_F(PlanManagerTest, OpeningAPlanUnitSavesTheEntryWindowsPendingEditFirst)
{
    twoPlans();
    orvServer->daten.Edit();
    orvServer->daten.FieldByName("Ort")->SetAsString("Getippt");
    manage(1, [this](TTrainForm& m) {
        ASSERT_TRUE(orvServer->plan_daten.Locate("pld_DatenID", 11));
        ScriptedAnswers::onShowModal<TeingabeWin>([](TeingabeWin& w) {
            EXPECT_EQ(currentUnit(), 11);
            w.XPButton8->Click();
        });
        m.DBGrid2->OnDblClick(m.DBGrid2);
        EXPECT_EQ(db.value("SELECT Ort FROM daten WHERE dat_Id = 12").toString(), "Getippt");
        m.Close();
    });
}

// The window as a keyboard user meets it: Tab from the plan list through every field and button in
// the order of the work (the plan, its units, then the overview, print and help) and back with
// Shift+Tab; the plan typed in, saved with Space, and a unit's route text typed into the grid.
TEST_F(PlanManagerTest, TabReachesEveryFieldAndButtonInOrderAndTypedValuesAreStored)
{
    twoPlans();
    manage(1, [this](TTrainForm& m) {
        m.show();
        QApplication::setActiveWindow(&m);
        m.DBGrid1->setFocus(Qt::TabFocusReason);
        const QStringList plan = {"DBGrid1",   "XPButton1", "XPButton2",   "XPButton3",   "XPButton4",
                                  "XPButton7", "XPButton8", "DBEdit1",     "DBEdit2",     "DBCheckBox1",
                                  "DBComboBox1", "DBMemo1"};
        const QStringList units = {"XPButton22", "XPButton9",  "XPButton10", "XPButton11", "XPButton12",
                                   "XPButton13", "XPButton14", "DBGrid2"};
        const QStringList tools = {"XPButton5", "XPButton19", "XPButton6"};
        // Browsing: the save and cancel buttons are off, and Tab passes them by.
        const QStringList browsing = plan + units + tools;
        EXPECT_EQ(TabWalkNames(), browsing);
        QStringList back = browsing;
        std::reverse(back.begin() + 1, back.end());
        EXPECT_EQ(TabWalkNames(false), back);

        // The plan typed in: name, date, realised (Space), period and description.
        ASSERT_TRUE(TabTo("DBEdit1")) << FocusName().toStdString();
        TypeKeys("Herbst");
        PressKey(Qt::Key_Tab);
        TypeKeys("15.09.2024");
        PressKey(Qt::Key_Tab);
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        PressKey(Qt::Key_Tab);
        TypeKeys("W");
        PressKey(Qt::Key_Tab);
        TypeKeys("Grundlage");
        // Editing: the save and cancel buttons follow the description.
        m.DBGrid1->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(TabWalkNames(), plan + QStringList({"XPButton15", "XPButton16"}) + units + tools);
        ASSERT_TRUE(TabTo("XPButton15")) << FocusName().toStdString();
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        EXPECT_EQ(orvServer->Plan.State(), dsBrowse);
        EXPECT_EQ(db.value("SELECT pla_Name || '|' || pla_Realisiert || '|' || pla_Periode || '|' || pla_Beschreibung "
                           "FROM plan WHERE pla_ID = 1")
                      .toString(),
                  "Herbst|1|WP|Grundlage");
        EXPECT_EQ(db.value("SELECT pla_Created FROM plan WHERE pla_ID = 1").toDouble(), EncodeDate(2024, 9, 15));

        // A unit's route text typed into the grid's last column, saved with the unit's save button.
        ASSERT_TRUE(TabTo("DBGrid2")) << FocusName().toStdString();
        PressKey(Qt::Key_End);
        EXPECT_EQ(m.DBGrid2->SelectedField()->FieldName(), "Streckenbeschreibung");
        const int unitId = orvServer->plan_daten.FieldByName("pld_DatenID")->AsInteger();
        TypeKeys("Am Fluss");
        PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
        EXPECT_EQ(TabWalkNames(), QStringList({"DBGrid2", "XPButton21", "XPButton20"}) + tools + plan + units.mid(0, 7));
        ASSERT_TRUE(TabTo("XPButton21")) << FocusName().toStdString();
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        EXPECT_EQ(db.value(QStringLiteral("SELECT Streckenbeschreibung FROM daten WHERE dat_Id = %1").arg(unitId))
                      .toString(),
                  "Am Fluss");
        m.Close();
    });
}
