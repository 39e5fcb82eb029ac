#pragma once
// "Grafik zur Monatsstatistik": the months of the open monthly statistics as bars of distance,
// height difference x 10 and training time (on the secondary axis, labelled as durations), each
// point labelled with its month as "mm.yy". Created by the monthly statistics' "Grafik" with that
// window as owner, shown modally and freed; every showing draws the month rows the monthly
// statistics show from their last fill.
#include <memory>

#include "analysis/statchartform.h"

namespace Ui {
class Tmonatstatgraf;
}

class Tmonatstatgraf : public TStatChartForm {
    Q_OBJECT
public:
    explicit Tmonatstatgraf(QWidget* Owner = nullptr);
    ~Tmonatstatgraf() override;

    std::unique_ptr<Ui::Tmonatstatgraf> ui;

    void fillGraf();
    void XPButton2Click(QObject* Sender);

private:
    void fillRows() override;
};

extern Tmonatstatgraf* monatstatgraf;
