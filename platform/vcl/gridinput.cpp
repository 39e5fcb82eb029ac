// TCustomGrid: the keyboard (moving the current cell, tabbing, starting the editor) and the
// mouse (selecting, sizing and moving columns and rows), and the focus.
#include "platform/vcl/grids.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

#include "platform/vcl/forms.h"

namespace {

// How close to a column or row border the pointer must be to size it.
constexpr int kSizingTolerance = 3;

// Return and Escape go to the window's default and cancel buttons before the grid sees them,
// as the runtime's dialog keys do; a window without such a button leaves them to the grid.
bool isDialogKeyOfWindow(const QWidget* grid, const QKeyEvent* e)
{
    if (e->modifiers() & ~Qt::KeypadModifier)
        return false;
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (!enter && e->key() != Qt::Key_Escape)
        return false;
    const auto* dialog = qobject_cast<const QDialog*>(grid->window());
    if (!dialog)
        return false;
    return enter ? DefaultButton(dialog) != nullptr : CancelButton(dialog) != nullptr;
}

}  // namespace

// --- keyboard ---------------------------------------------------------------------------------

void TCustomGrid::KeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    if (Key != 0)
        keyNavigate(Key, Shift);
}

void TCustomGrid::keyNavigate(int& Key, Qt::KeyboardModifiers Shift)
{
    const bool ctrl = Shift & Qt::ControlModifier;
    const bool shift = Shift & Qt::ShiftModifier;
    const bool rowSelect = options_ & goRowSelect;
    const int page = std::max(1, VisibleRowCount());
    const int pageWidth = std::max(1, VisibleColCount());
    TGridCoord cur = current_;
    int top = topRow_;
    int left = leftCol_;

    if ((Key == Qt::Key_Tab || Key == Qt::Key_Backtab) && (options_ & goTabs) && !(Shift & Qt::AltModifier)) {
        const bool back = Key == Qt::Key_Backtab || shift;
        if (ctrl) {
            // Ctrl+Tab leaves a control that takes Tab for itself, as everywhere in the runtime;
            // from the cell editor too, which keeps what was typed as on any other exit.
            Key = 0;
            setFocus(Qt::TabFocusReason);
            QAbstractScrollArea::focusNextPrevChild(!back);
            return;
        }
        const TGridCoord start = cur;
        do {
            if (back) {
                if (--cur.X < FixedCols()) {
                    cur.X = ColCount() - 1;
                    if (--cur.Y < FixedRows())
                        cur.Y = RowCount() - 1;
                }
            } else if (++cur.X >= ColCount()) {
                cur.X = FixedCols();
                if (++cur.Y >= RowCount())
                    cur.Y = FixedRows();
            }
        } while (!tabStops_[size_t(cur.X)] && !(cur == start));
        FocusCell(cur.X, cur.Y, true);
        return;
    }

    if (ctrl) {
        switch (Key) {
        case Qt::Key_Up: --top; break;
        case Qt::Key_Down: ++top; break;
        case Qt::Key_Left:
            if (!rowSelect) {
                cur.X -= pageWidth;
                left -= pageWidth;
            }
            break;
        case Qt::Key_Right:
            if (!rowSelect) {
                cur.X += pageWidth;
                left += pageWidth;
            }
            break;
        case Qt::Key_PageUp: cur.Y = topRow_; break;
        case Qt::Key_PageDown: cur.Y = topRow_ + std::max(0, VisibleRowCount() - 1); break;
        case Qt::Key_Home: cur = {FixedCols(), FixedRows()}; break;
        case Qt::Key_End: cur = {ColCount() - 1, RowCount() - 1}; break;
        default: return;
        }
    } else {
        switch (Key) {
        case Qt::Key_Up: --cur.Y; break;
        case Qt::Key_Down: ++cur.Y; break;
        case Qt::Key_Left:
            if (rowSelect)
                --left;
            else
                --cur.X;
            break;
        case Qt::Key_Right:
            if (rowSelect)
                ++left;
            else
                ++cur.X;
            break;
        case Qt::Key_PageDown:
            cur.Y += page;
            top += page;
            break;
        case Qt::Key_PageUp:
            cur.Y -= page;
            top -= page;
            break;
        case Qt::Key_Home:
            if (rowSelect)
                cur.Y = FixedRows();
            else
                cur.X = FixedCols();
            break;
        case Qt::Key_End:
            if (rowSelect)
                cur.Y = RowCount() - 1;
            else
                cur.X = ColCount() - 1;
            break;
        case Qt::Key_F2:
            SetEditorMode(true);
            return;
        default: return;
        }
    }
    cur.X = std::clamp(cur.X, FixedCols(), ColCount() - 1);
    cur.Y = std::clamp(cur.Y, FixedRows(), RowCount() - 1);
    if (top != topRow_ || left != leftCol_) {
        SetTopRow(top);
        SetLeftCol(left);
        // Ctrl+arrows scroll; the current cell stays inside the visible part.
        if (ctrl && (Key == Qt::Key_Up || Key == Qt::Key_Down)) {
            const int last = topRow_ + std::max(0, VisibleRowCount() - 1);
            cur.Y = std::clamp(cur.Y, topRow_, std::max(topRow_, last));
        }
    }
    if (cur == current_)
        return;
    MoveColRow(cur.X, cur.Y, !(shift && (options_ & goRangeSelect)), true);
    Click();
}

void TCustomGrid::KeyUp(int& Key, Qt::KeyboardModifiers Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TCustomGrid::KeyPress(QChar& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
    if (Key.isNull())
        return;
    if (!(options_ & goAlwaysShowEditor) && Key == QLatin1Char('\r')) {
        if (editorMode_)
            HideEditor();
        else
            ShowEditor();
        Key = QChar();
        return;
    }
    if ((options_ & goEditing) && !editorMode_ && (Key == QLatin1Char('\b') || Key.unicode() >= 32)) {
        if (Key != QLatin1Char('\b') && !CanEditAcceptKey(Key)) {
            QApplication::beep();
            Key = QChar();
            return;
        }
        ShowEditorChar(Key);
        Key = QChar();
    }
}

void TCustomGrid::keyPressEvent(QKeyEvent* e)
{
    if (isDialogKeyOfWindow(this, e)) {
        e->ignore();
        return;
    }
    // Escape that the grid has no use for (no cell editor, nothing being edited) closes its
    // window, as everywhere else in it.
    if (e->key() == Qt::Key_Escape && !(e->modifiers() & ~Qt::KeypadModifier) && !UsesEscape() &&
        WindowTakesEscape(window())) {
        e->ignore();
        return;
    }
    int key = e->key();
    KeyDown(key, e->modifiers());
    const QString text = e->text();
    for (QChar ch : text) {
        if (ch == QLatin1Char('\t') || ch.unicode() == 27)
            continue;
        KeyPress(ch);
    }
    e->accept();
}

void TCustomGrid::keyReleaseEvent(QKeyEvent* e)
{
    int key = e->key();
    KeyUp(key, e->modifiers());
}

bool TCustomGrid::focusNextPrevChild(bool next)
{
    // With goTabs, Tab moves between the cells instead of to the next control.
    if (options_ & goTabs)
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

// --- mouse ------------------------------------------------------------------------------------

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index)
{
    State = gsNormal;
    Index = -1;
    auto near = [&](const GridAxis& axis, int first, int fixedExtent, int extent, int p) {
        auto test = [&](int i, int start) {
            const int border = start + axis.Size(i);
            return p >= border - kSizingTolerance && p <= border + axis.Line(i) + kSizingTolerance;
        };
        for (int i = 0; i < axis.Fixed(); ++i)
            if (test(i, int(axis.Offset(i))))
                return i;
        for (int i = first; i < axis.Count(); ++i) {
            const int start = fixedExtent + int(axis.Offset(i) - axis.Offset(first));
            if (start > extent)
                break;
            if (test(i, start))
                return i;
        }
        return -1;
    };
    if ((options_ & goColSizing) && Y < fixedHeight()) {
        const int i = near(cols_, leftCol_, fixedWidth(), viewport()->width(), X);
        if (i >= 0) {
            State = gsColSizing;
            Index = i;
            return;
        }
    }
    if ((options_ & goRowSizing) && X < fixedWidth()) {
        const int i = near(rows_, topRow_, fixedHeight(), viewport()->height(), Y);
        if (i >= 0) {
            State = gsRowSizing;
            Index = i;
        }
    }
}

void TCustomGrid::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
    if (Button != Qt::LeftButton)
        return;
    TGridState state;
    int index;
    CalcSizingState(X, Y, state, index);
    if (state != gsNormal) {
        if (editorMode_)
            HideEditor();
        gridState_ = state;
        sizingIndex_ = index;
        sizingOrigin_ = state == gsColSizing ? cellLeft(index) : cellTop(index);
        return;
    }
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0)
        return;
    if (cell.Y < FixedRows() && cell.X >= FixedCols() && (options_ & goColMoving)) {
        gridState_ = gsColMoving;
        moveFrom_ = cell.X;
        return;
    }
    if (cell.X < FixedCols() && cell.Y >= FixedRows() && (options_ & goRowMoving)) {
        gridState_ = gsRowMoving;
        moveFrom_ = cell.Y;
        return;
    }
    if (cell.X < FixedCols() || cell.Y < FixedRows())
        return;
    // A click on the current cell of an editable grid opens the editor.
    if ((options_ & goEditing) && cell == current_ && !editorMode_ && Selection() == TGridRect{cell.X, cell.Y, cell.X, cell.Y}) {
        ShowEditor();
        if (editorMode_)
            return;
    }
    const bool extend = (Shift & Qt::ShiftModifier) && (options_ & goRangeSelect);
    MoveColRow(cell.X, cell.Y, !extend, true);
    gridState_ = gsSelecting;
}

void TCustomGrid::BeginRangeSelection(int ACol, int ARow)
{
    if (gridState_ != gsNormal || ACol < FixedCols() || ARow < FixedRows() || ACol >= ColCount() || ARow >= RowCount())
        return;
    MoveColRow(ACol, ARow, true, true);
    gridState_ = gsSelecting;
}

void TCustomGrid::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
    switch (gridState_) {
    case gsSelecting: {
        const int x = std::clamp(X, 0, std::max(0, viewport()->width() - 1));
        const int y = std::clamp(Y, 0, std::max(0, viewport()->height() - 1));
        const TGridCoord cell = MouseCoord(x, y);
        if (cell.X >= FixedCols() && cell.Y >= FixedRows() && !(cell == current_))
            MoveColRow(cell.X, cell.Y, !(options_ & goRangeSelect), true);
        break;
    }
    case gsColSizing:
        SetColWidths(sizingIndex_, std::max(0, X - sizingOrigin_));
        userSized_[size_t(sizingIndex_)] = 1;  // the user's width stays, texts or not
        break;
    case gsRowSizing:
        SetRowHeights(sizingIndex_, std::max(0, Y - sizingOrigin_));
        break;
    case gsNormal: {
        TGridState state;
        int index;
        CalcSizingState(X, Y, state, index);
        if (state == gsColSizing)
            viewport()->setCursor(Qt::SplitHCursor);
        else if (state == gsRowSizing)
            viewport()->setCursor(Qt::SplitVCursor);
        else
            viewport()->unsetCursor();
        break;
    }
    default:
        break;
    }
}

void TCustomGrid::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    const TGridState state = gridState_;
    gridState_ = gsNormal;
    if (state == gsColMoving || state == gsRowMoving) {
        const TGridCoord cell = MouseCoord(X, Y);
        if (state == gsColMoving && cell.X >= FixedCols() && cell.X != moveFrom_)
            MoveColumn(moveFrom_, cell.X);
        else if (state == gsRowMoving && cell.Y >= FixedRows() && cell.Y != moveFrom_)
            MoveRow(moveFrom_, cell.Y);
    }
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TCustomGrid::mousePressEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    pressedInside_ = e->button() == Qt::LeftButton;
    const QPoint p = e->position().toPoint();
    MouseDown(e->button(), e->modifiers(), p.x(), p.y());
}

void TCustomGrid::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    MouseMove(e->modifiers(), p.x(), p.y());
}

void TCustomGrid::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const bool click = pressedInside_ && e->button() == Qt::LeftButton && viewport()->rect().contains(p);
    pressedInside_ = false;
    MouseUp(e->button(), e->modifiers(), p.x(), p.y());
    if (click)
        Click();
}

void TCustomGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    pressedInside_ = false;
    if (e->button() == Qt::LeftButton)
        DblClick();
    MouseDown(e->button(), e->modifiers(), p.x(), p.y());
}

void TCustomGrid::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    InvalidateCell(Col(), Row());
    if ((options_ & goAlwaysShowEditor) && (options_ & goEditing) && !editorMode_)
        ShowEditor();
}

void TCustomGrid::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    InvalidateCell(Col(), Row());
    if (focusLeftGrid(e->reason()))
        DoExit();
}

bool TCustomGrid::focusLeftGrid(Qt::FocusReason reason) const
{
    // A popup or another window takes the focus only for a while.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return false;
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w == this)
            return false;
    return true;
}

void TCustomGrid::scrollContentsBy(int, int)
{
    // The scroll bars' values are TopRow and LeftCol; SetTopRow and SetLeftCol move the pixels.
}

void TCustomGrid::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    leftCol_ = std::clamp(leftCol_, FixedCols(), std::max(FixedCols(), maxLeftCol()));
    topRow_ = std::clamp(topRow_, FixedRows(), std::max(FixedRows(), maxTopRow()));
    UpdateScrollRange();
    placeEditor();
}
