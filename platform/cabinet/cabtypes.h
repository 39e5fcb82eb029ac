#pragma once
// The records the cabinet library shares with its callers: the error record, the parameters of
// one cabinet of a set, and the notifications of the extraction. Callers of the compression and
// decompression contexts (cabcompressor.h, cabdecompressor.h) fill and read these.
#include <QString>

#include <cstdint>

// The library's error record: the operation that failed (one of the codes below), the system
// error code (errno) behind it when there is one, and whether an error was recorded at all.
struct TCabErf {
    int Oper = 0;
    int Type = 0;
    bool Error = false;
};

// Operation codes of the compression side.
enum FciError : int {
    FCIERR_NONE = 0,
    FCIERR_OPEN_SRC = 1,        // a source file could not be opened
    FCIERR_READ_SRC = 2,        // a source file could not be read
    FCIERR_ALLOC_FAIL = 3,      // out of memory
    FCIERR_TEMP_FILE = 4,       // the spool file could not be created or written
    FCIERR_BAD_COMPR_TYPE = 5,  // a compression this library does not write
    FCIERR_CAB_FILE = 6,        // the cabinet file could not be created or written
    FCIERR_USER_ABORT = 7,      // a callback asked to stop
    FCIERR_MCI_FAIL = 8,        // the compressor failed
    FCIERR_CAB_FORMAT_LIMIT = 9 // a limit of the format (sizes, counts, name lengths) was exceeded
};

// Operation codes of the decompression side.
enum TFDIERROR : int {
    FDIERROR_NONE = 0,
    FDIERROR_CABINET_NOT_FOUND = 1,
    FDIERROR_NOT_A_CABINET = 2,
    FDIERROR_UNKNOWN_CABINET_VERSION = 3,
    FDIERROR_CORRUPT_CABINET = 4,
    FDIERROR_ALLOC_FAIL = 5,
    FDIERROR_BAD_COMPR_TYPE = 6,
    FDIERROR_MDI_FAIL = 7,
    FDIERROR_TARGET_FILE = 8,
    FDIERROR_RESERVE_MISMATCH = 9,
    FDIERROR_WRONG_CABINET = 10,
    FDIERROR_USER_ABORT = 11
};

// Compression codes handed over with every file: the type in the low four bits; LZX carries its
// window exponent in the high byte.
inline constexpr uint16_t tcompTYPE_NONE = 0x0000;
inline constexpr uint16_t tcompTYPE_MSZIP = 0x0001;
inline constexpr uint16_t tcompTYPE_QUANTUM = 0x0002;
inline constexpr uint16_t tcompTYPE_LZX = 0x0003;
inline constexpr uint16_t tcompMASK_TYPE = 0x000F;

// The longest cabinet name, disk label and cabinet folder the format and the library accept
// (in bytes, without the terminating zero).
inline constexpr int kCabMaxNameLength = 255;

// Parameters of one cabinet of a set. The caller fills them for the first cabinet and updates
// them in the next-cabinet callback; the library sets CabinetNo (the first cabinet keeps the
// caller's number, every further one gets its position in the set: 2, 3, ...).
struct TCCAB {
    uint32_t CabinetSizeLimit = 0;  // largest size of one cabinet file
    uint32_t FolderSizeLimit = 0;   // compressed size after which a folder is closed
    uint32_t ReserveCabinet = 0;    // bytes reserved in the cabinet header (at most 60000)
    uint32_t ReserveFolder = 0;     // bytes reserved in each folder entry (at most 255)
    uint32_t ReserveData = 0;       // bytes reserved in each data block (at most 255)
    int CabinetNo = 0;
    int DiskNo = 0;
    uint16_t SetId = 0;
    QString DiskLabel;
    QString CabinetName;  // file name of the cabinet
    QString CabinetPath;  // its folder, with a trailing delimiter
};

// Progress kinds of the compression side's status callback.
enum class TCabStatus { File = 0, Folder = 1, Cabinet = 2 };

// Notifications of the decompression side, in the order of a cabinet's processing.
enum class TFDINOTIFICATIONTYPE {
    CabinetInfo = 0,    // the header of a cabinet was read
    PartialFile = 1,    // a file continued from an earlier cabinet (extracted with that one)
    CopyFile = 2,       // a file is about to be extracted: the caller gives a target or skips it
    CloseFileInfo = 3,  // a file was extracted completely into its target
    NextCabinet = 4,    // the next cabinet of the set is needed to go on
    Enumerate = 5       // reserved for enumeration; this library does not send it
};

class TCabTargetFile;

// One notification. Which fields carry what depends on the type:
// CabinetInfo: NextCabinet, NextDisk, CabinetPath, SetId, CabinetNo.
// PartialFile: FileName, StartCabinet, StartDisk.
// CopyFile: FileName, Size, Date, Time, Attribs, FolderNo; the caller sets Target to extract.
// CloseFileInfo: FileName, Target (given back), Date, Time, Attribs, FolderNo, Execute.
// NextCabinet: NextCabinet (its file name), NextDisk, CabinetPath (the caller may change it),
//              Error (why the library asks: FDIERROR_NONE on a plain continuation).
struct TFDINOTIFICATION {
    QString FileName;
    int64_t Size = 0;
    uint16_t Date = 0;
    uint16_t Time = 0;
    uint16_t Attribs = 0;
    uint16_t FolderNo = 0;
    bool Execute = false;
    QString NextCabinet;
    QString NextDisk;
    QString CabinetPath;
    QString StartCabinet;
    QString StartDisk;
    uint16_t SetId = 0;
    uint16_t CabinetNo = 0;
    TFDIERROR Error = FDIERROR_NONE;
    TCabTargetFile* Target = nullptr;
};
