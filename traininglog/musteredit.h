#pragma once
// The template editor "Mustereditor": browses the template files (".mt5"), loads one into the
// main window's buffer `cds`, lets the user change its values, saves it under a name, starts an
// empty one and applies the loaded template to the current training unit of `daten`.
//
// The editor holds no data of its own: its controls show `cds` through its data source
// `DataSource1`; applying reads a copy of the buffer through the main window's `cds2`
// (core/unitpacket.h). The left pane is a folder combo, a folder tree and a file list over the
// file system, rooted at the home folder.
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QListView>
#include <QPushButton>
#include <QTreeView>

#include <memory>

#include "platform/db/clientdataset.h"
#include "platform/db/datasource.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

namespace Ui {
class Tmusteredit;
}

class Tmusteredit : public TForm {
    Q_OBJECT
public:
    // `cds` is the buffer the editor shows, `cds2` the dataset applying reads through, and
    // `SaveDialog1` the dialog that asks for a template's file name (all the main window's).
    Tmusteredit(TClientDataSet& cds, TClientDataSet& cds2, TSaveDialog& SaveDialog1, QWidget* Owner = nullptr);
    ~Tmusteredit() override;

    std::unique_ptr<Ui::Tmusteredit> ui;
    TDataSource DataSource1;  // over `cds`

    QComboBox* ShellComboBox1;
    QTreeView* ShellTreeView1;
    QListView* ShellListView1;
    TDBLookupComboBox* DBLookupComboBox1;  // Sportart
    TDBLookupComboBox* DBLookupComboBox2;  // Form
    QCheckBox* CheckBox1;                  // the template keeps its date
    TDBEdit* DBEdit15;                     // Datum
    QPushButton* BitBtn3;                  // "H": today
    TDBEdit* DBEdit1;                      // Ort
    TDBEdit* DBEdit2;                      // Meter
    TDBEdit* DBEdit4;                      // Streckenbeschreibung
    TDBEdit* DBEdit5;                      // Hoehendifferenz
    TDBEdit* DBEdit6;                      // Zeit
    TDBLookupComboBox* DBLookupComboBox3;  // Belastungsstufe
    TDBLookupComboBox* DBLookupComboBox4;  // Belastungsart
    TDBEdit* DBEdit10;                     // Puls
    TDBEdit* DBEdit12;                     // Gewicht
    TDBEdit* DBEdit14;                     // Startzeit
    TDBComboBox* DBComboBox5;              // Wetter
    TDBComboBox* DBComboBox6;              // Wind
    TDBEdit* DBEdit17;                     // Temperatur
    TDBComboBox* DBComboBox4;              // Gefuehl
    TDBEdit* DBEdit13;                     // Gli
    TDBEdit* DBEdit3;                      // platz
    TDBEdit* DBEdit16;                     // akplatz
    TDBText* DBText1;                      // cfg_user1Label
    TDBText* DBText2;                      // cfg_user2Label
    TDBEdit* DBEdit7;                      // User1
    TDBEdit* DBEdit11;                     // User2
    TDBMemo* DBMemo1;                      // Bemerkungen

    TActionList* ActionManager1;
    TAction* Action2;          // "Einladen"
    TAction* DataSetInsert1;   // "Muster neu anlegen"
    TAction* DataSetPost1;     // "Muster speichern"
    TAction* DataSetCancel1;   // "Bearbeitung abbrechen"
    TAction* Action1;          // "Hilfe"

    // The file list and tree show the folder "mt5" of the user's data when it exists.
    void FormShow(QObject* Sender);
    // "Einladen" only while a database is open and the buffer holds a template's row.
    void ActionManager1Update(QObject* Sender);
    // The file selected in the list is loaded.
    void ShellListView1Change(QObject* Sender);
    void DataSetInsert1Execute(QObject* Sender);
    void DataSetPost1Execute(QObject* Sender);
    void DataSetCancel1Execute(QObject* Sender);
    void Action2Execute(QObject* Sender);
    void BitBtn3Click(QObject* Sender);
    void CheckBox1Click(QObject* Sender);
    void Action1Execute(QObject* Sender);

    // Loads a template file into the buffer; a file that is no template is reported by its full
    // path and leaves no template loaded.
    void LoadTemplateFile(const QString& fileName);
    // Moves the tree, the combo box and the file list to a folder.
    void ShowFolder(const QString& folder);
    // The folder the file list shows.
    QString CurrentFolder() const;

private:
    void fillFolderCombo(const QString& folder);
    void treeChanged();
    // Puts the buffer into edit state unless it is being edited already.
    void editBuffer();

    TClientDataSet& cds_;
    TClientDataSet& cds2_;
    TSaveDialog& saveDialog_;
    QFileSystemModel* folders_;
    QFileSystemModel* files_;
    QString folder_;
};

extern Tmusteredit* musteredit;

// The folder of the user's templates, "mt5" in the user's data folder.
QString TemplateFolder();
