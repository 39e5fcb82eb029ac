#include "platform/office/compoundfile.h"

#include <QVector>
#include <QtEndian>

#include <cstring>

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kMaxRegularSector = 0xFFFFFFFA;

quint16 u16(const QByteArray& b, qsizetype at)
{
    quint16 v;
    std::memcpy(&v, b.constData() + at, 2);
    return qFromLittleEndian(v);
}

quint32 u32(const QByteArray& b, qsizetype at)
{
    quint32 v;
    std::memcpy(&v, b.constData() + at, 4);
    return qFromLittleEndian(v);
}

}  // namespace

bool CompoundFile::Open(const QByteArray& file)
{
    file_ = file;
    if (file_.size() < 512 || !file_.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")))
        return false;
    const quint16 sectorShift = u16(file_, 30);
    const quint16 miniShift = u16(file_, 32);
    if ((sectorShift != 9 && sectorShift != 12) || miniShift != 6)
        return false;
    sectorSize_ = 1u << sectorShift;
    miniSectorSize_ = 1u << miniShift;
    const quint32 fatSectors = u32(file_, 44);
    const quint32 firstDirectory = u32(file_, 48);
    miniCutoff_ = u32(file_, 56);
    const quint32 firstMiniFat = u32(file_, 60);
    const quint32 miniFatSectors = u32(file_, 64);
    quint32 difatSector = u32(file_, 68);
    const quint32 difatSectors = u32(file_, 72);
    const quint64 sectorCount = quint64(file_.size()) / sectorSize_;  // an upper bound
    if (fatSectors > sectorCount || difatSectors > sectorCount || miniFatSectors > sectorCount)
        return false;

    // The sectors of the allocation table: 109 in the header, the rest in a chain of DIFAT
    // sectors, each ending with the number of the next.
    QVector<quint32> fatList;
    for (int i = 0; i < 109 && quint32(fatList.size()) < fatSectors; ++i)
        fatList.append(u32(file_, 76 + 4 * i));
    for (quint32 n = 0; n < difatSectors && quint32(fatList.size()) < fatSectors; ++n) {
        const quint64 at = (quint64(difatSector) + 1) * sectorSize_;
        if (difatSector > kMaxRegularSector || at + sectorSize_ > quint64(file_.size()))
            return false;
        for (quint32 i = 0; i + 1 < sectorSize_ / 4 && quint32(fatList.size()) < fatSectors; ++i)
            fatList.append(u32(file_, qsizetype(at + 4 * i)));
        difatSector = u32(file_, qsizetype(at + sectorSize_ - 4));
    }
    if (quint32(fatList.size()) != fatSectors)
        return false;
    fat_.clear();
    fat_.reserve(qsizetype(fatSectors) * (sectorSize_ / 4));
    for (quint32 s : fatList) {
        const quint64 at = (quint64(s) + 1) * sectorSize_;
        if (s > kMaxRegularSector || at + sectorSize_ > quint64(file_.size()))
            return false;
        for (quint32 i = 0; i < sectorSize_ / 4; ++i)
            fat_.append(u32(file_, qsizetype(at + 4 * i)));
    }

    if (!readChain(firstDirectory, 0, directory_) || directory_.size() < 128)
        return false;
    miniFat_.clear();
    if (miniFatSectors > 0) {
        QByteArray miniFatBytes;
        if (!readChain(firstMiniFat, 0, miniFatBytes))
            return false;
        for (qsizetype i = 0; i + 4 <= miniFatBytes.size(); i += 4)
            miniFat_.append(u32(miniFatBytes, i));
    }
    // The root entry (the first) holds the mini stream.
    const quint32 rootStart = u32(directory_, 116);
    const quint64 rootSize = u32(directory_, 120);
    miniStream_.clear();
    if (rootSize > 0 && !readChain(rootStart, rootSize, miniStream_))
        return false;
    return true;
}

bool CompoundFile::readChain(quint32 start, quint64 size, QByteArray& out) const
{
    out.clear();
    quint32 sector = start;
    // A chain longer than the table has entries runs in a circle.
    for (qsizetype steps = 0; sector != kEndOfChain; ++steps) {
        if (sector > kMaxRegularSector || sector >= quint32(fat_.size()) || steps > fat_.size())
            return false;
        const quint64 at = (quint64(sector) + 1) * sectorSize_;
        if (at + sectorSize_ > quint64(file_.size())) {
            // The last sector of a file may be cut short after the stream's end.
            if (at >= quint64(file_.size()))
                return false;
            out.append(file_.constData() + at, qsizetype(quint64(file_.size()) - at));
        } else {
            out.append(file_.constData() + at, sectorSize_);
        }
        if (size > 0 && quint64(out.size()) >= size)
            break;
        sector = fat_[sector];
    }
    if (size > 0) {
        if (quint64(out.size()) < size)
            return false;
        out.truncate(qsizetype(size));
    }
    return true;
}

bool CompoundFile::readMiniChain(quint32 start, quint64 size, QByteArray& out) const
{
    out.clear();
    quint32 sector = start;
    for (qsizetype steps = 0; quint64(out.size()) < size; ++steps) {
        if (sector >= quint32(miniFat_.size()) || steps > miniFat_.size())
            return false;
        const quint64 at = quint64(sector) * miniSectorSize_;
        if (at + miniSectorSize_ > quint64(miniStream_.size()))
            return false;
        out.append(miniStream_.constData() + at, miniSectorSize_);
        sector = miniFat_[sector];
    }
    out.truncate(qsizetype(size));
    return true;
}

bool CompoundFile::ReadStream(const QString& name, QByteArray& stream) const
{
    for (qsizetype at = 0; at + 128 <= directory_.size(); at += 128) {
        const quint16 nameBytes = u16(directory_, at + 64);
        const quint8 type = quint8(directory_[at + 66]);
        if (type != 2 || nameBytes < 2 || nameBytes > 64)
            continue;  // not a stream
        QString entry = QString::fromUtf16(reinterpret_cast<const char16_t*>(directory_.constData() + at),
                                           nameBytes / 2 - 1);
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const quint32 start = u32(directory_, at + 116);
        const quint64 size = u32(directory_, at + 120);
        if (size < miniCutoff_)
            return readMiniChain(start, size, stream);
        return readChain(start, size, stream);
    }
    return false;
}
