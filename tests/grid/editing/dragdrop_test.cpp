// Drag and drop of grids: what a drop of text, files or a header column does to the target grid,
// and what the source grid does with the cells it dragged away.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "grid/display/extgrid.h"
#include "grid/display/gridservices.h"
#include "grid/editing/esgdd.h"
#include "grid/editing/gridediting.h"
#include "tests/support/qstringprinter.h"
#include "tests/support/testenv.h"

namespace {

// A drag delivered to the grid's cells as the toolkit delivers a user's: it enters, moves to the
// point and drops there. Answers the action the drop took (IgnoreAction when it was refused).
Qt::DropAction deliver(TExtStringGrid& target, const QPoint& at, const QMimeData* data,
                       Qt::DropActions possible = Qt::CopyAction | Qt::MoveAction,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* cells = target.viewport();
    QDragEnterEvent enter(at, possible, data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(cells, &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDragMoveEvent move(at, possible, data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(cells, &move);
    if (!move.isAccepted()) {
        QDragLeaveEvent leave;
        QApplication::sendEvent(cells, &leave);
        return Qt::IgnoreAction;
    }
    QDropEvent drop(QPointF(at), possible, data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(cells, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

QPoint cellPoint(TExtStringGrid& g, int col, int row)
{
    return g.CellRect(col, row).center();
}

std::unique_ptr<QMimeData> textData(const QString& text)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    return data;
}

std::unique_ptr<QMimeData> filesData(const QStringList& files)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& f : files)
        urls << QUrl::fromLocalFile(f);
    data->setUrls(urls);
    data->setText(files.join(QLatin1Char('\n')));  // as file managers offer them
    return data;
}

// A grid that takes drops, its data cells numbered "r<row>c<col>".
struct DropGrid : TExtStringGrid {
    DropGrid()
    {
        DragDropSettings.SetOleDropTarget(true);
        DragDropSettings.OleDropSource = true;
        for (int r = 1; r < RowCount(); ++r)
            for (int c = 1; c < ColCount(); ++c)
                SetCellText(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
    }
    QStringList column(int c)
    {
        QStringList texts;
        for (int r = 1; r < RowCount(); ++r)
            texts << GetRawCell(c, r);
        return texts;
    }
};

// Drags started from a grid go to a target at a point, with the keys held.
class DragLoopScope {
public:
    DragLoopScope(TExtStringGrid& target, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        SetGridDragLoop([&target, at, modifiers](QWidget*, QMimeData* data, Qt::DropActions allowed) {
            return deliver(target, at, data, allowed, modifiers);
        });
    }
    ~DragLoopScope() { SetGridDragLoop(nullptr); }
};

void startDrag(TExtStringGrid& g, int col, int row)
{
    GridEditingServices()->StartCellDrag(g, col, row);
}

}  // namespace

TEST(GridDrop, TheTargetRegistersWithOleDropTarget)
{
    TExtStringGrid g;
    EXPECT_FALSE(g.viewport()->acceptDrops());
    g.DragDropSettings.SetOleDropTarget(true);
    EXPECT_TRUE(g.DropTargetRegistered());
    EXPECT_TRUE(g.viewport()->acceptDrops());
    g.DragDropSettings.SetOleDropTarget(false);
    EXPECT_FALSE(g.DropTargetRegistered());
    EXPECT_FALSE(g.viewport()->acceptDrops());
    auto data = textData(QStringLiteral("x"));
    EXPECT_EQ(deliver(g, cellPoint(g, 1, 1), data.get()), Qt::IgnoreAction);

    // Extra start-ups of the unit are matched by their ends; the services stay.
    InitGridEditingUnit();
    DoneGridEditingUnit();
    EXPECT_NE(GridEditingServices(), nullptr);
}

TEST(GridDrop, EffectIsCopyWithCtrlElseMoveWhereTheSourceAllowsIt)
{
    EXPECT_EQ(DropEffect(Qt::ControlModifier, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(DropEffect(Qt::NoModifier, Qt::CopyAction | Qt::MoveAction), Qt::MoveAction);
    EXPECT_EQ(DropEffect(Qt::NoModifier, Qt::CopyAction), Qt::CopyAction);

    // Through a real drag: Ctrl copies, and the source keeps its cells.
    DropGrid source, target;
    source.SetSelection(TGridRect{1, 1, 2, 1});
    std::vector<int> stops;
    source.OnOleDragStop = [&](QObject*, int effect) { stops.push_back(effect); };
    {
        DragLoopScope loop(target, cellPoint(target, 2, 5), Qt::ControlModifier);
        startDrag(source, 1, 1);
    }
    EXPECT_EQ(target.GetRawCell(2, 5), QStringLiteral("r1c1"));
    EXPECT_EQ(target.GetRawCell(3, 5), QStringLiteral("r1c2"));
    EXPECT_EQ(source.GetRawCell(1, 1), QStringLiteral("r1c1"));
    // Without Ctrl the cells move: the source empties them.
    {
        DragLoopScope loop(target, cellPoint(target, 2, 7));
        startDrag(source, 1, 1);
    }
    EXPECT_EQ(target.GetRawCell(2, 7), QStringLiteral("r1c1"));
    EXPECT_EQ(source.GetRawCell(1, 1), QString());
    EXPECT_EQ(source.GetRawCell(2, 1), QString());
    EXPECT_EQ(source.GetRawCell(3, 1), QStringLiteral("r1c3"));
    EXPECT_EQ(stops, (std::vector<int>{1, 2}));
}

TEST(GridDrop, ARefusedOrCancelledDragLeavesTheSourceAlone)
{
    DropGrid source, target;
    source.SetSelection(TGridRect{1, 1, 1, 2});
    int stops = 0;
    source.OnOleDragStop = [&](QObject*, int) { ++stops; };
    target.OnOleDrop = [](QObject*, int, int, const QString&, bool& allow) { allow = false; };
    {
        DragLoopScope loop(target, cellPoint(target, 1, 5));
        startDrag(source, 1, 1);
    }
    // A drop on the header row of a grid of several rows is refused too.
    target.OnOleDrop = nullptr;
    {
        DragLoopScope loop(target, cellPoint(target, 2, 0));
        startDrag(source, 1, 1);
    }
    SetGridDragLoop([](QWidget*, QMimeData*, Qt::DropActions) { return Qt::IgnoreAction; });  // Escape
    startDrag(source, 1, 1);
    SetGridDragLoop(nullptr);
    EXPECT_EQ(source.column(1).mid(0, 2), (QStringList{"r1c1", "r2c1"}));
    EXPECT_EQ(target.GetRawCell(1, 5), QStringLiteral("r5c1"));
    EXPECT_EQ(target.GetRawCell(2, 0), QString());
    EXPECT_EQ(stops, 0);
}

TEST(GridDrop, TextInsertsItsRowsAndIsSelected)
{
    DropGrid g;
    g.DragDropSettings.OleInsertRows = true;
    TGridRect dropped;
    g.OnOleDropped = [&](QObject*, const TGridRect& r) { dropped = r; };
    auto data = textData(QStringLiteral("a\tb\r\nc\td\r\n\"e\tf\"\tg\r\n"));
    EXPECT_EQ(deliver(g, cellPoint(g, 2, 3), data.get()), Qt::MoveAction);
    EXPECT_EQ(g.RowCount(), 13);
    EXPECT_EQ(g.column(2).mid(0, 6), (QStringList{"r1c2", "r2c2", "a", "c", "e\tf", "r3c2"}));
    EXPECT_EQ(g.GetRawCell(3, 5), QStringLiteral("g"));
    EXPECT_EQ(g.GetRawCell(1, 3), QString()) << "inserted rows are empty beside the block";
    EXPECT_EQ(g.Selection(), (TGridRect{2, 3, 3, 5}));
    EXPECT_EQ(dropped, (TGridRect{2, 3, 3, 5}));

    // A grid that is one header row takes text on it: the text goes below the header.
    TExtStringGrid header;
    header.FixedRowAlways = true;
    header.SetRowCount(1);
    header.DragDropSettings.SetOleDropTarget(true);
    header.DragDropSettings.OleInsertRows = true;
    ASSERT_EQ(header.RowCount(), 1);
    EXPECT_EQ(deliver(header, cellPoint(header, 1, 0), data.get()), Qt::MoveAction);
    EXPECT_EQ(header.GetRawCell(1, 1), QStringLiteral("a"));
    EXPECT_EQ(header.GetRawCell(1, 3), QStringLiteral("e\tf"));
    EXPECT_EQ(header.GetRawCell(1, 0), QString());
}

TEST(GridDrop, AMoveWithinOneGridMovesTheRightRows)
{
    // Whole rows moved with OleRemoveRows: the rows the drop inserts above the dragged block move
    // it down, and the source removes the block where it is then.
    for (const int to : {7, 2}) {
        SCOPED_TRACE(to);
        DropGrid g;
        g.SetOptions(g.Options() | goRowSelect);
        g.DragDropSettings.OleInsertRows = true;
        g.DragDropSettings.OleRemoveRows = true;
        g.SetSelection(TGridRect{1, 4, 4, 5});
        {
            DragLoopScope loop(g, cellPoint(g, 1, to));
            startDrag(g, 1, 4);
        }
        const QStringList expected =
            to == 7 ? QStringList{"r1c1", "r2c1", "r3c1", "r6c1", "r4c1", "r5c1", "r7c1", "r8c1", "r9c1"}
                    : QStringList{"r1c1", "r4c1", "r5c1", "r2c1", "r3c1", "r6c1", "r7c1", "r8c1", "r9c1"};
        EXPECT_EQ(g.column(1), expected);
        EXPECT_EQ(g.RowCount(), 10);
    }

    // Without inserted rows nothing shifts: the cells dropped elsewhere stay and the source block
    // is emptied.
    DropGrid g;
    g.SetSelection(TGridRect{1, 1, 1, 2});
    {
        DragLoopScope loop(g, cellPoint(g, 1, 6));
        startDrag(g, 1, 1);
    }
    EXPECT_EQ(g.column(1), (QStringList{"", "", "r3c1", "r4c1", "r5c1", "r1c1", "r2c1", "r8c1", "r9c1"}));

    // A move onto its own block does nothing at all.
    DropGrid same;
    same.SetSelection(TGridRect{1, 1, 2, 2});
    int stops = 0;
    same.OnOleDragStop = [&](QObject*, int) { ++stops; };
    for (const QPoint at : {cellPoint(same, 2, 2), cellPoint(same, 1, 1)}) {
        DragLoopScope loop(same, at);
        startDrag(same, 1, 1);
    }
    same.DragDropSettings.OleInsertRows = true;
    {
        DragLoopScope loop(same, cellPoint(same, 1, 2));  // new rows inside the block
        startDrag(same, 1, 1);
    }
    EXPECT_EQ(same.column(1).mid(0, 3), (QStringList{"r1c1", "r2c1", "r3c1"}));
    EXPECT_EQ(same.column(2).mid(0, 3), (QStringList{"r1c2", "r2c2", "r3c2"}));
    EXPECT_EQ(same.RowCount(), 10);
    EXPECT_EQ(stops, 0);
}

TEST(GridDrop, OneCsvOrWorkbookFileLoadsByItsExtension)
{
    TempFolder folder;
    const QString csv = folder.write("report.csv", "a;b\n1;2\n");
    QFile::copy(SourceFile("tests/support/grid/fixtures/twosheets.xlsx"), folder.file("report.xlsx"));
    QFile::copy(SourceFile("tests/support/grid/fixtures/twosheets.xls"), folder.file("report.xls"));
    QDir().mkdir(folder.file("x.csv.d"));
    const QString png = folder.write("x.csv.d/a.png", "a;b\n1;2\n");
    const QString txt = folder.write("notes.csv.txt", "a;b\n1;2\n");

    DropGrid g;
    std::vector<QString> offered;
    g.OnOleDropFile = [&](QObject*, int, int, const QString& file, bool&) { offered.push_back(file); };
    // Neither a file that only names ".csv" in its path, nor two files, are imported.
    for (const QStringList& files : {QStringList{png}, QStringList{txt}, QStringList{csv, txt}}) {
        auto data = filesData(files);
        deliver(g, cellPoint(g, 1, 1), data.get());
        EXPECT_EQ(g.GetRawCell(1, 1), QStringLiteral("r1c1")) << files.join(' ').toStdString();
    }
    auto one = filesData({csv});
    // A file dropped is copied, never moved: the file manager keeps it.
    EXPECT_EQ(deliver(g, cellPoint(g, 2, 2), one.get()), Qt::CopyAction);
    EXPECT_EQ(g.GetRawCell(0, 0), QStringLiteral("a"));
    EXPECT_EQ(g.GetRawCell(1, 1), QStringLiteral("2"));
    EXPECT_EQ(g.RowCount(), 2);

    for (const char* name : {"report.xlsx", "report.xls"}) {
        auto book = filesData({folder.file(name)});
        EXPECT_EQ(deliver(g, cellPoint(g, 1, 1), book.get()), Qt::CopyAction);
        EXPECT_EQ(g.GetRawCell(2, 1), QStringLiteral("Köln")) << name;
    }
    EXPECT_EQ(offered.size(), size_t(5));  // not for two files at once

    // OnOleDrop may refuse the file's import.
    g.OnOleDrop = [](QObject*, int, int, const QString&, bool& allow) { allow = false; };
    g.SetCellText(1, 1, QStringLiteral("kept"));
    EXPECT_EQ(deliver(g, cellPoint(g, 1, 1), one.get()), Qt::IgnoreAction);
    EXPECT_EQ(g.GetRawCell(1, 1), QStringLiteral("kept"));
}

TEST(GridDrop, AHeaderColumnGoesToTheApplicationOverAHeaderCell)
{
    DropGrid source, target;
    source.DragDropSettings.OleColumnDragDrop = true;
    target.DragDropSettings.OleColumnDragDrop = true;
    std::vector<int> drops;
    target.OnOleDropCol = [&](QObject*, int ARow, int ACol, int DropCol) { drops = {ARow, ACol, DropCol}; };
    int stop = 0;
    source.OnOleDragStop = [&](QObject*, int effect) { stop = effect; };
    {
        // Over a data cell the column is refused; over a header cell it is taken.
        DragLoopScope loop(target, cellPoint(target, 2, 3));
        startDrag(source, 3, 0);
    }
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(stop, 0);
    {
        DragLoopScope loop(target, cellPoint(target, 2, 0));
        startDrag(source, 3, 0);
    }
    EXPECT_EQ(drops, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(stop, 2);
    EXPECT_EQ(target.column(2), source.column(2)) << "the grid itself moves nothing";

    // The column of another process is not taken.
    QMimeData foreign;
    foreign.setData(QLatin1StringView(kGridColumnMimeType), QByteArray("1:3"));
    drops.clear();
    EXPECT_EQ(deliver(target, cellPoint(target, 2, 0), &foreign), Qt::IgnoreAction);
    EXPECT_TRUE(drops.empty());
}

TEST(GridDrag, APressOnSelectedCellsDraggedAwayCarriesTheirText)
{
    DropGrid source;
    source.SetOptions(source.Options() | goRangeSelect);
    source.show();
    source.SetSelection(TGridRect{1, 1, 2, 2});
    QString carried;
    Qt::DropActions offered;
    SetGridDragLoop([&](QWidget* from, QMimeData* data, Qt::DropActions allowed) {
        EXPECT_EQ(from, &source);
        carried = data->text();
        offered = allowed;
        return Qt::IgnoreAction;
    });
    auto mouse = [&](QEvent::Type type, const QPoint& at, Qt::MouseButtons held) {
        QMouseEvent e(type, at, source.viewport()->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(source.viewport(), &e);
    };
    const QPoint p = cellPoint(source, 2, 2);
    mouse(QEvent::MouseButtonPress, p, Qt::LeftButton);
    mouse(QEvent::MouseMove, p + QPoint(5, 0), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, p + QPoint(5, 0), Qt::NoButton);
    SetGridDragLoop(nullptr);
    EXPECT_EQ(carried, QStringLiteral("r1c1\tr1c2\r\nr2c1\tr2c2"));
    EXPECT_EQ(offered, Qt::CopyAction | Qt::MoveAction);
    EXPECT_EQ(source.GetRawCell(1, 1), QStringLiteral("r1c1")) << "a cancelled drag takes nothing";
}

TEST(GridDrop, ADropThatWritesNoCellIsRefusedAndTheSourceKeepsItsCells)
{
    DropGrid source, target;
    target.DragDropSettings.OleInsertRows = true;
    target.OnCanEditCell = [](QObject*, int, int, bool& can) { can = false; };
    source.SetSelection(TGridRect{1, 1, 1, 1});
    int stops = 0;
    source.OnOleDragStop = [&](QObject*, int) { ++stops; };
    {
        DragLoopScope loop(target, cellPoint(target, 1, 3));
        startDrag(source, 1, 1);
    }
    EXPECT_EQ(source.GetRawCell(1, 1), QStringLiteral("r1c1"));
    EXPECT_EQ(target.RowCount(), 10) << "the rows inserted for it are taken out again";
    EXPECT_EQ(target.GetRawCell(1, 3), QStringLiteral("r3c1"));
    EXPECT_EQ(stops, 0);

    // A grid that is not edited still takes drops (as a paste writes into it).
    target.OnCanEditCell = nullptr;
    ASSERT_FALSE(target.Options() & goEditing);
    {
        DragLoopScope loop(target, cellPoint(target, 1, 3));
        startDrag(source, 1, 1);
    }
    EXPECT_EQ(target.GetRawCell(1, 3), QStringLiteral("r1c1"));
    EXPECT_EQ(target.RowCount(), 11);
    EXPECT_EQ(stops, 1);
}

TEST(GridDrop, RichTextGoesIntoTheCellAsItIsWhileRichTextDragsAreOn)
{
    DropGrid source, target;
    const QString rich = QStringLiteral("{\\rtf1\\ansi {\\b Puls} 150}");
    source.SetCellText(1, 1, rich);
    source.SetSelection(TGridRect{1, 1, 1, 1});
    source.DragDropSettings.SetOleDropRTF(true);
    {
        DragLoopScope loop(target, cellPoint(target, 2, 2));
        startDrag(source, 1, 1);
    }
    EXPECT_EQ(target.GetRawCell(2, 2), rich);
    // Off again: the cell's plain text travels.
    source.DragDropSettings.SetOleDropRTF(false);
    EXPECT_FALSE(RichTextDrag());
    source.SetCellText(1, 1, rich);
    {
        DragLoopScope loop(target, cellPoint(target, 2, 4));
        startDrag(source, 1, 1);
    }
    EXPECT_EQ(target.GetRawCell(2, 4), QStringLiteral("Puls 150"));
}

TEST(GridDrop, ADragOverTheCellsAsksShowsWhereItGoesAndScrolls)
{
    DropGrid g;
    g.SetRowCount(100);
    g.show();
    std::vector<std::pair<int, int>> asked;
    bool refuse = false;
    g.OnOleDragOver = [&](QObject*, int ARow, int ACol, bool& allow) {
        asked.emplace_back(ARow, ACol);
        if (refuse)
            allow = false;
    };
    auto data = textData(QStringLiteral("x"));
    QWidget* cells = g.viewport();
    const Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(cellPoint(g, 2, 3), both, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cells, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(asked.back(), (std::pair<int, int>{3, 2}));
    // The row arrow points at the row, 10 pixels left of the cell.
    TArrowWindow* arrow = g.ArrowWindow(2);
    EXPECT_TRUE(arrow->isVisible());
    EXPECT_EQ(arrow->x(), cells->mapToGlobal(g.CellRect(2, 3).topLeft()).x() - 10);
    // Refused by the handler: no arrow, no drop.
    refuse = true;
    QDragMoveEvent over(cellPoint(g, 2, 4), both, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cells, &over);
    EXPECT_FALSE(over.isAccepted());
    EXPECT_FALSE(arrow->isVisible());
    refuse = false;
    // Over the header the rows scroll up, just below the last visible row down.
    g.SetTopRow(10);
    QDragMoveEvent up(cellPoint(g, 2, 0), both, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cells, &up);
    EXPECT_EQ(g.TopRow(), 9);
    const int below = g.TopRow() + g.VisibleRowCount();
    QDragMoveEvent down(cellPoint(g, 2, below), both, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cells, &down);
    EXPECT_EQ(g.TopRow(), 10);
    QDragLeaveEvent leave;
    QApplication::sendEvent(cells, &leave);
    EXPECT_FALSE(arrow->isVisible());
}

TEST(GridDrag, TheHeaderImageOfAColumnDragTakesNoInputSoTheDropReachesTheGridBeneath)
{
    DropGrid source;
    source.DragDropSettings.OleColumnDragDrop = true;
    source.EnhRowColMove = false;
    source.show();
    bool imageShown = false;
    bool imageTakesInput = true;
    SetGridDragLoop([&](QWidget*, QMimeData* data, Qt::DropActions) {
        EXPECT_EQ(DraggedColumn(data), 2);
        if (QWidget* image = source.MoveHeaderImage()) {
            imageShown = image->isVisible();
            imageTakesInput = !(image->windowFlags() & Qt::WindowTransparentForInput) ||
                              !image->testAttribute(Qt::WA_TransparentForMouseEvents);
        }
        return Qt::IgnoreAction;
    });
    auto mouse = [&](QEvent::Type type, const QPoint& at, Qt::MouseButtons held) {
        QMouseEvent e(type, at, source.viewport()->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(source.viewport(), &e);
    };
    const QPoint p = cellPoint(source, 2, 0);
    mouse(QEvent::MouseButtonPress, p, Qt::LeftButton);
    mouse(QEvent::MouseMove, p + QPoint(6, 0), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, p + QPoint(6, 0), Qt::NoButton);
    SetGridDragLoop(nullptr);
    EXPECT_TRUE(imageShown);
    EXPECT_FALSE(imageTakesInput);
}
