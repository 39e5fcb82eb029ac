// The diary window on a data module with four units: the panels fit the right column, the
// current unit stands out, the third panel's mark is silver, and Ctrl+Delete asks first.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>

#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "tests/core/dbserverfixture.h"
#include "tests/core/programfixture.h"
#include "tests/support/messages.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/tagebuch.h"

namespace {

class DiaryTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        // Four units on two days, started at 07:15, 18:30, 06:00 and 12:45.
        db.exec(
            "INSERT INTO DATEN (Datum, Startzeit, Zeit, Meter, Sportart, Form, Belastungsart, "
            "Belastungsstufe, Hoehendifferenz, trainingsblock) VALUES "
            "(45101, 0.3020833333, 0.02, 5000, 1, 1, 1, 1, 0, 0), (45101, 0.7708333333, 0.02, 7000, 1, 1, 1, 1, 0, 0),"
            "(45102, 0.25, 0.02, 3000, 1, 1, 1, 1, 0, 0), (45102, 0.53125, 0.03, 9000, 1, 1, 1, 1, 0, 0)");
        open();
    }

    // Shows the window with the right column that high.
    void show(Tdiary& d, int height)
    {
        d.show();
        d.resize(560, height);
        QApplication::processEvents();
        ASSERT_EQ(d.Panel7->height(), height);
    }

    int storedUnits() { return db.value("SELECT count(*) FROM DATEN").toInt(); }
};

TEST_F(DiaryTest, TheRightColumnDecidesHowManyPanelsShow)
{
    Tdiary d;
    show(d, 427);
    EXPECT_EQ(d.DBCtrlGrid1->RowCount(), 9);
    EXPECT_EQ(d.DBCtrlGrid1->height(), 9 * 46);
    EXPECT_EQ(d.DBCtrlGrid1->PanelHeight(), 46);
    EXPECT_EQ(d.DBCtrlGrid1->PanelCount(), 4);
    // The grid spans the column, below the two header rows.
    EXPECT_EQ(d.DBCtrlGrid1->width(), d.Panel7->width());
    EXPECT_EQ(d.DBCtrlGrid1->y(), d.Panel6->height() + d.Panel1->height());

    d.resize(560, 40);
    QApplication::processEvents();
    EXPECT_EQ(d.DBCtrlGrid1->RowCount(), 1);
    EXPECT_EQ(d.DBCtrlGrid1->PanelCount(), 1);
}

// Counts pixels of a colour inside a rectangle.
int countColor(const QImage& img, const QRect& r, const QColor& c)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

TEST_F(DiaryTest, CurrentUnitIsWhiteOnBlueAndTheThirdMarkIsSilver)
{
    Tdiary d;
    show(d, 427);
    server.daten.First();
    server.daten.Next();  // the 18:30 unit, second panel
    TorvDBCtrlGrid* grid = d.DBCtrlGrid1;
    ASSERT_EQ(grid->PanelIndex(), 1);
    const QImage img = grid->grab().toImage();

    const QColor selected(49, 106, 197), white(255, 255, 255), silver(192, 192, 192), maroon(128, 0, 0);
    const QRect text = d.DBText1->geometry();  // within a panel
    const QRect mark = d.Shape1->geometry();
    for (int i = 0; i < 4; ++i) {
        const QPoint panel = grid->GetPanelBounds(i).topLeft();
        const QRect t = text.translated(panel);
        if (i == 1) {
            EXPECT_GT(countColor(img, t, selected), 0);
            EXPECT_GT(countColor(img, t, white), 0);
        } else {
            EXPECT_EQ(countColor(img, t, selected), 0) << i;
        }
        const QColor expected = i == 2 ? silver : maroon;
        EXPECT_EQ(img.pixelColor(mark.translated(panel).center()), expected) << i;
    }
    // The live panel shows the current unit's start time, the others theirs.
    EXPECT_EQ(d.DBText1->text(), "18:30");
    EXPECT_EQ(d.DBText1->palette().color(QPalette::WindowText), QColor(Qt::white));
}

TEST_F(DiaryTest, CtrlDeleteAsksBeforeDeletingTheUnit)
{
    Tdiary d;
    show(d, 427);
    QApplication::setActiveWindow(&d);
    server.daten.First();
    d.DBCtrlGrid1->setFocus();
    auto ctrlDelete = [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::ControlModifier);
        QApplication::instance()->notify(d.DBCtrlGrid1, &press);
    };

    ScriptedAnswers::pushMessageAnswer(mrNo);
    ctrlDelete();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, LoadStr(msg::ConfirmDeleteRecord));
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtConfirmation);
    EXPECT_EQ(storedUnits(), 4);
    EXPECT_EQ(server.daten.RecordCount(), 4);

    ScriptedAnswers::pushMessageAnswer(mrYes);
    ctrlDelete();
    EXPECT_EQ(storedUnits(), 3);
    EXPECT_EQ(d.DBCtrlGrid1->PanelCount(), 3);
    EXPECT_EQ(ScriptedAnswers::messages().size(), 2);
}

TEST_F(DiaryTest, EnglishModuleTranslatesTheWindow)
{
    EnglishModule english("tagebuch_en");
    ASSERT_TRUE(english.loaded());
    Tdiary d;
    EXPECT_EQ(d.windowTitle(), "Diary");
    EXPECT_EQ(d.findChild<QLabel*>("Label2")->text(), "Training blocks");
    EXPECT_EQ(d.findChild<QLabel*>("Label9")->text(), "Day view");
    EXPECT_EQ(d.Label7->text(), "Running");
    EXPECT_EQ(d.Shape1->toolTip(), "Drag to assign a training block.");
}

// The entry window's diary button opens the window over the open database, modally, and it is
// gone again afterwards.
class DiaryButtonTest : public ProgramTest {
protected:
    AthleteDatabase db;
};

TEST_F(DiaryButtonTest, EntryWindowOpensTheDiaryOnTheCurrentUnits)
{
    db.exec("INSERT INTO DATEN (Datum, Startzeit, Zeit, Meter, Sportart, Form, Belastungsart, "
            "Belastungsstufe, Hoehendifferenz, trainingsblock) VALUES "
            "(45101, 0.25, 0.02, 5000, 1, 1, 1, 1, 0, 0), (45102, 0.5, 0.02, 7000, 1, 1, 1, 1, 0, 0)");
    StartProgram({db.path()});
    ASSERT_NE(eingabe, nullptr);
    int panels = -1;
    QWidget* owner = nullptr;
    ScriptedAnswers::onShowModal<Tdiary>([&](Tdiary& d) {
        panels = d.DBCtrlGrid1->PanelCount();
        owner = d.parentWidget();
        EXPECT_TRUE(d.DBText1->text().startsWith("12:00")) << d.DBText1->text().toStdString();  // the newest unit
        d.Close();
    });
    eingabe->SpeedButton1->Click();
    EXPECT_EQ(panels, 2);
    EXPECT_EQ(owner, MainForm);
    EXPECT_EQ(diary, nullptr);
}

}  // namespace
