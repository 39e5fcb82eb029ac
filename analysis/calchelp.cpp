#include "analysis/calchelp.h"

#include "core/main.h"

void ShowCalculatorHelp(const QString& topic)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, topic, callHelp);
}
