// Importing one run of the GPS watch's run file into the ten-year database: the run's XML read
// again from its list row, then its unit, 10 laps and 10,000 track points written in one
// transaction through prepared statements. Goal: at most 1 s.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "exchange/garminrunfile.h"
#include "exchange/garminrunwriter.h"

namespace {

TorvServer& server()
{
    static TorvServer* s = [] {
        auto* srv = new TorvServer;
        srv->DataModuleCreate(GermanFormatSettings());
        orvServer = srv;
        if (!srv->openDatabase(tenyeardb::Generate(tenyeardb::TemplatePath())))
            std::abort();
        return srv;
    }();
    return *s;
}

QByteArray tenThousandPoints()
{
    QByteArray xml = "<Runs><Run>\n";
    for (int lap = 0; lap < 10; ++lap)
        xml += "<Lap><StartTime>2008-07-15T05:30:00Z</StartTime><Duration>PT1000.5S</Duration>"
               "<Length>1000.4</Length></Lap>\n";
    xml += "<Track>\n";
    for (int p = 0; p < 10000; ++p) {
        const QByteArray clock = QByteArray::number(5 + p / 3600).rightJustified(2, '0') + ":" +
                                 QByteArray::number(p / 60 % 60).rightJustified(2, '0') + ":" +
                                 QByteArray::number(p % 60).rightJustified(2, '0');
        xml += "<Trackpoint><Position><Latitude>" + QByteArray::number(51.0 + p * 0.00001, 'f', 6) +
               "</Latitude><Longitude>" + QByteArray::number(7.0 + p * 0.00001, 'f', 6) + "</Longitude><Altitude>" +
               QByteArray::number(100.0 + (p % 40) * 0.5, 'f', 3) + "</Altitude></Position><Time>2008-07-15T" +
               clock + "Z</Time></Trackpoint>\n";
    }
    return xml + "</Track></Run></Runs>\n";
}

void BM_GarminImportTenThousandPoints(benchmark::State& state)
{
    TorvServer& srv = server();
    const QByteArray xml = tenThousandPoints();
    for (auto _ : state) {
        GarminRunFile file;
        if (!file.Parse(xml) || file.Runs().size() != 1)
            state.SkipWithError("the run was not read");
        GarminRunWriter writer;
        if (!writer.Write(file.Runs().first()))
            state.SkipWithError(writer.Error().toUtf8().constData());
    }
    state.counters["units"] = srv.daten.RecordCount();
}
BENCHMARK(BM_GarminImportTenThousandPoints)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
