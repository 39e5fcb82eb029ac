#pragma once
// The seam between the grid's two halves, and the display half's start-up.
//
// The display half (this library) never calls the editing half directly: the editing half
// installs its services here at its start-up, and the display half calls them only when they
// are installed. Without them a grid edits its cells with the runtime's plain inplace edit and a
// header click does not sort. So the two libraries link one way only.
class TExtStringGrid;
class TInplaceEdit;

#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>

// What a form control's editor shows: an edit (EDIT, PASSWORD, MASK with its mask) or a list
// (COMBO: its items, editable or not, DropCount lines), over Rect in the grid's viewport.
struct TCellControlEdit {
    QRect Rect;
    QString Type;
    QString Value;
    QString Mask;
    QStringList Items;
    bool Editable = true;
    int DropCount = 8;
};

class TGridEditingServices {
public:
    virtual ~TGridEditingServices();
    // A header click asks for a sort of the column (Shift held: add it to the sort index);
    // false when nothing was sorted.
    virtual bool SortByHeaderClick(TExtStringGrid&, int /*ACol*/, bool /*Shift*/) { return false; }
    // The pointer moved far enough from a press on selected cells: a drag of them starts (a
    // column drag from a header cell with OleColumnDragDrop).
    virtual void StartCellDrag(TExtStringGrid&, int /*ACol*/, int /*ARow*/) {}
    // The grid takes drops from now on (true when its drop target is registered), or no longer.
    virtual bool RegisterDropTarget(TExtStringGrid&) { return false; }
    virtual void RevokeDropTarget(TExtStringGrid&) {}
    // Whether rich text is offered and taken in drags (OleDropRTF of the last grid that set it).
    virtual void SetRichTextDrag(bool /*On*/) {}
    // The search panel's actions: find as the edit's text changes, find the next or the previous
    // occurrence, highlight every occurrence (the panel's highlight button latched or not), and
    // close the panel (which hides it).
    virtual void SearchEditChange(TExtStringGrid&) {}
    virtual void SearchForward(TExtStringGrid&) {}
    virtual void SearchBackward(TExtStringGrid&) {}
    virtual void SearchHighlight(TExtStringGrid&) {}
    virtual void SearchExit(TExtStringGrid& Grid);

    // Editing. The runtime grid asks whether its inplace edit may show (RuntimeAnswer is its own
    // answer); the editing half chooses the cell's editor and shows a special one itself.
    virtual bool CanEditShow(TExtStringGrid&, bool RuntimeAnswer) { return RuntimeAnswer; }
    // The current cell is about to move: the changing events, the editing option per cell and
    // the validation of an open editor decide. False when the base grid alone is to answer.
    virtual bool SelectCell(TExtStringGrid&, int /*ACol*/, int /*ARow*/, bool& /*Answer*/) { return false; }
    // The inplace edit hands its text back for a cell (display column): validated, then written.
    // False when the editing half leaves the write to the plain path.
    virtual bool EditedText(TExtStringGrid&, int /*ACol*/, int /*ARow*/, const QString& /*Value*/) { return false; }
    // Ends editing: the open editor's value goes back into the cell. False when the plain path
    // is to hide the runtime's edit.
    virtual bool HideInplaceEditor(TExtStringGrid&) { return false; }
    // The grid's own inplace edit for the text kinds; nullptr leaves the runtime's.
    virtual TInplaceEdit* CreateInplaceEdit(TExtStringGrid&) { return nullptr; }
    // The runtime's edit was hidden.
    virtual void EditorHidden(TExtStringGrid&) {}

    // Assign's cells: the source's grid text stream read by the target. False when the display
    // half is to copy the stored texts itself.
    virtual bool AssignCells(TExtStringGrid& /*Target*/, TExtStringGrid& /*Source*/) { return false; }

    // Rows and columns in and out, and cells emptied: the editing half's full steps (hidden
    // rows, flags and controls follow, the change notice ends them). False leaves the display
    // half's plain step.
    virtual bool InsertRows(TExtStringGrid&, int /*ARow*/, int /*ARowCount*/) { return false; }
    virtual bool RemoveRows(TExtStringGrid&, int /*ARow*/, int /*ARowCount*/) { return false; }
    virtual bool InsertCols(TExtStringGrid&, int /*ACol*/, int /*AColCount*/) { return false; }
    virtual bool RemoveCols(TExtStringGrid&, int /*ACol*/, int /*AColCount*/) { return false; }
    virtual bool ClearRect(TExtStringGrid&, int /*ACol1*/, int /*ARow1*/, int /*ACol2*/, int /*ARow2*/)
    {
        return false;
    }
    // The editor of a form control in a cell's mark-up: opened over its rectangle (false when
    // none can be), and ended with the text it holds (false when none is open).
    virtual bool ShowCellControlEditor(TExtStringGrid&, const TCellControlEdit&) { return false; }
    virtual bool EndCellControlEditor(TExtStringGrid&, QString& /*Text*/) { return false; }
    // A clipboard key whose event allowed it: cut, copy or paste the selection.
    virtual void ClipboardCut(TExtStringGrid&) {}
    virtual void ClipboardCopy(TExtStringGrid&) {}
    virtual void ClipboardPaste(TExtStringGrid&) {}
};

// Opens an anchor of a cell ("open" for a file or a URL). A test replaces the opener; an empty
// function puts back the desktop's.
void OpenGridURL(const QString& url);
void SetGridURLOpener(std::function<void(const QString&)> opener);

// The installed services; nullptr until the editing half's start-up installs them.
TGridEditingServices* GridEditingServices();
// Installs (or, with nullptr, removes) the services; the caller keeps them alive.
void InstallGridEditingServices(TGridEditingServices* services);

// The display half's start-up, run once before the first grid is made (by the program and by the
// grid tests' main); later calls do nothing.
void InitGridDisplayUnit();
