#include "core/busy.h"

#include "ui_busy.h"

#include <QLinearGradient>
#include <QPainter>

TBusyDlg* BusyDlg = nullptr;

namespace {

constexpr int kFrames = 8;  // the clip's frames, played in a loop

QPixmap bannerPicture(int width, int height)
{
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, width, 0);
    g.setColorAt(0, QColor(18, 40, 82));
    g.setColorAt(1, QColor(34, 86, 150));
    p.fillRect(pm.rect(), g);
    p.setPen(QPen(QColor(240, 110, 30), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(width * 0.55, height - 12.0), QPointF(width - 14.0, 14.0));
    QFont f;
    f.setPixelSize(26);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(14, 0, width, height), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Orvalo 5"));
    return pm;
}

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
    Image1->setPixmap(bannerPicture(300, 60));
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
