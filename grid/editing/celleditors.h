#pragma once
// The special cell editors behind one small interface, and the plain rules of editor hosting.
//
// Text kinds are edited in the grid's inplace edit. Every other kind has a TCellEditor: it places
// its control over the cell, fills it from the cell, gives it the focus, tells the value the cell
// would get from it and hides it. The grid makes one editor per kind on first use (a child of the
// grid, so it lives as long as the grid) from the factory registered for the kind; a kind without
// a factory opens no editor. The host writes an editor's value back only when it differs from
// the value the editor showed when it opened, so an editor left unchanged never rewrites a cell.
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "grid/display/cellgraphic.h"
#include "platform/rtl/graphics.h"

class QFont;
class QWidget;
class TExtStringGrid;

// Where and with what a special editor opens.
struct TEditorPlace {
    TEditorType Kind = edNormal;
    int Col = 0;        // display column of the (base) cell
    int Row = 0;
    int RealCol = 0;
    QRect Cell;         // the cell's rectangle over its merged span (viewport coordinates)
    QRect Bounds;       // where the editor goes (EditorBounds)
    TColor Color = clWindow;  // the cell's background as painted
    QString EditText;   // the runtime grid's edit text of the cell
    QString CellText;   // the stored text of the cell (real column)
};

class TCellEditor {
public:
    virtual ~TCellEditor();
    // False when the kind cannot open here (the cell is then not edited).
    virtual bool Available(TExtStringGrid& /*Grid*/) { return true; }
    // Places, fills, shows and focuses the editor; answers the control that now edits the cell
    // (nullptr when none takes input of its own).
    virtual QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) = 0;
    // The text the cell would get from the editor now (the wide text for wide kinds).
    virtual QString Value(TExtStringGrid& Grid) = 0;
    // Disables and hides the editor without writing anything.
    virtual void Hide() = 0;
    // The key that opened the editor becomes its first input.
    virtual bool TakesStartCharacter() const { return true; }
    // The value is the cell's wide text.
    virtual bool Wide() const { return false; }
    // The editor hands no value back (check box, button).
    virtual bool WritesBack() const { return true; }
};

using TCellEditorFactory = std::function<std::unique_ptr<TCellEditor>(TExtStringGrid& Grid, TEditorType Kind)>;
// Registers (an empty factory: removes) the editor of a kind for every grid made afterwards and
// every grid that has not yet opened that kind.
void RegisterCellEditor(TEditorType Kind, TCellEditorFactory Factory);
// The grid's editor of a kind, made on first use; nullptr when the kind has none.
TCellEditor* GridCellEditor(TExtStringGrid& Grid, TEditorType Kind);
// Hides the grid's open special editor without writing.
void HideSpecialEditor(TExtStringGrid& Grid);

// The kinds the grid's inplace edit serves.
bool IsTextEditorKind(TEditorType Kind);
// Where a kind's editor goes over the cell rectangle R: a push button covers the grid lines
// around the cell (one pixel more on each side); the wide edit sits inside the text margins;
// every other editor fills the cell less its right and bottom grid line.
QRect EditorBounds(TEditorType Kind, const QRect& R, int XOffset = 0, int YOffset = 0);

// A unit cell's text: the value is the leading number (digits with at most one sign in front and
// the decimal marks "," and "."), the unit everything after it, blanks included. Joining value
// and unit gives the text back as it was.
struct TUnitText {
    QString Value;
    QString Unit;
};
TUnitText SplitUnitText(const QString& Text);
QString JoinUnitText(const QString& Value, const QString& Unit);

// The item a list editor selects for a cell text: the text's own item, else DefaultPosition, or
// the first item while that is -1; -1 for an empty list.
int ListItemPosition(const QStringList& Items, const QString& Text, int DefaultPosition);

// The wide text a cell text holds ("|\" form decoded; any other text as it is), and the cell text
// that holds a wide text.
QString CellWideText(const QString& CellText);
bool IsUnicodeCellText(const QString& CellText);
QString WideCellTextOf(const QString& Wide);
