// Dataset filter expressions: the filters the program sets, each parsed and tried on rows
// that it must pass and rows that it must not.
#include <gtest/gtest.h>

#include <QHash>

#include "platform/db/dbfilter.h"
#include "tests/platform/db/dbtestfixture.h"
#include "tests/support/messages.h"

namespace {

struct Row {
    QHash<QString, QPair<QVariant, TFieldType>> fields;
    Row& set(const char* name, const QVariant& v, TFieldType t)
    {
        fields.insert(QString::fromUtf8(name).toLower(), qMakePair(v, t));
        return *this;
    }
};

bool passes(const QString& filter, const Row& row)
{
    TFilterExpression e(filter, GermanFormatSettings());
    return e.Matches([&row](const QString& name, QVariant& value, TFieldType& type) {
        const auto it = row.fields.constFind(name.toLower());
        if (it == row.fields.constEnd())
            return false;
        value = it->first;
        type = it->second;
        return true;
    });
}

Row unit(double datum, int puls, const QString& ort)
{
    Row r;
    r.set("Datum", datum, ftDateTime).set("Puls", puls, ftSmallint).set("Ort", ort, ftString);
    return r;
}

TEST(DataSetFilter, FiltersOfTheProgramSelectTheRightRows)
{
    Row block;
    block.set("trb_created", 38120.0, ftDateTime).set("trb_Form", 3, ftInteger).set("trb_Sportart", 1, ftInteger);
    Row route;
    route.set("Name", QStringLiteral("Waldlauf"), ftString);
    Row item;
    item.set("equ_aktuell", true, ftBoolean).set("equ_kategorie", QStringLiteral("Schuhe"), ftString);
    Row unitRow;
    unitRow.set("unt_type", 2, ftInteger);
    Row diary;
    diary.set("tgb_datum", 38061.0, ftDateTime);

    struct {
        const char* filter;
        const Row& row;
        bool pass;
    } cases[] = {
        {"[Name] LIKE 'Wald%'", route, true},
        {"[Name] LIKE 'wald%'", route, true},
        {"[Name] LIKE 'Berg%'", route, false},
        {"trb_created > 12.05.2004", block, true},   // 2004-05-13
        {"trb_created > 13.05.2004", block, false},
        {"[trb_Form] = 3", block, true},
        {"[trb_Sportart] = 2", block, false},
        {"(equ_aktuell = true)and (equ_kategorie = 'schuhe')", item, true},
        {"(equ_aktuell = false)", item, false},
        {"unt_type =2", unitRow, true},
        {"unt_type = 1", unitRow, false},
        {"tgb_datum = #15.03.2004#", diary, true},
        {"tgb_datum = #3/15/2004#", diary, true},
        {"tgb_datum = #3/16/2004#", diary, false},
        {"tgb_datum = '15.03.2004'", diary, true},
        {"NOT (tgb_datum < #1/1/2004#) OR tgb_datum IS NULL", diary, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(passes(QString::fromUtf8(c.filter), c.row), c.pass) << c.filter;
}

TEST(DataSetFilter, PulseBandAndNulls)
{
    const QString band = QStringLiteral("(puls > 70) and (puls < 210)");
    EXPECT_TRUE(passes(band, unit(38061, 150, "x")));
    EXPECT_FALSE(passes(band, unit(38061, 70, "x")));
    EXPECT_FALSE(passes(band, unit(38061, 210, "x")));
    Row nullPulse = unit(38061, 0, "x");
    nullPulse.set("Puls", QVariant(), ftSmallint);
    EXPECT_FALSE(passes(band, nullPulse));
    EXPECT_TRUE(passes(QStringLiteral("Puls IS NULL"), nullPulse));
    // Dates and numbers under LIKE compare by their text.
    EXPECT_TRUE(passes(QStringLiteral("Datum LIKE '15.03%'"), unit(38061, 1, "x")));
    EXPECT_TRUE(passes(QStringLiteral("Ort = 'ÄRGER'"), unit(38061, 1, QStringLiteral("Ärger"))));
}

TEST(DataSetFilter, ErrorsNameTheProblem)
{
    for (const char* bad : {"(puls > 70", "puls >", "puls 70", "Datum = #31.02.2004#", "'a' ="}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(TFilterExpression(QString::fromUtf8(bad)), EDatabaseError);
    }
    EXPECT_THROW(passes(QStringLiteral("unbekannt = 1"), unit(1, 1, "x")), EDatabaseError);
    EXPECT_THROW(passes(QStringLiteral("Puls = 'viel'"), unit(1, 1, "x")), EDatabaseError);
    EXPECT_EQ(TFilterExpression(QStringLiteral("(a = 1) and ([b] > a)")).FieldNames(), (QStringList{"a", "b"}));
}

TEST(DataSetFilter, ErrorMessageKeepsTheFiltersOwnText)
{
    // Place holders typed into a filter stay as typed; the position and the reason follow.
    for (const char* filter : {"Ort = '%2' and (", "Ort = '%1%3' and (", "Ort = '%9' and ("}) {
        const QString text = QString::fromUtf8(filter);
        const QString message = messageOf<EDatabaseError>([&] { TFilterExpression{text}; });
        EXPECT_TRUE(message.startsWith(QStringLiteral("Fehler im Filter \"") + text + QStringLiteral("\" an Position ")))
            << message.toStdString();
    }
}

// Filters on open datasets: navigation, counting and searching see only the rows that pass.
class LiveFilter : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        InstallDataSetFilters();
    }
    static QStringList orte(TDataSet& ds)
    {
        QStringList l;
        for (ds.First(); !ds.Eof(); ds.Next())
            l << ds.FieldByName("Ort")->AsString();
        return l;
    }
};

TEST_F(LiveFilter, TableSeesOnlyThePassingRowsAndKeepsItsFilter)
{
    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.SetIndexFieldNames(QStringLiteral("Datum"));
    daten.SetFilter(QStringLiteral("Meter >= 5000 AND Ort <> 'hamburg'"));  // set before the fields exist
    daten.SetFiltered(true);
    daten.Open();
    EXPECT_EQ(daten.RecordCount(), 2);
    EXPECT_EQ(orte(daten), (QStringList{"Berlin", "München"}));
    EXPECT_TRUE(daten.Eof());
    EXPECT_FALSE(daten.Locate(QStringLiteral("Ort"), QStringLiteral("Hamburg")));
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), QStringLiteral("München"));  // a miss stays
    EXPECT_TRUE(daten.Lookup(QStringLiteral("Ort"), QStringLiteral("Hamburg"), QStringLiteral("Meter")).isNull());
    EXPECT_EQ(daten.Lookup(QStringLiteral("Ort"), QStringLiteral("Berlin"), QStringLiteral("Meter")).toInt(), 10000);
    EXPECT_TRUE(daten.Locate(QStringLiteral("Ort"), QStringLiteral("Berlin")));
    EXPECT_EQ(daten.RecNo(), 1);

    // Close and Open, and rows written elsewhere that Requery brings in, keep the filter.
    daten.Close();
    exec(QStringLiteral("INSERT INTO daten (dat_Id, Datum, Ort, Meter) VALUES (4, 44000, 'Kiel', 500),"
                        " (5, 44001, 'Bonn', 42195)"));
    daten.Open();
    EXPECT_EQ(orte(daten), (QStringList{"Bonn", "Berlin", "München"}));
    exec(QStringLiteral("UPDATE daten SET Meter = 100 WHERE dat_Id = 5"));
    daten.Requery();
    EXPECT_EQ(daten.RecordCount(), 2);

    // A new filter on the open table, with a date literal; then the filter off.
    daten.SetFilter(QStringLiteral("Datum > #3/15/2023# OR Ort LIKE 'k*'"));
    EXPECT_EQ(orte(daten), (QStringList{"Kiel", "Hamburg", "München"}));
    daten.SetFiltered(false);
    EXPECT_EQ(daten.RecordCount(), 5);
    EXPECT_EQ(daten.Filter(), QStringLiteral("Datum > #3/15/2023# OR Ort LIKE 'k*'"));
}

TEST_F(LiveFilter, QueryKeepsItsFilterAcrossSqlChanges)
{
    TQuery q;
    q.SetConnection(&conn);
    q.SetSQLText(QStringLiteral("SELECT * FROM daten ORDER BY Datum"));
    q.SetFilter(QStringLiteral("trainingsblock = 7"));
    q.SetFiltered(true);
    q.Open();
    EXPECT_EQ(orte(q), (QStringList{"Berlin", "Hamburg"}));
    q.SetSQLText(QStringLiteral("SELECT Ort, trainingsblock FROM daten WHERE Meter > 6000 ORDER BY Datum"));
    q.Open();
    EXPECT_EQ(orte(q), (QStringList{"Berlin"}));
    // A filter naming a column the new SQL lacks fails at open and leaves the query closed.
    q.SetSQLText(QStringLiteral("SELECT Ort FROM daten"));
    EXPECT_THROW(q.Open(), EDatabaseError);
    EXPECT_FALSE(q.Active());
    q.SetFiltered(false);
    q.Open();
    EXPECT_EQ(q.RecordCount(), 3);
}

}  // namespace
