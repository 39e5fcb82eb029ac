#pragma once
// A file written under a temporary name in its own folder and renamed to its real name only when
// it is complete. Cabinets and extracted files are written this way, so a failure part-way never
// leaves a half-written file under the real name, and an earlier file of that name survives it.
#include <QString>

#include <cstdint>

class TCabTargetFile {
public:
    TCabTargetFile() = default;
    ~TCabTargetFile();  // discards an uncommitted file
    TCabTargetFile(const TCabTargetFile&) = delete;
    TCabTargetFile& operator=(const TCabTargetFile&) = delete;

    // Creates the temporary file beside `fileName` (whose folder must exist). False with
    // SystemError() set when that fails.
    bool Open(const QString& fileName);
    bool IsOpen() const { return fd_ >= 0; }
    QString FileName() const { return fileName_; }
    QString TemporaryName() const { return tempName_; }

    // Appends bytes; false with SystemError() set on a failed or short write (a full disk).
    bool Write(const char* data, int64_t size);
    // Writes at a position, for patching a header after the data.
    bool WriteAt(int64_t pos, const char* data, int64_t size);
    int64_t Size() const { return size_; }

    // Flushes the file to the disk and renames it over its real name (a read-only file of that
    // name is replaced as well: the folder decides, as on the system this stands in for).
    bool Commit();
    // Removes the temporary file; the real name stays as it was.
    void Discard();

    int SystemError() const { return error_; }

private:
    int fd_ = -1;
    QString fileName_;
    QString tempName_;
    int64_t size_ = 0;
    int error_ = 0;
};
