#pragma once
// The tempo-interval tables: repetitions that start slower than the target pace and finish
// faster. From a target race time, each page gets the split of every segment and the running
// time within each repetition.
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

struct TTempoflexPage {
    const char* Caption;   // "5 X 1000"
    double Divisor;        // segments of the target distance
    int Repetitions;
    int StepSeconds;       // k: the offsets grow by k seconds per column and repetition
};

// The pages "5 X 1000" (3000 m target, divisor 15, step 1 s), "4 X 2000" (5000 m, 12.5, 2 s) and
// "3 X 3000" (10000 m, 16.666666, 3 s).
const std::array<TTempoflexPage, 3>& TempoflexPages();

struct TTempoflexRow {
    std::array<QString, 5> Split;  // the segment times
    std::array<QString, 5> Zeit;   // the running times at the segment ends
};

// The repetitions of a page for the target time text. The base split (target ÷ divisor) is shown
// in whole seconds and every other cell is built from the shown value: column 1 is base + 3·k·r,
// column 2 base + 2·k·r, column 3 base + k·r, column 4 the base, column 5 base − k·r seconds; the
// running times are sums of the shown splits. A very short target gives negative splits, shown
// with a minus sign. EConvertError when the target is not a time.
std::vector<TTempoflexRow> TempoflexTable(const TTempoflexPage& page, const QString& target);
