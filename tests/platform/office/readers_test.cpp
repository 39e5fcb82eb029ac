// The workbooks that other programs wrote read as the import wizard expects them: sheets as
// "Name$", the database engine's field names, and every cell with its own kind of value.
#include <QTemporaryDir>

#include "platform/office/numberformat.h"
#include "platform/office/sheettablesource.h"
#include "platform/office/workbookreader.h"
#include "platform/office/xlsreader.h"
#include "platform/office/xlsxreader.h"
#include "tests/platform/office/officetest.h"

namespace {

TableValue num(double v)
{
    return TableValue::FromNumber(v);
}
TableValue text(const char* s)
{
    return TableValue::FromText(QString::fromUtf8(s));
}
TableValue date(int y, int m, int d)
{
    return TableValue::FromDateTime(EncodeDate(y, m, d));
}
TableValue time(int h, int m, int s)
{
    return TableValue::FromDateTime(EncodeTime(h, m, s, 0));
}

// The content of training.fods, which each fixture holds in its own format.
const TableRows& trainingRows()
{
    static const TableRows rows = {
        {date(2008, 5, 1), num(10000), time(0, 45, 30), text("Köln"), num(120), text("Notiz")},
        {date(2008, 5, 2), num(5000.5), time(1, 5, 0), text("Düsseldorf"), TableValue(), text("3.5")},
        {date(2008, 5, 3), num(21097), time(0, 0, 59), text("Bonn"), num(98), TableValue()},
    };
    return rows;
}

class TrainingWorkbook : public testing::TestWithParam<const char*> {};

TEST_P(TrainingWorkbook, ReadsAsTheDatabaseEngineListedIt)
{
    auto opened = OpenExcelSource(fixture(QString::fromLatin1(GetParam())));
    ASSERT_TRUE(opened.Ok()) << opened.Error().Text().toStdString();
    const TableSource& source = *opened.Value();
    EXPECT_EQ(source.TableNames(), QStringList({QStringLiteral("Tabelle1$"), QStringLiteral("Leer$")}));

    auto fields = source.FieldNames(QStringLiteral("Tabelle1$"));
    ASSERT_TRUE(fields.Ok());
    EXPECT_EQ(fields.Value(), QStringList({"Datum", "Meter", "Zeit", "Ort", "Min# Puls", "F6"}));

    auto rows = source.Rows(QStringLiteral("Tabelle1$"));
    ASSERT_TRUE(rows.Ok());
    ASSERT_EQ(rows.Value().size(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(rows.Value()[r][c], trainingRows()[r][c]) << "row " << r << ", column " << c;

    // The values the wizard hands to the database: 01.05.2008 is day 39569, 0:45:30 the
    // fraction 2730 / 86400; a number inside a text reads with the decimal point.
    const QVector<TableValue>& first = rows.Value()[0];
    EXPECT_EQ(first[0].ToVariant().toDouble(), 39569.0);
    EXPECT_NEAR(first[2].ToVariant().toDouble(), 0.0315972222, 1e-10);
    EXPECT_EQ(first[3].ToVariant(), QVariant(QStringLiteral("Köln")));
    EXPECT_FALSE(rows.Value()[1][4].ToVariant().isValid());
    EXPECT_EQ(rows.Value()[1][5].AsFloat(), 3.5);

    // The empty sheet is a table without fields or rows.
    EXPECT_TRUE(source.FieldNames(QStringLiteral("Leer$")).Value().isEmpty());
    EXPECT_TRUE(source.Rows(QStringLiteral("Leer$")).Value().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, TrainingWorkbook,
                         testing::Values("lo-training.xls", "lo-training.xlsx", "xlwt-training.xls",
                                         "openpyxl-training.xlsx", "xlwt-1904.xls", "openpyxl-1904.xlsx",
                                         "xlwt-book-stream.xls"));

// The shared strings of an Excel 97-2003 workbook run on over several records, some texts
// split between two of them; each text reads whole.
TEST(XlsReader, ReadsTextsSplitBetweenRecords)
{
    auto book = XlsReader::Read(fixture("xlwt-strings.xls"));
    ASSERT_TRUE(book.Ok()) << book.Error().Text().toStdString();
    const SheetData& s = book.Value().sheets[0];
    ASSERT_EQ(s.RowCount(), 900);
    for (int i = 0; i < 900; ++i) {
        const QString expected = (i % 2 ? QStringLiteral("Einheit Nummer %1 am Rhein")
                                        : QStringLiteral("Łódź € Runde %1 ✓"))
                                     .arg(i, 4, 10, QLatin1Char('0'));
        ASSERT_EQ(s.Cell(i, 0), TableValue::FromText(expected)) << "row " << i;
    }
}

// Date-time cells of an Excel 97-2003 workbook keep their whole value: a duration of more
// than a day, and the time of day inside a cell that shows only the date.
TEST(XlsReader, KeepsTheWholeValueOfDateTimeCells)
{
    auto book = XlsReader::Read(fixture("xlwt-durations.xls"));
    ASSERT_TRUE(book.Ok()) << book.Error().Text().toStdString();
    const SheetData& s = book.Value().sheets[0];
    EXPECT_EQ(s.Cell(0, 0), TableValue::FromDateTime(1.5));
    EXPECT_EQ(s.Cell(0, 1), TableValue::FromDateTime(39569.75));
    EXPECT_EQ(s.Cell(0, 2), TableValue::FromDateTime(39569.5));
}

TEST(WorkbookReader, KnowsWhichDateSystemAWorkbookCountsIn)
{
    EXPECT_FALSE(ReadWorkbook(fixture("openpyxl-training.xlsx")).Value().date1904);
    EXPECT_TRUE(ReadWorkbook(fixture("openpyxl-1904.xlsx")).Value().date1904);
    EXPECT_FALSE(ReadWorkbook(fixture("xlwt-training.xls")).Value().date1904);
    EXPECT_TRUE(ReadWorkbook(fixture("xlwt-1904.xls")).Value().date1904);
}

TEST(WorkbookReader, TellsTheFormatsApartByContentNotByName)
{
    QTemporaryDir dir;
    const QString misnamed = dir.filePath(QStringLiteral("tabelle.xls"));
    ASSERT_TRUE(QFile::copy(fixture("openpyxl-training.xlsx"), misnamed));
    auto book = ReadWorkbook(misnamed);
    ASSERT_TRUE(book.Ok()) << book.Error().Text().toStdString();
    EXPECT_EQ(book.Value().sheets[0].Cell(1, 3), text("Köln"));
}

TEST(SheetTableSource, AcceptsTheTableNameQuotedOrWithoutDollarAndRefusesUnknownOnes)
{
    auto source = OpenExcelSource(fixture("lo-training.xlsx")).ValueOrThrow();
    for (const char* name : {"Tabelle1$", "'Tabelle1$'", "Tabelle1", "tabelle1$"})
        EXPECT_EQ(source->FieldNames(QString::fromLatin1(name)).Value().size(), 6) << name;
    auto missing = source->Rows(QStringLiteral("Tabelle9$"));
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.Error().message, QStringLiteral("Die Tabelle \"Tabelle9$\" gibt es in der Datenquelle nicht."));
}

// A hand-made package: its workbook is not at the usual place, its sheet lies at an absolute
// target, and it uses inline strings, rich-text runs, formula results, Booleans, error cells,
// and rows and cells without references.
TEST(XlsxReader, ReadsTheLessCommonPartsOfThePackageFormat)
{
    auto source = OpenExcelSource(fixture("inline.xlsx"));
    ASSERT_TRUE(source.Ok()) << source.Error().Text().toStdString();
    EXPECT_EQ(source.Value()->TableNames(), QStringList({QStringLiteral("Daten 2008$")}));
    EXPECT_EQ(source.Value()->FieldNames(QStringLiteral("Daten 2008$")).Value(),
              QStringList({"Ort", "Höhe m", "Ok", "Fehler"}));
    const TableRows rows = source.Value()->Rows(QStringLiteral("Daten 2008$")).Value();
    // The empty row inside the filled range is a record, as the database engine gave it.
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(std::all_of(rows[0].begin(), rows[0].end(), [](const TableValue& v) { return v.IsEmpty(); }));
    EXPECT_EQ(rows[1], QVector<TableValue>({text("Köln & Bonn"), num(125), num(1), TableValue()}));
}

TEST(SheetTableSource, NamesBlankAndRepeatedHeadersAfterTheirColumnWithinTheFilledRange)
{
    SheetData sheet(QStringLiteral("Blatt"));
    // The filled range starts at B2: columns count from there.
    sheet.SetCell(1, 1, text("a.b.c"));
    sheet.SetCell(1, 3, text("Puls"));
    sheet.SetCell(1, 4, text("puls"));
    sheet.SetCell(1, 5, num(2008));
    sheet.SetCell(2, 2, num(1));
    sheet.SetCell(4, 1, text("x"));
    SheetBook book;
    book.sheets.append(sheet);
    SheetTableSource source(book);
    EXPECT_EQ(source.FieldNames(QStringLiteral("Blatt$")).Value(),
              QStringList({"a#b#c", "F2", "Puls", "F4", "2008"}));
    const TableRows rows = source.Rows(QStringLiteral("Blatt$")).Value();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][1], num(1));
    EXPECT_EQ(rows[2][0], text("x"));
}

TEST(XlsxReader, JudgesNumberFormatsByTheirDateAndTimeParts)
{
    using K = NumberFormatKind;
    const struct {
        const char* code;
        K kind;
    } cases[] = {
        {"General", K::Number},        {"0.00", K::Number},           {"0.00E+00", K::Number},
        {"#,##0 \"Tage\"", K::Number}, {"[Red]0.0", K::Number},        {"@", K::Number},
        {"DD.MM.YYYY", K::Date},       {"dd\\.mm\\.yyyy", K::Date},    {"mmm yy", K::Date},
        {"[$-407]d. mmmm yyyy", K::Date},                              {"h:mm:ss", K::Time},
        {"[h]:mm:ss", K::Time},        {"[mm]:ss", K::Time},           {"mm:ss", K::Time},
        {"h:mm AM/PM", K::Time},       {"dd.mm.yyyy hh:mm", K::DateTime},
        {"0.00;[Red]dd.mm.yyyy", K::Number},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyNumberFormat(QString::fromUtf8(c.code)), c.kind) << c.code;
    EXPECT_EQ(ClassifyBuiltinNumberFormat(14), K::Date);
    EXPECT_EQ(ClassifyBuiltinNumberFormat(21), K::Time);
    EXPECT_EQ(ClassifyBuiltinNumberFormat(22), K::DateTime);
    EXPECT_EQ(ClassifyBuiltinNumberFormat(46), K::Time);
    EXPECT_EQ(ClassifyBuiltinNumberFormat(2), K::Number);
}

TEST(TableValue, ConvertsPerCellAsTheImportNeedsIt)
{
    EXPECT_EQ(text(" 12.75 ").AsFloat(), 12.75);
    EXPECT_THROW(text("12,75").AsFloat(), EConvertError);
    EXPECT_EQ(TableValue().AsFloat(), 0.0);
    EXPECT_EQ(num(5000.5).AsText(), QStringLiteral("5000.5"));
    EXPECT_EQ(date(2008, 5, 1).AsText(), QStringLiteral("01.05.2008"));
    EXPECT_EQ(time(0, 45, 30).AsText(), QStringLiteral("00:45:30"));
    // A date-time read as a serial number keeps whole milliseconds, so it equals the encoded
    // time.
    EXPECT_EQ(TableValue::FromDateTime(0.0315972222222222), time(0, 45, 30));
}

}  // namespace

namespace {

TEST(XlsxReader, CountsDatesFromTheWorkbooksDateSystemButKeepsTimesAsTheyAre)
{
    QTemporaryDir dir;
    const QByteArray xfs = "<xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/><xf numFmtId=\"22\"/>";
    const QByteArray cells = "<row r=\"1\"><c r=\"A1\" s=\"1\"><v>38107</v></c><c r=\"B1\" s=\"2\"><v>1.5</v></c>"
                             "<c r=\"C1\" s=\"3\"><v>38107.5</v></c><c r=\"D1\"><v>38107</v></c>"
                             "<c r=\"E1\" s=\"9\"><v>2</v></c><c r=\"F1\" s=\"1\"><v>1E+300</v></c></row>";
    for (bool date1904 : {false, true}) {
        const QString path = dir.filePath(QStringLiteral("daten.xlsx"));
        writeSmallXlsx(path, cells, {}, xfs, date1904);
        auto book = ReadWorkbook(path);
        ASSERT_TRUE(book.Ok()) << book.Error().Text().toStdString();
        const SheetData& s = book.Value().sheets[0];
        const double offset = date1904 ? 1462 : 0;
        EXPECT_EQ(s.Cell(0, 0), TableValue::FromDateTime(38107 + offset));
        EXPECT_EQ(s.Cell(0, 1), TableValue::FromDateTime(1.5));  // 36 hours stay 36 hours
        EXPECT_EQ(s.Cell(0, 2), TableValue::FromDateTime(38107.5 + offset));
        EXPECT_EQ(s.Cell(0, 3), TableValue::FromNumber(38107));
        EXPECT_EQ(s.Cell(0, 4), TableValue::FromNumber(2));  // a style the file lacks
        EXPECT_EQ(s.Cell(0, 5), TableValue::FromNumber(1e300));  // no date: "####" in the spreadsheet
    }
    EXPECT_EQ(TableValue::FromDateTime(38107 + 1462), TableValue::FromDateTime(EncodeDate(2008, 5, 1)));
}

}  // namespace
