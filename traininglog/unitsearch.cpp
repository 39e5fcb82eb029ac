#include "traininglog/unitsearch.h"

#include "platform/db/query.h"

QStringList UnitSearchFields()
{
    return {QStringLiteral("Ort"), QStringLiteral("Datum"), QStringLiteral("Meter")};
}

int SearchUnitsByPrefix(TQuery& navSuchen, const QString& field, const QString& prefix)
{
    navSuchen.Close();
    navSuchen.SQL().clear();
    // The field name becomes part of the statement: only the offered names.
    if (!UnitSearchFields().contains(field))
        return -1;
    navSuchen.SetSQLText(QStringLiteral("Select * From daten Where ") + field +
                         QStringLiteral(" Like :wert Order By datum"));
    navSuchen.ParamByName(QStringLiteral("wert"))->SetAsString(prefix + QLatin1Char('%'));
    navSuchen.Open();
    return navSuchen.RecordCount();
}
