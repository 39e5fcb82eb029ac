// The chart options and the period chart as a user reaches them: the period statistics window's
// "Grafik" button, the options dialog's choices and refusals, the chart it shows with its labels,
// bands, print and help, the keyboard, and every text in English.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPdfWriter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>

#include "analysis/zeitgraf.h"
#include "analysis/zeitgrafdlg.h"
#include "analysis/zeitraumneu.h"
#include "core/main.h"
#include "platform/chart/chartprint.h"
#include "platform/vcl/actnlist.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/keyboardwalk.h"
#include "traininglog/einheiteneingabe.h"

namespace {

class PeriodChartWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetClock([] { return EncodeDate(2026, 11, 20) + EncodeTime(10, 0, 0, 0); });
        // The configured distance unit is "Meter", the second of the list.
        db.exec(QStringLiteral("UPDATE config SET cfg_wochenmonatUnt = 6"));
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = saved_;
    }

    void unit(int d, int sport, int metres, double zeit, int puls)
    {
        db.exec(QStringLiteral("INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, Hoehendifferenz, Puls, Ort, trainingsblock) VALUES "
                               "(%1, 0.3, 1, %2, %3, %4, 1, 1, 10, %5, 'Park', 0)")
                    .arg(EncodeDate(2026, 11, d))
                    .arg(zeit)
                    .arg(metres)
                    .arg(sport)
                    .arg(puls));
    }

    // Opens the period statistics window (its period: the month up to today), presses "Grafik"
    // and lets `user` play the options dialog.
    void options(const QStringList& params, std::function<void(TzeitGrafDlg&)> user)
    {
        StartProgram(params);
        if (!eingabe->isVisible()) {
            ScriptedAnswers::pushFileName(db.path());
            MainForm->FileOpen1->Execute();
        }
        ScriptedAnswers::onShowModal<TZeitNeu>([user](TZeitNeu& f) {
            f.SpeedButton4->click();  // "Monat"
            ScriptedAnswers::onShowModal<TzeitGrafDlg>(user);
            f.SpeedButton8->click();
            f.Close();
        });
        UpdateAllActions();
        MainForm->StatZeitraum1->Execute();
    }

    // Picks an entry of a drop-down list as a user does from its popup.
    static void choose(QComboBox* box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    // Presses a flat button with the space bar.
    static void press(TXPButton* button)
    {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(button, &space);
    }
    static QStringList items(const QComboBox* box)
    {
        QStringList l;
        for (int i = 0; i < box->count(); ++i)
            l << box->itemText(i);
        return l;
    }

    AthleteDatabase db;

private:
    TFormatSettings saved_;
};

TEST_F(PeriodChartWindowTest, OptionsRefuseValuesOfSingleUnitsWhenGroupedAndOfferTheirUnitLists)
{
    const QStringList distanceUnits = {"Kilometer", "Meter", "Meilen", "Yards"};
    options({db.path()}, [&](TzeitGrafDlg& d) {
        EXPECT_TRUE(d.RadioButton5->isChecked());
        EXPECT_TRUE(d.RadioButton1->isChecked());
        EXPECT_EQ(d.ComboBox1->currentText(), "Distanz");
        EXPECT_EQ(items(d.ComboBox2), distanceUnits);
        EXPECT_EQ(d.ComboBox2->currentText(), "Meter") << "the showing selects the configured unit";

        // "Puls" grouped by day: refused, back to the distance with its units.
        ScriptedAnswers::pushMessageAnswer(mrOk);
        choose(d.ComboBox1, pyPulse);
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text,
                  "Diese Auswahl kann nur bei der Gruppierungsart \"keine Gruppierung\" gewählt werden.");
        EXPECT_EQ(d.ComboBox1->currentText(), "Distanz");
        EXPECT_EQ(items(d.ComboBox2), distanceUnits);
        EXPECT_EQ(d.ComboBox2->currentText(), "Kilometer") << "re-choosing selects the first unit";
        EXPECT_EQ(d.Label5->text(), "Einheit");
        EXPECT_FALSE(d.ComboBox2->isHidden());

        d.RadioButton7->click();
        choose(d.ComboBox1, pyPulse);
        EXPECT_EQ(items(d.ComboBox2), (QStringList{"Nein", "Ja"}));
        EXPECT_EQ(d.Label5->text(), "Unterlegt");
        // A grouping chosen while "Puls" stands is refused the same way.
        ScriptedAnswers::pushMessageAnswer(mrOk);
        d.RadioButton6->click();
        EXPECT_EQ(d.ComboBox1->currentIndex(), pyDistance);

        choose(d.ComboBox1, pyTime);
        EXPECT_TRUE(d.ComboBox2->isHidden());
        EXPECT_TRUE(d.Label5->isHidden());
        EXPECT_EQ(items(d.ComboBox2), (QStringList{"Zeit", "Stunden"}));
        d.Button2->click();
    });
    EXPECT_EQ(zeitGrafDlg, nullptr) << "the dialog is freed";
}

TEST_F(PeriodChartWindowTest, OkShowsThePulseOfEachUnitOverTheLoadLevelsAndPrints)
{
    unit(3, 1, 10000, 0.04, 140);
    unit(3, 2, 30000, 0.05, 125);
    unit(5, 1, 6000, 0.03, 155);
    TempFolder dir;
    touchProgramFile("orv5help/Grafikanpassung.htm");
    bool shown = false;
    options({db.path()}, [&](TzeitGrafDlg& d) {
        d.RadioButton7->click();
        choose(d.ComboBox1, pyPulse);
        choose(d.ComboBox2, 1);  // "Ja"
        ScriptedAnswers::onShowModal<TzeitGraf>([&](TzeitGraf& g) {
            shown = true;
            EXPECT_EQ(g.windowTitle(), "Zeitraumgrafik");
            ChartWidget& c = *g.ChartFX1;
            EXPECT_FALSE(c.Stacked());
            ASSERT_EQ(c.PointCount(), 3);
            EXPECT_EQ(c.AxisLabelText(AxisX, 1), "03.11.2026");
            EXPECT_EQ(c.DataValue(1, 1), 125.0);
            EXPECT_EQ(c.AxisObject(AxisMainY).AxisTitle(), "Puls");
            int bands = 0;
            for (int i = 0; i < c.StripeCount(); ++i)
                bands += c.StripeObject(i).Shown() ? 1 : 0;
            EXPECT_EQ(bands, 5) << "the levels with a colour";
            g.resize(684, 454);
            g.grab().save(QStringLiteral("/tmp/i38_zeitgraf_puls.png"));

            QPdfWriter pdf(dir.file(QStringLiteral("grafik.pdf")));
            SetChartPrintTarget([&]() -> QPagedPaintDevice* { return &pdf; });
            press(g.XPButton1);
            SetChartPrintTarget({});
            EXPECT_GT(QFileInfo(dir.file(QStringLiteral("grafik.pdf"))).size(), 0);
            press(g.XPButton3);
            press(g.XPButton7);
        });
        d.Button1->click();
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(zeitGraf, nullptr) << "the chart is freed after closing";
    EXPECT_EQ(helpPages, QStringList{ProgramFile("orv5help/Grafikanpassung.htm")});
}

TEST_F(PeriodChartWindowTest, TimeByDayIsStackedWithHourLabelsAndAFailedFillingStillClosesTheDialog)
{
    // Two units of one day: 36 hours.
    unit(3, 1, 10000, 0.75, 140);
    unit(3, 1, 10000, 0.75, 140);
    options({db.path()}, [&](TzeitGrafDlg& d) {
        choose(d.ComboBox1, pyTime);
        ScriptedAnswers::onShowModal<TzeitGraf>([&](TzeitGraf& g) {
            ChartWidget& c = *g.ChartFX1;
            EXPECT_TRUE(c.Stacked());
            EXPECT_EQ(c.PointCount(), 20) << "the days of the month up to today";
            EXPECT_EQ(c.DataValue(0, 2), 1.5);
            EXPECT_EQ(c.AxisLabelText(AxisMainY, 1.5), "36:00:00");
            EXPECT_EQ(c.AxisLabelText(AxisX, 0), "01.11.2026");
            g.resize(684, 454);
            g.grab().save(QStringLiteral("/tmp/i38_zeitgraf_zeit.png"));
            g.Close();
        });
        d.Button1->click();
    });

    // A period condition the database refuses: the runtime's error box, no chart, the dialog closes.
    FinishProgram();
    options({db.path()}, [&](TzeitGrafDlg& d) {
        ZeitNeu->QuickWhere = QStringLiteral("nosuchfield = 1");
        ScriptedAnswers::pushMessageAnswer(mrOk);
        d.Button1->click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
        EXPECT_EQ(zeitGraf, nullptr);
    });
}

TEST_F(PeriodChartWindowTest, TabReachesEveryChoiceAndEveryTextReadsInEnglish)
{
    auto textsOf = [](QWidget* window) {
        QMap<QString, QString> texts;
        texts.insert(window->objectName() + "/title", window->windowTitle());
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const QString key = window->objectName() + '/' + w->objectName();
            if (w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
                continue;
            if (!w->toolTip().isEmpty())
                texts.insert(key + ".hint", w->toolTip());
            if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty())
                texts.insert(key, l->text());
            else if (auto* b = qobject_cast<QAbstractButton*>(w))
                texts.insert(key, b->text());
            else if (auto* x = qobject_cast<TXPButton*>(w))
                texts.insert(key, x->Caption());
            else if (auto* c = qobject_cast<QComboBox*>(w); c && c->objectName() == "ComboBox1")
                for (int i = 0; i < c->count(); ++i)
                    texts.insert(key + QString::number(i), c->itemText(i));
        }
        return texts;
    };
    auto run = [&](const QStringList& params) {
        QMap<QString, QString> texts;
        options(params, [&](TzeitGrafDlg& d) {
            texts.insert(textsOf(&d));
            ScriptedAnswers::onShowModal<TzeitGraf>([&](TzeitGraf& g) {
                texts.insert(textsOf(&g));
                g.Close();
            });
            d.Button1->click();
        });
        FinishProgram();
        SetLanguageModule(nullptr);
        return texts;
    };
    const QMap<QString, QString> german = run({db.path()});
    const QMap<QString, QString> english = run({"egal.orv", "en"});
    EXPECT_EQ(german.keys(), english.keys());
    const QStringList same = {"Form", "GLI", "kcal"};
    QStringList untranslated;
    for (auto it = german.cbegin(); it != german.cend(); ++it)
        if (english.value(it.key()) == it.value() && !same.contains(it.value()))
            untranslated << it.key() + " = " + it.value();
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join('\n').toStdString();
    EXPECT_EQ(english.value("zeitGrafDlg/title"), "Chart options");

    // The keyboard alone reaches both groups of choices, both lists and both buttons.
    options({db.path()}, [&](TzeitGrafDlg& d) {
        QApplication::setActiveWindow(&d);
        QList<QWidget*> reached;
        d.RadioButton5->setFocus();
        for (int i = 0; i < 20 && !reached.contains(QApplication::focusWidget()); ++i) {
            reached << QApplication::focusWidget();
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(QApplication::focusWidget(), &tab);
        }
        for (QWidget* w : std::initializer_list<QWidget*>{d.RadioButton5, d.RadioButton1, d.ComboBox1, d.ComboBox2,
                                                          d.Button1, d.Button2})
            EXPECT_TRUE(reached.contains(w)) << w->objectName().toStdString();
        d.Button2->click();
    });
}

TEST_F(PeriodChartWindowTest, OptionsAndChartAreWorkedWithTheKeyboardAlone)
{
    unit(3, 1, 10000, 0.04, 140);
    bool shown = false;
    options({db.path()}, [&](TzeitGrafDlg& d) {
        EXPECT_EQ(KeyboardWalkProblem(&d, {d.RadioButton5, d.RadioButton1, d.ComboBox1, d.ComboBox2, d.Button1,
                                           d.Button2}),
                  "");
        // Down moves to the next choice of a group; Return in a list is "Ok".
        FocusWindowAt(&d, d.RadioButton5);
        PressKey(Qt::Key_Down);
        EXPECT_TRUE(d.RadioButton6->isChecked());
        ScriptedAnswers::onShowModal<TzeitGraf>([&](TzeitGraf& g) {
            shown = true;
            EXPECT_EQ(KeyboardWalkProblem(&g, {g.XPButton7, g.XPButton1, g.XPButton3}), "");
            g.Close();
        });
        FocusWindowAt(&d, d.ComboBox1);
        PressKey(Qt::Key_Return);
    });
    EXPECT_TRUE(shown);
    // Escape is "Abbrechen": no chart.
    shown = false;
    FinishProgram();
    options({db.path()}, [&](TzeitGrafDlg& d) {
        FocusWindowAt(&d, d.ComboBox2);
        PressKey(Qt::Key_Escape);
        EXPECT_EQ(d.ModalResult(), mrCancel);
    });
    EXPECT_FALSE(shown);
}

}  // namespace
