#include "platform/vcl/visualstyle.h"

#include <mutex>

namespace {

// Read by the flat controls under their library lock and by the grid on the UI thread: guarded.
struct DeclaredStyle {
    std::mutex lock;
    std::optional<QString> colorVariant;
};

DeclaredStyle& declared()
{
    static DeclaredStyle style;
    return style;
}

}  // namespace

void SetActiveVisualStyle(std::optional<QString> colorVariant)
{
    DeclaredStyle& d = declared();
    std::lock_guard<std::mutex> guard(d.lock);
    d.colorVariant = std::move(colorVariant);
}

std::optional<QString> ActiveVisualStyle()
{
    DeclaredStyle& d = declared();
    std::lock_guard<std::mutex> guard(d.lock);
    return d.colorVariant;
}
