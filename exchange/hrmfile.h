#pragma once
// Reader of the heart-rate monitor's exercise files (".hrm") and their day files (".pdd").
//
// An exercise file is a text of "name=value" keys in "[Section]" blocks, a comment after
// "[Note]", the laps in "[IntTimes]" and the samples in "[HRData]". One reading serves both the
// heart-rate import (keys, laps with their extra lines, samples with the columns that the "SMode"
// flags give, the day file's energy) and the entry window's own reading (the interval of
// "Params" or "Settings", each sample's pulse and second item, each lap's time and pulse).
//
// Every value the callers use is checked while reading: a value that is not a number, a time
// or a date, or that lies beyond what a monitor records or a unit holds, ends the reading with
// an error that names the file and its line; no exception leaves the reader. An empty file, or
// one without the exercise's day ("Date"), is no exercise file and is refused as a whole.
// Sample times are k × Interval seconds in whole milliseconds, so equal times compare equal
// however long the file is.
//
// A file recorded in US units (the eighth "SMode" character '1': speed in tenths of mph,
// heights in feet, lap distances in yards, temperatures in tenths of °F) is read in the units
// the database stores: tenths of km/h, metres, metres and tenths of °C.
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

#include "platform/rtl/sysutils.h"

// Where and why a file could not be read. Line counts from 1; 0 stands for the file as a whole.
struct HrmError {
    QString file;  // the file the line belongs to (the exercise or its day file); may be empty
    int line = 0;
    QString message;

    // "Datei "08071501.hrm", Zeile 40: 'abc' ist kein gültiger Integerwert" (the file's name
    // without its folder), without the parts that are not known.
    QString Text() const;
};

// The sample columns after the time, in the order of the import's sample grid: the pulse, one
// column per "SMode" flag that is set, and the computed split distance when speed is recorded.
enum class HrmColumn { Puls, Speed, Cadence, Altitude, Power, Split };

struct HrmSample {
    int line = 0;          // line in the file
    int64_t ms = 0;        // k × Interval seconds after the start
    QStringList items;     // the line's items as written (pulse first)
    int puls = 0;
    double speed = 0;      // tenths of km/h (converted from a US file's tenths of mph); 0 without the flag
    int cadence = 0;
    int altitude = 0;      // metres (converted from a US file's feet)
    int power = 0;
    double splitKm = 0;    // distance of this sample: speed ÷ 10 ÷ 3600 × Interval kilometres
    int second = 0;        // the line's second item, truncated to an integer; 0 when it has none

    TDateTime Time() const { return ms / MSecsPerDay; }
};

struct HrmLap {
    int number = 0;        // 1, 2, ... in file order
    int line = 0;          // line of the lap's first line
    QString text;          // the lap's first line as written
    QString timeText;      // the lap time as "hh:mm:ss"
    int64_t ms = 0;        // the lap time, whole seconds
    QStringList items;     // the first line's items: time, pulse, minimal, average, maximal pulse
    int puls = 0;
    int minPuls = 0;
    int avgPuls = 0;
    int maxPuls = 0;
    // From the lap's second and fourth line, read only when the file has "SMode"; 0 when a
    // line or an item is missing. In metric units, whatever the file's.
    int altitude = 0;      // item 5 of the second line, metres
    int temperature = 0;   // item 3 of the fourth line, tenths of a degree Celsius divided by 10
    int distance = 0;      // item 1 of the fourth line: the lap's own distance, metres
    int meter = 0;         // the distance from the start: the laps' distances summed up to this one

    TDateTime Time() const { return ms / MSecsPerDay; }
};

class HrmFile {
public:
    // Reads the exercise file and, when one lies beside it, its day file. False with Error()
    // set when either cannot be read.
    bool Read(const QString& fileName);
    // Reads an exercise file's text; the day file's text may be empty (no day file). The
    // exercise's file name decides which entry of the day file is the exercise's.
    bool Parse(const QByteArray& text, const QString& fileName, const QByteArray& dayFileText = {});

    const HrmError& Error() const { return error_; }
    const QString& FileName() const { return fileName_; }

    // The value of the first "name=value" line anywhere in the file, the name compared without
    // case; empty when there is none.
    QString Key(const QString& name) const;
    bool HasKey(const QString& name) const;
    // The value of the key inside a section ("Params", "Settings"); empty when absent.
    QString Value(const QString& section, const QString& name) const;

    // Seconds between two samples: "Interval" of "Params", else of "Settings", else of any
    // section; 0 when the file has none.
    int Interval() const { return interval_; }
    // "Date" (yyyymmdd) as a date; 0 when the file has none.
    TDateTime Date() const { return date_; }
    // "Length" and "StartTime" as "hh:mm:ss" and in milliseconds (whole seconds); empty and 0
    // when absent.
    const QString& LengthText() const { return lengthText_; }
    int64_t LengthMs() const { return lengthMs_; }
    const QString& StartTimeText() const { return startText_; }
    int64_t StartTimeMs() const { return startMs_; }
    // The energy: "Calories", replaced by the day file's value for this exercise; "0" when
    // empty. Kcal() is that number truncated to an integer.
    const QString& Calories() const { return calories_; }
    int Kcal() const;
    bool CaloriesFromDayFile() const { return caloriesFromDayFile_; }
    // The mode the import shows: "SMode", or "Mode" when "SMode" is missing or empty.
    QString Mode() const;
    // True when the file has an "SMode" key: laps then have their extra lines.
    bool HasSMode() const { return HasKey(QStringLiteral("SMode")); }
    // True when the file was recorded in US units (its values are read converted).
    bool Imperial() const { return imperial_; }
    // The line after "[Note]"; empty without one.
    const QString& Note() const { return note_; }

    const QList<HrmColumn>& Columns() const { return columns_; }
    const QList<HrmSample>& Samples() const { return samples_; }
    const QList<HrmLap>& Laps() const { return laps_; }
    // True when the samples record speed; TotalMeters() is then the distance they cover, the
    // sum of the samples' split distances in whole metres (truncated).
    bool HasSpeed() const { return columns_.contains(HrmColumn::Speed); }
    int TotalMeters() const { return totalMeters_; }
    // The text of a sample's column (an index into Columns()) as the import's sample grid shows
    // it: the item as written, or in metric units when the file's were US ones (a speed in tenths
    // of km/h with up to two decimals after a point); the split distance in kilometres.
    QString SampleCell(const HrmSample& sample, int column) const;

    // The sample grid's header of a column ("Puls", "Geschw.", "Frequ.", "Höhe", "Kraft",
    // "M. Split").
    static QString ColumnCaption(HrmColumn column);
    // A lap or key time as "hh:mm:ss": "0" in front when the second character is ':', then the
    // first eight characters ("1:05:30.2" gives "01:05:30").
    static QString HrmTimeToStr(const QString& value);
    // The day file of an exercise file when it exists: its folder, "20", the first six
    // characters of its name and ".pdd", the name matched without case; empty otherwise.
    static QString DayFilePath(const QString& exerciseFile);

private:
    struct Line {
        QString text;
        QString section;  // the section the line lies in, lower case
    };
    void clear();
    void readKeys();
    void readSettings();
    void readSamples();
    void readLaps();
    void readDayFile(const QString& dayText);
    void checkExercise();
    int sectionLine(const QString& name) const;
    int keyLine(const QString& section, const QString& name) const;
    [[noreturn]] void fail(int line, const QString& message) const;

    QString fileName_;
    HrmError error_;
    int reading_ = -1;  // the line being read, for an error raised by a conversion underneath
    QList<Line> lines_;
    QList<int> keyLines_;  // indexes of the "name=value" lines
    int interval_ = 0;
    TDateTime date_ = 0;
    QString lengthText_;
    int64_t lengthMs_ = 0;
    QString startText_;
    int64_t startMs_ = 0;
    QString calories_;
    bool caloriesFromDayFile_ = false;
    QString note_;
    QList<HrmColumn> columns_;
    QList<HrmSample> samples_;
    QList<HrmLap> laps_;
    int totalMeters_ = 0;
    bool imperial_ = false;
};
