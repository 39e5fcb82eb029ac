// ECabinet and the cabinet writer.
#include "exchange/cabcomps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "exchange/cabstconsts.h"
#include "platform/cabinet/cabcompressor.h"
#include "platform/cabinet/cabformat.h"
#include "platform/cabinet/syserror.h"

namespace {

constexpr uint32_t kNoLimit = 0x7FFFFFFF;

QString Hex4(int code)
{
    return QString::number(uint32_t(code), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString WithDelimiter(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString ErrorMessage(const TCabErf& erf, bool compression, const QString& detail)
{
    if (!erf.Error)
        return compression ? CabWriterErrorText(-1) : CabReaderErrorText(-1);
    QString m = (compression ? CabWriterErrorText(erf.Oper) : CabReaderErrorText(erf.Oper)) + QStringLiteral(" [0x") +
                Hex4(erf.Oper) + QLatin1Char(']');
    if (erf.Type != 0)
        m += QStringLiteral(".\r\n") + CabSystemErrorMessage(erf.Type) + QStringLiteral(" [0x") + Hex4(erf.Type) +
             QStringLiteral("].");
    if (!detail.isEmpty())
        m += (erf.Type != 0 ? QStringLiteral("\r\n") : QStringLiteral(".\r\n")) + detail;
    return m;
}

// Opens a source for the library: its last-write time as local DOS date and time, and its
// attributes as the format keeps them (read-only when the owner may not write, hidden for a
// name that starts with ".", archive for every regular file).
int OpenSourceFile(const QString& source, uint16_t& date, uint16_t& time, uint16_t& attribs, int& error)
{
    const int fd = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    const QFileInfo info(source);
    cabformat::ToDosDateTime(info.lastModified(), date, time);
    attribs = cabformat::kAttrArchive;
    if (!(info.permissions() & QFileDevice::WriteOwner))
        attribs |= cabformat::kAttrReadOnly;
    if (info.fileName().startsWith(QLatin1Char('.')))
        attribs |= cabformat::kAttrHidden;
    return fd;
}

}  // namespace

ECabinet::ECabinet(const TCabErf& erf, bool compression, const QString& detail)
    : Exception(ErrorMessage(erf, compression, detail)), erf_(erf), compression_(compression)
{
}

// ---------------------------------------------------------------------------------------------

TCabWriter::TCabWriter(QObject* owner) : QObject(owner)
{
    RecomputeCompressionCode();
}

TCabWriter::~TCabWriter()
{
    Close(false);
}

void TCabWriter::SetCompressionType(TCabCompressionType v)
{
    compressionType_ = v;
    RecomputeCompressionCode();
}

void TCabWriter::SetCompressionLzxLevel(TCabLzxLevel v)
{
    compressionLzxLevel_ = std::clamp(v, 15, 21);
    RecomputeCompressionCode();
}

void TCabWriter::RecomputeCompressionCode()
{
    switch (compressionType_) {
    case cctNone:
        compressionCode_ = tcompTYPE_NONE;
        break;
    case cctMsZip:
        compressionCode_ = tcompTYPE_MSZIP;
        break;
    case cctLzx:
        compressionCode_ = uint16_t((compressionLzxLevel_ << 8) | tcompTYPE_LZX);
        break;
    }
}

QString TCabWriter::GetCabinetName(int number) const
{
    QString t = cabinetNameTemplate_;
    if (t.isEmpty()) {
        t = QFileInfo(fileName_).fileName();
        const int dot = t.lastIndexOf(QLatin1Char('.'));
        t = dot >= 0 ? t.left(dot) + QLatin1Char('*') + t.mid(dot) : t + QLatin1Char('*');
    }
    return t.replace(QLatin1Char('*'), QString::number(number));
}

QString TCabWriter::GetCabinetPath(int number) const
{
    QString t = cabinetPathTemplate_.isEmpty() ? QFileInfo(fileName_).absolutePath() : cabinetPathTemplate_;
    return WithDelimiter(t.replace(QLatin1Char('*'), QString::number(number)));
}

QString TCabWriter::GetDiskLabel(int number) const
{
    QString t = diskLabelTemplate_.isEmpty() ? QStringLiteral("Disk*") : diskLabelTemplate_;
    return t.replace(QLatin1Char('*'), QString::number(number));
}

void TCabWriter::Check(bool ok)
{
    if (!ok)
        throw ECabinet(erf_, true);
}

void TCabWriter::Open(const QString& fileName)
{
    Close(false);
    fileName_ = QFileInfo(fileName).absoluteFilePath();
    erf_ = TCabErf();
    ccab_ = TCCAB();
    ccab_.CabinetSizeLimit = cabinetSizeThreshold_ ? cabinetSizeThreshold_ : kNoLimit;
    ccab_.FolderSizeLimit = folderSizeThreshold_ ? folderSizeThreshold_ : kNoLimit;
    ccab_.ReserveCabinet = reservePerCabinetSize_;
    ccab_.ReserveFolder = reservePerFolderSize_;
    ccab_.ReserveData = reservePerDataSize_;
    ccab_.DiskNo = 1;
    ccab_.SetId = setID_;
    ccab_.DiskLabel = GetDiskLabel(1);
    // The first cabinet takes the given name, not the template.
    ccab_.CabinetName = QFileInfo(fileName_).fileName();
    ccab_.CabinetPath = QFileInfo(fileName_).absolutePath();
    if (OnGetNextCabinet) {
        bool abort = false;
        OnGetNextCabinet(this, ccab_, 0, abort);
        if (abort)
            return;
    }
    ccab_.CabinetPath = WithDelimiter(ccab_.CabinetPath);
    // An earlier file of the cabinet's name stays until the completed set replaces it.
    QDir().mkpath(ccab_.CabinetPath);
    cabinetFileCount_ = folderFileCount_ = 0;
    progressCountdown_ = 0;

    TCabCompressorCallbacks cb;
    cb.FilePlaced = [this](const TCCAB& c, const QString& n, int64_t s, bool cont) { return DoFilePlaced(c, n, s, cont); };
    cb.GetNextCabinet = [this](TCCAB& c, uint32_t prev) { return DoGetNextCabinet(c, prev); };
    cb.Status = [this](TCabStatus k, uint32_t a, uint32_t b) { return DoStatus(k, a, b); };
    cb.GetOpenInfo = OpenSourceFile;
    context_ = TCabCompressor::Create(erf_, ccab_, std::move(cb));
    Check(context_ != nullptr);
}

void TCabWriter::AddFile(const QString& sourcePath, const QString& archiveName, bool execute)
{
    if (OnBeforeFileAdd) {
        bool skip = false;
        OnBeforeFileAdd(this, sourcePath, skip);
        if (skip)
            return;
    }
    if (!context_)
        throw ECabinet(TCabErf(), true);
    if (cabinetFileCountThreshold_ != 0 && cabinetFileCount_ >= cabinetFileCountThreshold_)
        FlushCabinet(true);
    else if (folderFileCountThreshold_ != 0 && folderFileCount_ >= folderFileCountThreshold_)
        FlushFolder();
    QString name = archiveName;
    if (name.startsWith(QLatin1Char('\\')))
        name.remove(0, 1);
    if (!context_->AddFile(sourcePath, name, execute, compressionCode_)) {
        // A source that cannot be opened or read (a listed file deleted meanwhile) is named.
        const bool source = erf_.Error && (erf_.Oper == FCIERR_OPEN_SRC || erf_.Oper == FCIERR_READ_SRC);
        throw ECabinet(erf_, true, source ? CabFileText(sourcePath) : QString());
    }
    ++cabinetFileCount_;
    ++folderFileCount_;
}

void TCabWriter::FlushFolder()
{
    if (!context_)
        throw ECabinet(TCabErf(), true);
    Check(context_->FlushFolder());
    folderFileCount_ = 0;
}

void TCabWriter::FlushCabinet(bool getNextCabinet)
{
    if (!context_)
        throw ECabinet(TCabErf(), true);
    Check(context_->FlushCabinet(getNextCabinet));
    cabinetFileCount_ = folderFileCount_ = 0;
}

void TCabWriter::Close(bool flush)
{
    if (!context_)
        return;
    // The context goes whatever the flush does; without a completed flush the set is abandoned.
    struct Destroy {
        std::unique_ptr<TCabCompressor>& c;
        ~Destroy() { c.reset(); }
    } destroy{context_};
    if (flush)
        FlushCabinet(false);
}

bool TCabWriter::DoFilePlaced(const TCCAB& cab, const QString& name, int64_t size, bool continuation)
{
    bool abort = false;
    if (OnFilePlaced)
        OnFilePlaced(this, cab, name, int(size), continuation, abort);
    return !abort;
}

bool TCabWriter::DoGetNextCabinet(TCCAB& cab, uint32_t prevCabinetSize)
{
    ++cab.DiskNo;
    cab.DiskLabel = GetDiskLabel(cab.DiskNo);
    cab.CabinetName = GetCabinetName(cab.CabinetNo);
    cab.CabinetPath = GetCabinetPath(cab.DiskNo);
    bool abort = false;
    if (OnGetNextCabinet)
        OnGetNextCabinet(this, cab, prevCabinetSize, abort);
    if (!abort) {
        cab.CabinetPath = WithDelimiter(cab.CabinetPath);
        QDir().mkpath(cab.CabinetPath);
    }
    ccab_ = cab;
    cabinetFileCount_ = folderFileCount_ = 0;
    return !abort;
}

int64_t TCabWriter::DoStatus(TCabStatus kind, uint32_t size1, uint32_t size2)
{
    bool abort = false;
    switch (kind) {
    case TCabStatus::File:
        if (OnFileStatus)
            OnFileStatus(this, size1, size2, abort);
        if (progressCountdown_ < 0 && OnProgress && !abort) {
            OnProgress(this, abort);
            progressCountdown_ = 8;
        }
        --progressCountdown_;
        return abort ? -1 : 0;
    case TCabStatus::Folder:
        if (OnFolderStatus)
            OnFolderStatus(this, size1, size2, abort);
        folderFileCount_ = 0;
        return abort ? -1 : 0;
    case TCabStatus::Cabinet: {
        uint32_t desired = 0;
        if (OnCabinetStatus)
            OnCabinetStatus(this, size1, size2, desired, abort);
        cabinetFileCount_ = folderFileCount_ = 0;
        return abort ? -1 : int64_t(desired);
    }
    }
    return 0;
}
