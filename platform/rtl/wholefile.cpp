#include "platform/rtl/wholefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("WholeFile", text);
}

QString tooLarge(const QString& fileName, qint64 limit)
{
    return tr("Die Datei \"%1\" ist größer als %2 MB. So große Aufzeichnungen gibt es nicht; die Datei wird nicht "
              "gelesen.")
        .arg(QDir::toNativeSeparators(fileName))
        .arg(limit >> 20);
}

}  // namespace

bool ReadWholeFile(const QString& fileName, QByteArray& bytes, QString& error, qint64 limit)
{
    bytes.clear();
    QFile file(fileName);
    const auto unreadable = [&] {
        error = tr("Die Datei \"%1\" kann nicht gelesen werden: %2")
                    .arg(QDir::toNativeSeparators(fileName), file.errorString());
        bytes.clear();
        return false;
    };
    if (!file.open(QIODevice::ReadOnly))
        return unreadable();
    // The size the file claims decides before anything is read; a device or pipe claims none,
    // so reading stops one byte past the limit as well.
    if (!file.isSequential() && file.size() > limit) {
        error = tooLarge(fileName, limit);
        return false;
    }
    bytes.reserve(file.isSequential() ? 0 : qsizetype(file.size()));
    constexpr qint64 kChunk = qint64(1) << 20;
    for (;;) {
        const qint64 want = std::min(kChunk, limit + 1 - qint64(bytes.size()));
        const QByteArray chunk = file.read(want);
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                return unreadable();
            break;
        }
        bytes.append(chunk);
        if (bytes.size() > limit) {
            bytes.clear();
            error = tooLarge(fileName, limit);
            return false;
        }
    }
    error.clear();
    return true;
}
