// The grid text stream's reader on any bytes (the first byte chooses where the data area
// starts), and every text it read written as a line and read back unchanged.
#include <cstdlib>

#include "grid/editing/gridtextstream.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    TGridTextStream stream;
    int errorLine = 0;
    if (!ReadGridTextStream(bytes, data[0] % 3, stream, errorLine)) {
        if (errorLine < 1)
            std::abort();
        return 0;
    }
    for (const TGridTextStreamCell& cell : stream.Cells) {
        if (cell.Col < 0 || cell.Col >= stream.DataCols || cell.Row < 0 || cell.Row >= stream.DataRows)
            std::abort();
        const QString line = GridStreamLineText(cell.Text);
        QString back;
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')) || !GridStreamCellText(line, back) ||
            back != cell.Text)
            std::abort();
    }
    return 0;
}
