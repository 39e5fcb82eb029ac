#pragma once
// What the tools rules ask of the tools catalogue (the formula window).
#include <QString>

class ToolsCatalogueView {
public:
    virtual ~ToolsCatalogueView() = default;
    // Shows a page in the browser WebBrowser1.
    virtual void navigate(const QString& fileName) = 0;
};
