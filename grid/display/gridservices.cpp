#include "grid/display/gridservices.h"

#include "grid/display/extxpvs.h"

namespace {

TGridEditingServices* installedServices = nullptr;
bool displayUnitStarted = false;

}  // namespace

TGridEditingServices::~TGridEditingServices() = default;

TGridEditingServices* GridEditingServices()
{
    return installedServices;
}

void InstallGridEditingServices(TGridEditingServices* services)
{
    installedServices = services;
}

void InitGridDisplayUnit()
{
    if (displayUnitStarted)
        return;
    displayUnitStarted = true;
    // The visual-styles library, and the systems this program runs on support visual styles.
    LoadXPVS();
    SetSystemSupportsVisualStyles(true);
}
