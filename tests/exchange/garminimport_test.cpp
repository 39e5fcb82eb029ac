// The run-file import as a user runs it: "Weiter >" asks for the file, the run list shows its
// runs, "Ok" writes every ticked run as a unit with its laps and track points, a run that fails
// leaves nothing behind and is named at the end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <ctime>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "exchange/garminimport.h"
#include "exchange/selforerunner.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/testenv.h"
#include "traininglog/einheiteneingabe.h"

namespace {

class ZoneScope {
public:
    explicit ZoneScope(const char* zone) : had_(qEnvironmentVariableIsSet("TZ")), old_(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneScope()
    {
        if (had_)
            qputenv("TZ", old_);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    bool had_;
    QByteArray old_;
};

QByteArray lap(const char* start, const char* length, const char* duration)
{
    return QByteArray("<Lap>") + (start ? QByteArray("<StartTime>") + start + "</StartTime>" : QByteArray()) +
           "<Duration>" + duration + "</Duration><Length>" + length + "</Length></Lap>\n";
}

QByteArray point(const char* time, const char* latitude, const char* altitude)
{
    QByteArray p = QByteArray("<Trackpoint>");
    if (latitude)
        p += QByteArray("<Position><Latitude>") + latitude + "</Latitude><Longitude>7.0</Longitude><Altitude>" +
             altitude + "</Altitude></Position>";
    return p + "<Time>" + time + "</Time></Trackpoint>\n";
}

QByteArray runs(const QList<QByteArray>& bodies)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Runs xmlns=\"http://example.org/logbook\">\n";
    for (const QByteArray& b : bodies)
        xml += "<Run>\n" + b + "</Run>\n";
    return xml + "</Runs>\n";
}

// The texts of a list row's first five columns.
QStringList rowTexts(TExtColumnGrid& g, int row)
{
    QStringList texts;
    for (int c = 0; c < 5; ++c)
        texts << g.GetCellText(c, row);
    return texts;
}

// The summer run of three laps and five points (the third without a position), a winter run
// that starts 23:30 universal time.
QByteArray summerAndWinter()
{
    return runs({lap("2008-07-15T05:30:00Z", "1000.4", "PT300.9S") + lap(nullptr, "999.6", "PT300S") +
                     lap(nullptr, "1000.5", "PT300.2S") + "<Track>\n" +
                     point("2008-07-15T05:30:00Z", "51.000", "100") + point("2008-07-15T05:30:10Z", "51.001", "98") +
                     point("2008-07-15T05:30:20Z", nullptr, nullptr) +
                     point("2008-07-15T05:30:30Z", "51.002", "102.5") +
                     point("2008-07-15T05:30:40Z", "51.003", "99") + "</Track>\n",
                 lap("2008-01-15T23:30:00Z", "5000", "PT1500S")});
}

class GarminImportTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
                "Hoehendifferenz, trainingsblock) VALUES (7, 39600, 0.02, 5000, 1, 1, 1, 1, 0, 0)");
        db.exec("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, zei_hrm) VALUES (7, 1000, 0.003, 0)");
        StartProgram({db.path()});
        ASSERT_NE(eingabe, nullptr);
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = saved_;
    }

    // Chooses the file in the import's first step; `play` acts in the run list.
    void import(const QString& file, std::function<void(TselectForerunner&)> play)
    {
        ScriptedAnswers::pushFileName(file);
        if (play)
            ScriptedAnswers::onShowModal<TselectForerunner>(std::move(play));
        ModalForm<Tgarminimp> form(garminimp, MainForm);
        form->Button2->click();
    }

    int count(const QString& sql) const { return db.value(sql).toInt(); }
    QString rows(int unit, bool hrm) const
    {
        return db.value(QStringLiteral("SELECT group_concat(Meter || '/' || ifnull(HDiff, '-') || '/' || "
                                       "round(Zwischenzeit * 86400), ' ') FROM (SELECT * FROM zeit WHERE zei_Id = %1 "
                                       "AND zei_hrm = %2 ORDER BY Zwischenzeit)")
                            .arg(unit)
                            .arg(hrm ? 1 : 0))
            .toString();
    }

    AthleteDatabase db;
    TempFolder files;
    TFormatSettings saved_;
};

TEST_F(GarminImportTest, ListsTheRunsAndWritesUnitsLapsAndPointsInLocalTime)
{
    ZoneScope zone("Europe/Berlin");
    // Imported in January: the July run keeps its summer offset.
    SetClock([] { return EncodeDate(2026, 1, 20) + EncodeTime(10, 0, 0, 0); });
    const QString file = files.write(QStringLiteral("runs.xml"), summerAndWinter());
    import(file, [](TselectForerunner& f) {
        TExtColumnGrid& g = *f.ExtColumnGrid1;
        EXPECT_EQ(g.RowCount(), 3);
        EXPECT_EQ(rowTexts(g, 0).mid(1, 4), (QStringList{"Datum", "Startzeit", "Distanz", "Zeit"}));
        EXPECT_EQ(rowTexts(g, 1), (QStringList{"false", "15.07.2008", "07:30:00", "3000", "00:15:00"}));
        EXPECT_EQ(rowTexts(g, 2), (QStringList{"false", "16.01.2008", "00:30:00", "5000", "00:25:00"}));
        EXPECT_TRUE(g.GetCellText(5, 1).startsWith(QStringLiteral("<Run>")));
        EXPECT_EQ(g.ColWidths(5), 0);
        EXPECT_EQ(g.ColWidths(0), 21);
        g.ToggleCheckBox(0, 1, true);
        g.ToggleCheckBox(0, 2, true);
        f.Button1->click();
    });
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM DATEN")), 3);
    const int summer = count(QStringLiteral("SELECT dat_Id FROM DATEN WHERE Meter = 3000"));
    const int winter = count(QStringLiteral("SELECT dat_Id FROM DATEN WHERE Meter = 5000 AND dat_Id <> 7"));
    auto unit = [&](int id) {
        return db.value(QStringLiteral("SELECT Datum || ' ' || round(Startzeit * 1440) || ' ' || round(Zeit * 86400) "
                                       "|| ' ' || Hoehendifferenz FROM DATEN WHERE dat_Id = %1")
                            .arg(id))
            .toString();
    };
    // 15.07.2008 07:30, 900 s from the truncated laps (300 + 300 + 300), climb 2 + 1 + 1.
    EXPECT_EQ(unit(summer), QStringLiteral("39644 450.0 900.0 4"));
    EXPECT_EQ(unit(winter), QStringLiteral("39463 30.0 1500.0 0"));
    EXPECT_EQ(rows(summer, false), QStringLiteral("1000/0/300.0 2000/0/600.0 3000/0/900.0"));
    // 0.001° of latitude is 111 m; the point without a position repeats distance and altitude.
    EXPECT_EQ(rows(summer, true), QStringLiteral("0/100/0.0 111/98/10.0 111/98/20.0 222/102/30.0 333/99/40.0"));
    EXPECT_EQ(rows(7, false), QStringLiteral("1000/0/259.0"));
    EXPECT_TRUE(eingabe->zwFillEnabled);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join('\n').toStdString();
}

TEST_F(GarminImportTest, AFailingRunLeavesNothingAndIsNamed)
{
    ZoneScope zone("UTC");
    const QString file = files.write(
        QStringLiteral("three.xml"),
        runs({lap("2008-07-01T06:00:00Z", "1000", "PT300S") + "<Track>" + point("2008-07-01T06:00:00Z", "51", "5") +
                  "</Track>",
              lap("2008-07-02T06:00:00Z", "2000", "PT600S") + "<Track>" + point("2008-07-02T06:00:00Z", "51", "5") +
                  "</Track>",
              lap("2008-07-03T06:00:00Z", "3000", "PT900S")}));
    const int before = count(QStringLiteral("SELECT count(*) FROM zeit"));
    import(file, [](TselectForerunner& f) {
        for (int r = 1; r <= 3; ++r)
            f.ExtColumnGrid1->ToggleCheckBox(0, r, true);
        f.OnRunWriting = [](int row) {
            if (row == 2)
                throw std::runtime_error("Datenträger voll");
        };
        ScriptedAnswers::pushMessageAnswer(mrOk);
        f.Button1->click();
    });
    EXPECT_EQ(db.value(QStringLiteral("SELECT group_concat(Meter, ' ') FROM (SELECT Meter FROM DATEN ORDER BY "
                                      "dat_Id)"))
                  .toString(),
              QStringLiteral("5000 1000 3000"));
    // Run 1: its lap and its point; run 3: its lap; nothing of run 2, nothing on unit 7.
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM zeit")), before + 3);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM zeit WHERE Meter = 2000")), 0);
    EXPECT_EQ(rows(7, false), QStringLiteral("1000/0/259.0"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM zeit WHERE zei_Id NOT IN (SELECT dat_Id FROM DATEN)")), 0);
    // The message names the runs written and the run refused with its reason.
    const RecordedMessage m = ScriptedAnswers::lastMessage();
    EXPECT_EQ(m.Type, mtError);
    EXPECT_EQ(m.Text, QStringLiteral("Aus der Datei \"%1\" importiert:\n"
                                     "Einheit 1 vom 01.07.2008, 06:00:00\nEinheit 3 vom 03.07.2008, 06:00:00\n\n"
                                     "Diese Einheiten wurden nicht importiert, von ihnen wurde nichts gespeichert:\n"
                                     "Einheit 2 vom 02.07.2008, 06:00:00: Datenträger voll")
                          .arg(file));
    EXPECT_TRUE(eingabe->zwFillEnabled);
}

TEST_F(GarminImportTest, ARunWithAValueItsUnitCannotHoldIsRefusedWithItsLineAndTheRunsAfterItAreWritten)
{
    ZoneScope zone("UTC");
    // The second of three runs climbs to 1e308 m, as a damaged export writes it.
    const QString file = files.write(
        QStringLiteral("hoch.xml"),
        runs({lap("2008-07-01T06:00:00Z", "1000", "PT300S") + "<Track>" + point("2008-07-01T06:00:00Z", "51", "5") +
                  "</Track>",
              lap("2008-07-02T06:00:00Z", "2000", "PT600S") + "<Track>\n" + point("2008-07-02T06:00:00Z", "51", "5") +
                  point("2008-07-02T06:00:10Z", "51.001", "1e308") + "</Track>",
              lap("2008-07-03T06:00:00Z", "3000", "PT900S") + "<Track>" +
                  point("2008-07-03T06:00:00Z", "51", "3000000000") + "</Track>",
              lap("2008-07-04T06:00:00Z", "4000", "PT1200S")}));
    const int before = count(QStringLiteral("SELECT count(*) FROM zeit"));
    import(file, [](TselectForerunner& f) {
        for (int r = 1; r <= 4; ++r)
            f.ExtColumnGrid1->ToggleCheckBox(0, r, true);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        f.Button1->click();
    });
    EXPECT_EQ(db.value(QStringLiteral("SELECT group_concat(Meter, ' ') FROM (SELECT Meter FROM DATEN ORDER BY "
                                      "dat_Id)"))
                  .toString(),
              QStringLiteral("5000 1000 4000"));
    // Run 1: its lap and point; run 4: its lap. No height was wrapped into the field.
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM zeit")), before + 3);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM zeit WHERE abs(HDiff) > 32767")), 0);
    const RecordedMessage m = ScriptedAnswers::lastMessage();
    EXPECT_EQ(m.Type, mtError);
    for (const QString& part :
         {QStringLiteral("importiert:\nEinheit 1 vom 01.07.2008, 06:00:00\nEinheit 4 vom 04.07.2008, 06:00:00\n"),
          QStringLiteral("Einheit 2 vom 02.07.2008, 06:00:00: Zeile 11, Spalte "),
          QStringLiteral("Die Höhe 1e308 m liegt außerhalb dessen, was gespeichert werden kann"),
          QStringLiteral("Einheit 3 vom 03.07.2008, 06:00:00: Zeile 15, Spalte "),
          QStringLiteral("Die Höhe 3000000000 m")})
        EXPECT_TRUE(m.Text.contains(part)) << m.Text.toStdString() << "\nmissing: " << part.toStdString();
}

TEST_F(GarminImportTest, NothingTickedMissingFileAndMalformedXml)
{
    const QString good = files.write(QStringLiteral("runs.xml"), summerAndWinter());
    import(good, [](TselectForerunner& f) { f.Button1->click(); });
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM DATEN")), 1);
    EXPECT_TRUE(eingabe->zwFillEnabled);

    // No list is shown for a file that is not there (an unscripted list would fail the test).
    import(files.path() + QStringLiteral("/fehlt.xml"), nullptr);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());

    const QString bad = files.write(QStringLiteral("bad.xml"), "<Runs>\n<Run>\n<Lap></Run>\n</Runs>\n");
    ScriptedAnswers::pushMessageAnswer(mrOk);
    import(bad, nullptr);
    const RecordedMessage m = ScriptedAnswers::lastMessage();
    EXPECT_EQ(m.Type, mtError);
    EXPECT_TRUE(m.Text.startsWith(QStringLiteral("Datei \"%1\", Zeile 3, Spalte").arg(bad))) << m.Text.toStdString();

    // A run without laps is left out and counted.
    const QString lapless = files.write(QStringLiteral("lapless.xml"),
                                        runs({lap("2008-07-01T06:00:00Z", "1000", "PT300S"), "<Track/>"}));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    import(lapless, [](TselectForerunner& f) {
        EXPECT_EQ(f.ExtColumnGrid1->RowCount(), 2);
        f.Button2->click();
    });
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtInformation);
    EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.endsWith(QStringLiteral(": 1")));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM DATEN")), 1);
}

void click(QWidget* target, QPoint p)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, QPointF(p), QPointF(target->mapToGlobal(p)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::MouseButtons(Qt::LeftButton) : Qt::MouseButtons(), {});
        QApplication::sendEvent(target, &e);
    }
}

void key(QWidget* target, int code, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// The list of runs as its user meets it: a click on a box, Space in a row and the arrows tick and
// untick runs; the box follows the cell text, which the import reads.
TEST_F(GarminImportTest, RunsAreTickedByClickSpaceAndArrows)
{
    ZoneScope zone("UTC");
    const QString file = files.write(QStringLiteral("runs.xml"), summerAndWinter());
    TselectForerunner f;
    ASSERT_TRUE(f.LoadFile(file));
    f.show();
    TExtColumnGrid& g = *f.ExtColumnGrid1;
    ASSERT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.GetCellType(0, 1), ctDataCheckBox);
    EXPECT_EQ(f.focusWidget(), &g) << "the list has the focus first, so that Space does not press Ok";

    click(g.viewport(), g.CellRect(0, 1).center());
    EXPECT_EQ(g.GetCellText(0, 1), QStringLiteral("true"));
    click(g.viewport(), g.CellRect(2, 2).center());  // not the box
    EXPECT_EQ(g.GetCellText(0, 2), QStringLiteral("false"));
    key(&g, Qt::Key_Space, QStringLiteral(" "));  // the current row's box
    EXPECT_EQ(g.GetCellText(0, 2), QStringLiteral("true"));
    key(&g, Qt::Key_Up);
    EXPECT_EQ(g.Row(), 1);
    key(&g, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(g.GetCellText(0, 1), QStringLiteral("false"));
    click(g.viewport(), g.CellRect(0, 2).center());
    EXPECT_EQ(g.GetCellText(0, 2), QStringLiteral("false"));
    bool state = true;
    g.GetCheckBoxState(0, 2, state);
    EXPECT_FALSE(state);
    EXPECT_FALSE(g.Options() & goEditing) << "the list is not edited, yet it ticks";
    EXPECT_FALSE(g.Options() & goTabs) << "Tab goes on to Ok";
}

}  // namespace

namespace {

// The import with the keyboard alone: the arrows walk the runs, Space ticks, Tab reaches "Ok"
// and Space presses it. GARMIN_RUNLIST_PNG names a picture of the list to look at.
TEST_F(GarminImportTest, KeyboardAloneTicksAndImports)
{
    ZoneScope zone("UTC");
    const QString file = files.write(QStringLiteral("runs.xml"), summerAndWinter());
    import(file, [](TselectForerunner& f) {
        TExtColumnGrid& g = *f.ExtColumnGrid1;
        ASSERT_EQ(f.focusWidget(), &g);
        key(&g, Qt::Key_Down);
        EXPECT_EQ(g.Row(), 2);
        key(&g, Qt::Key_Space, QStringLiteral(" "));
        key(&g, Qt::Key_Up);
        key(&g, Qt::Key_Space, QStringLiteral(" "));
        key(&g, Qt::Key_Space, QStringLiteral(" "));  // and back off: only the winter run stays
        EXPECT_EQ(rowTexts(g, 1)[0], QStringLiteral("false"));
        EXPECT_EQ(rowTexts(g, 2)[0], QStringLiteral("true"));
        if (const QByteArray png = qgetenv("GARMIN_RUNLIST_PNG"); !png.isEmpty())
            f.grab().save(QString::fromLocal8Bit(png));
        key(&g, Qt::Key_Tab);
        ASSERT_EQ(f.focusWidget(), f.Button1);
        key(f.Button1, Qt::Key_Space, QStringLiteral(" "));
    });
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM DATEN")), 2);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM DATEN WHERE Meter = 5000 AND dat_Id <> 7")), 1);
}

}  // namespace
