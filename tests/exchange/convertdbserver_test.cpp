// The conversion of the previous versions' Paradox tables into an athlete database: what each
// old row becomes, what is refused before anything is written, and that the old folder is only
// read. The fixtures are tables of versions 4 and 3 protected by the old password, with cp1252
// texts, a memo in the blob file and a picture.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QtEndian>

#include "core/language.h"
#include "exchange/convertdbserver.h"
#include "platform/db/connection.h"
#include "platform/office/paradox/paradoxtable.h"
#include "tests/support/athletedb.h"
#include "tests/support/qstringprinter.h"
#include "tests/support/testenv.h"

namespace {

// A copy of a fixture set in a folder of its own.
QString copyFixtures(const TempFolder& folder, const char* set)
{
    const QDir source(SourceFile(QStringLiteral("tests/platform/office/paradox/fixtures/")) + QLatin1String(set));
    for (const QString& f : source.entryList(QDir::Files))
        QFile::copy(source.filePath(f), folder.file(f));
    return folder.path();
}

// Every file of a folder with a hash of its bytes.
QMap<QString, QByteArray> fingerprint(const QString& folder)
{
    QMap<QString, QByteArray> result;
    for (const QString& f : QDir(folder).entryList(QDir::Files)) {
        QFile file(QDir(folder).filePath(f));
        file.open(QIODevice::ReadOnly);
        result.insert(f, QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    return result;
}

class ConversionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override { FormatSettings() = saved_; }

    // The forms the fixtures name, which the template lacks.
    void addOldForms()
    {
        db.exec("INSERT INTO FORM (For_Id, For_Form, For_orderId) VALUES (10, 'GA1', 10), (11, 'GA2', 11), "
                "(12, 'WSA', 12)");
    }

    bool convert(const char* set, bool fillNumbers = true)
    {
        const QString folder = copyFixtures(old, set);
        before = fingerprint(folder);
        EXPECT_TRUE(server.ReadOldFolder(folder)) << server.Error().toStdString();
        TConnection target;
        target.Open(db.path());
        const bool ok = server.convertIt(target, fillNumbers);
        target.Close();
        EXPECT_EQ(fingerprint(folder), before) << "the old folder was changed";
        return ok;
    }

    QString text(const QString& sql) const { return db.value(sql).toString(); }
    int number(const QString& sql) const { return db.value(sql).toInt(); }

    AthleteDatabase db;
    TempFolder old;
    TconvertServer server;
    QMap<QString, QByteArray> before;
    TFormatSettings saved_;
};

TEST_F(ConversionTest, SportsAndLoadTypesAreAddedOncePerName)
{
    addOldForms();
    db.exec("DELETE FROM sportart WHERE Spo_Name = 'Laufen'");
    const int maxId = number("SELECT max(Spo_Id) FROM sportart");
    const int maxOrder = number("SELECT max(Spo_orderID) FROM sportart");
    ASSERT_TRUE(convert("v4")) << server.Error().toStdString();
    // Two units "Laufen" make one row; "Radfahren" exists already.
    EXPECT_EQ(text("SELECT Spo_Id || '/' || Spo_orderID || '/' || Spo_Farbe || '/' || Spo_speed || '/' || "
                   "Spo_distance FROM sportart WHERE Spo_Name = 'Laufen'"),
              QStringLiteral("%1/%2/-1/1/5").arg(maxId + 1).arg(maxOrder + 1));
    EXPECT_EQ(number("SELECT count(*) FROM sportart WHERE Spo_Name = 'Radfahren'"), 1);
    EXPECT_EQ(server.LastResult().sports, 1);
    // "Intervall" is new, "Dauerlauf" is known; a unit without a load type gets 0.
    EXPECT_EQ(number("SELECT count(*) FROM BELART WHERE bea_Name = 'Intervall' AND bea_Farbe = -1"), 1);
    EXPECT_EQ(server.LastResult().loadTypes, 1);
    EXPECT_EQ(number("SELECT Belastungsart FROM DATEN WHERE Ort = 'Düsseldorf'"), 0);
    EXPECT_EQ(number("SELECT Belastungsstufe FROM DATEN WHERE Ort = 'Münster'"), 0);
    EXPECT_EQ(number("SELECT Sportart FROM DATEN WHERE Ort = 'Köln'"), maxId + 1);
}

TEST_F(ConversionTest, EachUnitGetsABlockOfItsOwnAndKeepsItsValues)
{
    addOldForms();
    db.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name) VALUES (40, 'alt')");
    ASSERT_TRUE(convert("v4")) << server.Error().toStdString();
    EXPECT_EQ(number("SELECT count(*) FROM DATEN"), 3);
    // In date order, the blocks after the highest one.
    EXPECT_EQ(text("SELECT group_concat(x, '|') FROM (SELECT d.trainingsblock || ':' || b.trb_Name AS x FROM DATEN d "
                   "JOIN TRAININGSBLOCK b ON b.trb_Id = d.trainingsblock ORDER BY d.Datum)"),
              QStringLiteral("41:GA2: Radfahren am 13.07.2008|42:GA1: Laufen am 15.07.2008|43:WSA: Laufen am 16.07.2008"));
    EXPECT_EQ(number("SELECT trb_created FROM TRAININGSBLOCK WHERE trb_Id = 42"), 39644);
    EXPECT_EQ(text("SELECT Datum || '/' || Ort || '/' || round(Startzeit * 86400) || '/' || round(Zeit * 86400) || '/' "
                   "|| Meter || '/' || Streckenbeschreibung || '/' || User1 || '/' || kcal FROM DATEN WHERE Datum = 39644"),
              QStringLiteral("39644/Köln/27000.0/2730.0/10000/Rheinufer Süd/Schuhe A/640"));
    EXPECT_TRUE(text("SELECT Bemerkungen FROM DATEN WHERE Datum = 39644").startsWith(QStringLiteral("Schöner langer Lauf")));
    // Splits: the height above sea level becomes the height difference.
    EXPECT_EQ(text("SELECT group_concat(z.Meter || '/' || z.HDiff || '/' || ifnull(z.Notitz, ''), ' ') FROM zeit z JOIN "
                   "DATEN d ON d.dat_Id = z.zei_Id WHERE d.Ort = 'Köln'"),
              QStringLiteral("1000/45/Brücke 2000/48/"));
    EXPECT_EQ(number("SELECT count(*) FROM zeit"), 3);
}

TEST_F(ConversionTest, BestTimesRoutesEquipmentAndLinks)
{
    addOldForms();
    ASSERT_TRUE(convert("v4")) << server.Error().toStdString();
    EXPECT_EQ(text("SELECT bes_meter || '/' || bes_datum || '/' || round(bes_zeit * 86400) || '/' || bes_typ || '/' || "
                   "bes_kategorie FROM bestzeit"),
              QStringLiteral("10000/39644/2650.0/PB/Orvalo 4 Import"));
    EXPECT_EQ(text("SELECT Name || '/' || Ort || '/' || Laenge || '/' || str_kategorie FROM STRECKE"),
              QStringLiteral("Rheinrunde Köln/Köln/10000/Orvalo 4 Import"));
    EXPECT_EQ(text("SELECT group_concat(z.Meter || ':' || z.Streckenpunkt, '|') FROM streckez z JOIN STRECKE s ON "
                   "s.StrIndex = z.StrIndex"),
              QStringLiteral("0:Start am Dom|5000:Wende Rodenkirchen"));
    // The picture's bytes as the old table stored them.
    ParadoxTable strecke;
    ASSERT_TRUE(strecke.Open(ParadoxTable::FindFile(old.path(), QStringLiteral("strecke.DB"))));
    QVariantList route;
    ASSERT_TRUE(strecke.ReadRecord(0, route));
    const QByteArray picture = route[strecke.FieldIndex(QStringLiteral("Bild"))].toByteArray();
    ASSERT_TRUE(picture.startsWith("BM"));
    EXPECT_EQ(text("SELECT hex(str_image) FROM STRECKE"), QString::fromLatin1(picture.toHex().toUpper()));
    // Equipment with today's purchase date; the link to the deleted unit 99 is skipped, not written.
    EXPECT_EQ(text("SELECT group_concat(Bezeichnung || '/' || Kilometer || '/' || equ_aktuell || '/' || equ_kategorie, "
                   "'|') FROM EQUIPMENT"),
              QStringLiteral("Laufschuh Größe 44/512/1/Orvalo 4 Import|Rennrad/3120/1/Orvalo 4 Import"));
    EXPECT_EQ(text("SELECT group_concat(e.Bezeichnung || '>' || d.Ort, '|') FROM EQDATEN q JOIN EQUIPMENT e ON "
                   "e.equ_Id = q.EqIndex JOIN DATEN d ON d.dat_Id = q.EinheiIndex"),
              QStringLiteral("Laufschuh Größe 44>Köln|Rennrad>Düsseldorf|Laufschuh Größe 44>Münster"));
    EXPECT_EQ(number("SELECT count(*) FROM EQDATEN"), 3);
    EXPECT_EQ(server.LastResult().skippedLinks, 1);
}

TEST_F(ConversionTest, UnknownFormsAreListedAndNothingIsWritten)
{
    const QString tables = "SELECT (SELECT count(*) FROM DATEN) || '/' || (SELECT count(*) FROM sportart) || '/' || "
                           "(SELECT count(*) FROM TRAININGSBLOCK) || '/' || (SELECT count(*) FROM BELART)";
    const QString beforeCounts = text(tables);
    db.exec("UPDATE FORM SET For_Form = 'GA2' WHERE For_Id = 4");
    EXPECT_FALSE(convert("v4"));
    EXPECT_EQ(server.MissingForms(), (QStringList{"GA1", "WSA"}));
    EXPECT_TRUE(server.Error().contains(QStringLiteral("GA1, WSA"))) << server.Error().toStdString();
    EXPECT_EQ(text(tables), beforeCounts);
}

TEST_F(ConversionTest, OlderTablesConvertWithTheirNumberFieldsFilledOnRequest)
{
    addOldForms();
    struct Case {
        const char* set;
        bool fill;
        const char* expected;  // kcal/Fett/Gli/Maxpuls of the unit in Köln, "-" for empty
    } cases[] = {
        {"v3", true, "0/0.0/0.0/0"},
        {"v3", false, "-/-/-/-"},
        {"v4", true, "640/14.2/-/171"},
    };
    for (const Case& c : cases) {
        db.exec("DELETE FROM DATEN; DELETE FROM zeit");
        TconvertServer fresh;
        TempFolder own;
        const QString folder = copyFixtures(own, c.set);
        ASSERT_TRUE(fresh.ReadOldFolder(folder)) << fresh.Error().toStdString();
        EXPECT_EQ(fresh.NeedsUpgrade(), QByteArray(c.set) == "v3");
        TConnection target;
        target.Open(db.path());
        ASSERT_TRUE(fresh.convertIt(target, c.fill)) << fresh.Error().toStdString();
        target.Close();
        EXPECT_EQ(text("SELECT ifnull(kcal, '-') || '/' || ifnull(Fett, '-') || '/' || ifnull(Gli, '-') || '/' || "
                       "ifnull(Maxpuls, '-') FROM DATEN WHERE Ort = 'Köln'"),
                  QString::fromLatin1(c.expected))
            << c.set << " fill " << c.fill;
        EXPECT_EQ(number("SELECT count(*) FROM DATEN"), 3) << c.set;
        // Version 3 splits have no split type.
        if (QByteArray(c.set) == "v3") {
            EXPECT_EQ(number("SELECT count(*) FROM zeit WHERE zwTyp IS NOT NULL"), 0);
        }
    }
}

TEST_F(ConversionTest, ForeignTablesUnderTheRightNamesAreRefusedNamingTheirFieldsAndNothingIsWritten)
{
    addOldForms();
    const QString folder = copyFixtures(old, "v4");
    auto replace = [&](const char* name, const char* by) {
        const QString file = ParadoxTable::FindFile(folder, QString::fromLatin1(name));
        QFile::remove(file);
        ASSERT_TRUE(QFile::copy(ParadoxTable::FindFile(folder, QString::fromLatin1(by)), file));
    };
    // Tables of other kinds copied under the names of the split and route tables, and a unit
    // table whose date field holds text.
    replace("zeit.DB", "bestzeit.DB");
    replace("strecke.DB", "equipment.DB");
    {
        QFile daten(ParadoxTable::FindFile(folder, QStringLiteral("daten.DB")));
        ASSERT_TRUE(daten.open(QIODevice::ReadWrite));
        QByteArray head = daten.read(0x100);
        const int at = uchar(head[0x39]) >= 5 && qFromLittleEndian<quint16>(head.constData() + 2) >= 0x78 ? 0x78 : 0x58;
        ASSERT_EQ(head[at + 2], char(0x02));  // the second field, "Datum", a date of 4 bytes
        daten.seek(at + 2);
        daten.write("\x01", 1);  // now text of 4 bytes
    }
    const QByteArray target = db.bytes();

    EXPECT_FALSE(server.ReadOldFolder(folder));
    const QString error = server.Error();
    const QString dir = QDir::toNativeSeparators(folder) + QDir::separator();
    for (const QString& line : {QStringLiteral("\"%1daten.DB\": das Feld Datum ist vom Typ Text, gelesen wird Datum.").arg(dir),
                                QStringLiteral("\"%1zeit.DB\": es fehlen die Felder Index, Zwischenzeit, Puls, M über NN, "
                                               "Notitz, zwTyp.").arg(dir),
                                QStringLiteral("\"%1strecke.DB\": es fehlen die Felder StrIndex, Name, Land, Ort, Laenge, "
                                               "HDiff, Beschreibung, Kommentar, Bild, Lageplan.").arg(dir)})
        EXPECT_TRUE(error.contains(line)) << error.toStdString() << "\nmissing: " << line.toStdString();
    EXPECT_FALSE(error.contains(QStringLiteral("equipment.DB"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("Es wurde nichts geschrieben."))) << error.toStdString();
    EXPECT_EQ(TconvertServer::CheckOldFolder(folder).size(), 3);

    // Nothing read is nothing converted.
    TConnection connection;
    connection.Open(db.path());
    EXPECT_FALSE(server.convertIt(connection, true));
    connection.Close();
    EXPECT_EQ(db.bytes(), target);
}

TEST_F(ConversionTest, AFolderWithoutUnitsOrWithADamagedTableIsRefusedByName)
{
    EXPECT_FALSE(server.ReadOldFolder(old.path()));
    EXPECT_TRUE(server.Error().contains(QStringLiteral("daten.db"))) << server.Error().toStdString();

    const QString folder = copyFixtures(old, "v4");
    QFile zeit(ParadoxTable::FindFile(folder, QStringLiteral("zeit.DB")));
    ASSERT_TRUE(zeit.open(QIODevice::ReadWrite));
    zeit.resize(zeit.size() / 2 + 7);
    zeit.close();
    EXPECT_FALSE(server.ReadOldFolder(folder));
    EXPECT_TRUE(server.Error().contains(QStringLiteral("zeit.DB"))) << server.Error().toStdString();
}

}  // namespace
