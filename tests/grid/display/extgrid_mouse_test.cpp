// Clicks and pointer movement on the grid: check boxes as the run list ticks them, exact hits,
// header check boxes, borders, cell anchors, radio groups, header drags, fixed sizing, drag starts,
// cells picked one by one far down a long grid, and the grid's timer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "grid/display/extcgrid.h"
#include "grid/display/gridservices.h"
#include "tests/support/qstringprinter.h"

namespace {

void send(QWidget* viewport, QEvent::Type type, const QPoint& at, Qt::MouseButton button,
          Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, at, viewport->mapToGlobal(at), button, held, mods);
    QApplication::sendEvent(viewport, &e);
}

void click(TCustomGrid& g, const QPoint& at, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    send(g.viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, mods);
    send(g.viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, mods);
}

void move(TCustomGrid& g, const QPoint& at, Qt::MouseButton held = Qt::NoButton)
{
    QMouseEvent e(QEvent::MouseMove, at, g.viewport()->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &e);
}

QPoint centre(TCustomGrid& g, int col, int row)
{
    return g.CellRect(col, row).center();
}

TEST(GridClicks, TheRunListTicksByTheColumnsTexts)
{
    TExtColumnGrid g;
    g.SetColCount(3);
    g.SetFixedCols(0);
    g.Columns()[0]->CheckTrue = QStringLiteral("true");
    g.Columns()[0]->CheckFalse = QStringLiteral("false");
    g.show();
    const QString texts[] = {QStringLiteral("true"), QStringLiteral("True"), QString(), QStringLiteral("false")};
    const QString after[] = {QStringLiteral("false"), QStringLiteral("true"), QStringLiteral("true"),
                             QStringLiteral("true")};
    QList<bool> states;
    g.OnCheckBoxClick = [&](QObject*, int, int, bool state) { states << state; };
    for (int r = 1; r <= 4; ++r) {
        g.SetCellText(0, r, texts[r - 1]);
        g.SetCellCheckBox(0, r, false, true);
        click(g, centre(g, 0, r));
        EXPECT_EQ(g.GetCellText(0, r), after[r - 1]) << r;
    }
    EXPECT_EQ(states, (QList<bool>{false, true, true, true}));
    EXPECT_FALSE(g.Options() & goEditing) << "the list is not edited, yet it ticks";

    // A string grid without editing ticks only where OnCanEditCell allows it.
    TExtStringGrid s;
    s.show();
    s.SetCellCheckBox(1, 1, false, false);
    click(s, centre(s, 1, 1));
    bool state = true;
    s.GetCheckBoxState(1, 1, state);
    EXPECT_FALSE(state);
    s.OnCanEditCell = [](QObject*, int, int, bool& CanEdit) { CanEdit = true; };
    click(s, centre(s, 1, 1));
    s.GetCheckBoxState(1, 1, state);
    EXPECT_TRUE(state);

    // Exactly the square with PreciseCheckBoxCheck.
    s.MouseActions.PreciseCheckBoxCheck = true;
    const QRect square = s.CheckBoxSquare(1, 1);
    click(s, QPoint(square.left() + square.width(), square.top() + 2));  // one pixel right of it
    s.GetCheckBoxState(1, 1, state);
    EXPECT_TRUE(state);
    click(s, square.center());
    s.GetCheckBoxState(1, 1, state);
    EXPECT_FALSE(state);
}

TEST(GridClicks, AHeaderBoxSetsEveryRowFootersToo)
{
    TExtStringGrid g;
    g.SetRowCount(6);
    g.SetFixedFooters(1);
    g.MouseActions.CheckAllCheck = true;
    g.OnCanEditCell = [](QObject*, int, int, bool& CanEdit) { CanEdit = true; };
    g.show();
    for (int r = 0; r < 6; ++r)
        g.SetCellCheckBox(2, r, false, false);
    click(g, centre(g, 2, 0));
    for (int r = 1; r < 6; ++r) {
        bool state = false;
        g.GetCheckBoxState(2, r, state);
        EXPECT_TRUE(state) << r;
    }
}

TEST(GridClicks, BordersAnchorsAndRadios)
{
    TExtStringGrid g;
    g.SetOptions(g.Options() | goColSizing);
    g.show();
    QList<QPoint> clicks;
    g.OnClickCell = [&](QObject*, int ARow, int ACol) { clicks << QPoint(ACol, ARow); };
    const QRect cell = g.CellRect(2, 2);
    click(g, QPoint(cell.left() + 2, cell.center().y()));
    EXPECT_TRUE(clicks.isEmpty()) << "on a column border";
    click(g, cell.center());
    EXPECT_EQ(clicks, QList<QPoint>{QPoint(2, 2)});

    // A double click on the left border of the first data column sizes nothing: its left
    // neighbour is fixed.
    int sized = 0;
    g.OnEndColumnSize = [&](QObject*, int) { ++sized; };
    const QRect header = g.CellRect(1, 0);
    const QPoint leftBorder(header.left() + 1, header.center().y());
    send(g.viewport(), QEvent::MouseButtonDblClick, leftBorder, Qt::LeftButton);
    EXPECT_EQ(sized, 0);
    const QPoint rightBorder(header.left() + header.width() - 2, header.center().y());
    send(g.viewport(), QEvent::MouseButtonDblClick, rightBorder, Qt::LeftButton);
    EXPECT_EQ(sized, 1);
    EXPECT_LT(g.ColWidths(1), g.DefaultColWidth()) << "sized to its (empty) texts";
    g.SetColWidths(1, g.DefaultColWidth());

    // Cell anchors in either case; a cell outside the grid is ignored.
    g.SetOptions(g.Options() & ~TGridOptions(goColSizing));
    QStringList opened;
    SetGridURLOpener([&](const QString& url) { opened << url; });
    g.SetCellText(1, 5, QStringLiteral("<A HREF=\"CELL://R3C2\">go</A>"));
    g.SetCellText(2, 5, QStringLiteral("<A HREF=\"cell://r4c3\">go</A>"));
    g.SetCellText(3, 5, QStringLiteral("<A HREF=\"cell://R999C2\">far</A>"));
    g.SetCellText(4, 5, QStringLiteral("<A HREF=\"http://example.org\">web</A> <A HREF=\"notes.txt\">file</A>"));
    const auto anchorPoint = [&](int col) {
        const QRect r = g.CellRect(col, 5);
        return QPoint(r.left() + 8, r.top() + 10);
    };
    click(g, anchorPoint(1));
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 2);
    click(g, anchorPoint(2));
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(g.Col(), 3);
    click(g, anchorPoint(3));
    EXPECT_EQ(g.Row(), 4) << "no jump to a row the grid has not";
    EXPECT_EQ(g.Col(), 3);
    click(g, anchorPoint(4));
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://example.org")});
    SetGridURLOpener(nullptr);

    // A radio group that follows the text keeps the chosen item's text.
    g.OnCanEditCell = [](QObject*, int, int, bool& CanEdit) { CanEdit = true; };
    g.SetRowHeights(7, 60);
    TCellGraphic* radio = g.CreateCellGraphic(2, 7);
    radio->CellType = ctRadio;
    radio->CellIndex = -1;
    radio->Options = {QStringLiteral("Lauf"), QStringLiteral("Rad"), QStringLiteral("Schwimmen")};
    int chosen = -1;
    g.OnRadioClick = [&](QObject*, int, int, int index) { chosen = index; };
    const QRect r = g.CellRect(2, 7);
    click(g, QPoint(r.left() + 8, r.top() + 2 + 16 + 8));
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(g.GetCellText(2, 7), QStringLiteral("Rad"));
    EXPECT_EQ(radio->CellIndex, -1);
}

TEST(GridPointer, HeaderDragsFixedSizingAndDragStarts)
{
    TExtStringGrid g;
    g.SetOptions(g.Options() | goRangeSelect);
    g.MouseActions.RowSelect = true;
    g.show();
    move(g, centre(g, 0, 5));
    EXPECT_EQ(g.MouseSelectMode(), msmRow);
    send(g.viewport(), QEvent::MouseButtonPress, centre(g, 0, 5), Qt::LeftButton);
    move(g, centre(g, 0, 2), Qt::LeftButton);
    send(g.viewport(), QEvent::MouseButtonRelease, centre(g, 0, 2), Qt::LeftButton);
    EXPECT_EQ(g.Selection(), (TGridRect{1, 2, g.ColCount() - 1, 5}));
    EXPECT_EQ(g.MouseSelectMode(), msmNone) << "a release resets it";

    // A fixed column sizes from 2 pixels off its border, not from 3.
    TExtStringGrid s;
    s.MouseActions.SizeFixedCol = true;
    s.show();
    const int border = s.ColWidths(0);
    const int y = centre(s, 0, 3).y();
    send(s.viewport(), QEvent::MouseButtonPress, QPoint(border + 3, y), Qt::LeftButton);
    send(s.viewport(), QEvent::MouseButtonRelease, QPoint(border + 30, y), Qt::LeftButton);
    EXPECT_EQ(s.ColWidths(0), border);
    send(s.viewport(), QEvent::MouseButtonPress, QPoint(border + 2, y), Qt::LeftButton);
    send(s.viewport(), QEvent::MouseButtonRelease, QPoint(border + 30, y), Qt::LeftButton);
    EXPECT_EQ(s.ColWidths(0), border + 30);
    send(s.viewport(), QEvent::MouseButtonPress, QPoint(border + 30 + 1, y), Qt::LeftButton);
    send(s.viewport(), QEvent::MouseButtonRelease, QPoint(-40, y), Qt::LeftButton);
    EXPECT_EQ(s.ColWidths(0), 0) << "never a negative width";

    // A drag begins only once the pointer is more than 3 pixels away.
    TExtStringGrid d;
    d.DragDropSettings.OleDropSource = true;
    d.show();
    int drags = 0;
    d.OnOleDrag = [&](QObject*, int, int, const QString&, bool&) { ++drags; };
    const QPoint p = centre(d, d.Col(), d.Row());
    send(d.viewport(), QEvent::MouseButtonPress, p, Qt::LeftButton);
    move(d, p + QPoint(3, 0), Qt::LeftButton);
    EXPECT_EQ(drags, 0);
    move(d, p + QPoint(4, 0), Qt::LeftButton);
    EXPECT_EQ(drags, 1);
    send(d.viewport(), QEvent::MouseButtonRelease, p + QPoint(4, 0), Qt::LeftButton);
    EXPECT_EQ(d.Selection(), (TGridRect{1, 1, 1, 1})) << "an allowed drag selects nothing";

    // A drag the handler refuses turns the press into a range selection from the pressed cell.
    d.SetOptions(d.Options() | goRangeSelect);
    d.FocusCell(2, 2, true);
    d.OnOleDrag = [&](QObject*, int, int, const QString&, bool& allow) { allow = false; };
    const QPoint q = centre(d, 2, 2);
    send(d.viewport(), QEvent::MouseButtonPress, q, Qt::LeftButton);
    move(d, centre(d, 3, 2), Qt::LeftButton);
    move(d, centre(d, 4, 3), Qt::LeftButton);
    send(d.viewport(), QEvent::MouseButtonRelease, centre(d, 4, 3), Qt::LeftButton);
    EXPECT_EQ(d.Selection(), (TGridRect{2, 2, 4, 3}));
    move(d, centre(d, 1, 1), Qt::NoButton);
    EXPECT_EQ(d.Selection(), (TGridRect{2, 2, 4, 3})) << "the release ends the selecting";
}

// Stands for the editing half's drag: notes what the grid shows while the drag runs.
class DragWatcher : public TGridEditingServices {
public:
    void StartCellDrag(TExtStringGrid& g, int ACol, int ARow) override
    {
        ++drags;
        dragged = {ACol, ARow};
        if (const QWidget* image = g.MoveHeaderImage(); image && image->isVisible())
            imageRect = QRect(image->pos(), image->size());
    }
    int drags = 0;
    TGridCoord dragged{-1, -1};
    QRect imageRect;
};

TEST(GridPointer, AHeaderDraggedAsAColumnFloatsAtItsPlaceWhileTheDragRuns)
{
    TGridEditingServices* installed = GridEditingServices();
    DragWatcher watcher;
    InstallGridEditingServices(&watcher);
    TExtStringGrid g;
    g.DragDropSettings.OleDropSource = true;
    g.DragDropSettings.OleColumnDragDrop = true;
    g.EnhRowColMove = false;  // a header press may start a drag
    g.SetColWidths(2, 90);
    g.SetCellText(2, 0, QStringLiteral("<B>Puls</B>"));
    g.show();
    const QPoint p = centre(g, 2, 0);
    send(g.viewport(), QEvent::MouseButtonPress, p, Qt::LeftButton);
    move(g, p + QPoint(0, 5), Qt::LeftButton);
    send(g.viewport(), QEvent::MouseButtonRelease, p + QPoint(0, 5), Qt::LeftButton);
    EXPECT_EQ(watcher.drags, 1);
    EXPECT_EQ(watcher.dragged, (TGridCoord{2, 0}));
    EXPECT_EQ(watcher.imageRect,
              QRect(g.viewport()->mapToGlobal(g.CellRect(2, 0).topLeft()), QSize(90, g.RowHeights(0))));
    EXPECT_EQ(g.MoveHeaderImage(), nullptr) << "the image goes with the drag";

    // A data cell's drag carries text: no header image.
    watcher.imageRect = QRect();
    g.FocusCell(1, 1, true);
    const QPoint q = centre(g, 1, 1);
    send(g.viewport(), QEvent::MouseButtonPress, q, Qt::LeftButton);
    move(g, q + QPoint(6, 0), Qt::LeftButton);
    send(g.viewport(), QEvent::MouseButtonRelease, q + QPoint(6, 0), Qt::LeftButton);
    EXPECT_EQ(watcher.drags, 2);
    EXPECT_TRUE(watcher.imageRect.isNull());
    InstallGridEditingServices(installed);
}

TEST(GridPointer, CellsPickedOneByOneFarDownALongGrid)
{
    TExtStringGrid g;
    g.SetRowCount(80000);
    g.MouseActions.DisjunctCellSelect = true;
    g.show();
    // Row 70,000 is 65,536 rows after row 4,464: the two must not be taken for each other.
    g.SetTopRow(70000 - 2);
    click(g, centre(g, 1, 70000), Qt::ControlModifier);
    EXPECT_FALSE(g.IsCellSelected(1, 4464));
    g.SetTopRow(4464 - 2);
    click(g, centre(g, 1, 4464), Qt::ControlModifier);
    EXPECT_EQ(g.SelectedCells(), (std::vector<TGridCoord>{{1, 70000}, {1, 4464}}));
    EXPECT_TRUE(g.IsCellSelected(1, 4464));
    EXPECT_TRUE(g.IsCellSelected(1, 70000));
}

TEST(GridTimer, TypeAheadExpiresAndOnlyBlinkingCellsRepaint)
{
    TExtStringGrid g;
    g.Navigation.AutoGotoIncremental = true;
    g.SetTypeAheadText(QStringLiteral("Lau"));
    for (int i = 0; i < 3; ++i)
        g.GridTimerTick();
    EXPECT_EQ(g.TypeAheadText(), QStringLiteral("Lau"));
    g.GridTimerTick();
    EXPECT_EQ(g.TypeAheadText(), QString());

    class Counter : public QObject {
    public:
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    g.EnableBlink = true;
    g.show();
    g.viewport()->installEventFilter(&counter);
    const auto tick = [&] {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        counter.paints = 0;
        g.GridTimerTick();
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
        return counter.paints;
    };
    g.SetCellText(2, 2, QStringLiteral("<B>bold</B>"));
    EXPECT_EQ(tick(), 0);
    g.SetCellText(2, 3, QStringLiteral("<BLINK>now</BLINK>"));
    EXPECT_GT(tick(), 0);
    EXPECT_GT(tick(), 0);
}

}  // namespace

namespace {

TEST(GridPointer, HotHeadersSizingHintsPermissionsAndTheResizeHandle)
{
    TExtStringGrid g;
    g.SetLook(glListView);
    g.show();
    move(g, centre(g, 2, 0));
    EXPECT_EQ(g.HotCell(), (TGridCoord{2, 0}));
    move(g, centre(g, 3, 4));
    EXPECT_EQ(g.HotCell(), (TGridCoord{3, 4}));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&g, &leave);
    EXPECT_EQ(g.HotCell(), (TGridCoord{-1, -1}));

    // The width beside a column being sized, scrollable or fixed; gone with the release.
    TExtStringGrid s;
    s.SetOptions(s.Options() | goColSizing);
    s.HintShowSizing = true;
    s.MouseActions.SizeFixedCol = true;
    s.show();
    const QRect header = s.CellRect(1, 0);
    const QPoint border(header.left() + header.width(), header.center().y());
    send(s.viewport(), QEvent::MouseButtonPress, border, Qt::LeftButton);
    move(s, border + QPoint(20, 0), Qt::LeftButton);
    EXPECT_EQ(s.SizingHintText(), QStringLiteral("cw=<b>%1</b>").arg(header.width() + 20));
    send(s.viewport(), QEvent::MouseButtonRelease, border + QPoint(20, 0), Qt::LeftButton);
    EXPECT_EQ(s.SizingHintText(), QString());
    const int fixedBorder = s.ColWidths(0);
    const int y = centre(s, 0, 3).y();
    send(s.viewport(), QEvent::MouseButtonPress, QPoint(fixedBorder + 1, y), Qt::LeftButton);
    move(s, QPoint(fixedBorder + 30, y), Qt::LeftButton);
    EXPECT_EQ(s.SizingHintText(), QStringLiteral("cw=<b>%1</b>").arg(fixedBorder + 30));
    send(s.viewport(), QEvent::MouseButtonRelease, QPoint(fixedBorder + 30, y), Qt::LeftButton);

    // OnColumnSize and OnRowSize may forbid a sizing: the border is then a plain cell.
    TExtStringGrid f;
    f.SetOptions(f.Options() | goColSizing | goRowSizing);
    f.show();
    std::vector<int> asked;
    f.OnColumnSize = [&](QObject*, int ACol, bool& Allow) {
        asked.push_back(ACol);
        Allow = false;
    };
    f.OnRowSize = [&](QObject*, int, bool& Allow) { Allow = false; };
    const int w = f.ColWidths(1);
    const QRect h = f.CellRect(1, 0);
    send(f.viewport(), QEvent::MouseButtonPress, QPoint(h.left() + h.width(), h.center().y()), Qt::LeftButton);
    move(f, QPoint(h.left() + h.width() + 25, h.center().y()), Qt::LeftButton);
    send(f.viewport(), QEvent::MouseButtonRelease, QPoint(h.left() + h.width() + 25, h.center().y()), Qt::LeftButton);
    EXPECT_EQ(f.ColWidths(1), w);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), 1);
    const int rh = f.RowHeights(2);
    const QRect rc = f.CellRect(0, 2);
    send(f.viewport(), QEvent::MouseButtonPress, QPoint(rc.center().x(), rc.top() + rc.height()), Qt::LeftButton);
    send(f.viewport(), QEvent::MouseButtonRelease, QPoint(rc.center().x(), rc.top() + rc.height() + 15), Qt::LeftButton);
    EXPECT_EQ(f.RowHeights(2), rh);

    // Sizing borders: a header's column border with goColSizing, a fixed cell's bottom.
    EXPECT_TRUE(f.IsOnSizingBorder(h.left() + h.width() - 2, h.center().y()));
    EXPECT_FALSE(f.IsOnSizingBorder(h.left() + h.width() - 5, h.center().y()));
    EXPECT_FALSE(f.IsOnSizingBorder(centre(f, 2, 3).x(), centre(f, 2, 3).y()));
    EXPECT_TRUE(f.IsOnSizingBorder(rc.center().x(), rc.top() + rc.height() - 2));

    // The selection's resize handle.
    TExtStringGrid r;
    r.SetSelectionRectangle(true);
    r.SetSelectionResizer(true);
    r.show();
    const QRect cell = r.CellRect(r.Col(), r.Row());
    move(r, QPoint(cell.left() + cell.width(), cell.top() + cell.height()));
    EXPECT_EQ(r.MouseSelectMode(), msmResize);

    // With RangeSelectAndEdit a drag to another cell is a range selection, not an edit.
    TExtStringGrid e;
    e.SetOptions(e.Options() | goEditing | goRangeSelect);
    e.MouseActions.RangeSelectAndEdit = true;
    e.show();
    send(e.viewport(), QEvent::MouseButtonPress, centre(e, 1, 1), Qt::LeftButton);
    move(e, centre(e, 1, 1) + QPoint(1, 0), Qt::LeftButton);
    EXPECT_TRUE(e.Options() & goEditing) << "still in the pressed cell";
    move(e, centre(e, 3, 3), Qt::LeftButton);
    send(e.viewport(), QEvent::MouseButtonRelease, centre(e, 3, 3), Qt::LeftButton);
    EXPECT_FALSE(e.Options() & goEditing);
}

}  // namespace
