#pragma once
// The equipment of a training unit without widgets: the items listed for the current unit with
// their links (rows of eqdaten: EqIndex = equ_Id, EinheiIndex = dat_Id), the writing of changed
// links, and the usage of one item (units, kilometres covered and left).
#include <QList>
#include <QString>

class TDataSet;

// One line of an equipment check list: the item's key and name, and whether it is linked to the
// unit. Each line keeps its own key, so two items of the same name stay apart.
struct TEquipmentLine {
    qint64 Id = 0;
    QString Name;
    bool Linked = false;
};

// The filter of the items in current use, and of those of one category among them. The category
// is quoted for the filter syntax and compared for equality; the NULL category is asked with
// "IS NULL".
QString CurrentEquipmentFilter();
QString CurrentEquipmentFilter(const QString& category, bool nullCategory);

// The key of the current unit of daten, or 0 when there is no stored current unit (no row, or
// a unit being inserted).
qint64 CurrentUnitId(const TDataSet& daten);

// The rows of equipment that pass the filter, in the table's order, each ticked when eqdaten
// links it to the unit. Sets the filter on equipment and switches filtering on; the dataset's
// data sources hear of it once, at the end.
QList<TEquipmentLine> ListEquipment(TDataSet& equipment, TDataSet& eqdaten, qint64 unitId, const QString& filter);

// Writes the links of the lines for the unit through eqdaten: a ticked line without a link gets
// one, an unticked line loses every link it has; items that are not listed keep theirs. Lines
// without a key and a unit id of 0 write nothing. A database error goes on to the caller; rows
// already written stay.
void SaveEquipmentLinks(TDataSet& eqdaten, qint64 unitId, const QList<TEquipmentLine>& lines);

// The statement of the usage list: the units linked to an item.
QString EquipmentUsageSql(qint64 equipmentId);

// The usage of an item: units, metres, and the kilometres expected, used (whole kilometres, the
// rest cut off) and left (negative when the item is overused).
struct TEquipmentUsage {
    int Units = 0;
    qint64 Meters = 0;
    qint64 ExpectedKm = 0;
    qint64 UsedKm() const { return Meters / 1000; }
    qint64 RemainingKm() const { return ExpectedKm - UsedKm(); }
};

// A wear or progress bar's range and position as a bar can show them: the position clamped to
// [0, maximum], and a maximum of 0 (or less) as an empty bar of maximum 1.
struct TBarRange {
    int Maximum = 1;
    int Position = 0;
};
TBarRange ClampedBar(qint64 maximum, qint64 position);
