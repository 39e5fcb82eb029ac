#include "platform/cabinet/cabformat.h"

#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace cabformat {

uint32_t Checksum(const char* data, int64_t size, uint32_t seed)
{
    uint32_t sum = seed;
    const auto* p = reinterpret_cast<const uint8_t*>(data);
    int64_t words = size / 4;
    while (words-- > 0) {
        sum ^= uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
        p += 4;
    }
    uint32_t last = 0;
    switch (size % 4) {
    case 3:
        last |= uint32_t(*p++) << 16;
        [[fallthrough]];
    case 2:
        last |= uint32_t(*p++) << 8;
        [[fallthrough]];
    case 1:
        last |= uint32_t(*p++);
        break;
    default:
        break;
    }
    return sum ^ last;
}

uint32_t DataBlockChecksum(const char* data, uint16_t compressedSize, uint16_t uncompressedSize)
{
    char sizes[4];
    PutU16(sizes, compressedSize);
    PutU16(sizes + 2, uncompressedSize);
    return Checksum(sizes, 4, Checksum(data, compressedSize, 0));
}

void ToDosDateTime(const QDateTime& local, uint16_t& date, uint16_t& time)
{
    QDate d = local.date();
    QTime t = local.time();
    if (!d.isValid() || d.year() < 1980) {
        d = QDate(1980, 1, 1);
        t = QTime(0, 0);
    } else if (d.year() > 2107) {
        d = QDate(2107, 12, 31);
        t = QTime(23, 59, 58);
    }
    date = uint16_t(((d.year() - 1980) << 9) | (d.month() << 5) | d.day());
    time = uint16_t((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
}

QDateTime FromDosDateTime(uint16_t date, uint16_t time)
{
    const QDate d(1980 + (date >> 9), (date >> 5) & 0x0F, date & 0x1F);
    const QTime t((time >> 11) & 0x1F, (time >> 5) & 0x3F, (time & 0x1F) * 2);
    return QDateTime(d.isValid() ? d : QDate(1980, 1, 1), t.isValid() ? t : QTime(0, 0));
}

QByteArray EncodeName(const QString& name, bool& utf)
{
    utf = false;
    for (QChar c : name)
        if (c.unicode() > 0x7F)
            utf = true;
    return utf ? name.toUtf8() : name.toLatin1();
}

QString DecodeName(const QByteArray& bytes, bool utf)
{
    // Names without the UTF flag are in the writer's ANSI code page; Latin-1 gives the German
    // letters of the Western one exactly.
    return utf ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

bool IsSafeArchiveName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        return false;
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':'))
        return false;
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    for (const QString& part : name.split(separators))
        if (part == QLatin1String(".."))
            return false;
    return true;
}

QString LocalArchivePath(const QString& name)
{
    QString s = name;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return s;
}

namespace {

// A bounded view of the directory bytes that reports where a read ran past the end.
class Cursor {
public:
    Cursor(const QByteArray& bytes, int64_t pos) : bytes_(bytes), pos_(pos) {}
    bool Has(int64_t n) const { return pos_ >= 0 && pos_ + n <= bytes_.size(); }
    const char* Take(int64_t n)
    {
        const char* p = bytes_.constData() + pos_;
        pos_ += n;
        return p;
    }
    // A zero-terminated string of at most 256 bytes; false when it has no end.
    bool TakeString(QByteArray& out)
    {
        for (int64_t i = pos_; i < bytes_.size() && i - pos_ <= kCabMaxNameLength; ++i)
            if (bytes_.at(i) == '\0') {
                out = bytes_.mid(pos_, i - pos_);
                pos_ = i + 1;
                return true;
            }
        return false;
    }
    int64_t Pos() const { return pos_; }

private:
    const QByteArray& bytes_;
    int64_t pos_;
};

DirectoryResult Fail(TFDIERROR error, int64_t pos)
{
    DirectoryResult r;
    r.Error = error;
    r.Position = pos;
    return r;
}

}  // namespace

DirectoryResult ParseDirectory(const QByteArray& bytes)
{
    DirectoryResult r;
    Directory& d = r.Dir;
    if (bytes.size() < 4 || std::memcmp(bytes.constData(), kSignature, 4) != 0)
        return Fail(FDIERROR_NOT_A_CABINET, 0);
    if (bytes.size() < kHeaderSize)
        return Fail(FDIERROR_CORRUPT_CABINET, bytes.size());
    const char* h = bytes.constData();
    d.CabinetSize = GetU32(h + 8);
    const uint32_t filesOffset = GetU32(h + 16);
    d.VersionMinor = uint8_t(h[24]);
    d.VersionMajor = uint8_t(h[25]);
    if (d.VersionMajor != kVersionMajor)
        return Fail(FDIERROR_UNKNOWN_CABINET_VERSION, 25);
    const uint16_t folderCount = GetU16(h + 26);
    const uint16_t fileCount = GetU16(h + 28);
    d.Flags = GetU16(h + 30);
    d.SetId = GetU16(h + 32);
    d.CabinetIndex = GetU16(h + 34);

    Cursor c(bytes, kHeaderSize);
    if (d.Flags & kFlagReservePresent) {
        if (!c.Has(4))
            return Fail(FDIERROR_CORRUPT_CABINET, c.Pos());
        const char* p = c.Take(4);
        d.ReserveHeader = GetU16(p);
        d.ReserveFolder = uint8_t(p[2]);
        d.ReserveData = uint8_t(p[3]);
        if (!c.Has(d.ReserveHeader))
            return Fail(FDIERROR_CORRUPT_CABINET, c.Pos());
        c.Take(d.ReserveHeader);
    }
    QByteArray s1, s2;
    if (d.Flags & kFlagPrevCabinet) {
        if (!c.TakeString(s1) || !c.TakeString(s2))
            return Fail(FDIERROR_CORRUPT_CABINET, c.Pos());
        d.PrevCabinet = DecodeName(s1, false);
        d.PrevDisk = DecodeName(s2, false);
    }
    if (d.Flags & kFlagNextCabinet) {
        if (!c.TakeString(s1) || !c.TakeString(s2))
            return Fail(FDIERROR_CORRUPT_CABINET, c.Pos());
        d.NextCabinet = DecodeName(s1, false);
        d.NextDisk = DecodeName(s2, false);
    }
    for (int i = 0; i < folderCount; ++i) {
        if (!c.Has(kFolderSize + d.ReserveFolder))
            return Fail(FDIERROR_CORRUPT_CABINET, c.Pos());
        const char* p = c.Take(kFolderSize + d.ReserveFolder);
        FolderEntry f;
        f.DataOffset = GetU32(p);
        f.BlockCount = GetU16(p + 4);
        f.Compression = GetU16(p + 6);
        if (f.DataOffset > d.CabinetSize)
            return Fail(FDIERROR_CORRUPT_CABINET, c.Pos() - kFolderSize - d.ReserveFolder);
        d.Folders.push_back(f);
    }
    Cursor files(bytes, filesOffset);
    for (int i = 0; i < fileCount; ++i) {
        if (!files.Has(kFileSize))
            return Fail(FDIERROR_CORRUPT_CABINET, files.Pos());
        const char* p = files.Take(kFileSize);
        FileEntry f;
        f.Size = GetU32(p);
        f.FolderOffset = GetU32(p + 4);
        f.FolderIndex = GetU16(p + 8);
        f.Date = GetU16(p + 10);
        f.Time = GetU16(p + 12);
        f.Attribs = GetU16(p + 14);
        QByteArray name;
        if (!files.TakeString(name))
            return Fail(FDIERROR_CORRUPT_CABINET, files.Pos());
        f.Name = DecodeName(name, f.Attribs & kAttrNameIsUtf);
        if (f.FolderIndex < kContinuedFromPrev && f.FolderIndex >= folderCount)
            return Fail(FDIERROR_CORRUPT_CABINET, files.Pos() - name.size() - 1 - kFileSize + 8);
        d.Files.push_back(f);
    }
    return r;
}

DirectoryResult ReadDirectory(const QString& fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        DirectoryResult r = Fail(FDIERROR_CABINET_NOT_FOUND, 0);
        r.SystemError = errno;
        return r;
    }
    // The header names where the file entries lie; the directory ends at most a full set of
    // maximal file entries after that.
    QByteArray bytes(kHeaderSize, Qt::Uninitialized);
    DirectoryResult r;
    ssize_t n = ::pread(fd, bytes.data(), kHeaderSize, 0);
    if (n < 0) {
        r = Fail(FDIERROR_CABINET_NOT_FOUND, 0);
        r.SystemError = errno;
    } else {
        bytes.resize(n);
        if (n == kHeaderSize && std::memcmp(bytes.constData(), kSignature, 4) == 0) {
            const int64_t filesOffset = GetU32(bytes.constData() + 16);
            const int64_t fileCount = GetU16(bytes.constData() + 28);
            const int64_t want = std::max<int64_t>(filesOffset, 0x10000) + fileCount * (kFileSize + 257);
            bytes.resize(want);
            n = ::pread(fd, bytes.data(), want, 0);
            bytes.resize(n < 0 ? 0 : n);
            if (n < 0) {
                r = Fail(FDIERROR_CORRUPT_CABINET, 0);
                r.SystemError = errno;
            }
        }
        if (n >= 0)
            r = ParseDirectory(bytes);
    }
    ::close(fd);
    return r;
}

}  // namespace cabformat
