// Column calculations and the footer row, the floating footer's panel, the selection as text,
// auto-sizing, the row swap of sorting and the search bar; a footer and a search bar drawn
// offscreen into pictures with German settings.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>

#include <cmath>
#include <limits>

#include "grid/display/extgrid.h"
#include "grid/display/extobj.h"
#include "grid/display/footerpanels.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/grid/recordingcanvas.h"
#include "tests/support/qstringprinter.h"

namespace {

class FooterTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = FormatSettings(); }
    void TearDown() override { FormatSettings() = saved_; }
    TFormatSettings saved_;
};

// A grid that shows the room it keeps below its cells.
class MarginGrid : public TExtStringGrid {
public:
    int BottomMargin() const { return viewportMargins().bottom(); }
};

// A grid of one header row, the given data rows in column 1 and a visible floating footer whose
// cell in column 1 calculates `kind`.
void makeFooterGrid(TExtStringGrid& g, const QStringList& values, int kind)
{
    g.SetColCount(3);
    g.SetRowCount(int(values.size()) + 2);
    for (int i = 0; i < values.size(); ++i)
        g.SetCellText(1, i + 1, values[i]);
    g.FloatingFooter.SetVisible(true);
    g.CellProperties(1, g.RowCount() - 1)->FooterCalc = kind;
}

TEST_F(FooterTest, CalculationsPassOverCellsThatHoldNoNumber)
{
    TExtStringGrid g;
    makeFooterGrid(g, {"1", "n/a", "2", ""}, 1);
    const int last = g.RowCount() - 2;
    // Each of these raised on "n/a" before, so that no footer could be calculated.
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, last), 3);
    EXPECT_DOUBLE_EQ(g.ColumnMin(1, 1, 3), 1);
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 3), 2);
    // An empty cell counts as 0, as GetFloats reads it.
    EXPECT_DOUBLE_EQ(g.ColumnMin(1, 1, last), 0);
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, 5, 4), 0);
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, 1, 3), 1);
    g.UpdateFooter(-1);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, g.RowCount() - 1), 3);
    // A footer cell without a record is emptied; one without a calculation too.
    EXPECT_EQ(g.GetCellText(2, g.RowCount() - 1), QString());
}

TEST_F(FooterTest, GermanNumbersAreReadWithTheirSeparators)
{
    FormatSettings() = GermanFormatSettings();
    TExtStringGrid g;
    makeFooterGrid(g, {"1.234,5", "(10,5)", "-2", "+3", "1e2"}, 5);
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 5), 1234.5 - 10.5 - 2 + 3 + 100);
    g.UpdateFooter(1);
    EXPECT_EQ(g.GetCellText(1, g.RowCount() - 1), QStringLiteral("1234,50"));
}

TEST_F(FooterTest, NumbersReadAsGetFloatsReadsThem)
{
    FormatSettings() = USFormatSettings();
    struct Case {
        const char* text;
        double value;  // NaN: passed over
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {{"1.", 1},   {".5", 0.5},  {"0.1", 0.1},     {"1,234.5", 1234.5}, {"12345678901234567", 12345678901234567.0},
                          {"-", 0},    {" 7 ", 7},   {"2.5e3", 2500},  {"+4", 4},           {"-3.25", -3.25},
                          {".", none}, {"x", none},  {"1-2", none},    {"--5", -5},         {"1e", none}};
    for (const Case& c : cases) {
        TExtStringGrid g;
        makeFooterGrid(g, {QLatin1String(c.text), "100"}, 1);
        const double sum = g.ColumnSum(1, 1, 2);
        if (std::isnan(c.value)) {
            EXPECT_DOUBLE_EQ(sum, 100) << c.text;
            EXPECT_THROW(g.GetFloats(1, 1), EExtGridError) << c.text;
        } else {
            EXPECT_DOUBLE_EQ(sum, c.value + 100) << c.text;
            EXPECT_DOUBLE_EQ(g.GetFloats(1, 1), c.value) << c.text;
        }
    }
}

TEST_F(FooterTest, EachKindFillsItsFooterCell)
{
    struct Case {
        int kind;
        double expected;
    };
    for (const Case& c : {Case{1, 10}, Case{2, 2.5}, Case{3, 4}, Case{4, 1}, Case{5, 4}}) {
        TExtStringGrid g;
        makeFooterGrid(g, {"4", "1", "3", "2"}, c.kind);
        g.UpdateFooter(-1);
        EXPECT_DOUBLE_EQ(g.GetFloats(1, g.RowCount() - 1), c.expected) << "kind " << c.kind;
    }
    TExtStringGrid custom;
    makeFooterGrid(custom, {"4"}, 7);
    custom.UpdateFooter(-1);
    EXPECT_EQ(custom.GetCellText(1, custom.RowCount() - 1), QString());
    custom.FloatingFooter.OnCalcFooter = [](QObject*, int ACol, QString& Value) { Value = QStringLiteral("c%1").arg(ACol); };
    custom.UpdateFooter(-1);
    EXPECT_EQ(custom.GetCellText(1, custom.RowCount() - 1), QStringLiteral("c1"));
    // Without the panel, or with a preview style, nothing is calculated.
    custom.SetCellText(1, custom.RowCount() - 1, QStringLiteral("kept"));
    custom.FloatingFooter.SetFooterStyle(fsColumnPreview);
    custom.UpdateFooter(-1);
    EXPECT_EQ(custom.GetCellText(1, custom.RowCount() - 1), QStringLiteral("kept"));
}

TEST_F(FooterTest, HiddenRowsCountOnlyWhenAskedFor)
{
    TExtStringGrid g;
    QStringList values;
    for (int i = 1; i <= 12; ++i)
        values << QString::number(i);
    makeFooterGrid(g, values, 3);
    g.CellProperties(2, g.RowCount() - 1)->FooterCalc = 1;
    for (int r = 1; r <= 12; ++r)
        g.SetCellText(2, r, QString::number(r));
    g.HideRows(3, 4);
    ASSERT_EQ(g.RowCount(), 12);
    g.UpdateFooter(-1);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, g.RowCount() - 1), 10);
    EXPECT_DOUBLE_EQ(g.GetFloats(2, g.RowCount() - 1), 78 - 3 - 4);
    g.FloatingFooter.CalculateHiddenRows = true;
    g.UpdateFooter(-1);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, g.RowCount() - 1), 12);
    EXPECT_DOUBLE_EQ(g.GetFloats(2, g.RowCount() - 1), 78);
}

TEST_F(FooterTest, FilterAndNodesRecalculateTheFooter)
{
    TExtStringGrid g;
    makeFooterGrid(g, {"1", "2", "3", "4", "5"}, 1);
    g.Filter.ColumnFilter(1).Condition = QStringLiteral(">2");
    g.SetFilterActive(true);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, g.RowCount() - 1), 12);
    g.SetFilterActive(false);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, g.RowCount() - 1), 15);
    g.AddNode(1, 3);
    g.ContractNode(1);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, g.RowCount() - 1), 1 + 4 + 5);
    g.ExpandNode(1);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, g.RowCount() - 1), 15);
}

TEST_F(FooterTest, VisibleFooterTakesTheLastRowIntoItsPanel)
{
    MarginGrid g;
    g.resize(300, 200);
    EXPECT_TRUE(g.FooterPanel()->isHidden());
    g.FloatingFooter.SetVisible(true);
    EXPECT_FALSE(g.FooterPanel()->isHidden());
    EXPECT_EQ(g.FooterPanel()->height(), g.FloatingFooter.Height - 1);
    EXPECT_EQ(g.FixedFooters(), 1);
    EXPECT_TRUE(g.FooterRow());
    // The panel sits right below the cells, which give it the room.
    EXPECT_EQ(g.FooterPanel()->geometry().top(), g.viewport()->geometry().bottom() + 1);
    g.FloatingFooter.SetFooterStyle(fsColumnPreview);
    EXPECT_FALSE(g.FooterRow());
    g.FloatingFooter.SetVisible(false);
    EXPECT_TRUE(g.FooterPanel()->isHidden());
    EXPECT_EQ(g.FixedFooters(), 0);
    EXPECT_EQ(g.BottomMargin(), 0);

    // Assign copies the values, Visible through its setter.
    TFloatingFooter other;
    other.SetColor(clRed);
    other.SetVisible(true);
    other.SetFooterStyle(fsFixedLastRow);
    g.FloatingFooter.Assign(other);
    EXPECT_EQ(g.FloatingFooter.Color(), clRed);
    EXPECT_FALSE(g.FooterPanel()->isHidden());
}

TEST_F(FooterTest, CellControlsFollowTheirCells)
{
    TExtStringGrid g;
    g.resize(300, 200);
    g.SetColCount(4);
    g.SetRowCount(40);
    auto* edit = new QLineEdit(g.viewport());
    g.CellControls().Add(edit);
    g.CellProperties(2, 3)->Control = edit;
    g.show();
    g.UpdateFooterPanels();
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->geometry(), g.CellRect(2, 3));
    g.HideRows(3, 3);
    EXPECT_FALSE(edit->isVisible());
    g.UnHideRows(3, 3);
    EXPECT_TRUE(edit->isVisible());
    // Scrolled out of view, it hides; back in view, it takes its cell's place again.
    g.SetTopRow(20);
    EXPECT_FALSE(edit->isVisible());
    g.SetTopRow(1);
    EXPECT_TRUE(edit->isVisible());
    g.SetRowHeights(1, 40);
    EXPECT_EQ(edit->geometry(), g.CellRect(2, 3));
}

TEST_F(FooterTest, TemplateFillsColumnsOfTheCurrentRow)
{
    TExtStringGrid g;
    g.SetColCount(3);
    g.SetCellText(1, 1, QStringLiteral("Lauf"));
    g.SetCellText(2, 1, QStringLiteral("10 km"));
    g.SetRow(1);
    struct Case {
        const char* tmpl;
        const char* text;
    };
    for (const Case& c : {Case{"<#1> - <#x>", "Lauf - "}, Case{"<#2>/<#1>", "10 km/Lauf"},
                          // A column outside the grid gives nothing (it was read unchecked).
                          Case{"a<#99>b<#-1>c", "abc"}, Case{"x <#1", "x <#1"}}) {
        g.FloatingFooter.SetCustomTemplate(QLatin1String(c.tmpl));
        EXPECT_EQ(g.FooterTemplateText(g.Row()), QLatin1String(c.text)) << c.tmpl;
    }
}

TEST_F(FooterTest, PanelPaintsTheFooterCellsOrThePreview)
{
    TExtStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(4);
    g.SetOptions(g.Options() | goFixedVertLine);
    g.FloatingFooter.SetVisible(true);
    g.SetCellText(1, 3, QStringLiteral("Summe"));
    g.SetCellText(1, 1, QStringLiteral("Lauf"));
    g.SetRow(1);
    RecordingCanvas canvas;
    const QRect client(0, 0, 400, 21);
    g.PaintFooterPanel(canvas, client);
    EXPECT_EQ(canvas.Texts(), QStringList{QStringLiteral("Summe")});
    // One grey separator at the right edge of each column.
    int separators = 0;
    for (const RecordedOp& op : canvas.OpsOf(CanvasOp::Line))
        separators += op.color == RGBColor(128, 128, 128);
    EXPECT_EQ(separators, 3);

    canvas.Clear();
    g.FloatingFooter.SetFooterStyle(fsColumnPreview);
    g.FloatingFooter.SetColumn(1);
    g.PaintFooterPanel(canvas, client);
    EXPECT_EQ(canvas.Texts(), QStringList{QStringLiteral("Lauf")});

    canvas.Clear();
    int asked = 0;
    g.OnFooterPaint = [&](QObject*, int, int, TGridCanvas&, const QRect&) { ++asked; };
    g.FloatingFooter.SetFooterStyle(fsFixedLastRow);
    g.PaintFooterPanel(canvas, client);
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(canvas.Texts().isEmpty());
}

TEST_F(FooterTest, PanelHintsAskForTheColumnUnderThePointer)
{
    TExtStringGrid g;
    g.SetColCount(3);
    for (int c = 0; c < 3; ++c)
        g.SetColWidths(c, 50);
    g.FloatingFooter.SetVisible(true);
    std::vector<std::pair<int, int>> asked;
    g.OnGridHint = [&](QObject*, int ARow, int ACol, QString& Hint) {
        asked.emplace_back(ARow, ACol);
        Hint = QStringLiteral("h%1").arg(ACol);
    };
    EXPECT_EQ(g.FooterPanel()->HintAt({75, 5}), QString());
    g.FloatingFooter.SetShowHint(true);
    EXPECT_EQ(g.FooterPanel()->HintAt({75, 5}), QStringLiteral("h1"));
    EXPECT_EQ(g.FooterPanel()->HintColumn(), 1);
    EXPECT_EQ(g.FooterPanel()->HintAt({170, 5}), QString());
    EXPECT_EQ(g.FooterPanel()->HintColumn(), -1);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1], std::make_pair(g.RowCount() - 1, 1));
}

TEST_F(FooterTest, SelectionAsTextJoinsCellsAndRows)
{
    TExtStringGrid g;
    g.SetColCount(4);
    g.SetCellText(1, 1, QStringLiteral("a"));
    g.SetCellText(2, 1, QStringLiteral("b"));
    g.SetCellText(1, 2, QStringLiteral("c"));
    g.SetCellText(2, 2, QStringLiteral("d"));
    g.SetSelection(TGridRect{1, 1, 2, 2});
    EXPECT_EQ(g.SelectionAsText(), QStringLiteral("a\tb\r\nc\td"));
    EXPECT_TRUE(g.IsSelected(2, 2));
    EXPECT_FALSE(g.IsSelected(3, 2));
    EXPECT_FALSE(g.IsSelected(0, 1));
    // Multi-line texts are quoted while multi-line cells are on.
    g.Multilinecells = true;
    g.SetCellText(2, 2, QStringLiteral("d\r\ne"));
    EXPECT_EQ(g.SelectionAsText(), QStringLiteral("a\tb\r\nc\t\"d") + QChar(11) + QStringLiteral("e\""));
    // Disjunct rows: every flagged row.
    g.MouseActions.DisjunctRowSelect = true;
    g.SetRowSelect(2, true);
    g.SetRowSelect(4, true);
    g.SetCellText(1, 4, QStringLiteral("f"));
    g.SetCellText(2, 2, QStringLiteral("d"));
    EXPECT_EQ(g.SelectionAsText(), QStringLiteral("c\td\r\nf\t"));
    EXPECT_TRUE(g.IsSelected(3, 4));
    EXPECT_FALSE(g.IsSelected(1, 1));
}

TEST_F(FooterTest, AutoSizingMeasuresTheContent)
{
    TExtStringGrid g;
    g.SetColCount(3);
    g.SetCellText(1, 1, QStringLiteral("abcdef"));    // 6 characters of 7 px
    g.SetCellText(2, 2, QStringLiteral("ab"));
    g.AutoSizeColumns(false, 0);
    const int w1 = g.ColWidths(1);
    const int w2 = g.ColWidths(2);
    EXPECT_EQ(w1, 6 * 7 + 2 * g.XYOffsetX);
    EXPECT_EQ(w2, 2 * 7 + 2 * g.XYOffsetX);
    const int fixed = g.ColWidths(0);
    g.AutoSizeColumns(false, 4);
    EXPECT_EQ(g.ColWidths(1), w1 + 4);
    EXPECT_EQ(g.ColWidths(2), w2 + 4);
    EXPECT_EQ(g.ColWidths(0), fixed);

    g.Multilinecells = true;
    g.SetCellText(1, 3, QStringLiteral("a\r\nb\r\nc"));
    EXPECT_EQ(g.MaxLinesInRow(3), 3);
    EXPECT_EQ(g.MaxLinesInRow(1), 1);
    g.AutoSizeRow(3);
    EXPECT_EQ(g.RowHeights(3), 3 * 16 + 2 * g.XYOffsetY);
    // The row never gets lower than the default height it started from.
    g.AutoSizeRow(1);
    EXPECT_EQ(g.RowHeights(1), 21);
    g.AutoSizeRowToFont(4, 2, 3);
    EXPECT_EQ(g.RowHeights(4), (16 + 2) * 2 + 3);
}

TEST_F(FooterTest, SwapRowsExchangesCellsHeightsAndTheTrackedRow)
{
    TExtStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(6);
    g.SetCellText(1, 1, QStringLiteral("a"));
    g.SetCellText(2, 1, QStringLiteral("x"));
    g.SetCellCheckBox(2, 1, true, false);
    g.SetCellText(1, 4, QStringLiteral("b"));
    g.SetRowHeights(4, 40);
    for (int r = 0; r < g.RowCount(); ++r)
        g.RowIndexList().Add(r);
    g.SetTrackedRow(1);
    g.SwapRows(1, 4);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("b"));
    EXPECT_EQ(g.GetCellText(1, 4), QStringLiteral("a"));
    bool state = false;
    EXPECT_TRUE(g.GetCheckBoxState(2, 4, state));
    EXPECT_TRUE(state);
    EXPECT_FALSE(g.GetCheckBoxState(2, 1, state));
    EXPECT_EQ(g.RowHeights(1), 40);
    EXPECT_EQ(g.RowIndexList().Items(1), 4);
    EXPECT_EQ(g.RowIndexList().Items(4), 1);
    EXPECT_EQ(g.TrackedRow(), 4);
    EXPECT_EQ(g.SwapCount(), 1);

    // With SingleColumn only the sort column's cells move.
    g.SortSettings.SingleColumn = true;
    g.SortSettings.Column = 1;
    g.SwapRows(1, 4);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("a"));
    EXPECT_TRUE(g.GetCheckBoxState(2, 4, state));
}

// --- the search bar --------------------------------------------------------------------------------

TEST(SearchPanel, SettingsArePlacedOnThePanel)
{
    MarginGrid g;
    g.resize(500, 200);
    TSearchPanel* p = g.SearchPanel();
    EXPECT_TRUE(p->isHidden());
    g.SearchFooter.SetVisible(true);
    EXPECT_FALSE(p->isHidden());
    EXPECT_EQ(p->height(), 32);
    EXPECT_EQ(g.BottomMargin(), 32);
    EXPECT_EQ(p->FindNextButton()->Caption(), QStringLiteral("Find next"));
    EXPECT_EQ(p->FindNextButton()->geometry(), QRect(140, 5, 90, 23));
    EXPECT_EQ(p->MatchCase()->x(), 425);
    g.SearchFooter.SetShowHighLight(false);
    EXPECT_EQ(p->MatchCase()->x(), 330);
    EXPECT_TRUE(p->HighlightButton()->isHidden());
    EXPECT_EQ(p->HighlightButton()->height(), 0);
    EXPECT_EQ(p->CloseButton()->toolTip(), QStringLiteral("Close"));
    g.SearchFooter.SetHintClose(QString());
    EXPECT_EQ(p->CloseButton()->toolTip(), QString());
    g.SearchFooter.SetFindNextCaption(QStringLiteral("Weitersuchen"));
    EXPECT_EQ(p->FindNextButton()->Caption(), QStringLiteral("Weitersuchen"));

    // The actions wait for a text to find.
    for (TExtGridButton* b : {p->FindNextButton(), p->FindPrevButton(), p->HighlightButton()})
        EXPECT_FALSE(b->isEnabled());
    int changes = 0;
    p->OnEditChange = [&](QObject*) { ++changes; };
    p->Edit()->setText(QStringLiteral("Lauf"));
    for (TExtGridButton* b : {p->FindNextButton(), p->FindPrevButton(), p->HighlightButton()})
        EXPECT_TRUE(b->isEnabled());
    p->Edit()->clear();
    for (TExtGridButton* b : {p->FindNextButton(), p->FindPrevButton(), p->HighlightButton()})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(changes, 2);

    // Close hides the bar.
    p->CloseButton()->Click();
    EXPECT_FALSE(g.SearchFooter.Visible());
    EXPECT_TRUE(p->isHidden());
    EXPECT_EQ(g.BottomMargin(), 0);
}

TEST(SearchPanel, AssignCopiesEachSetting)
{
    TSearchFooter a;
    a.SetColor(clRed);
    a.SetColorTo(clBlue);
    a.SetShowFindPrev(false);
    int notices = 0;
    TSearchFooter b;
    b.OnChange = [&] { ++notices; };
    b.Assign(a);
    EXPECT_EQ(b.Color(), clRed);
    EXPECT_EQ(b.ColorTo(), clBlue);
    EXPECT_FALSE(b.ShowFindPrev());
    EXPECT_EQ(notices, 1);
    // The switches tell only of a change; the other setters always.
    b.SetShowFindPrev(false);
    b.SetVisible(false);
    EXPECT_EQ(notices, 1);
    b.SetColor(clRed);
    EXPECT_EQ(notices, 2);
}

// --- pictures ----------------------------------------------------------------------------------------

TEST_F(FooterTest, FooterAndSearchBarDrawnOffscreen)
{
    FormatSettings() = GermanFormatSettings();
    TExtStringGrid g;
    g.resize(520, 200);
    g.SetColCount(4);
    g.SetRowCount(6);
    g.ColumnHeaders.Assign(QStringList{"", "Datum", "Strecke", "Zeit"});
    const char* rows[][3] = {{"01.05.2026", "10,5", "0:52:10"}, {"03.05.2026", "8,2", "0:41:05"},
                             {"05.05.2026", "21,1", "1:49:30"}, {"07.05.2026", "n/a", ""}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetCellText(c + 1, r + 1, QLatin1String(rows[r][c]));
    g.FloatingFooter.SetVisible(true);
    g.CellProperties(1, 5)->FooterCalc = 7;
    g.FloatingFooter.OnCalcFooter = [](QObject*, int, QString& Value) { Value = QStringLiteral("Summe"); };
    g.CellProperties(2, 5)->FooterCalc = 1;
    g.UpdateFooter(-1);
    EXPECT_EQ(g.GetCellText(2, 5), QStringLiteral("39,80"));
    g.SearchFooter.SetVisible(true);
    g.SearchFooter.SetFindNextCaption(QStringLiteral("Weiter"));
    g.SearchFooter.SetFindPrevCaption(QStringLiteral("Zurück"));
    g.SearchFooter.SetMatchCaseCaption(QStringLiteral("Groß/klein"));
    g.SearchPanel()->Edit()->setText(QStringLiteral("Lauf"));
    g.show();
    const QImage picture = g.grab().toImage();
    if (const QByteArray file = qgetenv("GRID_FOOTER_PNG"); !file.isEmpty())
        picture.save(QString::fromLocal8Bit(file));
    // The footer band is painted in its colour below the cells, the bar below the band.
    const QRect band = g.FooterPanel()->geometry();
    EXPECT_EQ(picture.pixelColor(band.left() + 200, band.top() + 3).rgb(), ToQColor(clBtnFace).rgb());
    EXPECT_EQ(g.SearchPanel()->geometry().top(), band.top() + band.height());
}

}  // namespace
