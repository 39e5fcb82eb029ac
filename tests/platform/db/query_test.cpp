// Query datasets: parameters, statements, and writes that go to the row each field comes from.
#include "tests/platform/db/dbtestfixture.h"

#include "platform/db/jetsql.h"
#include "tests/support/messages.h"

namespace {

using QueryTest = DbTest;

TEST_F(QueryTest, JoinWritesEachFieldToItsTable)
{
    TQuery q;
    q.SetConnection(&conn);
    q.SQL() << QStringLiteral("Select * from")
            << QStringLiteral("plan_daten inner join daten on plan_daten.pld_datenId = daten.dat_Id")
            << QStringLiteral("ORDER BY daten.datum");
    q.Open();
    ASSERT_EQ(q.RecordCount(), 3);
    q.Next();
    EXPECT_EQ(q.FieldByName("Ort")->AsString(), QStringLiteral("Hamburg"));
    q.Edit();
    q.FieldByName("pld_status")->SetAsString(QStringLiteral("verschoben"));
    q.FieldByName("Meter")->SetAsInteger(6000);
    q.Post();
    EXPECT_EQ(scalar("SELECT pld_status FROM plan_daten WHERE pld_ID = 2").toString(), QStringLiteral("verschoben"));
    EXPECT_EQ(scalar("SELECT Meter FROM daten WHERE dat_Id = 2").toInt(), 6000);
    EXPECT_EQ(scalar("SELECT count(*) FROM plan_daten WHERE pld_status = 'verschoben'").toInt(), 1);
    // Delete removes the row of the first table only.
    q.Delete();
    EXPECT_EQ(scalar("SELECT count(*) FROM plan_daten").toInt(), 2);
    EXPECT_EQ(scalar("SELECT count(*) FROM daten").toInt(), 3);
}

TEST_F(QueryTest, ConstantAndExpressionColumnsAreNeverWritten)
{
    TQuery q;
    q.SetConnection(&conn);
    q.SetSQLText(QStringLiteral("SELECT zeit.*, '' as unt_shortName, 0.01 as unt_calc, Meter * 2 AS doppelt\r\n"
                                "FROM zeit WHERE zei_Id = :id ORDER BY Meter"));
    q.ParamByName(QStringLiteral("ID"))->SetValue(2);
    q.Open();
    ASSERT_EQ(q.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(q.FieldByName("unt_calc")->AsFloat(), 0.01);
    q.Edit();
    q.FieldByName("unt_shortName")->SetAsString(QStringLiteral("km"));
    q.FieldByName("doppelt")->SetAsInteger(1);
    q.FieldByName("Puls")->SetAsInteger(133);
    q.Post();
    EXPECT_EQ(q.FieldByName("unt_shortName")->AsString(), QStringLiteral("km"));
    EXPECT_EQ(scalar("SELECT Puls FROM zeit WHERE zei_Id = 2").toInt(), 133);
}

TEST_F(QueryTest, KeylessRowIsUpdatedAndDeletedAloneAmongEqualRows)
{
    TTable zeit;
    zeit.SetConnection(&conn);
    zeit.SetTableName(QStringLiteral("zeit"));
    zeit.Open();
    // Rows 2 and 3 hold the same values.
    zeit.SetRecNo(2);
    zeit.Edit();
    zeit.FieldByName("Puls")->SetAsInteger(155);
    zeit.Post();
    EXPECT_EQ(scalar("SELECT count(*) FROM zeit WHERE Meter = 2000 AND Puls = 150").toInt(), 1);
    EXPECT_EQ(scalar("SELECT count(*) FROM zeit WHERE Meter = 2000 AND Puls = 155").toInt(), 1);
    zeit.SetRecNo(3);
    zeit.Delete();
    EXPECT_EQ(scalar("SELECT count(*) FROM zeit WHERE Meter = 2000").toInt(), 1);
    EXPECT_EQ(scalar("SELECT Puls FROM zeit WHERE Meter = 2000").toInt(), 155);
}

TEST_F(QueryTest, ParametersAndExecSQL)
{
    TQuery q;
    q.SetConnection(&conn);
    q.SQL() << QStringLiteral("UPDATE daten SET Ort = :ort") << QStringLiteral("WHERE Meter >= :m AND Ort <> ':keine'");
    EXPECT_EQ(q.Parameters().Count(), 2);
    EXPECT_THROW(q.ParamByName(QStringLiteral("keine")), EDatabaseError);
    q.ParamByName(QStringLiteral("ort"))->SetAsString(QStringLiteral("Lang"));
    q.ParamByName(QStringLiteral("m"))->SetAsInteger(10000);
    EXPECT_EQ(q.ExecSQL(), 2);
    EXPECT_EQ(scalar("SELECT count(*) FROM daten WHERE Ort = 'Lang'").toInt(), 2);
    // Replacing the SQL keeps the values of parameters that stay.
    q.SQL().clear();
    q.SQL() << QStringLiteral("SELECT * FROM daten WHERE Meter >= :m");
    EXPECT_EQ(q.Parameters().Count(), 1);
    q.Open();
    EXPECT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.SQLText(), QStringLiteral("SELECT * FROM daten WHERE Meter >= :m"));
}

TEST_F(QueryTest, SqlGoesThroughTheTranslator)
{
    struct Upper : SqlTranslator {
        QString translate(const QString& s) override
        {
            QString t = s;
            return t.replace(QStringLiteral("FROM_JET"), QStringLiteral("FROM"));
        }
    };
    conn.SetTranslator(std::make_shared<Upper>());
    TQuery q;
    q.SetConnection(&conn);
    q.SetSQLText(QStringLiteral("SELECT count(*) AS n FROM_JET daten"));
    q.Open();
    EXPECT_EQ(q.FieldByName("n")->AsInteger(), 3);
    EXPECT_EQ(conn.Execute(QStringLiteral("DELETE FROM_JET zeit WHERE zei_Id = ?"), {2}), 1);
}

TEST_F(QueryTest, ReadOnlySqlOnlyReads)
{
    TQuery q;
    q.SetConnection(&conn);
    q.SetReadOnlySQL(true);
    q.SetSQLText(QStringLiteral("SELECT * FROM daten ORDER BY dat_Id"));
    q.Open();
    EXPECT_EQ(q.RecordCount(), 3);
    q.Close();
    // Without the Jet translator only the guard stands between the text and the file.
    for (const char* refused : {"DELETE FROM daten", "UPDATE daten SET Meter = 0", "PRAGMA user_version = 7",
                                "ATTACH DATABASE ':memory:' AS x", "CREATE TABLE x (a)"}) {
        SCOPED_TRACE(refused);
        q.SetSQLText(QString::fromLatin1(refused));
        EXPECT_EQ(messageOf<EDatabaseError>([&] { q.Open(); }), ReadOnlyMessage());
        EXPECT_FALSE(q.Active());
    }
    EXPECT_EQ(scalar("SELECT count(*) FROM daten").toInt(), 3);
    EXPECT_EQ(scalar("PRAGMA user_version").toInt(), 0);
    // The guard ends with the opening: the program's own writes go on.
    EXPECT_EQ(conn.Execute(QStringLiteral("UPDATE daten SET Meter = 1 WHERE dat_Id = 1")), 1);

    InstallJetSql(conn);
    q.SetSQLText(QStringLiteral("SELECT * FROM daten WHERE 1=1; DELETE FROM daten"));
    EXPECT_THROW(q.Open(), EDatabaseError);
    EXPECT_EQ(scalar("SELECT count(*) FROM daten").toInt(), 3);
}

TEST_F(QueryTest, QueryThatCannotBeWrittenBackRefusesEveryChange)
{
    // A change that could not reach the database is refused when it starts, rather than
    // posted into nothing.
    exec(QStringLiteral("CREATE VIEW orte AS SELECT Ort, Meter FROM daten"));
    const char* queries[] = {
        "SELECT trainingsblock, sum(Meter) AS meter FROM daten GROUP BY trainingsblock",
        "SELECT DISTINCT trainingsblock FROM daten",
        "SELECT Ort FROM daten UNION SELECT Spo_Name FROM sportart",
        "SELECT d.Ort FROM (SELECT * FROM daten WHERE Meter > 1000) AS d",
        "SELECT count(*) AS n FROM daten",
        "SELECT * FROM orte",
        "SELECT trainingsblock FROM daten WHERE Meter < 0 GROUP BY trainingsblock",  // empty
    };
    for (const char* sql : queries) {
        SCOPED_TRACE(sql);
        TQuery q;
        q.SetConnection(&conn);
        q.SetSQLText(QString::fromUtf8(sql));
        q.Open();
        EXPECT_FALSE(q.CanModify());
        auto refused = [&q](const std::function<void()>& change) {
            try {
                change();
                ADD_FAILURE() << "no error";
            } catch (const EDatabaseError& e) {
                EXPECT_EQ(e.Message(), QStringLiteral("Kann eine Nur-Lesen-Datenmenge nicht ändern."));
            }
            EXPECT_EQ(q.State(), dsBrowse);
        };
        refused([&q] { q.Edit(); });  // on an empty result Edit becomes Insert: refused as well
        refused([&q] { q.Insert(); });
        refused([&q] { q.Append(); });
        if (!q.IsEmpty())
            refused([&q] { q.Delete(); });
    }
    EXPECT_EQ(scalar("SELECT group_concat(Ort || Meter || trainingsblock) FROM daten").toString(),
              QStringLiteral("Berlin100007,Hamburg50007,München211008"));

    // A plain query over the same table stays writable; so does a table.
    TQuery plain;
    plain.SetConnection(&conn);
    plain.SetSQLText(QStringLiteral("SELECT Ort FROM daten WHERE Meter > 1000"));
    plain.Open();
    EXPECT_TRUE(plain.CanModify());
    plain.SetReadOnly(true);
    EXPECT_THROW(plain.Edit(), EDatabaseError);
}

}  // namespace
