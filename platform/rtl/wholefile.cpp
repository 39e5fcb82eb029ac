#include "platform/rtl/wholefile.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("WholeFile", text);
}

QString tooLarge(qint64 limit)
{
    return tr("Die Datei ist größer als %1 MB. So große Aufzeichnungen gibt es nicht; sie wird nicht gelesen.")
        .arg(limit >> 20);
}

}  // namespace

bool ReadWholeFile(const QString& fileName, QByteArray& bytes, QString& reason, qint64 limit)
{
    bytes.clear();
    QFile file(fileName);
    const auto unreadable = [&] {
        reason = tr("Die Datei kann nicht gelesen werden: %1").arg(file.errorString());
        bytes.clear();
        return false;
    };
    if (!file.open(QIODevice::ReadOnly))
        return unreadable();
    // The size the file claims decides before anything is read; a device or pipe claims none,
    // so reading stops one byte past the limit as well.
    if (!file.isSequential() && file.size() > limit) {
        reason = tooLarge(limit);
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
            reason = tooLarge(limit);
            return false;
        }
    }
    reason.clear();
    return true;
}
