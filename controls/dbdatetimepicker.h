#pragma once
// The date-time picker bound to one field of a dataset through the data-aware controls' field
// binding (TFieldControl): it shows the
// field of the current record, puts the dataset into edit state when the user changes the
// value, and writes the value into the field when the record is posted or the user leaves it.
// A Null field shows an empty picker.
#include "platform/db/datasource.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/dbctrls.h"

#include <QDateTimeEdit>

#include <functional>

enum TDateTimeKind { dtkDate, dtkTime };

// TDateTime (days since 1899-12-30 plus the fraction of the day) and the toolkit's date-time,
// both without a time zone; whole milliseconds.
QDateTime DateTimeToQDateTime(TDateTime dt);
TDateTime QDateTimeToDateTime(const QDateTime& dt);

class TDBDateTimePicker : public QDateTimeEdit, public TFieldControl {
    Q_OBJECT
    // The properties a form file sets (the kind as its number); the data source is set in code.
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(int Kind READ KindNumber WRITE SetKindNumber)
public:
    explicit TDBDateTimePicker(QWidget* parent = nullptr);
    ~TDBDateTimePicker() override;

    using TFieldControl::DataField;
    using TFieldControl::SetDataField;

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind value);
    int KindNumber() const { return int(kind_); }
    void SetKindNumber(int value) { SetKind(TDateTimeKind(value)); }
    // The picker's value; 0 (30.12.1899) while it shows a Null field.
    TDateTime DateTime() const;
    void SetDateTime(TDateTime value);
    // Shows the empty picker of a Null field.
    bool IsNull() const;
    void SetNull();

    // The exit handling of the picker: writes a changed value into the record. When the field
    // or the dataset refuses it, the focus goes back into the picker and the error is raised.
    void ExitControl();

    // Fired when the user changes the value and the change may be written.
    std::function<void(QObject* Sender)> OnChange;

protected:
    void focusOutEvent(QFocusEvent* event) override;
    // Shows the field's value; a picker without a field keeps what it shows.
    void dataChange() override;
    void updateData() override;

private:
    void UserChanged();

    TDateTimeKind kind_ = dtkDate;
    bool showing_ = false;  // the value is being set from the field or by code
};
