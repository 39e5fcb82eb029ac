#pragma once
// The threshold paces: the table "Schwellentempo" of the athlete's database holds, one row every
// 30 seconds of 5000 m time, the split times at the anaerobic threshold over 200 m to 1500 m.
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class TConnection;

struct TThresholdRow {
    int64_t Zeit = 0;                 // sch_zeit, the 5000 m time, in milliseconds
    std::array<int64_t, 6> Splits{};  // sch_200, sch_400, sch_600, sch_800, sch_1000, sch_1500
};

// The split headings in the order of TThresholdRow::Splits.
const std::array<const char*, 6>& ThresholdSplitNames();

// The rows of the table in the order of sch_zeit (a table component on the connection, opened,
// read and freed). The database layer's error when the table is missing.
std::vector<TThresholdRow> ReadThresholdTable(TConnection& db);

// The row shown for an entered 5000 m time: the row of exactly that time; else the first row
// whose time is later than the entry minus 29 seconds (so the row 1 to 28 seconds below the
// entry, with rows 30 seconds apart), the last row when none is; -1 for an empty table. Times
// compare as whole milliseconds: an entry exactly 29 seconds above a row shows the next row.
int ThresholdRowIndex(const std::vector<TThresholdRow>& rows, int64_t enteredMs);
