#include "platform/vcl/grids.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QToolButton>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

#include "platform/rtl/sysutils.h"

namespace {

[[noreturn]] void gridIndexError()
{
    throw Exception(QCoreApplication::translate("TCustomGrid", "Gitterindex außerhalb des gültigen Bereichs"));
}

// How close to a column or row border the pointer must be to size it.
constexpr int kSizingTolerance = 3;

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

// ---------------------------------------------------------------------------------------------
// TInplaceEdit

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : QLineEdit(grid->viewport()), grid_(grid)
{
    setFrame(false);
    hide();
}

void TInplaceEdit::UpdateContents()
{
    const int col = grid_->Col();
    const int row = grid_->Row();
    originalText_ = grid_->GetEditText(col, row);
    setInputMask(EditMaskToInputMask(grid_->GetEditMask(col, row)));
    const int limit = grid_->GetEditLimit();
    setMaxLength(limit > 0 ? limit : 32767);
    setText(originalText_);
    setModified(false);
    setFont(grid_->font());
}

void TInplaceEdit::Move(const QRect& rect)
{
    setGeometry(rect);
    if (!isVisible())
        show();
}

bool TInplaceEdit::event(QEvent* e)
{
    // With goTabs the grid moves between cells on Tab, so the edit must not pass the focus on.
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) && (grid_->Options() & goTabs)) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QLineEdit::event(e);
}

void TInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    int key = e->key();
    const Qt::KeyboardModifiers shift = e->modifiers();
    switch (key) {
    case Qt::Key_Escape:
        setText(originalText_);
        setModified(false);
        grid_->CancelEditor();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        QChar ch = QLatin1Char('\r');
        if (grid_->Options() & goAlwaysShowEditor) {
            grid_->HideEditor();
            grid_->ShowEditor();
        } else {
            grid_->KeyPress(ch);
        }
        return;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        grid_->KeyDown(key, shift);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (grid_->Options() & goTabs) {
            grid_->KeyDown(key, shift);
            return;
        }
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(e);
}

void TInplaceEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    // Leaving the editor for another control ends editing and keeps what was typed; a popup
    // (a context menu) or another window takes the focus only for a while.
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason ||
        grid_->editorBusy_ || !isVisible())
        return;
    // The editor's own drop-down list keeps the editing going.
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w == this)
            return;
    if (grid_->Options() & goAlwaysShowEditor) {
        if (isModified()) {
            grid_->SetEditText(grid_->Col(), grid_->Row(), text());
            setModified(false);
        }
    } else {
        grid_->HideEditor();
    }
    if (grid_->focusLeftGrid(e->reason()))
        grid_->DoExit();
}

// ---------------------------------------------------------------------------------------------
// TInplaceEditList

TInplaceEditList::TInplaceEditList(TCustomGrid* grid) : TInplaceEdit(grid)
{
    button_ = new QToolButton(this);
    button_->setCursor(Qt::ArrowCursor);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->hide();
    connect(button_, &QToolButton::clicked, this, [this] { buttonClicked(); });
}

void TInplaceEditList::SetEditStyle(TEditStyle value)
{
    editStyle_ = value;
    button_->setVisible(value != esSimple);
    button_->setText(value == esEllipsis ? QStringLiteral("...") : QString());
    button_->setArrowType(value == esPickList ? Qt::DownArrow : Qt::NoArrow);
    const int w = value == esSimple ? 0 : button_->sizeHint().width();
    setTextMargins(0, 0, w, 0);
    resizeEvent(nullptr);
}

void TInplaceEditList::resizeEvent(QResizeEvent* e)
{
    if (e)
        TInplaceEdit::resizeEvent(e);
    const int w = std::min(button_->sizeHint().width(), height() + 4);
    button_->setGeometry(width() - w, 0, w, height());
}

void TInplaceEditList::buttonClicked()
{
    if (editStyle_ == esPickList) {
        if (ListVisible())
            CloseUp(false);
        else
            DropDown();
    } else if (editStyle_ == esEllipsis && OnEditButtonClick) {
        OnEditButtonClick();
    }
}

bool TInplaceEditList::ListVisible() const
{
    return list_ && list_->isVisible();
}

void TInplaceEditList::DropDown()
{
    if (editStyle_ != esPickList || pickList_.isEmpty() || ListVisible())
        return;
    if (!list_) {
        list_ = new QListWidget(this);
        list_->setWindowFlags(Qt::Popup);
        list_->setFocusPolicy(Qt::NoFocus);
        list_->installEventFilter(this);
        list_->viewport()->installEventFilter(this);
        connect(list_, &QListWidget::itemClicked, this, [this] { CloseUp(true); });
    }
    list_->clear();
    list_->addItems(pickList_);
    const auto found = list_->findItems(text(), Qt::MatchFixedString);
    list_->setCurrentRow(found.isEmpty() ? 0 : list_->row(found.first()));
    const int rows = std::min<int>(int(pickList_.size()), 7);
    const int h = rows * list_->sizeHintForRow(0) + 2 * list_->frameWidth();
    list_->setGeometry(QRect(mapToGlobal(QPoint(0, height())), QSize(width(), h)));
    list_->show();
    list_->setFocus();
}

void TInplaceEditList::CloseUp(bool Accept)
{
    if (!ListVisible())
        return;
    QListWidgetItem* item = list_->currentItem();
    list_->hide();
    setFocus();
    if (Accept && item && item->text() != text()) {
        setText(item->text());
        setModified(true);
    }
}

bool TInplaceEditList::eventFilter(QObject* watched, QEvent* e)
{
    if (list_ && (watched == list_ || watched == list_->viewport()) && e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        switch (ke->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            CloseUp(true);
            return true;
        case Qt::Key_Escape:
            CloseUp(false);
            return true;
        default:
            break;
        }
    }
    return TInplaceEdit::eventFilter(watched, e);
}

void TInplaceEditList::keyPressEvent(QKeyEvent* e)
{
    const bool altDown = e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier);
    if (editStyle_ == esPickList && (altDown || e->key() == Qt::Key_F4)) {
        DropDown();
        return;
    }
    if (editStyle_ == esEllipsis && e->key() == Qt::Key_Return && (e->modifiers() & Qt::ControlModifier)) {
        buttonClicked();
        return;
    }
    TInplaceEdit::keyPressEvent(e);
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
    return cols_.Size(ACol);
}

void TCustomGrid::SetColWidths(int ACol, int value)
{
    if (ACol < 0 || ACol >= ColCount())
        gridIndexError();
    value = std::max(value, 0);
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

// --- the inplace editor -----------------------------------------------------------------------

void TCustomGrid::SetEditorMode(bool value)
{
    if (value)
        ShowEditor();
    else
        HideEditor();
}

bool TCustomGrid::CanEditShow()
{
    return (options_ & goEditing) && !(options_ & goRowSelect) && Col() >= FixedCols() && Row() >= FixedRows();
}

TInplaceEdit* TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

void TCustomGrid::ShowEditor()
{
    if (editorBusy_ || !CanEditShow())
        return;
    ClampInView(Col(), Row());
    if (!editor_)
        editor_ = CreateEditor();
    editorMode_ = true;
    editor_->UpdateContents();
    placeEditor();
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->selectAll();
    InvalidateCell(Col(), Row());
}

void TCustomGrid::ShowEditorChar(QChar ch)
{
    ShowEditor();
    if (!editorMode_ || !editor_)
        return;
    editor_->selectAll();
    if (ch == QLatin1Char('\b'))
        editor_->del();
    else
        editor_->insert(QString(ch));
    editor_->setModified(true);
}

void TCustomGrid::HideEditor()
{
    if (!editorMode_ || editorBusy_)
        return;
    editorBusy_ = true;
    if (editor_ && editor_->isModified()) {
        // A refused value keeps the editor open with what the user typed.
        try {
            SetEditText(Col(), Row(), editor_->text());
        } catch (...) {
            editorBusy_ = false;
            throw;
        }
        editor_->setModified(false);
    }
    editorMode_ = false;
    if (editor_) {
        const bool hadFocus = editor_->hasFocus();
        editor_->hide();
        if (hadFocus)
            setFocus(Qt::OtherFocusReason);
    }
    InvalidateCell(Col(), Row());
    editorBusy_ = false;
}

void TCustomGrid::CancelEditor()
{
    if (!editorMode_)
        return;
    editorBusy_ = true;
    if (editor_) {
        editor_->setModified(false);
        if (!(options_ & goAlwaysShowEditor)) {
            const bool hadFocus = editor_->hasFocus();
            editor_->hide();
            if (hadFocus)
                setFocus(Qt::OtherFocusReason);
        }
    }
    editorMode_ = (options_ & goAlwaysShowEditor) && editor_ && editor_->isVisible();
    InvalidateCell(Col(), Row());
    editorBusy_ = false;
}

void TCustomGrid::placeEditor()
{
    if (!editorMode_ || !editor_)
        return;
    const QRect r = CellRect(Col(), Row());
    if (r.isEmpty())
        editor_->hide();
    else
        editor_->Move(r);
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
        ShowEditorChar(Key);
        Key = QChar();
    }
}

void TCustomGrid::keyPressEvent(QKeyEvent* e)
{
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

// --- painting ---------------------------------------------------------------------------------

bool TCustomGrid::isFocused() const
{
    return hasFocus() || viewport()->hasFocus();
}

void TCustomGrid::paintEvent(QPaintEvent* e)
{
    QPainter p(viewport());
    struct Reset {
        TCustomGrid* g;
        ~Reset() { g->canvas_ = nullptr; }
    } reset{this};
    canvas_ = &p;
    paintClip_ = e->rect();
    Paint();
}

void TCustomGrid::Paint()
{
    QPainter& p = *canvas_;
    const QRect clip = paintClip_.isValid() ? paintClip_ : viewport()->rect();
    const int fw = fixedWidth();
    const int fh = fixedHeight();
    // Fixed cells first, as the runtime draws them: the corner, the top rows, the left columns,
    // then the scrollable cells.
    drawCells(0, 0, FixedCols(), FixedRows(), 0, 0, gdFixed, clip);
    drawCells(leftCol_, 0, ColCount(), FixedRows(), fw, 0, gdFixed, clip);
    drawCells(0, topRow_, FixedCols(), RowCount(), 0, fh, gdFixed, clip);
    drawCells(leftCol_, topRow_, ColCount(), RowCount(), fw, fh, {}, clip);
    p.setClipping(false);
    // The area beyond the last column and row.
    const int64_t right = fw + cols_.Offset(ColCount()) - cols_.Offset(leftCol_);
    const int64_t bottom = fh + rows_.Offset(RowCount()) - rows_.Offset(topRow_);
    const int vw = viewport()->width();
    const int vh = viewport()->height();
    if (right < vw)
        p.fillRect(QRect(int(right), 0, vw - int(right), vh), color_);
    if (bottom < vh)
        p.fillRect(QRect(0, int(bottom), int(std::min<int64_t>(right, vw)), vh - int(bottom)), color_);
}

void TCustomGrid::drawCells(int col0, int row0, int colEnd, int rowEnd, int x0, int y0, TGridDrawState base,
                            const QRect& clip)
{
    if (col0 >= colEnd || row0 >= rowEnd)
        return;
    QPainter& p = *canvas_;
    const int vw = viewport()->width();
    const int vh = viewport()->height();
    const TGridRect sel = Selection();
    const bool focused = isFocused();
    const bool editorShown = editorMode_ && editor_ && editor_->isVisible();
    const QPalette& pal = palette();
    const QColor text = pal.color(QPalette::Text);
    const QColor fixedText = pal.color(QPalette::ButtonText);
    const QColor highlight = pal.color(QPalette::Highlight);
    const QColor highlightText = pal.color(QPalette::HighlightedText);
    const QColor fixedLine(0x80, 0x80, 0x80);
    const QColor bodyLine(0xC0, 0xC0, 0xC0);
    const bool focusSelected = options_ & (goDrawFocusSelected | goRowSelect);
    const bool drawFocusRect = !(options_ & goRowSelect) &&
                               (options_ & (goEditing | goAlwaysShowEditor)) != (goEditing | goAlwaysShowEditor);
    const QFont gridFont = font();

    int y = y0;
    for (int r = row0; r < rowEnd && y < vh && y <= clip.bottom(); ++r) {
        const int h = rows_.Size(r);
        const int lh = rows_.Line(r);
        if (y + h + lh <= clip.top()) {
            y += h + lh;
            continue;
        }
        int x = x0;
        for (int c = col0; c < colEnd && x < vw && x <= clip.right(); ++c) {
            const int w = cols_.Size(c);
            const int lw = cols_.Line(c);
            if (x + w + lw <= clip.left()) {
                x += w + lw;
                continue;
            }
            const QRect cell(x, y, w, h);
            TGridDrawState state = base;
            if (focused && c == current_.X && r == current_.Y)
                state |= gdFocused;
            if (sel.Contains(c, r))
                state |= gdSelected;
            const bool fixed = state & gdFixed;
            if (w > 0 && h > 0 && !(editorShown && c == current_.X && r == current_.Y)) {
                QColor bg = color_;
                QColor fg = text;
                if (fixed) {
                    bg = fixedColor_;
                    fg = fixedText;
                } else if ((state & gdSelected) && (!(state & gdFocused) || focusSelected)) {
                    bg = highlight;
                    fg = highlightText;
                }
                p.setClipRect(cell.intersected(clip));
                p.setFont(gridFont);
                p.setPen(fg);
                p.setBrush(bg);
                if (defaultDrawing_)
                    p.fillRect(cell, bg);
                DrawCell(c, r, cell, state);
                if (defaultDrawing_) {
                    if (fixed && w > 1 && h > 1) {
                        // The raised edge of a fixed cell.
                        p.setPen(pal.color(QPalette::Light));
                        p.drawLine(cell.topLeft(), cell.topRight());
                        p.drawLine(cell.topLeft(), cell.bottomLeft());
                        p.setPen(pal.color(QPalette::Mid));
                        p.drawLine(cell.bottomLeft(), cell.bottomRight());
                        p.drawLine(cell.topRight(), cell.bottomRight());
                    } else if ((state & gdFocused) && drawFocusRect) {
                        QPen pen(fg);
                        pen.setStyle(Qt::DotLine);
                        p.setPen(pen);
                        p.setBrush(Qt::NoBrush);
                        p.drawRect(cell.adjusted(0, 0, -1, -1));
                    }
                }
            }
            p.setClipRect(clip);
            const QColor& lineColor = fixed ? fixedLine : bodyLine;
            if (lw > 0)
                p.fillRect(QRect(x + w, y, lw, h + lh), lineColor);
            if (lh > 0)
                p.fillRect(QRect(x, y + h, w, lh), lineColor);
            x += w + lw;
        }
        y += h + lh;
    }
}

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
    const Cell* c = findCell(ACol, ARow);
    return c ? c->text : QString();
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
        if (const Cell* c = findCell(ACol, ARow); c && !c->text.isEmpty()) {
            QPainter* p = Canvas();
            p->drawText(ARect.left() + 2, ARect.top() + 2 + p->fontMetrics().ascent(), c->text);
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
