#include "core/about.h"

#include "ui_about.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

#include "core/mainimages.h"
#include "core/orvtools.h"
#include "platform/rtl/folders.h"

TAboutForm* AboutForm = nullptr;

namespace {

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
    Image1->setPixmap(BannerPicture(500, 60));
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
