#pragma once
// The text form of a block of cells on the clipboard, as spreadsheet programs exchange it: cells
// of a row joined by TAB, rows by line breaks; a cell that holds a TAB, a line break or a double
// quote is enclosed in double quotes with its inner quotes doubled.
#include <QString>
#include <QStringList>

#include <vector>

// The MIME type of the grid's own cells on the clipboard.
inline constexpr const char* kGridCellsMimeType = "application/x-extstringgrid-cells";

// Splits clipboard text into rows of cells. Rows end at CR LF, LF or CR; one break at the very
// end ends the last row and adds none. A cell that starts with a double quote runs to its closing
// quote over TABs and line breaks, doubled quotes inside it become one, its line breaks become
// CR LF and character 11 a line break too; a quote that is never closed is taken as written, up
// to the next TAB or line break. Rows keep their own lengths.
std::vector<QStringList> ParseClipboardText(const QString& Text);

// The size a clipboard text takes in cells: its widest row and its number of rows.
void ClipboardTextSize(const QString& Text, int& Cols, int& Rows);

// A cell's text as the clipboard carries it: CRs dropped; with QuoteLines a text of more than one
// line in the quoted form with character 11 for its line breaks; a text holding a TAB, a line
// feed or a double quote enclosed in double quotes with its inner quotes doubled.
QString ClipboardCellText(const QString& Text, bool QuoteLines);
