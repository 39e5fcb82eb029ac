// Copy, paste and templates of a training unit: the main window's actions on the program as the
// user starts it, the unit data packet files they write and read, and what lands in `daten`.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cmath>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/unitpacket.h"
#include "platform/db/datapacket.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/errorbox.h"
#include "traininglog/einheiteneingabe.h"

namespace {

const TDateTime kMarch15 = EncodeDate(2005, 3, 15);

class UnitPacketTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        // Block 7, created after the unit's day (no date warning when the unit is saved).
        db.exec("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created, trb_sportart, trb_form) "
                "VALUES (7, 'Frühjahr', 40000, 1, 1)");
        // No buffer or template of an earlier run.
        QFile::remove(buffer());
        QDir(QDir(UserDataDir()).filePath("mt5")).removeRecursively();
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
    }

    TDataSet& daten() { return orvServer->daten; }
    TField* field(const char* name) { return daten().FieldByName(QString::fromLatin1(name)); }
    QString buffer() const { return QDir(UserDataDir()).filePath("Temp/~copy.xml"); }

    // The unit with a distinct value in every stored field, saved.
    void enterUnit()
    {
        daten().Insert();
        const QList<std::pair<const char*, QVariant>> values = {
            {"Datum", kMarch15},
            {"Ort", "Stadtpark"},
            {"Form", 1},
            {"Startzeit", EncodeTime(7, 45, 30, 250)},
            {"Gefuehl", "2 - gut"},
            {"Zeit", EncodeTime(0, 50, 0, 0)},
            {"Meter", 10000},
            {"Wetter", "klar"},
            {"Wind", "schwach"},
            {"Hoehendifferenz", 35},
            {"Bemerkungen", "Intervalle\nam See"},
            {"Temperatur", 12},
            {"Puls", 150},
            {"Belastungsart", 3},
            {"Streckenbeschreibung", "zwei Runden"},
            {"Sportart", 1},
            {"Gli", 1.5},
            {"Gewicht", 72.5},
            {"Belastungsstufe", 2},
            {"User1", "frei"},
            {"User2", 3.25},
            {"Maxpuls", 181},
            {"Ruhepuls", 48},
            {"Erholungspuls", 95},
            {"Fett", 14.5},
            {"kcal", 800},
            {"platz", 3},
            {"trainingsblock", 7},
            {"akplatz", 2},
        };
        for (const auto& [name, value] : values)
            field(name)->SetValue(value);
        daten().Post();
    }

    QMap<QString, QVariant> storedValues()
    {
        QMap<QString, QVariant> v;
        for (const QString& name : UnitPacketFieldNames(daten()))
            v.insert(name, daten().FieldByName(name)->Value());
        return v;
    }

    int unitCount() const { return db.value("SELECT COUNT(*) FROM daten").toInt(); }

    AthleteDatabase db;
};

TEST_F(UnitPacketTest, PasteGivesAnUnsavedCopyWithItsDerivedFieldsRecomputed)
{
    enterUnit();
    const QMap<QString, QVariant> copied = storedValues();
    ASSERT_EQ(copied.size(), 29);
    const int id = field("dat_Id")->AsInteger();

    MainForm->EditCopy1Execute(MainForm->EditCopy1);
    ASSERT_TRUE(QFileInfo::exists(buffer()));
    MainForm->EditPaste1Execute(MainForm->EditPaste1);

    EXPECT_EQ(daten().State(), dsInsert);
    EXPECT_EQ(storedValues(), copied);
    EXPECT_TRUE(field("dat_Id")->IsNull());
    EXPECT_DOUBLE_EQ(field("kmh")->AsFloat(), 12.0);
    EXPECT_EQ(FormatDateTime("hh:nn:ss", field("minkm")->AsDateTime()), "00:05:00");
    EXPECT_EQ(unitCount(), 1);  // not saved yet

    daten().Post();
    EXPECT_EQ(unitCount(), 2);
    EXPECT_NE(field("dat_Id")->AsInteger(), id);
    EXPECT_EQ(field("trainingsblock")->AsInteger(), 7);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

// The distance field shows the pasted or loaded distance in the sport's unit at once (15,5 km,
// not the 15500 stored metres), before the user enters it.
TEST_F(UnitPacketTest, PasteAndTemplateShowTheDistanceInTheSportsUnitAtOnce)
{
    enterUnit();
    daten().Edit();
    field("Meter")->SetAsInteger(15500);
    daten().Post();
    MainForm->EditCopy1Execute(MainForm->EditCopy1);
    MainForm->EditPaste1Execute(MainForm->EditPaste1);
    EXPECT_EQ(eingabe->DBEdit2->text(), "15,5");
    daten().Cancel();

    daten().Edit();
    ScriptedAnswers::pushFileName(buffer());
    MainForm->Action22->Execute();
    EXPECT_EQ(eingabe->DBEdit2->text(), "15,5");
    daten().Cancel();
    EXPECT_EQ(eingabe->DBEdit2->text(), "15,5");
}

TEST_F(UnitPacketTest, RoundTripKeepsNullsTimeOfDayAndDurationToTheMillisecond)
{
    enterUnit();
    daten().Edit();
    field("Zeit")->SetAsDateTime(EncodeTime(1, 2, 3, 456));
    for (const char* name : {"Temperatur", "User1", "Wetter", "Bemerkungen"})
        field(name)->Clear();
    daten().Post();
    const QMap<QString, QVariant> copied = storedValues();

    MainForm->EditCopy1Execute(MainForm->EditCopy1);
    MainForm->EditPaste1Execute(MainForm->EditPaste1);

    EXPECT_EQ(storedValues(), copied);
    for (const char* name : {"Temperatur", "User1", "Wetter", "Bemerkungen"})
        EXPECT_TRUE(field(name)->IsNull()) << name;
    EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", field("Startzeit")->AsDateTime()), "07:45:30.250");
    EXPECT_EQ(std::llround(field("Zeit")->AsDateTime() * MSecsPerDay), 3723456);
    EXPECT_DOUBLE_EQ(field("Datum")->AsDateTime(), kMarch15);
}

TEST_F(UnitPacketTest, PasteWhileEditingOverwritesThatUnitAndWithoutBufferDoesNothing)
{
    // No buffer yet: nothing happens and nothing is said.
    MainForm->EditPaste1Execute(MainForm->EditPaste1);
    EXPECT_EQ(daten().State(), dsBrowse);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());

    enterUnit();
    MainForm->EditCopy1Execute(MainForm->EditCopy1);
    daten().Insert();
    field("Datum")->SetAsDateTime(EncodeDate(2006, 1, 2));
    field("Ort")->SetAsString("Hafen");
    field("Sportart")->SetAsInteger(2);
    field("Form")->SetAsInteger(1);
    field("Belastungsart")->SetAsInteger(0);
    field("Belastungsstufe")->SetAsInteger(0);
    field("Zeit")->SetAsDateTime(EncodeTime(1, 0, 0, 0));
    field("trainingsblock")->SetAsInteger(7);
    daten().Post();
    const int id = field("dat_Id")->AsInteger();

    daten().Edit();
    MainForm->EditPaste1Execute(MainForm->EditPaste1);
    EXPECT_EQ(daten().State(), dsEdit);
    EXPECT_EQ(field("dat_Id")->AsInteger(), id);
    EXPECT_EQ(field("Ort")->AsString(), "Stadtpark");
    EXPECT_EQ(field("Sportart")->AsInteger(), 1);
    daten().Post();
    EXPECT_EQ(unitCount(), 2);
}

TEST_F(UnitPacketTest, APastedUnitWhoseBlockIsGoneGetsANewBlockWhenSaved)
{
    enterUnit();
    MainForm->EditCopy1Execute(MainForm->EditCopy1);
    ScriptedAnswers::pushMessageAnswer(mrYes);  // the emptied block goes with its unit
    daten().Delete();
    ASSERT_EQ(db.value("SELECT COUNT(*) FROM trainingsblock WHERE trb_Id = 7").toInt(), 0);

    MainForm->EditPaste1Execute(MainForm->EditPaste1);
    EXPECT_EQ(field("trainingsblock")->AsInteger(), 0);
    daten().Post();
    const int block = field("trainingsblock")->AsInteger();
    EXPECT_GT(block, 0);
    EXPECT_NE(block, 7);
    EXPECT_TRUE(db.value(QString("SELECT trb_Name FROM trainingsblock WHERE trb_Id = %1").arg(block))
                    .toString()
                    .startsWith("Training: Laufen"));
}

TEST_F(UnitPacketTest, TemplatesKeepTheirDateOrGiveTodayAndAlwaysANewBlock)
{
    enterUnit();
    const QString folder = QDir(UserDataDir()).filePath("mt5");
    const QString file = QDir(folder).filePath("lauf.mt5");
    ScriptedAnswers::pushFileName(QDir(folder).filePath("lauf"));  // the extension comes by default
    MainForm->EditMuster1->Execute();
    ASSERT_TRUE(QFileInfo::exists(file));
    const RecordedFileDialog save = ScriptedAnswers::fileDialogs().last();
    EXPECT_TRUE(save.Save);
    EXPECT_EQ(save.InitialDir, folder);
    EXPECT_EQ(save.Filter, "Orvalo 5 Musterdatei (*.mt5)|*.mt5");

    ScriptedAnswers::pushFileName(file);
    MainForm->Action22->Execute();
    EXPECT_EQ(ScriptedAnswers::fileDialogs().last().InitialDir, folder);
    EXPECT_EQ(daten().State(), dsInsert);
    EXPECT_DOUBLE_EQ(field("Datum")->AsDateTime(), kMarch15);
    EXPECT_EQ(field("trainingsblock")->AsInteger(), 0);
    EXPECT_EQ(field("Ort")->AsString(), "Stadtpark");
    daten().Cancel();

    // A template without a date (null or zero) dates its unit today.
    for (const QVariant& noDate : {QVariant(), QVariant(0.0)}) {
        TDataPacket p = LoadDataPacket(file);
        p.rows[0][p.FieldIndex("Datum")] = noDate;
        SaveDataPacket(p, file);
        ScriptedAnswers::pushFileName(file);
        MainForm->Action22->Execute();
        EXPECT_DOUBLE_EQ(field("Datum")->AsDateTime(), EncodeDate(2024, 3, 15));
        EXPECT_EQ(field("trainingsblock")->AsInteger(), 0);
        daten().Cancel();
    }

    // Cancelling the dialog changes nothing.
    ScriptedAnswers::pushFileName(QString());
    MainForm->Action22->Execute();
    EXPECT_EQ(daten().State(), dsBrowse);
}

TEST_F(UnitPacketTest, ATemplateAppliedToASavedUnitKeepsItsBlock)
{
    enterUnit();
    MainForm->EditCopy1Execute(MainForm->EditCopy1);
    daten().Edit();
    ScriptedAnswers::pushFileName(buffer());
    MainForm->Action22->Execute();
    EXPECT_EQ(field("trainingsblock")->AsInteger(), 7);
    daten().Cancel();
}

TEST_F(UnitPacketTest, FieldsArePairedByName)
{
    // Another program's packet: its own order, only two unit fields and one it does not know.
    const QString file = db.folder().write("kurz.mt5", WriteDataPacket([] {
        TDataPacket p;
        p.fields = {{"Meter", ftInteger}, {"Fremd", ftString, 10}, {"Ort", ftString, 30, true}};
        p.rows = {{QVariant(5000), QVariant("x"), QVariant("Wald")}};
        return p;
    }()));
    ScriptedAnswers::pushFileName(file);
    MainForm->Action22->Execute();
    EXPECT_EQ(daten().State(), dsInsert);
    EXPECT_EQ(field("Meter")->AsInteger(), 5000);
    EXPECT_EQ(field("Ort")->AsString(), "Wald");
    EXPECT_EQ(field("Hoehendifferenz")->AsInteger(), 0);  // the new unit's default
    EXPECT_DOUBLE_EQ(field("Datum")->AsDateTime(), EncodeDate(2024, 3, 15));
    daten().Cancel();
}

TEST_F(UnitPacketTest, AFileThatIsNoUnitPacketShowsAnErrorAndLeavesDatenAlone)
{
    enterUnit();
    const QString good = db.folder().file("gut.mt5");
    MainForm->cds.Close();
    ASSERT_TRUE(WriteUnitPacket(daten(), MainForm->cds, good));
    const QString text = QString::fromUtf8([&] {
        QFile f(good);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }());
    TDataPacket other;
    other.fields = {{"vol_id", ftAutoInc}, {"vol_name", ftString, 255}};
    other.rows = {{QVariant(1), QVariant("/daten/x.orv")}};
    TDataPacket textMeter;
    textMeter.fields = {{"Ort", ftString, 30, true}, {"Meter", ftString, 10, true}};
    textMeter.rows = {{QVariant("Wald"), QVariant("zehn")}};

    const struct {
        const char* name;
        QByteArray content;
        const char* detail;
    } cases[] = {
        {"not XML", "kein XML", "kein gültiges Datenpaket"},
        {"cut off", text.left(text.size() - 40).toUtf8(), "kein gültiges Datenpaket"},
        {"another layout", WriteDataPacket(other), "keine Trainingseinheit"},
        {"a value of the wrong kind", WriteDataPacket(textMeter), "'zehn' im Feld 'Meter'"},
    };
    for (const auto& c : cases) {
        const QString file = db.folder().write("bad.mt5", c.content);
        for (bool editingFirst : {false, true}) {
            if (editingFirst) {
                daten().Edit();
                field("Ort")->SetAsString("Getippt");
            }
            ErrorBoxRecorder errors;
            ScriptedAnswers::pushFileName(file);
            MainForm->Action22->Execute();
            ASSERT_EQ(errors.shown.size(), 1) << c.name;
            EXPECT_TRUE(errors.shown[0].startsWith("Die angegebene Datei konnte nicht richtig interpretiert werden."))
                << c.name;
            EXPECT_TRUE(errors.shown[0].contains(c.detail)) << c.name << ": " << errors.shown[0].toStdString();
            EXPECT_EQ(daten().State(), editingFirst ? dsEdit : dsBrowse) << c.name;
            EXPECT_EQ(field("Ort")->AsString(), editingFirst ? "Getippt" : "Stadtpark") << c.name;
            EXPECT_EQ(field("Meter")->AsInteger(), 10000) << c.name;
            if (editingFirst)
                daten().Cancel();
        }
    }

    // A packet without a row changes nothing and says nothing.
    TDataPacket empty = LoadDataPacket(good);
    empty.rows.clear();
    const QString none = db.folder().write("leer.mt5", WriteDataPacket(empty));
    ErrorBoxRecorder errors;
    ScriptedAnswers::pushFileName(none);
    MainForm->Action22->Execute();
    EXPECT_TRUE(errors.shown.isEmpty());
    EXPECT_EQ(daten().State(), dsBrowse);
}

}  // namespace
