// The grid's settings objects and appearance: defaults, copies, repaints only where a value shows,
// the sort row's limit, stretching a column, column widths kept between runs, and the hint beside
// a dragged scroll thumb.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QScrollBar>

#include <tuple>

#include "grid/display/extgrid.h"
#include "platform/rtl/inifiles.h"
#include "platform/vcl/registry.h"
#include "tests/support/messages.h"
#include "tests/support/qstringprinter.h"
#include "tests/support/testenv.h"

namespace {

// Counts the repaints a settings object asks for.
struct Repaints {
    explicit Repaints(TGridPersistent& p)
    {
        p.OnRepaint = [this] { ++count; };
    }
    int count = 0;
};

TEST(GridSettings, BandsRepaintOnlyWhileActive)
{
    TBands bands;
    Repaints r(bands);
    bands.SetPrimaryColor(clRed);
    bands.SetPrimaryLength(3);
    bands.SetSecondaryLength(2);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(bands.Period(), 5);
    bands.SetActive(true);
    EXPECT_EQ(r.count, 1);
    bands.SetSecondaryColor(clBlue);
    bands.SetSecondaryColor(clBlue);  // the same again
    EXPECT_EQ(r.count, 2);
    bands.SetPrint(true);
    EXPECT_EQ(r.count, 2);

    TBands copy;
    copy.Assign(bands);
    EXPECT_TRUE(copy.Active());
    EXPECT_EQ(copy.PrimaryColor(), clRed);
    EXPECT_EQ(copy.SecondaryColor(), clBlue);
    EXPECT_EQ(copy.Period(), 5);
    EXPECT_TRUE(copy.Print());
}

TEST(GridSettings, EverySetterOfTheLookObjectsRepaintsOnce)
{
    TControlLook look;
    TBackGround back;
    TCellNode node;
    TSortSettings sort;
    Repaints rl(look), rb(back), rn(node), rs(sort);
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"CheckSize", [&] { look.SetCheckSize(20); }},
        {"RadioSize", [&] { look.SetRadioSize(12); }},
        {"ControlStyle", [&] { look.SetControlStyle(csFlat); }},
        {"Color", [&] { look.SetColor(clRed); }},
        {"CommentColor", [&] { look.SetCommentColor(clBlue); }},
        {"DropDownAlwaysVisible", [&] { look.SetDropDownAlwaysVisible(true); }},
        {"FlatButton", [&] { look.SetFlatButton(true); }},
        {"NoDisabledCheckRadioLook", [&] { look.SetNoDisabledCheckRadioLook(true); }},
        {"NoDisabledButtonLook", [&] { look.SetNoDisabledButtonLook(true); }},
        {"ProgressBorderColor", [&] { look.SetProgressBorderColor(clBlack); }},
        {"ProgressMarginX", [&] { look.SetProgressMarginX(4); }},
        {"ProgressMarginY", [&] { look.SetProgressMarginY(5); }},
        {"ProgressXP", [&] { look.SetProgressXP(true); }},
        {"CheckedGlyph", [&] { look.SetCheckedGlyph(QPixmap(4, 4)); }},
        {"FixedGradientFrom", [&] { look.SetFixedGradientFrom(clWhite); }},
    };
    for (const auto& [name, change] : changes) {
        const int before = rl.count;
        change();
        EXPECT_EQ(rl.count, before + 1) << name;
    }
    for (auto change : std::vector<std::function<void()>>{
             [&] { back.SetDisplay(bdGradientVert); }, [&] { back.SetColor(clRed); }, [&] { back.SetColorTo(clBlue); },
             [&] { back.SetTop(3); }, [&] { back.SetLeft(4); }, [&] { back.SetCells(bcAll); },
             [&] { back.SetBitmap(QPixmap(2, 2)); }})
        change();
    EXPECT_EQ(rb.count, 7);
    for (auto change : std::vector<std::function<void()>>{
             [&] { node.SetColor(clRed); }, [&] { node.SetExpandOne(true); }, [&] { node.SetNodeType(cnFlat); },
             [&] { node.SetNodeColor(clRed); }, [&] { node.SetNodeIndent(20); }, [&] { node.SetShowTree(false); },
             [&] { node.SetShowTreeFull(false); }, [&] { node.SetTreeColor(clRed); }})
        change();
    EXPECT_EQ(rn.count, 8);
    sort.SetShow(true);
    sort.SetShow(true);
    EXPECT_EQ(rs.count, 1);

    // Copies take the published values the copy lists, and only those.
    TControlLook lookCopy;
    lookCopy.Assign(look);
    EXPECT_EQ(lookCopy.CheckSize(), 20);
    EXPECT_EQ(lookCopy.RadioSize(), 12);
    EXPECT_EQ(lookCopy.ControlStyle(), csFlat);
    EXPECT_EQ(lookCopy.Color(), clRed);
    EXPECT_EQ(lookCopy.CommentColor(), clBlue);
    EXPECT_EQ(lookCopy.ProgressMarginY(), 5);
    EXPECT_EQ(lookCopy.ProgressBorderColor(), clBlack);
    EXPECT_FALSE(lookCopy.CheckedGlyph().isNull());
    EXPECT_FALSE(lookCopy.FlatButton());
    TBackGround backCopy;
    backCopy.Assign(back);
    EXPECT_EQ(backCopy.Display(), bdGradientVert);
    EXPECT_EQ(backCopy.ColorTo(), clBlue);
    EXPECT_EQ(backCopy.Cells(), bcAll);
    TCellNode nodeCopy;
    nodeCopy.Assign(node);
    EXPECT_EQ(nodeCopy.NodeIndent(), 20);
    EXPECT_FALSE(nodeCopy.ShowTreeFull());

    TBalloonSettings balloon;
    int enables = 0;
    balloon.OnEnableChange = [&](TBalloonSettings*) { ++enables; };
    balloon.SetEnable(true);
    balloon.Transparency = 50;
    balloon.InitialDelay = 200;
    TBalloonSettings balloonCopy;
    balloonCopy.Assign(balloon);
    EXPECT_TRUE(balloonCopy.Enable());
    EXPECT_EQ(balloonCopy.InitialDelay, 200);
    EXPECT_EQ(balloonCopy.Transparency, 0);
    EXPECT_EQ(enables, 1);
}

// The objects the look test above does not cover: their defaults, and what their copies take over
// (each copies the values its settings list names; the rest stays the target's own).
TEST(GridSettings, SortGroupingDragDropModifiedAndFilterDefaultsAndCopies)
{
    TSortSettings sort;
    TGrouping grouping;
    TDragDropSettings drag;
    TShowModified modified;
    TFilterData filter;
    TBands bands;
    TBackGround back;
    const struct {
        const char* name;
        QVariant value;
        QVariant expected;
    } defaults[] = {
        {"Sort Show", sort.Show(), false},
        {"Sort IndexShow", sort.IndexShow, false},
        {"Sort SingleColumn", sort.SingleColumn, false},
        {"Sort IgnoreBlanks", sort.IgnoreBlanks, false},
        {"Sort BlankPos", int(sort.BlankPos), int(blFirst)},
        {"Sort Direction", int(sort.Direction), int(sdAscending)},
        {"Sort InitSortDirection", int(sort.InitSortDirection), int(sdAscending)},
        {"Sort Column", sort.Column, 0},
        {"Sort Row", sort.Row(), 0},
        {"Sort FixedCols", sort.FixedCols, false},
        {"Sort NormalCellsOnly", sort.NormalCellsOnly, false},
        {"Sort UndoSort", sort.UndoSort, false},
        {"Sort AutoColumnMerge", sort.AutoColumnMerge, false},
        {"Grouping HeaderColor", grouping.HeaderColor, clNone},
        {"Grouping SummaryTextColor", grouping.SummaryTextColor, clNone},
        {"Grouping SummaryLineColor", grouping.SummaryLineColor, clBlue},
        {"Grouping HeaderLineWidth", grouping.HeaderLineWidth, 2},
        {"Grouping MergeHeader", grouping.MergeHeader, false},
        {"Grouping Summary", grouping.Summary, false},
        {"Drag OleAcceptText", drag.OleAcceptText, true},
        {"Drag OleDropSource", drag.OleDropSource, false},
        {"Drag OleDropRTF", drag.OleDropRTF(), false},
        {"Drag OleColumnDragDrop", drag.OleColumnDragDrop, false},
        {"Modified Enabled", modified.Enabled, false},
        {"Filter Column", filter.Column, 0},
        {"Filter CaseSensitive", filter.CaseSensitive, true},
        {"Filter Data", int(filter.Data), int(fcVirtual)},
        {"Filter Operation", int(filter.Operation), int(foSHORT)},
        {"Bands Active", bands.Active(), false},
        {"Bands PrimaryLength", bands.PrimaryLength(), 1},
        {"Bands SecondaryLength", bands.SecondaryLength(), 1},
        {"Bands Print", bands.Print(), false},
        {"BackGround Display", int(back.Display()), int(bdTile)},
        {"BackGround Cells", int(back.Cells()), int(bcNormal)},
        {"BackGround Color", back.Color(), clWindow},
        {"BackGround Top", back.Top(), 0},
    };
    for (const auto& d : defaults)
        EXPECT_EQ(d.value.toString(), d.expected.toString()) << d.name;

    sort.AutoSortForGrouping = false;
    sort.AutoColumnMerge = true;
    sort.Column = 3;
    sort.IndexColor = clRed;
    sort.UpGlyph = QPixmap(4, 4);
    sort.IndexDownGlyph = QPixmap(5, 5);
    sort.InitSortDirection = sdDescending;
    sort.FixedCols = true;
    sort.NormalCellsOnly = true;
    sort.SetRow(1, 1);
    sort.UndoSort = true;
    TSortSettings sortCopy;
    sortCopy.Assign(sort);
    EXPECT_FALSE(sortCopy.AutoSortForGrouping);
    EXPECT_TRUE(sortCopy.AutoColumnMerge);
    EXPECT_EQ(sortCopy.Column, 3);
    EXPECT_EQ(sortCopy.IndexColor, clRed);
    EXPECT_EQ(sortCopy.UpGlyph.size(), QSize(4, 4));
    EXPECT_EQ(sortCopy.IndexDownGlyph.size(), QSize(5, 5));
    EXPECT_EQ(sortCopy.InitSortDirection, sdDescending);
    EXPECT_TRUE(sortCopy.FixedCols);
    EXPECT_TRUE(sortCopy.NormalCellsOnly);
    EXPECT_EQ(sortCopy.Row(), 1);
    EXPECT_TRUE(sortCopy.UndoSort);

    // A new colour tells its listener (the grid repaints its node column); a copy takes both values.
    int changes = 0;
    modified.OnChange = [&](TShowModified* sender) {
        EXPECT_EQ(sender, &modified);
        ++changes;
    };
    modified.SetColor(clLime);
    modified.Enabled = true;
    EXPECT_EQ(changes, 1);
    TShowModified modifiedCopy;
    modifiedCopy.Assign(modified);
    EXPECT_EQ(modifiedCopy.Color(), clLime);
    EXPECT_TRUE(modifiedCopy.Enabled);

    // A filter copy owns items of its own with all seven values.
    TFilter conditions;
    TFilterData& item = conditions.Add();
    item.Column = 2;
    item.Condition = QStringLiteral(">3");
    item.CaseSensitive = false;
    item.Data = fcNormal;
    item.Prefix = QStringLiteral("EUR ");
    item.Suffix = QStringLiteral(" km");
    item.Operation = foXOR;
    TFilter conditionsCopy;
    conditionsCopy.Add();
    conditionsCopy.Assign(conditions);
    ASSERT_EQ(conditionsCopy.Count(), 1);
    const TFilterData& copied = conditionsCopy.Items(0);
    EXPECT_NE(&copied, &item);
    EXPECT_EQ(std::make_tuple(copied.Column, copied.Condition, copied.CaseSensitive, copied.Data, copied.Prefix,
                              copied.Suffix, copied.Operation),
              std::make_tuple(2, QStringLiteral(">3"), false, fcNormal, QStringLiteral("EUR "), QStringLiteral(" km"),
                              foXOR));
    EXPECT_EQ(&conditionsCopy.ColumnFilter(2), &copied);

    TMouseActions mouse;
    mouse.AutoSizeColOnDblClick = false;
    mouse.DisjunctCellSelect = true;
    mouse.FixedRowsEdit = fceDblClick;
    mouse.FixedColsEdit = fceRightClick;
    mouse.WheelIncrement = 4;
    mouse.WheelAction = waScroll;
    TMouseActions mouseCopy;
    mouseCopy.Assign(mouse);
    EXPECT_FALSE(mouseCopy.AutoSizeColOnDblClick);
    EXPECT_TRUE(mouseCopy.DisjunctCellSelect);
    EXPECT_EQ(mouseCopy.FixedRowsEdit, fceDblClick);
    EXPECT_EQ(mouseCopy.FixedColsEdit, fceRightClick);
    EXPECT_EQ(mouseCopy.WheelIncrement, 4);
    EXPECT_EQ(mouseCopy.WheelAction, waScroll);
}

TEST(GridSettings, TheGridRepaintsForItsSettingsAndTakesTheFixedGradient)
{
    TExtStringGrid g;
    g.show();
    QApplication::processEvents();
    const auto painted = [&](const std::function<void()>& change) {
        const auto before = g.PaintPass();
        change();
        QApplication::processEvents();
        QApplication::processEvents();
        return g.PaintPass() != before;
    };
    EXPECT_FALSE(painted([&] { g.Bands.SetPrimaryColor(clRed); }));
    EXPECT_TRUE(painted([&] { g.Bands.SetActive(true); }));
    EXPECT_TRUE(painted([&] { g.ControlLook.SetCheckSize(18); }));
    EXPECT_TRUE(painted([&] { g.CellNode.SetNodeIndent(16); }));
    EXPECT_TRUE(painted([&] { g.BackGround.SetColor(clYellow); }));
    EXPECT_FALSE(painted([&] { g.Grouping.Summary = true; }));
    g.ControlLook.SetFixedGradientTo(clBtnFace);
    EXPECT_EQ(g.ButtonColorTo, ColorToRGB(clBtnFace));
    g.ControlLook.SetFixedGradientTo(clNone);
    EXPECT_EQ(g.ButtonColorTo, ColorToRGB(clBtnFace));

    // The sort row may be at most the number of fixed rows.
    g.SortSettings.SetRow(g.FixedRows(), g.FixedRows());
    EXPECT_EQ(g.SortSettings.Row(), 1);
    EXPECT_EQ(messageOf([&] { g.SortSettings.SetRow(2, g.FixedRows()); }),
              QStringLiteral("Sort row should be smaller than number of fixed rows"));
    EXPECT_EQ(g.SortSettings.Row(), 1);
    // One filter item per column.
    TFilterData& f = g.Filter.ColumnFilter(4);
    f.Condition = QStringLiteral(">3");
    EXPECT_EQ(&g.Filter.ColumnFilter(4), &f);
    EXPECT_EQ(g.Filter.Count(), 1);
}

TEST(GridStretch, TheStretchColumnFillsTheClientWidth)
{
    QWidget parent;
    TExtStringGrid g(&parent);
    g.SetColCount(3);
    g.resize(400, 200);
    parent.show();
    g.ColumnSize.SetStretch(true);
    const int client = g.viewport()->width();
    EXPECT_EQ(g.ColWidths(2), client - g.ColWidths(0) - g.ColWidths(1) - 1);
    // Widening another column stretches it again.
    g.SetColWidths(0, 100);
    EXPECT_EQ(g.ColWidths(2), client - 100 - g.ColWidths(1) - 1);
    g.StretchColumn(1);
    EXPECT_EQ(g.ColWidths(1), client - 100 - g.ColWidths(2) - 1);
    for (int bad : {-2, 3})
        EXPECT_EQ(messageOf([&] { g.StretchColumn(bad); }), QStringLiteral("Stretch column index out of range")) << bad;
    // Switching it off still stretches once.
    g.SetColWidths(0, 60);
    g.ColumnSize.SetStretch(false);
    EXPECT_EQ(g.ColWidths(2), client - 60 - g.ColWidths(1) - 1);
    // One column takes the client width.
    TExtStringGrid one(&parent);
    one.SetColCount(1);
    one.SetFixedCols(0);
    one.resize(300, 100);
    one.show();
    one.ColumnSize.SetStretch(true);
    EXPECT_EQ(one.ColWidths(0), one.viewport()->width());
    EXPECT_EQ(one.TotalColWidth(), one.viewport()->width());
}

class GridColumnWidths : public ::testing::Test {
protected:
    void keepIn(TExtStringGrid& g, TColumnSizeLocation where)
    {
        g.ColumnSize.Save = true;
        g.ColumnSize.Location = where;
        g.ColumnSize.Key = where == clIniFile ? folder.file(QStringLiteral("widths.ini")) : QStringLiteral("Software\\Test\\Grid");
        g.ColumnSize.Section = QStringLiteral("Runs");
    }
    TempFolder folder;
};

TEST_F(GridColumnWidths, SavedByTheGridAndReadBackIntoFewerColumns)
{
    for (TColumnSizeLocation where : {clIniFile, clRegistry}) {
        {
            auto g = std::make_unique<TExtStringGrid>();
            g->SetColCount(5);
            keepIn(*g, where);
            for (int c = 0; c < 5; ++c)
                g->SetColWidths(c, 30 + c);
            g->SetColWidths(2, 0);
        }  // saved as it goes
        TExtStringGrid g;
        g.SetColCount(3);
        keepIn(g, where);
        g.BeginLoad();
        g.Loaded();
        EXPECT_EQ(g.ColWidths(0), 30) << where;
        EXPECT_EQ(g.ColWidths(1), 31) << where;
        EXPECT_EQ(g.ColWidths(2), 0) << where;
    }
    TIniFile ini(folder.file(QStringLiteral("widths.ini")));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Runs"), QStringLiteral("Col4"), -1), 34);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(QStringLiteral("\\Software\\Test\\Grid\\Runs")));
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("Col3")), 33);
}

TEST_F(GridColumnWidths, NothingWithoutASectionAndNeitherANegativeWidthNorAFailingStoreHarm)
{
    const QString file = folder.file(QStringLiteral("widths.ini"));
    {
        TExtStringGrid g;
        keepIn(g, clIniFile);
        g.ColumnSize.Section.clear();
        g.SetColWidths(1, 99);
    }
    EXPECT_FALSE(QFile::exists(file));

    TIniFile ini(file);
    ini.WriteInteger(QStringLiteral("Runs"), QStringLiteral("Col1"), -5);
    ini.WriteInteger(QStringLiteral("Runs"), QStringLiteral("Col2"), 44);
    TExtStringGrid g;
    keepIn(g, clIniFile);
    const int width = g.ColWidths(1);
    g.LoadColSizes();
    EXPECT_EQ(g.ColWidths(1), width);
    EXPECT_EQ(g.ColWidths(2), 44);

    // A store that cannot be written: the grid goes, the program stays.
    auto doomed = std::make_unique<TExtStringGrid>();
    keepIn(*doomed, clIniFile);
    // A file stands where the store's folder would be.
    doomed->ColumnSize.Key = folder.write(QStringLiteral("blocker"), "x") + QStringLiteral("/widths.ini");
    EXPECT_THROW(doomed->SaveColSizes(), Exception);
    EXPECT_NO_THROW(doomed.reset());
}

TEST(GridScrollHints, ADraggedThumbShowsTheRowItBrings)
{
    TExtStringGrid g;
    g.SetRowCount(200);
    g.resize(300, 200);
    g.show();
    g.ScrollHints = shVertical;
    QScrollBar* bar = g.verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(50);
    EXPECT_EQ(g.ScrollHintText(), QStringLiteral("Row : 50"));
    g.OnScrollHint = [](QObject*, int index, QString& hint) { hint = QStringLiteral("Zeile %1").arg(index); };
    bar->setSliderPosition(bar->maximum());
    EXPECT_EQ(g.ScrollHintText(), QStringLiteral("Zeile %1").arg(g.RowCount() - g.VisibleRowCount()));
    bar->setSliderDown(false);
    EXPECT_EQ(g.ScrollHintText(), QString());
    // Not the horizontal bar, which hints only with shHorizontal or shBoth.
    g.SetColCount(40);
    QScrollBar* h = g.horizontalScrollBar();
    h->setSliderDown(true);
    h->setSliderPosition(3);
    EXPECT_EQ(g.ScrollHintText(), QString());
    h->setSliderDown(false);
    g.ScrollHints = shBoth;
    h->setSliderDown(true);
    h->setSliderPosition(4);
    EXPECT_EQ(g.ScrollHintText(), QStringLiteral("Zeile 4"));
    h->setSliderDown(false);

    // The flat styles keep the bars working and switch back.
    g.SetScrollType(ssFlat);
    g.SetScrollWidth(9);
    EXPECT_FALSE(bar->styleSheet().isEmpty());
    g.SetScrollType(ssNormal);
    EXPECT_TRUE(bar->styleSheet().isEmpty());
}

}  // namespace
