#include "grid/display/gridbeep.h"

#include <QApplication>

namespace {

std::function<void()>& beepHook()
{
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void GridBeep()
{
    if (beepHook())
        beepHook()();
    else
        QApplication::beep();
}

void SetGridBeepHook(std::function<void()> hook)
{
    beepHook() = std::move(hook);
}
