#pragma once
// The cabinet file format as the library writes and reads it: the sizes and flags of its
// records, the data block checksum, DOS dates and attributes, the rule for safe archive names,
// and a reader for the directory of one cabinet file (header, folders, files).
#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

#include "platform/cabinet/cabtypes.h"

namespace cabformat {

inline constexpr char kSignature[4] = {'M', 'S', 'C', 'F'};
inline constexpr uint8_t kVersionMinor = 3;
inline constexpr uint8_t kVersionMajor = 1;

inline constexpr int kHeaderSize = 36;      // fixed part of the cabinet header
inline constexpr int kFolderSize = 8;       // fixed part of a folder entry
inline constexpr int kFileSize = 16;        // fixed part of a file entry (the name follows)
inline constexpr int kDataHeaderSize = 8;   // fixed part of a data block
inline constexpr int kBlockSize = 32768;    // uncompressed bytes of a full data block
inline constexpr int kMaxBlocksPerFolder = 65535;

// Header flags.
inline constexpr uint16_t kFlagPrevCabinet = 0x0001;
inline constexpr uint16_t kFlagNextCabinet = 0x0002;
inline constexpr uint16_t kFlagReservePresent = 0x0004;

// Folder indexes of files that span cabinets.
inline constexpr uint16_t kContinuedFromPrev = 0xFFFD;
inline constexpr uint16_t kContinuedToNext = 0xFFFE;
inline constexpr uint16_t kContinuedPrevAndNext = 0xFFFF;

// File attributes as the format keeps them.
inline constexpr uint16_t kAttrReadOnly = 0x01;
inline constexpr uint16_t kAttrHidden = 0x02;
inline constexpr uint16_t kAttrSystem = 0x04;
inline constexpr uint16_t kAttrArchive = 0x20;
inline constexpr uint16_t kAttrExecute = 0x40;     // run after extraction
inline constexpr uint16_t kAttrNameIsUtf = 0x80;   // the name is UTF-8, else the ANSI code page
inline constexpr uint16_t kAttrMask = 0x27;         // read-only, hidden, system, archive

inline void PutU16(char* p, uint16_t v)
{
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}
inline void PutU32(char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}
inline uint16_t GetU16(const char* p)
{
    return uint16_t(uint8_t(p[0]) | (uint8_t(p[1]) << 8));
}
inline uint32_t GetU32(const char* p)
{
    return uint32_t(uint8_t(p[0])) | (uint32_t(uint8_t(p[1])) << 8) | (uint32_t(uint8_t(p[2])) << 16) |
           (uint32_t(uint8_t(p[3])) << 24);
}

// The format's checksum: the bytes taken as little-endian 32-bit words and XORed into the seed,
// the last one to three bytes folded in from the high end. A data block's checksum is this sum
// over its data, continued over its two size fields.
uint32_t Checksum(const char* data, int64_t size, uint32_t seed);
uint32_t DataBlockChecksum(const char* data, uint16_t compressedSize, uint16_t uncompressedSize);

// DOS date and time of a local date-time, and back (two-second resolution; a date before 1980
// becomes 1 January 1980).
void ToDosDateTime(const QDateTime& local, uint16_t& date, uint16_t& time);
QDateTime FromDosDateTime(uint16_t date, uint16_t time);

// The bytes of an archive name as the format stores it, with the UTF flag when it needs one.
QByteArray EncodeName(const QString& name, bool& utf);
QString DecodeName(const QByteArray& bytes, bool utf);

// An archive name that may be extracted below a target folder: not empty, not absolute (no
// leading "/" or "\"), no drive letter, and no ".." part between "/" or "\" separators.
bool IsSafeArchiveName(const QString& name);
// The name with "\" separators turned into "/", for joining to a local folder.
QString LocalArchivePath(const QString& name);

// The full name of the cabinet `name` (as a cabinet's header names the next or previous one of
// its set) in `folder`: the file of exactly that name, else the one whose name differs only in
// letter case (sets copied from other systems keep the header's "Split-2.CAB" as
// "split-2.cab"). Empty when there is none.
QString FindCabinetFile(const QString& folder, const QString& name);

struct FolderEntry {
    uint32_t DataOffset = 0;  // first data block in the file
    uint16_t BlockCount = 0;
    uint16_t Compression = 0;
};

struct FileEntry {
    uint32_t Size = 0;
    uint32_t FolderOffset = 0;  // uncompressed offset in its folder
    uint16_t FolderIndex = 0;   // or one of the continuation codes
    uint16_t Date = 0;
    uint16_t Time = 0;
    uint16_t Attribs = 0;
    QString Name;
};

// The directory of one cabinet file.
struct Directory {
    uint32_t CabinetSize = 0;
    uint8_t VersionMajor = 0;
    uint8_t VersionMinor = 0;
    uint16_t Flags = 0;
    uint16_t SetId = 0;
    uint16_t CabinetIndex = 0;
    uint16_t ReserveHeader = 0;
    uint8_t ReserveFolder = 0;
    uint8_t ReserveData = 0;
    QString PrevCabinet, PrevDisk, NextCabinet, NextDisk;
    std::vector<FolderEntry> Folders;
    std::vector<FileEntry> Files;
};

// Reads the directory of a cabinet file. On failure Error holds the operation code
// (FDIERROR_CABINET_NOT_FOUND, FDIERROR_NOT_A_CABINET, FDIERROR_UNKNOWN_CABINET_VERSION,
// FDIERROR_CORRUPT_CABINET), SystemError the errno of a failed file call, and Position the byte
// offset in the file where the reader found the fault. Every count and offset of the header is
// checked against the file's size before memory is taken for it: a cabinet shorter than its
// header's size (cut off), or whose entries would lie past its end, is corrupt.
struct DirectoryResult {
    Directory Dir;
    TFDIERROR Error = FDIERROR_NONE;
    int SystemError = 0;
    int64_t Position = 0;
    bool Ok() const { return Error == FDIERROR_NONE; }
};
DirectoryResult ReadDirectory(const QString& fileName);
// The same from the bytes of a whole cabinet file in memory.
DirectoryResult ParseDirectory(const QByteArray& bytes);

}  // namespace cabformat
