#pragma once
// The common frame of the weekly and the monthly statistics' charts: bars of distance, height
// difference x 10 and training time (on the secondary axis, labelled as durations), a menu that
// shows and hides each series, print, help and close. Each chart window brings its own form and
// its own rows; this class sets the form's controls up and draws the rows it is given.
#include <QString>

#include <vector>

#include "platform/vcl/forms.h"

class ChartModel;
class ChartWidget;
class QAction;
class QMenu;
class TXPButton;

// One bar group of a statistics chart: the distance as the statistics show it (before the
// unit's multiplier), the height difference in metres and the training time in days.
struct TStatChartRow {
    double Distance = 0;
    double Height = 0;
    double Days = 0;
};

class TStatChartForm : public TForm {
    Q_OBJECT
public:
    explicit TStatChartForm(QWidget* Owner = nullptr);
    ~TStatChartForm() override;

    TXPButton* XPButton7 = nullptr;  // "Schließen"
    TXPButton* XPButton2 = nullptr;  // "Reihen"
    TXPButton* XPButton1 = nullptr;  // "Drucken"
    TXPButton* XPButton3 = nullptr;  // "Hilfe"
    ChartWidget* ChartFX1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Meter1 = nullptr;  // "Meter"
    QAction* Hhe101 = nullptr;  // "Höhe * 10"
    QAction* Zeit1 = nullptr;   // "Zeit"

    // An item of the series menu is ticked while it shows image 0.
    static bool Ticked(const QAction* item);

    void FormShow(QObject* Sender);
    void Meter1Click(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void XPButton3Click(QObject* Sender);
    void XPButton7Click(QObject* Sender);
    void ChartFX1GetAxisLabel(ChartModel* Sender, int nAxis, double value, QString& text);

protected:
    // The captions of the series menu's items, translated in the calling window's context.
    struct SeriesCaptions {
        QString Distance;
        QString Height;
        QString Time;
    };
    // Takes the form's controls, builds the series menu (all ticked) and binds the handlers
    // every statistics chart shares. The series button's handler is the window's own.
    void setUpChart(TXPButton* close, TXPButton* series, TXPButton* print, TXPButton* help, ChartWidget* chart,
                    const SeriesCaptions& captions);
    // Draws `points` bar groups of which `rows` are filled, with the unit's name and distance
    // multiplier in the legend and title; the time axis shows `timeFormat` until it is relabelled.
    void drawRows(int points, const std::vector<TStatChartRow>& rows, const QString& unitName, double unitCalc,
                  const QString& timeFormat);
    // Shows the series that are ticked in the menu and hides the others.
    void showTickedSeries();
    void popupSeriesMenu();
    // Fills the chart from the statistics window's last fill; run on every showing.
    virtual void fillRows() = 0;
};
