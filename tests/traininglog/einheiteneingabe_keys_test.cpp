// The entry window's unit page as a keyboard user types it: dates and start times typed into the
// pickers, Tab through every field in order, a decimal point in the distance, the pace and speed
// shown before the save, and a stored duration changed in place.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "tests/traininglog/entrywindowfixture.h"
#include "traininglog/einheiteneingabe.h"

namespace {

class EntryKeyboardTest : public EntryWindowFixture {
protected:
    void start()
    {
        ASSERT_NO_FATAL_FAILURE(startProgram());
        // A desktop with a German locale, whatever the machine running the test has.
        FormatSettings() = GermanFormatSettings();
        FormatSettings().LongTimeFormat = QStringLiteral("hh:mm:ss");
    }

    static QWidget* focus() { return QApplication::focusWidget(); }
    static QString focusName()
    {
        // The line edit inside a picker or a combo box stands for its control.
        QWidget* w = focus();
        while (w && w->objectName().isEmpty())
            w = w->parentWidget();
        return w ? w->objectName() : QString();
    }
    // Keys as typed into whatever has the focus.
    static void typeKeys(const QString& text)
    {
        for (QChar c : text) {
            const int k = c.isDigit() ? Qt::Key_0 + c.digitValue() : 0;
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, QString(c));
            QApplication::sendEvent(focus(), &press);
        }
    }
    static void key(int k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(focus(), &press);
    }
    static void tab() { key(Qt::Key_Tab); }

    static void choose(TDBLookupComboBox* box, const QString& text)
    {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    TDataSet& daten() const { return orvServer->daten; }

    // The window as the user sees it at this step, for a person to look at.
    static void shot(const QString& name)
    {
        QDir().mkpath(QStringLiteral("/tmp/entry-keys"));
        MainForm->grab().save(QStringLiteral("/tmp/entry-keys/%1.png").arg(name));
    }
};

}  // namespace

TEST_F(EntryKeyboardTest, TabReachesEveryFieldOfTheUnitPageInOrderAndThePickersOnce)
{
    start();
    eingabe->DataSetInsert1->Execute();
    eingabe->DBLookupComboBox1->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (int i = 0; i < 40 && focusName() != QLatin1String("DBMemo1"); ++i) {
        order << focusName();
        tab();
    }
    order << focusName();
    const QStringList expected = {
        "DBLookupComboBox1", "DBLookupComboBox2", "DBDateTimePicker1",  // Sportart, Form, Datum
        "DBEdit1", "DBEdit2", "DBEdit3", "DBEdit4",                      // Ort, distance, H.Diff, Beschreibung
        "DBEdit6", "DBLookupComboBox3", "DBLookupComboBox4",  // Zeit (pace and speed are shown only), Belast.*
        "DBDateTimePicker2", "DBComboBox1", "DBComboBox2", "DBEdit9",   // Startzeit, Wetter, Wind, Temperatur
        "DBComboBox3", "DBEdit11", "DBEdit12", "DBEdit13",              // Gefühl, GLI, AKPl., Platz
        "DBEdit10", "DBEdit14", "DBEdit15", "DBEdit16", "DBMemo1",      // Puls, Gewicht, User1, User2, comments
    };
    EXPECT_EQ(order, expected);
}

TEST_F(EntryKeyboardTest, AUnitTypedWithTheKeyboardShowsPaceAndSpeedBeforeTheSaveAndKeepsAnEditedDuration)
{
    start();
    eingabe->DataSetInsert1->Execute();
    ASSERT_EQ(daten().State(), dsInsert);
    choose(eingabe->DBLookupComboBox1, "Laufen");
    choose(eingabe->DBLookupComboBox2, "Training");
    choose(eingabe->DBLookupComboBox3, "GA1");
    choose(eingabe->DBLookupComboBox4, "Dauerlauf");

    // The date, typed.
    eingabe->DBDateTimePicker1->setFocus(Qt::TabFocusReason);
    typeKeys("07.12");
    shot("1-date-typing");
    typeKeys(".2026");
    tab();
    EXPECT_EQ(focusName(), "DBEdit1");
    EXPECT_EQ(daten().FieldByName("Datum")->AsDateTime(), EncodeDate(2026, 12, 7));
    EXPECT_EQ(eingabe->DBText1->text(), "Mo.");  // the weekday follows at once

    // The distance with a decimal point, and the duration: pace and speed before the save.
    eingabe->DBEdit2->setFocus(Qt::TabFocusReason);
    typeKeys("10.5");
    tab();
    eingabe->DBEdit6->setFocus(Qt::TabFocusReason);
    typeKeys("00:52:30");
    tab();
    EXPECT_EQ(focusName(), "DBLookupComboBox3");
    EXPECT_EQ(eingabe->DBEdit7->text(), "00:05:00");
    EXPECT_EQ(eingabe->DBEdit8->text(), "12");
    EXPECT_EQ(daten().State(), dsInsert);
    shot("2-pace-before-save");

    // The start time into the empty picker; Tab goes on to the weather.
    eingabe->DBDateTimePicker2->setFocus(Qt::TabFocusReason);
    typeKeys("18:30");
    tab();
    EXPECT_EQ(focusName(), "DBComboBox1");
    shot("3-start-time");

    eingabe->DataSetPost1->Execute();
    ASSERT_EQ(daten().State(), dsBrowse) << ScriptedAnswers::messages().size();
    EXPECT_EQ(db.value("select Meter from daten").toInt(), 10500);
    EXPECT_DOUBLE_EQ(db.value("select Datum from daten").toDouble(), EncodeDate(2026, 12, 7));
    EXPECT_NEAR(db.value("select Startzeit from daten").toDouble(), EncodeTime(18, 30, 0, 0), 1e-9);
    EXPECT_NEAR(db.value("select Zeit from daten").toDouble(), EncodeTime(0, 52, 30, 0), 1e-9);

    // The stored duration edited in place: only the seconds change.
    eingabe->DBEdit6->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(eingabe->DBEdit6->text(), "00:52:30");
    key(Qt::Key_End);
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    typeKeys("45");
    tab();
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << ScriptedAnswers::lastMessage().Text.toStdString();
    eingabe->DataSetPost1->Execute();
    shot("4-saved-with-new-seconds");
    EXPECT_NEAR(db.value("select Zeit from daten").toDouble(), EncodeTime(0, 52, 45, 0), 1e-9);

    // An impossible date is refused; the saved date stays.
    eingabe->DBDateTimePicker1->setFocus(Qt::TabFocusReason);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    typeKeys("31.02.2026");
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "'31.02.2026' ist kein gültiges Datum");
    shot("5-impossible-date-refused");
    tab();
    EXPECT_EQ(daten().FieldByName("Datum")->AsDateTime(), EncodeDate(2026, 12, 7));
    EXPECT_EQ(daten().State(), dsBrowse);
}

TEST_F(EntryKeyboardTest, InEnglishTheDateFollowsTheEnglishOrderAndACommaIsTheDecimalPoint)
{
    StartProgram({"egal.orv", "en"});
    ScriptedAnswers::pushFileName(db.path());
    MainForm->FileOpen1->Execute();
    ASSERT_TRUE(eingabe->isVisible());
    QApplication::setActiveWindow(MainForm);
    // A desktop with US settings: month first, the decimal point.
    FormatSettings() = USFormatSettings();
    FormatSettings().LongTimeFormat = QStringLiteral("hh:mm:ss");
    eingabe->DataSetInsert1->Execute();
    choose(eingabe->DBLookupComboBox1, "Laufen");
    choose(eingabe->DBLookupComboBox2, "Training");
    choose(eingabe->DBLookupComboBox3, "GA1");
    choose(eingabe->DBLookupComboBox4, "Dauerlauf");
    // Pickers take the settings when they are shown again.
    eingabe->DBDateTimePicker1->hide();
    eingabe->DBDateTimePicker1->show();
    eingabe->DBDateTimePicker1->setFocus(Qt::TabFocusReason);
    typeKeys("12/07/2026");
    tab();
    EXPECT_EQ(daten().FieldByName("Datum")->AsDateTime(), EncodeDate(2026, 12, 7));
    eingabe->DBEdit2->setFocus(Qt::TabFocusReason);
    typeKeys("10,5");
    tab();
    eingabe->DBEdit6->setFocus(Qt::TabFocusReason);
    typeKeys("00:52:30");
    tab();
    EXPECT_EQ(eingabe->DBEdit2->text(), "10.5");
    EXPECT_EQ(eingabe->DBEdit7->text(), "00:05:00");
    EXPECT_EQ(eingabe->DBEdit8->text(), "12");
    shot("6-english");
    eingabe->DataSetPost1->Execute();
    ASSERT_EQ(daten().State(), dsBrowse);
    EXPECT_EQ(db.value("select Meter from daten").toInt(), 10500);
}
