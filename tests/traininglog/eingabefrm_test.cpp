// The body values (tool view "Bio" and the dialog "Puls + Gewicht") and the extended unit fields
// (frame and window "Einheit bearbeiten") on the program as the user starts it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include <cmath>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "traininglog/eingabefrm.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/pulsgewicht.h"

namespace {

class UnitFieldsTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        // Load levels by heart rate; one route.
        db.exec("UPDATE config SET cfg_belautocalc = 1, cfg_nachHF = 1");
        db.exec("INSERT INTO strecke (Name, Ort, Laenge, HDiff, Beschreibung) "
                "VALUES ('Seerunde', 'Am See', 7300, 42, 'flach, schattig')");
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
        QApplication::setActiveWindow(MainForm);
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = saved_;
    }

    TDataSet& daten() { return orvServer->daten; }
    TField* field(const char* name) { return daten().FieldByName(QString::fromLatin1(name)); }

    // A new run of 10 km on 1 March 2024 with load level "Keine", saved or left inserted.
    void newUnit(bool save)
    {
        eingabe->DataSetInsert1->Execute();
        ASSERT_EQ(daten().State(), dsInsert);
        field("Datum")->SetAsDateTime(EncodeDate(2024, 3, 1));
        field("Sportart")->SetAsInteger(1);
        field("Form")->SetAsInteger(1);
        field("Belastungsart")->SetAsInteger(0);
        field("Meter")->SetAsInteger(10000);
        field("Zeit")->SetAsDateTime(EncodeTime(0, 50, 0, 0));
        field("Belastungsstufe")->SetAsInteger(0);
        if (save)
            daten().Post();
    }

    // Types into an edit box and leaves it for another control, as the user does.
    static void typeAndLeave(QLineEdit* edit, const QString& text, QWidget* next)
    {
        edit->setFocus();
        edit->selectAll();
        for (QChar c : text) {
            // Qt's key code of an ASCII character is its upper-case code.
            QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
        next->setFocus();
    }
    static void press(QWidget* w, int key, const QString& text = QString())
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(w, &e);
    }

    AthleteDatabase db;

private:
    TFormatSettings saved_;
};

// --- pulse and weight ------------------------------------------------------------------------

TEST_F(UnitFieldsTest, LeavingPulseInTheBioViewSetsTheLevelAndDiscardingDropsTheValues)
{
    newUnit(true);
    MainForm->Bio1Click(MainForm->Bio1);
    ASSERT_EQ(pulsgewFrm->parentWidget(), MainForm->Panel6);
    ASSERT_TRUE(pulsgewFrm->isVisible());

    typeAndLeave(pulsgewFrm->DBEdit5, "152", pulsgewFrm->DBEdit1);
    EXPECT_EQ(daten().State(), dsEdit);
    EXPECT_EQ(field("Belastungsstufe")->AsInteger(), 3);  // "GA2" from 152
    typeAndLeave(pulsgewFrm->DBEdit1, "185", pulsgewFrm->DBEdit6);
    typeAndLeave(pulsgewFrm->DBEdit6, "71,5", pulsgewFrm->DBEdit4);
    EXPECT_EQ(field("Maxpuls")->AsInteger(), 185);
    EXPECT_DOUBLE_EQ(field("Gewicht")->AsFloat(), 71.5);

    // The entry window's discard: the typed values go, the frame shows the saved ones.
    eingabe->DBNavigator2->BtnClick(nbCancel);
    EXPECT_EQ(daten().State(), dsBrowse);
    EXPECT_EQ(field("Puls")->AsInteger(), 0);
    EXPECT_EQ(field("Maxpuls")->AsInteger(), 0);
    EXPECT_EQ(field("Belastungsstufe")->AsInteger(), 0);
    EXPECT_EQ(pulsgewFrm->DBEdit1->text(), "0");
}

TEST_F(UnitFieldsTest, TheDialogNamesTheUnitSetsTheLevelAndLeavesTheValuesPending)
{
    newUnit(false);
    field("Ort")->SetAsString("Stadtpark");
    field("Startzeit")->SetAsDateTime(EncodeTime(7, 30, 0, 0));
    QStringList header;
    ScriptedAnswers::onShowModal<TPulsGewicht>([&](TPulsGewicht& f) {
        QApplication::setActiveWindow(&f);
        for (TDBText* t : {f.DBText1, f.DBText2, f.DBText3, f.DBText4})
            header << t->text();
        typeAndLeave(f.pulsgewFrm1->DBEdit5, "151", f.pulsgewFrm1->DBEdit3);
        typeAndLeave(f.pulsgewFrm1->DBEdit3, "12,5", f.pulsgewFrm1->DBEdit4);
        f.BitBtn1->click();
    });
    eingabe->XPButton5->Click();  // "Erweitert"
    EXPECT_EQ(header, QStringList({"01.03.2024", "Laufen", "Stadtpark", "07:30"}));
    EXPECT_EQ(PulsGewicht->ModalResult(), mrOk);
    // Neither posted nor cancelled: the entry window saves or discards the values.
    EXPECT_EQ(daten().State(), dsInsert);
    EXPECT_EQ(field("Puls")->AsInteger(), 151);
    EXPECT_EQ(field("Belastungsstufe")->AsInteger(), 2);  // "GA1" from 151
    EXPECT_DOUBLE_EQ(field("Fett")->AsFloat(), 12.5);
}

// --- extended unit fields ----------------------------------------------------------------------

class UnitWindowTest : public UnitFieldsTest {
protected:
    void SetUp() override
    {
        UnitFieldsTest::SetUp();
        win = std::make_unique<TeingabeWin>(MainForm);
        win->show();
        QApplication::setActiveWindow(win.get());
    }
    void TearDown() override
    {
        win.reset();
        UnitFieldsTest::TearDown();
    }
    TeingabeFrm& frm() { return *win->eingabeFrm1; }

    std::unique_ptr<TeingabeWin> win;
};

TEST_F(UnitWindowTest, TodayEditsASavedUnitAndOnlyDatesOneBeingInserted)
{
    const TDateTime today = EncodeDate(2024, 3, 15);
    newUnit(true);
    frm().BitBtn3->Click();
    EXPECT_EQ(daten().State(), dsEdit);
    EXPECT_DOUBLE_EQ(field("Datum")->AsDateTime(), today);
    daten().Cancel();

    newUnit(false);
    field("Ort")->SetAsString("neu");
    frm().BitBtn3->Click();
    EXPECT_EQ(daten().State(), dsInsert);
    EXPECT_DOUBLE_EQ(field("Datum")->AsDateTime(), today);
    EXPECT_EQ(field("Ort")->AsString(), "neu");
    EXPECT_EQ(frm().DBText1->text(), FormatDateTime("ddd", today) + ".");  // the weekday follows
}

TEST_F(UnitWindowTest, TheRouteListShowsInPlaceEntryAndAnyKeyHidesIt)
{
    newUnit(true);
    frm().DBEdit1->setFocus();
    EXPECT_TRUE(frm().DBLookupListBox1->isVisible());
    press(frm().DBEdit1, Qt::Key_W, "W");
    EXPECT_FALSE(frm().DBLookupListBox1->isVisible());
    typeAndLeave(frm().DBEdit1, "Waldweg", frm().DBEdit4);
    EXPECT_EQ(field("Ort")->AsString(), "Waldweg");
    EXPECT_FALSE(frm().DBLookupListBox1->isVisible());

    // Into the list and back: it stays; elsewhere: it goes.
    frm().DBEdit1->setFocus();
    frm().DBLookupListBox1->setFocus();
    EXPECT_TRUE(frm().DBLookupListBox1->isVisible());
    frm().DBEdit1->setFocus();
    EXPECT_TRUE(frm().DBLookupListBox1->isVisible());
    frm().DBEdit4->setFocus();
    EXPECT_FALSE(frm().DBLookupListBox1->isVisible());
}

TEST_F(UnitWindowTest, TakingARouteCopiesItOnlyWhenItsNameMatches)
{
    newUnit(true);
    daten().Edit();
    field("Ort")->SetAsString("Nirgendwo");
    field("Bemerkungen")->SetAsString("eigene Notiz");
    frm().DBLookupListBox1DblClick(frm().DBLookupListBox1);
    EXPECT_EQ(field("Meter")->AsInteger(), 10000);
    EXPECT_EQ(field("Bemerkungen")->AsString(), "eigene Notiz");
    EXPECT_EQ(field("Hoehendifferenz")->AsInteger(), 0);

    field("Ort")->SetAsString("Seerunde");
    QChar enter(13);
    frm().DBLookupListBox1KeyPress(frm().DBLookupListBox1, enter);
    EXPECT_EQ(field("Meter")->AsInteger(), 7300);
    EXPECT_EQ(field("Hoehendifferenz")->AsInteger(), 42);
    EXPECT_EQ(field("Streckenbeschreibung")->AsString(), "Am See");
    EXPECT_EQ(field("Bemerkungen")->AsString(), "flach, schattig");
    EXPECT_FALSE(frm().DBLookupListBox1->isVisible());
}

TEST_F(UnitWindowTest, CloseKeepsEditsPendingAndTheToolBarPostsOrCancels)
{
    newUnit(true);
    win->hide();
    auto typeWeight = [this](TeingabeWin& w, const char* text) {
        QApplication::setActiveWindow(&w);
        typeAndLeave(w.eingabeFrm1->DBEdit12, text, w.eingabeFrm1->DBEdit10);
    };
    ScriptedAnswers::onShowModal<TeingabeWin>([&](TeingabeWin& w) {
        typeWeight(w, "70");
        w.XPButton8->Click();  // "Schließen"
    });
    EXPECT_EQ(win->ShowModal(), mrOk);
    EXPECT_EQ(daten().State(), dsEdit);
    EXPECT_DOUBLE_EQ(field("Gewicht")->AsFloat(), 70.0);

    ScriptedAnswers::onShowModal<TeingabeWin>([&](TeingabeWin& w) {
        w.XPButton16->Click();  // "Bearbeiten abbrechen"
        EXPECT_EQ(daten().State(), dsBrowse);
        typeWeight(w, "69");
        w.XPButton15->Click();  // "Übernehmen"
        EXPECT_EQ(daten().State(), dsBrowse);
        w.XPButton1->Click();  // "Abbrechen"
    });
    EXPECT_EQ(win->ShowModal(), mrCancel);
    EXPECT_EQ(db.value("SELECT Gewicht FROM daten").toDouble(), 69.0);
    EXPECT_FALSE(win->XPButton1->isVisibleTo(win.get()));
}

TEST_F(UnitWindowTest, TabReachesEveryFieldInGroupOrder)
{
    newUnit(false);
    frm().DBLookupComboBox1->setFocus();
    QStringList reached;
    for (int i = 0; i < 40 && !reached.contains(QApplication::focusWidget()->objectName()); ++i) {
        reached << QApplication::focusWidget()->objectName();
        press(QApplication::focusWidget(), Qt::Key_Tab);
    }
    const QStringList fields = {"DBLookupComboBox1", "DBLookupComboBox2", "DBDateTimePicker1", "DBEdit1",
                                "DBEdit2",           "DBEdit4",           "DBEdit5",           "DBEdit6",
                                "DBLookupComboBox3", "DBLookupComboBox4", "DBEdit10",          "DBEdit12",
                                "DBEdit14",          "DBComboBox5",       "DBComboBox6",       "DBEdit17",
                                "DBComboBox4",       "DBEdit13",          "DBEdit16",          "DBMemo1",
                                "DBEdit7",           "DBEdit11"};
    int last = -1;
    for (const QString& f : fields) {
        const int at = reached.indexOf(f);
        EXPECT_GT(at, last) << f.toStdString() << " in " << reached.join(' ').toStdString();
        last = std::max(last, at);
    }
    // Derived values, the route list and "H" are passed by.
    for (const char* skipped : {"DBEdit9", "DBEdit8", "DBLookupListBox1", "BitBtn3"})
        EXPECT_FALSE(reached.contains(skipped)) << skipped;
}

}  // namespace
