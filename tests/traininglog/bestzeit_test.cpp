// The best-time manager opened from the main window: the tree by category and distance, the
// applause and selection after a best time is saved, and the list and form views.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

#include "core/main.h"
#include "core/mainactions.h"
#include "core/orvdbserver.h"
#include "core/sound.h"
#include "platform/vcl/actnlist.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/keyboardwalk.h"
#include "traininglog/bestzeit.h"
#include "traininglog/categorytree.h"

namespace {

class RecordingPlayer : public TSoundPlayer {
public:
    explicit RecordingPlayer(QStringList& played) : played_(played) {}
    void play(const QString& fileName) override { played_ << fileName; }

private:
    QStringList& played_;
};

class BestzeitTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        db.exec("INSERT INTO bestzeit (bes_id, bes_sportart, bes_meter, bes_kategorie) VALUES "
                "(1, 1, 10000, 'Bahn'), (2, 1, 5000, 'Bahn'), (3, 99, 800, 'Bob''s Halle'), (4, 1, 21100, 'Straße')");
        StartProgram({db.path()});
        previous_ = SetSoundPlayer(std::make_unique<RecordingPlayer>(played));
    }
    void TearDown() override
    {
        SetSoundPlayer(std::move(previous_));
        ProgramTest::TearDown();
    }
    void openManager(std::function<void(Tbestzeit&)> play)
    {
        ScriptedAnswers::onShowModal<Tbestzeit>(std::move(play));
        MainForm->Action5->Execute();
    }
    static QStringList tree(Tbestzeit& m)
    {
        QStringList texts;
        for (QTreeWidgetItem* n : CategoryTreeNodes(m.TreeView1))
            texts << QString(n->parent() ? "  " : "") + n->text(0);
        return texts;
    }
    static QString selected(Tbestzeit& m)
    {
        return m.TreeView1->currentItem() ? m.TreeView1->currentItem()->text(0) : QString();
    }

    AthleteDatabase db;
    QStringList played;
    std::unique_ptr<TSoundPlayer> previous_;
};

}  // namespace

TEST_F(BestzeitTest, TheTreeListsBestTimesByDistanceAndAPostIsApplaudedAndSelected)
{
    openManager([this](Tbestzeit& m) {
        EXPECT_EQ(m.windowTitle(), QStringLiteral("Bestzeiten"));
        // By distance within a category, not by text; an unknown sport leaves its name empty.
        EXPECT_EQ(tree(m), (QStringList{"Bahn", "  5000 - Laufen", "  10000 - Laufen", "Bob's Halle", "  800 - ",
                                        "Straße", "  21100 - Laufen"}));
        // A category node changes nothing; a best time's node makes it current.
        auto click = [&m](const QString& text) {
            for (QTreeWidgetItem* n : CategoryTreeNodes(m.TreeView1))
                if (n->text(0) == text) {
                    m.TreeView1->setCurrentItem(n);
                    emit m.TreeView1->itemClicked(n, 0);
                }
        };
        click("10000 - Laufen");
        EXPECT_EQ(orvServer->bestzeiten.FieldByName("bes_id")->AsInteger(), 1);
        click("Straße");
        EXPECT_EQ(orvServer->bestzeiten.FieldByName("bes_id")->AsInteger(), 1);

        m.DataSetInsert1->Execute();
        EXPECT_FALSE(m.TreeView1->isEnabled());
        TDataSet& best = orvServer->bestzeiten;
        best.FieldByName("bes_sportart")->SetAsInteger(1);
        best.FieldByName("bes_meter")->SetAsInteger(3000);
        best.FieldByName("bes_kategorie")->SetAsString("Bahn");
        m.DataSetPost1->Execute();
        EXPECT_EQ(played, QStringList{BestTimeSoundFile()});
        EXPECT_TRUE(m.TreeView1->isEnabled());
        EXPECT_EQ(tree(m).mid(0, 4), (QStringList{"Bahn", "  3000 - Laufen", "  5000 - Laufen", "  10000 - Laufen"}));
        EXPECT_EQ(selected(m), QStringLiteral("3000 - Laufen"));
        m.Close();
    });
}

TEST_F(BestzeitTest, FormularShowsTheFormInPlaceOfTheList)
{
    openManager([](Tbestzeit& m) {
        EXPECT_TRUE(m.DBGrid1->isVisible());
        EXPECT_FALSE(m.Panel1->isVisible());
        EXPECT_TRUE(m.Action3->Checked());
        m.Action2->Execute();
        EXPECT_FALSE(m.DBGrid1->isVisible());
        EXPECT_TRUE(m.Panel1->isVisible());
        EXPECT_TRUE(m.Action2->Checked());
        EXPECT_FALSE(m.Action3->Checked());
        // The view button itself goes back to the list.
        m.Action4->Execute();
        EXPECT_TRUE(m.DBGrid1->isVisible());
        EXPECT_FALSE(m.Panel1->isVisible());
        EXPECT_TRUE(m.Action3->Checked());
        EXPECT_FALSE(m.Action2->Checked());
        m.Close();
    });
}

TEST_F(BestzeitTest, ABestTimeIsEnteredWithTheKeyboardAlone)
{
    FormatSettings() = GermanFormatSettings();
    openManager([this](Tbestzeit& m) {
        auto button = [&m](TAction* a) { return m.ActionToolBar1->widgetForAction(a->qaction()); };
        const QList<QWidget*> bar = {button(m.DataSetFirst1),  button(m.DataSetPrior1), button(m.DataSetNext1),
                                     button(m.DataSetLast1),   button(m.DataSetInsert1), button(m.DataSetDelete1),
                                     button(m.DataSetPost1),   button(m.DataSetCancel1), m.ViewButton,
                                     button(m.Action1)};
        // The enabled tool buttons, then the tree and the list or the form beside it.
        auto order = [&bar](const QList<QWidget*>& rest) {
            QList<QWidget*> all;
            for (QWidget* b : bar)
                if (b->isEnabled())
                    all << b;
            return all + rest;
        };
        EXPECT_EQ(KeyboardWalkProblem(&m, order({m.TreeView1, m.DBGrid1})), "");
        // Plain Tab goes round the list's cells, Ctrl+Tab leaves it.
        FocusWindowAt(&m, m.DBGrid1);
        PressKey(Qt::Key_Tab);
        EXPECT_TRUE(m.DBGrid1->hasFocus());
        PressKey(Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_FALSE(m.DBGrid1->hasFocus());
        // "Formular" from the view button's drop-down: Alt+Down opens it on its first item
        // ("Liste"), Down and Return choose the second.
        FocusWindowAt(&m, m.ViewButton);
        PressKey(Qt::Key_Down, Qt::AltModifier);
        QMenu* menu = m.ViewButton->menu();
        ASSERT_TRUE(menu->isVisible());
        EXPECT_EQ(menu->activeAction(), m.Action3->qaction());
        for (int key : {int(Qt::Key_Down), int(Qt::Key_Return)}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(menu, &press);
        }
        EXPECT_FALSE(menu->isVisible());
        ASSERT_TRUE(m.Panel1->isVisible());
        EXPECT_TRUE(m.Action2->Checked());
        EXPECT_EQ(KeyboardWalkProblem(&m, order({m.TreeView1, m.DBEdit1, m.DBEdit2, m.DBComboBox1, m.DBEdit3, m.DBEdit4,
                                                 m.DBEdit5, m.DBLookupComboBox1, m.DBMemo1})),
                  "");

        // A new best time typed field by field (the date field takes a year of two digits) and
        // saved with the tool bar's button.
        FocusWindowAt(&m, button(m.DataSetInsert1));
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        ASSERT_EQ(orvServer->bestzeiten.State(), dsInsert);
        FocusWindowAt(&m, m.DBEdit1);
        for (const char* typed : {"12.05.24", "10000", "", "00:38:20", "Köln", "Straße", "L"}) {
            TypeKeys(QString::fromUtf8(typed));
            PressKey(Qt::Key_Tab);
        }
        TypeKeys("Neuer Rekord");
        m.ActionManager1->UpdateActions();  // as the program does when idle
        FocusWindowAt(&m, button(m.DataSetPost1));
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        EXPECT_EQ(orvServer->bestzeiten.State(), dsBrowse);
        m.Close();
    });
    EXPECT_EQ(db.value("SELECT bes_datum || '|' || bes_meter || '|' || round(bes_zeit * 86400) || '|' || bes_ort || "
                       "'|' || bes_kategorie || '|' || bes_sportart || '|' || bes_kommentar FROM bestzeit WHERE "
                       "bes_id > 4")
                  .toString(),
              QString::number(EncodeDate(2024, 5, 12)) + "|10000|2300.0|Köln|Straße|1|Neuer Rekord");
}

TEST(BestzeitAction, OnlyWithAnOpenDatabase)
{
    const TMainActionInfo* info = FindMainAction(QStringLiteral("Action5"));
    ASSERT_NE(info, nullptr);
    EXPECT_FALSE(MainActionEnabled(*info, TMainState{}));
    EXPECT_TRUE(MainActionEnabled(*info, TMainState{true, true, true, false}));
}
