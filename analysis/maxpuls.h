#pragma once
// "Maximalpuls": the maximum heart rate from age, sex and sport. The options dialog opens it with
// closeOnCalculate set and takes the result from Edit2.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class TMaximPuls;
}

class TMaximPuls : public TForm {
    Q_OBJECT
public:
    explicit TMaximPuls(QWidget* Owner = nullptr);
    ~TMaximPuls() override;

    std::unique_ptr<Ui::TMaximPuls> ui;
    QLineEdit* Edit1;  // age
    QLineEdit* Edit2;  // the result
    QRadioButton* RadioButton1;  // "männlich"
    QRadioButton* RadioButton2;  // "weiblich"
    QRadioButton* RadioButton3;  // "Laufen"
    QRadioButton* RadioButton4;  // "Schwimm./Radf."
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    // A successful calculation also closes the dialog (with OK).
    bool closeOnCalculate = false;

    void FormCreate(QObject* Sender);
    void BitBtn1Click(QObject* Sender);
    void BitBtn2Click(QObject* Sender);
};

extern TMaximPuls* MaximPuls;
