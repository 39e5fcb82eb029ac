#pragma once
// What the fuzz targets share: an input cut into the parts a reader takes (a file and its
// companion, the parts of a workbook), and a private folder for the readers that read files.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The input cut at its first `count - 1` zero bytes into `count` parts (missing ones empty).
inline QList<QByteArray> FuzzParts(const uint8_t* data, size_t size, int count)
{
    QList<QByteArray> parts;
    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    qsizetype from = 0;
    for (int i = 0; i + 1 < count; ++i) {
        const qsizetype zero = all.indexOf('\0', from);
        if (zero < 0)
            break;
        parts.append(all.mid(from, zero - from));
        from = zero + 1;
    }
    parts.append(all.mid(from));
    while (parts.size() < count)
        parts.append(QByteArray());
    return parts;
}

// A folder of this process, in memory where the system offers one; removed at the end.
inline QString FuzzFolder()
{
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/orvfuzz-XXXXXX")
                                                        : QDir::tempPath() + QStringLiteral("/orvfuzz-XXXXXX"));
    return dir.path();
}

// Writes a file of that name into the folder and returns its path.
inline QString FuzzWrite(const QString& name, const QByteArray& bytes)
{
    const QString path = FuzzFolder() + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return path;
}
