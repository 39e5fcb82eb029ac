// The clipboard text parser on any text: the rows it reads, written back as the grid copies
// cells, read the same (character 11 counting as the line break it stands for in quoted cells).
#include <cstdlib>

#include "grid/editing/gridclipboard.h"
#include "tests/fuzz/fuzzsupport.h"

namespace {

std::vector<QStringList> withLineBreaks(std::vector<QStringList> rows)
{
    for (QStringList& row : rows)
        for (QString& cell : row)
            cell.replace(QChar(11), QLatin1String("\r\n"));
    return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::vector<QStringList> rows = ParseClipboardText(text);
    QString back;
    for (const QStringList& row : rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                back += QLatin1Char('\t');
            back += ClipboardCellText(row[i], false);
        }
        back += QLatin1String("\r\n");
    }
    if (withLineBreaks(ParseClipboardText(back)) != withLineBreaks(rows))
        std::abort();
    return 0;
}
