#pragma once
// The data module: the one owner of the connection to the athlete's database, of every shared
// dataset and data source, and of the table rules hung on their events. One instance,
// `orvServer`, lives for the whole process; nothing is open until openDatabase is called.
//
// Every window reaches the datasets and data sources by their names (orvServer->daten,
// orvServer->dsDaten ...). The data module calls into windows only through TorvServerHooks,
// which the main window implements, and the table rules through the view interfaces that the
// windows register (core/views.h); tests replace both with recorders.
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "platform/rtl/application.h"
#include "platform/db/table.h"
#include "platform/report/renderhtml.h"
#include "platform/report/renderpdf.h"
#include "platform/report/rendertext.h"
#include "platform/report/reportproject.h"
#include "platform/report/reportsystem.h"

class TJetTranslator;
struct TorvSplitChain;

// What the data module needs of the windows.
class TorvServerHooks {
public:
    virtual ~TorvServerHooks();
    // The main window's caption: the application title, with " - [path]" while a database is open.
    virtual void setCaption(const QString& caption);
    // The main window's backup action, run to completion before a repair. True when the
    // database was backed up.
    virtual bool runBackupWizard();
};

class TorvServer {
public:
    TorvServer();
    ~TorvServer();
    TorvServer(const TorvServer&) = delete;
    TorvServer& operator=(const TorvServer&) = delete;

    // The windows' side; null gives the defaults of TorvServerHooks (no caption, no backup).
    void SetHooks(TorvServerHooks* hooks) { hooks_ = hooks; }
    TorvServerHooks& Hooks();

    // Runs once after creation: the display formats and the start-time mask of the user's
    // locale. The overload takes the locale's settings explicitly.
    void DataModuleCreate();
    void DataModuleCreate(const TFormatSettings& userSettings);

    // Closes any open database, opens the file, checks and repairs it (with the user's
    // answers), opens the shared datasets, labels the free fields, moves to the newest unit and
    // block and shows the path in the main window's caption. A failure is shown to the user
    // ("Fehler beim Öffnen der Datenbank. " and the reason), leaves nothing open and returns
    // false, so that the caller shows no entry window.
    bool openDatabase(const QString& path);
    // Closes every dataset and the connection; safe with nothing open.
    void closeDatabase();
    // The open database's file; empty while none is open.
    const QString& DatabasePath() const { return path_; }
    bool DatabaseOpen() const { return !path_.isEmpty() && orvDB.Connected(); }
    // Whether the unit has split or heart-rate rows: one question to the split table's index.
    bool unitHasZeitRows(int datId);

    // The split rules' calculation flag: while it is false the calculated fields of zeit are not
    // computed. The rules clear it while a split row is edited; windows that only move through
    // zeit clear it for that time and set it again afterwards.
    bool ZeitCalculation() const { return zeitCalculation_; }
    void SetZeitCalculation(bool on) { zeitCalculation_ = on; }

    // True while a TUnitBulkMode scope lives: every unit rule that writes stored data runs for
    // each unit saved, but what only serves the screen (the block lists and the units of the
    // block read again, the navigator following the saved unit) is done once when it ends.
    bool UnitBulkMode() const { return bulkDepth_ > 0; }

    // --- pace and speed -------------------------------------------------------------------------
    // The pace for a duration (below one day; whole days are carried over) over a distance in
    // metres, per the sport's speed unit (pace per km x unt_calc). 0 when it cannot be computed
    // (no distance, sport or unit missing).
    TDateTime calcPace(TDateTime duration, int metres, int sport);
    // The pace per km times the factor; 0 when it cannot be computed.
    TDateTime calcPaceFactor(TDateTime duration, int metres, double factor);
    // Speed in km/h; 0 for a zero duration.
    double calcKmh(TDateTime duration, int metres);
    // The same for a total that may pass a day (a training block's summed time): every hour
    // of it counts. Below one day they give what calcPace and calcKmh give.
    TDateTime calcTotalPace(TDateTime total, int metres, int sport);
    double calcTotalKmh(TDateTime total, int metres);
    // Recomputes the split statistics zwStatistik from the aggregate statement over "zeit WHERE
    // condition" and the cell texts of the split grid's data rows (traininglog/zwstatistik.h).
    void calcZwStatistics(const QString& condition, const QList<QStringList>& gridRows);
    // The tool view that the unit page shows, from the setting cfg_eingabeTool: "Bio",
    // "Equipment", "QuickStat" or "Kalender". Any other setting gives "Bio" and expands the main
    // window's tool panel.
    QString getNavigatorDB();

    // The datasets that openDatabase opens, in their order.
    static const QStringList& OpenOrder();

    // Every dataset and data source, in declaration order, and by name (without case; null
    // when unknown).
    const std::vector<TDataSet*>& DataSets() const { return dataSets_; }
    const std::vector<TDataSource*>& DataSources() const { return dataSources_; }
    TDataSet* FindDataSet(const QString& name) const;
    TDataSource* FindDataSource(const QString& name) const;
    // True for the datasets that read a static snapshot of their rows (they see rows written
    // elsewhere only after a reopen); the others keep the default cursor.
    bool StaticCursor(const TDataSet* dataSet) const { return staticCursors_.contains(dataSet); }

    // --- the connection -----------------------------------------------------------------------
    TConnection orvDB;

    // --- datasets ----------------------------------------------------------------------------
    TTable daten;
    TTable allDaten;
    TQuery navSuchen;
    TQuery explorer;
    TQuery eqdetail;
    TTable datenblockdetail;
    TTable trainblockman_detail;
    TQuery zeitraum_old;
    TQuery zeitraum;
    TTable sportart;
    TTable form;
    TTable belStufe;
    TTable belArt;
    TTable distancespeed;
    TTable trainblock;
    TTable trainblockman;
    TQuery del_OldTB;
    TTable config;
    TTable Plan;
    TQuery plan_daten;
    TTable pDaten;
    TQuery delete_;  // the dataset named "delete": its users set the SQL and execute it
    TTable equipment;
    TTable eqdaten;
    TTable strecke;
    TTable strPunkte;
    TTable bestzeiten;
    TQuery bel5000m;
    TTable tools;
    TTable tagebuch;
    TQuery quickstat;
    TQuery zeit;
    TQuery zeitLookup;
    TTable zeitAll;

    // --- data sources --------------------------------------------------------------------------
    TDataSource dsDaten;
    TDataSource dsZeit;
    TDataSource dsSportart;
    TDataSource dsForm;
    TDataSource dsBelStufe;
    TDataSource dsBelArt;
    TDataSource dsConfig;
    TDataSource dsTrainblock;
    TDataSource dstrainblockman;
    TDataSource dsTrainblockmandetail;
    TDataSource dsDatenBlockDetail;
    TDataSource dsNavSuchen;
    TDataSource dsExplorer;
    TDataSource dsZeitraum;
    TDataSource dsZeitraum_old;
    TDataSource dsPlan;
    TDataSource dsPlan_daten;
    TDataSource dsEquipment;
    TDataSource dsEqdaten;
    TDataSource dsEqDetail;
    TDataSource dsStrecke;
    TDataSource dsStrPunkte;
    TDataSource dsBestzeiten;
    TDataSource dsBel5000m;
    TDataSource dsTools;
    TDataSource dsTagebuch;

    // --- reports (orvreports.cpp) --------------------------------------------------------------
    // The report project with the reports "Liste", "Einheit" and "Zwischenzeiten", its report
    // system (the output-options dialog runs before every report through its setup hook) and the
    // file formats it offers.
    TReportSystem RvSystem1;
    TReportProject orvreports;
    TRenderPDF RvRenderPDF1;
    TRenderHTML RvRenderHTML1;
    TRenderText RvRenderText1;
    // The kind of rows the report "Zwischenzeiten" lists: the heart-rate samples (true) or the
    // splits; the split page sets it from its tab before it prints.
    bool zwReportHrm = false;
    void RvSystem1OverrideSetup(TReportSystem* ReportSystem, TOverrideMode OverrideMode, QObject*& OverrideForm);

    // --- handlers --------------------------------------------------------------------------
    // Bound to their events at creation. The table rules fill their bodies; until then they
    // do nothing, and the text handlers show and store the plain value.
    void orvDBBeforeConnect(TConnection* sender);

    void datenAfterOpen(TDataSet* dataSet);
    void datenBeforePost(TDataSet* dataSet);
    void datenAfterPost(TDataSet* dataSet);
    void datenBeforeDelete(TDataSet* dataSet);
    void datenAfterDelete(TDataSet* dataSet);
    void datenBeforeScroll(TDataSet* dataSet);
    void datenCalcFields(TDataSet* dataSet);
    void datenNewRecord(TDataSet* dataSet);
    // A refused save of a new unit takes back the training block created for it.
    void datenPostError(TDataSet* dataSet);
    void datenMeterGetText(TField* sender, QString& text, bool displayText);
    void datenMeterSetText(TField* sender, const QString& text);
    // The distance is shown in the sport's unit: another sport shows it anew.
    void datenSportartChange(TField* sender);
    void dsDatenStateChange(TDataSource* sender);
    void dsDatenDataChange(TDataSource* sender, TField* field);

    void explorerCalcFields(TDataSet* dataSet);
    void zeitraum_oldCalcFields(TDataSet* dataSet);
    void zeitraumCalcFields(TDataSet* dataSet);
    void zeitraumdistanceGetText(TField* sender, QString& text, bool displayText);
    // A block's summed time passes a day: it is shown with all its hours ("41:54:12").
    void zeitraumZeitGetText(TField* sender, QString& text, bool displayText);

    void sportartBeforeDelete(TDataSet* dataSet);
    void sportartNewRecord(TDataSet* dataSet);
    void sportartSpo_IdValidate(TField* sender);
    void sportartSpo_ZeitraumStandardSetText(TField* sender, const QString& text);
    void formBeforeDelete(TDataSet* dataSet);
    void formNewRecord(TDataSet* dataSet);
    void formFor_IdValidate(TField* sender);
    void belStufeBeforeDelete(TDataSet* dataSet);
    void belStufeNewRecord(TDataSet* dataSet);
    void belStufebel_IDValidate(TField* sender);
    void belArtBeforeDelete(TDataSet* dataSet);
    void belArtNewRecord(TDataSet* dataSet);
    void belArtbea_IDValidate(TField* sender);
    void distancespeedBeforeDelete(TDataSet* dataSet);

    void trainblockmanBeforePost(TDataSet* dataSet);
    void trainblockmanAfterPost(TDataSet* dataSet);
    void trainblockmanNewRecord(TDataSet* dataSet);
    void dstrainblockmanDataChange(TDataSource* sender, TField* field);

    void plan_datenBeforePost(TDataSet* dataSet);
    void plan_datenCalcFields(TDataSet* dataSet);
    void dsPlanStateChange(TDataSource* sender);
    void dsPlanDataChange(TDataSource* sender, TField* field);
    void dsPlan_datenStateChange(TDataSource* sender);

    void equipmentBeforeDelete(TDataSet* dataSet);
    void equipmentNewRecord(TDataSet* dataSet);
    void dsEquipmentDataChange(TDataSource* sender, TField* field);

    void streckeBeforeInsert(TDataSet* dataSet);
    void streckeBeforeEdit(TDataSet* dataSet);
    void streckeAfterPost(TDataSet* dataSet);
    void streckeAfterCancel(TDataSet* dataSet);
    void strPunkteAfterDelete(TDataSet* dataSet);
    void dsStreckeDataChange(TDataSource* sender, TField* field);

    void bestzeitenAfterPost(TDataSet* dataSet);
    void bestzeitenBeforeDelete(TDataSet* dataSet);
    void dsBestzeitenDataChange(TDataSource* sender, TField* field);

    void dsToolsDataChange(TDataSource* sender, TField* field);
    void tagebuchBeforePost(TDataSet* dataSet);

    void zeitBeforeInsert(TDataSet* dataSet);
    void zeitBeforeEdit(TDataSet* dataSet);
    void zeitBeforePost(TDataSet* dataSet);
    void zeitAfterPost(TDataSet* dataSet);
    void zeitBeforeCancel(TDataSet* dataSet);
    void zeitAfterDelete(TDataSet* dataSet);
    void zeitCalcFields(TDataSet* dataSet);
    void zeitNewRecord(TDataSet* dataSet);
    void zeitMeterGetText(TField* sender, QString& text, bool displayText);
    void zeitMeterSetText(TField* sender, const QString& text);
    void dsZeitStateChange(TDataSource* sender);
    void dsZeitDataChange(TDataSource* sender, TField* field);
    // After split or heart-rate rows of the current unit were written or removed (the split
    // rules themselves, and bulk work that detached them once it is done): the navigator draws
    // the unit as one with splits exactly when it has any.
    void showUnitSplits();

private:
    friend class TUnitBulkMode;
    void registerComponents();
    void declareDataSets();   // tables, SQL, orders, links (orvdbserver_fields.cpp)
    void declareFields();     // every field in its order (orvdbserver_fields.cpp)
    void bindHandlers();
    void createReports();  // orvreports.cpp
    void setCaption(const QString& caption);

    QString path_;
    TorvServerHooks* hooks_ = nullptr;
    // The rules of the units (datenrules.cpp): the unit that was current before the last scroll,
    // the block of the unit being deleted, and the transaction that holds a new unit's block
    // until the unit is saved (or refused).
    int previousUnitId_ = 0;
    int deletedUnitBlock_ = 0;
    int deletedUnitId_ = 0;
    bool blockTransaction_ = false;
    qint64 bulkBlock_ = 0;  // a new unit's block written inside the caller's own transaction
    QVariant blockBeforePost_;
    bool blockmanRefreshed_ = false;  // a new unit's save reopened trainblockman
    QVariant blockmanRowBeforePost_;
    void createBlockOfNewUnit(TDataSet* dataSet);
    void finishNewBlock(bool commit);
    void dropBulkBlock();
    void restoreBlockManager();
    // Reads the block manager's list again and goes back to the block `row` (none: its first).
    void reopenBlockManagerAt(const QVariant& row);
    // Bulk mode of the unit rules (datenrules.cpp): its depth, the refreshes it owes, and the
    // query that reads the one unit a new unit takes its defaults from.
    int bulkDepth_ = 0;
    bool bulkTrainblock_ = false;      // trainblock is read again at the end
    bool bulkBlockman_ = false;        // trainblockman is read again at the end ...
    QVariant bulkBlockmanRow_;         // ... and goes back to this block while no unit was saved
    bool bulkInsertPending_ = false;   // a new unit passed its before-save rule
    bool bulkInsertSaved_ = false;     // a new unit was saved
    bool bulkUnitsShown_ = false;      // the block's units and the navigator follow at the end
    TQuery bulkUnit_;
    void noteBulkInsertOutcome();
    void endUnitBulkMode();
    // After units were saved: the navigator's item follows, the block's units are read again
    // and the navigator shows the current unit.
    // The navigator and the block views after a save: `unitId` the one unit saved, 0 many.
    void showSavedUnits(int unitId = 0);
    // The unit a new unit takes its date and weight from, read on its own in bulk mode.
    TDataSet& newRecordSource(bool nextDay, bool& previousFound);
    // State of the split rules (zeitrules.cpp): the calculation flag and the derived values of
    // the split rows, computed in one ordered pass.
    bool zeitCalculation_ = true;
    std::shared_ptr<TorvSplitChain> splitChain_;
    std::shared_ptr<TJetTranslator> translator_;
    std::vector<TDataSet*> dataSets_;
    std::vector<TDataSource*> dataSources_;
    QSet<const TDataSet*> staticCursors_;
};

// The data module of the running program (created at start-up).
extern TorvServer* orvServer;

// The bulk mode of the unit rules for the scope's lifetime, for work that saves many units in a
// row (imports). Scopes nest. When the outermost one ends, however the work ends (done,
// refused, an exception, a rolled-back transaction), the refreshes it deferred run once, so
// the windows show what is stored.
class TUnitBulkMode {
public:
    explicit TUnitBulkMode(TorvServer& server);
    ~TUnitBulkMode();
    TUnitBulkMode(const TUnitBulkMode&) = delete;
    TUnitBulkMode& operator=(const TUnitBulkMode&) = delete;

private:
    TorvServer& server_;
};

// The fields of a split dataset, in the order the split grid relies on (zeit, and the rows of
// a comparison unit read beside it).
void DeclareSplitFields(TDataSet& d);
