#pragma once
// Writing what the heart-rate import's pages show: a new training unit (or the current one),
// its heart-rate samples and its laps, into the open athlete database through the data module.
//
// Everything is checked before anything is written: a cell that is no number or time is
// reported with its page, row and column, and nothing is written. Then the unit, the samples
// and the laps go into the database in one transaction, each row through one prepared INSERT
// with its values bound; a failure at any step rolls the whole import back, so that no unit is
// left without its samples and no samples land on another unit.
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// What the import's pages hold when "Fertig stellen" is pressed; every value as its cell shows it.
struct HrmImportInput {
    bool importUnit = true;
    bool importSamples = true;
    bool importLaps = true;

    // "Einheit" page.
    QString datum;        // the user's short date format
    QString zeit;         // duration "hh:mm:ss"
    QString startzeit;    // "hh:mm:ss"
    QString maxpuls;
    QString ruhepuls;
    QString gewicht;      // decimal point
    QString kalorien;     // decimal point; truncated to whole kcal
    QString kommentar;
    QString meter;        // "Berechnete Gesamtmeter"
    QString route;        // the chosen route's name; empty for none

    // "Pulswerte": rows of cells (column 0 the time, column 1 the pulse ...) and the columns.
    int interval = 0;     // seconds per sample
    QList<QStringList> samples;
    QStringList sampleHeaders;  // header of each column (for messages)
    int speedColumn = -1;
    int cadenceColumn = -1;
    int heightColumn = -1;
    int splitColumn = -1;

    // "Zwischenzeiten": rows of 6 or 9 cells.
    QList<QStringList> laps;
    int lapColumns = 6;
    QStringList lapHeaders;
};

class HrmImportWriter {
public:
    // Called once per written sample or lap (the busy window's step).
    std::function<void()> onStep;
    // Called before the unit is posted, while it is being inserted: the entry window derives
    // the load level as for a typed unit.
    std::function<void()> beforeUnitPost;

    // Writes; false with Error() when nothing was written.
    bool Write(const HrmImportInput& input);
    const QString& Error() const { return error_; }
    // The unit the rows were written to (0 before a write).
    int UnitId() const { return unitId_; }
    bool UnitCreated() const { return unitCreated_; }

    // The integer mean of the pulse column (column 1) over the sample rows; 0 without rows.
    // Cells are read as the writer reads them (empty = 0).
    static int getAvgPuls(const QList<QStringList>& samples);
    // Summed climb of the height column over consecutive rows; 0 without a height column.
    static int getSumHdiff(const QList<QStringList>& samples, int heightColumn);
    // A time "h:mm:ss" (hours of any length, optional fraction, or "mm:ss") in whole
    // milliseconds; empty is 0; false when the text is no time.
    static bool ParseTime(const QString& text, int64_t& ms);
    // A sample or key time as the sample grid shows it: "hh:mm:ss", hours not wrapped at 24.
    static QString TimeText(int64_t ms);

private:
    struct SampleRow {
        int cadence, height, meter, puls;
        int64_t ms;
    };
    struct LapRow {
        int meter, puls, minPuls, maxPuls, height, temperature;
        int64_t ms;
        QString note;
    };
    bool readSamples(const HrmImportInput& in, QList<SampleRow>& rows);
    bool readLaps(const HrmImportInput& in, QList<LapRow>& rows);
    bool insertUnit(const HrmImportInput& in);
    bool fail(const QString& message);

    QString error_;
    int unitId_ = 0;
    bool unitCreated_ = false;
};
