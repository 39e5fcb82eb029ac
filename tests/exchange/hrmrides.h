#pragma once
// Exercise files in the shapes that several kinds of heart-rate monitor write, made by the tests:
// a heart-rate-only watch of the older kind ("Mode" without "SMode"), running watches with speed,
// cycling computers with cadence, altitude and power, an altitude watch and a newer model with
// further "SMode" digits, each metric or, with the eighth "SMode" digit '1', in US units.
//
// A ride is defined in metric values; its US copy writes the same ride as such a monitor would,
// each value rounded to the file's whole units (tenths of mph, feet, yards, tenths of °F). The
// figures a test expects (distance, climb, laps) are worked out here from the metric values.
#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cmath>
#include <cstdint>

struct HrmRide {
    const char* model;    // what writes files of this shape (for the test's messages)
    QByteArray version;   // "Version"
    QByteArray smode;     // "SMode"; empty: the older "Mode" only
    int interval = 5;     // seconds per sample
    int samples = 0;
    int laps = 0;
    bool imperial = false;

    bool flag(int i) const { return smode.size() > i && smode[i] == '1'; }
    bool speed() const { return flag(0); }
    bool cadence() const { return flag(1); }
    bool altitude() const { return flag(2); }
    bool power() const { return flag(3); }

    // The metric values of sample k.
    static int pulse(int k) { return 110 + (k * 7) % 50; }
    static int speedTenthsKmh(int k) { return 180 + (k * 37) % 90; }
    static int cadenceOf(int k) { return 80 + k % 15; }
    static int heightM(int k) { return 100 + (k * 3) % 40; }
    static int powerOf(int k) { return 150 + k % 100; }
    static int temperatureTenthsC(int lap) { return 185 + lap * 13; }

    // The metres covered by the first n samples, as the reader sums them (truncated once).
    int metersAfter(int n) const
    {
        int64_t speedSeconds = 0;
        for (int k = 0; k < n; ++k)
            speedSeconds += int64_t(speedTenthsKmh(k)) * interval;
        return int(speedSeconds / 36);
    }
    int totalMeters() const { return speed() ? metersAfter(samples) : 1000; }
    // The unit's climb: the rises of the sample heights.
    int climb() const
    {
        int sum = 0;
        for (int k = 1; k < samples && altitude(); ++k)
            sum += std::max(0, heightM(k) - heightM(k - 1));
        return sum;
    }
    int averagePulse() const
    {
        int64_t sum = 0;
        for (int k = 0; k < samples; ++k)
            sum += pulse(k);
        return samples ? int(sum / samples) : 0;
    }
    // The sample that ends lap j (0-based): the laps split the ride evenly, the last at its end.
    int lapEnd(int j) const { return j == laps - 1 ? samples : (j + 1) * (samples / laps); }
    // Lap j's own distance in metres (from the speeds; a file without speed has none).
    int lapDistance(int j) const { return speed() ? metersAfter(lapEnd(j)) - (j ? metersAfter(lapEnd(j - 1)) : 0) : 0; }
    // The metres from the start that lap j's split row should hold.
    int lapMeter(int j) const { return speed() ? metersAfter(lapEnd(j)) : (j + 1) * 1000; }

    static QByteArray clock(int64_t seconds)
    {
        return QByteArray::number(seconds / 3600) + ':' + QByteArray::number(seconds / 60 % 60).rightJustified(2, '0') + ':' +
               QByteArray::number(seconds % 60).rightJustified(2, '0') + ".0";
    }
    QByteArray us(double metric, double factor) const
    {
        return QByteArray::number(imperial ? std::llround(metric / factor) : std::llround(metric));
    }

    QByteArray text() const
    {
        QByteArray t = "[Params]\r\nVersion=" + version + "\r\nMonitor=12\r\n";
        t += smode.isEmpty() ? QByteArray("Mode=000\r\n") : "SMode=" + smode + "\r\n";
        t += "Date=20080715\r\nStartTime=9:12:01.0\r\nLength=" + clock(int64_t(samples) * interval) +
             "\r\nInterval=" + QByteArray::number(interval) +
             "\r\nUpper1=0\r\nLower1=0\r\nMaxHR=185\r\nRestHR=48\r\nStartDelay=0\r\nVO2max=55\r\nWeight=72\r\n"
             "Calories=512.7\r\n\r\n[Note]\r\nAusfahrt\r\n\r\n";
        if (laps > 0) {
            t += "[IntTimes]\r\n";
            for (int j = 0; j < laps; ++j) {
                const int end = lapEnd(j);
                t += clock(int64_t(end) * interval) + "\t" + QByteArray::number(pulse(end - 1)) + "\t110\t" +
                     QByteArray::number(130 + j) + "\t159\r\n";
                if (!smode.isEmpty()) {
                    t += "0\t0\t0\t0\t0\t" + us(heightM(end - 1), 0.3048) + "\r\n";
                    t += "0\t0\t0\t0\t0\r\n";
                    t += "0\t" + us(lapDistance(j), 0.9144) + "\t0\t" +
                         (imperial ? QByteArray::number(std::llround(temperatureTenthsC(j) * 9 / 5.0 + 320))
                                   : QByteArray::number(temperatureTenthsC(j))) +
                         "\t0\t0\r\n";
                    t += "0\t0\t0\t0\t0\t0\r\n";
                }
            }
            t += "\r\n[IntNotes]\r\n\r\n";
        }
        t += "[HRData]\r\n";
        for (int k = 0; k < samples; ++k) {
            t += QByteArray::number(pulse(k));
            if (speed())
                t += "\t" + us(speedTenthsKmh(k), 1.609344);
            if (cadence())
                t += "\t" + QByteArray::number(cadenceOf(k));
            if (altitude())
                t += "\t" + us(heightM(k), 0.3048);
            if (power())
                t += "\t" + QByteArray::number(powerOf(k));
            t += "\r\n";
        }
        return t;
    }
};

// The shapes: six metric files and three US copies of metric ones.
inline QList<HrmRide> HrmRides()
{
    return {
        {"heart rate only, older watch", "102", "", 15, 40, 3},
        {"running watch with speed", "106", "100000000", 5, 240, 4},
        {"cycling computer", "106", "111000100", 15, 200, 2},
        {"cycling computer with power", "106", "111100000", 1, 300, 0},
        {"altitude watch", "106", "001000000", 60, 90, 1},
        {"newer watch", "107", "110000001", 2, 150, 5},
        {"running watch with speed, US units", "106", "100000010", 5, 240, 4, true},
        {"cycling computer, US units", "106", "111000110", 15, 200, 2, true},
        {"altitude watch, US units", "106", "001000010", 60, 90, 1, true},
    };
}
