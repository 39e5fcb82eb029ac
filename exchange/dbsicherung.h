#pragma once
// The backup wizard "Datenbank sichern": backs the open athlete database up, with files the user
// adds to its list, into one cabinet file. The list can be saved to and loaded from an XML file
// list, so that the same selection serves again. The main window's action "Datenbank sichern"
// shows it modally; the database check runs that action before a repair it was asked to back up.
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

#include "controls/xpbutton.h"
#include "platform/db/clientdataset.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/imglist.h"

namespace Ui {
class TdbSichern;
}

class TdbSichern : public TForm {
    Q_OBJECT
public:
    explicit TdbSichern(QWidget* Owner = nullptr);
    ~TdbSichern() override;

    std::unique_ptr<Ui::TdbSichern> ui;

    // --- components ---------------------------------------------------------------------------
    QLabel* Image1;
    QLabel* Label4;  // the database's path
    QTreeWidget* ListView1;  // "Name", "Verzeichnis", "Typ"
    QPushButton* Button1;    // "Hinzufügen"
    QPushButton* Button5;    // "Entfernen"
    TXPButton* XPButton1;    // "Vorlage öffnen"
    TXPButton* XPButton2;    // "Vorlage speichern"
    QPushButton* Button2;    // "Sichern"
    QPushButton* Button4;    // "Abbrechen"
    QPushButton* Button3;    // "Hilfe"
    TImageList* ImageList1;
    TOpenDialog OpenDialog1;  // the files to add
    TSaveDialog SaveDialog1;  // the cabinet
    TSaveDialog SaveDialog2;  // the file list to save
    TOpenDialog OpenDialog2;  // the file list to load
    TClientDataSet cds;       // the file list: vol_id, vol_name

    // True once a backup was written completely (the database check repairs only then).
    bool BackupWritten() const { return backupWritten_; }
    // The full paths of the listed files, in list order.
    QStringList ListedFiles() const;

    // --- handlers -----------------------------------------------------------------------------
    void FormShow(QObject* Sender);
    void Button1Click(QObject* Sender);
    void Button5Click(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void XPButton2Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button4Click(QObject* Sender);

private:
    void addListRow(const QString& path);

    bool backupWritten_ = false;
};

extern TdbSichern* dbSichern;
