// The blob file of a Paradox table: the input's first byte chooses a picture field and a
// password-protected table, its second the size of the blob field (10 to 73 bytes) that follows,
// the rest is the file.
#include "platform/office/paradox/paradoxblobfile.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const bool graphic = data[0] & 1;
    const uint32_t encryption = (data[0] & 2) ? 0x12345678u : 0;
    const size_t fieldSize = 10 + data[1] % 64;
    if (size < 2 + fieldSize)
        return 0;
    const QString file =
        FuzzWrite(QStringLiteral("blob.MB"), QByteArray(reinterpret_cast<const char*>(data + 2 + fieldSize),
                                                        qsizetype(size - 2 - fieldSize)));
    ParadoxBlobFile blobs;
    QString reason;
    if (!blobs.Open(file, encryption, reason))
        return 0;
    QByteArray value;
    bool isNull = false;
    blobs.Value(data + 2, int(fieldSize), graphic, value, isNull, reason);
    return 0;
}
