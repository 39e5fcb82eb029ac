#pragma once
// The heart-rate graph "Zwischenzeiten- und HF-Grafik": the rows the entry window's split page
// holds for the current unit (splits or heart-rate samples) as lines over distance or elapsed
// time, with a comparison unit, heart-rate zone bands, constant lines of the split statistics,
// the notes as point labels, a side panel with the pulse figures and a pulse filter. A right
// click on a point leads back to that split in the entry window.
//
// The entry window creates the graph for one modal run (Teingabe::XPButton23Click) and puts
// the filter of zeit back afterwards. The graph writes nothing: the current unit never moves,
// and the comparison unit's rows are read through a query of the graph's own.
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>

#include <memory>
#include <optional>

#include "controls/xpbutton.h"
#include "platform/chart/chartwidget.h"
#include "platform/db/dataset.h"
#include "platform/db/query.h"
#include "platform/vcl/forms.h"
#include "traininglog/hrmgraphseries.h"

namespace Ui {
class TzwHRMGraph;
}

class TzwHRMGraph : public TForm {
    Q_OBJECT
public:
    explicit TzwHRMGraph(QWidget* Owner = nullptr);
    ~TzwHRMGraph() override;

    std::unique_ptr<Ui::TzwHRMGraph> ui;
    ChartWidget* ChartFX1;
    QWidget* Panel1;  // top tool bar
    QWidget* Panel2;  // side panel
    QWidget* Panel6;  // bottom tool bar
    TXPButton* XPButton7;   // "Schließen"
    TXPButton* XPButton4;   // "HF Unterl." (zone bands)
    TXPButton* XPButton18;  // "Hilfe"
    TXPButton* XPButton10;  // "Ausblenden" (side panel)
    TXPButton* XPButton11;  // "Einblenden"
    // Series toggles, in series order 0 to 6.
    TXPButton* XPButton2;   // "Höhenprofil"
    TXPButton* XPButton3;   // "Pulsfrequenz"
    TXPButton* XPButton5;   // "Trittfrequenz"
    TXPButton* XPButton6;   // "Steigung"
    TXPButton* XPButton12;  // "Temperatur"
    TXPButton* XPButton13;  // "Berechnete Geschwindigkeit"
    TXPButton* XPButton14;  // "Gemessene Geschwindigkeit"
    TXPButton* XPButton8;   // X axis "Distanz"
    TXPButton* XPButton9;   // X axis "Zeit"
    TXPButton* XPButton17;  // speed format "minkm"
    TXPButton* XPButton16;  // speed format "kmh"
    TXPButton* XPButton1;   // "Filter übernehmen"
    TXPButton* XPButton15;  // "Vergleichseinheit laden" / "Vergleich beenden"
    TXPButton* XPButton19;  // "Punktbeschriftungen zeigen"
    QSpinBox* SpinEdit1;    // "über:"
    QSpinBox* SpinEdit2;    // "unter:"
    QListWidget* CheckListBox1;  // "Konstanten:"
    QLabel* MaxPuls;
    QLabel* MinPuls;
    QLabel* AvgPuls;
    QLabel* EntryPuls;
    QLabel* ZeitValue;
    QMenu* PopupMenu1;
    QAction* DiesenPunktbearbeiten1;

    // 1: the current unit only; 2: with the comparison unit.
    int seriesGroups = 1;
    int compareUnitId = 1024;
    // The unit the window belongs to (the current unit at creation).
    int unitId = 0;
    // The split row chosen by "Diesen Punkt bearbeiten"; the opener selects it once the filter
    // of zeit is back. Null when the window closed otherwise.
    TBookmark editRow;

    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    void FillGraf();
    void XPButton7Click(QObject* Sender);
    void XPButton18Click(QObject* Sender);
    void XPButton10Click(QObject* Sender);
    void XPButton11Click(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void XPButton8Click(QObject* Sender);
    void XPButton9Click(QObject* Sender);
    void XPButton16Click(QObject* Sender);
    void XPButton2Click(QObject* Sender);
    void XPButton4Click(QObject* Sender);
    void CheckListBox1ClickCheck(QObject* Sender);
    void XPButton15Click(QObject* Sender);
    void XPButton19Click(QObject* Sender);
    void ChartFX1RButtonDown(ChartWidget* Sender, int x, int y, int nSerie, int nPoint);
    void DiesenPunktbearbeiten1Click(QObject* Sender);
    void ChartFX1GetAxisLabel(ChartModel* Sender, int nAxis, double value, QString& text);
    void ChartFX1GetPointLabel(ChartModel* Sender, int nSerie, int nPoint, QString& text);

    // The series toggle of series 0 to 6.
    TXPButton* SeriesButton(int serie) const;
    // The pulse figures of the last fill.
    const hrmgraph::PulseFigures& Figures() const { return figures_; }

private:
    bool speedShown() const;
    void addPoint(int group, int p, const hrmgraph::GraphPoint& point, bool timeAxis);

    bool hrm_ = false;  // the split page shows heart-rate samples
    std::optional<hrmgraph::PulseBounds> pulseFilter_;
    hrmgraph::PulseFigures figures_;
    QList<TBookmark> pointRows_;  // the split row of each point of the unit's own rows
    TQuery compareRows_;
};

extern TzwHRMGraph* zwHRMGraph;

// Unit state of the graph for the whole run of the program: the notes of the drawn rows, the
// series and point of the last right click, the primary Y maximum of the last fill.
namespace hrmgraph {
extern QStringList pointNotes;
extern int clickedSerie;
extern int clickedPoint;
extern double savedYMax;
}  // namespace hrmgraph
