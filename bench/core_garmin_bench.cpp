// Reading a run file of the GPS watch: 5 MB of XML holding 20 runs with their laps and track
// points. Goal: at most 300 ms.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "exchange/garminrunfile.h"

namespace {

QByteArray twentyRuns()
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n"
                     "<Runs xmlns=\"http://www.garmin.com/xmlschemas/ForerunnerLogbook\" version=\"1\">\n";
    for (int run = 0; run < 20; ++run) {
        const QByteArray day = "2008-07-" + QByteArray::number(10 + run);
        xml += "  <Run>\n";
        for (int lap = 0; lap < 10; ++lap)
            xml += "    <Lap>\n      <StartTime>" + day + "T05:" + QByteArray::number(10 + lap * 4) +
                   ":00Z</StartTime>\n      <Duration>PT241.7S</Duration>\n      <Length>1000.4</Length>\n"
                   "      <Calories>61</Calories>\n      <Intensity>Active</Intensity>\n    </Lap>\n";
        xml += "    <Track>\n";
        for (int p = 0; p < 700; ++p) {
            const QByteArray clock = QByteArray::number(5 + p / 3600).rightJustified(2, '0') + ":" +
                                     QByteArray::number(p / 60 % 60).rightJustified(2, '0') + ":" +
                                     QByteArray::number(p % 60).rightJustified(2, '0');
            xml += "      <Trackpoint>\n        <Position>\n          <Latitude>" +
                   QByteArray::number(51.0 + p * 0.0001, 'f', 6) + "</Latitude>\n          <Longitude>" +
                   QByteArray::number(7.0 + p * 0.00005, 'f', 6) + "</Longitude>\n          <Altitude>" +
                   QByteArray::number(100.0 + (p % 40) * 0.5, 'f', 3) + "</Altitude>\n        </Position>\n" +
                   "        <Time>" + day + "T" + clock + "Z</Time>\n        <HeartRateBpm>" +
                   QByteArray::number(120 + p % 40) + "</HeartRateBpm>\n        <Cadence>85</Cadence>\n"
                   "        <SensorState>Absent</SensorState>\n      </Trackpoint>\n";
        }
        xml += "    </Track>\n  </Run>\n";
    }
    xml += "</Runs>\n";
    return xml;
}

void BM_ReadGarminRunFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("runs.xml"));
    QFile f(name);
    f.open(QIODevice::WriteOnly);
    const QByteArray xml = twentyRuns();
    f.write(xml);
    f.close();
    state.counters["MB"] = xml.size() / 1e6;
    for (auto _ : state) {
        GarminRunFile runs;
        if (!runs.Read(name) || runs.Runs().size() != 20)
            state.SkipWithError("the file was not read");
        benchmark::DoNotOptimize(runs.Runs().last().points.size());
    }
}
BENCHMARK(BM_ReadGarminRunFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
