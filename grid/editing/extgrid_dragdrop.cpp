// Drag and drop of a grid: the drag of the selected cells (or of a header column) from a grid,
// and the grid's drop target, which pastes dropped text, puts dropped rich text into a cell, hands
// a dropped header column to the application and loads one dropped CSV file or workbook.
//
// A move within one grid is checked before anything is pasted: a block dropped onto itself, or
// onto the rows it is taken from, is refused, since the source's removal afterwards would take
// the pasted cells with it. The source's remembered block follows rows the drop inserted above
// it, and only those.
#include <QCursor>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPointer>
#include <QTimer>

#include <algorithm>

#include "grid/display/extgrid.h"
#include "grid/editing/dragdrop.h"
#include "grid/editing/esgdd.h"
#include "grid/editing/gridclipboard.h"
#include "platform/rtl/application.h"

namespace {

// The drag this process runs from a grid: the grid, and the block of cells it drags (moved down
// by rows a drop into the same grid inserted above it).
struct TRunningDrag {
    QPointer<TExtStringGrid> Source;
    TGridRect Selection;
    bool Active = false;
};
TRunningDrag running;

const char* const kDropTargetName = "GridDropTarget";

void hideArrows(TExtStringGrid& g)
{
    for (int d = 0; d < 4; ++d)
        if (TArrowWindow* a = g.ArrowWindow(d))
            a->hide();
}

// The grid's drop target: the toolkit's drag events on the grid's cells.
class TGridDropTarget : public QObject {
public:
    explicit TGridDropTarget(TExtStringGrid* grid) : QObject(grid->viewport()), grid_(grid)
    {
        setObjectName(QLatin1StringView(kDropTargetName));
    }

    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::DragEnter:
            dragEnter(static_cast<QDragEnterEvent*>(e));
            return true;
        case QEvent::DragMove:
            dragMove(static_cast<QDragMoveEvent*>(e));
            return true;
        case QEvent::DragLeave:
            hideArrows(*grid_);
            return true;
        case QEvent::Drop:
            drop(static_cast<QDropEvent*>(e));
            return true;
        default:
            return false;
        }
    }

private:
    bool columnDrag() const { return formats_.Column && !formats_.Text && !formats_.Files; }

    void dragEnter(QDragEnterEvent* e)
    {
        formats_ = DragFormatsOf(e->mimeData());
        const TDragDropSettings& s = grid_->DragDropSettings;
        dropAllowed_ = (formats_.Text && s.OleAcceptText) || (formats_.Files && s.OleAcceptFiles) ||
                       (formats_.RichText && RichTextDrag() && s.OleAcceptText) ||
                       (formats_.Column && s.OleColumnDragDrop);
        if (!dropAllowed_) {
            e->ignore();
            return;
        }
        e->accept();
        dragMove(e);
    }

    // Whether a drop at the point is allowed: a cell under it, a header column only over a header
    // cell of a data column, text over a header row only in a grid that is one header row.
    bool allowedAt(const QPoint& p, int& col, int& row)
    {
        const TGridCoord at = grid_->MouseCoord(p.x(), p.y());
        col = at.X;
        row = at.Y;
        bool allow = col >= 0 && row >= 0;
        const int fixedRows = grid_->TCustomGrid::FixedRows();
        if (allow && columnDrag())
            allow = row < fixedRows && col >= grid_->TCustomGrid::FixedCols();
        else if (allow && !formats_.Files && row < fixedRows)
            allow = grid_->RowCount() == 1 && grid_->FixedRowAlways;
        if (col >= 0 && row >= 0 && grid_->OnOleDragOver)
            grid_->OnOleDragOver(grid_, row, grid_->RealColIndex(col), allow);
        return allow;
    }

    void dragMove(QDragMoveEvent* e)
    {
        if (!dropAllowed_) {
            e->ignore();
            return;
        }
        const QPoint p = e->position().toPoint();
        // A text drag scrolls the rows at the header and just below the last visible row.
        if (!columnDrag() && !formats_.Files) {
            const TGridCoord at = grid_->MouseCoord(p.x(), p.y());
            const int fixedRows = grid_->TCustomGrid::FixedRows();
            if (at.Y >= 0 && at.Y < fixedRows && grid_->TopRow() > fixedRows)
                grid_->SetTopRow(grid_->TopRow() - 1);
            else if (at.Y >= 0 && at.Y == grid_->TopRow() + grid_->VisibleRowCount() && at.Y < grid_->RowCount())
                grid_->SetTopRow(grid_->TopRow() + 1);
        }
        int col = -1, row = -1;
        const bool allow = allowedAt(p, col, row);
        showArrows(allow, col, row);
        if (!allow) {
            e->ignore();
            return;
        }
        e->setDropAction(effectOf(e));
        e->accept();
    }

    Qt::DropAction effectOf(const QDropEvent* e) const
    {
        // Files dropped from outside are never moved: the file manager would delete them.
        if (formats_.Files && !formats_.Text)
            return Qt::CopyAction;
        return DropEffect(e->modifiers(), e->possibleActions());
    }

    void showArrows(bool allow, int col, int row)
    {
        hideArrows(*grid_);
        if (!allow || formats_.Files)
            return;
        const QPoint origin = grid_->viewport()->mapToGlobal(QPoint(0, 0));
        if (columnDrag()) {
            const QRect cell = grid_->CellRect(col, row);
            grid_->ArrowWindow(1)->move(origin + QPoint(cell.left() - 5, cell.top() - 8 - 11));
            grid_->ArrowWindow(0)->move(origin + QPoint(cell.left() - 5, cell.top() + cell.height()));
            grid_->ArrowWindow(1)->show();
            grid_->ArrowWindow(0)->show();
            return;
        }
        const int atCol = grid_->DragDropSettings.OleEntireRows ? grid_->TCustomGrid::FixedCols() : col;
        const QRect cell = grid_->CellRect(atCol, row);
        grid_->ArrowWindow(2)->move(origin + QPoint(cell.left() - 10, cell.top() + cell.height() / 2 - 5));
        grid_->ArrowWindow(2)->show();
    }

    void drop(QDropEvent* e)
    {
        bool taken = false;
        const Qt::DropAction effect = effectOf(e);
        try {
            int col = -1, row = -1;
            if (dropAllowed_ && allowedAt(e->position().toPoint(), col, row)) {
                const QMimeData* data = e->mimeData();
                if (columnDrag())
                    taken = DropGridColumn(*grid_, col, row, DraggedColumn(data));
                else if (formats_.RichText && RichTextDrag() && grid_->DragDropSettings.OleAcceptText)
                    taken = DropGridRichText(*grid_, col, row, DraggedRichText(data));
                else if (formats_.Text && grid_->DragDropSettings.OleAcceptText)
                    taken = DropGridText(*grid_, col, row, DraggedText(data), effect);
                else if (formats_.Files && grid_->DragDropSettings.OleAcceptFiles)
                    taken = DropGridFiles(*grid_, col, row, DraggedFiles(data));
            }
        } catch (...) {
            taken = false;
            HandleException(std::current_exception());
        }
        hideArrows(*grid_);
        if (taken) {
            e->setDropAction(effect);
            e->accept();
        } else {
            e->setDropAction(Qt::IgnoreAction);
            e->ignore();
        }
    }

    TExtStringGrid* grid_;
    TDragFormats formats_;
    bool dropAllowed_ = false;
};

TGridDropTarget* dropTargetOf(TExtStringGrid& g)
{
    return g.viewport()->findChild<TGridDropTarget*>(QLatin1StringView(kDropTargetName), Qt::FindDirectChildrenOnly);
}

// Whether the cell takes a pasted value: not read-only and not refused by OnCanEditCell (or
// every cell with AllowClipboardAlways).
bool pasteEditable(TExtStringGrid& g, int col, int row)
{
    if (g.Navigation.AllowClipboardAlways)
        return true;
    if (g.IsCellReadOnly(col, row))
        return false;
    bool allow = true;
    if (g.OnCanEditCell)
        g.OnCanEditCell(&g, row, g.RealColIndex(col), allow);
    return allow;
}

}  // namespace

bool RegisterGridDropTarget(TExtStringGrid& Grid)
{
    if (!dropTargetOf(Grid))
        Grid.viewport()->installEventFilter(new TGridDropTarget(&Grid));
    Grid.viewport()->setAcceptDrops(true);
    return true;
}

void RevokeGridDropTarget(TExtStringGrid& Grid)
{
    delete dropTargetOf(Grid);
    Grid.viewport()->setAcceptDrops(false);
}

bool DropGridText(TExtStringGrid& Grid, int ACol, int ARow, const QString& Text, Qt::DropAction Effect)
{
    // The text's cells as the clipboard's text gives them: TABs, line breaks, quoted cells.
    const std::vector<QStringList> cells = ParseClipboardText(Text);
    const int rows = int(cells.size());
    int cols = 0;
    for (const QStringList& r : cells)
        cols = std::max(cols, int(r.size()));
    if (rows == 0 || cols == 0)
        return false;

    const int fixedCols = Grid.TCustomGrid::FixedCols();
    int col = ACol;
    int row = ARow;
    if (Grid.Options() & goRowSelect)
        col = Grid.DragDropSettings.OleEntireRows ? 0 : fixedCols;
    bool allow = true;
    if (Grid.OnOleDrop)
        Grid.OnOleDrop(&Grid, row, Grid.RealColIndex(col), Text, allow);
    if (!allow)
        return false;
    if (Grid.RowCount() == 1 && Grid.FixedRowAlways && row == 0)
        row = 1;
    col = std::max(col, fixedCols);
    const bool insert = Grid.DragDropSettings.OleInsertRows;

    // A move within this grid onto the block it takes its cells from does nothing.
    const bool ownGrid = running.Active && running.Source == &Grid;
    if (ownGrid && Effect == Qt::MoveAction) {
        const TGridRect& from = running.Selection;
        const bool onItself = insert ? row > from.Top && row <= from.Bottom
                                     : !(col + cols - 1 < from.Left || col > from.Right || row + rows - 1 < from.Top ||
                                         row > from.Bottom);
        if (onItself)
            return false;
    }

    int written = 0;
    int pastedRight = col - 1;
    int pastedBottom = row - 1;
    Grid.BeginUpdate();
    try {
        if (insert) {
            row = std::min(row, Grid.RowCount());
            Grid.InsertRows(row, rows);
        }
        // Each cell passes OnClipboardBeforePasteCell and is written unless it is read-only or
        // OnCanEditCell refuses it, as a paste writes; the grid grows as a paste lets it.
        const int footers = Grid.FixedFooters();
        for (int r = 0; r < rows; ++r) {
            const int y = row + r;
            if (y >= Grid.RowCount() - footers) {
                if (!Grid.Navigation.AllowClipboardRowGrow)
                    break;
                Grid.SetRowCount(y + 1 + footers);
            }
            const QStringList& line = cells[size_t(r)];
            for (int c = 0; c < line.size(); ++c) {
                const int x = col + c;
                if (x >= Grid.ColCount()) {
                    if (!Grid.Navigation.AllowClipboardColGrow)
                        break;
                    Grid.SetColCount(x + 1);
                }
                QString value = line[c];
                bool write = true;
                const int real = Grid.RealColIndex(x);
                if (value.startsWith(QLatin1StringView("|\\"))) {
                    if (Grid.OnClipboardBeforePasteWideCell)
                        Grid.OnClipboardBeforePasteWideCell(&Grid, real, y, value, write);
                } else if (Grid.OnClipboardBeforePasteCell) {
                    Grid.OnClipboardBeforePasteCell(&Grid, real, y, value, write);
                }
                if (write && pasteEditable(Grid, x, y)) {
                    Grid.SetDisplayCellText(x, y, value);
                    ++written;
                }
                pastedRight = std::max(pastedRight, x);
            }
            pastedBottom = y;
        }
        // Nothing written: the drop is refused whole, so that a move keeps its cells at the source.
        if (written == 0 && insert)
            Grid.RemoveRows(row, rows);
        if (written > 0 && insert && ownGrid && running.Selection.Top >= row) {
            running.Selection.Top += rows;
            running.Selection.Bottom += rows;
        }
        if (written > 0)
            Grid.SetSelection(TGridRect{col, row, pastedRight, pastedBottom});
    } catch (...) {
        Grid.EndUpdate();
        throw;
    }
    Grid.EndUpdate();
    hideArrows(Grid);
    if (written == 0)
        return false;
    Grid.CellsChanged(QRect(col, row, pastedRight - col + 1, pastedBottom - row + 1));
    if (Grid.OnOleDropped)
        Grid.OnOleDropped(&Grid, Grid.Selection());
    return true;
}

bool DropGridRichText(TExtStringGrid& Grid, int ACol, int ARow, const QString& RichText)
{
    bool allow = true;
    if (Grid.OnOleDrop)
        Grid.OnOleDrop(&Grid, ARow, Grid.RealColIndex(ACol), RichText, allow);
    if (!allow)
        return false;
    Grid.SetDisplayCellText(ACol, ARow, RichText);
    Grid.CellsChanged(QRect(ACol, ARow, 1, 1));
    return true;
}

bool DropGridColumn(TExtStringGrid& Grid, int ACol, int ARow, int DropCol)
{
    hideArrows(Grid);
    if (DropCol < 0)
        return false;
    if (Grid.OnOleDropCol)
        Grid.OnOleDropCol(&Grid, ARow, Grid.RealColIndex(ACol), DropCol);
    return true;
}

bool DropGridFiles(TExtStringGrid& Grid, int ACol, int ARow, const QStringList& Files)
{
    hideArrows(Grid);
    if (Files.size() != 1)
        return false;
    const QString& file = Files.first();
    bool allow = true;
    if (Grid.OnOleDropFile)
        Grid.OnOleDropFile(&Grid, ARow, Grid.RealColIndex(ACol), file, allow);
    if (!allow)
        return false;
    // The file's kind is its extension.
    const QString suffix = QFileInfo(file).suffix().toUpper();
    const bool csv = suffix == QLatin1StringView("CSV");
    const bool workbook = suffix == QLatin1StringView("XLS") || suffix == QLatin1StringView("XLSX");
    if (!csv && !workbook)
        return true;
    allow = true;
    if (Grid.OnOleDrop)
        Grid.OnOleDrop(&Grid, ARow, Grid.RealColIndex(ACol), file, allow);
    if (!allow)
        return false;
    if (csv)
        Grid.LoadFromCSV(file);
    else
        Grid.LoadFromXLS(file);
    return true;
}

void TExtStringGrid::hostStartDrag(int ACol, int ARow)
{
    const Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction;
    Qt::DropAction effect = Qt::IgnoreAction;
    if (ARow < TCustomGrid::FixedRows() && DragDropSettings.OleColumnDragDrop) {
        // The header image follows the pointer while the column is dragged; it takes no input, so
        // that the drop goes to the window beneath it.
        if (QWidget* image = MoveHeaderImage(); image && !image->testAttribute(Qt::WA_TransparentForMouseEvents)) {
            const bool shown = image->isVisible();
            image->setAttribute(Qt::WA_TransparentForMouseEvents);
            image->setWindowFlag(Qt::WindowTransparentForInput);
            if (shown)
                image->show();
        }
        QTimer follow;
        follow.setInterval(15);
        connect(&follow, &QTimer::timeout, this, [this] {
            if (QWidget* image = MoveHeaderImage(); image && image->isVisible()) {
                const QPoint at = QCursor::pos();
                image->move(at.x(), at.y() - image->height());
            }
        });
        follow.start();
        running = TRunningDrag{this, Selection(), true};
        effect = StartColumnDrag(this, RealColIndex(ACol), allowed);
        running = TRunningDrag{};
        hideArrows(*this);
        if (effect != Qt::IgnoreAction && OnOleDragStop)
            OnOleDragStop(this, effect == Qt::MoveAction ? 2 : 1);
        return;
    }

    running = TRunningDrag{this, Selection(), true};
    const TGridRect dragged = running.Selection;
    const QString text = SelectionAsText();
    const QString topLeft = GetRawCell(dragged.Left, dragged.Top);
    const QString rich = topLeft.contains(QLatin1StringView("{\\")) ? topLeft : QString();
    QPointer<TExtStringGrid> self(this);
    effect = StartTextDrag(this, text, rich, allowed);
    const TGridRect block = running.Selection;
    running = TRunningDrag{};
    if (!self || effect == Qt::IgnoreAction)
        return;
    if (effect == Qt::MoveAction) {
        // The dragged cells leave the grid.
        const int fixedRows = TCustomGrid::FixedRows();
        const int fixedCols = TCustomGrid::FixedCols();
        BeginUpdate();
        if (DragDropSettings.OleRemoveRows && (Options() & goRowSelect)) {
            if (MouseActions.DisjunctRowSelect) {
                for (int r = RowCount() - 1; r >= fixedRows; --r)
                    if (GetRowSelect(r))
                        RemoveRows(r, 1);
            } else {
                RemoveRows(block.Top, block.Bottom - block.Top + 1);
            }
        } else if (!DragDropSettings.OleCopyAlways) {
            for (int r = fixedRows; r < RowCount(); ++r) {
                const bool rowTaken =
                    MouseActions.DisjunctRowSelect ? GetRowSelect(r) : r >= block.Top && r <= block.Bottom;
                if (!rowTaken)
                    continue;
                const int from = MouseActions.DisjunctRowSelect ? fixedCols : block.Left;
                const int to = MouseActions.DisjunctRowSelect ? ColCount() - 1 : block.Right;
                for (int c = from; c <= to; ++c)
                    if (!RawCellRef(RealColIndex(c), r).isEmpty())
                        SetDisplayCellText(c, r, QString());
            }
        }
        EndUpdate();
        CellsChanged(QRect(0, 0, ColCount(), RowCount()));
    }
    if (OnOleDragStop)
        OnOleDragStop(this, effect == Qt::MoveAction ? 2 : 1);
}
