// The cabinet directory reader on any bytes.
#include "platform/cabinet/cabformat.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const cabformat::DirectoryResult r =
        cabformat::ParseDirectory(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!r.Ok())
        return 0;
    for (const cabformat::FileEntry& f : r.Dir.Files)
        if (cabformat::IsSafeArchiveName(f.Name))
            (void)cabformat::LocalArchivePath(f.Name);
    return 0;
}
