// The cabinet reader.
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// Gives an extracted file the archived time (DOS date and time taken as local time) and its
// read-only attribute; hidden, system and archive have no counterpart in a Linux file.
void SetTimeAndAttributes(const QString& fileName, uint16_t date, uint16_t time, uint16_t attribs)
{
    const QByteArray path = QFile::encodeName(fileName);
    const qint64 secs = cabformat::FromDosDateTime(date, time).toSecsSinceEpoch();
    const timespec times[2] = {{secs, 0}, {secs, 0}};
    ::utimensat(AT_FDCWD, path.constData(), times, 0);
    if ((attribs & cabformat::kAttrMask) & cabformat::kAttrReadOnly) {
        struct stat st {};
        if (::stat(path.constData(), &st) == 0)
            ::chmod(path.constData(), st.st_mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH));
    }
}

bool IsReadOnly(const QString& fileName)
{
    const QFileInfo info(fileName);
    return info.exists() && !(info.permissions() & QFileDevice::WriteOwner);
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
    srcNames_.clear();
    dstNames_.clear();
}

void TCabReader::ExtractAll(const QString& cabinetFile, const QString& targetFolder, bool singleCabinet)
{
    cabinetFile_ = QFileInfo(cabinetFile).absoluteFilePath();
    targetFolder_ = WithDelimiter(targetFolder);
    DiscardOpenTargets();
    QString current = cabinetFile_;
    while (!current.isEmpty()) {
        nextCabinet_.clear();
        nextDisk_.clear();
        continuationCabinet_.clear();
        continuationAnnounced_ = false;
        readingCabinet_ = current;
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
            DiscardOpenTargets();
            TCabErf erf = erf_;
            if (!unsafeName_.isEmpty()) {
                erf = {FDIERROR_CORRUPT_CABINET, 0, true};
                throw ECabinet(erf, false, CabUnsafeNameText(unsafeName_));
            }
            if (targetFailed_)
                erf = {FDIERROR_TARGET_FILE, lastError_, true};
            else if (erf.Type == 0)
                erf.Type = lastError_;
            throw ECabinet(erf, false);
        }
        QString next;
        if (continuationAnnounced_)
            next = continuationCabinet_;
        else if (!nextCabinet_.isEmpty() && nextCabinet_.compare(current, Qt::CaseInsensitive) != 0)
            next = nextCabinet_;
        if (singleCabinet || next.isEmpty() || !QFileInfo::exists(next))
            break;
        current = QFileInfo(next).absoluteFilePath();
    }
}

int TCabReader::Notify(TFDINOTIFICATIONTYPE type, TFDINOTIFICATION& n)
{
    bool abort = false;
    switch (type) {
    case TFDINOTIFICATIONTYPE::CabinetInfo:
        if (continuationAnnounced_)
            readingCabinet_ = continuationCabinet_;
        nextCabinet_ = n.NextCabinet.isEmpty() ? QString() : WithDelimiter(n.CabinetPath) + n.NextCabinet;
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
        continuationCabinet_ = QFileInfo(WithDelimiter(n.CabinetPath) + n.NextCabinet).absoluteFilePath();
        continuationAnnounced_ = true;
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
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        lastError_ = errno ? errno : EACCES;
        targetFailed_ = true;
        return -1;
    }
    if (IsReadOnly(target)) {
        if (options_ & croDontOverwriteReadOnlyFiles)
            return 0;
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    }
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
        target = dstNames_.at(i);
        if (!targets_[size_t(i)]->Commit()) {
            lastError_ = targets_[size_t(i)]->SystemError();
            targetFailed_ = true;
            return -1;
        }
        srcNames_.removeAt(i);
        dstNames_.removeAt(i);
        targets_.erase(targets_.begin() + i);
        SetTimeAndAttributes(target, n.Date, n.Time, n.Attribs);
    }
    bool exec = n.Execute;
    bool abort = false;
    if (OnCloseFile)
        OnCloseFile(this, n.FileName, n.Date, n.Time, n.Attribs, n.FolderNo, exec, target, abort);
    if (abort)
        return -1;
    if (exec && (options_ & croExecuteOnExtract) && !target.isEmpty())
        ExecuteFile(target, QString(), QString(), SW_SHOWNORMAL);
    return 1;
}
