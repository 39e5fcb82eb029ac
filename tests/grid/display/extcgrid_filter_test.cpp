// The column grid's filter drop-down: the glyph's hit area, the list of friendly names, the
// condition a choice stores and the automatic filter update.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "grid/display/extcgrid.h"
#include "tests/support/qstringprinter.h"

namespace {

void press(QWidget* w, const QPoint& at)
{
    QMouseEvent e(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
    QMouseEvent r(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &r);
}

// Four columns; column 2 lists "Lang=>10=x", "kurz" and "=abc"; rows hold distances.
class FilterGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        g.resize(400, 300);
        g.SetColCount(4);
        g.SetRowCount(6);
        g.Columns()[2]->Filter.Assign(QStringList{"Lang=>10=x", "kurz", "=abc"});
        const char* values[] = {"5", "12", "kurz", "20", "abc"};
        for (int r = 1; r <= 5; ++r)
            g.SetCellText(2, r, QLatin1String(values[r - 1]));
        g.show();
    }
    QRect header(int col) { return g.MergedCellRect(col, 0); }
    // Opens column 2's list with a press on its glyph.
    void open()
    {
        const QRect r = header(2);
        press(g.viewport(), QPoint(r.left() + r.width() - 10, r.top() + 5));
    }
    TExtColumnGrid g;
};

TEST_F(FilterGrid, GlyphOpensTheListOfFriendlyNames)
{
    EXPECT_EQ(g.DropDownColumn(), -1);
    open();
    ASSERT_NE(g.DropList(), nullptr);
    EXPECT_TRUE(g.DropList()->isVisible());
    EXPECT_EQ(g.DropDownColumn(), 2);
    QStringList names;
    for (int i = 0; i < g.DropList()->count(); ++i)
        names << g.DropList()->item(i)->text();
    EXPECT_EQ(names, (QStringList{"Lang", "kurz", ""}));
    EXPECT_EQ(g.DropList()->currentRow(), 0);
    const QRect r = header(2);
    EXPECT_EQ(g.DropList()->geometry(), QRect(r.left(), r.top() + 16, 200, 200));
    if (const QByteArray file = qgetenv("GRID_FILTER_PNG"); !file.isEmpty())
        g.grab().save(QString::fromLocal8Bit(file));
    // A second press on the same header closes it.
    open();
    EXPECT_FALSE(g.DropList()->isVisible());
    EXPECT_EQ(g.DropDownColumn(), -1);
    // With ColumnWidth the list is as wide as the header cell.
    g.FilterDropDown.ColumnWidth = true;
    g.FilterDropDown.Height = 90;
    open();
    EXPECT_EQ(g.DropList()->size(), QSize(r.width(), 90));
}

TEST_F(FilterGrid, OnlyTheGlyphsSquareHits)
{
    const QRect r = header(2);
    const int right = r.left() + r.width();
    for (QPoint miss : {QPoint(right - 16, r.top() + 5), QPoint(right - 3, r.top() + 5), QPoint(right - 10, r.top() + 19),
                        QPoint(r.left() + 3, r.top() + 5)}) {
        press(g.viewport(), miss);
        EXPECT_EQ(g.DropDownColumn(), -1) << miss.x() << "," << miss.y();
    }
    // A column without filter lines has no glyph to hit.
    const QRect r3 = header(3);
    press(g.viewport(), QPoint(r3.left() + r3.width() - 10, r3.top() + 5));
    EXPECT_EQ(g.DropDownColumn(), -1);
    open();
    // A press on a data row closes the list.
    press(g.viewport(), g.CellRect(1, 2).center());
    EXPECT_EQ(g.DropDownColumn(), -1);
    EXPECT_FALSE(g.DropList()->isVisible());
}

TEST_F(FilterGrid, ChoiceStoresTheConditionAfterTheFirstEquals)
{
    QStringList seen;
    g.OnFilterSelect = [&](QObject*, int Column, int ItemIndex, const QString& Friendly, QString& Condition) {
        seen << QStringLiteral("%1/%2/%3/%4").arg(Column).arg(ItemIndex).arg(Friendly, Condition);
    };
    int done = 0;
    g.OnFilterDone = [&](QObject*) { ++done; };
    g.AutoFilterDisplay = true;
    open();
    // Releasing the mouse over the list chooses the selected entry, the first one untouched.
    QMouseEvent up(QEvent::MouseButtonRelease, QPoint(5, 5), g.DropList()->mapToGlobal(QPoint(5, 5)), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g.DropList()->viewport(), &up);
    EXPECT_FALSE(g.DropList()->isVisible());
    EXPECT_EQ(seen, QStringList{"2/0/Lang/>10=x"});
    ASSERT_EQ(g.Filter.Count(), 1);
    EXPECT_EQ(g.Filter.Items(0).Column, 2);
    EXPECT_EQ(g.Filter.Items(0).Condition, QStringLiteral(">10=x"));
    EXPECT_FALSE(g.Filter.Items(0).CaseSensitive);
    EXPECT_EQ(g.Columns()[2]->Header(), QStringLiteral("Lang"));
    // Without AutoFilterUpdate the rows stay and OnFilterDone does not fire.
    EXPECT_FALSE(g.FilterActive());
    EXPECT_EQ(g.RowCount(), 6);
    EXPECT_EQ(done, 0);
    EXPECT_EQ(g.DropDownColumn(), -1);

    // Enter in the list chooses too; a bare line is its own condition.
    g.AutoFilterUpdate = true;
    g.Columns()[2]->FilterCaseSensitive = true;
    open();
    g.DropList()->setCurrentRow(1);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(g.DropList(), &enter);
    EXPECT_EQ(g.Filter.Items(0).Condition, QStringLiteral("kurz"));
    EXPECT_TRUE(g.Filter.Items(0).CaseSensitive);
    EXPECT_TRUE(g.FilterActive());
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.GetCellText(2, 1), QStringLiteral("kurz"));
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(done, 1);
}

}  // namespace
