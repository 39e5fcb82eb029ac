// Client-dataset data packets: the unit packet round-trips with Nulls, dates, memo text and its
// field order; packets in the form the Windows program wrote load; broken files raise and
// hand nothing over.
#include <gtest/gtest.h>

#include "platform/db/datapacket.h"
#include "tests/platform/db/legacypacket.h"
#include "tests/support/testenv.h"

namespace {

// The stored fields of the unit packet, in the order of the unit dataset's field objects.
QVector<TPacketField> unitFields()
{
    struct {
        const char* name;
        TFieldType type;
        int size;
    } defs[] = {{"dat_Id", ftAutoInc, 0},       {"Datum", ftDateTime, 0},     {"Ort", ftString, 30},
                {"Form", ftInteger, 0},         {"Startzeit", ftDateTime, 0}, {"Gefuehl", ftString, 15},
                {"Zeit", ftDateTime, 0},        {"Meter", ftInteger, 0},      {"Wetter", ftString, 15},
                {"Wind", ftString, 15},         {"Hoehendifferenz", ftSmallint, 0}, {"Bemerkungen", ftMemo, 0},
                {"Temperatur", ftSmallint, 0},  {"Puls", ftSmallint, 0},      {"Belastungsart", ftSmallint, 0},
                {"Streckenbeschreibung", ftString, 255}, {"Sportart", ftInteger, 0}, {"Gli", ftFloat, 0},
                {"Gewicht", ftFloat, 0},        {"Belastungsstufe", ftSmallint, 0}, {"User1", ftString, 20},
                {"User2", ftFloat, 0},          {"Maxpuls", ftInteger, 0},    {"Ruhepuls", ftInteger, 0},
                {"Erholungspuls", ftInteger, 0}, {"Fett", ftFloat, 0},        {"kcal", ftInteger, 0},
                {"platz", ftSmallint, 0},       {"trainingsblock", ftInteger, 0}, {"akplatz", ftSmallint, 0}};
    QVector<TPacketField> out;
    for (const auto& d : defs) {
        TPacketField f;
        f.name = QString::fromUtf8(d.name);
        f.type = d.type;
        f.size = d.size;
        f.wide = d.type == ftString || d.type == ftMemo;
        out << f;
    }
    return out;
}

TEST(DataPacket, UnitPacketRoundTripsWithNullsDatesMemoAndOrder)
{
    TDataPacket p;
    p.fields = unitFields();
    QVector<QVariant> row(p.fields.size());
    auto set = [&](const char* name, const QVariant& v) { row[p.FieldIndex(QString::fromUtf8(name))] = v; };
    set("Datum", 38061.0);
    set("Ort", QStringLiteral("Göttingen"));
    set("Startzeit", 0.75);                          // 18:00
    set("Zeit", (45 * 60 + 12) * 1000 / MSecsPerDay + 0.0);  // 00:45:12
    set("Meter", 10000);
    set("Bemerkungen", QStringLiteral("Übelkeit & \"Wind\" <stark>\r\nzweite Zeile: äöüß"));
    set("Gli", 52.25);
    set("Hoehendifferenz", -12);
    set("trainingsblock", 7);
    p.rows << row;

    const TempFolder dir;
    const QString file = dir.file(QStringLiteral("muster.mt5"));
    SaveDataPacket(p, file);
    const TDataPacket back = LoadDataPacket(file);

    ASSERT_EQ(back.fields.size(), 30);
    for (int i = 0; i < p.fields.size(); ++i) {
        EXPECT_EQ(back.fields[i].name, p.fields[i].name) << i;
        EXPECT_EQ(back.fields[i].type, p.fields[i].type) << i;
        EXPECT_EQ(back.fields[i].size, p.fields[i].size) << i;
    }
    ASSERT_EQ(back.rows.size(), 1);
    const auto& r = back.rows[0];
    for (int i = 0; i < row.size(); ++i) {
        SCOPED_TRACE(p.fields[i].name.toStdString());
        EXPECT_EQ(r[i].isNull(), row[i].isNull());
        if (p.fields[i].type == ftDateTime || p.fields[i].type == ftFloat) {
            EXPECT_DOUBLE_EQ(r[i].toDouble(), row[i].toDouble());
        } else if (!row[i].isNull()) {
            EXPECT_EQ(r[i].toString().toStdString(), row[i].toString().toStdString());
        }
    }
}

TEST(DataPacket, PacketsOfTheWindowsProgramLoad)
{
    const QByteArray xml = LegacyTemplatePacket();
    const TDataPacket p = ReadDataPacket(xml);
    ASSERT_EQ(p.fields.size(), 7);
    EXPECT_EQ(p.fields[0].type, ftAutoInc);
    EXPECT_TRUE(p.fields[0].readOnly);
    EXPECT_EQ(p.fields[4].type, ftMemo);
    ASSERT_EQ(p.rows.size(), 1);
    EXPECT_TRUE(p.rows[0][0].isNull());
    EXPECT_DOUBLE_EQ(p.rows[0][1].toDouble(), 38061.0);
    EXPECT_EQ(p.rows[0][2].toString(), QStringLiteral("München"));
    EXPECT_DOUBLE_EQ(p.rows[0][3].toDouble(), (45 * 60 + 12) / 86400.0);
    EXPECT_DOUBLE_EQ(p.rows[0][5].toDouble(), 52.5);
    EXPECT_EQ(p.rows[0][6].toBool(), true);
}

TEST(DataPacket, FileListKeepsItsRowsInOrder)
{
    TDataPacket p;
    TPacketField id;
    id.name = QStringLiteral("vol_id");
    id.type = ftAutoInc;
    TPacketField name;
    name.name = QStringLiteral("vol_name");
    name.size = 255;
    p.fields = {id, name};
    for (const char* path : {"/home/a/Ansicht.co5", "/home/b/Ansicht.co5", "/tmp/x.SQL"})
        p.rows << QVector<QVariant>{QVariant(), QString::fromUtf8(path)};
    const TDataPacket back = ReadDataPacket(WriteDataPacket(p));
    CheckPacketFields(back, p.fields);
    ASSERT_EQ(back.rows.size(), 3);
    EXPECT_EQ(back.rows[1][1].toString(), QStringLiteral("/home/b/Ansicht.co5"));
    EXPECT_EQ(back.rows[2][1].toString(), QStringLiteral("/tmp/x.SQL"));
}

TEST(DataPacket, BrokenFilesRaiseAndHandNothingOver)
{
    const char* broken[] = {
        "",
        "kein XML",
        "<?xml version=\"1.0\"?><LISTE/>",
        "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a\" fieldtype=\"i4\"/></FIELDS></METADATA><ROWDATA><ROW a=\"1\"/>",
        "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a\" fieldtype=\"i4\"/></FIELDS></METADATA><ROWDATA><ROW a=\"x1\"/></ROWDATA></DATAPACKET>",
        "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a\" fieldtype=\"dateTime\"/></FIELDS></METADATA><ROWDATA><ROW a=\"2004-03-15\"/></ROWDATA></DATAPACKET>",
        "<DATAPACKET><METADATA><FIELDS><FIELD attrname=\"a\" fieldtype=\"quark\"/></FIELDS></METADATA></DATAPACKET>",
        "<DATAPACKET><ROWDATA><ROW a=\"1\"/></ROWDATA></DATAPACKET>",
    };
    for (const char* xml : broken) {
        SCOPED_TRACE(xml);
        EXPECT_THROW(ReadDataPacket(QByteArray(xml)), EDatabaseError);
    }
    EXPECT_THROW(LoadDataPacket(QStringLiteral("/nicht/da.mt5")), EFOpenError);

    // A packet of another layout does not fit the unit fields.
    TDataPacket other;
    other.fields = unitFields();
    other.fields.swapItemsAt(1, 2);
    EXPECT_THROW(CheckPacketFields(other, unitFields()), EDatabaseError);

    // A save that cannot complete leaves the old file as it was.
    const TempFolder dir;
    TDataPacket p;
    p.fields = unitFields();
    const QString file = dir.file(QStringLiteral("x.mt5"));
    SaveDataPacket(p, file);
    EXPECT_THROW(SaveDataPacket(p, dir.file(QStringLiteral("fehlt/x.mt5"))), EFCreateError);
    EXPECT_EQ(LoadDataPacket(file).fields.size(), 30);
}

}  // namespace
