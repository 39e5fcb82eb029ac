#include "grid/editing/gridediting.h"

#include "grid/display/extgrid.h"
#include "grid/display/gridservices.h"
#include "grid/editing/celleditors.h"
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

bool editingUnitStarted = false;

}  // namespace

#include "grid/editing/celleditors_std.h"

void InitGridEditingUnit()
{
    if (editingUnitStarted)
        return;
    editingUnitStarted = true;
    InitGridDisplayUnit();
    static TGridEditingHost host;
    InstallGridEditingServices(&host);
    RegisterStandardCellEditors();
}
