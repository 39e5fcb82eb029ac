// The Outbreaker import of a long trip into the ten-year database: 36,000 records (ten hours at
// one second) read from the monitor's Access file, the unit and its samples written in one
// transaction. Goal: at most 2 s.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "exchange/outbreakertrips.h"
#include "tests/support/accessfixtures.h"

namespace {

TorvServer& server()
{
    static TorvServer* s = [] {
        const TFormatSettings german = GermanFormatSettings();
        return tenyeardb::OpenServer(tenyeardb::Generate(tenyeardb::TemplatePath()), &german);
    }();
    return *s;
}

const QString& tripFile()
{
    static QTemporaryDir dir;
    static const QString file = [] {
        const QString f = dir.filePath(QStringLiteral("trips.mdb"));
        if (!WriteTripFile(f, {MakeTrip(1, QStringLiteral("Zehn Stunden"), EncodeDate(2023, 5, 1) + 0.25, 36000, 1)}))
            std::abort();
        return f;
    }();
    return file;
}

void BM_OutbreakerImport36000Records(benchmark::State& state)
{
    TorvServer& srv = server();
    const QString& file = tripFile();
    for (auto _ : state) {
        auto trips = OutbreakerTrips::Read(file);
        if (!trips.Ok()) {
            state.SkipWithError(trips.Error().Text().toUtf8().constData());
            break;
        }
        OutbreakerImportWriter writer;
        if (!writer.Write(trips.Value(), 0))
            state.SkipWithError(writer.Error().toUtf8().constData());
    }
    state.counters["units"] = srv.daten.RecordCount();
}
BENCHMARK(BM_OutbreakerImport36000Records)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
