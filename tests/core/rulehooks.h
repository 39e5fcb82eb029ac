#pragma once
// The data module on an athlete database with the windows that the split, block, plan and
// manager rules refresh replaced by a recorder. The recorder's split refresh reads the current
// unit's split rows as the entry window does, so the rules see rows in the window's order.
#include <QStringList>

#include "core/viewhooks.h"
#include "platform/db/query.h"
#include "tests/core/dbserverfixture.h"

class RecordingViewHooks : public TorvViewHooks {
public:
    explicit RecordingViewHooks(TorvServer& server) : server_(server) {}

    void eingabeUpdateZwSql() override
    {
        calls << "updateZwSql";
        TQuery& zeit = server_.zeit;
        zeit.Close();
        zeit.SetSQL({"SELECT zeit.*,unit.unt_shortName,unit.unt_Name,unit.unt_calc FROM ((zeit INNER JOIN daten on "
                     "(daten.dat_id = zeit.zei_id)) inner join sportart on (daten.sportart = sportart.spo_id)) "
                     "inner join unit on (sportart.spo_distance = unit.unt_id) ",
                     "Where (zei_id = " + server_.daten.FieldByName("dat_Id")->AsString() + ") ",
                     " ORDER by zeit.meter,zwischenzeit"});
        zeit.Open();
        zeit.First();
    }
    void eingabeFillZwGrid() override { calls << "fillZwGrid"; }
    void eingabeRepaintZwGrid() override { calls << "repaintZwGrid"; }

    bool zwEditDlgVisible() override { return zwDialogVisible; }
    void zwEditDlgSetPostEnabled(bool enabled) override { postEnabled = enabled; }
    void zwEditDlgClearTime() override { calls << "clearTime"; }

    bool blockmanExists() override { return blockman; }
    void blockmanUpdateListView() override { calls << "UpdateListView"; }
    void blockmanSetTotals(const QString& distance, const QString& time) override
    {
        calls << "blockTotals " + distance + " " + time;
    }

    bool trainFormExists() override { return trainForm; }
    void trainFormSetEdit1(const QString& text) override { planEdit1 = text; }
    void trainFormSetEdit2(const QString& text) override { planEdit2 = text; }
    void trainFormSetLabel4(const QString& text) override { planLabel4 = text; }
    void trainFormSetTotalMeters(qint64 meters) override { planMeters = meters; }
    void trainFormCheckPopupMenu6First() override { calls << "checkPopupMenu6"; }
    void trainFormSetPostButtonsEnabled(bool enabled) override { planPostButtons = enabled; }
    void trainFormSetUnitButtonsEnabled(bool enabled) override { planUnitButtons = enabled; }

    bool eqManagerExists() override { return managers; }
    void eqManagerFillTreeView() override { calls << "eq.fillTreeView"; }
    void eqManagerShowUsage() override { calls << "eq.showUsage"; }
    void eqManagerSynchronizeOverview() override { calls << "eq.synchronizeOverview"; }
    bool strManagerExists() override { return managers; }
    void strManagerFillTreeView() override { calls << "str.fillTreeView"; }
    void strManagerSynchronizeOverview() override { calls << "str.synchronizeOverview"; }
    void strManagerRefreshChart() override { calls << "str.chart"; }
    bool bestzeitExists() override { return managers; }
    void bestzeitFillTreeView() override { calls << "bes.fillTreeView"; }
    void bestzeitSynchronizeOverview() override { calls << "bes.synchronizeOverview"; }
    bool formelnExists() override { return managers; }
    void formelnNavigate(const QString& fileName) override { calls << "navigate " + fileName; }

    TDateTime kalTagSelectedDay() override { return selectedDay; }

    QStringList calls;
    bool zwDialogVisible = false;
    bool postEnabled = false;
    bool blockman = false;
    bool trainForm = false;
    bool managers = false;
    QString planEdit1, planEdit2, planLabel4;
    qint64 planMeters = -1;
    bool planPostButtons = false;
    bool planUnitButtons = false;
    TDateTime selectedDay = 0;

private:
    TorvServer& server_;
};

class RulesTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        server.SetViewHooks(&views);
        savedSettings = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override
    {
        FormatSettings() = savedSettings;
        SetClock({});
        DataModuleTest::TearDown();
        server.SetViewHooks(nullptr);
    }

    // Milliseconds of a time value, for exact comparisons.
    static qint64 ms(const TField* f) { return qint64(Round(f->AsFloat() * 86400000.0)); }

    RecordingViewHooks views{server};
    TFormatSettings savedSettings;
};
