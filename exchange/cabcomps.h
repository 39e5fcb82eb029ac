#pragma once
// The cabinet components: TCabWriter writes a set of cabinet files through the cabinet
// library's compression side, TCabReader extracts a cabinet (and the cabinets after it) through
// its decompression side, and ECabinet carries the library's errors. The components turn the
// library's callbacks into file calls and into events of their own.
#include <QFlags>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/cabinet/cabtypes.h"
#include "platform/rtl/sysutils.h"

class TCabCompressor;
class TCabDecompressor;
class TCabTargetFile;

enum TCabCompressionType { cctNone, cctMsZip, cctLzx };
using TCabLzxLevel = int;  // 15 to 21: the LZX window exponent

// An error of the cabinet library. The message is the operation's text, " [0x", the code as at
// least four hexadecimal digits and "]"; with a system error code, ".\r\n", the system's message,
// " [0x", that code and "]." follow. Without the error flag: "FCI-Fehler" or "FDI-Fehler".
class ECabinet : public Exception {
public:
    ECabinet(const TCabErf& erf, bool compression, const QString& detail = QString());
    int ErrorCode() const { return erf_.Oper; }
    int SystemErrorCode() const { return erf_.Type; }
    bool ErrorPresent() const { return erf_.Error; }
    bool IsCompressionError() const { return compression_; }

private:
    TCabErf erf_;
    bool compression_;
};

class TCabWriter : public QObject {
public:
    explicit TCabWriter(QObject* owner = nullptr);
    ~TCabWriter() override;  // closes without flushing: an unfinished set is abandoned

    uint32_t CabinetSizeThreshold() const { return cabinetSizeThreshold_; }
    void SetCabinetSizeThreshold(uint32_t v) { cabinetSizeThreshold_ = v; }
    uint32_t CabinetFileCountThreshold() const { return cabinetFileCountThreshold_; }
    void SetCabinetFileCountThreshold(uint32_t v) { cabinetFileCountThreshold_ = v; }
    uint32_t FolderSizeThreshold() const { return folderSizeThreshold_; }
    void SetFolderSizeThreshold(uint32_t v) { folderSizeThreshold_ = v; }
    uint32_t FolderFileCountThreshold() const { return folderFileCountThreshold_; }
    void SetFolderFileCountThreshold(uint32_t v) { folderFileCountThreshold_ = v; }
    uint32_t ReservePerCabinetSize() const { return reservePerCabinetSize_; }
    void SetReservePerCabinetSize(uint32_t v) { reservePerCabinetSize_ = v; }
    uint32_t ReservePerFolderSize() const { return reservePerFolderSize_; }
    void SetReservePerFolderSize(uint32_t v) { reservePerFolderSize_ = v; }
    uint32_t ReservePerDataSize() const { return reservePerDataSize_; }
    void SetReservePerDataSize(uint32_t v) { reservePerDataSize_ = v; }
    uint16_t SetID() const { return setID_; }
    void SetSetID(uint16_t v) { setID_ = v; }
    QString CabinetNameTemplate() const { return cabinetNameTemplate_; }
    void SetCabinetNameTemplate(const QString& v) { cabinetNameTemplate_ = v; }
    QString CabinetPathTemplate() const { return cabinetPathTemplate_; }
    void SetCabinetPathTemplate(const QString& v) { cabinetPathTemplate_ = v; }
    QString DiskLabelTemplate() const { return diskLabelTemplate_; }
    void SetDiskLabelTemplate(const QString& v) { diskLabelTemplate_ = v; }
    TCabCompressionType CompressionType() const { return compressionType_; }
    void SetCompressionType(TCabCompressionType v);
    TCabLzxLevel CompressionLzxLevel() const { return compressionLzxLevel_; }
    void SetCompressionLzxLevel(TCabLzxLevel v);  // kept within 15 to 21

    // A file was placed into a cabinet.
    std::function<void(TCabWriter* sender, const TCCAB& aCCab, const QString& aFileName, int aFileSize,
                       bool aContinuation, bool& anAbort)>
        OnFilePlaced;
    // The parameters of a cabinet are about to be used (the first one's at Open).
    std::function<void(TCabWriter* sender, TCCAB& aCCab, uint32_t aPrevCabSize, bool& anAbort)> OnGetNextCabinet;
    // One data block was compressed.
    std::function<void(TCabWriter* sender, uint32_t aCompressedBlockSize, uint32_t anUncompressedBlockSize,
                       bool& anAbort)>
        OnFileStatus;
    // Folder data is being copied into the cabinet.
    std::function<void(TCabWriter* sender, uint32_t aCopiedSize, uint32_t aTotalSize, bool& anAbort)> OnFolderStatus;
    // A cabinet was completed.
    std::function<void(TCabWriter* sender, uint32_t aPrevEstimatedSize, uint32_t anActualSize, uint32_t& aDesiredSize,
                       bool& anAbort)>
        OnCabinetStatus;
    // Coarse progress: at the second data block after Open and then at every ninth.
    std::function<void(TCabWriter* sender, bool& anAbort)> OnProgress;
    // A file is about to be added; aSkip leaves it out.
    std::function<void(TCabWriter* sender, const QString& aFileName, bool& aSkip)> OnBeforeFileAdd;

    // Starts a new set whose first cabinet is `fileName`. An earlier file of that name is
    // replaced only when the set is closed with a flush.
    void Open(const QString& fileName);
    // Stores a source under an archive name (a leading "\" is removed); `execute` sets the
    // run-after-extraction mark. Raises ECabinet, naming the source when it cannot be opened or read.
    void AddFile(const QString& sourcePath, const QString& archiveName, bool execute = false);
    void FlushFolder();
    // Completes the current cabinet; `getNextCabinet` lets the set go on in a further cabinet.
    void FlushCabinet(bool getNextCabinet);
    // With `flush` completes the last cabinet and gives the set its real file names; then (and
    // without `flush`) the writer is closed.
    void Close(bool flush);
    bool IsOpen() const { return context_ != nullptr; }

    // The expanded name of the first cabinet.
    QString FileName() const { return fileName_; }
    // The 16-bit compression code handed over with every file.
    uint16_t CompressionCode() const { return compressionCode_; }

    // Name templates: every "*" becomes the number.
    QString GetCabinetName(int number) const;
    QString GetCabinetPath(int number) const;
    QString GetDiskLabel(int number) const;

    // The library's handlers, called by the compression context.
    bool DoFilePlaced(const TCCAB& cab, const QString& name, int64_t size, bool continuation);
    bool DoGetNextCabinet(TCCAB& cab, uint32_t prevCabinetSize);
    int64_t DoStatus(TCabStatus kind, uint32_t size1, uint32_t size2);

private:
    void Check(bool ok);
    void RecomputeCompressionCode();

    uint32_t cabinetSizeThreshold_ = 0;
    uint32_t cabinetFileCountThreshold_ = 0;
    uint32_t folderSizeThreshold_ = 0;
    uint32_t folderFileCountThreshold_ = 0;
    uint32_t reservePerCabinetSize_ = 0;
    uint32_t reservePerFolderSize_ = 0;
    uint32_t reservePerDataSize_ = 0;
    uint16_t setID_ = 0;
    QString cabinetNameTemplate_;
    QString cabinetPathTemplate_;
    QString diskLabelTemplate_;
    TCabCompressionType compressionType_ = cctLzx;
    TCabLzxLevel compressionLzxLevel_ = 21;

    QString fileName_;
    std::unique_ptr<TCabCompressor> context_;
    TCabErf erf_;
    TCCAB ccab_;
    uint16_t compressionCode_ = 0;
    uint32_t cabinetFileCount_ = 0;
    uint32_t folderFileCount_ = 0;
    int progressCountdown_ = 0;
};

enum TCabReaderOption { croExecuteOnExtract = 0x1, croDontOverwriteReadOnlyFiles = 0x2 };
Q_DECLARE_FLAGS(TCabReaderOptions, TCabReaderOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TCabReaderOptions)

class TCabReader : public QObject {
public:
    explicit TCabReader(QObject* owner = nullptr);
    ~TCabReader() override;

    TCabReaderOptions Options() const { return options_; }
    void SetOptions(TCabReaderOptions v) { options_ = v; }

    // The library reports a cabinet's header.
    std::function<void(TCabReader* sender, const QString& aNextCabName, const QString& aNextDiskName,
                       const QString& aCabPath, uint16_t aSetID, uint16_t aCabNo, bool& anAbort)>
        OnCabinetInfo;
    // A file is about to be extracted to aDstFullFileName; an empty name skips it.
    std::function<void(TCabReader* sender, const QString& aSrcFileName, int anUncompressedSize, uint16_t aDate,
                       uint16_t aTime, uint16_t anAttrs, uint16_t aFolderNo, QString& aDstFullFileName, bool& anAbort)>
        OnCopyFile;
    // A file continued from an earlier cabinet.
    std::function<void(TCabReader* sender, const QString& aSrcFileName, const QString& aStartCabName,
                       const QString& aStartDiskName, const QString& aDstFullFileName, bool& anAbort)>
        OnCopyPartialFile;
    // An extracted file is complete (it takes its real name once every file of the extraction
    // is); anExec asks to open it then (with croExecuteOnExtract).
    std::function<void(TCabReader* sender, const QString& aSrcFileName, uint16_t aDate, uint16_t aTime, uint16_t anAttrs,
                       uint16_t aFolderNo, bool& anExec, const QString& aDstFullFileName, bool& anAbort)>
        OnCloseFile;
    // The next cabinet of a set is needed; aCabPath may be changed.
    std::function<void(TCabReader* sender, const QString& aCabName, const QString& aDiskName, QString& aCabPath,
                       TFDIERROR anError, bool& anAbort)>
        OnNextCabinet;
    std::function<void(TCabReader* sender, TFDINOTIFICATIONTYPE aNotifyType, TFDINOTIFICATION& aNotify, int& aResult)>
        OnUnrecognizedNotify;
    // The permissions an extracted file gets: aMode starts as the cabinet's attributes allow
    // (0444 read-only, else 0666) and may be narrowed; the user's umask applies in any case.
    std::function<void(TCabReader* sender, const QString& aDstFullFileName, unsigned& aMode)> OnFilePermissions;

    // Extracts every file of the cabinet and, unless `singleCabinet`, of the following cabinets
    // of its set that exist (their names looked up without regard to case), into the target
    // folder (created when missing). All or nothing: the files take their real names together
    // once every one is complete; on any failure the target folder stays as it was (folders
    // made for the extraction go again) and ECabinet is raised, naming a cabinet not found.
    void ExtractAll(const QString& cabinetFile, const QString& targetFolder, bool singleCabinet = false);

    // The library's notification handler.
    int Notify(TFDINOTIFICATIONTYPE type, TFDINOTIFICATION& n);

private:
    int CopyFile(TFDINOTIFICATION& n);
    int CloseFile(TFDINOTIFICATION& n);
    void DiscardOpenTargets();
    void RemoveMadeFolders();
    // The cabinet `name` of a set in `folder`, looked up without regard to case.
    static QString CabinetIn(const QString& folder, const QString& name);

    TCabReaderOptions options_;
    QString cabinetFile_;
    QString targetFolder_;
    QString nextCabinet_;
    QString nextDisk_;
    QString readingCabinet_;
    QString continuationCabinet_;
    bool continuationAnnounced_ = false;
    std::unique_ptr<TCabDecompressor> context_;
    TCabErf erf_;
    // Entries being extracted: archive names, full target paths and the files being written.
    QStringList srcNames_;
    QStringList dstNames_;
    std::vector<std::unique_ptr<TCabTargetFile>> targets_;
    // Files complete under their temporary names, in the order extracted, waiting for the end.
    std::vector<std::unique_ptr<TCabTargetFile>> completed_;
    QStringList toExecute_;
    QStringList madeFolders_;
    QString wantedCabinet_;  // the cabinet being looked for, named when it is not found
    int lastError_ = 0;
    bool targetFailed_ = false;
    QString unsafeName_;
};
