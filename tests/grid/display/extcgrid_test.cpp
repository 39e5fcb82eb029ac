// The column grid: the run list filled and read back as the import does it, the columns' answers
// to the per-cell questions, items that follow the columns (more columns, a form's loading, a
// column dragged, grouping) and the column popup menus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "grid/display/extcgrid.h"
#include "tests/support/grid/runlist.h"
#include "tests/support/qstringprinter.h"

namespace {

// The rows whose tick column reads "true", as the import collects them.
QList<int> tickedRows(TExtColumnGrid& g)
{
    QList<int> rows;
    for (int r = 1; r < g.RowCount(); ++r)
        if (g.GetCellText(0, r) == QLatin1String("true"))
            rows << r;
    return rows;
}

void click(QWidget* viewport, const QPoint& at, Qt::MouseButton button)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
}

TEST(ColumnGridRunList, FilledAsTheImportFillsItAndReadBack)
{
    TExtColumnGrid g;
    MakeRunList(g);
    EXPECT_EQ(g.Columns().Count(), 6);
    EXPECT_EQ(g.ColWidths(0), 21);
    EXPECT_EQ(g.ColWidths(5), 0);
    EXPECT_EQ(g.GetCellText(1, 0), QStringLiteral("Datum"));
    EXPECT_EQ(g.GetCellText(4, 0), QStringLiteral("Zeit"));
    // Rows written past the row count, which is set afterwards.
    for (int r = 1; r <= 3; ++r) {
        g.SetCellText(0, r, QStringLiteral("false"));
        g.SetCellCheckBox(0, r, false, true);
        g.SetCellText(1, r, QStringLiteral("0%1.05.2026").arg(r));
        g.SetInts(3, r, 10500);
        g.SetCellText(5, r, QStringLiteral("<Run id=\"%1\"/>").arg(r));
    }
    g.SetRowCount(4);
    EXPECT_EQ(g.GetCellText(0, 3), QStringLiteral("false"));
    EXPECT_EQ(g.GetInts(3, 3), 10500);
    // The tick column's own texts decide; a grid that is not edited still ticks.
    bool state = true;
    EXPECT_TRUE(g.GetCheckBoxState(0, 2, state));
    EXPECT_FALSE(state);
    EXPECT_TRUE(g.ToggleCheckBox(0, 2, true));
    EXPECT_EQ(g.GetCellText(0, 2), QStringLiteral("true"));
    EXPECT_EQ(tickedRows(g), QList<int>{2});
    g.GetCheckBoxState(0, 2, state);
    EXPECT_TRUE(state);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(g.GetCellText(5, r), QStringLiteral("<Run id=\"%1\"/>").arg(r));
    EXPECT_EQ(g.Version(), QStringLiteral("3.0.0.5"));
    EXPECT_EQ(g.GetVersionString(), QStringLiteral("3.0.0.5 Aug, 2005"));
}

TEST(ColumnGridAnswers, CheckTextsEditabilityAndTheVirtualCheckBox)
{
    TExtColumnGrid g;
    g.SetColCount(4);
    // With a fixed column, column 0 keeps the grid-wide texts.
    g.Columns()[0]->CheckTrue = QStringLiteral("true");
    g.Columns()[2]->CheckTrue = QStringLiteral("ja");
    EXPECT_EQ(g.GetCheckTrueText(0, 2), QStringLiteral("Y"));
    EXPECT_EQ(g.GetCheckTrueText(2, 2), QStringLiteral("ja"));
    EXPECT_EQ(g.GetCheckTrueText(2, 0), QStringLiteral("Y"));  // the header row is no data cell

    // edDataCheckBox: a box in every data cell without SetCellCheckBox, by the item's texts.
    g.Columns()[2]->Editor = edDataCheckBox;
    EXPECT_EQ(g.GetCellType(2, 3), ctDataCheckBox);
    EXPECT_EQ(g.GetCellGraphic(2, 3)->CellType, ctVirtCheckBox);
    EXPECT_EQ(g.GetCellType(2, 0), ctEmpty);
    // A graphic of a cell's own, made and removed there, leaves the column's shared box alone.
    const TCellGraphic* shared = g.GetCellGraphic(2, 5);
    g.CreateCellGraphic(2, 5)->CellType = ctComment;
    EXPECT_EQ(g.GetCellType(2, 5), ctComment);
    EXPECT_TRUE(g.RemoveCellGraphic(2, 5));
    EXPECT_EQ(g.GetCellGraphic(2, 5), shared);
    EXPECT_EQ(g.GetCellGraphic(2, 6)->CellType, ctVirtCheckBox);
    g.SetCellText(2, 3, QStringLiteral("ja"));
    bool state = false;
    EXPECT_TRUE(g.GetCheckBoxState(2, 3, state));
    EXPECT_TRUE(state);
    g.ToggleCheckBox(2, 3, false);
    EXPECT_EQ(g.GetCellText(2, 3), QStringLiteral("N"));
    EXPECT_FALSE(g.HasCellProperties(2, 3));

    // Read-only columns refuse without any handler; the grid's editing option does not decide.
    EXPECT_TRUE(g.CanEditCell(1, 1));
    g.Columns()[1]->ReadOnly = true;
    EXPECT_FALSE(g.CanEditCell(1, 1));
    g.Columns()[3]->Fixed = true;
    EXPECT_FALSE(g.CanEditCell(3, 1));
    EXPECT_TRUE(g.IsFixedCell(3, 1));
    g.CellProperties(2, 4)->ReadOnly = true;
    EXPECT_FALSE(g.CanEditCell(2, 4));
    g.OnCanEditCell = [](QObject*, int ARow, int ACol, bool& CanEdit) { CanEdit = CanEdit || (ACol == 1 && ARow == 2); };
    EXPECT_TRUE(g.CanEditCell(1, 2));

    g.Columns()[1]->Editor = edComboList;
    EXPECT_TRUE(g.HasComboBox(1, 1));
    EXPECT_EQ(g.GetEditorType(1, 1), edComboList);
    g.Columns()[2]->Password = true;
    EXPECT_TRUE(g.IsPasswordCell(2, 1));
    EXPECT_FALSE(g.HasColumnFilter(2));
    g.Columns()[2]->Filter.Add(QStringLiteral(">10"));
    EXPECT_TRUE(g.HasColumnFilter(2));

    // Sizes held within the column's limits.
    g.Columns()[1]->MinSize = 40;
    g.Columns()[1]->AutoMaxSize = 90;
    int width = 20;
    g.UpdateColumnSize(1, width);
    EXPECT_EQ(width, 40);
    width = 200;
    g.UpdateAutoColumnSize(1, width);
    EXPECT_EQ(width, 90);
}

TEST(ColumnGridItems, MoreColumnsTakeOverTheLastItemsSettings)
{
    TExtColumnGrid g;
    g.SetColCount(6);
    TGridColumnItem* last = g.Columns()[5];
    last->Editor = edDataCheckBox;
    last->CheckTrue = QStringLiteral("an");
    last->CheckFalse = QStringLiteral("aus");
    last->Alignment = taRightJustify;
    last->SetHeader(QStringLiteral("Kopf"));
    last->Name = QStringLiteral("key");
    g.SetColCount(8);
    ASSERT_EQ(g.Columns().Count(), 8);
    for (int c = 6; c < 8; ++c) {
        const TGridColumnItem* item = g.Columns()[c];
        EXPECT_EQ(item->Editor, edDataCheckBox);
        EXPECT_EQ(item->CheckTrue, QStringLiteral("an"));
        EXPECT_EQ(item->CheckFalse, QStringLiteral("aus"));
        EXPECT_EQ(item->Alignment, taRightJustify);
        EXPECT_EQ(item->Header(), QString());
        EXPECT_EQ(item->Name, QString());
    }
    // Items added and deleted through the collection move the column count and the headers.
    g.Columns().Add()->SetHeader(QStringLiteral("neu"));
    EXPECT_EQ(g.ColCount(), 9);
    g.Columns().Delete(0);
    EXPECT_EQ(g.ColCount(), 8);
    EXPECT_EQ(g.ColumnHeaders.Strings(4), QStringLiteral("Kopf"));
    // Header lines give the items their headers.
    g.SetColumnHeaders({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(g.Columns()[2]->Header(), QStringLiteral("c"));

    // A form that stored 8 columns but 6 items ends its loading with 7 and 7.
    TExtColumnGrid form;
    form.BeginLoad();
    form.SetFixedCols(0);
    form.SetColCount(8);
    form.Columns().Clear();
    for (int i = 0; i < 6; ++i)
        form.Columns().Add();
    form.Loaded();
    EXPECT_EQ(form.ColCount(), 7);
    EXPECT_EQ(form.Columns().Count(), 7);
}

TEST(ColumnGridItems, ADraggedColumnTakesItsWholeItemAlong)
{
    TExtColumnGrid g;
    g.SetColCount(5);
    TGridColumnItem* moved = g.Columns()[1];
    moved->SetHeader(QStringLiteral("Zeit"));
    moved->Editor = edTimeEdit;
    moved->ColumnPopupType = cpAllCellsLClick;
    QFont bold = moved->HeaderFont.Font();
    bold.setBold(true);
    moved->HeaderFont.SetFont(bold);
    g.SetCellText(1, 2, QStringLiteral("0:45:00"));
    QList<int> reported;
    g.OnAfterColumnMoved = [&](QObject*, int from, int to) { reported << from << to; };
    g.MoveColumn(1, 3);
    EXPECT_EQ(reported, (QList<int>{1, 3}));
    EXPECT_EQ(g.Columns()[3], moved);
    EXPECT_EQ(moved->Header(), QStringLiteral("Zeit"));
    EXPECT_EQ(moved->Editor, edTimeEdit);
    EXPECT_EQ(moved->ColumnPopupType, cpAllCellsLClick);
    EXPECT_TRUE(moved->HeaderFont.Font().bold());
    EXPECT_EQ(g.GetCellText(3, 0), QStringLiteral("Zeit"));
    EXPECT_EQ(g.GetCellText(3, 2), QStringLiteral("0:45:00"));
    EXPECT_EQ(g.ColumnHeaders.Strings(3), QStringLiteral("Zeit"));

    // Inserting and removing columns brings items along without a move report.
    reported.clear();
    g.InsertCols(1, 2);
    EXPECT_EQ(g.Columns().Count(), 7);
    EXPECT_EQ(g.Columns()[5], moved);
    g.RemoveCols(1, 2);
    EXPECT_EQ(g.Columns().Count(), 5);
    EXPECT_EQ(g.Columns()[3], moved);
    EXPECT_TRUE(reported.isEmpty());
}

TEST(ColumnGridItems, GroupingKeepsTheColumnsSettings)
{
    TExtColumnGrid g;
    g.SetColCount(4);
    g.SetRowCount(5);
    TGridColumnItem* item = g.Columns()[2];
    item->Editor = edDataCheckBox;
    item->CheckTrue = QStringLiteral("ja");
    item->SetHeader(QStringLiteral("Erledigt"));
    for (int r = 1; r < 5; ++r) {
        g.SetCellText(1, r, QStringLiteral("n%1").arg(r));
        g.SetCellText(2, r, r < 3 ? QStringLiteral("ja") : QStringLiteral("N"));
    }
    g.Group(2);
    EXPECT_EQ(g.Columns().Count(), 3);
    g.UnGroup();
    ASSERT_EQ(g.Columns().Count(), 4);
    EXPECT_EQ(g.Columns()[2]->Editor, edDataCheckBox);
    EXPECT_EQ(g.Columns()[2]->CheckTrue, QStringLiteral("ja"));
    EXPECT_EQ(g.Columns()[2]->Header(), QStringLiteral("Erledigt"));
    EXPECT_EQ(g.GetCellType(2, 1), ctDataCheckBox);
}

TEST(ColumnGridPopups, TheButtonAndTheRowDecide)
{
    TExtColumnGrid g;
    g.SetColCount(3);
    g.show();
    QMenu menu;
    g.Columns()[1]->ColumnPopup = &menu;
    g.Columns()[1]->ColumnPopupType = cpNormalCellsLClick;
    QList<QPoint> events;
    g.OnColumnPopup = [&](QObject*, int ACol, int ARow, QMenu* m) {
        EXPECT_EQ(m, &menu);
        events << QPoint(ACol, ARow);
    };
    // A left click on a data cell: the event and the menu under the cell.
    const QRect data = g.CellRect(1, 2);
    click(g.viewport(), data.center(), Qt::LeftButton);
    EXPECT_EQ(events, QList<QPoint>{QPoint(1, 2)});
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), g.viewport()->mapToGlobal(QPoint(data.left(), data.top() + data.height())));
    menu.hide();
    // On the header: the event only.
    click(g.viewport(), g.CellRect(1, 0).center(), Qt::LeftButton);
    EXPECT_EQ(events.size(), 2);
    EXPECT_FALSE(menu.isVisible());
    // The right button: neither.
    click(g.viewport(), data.center(), Qt::RightButton);
    EXPECT_EQ(events.size(), 2);
    EXPECT_FALSE(menu.isVisible());
    // A menu that is gone leaves the item without one.
    {
        auto* gone = new QMenu;
        g.Columns()[2]->ColumnPopup = gone;
        delete gone;
    }
    EXPECT_EQ(g.Columns()[2]->ColumnPopup, nullptr);
}

}  // namespace
