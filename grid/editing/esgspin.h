#pragma once
// The spin editor: TEsgSpinEdit, a one-line edit with a pair of arrow buttons at its right edge
// that steps an integer, a float, a date or a time; TEsgSpinButton, the button pair; and
// TExtTimerSpeedButton, the auto-repeating button the pair is made of. The grid's spin cell
// editor derives from TEsgSpinEdit; the controls also work on their own in a form.
//
// Holding a button steps once on the press, again after 400 ms and then every 100 ms until the
// button is released. Typed characters that do not fit the value's kind are refused with a beep
// (GridBeep), never with a message, and the value getters never raise: an unreadable text reads
// as the kind's fall-back value.
#include <QPixmap>
#include <QPointer>
#include <QToolButton>

#include <functional>

#include "grid/editing/editorlineedit.h"
#include "platform/rtl/sysutils.h"

class QTimer;

enum TSpinDirection { spVertical, spHorizontal };
enum TEsgSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TEditAlign { eaLeft, eaRight, eaCenter };

// An auto-repeating speed button with an arrow. Its click runs OnClick; with the auto-repeat flag
// a press clicks at once and starts the repeat timer (400 ms, then 100 ms a tick, a click per tick
// while the button stays down), and releasing the mouse stops it.
class TExtTimerSpeedButton : public QToolButton {
    Q_OBJECT
public:
    // Arrow kinds: 0 left, 1 right, 2 up, 3 down.
    enum { akLeft = 0, akRight = 1, akUp = 2, akDown = 3 };
    // Button flags.
    enum { tbFocusRect = 0x1, tbAllowTimer = 0x2 };

    explicit TExtTimerSpeedButton(QWidget* parent = nullptr);

    int ArrowKind() const { return arrowKind_; }
    void SetArrowKind(int kind);
    unsigned ButtonFlags() const { return flags_; }
    void SetButtonFlags(unsigned flags);
    bool Themed() const { return themed_; }
    void SetThemed(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // The glyph strip: NumGlyphs pictures side by side (up, disabled, down, exclusive).
    QPixmap Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    // The mouse is over the button.
    bool Hot() const { return hot_; }

    // Clicks the button: runs OnClick.
    void Click();

    // The repeat timer (nullptr until the first press); tests fire its ticks with RepeatTimerExpired.
    QTimer* RepeatTimer() const { return repeatTimer_; }
    // One expiry of the repeat timer: the interval becomes 100 ms and, while the button is down,
    // the button is clicked. An exception of the click stops the timer and goes on.
    void RepeatTimerExpired();

    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseDown;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void paintClassic(class QPainter& p);

    QTimer* repeatTimer_ = nullptr;
    unsigned flags_ = 0;
    int arrowKind_ = akUp;
    bool themed_ = false;
    bool hot_ = false;
    bool flat_ = false;
    bool transparent_ = false;
    QPixmap glyph_;
    int numGlyphs_ = 1;
};

// The two arrow buttons. A click on the up (right) button runs OnUpClick, on the down (left)
// button OnDownClick; a press gives the focus to FocusControl.
class TEsgSpinButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Direction READ DirectionNumber WRITE SetDirectionNumber)
    Q_PROPERTY(int UpNumGlyphs READ UpNumGlyphs WRITE SetUpNumGlyphs)
    Q_PROPERTY(int DownNumGlyphs READ DownNumGlyphs WRITE SetDownNumGlyphs)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
public:
    explicit TEsgSpinButton(QWidget* parent = nullptr);

    TSpinDirection Direction() const { return direction_; }
    void SetDirection(TSpinDirection value);
    int DirectionNumber() const { return int(direction_); }
    void SetDirectionNumber(int value) { SetDirection(TSpinDirection(value)); }
    // A null picture loads the default arrow glyph.
    QPixmap UpGlyph() const;
    void SetUpGlyph(const QPixmap& glyph);
    QPixmap DownGlyph() const;
    void SetDownGlyph(const QPixmap& glyph);
    int UpNumGlyphs() const;
    void SetUpNumGlyphs(int value);
    int DownNumGlyphs() const;
    void SetDownNumGlyphs(int value);
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control) { focusControl_ = control; }
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus); }
    // Passed down to both buttons.
    bool IsWinXP() const { return themed_; }
    void SetIsWinXP(bool value);

    TExtTimerSpeedButton* UpButton() const { return upButton_; }
    TExtTimerSpeedButton* DownButton() const { return downButton_; }
    TExtTimerSpeedButton* FocusedButton() const { return focusedButton_; }

    // The size the pair takes for a requested size (at least 15 wide upright, 20 side by side).
    QSize AdjustedSize(int width, int height) const;
    // Moves and sizes the pair, the buttons laid out inside it.
    void SetBounds(int left, int top, int width, int height);

    std::function<void(QObject* Sender)> OnUpClick;
    std::function<void(QObject* Sender)> OnDownClick;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void layoutButtons(int width, int height);
    void setFocusButton(TExtTimerSpeedButton* button);
    void buttonClick(QObject* sender);
    void buttonMouseDown(TExtTimerSpeedButton* button, Qt::MouseButton mouseButton);

    TExtTimerSpeedButton* upButton_ = nullptr;
    TExtTimerSpeedButton* downButton_ = nullptr;
    TExtTimerSpeedButton* focusedButton_ = nullptr;
    QPointer<QWidget> focusControl_;
    TSpinDirection direction_ = spVertical;
    bool themed_ = false;
};

class TEsgSpinEdit : public TEditorLineEdit {
    Q_OBJECT
    Q_PROPERTY(int SpinType READ SpinTypeNumber WRITE SetSpinTypeNumber)
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(double MinFloatValue READ MinFloatValue WRITE SetMinFloatValue)
    Q_PROPERTY(double MaxFloatValue READ MaxFloatValue WRITE SetMaxFloatValue)
    Q_PROPERTY(double MinDateValue READ MinDateValue WRITE SetMinDateValue)
    Q_PROPERTY(double MaxDateValue READ MaxDateValue WRITE SetMaxDateValue)
    Q_PROPERTY(int Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(double IncrementFloat READ IncrementFloat WRITE SetIncrementFloat)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
    Q_PROPERTY(bool ReturnIsTab READ ReturnIsTab WRITE SetReturnIsTab)
    Q_PROPERTY(bool ExcelStyleDecimalSeparator READ ExcelStyleDecimalSeparator WRITE SetExcelStyleDecimalSeparator)
    Q_PROPERTY(int Direction READ DirectionNumber WRITE SetDirectionNumber)
    Q_PROPERTY(bool SpinFlat READ SpinFlat WRITE SetSpinFlat)
    Q_PROPERTY(bool SpinTransparent READ SpinTransparent WRITE SetSpinTransparent)
    Q_PROPERTY(int EditAlign READ EditAlignNumber WRITE SetEditAlignNumber)
    Q_PROPERTY(int BorderStyle READ BorderStyleNumber WRITE SetBorderStyleNumber)
public:
    explicit TEsgSpinEdit(QWidget* parent = nullptr);

    TEsgSpinType SpinType() const { return spinType_; }
    void SetSpinType(TEsgSpinType value);
    int SpinTypeNumber() const { return int(spinType_); }
    void SetSpinTypeNumber(int value) { SetSpinType(TEsgSpinType(value)); }

    // The text as integer; a text that is no integer reads MinValue. Writing clamps to the limits.
    int Value() const;
    void SetValue(int value);
    // The text as float; a text that is no number reads MinFloatValue.
    double FloatValue() const;
    void SetFloatValue(double value);
    // The text as date; empty or "0" reads now, an invalid text MinDateValue.
    TDateTime DateValue() const;
    void SetDateValue(TDateTime value);
    // The text as time; an invalid text reads 0.
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime value);

    // Equal limits mean no limit.
    int MinValue() const { return minValue_; }
    void SetMinValue(int value) { minValue_ = value; }
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value) { maxValue_ = value; }
    double MinFloatValue() const { return minFloatValue_; }
    void SetMinFloatValue(double value) { minFloatValue_ = value; }
    double MaxFloatValue() const { return maxFloatValue_; }
    void SetMaxFloatValue(double value) { maxFloatValue_ = value; }
    TDateTime MinDateValue() const { return minDateValue_; }
    void SetMinDateValue(TDateTime value) { minDateValue_ = value; }
    TDateTime MaxDateValue() const { return maxDateValue_; }
    void SetMaxDateValue(TDateTime value) { maxDateValue_ = value; }
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    double IncrementFloat() const { return incrementFloat_; }
    void SetIncrementFloat(double value) { incrementFloat_ = value; }
    // Decimals shown for floats; 0: the shortest text.
    int Precision() const { return precision_; }
    void SetPrecision(int value);
    // False: the text changes only by the buttons and the step keys (and Backspace).
    using TEditorLineEdit::EditorEnabled;
    using TEditorLineEdit::SetEditorEnabled;
    bool ReturnIsTab() const { return returnIsTab_; }
    void SetReturnIsTab(bool value) { returnIsTab_ = value; }
    // The keypad's decimal key types the locale's decimal separator.
    bool ExcelStyleDecimalSeparator() const { return excelStyleDecimalSeparator_; }
    void SetExcelStyleDecimalSeparator(bool value) { excelStyleDecimalSeparator_ = value; }
    TSpinDirection Direction() const { return button_->Direction(); }
    void SetDirection(TSpinDirection value);
    int DirectionNumber() const { return int(Direction()); }
    void SetDirectionNumber(int value) { SetDirection(TSpinDirection(value)); }
    bool SpinFlat() const { return spinFlat_; }
    void SetSpinFlat(bool value);
    bool SpinTransparent() const { return spinTransparent_; }
    void SetSpinTransparent(bool value);
    TEditAlign EditAlign() const { return editAlign_; }
    void SetEditAlign(TEditAlign value);
    int EditAlignNumber() const { return int(editAlign_); }
    void SetEditAlignNumber(int value) { SetEditAlign(TEditAlign(value)); }
    TEditBorderStyle BorderStyle() const { return hasFrame() ? bsSingle : bsNone; }
    void SetBorderStyle(TEditBorderStyle value);
    int BorderStyleNumber() const { return int(BorderStyle()); }
    void SetBorderStyleNumber(int value) { SetBorderStyle(TEditBorderStyle(value)); }
    // Themed buttons; the grid sets it at creation.
    bool IsWinXP() const { return themed_; }
    void SetIsWinXP(bool value);

    TEsgSpinButton* Button() const { return button_; }
    // The smallest height the edit takes: the font's line and a quarter more, and the border.
    int MinHeight() const;
    // After a form set the properties: the stored date or time value is shown again, and the
    // spin type applied.
    void Loaded();

    // Whether a typed character is taken (the caret and selection as they stand).
    virtual bool IsValidChar(QChar key) const;
    // Step the value up or down by one increment (nothing while read-only).
    virtual void UpClick(QObject* Sender);
    virtual void DownClick(QObject* Sender);

    // The events are the editor edit's; OnKeyPress sees only characters that IsValidChar took.

protected:
    // The step keys (Up, Page Up, Down, Page Down) before OnKeyDown; Return as Tab with
    // ReturnIsTab; Delete swallowed while the editor is disabled.
    bool PreviewKey(QKeyEvent* event, int& Key) override;
    void KeyDown(int& Key, Qt::KeyboardModifiers Shift) override;
    // Characters go through IsValidChar alone (Backspace stays while the editor is disabled).
    bool RefusesEditKey(const QKeyEvent* event) const override;
    // Refused with a beep unless IsValidChar takes it; the keypad's decimal key may type the
    // locale's separator.
    bool AcceptTyped(QString& typed, Qt::KeyboardModifiers Shift) override;
    bool SelectsAllOnEnter() const override;

    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void step(int sign);
    void stepDate(int sign);
    // The caret as the runtime gives it: the start of the selection.
    int selStart() const;
    void setTextKeepingCaret(const QString& text);
    void placeButton();
    bool dateLimited() const { return minDateValue_ != maxDateValue_; }

    TEsgSpinButton* button_ = nullptr;
    TEsgSpinType spinType_ = sptNormal;
    int minValue_ = 0;
    int maxValue_ = 100;
    double minFloatValue_ = 0.0;
    double maxFloatValue_ = 100.0;
    TDateTime minDateValue_ = 0;
    TDateTime maxDateValue_ = 0;
    TDateTime dateValue_ = 0;
    TDateTime timeValue_ = 0;
    int increment_ = 1;
    double incrementFloat_ = 0.1;
    int precision_ = 0;
    bool returnIsTab_ = false;
    bool excelStyleDecimalSeparator_ = false;
    bool spinFlat_ = false;
    bool spinTransparent_ = false;
    bool themed_ = false;
    TEditAlign editAlign_ = eaLeft;
};

// The default arrow glyphs of the spin buttons, small dark arrows on a transparent ground.
QPixmap SpinUpGlyph();
QPixmap SpinDownGlyph();
