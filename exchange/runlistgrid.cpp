#include "exchange/runlistgrid.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

RunListGrid::RunListGrid(QWidget* parent) : TStringGrid(parent)
{
    SetFixedCols(0);
    SetOptions(Options() | goRowSelect);
}

void RunListGrid::SetColumns(const QList<RunListColumn>& columns)
{
    columns_ = columns;
    SetColCount(int(columns.size()));
    for (int c = 0; c < columns.size(); ++c) {
        SetColWidths(c, columns[c].width);
        SetCells(c, 0, columns[c].header);
    }
}

RunListColumn RunListGrid::column(int ACol) const
{
    return ACol >= 0 && ACol < columns_.size() ? columns_[ACol] : RunListColumn{};
}

void RunListGrid::SetCellCheckBox(int ACol, int ARow, bool state, bool useData)
{
    boxes_.insert(key(ACol, ARow), Box{useData, state});
    InvalidateCell(ACol, ARow);
}

bool RunListGrid::CheckState(int ACol, int ARow) const
{
    const auto it = boxes_.constFind(key(ACol, ARow));
    if (it == boxes_.constEnd())
        return false;
    return it->data ? Cells(ACol, ARow) == column(ACol).checkTrue : it->state;
}

bool RunListGrid::ToggleCheckBox(int ACol, int ARow)
{
    const auto it = boxes_.find(key(ACol, ARow));
    if (it == boxes_.end())
        return false;
    if (it->data) {
        const RunListColumn c = column(ACol);
        SetCells(ACol, ARow, Cells(ACol, ARow) == c.checkTrue ? c.checkFalse : c.checkTrue);
    } else {
        it->state = !it->state;
    }
    InvalidateCell(ACol, ARow);
    return true;
}

void RunListGrid::DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState)
{
    if (!HasCheckBox(ACol, ARow)) {
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
        return;
    }
    // The box in place of the check text, centred in the cell.
    QStyleOptionButton option;
    option.initFrom(this);
    const int size = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
    option.rect = QRect(ARect.left() + (ARect.width() - size) / 2, ARect.top() + (ARect.height() - size) / 2, size,
                        size);
    option.state = QStyle::State_Enabled | (CheckState(ACol, ARow) ? QStyle::State_On : QStyle::State_Off);
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, Canvas(), this);
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void RunListGrid::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    TStringGrid::MouseDown(Button, Shift, X, Y);
    if (Button != Qt::LeftButton)
        return;
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (row >= FixedRows())
        ToggleCheckBox(col, row);
}

void RunListGrid::KeyPress(QChar& Key)
{
    // Space ticks the current row's box, wherever in the row the cursor stands.
    if (Key == QLatin1Char(' ')) {
        for (int c = 0; c < columns_.size(); ++c)
            if (columns_[c].checkBox && ToggleCheckBox(c, Row())) {
                Key = QChar();
                return;
            }
    }
    TStringGrid::KeyPress(Key);
}
