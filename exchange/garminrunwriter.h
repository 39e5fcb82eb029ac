#pragma once
// Writing one run of a run file into the open athlete database: a new training unit with the
// run's date, local start, duration, length and climb, its laps as split rows and its track
// points as heart-rate-type sample rows. Unit, laps and points go in one transaction with the
// new unit's id bound to every row: a failure at any step rolls the whole run back, so no run
// is left half written and no row ever lands on another unit.
#include <QString>

#include <functional>

struct GarminRun;

class GarminRunWriter {
public:
    // Called after each track point written, with the number of points written before it.
    std::function<void(int done)> onPoint;
    // Called inside the run's transaction once the unit is posted, before its rows are written;
    // an exception thrown here fails the run like any other error.
    std::function<void()> beforeRows;

    // Writes the run; false with Error() when nothing of it was written. A run with a problem
    // (a value its unit cannot hold) is refused with that problem before anything is written.
    bool Write(const GarminRun& run);
    const QString& Error() const { return error_; }
    int UnitId() const { return unitId_; }

private:
    QString error_;
    int unitId_ = 0;
};
