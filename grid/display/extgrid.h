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
// extgrid_rowcol.cpp (the row and column model: hidden rows, nodes, the filter), extgrid_grouping.cpp
// (grouping by a column).
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include "grid/display/basegrid.h"
#include "grid/display/extgridsettings.h"
#include "grid/display/extobj.h"
#include "grid/display/picturecontainer.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/font.h"

class QIODevice;
class QLabel;
class TFooterPanel;
class TSearchPanel;
class THTMLHintWindow;
class TGridBalloon;
struct THTMLDrawResult;
class TExtStringGridCheck;
class TEditLink;
class TExtRichEdit;
class TGridEditingHost;
class QIODevice;

// An object linked to a grid that hears of its changed cells and of validated values (a checker
// list, a companion view). The grid does not own it; it removes itself with RemoveCompanion.
class TGridCompanion {
public:
    virtual ~TGridCompanion();
    // Cells of the rectangle (left, top, right, bottom as columns and rows) changed.
    virtual void GridCellsChanged(const QRect& /*R*/) {}
    // An edited value was accepted for the cell (real column).
    virtual void GridCellValidated(int /*ACol*/, int /*ARow*/, const QString& /*Value*/) {}
};

// The library's errors: cell access, import and sorting, with their fixed English messages.
class EExtGridError : public Exception {
public:
    using Exception::Exception;
};

// What the pointer rests on, for the next press: a column or row header, the corner, the
// selection's resize handle.
enum TMouseSelectMode { msmNone, msmColumn, msmRow, msmAll, msmResize };

// A hidden row: its real index, the height it had and its cells with their records.
class TGridItem {
public:
    int Idx = 0;
    int Height = 0;
    TGridRowBlock Items;
    QString Text(int ACol) const { return Items.Text(ACol); }
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
    // What is typed in a text cell completes to the first entry of LookupItems it begins
    // (Lookup); LookupHistory adds each new text on leaving the edit.
    TStringList LookupItems;
    bool Lookup = false;
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    TFont FixedFont;
    TFont ActiveCellFont;
    // The sort columns (sorting and the sort glyphs).
    TSortIndexList SortIndexes;

    // --- simple published values ---
    bool AnchorHint = false;
    bool AutoNumAlign = false;
    TEditorType DefaultEditor = edNormal;
    bool EnhRowColMove = true;
    bool EnableWheel = true;
    bool IntelliZoom = true;
    TIntelliPan IntelliPan = ipVertical;
    TColor HintColor = clInfoBk;
    bool HideFocusRect = false;
    bool FixedAsButtons = false;
    bool EnableHTML = true;
    QString FloatFormat = QStringLiteral("%.2f");
    // The check texts of check-box cells (public, not published).
    QString CheckTrue = QStringLiteral("Y");
    QString CheckFalse = QStringLiteral("N");
    QChar PasswordChar = QLatin1Char('*');
    // Which bars show a position hint while their thumb is dragged, and its colour.
    TScrollHintType ScrollHints = shNone;
    bool ShowNullDates = false;
    // The numeric keypad's decimal key types the locale's decimal separator (the editors).
    bool ExcelStyleDecimalSeparator = false;
    bool FixedRowAlways = false;
    bool FixedColAlways = false;
    bool IntegralHeight = false;
    bool Flat = false;
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    // Two gradient colours of the fixed cells (glXP, glVantor), of cell buttons and of the popup
    // button; the theme adaptation and ControlLook's fixed gradient set them.
    TColor ButtonColorFrom = clWhite;
    TColor ButtonColorTo;

    // --- painting (extgrid_paint.cpp, extgrid_glyphs.cpp) ---
    // The grid's image list (image cells, images in HTML text).
    QList<QPixmap> GridImages;
    // Text without word wrap keeps its line breaks.
    bool Multilinecells = false;
    // Long texts are not cut with an ellipsis.
    bool EnhTextSize = false;
    // The font size of every cell grows by this many points (the zoom).
    int ZoomOffset = 0;
    // The cell text margins.
    int XYOffsetX = 2;
    int XYOffsetY = 2;
    // The named pictures of <IMG SRC="name"> in HTML cells; cleared when the container goes.
    QPointer<TPictureContainer> PictureContainer;
    // Pictures named by URL in HTML cells, as an application supplies them (none by default).
    THTMLPictureCache* PictureCache = nullptr;
    // GetDisplayText gives the formatted text (floats in their format) and keeps HTML tags.
    bool DisplayFormattedText = false;
    bool DisplayKeepTags = false;
    // The text a cell's formula shows: the stored text unless a descendant computes it.
    virtual void GetCellTextHook(int ACol, int ARow, QString& Text);
    // The plain text of a cell for copying, finding and export: an empty check box's state as its
    // check text, HTML without tags.
    virtual QString GetDisplayText(int ACol, int ARow);
    // Wraps every occurrence of AText in the cells (every cell with DoFixed, else the data cells)
    // in the highlight tag, which HTML cells draw in the highlight colours; UnHighlightAll takes
    // the tags out again.
    void HighlightText(bool DoFixed, bool CaseSensitive, const QString& AText);
    void UnHighlightAll(bool DoFixed);
    // The width and height a cell's text takes (auto-sizing, hints), margins included.
    virtual QSize CellTextSize(int ACol, int ARow, bool WordWrap);
    std::function<void(QObject* Sender, int ARow, int ACol, TGridPen& LeftPen, TGridPen& TopPen, TGridPen& RightPen,
                       TGridPen& BottomPen)>
        OnGetCellBorderProp;
    std::function<void(QObject* Sender, TGridCanvas& Canvas, int ACol, int ARow, TGridDrawState AState, const QRect& ARect,
                       bool Printing)>
        OnCustomCellDraw;
    std::function<void(QObject* Sender, int ALeft, int ATop, int ARight, int ABottom)> OnSelectionChanged;
    // The graphic a cell shows and its size; nullptr when it shows none.
    TCellGraphic* GetCellGraphicSize(int ACol, int ARow, TCellVAlign& VAlign, TCellHAlign& HAlign, bool& ShowText,
                                     int& Height, int& Width);
    // The alignment a cell's text takes: the grid's VAlignment, numbers right with AutoNumAlign,
    // the cell's own Alignment, then OnGetAlignment.
    void CellTextAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    // The check box and radio group painters of the cells.
    void DrawCheck(TGridCanvas& Canvas, const QRect& R, bool Checked, bool Enabled, TControlStyle Style);
    void DrawRadio(TGridCanvas& Canvas, const QRect& R, const QStringList& Texts, int Selected, bool Enabled,
                   bool Horizontal);
    // The sort glyph of a column centred at (X, Y).
    void DrawSortGlyph(TGridCanvas& Canvas, int ACol, int X, int Y);
    // Takes the colours of the current theme's scheme (blue, olive, silver, or none).
    void AdaptToTheme();

    // --- the mouse (extgrid_mouse.cpp): clicks, cell actions, hover and the grid's timer ---
    TMouseSelectMode MouseSelectMode() const { return mouseSelectMode_; }
    // Text of the type-ahead search, emptied after four idle ticks of the grid's timer.
    QString TypeAheadText() const { return typeAheadText_; }
    void SetTypeAheadText(const QString& value);
    // Cells whose mark-up holds a BLINK tag blink with the grid's timer.
    bool EnableBlink = false;
    bool BlinkOn() const { return blinkOn_; }
    // Hints: a cell's text as its hint (every data cell, or those whose text does not fit).
    bool HintShowCells = false;
    bool HintShowLargeText = false;
    bool HintShowSizing = false;
    bool HTMLHint = false;
    // One tick of the grid's timer (type-ahead expiry, hovering, blinking); the timer runs it
    // every 500 ms.
    void GridTimerTick();
    // Cells picked one by one with DisjunctCellSelect.
    const std::vector<TGridCoord>& SelectedCells() const { return selectedCells_; }
    bool IsCellSelected(int ACol, int ARow) const;
    // A radio group's item under a point (relative to the cell) is chosen.
    void ClickRadioGroup(int ACol, int ARow, int X, int Y);
    // Sizes a column to its widest text (within the column's auto-size limits).
    virtual void AutoSizeColumn(int ACol);
    // The hint of a cell at a viewport point; empty when there is none.
    QString CellHint(const QPoint& Pt);

    std::function<void(QObject* Sender, int ARow, int ACol)> OnClickCell;
    std::function<void(QObject* Sender, int ARow, int ACol)> OnRightClickCell;
    std::function<void(QObject* Sender, int ARow, int ACol)> OnDblClickCell;
    std::function<void(QObject* Sender, int ACol, int ARow, bool State)> OnCheckBoxClick;
    std::function<void(QObject* Sender, int ACol, int ARow, bool State)> OnCheckBoxMouseUp;
    std::function<void(QObject* Sender, int ACol, int ARow, int AIdx)> OnRadioClick;
    std::function<void(QObject* Sender, int ACol, int ARow, int AIdx)> OnRadioMouseUp;
    std::function<void(QObject* Sender, int ACol, int ARow)> OnButtonClick;
    std::function<void(QObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeExpandNode;
    std::function<void(QObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeContractNode;
    std::function<void(QObject* Sender, int ARow, int ARowReal)> OnExpandNode;
    std::function<void(QObject* Sender, int ARow, int ARowReal)> OnContractNode;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Anchor, bool& AutoHandle)> OnAnchorClick;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Anchor)> OnAnchorEnter;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Anchor)> OnAnchorExit;
    std::function<void(QObject* Sender, int ARow, int ACol, QString& Anchor)> OnAnchorHint;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal)>
        OnControlClick;
    // A form control's editor ended (the edit's or list's text now the control's VALUE).
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal)>
        OnControlEditDone;
    // The items of a COMBO form control's list (Edit: the list is editable; DropCount: its lines).
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal, QStringList& Values, bool& Edit, int& DropCount)>
        OnControlComboList;

    // --- form controls of HTML cells edited in place (extgrid_controls.cpp) ---
    struct TControlEditCell {
        int Col = -1;  // display column
        int Row = -1;
        QString ID;
        QString Type;
        bool Active = false;
        QString Value;  // the control's VALUE when its editor opened
    };
    const TControlEditCell& ControlEditCell() const { return controlEditCell_; }
    // An embedded BUTTON control is held down.
    bool ControlButtonDown() const { return controlButtonDown_; }
    // Opens the editor of the cell's next EDIT, PASSWORD, MASK or COMBO control after the one
    // with ID AfterID (the first with an empty ID); with none the grid takes the focus.
    void ShowControlEditor(int ACol, int ARow, const QString& AfterID = QString());
    // Opens the edit or the list of a form control over its rectangle (viewport coordinates);
    // a control edit still open is finished first.
    void EditCellControl(int ACol, int ARow, const QRect& ControlRect, const QString& ID, const QString& Type,
                         const QString& Value);
    // The open control editor's text becomes the control's VALUE in the cell text, the editor
    // hides and OnControlEditDone fires.
    void CellControlEditDone();
    std::function<void(QObject* Sender, int ACol, bool& DoSort)> OnCanSort;
    std::function<void(QObject* Sender, int ACol)> OnClickSort;
    std::function<void(QObject* Sender, int ACol, bool& Allow)> OnColumnSize;
    std::function<void(QObject* Sender, int ARow, bool& Allow)> OnRowSize;
    // The cell under the pointer that glListView tracks ((-1, -1) when none).
    TGridCoord HotCell() const { return hotCell_; }
    // The hint beside a column or row being sized ("cw=<b>..</b>", "rh=<b>..</b>"); empty when
    // none shows.
    QString SizingHintText() const;
    // The selection's resize handle: the 6 by 6 square at the last selected cell's bottom-right
    // corner (empty without SelectionResizer and SelectionRectangle).
    QRect SelectionHandleRect();
    // Whether a point lies on a border the user may size: the header's column borders with
    // goColSizing, the bottom borders of the fixed columns' cells.
    bool IsOnSizingBorder(int X, int Y);
    // A wheel notch; with goRowSelect and Navigation.KeepHorizScroll the first column stays.
    bool DoMouseWheelDown() override;
    bool DoMouseWheelUp() override;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Data, bool& Allow)> OnOleDrag;
    std::function<void(QObject* Sender, int ARow, int ACol)> OnOleDragStart;
    // Drag and drop (the editing half): a drag from this grid ended with a copy (1) or a move (2);
    // a cancelled or refused one ends without it.
    std::function<void(QObject* Sender, int OLEEffect)> OnOleDragStop;
    // A drag over a cell may be refused; a drop of text (or rich text) on a cell likewise.
    std::function<void(QObject* Sender, int ARow, int ACol, bool& Allow)> OnOleDragOver;
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& Data, bool& Allow)> OnOleDrop;
    // A text drop was pasted: the pasted block.
    std::function<void(QObject* Sender, const TGridRect& ARect)> OnOleDropped;
    // A header column of a grid of this program was dropped on a header cell; the handler moves it.
    std::function<void(QObject* Sender, int ARow, int ACol, int DropCol)> OnOleDropCol;
    // One file was dropped; a .csv or .xls/.xlsx file is loaded unless refused.
    std::function<void(QObject* Sender, int ARow, int ACol, const QString& FileName, bool& Allow)> OnOleDropFile;
    // Whether the grid's drop target is registered (OleDropTarget on with the editing half there).
    bool DropTargetRegistered() const { return dropTargetRegistered_; }
    std::function<void(QObject* Sender, int ACol, bool& Allow)> OnColumnMove;
    std::function<void(QObject* Sender, int ARow, bool& Allow)> OnRowMove;
    // With EnhRowColMove, the floating image of the header being moved, at the pointer; nullptr
    // or hidden when no move runs.
    QWidget* MoveHeaderImage() const;

    // --- the keyboard (extgrid_keys.cpp) ---
    // Tab and Shift+Tab between the editable cells (the editors hand Tab back through it).
    void MoveCellFocus(Qt::KeyboardModifiers Shift);
    // Moves from the cell to the next (Forward) or previous editable cell in the advance order;
    // only with AdvanceOnEnter or Force. Cells that cannot be edited are passed over, at most once
    // round the grid.
    void AdvanceCell(int ACol, int ARow, bool Force, bool OpenEditor, bool Forward);
    // The first data row whose text in the sort column begins with the (upper-case) text; -1.
    virtual int LookupRow(const QString& Text);
    std::function<void(QObject* Sender, int ARow)> OnAutoAddRow;
    std::function<void(QObject* Sender, int ARow, bool& Allow)> OnCanDeleteRow;
    std::function<void(QObject* Sender, bool& Allow)> OnClipboardCut;
    std::function<void(QObject* Sender, bool& Allow)> OnClipboardCopy;
    std::function<void(QObject* Sender, bool& Allow)> OnClipboardPaste;
    // A paste into the inplace edit: the text may be changed or the paste refused.
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)> OnClipboardBeforePasteCell;
    // Each change of the inplace edit's text while the user edits (Sender = the grid).
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value)> OnEditChange;
    std::function<void(QObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)> OnAutoAdvance;
    std::function<void(QObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)> OnCellChanging;

    // --- footers, column calculations, selection text, auto-sizing (extgrid_footer.cpp) ---
    // Over the rows FromRow .. ToRow of a column: cells that hold no number are passed over
    // (an empty cell counts as 0). A range that reaches past the displayed rows counts real rows,
    // hidden ones included; else display rows, without the node and summary rows of a grouping.
    double ColumnSum(int ACol, int FromRow, int ToRow);
    // The sum over the number of rows; 0 when the range holds none.
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    // Recalculates the footer cells of the column (-1: every column) by each cell's calculation
    // kind (its record's FooterCalc: 1 sum, 2 average, 3 count, 4 minimum, 5 maximum, 7 custom
    // through FloatingFooter.OnCalcFooter); only with a visible floating footer of
    // fsFixedLastRow. UpdateFooterColumn forwards to it and is what data changes call.
    virtual void UpdateFooter(int ACol);
    // Fixed cells never count; with DisjunctRowSelect the row's flag decides, with
    // DisjunctColSelect the column's, else the selection rectangle.
    bool IsSelected(int ACol, int ARow);
    // The selected cells' texts: TAB between cells, CR LF between rows, none after the last.
    QString SelectionAsText();
    // Invalidates the cells from the rectangle's first to its last cell.
    void RepaintCellRange(const TGridRect& R);
    // Sizes every column (from column 0 with DoFixedCols, else from FixedCols) to its content;
    // an extra width is added to each, within the column width limits.
    void AutoSizeColumns(bool DoFixedCols, int Padding);
    void AutoSizeRow(int ARow);
    // (TextHeight + TextHeight div 8) * Lines + Extra, within the row height limits.
    void AutoSizeRowToFont(int ARow, int Lines, int Extra);
    // The most lines of a cell of the row (at least 1; 1 without Multilinecells).
    int MaxLinesInRow(int ARow);
    // Exchanges two rows for sorting: their entries of RowIndexList, their cells (only the sort
    // column's with SortSettings.SingleColumn), heights and, with DisjunctRowSelect and
    // MoveRowOnSort, their selected flags.
    virtual void SwapRows(int ARow1, int ARow2);
    int SwapCount() const { return swapCount_; }
    // The row-index list: entry r is the place the row now at r had before any sort (the
    // unsorted order that RestoreUnsortedOrder puts back). Empty until the first sort; a list
    // whose length differs from RowCount is out of step and is rebuilt by the next sort.
    TIntList& RowIndexList() { return rowIndexList_; }
    // Refills the row-index list with 0 .. RowCount-1: the present order becomes the unsorted one.
    virtual void RebuildRowIndex();
    // To be called after ACount rows were inserted at ARow: in the unsorted order too the new rows
    // stand just before the row they were inserted before (at the end when appended). After
    // ACount rows from ARow were removed: their entries go and the rest keep their order. Both
    // leave an empty or out-of-step list as it is.
    void RowIndexRowsInserted(int ARow, int ACount);
    void RowIndexRowsRemoved(int ARow, int ACount);
    // The row whose place SwapRows follows (-1: none).
    int TrackedRow() const { return trackedRow_; }
    void SetTrackedRow(int value) { trackedRow_ = value; }
    // The floating footer's and the search bar's panels, docked below the cells. The search bar
    // is made when it is first shown or asked for.
    TFooterPanel* FooterPanel() const { return footerPanel_; }
    TSearchPanel* SearchPanel();
    // Paints the floating footer's panel (its client rectangle) as FooterStyle asks.
    void PaintFooterPanel(TGridCanvas& Canvas, const QRect& Client);
    // The text fsCustomPreview shows for a row.
    QString FooterTemplateText(int ARow);
    // The column of the footer panel under a panel x (-1 beyond the last).
    int FooterColumnAt(int X);
    // Copies SearchFooter into the search panel.
    void ApplySearchFooter();
    // Draws a footer cell in place of the grid's text drawing.
    std::function<void(QObject* Sender, int ACol, int ARow, TGridCanvas& Canvas, const QRect& ARect)> OnFooterPaint;
    // The controls shown in cells (a cell's record names its Control); the list owns them.
    TControlList& CellControls() { return cellControls_; }
    // After rows were hidden, shown, sized or scrolled: each control of the list goes to its
    // cell's rectangle when the cell is in view, and hides otherwise (also in a hidden row or
    // column); the footer panel repaints.
    void UpdateFooterPanels();
    // The move arrows (0 up, 1 down, 2 right, 3 left) and the popup label.
    TArrowWindow* ArrowWindow(int Direction) const;
    TPopupButton* PopupButton() const { return popupButton_; }

    // --- the window's level (extgrid_window.cpp) ---
    // Widths and heights grow (shrink) by Delta while the zoom level stays within -10 .. 10.
    void Zoom(int Delta);
    int ZoomLevel() const { return zoomLevel_; }
    // The middle button pans the current cell while it is held (IntelliPan); one step a tick.
    bool Panning() const { return panning_; }
    void PanTick(const QPoint& Pointer);
    // The panning mark at the start point while panning (drawn by the paint pass), and the
    // repaint of its 32 by 32 square.
    void DrawPanBitmap();
    void InvalidatePanBitmap();
    QWidget* GetCellControl(int ACol, int ARow) const;
    void SetCellColor(int ACol, int ARow, TColor AColor);
    void SetCellColorTo(int ACol, int ARow, TColor AColor);
    void SetCellFontColor(int ACol, int ARow, TColor AColor);
    TColor GetCellColorTo(int ACol, int ARow) const;
    bool IsCellReadOnly(int ACol, int ARow) const;
    // A colour for every cell of a row; clNone takes that colour back and nothing else.
    void SetRowColor(int ARow, TColor AColor);
    void SetRowColorTo(int ARow, TColor AColor);
    void SetRowFontColor(int ARow, TColor AColor);
    QString StrippedCellText(int ACol, int ARow);
    virtual QString CurrentCellRawText();
    virtual void SetCurrentCellText(const QString& Text);
    // Whether the cell may be edited: editing on, not fixed, and the cell allows it.
    bool CellEditable(int ACol, int ARow);
    // The inplace editor gets the HTML tags of a cell too.
    bool EditWithTags = false;
    // The text an editor hands back: through the runtime's edit text, then into the cell of the
    // real column.
    virtual void TextFromEditor(int ACol, int ARow, const QString& Text);
    // An editor's ellipsis button: Text becomes Value, then OnEllipsClick may change it.
    virtual void EllipsisClick(const QString& Value, QString& Text);
    std::function<void(QObject* Sender, int ACol, int ARow, QString& S)> OnEllipsClick;
    void DoEditingDone();
    // The inplace editor: none over a cell whose control a click works (check box, radio,
    // button); hiding writes the editor's text into the cell.
    void ShowInplaceEditor();
    void HideInplaceEditor();
    // A key an editor hands back: the editor closes, Tab and the arrows move as in the grid,
    // Enter advances to the next cell.
    void EditorKeyNavigate(int Key, Qt::KeyboardModifiers Shift);
    bool EditorHandingOver() const { return editorHandOver_; }
    std::function<void(QObject* Sender)> OnEditingDone;

    // --- delimited files, worksheets and the grid text stream (defined in the editing half) ---
    // The field delimiter of CSV files; the null character detects it on every load (the detected
    // one serves that load only).
    QChar Delimiter;
    // A "~" in a CSV field stands for a line break; otherwise a field's character 11 does.
    bool TildeLineBreaks = false;
    // Files and streams cover the whole grid; otherwise they start at the first data column and
    // row and leave out the right fixed columns and the footer rows. The same switch as
    // SaveFixedCells (the data area), so on from construction.
    bool IncludeFixedCells() const { return SaveFixedCells; }
    void SetIncludeFixedCells(bool value) { SaveFixedCells = value; }
    // CSV files come in the OEM code page (850).
    bool OemConvert = false;
    // Fills the data cells from a delimited text file, read whole first: UTF-8 (a byte order mark
    // skipped) or else Windows-1252; quoted fields may run over lines. The data area is emptied
    // first; an empty file leaves one empty data row. "Cannot open file " + name when it cannot be
    // read, the grid unchanged.
    void LoadFromCSV(const QString& FileName);
    // The workbook's active sheet.
    void LoadFromXLS(const QString& FileName);
    // A worksheet of an .xls or .xlsx workbook (the active one for an empty name), read whole
    // before the grid changes: the used range into the data cells, numbers in the user's format
    // settings, dates as short dates, error cells left empty. "Cannot open file " + name for a
    // workbook that does not read, "Excel worksheet " + name + " not found" for a missing sheet.
    void LoadFromXLSSheet(const QString& FileName, const QString& SheetName);
    // The grid text stream: the data area's size, every column's width and each non-empty cell's
    // stored text, one line each.
    void SaveToTextStream(QIODevice& Stream);
    // Reads a grid text stream whole, checking every count and index (the error names the line),
    // then applies it; lines end in LF or CR LF.
    void LoadFromTextStream(QIODevice& Stream);
    std::function<void(QObject* Sender, int Progress)> OnFileProgress;

    // --- edit validation and change notification (defined in the editing half) ---
    // Remembers the cell being edited (display column) with its text of the real column and the
    // row's modified flag.
    void BeginEditValue(int ACol, int ARow);
    // Validates and writes an edited value into the remembered cell: an unchanged value is
    // neither validated nor written; a refused value puts the text from before editing (or the
    // handler's correction) back and opens the editor on that cell again. False when refused; a
    // commit from inside another one does nothing and answers True.
    bool CommitEditValue(const QString& Value);
    // The same for the cell's wide text (OnCellValidateWide, no checker, no modified flag).
    bool CommitEditValueWide(const QString& Value);
    // The editing half validates even a value equal to the text from before editing.
    bool AlwaysValidate = false;
    // The cells of R (left, top, right, bottom) changed: OnCellsChanged, the companions, then
    // every footer column.
    void CellsChanged(const QRect& R);
    // Recalculates the footer of a column, or of every column for -1.
    virtual void UpdateFooterColumn(int ACol);
    void AddCompanion(TGridCompanion* Companion);
    void RemoveCompanion(TGridCompanion* Companion);
    // The checker that corrects (AutoCorrect) and marks (AutoMarkError) accepted values; the
    // grid forgets it when it is freed.
    TExtStringGridCheck* CellChecker() const;
    void SetCellChecker(TExtStringGridCheck* value);
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidate;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidateWide;
    std::function<void(QObject* Sender, const QRect& R)> OnCellsChanged;

    // --- editor hosting (defined in the editing half) ---
    // The editor kind chosen for the cell being edited, and whether an editor is open.
    TEditorType CurrentEditor() const { return currentEditor_; }
    bool EditorShown() const { return editorShown_; }
    // The control that edits the cell now (nullptr for text kinds and the check box).
    QWidget* ActiveEditorControl() const { return activeEditor_; }
    // Places, fills and focuses the special editor of the current kind over the cell.
    void ShowInplaceEditor(int ACol, int ARow);
    // Writes the special editor's value back into the cell (only a value the user changed) and
    // hides the editor.
    void EditorToCell(int ACol, int ARow);
    // Puts the text from before editing back into the current cell.
    void RestoreEditText();
    // Ends the special editor without a write, a validation or a notice (Escape); the grid
    // takes the focus.
    void CancelInplaceEditor();
    // The spin editor's steps (buttons, Page Up/Down, Home, End): the current cell (real
    // column), the new value and whether it went up.
    std::function<void(QObject* Sender, int ACol, int ARow, int AValue, bool UpDown)> OnSpinClick;
    std::function<void(QObject* Sender, int ACol, int ARow, double AValue, bool UpDown)> OnFloatSpinClick;
    std::function<void(QObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)> OnDateSpinClick;
    std::function<void(QObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)> OnTimeSpinClick;
    // The character whose key press started editing (null when none).
    QChar StartCharacter() const { return startChar_; }
    // The list position a list editor selects when the cell's text is no item (-1: the first).
    int DefaultListPosition = -1;
    // The custom editor of edCustom cells.
    TEditLink* EditLink = nullptr;
    // Operations that must not open an editor set this for their time.
    bool EditingSuppressed = false;
    std::function<void(QObject* Sender, int ACol, int ARow, TEditLink* AEditLink)> OnGetEditorProp;
    std::function<void(QObject* Sender, int OldRow, int NewRow, bool& Allow)> OnRowChanging;
    // The user chose an item in a cell's list editor (the current cell, the item's position and
    // text, and its object), and the list closed up.
    std::function<void(QObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)> OnComboChange;
    std::function<void(QObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection, QObject* AObject)>
        OnComboObjectChange;
    std::function<void(QObject* Sender, int ACol, int ARow)> OnComboCloseUp;
    std::function<void(QObject* Sender, int OldCol, int NewCol, bool& Allow)> OnColChanging;
    // The grid's Width and Height follow its form's change of size.
    bool SizeWithForm = false;
    // The balloon tool-tip window while Balloon.Enable is set and the grid is loaded; nullptr
    // otherwise. OnCellBalloon may change its title, text and icon (1 = information).
    TGridBalloon* BalloonWindow() const { return balloon_.get(); }
    // The balloon's text for a cell: tags stripped, tabs as blanks, leading breaks dropped, at
    // most 1024 characters.
    QString BalloonText(int ACol, int ARow);
    std::function<void(QObject* Sender, int ACol, int ARow, QString& ATitle, QString& AText, int& AIcon)> OnCellBalloon;

    // --- appearance: each setter repaints what it changes ---
    TGridLook Look() const { return look_; }
    void SetLook(TGridLook value);
    bool ActiveCellShow() const { return activeCellShow_; }
    void SetActiveCellShow(bool value);
    TColor ActiveCellColor() const { return activeCellColor_; }
    void SetActiveCellColor(TColor value);
    TColor ActiveCellColorTo() const { return activeCellColorTo_; }
    void SetActiveCellColorTo(TColor value);
    bool URLShow() const { return urlShow_; }
    void SetURLShow(bool value);
    // The colour and the whole-text switch of links repaint only while links show.
    TColor URLColor() const { return urlColor_; }
    void SetURLColor(TColor value);
    bool URLFull() const { return urlFull_; }
    void SetURLFull(bool value);
    bool URLEdit = false;
    bool Hovering = false;
    // Passed to the search footer; switched on, the colours follow the current theme.
    bool AutoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool value);
    // The picture of the current row's fixed cell in column 0.
    const QPixmap& RowIndicator() const { return rowIndicator_; }
    void SetRowIndicator(const QPixmap& value);
    // Takes the values of a background and repaints.
    void SetBackGround(const TBackGround& value);

    // --- scroll bars ---
    TScrollBarAlways ScrollBarAlways() const { return scrollBarAlways_; }
    void SetScrollBarAlways(TScrollBarAlways value);
    // ssFlat and ssEncarta draw both bars flat, ScrollWidth wide, in ScrollColor (clNone: the
    // style's colour); ssNormal draws them as the style does.
    TScrollType ScrollType() const { return scrollType_; }
    void SetScrollType(TScrollType value);
    TColor ScrollColor() const { return scrollColor_; }
    void SetScrollColor(TColor value);
    int ScrollWidth() const { return scrollWidth_; }
    void SetScrollWidth(int value);
    // The thumbs are as long as the visible part of the rows and columns (always so here).
    bool ScrollProportional = false;
    // The grid follows the thumb while it is dragged.
    bool ScrollSynch() const { return scrollSynch_; }
    void SetScrollSynch(bool value);
    // The text of the hint that shows while a thumb is dragged (empty when none shows).
    QString ScrollHintText() const { return scrollHintText_; }
    std::function<void(QObject* Sender, int Index, QString& Hint)> OnScrollHint;
    // A column (row) sized by the user, at the end of the sizing.
    std::function<void(QObject* Sender, int Index)> OnEndColumnSize;
    std::function<void(QObject* Sender, int Index)> OnEndRowSize;

    // --- column stretching (ColumnSize.Stretch, ColumnSize.StretchColumn) ---
    // Widens the column (-1: the last) to fill the client width; raises Exception "Stretch
    // column index out of range" for any other column outside the grid.
    void StretchColumn(int ACol);
    // The sum of all column widths; 1 when that is 0.
    int TotalColWidth() const;
    virtual void AddRow();

    // --- column widths kept between runs (ColumnSize.Save, Key, Section, Location) ---
    void SaveColSizes();
    void LoadColSizes();

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
    // A cell's rich text (real column) into a rich-text control (an empty cell clears it), and
    // the control's rich text back into the cell (extrichedit.cpp). Loaded and stored back
    // unchanged, the cell keeps its text byte for byte.
    void CellToRichEdit(int ACol, int ARow, TExtRichEdit* RichEdit);
    void RichEditToCell(int ACol, int ARow, TExtRichEdit* RichEdit);
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
    TEditorType GetEditorType(int ACol, int ARow);
    bool IsFixedCell(int ACol, int ARow);
    bool IsPasswordCell(int ACol, int ARow);
    bool HasComboBox(int ACol, int ARow);
    // The cell's text as it is shown: a number in the float format the OnGetFloatFormat event
    // (the column grid: the column's FloatFormat) gives it, else the stored text.
    virtual QString GetFormattedText(int ACol, int ARow);
    std::function<void(QObject* Sender, int ACol, int ARow, bool& IsFloat, QString& FloatFormat)> OnGetFloatFormat;

    // --- cell kinds (display indices; the lookups are virtual so that the column grid answers
    // per column) ---
    // ctEmpty for a negative index or a cell without a graphic; with HotmailRowSelect column 0
    // is a row check box.
    virtual TCellType GetCellType(int ACol, int ARow);
    // The cell's own graphic; with HotmailRowSelect column 0 answers one shared row check box
    // whose CellBoolean is the row's selected flag.
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
    // A new graphic for the cell in place of the cell's own one (a shared record is never freed).
    TCellGraphic* CreateCellGraphic(int ACol, int ARow);
    // Frees the cell's own graphic; true when it had one.
    bool RemoveCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType Kind);
    // The base cell's kind is one a click acts on (check boxes, radio groups, buttons).
    bool HasActiveControl(int ACol, int ARow);
    bool IsCheckBoxCell(int ACol, int ARow);
    bool IsButtonCell(int ACol, int ARow);
    bool IsSummaryRow(int ARow);
    bool GetCellComment(int ACol, int ARow, QString& Comment);
    void GetCellErrorRange(int ACol, int ARow, int& From, int& Len);
    // Sets CellBoolean of the cell's graphic (nothing without one) and repaints the cell.
    void SetCellBooleanFlag(int ACol, int ARow, bool Value);
    // The kind's payload: a bitmap's picture, an icon, an image list's index; -1 otherwise.
    QVariant CellGraphicPayload(int ACol, int ARow);

    // --- check boxes and radio groups ---
    // Makes the cell a check box: a data box (Data) shows and writes the cell's text as the
    // check-true or check-false text and keeps no state of its own; any other keeps State.
    void SetCellCheckBox(int ACol, int ARow, bool State, bool Data);
    // The box's state into State; false when the cell holds no check box.
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    // Flips the box as a click does; with AskEditable only where the cell may be edited. False
    // when the cell holds no box or may not be edited.
    virtual bool ToggleCheckBox(int ACol, int ARow, bool AskEditable);
    // Moves a radio group on to its next option (back to the first after the last); it answers
    // false in every case.
    bool ToggleRadio(int ACol, int ARow, bool AskEditable);
    // Every check box of the column from FixedRows on set (cleared).
    void CheckAll(int ACol);
    void UnCheckAll(int ACol);
    // Whether a press at the viewport point hits the cell's box: anywhere in the cell, or with
    // MouseActions.PreciseCheckBoxCheck only inside the glyph's square.
    bool IsCheckBoxHit(int ACol, int ARow, int X, int Y);
    // The square the check box glyph of the cell takes, in viewport coordinates.
    QRect CheckBoxSquare(int ACol, int ARow);

    // --- typed values (through GetCellText and SetCellText) ---
    void SetInts(int ACol, int ARow, int Value);
    // An empty text and "-" read as 0; any other text that is not a whole integer raises
    // EExtGridError "Cell does not contain integer value".
    int GetInts(int ACol, int ARow);
    // The value in FloatFormat with the format settings' decimal separator.
    void SetFloats(int ACol, int ARow, double Value);
    // Thousand separators dropped; an empty text and "-" read as 0; raises EExtGridError "Cell
    // does not contain a float value".
    double GetFloats(int ACol, int ARow);
    // The same on the text the cell shows (GetFormattedText).
    double GetDisplayFloats(int ACol, int ARow);
    // A date of 0 or less writes an empty text unless ShowNullDates; else the short date.
    void SetDates(int ACol, int ARow, TDateTime Value);

    // --- row and column selection flags (rows are real with RowSelectPersistent) ---
    // Raises EExtGridError "Invalid row accessed" outside 0 .. RowCount + hidden rows - 1.
    bool GetRowSelect(int ARow);
    void SetRowSelect(int ARow, bool Value);
    // Raises EExtGridError "Invalid column accessed" outside 0 .. ColCount - 1.
    bool GetColSelect(int ACol);
    void SetColSelect(int ACol, bool Value);
    // Flags the rows (columns) of the selection rectangle; All also clears every other one.
    void SelectAllRows(bool All);
    void SelectAllCols(bool All);
    void ClearRowSelect();
    void ClearColSelect();
    // The number of rows (columns) flagged.
    int RowSelectCount() const;
    int ColSelectCount() const;

    // --- modified rows (painted by ShowModified, flagged by accepted edits) ---
    bool IsRowModified(int ARow) const;
    void SetRowModified(int ARow, bool Value);
    const TIntList& RowModified() const { return rowModified_; }

    // --- repainting parts of the grid (display indices) ---
    void RepaintRect(const TGridRect& R);
    void RepaintCell(int ACol, int ARow);
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintFixedHeaders(int FromCol, int ToCol, int FromRow, int ToRow);

    // --- column widths by real column (a hidden column keeps its width) ---
    int GetColWidthReal(int ACol) const;
    void SetColWidthReal(int ACol, int AWidth);
    // Run when the user has sized a column, and on a width that auto-sizing measured; both fire
    // OnUpdateColumnSize. The column grid holds them within its columns' limits first.
    virtual void UpdateColumnSize(int ACol, int& AWidth);
    virtual void UpdateAutoColumnSize(int ACol, int& AWidth);
    std::function<void(QObject* Sender, int ACol, int& AWidth)> OnUpdateColumnSize;
    // Whether the column's header shows a filter list (the column grid's columns have them).
    virtual bool HasColumnFilter(int ACol);

    // --- the mapping between display rows and columns (what the grid shows) and real ones (their
    // place with nothing hidden); a hidden row's real index stays its own while it is away ---
    virtual int RealToDisplCol(int ACol) const;
    int DisplToRealCol(int ACol) const { return RealColIndex(ACol); }
    int RealColIndex(int ACol) const;
    int RealCol() const { return RealColIndex(Col()); }
    int RealRowIndex(int ARow) const;
    int DisplayRowIndex(int ARow) const;
    int DisplToRealRow(int ARow) const { return RealRowIndex(ARow); }
    int RealToDisplRow(int ARow) const { return DisplayRowIndex(ARow); }
    int HiddenColCount() const { return hiddenColCount_; }
    bool IsHiddenColumn(int ACol) const;

    // --- hidden rows (real indices): each held by a TGridItem, sorted by Idx ---
    int HiddenRowCount() const { return int(hiddenRows_.size()); }
    bool IsHiddenRow(int ARow) const { return HiddenRowItem(ARow) != nullptr; }
    const TGridItem* HiddenRowItem(int ARow) const;
    // Hides the rows of the range that are shown.
    void HideRows(int FromRow, int ToRow);
    // Hides the listed display rows (ascending) in one pass, whatever is hidden already.
    void HideRowList(const std::vector<int>& Rows);
    // Brings back the hidden rows of the range, when its first row is hidden.
    void UnHideRows(int FromRow, int ToRow);
    void UnHideRowsAll();
    // The stored text of a cell of a real row, shown or hidden.
    void GetRealCellText(int ACol, int ARow, QString& Text) const;
    // Removes (inserts) one real row; the hidden rows behind it follow.
    void RemoveRealRow(int ARow);
    void InsertRealRow(int ARow);

    // --- the data area (the fixed cells belong to it while SaveFixedCells is set) ---
    bool SaveFixedCells = true;
    int FirstDataCol() const;
    int FirstDataRow() const;
    int LastDataCol() const;
    int LastDataRow() const;
    int DataColCount() const;
    int DataRowCount() const;

    // --- rows and columns as blocks (empty rows and columns in; rows out with their records) ---
    // With the editing half started these are its full steps (grid/editing/extgrid_insert.cpp):
    // hidden rows, the row and column flags, the modified flags, the sort order's row list and
    // the controls in cells follow the rows and columns, and every change ends with CellsChanged.
    // Without it, the plain steps here move only the cells, heights and hidden rows.
    // N empty rows of the default height at display row ARow (0 .. RowCount).
    virtual void InsertRows(int ARow, int ARowCount);
    // Removes N rows from ARow with their records; N is clamped to the rows there are, a row
    // outside the grid or N <= 0 does nothing, and the grid keeps at least one row (emptied).
    virtual void RemoveRows(int ARow, int ARowCount);
    // N empty columns of the default width at ACol (0 .. ColCount).
    virtual void InsertCols(int ACol, int AColCount);
    // Removes N columns from ACol, clamped as RemoveRows; the grid keeps at least one column.
    virtual void RemoveCols(int ACol, int AColCount);
    // Empties the texts and records of the rectangle's cells (display columns).
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);

    // --- the editing half's structural edits (grid/editing/extgrid_insert.cpp) ---
    // Removes N rows keeping every other row's height; AdjustHidden moves the hidden rows behind
    // them up. The current row stays where it was, or goes to the last data row when it fell on
    // or past the footers.
    void DeleteRowBlock(int ARow, int ARowCount, bool AdjustHidden);
    // RemoveRows, with an open editor closed first and the controls in cells placed again.
    void DeleteRowsWithControls(int ARow, int ARowCount);
    // Takes N rows out and hands them to the caller with their records (the caller may put them
    // back with PutRows); the current row stays, or goes to FixedRows when it is gone.
    std::vector<TGridRowBlock> RemoveRowsNoFree(int ARow, int ARowCount);
    // Removes every data row whose selection flag is set (without DisjunctRowSelect: the rows of
    // the selection), in one pass.
    void RemoveSelectedRows();
    // Appends one empty row: before the floating footer's row when that shows, else at the end.
    void AutoInsertRow();
    // ClearRect over whole rows (every column, hidden ones too) or whole columns.
    void ClearRowRange(int ARow, int ARowCount);
    void ClearColRange(int ACol, int AColCount);
    // Empties the selection: the rectangle, or the flagged rows or columns.
    void ClearSelectedCells();
    // Empties the whole grid: no node, no hidden row, no text, no record; the filter is switched
    // off and the type-ahead text emptied.
    void ClearAll();
    // Splits every merged cell of the column.
    void UnMergeCol(int ACol);
    // Merges each run of equal texts of the column's data rows into one cell; without
    // IgnoreSpans two rows join only when they lie in the same merged areas of the other columns.
    void MergeEqualCells(int ACol, bool IgnoreSpans);
    // The columns kept merged by equal cells: every change splits every column and merges the
    // listed ones again in list order (the first ignoring spans, the others inside its areas).
    TIntList& MergeColumns();
    // The two halves of that, for sorting: split every column; merge the listed columns again.
    void UnMergeAllColumns();
    void MergeListedColumns();
    // --- the clipboard and the grid's cell streams (grid/editing/extgrid_clipboard.cpp) ---
    // Copies the selection, first extended over the merged areas that start inside it (with
    // disjunct row or column selection: the flagged rows or columns of their bounding block), as
    // plain text, with Navigation.AllowRTFClipboard the top-left cell's rich text, and with
    // AllowFmtClipboard the cells with their records and graphics as the grid's own format.
    void CopySelectionToClipboard();
    // Copies, then empties the copied cells that may be edited (every one with
    // AllowClipboardAlways); with AllowFmtClipboard their records go too.
    void CutSelectionToClipboard();
    // Pastes at the selection's top-left cell; with AllowSmartClipboard a larger selection is
    // filled after the pasted cells: one value repeated, or a series of numbers or dates.
    void PasteFromClipboard();
    // Pastes the clipboard's best format with its top-left at the cell (display column): the
    // grid's own cells, rich text, or text. The number of cells pasted; 0 when nothing was.
    int PasteAt(int ACol, int ARow);
    // Pastes text as the clipboard carries it (TAB between cells, a line break between rows,
    // quoted cells) at the cell: each cell through OnClipboardBeforePasteCell (a wide one
    // through OnClipboardBeforePasteWideCell) and only where it may be edited; the grid grows
    // with AllowClipboardColGrow and AllowClipboardRowGrow. The number of cells written.
    int PasteText(int ACol, int ARow, const QString& Text);
    // The text a block of display cells copies as.
    QString ClipboardText(const TGridRect& R);
    // Writes the block's cells with their records and graphics in the grid's own format.
    void SaveCellsToStream(const TGridRect& R, QIODevice& Stream);
    // Reads the grid's own format and places the block at Pos (display column, row); a block
    // of the whole grid replaces the grid with its size, widths and heights. The number of cells
    // of the block; 0 when the data is damaged or foreign, or the grid refuses it, and the grid
    // is then unchanged.
    int LoadCellsFromStream(const TGridCoord& Pos, QIODevice& Stream);
    // Puts the cell's rich text on the clipboard when it holds one.
    void CopyRTFToClipboard(int ACol, int ARow);
    // The grid's own cells are on the clipboard (set by a copy, cleared by a cut).
    bool OwnCellsOnClipboard() const { return ownCellsOnClipboard_; }
    // The grid's identity within this process, which its streams carry.
    int GridId() const;
    // Multi-line cells copy in the quoted form with character 11 for their line breaks.
    bool QuoteMultiLineCells = false;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)> OnClipboardBeforePasteWideCell;
    // OnFileProgress (above) reports the progress of a stream being written.

    // The cell text starts with the wide-text marker.
    bool IsUnicodeCell(int ACol, int ARow) const;
    // Writes the text to the real column of display column ACol.
    void SetDisplayCellText(int ACol, int ARow, const QString& Value);

    // --- nodes: collapsible row groups marked in column 0 (rows are real unless named display) ---
    void AddNode(int ARow, int Span);
    void RemoveNode(int ARow);
    void RemoveAllNodes();
    void ExpandNode(int ARow);
    void ContractNode(int ARow);
    void ExpandAllNodes();
    void ContractAllNodes();
    bool IsNodeRow(int DisplRow);
    bool IsNodeContracted(int DisplRow);
    int NodeSpan(int DisplRow);
    void AdjustNodeSpan(int DisplRow, int Delta);
    int NodeLevel(int DisplRow);
    int NodeCount() const { return nodeCount_; }
    int ParentNodeRow(int ARow);
    bool NodeGlyphHit(int DisplRow, int X);
    void InsertChildRow(int ARow, int Offset);
    void RemoveChildRow(int ARow);
    void SetSummaryRow(int ARow);
    void RepaintNodeColumn();
    // A finished column or row move by the mouse: the cells move with it.
    void DoColumnMoved(int FromIndex, int ToIndex);
    void DoRowMoved(int FromIndex, int ToIndex);

    // --- filter ---
    bool FilterActive() const { return filterActive_; }
    void SetFilterActive(bool value);
    void ApplyFilter();
    // True when the row passes every condition of Filter.
    virtual bool MatchFilter(int ARow);
    std::function<void(QObject* Sender, int Progress)> OnFilterProgress;

    // --- grouping by a column (settings in Grouping) ---
    virtual void GroupInPlace(int ACol);
    virtual void UnGroupInPlace(int ACol);
    virtual void Group(int ACol);
    virtual void UnGroup();
    int GroupColumn() const { return groupColumn_; }

    // --- selection, scrolling, the current row ---
    void SaveSelection();
    void RestoreSelection();
    bool SelectionSaved() const { return selectionSaved_; }
    void ScrollInView(int ACol, int ARow);
    int GetRow() const { return Row(); }
    void SetRow(int value);
    std::function<void(QObject* Sender, int OldRow, int NewRow)> OnRowUpdate;
    void ScreenToCell(const QPoint& Pt, int& ACol, int& ARow) const;

    // --- cell kinds kept with the model (display indices) ---
    bool IsRadioCell(int ACol, int ARow, int& Index);
    int GetRadioIndex(int ACol, int ARow);
    bool HasRadio(int ACol, int ARow);
    bool IsRotated(int ACol, int ARow, int& Angle);

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
    // A calculation's progress: (0, -1) before, (1, row) for each row counted, (2, -1) after.
    virtual void CalcProgress(int Stage, int ARow);
    void FooterRowChanged() override;
    // Runs when ColumnHeaders changes, before its lines are written into the header row.
    virtual void ColumnHeadersChanged();

    void Paint() override;
    bool CellDrawnFixed(int ACol, int ARow) override;
    int RowIndent(int ARow) override;
    bool HasNodes() override;
    void PaintEmptyArea(TGridCanvas& Canvas, const QRect& Part, const QRect& Bounds) override;
    // The text of a cell (step of the cell's content); answers the width the text took (0 for
    // none), which places a graphic beside it.
    virtual int DrawCellText(TGridCanvas& Canvas, int ACol, int ARow, QRect Rect, TGridDrawState State,
                             TAlignment HAlign, TVAlignment VAlign, bool WordWrap, const TCellGraphic* Graphic,
                             int GraphicWidth, int GraphicHeight, TCellHAlign GraphicHAlign, TCellVAlign GraphicVAlign);
    // The cell's graphic or control in its rectangle.
    virtual void DrawCellGraphic(TGridCanvas& Canvas, int ACol, int ARow, const QRect& Rect, TCellGraphic& Graphic,
                                 TGridDrawState State, TAlignment HAlign, TVAlignment VAlign, int TextWidth,
                                 int Width, int Height);
    void GetCellDrawSettings(TGridCanvas& Canvas, int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign,
                             bool& WordWrap, TColor& ColorTo, bool MapColumn, bool UseSelection, bool Printing,
                             TGridDrawState& State) override;
    void DrawCellContent(TGridCanvas& Canvas, int ACol, int ARow, const QRect& Rect, TGridDrawState State) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void ScrollBarsUpdated() override;
    int GetEditLimit() override;
    TInplaceEdit* CreateEditor() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColWidthsChanged() override;
    void RowHeightsChanged() override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void KeyDown(int& Key, Qt::KeyboardModifiers Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(int& Key, Qt::KeyboardModifiers Shift) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    bool CanEditShow() override;
    bool SelectCell(int ACol, int ARow) override;
    void EditorHidden() override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void TopLeftChanged() override;
    void leaveEvent(QEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void CalcSizingState(int X, int Y, TGridState& State, int& Index) override;
    virtual void SelectionChanged(int ALeft, int ATop, int ARight, int ABottom);

    // Writes the header lists into the header row and column.
    void ApplyColumnHeaders();
    void ApplyRowHeaders();
    // Brings the scroll bars in line with ScrollBarAlways; Hide runs the hiding pass.
    void UpdateScrollBars(bool Hide);

    // The sort the grouping runs (stable, by SortSettings.Column's text, over the data rows); the
    // sorting half replaces it.
    virtual void QSort();

private:
    friend class TGridEditingHost;
    friend struct TGridClipboard;
    // A drag of the selection or of a header column from the cell (the editing half).
    void hostStartDrag(int ACol, int ARow);
    // The editing half's steps behind the overrides above (grid/editing/).
    bool hostCanEditShow(bool RuntimeAnswer);
    bool hostSelectCell(int ACol, int ARow);
    bool selectCellSteps(int ACol, int ARow);
    void hostEditText(int ACol, int ARow, const QString& Value);
    void hostHideInplaceEditor();
    void hostEditorHidden();
    void reopenRejected();
    void watchEditorFocus(QWidget* Control);
    bool commitValue(const QString& Value, bool Wide);
    void columnHeadersEdited();
    int hiddenBelow(int ARow) const;
    void storeHidden(const std::vector<int>& realRows, std::vector<TGridRowBlock>&& blocks);
    void shiftHidden(int FromReal, int Delta);
    int childEnd(int DisplRow);
    void styleGroupRow(int ARow, bool Summary);
    void rememberGroupColumn(int ACol);
    void markGroupRow(int ARow, int ACol, int Span);
    void putBlankRows(const std::vector<int>& At);
    // The editing half's structural steps behind the virtuals (grid/editing/extgrid_insert.cpp).
    void editInsertRows(int ARow, int ARowCount);
    void editRemoveRows(int ARow, int ARowCount);
    void editInsertCols(int ACol, int AColCount);
    void editRemoveCols(int ACol, int AColCount);
    void editClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
    std::vector<TGridRowBlock> removeRowSet(const std::vector<int>& Rows, bool AdjustHidden);
    void placeCurrentAfterRemoval(int KeptRow, int KeptTop, bool ToFixedRows);
    void dropControls(const std::vector<TGridRowBlock>& Blocks);
    void clearHiddenRowCells(int ACol, int AColCount);
    void splitMergesAcrossRow(int ARow);
    void splitMergesAcrossCol(int ACol);
    void rowIndexRowsRemoved(const std::vector<int>& Rows);
    void clearCells(int ACol1, int ARow1, int ACol2, int ARow2);
    bool clampRect(int& ACol1, int& ARow1, int& ACol2, int& ARow2) const;
    void mergeListChanged();
    void removeGroupRows(int ACol, int NodeCol, int TextCol);
    void repaintGrid();
    void applyScrollStyle();
    void scrollThumbMoved(Qt::Orientation bar, int position);
    void scrollThumbReleased();
    void endSizing(bool columns);
    void drawFixedLookBefore(TGridCanvas& Canvas, int ACol, int ARow, const QRect& R);
    void drawFixedLookAfter(TGridCanvas& Canvas, QRect R);
    void drawBorders(TGridCanvas& Canvas, int ACol, int ARow, QRect R);
    void drawTreeLines(TGridCanvas& Canvas, int ARow, const QRect& R);
    void drawNodeGlyph(TGridCanvas& Canvas, int ARow, const QRect& R, const TCellGraphic& Graphic);
    void drawProgress(TGridCanvas& Canvas, int ACol, int ARow, QRect R, const TCellGraphic& Graphic);
    void drawButton(TGridCanvas& Canvas, int ACol, int ARow, const QRect& R, const TCellGraphic& Graphic);
    bool cellShownSelected(int ACol, int ARow, TGridDrawState State) const;
    bool leftPress(Qt::KeyboardModifiers Shift, int X, int Y);
    int firstNavigableCol() const;
    int lastDataRowIndex() const;
    static bool HasHTMLControlsIn(const QString& text);
    void setRowProperty(int ARow, TColor AColor, int Which);
    // Every text of the cells (every cell with DoFixed, else the data cells) through Rewrite.
    void rewriteTexts(bool DoFixed, const std::function<QString(const QString&)>& Rewrite);
    void startPanning(const QPoint& At);
    void stopPanning();
    void synchColumns(int clientWidth);
    bool clickCheckBox(int ACol, int ARow, int X, int Y);
    bool clickAnchor(int ACol, int ARow, int X, int Y);
    bool clickHeaderSelection(int ACol, int ARow, Qt::KeyboardModifiers Shift);
    void leftRelease(Qt::KeyboardModifiers Shift, int X, int Y);
    void headerClickSort(int ACol, int ARow, int X, Qt::KeyboardModifiers Shift);
    int fixedBorderAt(int X, int Y, bool& columns) const;
    THTMLDrawResult anchorAt(int ACol, int ARow, const QPoint& Pt);
    void updateBalloon();
    bool showBalloon(const QPoint& Pt);
    void showSizingHint(int X, int Y);
    void hideSizingHint();
    void showMoveImage(int X, int Y);
    // The floating picture of header cell (ACol, ARow) with its top-left at the screen point.
    void showHeaderImage(int ACol, int ARow, const QPoint& ScreenPos);
    void hideMoveImage();
    void ownerResized();
    bool wheelKeepingLeftCol(bool Down);

    TGridLook look_ = glXP;
    bool activeCellShow_ = false;
    TColor activeCellColor_ = 0x808080;
    TColor activeCellColorTo_ = clNone;
    bool urlShow_ = false;
    TColor urlColor_ = 0xFF0000;
    bool urlFull_ = false;
    bool autoThemeAdapt_ = false;
    QPixmap rowIndicator_;
    TScrollBarAlways scrollBarAlways_ = saNone;
    TScrollType scrollType_ = ssNormal;
    TColor scrollColor_ = clNone;
    int scrollWidth_ = 17;
    bool scrollSynch_ = false;
    QString scrollHintText_;
    std::unique_ptr<QLabel> scrollHint_;  // the hint beside a dragged thumb
    int zoomLevel_ = 0;
    bool panning_ = false;
    QPoint panStart_;
    QTimer panTimer_;
    bool rowColMoved_ = false;
    std::vector<int> synchWidths_;  // the widths at the reference width (SynchWithGrid)
    int synchReference_ = 0;
    TMouseSelectMode mouseSelectMode_ = msmNone;
    bool leftDown_ = false;
    TGridCoord buttonDownCell_{-1, -1};
    bool dragPending_ = false;
    QPoint pressPoint_;
    TGridCoord pressCell_{-1, -1};
    bool deselectOnRelease_ = false;
    bool suppressHeaderClick_ = false;
    std::vector<TGridCoord> selectedCells_;  // DisjunctCellSelect: (column, row) pairs
    int headerAnchor_ = -1;                  // the row or column a header drag began at
    bool headerAnchorRows_ = false;
    int fixedSizing_ = -1;                   // the fixed column or row being sized
    bool fixedSizingColumns_ = false;
    QString activeAnchor_;
    int tickCount_ = 0;
    bool blinkOn_ = true;
    QString typeAheadText_;
    TGridCoord hoverCell_{-1, -1};  // the cell under the mouse while hovering
    TGridCoord hotCell_{-1, -1};    // glListView's hot cell
    TGridCoord balloonCell_{-1, -1};
    std::unique_ptr<TGridBalloon> balloon_;
    QTimer balloonTimer_;           // the balloon's own initial delay, when it has one
    bool balloonShown_ = false;
    bool editorHandOver_ = false;
    TControlEditCell controlEditCell_;
    bool controlButtonDown_ = false;
    std::unique_ptr<THTMLHintWindow> sizingHint_;
    std::unique_ptr<QLabel> moveImage_;  // the floating header of a column or row being moved
    QSize ownerSize_;               // the form's size at its last resize (SizeWithForm)
    QPointer<QWidget> owner_;
    int hoverLink_ = -1;             // the anchor under the mouse in it (1-based)
    bool stretched_ = false;     // a column was stretched: width changes stretch it again
    bool stretching_ = false;
    int sizingIndex_ = -1;       // the column or row the user is sizing, -1 when none
    int sizingStart_ = 0;        // its size when the sizing began
    bool sizingColumns_ = false;
    bool scaling_ = false;
    bool loading_ = false;
    bool loaded_ = false;
    int updateCount_ = 0;
    bool autoSize_ = false;
    int fixedRightCols_ = 0;
    int fixedFooters_ = 0;
    bool dropTargetRegistered_ = false;
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
    // Editing state of the editing half.
    bool editorShown_ = false;
    QChar startChar_;
    QPointer<QWidget> activeEditor_;
    QPointer<QObject> cellChecker_;
    QString savedText_;             // the cell's text when editing began (cancel)
    bool editingStarted_ = false;
    bool editingDonePending_ = false;
    bool writingBack_ = false;
    bool editingSwitchedOff_ = false;
    bool editingSwitchedOn_ = false;
    bool cellChangingSuppressed_ = false;
    int editCol_ = -1;              // the cell BeginEditValue remembered (display column)
    int editRow_ = -1;
    QString editText_;              // its raw text then
    bool editModified_ = false;
    bool editAllowed_ = true;
    bool validating_ = false;
    bool reopenPending_ = false;
    bool selectingBack_ = false;
    QString shownValue_;            // the special editor's value when it opened
    int editSession_ = 0;           // counts the special editors opened
    int rejections_ = 0;            // refused commits so far
    int hostDepth_ = 0;
    std::vector<TGridCompanion*> companions_;
    bool xpThemes_ = false;          // visual styles active when the grid was made
    bool themedControls_ = false;    // the common controls draw themed
    int wheelScrollLines_ = 0;
    Qt::CursorShape savedCursor_ = Qt::ArrowCursor;
    QTimer gridTimer_;
    bool hidePass_ = false;
    bool applyingHeaders_ = false;
    std::unique_ptr<TCellGraphic> rowCheckGraphic_;  // the shared row check box of column 0
    std::vector<char> rowSelect_;  // by row (real with RowSelectPersistent)
    std::vector<char> colSelect_;  // by column
    TIntList rowModified_;
    std::vector<int> hiddenColWidths_;  // by real column, for hidden columns
    std::vector<TGridItem> hiddenRows_;    // sorted by Idx
    std::vector<char> hiddenCols_;         // by real column; grows with the columns
    int hiddenColCount_ = 0;
    int nodeCount_ = 0;
    bool filterActive_ = false;
    int filterFixedRows_ = 0;
    TGridRect savedSelection_;
    bool selectionSaved_ = false;
    int lastReportedRow_ = -1;
    int groupColumn_ = -1;
    int groupWidth_ = 0;
    QString groupHeader_;
    // Footers, sorting's row swaps and the docked panels.
    void makeCompanions();
    void makeSearchPanel();
    void showMoveArrows(int X, int Y);
    void hideMoveArrows();
    void floatingFooterChanged(TFloatingFooterChange What);
    void placePanels();
    template <class Visit>
    void visitColumnValues(const std::vector<int>& Cols, int FromRow, int ToRow, Visit&& visit);
    int swapCount_ = 0;
    int trackedRow_ = -1;
    TIntList rowIndexList_;
    int insertRealAt_ = -1;
    bool ownCellsOnClipboard_ = false;
    mutable int gridId_ = 0;
    // The clipboard's steps (grid/editing/extgrid_clipboard.cpp).
    TGridRect extendOverMerges(TGridRect R);
    void copyBlock(const std::vector<int>& Cols, const std::vector<int>& Rows);
    bool pasteAllowed(int ACol, int ARow);
    bool passPasteEvent(int ACol, int ARow, QString& Value);
    int growForPaste(int ACol, int ARow, int Cols, int Rows);
    void fillSelection(const TGridRect& S, int Pasted);   // the real row the next InsertRows begins at (-1: from its display row)
    TIntList mergeColumns_;
    bool mergeHooked_ = false;
    bool merging_ = false;
    int maxAutoColWidth_ = 0;
    int maxAutoRowHeight_ = 0;
    TFooterPanel* footerPanel_ = nullptr;
    TSearchPanel* searchPanel_ = nullptr;
    QObject* panelDock_ = nullptr;
    TArrowWindow* arrows_[4] = {};
    TPopupButton* popupButton_ = nullptr;
    TControlList cellControls_;
};
