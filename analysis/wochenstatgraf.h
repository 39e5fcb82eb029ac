#pragma once
// "Grafik zur Wochenstatistik": the weeks of the open weekly statistics as bars of distance,
// height difference x 10 and training time (on the secondary axis, labelled as durations). One
// instance lives from start-up to the end of the process, so the series chosen in its menu stay
// chosen from one showing to the next; every showing fills the chart anew from the week list of
// the weekly statistics' last fill.
#include <QString>

#include <memory>

#include "platform/vcl/forms.h"

class ChartModel;
class ChartWidget;
class QAction;
class QMenu;
class TXPButton;

namespace Ui {
class Twochenstatgraf;
}

class Twochenstatgraf : public TForm {
    Q_OBJECT
public:
    explicit Twochenstatgraf(QWidget* Owner = nullptr);
    ~Twochenstatgraf() override;

    std::unique_ptr<Ui::Twochenstatgraf> ui;
    TXPButton* XPButton7;  // "Schließen"
    TXPButton* XPButton2;  // "Reihen"
    TXPButton* XPButton1;  // "Drucken"
    TXPButton* XPButton3;  // "Hilfe"
    ChartWidget* ChartFX1;
    QMenu* PopupMenu1;
    QAction* Meter1;  // "Meter"
    QAction* Hhe101;  // "Höhe * 10"
    QAction* Zeit1;   // "Zeit"

    void fillChart();
    // An item of the series menu is ticked while it shows image 0.
    static bool Ticked(const QAction* item);

    void FormShow(QObject* Sender);
    void SeriesChange(QObject* Sender);
    void Meter1Click(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void XPButton3Click(QObject* Sender);
    void XPButton7Click(QObject* Sender);
    void ChartFX1GetAxisLabel(ChartModel* Sender, int nAxis, double value, QString& text);
};

extern Twochenstatgraf* wochenstatgraf;
