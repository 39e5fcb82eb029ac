#pragma once
// The split statistics: a summary of the rows the split grid shows (a unit's splits or its
// heart-rate samples). One half comes from an aggregate statement over the split table (heart
// rate, height, cadence, measured speed), the other from a pass over the grid's cell texts
// (pace, speed, height difference, gradient, split distance). The program-wide record
// `zwStatistik` always describes the grid as last filled; the split information and the
// heart-rate graph read it.
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/rtl/sysutils.h"

class TConnection;
class TorvServer;

struct TzwStatistik {
    int maxPuls = 0;
    int minPuls = 0;
    int avgPuls = 0;
    int minHDiff = 0;
    int maxHDiff = 0;
    int avgHDiff = 0;
    int maxTrittfrequenz = 0;
    int avgTrittfrequenz = 0;
    double maxImportKmh = 0;
    double minImportKmh = 0;
    double maxKmh = 0;
    double avgKmh = 0;
    double minKmh = 1000.0;  // no row with a speed: stays as this mark
    int hmBergauf = 0;
    int hmBergab = 0;  // zero or negative
    double streckeBergauf = 0;
    double streckeBergab = 0;
    double streckeFlach = 0;
    double maxSteigung = 0;
    double maxGefaelle = 0;
    double avgSteigung = 0;
    double avgGefaelle = 0;
    TDateTime maxMinKm = 0;
    TDateTime minMinKm = 0.9999;  // no row with a pace: stays as this mark
    TDateTime avgMinKm = 0;

    // The two minima still hold their start marks (no row qualified); the views show "–".
    bool noMinKmh() const { return minKmh == 1000.0; }
    bool noMinMinKm() const { return minMinKm == 0.9999; }
};

extern TzwStatistik zwStatistik;

struct ZwStatisticsResult {
    TzwStatistik stats;
    QList<int> badRows;  // grid rows (1 = first data row) whose cells did not convert
};

// The pass over the grid's data rows (the cell texts of rows 1 to row count - 1, 18 columns
// each), read with the format settings that wrote them. Rows whose cells do not convert add
// what they had added up to the bad cell and are listed in `badRows`.
void ZwStatisticsPass(TzwStatistik& stats, const QList<QStringList>& rows, QList<int>& badRows,
                      const TFormatSettings& fs);

// The whole computation: start values; when the split dataset holds rows, the aggregate
// statement over "zeit WHERE condition" and the pass over the rows.
ZwStatisticsResult ComputeZwStatistics(TConnection& db, const QString& condition, bool hasRows,
                                       const QList<QStringList>& rows, const TFormatSettings& fs);

// The statistics of any unit's splits or samples, read from its own rows into a record of their
// own; the shared split query and the current unit stay as they are.
ZwStatisticsResult ZwStatisticsOfUnit(TorvServer& server, int datId, bool hrm);

// The warning for rows that could not be read, one for all of them; empty list: nothing.
void ReportBadStatisticsRows(const QList<int>& rows);
