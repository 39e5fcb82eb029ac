#include "core/orvdbserver.h"

#include <QGuiApplication>

#include "core/language.h"
#include "core/orvdatabase.h"
#include "core/orvtools.h"
#include "platform/db/jetsql.h"
#include "platform/vcl/dialogs.h"

TorvServer* orvServer = nullptr;

TorvServerHooks::~TorvServerHooks() = default;

void TorvServerHooks::setCaption(const QString&) {}

bool TorvServerHooks::runBackupWizard()
{
    return false;
}

namespace {

TorvServerHooks& defaultHooks()
{
    static TorvServerHooks hooks;
    return hooks;
}

}  // namespace

TorvServer::TorvServer()
{
    registerComponents();
    // Every SQL text of the program is Jet SQL: the translator turns it into SQLite's dialect.
    translator_ = InstallJetSql(orvDB);
    for (TDataSet* ds : dataSets_)
        ds->SetConnection(&orvDB);
    bulkUnit_.SetName(QStringLiteral("bulkUnit"));
    bulkUnit_.SetConnection(&orvDB);
    declareDataSets();
    declareFields();
    bindHandlers();
    createReports();
}

TorvServer::~TorvServer()
{
    closeDatabase();
    if (orvServer == this)
        orvServer = nullptr;
}

TorvServerHooks& TorvServer::Hooks()
{
    return hooks_ ? *hooks_ : defaultHooks();
}

void TorvServer::registerComponents()
{
    const std::pair<TDataSet*, const char*> sets[] = {
        {&daten, "daten"},
        {&allDaten, "allDaten"},
        {&navSuchen, "navSuchen"},
        {&explorer, "explorer"},
        {&eqdetail, "eqdetail"},
        {&datenblockdetail, "datenblockdetail"},
        {&trainblockman_detail, "trainblockman_detail"},
        {&zeitraum_old, "zeitraum_old"},
        {&zeitraum, "zeitraum"},
        {&sportart, "sportart"},
        {&form, "form"},
        {&belStufe, "belStufe"},
        {&belArt, "belArt"},
        {&distancespeed, "distancespeed"},
        {&trainblock, "trainblock"},
        {&trainblockman, "trainblockman"},
        {&del_OldTB, "del_OldTB"},
        {&config, "config"},
        {&Plan, "Plan"},
        {&plan_daten, "plan_daten"},
        {&pDaten, "pDaten"},
        {&delete_, "delete"},
        {&equipment, "equipment"},
        {&eqdaten, "eqdaten"},
        {&strecke, "strecke"},
        {&strPunkte, "strPunkte"},
        {&bestzeiten, "bestzeiten"},
        {&bel5000m, "bel5000m"},
        {&tools, "tools"},
        {&tagebuch, "tagebuch"},
        {&quickstat, "quickstat"},
        {&zeit, "zeit"},
        {&zeitLookup, "zeitLookup"},
        {&zeitAll, "zeitAll"},
    };
    for (const auto& [ds, name] : sets) {
        ds->SetName(QString::fromLatin1(name));
        dataSets_.push_back(ds);
    }

    const std::tuple<TDataSource*, const char*, TDataSet*> sources[] = {
        {&dsDaten, "dsDaten", &daten},
        {&dsZeit, "dsZeit", &zeit},
        {&dsSportart, "dsSportart", &sportart},
        {&dsForm, "dsForm", &form},
        {&dsBelStufe, "dsBelStufe", &belStufe},
        {&dsBelArt, "dsBelArt", &belArt},
        {&dsConfig, "dsConfig", &config},
        {&dsTrainblock, "dsTrainblock", &trainblock},
        {&dstrainblockman, "dstrainblockman", &trainblockman},
        {&dsTrainblockmandetail, "dsTrainblockmandetail", &trainblockman_detail},
        {&dsDatenBlockDetail, "dsDatenBlockDetail", &datenblockdetail},
        {&dsNavSuchen, "dsNavSuchen", &navSuchen},
        {&dsExplorer, "dsExplorer", &explorer},
        {&dsZeitraum, "dsZeitraum", &zeitraum},
        {&dsZeitraum_old, "dsZeitraum_old", &zeitraum_old},
        {&dsPlan, "dsPlan", &Plan},
        {&dsPlan_daten, "dsPlan_daten", &plan_daten},
        {&dsEquipment, "dsEquipment", &equipment},
        {&dsEqdaten, "dsEqdaten", &eqdaten},
        {&dsEqDetail, "dsEqDetail", &eqdetail},
        {&dsStrecke, "dsStrecke", &strecke},
        {&dsStrPunkte, "dsStrPunkte", &strPunkte},
        {&dsBestzeiten, "dsBestzeiten", &bestzeiten},
        {&dsBel5000m, "dsBel5000m", &bel5000m},
        {&dsTools, "dsTools", &tools},
        {&dsTagebuch, "dsTagebuch", &tagebuch},
    };
    for (const auto& [source, name, ds] : sources) {
        source->SetName(QString::fromLatin1(name));
        source->SetDataSet(ds);
        dataSources_.push_back(source);
    }
}

void TorvServer::bindHandlers()
{
    using DS = TDataSet*;
    using Src = TDataSource*;
    auto on = [this](void (TorvServer::*handler)(TDataSet*)) {
        return [this, handler](DS ds) { (this->*handler)(ds); };
    };
    auto onData = [this](void (TorvServer::*handler)(TDataSource*, TField*)) {
        return [this, handler](Src s, TField* f) { (this->*handler)(s, f); };
    };
    auto onState = [this](void (TorvServer::*handler)(TDataSource*)) {
        return [this, handler](Src s) { (this->*handler)(s); };
    };
    auto onField = [this](void (TorvServer::*handler)(TField*)) {
        return [this, handler](TField* f) { (this->*handler)(f); };
    };
    auto onGetText = [this](void (TorvServer::*handler)(TField*, QString&, bool)) {
        return [this, handler](TField* f, QString& text, bool display) { (this->*handler)(f, text, display); };
    };
    auto onSetText = [this](void (TorvServer::*handler)(TField*, const QString&)) {
        return [this, handler](TField* f, const QString& text) { (this->*handler)(f, text); };
    };

    orvDB.BeforeConnect = [this](TConnection* c) { orvDBBeforeConnect(c); };

    daten.AfterOpen = on(&TorvServer::datenAfterOpen);
    daten.BeforePost = on(&TorvServer::datenBeforePost);
    daten.AfterPost = on(&TorvServer::datenAfterPost);
    daten.BeforeDelete = on(&TorvServer::datenBeforeDelete);
    daten.AfterDelete = on(&TorvServer::datenAfterDelete);
    daten.BeforeScroll = on(&TorvServer::datenBeforeScroll);
    daten.OnCalcFields = on(&TorvServer::datenCalcFields);
    daten.OnNewRecord = on(&TorvServer::datenNewRecord);
    daten.OnPostError = on(&TorvServer::datenPostError);
    daten.FieldByName("Meter")->OnGetText = onGetText(&TorvServer::datenMeterGetText);
    daten.FieldByName("Meter")->OnSetText = onSetText(&TorvServer::datenMeterSetText);
    daten.FieldByName("Sportart")->OnChange = onField(&TorvServer::datenSportartChange);
    dsDaten.OnStateChange = onState(&TorvServer::dsDatenStateChange);
    dsDaten.OnDataChange = onData(&TorvServer::dsDatenDataChange);

    explorer.OnCalcFields = on(&TorvServer::explorerCalcFields);
    zeitraum_old.OnCalcFields = on(&TorvServer::zeitraum_oldCalcFields);
    zeitraum.OnCalcFields = on(&TorvServer::zeitraumCalcFields);
    zeitraum.FieldByName("distance")->OnGetText = onGetText(&TorvServer::zeitraumdistanceGetText);
    zeitraum.FieldByName("Zeit")->OnGetText = onGetText(&TorvServer::zeitraumZeitGetText);

    sportart.BeforeDelete = on(&TorvServer::sportartBeforeDelete);
    sportart.OnNewRecord = on(&TorvServer::sportartNewRecord);
    sportart.FieldByName("Spo_Id")->OnValidate = onField(&TorvServer::sportartSpo_IdValidate);
    sportart.FieldByName("Spo_ZeitraumStandard")->OnSetText =
        onSetText(&TorvServer::sportartSpo_ZeitraumStandardSetText);
    // The options dialog offers "Wahr" and "Falsch" for the planning flag of a training form as
    // for the sports' statistics flag; the field's own Boolean texts would refuse both.
    form.FieldByName("For_Planung")->OnSetText = onSetText(&TorvServer::sportartSpo_ZeitraumStandardSetText);
    form.BeforeDelete = on(&TorvServer::formBeforeDelete);
    form.OnNewRecord = on(&TorvServer::formNewRecord);
    form.FieldByName("For_Id")->OnValidate = onField(&TorvServer::formFor_IdValidate);
    belStufe.BeforeDelete = on(&TorvServer::belStufeBeforeDelete);
    belStufe.OnNewRecord = on(&TorvServer::belStufeNewRecord);
    belStufe.FieldByName("bel_ID")->OnValidate = onField(&TorvServer::belStufebel_IDValidate);
    belArt.BeforeDelete = on(&TorvServer::belArtBeforeDelete);
    belArt.OnNewRecord = on(&TorvServer::belArtNewRecord);
    belArt.FieldByName("bea_ID")->OnValidate = onField(&TorvServer::belArtbea_IDValidate);
    distancespeed.BeforeDelete = on(&TorvServer::distancespeedBeforeDelete);

    trainblockman.BeforePost = on(&TorvServer::trainblockmanBeforePost);
    trainblockman.AfterPost = on(&TorvServer::trainblockmanAfterPost);
    trainblockman.OnNewRecord = on(&TorvServer::trainblockmanNewRecord);
    dstrainblockman.OnDataChange = onData(&TorvServer::dstrainblockmanDataChange);

    plan_daten.BeforePost = on(&TorvServer::plan_datenBeforePost);
    plan_daten.OnCalcFields = on(&TorvServer::plan_datenCalcFields);
    dsPlan.OnStateChange = onState(&TorvServer::dsPlanStateChange);
    dsPlan.OnDataChange = onData(&TorvServer::dsPlanDataChange);
    dsPlan_daten.OnStateChange = onState(&TorvServer::dsPlan_datenStateChange);

    equipment.BeforeDelete = on(&TorvServer::equipmentBeforeDelete);
    equipment.OnNewRecord = on(&TorvServer::equipmentNewRecord);
    dsEquipment.OnDataChange = onData(&TorvServer::dsEquipmentDataChange);

    strecke.BeforeInsert = on(&TorvServer::streckeBeforeInsert);
    strecke.BeforeEdit = on(&TorvServer::streckeBeforeEdit);
    strecke.AfterPost = on(&TorvServer::streckeAfterPost);
    strecke.AfterCancel = on(&TorvServer::streckeAfterCancel);
    strPunkte.AfterDelete = on(&TorvServer::strPunkteAfterDelete);
    dsStrecke.OnDataChange = onData(&TorvServer::dsStreckeDataChange);

    bestzeiten.AfterPost = on(&TorvServer::bestzeitenAfterPost);
    bestzeiten.BeforeDelete = on(&TorvServer::bestzeitenBeforeDelete);
    dsBestzeiten.OnDataChange = onData(&TorvServer::dsBestzeitenDataChange);

    dsTools.OnDataChange = onData(&TorvServer::dsToolsDataChange);
    tagebuch.BeforePost = on(&TorvServer::tagebuchBeforePost);

    zeit.BeforeInsert = on(&TorvServer::zeitBeforeInsert);
    zeit.BeforeEdit = on(&TorvServer::zeitBeforeEdit);
    zeit.BeforePost = on(&TorvServer::zeitBeforePost);
    zeit.AfterPost = on(&TorvServer::zeitAfterPost);
    zeit.BeforeCancel = on(&TorvServer::zeitBeforeCancel);
    zeit.AfterDelete = on(&TorvServer::zeitAfterDelete);
    zeit.OnCalcFields = on(&TorvServer::zeitCalcFields);
    zeit.OnNewRecord = on(&TorvServer::zeitNewRecord);
    zeit.FieldByName("Meter")->OnGetText = onGetText(&TorvServer::zeitMeterGetText);
    zeit.FieldByName("Meter")->OnSetText = onSetText(&TorvServer::zeitMeterSetText);
    dsZeit.OnStateChange = onState(&TorvServer::dsZeitStateChange);
    dsZeit.OnDataChange = onData(&TorvServer::dsZeitDataChange);
}

TDataSet* TorvServer::FindDataSet(const QString& name) const
{
    for (TDataSet* ds : dataSets_)
        if (ds->Name().compare(name, Qt::CaseInsensitive) == 0)
            return ds;
    return nullptr;
}

TDataSource* TorvServer::FindDataSource(const QString& name) const
{
    for (TDataSource* s : dataSources_)
        if (s->Name().compare(name, Qt::CaseInsensitive) == 0)
            return s;
    return nullptr;
}

void TorvServer::DataModuleCreate()
{
    DataModuleCreate(FormatSettings());
}

void TorvServer::DataModuleCreate(const TFormatSettings& userSettings)
{
    path_.clear();
    zeitraum.FieldByName("Datum")->SetDisplayFormat(userSettings.ShortDateFormat);
    explorer.FieldByName("Datum")->SetDisplayFormat(userSettings.ShortDateFormat);
    daten.FieldByName("Startzeit")->SetDisplayFormat(userSettings.ShortTimeFormat);
    zeitraum.FieldByName("Startzeit")->SetDisplayFormat(userSettings.ShortTimeFormat);
    // A locale with an afternoon designator types start times with two letters after the time.
    daten.FieldByName("Startzeit")
        ->SetEditMask(userSettings.TimePMString.isEmpty() ? QStringLiteral("!90:00:00;1;_")
                                                          : QStringLiteral("!90:00:00>LL;1;_"));
}

const QStringList& TorvServer::OpenOrder()
{
    static const QStringList order = {
        "config",  "plan_daten", "Plan",      "bel5000m",  "form",       "sportart", "belStufe",
        "belArt",  "trainblock", "trainblockman", "trainblockman_detail", "daten", "datenblockdetail",
        "zeit",    "explorer",   "strecke",   "strPunkte", "eqdaten",    "equipment", "tools",
        "pDaten",  "quickstat",  "bestzeiten", "zeitAll",  "tagebuch",
    };
    return order;
}

void TorvServer::setCaption(const QString& caption)
{
    Hooks().setCaption(caption);
}

bool TorvServer::openDatabase(const QString& path)
{
    try {
        closeDatabase();
        path_ = path;
        orvDB.Open(path);
        CheckDatabaseFile(orvDB);
        CheckDatabase(orvDB, [this] { return Hooks().runBackupWizard(); });
        for (const QString& name : OpenOrder())
            FindDataSet(name)->Open();
        zeitraum.FieldByName("User1")->SetDisplayLabel(config.FieldByName("cfg_user1Label")->AsString());
        zeitraum.FieldByName("User2")->SetDisplayLabel(config.FieldByName("cfg_user2Label")->AsString());
        daten.Last();
        trainblockman.Last();
        setCaption(ApplicationTitle() + QStringLiteral(" - [") + path + QStringLiteral("]"));
        return true;
    } catch (const EAbort&) {
        closeDatabase();
        return false;
    } catch (const std::exception& e) {
        // Nothing stays half open: the caller shows no entry window for this database.
        const QString reason = ExceptionMessage(e);
        closeDatabase();
        MessageDlg(LoadStr(msg::DatabaseOpenError) + reason, mtError, TMsgDlgButtons{mbOK});
        return false;
    }
}

bool TorvServer::unitHasZeitRows(int datId)
{
    return orvDB.ExecuteNativeScalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM zeit WHERE zei_Id = ?)"), {datId})
               .toInt() != 0;
}

void TorvServer::closeDatabase()
{
    path_.clear();
    // Details and lookups first, the connection closes whatever is still open on it.
    for (TDataSet* ds : {static_cast<TDataSet*>(&tagebuch), static_cast<TDataSet*>(&zeitAll),
                         static_cast<TDataSet*>(&bestzeiten), static_cast<TDataSet*>(&pDaten),
                         static_cast<TDataSet*>(&tools), static_cast<TDataSet*>(&datenblockdetail),
                         static_cast<TDataSet*>(&eqdetail), static_cast<TDataSet*>(&zeitLookup),
                         static_cast<TDataSet*>(&Plan), static_cast<TDataSet*>(&plan_daten),
                         static_cast<TDataSet*>(&config), static_cast<TDataSet*>(&explorer),
                         static_cast<TDataSet*>(&strPunkte), static_cast<TDataSet*>(&strecke),
                         static_cast<TDataSet*>(&form), static_cast<TDataSet*>(&belStufe),
                         static_cast<TDataSet*>(&belArt), static_cast<TDataSet*>(&sportart),
                         static_cast<TDataSet*>(&daten), static_cast<TDataSet*>(&zeit)})
        ds->Close();
    orvDB.Close();
    for (TDataSet* ds : {static_cast<TDataSet*>(&navSuchen), static_cast<TDataSet*>(&quickstat),
                         static_cast<TDataSet*>(&eqdaten), static_cast<TDataSet*>(&equipment),
                         static_cast<TDataSet*>(&bel5000m), static_cast<TDataSet*>(&trainblockman_detail),
                         static_cast<TDataSet*>(&trainblockman), static_cast<TDataSet*>(&trainblock),
                         static_cast<TDataSet*>(&zeitraum)})
        ds->Close();
    setCaption(ApplicationTitle());
}

// ---------------------------------------------------------------------------------------------
// Table rules. Their bodies belong to the rules of units, splits, blocks, plans and the lookup
// tables; until those are in place the handlers leave every operation as the dataset does it.

void TorvServer::orvDBBeforeConnect(TConnection*) {}
