#pragma once
// The training paces per kilometre for a target race time over 5000 m or 10000 m: extensive
// endurance run (GA1), intensive endurance run (GA2) and tempo run (TDL/ASW). A fixed table; the
// target time is looked up as the text the masked field holds.
#include <QString>

#include <array>
#include <optional>
#include <span>

struct TPaceRow {
    const char* Target;               // "hh:mm:ss"
    std::array<const char*, 3> Paces;  // GA1, GA2, TDL/ASW as "hh:mm:ss"
};

// The two parts of the table in ascending order of the target time: 5000 m every 15 seconds
// from 00:14:00 to 00:35:00, 10000 m every 30 seconds from 00:29:00 to 01:10:00 (no rows for
// 01:01:00 and 01:01:30).
std::span<const TPaceRow> PaceTable5000();
std::span<const TPaceRow> PaceTable10000();

// The three paces for the field's text, compared character by character with the target times
// of the 5000 m part (distanceIndex 0) or of the 10000 m part (1, or -1 when no distance is
// chosen). Nothing when the text is no target time of that part.
std::optional<std::array<QString, 3>> LookupTrainingPaces(int distanceIndex, const QString& target);

// Which target times the part holds (distanceIndex as above), as the window tells a user whose
// time is not among them.
QString PaceTableTimes(int distanceIndex);
