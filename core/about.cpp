#include "core/about.h"

#include "ui_about.h"

#include <QCoreApplication>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QStringDecoder>

#include "core/orvtools.h"
#include "platform/rtl/folders.h"

TAboutForm* AboutForm = nullptr;

namespace {

QPixmap bannerPicture(int width, int height)
{
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, width, 0);
    g.setColorAt(0, QColor(18, 40, 82));
    g.setColorAt(1, QColor(34, 86, 150));
    p.fillRect(pm.rect(), g);
    p.setPen(QPen(QColor(240, 110, 30), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(width * 0.6, height - 10.0), QPointF(width - 20.0, 12.0));
    return pm;
}

// The lines of a text file; a file that is not UTF-8 is read as Latin-1, as the branding files
// of older installations are.
QString readText(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* Owner)
    : TForm(Owner), ui(std::make_unique<Ui::TAboutForm>())
{
    ui->setupUi(this);
    Image1 = ui->Image1;
    Label13 = ui->Label13;
    Label6 = ui->Label6;
    Memo1 = ui->Memo1;
    Button1 = ui->Button1;
    Image1->setPixmap(bannerPicture(500, 60));
    FormCreate(this);
}

void TAboutForm::FormCreate(QObject*)
{
    Label6->setText(tr("Build: ") + GetFileVersionStr(QCoreApplication::applicationFilePath()));
    const QString custom = ProgramFile(QStringLiteral("Custom/customabout.txt"));
    if (QFile::exists(custom))
        Memo1->setPlainText(readText(custom));
}

TAboutForm::~TAboutForm() = default;
