// The route planner import: the planner's routes listed with their maps, the marker choice, and
// the chosen route written with its points; a missing planner is named, not failed on.
#include <gtest/gtest.h>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "exchange/mywaybusy.h"
#include "exchange/mywayimport.h"
#include "exchange/mywaypointselect.h"
#include "tests/core/programfixture.h"
#include "tests/support/accessfixtures.h"
#include "tests/support/athletedb.h"
#include "tests/support/testenv.h"
#include "traininglog/mywayroute.h"

namespace {

class MyWayImportTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        StartProgram({db.path()});
        ASSERT_TRUE(WritePlannerFile(planner.file(QStringLiteral("myway.mdb")),
                                     {{1, QStringLiteral("Bonn"), 5300, 10},
                                      {2, QStringLiteral("aachen"), 9000, 11},
                                      {3, QStringLiteral("Ohne Karte"), 100, 99}},
                                     {{10, QStringLiteral("Rheinland")}, {11, QStringLiteral("Eifel")}},
                                     {{7, 1, 0, QStringLiteral("Start"), 60},
                                      {8, 1, 2500, QStringLiteral("Brücke"), 55},
                                      {9, 1, 5200, QStringLiteral("Ziel"), 62},
                                      {20, 2, 0, QStringLiteral("Dom"), 180}}));
        setFolder(planner.path());
    }
    static void setFolder(const QString& folder)
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.OpenKey(QStringLiteral("\\Software\\ZED1"), true);
        reg.WriteString(QStringLiteral("DIZPath"), folder);
    }
    // Shows the route list; `play` acts in it.
    void showRoutes(std::function<void(Tmywaydlg&)> play)
    {
        ScriptedAnswers::onShowModal<Tmywaydlg>(std::move(play));
        ModalForm<Tmywaydlg> form(mywaydlg, MainForm);
        form->ShowModal();
    }
    int count(const QString& sql) const { return db.value(sql).toInt(); }

    AthleteDatabase db;
    TempFolder planner;
};

QStringList gridNames(Tmywaydlg& f)
{
    QStringList rows;
    for (f.ADOQuery1.First(); !f.ADOQuery1.Eof(); f.ADOQuery1.Next())
        rows << f.ADOQuery1.FieldByName(QStringLiteral("strec_name"))->AsString() + '/' +
                    f.ADOQuery1.FieldByName(QStringLiteral("karte_name"))->AsString() + '/' +
                    f.ADOQuery1.FieldByName(QStringLiteral("strec_laenge"))->AsString();
    f.ADOQuery1.First();
    return rows;
}

TEST_F(MyWayImportTest, ARouteWithItsChosenMarkersBecomesARoute)
{
    ScriptedAnswers::onShowModal<Tmywayimp2>([](Tmywayimp2& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("MyWay Import"));
        ASSERT_EQ(f.ListView1->topLevelItemCount(), 3);
        EXPECT_EQ(f.ListView1->topLevelItem(1)->text(0), QStringLiteral("2500"));
        EXPECT_EQ(f.ListView1->topLevelItem(1)->text(1), QStringLiteral("Brücke"));
        EXPECT_TRUE(f.ListView1->isColumnHidden(2));
        f.Button4->click();
    });
    showRoutes([](Tmywaydlg& f) {
        // By name without regard to case; the route whose map is missing is not offered.
        EXPECT_EQ(gridNames(f), (QStringList{"aachen/Eifel/9000", "Bonn/Rheinland/5300"}));
        EXPECT_TRUE(f.Button4->isEnabled());
        f.ADOQuery1.Next();
        f.Button4->click();
    });
    const QString route = QStringLiteral("(SELECT max(StrIndex) FROM STRECKE)");
    EXPECT_EQ(db.value(QStringLiteral("SELECT Name || '|' || Ort || '|' || Laenge || '|' || str_kategorie FROM STRECKE "
                                      "WHERE StrIndex = ") + route)
                  .toString(),
              QStringLiteral("Bonn|Bonn|5200|MyWay - Import"));
    EXPECT_EQ(db.value(QStringLiteral("SELECT group_concat(Meter || ':' || Streckenpunkt || ':' || Hoehe, ' ') FROM "
                                      "(SELECT * FROM streckez WHERE StrIndex = ") + route + QStringLiteral(" ORDER BY Meter)"))
                  .toString(),
              QStringLiteral("0:Start:60 2500:Brücke:55 5200:Ziel:62"));
    EXPECT_EQ(orvServer->strecke.FieldByName(QStringLiteral("Name"))->AsString(), QStringLiteral("Bonn"));
}

TEST_F(MyWayImportTest, TheChosenMarkersAreAListOfIds)
{
    const struct {
        std::function<void(Tmywayimp2&)> choose;
        const char* list;
    } cases[] = {
        {[](Tmywayimp2&) {}, "-1,7,8,9"},
        {[](Tmywayimp2& f) { f.ListView1->topLevelItem(1)->setCheckState(0, Qt::Unchecked); }, "-1,7,9"},
        {[](Tmywayimp2& f) { f.Button3->click(); }, "-1"},
        {[](Tmywayimp2& f) {
             f.Button3->click();
             f.Button2->click();
         },
         "-1,7,8,9"},
    };
    for (const auto& c : cases) {
        QString list;
        ScriptedAnswers::onShowModal<Tmywayimp2>([&](Tmywayimp2& f) {
            c.choose(f);
            f.Button4->click();
            list = f.markerList;
        });
        ModalForm<Tmywayimp2> form(mywayimp2, MainForm);
        form->routeId = 1;
        EXPECT_EQ(form->ShowModal(), mrOk);
        EXPECT_EQ(list, QString::fromLatin1(c.list));
    }
    QList<int> ids;
    EXPECT_TRUE(ParseMyWayMarkerList(QStringLiteral("-1,7,9"), ids));
    EXPECT_EQ(ids, (QList<int>{7, 9}));
    EXPECT_FALSE(ParseMyWayMarkerList(QStringLiteral("-1,7) or (1=1"), ids));
}

TEST_F(MyWayImportTest, CancelledOrEmptyChoicesImportNothing)
{
    const int routes = count(QStringLiteral("SELECT count(*) FROM STRECKE"));
    ScriptedAnswers::onShowModal<Tmywayimp2>([](Tmywayimp2& f) { f.Button1->click(); });
    importMyWayRoute(1, planner.path(), MainForm);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());

    ScriptedAnswers::onShowModal<Tmywayimp2>([](Tmywayimp2& f) {
        f.Button3->click();
        f.Button4->click();
    });
    ScriptedAnswers::pushMessageAnswer(mrOk);
    importMyWayRoute(1, planner.path(), MainForm);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtInformation);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM STRECKE")), routes);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM streckez")), 0);
}

TEST_F(MyWayImportTest, AMissingPlannerIsNamed)
{
    const struct {
        QString folder;
        QString named;
    } cases[] = {
        {QString(), QStringLiteral("DIZPath")},
        {planner.file(QStringLiteral("leer")), planner.file(QStringLiteral("leer/myway.mdb"))},
    };
    for (const auto& c : cases) {
        setFolder(c.folder);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        showRoutes([](Tmywaydlg& f) {
            EXPECT_TRUE(f.ADOQuery1.IsEmpty());
            EXPECT_FALSE(f.Button4->isEnabled());
            f.Button1->click();
        });
        const RecordedMessage m = ScriptedAnswers::lastMessage();
        EXPECT_EQ(m.Type, mtError);
        EXPECT_TRUE(m.Text.contains(c.named)) << m.Text.toStdString();
        EXPECT_FALSE(m.Text.contains(QStringLiteral("\\myway.mdb"))) << m.Text.toStdString();
    }
}

TEST_F(MyWayImportTest, TheWaitWindowClosesOnCancel)
{
    Tmywaybusydlg wait(MainForm);
    wait.Show();
    EXPECT_TRUE(wait.isVisible());
    EXPECT_EQ(wait.windowTitle(), QStringLiteral("Warten..."));
    wait.Button1->click();
    EXPECT_FALSE(wait.isVisible());
}

}  // namespace
