// The cell painting pipeline and the cell glyphs, recorded without a window: colours by state and
// band, grid lines and borders, the fixed look, merged areas under the fixed columns, check boxes,
// radio groups and progress bars, a failing handler that spoils nothing else, and every control
// style drawn into a picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "grid/display/extcgrid.h"
#include "grid/display/gridbitmaps.h"
#include "tests/support/grid/recordingcanvas.h"
#include "tests/support/qstringprinter.h"

namespace {

// Gives the tests the grid's drawing steps.
template <class Base>
class Painted : public Base {
public:
    Painted()
    {
        this->resize(500, 300);
    }
    using Base::DrawCell;
    using Base::GetCellDrawSettings;
    // The rectangle the content of the last drawn cell got.
    QRect contentRect;

protected:
    void DrawCellContent(TGridCanvas& Canvas, int ACol, int ARow, const QRect& Rect, TGridDrawState State) override
    {
        contentRect = Rect;
        Base::DrawCellContent(Canvas, ACol, ARow, Rect, State);
    }
};
using PaintedGrid = Painted<TExtStringGrid>;
using PaintedColumnGrid = Painted<TExtColumnGrid>;

template <class G>
TColor brushOf(G& g, int col, int row, TGridDrawState state = TGridDrawState())
{
    RecordingCanvas canvas;
    TAlignment h;
    TVAlignment v;
    bool wrap;
    TColor to;
    g.GetCellDrawSettings(canvas, col, row, h, v, wrap, to, true, true, false, state);
    return canvas.Brush.Color;
}

template <class G>
QVector<RecordedOp> drawCell(G& g, int col, int row, TGridDrawState state = TGridDrawState())
{
    RecordingCanvas canvas;
    g.DrawCell(canvas, col, row, g.CellRect(col, row), state);
    return canvas.Ops();
}

QVector<RecordedOp> opsOf(const QVector<RecordedOp>& ops, CanvasOp kind)
{
    QVector<RecordedOp> out;
    for (const RecordedOp& op : ops)
        if (op.kind == kind)
            out << op;
    return out;
}

TEST(GridPaint, BandsFootersSelectionAndTheActiveRow)
{
    PaintedGrid g;
    g.SetRowCount(8);
    g.SetFixedFooters(1);
    g.Bands.SetPrimaryLength(2);
    g.Bands.SetSecondaryLength(1);
    g.Bands.SetPrimaryColor(clYellow);
    g.Bands.SetSecondaryColor(clAqua);
    g.Bands.SetActive(true);
    const TColor expected[] = {clYellow, clYellow, clAqua, clYellow, clYellow, clAqua};
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(brushOf(g, 2, r + 1), expected[r]) << "data row " << r;
    EXPECT_EQ(brushOf(g, 2, 7), FromQColor(g.FixedColor())) << "the footer row";
    EXPECT_EQ(brushOf(g, 0, 3), FromQColor(g.FixedColor())) << "a fixed column";

    // A selected cell that is not focused, without a selection colour, shows the highlight.
    g.SetSelectionColor(clNone);
    EXPECT_EQ(brushOf(g, 2, 3, gdSelected), clHighlight);
    g.SetSelectionColor(clRed);
    EXPECT_EQ(brushOf(g, 2, 3, gdSelected), clRed);
    g.SetShowSelection(false);
    EXPECT_EQ(brushOf(g, 2, 3, gdSelected), clAqua) << "the band colour";

    // The other cells of the current row in the active-row colour.
    g.Bands.SetActive(false);
    g.SetActiveRowShow(true);
    g.SetActiveRowColor(clLime);
    g.FocusCell(1, 2, true);
    EXPECT_EQ(opsOf(drawCell(g, 3, 2), CanvasOp::Fill).first().color, clLime);
    EXPECT_NE(opsOf(drawCell(g, 3, 4), CanvasOp::Fill).first().color, clLime);
}

TEST(GridPaint, WideGridLinesAndBordersInsideThem)
{
    PaintedGrid g;
    g.SetGridLineWidth(3);
    g.SetGridLineColor(clGray);
    const QRect cell = g.CellRect(2, 2);
    const QVector<RecordedOp> ops = drawCell(g, 2, 2);
    const QVector<RecordedOp> lines = opsOf(ops, CanvasOp::Line);
    ASSERT_EQ(lines.size(), 2);
    const int bottom = cell.top() + cell.height();
    EXPECT_EQ(lines[0].points.first(), QPoint(cell.left() - 2 + 1, bottom - 2));
    EXPECT_EQ(lines[0].penWidth, 3);
    EXPECT_EQ(g.contentRect, cell.adjusted(3, 3, -3, -3));

    g.OnGetCellBorder = [](QObject*, int, int ACol, TGridPen& pen, TCellBorders& borders) {
        if (ACol == 2) {
            borders = cbLeft | cbBottom;
            pen = TGridPen{clRed, 1, Qt::SolidLine};
        }
    };
    const QVector<RecordedOp> bordered = opsOf(drawCell(g, 2, 2), CanvasOp::Line);
    QVector<RecordedOp> red;
    for (const RecordedOp& op : bordered)
        if (op.color == clRed)
            red << op;
    ASSERT_EQ(red.size(), 2);
    for (const RecordedOp& op : red)
        for (const QPoint& p : op.points) {
            EXPECT_GE(p.x(), cell.left()) << "inside the grid lines";
            EXPECT_LT(p.y(), bottom - 1);
        }
}

TEST(GridPaint, FixedLooksFooterRowAndMergedAreasUnderTheFixedColumns)
{
    PaintedGrid g;
    // glXP: a ten-band gradient in the fixed cells; Flat: none.
    EXPECT_EQ(opsOf(drawCell(g, 1, 0), CanvasOp::Gradient).size(), 1);
    EXPECT_EQ(opsOf(drawCell(g, 1, 0), CanvasOp::Gradient).first().flags, 10u);
    g.Flat = true;
    EXPECT_TRUE(opsOf(drawCell(g, 1, 0), CanvasOp::Gradient).isEmpty());
    g.Flat = false;

    g.SetFooterRow(true);
    const QVector<RecordedOp> footer = drawCell(g, 2, g.RowCount() - 1);
    ASSERT_EQ(footer.size(), 1);
    EXPECT_EQ(footer[0].kind, CanvasOp::Fill);
    EXPECT_EQ(footer[0].color, FromQColor(g.Color()));
    g.SetFooterRow(false);

    g.SetColCount(10);
    g.MergeCells(1, 3, 3, 1);
    g.SetCellText(1, 3, QStringLiteral("merged"));
    g.show();
    g.SetLeftCol(2);
    RecordingCanvas canvas;
    g.PaintCells(canvas, g.viewport()->rect());
    EXPECT_EQ(canvas.Texts().count(QStringLiteral("merged")), 1);
    for (const RecordedOp& op : canvas.OpsOf(CanvasOp::Text))
        if (op.text == QStringLiteral("merged")) {
            EXPECT_EQ(op.clip.left(), g.FixedColsWidth()) << "clipped at the end of the fixed columns";
        }
}

TEST(GridPaint, TheRunListsBoxesRadiosAndProgressBars)
{
    PaintedColumnGrid g;
    g.SetColCount(3);
    g.SetFixedCols(0);
    g.Columns()[0]->CheckTrue = QStringLiteral("true");
    g.Columns()[0]->CheckFalse = QStringLiteral("false");
    const QString texts[] = {QStringLiteral("true"), QStringLiteral("false"), QStringLiteral("x")};
    for (int r = 1; r <= 3; ++r) {
        g.SetCellText(0, r, texts[r - 1]);
        g.SetCellCheckBox(0, r, false, true);
    }
    const QImage on = DrawnGridBitmap(QStringLiteral("ESGCHK05")).toImage();
    const QImage off = DrawnGridBitmap(QStringLiteral("ESGCHK06")).toImage();
    for (int r = 1; r <= 3; ++r) {
        const QVector<RecordedOp> boxes = opsOf(drawCell(g, 0, r), CanvasOp::Pixmap);
        ASSERT_EQ(boxes.size(), 1) << r;
        EXPECT_EQ(boxes[0].image, r == 1 ? on : off) << texts[r - 1].toStdString();
        EXPECT_EQ(boxes[0].rect.left(), g.contentRect.left() + 1) << "the box at the left";
        EXPECT_TRUE(opsOf(drawCell(g, 0, r), CanvasOp::Text).isEmpty()) << "a data box shows no text";
    }

    // A string grid that is not edited shows its boxes disabled, unless told otherwise.
    PaintedGrid s;
    s.SetCellCheckBox(1, 1, true, false);
    EXPECT_EQ(opsOf(drawCell(s, 1, 1), CanvasOp::Pixmap)[0].image, DrawnGridBitmap(QStringLiteral("ESGCHK07")).toImage());
    s.ControlLook.SetNoDisabledCheckRadioLook(true);
    EXPECT_EQ(opsOf(drawCell(s, 1, 1), CanvasOp::Pixmap)[0].image, on);
    // A themed look without a theme still shows the tick, in the classic way.
    s.ControlLook.SetControlStyle(csTheme);
    const QVector<RecordedOp> classic = drawCell(s, 1, 1);
    EXPECT_TRUE(opsOf(classic, CanvasOp::Pixmap).isEmpty());
    bool tick = false;
    for (const RecordedOp& op : opsOf(classic, CanvasOp::Polyline))
        tick = tick || op.penWidth == 2;
    EXPECT_TRUE(tick);

    // A radio group whose text is none of its options shows none selected.
    s.ControlLook.SetControlStyle(csClassic);
    TCellGraphic* radio = s.CreateCellGraphic(2, 2);
    radio->CellType = ctRadio;
    radio->CellIndex = -1;
    radio->Options = {QStringLiteral("a"), QStringLiteral("b")};
    s.SetCellText(2, 2, QStringLiteral("z"));
    EXPECT_EQ(opsOf(drawCell(s, 2, 2), CanvasOp::Ellipse).size(), 2);
    s.SetCellText(2, 2, QStringLiteral("b"));
    EXPECT_EQ(opsOf(drawCell(s, 2, 2), CanvasOp::Ellipse).size(), 3);

    // Progress: an empty text is 0 % without a bar; a text that is no number paints as 0 %.
    TCellGraphic* progress = s.CreateCellGraphic(3, 3);
    progress->CellType = ctProgress;
    for (const QString& text : {QString(), QStringLiteral("abc")}) {
        s.SetCellText(3, 3, text);
        RecordingCanvas canvas;
        EXPECT_NO_THROW(s.DrawCell(canvas, 3, 3, s.CellRect(3, 3), TGridDrawState()));
        EXPECT_TRUE(canvas.Texts().contains(QStringLiteral("0%"))) << text.toStdString();
        for (const RecordedOp& op : canvas.OpsOf(CanvasOp::Fill))
            EXPECT_NE(op.color, clHighlight) << "no bar " << text.toStdString();
    }
    s.SetCellText(3, 3, QStringLiteral("40"));
    RecordingCanvas canvas;
    s.DrawCell(canvas, 3, 3, s.CellRect(3, 3), TGridDrawState());
    EXPECT_TRUE(canvas.Texts().contains(QStringLiteral("40%")));
}

TEST(GridPaint, AFailingColourHandlerSpoilsOnlyItsOwnCell)
{
    PaintedGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.show();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetCellText(c, r, QStringLiteral("%1%2").arg(c).arg(r));
    g.OnGetCellColor = [](QObject*, int ARow, int ACol, TGridDrawState, TGridBrush&, TFont&) {
        if (ACol == 1 && ARow == 1)
            throw std::runtime_error("handler fault");
    };
    RecordingCanvas canvas;
    EXPECT_NO_THROW(g.PaintCells(canvas, g.viewport()->rect()));
    const QStringList texts = canvas.Texts();
    EXPECT_FALSE(texts.contains(QStringLiteral("11")));
    for (const char* t : {"00", "10", "20", "01", "21", "02", "12", "22"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(t))) << t;
    // The clip stack stays balanced.
    EXPECT_EQ(canvas.OpsOf(CanvasOp::PushClip).size(), canvas.OpsOf(CanvasOp::PopClip).size());
}

// Every control style once in a picture, for a person to look at: GRID_STYLES_PNG names the file.
TEST(GridPaint, EveryControlStyleDrawsIntoAPicture)
{
    PaintedGrid g;
    g.SetColCount(7);
    g.SetRowCount(9);
    g.SetDefaultColWidth(90);
    g.SetDefaultRowHeight(40);
    g.resize(640, 380);
    g.ControlLook.SetNoDisabledCheckRadioLook(true);
    const TControlStyle styles[] = {csClassic, csFlat, csWinXP, csBevelled, csVantor, csTheme};
    const char* names[] = {"Classic", "Flat", "WinXP", "Bevelled", "Vantor", "Theme"};
    g.SetCellText(0, 0, QStringLiteral("style"));
    g.SetCellText(1, 0, QStringLiteral("check on"));
    g.SetCellText(2, 0, QStringLiteral("check off"));
    g.SetCellText(3, 0, QStringLiteral("radio"));
    g.SetCellText(4, 0, QStringLiteral("button"));
    g.SetCellText(5, 0, QStringLiteral("progress"));
    g.SetCellText(6, 0, QStringLiteral("node"));
    g.SortSettings.SetShow(true);
    g.SortSettings.Column = 3;
    for (int i = 0; i < 6; ++i) {
        const int r = i + 1;
        g.SetCellText(0, r, QString::fromLatin1(names[i]));
        g.SetCellCheckBox(1, r, true, false);
        g.SetCellCheckBox(2, r, false, false);
        TCellGraphic* radio = g.CreateCellGraphic(3, r);
        radio->CellType = ctRadio;
        radio->CellIndex = 1;
        radio->Options = {QStringLiteral("a"), QStringLiteral("b")};
        TCellGraphic* button = g.CreateCellGraphic(4, r);
        button->CellType = ctButton;
        button->CellIndex = (20 << 16) | 60;
        button->CellText = QStringLiteral("Go");
        TCellGraphic* progress = g.CreateCellGraphic(5, r);
        progress->CellType = ctProgress;
        g.SetCellText(5, r, QString::number(15 * r));
    }
    g.AddNode(7, 2);
    g.SetCellText(1, 7, QStringLiteral("node row"));
    TCellGraphic* pie = g.CreateCellGraphic(2, 7);
    pie->CellType = ctProgressPie;
    pie->CellValue = 70;
    TCellGraphic* comment = g.CreateCellGraphic(3, 7);
    comment->CellType = ctComment;
    g.SetCellText(3, 7, QStringLiteral("comment"));
    QPixmap picture(24, 24);
    picture.fill(Qt::darkCyan);
    TCellGraphic* image = g.CreateCellGraphic(4, 7);
    image->CellType = ctPicture;
    image->Picture = picture;
    TCellGraphic* range = g.CreateCellGraphic(5, 7);
    range->CellType = ctRangeIndicator;
    range->CellValue = -30;
    range->RangeMax = 100;

    QImage out(g.viewport()->size(), QImage::Format_ARGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    QPainterCanvas canvas(painter);
    for (int i = 0; i < 6; ++i) {
        // Each row in its own style: draw the rows one style at a time.
        g.ControlLook.SetControlStyle(styles[i]);
        for (int c = 0; c < g.ColCount(); ++c)
            g.DrawCell(canvas, c, i + 1, g.CellRect(c, i + 1), TGridDrawState());
    }
    for (int c = 0; c < g.ColCount(); ++c) {
        g.DrawCell(canvas, c, 0, g.CellRect(c, 0), TGridDrawState(gdFixed));
        g.DrawCell(canvas, c, 7, g.CellRect(c, 7), TGridDrawState());
    }
    painter.end();
    EXPECT_FALSE(out.isNull());
    if (const QByteArray file = qgetenv("GRID_STYLES_PNG"); !file.isEmpty())
        out.save(QString::fromLocal8Bit(file));
}

}  // namespace
