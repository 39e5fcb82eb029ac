// The rules of the training units: the handlers of `daten` and of its data source `dsDaten`,
// and the pace and speed routines that other datasets share. The current row of `daten` is the
// current unit of the whole program; the windows that follow it are refreshed through their
// view interfaces.
#include <QCoreApplication>

#include <cmath>
#include <exception>
#include <functional>
#include <optional>
#include <utility>

#include "core/language.h"
#include "core/orvdatabase.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "core/startup.h"
#include "core/entrywindowview.h"
#include "core/equipmenttoolview.h"
#include "core/mainwindowview.h"
#include "core/navigatorview.h"
#include "core/quickstatview.h"
#include "core/views.h"
#include "platform/rtl/application.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/registry.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("datenrules", text);
}

// A column of the sport's speed or distance unit (`unitKey` is "spo_speed" or "spo_distance");
// Null when the sport or its unit is missing.
QVariant sportUnitValue(TorvServer& s, const QVariant& sport, const char* unitKey, const char* column)
{
    if (sport.isNull() || !s.sportart.Active() || !s.distancespeed.Active())
        return {};
    const QVariant unit = s.sportart.Lookup(QStringLiteral("spo_id"), sport, QString::fromLatin1(unitKey));
    if (unit.isNull())
        return {};
    return s.distancespeed.Lookup(QStringLiteral("unt_id"), unit, QString::fromLatin1(column));
}

// The milliseconds of a duration's time of day.
int64_t timeOfDayMs(TDateTime duration)
{
    return Round(TimeOf(duration) * 86400000.0);
}

// Metres shown in a unit: the factor of the sport's distance unit, or 1 (plain metres) while the
// sport or its unit is missing or the factor is unusable.
double distanceFactor(TorvServer& s, TDataSet& unit)
{
    const QVariant f = sportUnitValue(s, unit.FieldByName(QStringLiteral("Sportart"))->Value(), "spo_distance",
                                      "unt_calc");
    if (f.isNull())
        return 1.0;
    const double factor = f.toDouble();
    return std::isfinite(factor) && factor > 0 ? factor : 1.0;
}

// The main window's tool view ("" while there is no main window).
QString mainTool()
{
    const MainWindowView* main = View<MainWindowView>();
    return main ? main->getTool() : QString();
}

void showUnitEquipment()
{
    if (EquipmentToolView* equipment = View<EquipmentToolView>())
        equipment->FormShow(nullptr);
}

// The entry window's lookup boxes that take the colour of the unit's row in a lookup table.
struct ColourRule {
    const char* unitField;
    const char* configSwitch;
    const char* keyColumn;
    const char* colourColumn;
    const char* control;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Pace and speed.

namespace {

// Milliseconds per kilometre, rounded to single precision and then cut to whole milliseconds, so
// that the same unit always shows the same pace; nothing when it cannot be computed.
std::optional<int64_t> paceMsPerKm(int64_t ms, int metres)
{
    float q = float(double(ms) / (metres / 1000.0));
    q = std::trunc(q);
    if (!std::isfinite(q))
        return std::nullopt;
    return int64_t(q);
}

}  // namespace

TDateTime TorvServer::calcPaceFactor(TDateTime duration, int metres, double factor)
{
    if (metres == 0 || !std::isfinite(duration) || !std::isfinite(factor))
        return 0;
    const std::optional<int64_t> paceMs = paceMsPerKm(timeOfDayMs(duration), metres);
    if (!paceMs)
        return 0;
    const TDateTime pace = std::trunc(duration) + *paceMs / 86400000.0;
    return pace * factor;
}

TDateTime TorvServer::calcTotalPace(TDateTime total, int metres, int sport)
{
    if (metres == 0 || !std::isfinite(total))
        return 0;
    try {
        const QVariant factor = sportUnitValue(*this, sport, "spo_speed", "unt_calc");
        if (factor.isNull() || !std::isfinite(factor.toDouble()))
            return 0;
        const std::optional<int64_t> paceMs = paceMsPerKm(Round(total * 86400000.0), metres);
        return paceMs ? *paceMs / 86400000.0 * factor.toDouble() : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

double TorvServer::calcTotalKmh(TDateTime total, int metres)
{
    if (!std::isfinite(total))
        return 0;
    const int64_t ms = Round(total * 86400000.0);
    if (ms == 0)
        return 0;
    return (metres / 1000.0) / (ms / 1000.0 / 60.0 / 60.0);
}

TDateTime TorvServer::calcPace(TDateTime duration, int metres, int sport)
{
    try {
        const QVariant factor = sportUnitValue(*this, sport, "spo_speed", "unt_calc");
        if (factor.isNull())
            return 0;
        return calcPaceFactor(duration, metres, factor.toDouble());
    } catch (const std::exception&) {
        return 0;
    }
}

double TorvServer::calcKmh(TDateTime duration, int metres)
{
    if (!std::isfinite(duration))
        return 0;
    const int64_t ms = timeOfDayMs(duration);
    if (ms == 0)
        return 0;
    return (metres / 1000.0) / (ms / 1000.0 / 60.0 / 60.0);
}

QString TorvServer::getNavigatorDB()
{
    const QString tool = config.Active() ? config.FieldByName(QStringLiteral("cfg_eingabeTool"))->AsString()
                                         : QString();
    if (tool == LoadStr(msg::ToolBio))
        return QStringLiteral("Bio");
    if (tool == LoadStr(msg::ToolEquipment))
        return QStringLiteral("Equipment");
    if (tool == LoadStr(msg::ToolQuickStat))
        return QStringLiteral("QuickStat");
    if (tool == LoadStr(msg::ToolCalendar))
        return QStringLiteral("Kalender");
    // Tools hidden (or an unknown setting): the unit page shows the bio view in a full-height
    // tool panel.
    if (MainWindowView* main = View<MainWindowView>())
        main->XPButton1Click(nullptr);
    return QStringLiteral("Bio");
}

// ---------------------------------------------------------------------------------------------
// daten.

void TorvServer::datenBeforeScroll(TDataSet* dataSet)
{
    previousUnitId_ = dataSet->FieldByName(QStringLiteral("dat_Id"))->AsInteger();
}

TDataSet& TorvServer::newRecordSource(bool nextDay, bool& previousFound)
{
    previousFound = false;
    if (bulkDepth_ == 0 || allDaten.Active()) {
        allDaten.Open();
        allDaten.Last();
        previousFound = nextDay && allDaten.Locate(QStringLiteral("dat_id"), previousUnitId_);
        return allDaten;
    }
    // Bulk work reads only the one unit and the columns the rule takes, instead of every unit:
    // the previous one, or else the newest as allDaten orders them (date, start time, and among
    // equals the last written). The columns keep their declared types, so the values read and
    // carried over are those allDaten gives.
    auto read = [this](const QString& sql) {
        bulkUnit_.Close();
        if (bulkUnit_.SQLText() != sql)
            bulkUnit_.SetSQLText(sql);
    };
    if (nextDay) {
        read(QStringLiteral("SELECT Datum, Gewicht, Fett FROM daten WHERE dat_Id = :id"));
        bulkUnit_.ParamByName(QStringLiteral("id"))->SetAsInteger(previousUnitId_);
        bulkUnit_.Open();
        previousFound = !bulkUnit_.IsEmpty();
        if (previousFound)
            return bulkUnit_;
    }
    read(QStringLiteral("SELECT TOP 1 Datum, Gewicht, Fett FROM daten ORDER BY Datum DESC, Startzeit DESC, dat_Id DESC"));
    bulkUnit_.Open();
    return bulkUnit_;
}

void TorvServer::datenNewRecord(TDataSet* dataSet)
{
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    bool nextDay = false;
    if (reg.OpenKey(QString::fromLatin1(kProgramRegistryKey), true) &&
        reg.ValueExists(QStringLiteral("DateNextDay"))) {
        try {
            nextDay = reg.ReadBool(QStringLiteral("DateNextDay"));
        } catch (const ERegistryException&) {
            nextDay = false;  // a value that is no number counts as off
        }
    }
    bool previousFound = false;
    TDataSet& units = newRecordSource(nextDay, previousFound);
    TField* datum = dataSet->FieldByName(QStringLiteral("Datum"));
    if (nextDay) {
        // The day after the unit that was current; no date when that unit is gone (the save then
        // asks for one).
        if (previousFound)
            datum->SetAsDateTime(units.FieldByName(QStringLiteral("Datum"))->AsDateTime() + 1);
    } else {
        datum->SetAsDateTime(Date());
    }

    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField* f = dataSet->Field(i);
        if (!f->DefaultExpression().isEmpty())
            f->SetAsString(f->DefaultExpression());
    }

    // Weight and body fat change slowly: they are taken over from the unit found above (the
    // previous one, or else the newest).
    for (const char* name : {"Gewicht", "Fett"}) {
        const QString text = units.FieldByName(QString::fromLatin1(name))->AsString();
        if (!text.isEmpty())
            dataSet->FieldByName(QString::fromLatin1(name))->SetAsString(text);
    }
    units.Close();
}

void TorvServer::datenBeforePost(TDataSet* dataSet)
{
    // A save whose after-save rule did not run (bulk work detaches it) was written: its block
    // stays with it.
    if (blockTransaction_)
        finishNewBlock(true);
    bulkBlock_ = 0;
    blockmanRefreshed_ = false;
    noteBulkInsertOutcome();

    TField* datum = dataSet->FieldByName(QStringLiteral("Datum"));
    // A unit is a day: the time of day is cut off. An empty date stays empty, so that the save is
    // refused for it rather than dated 30.12.1899.
    if (!datum->IsNull())
        datum->SetAsDateTime(std::trunc(datum->AsDateTime()));
    if (dataSet->State() != dsInsert)
        return;
    createBlockOfNewUnit(dataSet);
    if (bulkDepth_ > 0) {
        // The block manager reads its blocks once when the bulk work ends.
        if (!bulkBlockman_) {
            bulkBlockman_ = true;
            bulkBlockmanRow_ = trainblockman.Active() && !trainblockman.IsEmpty()
                                   ? trainblockman.FieldByName(QStringLiteral("trb_Id"))->Value()
                                   : QVariant();
        }
        trainblock.SetIndexFieldNames(QStringLiteral("TRB_created"));
        bulkInsertPending_ = true;
        return;
    }
    // The block manager sees the new block (inside the unit's transaction); a refused save
    // puts it back as it was.
    blockmanRowBeforePost_ =
        trainblockman.Active() && !trainblockman.IsEmpty() ? trainblockman.FieldByName(QStringLiteral("trb_Id"))->Value() : QVariant();
    blockmanRefreshed_ = true;
    try {
        trainblockman.Close();
        trainblockman.Open();
        trainblock.SetIndexFieldNames(QStringLiteral("TRB_created"));
    } catch (...) {
        datenPostError(dataSet);  // the save does not happen: the new block goes with it
        throw;
    }
}

void TorvServer::createBlockOfNewUnit(TDataSet* dataSet)
{
    TField* datum = dataSet->FieldByName(QStringLiteral("Datum"));
    TField* block = dataSet->FieldByName(QStringLiteral("trainingsblock"));
    if (!block->IsNull() && block->AsInteger() != 0)
        return;

    // A new unit without a block gets a block of its own. The block and the unit are written in
    // one transaction: it is committed after the unit is saved and rolled back when the save is
    // refused, so no block is ever left without its unit. Bulk work that runs in a transaction
    // of its own keeps it: the block joins it, and a refused unit takes its block back.
    const QVariant formKey = dataSet->FieldByName(QStringLiteral("Form"))->Value();
    const QVariant sport = dataSet->FieldByName(QStringLiteral("Sportart"))->Value();
    if (formKey.isNull() || sport.isNull() || datum->IsNull())
        return;  // the save is refused for the missing required field: no block for it

    blockBeforePost_ = block->Value();
    const bool bulk = orvDB.InTransaction();
    if (!bulk) {
        orvDB.BeginTrans();
        blockTransaction_ = true;
    }
    qint64 created = 0;
    try {
        const QVariant formName = form.Lookup(QStringLiteral("for_id"), formKey, QStringLiteral("for_form"));
        const QVariant sportName = sportart.Lookup(QStringLiteral("spo_id"), sport, QStringLiteral("spo_name"));
        if (formName.isNull() || sportName.isNull())
            throw EDatabaseError(tr("Form oder Sportart der Einheit fehlt in der Datenbank."));
        const TDateTime day = std::trunc(datum->AsDateTime());
        const QString name = formName.toString() + QStringLiteral(": ") + sportName.toString() + LoadStr(msg::BlockNameOn) +
                             FormatDateTime(FormatSettings().ShortDateFormat, day);
        // The key is left to the database: it gives the highest key plus one at the moment of
        // the insert, so blocks created elsewhere are counted and no key is given twice.
        orvDB.Execute(QStringLiteral("INSERT INTO trainingsblock (trb_Name, trb_created, trb_sportart, trb_form) "
                                     "VALUES (?, ?, ?, ?)"),
                      {name.left(50), day, sport, formKey});
        created = orvDB.LastInsertRowId();
        if (bulk)
            bulkBlock_ = created;
        block->SetAsInteger(int(created));
        // The unit's block name is looked up in trainblock (in bulk mode once at the end).
        if (bulkDepth_ > 0)
            bulkTrainblock_ = true;
        else if (trainblock.Active())
            trainblock.Requery();
    } catch (const std::exception& e) {
        if (bulk) {
            bulkBlock_ = created;
            dropBulkBlock();
        } else {
            finishNewBlock(false);
        }
        const QString reason = ExceptionMessage(e);
        throw EDatabaseError(tr("Der Trainingsblock der neuen Einheit konnte nicht angelegt werden: %1").arg(reason));
    }
}

void TorvServer::datenPostError(TDataSet*)
{
    bulkInsertPending_ = false;
    if (blockTransaction_)
        finishNewBlock(false);
    else if (bulkBlock_ != 0)
        dropBulkBlock();
    restoreBlockManager();
}

void TorvServer::restoreBlockManager()
{
    if (!blockmanRefreshed_)
        return;
    blockmanRefreshed_ = false;
    reopenBlockManagerAt(blockmanRowBeforePost_);
}

void TorvServer::reopenBlockManagerAt(const QVariant& row)
{
    if (!trainblockman.Active())
        return;
    trainblockman.Close();
    trainblockman.Open();
    if (!row.isNull())
        trainblockman.Locate(QStringLiteral("trb_Id"), row);
}

void TorvServer::dropBulkBlock()
{
    const qint64 id = bulkBlock_;
    bulkBlock_ = 0;
    if (id != 0)
        orvDB.Execute(QStringLiteral("DELETE FROM trainingsblock WHERE trb_Id = ?"), {id});
    if (daten.State() == dsInsert)
        daten.FieldByName(QStringLiteral("trainingsblock"))->SetValue(blockBeforePost_);
    if (trainblock.Active())
        trainblock.Requery();
}

void TorvServer::finishNewBlock(bool commit)
{
    blockTransaction_ = false;
    if (commit) {
        try {
            orvDB.CommitTrans();
            return;
        } catch (...) {
            orvDB.RollbackTrans();
            if (trainblock.Active())
                trainblock.Requery();
            throw;
        }
    }
    orvDB.RollbackTrans();
    // The unit goes back to having no block, so that the next save creates one again.
    if (daten.State() == dsInsert)
        daten.FieldByName(QStringLiteral("trainingsblock"))->SetValue(blockBeforePost_);
    if (trainblock.Active())
        trainblock.Requery();
}

void TorvServer::datenAfterPost(TDataSet* dataSet)
{
    blockmanRefreshed_ = false;
    if (blockTransaction_)
        finishNewBlock(true);
    bulkBlock_ = 0;
    noteBulkInsertOutcome();

    TField* block = dataSet->FieldByName(QStringLiteral("trainingsblock"));
    if (!block->IsNull() && !CheckBlockDate(block->AsInteger()))
        MessageDlg(LoadStr(msg::UnitAfterBlockDate), mtWarning, TMsgDlgButtons{mbOK});
    if (bulkDepth_ > 0) {
        bulkUnitsShown_ = true;  // the block's units and the navigator follow at the end
        return;
    }

    showSavedUnits(dataSet->FieldByName(QStringLiteral("dat_Id"))->AsInteger());
}

void TorvServer::showSavedUnits(int unitId)
{
    NavigatorView* navigator = View<NavigatorView>();
    if (navigator && navigator->XPButton9Down())
        navigator->ChangeNavItem();
    datenblockdetail.Close();
    datenblockdetail.Open();
    if (navigator) {
        if (unitId > 0)
            navigator->UnitChanged(unitId);
        else
            navigator->Button1Click(nullptr);
        navigator->selectCurrentUnit();
    }
}

// ---------------------------------------------------------------------------------------------
// Bulk mode.

void TorvServer::noteBulkInsertOutcome()
{
    // A new unit that passed its before-save rule and met no save error was saved.
    if (bulkInsertPending_)
        bulkInsertSaved_ = true;
    bulkInsertPending_ = false;
}

void TorvServer::endUnitBulkMode()
{
    noteBulkInsertOutcome();
    bulkUnit_.Close();
    // Each refresh is owed once; a failing one does not keep the others from running.
    std::exception_ptr failure;
    auto run = [&failure](const std::function<void()>& refresh) {
        try {
            refresh();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    if (std::exchange(bulkTrainblock_, false))
        run([this] {
            if (!trainblock.Active())
                return;
            trainblock.Requery();
            // The current unit looks its block's name up again (it was saved before the block
            // was read).
            if (daten.Active() && daten.State() == dsBrowse)
                daten.Refresh();
        });
    if (std::exchange(bulkBlockman_, false)) {
        // As a save of one unit leaves it: read again on its first block, or back on the block
        // it showed when no unit was saved.
        const QVariant row = bulkInsertSaved_ ? QVariant() : bulkBlockmanRow_;
        run([this, row] { reopenBlockManagerAt(row); });
    }
    bulkBlockmanRow_ = QVariant();
    bulkInsertSaved_ = false;
    if (std::exchange(bulkUnitsShown_, false))
        run([this] { showSavedUnits(); });
    if (failure)
        std::rethrow_exception(failure);
}

TUnitBulkMode::TUnitBulkMode(TorvServer& server) : server_(server)
{
    ++server_.bulkDepth_;
}

TUnitBulkMode::~TUnitBulkMode()
{
    if (--server_.bulkDepth_ > 0)
        return;
    try {
        server_.endUnitBulkMode();
    } catch (...) {
        // A scope's end cannot throw: the failed refresh is shown as any handler's error is.
        HandleException(std::current_exception());
    }
}

void TorvServer::datenBeforeDelete(TDataSet* dataSet)
{
    deletedUnitBlock_ = dataSet->FieldByName(QStringLiteral("trainingsblock"))->AsInteger();
    deletedUnitId_ = dataSet->FieldByName(QStringLiteral("dat_Id"))->AsInteger();
}

void TorvServer::datenAfterDelete(TDataSet*)
{
    // Only a block that exists is offered for deletion (a unit without a block has none).
    const bool blockExists =
        deletedUnitBlock_ != 0 && !trainblock.Lookup(QStringLiteral("trb_id"), deletedUnitBlock_, QStringLiteral("trb_id")).isNull();
    if (blockExists && IsBlockEmpty(deletedUnitBlock_) &&
        MessageDlg(LoadStr(msg::DeleteEmptyBlock), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) == mrYes) {
        if (trainblock.Locate(QStringLiteral("trb_id"), deletedUnitBlock_))
            trainblock.Delete();
    }

    datenblockdetail.Close();
    datenblockdetail.Open();
    if (NavigatorView* navigator = View<NavigatorView>()) {
        if (deletedUnitId_ > 0)
            navigator->UnitChanged(deletedUnitId_);
        else
            navigator->Button1Click(nullptr);
        navigator->selectCurrentUnit();
        if (navigator->XPButton9Down())
            navigator->ChangeNavItem();
    }
}

void TorvServer::datenAfterOpen(TDataSet*)
{
    if (NavigatorView* navigator = View<NavigatorView>())
        navigator->Button1Click(nullptr);
}

void TorvServer::datenCalcFields(TDataSet* dataSet)
{
    const int metres = dataSet->FieldByName(QStringLiteral("Meter"))->AsInteger();
    const TDateTime duration = dataSet->FieldByName(QStringLiteral("Zeit"))->AsDateTime();
    const QVariant sport = dataSet->FieldByName(QStringLiteral("Sportart"))->Value();
    if (metres != 0 && duration != 0) {
        dataSet->FieldByName(QStringLiteral("minkm"))->SetAsDateTime(calcPace(duration, metres, sport.toInt()));
        dataSet->FieldByName(QStringLiteral("kmh"))->SetAsFloat(calcKmh(duration, metres));
    }

    TField* datum = dataSet->FieldByName(QStringLiteral("Datum"));
    if (!datum->IsNull())
        dataSet->FieldByName(QStringLiteral("Tag"))
            ->SetAsString(FormatDateTime(QStringLiteral("ddd"), datum->AsDateTime(), FormatSettings()) +
                          QStringLiteral("."));

    if (!sport.isNull()) {
        const QVariant speedName = sportUnitValue(*this, sport, "spo_speed", "unt_shortname");
        if (!speedName.isNull())
            dataSet->FieldByName(QStringLiteral("lSpeed"))->SetAsString(QStringLiteral("km/h - ") + speedName.toString());
        const QVariant distanceName = sportUnitValue(*this, sport, "spo_distance", "unt_name");
        if (!distanceName.isNull())
            dataSet->FieldByName(QStringLiteral("lDistance"))->SetAsString(distanceName.toString());
    }
}

void TorvServer::datenMeterGetText(TField* sender, QString& text, bool)
{
    if (sender->IsNull()) {
        text.clear();
        return;
    }
    const double factor = distanceFactor(*this, *sender->DataSet());
    text = FloatToStr(sender->AsInteger() * factor, FormatSettings());
}

void TorvServer::datenMeterSetText(TField* sender, const QString& text)
{
    if (text.isEmpty())
        return;
    const double value = StrToFloat(text, FormatSettings());  // EConvertError for no number
    const double factor = distanceFactor(*this, *sender->DataSet());
    // Handed over as a number, so that the field rounds it to whole metres and refuses a
    // distance beyond its range instead of storing a wrapped-around value.
    sender->SetAsFloat(value / factor);
}

void TorvServer::datenSportartChange(TField* sender)
{
    // The controls of a field hear only of its own changes. A pasted unit or a template gets its
    // distance before its sport (the packet's field order), so the distance box would keep
    // showing metres (15500 for 15,5 km) until entered: the distance is written again, the same
    // metres, so that its controls show it in the new sport's unit.
    TDataSet& ds = *sender->DataSet();
    TField* meter = ds.FieldByName(QStringLiteral("Meter"));
    if ((ds.State() == dsEdit || ds.State() == dsInsert) && !meter->IsNull())
        meter->SetValue(meter->Value());
}

// ---------------------------------------------------------------------------------------------
// dsDaten.

void TorvServer::dsDatenDataChange(TDataSource*, TField*)
{
    EntryWindowView* entry = View<EntryWindowView>();
    if (entry && entry->hasOwnFocus() && entry->Visible() && entry->splitPageShown())
        entry->updateZwSql();

    // While a unit is edited the views keep showing it as it was; they follow at the next change
    // after the save or cancel.
    if (!entry || !entry->Visible() || daten.State() == dsEdit || daten.State() == dsInsert || !daten.Active() ||
        daten.IsEmpty())
        return;

    static const ColourRule rules[] = {
        {"Sportart", "cfg_spoFarbeEingabe", "spo_id", "spo_farbe", "DBLookupComboBox1"},
        {"Belastungsstufe", "cfg_belFarbeEingabe", "bel_id", "bel_farbe", "DBLookupComboBox3"},
        {"Belastungsart", "cfg_beaFarbeEingabe", "bea_id", "bea_farbe", "DBLookupComboBox4"},
        {"Form", "cfg_forFarbeEingabe", "for_id", "for_farbe", "DBLookupComboBox2"},
    };
    TDataSet* const lookups[] = {&sportart, &belStufe, &belArt, &form};
    for (size_t i = 0; i < std::size(rules); ++i) {
        const ColourRule& r = rules[i];
        const QString control = QString::fromLatin1(r.control);
        entry->setControlColor(control, clWindow);
        if (!config.Active() || !config.FieldByName(QString::fromLatin1(r.configSwitch))->AsBoolean())
            continue;
        // The lookup table moves to the unit's row, so that windows bound to it follow the
        // current unit. A lookup table whose row is being edited is only read: moving it would
        // save that half-typed row.
        const QVariant key = daten.FieldByName(QString::fromLatin1(r.unitField))->Value();
        TDataSet& lookup = *lookups[i];
        const QString keyColumn = QString::fromLatin1(r.keyColumn);
        const QString colourColumn = QString::fromLatin1(r.colourColumn);
        QVariant colour;
        if (!key.isNull() && lookup.Active()) {
            if (lookup.State() == dsEdit || lookup.State() == dsInsert)
                colour = lookup.Lookup(keyColumn, key, colourColumn);
            else if (lookup.Locate(keyColumn, key))
                colour = lookup.FieldByName(colourColumn)->Value();
        }
        entry->setControlFontColor(control, clBlack);
        if (!colour.isNull() && colour.toLongLong() != -1) {
            const TColor c = TColor(colour.toLongLong());
            entry->setControlColor(control, c);
            entry->setControlFontColor(control, ContrastTextColor(c));
        }
    }

    if (mainTool() == QLatin1String("Equipment"))
        showUnitEquipment();
    const MainWindowView* main = View<MainWindowView>();
    if (main && main->getNavigator() == QLatin1String("Navigator")) {
        if (NavigatorView* navigator = View<NavigatorView>())
            navigator->selectCurrentUnit();
    }
    if (mainTool() == QLatin1String("QuickStat")) {
        if (QuickStatView* quickStat = View<QuickStatView>()) {
            if (quickStat->XPButton1Down())
                quickStat->XPButton1Click(nullptr);
            if (quickStat->XPButton2Down())
                quickStat->XPButton2Click(nullptr);
        }
    }
    if (EntryWindowView* shown = View<EntryWindowView>())
        shown->fillZwGrid();
}

void TorvServer::dsDatenStateChange(TDataSource*)
{
    if (mainTool() == QLatin1String("Equipment"))
        showUnitEquipment();
}
