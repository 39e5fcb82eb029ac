// The spin editor: limits, typed characters by the locale's separators, auto-repeat, the button
// pair's layout and direction, and the integer, date and time steps.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>
#include <stdexcept>

#include "grid/display/gridbeep.h"
#include "grid/editing/esgcombo.h"
#include "grid/editing/esgspin.h"
#include "tests/support/keyboardwalk.h"
#include "tests/support/qstringprinter.h"

namespace {

class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedSettings_ = FormatSettings();
        SetGridBeepHook([this] { ++beeps_; });
    }
    void TearDown() override
    {
        FormatSettings() = savedSettings_;
        SetGridBeepHook({});
        SetClock({});
    }

    // A window with the spin edit and a second edit to leave it for.
    struct Form {
        QWidget window;
        TEsgSpinEdit* spin;
        QLineEdit* other;
        Form()
        {
            auto* layout = new QVBoxLayout(&window);
            spin = new TEsgSpinEdit;
            other = new QLineEdit;
            layout->addWidget(spin);
            layout->addWidget(other);
            window.resize(160, 80);
            FocusWindowAt(&window, spin);
        }
        void leave() { other->setFocus(Qt::TabFocusReason); }
    };

    static void sendKey(QWidget* w, int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(w, &release);
    }

    static void mouse(QWidget* w, QEvent::Type type)
    {
        const QPointF pos = QRectF(w->rect()).center();
        QMouseEvent e(type, pos, w->mapToGlobal(pos), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }

    TFormatSettings savedSettings_;
    int beeps_ = 0;
};

}  // namespace

TEST_F(SpinEditTest, EqualLimitsMeanNoLimitAndLeavingClampsToTheLimits)
{
    FormatSettings() = GermanFormatSettings();
    TEsgSpinEdit spin;
    EXPECT_EQ(spin.text(), QStringLiteral("0"));
    EXPECT_EQ(spin.MaxValue(), 100);
    EXPECT_DOUBLE_EQ(spin.IncrementFloat(), 0.1);

    spin.SetMinValue(0);
    spin.SetMaxValue(0);
    spin.SetValue(500);
    EXPECT_EQ(spin.text(), QStringLiteral("500"));
    spin.SetMinValue(0);
    spin.SetMaxValue(100);
    spin.SetValue(500);
    EXPECT_EQ(spin.text(), QStringLiteral("100"));

    spin.SetSpinType(sptFloat);
    spin.SetMinFloatValue(5);
    spin.SetMaxFloatValue(5);
    spin.SetFloatValue(500.5);
    EXPECT_EQ(spin.text(), QStringLiteral("500,5"));

    spin.SetSpinType(sptDate);
    const TDateTime later = EncodeDate(2031, 5, 17);
    spin.SetDateValue(later);
    EXPECT_EQ(spin.text(), QStringLiteral("17.05.2031")) << "date limits 0 and 0: none";
    spin.SetMinDateValue(EncodeDate(2020, 1, 1));
    spin.SetMaxDateValue(EncodeDate(2025, 12, 31));
    spin.SetDateValue(later);
    EXPECT_EQ(spin.text(), QStringLiteral("31.12.2025"));

    // A text typed beyond the limits is written back within them when the focus leaves.
    struct Case {
        TEsgSpinType type;
        QString typed;
        QString afterExit;
    };
    const Case cases[] = {
        {sptNormal, QStringLiteral("150"), QStringLiteral("100")},
        {sptNormal, QStringLiteral("-3"), QStringLiteral("0")},
        {sptFloat, QStringLiteral("150,5"), QStringLiteral("100")},
        {sptDate, QStringLiteral("01.01.2019"), QStringLiteral("01.01.2020")},
        {sptNormal, QStringLiteral("50"), QStringLiteral("50")},
    };
    for (const Case& c : cases) {
        Form f;
        f.spin->SetMinDateValue(EncodeDate(2020, 1, 1));
        f.spin->SetMaxDateValue(EncodeDate(2025, 12, 31));
        f.spin->SetSpinType(c.type);
        f.spin->setText(c.typed);
        f.leave();
        EXPECT_EQ(f.spin->text(), c.afterExit) << c.typed.toStdString();
    }
}

TEST_F(SpinEditTest, UnreadableTextsReadAsTheirFallBacks)
{
    TEsgSpinEdit spin;
    spin.SetMinValue(7);
    spin.SetMinFloatValue(2.5);
    spin.SetMinDateValue(EncodeDate(2001, 2, 3));
    spin.setText(QStringLiteral("abc"));
    EXPECT_EQ(spin.Value(), 7);
    EXPECT_DOUBLE_EQ(spin.FloatValue(), 2.5) << "the float limit, not the integer one";
    EXPECT_DOUBLE_EQ(spin.DateValue(), EncodeDate(2001, 2, 3));
    EXPECT_DOUBLE_EQ(spin.TimeValue(), 0);
}

TEST_F(SpinEditTest, TypedCharactersByTheLocalesSeparators)
{
    struct Case {
        bool german;
        TEsgSpinType type;
        int precision;
        QString text;
        int selStart, selLength;
        QChar key;
        bool valid;
        const char* why;
    };
    const QChar bs(8), cr(13), esc(27);
    const Case cases[] = {
        {false, sptFloat, 2, "1.25", 4, 0, '3', false, "two decimals, caret at the end"},
        {false, sptFloat, 2, "1.25", 1, 0, '3', true, "caret before the separator"},
        {false, sptFloat, 2, "1.25", 3, 1, '3', true, "a decimal selected"},
        {true, sptFloat, 2, "1,25", 4, 0, '3', false, "German: two decimals"},
        {true, sptFloat, 2, "1,25", 0, 0, '3', true, "German: caret at the start"},
        {false, sptFloat, 0, "1.5", 3, 0, '.', false, "a second decimal separator"},
        {false, sptFloat, 0, "1.5", 0, 3, '.', true, "the first one selected"},
        {false, sptFloat, 0, "15", 2, 0, ',', false, "US thousand separator"},
        {true, sptFloat, 0, "15", 2, 0, '.', false, "German thousand separator"},
        {true, sptFloat, 0, "15", 2, 0, ',', true, "German decimal separator"},
        {false, sptFloat, 0, "15", 2, 0, esc, true, "Escape in a float"},
        {false, sptFloat, 0, "15", 2, 0, cr, false, "Return"},
        {false, sptNormal, 0, "-5", 0, 0, '-', false, "a second minus"},
        {false, sptNormal, 0, "-5", 0, 1, '-', true, "the minus selected"},
        {false, sptNormal, 0, "5", 1, 0, '-', false, "minus after the start"},
        {false, sptNormal, 0, "5", 0, 0, '-', true, "minus at the start"},
        {false, sptNormal, 0, "5", 1, 0, '7', true, "a digit"},
        {false, sptNormal, 0, "5", 1, 0, bs, true, "Backspace"},
        {false, sptNormal, 0, "5", 1, 0, 'a', false, "a letter"},
        {false, sptNormal, 0, "5", 1, 0, '.', false, "a separator in an integer"},
        {false, sptNormal, 0, "5", 1, 0, cr, false, "Return in an integer"},
        {false, sptNormal, 0, "5", 1, 0, esc, false, "Escape in an integer"},
        {true, sptNormal, 0, "5", 1, 0, ',', false, "German separator in an integer"},
        {true, sptTime, 0, "12:30", 5, 0, ':', true, "a second time separator"},
        {true, sptTime, 0, "12:30:", 6, 0, ':', false, "a third time separator"},
        {true, sptTime, 0, "12", 2, 0, '.', false, "German date separator in a time"},
        {false, sptTime, 0, "12", 2, 0, '/', false, "US date separator in a time"},
        {false, sptDate, 0, "1/2", 3, 0, '/', true, "date separator in a date"},
        {false, sptDate, 0, "1/2", 3, 0, ':', false, "time separator in a date"},
    };
    for (const Case& c : cases) {
        FormatSettings() = c.german ? GermanFormatSettings() : USFormatSettings();
        TEsgSpinEdit spin;
        spin.SetSpinType(c.type);
        spin.SetPrecision(c.precision);
        spin.setText(c.text);
        spin.setSelection(c.selStart, c.selLength);
        if (c.selLength == 0)
            spin.setCursorPosition(c.selStart);
        EXPECT_EQ(spin.IsValidChar(c.key), c.valid) << c.why;
    }

    // Read only by the buttons: every character is refused, Backspace still taken.
    FormatSettings() = USFormatSettings();
    TEsgSpinEdit locked;
    locked.SetEditorEnabled(false);
    EXPECT_FALSE(locked.IsValidChar(QLatin1Char('5')));
    EXPECT_TRUE(locked.IsValidChar(bs));
}

TEST_F(SpinEditTest, RefusedKeysBeepOnceEachAndLeaveTheTextAlone)
{
    FormatSettings() = GermanFormatSettings();
    Form f;
    f.spin->setText(QString());
    const struct {
        int key;
        QString text;
    } keys[] = {{Qt::Key_1, "1"},         {Qt::Key_A, "a"}, {Qt::Key_Return, "\r"},
                {Qt::Key_Escape, "\x1b"}, {Qt::Key_2, "2"}, {Qt::Key_Comma, ","},
                {0, QString::fromUcs4(U"\U0001F600")}};
    for (const auto& k : keys)
        sendKey(f.spin, k.key, k.text);
    EXPECT_EQ(f.spin->text(), QStringLiteral("12"));
    EXPECT_EQ(beeps_, 5) << "a character beyond U+FFFF is checked too";
    // Refused, Return and Escape still go on to the window's default and cancel buttons.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    QApplication::sendEvent(f.spin, &escape);
    EXPECT_FALSE(escape.isAccepted());

    // The keypad's decimal key types the locale's separator when asked to.
    f.spin->SetSpinType(sptFloat);
    f.spin->setText(QStringLiteral("1"));
    f.spin->setCursorPosition(1);
    sendKey(f.spin, Qt::Key_Period, ".", Qt::KeypadModifier);
    EXPECT_EQ(f.spin->text(), QStringLiteral("1")) << "a point is the German thousand separator";
    f.spin->SetExcelStyleDecimalSeparator(true);
    sendKey(f.spin, Qt::Key_Period, ".", Qt::KeypadModifier);
    EXPECT_EQ(f.spin->text(), QStringLiteral("1,"));

    // With the editor disabled only the buttons and step keys change the text.
    f.spin->SetSpinType(sptNormal);
    f.spin->SetEditorEnabled(false);
    f.spin->SetValue(5);
    QApplication::clipboard()->setText(QStringLiteral("77"));
    f.spin->setCursorPosition(0);
    sendKey(f.spin, Qt::Key_Delete);
    sendKey(f.spin, Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(f.spin->text(), QStringLiteral("5"));
    sendKey(f.spin, Qt::Key_Up);
    sendKey(f.spin, Qt::Key_PageUp);
    EXPECT_EQ(f.spin->text(), QStringLiteral("7"));
    // Nor do a drop or what an input method commits.
    QMimeData dropped;
    dropped.setText(QStringLiteral("9"));
    auto drop = [&] {
        QDragEnterEvent enter(QPoint(2, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.spin, &enter);
        QDropEvent e(QPointF(2, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.spin, &e);
    };
    auto commit = [&](const QString& text) {
        QInputMethodEvent e;
        e.setCommitString(text);
        QApplication::sendEvent(f.spin, &e);
    };
    const int beepsBefore = beeps_;
    drop();
    commit(QStringLiteral("3"));
    EXPECT_EQ(f.spin->text(), QStringLiteral("7"));
    EXPECT_EQ(beeps_, beepsBefore + 1) << "the committed character is refused as a typed one";

    f.spin->SetEditorEnabled(true);
    f.spin->selectAll();
    sendKey(f.spin, Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(f.spin->text(), QStringLiteral("77"));
    f.spin->setCursorPosition(2);
    commit(QStringLiteral("4x5"));
    EXPECT_EQ(f.spin->text(), QStringLiteral("7745")) << "a committed letter is refused, the digits typed";
    EXPECT_EQ(beeps_, beepsBefore + 2);
    drop();
    EXPECT_EQ(f.spin->text().count(QLatin1Char('9')), 1) << "with the editor enabled a drop goes in";
}

TEST_F(SpinEditTest, ReturnMovesOnWhenReturnIsTab)
{
    Form f;
    int keyDowns = 0;
    f.spin->OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) { keyDowns += key == Qt::Key_Tab; };
    f.spin->SetReturnIsTab(true);
    sendKey(f.spin, Qt::Key_Return, "\r");
    QApplication::processEvents();
    EXPECT_TRUE(f.other->hasFocus());
    EXPECT_EQ(keyDowns, 1) << "the handler sees Tab";
    EXPECT_EQ(beeps_, 0);
}

TEST_F(SpinEditTest, HeldButtonStepsOnPressAt400MsThenEvery100Ms)
{
    TEsgSpinEdit spin;
    TExtTimerSpeedButton* up = spin.Button()->UpButton();
    spin.Button()->resize(15, 30);
    mouse(up, QEvent::MouseButtonPress);
    EXPECT_EQ(spin.Value(), 1) << "one step on the press";
    ASSERT_NE(up->RepeatTimer(), nullptr);
    EXPECT_TRUE(up->RepeatTimer()->isActive());
    EXPECT_EQ(up->RepeatTimer()->interval(), 400);
    up->RepeatTimerExpired();
    EXPECT_EQ(spin.Value(), 2);
    EXPECT_EQ(up->RepeatTimer()->interval(), 100);
    up->RepeatTimerExpired();
    up->RepeatTimerExpired();
    EXPECT_EQ(spin.Value(), 4);
    mouse(up, QEvent::MouseButtonRelease);
    EXPECT_FALSE(up->RepeatTimer()->isActive());
    up->RepeatTimerExpired();
    EXPECT_EQ(spin.Value(), 4) << "no step after the release";

    // A click that raises stops the repeat and the error goes on.
    mouse(up, QEvent::MouseButtonPress);
    up->OnClick = [](QObject*) { throw std::runtime_error("step failed"); };
    EXPECT_THROW(up->RepeatTimerExpired(), std::runtime_error);
    EXPECT_FALSE(up->RepeatTimer()->isActive());
    mouse(up, QEvent::MouseButtonRelease);
}

TEST_F(SpinEditTest, ButtonPairLayoutAndDirection)
{
    TEsgSpinButton pair;
    pair.SetBounds(0, 0, 10, 25);
    EXPECT_EQ(pair.size(), QSize(15, 25)) << "at least 15 wide";
    EXPECT_EQ(pair.UpButton()->geometry(), QRect(0, 0, 15, 12));
    EXPECT_EQ(pair.DownButton()->geometry(), QRect(0, 11, 15, 14)) << "overlapping by a pixel";
    pair.SetDirection(spHorizontal);
    pair.SetBounds(0, 0, 10, 20);
    EXPECT_EQ(pair.size(), QSize(20, 20));
    EXPECT_EQ(pair.DownButton()->geometry(), QRect(0, 0, 10, 20));
    EXPECT_EQ(pair.UpButton()->geometry(), QRect(11, 0, 10, 20));
    EXPECT_EQ(pair.DownButton()->ArrowKind(), TExtTimerSpeedButton::akLeft);
    EXPECT_EQ(pair.UpButton()->ArrowKind(), TExtTimerSpeedButton::akRight);

    // Side by side in the edit: the left button steps down, the right one up; the keys step too.
    Form f;
    f.spin->SetMinValue(-100);
    f.spin->SetDirection(spHorizontal);
    TEsgSpinButton* buttons = f.spin->Button();
    EXPECT_EQ(buttons->width(), 20);
    EXPECT_LT(buttons->DownButton()->x(), buttons->UpButton()->x());
    mouse(buttons->DownButton(), QEvent::MouseButtonPress);
    mouse(buttons->DownButton(), QEvent::MouseButtonRelease);
    EXPECT_EQ(f.spin->Value(), -1);
    mouse(buttons->UpButton(), QEvent::MouseButtonPress);
    mouse(buttons->UpButton(), QEvent::MouseButtonRelease);
    mouse(buttons->UpButton(), QEvent::MouseButtonPress);
    mouse(buttons->UpButton(), QEvent::MouseButtonRelease);
    EXPECT_EQ(f.spin->Value(), 1);
    EXPECT_TRUE(f.spin->hasFocus()) << "a press gives the focus to the edit";
    const struct {
        int key;
        int value;
    } steps[] = {{Qt::Key_Up, 2}, {Qt::Key_PageUp, 3}, {Qt::Key_Down, 2}, {Qt::Key_PageDown, 1}};
    for (const auto& s : steps) {
        sendKey(f.spin, s.key);
        EXPECT_EQ(f.spin->Value(), s.value);
    }
    // The buttons stand inside the edit at its right edge and the text keeps clear of them.
    EXPECT_EQ(buttons->geometry().right() + 1, f.spin->width() - 3);
    EXPECT_GE(f.spin->textMargins().right(), buttons->width() + 2);
    f.spin->setReadOnly(true);
    sendKey(f.spin, Qt::Key_Up);
    EXPECT_EQ(f.spin->Value(), 1) << "nothing steps while read-only";
}

TEST_F(SpinEditTest, IntegerStepsStopAtTheIntegerLimits)
{
    TEsgSpinEdit spin;
    spin.SetMinValue(0);
    spin.SetMaxValue(0);
    spin.SetIncrement(10);
    spin.SetValue(std::numeric_limits<int>::max() - 3);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.Value(), std::numeric_limits<int>::max());
    spin.SetValue(std::numeric_limits<int>::min() + 3);
    spin.DownClick(&spin);
    EXPECT_EQ(spin.Value(), std::numeric_limits<int>::min());
    FormatSettings() = USFormatSettings();
    spin.SetSpinType(sptFloat);
    spin.SetPrecision(2);
    spin.SetMinFloatValue(0);
    spin.SetMaxFloatValue(10);
    spin.SetFloatValue(9.95);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.text(), QStringLiteral("10.00")) << "float steps stop at the float limits";
}

TEST_F(SpinEditTest, DateStepsByThePartTheCaretIsIn)
{
    struct Case {
        bool isoFormat;
        QString text;
        int caret;
        int sign;
        QString result;
    };
    const Case cases[] = {
        {false, "15.03.2025", 1, 1, "16.03.2025"},  // day part
        {false, "31.01.2025", 4, 1, "28.02.2025"},  // month part: the month's last day
        {false, "29.02.2024", 8, 1, "28.02.2025"},  // year part into a common year
        {false, "29.02.2024", 10, -1, "28.02.2023"},
        {false, "31.03.2025", 3, -1, "28.02.2025"},
        {false, "01.01.2025", 0, -1, "31.12.2024"},
        // Year first counts as month first: the first part steps months, the second days.
        {true, "2025-01-31", 1, 1, "2025-02-28"},
        {true, "2025-01-31", 6, 1, "2025-02-01"},
        {true, "2025-01-31", 9, 1, "2026-01-31"},
        // Steps that would leave the calendar change nothing (and raise nothing).
        {false, "31.12.9999", 1, 1, "31.12.9999"},
        {false, "31.12.9999", 4, 1, "31.12.9999"},
        {false, "31.12.9999", 8, 1, "31.12.9999"},
        {false, "01.01.0001", 0, -1, "01.01.0001"},
        {false, "01.01.0001", 3, -1, "01.01.0001"},
    };
    for (const Case& c : cases) {
        FormatSettings() = GermanFormatSettings();
        if (c.isoFormat) {
            FormatSettings().ShortDateFormat = QStringLiteral("yyyy-mm-dd");
            FormatSettings().DateSeparator = QLatin1Char('-');
        }
        TEsgSpinEdit spin;
        spin.SetSpinType(sptDate);
        spin.setText(c.text);
        spin.setCursorPosition(c.caret);
        if (c.sign > 0)
            spin.UpClick(&spin);
        else
            spin.DownClick(&spin);
        EXPECT_EQ(spin.text(), c.result) << c.text.toStdString() << " caret " << c.caret;
        EXPECT_EQ(spin.cursorPosition(), c.caret) << "the caret stays";
    }

    const TDateTime now = EncodeDate(2026, 12, 11) + EncodeTime(9, 30, 0, 0);
    SetClock([now] { return now; });
    TEsgSpinEdit spin;
    spin.SetSpinType(sptDate);
    spin.setText(QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(spin.DateValue(), now);
}

TEST_F(SpinEditTest, TimeStepsWrapWithinTheDay)
{
    FormatSettings() = GermanFormatSettings();
    struct Case {
        QString text;
        int caret;
        int sign;
        QString result;
    };
    const Case cases[] = {
        {"23:30:00", 0, 1, "00:30:00"},  {"00:10:00", 2, -1, "23:10:00"}, {"00:10:00", 4, -1, "00:09:00"},
        {"00:00:00", 5, -1, "23:59:00"}, {"00:10:00", 7, 1, "00:10:01"},  {"23:59:59", 8, 1, "00:00:00"},
    };
    for (const Case& c : cases) {
        TEsgSpinEdit spin;
        spin.SetSpinType(sptTime);
        spin.setText(c.text);
        spin.setCursorPosition(c.caret);
        if (c.sign > 0)
            spin.UpClick(&spin);
        else
            spin.DownClick(&spin);
        EXPECT_EQ(spin.text(), c.result) << c.text.toStdString() << " caret " << c.caret;
        EXPECT_GE(spin.TimeValue(), 0.0);
    }
}

TEST_F(SpinEditTest, SpinTypeAndPrecisionRewriteTheText)
{
    FormatSettings() = USFormatSettings();
    TEsgSpinEdit spin;
    spin.setText(QStringLiteral("007"));
    spin.SetSpinType(sptNormal);
    EXPECT_EQ(spin.text(), QStringLiteral("7"));
    spin.SetSpinType(sptFloat);
    spin.SetPrecision(2);
    EXPECT_EQ(spin.text(), QStringLiteral("7.00"));
    spin.UpClick(&spin);
    EXPECT_EQ(spin.text(), QStringLiteral("7.10"));
    spin.SetPrecision(0);
    EXPECT_EQ(spin.text(), QStringLiteral("7.1"));
}

TEST_F(SpinEditTest, TabReachesTheEditorsButNotTheSpinButtons)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit;
    auto* spin = new TEsgSpinEdit;
    auto* combo = new TESGComboBox;
    auto* last = new QLineEdit;
    for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(spin), static_cast<QWidget*>(combo),
                       static_cast<QWidget*>(last)})
        layout->addWidget(w);
    EXPECT_EQ(KeyboardWalkProblem(&window, {first, spin, combo, last}), "");
}
