#pragma once
// Delimited text (CSV) read without a grid: the bytes decoded, the delimiter detected from the
// first two records, and the records split into fields. The grid's CSV load applies the result
// only once the whole file has been read.
#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

#include <vector>

// UTF-8 (a byte order mark skipped) when the bytes are valid UTF-8, else Windows-1252; with Oem
// the bytes are read in the OEM code page (850).
QString DecodeCsvBytes(const QByteArray& bytes, bool Oem);

// The delimiter of two lines (the second empty for a one-line file): the first of the
// candidates ",", ";", "#", TAB, "|", "@", "*", "-", "+", "&" that has as many odd runs in both
// lines and more than any earlier one; else the same by plain counts; else the candidate that
// occurs most often in either line. The null character when no candidate occurs.
QChar DetectCsvDelimiter(const QString& Line1, const QString& Line2);

// The first two records of the text, for the delimiter detection: a line break inside double
// quotes does not end a record.
void FirstCsvRecords(const QString& Text, QString& Line1, QString& Line2);

struct TCsvOptions {
    QChar Delimiter;               // the null character: every record is one field
    bool TildeLineBreaks = false;  // "~" stands for a line break, else the character 11 does
};

// The records of the text, each a list of fields. A field that begins with a double quote runs
// to its closing quote, over line breaks too (unclosed at the end of the text, the rest is the
// field); doubled quotes become one; line breaks in fields become CR LF. A record ends at LF, CR
// LF or CR; a line break at the very end starts no further record.
std::vector<QStringList> ParseCsvRecords(const QString& Text, const TCsvOptions& Options);
