// The heart-rate graph: its rules without the window, and the window opened from the split
// page on a database with two runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>

#include "core/language.h"
#include "core/main.h"
#include "platform/db/fields.h"
#include "platform/vcl/testhooks.h"
#include "tests/support/messages.h"
#include "tests/traininglog/splitpagefixture.h"
#include "traininglog/hrmgraph.h"
#include "traininglog/vergleichselect.h"
#include "traininglog/zwstatistik.h"

using namespace hrmgraph;

// ---------------------------------------------------------------------------------------------
// Rules without the window.

TEST(HrmGraphRules, PrimaryAxisLabels)
{
    struct Case {
        double value;
        bool pace;
        QString expected;
    } cases[] = {
        {150, false, "150 / 50"},        // a lifted series: both readings
        {80, false, "80 / -20"},         // below the lift the second reading runs negative
        {150, true, "00:05:00 / 150"},   // pace: tenths of a minute per km above 100
        {100, true, "00:00:00 / 100"},
        {80, true, "80"},                // a pace tick below 100 keeps its label
        {150.5, false, "150,5"},         // no whole number: the label stays
    };
    for (const Case& c : cases) {
        const QString label = c.value == 150.5 ? QStringLiteral("150,5") : QString::number(c.value);
        EXPECT_EQ(PrimaryAxisLabel(c.value, label, c.pace), c.expected) << c.value << " pace " << c.pace;
    }
}

TEST(HrmGraphRules, ScalesAndFilter)
{
    EXPECT_EQ(LoweredSecondaryMin(20.0), 20.0);
    EXPECT_EQ(LoweredSecondaryMin(340.0), 320.0);
    EXPECT_EQ(LoweredSecondaryMin(-40.0), -40.0);
    EXPECT_EQ(PrimaryMaxFor(264.0, false), 220.0);
    EXPECT_EQ(PrimaryMaxFor(264.0, true), 264.0);
    EXPECT_EQ(PrimaryMaxFor(204.0, false), 204.0);
    EXPECT_EQ(PulseFilterText(PulseBounds()), "(puls > 70) and (puls < 210)");
    PulseBounds b;
    EXPECT_FALSE(b.Keeps(70));
    EXPECT_TRUE(b.Keeps(71));
    EXPECT_TRUE(b.Keeps(209));
    EXPECT_FALSE(b.Keeps(210));

    PulseFigures none;
    EXPECT_EQ(none.AverageText(), "n/a");
    EXPECT_EQ(none.MaxText(), "n/a");
    EXPECT_EQ(none.MinText(), "n/a");
    PulseFigures some;
    for (int p : {100, 151, 150})
        some.Add(p);
    EXPECT_EQ(some.AverageText(), "133");  // 401 / 3, remainder dropped
    EXPECT_EQ(some.MaxText(), "151");
    EXPECT_EQ(some.MinText(), "100");
}

// ---------------------------------------------------------------------------------------------
// The window.

class HrmGraphTest : public SplitPageTest {
protected:
    void split(int unit, int meter, TDateTime time, int puls, int height, const QString& note = QString(),
               double importKmh = 0, int temperature = 0)
    {
        db.exec(QString("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, Puls, HDiff, zei_hrm, Notitz, zei_importkmh, "
                        "zei_temperatur) VALUES (%1, %2, %3, %4, %5, 0, '%6', %7, %8)")
                    .arg(unit)
                    .arg(meter)
                    .arg(sqlNumber(time))
                    .arg(puls)
                    .arg(height)
                    .arg(note)
                    .arg(sqlNumber(importKmh))
                    .arg(temperature));
    }

    // Opens the graph through the split page's button; `play` is the user inside it and must
    // leave it closed (or the test fails).
    void openGraph(const std::function<void(TzwHRMGraph&)>& play)
    {
        ScriptedAnswers::onShowModal<TzwHRMGraph>([&](TzwHRMGraph& g) {
            play(g);
            if (g.isVisible())
                g.XPButton7->Click();
        });
        eingabe->XPButton23->Click();
    }

    static void press(TXPButton* b) { b->Press(); }
    static double value(TzwHRMGraph& g, int serie, int point) { return g.ChartFX1->DataValue(serie, point); }
};

TEST_F(HrmGraphTest, RefusesWithoutRows)
{
    start();
    ScriptedAnswers::pushMessageAnswer(mrOk);
    eingabe->XPButton23->Click();
    ASSERT_FALSE(ScriptedAnswers::messages().isEmpty());
    EXPECT_EQ(ScriptedAnswers::messages().last().Text, LoadStr(msg::NoSplits));
    EXPECT_EQ(ScriptedAnswers::messages().last().Type, mtInformation);
}

TEST_F(HrmGraphTest, DrawsTheRowsWithTheirValuesAndFigures)
{
    // 1 km in 5:00 (pace 5 min/km), then two more kilometres; notes on the first and last.
    split(1, 1000, hms(0, 5, 0), 150, 100, "Brücke", 12.4, 18);
    split(1, 2000, hms(0, 10, 0), 160, 120);
    split(1, 3000, hms(0, 15, 30), 170, 110, "Ziel");
    db.exec("UPDATE DATEN SET Puls = 158 WHERE dat_Id = 1");
    start();
    openGraph([&](TzwHRMGraph& g) {
        ChartWidget& c = *g.ChartFX1;
        EXPECT_EQ(c.SeriesCount(), 7);
        EXPECT_EQ(c.SeriesObject(0).PointCount(), 3);
        EXPECT_DOUBLE_EQ(value(g, serKmh, 0), 150.0);  // 5 min/km
        EXPECT_DOUBLE_EQ(value(g, serPuls, 2), 170.0);
        EXPECT_DOUBLE_EQ(value(g, serHoehe, 1), 120.0);
        EXPECT_DOUBLE_EQ(value(g, serSteigung, 1), 102.0);  // +20 m on 1000 m
        EXPECT_DOUBLE_EQ(value(g, serTemperatur, 0), 118.0);
        EXPECT_DOUBLE_EQ(value(g, serImportKmh, 0), 112.0);  // 12.4 taken as 12
        EXPECT_DOUBLE_EQ(c.SeriesObject(1).XValue(2), 3000.0);
        EXPECT_EQ(c.SeriesObject(serHoehe).SeriesAxis(), AxisSecondaryY);
        EXPECT_EQ(c.SeriesObject(serPuls).SeriesLegend(), "Puls");
        EXPECT_EQ(c.SeriesObject(serKmh).SeriesLegend(), "Ø km/h");
        // Only height and pulse are shown at the start; the speed formats wait for the speed.
        EXPECT_TRUE(c.SeriesObject(serPuls).SeriesVisible());
        EXPECT_FALSE(c.SeriesObject(serKmh).SeriesVisible());
        EXPECT_FALSE(g.XPButton16->isEnabled());
        EXPECT_FALSE(g.XPButton17->isEnabled());

        EXPECT_EQ(g.MaxPuls->text(), "170");
        EXPECT_EQ(g.MinPuls->text(), "150");
        EXPECT_EQ(g.AvgPuls->text(), "160");
        EXPECT_EQ(g.EntryPuls->text(), "158");
        EXPECT_EQ(g.ZeitValue->text(), "00:12:00");

        // Point labels of the height series: the notes, a blank for a split without one.
        press(g.XPButton19);
        EXPECT_TRUE(c.SeriesObject(serHoehe).PointLabels());
        EXPECT_EQ(c.PointLabelText(serHoehe, 0), "Brücke");
        EXPECT_EQ(c.PointLabelText(serHoehe, 1), " ");
        EXPECT_EQ(c.PointLabelText(serHoehe, 7), " ");

        // The X axis over elapsed time: the times, labelled as times every 30 minutes.
        press(g.XPButton9);
        EXPECT_FALSE(g.XPButton8->Down());
        EXPECT_DOUBLE_EQ(c.SeriesObject(1).XValue(0), hms(0, 5, 0));
        EXPECT_EQ(c.AxisObject(AxisX).LabelKind(), AxisLabelKind::Time);
        EXPECT_DOUBLE_EQ(c.AxisObject(AxisX).AxisStep(), 1.0 / 48.0);
    });
}

TEST_F(HrmGraphTest, PrimaryAxisFollowsTheSpeedSeries)
{
    split(1, 1000, hms(0, 5, 0), 180, 100);
    split(1, 2000, hms(0, 10, 0), 200, 100);
    start();
    openGraph([&](TzwHRMGraph& g) {
        ChartAxis& y = g.ChartFX1->AxisObject(AxisMainY);
        ASSERT_GE(savedYMax, 220.0);
        EXPECT_DOUBLE_EQ(y.AxisMin(), 0.0);
        EXPECT_DOUBLE_EQ(y.AxisMax(), 220.0);
        // Plain labels while no lifted series is shown.
        EXPECT_EQ(g.ChartFX1->AxisLabelText(AxisMainY, 150), "150");

        press(g.XPButton6);  // gradient
        EXPECT_EQ(g.ChartFX1->AxisLabelText(AxisMainY, 150), "150 / 50");
        press(g.XPButton13);  // calculated speed, pace format
        EXPECT_DOUBLE_EQ(y.AxisMax(), savedYMax);
        EXPECT_TRUE(g.XPButton16->isEnabled());
        EXPECT_TRUE(g.XPButton17->isEnabled());
        EXPECT_EQ(g.ChartFX1->AxisLabelText(AxisMainY, 150), "00:05:00 / 150");
        EXPECT_EQ(g.ChartFX1->AxisLabelText(AxisMainY, 80), "80");

        // Speed as km/h: 12 km/h on series 5, both readings on the axis.
        press(g.XPButton16);
        EXPECT_TRUE(g.XPButton16->Down());
        EXPECT_FALSE(g.XPButton17->Down());
        EXPECT_DOUBLE_EQ(value(g, serKmh, 0), 112.0);
        EXPECT_EQ(g.ChartFX1->AxisLabelText(AxisMainY, 150), "150 / 50");
        press(g.XPButton17);

        press(g.XPButton13);  // calculated speed off again
        EXPECT_DOUBLE_EQ(y.AxisMax(), 220.0);
        EXPECT_FALSE(g.XPButton17->isEnabled());
        // The measured speed is km/h: no pace reading for it.
        press(g.XPButton14);
        EXPECT_EQ(g.ChartFX1->AxisLabelText(AxisMainY, 150), "150 / 50");

        // "Temperatur" and "Gemessene Geschwindigkeit" release each other.
        press(g.XPButton12);
        EXPECT_TRUE(g.XPButton12->Down());
        EXPECT_FALSE(g.XPButton14->Down());
        EXPECT_TRUE(g.ChartFX1->SeriesObject(serTemperatur).SeriesVisible());
        EXPECT_FALSE(g.ChartFX1->SeriesObject(serImportKmh).SeriesVisible());
    });
}

TEST_F(HrmGraphTest, PulseFilterKeepsTheInnerRowsAndIsPutBack)
{
    int m = 0;
    for (int puls : {70, 71, 150, 209, 210}) {
        m += 500;
        split(1, m, hms(0, 0, m / 5), puls, 100);
    }
    start();
    zeit().SetFilter("puls > 0");
    zeit().SetFiltered(false);
    openGraph([&](TzwHRMGraph& g) {
        EXPECT_EQ(g.ChartFX1->SeriesObject(serPuls).PointCount(), 5);
        press(g.XPButton1);
        EXPECT_TRUE(zeit().Filtered());
        EXPECT_EQ(zeit().Filter(), "(puls > 70) and (puls < 210)");
        ASSERT_EQ(g.ChartFX1->SeriesObject(serPuls).PointCount(), 3);
        EXPECT_DOUBLE_EQ(value(g, serPuls, 0), 71.0);
        EXPECT_DOUBLE_EQ(value(g, serPuls, 2), 209.0);
        EXPECT_EQ(g.MaxPuls->text(), "209");
        EXPECT_EQ(g.MinPuls->text(), "71");
        EXPECT_EQ(g.AvgPuls->text(), "143");

        // A filter that leaves no row: nothing drawn, no figures, no failure.
        g.SpinEdit1->setValue(60);
        press(g.XPButton1);
        EXPECT_EQ(g.ChartFX1->SeriesObject(serPuls).PointCount(), 0);
        EXPECT_EQ(g.AvgPuls->text(), "n/a");
        EXPECT_EQ(g.MaxPuls->text(), "n/a");
        EXPECT_EQ(g.MinPuls->text(), "n/a");
    });
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
    // The split page's own filter is back.
    EXPECT_EQ(zeit().Filter(), "puls > 0");
    EXPECT_FALSE(zeit().Filtered());
    EXPECT_EQ(zeit().RecordCount(), 5);
}

TEST_F(HrmGraphTest, ComparisonUnitIsReadWithoutMovingTheCurrentUnit)
{
    split(1, 1000, hms(0, 5, 0), 150, 100);
    split(1, 2000, hms(0, 10, 0), 160, 110);
    addUnit(2, 1, "Wald");
    split(2, 1000, hms(0, 4, 0), 140, 300, "", 0, 0);
    split(2, 2000, hms(0, 8, 0), 50, 310);  // dropped by the pulse filter
    split(2, 3000, hms(0, 12, 0), 165, 320);
    split(2, 4000, hms(0, 17, 0), 175, 330);
    start();
    TDataSet& daten = orvServer->daten;
    ASSERT_TRUE(daten.Locate("dat_Id", 1));
    eingabe->updateZwSql();
    // A pending edit of the current unit.
    daten.Edit();
    daten.FieldByName("Ort")->SetAsString("Hafen");

    openGraph([&](TzwHRMGraph& g) {
        const QString maxBefore = g.MaxPuls->text();
        ScriptedAnswers::onShowModal<TvergleichSelect>([](TvergleichSelect& s) { s.XPButton9->Click(); });
        press(g.XPButton15);
        EXPECT_FALSE(g.XPButton15->Down());  // cancelled: as it was
        EXPECT_EQ(g.seriesGroups, 1);
        EXPECT_EQ(g.ChartFX1->SeriesCount(), 7);

        ScriptedAnswers::onShowModal<TvergleichSelect>([](TvergleichSelect& s) {
            ASSERT_TRUE(s.ADOTable1.Locate("dat_Id", 2));
            s.XPButton8->Click();
        });
        press(g.XPButton15);
        ChartWidget& c = *g.ChartFX1;
        ASSERT_EQ(g.seriesGroups, 2);
        EXPECT_EQ(g.compareUnitId, 2);
        EXPECT_EQ(g.XPButton15->Caption(), LoadStr(msg::CompareEnd));
        ASSERT_EQ(c.SeriesCount(), 14);
        EXPECT_EQ(c.SeriesObject(7).SeriesColor(), TColor(0x00994D00));  // RGB(0, 77, 153)
        EXPECT_EQ(c.SeriesObject(8).SeriesColor(), c.SeriesObject(1).SeriesColor());
        EXPECT_EQ(c.SeriesObject(7).SeriesAxis(), AxisSecondaryY);
        EXPECT_DOUBLE_EQ(value(g, 8, 3), 175.0);
        EXPECT_DOUBLE_EQ(value(g, 7, 0), 300.0);
        // The unit's series continue flat at its last row up to the comparison's last point.
        for (int p : {2, 3}) {
            EXPECT_DOUBLE_EQ(value(g, serPuls, p), 160.0);
            EXPECT_DOUBLE_EQ(c.SeriesObject(serPuls).XValue(p), 2000.0);
        }
        EXPECT_EQ(g.MaxPuls->text(), maxBefore);
        EXPECT_EQ(g.AvgPuls->text(), "155");

        // The pulse filter holds for the comparison unit too.
        press(g.XPButton1);
        EXPECT_EQ(c.SeriesObject(8).PointCount(), 3);
        EXPECT_DOUBLE_EQ(value(g, 8, 1), 165.0);

        press(g.XPButton15);
        EXPECT_EQ(g.seriesGroups, 1);
        EXPECT_EQ(c.SeriesCount(), 7);
        EXPECT_EQ(g.XPButton15->Caption(), LoadStr(msg::CompareLoad));
    });
    // The current unit never moved, and its pending edit is still there.
    EXPECT_EQ(daten.State(), dsEdit);
    EXPECT_EQ(daten.FieldByName("dat_Id")->AsInteger(), 1);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Hafen");
    daten.Cancel();
}

TEST_F(HrmGraphTest, ZoneBandsAndConstantLines)
{
    // 100 m down over 1 km, then flat: an average downhill gradient of -3 %.
    split(1, 1000, hms(0, 5, 0), 150, 100);
    split(1, 2000, hms(0, 10, 0), 160, 70);
    start();
    openGraph([&](TzwHRMGraph& g) {
        ChartWidget& c = *g.ChartFX1;
        press(g.XPButton4);
        // Six load levels; "Keine" is coloured -1 and gets no band, the others keep their order.
        ASSERT_EQ(c.StripeCount(), 6);
        const double from[] = {95, 133, 152, 167, 179};
        for (int i = 0; i < 5; ++i) {
            EXPECT_TRUE(c.StripeObject(i).Shown());
            EXPECT_DOUBLE_EQ(c.StripeObject(i).StripeFrom(), from[i]);
            EXPECT_EQ(c.StripeObject(i).StripeAxis(), AxisMainY);
        }
        EXPECT_FALSE(c.StripeObject(5).Shown());
        EXPECT_EQ(c.StripeObject(0).StripeColor(), TColor(0xC8FFC8));
        // A fill leaves the bands; releasing the button takes them away.
        press(g.XPButton9);
        EXPECT_EQ(c.StripeCount(), 6);
        press(g.XPButton4);
        EXPECT_EQ(c.StripeCount(), 0);

        ASSERT_DOUBLE_EQ(zwStatistik.avgGefaelle, -3.0);
        g.CheckListBox1->item(7)->setCheckState(Qt::Checked);  // "Durchschn. Gefälle"
        ASSERT_EQ(c.ConstantLineCount(), 1);
        EXPECT_DOUBLE_EQ(c.ConstantLineObject(0).LineValue(), 97.0);
        EXPECT_EQ(c.ConstantLineObject(0).LineLabel(), "Durchschn. Gefälle");
        EXPECT_EQ(c.ConstantLineObject(0).LineColor(), TColor(0x000000FF));
        g.CheckListBox1->item(0)->setCheckState(Qt::Checked);  // "Maximalpuls" comes first
        ASSERT_EQ(c.ConstantLineCount(), 2);
        EXPECT_DOUBLE_EQ(c.ConstantLineObject(0).LineValue(), 160.0);
        EXPECT_DOUBLE_EQ(c.ConstantLineObject(1).LineValue(), 97.0);
    });
}

// Right click on a point of the pulse series as the user does it, at the point's place.
static void rightClickPoint(TzwHRMGraph& g, int serie, int point)
{
    ChartWidget& c = *g.ChartFX1;
    QPointF at(-100, -100);
    for (const ChartLineLayout& line : c.Layout().lines)
        if (line.series == serie)
            at = line.points.at(size_t(point));
    QMouseEvent e(QEvent::MouseButtonPress, at, c.mapToGlobal(at), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&c, &e);
    g.PopupMenu1->hide();
}

TEST_F(HrmGraphTest, EditThisPointSelectsTheSplitOfThePoint)
{
    int m = 0;
    for (int puls : {150, 60, 151, 152, 153, 154, 155}) {
        m += 1000;
        split(1, m, hms(0, 0, m / 4), puls, 100, QString("P%1").arg(m));
    }
    start();
    ASSERT_EQ(grid().RowCount(), 8);
    openGraph([&](TzwHRMGraph& g) {
        g.resize(1000, 640);
        // Beside every point: nothing happens, the window stays.
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(2, 2), g.ChartFX1->mapToGlobal(QPointF(2, 2)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(g.ChartFX1, &e);
        g.PopupMenu1->hide();
        EXPECT_EQ(clickedSerie, -1);
        g.DiesenPunktbearbeiten1->trigger();
        EXPECT_TRUE(g.editRow.IsNull());
        EXPECT_EQ(g.ModalResult(), mrNone);

        // Under the pulse filter the second row (pulse 60) is not drawn: point 4 is the sixth
        // split, grid row 6.
        press(g.XPButton1);
        rightClickPoint(g, serPuls, 4);
        EXPECT_EQ(clickedSerie, serPuls);
        EXPECT_EQ(clickedPoint, 4);
        g.DiesenPunktbearbeiten1->trigger();
        EXPECT_EQ(g.ModalResult(), mrCancel);  // the window closes
    });
    EXPECT_EQ(grid().Row(), 6);
    EXPECT_FALSE(zeit().Filtered());
    EXPECT_EQ(zeit().FieldByName("Notitz")->AsString(), "P6000");

    // Without a filter point 4 is grid row 5.
    openGraph([&](TzwHRMGraph& g) {
        g.resize(1000, 640);
        rightClickPoint(g, serPuls, 4);
        g.DiesenPunktbearbeiten1->trigger();
    });
    EXPECT_EQ(grid().Row(), 5);
    EXPECT_EQ(zeit().FieldByName("Notitz")->AsString(), "P5000");
}

TEST_F(HrmGraphTest, PointsBeyondTheUnitsRowsNameNoSplit)
{
    split(1, 1000, hms(0, 5, 0), 150, 100);
    addUnit(2, 1, "Wald");
    for (int i = 1; i <= 4; ++i)
        split(2, i * 1000, hms(0, 5 * i, 0), 150, 100);
    start();
    ASSERT_TRUE(orvServer->daten.Locate("dat_Id", 1));
    eingabe->updateZwSql();
    openGraph([&](TzwHRMGraph& g) {
        ScriptedAnswers::onShowModal<TvergleichSelect>([](TvergleichSelect& s) {
            ASSERT_TRUE(s.ADOTable1.Locate("dat_Id", 2));
            s.XPButton8->Click();
        });
        press(g.XPButton15);
        clickedSerie = serPuls;
        clickedPoint = 3;  // a point that only continues the unit beside the comparison
        g.DiesenPunktbearbeiten1->trigger();
        EXPECT_EQ(g.ModalResult(), mrNone);  // the window stays
        EXPECT_TRUE(g.editRow.IsNull());
    });
    EXPECT_EQ(grid().Row(), 1);
}

TEST_F(HrmGraphTest, KeyboardReachesEveryControl)
{
    split(1, 1000, hms(0, 5, 0), 150, 100);
    start();
    openGraph([&](TzwHRMGraph& g) {
        // Tab from "Schließen" on: every button, both bounds and the list take the focus.
        QApplication::setActiveWindow(&g);
        g.XPButton7->setFocus();
        QSet<QWidget*> reached;
        for (int i = 0; i < 40; ++i) {
            QWidget* f = QApplication::focusWidget();
            ASSERT_NE(f, nullptr);
            reached.insert(f);
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(f, &tab);
        }
        for (QWidget* c : g.findChildren<QWidget*>()) {
            if (!c->isEnabled() || !c->isVisible())
                continue;
            if (qobject_cast<TXPButton*>(c) || qobject_cast<QListWidget*>(c)) {
                EXPECT_TRUE(reached.contains(c)) << c->objectName().toStdString();
            }
            if (auto* spin = qobject_cast<QSpinBox*>(c)) {
                EXPECT_TRUE(reached.contains(spin) || reached.contains(spin->findChild<QLineEdit*>()))
                    << c->objectName().toStdString();
            }
        }
        // Space presses the focused toggle.
        g.XPButton6->setFocus();
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(g.XPButton6, &space);
        EXPECT_TRUE(g.XPButton6->Down());
        EXPECT_TRUE(g.ChartFX1->SeriesObject(serSteigung).SeriesVisible());
    });
}

TEST_F(HrmGraphTest, EnglishModuleTranslatesTheWindow)
{
    EnglishModule window("hrmgraph_en");
    ASSERT_TRUE(window.loaded());
    split(1, 1000, hms(0, 5, 0), 150, 100);
    start();
    openGraph([&](TzwHRMGraph& g) {
        EXPECT_EQ(g.windowTitle(), "Splits and heart-rate graph");
        EXPECT_EQ(g.XPButton13->toolTip(), "Calculated speed");
        EXPECT_EQ(g.CheckListBox1->item(7)->text(), "Average decline");
        EXPECT_EQ(g.DiesenPunktbearbeiten1->text(), "Edit this point");
    });
}
