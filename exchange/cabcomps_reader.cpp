// The cabinet reader.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#include "core/fmxutils.h"
#include "exchange/cabcomps.h"
#include "exchange/cabstconsts.h"
#include "platform/cabinet/cabdecompressor.h"
#include "platform/cabinet/cabformat.h"
#include "platform/cabinet/cabtargetfile.h"

namespace {

QString WithDelimiter(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool IsReadOnly(const QString& fileName)
{
    const QFileInfo info(fileName);
    return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
}

// Creates a folder with its missing parents and notes each folder it made, outermost first.
bool MakePath(const QString& folder, QStringList& made)
{
    QStringList missing;
    for (QFileInfo f(QDir::cleanPath(folder)); !f.exists(); f = QFileInfo(f.absolutePath())) {
        missing.prepend(f.absoluteFilePath());
        if (f.absoluteFilePath() == f.absolutePath())
            break;
    }
    for (const QString& dir : missing) {
        if (!QDir().mkdir(dir))
            return false;
        made << dir;
    }
    return QFileInfo(folder).isDir();
}

}  // namespace

TCabReader::TCabReader(QObject* owner) : QObject(owner) {}

TCabReader::~TCabReader()
{
    DiscardOpenTargets();
}

void TCabReader::DiscardOpenTargets()
{
    // Files not complete when an extraction ends keep nothing under their real names.
    targets_.clear();
    completed_.clear();
    srcNames_.clear();
    dstNames_.clear();
    toExecute_.clear();
}

void TCabReader::RemoveMadeFolders()
{
    for (auto it = madeFolders_.crbegin(); it != madeFolders_.crend(); ++it)
        QDir().rmdir(*it);  // only when empty: nothing but what this extraction put there
    madeFolders_.clear();
}

void TCabReader::ExtractAll(const QString& cabinetFile, const QString& targetFolder, bool singleCabinet)
{
    cabinetFile_ = QFileInfo(cabinetFile).absoluteFilePath();
    targetFolder_ = WithDelimiter(targetFolder);
    DiscardOpenTargets();
    madeFolders_.clear();
    // Every file is written under a temporary name first; only when all of them are complete do
    // they take their real names, together. Until then, whatever ends the extraction (a damaged
    // or missing cabinet, a full disk, an abort, an exception from an event) leaves the target
    // folder as it was.
    struct Undo {
        TCabReader* r;
        bool done = false;
        ~Undo()
        {
            if (!done) {
                r->DiscardOpenTargets();
                r->RemoveMadeFolders();
            }
        }
    } undo{this};
    QString current = cabinetFile_;
    while (!current.isEmpty()) {
        nextCabinet_.clear();
        nextDisk_.clear();
        continuationCabinet_.clear();
        continuationAnnounced_ = false;
        readingCabinet_ = current;
        wantedCabinet_ = current;
        lastError_ = 0;
        targetFailed_ = false;
        unsafeName_.clear();
        if (!context_) {
            context_ = TCabDecompressor::Create(erf_);
            if (!context_)
                throw ECabinet(erf_, false);
        }
        const QFileInfo info(current);
        const bool ok = context_->Copy(info.fileName(), WithDelimiter(info.absolutePath()),
                                       [this](TFDINOTIFICATIONTYPE t, TFDINOTIFICATION& n) { return Notify(t, n); });
        if (!ok) {
            TCabErf erf = erf_;
            if (!unsafeName_.isEmpty()) {
                erf = {FDIERROR_CORRUPT_CABINET, 0, true};
                throw ECabinet(erf, false, CabUnsafeNameText(unsafeName_));
            }
            if (targetFailed_)
                erf = {FDIERROR_TARGET_FILE, lastError_, true};
            else if (erf.Type == 0)
                erf.Type = lastError_;
            // A cabinet that cannot be found is named: the first one or the next of the set.
            const bool notFound = erf.Oper == FDIERROR_CABINET_NOT_FOUND;
            throw ECabinet(erf, false, notFound ? CabFileText(wantedCabinet_) : QString());
        }
        QString next;
        if (continuationAnnounced_)
            next = continuationCabinet_;
        else if (!nextCabinet_.isEmpty() && nextCabinet_.compare(current, Qt::CaseInsensitive) != 0)
            next = nextCabinet_;
        if (singleCabinet || next.isEmpty() || !QFileInfo(next).isFile())
            break;
        current = QFileInfo(next).absoluteFilePath();
    }

    // Of several entries of one name, the last one stands under it.
    std::vector<TCabTargetFile*> commit;
    QSet<QString> seen;
    for (auto it = completed_.rbegin(); it != completed_.rend(); ++it)
        if (!seen.contains((*it)->FileName())) {
            seen.insert((*it)->FileName());
            commit.insert(commit.begin(), it->get());
        }
    int error = 0;
    if (!TCabTargetFile::CommitAll(commit, error))
        throw ECabinet(TCabErf{FDIERROR_TARGET_FILE, error, true}, false);
    undo.done = true;
    completed_.clear();
    const QStringList execute = toExecute_;
    toExecute_.clear();
    madeFolders_.clear();
    for (const QString& file : execute)
        ExecuteFile(file, QString(), QString(), SW_SHOWNORMAL);
}

int TCabReader::Notify(TFDINOTIFICATIONTYPE type, TFDINOTIFICATION& n)
{
    bool abort = false;
    switch (type) {
    case TFDINOTIFICATIONTYPE::CabinetInfo:
        if (continuationAnnounced_)
            readingCabinet_ = continuationCabinet_;
        nextCabinet_ = n.NextCabinet.isEmpty() ? QString() : CabinetIn(n.CabinetPath, n.NextCabinet);
        nextDisk_ = n.NextDisk;
        if (OnCabinetInfo)
            OnCabinetInfo(this, n.NextCabinet, n.NextDisk, n.CabinetPath, n.SetId, n.CabinetNo, abort);
        return abort ? -1 : 0;
    case TFDINOTIFICATIONTYPE::PartialFile: {
        const int i = srcNames_.indexOf(n.FileName);
        const QString target = i >= 0 ? dstNames_.at(i) : QString();
        if (OnCopyPartialFile)
            OnCopyPartialFile(this, n.FileName, n.StartCabinet, n.StartDisk, target, abort);
        return abort ? -1 : 0;
    }
    case TFDINOTIFICATIONTYPE::CopyFile:
        return CopyFile(n);
    case TFDINOTIFICATIONTYPE::CloseFileInfo:
        return CloseFile(n);
    case TFDINOTIFICATIONTYPE::NextCabinet: {
        int result = 0;
        QString path = n.CabinetPath;
        if (OnNextCabinet) {
            OnNextCabinet(this, n.NextCabinet, n.NextDisk, path, n.Error, abort);
            n.CabinetPath = WithDelimiter(path);
            result = abort ? -1 : 0;
        } else if (n.Error != FDIERROR_NONE) {
            result = -1;
        }
        continuationCabinet_ = CabinetIn(n.CabinetPath, n.NextCabinet);
        continuationAnnounced_ = true;
        wantedCabinet_ = continuationCabinet_;
        return result;
    }
    default: {
        int result = 0;
        if (OnUnrecognizedNotify)
            OnUnrecognizedNotify(this, type, n, result);
        return result;
    }
    }
}

int TCabReader::CopyFile(TFDINOTIFICATION& n)
{
    // Archive names come from a file anyone may have written: none may reach outside the
    // target folder.
    if (!cabformat::IsSafeArchiveName(n.FileName)) {
        unsafeName_ = n.FileName;
        return -1;
    }
    QString target = targetFolder_ + cabformat::LocalArchivePath(n.FileName);
    bool abort = false;
    if (OnCopyFile)
        OnCopyFile(this, n.FileName, int(n.Size), n.Date, n.Time, n.Attribs, n.FolderNo, target, abort);
    if (abort)
        return -1;
    if (target.isEmpty())
        return 0;
    errno = 0;
    if (!MakePath(QFileInfo(target).absolutePath(), madeFolders_)) {
        lastError_ = errno ? errno : ENOTDIR;
        targetFailed_ = true;
        return -1;
    }
    // A read-only file is replaced by the rename at the end, which the folder allows; its own
    // attribute stays untouched until then.
    if (IsReadOnly(target) && (options_ & croDontOverwriteReadOnlyFiles))
        return 0;
    auto file = std::make_unique<TCabTargetFile>();
    if (!file->Open(target)) {
        lastError_ = file->SystemError();
        targetFailed_ = true;
        return -1;
    }
    n.Target = file.get();
    srcNames_.append(n.FileName);
    dstNames_.append(target);
    targets_.push_back(std::move(file));
    return 0;
}

int TCabReader::CloseFile(TFDINOTIFICATION& n)
{
    int i = -1;
    for (size_t k = 0; k < targets_.size(); ++k)
        if (targets_[k].get() == n.Target)
            i = int(k);
    QString target;
    if (i >= 0) {
        // Complete with the archived time (DOS date and time taken as local time) and the
        // permissions its attributes allow: read-only takes the write permissions away; hidden,
        // system and archive have no counterpart in a Linux file. It takes its real name when
        // the whole extraction has succeeded.
        target = dstNames_.at(i);
        std::unique_ptr<TCabTargetFile> file = std::move(targets_[size_t(i)]);
        srcNames_.removeAt(i);
        dstNames_.removeAt(i);
        targets_.erase(targets_.begin() + i);
        unsigned mode = (n.Attribs & cabformat::kAttrReadOnly) ? 0444 : 0666;
        if (OnFilePermissions)
            OnFilePermissions(this, target, mode);
        file->SetPermissions(mode_t(mode));
        file->SetModificationTime(cabformat::FromDosDateTime(n.Date, n.Time).toSecsSinceEpoch());
        if (!file->Complete()) {
            lastError_ = file->SystemError();
            targetFailed_ = true;
            return -1;
        }
        completed_.push_back(std::move(file));
    }
    bool exec = n.Execute;
    bool abort = false;
    if (OnCloseFile)
        OnCloseFile(this, n.FileName, n.Date, n.Time, n.Attribs, n.FolderNo, exec, target, abort);
    if (abort)
        return -1;
    if (exec && (options_ & croExecuteOnExtract) && !target.isEmpty())
        toExecute_ << target;
    return 1;
}

QString TCabReader::CabinetIn(const QString& folder, const QString& name)
{
    const QString found = cabformat::FindCabinetFile(folder, name);
    return found.isEmpty() ? QFileInfo(WithDelimiter(folder) + name).absoluteFilePath() : found;
}
