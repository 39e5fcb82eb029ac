#pragma once
// "Zeitenberechnung": from one known race time, the expected times over the other eight running
// distances. Entering a distance's time field chooses that distance as the source.
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <memory>

#include "analysis/racetimes.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/maskedit.h"

namespace Ui {
class Tzeitenberechnung;
}

class Tzeitenberechnung : public TForm {
    Q_OBJECT
public:
    explicit Tzeitenberechnung(QWidget* Owner = nullptr);
    ~Tzeitenberechnung() override;

    std::unique_ptr<Ui::Tzeitenberechnung> ui;
    std::array<TMaskEdit*, kRaceDistanceCount> MaskEdit{};         // MaskEdit1 ... MaskEdit9
    std::array<QRadioButton*, kRaceDistanceCount> RadioButton{};   // the choice buttons
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;

    // The chosen source distance (0 = "800m").
    int SourceIndex() const;

    // Entering a time field chooses its distance (one handler for MaskEdit1Enter ... MaskEdit9Enter).
    void MaskEditEnter(QObject* Sender);
    // The prediction from the chosen distance; an invalid source time changes no field.
    void BitBtn1Click(QObject* Sender);
    void BitBtn3Click(QObject* Sender);
};

extern Tzeitenberechnung* zeitenberechnung;
