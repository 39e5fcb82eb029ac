#include "grid/editing/gridediting.h"

#include "grid/display/gridservices.h"

namespace {

bool editingUnitStarted = false;

}  // namespace

void InitGridEditingUnit()
{
    if (editingUnitStarted)
        return;
    editingUnitStarted = true;
    InitGridDisplayUnit();
}
