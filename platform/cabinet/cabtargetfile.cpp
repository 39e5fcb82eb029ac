#include "platform/cabinet/cabtargetfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Encoded(const QString& name)
{
    return QFile::encodeName(name);
}

// The hidden temporary name beside a file, without its six unique characters.
QString TemporaryPrefix(const QString& fileName)
{
    const QFileInfo info(fileName);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".part-");
}

// The process's umask, read where the system shows it: setting and restoring it would leave
// files that other threads create meanwhile without one.
mode_t CurrentUmask()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mode_t(mask);
            }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// A second name for the file `fileName` under a fresh temporary name, so that its contents
// survive a rename over it: a hard link, or a copy where the file system has no links.
// Empty with `error` set when neither works.
QString KeepAside(const QString& fileName, int& error)
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QString prefix = TemporaryPrefix(fileName);
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name = prefix;
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char(kChars[QRandomGenerator::global()->bounded(62)]);
        if (::link(Encoded(fileName).constData(), Encoded(name).constData()) == 0)
            return name;
        if (errno == EEXIST)
            continue;
        if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != EMLINK && errno != ENOSYS) {
            error = errno;
            return QString();
        }
        if (QFileInfo::exists(name))
            continue;
        if (QFile::copy(fileName, name))
            return name;
        error = EIO;
        return QString();
    }
    error = EEXIST;
    return QString();
}

}  // namespace

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
    // A hidden name in the same folder, so the rename stays on one file system. mkostemp creates
    // it for the owner only: what it holds may be private until it is complete.
    QByteArray templ = Encoded(TemporaryPrefix(fileName) + QStringLiteral("XXXXXX"));
    fd_ = ::mkostemp(templ.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    // Held while the file is written: RemoveLeftovers in another process passes it by.
    ::flock(fd_, LOCK_EX | LOCK_NB);
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

bool TCabTargetFile::Complete()
{
    if (fd_ < 0) {
        error_ = EBADF;
        return false;
    }
    // Data first on the disk, then the name: after a crash the real name holds either the old
    // file or the complete new one.
    bool ok = ::fdatasync(fd_) == 0 && ::fchmod(fd_, mode_ & 0777 & ~CurrentUmask()) == 0;
    if (ok && hasMtime_) {
        const timespec times[2] = {{time_t(mtime_), 0}, {time_t(mtime_), 0}};
        ok = ::futimens(fd_, times) == 0;
    }
    if (!ok)
        error_ = errno;
    if (::close(fd_) != 0 && ok) {
        error_ = errno;
        ok = false;
    }
    fd_ = -1;
    if (!ok)
        Discard();
    return ok;
}

bool TCabTargetFile::Commit()
{
    if (fd_ >= 0 && !Complete())
        return false;
    if (tempName_.isEmpty()) {
        error_ = EBADF;
        return false;
    }
    if (::rename(Encoded(tempName_).constData(), Encoded(fileName_).constData()) != 0) {
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
        ::unlink(Encoded(tempName_).constData());
    tempName_.clear();
}

bool TCabTargetFile::CommitAll(const std::vector<TCabTargetFile*>& files, int& error)
{
    struct Done {
        QString name;
        QString kept;  // the earlier contents under a temporary name
        bool first;    // the first file of this name in the group
        bool existed;
    };
    std::vector<Done> done;
    QSet<QString> names;
    auto rollBack = [&] {
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            if (!it->first)
                continue;
            if (!it->kept.isEmpty()) {
                // When the rename over it never happened, both names are one file: the rename
                // does nothing, and the second name goes.
                ::rename(Encoded(it->kept).constData(), Encoded(it->name).constData());
                ::unlink(Encoded(it->kept).constData());
            } else if (!it->existed) {
                ::unlink(Encoded(it->name).constData());
            }
        }
        for (TCabTargetFile* f : files)
            f->Discard();
    };
    for (TCabTargetFile* f : files) {
        if (f->fd_ >= 0 && !f->Complete()) {
            error = f->error_;
            rollBack();
            return false;
        }
    }
    for (TCabTargetFile* f : files) {
        Done d{f->fileName_, QString(), !names.contains(f->fileName_), false};
        if (d.first) {
            struct stat st {};
            d.existed = ::lstat(Encoded(d.name).constData(), &st) == 0;
            if (d.existed && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) {
                d.kept = KeepAside(d.name, error);
                if (d.kept.isEmpty()) {
                    rollBack();
                    return false;
                }
            }
            names.insert(d.name);
        }
        done.push_back(d);
        if (!f->Commit()) {
            error = f->error_;
            rollBack();
            return false;
        }
    }
    for (const Done& d : done)
        if (!d.kept.isEmpty())
            ::unlink(Encoded(d.kept).constData());
    return true;
}

int TCabTargetFile::RemoveLeftovers(const QString& folder)
{
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.part-[A-Za-z0-9]{6}$"));
    int removed = 0;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral(".*.part-*")}, QDir::Files | QDir::Hidden | QDir::System))
        if (pattern.match(name).hasMatch() && RemoveUnlessLocked(dir.filePath(name)))
            ++removed;
    return removed;
}

bool TCabTargetFile::RemoveUnlessLocked(const QString& fileName)
{
    const QByteArray path = Encoded(fileName);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return false;
    // A file another process holds locked is being written now.
    const bool removed = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.constData()) == 0;
    ::close(fd);
    return removed;
}
