// The entry window's split page on the program started as a user starts it: the grid of splits
// and heart-rate samples, its tint, the busy window of long fills, deleting, the distance-unit
// switch, the split edit dialog and loading a route's points as splits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTabBar>

#include "core/busy.h"
#include "core/main.h"
#include "core/navigatorframe.h"
#include "core/orvdbserver.h"
#include "tests/support/keyboardwalk.h"
#include "tests/support/messages.h"
#include "tests/traininglog/splitpagefixture.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/zweditdlg.h"
#include "traininglog/zwgrid.h"

TEST_F(SplitPageTest, AUnitWithoutSplitsShowsTheHeaderAndOneEmptyRow)
{
    start();
    EXPECT_EQ(grid().RowCount(), 2);
    EXPECT_EQ(grid().FixedRows(), 1);
    EXPECT_EQ(grid().Cells(2, 0), "Zwischenzeit");
    EXPECT_EQ(grid().Cells(1, 0), "    Kilometer");
    EXPECT_EQ(grid().Rows(1).join(""), "");
    EXPECT_FALSE(eingabe->StaticText1->isVisible());
}

TEST_F(SplitPageTest, SamplesOnlyShowTheHintAndTheHintSelectsTheHeartRateTab)
{
    addSamples(3);
    start();
    EXPECT_EQ(grid().RowCount(), 2);
    EXPECT_TRUE(eingabe->StaticText1->isVisible());
    EXPECT_EQ(eingabe->StaticText1->text(), "Im Register HF sind weitere Zwischenzeiten enthalten.");
    eingabe->StaticText1Click(eingabe->StaticText1);
    EXPECT_TRUE(eingabe->hrmTabActive());
    EXPECT_EQ(grid().RowCount(), 4);
    EXPECT_EQ(grid().Cells(zwgrid::colZwischenzeit, 3), "00:00:15");
    EXPECT_FALSE(eingabe->StaticText1->isVisible());
}

TEST_F(SplitPageTest, RowsAreFilledInQueryOrderAndTheQueryStaysOnTheEditForm)
{
    addRow(2000, hms(0, 10, 0), 130, false, "Brücke");
    addRow(1000, hms(0, 5, 0), 100, false);
    start();
    ASSERT_EQ(grid().RowCount(), 3);
    const QStringList first = grid().Rows(1);
    EXPECT_EQ(first[zwgrid::colDistance], "1");
    EXPECT_EQ(first[zwgrid::colSplit], "00:05:00");
    EXPECT_EQ(first[zwgrid::colMinKm], "00:05:00");
    EXPECT_EQ(first[zwgrid::colKmh], "12,0");
    EXPECT_EQ(first[zwgrid::colMeter], "1000");
    const QStringList second = grid().Rows(2);
    EXPECT_EQ(second[zwgrid::colHDiff], "30");
    EXPECT_EQ(second[zwgrid::colSteigung], "3,0");
    EXPECT_EQ(second[zwgrid::colSplitDist], "1000");
    EXPECT_EQ(second[zwgrid::colNotiz], "Brücke");
    // Edits work on the single table.
    EXPECT_TRUE(zeit().SQLText().contains("0.01 as unt_calc"));
    EXPECT_DOUBLE_EQ(zeit().FieldByName("unt_calc")->AsFloat(), 0.01);
    EXPECT_TRUE(zeit().CanModify());
}

TEST_F(SplitPageTest, OnlyFillsOfMoreThanFiftyRowsShowTheBusyWindow)
{
    struct Case {
        int rows;
        bool busy;
    };
    for (const Case c : {Case{50, false}, Case{51, true}}) {
        db.exec("DELETE FROM zeit");
        addRows(c.rows, false);
        start();
        ShowCounter counter(BusyDlg);
        eingabe->updateZwSql();
        EXPECT_EQ(grid().RowCount(), c.rows + 1);
        EXPECT_EQ(counter.shown > 0, c.busy) << c.rows << " rows";
        EXPECT_FALSE(BusyDlg->isVisible());
        EXPECT_FALSE(BusyDlg->showProgress);
        FinishProgram();
    }
}

TEST_F(SplitPageTest, EverySecondDataRowIsTintedButNotTheTypeColumn)
{
    for (int i = 1; i <= 4; ++i)
        addRow(i * 1000, hms(0, 5 * i, 0), 100, false);
    start();
    grid().SetRow(4);  // the selection lies on a row not looked at
    const QImage shot = grid().grab().toImage();
    auto colourAt = [&](int col, int row) {
        const QRect r = grid().CellRect(col, row);
        return shot.pixelColor(grid().viewport()->mapTo(&grid(), r.bottomRight() - QPoint(2, 2))).rgb();
    };
    const QRgb tint = QColor(200, 223, 245).rgb();
    EXPECT_NE(colourAt(2, 1), tint);
    EXPECT_EQ(colourAt(2, 2), tint);
    EXPECT_NE(colourAt(2, 3), tint);
    EXPECT_NE(colourAt(0, 2), tint);
    shot.save("/tmp/splits_grid.png");
}

TEST_F(SplitPageTest, DeletingASplitRemovesExactlyThatRow)
{
    addRow(1000, hms(0, 5, 0), 50, false);
    addRow(2000, hms(0, 10, 0), 60, false);
    addRow(1000, hms(0, 4, 0), 50, true);  // a sample with the split's distance and height
    start();
    grid().SetRow(1);
    ScriptedAnswers::pushMessageAnswer(mrYes);
    eingabe->XPButton18Click(eingabe->XPButton18);
    EXPECT_EQ(rows("zei_hrm = 0"), 1);
    EXPECT_EQ(rows("zei_hrm = 0 AND Meter = 2000"), 1);
    EXPECT_EQ(rows("zei_hrm = 1"), 1);
    EXPECT_EQ(grid().RowCount(), 2);
    EXPECT_EQ(grid().Cells(zwgrid::colMeter, 1), "2000");
    EXPECT_TRUE(eingabe->zwFillEnabled);

    // No keeps the row.
    ScriptedAnswers::pushMessageAnswer(mrNo);
    eingabe->XPButton18Click(eingabe->XPButton18);
    EXPECT_EQ(rows("zei_hrm = 0"), 1);
}

TEST_F(SplitPageTest, DeletingAllOnTheHeartRateTabKeepsTheSplits)
{
    addRow(1000, hms(0, 5, 0), 50, false);
    addSamples(5);
    start();
    eingabe->TabControl1->setCurrentIndex(1);
    ASSERT_EQ(grid().RowCount(), 6);
    ScriptedAnswers::pushMessageAnswer(mrYes);
    eingabe->XPButton6Click(eingabe->XPButton6);
    EXPECT_EQ(rows("zei_hrm = 1"), 0);
    EXPECT_EQ(rows("zei_hrm = 0"), 1);
    EXPECT_EQ(grid().RowCount(), 2);
    EXPECT_EQ(messageTexts(), QStringList{"3:Wirklich alle Zwischenzeiten löschen?"});
}

TEST_F(SplitPageTest, ADistanceUnitFromTheHeaderMenuRewritesTheDistanceColumn)
{
    addRow(1500, hms(0, 7, 0), 50, false);
    start();
    EXPECT_EQ(grid().Cells(zwgrid::colDistance, 1), "1,5");
    emit eingabe->PopupMenu6->aboutToShow();
    QStringList names;
    for (QAction* a : eingabe->PopupMenu6->actions())
        names << a->text();
    EXPECT_EQ(names, (QStringList{"Kilometer", "Meter", "Meilen", "Yards"}));
    eingabe->PopupMenu6->actions().at(1)->trigger();
    EXPECT_EQ(grid().Cells(zwgrid::colDistance, 0), "    Meter");
    EXPECT_EQ(grid().Cells(zwgrid::colDistance, 1), "1500");
    eingabe->PopupMenu6->actions().at(2)->trigger();
    EXPECT_EQ(grid().Cells(zwgrid::colDistance, 1), "0,93");
    // The next fill shows the sport's unit again.
    eingabe->updateZwSql();
    EXPECT_EQ(grid().Cells(zwgrid::colDistance, 1), "1,5");
}

TEST_F(SplitPageTest, TheUnitSwitchDoesNothingOnAnEmptyGrid)
{
    start();
    emit eingabe->PopupMenu6->aboutToShow();
    eingabe->PopupMenu6->actions().at(1)->trigger();
    EXPECT_EQ(grid().Cells(zwgrid::colDistance, 0), "    Kilometer");
    EXPECT_EQ(grid().Cells(zwgrid::colDistance, 1), "");
}

TEST_F(SplitPageTest, ASplitTimeBecomesTheCumulativeTimeAfterThePreviousSplitOfItsKind)
{
    addSamples(300);  // samples: Meter is the file line, times up to 00:25:00
    start();
    struct Step {
        const char* metres;  // the dialog's "Meter": metres, whatever the sport's unit
        const char* split;
        const char* expected;
    };
    for (const Step s : {Step{"1000", "00:05:00", "00:05:00"}, Step{"2000", "00:05:00", "00:10:00"},
                         Step{"3000", "00:04:30", "00:14:30"}}) {
        ScriptedAnswers::onShowModal<TzwEditDlg>([&](TzwEditDlg& d) {
            d.DBEdit2->setFocus();
            d.DBEdit2->setText(s.metres);
            emit d.DBEdit2->textEdited(s.metres);
            d.MaskEdit1->setFocus();
            d.MaskEdit1->setText(s.split);
            d.btn_post->Click();
        });
        eingabe->btn_insertClick(eingabe->btn_insert);
    }
    EXPECT_EQ(rows("zei_hrm = 0"), 3);
    const double last = db.value("SELECT Zwischenzeit FROM zeit WHERE zei_hrm = 0 AND Meter = 3000").toDouble();
    EXPECT_NEAR(last, hms(0, 14, 30), 1e-9);
    EXPECT_EQ(grid().Cells(zwgrid::colZwischenzeit, 3), "00:14:30");
    EXPECT_EQ(grid().Cells(zwgrid::colSplit, 3), "00:04:30");
}

// "Meter" shows and reads metres also for a run in kilometres: 1000 typed after a split at
// 1000 m is not 1000 km, which would end after the split at 30 km (01:18:05 + 00:05:00).
TEST_F(SplitPageTest, TheSplitDialogShowsAndReadsMetres)
{
    addRow(1000, hms(0, 5, 0), 50, false);
    addRow(30000, hms(1, 18, 5), 50, false);
    start();
    ScriptedAnswers::onShowModal<TzwEditDlg>([](TzwEditDlg& d) {
        EXPECT_EQ(d.DBEdit2->text(), "1000");
        d.btn_cancel->Click();
    });
    eingabe->XPButton19Click(eingabe->XPButton19);
    ScriptedAnswers::onShowModal<TzwEditDlg>([](TzwEditDlg& d) {
        FocusWindowAt(&d, d.DBEdit2);
        TypeKeys("2000");
        FocusWindowAt(&d, d.MaskEdit1);  // no tab stop: the user clicks into it
        d.MaskEdit1->setCursorPosition(0);
        TypeKeys("000500");
        FocusWindowAt(&d, d.DBEdit4);
        EXPECT_EQ(d.DBEdit3->text(), "00:10:00");
        d.btn_post->Click();
    });
    eingabe->btn_insertClick(eingabe->btn_insert);
    EXPECT_EQ(db.value("SELECT group_concat(Meter) FROM (SELECT Meter FROM zeit ORDER BY Meter)").toString(),
              "1000,2000,30000");
    EXPECT_NEAR(db.value("SELECT Zwischenzeit FROM zeit WHERE Meter = 2000").toDouble(), hms(0, 10, 0), 1e-9);
}

TEST_F(SplitPageTest, ATypedCumulativeTimeStaysAndTheCloseBoxDiscardsChanges)
{
    addRow(1000, hms(0, 5, 0), 50, false, "alt");
    start();
    ScriptedAnswers::onShowModal<TzwEditDlg>([](TzwEditDlg& d) {
        d.DBEdit3->setFocus();
        d.DBEdit3->setText("00:06:00");
        emit d.DBEdit3->textEdited("00:06:00");
        d.MaskEdit1->setFocus();
        d.MaskEdit1->setText("00:01:00");
        d.btn_post->Click();
    });
    eingabe->XPButton19Click(eingabe->XPButton19);
    EXPECT_NEAR(db.value("SELECT Zwischenzeit FROM zeit").toDouble(), hms(0, 6, 0), 1e-9);

    ScriptedAnswers::onShowModal<TzwEditDlg>([](TzwEditDlg& d) {
        d.DBEdit6->setFocus();
        d.DBEdit6->setText("neu");
        emit d.DBEdit6->textEdited("neu");
        d.DBEdit4->setFocus();
        d.close();
    });
    eingabe->XPButton19Click(eingabe->XPButton19);
    EXPECT_EQ(db.value("SELECT Notitz FROM zeit").toString(), "alt");
    EXPECT_EQ(zeit().State(), dsBrowse);
}

TEST_F(SplitPageTest, RoutePointsAreLoadedAsSplitsOfTheChosenRoute)
{
    // Two routes of one name, the second with "&" in it twice over.
    db.exec("INSERT INTO strecke (StrIndex, Name, str_kategorie) VALUES (1, 'Runde', 'A'), (2, 'Runde', 'A'), "
            "(3, 'Wald & Feld', 'B')");
    db.exec("INSERT INTO streckez (StrIndex, Meter, Streckenpunkt, Hoehe) VALUES (1, 500, 'falsch', 1), "
            "(2, 0, 'Start', 100), (2, 1000, 'Brücke', 110), (2, 2500, 'Kirche', 130), (2, 4000, 'Ziel', 100)");
    start();
    EXPECT_EQ(navigatorFrm->unitShownWithSplits(1), false);
    QMenu* menu = eingabe->Zwischenzeitenladen1;
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions().at(2)->text(), "Wald && Feld");
    menu->actions().at(1)->trigger();
    // The button's menu lists the same routes.
    emit eingabe->PopupMenu3->aboutToShow();
    eingabe->PopupMenu3->actions().at(1)->trigger();
    EXPECT_EQ(rows("zei_hrm = 0"), 8);
    EXPECT_EQ(rows("Notitz = 'falsch'"), 0);
    EXPECT_EQ(rows("Zwischenzeit = 0"), 8);
    ASSERT_EQ(grid().RowCount(), 9);
    EXPECT_EQ(grid().Cells(zwgrid::colNotiz, 3), "Brücke");
    EXPECT_EQ(grid().Cells(zwgrid::colHoehe, 5), "130");
    // The navigator draws the unit as one with splits now.
    EXPECT_EQ(navigatorFrm->unitShownWithSplits(1), true);
    EXPECT_TRUE(eingabe->zwFillEnabled);
    EXPECT_FALSE(BusyDlg->isVisible());
}

TEST_F(SplitPageTest, ARoutesPointsLandAllOrNoneAndOnlyOnASavedUnit)
{
    db.exec("INSERT INTO strecke (StrIndex, Name, str_kategorie) VALUES (1, 'Runde', 'A')");
    db.exec("INSERT INTO streckez (StrIndex, Meter, Streckenpunkt, Hoehe) VALUES (1, 0, 'Start', 100), "
            "(1, 1000, 'Brücke', 110), (1, 2500, 'Kirche', 130)");
    // A database rule that refuses the third point: the two before it go with it.
    db.exec("CREATE TRIGGER refuse BEFORE INSERT ON zeit WHEN NEW.Meter = 2500 BEGIN SELECT RAISE(ABORT, 'nein'); END");
    start();
    EXPECT_EQ(navigatorFrm->unitShownWithSplits(1), false);
    QMenu* menu = eingabe->Zwischenzeitenladen1;
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 1);
    QAction* route = menu->actions().at(0);
    EXPECT_NE(messageOf([&] { eingabe->ItemClick(route); }), "(nothing raised)");
    EXPECT_EQ(rows("1 = 1"), 0);
    EXPECT_FALSE(orvServer->orvDB.InTransaction());
    EXPECT_TRUE(eingabe->zwFillEnabled);
    EXPECT_FALSE(BusyDlg->isVisible());

    // A unit being entered has no id the rows could belong to.
    db.exec("DROP TRIGGER refuse");
    orvServer->daten.Insert();
    EXPECT_EQ(messageOf([&] { eingabe->ItemClick(route); }), "Die Einheit muß vorher gespeichert werden.");
    orvServer->daten.Cancel();
    EXPECT_EQ(rows("1 = 1"), 0);
}
