// The run-file reader on any bytes, and the rows the import computes for every run it lists.
#include "exchange/garminrunfile.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GarminRunFile f;
    if (!f.Parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), QStringLiteral("laeufe.xml"))) {
        (void)f.Error().Text();
        return 0;
    }
    for (const GarminRun& run : f.Runs()) {
        // The list shows every run; only importable ones are written.
        (void)run.StartUtc();
        (void)run.StartLocal();
        (void)run.Length();
        (void)run.DurationMs();
        if (!run.Importable()) {
            (void)run.problem.Text();
            continue;
        }
        (void)GarminLapRows(run);
        (void)GarminTrackRows(run);
    }
    return 0;
}
