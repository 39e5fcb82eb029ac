#pragma once
// "Zeitenrechner": adds and subtracts two durations, multiplies or divides a duration by a
// number. The digit pad types through the keystroke sender into the field that has the focus.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <memory>

#include "controls/xpbutton.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/maskedit.h"

namespace Ui {
class Tzeitenrechner;
}

class Tzeitenrechner : public TForm {
    Q_OBJECT
public:
    explicit Tzeitenrechner(QWidget* Owner = nullptr);
    ~Tzeitenrechner() override;

    std::unique_ptr<Ui::Tzeitenrechner> ui;
    TMaskEdit* MaskEdit1;
    TMaskEdit* MaskEdit2;
    QLabel* Label1;      // the operator
    QLineEdit* Edit2;    // the factor
    QLineEdit* Edit1;    // the result
    TXPButton* SpeedButton17;  // copies the result into the first duration
    QPushButton* SpeedButton11;  // "+"
    QPushButton* SpeedButton12;  // "-"
    QPushButton* SpeedButton13;  // "*"
    QPushButton* SpeedButton14;  // "/"
    QPushButton* SpeedButton15;  // "CE"
    QPushButton* SpeedButton16;  // "Hilfe"
    QPushButton* Button1;        // "="
    std::array<QPushButton*, 10> Digit{};  // SpeedButton1 ... SpeedButton10

    // "+" and "-" put the operator beside the second duration, "*" and "/" beside the factor.
    void SpeedButton11Click(QObject* Sender);
    void SpeedButton12Click(QObject* Sender);
    void SpeedButton13Click(QObject* Sender);
    void SpeedButton14Click(QObject* Sender);
    void Button1Click(QObject* Sender);
    void SpeedButton15Click(QObject* Sender);
    // One handler for the ten digit buttons: sends the button's digit as a keystroke.
    void DigitClick(QObject* Sender);
    void SpeedButton16Click(QObject* Sender);
    void SpeedButton17Click(QObject* Sender);

private:
    void setOperator(const QString& op, int top);
};

extern Tzeitenrechner* zeitenrechner;
