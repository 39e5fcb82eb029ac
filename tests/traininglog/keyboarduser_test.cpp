// The training log as a user meets it who works with the keyboard alone: a new unit starts in
// its first field, a click into an empty time starts typing at its first position, a start time
// typed into a picker reached with Tab is stored, the split dialog starts in the distance and
// skips the split-time aid, the best-time list is filled cell by cell, and a block is renamed in
// the navigator's tree with F2. Then a whole day's entry with nothing but keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QDir>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeWidget>

#include "core/main.h"
#include "core/navigatorframe.h"
#include "core/orvdbserver.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/dbgrids.h"
#include "tests/support/keyboardwalk.h"
#include "tests/traininglog/entrywindowfixture.h"
#include "traininglog/bestzeit.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/zweditdlg.h"

namespace {

class KeyboardUserTest : public EntryWindowFixture {
protected:
    void SetUp() override
    {
        EntryWindowFixture::SetUp();
        // One run in a block, the current unit when the program starts.
        db.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_form, trb_sportart, trb_created) "
                "VALUES (1, 'Frühjahr', 1, 1, 45360)");
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Ort, Startzeit, Zeit, Meter, Sportart, Form, Belastungsart, "
                "Belastungsstufe, Hoehendifferenz, Puls, trainingsblock) VALUES "
                "(7, 45365, 'Stadtpark', 0.75, 0.03, 10000, 1, 1, 1, 1, 0, 140, 1)");
    }

    void start()
    {
        ASSERT_NO_FATAL_FAILURE(startProgram());
        FormatSettings().LongTimeFormat = QStringLiteral("hh:mm:ss");
    }

    static void tab() { PressKey(Qt::Key_Tab); }
    static void type(const QString& text) { TypeKeys(text); }

    // A left click at a point of a widget, as the mouse gives it (the focus first).
    static void clickAt(QWidget* w, QPoint pos)
    {
        w->setFocus(Qt::MouseFocusReason);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
    }

    void typeStartTimeAndSave(bool leaveFirst);

    TDataSet& daten() const { return orvServer->daten; }
    int newestUnit() const { return db.value("SELECT max(dat_Id) FROM daten").toInt(); }

    // The window as the user sees it at this step, for a person to look at.
    static void shot(QWidget* w, const QString& name)
    {
        QDir().mkpath(QStringLiteral("/tmp/keyboard-user"));
        w->grab().save(QStringLiteral("/tmp/keyboard-user/%1.png").arg(name));
    }
};

}  // namespace

TEST_F(KeyboardUserTest, ANewUnitStartsInTheSportAndWhatIsTypedLandsThere)
{
    start();
    // The focus was somewhere else in the window (the navigator's list) when "+" was pressed.
    navigatorFrm->setFocus();
    eingabe->DataSetInsert1->Execute();
    EXPECT_EQ(FocusName(), "DBLookupComboBox1");
    type("R");  // "Radfahren"
    EXPECT_EQ(daten().FieldByName("Sportart")->AsInteger(), 2);
    tab();
    EXPECT_EQ(FocusName(), "DBLookupComboBox2");
}

TEST_F(KeyboardUserTest, AClickIntoTheEmptyDurationTypesFromItsFirstPosition)
{
    start();
    eingabe->DataSetInsert1->Execute();
    QLineEdit* zeit = eingabe->DBEdit6;
    zeit->setFocus(Qt::TabFocusReason);
    // Emptied, as a new unit's duration the user clears.
    zeit->selectAll();
    PressKey(Qt::Key_Backspace);
    ASSERT_EQ(zeit->text().remove(':').trimmed(), "");
    // Away and back with a click in the middle of the field.
    eingabe->DBEdit1->setFocus(Qt::TabFocusReason);
    clickAt(zeit, QPoint(zeit->width() / 2, zeit->height() / 2));
    EXPECT_EQ(zeit->cursorPosition(), 0);
    type("00:52:30");
    EXPECT_EQ(zeit->text(), "00:52:30");
}

// A new unit's required fields and "18:30" in the start time reached with Tab, saved after
// leaving the picker or while it still has the focus: what the picker shows is stored.
void KeyboardUserTest::typeStartTimeAndSave(bool leaveFirst)
{
    start();
    eingabe->DataSetInsert1->Execute();
    ASSERT_TRUE(daten().FieldByName("Startzeit")->IsNull());
    eingabe->DBLookupComboBox1->setFocus(Qt::TabFocusReason);
    type("L");
    tab();
    type("T");
    ASSERT_TRUE(TabTo("DBEdit6"));
    type("00:40:00");
    // The load level and type must have a value.
    ASSERT_TRUE(TabTo("DBLookupComboBox3"));
    type("G");
    tab();
    ASSERT_EQ(FocusName(), "DBLookupComboBox4");
    type("I");
    tab();
    ASSERT_EQ(FocusName(), "DBDateTimePicker2");
    type("18:30");
    EXPECT_EQ(eingabe->DBDateTimePicker2->text(), "18:30:00");
    if (leaveFirst) {
        tab();
        EXPECT_EQ(FocusName(), "DBComboBox1");
    }
    eingabe->DataSetPost1->Execute();
    ASSERT_EQ(daten().State(), dsBrowse);
    EXPECT_EQ(eingabe->DBDateTimePicker2->text(), "18:30:00");
    EXPECT_NEAR(db.value(QStringLiteral("SELECT Startzeit FROM daten WHERE dat_Id = %1").arg(newestUnit())).toDouble(),
                EncodeTime(18, 30, 0, 0), 1e-9);
}

TEST_F(KeyboardUserTest, AStartTimeTypedIntoThePickerReachedWithTabIsStored)
{
    typeStartTimeAndSave(true);
}

TEST_F(KeyboardUserTest, AStartTimeTypedIntoThePickerIsStoredWhenSavedFromThePicker)
{
    typeStartTimeAndSave(false);
}

TEST_F(KeyboardUserTest, TheSplitDialogStartsInTheDistanceAndTabSkipsTheSplitTime)
{
    start();
    eingabe->PageControl2->setCurrentWidget(eingabe->TabSheet5);
    eingabe->PageControl2Change(eingabe->PageControl2);
    QStringList walk;
    QString first;
    ScriptedAnswers::onShowModal<TzwEditDlg>([&](TzwEditDlg& d) {
        d.activateWindow();
        QApplication::setActiveWindow(&d);
        first = FocusName();
        walk = TabWalkNames();
        PressKey(Qt::Key_Escape);
    });
    eingabe->btn_insertClick(eingabe->btn_insert);
    EXPECT_EQ(first, "DBEdit2");
    EXPECT_EQ(walk, (QStringList{"DBEdit2", "DBEdit3", "DBEdit4", "DBEdit1", "DBEdit7", "DBEdit5", "DBEdit6",
                                 "DBComboBox1", "DBEdit8", "DBEdit9", "DBEdit10", "DBCheckBox1", "btn_post",
                                 "btn_cancel"}));
    EXPECT_EQ(orvServer->zeit.State(), dsBrowse);
    EXPECT_EQ(db.value("SELECT count(*) FROM zeit").toInt(), 0);
}

TEST_F(KeyboardUserTest, TheBestTimeListIsFilledCellByCellAndPostedWhenTheRowIsLeft)
{
    start();
    QStringList problems;
    ScriptedAnswers::onShowModal<Tbestzeit>([&](Tbestzeit& f) {
        f.activateWindow();
        QApplication::setActiveWindow(&f);
        TDBGrid* grid = f.DBGrid1;
        f.DataSetInsert1->Execute();
        grid->setFocus(Qt::TabFocusReason);
        // The sport cell, then the date: Tab moves to the next cell of the new row.
        tab();
        if (FocusName() != "DBGrid1" || grid->SelectedField() == nullptr ||
            grid->SelectedField()->FieldName() != "bes_datum")
            problems << "Tab does not reach the date cell: " + FocusName();
        type("14.03.24");  // the date cell takes eight characters
        tab();
        if (orvServer->bestzeiten.State() != dsInsert)
            problems << "Tab posted the half-filled row";
        if (!ScriptedAnswers::messages().isEmpty())
            problems << ScriptedAnswers::lastMessage().Text;
        // The distance takes digits only.
        type("10km");
        shot(&f, "best-time-mid-entry");
        tab();
        if (orvServer->bestzeiten.FieldByName("bes_meter")->AsInteger() != 10)
            problems << "the distance holds " + orvServer->bestzeiten.FieldByName("bes_meter")->AsString();
        type("00:38:12");
        tab();
        type("Essen");
        tab();
        type("PB");
        tab();
        type("Straße");
        // Leaving the row with the arrow up posts it; the category is still missing from it
        // only if the cell's text was lost.
        PressKey(Qt::Key_Up);
        if (orvServer->bestzeiten.State() != dsBrowse)
            problems << "leaving the row did not post it";
        PressKey(Qt::Key_Escape);
    });
    MainForm->Action5->Execute();
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    EXPECT_EQ(db.value("SELECT count(*) FROM bestzeit").toInt(), 1);
    EXPECT_EQ(db.value("SELECT bes_meter FROM bestzeit").toInt(), 10);
    EXPECT_DOUBLE_EQ(db.value("SELECT bes_datum FROM bestzeit").toDouble(), EncodeDate(2024, 3, 14));
    EXPECT_NEAR(db.value("SELECT bes_zeit FROM bestzeit").toDouble(), EncodeTime(0, 38, 12, 0), 1e-9);
    EXPECT_EQ(db.value("SELECT bes_ort || '/' || bes_typ || '/' || bes_kategorie FROM bestzeit").toString(),
              "Essen/PB/Straße");
}

TEST_F(KeyboardUserTest, F2InTheBlockTreeRenamesTheBlockAndOpensNoLexicon)
{
    start();
    navigatorFrm->XPButton9->Click();  // the block view
    QTreeWidget* tree = navigatorFrm->TreeView1;
    const QList<QTreeWidgetItem*> found = tree->findItems("Frühjahr", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    tree->setFocus(Qt::TabFocusReason);
    tree->setCurrentItem(found[0]);
    EXPECT_FALSE(PressKeyOrShortcut(Qt::Key_F2)) << "F2 went to the lexicon's short-cut";
    EXPECT_TRUE(started.isEmpty()) << "the lexicon was started";
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && tree->isAncestorOf(editor)) << FocusName().toStdString();
    shot(MainForm, "block-tree-rename");
    PressKey(Qt::Key_A, Qt::ControlModifier);
    type("Frühjahr 2024");
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();  // the tree takes the edited text when the loop runs
    EXPECT_EQ(db.value("SELECT trb_Name FROM trainingsblock WHERE trb_Id = 1").toString(), "Frühjahr 2024");

    // A unit's node and the archive node keep their names.
    QTreeWidgetItem* unit = tree->findItems("Laufen", Qt::MatchStartsWith | Qt::MatchRecursive).value(0);
    ASSERT_TRUE(unit);
    tree->setCurrentItem(unit);
    PressKeyOrShortcut(Qt::Key_F2);
    EXPECT_EQ(QApplication::focusWidget(), tree);
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(KeyboardUserTest, AWholeDaysEntryWithTheKeyboardAlone)
{
    start();
    QApplication::setActiveWindow(MainForm);
    UpdateAllActions();  // as the program does when idle: the tool bar's buttons are enabled
    eingabe->DBLookupComboBox1->setFocus(Qt::TabFocusReason);

    // "Neue Einheit" from the tool bar, then every field of the unit page by Tab.
    if (!TabTo("DataSetInsert1", false)) {
        eingabe->DBLookupComboBox1->setFocus(Qt::TabFocusReason);
        ADD_FAILURE() << TabWalkNames(false).join(" < ").toStdString();
        return;
    }
    PressKey(Qt::Key_Space, Qt::NoModifier, " ");
    ASSERT_EQ(daten().State(), dsInsert);
    ASSERT_EQ(FocusName(), "DBLookupComboBox1");
    shot(MainForm, "new-unit-focus-in-sport");
    struct Field {
        const char* control;
        const char* typed;
    };
    const Field fields[] = {
        {"DBLookupComboBox1", "L"},      // Laufen
        {"DBLookupComboBox2", "W"},      // Wettkampf
        {"DBDateTimePicker1", "14.03.2024"},
        {"DBEdit1", "Stadtwald"},
        {"DBEdit2", "12,5"},             // kilometres
        {"DBEdit3", "80"},
        {"DBEdit4", "Zwei Runden"},
        {"DBEdit6", "01:02:30"},
        {"DBLookupComboBox3", "G"},      // GA1
        {"DBLookupComboBox4", "I"},      // Intervalle
        {"DBDateTimePicker2", "07:15"},
        {"DBComboBox1", "w"},            // wolkig
        {"DBComboBox2", "s"},            // schwach
        {"DBEdit9", "12"},
        {"DBComboBox3", "2"},            // 2 - gut
        {"DBEdit11", ""},                // GLI: computed by its button
        {"DBEdit12", "3"},
        {"DBEdit13", "5"},
        {"DBEdit10", "145"},
        {"DBEdit14", "71"},
        {"DBEdit15", "Test"},
        {"DBEdit16", "4"},
        {"DBMemo1", "Gut gelaufen"},
    };
    for (const Field& f : fields) {
        ASSERT_EQ(FocusName(), f.control);
        type(QString::fromUtf8(f.typed));
        tab();
    }
    UpdateAllActions();
    ASSERT_TRUE(TabTo("DataSetPost1"));
    PressKey(Qt::Key_Space, Qt::NoModifier, " ");
    ASSERT_EQ(daten().State(), dsBrowse) << ScriptedAnswers::lastMessage().Text.toStdString();
    const int unit = newestUnit();
    ASSERT_NE(unit, 7);
    EXPECT_EQ(db.value(QStringLiteral("SELECT Sportart || '/' || Form || '/' || Belastungsstufe || '/' || Belastungsart "
                                      "|| '/' || Ort || '/' || Meter || '/' || Hoehendifferenz || '/' || "
                                      "Streckenbeschreibung || '/' || Wetter || '/' || Wind || '/' || Temperatur || '/' "
                                      "|| Gefuehl || '/' || akplatz || '/' || platz || '/' || Puls || '/' || Gewicht "
                                      "|| '/' || User1 || '/' || User2 || '/' || Bemerkungen FROM daten WHERE dat_Id = %1")
                           .arg(unit))
                  .toString(),
              "1/2/2/3/Stadtwald/12500/80/Zwei Runden/wolkig/schwach/12/2 - gut/3/5/145/71.0/Test/4.0/Gut gelaufen");
    EXPECT_DOUBLE_EQ(db.value(QStringLiteral("SELECT Datum FROM daten WHERE dat_Id = %1").arg(unit)).toDouble(),
                     EncodeDate(2024, 3, 14));
    EXPECT_NEAR(db.value(QStringLiteral("SELECT Zeit FROM daten WHERE dat_Id = %1").arg(unit)).toDouble(),
                EncodeTime(1, 2, 30, 0), 1e-9);
    EXPECT_NEAR(db.value(QStringLiteral("SELECT Startzeit FROM daten WHERE dat_Id = %1").arg(unit)).toDouble(),
                EncodeTime(7, 15, 0, 0), 1e-9);

    // A split through the split edit dialog, on the split page.
    ASSERT_TRUE(TabTo("PageControl2"));
    PressKey(Qt::Key_Right);
    ASSERT_EQ(eingabe->PageControl2->currentWidget(), eingabe->TabSheet5);
    ASSERT_TRUE(TabTo("btn_insert"));
    QStringList splitProblems;
    ScriptedAnswers::onShowModal<TzwEditDlg>([&](TzwEditDlg& d) {
        d.activateWindow();
        QApplication::setActiveWindow(&d);
        if (FocusName() != "DBEdit2")
            splitProblems << "the dialog starts in " + FocusName();
        type("5000");  // the dialog takes metres
        tab();
        type("00:25:00");
        tab();
        type("150");
        if (!TabTo("btn_post"))
            splitProblems << "Tab does not reach Speichern";
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
    });
    PressKey(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(splitProblems.isEmpty()) << splitProblems.join('\n').toStdString();
    EXPECT_EQ(db.value(QStringLiteral("SELECT Meter || '/' || Puls || '/' || zei_hrm FROM zeit WHERE zei_Id = %1").arg(unit))
                  .toString(),
              "5000/150/0");
    EXPECT_NEAR(db.value(QStringLiteral("SELECT Zwischenzeit FROM zeit WHERE zei_Id = %1").arg(unit)).toDouble(),
                EncodeTime(0, 25, 0, 0), 1e-9);

    // A best time in its manager, opened from the menu.
    ScriptedAnswers::onShowModal<Tbestzeit>([&](Tbestzeit& f) {
        f.activateWindow();
        QApplication::setActiveWindow(&f);
        UpdateAllActions();
        // The tool bar lies before the tree and the list (which goes round its cells with Tab and
        // is left with Ctrl+Tab): back to it with Shift+Tab.
        if (FocusName() == "DBGrid1")
            PressKey(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(TabTo("DataSetInsert1", false)) << FocusName().toStdString();
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        ASSERT_TRUE(TabTo("DBGrid1"));
        type("L");  // the sport
        for (const char* typed : {"14.03.24", "12500", "01:02:30", "Stadtwald", "PB", "Straße"}) {
            tab();
            type(QString::fromUtf8(typed));
        }
        UpdateAllActions();
        PressKey(Qt::Key_Tab, Qt::ControlModifier);  // out of the list
        ASSERT_TRUE(TabTo("DataSetPost1"));
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        PressKey(Qt::Key_Escape);
    });
    MainForm->Action5->Execute();
    EXPECT_EQ(db.value("SELECT bes_sportart || '/' || bes_meter || '/' || bes_ort || '/' || bes_typ || '/' || "
                       "bes_kategorie FROM bestzeit")
                  .toString(),
              "1/12500/Stadtwald/PB/Straße");
    EXPECT_NEAR(db.value("SELECT bes_zeit FROM bestzeit").toDouble(), EncodeTime(1, 2, 30, 0), 1e-9);

    // The new unit's block renamed in the navigator's tree.
    navigatorFrm->XPButton9->Press();
    const int block = db.value(QStringLiteral("SELECT trainingsblock FROM daten WHERE dat_Id = %1").arg(unit)).toInt();
    QTreeWidget* tree = navigatorFrm->TreeView1;
    QApplication::setActiveWindow(MainForm);  // back from the manager
    tree->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 20 && tree->currentItem() && tree->currentItem()->data(0, Qt::UserRole + 1).toInt() != -block; ++i)
        PressKey(Qt::Key_Up);
    PressKeyOrShortcut(Qt::Key_F2);
    PressKey(Qt::Key_A, Qt::ControlModifier);
    type("Stadtlauf");
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(db.value(QStringLiteral("SELECT trb_Name FROM trainingsblock WHERE trb_Id = %1").arg(block)).toString(),
              "Stadtlauf");
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(KeyboardUserTest, TheManagersOfTheExtrasMenuHaveTheirOwnMnemonics)
{
    // Alt+B and Alt+L (German and English alike) choose "Bestzeiten" and "Blockmanager".
    for (const QString& language : {QString(), QStringLiteral("en")}) {
        SCOPED_TRACE(language.toStdString());
        QStringList params{db.path()};
        if (!language.isEmpty())
            params << language;
        StartProgram(params);
        const auto mnemonic = [](const QString& text) {
            const int at = text.indexOf(QLatin1Char('&'));
            return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
        };
        QMenu* extras = MainForm->findChild<QMenu*>(QStringLiteral("Extras1"));
        ASSERT_TRUE(extras);
        // A menu item with a caption of its own follows its action.
        const auto item = [extras](TAction* action) {
            for (QAction* a : extras->actions())
                if (a == action->qaction() || a->toolTip() == action->qaction()->toolTip())
                    return a->text();
            return QString();
        };
        EXPECT_EQ(mnemonic(item(MainForm->Action5)), QLatin1Char('b'));
        EXPECT_EQ(mnemonic(item(MainForm->Action17)), QLatin1Char('l'));
    }
}
