#pragma once
// The runtime's INI file: sections and keys compared without case, the first match wins, and
// every write goes to disk at once while keeping every other line of the file as it was.
//
// Reading accepts UTF-8 (with or without a byte-order mark) and falls back to Windows-1252 for
// files written by the Windows version; writing always writes UTF-8 (so a Windows-1252 file is
// converted on its first write) and keeps the file's own line ends (CRLF or LF). A write replaces
// the file through a temporary file and a rename, so a crash never leaves half a file. A missing
// file reads as empty.
#include <QString>
#include <QStringList>

#include "platform/rtl/sysutils.h"

// Raised when a write cannot reach the disk.
class EIniFileException : public Exception {
    using Exception::Exception;
};

class TIniFile {
public:
    explicit TIniFile(const QString& fileName);

    const QString& FileName() const { return fileName_; }

    // True when the section holds at least one key (an empty section counts as absent, as in
    // the runtime).
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& ident) const;

    // The value of the first matching key in the first matching section, blanks at either end
    // and one pair of enclosing quotes removed; the default when the key is absent.
    QString ReadString(const QString& section, const QString& ident, const QString& def) const;
    // Decimal, "$1F" or "0x1F"; the default when absent or not a number.
    int ReadInteger(const QString& section, const QString& ident, int def) const;
    // Any integer other than 0 is true; the default when absent or not a number.
    bool ReadBool(const QString& section, const QString& ident, bool def) const;
    // Through the program's format settings (FormatSettings()); the default when absent or not
    // a number.
    double ReadFloat(const QString& section, const QString& ident, double def) const;
    TDateTime ReadDate(const QString& section, const QString& ident, TDateTime def) const;
    TDateTime ReadTime(const QString& section, const QString& ident, TDateTime def) const;
    TDateTime ReadDateTime(const QString& section, const QString& ident, TDateTime def) const;

    // Replaces the value of the first matching key, or adds the key at the end of its section,
    // or the section at the end of the file. Raises EIniFileException when the file cannot be
    // written.
    void WriteString(const QString& section, const QString& ident, const QString& value);
    void WriteInteger(const QString& section, const QString& ident, int value);
    void WriteBool(const QString& section, const QString& ident, bool value);  // "1" / "0"
    void WriteFloat(const QString& section, const QString& ident, double value);
    void WriteDate(const QString& section, const QString& ident, TDateTime value);
    void WriteTime(const QString& section, const QString& ident, TDateTime value);
    void WriteDateTime(const QString& section, const QString& ident, TDateTime value);

    // The keys of the first matching section, in file order (each name once). Clears the list
    // first.
    void ReadSection(const QString& section, QStringList& strings) const;
    // The names of all sections, in file order (each name once). Clears the list first.
    void ReadSections(QStringList& strings) const;
    // "key=value" for each key of the section, values read as ReadString reads them. Clears the
    // list first.
    void ReadSectionValues(const QString& section, QStringList& strings) const;

    // Removes every section of that name with its lines; the rest of the file stays as it was.
    void EraseSection(const QString& section);
    // Removes the key's lines from the first matching section.
    void DeleteKey(const QString& section, const QString& ident);

    // Writes are immediate; kept for callers that flush explicitly.
    void UpdateFile() {}

private:
    QString fileName_;
};
