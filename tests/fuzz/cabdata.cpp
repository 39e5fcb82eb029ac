// A cabinet of any bytes extracted as the restore extracts one: every file to a target beside
// the others, none of them kept.
#include <QDir>

#include <map>
#include <memory>

#include "platform/cabinet/cabdecompressor.h"
#include "platform/cabinet/cabformat.h"
#include "platform/cabinet/cabtargetfile.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString cabinet =
        FuzzWrite(QStringLiteral("fuzz.cab"), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString target = FuzzFolder() + QStringLiteral("/out");
    QDir().mkpath(target);
    TCabErf erf;
    std::unique_ptr<TCabDecompressor> reader = TCabDecompressor::Create(erf);
    if (!reader)
        return 0;
    std::map<QString, std::unique_ptr<TCabTargetFile>> open;
    reader->Copy(QStringLiteral("fuzz.cab"), FuzzFolder() + QLatin1Char('/'),
                 [&](TFDINOTIFICATIONTYPE type, TFDINOTIFICATION& n) {
                     switch (type) {
                     case TFDINOTIFICATIONTYPE::CopyFile: {
                         if (!cabformat::IsSafeArchiveName(n.FileName))
                             return -1;
                         // Every entry under one name: the folder never fills.
                         auto file = std::make_unique<TCabTargetFile>();
                         if (!file->Open(target + QStringLiteral("/entry")))
                             return -1;
                         n.Target = file.get();
                         open[n.FileName] = std::move(file);
                         return 0;
                     }
                     case TFDINOTIFICATIONTYPE::CloseFileInfo:
                         open.erase(n.FileName);  // discarded, never renamed
                         return 0;
                     case TFDINOTIFICATIONTYPE::NextCabinet:
                         return -1;  // a set is not followed
                     default:
                         return 0;
                     }
                 });
    return 0;
}
