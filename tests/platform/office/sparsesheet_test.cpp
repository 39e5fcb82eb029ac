// A sheet keeps only the cells its file fills: a workbook of a few kilobytes with a header row and
// one value in the sheet's last cell reads and imports in the memory of its filled cells, while
// the table view refuses to spread it over its whole used range; a sheet beyond what the import
// takes is refused by name.
#include <QTemporaryDir>

#include "platform/office/cellname.h"
#include "platform/office/sheettablesource.h"
#include "platform/office/workbookreader.h"
#include "platform/office/workbookwriter.h"
#include "tests/platform/office/officetest.h"
#include "tests/support/childprocess.h"

namespace {

TableValue num(double v)
{
    return TableValue::FromNumber(v);
}

}  // namespace

TEST(SparseSheet, AHeaderAndOneValueInTheLastCellReadAsTheirOwnCellsOnly)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("weit.xlsx"));
    {
        WorkbookWriter book;
        WorksheetWriter& s = book.AddSheet(QStringLiteral("Tabelle1"));
        s.SetText(0, 0, QStringLiteral("Meter"));
        s.SetText(0, 1, QStringLiteral("Puls"));
        for (int r = 1; r <= 3; ++r)
            s.SetNumber(r, 0, 1000 * r);
        s.SetNumber(2, 1, 140);
        s.SetNumber(kSheetMaxRows - 1, kSheetMaxColumns - 1, 7);
        ASSERT_TRUE(book.Save(file).Ok());
    }
    ASSERT_LT(QFileInfo(file).size(), 16 << 10);
    // Spread over its used range the sheet would take gigabytes: the cap shows that nothing does.
    const CappedRun run = RunWithMemoryCap(256 << 20, [&] {
        OfficeResult<std::unique_ptr<TableSource>> source = OpenExcelSource(file);
        if (!source.Ok())
            return false;
        const TableSource& t = *source.Value();
        const OfficeResult<QStringList> fields = t.FieldNames(QStringLiteral("Tabelle1$"));
        const OfficeResult<TableRecords> records = t.Records(QStringLiteral("Tabelle1$"), {1, 0, 5});
        const OfficeResult<TableRows> rows = t.Rows(QStringLiteral("Tabelle1$"));
        const TableRecords expected = {{2, {TableValue(), num(1000), TableValue()}},
                                       {3, {num(140), num(2000), TableValue()}},
                                       {4, {TableValue(), num(3000), TableValue()}}};
        return fields.Ok() && fields.Value().size() == kSheetMaxColumns && fields.Value().last() == "F16384" &&
               records.Ok() && records.Value().size() == 3 && records.Value()[0].number == expected[0].number &&
               records.Value()[0].values == expected[0].values && records.Value()[1].values == expected[1].values &&
               records.Value()[2].number == 4 && !rows.Ok() &&
               rows.Error().Text().startsWith(QStringLiteral("Das Tabellenblatt \"Tabelle1\" ist zu groß"));
    });
    EXPECT_EQ(run, CappedRun::Passed) << CappedRunName(run);
}

TEST(SparseSheet, CellsInAnyOrderReadInOrderTheLaterValueWinningAndASheetBeyondTheLimitsIsRefused)
{
    SheetData sheet(QStringLiteral("Blatt"));
    for (int r = 9; r >= 0; --r)
        sheet.SetCell(r, 9 - r, num(r));
    sheet.SetCell(4, 5, num(44));
    EXPECT_EQ(sheet.Cell(4, 5), num(44));
    EXPECT_EQ(sheet.Cell(9, 0), num(9));
    EXPECT_TRUE(sheet.Cell(9, 1).IsEmpty());
    EXPECT_EQ(sheet.RowCount(), 10);
    EXPECT_EQ(sheet.Cells().size(), 10);
    EXPECT_EQ(sheet.Cells().first().row, 0);

    for (auto [row, column] : {std::pair{kSheetMaxRows, 0}, {0, kSheetMaxColumns}}) {
        SheetData big(QStringLiteral("Riesig"));
        big.SetCell(0, 0, num(1));
        big.SetCell(row, column, num(2));
        EXPECT_TRUE(big.TooLarge());
        EXPECT_TRUE(big.Cells().isEmpty());
        SheetBook book;
        book.sheets = {big, sheet};
        SheetTableSource source(book);
        const QString refused = source.FieldNames(QStringLiteral("Riesig$")).Error().Text();
        EXPECT_EQ(refused, QStringLiteral("Das Tabellenblatt \"Riesig\" ist zu groß für den Import: gelesen werden "
                                          "höchstens 1048576 Zeilen, 16384 Spalten und 4194304 gefüllte Zellen."));
        EXPECT_FALSE(source.Records(QStringLiteral("Riesig$"), {0}).Ok());
        // The other sheets of the book are read as ever.
        EXPECT_TRUE(source.FieldNames(QStringLiteral("Blatt$")).Ok());
    }
}

TEST(SparseSheet, AnOldFormatWorkbookLargerThanTheImportTakesIsRefusedBeforeItIsRead)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("riesig.xls"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromHex("d0cf11e0a1b11ae1"));
        ASSERT_TRUE(f.resize(qint64(2) << 30));  // sparse: no disk taken
    }
    const CappedRun run = RunWithMemoryCap(64 << 20, [&] {
        const OfficeResult<SheetBook> book = ReadWorkbook(file);
        return !book.Ok() && book.Error().Text().contains(QStringLiteral("ist zu groß"));
    });
    EXPECT_EQ(run, CappedRun::Passed) << CappedRunName(run);
}
