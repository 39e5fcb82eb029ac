// The rules of the split rows (zeit, dsZeit), of the block manager's training blocks
// (trainblockman, dstrainblockman) and of the training plans (Plan, plan_daten).
#include <QCoreApplication>

#include <cmath>
#include <map>
#include <vector>

#include "core/language.h"
#include "core/orvdatabase.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "core/blockmanagerview.h"
#include "core/entrywindowview.h"
#include "core/planmanagerview.h"
#include "core/spliteditview.h"
#include "core/views.h"
#include "platform/db/query.h"
#include "platform/vcl/dialogs.h"

namespace {

constexpr double kMsPerDay = 86400000.0;

int64_t msOf(TDateTime t)
{
    return Round(t * kMsPerDay);
}

// Milliseconds of the time of day of a duration (durations are below one day).
int64_t timeOfDayMs(TDateTime t)
{
    return msOf(TimeOf(t));
}

int intOf(const TField* f)
{
    return f->IsNull() ? 0 : f->AsInteger();
}

}  // namespace

// The derived values of every split row, computed in one pass over the rows in the split
// query's order. Each row's values depend on the row before it, so computing a row on its own
// (as a grid draws or a locate fetches it) would take whatever row was computed last as its
// predecessor; the rows are found here by their bookmarks instead (two rows alike in every
// column are still two rows, each with its own predecessor).
struct TorvSplitChain {
    struct Values {
        TDateTime minkm = 0;
        TDateTime split = 0;
        QVariant kmh;
        int hdiffpkt = 0;
        double steigung = 0;
        int splitmeter = 0;
    };
    bool valid = false;
    std::vector<Values> rows;
    std::map<std::vector<int64_t>, int> positions;  // bookmark -> row
};

namespace {

TorvSplitChain::Values zeroSplit()
{
    TorvSplitChain::Values v;
    v.kmh = 0.0;
    return v;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Split rows.

void TorvServer::zeitBeforeInsert(TDataSet*)
{
    zeitCalculation_ = false;
}

void TorvServer::zeitBeforeEdit(TDataSet*)
{
    zeitCalculation_ = false;
}

void TorvServer::zeitBeforeCancel(TDataSet*)
{
    zeitCalculation_ = true;
}

void TorvServer::zeitNewRecord(TDataSet* dataSet)
{
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField* f = dataSet->Field(i);
        if (!f->DefaultExpression().isEmpty())
            f->SetAsString(f->DefaultExpression());
    }
}

void TorvServer::zeitBeforePost(TDataSet* dataSet)
{
    dataSet->FieldByName(QStringLiteral("zei_Id"))->SetValue(daten.FieldByName(QStringLiteral("dat_Id"))->Value());
}

void TorvServer::zeitAfterPost(TDataSet*)
{
    if (EntryWindowView* entry = View<EntryWindowView>())
        entry->updateZwSql();
    zeitCalculation_ = true;
    if (splitChain_)
        splitChain_->valid = false;
    zeit.First();
    if (EntryWindowView* entry = View<EntryWindowView>())
        entry->fillZwGrid();
}

void TorvServer::zeitAfterDelete(TDataSet*)
{
    if (splitChain_)
        splitChain_->valid = false;
    zeit.First();
    if (EntryWindowView* entry = View<EntryWindowView>())
        entry->updateZwSql();
    QCoreApplication::processEvents();
    zeit.First();
    if (EntryWindowView* entry = View<EntryWindowView>())
        entry->updateZwSql();
    if (EntryWindowView* entry = View<EntryWindowView>())
        entry->fillZwGrid();
    if (EntryWindowView* entry = View<EntryWindowView>())
        entry->repaintZwGrid();
}

void TorvServer::zeitCalcFields(TDataSet* dataSet)
{
    if (!zeitCalculation_)
        return;
    TDataSet& ds = *dataSet;
    TField* meter = ds.FieldByName(QStringLiteral("Meter"));
    TField* calc = ds.FieldByName(QStringLiteral("unt_calc"));
    ds.FieldByName(QStringLiteral("zei_distance"))->SetAsFloat(intOf(meter) * (calc->IsNull() ? 0.0 : calc->AsFloat()));

    if (!splitChain_)
        splitChain_ = std::make_shared<TorvSplitChain>();
    TorvSplitChain& chain = *splitChain_;
    const TBookmark key = ds.GetBookmark();
    if (key.IsNull())
        return;  // a row that is not among the query's rows (not posted yet)
    auto found = chain.positions.find(key.key);
    // A filtered query shows fewer rows than the chain holds: the chain stays that of all rows.
    const bool countChanged = !ds.Filtered() && int(chain.rows.size()) != ds.RecordCount();
    if (!chain.valid || countChanged || found == chain.positions.end()) {
        // One pass over a copy of the rows, in the query's order; the query does not move.
        chain.rows.clear();
        chain.positions.clear();
        TDataSet rows;
        rows.Clone(ds);
        TField* m = rows.FieldByName(QStringLiteral("Meter"));
        TField* z = rows.FieldByName(QStringLiteral("Zwischenzeit"));
        TField* h = rows.FieldByName(QStringLiteral("HDiff"));
        int64_t prevMs = 0;
        int prevMeter = 0;
        int prevHeight = 0;
        for (rows.First(); !rows.Eof(); rows.Next()) {
            const int64_t ms = z->IsNull() ? 0 : msOf(z->AsFloat());
            const int meters = intOf(m);
            const int height = intOf(h);
            TorvSplitChain::Values v = zeroSplit();
            if (chain.rows.empty()) {
                if (meters != 0 && timeOfDayMs(ms / kMsPerDay) != 0) {
                    const TDateTime t = ms / kMsPerDay;
                    v.minkm = calcPaceFactor(t, meters, 1.0);
                    v.kmh = calcKmh(t, meters);
                    v.split = t;
                    v.steigung = Percent(0, meters);
                    v.splitmeter = meters;
                }
            } else {
                const int dm = meters - prevMeter;
                if (dm != 0) {
                    const int64_t dtMs = ms - prevMs;
                    const TDateTime dt = dtMs / kMsPerDay;
                    v.minkm = calcPaceFactor(dt, dm, 1.0);
                    v.split = dt;
                    v.hdiffpkt = height - prevHeight;
                    v.steigung = Percent(v.hdiffpkt, dm);
                    v.splitmeter = dm;
                    v.kmh = dtMs != 0 ? QVariant(calcKmh(dt, dm)) : QVariant();
                }
            }
            chain.positions[rows.GetBookmark().key] = int(chain.rows.size());
            chain.rows.push_back(v);
            prevMs = ms;
            prevMeter = meters;
            prevHeight = height;
        }
        chain.valid = true;
        found = chain.positions.find(key.key);
        if (found == chain.positions.end())
            return;
    }
    const TorvSplitChain::Values& v = chain.rows[size_t(found->second)];
    ds.FieldByName(QStringLiteral("minkm"))->SetAsDateTime(v.minkm);
    ds.FieldByName(QStringLiteral("kmh"))->SetValue(v.kmh);
    ds.FieldByName(QStringLiteral("Split"))->SetAsDateTime(v.split);
    ds.FieldByName(QStringLiteral("zei_hdiffpkt"))->SetAsInteger(v.hdiffpkt);
    ds.FieldByName(QStringLiteral("zei_steigung"))->SetAsFloat(v.steigung);
    ds.FieldByName(QStringLiteral("zei_splitmeter"))->SetAsInteger(v.splitmeter);
}

namespace {

// Factor of the unit the split dialog names its distance in: the caption of its label (Label2,
// "Meter") is the name of a row of the units table. The distance is stored and typed in metres,
// also for a kilometre sport: a split of 1000 m shows and is typed as "1000". 1 when no unit has
// that name (the English caption "Metres") or its factor is unusable.
double splitDistanceFactor(TorvServer& server)
{
    const SplitEditView* dialog = View<SplitEditView>();
    const QString name = dialog ? dialog->distanceCaption() : QStringLiteral("Meter");
    if (!server.distancespeed.Active())
        return 1.0;
    const QVariant factor = server.distancespeed.Lookup(QStringLiteral("unt_name"), name, QStringLiteral("unt_calc"));
    if (factor.isNull() || !factor.isValid())
        return 1.0;
    const double f = factor.toDouble();
    return std::isfinite(f) && f > 0 ? f : 1.0;
}

}  // namespace

void TorvServer::zeitMeterGetText(TField* sender, QString& text, bool)
{
    if (sender->IsNull()) {
        text.clear();
        return;
    }
    text = FloatToStr(sender->AsInteger() * splitDistanceFactor(*this));
}

void TorvServer::zeitMeterSetText(TField* sender, const QString& text)
{
    if (text.isEmpty())
        return;
    const double value = StrToFloat(text);
    // Rounded to whole metres by the field, which also refuses a distance beyond its range.
    sender->SetAsFloat(value / splitDistanceFactor(*this));
}

void TorvServer::dsZeitStateChange(TDataSource*)
{
    // Rows are read anew or change: the derived values are computed again at the next use.
    if (splitChain_)
        splitChain_->valid = false;
    if (SplitEditView* dialog = View<SplitEditView>())
        dialog->setPostEnabled(zeit.State() == dsEdit || zeit.State() == dsInsert);
}

void TorvServer::dsZeitDataChange(TDataSource*, TField*)
{
    SplitEditView* dialog = View<SplitEditView>();
    if (dialog && dialog->Visible())
        dialog->clearTime();
}

// ---------------------------------------------------------------------------------------------
// Training blocks of the block manager.

namespace {

// A duration total with all its hours ("26:30:00"): a block's total may pass a day.
QString totalTimeText(int64_t ms)
{
    const int64_t seconds = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

void TorvServer::trainblockmanNewRecord(TDataSet* dataSet)
{
    dataSet->FieldByName(QStringLiteral("trb_created"))->SetAsDateTime(Date());
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField* f = dataSet->Field(i);
        if (!f->DefaultExpression().isEmpty())
            f->SetAsString(f->DefaultExpression());
    }
}

void TorvServer::trainblockmanBeforePost(TDataSet* dataSet)
{
    if (dataSet->State() != dsInsert)
        return;
    // The highest id in the file at this moment: the block datasets read snapshots, and the
    // unit rules add blocks of their own.
    TQuery q;
    q.SetConnection(&orvDB);
    q.SetSQLText(QStringLiteral("Select max(trb_Id) as maxId from trainingsblock"));
    q.Open();
    const int highest = q.Field(0)->IsNull() ? 0 : q.Field(0)->AsInteger();
    q.Close();
    dataSet->FieldByName(QStringLiteral("trb_Id"))->SetAsInteger(highest + 1);
}

void TorvServer::trainblockmanAfterPost(TDataSet* dataSet)
{
    if (!CheckBlockDate(dataSet->FieldByName(QStringLiteral("trb_Id"))->AsInteger())) {
        MessageDlg(LoadStr(msg::BlockDateCheck), mtWarning, TMsgDlgButtons{mbOK});
        throw EAbort();
    }
}

void TorvServer::dstrainblockmanDataChange(TDataSource*, TField*)
{
    BlockManagerView* blockman = View<BlockManagerView>();
    if (!blockman)
        return;
    blockman->UpdateListView();
    int64_t meters = 0;
    int64_t ms = 0;
    TDataSet& units = trainblockman_detail;
    if (units.Active()) {
        units.DisableControls();
        try {
            TField* m = units.FieldByName(QStringLiteral("Meter"));
            TField* z = units.FieldByName(QStringLiteral("Zeit"));
            for (units.First(); !units.Eof(); units.Next()) {
                meters += intOf(m);
                if (!z->IsNull())
                    ms += msOf(z->AsFloat());
            }
        } catch (...) {
            units.EnableControls();
            throw;
        }
        units.EnableControls();
    }
    blockman->setTotals(QString::number(meters), totalTimeText(ms));
}

// ---------------------------------------------------------------------------------------------
// Training plans.

void TorvServer::dsPlanDataChange(TDataSource*, TField*)
{
    if (!plan_daten.Active())
        return;
    if (Plan.State() == dsEdit || Plan.State() == dsInsert) {
        // A plan being edited shows no units.
        plan_daten.SetFilter(QStringLiteral("pld_PlanId = -1"));
        plan_daten.SetFiltered(true);
        return;
    }
    if (Plan.IsEmpty()) {
        if (PlanManagerView* manager = View<PlanManagerView>()) {
            manager->setEdit1(QStringLiteral("0"));
            manager->setEdit2(QStringLiteral("00:00:00"));
        }
        return;
    }
    plan_daten.SetFilter(QStringLiteral("pld_PlanId = ") + QString::number(Plan.FieldByName(QStringLiteral("pla_ID"))->AsInteger()));
    plan_daten.SetFiltered(true);
    int64_t meters = 0;
    int64_t ms = 0;
    TField* m = plan_daten.FieldByName(QStringLiteral("Meter"));
    TField* z = plan_daten.FieldByName(QStringLiteral("Zeit"));
    for (plan_daten.First(); !plan_daten.Eof(); plan_daten.Next()) {
        meters += intOf(m);
        if (!z->IsNull())
            ms += timeOfDayMs(z->AsFloat());
    }
    PlanManagerView* manager = View<PlanManagerView>();
    if (!manager)
        return;
    // The distance in the unit of the weekly and monthly statistics.
    const QVariant unitId = config.Active() ? config.FieldByName(QStringLiteral("cfg_wochenmonatUnt"))->Value() : QVariant();
    double factor = 1.0;
    QString unitName;
    if (distancespeed.Active() && unitId.isValid() && !unitId.isNull()) {
        const QVariant calc = distancespeed.Lookup(QStringLiteral("unt_id"), unitId, QStringLiteral("unt_calc"));
        if (calc.isValid() && !calc.isNull())
            factor = calc.toDouble();
        unitName = distancespeed.Lookup(QStringLiteral("unt_id"), unitId, QStringLiteral("unt_Name")).toString();
    }
    manager->setEdit1(FloatToStr(meters * factor));
    manager->setLabel4(unitName + QLatin1Char(':'));
    manager->setEdit2(MsToTimeStr(ms));
    manager->setTotalMeters(meters);
    manager->checkPopupMenu6First();
}

void TorvServer::dsPlanStateChange(TDataSource*)
{
    if (PlanManagerView* manager = View<PlanManagerView>())
        manager->setPostButtonsEnabled(Plan.State() == dsEdit || Plan.State() == dsInsert);
}

void TorvServer::dsPlan_datenStateChange(TDataSource*)
{
    if (PlanManagerView* manager = View<PlanManagerView>())
        manager->setUnitButtonsEnabled(plan_daten.State() == dsEdit || plan_daten.State() == dsInsert);
}

void TorvServer::plan_datenBeforePost(TDataSet* dataSet)
{
    TField* realised = dataSet->FieldByName(QStringLiteral("pld_realisiert"));
    if (realised->IsNull() || !realised->AsBoolean())
        return;
    const QVariant formId = dataSet->FieldByName(QStringLiteral("Form"))->Value();
    if (!formId.isValid() || formId.isNull())
        return;
    const QVariant planning = form.Lookup(QStringLiteral("for_id"), formId, QStringLiteral("for_planung"));
    if (!planning.isValid() || planning.isNull() || !planning.toBool())
        return;
    const QString name = dataSet->FieldByName(QStringLiteral("formName"))->AsString();
    if (MessageDlg(Format(LoadStr(msg::SetFormToTraining), {name}), mtConfirmation, mbYesNo) == mrYes)
        dataSet->FieldByName(QStringLiteral("Form"))->SetAsInteger(1);  // the training form
}

void TorvServer::plan_datenCalcFields(TDataSet* dataSet)
{
    TDataSet& ds = *dataSet;
    TField* meter = ds.FieldByName(QStringLiteral("Meter"));
    TField* zeitField = ds.FieldByName(QStringLiteral("Zeit"));
    if (intOf(meter) != 0 && !zeitField->IsNull() && zeitField->AsFloat() != 0) {
        const TDateTime t = zeitField->AsFloat();
        ds.FieldByName(QStringLiteral("minkm"))->SetAsDateTime(calcPace(t, meter->AsInteger(), intOf(ds.FieldByName(QStringLiteral("Sportart")))));
        ds.FieldByName(QStringLiteral("kmh"))->SetAsFloat(calcKmh(t, meter->AsInteger()));
    }
    TField* datum = ds.FieldByName(QStringLiteral("Datum"));
    if (datum->IsNull())
        return;
    const TDateTime day = datum->AsDateTime();
    // The ISO week with the year it belongs to: 01.01.2027 lies in week 53 of 2026, "53.26",
    // and the plan print groups the whole week under one header.
    int weekYear = 0;
    const int week = WeekOfTheYear(day, weekYear);
    ds.FieldByName(QStringLiteral("Woche"))
        ->SetAsString(QString::number(week) + QLatin1Char('.') +
                      QStringLiteral("%1").arg(((weekYear % 100) + 100) % 100, 2, 10, QLatin1Char('0')));
    // Fixed German abbreviations, whatever the user's locale: the plan print is laid out for them.
    static const char* const kDays[] = {"So.", "Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa."};
    ds.FieldByName(QStringLiteral("Tag"))->SetAsString(QString::fromLatin1(kDays[DayOfWeek(day) - 1]));
}
