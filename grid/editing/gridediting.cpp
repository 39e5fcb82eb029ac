#include "grid/editing/gridediting.h"

#include <QBuffer>

#include "grid/display/extgrid.h"
#include "grid/display/gridservices.h"
#include "grid/editing/celleditors.h"
#include "grid/editing/controleditors.h"
#include "grid/editing/dragdrop.h"
#include "grid/editing/editlink.h"
#include "grid/editing/esgdd.h"
#include "grid/editing/extinplaceedit.h"

// The editing services the display half calls: each hands over to the grid's own editing steps,
// which this half defines.
class TGridEditingHost : public TGridEditingServices {
public:
    bool CanEditShow(TExtStringGrid& Grid, bool RuntimeAnswer) override { return Grid.hostCanEditShow(RuntimeAnswer); }
    bool SelectCell(TExtStringGrid& Grid, int ACol, int ARow, bool& Answer) override
    {
        Answer = Grid.hostSelectCell(ACol, ARow);
        return true;
    }
    bool EditedText(TExtStringGrid& Grid, int ACol, int ARow, const QString& Value) override
    {
        Grid.hostEditText(ACol, ARow, Value);
        return true;
    }
    bool HideInplaceEditor(TExtStringGrid& Grid) override
    {
        Grid.hostHideInplaceEditor();
        return true;
    }
    void EditorHidden(TExtStringGrid& Grid) override { Grid.hostEditorHidden(); }
    TInplaceEdit* CreateInplaceEdit(TExtStringGrid& Grid) override { return new TExtInplaceEdit(&Grid); }
    bool ShowCellControlEditor(TExtStringGrid& Grid, const TCellControlEdit& Edit) override
    {
        return ShowGridControlEditor(Grid, Edit);
    }
    bool EndCellControlEditor(TExtStringGrid& Grid, QString& Text) override { return EndGridControlEditor(Grid, Text); }
    void StartCellDrag(TExtStringGrid& Grid, int ACol, int ARow) override { Grid.hostStartDrag(ACol, ARow); }
    bool RegisterDropTarget(TExtStringGrid& Grid) override { return RegisterGridDropTarget(Grid); }
    void RevokeDropTarget(TExtStringGrid& Grid) override { RevokeGridDropTarget(Grid); }
    void SetRichTextDrag(bool On) override { ::SetRichTextDrag(On); }
    bool AssignCells(TExtStringGrid& Target, TExtStringGrid& Source) override
    {
        QBuffer stream;
        stream.open(QIODevice::ReadWrite);
        Source.SaveToTextStream(stream);
        stream.seek(0);
        Target.LoadFromTextStream(stream);
        return true;
    }
    bool InsertRows(TExtStringGrid& Grid, int ARow, int ARowCount) override
    {
        Grid.editInsertRows(ARow, ARowCount);
        return true;
    }
    bool RemoveRows(TExtStringGrid& Grid, int ARow, int ARowCount) override
    {
        Grid.editRemoveRows(ARow, ARowCount);
        return true;
    }
    bool InsertCols(TExtStringGrid& Grid, int ACol, int AColCount) override
    {
        Grid.editInsertCols(ACol, AColCount);
        return true;
    }
    bool RemoveCols(TExtStringGrid& Grid, int ACol, int AColCount) override
    {
        Grid.editRemoveCols(ACol, AColCount);
        return true;
    }
    bool ClearRect(TExtStringGrid& Grid, int ACol1, int ARow1, int ACol2, int ARow2) override
    {
        Grid.editClearRect(ACol1, ARow1, ACol2, ARow2);
        return true;
    }
    void ClipboardCut(TExtStringGrid& Grid) override { Grid.CutSelectionToClipboard(); }
    void ClipboardCopy(TExtStringGrid& Grid) override { Grid.CopySelectionToClipboard(); }
    void ClipboardPaste(TExtStringGrid& Grid) override { Grid.PasteFromClipboard(); }
};

namespace {

// Start-ups not yet matched by an end.
int editingUnitStarts = 0;

}  // namespace

#include "grid/editing/celleditors_std.h"

void InitGridEditingUnit()
{
    if (editingUnitStarts++ > 0)
        return;
    InitGridDisplayUnit();
    // The drag formats are names the drag data carries (esgdd.h); the toolkit needs them
    // registered nowhere, and its drag and drop needs no start of its own.
    static TGridEditingHost host;
    InstallGridEditingServices(&host);
    RegisterStandardCellEditors();
    RegisterSpecialCellEditors();
}

void DoneGridEditingUnit()
{
    if (editingUnitStarts == 0 || --editingUnitStarts > 0)
        return;
    SetRichTextDrag(false);
    InstallGridEditingServices(nullptr);
}
