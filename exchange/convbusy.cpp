#include "exchange/convbusy.h"

#include "ui_convbusy.h"

#include "platform/vcl/events.h"

TconvBusyDlg* convBusyDlg = nullptr;

TconvBusyDlg::TconvBusyDlg(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TconvBusyDlg>())
{
    ui->setupUi(this);
    Animate1 = ui->Animate1;
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    ProgressBar1 = ui->ProgressBar1;
    ProgressBar2 = ui->ProgressBar2;
    OnShow = Handler(this, &TconvBusyDlg::FormShow);
    OnClose = [this](QObject* s, TCloseAction& a) { FormClose(s, a); };
}

TconvBusyDlg::~TconvBusyDlg() = default;

void TconvBusyDlg::FormShow(QObject*)
{
    Animate1->SetActive(true);
    for (QProgressBar* bar : {ProgressBar1, ProgressBar2}) {
        bar->setVisible(true);
        bar->setValue(0);
    }
}

void TconvBusyDlg::FormClose(QObject*, TCloseAction&)
{
    Animate1->SetActive(false);
}

void TconvBusyDlg::step(QProgressBar* bar)
{
    const int before = bar->value();
    bar->setValue(before + 1);
    const int range = std::max(1, bar->maximum() - bar->minimum());
    if (isVisible() && (before + 1) * 100 / range != before * 100 / range)
        repaint();
}

void TconvBusyDlg::stepProgress1()
{
    step(ProgressBar1);
}

void TconvBusyDlg::stepProgress2()
{
    step(ProgressBar2);
}
