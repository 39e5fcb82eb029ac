// The equipment of a unit on the program started as a user starts it: the tool view "Equipment"
// beside the unit page and the entry window's equipment dialog with its category tree.
#include <gtest/gtest.h>

#include "core/language.h"
#include "tests/traininglog/equipmentfixture.h"
#include "traininglog/categorytree.h"
#include "traininglog/equipmentdlg.h"
#include "traininglog/tooleqframe.h"

namespace {

// The list's lines as "name" or "[x] name" for a ticked one.
QStringList shown(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        const bool ticked = (item->flags() & Qt::ItemIsUserCheckable) && item->checkState() == Qt::Checked;
        lines << (ticked ? "[x] " : "") + item->text();
    }
    return lines;
}

void tick(QListWidget* list, const QString& name, bool on, int occurrence = 0)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == name && occurrence-- == 0) {
            list->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
            return;
        }
    ADD_FAILURE() << "no line " << name.toStdString();
}

class EquipmentToolTest : public EquipmentTest {
protected:
    void showTool()
    {
        start();
        MainForm->Equipment1Click(nullptr);
        ASSERT_EQ(MainForm->getTool(), "Equipment");
    }
    static QListWidget* list() { return toolEqFrm->CheckListBox1; }
};

}  // namespace

TEST_F(EquipmentToolTest, ListsTheItemsInUseAndSavingKeepsTheLinksOfTheOthers)
{
    addUnit(1, 0, 5000);
    addItem(1, "Laufschuh", "Schuhe");
    addItem(2, "Alter Schuh", "Schuhe", false);
    addItem(3, "Pulsuhr", "Elektronik");
    link(2, 1);
    link(3, 1);
    showTool();
    // In the table's order: by category, then by name.
    EXPECT_EQ(shown(list()), (QStringList{"[x] Pulsuhr", "Laufschuh"}));
    EXPECT_TRUE(list()->isEnabled());
    MainForm->resize(1000, 700);
    MainForm->grab().save("/tmp/equipment_tool.png");

    tick(list(), "Laufschuh", true);
    tick(list(), "Pulsuhr", false);
    toolEqFrm->Button1->click();
    EXPECT_EQ(linksOf(1), (QList<int>{1, 2}));  // the inactive item's link survives
    EXPECT_EQ(shown(list()), (QStringList{"Pulsuhr", "[x] Laufschuh"}));
}

TEST_F(EquipmentToolTest, VerwerfenBringsBackTheStoredTicks)
{
    addUnit(1, 0, 5000);
    addItem(1, "Laufschuh", "Schuhe");
    addItem(2, "Rad", "Räder");
    link(2, 1);
    showTool();
    tick(list(), "Laufschuh", true);
    tick(list(), "Rad", false);
    toolEqFrm->Button2->click();
    EXPECT_EQ(shown(list()), (QStringList{"[x] Rad", "Laufschuh"}));
    EXPECT_EQ(linksOf(1), QList<int>{2});
}

TEST_F(EquipmentToolTest, TwoItemsOfTheSameNameEachLinkThemselves)
{
    addUnit(1, 0, 5000);
    addItem(1, "Laufschuh", "Schuhe");
    addItem(2, "Laufschuh", "Schuhe");
    showTool();
    tick(list(), "Laufschuh", true, 1);
    toolEqFrm->Button1->click();
    EXPECT_EQ(linksOf(1), QList<int>{2});
    // And unticking the second removes its link, not a link of the first.
    link(1, 1);
    orvServer->eqdaten.Requery();
    toolEqFrm->Button2->click();
    EXPECT_EQ(shown(list()), (QStringList{"[x] Laufschuh", "[x] Laufschuh"}));
    tick(list(), "Laufschuh", false, 1);
    toolEqFrm->Button1->click();
    EXPECT_EQ(linksOf(1), QList<int>{1});
}

TEST_F(EquipmentToolTest, AnUnsavedUnitShowsTheHintAndNoUnitShowsNoList)
{
    addUnit(1, 0, 5000);
    addItem(1, "Laufschuh", "Schuhe");
    showTool();
    daten().Edit();  // the unit's state change refreshes the tool
    EXPECT_EQ(shown(list()), (QStringList{LoadStr(msg::EquipmentUnitMustFirst), LoadStr(msg::EquipmentBeSaved)}));
    EXPECT_FALSE(list()->isEnabled());
    toolEqFrm->Button1->click();  // nothing to write for an unsaved unit
    daten().Cancel();
    EXPECT_EQ(shown(list()), QStringList{"Laufschuh"});
    EXPECT_TRUE(list()->isEnabled());

    // Without any unit there is nothing to link to: no lines, so no link with an empty unit.
    daten().Delete();
    toolEqFrm->FormShow(nullptr);
    EXPECT_EQ(shown(list()), QStringList());
    toolEqFrm->Button1->click();
    EXPECT_EQ(db.value("SELECT count(*) FROM EQDATEN").toInt(), 0);
    EXPECT_TRUE(linksOf(0).isEmpty());
}

namespace {

class EquipmentDialogTest : public EquipmentTest {
protected:
    // Opens the dialog from the entry window's "Equipment" button; `play` answers it.
    void openDialog(std::function<void(TEquipment&)> play)
    {
        ScriptedAnswers::onShowModal<TEquipment>(std::move(play));
        eingabe->XPButton4->Click();
    }
    static QTreeWidgetItem* node(TEquipment& d, const QString& text)
    {
        for (QTreeWidgetItem* n : CategoryTreeNodes(d.TreeView1))
            if (n->text(0) == text)
                return n;
        ADD_FAILURE() << "no node " << text.toStdString();
        return nullptr;
    }
    static QStringList nodeTexts(TEquipment& d)
    {
        QStringList texts;
        for (QTreeWidgetItem* n : CategoryTreeNodes(d.TreeView1))
            texts << n->text(0);
        return texts;
    }
};

}  // namespace

TEST_F(EquipmentDialogTest, OpensOnTheCategoryNamedLikeTheUnitsSportElseOnAlle)
{
    addUnit(1, 0, 5000, 3);  // swimming
    addUnit(2, 1, 5000, 1);  // running, current
    addItem(1, "Laufschuh", "Laufen");
    addItem(2, "Rennrad", "Radfahren");
    addItem(3, "Pulsuhr", QString());
    start();
    openDialog([&](TEquipment& d) {
        EXPECT_EQ(d.TreeView1->currentItem()->text(0), "Laufen");
        EXPECT_EQ(nodeTexts(d), (QStringList{"Alle", "(ohne Kategorie)", "Laufen", "Radfahren"}));
        EXPECT_EQ(shown(d.CheckListBox1), QStringList{"Laufschuh"});
        d.TreeView1->setCurrentItem(node(d, "Alle"));
        EXPECT_EQ(shown(d.CheckListBox1), (QStringList{"Pulsuhr", "Laufschuh", "Rennrad"}));
        // Items without a category have a node of their own.
        d.TreeView1->setCurrentItem(node(d, "(ohne Kategorie)"));
        EXPECT_EQ(shown(d.CheckListBox1), QStringList{"Pulsuhr"});
        d.grab().save("/tmp/equipment_dialog.png");
        d.Button2->click();
    });
    EXPECT_FALSE(equipment().Filtered());  // the dialog leaves no filter behind
    daten().First();  // swimming: no category of that name
    openDialog([](TEquipment& d) {
        EXPECT_EQ(d.TreeView1->currentItem()->text(0), "Alle");
        d.Button2->click();
    });
}

TEST_F(EquipmentDialogTest, ACategoryListsOnlyItsCurrentItemsAndOkChangesNoOtherLink)
{
    addUnit(1, 0, 5000);
    addItem(1, "Schuh von Bob", "Bob's");
    addItem(2, "Alter Schuh von Bob", "Bob's", false);
    addItem(3, "Unterstrich", "Bob_s");
    addItem(4, "Prozent", "Bob%");
    link(2, 1);
    link(3, 1);
    link(4, 1);
    start();
    openDialog([&](TEquipment& d) {
        d.TreeView1->setCurrentItem(node(d, "Bob's"));
        EXPECT_EQ(shown(d.CheckListBox1), QStringList{"Schuh von Bob"});
        tick(d.CheckListBox1, "Schuh von Bob", true);
        d.Button1->click();
    });
    EXPECT_EQ(linksOf(1), (QList<int>{1, 2, 3, 4}));
    openDialog([&](TEquipment& d) {
        d.TreeView1->setCurrentItem(node(d, "Bob%"));
        EXPECT_EQ(shown(d.CheckListBox1), QStringList{"[x] Prozent"});
        tick(d.CheckListBox1, "Prozent", false);
        d.Button2->click();  // "Abbrechen" writes nothing
    });
    EXPECT_EQ(linksOf(1), (QList<int>{1, 2, 3, 4}));
}

TEST_F(EquipmentDialogTest, AnUnsavedUnitIsSavedOnRequestBeforeTheDialogOpens)
{
    addUnit(1, 0, 5000);
    addItem(1, "Laufschuh", "Schuhe");
    start();
    daten().Edit();
    daten().FieldByName("Ort")->SetAsString("Park");
    ScriptedAnswers::pushMessageAnswer(mrNo);
    eingabe->XPButton4->Click();  // "No": no dialog, the unit stays unsaved
    EXPECT_EQ(daten().State(), dsEdit);
    EXPECT_EQ(messageTexts().last(), QString::number(mtConfirmation) + ":" + LoadStr(msg::EquipmentSaveUnitFirst));

    ScriptedAnswers::pushMessageAnswer(mrYes);
    openDialog([](TEquipment& d) {
        EXPECT_EQ(shown(d.CheckListBox1), QStringList{"Laufschuh"});
        tick(d.CheckListBox1, "Laufschuh", true);
        d.Button1->click();
    });
    EXPECT_EQ(daten().State(), dsBrowse);
    EXPECT_EQ(db.value("SELECT Ort FROM DATEN WHERE dat_Id = 1").toString(), "Park");
    EXPECT_EQ(linksOf(1), QList<int>{1});
}
