// The panel grid over a real table: its size rules, one picture per record and background
// panels after the last, the keys and the mouse that move the dataset, the flat border, and
// what the user typed surviving the pictures of the other panels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include <sqlite3.h>

#include "platform/db/connection.h"
#include "platform/db/datasource.h"
#include "platform/db/table.h"
#include "platform/rtl/application.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dbgrids.h"
#include "tests/support/qstringprinter.h"
#include "tests/support/testenv.h"
#include "traininglog/orvdbgrid.h"

namespace {

class PanelGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = tmp.file("panels.orv");
        exec("CREATE TABLE daten (dat_Id INTEGER PRIMARY KEY, Ort VARCHAR(30), Meter INTEGER)");
        previousPresenter = SetExceptionPresenter([this](const QString& m) { errors << m; });
    }
    void TearDown() override { SetExceptionPresenter(previousPresenter); }

    void exec(const QString& sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &db), SQLITE_OK);
        char* err = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
        sqlite3_free(err);
        sqlite3_close(db);
    }
    int storedCount()
    {
        sqlite3* db = nullptr;
        sqlite3_open(file.toUtf8().constData(), &db);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*) FROM daten", -1, &st, nullptr);
        sqlite3_step(st);
        const int n = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        sqlite3_close(db);
        return n;
    }

    // Opens the table with n units "Ort1".. and a grid of `rows` panels of 200 x 40 showing the
    // place in a label and in an edit.
    void open(int n, int rows)
    {
        QString sql;
        for (int i = 1; i <= n; ++i)
            sql += QString("INSERT INTO daten VALUES (%1, 'Ort%1', %2);").arg(i).arg(i * 100);
        if (!sql.isEmpty())
            exec(sql);
        conn.Open(file);
        daten.SetConnection(&conn);
        daten.SetTableName("daten");
        daten.SetIndexFieldNames("dat_Id");
        daten.AddField("dat_Id", ftAutoInc);
        daten.AddField("Ort", ftString, 30);
        daten.AddField("Meter", ftInteger);
        daten.Open();
        src.SetDataSet(&daten);

        text = new TDBText(&grid);
        text->setGeometry(10, 4, 80, 16);
        text->SetDataField("Ort");
        edit = new TDBEdit(&grid);
        edit->setGeometry(100, 4, 80, 22);
        edit->SetDataField("Meter");
        grid.Loaded();
        grid.SetPanelWidth(200);
        grid.SetPanelHeight(40);
        grid.SetRowCount(rows);
        grid.SetColor(clWhite);
        grid.SetDataSource(&src);
        grid.show();
        QApplication::processEvents();
    }

    void key(QWidget* target, int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& t = {})
    {
        QKeyEvent press(QEvent::KeyPress, k, mods, t);
        QApplication::instance()->notify(target, &press);
    }
    void click(QWidget* target, QPoint p)
    {
        for (auto t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(t, QPointF(p), QPointF(target->mapToGlobal(p)), Qt::LeftButton,
                          t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::instance()->notify(target, &e);
        }
    }
    // Paints the grid once; returns the place each panel showed when OnPaintPanel ran for it.
    QMap<int, QString> paintedPlaces(QImage* picture = nullptr)
    {
        QMap<int, QString> places;
        grid.OnPaintPanel = [&](TorvDBCtrlGrid*, int index) { places[index] = daten.FieldByName("Ort")->AsString(); };
        const QImage img = grid.grab().toImage();
        grid.OnPaintPanel = nullptr;
        if (picture)
            *picture = img;
        return places;
    }

    TempFolder tmp;
    QString file;
    TConnection conn;
    TTable daten;
    TDataSource src;
    TorvDBCtrlGrid grid;
    TDBText* text = nullptr;
    TDBEdit* edit = nullptr;
    QStringList errors;
    ExceptionPresenter previousPresenter;
};

TEST_F(PanelGridTest, CountsAndSizesAreClampedAndTheGridTakesThePanelsSize)
{
    struct Case {
        void (TorvDBCtrlGrid::*set)(int);
        int (TorvDBCtrlGrid::*get)() const;
        int value, stored;
    };
    for (const Case& c : {Case{&TorvDBCtrlGrid::SetColCount, &TorvDBCtrlGrid::ColCount, 0, 1},
                          Case{&TorvDBCtrlGrid::SetColCount, &TorvDBCtrlGrid::ColCount, 101, 100},
                          Case{&TorvDBCtrlGrid::SetRowCount, &TorvDBCtrlGrid::RowCount, 250, 100},
                          Case{&TorvDBCtrlGrid::SetRowCount, &TorvDBCtrlGrid::RowCount, -3, 1},
                          Case{&TorvDBCtrlGrid::SetPanelHeight, &TorvDBCtrlGrid::PanelHeight, 0, 1},
                          Case{&TorvDBCtrlGrid::SetPanelWidth, &TorvDBCtrlGrid::PanelWidth, 70000, 65535}}) {
        TorvDBCtrlGrid g;
        (g.*c.set)(c.value);
        EXPECT_EQ((g.*c.get)(), c.stored) << c.value;
    }

    TorvDBCtrlGrid g;
    g.SetPanelWidth(169);
    g.SetPanelHeight(46);
    g.SetRowCount(8);
    g.show();
    QApplication::processEvents();
    EXPECT_EQ(g.height(), 368);
    EXPECT_EQ(g.width(), 169 + g.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &g));
    // Sized from outside, the panels share the room.
    g.resize(g.width() + 31, 400);
    EXPECT_EQ(g.PanelWidth(), 200);
    EXPECT_EQ(g.PanelHeight(), 50);
    EXPECT_EQ(g.PanelCount(), 0);  // no dataset
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(PanelGridTest, EveryRecordGetsAPanelAndTheRestShowTheBackground)
{
    open(3, 8);
    // The form's controls sit on the live panel, where the form put them.
    EXPECT_EQ(text->parentWidget(), grid.Panel());
    EXPECT_EQ(edit->parentWidget(), grid.Panel());
    EXPECT_EQ(edit->geometry(), QRect(100, 4, 80, 22));
    EXPECT_EQ(grid.PanelCount(), 3);
    daten.First();
    QImage img;
    const QMap<int, QString> places = paintedPlaces(&img);
    EXPECT_EQ(places.keys(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(places.value(0), "Ort1");
    EXPECT_EQ(places.value(1), "Ort2");
    EXPECT_EQ(places.value(2), "Ort3");
    // The live panel shows the current record again after the pictures.
    EXPECT_EQ(text->text(), "Ort1");
    EXPECT_EQ(edit->text(), "100");
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Ort1");
    // The record panels carry their controls; panels 3 to 7 are empty background.
    auto whiteOnly = [&](int i) {
        const QRect r = grid.GetPanelBounds(i).adjusted(2, 2, -2, -2);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (img.pixelColor(x, y) != QColor(Qt::white))
                    return false;
        return true;
    };
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(whiteOnly(i)) << i;
    for (int i = 3; i < 8; ++i)
        EXPECT_TRUE(whiteOnly(i)) << i;

    // Painting the pictures settles: it asks for no further paint of the grid.
    QApplication::processEvents();
    PaintCounter counter;
    grid.installEventFilter(&counter);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(PanelGridTest, AnEmptyOpenDatasetShowsOnePanel)
{
    open(0, 4);
    EXPECT_EQ(grid.PanelCount(), 1);
    EXPECT_TRUE(grid.Panel()->isVisible());
    EXPECT_EQ(text->text(), "");
    daten.Close();
    EXPECT_EQ(grid.PanelCount(), 0);
    EXPECT_FALSE(grid.Panel()->isVisible());
}

TEST_F(PanelGridTest, ArrowsMoveBetweenPanelsAndDownOnTheLastAppendsOnlyWhenAllowed)
{
    open(3, 4);
    daten.First();
    grid.setFocus();
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(daten.RecNo(), 2);
    EXPECT_EQ(grid.PanelIndex(), 1);
    EXPECT_EQ(grid.Panel()->geometry(), grid.GetPanelBounds(1));
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(daten.RecNo(), 3);

    grid.SetAllowInsert(false);
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(daten.State(), dsBrowse);
    EXPECT_EQ(daten.RecNo(), 3);

    grid.SetAllowInsert(true);
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(daten.State(), dsInsert);
    EXPECT_EQ(grid.PanelIndex(), 3);
    // Leaving the new record untouched drops it again.
    key(&grid, Qt::Key_Up);
    EXPECT_EQ(daten.State(), dsBrowse);
    EXPECT_EQ(daten.RecordCount(), 3);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(PanelGridTest, PagesScrollUnderTheCurrentPanelAndTheScrollBarFollows)
{
    open(20, 3);
    daten.First();
    grid.setFocus();
    key(&grid, Qt::Key_PageDown);
    EXPECT_EQ(daten.RecNo(), 4);
    EXPECT_EQ(grid.PanelIndex(), 0);
    EXPECT_EQ(grid.ScrollBar()->value(), 4);
    EXPECT_EQ(grid.ScrollBar()->maximum(), 20);
    EXPECT_EQ(paintedPlaces().value(2), "Ort6");

    key(&grid, Qt::Key_Down);
    key(&grid, Qt::Key_Down);
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(daten.RecNo(), 7);
    EXPECT_EQ(grid.PanelIndex(), 2);  // the panels scrolled by one
    key(&grid, Qt::Key_End);
    EXPECT_EQ(daten.RecNo(), 20);
    EXPECT_EQ(grid.PanelIndex(), 2);
    grid.ScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(daten.RecNo(), 1);
    EXPECT_EQ(grid.ScrollBar()->value(), 1);
}

TEST_F(PanelGridTest, ClickOnAnotherPanelMovesThereAndReachesTheControlUnderTheMouse)
{
    open(5, 5);
    QApplication::setActiveWindow(&grid);
    daten.First();
    // The edit lies at 100..180 of every panel.
    click(&grid, grid.GetPanelBounds(3).topLeft() + QPoint(120, 10));
    EXPECT_EQ(daten.RecNo(), 4);
    EXPECT_EQ(grid.PanelIndex(), 3);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    EXPECT_TRUE(grid.EditMode());

    // Return in the edit hands the focus back to the grid.
    key(edit, Qt::Key_Return);
    EXPECT_FALSE(grid.EditMode());
    // A click on the label of another panel moves there and leaves the focus on the grid.
    int clicks = 0;
    grid.OnClick = [&](QObject*) { ++clicks; };
    click(&grid, grid.GetPanelBounds(1).topLeft() + QPoint(20, 10));
    EXPECT_EQ(daten.RecNo(), 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(grid.EditMode());
}

TEST_F(PanelGridTest, TypedTextSurvivesThePicturesAndTabMovesToTheNextRecord)
{
    open(3, 3);
    QApplication::setActiveWindow(&grid);
    daten.First();
    grid.SetEditMode(true);
    ASSERT_EQ(QApplication::focusWidget(), edit);
    edit->selectAll();
    key(edit, Qt::Key_7, Qt::NoModifier, "7");
    key(edit, Qt::Key_7, Qt::NoModifier, "7");
    EXPECT_EQ(daten.State(), dsEdit);
    const QMap<int, QString> places = paintedPlaces();
    EXPECT_EQ(places.value(1), "Ort2");
    EXPECT_EQ(edit->text(), "77");

    // Tab from the only control wraps to the next record: the edit is saved on the way.
    key(edit, Qt::Key_Tab);
    EXPECT_EQ(daten.RecNo(), 2);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    daten.First();
    EXPECT_EQ(daten.FieldByName("Meter")->AsInteger(), 77);

    // Escape in the edit cancels its change and goes back to the grid.
    grid.SetEditMode(true);
    edit->selectAll();
    key(edit, Qt::Key_5, Qt::NoModifier, "5");
    key(edit, Qt::Key_Escape);
    EXPECT_EQ(daten.State(), dsBrowse);
    EXPECT_EQ(edit->text(), "77");
    EXPECT_FALSE(grid.EditMode());
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(PanelGridTest, CtrlDeleteDeletesOnlyWhenAllowed)
{
    open(3, 3);
    daten.First();
    grid.setFocus();
    key(&grid, Qt::Key_Delete);
    EXPECT_EQ(storedCount(), 3);
    grid.SetAllowDelete(false);
    key(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedCount(), 3);
    grid.SetAllowDelete(true);
    key(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedCount(), 2);
    EXPECT_EQ(grid.PanelCount(), 2);
}

TEST_F(PanelGridTest, FlatBorderDrawsOneLineBetweenStackedPanels)
{
    open(4, 4);
    daten.First();
    grid.SetPanelBorder(gbFlat);
    grid.SetBorderColor(clRed);
    const QImage img = grid.grab().toImage();
    const QColor red(255, 0, 0);
    for (int boundary : {40, 80, 120}) {
        EXPECT_EQ(img.pixelColor(50, boundary), red) << boundary;
        EXPECT_NE(img.pixelColor(50, boundary - 1), red) << boundary;
        EXPECT_NE(img.pixelColor(50, boundary + 1), red) << boundary;
    }
    EXPECT_EQ(img.pixelColor(0, 60), red);    // left edge
    EXPECT_EQ(img.pixelColor(199, 60), red);  // right edge
}

TEST_F(PanelGridTest, SelectedColourFollowsTheColourUntilSetApart)
{
    TorvDBCtrlGrid g;
    g.SetColor(clAqua);
    EXPECT_EQ(g.SelectedColor(), clAqua);
    g.SetSelectedColor(clNavy);
    g.SetColor(clLime);
    EXPECT_EQ(g.SelectedColor(), clNavy);
}

TEST_F(PanelGridTest, GridsCannotBeRepeatedOnThePanels)
{
    TorvDBCtrlGrid g;
    auto* inner = new TDBGrid(&g);
    inner->setObjectName("DBGrid1");
    EXPECT_THROW(g.Loaded(), EDatabaseError);
}

}  // namespace
