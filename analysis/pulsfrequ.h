#pragma once
// "Pulsfrequenzen": the training heart-rate bands of the five load levels from the maximum.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class TPulsfrequenzen;
}

class TPulsfrequenzen : public TForm {
    Q_OBJECT
public:
    explicit TPulsfrequenzen(QWidget* Owner = nullptr);
    ~TPulsfrequenzen() override;

    std::unique_ptr<Ui::TPulsfrequenzen> ui;
    QLineEdit* Edit1;
    // REG lower, REG upper, GA1 lower ... SBM upper.
    std::array<QLabel*, 10> Bound{};
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void BitBtn1Click(QObject* Sender);
    void BitBtn2Click(QObject* Sender);
};

extern TPulsfrequenzen* Pulsfrequenzen;
