// The grid filled from outside: delimited text files and worksheets of .xls and .xlsx workbooks.
// Both read the whole file before the grid changes, so a file that cannot be read leaves the grid
// as it was.
#include <QApplication>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <vector>

#include "grid/display/extgrid.h"
#include "grid/editing/csvtext.h"
#include "platform/office/workbookreader.h"

namespace {

// The wait cursor for the time of a load, put back on every path.
class TWaitCursor {
public:
    TWaitCursor()
    {
        if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            set_ = true;
        }
    }
    ~TWaitCursor()
    {
        if (set_)
            QApplication::restoreOverrideCursor();
    }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    bool set_ = false;
};

// Empties the texts of the shown cells of the block (records stay).
void clearTexts(TExtStringGrid& g, int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int c = ACol1; c <= ACol2; ++c) {
        const int real = g.RealColIndex(c);
        for (int r = ARow1; r <= ARow2; ++r)
            if (!g.RawCellRef(real, r).isEmpty())
                g.SetRawCell(real, r, QString());
    }
}

}  // namespace

void TExtStringGrid::LoadFromCSV(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EExtGridError(QStringLiteral("Cannot open file ") + FileName);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EExtGridError(QStringLiteral("Cannot open file ") + FileName);
    file.close();

    const QString text = DecodeCsvBytes(bytes, OemConvert);
    TCsvOptions options;
    options.Delimiter = Delimiter;
    options.TildeLineBreaks = TildeLineBreaks;
    if (options.Delimiter.isNull()) {
        QString line1, line2;
        FirstCsvRecords(text, line1, line2);
        options.Delimiter = DetectCsvDelimiter(line1, line2);
    }
    const std::vector<QStringList> records = ParseCsvRecords(text, options);

    const int c0 = IncludeFixedCells() ? 0 : TCustomGrid::FixedCols();
    const int r0 = IncludeFixedCells() ? 0 : TCustomGrid::FixedRows();
    int fields = 0;
    for (const QStringList& r : records)
        fields = std::max(fields, int(r.size()));

    BeginUpdate();
    try {
        // The data area is emptied first: cells the file leaves empty keep no old text.
        const int lastCol = IncludeFixedCells() ? ColCount() - 1 : ColCount() - 1 - fixedRightCols_;
        const int lastRow = IncludeFixedCells() ? RowCount() - 1 : RowCount() - 1 - fixedFooters_;
        clearTexts(*this, c0, r0, lastCol, lastRow);
        // An empty file leaves one empty data row.
        SetRowCount(std::max(r0 + int(records.size()), TCustomGrid::FixedRows() + 1) + fixedFooters_);
        if (c0 + fields > ColCount())
            SetColCount(c0 + fields);
        // The fields go to the shown columns.
        std::vector<int> real;
        for (int f = 0; f < fields; ++f)
            real.push_back(RealColIndex(c0 + f));
        int reported = -1;
        const int total = int(records.size());
        for (int i = 0; i < total; ++i) {
            const QStringList& record = records[size_t(i)];
            for (int f = 0; f < record.size(); ++f)
                if (!record[f].isEmpty())
                    SetCellText(real[size_t(f)], r0 + i, record[f]);
            if (OnFileProgress) {
                const int percent = int(std::lround(100.0 * (i + 1) / total));
                if (percent != reported) {
                    reported = percent;
                    OnFileProgress(this, percent);
                }
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    CellsChanged(QRect(0, 0, ColCount(), RowCount()));
}

void TExtStringGrid::LoadFromXLS(const QString& FileName)
{
    LoadFromXLSSheet(FileName, QString());
}

namespace {

// A cell's value as the grid shows it: numbers in the user's format settings, dates as short
// dates (with their time of day when they have one, a time alone as a time).
QString worksheetText(const TableValue& v)
{
    switch (v.kind()) {
    case TableValue::Kind::Text:
        return v.Text();
    case TableValue::Kind::Number:
        return FloatToStr(v.Number(), FormatSettings());
    case TableValue::Kind::DateTime: {
        const double d = v.Number();
        if (d >= 0 && d < 1)
            return TimeToStr(TDateTime(d), FormatSettings());
        if (d == std::floor(d))
            return DateToStr(TDateTime(d), FormatSettings());
        return DateTimeToStr(TDateTime(d), FormatSettings());
    }
    case TableValue::Kind::Empty:
        break;
    }
    return QString();
}

}  // namespace

void TExtStringGrid::LoadFromXLSSheet(const QString& FileName, const QString& SheetName)
{
    TWaitCursor wait;
    OfficeResult<SheetBook> read = ReadWorkbook(FileName);
    if (!read.Ok())
        throw EExtGridError(QStringLiteral("Cannot open file ") + FileName);
    const SheetBook& book = read.Value();
    int index = -1;
    if (SheetName.isEmpty())
        index = book.sheets.isEmpty() ? -1 : std::clamp(book.activeSheet, 0, int(book.sheets.size()) - 1);
    else
        index = book.SheetIndex(SheetName);
    if (index < 0)
        throw EExtGridError(QStringLiteral("Excel worksheet ") + SheetName + QStringLiteral(" not found"));
    const SheetData& sheet = book.sheets[index];

    const int fixedCols = TCustomGrid::FixedCols();
    const int fixedRows = TCustomGrid::FixedRows();
    const int c0 = IncludeFixedCells() ? 0 : fixedCols;
    const int r0 = IncludeFixedCells() ? 0 : fixedRows;
    int firstRow = 0, firstCol = 0, lastRow = -1, lastCol = -1;
    const bool used = sheet.UsedRange(firstRow, firstCol, lastRow, lastCol);

    BeginUpdate();
    try {
        // The data area is emptied first: cells the sheet leaves empty keep no old text.
        clearTexts(*this, c0, r0, ColCount() - 1, RowCount() - 1);
        if (used) {
            SetColCount(lastCol - firstCol + 1 + c0);
            SetRowCount(lastRow - firstRow + 1 + r0);
            if (ColCount() > fixedCols)
                SetFixedCols(fixedCols);
            if (RowCount() > fixedRows)
                SetFixedRows(fixedRows);
            for (const SheetCell& cell : sheet.Cells()) {
                const QString text = worksheetText(cell.value);
                if (!text.isEmpty())
                    SetCellText(RealColIndex(c0 + cell.column - firstCol), r0 + cell.row - firstRow, text);
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    CellsChanged(QRect(0, 0, ColCount(), RowCount()));
}
