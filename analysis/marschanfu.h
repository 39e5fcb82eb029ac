#pragma once
// "Berechnung anfügen": start, finish and lap of the rows the march table appends, with the pace
// per kilometre or, when that is left empty, the speed.
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class TMarschAnf;
}

class TMarschAnf : public TForm {
    Q_OBJECT
public:
    explicit TMarschAnf(QWidget* Owner = nullptr);
    ~TMarschAnf() override;

    std::unique_ptr<Ui::TMarschAnf> ui;
    QLineEdit* Edit1;  // "Start m:"
    QLineEdit* Edit2;  // "Ziel m:"
    QLineEdit* Edit5;  // "Runde m:"
    QLineEdit* Edit3;  // "Min/km:"
    QLineEdit* Edit4;  // "Km/h:"
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // An empty "Min/km:" is filled from "Km/h:" before the dialog closes with OK; a speed that
    // is no number shows the conversion error, and the dialog still closes.
    void OKBtnClick(QObject* Sender);
};

extern TMarschAnf* MarschAnf;
