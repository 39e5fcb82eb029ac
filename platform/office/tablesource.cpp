#include "platform/office/tablesource.h"

OfficeResult<TableRecords> TableSource::Records(const QString& table, const QVector<int>& fields) const
{
    OfficeResult<TableRows> rows = Rows(table);
    if (!rows.Ok())
        return rows.Error();
    TableRecords records;
    for (qsizetype r = 0; r < rows.Value().size(); ++r) {
        const QVector<TableValue>& row = rows.Value()[r];
        TableRecord record{int(r) + 1, QVector<TableValue>(fields.size())};
        bool blank = true;
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (fields[i] < 0 || fields[i] >= row.size())
                continue;
            record.values[i] = row[fields[i]];
            blank = blank && record.values[i].IsEmpty();
        }
        if (!blank)
            records.append(std::move(record));
    }
    return records;
}
