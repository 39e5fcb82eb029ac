#pragma once
// The march table's rows as split times of the current training unit.
#include <QList>

#include "analysis/marchtable.h"

// Inserts one split row per table row (the mark into "Meter" as whole metres, the running time
// into "Zwischenzeit") into the data module's split dataset of the
// current unit. Every row is checked before the first is written: a mark that is no whole number
// or a running time that is no time raises the conversion error and nothing is written. No
// current unit (none, or one not saved yet): the message, nothing written. The rows go in as one
// transaction: all of them or, when the database refuses one, none.
void InsertMarchSplits(const QList<TMarchRow>& rows);
