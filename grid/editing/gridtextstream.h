#pragma once
// The grid text stream read without a grid: every line checked before anything is applied. Line
// 1 holds the data columns and rows, then "cw <column>,<width>" lines and "<column>,<row>,<text>"
// lines, ended by LF or CR LF.
#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

struct TGridTextStreamCell {
    int Col = 0;  // counted from the first data column and row
    int Row = 0;
    QString Text;
};

struct TGridTextStream {
    int DataCols = 0;
    int DataRows = 0;
    std::vector<std::pair<int, int>> Widths;  // column (of the whole grid), width
    std::vector<TGridTextStreamCell> Cells;
};

// A cell text as one line of the stream, and back (false for an escape the writer does not make).
QString GridStreamLineText(const QString& Text);
bool GridStreamCellText(const QString& Line, QString& Text);

// Reads a stream for a grid whose data area starts at FirstDataCol: false with the number of the
// first line that does not parse or names a column, row or width the grid will not have (counts
// beyond 65,536 columns or 16,777,216 rows, widths beyond 100,000 pixels).
bool ReadGridTextStream(const QByteArray& Bytes, int FirstDataCol, TGridTextStream& Stream, int& ErrorLine);
