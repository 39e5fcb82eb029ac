#pragma once
// "Leistungsindex": the performance index of a run from distance, speed and heart rates.
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class TLeistindex;
}

class TLeistindex : public TForm {
    Q_OBJECT
public:
    explicit TLeistindex(QWidget* Owner = nullptr);
    ~TLeistindex() override;

    std::unique_ptr<Ui::TLeistindex> ui;
    QLineEdit* Edit1;  // distance in metres
    QLineEdit* Edit2;  // km/h
    QLineEdit* Edit3;  // maximum heart rate
    QLineEdit* Edit4;  // average heart rate
    QLineEdit* Edit5;  // the index
    QPushButton* BitBtn1;  // "Schließen"
    QPushButton* BitBtn2;  // "Berechnen"
    QPushButton* BitBtn3;  // "Hilfe"

    // The settings' maximum heart rate into "Maximalpuls:".
    void FormShow(QObject* Sender);
    // The index from the four fields; a conversion error or a division by zero raises the
    // runtime's error and leaves the result as it was.
    void BitBtn2Click(QObject* Sender);
    void BitBtn3Click(QObject* Sender);
};

extern TLeistindex* Leistindex;
