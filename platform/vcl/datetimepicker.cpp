#include "platform/vcl/datetimepicker.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

#include <cmath>

#include "platform/rtl/application.h"

namespace {

const QDate baseDate(1899, 12, 30);
// The picker's lowest value stands for Null and is shown as an empty text.
const QDateTime nullDateTime(QDate(1752, 9, 14), QTime(0, 0), Qt::UTC);
const QDateTime highestDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC);

// The toolkit's display format for a short date of the format settings ("dd/mm/yy" with "."
// as date separator gives "dd.MM.yyyy"): the settings' order and separator, fixed widths.
QString DateDisplayFormat(const TFormatSettings& fs)
{
    QString out;
    QString order;
    const QString f = fs.ShortDateFormat;
    for (int i = 0; i < f.size(); ++i) {
        const QChar c = f[i].toLower();
        if (c == QLatin1Char('d') || c == QLatin1Char('m') || c == QLatin1Char('y')) {
            while (i + 1 < f.size() && f[i + 1].toLower() == c)
                ++i;
            if (order.contains(c))
                return QStringLiteral("dd.MM.yyyy");
            order += c;
            out += c == QLatin1Char('d') ? QStringLiteral("dd") : c == QLatin1Char('m') ? QStringLiteral("MM") : QStringLiteral("yyyy");
        } else if (c == QLatin1Char('/')) {
            out += fs.DateSeparator;
        } else if (!c.isLetter() && c != QLatin1Char('\'') && c != QLatin1Char('"')) {
            out += c;
        }
    }
    return order.size() == 3 ? out : QStringLiteral("dd.MM.yyyy");
}

QString TimeDisplayFormat(const TFormatSettings& fs)
{
    const QChar sep = fs.TimeSeparator.isLetterOrNumber() || fs.TimeSeparator.isNull() ? QLatin1Char(':') : fs.TimeSeparator;
    return QStringLiteral("HH") + sep + QStringLiteral("mm") + sep + QStringLiteral("ss");
}

}  // namespace

QDateTime DateTimeToQDateTime(TDateTime dt)
{
    // The runtime's encoding: the whole days count from the base date, the fraction is the
    // time of day (also for dates before the base, whose value is negative).
    const double days = std::trunc(dt);
    const double frac = std::fabs(dt - days);
    qint64 ms = qint64(std::llround(frac * MSecsPerDay));
    qint64 d = qint64(days);
    if (ms >= qint64(MSecsPerDay)) {
        ms -= qint64(MSecsPerDay);
        ++d;
    }
    return QDateTime(baseDate.addDays(d), QTime::fromMSecsSinceStartOfDay(int(ms)), Qt::UTC);
}

TDateTime QDateTimeToDateTime(const QDateTime& dt)
{
    const qint64 days = baseDate.daysTo(dt.date());
    const double frac = dt.time().msecsSinceStartOfDay() / MSecsPerDay;
    return days >= 0 ? double(days) + frac : double(days) - frac;
}

TDateTimePicker::TDateTimePicker(QWidget* parent) : QDateTimeEdit(parent)
{
    setTimeSpec(Qt::UTC);
    setMinimumDateTime(nullDateTime);
    setSpecialValueText(QStringLiteral(" "));
    SetKind(dtkDate);
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime&) {
        if (!showing_)
            Change();
    });
    SetDateTime(Date());
}

TDateTimePicker::~TDateTimePicker() = default;

void TDateTimePicker::SetKind(TDateTimeKind value)
{
    kind_ = value;
    applyFormat();
}

void TDateTimePicker::applyFormat()
{
    const QString format = kind_ == dtkDate ? DateDisplayFormat(FormatSettings()) : TimeDisplayFormat(FormatSettings());
    sections_.clear();
    for (int i = 0; i < format.size();) {
        const QChar c = format[i];
        int n = 1;
        while (i + n < format.size() && format[i + n] == c)
            ++n;
        if (QStringLiteral("dMyHms").contains(c))
            sections_.append(Section{i, n, c});
        i += n;
    }
    if (displayFormat() != format) {
        dropTyping();
        const bool wasShowing = showing_;
        showing_ = true;
        const QDateTime value = dateTime();
        setDisplayFormat(format);
        // A format without date sections pins the toolkit's range to the day shown; a time
        // picker keeps the whole range (its Null value and the base date lie apart).
        setDateTimeRange(nullDateTime, highestDateTime);
        setDateTime(value);
        showing_ = wasShowing;
    }
    setCalendarPopup(kind_ == dtkDate);
    section_ = std::min(section_, int(sections_.size()) - 1);
}

TDateTime TDateTimePicker::DateTime() const
{
    return IsNull() ? 0.0 : QDateTimeToDateTime(dateTime());
}

void TDateTimePicker::SetDateTime(TDateTime value)
{
    dropTyping();
    showing_ = true;
    setDateTime(DateTimeToQDateTime(value));
    showing_ = false;
}

bool TDateTimePicker::IsNull() const
{
    return dateTime() == nullDateTime;
}

void TDateTimePicker::SetNull()
{
    dropTyping();
    showing_ = true;
    setDateTime(nullDateTime);
    showing_ = false;
}

void TDateTimePicker::Change()
{
    if (OnChange)
        OnChange(this);
}

QDateTime TDateTimePicker::startValue() const
{
    if (!IsNull())
        return dateTime();
    if (kind_ == dtkDate)
        return DateTimeToQDateTime(Date());
    return QDateTime(baseDate, QTime(0, 0), Qt::UTC);
}

int TDateTimePicker::sectionAt(int position) const
{
    for (int i = 0; i < sections_.size(); ++i)
        if (position <= sections_[i].start + sections_[i].width)
            return i;
    return int(sections_.size()) - 1;
}

void TDateTimePicker::selectSection(int index)
{
    if (index < 0 || index >= sections_.size() || (draft_.isEmpty() && IsNull()))
        return;
    lineEdit()->setSelection(sections_[index].start, sections_[index].width);
}

void TDateTimePicker::moveToSection(int index)
{
    section_ = std::clamp(index, 0, int(sections_.size()) - 1);
    typed_.clear();
    advanced_ = false;
    if (draft_.isEmpty() && !IsNull())
        setCurrentSectionIndex(section_);
    selectSection(section_);
}

void TDateTimePicker::showDraft()
{
    {
        // The toolkit would read the half-typed text as its value; it sees it only once taken.
        const QSignalBlocker quiet(lineEdit());
        lineEdit()->setText(draft_);
    }
    selectSection(section_);
}

void TDateTimePicker::dropTyping()
{
    draft_.clear();
    typed_.clear();
    advanced_ = false;
}

void TDateTimePicker::typeDigit(QChar digit)
{
    if (sections_.isEmpty())
        return;
    if (draft_.isEmpty()) {
        // A click may have chosen another section since the last key.
        if (!IsNull() && typed_.isEmpty()) {
            const QLineEdit* e = lineEdit();
            section_ = sectionAt(e->hasSelectedText() ? e->selectionStart() : e->cursorPosition());
        }
        draft_ = startValue().toString(displayFormat());
        TypingStarted();
    }
    const Section s = sections_[section_];
    typed_ += digit;
    draft_.replace(s.start, s.width, typed_.rightJustified(s.width, QLatin1Char('0')));
    showDraft();
    // A first digit that no second one can follow fills the section at once (a 4 in the day).
    int highestFirst = 9;
    switch (s.letter.unicode()) {
    case 'd': highestFirst = 3; break;
    case 'M': highestFirst = 1; break;
    case 'H': highestFirst = 2; break;
    case 'm':
    case 's': highestFirst = 5; break;
    default: break;
    }
    const bool full = typed_.size() >= s.width || (s.width == 2 && digit.digitValue() > highestFirst);
    if (!full) {
        advanced_ = false;
        return;
    }
    typed_.clear();
    if (section_ + 1 < sections_.size()) {
        ++section_;
        advanced_ = true;
        selectSection(section_);
    } else {
        commit(false);
    }
}

bool TDateTimePicker::CommitTyping(bool deferError)
{
    return commit(deferError);
}

bool TDateTimePicker::commit(bool deferError)
{
    if (draft_.isEmpty())
        return true;
    const QString text = draft_;
    QDateTime value = QDateTime::fromString(text, displayFormat());
    if (value.isValid()) {
        value.setTimeSpec(Qt::UTC);
        const QDateTime current = startValue();
        if (kind_ == dtkDate)
            value.setTime(current.time());
        else
            value.setDate(current.date());
    }
    dropTyping();
    // The toolkit pins a time picker's range to the day it shows, so the bounds are the picker's own.
    const bool valid = value.isValid() && value > nullDateTime && value <= highestDateTime;
    if (!valid || value == dateTime()) {
        // Shows the value the picker has; a refused text leaves it as it was.
        showing_ = true;
        setDateTime(dateTime());
        showing_ = false;
    } else {
        setDateTime(value);
    }
    selectSection(section_);
    if (valid)
        return true;
    const QString message =
        kind_ == dtkDate ? QCoreApplication::translate("SysUtils", "'%1' ist kein gültiges Datum").arg(text)
                         : QCoreApplication::translate("SysUtils", "'%1' ist keine gültige Zeit").arg(text);
    const auto show = [message] {
        try {
            throw EConvertError(message);
        } catch (...) {
            HandleException(std::current_exception());
        }
    };
    if (deferError)
        QTimer::singleShot(0, this, show);
    else
        show();
    return false;
}

void TDateTimePicker::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        // Shortcuts and the calendar (Alt+Down) act on the value as typed.
        if (commit(false))
            QDateTimeEdit::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: moveToSection(section_ - 1); event->accept(); return;
    case Qt::Key_Right: moveToSection(section_ + 1); event->accept(); return;
    case Qt::Key_Home: moveToSection(0); event->accept(); return;
    case Qt::Key_End: moveToSection(int(sections_.size()) - 1); event->accept(); return;
    case Qt::Key_Escape:
        if (!draft_.isEmpty()) {
            dropTyping();
            showing_ = true;
            setDateTime(dateTime());
            showing_ = false;
            selectSection(section_);
            event->accept();
            return;
        }
        QDateTimeEdit::keyPressEvent(event);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (commit(false))
            QDateTimeEdit::keyPressEvent(event);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Reaches here only when the focus chain did not take it.
        event->ignore();
        return;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        event->accept();
        if (!commit(false))
            return;
        if (IsNull()) {
            // An empty picker starts from today (or midnight) rather than its lowest value.
            setDateTime(startValue());
        } else {
            setCurrentSectionIndex(section_);
            QDateTimeEdit::keyPressEvent(event);
        }
        selectSection(section_);
        return;
    default: break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].isDigit() && text[0].unicode() < 128) {
        typeDigit(text[0]);
        event->accept();
        return;
    }
    if (text.size() == 1 && text[0].isPrint() && !text[0].isLetterOrNumber() && !text[0].isSpace()) {
        // A separator ends the section typed into; right after a full section moved on by
        // itself it has nothing left to end.
        if (!typed_.isEmpty() || !advanced_)
            moveToSection(section_ + 1);
        advanced_ = false;
        event->accept();
        return;
    }
    // Letters and other keys change nothing.
    event->accept();
}

bool TDateTimePicker::focusNextPrevChild(bool next)
{
    // Tab leaves the control with the typed value taken; a refused value keeps the focus here.
    if (hasFocus() && !commit(false))
        return true;
    return QWidget::focusNextPrevChild(next);
}

void TDateTimePicker::focusInEvent(QFocusEvent* event)
{
    QDateTimeEdit::focusInEvent(event);
    dropTyping();
    if (event->reason() == Qt::TabFocusReason)
        section_ = 0;
    else if (event->reason() == Qt::BacktabFocusReason)
        section_ = int(sections_.size()) - 1;
    if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason)
        moveToSection(section_);
}

void TDateTimePicker::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason)
        commit(true);
    QDateTimeEdit::focusOutEvent(event);
}

void TDateTimePicker::mousePressEvent(QMouseEvent* event)
{
    commit(true);
    QDateTimeEdit::mousePressEvent(event);
}

void TDateTimePicker::showEvent(QShowEvent* event)
{
    // The format settings may have changed since the picker was made (the language switch at
    // start-up); the picker shows what the rest of the window shows.
    applyFormat();
    QDateTimeEdit::showEvent(event);
}
