// The template editor on the program as the user starts it: templates made, saved, loaded and
// applied to the current training unit, and what lands in the files and in `daten`.
#include <gtest/gtest.h>

#include <algorithm>

#include <QDir>
#include <QFile>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/unitpacket.h"
#include "platform/db/datapacket.h"
#include "platform/vcl/actnlist.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/musteredit.h"

namespace {

const TDateTime kToday = EncodeDate(2024, 3, 15);  // the fixture's clock
const TDateTime kMay2 = EncodeDate(2023, 5, 2);

class MustereditTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        db.exec("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created, trb_sportart, trb_form) "
                "VALUES (7, 'Frühjahr', 40000, 1, 1)");
        QDir(folder()).removeRecursively();
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
        editor = std::make_unique<Tmusteredit>(MainForm->cds, MainForm->cds2, MainForm->SaveDialog1, MainForm);
    }

    void TearDown() override
    {
        editor.reset();
        ProgramTest::TearDown();
    }

    TDataSet& daten() { return orvServer->daten; }
    TField* field(const char* name) { return daten().FieldByName(QString::fromLatin1(name)); }
    TClientDataSet& cds() { return MainForm->cds; }
    TField* cdsField(const char* name) { return cds().FieldByName(QString::fromLatin1(name)); }
    QString folder() const { return QDir(UserDataDir()).filePath("mt5"); }
    int unitCount() const { return db.value("SELECT COUNT(*) FROM daten").toInt(); }

    // A new template typed into the editor, still being edited.
    void typeTemplate(const QVariant& date)
    {
        editor->DataSetInsert1Execute(editor->DataSetInsert1);
        cds().Edit();
        if (date.isNull())
            cdsField("Datum")->Clear();
        else
            cdsField("Datum")->SetAsDateTime(date.toDouble());
        cdsField("Ort")->SetAsString("Stadtpark");
        cdsField("Meter")->SetAsInteger(8000);
        cdsField("Sportart")->SetAsInteger(1);
        cdsField("Form")->SetAsInteger(1);
        cdsField("Belastungsart")->SetAsInteger(0);
        cdsField("Belastungsstufe")->SetAsInteger(0);
        cdsField("Zeit")->SetAsDateTime(EncodeTime(0, 40, 0, 0));
        cdsField("trainingsblock")->SetAsInteger(7);
    }

    // Saves through "Muster speichern" under a name in the template folder.
    QString save(const QString& name)
    {
        const QString file = QDir(folder()).filePath(name);
        ScriptedAnswers::pushFileName(file);
        editor->DataSetPost1Execute(editor->DataSetPost1);
        return file;
    }

    bool applyEnabled()
    {
        editor->ActionManager1->UpdateActions();
        return editor->Action2->Enabled();
    }

    // A saved unit of block 7.
    void enterUnit()
    {
        daten().Insert();
        field("Datum")->SetAsDateTime(EncodeDate(2006, 1, 2));
        field("Ort")->SetAsString("Hafen");
        field("Meter")->SetAsInteger(5000);
        field("Sportart")->SetAsInteger(1);
        field("Form")->SetAsInteger(1);
        field("Belastungsart")->SetAsInteger(0);
        field("Belastungsstufe")->SetAsInteger(0);
        field("Zeit")->SetAsDateTime(EncodeTime(1, 0, 0, 0));
        field("trainingsblock")->SetAsInteger(7);
        daten().Post();
    }

    AthleteDatabase db;
    std::unique_ptr<Tmusteredit> editor;
};

TEST_F(MustereditTest, TheMainActionAppliesATemplateToANewUnitDatedByTheTemplateOrToday)
{
    const struct {
        const char* name;
        QVariant date;
        TDateTime expected;
    } cases[] = {
        {"no date", QVariant(), kToday},
        {"a date", QVariant(kMay2), kMay2},
    };
    editor.reset();
    for (const auto& c : cases) {
        const int units = unitCount();
        UpdateAllActions();
        ASSERT_TRUE(MainForm->Action25->Enabled());
        ScriptedAnswers::onShowModal<Tmusteredit>([&](Tmusteredit& f) {
            editor.reset(&f);
            typeTemplate(c.date);
            EXPECT_TRUE(applyEnabled());
            f.Action2->Execute();
            (void)editor.release();
        });
        MainForm->Action25->Execute();
        EXPECT_EQ(musteredit, nullptr);
        EXPECT_FALSE(cds().Active()) << c.name;  // the buffer goes with the editor
        EXPECT_EQ(daten().State(), dsInsert) << c.name;
        EXPECT_DOUBLE_EQ(field("Datum")->AsDateTime(), c.expected) << c.name;
        EXPECT_EQ(field("Ort")->AsString(), "Stadtpark") << c.name;
        EXPECT_EQ(field("Meter")->AsInteger(), 8000) << c.name;
        EXPECT_EQ(field("trainingsblock")->AsInteger(), 0) << c.name;
        EXPECT_EQ(field("Hoehendifferenz")->AsInteger(), 0) << c.name;  // left empty: the default stays
        EXPECT_EQ(unitCount(), units) << c.name;  // nothing posted

        daten().Post();
        const int block = field("trainingsblock")->AsInteger();
        EXPECT_GT(block, 0) << c.name;
        EXPECT_NE(block, 7) << c.name;
    }
}

TEST_F(MustereditTest, ApplyingWhileAUnitIsEditedKeepsItsIdAndBlock)
{
    enterUnit();
    const int id = field("dat_Id")->AsInteger();
    daten().Edit();
    typeTemplate(QVariant(kMay2));
    cdsField("trainingsblock")->SetAsInteger(3);

    editor->Action2Execute(editor->Action2);
    EXPECT_EQ(daten().State(), dsEdit);
    EXPECT_EQ(field("dat_Id")->AsInteger(), id);
    EXPECT_EQ(field("trainingsblock")->AsInteger(), 7);
    EXPECT_EQ(field("Ort")->AsString(), "Stadtpark");
    EXPECT_DOUBLE_EQ(field("Datum")->AsDateTime(), kMay2);
    EXPECT_EQ(db.value("SELECT Ort FROM daten").toString(), "Hafen");  // not posted
    daten().Cancel();
}

TEST_F(MustereditTest, SavingCreatesTheFolderPostsTheEditAndStoresTheDateOnlyWhenChecked)
{
    ASSERT_FALSE(QFileInfo::exists(folder()));
    for (bool keepDate : {false, true}) {
        typeTemplate(QVariant());
        editor->BitBtn3Click(editor->BitBtn3);  // "H"
        EXPECT_DOUBLE_EQ(cdsField("Datum")->AsDateTime(), kToday);
        editor->CheckBox1->setChecked(keepDate);
        cdsField("Ort")->SetAsString("Getippt");  // still being edited when saved
        const QString file = save(keepDate ? "mit.mt5" : "ohne.mt5");
        EXPECT_EQ(ScriptedAnswers::fileDialogs().last().InitialDir, folder());
        ASSERT_TRUE(QFileInfo::exists(file));
        const TDataPacket p = LoadDataPacket(file);
        ASSERT_EQ(p.rows.size(), 1);
        EXPECT_EQ(p.rows[0][p.FieldIndex("Ort")].toString(), "Getippt");

        editor->DataSetCancel1Execute(editor->DataSetCancel1);
        EXPECT_FALSE(cds().Active());
        editor->CheckBox1->setChecked(!keepDate);
        editor->LoadTemplateFile(file);
        ASSERT_TRUE(cds().Active());
        EXPECT_EQ(editor->CheckBox1->isChecked(), keepDate);
        EXPECT_EQ(cdsField("Datum")->IsNull(), !keepDate);
        EXPECT_EQ(editor->DBEdit1->text(), "Getippt");
    }

    // The editor opens in the template folder once it exists.
    Tmusteredit again(MainForm->cds, MainForm->cds2, MainForm->SaveDialog1, MainForm);
    again.FormShow(&again);
    EXPECT_EQ(again.CurrentFolder(), QDir::cleanPath(folder()));
}

TEST_F(MustereditTest, AFileThatIsNoTemplateIsNamedAndLeavesNoTemplateLoaded)
{
    typeTemplate(QVariant());
    const QString good = save("gut.mt5");
    editor->LoadTemplateFile(good);
    ASSERT_TRUE(applyEnabled());

    TDataPacket other;
    other.fields = {{"vol_id", ftAutoInc}, {"vol_name", ftString, 255}};
    other.rows = {{QVariant(1), QVariant("/daten/x.orv")}};
    for (const QByteArray& content : {QByteArray("kein XML"), WriteDataPacket(other)}) {
        const QString bad = db.folder().write("bad.mt5", content);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        editor->LoadTemplateFile(bad);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, QDir::toNativeSeparators(bad) + " ist keine gültige Musterdatei.");
        EXPECT_FALSE(cds().Active());
        EXPECT_FALSE(applyEnabled());
        editor->Action2Execute(editor->Action2);
        EXPECT_EQ(daten().State(), dsBrowse);
        editor->LoadTemplateFile(good);
    }
}

TEST_F(MustereditTest, ANewTemplateEmptiesTheEditorAndWithoutValuesIsNeitherSavedNorApplied)
{
    typeTemplate(QVariant(kMay2));
    const QString file = save("lauf.mt5");
    const QByteArray before = [&] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    editor->LoadTemplateFile(file);
    EXPECT_EQ(editor->DBEdit1->text(), "Stadtpark");

    editor->DataSetInsert1Execute(editor->DataSetInsert1);
    EXPECT_TRUE(cds().Active());
    EXPECT_TRUE(cds().IsEmpty());
    EXPECT_EQ(editor->DBEdit1->text(), "");
    EXPECT_FALSE(applyEnabled());

    const int dialogs = ScriptedAnswers::fileDialogs().size();
    ScriptedAnswers::pushMessageAnswer(mrOk);
    editor->DataSetPost1Execute(editor->DataSetPost1);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Das Muster enthält keine Werte und wird nicht gespeichert.");
    EXPECT_EQ(ScriptedAnswers::fileDialogs().size(), dialogs);  // no file asked for, none written

    ScriptedAnswers::pushMessageAnswer(mrOk);
    editor->Action2Execute(editor->Action2);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Das Muster enthält keine Werte.");
    EXPECT_EQ(daten().State(), dsBrowse);

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(MustereditTest, APacketWithReorderedFieldsPutsEveryValueIntoItsOwnField)
{
    typeTemplate(QVariant(kMay2));
    cdsField("Puls")->SetAsInteger(142);
    cdsField("Temperatur")->SetAsInteger(-3);
    editor->CheckBox1->setChecked(true);
    const QString file = save("lauf.mt5");
    TDataPacket p = LoadDataPacket(file);
    std::reverse(p.fields.begin(), p.fields.end());
    for (auto& row : p.rows)
        std::reverse(row.begin(), row.end());
    SaveDataPacket(p, file);

    editor->DataSetCancel1Execute(editor->DataSetCancel1);
    editor->LoadTemplateFile(file);
    EXPECT_EQ(cdsField("Ort")->AsString(), "Stadtpark");
    EXPECT_EQ(cdsField("Puls")->AsInteger(), 142);

    editor->Action2Execute(editor->Action2);
    EXPECT_EQ(field("Ort")->AsString(), "Stadtpark");
    EXPECT_EQ(field("Meter")->AsInteger(), 8000);
    EXPECT_EQ(field("Puls")->AsInteger(), 142);
    EXPECT_EQ(field("Temperatur")->AsInteger(), -3);
    EXPECT_DOUBLE_EQ(field("Datum")->AsDateTime(), kMay2);
    EXPECT_EQ(FormatDateTime("hh:nn:ss", field("Zeit")->AsDateTime()), "00:40:00");
    daten().Cancel();
}

TEST_F(MustereditTest, ApplyingNeedsAnOpenDatabase)
{
    typeTemplate(QVariant());
    cds().Post();
    ASSERT_TRUE(applyEnabled());
    MainForm->FileClose1Execute(MainForm->FileClose1);
    ASSERT_FALSE(daten().Active());
    EXPECT_FALSE(applyEnabled());
    editor->Action2Execute(editor->Action2);
    EXPECT_FALSE(daten().Active());
}

}  // namespace
