// The import wizard as a user runs it: the source file, its table, the field mapping (made,
// saved, loaded) and "Fertig stellen", which copies every row in one transaction into units or
// into split rows of the current unit.
#include <gtest/gtest.h>

#include <QFile>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "exchange/excelimport.h"
#include "exchange/excelimport2.h"
#include "platform/office/workbookwriter.h"
#include "platform/rtl/inifiles.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/jetwriter.h"
#include "tests/support/testenv.h"
#include "traininglog/einheiteneingabe.h"

namespace {

QString officeFixture(const char* name)
{
    return SourceFile(QStringLiteral("tests/platform/office/fixtures/") + QString::fromLatin1(name));
}

// The training table of the workbook fixtures as an Access table.
QString writeTrainingMdb(const TempFolder& folder)
{
    JetTable t;
    t.name = QStringLiteral("Tabelle1");
    t.columns = {{QStringLiteral("Datum"), JetType::DateTime}, {QStringLiteral("Meter"), JetType::Double},
                 {QStringLiteral("Zeit"), JetType::DateTime}, {QStringLiteral("Ort"), JetType::Text, 50}};
    t.rows = {{EncodeDate(2008, 5, 1), 10000.0, EncodeTime(0, 45, 30, 0), QStringLiteral("Köln")},
              {EncodeDate(2008, 5, 2), 5000.5, EncodeTime(1, 5, 0, 0), QStringLiteral("Düsseldorf")},
              {EncodeDate(2008, 5, 3), 21097.0, EncodeTime(0, 0, 59, 0), QStringLiteral("Bonn")}};
    const QString file = folder.file(QStringLiteral("training.mdb"));
    QString error;
    EXPECT_TRUE(WriteJetDatabase(file, {t}, &error)) << error.toStdString();
    return file;
}

class ImportWizardTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
                "Hoehendifferenz, trainingsblock) VALUES (7, 39600, 0.02, 5000, 1, 1, 1, 1, 0, 0)");
        StartProgram({db.path()});
        ASSERT_NE(eingabe, nullptr);
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = saved_;
        Teximp2::testRowHook = nullptr;
    }

    // Step 1 with the file typed in; `play` acts in steps 2 and 3.
    void wizard(TDataSet& target, bool excel, const QString& file, std::function<void(Teximp2&)> play)
    {
        if (play)
            ScriptedAnswers::onShowModal<Teximp2>(std::move(play));
        ModalForm<Teximp> form(eximp, MainForm);
        form->target = &target;
        form->excel = excel;
        form->Edit1->setText(file);
        form->Button1->click();
    }

    static void map(Teximp2& f, const QStringList& fields)
    {
        for (const QString& name : fields) {
            f.ListBox1->setCurrentItem(f.ListBox1->findItems(name, Qt::MatchExactly).value(0));
            f.ListBox2->setCurrentItem(f.ListBox2->findItems(name, Qt::MatchExactly).value(0));
            f.Button2->click();
        }
    }

    QString units() const
    {
        return db.value(QStringLiteral("SELECT group_concat(Datum || '|' || Meter || '|' || round(Zeit * 86400) || '|' "
                                       "|| Ort, ';') FROM (SELECT * FROM DATEN WHERE dat_Id <> 7 ORDER BY Datum)"))
            .toString();
    }
    int count(const QString& sql) const { return db.value(sql).toInt(); }

    AthleteDatabase db;
    TempFolder files;
    TFormatSettings saved_;
};

TEST_F(ImportWizardTest, EveryKindOfSourceGivesTheSameUnits)
{
    const QString mdb = writeTrainingMdb(files);
    const struct {
        QString file;
        bool excel;
    } sources[] = {{officeFixture("lo-training.xls"), true},
                   {officeFixture("lo-training.xlsx"), true},
                   {officeFixture("xlwt-training.xls"), true},
                   {officeFixture("openpyxl-training.xlsx"), true},
                   {mdb, false}};
    for (const auto& s : sources) {
        SCOPED_TRACE(s.file.toStdString());
        db.exec("DELETE FROM DATEN WHERE dat_Id <> 7");
        orvServer->daten.Close();
        orvServer->daten.Open();
        ScriptedAnswers::pushMessageAnswer(mrOk);
        wizard(orvServer->daten, s.excel, s.file, [](Teximp2& f) {
            EXPECT_EQ(f.ComboBox1->currentText(), f.Excel() ? QStringLiteral("Tabelle1$") : QStringLiteral("Tabelle1"));
            map(f, {"Datum", "Meter", "Zeit", "Ort"});
            EXPECT_EQ(f.ListBox3->item(3)->text(), QStringLiteral("Ort -> Ort"));
            f.Button1->click();
        });
        // 5000.5 m rounds to even; the times keep their seconds; the umlauts stay.
        EXPECT_EQ(units(), QStringLiteral("39569|10000|2730.0|Köln;39570|5000|3900.0|Düsseldorf;"
                                          "39571|21097|59.0|Bonn"))
            << messageTexts().join('\n').toStdString();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtInformation);
        EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.endsWith(QStringLiteral(": 3")))
            << ScriptedAnswers::lastMessage().Text.toStdString();
    }
    EXPECT_TRUE(eingabe->zwFillEnabled);
    EXPECT_TRUE(orvServer->ZeitCalculation());
}

TEST_F(ImportWizardTest, TheMappingFileKeepsPairsCompactAndLoadsWhatItHolds)
{
    const QString saved = files.file(QStringLiteral("zwei.imp"));
    const QString gap = files.write(QStringLiteral("luecke.imp"), "[Zuordnung]\nzf0=\nzt0=\nzf1=Meter\nzt1=Meter\n");
    ScriptedAnswers::pushFileName(saved);
    ScriptedAnswers::pushFileName(saved);
    ScriptedAnswers::pushFileName(gap);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    wizard(orvServer->daten, true, officeFixture("lo-training.xlsx"), [&](Teximp2& f) {
        map(f, {"Datum", "Meter"});
        f.SpeedButton15->click();
        f.ListBox3->clear();
        f.SpeedButton13->click();
        EXPECT_EQ(f.ListBox3->count(), 2);
        EXPECT_EQ(f.ListBox3->item(1)->text(), QStringLiteral("Meter -> Meter"));
        // A file whose first pair is free: its one pair shows and is imported.
        f.SpeedButton13->click();
        ASSERT_EQ(f.ListBox3->count(), 1);
        EXPECT_EQ(f.ListBox3->item(0)->text(), QStringLiteral("Meter -> Meter"));
        f.Button1->click();
    });
    const TIniFile ini(saved);
    QStringList keys;
    ini.ReadSection(QStringLiteral("Zuordnung"), keys);
    EXPECT_EQ(keys.size(), 62);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Zuordnung"), QStringLiteral("zf0"), QString()), QStringLiteral("Datum"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Zuordnung"), QStringLiteral("zt1"), QString()), QStringLiteral("Meter"));
    for (const char* key : {"zf2", "zt2", "zf30", "zt30"})
        EXPECT_TRUE(ini.ValueExists(QStringLiteral("Zuordnung"), QString::fromLatin1(key)));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Zuordnung"), QStringLiteral("zf30"), QStringLiteral("x")), QString());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM DATEN WHERE dat_Id <> 7 AND Meter IN (10000, 5000, 21097)")), 3);
}

TEST_F(ImportWizardTest, RefusesWhatCannotBeImportedAndWritesNothing)
{
    // A value that is no number in the seventh row of the sheet.
    WorkbookWriter book;
    WorksheetWriter& sheet = book.AddSheet(QStringLiteral("Tabelle1"));
    sheet.SetText(0, 0, QStringLiteral("Meter"));
    for (int r = 1; r < 9; ++r)
        sheet.SetNumber(r, 0, 1000 * r);
    sheet.SetText(6, 0, QStringLiteral("abc"));
    const QString file = files.file(QStringLiteral("fehler.xlsx"));
    ASSERT_TRUE(book.Save(file).Ok());
    const int before = count(QStringLiteral("SELECT count(*) FROM DATEN"));

    const QString unknown =
        files.write(QStringLiteral("fremd.imp"), "[Zuordnung]\nzf0=Puls\nzt0=Meter\nzf1=Meter\nzt1=Distanz\n");
    ScriptedAnswers::pushMessageAnswer(mrOk);  // no mapping
    ScriptedAnswers::pushFileName(unknown);
    ScriptedAnswers::pushFileName(files.write(QStringLiteral("leer.imp"), "[Zuordnung]\n"));
    ScriptedAnswers::pushMessageAnswer(mrOk);  // fields that are not there
    ScriptedAnswers::pushMessageAnswer(mrOk);  // the 32nd pair
    ScriptedAnswers::pushMessageAnswer(mrOk);  // the row that fails
    wizard(orvServer->daten, true, file, [](Teximp2& f) {
        f.Button1->click();
        EXPECT_TRUE(f.isVisible() || f.ModalResult() == mrNone);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtInformation);
        // A loaded mapping naming fields the sheet and the units lack: both named, nothing written.
        f.SpeedButton13->click();
        f.Button1->click();
        EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.contains(QStringLiteral("Quelle \"Puls\"")));
        EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.contains(QStringLiteral("Ziel \"Distanz\"")));
        f.SpeedButton13->click();  // an empty mapping file starts again
        EXPECT_EQ(f.ListBox3->count(), 0);
        for (int i = 0; i < 31; ++i)
            map(f, {"Meter"});
        map(f, {"Meter"});
        EXPECT_EQ(f.ListBox3->count(), 31);
        EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.contains(QStringLiteral("31")));
        f.Button1->click();
        f.Button3->click();
    });
    const RecordedMessage m = ScriptedAnswers::lastMessage();
    EXPECT_EQ(m.Type, mtError);
    EXPECT_TRUE(m.Text.contains(QStringLiteral("Zeile 7, Feld \"Meter\""))) << m.Text.toStdString();
    EXPECT_TRUE(m.Text.endsWith(QStringLiteral("(Datei \"%1\", Tabelle \"Tabelle1$\")").arg(file)))
        << m.Text.toStdString();
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM DATEN")), before);
    EXPECT_EQ(orvServer->daten.RecordCount(), before);
    for (const RecordedMessage& shown : ScriptedAnswers::messages())
        EXPECT_FALSE(shown.Text.startsWith(QStringLiteral("Import erfolgreich")));
}

TEST_F(ImportWizardTest, SplitRowsJoinTheCurrentUnitAsHeartRateRowsOnThatTab)
{
    ASSERT_TRUE(orvServer->daten.Locate(QStringLiteral("dat_Id"), 7));
    eingabe->TabControl1->setCurrentIndex(1);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    wizard(orvServer->zeit, true, officeFixture("lo-training.xlsx"), [](Teximp2& f) {
        EXPECT_FALSE(f.ListBox2->findItems(QStringLiteral("zei_hrm"), Qt::MatchExactly).isEmpty());
        map(f, {"Meter"});
        f.Button1->click();
    });
    EXPECT_EQ(db.value(QStringLiteral("SELECT group_concat(Meter || '/' || zei_hrm, ' ') FROM (SELECT * FROM zeit "
                                      "WHERE zei_Id = 7 ORDER BY Meter)"))
                  .toString(),
              QStringLiteral("5000/1 10000/1 21097/1"));

    // Units: the key and the unit type fields are not offered, the looked-up names are.
    wizard(orvServer->daten, true, officeFixture("lo-training.xlsx"), [](Teximp2& f) {
        QStringList targets;
        for (int i = 0; i < f.ListBox2->count(); ++i)
            targets << f.ListBox2->item(i)->text();
        EXPECT_FALSE(targets.contains(QStringLiteral("dat_Id")));
        for (const QString& t : targets)
            EXPECT_FALSE(t.startsWith(QStringLiteral("unt_"))) << t.toStdString();
        EXPECT_TRUE(targets.contains(QStringLiteral("SportName")));
        f.Button3->click();
    });

    // A unit not saved yet has no id for split rows: refused, nothing written.
    orvServer->daten.Insert();
    const int rows = count(QStringLiteral("SELECT count(*) FROM zeit"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    wizard(orvServer->zeit, true, officeFixture("lo-training.xlsx"), [](Teximp2& f) {
        map(f, {"Meter"});
        f.Button1->click();
        f.Button3->click();
    });
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM zeit")), rows);
    orvServer->daten.Cancel();
}

TEST_F(ImportWizardTest, StepOneRefusesAFileOfTheOtherKind)
{
    ScriptedAnswers::pushMessageAnswer(mrOk);
    wizard(orvServer->daten, false, officeFixture("lo-training.xls"), nullptr);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    wizard(orvServer->daten, true, QString(), nullptr);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtInformation);
}

TEST_F(ImportWizardTest, TheFourCommandsOpenTheWizardForTheirTargetAndSource)
{
    struct Seen {
        TDataSet* target = nullptr;
        bool excel = false;
    } seen;
    // A command run from the main window's menu or from the entry window's split-row menu.
    auto expect = [&](const char* name, std::function<void()> run, TDataSet& target, bool excel) {
        seen = {};
        ScriptedAnswers::onShowModal<Teximp>([&](Teximp& f) {
            seen = {f.target, f.excel};
            f.Button3->click();
        });
        run();
        EXPECT_EQ(seen.target, &target) << name;
        EXPECT_EQ(seen.excel, excel) << name;
    };
    UpdateAllActions();
    ASSERT_TRUE(MainForm->FileExcelImport1->Enabled());
    ASSERT_TRUE(MainForm->FileDBImport1->Enabled());
    ASSERT_TRUE(eingabe->Excelimport1->isEnabled());
    ASSERT_TRUE(eingabe->DBImport1->isEnabled());
    expect("FileExcelImport1", [] { MainForm->FileExcelImport1->Execute(); }, orvServer->daten, true);
    expect("FileDBImport1", [] { MainForm->FileDBImport1->Execute(); }, orvServer->daten, false);
    expect("Excelimport1", [] { eingabe->Excelimport1->trigger(); }, orvServer->zeit, true);
    expect("DBImport1", [] { eingabe->DBImport1->trigger(); }, orvServer->zeit, false);
}

}  // namespace
