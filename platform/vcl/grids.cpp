// The grid's core: the column and row axes, TCustomGrid's sizes, scrolling, selection, the
// moving, inserting and deleting of columns and rows, and the default hooks. Keyboard and mouse
// are in gridinput.cpp, the inplace editor in gridinplaceedit.cpp, painting in
// gridpainting.cpp, TDrawGrid and TStringGrid in drawgrids.cpp.
#include "platform/vcl/grids.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScrollBar>

#include <algorithm>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/gridshared.h"

using griddetail::gridIndexError;

void griddetail::gridIndexError()
{
    throw Exception(QCoreApplication::translate("TCustomGrid", "Gitterindex außerhalb des gültigen Bereichs"));
}

namespace {

// Shifts an index the way a move of `from` to `to` shifts the item it names.
int movedIndex(int index, int from, int to)
{
    if (index == from)
        return to;
    if (from < to && index > from && index <= to)
        return index - 1;
    if (from > to && index >= to && index < from)
        return index + 1;
    return index;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// GridAxis

void GridAxis::SetCount(int count)
{
    count_ = count;
    if (!sizes_.empty())
        sizes_.resize(size_t(count), defaultSize_);
    invalidate();
}

void GridAxis::SetFixed(int fixed)
{
    fixed_ = fixed;
    invalidate();
}

void GridAxis::SetDefaultSize(int size)
{
    defaultSize_ = size;
    sizes_.clear();
    invalidate();
}

void GridAxis::SetSize(int index, int size)
{
    if (size == Size(index))
        return;
    if (sizes_.empty())
        sizes_.assign(size_t(count_), defaultSize_);
    sizes_[size_t(index)] = size;
    invalidate();
}

void GridAxis::SetLineWidths(int fixedLine, int line)
{
    fixedLine_ = fixedLine;
    line_ = line;
    invalidate();
}

void GridAxis::buildPrefix() const
{
    prefix_.resize(size_t(count_) + 1);
    prefix_[0] = 0;
    for (int i = 0; i < count_; ++i)
        prefix_[size_t(i) + 1] = prefix_[size_t(i)] + Extent(i);
    prefixDirty_ = false;
}

int64_t GridAxis::Offset(int index) const
{
    index = std::clamp(index, 0, count_);
    if (sizes_.empty()) {
        const int f = std::min(index, fixed_);
        return int64_t(f) * (defaultSize_ + fixedLine_) + int64_t(index - f) * (defaultSize_ + line_);
    }
    if (prefixDirty_)
        buildPrefix();
    return prefix_[size_t(index)];
}

int GridAxis::IndexAt(int64_t offset) const
{
    if (offset < 0)
        return -1;
    if (sizes_.empty()) {
        const int64_t fixedExtent = defaultSize_ + fixedLine_;
        const int64_t extent = defaultSize_ + line_;
        const int64_t fixedTotal = int64_t(fixed_) * fixedExtent;
        if (offset < fixedTotal)
            return fixedExtent > 0 ? int(offset / fixedExtent) : fixed_;
        if (extent <= 0)
            return count_;
        return int(std::min<int64_t>(count_, fixed_ + (offset - fixedTotal) / extent));
    }
    if (prefixDirty_)
        buildPrefix();
    const auto it = std::upper_bound(prefix_.begin(), prefix_.end(), offset);
    return std::min(count_, int(it - prefix_.begin()) - 1);
}

void GridAxis::Move(int from, int to)
{
    if (sizes_.empty() || from == to)
        return;
    const int size = sizes_[size_t(from)];
    sizes_.erase(sizes_.begin() + from);
    sizes_.insert(sizes_.begin() + to, size);
    invalidate();
}

void GridAxis::RemoveSet(const std::vector<int>& indices)
{
    if (indices.empty())
        return;
    if (!sizes_.empty()) {
        size_t w = size_t(indices.front());
        size_t next = 0;
        for (size_t r = w; r < sizes_.size(); ++r) {
            if (next < indices.size() && size_t(indices[next]) == r) {
                ++next;
                continue;
            }
            sizes_[w++] = sizes_[r];
        }
        sizes_.resize(w);
    }
    count_ -= int(indices.size());
    invalidate();
}

void GridAxis::InsertSet(const std::vector<int>& at, const std::vector<int>& sizes)
{
    if (at.empty())
        return;
    const int newCount = count_ + int(at.size());
    const bool allDefault = std::all_of(sizes.begin(), sizes.end(), [this](int s) { return s == defaultSize_; });
    if (sizes_.empty() && allDefault) {
        count_ = newCount;
        invalidate();
        return;
    }
    if (sizes_.empty())
        sizes_.assign(size_t(count_), defaultSize_);
    std::vector<int> merged(static_cast<size_t>(newCount));
    size_t old = 0;
    size_t next = 0;
    for (int i = 0; i < newCount; ++i) {
        if (next < at.size() && at[next] == i)
            merged[size_t(i)] = sizes[next++];
        else
            merged[size_t(i)] = sizes_[old++];
    }
    sizes_ = std::move(merged);
    count_ = newCount;
    invalidate();
}

// ---------------------------------------------------------------------------------------------
// TCustomGrid

TCustomGrid::TCustomGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    color_ = palette().color(QPalette::Base);
    fixedColor_ = palette().color(QPalette::Button);
    cols_.SetDefaultSize(64);
    rows_.SetDefaultSize(24);
    cols_.SetCount(5);
    rows_.SetCount(5);
    cols_.SetFixed(1);
    rows_.SetFixed(1);
    tabStops_.assign(5, 1);
    userSized_.assign(5, 0);
    updateLineWidths();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    verticalScrollBar()->setTracking(false);
    horizontalScrollBar()->setTracking(false);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (!updatingScrollBars_)
            VertScrollBarMoved(v);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (!updatingScrollBars_)
            SetLeftCol(v);
    });
    UpdateScrollRange();
}

TCustomGrid::~TCustomGrid()
{
    // The editor must not write into a grid that is going away.
    editorBusy_ = true;
    delete editor_;
    editor_ = nullptr;
}

void TCustomGrid::updateLineWidths()
{
    const int w = gridLineWidth_;
    cols_.SetLineWidths(options_ & goFixedVertLine ? w : 0, options_ & goVertLine ? w : 0);
    rows_.SetLineWidths(options_ & goFixedHorzLine ? w : 0, options_ & goHorzLine ? w : 0);
}

void TCustomGrid::SetColCount(int value)
{
    value = std::max(value, 1);
    if (value == ColCount())
        return;
    const int old = ColCount();
    if (value <= FixedCols())
        cols_.SetFixed(value - 1);
    cols_.SetCount(value);
    tabStops_.resize(size_t(value), 1);
    userSized_.resize(size_t(value), 0);
    columnFitDue_ = true;
    sizeChangedInternal(old, RowCount());
}

void TCustomGrid::SetRowCount(int value)
{
    value = std::max(value, 1);
    if (value == RowCount())
        return;
    const int old = RowCount();
    if (value <= FixedRows())
        rows_.SetFixed(value - 1);
    rows_.SetCount(value);
    sizeChangedInternal(ColCount(), old);
}

void TCustomGrid::sizeChangedInternal(int oldCols, int oldRows)
{
    if (editorMode_ && (Col() >= ColCount() || Row() >= RowCount()))
        CancelEditor();
    auto clampCoord = [this](TGridCoord& c) {
        c.X = std::clamp(c.X, FixedCols(), ColCount() - 1);
        c.Y = std::clamp(c.Y, FixedRows(), RowCount() - 1);
    };
    clampCoord(current_);
    clampCoord(anchor_);
    leftCol_ = std::clamp(leftCol_, FixedCols(), std::max(FixedCols(), maxLeftCol()));
    topRow_ = std::clamp(topRow_, FixedRows(), std::max(FixedRows(), maxTopRow()));
    SizeChanged(oldCols, oldRows);
    UpdateScrollRange();
    placeEditor();
    viewport()->update();
}

void TCustomGrid::SetFixedCols(int value)
{
    if (value < 0 || value >= ColCount())
        throw Exception(QCoreApplication::translate(
            "TCustomGrid", "Die Anzahl der fixierten Spalten muss kleiner sein als die Spaltenanzahl"));
    cols_.SetFixed(value);
    updateLineWidths();
    sizeChangedInternal(ColCount(), RowCount());
}

void TCustomGrid::SetFixedRows(int value)
{
    if (value < 0 || value >= RowCount())
        throw Exception(QCoreApplication::translate(
            "TCustomGrid", "Die Anzahl der fixierten Zeilen muss kleiner sein als die Zeilenanzahl"));
    rows_.SetFixed(value);
    updateLineWidths();
    sizeChangedInternal(ColCount(), RowCount());
}

void TCustomGrid::SetDefaultColWidth(int value)
{
    cols_.SetDefaultSize(std::max(value, 0));
    std::fill(userSized_.begin(), userSized_.end(), 0);
    columnFitDue_ = true;
    ColWidthsChanged();
    UpdateScrollRange();
    placeEditor();
    viewport()->update();
}

void TCustomGrid::SetDefaultRowHeight(int value)
{
    rows_.SetDefaultSize(std::max(value, 0));
    RowHeightsChanged();
    UpdateScrollRange();
    placeEditor();
    viewport()->update();
}

int TCustomGrid::ColWidths(int ACol) const
{
    if (ACol < 0 || ACol >= ColCount())
        gridIndexError();
    // The widths are a view of the texts: fitting them first is no change of the grid.
    const_cast<TCustomGrid*>(this)->FitColumns();
    return cols_.Size(ACol);
}

void TCustomGrid::SetColWidths(int ACol, int value)
{
    if (ACol < 0 || ACol >= ColCount())
        gridIndexError();
    value = std::max(value, 0);
    userSized_[size_t(ACol)] = 0;
    columnFitDue_ = true;
    if (value == cols_.Size(ACol))
        return;
    cols_.SetSize(ACol, value);
    ColWidthsChanged();
    UpdateScrollRange();
    placeEditor();
    viewport()->update();
}

int TCustomGrid::RowHeights(int ARow) const
{
    if (ARow < 0 || ARow >= RowCount())
        gridIndexError();
    return rows_.Size(ARow);
}

void TCustomGrid::SetRowHeights(int ARow, int value)
{
    if (ARow < 0 || ARow >= RowCount())
        gridIndexError();
    value = std::max(value, 0);
    if (value == rows_.Size(ARow))
        return;
    rows_.SetSize(ARow, value);
    RowHeightsChanged();
    UpdateScrollRange();
    placeEditor();
    viewport()->update();
}

void TCustomGrid::SetGridLineWidth(int value)
{
    value = std::max(value, 0);
    if (value == gridLineWidth_)
        return;
    gridLineWidth_ = value;
    updateLineWidths();
    UpdateScrollRange();
    placeEditor();
    viewport()->update();
}

int TCustomGrid::cellLeft(int ACol) const
{
    if (ACol < FixedCols())
        return int(cols_.Offset(ACol));
    return fixedWidth() + int(cols_.Offset(ACol) - cols_.Offset(leftCol_));
}

int TCustomGrid::cellTop(int ARow) const
{
    if (ARow < FixedRows())
        return int(rows_.Offset(ARow));
    return fixedHeight() + int(rows_.Offset(ARow) - rows_.Offset(topRow_));
}

namespace {

// The smallest first scrollable index that still shows the last one, given the room left
// beside the fixed cells.
int maxFirst(const GridAxis& axis, int avail)
{
    const int count = axis.Count();
    if (count <= axis.Fixed())
        return axis.Fixed();
    if (avail <= 0)
        return count - 1;
    const int64_t need = axis.Offset(count) - avail;
    int t = axis.IndexAt(std::max<int64_t>(need, axis.Offset(axis.Fixed())));
    if (t < count && axis.Offset(t) < need)
        ++t;
    return std::clamp(t, axis.Fixed(), count - 1);
}

int fullyVisible(const GridAxis& axis, int first, int avail)
{
    int n = 0;
    int64_t pos = 0;
    for (int i = first; i < axis.Count(); ++i) {
        if (pos + axis.Size(i) > avail)
            break;
        ++n;
        pos += axis.Extent(i);
    }
    return n;
}

}  // namespace

int TCustomGrid::maxLeftCol() const
{
    return maxFirst(cols_, viewport()->width() - fixedWidth());
}

int TCustomGrid::maxTopRow() const
{
    return maxFirst(rows_, viewport()->height() - fixedHeight());
}

int TCustomGrid::VisibleColCount() const
{
    return fullyVisible(cols_, leftCol_, viewport()->width() - fixedWidth());
}

int TCustomGrid::VisibleRowCount() const
{
    return fullyVisible(rows_, topRow_, viewport()->height() - fixedHeight());
}

void TCustomGrid::SetLeftCol(int value)
{
    value = std::clamp(value, FixedCols(), std::max(FixedCols(), maxLeftCol()));
    if (value == leftCol_)
        return;
    const int old = leftCol_;
    leftCol_ = value;
    const int fw = fixedWidth();
    const QRect body(fw, 0, viewport()->width() - fw, viewport()->height());
    const int64_t dx = cols_.Offset(old) - cols_.Offset(value);
    // Only the newly exposed columns are drawn; the rest is moved on screen.
    if (std::abs(dx) < body.width() && !canvas_)
        viewport()->scroll(int(dx), 0, body);
    else
        viewport()->update(body);
    UpdateScrollRange();
    placeEditor();
    TopLeftChanged();
}

void TCustomGrid::SetTopRow(int value)
{
    value = std::clamp(value, FixedRows(), std::max(FixedRows(), maxTopRow()));
    if (value == topRow_)
        return;
    const int old = topRow_;
    topRow_ = value;
    const int fh = fixedHeight();
    const QRect body(0, fh, viewport()->width(), viewport()->height() - fh);
    const int64_t dy = rows_.Offset(old) - rows_.Offset(value);
    if (std::abs(dy) < body.height() && !canvas_)
        viewport()->scroll(0, int(dy), body);
    else
        viewport()->update(body);
    UpdateScrollRange();
    placeEditor();
    TopLeftChanged();
}

QRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    const_cast<TCustomGrid*>(this)->FitColumns();
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return {};
    if ((ACol >= FixedCols() && ACol < leftCol_) || (ARow >= FixedRows() && ARow < topRow_))
        return {};
    const int x = cellLeft(ACol);
    const int y = cellTop(ARow);
    if (x >= viewport()->width() || y >= viewport()->height())
        return {};
    return QRect(x, y, cols_.Size(ACol), rows_.Size(ARow));
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const
{
    const_cast<TCustomGrid*>(this)->FitColumns();
    auto axisCoord = [](const GridAxis& axis, int first, int fixedExtent, int p) {
        if (p < 0)
            return -1;
        int i = p < fixedExtent ? axis.IndexAt(p) : axis.IndexAt(p - fixedExtent + axis.Offset(first));
        return i >= 0 && i < axis.Count() ? i : -1;
    };
    TGridCoord c;
    c.X = axisCoord(cols_, leftCol_, fixedWidth(), X);
    c.Y = axisCoord(rows_, topRow_, fixedHeight(), Y);
    if (c.X < 0 || c.Y < 0)
        c = {-1, -1};
    return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

int TCustomGrid::GridWidth() const
{
    const int64_t w = fixedWidth() + cols_.Offset(ColCount()) - cols_.Offset(leftCol_);
    return int(std::min<int64_t>(w, viewport()->width()));
}

int TCustomGrid::GridHeight() const
{
    const int64_t h = fixedHeight() + rows_.Offset(RowCount()) - rows_.Offset(topRow_);
    return int(std::min<int64_t>(h, viewport()->height()));
}

void TCustomGrid::SetScrollBars(TScrollStyle value)
{
    scrollBars_ = value;
    UpdateScrollRange();
}

void TCustomGrid::UpdateScrollRange()
{
    if (updatingScrollBars_)
        return;
    updatingScrollBars_ = true;
    // Showing or hiding one bar changes the room for the cells; a second pass settles it.
    for (int pass = 0; pass < 2; ++pass) {
        const QSize before = viewport()->size();
        const bool vert = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
        const bool horz = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
        setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(horz ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        UpdateVertScrollBar(verticalScrollBar());
        QScrollBar* h = horizontalScrollBar();
        h->setRange(FixedCols(), std::max(FixedCols(), maxLeftCol()));
        h->setPageStep(std::max(1, VisibleColCount()));
        h->setValue(leftCol_);
        if (viewport()->size() == before)
            break;
    }
    ScrollBarsUpdated();
    updatingScrollBars_ = false;
}

void TCustomGrid::UpdateVertScrollBar(QScrollBar* bar)
{
    bar->setRange(FixedRows(), std::max(FixedRows(), maxTopRow()));
    bar->setPageStep(std::max(1, VisibleRowCount()));
    bar->setValue(topRow_);
}

void TCustomGrid::VertScrollBarMoved(int value)
{
    SetTopRow(value);
}

void TCustomGrid::SetCol(int value)
{
    if (value != Col())
        FocusCell(value, Row(), true);
}

void TCustomGrid::SetRow(int value)
{
    if (value != Row())
        FocusCell(Col(), value, true);
}

TGridRect TCustomGrid::Selection() const
{
    TGridRect r;
    r.Top = std::min(current_.Y, anchor_.Y);
    r.Bottom = std::max(current_.Y, anchor_.Y);
    if (options_ & goRowSelect) {
        r.Left = FixedCols();
        r.Right = ColCount() - 1;
    } else {
        r.Left = std::min(current_.X, anchor_.X);
        r.Right = std::max(current_.X, anchor_.X);
    }
    return r;
}

void TCustomGrid::SetSelection(const TGridRect& value)
{
    auto valid = [this](int c, int r) {
        return c >= FixedCols() && c < ColCount() && r >= FixedRows() && r < RowCount();
    };
    if (!valid(value.Left, value.Top) || !valid(value.Right, value.Bottom))
        gridIndexError();
    const TGridRect old = Selection();
    if (editorMode_)
        HideEditor();
    current_ = {value.Left, value.Top};
    anchor_ = {value.Right, value.Bottom};
    invalidateSelection(old);
    invalidateSelection(Selection());
    ClampInView(current_.X, current_.Y);
}

void TCustomGrid::SetOptions(TGridOptions value)
{
    if (value == options_)
        return;
    const TGridOptions old = options_;
    options_ = value;
    if (editorMode_ && (!(value & goEditing) || (value & goRowSelect)))
        HideEditor();
    if (!(value & goRangeSelect))
        anchor_ = current_;
    verticalScrollBar()->setTracking(value & goThumbTracking);
    horizontalScrollBar()->setTracking(value & goThumbTracking);
    const TGridOptions lines = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
    if ((old & lines) != (value & lines)) {
        updateLineWidths();
        UpdateScrollRange();
        placeEditor();
    }
    if ((value & goAlwaysShowEditor) && (value & goEditing) && hasFocus())
        ShowEditor();
    viewport()->update();
}

bool TCustomGrid::TabStops(int ACol) const
{
    if (ACol < 0 || ACol >= ColCount())
        gridIndexError();
    return tabStops_[size_t(ACol)] != 0;
}

void TCustomGrid::SetTabStops(int ACol, bool value)
{
    if (ACol < 0 || ACol >= ColCount())
        gridIndexError();
    tabStops_[size_t(ACol)] = value ? 1 : 0;
}

void TCustomGrid::SetDefaultDrawing(bool value)
{
    defaultDrawing_ = value;
    viewport()->update();
}

void TCustomGrid::SetColor(const QColor& value)
{
    color_ = value;
    viewport()->update();
}

void TCustomGrid::SetFixedColor(const QColor& value)
{
    fixedColor_ = value;
    viewport()->update();
}

// --- selection and movement ------------------------------------------------------------------

QRect TCustomGrid::BoxRect(const TGridRect& r) const
{
    auto span = [](const GridAxis& axis, int first, int fixedExtent, int viewportExtent, int a, int b,
                   int& from, int& to) {
        // Pixel range [from, to) of the visible part of indices a..b.
        from = to = 0;
        int lo = a;
        if (lo >= axis.Fixed() && lo < first)
            lo = first;
        if (a < axis.Fixed() && b >= axis.Fixed() && b < first)
            b = axis.Fixed() - 1;
        if (lo > b)
            return false;
        auto pos = [&](int i) {
            return i < axis.Fixed() ? axis.Offset(i) : fixedExtent + axis.Offset(i) - axis.Offset(first);
        };
        from = int(std::min<int64_t>(pos(lo), viewportExtent));
        to = int(std::min<int64_t>(pos(b) + axis.Extent(b), viewportExtent));
        return from < to;
    };
    int x0, x1, y0, y1;
    if (!span(cols_, leftCol_, fixedWidth(), viewport()->width(), r.Left, r.Right, x0, x1) ||
        !span(rows_, topRow_, fixedHeight(), viewport()->height(), r.Top, r.Bottom, y0, y1))
        return {};
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

void TCustomGrid::invalidateSelection(const TGridRect& r)
{
    const QRect box = BoxRect(r);
    if (!box.isEmpty())
        viewport()->update(box);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        gridIndexError();
    if (!SelectCell(ACol, ARow))
        return;
    const bool moving = TGridCoord{ACol, ARow} != current_;
    const bool reopen = editorMode_ && moving && (options_ & goAlwaysShowEditor);
    if (editorMode_ && moving)
        HideEditor();
    const TGridRect old = Selection();
    current_ = {ACol, ARow};
    if (MoveAnchor || !(options_ & goRangeSelect))
        anchor_ = current_;
    invalidateSelection(old);
    invalidateSelection(Selection());
    if (Show)
        ClampInView(ACol, ARow);
    if (reopen)
        ShowEditor();
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveColRow(ACol, ARow, MoveAnchor, true);
    Click();
}

void TCustomGrid::ClampInView(int ACol, int ARow)
{
    FitColumns();
    auto clampAxis = [](const GridAxis& axis, int first, int avail, int index) {
        if (index < axis.Fixed())
            return first;
        if (index < first)
            return index;
        int64_t pos = axis.Offset(index) - axis.Offset(first);
        if (pos + axis.Size(index) <= avail)
            return first;
        // Walk back from the cell to the first index that still shows it whole.
        int t = index;
        int64_t h = axis.Size(index);
        while (t - 1 >= axis.Fixed() && h + axis.Extent(t - 1) <= avail) {
            h += axis.Extent(t - 1);
            --t;
        }
        return std::max(t, first);
    };
    SetLeftCol(clampAxis(cols_, leftCol_, viewport()->width() - fixedWidth(), ACol));
    SetTopRow(clampAxis(rows_, topRow_, viewport()->height() - fixedHeight(), ARow));
}

// --- structure --------------------------------------------------------------------------------

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount())
        gridIndexError();
    if (FromIndex == ToIndex)
        return;
    if (editorMode_)
        HideEditor();
    cols_.Move(FromIndex, ToIndex);
    const char stop = tabStops_[size_t(FromIndex)];
    tabStops_.erase(tabStops_.begin() + FromIndex);
    tabStops_.insert(tabStops_.begin() + ToIndex, stop);
    const char sized = userSized_[size_t(FromIndex)];
    userSized_.erase(userSized_.begin() + FromIndex);
    userSized_.insert(userSized_.begin() + ToIndex, sized);
    ColumnMoved(FromIndex, ToIndex);
    current_.X = std::max(FixedCols(), movedIndex(current_.X, FromIndex, ToIndex));
    anchor_.X = std::max(FixedCols(), movedIndex(anchor_.X, FromIndex, ToIndex));
    viewport()->update();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount())
        gridIndexError();
    if (FromIndex == ToIndex)
        return;
    if (editorMode_)
        HideEditor();
    rows_.Move(FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    current_.Y = std::max(FixedRows(), movedIndex(current_.Y, FromIndex, ToIndex));
    anchor_.Y = std::max(FixedRows(), movedIndex(anchor_.Y, FromIndex, ToIndex));
    viewport()->update();
}

void TCustomGrid::InsertRow(int ARow)
{
    if (ARow < 0 || ARow > RowCount())
        gridIndexError();
    SetRowCount(RowCount() + 1);
    MoveRow(RowCount() - 1, ARow);
}

void TCustomGrid::DeleteRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount())
        gridIndexError();
    MoveRow(ARow, RowCount() - 1);
    SetRowCount(RowCount() - 1);
}

void TCustomGrid::DeleteRowSet(const std::vector<int>& rows)
{
    if (rows.empty())
        return;
    if (int(rows.size()) >= RowCount() || rows.front() < 0 || rows.back() >= RowCount())
        gridIndexError();
    if (editorMode_)
        HideEditor();
    const int old = RowCount();
    // Each coordinate moves up by the number of removed rows above it.
    auto follow = [&rows](int y) { return y - int(std::lower_bound(rows.begin(), rows.end(), y) - rows.begin()); };
    current_.Y = follow(current_.Y);
    anchor_.Y = follow(anchor_.Y);
    topRow_ = follow(topRow_);
    rows_.RemoveSet(rows);
    if (RowCount() <= FixedRows())
        rows_.SetFixed(RowCount() - 1);
    sizeChangedInternal(ColCount(), old);
}

void TCustomGrid::InsertRowSet(const std::vector<int>& at, const std::vector<int>& heights)
{
    if (at.empty())
        return;
    const int old = RowCount();
    if (at.front() < 0 || at.back() >= old + int(at.size()) || heights.size() != at.size())
        gridIndexError();
    if (editorMode_)
        HideEditor();
    // Each coordinate moves down by the number of rows put in at or above its new place.
    auto follow = [&at](int y) {
        size_t k = 0;
        while (k < at.size() && at[k] <= y + int(k))
            ++k;
        return y + int(k);
    };
    current_.Y = follow(current_.Y);
    anchor_.Y = follow(anchor_.Y);
    rows_.InsertSet(at, heights);
    sizeChangedInternal(ColCount(), old);
}

void TCustomGrid::InsertColumn(int ACol)
{
    if (ACol < 0 || ACol > ColCount())
        gridIndexError();
    SetColCount(ColCount() + 1);
    MoveColumn(ColCount() - 1, ACol);
}

void TCustomGrid::DeleteColumn(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        gridIndexError();
    MoveColumn(ACol, ColCount() - 1);
    SetColCount(ColCount() - 1);
}

// --- repainting -------------------------------------------------------------------------------

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    invalidateSelection({ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateRow(int ARow)
{
    invalidateSelection({0, ARow, ColCount() - 1, ARow});
}

void TCustomGrid::InvalidateCol(int ACol)
{
    invalidateSelection({ACol, 0, ACol, RowCount() - 1});
}

void TCustomGrid::InvalidateGrid()
{
    viewport()->update();
}

// --- default hooks ----------------------------------------------------------------------------

void TCustomGrid::DrawCell(int, int, const QRect&, TGridDrawState) {}
bool TCustomGrid::SelectCell(int, int) { return true; }
void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}
void TCustomGrid::SizeChanged(int, int) {}
void TCustomGrid::TopLeftChanged() {}
void TCustomGrid::ColWidthsChanged() {}
void TCustomGrid::RowHeightsChanged() {}
QString TCustomGrid::GetEditText(int, int) { return {}; }
void TCustomGrid::SetEditText(int, int, const QString&) {}
int TCustomGrid::GetEditLimit() { return 0; }
QString TCustomGrid::GetEditMask(int, int) { return {}; }

void TCustomGrid::Click()
{
    if (OnClick)
        OnClick(this);
}

void TCustomGrid::DoExit() {}

void TCustomGrid::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}
