// The grid's delimited-text reader on any bytes: decoding in both code-page modes, the delimiter
// detection and the records with and without tilde line breaks.
#include <cstdlib>

#include "grid/editing/csvtext.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (bool oem : {false, true}) {
        const QString text = DecodeCsvBytes(bytes, oem);
        QString line1, line2;
        FirstCsvRecords(text, line1, line2);
        TCsvOptions options;
        options.Delimiter = DetectCsvDelimiter(line1, line2);
        options.TildeLineBreaks = oem;
        const std::vector<QStringList> records = ParseCsvRecords(text, options);
        // A text without line breaks is one record at most.
        if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) && records.size() > 1)
            std::abort();
    }
    return 0;
}
