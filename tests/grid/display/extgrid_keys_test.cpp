// The keyboard on the grid, and the window-level operations: Space on boxes, appending rows,
// Tab walks, declared-fixed cells, the update counter, advancing after Enter, Escape, type-ahead,
// moved columns and rows, zoom, panning and row colours.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "grid/display/extcgrid.h"
#include "tests/support/qstringprinter.h"

namespace {

void key(QWidget* w, int code, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, code, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, code, mods, text);
    QApplication::sendEvent(w, &release);
}

TEST(GridKeys, SpaceTicksAsAClickDoesAndDownMayAppend)
{
    TExtColumnGrid g;
    g.SetColCount(3);
    g.SetFixedCols(0);
    g.Columns()[0]->CheckTrue = QStringLiteral("true");
    g.Columns()[0]->CheckFalse = QStringLiteral("false");
    g.SetCellText(0, 1, QStringLiteral("false"));
    g.SetCellCheckBox(0, 1, false, true);
    g.show();
    g.FocusCell(0, 1, true);
    key(&g, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(g.GetCellText(0, 1), QStringLiteral("true"));
    key(&g, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(g.GetCellText(0, 1), QStringLiteral("false"));

    TExtStringGrid s;
    s.SetCellCheckBox(1, 1, false, false);
    s.show();
    s.FocusCell(1, 1, true);
    key(&s, Qt::Key_Space, QStringLiteral(" "));
    bool state = true;
    s.GetCheckBoxState(1, 1, state);
    EXPECT_FALSE(state) << "neither editing switch is on";

    s.Navigation.AppendOnArrowDown = true;
    bool canAdd = false;
    s.OnCanAddRow = [&](QObject*, bool& CanAdd) { CanAdd = canAdd; };
    s.FocusCell(1, s.RowCount() - 1, true);
    key(&s, Qt::Key_Down);
    EXPECT_EQ(s.RowCount(), 10);
    canAdd = true;
    key(&s, Qt::Key_Down);
    EXPECT_EQ(s.RowCount(), 11);
    EXPECT_EQ(s.Row(), 10);
}

TEST(GridKeys, TabWalksOnAndLeavesAndFixedCellsAreSkipped)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* g = new TExtStringGrid;
    auto* next = new QLineEdit;
    layout->addWidget(g);
    layout->addWidget(next);
    g->SetColCount(3);
    g->SetRowCount(3);
    g->SetOptions(g->Options() | goTabs | goEditing);
    g->Navigation.TabToNextAtEnd = true;
    window.show();
    g->setFocus();
    g->FocusCell(1, 1, true);
    key(g, Qt::Key_Tab, QStringLiteral("\t"));
    EXPECT_EQ(g->Col(), 2);
    key(g, Qt::Key_Tab, QStringLiteral("\t"));
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 2);
    key(g, Qt::Key_Tab, QStringLiteral("\t"));
    key(g, Qt::Key_Tab, QStringLiteral("\t"));
    EXPECT_EQ(g->Row(), 1) << "wraps to the first data row";
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(window.focusWidget(), next) << "and the focus goes on";

    // Every cell left of the current one declared fixed: Left stays and is used up.
    TExtStringGrid f;
    f.SetColCount(5);
    f.OnIsFixedCell = [](QObject*, int, int ACol, bool& IsFixed) { IsFixed = ACol < 3; };
    f.show();
    f.FocusCell(3, 2, true);
    int seen = 0;
    f.OnKeyDown = [&](QObject*, int& Key, Qt::KeyboardModifiers) { seen += Key == Qt::Key_Left; };
    key(&f, Qt::Key_Left);
    EXPECT_EQ(f.Col(), 3);
    EXPECT_EQ(seen, 1);
}

TEST(GridKeys, TheUpdateCounterAndAdvancingAfterEnter)
{
    TExtStringGrid g;
    g.show();
    QApplication::processEvents();
    int paints = 0;
    const auto pass = g.PaintPass();
    g.BeginUpdate();
    g.EndUpdate();
    g.EndUpdate();
    EXPECT_EQ(g.UpdateCount(), 0);
    g.grab();
    paints = int(g.PaintPass() - pass);
    EXPECT_GE(paints, 1);
    g.BeginUpdate();
    g.hide();
    g.EndUpdate();
    EXPECT_EQ(g.UpdateCount(), 0) << "hidden or not, the count comes back";
    g.show();

    // Left to right: the next editable cell; at the end of the last row back to the first.
    TExtStringGrid a;
    a.SetColCount(3);
    a.SetRowCount(3);
    a.SetOptions(a.Options() | goEditing);
    a.Navigation.AdvanceOnEnter = true;
    a.show();
    a.FocusCell(2, 2, true);
    a.AdvanceCell(2, 2, false, false, true);
    EXPECT_EQ(a.Col(), 1);
    EXPECT_EQ(a.Row(), 1);
    a.Navigation.AdvanceInsert = true;
    a.AdvanceCell(2, 2, false, false, true);
    EXPECT_EQ(a.RowCount(), 4);
    EXPECT_EQ(a.Row(), 3);
    EXPECT_EQ(a.Col(), 1);
    // Top to bottom: down, then the next column.
    a.Navigation.AdvanceInsert = false;
    a.Navigation.AdvanceDirection = adTopBottom;
    a.AdvanceCell(1, 3, false, false, true);
    EXPECT_EQ(a.Row(), 1);
    EXPECT_EQ(a.Col(), 2);
    a.AdvanceCell(2, 1, false, false, false);
    EXPECT_EQ(a.Row(), 3);
    EXPECT_EQ(a.Col(), 1);
    // A handler may send it elsewhere or keep it.
    a.OnAutoAdvance = [](QObject*, int, int, int& NewRow, int&, bool&) { NewRow = 2; };
    a.AdvanceCell(1, 3, false, false, true);
    EXPECT_EQ(a.Row(), 2);

    // Nothing editable in 100,000 rows: Enter stays, and ends.
    TExtStringGrid ro;
    ro.SetRowCount(100000);
    ro.SetOptions(ro.Options() | goEditing);
    ro.Navigation.AdvanceOnEnter = true;
    ro.OnCanEditCell = [](QObject*, int, int, bool& CanEdit) { CanEdit = false; };
    ro.show();
    ro.FocusCell(2, 5, true);
    key(&ro, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(ro.Col(), 2);
    EXPECT_EQ(ro.Row(), 5);
}

TEST(GridKeys, EscapeAndTypeAhead)
{
    TExtStringGrid g;
    g.show();
    int presses = 0;
    g.OnKeyPress = [&](QObject*, QChar& k) { presses += k.unicode() == 27; };
    key(&g, Qt::Key_Escape, QString(QChar(27)));
    EXPECT_EQ(presses, 0);

    g.Navigation.AutoGotoWhenSorted = true;
    g.Navigation.AutoGotoIncremental = true;
    g.SortSettings.Column = 1;
    const char* names[] = {"Anna", "Mark", "Meier", "Merz", "Otto"};
    for (int r = 1; r <= 5; ++r)
        g.SetCellText(1, r, QString::fromLatin1(names[r - 1]));
    key(&g, Qt::Key_M, QStringLiteral("M"));
    EXPECT_EQ(g.Row(), 2);
    key(&g, Qt::Key_E, QStringLiteral("e"));
    EXPECT_EQ(g.Row(), 3);
    key(&g, Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(g.TypeAheadText(), QString()) << "a text that matches nothing starts afresh";
}

TEST(GridWindow, MovesZoomPanningAndRowColours)
{
    TExtStringGrid g;
    g.SetColCount(6);
    g.SetColWidths(1, 33);
    g.SetCellText(1, 3, QStringLiteral("moved"));
    g.MoveColumn(1, 4);
    EXPECT_EQ(g.ColWidths(4), 33);
    EXPECT_EQ(g.GetCellText(4, 3), QStringLiteral("moved"));

    // The floating footer's row does not move.
    TExtStringGrid f;
    f.SetOptions(f.Options() | goRowMoving);
    f.FloatingFooter.SetVisible(true);
    f.SetCellText(1, f.RowCount() - 1, QStringLiteral("sum"));
    f.show();
    const QPoint from = f.CellRect(0, f.RowCount() - 1).center();
    const QPoint to = f.CellRect(0, 2).center();
    for (auto [type, at] : {std::pair{QEvent::MouseButtonPress, from}, std::pair{QEvent::MouseMove, to},
                            std::pair{QEvent::MouseButtonRelease, to}}) {
        QMouseEvent e(type, at, f.viewport()->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton), Qt::NoModifier);
        QApplication::sendEvent(f.viewport(), &e);
    }
    EXPECT_EQ(f.GetCellText(1, f.RowCount() - 1), QStringLiteral("sum"));

    const int w = g.ColWidths(2);
    g.Zoom(11);
    EXPECT_EQ(g.ZoomLevel(), 0);
    EXPECT_EQ(g.ColWidths(2), w);
    g.Zoom(-3);
    g.Zoom(-3);
    EXPECT_EQ(g.ZoomLevel(), -6);
    EXPECT_EQ(g.ColWidths(2), w - 6);

    g.show();
    g.IntelliPan = ipNone;
    const QPoint mid = g.CellRect(2, 2).center();
    QMouseEvent press(QEvent::MouseButtonPress, mid, g.viewport()->mapToGlobal(mid), Qt::MiddleButton, Qt::MiddleButton,
                      Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &press);
    EXPECT_FALSE(g.Panning());
    g.IntelliPan = ipVertical;
    QApplication::sendEvent(g.viewport(), &press);
    EXPECT_TRUE(g.Panning());
    g.FocusCell(2, 4, true);
    g.PanTick(mid + QPoint(0, 20));
    EXPECT_EQ(g.Row(), 5);
    key(&g, Qt::Key_Escape, QString(QChar(27)));
    EXPECT_FALSE(g.Panning());

    g.SetCellCheckBox(2, 5, true, false);
    g.SetRowColor(5, clYellow);
    EXPECT_EQ(g.CellProperties(3, 5)->BrushColor(), clYellow);
    g.SetRowColor(5, clNone);
    EXPECT_EQ(g.CellProperties(3, 5)->BrushColor(), clNone);
    EXPECT_EQ(g.GetCellType(2, 5), ctCheckBox) << "the box stays";
    EXPECT_EQ(g.GetVersionString(), QStringLiteral("3.0.0.6 Aug, 2005"));
}

}  // namespace
