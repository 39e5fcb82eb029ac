#include "core/explorerfilter.h"

#include <cmath>

QString ExplorerDateClause(bool limited, int days, TDateTime today)
{
    if (!limited)
        return QString();
    // Month/day/year with "/", the form the SQL translator reads as a date literal.
    return QStringLiteral(" and ((daten.datum) > (#") +
           FormatDateTime(QStringLiteral("MM/dd/yyyy"), std::floor(today) - days, USFormatSettings()) +
           QStringLiteral("#))");
}

std::optional<TExplorerCondition> ExplorerCondition(TExplorerCategory category, bool isChild, const QVariant& value,
                                                    const QString& dateClause)
{
    TExplorerCondition c;
    if (!isChild) {
        if (category != ecAll)
            return std::nullopt;
        c.Where = QStringLiteral("1=1");
    } else {
        const QString id = QString::number(value.toLongLong());
        switch (category) {
        case ecSport: c.Where = QStringLiteral("Sportart = ") + id; break;
        case ecForm: c.Where = QStringLiteral("(Form = ") + id + QStringLiteral(") "); break;
        case ecLoadLevel: c.Where = QStringLiteral("(Belastungsstufe = ") + id + QStringLiteral(") "); break;
        case ecLoadType: c.Where = QStringLiteral("(Belastungsart = ") + id + QStringLiteral(") "); break;
        case ecPlace:
            if (value.isNull()) {
                c.Where = QStringLiteral("Ort is null");
            } else {
                // A double quote inside the place is doubled, so that it stays part of the text.
                QString place = value.toString();
                place.replace(QLatin1Char('"'), QStringLiteral("\"\""));
                c.Where = QStringLiteral("Ort = \"") + place + QLatin1Char('"');
            }
            break;
        case ecEquipment:
            c.Where = QStringLiteral("(eqIndex = ") + id + QStringLiteral(") ");
            c.WithEquipment = true;
            break;
        default: return std::nullopt;
        }
    }
    c.Where += dateClause;
    return c;
}
