#pragma once
// The column grid of the run list: a string grid whose columns carry a header, a width and,
// for a check-box column, the texts a ticked and an unticked box write into the cell. A
// check-box cell bound to its data shows a tick while its text is the column's check-true
// text; a click on it, or Space in its row, writes the other check text into the cell.
//
// The run list reads and writes the grid only through GetCellText, SetCellText, SetInts,
// SetCellCheckBox and RowCount, and reads its ticks only as cell texts, so that a fuller
// column grid can take this one's place without a change to the list.
#include <QHash>
#include <QList>
#include <QString>

#include "platform/vcl/grids.h"

struct RunListColumn {
    QString header;
    int width = 64;
    bool checkBox = false;
    QString checkTrue = QStringLiteral("true");
    QString checkFalse = QStringLiteral("false");
};

class RunListGrid : public TStringGrid {
    Q_OBJECT
public:
    explicit RunListGrid(QWidget* parent = nullptr);

    // The column items; SetColumns sets the column count, the widths (0 hides a column) and
    // the header row.
    const QList<RunListColumn>& Columns() const { return columns_; }
    void SetColumns(const QList<RunListColumn>& columns);

    QString GetCellText(int ACol, int ARow) const { return Cells(ACol, ARow); }
    void SetCellText(int ACol, int ARow, const QString& text) { SetCells(ACol, ARow, text); }
    void SetInts(int ACol, int ARow, int value) { SetCells(ACol, ARow, QString::number(value)); }
    // Puts a check box into the cell. With `useData` the box shows and writes the cell's text
    // (the column's check texts); without, it keeps `state` of its own and leaves the text.
    void SetCellCheckBox(int ACol, int ARow, bool state, bool useData);
    bool HasCheckBox(int ACol, int ARow) const { return boxes_.contains(key(ACol, ARow)); }
    bool CheckState(int ACol, int ARow) const;
    // Flips the box of a cell as a click does; false when the cell has no box.
    bool ToggleCheckBox(int ACol, int ARow);

protected:
    void DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState) override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void KeyPress(QChar& Key) override;

private:
    struct Box {
        bool data = true;
        bool state = false;
    };
    static qint64 key(int ACol, int ARow) { return (qint64(ARow) << 32) | quint32(ACol); }
    RunListColumn column(int ACol) const;

    QList<RunListColumn> columns_;
    QHash<qint64, Box> boxes_;
};
