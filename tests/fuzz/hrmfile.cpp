// The exercise file reader on any text, with a day file after the input's first zero byte.
#include "exchange/hrmfile.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> parts = FuzzParts(data, size, 2);
    HrmFile f;
    if (!f.Parse(parts[0], QStringLiteral("08071501.hrm"), parts[1])) {
        (void)f.Error().Text();
        return 0;
    }
    // What the import and the entry window read of a file that was read.
    (void)f.Kcal();
    (void)f.Mode();
    (void)f.Note();
    for (const HrmSample& s : f.Samples())
        (void)s.Time();
    for (const HrmLap& l : f.Laps())
        (void)l.Time();
    (void)f.TotalMeters();
    return 0;
}
