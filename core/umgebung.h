#pragma once
// The options dialog "Optionen": the athlete's settings (the config row, through data-aware
// controls), the four lookup tables and the 5000 m bands (grids, shown after "Erweitert"), the
// QuickLoad values of the program's registry key and the interface language. Created by the
// main window's options action, shown modally and freed.
//
// OK posts the settings (with the colour of the statistics' block rows) and writes the registry
// values; Cancel and the close box drop unsaved settings. Lookup rows are posted by their grids
// as the user leaves them; a row still being edited when the dialog closes is posted by OK and
// dropped by Cancel, so that no shared table stays in edit behind the dialog.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMenu>
#include <QPair>
#include <QPushButton>
#include <QTabWidget>

#include <memory>

#include "controls/xpbutton.h"
#include "core/umgebungtools.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/shape.h"

namespace Ui {
class TUmgebungsoptionen;
}

class TUmgebungsoptionen : public TForm {
    Q_OBJECT
public:
    explicit TUmgebungsoptionen(QWidget* Owner = nullptr);
    ~TUmgebungsoptionen() override;

    std::unique_ptr<Ui::TUmgebungsoptionen> ui;

    // --- components ---------------------------------------------------------------------------
    QTabWidget* PageControl1;
    QWidget* TabSheet1;  // "Persönliche Einstellungen"
    QWidget* TabSheet2;  // "Ansicht"
    QWidget* TabSheet3;  // "QuickLoad"
    QWidget* TabSheet4;  // "Sportarten"
    QWidget* TabSheet5;  // "Formen"
    QWidget* TabSheet6;  // "Belastungstufen"
    QWidget* TabSheet7;  // "Belastungsarten"
    QWidget* TabSheet8;  // "5000m Zeiten"
    TDBEdit* DBEdit1;    // cfg_name
    TDBEdit* DBEdit2;    // cfg_geburtsdatum
    TDBEdit* DBEdit3;    // cfg_maxpuls
    TDBEdit* DBEdit4;    // cfg_5000m
    TDBEdit* DBEdit5;    // cfg_user1Label
    TDBEdit* DBEdit6;    // cfg_user2Label
    TDBEdit* DBEdit7;    // cfg_zeitraumCO5
    QPushButton* Button5;  // "..." maximum heart rate calculator
    QComboBox* ComboBox1;  // language
    TDBComboBox* DBComboBox1;  // cfg_startfenster
    TDBComboBox* DBComboBox2;  // cfg_eingabeTool
    TDBCheckBox* DBCheckBox3;   // cfg_belautocalc "Automatisch berechnen"
    TDBCheckBox* DBCheckBox12;  // cfg_nachHF "Nach HF berechnen"
    TShape* Shape1;             // colour of the block rows in the period statistics
    QPushButton* Button1;       // "Ändern"
    QPushButton* BitBtn1;       // browse for the column view
    QCheckBox* CheckBox1;       // "Quickload aktiviert"
    QLineEdit* Edit1;           // QuickLoad file
    QPushButton* Button2;       // "Durchsuchen"
    QPushButton* Button3;       // "Aktive DB"
    TDBGrid* DBGrid1;  // sports
    TDBGrid* DBGrid2;  // training forms
    TDBGrid* DBGrid3;  // load levels
    TDBGrid* DBGrid4;  // load types
    TDBGrid* DBGrid5;  // 5000 m bands
    // Add, delete, move down, move up of the sports (1-4), forms (5-8), load levels (9-12) and
    // load types (13-16).
    QList<TXPButton*> XPButtons;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* HelpBtn;
    QPushButton* Button4;  // "Erweitert"
    QMenu* PopupMenu1;     // the load levels for a 5000 m band
    TColorDialog ColorDialog1;
    TOpenDialog OpenDialog1;         // column view (.co5)
    TOpenDialog OpenPictureDialog1;  // a sport's picture

    // Moves the table's current row one place up or down in the display order (swapping the
    // order values with its neighbour); the row stays current.
    void moveUp(TDataSet& Table, const QString& idField, const QString& orderField);
    void moveDown(TDataSet& Table, const QString& idField, const QString& orderField);

    // --- handlers -----------------------------------------------------------------------------
    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    void FormClose(QObject* Sender, TCloseAction& Action);
    void DBCheckBox3Click(QObject* Sender);
    void Button4Click(QObject* Sender);
    // "..." beside "Maximalpuls:": the maximum heart rate calculator; its result becomes the
    // setting.
    void Button5Click(QObject* Sender);
    void Button1Click(QObject* Sender);
    void BitBtn1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void HelpBtnClick(QObject* Sender);
    void DBGrid1EditButtonClick(QObject* Sender);
    void DBGrid2EditButtonClick(QObject* Sender);
    void DBGrid3EditButtonClick(QObject* Sender);
    void DBGrid4EditButtonClick(QObject* Sender);
    void DBGrid5EditButtonClick(QObject* Sender);
    void PopupMenu1Popup(QObject* Sender);
    void Hilfethemen1Click(QAction* Item);
    void OKBtnClick(QObject* Sender);
    void CancelBtnClick(QObject* Sender);

    // The languages of the list, in its order.
    const QList<TLanguageEntry>& Languages() const { return languages_; }

private:
    void setUpGrids();
    void bindHandlers();
    // A colour grid's button: the chosen colour into the grid's selected field.
    void chooseColor(TDBGrid* grid);
    void choosePicture();
    void drawColorCell(TDBGrid* grid, const QRect& rect, TColumn* column);
    // The grid buttons' tables and their id and order fields.
    struct LookupPage {
        TDataSet* table;
        const char* idField;
        const char* orderField;
    };
    void appendRow(TDataSet& table);
    void deleteRow(TDataSet& table);
    // Lookup rows still being edited when the dialog closes: posted (OK) or dropped.
    void finishLookupEdits(bool post);

    QList<TLanguageEntry> languages_;
    // The Boolean texts of the lookup flags before the dialog showed them as "Wahr"/"Falsch".
    QList<QPair<TField*, QString>> flagTexts_;
};

extern TUmgebungsoptionen* Umgebungsoptionen;
