#pragma once
// Worksheet cell names as the spreadsheet writes them: columns "A" to "Z", then "AA" to "ZZ",
// "AAA" ... ("XFD" is the last of 16384), rows from 1. Callers count rows and columns from 0.
#include <QString>
#include <QStringView>

inline constexpr int kSheetMaxRows = 1048576;
inline constexpr int kSheetMaxColumns = 16384;

// "A" for 0, "Z" for 25, "AA" for 26; an empty text for a negative column.
QString ColumnLetters(int column);
// "B3" for row 2, column 1.
QString CellName(int row, int column);
// Reads "b3", "AA12" or "$A$1" (letters in either case) into a row and a column counted from 0;
// false when the text is no cell name or lies outside a worksheet.
bool ParseCellName(QStringView name, int& row, int& column);
// Reads the letters of a column alone ("AA" gives 26); false when they are none.
bool ParseColumnLetters(QStringView letters, int& column);
