#pragma once
// The split export without a window: the rows of a split dataset written into a worksheet as the
// split view's export lays them out.
#include <QRgb>

#include <functional>

class TDataSet;
class WorksheetWriter;

namespace zwexport {

// The fill of every second record's cells (worksheet rows 3, 5, 7 ...).
inline constexpr QRgb kEvenRowFill = 0xFF99CCFF;  // RGB(153, 204, 255)

// Row 1: from column B on, the display label of each field of `rows` but the first (the unit
// id), "Notitz" written "Notiz". Then one worksheet row per record from its first on, each
// field's display text in the same column: numbers and times as numbers the spreadsheet can
// reckon with, shown as the view shows them, the rest as text. `step` runs after each record;
// the dataset ends after its last record.
void writeSheet(WorksheetWriter& sheet, TDataSet& rows, const std::function<void()>& step = {});

}  // namespace zwexport
