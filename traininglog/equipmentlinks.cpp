#include "traininglog/equipmentlinks.h"

#include <QScopeGuard>

#include <algorithm>
#include <limits>

#include "platform/db/dataset.h"

namespace {

const QString kLinkFields = QStringLiteral("EqIndex;EinheiIndex");

QVariant linkKey(qint64 equipmentId, qint64 unitId)
{
    return QVariantList{equipmentId, unitId};
}

bool linked(TDataSet& eqdaten, qint64 equipmentId, qint64 unitId)
{
    return !eqdaten.Lookup(kLinkFields, linkKey(equipmentId, unitId), QStringLiteral("EqIndex")).isNull();
}

}  // namespace

QString CurrentEquipmentFilter()
{
    return QStringLiteral("equ_aktuell = true");
}

QString CurrentEquipmentFilter(const QString& category, bool nullCategory)
{
    QString filter = QStringLiteral("(equ_aktuell = true)");
    if (nullCategory)
        return filter + QStringLiteral("and (equ_kategorie IS NULL)");
    QString quoted = category;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return filter + QStringLiteral("and (equ_kategorie = '") + quoted + QStringLiteral("')");
}

qint64 CurrentUnitId(const TDataSet& daten)
{
    if (!daten.Active() || daten.State() == dsInsert || daten.IsEmpty())
        return 0;
    return daten.FieldByName(QStringLiteral("dat_Id"))->AsLargeInt();
}

QList<TEquipmentLine> ListEquipment(TDataSet& equipment, TDataSet& eqdaten, qint64 unitId, const QString& filter)
{
    QList<TEquipmentLine> lines;
    // The controls work again on every path, also after a failing filter.
    equipment.DisableControls();
    const auto enable = qScopeGuard([&equipment] { equipment.EnableControls(); });
    equipment.SetFilter(filter);
    equipment.SetFiltered(true);
    for (equipment.First(); !equipment.Eof(); equipment.Next()) {
        TEquipmentLine line;
        line.Id = equipment.FieldByName(QStringLiteral("equ_Id"))->AsLargeInt();
        line.Name = equipment.FieldByName(QStringLiteral("Bezeichnung"))->AsString();
        line.Linked = unitId > 0 && linked(eqdaten, line.Id, unitId);
        lines << line;
    }
    return lines;
}

void SaveEquipmentLinks(TDataSet& eqdaten, qint64 unitId, const QList<TEquipmentLine>& lines)
{
    if (unitId <= 0)
        return;
    for (const TEquipmentLine& line : lines) {
        if (line.Id <= 0)
            continue;
        if (line.Linked) {
            if (linked(eqdaten, line.Id, unitId))
                continue;
            eqdaten.Append();
            eqdaten.FieldByName(QStringLiteral("EqIndex"))->SetAsLargeInt(line.Id);
            eqdaten.FieldByName(QStringLiteral("EinheiIndex"))->SetAsLargeInt(unitId);
            eqdaten.Post();
        } else {
            // A link stored twice (older files) goes as a whole, so the item is really unticked.
            while (eqdaten.Locate(kLinkFields, linkKey(line.Id, unitId)))
                eqdaten.Delete();
        }
    }
}

QString EquipmentUsageSql(qint64 equipmentId)
{
    return QStringLiteral("Select * from daten where dat_id in (Select EinheiIndex from eqdaten where eqIndex = ") +
           QString::number(equipmentId) + QStringLiteral(")   ");
}

TBarRange ClampedBar(qint64 maximum, qint64 position)
{
    if (maximum <= 0)
        return TBarRange{1, 0};
    const qint64 max = std::min<qint64>(maximum, std::numeric_limits<int>::max());
    return TBarRange{int(max), int(std::clamp<qint64>(position, 0, max))};
}
