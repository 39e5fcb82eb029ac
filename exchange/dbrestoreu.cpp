#include "exchange/dbrestoreu.h"

#include "ui_dbrestoreu.h"

#include "core/language.h"
#include "core/mainimages.h"
#include "core/orvdbserver.h"
#include "exchange/backupcabinet.h"
#include "core/main.h"
#include "exchange/busyscope.h"
#include "platform/vcl/events.h"
#include "platform/vcl/shell.h"

TdbRestore* dbRestore = nullptr;

namespace {

constexpr int kChooseFolder = 65456;   // "Wählen Sie ein Verzeichnis aus:"
constexpr int kRestoreDone = 65457;    // "Rücksicherung abgeschlossen."

void bindClick(QPushButton* button, TdbRestore* form, void (TdbRestore::*handler)(QObject*))
{
    QObject::connect(button, &QPushButton::clicked, form, [button, h = Handler(form, handler)] { h(button); });
}

}  // namespace

TdbRestore::TdbRestore(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TdbRestore>())
{
    ui->setupUi(this);
    Image1 = ui->Image1;
    Edit1 = ui->Edit1;
    Button1 = ui->Button1;
    Edit2 = ui->Edit2;
    Button5 = ui->Button5;
    Button2 = ui->Button2;
    Button4 = ui->Button4;
    Button3 = ui->Button3;

    ui->Panel1->setBackgroundRole(QPalette::Base);
    Image1->setPixmap(MainImage(imgRestore, 48));
    OpenDialog1.SetDefaultExt(QStringLiteral("cab"));
    OpenDialog1.SetFilter(tr("Cabinet-Datei (*.cab)|*.cab"));
    OpenDialog1.SetOptions(ofHideReadOnly | ofFileMustExist);

    bindClick(Button1, this, &TdbRestore::Button1Click);
    bindClick(Button5, this, &TdbRestore::Button5Click);
    bindClick(Button2, this, &TdbRestore::Button2Click);
    bindClick(Button3, this, &TdbRestore::Button3Click);
    bindClick(Button4, this, &TdbRestore::Button4Click);
}

TdbRestore::~TdbRestore() = default;

void TdbRestore::Button1Click(QObject*)
{
    if (OpenDialog1.Execute(this))
        Edit1->setText(OpenDialog1.FileName());
}

void TdbRestore::Button5Click(QObject*)
{
    QString folder;
    Edit2->setText(SelectDirectory(LoadStr(kChooseFolder), QString(), folder) ? folder : QString());
}

void TdbRestore::Button2Click(QObject*)
{
    // Without a cabinet or a folder there is nothing to restore; an empty folder would mean the
    // root of the file system.
    if (Edit1->text().isEmpty()) {
        MessageDlg(tr("Bitte wählen Sie zuerst die Sicherungsdatei aus."), mtWarning, {mbOK});
        Button1->setFocus();
        return;
    }
    if (Edit2->text().isEmpty()) {
        MessageDlg(tr("Bitte wählen Sie zuerst das Zielverzeichnis aus."), mtWarning, {mbOK});
        Button5->setFocus();
        return;
    }
    {
        TBusyScope busy;
        RestoreBackupCabinet(Edit1->text(), Edit2->text(), orvServer ? orvServer->DatabasePath() : QString());
    }
    restored_ = true;
    ShowMessage(LoadStr(kRestoreDone));
    Close();
}

void TdbRestore::Button3Click(QObject*)
{
    ShowHelpTopic(QStringLiteral("Ruecksichern"));
}

void TdbRestore::Button4Click(QObject*)
{
    Close();
}
