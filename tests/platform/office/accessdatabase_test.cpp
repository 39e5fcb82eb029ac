// The Access reader: user tables, typed values (dates as the stored day count, texts in both of
// Jet's encodings, memos), tables over many pages, clear errors, and the same content as the
// command-line reader of the Debian package gives for every fixture the tests use.
#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

#include "platform/office/accessdatabase.h"
#include "platform/office/officemessages.h"
#include "tests/platform/office/officetest.h"
#include "tests/support/accessfixtures.h"

namespace {

const TDateTime kDay = 45000;  // 15.03.2023

JetTable kindsTable()
{
    JetTable t;
    t.name = QStringLiteral("Werte");
    t.columns = {{QStringLiteral("Nr"), JetType::Long},      {QStringLiteral("Klein"), JetType::Integer},
                 {QStringLiteral("Byte"), JetType::Byte},    {QStringLiteral("Einfach"), JetType::Single},
                 {QStringLiteral("Doppelt"), JetType::Double}, {QStringLiteral("Wann"), JetType::DateTime},
                 {QStringLiteral("Text"), JetType::Text, 50}, {QStringLiteral("Notiz"), JetType::Memo},
                 {QStringLiteral("Ja"), JetType::Boolean}};
    t.rows = {
        {1, -12, 200, 1.5, -2.125, kDay + (13 * 3600 + 14 * 60 + 15) / 86400.0, QStringLiteral("Köln"),
         QStringLiteral("Zeile 1\nZeile 2 \"zitiert\""), true},
        {2, 32767, 0, QVariant(), 1e9, 2.0, QStringLiteral("Ωmega €"), QString(2000, QLatin1Char('x')), false},
        {3, QVariant(), QVariant(), 0.0, QVariant(), QVariant(), QVariant(), QVariant(), false},
    };
    return t;
}

class AccessReader : public testing::Test {
protected:
    QString write(const QString& name, const QVector<JetTable>& tables)
    {
        const QString path = dir.filePath(name);
        QString error;
        EXPECT_TRUE(WriteJetDatabase(path, tables, &error)) << error.toStdString();
        return path;
    }
    std::unique_ptr<AccessDatabase> open(const QString& path)
    {
        auto r = AccessDatabase::Open(path);
        EXPECT_TRUE(r.Ok()) << (r.Ok() ? "" : r.Error().Text().toStdString());
        return r.Ok() ? std::move(r.Value()) : nullptr;
    }
    QTemporaryDir dir;
};

TEST_F(AccessReader, ListsUserTablesAndReadsTypedValues)
{
    JetTable second;
    second.name = QStringLiteral("Leer");
    second.columns = {{QStringLiteral("a"), JetType::Long}};
    auto db = open(write(QStringLiteral("kinds.mdb"), {kindsTable(), second}));
    ASSERT_TRUE(db);
    EXPECT_EQ(db->TableNames(), (QStringList{QStringLiteral("Werte"), QStringLiteral("Leer")}));

    auto t = db->Table(QStringLiteral("werte"));  // names compare without case
    ASSERT_TRUE(t.Ok());
    const AccessTable& w = t.Value();
    ASSERT_EQ(w.rows.size(), 3);
    EXPECT_EQ(w.fields[5].kind, AccessFieldKind::DateTime);
    EXPECT_EQ(w.fields[7].kind, AccessFieldKind::Memo);
    EXPECT_EQ(w.Value(0, QStringLiteral("Nr")), TableValue::FromNumber(1));
    EXPECT_EQ(w.Value(0, QStringLiteral("Klein")), TableValue::FromNumber(-12));
    EXPECT_EQ(w.Value(0, QStringLiteral("Byte")), TableValue::FromNumber(200));
    EXPECT_EQ(w.Value(0, QStringLiteral("Einfach")), TableValue::FromNumber(1.5));
    EXPECT_EQ(w.Value(0, QStringLiteral("Doppelt")), TableValue::FromNumber(-2.125));
    // The stored day count, to the second, not a text in some date format.
    EXPECT_EQ(w.Value(0, QStringLiteral("Wann")),
              TableValue::FromDateTime(kDay + (13 * 3600 + 14 * 60 + 15) / 86400.0));
    EXPECT_EQ(w.Value(0, QStringLiteral("Text")), TableValue::FromText(QStringLiteral("Köln")));
    EXPECT_EQ(w.Value(0, QStringLiteral("Notiz")), TableValue::FromText(QStringLiteral("Zeile 1\nZeile 2 \"zitiert\"")));
    EXPECT_EQ(w.Value(0, QStringLiteral("Ja")), TableValue::FromNumber(1));
    // Characters beyond Latin-1 (stored uncompressed) and a memo longer than any text buffer.
    EXPECT_EQ(w.Value(1, QStringLiteral("Text")), TableValue::FromText(QStringLiteral("Ωmega €")));
    EXPECT_EQ(w.Value(1, QStringLiteral("Notiz")).Text().size(), 2000);
    EXPECT_EQ(w.Value(1, QStringLiteral("Ja")), TableValue::FromNumber(0));
    // Nulls are empty values, whatever the kind.
    for (const char* f : {"Klein", "Byte", "Doppelt", "Wann", "Text", "Notiz"})
        EXPECT_TRUE(w.Value(2, QString::fromLatin1(f)).IsEmpty()) << f;
    EXPECT_EQ(w.Value(2, QStringLiteral("Einfach")), TableValue::FromNumber(0));

    auto empty = db->Rows(QStringLiteral("Leer"));
    ASSERT_TRUE(empty.Ok());
    EXPECT_TRUE(empty.Value().isEmpty());
}

TEST_F(AccessReader, ReadsEveryRowOfATableOverManyPages)
{
    const Trip trip = MakeTrip(7, QStringLiteral("Runde"), kDay, 3000);
    auto db = open(write(QStringLiteral("trip.mdb"), TripTables({trip})));
    ASSERT_TRUE(db);
    auto t = db->Table(QStringLiteral("TripTable"));
    ASSERT_TRUE(t.Ok());
    ASSERT_EQ(t.Value().rows.size(), 3000);
    EXPECT_EQ(t.Value().Value(2999, QStringLiteral("RecordNo")), TableValue::FromNumber(3000));
    EXPECT_EQ(t.Value().Value(2999, QStringLiteral("TimeAndDate")), TableValue::FromDateTime(trip.records[2999].time));
}

TEST(AccessInteger, RoundsNumbersReadsTextsAndGivesZeroOtherwise)
{
    const struct {
        TableValue value;
        int expected;
    } cases[] = {
        {TableValue::FromNumber(41.5), 42},
        {TableValue::FromNumber(-2.5), -3},
        {TableValue::FromNumber(3e9), 0},
        {TableValue::FromNumber(std::nan("")), 0},
        {TableValue::FromText(QStringLiteral(" 17 ")), 17},
        {TableValue::FromText(QStringLiteral("x")), 0},
        {TableValue::FromDateTime(kDay), 0},
        {TableValue(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AccessInteger(c.value), c.expected) << c.value.AsText().toStdString();
}

TEST_F(AccessReader, ErrorsNameTheFileOrTable)
{
    const QString good = write(QStringLiteral("good.mdb"), {kindsTable()});
    QFile g(good);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    const QByteArray bytes = g.readAll();
    auto writeBytes = [&](const QString& name, const QByteArray& b) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
        return path;
    };
    const QString text = writeBytes(QStringLiteral("text.mdb"), QByteArray(9000, 'a'));
    const QString cut = writeBytes(QStringLiteral("cut.mdb"), bytes.left(100));
    QByteArray broken = bytes;
    broken.replace(2 * 4096, 4096, QByteArray(4096, '\0'));  // the catalog's definition gone
    const QString noCatalog = writeBytes(QStringLiteral("nocatalog.mdb"), broken);

    const struct {
        QString path;
        QString message;
    } cases[] = {
        {dir.filePath(QStringLiteral("fehlt.mdb")), OfficeMessages::FileNotFound(dir.filePath(QStringLiteral("fehlt.mdb")))},
        {text, OfficeMessages::NotAnAccessDatabase(text)},
        {cut, OfficeMessages::NotAnAccessDatabase(cut)},
        {noCatalog, OfficeMessages::AccessDamaged(noCatalog)},
    };
    for (const auto& c : cases) {
        auto r = AccessDatabase::Open(c.path);
        ASSERT_FALSE(r.Ok()) << c.path.toStdString();
        EXPECT_EQ(r.Error().message, c.message);
    }
    auto db = open(good);
    ASSERT_TRUE(db);
    auto missing = db->Table(QStringLiteral("MSysObjects"));  // system tables are not offered
    ASSERT_FALSE(missing.Ok());
    EXPECT_EQ(missing.Error().message, OfficeMessages::UnknownTable(QStringLiteral("MSysObjects")));
}

// --- the same as the command-line reader --------------------------------------------------------

// Fields of a CSV text (quotes doubled inside quoted fields, line breaks inside them kept).
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false, any = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                cell += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c == QLatin1Char(',')) {
            row.append(cell);
            cell.clear();
        } else if (c == QLatin1Char('\n')) {
            row.append(cell);
            rows.append(row);
            row.clear();
            cell.clear();
        } else {
            cell += c;
            any = true;
        }
    }
    if (any && !row.isEmpty())
        rows.append(row << cell);
    return rows;
}

QString dateText(double v)
{
    const qint64 ms = qint64(std::llround(v * 86400000.0));
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC).addMSecs(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

void expectSameAsMdbExport(const QString& path)
{
    auto opened = AccessDatabase::Open(path);
    ASSERT_TRUE(opened.Ok());
    const AccessDatabase& db = *opened.Value();
    QProcess tables;
    tables.start(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), path});
    ASSERT_TRUE(tables.waitForFinished()) << "mdb-tables (Debian package mdbtools) is needed";
    EXPECT_EQ(QString::fromUtf8(tables.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              db.TableNames());
    for (const QString& name : db.TableNames()) {
        SCOPED_TRACE(name.toStdString());
        QProcess exp;
        exp.start(QStringLiteral("mdb-export"), {QStringLiteral("-T"), QStringLiteral("%Y-%m-%d %H:%M:%S"),
                                                 QStringLiteral("-0"), QStringLiteral("<null>"), path, name});
        ASSERT_TRUE(exp.waitForFinished());
        const QList<QStringList> csv = parseCsv(QString::fromUtf8(exp.readAllStandardOutput()));
        const AccessTable t = db.Table(name).ValueOrThrow();
        ASSERT_EQ(csv.size(), t.rows.size() + 1);
        QStringList header;
        for (const AccessField& f : t.fields)
            header.append(f.name);
        EXPECT_EQ(csv[0], header);
        for (int r = 0; r < t.rows.size(); ++r) {
            ASSERT_EQ(csv[r + 1].size(), t.fields.size());
            for (int c = 0; c < t.fields.size(); ++c) {
                const TableValue& v = t.rows[r][c];
                const QString& cell = csv[r + 1][c];
                const std::string where = "row " + std::to_string(r) + " " + t.fields[c].name.toStdString();
                switch (v.kind()) {
                case TableValue::Kind::Empty:
                    EXPECT_TRUE(cell == QLatin1String("<null>") || cell.isEmpty()) << where << " " << cell.toStdString();
                    break;
                case TableValue::Kind::Text: EXPECT_EQ(cell, v.Text()) << where; break;
                case TableValue::Kind::DateTime: EXPECT_EQ(cell, dateText(v.Number())) << where; break;
                case TableValue::Kind::Number:
                    EXPECT_NEAR(cell.toDouble(), v.Number(), 1e-6 * std::max(1.0, std::fabs(v.Number()))) << where;
                    break;
                }
            }
        }
    }
}

TEST_F(AccessReader, ReadsEveryFixtureAsTheCommandLineReaderDoes)
{
    const TDateTime start = kDay + 10.5 / 24;
    expectSameAsMdbExport(write(QStringLiteral("kinds.mdb"), {kindsTable()}));
    expectSameAsMdbExport(write(QStringLiteral("trips.mdb"),
                                TripTables({MakeTrip(2, QStringLiteral("Abendrunde"), start + 1, 300),
                                            MakeTrip(1, QStringLiteral("Morgenrunde"), start, 120)})));
    expectSameAsMdbExport(write(
        QStringLiteral("myway.mdb"),
        PlannerTables({{1, QStringLiteral("Bonn"), 5200, 10}, {2, QStringLiteral("aachen"), 9000, 11}, {3, QStringLiteral("Ohne Karte"), 100, 99}},
                      {{10, QStringLiteral("Rheinland")}, {11, QStringLiteral("Eifel")}},
                      {{7, 1, 0, QStringLiteral("Start"), 60}, {8, 1, 2500, QStringLiteral("Brücke"), 55},
                       {9, 1, 5200, QStringLiteral("Ziel"), 62}})));
}

}  // namespace
