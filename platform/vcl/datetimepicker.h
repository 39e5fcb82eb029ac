#pragma once
// The runtime's date-time picker: a date (or a time of day) in sections that the user types,
// steps with the arrow keys or picks from the calendar.
//
// Keyboard rules, as the runtime's picker has them:
// - Digits overwrite the current section; once it is full (two digits, four for the year, or a
//   first digit that no second digit can follow) the next section becomes current.
// - Left and Right move between sections, Home and End to the first and the last; the date or
//   time separator ends the section typed into and moves on.
// - Tab and Backtab leave the control (they never walk its sections).
// - The typed value is taken when the last section is full, on Enter and on leaving the control.
//   A value that is no date (31.02.2026) is refused with the conversion error and the picker
//   goes back to the value it had; Escape drops what was typed.
// - An empty (Null) picker takes a typed value; the sections not typed come from today's date
//   or from midnight.
// The display format follows the format settings (order and separator of the short date, the
// time separator), with two-digit days, months and times and four-digit years.
#include <QDateTimeEdit>

#include <functional>

#include "platform/rtl/sysutils.h"

enum TDateTimeKind { dtkDate, dtkTime };

// TDateTime (days since 1899-12-30 plus the fraction of the day) and the toolkit's date-time,
// both without a time zone; whole milliseconds.
QDateTime DateTimeToQDateTime(TDateTime dt);
TDateTime QDateTimeToDateTime(const QDateTime& dt);

class TDateTimePicker : public QDateTimeEdit {
    Q_OBJECT
    Q_PROPERTY(int Kind READ KindNumber WRITE SetKindNumber)
public:
    explicit TDateTimePicker(QWidget* parent = nullptr);
    ~TDateTimePicker() override;

    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind value);
    int KindNumber() const { return int(kind_); }
    void SetKindNumber(int value) { SetKind(TDateTimeKind(value)); }
    // The picker's value; 0 (30.12.1899) while it is empty.
    TDateTime DateTime() const;
    // Set by code: no change is reported.
    void SetDateTime(TDateTime value);
    // The empty picker (a Null value).
    bool IsNull() const;
    void SetNull();

    // Takes what was typed and not yet taken. False when it is no valid value: the error is
    // shown (after the current event when deferred) and the picker shows its value again.
    bool CommitTyping(bool deferError = false);
    // The section typed into (0 = the first of the display format).
    int CurrentSection() const { return section_; }

    // Fired when the user changed the value.
    std::function<void(QObject* Sender)> OnChange;

protected:
    // The user changed the value (typing, stepping, the calendar); fires OnChange.
    virtual void Change();
    // The user began typing a value, which is taken on leaving or by CommitTyping.
    virtual void TypingStarted() {}

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

    bool showing_ = false;  // the value is being set by code, not by the user

private:
    struct Section {
        int start;
        int width;
        QChar letter;  // d, M, y, H, m, s
    };
    void applyFormat();
    int sectionAt(int position) const;
    void selectSection(int index);
    void moveToSection(int index);
    void typeDigit(QChar digit);
    void showDraft();
    void dropTyping();
    bool commit(bool deferError);
    // The value a typed section starts from on an empty picker.
    QDateTime startValue() const;

    TDateTimeKind kind_ = dtkDate;
    QList<Section> sections_;
    int section_ = 0;
    QString draft_;    // the text with the typed sections, while not yet taken
    QString typed_;    // digits typed into the current section
    bool advanced_ = false;  // the section was entered because the one before was full
};
