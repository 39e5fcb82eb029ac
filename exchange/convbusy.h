#pragma once
// The progress window of the conversion of the previous version's data: the phase (units, best
// times, routes, equipment, links) on the first bar, the rows of the current item (a unit's
// splits, a route's points) on the second.
#include <QLabel>
#include <QProgressBar>

#include <memory>

#include "core/busy.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TconvBusyDlg;
}

class TconvBusyDlg : public TForm {
    Q_OBJECT
public:
    explicit TconvBusyDlg(QWidget* Owner = nullptr);
    ~TconvBusyDlg() override;

    std::unique_ptr<Ui::TconvBusyDlg> ui;
    TAnimate* Animate1;
    QLabel* Label1;
    QLabel* Label2;
    QProgressBar* ProgressBar1;
    QProgressBar* ProgressBar2;

    // Step a bar by one. The window is painted again only when a bar moved visibly, so that a
    // hundred thousand splits do not cost a hundred thousand paintings.
    void stepProgress1();
    void stepProgress2();

    void FormShow(QObject* Sender);
    void FormClose(QObject* Sender, TCloseAction& Action);

private:
    void step(QProgressBar* bar);
};

extern TconvBusyDlg* convBusyDlg;
