#pragma once
// "Grafikoptionen": how the period chart groups the units along the X axis, which categories
// colour its bars and which quantity in which unit goes up the Y axis. OK builds, fills and
// shows the chart; the period statistics window opens the dialog with its button "Grafik".
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class TzeitGrafDlg;
}

class TzeitGrafDlg : public TForm {
    Q_OBJECT
public:
    explicit TzeitGrafDlg(QWidget* Owner = nullptr);
    ~TzeitGrafDlg() override;

    std::unique_ptr<Ui::TzeitGrafDlg> ui;
    QRadioButton* RadioButton5;  // "Einheiten nach Tagen gruppieren"
    QRadioButton* RadioButton6;  // "Einheiten nach Blöcken gruppieren"
    QRadioButton* RadioButton7;  // "Keine Gruppierung"
    QRadioButton* RadioButton1;  // "Sportart"
    QRadioButton* RadioButton4;  // "Form"
    QRadioButton* RadioButton2;  // "Belastungsstufe"
    QRadioButton* RadioButton3;  // "Belastungsart"
    QComboBox* ComboBox1;        // "Werte": the Y quantity
    QComboBox* ComboBox2;        // distance units, or "Nein"/"Ja" under "Unterlegt"
    QLabel* Label5;              // "Einheit" / "Unterlegt"
    QPushButton* Button1;        // "Ok"
    QPushButton* Button2;        // "Abbrechen"

    // The choices as the chart takes them.
    QString grouping() const;  // "Tag", "Block", "keine"
    QString marking() const;   // "Sportart", "Form", "Belastungsstufe", "Belastungsart"

    void FormShow(QObject* Sender);
    void ComboBox1Change(QObject* Sender);
    void RadioButton5Click(QObject* Sender);
    void Button1Click(QObject* Sender);

private:
    // Lists the distance units; selects the one with that id, else the first.
    void fillDistanceUnits(const QVariant& selectId);
};

extern TzeitGrafDlg* zeitGrafDlg;
