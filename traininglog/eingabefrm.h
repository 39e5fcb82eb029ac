#pragma once
// Every field of the current unit on one page: the frame TeingabeFrm with the groups
// "Allgemein", "Strecke", "Leistung", "Bio", "Umgebung" and "Anderes", the comment and the two
// free fields, and the modal window TeingabeWin ("Einheit bearbeiten") around one frame. The
// controls write into `daten`'s edit buffer; the window itself posts and cancels nothing on
// closing: its caller decides.
#include <QLabel>
#include <QPushButton>

#include <memory>

#include "controls/dbdatetimepicker.h"
#include "controls/xpbutton.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TeingabeFrm;
class TeingabeWin;
}

class TeingabeFrm : public TFrame {
    Q_OBJECT
public:
    explicit TeingabeFrm(QWidget* Owner = nullptr);
    ~TeingabeFrm() override;

    std::unique_ptr<Ui::TeingabeFrm> ui;
    // "Allgemein"
    TDBLookupComboBox* DBLookupComboBox1;  // Sportart
    TDBLookupComboBox* DBLookupComboBox2;  // Form
    TDBDateTimePicker* DBDateTimePicker1;  // Datum
    TDBText* DBText1;                      // Tag
    TXPButton* BitBtn3;                    // "H": today
    // "Strecke"
    TDBEdit* DBEdit1;                      // Ort
    TDBLookupListBox* DBLookupListBox1;    // route names, shown while "Ort" is entered
    TDBEdit* DBEdit2;                      // Meter
    TDBText* DBText2;                      // lDistance
    TDBEdit* DBEdit4;                      // Streckenbeschreibung
    TDBEdit* DBEdit5;                      // Hoehendifferenz
    // "Leistung"
    TDBEdit* DBEdit6;                      // Zeit
    TDBEdit* DBEdit9;                      // kmh
    TDBEdit* DBEdit8;                      // minkm
    TDBLookupComboBox* DBLookupComboBox3;  // Belastungsstufe
    TDBLookupComboBox* DBLookupComboBox4;  // Belastungsart
    // "Bio"
    TDBEdit* DBEdit10;                     // Puls
    TDBEdit* DBEdit12;                     // Gewicht
    QPushButton* Button2;                  // "Erweitert"
    // "Umgebung"
    TDBEdit* DBEdit14;                     // Startzeit
    TDBComboBox* DBComboBox5;              // Wetter
    TDBComboBox* DBComboBox6;              // Wind
    TDBEdit* DBEdit17;                     // Temperatur
    // "Anderes"
    TDBComboBox* DBComboBox4;              // Gefuehl
    TDBEdit* DBEdit13;                     // Gli
    QPushButton* BitBtn2;                  // "..."
    TDBEdit* DBEdit16;                     // platz
    // bottom
    TDBMemo* DBMemo1;                      // Bemerkungen
    TDBEdit* DBEdit7;                      // User1
    TDBEdit* DBEdit11;                     // User2
    TDBNavigator* DBNavigator2;            // post
    TDBNavigator* DBNavigator3;            // cancel

    // "H": today's date, putting a unit in browse state into edit state first.
    void BitBtn3Click(QObject* Sender);
    // The route list beside "Ort": shown on entering it, kept while the focus moves between the
    // two, hidden by any key in either.
    void DBEdit1Enter(QObject* Sender);
    void DBEdit1Exit(QObject* Sender);
    void DBEdit1KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void DBLookupListBox1Exit(QObject* Sender);
    void DBLookupListBox1KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    // Enter in the list takes the route as a double click does.
    void DBLookupListBox1KeyPress(QObject* Sender, QChar& Key);
    // Takes over the route named in "Ort": its length, height difference, place and
    // description. A name that matches no route changes nothing.
    void DBLookupListBox1DblClick(QObject* Sender);
    // "Erweitert": the pulse and weight dialog.
    void Button2Click(QObject* Sender);
};

class TeingabeWin : public TForm {
    Q_OBJECT
public:
    explicit TeingabeWin(QWidget* Owner = nullptr);
    ~TeingabeWin() override;

    std::unique_ptr<Ui::TeingabeWin> ui;
    TeingabeFrm* eingabeFrm1;
    TXPButton* XPButton15;  // "Übernehmen"
    TXPButton* XPButton16;  // "Bearbeiten abbrechen"
    TXPButton* XPButton8;   // "Schließen": modal result OK
    TXPButton* XPButton1;   // "Abbrechen": modal result Cancel, hidden at first

    void XPButton15Click(QObject* Sender);
    void XPButton16Click(QObject* Sender);
    void XPButton8Click(QObject* Sender);
    void XPButton1Click(QObject* Sender);
};

extern TeingabeWin* eingabeWin;
