// The route manager opened from the main window: the category tree, pictures and their preview,
// the confirmed deletes, the height profile, and the hand-over to the route planner with the
// import of the route it answers with.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include <QBuffer>
#include <QFile>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTimer>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "exchange/mywaybusy.h"
#include "exchange/mywaypointselect.h"
#include "platform/vcl/registry.h"
#include "tests/core/programfixture.h"
#include "tests/support/accessfixtures.h"
#include "tests/support/athletedb.h"
#include "tests/support/keyboardwalk.h"
#include "tests/support/testenv.h"
#include "traininglog/categorytree.h"
#include "traininglog/imgpreview.h"
#include "traininglog/mywayhandover.h"
#include "traininglog/mywayroute.h"
#include "traininglog/strmanager.h"

namespace {

const QString kAskLarge = QStringLiteral("Die Datei ist sehr groß. Das Einladen dieser Bilddatei kann sich auf die "
                                         "Performance auswirken. Wollen Sie wirklich fortfahren?");

class StrManagerTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        db.exec("INSERT INTO STRECKE (StrIndex, Name, Laenge, str_kategorie) VALUES (1, 'Waldrunde', 8000, 'Wald'), "
                "(2, 'Zum Turm', 5000, 'Bob''s Runden'), (3, 'Am Bach', 3000, 'Bob''s Runden')");
        db.exec("INSERT INTO streckez (StrIndex, Meter, Streckenpunkt, Hoehe) VALUES (2, 2500, 'Brücke', 55), "
                "(2, 0, 'Start', 60), (2, 5000, 'Turm', 90)");
        StartProgram({db.path()});
    }
    void openManager(std::function<void(TstrManager&)> play)
    {
        ScriptedAnswers::onShowModal<TstrManager>(std::move(play));
        MainForm->Action7->Execute();
    }
    static QStringList tree(TstrManager& m)
    {
        QStringList texts;
        for (QTreeWidgetItem* n : CategoryTreeNodes(m.TreeView1))
            texts << QString(n->parent() ? "  " : "") + n->text(0);
        return texts;
    }
    static void click(TstrManager& m, const QString& text)
    {
        for (QTreeWidgetItem* n : CategoryTreeNodes(m.TreeView1))
            if (n->text(0) == text) {
                m.TreeView1->setCurrentItem(n);
                emit m.TreeView1->itemClicked(n, 0);
                return;
            }
        ADD_FAILURE() << "no node " << text.toStdString();
    }
    // The window shown and active with a route chosen and the focus in the tree, as the keys need it.
    static void keyboardOn(TstrManager& m, const QString& route)
    {
        m.show();
        QApplication::setActiveWindow(&m);
        click(m, route);
        m.TreeView1->setFocus(Qt::TabFocusReason);
    }
    static QString current() { return orvServer->strecke.FieldByName("Name")->AsString(); }
    static QString selected(TstrManager& m)
    {
        return m.TreeView1->currentItem() ? m.TreeView1->currentItem()->text(0) : QString();
    }
    int count(const QString& sql) const { return db.value(sql).toInt(); }

    AthleteDatabase db;
    TempFolder files;
};

// A PNG picture padded with zeros to exactly `size` bytes (readers stop at the picture's end).
QString pictureFile(const TempFolder& folder, const QString& name, qint64 size)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    QFile f(folder.file(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}

}  // namespace

TEST_F(StrManagerTest, TheTreeGroupsRoutesAndOnlyARouteNodeChangesTheRoute)
{
    openManager([this](TstrManager& m) {
        EXPECT_EQ(m.windowTitle(), QStringLiteral("Streckenmanager"));
        EXPECT_EQ(m.PageControl1->currentWidget()->objectName(), QStringLiteral("TabSheet2")) << "opens on the points";
        // A quote in the category is a category like any other.
        EXPECT_EQ(tree(m), (QStringList{"Bob's Runden", "  Am Bach", "  Zum Turm", "Wald", "  Waldrunde"}));
        click(m, "Zum Turm");
        EXPECT_EQ(current(), QStringLiteral("Zum Turm"));
        click(m, "Wald");
        EXPECT_EQ(current(), QStringLiteral("Zum Turm")) << "a category click changes nothing";

        // The points of the route and its height profile over their distance.
        EXPECT_EQ(orvServer->strPunkte.RecordCount(), 3);
        const ChartSeries& profile = m.DBChart1->SeriesObject(0);
        ASSERT_EQ(profile.PointCount(), 3);
        EXPECT_EQ(profile.EffectiveKind(), ChartKind::Area);
        EXPECT_EQ(profile.XValue(1), 2500.0);
        EXPECT_EQ(profile.Value(2), 90.0);

        // A new route: the tree is locked while it is entered, then shows it under its category.
        m.DataSetInsert1->Execute();
        EXPECT_FALSE(m.TreeView1->isEnabled());
        orvServer->strecke.FieldByName("Name")->SetAsString("Bachlauf");
        orvServer->strecke.FieldByName("str_kategorie")->SetAsString("Bob's Runden");
        m.DataSetPost1->Execute();
        EXPECT_TRUE(m.TreeView1->isEnabled());
        EXPECT_EQ(tree(m).mid(0, 4), (QStringList{"Bob's Runden", "  Am Bach", "  Bachlauf", "  Zum Turm"}));
        EXPECT_EQ(selected(m), QStringLiteral("Bachlauf"));
        m.Close();
    });
}

TEST_F(StrManagerTest, DeletesAskFirst)
{
    openManager([this](TstrManager& m) {
        click(m, "Zum Turm");
        orvServer->strPunkte.First();
        for (TModalResult answer : {mrNo, mrYes}) {
            ScriptedAnswers::pushMessageAnswer(answer);
            m.DataSetDelete3->Execute();
            EXPECT_EQ(ScriptedAnswers::lastMessage().Text, QStringLiteral("Streckenpunkt wirklich löschen?"));
            EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtConfirmation);
        }
        EXPECT_EQ(count("SELECT count(*) FROM streckez"), 2);
        EXPECT_EQ(m.DBChart1->SeriesObject(0).PointCount(), 2) << "the profile follows";
        for (TModalResult answer : {mrNo, mrYes}) {
            ScriptedAnswers::pushMessageAnswer(answer);
            m.DataSetDelete1->Execute();
            EXPECT_EQ(ScriptedAnswers::lastMessage().Text, QStringLiteral("Strecke wirklich löschen?"));
        }
        EXPECT_EQ(count("SELECT count(*) FROM STRECKE WHERE Name = 'Zum Turm'"), 0);
        EXPECT_EQ(count("SELECT count(*) FROM STRECKE"), 2);
        EXPECT_FALSE(tree(m).contains("  Zum Turm"));
        m.Close();
    });
}

TEST_F(StrManagerTest, PicturesAreStoredAsTheyAreAndLargeOnesAskFirst)
{
    const QString large = pictureFile(files, "gross.png", 3000000);
    const QString below = pictureFile(files, "knapp.png", 2999999);
    QFile text(files.file("notiz.png"));
    text.open(QIODevice::WriteOnly);
    text.write("keine Karte");
    text.close();
    openManager([&](TstrManager& m) {
        click(m, "Zum Turm");
        // Exactly 3,000,000 bytes asks; No stops before anything changes.
        ScriptedAnswers::pushFileName(large);
        ScriptedAnswers::pushMessageAnswer(mrNo);
        m.XPButton3->Click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, kAskLarge);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtWarning);
        EXPECT_EQ(orvServer->strecke.State(), dsBrowse);

        // One byte less does not ask; the map shows and is stored when the route is saved.
        const qsizetype asked = ScriptedAnswers::messages().size();
        ScriptedAnswers::pushFileName(below);
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(m.XPButton3, &space);  // pressed with the keyboard this time
        EXPECT_EQ(ScriptedAnswers::messages().size(), asked);
        EXPECT_EQ(orvServer->strecke.State(), dsEdit);
        EXPECT_EQ(m.DBImage1->Picture().size(), QSize(40, 30));
        m.DataSetPost1->Execute();
        EXPECT_EQ(count("SELECT length(str_karte) FROM STRECKE WHERE StrIndex = 2"), 2999999);

        // A file that holds no picture is refused with its reason.
        ScriptedAnswers::pushFileName(text.fileName());
        ScriptedAnswers::pushMessageAnswer(mrOk);
        m.XPButton1->Click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
        EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.contains("notiz.png"));
        EXPECT_EQ(orvServer->strecke.State(), dsBrowse);

        // A double click on the map previews it at its size.
        ScriptedAnswers::onShowModal<TimgPreview>([](TimgPreview& p) {
            EXPECT_EQ(p.windowTitle(), QStringLiteral("Bild"));
            EXPECT_EQ(p.Image1->size(), QSize(40, 30));
            p.Button1->click();
        });
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(m.DBImage1, &dbl);

        m.XPButton4->Click();
        EXPECT_TRUE(m.DBImage1->Picture().isNull());
        m.DataSetPost1->Execute();
        EXPECT_EQ(count("SELECT count(*) FROM STRECKE WHERE str_karte IS NULL AND StrIndex = 2"), 1);
        m.Close();
    });
}

TEST_F(StrManagerTest, LargePicturesShowWholeInTheirPlacesAndTheMapAtItsSizeInThePreview)
{
    QImage large(1600, 1200, QImage::Format_RGB32);
    large.fill(Qt::darkGreen);
    const QString file = files.file(QStringLiteral("karte.png"));
    ASSERT_TRUE(large.save(file));
    openManager([&](TstrManager& m) {
        m.show();
        m.PageControl1->setCurrentIndex(m.PageControl1->count() - 1);  // "Karte/Bild"
        click(m, "Zum Turm");
        ScriptedAnswers::pushFileName(file);
        m.XPButton3->Click();  // the map
        ScriptedAnswers::pushFileName(file);
        m.XPButton1->Click();  // the picture
        QApplication::processEvents();
        for (TDBImage* image : {m.DBImage1, m.DBImage2}) {
            EXPECT_EQ(image->Picture().size(), QSize(1600, 1200));  // kept as it is
            const QSize room = image->contentsRect().size();
            const QSize shown = image->pixmap().size();
            ASSERT_FALSE(shown.isEmpty());
            // Scaled down whole into the room, in its proportions.
            EXPECT_TRUE(shown.width() <= room.width() && shown.height() <= room.height())
                << shown.width() << "x" << shown.height() << " in " << room.width() << "x" << room.height();
            EXPECT_TRUE(shown.width() == room.width() || shown.height() == room.height());
            EXPECT_NEAR(double(shown.width()) / shown.height(), 4.0 / 3.0, 0.02);
        }
        ScriptedAnswers::onShowModal<TimgPreview>([](TimgPreview& p) {
            EXPECT_EQ(p.Image1->size(), QSize(1600, 1200));
            p.Button1->click();
        });
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(m.DBImage1, &dbl);
        orvServer->strecke.Cancel();
        m.Close();
    });
}

// The window as a keyboard user meets it: Tab from the tree through the route's fields, the
// pages and their controls, the tool bars, and back with Shift+Tab.
TEST_F(StrManagerTest, TabWalksEveryPageInOrderAndBack)
{
    openManager([this](TstrManager& m) {
        keyboardOn(m, "Zum Turm");
        const QStringList fields = {"TreeView1", "DBEdit1", "DBEdit2", "DBEdit3",
                                    "DBEdit4",   "DBEdit5", "DBEdit6", "PageControl1"};
        // The route tool bar closes the round; saving and cancelling are off while nothing is typed.
        const QStringList routeBar = {"DataSetFirst1", "DataSetPrior1", "DataSetNext1", "DataSetLast1",
                                      "DataSetInsert1", "DataSetDelete1", "Action2", "Action3", "Action1"};
        const QStringList pointBar = {"DataSetNext2", "DataSetLast2", "DataSetInsert2", "DataSetDelete3"};
        struct Page {
            const char* sheet;
            QStringList controls;
        };
        const Page pages[] = {
            {"TabSheet2", pointBar + QStringList{"DBGrid1"}},
            {"TabSheet1", {"DBMemo1", "DBMemo2"}},
            {"TabSheet3", {}},
            {"TabSheet4", {"XPButton3", "XPButton4", "XPButton1", "XPButton2"}},
        };
        for (const Page& page : pages) {
            m.PageControl1->setCurrentWidget(m.PageControl1->findChild<QWidget*>(page.sheet));
            m.ActionManager1->UpdateActions();
            m.TreeView1->setFocus(Qt::TabFocusReason);
            const QStringList forward = fields + page.controls + routeBar;
            EXPECT_EQ(TabWalkNames(), forward) << page.sheet;
            QStringList backward = forward;
            std::reverse(backward.begin() + 1, backward.end());
            EXPECT_EQ(TabWalkNames(false), backward) << page.sheet;
        }
        m.Close();
    });
}

// Numbers typed into the route's fields and into a new point's cells are stored as typed.
TEST_F(StrManagerTest, NumbersAreTypedIntoTheRouteAndItsPoints)
{
    openManager([this](TstrManager& m) {
        keyboardOn(m, "Zum Turm");
        ASSERT_TRUE(TabTo("DBEdit4")) << FocusName().toStdString();
        TypeKeys("5250");
        PressKey(Qt::Key_Tab);
        TypeKeys("35");
        m.ActionManager1->UpdateActions();  // as the idle time after the key does
        ASSERT_TRUE(TabTo("DataSetPost1")) << FocusName().toStdString();
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        EXPECT_EQ(orvServer->strecke.State(), dsBrowse);
        EXPECT_EQ(count("SELECT Laenge FROM STRECKE WHERE StrIndex = 2"), 5250);
        EXPECT_EQ(count("SELECT HDiff FROM STRECKE WHERE StrIndex = 2"), 35);
        m.ActionManager1->UpdateActions();

        // A new point: its distance, name and height cell by cell, saved from the point tool bar.
        ASSERT_TRUE(TabTo("DataSetInsert2")) << FocusName().toStdString();
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        ASSERT_EQ(orvServer->strPunkte.State(), dsInsert);
        m.ActionManager1->UpdateActions();
        ASSERT_TRUE(TabTo("DBGrid1")) << FocusName().toStdString();
        EXPECT_EQ(m.DBGrid1->SelectedField()->FieldName(), "Meter");
        TypeKeys("4000");
        PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
        PressKey(Qt::Key_Right);
        TypeKeys("Wiese");
        PressKey(Qt::Key_Return, Qt::NoModifier, "\r");
        PressKey(Qt::Key_Right);
        TypeKeys("81");
        // Tab from the open cell goes on to the control after the grid and keeps what was typed.
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(FocusName(), "DataSetFirst1");
        EXPECT_EQ(orvServer->strPunkte.FieldByName("Hoehe")->AsString(), "81");
        PressKey(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(FocusName(), "DBGrid1");
        m.ActionManager1->UpdateActions();
        ASSERT_TRUE(TabTo("DataSetPost2", false)) << FocusName().toStdString();
        PressKey(Qt::Key_Space, Qt::NoModifier, " ");
        EXPECT_EQ(orvServer->strPunkte.State(), dsBrowse);
        EXPECT_EQ(db.value("SELECT Streckenpunkt || ':' || Hoehe FROM streckez WHERE StrIndex = 2 AND Meter = 4000")
                      .toString(),
                  "Wiese:81");
        m.Close();
    });
}

// The hand-over: the planner's folder and answer in the registry, the planner a recorded start.
class HandOverTest : public StrManagerTest {
protected:
    void SetUp() override
    {
        StrManagerTest::SetUp();
        ASSERT_TRUE(WritePlannerFile(planner.file(QStringLiteral("myway.mdb")),
                                     {{0, QStringLiteral("Rheinufer"), 5300, 10}}, {{10, QStringLiteral("Rheinland")}},
                                     {{7, 0, 0, QStringLiteral("Start"), 60},
                                      {8, 0, 2500, QStringLiteral("Brücke"), 55},
                                      {9, 0, 5200, QStringLiteral("Ziel"), 62}}));
        QFile exe(planner.file(QStringLiteral("myway.exe")));
        ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.OpenKey(QString::fromLatin1(kMyWayKey), true);
        reg.WriteString(QStringLiteral("DIZPath"), planner.path());
    }
    static void answer(const QString& id)
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.OpenKey(QString::fromLatin1(kMyWayKey), false);
        reg.WriteString(QStringLiteral("StreckenID"), id);
    }
    // Runs the manager's action; `planner` is what the started planner does.
    void handOver(TAction* (TstrManager::*action), std::function<void(const TShellStart&)> plannerRuns)
    {
        SetShellStarter([this, plannerRuns](const TShellStart& s) {
            started << s;
            plannerRuns(s);
            return true;
        });
        openManager([&](TstrManager& m) {
            (m.*action)->Execute();
            EXPECT_EQ(mywaybusydlg, nullptr) << "the wait window goes";
            m.Close();
        });
    }
    int routes() const { return count("SELECT count(*) FROM STRECKE"); }

    TempFolder planner;
};

TEST_F(HandOverTest, RouteZeroIsImportedWithTheChosenMarkers)
{
    ScriptedAnswers::onShowModal<Tmywayimp2>([](Tmywayimp2& f) {
        EXPECT_EQ(f.routeId, 0);
        f.Button4->click();
    });
    handOver(&TstrManager::Action5, [](const TShellStart&) {
        ASSERT_NE(mywaybusydlg, nullptr);
        EXPECT_TRUE(mywaybusydlg->isVisible());
        EXPECT_EQ(MyWayAnsweredRouteId(), -1) << "the program asks first";
        answer("0");
    });
    ASSERT_EQ(started.size(), 1);
    EXPECT_TRUE(started[0].FileName.endsWith("myway.exe"));
    EXPECT_EQ(started[0].Params, QStringLiteral("-I:Orvalo.txt -S:-1"));
    EXPECT_EQ(QDir(started[0].Folder), QDir(planner.path()));
    EXPECT_EQ(db.value("SELECT Name || '|' || Laenge || '|' || str_kategorie FROM STRECKE WHERE Name = 'Rheinufer'").toString(),
              QStringLiteral("Rheinufer|5200|MyWay - Import"));
    EXPECT_EQ(count("SELECT count(*) FROM streckez z JOIN STRECKE s ON s.StrIndex = z.StrIndex WHERE s.Name = 'Rheinufer'"), 3);
}

TEST_F(HandOverTest, TheWaitPollsUntilThePlannerAnswers)
{
    ScriptedAnswers::onShowModal<Tmywayimp2>([](Tmywayimp2& f) { f.Button4->click(); });
    handOver(&TstrManager::Action6, [](const TShellStart& s) {
        EXPECT_EQ(s.Params, QStringLiteral("-I:Orvalo.txt -S:-2"));
        // The planner answers once the wait has begun.
        QTimer::singleShot(0, [] { answer("0"); });
    });
    EXPECT_EQ(count("SELECT count(*) FROM STRECKE WHERE str_kategorie = 'MyWay - Import'"), 1);
}

TEST_F(HandOverTest, ClosingTheWaitWindowImportsNothing)
{
    const int before = routes();
    handOver(&TstrManager::Action5, [](const TShellStart&) { mywaybusydlg->Button1->click(); });
    EXPECT_EQ(routes(), before);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());

    // Also while the wait runs.
    handOver(&TstrManager::Action5, [](const TShellStart&) {
        QTimer::singleShot(0, [] { mywaybusydlg->Button1->click(); });
    });
    EXPECT_EQ(routes(), before);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

TEST_F(HandOverTest, AMissingKeyOrPlannerIsAnImportError)
{
    // Each case breaks one more thing: first the planner goes, then its key.
    const struct {
        std::function<void()> breakIt;
        const char* named;
    } cases[] = {
        {[this] { QFile::remove(planner.file("myway.exe")); }, "myway.exe"},
        {[] {
             TRegistry reg;
             reg.SetRootKey(HKEY_LOCAL_MACHINE);
             reg.DeleteKey(QString::fromLatin1(kMyWayKey));
         },
         "StreckenID"},
    };
    for (const auto& c : cases) {
        c.breakIt();
        started.clear();
        ScriptedAnswers::pushMessageAnswer(mrOk);
        handOver(&TstrManager::Action5, [](const TShellStart&) { ADD_FAILURE() << "no planner is started"; });
        EXPECT_TRUE(started.isEmpty());
        const RecordedMessage m = ScriptedAnswers::lastMessage();
        EXPECT_EQ(m.Type, mtError);
        EXPECT_TRUE(m.Text.startsWith("Ein Fehler beim Import ist aufgetreten.")) << m.Text.toStdString();
        EXPECT_TRUE(m.Text.contains(c.named)) << m.Text.toStdString();
    }
}

TEST_F(HandOverTest, AFailedPointLeavesNoRoute)
{
    db.exec("CREATE TRIGGER no_bridge BEFORE INSERT ON streckez WHEN NEW.Meter = 2500 "
            "BEGIN SELECT RAISE(ABORT, 'Brücke gesperrt'); END");
    const int before = routes();
    ScriptedAnswers::onShowModal<Tmywayimp2>([](Tmywayimp2& f) { f.Button4->click(); });
    ScriptedAnswers::pushMessageAnswer(mrOk);
    importMyWayRoute(0, planner.path(), MainForm);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(routes(), before);
    EXPECT_EQ(count("SELECT count(*) FROM streckez"), 3) << "only the routes' own points";
    EXPECT_EQ(orvServer->strecke.State(), dsBrowse);
}
