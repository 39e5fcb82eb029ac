#pragma once
// The two 8-bit code pages the program meets in foreign bytes: Windows-1252 (the "ANSI" code
// page of files, clipboard texts and the grid's byte cell texts) and code page 850 (the "OEM"
// code page of DOS-made CSV files). Tables of our own; text in memory is always QString.
#include <QByteArray>
#include <QString>

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes there map to
// the control characters of the same value, as Windows' own conversion does, so every byte
// round-trips.
QString DecodeWindows1252(const QByteArray& bytes);
// Characters without a byte in the code page become `replacement`.
QByteArray EncodeWindows1252(const QString& text, char replacement = '?');

// Code page 850 (Western European DOS): every byte has a character.
QString DecodeCp850(const QByteArray& bytes);
QByteArray EncodeCp850(const QString& text, char replacement = '?');
