#pragma once
// "Informationen": the period statistics' sums and averages of the last result.
#include <QLabel>
#include <QPushButton>

#include <memory>

#include "analysis/zeitraumsql.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TInfos;
}

class TInfos : public TForm {
    Q_OBJECT
public:
    explicit TInfos(QWidget* Owner = nullptr);
    ~TInfos() override;

    std::unique_ptr<Ui::TInfos> ui;
    QLabel* Label7;   // sum: distance
    QLabel* Label8;   // sum: height
    QLabel* Label9;   // sum: time
    QLabel* Label10;  // number of units
    QLabel* Label11;  // average distance
    QLabel* Label12;  // average height
    QPushButton* Button1;

    // The sums as the window shows them and the averages from the totals; `factor` and `unitName`
    // are the distance unit the window's total is shown in.
    void fill(const QString& distance, const QString& height, const QString& time, const TPeriodTotals& totals,
              double factor, const QString& unitName);
};

extern TInfos* Infos;
