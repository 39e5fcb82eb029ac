#pragma once
// The body values of the current unit: the frame TpulsgewFrm (tool view "Bio" beside the entry
// window's unit page) with the heart rates, weight, body fat and calories, and the dialog
// TPulsGewicht ("Puls + Gewicht") that shows a second frame under a header naming the unit.
// Both are created at start-up and edit `daten` directly: what is typed stays in its edit
// buffer until the entry window saves or discards the unit.
#include <QLabel>
#include <QPushButton>

#include <memory>

#include "platform/vcl/dbctrls.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TpulsgewFrm;
class TPulsGewicht;
}

class TpulsgewFrm : public TFrame {
    Q_OBJECT
public:
    explicit TpulsgewFrm(QWidget* Owner = nullptr);
    ~TpulsgewFrm() override;

    std::unique_ptr<Ui::TpulsgewFrm> ui;
    TDBEdit* DBEdit5;  // "Ø Puls"
    TDBEdit* DBEdit1;  // "Maximalpuls"
    TDBEdit* DBEdit2;  // "Ruhepuls"
    TDBEdit* DBEdit7;  // "Erholungspuls"
    TDBEdit* DBEdit6;  // "Gewicht"
    TDBEdit* DBEdit3;  // "Fett (in%)"
    TDBEdit* DBEdit4;  // "kcal"

    // Leaving "Ø Puls": the load level follows the heart rate as after the entry window's own
    // heart-rate field.
    void DBEdit5Exit(QObject* Sender);
};

extern TpulsgewFrm* pulsgewFrm;

class TPulsGewicht : public TForm {
    Q_OBJECT
public:
    explicit TPulsGewicht(QWidget* Owner = nullptr);
    ~TPulsGewicht() override;

    std::unique_ptr<Ui::TPulsGewicht> ui;
    TpulsgewFrm* pulsgewFrm1;
    TDBText* DBText1;  // Datum
    TDBText* DBText2;  // SportName
    TDBText* DBText3;  // Ort
    TDBText* DBText4;  // Startzeit
    QPushButton* BitBtn1;  // "Übernehmen"

    void pulsgewFrm1DBEdit5Exit(QObject* Sender);
    // Closes the dialog; the values typed stay pending in `daten`.
    void BitBtn1Click(QObject* Sender);
};

extern TPulsGewicht* PulsGewicht;
