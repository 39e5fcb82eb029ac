// The string grid object: a new grid's defaults, the header lists, copying, fitting the height to
// whole rows, scroll bars shown by rule, the update counter and the integer lists.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QStyle>

#include "grid/display/extgrid.h"
#include "tests/support/grid/recordingcanvas.h"
#include "tests/support/qstringprinter.h"

namespace {

struct Default {
    const char* name;
    QVariant value;
    QVariant expected;
};

TEST(ExtStringGridObject, ANewGridHasTheDefaultsOfItsParts)
{
    TExtStringGrid g;
    const Default defaults[] = {
        {"RowCount", g.RowCount(), 10},
        {"DefaultRowHeight", g.DefaultRowHeight(), 21},
        {"width", g.width(), 400},
        {"height", g.height(), 250},
        {"Version", g.Version(), "3.0.0.6"},
        {"GetVersionString", g.GetVersionString(), "3.0.0.6 Aug, 2005"},
        {"SelectionColor", g.SelectionColor(), 0xEACAB6u},
        {"SelectionColorTo", g.SelectionColorTo(), clNone},
        {"SelectionTextColor", g.SelectionTextColor(), clBlack},
        {"ShowSelection", g.ShowSelection(), true},
        {"CheckTrue", g.CheckTrue, "Y"},
        {"CheckFalse", g.CheckFalse, "N"},
        {"PasswordChar", QString(g.PasswordChar), "*"},
        {"ActiveCellColor", g.ActiveCellColor(), 0x808080u},
        {"ActiveCellColorTo", g.ActiveCellColorTo(), clNone},
        {"ActiveCellFont bold", bool(g.ActiveCellFont.Style() & fsBold), true},
        {"FixedFont", g.FixedFont.Name(), "Tahoma"},
        {"FixedFont bold", bool(g.FixedFont.Style() & fsBold), true},
        {"DefaultEditor", int(g.DefaultEditor), int(edNormal)},
        {"EnhRowColMove", g.EnhRowColMove, true},
        {"EnableWheel", g.EnableWheel, true},
        {"IntelliZoom", g.IntelliZoom, true},
        {"IntelliPan", int(g.IntelliPan), int(ipVertical)},
        {"HintColor", g.HintColor, clInfoBk},
        {"HideFocusRect", g.HideFocusRect, false},
        {"FixedAsButtons", g.FixedAsButtons, false},
        {"EnableHTML", g.EnableHTML, true},
        {"URLColor", g.URLColor(), 0xFF0000u},
        {"VAlignment", int(g.VAlignment()), int(vtaTop)},
        {"WordWrap", g.WordWrap(), true},
        {"FloatFormat", g.FloatFormat, "%.2f"},
        {"Look", int(g.Look()), int(glXP)},
        {"ScrollType", int(g.ScrollType()), int(ssNormal)},
        {"ScrollColor", g.ScrollColor(), clNone},
        {"ScrollWidth", g.ScrollWidth(), g.style()->pixelMetric(QStyle::PM_ScrollBarExtent)},
        {"ScrollBarAlways", int(g.ScrollBarAlways()), int(saNone)},
        {"ScrollHints", int(g.ScrollHints), int(shNone)},
        {"button gradient", g.ButtonColorFrom, clWhite},
        {"button gradient to", g.ButtonColorTo, ColorToRGB(clBtnFace)},
        {"GridLineWidth", g.GridLineWidth(), 1},
        {"GridLineColor", g.GridLineColor(), 0xC0C0C0u},
        {"runtime line width", g.TCustomGrid::GridLineWidth(), 0},
        {"DefaultDrawing", g.DefaultDrawing(), false},
        {"draw focus selected", bool(g.Options() & goDrawFocusSelected), true},
        {"ActiveRowShow", g.ActiveRowShow(), false},
        {"ActiveRowColor", g.ActiveRowColor(), clInfoBk},
        {"AutoSize", g.AutoSize(), false},
        // Settings objects.
        {"CellNode.Color", g.CellNode.Color(), clSilver},
        {"CellNode.NodeType", int(g.CellNode.NodeType()), int(cnXP)},
        {"CellNode.NodeIndent", g.CellNode.NodeIndent(), 12},
        {"CellNode.TreeColor", g.CellNode.TreeColor(), clGray},
        {"MouseActions.AutoSizeColOnDblClick", g.MouseActions.AutoSizeColOnDblClick, true},
        {"MouseActions.RowSelect", g.MouseActions.RowSelect, false},
        {"MouseActions.WheelAction", int(g.MouseActions.WheelAction), int(waMoveSelection)},
        {"Navigation.AllowCtrlEnter", g.Navigation.AllowCtrlEnter, true},
        {"Navigation.AllowClipboardRowGrow", g.Navigation.AllowClipboardRowGrow, true},
        {"Navigation.EditSelectAll", g.Navigation.EditSelectAll, true},
        {"Navigation.CopyHTMLTagsToClipboard", g.Navigation.CopyHTMLTagsToClipboard, true},
        {"Navigation.SkipFixedCells", g.Navigation.SkipFixedCells, true},
        {"Navigation.AdvanceOnEnter", g.Navigation.AdvanceOnEnter, false},
        {"HTMLSettings.BorderSize", g.HTMLSettings.BorderSize, 1},
        {"HTMLSettings.Width", g.HTMLSettings.Width, 100},
        {"HTMLSettings.SaveFonts", g.HTMLSettings.SaveFonts, true},
        {"PrintSettings.DateFormat", g.PrintSettings.DateFormat, "dd/mm/yyyy"},
        {"PrintSettings.PageNumSep", g.PrintSettings.PageNumSep, "/"},
        {"PrintSettings.Borders", int(g.PrintSettings.Borders), int(pbSingle)},
        {"PrintSettings.Centered", g.PrintSettings.Centered, true},
        {"PrintSettings.UseDisplayFont", g.PrintSettings.UseDisplayFont, true},
        {"ColumnSize.Location", int(g.ColumnSize.Location), int(clRegistry)},
        {"ColumnSize.StretchColumn", g.ColumnSize.StretchColumn, -1},
        {"Bands.PrimaryColor", g.Bands.PrimaryColor(), clInfoBk},
        {"Bands.SecondaryColor", g.Bands.SecondaryColor(), clWindow},
        {"BackGround.ColorTo", g.BackGround.ColorTo(), clBtnFace},
        {"ControlLook.CheckSize", g.ControlLook.CheckSize(), 15},
        {"ControlLook.RadioSize", g.ControlLook.RadioSize(), 10},
        {"ControlLook.ControlStyle", int(g.ControlLook.ControlStyle()), int(csWinXP)},
        {"ControlLook.ProgressBorderColor", g.ControlLook.ProgressBorderColor(), clGray},
        {"ControlLook.FixedGradientFrom", g.ControlLook.FixedGradientFrom(), clNone},
        {"SortSettings.Full", g.SortSettings.Full, true},
        {"SortSettings.AutoFormat", g.SortSettings.AutoFormat, true},
        {"SortSettings.IndexColor", g.SortSettings.IndexColor, clYellow},
        {"SortSettings.AutoSortForGrouping", g.SortSettings.AutoSortForGrouping, true},
        {"Grouping.HeaderLineColor", g.Grouping.HeaderLineColor, clBlue},
        {"Grouping.SummaryLineWidth", g.Grouping.SummaryLineWidth, 2},
        {"DragDropSettings.OleAcceptFiles", g.DragDropSettings.OleAcceptFiles, true},
        {"DragDropSettings.OleDropTarget", g.DragDropSettings.OleDropTarget(), false},
        {"Balloon.AutoHideDelay", g.Balloon.AutoHideDelay, -1},
        {"ShowModified.Color", g.ShowModified.Color(), clYellow},
        {"FloatingFooter.Color", g.FloatingFooter.Color(), clBtnFace},
        {"FloatingFooter.FooterStyle", int(g.FloatingFooter.FooterStyle()), int(fsFixedLastRow)},
        {"SearchFooter.FindNextCaption", g.SearchFooter.FindNextCaption(), "Find next"},
        {"SearchFooter.HintFindPrev", g.SearchFooter.HintFindPrev(), "Find previous occurence"},
        {"SearchFooter.ColorTo", g.SearchFooter.ColorTo(), clBtnFace},
        {"Filter", g.Filter.Count(), 0},
    };
    for (const Default& d : defaults)
        EXPECT_EQ(d.value.toString(), d.expected.toString()) << d.name;
}

TEST(ExtStringGridObject, IntegralHeightFitsWholeRows)
{
    TExtStringGrid g;
    g.SetColCount(2);  // all columns fit
    g.show();
    g.IntegralHeight = true;
    g.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(g.height(), 193);  // 200 - 2 = 198; 198 - 198 mod 21 = 189; + 2 x 2
    g.SetDefaultRowHeight(0);
    g.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(g.height(), 200);
    // Not while an update runs.
    g.SetDefaultRowHeight(21);
    g.BeginUpdate();
    g.SetBounds(0, 0, 300, 200);
    g.EndUpdate();
    EXPECT_EQ(g.height(), 200);
}

TEST(ExtStringGridObject, HeaderListsFillTheFixedRowAndColumn)
{
    TExtStringGrid g;
    g.SetColCount(2);
    g.SetCellText(1, 0, QStringLiteral("old"));
    g.SetColumnHeaders({QStringLiteral("a\\nb"), QStringLiteral("c"), QStringLiteral("d")});
    EXPECT_EQ(g.GetCellText(0, 0), QStringLiteral("a\rb"));
    EXPECT_EQ(g.GetCellText(1, 0), QStringLiteral("c"));
    EXPECT_EQ(g.GetRawCell(2, 0), QString());  // no third column
    // Two lines in the cell.
    RecordingCanvas canvas;
    const TGridTextLayout layout = canvas.Measurer().Layout(QFont(), QRect(0, 0, 64, 40), g.GetCellText(0, 0), tfLeft);
    EXPECT_EQ(layout.lines.size(), 2);
    // A change of the list itself writes again, without emptying the row.
    g.ColumnHeaders.SetStrings(1, QStringLiteral("e"));
    EXPECT_EQ(g.GetCellText(1, 0), QStringLiteral("e"));
    g.SetFixedCols(1);
    g.SetRowHeaders({QStringLiteral("r0"), QStringLiteral("r1")});
    EXPECT_EQ(g.GetCellText(0, 1), QStringLiteral("r1"));

    // Without fixed rows the list is kept and no cell changes.
    TExtStringGrid plain;
    plain.SetFixedRows(0);
    plain.SetCellText(0, 0, QStringLiteral("data"));
    plain.SetColumnHeaders({QStringLiteral("h")});
    EXPECT_EQ(plain.GetCellText(0, 0), QStringLiteral("data"));
    EXPECT_EQ(plain.ColumnHeaders.Items(), QStringList{"h"});
}

TEST(ExtStringGridObject, AssignTakesOnlyAStringGrid)
{
    TExtStringGrid source;
    source.SetColCount(3);
    source.SetRowCount(4);
    source.SetCellText(2, 3, QStringLiteral("x"));
    source.SetActiveCellColor(clRed);
    source.Bands.SetActive(true);
    source.MouseActions.WheelIncrement = 3;

    TExtStringGrid g;
    QObject other;
    g.Assign(&other);
    EXPECT_EQ(g.ColCount(), 5);
    EXPECT_EQ(g.RowCount(), 10);
    EXPECT_EQ(g.ActiveCellColor(), TColor(0x808080));

    g.Assign(&source);
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.GetCellText(2, 3), QStringLiteral("x"));
    EXPECT_EQ(g.ActiveCellColor(), clRed);
    EXPECT_TRUE(g.Bands.Active());
    EXPECT_EQ(g.MouseActions.WheelIncrement, 3);
}

TEST(ExtStringGridObject, ScrollBarsFollowScrollBarAlways)
{
    TExtStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.show();
    EXPECT_FALSE(g.VertScrollBarShown());
    g.SetScrollBarAlways(saBoth);
    g.SetRowCount(3);
    EXPECT_TRUE(g.VertScrollBarShown());
    EXPECT_TRUE(g.HorzScrollBarShown());
    EXPECT_FALSE(g.verticalScrollBar()->isEnabled());
    EXPECT_FALSE(g.horizontalScrollBar()->isEnabled());
    // Rows that do not fit enable the bar.
    g.SetRowCount(200);
    EXPECT_TRUE(g.verticalScrollBar()->isEnabled());
}

TEST(ExtStringGridObject, NothingIsPaintedWhileAnUpdateRuns)
{
    TExtStringGrid g;
    g.show();
    g.BeginUpdate();
    g.BeginUpdate();
    g.SetCellText(1, 1, QStringLiteral("x"));
    g.EndUpdate();
    EXPECT_EQ(g.UpdateCount(), 1);
    const auto pass = g.PaintPass();
    g.grab();
    EXPECT_EQ(g.PaintPass(), pass);
    g.EndUpdate();
    g.grab();
    EXPECT_EQ(g.PaintPass(), pass + 1);
    g.EndUpdate();  // one too many: nothing happens
    EXPECT_EQ(g.UpdateCount(), 0);
}

TEST(GridIntLists, ChangeEventsCommaTextAndSortIndexes)
{
    TIntList list(-1, -1);
    QStringList events;
    list.OnChange = [&](TIntList*, int t1, int t2) { events << QStringLiteral("%1/%2").arg(t1).arg(t2); };
    EXPECT_EQ(list.StrValue(), QString());
    list.SetStrValue(QStringLiteral("3,1,2"));
    EXPECT_EQ(list.StrValue(), QStringLiteral("3,1,2"));
    EXPECT_EQ(events.size(), 3);  // one per item added
    list.Insert(0, 9);             // no event
    EXPECT_EQ(events.size(), 3);
    list.SetStrValue(QString());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.SetStrValue(QStringLiteral("1,x")), EConvertError);

    TSortIndexList sort;
    int changes = 0;
    sort.OnChange = [&](TIntList*, int, int) { ++changes; };
    sort.AddIndex(2, true);
    sort.AddIndex(5, false);
    EXPECT_EQ(unsigned(sort.Items(1)), 0x80000005u);
    EXPECT_EQ(sort.FindIndex(5), 1);
    sort.ToggleIndex(5);
    EXPECT_TRUE(TSortIndexList::AscendingOf(sort.Items(1)));
    EXPECT_EQ(changes, 3);
    sort.ToggleIndex(7);  // absent: nothing, no event
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(sort.FindIndex(7), -1);
}

}  // namespace
