// The data-aware date-time picker: it shows the field of the current record (a Null field
// empty), writes a user's change into the record when it is posted or the user leaves, and
// writes nothing when the dataset cannot be edited or no field is bound.
#include "controls/dbdatetimepicker.h"

#include "platform/db/connection.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/rtl/application.h"
#include "platform/rtl/sysutils.h"
#include "tests/controls/controltesthelpers.h"
#include "tests/support/errorbox.h"
#include "tests/support/testenv.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>

#include <sqlite3.h>

using namespace controltest;

TEST(DateTimeConversion, Table)
{
    struct Case {
        TDateTime value;
        QDateTime expected;
    };
    const Case cases[] = {
        {0.0, QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)},
        {45000.5, QDateTime(QDate(2023, 3, 15), QTime(12, 0), Qt::UTC)},
        {45000.375, QDateTime(QDate(2023, 3, 15), QTime(9, 0), Qt::UTC)},
        {-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0), Qt::UTC)},  // the runtime's negative dates
        {1.9999999999, QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC)},  // whole milliseconds
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateTimeToQDateTime(c.value), c.expected) << c.value;
        if (c.value != 1.9999999999) {
            EXPECT_DOUBLE_EQ(QDateTimeToDateTime(c.expected), c.value) << c.value;
        }
    }
}

namespace {

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = tmp.file(QStringLiteral("athlet.orv"));
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
        const char* sql =
            "CREATE TABLE daten (dat_Id INTEGER PRIMARY KEY, Datum DATETIME, Startzeit DATETIME);"
            "INSERT INTO daten VALUES (1, 45000.0, 0.375);"
            "INSERT INTO daten VALUES (2, NULL, NULL);";
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        conn.Open(file);
        q.SetConnection(&conn);
        q.SetSQLText(QStringLiteral("SELECT * FROM daten ORDER BY dat_Id"));
        q.Open();
        src.SetDataSet(&q);
        picker.SetDataSource(&src);
        picker.SetDataField(QStringLiteral("Datum"));
        picker.OnChange = [this](QObject* sender) {
            EXPECT_EQ(sender, &picker);
            ++changes;
        };
    }
    void TearDown() override
    {
        picker.SetDataSource(nullptr);
        q.Close();
        conn.Close();
    }
    // A change as the user makes it (through the toolkit's value, not the program's setter).
    void userSets(TDateTime dt) { picker.setDateTime(DateTimeToQDateTime(dt)); }
    QString shownText() { return picker.findChild<QLineEdit*>()->text().trimmed(); }

    // The picker in a shown, active window with an edit box after it, the picker focused (where
    // the platform gives focus); the picker leaves the window again when this ends.
    struct FocusWindow {
        explicit FocusWindow(TDBDateTimePicker& p) : picker(p)
        {
            auto* layout = new QVBoxLayout(&window);
            picker.setParent(&window);
            layout->addWidget(&picker);
            next = new QLineEdit(&window);
            layout->addWidget(next);
            window.show();
            QApplication::setActiveWindow(&window);
            picker.setFocus();
            QApplication::processEvents();
        }
        ~FocusWindow() { picker.setParent(nullptr); }
        TDBDateTimePicker& picker;
        QWidget window;
        QLineEdit* next = nullptr;
    };

    // The pickers show dates in the format settings' order: German ones for these tests, made
    // before the pickers are.
    struct GermanSettings {
        GermanSettings() { FormatSettings() = GermanFormatSettings(); }
        ~GermanSettings() { FormatSettings() = saved; }
        TFormatSettings saved = FormatSettings();
    } german;
    TempFolder tmp;
    QString file;
    TConnection conn;
    TQuery q;
    TDataSource src;
    TDBDateTimePicker picker;
    int changes = 0;
};

}  // namespace

TEST_F(PickerTest, ShowsTheFieldAndNullAsEmpty)
{
    EXPECT_DOUBLE_EQ(picker.DateTime(), 45000.0);
    EXPECT_EQ(shownText(), "15.03.2023");
    q.Next();
    EXPECT_TRUE(picker.IsNull());
    EXPECT_EQ(shownText(), "") << "a Null date shows empty, not 30.12.1899";
    q.First();
    EXPECT_FALSE(picker.IsNull());
    EXPECT_EQ(shownText(), "15.03.2023");
    EXPECT_EQ(changes, 0) << "showing the field is no change of the user";
}

TEST_F(PickerTest, UserChangeEditsAndIsWrittenOnExitAndPost)
{
    userSets(45010.0);
    EXPECT_EQ(q.State(), dsEdit);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(picker.DataLink().IsModified());
    EXPECT_DOUBLE_EQ(q.FieldByName("Datum")->AsDateTime(), 45000.0) << "not written before exit or post";
    picker.ExitControl();
    EXPECT_DOUBLE_EQ(q.FieldByName("Datum")->AsDateTime(), 45010.0);
    q.Post();

    // A change followed straight by Post is written too.
    q.Next();
    userSets(45020.5);
    q.Post();
    q.Close();
    q.Open();
    EXPECT_DOUBLE_EQ(q.FieldByName("Datum")->AsDateTime(), 45010.0);
    q.Next();
    EXPECT_DOUBLE_EQ(q.FieldByName("Datum")->AsDateTime(), 45020.5);
}

TEST_F(PickerTest, ReadOnlyDatasetKeepsFieldAndPicker)
{
    q.Close();
    q.SetReadOnly(true);
    q.Open();
    userSets(45100.0);
    EXPECT_EQ(q.State(), dsBrowse);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(picker.DataLink().IsModified());
    EXPECT_DOUBLE_EQ(picker.DateTime(), 45000.0) << "the refused change is not kept on screen";
    EXPECT_DOUBLE_EQ(q.FieldByName("Datum")->AsDateTime(), 45000.0);
}

TEST_F(PickerTest, WithoutFieldItIsAPlainPicker)
{
    picker.SetDataField(QString());
    userSets(45200.0);
    EXPECT_EQ(changes, 1);
    EXPECT_DOUBLE_EQ(picker.DateTime(), 45200.0);
    EXPECT_EQ(q.State(), dsBrowse);

    picker.SetDataField(QStringLiteral("Datum"));
    EXPECT_DOUBLE_EQ(picker.DateTime(), 45000.0);
    q.Close();
    EXPECT_EQ(picker.Field(), nullptr);
    userSets(45300.0);
    EXPECT_EQ(changes, 2);
    EXPECT_DOUBLE_EQ(picker.DateTime(), 45300.0);
}

TEST_F(PickerTest, LeavingByFocusWritesTheValue)
{
    FocusWindow focus(picker);
    if (!picker.hasFocus())
        GTEST_SKIP() << "the platform gives no keyboard focus";
    userSets(45030.0);
    focus.next->setFocus(Qt::TabFocusReason);
    EXPECT_DOUBLE_EQ(q.FieldByName("Datum")->AsDateTime(), 45030.0);
    EXPECT_TRUE(focus.next->hasFocus());
}

TEST_F(PickerTest, RefusedValueOnExitKeepsTheUserInThePicker)
{
    q.FieldByName("Datum")->OnValidate = [](TField* f) {
        if (f->AsDateTime() > 50000.0)
            throw Exception(QStringLiteral("Das Datum liegt zu weit in der Zukunft."));
    };
    userSets(60000.0);
    EXPECT_THROW(picker.ExitControl(), Exception);
    EXPECT_EQ(q.State(), dsEdit);
    EXPECT_DOUBLE_EQ(picker.DateTime(), 60000.0);
    EXPECT_DOUBLE_EQ(q.FieldByName("Datum")->AsDateTime(), 45000.0);

    // Leaving the picker by focus: the error reaches the error box and the focus comes back.
    ErrorBoxRecorder errorBox;
    FocusWindow focus(picker);
    if (!picker.hasFocus())
        GTEST_SKIP() << "the platform gives no keyboard focus";
    focus.next->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(errorBox.shown, QStringList{"Das Datum liegt zu weit in der Zukunft."});
    EXPECT_TRUE(picker.hasFocus());
}

TEST_F(PickerTest, TimeEnteredIntoAnEmptyTimePickerIsATimeOfDay)
{
    q.Next();
    TDBDateTimePicker time;
    time.SetKind(dtkTime);
    time.SetDataSource(&src);
    time.SetDataField(QStringLiteral("Startzeit"));
    ASSERT_TRUE(time.IsNull());
    time.setCurrentSection(QDateTimeEdit::HourSection);
    time.stepBy(1);  // the user steps the empty time up by an hour
    EXPECT_FALSE(time.IsNull());
    time.ExitControl();
    const TDateTime stored = q.FieldByName(QStringLiteral("Startzeit"))->AsDateTime();
    EXPECT_GE(stored, 0.0);
    EXPECT_LT(stored, 1.0) << "a time of day without a date";
    EXPECT_EQ(time.findChild<QLineEdit*>()->text(), FormatDateTime(QStringLiteral("hh:nn:ss"), stored));
    q.Cancel();
    time.SetDataSource(nullptr);
}

TEST_F(PickerTest, TimeKindAndScreenshot)
{
    QWidget w;
    auto* layout = new QVBoxLayout(&w);
    auto* time = new TDBDateTimePicker(&w);
    time->SetKind(dtkTime);
    time->SetDataSource(&src);
    time->SetDataField(QStringLiteral("Startzeit"));
    auto* date = new TDBDateTimePicker(&w);
    date->SetDataSource(&src);
    date->SetDataField(QStringLiteral("Datum"));
    auto* empty = new TDBDateTimePicker(&w);
    empty->SetNull();
    layout->addWidget(date);
    layout->addWidget(time);
    layout->addWidget(empty);
    EXPECT_EQ(time->findChild<QLineEdit*>()->text(), "09:00:00");
    EXPECT_DOUBLE_EQ(time->DateTime(), 0.375);
    EXPECT_EQ(date->findChild<QLineEdit*>()->text(),
              FormatDateTime(QStringLiteral("dd.mm.yyyy"), q.FieldByName(QStringLiteral("Datum"))->AsDateTime()));
    EXPECT_TRUE(empty->findChild<QLineEdit*>()->text().trimmed().isEmpty()) << "a Null value shows no date";
    w.show();
    saveShot(&w, QStringLiteral("dbdatetimepicker"), 2);
    time->SetDataSource(nullptr);
    date->SetDataSource(nullptr);
}
