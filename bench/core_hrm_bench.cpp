// Reading a heart-rate monitor exercise file of one hour: 3,600 samples of pulse, speed,
// cadence and altitude at one second, with twelve laps. Goal: well within 1 s.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "exchange/hrmfile.h"

namespace {

QByteArray hourOfSamples()
{
    QByteArray text = "[Params]\r\nVersion=106\r\nSMode=111000000\r\nDate=20080715\r\nStartTime=9:12:01.0\r\n"
                      "Length=01:00:00.0\r\nInterval=1\r\nMaxHR=185\r\nRestHR=48\r\nWeight=72\r\n"
                      "Calories=812\r\n\r\n[Note]\r\nStundenlauf\r\n\r\n[IntTimes]\r\n";
    for (int lap = 1; lap <= 12; ++lap) {
        text += QByteArray::number(lap * 5 / 60) + ":" + QByteArray::number(lap * 5 % 60).rightJustified(2, '0')
                + ":00.0\t150\t130\t145\t165\r\n0\t0\t0\t0\t0\t112\r\n0\t0\t0\t0\t0\r\n0\t1000\t0\t215\t0\t0\r\n"
                  "0\t0\t0\t0\t0\t0\r\n";
    }
    text += "\r\n[IntNotes]\r\n\r\n[HRData]\r\n";
    for (int k = 0; k < 3600; ++k)
        text += QByteArray::number(120 + k % 50) + "\t" + QByteArray::number(100 + k % 30) + "\t"
                + QByteArray::number(80 + k % 10) + "\t" + QByteArray::number(100 + k % 40) + "\r\n";
    return text;
}

void BM_ReadHrmFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("08071501.hrm"));
    QFile f(name);
    f.open(QIODevice::WriteOnly);
    f.write(hourOfSamples());
    f.close();
    for (auto _ : state) {
        HrmFile hrm;
        if (!hrm.Read(name) || hrm.Samples().size() != 3600)
            state.SkipWithError("the file was not read");
        benchmark::DoNotOptimize(hrm.TotalMeters());
    }
}
BENCHMARK(BM_ReadHrmFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
