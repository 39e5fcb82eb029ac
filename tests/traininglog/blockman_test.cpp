// The block manager and the unit selection on the program started as a user starts it: the
// filter list, deleting one block and all empty ones, the name search, filing existing units in
// a block, and a unit opened from the block's list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QKeyEvent>
#include <QSet>

#include "core/main.h"
#include "core/navigatorframe.h"
#include "core/orvdbserver.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "traininglog/blockman.h"
#include "traininglog/blockmanlogic.h"
#include "traininglog/datenselect.h"
#include "traininglog/einheiteneingabe.h"

namespace {

QString bmpLiteral(const QColor& colour)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(colour);
    img.setPixelColor(0, 0, Qt::white);  // white is the transparent colour
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "BMP");
    return QStringLiteral("X'") + QString::fromLatin1(bytes.toHex()) + QLatin1Char('\'');
}

QString sqlDate(int y, int m, int d)
{
    return QString::number(EncodeDate(y, m, d), 'g', 17);
}

class BlockManagerTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = savedSettings_;
    }

    void block(int id, const QString& name, int day, int form = 1, int sport = 1)
    {
        db.exec(QStringLiteral("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created, trb_form, trb_sportart) "
                               "VALUES (%1, '%2', %3, %4, %5)")
                    .arg(id)
                    .arg(name)
                    .arg(sqlDate(2024, 3, day))
                    .arg(form)
                    .arg(sport));
    }
    // A run on a day of March 2024; block 0 leaves the unit without a block.
    void unit(int id, int day, int blockId, int metres = 5000, int minutes = 25, const QString& place = "Wald")
    {
        db.exec(QStringLiteral("INSERT INTO daten (dat_Id, Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, Hoehendifferenz, Ort, trainingsblock) VALUES (%1, %2, 0.3, 1, %3, %4, "
                               "1, 1, 1, 0, '%5', %6)")
                    .arg(id)
                    .arg(sqlDate(2024, 3, day))
                    .arg(minutes / 1440.0, 0, 'g', 17)
                    .arg(metres)
                    .arg(QString(place).replace("'", "''"))
                    .arg(blockId ? QString::number(blockId) : QStringLiteral("NULL")));
    }
    void start()
    {
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
    }
    // Opens the block manager from the main menu; `play` is the user.
    static void manage(std::function<void(Tblockman&)> play)
    {
        ScriptedAnswers::onShowModal<Tblockman>(std::move(play));
        MainForm->Action17->Execute();
        EXPECT_EQ(blockman, nullptr);
    }
    static TTable& blocks() { return orvServer->trainblockman; }
    static QString currentBlock() { return blocks().FieldByName("trb_Name")->AsString(); }
    static QStringList listedBlocks()
    {
        QStringList names;
        for (blocks().First(); !blocks().Eof(); blocks().Next())
            names << currentBlock();
        return names;
    }
    static void choose(Tblockman& m, const QString& caption)
    {
        const int index = m.combo1->findText(caption);
        ASSERT_GE(index, 0) << caption.toStdString();
        m.combo1->setCurrentIndex(index);
        emit m.combo1->activated(index);
    }
    static QStringList messageTexts()
    {
        QStringList texts;
        for (const RecordedMessage& msg : ScriptedAnswers::messages())
            texts << msg.Text.left(40);
        return texts;
    }
    QString blockIds() const { return db.value("SELECT group_concat(trb_Id) FROM (SELECT trb_Id FROM trainingsblock ORDER BY 1)").toString(); }
    int blockOf(int unitId) const { return db.value(QStringLiteral("SELECT trainingsblock FROM daten WHERE dat_Id = %1").arg(unitId)).toInt(); }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};

}  // namespace

TEST_F(BlockManagerTest, TheSelectionListsSportsAndFormsAndFiltersTheBlocks)
{
    db.exec("UPDATE sportart SET Spo_Image = " + bmpLiteral(Qt::red) + " WHERE Spo_Id = 1");
    block(1, "Keine Form", 1, 0, 1);
    block(2, "Rad", 2, 1, 2);
    block(3, "Wettkampf", 3, 2, 1);
    start();
    manage([](Tblockman& m) {
        // Headings, the nine sports by their order (indented twice), the five forms (once).
        ASSERT_EQ(m.combo1->count(), 17);
        EXPECT_EQ(m.combo1->currentIndex(), -1);
        struct Entry {
            int index;
            const char* caption;
            int key;
            int indent;
            bool picture;
        };
        for (const Entry e : {Entry{0, "Alle", -1, 0, false}, Entry{1, "Sportarten", -1, 0, false},
                              Entry{2, "Laufen", 1, 2, true}, Entry{3, "Radfahren", 2, 2, false},
                              Entry{10, "Sonstige", 0, 2, false}, Entry{11, "Formen", -1, 0, false},
                              Entry{12, "Keine", -1, 1, false}, Entry{14, "Wettkampf", -3, 1, false}}) {
            EXPECT_EQ(m.combo1->itemText(e.index), e.caption);
            EXPECT_EQ(m.combo1->itemData(e.index, Tblockman::KeyRole).toInt(), e.key) << e.caption;
            EXPECT_EQ(m.combo1->itemData(e.index, Tblockman::IndentRole).toInt(), e.indent) << e.caption;
            EXPECT_EQ(!m.combo1->itemIcon(e.index).isNull(), e.picture) << e.caption;
        }
        const QImage icon = m.combo1->itemIcon(2).pixmap(16, 16).toImage();
        EXPECT_EQ(icon.pixelColor(8, 8), QColor(Qt::red));
        EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
        EXPECT_EQ(listedBlocks(), QStringList({"Keine Form", "Rad", "Wettkampf"}));  // not filtered

        struct Pick {
            const char* entry;
            QStringList listed;
        };
        for (const Pick& p : {Pick{"Laufen", {"Keine Form", "Wettkampf"}}, Pick{"Radfahren", {"Rad"}},
                              Pick{"Schwimmen", {}}, Pick{"Training", {"Rad"}}, Pick{"Wettkampf", {"Wettkampf"}},
                              Pick{"Sportarten", {"Keine Form"}}, Pick{"Formen", {"Keine Form"}},
                              Pick{"Alle", {"Keine Form", "Rad", "Wettkampf"}}}) {
            choose(m, p.entry);
            EXPECT_EQ(listedBlocks(), p.listed) << p.entry;
        }
        choose(m, "Radfahren");
        m.Close();
    });
    // The filter stays on the list after the window has closed.
    EXPECT_EQ(listedBlocks(), QStringList({"Rad"}));
}

TEST_F(BlockManagerTest, OnlyAnEmptyBlockIsDeletedAndOnlyAfterAsking)
{
    block(1, "Voll", 1);
    block(2, "Leer", 2);
    block(3, "Neu", 3);
    unit(1, 2, 1);
    start();
    manage([this](Tblockman& m) {
        ASSERT_TRUE(blocks().Locate("trb_Id", 1));
        ScriptedAnswers::pushMessageAnswer(mrOk);
        m.XPButton8->Click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtInformation);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text,
                  "Dieser Block kann nicht gelöscht werden, da ihm noch Einheiten zugeordnet sind.");

        ASSERT_TRUE(blocks().Locate("trb_Id", 2));
        ScriptedAnswers::pushMessageAnswer(mrNo);
        m.XPButton8->Click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Wollen Sie diesen Block wirklich löschen?");
        EXPECT_EQ(blockIds(), "1,2,3");
        ScriptedAnswers::pushMessageAnswer(mrYes);
        m.XPButton8->Click();
        EXPECT_EQ(blockIds(), "1,3");

        // A new block not saved yet is dropped as well.
        m.XPButton7->Click();
        ScriptedAnswers::pushMessageAnswer(mrYes);
        m.XPButton8->Click();
        EXPECT_EQ(blocks().State(), dsBrowse);
        EXPECT_EQ(blockIds(), "1,3");
        m.Close();
    });
    EXPECT_EQ(ScriptedAnswers::messages().size(), 4);
}

TEST_F(BlockManagerTest, DeletingAllEmptyBlocksKeepsUsedOnesBesideUnitsWithoutBlock)
{
    block(1, "Voll", 1);
    block(2, "Leer A", 2);
    block(3, "Mitte", 3);
    block(4, "Leer B", 4);  // the newest, current when the manager opens
    unit(1, 1, 1);
    unit(2, 3, 3);
    unit(3, 5, 0);  // a unit without a block
    start();
    manage([this](Tblockman& m) {
        EXPECT_EQ(currentBlock(), "Leer B");
        ScriptedAnswers::pushMessageAnswer(mrNo);
        m.XPButton9->Click();
        EXPECT_EQ(blockIds(), "1,2,3,4");

        // A name being typed into a block is saved, not dropped by the reload.
        ASSERT_TRUE(blocks().Locate("trb_Id", 3));
        blocks().Edit();
        blocks().FieldByName("trb_Name")->SetAsString("Mitte neu");
        ScriptedAnswers::pushMessageAnswer(mrYes);
        m.XPButton9->Click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Wollen Sie wirklich alle leeren Trainingsblöcke löschen?");
        EXPECT_EQ(blockIds(), "1,3");
        EXPECT_EQ(currentBlock(), "Mitte neu");
        EXPECT_EQ(db.value("SELECT trb_Name FROM trainingsblock WHERE trb_Id = 3").toString(), "Mitte neu");
        m.Close();
    });
}

TEST_F(BlockManagerTest, TheSearchJumpsToTheFirstNameStartingWithTheTextCaseSensitively)
{
    block(1, "fremd", 1);
    block(2, "Frühjahr", 2);
    block(3, "Fr-Test", 3);
    block(4, "Herbst", 4);
    start();
    manage([](Tblockman& m) {
        struct Typed {
            const char* text;
            const char* current;
        };
        for (const Typed t : {Typed{"F", "Frühjahr"}, Typed{"Fr", "Frühjahr"}, Typed{"Fr-", "Fr-Test"},
                              Typed{"Fr-x", "Fr-Test"}, Typed{"zz", "Fr-Test"}, Typed{"f", "fremd"},
                              Typed{"H", "Herbst"}}) {
            m.Edit3->setText(QString::fromUtf8(t.text));
            EXPECT_EQ(currentBlock(), QString::fromUtf8(t.current)) << t.text;
        }
        m.Close();
    });
}

TEST_F(BlockManagerTest, AddingUnitsSavesTheNewBlockFilesTheChosenUnitsAndChecksTheDate)
{
    SetClock([] { return EncodeDate(2024, 3, 15) + EncodeTime(10, 0, 0, 0); });
    block(1, "Alt", 1);
    unit(1, 2, 1, 5000, 25);
    unit(2, 3, 1, 3000, 15);
    unit(3, 4, 1, 2000, 10);
    unit(4, 20, 1, 1000, 5);  // after the new block's date
    start();
    manage([this](Tblockman& m) {
        EXPECT_EQ(m.Edit1->text(), "11000");  // the shown block's totals
        EXPECT_EQ(m.Edit2->text(), "00:55:00");
        m.XPButton7->Click();
        blocks().FieldByName("trb_Name")->SetAsString("Neu");
        blocks().FieldByName("trb_form")->SetAsInteger(1);
        blocks().FieldByName("trb_sportart")->SetAsInteger(1);
        // No: nothing else happens (an unscripted selection window would fail the test).
        ScriptedAnswers::pushMessageAnswer(mrNo);
        m.SpeedButton1->Click();
        EXPECT_EQ(messageTexts(), QStringList{"Vor dem Hinzufügen von Einheiten muß der"});
        EXPECT_EQ(blocks().State(), dsInsert);

        // Yes: saved, then offered the selection; two units chosen join the block.
        ScriptedAnswers::pushMessageAnswer(mrYes);
        ScriptedAnswers::onShowModal<TDatenSelect>([](TDatenSelect& s) {
            for (int id : {2, 3}) {
                ASSERT_TRUE(s.ADOTable1.Locate("dat_Id", id));
                s.XPButton1->Click();
            }
            s.XPButton8->Click();
        });
        m.SpeedButton1->Click();
        const int newBlock = db.value("SELECT trb_Id FROM trainingsblock WHERE trb_Name = 'Neu'").toInt();
        ASSERT_EQ(newBlock, 2);
        EXPECT_EQ(blockOf(2), 2);
        EXPECT_EQ(blockOf(3), 2);
        EXPECT_EQ(blockOf(1), 1);
        EXPECT_EQ(orvServer->trainblockman_detail.RecordCount(), 2);
        EXPECT_EQ(m.Edit1->text(), "5000");
        EXPECT_EQ(m.Edit2->text(), "00:25:00");
        EXPECT_EQ(messageTexts().size(), 2);  // no date warning

        // A unit dated after the block: kept, and reported (by the unit's save and here).
        ScriptedAnswers::clear();
        ScriptedAnswers::pushMessageAnswer(mrOk);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        ScriptedAnswers::onShowModal<TDatenSelect>([](TDatenSelect& s) {
            ASSERT_TRUE(s.ADOTable1.Locate("dat_Id", 4));
            s.XPButton1->Click();
            s.XPButton8->Click();
        });
        m.SpeedButton1->Click();
        EXPECT_EQ(blockOf(4), 2);
        ASSERT_EQ(ScriptedAnswers::messages().size(), 2);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtWarning);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text,
                  "Das Datum einer Trainingseinheit ist neuer als das Datum des Trainingsblocks. Bitte korrigieren Sie "
                  "Ihre Eingaben gegebenenfalls.");

        // Cancel still checks the date.
        ScriptedAnswers::clear();
        ScriptedAnswers::pushMessageAnswer(mrOk);
        ScriptedAnswers::onShowModal<TDatenSelect>([](TDatenSelect& s) { s.XPButton9->Click(); });
        m.SpeedButton1->Click();
        EXPECT_EQ(ScriptedAnswers::messages().size(), 1);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtWarning);
        m.Close();
    });
}

TEST_F(BlockManagerTest, UnitsThatCannotBeFoundAreSkippedAndTheCurrentUnitStays)
{
    block(1, "Alt", 1);
    block(2, "Ziel", 30);
    unit(1, 2, 1);
    unit(2, 3, 1);
    start();
    TTable& daten = orvServer->daten;
    daten.SetFilter("dat_Id = 2");
    daten.SetFiltered(true);
    EXPECT_EQ(AddUnitsToBlock(daten, {"1", "x", "2"}, 2), 1);
    daten.SetFiltered(false);
    EXPECT_EQ(blockOf(1), 1);
    EXPECT_EQ(blockOf(2), 2);
}

TEST_F(BlockManagerTest, TheSelectionKeepsOneIdPerLineAndSearchesLikeTheComparisonSelection)
{
    block(1, "Alt", 1);
    unit(1, 2, 1, 5000, 25, "Wald");
    unit(2, 3, 1, 3000, 15, "O'Brien Park");
    unit(3, 4, 1, 2000, 10, "Ufer");
    db.exec("INSERT INTO daten (dat_Id, Datum, Form, Zeit, Meter, Sportart, Belastungsart, Belastungsstufe, "
            "Hoehendifferenz, Ort, trainingsblock) VALUES (4, " + sqlDate(2024, 3, 1) + ", 77, 0.01, 100, 1, 1, 1, 0, 'Halle', 1)");
    start();
    ModalForm<TDatenSelect> sel(DatenSelect, MainForm);
    sel->FormShow(nullptr);
    EXPECT_EQ(sel->ADOTable1.RecordCount(), 4);  // also the unit whose form is missing
    EXPECT_EQ(sel->ADOTable1.FieldByName("dat_Id")->AsInteger(), 3);  // the newest
    auto pick = [&](int id) {
        ASSERT_TRUE(sel->ADOTable1.Locate("dat_Id", id));
        sel->XPButton1->Click();
    };
    pick(1);
    pick(2);
    pick(1);  // twice: two lines, two ids
    sel->DBGrid1->OnDblClick(sel->DBGrid1);  // a double click adds as well: unit 1 is still current
    pick(4);
    EXPECT_EQ(sel->selectedIds, QStringList({"1", "2", "1", "1", "4"}));
    ASSERT_EQ(sel->ListBox1->count(), 5);
    EXPECT_EQ(sel->ListBox1->item(0)->text(), "Training - Laufen am 02.03.2024");
    EXPECT_EQ(sel->ListBox1->item(4)->text(), " - Laufen am 01.03.2024");

    sel->XPButton4->Click();  // nothing selected: nothing removed
    EXPECT_EQ(sel->selectedIds.size(), 5);
    sel->ListBox1->setCurrentRow(1);
    sel->XPButton4->Click();
    EXPECT_EQ(sel->selectedIds, QStringList({"1", "1", "1", "4"}));
    EXPECT_EQ(sel->ListBox1->item(1)->text(), "Training - Laufen am 02.03.2024");

    // Without a current unit "Hinzufügen" adds nothing.
    sel->ADOTable1.SetFilter("dat_Id = 99");
    sel->ADOTable1.SetFiltered(true);
    sel->XPButton1->Click();
    EXPECT_EQ(sel->selectedIds.size(), 4);
    sel->ADOTable1.SetFiltered(false);

    // The search and taking its result over.
    sel->UiOfficeEdit20001->setText("O'B");
    sel->UiOfficeEdit20001Change(nullptr);
    EXPECT_EQ(sel->ComboBox1->currentText(), "Ort");
    EXPECT_EQ(sel->Label14->text(), "1");
    sel->XPButton2->Click();
    EXPECT_EQ(sel->ADOTable1.FieldByName("dat_Id")->AsInteger(), 2);
    sel->UiOfficeEdit20001->setText("xyz");
    sel->UiOfficeEdit20001Change(nullptr);
    EXPECT_EQ(sel->Label14->text(), "0");
    ScriptedAnswers::pushMessageAnswer(mrOk);
    sel->XPButton2->Click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Kein Datensatz ausgewählt.");
}

TEST_F(BlockManagerTest, TabReachesEveryButtonAndSpacePressesIt)
{
    block(1, "Alt", 1);
    start();
    manage([](Tblockman& m) {
        QApplication::setActiveWindow(&m);
        m.XPButton1->setFocus();
        QSet<QWidget*> reached;
        for (int i = 0; i < 40; ++i) {
            QWidget* f = QApplication::focusWidget();
            ASSERT_NE(f, nullptr);
            reached.insert(f);
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(f, &tab);
        }
        for (TXPButton* b : m.findChildren<TXPButton*>())
            EXPECT_TRUE(reached.contains(b)) << b->objectName().toStdString();
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(m.XPButton7, &space);
        EXPECT_EQ(blocks().State(), dsInsert);
        m.XPButton16->Click();
        m.Close();
    });
}

TEST_F(BlockManagerTest, TheSelectionIsWorkedWithTheKeyboardAlone)
{
    block(1, "Alt", 1);
    unit(1, 2, 1);
    unit(2, 3, 1);
    start();
    ModalForm<TDatenSelect> sel(DatenSelect, MainForm);
    sel->show();
    QApplication::setActiveWindow(sel.get());
    sel->FormShow(nullptr);
    // Tab from the list on reaches every button, the chosen list, the search and its result.
    sel->DBGrid1->setFocus();
    QList<QWidget*> reached;
    for (int i = 0; i < 20; ++i) {
        QWidget* f = QApplication::focusWidget();
        ASSERT_NE(f, nullptr);
        if (!reached.contains(f))
            reached << f;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(f, &tab);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{sel->XPButton5, sel->XPButton11, sel->XPButton6, sel->XPButton7,
                                                      sel->XPButton1, sel->ListBox1, sel->XPButton4, sel->ComboBox1,
                                                      sel->DBGrid3, sel->XPButton2, sel->XPButton8, sel->XPButton9})
        EXPECT_TRUE(reached.contains(w) || reached.contains(w->focusProxy())) << w->objectName().toStdString();
    // Space presses the focused button: the newest unit goes into the list, then OK.
    auto space = [](QWidget* w) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(w, &key);
    };
    space(sel->XPButton1);
    EXPECT_EQ(sel->selectedIds, QStringList({"2"}));
    space(sel->XPButton8);
    EXPECT_EQ(sel->ModalResult(), mrOk);
}

TEST_F(BlockManagerTest, ADoubleClickedUnitBecomesCurrentAndTheManagerCloses)
{
    block(1, "Alt", 1);
    block(2, "Neu", 10);
    unit(1, 2, 1);
    unit(2, 3, 1);
    unit(3, 11, 2);
    start();
    ASSERT_EQ(orvServer->daten.FieldByName("dat_Id")->AsInteger(), 3);
    manage([this](Tblockman& m) {
        EXPECT_EQ(currentBlock(), "Neu");  // opened from the menu: the newest block
        m.XPButton1->Click();
        EXPECT_EQ(currentBlock(), "Alt");
        EXPECT_EQ(m.Edit1->text(), "10000");
        m.XPButton10->Click();
        m.XPButton13->Click();
        m.DBGrid2DblClick(m.DBGrid2);
        EXPECT_EQ(m.ModalResult(), mrCancel);
    });
    EXPECT_EQ(orvServer->daten.FieldByName("dat_Id")->AsInteger(), 2);

    // From the navigator's button the manager opens on the block chosen there.
    ASSERT_TRUE(navigatorFrm);
    navigatorFrm->XPButton9->Click();
    const auto found = navigatorFrm->TreeView1->findItems("Alt", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    navigatorFrm->TreeView1->setCurrentItem(found.first());
    found.first()->setSelected(true);
    ScriptedAnswers::onShowModal<Tblockman>([](Tblockman& m) {
        EXPECT_EQ(currentBlock(), "Alt");
        m.Close();
    });
    navigatorFrm->XPButton6->Click();
}
