#pragma once
// The cabinet library's decompression side: a context that goes through one cabinet file and
// tells the caller, by notifications, about the cabinet and each file in it; the caller chooses
// the target of every file. Reads stored, MSZIP, LZX and Quantum folders and sets of cabinets
// whose folders span several files (through libmspack).
//
// A file the caller extracts is written into the TCabTargetFile it hands over in the CopyFile
// notification; the same object comes back in CloseFileInfo once every byte is in it, and the
// caller commits it there. Nothing of the archive names is trusted here: the caller builds the
// target path (see cabformat::IsSafeArchiveName).
#include <QString>

#include <functional>
#include <memory>

#include "platform/cabinet/cabtypes.h"

// The notification callback. Results: -1 aborts (the copy fails with FDIERROR_USER_ABORT);
// CopyFile: 0 with Target null skips the file; others: 0 goes on.
using TCabNotify = std::function<int(TFDINOTIFICATIONTYPE type, TFDINOTIFICATION& notification)>;

class TCabDecompressor {
public:
    // Null with `erf` filled when libmspack cannot be set up. The error record lives with the
    // caller and receives every later error too.
    static std::unique_ptr<TCabDecompressor> Create(TCabErf& erf);
    ~TCabDecompressor();

    // Goes through the cabinet `cabinetName` in the folder `cabinetPath` (with a trailing
    // delimiter). Files that continue in the next cabinet of the set are completed from there,
    // after a NextCabinet notification; files continued from an earlier cabinet are only
    // announced (PartialFile). False with the error record filled on failure.
    bool Copy(const QString& cabinetName, const QString& cabinetPath, const TCabNotify& notify);

    struct State;

private:
    explicit TCabDecompressor(std::unique_ptr<State> state);
    std::unique_ptr<State> d_;
};
