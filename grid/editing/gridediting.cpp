#include "grid/editing/gridediting.h"

#include "grid/display/extgrid.h"
#include "grid/display/gridservices.h"
#include "grid/editing/celleditors.h"

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
