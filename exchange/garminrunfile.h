#pragma once
// Reader of the XML run files that the GPS watch's PC software exports: every "Run" element
// below the document element with its laps ("Lap": "StartTime", "Length", "Duration") and its
// track points ("Track"/"Trackpoint": "Time", "Position" with "Latitude", "Longitude" and
// "Altitude").
//
// Times are written in universal time ("2008-07-15T05:30:00Z", fractions of a second allowed);
// a run's local start is that moment in the system's time zone, with the zone's offset at that
// moment, so a summer run read in winter keeps its summer time. Malformed XML and values that
// are no number or no time end the reading with an error that names the file, line and column.
// A file larger than any real recording is refused before it is read.
//
// Values that are numbers but that the unit and its rows cannot hold (an altitude of 1e308, a
// latitude of 200°, a climb beyond the unit's height field) do not end the reading: the run is
// listed with the first such value as its problem, and the import refuses that run alone.
//
// The rules by which the import turns a run into its unit, split rows and sample rows live
// here as functions, so that the list of runs and the import compute them the same way.
#include <QList>
#include <QString>

#include <cstdint>

#include "platform/rtl/sysutils.h"

struct GarminError {
    QString file;    // the file read; empty for a text parsed on its own
    int line = 0;    // from 1; 0 when the file could not be read at all
    int column = 0;
    QString message;

    // "Datei "…/runs.xml", Zeile 3, Spalte 17: ...", without the file for a text parsed on its
    // own, or the message alone without a position.
    QString Text() const;
    bool IsEmpty() const { return message.isEmpty(); }
};

struct GarminLap {
    int line = 0;
    bool hasStart = false;
    int64_t startMs = 0;         // "StartTime": milliseconds since 1970-01-01 UTC
    double length = 0;           // "Length": metres
    double durationSeconds = 0;  // "Duration": seconds as written
};

struct GarminTrackPoint {
    int line = 0;
    bool hasTime = false;
    int64_t timeMs = 0;          // "Time": milliseconds since 1970-01-01 UTC
    bool hasPosition = false;    // both "Latitude" and "Longitude" given
    double latitude = 0;         // degrees
    double longitude = 0;
    bool hasAltitude = false;
    double altitude = 0;         // metres
};

struct GarminRun {
    int line = 0;
    int column = 0;
    int64_t startMs = 0;         // the first lap's "StartTime", UTC
    QList<GarminLap> laps;
    QList<GarminTrackPoint> points;
    QString xml;                 // the "Run" element as written in the file
    GarminError problem;         // the first value the unit cannot hold; empty when none

    bool Importable() const { return problem.IsEmpty(); }

    // The start as a date-time in universal time and in the system's local time.
    TDateTime StartUtc() const;
    TDateTime StartLocal() const;
    // The laps' lengths summed, then rounded to whole metres (halves to even); of a run with a
    // problem, held within 0 and the largest length a unit holds.
    int Length() const;
    // The laps' durations, each truncated to whole seconds, summed; held within the date-time
    // range likewise.
    int64_t DurationMs() const;
};

class GarminRunFile {
public:
    bool Read(const QString& fileName);
    // Reads a file's text; `fileName` only names it in errors.
    bool Parse(const QByteArray& xml, const QString& fileName = QString());

    const GarminError& Error() const { return error_; }
    // The runs in file order; a run without laps (or whose first lap has no start time) has no
    // start and no length: it is left out and counted in SkippedRuns().
    const QList<GarminRun>& Runs() const { return runs_; }
    int SkippedRuns() const { return skipped_; }

private:
    GarminError error_;
    QList<GarminRun> runs_;
    int skipped_ = 0;
};

// The split rows of a run's laps: each lap's length rounded to whole metres before it is added
// to the running distance, each lap's duration truncated to whole seconds before it is added to
// the running time.
struct GarminSplitRow {
    int meter = 0;
    int64_t ms = 0;
};
QList<GarminSplitRow> GarminLapRows(const GarminRun& run);

// The sample rows of a run's track points and the climb they add up to. Each row: the running
// distance from point to point (great-circle distance) rounded to whole metres, the point's
// altitude rounded to whole metres, and its time after the first point's. A point without a
// position or an altitude keeps the previous point's; the climb sums every rise of the rounded
// altitude between known altitudes.
struct GarminSampleRow {
    int meter = 0;
    int hdiff = 0;
    int64_t ms = 0;
};
struct GarminTrack {
    QList<GarminSampleRow> rows;
    int climb = 0;
};
GarminTrack GarminTrackRows(const GarminRun& run);
