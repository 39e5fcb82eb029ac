// The period statistics window on the program started as a user starts it: the quick query from
// the settings panel, the presets, the totals and the info box, the SQL page with the criteria
// dialog, the builder and condition files, the column views, and opening a row's unit or block.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRegularExpression>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "analysis/columnview.h"
#include "analysis/criteriadialog.h"
#include "analysis/filter1.h"
#include "analysis/infos.h"
#include "analysis/zeitraumneu.h"
#include "controls/uiiecombobox2000.h"
#include "controls/xpbutton.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/datetimepicker.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/events.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "traininglog/einheiteneingabe.h"

namespace {

class PeriodStatisticsTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        today(2026, 12, 10);
        QDir(ColumnViewDir()).removeRecursively();
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        FormatSettings() = savedSettings_;
        QDir(ColumnViewDir()).removeRecursively();
    }

    static void today(int y, int m, int d)
    {
        SetClock([y, m, d] { return EncodeDate(y, m, d) + EncodeTime(10, 0, 0, 0); });
    }

    // A unit on a German date, with sport, form, metres, place and block.
    void unit(const char* date, int sport, int metres, const QString& place = "Park", int form = 1, int block = 1,
              double duration = 0.03)
    {
        db.exec(QStringLiteral("INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, Hoehendifferenz, Ort, Wetter, trainingsblock) VALUES "
                               "(%1, 0.3, %2, %3, %4, %5, 1, 1, 10, '%6', 'sonnig', %7)")
                    .arg(StrToDate(QString::fromLatin1(date), GermanFormatSettings()))
                    .arg(form)
                    .arg(duration)
                    .arg(metres)
                    .arg(sport)
                    .arg(place)
                    .arg(block));
    }
    void block(int id, const char* name)
    {
        db.exec(QStringLiteral("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created, trb_sportart, trb_form) "
                               "VALUES (%1, '%2', %3, 1, 1)")
                    .arg(id)
                    .arg(QString::fromLatin1(name))
                    .arg(EncodeDate(2026, 3, 1)));
    }

    void start()
    {
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
    }

    // Shows the window through the main window's action; the callback plays the user and the
    // window is closed afterwards unless the callback closed it.
    void show(std::function<void(TZeitNeu&)> user = {})
    {
        ScriptedAnswers::onShowModal<TZeitNeu>([user](TZeitNeu& f) {
            if (user)
                user(f);
            if (f.isVisible())
                f.Close();
        });
        UpdateAllActions();
        ASSERT_TRUE(MainForm->StatZeitraum1->Enabled());
        MainForm->StatZeitraum1->Execute();
        ASSERT_NE(ZeitNeu, nullptr) << "the window lives on after its showing";
    }

    static TQuery& result() { return orvServer->zeitraum; }
    static QStringList column(const char* field)
    {
        QStringList values;
        if (!result().Active() || result().IsEmpty())
            return values;
        const TBookmark here = result().GetBookmark();
        for (result().First(); !result().Eof(); result().Next())
            values << result().FieldByName(QString::fromLatin1(field))->AsString();
        result().GotoBookmark(here);
        return values;
    }
    static void tick(QListWidget* list, const QString& text, bool on)
    {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == text)
                list->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    static void tickOnly(QListWidget* list, const QStringList& texts)
    {
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(texts.contains(list->item(i)->text()) ? Qt::Checked : Qt::Unchecked);
    }
    // Types into an editable combo box as a user does, replacing its text.
    static void type(QComboBox* box, const QString& text)
    {
        box->lineEdit()->selectAll();
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(box->lineEdit(), &del);
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box->lineEdit(), &press);
        }
    }
    // The widgets Tab reaches from `start` until the focus comes round again.
    static QList<QWidget*> tabRound(QWidget* start)
    {
        QList<QWidget*> reached;
        start->setFocus();
        for (int i = 0; i < 80 && !reached.contains(QApplication::focusWidget()); ++i) {
            reached << QApplication::focusWidget();
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(QApplication::focusWidget(), &tab);
        }
        return reached;
    }
    int units() const { return db.value("SELECT count(*) FROM daten").toInt(); }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};

}  // namespace

TEST_F(PeriodStatisticsTest, SportAndFormListsMakeTheCondition)
{
    unit("05.03.2026", 1, 5000);
    unit("06.03.2026", 3, 1500);
    unit("07.03.2026", 2, 40000);
    start();
    show([](TZeitNeu& f) {
        EXPECT_EQ(f.CheckListBox2->count(), 9);
        EXPECT_EQ(f.CheckListBox1->item(3)->text(), "Geplant");
        EXPECT_EQ(f.CheckListBox1->item(3)->checkState(), Qt::Unchecked) << "planning forms are off by default";
        EXPECT_EQ(column("Meter"), (QStringList{"5000", "1500", "40000"})) << "the year from the start";
    });
    TZeitNeu& f = *ZeitNeu;
    tickOnly(f.CheckListBox2, {"Laufen", "Schwimmen"});
    EXPECT_TRUE(f.QuickWhere.contains("and ( (Sportart = 1) or (Sportart = 3) ) and"));
    EXPECT_TRUE(f.QuickSQL.startsWith("SELECT * FROM zeitraumstat  WHERE CLng(datum)  between CLng(CDate(\"01.01.2026\"))"));
    EXPECT_EQ(column("Meter"), (QStringList{"5000", "1500"}));

    tickOnly(f.CheckListBox2, {});
    EXPECT_TRUE(f.QuickWhere.contains("and (Sportart = -2) and"));
    EXPECT_TRUE(result().Active());
    EXPECT_EQ(result().RecordCount(), 0);
    tickOnly(f.CheckListBox2, {"Laufen"});
    tickOnly(f.CheckListBox1, {});
    EXPECT_TRUE(f.QuickWhere.endsWith("and (form = -2)"));
    EXPECT_EQ(result().RecordCount(), 0);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

TEST_F(PeriodStatisticsTest, PresetsSetThePeriod)
{
    unit("03.02.2011", 1, 5000);
    unit("07.12.2026", 1, 6000);
    unit("14.12.2026", 1, 7000);
    today(2026, 12, 13);  // a Sunday
    start();
    show([](TZeitNeu& f) {
        f.SpeedButton3->click();
        EXPECT_EQ(DateToStr(f.DateTimePicker1->DateTime()), "07.12.2026");
        EXPECT_EQ(DateToStr(f.DateTimePicker2->DateTime()), "13.12.2026");
        EXPECT_EQ(column("Meter"), QStringList{"6000"});
    });
    today(2026, 12, 14);  // the Monday after
    ZeitNeu->SpeedButton3->click();
    EXPECT_EQ(DateToStr(ZeitNeu->DateTimePicker1->DateTime()), "14.12.2026");
    EXPECT_EQ(DateToStr(ZeitNeu->DateTimePicker2->DateTime()), "14.12.2026");

    ZeitNeu->SpeedButton6->click();
    EXPECT_EQ(DateToStr(ZeitNeu->DateTimePicker1->DateTime()), "03.02.2011") << "from the earliest unit";
    EXPECT_EQ(column("Meter").size(), 3);
    ZeitNeu->SpeedButton5->click();
    EXPECT_EQ(DateToStr(ZeitNeu->DateTimePicker2->DateTime()), "31.12.2026");
}

TEST_F(PeriodStatisticsTest, MonthEndsTodayWhateverDayTheWindowWasMade)
{
    today(2027, 1, 31);
    start();
    show();
    today(2027, 2, 28);
    ZeitNeu->SpeedButton4->click();
    EXPECT_EQ(DateToStr(ZeitNeu->DateTimePicker1->DateTime()), "01.02.2027");
    EXPECT_EQ(DateToStr(ZeitNeu->DateTimePicker2->DateTime()), "28.02.2027");
}

TEST_F(PeriodStatisticsTest, AllOnAnEmptyDatabaseStartsAtTheEpoch)
{
    start();
    show([](TZeitNeu& f) { f.SpeedButton6->click(); });
    EXPECT_EQ(DateToStr(ZeitNeu->DateTimePicker1->DateTime()), "30.12.1899");
}

TEST_F(PeriodStatisticsTest, TotalsCountUnitsNotBlockRowsAndTheInfoBoxAverages)
{
    block(1, "Frühjahr");
    unit("05.03.2026", 1, 10500, "Park", 1, 1, 3600000 / 86400000.0);
    unit("06.03.2026", 1, 6000, "Park", 1, 1, 1800000 / 86400000.0);
    start();
    show([](TZeitNeu& f) {
        EXPECT_EQ(f.Label10->text(), "16 km") << "16.5 km, half to even";
        EXPECT_EQ(f.Label11->text(), "1:30:00");
        EXPECT_EQ(f.Label9->text(), "20");
        f.CheckBox1->click();  // block rows shown
        EXPECT_FALSE(f.ComboBox1->isEnabled());
        EXPECT_FALSE(f.QuickSQL.contains("ORDER BY"));
        EXPECT_TRUE(column("dat_Id").contains("-1"));
        EXPECT_EQ(f.Label10->text(), "16 km") << "the block row adds nothing";
        EXPECT_EQ(TrainingUnitCount, 2);

        ScriptedAnswers::onShowModal<TInfos>([](TInfos& box) {
            EXPECT_EQ(box.Label7->text(), "16 km");
            EXPECT_EQ(box.Label10->text(), "2");
            EXPECT_EQ(box.Label11->text(), "8 km");
            EXPECT_EQ(box.Label12->text(), "10");
            box.Button1->click();
        });
        f.SpeedButton11->click();

        // The distance menu shows the total in another unit until the next query.
        f.fillDistanceMenu();
        const QList<QAction*> items = f.PopupMenu1->actions();
        ASSERT_EQ(items.size(), 4);
        items[1]->trigger();  // "Meter"
        EXPECT_EQ(f.Label10->text(), "16500 m");
        f.CheckBox1->click();
        EXPECT_EQ(f.Label10->text(), "16 km");

        f.SpeedButton4->click();  // December: no unit
        ScriptedAnswers::onShowModal<TInfos>([](TInfos& box) {
            EXPECT_EQ(box.Label10->text(), "0");
            EXPECT_EQ(box.Label11->text(), "n/a");
            EXPECT_EQ(box.Label12->text(), "n/a");
            box.Button1->click();
        });
        f.SpeedButton11->click();
    });
}

TEST_F(PeriodStatisticsTest, TypedSortTextsSortOrEmptyTheGridButNeverWrite)
{
    unit("05.03.2026", 1, 5000);
    unit("07.03.2026", 1, 7000);
    unit("06.03.2026", 1, 6000);
    start();
    show([this](TZeitNeu& f) {
        EXPECT_EQ(column("Meter"), (QStringList{"5000", "6000", "7000"}));
        type(f.ComboBox1, "Datum DESC");
        EXPECT_EQ(column("Meter"), (QStringList{"7000", "6000", "5000"}));
        const QString label = f.Label10->text();

        type(f.ComboBox1, "Datum; DELETE FROM daten");
        EXPECT_FALSE(result().Active()) << "refused like an unknown column: empty grid";
        EXPECT_EQ(f.Label10->text(), label) << "the totals keep their last texts";
        EXPECT_EQ(units(), 3);
        type(f.ComboBox1, "Gibtsnicht");
        EXPECT_FALSE(result().Active());
        EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << "no message";

        type(f.ComboBox1, "Meter");
        EXPECT_EQ(column("Meter"), (QStringList{"5000", "6000", "7000"}));
    });
}

TEST_F(PeriodStatisticsTest, TitleClickSortsExceptOnCalculatedColumns)
{
    unit("05.03.2026", 1, 9000, "Aachen");
    unit("06.03.2026", 2, 6000, "Zeitz");
    start();
    show([](TZeitNeu& f) {
        auto titleClick = [&f](const char* field) {
            for (int i = 0; i < f.DBGrid1->Columns().Count(); ++i)
                if (f.DBGrid1->Columns()[i]->FieldName() == QLatin1String(field))
                    f.DBGrid1->OnTitleClick(f.DBGrid1->Columns()[i]);
        };
        titleClick("distance");
        EXPECT_EQ(f.ComboBox1->currentText(), "Meter");
        EXPECT_EQ(column("Meter"), (QStringList{"6000", "9000"}));
        titleClick("kmh");
        EXPECT_EQ(f.ComboBox1->currentText(), "Meter");
        titleClick("Spo_Name");
        EXPECT_EQ(f.ComboBox1->currentText(), "Spo_Name");
        EXPECT_EQ(column("Meter"), (QStringList{"9000", "6000"})) << "Laufen before Radfahren";
    });
}

TEST_F(PeriodStatisticsTest, FreeConditionRunsReadOnly)
{
    block(1, "Frühjahr");
    unit("05.03.2026", 1, 5000);
    unit("06.03.2026", 1, 6000);
    start();
    show([this](TZeitNeu& f) {
        f.SpeedButton12->click();  // "Erweitert"
        PageControlEvents(f.PageControl1).SelectPage(f.TabSheet1);
        EXPECT_TRUE(f.Panel11->isVisible());
        EXPECT_FALSE(f.Panel6->isVisible());
        f.XPButton1->OnClick(f.XPButton1);
        EXPECT_TRUE(f.Memo1->toPlainText().startsWith("  WHERE CLng(datum)"));

        f.Memo1->setPlainText("WHERE Meter > 0");
        f.BitBtn2->click();
        EXPECT_EQ(column("Meter").size(), 3) << "the block row is listed";
        EXPECT_EQ(f.Label10->text(), "11000") << "but only the units are summed";
        EXPECT_EQ(TrainingUnitCount, 2);

        for (const char* memo : {"WHERE 1=1; DELETE FROM daten", "WHERE 1=1; PRAGMA user_version = 5",
                                 "WHERE dat_Id IN (SELECT dat_Id FROM daten); ATTACH DATABASE 'x.db' AS x",
                                 "WHERE Ort = \"x\" UNION SELECT * FROM pragma_table_info('daten')"}) {
            ScriptedAnswers::clear();
            f.Memo1->setPlainText(QString::fromLatin1(memo));
            ScriptedAnswers::pushMessageAnswer(mrOk);
            f.BitBtn2->click();
            EXPECT_EQ(ScriptedAnswers::messages().size(), 1) << memo;
            EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError) << memo;
        }
        EXPECT_EQ(units(), 2);
        EXPECT_EQ(db.value("PRAGMA user_version").toInt(), 0);

        f.XPButton7->OnClick(f.XPButton7);
        EXPECT_TRUE(f.Memo1->toPlainText().endsWith(" and (dat_id > 0)"));
        f.SpeedButton12->click();
        EXPECT_TRUE(f.Panel6->isVisible());
    });
}

TEST_F(PeriodStatisticsTest, CriteriaAndBuilderFillTheCondition)
{
    unit("05.03.2026", 1, 12000, "Köln");
    unit("06.03.2026", 1, 8000, "Köln");
    unit("07.03.2026", 1, 15000, "Bonn");
    start();
    TempFolder dir;
    show([&dir](TZeitNeu& f) {
        f.SpeedButton12->click();
        PageControlEvents(f.PageControl1).SelectPage(f.TabSheet1);
        ScriptedAnswers::onShowModal<TCriteriaDlg>([](TCriteriaDlg& d) {
            const QList<QAction*> fields = d.PopupMenu1->actions();
            QStringList names;
            for (QAction* a : fields)
                names << a->text();
            EXPECT_TRUE(names.contains("Ort"));
            EXPECT_FALSE(names.contains("Tag")) << "no calculated field";
            fields[names.indexOf("Ort")]->trigger();
            EXPECT_EQ(d.Edit1->text(), "Ort");
            d.ComboBox1->setCurrentText("=");
            d.Edit2->setText("Köln");
            d.Button2->click();
            d.Edit1->setText("Meter");
            d.ComboBox1->setCurrentText(">");
            d.Edit2->setText("10000");
            d.Button2->click();
            d.OKBtn->click();
        });
        f.Button3->click();
        EXPECT_EQ(f.Memo1->toPlainText(), "WHERE\nOrt   =   \"Köln\"\nAND Meter   >   \"10000\"");
        f.BitBtn2->click();
        EXPECT_EQ(column("Meter"), QStringList{"12000"});

        // The builder's saved condition, loaded on the SQL page.
        ScriptedAnswers::onShowModal<TfmFilterFrm>([&dir](TfmFilterFrm& b) {
            b.ListBox2->setCurrentRow(0);
            b.ListBox2DblClick(b.ListBox2);
            EXPECT_EQ(b.Memo1->toPlainText(), "") << "no operator into an empty condition";
            b.ListBox1->setCurrentItem(b.ListBox1->findItems("Ort", Qt::MatchExactly).value(0));
            b.ListBox1DblClick(b.ListBox1);
            b.ListBox2->setCurrentRow(2);  // "= "
            b.ListBox2DblClick(b.ListBox2);
            b.Memo1->setPlainText(b.Memo1->toPlainText() + " \"Bonn\"");
            EXPECT_EQ(b.ComboBox1->currentText(), "Ort =  \"Bonn\"");
            ScriptedAnswers::pushFileName(dir.file("bonn.sql"));
            b.SpeedButton2->click();
            b.BitBtn2->click();
            b.BtnClose->click();
        });
        f.Button1->click();
        EXPECT_EQ(f.Memo1->toPlainText(), "WHERE \nOrt =  \"Bonn\"");
        f.Memo1->clear();
        ScriptedAnswers::pushFileName(dir.file("bonn.sql"));
        f.SpeedButton13->OnClick(f.SpeedButton13);
        EXPECT_TRUE(f.Memo1->toPlainText().startsWith("WHERE \n"));
        f.BitBtn2->click();
        EXPECT_EQ(column("Meter"), QStringList{"15000"});
    });
}

// A condition on the time or the distance selects by value, whether the criteria dialog quotes
// it or the user types it: 2 of the 4 units are under an hour, and the blocks' rows (2:15 and
// 2:30 hours, 20 and 25 km) are compared by their sums like the units.
TEST_F(PeriodStatisticsTest, ConditionsOnTimeAndDistanceSelectByValue)
{
    block(1, "Frühjahr");
    block(2, "Sommer");
    const double hour = 1.0 / 24;
    unit("05.03.2026", 1, 12000, "Park", 1, 1, 0.75 * hour);
    unit("06.03.2026", 1, 8000, "Park", 1, 1, 1.5 * hour);
    unit("07.03.2026", 1, 5000, "Park", 1, 2, 0.5 * hour);
    unit("08.03.2026", 1, 20000, "Park", 1, 2, 2 * hour);
    start();
    show([](TZeitNeu& f) {
        f.SpeedButton12->click();
        PageControlEvents(f.PageControl1).SelectPage(f.TabSheet1);
        auto criterion = [&f](const char* field, const char* op, const char* value) {
            ScriptedAnswers::onShowModal<TCriteriaDlg>([=](TCriteriaDlg& d) {
                d.Edit1->setText(field);
                d.ComboBox1->setCurrentText(op);
                d.Edit2->setText(value);
                d.Button2->click();
                d.OKBtn->click();
            });
            f.Button3->click();
            f.BitBtn2->click();
            return column("dat_Id");
        };
        const QStringList underAnHour = criterion("Zeit", "<", "01:00:00");
        EXPECT_EQ(f.Memo1->toPlainText(), "WHERE\nZeit   <   \"01:00:00\"");
        EXPECT_EQ(underAnHour.size(), 2) << underAnHour.join(',').toStdString();
        ScriptedAnswers::onShowModal<TInfos>([](TInfos& box) {
            EXPECT_EQ(box.Label10->text(), "2");  // "Anzahl der Einheiten"
            EXPECT_EQ(box.Label7->text(), "17000");
            box.Button1->click();
        });
        f.SpeedButton11->click();
        for (const char* typed : {"WHERE Zeit < \"01:00:00\"", "WHERE Zeit < '01:00'", "WHERE Zeit < #01:00:00#"}) {
            f.Memo1->setPlainText(QString::fromLatin1(typed));
            f.BitBtn2->click();
            EXPECT_EQ(column("dat_Id"), underAnHour) << typed;
        }
        const QStringList longer = criterion("Meter", ">", "10000");
        EXPECT_EQ(longer.size(), 4) << "two units and both blocks: " << longer.join(',').toStdString();
        EXPECT_TRUE(longer.contains("-1") && longer.contains("-2"));

        // A value that is no time is the database's error, not an empty or full list.
        f.Memo1->setPlainText("WHERE Zeit < \"eine Stunde\"");
        ScriptedAnswers::pushMessageAnswer(mrOk);
        f.BitBtn2->click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    });
}

TEST_F(PeriodStatisticsTest, BuilderListsAddWithTheKeyboard)
{
    unit("05.03.2026", 1, 12000, "Köln");
    start();
    show([](TZeitNeu& f) {
        f.SpeedButton12->click();
        PageControlEvents(f.PageControl1).SelectPage(f.TabSheet1);
        f.Memo1->setPlainText("WHERE Meter > 0");
        ScriptedAnswers::onShowModal<TfmFilterFrm>([](TfmFilterFrm& b) {
            auto enter = [](QWidget* list, Qt::Key key) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QApplication::sendEvent(list, &press);
            };
            b.ListBox1->setCurrentItem(b.ListBox1->findItems("Ort", Qt::MatchExactly).value(0));
            enter(b.ListBox1, Qt::Key_Return);
            b.ListBox2->setCurrentRow(2);  // "= "
            enter(b.ListBox2, Qt::Key_Enter);
            EXPECT_EQ(b.Memo1->toPlainText(), "Ort = ");
            b.BtnClose->click();
        });
        f.Button1->click();
        EXPECT_EQ(f.Memo1->toPlainText(), "WHERE Meter > 0") << "Return adds to the condition, it assigns nothing";
    });
}

TEST_F(PeriodStatisticsTest, ColumnViewsAreSavedAndRestored)
{
    unit("05.03.2026", 1, 5000);
    start();
    show([](TZeitNeu& f) {
        f.SpeedButton12->click();  // the page "Felder" is the active one
        EXPECT_EQ(f.CheckListBox3->count(), 29);
        EXPECT_EQ(f.CheckListBox3->item(0)->text(), "Datum");
        tick(f.CheckListBox3, "Wetter", false);
        int wetter = -1;
        for (int i = 0; i < f.DBGrid1->Columns().Count(); ++i)
            if (f.DBGrid1->Columns()[i]->FieldName() == "Wetter")
                wetter = i;
        EXPECT_FALSE(f.DBGrid1->Columns()[wetter]->Visible());
        f.DBGrid1->MoveColumn(5, 1);  // "Ort" dragged to the front
        EXPECT_EQ(f.CheckListBox3->item(0)->text(), "Ort") << "the list follows the grid";
        f.DBGrid1->Columns()[1]->SetWidth(120);
        ScriptedAnswers::pushFileName(QDir(ColumnViewDir()).filePath("lang.co5"));
        f.Button4->click();
        EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << "saved where the list finds it";
    });
    FinishProgram();
    start();
    show([](TZeitNeu& f) {
        EXPECT_EQ(f.DBGrid1->Columns()[1]->FieldName(), "Datum") << "a new window starts with every column";
        f.ComboBox3DropDown(f.ComboBox3);
        ASSERT_EQ(f.ComboBox3->findText("lang.co5"), 1);
        f.ComboBox3->setCurrentIndex(1);
        f.ComboBox3->Change();
        TDBGridColumns& cols = f.DBGrid1->Columns();
        EXPECT_EQ(cols[0]->FieldName(), "dat_Id");
        EXPECT_FALSE(cols[0]->Visible());
        EXPECT_EQ(cols[1]->FieldName(), "Ort");
        EXPECT_EQ(cols[1]->Width(), 120);
        EXPECT_EQ(cols[2]->FieldName(), "Datum");
        EXPECT_EQ(f.CheckListBox3->item(0)->text(), "Ort");
        QStringList hidden;
        for (int i = 1; i < cols.Count(); ++i)
            if (!cols[i]->Visible())
                hidden << cols[i]->FieldName();
        EXPECT_EQ(hidden, QStringList{"Wetter"});

        f.ComboBox3->setCurrentIndex(0);  // "Standard"
        f.ComboBox3->Change();
        EXPECT_TRUE(cols[16]->Visible());
        EXPECT_EQ(cols[1]->FieldName(), "Ort") << "the loaded order stays";

        // A file that is no view: error box, the columns stay.
        QFile bad(QDir(ColumnViewDir()).filePath("kaputt.co5"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("TPF0 alt");
        bad.close();
        ScriptedAnswers::pushFileName(bad.fileName());
        ScriptedAnswers::pushMessageAnswer(mrOk);
        f.Button6->click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
        EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.contains("kaputt.co5"));
        EXPECT_EQ(cols[1]->FieldName(), "Ort");

        // Saved outside the views' folder: the warning, then the file.
        TempFolder elsewhere;
        ScriptedAnswers::pushFileName(elsewhere.file("woanders.co5"));
        ScriptedAnswers::pushMessageAnswer(mrOk);
        f.Button4->click();
        EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.startsWith("Die *.co5 Datei"));
        EXPECT_TRUE(QFile::exists(elsewhere.file("woanders.co5")));
    });
}

TEST_F(PeriodStatisticsTest, OpeningARowShowsItsUnitOrItsBlock)
{
    block(1, "Frühjahr");
    block(2, "Sommer");
    unit("05.03.2026", 1, 5000, "Park", 1, 1);
    unit("06.07.2026", 1, 6000, "See", 1, 2);
    start();
    QObject* sender = nullptr;
    int blockShown = -1;
    MainForm->Action17->OnExecute = [&](QObject* s) {
        sender = s;
        blockShown = orvServer->trainblockman.FieldByName("trb_id")->AsInteger();
    };
    show([&](TZeitNeu& f) {
        f.CheckBox1->click();
        ASSERT_TRUE(result().Locate("dat_Id", -1));
        f.SpeedButton10->click();
        EXPECT_EQ(blockShown, 1);
        EXPECT_EQ(sender, f.XPButton3) << "a flat button keeps the block current";
        EXPECT_TRUE(f.isVisible());
        EXPECT_TRUE(result().Active()) << "read again after the manager";

        ASSERT_TRUE(result().Locate("Ort", "See"));
        f.SpeedButton10->click();
        EXPECT_EQ(f.ModalResult(), mrCancel) << "the window closes";
    });
    EXPECT_EQ(orvServer->daten.FieldByName("Meter")->AsInteger(), 6000) << "the unit is the current one";

    show([](TZeitNeu& f) {
        tickOnly(f.CheckListBox2, {});
        ScriptedAnswers::pushMessageAnswer(mrOk);
        f.SpeedButton10->click();
        EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Kein Datensatz ausgewählt.");
    });
}

TEST_F(PeriodStatisticsTest, ListsFollowAnotherDatabase)
{
    unit("05.03.2026", 1, 5000);
    start();
    show([](TZeitNeu& f) { tick(f.CheckListBox2, "Radfahren", false); });

    AthleteDatabase other("anderer.orv");
    other.exec("UPDATE sportart SET Spo_Name = 'Bergsteigen' WHERE Spo_Id = 2");
    other.exec("INSERT INTO daten (Datum, Form, Meter, Sportart, trainingsblock) VALUES (46090, 1, 3000, 2, 1)");
    ScriptedAnswers::pushFileName(other.path());
    MainForm->FileOpen1->Execute();
    ASSERT_EQ(orvServer->DatabasePath(), other.path());
    show([](TZeitNeu& f) {
        QStringList names;
        for (int i = 0; i < f.CheckListBox2->count(); ++i)
            names << f.CheckListBox2->item(i)->text();
        EXPECT_TRUE(names.contains("Bergsteigen"));
        EXPECT_FALSE(names.contains("Radfahren"));
        EXPECT_EQ(column("Meter"), QStringList{"3000"}) << "the other athlete's units";
    });
}

namespace {

// Every text a user reads in a window: title, labels, buttons, tool-tips, list and combo items,
// page titles, by object name.
QMap<QString, QString> textsOf(QWidget* window)
{
    QMap<QString, QString> texts;
    const QString root = window->objectName() + QLatin1Char('/');
    auto add = [&texts, &root](const QString& key, const QString& text) {
        if (text.contains(QRegularExpression(QStringLiteral("\\p{L}"))))
            texts.insert(root + key, text);
    };
    add(QStringLiteral("title"), window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString key = w->objectName();
        if (key.isEmpty() || key.startsWith(QLatin1String("qt_")))
            continue;
        add(key + ".hint", w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w))
            add(key, l->text());
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            add(key, b->text());
        else if (auto* x = qobject_cast<TXPButton*>(w))
            add(key, x->Caption());
        else if (auto* c = qobject_cast<QComboBox*>(w); c && !c->isEditable())
            continue;  // lists of the data (views)
        else if (c)
            for (int i = 0; i < c->count(); ++i)
                add(key + QString::number(i), c->itemText(i));
        else if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                add(key + QString::number(i), t->tabText(i));
    }
    return texts;
}

}  // namespace

TEST_F(PeriodStatisticsTest, EveryTextReadsInEnglish)
{
    auto run = [this](const QStringList& params) {
        QMap<QString, QString> texts;
        StartProgram(params);
        if (!eingabe->isVisible()) {
            ScriptedAnswers::pushFileName(db.path());
            MainForm->FileOpen1->Execute();
        }
        show([&texts](TZeitNeu& f) {
            texts.insert(textsOf(&f));
            ScriptedAnswers::onShowModal<TCriteriaDlg>([&texts](TCriteriaDlg& d) {
                texts.insert(textsOf(&d));
                d.CancelBtn->click();
            });
            f.Button3->click();
            ScriptedAnswers::onShowModal<TfmFilterFrm>([&texts](TfmFilterFrm& b) {
                texts.insert(textsOf(&b));
                b.BtnClose->click();
            });
            f.Button1->click();
            ScriptedAnswers::onShowModal<TInfos>([&texts](TInfos& box) {
                texts.insert(textsOf(&box));
                box.Button1->click();
            });
            f.SpeedButton11->click();
            if (f.ComboBox1->itemText(0) == "Date") {
                // The English captions sort as the German ones do.
                type(f.ComboBox1, "Distance DESC");
                EXPECT_TRUE(f.QuickSQL.endsWith("ORDER BY Meter DESC, Startzeit")) << f.QuickSQL.toStdString();
            }
        });
        FinishProgram();
        SetLanguageModule(nullptr);
        return texts;
    };
    const QMap<QString, QString> german = run({db.path()});
    const QMap<QString, QString> english = run({"egal.orv", "en"});
    EXPECT_EQ(german.keys(), english.keys());
    // Words the same in both languages, figures and SQL text.
    const QStringList same = {"OK", "Form", "SQL", "Export", "SQL - Builder", "Temp.", "Doubleclick to add",
                              "Double-click to add", "n/a", "0 km", "SELECT * ", "id>0"};
    QStringList untranslated;
    for (auto it = german.cbegin(); it != german.cend(); ++it)
        if (english.value(it.key()) == it.value() && !same.contains(it.value()) &&
            !it.key().startsWith("TfmFilterFrm/ComboBox1"))
            untranslated << it.key() + " = " + it.value();
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join('\n').toStdString();
    EXPECT_EQ(english.value("TZeitNeu/title"), "Period statistics");
}

TEST_F(PeriodStatisticsTest, TabReachesEveryFieldAndTypedDatesRunTheQuery)
{
    unit("05.03.2026", 1, 5000);
    unit("05.06.2026", 1, 6000);
    start();
    show([](TZeitNeu& f) {
        QApplication::setActiveWindow(&f);
        f.SpeedButton12->click();
        PageControlEvents(f.PageControl1).SelectPage(f.TabSheet1);  // the SQL page in force
        QList<QWidget*> reached = tabRound(f.CheckBox1);
        for (QWidget* w : std::initializer_list<QWidget*>{f.Memo1, f.BitBtn2, f.Button3, f.Button1})
            EXPECT_TRUE(reached.contains(w)) << w->objectName().toStdString();

        f.SpeedButton12->click();  // settings in force again
        reached = tabRound(f.CheckBox1);
        for (QWidget* w : std::initializer_list<QWidget*>{f.CheckBox1, f.ComboBox1->lineEdit(), f.ComboBox2->lineEdit(),
                                                          f.CheckListBox2, f.CheckListBox1, f.DateTimePicker1,
                                                          f.DateTimePicker2, f.DBGrid1})
            EXPECT_TRUE(reached.contains(w) || reached.contains(w->parentWidget())) << w->objectName().toStdString();

        // A typed first day runs the query as soon as the date is complete.
        f.DateTimePicker1->setFocus();
        for (QChar c : QStringLiteral("01042026")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + c.digitValue(), Qt::NoModifier, QString(c));
            QApplication::sendEvent(f.DateTimePicker1, &press);
        }
        EXPECT_TRUE(f.QuickWhere.contains("\"01.04.2026\"")) << f.QuickWhere.toStdString();
        EXPECT_EQ(column("Meter"), QStringList{"6000"});
    });
}
