#pragma once
// Shared pieces of the cabinet library's tests: test data, a writer and an extractor driven the
// way the components drive the library, and the outside tools that check our files.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <map>
#include <vector>

#include "platform/cabinet/cabcompressor.h"
#include "platform/cabinet/cabdecompressor.h"
#include "platform/cabinet/cabformat.h"
#include "platform/cabinet/cabtargetfile.h"

namespace cabtest {

// Bytes that compress about as well as a database file: text and numbers with repeats.
inline QByteArray Compressible(int size, quint32 seed = 1)
{
    QRandomGenerator rng(seed);
    QByteArray out;
    out.reserve(size + 64);
    while (out.size() < size)
        out += "Einheit " + QByteArray::number(rng.bounded(5000)) + ";Lauf;" + QByteArray::number(rng.bounded(100000)) +
               ";Puls " + QByteArray::number(120 + rng.bounded(60)) + "\n";
    out.truncate(size);
    return out;
}

inline QByteArray Random(int size, quint32 seed = 2)
{
    QRandomGenerator rng(seed);
    QByteArray out(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        out[i] = char(rng.bounded(256));
    return out;
}

inline QByteArray ReadAll(const QString& fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct Source {
    QString Path;
    QString Name;
    uint16_t Compression = tcompTYPE_MSZIP;
};

// Opens a source the plain way: date and time from its modification time, archive attribute.
inline int OpenSource(const QString& source, uint16_t& date, uint16_t& time, uint16_t& attribs, int& error)
{
    const int fd = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    cabformat::ToDosDateTime(QFileInfo(source).lastModified(), date, time);
    attribs = cabformat::kAttrArchive;
    return fd;
}

// Writes a set whose first cabinet is `first`; further cabinets are named "<base><number>.cab".
// The file-count limit starts a new cabinet every that many files, as the writer component does.
inline bool WriteSet(const QString& first, const std::vector<Source>& sources, TCabErf& erf, uint32_t sizeLimit = 0,
                     int filesPerCabinet = 0, std::vector<QString>* events = nullptr)
{
    TCCAB cab;
    cab.CabinetSizeLimit = sizeLimit;
    cab.CabinetName = QFileInfo(first).fileName();
    cab.CabinetPath = QFileInfo(first).absolutePath() + QLatin1Char('/');
    cab.DiskLabel = QStringLiteral("Disk1");
    cab.DiskNo = 1;
    TCabCompressorCallbacks cb;
    cb.GetOpenInfo = OpenSource;
    cb.GetNextCabinet = [first, events](TCCAB& c, uint32_t) {
        c.CabinetName = QFileInfo(first).completeBaseName() + QString::number(c.CabinetNo) + QStringLiteral(".cab");
        c.DiskLabel = QStringLiteral("Disk%1").arg(++c.DiskNo);
        if (events)
            events->push_back(QStringLiteral("next ") + c.CabinetName);
        return true;
    };
    cb.FilePlaced = [events](const TCCAB& c, const QString& name, int64_t, bool cont) {
        if (events)
            events->push_back(QStringLiteral("placed %1 in %2%3").arg(name, c.CabinetName, cont ? QStringLiteral(" (cont)") : QString()));
        return true;
    };
    auto w = TCabCompressor::Create(erf, cab, cb);
    if (!w)
        return false;
    int count = 0;
    for (const Source& s : sources) {
        if (filesPerCabinet && count == filesPerCabinet) {
            if (!w->FlushCabinet(true))
                return false;
            count = 0;
        }
        if (!w->AddFile(s.Path, s.Name, false, s.Compression))
            return false;
        ++count;
    }
    return w->FlushCabinet(false);
}

// Extracts every file of a cabinet and of the cabinets after it into `target` (names as they are
// in the archive, "\" as folder separator). Returns the archive names extracted, in order.
inline bool ExtractSet(const QString& first, const QString& target, TCabErf& erf, QStringList* names = nullptr,
                       std::vector<QString>* events = nullptr)
{
    auto r = TCabDecompressor::Create(erf);
    if (!r)
        return false;
    std::map<QString, std::unique_ptr<TCabTargetFile>> open;
    QString current = QFileInfo(first).absoluteFilePath();
    QString continuation;
    while (!current.isEmpty()) {
        QString next;
        continuation.clear();
        const QString path = QFileInfo(current).absolutePath() + QLatin1Char('/');
        const bool ok = r->Copy(QFileInfo(current).fileName(), path, [&](TFDINOTIFICATIONTYPE t, TFDINOTIFICATION& n) {
            switch (t) {
            case TFDINOTIFICATIONTYPE::CabinetInfo:
                if (events)
                    events->push_back(QStringLiteral("cabinet next=") + n.NextCabinet);
                if (!n.NextCabinet.isEmpty())
                    next = n.CabinetPath + n.NextCabinet;
                return 0;
            case TFDINOTIFICATIONTYPE::PartialFile:
                if (events)
                    events->push_back(QStringLiteral("partial ") + n.FileName);
                return 0;
            case TFDINOTIFICATIONTYPE::CopyFile: {
                if (events)
                    events->push_back(QStringLiteral("copy ") + n.FileName);
                const QString dest = target + QLatin1Char('/') + cabformat::LocalArchivePath(n.FileName);
                QDir().mkpath(QFileInfo(dest).absolutePath());
                auto file = std::make_unique<TCabTargetFile>();
                if (!file->Open(dest))
                    return -1;
                n.Target = file.get();
                open[n.FileName] = std::move(file);
                return 0;
            }
            case TFDINOTIFICATIONTYPE::CloseFileInfo:
                if (events)
                    events->push_back(QStringLiteral("close ") + n.FileName);
                if (names)
                    names->append(n.FileName);
                return n.Target->Commit() ? 0 : -1;
            case TFDINOTIFICATIONTYPE::NextCabinet:
                if (events)
                    events->push_back(QStringLiteral("need ") + n.NextCabinet);
                continuation = n.CabinetPath + n.NextCabinet;
                return n.Error == FDIERROR_NONE ? 0 : -1;
            default:
                return 0;
            }
        });
        if (!ok)
            return false;
        if (!continuation.isEmpty())
            next = continuation;
        current = next.isEmpty() || !QFileInfo::exists(next) || next == current ? QString() : next;
    }
    return true;
}

// Runs an outside tool; returns its exit code (-1 when it could not start) and its output.
inline int RunTool(const QString& program, const QStringList& args, QByteArray* output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted() || !p.waitForFinished(120000))
        return -1;
    if (output)
        *output = p.readAll();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace cabtest
