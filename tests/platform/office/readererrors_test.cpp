// Files that are missing, no workbooks, damaged or protected give a clear message and never
// bring the program down.
#include <QTemporaryDir>

#include "platform/office/sheettablesource.h"
#include "platform/office/workbookreader.h"
#include "platform/office/xlsreader.h"
#include "platform/office/xlsxreader.h"
#include "tests/platform/office/officetest.h"

namespace {

class ReaderErrors : public testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QString errorOf(const QString& path)
    {
        auto r = OpenExcelSource(path);
        return r.Ok() ? QStringLiteral("(read)") : r.Error().Text();
    }
    QTemporaryDir dir;
};

TEST_F(ReaderErrors, NameWhatIsWrongWithTheFile)
{
    const QString missing = dir.filePath(QStringLiteral("fehlt.xlsx"));
    EXPECT_EQ(errorOf(missing), QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(missing));
    EXPECT_EQ(XlsReader::Read(missing).Error().message, QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(missing));
    EXPECT_EQ(XlsxReader::Read(missing).Error().message, QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(missing));
    EXPECT_EQ(errorOf(dir.path()), QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(dir.path()));

    const QString notABook = QStringLiteral("Die Datei \"%1\" ist keine Excel-Arbeitsmappe.");
    const QString csv = write(QStringLiteral("liste.xls"), "Datum;Meter\n01.05.2008;10000\n");
    EXPECT_EQ(errorOf(csv), notABook.arg(csv));
    EXPECT_EQ(XlsReader::Read(csv).Error().message, notABook.arg(csv));
    EXPECT_EQ(XlsxReader::Read(csv).Error().message, notABook.arg(csv));
    const QString empty = write(QStringLiteral("leer.xlsx"), QByteArray());
    EXPECT_EQ(errorOf(empty), notABook.arg(empty));
    // A zip archive that holds no workbook, a text document say.
    const QString zip = dir.filePath(QStringLiteral("brief.xlsx"));
    writePackage(zip, {{"content.xml", "<document/>"}});
    EXPECT_EQ(errorOf(zip), notABook.arg(zip));

    const QString protectedBook = fixture("xlwt-protected.xls");
    EXPECT_EQ(errorOf(protectedBook),
              QStringLiteral("Die Arbeitsmappe \"%1\" ist mit einem Kennwort geschützt. Speichern Sie sie in Excel "
                             "ohne Kennwort und wählen Sie sie dann erneut aus.")
                  .arg(protectedBook));
}

// Small packages whose one sheet is damaged in one way each: the error names the part with
// its line and column, or the cell.
TEST_F(ReaderErrors, DamagedPartsAreReportedWithTheirPosition)
{
    const struct {
        const char* sheetData;
        const char* position;
    } cases[] = {
        {"<row r=\"1\"><c r=\"A1\"><v>1</v></c>\n<row>", "xl/worksheets/sheet1.xml, Zeile 3, Spalte 17"},
        {"<row r=\"1\"><c r=\"A1\" <v>1</v></c></row>", "xl/worksheets/sheet1.xml, Zeile 2, Spalte 33"},
        {"<row r=\"1\"><c r=\"1A\"><v>1</v></c></row>", "xl/worksheets/sheet1.xml, Zeile 2, Spalte 23"},
        {"<row r=\"0\"><c><v>1</v></c></row>", "xl/worksheets/sheet1.xml, Zeile 2, Spalte 12"},
        {"<row r=\"1\"><c r=\"B1\" t=\"s\"><v>7</v></c></row>", "Tabellenblatt \"T\", Zelle B1"},
        {"<row r=\"2\"><c r=\"C2\"><v>zwölf</v></c></row>", "Tabellenblatt \"T\", Zelle C2"},
        {"<row r=\"2\"><c r=\"D2\"><v>nan</v></c></row>", "Tabellenblatt \"T\", Zelle D2"},
        {"<row r=\"2\"><c r=\"E2\"><v>-inf</v></c></row>", "Tabellenblatt \"T\", Zelle E2"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("kaputt.xlsx"));
        writeSmallXlsx(path, QByteArray(c.sheetData), "<si><t>a</t></si>");
        auto r = ReadWorkbook(path);
        ASSERT_FALSE(r.Ok()) << c.sheetData;
        EXPECT_EQ(r.Error().message,
                  QStringLiteral("Die Arbeitsmappe \"%1\" ist beschädigt und kann nicht gelesen werden.").arg(path));
        EXPECT_EQ(r.Error().position, QString::fromUtf8(c.position)) << c.sheetData;
    }
}

// A workbook on which FreeXL itself crashes is reported as damaged, and the program lives on.
TEST_F(ReaderErrors, AWorkbookThatCrashesTheLibraryIsDamaged)
{
    const QString path = fixture("freexl-crash.xls");
    auto r = ReadWorkbook(path);
    ASSERT_FALSE(r.Ok());
    EXPECT_EQ(r.Error().Text(),
              QStringLiteral("Die Arbeitsmappe \"%1\" ist beschädigt und kann nicht gelesen werden.").arg(path));
    EXPECT_TRUE(ReadWorkbook(fixture("lo-training.xls")).Ok());
}

TEST_F(ReaderErrors, DamagedStylesAreReportedWithTheirPosition)
{
    const QString path = dir.filePath(QStringLiteral("stile.xlsx"));
    writeSmallXlsx(path, "<row r=\"1\"><c r=\"A1\" s=\"1\"><v>1</v></c></row>", {}, "<xf numFmtId=\"14\">");
    auto r = ReadWorkbook(path);
    ASSERT_FALSE(r.Ok());
    EXPECT_TRUE(r.Error().position.startsWith(QStringLiteral("xl/styles.xml, Zeile 1, Spalte ")))
        << r.Error().position.toStdString();
}

// Truncated and garbled copies of every fixture: the readers answer each with a value or an
// error, never with a crash or a hang. A truncated file is an error, unless only unused space
// at its end was cut: then it reads whole.
TEST_F(ReaderErrors, TruncatedAndGarbledWorkbooksNeverCrashTheReader)
{
    const char* fixtures[] = {"lo-training.xls", "lo-training.xlsx", "xlwt-training.xls", "openpyxl-training.xlsx",
                              "inline.xlsx", "xlwt-strings.xls"};
    quint32 seed = 20080501;
    auto next = [&seed] {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        return seed;
    };
    int errors = 0;
    for (const char* name : fixtures) {
        const QByteArray good = fixtureBytes(QString::fromLatin1(name));
        const SheetTableSource whole(ReadWorkbook(fixture(name)).ValueOrThrow());
        const QString table = whole.TableNames().value(0);
        for (int percent : {1, 10, 25, 50, 75, 90, 99}) {
            const QString path = write(QStringLiteral("kurz-%1-%2").arg(percent).arg(QString::fromLatin1(name)),
                                       good.left(good.size() * percent / 100));
            auto r = ReadWorkbook(path);
            if (r.Ok()) {
                EXPECT_GE(percent, 90) << name;
                EXPECT_EQ(SheetTableSource(r.Value()).Rows(table).Value(), whole.Rows(table).Value()) << name;
            } else {
                EXPECT_FALSE(r.Error().message.isEmpty());
            }
        }
        for (int round = 0; round < 60; ++round) {
            QByteArray bad = good;
            const int flips = 1 + int(next() % 8);
            for (int i = 0; i < flips; ++i)
                bad[int(next() % quint32(bad.size()))] = char(next() & 0xFF);
            auto r = ReadWorkbook(write(QStringLiteral("wirr-%1-%2").arg(round).arg(QString::fromLatin1(name)), bad));
            if (!r.Ok()) {
                ++errors;
                EXPECT_FALSE(r.Error().message.isEmpty());
            }
        }
    }
    EXPECT_GT(errors, 0);
}

}  // namespace
