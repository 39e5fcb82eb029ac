#include "grid/display/basegrid.h"

#include "platform/vcl/gridshared.h"

#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

// --- the cell record and the undo recorder ---------------------------------------------------

TCellProperties::TCellProperties(TBaseGrid* grid, int col, int row)
    : Grid(grid), OwnerCol(col), OwnerRow(row), wordWrap_(grid ? grid->DefaultWordWrap() : true)
{
}

TCellProperties::~TCellProperties() = default;

void TCellProperties::Assign(const TCellProperties& source)
{
    IsBaseCell = source.IsBaseCell;
    CellSpanX = source.CellSpanX;
    CellSpanY = source.CellSpanY;
    OwnerRow = source.OwnerRow;
    OwnerCol = source.OwnerCol;
    Alignment = source.Alignment;
    BorderColor = source.BorderColor;
    BorderWidth = source.BorderWidth;
    brushColor_ = source.brushColor_;
    BrushStyle = source.BrushStyle;
    FontColor = source.FontColor;
    FontStyle = source.FontStyle;
    FontName = source.FontName;
    FontSize = source.FontSize;
    ReadOnly = source.ReadOnly;
    Editor = source.Editor;
    vAlignment_ = source.vAlignment_;
    SetWordWrap(source.wordWrap_);
    NodeLevel = source.NodeLevel;
    Control = source.Control;
}

void TCellProperties::repaint()
{
    if (Grid)
        Grid->InvalidateCell(OwnerCol, OwnerRow);
}

void TCellProperties::SetBrushColor(TColor value)
{
    brushColor_ = value;
    repaint();
}

void TCellProperties::SetBrushColorTo(TColor value)
{
    brushColorTo_ = value;
    repaint();
}

void TCellProperties::SetVAlignment(TVAlignment value)
{
    vAlignment_ = value;
    repaint();
}

void TCellProperties::SetWordWrap(bool value)
{
    wordWrap_ = value;
    repaint();
}

TExtGridUndoRedo::TExtGridUndoRedo(QObject* owner) : QObject(owner) {}

TExtGridUndoRedo::~TExtGridUndoRedo() = default;

void TExtGridUndoRedo::AddUndo(int ACol, int ARow, const QString& OrigValue, const QString& Value)
{
    if (maxLevel_ >= 1 && int(items_.size()) >= maxLevel_)
        items_.erase(items_.begin());
    items_.push_back({ARow, ACol, Value, OrigValue});
    level_ = int(items_.size());
}

// --- construction and the cell store ----------------------------------------------------------

TBaseGrid::TBaseGrid(QWidget* parent) : TDrawGrid(parent)
{
    // The grid draws its own lines inside the cells and all of each cell itself.
    TCustomGrid::SetGridLineWidth(0);
    TCustomGrid::SetDefaultDrawing(false);
    SetOptions(Options() | goDrawFocusSelected);
    displayRowLimit_ = RowCount();
}

TBaseGrid::~TBaseGrid()
{
    FreeAllCellObjects();
    if (undoRedo_) {
        disconnect(undoRedoGone_);
        undoRedo_->grid_ = nullptr;
    }
}

const TBaseGrid::Cell* TBaseGrid::findCell(int ACol, int ARow) const
{
    if (ARow < 0 || ACol < 0 || ARow >= int(rows_.size()))
        return nullptr;
    const RowCells* row = rows_[ARow].get();
    if (!row || ACol >= int(row->size()))
        return nullptr;
    return &(*row)[ACol];
}

TBaseGrid::Cell& TBaseGrid::cellFor(int ACol, int ARow)
{
    if (ARow >= int(rows_.size()))
        rows_.resize(ARow + 1);
    std::unique_ptr<RowCells>& row = rows_[ARow];
    if (!row)
        row = std::make_unique<RowCells>();
    if (ACol >= int(row->size()))
        row->resize(std::max(ACol + 1, ColCount()));
    return (*row)[ACol];
}

bool TBaseGrid::HasParentWindow() const
{
    return isVisible();
}

QString TBaseGrid::GetRawCell(int ACol, int ARow) const
{
    const Cell* c = findCell(ACol, ARow);
    return c ? c->text : QString();
}

const QString& TBaseGrid::RawCellRef(int ACol, int ARow) const
{
    static const QString empty;
    const Cell* c = findCell(ACol, ARow);
    return c ? c->text : empty;
}

void TBaseGrid::SetRawCell(int ACol, int ARow, const QString& Value)
{
    if (ACol < 0 || ARow < 0)
        return;
    cellFor(ACol, ARow).text = Value;
}

QString TBaseGrid::GetCellText(int ACol, int ARow) const
{
    const TGridCoord b = BaseCell(ACol, ARow);
    QString value = GetRawCell(b.X, b.Y);
    if (b.Y < displayRowLimit_) {
        DoGetDisplText(b.X, b.Y, value);
        if (OnGetDisplWideText)
            DoGetDisplWideText(b.X, b.Y, value);
    }
    return value;
}

void TBaseGrid::SetCellText(int ACol, int ARow, const QString& Value)
{
    if (ACol < 0 || ARow < 0)
        return;
    if (FindCellProperties(ACol, ARow)) {
        const TGridCoord b = BaseCell(ACol, ARow);
        SetRawCell(b.X, b.Y, Value);
    } else {
        cellFor(ACol, ARow).text = Value;
    }
    if (HasParentWindow())
        InvalidateCell(ACol, ARow);
    if (footerRow_ && ARow == RowCount() - 1)
        FooterRowChanged();
}

TCellProperties* TBaseGrid::FindCellProperties(int ACol, int ARow) const
{
    const Cell* c = findCell(ACol, ARow);
    return c ? c->props.get() : nullptr;
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const
{
    return FindCellProperties(ACol, ARow) != nullptr;
}

TCellProperties* TBaseGrid::CellProperties(int ACol, int ARow)
{
    Cell& c = cellFor(ACol, ARow);
    if (!c.props)
        c.props = std::make_unique<TCellProperties>(this, ACol, ARow);
    return c.props.get();
}

QObject* TBaseGrid::GetCellObject(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->CellObject : nullptr;
}

void TBaseGrid::SetCellObject(int ACol, int ARow, QObject* Obj)
{
    if (!Obj && !HasCellProperties(ACol, ARow))
        return;
    CellProperties(ACol, ARow)->CellObject = Obj;
}

void TBaseGrid::ReplaceCellObject(int ACol, int ARow, std::unique_ptr<TCellProperties> Obj)
{
    if (!Obj && !findCell(ACol, ARow))
        return;
    if (Obj)
        Obj->Grid = this;
    cellFor(ACol, ARow).props = std::move(Obj);
}

std::unique_ptr<TCellProperties> TBaseGrid::TakeCellProperties(int ACol, int ARow)
{
    if (!findCell(ACol, ARow))
        return nullptr;
    return std::move(cellFor(ACol, ARow).props);
}

TCellGraphic* TBaseGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->Graphic.get() : nullptr;
}

void TBaseGrid::SetCellGraphic(int ACol, int ARow, std::unique_ptr<TCellGraphic> Obj)
{
    const bool empty = GetRawCell(ACol, ARow).isEmpty();
    if (empty)
        SetCellText(ACol, ARow, QStringLiteral(" "));
    CellProperties(ACol, ARow)->Graphic = std::move(Obj);
    if (empty)
        SetCellText(ACol, ARow, QString());
}

void TBaseGrid::ClearCellAndObject(int ACol, int ARow)
{
    SetCellText(ACol, ARow, QString());
    FreeCellObject(ACol, ARow);
}

void TBaseGrid::ClearColCells(int ACol)
{
    for (int r = 0; r < RowCount(); ++r) {
        FreeCellObject(ACol, r);
        SetCellText(ACol, r, QString());
    }
}

void TBaseGrid::ClearRowCells(int ARow)
{
    for (int c = 0; c < ColCount(); ++c) {
        FreeCellObject(c, ARow);
        SetCellText(c, ARow, QString());
    }
}

void TBaseGrid::FreeCellObject(int ACol, int ARow)
{
    if (findCell(ACol, ARow))
        cellFor(ACol, ARow).props.reset();
}

void TBaseGrid::FreeCellObjects(int FromCol, int FromRow, int ToRow, int ToCol)
{
    for (int c = FromCol; c <= ToCol; ++c)
        for (int r = FromRow; r <= ToRow; ++r)
            FreeCellObject(c, r);
}

void TBaseGrid::FreeAllCellObjects()
{
    // Every record the grid holds, those of cells beyond the counts too.
    for (std::unique_ptr<RowCells>& row : rows_) {
        if (!row)
            continue;
        for (Cell& c : *row)
            c.props.reset();
    }
}

void TBaseGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    TDrawGrid::SizeChanged(OldColCount, OldRowCount);
    // Rows cut off go with their records; columns stay (hidden columns keep their cells there).
    if (RowCount() < OldRowCount && int(rows_.size()) > RowCount())
        rows_.resize(RowCount());
    displayRowLimit_ = RowCount();
}

QString TGridRowBlock::Text(int ACol) const
{
    return cells_ && ACol >= 0 && ACol < int(cells_->size()) ? (*cells_)[ACol].text : QString();
}

QStringList TGridRowBlock::Texts() const
{
    QStringList texts;
    if (cells_)
        for (const TGridCell& c : *cells_)
            texts << c.text;
    return texts;
}

TCellProperties* TGridRowBlock::Properties(int ACol) const
{
    return cells_ && ACol >= 0 && ACol < int(cells_->size()) ? (*cells_)[ACol].props.get() : nullptr;
}

std::vector<TGridRowBlock> TBaseGrid::TakeRows(const std::vector<int>& Rows)
{
    std::vector<TGridRowBlock> blocks(Rows.size());
    if (Rows.empty())
        return blocks;
    if (int(Rows.size()) >= RowCount() || Rows.front() < 0 || Rows.back() >= RowCount())
        griddetail::gridIndexError();
    for (size_t i = 0; i < Rows.size(); ++i) {
        blocks[i].Height = RowHeights(Rows[i]);
        if (Rows[i] < int(rows_.size()))
            blocks[i].cells_ = std::move(rows_[Rows[i]]);
    }
    // Close the gaps in one pass over the rows below the first taken one.
    size_t w = size_t(Rows.front());
    size_t next = 0;
    for (size_t r = w; r < rows_.size(); ++r) {
        if (next < Rows.size() && size_t(Rows[next]) == r) {
            ++next;
            continue;
        }
        rows_[w++] = std::move(rows_[r]);
    }
    if (w < rows_.size())
        rows_.resize(w);
    DeleteRowSet(Rows);
    return blocks;
}

void TBaseGrid::PutRows(const std::vector<int>& At, std::vector<TGridRowBlock>&& Blocks)
{
    if (At.empty())
        return;
    const int newCount = RowCount() + int(At.size());
    if (At.front() < 0 || At.back() >= newCount || Blocks.size() != At.size())
        griddetail::gridIndexError();
    std::vector<int> heights(At.size());
    for (size_t i = 0; i < At.size(); ++i)
        heights[i] = Blocks[i].Height;
    // Kept rows beyond RowCount stay behind the grown grid's rows.
    const size_t total = std::max(rows_.size(), size_t(RowCount())) + At.size();
    std::vector<std::unique_ptr<RowCells>> merged(total);
    size_t old = 0;
    size_t next = 0;
    for (size_t i = 0; i < total; ++i) {
        if (next < At.size() && size_t(At[next]) == i)
            merged[i] = std::move(Blocks[next++].cells_);
        else if (old < rows_.size())
            merged[i] = std::move(rows_[old++]);
        else
            ++old;
    }
    rows_ = std::move(merged);
    InsertRowSet(At, heights);
}

void TBaseGrid::ExchangeRowCells(int Row1, int Row2)
{
    if (Row1 < 0 || Row2 < 0 || Row1 == Row2)
        return;
    const size_t need = size_t(std::max(Row1, Row2)) + 1;
    if (rows_.size() < need)
        rows_.resize(need);
    // Only the two row entries move: a sort swaps rows a million times, and visiting their cells
    // would cost a cache miss each. The records keep the row they were made in, as rows taken
    // out and put back do; it only names the cell a record's own setters repaint, and the caller
    // repaints both rows.
    std::swap(rows_[size_t(Row1)], rows_[size_t(Row2)]);
}

void TBaseGrid::ExchangeCells(int ACol, int Row1, int Row2)
{
    if (ACol < 0 || Row1 < 0 || Row2 < 0 || Row1 == Row2)
        return;
    if (!findCell(ACol, Row1) && !findCell(ACol, Row2))
        return;
    Cell& a = cellFor(ACol, Row1);
    Cell& b = cellFor(ACol, Row2);
    std::swap(a.text, b.text);
    std::swap(a.props, b.props);
    if (a.props)
        a.props->OwnerRow = Row1;
    if (b.props)
        b.props->OwnerRow = Row2;
}

void TGridRowBlock::ClearCell(int ACol)
{
    if (!cells_ || ACol < 0 || ACol >= int(cells_->size()))
        return;
    (*cells_)[size_t(ACol)].text.clear();
    (*cells_)[size_t(ACol)].props.reset();
}

void TGridRowBlock::MoveColumn(int From, int To)
{
    if (!cells_ || From == To || From < 0 || To < 0)
        return;
    std::vector<TGridCell>& cells = *cells_;
    const size_t needed = size_t(std::max(From, To)) + 1;
    if (cells.size() < needed)
        cells.resize(needed);
    TGridCell moving = std::move(cells[size_t(From)]);
    if (From < To)
        std::move(cells.begin() + From + 1, cells.begin() + To + 1, cells.begin() + From);
    else
        std::move_backward(cells.begin() + To, cells.begin() + From, cells.begin() + From + 1);
    cells[size_t(To)] = std::move(moving);
}

void TBaseGrid::RowMoved(int FromIndex, int ToIndex)
{
    const int needed = std::max(FromIndex, ToIndex) + 1;
    if (int(rows_.size()) < needed)
        rows_.resize(needed);
    std::unique_ptr<RowCells> moving = std::move(rows_[FromIndex]);
    if (FromIndex < ToIndex)
        std::move(rows_.begin() + FromIndex + 1, rows_.begin() + ToIndex + 1, rows_.begin() + FromIndex);
    else
        std::move_backward(rows_.begin() + ToIndex, rows_.begin() + FromIndex, rows_.begin() + FromIndex + 1);
    rows_[ToIndex] = std::move(moving);
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TBaseGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    const int needed = std::max(FromIndex, ToIndex) + 1;
    for (std::unique_ptr<RowCells>& row : rows_) {
        if (!row)
            continue;
        if (int(row->size()) < needed)
            row->resize(needed);
        Cell moving = std::move((*row)[FromIndex]);
        if (FromIndex < ToIndex)
            std::move(row->begin() + FromIndex + 1, row->begin() + ToIndex + 1, row->begin() + FromIndex);
        else
            std::move_backward(row->begin() + ToIndex, row->begin() + FromIndex, row->begin() + FromIndex + 1);
        (*row)[ToIndex] = std::move(moving);
    }
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

QString TBaseGrid::GetEditText(int ACol, int ARow)
{
    const TGridCoord b = BaseCell(ACol, ARow);
    QString value = GetRawCell(b.X, b.Y);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TBaseGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    const TGridCoord b = BaseCell(ACol, ARow);
    if (GetRawCell(b.X, b.Y) != Value)
        SetCellText(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

// --- settings -----------------------------------------------------------------------------------

void TBaseGrid::SetActiveRowColor(TColor value)
{
    activeRowColor_ = value;
    InvalidateGrid();
}

void TBaseGrid::SetDefaultDrawing(bool value)
{
    defaultDrawing_ = value;
    TCustomGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int value)
{
    gridLineWidth_ = value;
    TCustomGrid::SetGridLineWidth(0);
    InvalidateGrid();
}

void TBaseGrid::SetGridLineColor(TColor value)
{
    gridLineColor_ = value;
    InvalidateGrid();
}

void TBaseGrid::SetUndoRedo(TExtGridUndoRedo* value)
{
    if (undoRedo_) {
        disconnect(undoRedoGone_);
        undoRedo_->grid_ = nullptr;
    }
    undoRedo_ = value;
    if (value) {
        value->grid_ = this;
        undoRedoGone_ = connect(value, &QObject::destroyed, this, [this] { undoRedo_ = nullptr; });
    }
}

// --- merged cells -------------------------------------------------------------------------------

TGridCoord TBaseGrid::BaseCell(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || p->IsBaseCell || p->CellSpanX == -1 || p->CellSpanY == -1)
        return {ACol, ARow};
    return {ACol - p->CellSpanX, ARow - p->CellSpanY};
}

bool TBaseGrid::BaseCellOf(int ACol, int ARow, int& BaseRow, int& BaseCol) const
{
    const TGridCoord b = BaseCell(ACol, ARow);
    BaseCol = b.X;
    BaseRow = b.Y;
    return CellIsBase(ACol, ARow);
}

bool TBaseGrid::CellIsBase(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return !p || p->IsBaseCell;
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && (p->CellSpanX > 0 || p->CellSpanY > 0);
}

bool TBaseGrid::IsColSpanCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow))
        return false;
    const TGridCoord b = BaseCell(ACol, ARow);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    return base && base->CellSpanX > 0;
}

bool TBaseGrid::IsRowSpanCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow))
        return false;
    const TGridCoord b = BaseCell(ACol, ARow);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    return base && base->CellSpanY > 0;
}

TGridCoord TBaseGrid::CellSpan(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || p->CellSpanX == -1 || p->CellSpanY == -1)
        return {0, 0};
    const TGridCoord b = BaseCell(ACol, ARow);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    if (!base)
        return {0, 0};
    return {base->CellSpanX, base->CellSpanY};
}

void TBaseGrid::MergeCells(int ACol, int ARow, int NumCols, int NumRows)
{
    if (NumCols < 1 || NumRows < 1)
        return;
    // The area within the grid.
    const int c0 = std::max(ACol, 0);
    const int r0 = std::max(ARow, 0);
    const int c1 = std::min(ACol + NumCols - 1, ColCount() - 1);
    const int r1 = std::min(ARow + NumRows - 1, RowCount() - 1);
    if (c0 > c1 || r0 > r1)
        return;
    // An older merge the area touches is split first, so that no cell keeps a base that no
    // longer covers it.
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            const TCellProperties* p = FindCellProperties(c, r);
            if (p && p->CellSpanX != -1 && p->CellSpanY != -1)
                SplitCells(c, r);
        }
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            TCellProperties* p = CellProperties(c, r);
            if (c == c0 && r == r0) {
                p->IsBaseCell = true;
                p->CellSpanX = c1 - c0;
                p->CellSpanY = r1 - r0;
            } else {
                p->IsBaseCell = false;
                p->CellSpanX = c - c0;
                p->CellSpanY = r - r0;
            }
        }
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            InvalidateCell(c, r);
}

void TBaseGrid::SplitCells(int ACol, int ARow)
{
    const TGridCoord b = BaseCell(ACol, ARow);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    if (!base)
        return;
    const int spanX = std::max(base->CellSpanX, 0);
    const int spanY = std::max(base->CellSpanY, 0);
    for (int c = b.X; c <= b.X + spanX; ++c)
        for (int r = b.Y; r <= b.Y + spanY; ++r) {
            if (TCellProperties* p = FindCellProperties(c, r)) {
                p->IsBaseCell = true;
                p->CellSpanX = -1;
                p->CellSpanY = -1;
                InvalidateCell(c, r);
            }
        }
}

bool TBaseGrid::RowsShareSpans(int Row1, int Row2) const
{
    bool shared = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, Row1).Y > 0 && CellSpan(c, Row2).Y > 0) {
            if (BaseCell(c, Row1).Y != BaseCell(c, Row2).Y)
                return false;
            shared = true;
        }
    }
    return shared;
}

int TBaseGrid::columnLeft(int ACol) const
{
    const int64_t x = ColumnOffset(ACol);
    if (ACol < FixedCols())
        return int(x);
    return int(x - ColumnOffset(LeftCol()) + ColumnOffset(FixedCols()));
}

int TBaseGrid::rowTop(int ARow) const
{
    const int64_t y = RowOffset(ARow);
    if (ARow < FixedRows())
        return int(y);
    return int(y - RowOffset(TopRow()) + RowOffset(FixedRows()));
}

QRect TBaseGrid::VirtualCellRect(int ACol, int ARow) const
{
    return QRect(columnLeft(ACol), rowTop(ARow), ColWidths(ACol), RowHeights(ARow));
}

QRect TBaseGrid::MergedCellRect(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || (p->CellSpanX == -1 && p->CellSpanY == -1)) {
        if (p && p->Control)
            return VirtualCellRect(ACol, ARow);
        return CellRect(ACol, ARow);
    }
    const TGridCoord b = BaseCell(ACol, ARow);
    const TCellProperties* base = FindCellProperties(b.X, b.Y);
    if (!base)
        return VirtualCellRect(ACol, ARow);
    const int endCol = std::min(b.X + std::max(base->CellSpanX, 0), ColCount() - 1);
    const int endRow = std::min(b.Y + std::max(base->CellSpanY, 0), RowCount() - 1);
    return VirtualCellRect(b.X, b.Y).united(VirtualCellRect(endCol, endRow));
}

QSize TBaseGrid::CellSize(int ACol, int ARow) const
{
    if (IsMergedCell(ACol, ARow))
        return MergedCellRect(ACol, ARow).size();
    return VirtualCellRect(ACol, ARow).size();
}

void TBaseGrid::InvalidateCell(int ACol, int ARow)
{
    const QRect r = MergedCellRect(ACol, ARow);
    if (!r.isEmpty())
        viewport()->update(r);
}

int TBaseGrid::FixedColsWidth() const
{
    return int(ColumnOffset(FixedCols()));
}

int TBaseGrid::FixedRowsHeight() const
{
    return int(RowOffset(FixedRows()));
}

// --- virtual hooks ------------------------------------------------------------------------------

bool TBaseGrid::CellDrawnFixed(int, int)
{
    return false;
}

int TBaseGrid::RowIndent(int)
{
    return 0;
}

bool TBaseGrid::HasNodes()
{
    return false;
}

void TBaseGrid::DrawCellContent(TGridCanvas& Canvas, int ACol, int ARow, const QRect& Rect, TGridDrawState)
{
    Canvas.TextRect(Rect, GetCellText(ACol, ARow), tfCenter | tfVCenter | tfSingleLine);
}

void TBaseGrid::FooterRowChanged() {}

void TBaseGrid::DoGetDisplText(int ACol, int ARow, QString& Value) const
{
    if (OnGetDisplText)
        OnGetDisplText(const_cast<TBaseGrid*>(this), ACol, ARow, Value);
}

void TBaseGrid::DoGetDisplWideText(int ACol, int ARow, QString& Value) const
{
    if (OnGetDisplWideText)
        OnGetDisplWideText(const_cast<TBaseGrid*>(this), ACol, ARow, Value);
}

void TBaseGrid::GetCellDrawSettings(TGridCanvas&, int, int, TAlignment&, TVAlignment&, bool&, TColor&, bool, bool,
                                    bool, TGridDrawState&)
{
}

int TBaseGrid::DisplColIndex(int ACol) const
{
    return ACol;
}

// --- painting -----------------------------------------------------------------------------------

void TBaseGrid::Paint()
{
    QPainterCanvas canvas(*Canvas());
    PaintCells(canvas, PaintRect());
}

void TBaseGrid::DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState)
{
    if (!Canvas())
        return;
    QPainterCanvas canvas(*Canvas());
    DrawCell(canvas, ACol, ARow, ARect, AState);
}

void TBaseGrid::PaintCells(TGridCanvas& Canvas, const QRect& Clip)
{
    const int vw = viewport()->width();
    const int vh = viewport()->height();
    const TGridRect sel = Selection();
    const bool focused = GridFocused();
    const bool editorShown = EditorMode() && InplaceEditor() && InplaceEditor()->isVisible();
    const TColor color = FromQColor(Color());
    const TColor fixedColor = FromQColor(FixedColor());
    const TColor textColor = FromQColor(palette().color(QPalette::Text));
    const TColor fixedTextColor = FromQColor(palette().color(QPalette::ButtonText));
    const TColor highlight = FromQColor(palette().color(QPalette::Highlight));
    const TColor highlightText = FromQColor(palette().color(QPalette::HighlightedText));
    const bool focusSelected = Options() & (goDrawFocusSelected | goRowSelect);

    auto quadrant = [&](int col0, int row0, int colEnd, int rowEnd, int x0, int y0, bool fixed) {
        int y = y0;
        for (int r = row0; r < rowEnd && y < vh && y <= Clip.bottom(); ++r) {
            const int h = RowHeights(r);
            if (y + h <= Clip.top()) {
                y += h;
                continue;
            }
            int x = x0;
            for (int c = col0; c < colEnd && x < vw && x <= Clip.right(); ++c) {
                const int w = ColWidths(c);
                if (w > 0 && h > 0 && x + w > Clip.left() && !(editorShown && c == Col() && r == Row())) {
                    TGridDrawState state = fixed ? TGridDrawState(gdFixed) : TGridDrawState();
                    if (focused && c == Col() && r == Row())
                        state |= gdFocused;
                    if (sel.Contains(c, r))
                        state |= gdSelected;
                    Canvas.Brush = TGridBrush{color, bsSolid};
                    Canvas.FontColor = textColor;
                    if (fixed) {
                        Canvas.Brush.Color = fixedColor;
                        Canvas.FontColor = fixedTextColor;
                    } else if ((state & gdSelected) && (!(state & gdFocused) || focusSelected)) {
                        Canvas.Brush.Color = highlight;
                        Canvas.FontColor = highlightText;
                    }
                    Canvas.Font = font();
                    DrawCell(Canvas, c, r, QRect(x, y, w, h), state);
                }
                x += w;
            }
            y += h;
        }
    };
    const int fw = FixedColsWidth();
    const int fh = FixedRowsHeight();
    quadrant(0, 0, FixedCols(), FixedRows(), 0, 0, true);
    quadrant(LeftCol(), 0, ColCount(), FixedRows(), fw, 0, true);
    quadrant(0, TopRow(), FixedCols(), RowCount(), 0, fh, true);
    quadrant(LeftCol(), TopRow(), ColCount(), RowCount(), fw, fh, false);

    // The area beyond the last column and row.
    const int64_t right = fw + ColumnOffset(ColCount()) - ColumnOffset(LeftCol());
    const int64_t bottom = fh + RowOffset(RowCount()) - RowOffset(TopRow());
    const QRect rightPart = right < vw ? QRect(int(right), 0, vw - int(right), vh) : QRect();
    const QRect belowPart =
        bottom < vh ? QRect(0, int(bottom), int(std::min<int64_t>(right, vw)), vh - int(bottom)) : QRect();
    const QRect bounds = rightPart.united(belowPart);
    for (const QRect& part : {rightPart, belowPart}) {
        const QRect visible = part.intersected(Clip);
        if (visible.isEmpty())
            continue;
        try {
            PaintEmptyArea(Canvas, visible, bounds);
        } catch (...) {
            // Nothing leaves a paint pass.
        }
    }
    ++paintPass_;
}

void TBaseGrid::PaintEmptyArea(TGridCanvas& Canvas, const QRect& Part, const QRect&)
{
    Canvas.Brush = TGridBrush{FromQColor(Color()), bsSolid};
    Canvas.FillRect(Part);
}

void TBaseGrid::DrawCell(TGridCanvas& Canvas, int ACol, int ARow, QRect Rect, TGridDrawState State)
{
    const TColor gridColor = FromQColor(Color());
    if (footerRow_ && ARow == RowCount() - 1) {
        Canvas.Brush = TGridBrush{gridColor, bsSolid};
        Canvas.Pen.Color = gridColor;
        Canvas.FillRect(Rect);
        return;
    }
    if (TCellProperties* p = FindCellProperties(ACol, ARow)) {
        // A merged area is drawn once per pass, from whichever of its cells comes first.
        const TGridCoord b = BaseCell(ACol, ARow);
        TCellProperties* base = FindCellProperties(b.X, b.Y);
        if (!p->IsBaseCell) {
            if (base && base->PaintStamp != paintPass_ + 1) {
                base->PaintStamp = paintPass_ + 1;
                DrawCell(Canvas, b.X, b.Y, Rect, State);
            }
            return;
        }
        // The stamp holds the number of the pass being drawn (the counter counts finished ones).
        if (IsMergedCell(ACol, ARow))
            p->PaintStamp = paintPass_ + 1;
    }
    if (CellDrawnFixed(ACol, ARow)) {
        State &= ~TGridDrawState(gdSelected);
        State |= gdFixed;
    }
    Rect = MergedCellRect(ACol, ARow).isEmpty() ? Rect : MergedCellRect(ACol, ARow);

    // A merged area scrolled under the fixed cells does not paint over them.
    const int fw = FixedColsWidth();
    const int fh = FixedRowsHeight();
    const bool clip = (ACol >= FixedCols() && FixedCols() >= 1 && fw > Rect.left()) ||
                      (ARow >= FixedRows() && FixedRows() >= 1 && Rect.top() < fh);
    if (clip)
        Canvas.PushClip(QRect(fw, fh, width() - fw, height() - fh));
    // A handler or a hook that fails spoils only the rest of its own cell: nothing leaves a paint
    // pass.
    try {
        drawCellFrame(Canvas, ACol, ARow, Rect, State);
    } catch (...) {
    }
    if (clip)
        Canvas.PopClip();
}

void TBaseGrid::drawCellFrame(TGridCanvas& Canvas, int ACol, int ARow, QRect Rect, TGridDrawState State)
{
    Canvas.Pen.Width = 1;
    Canvas.Font = font();
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = false;
    TColor colorTo = clNone;
    GetCellDrawSettings(Canvas, ACol, ARow, hAlign, vAlign, wordWrap, colorTo, true, true, false, State);
    const bool fixed = State & gdFixed;
    Canvas.Pen.Color = Canvas.Brush.Color;
    if (activeRowShow_ && ARow == Row() && ACol != Col())
        Canvas.Brush.Color = activeRowColor_;

    if (colorTo == clNone)
        Canvas.FillRect(Rect);
    else
        Canvas.FillGradient(Rect, Canvas.Brush.Color, colorTo, 64, false);

    const int right = Rect.left() + Rect.width();
    const int bottom = Rect.top() + Rect.height();
    int inset = 0;
    bool lines = true;
    if (fixed) {
        Canvas.Pen = TGridPen{0x808080, 1, Qt::SolidLine};
        inset = 1;
    } else if (gridLineWidth_ > 0) {
        Canvas.Pen = TGridPen{gridLineColor_, gridLineWidth_, Qt::SolidLine};
        inset = (gridLineWidth_ + 1) / 2;
    } else {
        lines = false;
    }
    const TGridOptions opts = Options();
    if (lines && (((opts & goHorzLine) && !fixed) || ((opts & goFixedHorzLine) && fixed)) &&
        !(ACol == 0 && HasNodes()))
        Canvas.Line(QPoint(Rect.left() - inset + 1, bottom - inset), QPoint(right - inset + 1, bottom - inset));
    if (lines && (((opts & goVertLine) && !fixed) || ((opts & goFixedVertLine) && fixed))) {
        const int x = right - inset + (layoutDirection() == Qt::RightToLeft ? 1 : 0);
        Canvas.Line(QPoint(x, bottom - inset), QPoint(x, Rect.top() - inset));
    }
    const int shrink = fixed ? 1 : gridLineWidth_;
    DrawCellContent(Canvas, ACol, ARow, Rect.adjusted(shrink, shrink, -shrink, -shrink), State);
}

// --- selection, keys, wheel and scrolling ----------------------------------------------------------

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    InvalidateCell(Col(), Row());
    const bool result = TDrawGrid::SelectCell(ACol, ARow);
    InvalidateCell(ACol, ARow);
    return result;
}

void TBaseGrid::SnapToBaseCell()
{
    if (!HasCellProperties(Col(), Row()))
        return;
    const TGridCoord b = BaseCell(Col(), Row());
    if (b.X != Col())
        SetCol(b.X);
    if (b.Y != Row())
        SetRow(b.Y);
}

void TBaseGrid::KeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    const int col = Col();
    const int row = Row();
    const TCellProperties* p = FindCellProperties(col, row);
    const TGridCoord b = BaseCell(col, row);
    const TCellProperties* base = p ? FindCellProperties(b.X, b.Y) : nullptr;
    switch (Key) {
    case Qt::Key_PageDown:
        if (footerRow_ && RowCount() >= 2 && VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1)
            SetRow(RowCount() - 2);
        break;
    case Qt::Key_Right:
        if (base && b.X + base->CellSpanX >= col && col < ColCount() - 1 && b.X < ColCount() - 1)
            SetCol(std::min(b.X + base->CellSpanX, ColCount() - 1));
        break;
    case Qt::Key_Down:
        if (base && b.Y + base->CellSpanY >= row && row < RowCount() - 1 && b.Y < RowCount() - 1)
            SetRow(std::min(b.Y + base->CellSpanY, RowCount() - 1));
        break;
    case Qt::Key_Left:
        if (p && b.X < col && col > FixedCols() && b.X >= 1)
            SetCol(b.X);
        break;
    case Qt::Key_Up:
        if (p && b.Y < row && row > FixedRows() && b.Y >= 1)
            SetRow(b.Y);
        break;
    default:
        break;
    }
    TDrawGrid::KeyDown(Key, Shift);
    SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown()
{
    // From a merged area the step starts at its last row; from its base the next row would
    // snap back to the base, and the wheel could never pass the area.
    int row = Row();
    if (HasCellProperties(Col(), row)) {
        const TGridCoord b = BaseCell(Col(), row);
        if (const TCellProperties* base = FindCellProperties(b.X, b.Y); base && base->CellSpanY > 0)
            row = b.Y + base->CellSpanY;
    }
    if (row < RowCount() - 1)
        SetRow(row + 1);
    if (footerRow_ && Row() < RowCount() - 1 && VisibleRowCount() < Row() - TopRow())
        SetTopRow(TopRow() + 1);
    SnapToBaseCell();
    return true;
}

bool TBaseGrid::DoMouseWheelUp()
{
    if (Row() > FixedRows())
        SetRow(Row() - 1);
    SnapToBaseCell();
    return true;
}

void TBaseGrid::wheelEvent(QWheelEvent* e)
{
    // Each notch (120 units) moves the current row by one.
    wheelRemainder_ += e->angleDelta().y();
    while (wheelRemainder_ <= -120) {
        wheelRemainder_ += 120;
        DoMouseWheelDown();
    }
    while (wheelRemainder_ >= 120) {
        wheelRemainder_ -= 120;
        DoMouseWheelUp();
    }
    e->accept();
}

void TBaseGrid::TopLeftChanged()
{
    TDrawGrid::TopLeftChanged();
    // Merged areas in the fixed cells take part of their picture from the scrolled cells.
    for (int r = TopRow(); r <= std::min(TopRow() + VisibleRowCount(), RowCount() - 1); ++r)
        for (int c = 0; c < FixedCols(); ++c)
            if (IsMergedCell(c, r))
                InvalidateCell(c, r);
    for (int c = LeftCol(); c <= std::min(LeftCol() + VisibleColCount(), ColCount() - 1); ++c)
        for (int r = 0; r < FixedRows(); ++r)
            if (IsMergedCell(c, r))
                InvalidateCell(c, r);
}
