#pragma once
// The data module on an athlete database with the windows that the split, block, plan and
// manager rules refresh replaced by recorders. The recorder's split refresh reads the current
// unit's split rows as the entry window does, so the rules see rows in the window's order.
#include <QStringList>

#include "core/besttimemanagerview.h"
#include "core/blockmanagerview.h"
#include "core/diarycalendarview.h"
#include "core/entrywindowview.h"
#include "core/equipmentmanagerview.h"
#include "core/planmanagerview.h"
#include "core/routemanagerview.h"
#include "core/spliteditview.h"
#include "core/toolscatalogueview.h"
#include "core/views.h"
#include "platform/db/query.h"
#include "tests/core/dbserverfixture.h"
#include "tests/core/viewpresence.h"

class RecordingViewHooks {
public:
    explicit RecordingViewHooks(TorvServer& server) : server_(server) {}
    ~RecordingViewHooks() { detach(); }

    // Registers the views that always exist here: the entry window, the split dialog (hidden
    // until zwDialogVisible) and the diary calendar. The managers exist while switched on.
    void attach()
    {
        RegisterView<EntryWindowView>(&entry_);
        RegisterView<SplitEditView>(&splitDialog_);
        RegisterView<DiaryCalendarView>(&calendar_);
    }
    void detach()
    {
        UnregisterView<EntryWindowView>(&entry_);
        UnregisterView<SplitEditView>(&splitDialog_);
        UnregisterView<DiaryCalendarView>(&calendar_);
        blockman = false;
        trainForm = false;
        managers = false;
    }

    // The entry window's split refresh: the current unit's split rows in the window's order.
    void eingabeUpdateZwSql()
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

    QStringList calls;
    bool zwDialogVisible = false;
    bool postEnabled = false;
    QString planEdit1, planEdit2, planLabel4;
    qint64 planMeters = -1;
    bool planPostButtons = false;
    bool planUnitButtons = false;
    TDateTime selectedDay = 0;

private:
    struct Entry : EntryWindowView {
        RecordingViewHooks& r;
        explicit Entry(RecordingViewHooks& owner) : r(owner) {}
        bool Visible() const override { return false; }
        bool hasOwnFocus() const override { return false; }
        bool splitPageShown() const override { return false; }
        void updateZwSql() override { r.eingabeUpdateZwSql(); }
        void fillZwGrid() override { r.calls << "fillZwGrid"; }
        void repaintZwGrid() override { r.calls << "repaintZwGrid"; }
        void setControlColor(const QString&, TColor) override {}
        void setControlFontColor(const QString&, TColor) override {}
    };
    struct SplitDialog : SplitEditView {
        RecordingViewHooks& r;
        explicit SplitDialog(RecordingViewHooks& owner) : r(owner) {}
        bool Visible() const override { return r.zwDialogVisible; }
        void setPostEnabled(bool enabled) override { r.postEnabled = enabled; }
        void clearTime() override { r.calls << "clearTime"; }
        QString distanceCaption() const override { return QStringLiteral("Meter"); }
    };
    struct Blockman : BlockManagerView {
        RecordingViewHooks& r;
        explicit Blockman(RecordingViewHooks& owner) : r(owner) {}
        void UpdateListView() override { r.calls << "UpdateListView"; }
        void setTotals(const QString& distance, const QString& time) override
        {
            r.calls << "blockTotals " + distance + " " + time;
        }
    };
    struct TrainForm : PlanManagerView {
        RecordingViewHooks& r;
        explicit TrainForm(RecordingViewHooks& owner) : r(owner) {}
        void setEdit1(const QString& text) override { r.planEdit1 = text; }
        void setEdit2(const QString& text) override { r.planEdit2 = text; }
        void setLabel4(const QString& text) override { r.planLabel4 = text; }
        void setTotalMeters(qint64 meters) override { r.planMeters = meters; }
        void checkPopupMenu6First() override { r.calls << "checkPopupMenu6"; }
        void setPostButtonsEnabled(bool enabled) override { r.planPostButtons = enabled; }
        void setUnitButtonsEnabled(bool enabled) override { r.planUnitButtons = enabled; }
    };
    struct EqManager : EquipmentManagerView {
        RecordingViewHooks& r;
        explicit EqManager(RecordingViewHooks& owner) : r(owner) {}
        void fillTreeView() override { r.calls << "eq.fillTreeView"; }
        void showUsage() override { r.calls << "eq.showUsage"; }
        void synchronizeOverview() override { r.calls << "eq.synchronizeOverview"; }
    };
    struct StrManager : RouteManagerView {
        RecordingViewHooks& r;
        explicit StrManager(RecordingViewHooks& owner) : r(owner) {}
        void fillTreeView() override { r.calls << "str.fillTreeView"; }
        void synchronizeOverview() override { r.calls << "str.synchronizeOverview"; }
        void refreshChart() override { r.calls << "str.chart"; }
    };
    struct Bestzeit : BestTimeManagerView {
        RecordingViewHooks& r;
        explicit Bestzeit(RecordingViewHooks& owner) : r(owner) {}
        void fillTreeView() override { r.calls << "bes.fillTreeView"; }
        void synchronizeOverview() override { r.calls << "bes.synchronizeOverview"; }
    };
    struct Formeln : ToolsCatalogueView {
        RecordingViewHooks& r;
        explicit Formeln(RecordingViewHooks& owner) : r(owner) {}
        void navigate(const QString& fileName) override { r.calls << "navigate " + fileName; }
    };
    struct Calendar : DiaryCalendarView {
        RecordingViewHooks& r;
        explicit Calendar(RecordingViewHooks& owner) : r(owner) {}
        TDateTime selectedDay() const override { return r.selectedDay; }
    };

    TorvServer& server_;
    Entry entry_{*this};
    SplitDialog splitDialog_{*this};
    Blockman blockman_{*this};
    TrainForm trainForm_{*this};
    EqManager eqManager_{*this};
    StrManager strManager_{*this};
    Bestzeit bestzeit_{*this};
    Formeln formeln_{*this};
    Calendar calendar_{*this};

public:
    // The windows that exist only while switched on (declared after the views they register).
    ViewPresence blockman{[this] { RegisterView<BlockManagerView>(&blockman_); },
                          [this] { UnregisterView<BlockManagerView>(&blockman_); }};
    ViewPresence trainForm{[this] { RegisterView<PlanManagerView>(&trainForm_); },
                           [this] { UnregisterView<PlanManagerView>(&trainForm_); }};
    ViewPresence managers{[this] {
                              RegisterView<EquipmentManagerView>(&eqManager_);
                              RegisterView<RouteManagerView>(&strManager_);
                              RegisterView<BestTimeManagerView>(&bestzeit_);
                              RegisterView<ToolsCatalogueView>(&formeln_);
                          },
                          [this] {
                              UnregisterView<EquipmentManagerView>(&eqManager_);
                              UnregisterView<RouteManagerView>(&strManager_);
                              UnregisterView<BestTimeManagerView>(&bestzeit_);
                              UnregisterView<ToolsCatalogueView>(&formeln_);
                          }};
};

class RulesTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        views.attach();
        savedSettings = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override
    {
        FormatSettings() = savedSettings;
        SetClock({});
        DataModuleTest::TearDown();
        views.detach();
    }

    // Milliseconds of a time value, for exact comparisons.
    static qint64 ms(const TField* f) { return qint64(Round(f->AsFloat() * 86400000.0)); }

    RecordingViewHooks views{server};
    TFormatSettings savedSettings;
};
