// The heart-rate import on the program started as a user starts it: the front end chooses the
// way and the files, the import window previews each exercise file in its pages, and
// "Fertig stellen" writes the unit with its samples and laps, or nothing at all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>

#include "core/language.h"
#include "core/main.h"
#include "core/navigatorframe.h"
#include "core/orvdbserver.h"
#include "exchange/hrmimport.h"
#include "exchange/polarimport.h"
#include "tests/core/programfixture.h"
#include "tests/exchange/hrmrides.h"
#include "tests/support/athletedb.h"
#include "tests/support/testenv.h"
#include "traininglog/einheiteneingabe.h"

namespace {

QByteArray fixture(const char* name)
{
    QFile f(SourceFile(QStringLiteral("tests/exchange/fixtures/") + QLatin1String(name)));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// An exercise file of `samples` samples "pulse speed cadence height" at the interval.
QByteArray exercise(int samples, int interval, const QByteArray& laps = {}, const QByteArray& smode = "111000000")
{
    QByteArray text = "[Params]\r\nVersion=106\r\nSMode=" + smode + "\r\nDate=20080715\r\nStartTime=9:12:01.0\r\n"
                      "Length=01:00:00.0\r\nInterval=" + QByteArray::number(interval) +
                      "\r\nMaxHR=185\r\nRestHR=48\r\nWeight=72.5\r\nCalories=512.7\r\n\r\n[Note]\r\nStundenlauf\r\n\r\n";
    if (!laps.isEmpty())
        text += "[IntTimes]\r\n" + laps + "\r\n[IntNotes]\r\n\r\n";
    text += "[HRData]\r\n";
    for (int k = 0; k < samples; ++k)
        text += QByteArray::number(130 + k % 7) + "\t100\t80\t" + QByteArray::number(100 + k % 3) + "\r\n";
    return text;
}

class HrmImportTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        // One unit to attach rows to, and a route of two points.
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
                "Hoehendifferenz, trainingsblock) VALUES (7, 39600, 0.02, 5000, 1, 1, 1, 1, 0, 0)");
        db.exec("INSERT INTO STRECKE (StrIndex, Name, Ort, Laenge, HDiff, Beschreibung, str_kategorie) VALUES "
                "(1, 'Ruhrbogen', 'Mülheim', 4200, 33, 'Am Ufer', 'Eigene'), "
                "(2, 'Dreipunkt', 'Essen', 3000, 10, '', 'Eigene')");
        db.exec("INSERT INTO streckez (StrIndex, Meter, Streckenpunkt) VALUES (1, 1500, 'Brücke'), "
                "(1, 3100, 'O''Brien-Steg'), (2, 1, 'a'), (2, 2, 'b'), (2, 3, 'c')");
        StartProgram({db.path()});
        ASSERT_NE(eingabe, nullptr);
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = saved_;
    }

    // Runs the import of one file; `play` acts in the import window before it is left.
    void importFile(const QString& file, std::function<void(ThrmImport&)> play)
    {
        ScriptedAnswers::onShowModal<ThrmImport>(std::move(play));
        TpolarImp::importFile(file);
    }
    // Imports a file as it is previewed: "Fertig stellen".
    void importAsShown(const QString& file)
    {
        importFile(file, [](ThrmImport& f) { f.Button2->click(); });
    }

    int count(const char* sql) const { return db.value(QString::fromUtf8(sql)).toInt(); }
    int newUnit() const { return count("SELECT max(dat_Id) FROM DATEN"); }

    AthleteDatabase db;
    TempFolder files;
    TFormatSettings saved_;
};

TEST_F(HrmImportTest, PreviewShowsTheFlaggedColumnsAndWritesTheSamples)
{
    const QString file = files.write(QStringLiteral("08071501.hrm"), fixture("08071501.hrm"));
    files.write(QStringLiteral("20080715.PDD"), fixture("20080715.PDD"));
    importFile(file, [](ThrmImport& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("HRM Import"));
        EXPECT_EQ(f.StringGrid1->Rows(0), (QStringList{"", "Puls", "Geschw.", "Frequ.", "Höhe", "M. Split"}));
        EXPECT_EQ(f.StringGrid1->RowCount(), 5);
        EXPECT_EQ(f.StringGrid1->Cells(0, 4), QStringLiteral("00:00:15"));
        EXPECT_EQ(f.Label8->text(), QStringLiteral("Anzahl: 4"));
        EXPECT_EQ(f.Label9->text(), QStringLiteral("Modus: 111000000"));
        EXPECT_EQ(f.Edit1->text(), QStringLiteral("15.07.2008"));
        EXPECT_EQ(f.Edit3->text(), QStringLiteral("09:12:01"));
        EXPECT_EQ(f.Edit4->text(), QStringLiteral("5"));
        EXPECT_EQ(f.Label10->text(), QStringLiteral("Anzahl: 2"));
        EXPECT_EQ(f.StringGrid2->ColCount(), 9);
        f.Button2->click();
    });
    const int unit = newUnit();
    EXPECT_NE(unit, 7);
    EXPECT_EQ(db.value(QStringLiteral("SELECT Hoehendifferenz FROM DATEN WHERE dat_Id = %1").arg(unit)).toInt(), 12);
    EXPECT_EQ(db.value(QStringLiteral("SELECT Puls FROM DATEN WHERE dat_Id = %1").arg(unit)).toInt(), 125);
    EXPECT_EQ(db.value(QStringLiteral("SELECT Datum FROM DATEN WHERE dat_Id = %1").arg(unit)).toInt(), 39644);
    EXPECT_NE(db.value(QStringLiteral("SELECT trainingsblock FROM DATEN WHERE dat_Id = %1").arg(unit)).toInt(), 0);
    EXPECT_EQ(db.value(QStringLiteral("SELECT count(*) FROM zeit WHERE zei_Id = %1 AND zei_hrm = 1").arg(unit)).toInt(), 4);
    // The fourth sample: 15 s, height 110, cadence 85.
    EXPECT_EQ(db.value(QStringLiteral("SELECT group_concat(HDiff || '/' || zei_trittfrequenz || '/' || "
                                      "round(Zwischenzeit * 86400), ' ') FROM zeit WHERE zei_Id = %1 AND zei_hrm = 1")
                           .arg(unit))
                  .toString(),
              QStringLiteral("100/80/0.0 105/82/5.0 103/84/10.0 110/85/15.0"));
    // The day file beside it names the exercise: its energy stands.
    EXPECT_EQ(db.value(QStringLiteral("SELECT kcal FROM DATEN WHERE dat_Id = %1").arg(unit)).toInt(), 640);
}

TEST_F(HrmImportTest, AnHourOfSamplesCoversExactlyTenKilometres)
{
    // 3,601 samples at 10.0 km/h, one a second: the 3,600th is at 10000 m, the 3,601st at 01:00:00.
    const QString file = files.write(QStringLiteral("08071503.hrm"), exercise(3601, 1));
    importFile(file, [](ThrmImport& f) {
        EXPECT_EQ(f.StringGrid1->Cells(0, 3601), QStringLiteral("01:00:00"));
        EXPECT_EQ(f.Edit10->text(), QStringLiteral("10002"));
        f.Button2->click();
    });
    const int unit = newUnit();
    EXPECT_EQ(db.value(QStringLiteral("SELECT Meter FROM zeit WHERE zei_Id = %1 AND zei_hrm = 1 "
                                      "ORDER BY Zwischenzeit LIMIT 1 OFFSET 3599")
                           .arg(unit))
                  .toInt(),
              10000);
    EXPECT_EQ(db.value(QStringLiteral("SELECT Zwischenzeit FROM zeit WHERE zei_Id = %1 AND zei_hrm = 1 "
                                      "ORDER BY Zwischenzeit DESC LIMIT 1")
                           .arg(unit))
                  .toDouble(),
              3600000 / MSecsPerDay);
    EXPECT_EQ(db.value(QStringLiteral("SELECT Meter FROM DATEN WHERE dat_Id = %1").arg(unit)).toInt(), 10002);
}

TEST_F(HrmImportTest, EnergyFromTheFileOrFromTheDayFileThatNamesIt)
{
    struct Case {
        const char* dayFile;  // beside the exercise; empty: none
        int kcal;
    } cases[] = {{"", 512}, {"[ExerciseInfo1]\r\n0\r\n0\r\n0\t0\t0\t0\t0\t777\r\n0\r\n08071501.hrm\r\n", 777},
                 {"[ExerciseInfo1]\r\n0\r\n0\r\n0\t0\t0\t0\t0\t777\r\n0\r\n08071599.hrm\r\n", 512}};
    for (const Case& c : cases) {
        TempFolder folder;
        const QString file = folder.write(QStringLiteral("08071501.hrm"), exercise(2, 5));
        if (*c.dayFile)
            folder.write(QStringLiteral("20080715.pdd"), c.dayFile);
        importAsShown(file);
        EXPECT_EQ(db.value(QStringLiteral("SELECT kcal FROM DATEN WHERE dat_Id = %1").arg(newUnit())).toInt(), c.kcal)
            << c.dayFile;
    }
}

TEST_F(HrmImportTest, LapsTakeTheirDistanceFromTheFileTheRouteOrTheirNumber)
{
    const QByteArray sixColumns = "00:05:00.0\t150\t130\t145\t165\r\n00:10:00.0\t152\t131\t146\t166\r\n";
    const QByteArray nineColumns = "00:05:00.0\t150\t130\t145\t165\r\n0\t0\t0\t0\t0\t112\r\n0\r\n0\t0\t0\t215\t0\t0\r\n"
                                   "00:10:00.0\t152\t131\t146\t166\r\n0\t0\t0\t0\t0\t118\r\n0\r\n0\t1900\t0\t201\t0\t0\r\n";
    struct Case {
        const char* name;
        QByteArray laps;
        QByteArray smode;
        QString route;
        QString expected;  // meter/note/height/temperature/min/max of each lap
    } cases[] = {
        {"six columns", sixColumns, "", {}, "1000//0/0/130/165 2000//0/0/131/166"},
        {"distance 0 and 1900", nineColumns, "111000000", {}, "1000//112/21/130/165 1900//118/20/131/166"},
        {"route with a point per lap", sixColumns, "", QStringLiteral("Ruhrbogen"),
         "1500/Brücke/0/0/130/165 3100/O'Brien-Steg/0/0/131/166"},
    };
    for (const Case& c : cases) {
        const QString file = files.write(QStringLiteral("lap.hrm"), exercise(3, 5, c.laps, c.smode));
        importFile(file, [&](ThrmImport& f) {
            // Only the routes with a point for every lap are offered.
            QStringList offered;
            for (int i = 0; i < f.ComboBox1->count(); ++i)
                offered << f.ComboBox1->itemText(i);
            EXPECT_EQ(offered, (QStringList{"", "Ruhrbogen"}));
            f.ComboBox1->setCurrentText(c.route);
            f.Button2->click();
        });
        const int unit = newUnit();
        EXPECT_EQ(db.value(QStringLiteral("SELECT group_concat(Meter || '/' || ifnull(Notitz, '') || '/' || HDiff || '/' "
                                          "|| zei_temperatur || '/' || zei_minpuls || '/' || zei_maxpuls, ' ') FROM "
                                          "(SELECT * FROM zeit WHERE zei_Id = %1 AND zei_hrm = 0 ORDER BY Meter)")
                               .arg(unit))
                      .toString(),
                  c.expected)
            << c.name;
        if (!c.route.isEmpty()) {
            // The route describes the unit; its length only stands in for a distance the samples
            // did not give.
            EXPECT_EQ(db.value(QStringLiteral("SELECT Ort || '/' || Streckenbeschreibung || '/' || Bemerkungen || '/' || "
                                              "Hoehendifferenz FROM DATEN WHERE dat_Id = %1")
                                   .arg(unit))
                          .toString(),
                      QStringLiteral("Ruhrbogen/Mülheim/Am Ufer/33"));
            EXPECT_EQ(db.value(QStringLiteral("SELECT Meter FROM DATEN WHERE dat_Id = %1").arg(unit)).toInt(), 4200);
        }
    }
}

TEST_F(HrmImportTest, EditedCellsAreWrittenAsValuesNotAsSql)
{
    const QString file = files.write(QStringLiteral("08071501.hrm"), exercise(2, 5, "00:05:00.0\t150\t130\t145\t165\r\n", ""));
    importFile(file, [](ThrmImport& f) {
        f.Edit9->setText(QStringLiteral("Mit O'Brien; DROP TABLE zeit"));
        f.StringGrid2->SetCells(1, 1, QString());  // an emptied cell counts 0
        f.StringGrid2->SetCells(2, 1, QString());
        f.Button2->click();
    });
    const int unit = newUnit();
    EXPECT_EQ(db.value(QStringLiteral("SELECT Bemerkungen FROM DATEN WHERE dat_Id = %1").arg(unit)).toString(),
              QStringLiteral("Mit O'Brien; DROP TABLE zeit"));
    EXPECT_EQ(db.value(QStringLiteral("SELECT Zwischenzeit || '/' || Puls FROM zeit WHERE zei_Id = %1 AND zei_hrm = 0")
                           .arg(unit))
                  .toString(),
              QStringLiteral("0/0"));
}

TEST_F(HrmImportTest, ABadCellIsNamedAndNothingIsWritten)
{
    const QString file = files.write(QStringLiteral("08071501.hrm"), fixture("08071501.hrm"));
    const int units = count("SELECT count(*) FROM DATEN");
    const int rows = count("SELECT count(*) FROM zeit");
    const int blocks = count("SELECT count(*) FROM TRAININGSBLOCK");
    // A pulse that is no number, and a speed that takes the distance beyond what a row holds.
    for (auto [column, cell] : {std::pair{1, "abc"}, {2, "1e300"}}) {
        ScriptedAnswers::pushMessageAnswer(mrOk);
        importFile(file, [column, cell](ThrmImport& f) {
            f.StringGrid1->SetCells(column, 3, QString::fromLatin1(cell));
            f.Button2->click();
            // The window stays for the correction.
            EXPECT_TRUE(f.isVisible());
            f.Button4->click();
        });
        const RecordedMessage m = ScriptedAnswers::lastMessage();
        EXPECT_EQ(m.Type, mtError);
        EXPECT_TRUE(m.Text.contains(QStringLiteral("Zeile 3"))) << m.Text.toStdString();
        EXPECT_TRUE(m.Text.contains(QStringLiteral("\"%1\"").arg(QLatin1String(cell)))) << m.Text.toStdString();
    }
    EXPECT_EQ(count("SELECT count(*) FROM DATEN"), units);
    EXPECT_EQ(count("SELECT count(*) FROM zeit"), rows);
    EXPECT_EQ(count("SELECT count(*) FROM TRAININGSBLOCK"), blocks);
    // The handlers and switches are back.
    EXPECT_TRUE(bool(orvServer->daten.AfterPost));
    EXPECT_TRUE(bool(orvServer->dsDaten.OnDataChange));
    EXPECT_TRUE(eingabe->zwFillEnabled);
    EXPECT_FALSE(orvServer->daten.ControlsDisabled());
    EXPECT_FALSE(orvServer->orvDB.InTransaction());
}

TEST_F(HrmImportTest, OnTheSplitPageTheRowsJoinTheCurrentUnit)
{
    ASSERT_TRUE(orvServer->daten.Locate(QStringLiteral("dat_Id"), 7));
    eingabe->PageControl2->setCurrentIndex(1);
    const int units = count("SELECT count(*) FROM DATEN");
    EXPECT_EQ(navigatorFrm->unitShownWithSplits(7), false);
    const QString file = files.write(QStringLiteral("08071501.hrm"), fixture("08071501.hrm"));
    importFile(file, [](ThrmImport& f) {
        EXPECT_FALSE(f.CheckBox1->isChecked());
        f.Button2->click();
    });
    EXPECT_EQ(count("SELECT count(*) FROM DATEN"), units);
    // The navigator draws the unit as one with samples and laps now.
    EXPECT_EQ(navigatorFrm->unitShownWithSplits(7), true);
    EXPECT_EQ(count("SELECT count(*) FROM zeit WHERE zei_Id = 7 AND zei_hrm = 1"), 4);
    EXPECT_EQ(count("SELECT count(*) FROM zeit WHERE zei_Id = 7 AND zei_hrm = 0"), 2);
}

TEST_F(HrmImportTest, FrontEndWithoutOutsideLibrariesImportsChosenFilesInOrder)
{
    QStringList files3;
    for (const char* name : {"08071501.hrm", "08071502.hrm", "08071503.hrm"})
        files3 << files.write(QString::fromLatin1(name), exercise(2, 5));
    ScriptedAnswers::onShowModal<TpolarImp>([&](TpolarImp& f) {
        EXPECT_FALSE(f.RadioButton1->isEnabled());
        EXPECT_FALSE(f.RadioButton2->isEnabled());
        EXPECT_FALSE(f.RadioButton4->isEnabled());
        EXPECT_TRUE(f.RadioButton3->isChecked());
        EXPECT_TRUE(f.Label9->isVisible());
        EXPECT_EQ(f.Label7->text(), LoadStr(msg::ConverterMissing));
        ScriptedAnswers::pushFileNames(files3);
        f.Button2->click();
    });
    QStringList seen;
    for (int i = 0; i < 3; ++i)
        ScriptedAnswers::onShowModal<ThrmImport>([&, i](ThrmImport& f) {
            seen << f.fileName();
            // The second is cancelled; the third still comes.
            (i == 1 ? f.Button4 : f.Button2)->click();
        });
    const int units = count("SELECT count(*) FROM DATEN");
    MainForm->Action26->Execute();
    EXPECT_EQ(seen, files3);
    EXPECT_EQ(count("SELECT count(*) FROM DATEN"), units + 2);
}

TEST_F(HrmImportTest, AFileThatCannotBeReadIsRefusedBeforeItsPreviewOpens)
{
    // No import window is scripted: one that opened would fail the test.
    const struct {
        const char* name;
        QByteArray text;
        const char* says;  // part of the reader's message
    } cases[] = {
        {"leer.hrm", "", "leer"},
        {"zeilen.hrm", "\r\n\r\n  \r\n", "leer"},
        {"muell.hrm", QByteArray("\x00\x9f\xff=\x01[\x02\r\nPK\x03\x04", 14), "keine Trainingsdatei"},
        {"datum.hrm", "[Params]\r\nDate=2008071\r\nInterval=5\r\n", "Zeile 2: '2008071'"},
        {"gross.hrm", "[HRData]\n120\t1e300\n", "Zeile 2: '1e300'"},
    };
    const int units = count("SELECT count(*) FROM DATEN");
    const int rows = count("SELECT count(*) FROM zeit");
    for (const auto& c : cases) {
        const QString file = files.write(QString::fromLatin1(c.name), c.text);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        TpolarImp::importFile(file);
        const RecordedMessage m = ScriptedAnswers::lastMessage();
        EXPECT_EQ(m.Type, mtError) << c.name;
        EXPECT_TRUE(m.Text.contains(QString::fromLatin1(c.name))) << m.Text.toStdString();
        EXPECT_TRUE(m.Text.contains(QString::fromUtf8(c.says))) << m.Text.toStdString();
    }
    EXPECT_EQ(count("SELECT count(*) FROM DATEN"), units);
    EXPECT_EQ(count("SELECT count(*) FROM zeit"), rows);

    // Among several chosen files a refused one is reported and the next is still previewed.
    const QStringList chosen{files.write(QStringLiteral("08071501.hrm"), ""),
                             files.write(QStringLiteral("08071502.hrm"), exercise(2, 5))};
    ScriptedAnswers::onShowModal<TpolarImp>([&](TpolarImp& f) {
        ScriptedAnswers::pushFileNames(chosen);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        ScriptedAnswers::onShowModal<ThrmImport>([&](ThrmImport& w) {
            EXPECT_EQ(w.fileName(), chosen[1]);
            w.Button2->click();
        });
        f.Button2->click();
    });
    MainForm->Action26->Execute();
    EXPECT_EQ(count("SELECT count(*) FROM DATEN"), units + 1);
}

// Reads one unit's stored figures and its split rows as the test compares them.
struct StoredUnit {
    int datum, meter, climb, puls, maxpuls, ruhepuls, samples, lastSampleMeter;
    int64_t startMs, zeitMs, intervalMs;
    QString laps;  // meter/height/temperature of each lap
};

StoredUnit stored(const AthleteDatabase& db, int unit)
{
    auto v = [&](const QString& sql) { return db.value(sql.arg(unit)); };
    auto ms = [](const QVariant& day) { return int64_t(std::llround(day.toDouble() * MSecsPerDay)); };
    StoredUnit u{};
    u.datum = v(QStringLiteral("SELECT Datum FROM DATEN WHERE dat_Id = %1")).toInt();
    u.meter = v(QStringLiteral("SELECT Meter FROM DATEN WHERE dat_Id = %1")).toInt();
    u.climb = v(QStringLiteral("SELECT Hoehendifferenz FROM DATEN WHERE dat_Id = %1")).toInt();
    u.puls = v(QStringLiteral("SELECT Puls FROM DATEN WHERE dat_Id = %1")).toInt();
    u.maxpuls = v(QStringLiteral("SELECT Maxpuls FROM DATEN WHERE dat_Id = %1")).toInt();
    u.ruhepuls = v(QStringLiteral("SELECT Ruhepuls FROM DATEN WHERE dat_Id = %1")).toInt();
    u.startMs = ms(v(QStringLiteral("SELECT Startzeit FROM DATEN WHERE dat_Id = %1")));
    u.zeitMs = ms(v(QStringLiteral("SELECT Zeit FROM DATEN WHERE dat_Id = %1")));
    u.samples = v(QStringLiteral("SELECT count(*) FROM zeit WHERE zei_Id = %1 AND zei_hrm = 1")).toInt();
    u.intervalMs = ms(v(QStringLiteral("SELECT Zwischenzeit FROM zeit WHERE zei_Id = %1 AND zei_hrm = 1 "
                                       "ORDER BY Zwischenzeit LIMIT 1 OFFSET 1")));
    u.lastSampleMeter = v(QStringLiteral("SELECT max(Meter) FROM zeit WHERE zei_Id = %1 AND zei_hrm = 1")).toInt();
    u.laps = v(QStringLiteral("SELECT group_concat(Meter || '/' || HDiff || '/' || zei_temperatur, ' ') FROM "
                              "(SELECT * FROM zeit WHERE zei_Id = %1 AND zei_hrm = 0 ORDER BY Zwischenzeit)"))
                 .toString();
    return u;
}

TEST_F(HrmImportTest, FilesOfSeveralMonitorsKeepTheirFiguresAndUsUnitsBecomeMetric)
{
    for (const HrmRide& ride : HrmRides()) {
        SCOPED_TRACE(ride.model);
        const QString file = files.write(QStringLiteral("08071501.hrm"), ride.text());
        const int tolerance = ride.imperial ? ride.totalMeters() / 1000 + 1 : 0;  // a metre per kilometre
        importFile(file, [&](ThrmImport& f) {
            // The preview shows metres: the computed distance, the heights, the laps' distances.
            EXPECT_NEAR(f.Edit10->text().toInt(), ride.totalMeters(), tolerance);
            const int height = f.StringGrid1->Rows(0).indexOf(QStringLiteral("Höhe"));
            if (ride.altitude()) {
                EXPECT_EQ(f.StringGrid1->Cells(height, 2), QString::number(HrmRide::heightM(1)));
            }
            if (ride.laps > 0 && ride.speed()) {
                EXPECT_EQ(f.StringGrid2->Cells(8, ride.laps), QString::number(ride.lapMeter(ride.laps - 1)));
            }
            f.Button2->click();
        });
        const StoredUnit u = stored(db, newUnit());
        // The figures that never depended on the units of measure.
        EXPECT_EQ(u.datum, 39644);
        EXPECT_EQ(u.startMs, ((9 * 60 + 12) * 60 + 1) * 1000);
        EXPECT_EQ(u.zeitMs, int64_t(ride.samples) * ride.interval * 1000);
        EXPECT_EQ(u.puls, ride.averagePulse());
        EXPECT_EQ(u.maxpuls, 185);
        EXPECT_EQ(u.ruhepuls, 48);
        EXPECT_EQ(u.samples, ride.samples);
        EXPECT_EQ(u.intervalMs, ride.interval * 1000);
        // Distance, climb and laps in metres and degrees Celsius, whatever the file's units.
        EXPECT_NEAR(u.meter, ride.totalMeters(), tolerance);
        EXPECT_NEAR(u.lastSampleMeter, ride.speed() ? ride.totalMeters() : ride.samples * 10, tolerance);
        EXPECT_EQ(u.climb, ride.climb());
        QStringList laps;
        for (int j = 0; j < ride.laps; ++j) {
            const bool extras = !ride.smode.isEmpty();
            laps << QStringLiteral("%1/%2/%3")
                        .arg(ride.lapMeter(j))
                        .arg(extras ? HrmRide::heightM(ride.lapEnd(j) - 1) : 0)
                        .arg(extras ? HrmRide::temperatureTenthsC(j) / 10 : 0);
        }
        EXPECT_EQ(u.laps, laps.join(QLatin1Char(' ')));
    }
}

TEST_F(HrmImportTest, AUsFileOnTheSplitPageJoinsTheUnitInMetres)
{
    // The split page's "Polar Import": the way and the file chosen as a user does.
    ASSERT_TRUE(orvServer->daten.Locate(QStringLiteral("dat_Id"), 7));
    eingabe->PageControl2->setCurrentIndex(1);
    const HrmRide ride = HrmRides()[7];
    ASSERT_TRUE(ride.imperial);
    const QString file = files.write(QStringLiteral("08071501.hrm"), ride.text());
    ScriptedAnswers::onShowModal<TpolarImp>([&](TpolarImp& f) {
        ScriptedAnswers::pushFileNames({file});
        ScriptedAnswers::onShowModal<ThrmImport>([&](ThrmImport& w) {
            EXPECT_FALSE(w.CheckBox1->isChecked());
            EXPECT_EQ(w.StringGrid2->Cells(6, 1), QString::number(HrmRide::heightM(ride.lapEnd(0) - 1)));
            EXPECT_EQ(w.StringGrid2->Cells(7, 1), QString::number(HrmRide::temperatureTenthsC(0) / 10));
            w.Button2->click();
        });
        f.Button2->click();
    });
    eingabe->PolarImport1->trigger();
    const StoredUnit u = stored(db, 7);
    EXPECT_EQ(u.samples, ride.samples);
    EXPECT_NEAR(u.lastSampleMeter, ride.totalMeters(), ride.totalMeters() / 1000 + 1);
    EXPECT_EQ(u.laps, QStringLiteral("%1/%2/%3 %4/%5/%6")
                          .arg(ride.lapMeter(0))
                          .arg(HrmRide::heightM(ride.lapEnd(0) - 1))
                          .arg(HrmRide::temperatureTenthsC(0) / 10)
                          .arg(ride.lapMeter(1))
                          .arg(HrmRide::heightM(ride.lapEnd(1) - 1))
                          .arg(HrmRide::temperatureTenthsC(1) / 10));
    const int heights = count("SELECT count(*) FROM zeit WHERE zei_Id = 7 AND zei_hrm = 1 AND HDiff BETWEEN 100 AND 139");
    EXPECT_EQ(heights, ride.samples);
}

}  // namespace
