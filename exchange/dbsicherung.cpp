#include "exchange/dbsicherung.h"

#include "ui_dbsicherung.h"

#include <QDir>
#include <QHeaderView>
#include <QPainter>

#include "core/language.h"
#include "core/mainimages.h"
#include "core/orvdbserver.h"
#include "exchange/backupcabinet.h"
#include "core/main.h"
#include "exchange/busyscope.h"
#include "platform/vcl/events.h"
#include "platform/vcl/shell.h"

TdbSichern* dbSichern = nullptr;

namespace {

// The message table's "Sicherung abgeschlossen."
constexpr int kBackupDone = 65459;

// The parts of a listed path: the folder without a trailing delimiter and the file's name. Lists
// written elsewhere may separate with "\".
std::pair<QString, QString> splitPath(const QString& path)
{
    int cut = path.lastIndexOf(QLatin1Char('/'));
    if (cut < 0)
        cut = path.lastIndexOf(QLatin1Char('\\'));
    if (cut < 0)
        return {QString(), path};
    return {path.left(cut), path.mid(cut + 1)};
}

// The glyph of "Vorlage speichern": a disk.
QImage diskGlyph()
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(QColor(40, 52, 72));
    p.setBrush(QColor(70, 110, 180));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(4, 1, 7, 5);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(4, 9, 7, 5);
    return img;
}

// Runs a button's handler guarded, as the runtime runs an OnClick.
void bindClick(QPushButton* button, TdbSichern* form, void (TdbSichern::*handler)(QObject*))
{
    QObject::connect(button, &QPushButton::clicked, form,
                     [button, h = Handler(form, handler)] { h(button); });
}

}  // namespace

TdbSichern::TdbSichern(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TdbSichern>())
{
    ui->setupUi(this);
    Image1 = ui->Image1;
    Label4 = ui->Label4;
    ListView1 = ui->ListView1;
    Button1 = ui->Button1;
    Button5 = ui->Button5;
    XPButton1 = ui->XPButton1;
    XPButton2 = ui->XPButton2;
    Button2 = ui->Button2;
    Button4 = ui->Button4;
    Button3 = ui->Button3;

    ui->Panel1->setBackgroundRole(QPalette::Base);
    Image1->setPixmap(MainImage(imgBackup, 48));
    ImageList1 = new TImageList(this);
    ImageList1->Add(MainImage(imgTemplate));
    XPButton1->SetGlyph(MainImage(imgOpen).toImage());
    XPButton2->SetGlyph(diskGlyph());
    ListView1->header()->setSectionResizeMode(QHeaderView::Interactive);
    ListView1->setColumnWidth(0, 120);
    ListView1->setColumnWidth(1, 190);
    for (QPushButton* b : {Button1, Button5})
        b->setMinimumWidth(100);

    OpenDialog1.SetOptions(ofAllowMultiSelect | ofNoChangeDir | ofHideReadOnly);
    OpenDialog1.SetFilter(tr("Alle Orvalo 5 Dateien|*.mt5;*.co5;*.qrp;*.chd;*.sql;*.imp|Spaltendateien (*.co5)|*.co5|"
                             "Quickreport (*.qrp)|*.qrp|Chart-Dateien (*.chd)|*.chd|SQL-Abfragen (*.sql)|*.sql|"
                             "Import-Dateien (*.imp)|*.imp|Musterdateien (*.mt5)|*.mt5|Alle Dateien (*.*)|*.*"));
    SaveDialog1.SetDefaultExt(QStringLiteral("cab"));
    SaveDialog1.SetFilter(tr("CAB-Datei (*.cab)|*.cab"));
    for (TOpenDialog* d : {static_cast<TOpenDialog*>(&SaveDialog2), &OpenDialog2}) {
        d->SetDefaultExt(QStringLiteral("xml"));
        d->SetFilter(tr("XML-Datei (*.xml)|*.xml"));
    }
    DeclareFileListFields(cds);

    bindClick(Button1, this, &TdbSichern::Button1Click);
    bindClick(Button5, this, &TdbSichern::Button5Click);
    bindClick(Button2, this, &TdbSichern::Button2Click);
    bindClick(Button3, this, &TdbSichern::Button3Click);
    bindClick(Button4, this, &TdbSichern::Button4Click);
    XPButton1->OnClick = Handler(this, &TdbSichern::XPButton1Click);
    XPButton2->OnClick = Handler(this, &TdbSichern::XPButton2Click);
    OnShow = Handler(this, &TdbSichern::FormShow);
}

TdbSichern::~TdbSichern() = default;

QStringList TdbSichern::ListedFiles() const
{
    QStringList files;
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        files << ListView1->topLevelItem(i)->data(0, Qt::UserRole).toString();
    return files;
}

void TdbSichern::addListRow(const QString& path)
{
    const auto [folder, name] = splitPath(path);
    auto* item = new QTreeWidgetItem(ListView1, {name, folder, BackupFileTypeLabel(name)});
    item->setIcon(0, ImageList1->GetIcon(0));
    item->setData(0, Qt::UserRole, path);
}

void TdbSichern::FormShow(QObject*)
{
    Label4->setText(orvServer ? QDir::toNativeSeparators(orvServer->DatabasePath()) : QString());
}

void TdbSichern::Button1Click(QObject*)
{
    if (!OpenDialog1.Execute(this))
        return;
    // A file already listed is added again: the cabinet then holds it twice.
    const QStringList files = OpenDialog1.Files().isEmpty() ? QStringList{OpenDialog1.FileName()} : OpenDialog1.Files();
    for (const QString& file : files)
        addListRow(file);
}

void TdbSichern::Button5Click(QObject*)
{
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    if (!selected.isEmpty())
        delete selected.first();
}

void TdbSichern::XPButton1Click(QObject*)
{
    if (!OpenDialog2.Execute(this))
        return;
    const QStringList files = LoadFileList(cds, OpenDialog2.FileName());
    ListView1->clear();
    for (const QString& file : files)
        addListRow(file);
}

void TdbSichern::XPButton2Click(QObject*)
{
    if (!SaveDialog2.Execute(this))
        return;
    SaveFileList(cds, ListedFiles(), SaveDialog2.FileName());
}

void TdbSichern::Button2Click(QObject*)
{
    if (!SaveDialog1.Execute(this))
        return;
    if (!orvServer)
        return;
    {
        TBusyScope busy;
        WriteBackupCabinet(orvServer->orvDB, orvServer->DatabasePath(), ListedFiles(), SaveDialog1.FileName());
    }
    backupWritten_ = true;
    ShowMessage(LoadStr(kBackupDone));
    Close();
}

void TdbSichern::Button3Click(QObject*)
{
    ShowHelpTopic(QStringLiteral("Sichern"));
}

void TdbSichern::Button4Click(QObject*)
{
    Close();
}
