// The equipment manager opened from the main window: the usage of an item, the category tree
// and the way back to a unit.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QSet>

#include "tests/traininglog/equipmentfixture.h"
#include "traininglog/categorytree.h"
#include "traininglog/eqmanager.h"
#include "traininglog/equipmentlinks.h"
#include "traininglog/tooleqframe.h"

namespace {

class EqManagerTest : public EquipmentTest {
protected:
    // Opens the manager through the main window's action; `play` is the user.
    void openManager(std::function<void(TeqManager&)> play)
    {
        ScriptedAnswers::onShowModal<TeqManager>(std::move(play));
        MainForm->Action8->Execute();
    }
    struct Usage {
        QString line, expected, used, remaining;
        int barMaximum, barValue;
        bool operator==(const Usage&) const = default;
    };
    static Usage usage(TeqManager& m)
    {
        return {m.Label8->text(),      m.Label4->text(),          m.Label5->text(),
                m.Label6->text(),      m.ProgressBar2->maximum(), m.ProgressBar2->value()};
    }
    static QStringList tree(TeqManager& m)
    {
        QStringList texts;
        for (QTreeWidgetItem* n : CategoryTreeNodes(m.TreeView1))
            texts << QString(n->parent() ? "  " : "") + n->text(0);
        return texts;
    }
    static QTreeWidgetItem* node(TeqManager& m, const QString& text)
    {
        for (QTreeWidgetItem* n : CategoryTreeNodes(m.TreeView1))
            if (n->text(0) == text)
                return n;
        ADD_FAILURE() << "no node " << text.toStdString();
        return nullptr;
    }
    static void click(TeqManager& m, const QString& text)
    {
        m.TreeView1->setCurrentItem(node(m, text));
        emit m.TreeView1->itemClicked(m.TreeView1->currentItem(), 0);
    }
    static QString current() { return equipment().FieldByName("Bezeichnung")->AsString(); }
};

}  // namespace

TEST_F(EqManagerTest, ShowsTheUsageOfEachItem)
{
    addUnit(1, 0, 4200);
    addUnit(2, 1, 5900);
    addUnit(3, 2, 10000);
    addUnit(4, 3, 900000);
    addItem(1, "A Laufschuh", "Schuhe", true, 300);
    addItem(2, "B Ersatzschuh", "Schuhe", true, 500);
    addItem(3, "C Wanderschuh", "Schuhe", true, 800);
    addItem(4, "D Geschenk", "Schuhe", true, 0);
    for (int unit : {1, 2, 3})
        link(1, unit);
    link(3, 4);
    link(4, 1);
    start();
    openManager([&](TeqManager& m) {
        struct Case {
            const char* item;
            Usage expected;
        };
        const Case cases[] = {
            // 20.1 km cut to whole kilometres.
            {"A Laufschuh", {"Genutzt bei 3 Einheiten.", "300", "20", "280", 300, 20}},
            {"B Ersatzschuh", {"Genutzt bei 0 Einheiten.", "500", "0", "500", 500, 0}},
            // Overused: negative remainder, full bar.
            {"C Wanderschuh", {"Genutzt bei 1 Einheiten.", "800", "900", "-100", 800, 800}},
            // No expected life: an empty bar, not a busy one.
            {"D Geschenk", {"Genutzt bei 1 Einheiten.", "0", "4", "-4", 1, 0}},
        };
        for (const Case& c : cases) {
            click(m, c.item);
            EXPECT_EQ(current(), c.item);
            EXPECT_EQ(usage(m), c.expected) << c.item;
        }
        EXPECT_EQ(orvServer->eqdetail.RecordCount(), 1);
        EXPECT_EQ(m.ProgressBar1->value(), 0);
        m.grab().save("/tmp/equipment_manager.png");
        m.Close();
    });
}

TEST_F(EqManagerTest, TheNavigationActionsShowTheUsageOfTheItemTheyReach)
{
    addUnit(1, 0, 4200);
    addUnit(2, 1, 7000);
    addItem(1, "Erster", "A", true, 100);
    addItem(2, "Letzter", "B", true, 100);
    link(1, 1);
    link(2, 1);
    link(2, 2);
    start();
    openManager([&](TeqManager& m) {
        EXPECT_EQ(current(), "Erster");
        EXPECT_EQ(m.Label5->text(), "4");
        m.ActionManager1->UpdateActions();
        ASSERT_TRUE(m.DataSetLast1->Enabled());
        m.DataSetLast1->Execute();  // at its end afterwards
        EXPECT_EQ(current(), "Letzter");
        EXPECT_EQ(m.Label8->text(), "Genutzt bei 2 Einheiten.");
        EXPECT_EQ(m.Label5->text(), "11");
        EXPECT_EQ(m.TreeView1->currentItem()->text(0), "Letzter");
        m.DataSetFirst1->Execute();
        EXPECT_EQ(m.Label5->text(), "4");
        m.Close();
    });
}

TEST_F(EqManagerTest, TheTreeIsSortedAndOnlyAnItemNodeChangesTheCurrentItem)
{
    addItem(1, "zebra", "Schuhe");
    addItem(2, "Adler", "Schuhe");
    addItem(3, "Mittel", "räder");
    addItem(4, "Ohne", QString());
    addItem(5, "Bob", "Bob's 100%_");
    start();
    openManager([&](TeqManager& m) {
        EXPECT_EQ(tree(m), (QStringList{"(ohne Kategorie)", "  Ohne", "Bob's 100%_", "  Bob", "räder", "  Mittel",
                                        "Schuhe", "  Adler", "  zebra"}));
        click(m, "Adler");
        EXPECT_EQ(current(), "Adler");
        click(m, "räder");
        EXPECT_EQ(current(), "Adler");
        click(m, "Bob");
        EXPECT_EQ(current(), "Bob");
        EXPECT_EQ(m.TreeView1->currentItem()->text(0), "Bob");

        // Editing locks the tree; saving rebuilds it with the new name selected.
        equipment().Edit();
        equipment().FieldByName("Bezeichnung")->SetAsString("Bobby");
        EXPECT_FALSE(m.TreeView1->isEnabled());
        m.DataSetPost1->Execute();
        EXPECT_TRUE(m.TreeView1->isEnabled());
        EXPECT_EQ(m.TreeView1->currentItem()->text(0), "Bobby");
        m.Close();
    });
}

TEST_F(EqManagerTest, OpeningClearsTheToolsFilterAndADoubleClickOpensTheUnit)
{
    addUnit(1, 0, 4200);
    addUnit(2, 1, 5900);
    addUnit(3, 2, 10000);
    addItem(1, "Laufschuh", "Schuhe");
    addItem(2, "Alt", "Schuhe", false);
    link(1, 1);
    link(1, 2);
    start();
    MainForm->Equipment1Click(nullptr);  // the tool leaves its filter on the table
    ASSERT_TRUE(equipment().Filtered());
    openManager([&](TeqManager& m) {
        EXPECT_FALSE(equipment().Filtered());
        EXPECT_EQ(tree(m), (QStringList{"Schuhe", "  Alt", "  Laufschuh"}));
        click(m, "Laufschuh");
        TQuery& detail = orvServer->eqdetail;
        ASSERT_TRUE(detail.Locate("dat_Id", 1));
        m.DBGrid2->OnDblClick(m.DBGrid2);
    });
    EXPECT_EQ(eqManager, nullptr);
    EXPECT_EQ(daten().FieldByName("dat_Id")->AsInteger(), 1);
}

TEST(EquipmentLinks, TheCategoryFilterQuotesTheTextAndTheBarsStayInRange)
{
    EXPECT_EQ(CurrentEquipmentFilter("Bob's", false), "(equ_aktuell = true)and (equ_kategorie = 'Bob''s')");
    EXPECT_EQ(CurrentEquipmentFilter(QString(), true), "(equ_aktuell = true)and (equ_kategorie IS NULL)");
    struct Case {
        qint64 maximum, position;
        int barMaximum, barPosition;
    };
    for (const Case c : {Case{800, 900, 800, 800}, Case{800, 20, 800, 20}, Case{0, 4, 1, 0}, Case{-5, 3, 1, 0},
                         Case{100, -3, 100, 0}}) {
        const TBarRange r = ClampedBar(c.maximum, c.position);
        EXPECT_EQ(r.Maximum, c.barMaximum) << c.maximum << "/" << c.position;
        EXPECT_EQ(r.Position, c.barPosition) << c.maximum << "/" << c.position;
    }
}

TEST_F(EqManagerTest, TheArrowKeysMoveThroughTheTreeAsClicksDo)
{
    addItem(1, "Adler", "Schuhe");
    addItem(2, "Zebra", "Schuhe");
    start();
    openManager([&](TeqManager& m) {
        m.show();
        QApplication::setActiveWindow(&m);
        m.TreeView1->setFocus();
        ASSERT_TRUE(m.TreeView1->hasFocus());
        EXPECT_EQ(current(), "Adler");
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(m.TreeView1, &down);
        EXPECT_EQ(m.TreeView1->currentItem()->text(0), "Zebra");
        EXPECT_EQ(current(), "Zebra");
        QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
        QApplication::sendEvent(m.TreeView1, &home);  // the category: the item stays
        EXPECT_EQ(current(), "Zebra");

        // Tab reaches the tool bar's buttons, and Space on "new" inserts an item.
        QSet<QWidget*> reached;
        for (int i = 0; i < 30; ++i) {
            QWidget* f = QApplication::focusWidget();
            ASSERT_NE(f, nullptr);
            reached.insert(f);
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(f, &tab);
        }
        m.ActionManager1->UpdateActions();
        for (TAction* a : std::initializer_list<TAction*>{m.DataSetInsert1, m.Action2, m.Action1})
            EXPECT_TRUE(reached.contains(m.ActionToolBar1->widgetForAction(a->qaction()))) << a->objectName().toStdString();
        QWidget* insert = m.ActionToolBar1->widgetForAction(m.DataSetInsert1->qaction());
        insert->setFocus();
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(insert, &space);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(insert, &release);
        EXPECT_EQ(equipment().State(), dsInsert);
        equipment().Cancel();
        m.Close();
    });
}
