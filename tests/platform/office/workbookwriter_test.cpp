// Workbooks written by the export layer read back value for value, carry their colours, and a
// failed save says why and leaves the user's file as it was.
#include <QTemporaryDir>

#include <functional>

#include "platform/office/cellname.h"
#include "platform/office/sheettablesource.h"
#include "platform/office/workbookreader.h"
#include "platform/office/workbookwriter.h"
#include "tests/platform/office/officetest.h"

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray partOf(const QString& path, const char* part)
{
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!z)
        return {};
    QByteArray bytes;
    zip_stat_t st;
    if (zip_stat(z, part, 0, &st) == 0) {
        bytes.resize(qsizetype(st.size));
        zip_file_t* f = zip_fopen(z, part, 0);
        zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
    }
    zip_discard(z);
    return bytes;
}

class WriterTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("Export.xlsx"));
};

TEST_F(WriterTest, WrittenWorkbookReadsBackValueForValue)
{
    WorkbookWriter book;
    WorksheetWriter& sheet = book.AddSheet();
    EXPECT_EQ(sheet.Name(), QStringLiteral("Tabelle1"));
    // Header by cell names as the exports write them, from column B on and past Z.
    const QStringList header = {"Meter", "Zwischenzeit", "Min. Puls", "Notiz"};
    for (int i = 0; i < header.size(); ++i)
        sheet.SetCell(ColumnLetters(1 + i).toLower() + u'1', header[i]);
    sheet.SetCell(QStringLiteral("ab1"), QStringLiteral("Spalte AB"));
    sheet.SetNumber(1, 1, 1000);
    sheet.SetDateTime(1, 2, EncodeTime(0, 4, 10, 0));
    sheet.SetNumber(1, 3, -12.25);
    sheet.SetText(1, 4, QStringLiteral("Gegenwind, Höhe 12.5 m"));
    sheet.SetDateTime(2, 2, EncodeDate(2008, 5, 1));
    sheet.SetDateTime(2, 3, EncodeDate(2008, 5, 1) + EncodeTime(10, 15, 0, 0), QStringLiteral("dd.mm.yyyy hh:mm"));
    sheet.SetText(2, 4, QString());  // an empty text stays an empty cell
    sheet.SetCell(QStringLiteral("AB3"), QStringLiteral("x"));
    WorksheetWriter& second = book.AddSheet(QStringLiteral("Zwischenzeiten"));
    second.SetText(0, 0, QStringLiteral("zweites Blatt"));

    const OfficeResult<void> saved = book.Save(target);
    ASSERT_TRUE(saved.Ok()) << saved.Error().Text().toStdString();
    EXPECT_EQ(filesIn(dir.path()), QStringList({"Export.xlsx"}));

    auto read = ReadWorkbook(target);
    ASSERT_TRUE(read.Ok()) << read.Error().Text().toStdString();
    ASSERT_EQ(read.Value().sheets.size(), 2);
    const SheetData& s = read.Value().sheets[0];
    EXPECT_EQ(s.Name(), QStringLiteral("Tabelle1"));
    EXPECT_EQ(s.Cell(0, 3), TableValue::FromText(QStringLiteral("Min. Puls")));
    EXPECT_EQ(s.Cell(0, 27), TableValue::FromText(QStringLiteral("Spalte AB")));
    EXPECT_EQ(s.Cell(1, 1), TableValue::FromNumber(1000));
    EXPECT_EQ(s.Cell(1, 2), TableValue::FromDateTime(EncodeTime(0, 4, 10, 0)));
    EXPECT_EQ(s.Cell(1, 3), TableValue::FromNumber(-12.25));
    EXPECT_EQ(s.Cell(1, 4), TableValue::FromText(QStringLiteral("Gegenwind, Höhe 12.5 m")));
    EXPECT_EQ(s.Cell(2, 2), TableValue::FromDateTime(39569));
    EXPECT_EQ(s.Cell(2, 3), TableValue::FromDateTime(EncodeDate(2008, 5, 1) + EncodeTime(10, 15, 0, 0)));
    EXPECT_TRUE(s.Cell(2, 4).IsEmpty());
    EXPECT_EQ(s.Cell(2, 27), TableValue::FromText(QStringLiteral("x")));
    EXPECT_EQ(read.Value().sheets[1].Cell(0, 0), TableValue::FromText(QStringLiteral("zweites Blatt")));

    // Through the import's eyes: the header row gives the fields.
    auto source = OpenExcelSource(target).ValueOrThrow();
    EXPECT_EQ(source->FieldNames(QStringLiteral("Tabelle1$")).Value().mid(0, 4),
              QStringList({"Meter", "Zwischenzeit", "Min# Puls", "Notiz"}));
}

TEST_F(WriterTest, FillsColourCellsAndRowsAndACellsOwnColourWins)
{
    EXPECT_EQ(ExcelColorIndexRgb(37), qRgb(0x99, 0xCC, 0xFF));
    EXPECT_EQ(ExcelColorIndexRgb(1), qRgb(0, 0, 0));
    EXPECT_EQ(ExcelColorIndexRgb(56), qRgb(0x33, 0x33, 0x33));
    EXPECT_EQ(ExcelColorIndexRgb(57), qRgb(0, 0, 0));

    WorkbookWriter book;
    WorksheetWriter& sheet = book.AddSheet();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            sheet.SetText(r, c, CellName(r, c));
    sheet.SetRowFill(2, ExcelColorIndexRgb(37));
    sheet.SetCellFill(QStringLiteral("b3"), qRgb(0xFF, 0x00, 0x00));
    sheet.SetCellFill(3, 0, qRgb(0x00, 0x80, 0x00));
    sheet.SetDateTime(3, 1, 39569);
    sheet.SetCellFill(3, 1, qRgb(0x00, 0x80, 0x00));
    ASSERT_TRUE(book.Save(target).Ok());

    const QByteArray styles = partOf(target, "xl/styles.xml");
    for (const char* rgb : {"FF99CCFF", "FFFF0000", "FF008000"})
        EXPECT_TRUE(styles.contains(QByteArray("<fgColor rgb=\"") + rgb + "\"/>")) << rgb;
    EXPECT_TRUE(styles.contains("formatCode=\"dd\\.mm\\.yyyy\""));
    const QByteArray sheetXml = partOf(target, "xl/worksheets/sheet1.xml");
    // The row's colour reaches the row and its cells; B3 has its own.
    EXPECT_TRUE(sheetXml.contains("<row r=\"3\" spans=\"1:3\" s=\"")) << sheetXml.constData();
    // The date's column is widened to show it, instead of "###".
    EXPECT_TRUE(sheetXml.contains("<col min=\"2\" max=\"2\" width=\"12.")) << sheetXml.constData();
    EXPECT_FALSE(sheetXml.contains("<col min=\"1\""));
    // The date with a fill still reads as a date.
    EXPECT_EQ(ReadWorkbook(target).Value().sheets[0].Cell(3, 1), TableValue::FromDateTime(39569));
}

TEST_F(WriterTest, FailedSaveReturnsTheReasonAndLeavesNoFileBehind)
{
    WorkbookWriter book;
    book.AddSheet().SetText(0, 0, QStringLiteral("a"));

    const QString noFolder = dir.filePath(QStringLiteral("fehlt/Export.xlsx"));
    auto r = book.Save(noFolder);
    ASSERT_FALSE(r.Ok());
    EXPECT_EQ(r.Error().Text(), QStringLiteral("Die Arbeitsmappe \"%1\" kann nicht gespeichert werden: Der Ordner "
                                               "\"%2\" existiert nicht.")
                                    .arg(noFolder, dir.filePath(QStringLiteral("fehlt"))));

    // A folder where no file can be created, not even by the administrator.
    auto unwritable = book.Save(QStringLiteral("/proc/Export.xlsx"));
    ASSERT_FALSE(unwritable.Ok());
    EXPECT_TRUE(unwritable.Error().message.startsWith(
        QStringLiteral("Die Arbeitsmappe \"/proc/Export.xlsx\" kann nicht gespeichert werden: ")));
    EXPECT_FALSE(QFile::exists(QStringLiteral("/proc/Export.xlsx")));

    auto onFolder = book.Save(dir.path());
    EXPECT_FALSE(onFolder.Ok());
}

TEST_F(WriterTest, AnExistingFileIsReplacedOnlyByACompleteWorkbook)
{
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("alte Daten");
    }
    // Errors kept while filling are reported by Save, before anything is written.
    const struct {
        std::function<void(WorkbookWriter&)> fill;
        const char* text;
    } cases[] = {
        {[](WorkbookWriter& b) { b.AddSheet().SetText(0, 0, QString(32768, u'x')); },
         "Der Text ist länger als die 32767 Zeichen, die eine Zelle aufnimmt. (Tabellenblatt \"Tabelle1\", Zelle A1)"},
        {[](WorkbookWriter& b) { b.AddSheet().SetNumber(kSheetMaxRows, 0, 1); },
         "Die Zelle liegt außerhalb des Tabellenblatts. (Tabellenblatt \"Tabelle1\", Zeile 1048577, Spalte 1)"},
        {[](WorkbookWriter& b) { b.AddSheet().SetText(-1, 0, QStringLiteral("a")); },
         "Die Zelle liegt außerhalb des Tabellenblatts. (Tabellenblatt \"Tabelle1\", Zeile 0, Spalte 1)"},
        {[](WorkbookWriter& b) { b.AddSheet().SetCell(QStringLiteral("1A"), QStringLiteral("a")); },
         "Der Zellname \"1A\" ist ungültig. (Tabellenblatt \"Tabelle1\")"},
        {[](WorkbookWriter& b) { b.AddSheet(QStringLiteral("Zeiten [min]")); },
         "Der Name \"Zeiten [min]\" ist als Name eines Tabellenblatts nicht erlaubt."},
        {[](WorkbookWriter& b) {
             b.AddSheet(QStringLiteral("Daten"));
             b.AddSheet(QStringLiteral("daten"));
         },
         "Der Name \"daten\" ist als Name eines Tabellenblatts nicht erlaubt."},
        {[](WorkbookWriter& b) { b.AddSheet(QString(32, u'a')); },
         "Der Name \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\" ist als Name eines Tabellenblatts nicht erlaubt."},
    };
    for (const auto& c : cases) {
        WorkbookWriter book;
        c.fill(book);
        auto r = book.Save(target);
        ASSERT_FALSE(r.Ok()) << c.text;
        EXPECT_EQ(r.Error().Text(), QString::fromUtf8(c.text));
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("alte Daten"));
        EXPECT_EQ(filesIn(dir.path()), QStringList({"Export.xlsx"}));
    }

    WorkbookWriter good;
    good.AddSheet().SetText(0, 0, QStringLiteral("neu"));
    ASSERT_TRUE(good.Save(target).Ok());
    EXPECT_EQ(ReadWorkbook(target).Value().sheets[0].Cell(0, 0), TableValue::FromText(QStringLiteral("neu")));
    EXPECT_EQ(filesIn(dir.path()), QStringList({"Export.xlsx"}));
}

TEST_F(WriterTest, AWorkbookWithoutSheetsIsSavedWithAnEmptyFirstSheet)
{
    WorkbookWriter book;
    ASSERT_TRUE(book.Save(target).Ok());
    auto read = ReadWorkbook(target);
    ASSERT_TRUE(read.Ok());
    ASSERT_EQ(read.Value().sheets.size(), 1);
    EXPECT_EQ(read.Value().sheets[0].Name(), QStringLiteral("Tabelle1"));
    EXPECT_EQ(read.Value().sheets[0].RowCount(), 0);
}

}  // namespace
