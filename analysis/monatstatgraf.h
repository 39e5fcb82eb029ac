#pragma once
// "Grafik zur Monatsstatistik": the months of the open monthly statistics as bars of distance,
// height difference x 10 and training time (on the secondary axis, labelled as durations), each
// point labelled with its month as "mm.yy". Created by the monthly statistics' "Grafik" with that
// window as owner, shown modally and freed; every showing draws the month rows the monthly
// statistics show from their last fill.
#include <QString>

#include <memory>

#include "platform/vcl/forms.h"

class ChartModel;
class ChartWidget;
class QAction;
class QMenu;
class TXPButton;

namespace Ui {
class Tmonatstatgraf;
}

class Tmonatstatgraf : public TForm {
    Q_OBJECT
public:
    explicit Tmonatstatgraf(QWidget* Owner = nullptr);
    ~Tmonatstatgraf() override;

    std::unique_ptr<Ui::Tmonatstatgraf> ui;
    TXPButton* XPButton7;  // "Schließen"
    TXPButton* XPButton2;  // "Reihen"
    TXPButton* XPButton1;  // "Drucken"
    TXPButton* XPButton3;  // "Hilfe"
    ChartWidget* ChartFX1;
    QMenu* PopupMenu1;
    QAction* Meter1;  // "Meter"
    QAction* Hhe101;  // "Höhe * 10"
    QAction* Zeit1;   // "Zeit"

    void fillGraf();
    // An item of the series menu is ticked while it shows image 0.
    static bool Ticked(const QAction* item);

    void FormShow(QObject* Sender);
    void Meter1Click(QObject* Sender);
    void XPButton2Click(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void XPButton3Click(QObject* Sender);
    void XPButton7Click(QObject* Sender);
    void ChartFX1GetAxisLabel(ChartModel* Sender, int nAxis, double value, QString& text);
};

extern Tmonatstatgraf* monatstatgraf;
