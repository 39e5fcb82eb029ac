#include "platform/office/sheettablesource.h"

#include <QHash>
#include <QSet>

#include "platform/office/officemessages.h"
#include "platform/office/workbookreader.h"

namespace {

struct TableShape {
    int headerRow = -1;  // -1: an empty sheet, no fields
    int firstColumn = 0;
    int lastColumn = -1;
    int lastRow = -1;
};

TableShape shapeOf(const SheetData& sheet)
{
    TableShape s;
    int firstRow;
    if (sheet.UsedRange(firstRow, s.firstColumn, s.lastRow, s.lastColumn))
        s.headerRow = firstRow;
    return s;
}

QString headerText(const TableValue& v)
{
    // A date heading reads as the spreadsheet showed it; numbers with the decimal point, which
    // the rule below then turns into "#" as the database engine did.
    return v.AsText();
}

}  // namespace

QStringList SheetTableSource::TableNames() const
{
    QStringList names;
    for (const SheetData& s : book_.sheets)
        names << s.Name() + u'$';
    return names;
}

OfficeResult<const SheetData*> SheetTableSource::sheetOf(const QString& table) const
{
    QString name = table.trimmed();
    if (name.size() >= 2 && name.startsWith(u'\'') && name.endsWith(u'\''))
        name = name.mid(1, name.size() - 2);
    if (name.endsWith(u'$'))
        name.chop(1);
    const int i = book_.SheetIndex(name);
    if (i < 0)
        return OfficeError{OfficeMessages::UnknownTable(table), {}};
    const SheetData* sheet = &book_.sheets[i];
    if (sheet->TooLarge())
        return OfficeError{OfficeMessages::SheetTooLarge(sheet->Name(), SheetData::kMaxCells), {}};
    return sheet;
}

OfficeResult<QStringList> SheetTableSource::FieldNames(const QString& table) const
{
    const OfficeResult<const SheetData*> found = sheetOf(table);
    if (!found.Ok())
        return found.Error();
    const SheetData* sheet = found.Value();
    const TableShape shape = shapeOf(*sheet);
    QStringList names;
    QSet<QString> taken;
    for (int c = shape.firstColumn; c <= shape.lastColumn; ++c) {
        QString name = headerText(sheet->Cell(shape.headerRow, c));
        name.replace(u'.', u'#');
        // A field needs a name, and one of its own, for a mapping to find it.
        if (name.trimmed().isEmpty() || taken.contains(name.toLower()))
            name = QStringLiteral("F%1").arg(c - shape.firstColumn + 1);
        taken.insert(name.toLower());
        names << name;
    }
    return names;
}

OfficeResult<TableRows> SheetTableSource::Rows(const QString& table) const
{
    const OfficeResult<const SheetData*> found = sheetOf(table);
    if (!found.Ok())
        return found.Error();
    const SheetData* sheet = found.Value();
    const TableShape shape = shapeOf(*sheet);
    TableRows rows;
    if (shape.headerRow < 0)
        return rows;
    const qint64 width = shape.lastColumn - shape.firstColumn + 1;
    const qint64 height = shape.lastRow - shape.headerRow;
    if (width * height > SheetData::kMaxCells)
        return OfficeError{OfficeMessages::SheetTooLarge(sheet->Name(), SheetData::kMaxCells), {}};
    rows.fill(QVector<TableValue>(width), height);
    for (const SheetCell& c : sheet->Cells())
        if (c.row > shape.headerRow)
            rows[c.row - shape.headerRow - 1][c.column - shape.firstColumn] = c.value;
    return rows;
}

OfficeResult<TableRecords> SheetTableSource::Records(const QString& table, const QVector<int>& fields) const
{
    const OfficeResult<const SheetData*> found = sheetOf(table);
    if (!found.Ok())
        return found.Error();
    const SheetData* sheet = found.Value();
    const TableShape shape = shapeOf(*sheet);
    TableRecords records;
    if (shape.headerRow < 0)
        return records;
    // The positions asked for by the sheet's column (a column may be asked for twice).
    QHash<int, QList<int>> wanted;
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (fields[i] >= 0)
            wanted[shape.firstColumn + fields[i]].append(int(i));
    for (const SheetCell& c : sheet->Cells()) {
        if (c.row <= shape.headerRow)
            continue;
        const auto positions = wanted.constFind(c.column);
        if (positions == wanted.constEnd())
            continue;
        // Rows count from 0 here, from 1 where the spreadsheet shows them.
        if (records.isEmpty() || records.last().number != c.row + 1)
            records.append(TableRecord{c.row + 1, QVector<TableValue>(fields.size())});
        for (int i : *positions)
            records.last().values[i] = c.value;
    }
    return records;
}

OfficeResult<std::unique_ptr<TableSource>> OpenExcelSource(const QString& fileName)
{
    OfficeResult<SheetBook> book = ReadWorkbook(fileName);
    if (!book.Ok())
        return book.Error();
    return std::unique_ptr<TableSource>(std::make_unique<SheetTableSource>(std::move(book.Value())));
}
