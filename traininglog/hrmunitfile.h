#pragma once
// The entry window's own reading of a heart-rate monitor exercise file (".hrm"): the samples of
// "[HRData]" and the lap times of "[IntTimes]" as rows for the current unit's split table. It
// reads the file's lines as they stand (fields split at tab characters), which is narrower than
// the full heart-rate import's reading (exchange/hrmfile.h), and has no UI: it returns the rows
// or an error naming the file's line.
//
// A section runs to the next section line or the end of the file, its last line included;
// empty lines are skipped. Every value is converted before a row is handed out, so a caller
// that writes the rows either gets all of them or an error and nothing to write.
#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

#include "exchange/hrmfile.h"
#include "platform/rtl/sysutils.h"

struct HrmUnitSample {
    int meter = 0;    // the line's index in the file (0-based): the rows' order among equal times
    int64_t ms = 0;   // sample number × "Interval" seconds
    int puls = 0;     // first field
    int hdiff = 0;    // second field, 0 when empty

    TDateTime Time() const { return ms / MSecsPerDay; }
};

struct HrmUnitLap {
    int meter = 0;    // the line's index in the file (0-based)
    int64_t ms = 0;   // the lap time in whole seconds ("0:12:34.5" is 00:12:34)
    int puls = 0;     // the pulse after the line's first tab

    TDateTime Time() const { return ms / MSecsPerDay; }
};

class HrmUnitFile {
public:
    // Read the samples (with the interval and length of "Params" or "Settings") or the laps of
    // a file. False with Error() set when the file cannot be read or a value does not convert;
    // a file without the section gives no rows and no error, an empty file (no line with
    // anything written on it) is an error.
    bool ReadSamples(const QString& fileName);
    bool ReadLaps(const QString& fileName);
    bool ParseSamples(const QByteArray& text);
    bool ParseLaps(const QByteArray& text);

    const HrmError& Error() const { return error_; }
    // Lines of the file last read (the busy window's scale).
    int LineCount() const { return int(lines_.size()); }
    // Seconds between samples: "Interval" of "Params", when 0 or not a number that of
    // "Settings"; 0 when neither has one.
    int Interval() const { return interval_; }
    // "Length" of "Params", when "00:00:00" that of "Settings", as a time of whole seconds.
    TDateTime Length() const { return length_; }
    const QList<HrmUnitSample>& Samples() const { return samples_; }
    const QList<HrmUnitLap>& Laps() const { return laps_; }

private:
    bool load(const QString& fileName);
    void setText(const QByteArray& text);
    void checkNotEmpty() const;
    bool samplesFromLines();
    bool lapsFromLines();
    int sectionStart(const QString& name) const;
    QString iniValue(const QString& section, const QString& key, int* line = nullptr) const;
    void readParams();
    void readSamples();
    void readLaps();
    [[noreturn]] void fail(int index, const QString& message) const;

    QList<QString> lines_;
    HrmError error_;
    int interval_ = 0;
    TDateTime length_ = 0;
    QList<HrmUnitSample> samples_;
    QList<HrmUnitLap> laps_;
};
