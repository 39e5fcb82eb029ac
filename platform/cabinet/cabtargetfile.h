#pragma once
// A file written under a temporary name in its own folder and renamed to its real name only when
// it is complete. Cabinets and extracted files are written this way, so a failure part-way never
// leaves a half-written file under the real name, and an earlier file of that name survives it.
//
// The temporary file is hidden (".<name>.part-XXXXXX"), readable by its owner only while it is
// written, and locked (flock) as long as it is open. A process killed on the way leaves it
// behind: RemoveLeftovers clears such files of a folder, except those another process is still
// writing.
#include <QString>

#include <cstdint>
#include <sys/types.h>
#include <vector>

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

    // The permissions the finished file gets (0666 unless set), never more than the user's umask
    // gives a new file; and its modification time (seconds since the epoch; unless set, the time
    // it was written).
    void SetPermissions(mode_t mode) { mode_ = mode; }
    void SetModificationTime(int64_t secs)
    {
        mtime_ = secs;
        hasMtime_ = true;
    }

    // Flushes the file to the disk and closes it with its permissions and time; it keeps its
    // temporary name until Commit or Discard.
    bool Complete();
    // Completes the file when it is still open and renames it over its real name (a read-only
    // file of that name is replaced as well: the folder decides, as on the system this stands
    // in for).
    bool Commit();
    // Removes the temporary file; the real name stays as it was.
    void Discard();

    int SystemError() const { return error_; }

    // Commits every file as one step, in order (of several files with one name the last one
    // stays): when a rename fails, the files committed before it get their earlier contents back
    // (or are removed when they had none) and every temporary file is removed. False with
    // `error` set (errno) then.
    static bool CommitAll(const std::vector<TCabTargetFile*>& files, int& error);

    // Removes the temporary files a killed process left in `folder` (".<name>.part-XXXXXX"),
    // leaving those another process is writing. Returns how many went.
    static int RemoveLeftovers(const QString& folder);
    // Removes a file unless a process holds it locked (flock) as one being written.
    static bool RemoveUnlessLocked(const QString& fileName);

private:
    int fd_ = -1;
    QString fileName_;
    QString tempName_;
    int64_t size_ = 0;
    int error_ = 0;
    mode_t mode_ = 0666;
    int64_t mtime_ = 0;
    bool hasMtime_ = false;
};
