#include "platform/cabinet/cabdecompressor.h"

#include <QFile>
#include <QDateTime>
#include <QFileInfo>

#include <mspack.h>

#include <cerrno>
#include <list>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/cabinet/cabformat.h"
#include "platform/cabinet/cabtargetfile.h"

using namespace cabformat;

namespace {

// The name under which libmspack opens the target of the file being extracted.
constexpr char kTargetToken[] = "\x01target";
// How often a next cabinet that cannot be used is asked for again before the copy fails.
constexpr int kNextCabinetTries = 3;

struct MsFile {
    int Fd = -1;
    TCabTargetFile* Target = nullptr;
};

struct MsSystem {
    mspack_system Base;
    TCabDecompressor::State* Owner;
};

bool IsPartial(const FileEntry& f)
{
    return f.FolderIndex == kContinuedFromPrev || f.FolderIndex == kContinuedPrevAndNext;
}
bool GoesOn(const FileEntry& f)
{
    return f.FolderIndex == kContinuedToNext || f.FolderIndex == kContinuedPrevAndNext;
}

// One cabinet of the set libmspack holds open, with where its files lie in the set's file list.
struct SetCabinet {
    QString FullName;
    QString Path;  // its folder, with a trailing delimiter
    Directory Dir;
    bool MergedWithPrev = false;  // its entries continued from the previous cabinet were merged away
    int Base = 0;
    // The file as it was opened: a cabinet changed since is opened anew.
    int64_t FileSize = QFileInfo(FullName).size();
    QDateTime Modified = QFileInfo(FullName).lastModified();
};

}  // namespace

struct TCabDecompressor::State {
    TCabErf* Erf = nullptr;
    MsSystem System{};
    mscab_decompressor* Dec = nullptr;
    mscabd_cabinet* Head = nullptr;  // first cabinet of the open set
    std::vector<SetCabinet> Set;
    // libmspack keeps the name a cabinet was opened with and opens it again by that name while
    // extracting: the names live as long as the set.
    std::list<QByteArray> OpenNames;
    TCabTargetFile* CurrentTarget = nullptr;
    int LastErrno = 0;

    ~State()
    {
        CloseSet();
        if (Dec)
            mspack_destroy_cab_decompressor(Dec);
    }

    bool Fail(int oper, int type = 0)
    {
        Erf->Oper = oper;
        Erf->Type = type;
        Erf->Error = true;
        return false;
    }

    void CloseSet()
    {
        if (Head)
            Dec->close(Dec, Head);
        Head = nullptr;
        Set.clear();
        OpenNames.clear();
    }

    static int ErrorOf(int msError)
    {
        switch (msError) {
        case MSPACK_ERR_OPEN:
            return FDIERROR_CABINET_NOT_FOUND;
        case MSPACK_ERR_SIGNATURE:
            return FDIERROR_NOT_A_CABINET;
        case MSPACK_ERR_NOMEMORY:
            return FDIERROR_ALLOC_FAIL;
        case MSPACK_ERR_WRITE:
            return FDIERROR_TARGET_FILE;
        case MSPACK_ERR_DECRUNCH:
            return FDIERROR_MDI_FAIL;
        default:  // read, seek, data format, checksum: the cabinet is damaged
            return FDIERROR_CORRUPT_CABINET;
        }
    }

    void Reindex()
    {
        int pos = 0;
        for (SetCabinet& c : Set) {
            c.Base = pos;
            for (const FileEntry& f : c.Dir.Files)
                if (!(c.MergedWithPrev && IsPartial(f)))
                    ++pos;
        }
    }

    int IndexOf(const QString& fullName) const
    {
        for (size_t i = 0; i < Set.size(); ++i)
            if (Set[i].FullName == fullName) {
                const QFileInfo now(fullName);
                return now.size() == Set[i].FileSize && now.lastModified() == Set[i].Modified ? int(i) : -1;
            }
        return -1;
    }

    // The set's entry of file `k` of cabinet `c`.
    mscabd_file* EntryOf(const SetCabinet& c, int k) const
    {
        int pos = c.Base;
        for (int i = 0; i < k; ++i)
            if (!(c.MergedWithPrev && IsPartial(c.Dir.Files[size_t(i)])))
                ++pos;
        mscabd_file* f = Head ? Head->files : nullptr;
        while (f && pos-- > 0)
            f = f->next;
        return f;
    }

    mscabd_cabinet* OpenCabinet(const QString& fullName)
    {
        LastErrno = 0;
        OpenNames.push_back(QFile::encodeName(fullName));
        mscabd_cabinet* cab = Dec->open(Dec, OpenNames.back().constData());
        if (!cab)
            Fail(ErrorOf(Dec->last_error(Dec)), LastErrno);
        return cab;
    }

    // Opens the cabinet alone as a new set; with a folder continued from the previous cabinet
    // whose own files are to be extracted here, the earlier cabinets are joined in front.
    bool OpenAlone(const QString& fullName, const QString& path, const Directory& dir)
    {
        CloseSet();
        Head = OpenCabinet(fullName);
        if (!Head)
            return false;
        Set.push_back({fullName, path, dir, false, 0});
        for (;;) {
            const Directory& first = Set.front().Dir;
            bool needsPrev = false;
            bool hasPartial = false;
            for (const FileEntry& f : first.Files) {
                hasPartial = hasPartial || IsPartial(f);
                needsPrev = needsPrev || (!IsPartial(f) && f.FolderIndex == 0);
            }
            if (!(first.Flags & kFlagPrevCabinet) || !hasPartial || !needsPrev)
                break;
            QString prevName = FindCabinetFile(Set.front().Path, first.PrevCabinet);
            if (prevName.isEmpty())
                prevName = Set.front().Path + first.PrevCabinet;
            const DirectoryResult prev = ReadDirectory(prevName);
            if (!prev.Ok())
                return Fail(prev.Error, prev.SystemError);
            mscabd_cabinet* prevCab = OpenCabinet(prevName);
            if (!prevCab)
                return false;
            if (Dec->prepend(Dec, Head, prevCab) != MSPACK_ERR_OK) {
                Dec->close(Dec, prevCab);
                return Fail(FDIERROR_WRONG_CABINET);
            }
            Head = prevCab;
            Set.front().MergedWithPrev = true;
            const QString nextPath = Set.front().Path;
            Set.insert(Set.begin(), {QFileInfo(prevName).absoluteFilePath(), nextPath, prev.Dir, false, 0});
        }
        Reindex();
        return true;
    }

    // Joins the next cabinet of the set behind the last one, asking the caller where it is.
    bool AppendNext(const TCabNotify& notify)
    {
        const SetCabinet& last = Set.back();
        TFDINOTIFICATION n;
        n.NextCabinet = last.Dir.NextCabinet;
        n.NextDisk = last.Dir.NextDisk;
        n.CabinetPath = last.Path;
        for (int attempt = 0;; ++attempt) {
            const int result = notify(TFDINOTIFICATIONTYPE::NextCabinet, n);
            if (result == -1)
                return n.Error == FDIERROR_NONE ? Fail(FDIERROR_USER_ABORT) : Fail(n.Error, LastErrno);
            if (!n.CabinetPath.isEmpty() && !n.CabinetPath.endsWith(QLatin1Char('/')))
                n.CabinetPath += QLatin1Char('/');
            QString fullName = FindCabinetFile(n.CabinetPath, n.NextCabinet);
            if (fullName.isEmpty())
                fullName = QFileInfo(n.CabinetPath + n.NextCabinet).absoluteFilePath();
            const DirectoryResult next = ReadDirectory(fullName);
            TFDIERROR error = next.Error;
            LastErrno = next.SystemError;
            if (next.Ok() && (next.Dir.SetId != last.Dir.SetId || next.Dir.CabinetIndex != last.Dir.CabinetIndex + 1 ||
                              !(next.Dir.Flags & kFlagPrevCabinet)))
                error = FDIERROR_WRONG_CABINET;
            else if (next.Ok() && (next.Dir.ReserveFolder != last.Dir.ReserveFolder ||
                                   next.Dir.ReserveData != last.Dir.ReserveData))
                error = FDIERROR_RESERVE_MISMATCH;
            if (error == FDIERROR_NONE) {
                TFDINOTIFICATION info;
                info.NextCabinet = next.Dir.NextCabinet;
                info.NextDisk = next.Dir.NextDisk;
                info.CabinetPath = n.CabinetPath;
                info.SetId = next.Dir.SetId;
                info.CabinetNo = next.Dir.CabinetIndex;
                if (notify(TFDINOTIFICATIONTYPE::CabinetInfo, info) == -1)
                    return Fail(FDIERROR_USER_ABORT);
                mscabd_cabinet* cab = OpenCabinet(fullName);
                if (!cab)
                    return false;
                mscabd_cabinet* tail = Head;
                while (tail->nextcab)
                    tail = tail->nextcab;
                if (Dec->append(Dec, tail, cab) != MSPACK_ERR_OK) {
                    Dec->close(Dec, cab);
                    return Fail(FDIERROR_WRONG_CABINET);
                }
                bool merged = false;
                for (const FileEntry& f : next.Dir.Files)
                    merged = merged || IsPartial(f);
                Set.push_back({fullName, n.CabinetPath, next.Dir, merged, 0});
                Reindex();
                return true;
            }
            if (attempt + 1 >= kNextCabinetTries)
                return Fail(error, LastErrno);
            n.Error = error;  // asked again, with the reason
        }
    }

    // Extracts file `k` of set cabinet `c` into `target`.
    bool Extract(int c, int k, TCabTargetFile* target, const TCabNotify& notify)
    {
        // A file that goes on needs the following cabinets up to the one where it ends; its
        // entry there is the one continued from the previous cabinet with its name and size.
        const FileEntry* e = &Set[size_t(c)].Dir.Files[size_t(k)];
        for (int i = c; GoesOn(*e); ++i) {
            if (i + 1 >= int(Set.size()) && !AppendNext(notify))
                return false;
            const FileEntry* next = nullptr;
            for (const FileEntry& g : Set[size_t(i + 1)].Dir.Files)
                if (IsPartial(g) && g.Name == e->Name && g.Size == e->Size) {
                    next = &g;
                    break;
                }
            if (!next)
                return Fail(FDIERROR_CORRUPT_CABINET);
            e = next;
        }
        const FileEntry& entry = Set[size_t(c)].Dir.Files[size_t(k)];
        mscabd_file* file = EntryOf(Set[size_t(c)], k);
        const QByteArray expected = entry.Attribs & kAttrNameIsUtf ? entry.Name.toUtf8() : entry.Name.toLatin1();
        if (!file || expected != QByteArray(file->filename) || file->length != entry.Size)
            return Fail(FDIERROR_CORRUPT_CABINET);
        CurrentTarget = target;
        LastErrno = 0;
        const int rc = Dec->extract(Dec, file, kTargetToken);
        CurrentTarget = nullptr;
        if (rc != MSPACK_ERR_OK)
            return Fail(ErrorOf(rc), rc == MSPACK_ERR_WRITE ? target->SystemError() : LastErrno);
        return true;
    }
};

namespace {

TCabDecompressor::State* OwnerOf(mspack_system* self)
{
    return reinterpret_cast<MsSystem*>(self)->Owner;
}

mspack_file* MsOpen(mspack_system* self, const char* filename, int mode)
{
    TCabDecompressor::State* s = OwnerOf(self);
    auto* f = new MsFile;
    if (std::strcmp(filename, kTargetToken) == 0) {
        if (mode != MSPACK_SYS_OPEN_WRITE || !s->CurrentTarget) {
            delete f;
            return nullptr;
        }
        f->Target = s->CurrentTarget;
        return reinterpret_cast<mspack_file*>(f);
    }
    if (mode != MSPACK_SYS_OPEN_READ) {  // the library only reads cabinets here
        delete f;
        s->LastErrno = EACCES;
        return nullptr;
    }
    f->Fd = ::open(filename, O_RDONLY | O_CLOEXEC);
    if (f->Fd < 0) {
        s->LastErrno = errno;
        delete f;
        return nullptr;
    }
    return reinterpret_cast<mspack_file*>(f);
}

void MsClose(mspack_file* file)
{
    auto* f = reinterpret_cast<MsFile*>(file);
    if (f->Fd >= 0)
        ::close(f->Fd);
    delete f;
}

int MsRead(mspack_file* file, void* buffer, int bytes)
{
    auto* f = reinterpret_cast<MsFile*>(file);
    for (;;) {
        const ssize_t n = ::read(f->Fd, buffer, size_t(bytes));
        if (n < 0 && errno == EINTR)
            continue;
        return int(n);
    }
}

int MsWrite(mspack_file* file, void* buffer, int bytes)
{
    auto* f = reinterpret_cast<MsFile*>(file);
    if (!f->Target)
        return -1;
    return f->Target->Write(static_cast<const char*>(buffer), bytes) ? bytes : -1;
}

int MsSeek(mspack_file* file, off_t offset, int mode)
{
    auto* f = reinterpret_cast<MsFile*>(file);
    const int whence = mode == MSPACK_SYS_SEEK_START ? SEEK_SET : mode == MSPACK_SYS_SEEK_CUR ? SEEK_CUR : SEEK_END;
    return ::lseek(f->Fd, offset, whence) < 0 ? -1 : 0;
}

off_t MsTell(mspack_file* file)
{
    auto* f = reinterpret_cast<MsFile*>(file);
    return f->Target ? off_t(f->Target->Size()) : ::lseek(f->Fd, 0, SEEK_CUR);
}

void MsMessage(mspack_file*, const char*, ...) {}

void* MsAlloc(mspack_system*, size_t bytes)
{
    return std::malloc(bytes);
}

void MsFree(void* p)
{
    std::free(p);
}

void MsCopy(void* src, void* dest, size_t bytes)
{
    std::memcpy(dest, src, bytes);
}

}  // namespace

TCabDecompressor::TCabDecompressor(std::unique_ptr<State> state) : d_(std::move(state)) {}

TCabDecompressor::~TCabDecompressor() = default;

std::unique_ptr<TCabDecompressor> TCabDecompressor::Create(TCabErf& erf)
{
    erf = TCabErf();
    auto s = std::make_unique<State>();
    s->Erf = &erf;
    s->System.Base = {MsOpen, MsClose, MsRead, MsWrite, MsSeek, MsTell, MsMessage, MsAlloc, MsFree, MsCopy, nullptr};
    s->System.Owner = s.get();
    s->Dec = mspack_create_cab_decompressor(&s->System.Base);
    if (!s->Dec) {
        s->Fail(FDIERROR_ALLOC_FAIL);
        return nullptr;
    }
    return std::unique_ptr<TCabDecompressor>(new TCabDecompressor(std::move(s)));
}

bool TCabDecompressor::Copy(const QString& cabinetName, const QString& cabinetPath, const TCabNotify& notify)
{
    State& s = *d_;
    *s.Erf = TCabErf();
    const QString fullName = cabinetPath + cabinetName;
    const DirectoryResult read = ReadDirectory(fullName);
    if (!read.Ok())
        return s.Fail(read.Error, read.SystemError);
    const Directory& dir = read.Dir;

    TFDINOTIFICATION info;
    info.NextCabinet = dir.NextCabinet;
    info.NextDisk = dir.NextDisk;
    info.CabinetPath = cabinetPath;
    info.SetId = dir.SetId;
    info.CabinetNo = dir.CabinetIndex;
    if (notify(TFDINOTIFICATIONTYPE::CabinetInfo, info) == -1)
        return s.Fail(FDIERROR_USER_ABORT);

    // A cabinet joined to the open set while an earlier one was extracted is used from there.
    int c = s.IndexOf(QFileInfo(fullName).absoluteFilePath());
    if (c < 0) {
        if (!s.OpenAlone(QFileInfo(fullName).absoluteFilePath(), cabinetPath, dir))
            return false;
        c = s.IndexOf(QFileInfo(fullName).absoluteFilePath());
    }

    for (size_t k = 0; k < dir.Files.size(); ++k) {
        const FileEntry& f = dir.Files[k];
        TFDINOTIFICATION n;
        n.FileName = f.Name;
        if (IsPartial(f)) {
            n.StartCabinet = dir.PrevCabinet;
            n.StartDisk = dir.PrevDisk;
            if (notify(TFDINOTIFICATIONTYPE::PartialFile, n) == -1)
                return s.Fail(FDIERROR_USER_ABORT);
            continue;
        }
        const uint16_t folder = GoesOn(f) ? uint16_t(dir.Folders.size() - 1) : f.FolderIndex;
        n.Size = f.Size;
        n.Date = f.Date;
        n.Time = f.Time;
        n.Attribs = f.Attribs;
        n.FolderNo = folder;
        if (notify(TFDINOTIFICATIONTYPE::CopyFile, n) == -1)
            return s.Fail(FDIERROR_USER_ABORT);
        if (!n.Target)
            continue;
        if (folder >= dir.Folders.size())
            return s.Fail(FDIERROR_CORRUPT_CABINET);
        const uint16_t type = dir.Folders[folder].Compression & tcompMASK_TYPE;
        if (type > tcompTYPE_LZX)
            return s.Fail(FDIERROR_BAD_COMPR_TYPE);
        if (!s.Extract(c, int(k), n.Target, notify))
            return false;
        n.Execute = f.Attribs & kAttrExecute;
        if (notify(TFDINOTIFICATIONTYPE::CloseFileInfo, n) == -1)
            return s.Fail(FDIERROR_USER_ABORT);
    }
    return true;
}
