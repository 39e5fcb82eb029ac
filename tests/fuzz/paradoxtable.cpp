// A Paradox table of any bytes, with its blob file after the input's first zero byte, opened and
// read whole as the conversion reads the old tables.
#include <QFile>

#include "platform/office/paradox/paradoxtable.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> parts = FuzzParts(data, size, 2);
    const QString table = FuzzWrite(QStringLiteral("daten.DB"), parts[0]);
    const QString blobs = FuzzFolder() + QStringLiteral("/daten.MB");
    if (parts[1].isEmpty())
        QFile::remove(blobs);
    else
        FuzzWrite(QStringLiteral("daten.MB"), parts[1]);
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
