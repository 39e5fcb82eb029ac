#include "platform/cabinet/cabtargetfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TCabTargetFile::~TCabTargetFile()
{
    Discard();
}

bool TCabTargetFile::Open(const QString& fileName)
{
    Discard();
    error_ = 0;
    size_ = 0;
    fileName_ = fileName;
    // A hidden name in the same folder, so the rename stays on one file system.
    const QFileInfo info(fileName);
    QByteArray templ = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                         QStringLiteral(".part-XXXXXX"));
    fd_ = ::mkostemp(templ.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    // mkostemp creates the file for the owner only; a finished file gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
    tempName_ = QFile::decodeName(templ);
    return true;
}

bool TCabTargetFile::Write(const char* data, int64_t size)
{
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = errno;
            return false;
        }
        if (n == 0) {
            error_ = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
        size_ += n;
    }
    return true;
}

bool TCabTargetFile::WriteAt(int64_t pos, const char* data, int64_t size)
{
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    while (size > 0) {
        const ssize_t n = ::pwrite(fd_, data, size_t(size), pos);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = errno;
            return false;
        }
        if (n == 0) {
            error_ = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
        pos += n;
    }
    return true;
}

bool TCabTargetFile::Commit()
{
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    // Data first on the disk, then the name: after a crash the real name holds either the old
    // file or the complete new one.
    if (::fdatasync(fd_) != 0 || ::close(fd_) != 0) {
        error_ = errno;
        fd_ = -1;
        Discard();
        return false;
    }
    fd_ = -1;
    if (::rename(QFile::encodeName(tempName_).constData(), QFile::encodeName(fileName_).constData()) != 0) {
        error_ = errno;
        Discard();
        return false;
    }
    tempName_.clear();
    return true;
}

void TCabTargetFile::Discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!tempName_.isEmpty())
        ::unlink(QFile::encodeName(tempName_).constData());
    tempName_.clear();
}
