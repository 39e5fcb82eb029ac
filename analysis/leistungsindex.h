#pragma once
// The performance index of a run: distance, speed, maximum and average heart rate give one
// number that compares runs at different efforts. The calculator window uses it with what the
// user types, the entry window with the current unit's values, without showing the window.
#include <QString>

#include "platform/rtl/sysutils.h"

// The index from numbers: (speed * 1000 / 60 * km) / ((maximum - average) * 220 / maximum),
// with km and speed held in single precision as the calculator always has. A maximum of 0 or a
// maximum equal to the average is a division by zero: raises Exception with the runtime's text
// "Gleitkommadivision durch Null".
double PerformanceIndex(int metres, double kmh, int maxPulse, int avgPulse);

// What the calculator's "Berechnen" does with the texts of its four boxes ("Strecke:" whole
// metres, "Geschwindigkeit:" km/h, "Maximalpuls:", "Durchschnittspuls:" whole numbers): converts
// them with the given settings (EConvertError on a text that is no number) and returns the
// index formatted "0.0" with the settings' decimal separator.
QString PerformanceIndexText(const QString& metres, const QString& kmh, const QString& maxPulse,
                             const QString& avgPulse, const TFormatSettings& fs);
QString PerformanceIndexText(const QString& metres, const QString& kmh, const QString& maxPulse,
                             const QString& avgPulse);
