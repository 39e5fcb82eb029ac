#include "platform/office/sheettablesource.h"

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

const SheetData* SheetTableSource::sheetOf(const QString& table) const
{
    QString name = table.trimmed();
    if (name.size() >= 2 && name.startsWith(u'\'') && name.endsWith(u'\''))
        name = name.mid(1, name.size() - 2);
    if (name.endsWith(u'$'))
        name.chop(1);
    const int i = book_.SheetIndex(name);
    return i < 0 ? nullptr : &book_.sheets[i];
}

OfficeResult<QStringList> SheetTableSource::FieldNames(const QString& table) const
{
    const SheetData* sheet = sheetOf(table);
    if (!sheet)
        return OfficeError{OfficeMessages::UnknownTable(table), {}};
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
    const SheetData* sheet = sheetOf(table);
    if (!sheet)
        return OfficeError{OfficeMessages::UnknownTable(table), {}};
    const TableShape shape = shapeOf(*sheet);
    TableRows rows;
    if (shape.headerRow < 0)
        return rows;
    const int width = shape.lastColumn - shape.firstColumn + 1;
    rows.reserve(shape.lastRow - shape.headerRow);
    for (int r = shape.headerRow + 1; r <= shape.lastRow; ++r) {
        QVector<TableValue> row(width);
        for (int c = 0; c < width; ++c)
            row[c] = sheet->Cell(r, shape.firstColumn + c);
        rows.append(std::move(row));
    }
    return rows;
}

int SheetTableSource::FirstRecordRow(const QString& table) const
{
    const SheetData* sheet = sheetOf(table);
    if (!sheet)
        return 0;
    const TableShape shape = shapeOf(*sheet);
    // Rows count from 0 here; the record row lies below the header row.
    return shape.headerRow < 0 ? 1 : shape.headerRow + 2;
}

OfficeResult<std::unique_ptr<TableSource>> OpenExcelSource(const QString& fileName)
{
    OfficeResult<SheetBook> book = ReadWorkbook(fileName);
    if (!book.Ok())
        return book.Error();
    return std::unique_ptr<TableSource>(std::make_unique<SheetTableSource>(std::move(book.Value())));
}
