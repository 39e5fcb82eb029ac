// The cell store and merged cells: text at the base cell, records, merges and splits with their
// guards, keys over merged areas, display hooks, the undo recorder and the cell frame's drawing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include "grid/display/basegrid.h"
#include "tests/support/grid/recordingcanvas.h"
#include "tests/support/qstringprinter.h"

namespace {

// Gives the tests the grid's protected drawing hook.
class TestGrid : public TBaseGrid {
public:
    TestGrid()
    {
        SetColCount(8);
        SetRowCount(8);
        resize(600, 300);
    }
    using TBaseGrid::DrawCell;
};

void press(QWidget* w, int key)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Every cell that is not a base cell lies inside the area its base cell spans.
QString orphans(const TBaseGrid& g)
{
    QString out;
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c) {
            const TCellProperties* p = g.FindCellProperties(c, r);
            if (!p || p->IsBaseCell)
                continue;
            const TGridCoord b = g.BaseCell(c, r);
            const TCellProperties* base = g.FindCellProperties(b.X, b.Y);
            if (!base || !base->IsBaseCell || c > b.X + base->CellSpanX || r > b.Y + base->CellSpanY)
                out += QStringLiteral("(%1,%2) ").arg(c).arg(r);
        }
    return out;
}

TEST(BaseGridCells, TextLivesAtTheBaseCellOfAMergedArea)
{
    TestGrid g;
    g.MergeCells(5, 5, 1, 1);
    EXPECT_FALSE(g.IsMergedCell(5, 5));
    EXPECT_EQ(g.CellSpan(5, 5), (TGridCoord{0, 0}));

    g.MergeCells(1, 1, 3, 2);
    g.SetCellText(3, 2, QStringLiteral("x"));
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) {
            EXPECT_EQ(g.GetCellText(c, r), QStringLiteral("x")) << c << "," << r;
            EXPECT_EQ(g.BaseCell(c, r), (TGridCoord{1, 1}));
            EXPECT_EQ(g.CellSpan(c, r), (TGridCoord{2, 1}));
        }
    EXPECT_TRUE(g.IsColSpanCell(2, 2));
    EXPECT_TRUE(g.IsRowSpanCell(3, 1));
    EXPECT_EQ(g.CellSize(2, 2), QSize(3 * g.DefaultColWidth(), 2 * g.DefaultRowHeight()));
    g.SplitCells(2, 2);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("x"));
    EXPECT_EQ(g.GetCellText(3, 2), QString());
    EXPECT_FALSE(g.IsMergedCell(1, 1));

    // A cell with only its text has no record until one is asked for.
    g.SetCellText(6, 6, QStringLiteral("t"));
    EXPECT_FALSE(g.HasCellProperties(6, 6));
    g.CellProperties(6, 6)->Alignment = taCenter;
    EXPECT_TRUE(g.HasCellProperties(6, 6));
}

TEST(BaseGridCells, MergesPastTheGridOverlapsAndEmptyCountsLeaveNoOrphans)
{
    const struct {
        const char* name;
        int col, row, cols, rows;
        TGridCoord base;  // the base cell of (col, row) afterwards
        TGridCoord span;
    } cases[] = {
        {"past the grid", 6, 6, 5, 5, {6, 6}, {1, 1}},
        {"overlapping the older merge", 2, 2, 2, 2, {2, 2}, {1, 1}},
        {"no columns", 4, 4, 0, 3, {4, 4}, {0, 0}},
        {"negative rows", 4, 4, 2, -1, {4, 4}, {0, 0}},
        {"starting left of the grid", -2, 0, 3, 1, {0, 0}, {0, 0}},
    };
    for (const auto& c : cases) {
        TestGrid g;
        g.MergeCells(1, 1, 3, 3);  // the older merge
        g.MergeCells(c.col, c.row, c.cols, c.rows);
        const TGridCoord at{std::max(c.col, 0), std::max(c.row, 0)};
        EXPECT_EQ(g.BaseCell(at.X, at.Y), c.base) << c.name;
        EXPECT_EQ(g.CellSpan(at.X, at.Y), c.span) << c.name;
        EXPECT_EQ(orphans(g), QString()) << c.name;
        // The merged rectangle of every cell stays within the grid's columns.
        for (int col = 0; col < g.ColCount(); ++col)
            EXPECT_LE(g.MergedCellRect(col, g.RowCount() - 1).width(), g.ColCount() * g.DefaultColWidth()) << c.name;
    }
    // A merge over the older area's corner split the older area as a whole.
    TestGrid g;
    g.MergeCells(1, 1, 3, 3);
    g.MergeCells(3, 3, 2, 2);
    EXPECT_FALSE(g.IsMergedCell(1, 1));
    EXPECT_FALSE(g.IsMergedCell(2, 2));
    EXPECT_EQ(g.CellSpan(4, 4), (TGridCoord{1, 1}));
}

TEST(BaseGridCells, WritesBeyondTheRowCountAreKeptAndRecordsAreTheGridsOwn)
{
    auto* g = new TestGrid;
    g->SetRowCount(2);
    g->SetCellText(0, 5, QStringLiteral("x"));
    g->SetRowCount(6);
    EXPECT_EQ(g->GetCellText(0, 5), QStringLiteral("x"));
    // Rows cut off go.
    g->SetRowCount(3);
    g->SetRowCount(6);
    EXPECT_EQ(g->GetCellText(0, 5), QString());

    // The application's object sits in the record and outlives the grid.
    QPointer<QObject> object = new QObject;
    g->SetCellObject(2, 2, object);
    EXPECT_EQ(g->GetCellObject(2, 2), object.data());
    g->FreeCellObject(2, 2);
    EXPECT_FALSE(object.isNull());
    g->SetCellObject(3, 3, object);
    delete g;
    ASSERT_FALSE(object.isNull());
    delete object.data();
}

TEST(BaseGridCells, DisplayHooksRunBelowTheDisplayRowLimit)
{
    TestGrid g;
    g.SetRowCount(4);
    g.SetCellText(1, 3, QStringLiteral("raw"));
    g.SetCellText(1, 4, QStringLiteral("beyond"));
    g.OnGetDisplText = [](QObject*, int ACol, int ARow, QString& v) { v = QStringLiteral("%1:%2 %3").arg(ACol).arg(ARow).arg(v); };
    EXPECT_EQ(g.GetCellText(1, 3), QStringLiteral("1:3 raw"));
    EXPECT_EQ(g.GetCellText(1, 4), QStringLiteral("beyond"));
    EXPECT_EQ(g.GetRawCell(1, 3), QStringLiteral("raw"));
    g.SetDisplayRowLimit(3);
    EXPECT_EQ(g.GetCellText(1, 3), QStringLiteral("raw"));
    // Wide text stays text: no code page on the way.
    g.SetDisplayRowLimit(4);
    g.OnGetDisplText = nullptr;
    g.OnGetDisplWideText = [](QObject*, int, int, QString& v) { v += QStringLiteral(" \u20AC\u4E2D"); };
    EXPECT_EQ(g.GetCellText(1, 3), QStringLiteral("raw \u20AC\u4E2D"));
}

TEST(BaseGridKeys, ArrowsLeaveAMergedAreaAsAWhole)
{
    TestGrid g;
    g.SetFixedCols(1);
    g.MergeCells(2, 2, 3, 1);
    g.FocusCell(2, 2, true);
    press(&g, Qt::Key_Right);
    EXPECT_EQ(g.Col(), 5);
    g.FocusCell(4, 2, true);  // snaps to nothing by itself: the key does
    press(&g, Qt::Key_Left);
    EXPECT_EQ(g.Col(), 1);
    // Moving into the area lands on its base.
    g.FocusCell(3, 3, true);
    press(&g, Qt::Key_Up);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 2);
    // A wheel notch down leaves a merged area from its last row (it does not snap back to the
    // base); up from below lands on the base.
    g.MergeCells(3, 4, 1, 2);
    g.FocusCell(3, 4, true);
    g.DoMouseWheelDown();
    EXPECT_EQ(g.Row(), 6);
    g.DoMouseWheelUp();
    EXPECT_EQ(g.Row(), 4);
}

TEST(BaseGridUndo, KeepsAtMostMaxLevelEdits)
{
    TestGrid g;
    TExtGridUndoRedo undo;
    undo.SetMaxLevel(3);
    g.SetUndoRedo(&undo);
    EXPECT_EQ(undo.Grid(), &g);
    for (int i = 1; i <= 4; ++i)
        undo.AddUndo(i, 1, QStringLiteral("o%1").arg(i), QStringLiteral("v%1").arg(i));
    EXPECT_EQ(undo.Level(), 3);
    ASSERT_EQ(undo.Items().size(), 3u);
    EXPECT_EQ(undo.Items().front().Col, 2);
    EXPECT_EQ(undo.Items().front().OrigValue, QStringLiteral("o2"));
    g.SetUndoRedo(nullptr);
    EXPECT_EQ(undo.Grid(), nullptr);
}

TEST(BaseGridPainting, FrameFillsDrawsTheGridLinesAndAMergedAreaOnce)
{
    TestGrid g;
    g.show();
    g.SetGridLineColor(clRed);
    RecordingCanvas canvas;
    const QRect r = g.CellRect(2, 2);
    g.DrawCell(canvas, 2, 2, r, TGridDrawState());
    const QVector<RecordedOp> lines = canvas.OpsOf(CanvasOp::Line);
    ASSERT_EQ(lines.size(), 2);
    // Bottom and right lines on the cell's last row and column, in the grid's line colour.
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    EXPECT_EQ(lines[0].points, (QVector<QPoint>{{r.left(), bottom - 1}, {right, bottom - 1}}));
    EXPECT_EQ(lines[1].points, (QVector<QPoint>{{right - 1, bottom - 1}, {right - 1, r.top() - 1}}));
    EXPECT_EQ(lines[0].color, clRed);
    // A fixed cell's lines are grey; the text is centred in the rectangle less the lines.
    canvas.Clear();
    g.SetCellText(0, 0, QStringLiteral("ab"));
    g.DrawCell(canvas, 0, 0, g.CellRect(0, 0), TGridDrawState(gdFixed));
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Line)[0].color, TColor(0x808080));
    ASSERT_EQ(canvas.OpsOf(CanvasOp::Text).size(), 1);
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Text)[0].rect, QRect(25, 4, 14, 16));

    // One pass draws a merged area once, at its merged rectangle.
    g.MergeCells(1, 1, 2, 2);
    g.SetCellText(1, 1, QStringLiteral("m"));
    canvas.Clear();
    g.PaintCells(canvas, g.viewport()->rect());
    EXPECT_EQ(canvas.Texts().count(QStringLiteral("m")), 1);
    for (const RecordedOp& op : canvas.OpsOf(CanvasOp::Text)) {
        if (op.text == QStringLiteral("m")) {
            EXPECT_EQ(op.rect.center(), g.MergedCellRect(1, 1).center());
        }
    }
    // The footer row is filled and nothing more.
    g.SetFooterRow(true);
    canvas.Clear();
    g.DrawCell(canvas, 3, g.RowCount() - 1, QRect(0, 0, 10, 10), TGridDrawState());
    ASSERT_EQ(canvas.Ops().size(), 1);
    EXPECT_EQ(canvas.Ops()[0].kind, CanvasOp::Fill);
}

}  // namespace
