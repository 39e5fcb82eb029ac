// Copy, cut and paste: the text form spreadsheet programs exchange (quoting, line ends), series
// filled into a selection, the grid's own stream between grids, and streams that are damaged or
// foreign, which must paste nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QtEndian>

#include "grid/display/extgrid.h"
#include "grid/editing/gridclipboard.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/qstringprinter.h"

namespace {

// An editable grid of 4 columns and 6 rows, one fixed row and column, with its cells empty.
struct ClipGrid {
    ClipGrid(int cols = 4, int rows = 6)
    {
        g.SetColCount(cols);
        g.SetRowCount(rows);
        g.SetOptions(g.Options() | goEditing | goRangeSelect);
        g.Navigation.AllowFmtClipboard = true;
    }
    void fill(int c, int r, std::initializer_list<const char*> texts)
    {
        for (const char* t : texts)
            g.SetCellText(c++, r, QString::fromUtf8(t));
    }
    void select(int left, int top, int right, int bottom) { g.SetSelection(TGridRect{left, top, right, bottom}); }
    QStringList texts() const
    {
        QStringList l;
        for (int r = 0; r < g.RowCount(); ++r)
            for (int c = 0; c < g.ColCount(); ++c)
                l << g.GetRawCell(c, r);
        return l;
    }
    QStringList column(int c, int from, int to) const
    {
        QStringList l;
        for (int r = from; r <= to; ++r)
            l << g.GetRawCell(c, r);
        return l;
    }
    TExtStringGrid g;
};

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void setClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QStringList list(std::initializer_list<const char*> texts)
{
    QStringList l;
    for (const char* t : texts)
        l << QString::fromUtf8(t);
    return l;
}

QPixmap redSquare()
{
    QPixmap p(4, 4);
    p.fill(Qt::red);
    return p;
}

QByteArray streamOf(TExtStringGrid& g, const TGridRect& R)
{
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    g.SaveCellsToStream(R, b);
    return b.data();
}

int load(TExtStringGrid& g, const QByteArray& data, TGridCoord at = {1, 1})
{
    QBuffer b;
    b.setData(data);
    b.open(QIODevice::ReadOnly);
    return g.LoadCellsFromStream(at, b);
}

TEST(GridClipboard, ABlockCopiesAsTabsAndLineBreaksWithQuotedCellsWhereNeeded)
{
    ClipGrid t;
    t.fill(1, 1, {"a", "b"});
    t.fill(1, 2, {"c", "d"});
    t.select(1, 1, 2, 2);
    t.g.CopySelectionToClipboard();
    EXPECT_EQ(clipboardText(), QStringLiteral("a\tb\r\nc\td"));
    EXPECT_TRUE(t.g.OwnCellsOnClipboard());

    // A two-line cell, quotes and a TAB inside cells: quoted, inner quotes doubled, and the
    // same texts come back in another grid.
    t.fill(1, 3, {"line one\r\nline two", "say \"hi\"", "x\ty"});
    t.select(1, 3, 3, 3);
    t.g.Navigation.AllowFmtClipboard = false;
    t.g.CopySelectionToClipboard();
    EXPECT_EQ(clipboardText(), QStringLiteral("\"line one\nline two\"\t\"say \"\"hi\"\"\"\t\"x\ty\""));
    ClipGrid other;
    other.select(1, 1, 1, 1);
    other.g.PasteFromClipboard();
    EXPECT_EQ(other.g.GetRawCell(1, 1), QStringLiteral("line one\r\nline two"));
    EXPECT_EQ(other.g.GetRawCell(2, 1), QStringLiteral("say \"hi\""));
    EXPECT_EQ(other.g.GetRawCell(3, 1), QStringLiteral("x\ty"));
}

TEST(GridClipboard, TextIsSplitAtEveryKindOfLineBreakAndQuotedCellsRunToTheirClosingQuote)
{
    struct Case {
        const char* text;
        std::vector<QStringList> rows;
    } cases[] = {
        {"a\tb\r\nc\td", {list({"a", "b"}), list({"c", "d"})}},
        {"a\nb\rc", {list({"a"}), list({"b"}), list({"c"})}},
        {"a\tb\n", {list({"a", "b"})}},                 // one final break adds no row
        {"a\n\n", {list({"a"}), list({""})}},           // only the last break is dropped
        {"\"x\ny\"\tz\n", {list({"x\r\ny", "z"})}},     // a quoted cell over a line break
        {"\"say \"\"hi\"\"\"", {list({"say \"hi\""})}},  // doubled quotes inside
        {"\"a\x0b" "b\"", {list({"a\r\nb"})}},          // character 11 is a line break
        {"\"open\tb\nc", {list({"\"open", "b"}), list({"c"})}},  // never closed: as written
        {"\t\tx", {list({"", "", "x"})}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const std::vector<QStringList> rows = ParseClipboardText(QString::fromUtf8(c.text));
        EXPECT_EQ(rows, c.rows) << c.text;
    }
}

TEST(GridClipboard, TextAsASpreadsheetProgramCopiesItPastesCellForCell)
{
    // Made from the .fods beside it by LibreOffice's text export with TAB and double quotes:
    // LF line ends, a final newline, a quoted two-line cell with doubled quotes.
    QFile f(QStringLiteral(ORV_SOURCE_DIR "/tests/support/grid/spreadsheet_copy.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    setClipboardText(QString::fromUtf8(f.readAll()));
    ClipGrid t(5, 6);
    EXPECT_EQ(t.g.PasteAt(1, 1), 9);
    EXPECT_EQ(t.column(1, 1, 3), list({"Name", "Müller", ""}));
    EXPECT_EQ(t.column(2, 1, 3), list({"Notiz", "erste Zeile\r\nzweite \"Zeile\"", "a\tb"}));
    EXPECT_EQ(t.column(3, 1, 3), list({"42", "say \"hi\"", "Ende"}));
    EXPECT_TRUE(t.g.GetRawCell(1, 4).isEmpty());
}

TEST(GridClipboard, PastedTextPassesTheEventsAndSkipsCellsThatMayNotBeEdited)
{
    ClipGrid t;
    t.g.CellProperties(2, 1)->ReadOnly = true;
    t.g.OnClipboardBeforePasteCell = [](QObject*, int ACol, int, QString& Value, bool& Allow) {
        if (ACol == 3)
            Allow = false;
        Value = Value.toUpper();
    };
    setClipboardText(QStringLiteral("a\tb\tc"));
    EXPECT_EQ(t.g.PasteAt(1, 1), 1);
    EXPECT_EQ(t.column(1, 1, 1), list({"A"}));
    EXPECT_TRUE(t.g.GetRawCell(2, 1).isEmpty());
    EXPECT_TRUE(t.g.GetRawCell(3, 1).isEmpty());
    // A cell in the wide form goes through the wide event alone.
    int wide = 0;
    t.g.OnClipboardBeforePasteWideCell = [&](QObject*, int, int, QString&, bool&) { ++wide; };
    setClipboardText(QStringLiteral("|\\w"));
    EXPECT_EQ(t.g.PasteAt(1, 2), 1);
    EXPECT_EQ(wide, 1);
    EXPECT_EQ(t.g.GetRawCell(1, 2), QStringLiteral("|\\w"));
}

TEST(GridClipboard, APasteLargerThanTheGridGrowsItBeforeTheFooter)
{
    ClipGrid t(3, 4);
    t.g.FloatingFooter.SetVisible(true);  // row 3 is the footer
    setClipboardText(QStringLiteral("1\t2\t3\n4\t5\t6\n7\t8\t9"));
    EXPECT_EQ(t.g.PasteAt(1, 2), 9);
    EXPECT_EQ(t.g.ColCount(), 4);
    EXPECT_EQ(t.g.RowCount(), 6);
    EXPECT_EQ(t.column(3, 2, 4), list({"3", "6", "9"}));
    // Without growing, what does not fit is left out.
    ClipGrid fixed(3, 4);
    fixed.g.Navigation.AllowClipboardColGrow = false;
    fixed.g.Navigation.AllowClipboardRowGrow = false;
    EXPECT_EQ(fixed.g.PasteAt(1, 2), 4);
    EXPECT_EQ(fixed.g.ColCount(), 3);
    EXPECT_EQ(fixed.g.RowCount(), 4);
}

TEST(GridClipboard, ASelectionIsFilledAfterThePastedCellsWithASeries)
{
    const TFormatSettings saved = FormatSettings();
    FormatSettings() = GermanFormatSettings();
    struct Case {
        const char* clip;
        QStringList filled;
    } cases[] = {
        {"1\n2", list({"1", "2", "3", "4", "5"})},
        {"1\n2\n4", list({"1", "2", "4", "4", "5"})},  // the pasted cells stay as pasted
        {"01.01.2005\n08.01.2005", list({"01.01.2005", "08.01.2005", "15.01.2005", "22.01.2005", "29.01.2005"})},
        {"15.01.2005\n15.02.2005", list({"15.01.2005", "15.02.2005", "15.03.2005", "15.04.2005", "15.05.2005"})},
        {"31.01.2005\n28.02.2005", list({"31.01.2005", "28.02.2005", "28.03.2005", "25.04.2005", "23.05.2005"})},
        {"0,5\n1,0", list({"0,5", "1,0", "1,50", "2,00", "2,50"})},
        {"a\nb", list({"a", "b", "a", "b", "a"})},
        {"x", list({"x", "x", "x", "x", "x"})},
        {"3\nb", list({"3", "b", "3", "b", "3"})},  // not both numbers: repeated
    };
    for (const Case& c : cases) {
        ClipGrid t(3, 7);
        t.g.Navigation.AllowSmartClipboard = true;
        t.select(1, 1, 1, 5);
        setClipboardText(QString::fromUtf8(c.clip));
        t.g.PasteFromClipboard();
        EXPECT_EQ(t.column(1, 1, 5), c.filled) << c.clip;
    }
    FormatSettings() = saved;
}

TEST(GridClipboard, CellsGoFromGridToGridWithTheirRecordsButNotWithBorrowedPictures)
{
    ClipGrid a(5, 6);
    a.fill(1, 1, {"yes", "red", "pic", "borrowed"});
    a.g.SetCellCheckBox(1, 1, true, false);
    a.g.CellProperties(2, 1)->SetBrushColor(clRed);
    TCellGraphic* pic = a.g.CreateCellGraphic(3, 1);
    pic->CellType = ctPicture;
    pic->Picture = redSquare();
    pic->CellCreated = true;
    TCellGraphic* bmp = a.g.CreateCellGraphic(4, 1);
    bmp->CellType = ctBitmap;
    bmp->Picture = redSquare();  // the application's bitmap, only referenced by the cell
    a.g.MergeCells(1, 2, 2, 2);
    a.g.SetCellText(1, 2, QStringLiteral("merged"));
    a.select(1, 1, 4, 2);
    a.g.CopySelectionToClipboard();

    ClipGrid b(6, 6);
    b.select(2, 2, 2, 2);
    b.g.PasteFromClipboard();
    bool state = false;
    ASSERT_TRUE(b.g.GetCheckBoxState(2, 2, state));
    EXPECT_TRUE(state);
    EXPECT_EQ(b.g.FindCellProperties(3, 2)->BrushColor(), clRed);
    ASSERT_EQ(b.g.GetCellType(4, 2), ctPicture);
    EXPECT_EQ(b.g.GetCellGraphic(4, 2)->Picture.toImage().pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(b.g.GetRawCell(5, 2), QStringLiteral("borrowed"));
    EXPECT_EQ(b.g.GetCellType(5, 2), ctEmpty);
    EXPECT_EQ(b.g.CellSpan(2, 3), (TGridCoord{1, 1}));
    EXPECT_EQ(b.g.GetCellText(3, 4), QStringLiteral("merged"));
}

TEST(GridClipboard, AStreamOfAWholeGridReplacesTheTargetWithItsSizeAndHeights)
{
    ClipGrid a(3, 4);
    a.fill(0, 0, {"h0", "h1", "h2"});
    a.fill(1, 3, {"x", "y"});
    a.g.SetRowHeights(2, 50);
    a.g.SetColWidths(1, 120);
    const QByteArray whole = streamOf(a.g, TGridRect{0, 0, 2, 3});

    ClipGrid b(6, 9);
    b.fill(4, 7, {"old"});
    EXPECT_EQ(load(b.g, whole, {3, 3}), 12);
    EXPECT_EQ(b.g.ColCount(), 3);
    EXPECT_EQ(b.g.RowCount(), 4);
    EXPECT_EQ(b.g.RowHeights(2), 50);
    EXPECT_EQ(b.g.ColWidths(1), 120);
    EXPECT_EQ(b.texts(), a.texts());

    // A grid with a read-only cell is not replaced.
    ClipGrid c(6, 9);
    c.fill(2, 2, {"keep"});
    c.g.CellProperties(2, 2)->ReadOnly = true;
    const QStringList before = c.texts();
    EXPECT_EQ(load(c.g, whole), 0);
    // A whole grid's block that claims to start far out is refused before the grid grows.
    QByteArray far = whole;
    qToLittleEndian(quint32(10000000), far.data() + 15);
    EXPECT_EQ(load(b.g, far), 0);
    EXPECT_EQ(b.g.RowCount(), 4);
    EXPECT_EQ(c.texts(), before);
    EXPECT_EQ(c.g.RowCount(), 9);
}

TEST(GridClipboard, StreamedCellsAreNotWrittenOverReadOnlyCells)
{
    ClipGrid a;
    a.fill(1, 1, {"one", "two"});
    const QByteArray block = streamOf(a.g, TGridRect{1, 1, 2, 1});
    ClipGrid b;
    b.fill(2, 3, {"mine"});
    b.g.CellProperties(2, 3)->ReadOnly = true;
    EXPECT_EQ(load(b.g, block, {1, 3}), 2);
    EXPECT_EQ(b.g.GetRawCell(1, 3), QStringLiteral("one"));
    EXPECT_EQ(b.g.GetRawCell(2, 3), QStringLiteral("mine"));
    // Rows past 65,535 keep their places.
    ClipGrid tall(3, 70010);
    tall.fill(1, 69999, {"first"});
    tall.fill(1, 70001, {"third"});
    ClipGrid d;
    EXPECT_EQ(load(d.g, streamOf(tall.g, TGridRect{1, 69999, 1, 70001}), {1, 1}), 3);
    EXPECT_EQ(d.column(1, 1, 3), list({"first", "", "third"}));
    // An empty top-left cell does not shift the block.
    ClipGrid c;
    c.fill(2, 1, {"right"});
    EXPECT_EQ(load(c.g, streamOf(c.g, TGridRect{1, 1, 2, 1}), {1, 4}), 2);
    EXPECT_EQ(c.g.GetRawCell(2, 4), QStringLiteral("right"));
}

TEST(GridClipboard, DamagedOrForeignStreamsPasteNothing)
{
    ClipGrid a;
    a.fill(1, 1, {"a", "b"});
    a.g.SetCellCheckBox(1, 2, true, false);
    a.g.SetCellText(2, 2, QStringLiteral("c"));
    const QByteArray good = streamOf(a.g, TGridRect{1, 1, 2, 2});
    auto patched = [&](int at, quint32 value) {
        QByteArray d = good;
        qToLittleEndian(value, d.data() + at);
        return d;
    };
    // Offsets: magic 8, version 2, header tag 1, then left, top, cols, rows.
    const int cols = 19;
    const int rows = 23;
    const int firstCell = 32 + 4 * 2 + 4 * 2;  // after full, id and the widths and heights
    struct Case {
        const char* what;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"wrong magic", QByteArray(good).replace(0, 3, "XYZ")},
        {"other version", QByteArray(good).replace(8, 1, "\x02")},
        {"huge column count", patched(cols, 0x7FFFFFFF)},
        {"huge row count", patched(rows, 0x40000000)},
        {"negative row count", patched(rows, 0xFFFFFFFF)},
        {"unknown record", QByteArray(good).replace(firstCell, 1, "\x42")},
        {"cell outside the block", patched(firstCell + 1, 7)},
        {"text longer than the data", patched(firstCell + 9, 0x7FFFFFFF)},
        {"no end", good.left(good.size() - 1)},
        {"data after the end", good + "x"},
    };
    ClipGrid b;
    b.fill(1, 1, {"keep", "these"});
    const QStringList before = b.texts();
    ASSERT_EQ(load(b.g, good, {1, 3}), 4);  // the good stream itself pastes
    b.g.ClearRect(0, 3, 3, 5);
    for (const Case& c : cases) {
        EXPECT_EQ(load(b.g, c.data), 0) << c.what;
        EXPECT_EQ(b.texts(), before) << c.what;
        EXPECT_EQ(b.g.RowCount(), 6) << c.what;
    }
    // Cut anywhere, the stream pastes nothing.
    for (int n = 0; n < good.size(); ++n)
        ASSERT_EQ(load(b.g, good.left(n)), 0) << n;
    EXPECT_EQ(b.texts(), before);
}

TEST(GridClipboard, CutEmptiesOnlyCellsThatMayBeEditedAndFreesOnlyTheirRecords)
{
    ClipGrid t;
    t.fill(1, 1, {"free", "locked"});
    t.g.SetCellCheckBox(1, 1, true, false);
    t.g.SetCellCheckBox(2, 1, true, false);
    t.g.CellProperties(2, 1)->ReadOnly = true;
    t.select(1, 1, 2, 1);
    t.g.CutSelectionToClipboard();
    EXPECT_TRUE(t.g.GetRawCell(1, 1).isEmpty());
    EXPECT_FALSE(t.g.HasCellProperties(1, 1));
    EXPECT_EQ(t.g.GetRawCell(2, 1), QStringLiteral("locked"));
    EXPECT_EQ(t.g.GetCellType(2, 1), ctCheckBox);
    EXPECT_FALSE(t.g.OwnCellsOnClipboard());
    EXPECT_EQ(clipboardText(), QStringLiteral("free\tlocked"));
}

TEST(GridClipboard, FlaggedRowsCopyWithoutTheRowsBetweenAndRichTextTravelsWhole)
{
    ClipGrid t;
    t.fill(1, 1, {"a1", "b1"});
    t.fill(1, 2, {"a2", "b2"});
    t.fill(1, 3, {"a3", "b3"});
    t.g.MouseActions.DisjunctRowSelect = true;
    t.g.SetRowSelect(1, true);
    t.g.SetRowSelect(3, true);
    t.select(1, 1, 2, 3);
    std::vector<int> progress;
    t.g.OnFileProgress = [&](QObject*, int p) { progress.push_back(p); };
    t.g.CopySelectionToClipboard();
    EXPECT_EQ(clipboardText(), QStringLiteral("a1\tb1\r\na3\tb3"));
    EXPECT_EQ(progress, (std::vector<int>{0, 100}));
    ClipGrid other;
    other.g.PasteAt(1, 1);
    EXPECT_EQ(other.column(1, 1, 3), list({"a1", "a3", ""}));

    const QString rtf = QStringLiteral("{\\rtf1\\ansi {\\b fett} \\'e4}");
    ClipGrid r;
    r.g.Navigation.AllowRTFClipboard = true;
    r.g.Navigation.AllowFmtClipboard = false;
    r.g.SetCellText(1, 1, rtf);
    r.select(1, 1, 1, 1);
    r.g.CopySelectionToClipboard();
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
    ClipGrid target;
    target.g.Navigation.AllowRTFClipboard = true;
    EXPECT_EQ(target.g.PasteAt(2, 2), 1);
    EXPECT_EQ(target.g.GetRawCell(2, 2), rtf);
}

TEST(GridClipboard, TheClipboardKeysCopyAndPasteOnceTheirEventsAllowIt)
{
    ClipGrid t;
    t.g.Navigation.AllowClipboardShortCuts = true;
    t.fill(1, 1, {"k"});
    t.select(1, 1, 1, 1);
    setClipboardText(QString());
    auto press = [&](int key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::ControlModifier);
        QApplication::sendEvent(&t.g, &e);
    };
    bool allowPaste = false;
    t.g.OnClipboardPaste = [&](QObject*, bool& Allow) { Allow = allowPaste; };
    press(Qt::Key_C);
    EXPECT_EQ(clipboardText(), QStringLiteral("k"));
    t.select(2, 2, 2, 2);
    press(Qt::Key_V);
    EXPECT_TRUE(t.g.GetRawCell(2, 2).isEmpty());
    allowPaste = true;
    press(Qt::Key_V);
    EXPECT_EQ(t.g.GetRawCell(2, 2), QStringLiteral("k"));
}

}  // namespace
