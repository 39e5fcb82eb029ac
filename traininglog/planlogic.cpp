#include "traininglog/planlogic.h"

#include "core/orvdbserver.h"
#include "platform/db/dataset.h"
#include "platform/db/fields.h"

namespace {

bool editing(const TDataSet& ds)
{
    return ds.State() == dsEdit || ds.State() == dsInsert;
}

int currentPlanId(TorvServer& s)
{
    return s.Plan.FieldByName(QStringLiteral("pla_ID"))->AsInteger();
}

void openLinks(TorvServer& s)
{
    if (!s.pDaten.Active())
        s.pDaten.Open();
}

// Writes one link row of the current plan through pDaten.
void insertLink(TorvServer& s, int planId, const QString& unitId)
{
    s.pDaten.Insert();
    s.pDaten.FieldByName(QStringLiteral("pld_PlanID"))->SetAsInteger(planId);
    s.pDaten.FieldByName(QStringLiteral("pld_DatenID"))->SetAsString(unitId);
    s.pDaten.Post();
}

void execute(TorvServer& s, const QString& statement)
{
    s.delete_.Close();
    s.delete_.SetSQLText(statement);
    s.delete_.ExecSQL();
}

}  // namespace

bool PostCurrentPlan(TorvServer& s)
{
    if (!s.Plan.Active())
        return false;
    if (editing(s.Plan))
        s.Plan.Post();
    return !s.Plan.IsEmpty();
}

void ReloadPlanUnits(TorvServer& s)
{
    s.plan_daten.Close();
    s.plan_daten.Open();
    s.dsPlanDataChange(nullptr, nullptr);
}

int AddUnitsToPlan(TorvServer& s, const QStringList& ids)
{
    if (ids.isEmpty())
        return 0;
    const int planId = currentPlanId(s);
    openLinks(s);
    s.orvDB.BeginTrans();
    try {
        for (const QString& id : ids)
            insertLink(s, planId, id);
        s.orvDB.CommitTrans();
    } catch (...) {
        if (editing(s.pDaten))
            s.pDaten.Cancel();
        s.orvDB.RollbackTrans();
        s.pDaten.Close();
        throw;
    }
    return int(ids.size());
}

void PostNewPlanUnit(TorvServer& s)
{
    const int planId = currentPlanId(s);
    openLinks(s);
    s.orvDB.BeginTrans();
    bool unitSaved = false;
    try {
        s.daten.Post();
        unitSaved = true;
        insertLink(s, planId, s.daten.FieldByName(QStringLiteral("dat_Id"))->AsString());
        s.orvDB.CommitTrans();
    } catch (...) {
        if (editing(s.pDaten))
            s.pDaten.Cancel();
        s.orvDB.RollbackTrans();
        s.pDaten.Close();
        if (unitSaved) {
            // The saved unit and the block made for it went with the rollback: the datasets
            // that showed them read the database again.
            s.daten.Requery();
            if (s.trainblock.Active())
                s.trainblock.Requery();
        }
        throw;
    }
}

void RemovePlanUnit(TorvServer& s, TPlanUnitRemoval how)
{
    TDataSet& units = s.plan_daten;
    if (!units.Active() || units.IsEmpty() || editing(s.Plan))
        return;
    if (how == TPlanUnitRemoval::FromThisPlan) {
        execute(s, QStringLiteral("Delete From plan_daten where pld_Id = ") +
                       QString::number(units.FieldByName(QStringLiteral("pld_ID"))->AsInteger()));
        units.Close();
        units.Open();
        return;
    }

    const int unitId = units.FieldByName(QStringLiteral("pld_DatenID"))->AsInteger();
    TDataSet& daten = s.daten;
    daten.CheckBrowseMode();
    const QVariant before = daten.IsEmpty() ? QVariant() : daten.FieldByName(QStringLiteral("dat_Id"))->Value();
    s.orvDB.BeginTrans();
    try {
        execute(s, QStringLiteral("Delete From plan_daten where pld_datenId = ") + QString::number(unitId));
        if (daten.Locate(QStringLiteral("dat_Id"), unitId))
            daten.Delete();
        else
            execute(s, QStringLiteral("Delete From daten where dat_id = ") + QString::number(unitId));
        s.orvDB.CommitTrans();
    } catch (...) {
        s.orvDB.RollbackTrans();
        daten.Requery();
        if (before.isValid())
            daten.Locate(QStringLiteral("dat_Id"), before);
        units.Close();
        units.Open();
        throw;
    }
    if (before.isValid() && before.toInt() != unitId)
        daten.Locate(QStringLiteral("dat_Id"), before);
    units.Close();
    units.Open();
}

QStringList DistanceUnitNames(TDataSet& distancespeed)
{
    QStringList names;
    if (!distancespeed.Active())
        return names;
    const TBookmark keep = distancespeed.GetBookmark();
    for (distancespeed.First(); !distancespeed.Eof(); distancespeed.Next())
        if (distancespeed.FieldByName(QStringLiteral("unt_type"))->AsInteger() == 1)
            names << distancespeed.FieldByName(QStringLiteral("unt_name"))->AsString();
    if (distancespeed.BookmarkValid(keep))
        distancespeed.GotoBookmark(keep);
    return names;
}

bool DistanceUnitFactor(TDataSet& distancespeed, const QString& unitName, double& factor)
{
    if (!distancespeed.Active() || unitName.isEmpty())
        return false;
    const QVariant calc = distancespeed.Lookup(QStringLiteral("unt_Name"), unitName, QStringLiteral("unt_calc"));
    if (!calc.isValid() || calc.isNull())
        return false;
    factor = calc.toDouble();
    return true;
}
