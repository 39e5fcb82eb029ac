#pragma once
// What the diary rules ask of the week-by-day calendar frame (TfrmKalTag).
#include "platform/rtl/sysutils.h"

class DiaryCalendarView {
public:
    virtual ~DiaryCalendarView() = default;
    // The day selected in the calendar; a new diary entry is dated with it.
    virtual TDateTime selectedDay() const = 0;
};
