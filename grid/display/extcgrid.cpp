// TExtColumnGrid: the column items, their collection, and the column grid's answers to the per-cell
// questions from the items.
#include "grid/display/extcgrid.h"

#include <QMouseEvent>

#include "grid/display/extutil.h"

#include <algorithm>

namespace {

constexpr unsigned kColumnGridVersionNr = (3u << 24) | (0u << 16) | (0u << 8) | 5u;

}  // namespace

// --- TGridColumnItem ------------------------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TGridColumnCollection* collection) : collection_(collection)
{
    if (TExtColumnGrid* grid = Grid()) {
        const TFont gridFont(grid->font(), FromQColor(grid->palette().color(QPalette::Text)));
        HeaderFont.Assign(gridFont);
        Font.Assign(gridFont);
        PrintFont.Assign(gridFont);
        Color = FromQColor(grid->Color());
    }
    HeaderFont.OnChange = [this] { repaintGrid(); };
    Font.OnChange = [this] { repaintGrid(); };
    Filter.OnChange = [this] { repaintGrid(); };
}

TGridColumnItem::~TGridColumnItem()
{
    HeaderFont.OnChange = nullptr;
    Font.OnChange = nullptr;
    Filter.OnChange = nullptr;
}

TExtColumnGrid* TGridColumnItem::Grid() const
{
    return collection_ ? collection_->Grid() : nullptr;
}

int TGridColumnItem::Index() const
{
    return collection_ ? collection_->IndexOf(this) : -1;
}

int TGridColumnItem::Width() const
{
    const TExtColumnGrid* grid = Grid();
    if (!grid)
        return 0;
    const int index = Index();
    return grid->RealToDisplCol(index) < grid->ColCount() ? grid->GetColWidthReal(index) : width_;
}

void TGridColumnItem::SetWidth(int value)
{
    width_ = value;
    if (TExtColumnGrid* grid = Grid())
        grid->SetColWidthReal(Index(), value);
}

void TGridColumnItem::SetHeader(const QString& value)
{
    header_ = value;
    TExtColumnGrid* grid = Grid();
    // While a column moves, the cells move with it and the header cell is left alone.
    if (!grid || grid->columnMoving_ || grid->TCustomGrid::FixedRows() <= 0)
        return;
    const int col = grid->RealToDisplCol(Index());
    if (col >= 0 && col < grid->ColCount())
        grid->SetCellText(col, 0, value);
}

void TGridColumnItem::takeOver(const TGridColumnItem& s)
{
    Alignment = s.Alignment;
    HeaderAlignment = s.HeaderAlignment;
    BorderPen = s.BorderPen;
    Borders = s.Borders;
    CheckFalse = s.CheckFalse;
    CheckTrue = s.CheckTrue;
    EditLength = s.EditLength;
    EditLink = s.EditLink;
    EditMask = s.EditMask;
    Editor = s.Editor;
    Fixed = s.Fixed;
    Password = s.Password;
    PrintBorderPen = s.PrintBorderPen;
    PrintBorders = s.PrintBorders;
    PrintColor = s.PrintColor;
    PrintFont.Assign(s.PrintFont);
    ReadOnly = s.ReadOnly;
    SortStyle = s.SortStyle;
    SortPrefix = s.SortPrefix;
    SortSuffix = s.SortSuffix;
    SpinMin = s.SpinMin;
    SpinMax = s.SpinMax;
    SpinStep = s.SpinStep;
    ColumnPopup = s.ColumnPopup;
    ShowBands = s.ShowBands;
    MinSize = s.MinSize;
    MaxSize = s.MaxSize;
    AutoMinSize = s.AutoMinSize;
    AutoMaxSize = s.AutoMaxSize;
    Filter.Assign(s.Filter);
    FilterCaseSensitive = s.FilterCaseSensitive;
    FloatFormat = s.FloatFormat;
}

void TGridColumnItem::Assign(const TGridColumnItem& source)
{
    if (&source == this)
        return;
    takeOver(source);
    Name = source.Name;
    Tag = source.Tag;
    ComboItems.Assign(source.ComboItems);
    Color = source.Color;
    Font.Assign(source.Font);
    SetHeader(source.header_);
    repaintGrid();
}

QString TGridColumnItem::DisplayName() const
{
    if (header_.isEmpty())
        return QStringLiteral("Column %1").arg(Index());
    return QStringLiteral("Col %1: %2").arg(Index()).arg(header_);
}

void TGridColumnItem::repaintGrid() const
{
    if (TExtColumnGrid* grid = Grid(); grid && grid->UpdateCount() == 0)
        grid->InvalidateGrid();
}

// --- TGridColumnCollection ---------------------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TExtColumnGrid* grid) : grid_(grid) {}

TGridColumnCollection::~TGridColumnCollection() = default;

int TGridColumnCollection::IndexOf(const TGridColumnItem* item) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item)
            return int(i);
    return -1;
}

TGridColumnItem* TGridColumnCollection::Add()
{
    auto item = std::make_unique<TGridColumnItem>(this);
    if (!items_.empty())
        item->takeOver(*items_.back());
    TGridColumnItem* added = item.get();
    items_.push_back(std::move(item));
    changed();
    return added;
}

TGridColumnItem* TGridColumnCollection::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    auto item = std::make_unique<TGridColumnItem>(this);
    TGridColumnItem* inserted = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    changed();
    return inserted;
}

void TGridColumnCollection::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    changed();
}

void TGridColumnCollection::Clear()
{
    if (items_.empty())
        return;
    items_.clear();
    changed();
}

void TGridColumnCollection::Move(int fromIndex, int toIndex)
{
    if (fromIndex < 0 || fromIndex >= Count() || toIndex < 0 || toIndex >= Count() || fromIndex == toIndex)
        return;
    // The item itself travels, so that every setting it has goes with it.
    std::unique_ptr<TGridColumnItem> item = std::move(items_[size_t(fromIndex)]);
    items_.erase(items_.begin() + fromIndex);
    items_.insert(items_.begin() + toIndex, std::move(item));
    changed();
}

void TGridColumnCollection::Assign(const TGridColumnCollection& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    Clear();
    for (const auto& item : source.items_)
        Insert(Count())->Assign(*item);
    EndUpdate();
}

void TGridColumnCollection::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        Update();
}

void TGridColumnCollection::changed()
{
    if (updateCount_ == 0)
        Update();
}

void TGridColumnCollection::Update()
{
    if (UpdateSwitch || !grid_ || grid_->IsLoading())
        return;
    const int n = Count() - grid_->HiddenColCount();
    if (n != grid_->ColCount() && n > grid_->TCustomGrid::FixedCols())
        grid_->SetColCount(n);
    if (grid_->TCustomGrid::FixedRows() > 0)
        grid_->headersFromItems();
    if (grid_->UpdateCount() == 0)
        grid_->InvalidateGrid();
}

// --- TExtColumnGrid ------------------------------------------------------------------------------------

TExtColumnGrid::TExtColumnGrid(QWidget* parent) : TExtStringGrid(parent), columns_(this)
{
    syncItems(true);
    virtCheckGraphic_ = std::make_unique<TCellGraphic>();
    virtCheckGraphic_->CellType = ctVirtCheckBox;
}

TExtColumnGrid::~TExtColumnGrid() = default;

TGridColumnItem* TExtColumnGrid::ColumnItem(int ACol) const
{
    return ACol >= 0 && ACol < columns_.Count() ? columns_.Items(ACol) : nullptr;
}

void TExtColumnGrid::syncItems(bool updateSwitch)
{
    const bool old = columns_.UpdateSwitch;
    columns_.UpdateSwitch = updateSwitch;
    while (columns_.Count() < ColCount() + HiddenColCount())
        columns_.Add();
    while (columns_.Count() > ColCount() + HiddenColCount())
        columns_.Delete(columns_.Count() - 1);
    columns_.UpdateSwitch = old;
}

void TExtColumnGrid::headersFromItems()
{
    QStringList headers;
    for (int i = 0; i < columns_.Count(); ++i)
        headers << columns_.Items(i)->Header();
    ColumnHeaders.Assign(headers);
}

void TExtColumnGrid::SetColCount(int value)
{
    TExtStringGrid::SetColCount(value);
    syncItems(true);
}

void TExtColumnGrid::Loaded()
{
    TExtStringGrid::Loaded();
    // Each item appended or freed now runs the collection's update at once: a form that stored
    // more columns than items ends with one column per item and one more.
    syncItems(false);
    syncItems(true);
}

void TExtColumnGrid::InsertCols(int ACol, int AColCount)
{
    if (AColCount <= 0)
        return;
    const int before = ColCount();
    structuralMove_ = true;
    TExtStringGrid::InsertCols(ACol, AColCount);
    structuralMove_ = false;
    // One collection update once every item is in: the columns are there already.
    columns_.BeginUpdate();
    for (int i = 0; i < ColCount() - before; ++i)
        columns_.Insert(ACol);
    columns_.EndUpdate();
}

void TExtColumnGrid::RemoveCols(int ACol, int AColCount)
{
    if (AColCount <= 0)
        return;
    const int before = ColCount();
    structuralMove_ = true;
    TExtStringGrid::RemoveCols(ACol, AColCount);
    structuralMove_ = false;
    columns_.BeginUpdate();
    for (int i = 0; i < before - ColCount(); ++i)
        columns_.Delete(ACol);
    columns_.EndUpdate();
}

void TExtColumnGrid::Group(int ACol)
{
    if (ACol < FixedCols() || ACol >= ColCount())
        return;
    if (GroupColumn() >= 0)
        UnGroup();
    if (TGridColumnItem* item = ColumnItem(RealColIndex(ACol)))
        spareItem_.Assign(*item);
    TExtStringGrid::Group(ACol);
}

void TExtColumnGrid::UnGroup()
{
    const int col = GroupColumn();
    TExtStringGrid::UnGroup();
    if (col < 0)
        return;
    if (TGridColumnItem* item = ColumnItem(col))
        item->Assign(spareItem_);
}

// --- the answers from the items ---------------------------------------------------------------------------

TGridColumnItem* TExtColumnGrid::colourItem(int ACol, int ARow) const
{
    if (ACol < TCustomGrid::FixedCols() || ACol >= columns_.Count() || ARow < 0)
        return nullptr;
    if (ACol >= ColCount() - FixedRightCols() + HiddenColCount() || ARow >= RowCount() - FixedFooters())
        return nullptr;
    return columns_.Items(ACol);
}

TGridColumnItem* TExtColumnGrid::dataItem(int ACol, int ARow) const
{
    return ARow >= TCustomGrid::FixedRows() ? colourItem(ACol, ARow) : nullptr;
}

bool TExtColumnGrid::IsColumnDataCell(int ACol, int ARow) const
{
    return dataItem(ACol, ARow) != nullptr;
}

void TExtColumnGrid::DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TGridBrush& ABrush, TFont& AFont)
{
    if (const TGridColumnItem* item = colourItem(ACol, ARow)) {
        const bool dataRow = ARow >= TCustomGrid::FixedRows();
        if (item->Fixed)
            ABrush.Color = FromQColor(FixedColor());
        else if (dataRow && !(item->ShowBands && Bands.Active()))
            ABrush.Color = item->Color;
        AFont.Assign(dataRow ? item->Font : item->HeaderFont);
    }
    TExtStringGrid::DoGetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TExtColumnGrid::DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TGridBrush& ABrush,
                                         TFont& AFont)
{
    if (const TGridColumnItem* item = dataItem(ACol, ARow)) {
        if (item->Fixed)
            ABrush.Color = FromQColor(FixedColor());
        else if (!(item->ShowBands && Bands.Active() && Bands.Print()))
            ABrush.Color = item->PrintColor;
        AFont.Assign(item->PrintFont);
    }
    TExtStringGrid::DoGetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TExtColumnGrid::DoGetCellBorder(int ACol, int ARow, TGridPen& APen, TCellBorders& Borders)
{
    if (const TGridColumnItem* item = dataItem(ACol, ARow)) {
        Borders = item->Borders;
        APen = item->BorderPen;
    }
    TExtStringGrid::DoGetCellBorder(ACol, ARow, APen, Borders);
}

void TExtColumnGrid::DoGetCellPrintBorder(int ACol, int ARow, TGridPen& APen, TCellBorders& Borders)
{
    if (const TGridColumnItem* item = dataItem(ACol, ARow)) {
        Borders = item->PrintBorders;
        APen = item->PrintBorderPen;
    }
    TExtStringGrid::DoGetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TExtColumnGrid::DoGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (const TGridColumnItem* item = dataItem(ACol, ARow))
        HAlign = item->Alignment;
    TExtStringGrid::DoGetAlignment(ACol, ARow, HAlign, VAlign);
}

void TExtColumnGrid::DoGetEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (const TGridColumnItem* item = dataItem(ACol, ARow))
        AEditor = item->Editor;
    TExtStringGrid::DoGetEditorType(ACol, ARow, AEditor);
}

void TExtColumnGrid::DoIsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    if (const TGridColumnItem* item = dataItem(ACol, ARow))
        IsFixed = item->Fixed;
    TExtStringGrid::DoIsFixedCell(ACol, ARow, IsFixed);
}

void TExtColumnGrid::DoCanEditCell(int ACol, int ARow, bool& CanEdit)
{
    const TGridColumnItem* item = dataItem(ACol, ARow);
    if (!item) {
        TExtStringGrid::DoCanEditCell(ACol, ARow, CanEdit);
        return;
    }
    // The column decides, not the grid's editing option: a check-box column of a grid that is not
    // edited still ticks.
    CanEdit = !item->ReadOnly && !item->Fixed;
    const TGridCoord b = BaseCell(ACol, ARow);
    if (const TCellProperties* p = FindCellProperties(b.X, b.Y); p && p->ReadOnly)
        CanEdit = false;
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TExtColumnGrid::DoIsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (const TGridColumnItem* item = dataItem(ACol, ARow))
        IsPassword = item->Password;
    TExtStringGrid::DoIsPasswordCell(ACol, ARow, IsPassword);
}

void TExtColumnGrid::DoHasComboBox(int ACol, int ARow, bool& HasComboBox)
{
    if (const TGridColumnItem* item = dataItem(ACol, ARow))
        HasComboBox = item->Editor == edComboEdit || item->Editor == edComboList;
    TExtStringGrid::DoHasComboBox(ACol, ARow, HasComboBox);
}

void TExtColumnGrid::DoGetCheckTrue(int ACol, int ARow, QString& Value)
{
    TExtStringGrid::DoGetCheckTrue(ACol, ARow, Value);
    if (const TGridColumnItem* item = dataItem(ACol, ARow))
        Value = item->CheckTrue;
}

void TExtColumnGrid::DoGetCheckFalse(int ACol, int ARow, QString& Value)
{
    TExtStringGrid::DoGetCheckFalse(ACol, ARow, Value);
    if (const TGridColumnItem* item = dataItem(ACol, ARow))
        Value = item->CheckFalse;
}

TCellType TExtColumnGrid::GetCellType(int ACol, int ARow)
{
    const TCellType t = TExtStringGrid::GetCellType(ACol, ARow);
    if (t != ctEmpty)
        return t;
    const TGridColumnItem* item = dataItem(ACol, ARow);
    return item && item->Editor == edDataCheckBox ? ctDataCheckBox : t;
}

TCellGraphic* TExtColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    if (TCellGraphic* own = TExtStringGrid::GetCellGraphic(ACol, ARow))
        return own;
    const TGridColumnItem* item = dataItem(ACol, ARow);
    return item && item->Editor == edDataCheckBox ? virtCheckGraphic_.get() : nullptr;
}

QString TExtColumnGrid::GetFormattedText(int ACol, int ARow)
{
    const TGridColumnItem* item = dataItem(ACol, ARow);
    if (!item)
        return TExtStringGrid::GetFormattedText(ACol, ARow);
    const QString text = GetCellText(ACol, ARow);
    bool isFloat = !text.isEmpty() && IsNumberText(text) != ntNoNumber;
    QString format = item->FloatFormat;
    if (OnGetFloatFormat)
        OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (format.isEmpty() || !isFloat)
        return text;
    try {
        return Format(format, {GetFloats(ACol, ARow)});
    } catch (const Exception&) {
        return text;
    }
}

int TExtColumnGrid::GetEditLimit()
{
    const int col = RealColIndex(Col());
    if (col >= TCustomGrid::FixedCols() && col < columns_.Count())
        return columns_.Items(col)->EditLength;
    return TExtStringGrid::GetEditLimit();
}

QString TExtColumnGrid::GetEditMask(int ACol, int ARow)
{
    QString mask;
    const int col = RealColIndex(ACol);
    if (ACol >= TCustomGrid::FixedCols() && col >= 0 && col < columns_.Count())
        mask = columns_.Items(col)->EditMask;
    if (OnGetEditMask) {
        QString asked;
        OnGetEditMask(this, ACol, ARow, asked);
        if (!asked.isEmpty())
            mask = asked;
    }
    return mask;
}

void TExtColumnGrid::UpdateColumnSize(int ACol, int& AWidth)
{
    if (const TGridColumnItem* item = ColumnItem(ACol)) {
        if (item->MinSize > 0 && AWidth < item->MinSize)
            AWidth = item->MinSize;
        if (item->MaxSize > 0 && AWidth > item->MaxSize)
            AWidth = item->MaxSize;
    }
    TExtStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TExtColumnGrid::UpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (const TGridColumnItem* item = ColumnItem(ACol)) {
        if (item->AutoMinSize > 0 && AWidth < item->AutoMinSize)
            AWidth = item->AutoMinSize;
        if (item->AutoMaxSize > 0 && AWidth > item->AutoMaxSize)
            AWidth = item->AutoMaxSize;
    }
    TExtStringGrid::UpdateAutoColumnSize(ACol, AWidth);
}

bool TExtColumnGrid::HasColumnFilter(int ACol)
{
    const TGridColumnItem* item = ColumnItem(ACol);
    return item && item->Filter.Count() > 0;
}

unsigned TExtColumnGrid::GetVersionNr() const
{
    return kColumnGridVersionNr;
}

void TExtColumnGrid::ColumnHeadersChanged()
{
    for (int k = 0; k < columns_.Count() && k < ColumnHeaders.Count(); ++k)
        columns_.Items(k)->header_ = ColumnHeaders.Strings(k);
}

// --- columns that move and change width ------------------------------------------------------------------

void TExtColumnGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (structuralMove_) {
        TExtStringGrid::ColumnMoved(FromIndex, ToIndex);
        return;
    }
    columns_.UpdateSwitch = true;
    syncItems(true);
    const int top = TopRow();
    const int from = RealColIndex(FromIndex);
    const int to = RealColIndex(ToIndex);
    TExtStringGrid::ColumnMoved(FromIndex, ToIndex);
    BeginUpdate();
    columnMoving_ = true;
    columns_.Move(from, to);
    // The header list follows the columns' new order.
    if (TCustomGrid::FixedRows() > 0)
        headersFromItems();
    SetTopRow(top);
    columnMoving_ = false;
    EndUpdate();
    columns_.UpdateSwitch = false;
    if (OnAfterColumnMoved)
        OnAfterColumnMoved(this, from, to);
}

void TExtColumnGrid::ColWidthsChanged()
{
    TExtStringGrid::ColWidthsChanged();
    for (int c = 0; c < ColCount(); ++c) {
        const int r = RealColIndex(c);
        if (r >= 0 && r < columns_.Count())
            columns_.Items(r)->width_ = ColWidths(c);
    }
}

// --- column popup menus -------------------------------------------------------------------------------------

void TExtColumnGrid::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    TExtStringGrid::MouseDown(Button, Shift, X, Y);
    filterDropDownPress(X, Y);
    const TGridCoord cell = MouseCoord(X, Y);
    if (cell.X < 0 || cell.Y < 0 || cell.X >= columns_.Count())
        return;
    TGridColumnItem* item = columns_.Items(cell.X);
    QMenu* menu = item->ColumnPopup.data();
    if (!menu)
        return;
    const bool left = Button == Qt::LeftButton;
    const bool right = Button == Qt::RightButton;
    const bool fixedRow = cell.Y < TCustomGrid::FixedRows();
    bool buttonMatches = false;
    bool rowMatches = false;
    switch (item->ColumnPopupType) {
    case cpFixedCellsRClick: buttonMatches = right; rowMatches = fixedRow; break;
    case cpFixedCellsLClick: buttonMatches = left; rowMatches = fixedRow; break;
    case cpNormalCellsRClick: buttonMatches = right; rowMatches = !fixedRow; break;
    case cpNormalCellsLClick: buttonMatches = left; rowMatches = !fixedRow; break;
    case cpAllCellsRClick: buttonMatches = right; rowMatches = true; break;
    case cpAllCellsLClick: buttonMatches = left; rowMatches = true; break;
    }
    if (!buttonMatches)
        return;
    if (OnColumnPopup)
        OnColumnPopup(this, cell.X, cell.Y, menu);
    if (!rowMatches || !item->ColumnPopup)
        return;
    const QRect r = MergedCellRect(cell.X, cell.Y);
    menu->popup(viewport()->mapToGlobal(QPoint(r.left(), r.top() + r.height())));
}
