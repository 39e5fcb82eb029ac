// TExtStringGrid: construction with its defaults, loading, copying, sizing, the update counter,
// the settings setters, the header lists and the per-cell dispatchers.
#include "grid/display/extgrid.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <climits>

#include "grid/display/gridballoon.h"
#include "grid/display/gridservices.h"
#include "grid/display/htmlhint.h"
#include "platform/vcl/forms.h"

namespace {

constexpr unsigned kVersionNr = (3u << 24) | (0u << 16) | (0u << 8) | 6u;

// A header text: each backslash-n pair is a line break.
QString headerText(const QString& s)
{
    QString t = s;
    t.replace(QStringLiteral("\\n"), QStringLiteral("\r"));
    return t;
}

}  // namespace

TExtStringGrid::TExtStringGrid(QWidget* parent) : TBaseGrid(parent), SortIndexes(0, 0)
{
    FixedFont.SetName(QStringLiteral("Tahoma"));
    FixedFont.SetStyle(fsBold);
    FixedFont.OnChange = [this] { repaintGrid(); };
    ActiveCellFont.SetStyle(fsBold);
    ActiveCellFont.OnChange = [this] { repaintGrid(); };
    ColumnHeaders.OnChange = [this] { columnHeadersEdited(); };
    RowHeaders.OnChange = [this] {
        if (!applyingHeaders_)
            ApplyRowHeaders();
    };
    // The settings objects repaint the grid when a value that shows changes.
    for (TGridPersistent* p : std::initializer_list<TGridPersistent*>{&CellNode, &Bands, &BackGround, &ControlLook, &SortSettings})
        p->OnRepaint = [this] { repaintGrid(); };
    ShowModified.OnChange = [this](TShowModified*) { RepaintNodeColumn(); };
    ControlLook.OnFixedGradient = [this](bool from, TColor color) {
        if (from)
            ButtonColorFrom = color;
        else
            ButtonColorTo = color;
    };
    ColumnSize.OnStretch = [this] {
        if (parentWidget())
            StretchColumn(ColumnSize.StretchColumn);
    };
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int v) { scrollThumbMoved(Qt::Vertical, v); });
    connect(horizontalScrollBar(), &QScrollBar::sliderMoved, this, [this](int v) { scrollThumbMoved(Qt::Horizontal, v); });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] { scrollThumbReleased(); });
    connect(horizontalScrollBar(), &QScrollBar::sliderReleased, this, [this] { scrollThumbReleased(); });

    SetRowCount(10);
    resize(400, 250);
    SetAutoSize(false);
    SetDefaultRowHeight(21);
    initialRowHeight_ = 21;
    rememberedFixedRows_ = TCustomGrid::FixedRows();
    rememberedFixedCols_ = TCustomGrid::FixedCols();
    scrollWidth_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    ButtonColorTo = ColorToRGB(clBtnFace);

    // The environment, taken once.
    wheelScrollLines_ = QApplication::wheelScrollLines();

    gridTimer_.setInterval(500);
    connect(&gridTimer_, &QTimer::timeout, this, [this] { GridTimerTick(); });
    // The balloon follows Enable; a balloon with its own initial delay shows when it runs out.
    Balloon.OnEnableChange = [this](TBalloonSettings*) { updateBalloon(); };
    balloonTimer_.setSingleShot(true);
    connect(&balloonTimer_, &QTimer::timeout, this, [this] { showBalloon(viewport()->mapFromGlobal(QCursor::pos())); });
    // A grid made on a form can follow the form's size (SizeWithForm).
    if (auto* form = qobject_cast<TForm*>(parent)) {
        owner_ = form;
        ownerSize_ = form->size();
        form->installEventFilter(this);
    }
    makeCompanions();
    // The drop target is registered or revoked as OleDropTarget changes, and rich-text drags
    // follow OleDropRTF; both belong to the editing half.
    DragDropSettings.OnDropTargetChange = [this](TDragDropSettings* s) {
        TGridEditingServices* services = GridEditingServices();
        if (s->OleDropTarget()) {
            if (!dropTargetRegistered_ && services)
                dropTargetRegistered_ = services->RegisterDropTarget(*this);
        } else if (dropTargetRegistered_) {
            if (services)
                services->RevokeDropTarget(*this);
            dropTargetRegistered_ = false;
        }
    };
    DragDropSettings.OnRichTextChange = [](TDragDropSettings* s) {
        if (TGridEditingServices* services = GridEditingServices())
            services->SetRichTextDrag(s->OleDropRTF());
    };
    panTimer_.setInterval(10);
    connect(&panTimer_, &QTimer::timeout, this, [this] { PanTick(viewport()->mapFromGlobal(QCursor::pos())); });
}

TExtStringGrid::~TExtStringGrid()
{
    gridTimer_.stop();
    balloonTimer_.stop();
    Balloon.OnEnableChange = nullptr;
    DragDropSettings.OnDropTargetChange = nullptr;
    DragDropSettings.OnRichTextChange = nullptr;
    if (owner_)
        owner_->removeEventFilter(this);
    // A store that cannot be written must not end the program from a destructor.
    if (ColumnSize.Save) {
        try {
            SaveColSizes();
        } catch (...) {
        }
    }
    for (TGridPersistent* p : std::initializer_list<TGridPersistent*>{&CellNode, &Bands, &BackGround, &ControlLook, &SortSettings})
        p->OnRepaint = nullptr;
    ShowModified.OnChange = nullptr;
    ControlLook.OnFixedGradient = nullptr;
    ColumnSize.OnStretch = nullptr;
    // The settings objects' handlers point back at the grid: cut them before the members go.
    FixedFont.OnChange = nullptr;
    ActiveCellFont.OnChange = nullptr;
    ColumnHeaders.OnChange = nullptr;
    RowHeaders.OnChange = nullptr;
    setCursor(savedCursor_);
}

void TExtStringGrid::showEvent(QShowEvent* e)
{
    TBaseGrid::showEvent(e);
    // The window exists: the grid's timer runs from now on, and the stored widths are read.
    if (!gridTimer_.isActive()) {
        gridTimer_.start();
        if (ColumnSize.Save && parentWidget())
            LoadColSizes();
    }
}

void TExtStringGrid::Loaded()
{
    loading_ = false;
    savedCursor_ = cursor().shape();
    ApplyColumnHeaders();
    ApplyRowHeaders();
    if (look_ == glVantor) {
        ButtonColorFrom = 0xC0C0C0;
        ButtonColorTo = 0xFFFFFF;
        if (TPopupButton* p = PopupButton()) {
            p->GradFrom = ButtonColorFrom;
            p->GradTo = ButtonColorTo;
        }
    }
    if (ColumnSize.Save)
        LoadColSizes();
    initialFixedRows_ = TCustomGrid::FixedRows();
    initialFixedCols_ = TCustomGrid::FixedCols();
    initialRowHeight_ = DefaultRowHeight();
    minAutoColWidth_ = 10;
    loaded_ = true;
    if (Options() & goAlwaysShowEditor) {
        Navigation.AlwaysEdit = true;
        SetOptions(Options() & ~TGridOptions(goAlwaysShowEditor));
    }
    if (!xpThemes_ && ControlLook.ControlStyle() == csTheme)
        ControlLook.SetControlStyle(csClassic);
    // The search bar takes the theme switch and its settings.
    SearchFooter.SetAutoThemeAdapt(autoThemeAdapt_);
    UpdateScrollBars(false);
    updateBalloon();
}

void TExtStringGrid::Assign(QObject* Source)
{
    auto* src = qobject_cast<TExtStringGrid*>(Source);
    if (!src || src == this)
        return;
    setFont(src->font());
    activeCellColor_ = src->activeCellColor_;
    activeCellColorTo_ = src->activeCellColorTo_;
    ActiveCellFont.Assign(src->ActiveCellFont);
    activeCellShow_ = src->activeCellShow_;
    SetActiveRowShow(src->ActiveRowShow());
    AnchorHint = src->AnchorHint;
    AutoNumAlign = src->AutoNumAlign;
    autoSize_ = src->autoSize_;
    autoThemeAdapt_ = src->autoThemeAdapt_;
    MouseActions.Assign(src->MouseActions);
    Navigation = src->Navigation;
    Grouping = src->Grouping;
    SearchFooter.Assign(src->SearchFooter);
    PrintSettings.Assign(src->PrintSettings);
    Filter.Assign(src->Filter);
    HTMLSettings = src->HTMLSettings;
    Bands.Assign(src->Bands);
    CellNode.Assign(src->CellNode);
    SortSettings.Assign(src->SortSettings);
    SetColCount(src->ColCount());
    SetRowCount(src->RowCount());
    SetFixedRows(src->TCustomGrid::FixedRows());
    SetFixedCols(src->TCustomGrid::FixedCols());
    SetDefaultColWidth(src->DefaultColWidth());
    SetDefaultRowHeight(src->DefaultRowHeight());
    // The cells' texts: through the grid text stream when the editing half is there.
    if (TGridEditingServices* services = GridEditingServices())
        if (services->AssignCells(*this, *src))
            return;
    for (int r = 0; r < src->RowCount(); ++r)
        for (int c = 0; c < src->ColCount() + src->HiddenColCount(); ++c)
            SetCellText(c, r, src->GetRawCell(c, r));
}

void TExtStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    int height = AHeight;
    const int rowHeight = DefaultRowHeight();
    if (IntegralHeight && updateCount_ == 0 && rowHeight > 0) {
        const bool colsFit = VisibleColCount() + TCustomGrid::FixedCols() >= ColCount();
        const int s = colsFit ? 0 : style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const int b = frameWidth() > 0 ? 2 : 0;
        const int h = AHeight - s - b;
        height = s + (h - h % rowHeight) + 2 * b;
    }
    setGeometry(ALeft, ATop, AWidth, height);
    if (parentWidget() && parentWidget()->isVisible())
        update();
}

QString TExtStringGrid::Version() const
{
    const unsigned v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

unsigned TExtStringGrid::GetVersionNr() const
{
    return kVersionNr;
}

QString TExtStringGrid::GetVersionString() const
{
    return Version() + QStringLiteral(" Aug, 2005");
}

// --- bulk changes -------------------------------------------------------------------------------

void TExtStringGrid::BeginUpdate()
{
    ++updateCount_;
}

void TExtStringGrid::EndUpdate()
{
    // Counted whether the grid shows or not; one more than needed still repaints.
    if (updateCount_ > 0)
        --updateCount_;
    if (updateCount_ == 0)
        InvalidateGrid();
}

void TExtStringGrid::Paint()
{
    if (updateCount_ > 0)
        return;
    TBaseGrid::Paint();
    if (panning_)
        DrawPanBitmap();
}

void TExtStringGrid::repaintGrid()
{
    if (updateCount_ == 0)
        InvalidateGrid();
}

// --- sizes and counts ---------------------------------------------------------------------------

void TExtStringGrid::SetRowCount(int value)
{
    TCustomGrid::SetRowCount(value);
    if (FixedRowAlways && TCustomGrid::FixedRows() == 0 && RowCount() > rememberedFixedRows_)
        TCustomGrid::SetFixedRows(rememberedFixedRows_);
    SetDisplayRowLimit(RowCount());
    UpdateScrollBars(false);
}

void TExtStringGrid::SetColCount(int value)
{
    TCustomGrid::SetColCount(value);
    if (FixedColAlways && TCustomGrid::FixedCols() == 0 && ColCount() > rememberedFixedCols_)
        TCustomGrid::SetFixedCols(rememberedFixedCols_);
    UpdateScrollBars(false);
}

int TExtStringGrid::FixedRows() const
{
    const int n = TCustomGrid::FixedRows();
    return n == 0 && FixedRowAlways ? 1 : n;
}

void TExtStringGrid::SetFixedRows(int value)
{
    TCustomGrid::SetFixedRows(value);
    if (!loading_)
        rememberedFixedRows_ = value;
}

int TExtStringGrid::FixedCols() const
{
    const int n = TCustomGrid::FixedCols();
    return n == 0 && FixedColAlways ? 1 : n;
}

void TExtStringGrid::SetFixedCols(int value)
{
    TCustomGrid::SetFixedCols(value);
    if (!loading_)
        rememberedFixedCols_ = value;
}

void TExtStringGrid::SetDefaultRowHeight(int value)
{
    TCustomGrid::SetDefaultRowHeight(value);
}

void TExtStringGrid::SetFixedRightCols(int value)
{
    fixedRightCols_ = value;
    repaintGrid();
}

void TExtStringGrid::SetFixedFooters(int value)
{
    fixedFooters_ = value;
    repaintGrid();
}

void TExtStringGrid::SetFixedColWidth(int value)
{
    if (loading_ || value == DefaultColWidth())
        return;
    for (int c = 0; c < TCustomGrid::FixedCols(); ++c)
        SetColWidths(c, value);
}

void TExtStringGrid::SetFixedRowHeight(int value)
{
    fixedRowHeight_ = value;
    for (int r = 0; r < TCustomGrid::FixedRows(); ++r)
        SetRowHeights(r, value);
}

void TExtStringGrid::SetWordWrap(bool value)
{
    SetDefaultWordWrap(value);
    repaintGrid();
}

void TExtStringGrid::SetVAlignment(TVAlignment value)
{
    vAlignment_ = value;
    repaintGrid();
}

void TExtStringGrid::SetMaxEditLength(int value)
{
    maxEditLength_ = value;
    if (TInplaceEdit* editor = InplaceEditor())
        editor->setMaxLength(value > 0 ? value : INT_MAX);
}

int TExtStringGrid::GetEditLimit()
{
    return maxEditLength_;
}

TInplaceEdit* TExtStringGrid::CreateEditor()
{
    if (TGridEditingServices* s = GridEditingServices())
        if (TInplaceEdit* edit = s->CreateInplaceEdit(*this))
            return edit;
    return TBaseGrid::CreateEditor();
}

void TExtStringGrid::SetAutoSize(bool value)
{
    autoSize_ = value;
}

void TExtStringGrid::SetSelectionColor(TColor value)
{
    if (value == selectionColor_)
        return;
    selectionColor_ = value;
    repaintGrid();
}

void TExtStringGrid::SetSelectionColorTo(TColor value)
{
    if (value == selectionColorTo_)
        return;
    selectionColorTo_ = value;
    repaintGrid();
}

void TExtStringGrid::SetSelectionTextColor(TColor value)
{
    if (value == selectionTextColor_)
        return;
    selectionTextColor_ = value;
    repaintGrid();
}

void TExtStringGrid::SetSelectionRectangle(bool value)
{
    if (value == selectionRectangle_)
        return;
    selectionRectangle_ = value;
    repaintGrid();
}

void TExtStringGrid::SetSelectionResizer(bool value)
{
    if (value == selectionResizer_)
        return;
    selectionResizer_ = value;
    repaintGrid();
}

void TExtStringGrid::SetShowSelection(bool value)
{
    if (value == showSelection_)
        return;
    showSelection_ = value;
    repaintGrid();
}

// --- scroll bars ----------------------------------------------------------------------------------

void TExtStringGrid::resizeEvent(QResizeEvent* e)
{
    TBaseGrid::resizeEvent(e);
    if (OnResize)
        OnResize(this);
    if ((BackGround.Display() == bdGradientHorz || BackGround.Display() == bdGradientVert) && BackGround.ColorTo() != clNone)
        InvalidateGrid();
    UpdateScrollBars(false);
    synchColumns(viewport()->width());
}

void TExtStringGrid::UpdateScrollBars(bool Hide)
{
    hidePass_ = Hide;
    UpdateScrollRange();
    hidePass_ = false;
}

void TExtStringGrid::ScrollBarsUpdated()
{
    const bool rowsFit = VisibleRowCount() + TCustomGrid::FixedRows() >= RowCount();
    const bool colsFit = VisibleColCount() + TCustomGrid::FixedCols() >= ColCount();
    QScrollBar* vert = verticalScrollBar();
    QScrollBar* horz = horizontalScrollBar();
    if (scrollBarAlways_ == saNone) {
        if (hidePass_) {
            if (rowsFit)
                setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            if (colsFit)
                setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        return;
    }
    const bool vertAlways = scrollBarAlways_ == saVert || scrollBarAlways_ == saBoth;
    const bool horzAlways = scrollBarAlways_ == saHorz || scrollBarAlways_ == saBoth;
    if (rowsFit)
        setVerticalScrollBarPolicy(vertAlways ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    if (colsFit)
        setHorizontalScrollBarPolicy(horzAlways ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    vert->setEnabled(!rowsFit);
    horz->setEnabled(!colsFit);
}

bool TExtStringGrid::VertScrollBarShown() const
{
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ||
           (verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded && verticalScrollBar()->maximum() > verticalScrollBar()->minimum());
}

bool TExtStringGrid::HorzScrollBarShown() const
{
    return horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ||
           (horizontalScrollBarPolicy() == Qt::ScrollBarAsNeeded &&
            horizontalScrollBar()->maximum() > horizontalScrollBar()->minimum());
}

// --- header lists ---------------------------------------------------------------------------------

void TExtStringGrid::SetColumnHeaders(const QStringList& value)
{
    applyingHeaders_ = true;
    ColumnHeaders.Assign(value);
    applyingHeaders_ = false;
    if (TCustomGrid::FixedRows() > 0)
        for (int c = 0; c < ColCount(); ++c)
            SetCellText(c, 0, QString());
    ColumnHeadersChanged();
    ApplyColumnHeaders();
}

void TExtStringGrid::columnHeadersEdited()
{
    if (applyingHeaders_)
        return;
    ColumnHeadersChanged();
    ApplyColumnHeaders();
}

void TExtStringGrid::ColumnHeadersChanged() {}

void TExtStringGrid::ApplyColumnHeaders()
{
    if (TCustomGrid::FixedRows() <= 0)
        return;
    for (int i = 0; i < ColumnHeaders.Count() && i < ColCount(); ++i)
        SetCellText(i, 0, headerText(ColumnHeaders.Strings(i)));
}

void TExtStringGrid::SetRowHeaders(const QStringList& value)
{
    applyingHeaders_ = true;
    RowHeaders.Assign(value);
    applyingHeaders_ = false;
    ApplyRowHeaders();
}

void TExtStringGrid::ApplyRowHeaders()
{
    if (TCustomGrid::FixedCols() <= 0)
        return;
    for (int i = 0; i < RowHeaders.Count() && i < RowCount(); ++i)
        SetCellText(0, i, headerText(RowHeaders.Strings(i)));
}

// --- the per-cell dispatchers ---------------------------------------------------------------------

void TExtStringGrid::DoGridHint(int ACol, int ARow, QString& HintStr)
{
    if (OnGridHint)
        OnGridHint(this, ARow, ACol, HintStr);
}

void TExtStringGrid::DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TGridBrush& ABrush, TFont& AFont)
{
    if (OnGetCellColor)
        OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExtStringGrid::DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TGridBrush& ABrush, TFont& AFont)
{
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TExtStringGrid::DoGetCellBorder(int ACol, int ARow, TGridPen& APen, TCellBorders& Borders)
{
    if (OnGetCellBorder)
        OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TExtStringGrid::DoGetCellPrintBorder(int ACol, int ARow, TGridPen& APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TExtStringGrid::DoGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (OnGetAlignment)
        OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TExtStringGrid::DoGetFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix)
{
    if (OnGetFormat)
        OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

void TExtStringGrid::DoGetEditorType(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

void TExtStringGrid::DoIsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    if (OnIsFixedCell)
        OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TExtStringGrid::DoCanEditCell(int ACol, int ARow, bool& CanEdit)
{
    const TGridCoord b = BaseCell(ACol, ARow);
    if (const TCellProperties* p = FindCellProperties(b.X, b.Y); p && p->ReadOnly)
        CanEdit = false;
    // An editing option taken away for the current cell alone still counts as set.
    if (!(Options() & goEditing) && !editingSwitchedOff_ && !MouseActions.RangeSelectAndEdit)
        CanEdit = false;
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TExtStringGrid::DoIsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (OnIsPasswordCell)
        OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TExtStringGrid::DoGetWordWrap(int ACol, int ARow, bool& WordWrap)
{
    if (OnGetWordWrap)
        OnGetWordWrap(this, ACol, ARow, WordWrap);
}

void TExtStringGrid::DoHasComboBox(int ACol, int ARow, bool& HasComboBox)
{
    if (OnHasComboBox)
        OnHasComboBox(this, ACol, ARow, HasComboBox);
}

void TExtStringGrid::DoGetCheckTrue(int ACol, int ARow, QString& Value)
{
    if (OnGetCheckTrue)
        OnGetCheckTrue(this, ACol, ARow, Value);
}

void TExtStringGrid::DoGetCheckFalse(int ACol, int ARow, QString& Value)
{
    if (OnGetCheckFalse)
        OnGetCheckFalse(this, ACol, ARow, Value);
}

void TExtStringGrid::DoCellHook(int, int) {}

void TExtStringGrid::DoCanAddRow(bool& CanAdd)
{
    if (OnCanAddRow)
        OnCanAddRow(this, CanAdd);
}

void TExtStringGrid::DoCanInsertRow(int ARow, bool& CanInsert)
{
    if (OnCanInsertRow)
        OnCanInsertRow(this, ARow, CanInsert);
}

QString TExtStringGrid::GetCheckTrueText(int ACol, int ARow)
{
    QString value = CheckTrue;
    DoGetCheckTrue(ACol, ARow, value);
    return value;
}

QString TExtStringGrid::GetCheckFalseText(int ACol, int ARow)
{
    QString value = CheckFalse;
    DoGetCheckFalse(ACol, ARow, value);
    return value;
}

void TExtStringGrid::UpdateFooterColumn(int ACol)
{
    UpdateFooter(ACol);
}

TGridCompanion::~TGridCompanion() = default;

void TExtStringGrid::AddCompanion(TGridCompanion* Companion)
{
    if (Companion && std::find(companions_.begin(), companions_.end(), Companion) == companions_.end())
        companions_.push_back(Companion);
}

void TExtStringGrid::RemoveCompanion(TGridCompanion* Companion)
{
    companions_.erase(std::remove(companions_.begin(), companions_.end(), Companion), companions_.end());
}

bool TExtStringGrid::CanEditCell(int ACol, int ARow)
{
    bool canEdit = true;
    DoCanEditCell(ACol, ARow, canEdit);
    return canEdit;
}
