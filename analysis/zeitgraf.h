#pragma once
// "Zeitraumgrafik": one quantity of the units the period statistics window selects, as bars per
// day, per training block or per unit, one coloured series per category of a marking (sport,
// training form, load level or load type). The chart options dialog creates it with the period
// window as owner, fills it once and shows it modally.
#include <memory>

#include "analysis/periodchart.h"
#include "controls/xpbutton.h"
#include "platform/chart/chartwidget.h"
#include "platform/vcl/forms.h"

class QFrame;
class TZeitNeu;

namespace Ui {
class TzeitGraf;
}

class TzeitGraf : public TForm {
    Q_OBJECT
public:
    explicit TzeitGraf(QWidget* Owner = nullptr);
    ~TzeitGraf() override;

    std::unique_ptr<Ui::TzeitGraf> ui;
    QFrame* Panel1;
    TXPButton* XPButton7;  // "Schließen"
    TXPButton* XPButton1;  // "Drucken"
    TXPButton* XPButton3;  // "Hilfe"
    ChartWidget* ChartFX1;

    // What fillChart stored for the label handler.
    int yValue = pyDistance;
    double unitFactor = 1.0;
    QString grouping;
    int unitId = 0;

    // Fills the chart from the period window's condition, dates and sport and form lists.
    void fillChart(const QString& grouping, const QString& marking, int y, double factor, int unitId, int unitChoice);
    // The value-axis title of a Y quantity.
    QString axisCaption(int y) const;

    void FormCreate(QObject* Sender);
    void XPButton1Click(QObject* Sender);  // "Drucken"
    void XPButton3Click(QObject* Sender);  // "Hilfe"
    void XPButton7Click(QObject* Sender);  // "Schließen"
    void ChartFX1GetAxisLabel(ChartModel* Sender, int nAxis, double value, QString& text);

protected:
};

extern TzeitGraf* zeitGraf;
