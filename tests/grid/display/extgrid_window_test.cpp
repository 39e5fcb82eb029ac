// The grid at its window's level: the balloon tool-tip, the form's size the grid follows, moves
// that carry the hidden rows and the sort columns along, the text an editor hands back, the
// wheel that keeps the first column.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>

#include "grid/display/extgrid.h"
#include "grid/display/gridballoon.h"
#include "grid/display/gridbitmaps.h"
#include "platform/vcl/forms.h"
#include "tests/support/qstringprinter.h"

namespace {

void tooltipAt(TExtStringGrid& g, const QPoint& at)
{
    QHelpEvent e(QEvent::ToolTip, g.viewport()->mapTo(&g, at), g.viewport()->mapToGlobal(at));
    QApplication::sendEvent(&g, &e);
}

TEST(GridBalloon, LivesWithEnableAndShowsTheCellsText)
{
    TExtStringGrid g;
    EXPECT_EQ(g.BalloonWindow(), nullptr);
    g.BeginLoad();
    g.Balloon.SetEnable(true);
    EXPECT_EQ(g.BalloonWindow(), nullptr) << "not while the form loads";
    g.Loaded();
    ASSERT_NE(g.BalloonWindow(), nullptr);
    g.Balloon.SetEnable(false);
    EXPECT_EQ(g.BalloonWindow(), nullptr);

    // The text: tags out, tabs as blanks, leading breaks dropped, at most 1024 characters.
    struct Case {
        QString cell;
        QString balloon;
    };
    const Case cases[] = {
        {QStringLiteral("<B>bold</B>\tand tab"), QStringLiteral("bold and tab")},
        {QStringLiteral("\r\n\nsecond"), QStringLiteral("second")},
        {QString(2000, QLatin1Char('x')), QString(1021, QLatin1Char('x')) + QStringLiteral("...")},
    };
    for (const Case& c : cases) {
        g.SetCellText(1, 1, c.cell);
        EXPECT_EQ(g.BalloonText(1, 1), c.balloon) << c.cell.left(40).toStdString();
    }

    g.Balloon.SetEnable(true);
    g.Balloon.TextColor = clRed;
    g.show();
    g.SetCellText(2, 3, QStringLiteral("hello"));
    tooltipAt(g, g.CellRect(2, 3).center());
    TGridBalloon* b = g.BalloonWindow();
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->Title(), QStringLiteral(" "));
    EXPECT_EQ(b->Text(), QStringLiteral("hello"));
    EXPECT_EQ(b->Icon(), 1);
    EXPECT_EQ(b->palette().color(QPalette::ToolTipText), QColor(Qt::red));

    // The handler changes title, text and icon; a long title is cut.
    g.OnCellBalloon = [](QObject*, int ACol, int ARow, QString& ATitle, QString& AText, int& AIcon) {
        ATitle = QString(150, QLatin1Char('t'));
        AText = QStringLiteral("%1/%2").arg(ACol).arg(ARow);
        AIcon = 3;
    };
    tooltipAt(g, g.CellRect(4, 2).center());
    EXPECT_EQ(b->Title(), QString(97, QLatin1Char('t')) + QStringLiteral("..."));
    EXPECT_EQ(b->Text(), QStringLiteral("4/2"));
    EXPECT_EQ(b->Icon(), 3);
    // GRID_BALLOON_PNG names a picture of the balloon to look at.
    if (const QByteArray png = qgetenv("GRID_BALLOON_PNG"); !png.isEmpty())
        b->grab().save(QString::fromLocal8Bit(png));

    // Moving to another cell takes it away; an empty text shows none.
    QMouseEvent move(QEvent::MouseMove, g.CellRect(1, 5).center(), g.viewport()->mapToGlobal(g.CellRect(1, 5).center()),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &move);
    EXPECT_FALSE(b->isVisible());
    g.OnCellBalloon = nullptr;
    tooltipAt(g, g.CellRect(1, 5).center());
    EXPECT_FALSE(b->isVisible());
}

TEST(GridWindow, FollowsItsFormsSize)
{
    TForm form;
    form.resize(400, 300);
    auto* g = new TExtStringGrid(&form);
    g->setGeometry(10, 10, 200, 100);
    form.show();
    g->SizeWithForm = true;
    form.resize(450, 320);
    EXPECT_EQ(g->size(), QSize(250, 120));
    form.resize(100, 50);  // the grid would be negative: it keeps its size
    EXPECT_EQ(g->size(), QSize(250, 120));
    form.resize(150, 70);
    EXPECT_EQ(g->size(), QSize(300, 140)) << "measured from the form's last size";
    g->SizeWithForm = false;
    form.resize(400, 300);
    EXPECT_EQ(g->size(), QSize(300, 140));
}

TEST(GridWindow, MovesCarryHiddenRowsAndSortColumns)
{
    TExtStringGrid g;
    g.SetColCount(6);
    g.SetCellText(1, 3, QStringLiteral("hidden"));
    g.SetCellText(2, 3, QStringLiteral("two"));
    g.HideRows(3, 3);
    g.SortIndexes.AddIndex(1, true);
    g.SortIndexes.AddIndex(3, false);
    g.SortIndexes.AddIndex(5, true);
    g.MoveColumn(1, 4);
    g.UnHideRows(3, 3);
    EXPECT_EQ(g.GetCellText(4, 3), QStringLiteral("hidden"));
    EXPECT_EQ(g.GetCellText(1, 3), QStringLiteral("two"));
    ASSERT_EQ(g.SortIndexes.Count(), 3);
    EXPECT_EQ(TSortIndexList::ColumnOf(g.SortIndexes.Items(0)), 4);
    EXPECT_EQ(TSortIndexList::ColumnOf(g.SortIndexes.Items(1)), 2);
    EXPECT_FALSE(TSortIndexList::AscendingOf(g.SortIndexes.Items(1))) << "the direction stays";
    EXPECT_EQ(TSortIndexList::ColumnOf(g.SortIndexes.Items(2)), 5);
}

TEST(GridWindow, EditorsHandBackAndTheWheelKeepsTheFirstColumn)
{
    TExtStringGrid g;
    g.SetColCount(12);
    std::vector<int> noticed;
    g.OnSetEditText = [&](QObject*, int ACol, int, const QString&) { noticed.push_back(ACol); };
    g.TextFromEditor(3, 2, QStringLiteral("typed"));
    EXPECT_EQ(g.GetCellText(3, 2), QStringLiteral("typed"));
    EXPECT_EQ(noticed, std::vector<int>{3});

    g.FocusCell(2, 4, true);
    g.OnEllipsClick = [](QObject*, int ACol, int ARow, QString& S) { S += QStringLiteral(" %1/%2").arg(ACol).arg(ARow); };
    QString text;
    g.EllipsisClick(QStringLiteral("value"), text);
    EXPECT_EQ(text, QStringLiteral("value 2/4"));
    int done = 0;
    g.OnEditingDone = [&](QObject*) { ++done; };
    g.DoEditingDone();
    EXPECT_EQ(done, 1);

    g.resize(200, 200);
    g.show();
    g.SetOptions(g.Options() | goRowSelect);
    g.Navigation.KeepHorizScroll = true;
    g.SetLeftCol(5);
    const int row = g.Row();
    g.DoMouseWheelDown();
    EXPECT_EQ(g.Row(), row + 1);
    EXPECT_EQ(g.LeftCol(), 5);
}

}  // namespace

namespace {

TEST(GridWindow, PanningShowsItsMarkAndDirection)
{
    for (const char* name : {"INTLI1", "INTLI2", "INTLI3"})
        EXPECT_EQ(DrawnGridBitmap(QString::fromLatin1(name)).size(), QSize(32, 32)) << name;
    EXPECT_EQ(PanCursorId(0, 0), 8000);
    EXPECT_EQ(PanCursorId(0, -1), 8001);
    EXPECT_EQ(PanCursorId(1, 1), 8004);
    EXPECT_EQ(PanCursorId(-1, -1), 8008);

    TExtStringGrid g;
    g.show();
    auto shows = [&](int id) {
        return g.viewport()->cursor().pixmap().toImage() == GridCursor(id).pixmap().toImage();
    };
    const QPoint mid = g.CellRect(2, 3).center();
    QMouseEvent press(QEvent::MouseButtonPress, mid, g.viewport()->mapToGlobal(mid), Qt::MiddleButton, Qt::MiddleButton,
                      Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &press);
    ASSERT_TRUE(g.Panning());
    EXPECT_TRUE(shows(8000));
    g.PanTick(mid + QPoint(0, 20));
    EXPECT_TRUE(shows(8005)) << "down";
    g.PanTick(mid + QPoint(30, 0));
    EXPECT_TRUE(shows(8000)) << "vertical panning leaves the horizontal out";
}

TEST(GridWindow, EditorsHandKeysBackToTheGrid)
{
    TExtStringGrid g;
    g.SetOptions(g.Options() | goEditing);
    g.show();
    g.FocusCell(1, 1, true);
    g.ShowInplaceEditor();
    ASSERT_TRUE(g.EditorMode());
    g.InplaceEditor()->setText(QStringLiteral("typed"));
    g.InplaceEditor()->setModified(true);  // as typing does
    g.EditorKeyNavigate(Qt::Key_Down, Qt::NoModifier);
    EXPECT_FALSE(g.EditorMode());
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("typed"));
    EXPECT_EQ(g.Row(), 2);
    g.Navigation.AdvanceOnEnter = true;
    g.EditorKeyNavigate(Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(g.Col(), 2);
    EXPECT_FALSE(g.EditorHandingOver());

    // A check-box cell gets no editor: a click or Space works it.
    g.SetCellCheckBox(3, 3, false, false);
    g.FocusCell(3, 3, true);
    g.ShowInplaceEditor();
    EXPECT_FALSE(g.EditorMode());
}

}  // namespace

namespace {

void drag(TExtStringGrid& g, const QPoint& from, const QPoint& to, bool release = true)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, g.viewport()->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &press);
    QMouseEvent move(QEvent::MouseMove, to, g.viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &move);
    if (!release)
        return;
    QMouseEvent up(QEvent::MouseButtonRelease, to, g.viewport()->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &up);
}

TEST(GridWindow, AMovedHeaderFloatsAndAHandlerMayRefuseTheMove)
{
    TExtStringGrid g;
    g.SetOptions(g.Options() | goColMoving);
    g.SetColWidths(2, 77);
    g.SetCellText(2, 0, QStringLiteral("Zeit"));
    g.SetCellText(2, 1, QStringLiteral("moved"));
    g.show();
    drag(g, g.CellRect(2, 0).center(), g.CellRect(4, 0).center(), false);
    ASSERT_NE(g.MoveHeaderImage(), nullptr);
    EXPECT_TRUE(g.MoveHeaderImage()->isVisible());
    EXPECT_EQ(g.MoveHeaderImage()->size(), QSize(77, g.RowHeights(0)));
    // The arrows point at the right border of the target column, above and below the header.
    const QRect target = g.CellRect(4, 0);
    const QPoint border = g.viewport()->mapToGlobal(QPoint(target.left() + target.width(), target.top()));
    ASSERT_TRUE(g.ArrowWindow(1)->isVisible());
    ASSERT_TRUE(g.ArrowWindow(0)->isVisible());
    EXPECT_FALSE(g.ArrowWindow(2)->isVisible());
    EXPECT_EQ(g.ArrowWindow(1)->pos(), border + QPoint(-5, -11));
    EXPECT_EQ(g.ArrowWindow(0)->pos(), border + QPoint(-5, target.height()));
    QMouseEvent up(QEvent::MouseButtonRelease, g.CellRect(4, 0).center(), g.viewport()->mapToGlobal(g.CellRect(4, 0).center()),
                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &up);
    EXPECT_EQ(g.MoveHeaderImage(), nullptr);
    EXPECT_FALSE(g.ArrowWindow(0)->isVisible());
    EXPECT_FALSE(g.ArrowWindow(1)->isVisible());
    EXPECT_EQ(g.GetCellText(4, 1), QStringLiteral("moved"));

    // A refusal on the way ends the move: nothing moves.
    g.OnColumnMove = [](QObject*, int, bool& Allow) { Allow = false; };
    drag(g, g.CellRect(4, 0).center(), g.CellRect(1, 0).center());
    EXPECT_EQ(g.GetCellText(4, 1), QStringLiteral("moved"));
    EXPECT_EQ(g.GridState(), gsNormal);
    EXPECT_EQ(g.MoveHeaderImage(), nullptr);
}

}  // namespace

namespace {

// Shrinking and growing again gives the widths back; the zoom leaves sizes that would reach 0.
TEST(GridWindow, ProportionalColumnsComeBackAndZoomKeepsSmallSizes)
{
    TExtStringGrid g;
    g.SetColCount(4);
    g.ColumnSize.SynchWithGrid = true;
    g.show();
    g.resize(400, 200);
    QApplication::processEvents();
    std::vector<int> before;
    for (int c = 0; c < 4; ++c)
        before.push_back(g.ColWidths(c));
    g.resize(40, 200);
    QApplication::processEvents();
    g.resize(400, 200);
    QApplication::processEvents();
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(g.ColWidths(c), before[size_t(c)]) << c;

    TExtStringGrid z;
    z.SetColWidths(1, 5);
    z.Zoom(-3);
    EXPECT_EQ(z.ColWidths(1), 2);
    z.Zoom(-3);
    EXPECT_EQ(z.ColWidths(1), 2) << "a step to 0 or less leaves the width";
}

}  // namespace
