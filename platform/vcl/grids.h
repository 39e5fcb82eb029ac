#pragma once
// The runtime's grids: TCustomGrid (geometry, scrolling, selection, keyboard and mouse handling,
// painting, the inplace editor host), TDrawGrid (the grid whose cells the owner draws) and
// TStringGrid (a grid of text cells with one object per cell).
//
// The grid is a QAbstractScrollArea that paints its visible cells itself; the scroll bars'
// values are TopRow and LeftCol. Row and column positions come from an axis that keeps prefix
// sums (or plain arithmetic while every size is the default), so painting and hit tests cost the
// same for 100 rows and for 100,000.
//
// Descendants override the protected virtual hooks (DrawCell, SelectCell, ColumnMoved, RowMoved,
// SizeChanged, TopLeftChanged, ColWidthsChanged, RowHeightsChanged, GetEditText, SetEditText,
// GetEditLimit, GetEditMask, CanEditShow, CreateEditor, KeyDown, KeyPress, MouseDown, MouseMove,
// MouseUp, Paint) exactly as the runtime's grid descendants do. Key codes are Qt::Key values and
// a handler consumes a key by setting it to 0.
#include <QAbstractScrollArea>
#include <QColor>
#include <QFlags>
#include <QLineEdit>
#include <QRect>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/vcl/editmask.h"

class QPainter;
class QScrollBar;

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using TGridOptions = QFlags<TGridOption>;
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

// The state a cell is drawn in; the bit values are the runtime's.
enum TGridDrawStateItem : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = QFlags<TGridDrawStateItem>;
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A rectangle of cells, inclusive on all sides.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int ACol, int ARow) const
    {
        return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
    }
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// Sizes of the columns or rows of a grid and their positions. Positions include the grid line
// that follows each cell. While every size is the default no per-index table exists.
class GridAxis {
public:
    int Count() const { return count_; }
    void SetCount(int count);
    int Fixed() const { return fixed_; }
    void SetFixed(int fixed);
    int DefaultSize() const { return defaultSize_; }
    void SetDefaultSize(int size);  // resets every size to the new default
    int Size(int index) const { return sizes_.empty() ? defaultSize_ : sizes_[index]; }
    void SetSize(int index, int size);
    void SetLineWidths(int fixedLine, int line);
    int Line(int index) const { return index < fixed_ ? fixedLine_ : line_; }
    int Extent(int index) const { return Size(index) + Line(index); }
    // Sum of the extents of the indices below `index` (0 <= index <= Count()).
    int64_t Offset(int index) const;
    // The index whose extent covers `offset` (>= 0); Count() beyond the last one.
    int IndexAt(int64_t offset) const;
    // Moves the size at `from` to `to`, shifting those between by one.
    void Move(int from, int to);
    // Removes the listed indices (ascending, distinct, below Count()) with their sizes, in one pass.
    void RemoveSet(const std::vector<int>& indices);
    // Inserts as many indices as `at` lists so that each stands at its position (ascending, in the
    // grown axis) with the size beside it, in one pass.
    void InsertSet(const std::vector<int>& at, const std::vector<int>& sizes);

private:
    void invalidate() { prefixDirty_ = true; }
    void buildPrefix() const;

    int count_ = 0;
    int fixed_ = 0;
    int defaultSize_ = 0;
    int fixedLine_ = 1;
    int line_ = 1;
    std::vector<int> sizes_;  // empty while all are the default
    mutable std::vector<int64_t> prefix_;
    mutable bool prefixDirty_ = true;
};

class TCustomGrid;

// The single-line edit the grid shows over the current cell while EditorMode is on.
class TInplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(TCustomGrid* grid);
    TCustomGrid* Grid() const { return grid_; }
    // The text the cell had when editing began; Escape puts it back.
    const QString& OriginalText() const { return originalText_; }
    // Loads the current cell's edit text, mask and length limit.
    virtual void UpdateContents();
    // Places the edit over the rectangle (viewport coordinates) and shows it.
    void Move(const QRect& rect);
    // Types one character over the selection, as a key press does.
    virtual void TypeChar(QChar ch);

protected:
    // The grid's edit limit (0 = none).
    int GridEditLimit() const;
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TCustomGrid* grid_;
    QString originalText_;
};

class QListWidget;
class QToolButton;

// The inplace editor with a button: a pick list that drops down below the cell (Alt+Down, F4
// or the button) and writes the chosen text into the edit, or an ellipsis button that calls
// OnEditButtonClick.
class TInplaceEditList : public TInplaceEdit {
    Q_OBJECT
public:
    enum TEditStyle { esSimple, esEllipsis, esPickList };
    explicit TInplaceEditList(TCustomGrid* grid);
    TEditStyle EditStyle() const { return editStyle_; }
    void SetEditStyle(TEditStyle value);
    const QStringList& PickList() const { return pickList_; }
    void SetPickList(const QStringList& value) { pickList_ = value; }
    // A cell that holds only an entry of its pick list (a lookup field): what is typed completes
    // to the first entry beginning with it, the rest selected; a character no entry goes on
    // with is refused with a beep.
    bool ListOnly() const { return listOnly_; }
    void SetListOnly(bool value) { listOnly_ = value; }
    void TypeChar(QChar ch) override;
    void DropDown();
    // Closes the list; with Accept the chosen item becomes the edit's text.
    void CloseUp(bool Accept);
    bool ListVisible() const;
    QListWidget* PickListBox() const { return list_; }
    std::function<void()> OnEditButtonClick;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buttonClicked();
    TEditStyle editStyle_ = esSimple;
    bool listOnly_ = false;
    QStringList pickList_;
    QListWidget* list_ = nullptr;
    QToolButton* button_ = nullptr;
};

class TCustomGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TCustomGrid(QWidget* parent = nullptr);
    ~TCustomGrid() override;

    // Geometry.
    int ColCount() const { return cols_.Count(); }
    void SetColCount(int value);
    int RowCount() const { return rows_.Count(); }
    void SetRowCount(int value);
    int FixedCols() const { return cols_.Fixed(); }
    void SetFixedCols(int value);
    int FixedRows() const { return rows_.Fixed(); }
    void SetFixedRows(int value);
    int DefaultColWidth() const { return cols_.DefaultSize(); }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return rows_.DefaultSize(); }
    void SetDefaultRowHeight(int value);
    // A column is at least as wide as the width set, and as its texts ask (ColumnTextWidth): its
    // title whole, and in TStringGrid its dates, times and numbers whole. A width the user drags
    // stays as dragged.
    int ColWidths(int ACol) const;
    void SetColWidths(int ACol, int value);
    // Widens the columns whose texts changed to what they ask; runs by itself before the grid is
    // painted, clicked, typed in or its widths are read.
    void FitColumns();
    int RowHeights(int ARow) const;
    void SetRowHeights(int ARow, int value);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int value);
    int TopRow() const { return topRow_; }
    void SetTopRow(int value);
    // Non-fixed columns (rows) wholly visible from LeftCol (TopRow) on.
    int VisibleColCount() const;
    int VisibleRowCount() const;
    // The cell's rectangle in viewport coordinates (without its grid line); empty when no part
    // of the cell is visible.
    QRect CellRect(int ACol, int ARow) const;
    // Sum of the widths (heights) of the columns (rows) below the index, their grid lines
    // included; the same cost for every index.
    int64_t ColumnOffset(int ACol) const { return cols_.Offset(ACol); }
    int64_t RowOffset(int ARow) const { return rows_.Offset(ARow); }
    // The cell under a viewport point; -1 for a coordinate outside the cells.
    TGridCoord MouseCoord(int X, int Y) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    // Width and height of the drawn cells (fixed ones and the visible part), at most the
    // viewport's size.
    int GridWidth() const;
    int GridHeight() const;
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);

    // Selection and focus.
    int Col() const { return current_.X; }
    void SetCol(int value);
    int Row() const { return current_.Y; }
    void SetRow(int value);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);
    bool TabStops(int ACol) const;
    void SetTabStops(int ACol, bool value);

    // Appearance.
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value);
    QColor Color() const { return color_; }
    void SetColor(const QColor& value);
    QColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(const QColor& value);
    // The painter of the running paint pass (nullptr outside it). Before DrawCell its brush is
    // the cell's background, its pen the text colour and its font the grid's font.
    QPainter* Canvas() const { return canvas_; }

    // The inplace editor.
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool value);
    TInplaceEdit* InplaceEditor() const { return editor_; }
    // Shows the editor over the current cell when CanEditShow allows it.
    void ShowEditor();
    // Writes the editor's text back through SetEditText and hides it.
    void HideEditor();

    // Repainting.
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateGrid();

    // Structure: moving, inserting and deleting rows and columns (sizes move along; cell
    // contents move through ColumnMoved and RowMoved).
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    void InsertRow(int ARow);
    void DeleteRow(int ARow);
    void InsertColumn(int ACol);
    void DeleteColumn(int ACol);

    // Makes (ACol, ARow) the current cell, as a click or a key does: SelectCell decides, the
    // cell is scrolled into view and Click follows.
    void FocusCell(int ACol, int ARow, bool MoveAnchor);

    // Events of the control.
    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender)> OnDblClick;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyUp;
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseDown;
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseMove;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseUp;

    // The grid state while the mouse sizes, moves or selects.
    TGridState GridState() const { return gridState_; }
    // The column or row a move by the pointer began at (-1 when none), and the end of such a move
    // without moving anything.
    int MoveFromIndex() const { return moveFrom_; }
    void CancelGridMove()
    {
        if (gridState_ == gsColMoving || gridState_ == gsRowMoving)
            gridState_ = gsNormal;
        moveFrom_ = -1;
    }

protected:
    // Hooks for descendants.
    virtual void DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState);
    virtual bool SelectCell(int ACol, int ARow);
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual QString GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const QString& Value);
    virtual int GetEditLimit();
    virtual QString GetEditMask(int ACol, int ARow);
    virtual bool CanEditShow();
    // Whether a typed character may go into the current cell; refused ones beep and are dropped.
    virtual bool CanEditAcceptKey(QChar /*Key*/) { return true; }
    virtual TInplaceEdit* CreateEditor();
    virtual void KeyDown(int& Key, Qt::KeyboardModifiers Shift);
    // Whether Escape does something here (an open cell editor); else the window takes it.
    virtual bool UsesEscape() const { return editorMode_; }
    virtual void KeyUp(int& Key, Qt::KeyboardModifiers Shift);
    virtual void KeyPress(QChar& Key);
    virtual void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void Click();
    virtual void DblClick();
    // The focus left the grid and its inplace editor for another control (not for a popup or
    // another window).
    virtual void DoExit();
    // Whole paint pass: every visible cell through DrawCell (fixed cells first), grid lines,
    // the focus rectangle and the empty area.
    virtual void Paint();
    // Decides whether a point starts sizing a column or row (goColSizing in the fixed rows,
    // goRowSizing in the fixed columns); Index is the column or row being sized.
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index);
    // Moves the current cell; MoveAnchor False extends the selection from the anchor.
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    // Starts a range selection at the data cell, as a press there does: the cell becomes current
    // and the anchor, and the pointer's moves extend the selection until the button is released.
    // Nothing while another gesture (sizing, moving, selecting) runs.
    void BeginRangeSelection(int ACol, int ARow);
    // Scrolls so that the cell is wholly visible.
    void ClampInView(int ACol, int ARow);
    // Removes the listed rows (ascending, distinct, fewer than RowCount) with their heights in one
    // pass; the rows below move up and the current row follows its row. A descendant that keeps
    // per-row data moves it before calling this.
    void DeleteRowSet(const std::vector<int>& rows);
    // Inserts rows so that each stands at its position in `at` (ascending, in the grown grid)
    // with the height beside it, in one pass; the current row follows its row.
    void InsertRowSet(const std::vector<int>& at, const std::vector<int>& heights);
    // The pixel rectangle covering the visible part of a cell rectangle.
    QRect BoxRect(const TGridRect& r) const;
    // Shows the editor and hands it the typed character.
    void ShowEditorChar(QChar ch);
    // Hides the editor without writing its text (Escape).
    void CancelEditor();
    // Runs after HideEditor or CancelEditor hid the editor (its text written or dropped).
    virtual void EditorHidden() {}
    // HideEditor or CancelEditor is running (the editor cannot be shown again until it ends).
    bool EditorBusy() const { return editorBusy_; }
    // Brings the scroll bars in line with the grid's size and position.
    void UpdateScrollRange();
    // The area the running paint pass repaints (viewport coordinates).
    QRect PaintRect() const { return paintClip_.isValid() ? paintClip_ : viewport()->rect(); }
    // The grid or its inplace editor has the focus.
    bool GridFocused() const { return isFocused(); }
    // The vertical scroll bar: its range and value (default: TopRow) and what moving it does
    // (default: SetTopRow). A data-aware grid maps it to the dataset's rows instead.
    virtual void UpdateVertScrollBar(QScrollBar* bar);
    virtual void VertScrollBarMoved(int value);
    // Runs after the scroll bars were brought in line (policies, ranges, positions), so that a
    // descendant can show, hide or disable them by rules of its own.
    virtual void ScrollBarsUpdated() {}
    // The width a column's texts ask for, margins included (0 for none); FitColumns widens a
    // narrower column to it.
    virtual int ColumnTextWidth(int ACol) const;
    // The texts of the grid changed: the columns are fitted again before they are next used.
    void ColumnTextsChanged() { columnFitDue_ = true; }
    // FitColumns is widening columns (ColWidthsChanged then sees no user's drag).
    bool FittingColumns() const { return fittingColumns_; }

    // Qt events.
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* e) override;

private:
    friend class TInplaceEdit;
    int fixedWidth() const { return int(cols_.Offset(cols_.Fixed())); }
    int fixedHeight() const { return int(rows_.Offset(rows_.Fixed())); }
    int cellLeft(int ACol) const;  // viewport x of a column (may lie outside the viewport)
    int cellTop(int ARow) const;
    int maxLeftCol() const;
    int maxTopRow() const;
    void updateLineWidths();
    void sizeChangedInternal(int oldCols, int oldRows);
    void invalidateSelection(const TGridRect& r);
    void placeEditor();
    void drawCells(int col0, int row0, int colEnd, int rowEnd, int x0, int y0, TGridDrawState base,
                   const QRect& clip);
    void drawLines(const QRect& clip);
    bool isFocused() const;
    // Whether the focus, just moved away from the grid or its editor, left both.
    bool focusLeftGrid(Qt::FocusReason reason) const;
    void keyNavigate(int& Key, Qt::KeyboardModifiers Shift);
    void scrollBarMoved();

    GridAxis cols_;
    GridAxis rows_;
    int gridLineWidth_ = 1;
    int leftCol_ = 1;
    int topRow_ = 1;
    TGridCoord current_{1, 1};
    TGridCoord anchor_{1, 1};
    TGridOptions options_;
    TScrollStyle scrollBars_ = ssBoth;
    bool defaultDrawing_ = true;
    QColor color_;
    QColor fixedColor_;
    std::vector<char> tabStops_;  // per column; empty means all
    std::vector<char> userSized_;  // per column: the user dragged its width
    bool columnFitDue_ = false;
    bool fittingColumns_ = false;
    QPainter* canvas_ = nullptr;
    QRect paintClip_;
    bool editorMode_ = false;
    bool editorBusy_ = false;
    TInplaceEdit* editor_ = nullptr;
    TGridState gridState_ = gsNormal;
    int sizingIndex_ = -1;
    int sizingOrigin_ = 0;  // pixel position of the sized cell's left (top) edge
    int moveFrom_ = -1;
    bool pressedInside_ = false;
    bool updatingScrollBars_ = false;
};

// The grid whose cells its owner draws through OnDrawCell.
class TDrawGrid : public TCustomGrid {
    Q_OBJECT
public:
    using TCustomGrid::TCustomGrid;

    std::function<void(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State)> OnDrawCell;
    std::function<void(QObject* Sender, int ACol, int ARow, bool& CanSelect)> OnSelectCell;
    std::function<void(QObject* Sender, int FromIndex, int ToIndex)> OnColumnMoved;
    std::function<void(QObject* Sender, int FromIndex, int ToIndex)> OnRowMoved;
    std::function<void(QObject* Sender)> OnTopLeftChanged;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditMask;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditText;
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value)> OnSetEditText;

protected:
    void DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void TopLeftChanged() override;
    QString GetEditMask(int ACol, int ARow) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
};

// A grid of text cells with one object reference per cell (not owned). Cells are stored
// sparsely: empty rows cost one pointer.
class TStringGrid : public TDrawGrid {
    Q_OBJECT
public:
    explicit TStringGrid(QWidget* parent = nullptr);
    ~TStringGrid() override;

    QString Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const QString& value);
    QObject* Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, QObject* value);
    // A row (column) as a list of its texts, one per column (row).
    QStringList Rows(int ARow) const;
    void SetRows(int ARow, const QStringList& value);
    QStringList Cols(int ACol) const;
    void SetCols(int ACol, const QStringList& value);

    // The text of a cell the grid holds none for: a long list keeps its rows elsewhere and
    // makes the texts of the cells that are read or shown (set cells take precedence).
    std::function<QString(int ACol, int ARow)> CellSource;

protected:
    void DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    // The titles (fixed cells) and the dates, times and numbers of the column.
    int ColumnTextWidth(int ACol) const override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;

private:
    struct Cell {
        QString text;
        QObject* object = nullptr;
    };
    using RowCells = std::vector<Cell>;
    Cell* cellFor(int ACol, int ARow);  // creates storage
    const Cell* findCell(int ACol, int ARow) const;

    std::vector<std::unique_ptr<RowCells>> data_;  // by row; null for a row without contents
};
