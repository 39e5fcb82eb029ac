// A Paradox table of any bytes and its blob file, opened and read whole as the conversion reads
// the old tables. A table is full of zero bytes, so the input is not cut at one: its first four
// bytes give the table's length (little-endian; the rest of the input when they claim more), the
// table follows, and what is left is the blob file (none when nothing is left).
#include <QFile>

#include <algorithm>

#include "platform/office/paradox/paradoxtable.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const size_t claimed = size_t(data[0]) | size_t(data[1]) << 8 | size_t(data[2]) << 16 | size_t(data[3]) << 24;
    const size_t tableSize = std::min(claimed, size - 4);
    const char* bytes = reinterpret_cast<const char*>(data + 4);
    const QString table = FuzzWrite(QStringLiteral("daten.DB"), QByteArray(bytes, qsizetype(tableSize)));
    const QString blobs = FuzzFolder() + QStringLiteral("/daten.MB");
    if (tableSize == size - 4)
        QFile::remove(blobs);
    else
        FuzzWrite(QStringLiteral("daten.MB"), QByteArray(bytes + tableSize, qsizetype(size - 4 - tableSize)));
    ParadoxTable t;
    if (!t.Open(table)) {
        (void)t.Error().Text();
        return 0;
    }
    QList<QVariantList> records;
    if (!t.ReadAll(records))
        (void)t.Error().Text();
    return 0;
}
