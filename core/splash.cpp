#include "core/splash.h"

#include "ui_splash.h"

#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "core/startup.h"
#include "platform/rtl/folders.h"
#include "platform/vcl/registry.h"

TIntroScreen* IntroScreen = nullptr;

namespace {
// Fore colour of the gauge, $1048F0 as the forms store colours ($00BBGGRR).
const QColor kGaugeColor(0xF0, 0x48, 0x10);
}  // namespace

TIntroScreen::TIntroScreen(QWidget* Owner)
    : TForm(Owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), ui(std::make_unique<Ui::TIntroScreen>())
{
    ui->setupUi(this);
    Image1 = ui->Image1;
    Gauge1 = ui->Gauge1;
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    Label5 = ui->Label5;
    Image2 = ui->Image2;
    SetPicture(DefaultPicture());
    OnShow = [this](QObject* s) { FormShow(s); };
    FormCreate(this);
}

QPixmap TIntroScreen::DefaultPicture()
{
    QPixmap pm(420, 280);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 280);
    sky.setColorAt(0, QColor(18, 40, 82));
    sky.setColorAt(1, QColor(34, 86, 150));
    p.fillRect(pm.rect(), sky);
    // A track curving through the picture.
    QPainterPath track;
    track.moveTo(-20, 200);
    track.cubicTo(120, 120, 260, 260, 440, 150);
    p.setPen(QPen(QColor(240, 110, 30), 14, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(track);
    p.setPen(QPen(QColor(255, 200, 120), 3, Qt::DashLine, Qt::RoundCap));
    p.drawPath(track);
    QFont title;
    title.setPixelSize(54);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(18, 24, 400, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Orvalo 5"));
    return pm;
}

void TIntroScreen::SetPicture(const QPixmap& picture)
{
    Image1->setPixmap(picture);
    Image1->setGeometry(0, 0, picture.width(), picture.height());
    setFixedSize(picture.size());
    Gauge1->setGeometry(0, picture.height() - 5, picture.width(), 5);
}

void TIntroScreen::takeGaugeBackground()
{
    const QImage img = Image1->pixmap().toImage();
    const QColor back = img.valid(2, 2) ? img.pixelColor(2, 2) : QColor(Qt::black);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar { border: none; background: %1; }"
                                         "QProgressBar::chunk { background: %2; }")
                              .arg(back.name(), kGaugeColor.name()));
    Gauge1->setProperty("BackColor", back);
}

void TIntroScreen::FormCreate(QObject*)
{
    takeGaugeBackground();
}

void TIntroScreen::FormShow(QObject*)
{
    // Again on show: a picture loaded from bigcustom.bmp gives the gauge its background.
    takeGaugeBackground();
}

void initIntroScreen(int steps)
{
    IntroScreen = new TIntroScreen(nullptr);
    IntroScreen->Gauge1->setValue(0);
    IntroScreen->Gauge1->setMaximum(steps);

    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey(QString::fromLatin1(kProgramRegistryKey), true)) {
        IntroScreen->Label2->setText(reg.ReadString(QStringLiteral("Name")));
        IntroScreen->Label1->setText(reg.ReadString(QStringLiteral("Company")));
    }
    const QString custom = ProgramFile(QStringLiteral("Custom/custom.bmp"));
    if (QFileInfo::exists(custom)) {
        QPixmap brand(custom);
        if (!brand.isNull()) {
            IntroScreen->Label5->setVisible(true);
            IntroScreen->Image2->setPixmap(brand);
            IntroScreen->Image2->resize(brand.size());
        }
    }
    const QString big = ProgramFile(QStringLiteral("Custom/bigcustom.bmp"));
    if (QFileInfo::exists(big)) {
        QPixmap picture(big);
        if (!picture.isNull())
            IntroScreen->SetPicture(picture);
    }
    reg.CloseKey();
}

void updateIntroScreen(const QString&)
{
    if (!IntroScreen)
        return;
    IntroScreen->Gauge1->setValue(IntroScreen->Gauge1->value() + 1);
    if (IntroScreen->isVisible())
        IntroScreen->repaint();
}

void freeIntroScreen()
{
    if (!IntroScreen)
        return;
    TIntroScreen* s = IntroScreen;
    IntroScreen = nullptr;
    s->hide();
    delete s;
}

TIntroScreen::~TIntroScreen() = default;
