#include "platform/vcl/dbgrids.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPolygon>
#include <QScrollBar>

#include <algorithm>

#include "platform/db/displayrowscope.h"
#include "platform/db/fields.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

namespace {

constexpr int kIndicatorWidth = 11;

QString gridText(const char* text)
{
    return QCoreApplication::translate("TDBGrid", text);
}

// The key of the lookup row whose result text is text, among the rows the lookup field's
// condition accepts (as its pick list shows them); Null when there is none.
QVariant acceptedLookupKey(TField* f, const QString& text)
{
    TDataSet* ld = f->LookupDataSet();
    if (f->CustomConstraint().trimmed().isEmpty())
        return ld->Lookup(f->LookupResultField(), text, f->LookupKeyFields());
    TField* result = ld->FieldByName(f->LookupResultField());
    TField* key = ld->FieldByName(f->LookupKeyFields());
    TDisplayRowScope back(ld);
    const int n = ld->LinkRecordCount();
    for (int i = 0; i < n; ++i) {
        ld->SetDisplayRow(i);
        if (f->AcceptsLookupRow() && result->DisplayText().compare(text, Qt::CaseInsensitive) == 0)
            return key->Value();
    }
    return QVariant();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Columns

QString TColumnTitle::Caption() const
{
    if (caption_)
        return *caption_;
    if (TField* f = column_->Field())
        return f->DisplayLabel();
    return column_->FieldName();
}

void TColumnTitle::SetCaption(const QString& value)
{
    caption_ = value;
    column_->changed();
}

void TColumnTitle::SetAlignment(Qt::Alignment value)
{
    alignment_ = value;
    column_->changed();
}

TColumn::TColumn(TDBGrid* grid) : grid_(grid) {}

int TColumn::Index() const
{
    const auto& items = grid_->Columns().items_;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this)
            return int(i);
    return -1;
}

void TColumn::SetFieldName(const QString& value)
{
    fieldName_ = value;
    changed();
}

TField* TColumn::Field() const
{
    TDataSet* ds = grid_->dataSet();
    return ds && ds->Active() && !fieldName_.isEmpty() ? ds->FindField(fieldName_) : nullptr;
}

int TColumn::Width() const
{
    if (width_)
        return *width_;
    const QFontMetrics fm(Font());
    const int chars = Field() ? Field()->DisplayWidth() : 10;
    const int titleWidth = QFontMetrics(grid_->TitleFont()).horizontalAdvance(title_.Caption());
    return std::max(chars * fm.averageCharWidth(), titleWidth) + 4;
}

void TColumn::SetWidth(int value)
{
    width_ = std::max(0, value);
    changed();
}

void TColumn::SetVisible(bool value)
{
    visible_ = value;
    changed();
}

Qt::Alignment TColumn::Alignment() const
{
    if (alignment_)
        return *alignment_;
    if (TField* f = Field())
        return Qt::Alignment(f->Alignment()) & Qt::AlignHorizontal_Mask;
    return Qt::AlignLeft;
}

void TColumn::SetAlignment(Qt::Alignment value)
{
    alignment_ = value;
    changed();
}

QColor TColumn::Color() const
{
    return color_.value_or(grid_->Color());
}

void TColumn::SetColor(const QColor& value)
{
    color_ = value;
    changed();
}

QFont TColumn::Font() const
{
    return font_.value_or(grid_->font());
}

void TColumn::SetFont(const QFont& value)
{
    font_ = value;
    changed();
}

void TColumn::changed()
{
    grid_->LayoutChanged();
}

TColumn* TDBGridColumns::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw Exception(QCoreApplication::translate("TDBGrid", "Spaltenindex außerhalb des gültigen Bereichs"));
    return items_[size_t(index)].get();
}

TColumn* TDBGridColumns::Add()
{
    if (state_ == csDefault) {
        items_.clear();
        state_ = csCustomized;
    }
    items_.push_back(std::make_unique<TColumn>(grid_));
    grid_->LayoutChanged();
    return items_.back().get();
}

void TDBGridColumns::Clear()
{
    items_.clear();
    grid_->LayoutChanged();
}

void TDBGridColumns::RebuildColumns()
{
    state_ = csDefault;
    grid_->buildDefaultColumns();
    grid_->LayoutChanged();
}

// ---------------------------------------------------------------------------------------------
// The grid's editor: a pick list for columns with one (or for lookup fields), an ellipsis
// button for columns that ask for it.

class TDBGridInplaceEdit : public TInplaceEditList {
public:
    explicit TDBGridInplaceEdit(TDBGrid* grid) : TInplaceEditList(grid), dbGrid_(grid)
    {
        OnEditButtonClick = [this] {
            if (dbGrid_->OnEditButtonClick)
                dbGrid_->OnEditButtonClick(dbGrid_);
        };
    }

    void UpdateContents() override
    {
        TColumn* column = dbGrid_->columnAt(dbGrid_->Col());
        const QStringList list = column ? dbGrid_->pickListOf(column) : QStringList();
        SetPickList(list);
        if (column && column->ButtonStyle() == cbsEllipsis)
            SetEditStyle(esEllipsis);
        else if (column && column->ButtonStyle() == cbsAuto && !list.isEmpty())
            SetEditStyle(esPickList);
        else
            SetEditStyle(esSimple);
        TField* f = column ? column->Field() : nullptr;
        // A lookup field holds only a row of its lookup dataset: typing completes to one.
        SetListOnly(f && f->Lookup() && !list.isEmpty());
        TInplaceEditList::UpdateContents();
        // A picture or blob column is edited only through its button.
        setReadOnly(f && f->IsBlob());
    }

private:
    TDBGrid* dbGrid_;
};

// ---------------------------------------------------------------------------------------------
// TDBGrid

TDBGrid::TDBGrid(QWidget* parent) : TCustomGrid(parent), link_(std::make_unique<TDataLink>())
{
    dbOptions_ = dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs |
                 dgConfirmDelete | dgCancelOnExit;
    SetDefaultRowHeight(QFontMetrics(font()).height() + 4);
    link_->OnActiveChanged = [this] {
        if (columns_.State() == csDefault)
            buildDefaultColumns();
        layout();
    };
    link_->OnDataSetChanged = [this] { layout(); };
    link_->OnDataSetScrolled = [this](int distance) { syncCurrentRow(distance); };
    link_->OnRecordChanged = [this](TField*) {
        InvalidateRow(Row());
        if (!syncing_)
            syncCurrentRow(0);
    };
    link_->OnEditingChanged = [this] {
        InvalidateCol(0);
        InvalidateRow(Row());
    };
    link_->OnUpdateData = [this] {
        // The dataset is about to post: what the editor holds goes into the field first.
        if (EditorMode() && InplaceEditor() && InplaceEditor()->isModified())
            HideEditor();
    };
    applyOptions();
    layout();
}

TDBGrid::~TDBGrid()
{
    link_->SetDataSource(nullptr);
}

TDataSet* TDBGrid::dataSet() const
{
    return link_->Active() ? link_->DataSet() : nullptr;
}

void TDBGrid::SetDataSource(TDataSource* value)
{
    if (EditorMode())
        CancelEditor();
    link_->SetDataSource(value);
    if (columns_.State() == csDefault)
        buildDefaultColumns();
    layout();
}

void TDBGrid::SetOptions(TDBGridOptions value)
{
    dbOptions_ = value;
    applyOptions();
    layout();
}

void TDBGrid::SetReadOnly(bool value)
{
    readOnly_ = value;
    if (value && EditorMode())
        CancelEditor();
}

void TDBGrid::SetTitleFont(const QFont& value)
{
    titleFont_ = value;
    layout();
}

void TDBGrid::applyOptions()
{
    TGridOptions g;
    if (dbOptions_ & dgColLines)
        g |= goFixedVertLine | goVertLine;
    if (dbOptions_ & dgRowLines)
        g |= goFixedHorzLine | goHorzLine;
    if (dbOptions_ & dgColumnResize)
        g |= goColSizing | goColMoving;
    if (dbOptions_ & dgEditing)
        g |= goEditing;
    if (dbOptions_ & dgAlwaysShowEditor)
        g |= goAlwaysShowEditor;
    if (dbOptions_ & dgTabs)
        g |= goTabs;
    if (dbOptions_ & dgRowSelect)
        g |= goRowSelect;
    TCustomGrid::SetOptions(g);
}

void TDBGrid::buildDefaultColumns()
{
    columns_.items_.clear();
    TDataSet* ds = link_->DataSet();
    if (!ds || !ds->Active())
        return;
    for (int i = 0; i < ds->FieldCount(); ++i) {
        TField* f = ds->Field(i);
        if (!f->Visible())
            continue;
        auto c = std::make_unique<TColumn>(this);
        c->fieldName_ = f->FieldName();
        columns_.items_.push_back(std::move(c));
    }
}

void TDBGrid::LayoutChanged()
{
    layout();
}

void TDBGrid::layout()
{
    if (layingOut_)
        return;
    layingOut_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{layingOut_};

    visibleCols_.clear();
    for (int i = 0; i < columns_.Count(); ++i)
        if (columns_.items_[size_t(i)]->Visible())
            visibleCols_.push_back(i);
    const int ind = indicatorOffset();
    const int title = titleOffset();
    SetFixedCols(0);
    SetFixedRows(0);
    SetColCount(ind + std::max<int>(1, int(visibleCols_.size())));
    if (ind)
        SetColWidths(0, kIndicatorWidth);
    for (size_t i = 0; i < visibleCols_.size(); ++i)
        SetColWidths(ind + int(i), columns_.items_[size_t(visibleCols_[i])]->Width());
    if (visibleCols_.empty())
        SetColWidths(ind, DefaultColWidth());

    // The link's window holds the rows that fit wholly below the titles.
    const int rowExtent = DefaultRowHeight() + ((dbOptions_ & dgRowLines) ? GridLineWidth() : 0);
    const int titleExtent = title ? rowExtent : 0;
    const int fit = std::max(1, (viewport()->height() - titleExtent) / std::max(1, rowExtent));
    link_->SetBufferCount(fit);
    SetRowCount(title + std::max(1, link_->RecordCount()));
    SetFixedCols(ind);
    SetFixedRows(title);
    syncing_ = true;
    try {
        const int row = title + (link_->Active() ? link_->ActiveRecord() : 0);
        MoveColRow(std::max(Col(), ind), std::min(row, RowCount() - 1), true, false);
    } catch (...) {
        syncing_ = false;
        throw;
    }
    syncing_ = false;
    UpdateScrollRange();
    InvalidateGrid();
}

void TDBGrid::syncCurrentRow(int distance)
{
    const int title = titleOffset();
    if (RowCount() != title + std::max(1, link_->RecordCount())) {
        layout();
        return;
    }
    const int newRow = title + link_->ActiveRecord();
    if (distance != 0) {
        // The window moved: what stays visible is moved on screen, the rest is drawn.
        const int rowExtent = DefaultRowHeight() + ((dbOptions_ & dgRowLines) ? GridLineWidth() : 0);
        const int top = title ? rowExtent : 0;
        const QRect body(0, top, viewport()->width(), viewport()->height() - top);
        if (std::abs(distance) < RowCount() - title)
            viewport()->scroll(0, -distance * rowExtent, body);
        else
            viewport()->update(body);
    }
    const int oldRow = Row();
    syncing_ = true;
    try {
        if (newRow != Row())
            MoveColRow(Col(), newRow, true, false);
    } catch (...) {
        syncing_ = false;
        throw;
    }
    syncing_ = false;
    InvalidateRow(oldRow);
    InvalidateRow(Row());
    UpdateScrollRange();
}

TColumn* TDBGrid::columnAt(int ACol) const
{
    const int i = ACol - indicatorOffset();
    if (i < 0 || i >= int(visibleCols_.size()))
        return nullptr;
    return columns_.items_[size_t(visibleCols_[size_t(i)])].get();
}

int TDBGrid::gridColOf(int columnIndex) const
{
    for (size_t i = 0; i < visibleCols_.size(); ++i)
        if (visibleCols_[i] == columnIndex)
            return indicatorOffset() + int(i);
    return -1;
}

int TDBGrid::SelectedIndex() const
{
    TColumn* c = columnAt(Col());
    return c ? c->Index() : -1;
}

void TDBGrid::SetSelectedIndex(int value)
{
    const int col = gridColOf(value);
    if (col >= 0)
        SetCol(col);
}

TField* TDBGrid::SelectedField() const
{
    TColumn* c = columnAt(Col());
    return c ? c->Field() : nullptr;
}

int TDBGrid::FieldCount() const
{
    return int(visibleCols_.size());
}

TField* TDBGrid::Fields(int index) const
{
    TColumn* c = columnAt(indicatorOffset() + index);
    return c ? c->Field() : nullptr;
}

QStringList TDBGrid::pickListOf(TColumn* column) const
{
    if (!column->PickList().isEmpty())
        return column->PickList();
    TField* f = column->Field();
    if (!f || !f->Lookup() || !f->LookupDataSet() || !f->LookupDataSet()->Active())
        return {};
    // A lookup field is edited through the list of its lookup dataset's result texts, read
    // row by row without moving that dataset; rows its condition refuses are left out.
    TDataSet* ld = f->LookupDataSet();
    TField* result = ld->FieldByName(f->LookupResultField());
    QStringList list;
    const int n = ld->LinkRecordCount();
    TDisplayRowScope back(ld);
    for (int i = 0; i < n; ++i) {
        ld->SetDisplayRow(i);
        if (f->AcceptsLookupRow())
            list << result->DisplayText();
    }
    return list;
}

// --- moving ------------------------------------------------------------------------------------

void TDBGrid::moveBy(int distance)
{
    TDataSet* ds = dataSet();
    if (!ds || distance == 0)
        return;
    if (EditorMode())
        HideEditor();
    ds->MoveBy(distance);
}

bool TDBGrid::untouchedInsert() const
{
    TDataSet* ds = dataSet();
    const bool editorChanged = EditorMode() && InplaceEditor() && InplaceEditor()->isModified();
    return ds && ds->State() == dsInsert && !ds->Modified() && !editorChanged;
}

void TDBGrid::nextRow()
{
    TDataSet* ds = dataSet();
    if (untouchedInsert()) {
        // An empty new record at the end stays where it is; one inserted in between is dropped.
        if (ds->Eof())
            return;
        if (EditorMode())
            CancelEditor();
        ds->Cancel();
    } else {
        moveBy(1);
    }
    if (ds->Eof() && (dbOptions_ & dgEditing) && !readOnly_ && !link_->ReadOnly() && ds->CanModify()) {
        if (EditorMode())
            HideEditor();
        ds->Append();
    }
}

void TDBGrid::priorRow()
{
    TDataSet* ds = dataSet();
    if (untouchedInsert() && ds->Eof()) {
        if (EditorMode())
            CancelEditor();
        ds->Cancel();
    } else {
        moveBy(-1);
    }
}

void TDBGrid::DoExit()
{
    TDataSet* ds = dataSet();
    if (!ds)
        return;
    if ((dbOptions_ & dgCancelOnExit) && untouchedInsert()) {
        if (EditorMode())
            CancelEditor();
        ds->Cancel();
    } else if (EditorMode() && InplaceEditor() && InplaceEditor()->isModified()) {
        SetEditText(Col(), Row(), InplaceEditor()->text());
        InplaceEditor()->setModified(false);
    }
}

bool TDBGrid::SelectCell(int ACol, int ARow)
{
    if (syncing_ || layingOut_)
        return true;
    if (ARow != Row() && dataSet() && ARow >= titleOffset()) {
        const int target = ARow - titleOffset();
        if (target >= link_->RecordCount())
            return false;
        moveBy(target - link_->ActiveRecord());
        // The dataset may refuse to move (a failed post raises before this point).
        return titleOffset() + link_->ActiveRecord() == ARow;
    }
    return true;
}

bool TDBGrid::CanEditAcceptKey(QChar Key)
{
    TColumn* column = columnAt(Col());
    TField* field = column ? column->Field() : nullptr;
    return !field || field->IsValidChar(Key);
}

bool TDBGrid::UsesEscape() const
{
    const TDataSet* ds = dataSet();
    return EditorMode() || (ds && (ds->State() == dsEdit || ds->State() == dsInsert));
}

void TDBGrid::KeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    TDataSet* ds = dataSet();
    const bool ctrl = Shift & Qt::ControlModifier;
    auto handled = [&] {
        if (OnKeyDown)
            OnKeyDown(this, Key, Shift);
        return Key != 0;
    };
    switch (Key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!ds || ctrl)
            break;
        if (!handled())
            return;
        if (Key == Qt::Key_Up)
            priorRow();
        else if (Key == Qt::Key_Down)
            nextRow();
        else
            moveBy((Key == Qt::Key_PageDown ? 1 : -1) * std::max(1, VisibleRowCount()));
        return;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!ds || !ctrl)
            break;
        if (!handled())
            return;
        if (EditorMode())
            HideEditor();
        Key == Qt::Key_Home ? ds->First() : ds->Last();
        return;
    case Qt::Key_Escape:
        if (!ds || EditorMode() || (ds->State() != dsEdit && ds->State() != dsInsert))
            break;
        if (!handled())
            return;
        ds->Cancel();
        return;
    case Qt::Key_Delete:
        if (!ds || !ctrl || readOnly_ || !ds->CanModify() || ds->IsEmpty())
            break;
        if (!handled())
            return;
        if (!(dbOptions_ & dgConfirmDelete) ||
            MessageDlg(gridText("Datensatz löschen?"), mtConfirmation, mbOKCancel) == mrOk)
            ds->Delete();
        return;
    case Qt::Key_Insert:
        if (!ds || readOnly_ || !(dbOptions_ & dgEditing) || !ds->CanModify())
            break;
        if (!handled())
            return;
        if (EditorMode())
            HideEditor();
        ds->Insert();
        return;
    default:
        break;
    }
    TCustomGrid::KeyDown(Key, Shift);
}

void TDBGrid::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    pressCell_ = MouseCoord(X, Y);
    TCustomGrid::MouseDown(Button, Shift, X, Y);
}

void TDBGrid::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    const TGridState state = GridState();
    const TGridCoord cell = MouseCoord(X, Y);
    TCustomGrid::MouseUp(Button, Shift, X, Y);
    if (Button != Qt::LeftButton || !(cell == pressCell_) || state == gsColSizing || state == gsRowSizing)
        return;
    TColumn* column = columnAt(cell.X);
    if (!column)
        return;
    if (cell.Y < titleOffset()) {
        if (OnTitleClick)
            OnTitleClick(column);
    } else if (OnCellClick) {
        OnCellClick(column);
    }
}

void TDBGrid::UpdateVertScrollBar(QScrollBar* bar)
{
    TDataSet* ds = link_ ? dataSet() : nullptr;
    if (!ds) {
        bar->setRange(0, 0);
        return;
    }
    const int n = ds->LinkRecordCount();
    bar->setRange(0, std::max(0, n - 1));
    bar->setPageStep(std::max(1, link_->RecordCount()));
    bar->setValue(std::max(0, ds->LinkCurrentPos()));
    // The bar is needed only when the rows do not all fit.
    if (n <= link_->BufferCount())
        bar->setRange(0, 0);
}

void TDBGrid::VertScrollBarMoved(int value)
{
    if (TDataSet* ds = dataSet())
        moveBy(value - std::max(0, ds->LinkCurrentPos()));
}

void TDBGrid::resizeEvent(QResizeEvent* e)
{
    TCustomGrid::resizeEvent(e);
    layout();
}

void TDBGrid::focusOutEvent(QFocusEvent* e)
{
    TCustomGrid::focusOutEvent(e);
    if (!(dbOptions_ & dgAlwaysShowSelection))
        InvalidateRow(Row());
}

// --- columns and widths -------------------------------------------------------------------------

void TDBGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    TColumn* moved = columnAt(FromIndex);
    TColumn* target = columnAt(ToIndex);
    if (!moved || !target)
        return;
    auto& items = columns_.items_;
    const int from = moved->Index();
    const int to = target->Index();
    auto owned = std::move(items[size_t(from)]);
    items.erase(items.begin() + from);
    items.insert(items.begin() + to, std::move(owned));
    columns_.state_ = csCustomized;
    visibleCols_.clear();
    for (int i = 0; i < columns_.Count(); ++i)
        if (items[size_t(i)]->Visible())
            visibleCols_.push_back(i);
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TDBGrid::ColWidthsChanged()
{
    if (layingOut_)
        return;
    // A width the user dragged becomes the column's own.
    for (size_t i = 0; i < visibleCols_.size(); ++i) {
        const int col = indicatorOffset() + int(i);
        if (col < ColCount())
            columns_.items_[size_t(visibleCols_[i])]->width_ = ColWidths(col);
    }
}

// --- painting ----------------------------------------------------------------------------------

void TDBGrid::Paint()
{
    // Each row is drawn through the link's active record; the current one is put back after.
    struct Restore {
        TDataLink* link;
        ~Restore()
        {
            if (link->Active())
                link->SetActiveRecord(link->ActiveRecord());
        }
    } restore{link_.get()};
    TCustomGrid::Paint();
}

void TDBGrid::DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState)
{
    QPainter* p = Canvas();
    const int title = titleOffset();
    const int ind = indicatorOffset();
    if (ARow < title) {
        TColumn* column = columnAt(ACol);
        if (!column)
            return;
        p->setFont(TitleFont());
        p->drawText(ARect.adjusted(2, 0, -2, 0), int(column->Title().Alignment() | Qt::AlignVCenter),
                    column->Title().Caption());
        return;
    }
    const int record = ARow - title;
    if (ACol < ind) {
        TDataSet* ds = dataSet();
        if (!ds || record != link_->ActiveRecord())
            return;
        // The record marker: an arrow while browsing, "I" while editing, "*" while inserting.
        p->setRenderHint(QPainter::Antialiasing, false);
        const QPoint c = ARect.center();
        if (ds->State() == dsInsert) {
            p->drawText(ARect, Qt::AlignCenter, QStringLiteral("*"));
        } else if (ds->State() == dsEdit) {
            p->drawText(ARect, Qt::AlignCenter, QStringLiteral("I"));
        } else {
            p->setBrush(p->pen().color());
            p->drawPolygon(QPolygon({QPoint(c.x() - 2, c.y() - 4), QPoint(c.x() + 2, c.y()), QPoint(c.x() - 2, c.y() + 4)}));
        }
        return;
    }
    TColumn* column = columnAt(ACol);
    if (!column || !link_->Active() || record >= link_->RecordCount())
        return;
    link_->SetActiveRecord(record);
    const bool focused = hasFocus() || (InplaceEditor() && InplaceEditor()->hasFocus());
    bool highlight = (AState & gdSelected) && (focused || (dbOptions_ & dgAlwaysShowSelection)) &&
                     (!(AState & gdFocused) || (dbOptions_ & dgRowSelect));
    if (!(AState & gdSelected) || !highlight)
        AState &= ~TGridDrawState(gdSelected);
    const QPalette& pal = palette();
    p->setFont(column->Font());
    p->setBrush(highlight ? pal.color(QPalette::Highlight) : column->Color());
    p->setPen(highlight ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
    if (DefaultDrawing())
        DefaultDrawColumnCell(ARect, ACol - ind, column, AState);
    DrawColumnCell(ARect, ACol - ind, column, AState);
}

void TDBGrid::DefaultDrawColumnCell(const QRect& Rect, int, TColumn* Column, TGridDrawState)
{
    QPainter* p = Canvas();
    if (!p)
        return;
    p->fillRect(Rect, p->brush());
    TField* f = Column ? Column->Field() : nullptr;
    if (!f)
        return;
    const QString text = f->DisplayText();
    if (!text.isEmpty())
        p->drawText(Rect.adjusted(2, 0, -2, 0), int(Column->Alignment() | Qt::AlignVCenter), text);
}

void TDBGrid::DrawColumnCell(const QRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)
{
    if (OnDrawColumnCell)
        OnDrawColumnCell(this, Rect, DataCol, Column, State);
}

// --- editing -----------------------------------------------------------------------------------

bool TDBGrid::canEditColumn(TColumn* column) const
{
    TDataSet* ds = dataSet();
    TField* f = column ? column->Field() : nullptr;
    if (!ds || !f || readOnly_ || link_->ReadOnly() || column->ReadOnly() || f->ReadOnly() || !ds->CanModify())
        return false;
    if (f->Calculated())
        return false;
    // A blob column has an editor only for its ellipsis button (a picture is loaded through it).
    if (f->IsBlob())
        return column->ButtonStyle() == cbsEllipsis;
    return !f->Lookup() || f->LookupDataSet();
}

bool TDBGrid::CanEditShow()
{
    return (dbOptions_ & dgEditing) && TCustomGrid::CanEditShow() && canEditColumn(columnAt(Col()));
}

TInplaceEdit* TDBGrid::CreateEditor()
{
    return new TDBGridInplaceEdit(this);
}

QString TDBGrid::GetEditText(int ACol, int)
{
    TColumn* column = columnAt(ACol);
    TField* f = column ? column->Field() : nullptr;
    if (!f)
        return {};
    return f->Lookup() ? f->DisplayText() : f->Text();
}

void TDBGrid::SetEditText(int ACol, int, const QString& Value)
{
    TColumn* column = columnAt(ACol);
    TField* f = column ? column->Field() : nullptr;
    TDataSet* ds = dataSet();
    if (!f || !ds || !canEditColumn(column) || f->IsBlob())
        return;
    link_->Edit();
    if (ds->State() != dsEdit && ds->State() != dsInsert)
        throw EDatabaseError(gridText("Die Datenmenge befindet sich nicht im Bearbeitungs- oder Einfügemodus"));
    if (!f->Lookup()) {
        f->SetText(Value);
        return;
    }
    // A lookup field writes the key of the chosen list entry into its key field.
    TField* keyField = ds->FieldByName(f->KeyFields());
    if (Value.isEmpty()) {
        keyField->Clear();
        return;
    }
    const QVariant key = acceptedLookupKey(f, Value);
    if (!key.isValid() || key.isNull())
        throw EDatabaseError(Format(gridText("'%s' ist kein gültiger Wert für das Feld '%s'"),
                                    {Value, f->DisplayLabel()}));
    keyField->SetValue(key);
}

int TDBGrid::GetEditLimit()
{
    TField* f = SelectedField();
    return f && f->DataType() == ftString && !f->Lookup() ? f->Size() : 0;
}

QString TDBGrid::GetEditMask(int ACol, int)
{
    TColumn* column = columnAt(ACol);
    TField* f = column ? column->Field() : nullptr;
    return f ? f->EditMask() : QString();
}
