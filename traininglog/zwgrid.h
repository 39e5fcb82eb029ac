#pragma once
// The split grid of the entry window's split page without the window: its 18 columns, the SQL
// forms of the split query, and the fill of a string grid from the rows of a split dataset.
// The split statistics, the split information and the heart-rate graph read the grid by column
// index, so the column order below is binding for them.
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <functional>

class TDataSet;
class TQuery;
class TorvServer;
class TStringGrid;
class TImageList;
class QObject;

namespace zwgrid {

enum Column {
    colTyp = 0,
    colDistance = 1,
    colZwischenzeit = 2,
    colSplit = 3,
    colMinKm = 4,
    colKmh = 5,
    colPuls = 6,
    colMinPuls = 7,
    colMaxPuls = 8,
    colHoehe = 9,
    colTrittfrequenz = 10,
    colNotiz = 11,
    colHDiff = 12,
    colSteigung = 13,
    colImportKmh = 14,
    colTemperatur = 15,
    colSplitDist = 16,
    colMeter = 17,
    ColumnCount = 18
};

// Column widths in pixels; -1 hides the column.
int columnWidth(int col);

// The read form of the split query for a unit and kind (heart-rate samples or splits); with
// the unit's distance format column when `withFormat` (the page switch reads it, the fill not).
QString readSql(int datId, bool hrm, bool withFormat);
// The single-table form that stays open after every fill, so that editing, inserting and
// deleting through the query work on the table itself.
QString editSql(int datId, bool hrm);
// The condition of the split statistics' aggregate statement for a unit and kind.
QString statisticsCondition(int datId, bool hrm);

// Header texts of row 0 (loaded from the message table at the time of the call); column 1
// gets four blanks and the distance unit's label.
QStringList headers(const QString& distanceLabel);
// The 18 cell texts of the dataset's current row, as the grid shows them.
QStringList rowCells(TDataSet& zeit);

// Fills the grid from every row of the split dataset in its order: the header, the widths,
// one row per record (one empty data row when there is none). `step` runs after each row.
// The dataset ends on its last row; it is not reopened.
void fill(TStringGrid& grid, TDataSet& zeit, const QString& distanceLabel, const std::function<void()>& step = {});

// The cell texts of the data rows (rows 1 to row count - 1) of a filled grid.
QList<QStringList> dataRows(const TStringGrid& grid);

// The grid rows of any unit and kind, read through a split query of the caller's own (with the
// split fields and rules of the data module), so that the shared split query, the entry
// window's grid and the current unit stay as they are. No rows: an empty list.
QList<QStringList> rowsOfUnit(TorvServer& server, TQuery& rows, int datId, bool hrm);
// Opens those rows in the caller's query (the split fields, their rules, the read form).
void openRowsOfUnit(TorvServer& server, TQuery& rows, int datId, bool hrm);

// The pictures of the twelve split types (0 to 11) that the grid and the split edit dialog
// draw in front of a split's type.
QPixmap splitTypePicture(int type);
TImageList* newSplitTypeImages(QObject* owner);
// The mark of the distance-unit switch in the header of column 1.
QPixmap unitSwitchMark();

}  // namespace zwgrid
