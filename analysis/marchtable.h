#pragma once
// The march table's calculations: an even-pace table of lap marks with their running and lap
// times from a race distance, a lap length and one known quantity, and the rows appended by hand.
#include <QString>

#include <array>
#include <vector>

#include "platform/rtl/sysutils.h"

// The field the calculation starts from.
enum class TMarchSource { Pace, Speed, LapTime, TotalTime };

// More lap rows than a table can hold in reason: the calculation refuses them.
inline constexpr int kMaxMarchLapRows = 10000;

// Raised when an input of the calculation cannot be used; the window shows its own message.
class EMarchInput : public Exception {
    using Exception::Exception;
};

using TMarchRow = std::array<QString, 3>;  // mark in metres, running time, lap time

struct TMarchInput {
    QString Distance;   // Edit1, whole metres
    QString Lap;        // Edit2, whole metres
    QString Speed;      // MaskEdit2, km/h read as a whole number
    QString Pace;       // MaskEdit1, per kilometre
    QString LapTime;    // MaskEdit3
    QString TotalTime;  // MaskEdit4
    TMarchSource Source = TMarchSource::TotalTime;
};

struct TMarchResult {
    std::vector<TMarchRow> Rows;  // the lap rows and the final row, from grid row 1 on
    QString Pace, LapTime, TotalTime, Speed;  // the four quantity fields rewritten
};

// The table. An empty speed is taken as 1 (the caller shows that in the field first). The final
// row carries the distance as typed, the total time and the last, shorter lap; when the lap is
// not shorter than the distance it is the only row and its lap time is the total time.
// EMarchInput for an empty or invalid time, a distance or lap that is no whole number, a speed of
// 0, a lap of 0 or less, a negative distance, a distance of 0 with the total time as the source,
// more than kMaxMarchLapRows lap rows, or a time past 99:59:59.
TMarchResult CalculateMarchTable(const TMarchInput& in, const TFormatSettings& fs);

// "Anfügen": the rows from the selected row on, for start, finish and lap in whole metres and the
// pace per kilometre as a time; previousRunning is the running time of the row above the first
// one. Every lap gets the mark start + lap·i and its lap time; a shorter last lap ends at the
// finish. Nothing when the finish lies before the start. The runtime's errors: EConvertError for
// a text that is no number or time (also the previous running time), EDivByZero-like Exception
// "Division durch Null" for a lap of 0, EMarchInput past kMaxMarchLapRows rows.
std::vector<TMarchRow> MarchAppendRows(const QString& start, const QString& finish, const QString& lap,
                                       const QString& pace, const QString& previousRunning);

// "OK" of the append dialog with an empty "Min/km:": one hour ÷ km/h as "hh:mm:ss" (km/h a
// decimal number in the settings' format). EConvertError when it is no number or gives no time.
QString MarchPaceFromSpeed(const QString& kmh, const TFormatSettings& fs);
