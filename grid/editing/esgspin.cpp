// The spin editor, its button pair and the auto-repeating arrow button.
#include "grid/editing/esgspin.h"

#include <QApplication>
#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "grid/display/extxpvs.h"
#include "grid/display/gridbeep.h"
#include "grid/editing/editorframes.h"
#include "grid/editing/editorkeys.h"
#include "grid/editing/editorlineedit.h"
#include "platform/vcl/events.h"

namespace {

// The repeat timer's first delay and its later interval.
constexpr int InitRepeatPause = 400;
constexpr int RepeatPause = 100;

QPixmap arrowGlyph(TArrowKind kind)
{
    QPixmap glyph(7, 4);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setPen(ToQColor(clBtnText));
    for (int row = 0; row < 4; ++row) {
        const int y = kind == TArrowKind::Up ? row : 3 - row;
        p.drawLine(3 - row, y, 3 + row, y);
    }
    return glyph;
}

}  // namespace

QPixmap SpinUpGlyph()
{
    return arrowGlyph(TArrowKind::Up);
}

QPixmap SpinDownGlyph()
{
    return arrowGlyph(TArrowKind::Down);
}

// ---------------------------------------------------------------------------------------------
// TExtTimerSpeedButton

TExtTimerSpeedButton::TExtTimerSpeedButton(QWidget* parent) : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(false);
}

void TExtTimerSpeedButton::SetArrowKind(int kind)
{
    arrowKind_ = kind;
    update();
}

void TExtTimerSpeedButton::SetButtonFlags(unsigned flags)
{
    flags_ = flags;
    update();
}

void TExtTimerSpeedButton::SetThemed(bool value)
{
    themed_ = value;
    update();
}

void TExtTimerSpeedButton::SetFlat(bool value)
{
    flat_ = value;
    update();
}

void TExtTimerSpeedButton::SetTransparent(bool value)
{
    transparent_ = value;
    update();
}

void TExtTimerSpeedButton::SetGlyph(const QPixmap& glyph)
{
    glyph_ = GlyphWithTransparency(glyph);
    update();
}

void TExtTimerSpeedButton::SetNumGlyphs(int value)
{
    numGlyphs_ = std::clamp(value, 1, 4);
    update();
}

void TExtTimerSpeedButton::Click()
{
    if (OnClick)
        OnClick(this);
}

void TExtTimerSpeedButton::RepeatTimerExpired()
{
    if (!repeatTimer_)
        return;
    repeatTimer_->setInterval(RepeatPause);
    if (!isDown())
        return;
    try {
        Click();
    } catch (...) {
        repeatTimer_->stop();
        throw;
    }
}

void TExtTimerSpeedButton::mousePressEvent(QMouseEvent* event)
{
    QToolButton::mousePressEvent(event);
    if (OnMouseDown) {
        const QPoint pos = event->position().toPoint();
        RunGuarded([&] { OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y()); });
    }
    if (event->button() != Qt::LeftButton || !(flags_ & tbAllowTimer) || !isDown())
        return;
    if (!repeatTimer_) {
        repeatTimer_ = new QTimer(this);
        connect(repeatTimer_, &QTimer::timeout, this, [this] { RunGuarded([this] { RepeatTimerExpired(); }); });
    }
    repeatTimer_->setInterval(InitRepeatPause);
    repeatTimer_->start();
    RunGuarded([this] { Click(); });
}

void TExtTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicked = event->button() == Qt::LeftButton && isDown() && rect().contains(event->position().toPoint());
    QToolButton::mouseReleaseEvent(event);
    if (repeatTimer_)
        repeatTimer_->stop();
    // An auto-repeating button clicked on the press already.
    if (clicked && !(flags_ & tbAllowTimer))
        RunGuarded([this] { Click(); });
}

void TExtTimerSpeedButton::enterEvent(QEnterEvent* event)
{
    hot_ = true;
    update();
    QToolButton::enterEvent(event);
}

void TExtTimerSpeedButton::leaveEvent(QEvent* event)
{
    hot_ = false;
    update();
    QToolButton::leaveEvent(event);
}

void TExtTimerSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (themed_) {
        if (HTHEME theme = OpenThemeData(window(), QStringLiteral("spin"))) {
            using namespace themepart;
            static const int parts[] = {SPNP_DOWNHORZ, SPNP_UPHORZ, SPNP_UP, SPNP_DOWN};
            const int stateNumber = isDown() ? 3 : hot_ ? 2 : 1;
            DrawThemeBackground(theme, p, parts[std::clamp(arrowKind_, 0, 3)], stateNumber, rect());
            CloseThemeData(theme);
            return;
        }
    }
    paintClassic(p);
}

void TExtTimerSpeedButton::paintClassic(QPainter& p)
{
    const bool down = isDown();
    if (arrowKind_ == akLeft || arrowKind_ == akRight) {
        DrawScrollArrowButton(p, rect(), TArrowKind(arrowKind_), down, flat_, isEnabled());
    } else {
        // A speed button: its face and edge, then the glyph, moved by a pixel while down.
        QRect face = rect();
        if (!transparent_ || down)
            p.fillRect(face, ToQColor(clBtnFace));
        if (!flat_)
            face = DrawEdge(p, face, down ? BDR_SUNKENOUTER | BDR_SUNKENINNER : EDGE_RAISED);
        else if (down || (hot_ && isEnabled()))
            face = DrawEdge(p, face, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER);
        const QPixmap strip = glyph_.isNull() ? (arrowKind_ == akUp ? SpinUpGlyph() : SpinDownGlyph()) : glyph_;
        QRect target(QPoint(0, 0), GlyphSize(strip, numGlyphs_));
        target.moveCenter(face.center());
        if (down)
            target.translate(1, 1);
        DrawGlyph(p, strip, numGlyphs_, target.topLeft(), isEnabled(), down);
    }
    if (flags_ & tbFocusRect) {
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        opt.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
    }
}

// ---------------------------------------------------------------------------------------------
// TEsgSpinButton

TEsgSpinButton::TEsgSpinButton(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    auto makeButton = [this](int kind) {
        auto* b = new TExtTimerSpeedButton(this);
        b->SetButtonFlags(TExtTimerSpeedButton::tbAllowTimer);
        b->SetArrowKind(kind);
        b->OnClick = [this](QObject* sender) { buttonClick(sender); };
        b->OnMouseDown = [this, b](QObject*, Qt::MouseButton mb, Qt::KeyboardModifiers, int, int) {
            buttonMouseDown(b, mb);
        };
        b->show();
        return b;
    };
    upButton_ = makeButton(TExtTimerSpeedButton::akUp);
    downButton_ = makeButton(TExtTimerSpeedButton::akDown);
    SetUpGlyph(QPixmap());
    SetDownGlyph(QPixmap());
    focusedButton_ = upButton_;
    resize(15, 25);
    layoutButtons(width(), height());
}

QPixmap TEsgSpinButton::UpGlyph() const
{
    return upButton_->Glyph();
}

void TEsgSpinButton::SetUpGlyph(const QPixmap& glyph)
{
    upButton_->SetGlyph(glyph.isNull() ? SpinUpGlyph() : glyph);
    if (glyph.isNull())
        upButton_->SetNumGlyphs(1);
}

QPixmap TEsgSpinButton::DownGlyph() const
{
    return downButton_->Glyph();
}

void TEsgSpinButton::SetDownGlyph(const QPixmap& glyph)
{
    downButton_->SetGlyph(glyph.isNull() ? SpinDownGlyph() : glyph);
    if (glyph.isNull())
        downButton_->SetNumGlyphs(1);
}

int TEsgSpinButton::UpNumGlyphs() const
{
    return upButton_->NumGlyphs();
}

void TEsgSpinButton::SetUpNumGlyphs(int value)
{
    upButton_->SetNumGlyphs(value);
}

int TEsgSpinButton::DownNumGlyphs() const
{
    return downButton_->NumGlyphs();
}

void TEsgSpinButton::SetDownNumGlyphs(int value)
{
    downButton_->SetNumGlyphs(value);
}

void TEsgSpinButton::SetIsWinXP(bool value)
{
    themed_ = value;
    upButton_->SetThemed(value);
    downButton_->SetThemed(value);
}

void TEsgSpinButton::SetDirection(TSpinDirection value)
{
    if (value == direction_)
        return;
    direction_ = value;
    if (direction_ == spHorizontal) {
        upButton_->SetArrowKind(TExtTimerSpeedButton::akRight);
        downButton_->SetArrowKind(TExtTimerSpeedButton::akLeft);
        resize(20, height());
    } else {
        upButton_->SetArrowKind(TExtTimerSpeedButton::akUp);
        downButton_->SetArrowKind(TExtTimerSpeedButton::akDown);
        resize(15, height());
    }
    layoutButtons(width(), height());
}

QSize TEsgSpinButton::AdjustedSize(int w, int h) const
{
    return QSize(std::max(w, direction_ == spVertical ? 15 : 20), h);
}

void TEsgSpinButton::SetBounds(int left, int top, int w, int h)
{
    const QSize s = AdjustedSize(w, h);
    setGeometry(left, top, s.width(), s.height());
    layoutButtons(s.width(), s.height());
}

void TEsgSpinButton::layoutButtons(int w, int h)
{
    if (direction_ == spVertical) {
        // The two buttons overlap by one pixel.
        const int upper = h / 2;
        upButton_->setGeometry(0, 0, w, upper);
        downButton_->setGeometry(0, upper - 1, w, h - upper + 1);
    } else {
        downButton_->setGeometry(0, 0, w / 2, h);
        upButton_->setGeometry(w / 2 + 1, 0, w / 2, h);
    }
}

void TEsgSpinButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QSize s = AdjustedSize(width(), height());
    if (s != size())
        resize(s);
    else
        layoutButtons(width(), height());
}

void TEsgSpinButton::setFocusButton(TExtTimerSpeedButton* button)
{
    if (button == focusedButton_)
        return;
    if (hasFocus()) {
        focusedButton_->SetButtonFlags(focusedButton_->ButtonFlags() & ~TExtTimerSpeedButton::tbFocusRect);
        button->SetButtonFlags(button->ButtonFlags() | TExtTimerSpeedButton::tbFocusRect);
    }
    focusedButton_ = button;
}

void TEsgSpinButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        RunGuarded([this] { focusedButton_->Click(); });
        break;
    case Qt::Key_Up:
        setFocusButton(upButton_);
        RunGuarded([this] { upButton_->Click(); });
        break;
    case Qt::Key_Down:
        setFocusButton(downButton_);
        RunGuarded([this] { downButton_->Click(); });
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TEsgSpinButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    focusedButton_->SetButtonFlags(focusedButton_->ButtonFlags() | TExtTimerSpeedButton::tbFocusRect);
}

void TEsgSpinButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    focusedButton_->SetButtonFlags(focusedButton_->ButtonFlags() & ~TExtTimerSpeedButton::tbFocusRect);
}

void TEsgSpinButton::buttonMouseDown(TExtTimerSpeedButton* button, Qt::MouseButton mouseButton)
{
    if (mouseButton != Qt::LeftButton)
        return;
    auto canTakeFocus = [](QWidget* w) {
        return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible();
    };
    if (canTakeFocus(this))
        setFocusButton(button);
    QWidget* control = focusControl_.data();
    if (control && canTakeFocus(control) && !control->hasFocus())
        control->setFocus(Qt::MouseFocusReason);
    else if (canTakeFocus(this) && !hasFocus())
        setFocus(Qt::MouseFocusReason);
}

void TEsgSpinButton::buttonClick(QObject* sender)
{
    if (sender == upButton_) {
        if (OnUpClick)
            OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

// ---------------------------------------------------------------------------------------------
// TEsgSpinEdit

TEsgSpinEdit::TEsgSpinEdit(QWidget* parent) : TEditorLineEdit(parent)
{
    button_ = new TEsgSpinButton(this);
    button_->resize(15, 17);
    button_->setCursor(Qt::ArrowCursor);
    button_->SetFocusControl(this);
    button_->OnUpClick = [this](QObject* sender) { UpClick(sender); };
    button_->OnDownClick = [this](QObject* sender) { DownClick(sender); };
    button_->show();
    setText(QStringLiteral("0"));
    // A smaller height is raised to the least that shows the text.
    setMinimumHeight(MinHeight());
    placeButton();
}

void TEsgSpinEdit::SetSpinType(TEsgSpinType value)
{
    spinType_ = value;
    // The text is written back as a value of the new kind, so that it reads alike.
    switch (spinType_) {
    case sptNormal:
        SetValue(Value());
        break;
    case sptFloat:
        SetFloatValue(FloatValue());
        break;
    case sptDate:
        SetDateValue(DateValue());
        break;
    case sptTime:
        SetTimeValue(TimeValue());
        break;
    }
}

int TEsgSpinEdit::Value() const
{
    int v = 0;
    return TryStrToInt(text(), v) ? v : minValue_;
}

void TEsgSpinEdit::SetValue(int value)
{
    if (minValue_ != maxValue_)
        value = std::clamp(value, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
    setText(IntToStr(value));
    if (!EditorEnabled())
        selectAll();
}

double TEsgSpinEdit::FloatValue() const
{
    double v = 0;
    return TryStrToFloat(text(), v) ? v : minFloatValue_;
}

void TEsgSpinEdit::SetFloatValue(double value)
{
    if (minFloatValue_ != maxFloatValue_) {
        if (value <= minFloatValue_)
            value = minFloatValue_;
        else if (value >= maxFloatValue_)
            value = maxFloatValue_;
    }
    if (precision_ != 0)
        setText(
            FormatFloat(QStringLiteral("0") +
                            (precision_ > 0 ? QStringLiteral(".") + QString(precision_, QLatin1Char('0')) : QString()),
                        value));
    else
        setText(FloatToStr(value));
}

TDateTime TEsgSpinEdit::DateValue() const
{
    const QString s = text();
    if (s.isEmpty() || s == QLatin1String("0"))
        return Now();
    TDateTime d = 0;
    return TryStrToDate(s, d) ? d : minDateValue_;
}

void TEsgSpinEdit::SetDateValue(TDateTime value)
{
    if (dateLimited())
        value = std::clamp(value, std::min(minDateValue_, maxDateValue_), std::max(minDateValue_, maxDateValue_));
    dateValue_ = value;
    setTextKeepingCaret(DateToStr(value));
}

TDateTime TEsgSpinEdit::TimeValue() const
{
    TDateTime t = 0;
    return TryStrToTime(text(), t) ? t : 0;
}

void TEsgSpinEdit::SetTimeValue(TDateTime value)
{
    timeValue_ = value;
    setTextKeepingCaret(TimeToStr(value));
}

void TEsgSpinEdit::SetPrecision(int value)
{
    precision_ = value;
    if (spinType_ == sptFloat)
        SetFloatValue(FloatValue());
}

void TEsgSpinEdit::SetDirection(TSpinDirection value)
{
    button_->SetDirection(value);
    placeButton();
}

void TEsgSpinEdit::SetSpinFlat(bool value)
{
    spinFlat_ = value;
    button_->UpButton()->SetFlat(value);
    button_->DownButton()->SetFlat(value);
}

void TEsgSpinEdit::SetSpinTransparent(bool value)
{
    spinTransparent_ = value;
    button_->UpButton()->SetTransparent(value);
    button_->DownButton()->SetTransparent(value);
    placeButton();
}

void TEsgSpinEdit::SetEditAlign(TEditAlign value)
{
    editAlign_ = value;
    const Qt::Alignment h = value == eaRight ? Qt::AlignRight : value == eaCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    setAlignment(h | Qt::AlignVCenter);
}

void TEsgSpinEdit::SetBorderStyle(TEditBorderStyle value)
{
    setFrame(value == bsSingle);
    setMinimumHeight(MinHeight());
    placeButton();
}

void TEsgSpinEdit::SetIsWinXP(bool value)
{
    themed_ = value;
    button_->SetIsWinXP(value);
}

int TEsgSpinEdit::MinHeight() const
{
    const int own = fontMetrics().height();
    const int system = QFontMetrics(QApplication::font()).height();
    return own + std::min(own, system) / 4 + 2 + (hasFrame() ? 4 : 0);
}

void TEsgSpinEdit::Loaded()
{
    if (spinType_ == sptDate)
        setText(DateToStr(dateValue_));
    else if (spinType_ == sptTime)
        setText(TimeToStr(timeValue_));
    SetSpinType(spinType_);
}

void TEsgSpinEdit::placeButton()
{
    const int bw = button_->width();
    const bool framed = hasFrame();
    // The buttons stand inside the border at the right edge; the text keeps clear of them.
    if (framed)
        button_->SetBounds(width() - bw - 3, 2, bw, height() - 5);
    else
        button_->SetBounds(width() - bw - 1, 0, bw, height() - 1);
    const int inset = framed ? 0 : 1;
    setTextMargins(inset, inset, button_->width() + 2 + inset, 0);
}

void TEsgSpinEdit::resizeEvent(QResizeEvent* event)
{
    TEditorLineEdit::resizeEvent(event);
    placeButton();
}

void TEsgSpinEdit::changeEvent(QEvent* event)
{
    TEditorLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setMinimumHeight(MinHeight());
}

int TEsgSpinEdit::selStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TEsgSpinEdit::setTextKeepingCaret(const QString& s)
{
    const int caret = cursorPosition();
    setText(s);
    setCursorPosition(std::min(caret, int(s.size())));
}

bool TEsgSpinEdit::IsValidChar(QChar key) const
{
    if (key == QLatin1Char('\b'))
        return true;
    const TFormatSettings& fs = FormatSettings();
    const QChar minus = QLatin1Char('-');
    const QChar plus = QLatin1Char('+');
    const bool numeric = spinType_ == sptNormal || spinType_ == sptFloat;
    const bool numberSign = key == fs.DecimalSeparator || key == fs.ThousandSeparator || key == minus || key == plus;
    bool result = key == fs.DecimalSeparator || key == fs.ThousandSeparator || key == fs.TimeSeparator ||
                  key == fs.DateSeparator || key == minus || key.isDigit() ||
                  (key.unicode() < 32 && key != QLatin1Char('\r'));
    // A separator of another kind is taken only where it also serves the number.
    if (key == fs.TimeSeparator && spinType_ != sptTime)
        result = result && numberSign && numeric;
    if (key == fs.DateSeparator && spinType_ != sptDate)
        result = result && spinType_ != sptTime && numberSign;
    const QString s = text();
    const QString selected = selectedText();
    if (key == minus) {
        if (selStart() != 0)
            result = false;
        if (s.contains(minus) && !selected.contains(minus))
            result = false;
    }
    if (spinType_ == sptNormal && key != minus && !key.isDigit())
        result = false;
    if (spinType_ == sptFloat && key != QLatin1Char('\r') && key != QChar(27)) {
        if (key == fs.ThousandSeparator)
            result = false;
        if (key == fs.DecimalSeparator && s.contains(fs.DecimalSeparator) && !selected.contains(fs.DecimalSeparator))
            result = false;
        const int p = int(s.indexOf(fs.DecimalSeparator)) + 1;  // 1-based, 0: none
        if (precision_ >= 1 && p > 0 && selStart() >= p && selected.isEmpty() && s.size() >= p + precision_)
            result = false;
    }
    if (spinType_ == sptTime && key == fs.TimeSeparator && s.count(fs.TimeSeparator) >= 2)
        result = false;
    if (!EditorEnabled() && key.unicode() >= 32)
        result = false;
    return result;
}

void TEsgSpinEdit::UpClick(QObject*)
{
    step(1);
}

void TEsgSpinEdit::DownClick(QObject*)
{
    step(-1);
}

void TEsgSpinEdit::step(int sign)
{
    if (isReadOnly())
        return;
    switch (spinType_) {
    case sptNormal: {
        // Saturates at the integer's limits instead of wrapping round.
        const int64_t v = int64_t(Value()) + int64_t(sign) * int64_t(increment_);
        SetValue(int(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
        break;
    }
    case sptFloat:
        SetFloatValue(FloatValue() + sign * incrementFloat_);
        break;
    case sptDate:
        stepDate(sign);
        break;
    case sptTime: {
        const QString s = text();
        const QChar sep = FormatSettings().TimeSeparator;
        const int first = int(s.indexOf(sep));
        const int second = first >= 0 ? int(s.indexOf(sep, first + 1)) : -1;
        const int caret = selStart();
        const double unit = caret <= first ? 1.0 / 24 : caret <= second ? 1.0 / 1440 : 1.0 / 86400;
        // Within the day: 00:10 less an hour is 23:10, 23:30 and an hour 00:30.
        double t = TimeValue() + sign * unit;
        t = std::round((t - std::floor(t)) * 86400000.0) / 86400000.0;
        if (t >= 1.0)
            t = 0;
        SetTimeValue(t);
        break;
    }
    }
}

void TEsgSpinEdit::stepDate(int sign)
{
    const QString format = FormatSettings().ShortDateFormat.toUpper();
    const bool monthFirst = format.indexOf(QLatin1Char('M')) < format.indexOf(QLatin1Char('D'));
    const QString s = text();
    const QChar sep = FormatSettings().DateSeparator;
    const int first = int(s.indexOf(sep));
    const int second = first >= 0 ? int(s.indexOf(sep, first + 1)) : -1;
    const int caret = selStart();
    const int part = caret <= first ? 0 : caret <= second ? 1 : 2;
    enum { Day, Month, Year };
    const int unit = part == 2 ? Year : (part == 0) == monthFirst ? Month : Day;

    const TDateTime d = DateValue();
    TDateTime result = d;
    // A step that would leave the calendar (before the year 1, after 9999) leaves the date as it is.
    if (unit == Day) {
        result = IncDay(d, sign);
        if (result < EncodeDate(1, 1, 1) || result >= EncodeDate(9999, 12, 31) + 1)
            return;
    } else if (unit == Month) {
        int y = 0, m = 0, day = 0;
        DecodeDate(d, y, m, day);
        if ((y <= 1 && m == 1 && sign < 0) || (y >= 9999 && m == 12 && sign > 0))
            return;
        result = IncMonth(d, sign);
    } else {
        // Month and day kept; 29 February into a common year becomes the 28th, as the month step
        // clamps.
        int y = 0, m = 0, day = 0;
        DecodeDate(d, y, m, day);
        TDateTime moved = 0;
        if (!TryEncodeDate(y + sign, m, std::min(day, DaysInAMonth(y + sign, m)), moved))
            return;
        result = moved + TimeOf(d);
    }
    SetDateValue(result);
}

bool TEsgSpinEdit::PreviewKey(QKeyEvent* event, int& key)
{
    // The step keys are the spin edit's own and reach no handler.
    if (key == Qt::Key_Up || key == Qt::Key_PageUp) {
        RunGuarded([this] { UpClick(this); });
        return true;
    }
    if (key == Qt::Key_Down || key == Qt::Key_PageDown) {
        RunGuarded([this] { DownClick(this); });
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && returnIsTab_) {
        // Return moves on as Tab does; the handlers see a Tab.
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        key = Qt::Key_Tab;
    }
    if (key == Qt::Key_Delete && !EditorEnabled())
        key = 0;
    return false;
}

void TEsgSpinEdit::KeyDown(int& key, Qt::KeyboardModifiers)
{
    // A Tab (Return made one) moves the focus and types nothing.
    if (key == Qt::Key_Tab)
        key = 0;
}

bool TEsgSpinEdit::RefusesEditKey(const QKeyEvent*) const
{
    return false;
}

bool TEsgSpinEdit::AcceptTyped(QString& typed, Qt::KeyboardModifiers shift)
{
    for (QChar& ch : typed) {
        if (excelStyleDecimalSeparator_ && ch == QLatin1Char('.') && (shift & Qt::KeypadModifier))
            ch = FormatSettings().DecimalSeparator;
        if (!IsValidChar(ch)) {
            GridBeep();
            return false;
        }
    }
    return KeyPressAccepts(typed);
}

bool TEsgSpinEdit::SelectsAllOnEnter() const
{
    return AutoSelect() && !((QApplication::mouseButtons() & Qt::LeftButton) && EditorEnabled());
}

void TEsgSpinEdit::focusOutEvent(QFocusEvent* event)
{
    TEditorLineEdit::focusOutEvent(event);
    if (!FocusWithinWindow(event))
        return;
    // A value outside its limits is written back within them.
    switch (spinType_) {
    case sptNormal: {
        const int v = Value();
        if (minValue_ != maxValue_ && (v < minValue_ || v > maxValue_))
            SetValue(v);
        break;
    }
    case sptFloat: {
        const double v = FloatValue();
        if (minFloatValue_ != maxFloatValue_ && (v < minFloatValue_ || v > maxFloatValue_))
            SetFloatValue(v);
        break;
    }
    case sptDate: {
        const TDateTime d = DateValue();
        if (dateLimited() && (d < minDateValue_ || d > maxDateValue_))
            SetDateValue(d);
        break;
    }
    case sptTime: {
        const TDateTime t = TimeValue();
        if (dateLimited() && (t < minDateValue_ || t > maxDateValue_))
            SetTimeValue(std::clamp(t, std::min(minDateValue_, maxDateValue_), std::max(minDateValue_, maxDateValue_)));
        break;
    }
    }
}
