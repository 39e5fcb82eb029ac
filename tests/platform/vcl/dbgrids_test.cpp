// The data-aware grid over a real table: scrolling moves the dataset, cells are edited through
// the dataset's rules, pick lists and lookup fields write what the user chose.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>

#include <sqlite3.h>

#include "platform/db/connection.h"
#include "platform/db/datasource.h"
#include "platform/db/dbfilter.h"
#include "platform/db/table.h"
#include "platform/rtl/application.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/testhooks.h"
#include "tests/support/testenv.h"

namespace {

class DBGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = tmp.file("grid.orv");
        QString sql = "CREATE TABLE daten (dat_Id INTEGER PRIMARY KEY, Ort VARCHAR(30) COLLATE NOCASE,"
                      " Meter INTEGER, Sportart INTEGER);"
                      "CREATE TABLE sportart (Spo_Id INTEGER, Spo_Name VARCHAR(20) COLLATE NOCASE);"
                      "INSERT INTO sportart VALUES (1, 'Laufen'), (2, 'Radfahren'), (3, 'Schwimmen');";
        for (int i = 1; i <= 50; ++i)
            sql += QString("INSERT INTO daten VALUES (%1, 'Ort%1', %2, %3);").arg(i).arg(i * 100).arg(i % 2 + 1);
        exec(sql);
        conn.Open(file);

        sport.SetConnection(&conn);
        sport.SetTableName("sportart");
        sport.Open();
        daten.SetConnection(&conn);
        daten.SetTableName("daten");
        daten.SetIndexFieldNames("dat_Id");
        daten.AddField("dat_Id", ftAutoInc);
        daten.AddField("Ort", ftString, 30);
        daten.AddField("Meter", ftInteger);
        daten.AddField("Sportart", ftInteger);
        daten.AddLookupField("Sport", ftString, 20, &sport, "Sportart", "Spo_Id", "Spo_Name");
        daten.Open();
        src.SetDataSet(&daten);

        grid.setFrameShape(QFrame::NoFrame);
        grid.resize(500, 200);
        grid.SetDataSource(&src);
        grid.show();
        QApplication::processEvents();
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
    QString stored(const QString& sql)
    {
        sqlite3* db = nullptr;
        sqlite3_open(file.toUtf8().constData(), &db);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
        QString v;
        if (sqlite3_step(st) == SQLITE_ROW)
            v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        sqlite3_close(db);
        return v;
    }
    // Events go through the application as the event loop would deliver them, so an exception
    // reaches the error box.
    void key(QWidget* target, int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, k, mods, text);
        QApplication::instance()->notify(target, &press);
    }
    void type(QWidget* target, const QString& text)
    {
        for (QChar c : text)
            key(target, c.isDigit() ? Qt::Key_0 + c.digitValue() : Qt::Key_A, Qt::NoModifier, QString(c));
    }
    void click(QPoint p)
    {
        for (auto t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(t, QPointF(p), QPointF(grid.viewport()->mapToGlobal(p)), Qt::LeftButton,
                          t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::instance()->notify(grid.viewport(), &e);
        }
    }
    // The texts drawn in one column, top to bottom, read by OnDrawColumnCell.
    QStringList drawnColumn(const QString& fieldName)
    {
        QStringList texts;
        grid.OnDrawColumnCell = [&](QObject*, const QRect&, int, TColumn* c, TGridDrawState) {
            if (c->FieldName() == fieldName)
                texts << c->Field()->DisplayText();
        };
        QImage img(grid.viewport()->size(), QImage::Format_ARGB32);
        grid.viewport()->render(&img);
        grid.OnDrawColumnCell = nullptr;
        return texts;
    }
    int colOf(const QString& fieldName)
    {
        for (int c = 0; c < grid.ColCount(); ++c)
            if (grid.FixedCols() <= c && grid.Columns()[c - grid.FixedCols()]->FieldName() == fieldName)
                return c;
        return -1;
    }

    TempFolder tmp;
    QString file;
    TConnection conn;
    TTable sport;
    TTable daten;
    TDataSource src;
    TDBGrid grid;
    QStringList errors;
    ExceptionPresenter previousPresenter;
};

TEST_F(DBGridTest, ShowsTheWindowOfRowsAndScrollingMovesTheDataset)
{
    EXPECT_EQ(grid.Columns().Count(), 5);
    EXPECT_EQ(grid.Columns().State(), csDefault);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.FixedRows(), 1);
    const int rows = grid.RowCount() - 1;
    ASSERT_GE(rows, 3);
    ASSERT_LT(rows, 50);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(drawnColumn("Ort").mid(0, 3), (QStringList{"Ort1", "Ort2", "Ort3"}));
    EXPECT_EQ(drawnColumn("Sport").mid(0, 2), (QStringList{"Radfahren", "Laufen"})) << "lookup fields show their text";

    key(&grid, Qt::Key_Down);
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(daten.RecNo(), 3);
    EXPECT_EQ(grid.Row(), 3);
    key(&grid, Qt::Key_PageDown);
    EXPECT_EQ(daten.RecNo(), 3 + grid.VisibleRowCount());
    EXPECT_EQ(drawnColumn("Ort").value(grid.Row() - 1), QString("Ort%1").arg(daten.RecNo()))
        << "the grid's current row shows the current record";

    // The scroll bar stands for the dataset's rows.
    QScrollBar* bar = grid.verticalScrollBar();
    EXPECT_EQ(bar->maximum(), 49);
    EXPECT_EQ(bar->value(), daten.RecNo() - 1);
    bar->setValue(30);
    EXPECT_EQ(daten.RecNo(), 31);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Ort31");

    key(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(daten.RecNo(), 50);
    EXPECT_EQ(grid.Row(), grid.RowCount() - 1);
    QStringList expected;
    for (int i = 51 - rows; i <= 50; ++i)
        expected << QString("Ort%1").arg(i);
    EXPECT_EQ(drawnColumn("Ort"), expected) << "only the window's rows are drawn";
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Ort50") << "painting puts the current record back";

    // A click on a row makes its record current.
    click(grid.CellRect(colOf("Meter"), 1).center());
    EXPECT_EQ(daten.RecNo(), 51 - rows);
    EXPECT_EQ(grid.SelectedField()->FieldName(), "Meter");
    key(&grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(daten.RecNo(), 1);
    EXPECT_EQ(grid.Row(), 1);

    // Moving the dataset from outside moves the grid's current row.
    daten.MoveBy(2);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(DBGridTest, EditingACellPostsThroughTheDatasetRules)
{
    grid.setFocus();
    grid.SetCol(colOf("Ort"));
    type(&grid, "X");
    ASSERT_TRUE(grid.EditorMode());
    type(grid.InplaceEditor(), "y");
    EXPECT_EQ(grid.InplaceEditor()->text(), "Xy");
    key(grid.InplaceEditor(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(daten.State(), dsEdit);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Xy");
    EXPECT_EQ(stored("SELECT Ort FROM daten WHERE dat_Id = 1"), "Ort1");
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(daten.State(), dsBrowse);
    EXPECT_EQ(daten.RecNo(), 2);
    EXPECT_EQ(stored("SELECT Ort FROM daten WHERE dat_Id = 1"), "Xy") << "moving on posted the row";

    // A value the field refuses keeps the editor open with what was typed.
    daten.FieldByName("Meter")->OnValidate = [](TField* f) {
        if (f->AsInteger() < 0)
            throw EDatabaseError("Meter dürfen nicht negativ sein");
    };
    grid.SetCol(colOf("Meter"));
    key(&grid, Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->text(), "200");
    grid.InplaceEditor()->selectAll();
    type(grid.InplaceEditor(), "-5");
    key(grid.InplaceEditor(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(errors, QStringList{"Meter dürfen nicht negativ sein"});
    EXPECT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->text(), "-5");
    // Escape leaves the editor, a second one cancels the record.
    key(grid.InplaceEditor(), Qt::Key_Escape);
    EXPECT_FALSE(grid.EditorMode());
    key(&grid, Qt::Key_Escape);
    EXPECT_EQ(daten.State(), dsBrowse);
    EXPECT_EQ(daten.FieldByName("Meter")->AsInteger(), 200);

    // A number cell takes no letter; text that is no number all the same (pasted) is refused by
    // the field's conversion.
    errors.clear();
    key(&grid, Qt::Key_F2);
    grid.InplaceEditor()->selectAll();
    type(grid.InplaceEditor(), "a");
    EXPECT_EQ(grid.InplaceEditor()->text(), "200");
    grid.InplaceEditor()->setText(QStringLiteral("2a"));
    grid.InplaceEditor()->setModified(true);
    key(grid.InplaceEditor(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(grid.EditorMode());
    key(grid.InplaceEditor(), Qt::Key_Escape);
    key(&grid, Qt::Key_Escape);

    // A read-only grid opens no editor.
    grid.SetReadOnly(true);
    key(&grid, Qt::Key_F2);
    EXPECT_FALSE(grid.EditorMode());
}

TEST_F(DBGridTest, PickListAndLookupFieldWriteTheChosenText)
{
    grid.Columns().Add()->SetFieldName("Ort");
    TColumn* sportCol = grid.Columns().Add();
    sportCol->SetFieldName("Sport");
    sportCol->Title().SetCaption("Sportart");
    grid.Columns()[0]->SetPickList({"Berlin", "Hamburg", "München"});
    EXPECT_EQ(grid.Columns().State(), csCustomized);
    EXPECT_EQ(grid.ColCount(), 3);
    grid.setFocus();

    key(&grid, Qt::Key_F2);
    auto* ed = qobject_cast<TInplaceEditList*>(grid.InplaceEditor());
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->EditStyle(), TInplaceEditList::esPickList);
    key(ed, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(ed->ListVisible());
    ed->PickListBox()->setCurrentRow(1);
    key(ed->PickListBox(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(ed->ListVisible());
    EXPECT_EQ(ed->text(), "Hamburg");
    EXPECT_TRUE(grid.EditorMode());
    key(ed, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Hamburg");
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(stored("SELECT Ort FROM daten WHERE dat_Id = 1"), "Hamburg");

    // The lookup column lists the lookup table and writes the chosen entry's key.
    key(&grid, Qt::Key_Tab);
    EXPECT_EQ(grid.SelectedField()->FieldName(), "Sport");
    key(&grid, Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(ed->PickList(), (QStringList{"Laufen", "Radfahren", "Schwimmen"}));
    EXPECT_EQ(ed->text(), "Laufen");
    ed->DropDown();
    ed->PickListBox()->setCurrentRow(2);
    key(ed->PickListBox(), Qt::Key_Return, Qt::NoModifier, "\r");
    key(ed, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(daten.FieldByName("Sportart")->AsInteger(), 3);
    EXPECT_EQ(daten.FieldByName("Sport")->AsString(), "Schwimmen");
    key(&grid, Qt::Key_Up);
    EXPECT_EQ(stored("SELECT Sportart FROM daten WHERE dat_Id = 2"), "3");

    // What is typed completes to the first entry beginning with it; a character no entry goes on
    // with is refused.
    key(&grid, Qt::Key_Down);
    key(&grid, Qt::Key_F2);
    ed->selectAll();
    type(ed, "rx");
    EXPECT_EQ(ed->text(), "Radfahren");
    EXPECT_EQ(ed->selectedText(), "adfahren");
    type(ed, "T");
    EXPECT_EQ(ed->text(), "Radfahren");
    key(ed, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(daten.FieldByName("Sportart")->AsInteger(), 2);

    // A text that is not in the lookup list (pasted) is refused and the key kept.
    key(&grid, Qt::Key_F2);
    ed->setText(QStringLiteral("Tauchen"));
    ed->setModified(true);
    key(ed, Qt::Key_Return, Qt::NoModifier, "\r");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("Tauchen"));
    EXPECT_EQ(daten.FieldByName("Sportart")->AsInteger(), 2);
}

TEST_F(DBGridTest, LookupColumnOffersAndTakesOnlyTheRowsItsConditionAccepts)
{
    InstallDataSetFilters();
    daten.Close();
    daten.FieldByName("Sport")->SetCustomConstraint("Spo_Id <> 2");
    daten.Open();
    grid.setFocus();
    grid.SetCol(colOf("Sport"));
    key(&grid, Qt::Key_F2);
    auto* ed = qobject_cast<TInplaceEditList*>(grid.InplaceEditor());
    ASSERT_NE(ed, nullptr);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(ed->PickList(), (QStringList{"Laufen", "Schwimmen"}));
    EXPECT_EQ(ed->text(), "");  // the row's key 2 names a refused row
    EXPECT_EQ(sport.RecNo(), 1) << "reading the list did not move the lookup table";

    // A text of a refused row is no valid entry, although the lookup table holds it: typing it
    // gets nowhere, and set all the same it is refused.
    ed->selectAll();
    type(ed, "Radfahren");
    EXPECT_EQ(ed->text(), "");
    ed->setText(QStringLiteral("Radfahren"));
    ed->setModified(true);
    key(ed, Qt::Key_Return, Qt::NoModifier, "\r");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("Radfahren"));
    EXPECT_EQ(daten.FieldByName("Sportart")->AsInteger(), 2);

    ed->selectAll();
    type(ed, "schwimmen");
    key(ed, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(daten.FieldByName("Sportart")->AsInteger(), 3);
    EXPECT_EQ(daten.FieldByName("Sport")->AsString(), "Schwimmen");
}

TEST_F(DBGridTest, OptionsTitlesAndClicks)
{
    std::vector<QString> titles, cells;
    grid.OnTitleClick = [&](TColumn* c) { titles.push_back(c->FieldName()); };
    grid.OnCellClick = [&](TColumn* c) { cells.push_back(c->FieldName()); };
    click(grid.CellRect(colOf("Ort"), 0).center());
    click(grid.CellRect(colOf("Meter"), 2).center());
    EXPECT_EQ(titles, std::vector<QString>{"Ort"});
    EXPECT_EQ(cells, std::vector<QString>{"Meter"});
    EXPECT_EQ(daten.RecNo(), 2);

    grid.SetOptions(grid.Options() & ~TDBGridOptions(dgIndicator | dgTitles));
    EXPECT_EQ(grid.FixedCols(), 0);
    EXPECT_EQ(grid.FixedRows(), 0);
    EXPECT_EQ(grid.Row(), 1) << "the current record keeps its place in the window";
    EXPECT_EQ(drawnColumn("Ort").first(), "Ort1");

    grid.SetOptions(grid.Options() | dgRowSelect | dgAlwaysShowSelection);
    const TGridRect sel = grid.Selection();
    EXPECT_EQ(sel.Left, 0);
    EXPECT_EQ(sel.Right, grid.ColCount() - 1);

    // Hidden columns leave the grid; a user's column drag reorders the columns.
    grid.Columns()[0]->SetVisible(false);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.Columns().State(), csDefault);

    QDir().mkpath("/tmp/grid-shots");
    grid.SetOptions(grid.Options() | dgIndicator | dgTitles);
    QImage img(grid.viewport()->size(), QImage::Format_ARGB32);
    grid.viewport()->render(&img);
    EXPECT_TRUE(img.save("/tmp/grid-shots/dbgrid.png"));

    // What the picture shows: the current record's row highlighted over all its columns, the
    // indicator's arrow in that row only, numbers right-aligned, the titles on the fixed colour.
    const auto inkIn = [&](const QRect& r, const QColor& background) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += img.pixelColor(x, y) != background;
        return n;
    };
    const auto shownCol = [&](const QString& field) {  // the grid column, past the hidden one
        int c = grid.FixedCols();
        for (int i = 0; i < grid.Columns().Count(); ++i) {
            if (!grid.Columns()[i]->Visible())
                continue;
            if (grid.Columns()[i]->FieldName() == field)
                return c;
            ++c;
        }
        return -1;
    };
    const int current = grid.Row();
    const QColor highlight = grid.palette().color(QPalette::Highlight);
    for (const char* field : {"Ort", "Meter", "Sport"}) {
        EXPECT_EQ(img.pixelColor(grid.CellRect(shownCol(field), current).topLeft() + QPoint(1, 1)), highlight) << field;
        EXPECT_EQ(img.pixelColor(grid.CellRect(shownCol(field), current + 1).topLeft() + QPoint(1, 1)), grid.Color())
            << field;
    }
    const QRect arrowHere = grid.CellRect(0, current).adjusted(1, 1, -1, -1);
    const QRect noArrow = grid.CellRect(0, current + 1).adjusted(1, 1, -1, -1);
    EXPECT_GT(inkIn(arrowHere, grid.FixedColor()), 0);
    EXPECT_EQ(inkIn(noArrow, grid.FixedColor()), 0);
    QRect meter = grid.CellRect(shownCol("Meter"), current + 1).adjusted(1, 1, -1, -1);
    EXPECT_EQ(inkIn(meter.adjusted(0, 0, -meter.width() / 2, 0), grid.Color()), 0) << "nothing in the left half";
    EXPECT_GT(inkIn(meter.adjusted(meter.width() / 2, 0, 0, 0), grid.Color()), 0);
    EXPECT_EQ(img.pixelColor(grid.CellRect(shownCol("Ort"), 0).topLeft() + QPoint(1, 1)), grid.FixedColor());
    EXPECT_GT(inkIn(grid.CellRect(shownCol("Ort"), 0).adjusted(1, 1, -1, -1), grid.FixedColor()), 0) << "the title";
}

TEST_F(DBGridTest, DownAtTheLastRecordAppendsAndAnUntouchedNewRecordIsDropped)
{
    grid.setFocus();
    grid.SetCol(colOf("Ort"));
    key(&grid, Qt::Key_End, Qt::ControlModifier);
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(daten.State(), dsInsert);
    EXPECT_EQ(grid.Row(), grid.RowCount() - 1) << "the new record is the grid's last row";
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(daten.State(), dsInsert) << "an empty new record at the end is not appended twice";
    key(&grid, Qt::Key_Up);
    EXPECT_EQ(daten.State(), dsBrowse) << "Up drops the empty new record";
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Ort50");
    EXPECT_EQ(stored("SELECT COUNT(*) FROM daten"), "50");

    // A filled-in new record is posted by Down, which appends the next one.
    key(&grid, Qt::Key_Down);
    type(&grid, "N");
    key(grid.InplaceEditor(), Qt::Key_Down);
    EXPECT_EQ(stored("SELECT Ort FROM daten WHERE dat_Id = 51"), "N");
    EXPECT_EQ(daten.State(), dsInsert);
    key(&grid, Qt::Key_Up);
    EXPECT_EQ(daten.State(), dsBrowse);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM daten"), "51");

    // An inserted record in between is dropped by Down, which then moves nowhere.
    key(&grid, Qt::Key_Home, Qt::ControlModifier);
    key(&grid, Qt::Key_Insert);
    ASSERT_EQ(daten.State(), dsInsert);
    key(&grid, Qt::Key_Down);
    EXPECT_EQ(daten.State(), dsBrowse);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Ort1");

    // Without editing, or read-only, Down at the end stays on the last record.
    for (int variant = 0; variant < 2; ++variant) {
        grid.SetReadOnly(variant == 0);
        grid.SetOptions(variant == 0 ? grid.Options() : grid.Options() & ~TDBGridOptions(dgEditing));
        key(&grid, Qt::Key_End, Qt::ControlModifier);
        key(&grid, Qt::Key_Down);
        EXPECT_EQ(daten.State(), dsBrowse) << variant;
        EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "N") << variant;
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(DBGridTest, LeavingTheGridDropsAnUntouchedNewRecordWithCancelOnExit)
{
    QWidget host;
    QLineEdit other(&host);
    grid.setParent(&host);
    struct Unparent {
        TDBGrid& g;
        ~Unparent() { g.setParent(nullptr); }
    } unparent{grid};
    host.show();
    host.activateWindow();
    QApplication::processEvents();
    grid.setFocus();
    ASSERT_TRUE(grid.hasFocus());
    grid.SetCol(colOf("Ort"));
    daten.MoveBy(4);

    key(&grid, Qt::Key_Insert);
    ASSERT_EQ(daten.State(), dsInsert);
    other.setFocus();
    EXPECT_EQ(daten.State(), dsBrowse) << "the untouched new record is dropped";
    EXPECT_EQ(daten.RecNo(), 5);

    // What the editor holds is kept: written into the field, the record stays open.
    grid.setFocus();
    key(&grid, Qt::Key_Insert);
    type(&grid, "N");
    type(grid.InplaceEditor(), "eu");
    ASSERT_TRUE(grid.InplaceEditor()->hasFocus());
    other.setFocus();
    EXPECT_EQ(daten.State(), dsInsert);
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Neu");
    daten.Cancel();

    // Without the option the new record waits for the user.
    grid.SetOptions(grid.Options() & ~TDBGridOptions(dgCancelOnExit));
    grid.setFocus();
    key(&grid, Qt::Key_Insert);
    other.setFocus();
    EXPECT_EQ(daten.State(), dsInsert);
    daten.Cancel();
    EXPECT_EQ(stored("SELECT COUNT(*) FROM daten"), "50");
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
}

TEST_F(DBGridTest, CtrlDeleteAsksBeforeDeletingWithConfirmDelete)
{
    ScriptedAnswers::clear();
    grid.setFocus();
    ScriptedAnswers::pushMessageAnswer(mrCancel);
    key(&grid, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    const RecordedMessage box = ScriptedAnswers::lastMessage();
    EXPECT_EQ(box.Text, "Datensatz löschen?");
    EXPECT_EQ(box.Type, mtConfirmation);
    EXPECT_EQ(box.Buttons, mbOKCancel);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM daten"), "50") << "Abbrechen keeps the record";

    ScriptedAnswers::pushMessageAnswer(mrOk);
    key(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM daten WHERE dat_Id = 1"), "0");
    EXPECT_EQ(daten.FieldByName("Ort")->AsString(), "Ort2");

    grid.SetOptions(grid.Options() & ~TDBGridOptions(dgConfirmDelete));
    key(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(ScriptedAnswers::messages().size(), 2) << "without dgConfirmDelete no box is shown";
    EXPECT_EQ(stored("SELECT COUNT(*) FROM daten"), "48");

    // Delete without Ctrl, or in a read-only grid, deletes nothing.
    key(&grid, Qt::Key_Delete);
    grid.SetReadOnly(true);
    key(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(stored("SELECT COUNT(*) FROM daten"), "48");
    EXPECT_EQ(ScriptedAnswers::unusedAnswers(), QStringList());
    ScriptedAnswers::clear();
}

TEST_F(DBGridTest, ARowSelectingGridShowsNoSelectionBarWithoutARecord)
{
    grid.SetOptions(grid.Options() | dgRowSelect);
    grid.setFocus();
    QApplication::setActiveWindow(&grid);
    const QColor highlight = grid.palette().color(QPalette::Highlight);
    // Pixels of the selection colour in the first data row.
    auto selected = [&] {
        QImage img(grid.viewport()->size(), QImage::Format_ARGB32);
        grid.viewport()->render(&img);
        const QRect row = grid.CellRect(grid.FixedCols(), 1).united(grid.CellRect(grid.ColCount() - 1, 1));
        int n = 0;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = std::max(0, row.left()); x <= std::min(img.width() - 1, row.right()); ++x)
                n += img.pixelColor(x, y) == highlight;
        return n;
    };
    ASSERT_GT(selected(), 0);  // a record's row is drawn selected
    daten.Close();
    exec("DELETE FROM daten");
    daten.Open();
    ASSERT_TRUE(daten.IsEmpty());
    EXPECT_EQ(selected(), 0);
}

TEST_F(DBGridTest, ABlobColumnIsEditedOnlyThroughItsButton)
{
    exec("CREATE TABLE bilder (id INTEGER PRIMARY KEY, bild BLOB); INSERT INTO bilder VALUES (1, x'424D00');");
    TTable pictures;
    pictures.SetConnection(&conn);
    pictures.SetTableName("bilder");
    pictures.AddField("id", ftInteger);
    pictures.AddField("bild", ftBlob);
    pictures.Open();
    TDataSource source;
    source.SetDataSet(&pictures);
    TDBGrid g;
    g.resize(300, 100);
    g.SetDataSource(&source);
    g.Columns().Add()->SetFieldName("id");
    TColumn* picture = g.Columns().Add();
    picture->SetFieldName("bild");
    int clicks = 0;
    g.OnEditButtonClick = [&](QObject*) { ++clicks; };
    g.show();
    QApplication::processEvents();

    // Without a button the blob cell gets no editor; with one the editor offers only the button.
    g.SetSelectedIndex(1);
    g.ShowEditor();
    EXPECT_FALSE(g.EditorMode());
    picture->SetButtonStyle(cbsEllipsis);
    g.ShowEditor();
    ASSERT_TRUE(g.EditorMode());
    EXPECT_TRUE(g.InplaceEditor()->isReadOnly());
    key(g.InplaceEditor(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(clicks, 1);
    g.HideEditor();
    EXPECT_EQ(pictures.State(), dsBrowse);
    EXPECT_EQ(pictures.FieldByName("bild")->AsBytes(), QByteArray("BM\0", 3));
    // The other columns still edit as text.
    g.SetSelectedIndex(0);
    g.ShowEditor();
    ASSERT_TRUE(g.EditorMode());
    EXPECT_FALSE(g.InplaceEditor()->isReadOnly());
    g.HideEditor();
}

}  // namespace
