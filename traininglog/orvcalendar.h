#pragma once
// TORVCalendar: the month grid of the appointment planner. One cell per day with the day number
// and up to five coloured entry lines, an eighth column with three summary lines per week, and
// the short day names in the fixed top row.
//
// The control reads no database: its owner writes DayLines and WeekLines, then calls
// UpdateCalendar. Rows 1..6 are the weeks of the shown month, columns 0..6 the weekdays from
// StartOfWeek on (0 = Sunday .. 6 = Saturday), column 7 the week summary. Only the cells that
// hold a day of the month can become current.
#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/grids.h"

#include <QString>

#include <array>
#include <functional>

// One entry line of a day: an empty Text is not drawn; a Text beginning with "*" is a planned
// unit and is drawn in red on the colour of the line above it.
struct TORVCalendarLine {
    QString Text;
    TColor Color = clWindow;
};

// Day of the week as the control counts it: 0 = Sunday .. 6 = Saturday.
using TDayOfWeek = int;

class TORVCalendar : public TCustomGrid {
    Q_OBJECT
    Q_PROPERTY(int StartOfWeek READ StartOfWeek WRITE SetStartOfWeek)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool UseCurrentDate READ UseCurrentDate WRITE SetUseCurrentDate)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
public:
    static constexpr int kLinesPerDay = 5;
    static constexpr int kWeekRows = 6;
    static constexpr int kWeekTexts = 3;
    // The height of the day-name row, whatever the control's height.
    static constexpr int kHeaderHeight = 18;

    explicit TORVCalendar(QWidget* parent = nullptr);

    // The shown date. Writing it lays the month out again and fires OnChange; UseCurrentDate
    // stays as it is.
    TDateTime CalendarDate() const { return date_; }
    void SetCalendarDate(TDateTime value);
    // Parts of the date. A write of 0 or less, of a month above 12, of a day beyond the month or
    // of the value already shown changes nothing; a write that gives no valid date (the 29th of
    // February into a year without it) raises EConvertError and changes nothing either.
    int Year() const { return GetDateElement(1); }
    void SetYear(int value) { SetDateElement(1, value); }
    int Month() const { return GetDateElement(2); }
    void SetMonth(int value) { SetDateElement(2, value); }
    int Day() const { return GetDateElement(3); }
    void SetDay(int value) { SetDateElement(3, value); }
    // Index 1 year, 2 month, 3 day; any other index reads -1 and writes nothing.
    int GetDateElement(int index) const;
    void SetDateElement(int index, int value);

    TDayOfWeek StartOfWeek() const { return startOfWeek_; }
    // Values outside 0..6 are ignored.
    void SetStartOfWeek(TDayOfWeek value);
    // Forbids the user's moves to another day; UpdateCalendar still moves the current cell.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    // True from construction until a part of the date is written. Setting it to True shows
    // today (without OnChange).
    bool UseCurrentDate() const { return useCurrentDate_; }
    void SetUseCurrentDate(bool value);

    // The day number that falls into column 0 of week row 1 (between -5 and 1).
    int MonthOffset() const { return monthOffset_; }
    // The text of a cell: the short day name in row 0, the day number in the month's cells,
    // empty in column 7 and outside the month.
    QString CellText(int ACol, int ARow) const;

    // Lays the month out, makes the shown day the current cell and repaints. Owners call it
    // after writing DayLines and WeekLines.
    virtual void UpdateCalendar();
    virtual int DaysPerMonth(int AYear, int AMonth) const;
    virtual int DaysThisMonth() const;
    virtual bool IsLeapYear(int AYear) const;

    // Entry line 1..5 of day 1..31, and summary text 1..3 of week row 1..6 (ERangeError-like
    // Exception for an index outside).
    TORVCalendarLine& DayLines(int line, int day);
    const TORVCalendarLine& DayLines(int line, int day) const;
    QString& WeekLines(int week, int text);
    const QString& WeekLines(int week, int text) const;

    // After every change of the date through CalendarDate, Year, Month, Day or a click.
    std::function<void(QObject* Sender)> OnChange;

protected:
    void DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void Click() override;
    virtual void Change();
    void resizeEvent(QResizeEvent* e) override;

private:
    // Column widths and row heights from the client size; the header row keeps its 18 pixels.
    void fitCells();

    TDateTime date_ = 0;
    int monthOffset_ = 1;
    bool readOnly_ = false;
    TDayOfWeek startOfWeek_ = 0;
    bool updating_ = false;
    bool useCurrentDate_ = true;
    std::array<std::array<TORVCalendarLine, 31>, kLinesPerDay> dayLines_;
    std::array<std::array<QString, kWeekTexts>, kWeekRows> weekLines_;
};
