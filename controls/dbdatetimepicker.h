#pragma once
// The date-time picker bound to one field of a dataset through the data-aware controls' field
// binding (TFieldControl): it shows the
// field of the current record, puts the dataset into edit state when the user changes the
// value, and writes the value into the field when the record is posted or the user leaves it.
// A Null field shows an empty picker. Typing and stepping are the runtime picker's.
#include "platform/db/datasource.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/datetimepicker.h"
#include "platform/vcl/dbctrls.h"

#include <functional>

class TDBDateTimePicker : public TDateTimePicker, public TFieldControl {
    Q_OBJECT
    // The properties a form file sets (the kind as its number); the data source is set in code.
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
public:
    explicit TDBDateTimePicker(QWidget* parent = nullptr);
    ~TDBDateTimePicker() override;

    using TFieldControl::DataField;
    using TFieldControl::SetDataField;

    // The exit handling of the picker: writes a changed value into the record. When the field
    // or the dataset refuses it, the focus goes back into the picker and the error is raised.
    void ExitControl();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    // Shows the field's value; a picker without a field keeps what it shows.
    void dataChange() override;
    void updateData() override;
    // The user changed the value: enters the edit state and marks the change, or, when the
    // dataset cannot be edited, shows the field's value again and reports nothing.
    void Change() override;
    // Typing into a record in edit or insert state marks the picker changed at its first key.
    void TypingStarted() override;
};
