#include "controls/dbdatetimepicker.h"

#include "platform/db/fields.h"
#include "platform/rtl/application.h"

#include <QFocusEvent>
#include <QTimer>

#include <cmath>

namespace {

const QDate baseDate(1899, 12, 30);
// The picker's lowest value stands for Null and is shown as an empty text.
const QDateTime nullDateTime(QDate(1752, 9, 14), QTime(0, 0), Qt::UTC);

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

TDBDateTimePicker::TDBDateTimePicker(QWidget* parent) : QDateTimeEdit(parent)
{
    setTimeSpec(Qt::UTC);
    setMinimumDateTime(nullDateTime);
    setSpecialValueText(QStringLiteral(" "));
    SetKind(dtkDate);
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime&) {
        if (!showing_)
            UserChanged();
    });
    showing_ = true;
    setDateTime(DateTimeToQDateTime(Date()));
    showing_ = false;
}

TDBDateTimePicker::~TDBDateTimePicker() = default;

void TDBDateTimePicker::SetKind(TDateTimeKind value)
{
    kind_ = value;
    if (kind_ == dtkDate) {
        setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        setCalendarPopup(true);
    } else {
        setDisplayFormat(QStringLiteral("HH:mm:ss"));
        setCalendarPopup(false);
    }
}

TDateTime TDBDateTimePicker::DateTime() const
{
    return IsNull() ? 0.0 : QDateTimeToDateTime(dateTime());
}

void TDBDateTimePicker::SetDateTime(TDateTime value)
{
    showing_ = true;
    setDateTime(DateTimeToQDateTime(value));
    showing_ = false;
}

bool TDBDateTimePicker::IsNull() const
{
    return dateTime() == nullDateTime;
}

void TDBDateTimePicker::SetNull()
{
    showing_ = true;
    setDateTime(nullDateTime);
    showing_ = false;
}

void TDBDateTimePicker::dataChange()
{
    TField* f = Field();
    if (!f)
        return;
    if (f->IsNull())
        SetNull();
    else
        SetDateTime(f->AsDateTime());
}

void TDBDateTimePicker::updateData()
{
    TField* f = Field();
    if (!f)
        return;
    if (IsNull())
        f->Clear();
    else
        f->SetAsDateTime(DateTime());
}

void TDBDateTimePicker::UserChanged()
{
    if (!Field()) {
        // Not bound: a plain picker that writes nothing.
        if (OnChange)
            OnChange(this);
        return;
    }
    const bool wasNull = IsNull();
    bool editing = false;
    try {
        // Entering the edit state does not re-read the record into the picker: the user's
        // value stays.
        editing = userChange();
    } catch (...) {
        dataChange();
        HandleException(std::current_exception());
        return;
    }
    if (!editing) {
        // The dataset cannot be edited: the field's value stays on screen, nothing is written.
        dataChange();
        return;
    }
    // A time entered into an empty time picker starts from the empty value's day; like every
    // time of day it belongs on the base date, or the field would get a date centuries back.
    if (!wasNull && kind_ == dtkTime && dateTime().date() == nullDateTime.date()) {
        QDateTime value = dateTime();
        value.setDate(baseDate);
        showing_ = true;
        setDateTime(value);
        showing_ = false;
    }
    if (OnChange)
        OnChange(this);
}

void TDBDateTimePicker::ExitControl()
{
    try {
        link_.UpdateRecord();
    } catch (...) {
        // The value is refused: the user stays in the picker to correct it or cancel.
        setFocus();
        throw;
    }
}

void TDBDateTimePicker::focusOutEvent(QFocusEvent* event)
{
    // Only leaving for another control of the window counts as an exit; a popup or another
    // window (the error box among them) taking the focus does not.
    const bool exit = event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
    if (exit) {
        try {
            link_.UpdateRecord();
        } catch (...) {
            // The focus comes back once the toolkit has finished moving it, then the error is
            // shown; the picker keeps its value and the record stays in edit state.
            const std::exception_ptr error = std::current_exception();
            QTimer::singleShot(0, this, [this, error] {
                setFocus(Qt::OtherFocusReason);
                HandleException(error);
            });
        }
    }
    QDateTimeEdit::focusOutEvent(event);
}
