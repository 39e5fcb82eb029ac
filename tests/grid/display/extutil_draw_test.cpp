// The small cell drawings on a grid canvas: what each puts on a recording canvas, and that each
// leaves the canvas's state as it found it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "grid/display/extutil.h"
#include "grid/display/extxpvs.h"
#include "platform/vcl/visualstyle.h"
#include "tests/support/grid/fixedmeasurer.h"
#include "tests/support/grid/recordingcanvas.h"
#include "tests/support/qstringprinter.h"

namespace {

// The canvas state every drawing must hand back unchanged.
void expectStateKept(const RecordingCanvas& c)
{
    EXPECT_EQ(c.Brush.Color, clAqua);
    EXPECT_EQ(c.Brush.Style, bsSolid);
    EXPECT_EQ(c.Pen.Color, clMaroon);
    EXPECT_EQ(c.Pen.Width, 1);
    EXPECT_EQ(c.FontColor, clNavy);
}

void prepare(RecordingCanvas& c)
{
    c.Brush = TGridBrush{clAqua, bsSolid};
    c.Pen = TGridPen{clMaroon, 1, Qt::SolidLine};
    c.FontColor = clNavy;
}

}  // namespace

TEST(ExtUtilDrawTest, ProgressBarTextChangesColourWhereTheBarEnds)
{
    RecordingCanvas c;
    prepare(c);
    const TProgressColors colors{clRed, clWhite, clWhite, clBlack, clGray};
    DrawProgress(c, QRect(0, 0, 104, 20), colors, 0, 100, 25, 2, 2);
    const auto fills = c.OpsOf(CanvasOp::Fill);
    ASSERT_EQ(fills.size(), 2);
    EXPECT_EQ(fills[0].rect, QRect(2, 2, 25, 16));
    EXPECT_EQ(fills[0].color, clRed);
    EXPECT_EQ(fills[1].rect, QRect(27, 2, 75, 16));
    EXPECT_EQ(fills[1].color, clWhite);
    const auto texts = c.OpsOf(CanvasOp::Text);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0].text, QStringLiteral("25%"));
    EXPECT_EQ(texts[0].color, clWhite);
    EXPECT_EQ(texts[0].clip, fills[0].rect);
    EXPECT_EQ(texts[1].color, clBlack);
    EXPECT_EQ(texts[1].clip, fills[1].rect);
    const auto frames = c.OpsOf(CanvasOp::Frame);
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0].color, clGray);
    EXPECT_EQ(frames[1].color, clAqua) << "the outer frame takes the brush the canvas had";
    expectStateKept(c);

    // An empty range: 0 % and no bar; no frame colour: only the outer frame.
    c.Clear();
    DrawProgress(c, QRect(0, 0, 104, 20), TProgressColors{clRed, clWhite, clWhite, clBlack, clNone}, 7, 7, 7, 2, 2);
    ASSERT_EQ(c.OpsOf(CanvasOp::Fill).size(), 1);
    EXPECT_EQ(c.OpsOf(CanvasOp::Fill)[0].color, clWhite);
    EXPECT_EQ(c.Texts(), QStringList{QStringLiteral("0%")});
    EXPECT_EQ(c.OpsOf(CanvasOp::Frame).size(), 1);
    expectStateKept(c);
}

TEST(ExtUtilDrawTest, PieRangeAndGradient)
{
    RecordingCanvas c;
    prepare(c);
    DrawProgressPie(c, QRect(0, 0, 20, 20), clLime, 25);
    ASSERT_EQ(c.OpsOf(CanvasOp::Ellipse).size(), 1);
    const auto slice = c.OpsOf(CanvasOp::Polygon);
    ASSERT_EQ(slice.size(), 1);
    EXPECT_EQ(slice[0].color, clLime);
    EXPECT_EQ(slice[0].points.front(), QPoint(10, 10)) << "from the centre";
    EXPECT_EQ(slice[0].points[1], QPoint(10, 0)) << "to the top";
    EXPECT_EQ(slice[0].points.back(), QPoint(20, 10)) << "a quarter turn clockwise";
    expectStateKept(c);
    EXPECT_TRUE(PieSlicePoints(QRect(0, 0, 20, 20), 0).isEmpty());
    EXPECT_EQ(PieSlicePoints(QRect(0, 0, 20, 20), 150).back(), QPoint(10, 0)) << "at most a full turn";

    c.Clear();
    DrawRangeIndicator(c, QRect(0, 0, 104, 20), -50, clGreen, clRed, true, 100);
    ASSERT_EQ(c.OpsOf(CanvasOp::Fill).size(), 1);
    EXPECT_EQ(c.OpsOf(CanvasOp::Fill)[0].color, clRed);
    EXPECT_EQ(c.OpsOf(CanvasOp::Fill)[0].rect, QRect(27, 2, 25, 16));
    EXPECT_EQ(c.Texts(), QStringList{QStringLiteral("-50")});
    c.Clear();
    DrawRangeIndicator(c, QRect(0, 0, 104, 20), 5, clGreen, clRed, false, 0);
    EXPECT_TRUE(c.Ops().isEmpty()) << "an empty range draws no bar";
    expectStateKept(c);

    c.Clear();
    DrawGradient(c, clBlack, clWhite, 16, false, QRect(0, 0, 10, 32));
    ASSERT_EQ(c.OpsOf(CanvasOp::Gradient).size(), 1);
    EXPECT_EQ(c.OpsOf(CanvasOp::Gradient)[0].color2, clWhite);
    c.Clear();
    DrawGradient(c, clBlack, clNone, 16, false, QRect(0, 0, 10, 32));
    EXPECT_TRUE(c.Ops().isEmpty());
}

TEST(ExtUtilDrawTest, ErrorUnderlineFollowsTheEditLayout)
{
    RecordingCanvas c;
    prepare(c);
    // 7 pixels a character, 16 a line; the edit's margin is 2.
    DrawErrorUnderline(c, QRect(10, 20, 200, 20), QStringLiteral("Hallo Welt"), 6, 4, 0);
    const auto lines = c.OpsOf(CanvasOp::Polyline);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].color, clRed);
    EXPECT_EQ(lines[0].penWidth, 2);
    EXPECT_EQ(lines[0].points.front(), QPoint(10 + 2 + 6 * 7, 36));
    EXPECT_EQ(lines[0].points.back().x(), 10 + 2 + 10 * 7);
    expectStateKept(c);
    c.Clear();
    DrawErrorUnderline(c, QRect(10, 20, 200, 20), QStringLiteral("Hallo"), 9, 4, 0);
    DrawErrorUnderline(c, QRect(10, 20, 200, 20), QStringLiteral("Hallo"), 1, 0, 0);
    EXPECT_TRUE(c.Ops().isEmpty()) << "a range outside the text or of no length";
}

TEST(ExtUtilDrawTest, DropDownButtonIsThemedOnlyWithATheme)
{
    RecordingCanvas c;
    prepare(c);
    QWidget w;
    const QRect cell(0, 0, 80, 20);
    DrawDropDownButton(c, &w, cell, true);
    ASSERT_TRUE(c.OpsOf(CanvasOp::Custom).isEmpty()) << "no theme declared: classic";
    ASSERT_FALSE(c.OpsOf(CanvasOp::Fill).isEmpty());
    EXPECT_EQ(c.OpsOf(CanvasOp::Fill)[0].rect, QRect(64, 0, 16, 20));
    EXPECT_EQ(c.OpsOf(CanvasOp::Polygon).size(), 1) << "the arrow";
    expectStateKept(c);

    SetActiveVisualStyle(QStringLiteral("NormalColor"));
    c.Clear();
    DrawDropDownButton(c, &w, cell, true);
    ASSERT_EQ(c.OpsOf(CanvasOp::Custom).size(), 1);
    EXPECT_EQ(c.OpsOf(CanvasOp::Custom)[0].text, QStringLiteral("theme combobox 1 1"));
    EXPECT_EQ(c.OpsOf(CanvasOp::Custom)[0].rect, QRect(64, 0, 16, 20));
    c.Clear();
    DrawDropDownButton(c, &w, cell, false);
    EXPECT_TRUE(c.OpsOf(CanvasOp::Custom).isEmpty()) << "the caller asked for the classic button";

    // On a painter the themed part is drawn by the style.
    QImage img(80, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        QPainterCanvas pc(p);
        DrawDropDownButton(pc, &w, cell, true);
    }
    SetActiveVisualStyle(std::nullopt);
    int changed = 0;
    for (int x = 64; x < 80; ++x)
        for (int y = 0; y < 20; ++y)
            changed += img.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(changed, 0);
    EXPECT_EQ(img.pixel(10, 10), qRgb(255, 255, 255)) << "only the right 16 pixels";
}

TEST(ExtUtilDrawTest, BitmapsWithTheirBackgroundRecoloured)
{
    RecordingCanvas c;
    QPixmap glyph(4, 4);
    glyph.fill(Qt::magenta);
    DrawTransparentBitmap(c, glyph, clYellow, QRect(5, 5, 4, 4));
    ASSERT_EQ(c.OpsOf(CanvasOp::Pixmap).size(), 1);
    EXPECT_EQ(c.OpsOf(CanvasOp::Pixmap)[0].rect, QRect(5, 5, 4, 4));
    c.Clear();
    DrawTransparentBitmap(c, QPixmap(), clYellow, QRect(5, 5, 4, 4));
    DrawResourceBitmap(c, QStringLiteral("NOSUCHBITMAP"), clYellow, QRect(5, 5, 4, 4));
    EXPECT_TRUE(c.Ops().isEmpty()) << "a missing bitmap draws nothing";
}
