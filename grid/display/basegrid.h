#pragma once
// TBaseGrid: the first layer of the grid library above the runtime's draw grid. It keeps its own
// sparse cell store (per cell a text and, once needed, an owned property record), merges cells
// (a rectangle shown and edited as one, its text and properties held by its top-left base cell),
// resolves every text access to the base cell and runs the display hooks, draws its own grid
// lines and the cell frame whose content its descendants draw, keeps the current cell on the base
// cell of a merged area, and records accepted edits in an optional undo recorder.
//
// Cells written beyond RowCount or ColCount are kept (a list may fill its rows before it sets
// RowCount; hidden columns keep their cells past the last shown column). Lowering RowCount drops
// the rows beyond it with their records.
//
// The property record is the grid's own: the object slot of a cell holds only it, and the grid
// frees it. An application's object goes into the record's CellObject and is never freed by the
// grid.
#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "grid/display/cellgraphic.h"
#include "grid/display/gridcanvas.h"
#include "platform/vcl/grids.h"

class QWidget;
class TBaseGrid;

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };

// The per-cell property record, created on first use.
class TCellProperties {
public:
    TCellProperties(TBaseGrid* grid, int col, int row);
    ~TCellProperties();
    TCellProperties(const TCellProperties&) = delete;
    TCellProperties& operator=(const TCellProperties&) = delete;

    // Copies the settings and the span encoding; not CellObject, Graphic, BrushColorTo or the
    // paint stamp.
    void Assign(const TCellProperties& source);

    TBaseGrid* Grid;
    int OwnerCol;
    int OwnerRow;
    QObject* CellObject = nullptr;  // the application's object; never freed by the grid
    std::unique_ptr<TCellGraphic> Graphic;
    TBrushStyle BrushStyle = bsSolid;
    int FontSize = 0;
    TColor FontColor = clNone;
    TFontStyles FontStyle = 0;
    // The span encoding: a cell outside a merge -1/-1; the base cell of N x M cells N-1/M-1;
    // every other cell of the area its offset from the base.
    int CellSpanY = -1;
    int CellSpanX = -1;
    int BorderWidth = 0;
    TColor BorderColor = 0;
    TAlignment Alignment = taLeftJustify;
    std::uint32_t PaintStamp = 0;  // the paint pass in which the merged area was last drawn
    bool IsBaseCell = true;
    int FooterCalc = 0;  // the calculation of a footer cell (low seven bits: the kind)
    int NodeLevel = 0;
    TEditorType Editor = edNormal;
    QString FontName;
    bool ReadOnly = false;
    QWidget* Control = nullptr;

    // These repaint the cell when set.
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor value);
    TColor BrushColorTo() const { return brushColorTo_; }
    void SetBrushColorTo(TColor value);
    TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

private:
    void repaint();
    TColor brushColor_ = clNone;
    TColor brushColorTo_ = clNone;
    TVAlignment vAlignment_ = vtaTop;
    bool wordWrap_;
};

// One recorded edit.
struct TUndoRedoItem {
    int Row = 0;
    int Col = 0;
    QString Value;
    QString OrigValue;
};

// The undo recorder: keeps accepted edits, at most MaxLevel of them (0 or less: no limit).
class TExtGridUndoRedo : public QObject {
    Q_OBJECT
public:
    explicit TExtGridUndoRedo(QObject* owner = nullptr);
    ~TExtGridUndoRedo() override;

    const std::vector<TUndoRedoItem>& Items() const { return items_; }
    TBaseGrid* Grid() const { return grid_; }
    int Level() const { return level_; }
    int MaxLevel() const { return maxLevel_; }
    void SetMaxLevel(int value) { maxLevel_ = value; }
    virtual void AddUndo(int ACol, int ARow, const QString& OrigValue, const QString& Value);

private:
    friend class TBaseGrid;
    std::vector<TUndoRedoItem> items_;
    TBaseGrid* grid_ = nullptr;
    int level_ = 0;
    int maxLevel_ = 0;
};

// One cell of the store: its text and, once needed, its owned property record.
struct TGridCell {
    QString text;
    std::unique_ptr<TCellProperties> props;
};

// One row taken out of the grid (hidden, or on its way to another place): its cells with their
// records, held by move, so that check boxes, nodes and every other record come back with it, and
// the height it had.
class TGridRowBlock {
public:
    int Height = 0;
    // The stored text of a column of the row (empty beyond its cells).
    QString Text(int ACol) const;
    // The row's texts, one per stored cell.
    QStringList Texts() const;
    // The record of a column of the row; nullptr when it has none.
    TCellProperties* Properties(int ACol) const;
    // The cell of column From moves to column To; those between shift one place toward From.
    void MoveColumn(int From, int To);
    // Empties a column's cell of the row: text and record.
    void ClearCell(int ACol);

private:
    friend class TBaseGrid;
    std::unique_ptr<std::vector<TGridCell>> cells_;
};

class TBaseGrid : public TDrawGrid {
    Q_OBJECT
public:
    explicit TBaseGrid(QWidget* parent = nullptr);
    ~TBaseGrid() override;

    // --- published settings ---
    bool ActiveRowShow() const { return activeRowShow_; }
    void SetActiveRowShow(bool value) { activeRowShow_ = value; }
    TColor ActiveRowColor() const { return activeRowColor_; }
    void SetActiveRowColor(TColor value);
    // The grid's own default-drawing flag; the runtime's default drawing stays off.
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value);
    // The grid's own lines, drawn inside each cell; the runtime's line width stays 0.
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);
    TColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor value);
    TExtGridUndoRedo* UndoRedo() const { return undoRedo_; }
    void SetUndoRedo(TExtGridUndoRedo* value);

    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnGetDisplText;
    std::function<void(QObject* Sender, int ACol, int ARow, QString& Value)> OnGetDisplWideText;

    // --- cell text and records (column first, then row) ---
    // The base cell's text after the display hooks.
    QString GetCellText(int ACol, int ARow) const;
    // Stores the text at the base cell.
    void SetCellText(int ACol, int ARow, const QString& Value);
    // The stored text of the cell itself: no merging, no hooks.
    QString GetRawCell(int ACol, int ARow) const;
    // The stored text of the cell without a copy (an empty text for a cell never written); for
    // reading many cells when the display hooks are not active.
    const QString& RawCellRef(int ACol, int ARow) const;
    // Whether GetCellText may differ from the stored text of the base cell (a display hook is
    // set); a descendant that overrides DoGetDisplText answers true as well.
    virtual bool DisplayHooksActive() const { return bool(OnGetDisplText) || bool(OnGetDisplWideText); }
    void SetRawCell(int ACol, int ARow, const QString& Value);
    // The application's object of the cell (its record's CellObject); setting one makes the record.
    QObject* GetCellObject(int ACol, int ARow) const;
    void SetCellObject(int ACol, int ARow, QObject* Obj);
    bool HasCellProperties(int ACol, int ARow) const;
    // The cell's record, made on first use.
    TCellProperties* CellProperties(int ACol, int ARow);
    // The cell's record, nullptr when it has none (none is made).
    TCellProperties* FindCellProperties(int ACol, int ARow) const;
    // Frees the cell's record and stores the given one (nullptr: none).
    void ReplaceCellObject(int ACol, int ARow, std::unique_ptr<TCellProperties> Obj);
    // Takes the record out of the cell (the caller owns it).
    std::unique_ptr<TCellProperties> TakeCellProperties(int ACol, int ARow);
    // The Graphic of the cell's record; nullptr without a record (none is made).
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
    // Makes the record if needed and gives it the graphic; an empty text is set to a blank and
    // back through SetCellText, as the cell's text writes do.
    void SetCellGraphic(int ACol, int ARow, std::unique_ptr<TCellGraphic> Obj);
    // Text emptied, record freed.
    void ClearCellAndObject(int ACol, int ARow);
    void ClearColCells(int ACol);
    void ClearRowCells(int ARow);
    void FreeCellObject(int ACol, int ARow);
    void FreeCellObjects(int FromCol, int FromRow, int ToRow, int ToCol);
    void FreeAllCellObjects();

    // --- merged cells ---
    // Merges NumCols x NumRows cells from (ACol, ARow). The area is clipped to the grid, merges it
    // touches are split first, and counts below 1 do nothing.
    virtual void MergeCells(int ACol, int ARow, int NumCols, int NumRows);
    virtual void SplitCells(int ACol, int ARow);
    TGridCoord BaseCell(int ACol, int ARow) const;
    bool BaseCellOf(int ACol, int ARow, int& BaseRow, int& BaseCol) const;
    bool CellIsBase(int ACol, int ARow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsColSpanCell(int ACol, int ARow) const;
    bool IsRowSpanCell(int ACol, int ARow) const;
    // (CellSpanX, CellSpanY) of the cell's base; (0, 0) outside a merge.
    TGridCoord CellSpan(int ACol, int ARow) const;
    QSize CellSize(int ACol, int ARow) const;
    QRect MergedCellRect(int ACol, int ARow) const;
    QRect VirtualCellRect(int ACol, int ARow) const;
    bool RowsShareSpans(int Row1, int Row2) const;
    // Invalidates the cell's merged rectangle.
    void InvalidateCell(int ACol, int ARow);
    int FixedColsWidth() const;
    int FixedRowsHeight() const;

    // --- painting ---
    // Draws every cell that meets the clip (viewport coordinates) on the canvas, in the order the
    // screen does; no window is needed.
    void PaintCells(TGridCanvas& Canvas, const QRect& Clip);
    // The paint pass counter (one more after every pass).
    std::uint32_t PaintPass() const { return paintPass_; }

    // The last row is covered by the floating footer.
    bool FooterRow() const { return footerRow_; }
    void SetFooterRow(bool value) { footerRow_ = value; }
    // The display hooks run only for rows below this limit.
    int DisplayRowLimit() const { return displayRowLimit_; }
    void SetDisplayRowLimit(int value) { displayRowLimit_ = value; }
    // The word wrap each new record starts with.
    bool DefaultWordWrap() const { return defaultWordWrap_; }
    void SetDefaultWordWrap(bool value) { defaultWordWrap_ = value; }

    // --- row blocks: whole rows moved in one pass, whatever the grid's size ---
    // Takes the listed display rows (ascending, distinct) out of the grid with their cells, records
    // and heights; the rows below move up and RowCount falls by their number.
    std::vector<TGridRowBlock> TakeRows(const std::vector<int>& Rows);
    // Puts rows into the grid so that each stands at its position in At (ascending, in the grown
    // grid); the rows between move down and RowCount grows by their number.
    void PutRows(const std::vector<int>& At, std::vector<TGridRowBlock>&& Blocks);
    // Exchanges the stored cells (texts and records) of two rows, or of one column in two rows,
    // in constant time; heights and merges are the caller's business.
    void ExchangeRowCells(int Row1, int Row2);
    void ExchangeCells(int ACol, int Row1, int Row2);

    // The mouse wheel moved a notch down (up): the current row follows, as the runtime's grid does.
    virtual bool DoMouseWheelDown();
    virtual bool DoMouseWheelUp();

protected:
    using TDrawGrid::DrawCell;
    // The runtime's cell hook: draws through a canvas on the running paint pass's painter.
    void DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState) override;
    // The cell frame: fill, grid lines, then the content through DrawCellContent.
    virtual void DrawCell(TGridCanvas& Canvas, int ACol, int ARow, QRect Rect, TGridDrawState State);
    virtual bool CellDrawnFixed(int ACol, int ARow);
    virtual int RowIndent(int ARow);
    virtual bool HasNodes();
    virtual void DrawCellContent(TGridCanvas& Canvas, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
    virtual void FooterRowChanged();
    virtual void DoGetDisplText(int ACol, int ARow, QString& Value) const;
    virtual void DoGetDisplWideText(int ACol, int ARow, QString& Value) const;
    // Lets a descendant set the canvas's font and brush for the cell, a second colour for a
    // gradient (clNone: none) and change the draw state.
    virtual void GetCellDrawSettings(TGridCanvas& Canvas, int ACol, int ARow, TAlignment& HAlign,
                                     TVAlignment& VAlign, bool& WordWrap, TColor& ColorTo, bool MapColumn,
                                     bool UseSelection, bool Printing, TGridDrawState& State);
    virtual int DisplColIndex(int ACol) const;
    // One part of the area right of the last column or below the last row (viewport coordinates,
    // within the pass's clip); Bounds is the whole empty area's bounding rectangle. The base grid
    // fills the part in the grid's colour.
    virtual void PaintEmptyArea(TGridCanvas& Canvas, const QRect& Part, const QRect& Bounds);

    bool SelectCell(int ACol, int ARow) override;
    void Paint() override;
    void KeyDown(int& Key, Qt::KeyboardModifiers Shift) override;
    void TopLeftChanged() override;
    void SizeChanged(int OldColCount, int OldRowCount) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    void wheelEvent(QWheelEvent* e) override;

    // Moves the current cell onto the base cell of its merged area.
    void SnapToBaseCell();
    // The grid is on screen, so that a changed cell is repainted.
    bool HasParentWindow() const;

private:
    using Cell = TGridCell;
    using RowCells = std::vector<Cell>;
    const Cell* findCell(int ACol, int ARow) const;
    // The cell frame's drawing within its clip: fill, grid lines, content.
    void drawCellFrame(TGridCanvas& Canvas, int ACol, int ARow, QRect Rect, TGridDrawState State);
    Cell& cellFor(int ACol, int ARow);
    int columnLeft(int ACol) const;  // viewport x of a column, as if it were on screen
    int rowTop(int ARow) const;

    std::vector<std::unique_ptr<RowCells>> rows_;  // by row; null for a row without contents
    bool defaultDrawing_ = false;
    int gridLineWidth_ = 1;
    TColor gridLineColor_ = 0xC0C0C0;
    std::uint32_t paintPass_ = 0;
    bool footerRow_ = false;
    int displayRowLimit_ = 0;
    TExtGridUndoRedo* undoRedo_ = nullptr;
    QMetaObject::Connection undoRedoGone_;
    bool defaultWordWrap_ = true;
    bool activeRowShow_ = false;
    TColor activeRowColor_ = clInfoBk;
    int wheelRemainder_ = 0;
};
