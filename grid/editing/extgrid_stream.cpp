// The grid text stream: a grid's data area as lines of text, which Assign uses to copy one grid
// into another. Line 1 holds the data columns and rows, then one "cw <column>,<width>" line per
// column, then one "<column>,<row>,<text>" line per non-empty cell, counted from the first data
// column and row. The texts are the cells' stored texts.
#include <QIODevice>

#include <algorithm>

#include "grid/display/extgrid.h"
#include "grid/editing/gridtextstream.h"

void TExtStringGrid::SaveToTextStream(QIODevice& Stream)
{
    const int c0 = IncludeFixedCells() ? 0 : TCustomGrid::FixedCols();
    const int r0 = IncludeFixedCells() ? 0 : TCustomGrid::FixedRows();
    const int c1 = IncludeFixedCells() ? ColCount() : ColCount() - fixedRightCols_;
    const int r1 = IncludeFixedCells() ? RowCount() : RowCount() - fixedFooters_;
    CalcProgress(0, -1);
    QString out;
    out += QStringLiteral("%1,%2\r\n").arg(std::max(0, c1 - c0)).arg(std::max(0, r1 - r0));
    for (int c = 0; c < ColCount(); ++c)
        out += QStringLiteral("cw %1,%2\r\n").arg(c).arg(ColWidths(c));
    for (int r = r0; r < r1; ++r) {
        for (int c = c0; c < c1; ++c) {
            const QString& text = RawCellRef(c, r);
            if (text.isEmpty())
                continue;
            out += QString::number(c - c0);
            out += QLatin1Char(',');
            out += QString::number(r - r0);
            out += QLatin1Char(',');
            out += GridStreamLineText(text);
            out += QStringLiteral("\r\n");
        }
        CalcProgress(1, r);
        if (out.size() > (1 << 20)) {
            Stream.write(out.toUtf8());
            out.clear();
        }
    }
    Stream.write(out.toUtf8());
    CalcProgress(2, -1);
}

void TExtStringGrid::LoadFromTextStream(QIODevice& Stream)
{
    // Everything is read and checked before the grid changes.
    const int c0 = IncludeFixedCells() ? 0 : TCustomGrid::FixedCols();
    const int r0 = IncludeFixedCells() ? 0 : TCustomGrid::FixedRows();
    TGridTextStream read;
    int errorLine = 0;
    if (!ReadGridTextStream(Stream.readAll(), c0, read, errorLine))
        throw EExtGridError(QStringLiteral("Invalid grid text stream in line %1").arg(errorLine));

    BeginUpdate();
    try {
        SetColCount(read.DataCols + c0);
        SetRowCount(read.DataRows + r0);
        // Cells the stream leaves out are empty.
        const int c1 = IncludeFixedCells() ? ColCount() : ColCount() - fixedRightCols_;
        const int r1 = IncludeFixedCells() ? RowCount() : RowCount() - fixedFooters_;
        for (int r = r0; r < r1; ++r)
            for (int c = c0; c < c1; ++c)
                if (!RawCellRef(c, r).isEmpty())
                    SetRawCell(c, r, QString());
        for (const auto& [col, width] : read.Widths)
            SetColWidths(col, width);
        for (const TGridTextStreamCell& cell : read.Cells)
            SetCellText(cell.Col + c0, cell.Row + r0, cell.Text);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    CellsChanged(QRect(0, 0, ColCount(), RowCount()));
}
