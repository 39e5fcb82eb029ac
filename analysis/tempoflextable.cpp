#include "analysis/tempoflextable.h"

#include "analysis/calcduration.h"

#include <cmath>

const std::array<TTempoflexPage, 3>& TempoflexPages()
{
    static const std::array<TTempoflexPage, 3> pages = {{
        {"5 X 1000", 15, 5, 1},
        {"4 X 2000", 12.5, 4, 2},
        {"3 X 3000", 16.666666, 3, 3},
    }};
    return pages;
}

std::vector<TTempoflexRow> TempoflexTable(const TTempoflexPage& page, const QString& target)
{
    const int64_t t = MaskTextToMs(target);
    // The base split as shown: to the nearest millisecond, the fraction of a second dropped.
    const int64_t base = int64_t(std::llround(double(t) / page.Divisor)) / 1000 * 1000;
    static constexpr int kOffsetFactor[5] = {3, 2, 1, 0, -1};
    std::vector<TTempoflexRow> rows;
    for (int r = 1; r <= page.Repetitions; ++r) {
        TTempoflexRow row;
        int64_t running = 0;
        for (int j = 0; j < 5; ++j) {
            const int64_t split = base + int64_t(kOffsetFactor[j]) * page.StepSeconds * r * 1000;
            running += split;
            row.Split[size_t(j)] = MsToMaskText(split);
            row.Zeit[size_t(j)] = MsToMaskText(running);
        }
        rows.push_back(row);
    }
    return rows;
}
