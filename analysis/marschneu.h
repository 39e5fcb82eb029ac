#pragma once
// "Marschtabelle": an even-pace table of lap marks with running and lap times from a race
// distance, a lap length and one known quantity (total time, lap time, pace or speed). The table
// can be extended by hand, printed, exported to a workbook and inserted as split times into the
// current training unit.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "analysis/marchtable.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/grids.h"
#include "platform/vcl/maskedit.h"

namespace Ui {
class Tmarschtab;
}

class Tmarschtab : public TForm {
    Q_OBJECT
public:
    explicit Tmarschtab(QWidget* Owner = nullptr);
    ~Tmarschtab() override;

    std::unique_ptr<Ui::Tmarschtab> ui;
    QLineEdit* Edit1;       // total distance in metres
    QLineEdit* Edit2;       // lap length in metres
    QLineEdit* MaskEdit2;   // km/h
    TMaskEdit* MaskEdit1;   // min/km
    TMaskEdit* MaskEdit3;   // lap time
    TMaskEdit* MaskEdit4;   // total time
    QRadioButton* RadioButton1;  // source: pace (hidden choice buttons)
    QRadioButton* RadioButton2;  // speed
    QRadioButton* RadioButton3;  // lap time
    QRadioButton* RadioButton4;  // total time
    TStringGrid* StringGrid1;
    QPushButton* Button1;       // "Berechnen"
    QPushButton* SpeedButton6;  // "Anfügen"
    QPushButton* SpeedButton5;  // "In Zwischenzeiten einfügen"
    QPushButton* SpeedButton1;  // "Schließen"
    QPushButton* Button4;       // "Drucken"
    QPushButton* SpeedButton7;  // "Excel Export"
    QPushButton* BitBtn4;       // "Hilfe"
    TSaveDialog excelDialog;

    TMarchSource Source() const;

    void FormShow(QObject* Sender);
    void MaskEdit1Enter(QObject* Sender);
    void MaskEdit2Enter(QObject* Sender);
    void MaskEdit3Enter(QObject* Sender);
    void MaskEdit4Enter(QObject* Sender);
    void Button1Click(QObject* Sender);
    void SpeedButton6Click(QObject* Sender);
    void Button4Click(QObject* Sender);
    void SpeedButton7Click(QObject* Sender);
    void SpeedButton5Click(QObject* Sender);
    void SpeedButton1Click(QObject* Sender);
    void BitBtn4Click(QObject* Sender);

private:
    void clearTable();
};

extern Tmarschtab* marschtab;
