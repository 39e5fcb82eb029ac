#pragma once
// "Trainingszeiten": three training paces per kilometre (extensive and intensive endurance run,
// tempo run) for a target race time over 5000 m or 10000 m, looked up in a fixed table.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "platform/vcl/forms.h"
#include "platform/vcl/grids.h"
#include "platform/vcl/maskedit.h"

namespace Ui {
class TTraining;
}

class TTraining : public TForm {
    Q_OBJECT
public:
    explicit TTraining(QWidget* Owner = nullptr);
    ~TTraining() override;

    std::unique_ptr<Ui::TTraining> ui;
    QGroupBox* RadioGroup1;
    QRadioButton* RadioButton1;  // "5000m"
    QRadioButton* RadioButton2;  // "10000m"
    TMaskEdit* MaskEdit1;
    QPushButton* BitBtn1;
    QPushButton* Button1;
    TStringGrid* StringGrid1;

    // The radio group's selected item: 0 "5000m", 1 "10000m", -1 none.
    int RadioGroupItemIndex() const;

    void FormShow(QObject* Sender);
    // Row 1 gets the paces of the typed target time; a time without a row changes nothing.
    void BitBtn1Click(QObject* Sender);
    void Button1Click(QObject* Sender);
};

extern TTraining* Training;
