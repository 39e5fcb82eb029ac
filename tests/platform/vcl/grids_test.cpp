// The runtime grids: geometry, painting, selection by keys and mouse, sizing, the inplace editor
// and the string grid's cell storage, driven by synthetic Qt events on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <set>
#include <tuple>
#include <vector>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/grids.h"

namespace {

// A string grid that records the hooks the runtime calls.
class ProbeGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    struct Drawn {
        int col, row;
        TGridDrawState state;
    };
    std::vector<Drawn> drawn;
    int colWidthsChanged = 0;
    std::vector<std::tuple<int, int, QString>> edits;
    QString mask;

    using TCustomGrid::KeyDown;

protected:
    void DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState) override
    {
        drawn.push_back({ACol, ARow, AState});
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
    void ColWidthsChanged() override { ++colWidthsChanged; }
    void SetEditText(int ACol, int ARow, const QString& Value) override
    {
        edits.emplace_back(ACol, ARow, Value);
        TStringGrid::SetEditText(ACol, ARow, Value);
    }
    QString GetEditMask(int, int) override { return mask; }
};

// 10 columns of 50 pixels (column 0: 30), 20 rows of 20, one fixed row and column, lines of 1,
// in a 400 x 300 viewport without frame.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.setFrameShape(QFrame::NoFrame);
        grid.SetScrollBars(ssNone);
        grid.SetColCount(10);
        grid.SetRowCount(20);
        grid.SetDefaultColWidth(50);
        grid.SetDefaultRowHeight(20);
        grid.SetColWidths(0, 30);
        grid.resize(400, 300);
        grid.show();
        QApplication::processEvents();
        ASSERT_EQ(grid.viewport()->size(), QSize(400, 300));
    }

    void key(QWidget* target, int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, k, mods, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, k, mods, text);
        QApplication::sendEvent(target, &release);
    }
    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, QPointF(p), QPointF(grid.viewport()->mapToGlobal(p)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, buttons, mods);
        QApplication::sendEvent(grid.viewport(), &e);
    }
    QImage render()
    {
        QImage img(grid.viewport()->size(), QImage::Format_ARGB32);
        img.fill(Qt::blue);
        grid.drawn.clear();
        grid.viewport()->render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
        return img;
    }

    ProbeGrid grid;
};

TEST_F(GridTest, CellRectAndMouseToCellWithFixedCellsScrolledAndNot)
{
    struct Case {
        int leftCol, topRow, col, row;
        QRect rect;
    };
    const Case cases[] = {
        {1, 1, 0, 0, QRect(0, 0, 30, 20)},     // fixed corner
        {1, 1, 1, 0, QRect(31, 0, 50, 20)},    // fixed row, first scrollable column
        {1, 1, 2, 1, QRect(82, 21, 50, 20)},
        {1, 1, 8, 14, QRect(388, 294, 50, 20)},  // partly visible at the edges
        {1, 1, 9, 1, QRect()},                  // right of the viewport
        {3, 5, 3, 5, QRect(31, 21, 50, 20)},    // scrolled: LeftCol and TopRow follow the fixed cells
        {3, 5, 0, 5, QRect(0, 21, 30, 20)},     // fixed column scrolls with the rows
        {3, 5, 3, 0, QRect(31, 0, 50, 20)},     // fixed row scrolls with the columns
        {3, 5, 2, 5, QRect()},                  // scrolled out
        {3, 5, 3, 4, QRect()},
    };
    for (const Case& c : cases) {
        grid.SetLeftCol(c.leftCol);
        grid.SetTopRow(c.topRow);
        ASSERT_EQ(grid.LeftCol(), c.leftCol);
        ASSERT_EQ(grid.TopRow(), c.topRow);
        EXPECT_EQ(grid.CellRect(c.col, c.row), c.rect) << c.col << "," << c.row << " at " << c.leftCol << "," << c.topRow;
        if (!c.rect.isEmpty()) {
            int col = -2, row = -2;
            grid.MouseToCell(c.rect.left() + 1, c.rect.top() + 1, col, row);
            EXPECT_EQ(std::make_pair(col, row), std::make_pair(c.col, c.row));
            // The grid line after a cell belongs to it.
            grid.MouseToCell(c.rect.left() + c.rect.width(), c.rect.top() + c.rect.height(), col, row);
            EXPECT_EQ(std::make_pair(col, row), std::make_pair(c.col, c.row));
        }
    }
    int col = 0, row = 0;
    grid.MouseToCell(-1, 5, col, row);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(-1, -1));
    grid.SetColCount(3);  // the cells end at x = 133
    grid.MouseToCell(200, 5, col, row);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(-1, -1));
    EXPECT_EQ(grid.GridWidth(), 133);
}

TEST_F(GridTest, LeftColNeverBelowFixedColsAndScrollBarIsTopRow)
{
    grid.SetLeftCol(0);
    EXPECT_EQ(grid.LeftCol(), 1);
    grid.SetFixedCols(2);
    EXPECT_EQ(grid.LeftCol(), 2);
    EXPECT_EQ(grid.Col(), 2);
    grid.SetTopRow(-3);
    EXPECT_EQ(grid.TopRow(), 1);

    grid.SetScrollBars(ssBoth);
    QApplication::processEvents();
    grid.SetTopRow(4);
    EXPECT_EQ(grid.verticalScrollBar()->value(), 4);
    EXPECT_EQ(grid.verticalScrollBar()->minimum(), 1);
    grid.verticalScrollBar()->setValue(6);
    EXPECT_EQ(grid.TopRow(), 6);
    // The last row can be scrolled into view but no further.
    grid.SetTopRow(1000);
    EXPECT_EQ(grid.verticalScrollBar()->maximum(), grid.TopRow());
    const QRect last = grid.CellRect(0, 19);
    EXPECT_LE(last.top() + last.height(), grid.viewport()->height());
    EXPECT_TRUE(grid.CellRect(0, grid.TopRow() - 1).isEmpty());
}

TEST_F(GridTest, DrawCellOncePerVisibleCellFixedFirst)
{
    render();
    // Visible: column 0 and columns 1..8 (8 partly), rows 0..14 (14 partly).
    std::set<std::pair<int, int>> seen;
    bool bodyStarted = false;
    for (const auto& d : grid.drawn) {
        EXPECT_TRUE(seen.insert({d.col, d.row}).second) << "drawn twice: " << d.col << "," << d.row;
        const bool fixed = d.col < 1 || d.row < 1;
        EXPECT_EQ(bool(d.state & gdFixed), fixed) << d.col << "," << d.row;
        if (!fixed)
            bodyStarted = true;
        else
            EXPECT_FALSE(bodyStarted) << "fixed cell after a scrollable one";
    }
    EXPECT_EQ(seen.size(), size_t(9 * 15));
    EXPECT_TRUE(seen.count({8, 14}));
    EXPECT_FALSE(seen.count({9, 1}));
    // The current cell is selected.
    for (const auto& d : grid.drawn)
        EXPECT_EQ(bool(d.state & gdSelected), d.col == 1 && d.row == 1);

    // Scrolled far down in a big grid: still only the visible page.
    grid.SetRowCount(100000);
    grid.SetTopRow(90000);
    render();
    EXPECT_EQ(grid.drawn.size(), size_t(9 * 15));
    EXPECT_EQ(grid.drawn.back().row, 90013);
}

TEST_F(GridTest, OnlyChangedAndNewlyVisibleCellsAreRepainted)
{
    QApplication::processEvents();
    grid.drawn.clear();
    grid.SetCells(3, 4, "neu");
    QApplication::processEvents();
    ASSERT_FALSE(grid.drawn.empty());
    for (const auto& d : grid.drawn)
        EXPECT_TRUE(d.col == 3 && d.row == 4) << d.col << "," << d.row;

    // Scrolling by two rows draws the two rows that come into view (and the partly visible
    // last row), not the page.
    grid.drawn.clear();
    grid.SetTopRow(3);
    QApplication::processEvents();
    std::set<int> rows;
    for (const auto& d : grid.drawn)
        rows.insert(d.row);
    EXPECT_EQ(rows, (std::set<int>{14, 15, 16}));
}

TEST_F(GridTest, OnDrawCellWithoutDefaultDrawingDrawsAlone)
{
    grid.SetCells(2, 1, QStringLiteral("XXXXXX"));
    grid.SetColor(Qt::red);
    int calls = 0;
    grid.OnDrawCell = [&](QObject* sender, int c, int r, const QRect& rect, TGridDrawState) {
        EXPECT_EQ(sender, &grid);
        ++calls;
        if (c == 1 && r == 1)
            grid.Canvas()->fillRect(rect, Qt::green);
    };
    auto cellPixels = [](const QImage& img, QRect r) {
        std::set<QRgb> colours;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                colours.insert(img.pixel(x, y));
        return colours;
    };

    QImage img = render();
    EXPECT_EQ(calls, 9 * 15);
    EXPECT_GT(cellPixels(img, grid.CellRect(2, 1)).size(), 1u) << "default drawing writes the text";

    grid.SetDefaultDrawing(false);
    calls = 0;
    img = render();
    EXPECT_EQ(calls, 9 * 15);
    EXPECT_EQ(cellPixels(img, grid.CellRect(1, 1)), std::set<QRgb>{QColor(Qt::green).rgb()});
    EXPECT_EQ(cellPixels(img, grid.CellRect(2, 1)), std::set<QRgb>{QColor(Qt::blue).rgb()})
        << "neither background nor text without default drawing";
}

TEST_F(GridTest, KeyboardMovesAndShiftExtendsFromTheAnchor)
{
    struct Step {
        int key;
        Qt::KeyboardModifiers mods;
        TGridRect selection;
    };
    const Step steps[] = {
        {Qt::Key_Right, Qt::ShiftModifier, {1, 1, 2, 1}},
        {Qt::Key_Right, Qt::ShiftModifier, {1, 1, 3, 1}},
        {Qt::Key_Down, Qt::ShiftModifier, {1, 1, 3, 2}},
        {Qt::Key_Left, Qt::ShiftModifier, {1, 1, 2, 2}},
        {Qt::Key_Right, Qt::NoModifier, {3, 2, 3, 2}},
        {Qt::Key_Home, Qt::NoModifier, {1, 2, 1, 2}},
        {Qt::Key_End, Qt::NoModifier, {9, 2, 9, 2}},
        {Qt::Key_Home, Qt::ControlModifier, {1, 1, 1, 1}},
        {Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier, {1, 1, 9, 19}},
        {Qt::Key_Up, Qt::NoModifier, {9, 18, 9, 18}},
        {Qt::Key_Down, Qt::NoModifier, {9, 19, 9, 19}},
        {Qt::Key_Down, Qt::NoModifier, {9, 19, 9, 19}},  // stays at the last row
    };
    int clicks = 0;
    grid.OnClick = [&](QObject*) { ++clicks; };
    for (const Step& s : steps) {
        key(&grid, s.key, s.mods);
        EXPECT_EQ(grid.Selection(), s.selection) << "key " << std::hex << s.key;
    }
    EXPECT_EQ(grid.Col(), 9);
    EXPECT_EQ(grid.Row(), 19);
    EXPECT_EQ(clicks, 11) << "every move of the current cell clicks";
    // Ctrl+End scrolled the last row into view.
    EXPECT_FALSE(grid.CellRect(9, 19).isEmpty() && grid.CellRect(8, 19).isEmpty());

    // Page Down moves the current row and the top row by the visible row count.
    key(&grid, Qt::Key_Home, Qt::ControlModifier);
    const int page = grid.VisibleRowCount();
    ASSERT_EQ(page, 13);
    key(&grid, Qt::Key_PageDown);
    EXPECT_EQ(grid.Row(), 1 + page);
    EXPECT_EQ(grid.TopRow(), 7) << "the top row goes no further than the last page";
    EXPECT_FALSE(grid.CellRect(grid.Col(), grid.Row()).isEmpty());

    // Tab walks the cells only with goTabs, skipping columns that are no tab stops.
    grid.SetOptions(grid.Options() | goTabs);
    grid.SetTabStops(2, false);
    key(&grid, Qt::Key_Home, Qt::ControlModifier);
    key(&grid, Qt::Key_Tab);
    EXPECT_EQ(grid.Col(), 3);
    key(&grid, Qt::Key_End);
    key(&grid, Qt::Key_Tab);
    EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(1, 2)) << "wraps to the next row";
    key(&grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(9, 1));
}

TEST(GridFocus, CtrlTabLeavesAGridThatTakesTab)
{
    // A grid between two edits: with goTabs, Tab stays in the grid and Ctrl+Tab goes on, both
    // ways, from the grid and from its editor, leaving the current cell where it is.
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* grid = new TStringGrid(&window);
    auto* after = new QLineEdit(&window);
    grid->SetColCount(4);
    grid->SetRowCount(3);
    grid->SetOptions(grid->Options() | goTabs | goEditing);
    window.show();
    QApplication::setActiveWindow(&window);
    auto press = [](int k, Qt::KeyboardModifiers mods) {
        QKeyEvent e(QEvent::KeyPress, k, mods);
        QApplication::sendEvent(QApplication::focusWidget(), &e);
    };
    grid->setFocus();
    press(Qt::Key_Tab, Qt::NoModifier);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(grid->Col(), 2);
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), after);
    grid->setFocus();
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), before);
    EXPECT_EQ(grid->Col(), 2);
    grid->setFocus();
    grid->ShowEditor();
    ASSERT_NE(QApplication::focusWidget(), grid);
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), after);
}

TEST(GridFocus, ReturnAndEscapeGoToTheDialogsButtonsFirst)
{
    // In a dialog with a default and a cancel button the grid leaves Return and Escape to them;
    // a window without them leaves the keys to the grid's own handler.
    auto send = [](QWidget* target, int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    };
    QDialog dialog;
    auto* grid = new TStringGrid(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), &dialog);
    ok->setDefault(true);
    cancel->setProperty("Cancel", true);
    int gridKeys = 0, oks = 0, cancels = 0;
    grid->OnKeyDown = [&gridKeys](QObject*, int&, Qt::KeyboardModifiers) { ++gridKeys; };
    QObject::connect(ok, &QPushButton::clicked, [&oks] { ++oks; });
    QObject::connect(cancel, &QPushButton::clicked, [&cancels] { ++cancels; });
    dialog.show();
    send(grid, Qt::Key_Return);
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(gridKeys, 0);

    QWidget plain;
    auto* own = new TStringGrid(&plain);
    own->OnKeyDown = [&gridKeys](QObject*, int&, Qt::KeyboardModifiers) { ++gridKeys; };
    plain.show();
    send(own, Qt::Key_Return);
    send(own, Qt::Key_Escape);
    EXPECT_EQ(gridKeys, 2);
    ok->setDefault(false);
    ok->setAutoDefault(false);
    send(grid, Qt::Key_Return);  // no default button now: the grid's
    EXPECT_EQ(gridKeys, 3);
    EXPECT_EQ(cancels, 0);
}

TEST_F(GridTest, SelectCellRefusalKeepsTheCurrentCell)
{
    grid.OnSelectCell = [](QObject*, int c, int, bool& can) { can = c != 2; };
    key(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.Col(), 1);
    grid.SetCol(3);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_THROW(grid.SetCol(10), Exception);
}

TEST_F(GridTest, MouseSelectsByClickDragAndRowSelect)
{
    int clicks = 0;
    grid.OnClick = [&](QObject*) { ++clicks; };
    const QPoint c13 = grid.CellRect(1, 3).center();
    const QPoint c35 = grid.CellRect(3, 5).center();
    mouse(QEvent::MouseButtonPress, c13);
    mouse(QEvent::MouseMove, c35);
    mouse(QEvent::MouseButtonRelease, c35);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 3, 3, 5}));
    EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(3, 5));
    EXPECT_EQ(clicks, 1);

    // Shift+click extends from the anchor.
    mouse(QEvent::MouseButtonPress, grid.CellRect(2, 2).center(), Qt::LeftButton, Qt::ShiftModifier);
    mouse(QEvent::MouseButtonRelease, grid.CellRect(2, 2).center(), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 2, 3}));

    // A click on a fixed cell selects nothing.
    mouse(QEvent::MouseButtonPress, grid.CellRect(0, 6).center());
    mouse(QEvent::MouseButtonRelease, grid.CellRect(0, 6).center());
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 2, 3}));

    grid.SetOptions(grid.Options() | goRowSelect);
    mouse(QEvent::MouseButtonPress, grid.CellRect(4, 4).center());
    mouse(QEvent::MouseButtonRelease, grid.CellRect(4, 4).center());
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 4, 9, 4}));
    key(&grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 4, 9, 5}));
    render();
    for (const auto& d : grid.drawn)
        EXPECT_EQ(bool(d.state & gdSelected), d.col >= 1 && (d.row == 4 || d.row == 5)) << d.col << "," << d.row;
}

TEST_F(GridTest, DragAtColumnBorderSizesItAndRowBorderWithRowSizing)
{
    grid.SetOptions(grid.Options() | goColSizing | goRowSizing);
    const int border = 82 + 50;  // right edge of column 2
    grid.colWidthsChanged = 0;
    mouse(QEvent::MouseButtonPress, {border, 10});
    EXPECT_EQ(grid.GridState(), gsColSizing);
    mouse(QEvent::MouseMove, {border + 10, 12}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {border + 20, 12}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {border + 20, 12});
    EXPECT_EQ(grid.ColWidths(2), 70);
    EXPECT_EQ(grid.ColWidths(3), 50);
    EXPECT_GE(grid.colWidthsChanged, 1);
    EXPECT_EQ(grid.GridState(), gsNormal);
    EXPECT_EQ(grid.CellRect(3, 1).left(), 82 + 71);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 1, 1})) << "sizing selects nothing";

    // A border inside the scrollable cells does not size without being in the fixed row.
    mouse(QEvent::MouseButtonPress, {82 + 71 + 50, 50});
    EXPECT_EQ(grid.GridState(), gsSelecting);
    mouse(QEvent::MouseButtonRelease, {82 + 71 + 50, 50});

    // Row sizing at the bottom border of row 2 inside the fixed column.
    mouse(QEvent::MouseButtonPress, {10, 42 + 20});
    EXPECT_EQ(grid.GridState(), gsRowSizing);
    mouse(QEvent::MouseMove, {10, 42 + 35}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {10, 42 + 35});
    EXPECT_EQ(grid.RowHeights(2), 35);
}

TEST_F(GridTest, ColumnAndRowMovingByTheirFixedCells)
{
    grid.SetOptions(grid.Options() | goColMoving | goRowMoving);
    for (int c = 0; c < 10; ++c)
        grid.SetCells(c, 1, QString::number(c));
    grid.SetColWidths(1, 40);
    std::vector<std::pair<int, int>> moved;
    grid.OnColumnMoved = [&](QObject*, int from, int to) { moved.emplace_back(from, to); };
    mouse(QEvent::MouseButtonPress, grid.CellRect(1, 0).center());
    mouse(QEvent::MouseMove, grid.CellRect(3, 0).center(), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, grid.CellRect(3, 0).center());
    EXPECT_EQ(moved, (std::vector<std::pair<int, int>>{{1, 3}}));
    EXPECT_EQ(grid.Rows(1), (QStringList{"0", "2", "3", "1", "4", "5", "6", "7", "8", "9"}));
    EXPECT_EQ(grid.ColWidths(3), 40) << "the width moves with the column";

    grid.SetCells(0, 2, "a");
    grid.SetCells(0, 5, "b");
    mouse(QEvent::MouseButtonPress, grid.CellRect(0, 5).center());
    mouse(QEvent::MouseButtonRelease, grid.CellRect(0, 2).center());
    EXPECT_EQ(grid.Cells(0, 2), "b");
    EXPECT_EQ(grid.Cells(0, 3), "a");
}

TEST_F(GridTest, InplaceEditorOpensOnTypingEscapeRestoresEnterWritesBack)
{
    grid.SetOptions(grid.Options() | goEditing);
    grid.SetCells(1, 1, "alt");
    grid.activateWindow();
    grid.setFocus();

    key(&grid, Qt::Key_N, Qt::NoModifier, "n");
    ASSERT_TRUE(grid.EditorMode());
    TInplaceEdit* ed = grid.InplaceEditor();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->text(), "n") << "the typed character replaces the text";
    EXPECT_EQ(ed->geometry(), grid.CellRect(1, 1));
    key(ed, Qt::Key_E, Qt::NoModifier, "e");
    key(ed, Qt::Key_Escape);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_FALSE(ed->isVisible());
    EXPECT_EQ(grid.Cells(1, 1), "alt");
    EXPECT_TRUE(grid.edits.empty());

    // F2 opens with the cell's text; Enter writes it through SetEditText.
    key(&grid, Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(ed->text(), "alt");
    key(ed, Qt::Key_End);
    key(ed, Qt::Key_X, Qt::NoModifier, "x");
    key(ed, Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Cells(1, 1), "altx");
    ASSERT_EQ(grid.edits.size(), 1u);
    EXPECT_EQ(grid.edits[0], std::make_tuple(1, 1, QString("altx")));

    // Down inside the editor writes the text and moves on; an unchanged editor writes nothing.
    key(&grid, Qt::Key_Return, Qt::NoModifier, "\r");
    ASSERT_TRUE(grid.EditorMode());
    key(ed, Qt::Key_Down);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.edits.size(), 1u);
    key(&grid, Qt::Key_Z, Qt::NoModifier, "z");
    key(ed, Qt::Key_Up);
    EXPECT_EQ(grid.Cells(1, 2), "z");
    EXPECT_EQ(grid.Row(), 1);

    // Without goEditing typing does nothing.
    grid.SetOptions(grid.Options() & ~TGridOptions(goEditing));
    key(&grid, Qt::Key_Q, Qt::NoModifier, "q");
    EXPECT_FALSE(grid.EditorMode());
}

// Without goTabs Tab leaves the grid from its open editor too: for the control after the grid (the
// editor, made on first use, stands last in the window's Tab order), keeping the typed text.
TEST(GridTabOrder, TabInTheOpenEditorGoesOnFromTheGridAndKeepsTheText)
{
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* grid = new TStringGrid(&window);
    auto* after = new QLineEdit(&window);
    new QLineEdit(&window);
    grid->SetOptions((grid->Options() | goEditing) & ~TGridOptions(goTabs));
    window.show();
    QApplication::setActiveWindow(&window);
    auto key = [](QWidget* target, int k, Qt::KeyboardModifiers mods, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, k, mods, text);
        QApplication::sendEvent(target, &press);
    };
    for (const bool forward : {true, false}) {
        grid->setFocus(Qt::TabFocusReason);
        key(grid, Qt::Key_N, Qt::NoModifier, forward ? "n" : "m");
        ASSERT_TRUE(grid->EditorMode());
        key(grid->InplaceEditor(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
            forward ? Qt::NoModifier : Qt::ShiftModifier, QString());
        EXPECT_EQ(QApplication::focusWidget(), forward ? after : before) << forward;
        EXPECT_FALSE(grid->EditorMode());
        EXPECT_EQ(grid->Cells(1, 1), forward ? "n" : "m");
    }
}

TEST_F(GridTest, EditorTakesTheEditMaskAndARefusedValueKeepsItOpen)
{
    grid.SetOptions(grid.Options() | goEditing);
    const TFormatSettings saved = FormatSettings();
    FormatSettings() = GermanFormatSettings();
    grid.mask = "!99/99/0000;1;_";
    key(&grid, Qt::Key_F2);
    FormatSettings() = saved;
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->inputMask(), "00.00.9999;_") << "a date mask shows the date separator";

    grid.OnSetEditText = [](QObject*, int, int, const QString&) { throw Exception("abgelehnt"); };
    grid.InplaceEditor()->setText("12.03.2024");
    grid.InplaceEditor()->setModified(true);
    EXPECT_THROW(grid.HideEditor(), Exception);
    EXPECT_TRUE(grid.EditorMode()) << "the typed value is not lost";
    EXPECT_EQ(grid.InplaceEditor()->text(), "12.03.2024");
}

TEST(EditMask, RuntimeMasksBecomeQtInputMasks)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"!99/99/0000;1;_", "00/00/9999;_"},
        {"00:00;0; ", "99:99; "},
        {">LL<ll", ">AA<aa"},
        {"<>AaCc#", "!NnXx#"},
        {"\\A0", "\\A9;_"},
        {"Nr. 000", "\\Nr. 999;_"},
        {"00_00", "99 99"},
    };
    // "/" and ":" stand for the date and time separators.
    const TFormatSettings saved = FormatSettings();
    FormatSettings() = GermanFormatSettings();
    FormatSettings().TimeSeparator = QLatin1Char('h');
    for (const auto& [in, out] : cases) {
        QString expected = QString::fromUtf8(out).replace('/', '.').replace(':', "\\h");
        if (!expected.isEmpty() && !expected.contains(';'))
            expected += ";_";
        EXPECT_EQ(EditMaskToInputMask(QString::fromUtf8(in)), expected) << in;
    }
    FormatSettings() = saved;
}

TEST_F(GridTest, StringGridStoresSparselyAndMovesCellsWithRows)
{
    grid.SetRowCount(100000);
    grid.SetCells(3, 99999, "last");
    QObject tag;
    grid.SetObjects(2, 5, &tag);
    EXPECT_EQ(grid.Cells(3, 99999), "last");
    EXPECT_EQ(grid.Objects(2, 5), &tag);
    EXPECT_EQ(grid.Cells(4, 4), "");
    grid.SetObjects(2, 5, nullptr);
    EXPECT_THROW(grid.SetCells(-1, 0, "x"), Exception);

    grid.SetRowCount(5);
    grid.SetRows(1, {"a", "b", "c"});
    grid.SetRows(2, {"d", "e", "f"});
    grid.SetCols(9, {"", "z1", "z2"});
    grid.SetObjects(2, 3, &tag);
    EXPECT_EQ(grid.Rows(1).mid(0, 3), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(grid.Cols(9), (QStringList{"", "z1", "z2", "", ""}));

    grid.InsertRow(2);
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.Cells(0, 2), "");
    EXPECT_EQ(grid.Cells(1, 3), "e");
    EXPECT_EQ(grid.Objects(2, 4), &tag) << "the object moves with its row";
    EXPECT_EQ(grid.Objects(2, 3), nullptr);
    grid.DeleteRow(1);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.Rows(2).mid(0, 3), (QStringList{"d", "e", "f"}));

    grid.MoveColumn(0, 2);
    EXPECT_EQ(grid.Rows(2).mid(0, 3), (QStringList{"e", "f", "d"}));

    // Shrinking drops the cells outside; growing again shows empty cells.
    grid.SetRowCount(2);
    grid.SetRowCount(5);
    EXPECT_EQ(grid.Rows(2).join(""), "");
}

TEST_F(GridTest, ScreenshotOfAStringGrid)
{
    grid.SetOptions(grid.Options() | goRangeSelect);
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 10; ++c)
            grid.SetCells(c, r, r == 0 ? QString("Sp %1").arg(c) : c == 0 ? QString::number(r) : QString("%1.%2").arg(c).arg(r));
    grid.SetSelection({2, 2, 4, 5});
    const QImage img = render();
    QDir().mkpath("/tmp/grid-shots");
    EXPECT_TRUE(img.save("/tmp/grid-shots/stringgrid.png"));

    // A corner of a cell where no text reaches, and whether the cell's text was drawn in it.
    const auto corner = [&](int c, int r) { return img.pixelColor(grid.CellRect(c, r).bottomRight() - QPoint(3, 3)); };
    const auto hasInk = [&](int c, int r, const QColor& background) {
        const QRect cell = grid.CellRect(c, r).adjusted(2, 2, -2, -2);
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (img.pixelColor(x, y) != background)
                    return true;
        return false;
    };
    const QColor highlight = grid.palette().color(QPalette::Highlight);
    EXPECT_EQ(corner(0, 3), grid.FixedColor()) << "fixed column";
    EXPECT_EQ(corner(3, 0), grid.FixedColor()) << "fixed row";
    EXPECT_EQ(corner(3, 3), highlight) << "inside the selection";
    EXPECT_EQ(corner(4, 5), highlight) << "the selection's far corner";
    EXPECT_EQ(corner(2, 2), grid.Color()) << "the current cell of an unfocused grid is not highlighted";
    EXPECT_EQ(corner(5, 3), grid.Color()) << "beside the selection";
    EXPECT_EQ(corner(3, 6), grid.Color()) << "below the selection";
    EXPECT_TRUE(hasInk(1, 1, grid.Color())) << "the cell's text";
    EXPECT_TRUE(hasInk(3, 0, grid.FixedColor())) << "the column title";
}

}  // namespace
