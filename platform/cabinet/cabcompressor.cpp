#include "platform/cabinet/cabcompressor.h"

#include <QDir>
#include <QFile>

#include <QThread>

#include <zlib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/cabinet/cabformat.h"
#include "platform/cabinet/cabtargetfile.h"

using namespace cabformat;

namespace {

constexpr uint32_t kNoLimit = 0x7FFFFFFF;
// Room kept in every cabinet header for the names of a next cabinet, which are known only
// when the cabinet is full: two names of the longest length with their terminating zeros.
constexpr int64_t kNextNamesRoom = 2 * (kCabMaxNameLength + 1);
constexpr int64_t kReadChunk = 2 << 20;

// Threads that compress blocks side by side.
constexpr int kMaxThreads = 4;

// One MSZIP block: "CK" and a complete deflate stream of its own, so that a reader that keeps
// the previous block as history decodes it as well as one that does not.
bool DeflateBlock(z_stream& zs, const char* data, int size, QByteArray& out)
{
    if (deflateReset(&zs) != Z_OK)
        return false;
    out.resize(2 + int(deflateBound(&zs, uLong(size))));
    out[0] = 'C';
    out[1] = 'K';
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    zs.avail_in = uInt(size);
    zs.next_out = reinterpret_cast<Bytef*>(out.data() + 2);
    zs.avail_out = uInt(out.size() - 2);
    if (deflate(&zs, Z_FINISH) != Z_STREAM_END)
        return false;
    out.resize(int(2 + zs.total_out));
    return true;
}

// A file of the open folder whose entries are not all written yet. Offsets count from the
// beginning of the folder's uncompressed stream.
struct PendingFile {
    QByteArray Name;
    bool Utf = false;
    QString DisplayName;
    int64_t Offset = 0;
    int64_t Size = 0;
    uint16_t Date = 0, Time = 0, Attribs = 0;
    bool ListedBefore = false;  // has an entry in an earlier cabinet (continued from there)
    int64_t End() const { return Offset + Size; }
};

// An entry written into the current cabinet.
struct FileOut {
    QByteArray Name;
    uint32_t Size = 0, FolderOffset = 0;
    uint16_t FolderIndex = 0, Date = 0, Time = 0, Attribs = 0;
};

// A folder's part in the current cabinet: its data blocks lie in the spool from SpoolOffset on.
struct FolderOut {
    uint16_t Compression = 0;
    int64_t SpoolOffset = 0;
    int Blocks = 0;
};

}  // namespace

struct TCabCompressor::State {
    TCabErf* Erf = nullptr;
    TCabCompressorCallbacks Cb;
    TCCAB Cab;
    // Level 3 keeps the fast deflate matcher: within a few per cent of the default level's size at
    // about twice its speed, which a 100 MB database backup feels.
    int Level = 3;

    // The set: completed cabinets waiting for their real names, and the link to the previous one.
    std::vector<std::unique_ptr<TCabTargetFile>> Completed;
    int CabinetsInSet = 1;
    bool HasPrev = false;
    QString PrevCabinet, PrevDisk;
    bool NeedNewCabinet = false;  // the last cabinet ended the set; a further file starts another

    // The current cabinet.
    std::vector<FolderOut> Folders;
    std::vector<FileOut> Files;
    int SpoolFd = -1;
    int64_t SpoolSize = 0;
    QByteArray SpoolBuffer;
    int64_t DirectorySize = 0;  // folder and file entries counted so far
    int64_t DataSize = 0;       // data blocks in the spool

    // The open folder.
    bool FolderOpen = false;
    uint16_t FolderType = 0;
    int64_t FolderStart = 0;  // stream offset that is offset 0 of the folder's entries
    int64_t StreamPos = 0;    // uncompressed bytes fed into the folder's stream
    int64_t BlocksEnd = 0;    // stream offset up to which whole blocks lie in this cabinet
    int64_t FolderCompressed = 0;
    std::vector<PendingFile> FolderFiles;
    QByteArray Input;  // fed bytes not yet compressed (less than one block)
    QByteArray Block;  // compressed bytes of the block being placed
    std::vector<QByteArray> Batch;  // blocks compressed side by side
    z_stream Zs{};
    bool ZsReady = false;

    ~State()
    {
        if (ZsReady)
            deflateEnd(&Zs);
        if (SpoolFd >= 0)
            ::close(SpoolFd);
    }

    bool Fail(int oper, int type = 0)
    {
        Erf->Oper = oper;
        Erf->Type = type;
        Erf->Error = true;
        return false;
    }

    bool AnyReserve() const { return Cab.ReserveCabinet || Cab.ReserveFolder || Cab.ReserveData; }

    int64_t HeaderSize(bool withNext, const QByteArray& nextCab = {}, const QByteArray& nextDisk = {}) const
    {
        int64_t size = kHeaderSize + (AnyReserve() ? 4 + Cab.ReserveCabinet : 0);
        if (HasPrev)
            size += QFile::encodeName(PrevCabinet).size() + 1 + QFile::encodeName(PrevDisk).size() + 1;
        if (withNext)
            size += nextCab.size() + 1 + nextDisk.size() + 1;
        return size;
    }
    int64_t FolderEntrySize() const { return kFolderSize + Cab.ReserveFolder; }
    static int64_t FileEntrySize(const QByteArray& name) { return kFileSize + name.size() + 1; }
    int64_t DataHeaderSize() const { return kDataHeaderSize + Cab.ReserveData; }
    int64_t Limit() const { return Cab.CabinetSizeLimit ? Cab.CabinetSizeLimit : kNoLimit; }
    // Bytes the current cabinet may still take.
    int64_t Room() const { return Limit() - HeaderSize(false) - kNextNamesRoom - DirectorySize - DataSize; }

    bool CheckParameters(const TCCAB& cab)
    {
        if (cab.ReserveCabinet > 60000 || cab.ReserveFolder > 255 || cab.ReserveData > 255)
            return Fail(FCIERR_CAB_FORMAT_LIMIT);
        for (const QString& s : {cab.CabinetName, cab.CabinetPath, cab.DiskLabel})
            if (QFile::encodeName(s).size() > kCabMaxNameLength)
                return Fail(FCIERR_CAB_FORMAT_LIMIT);
        if (cab.CabinetName.isEmpty())
            return Fail(FCIERR_CAB_FILE, ENOENT);
        return true;
    }

    // ---- spool of the current cabinet's data blocks -----------------------------------------

    bool SpoolWrite(const char* data, int64_t size)
    {
        SpoolBuffer.append(data, size);
        SpoolSize += size;
        return SpoolBuffer.size() < kReadChunk || SpoolFlush();
    }
    bool SpoolFlush()
    {
        const char* p = SpoolBuffer.constData();
        int64_t left = SpoolBuffer.size();
        while (left > 0) {
            const ssize_t n = ::write(SpoolFd, p, size_t(left));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return Fail(FCIERR_TEMP_FILE, n < 0 ? errno : ENOSPC);
            p += n;
            left -= n;
        }
        SpoolBuffer.clear();
        return true;
    }
    bool SpoolReset()
    {
        SpoolBuffer.clear();
        SpoolSize = 0;
        if (::ftruncate(SpoolFd, 0) != 0 || ::lseek(SpoolFd, 0, SEEK_SET) != 0)
            return Fail(FCIERR_TEMP_FILE, errno);
        return true;
    }

    // ---- compression ---------------------------------------------------------------------------

    bool Compress(const char* data, int size, const QByteArray* precompressed)
    {
        if (precompressed) {
            Block = *precompressed;
        } else if (FolderType == tcompTYPE_NONE) {
            Block = QByteArray(data, size);
        } else {
            if (!ZsReady) {
                if (deflateInit2(&Zs, Level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
                    return Fail(FCIERR_ALLOC_FAIL);
                ZsReady = true;
            }
            if (!DeflateBlock(Zs, data, size, Block))
                return Fail(FCIERR_MCI_FAIL);
        }
        return Block.size() <= kBlockSize + 12 || Fail(FCIERR_MCI_FAIL);
    }

    // Compresses the whole blocks of `data` side by side on several threads (the blocks do not
    // depend on each other) into `out`.
    bool CompressMany(const char* data, int blocks, std::vector<QByteArray>& out)
    {
        out.assign(size_t(blocks), QByteArray());
        if (FolderType == tcompTYPE_NONE) {
            for (int i = 0; i < blocks; ++i)
                out[size_t(i)] = QByteArray(data + int64_t(i) * kBlockSize, kBlockSize);
            return true;
        }
        const int threads = std::clamp(std::min(QThread::idealThreadCount(), kMaxThreads), 1, blocks);
        std::vector<char> ok(size_t(threads), 1);
        auto work = [&](int t) {
            z_stream zs{};
            if (deflateInit2(&zs, Level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
                ok[size_t(t)] = 0;
                return;
            }
            for (int i = t; i < blocks; i += threads)
                if (!DeflateBlock(zs, data + int64_t(i) * kBlockSize, kBlockSize, out[size_t(i)]))
                    ok[size_t(t)] = 0;
            deflateEnd(&zs);
        };
        std::vector<std::thread> pool;
        for (int t = 1; t < threads; ++t)
            pool.emplace_back(work, t);
        work(0);
        for (std::thread& th : pool)
            th.join();
        for (char k : ok)
            if (!k)
                return Fail(FCIERR_MCI_FAIL);
        return true;
    }

    bool WriteDataRecord(const char* data, int size, uint16_t uncompressed)
    {
        QByteArray head(int(DataHeaderSize()), '\0');
        PutU32(head.data(), DataBlockChecksum(data, uint16_t(size), uncompressed));
        PutU16(head.data() + 4, uint16_t(size));
        PutU16(head.data() + 6, uncompressed);
        if (!SpoolWrite(head.constData(), head.size()) || !SpoolWrite(data, size))
            return false;
        DataSize += head.size() + size;
        ++Folders.back().Blocks;
        return true;
    }

    // The file of the open folder that began in an earlier cabinet, if any (at most one).
    const PendingFile* Spanning() const
    {
        for (const PendingFile& f : FolderFiles)
            if (f.ListedBefore)
                return &f;
        return nullptr;
    }

    // Compresses the bytes of one block (the stream from BlocksEnd on) and places them.
    //
    // A set is read by joining its cabinets one after the other, which asks three things of a
    // folder that goes on in the next cabinet: the cabinet ends in the middle of a block (its
    // first part has the uncompressed size 0), exactly one file spans the boundary, and the
    // folder ends with that file in the next cabinet. So a block is split over two cabinets only
    // when it holds data of one file; a block of several files that does not fit is cut after
    // its first file, and a block is cut where the spanning file ends. A cut block is the last
    // of its folder; the rest of it goes back to the fed bytes of a new folder. Every cabinet
    // keeps room for the first part of a split block.
    bool EmitBlock(const char* data, int size, const QByteArray* precompressed = nullptr)
    {
        if (const PendingFile* sp = Spanning(); sp && sp->End() < BlocksEnd + size)
            return CutBlock(data, size, int(sp->End() - BlocksEnd));
        if (!Compress(data, size, precompressed))
            return false;
        const int64_t blockEnd = BlocksEnd + size;
        const int64_t keep = DataHeaderSize() + 1;
        int done = 0;
        for (;;) {
            const int left = Block.size() - done;
            const int64_t room = Room() - DataHeaderSize();
            if (left + keep <= room) {
                if (!WriteDataRecord(Block.constData() + done, left, uint16_t(size)))
                    return false;
                BlocksEnd = blockEnd;
                break;
            }
            if (done == 0) {
                int64_t firstEnd = blockEnd;
                int filesInBlock = 0;
                for (const PendingFile& f : FolderFiles)
                    if (f.Size > 0 && f.Offset < blockEnd && f.End() > BlocksEnd) {
                        ++filesInBlock;
                        firstEnd = std::min(firstEnd, f.End());
                    }
                if (filesInBlock > 1)
                    return CutBlock(data, size, int(firstEnd - BlocksEnd));
            }
            if (room <= 0)  // not even a part of the block fits into a cabinet of this size
                return Fail(FCIERR_CAB_FORMAT_LIMIT);
            const int part = int(std::min<int64_t>(room, left - 1));
            if (!WriteDataRecord(Block.constData() + done, part, 0))
                return false;
            done += part;
            if (!CabinetFull(blockEnd))
                return false;
        }
        FolderCompressed += Block.size();
        if (Cb.Status && Cb.Status(TCabStatus::File, uint32_t(Block.size()), uint32_t(size)) == -1)
            return Fail(FCIERR_USER_ABORT);
        return true;
    }

    // Places the first `cut` bytes of a block as the last block of the folder.
    bool CutBlock(const char* data, int size, int cut)
    {
        const QByteArray rest(data + cut, size - cut);
        if (cut > 0 && !EmitBlock(data, cut))
            return false;
        if (!EndFolderHere())
            return false;
        Input = rest + Input;
        return true;
    }

    // The folder ends where the spanning file ends: its files get their entries and the stream
    // goes on in a new folder of the same compression.
    bool EndFolderHere()
    {
        std::vector<PendingFile> rest;
        for (const PendingFile& f : FolderFiles) {
            if (f.Offset < BlocksEnd || (f.Size == 0 && f.Offset == BlocksEnd && f.ListedBefore)) {
                if (!List(f, false))
                    return false;
            } else {
                rest.push_back(f);
            }
        }
        FolderFiles = std::move(rest);
        if (Cb.Status && Cb.Status(TCabStatus::Folder, uint32_t(FolderCompressed), uint32_t(FolderCompressed)) == -1)
            return Fail(FCIERR_USER_ABORT);
        Folders.push_back({FolderType, SpoolSize, 0});
        DirectorySize += FolderEntrySize();
        FolderStart = BlocksEnd;
        FolderCompressed = 0;
        return true;
    }

    // ---- folders and cabinets -------------------------------------------------------------------

    void OpenFolder(uint16_t type)
    {
        FolderOpen = true;
        FolderType = type;
        FolderStart = BlocksEnd = StreamPos = 0;
        FolderCompressed = 0;
        Input.clear();
        Folders.push_back({type, SpoolSize, 0});
        DirectorySize += FolderEntrySize();
    }

    uint16_t FolderIndexFor(const PendingFile& f, bool toNext) const
    {
        const auto index = uint16_t(Folders.size() - 1);
        if (f.ListedBefore)
            return toNext ? kContinuedPrevAndNext : kContinuedFromPrev;
        return toNext ? kContinuedToNext : index;
    }

    bool List(const PendingFile& f, bool toNext)
    {
        FileOut e;
        e.Name = f.Name;
        e.Size = uint32_t(f.Size);
        e.FolderOffset = uint32_t(f.Offset - FolderStart);
        e.FolderIndex = FolderIndexFor(f, toNext);
        e.Date = f.Date;
        e.Time = f.Time;
        e.Attribs = f.Attribs;
        Files.push_back(e);
        if (Cb.FilePlaced && !Cb.FilePlaced(Cab, f.DisplayName, f.Size, f.ListedBefore))
            return Fail(FCIERR_USER_ABORT);
        return true;
    }

    // Writes the last block of the open folder and lists every file still waiting in it.
    bool CloseFolder()
    {
        if (!FolderOpen)
            return true;
        while (!Input.isEmpty()) {
            const QByteArray last = Input;
            Input.clear();
            if (!EmitBlock(last.constData(), last.size()))
                return false;
        }
        for (const PendingFile& f : FolderFiles)
            if (!List(f, false))
                return false;
        FolderFiles.clear();
        FolderOpen = false;
        if (Cb.Status && Cb.Status(TCabStatus::Folder, uint32_t(FolderCompressed), uint32_t(FolderCompressed)) == -1)
            return Fail(FCIERR_USER_ABORT);
        return true;
    }

    // The cabinet is full in the middle of a block of the open folder, whose first part it holds
    // (the block holds data of one file, which ends at or after `splitBlockEnd`). Files with data
    // before the block's end get their entries here; the one in the split block goes on in the
    // next cabinet, and the folder with it.
    bool CabinetFull(int64_t splitBlockEnd)
    {
        std::vector<PendingFile> rest;
        for (PendingFile& f : FolderFiles) {
            const bool listed = f.Size > 0 ? f.Offset < splitBlockEnd : f.Offset < BlocksEnd;
            const bool toNext = listed && f.End() > BlocksEnd;
            if (listed && !List(f, toNext))
                return false;
            if (!listed || toNext) {
                f.ListedBefore = f.ListedBefore || listed;
                rest.push_back(f);
            }
        }
        FolderFiles = std::move(rest);
        if (!NextCabinet(true))
            return false;
        // The open folder's part in the new cabinet.
        Folders.push_back({FolderType, SpoolSize, 0});
        DirectorySize += FolderEntrySize();
        for (const PendingFile& f : FolderFiles)
            DirectorySize += FileEntrySize(f.Name);
        return true;
    }

    // Completes the current cabinet. With `link` the next cabinet's parameters are asked for
    // first, so that the two name each other, and the context goes on in the next cabinet.
    bool NextCabinet(bool link)
    {
        TCCAB next = Cab;
        QByteArray nextName, nextDisk;
        const int64_t size = HeaderSize(false) + DirectorySize + DataSize;
        if (link) {
            next.CabinetNo = ++CabinetsInSet;
            if (Cb.GetNextCabinet && !Cb.GetNextCabinet(next, uint32_t(size)))
                return Fail(FCIERR_USER_ABORT);
            if (!CheckParameters(next))
                return false;
            nextName = QFile::encodeName(next.CabinetName);
            nextDisk = QFile::encodeName(next.DiskLabel);
        }
        if (!WriteCabinet(link, nextName, nextDisk))
            return false;
        const auto actual = uint32_t(Completed.back()->Size());
        if (Cb.Status && Cb.Status(TCabStatus::Cabinet, uint32_t(size), actual) == -1)
            return Fail(FCIERR_USER_ABORT);
        HasPrev = link;
        PrevCabinet = Cab.CabinetName;
        PrevDisk = Cab.DiskLabel;
        if (link)
            Cab = next;
        Folders.clear();
        Files.clear();
        DirectorySize = 0;
        DataSize = 0;
        return SpoolReset();
    }

    bool WriteCabinet(bool link, const QByteArray& nextName, const QByteArray& nextDisk)
    {
        if (!SpoolFlush())
            return false;
        // A folder part without a block and without a file (its data all went into the previous
        // cabinet) is not written; a folder of empty files is.
        std::vector<bool> used(Folders.size(), false);
        for (const FileOut& f : Files)
            if (f.FolderIndex < kContinuedFromPrev)
                used[f.FolderIndex] = true;
            else
                used[f.FolderIndex == kContinuedFromPrev ? 0 : Folders.size() - 1] = true;
        std::vector<FolderOut> folders;
        std::vector<int> newIndex(Folders.size(), -1);
        for (size_t i = 0; i < Folders.size(); ++i)
            if (Folders[i].Blocks > 0 || used[i]) {
                newIndex[i] = int(folders.size());
                folders.push_back(Folders[i]);
            }
        QByteArray dir;
        const int64_t headerSize = HeaderSize(link, nextName, nextDisk);
        int64_t filesOffset = headerSize + int64_t(folders.size()) * FolderEntrySize();
        int64_t filesSize = 0;
        for (const FileOut& f : Files)
            filesSize += FileEntrySize(f.Name);
        const int64_t dataOffset = filesOffset + filesSize;
        const int64_t total = dataOffset + SpoolSize;
        if (total > 0xFFFFFFFFLL || Files.size() > 0xFFFF || folders.size() > 0xFFFF)
            return Fail(FCIERR_CAB_FORMAT_LIMIT);

        dir.resize(int(dataOffset));
        dir.fill('\0');
        char* h = dir.data();
        std::memcpy(h, kSignature, 4);
        PutU32(h + 8, uint32_t(total));
        PutU32(h + 16, uint32_t(filesOffset));
        h[24] = char(kVersionMinor);
        h[25] = char(kVersionMajor);
        PutU16(h + 26, uint16_t(folders.size()));
        PutU16(h + 28, uint16_t(Files.size()));
        uint16_t flags = 0;
        if (HasPrev)
            flags |= kFlagPrevCabinet;
        if (link)
            flags |= kFlagNextCabinet;
        if (AnyReserve())
            flags |= kFlagReservePresent;
        PutU16(h + 30, flags);
        PutU16(h + 32, Cab.SetId);
        PutU16(h + 34, uint16_t(CabinetsInSet - (link ? 2 : 1)));
        int64_t pos = kHeaderSize;
        if (AnyReserve()) {
            PutU16(h + pos, uint16_t(Cab.ReserveCabinet));
            h[pos + 2] = char(Cab.ReserveFolder);
            h[pos + 3] = char(Cab.ReserveData);
            pos += 4 + Cab.ReserveCabinet;
        }
        auto putString = [&](const QByteArray& s) {
            std::memcpy(h + pos, s.constData(), size_t(s.size()));
            pos += s.size() + 1;
        };
        if (HasPrev) {
            putString(QFile::encodeName(PrevCabinet));
            putString(QFile::encodeName(PrevDisk));
        }
        if (link) {
            putString(nextName);
            putString(nextDisk);
        }
        for (const FolderOut& f : folders) {
            PutU32(h + pos, uint32_t(dataOffset + f.SpoolOffset));
            PutU16(h + pos + 4, uint16_t(f.Blocks));
            PutU16(h + pos + 6, f.Compression);
            pos += FolderEntrySize();
        }
        for (const FileOut& f : Files) {
            uint16_t folder = f.FolderIndex;
            if (folder < kContinuedFromPrev)
                folder = uint16_t(newIndex[folder]);
            PutU32(h + pos, f.Size);
            PutU32(h + pos + 4, f.FolderOffset);
            PutU16(h + pos + 8, folder);
            PutU16(h + pos + 10, f.Date);
            PutU16(h + pos + 12, f.Time);
            PutU16(h + pos + 14, f.Attribs);
            pos += kFileSize;
            putString(f.Name);
        }

        auto file = std::make_unique<TCabTargetFile>();
        if (!file->Open(Cab.CabinetPath + Cab.CabinetName) || !file->Write(dir.constData(), dir.size()))
            return Fail(FCIERR_CAB_FILE, file->SystemError());
        QByteArray buffer(int(kReadChunk), Qt::Uninitialized);
        for (int64_t at = 0; at < SpoolSize;) {
            const ssize_t n = ::pread(SpoolFd, buffer.data(), size_t(std::min<int64_t>(kReadChunk, SpoolSize - at)), at);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return Fail(FCIERR_TEMP_FILE, n < 0 ? errno : EIO);
            if (!file->Write(buffer.constData(), n))
                return Fail(FCIERR_CAB_FILE, file->SystemError());
            at += n;
        }
        Completed.push_back(std::move(file));
        return true;
    }

    // Starts a cabinet after one that ended a set: a cabinet of its own, not linked.
    bool StartAgain()
    {
        TCCAB next = Cab;
        next.CabinetNo = ++CabinetsInSet;
        if (Cb.GetNextCabinet && !Cb.GetNextCabinet(next, 0))
            return Fail(FCIERR_USER_ABORT);
        if (!CheckParameters(next))
            return false;
        Cab = next;
        HasPrev = false;
        NeedNewCabinet = false;
        return true;
    }

    bool Feed(const char* data, int64_t size)
    {
        while (size > 0) {
            const int take = int(std::min<int64_t>(size, kBlockSize - Input.size()));
            if (Input.isEmpty() && take == kBlockSize) {
                // Whole blocks straight from the read buffer, compressed side by side.
                const int blocks = int(size / kBlockSize);
                if (!CompressMany(data, blocks, Batch))
                    return false;
                for (int i = 0; i < blocks; ++i) {
                    StreamPos += kBlockSize;
                    if (Input.isEmpty()) {
                        if (!EmitBlock(data, kBlockSize, &Batch[size_t(i)]))
                            return false;
                    } else {
                        // A cut block gave back bytes: the rest goes the slow way.
                        Input.append(data, kBlockSize);
                        while (Input.size() >= kBlockSize) {
                            const QByteArray full = Input.left(kBlockSize);
                            Input.remove(0, kBlockSize);
                            if (!EmitBlock(full.constData(), full.size()))
                                return false;
                        }
                    }
                    data += kBlockSize;
                    size -= kBlockSize;
                }
                continue;
            } else {
                Input.append(data, take);
                StreamPos += take;
                if (Input.size() == kBlockSize) {
                    const QByteArray full = Input;
                    Input.clear();
                    if (!EmitBlock(full.constData(), full.size()))
                        return false;
                }
            }
            data += take;
            size -= take;
        }
        return true;
    }
};

TCabCompressor::TCabCompressor(std::unique_ptr<State> state) : d_(std::move(state)) {}

TCabCompressor::~TCabCompressor() = default;

std::unique_ptr<TCabCompressor> TCabCompressor::Create(TCabErf& erf, const TCCAB& cab, TCabCompressorCallbacks callbacks)
{
    erf = TCabErf();
    auto s = std::make_unique<State>();
    s->Erf = &erf;
    s->Cb = std::move(callbacks);
    s->Cab = cab;
    if (!s->CheckParameters(cab))
        return nullptr;
    // The spool of the data blocks has no name: it disappears with the context whatever happens.
    QByteArray templ = QFile::encodeName(QDir::tempPath() + QStringLiteral("/stcXXXXXX"));
    s->SpoolFd = ::mkostemp(templ.data(), O_CLOEXEC);
    if (s->SpoolFd < 0) {
        s->Fail(FCIERR_TEMP_FILE, errno);
        return nullptr;
    }
    ::unlink(templ.constData());
    return std::unique_ptr<TCabCompressor>(new TCabCompressor(std::move(s)));
}

void TCabCompressor::SetDeflateLevel(int level)
{
    d_->Level = std::clamp(level, 1, 9);
}

bool TCabCompressor::AddFile(const QString& source, const QString& name, bool execute, uint16_t compression)
{
    State& s = *d_;
    const uint16_t type = compression & tcompMASK_TYPE;
    if (type != tcompTYPE_NONE && type != tcompTYPE_MSZIP)
        return s.Fail(FCIERR_BAD_COMPR_TYPE);
    PendingFile f;
    f.Name = EncodeName(name, f.Utf);
    f.DisplayName = name;
    if (f.Name.isEmpty() || f.Name.size() > kCabMaxNameLength)
        return s.Fail(FCIERR_CAB_FORMAT_LIMIT);
    if (s.NeedNewCabinet && !s.StartAgain())
        return false;

    int error = 0;
    const int fd = s.Cb.GetOpenInfo ? s.Cb.GetOpenInfo(source, f.Date, f.Time, f.Attribs, error) : -1;
    if (fd < 0)
        return s.Fail(FCIERR_OPEN_SRC, s.Cb.GetOpenInfo ? error : ENOSYS);
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return s.Fail(FCIERR_READ_SRC, errno);
    if (!S_ISREG(st.st_mode))
        return s.Fail(FCIERR_READ_SRC, EISDIR);
    if (st.st_size > kNoLimit)
        return s.Fail(FCIERR_CAB_FORMAT_LIMIT);
    f.Size = st.st_size;
    f.Attribs = uint16_t((f.Attribs & kAttrMask) | (execute ? kAttrExecute : 0) | (f.Utf ? kAttrNameIsUtf : 0));

    // A folder holds one kind of compression and at most 65535 blocks.
    const int64_t maxStream = int64_t(kMaxBlocksPerFolder) * kBlockSize;
    if (s.FolderOpen && (s.FolderType != type || s.StreamPos - s.FolderStart + f.Size > maxStream) &&
        !s.CloseFolder())
        return false;
    if (!s.FolderOpen)
        s.OpenFolder(type);
    f.Offset = s.StreamPos;
    s.FolderFiles.push_back(f);
    s.DirectorySize += State::FileEntrySize(f.Name);

    QByteArray buffer(int(std::min<int64_t>(kReadChunk, std::max<int64_t>(f.Size, 1))), Qt::Uninitialized);
    for (int64_t left = f.Size; left > 0;) {
        const ssize_t n = ::read(fd, buffer.data(), size_t(std::min<int64_t>(left, buffer.size())));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return s.Fail(FCIERR_READ_SRC, errno);
        if (n == 0)  // the file became shorter while it was read
            return s.Fail(FCIERR_READ_SRC, EIO);
        if (!s.Feed(buffer.constData(), n))
            return false;
        left -= n;
    }
    // The folder's size: its compressed blocks and the bytes still waiting for a block.
    if (s.Cab.FolderSizeLimit && s.FolderCompressed + s.Input.size() >= s.Cab.FolderSizeLimit)
        return s.CloseFolder();
    return true;
}

bool TCabCompressor::FlushFolder()
{
    return d_->CloseFolder();
}

bool TCabCompressor::FlushCabinet(bool getNextCabinet)
{
    State& s = *d_;
    if (!s.CloseFolder())
        return false;
    if (!s.Files.empty() && !s.NextCabinet(getNextCabinet))
        return false;
    if (getNextCabinet)
        return true;
    // The set is complete: every cabinet gets its real name, in the order written, as one step.
    std::vector<TCabTargetFile*> cabinets;
    for (auto& cab : s.Completed)
        cabinets.push_back(cab.get());
    int error = 0;
    const bool committed = TCabTargetFile::CommitAll(cabinets, error);
    s.Completed.clear();
    if (!committed)
        return s.Fail(FCIERR_CAB_FILE, error);
    s.NeedNewCabinet = true;
    return true;
}
