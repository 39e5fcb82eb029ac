#pragma once
// The quick statistics (tool view "QuickStat", "Kurzübersicht"): bars of the summed distance or
// time per load level or per sport, for the week or the training block of the current unit.
// One instance lives for the whole run; the main window moves it into its tool panel, and the
// unit rules refresh it when the current unit changes. Its figures come from the data module's
// query `quickstat`, whose statement it writes.
#include <memory>

#include "core/quickstatview.h"
#include "platform/vcl/forms.h"

class ChartWidget;
class QFrame;
class TXPButton;

namespace Ui {
class TtoolQuickstatFrm;
}

class TtoolQuickstatFrm : public TFrame, public QuickStatView {
    Q_OBJECT
public:
    explicit TtoolQuickstatFrm(QWidget* Owner = nullptr);
    ~TtoolQuickstatFrm() override;

    std::unique_ptr<Ui::TtoolQuickstatFrm> ui;
    QFrame* Panel1;
    TXPButton* XPButton1;  // "Wochenansicht"     group 1
    TXPButton* XPButton2;  // "Blockansicht"      group 1
    TXPButton* XPButton3;  // "Belastungsstufen"  group 2
    TXPButton* XPButton4;  // "Sportarten"        group 2
    TXPButton* XPButton5;  // "Distanz"           group 3
    TXPButton* XPButton6;  // "Zeit"              group 3
    ChartWidget* DBChart1;

    bool XPButton1Down() const override;
    bool XPButton2Down() const override;
    // The week of the current unit; without a unit an empty chart without a title.
    void XPButton1Click(QObject* Sender) override;
    // The training block of the current unit; a unit without a block (a new one not yet
    // stored) gives an empty chart without a title.
    void XPButton2Click(QObject* Sender) override;
    // Both grouping buttons: the view that is down again, with the grouping now chosen.
    void XPButton3Click(QObject* Sender);
    // The distance bars / the time bars; the query is not run again.
    void XPButton5Click(QObject* Sender);
    void XPButton6Click(QObject* Sender);

protected:

private:
    // Writes and opens the statement over `source`, fills the bars and sets the title.
    void showStatistics(const QString& source, const QString& title);
    // No figures: the query closed, no bars, an empty title.
    void showNothing();
};

extern TtoolQuickstatFrm* toolQuickstatFrm;
