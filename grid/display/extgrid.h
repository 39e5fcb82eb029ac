#pragma once
// TExtStringGrid: the grid library's string grid over TBaseGrid. It owns its settings objects,
// answers every per-cell question (colour, border, alignment, format, editor, fixed state,
// editability, password, word wrap, combo, check texts) through a protected virtual Do...
// dispatcher that fires the published event, so that the column grid can answer from its column
// items and one painting, input and editing path serves both grids. It adds the typed cell access
// and the cell kinds (check boxes, radio groups, pictures, buttons, nodes...), the row and column
// selection flags, the modified-row flags, the update counter and the lifecycle of a grid made
// from a form: construction with its defaults, Loaded, Assign, SetBounds and destruction.
//
// The class is one, its code split by concern: extgrid.cpp (lifecycle, settings, dispatchers),
// extgrid_cells.cpp (typed access, cell kinds, selection flags, repaint operations),
// extgrid_rowcol.cpp (the mapping between display and real rows and columns).
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include "grid/display/basegrid.h"
#include "grid/display/extgridsettings.h"
#include "grid/display/extobj.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/font.h"

// The library's errors: cell access, import and sorting, with their fixed English messages.
class EExtGridError : public Exception {
public:
    using Exception::Exception;
};

class TExtStringGrid : public TBaseGrid {
    Q_OBJECT
public:
    explicit TExtStringGrid(QWidget* parent = nullptr);
    ~TExtStringGrid() override;

    // --- lifecycle ---
    // A form that sets the grid's properties one by one brackets them with BeginLoad and Loaded,
    // as the runtime's form streaming does; while loading, the grid defers what depends on the
    // whole set.
    void BeginLoad() { loading_ = true; }
    bool IsLoading() const { return loading_; }
    virtual void Loaded();
    bool IsLoaded() const { return loaded_; }
    // Takes the settings and the cells of another string grid; any other source changes nothing.
    virtual void Assign(QObject* Source);
    // Moves and sizes the grid; with IntegralHeight the height is fitted to whole rows.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // "3.0.0.6" (the column grid "3.0.0.5"); writing it does nothing.
    QString Version() const;
    void SetVersion(const QString&) {}
    virtual unsigned GetVersionNr() const;
    virtual QString GetVersionString() const;

    // --- bulk changes: painting waits until the last EndUpdate ---
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // --- settings objects ---
    TCellNode CellNode;
    TMouseActions MouseActions;
    TNavigation Navigation;
    THTMLSettings HTMLSettings;
    TPrintSettings PrintSettings;
    TColumnSize ColumnSize;
    TSortSettings SortSettings;
    TBands Bands;
    TBackGround BackGround;
    TControlLook ControlLook;
    TBalloonSettings Balloon;
    TGrouping Grouping;
    TShowModified ShowModified;
    TDragDropSettings DragDropSettings;
    TFloatingFooter FloatingFooter;
    TSearchFooter SearchFooter;
    TSizeWhileTyping SizeWhileTyping;
    TFilter Filter;

    // The texts of the header row and the header column; a change writes them into the cells.
    TStringList ColumnHeaders;
    TStringList RowHeaders;
    // Empties row 0 (with fixed rows), then writes the headers.
    void SetColumnHeaders(const QStringList& value);
    // Writes the headers into column 0 (with fixed columns).
    void SetRowHeaders(const QStringList& value);
    TStringList LookupItems;
    TFont FixedFont;
    TFont ActiveCellFont;
    // The sort columns (sorting and the sort glyphs).
    TSortIndexList SortIndexes;

    // --- simple published values ---
    TColor ActiveCellColor = 0x808080;
    TColor ActiveCellColorTo = clNone;
    bool ActiveCellShow = false;
    bool AnchorHint = false;
    bool AutoNumAlign = false;
    bool AutoThemeAdapt = false;
    TEditorType DefaultEditor = edNormal;
    bool EnhRowColMove = true;
    bool EnableWheel = true;
    bool IntelliZoom = true;
    TIntelliPan IntelliPan = ipVertical;
    TColor HintColor = clInfoBk;
    bool HideFocusRect = false;
    bool FixedAsButtons = false;
    bool EnableHTML = true;
    TColor URLColor = 0xFF0000;
    QString FloatFormat = QStringLiteral("%.2f");
    // The check texts of check-box cells (public, not published).
    QString CheckTrue = QStringLiteral("Y");
    QString CheckFalse = QStringLiteral("N");
    QChar PasswordChar = QLatin1Char('*');
    TGridLook Look = glXP;
    TScrollType ScrollType = ssNormal;
    TColor ScrollColor = clNone;
    int ScrollWidth;
    TScrollBarAlways ScrollBarAlways = saNone;
    TScrollHintType ScrollHints = shNone;
    bool ShowNullDates = false;
    bool FixedRowAlways = false;
    bool FixedColAlways = false;
    bool IntegralHeight = false;
    bool Flat = false;
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // Two gradient colours of cell buttons, theme adaptation and the popup button.
    TColor ButtonColorFrom = clWhite;
    TColor ButtonColorTo;

    // --- dimensions ---
    void SetRowCount(int value);
    void SetColCount(int value);
    int FixedRows() const;
    void SetFixedRows(int value);
    int FixedCols() const;
    void SetFixedCols(int value);
    void SetDefaultRowHeight(int value);
    int FixedRightCols() const { return fixedRightCols_; }
    void SetFixedRightCols(int value);
    int FixedFooters() const { return fixedFooters_; }
    void SetFixedFooters(int value);
    int FixedColWidth() const { return ColWidths(0); }
    void SetFixedColWidth(int value);
    int FixedRowHeight() const { return fixedRowHeight_; }
    void SetFixedRowHeight(int value);
    bool WordWrap() const { return DefaultWordWrap(); }
    void SetWordWrap(bool value);
    TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment value);
    int MaxEditLength() const { return maxEditLength_; }
    void SetMaxEditLength(int value);

    // --- selection look: setting a value it already has repaints nothing ---
    TColor SelectionColor() const { return selectionColor_; }
    void SetSelectionColor(TColor value);
    TColor SelectionColorTo() const { return selectionColorTo_; }
    void SetSelectionColorTo(TColor value);
    TColor SelectionTextColor() const { return selectionTextColor_; }
    void SetSelectionTextColor(TColor value);
    bool SelectionRectangle() const { return selectionRectangle_; }
    void SetSelectionRectangle(bool value);
    bool SelectionResizer() const { return selectionResizer_; }
    void SetSelectionResizer(bool value);
    bool ShowSelection() const { return showSelection_; }
    void SetShowSelection(bool value);

    // --- events (the Parts' argument order: several take the row before the column) ---
    std::function<void(QObject* Sender, int ARow, int ACol, QString& HintStr)> OnGridHint;
    std::function<void(QObject* Sender, int ARow, int ACol, TGridDrawState AState, TGridBrush& ABrush, TFont& AFont)>
        OnGetCellColor;
    std::function<void(QObject* Sender, int ARow, int ACol, TGridDrawState AState, TGridBrush& ABrush, TFont& AFont)>
        OnGetCellPrintColor;
    std::function<void(QObject* Sender, int ARow, int ACol, TGridPen& APen, TCellBorders& Borders)> OnGetCellBorder;
    std::function<void(QObject* Sender, int ARow, int ACol, TGridPen& APen, TCellBorders& Borders)>
        OnGetCellPrintBorder;
    std::function<void(QObject* Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)> OnGetAlignment;
    std::function<void(QObject* Sender, int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix)> OnGetFormat;
    std::function<void(QObject* Sender, int ACol, int ARow, TEditorType& AEditor)> OnGetEditorType;
    std::function<void(QObject* Sender, int ARow, int ACol, bool& IsFixed)> OnIsFixedCell;
    std::function<void(QObject* Sender, int ARow, int ACol, bool& CanEdit)> OnCanEditCell;
    std::function<void(QObject* Sender, int ARow, int ACol, bool& IsPassword)> OnIsPasswordCell;
    std::function<void(QObject* Sender, int ACol, int ARow, bool& WordWrap)> OnGetWordWrap;
    std::function<void(QObject* Sender, int ACol, int ARow, bool& HasComboBox)> OnHasComboBox;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnGetCheckTrue;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnGetCheckFalse;
    std::function<void(QObject* Sender, bool& CanAdd)> OnCanAddRow;
    std::function<void(QObject* Sender, int ARow, bool& CanInsert)> OnCanInsertRow;
    std::function<void(QObject* Sender)> OnResize;
    std::function<void(QObject* Sender)> OnRichEditSelectionChange;
    // Stored, fired by no operation of the library (it prints nothing).
    std::function<void(QObject* Sender, int ACol, int ARow, QSize& ASize)> OnCustomCellSize;
    std::function<void(QObject* Sender, int NrOfPages, int& FromPage, int& ToPage)> OnPrintStart;
    std::function<void(QObject* Sender, int PageNr, bool& Cancel)> OnPrintCancel;
    std::function<void(QObject* Sender, int PageNr)> OnPrintPage;
    std::function<void(QObject* Sender, int ARow, bool& NewPage)> OnPrintNewPage;
    std::function<void(QObject* Sender, int PageNr)> OnPrintPageDone;
    std::function<void(QObject* Sender, int ACol, int& AWidth)> OnPrintSetColumnWidth;
    std::function<void(QObject* Sender, int ARow, int& AHeight)> OnPrintSetRowHeight;
    std::function<void(QObject* Sender, bool& Allow)> OnFitToPage;

    // --- the per-cell questions (public wrappers of the dispatchers) ---
    QString GetCheckTrueText(int ACol, int ARow);
    QString GetCheckFalseText(int ACol, int ARow);
    bool CanEditCell(int ACol, int ARow);

    // --- the mapping between display and real rows and columns ---
    virtual int RealToDisplCol(int ACol) const;
    int DisplToRealCol(int ACol) const { return RealColIndex(ACol); }
    int RealColIndex(int ACol) const;
    int RealRowIndex(int ARow) const;
    int DisplayRowIndex(int ARow) const;
    int DisplToRealRow(int ARow) const { return RealRowIndex(ARow); }
    int RealToDisplRow(int ARow) const { return DisplayRowIndex(ARow); }
    int HiddenColCount() const;
    int HiddenRowCount() const;
    bool IsHiddenColumn(int ACol) const;

    // Whether the scroll bars show (as ScrollBarAlways and the grid's size ask).
    bool VertScrollBarShown() const;
    bool HorzScrollBarShown() const;

    // The grid's window timer (500 ms, started at the first show).
    QTimer* GridTimer() { return &gridTimer_; }

protected:
    // The virtual event dispatchers: each fires its event and otherwise leaves the values.
    virtual void DoGridHint(int ACol, int ARow, QString& HintStr);
    virtual void DoGetCellColor(int ACol, int ARow, TGridDrawState AState, TGridBrush& ABrush, TFont& AFont);
    virtual void DoGetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TGridBrush& ABrush, TFont& AFont);
    virtual void DoGetCellBorder(int ACol, int ARow, TGridPen& APen, TCellBorders& Borders);
    virtual void DoGetCellPrintBorder(int ACol, int ARow, TGridPen& APen, TCellBorders& Borders);
    virtual void DoGetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void DoGetFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix);
    virtual void DoGetEditorType(int ACol, int ARow, TEditorType& AEditor);
    virtual void DoIsFixedCell(int ACol, int ARow, bool& IsFixed);
    virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
    virtual void DoIsPasswordCell(int ACol, int ARow, bool& IsPassword);
    virtual void DoGetWordWrap(int ACol, int ARow, bool& WordWrap);
    virtual void DoHasComboBox(int ACol, int ARow, bool& HasComboBox);
    virtual void DoGetCheckTrue(int ACol, int ARow, QString& Value);
    virtual void DoGetCheckFalse(int ACol, int ARow, QString& Value);
    virtual void DoCellHook(int ACol, int ARow);
    virtual void DoCanAddRow(bool& CanAdd);
    virtual void DoCanInsertRow(int ARow, bool& CanInsert);
    // Runs when ColumnHeaders changes, before its lines are written into the header row.
    virtual void ColumnHeadersChanged();

    void Paint() override;
    void GetCellDrawSettings(TGridCanvas& Canvas, int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign,
                             bool& WordWrap, TColor& ColorTo, bool MapColumn, bool UseSelection, bool Printing,
                             TGridDrawState& State) override;
    void DrawCellContent(TGridCanvas& Canvas, int ACol, int ARow, const QRect& Rect, TGridDrawState State) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void ScrollBarsUpdated() override;
    int GetEditLimit() override;

    // Writes the header lists into the header row and column.
    void ApplyColumnHeaders();
    void ApplyRowHeaders();
    // Brings the scroll bars in line with ScrollBarAlways; Hide runs the hiding pass.
    void UpdateScrollBars(bool Hide);

private:
    void columnHeadersEdited();
    void repaintGrid();

    bool loading_ = false;
    bool loaded_ = false;
    int updateCount_ = 0;
    bool autoSize_ = false;
    int fixedRightCols_ = 0;
    int fixedFooters_ = 0;
    int fixedRowHeight_ = 0;
    int rememberedFixedRows_ = 1;
    int rememberedFixedCols_ = 1;
    int initialFixedRows_ = 1;
    int initialFixedCols_ = 1;
    int initialRowHeight_ = 21;
    int minAutoColWidth_ = 0;
    TVAlignment vAlignment_ = vtaTop;
    int maxEditLength_ = 0;
    TColor selectionColor_ = 0xEACAB6;
    TColor selectionColorTo_ = clNone;
    TColor selectionTextColor_ = clBlack;
    bool selectionRectangle_ = false;
    bool selectionResizer_ = false;
    bool showSelection_ = true;
    TEditorType currentEditor_ = edNormal;
    bool xpThemes_ = false;          // visual styles active when the grid was made
    bool themedControls_ = false;    // the common controls draw themed
    int wheelScrollLines_ = 0;
    Qt::CursorShape savedCursor_ = Qt::ArrowCursor;
    QTimer gridTimer_;
    bool hidePass_ = false;
    bool applyingHeaders_ = false;
};
