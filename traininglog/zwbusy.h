#pragma once
// The busy window around bulk work on the split rows: shown (with its bar when `progress`),
// closed again however the work ends.
#include <QProgressBar>

#include "core/busy.h"

class ZwBusyScope {
public:
    ZwBusyScope(bool progress, int maximum, bool show)
    {
        if (!BusyDlg)
            return;
        BusyDlg->showProgress = progress;
        BusyDlg->ProgressBar1->setMaximum(maximum);
        BusyDlg->ProgressBar1->setValue(0);
        if (show) {
            BusyDlg->Show();
            BusyDlg->repaint();
        }
    }
    ~ZwBusyScope()
    {
        if (!BusyDlg)
            return;
        BusyDlg->Close();
        BusyDlg->showProgress = false;
    }
    ZwBusyScope(const ZwBusyScope&) = delete;
    ZwBusyScope& operator=(const ZwBusyScope&) = delete;
    static void step()
    {
        if (BusyDlg)
            BusyDlg->stepProgress();
    }
};
