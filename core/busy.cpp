#include "core/busy.h"

#include "ui_busy.h"

#include <QPainter>

#include "core/mainimages.h"

TBusyDlg* BusyDlg = nullptr;

namespace {

constexpr int kFrames = 8;  // the clip's frames, played in a loop

}  // namespace

TAnimate::TAnimate(QWidget* parent) : QWidget(parent)
{
    timer_.setInterval(90);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kFrames;
        update();
    });
}

void TAnimate::SetActive(bool active)
{
    if (active) {
        frame_ = 0;
        timer_.start();
    } else {
        timer_.stop();
    }
    update();
}

void TAnimate::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(width() / 2.0, height() / 2.0);
    const double r = std::min(width(), height()) / 2.0 - 2;
    for (int i = 0; i < kFrames; ++i) {
        const double a = i * 2 * M_PI / kFrames;
        const int age = (frame_ - i + kFrames) % kFrames;
        QColor col(52, 110, 190);
        col.setAlphaF(1.0 - age / double(kFrames));
        p.setPen(Qt::NoPen);
        p.setBrush(col);
        p.drawEllipse(c + QPointF(std::cos(a) * r, std::sin(a) * r), 1.6, 1.6);
    }
}

TBusyDlg::TBusyDlg(QWidget* Owner)
    : TForm(Owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint), ui(std::make_unique<Ui::TBusyDlg>())
{
    ui->setupUi(this);
    Image1 = ui->Image1;
    Label1 = ui->Label1;
    Animate1 = ui->Animate1;
    ProgressBar1 = ui->ProgressBar1;
    Image1->setPixmap(BannerPicture(300, 60, QStringLiteral("Orvalo 5")));
    ProgressBar1->setMinimum(0);
    OnShow = [this](QObject* s) { FormShow(s); };
    OnClose = [this](QObject* s, TCloseAction& a) { FormClose(s, a); };
    FormCreate(this);
}

void TBusyDlg::FormCreate(QObject*)
{
    showProgress = false;
}

void TBusyDlg::FormShow(QObject*)
{
    Animate1->SetActive(true);
    ProgressBar1->setVisible(showProgress);
    ProgressBar1->setValue(0);
}

void TBusyDlg::FormClose(QObject*, TCloseAction&)
{
    Animate1->SetActive(false);
}

void TBusyDlg::hideEvent(QHideEvent* e)
{
    // A window hidden without Close must not keep its animation running either.
    Animate1->SetActive(false);
    TForm::hideEvent(e);
}

void TBusyDlg::stepProgress()
{
    ProgressBar1->setValue(ProgressBar1->value() + 1);
    if (isVisible())
        repaint();
}

TBusyDlg::~TBusyDlg() = default;
