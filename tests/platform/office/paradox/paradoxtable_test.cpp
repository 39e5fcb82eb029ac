// Reading the previous version's Paradox tables: the tables the conversion reads, protected by
// the old password, with cp1252 texts, memos and a picture in their blob files; damaged files
// are refused with the file and the reason, and the old folder is never changed.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>

#include <functional>

#include "platform/office/paradox/paradoxtable.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/testenv.h"

namespace {

const QString kFixtures = QStringLiteral(ORV_PARADOX_FIXTURES);

// A copy of a fixture set in a temporary folder, so that a test may damage it.
QString copySet(const TempFolder& dir, const QString& set)
{
    const QDir source(QDir(kFixtures).filePath(set));
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), dir.file(name));
    return dir.path();
}

QList<QVariantList> readAll(const QString& file)
{
    ParadoxTable t;
    QList<QVariantList> rows;
    EXPECT_TRUE(t.Open(file)) << t.Error().Text().toStdString();
    EXPECT_TRUE(t.ReadAll(rows)) << t.Error().Text().toStdString();
    return rows;
}

QVariant value(const QString& file, int record, const char* field)
{
    ParadoxTable t;
    QVariantList values;
    EXPECT_TRUE(t.Open(file)) << t.Error().Text().toStdString();
    EXPECT_TRUE(t.ReadRecord(record, values)) << t.Error().Text().toStdString();
    const int i = t.FieldIndex(QString::fromUtf8(field));
    EXPECT_GE(i, 0) << field;
    return values.value(i);
}

void patch(const QString& file, qint64 at, const QByteArray& bytes)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(at);
    f.write(bytes);
}

TEST(ParadoxTable, TablesOfBothVersions)
{
    using T = ParadoxFieldType;
    const struct {
        const char* file;
        int records;
        int fields;
        const char* someField;
        ParadoxFieldType type;
    } cases[] = {
        {"v4/daten.DB", 3, 27, "kcal", T::Long},
        {"v4/zeit.DB", 3, 7, "zwTyp", T::Short},
        {"v4/bestzeit.DB", 1, 6, "Pb", T::Time},
        {"v4/strecke.DB", 1, 10, "Lageplan", T::Graphic},
        {"v4/streckez.DB", 2, 6, "Streckenpunkt", T::Alpha},
        {"v4/equipment.DB", 2, 4, "Kilometer", T::Number},
        {"v4/eqdaten.DB", 4, 2, "EinheiIndex", T::Long},
        {"v3/DATEN.DB", 3, 20, "Bemerkungen", T::Memo},
        {"v3/ZEIT.DB", 3, 6, "M über NN", T::Short},
    };
    for (const auto& c : cases) {
        ParadoxTable t;
        ASSERT_TRUE(t.Open(QDir(kFixtures).filePath(QString::fromLatin1(c.file)))) << t.Error().Text().toStdString();
        EXPECT_EQ(t.RecordCount(), c.records) << c.file;
        EXPECT_EQ(t.Fields().size(), c.fields) << c.file;
        EXPECT_TRUE(t.Encrypted()) << c.file;  // written with the old password, read without it
        EXPECT_EQ(t.CodePage(), 1252) << c.file;
        EXPECT_EQ(t.FileVersion(), 70) << c.file;
        const int i = t.FieldIndex(QString::fromUtf8(c.someField).toUpper());
        ASSERT_GE(i, 0) << c.file;
        EXPECT_EQ(t.Fields()[i].type, c.type) << c.file;
    }
    // The conversion tells the versions apart by the unit field "User1".
    ParadoxTable v3;
    ASSERT_TRUE(v3.Open(QDir(kFixtures).filePath(QStringLiteral("v3/DATEN.DB"))));
    EXPECT_EQ(v3.FieldIndex(QStringLiteral("User1")), -1);
}

TEST(ParadoxTable, UnitValues)
{
    for (const char* set : {"v4/daten.DB", "v3/DATEN.DB"}) {
        const QList<QVariantList> rows = readAll(QDir(kFixtures).filePath(QString::fromLatin1(set)));
        ASSERT_EQ(rows.size(), 3) << set;
        const QString file = QDir(kFixtures).filePath(QString::fromLatin1(set));
        EXPECT_EQ(value(file, 0, "Index"), QVariant(1)) << set;
        EXPECT_EQ(value(file, 0, "Datum").toDouble(), EncodeDate(2008, 7, 15)) << set;
        // Times of day are whole milliseconds, equal to the same time built by the runtime.
        EXPECT_EQ(value(file, 0, "Startzeit").toDouble(), EncodeTime(7, 30, 0, 0)) << set;
        EXPECT_EQ(value(file, 0, "Zeit").toDouble(), EncodeTime(0, 45, 30, 0)) << set;
        EXPECT_EQ(value(file, 2, "Startzeit").toDouble(), EncodeTime(6, 45, 15, 0)) << set;
        EXPECT_EQ(value(file, 0, "Ort"), QVariant(QStringLiteral("Köln"))) << set;
        EXPECT_EQ(value(file, 1, "Ort"), QVariant(QStringLiteral("Düsseldorf"))) << set;
        EXPECT_EQ(value(file, 0, "Meter"), QVariant(10000)) << set;
        EXPECT_EQ(value(file, 0, "Hoehendifferenz"), QVariant(35)) << set;
        EXPECT_EQ(value(file, 0, "Gewicht").toDouble(), 72.5) << set;
        EXPECT_TRUE(value(file, 0, "Gli").isNull()) << set;
        EXPECT_TRUE(value(file, 1, "Belastungsart").isNull()) << set;
        // Memos: a long one in a block of its own, a short one in the record, a middle one in a
        // shared block.
        const QString memo = value(file, 0, "Bemerkungen").toString();
        EXPECT_GT(memo.size(), 3000) << set;
        EXPECT_TRUE(memo.startsWith(QStringLiteral("Schöner langer Lauf am Rhein entlang, über die Brücke"))) << set;
        EXPECT_TRUE(memo.endsWith(QStringLiteral("Ende – gut."))) << set;
        EXPECT_EQ(value(file, 1, "Bemerkungen"), QVariant(QStringLiteral("Gegenwind"))) << set;
        EXPECT_EQ(value(file, 2, "Bemerkungen"), QVariant(QStringLiteral("Intervalle 5×1000 m, zäh aber gut"))) << set;
    }
    const QString v4 = QDir(kFixtures).filePath(QStringLiteral("v4/daten.DB"));
    EXPECT_EQ(value(v4, 0, "User1"), QVariant(QStringLiteral("Schuhe A")));
    EXPECT_EQ(value(v4, 0, "Fett").toDouble(), 14.2);
    EXPECT_EQ(value(v4, 2, "kcal"), QVariant(720));
    EXPECT_TRUE(value(v4, 1, "Erholungspuls").isNull());  // an empty whole number is empty, not −2³¹
    const QString zeit = QDir(kFixtures).filePath(QStringLiteral("v4/zeit.DB"));
    EXPECT_EQ(value(zeit, 0, "M über NN"), QVariant(45));
    EXPECT_EQ(value(zeit, 0, "Notitz"), QVariant(QStringLiteral("Brücke")));
    EXPECT_EQ(value(zeit, 0, "zwTyp"), QVariant(3));
    EXPECT_TRUE(value(zeit, 2, "zwTyp").isNull());
}

TEST(ParadoxTable, RoutesEquipmentAndPicture)
{
    const QString strecke = QDir(kFixtures).filePath(QStringLiteral("v4/strecke.DB"));
    EXPECT_EQ(value(strecke, 0, "Name"), QVariant(QStringLiteral("Rheinrunde Köln")));
    EXPECT_EQ(value(strecke, 0, "Beschreibung"), QVariant(QStringLiteral("Über die Hohenzollernbrücke und zurück.")));
    EXPECT_TRUE(value(strecke, 0, "Kommentar").isNull());
    EXPECT_TRUE(value(strecke, 0, "Lageplan").isNull());
    // The picture as stored: a bitmap of 2 × 2 pixels, red at the top left.
    const QByteArray bild = value(strecke, 0, "Bild").toByteArray();
    EXPECT_TRUE(bild.startsWith("BM"));
    const QImage image = QImage::fromData(bild);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(255, 255, 255));

    const QString streckez = QDir(kFixtures).filePath(QStringLiteral("v4/streckez.DB"));
    EXPECT_EQ(value(streckez, 1, "Kommentar"), QVariant(QStringLiteral("Getränke")));
    EXPECT_EQ(value(streckez, 1, "Meter"), QVariant(5000));
    const QString equipment = QDir(kFixtures).filePath(QStringLiteral("v4/equipment.DB"));
    EXPECT_EQ(value(equipment, 0, "Bezeichnung"), QVariant(QStringLiteral("Laufschuh Größe 44")));
    EXPECT_EQ(value(equipment, 0, "Kilometer").toDouble(), 512.5);
    const QList<QVariantList> links = readAll(QDir(kFixtures).filePath(QStringLiteral("v4/eqdaten.DB")));
    ASSERT_EQ(links.size(), 4);
    EXPECT_EQ(links[3], (QVariantList{1, 99}));
    const QString bestzeit = QDir(kFixtures).filePath(QStringLiteral("v4/bestzeit.DB"));
    EXPECT_EQ(value(bestzeit, 0, "Pb").toDouble(), EncodeTime(0, 44, 10, 0));
}

TEST(ParadoxTable, NamesAreFoundWithoutCase)
{
    // The version 3 set was written under upper-case names; the conversion asks for "daten.DB".
    ParadoxTable t;
    ASSERT_TRUE(t.Open(QDir(kFixtures).filePath(QStringLiteral("v3/daten.db")))) << t.Error().Text().toStdString();
    EXPECT_TRUE(t.FileName().endsWith(QStringLiteral("DATEN.DB")));
    EXPECT_EQ(ParadoxTable::FindFile(QDir(kFixtures).filePath(QStringLiteral("v3")), QStringLiteral("daten.mb")),
              QDir(kFixtures).filePath(QStringLiteral("v3/DATEN.MB")));
}

TEST(ParadoxTable, ReadingLeavesTheFolderAsItWas)
{
    TempFolder dir;
    const QString folder = copySet(dir, QStringLiteral("v4"));
    auto snapshot = [&] {
        QStringList state;
        for (const QFileInfo& fi : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QFile f(fi.filePath());
            f.open(QIODevice::ReadOnly);
            state << fi.fileName() + ' ' + QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex() + ' ' +
                         fi.lastModified().toString(Qt::ISODateWithMs);
        }
        return state;
    };
    const QStringList before = snapshot();
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.DB")}))
        EXPECT_FALSE(readAll(QDir(folder).filePath(name)).isEmpty()) << name.toStdString();
    EXPECT_EQ(snapshot(), before);  // no byte, no time stamp and no new file (no lock or index files)
}

TEST(ParadoxTable, DamagedFilesNameFileAndReason)
{
    const struct {
        const char* what;
        std::function<void(const QString& folder)> damage;
        const char* file;  // the file the error names
        const char* says;
    } cases[] = {
        {"missing table", [](const QString& f) { QFile::remove(f + "/daten.DB"); }, "daten.DB", "nicht gefunden"},
        {"missing blob file", [](const QString& f) { QFile::remove(f + "/daten.MB"); }, "daten.MB", "Blob-Datei"},
        {"cut blob file", [](const QString& f) { QFile::resize(f + "/daten.MB", 5000); }, "daten.MB", "unvollständig"},
        {"cut table", [](const QString& f) { QFile::resize(f + "/daten.DB", 3000); }, "daten.DB", "kürzer"},
        {"tiny table", [](const QString& f) { QFile::resize(f + "/daten.DB", 100); }, "daten.DB", "keine Paradox-Tabelle"},
        {"unknown level", [](const QString& f) { patch(f + "/daten.DB", 0x39, "\x20"); }, "daten.DB", "Dateiversion 32"},
        {"index file", [](const QString& f) { patch(f + "/daten.DB", 0x04, "\x01"); }, "daten.DB", "keine Paradox-Tabelle"},
        {"block outside", [](const QString& f) { patch(f + "/daten.DB", 0x0E, QByteArray("\x09\x00", 2)); }, "daten.DB",
         "Datenblock 9"},
        {"count", [](const QString& f) { patch(f + "/daten.DB", 0x06, QByteArray("\x04", 1)); }, "daten.DB",
         "Zahl der Datensätze"},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        const QString folder = copySet(dir, QStringLiteral("v4"));
        c.damage(folder);
        ParadoxTable t;
        EXPECT_FALSE(t.Open(folder + "/daten.DB")) << c.what;
        EXPECT_FALSE(t.IsOpen()) << c.what;
        EXPECT_EQ(QFileInfo(t.Error().file).fileName(), QString::fromLatin1(c.file)) << c.what;
        EXPECT_TRUE(t.Error().reason.contains(QString::fromUtf8(c.says))) << c.what << ": " << t.Error().Text().toStdString();
        EXPECT_TRUE(t.Error().Text().startsWith(QStringLiteral("Die Datei \""))) << c.what;
    }

    // A blob block that does not belong to its record: the table opens, that record is refused
    // with its field, the others read.
    TempFolder dir;
    const QString folder = copySet(dir, QStringLiteral("v4"));
    patch(folder + "/daten.MB", 4096, QByteArray(4096, '\x55'));
    ParadoxTable t;
    ASSERT_TRUE(t.Open(folder + "/daten.DB"));
    QVariantList values;
    EXPECT_FALSE(t.ReadRecord(0, values));
    EXPECT_TRUE(values.isEmpty());
    EXPECT_TRUE(t.Error().reason.contains(QStringLiteral("Bemerkungen"))) << t.Error().Text().toStdString();
    EXPECT_TRUE(t.ReadRecord(1, values));
    EXPECT_FALSE(t.ReadRecord(3, values));
    QList<QVariantList> rows;
    EXPECT_FALSE(t.ReadAll(rows));
    EXPECT_TRUE(rows.isEmpty());  // never a part of the table
}

// pxlib loops or overruns its buffers on some damaged tables; whatever bytes are damaged, the
// reader hands it only what it can read and answers with rows or with an error.
TEST(ParadoxTable, DamagedBytesNeverCrashOrHang)
{
    const QString source = QDir(kFixtures).filePath(QStringLiteral("v4"));
    QRandomGenerator random(2008);
    for (int i = 0; i < 1500; ++i) {
        TempFolder dir;
        for (const char* name : {"daten.DB", "daten.MB"})
            QFile::copy(source + '/' + name, dir.file(QString::fromLatin1(name)));
        // Mostly the header and the field list, else anywhere in the table or its blob file.
        QFile f(dir.file(QString::fromLatin1(i % 3 == 0 ? "daten.MB" : "daten.DB")));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        for (int k = 0, n = 1 + int(random.bounded(4)); k < n; ++k)
            bytes[random.bounded(i % 2 ? 0x200 : int(bytes.size()))] = char(random.bounded(256));
        f.seek(0);
        f.write(bytes);
        f.close();
        ParadoxTable t;
        QList<QVariantList> rows;
        if (t.Open(dir.file(QStringLiteral("daten.DB"))) && t.ReadAll(rows)) {
            EXPECT_EQ(rows.size(), t.RecordCount());
        } else {
            EXPECT_TRUE(rows.isEmpty());
            EXPECT_FALSE(t.Error().reason.isEmpty()) << i;
        }
    }
}

}  // namespace
