#pragma once
// "Grafik zur Wochenstatistik": the weeks of the open weekly statistics as bars of distance,
// height difference x 10 and training time (on the secondary axis, labelled as durations). One
// instance lives from start-up to the end of the process, so the series chosen in its menu stay
// chosen from one showing to the next; every showing fills the chart anew from the week list of
// the weekly statistics' last fill.
#include <memory>

#include "analysis/statchartform.h"

namespace Ui {
class Twochenstatgraf;
}

class Twochenstatgraf : public TStatChartForm {
    Q_OBJECT
public:
    explicit Twochenstatgraf(QWidget* Owner = nullptr);
    ~Twochenstatgraf() override;

    std::unique_ptr<Ui::Twochenstatgraf> ui;

    void fillChart();
    void SeriesChange(QObject* Sender);

private:
    void fillRows() override;
};

extern Twochenstatgraf* wochenstatgraf;
