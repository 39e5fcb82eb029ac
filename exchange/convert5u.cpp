#include "exchange/convert5u.h"

#include "ui_convert5u.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

#include "core/fmxutils.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "exchange/convbusy.h"
#include "platform/db/connection.h"
#include "platform/office/paradox/paradoxtable.h"
#include "platform/rtl/folders.h"
#include "platform/rtl/inifiles.h"
#include "platform/vcl/events.h"

Tconvert5* convert5 = nullptr;

namespace {

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    if (!fa.exists() || !fb.exists())
        return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
    return fa.canonicalFilePath() == fb.canonicalFilePath();
}

// The open athlete database, when `file` is it.
bool isOpenDatabase(const QString& file)
{
    return orvServer && orvServer->DatabaseOpen() && sameFile(orvServer->DatabasePath(), file);
}

}  // namespace

Tconvert5::Tconvert5(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tconvert5>())
{
    ui->setupUi(this);
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    Label6 = ui->Label6;
    Label9 = ui->Label9;
    Label10 = ui->Label10;
    CheckBox1 = ui->CheckBox1;
    Button1 = ui->Button1;
    Button2 = ui->Button2;
    Button3 = ui->Button3;
    Button4 = ui->Button4;
    Button5 = ui->Button5;
    Button6 = ui->Button6;
    ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(48, 48));

    OpenDialog1.SetTitle(tr("Datenbank wählen"));
    OpenDialog1.SetFilter(tr("Orvalo Datenbank (*.orv)| *.orv"));
    OpenDialog1.SetOptions(OpenDialog1.Options() | ofFileMustExist);
    SaveDialog1.SetTitle(tr("Neuer Benutzer"));
    SaveDialog1.SetDefaultExt(QStringLiteral("orv"));
    SaveDialog1.SetFilter(tr("Orvalo 5 Benutzer (*.orv)|*.orv"));
    SaveDialog1.SetOptions(SaveDialog1.Options() | ofOverwritePrompt);

    for (auto [button, handler] : {std::pair{Button1, &Tconvert5::Button1Click}, {Button2, &Tconvert5::Button2Click},
                                   {Button3, &Tconvert5::Button3Click}, {Button4, &Tconvert5::Button4Click},
                                   {Button5, &Tconvert5::Button5Click}, {Button6, &Tconvert5::Button6Click}})
        connect(button, &QPushButton::clicked, this, [button, h = Handler(this, handler)] { h(button); });
    FormCreate(this);
}

Tconvert5::~Tconvert5() = default;

void Tconvert5::FormCreate(QObject*)
{
    // The old tables' password needs no session here: the reader decrypts them from their header.
    updateConvertButton();
}

void Tconvert5::updateConvertButton()
{
    Button2->setEnabled(oldFolderValid_ && !Edit2->text().isEmpty());
}

void Tconvert5::Button1Click(QObject*)
{
    if (!OpenDialog1.Execute(this))
        return;
    const QString file = OpenDialog1.FileName();
    const QString folder = QFileInfo(file).absolutePath();
    // The tables beside the user file must be the ones the conversion reads: missing tables and
    // tables of other programs under their names are named after the message.
    const QStringList problems = TconvertServer::CheckOldFolder(folder);
    if (!problems.isEmpty()) {
        // The choice is refused whole: what was shown before stays, and so does the button.
        MessageDlg(LoadStr(msg::NoOldVersionFile) + QStringLiteral("\n\n") +
                       tr("Benutzerdatei: \"%1\"").arg(QDir::toNativeSeparators(file)) + QLatin1Char('\n') +
                       problems.join(QLatin1Char('\n')),
                   mtError, TMsgDlgButtons{mbOK});
        return;
    }
    ParadoxTable daten;
    daten.Open(ParadoxTable::FindFile(folder, QStringLiteral("daten.db")));
    Edit1->setText(file);
    oldFolderValid_ = true;
    needsUpgrade_ = daten.FieldIndex(QStringLiteral("User1")) < 0;
    daten.Close();
    const TIniFile ini(file);
    const QString none = tr("keine Angaben");
    Label6->setText(ini.ReadString(QStringLiteral("Allgemein"), QStringLiteral("Benutzer"), none));
    Label9->setText(ini.ReadString(QStringLiteral("Person"), QStringLiteral("Name"), none));
    Label10->setText(ini.ReadString(QStringLiteral("Person"), QStringLiteral("geburtsdatum"), none));
    updateConvertButton();
}

void Tconvert5::Button5Click(QObject*)
{
    if (!OpenDialog1.Execute(this))
        return;
    Edit2->setText(OpenDialog1.FileName());
    updateConvertButton();
}

void Tconvert5::Button6Click(QObject*)
{
    if (!SaveDialog1.Execute(this))
        return;
    const QString file = SaveDialog1.FileName();
    if (isOpenDatabase(file)) {
        MessageDlg(tr("Die gewählte Datei ist die geöffnete Datenbank. Sie kann nicht durch eine leere Datenbank "
                      "ersetzt werden."),
                   mtError, TMsgDlgButtons{mbOK});
        return;
    }
    CopyFile(ProgramFile(QStringLiteral("DB/leer.orv.system")), file);
    Edit2->setText(file);
    updateConvertButton();
}

void Tconvert5::Button2Click(QObject*)
{
    if (MessageDlg(tr("Daten wirklich konvertieren?"), mtWarning, mbYesNo) != mrYes)
        return;
    TconvertServer converter;
    if (!converter.ReadOldFolder(QFileInfo(Edit1->text()).absolutePath())) {
        MessageDlg(LoadStr(msg::Error) + QStringLiteral(": ") + converter.Error(), mtError, TMsgDlgButtons{mbOK});
        return;
    }
    const QString targetFile = Edit2->text();
    const bool openDatabase = isOpenDatabase(targetFile);
    TConnection own;
    TConnection* target = &own;
    if (openDatabase) {
        target = &orvServer->orvDB;
    } else {
        try {
            own.Open(targetFile);
        } catch (const std::exception& e) {
            MessageDlg(LoadStr(msg::Error) + QStringLiteral(": ") + ExceptionMessage(e), mtError, TMsgDlgButtons{mbOK});
            return;
        }
    }

    TconvBusyDlg busy(this);
    convBusyDlg = &busy;
    ConversionProgress progress;
    progress.labels = [&](const QString& phase, const QString& detail) {
        busy.Label1->setText(phase);
        busy.Label2->setText(detail);
    };
    progress.reset1 = [&](int max) {
        busy.ProgressBar1->setMaximum(max);
        busy.ProgressBar1->setValue(0);
    };
    progress.reset2 = [&](int max) {
        busy.ProgressBar2->setMaximum(max);
        busy.ProgressBar2->setValue(0);
    };
    progress.step1 = [&] { busy.stepProgress1(); };
    progress.step2 = [&] { busy.stepProgress2(); };
    busy.Show();
    QApplication::processEvents();
    const bool converted = converter.convertIt(*target, CheckBox1->isChecked(), progress);
    busy.Close();
    convBusyDlg = nullptr;
    if (!converted) {
        MessageDlg(LoadStr(msg::Error) + QStringLiteral(": ") + converter.Error(), mtError, TMsgDlgButtons{mbOK});
        return;
    }
    if (openDatabase)
        orvServer->openDatabase(targetFile);  // every view reads the converted data
    QString done = LoadStr(msg::DataConverted);
    if (converter.LastResult().skippedLinks > 0)
        done += QStringLiteral("\n") + tr("Übergangene Equipmentzuordnungen ohne Einheit oder Equipment: %1")
                                              .arg(converter.LastResult().skippedLinks);
    MessageDlg(done, mtInformation, TMsgDlgButtons{mbOK});
    SetModalResult(mrOk);
}

void Tconvert5::Button3Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("konvertieren"), callHelp);
}

void Tconvert5::Button4Click(QObject*)
{
    SetModalResult(mrCancel);
}
