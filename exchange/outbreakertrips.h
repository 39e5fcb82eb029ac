#pragma once
// The trips of the Outbreaker heart-rate monitor's database and their import as a training unit
// with heart-rate samples, without any window.
//
// The monitor's PC software keeps an Access file with the table "TripList" (one row per trip)
// and "TripTable" (the records of all trips, linked by "TripNo"). A trip becomes a unit in
// daten: date and start time from "TimeDate", the duration from "NetTime" ("1.02.33" is
// 1:02:33), pulse, resting and maximum pulse, climb, place and remark from the trip, distance
// 1000 m. Each record becomes a sample row of zeit: its time since the start (modulo a day, in
// whole milliseconds), 14 m per record, pulse and altitude.
//
// The unit and all its samples are written in one transaction: a failure at any record leaves
// neither the unit nor any sample behind.
#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/office/accessdatabase.h"

struct OutbreakerRecord {
    TDateTime time = 0;
    int pulse = 0;
    int altitude = 0;
};

class OutbreakerTrips {
public:
    // Reads both tables of a trip database; an error names the file or the missing table.
    static OfficeResult<OutbreakerTrips> Read(const QString& fileName);

    // The trips ordered by "TimeDate" (a trip without a date first), rows as the file has them.
    const AccessTable& TripList() const { return trips_; }
    int Count() const { return trips_.rows.size(); }
    // The records of the trip in row `tripRow` of TripList, ordered by "TimeAndDate".
    QVector<OutbreakerRecord> Records(int tripRow) const;

private:
    AccessTable trips_;
    AccessTable records_;
};

// "NetTime" as the monitor writes it ("1.02.33", also "1:02:33" or "62.33") in whole
// milliseconds; an empty text is 0; false when it is no duration.
bool OutbreakerNetTime(const QString& text, int64_t& ms);

// A record's time since the unit's start time (a time of day), wrapped into one day, in whole
// milliseconds.
int64_t OutbreakerSplitMs(TDateTime record, TDateTime startTime);

class OutbreakerImportWriter {
public:
    // Called after each sample row is written, with its number from 1 and the number of rows;
    // may throw to end the import (the busy window's step; tests end it here).
    std::function<void(int done, int total)> onStep;
    // Called while the new unit is being inserted, before it is posted: the entry window derives
    // the load level as for a typed unit.
    std::function<void()> beforeUnitPost;

    // Writes the trip of row `tripRow` with its records. False with Error() when nothing was
    // written; the unit then is gone again and daten shows its rows as before.
    bool Write(const OutbreakerTrips& trips, int tripRow);
    const QString& Error() const { return error_; }
    int UnitId() const { return unitId_; }

private:
    QString error_;
    int unitId_ = 0;
};
