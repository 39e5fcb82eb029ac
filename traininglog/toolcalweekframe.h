#pragma once
// The tool view "Woche": for the period the appointment planner shows, the distance trained per
// sport or per load level as bars in the sport's or level's colour, or the per-sport sums as a
// small table. The planner sets the period (Refresh); the frame only switches what is shown.
#include <QCheckBox>

#include <functional>
#include <memory>

#include "controls/xpbutton.h"
#include "platform/chart/chartdatalink.h"
#include "platform/chart/chartwidget.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TtoolCalWeekFrm;
}

// The statement of a query of the frame, six lines: grouped by `groupField` ("daten.Sportart"
// or "daten.Belastungsstufe"), coloured through `colorLookup`; line 4 is the planning switch
// ("true": planned units count too, "false": only units whose form is no planning form).
QStringList CalWeekSql(const QString& groupField, const QString& colorLookup, bool withPlanning);

class TtoolCalWeekFrm : public TFrame {
    Q_OBJECT
public:
    explicit TtoolCalWeekFrm(QWidget* Owner = nullptr);
    ~TtoolCalWeekFrm() override;

    std::unique_ptr<Ui::TtoolCalWeekFrm> ui;
    TXPButton* XPButton1;  // "Sportart"
    TXPButton* XPButton2;  // "Belastungsstufe"
    TXPButton* XPButton3;  // "txt"
    QCheckBox* CheckBox1;  // "mit Planung"
    ChartWidget* DBChart1;
    QWidget* Panel2;
    TDBGrid* DBGrid1;
    TQuery qSportart;
    TQuery qBelStufe;
    TDataSource dsSportart;
    TDataSource dsBelStufe;

    void XPButton1Click(QObject* Sender);
    void XPButton2Click(QObject* Sender);
    void XPButton3Click(QObject* Sender);
    void CheckBox1Click(QObject* Sender);

    // Reads both queries anew for the days from .. to (whole days, both included) with the
    // planning switch as "mit Planung" stands.
    void Refresh(TDateTime from, TDateTime to);
    // Asked by "mit Planung" when it changes: the planner fills its view again. Without one
    // the frame reads its last period anew.
    std::function<void()> OnPlanningChanged;

private:
    void refreshQuery(TQuery& q, const QString& groupField, const QString& colorLookup);
    void declareFields();

    std::unique_ptr<ChartDataLink> link_;  // Series1 "Meter" of DBChart1
    TDateTime from_ = 0;
    TDateTime to_ = -1;
};

extern TtoolCalWeekFrm* toolCalWeekFrm;
