// A cell's text as the grid draws it: formulas, wide, HTML and plain texts, number alignment by
// the locale, lines, links, highlighting, the hint window; and the watch import's run list drawn
// offscreen into a picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "grid/display/esghtmle.h"
#include "grid/display/extcgrid.h"
#include "grid/display/extutil.h"
#include "grid/display/gridbitmaps.h"
#include "grid/display/htmlhint.h"
#include "tests/support/grid/fixedmeasurer.h"
#include "tests/support/grid/recordingcanvas.h"
#include "tests/support/grid/runlist.h"
#include "tests/support/qstringprinter.h"

namespace {

template <class Base>
class TextGrid : public Base {
public:
    TextGrid() { this->resize(500, 300); }
    using Base::DrawCell;
    QString formulaValue = QStringLiteral("42");

protected:
    void GetCellTextHook(int ACol, int ARow, QString& Text) override
    {
        Base::GetCellTextHook(ACol, ARow, Text);
        if (Text.startsWith(QLatin1Char('=')))
            Text = formulaValue;
    }
};

template <class G>
QVector<RecordedOp> texts(G& g, int col, int row)
{
    RecordingCanvas canvas;
    g.DrawCell(canvas, col, row, g.CellRect(col, row), TGridDrawState());
    return canvas.OpsOf(CanvasOp::Text);
}

class GridText : public ::testing::Test {
protected:
    void SetUp() override { saved_ = FormatSettings(); }
    void TearDown() override { FormatSettings() = saved_; }
    TFormatSettings saved_;
};

TEST_F(GridText, EachKindOfTextByItsFirstCharacters)
{
    TextGrid<TExtStringGrid> g;
    g.SetCellText(1, 1, QStringLiteral("=A1+B1"));
    ASSERT_EQ(texts(g, 1, 1).size(), 1);
    EXPECT_EQ(texts(g, 1, 1)[0].text, QStringLiteral("42")) << "a formula shows what the hook computes";

    g.SetCellText(1, 2, QString::fromLatin1(WideToCellText(QStringLiteral("A\u20AC"))));
    EXPECT_EQ(texts(g, 1, 2)[0].text, QStringLiteral("A\u20AC"));
    g.SetCellText(1, 3, QStringLiteral("|\\"));
    EXPECT_TRUE(texts(g, 1, 3).isEmpty()) << "an empty wide text";

    g.SetCellText(2, 1, QStringLiteral("<B>bold</B> plain"));
    const QVector<RecordedOp> html = texts(g, 2, 1);
    ASSERT_EQ(html.size(), 2);
    EXPECT_EQ(html[0].text, QStringLiteral("bold"));
    EXPECT_TRUE(html[0].font.bold());
    g.SetCellText(2, 2, QStringLiteral("<b>not closed"));
    EXPECT_EQ(texts(g, 2, 2)[0].text, QStringLiteral("<b>not closed"));
    g.EnableHTML = false;
    EXPECT_EQ(texts(g, 2, 1)[0].text, QStringLiteral("<B>bold</B> plain"));
    g.EnableHTML = true;

    g.SetCellText(3, 1, QStringLiteral("{\\rtf1 {\\b fett} normal}"));
    RecordingCanvas canvas;
    g.DrawCell(canvas, 3, 1, g.CellRect(3, 1), TGridDrawState());
    ASSERT_EQ(canvas.OpsOf(CanvasOp::Custom).size(), 1);
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Custom)[0].text, QStringLiteral("rich text"));
    EXPECT_EQ(g.GetCellText(3, 1), QStringLiteral("{\\rtf1 {\\b fett} normal}")) << "the cell keeps its bytes";

    // The plain text of each for copying and finding.
    EXPECT_EQ(g.GetDisplayText(2, 1), QStringLiteral("bold plain"));
    g.SetCellCheckBox(4, 4, true, false);
    EXPECT_EQ(g.GetDisplayText(4, 4), QStringLiteral("Y"));
}

TEST_F(GridText, NumbersLinesAndLinks)
{
    TextGrid<TExtStringGrid> g;
    FormatSettings() = GermanFormatSettings();
    g.AutoNumAlign = true;
    TAlignment h;
    TVAlignment v;
    g.SetCellText(1, 1, QStringLiteral("1.234,5"));
    g.CellTextAlignment(1, 1, h, v);
    EXPECT_EQ(h, taRightJustify);
    g.SetCellText(1, 1, QStringLiteral("1.234.567,5"));
    g.CellTextAlignment(1, 1, h, v);
    EXPECT_EQ(h, taLeftJustify);

    g.SetWordWrap(false);
    g.SetCellText(2, 1, QStringLiteral("one\rtwo"));
    EXPECT_EQ(texts(g, 2, 1)[0].text, QStringLiteral("one"));
    g.Multilinecells = true;
    EXPECT_EQ(texts(g, 2, 1)[0].text, QStringLiteral("one\rtwo"));
    EXPECT_FALSE(texts(g, 2, 1)[0].flags & tfSingleLine);

    g.SetURLShow(true);
    g.SetCellText(3, 1, QStringLiteral("http://example.org/run"));
    const RecordedOp link = texts(g, 3, 1)[0];
    EXPECT_EQ(link.text, QStringLiteral("example.org/run"));
    EXPECT_TRUE(link.font.underline());
    EXPECT_EQ(link.color, g.URLColor());
    g.SetURLFull(true);
    EXPECT_EQ(texts(g, 3, 1)[0].text, QStringLiteral("http://example.org/run"));
}

TEST_F(GridText, HighlightingTheDataCellsAndTakingItBack)
{
    TExtStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(4);
    const QString cells[] = {QStringLiteral("Lauf"),  QStringLiteral("<B>Lauf</B>stil"), QStringLiteral("Rad"),
                             QStringLiteral("lauf"),  QStringLiteral("<hi>x</hi>"),      QStringLiteral("Dauerlauf")};
    for (int i = 0; i < 6; ++i)
        g.SetCellText(1 + i % 2, 1 + i / 2, cells[i]);
    g.SetCellText(0, 1, QStringLiteral("Lauf"));  // a fixed cell
    g.HighlightText(false, false, QStringLiteral("lauf"));
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("<hi>Lauf</hi>"));
    EXPECT_EQ(g.GetCellText(2, 1), QStringLiteral("<B><hi>Lauf</hi></B>stil"));
    EXPECT_EQ(g.GetCellText(0, 1), QStringLiteral("Lauf")) << "fixed cells only with DoFixed";
    g.UnHighlightAll(false);
    for (int i = 0; i < 6; ++i) {
        if (i != 4) {
            EXPECT_EQ(g.GetCellText(1 + i % 2, 1 + i / 2), cells[i]) << i;
        }
    }
    // Text sizes for auto-sizing: two plain lines.
    g.SetCellText(1, 2, QStringLiteral("ab\rcdef"));
    EXPECT_EQ(g.CellTextSize(1, 2, false), QSize(4 * 7 + 4, 2 * 16 + 4));

    THTMLHintWindow hint;
    const QRect r = hint.CalcHintRect(200, QStringLiteral("<B>Lauf</B> am Morgen"));
    EXPECT_GT(r.width(), 0);
    EXPECT_GT(r.height(), 0);
}

// The watch import's run list: three runs, the second ticked, in a picture for a person to look
// at (GRID_RUNLIST_PNG names the file) and as recorded operations.
TEST_F(GridText, TheRunListOnScreen)
{
    TExtColumnGrid g;
    MakeRunList(g);
    const char* runs[][4] = {{"03.05.2026", "07:12:40", "10500", "0:52:31"},
                             {"05.05.2026", "18:02:05", "8000", "0:41:09"},
                             {"08.05.2026", "06:55:12", "21100", "1:49:58"}};
    for (int r = 1; r <= 3; ++r) {
        g.SetCellText(0, r, QStringLiteral("false"));
        g.SetCellCheckBox(0, r, false, true);
        for (int c = 0; c < 4; ++c)
            g.SetCellText(c + 1, r, QString::fromLatin1(runs[r - 1][c]));
        g.SetCellText(5, r, QStringLiteral("<Run/>"));
    }
    g.SetRowCount(4);
    g.ToggleCheckBox(0, 2, true);
    g.resize(330, 120);
    g.show();

    RecordingCanvas recorded;
    g.PaintCells(recorded, g.viewport()->rect());
    QVector<QImage> boxes;
    for (const RecordedOp& op : recorded.OpsOf(CanvasOp::Pixmap))
        boxes << op.image;
    const QImage on = DrawnGridBitmap(QStringLiteral("ESGCHK05")).toImage();
    const QImage off = DrawnGridBitmap(QStringLiteral("ESGCHK06")).toImage();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[0], off);
    EXPECT_EQ(boxes[1], on);
    EXPECT_EQ(boxes[2], off);
    const QStringList shown = recorded.Texts();
    for (const char* t : {"Datum", "Startzeit", "Distanz", "Zeit", "05.05.2026", "21100", "1:49:58"})
        EXPECT_TRUE(shown.contains(QString::fromLatin1(t))) << t;
    EXPECT_FALSE(shown.contains(QStringLiteral("<Run/>"))) << "the key column has no width";
    EXPECT_FALSE(shown.contains(QStringLiteral("true"))) << "a data box shows no text";

    // The picture with the fonts' own measures.
    const ScopedTextMeasurer real(nullptr);
    QImage picture(g.viewport()->size(), QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    QPainterCanvas canvas(painter);
    g.PaintCells(canvas, picture.rect());
    painter.end();
    EXPECT_NE(picture.pixel(8, 50), picture.pixel(200, 100));
    if (const QByteArray file = qgetenv("GRID_RUNLIST_PNG"); !file.isEmpty())
        picture.save(QString::fromLocal8Bit(file));
}

}  // namespace
