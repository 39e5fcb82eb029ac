// Typed cell access and cell kinds: check boxes bound to the text or keeping their own state,
// radio groups, integers, floats and dates with their errors, the selection and modified-row
// flags, and repaints that happen only when something changed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>

#include "grid/display/extgrid.h"
#include "tests/support/messages.h"
#include "tests/support/qstringprinter.h"

namespace {

// Counts the viewport's paint events, so that a test sees whether a change repainted anything.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Runs the event loop until the window has painted what it was asked to.
void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

class GridCellsTest : public ::testing::Test {
protected:
    void SetUp() override { savedSettings_ = FormatSettings(); }
    void TearDown() override { FormatSettings() = savedSettings_; }
    TFormatSettings savedSettings_;
};

TEST_F(GridCellsTest, DataCheckBoxesReadAndWriteTheirTextOthersKeepTheirState)
{
    TExtStringGrid g;
    g.CheckTrue = QStringLiteral("true");
    g.CheckFalse = QStringLiteral("false");
    g.SetCellCheckBox(1, 1, false, true);
    EXPECT_EQ(g.GetCellType(1, 1), ctDataCheckBox);
    EXPECT_EQ(g.GetCellText(1, 1), QString());  // the state is not written
    const struct {
        const char* text;
        bool checked;
    } states[] = {{"true", true}, {"True", false}, {"Y", false}, {"", false}};
    for (const auto& s : states) {
        g.SetCellText(1, 1, QString::fromUtf8(s.text));
        bool state = !s.checked;
        EXPECT_TRUE(g.GetCheckBoxState(1, 1, state));
        EXPECT_EQ(state, s.checked) << s.text;
    }
    // A text that is neither check text toggles to the check-true text; twice gives it back.
    g.SetCellText(1, 1, QStringLiteral("maybe"));
    EXPECT_TRUE(g.ToggleCheckBox(1, 1, false));
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("true"));
    g.ToggleCheckBox(1, 1, false);
    g.ToggleCheckBox(1, 1, false);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("true"));
    // Asked whether it may be edited, a grid without goEditing refuses.
    EXPECT_FALSE(g.ToggleCheckBox(1, 1, true));
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("true"));

    // A box of its own keeps its state beside the text.
    g.SetCellText(2, 1, QStringLiteral("label"));
    g.SetCellCheckBox(2, 1, true, false);
    bool state = false;
    EXPECT_TRUE(g.GetCheckBoxState(2, 1, state));
    EXPECT_TRUE(state);
    g.ToggleCheckBox(2, 1, false);
    g.GetCheckBoxState(2, 1, state);
    EXPECT_FALSE(state);
    EXPECT_EQ(g.GetCellText(2, 1), QStringLiteral("label"));
    g.CheckAll(2);
    g.GetCheckBoxState(2, 1, state);
    EXPECT_TRUE(state);
    EXPECT_EQ(g.GetCellGraphic(2, 1)->CellHAlign, haBeforeText);
    EXPECT_TRUE(g.GetCellGraphic(2, 1)->CellTransparent);

    // A cell without a box: no state, no toggle, no flag written anywhere.
    EXPECT_FALSE(g.GetCheckBoxState(3, 3, state));
    EXPECT_FALSE(g.ToggleCheckBox(3, 3, false));
    g.SetCellBooleanFlag(3, 3, true);
    EXPECT_FALSE(g.HasCellProperties(3, 3));
    EXPECT_TRUE(g.HasActiveControl(1, 1));
    EXPECT_TRUE(g.IsCheckBoxCell(2, 1));
    EXPECT_FALSE(g.IsCheckBoxCell(3, 3));
}

TEST_F(GridCellsTest, ANewGraphicReplacesOnlyTheCellsOwnAndSharedRowBoxesSurvive)
{
    TExtStringGrid g;
    g.MouseActions.HotmailRowSelect = true;
    g.MouseActions.DisjunctRowSelect = true;
    // Column 0 answers the shared row box; making and removing graphics there never frees it.
    TCellGraphic* shared = g.GetCellGraphic(0, 2);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(g.GetCellType(0, 2), ctRowCheckBox);
    g.CreateCellGraphic(0, 2)->CellType = ctComment;
    EXPECT_TRUE(g.RemoveCellGraphic(0, 2));
    EXPECT_EQ(g.GetCellGraphic(0, 3), shared);
    // Its state is the row's flag; toggling flips the flag and writes no text.
    EXPECT_TRUE(g.ToggleCheckBox(0, 3, false));
    EXPECT_TRUE(g.GetRowSelect(3));
    EXPECT_TRUE(g.GetCellGraphic(0, 3)->CellBoolean);
    EXPECT_EQ(g.GetCellText(0, 3), QString());

    TExtStringGrid plain;
    TCellGraphic* comment = plain.CreateCellGraphic(1, 1);
    comment->CellType = ctComment;
    comment->CellText = QStringLiteral("note");
    QString text;
    EXPECT_TRUE(plain.GetCellComment(1, 1, text));
    EXPECT_EQ(text, QStringLiteral("note"));
    EXPECT_FALSE(plain.RemoveCellGraphicOfType(1, 1, ctButton));
    EXPECT_TRUE(plain.RemoveCellGraphicOfType(1, 1, ctComment));
    EXPECT_EQ(plain.GetCellType(1, 1), ctEmpty);
    EXPECT_EQ(plain.GetCellType(-1, 1), ctEmpty);
    EXPECT_EQ(plain.CellGraphicPayload(1, 1), QVariant(-1));
}

TEST_F(GridCellsTest, RadioGroupsMoveOnAndAnEmptyGroupStays)
{
    TExtStringGrid g;
    TCellGraphic* radio = g.CreateCellGraphic(1, 1);
    radio->CellType = ctRadio;
    radio->CellIndex = -1;
    radio->Options = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    g.SetCellText(1, 1, QStringLiteral("b"));
    EXPECT_FALSE(g.ToggleRadio(1, 1, false));  // it answers false whatever it did
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("c"));
    g.ToggleRadio(1, 1, false);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("a"));
    // An index of its own follows the option.
    radio->CellIndex = 2;
    g.ToggleRadio(1, 1, false);
    EXPECT_EQ(radio->CellIndex, 0);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("a"));
    // No options: nothing changes.
    radio->Options.clear();
    g.SetCellText(1, 1, QStringLiteral("x"));
    EXPECT_FALSE(g.ToggleRadio(1, 1, false));
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("x"));
    EXPECT_EQ(radio->CellIndex, 0);
}

TEST_F(GridCellsTest, TypedValuesAndTheirErrors)
{
    TExtStringGrid g;
    const struct {
        const char* text;
        int value;
    } ints[] = {{"", 0}, {"-", 0}, {"42", 42}, {"-17", -17}};
    for (const auto& i : ints) {
        g.SetCellText(1, 1, QString::fromUtf8(i.text));
        EXPECT_EQ(g.GetInts(1, 1), i.value) << i.text;
    }
    for (const char* bad : {"12ab", "1.5", "99999999999"}) {
        g.SetCellText(1, 1, QString::fromUtf8(bad));
        EXPECT_EQ(messageOf<EExtGridError>([&] { g.GetInts(1, 1); }), QStringLiteral("Cell does not contain integer value"))
            << bad;
    }
    g.SetInts(2, 2, 10500);
    EXPECT_EQ(g.GetCellText(2, 2), QStringLiteral("10500"));

    // Floats by the format settings, both ways.
    FormatSettings() = GermanFormatSettings();
    g.SetCellText(1, 1, QStringLiteral("1.234,50"));
    EXPECT_DOUBLE_EQ(g.GetFloats(1, 1), 1234.5);
    g.SetFloats(1, 1, 2.5);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("2,50"));
    EXPECT_DOUBLE_EQ(g.GetFloats(1, 1), 2.5);
    FormatSettings() = savedSettings_;
    FormatSettings().DecimalSeparator = QLatin1Char('.');
    FormatSettings().ThousandSeparator = QLatin1Char(',');
    g.SetFloats(1, 1, -1234.567);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("-1234.57"));
    EXPECT_DOUBLE_EQ(g.GetFloats(1, 1), -1234.57);
    g.SetCellText(1, 1, QStringLiteral("abc"));
    EXPECT_EQ(messageOf<EExtGridError>([&] { g.GetFloats(1, 1); }), QStringLiteral("Cell does not contain a float value"));
    g.SetCellText(1, 1, QString());
    EXPECT_DOUBLE_EQ(g.GetFloats(1, 1), 0);

    // Dates: none for 0 unless null dates show.
    g.SetCellText(3, 3, QStringLiteral("old"));
    g.SetDates(3, 3, 0);
    EXPECT_EQ(g.GetCellText(3, 3), QString());
    g.SetDates(3, 3, EncodeDate(2026, 5, 4));
    EXPECT_EQ(g.GetCellText(3, 3), DateToStr(EncodeDate(2026, 5, 4)));
    g.ShowNullDates = true;
    g.SetDates(3, 3, 0);
    EXPECT_EQ(g.GetCellText(3, 3), DateToStr(0));
}

TEST_F(GridCellsTest, SelectionAndModifiedFlags)
{
    TExtStringGrid g;
    EXPECT_EQ(messageOf<EExtGridError>([&] { g.GetColSelect(g.ColCount()); }), QStringLiteral("Invalid column accessed"));
    EXPECT_EQ(messageOf<EExtGridError>([&] { g.SetColSelect(-1, true); }), QStringLiteral("Invalid column accessed"));
    EXPECT_EQ(messageOf<EExtGridError>([&] { g.GetRowSelect(g.RowCount()); }), QStringLiteral("Invalid row accessed"));
    EXPECT_EQ(messageOf<EExtGridError>([&] { g.SetRowSelect(-1, true); }), QStringLiteral("Invalid row accessed"));

    // Without disjunct rows the selection rectangle answers.
    g.SetSelection(TGridRect{1, 3, 2, 5});
    EXPECT_TRUE(g.GetRowSelect(4));
    EXPECT_FALSE(g.GetRowSelect(6));

    g.MouseActions.DisjunctRowSelect = true;
    g.SetRowSelect(8, true);
    g.SelectAllRows(false);
    for (int r = 1; r < g.RowCount(); ++r)
        EXPECT_EQ(g.GetRowSelect(r), (r >= 3 && r <= 5) || r == 8) << r;
    g.SelectAllRows(true);
    for (int r = 1; r < g.RowCount(); ++r)
        EXPECT_EQ(g.GetRowSelect(r), r >= 3 && r <= 5) << r;
    g.ClearRowSelect();
    EXPECT_EQ(g.RowSelectCount(), 0);
    g.SelectAllCols(true);
    EXPECT_TRUE(g.GetColSelect(2));
    EXPECT_FALSE(g.GetColSelect(3));

    EXPECT_FALSE(g.IsRowModified(20));
    g.SetRowModified(10, false);
    EXPECT_EQ(g.RowModified().StrValue(), QStringLiteral("0,0,0,0,0,0,0,0,0,0,0"));
    g.SetRowModified(2, true);
    EXPECT_TRUE(g.IsRowModified(2));
    EXPECT_FALSE(g.IsRowModified(3));
}

TEST_F(GridCellsTest, TheSameFlagOrColourAgainRepaintsNothing)
{
    TExtStringGrid g;
    g.MouseActions.DisjunctRowSelect = true;
    g.show();
    PaintCounter counter(g.viewport());
    settle();
    const auto changes = [&](const std::function<void()>& change) {
        counter.paints = 0;
        change();
        settle();
        return counter.paints;
    };
    EXPECT_GT(changes([&] { g.SetRowSelect(2, true); }), 0);
    EXPECT_EQ(changes([&] { g.SetRowSelect(2, true); }), 0);
    EXPECT_GT(changes([&] { g.SetColSelect(1, true); }), 0);
    EXPECT_EQ(changes([&] { g.SetColSelect(1, true); }), 0);
    EXPECT_GT(changes([&] { g.SetSelectionColor(clRed); }), 0);
    EXPECT_EQ(changes([&] { g.SetSelectionColor(clRed); }), 0);
    EXPECT_EQ(changes([&] { g.SetSelectionTextColor(g.SelectionTextColor()); }), 0);
    EXPECT_EQ(changes([&] { g.SetRowModified(4, true); }), 0);
    // Nothing while an update runs; once at its end.
    g.BeginUpdate();
    EXPECT_EQ(changes([&] { g.SetVAlignment(vtaCenter); }), 0);
    EXPECT_GT(changes([&] { g.EndUpdate(); }), 0);
}

TEST_F(GridCellsTest, PreciseCheckBoxHitsOnlyTheGlyphsSquare)
{
    TExtStringGrid g;
    g.show();
    g.SetCellCheckBox(1, 1, false, false);
    const QRect cell = g.CellRect(1, 1);
    EXPECT_TRUE(g.IsCheckBoxHit(1, 1, cell.right() - 1, cell.center().y()));
    g.MouseActions.PreciseCheckBoxCheck = true;
    EXPECT_EQ(g.CheckBoxSquare(1, 1), QRect(cell.left() + 2, cell.top() + 2, 15, 15));
    EXPECT_TRUE(g.IsCheckBoxHit(1, 1, cell.left() + 3, cell.top() + 3));
    EXPECT_FALSE(g.IsCheckBoxHit(1, 1, cell.right() - 1, cell.center().y()));
    g.GetCellGraphic(1, 1)->CellHAlign = haRight;
    g.GetCellGraphic(1, 1)->CellVAlign = vaCenter;
    EXPECT_EQ(g.CheckBoxSquare(1, 1),
              QRect(cell.left() + cell.width() - 17, cell.top() + (cell.height() - 15) / 2, 15, 15));
    EXPECT_FALSE(g.IsCheckBoxHit(2, 2, cell.left() + 3, cell.top() + 3));
}

}  // namespace
