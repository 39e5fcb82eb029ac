#pragma once
// "Belastungsstatistik": the units of the period statistics window's current period summed per
// load level (upper half) and per load type (lower half), each half as a two-column list and a
// pie with one slice per level or type in its colour. A menu per half switches its basis between
// the distance units and the time. Opened by the period statistics window's "Belastung".
#include <QMenu>

#include <memory>

#include "platform/vcl/forms.h"

class ChartWidget;
class QAction;
class QFrame;
class QLabel;
class TStringGrid;
class TXPButton;

namespace Ui {
class TbelStat;
}

class TbelStat : public TForm {
    Q_OBJECT
public:
    explicit TbelStat(QWidget* Owner = nullptr);
    ~TbelStat() override;

    std::unique_ptr<Ui::TbelStat> ui;

    QFrame* Panel1;        // tool bar
    TXPButton* XPButton7;  // "Schließen"
    TXPButton* XPButton1;  // "Drucken"
    // Upper half: load levels.
    QFrame* Panel2;
    QLabel* Label1;
    QLabel* Label2;
    TXPButton* XPButton3;  // basis
    TStringGrid* StringGrid1;
    QFrame* Panel3;
    ChartWidget* ChartFX41;
    QMenu* PopupMenu1;
    QAction* N1;
    QAction* Zeit1;
    // Lower half: load types.
    QFrame* Panel4;
    QLabel* Label3;
    QLabel* Label4;
    TXPButton* XPButton4;
    TStringGrid* StringGrid2;
    QFrame* Panel5;
    ChartWidget* ChartFX42;
    QMenu* PopupMenu2;
    QAction* N2;
    QAction* MenuItem2;

    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    // Queries one grouping ("Belastungsstufe", "Belastungsart") on one basis ("Meter", "Zeit")
    // and fills its chart and list.
    void fillStatistics(ChartWidget* chart, const QString& grouping, const QString& basis);
    void XPButton3Click(QObject* Sender);
    void XPButton4Click(QObject* Sender);
    // Rebuild the distance units of the menus before they pop up.
    void PopupMenu1Popup(QObject* Sender);
    void PopupMenu2Popup(QObject* Sender);
    void Meter1Click(QObject* Sender);      // a distance unit of the upper menu
    void Zeit1Click(QObject* Sender);
    void MenuItem1Click(QObject* Sender);   // a distance unit of the lower menu
    void MenuItem2Click(QObject* Sender);
    // Prints the headings, basis captions and lists: the window's left 360 pixels on white.
    void XPButton1Click(QObject* Sender);
    void XPButton7Click(QObject* Sender);

protected:

private:
    void rebuildUnitItems(QMenu* menu, void (TbelStat::*handler)(QObject*));
    void chooseUnit(QObject* Sender, ChartWidget* chart, const QString& grouping, TXPButton* button);
};

extern TbelStat* belStat;

// The distance factor of the lists, shared by both halves and kept from one showing to the next
// (each showing starts from the configured unit).
extern double BelStatUnitFactor;
