#include "grid/display/gridservices.h"

#include <QDesktopServices>
#include <QUrl>

#include "grid/display/extgrid.h"
#include "grid/display/extxpvs.h"

namespace {

TGridEditingServices* installedServices = nullptr;
bool displayUnitStarted = false;

}  // namespace

TGridEditingServices::~TGridEditingServices() = default;

void TGridEditingServices::SearchExit(TExtStringGrid& Grid)
{
    Grid.SearchFooter.SetVisible(false);
}

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

namespace {

std::function<void(const QString&)>& urlOpener()
{
    static std::function<void(const QString&)> opener;
    return opener;
}

}  // namespace

void SetGridURLOpener(std::function<void(const QString&)> opener)
{
    urlOpener() = std::move(opener);
}

void OpenGridURL(const QString& url)
{
    if (urlOpener()) {
        urlOpener()(url);
        return;
    }
    QUrl target = QUrl::fromUserInput(url);
    if (target.isValid())
        QDesktopServices::openUrl(target);
}
