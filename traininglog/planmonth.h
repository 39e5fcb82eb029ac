#pragma once
// The calendar sheet of the plan month overview without its window: where each day of a month
// stands (one line per calendar week, Monday first), the week labels of the lines, and one box
// per planned unit of the plan on its day, coloured by the unit's load level and labelled with
// its sport. Positions are pixels of the overview window.
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"

class TConnection;

inline constexpr int kPlanMonthLeft = 40;       // left edge of the Monday column
inline constexpr int kPlanMonthTop = 48;        // top of the first week line
inline constexpr int kPlanMonthColumn = 72;     // column width
inline constexpr int kPlanMonthLine = 104;      // line height
inline constexpr int kPlanMonthBoxTop = 16;     // first box below the line's top
inline constexpr int kPlanMonthBoxStep = 26;    // boxes of one day, one below the other
inline constexpr int kPlanMonthBoxWidth = 57;
inline constexpr int kPlanMonthBoxHeight = 25;
inline constexpr int kPlanMonthWeekLabels = 5;  // the window has five week labels

// The top-left corner of a day of the month that starts on `first`: its weekday's column, and
// the line that counts on after every Sunday from the line of `first`.
QPoint PlanMonthCell(TDateTime first, TDateTime day);

// The week labels of the lines, top to bottom: the prefix and the ISO week of each line's
// Monday (so a January that starts in the last week of the year before reads 53, 1, 2, ...).
QStringList PlanMonthWeekLabels(TDateTime first, const QString& prefix);

struct TPlanMonthDay {
    TDateTime Day = 0;
    QPoint Pos;
};

struct TPlanMonthBox {
    TDateTime Day = 0;
    QRect Rect;         // the coloured box
    bool Filled = true; // false: a load level without colour (-1), left white
    TColor Color = clWhite;
    QString Sport;
    QPoint SportPos;    // the sport's label
};

struct TPlanMonthSheet {
    std::vector<TPlanMonthDay> Days;
    std::vector<TPlanMonthBox> Boxes;
};

// The days of the month and the boxes of the plan's units in it, read from the database in one
// statement by date values (so no date format of the user's locale is involved). No database or planId < 0
// (no plan): the days only.
TPlanMonthSheet PlanMonthSheet(TConnection* db, int planId, TDateTime first);
