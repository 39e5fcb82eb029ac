#pragma once
// The grid library's beep (a refused key, a failed find): the system beep, or a hook that tests
// install to count beeps instead of sounding them.
#include <functional>

void GridBeep();
// An empty hook puts the system beep back.
void SetGridBeepHook(std::function<void()> hook);
