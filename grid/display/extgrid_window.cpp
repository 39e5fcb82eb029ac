// TExtStringGrid at the window's level: zoom, panning with the middle button, the key release,
// per-cell and per-row colours, the editing gate, the edit text the inplace editor asks for,
// rows that may not move, and columns that keep their share of the width while the grid is sized.
#include "grid/display/extgrid.h"

#include <QCursor>
#include <QMouseEvent>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

#include "grid/display/esghtmle.h"

// --- zoom ----------------------------------------------------------------------------------------

void TExtStringGrid::Zoom(int Delta)
{
    const int level = zoomLevel_ + Delta;
    if (level < -10 || level > 10)
        return;
    zoomLevel_ = level;
    // Every width and height by the step, where it stays above 0.
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) + Delta > 0)
            SetColWidths(c, ColWidths(c) + Delta);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) + Delta > 0)
            SetRowHeights(r, RowHeights(r) + Delta);
}

// --- panning with the middle button -----------------------------------------------------------------

void TExtStringGrid::startPanning(const QPoint& At)
{
    if (panning_ || IntelliPan == ipNone || RowCount() <= TCustomGrid::FixedRows())
        return;
    panning_ = true;
    panStart_ = At;
    viewport()->setCursor(Qt::SizeAllCursor);
    panTimer_.start();
}

void TExtStringGrid::stopPanning()
{
    if (!panning_)
        return;
    panning_ = false;
    panTimer_.stop();
    viewport()->unsetCursor();
}

void TExtStringGrid::PanTick(const QPoint& Pointer)
{
    if (!panning_)
        return;
    auto direction = [](int d) { return d > 5 ? 1 : d < -5 ? -1 : 0; };
    int dx = direction(Pointer.x() - panStart_.x());
    int dy = direction(Pointer.y() - panStart_.y());
    if (IntelliPan == ipVertical)
        dx = 0;
    if (IntelliPan == ipHorizontal)
        dy = 0;
    const int row = std::clamp(Row() + dy, TCustomGrid::FixedRows(), RowCount() - fixedFooters_ - 1);
    const int col = std::clamp(Col() + dx, TCustomGrid::FixedCols(), ColCount() - fixedRightCols_ - 1);
    if (row != Row() || col != Col())
        FocusCell(col, row, true);
}

// --- the key release ---------------------------------------------------------------------------------

void TExtStringGrid::KeyUp(int& Key, Qt::KeyboardModifiers Shift)
{
    switch (Key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete: typeAheadText_.clear(); break;
    default: break;
    }
    const int key = Key;
    TBaseGrid::KeyUp(Key, Shift);
    if (Navigation.AlwaysEdit && ((key >= Qt::Key_Left && key <= Qt::Key_Down) || (key == Qt::Key_Tab && (Options() & goTabs))))
        ShowEditor();
}

// --- colours of cells and rows ----------------------------------------------------------------------------

QWidget* TExtStringGrid::GetCellControl(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->Control : nullptr;
}

void TExtStringGrid::SetCellColor(int ACol, int ARow, TColor AColor)
{
    CellProperties(ACol, ARow)->SetBrushColor(AColor);
    RepaintCell(RealToDisplCol(ACol), ARow);
}

void TExtStringGrid::SetCellColorTo(int ACol, int ARow, TColor AColor)
{
    CellProperties(ACol, ARow)->SetBrushColorTo(AColor);
    RepaintCell(RealToDisplCol(ACol), ARow);
}

void TExtStringGrid::SetCellFontColor(int ACol, int ARow, TColor AColor)
{
    CellProperties(ACol, ARow)->FontColor = AColor;
    RepaintCell(RealToDisplCol(ACol), ARow);
}

TColor TExtStringGrid::GetCellColorTo(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->BrushColorTo() : clNone;
}

bool TExtStringGrid::IsCellReadOnly(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && p->ReadOnly;
}

void TExtStringGrid::setRowProperty(int ARow, TColor AColor, int Which)
{
    for (int c = TCustomGrid::FixedCols(); c < ColCount() + HiddenColCount(); ++c) {
        // clNone takes back only that colour: the record keeps its boxes, levels and merges.
        TCellProperties* p = AColor == clNone ? FindCellProperties(c, ARow) : CellProperties(c, ARow);
        if (!p)
            continue;
        if (Which == 0)
            p->SetBrushColor(AColor);
        else if (Which == 1)
            p->SetBrushColorTo(AColor);
        else
            p->FontColor = AColor;
    }
    RepaintRow(ARow);
}

void TExtStringGrid::SetRowColor(int ARow, TColor AColor)
{
    setRowProperty(ARow, AColor, 0);
}

void TExtStringGrid::SetRowColorTo(int ARow, TColor AColor)
{
    setRowProperty(ARow, AColor, 1);
}

void TExtStringGrid::SetRowFontColor(int ARow, TColor AColor)
{
    setRowProperty(ARow, AColor, 2);
}

QString TExtStringGrid::StrippedCellText(int ACol, int ARow)
{
    return StripHTML(GetCellText(ACol, ARow));
}

QString TExtStringGrid::CurrentCellRawText()
{
    return GetRawCell(RealColIndex(Col()), Row());
}

void TExtStringGrid::SetCurrentCellText(const QString& Text)
{
    SetCellText(RealColIndex(Col()), Row(), Text);
}

bool TExtStringGrid::CellEditable(int ACol, int ARow)
{
    if (!(Options() & goEditing) && !MouseActions.RangeSelectAndEdit && !Navigation.AlwaysEdit)
        return false;
    const TGridCoord b = BaseCell(ACol, ARow);
    if (IsFixedCell(RealColIndex(b.X), b.Y) || b.X < TCustomGrid::FixedCols() || b.Y < TCustomGrid::FixedRows())
        return false;
    return CanEditCell(b.X, b.Y);
}

// --- the edit text, row moves and proportional columns ----------------------------------------------------

QString TExtStringGrid::GetEditText(int ACol, int ARow)
{
    const QString text = GetCellText(RealColIndex(ACol), ARow);
    return EditWithTags ? text : StripHTML(text);
}

void TExtStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    TBaseGrid::SetEditText(RealColIndex(ACol), ARow, Value);
}

void TExtStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    rowColMoved_ = true;
}

void TExtStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
    rowColMoved_ = true;
}

void TExtStringGrid::synchColumns(int clientWidth)
{
    if (!ColumnSize.SynchWithGrid || clientWidth <= 0)
        return;
    // The widths at the first width the grid had are the measure: shrinking and growing again
    // gives the same widths back.
    if (synchWidths_.empty() || int(synchWidths_.size()) != ColCount()) {
        synchReference_ = clientWidth;
        synchWidths_.clear();
        for (int c = 0; c < ColCount(); ++c)
            synchWidths_.push_back(ColWidths(c));
        return;
    }
    HideEditor();
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, int(std::lround(double(synchWidths_[size_t(c)]) * clientWidth / synchReference_)));
}
