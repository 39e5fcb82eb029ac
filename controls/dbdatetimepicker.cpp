#include "controls/dbdatetimepicker.h"

#include "platform/db/fields.h"
#include "platform/rtl/application.h"

#include <QFocusEvent>
#include <QTimer>

#include <cmath>

namespace {

const QDate baseDate(1899, 12, 30);

}  // namespace

TDBDateTimePicker::TDBDateTimePicker(QWidget* parent) : TDateTimePicker(parent) {}

TDBDateTimePicker::~TDBDateTimePicker() = default;

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
    // What is typed shows at once but is taken on leaving; a save while the picker still has the
    // focus takes it first, so that what the picker shows is what is stored. A text that is no
    // valid value has shown its error and stops the save.
    if (!CommitTyping())
        Abort();
    if (IsNull())
        f->Clear();
    else
        f->SetAsDateTime(DateTime());
}

void TDBDateTimePicker::Change()
{
    if (!Field()) {
        // Not bound: a plain picker that writes nothing.
        TDateTimePicker::Change();
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
    if (!wasNull && Kind() == dtkTime && dateTime().date() == minimumDate()) {
        QDateTime value = dateTime();
        value.setDate(baseDate);
        showing_ = true;
        setDateTime(value);
        showing_ = false;
    }
    TDateTimePicker::Change();
}

void TDBDateTimePicker::TypingStarted()
{
    // In a record being edited or inserted the typing counts as a change at once, so that a save
    // before the picker is left takes what it shows (updateData). A record in browse state is put
    // into edit state only when the typed value is taken, as before.
    TField* f = Field();
    TDataSet* ds = f ? f->DataSet() : nullptr;
    if (ds && (ds->State() == dsEdit || ds->State() == dsInsert) && !link_.ReadOnly())
        link_.Modified();
}

void TDBDateTimePicker::ExitControl()
{
    if (!CommitTyping())
        return;
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
    // What was typed is taken first, so that leaving writes it.
    if (event->reason() != Qt::PopupFocusReason)
        CommitTyping(true);
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
    TDateTimePicker::focusOutEvent(event);
}
