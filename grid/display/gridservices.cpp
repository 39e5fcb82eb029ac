#include "grid/display/gridservices.h"

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
}
