#pragma once
// The explorer's filter, without any widget: the WHERE condition for a node of its tree (a
// category and, for a child, the row it stands for) and the restriction to the last N days.
#include <QString>
#include <QVariant>

#include <optional>

#include "platform/rtl/sysutils.h"

// The tree's top-level nodes, in their order.
enum TExplorerCategory { ecAll, ecSport, ecForm, ecLoadLevel, ecLoadType, ecPlace, ecEquipment, ecCategoryCount };

struct TExplorerCondition {
    QString Where;               // the text after "Where "
    bool WithEquipment = false;  // the units' equipment links join the query
};

// " and ((daten.datum) > (#MM/dd/yyyy#))" for today minus `days`, whatever the user's locale;
// empty when the restriction is off.
QString ExplorerDateClause(bool limited, int days, TDateTime today);

// The condition for a node: a category header (isChild false) or one of its children, whose
// value is the row's id (sports, forms, load levels and types, equipment) or the place (null for
// units without a place). Nothing for a header other than "Alle". The date clause is appended.
std::optional<TExplorerCondition> ExplorerCondition(TExplorerCategory category, bool isChild, const QVariant& value,
                                                    const QString& dateClause);
