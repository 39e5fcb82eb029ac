#include "analysis/thresholdpace.h"

#include "analysis/calcduration.h"
#include "platform/db/fields.h"
#include "platform/db/table.h"

const std::array<const char*, 6>& ThresholdSplitNames()
{
    static const std::array<const char*, 6> names = {"200m", "400m", "600m", "800m", "1000m", "1500m"};
    return names;
}

std::vector<TThresholdRow> ReadThresholdTable(TConnection& db)
{
    static const char* const kSplitFields[6] = {"sch_200", "sch_400", "sch_600", "sch_800", "sch_1000", "sch_1500"};
    TTable table;
    table.SetConnection(&db);
    table.SetTableName(QStringLiteral("Schwellentempo"));
    table.SetIndexFieldNames(QStringLiteral("sch_zeit"));
    table.Open();
    std::vector<TThresholdRow> rows;
    for (table.First(); !table.Eof(); table.Next()) {
        TThresholdRow r;
        r.Zeit = DurationToMs(table.FieldByName(QStringLiteral("sch_zeit"))->AsFloat());
        for (int i = 0; i < 6; ++i)
            r.Splits[size_t(i)] = DurationToMs(table.FieldByName(QLatin1String(kSplitFields[i]))->AsFloat());
        rows.push_back(r);
    }
    table.Close();
    return rows;
}

int ThresholdRowIndex(const std::vector<TThresholdRow>& rows, int64_t enteredMs)
{
    if (rows.empty())
        return -1;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].Zeit == enteredMs)
            return int(i);
    size_t i = 0;
    while (i < rows.size() && enteredMs - 29000 >= rows[i].Zeit)
        ++i;
    return i < rows.size() ? int(i) : int(rows.size()) - 1;
}
