#pragma once
// The program started on an athlete database with training plans: units of 2024 by day and
// distance, plans and their links written past the layer, German formats, and the plan manager
// opened from the main menu with the user played by a callback.
#include <gtest/gtest.h>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "platform/vcl/testhooks.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/trainform.h"

class PlanTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = savedSettings_;
    }

    static QString day(int y, int m, int d) { return QString::number(EncodeDate(y, m, d), 'g', 17); }

    // A run (sport 1) on a day; block 0 leaves it without a block.
    void unit(int id, int y, int m, int d, int metres, int blockId = 0, int level = 1, int sport = 1)
    {
        db.exec(QStringLiteral("INSERT INTO daten (dat_Id, Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, Hoehendifferenz, Ort, trainingsblock) VALUES (%1, %2, 0.3, 1, %3, %4, "
                               "%5, 1, %6, 0, 'Wald', %7)")
                    .arg(id)
                    .arg(day(y, m, d))
                    .arg(metres / 1000 * 5 / 1440.0, 0, 'g', 17)
                    .arg(metres)
                    .arg(sport)
                    .arg(level)
                    .arg(blockId ? QString::number(blockId) : QStringLiteral("NULL")));
    }
    void block(int id, const QString& name)
    {
        db.exec(QStringLiteral("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created, trb_form, trb_sportart) "
                               "VALUES (%1, '%2', %3, 1, 1)")
                    .arg(id)
                    .arg(name)
                    .arg(day(2024, 1, 1)));
    }
    void plan(int id, const QString& name)
    {
        db.exec(QStringLiteral("INSERT INTO plan (pla_ID, pla_Name, pla_Created, pla_Realisiert, pla_Periode) "
                               "VALUES (%1, '%2', %3, 0, 'VP1')")
                    .arg(id)
                    .arg(name)
                    .arg(day(2024, 1, 2)));
    }
    void link(int planId, int unitId)
    {
        db.exec(QStringLiteral("INSERT INTO plan_daten (pld_PlanID, pld_DatenID, pld_realisiert) VALUES (%1, %2, 0)")
                    .arg(planId)
                    .arg(unitId));
    }
    void start()
    {
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
    }
    // Opens the plan manager from the main menu on the plan of that id; `play` is the user.
    static void manage(int planId, std::function<void(TTrainForm&)> play)
    {
        ASSERT_TRUE(orvServer->Plan.Locate("pla_ID", planId));
        ScriptedAnswers::onShowModal<TTrainForm>(std::move(play));
        MainForm->Action16->Execute();
        EXPECT_EQ(TrainForm, nullptr);
    }
    // The links as "plan:unit", in key order.
    QString links() const
    {
        return db.value("SELECT group_concat(x) FROM (SELECT pld_PlanID || ':' || pld_DatenID AS x FROM plan_daten "
                        "ORDER BY pld_ID)")
            .toString();
    }
    QString unitIds() const
    {
        return db.value("SELECT group_concat(dat_Id) FROM (SELECT dat_Id FROM daten ORDER BY 1)").toString();
    }
    static int currentUnit() { return orvServer->daten.FieldByName("dat_Id")->AsInteger(); }
    static QStringList shownPlanUnits()
    {
        QStringList ids;
        TDataSet& u = orvServer->plan_daten;
        for (u.First(); !u.Eof(); u.Next())
            ids << u.FieldByName("pld_DatenID")->AsString();
        return ids;
    }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};
