#pragma once
// The cabinet library's compression side: a context that writes a set of cabinet files from
// source files. Files go into folders (one compressed stream each, in data blocks of 32 KiB
// uncompressed); folders go into cabinets; when a cabinet reaches its size limit the current
// folder, and the file being stored, go on in the next cabinet of the set.
//
// Written compressions: none (stored) and MSZIP (deflate blocks with the "CK" signature, each
// block on its own so that every reader of the format can decode it). LZX and Quantum are
// read by the decompression side but not written: they fail with FCIERR_BAD_COMPR_TYPE.
//
// Every cabinet is written under a temporary name in its folder. The cabinets of a set are
// renamed to their real names together when the set is completed (FlushCabinet(false)); a
// context destroyed before that leaves every earlier file of those names as it was.
#include <QString>

#include <functional>
#include <memory>

#include "platform/cabinet/cabtypes.h"

struct TCabCompressorCallbacks {
    // A file's entry went into a cabinet (`continuation`: the file began in an earlier one).
    // False aborts.
    std::function<bool(const TCCAB& cab, const QString& name, int64_t size, bool continuation)> FilePlaced;
    // The next cabinet of the set is about to be started: the library has set CabinetNo; the
    // callback sets the names, folder and label. `prevCabinetSize` is the size of the cabinet
    // that is being completed. False aborts.
    std::function<bool(TCCAB& cab, uint32_t prevCabinetSize)> GetNextCabinet;
    // File: a data block was compressed (compressed size, uncompressed size). Folder: a folder
    // was completed (its compressed size, twice). Cabinet: a cabinet was written (estimated
    // size, actual size); the result is the size the caller wishes for. -1 aborts.
    std::function<int64_t(TCabStatus kind, uint32_t size1, uint32_t size2)> Status;
    // Opens a source file for reading: returns its descriptor (which the library closes), its
    // DOS date, time and attributes; -1 with `error` set to the errno when it cannot.
    std::function<int(const QString& source, uint16_t& date, uint16_t& time, uint16_t& attribs, int& error)>
        GetOpenInfo;
};

class TCabCompressor {
public:
    // A context for the set whose first cabinet `cab` describes (its CabinetPath must end with a
    // delimiter and exist when the cabinet is written). Null with `erf` filled when the
    // parameters are out of the format's limits or the spool file cannot be created. The error
    // record lives with the caller and receives every later error too.
    static std::unique_ptr<TCabCompressor> Create(TCabErf& erf, const TCCAB& cab, TCabCompressorCallbacks callbacks);
    ~TCabCompressor();

    // Stores a source file under an archive name ("\" separates folders). `execute` sets the
    // run-after-extraction mark; `compression` is one of the tcompTYPE codes.
    bool AddFile(const QString& source, const QString& name, bool execute, uint16_t compression);
    // Completes the current folder; the next file starts a new one.
    bool FlushFolder();
    // Completes the current cabinet. With `getNextCabinet` the set goes on (the next cabinet's
    // parameters are asked for now and the two cabinets are linked); without it the set is
    // complete and its cabinets are given their real names.
    bool FlushCabinet(bool getNextCabinet);

    // Zlib level of the MSZIP blocks (1 fastest ... 9 smallest); 3 unless set.
    void SetDeflateLevel(int level);

    struct State;

private:
    explicit TCabCompressor(std::unique_ptr<State> state);
    std::unique_ptr<State> d_;
};
