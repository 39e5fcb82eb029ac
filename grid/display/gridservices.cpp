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
    // The visual-styles library; every system the program runs on supports visual styles.
    LoadXPVS();
    SetSystemSupportsVisualStyles(true);
}
