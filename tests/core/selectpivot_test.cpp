// The analysis workbooks: the standard workbook of the interface language, the athlete's data
// written for them, the picker of the user's own workbooks, and failures shown with their reason.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>

#include "core/analysisdata.h"
#include "core/main.h"
#include "core/selectpivot.h"
#include "platform/office/workbookreader.h"
#include "platform/office/workbookwriter.h"
#include "platform/rtl/folders.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/qstringprinter.h"

namespace {

const QString kFailed = QStringLiteral("Beim Start der Analyse ist ein Fehler aufgetreten. Wahrscheinlich ist Excel "
                                       "nicht installiert.\t\n");

class AnalysisWorkbookTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        QDir(TselectPivot::Folder()).removeRecursively();
    }
    void TearDown() override
    {
        QDir(TselectPivot::Folder()).removeRecursively();
        ProgramTest::TearDown();
    }
    static void writeWorkbook(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).path());
        WorkbookWriter book;
        book.AddSheet().SetText(0, 0, QStringLiteral("Pivot"));
        ASSERT_TRUE(book.Save(path).Ok());
    }
    static void writeText(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keine Arbeitsmappe");
    }
};

TEST_F(AnalysisWorkbookTest, TheStandardWorkbookFollowsTheInterfaceLanguage)
{
    writeWorkbook(ProgramFile("DB/pivot.xlsx"));
    writeWorkbook(ProgramFile("DB/pivot_ENG.xlsx"));
    StartProgram({});
    MainForm->StatAnalyse1Execute(MainForm);
    FinishProgram();
    StartProgram({"x.orv", "en"});
    MainForm->StatAnalyse1Execute(MainForm);
    ASSERT_EQ(started.size(), 2);
    EXPECT_EQ(started[0].FileName, ProgramFile("DB/pivot.xlsx"));
    EXPECT_EQ(started[1].FileName, ProgramFile("DB/pivot_ENG.xlsx"));
    EXPECT_FALSE(started[0].Program);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

TEST_F(AnalysisWorkbookTest, WithADatabaseOpenTheAthletesDataIsWrittenForTheWorkbooks)
{
    AthleteDatabase db;
    db.exec("INSERT INTO DATEN (dat_Id, Datum, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, Sportart, "
            "Belastungsstufe, trainingsblock, Ort) VALUES (7, 45365, 1, 0.01, 10000, 0, 1, 1, 1, 1, 'Park')");
    const QString sport = db.value("SELECT Spo_Name FROM sportart WHERE Spo_Id = 1").toString();
    writeWorkbook(ProgramFile("DB/pivot.xlsx"));
    StartProgram({db.path()});
    MainForm->StatAnalyse1Execute(MainForm);
    ASSERT_EQ(started.size(), 1);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());

    auto read = ReadWorkbook(AnalysisDataFile());
    ASSERT_TRUE(read.Ok()) << read.Error().Text().toStdString();
    const SheetBook& book = read.Value();
    const int units = book.SheetIndex("Einheiten");
    const int period = book.SheetIndex("Zeitraumstat");
    ASSERT_GE(units, 0);
    ASSERT_GE(period, 0);
    const SheetData& u = book.sheets[units];
    auto column = [](const SheetData& s, const QString& name) {
        for (int c = 0; c < s.ColumnCount(); ++c)
            if (s.Cell(0, c) == TableValue::FromText(name))
                return c;
        return -1;
    };
    ASSERT_EQ(u.RowCount(), 2);
    EXPECT_EQ(u.Cell(1, column(u, "dat_Id")), TableValue::FromNumber(7));
    EXPECT_EQ(u.Cell(1, column(u, "Ort")), TableValue::FromText("Park"));
    EXPECT_EQ(u.Cell(1, column(u, "Meter")), TableValue::FromNumber(10000));
    EXPECT_EQ(u.Cell(1, column(u, "Datum")), TableValue::FromDateTime(45365));
    EXPECT_EQ(u.Cell(1, column(u, "Spo_Name")), TableValue::FromText(sport));
    ASSERT_GE(column(u, "For_Form"), 0);
    ASSERT_GE(column(u, "bel_Name"), 0);
    ASSERT_GE(column(u, "bea_Name"), 0);
    const SheetData& p = book.sheets[period];
    ASSERT_GE(p.RowCount(), 2);
    EXPECT_GE(column(p, "Spo_Name"), 0);
}

TEST_F(AnalysisWorkbookTest, AFailureShowsTheMessageWithTheErrorsText)
{
    StartProgram({});
    struct Case {
        const char* what;
        std::function<void()> prepare;
        QString reason;
    };
    const QString path = QDir::toNativeSeparators(ProgramFile("DB/pivot.xlsx"));
    const Case cases[] = {
        {"missing", [] {}, "Die Arbeitsmappe \"" + path + "\" wurde nicht gefunden."},
        {"no workbook", [] { writeText(ProgramFile("DB/pivot.xlsx")); }, ""},
        {"desktop refuses", [] {
             writeWorkbook(ProgramFile("DB/pivot.xlsx"));
             SetShellStarter([](const TShellStart&) { return false; });
         },
         "Die Arbeitsmappe \"" + path + "\" konnte nicht geöffnet werden."},
    };
    for (const Case& c : cases) {
        QFile::remove(ProgramFile("DB/pivot.xlsx"));
        c.prepare();
        ScriptedAnswers::pushMessageAnswer(mrOk);
        MainForm->StatAnalyse1Execute(MainForm);
        const RecordedMessage m = ScriptedAnswers::lastMessage();
        EXPECT_EQ(m.Type, mtError) << c.what;
        EXPECT_TRUE(m.Text.startsWith(kFailed)) << m.Text.toStdString();
        EXPECT_GT(m.Text.size(), kFailed.size()) << c.what;
        if (!c.reason.isEmpty()) {
            EXPECT_EQ(m.Text.mid(kFailed.size()), c.reason);
        }
    }
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(AnalysisWorkbookTest, ThePickerCreatesItsFolderAndOpensTheChosenFile)
{
    StartProgram({});
    const QString folder = TselectPivot::Folder();
    ASSERT_FALSE(QDir(folder).exists());
    ScriptedAnswers::onShowModal<TselectPivot>([](TselectPivot& f) {
        EXPECT_EQ(f.windowTitle(), "Analyse auswählen");
        EXPECT_EQ(f.ShellListView1->count(), 0);
        f.Button2->click();
    });
    MainForm->Action27Execute(MainForm);
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_TRUE(QDir(folder).isEmpty());

    writeWorkbook(folder + "/b Lauf.xlsx");
    writeText(folder + "/A.txt");
    QDir(folder).mkpath("Unterordner");
    struct Case {
        int row;  // -1: none selected
        bool opened;
        bool message;
    };
    for (const Case c : {Case{1, true, false}, Case{0, false, true}, Case{-1, false, false}}) {
        started.clear();
        ScriptedAnswers::clear();
        ScriptedAnswers::onShowModal<TselectPivot>([c](TselectPivot& f) {
            // Every file by name, whatever its extension; no folders.
            QStringList names;
            for (int i = 0; i < f.ShellListView1->count(); ++i)
                names << f.ShellListView1->item(i)->text();
            EXPECT_EQ(names, QStringList({"A.txt", "b Lauf.xlsx"}));
            if (c.row >= 0)
                f.ShellListView1->setCurrentRow(c.row);
            if (c.message)
                ScriptedAnswers::pushMessageAnswer(mrOk);
            f.Button1->click();
        });
        MainForm->Action27Execute(MainForm);
        EXPECT_EQ(started.size(), c.opened ? 1 : 0) << c.row;
        if (c.opened) {
            EXPECT_EQ(started[0].FileName, folder + "/b Lauf.xlsx");
        }
        EXPECT_EQ(ScriptedAnswers::messages().size(), c.message ? 1 : 0) << c.row;
        if (c.message) {
            EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.startsWith(kFailed));
        }
    }
}

}  // namespace
