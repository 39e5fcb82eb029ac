#pragma once
// File routines: copy a file, test a file attribute, start a file the way the desktop starts it.
#include <QString>

#include <cstdint>
#include <functional>

// The runtime's file attribute bits, as HasAttr tests them.
inline constexpr uint16_t faReadOnly = 0x01;
inline constexpr uint16_t faHidden = 0x02;
inline constexpr uint16_t faSysFile = 0x04;
inline constexpr uint16_t faVolumeID = 0x08;
inline constexpr uint16_t faDirectory = 0x10;
inline constexpr uint16_t faArchive = 0x20;

// The shell's show modes that callers pass to ExecuteFile.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOW = 5;

// Copies a file in blocks of 8192 bytes. When `dest` names an existing folder (with or without
// a trailing "/" or "\"), the copy keeps the source's name inside it; an existing file is
// replaced. Raises EFOpenError "Datei <source> kann nicht geöffnet werden" when the source cannot
// be read, and EFCreateError "Datei <destination file> kann nicht erstellt werden" when the
// destination cannot be created or written. The copy is written to a temporary file and renamed at the end:
// a copy that fails half-way leaves no partial destination, and an existing one stays intact.
void CopyFile(const QString& source, const QString& dest);

// True when every bit of `attr` is set in the file's attributes, mapped from the Linux file:
// read-only (owner may not write), hidden (name starts with "."), system (neither file nor
// folder: devices, sockets, pipes), folder, archive (every regular file). A missing file has no
// attributes: false.
bool HasAttr(const QString& fileName, uint16_t attr);

// What ExecuteFile asks the desktop to start.
struct TShellStart {
    QString FileName;  // absolute path, or a URL as given
    QString Params;    // passed whole; split into arguments for a program
    QString Folder;    // working folder of a program
    int ShowMode = SW_SHOWNORMAL;
    bool Program = false;  // an executable file: started as a process; else opened as a document
};
// Starts what the request names and reports whether it started.
using TShellStarter = std::function<bool(const TShellStart&)>;
// Replaces the start itself (tests record the request instead of launching anything); an empty
// function restores the real start.
void SetShellStarter(TShellStarter starter);

// Result codes of ExecuteFile, as the shell gave them: greater than 32 means success.
inline constexpr intptr_t kShellSuccess = 42;
inline constexpr intptr_t SE_ERR_FNF = 2;      // file not found
inline constexpr intptr_t SE_ERR_NOASSOC = 31;  // nothing could start or open it

// Starts a file as the shell did: an executable file runs as a detached process with the
// parameters (split as a shell would split them) in `folder`; any other file, and a URL, is
// opened through the desktop's opener. A relative name is looked for in `folder` first. Returns
// a value greater than 32 on success, SE_ERR_FNF for a missing file and SE_ERR_NOASSOC when the
// start failed.
intptr_t ExecuteFile(const QString& fileName, const QString& params, const QString& folder, int showMode);
