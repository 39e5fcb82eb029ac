#pragma once
// What the training plan manager does to the database without its window: saving the plan
// before units are linked to it, linking existing or newly entered units, removing a plan unit
// from the plan or deleting the unit altogether, re-reading the plan's units, and the plan's
// total distance in a distance unit.
#include <QString>
#include <QStringList>

class TDataSet;
class TorvServer;

// Saves a plan being edited or inserted. False when there is no plan to link units to.
bool PostCurrentPlan(TorvServer& s);

// Closes and reopens plan_daten (it keeps the current plan's filter) and fills the manager's
// totals again.
void ReloadPlanUnits(TorvServer& s);

// Links the units with the given ids (decimal texts, in list order; an id may come twice) to
// the current plan, all in one transaction: either every link is written or none. Returns the
// number of links written.
int AddUnitsToPlan(TorvServer& s, const QStringList& ids);

// Saves the unit being inserted in daten and links it to the current plan in one transaction.
// When either fails, neither remains: the transaction is rolled back, daten is re-read and the
// error goes on to the caller (the new unit stays in daten's insert state only when its own
// save was refused).
void PostNewPlanUnit(TorvServer& s);

// How a plan unit is removed: only its link to this plan, or every link of the unit in all
// plans and the unit itself.
enum class TPlanUnitRemoval { FromThisPlan, DeleteUnit };

// Removes the current row of plan_daten. Nothing happens without one. Deleting the unit goes
// through daten so that its delete rules run (the emptied block is offered for deletion, the
// navigator is refreshed); daten then stands on the unit that was current before, or where
// the deletion left it when that was the deleted unit. The links go with the unit in one
// transaction. plan_daten is re-read in any case.
void RemovePlanUnit(TorvServer& s, TPlanUnitRemoval how);

// The names of the distance units (unt_type 1) in table order.
QStringList DistanceUnitNames(TDataSet& distancespeed);
// The factor of the distance unit of that name (unt_calc); false when there is none.
bool DistanceUnitFactor(TDataSet& distancespeed, const QString& unitName, double& factor);
