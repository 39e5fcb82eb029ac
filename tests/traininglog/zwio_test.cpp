// The split page's heart-rate files and its "Import/Export" menu on the program started as a user
// starts it: samples and laps added in one transaction, a bad value taking nothing in, and the
// split view written into a workbook.
#include <gtest/gtest.h>

#include <QMenu>
#include <QTabBar>

#include <zip.h>

#include "core/busy.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "platform/office/workbookreader.h"
#include "platform/vcl/testhooks.h"
#include "tests/support/errorbox.h"
#include "tests/support/messages.h"
#include "tests/support/testenv.h"
#include "tests/traininglog/splitpagefixture.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/zwgrid.h"

namespace {

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

class SplitFilesTest : public SplitPageTest {
protected:
    TempFolder folder;
};

TEST_F(SplitFilesTest, SamplesOfAFileBecomeHeartRateRowsOfTheUnitUpToTheLastLine)
{
    addRow(1000, hms(0, 5, 0), 0, false);
    start();
    eingabe->TabControl1->setCurrentIndex(1);
    const QString file = folder.write("08071501.hrm", "[Params]\r\nInterval=5\r\nLength=00:00:20.0\r\n\r\n[HRData]\r\n"
                                                      "120\t350\r\n120\t350\r\n120\t350\r\n120\t350");
    eingabe->loadHf(file);
    EXPECT_EQ(rows("zei_hrm = 1"), 4);
    EXPECT_EQ(rows("zei_hrm = 1 AND Puls = 120 AND HDiff = 350 AND zei_Id = 1"), 4);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(rows(QString("zei_hrm = 1 AND abs(Zwischenzeit * 86400 - %1) < 0.001 AND Meter = %2").arg(k * 5).arg(5 + k)), 1)
            << k;
    EXPECT_EQ(rows("zei_hrm = 0"), 1);
    // The grid shows the samples once the load is done.
    ASSERT_EQ(grid().RowCount(), 5);
    EXPECT_EQ(grid().Cells(zwgrid::colZwischenzeit, 4), "00:00:15");
    EXPECT_EQ(grid().Cells(zwgrid::colPuls, 4), "120");
    EXPECT_TRUE(eingabe->zwFillEnabled);
    EXPECT_FALSE(BusyDlg->isVisible());
    EXPECT_FALSE(BusyDlg->showProgress);
}

TEST_F(SplitFilesTest, ABadValueNamesItsLineAndAddsNoRow)
{
    addSamples(2);
    start();
    eingabe->TabControl1->setCurrentIndex(1);
    const QStringList before = grid().Rows(2);
    struct Case {
        bool laps;
        QByteArray text;
        QString line;
    };
    QByteArray forty = "[Params]\r\nInterval=1\r\n[HRData]\r\n";
    for (int l = 4; l < 40; ++l)
        forty += "120\t0\r\n";
    forty += "abc\t0\r\n120\t0\r\n";
    const Case cases[] = {
        {false, forty, "Zeile 40: 'abc' ist kein gültiger Integerwert"},
        {true, "[Params]\r\n[IntTimes]\r\n0:05:00.0\t150\t1\r\n0:10:00.0\tx5\t1\r\n", "Zeile 4: 'x5' ist kein gültiger Integerwert"},
    };
    for (const Case& c : cases) {
        const QString file = folder.write("bad.hrm", c.text);
        const QString message = messageOf([&] { c.laps ? eingabe->loadzwHf(file) : eingabe->loadHf(file); });
        EXPECT_TRUE(message.contains(c.line)) << message.toStdString();
        EXPECT_TRUE(message.contains("bad.hrm")) << message.toStdString();
        EXPECT_EQ(rows("1 = 1"), 2);
        ASSERT_EQ(grid().RowCount(), 3);
        EXPECT_EQ(grid().Rows(2), before);
        EXPECT_TRUE(eingabe->zwFillEnabled);
        EXPECT_FALSE(BusyDlg->isVisible());
    }
}

TEST_F(SplitFilesTest, ARowTheDatabaseRefusesTakesTheRowsBeforeItBack)
{
    start();
    // A database rule that refuses the third sample: the two before it go with it.
    db.exec("CREATE TRIGGER refuse BEFORE INSERT ON zeit WHEN NEW.Puls = 99 BEGIN SELECT RAISE(ABORT, 'nein'); END");
    const QString file = folder.write("x.hrm", "[Params]\r\nInterval=1\r\n[HRData]\r\n120\r\n121\r\n99\r\n122\r\n");
    EXPECT_NE(messageOf([&] { eingabe->loadHf(file); }), "(nothing raised)");
    EXPECT_EQ(rows("1 = 1"), 0);
    EXPECT_FALSE(orvServer->orvDB.InTransaction());
    EXPECT_TRUE(eingabe->zwFillEnabled);
}

TEST_F(SplitFilesTest, LapsOfAFileBecomeSplitRowsOfTheUnit)
{
    start();
    const QString file = folder.write("laps.hrm", "[Params]\r\nInterval=5\r\n[IntTimes]\r\n0:12:34.5\t152\t130\t145\t165\r\n"
                                                  "0\t0\t0\t0\t0\t112\r\n00:20:00.0\t160\t1\r\n0:25:00.0\t98\r\n"
                                                  "[IntNotes]\r\n0:30:00.0\t170\t1\r\n");
    eingabe->loadzwHf(file);
    EXPECT_EQ(rows("zei_hrm = 0"), 2);
    EXPECT_EQ(rows("zei_hrm = 0 AND Puls = 152 AND Meter = 3 AND abs(Zwischenzeit * 86400 - 754) < 0.001"), 1);
    EXPECT_EQ(rows("zei_hrm = 0 AND Puls = 98 AND Meter = 6"), 1);
    ASSERT_EQ(grid().RowCount(), 3);
    EXPECT_EQ(grid().Cells(zwgrid::colZwischenzeit, 1), "00:12:34");
}

TEST_F(SplitFilesTest, AUnitBeingEnteredTakesNoRows)
{
    start();
    orvServer->daten.Insert();
    const QString file = folder.write("x.hrm", "[Params]\r\nInterval=1\r\n[HRData]\r\n120\r\n");
    EXPECT_EQ(messageOf([&] { eingabe->loadHf(file); }), "Die Einheit muß vorher gespeichert werden.");
    orvServer->daten.Cancel();
    EXPECT_EQ(rows("1 = 1"), 0);
}

TEST_F(SplitFilesTest, TheMenuOffersItsEntriesInOrderWithTheImportWindowsStillDisabled)
{
    start();
    EXPECT_TRUE(eingabe->XPButton21->isEnabled());
    QStringList captions;
    for (QAction* a : eingabe->PopupMenu2->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, QStringList({"Excel Import", "DB  Import", "Polar Import", "-", "Excel Export"}));
    EXPECT_TRUE(eingabe->Excelimport1->isEnabled());
    EXPECT_TRUE(eingabe->DBImport1->isEnabled());
    EXPECT_TRUE(eingabe->PolarImport1->isEnabled());
    EXPECT_TRUE(eingabe->Excelexport1->isEnabled());
}

TEST_F(SplitFilesTest, ExportWritesTheViewsRowsUnderTheFieldLabelsWithEveryOtherRowFilled)
{
    addRow(3000, hms(0, 15, 0), 20, false, "Ziel");
    addRow(1000, hms(0, 5, 0), 0, false, "Start");
    addRow(2000, hms(0, 10, 0), 10, false);
    addSamples(2);  // another kind: not in the split view's export
    start();
    const QString target = folder.file("Splits.xlsx");
    ScriptedAnswers::pushFileName(target);
    eingabe->Excelexport1->trigger();
    ASSERT_TRUE(ScriptedAnswers::unusedAnswers().isEmpty());
    EXPECT_EQ(ScriptedAnswers::fileDialogs().last().Filter, "Excel - Datei (*.xlsx)|*.xlsx");

    auto read = ReadWorkbook(target);
    ASSERT_TRUE(read.Ok()) << read.Error().Text().toStdString();
    const SheetData& sheet = read.Value().sheets[0];
    EXPECT_TRUE(sheet.Cell(0, 0).IsEmpty());
    const QStringList header = {"Kilometer", "Zwischenzeit", "Puls", "Min. Puls", "Max. Puls", "HDiff", "Notiz"};
    for (int c = 0; c < header.size(); ++c)
        EXPECT_EQ(sheet.Cell(0, c + 1), TableValue::FromText(header[c])) << c;
    EXPECT_EQ(sheet.ColumnCount(), 23);  // B to W: the 22 fields after the unit id
    EXPECT_EQ(sheet.RowCount(), 4);
    // The view's order, distances in the sport's unit, times as times.
    EXPECT_EQ(sheet.Cell(1, 1), TableValue::FromNumber(1));
    EXPECT_EQ(sheet.Cell(3, 1), TableValue::FromNumber(3));
    EXPECT_EQ(sheet.Cell(2, 2), TableValue::FromDateTime(hms(0, 10, 0)));
    EXPECT_EQ(sheet.Cell(1, 7), TableValue::FromText("Start"));
    EXPECT_EQ(sheet.Cell(3, 7), TableValue::FromText("Ziel"));

    // Row 3 (the second record) is filled, rows 2 and 4 are not.
    const QByteArray styles = partOf(target, "xl/styles.xml");
    EXPECT_TRUE(styles.contains("<fgColor rgb=\"FF99CCFF\"/>"));
    const QByteArray xml = partOf(target, "xl/worksheets/sheet1.xml");
    auto styleOf = [&](const char* cell) {
        const int at = int(xml.indexOf(QByteArray("<c r=\"") + cell + "\""));
        const int end = int(xml.indexOf('>', at));
        const QByteArray tag = xml.mid(at, end - at);
        const int s = int(tag.indexOf(" s=\""));
        return s < 0 ? QByteArray() : tag.mid(s + 4, tag.indexOf('"', s + 4) - s - 4);
    };
    EXPECT_FALSE(styleOf("H3").isEmpty());
    EXPECT_NE(styleOf("B2"), styleOf("B3"));
    EXPECT_NE(styleOf("H2"), styleOf("H3"));
    EXPECT_NE(styleOf("H4"), styleOf("H3"));
}

TEST_F(SplitFilesTest, AnEmptyViewGivesTheHeaderOnlyAndCancelWritesNothing)
{
    start();
    const QString target = folder.file("Leer.xlsx");
    ScriptedAnswers::pushFileName("");
    eingabe->Excelexport1->trigger();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());

    ScriptedAnswers::pushFileName(target);
    eingabe->Excelexport1->trigger();
    auto read = ReadWorkbook(target);
    ASSERT_TRUE(read.Ok()) << read.Error().Text().toStdString();
    EXPECT_EQ(read.Value().sheets[0].RowCount(), 1);
    EXPECT_EQ(read.Value().sheets[0].Cell(0, 1), TableValue::FromText("Kilometer"));
}

TEST_F(SplitFilesTest, AFailedSaveIsShownAndNeverTakenForASuccess)
{
    addRow(1000, hms(0, 5, 0), 0, false);
    start();
    ErrorBoxRecorder errors;
    const QString target = folder.file("fehlt/Splits.xlsx");
    ScriptedAnswers::pushFileName(target);
    eingabe->Excelexport1->trigger();
    ASSERT_EQ(errors.shown.size(), 1);
    EXPECT_TRUE(errors.shown[0].contains("fehlt")) << errors.shown[0].toStdString();
    EXPECT_FALSE(QFile::exists(target));
}

}  // namespace
