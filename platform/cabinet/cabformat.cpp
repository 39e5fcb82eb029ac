#include "platform/cabinet/cabformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

QString FindCabinetFile(const QString& folder, const QString& name)
{
    if (name.isEmpty())
        return QString();
    const QFileInfo exact(QDir(folder), LocalArchivePath(name));
    if (exact.isFile())
        return exact.absoluteFilePath();
    const QDir dir = exact.absoluteDir();
    const QString wanted = exact.fileName();
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.absoluteFilePath(entry);
    return QString();
}

namespace {

// A bounded view of directory bytes that reports where a read ran past the end. `base` is the
// file offset of the first byte held, so positions are those of the file.
class Cursor {
public:
    Cursor(const QByteArray& bytes, int64_t base, int64_t pos) : bytes_(bytes), base_(base), pos_(pos) {}
    bool Has(int64_t n) const { return pos_ >= base_ && pos_ - base_ + n <= bytes_.size(); }
    const char* Take(int64_t n)
    {
        const char* p = bytes_.constData() + (pos_ - base_);
        pos_ += n;
        return p;
    }
    // A zero-terminated string of at most 256 bytes; false when it has no end.
    bool TakeString(QByteArray& out)
    {
        if (pos_ < base_)
            return false;
        const int64_t start = pos_ - base_;
        for (int64_t i = start; i < bytes_.size() && i - start <= kCabMaxNameLength; ++i)
            if (bytes_.at(i) == '\0') {
                out = bytes_.mid(start, i - start);
                pos_ = base_ + i + 1;
                return true;
            }
        return false;
    }
    int64_t Pos() const { return pos_; }

private:
    const QByteArray& bytes_;
    int64_t base_;
    int64_t pos_;
};

DirectoryResult Fail(TFDIERROR error, int64_t pos)
{
    DirectoryResult r;
    r.Error = error;
    r.Position = pos;
    return r;
}

// The most bytes the header with its reserve, the set's names and the folder entries can take
// for a given number of folders, and the most the file entries can take.
int64_t MaxHeadSize(int64_t folderCount)
{
    return kHeaderSize + 4 + 0xFFFF + 4 * (kCabMaxNameLength + 1) + folderCount * (kFolderSize + 0xFF);
}
int64_t MaxFilesSize(int64_t fileCount)
{
    return fileCount * (kFileSize + kCabMaxNameLength + 1);
}

// Parses a directory from the bytes of the file's start (`head`) and the bytes from the first
// file entry on (`files`, starting at file offset `filesBase`). `fileSize` is the size of the
// whole cabinet file: no count or offset of the header may lead past it.
DirectoryResult Parse(const QByteArray& head, const QByteArray& files, int64_t filesBase, int64_t fileSize)
{
    DirectoryResult r;
    Directory& d = r.Dir;
    if (head.size() < 4 || std::memcmp(head.constData(), kSignature, 4) != 0)
        return Fail(FDIERROR_NOT_A_CABINET, 0);
    if (head.size() < kHeaderSize)
        return Fail(FDIERROR_CORRUPT_CABINET, head.size());
    const char* h = head.constData();
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
    // A cabinet shorter than its header says was cut off; entries cannot lie past its end.
    if (d.CabinetSize < kHeaderSize || d.CabinetSize > fileSize)
        return Fail(FDIERROR_CORRUPT_CABINET, std::min<int64_t>(d.CabinetSize, fileSize));
    if (filesOffset < kHeaderSize || filesOffset > d.CabinetSize ||
        int64_t(fileCount) * (kFileSize + 1) > int64_t(d.CabinetSize) - filesOffset)
        return Fail(FDIERROR_CORRUPT_CABINET, 16);

    Cursor c(head, 0, kHeaderSize);
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
    if (!c.Has(int64_t(folderCount) * (kFolderSize + d.ReserveFolder)))
        return Fail(FDIERROR_CORRUPT_CABINET, c.Pos());
    d.Folders.reserve(folderCount);
    for (int i = 0; i < folderCount; ++i) {
        const char* p = c.Take(kFolderSize + d.ReserveFolder);
        FolderEntry f;
        f.DataOffset = GetU32(p);
        f.BlockCount = GetU16(p + 4);
        f.Compression = GetU16(p + 6);
        // Every data block has at least its header: the blocks must fit in the cabinet.
        if (int64_t(f.DataOffset) + int64_t(f.BlockCount) * (kDataHeaderSize + d.ReserveData) > d.CabinetSize)
            return Fail(FDIERROR_CORRUPT_CABINET, c.Pos() - kFolderSize - d.ReserveFolder);
        d.Folders.push_back(f);
    }
    Cursor entries(files, filesBase, filesOffset);
    d.Files.reserve(fileCount);
    for (int i = 0; i < fileCount; ++i) {
        if (!entries.Has(kFileSize))
            return Fail(FDIERROR_CORRUPT_CABINET, entries.Pos());
        const char* p = entries.Take(kFileSize);
        FileEntry f;
        f.Size = GetU32(p);
        f.FolderOffset = GetU32(p + 4);
        f.FolderIndex = GetU16(p + 8);
        f.Date = GetU16(p + 10);
        f.Time = GetU16(p + 12);
        f.Attribs = GetU16(p + 14);
        QByteArray name;
        if (!entries.TakeString(name))
            return Fail(FDIERROR_CORRUPT_CABINET, entries.Pos());
        f.Name = DecodeName(name, f.Attribs & kAttrNameIsUtf);
        if (f.FolderIndex < kContinuedFromPrev && f.FolderIndex >= folderCount)
            return Fail(FDIERROR_CORRUPT_CABINET, entries.Pos() - name.size() - 1 - kFileSize + 8);
        d.Files.push_back(f);
    }
    return r;
}

// Reads up to `size` bytes at `pos`; false with errno on a failed read.
bool ReadAt(int fd, int64_t pos, int64_t size, QByteArray& out)
{
    out.resize(size);
    int64_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, out.data() + done, size_t(size - done), off_t(pos + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += n;
    }
    out.resize(done);
    return true;
}

}  // namespace

DirectoryResult ParseDirectory(const QByteArray& bytes)
{
    return Parse(bytes, bytes, 0, bytes.size());
}

DirectoryResult ReadDirectory(const QString& fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        DirectoryResult r = Fail(FDIERROR_CABINET_NOT_FOUND, 0);
        r.SystemError = errno;
        if (fd >= 0)
            ::close(fd);
        return r;
    }
    // Only what the header's counts allow is read, and never more than the file holds: a header
    // that claims more than the file has is refused by the parser, without memory for it.
    const int64_t fileSize = st.st_size;
    QByteArray head;
    QByteArray files;
    int64_t filesBase = 0;
    bool ok = ReadAt(fd, 0, std::min<int64_t>(kHeaderSize, fileSize), head);
    if (ok && head.size() == kHeaderSize && std::memcmp(head.constData(), kSignature, 4) == 0) {
        const int64_t cabinetSize = std::min<int64_t>(GetU32(head.constData() + 8), fileSize);
        filesBase = GetU32(head.constData() + 16);
        const int64_t headSize = std::min(MaxHeadSize(GetU16(head.constData() + 26)), cabinetSize);
        ok = ReadAt(fd, 0, std::max<int64_t>(headSize, kHeaderSize), head);
        if (ok && filesBase < cabinetSize)
            ok = ReadAt(fd, filesBase, std::min(MaxFilesSize(GetU16(head.constData() + 28)), cabinetSize - filesBase),
                        files);
    }
    DirectoryResult r;
    if (!ok) {
        r = Fail(FDIERROR_CORRUPT_CABINET, 0);
        r.SystemError = errno;
    } else {
        r = Parse(head, files, filesBase, fileSize);
    }
    ::close(fd);
    return r;
}

}  // namespace cabformat
