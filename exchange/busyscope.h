#pragma once
// The busy window without its progress bar around one long step of a wizard: shown and painted
// before the step, closed however the step ends (the window itself stays for the program's run).
#include <QApplication>

#include "core/busy.h"

class TBusyScope {
public:
    TBusyScope()
    {
        if (!BusyDlg)
            return;
        BusyDlg->showProgress = false;
        BusyDlg->ProgressBar1->setValue(0);
        BusyDlg->Show();
        BusyDlg->repaint();
        QApplication::processEvents();
    }
    ~TBusyScope()
    {
        if (BusyDlg) {
            BusyDlg->Close();
            BusyDlg->showProgress = false;
        }
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;
};
