// The rules of split rows, of the block manager's training blocks and of training plans.
#include <cmath>
#include <ostream>

#include "core/orvtools.h"
#include "tests/core/rulehooks.h"

namespace {

TDateTime hms(int h, int m, int s)
{
    return (h * 3600 + m * 60 + s) / 86400.0;
}

QString sqlNumber(double v)
{
    return QString::number(v, 'g', 17);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Split rows.

class SplitRulesTest : public RulesTest {
protected:
    // One running unit (kilometres) with three splits; the third has the second's distance.
    void SetUp() override
    {
        RulesTest::SetUp();
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, Sportart, "
                "Belastungsstufe, trainingsblock) VALUES (1, " + sqlNumber(EncodeDate(2004, 2, 12)) + ", 1, " +
                sqlNumber(hms(0, 12, 0)) + ", 2000, 0, 1, 1, 1, 1)");
        addSplit(2000, hms(0, 10, 30), 120);
        addSplit(1000, hms(0, 5, 0), 100);
        addSplit(2000, hms(0, 11, 0), 125);
        open();
        views.eingabeUpdateZwSql();
        views.calls.clear();
    }

    void addSplit(int meter, TDateTime time, int height)
    {
        db.exec(QString("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, HDiff, zei_hrm) VALUES (1, %1, %2, %3, 0)")
                    .arg(meter)
                    .arg(sqlNumber(time))
                    .arg(height));
    }

    struct Derived {
        qint64 split, minkm;
        double kmh;
        int splitmeter, hdiffpkt;
        double steigung;
        bool operator==(const Derived& o) const
        {
            return split == o.split && minkm == o.minkm && std::abs(kmh - o.kmh) < 1e-9 &&
                   splitmeter == o.splitmeter && hdiffpkt == o.hdiffpkt && std::abs(steigung - o.steigung) < 1e-9;
        }
        friend void PrintTo(const Derived& d, std::ostream* os)
        {
            *os << "{split " << d.split << ", minkm " << d.minkm << ", kmh " << d.kmh << ", splitmeter "
                << d.splitmeter << ", hdiffpkt " << d.hdiffpkt << ", steigung " << d.steigung << "}";
        }
    };

    Derived derived()
    {
        TDataSet& z = server.zeit;
        return {ms(z.FieldByName("Split")), ms(z.FieldByName("minkm")), z.FieldByName("kmh")->AsFloat(),
                z.FieldByName("zei_splitmeter")->AsInteger(), z.FieldByName("zei_hdiffpkt")->AsInteger(),
                z.FieldByName("zei_steigung")->AsFloat()};
    }

    static constexpr Derived kRow1{300000, 300000, 12.0, 1000, 0, 0.0};
    static constexpr Derived kRow2{330000, 330000, 1000 / 1000.0 / (330.0 / 3600.0), 1000, 20, 2.0};
    static constexpr Derived kZero{0, 0, 0.0, 0, 0, 0.0};
};

TEST_F(SplitRulesTest, EachRowIsComputedFromTheRowBeforeIt)
{
    TDataSet& z = server.zeit;
    ASSERT_EQ(z.RecordCount(), 3);
    z.First();
    EXPECT_EQ(derived(), kRow1);
    EXPECT_DOUBLE_EQ(z.FieldByName("zei_distance")->AsFloat(), 1.0);  // kilometres
    z.Next();
    EXPECT_EQ(derived(), kRow2);
    z.Next();  // same distance as the row before: nothing to derive
    EXPECT_EQ(derived(), kZero);
}

TEST_F(SplitRulesTest, RowsFetchedOutOfOrderGetTheSameValues)
{
    TDataSet& z = server.zeit;
    z.Last();
    EXPECT_EQ(derived(), kZero);
    z.First();
    z.SetRecNo(2);
    EXPECT_EQ(derived(), kRow2);
    // A grid draws the rows around the current one in any order.
    z.Last();
    z.SetDisplayRow(1);
    EXPECT_EQ(derived(), kRow2);
    z.SetDisplayRow(0);
    EXPECT_EQ(derived(), kRow1);
    z.SetDisplayRow(-1);
    EXPECT_EQ(derived(), kZero);
}

TEST_F(SplitRulesTest, TwoRowsAlikeInEveryColumnEachFollowTheirOwnPredecessor)
{
    // The second 1000 m row adds no distance to the first: nothing to derive for it.
    addSplit(1000, hms(0, 5, 0), 100);
    views.eingabeUpdateZwSql();
    TDataSet& z = server.zeit;
    ASSERT_EQ(z.RecordCount(), 4);
    const Derived expected[] = {kRow1, kZero, kRow2, kZero};
    for (z.First(); !z.Eof(); z.Next())
        EXPECT_EQ(derived(), expected[z.RecNo() - 1]) << "row " << z.RecNo();
    // Drawn by a grid in any order, from any current row.
    for (int current : {1, 4}) {
        z.SetRecNo(current);
        for (int row : {1, 0, 3, 2}) {
            z.SetDisplayRow(row);
            EXPECT_EQ(derived(), expected[row]) << "row " << row + 1 << " drawn from row " << current;
        }
        z.SetDisplayRow(-1);
        EXPECT_EQ(derived(), expected[current - 1]);
    }
}

TEST_F(SplitRulesTest, AFirstRowWithoutDistanceOrTimeGivesZeros)
{
    db.exec("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, HDiff, zei_hrm) VALUES (1, 0, 0, 90, 0)");
    views.eingabeUpdateZwSql();
    server.zeit.First();
    EXPECT_EQ(derived(), kZero);
    server.zeit.Next();  // 1000 m after the start row at 0 m
    EXPECT_EQ(derived(), (Derived{300000, 300000, 12.0, 1000, 10, 1.0}));
}

TEST_F(SplitRulesTest, NothingIsComputedWhileARowIsEdited)
{
    TDataSet& z = server.zeit;
    z.SetRecNo(2);
    z.Edit();
    EXPECT_FALSE(server.ZeitCalculation());
    EXPECT_TRUE(views.postEnabled);
    z.FieldByName("Meter")->SetAsInteger(1500);
    EXPECT_TRUE(z.FieldByName("Split")->IsNull());
    EXPECT_TRUE(z.FieldByName("zei_splitmeter")->IsNull());
    z.Cancel();
    EXPECT_TRUE(server.ZeitCalculation());
    EXPECT_FALSE(views.postEnabled);
    EXPECT_EQ(derived(), kRow2);
}

TEST_F(SplitRulesTest, APostedRowBelongsToTheUnitAndTheListIsRefilledFromRowOne)
{
    TDataSet& z = server.zeit;
    z.Last();
    z.Insert();
    EXPECT_EQ(z.FieldByName("Meter")->AsInteger(), 0);
    EXPECT_EQ(z.FieldByName("Zwischenzeit")->AsFloat(), 0.0);
    EXPECT_EQ(z.FieldByName("Puls")->AsInteger(), 0);
    z.FieldByName("Meter")->SetAsInteger(1500);
    z.FieldByName("Zwischenzeit")->SetAsFloat(hms(0, 7, 30));
    z.FieldByName("HDiff")->SetAsInteger(110);
    z.Post();

    EXPECT_EQ(views.calls, QStringList({"updateZwSql", "fillZwGrid"}));
    EXPECT_TRUE(server.ZeitCalculation());
    EXPECT_EQ(z.RecNo(), 1);
    EXPECT_EQ(db.value("SELECT zei_Id FROM zeit WHERE Meter = 1500").toInt(), 1);
    EXPECT_EQ(db.value("SELECT count(*) FROM DATEN").toInt(), 1);
    EXPECT_EQ(db.value("SELECT count(*) FROM unit").toInt(), 8);
    z.Next();  // the new row, between 1000 and 2000 m
    EXPECT_EQ(derived(), (Derived{150000, 300000, 12.0, 500, 10, 2.0}));
    z.Next();
    EXPECT_EQ(derived(), (Derived{180000, 360000, 10.0, 500, 10, 2.0}));
}

TEST_F(SplitRulesTest, DeletingARowRefreshesTheSplitViewAndTheChain)
{
    TDataSet& z = server.zeit;
    z.First();
    z.Delete();
    EXPECT_EQ(views.calls, QStringList({"updateZwSql", "updateZwSql", "fillZwGrid", "repaintZwGrid"}));
    ASSERT_EQ(z.RecordCount(), 2);
    EXPECT_EQ(z.RecNo(), 1);
    EXPECT_EQ(db.value("SELECT count(*) FROM zeit").toInt(), 2);
    EXPECT_EQ(db.value("SELECT count(*) FROM DATEN").toInt(), 1);
    // The 2000 m row is now the first one.
    EXPECT_EQ(derived(), (Derived{630000, 315000, 2.0 / (630.0 / 3600.0), 2000, 0, 0.0}));
}

// The split dialog's "Meter" names the unit its distance is shown and typed in: metres, also
// for a run whose sport counts in kilometres (a split of 1000 m shows "1000", not "1").
TEST_F(SplitRulesTest, DistancesAreShownAndTypedInMetres)
{
    TField* meter = server.zeit.FieldByName("Meter");
    server.zeit.First();
    EXPECT_EQ(meter->DisplayText(), "1000");
    server.zeit.Edit();
    meter->SetText("2250");
    EXPECT_EQ(meter->AsInteger(), 2250);
    meter->SetText("1500,4");  // rounded to whole metres
    EXPECT_EQ(meter->AsInteger(), 1500);
    meter->SetText("");
    EXPECT_EQ(meter->AsInteger(), 1500);
    EXPECT_THROW(meter->SetText("zwei"), EConvertError);
    EXPECT_THROW(meter->SetText("5000000000"), EDatabaseError);  // more metres than the field holds
    EXPECT_EQ(meter->AsInteger(), 1500);
    server.zeit.Cancel();
}

TEST_F(SplitRulesTest, TheSplitDialogFollowsTheSplitRows)
{
    server.zeit.Next();
    EXPECT_FALSE(views.calls.contains("clearTime"));
    views.zwDialogVisible = true;
    server.zeit.Next();
    EXPECT_TRUE(views.calls.contains("clearTime"));
}

// ---------------------------------------------------------------------------------------------
// Training blocks of the block manager.

class BlockRulesTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        day = EncodeDate(2004, 2, 12);
        for (int id = 1; id <= 3; ++id)
            db.exec(QString("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_form, trb_sportart, trb_created) "
                            "VALUES (%1, 'Block %1', 1, 1, %2)")
                        .arg(id)
                        .arg(sqlNumber(day + id)));
        addUnit(1, 1, day, 10000, hms(20, 0, 0));
        addUnit(2, 1, day + 1, 5000, hms(6, 30, 0));
        addUnit(3, 2, day + 2, 8000, hms(0, 40, 0));
        SetClock([] { return EncodeDate(2004, 3, 1); });
        open();
    }

    void addUnit(int id, int block, TDateTime date, int meter, TDateTime time)
    {
        db.exec(QString("INSERT INTO DATEN (dat_Id, Datum, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, "
                        "Sportart, Belastungsstufe, trainingsblock) VALUES (%1, %2, 1, %3, %4, 0, 1, 1, 1, %5)")
                    .arg(id)
                    .arg(sqlNumber(date))
                    .arg(sqlNumber(time))
                    .arg(meter)
                    .arg(block));
    }

    void newBlock(const QString& name)
    {
        TDataSet& b = server.trainblockman;
        b.Insert();
        EXPECT_EQ(b.FieldByName("trb_created")->AsDateTime(), EncodeDate(2004, 3, 1));
        b.FieldByName("trb_Name")->SetAsString(name);
        b.FieldByName("trb_form")->SetAsInteger(1);
        b.FieldByName("trb_sportart")->SetAsInteger(1);
        b.Post();
    }

    TDateTime day = 0;
};

TEST_F(BlockRulesTest, ANewBlockIsDatedTodayAndNumberedAfterTheHighestIdInTheFile)
{
    // A block written elsewhere after the datasets were read still counts.
    db.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_created) VALUES (7, 'Woanders', 0)");
    newBlock("Neu");
    EXPECT_EQ(server.trainblockman.FieldByName("trb_Id")->AsInteger(), 8);
    newBlock("Noch einer");
    EXPECT_EQ(db.value("SELECT trb_Id FROM TRAININGSBLOCK WHERE trb_Name = 'Noch einer'").toInt(), 9);
}

TEST_F(BlockRulesTest, ABlockDatedBeforeItsUnitsIsSavedWithAWarning)
{
    TDataSet& b = server.trainblockman;
    ASSERT_TRUE(b.Locate("trb_Id", 2));
    b.Edit();
    b.FieldByName("trb_created")->SetAsDateTime(day - 10);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    EXPECT_THROW(b.Post(), EAbort);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::BlockDateCheck));
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtWarning);
    EXPECT_DOUBLE_EQ(db.value("SELECT trb_created FROM TRAININGSBLOCK WHERE trb_Id = 2").toDouble(), day - 10);
}

TEST_F(BlockRulesTest, TheBlockManagerShowsTheBlocksTotalsWithAllTheirHours)
{
    views.blockman = true;
    ASSERT_TRUE(server.trainblockman.Locate("trb_Id", 1));
    EXPECT_EQ(views.calls.mid(views.calls.size() - 2),
              QStringList({"UpdateListView", "blockTotals 15000 26:30:00"}));
    ASSERT_TRUE(server.trainblockman.Locate("trb_Id", 3));
    EXPECT_EQ(views.calls.last(), "blockTotals 0 00:00:00");

    views.blockman = false;
    views.calls.clear();
    server.trainblockman.First();
    EXPECT_TRUE(views.calls.isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Training plans.

class PlanRulesTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        // Thursday 12 February 2004 (week 7) and Sunday 15 February 2004.
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Form, Zeit, Meter, Hoehendifferenz, Belastungsart, Sportart, "
                "Belastungsstufe, trainingsblock) VALUES (1, " + sqlNumber(EncodeDate(2004, 2, 12)) + ", 3, " +
                sqlNumber(hms(0, 55, 0)) + ", 10000, 0, 1, 1, 1, 1), (2, " + sqlNumber(EncodeDate(2004, 2, 15)) +
                ", 1, " + sqlNumber(hms(1, 30, 0)) + ", 5500, 0, 1, 1, 1, 1)");
        db.exec("INSERT INTO plan (pla_ID, pla_Name) VALUES (1, 'Aufbau'), (2, 'Leer')");
        db.exec("INSERT INTO plan_daten (pld_ID, pld_PlanID, pld_DatenID, pld_realisiert) VALUES (1, 1, 1, 0), (2, 1, 2, 0)");
        views.trainForm = true;
        open();
        // The plan manager moves to a plan once every dataset is open.
        ASSERT_TRUE(server.Plan.Locate("pla_ID", 2));
        ASSERT_TRUE(server.Plan.Locate("pla_ID", 1));
    }
};

TEST_F(PlanRulesTest, APlanShowsItsUnitsAndTotalsInTheStatisticsUnit)
{
    EXPECT_EQ(server.plan_daten.RecordCount(), 2);
    EXPECT_EQ(views.planEdit1, "15,5");
    EXPECT_EQ(views.planLabel4, "Kilometer:");
    EXPECT_EQ(views.planEdit2, MsToTimeStr((55 + 90) * 60000));
    EXPECT_EQ(views.planMeters, 15500);
    EXPECT_TRUE(views.calls.contains("checkPopupMenu6"));
    // The walk over the plan's units leaves them at their last row ("Planeinheit löschen"
    // deletes that one).
    EXPECT_TRUE(server.plan_daten.Eof());
    EXPECT_EQ(server.plan_daten.RecNo(), 2);
    EXPECT_EQ(server.plan_daten.FieldByName("pld_ID")->AsInteger(), 2);

    ASSERT_TRUE(server.Plan.Locate("pla_ID", 2));
    EXPECT_EQ(server.plan_daten.RecordCount(), 0);
    EXPECT_EQ(views.planEdit1, "0");
}

TEST_F(PlanRulesTest, APlanInEditStateShowsNoUnitsUntilItIsSaved)
{
    server.Plan.Edit();
    EXPECT_TRUE(views.planPostButtons);
    server.Plan.FieldByName("pla_Name")->SetAsString("Aufbau 2");
    EXPECT_EQ(server.plan_daten.RecordCount(), 0);
    server.Plan.Post();
    EXPECT_FALSE(views.planPostButtons);
    EXPECT_EQ(server.plan_daten.RecordCount(), 2);
}

TEST_F(PlanRulesTest, AnEmptyPlanListShowsZeroTotals)
{
    views.planEdit1 = views.planEdit2 = "x";
    db.exec("DELETE FROM plan");
    server.Plan.Close();
    server.Plan.Open();
    EXPECT_EQ(views.planEdit1, "0");
    EXPECT_EQ(views.planEdit2, "00:00:00");
}

TEST_F(PlanRulesTest, PlanUnitsShowWeekDayPaceAndSpeed)
{
    TDataSet& p = server.plan_daten;
    p.First();
    EXPECT_EQ(p.FieldByName("Woche")->AsString(), "7.04");
    EXPECT_EQ(p.FieldByName("Tag")->AsString(), "Do.");
    EXPECT_EQ(ms(p.FieldByName("minkm")), 330000);
    EXPECT_NEAR(p.FieldByName("kmh")->AsFloat(), 10.0 / (55.0 / 60.0), 1e-9);
    p.Next();
    EXPECT_EQ(p.FieldByName("Tag")->AsString(), "So.");
}

TEST_F(PlanRulesTest, ARealisedPlannedUnitMayBecomeATrainingUnit)
{
    TDataSet& p = server.plan_daten;
    p.First();
    p.Edit();
    EXPECT_TRUE(views.planUnitButtons);
    p.FieldByName("pld_realisiert")->SetAsBoolean(true);
    ScriptedAnswers::pushMessageAnswer(mrNo);
    p.Post();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, Format(LoadStr(msg::SetFormToTraining), {"Geplant"}));
    EXPECT_FALSE(views.planUnitButtons);
    EXPECT_EQ(db.value("SELECT Form FROM DATEN WHERE dat_Id = 1").toInt(), 3);

    p.Edit();
    p.FieldByName("pld_status")->SetAsString("erledigt");
    ScriptedAnswers::pushMessageAnswer(mrYes);
    p.Post();
    EXPECT_EQ(db.value("SELECT Form FROM DATEN WHERE dat_Id = 1").toInt(), 1);
    EXPECT_EQ(db.value("SELECT pld_realisiert FROM plan_daten WHERE pld_ID = 1").toInt(), 1);

    // A unit of a training form is not asked about.
    p.Next();
    p.Edit();
    p.FieldByName("pld_realisiert")->SetAsBoolean(true);
    const int boxes = ScriptedAnswers::messages().size();
    p.Post();
    EXPECT_EQ(ScriptedAnswers::messages().size(), boxes);
}
