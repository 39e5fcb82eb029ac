// TDrawGrid (cells drawn and edited through events) and TStringGrid (a text and an object per
// cell, kept when columns and rows move).
#include "platform/vcl/grids.h"

#include <QPainter>

#include <algorithm>

#include "platform/vcl/gridshared.h"

using griddetail::gridIndexError;

// ---------------------------------------------------------------------------------------------
// TDrawGrid

void TDrawGrid::DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

QString TDrawGrid::GetEditMask(int ACol, int ARow)
{
    QString value;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, value);
    return value;
}

QString TDrawGrid::GetEditText(int ACol, int ARow)
{
    QString value;
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

// ---------------------------------------------------------------------------------------------
// TStringGrid

TStringGrid::TStringGrid(QWidget* parent) : TDrawGrid(parent) {}

TStringGrid::~TStringGrid() = default;

const TStringGrid::Cell* TStringGrid::findCell(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || size_t(ARow) >= data_.size() || !data_[size_t(ARow)])
        return nullptr;
    const RowCells& row = *data_[size_t(ARow)];
    return size_t(ACol) < row.size() ? &row[size_t(ACol)] : nullptr;
}

TStringGrid::Cell* TStringGrid::cellFor(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        gridIndexError();
    if (size_t(ARow) >= data_.size())
        data_.resize(size_t(ARow) + 1);
    auto& row = data_[size_t(ARow)];
    if (!row)
        row = std::make_unique<RowCells>();
    if (size_t(ACol) >= row->size())
        row->resize(size_t(ACol) + 1);
    return &(*row)[size_t(ACol)];
}

QString TStringGrid::Cells(int ACol, int ARow) const
{
    if (const Cell* c = findCell(ACol, ARow))
        return c->text;
    return CellSource && ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount() ? CellSource(ACol, ARow)
                                                                                         : QString();
}

void TStringGrid::SetCells(int ACol, int ARow, const QString& value)
{
    if (value.isEmpty() && !findCell(ACol, ARow))
        return;
    cellFor(ACol, ARow)->text = value;
    InvalidateCell(ACol, ARow);
}

QObject* TStringGrid::Objects(int ACol, int ARow) const
{
    const Cell* c = findCell(ACol, ARow);
    return c ? c->object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, QObject* value)
{
    if (!value && !findCell(ACol, ARow))
        return;
    cellFor(ACol, ARow)->object = value;
}

QStringList TStringGrid::Rows(int ARow) const
{
    QStringList list;
    for (int c = 0; c < ColCount(); ++c)
        list << Cells(c, ARow);
    return list;
}

void TStringGrid::SetRows(int ARow, const QStringList& value)
{
    for (int c = 0; c < ColCount(); ++c)
        SetCells(c, ARow, c < value.size() ? value[c] : QString());
}

QStringList TStringGrid::Cols(int ACol) const
{
    QStringList list;
    for (int r = 0; r < RowCount(); ++r)
        list << Cells(ACol, r);
    return list;
}

void TStringGrid::SetCols(int ACol, const QStringList& value)
{
    for (int r = 0; r < RowCount(); ++r)
        SetCells(ACol, r, r < value.size() ? value[r] : QString());
}

void TStringGrid::DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState)
{
    if (DefaultDrawing()) {
        if (const QString text = Cells(ACol, ARow); !text.isEmpty()) {
            QPainter* p = Canvas();
            p->drawText(ARect.left() + 2, ARect.top() + 2 + p->fontMetrics().ascent(), text);
        }
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    const size_t need = size_t(std::max(FromIndex, ToIndex)) + 1;
    for (auto& row : data_) {
        if (!row)
            continue;
        if (row->size() < need)
            row->resize(need);
        Cell moved = std::move((*row)[size_t(FromIndex)]);
        row->erase(row->begin() + FromIndex);
        row->insert(row->begin() + ToIndex, std::move(moved));
    }
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    const size_t need = size_t(std::max(FromIndex, ToIndex)) + 1;
    if (data_.size() < need)
        data_.resize(need);
    auto moved = std::move(data_[size_t(FromIndex)]);
    data_.erase(data_.begin() + FromIndex);
    data_.insert(data_.begin() + ToIndex, std::move(moved));
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    // Cells that fall outside the grid are dropped, so a grid that grows again shows empty
    // cells rather than stale ones.
    if (data_.size() > size_t(RowCount()))
        data_.resize(size_t(RowCount()));
    if (ColCount() < OldColCount)
        for (auto& row : data_)
            if (row && row->size() > size_t(ColCount()))
                row->resize(size_t(ColCount()));
    TDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

QString TStringGrid::GetEditText(int ACol, int ARow)
{
    QString value = Cells(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    SetCells(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}
