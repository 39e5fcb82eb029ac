// The database work of a heart-rate import into the ten-year database: a new unit with its
// block and 3,600 samples (an hour at one second) with twelve laps, written in one transaction
// through prepared statements. Goal: under 50 ms.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "exchange/hrmimportwriter.h"

namespace {

TorvServer& server()
{
    static TorvServer* s = [] {
        const TFormatSettings german = GermanFormatSettings();
        return tenyeardb::OpenServer(tenyeardb::Generate(tenyeardb::TemplatePath()), &german);
    }();
    return *s;
}

HrmImportInput hourOfSamples()
{
    HrmImportInput in;
    in.datum = QStringLiteral("15.07.2008");
    in.zeit = QStringLiteral("01:00:00");
    in.startzeit = QStringLiteral("09:12:01");
    in.maxpuls = QStringLiteral("185");
    in.ruhepuls = QStringLiteral("48");
    in.gewicht = QStringLiteral("72");
    in.kalorien = QStringLiteral("812");
    in.meter = QStringLiteral("10000");
    in.interval = 1;
    in.speedColumn = 2;
    in.cadenceColumn = 3;
    in.heightColumn = 4;
    in.splitColumn = 5;
    for (int k = 0; k < 3600; ++k)
        in.samples.append({HrmImportWriter::TimeText(k * 1000LL), QString::number(120 + k % 50), QStringLiteral("100"),
                           QString::number(80 + k % 10), QString::number(100 + k % 40), QStringLiteral("0.027778")});
    for (int lap = 1; lap <= 12; ++lap)
        in.laps.append({QString::number(lap), HrmImportWriter::TimeText(lap * 300000LL), QStringLiteral("150"),
                        QStringLiteral("130"), QStringLiteral("145"), QStringLiteral("165"), QStringLiteral("112"),
                        QStringLiteral("21"), QStringLiteral("1000")});
    in.lapColumns = 9;
    return in;
}

void BM_HrmImportHourOfSamples(benchmark::State& state)
{
    FormatSettings() = GermanFormatSettings();  // the date field holds a German date
    TorvServer& srv = server();
    const HrmImportInput in = hourOfSamples();
    for (auto _ : state) {
        HrmImportWriter writer;
        if (!writer.Write(in))
            state.SkipWithError(writer.Error().toUtf8().constData());
    }
    state.counters["units"] = srv.daten.RecordCount();
}
BENCHMARK(BM_HrmImportHourOfSamples)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
