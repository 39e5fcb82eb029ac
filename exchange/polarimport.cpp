#include "exchange/polarimport.h"

#include "ui_polarimport.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStyle>

#include "core/fmxutils.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/startup.h"
#include "exchange/hrmimport.h"
#include "platform/rtl/folders.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/events.h"
#include "platform/vcl/registry.h"
#include "traininglog/einheiteneingabe.h"

TpolarImp* polarImp = nullptr;

namespace {

// The maker's page about the infrared add-on.
const char kAddOnInformation[] = "https://www.bellquist.de/orvalo/heartratetool.html";

using ReadFromSoundFn = int (*)(const char*);
using ReadFromWavFn = int (*)(const char*, const char*);
using ReadExercisesFn = int (*)(const char*);

QByteArray nativePath(const QString& path)
{
    return QFile::encodeName(QDir::toNativeSeparators(path));
}

}  // namespace

TpolarImp::TpolarImp(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TpolarImp>())
{
    ui->setupUi(this);
    RadioButton1 = ui->RadioButton1;
    RadioButton2 = ui->RadioButton2;
    RadioButton3 = ui->RadioButton3;
    RadioButton4 = ui->RadioButton4;
    Image2 = ui->Image2;
    Image3 = ui->Image3;
    Image4 = ui->Image4;
    Image5 = ui->Image5;
    Label3 = ui->Label3;
    Label4 = ui->Label4;
    Label6 = ui->Label6;
    Label7 = ui->Label7;
    Label8 = ui->Label8;
    Label9 = ui->Label9;
    Button2 = ui->Button2;
    Button3 = ui->Button3;
    Button4 = ui->Button4;

    const QStyle* st = style();
    Image2->setPixmap(st->standardIcon(QStyle::SP_MediaVolume).pixmap(32, 32));
    Image3->setPixmap(st->standardIcon(QStyle::SP_MediaPlay).pixmap(32, 32));
    Image4->setPixmap(st->standardIcon(QStyle::SP_FileIcon).pixmap(32, 32));
    Image5->setPixmap(st->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
    ui->Image1->setPixmap(st->standardIcon(QStyle::SP_DialogOpenButton).pixmap(48, 48));

    OpenDialog1.SetFilter(tr("Wave-Datei (*.wav)|*.wav"));
    OpenDialog2.SetFilter(tr("HRM-Datei (*.hrm)|*.hrm"));
    OpenDialog2.SetOptions(OpenDialog2.Options() | ofAllowMultiSelect | ofFileMustExist);

    // A click on a choice's picture or label selects its radio button.
    const std::pair<QLabel*, QRadioButton*> clickable[] = {{Image2, RadioButton1}, {Label3, RadioButton1},
                                                           {Image3, RadioButton2}, {Label4, RadioButton2},
                                                           {Image4, RadioButton3}, {Label6, RadioButton3},
                                                           {Image5, RadioButton4}, {Label8, RadioButton4}};
    for (auto [label, radio] : clickable)
        Events(label).OnMouseDown = [radio](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            if (radio->isEnabled())
                radio->setChecked(true);
        };
    Events(Label9).OnMouseDown = [this](QObject* s, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        Handler(this, &TpolarImp::Label9Click)(s);
    };
    for (auto [button, handler] : {std::pair{Button2, &TpolarImp::Button2Click}, {Button3, &TpolarImp::Button3Click},
                                   {Button4, &TpolarImp::Button4Click}})
        connect(button, &QPushButton::clicked, this, [button, h = Handler(this, handler)] { h(button); });
    OnShow = Handler(this, &TpolarImp::FormShow);
}

TpolarImp::~TpolarImp() = default;

QString TpolarImp::ConverterLibrary()
{
    return ProgramFile(QStringLiteral("sl2hrm.so"));
}

QString TpolarImp::AddOnLibrary()
{
    return ProgramFile(QStringLiteral("orvhrm.so"));
}

QString TpolarImp::TempFolder()
{
    const QString folder = UserDataFile(QStringLiteral("Temp"));
    QDir().mkpath(folder);
    return folder;
}

QString TpolarImp::ImportBuffer()
{
    return QDir(TempFolder()).filePath(QStringLiteral("~import.hrm"));
}

void TpolarImp::FormShow(QObject*)
{
    converterPresent_ = QFileInfo::exists(ConverterLibrary());
    for (QWidget* w : std::initializer_list<QWidget*>{RadioButton1, RadioButton2, Image2, Image3, Label3, Label4})
        w->setEnabled(converterPresent_);
    addOnPresent_ = QFileInfo::exists(AddOnLibrary());
    for (QWidget* w : std::initializer_list<QWidget*>{Label8, RadioButton4, Image5})
        w->setEnabled(addOnPresent_);
    Label9->setVisible(!Label8->isEnabled());
    if (!converterPresent_) {
        Label7->setText(LoadStr(msg::ConverterMissing));
        RadioButton3->setChecked(true);
    }
    if (!addOnPresent_ && RadioButton4->isChecked())
        RadioButton3->setChecked(true);
    layout()->activate();  // the information link takes its place before the window paints
}

void TpolarImp::Button2Click(QObject*)
{
    if (RadioButton1->isChecked())
        importSound();
    else if (RadioButton2->isChecked())
        importWave();
    else if (RadioButton3->isChecked())
        importHRM();
    else if (RadioButton4->isChecked())
        importIR();
}

void TpolarImp::Button3Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Import-Herzfrequenzwerte"), callHelp);
}

void TpolarImp::Button4Click(QObject*)
{
    SetModalResult(mrCancel);
}

void TpolarImp::Label9Click(QObject*)
{
    ExecuteFile(QString::fromLatin1(kAddOnInformation), QString(), QString(), SW_SHOWNORMAL);
}

void TpolarImp::importFile(const QString& file)
{
    // On the split page the samples and laps join the unit shown there.
    const bool importUnit = !(eingabe && eingabe->PageControl2->currentIndex() == 1);
    ModalForm<ThrmImport> form(hrmImport, MainForm, importUnit, true, true, file);
    // A file that cannot be read is reported before its preview opens.
    if (form->ReadFile())
        form->ShowModal();
}

void TpolarImp::importSound()
{
    QLibrary lib(ConverterLibrary());
    auto read = reinterpret_cast<ReadFromSoundFn>(lib.resolve("ReadFromSound"));
    if (!read)
        return;
    const QString buffer = ImportBuffer();
    const int result = read(nativePath(buffer).constData());
    lib.unload();
    if (result != 1) {
        MessageDlg(LoadStr(msg::FileNotUnderstood), mtError, TMsgDlgButtons{mbOK});
        return;
    }
    hide();
    importFile(buffer);
    SetModalResult(mrOk);
}

void TpolarImp::importWave()
{
    if (!OpenDialog1.Execute(this))
        return;
    const QString buffer = ImportBuffer();
    QLibrary lib(ConverterLibrary());
    auto read = reinterpret_cast<ReadFromWavFn>(lib.resolve("ReadFromWav"));
    if (!read)
        return;
    const int result = read(nativePath(OpenDialog1.FileName()).constData(), nativePath(buffer).constData());
    lib.unload();
    if (result != 1) {
        MessageDlg(LoadStr(msg::FileNotUnderstood), mtError, TMsgDlgButtons{mbOK});
        return;
    }
    hide();
    importFile(buffer);
    SetModalResult(mrOk);
}

void TpolarImp::importHRM()
{
    // The folder of the monitor software, when its setting names one; it is only read.
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (reg.OpenKey(QString::fromLatin1(kProgramRegistryKey), true) && reg.ValueExists(QStringLiteral("PolarDir"))) {
        const QString dir = reg.ReadString(QStringLiteral("PolarDir"));
        if (!dir.isEmpty() && QFileInfo(dir).isDir())
            OpenDialog2.SetInitialDir(dir);
    }
    if (!OpenDialog2.Execute(this))
        return;
    const QStringList files = OpenDialog2.Files().isEmpty() ? QStringList{OpenDialog2.FileName()} : OpenDialog2.Files();
    hide();
    for (const QString& file : files)
        importFile(file);
    SetModalResult(mrOk);
}

void TpolarImp::importIR()
{
    const QString base = QDir(TempFolder()).filePath(FormatDateTime(QStringLiteral("ddmmyy-hhnnss"), Now()));
    {
        QLibrary lib(AddOnLibrary());
        if (auto read = reinterpret_cast<ReadExercisesFn>(lib.resolve("ReadExercises")))
            read(nativePath(base).constData());
        lib.unload();
    }
    hide();
    if (QFileInfo::exists(base)) {
        importFile(base);
    } else {
        for (int n = 0; n <= 150; ++n) {
            const QString file = base + QStringLiteral("-%1.hrm").arg(n);
            if (QFileInfo::exists(file))
                importFile(file);
        }
    }
    SetModalResult(mrOk);
}
