// The date-time picker as a keyboard user types it: digits per section, separators, Left and
// Right, Tab leaving the control, an empty picker taking a value, impossible dates refused.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/datetimepicker.h"
#include "platform/vcl/dialogs.h"
#include "tests/platform/vcl/vclfixture.h"

namespace {

class PickerKeysTest : public VclTest {
protected:
    void SetUp() override
    {
        VclTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        FormatSettings().LongTimeFormat = QStringLiteral("hh:mm:ss");
        SetClock([] { return EncodeDate(2026, 12, 10) + EncodeTime(9, 15, 0, 0); });
        window.resize(300, 120);
        auto* layout = new QVBoxLayout(&window);
        picker = new TDateTimePicker;
        next = new QLineEdit;
        layout->addWidget(picker);
        layout->addWidget(next);
        picker->OnChange = [this](QObject*) { ++changes; };
        window.show();
        QApplication::setActiveWindow(&window);
        picker->setFocus(Qt::TabFocusReason);
    }
    void TearDown() override
    {
        window.hide();
        SetClock({});
        FormatSettings() = saved_;
        VclTest::TearDown();
    }

    // Sends keys as typed: characters as they are, "<L>", "<R>", "<H>", "<E>", "<U>" (Up),
    // "<Esc>" and "<Ret>" for those keys.
    void keys(const QString& sequence)
    {
        static const QList<std::pair<QString, int>> named = {
            {QStringLiteral("<L>"), Qt::Key_Left},  {QStringLiteral("<R>"), Qt::Key_Right},
            {QStringLiteral("<H>"), Qt::Key_Home},  {QStringLiteral("<E>"), Qt::Key_End},
            {QStringLiteral("<U>"), Qt::Key_Up},    {QStringLiteral("<Esc>"), Qt::Key_Escape},
            {QStringLiteral("<Ret>"), Qt::Key_Return},
        };
        for (int i = 0; i < sequence.size();) {
            bool done = false;
            for (const auto& [name, k] : named) {
                if (sequence.mid(i).startsWith(name)) {
                    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
                    QApplication::sendEvent(picker, &press);
                    i += int(name.size());
                    done = true;
                    break;
                }
            }
            if (done)
                continue;
            const QChar c = sequence[i++];
            const int k = c.isDigit() ? Qt::Key_0 + c.digitValue() : 0;
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, QString(c));
            QApplication::sendEvent(picker, &press);
        }
    }
    // Tab as the user presses it: the focus chain decides where it goes.
    void tab()
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    QString shown() const { return picker->findChild<QLineEdit*>()->text(); }

    QWidget window;
    TDateTimePicker* picker = nullptr;
    QLineEdit* next = nullptr;
    int changes = 0;

private:
    TFormatSettings saved_;
};

}  // namespace

TEST_F(PickerKeysTest, DigitsFillTheSectionsAndSeparatorsAndArrowsMoveBetweenThem)
{
    struct Case {
        const char* keys;
        const char* shownWhileTyping;  // before the value is taken
        int section;                   // current section afterwards
        const char* taken;             // after Tab
    };
    const Case cases[] = {
        {"15", "15.12.2026", 1, "15.12.2026"},          // a full day moves on to the month
        {"1", "01.12.2026", 0, "01.12.2026"},           // one digit stays in the day
        {"4", "04.12.2026", 1, "04.12.2026"},           // no day starts with 4 and goes on
        {"1.3", "01.03.2026", 2, "01.03.2026"},         // the separator ends the day; 3 fills the month
        {"15.", "15.12.2026", 1, "15.12.2026"},         // a separator right after a full section: no skip
        {"<R>05", "07.05.2026", 2, "07.05.2026"},       // Right to the month
        {"<R><R><L>11", "07.11.2026", 2, "07.11.2026"}, // Left back again
        {"<E>20", "07.12.0020", 2, "07.12.2026"},       // half a year is no value yet: refused, kept
        {"3112", "31.12.2026", 2, "31.12.2026"},
        {"<H>0", "00.12.2026", 0, "07.12.2026"},        // day 0 is no date: refused on leaving
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        picker->SetDateTime(EncodeDate(2026, 12, 7));
        next->setFocus(Qt::TabFocusReason);
        picker->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(picker->hasFocus());
        keys(QString::fromLatin1(c.keys));
        EXPECT_EQ(shown(), QString::fromLatin1(c.shownWhileTyping));
        EXPECT_EQ(picker->CurrentSection(), c.section);
        ScriptedAnswers::clear();
        if (QString::fromLatin1(c.taken) != QString::fromLatin1(c.shownWhileTyping))
            ScriptedAnswers::pushMessageAnswer(mrOk);
        picker->CommitTyping();
        EXPECT_EQ(shown(), QString::fromLatin1(c.taken));
        EXPECT_EQ(FormatDateTime(QStringLiteral("dd.mm.yyyy"), picker->DateTime()), QString::fromLatin1(c.taken));
    }
}

TEST_F(PickerKeysTest, AFullDateIsTakenWhenTheLastSectionIsFull)
{
    picker->SetDateTime(EncodeDate(2000, 1, 1));
    for (const char* typed : {"07122026", "07.12.2026", "7.12.2026"}) {
        SCOPED_TRACE(typed);
        picker->SetDateTime(EncodeDate(2000, 1, 1));
        next->setFocus(Qt::TabFocusReason);
        picker->setFocus(Qt::TabFocusReason);
        changes = 0;
        keys(QString::fromLatin1(typed));
        EXPECT_EQ(picker->DateTime(), EncodeDate(2026, 12, 7));
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(picker->CurrentSection(), 2);
    }
}

TEST_F(PickerKeysTest, TabLeavesTheControlInOneStepWithTheTypedValue)
{
    picker->SetDateTime(EncodeDate(2026, 12, 7));
    picker->setFocus(Qt::TabFocusReason);
    keys(QStringLiteral("24"));
    tab();
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(picker->DateTime(), EncodeDate(2026, 12, 24));
    // Back into it: one Tab again leaves, whichever section was current.
    picker->setFocus(Qt::TabFocusReason);
    keys(QStringLiteral("<R>"));
    tab();
    EXPECT_TRUE(next->hasFocus());
}

TEST_F(PickerKeysTest, AnEmptyPickerTakesATypedValue)
{
    // A time of day: the sections not typed are midnight's, the day the base date.
    picker->SetKind(dtkTime);
    picker->SetNull();
    next->setFocus(Qt::TabFocusReason);
    picker->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(picker->IsNull());
    keys(QStringLiteral("18:30"));
    EXPECT_EQ(shown(), QStringLiteral("18:30:00"));
    tab();
    EXPECT_TRUE(next->hasFocus());
    EXPECT_FALSE(picker->IsNull());
    EXPECT_DOUBLE_EQ(picker->DateTime(), EncodeTime(18, 30, 0, 0));
    EXPECT_EQ(shown(), QStringLiteral("18:30:00"));

    // A date: today's year where none was typed.
    picker->SetKind(dtkDate);
    picker->SetNull();
    next->setFocus(Qt::TabFocusReason);
    picker->setFocus(Qt::TabFocusReason);
    keys(QStringLiteral("0105"));
    tab();
    EXPECT_EQ(picker->DateTime(), EncodeDate(2026, 5, 1));

    // Up on an empty picker starts from today, not from its lowest value.
    picker->SetNull();
    next->setFocus(Qt::TabFocusReason);
    picker->setFocus(Qt::TabFocusReason);
    keys(QStringLiteral("<U>"));
    EXPECT_EQ(picker->DateTime(), EncodeDate(2026, 12, 10));

    // Escape drops what was typed: the picker stays empty.
    picker->SetNull();
    next->setFocus(Qt::TabFocusReason);
    picker->setFocus(Qt::TabFocusReason);
    changes = 0;
    keys(QStringLiteral("12<Esc>"));
    tab();
    EXPECT_TRUE(picker->IsNull());
    EXPECT_EQ(changes, 0);
}

TEST_F(PickerKeysTest, AnImpossibleDateIsRefusedWithTheConversionErrorAndTheOldDateStays)
{
    picker->SetDateTime(EncodeDate(2026, 12, 7));
    picker->setFocus(Qt::TabFocusReason);
    changes = 0;
    ScriptedAnswers::pushMessageAnswer(mrOk);
    keys(QStringLiteral("31.02.2026"));
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, QStringLiteral("'31.02.2026' ist kein gültiges Datum"));
    EXPECT_EQ(picker->DateTime(), EncodeDate(2026, 12, 7));
    EXPECT_EQ(shown(), QStringLiteral("07.12.2026"));
    EXPECT_EQ(changes, 0);

    // A refused value typed before Tab keeps the focus in the picker.
    picker->setFocus(Qt::TabFocusReason);
    keys(QStringLiteral("<R>00"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    tab();
    EXPECT_TRUE(picker->hasFocus());
    EXPECT_EQ(picker->DateTime(), EncodeDate(2026, 12, 7));
}

TEST_F(PickerKeysTest, TheFormatFollowsTheFormatSettings)
{
    FormatSettings() = USFormatSettings();
    TDateTimePicker us;
    us.SetDateTime(EncodeDate(2026, 12, 7));
    EXPECT_EQ(us.displayFormat(), QStringLiteral("MM/dd/yyyy"));
    us.SetKind(dtkTime);
    EXPECT_EQ(us.displayFormat(), QStringLiteral("HH:mm:ss"));
}
