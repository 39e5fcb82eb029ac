// Filling a grid from outside: delimited text files, worksheets of .xls and .xlsx workbooks, and
// the grid text stream that Assign copies through.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>

#include "grid/display/extgrid.h"
#include "grid/editing/csvtext.h"
#include "tests/support/qstringprinter.h"
#include "tests/support/testenv.h"

namespace {

QString fixture(const QString& name)
{
    return SourceFile(QStringLiteral("tests/support/grid/fixtures/") + name);
}

QString officeFixture(const QString& name)
{
    return SourceFile(QStringLiteral("tests/platform/office/fixtures/") + name);
}

// The data rows of a grid (from FixedRows, FixedCols on) as lists of texts.
std::vector<QStringList> dataRows(TExtStringGrid& g)
{
    std::vector<QStringList> rows;
    for (int r = g.TCustomGrid::FixedRows(); r < g.RowCount(); ++r) {
        QStringList row;
        for (int c = g.TCustomGrid::FixedCols(); c < g.ColCount(); ++c)
            row << g.GetRawCell(c, r);
        rows.push_back(row);
    }
    return rows;
}

// A grid whose data area starts at (1, 1) and is loaded there.
struct DataGrid : TExtStringGrid {
    DataGrid() { SetIncludeFixedCells(false); }
};

template <class F>
QString errorOf(F&& f)
{
    try {
        f();
    } catch (const EExtGridError& e) {
        return e.Message();
    }
    return QString();
}

}  // namespace

TEST(CsvText, DelimiterDetection)
{
    struct Case {
        const char* line1;
        const char* line2;
        QChar expected;
    } cases[] = {
        {"a;b;c", "1;2;3", QLatin1Char(';')},
        // Equal counts: the earlier candidate.
        {"a,b;c", "1,2;3", QLatin1Char(',')},
        // One line: the second counts as empty, so the third pass decides.
        {"a;b;c", "", QLatin1Char(';')},
        {"a\tb\tc", "1\t2", QLatin1Char('\t')},
        // A doubled candidate is no delimiter in the first pass.
        {"x||y|z", "1||2|3", QLatin1Char('|')},
        {"plain text", "more text", QChar()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DetectCsvDelimiter(QString::fromUtf8(c.line1), QString::fromUtf8(c.line2)), c.expected)
            << c.line1 << " / " << c.line2;
}

TEST(CsvText, QuotedFieldsDoubledQuotesAndLineBreaks)
{
    TCsvOptions o;
    o.Delimiter = QLatin1Char(',');
    auto parse = [&](const char* text) { return ParseCsvRecords(QString::fromUtf8(text), o); };

    EXPECT_EQ(parse("\"\"\"hi\"\"\"")[0], QStringList{"\"hi\""});
    EXPECT_EQ(parse("\"\"\"hi\"\"\",x")[0], (QStringList{"\"hi\"", "x"}));
    // A quoted field runs over line breaks (any of LF, CR LF, CR), which become CR LF.
    const auto multi = parse("a,\"one\ntwo\r\nthree\",b\r\nc,d\n");
    ASSERT_EQ(multi.size(), 2u);
    EXPECT_EQ(multi[0], (QStringList{"a", "one\r\ntwo\r\nthree", "b"}));
    EXPECT_EQ(multi[1], (QStringList{"c", "d"}));
    // Never closed: the rest of the file is the field.
    const auto open = parse("a,\"rest\nof the file\n");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0], (QStringList{"a", "rest\r\nof the file"}));
    // Empty fields and a delimiter at the end give empty fields; a blank line an empty row.
    EXPECT_EQ(parse("a,,b,\n\nc")[0], (QStringList{"a", "", "b", ""}));
    EXPECT_EQ(parse("a,,b,\n\nc")[1], QStringList{""});
    // Character 11 in a field is a line break, or "~" with TildeLineBreaks.
    EXPECT_EQ(parse("x\x0By")[0], QStringList{"x\r\ny"});
    o.TildeLineBreaks = true;
    EXPECT_EQ(parse("x~y")[0], QStringList{"x\r\ny"});
    // Without a delimiter each line is one field.
    o = TCsvOptions{};
    EXPECT_EQ(parse("a;b\nc")[0], QStringList{"a;b"});
}

TEST(CsvText, BytesAreUtf8OrWindows1252)
{
    EXPECT_EQ(DecodeCsvBytes("\xEF\xBB\xBFK\xC3\xB6ln", false), QStringLiteral("Köln"));
    EXPECT_EQ(DecodeCsvBytes("K\xF6ln", false), QStringLiteral("Köln"));
    EXPECT_EQ(DecodeCsvBytes("K\x94ln", true), QStringLiteral("Köln"));
}

TEST(CsvLoad, FilesOfOtherProgramsLoadCellForCell)
{
    DataGrid g;
    g.LoadFromCSV(fixture("python.csv"));
    const std::vector<QStringList> python = {
        {"Name", "Note", "Zahl", ""},
        {"Köln", "He said \"hi\"", "1,5", ""},
        {"multi", "line one\r\nline two", "", ""},
        {"last", "a, b", "3", ""},
    };
    EXPECT_EQ(dataRows(g), python);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.ColCount(), 5);  // the columns the grid had

    DataGrid calc;
    calc.LoadFromCSV(fixture("calc.csv"));
    const std::vector<QStringList> expected = {
        {"Ort", "Straße", "Bemerkung", ""},
        {"Düsseldorf", "Königsallee; Nord", "\"Kö\"", ""},
        {"Münster", "", "Zeile eins\r\nZeile zwei", ""},
    };
    EXPECT_EQ(dataRows(calc), expected);
}

TEST(CsvLoad, ClearsTheDataAreaAndKeepsADataRow)
{
    TempFolder folder;
    DataGrid g;
    g.SetCellText(0, 1, QStringLiteral("row header"));
    for (int r = 1; r < g.RowCount(); ++r)
        for (int c = 1; c < g.ColCount(); ++c)
            g.SetCellText(c, r, QStringLiteral("old"));
    std::vector<int> progress;
    g.OnFileProgress = [&](QObject*, int p) { progress.push_back(p); };
    QRect changed;
    g.OnCellsChanged = [&](QObject*, const QRect& r) { changed = r; };

    // A short row leaves no old texts behind.
    g.LoadFromCSV(folder.write("short.csv", "a;b;c\n1\n"));
    EXPECT_EQ(dataRows(g), (std::vector<QStringList>{{"a", "b", "c", ""}, {"1", "", "", ""}}));
    EXPECT_EQ(g.GetRawCell(0, 1), QStringLiteral("row header"));
    EXPECT_EQ(progress, (std::vector<int>{50, 100}));
    EXPECT_EQ(changed, QRect(0, 0, g.ColCount(), g.RowCount()));

    // An empty file leaves one empty data row.
    g.LoadFromCSV(folder.write("empty.csv", ""));
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(dataRows(g), (std::vector<QStringList>{{"", "", "", ""}}));

    // Wider than the grid: the columns grow. A set delimiter is used as it is.
    g.Delimiter = QLatin1Char('|');
    g.LoadFromCSV(folder.write("wide.csv", "1|2|3|4|5|6,7\n"));
    EXPECT_EQ(g.ColCount(), 7);
    EXPECT_EQ(g.GetRawCell(6, 1), QStringLiteral("6,7"));
    EXPECT_EQ(g.Delimiter, QLatin1Char('|'));

    // By default the fixed cells belong to the file too.
    TExtStringGrid whole;
    whole.LoadFromCSV(folder.write("head.csv", "h1,h2\nv1,v2\n"));
    EXPECT_EQ(whole.GetRawCell(0, 0), QStringLiteral("h1"));
    EXPECT_EQ(whole.GetRawCell(1, 1), QStringLiteral("v2"));
    EXPECT_EQ(whole.RowCount(), 2);
}

TEST(CsvLoad, AFileThatCannotBeReadLeavesTheGridUnchanged)
{
    DataGrid g;
    g.SetCellText(1, 1, QStringLiteral("kept"));
    const QString missing = QStringLiteral("/nonexistent/folder/x.csv");
    EXPECT_EQ(errorOf([&] { g.LoadFromCSV(missing); }), QStringLiteral("Cannot open file ") + missing);
    EXPECT_EQ(g.GetRawCell(1, 1), QStringLiteral("kept"));
    EXPECT_EQ(g.RowCount(), 10);
}

class WorksheetLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override { FormatSettings() = saved_; }
    TFormatSettings saved_;
};

TEST_F(WorksheetLoad, ActiveAndNamedSheetsOfBothFormats)
{
    for (const char* name : {"twosheets.xls", "twosheets.xlsx"}) {
        SCOPED_TRACE(name);
        DataGrid g;
        for (int r = 0; r < g.RowCount(); ++r)
            for (int c = 0; c < g.ColCount(); ++c)
                g.SetCellText(c, r, QStringLiteral("old"));
        // The active sheet is the second: its used range B2:D4 fills the data cells from (1, 1);
        // the error cell stays empty, old texts go; numbers and dates in the user's settings.
        g.LoadFromXLS(fixture(name));
        EXPECT_EQ(g.ColCount(), 4);
        EXPECT_EQ(g.RowCount(), 4);
        EXPECT_EQ(g.TCustomGrid::FixedCols(), 1);
        EXPECT_EQ(g.TCustomGrid::FixedRows(), 1);
        const std::vector<QStringList> expected = {
            {"Datum", "Wert", "Text"},
            {"05.01.2025", "3,5", "Köln"},
            {"", "12", "Ende"},
        };
        EXPECT_EQ(dataRows(g), expected);

        g.LoadFromXLSSheet(fixture(name), QStringLiteral("Erste"));
        EXPECT_EQ(g.ColCount(), 2);
        EXPECT_EQ(g.RowCount(), 2);
        EXPECT_EQ(g.GetRawCell(1, 1), QStringLiteral("eins"));

        EXPECT_EQ(errorOf([&] { g.LoadFromXLSSheet(fixture(name), QStringLiteral("Dritte")); }),
                  QStringLiteral("Excel worksheet Dritte not found"));
        EXPECT_EQ(g.GetRawCell(1, 1), QStringLiteral("eins"));
    }
}

TEST_F(WorksheetLoad, WorkbooksOfOtherProgramsAndDateSystems)
{
    // The import wizard's workbooks: LibreOffice's and both date systems give the same first row.
    for (const char* name : {"lo-training.xlsx", "lo-training.xls", "xlwt-1904.xls", "openpyxl-1904.xlsx"}) {
        SCOPED_TRACE(name);
        TExtStringGrid g;
        g.LoadFromXLS(officeFixture(name));
        EXPECT_EQ(g.GetRawCell(0, 0), QStringLiteral("Datum"));
        EXPECT_EQ(g.GetRawCell(0, 1), QStringLiteral("01.05.2008"));
        EXPECT_EQ(g.GetRawCell(2, 1), QStringLiteral("00:45:30"));
        EXPECT_EQ(g.GetRawCell(3, 1), QStringLiteral("Köln"));
    }
}

TEST_F(WorksheetLoad, ADamagedWorkbookLeavesTheGridUnchanged)
{
    TempFolder folder;
    QFile whole(fixture("twosheets.xlsx"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QString damaged = folder.write("damaged.xlsx", whole.readAll().left(1500));
    DataGrid g;
    g.SetCellText(1, 1, QStringLiteral("kept"));
    for (const QString& file : {damaged, folder.file("missing.xls"), fixture("python.csv")}) {
        EXPECT_EQ(errorOf([&] { g.LoadFromXLS(file); }), QStringLiteral("Cannot open file ") + file);
        EXPECT_EQ(g.GetRawCell(1, 1), QStringLiteral("kept"));
        EXPECT_EQ(g.RowCount(), 10);
    }
}

TEST(TextStream, RoundTripKeepsStoredTextsAndWidths)
{
    TExtStringGrid source;
    source.SetColCount(4);
    source.SetRowCount(5);
    source.SetCellText(0, 0, QStringLiteral("head"));
    source.SetCellText(1, 1, QStringLiteral("<b>bold</b> text"));
    source.SetCellText(2, 1, QStringLiteral("3.14159"));
    source.SetCellText(3, 2, QStringLiteral("two\r\nlines"));
    source.SetCellText(1, 3, QStringLiteral("a\tb"));
    source.SetCellText(2, 3, QStringLiteral("lone\nfeed\tand tab"));
    source.SetCellText(3, 4,
                       QStringLiteral("\x1B"
                                      "escape"));
    source.SetCellText(2, 4, QStringLiteral("back\x08space"));
    source.SetColWidths(2, 123);
    // The grid shows the number with two decimals; the stream carries what is stored.
    source.OnGetFloatFormat = [](QObject*, int, int, bool& IsFloat, QString& Format) {
        IsFloat = true;
        Format = QStringLiteral("%.2f");
    };

    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    source.SaveToTextStream(stream);
    EXPECT_TRUE(stream.data().startsWith("4,5\r\ncw 0,"));
    EXPECT_TRUE(stream.data().contains("\r\n1,1,<b>bold</b> text\r\n"));

    stream.seek(0);
    TExtStringGrid target;
    target.SetCellText(3, 3, QStringLiteral("old"));
    target.LoadFromTextStream(stream);
    EXPECT_EQ(target.ColCount(), 4);
    EXPECT_EQ(target.RowCount(), 5);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(target.GetRawCell(c, r), source.GetRawCell(c, r)) << c << "," << r;
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(target.ColWidths(c), source.ColWidths(c));

    // Assign copies through the stream.
    TExtStringGrid copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.GetRawCell(2, 1), QStringLiteral("3.14159"));
    EXPECT_EQ(copy.GetRawCell(2, 3), QStringLiteral("lone\nfeed\tand tab"));
    EXPECT_EQ(copy.ColWidths(2), 123);

    // Without the fixed cells: the data area alone, from (1, 1).
    source.SetIncludeFixedCells(false);
    QBuffer data;
    data.open(QIODevice::ReadWrite);
    source.SaveToTextStream(data);
    EXPECT_TRUE(data.data().startsWith("3,4\r\n"));
    EXPECT_FALSE(data.data().contains("head"));
}

TEST(TextStream, DamagedStreamsAreRefusedWithTheirLineAndChangeNothing)
{
    struct Case {
        const char* stream;
        int line;
    } cases[] = {
        {"", 1},
        {"x,2\n", 1},
        {"2,-1\n", 1},
        {"99999999,2\n", 1},
        {"2,2\ncw 5,10\n", 2},  // a width for a column the grid will not have
        {"2,2\ncw 1\n", 2},
        {"2,2\n0,0,a\n2,0,b\n", 3},  // a column beyond the data columns
        {"2,2\r\n0,0,a\r\n0,2,b\r\n", 3},
        {"2,2\n1,1\n", 2},
        {"2,2\n0,0,\x1B"
         "a\x1B"
         "q\n",
         2},  // an escape the writer does not make
    };
    for (const Case& c : cases) {
        TExtStringGrid g;
        g.SetCellText(1, 1, QStringLiteral("kept"));
        QBuffer stream;
        stream.setData(QByteArray(c.stream));
        stream.open(QIODevice::ReadOnly);
        EXPECT_EQ(errorOf([&] { g.LoadFromTextStream(stream); }),
                  QStringLiteral("Invalid grid text stream in line %1").arg(c.line))
            << c.stream;
        EXPECT_EQ(g.GetRawCell(1, 1), QStringLiteral("kept"));
        EXPECT_EQ(g.ColCount(), 5);
    }

    // LF alone ends lines as well as CR LF.
    TExtStringGrid g;
    QBuffer stream;
    stream.setData(QByteArray("2,3\ncw 1,40\n1,2,x\n"));
    stream.open(QIODevice::ReadOnly);
    g.LoadFromTextStream(stream);
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.GetRawCell(1, 2), QStringLiteral("x"));
    EXPECT_EQ(g.ColWidths(1), 40);
}
