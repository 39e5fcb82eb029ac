#pragma once
// The calculators' "Hilfe" buttons: the main window's help with command 1 and the window's topic.
#include <QString>

void ShowCalculatorHelp(const QString& topic);
