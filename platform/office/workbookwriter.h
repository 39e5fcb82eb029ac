#pragma once
// Writes Excel workbooks (".xlsx") over libxlsxwriter, in place of the spreadsheet program the
// exports used to drive: the statistics, split and march-table exports and analysis data.
//
//   WorkbookWriter book;
//   WorksheetWriter& sheet = book.AddSheet();           // "Tabelle1"
//   sheet.SetCell(QStringLiteral("B1"), label);          // as the exports address cells
//   sheet.SetNumber(1, 2, 4.5);
//   sheet.SetRowFill(2, ExcelColorIndexRgb(37));
//   OfficeResult<void> saved = book.Save(fileName);      // an error text when it failed
//
// The cells are kept until Save writes them all; a workbook can be saved more than once. Save
// writes a temporary file in the target folder and renames it onto the target only when it is
// complete, so a failed save never leaves a half-written workbook under the user's file name
// and an existing file stays as it was.
#include <QRgb>
#include <QString>
#include <QVector>

#include <deque>
#include <optional>
#include <vector>

#include "platform/office/officeresult.h"
#include "platform/rtl/sysutils.h"

class WorksheetWriter {
public:
    explicit WorksheetWriter(QString name) : name_(std::move(name)) {}

    const QString& Name() const { return name_; }

    // Rows and columns count from 0 ("A1" is 0, 0). A cell outside the sheet, or a text
    // longer than a cell holds, is kept as an error that Save reports; nothing is written then.
    void SetText(int row, int column, const QString& text);
    void SetNumber(int row, int column, double value);
    // A date-time as the number it is, shown with the given number format (spreadsheet
    // notation, "dd.mm.yyyy"); without one a time of day shows as "h:mm:ss", a whole day as
    // "dd.mm.yyyy" and the rest as "dd.mm.yyyy hh:mm:ss".
    void SetDateTime(int row, int column, TDateTime value, const QString& numberFormat = QString());
    // A text into a cell named as the spreadsheet names it ("b3", "AA12").
    void SetCell(const QString& cellName, const QString& text);

    // Background colours. A cell's own colour goes before its row's.
    void SetCellFill(int row, int column, QRgb color);
    void SetCellFill(const QString& cellName, QRgb color);
    void SetRowFill(int row, QRgb color);

    // One past the last row and column written.
    int RowCount() const { return int(rows_.size()); }
    int ColumnCount() const { return columns_; }

private:
    friend class WorkbookWriter;
    enum class Kind : unsigned char { Empty, Text, Number };
    struct Cell {
        Kind kind = Kind::Empty;
        bool hasFill = false;
        int format = -1;  // index into formats_, -1 for none
        QRgb fill = 0;
        double number = 0;
        QString text;
    };
    struct Row {
        std::vector<Cell> cells;
        bool hasFill = false;
        QRgb fill = 0;
    };

    Cell* cellAt(int row, int column);
    void fail(const QString& message, const QString& position);

    QString name_;
    std::vector<Row> rows_;
    int columns_ = 0;
    QVector<QString> formats_;
    std::optional<OfficeError> error_;
};

class WorkbookWriter {
public:
    WorkbookWriter() = default;
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // A new sheet at the end. Without a name it is "Tabelle" + its number, as a new workbook
    // names its sheets. A name the spreadsheet does not allow (empty, longer than 31
    // characters, one of : \ / ? * [ ], or taken) is kept as an error that Save reports.
    WorksheetWriter& AddSheet(const QString& name = QString());
    int SheetCount() const { return int(sheets_.size()); }
    WorksheetWriter& Sheet(int index) { return sheets_.at(size_t(index)); }

    // Writes the workbook (a workbook without sheets gets an empty "Tabelle1").
    OfficeResult<void> Save(const QString& fileName) const;

private:
    std::deque<WorksheetWriter> sheets_;  // a deque keeps the references AddSheet returned
    std::optional<OfficeError> error_;
};

// The RGB colour of an entry of the spreadsheet's standard palette of 56 colours (the
// "ColorIndex" the exports used; 37 is the light blue of the split export's even rows). Black
// for an index outside 1 to 56.
QRgb ExcelColorIndexRgb(int index);
