#include "analysis/marchtable.h"

#include <QCoreApplication>

#include <cmath>

#include "analysis/calcduration.h"

namespace {

constexpr double kHourMs = 3600000.0;

int wholeNumber(const QString& text)
{
    int v = 0;
    if (!TryStrToInt(text.trimmed(), v))
        throw EMarchInput(QString());
    return v;
}

int64_t timeField(const QString& text)
{
    int64_t ms = 0;
    if (!TryMaskTextToMs(text, ms))
        throw EMarchInput(QString());
    return ms;
}

}  // namespace

TMarchResult CalculateMarchTable(const TMarchInput& in, const TFormatSettings& fs)
{
    const int d = wholeNumber(in.Distance);
    const int s = wholeNumber(in.Lap);
    if (s <= 0 || d < 0)
        throw EMarchInput(QString());
    // p: milliseconds per metre.
    double p = 0;
    switch (in.Source) {
    case TMarchSource::TotalTime:
        if (d == 0)
            throw EMarchInput(QString());
        p = double(timeField(in.TotalTime)) / d;
        break;
    case TMarchSource::Pace: p = double(timeField(in.Pace)) / 1000.0; break;
    case TMarchSource::LapTime: p = double(timeField(in.LapTime)) / s; break;
    case TMarchSource::Speed: {
        const int v = in.Speed.trimmed().isEmpty() ? 1 : wholeNumber(in.Speed);
        if (v <= 0)
            throw EMarchInput(QString());
        p = kHourMs / v / 1000.0;
        break;
    }
    }
    if (p <= 0 || (int64_t(d) - 1) / s >= kMaxMarchLapRows)
        throw EMarchInput(QString());

    TMarchResult r;
    try {
        for (int64_t m = s; m < d; m += s)
            r.Rows.push_back({QString::number(m), MsToMaskText(double(m) * p), MsToMaskText(double(s) * p)});
        r.Pace = MsToMaskText(1000.0 * p);
        r.LapTime = MsToMaskText(double(s) * p);
        r.TotalTime = MsToMaskText(double(d) * p);
        r.Speed = FloatToStr(kHourMs / p / 1000.0, fs);
        // The last lap: the total time less the running time of the row above; with no lap row
        // above, the whole distance is the one lap.
        const int64_t total = MaskTextToMs(r.TotalTime);
        const int64_t before = r.Rows.empty() ? 0 : MaskTextToMs(r.Rows.back()[1]);
        r.Rows.push_back({in.Distance, r.TotalTime, MsToMaskText(total - before)});
    } catch (const EConvertError&) {
        throw EMarchInput(QString());
    }
    return r;
}

std::vector<TMarchRow> MarchAppendRows(const QString& start, const QString& finish, const QString& lap,
                                       const QString& pace, const QString& previousRunning)
{
    const int a = StrToInt(start.trimmed());
    const int z = StrToInt(finish.trimmed());
    const int rl = StrToInt(lap.trimmed());
    const int64_t p = MaskTextToMs(pace);
    if (rl == 0)
        throw Exception(QCoreApplication::translate("SysUtils", "Division durch Null"));
    std::vector<TMarchRow> rows;
    if (z < a)
        return rows;
    const int64_t n = (int64_t(z) - a) / rl;
    if (n + 2 > kMaxMarchLapRows)
        throw EMarchInput(QString());
    int64_t running = MaskTextToMs(previousRunning);
    const double lapMs = double(p) * rl / 1000.0;
    const int64_t lapShown = MaskTextToMs(MsToMaskText(lapMs));
    for (int64_t i = 0; i <= n; ++i) {
        running += lapShown;
        rows.push_back({QString::number(a + int64_t(rl) * i), MsToMaskText(running), MsToMaskText(lapShown)});
    }
    const int64_t rest = (int64_t(z) - a) % rl;
    if (rest != 0) {
        const int64_t restShown = MaskTextToMs(MsToMaskText(double(p) * double(rest) / 1000.0));
        running += restShown;
        rows.push_back({QString::number(z), MsToMaskText(running), MsToMaskText(restShown)});
    }
    return rows;
}

QString MarchPaceFromSpeed(const QString& kmh, const TFormatSettings& fs)
{
    const double v = StrToFloat(kmh.trimmed(), fs);
    if (v <= 0)
        throw EConvertError(QCoreApplication::translate("SysUtils", "Ungültiges Argument für Zeitkodierung"));
    return MsToMaskText(kHourMs / v);
}
