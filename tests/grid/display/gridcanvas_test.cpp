// The drawing seams: text layout with the fixed-pitch measurer, and what QPainterCanvas puts on
// the pixels (fills, lines without their end point, gradients, clipping, transparent pixmaps).
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include "grid/display/gridcanvas.h"
#include "tests/support/grid/fixedmeasurer.h"
#include "tests/support/grid/recordingcanvas.h"
#include "tests/support/qstringprinter.h"

namespace {

struct LayoutCase {
    const char* name;
    QString text;
    TTextFlags flags;
    QStringList lines;
    QRect rect;
};

TEST(GridTextLayout, PlacesWrapsAndCutsLinesByTheFlags)
{
    // Bounds 70 x 48 at (10, 20): ten characters a line, three lines.
    const QRect bounds(10, 20, 70, 48);
    const LayoutCase cases[] = {
        {"left top", "abc", tfLeft | tfSingleLine, {"abc"}, QRect(10, 20, 21, 16)},
        {"centred", "abc", tfCenter | tfVCenter | tfSingleLine, {"abc"}, QRect(34, 36, 21, 16)},
        {"right bottom", "abc", tfRight | tfBottom | tfSingleLine, {"abc"}, QRect(59, 52, 21, 16)},
        {"line breaks", "ab\r\ncd\nef", tfLeft, {"ab", "cd", "ef"}, QRect(10, 20, 14, 48)},
        {"one line drops breaks", "ab\r\ncd", tfSingleLine, {"abcd"}, QRect(10, 20, 28, 16)},
        {"word break", "aaaa bbbb cccc", tfWordBreak, {"aaaa bbbb", "cccc"}, QRect(10, 20, 63, 32)},
        {"long word keeps its line", "a bbbbbbbbbbbb c", tfWordBreak, {"a", "bbbbbbbbbbbb", "c"},
         QRect(10, 20, 84, 48)},
        {"ellipsis", "abcdefghijkl", tfSingleLine | tfEndEllipsis, {"abcdefg..."}, QRect(10, 20, 70, 16)},
        {"fits without ellipsis", "abcdefghij", tfSingleLine | tfEndEllipsis, {"abcdefghij"},
         QRect(10, 20, 70, 16)},
        {"measure only", "abc\ndefgh", tfCalcRect | tfRight | tfBottom, {"abc", "defgh"}, QRect(10, 20, 35, 32)},
        {"empty text has a line", "", tfVCenter, {""}, QRect(10, 36, 0, 16)},
    };
    for (const LayoutCase& c : cases) {
        const TGridTextLayout layout = TestMeasurer().Layout(QFont(), bounds, c.text, c.flags);
        QStringList lines;
        for (const TGridTextLine& l : layout.lines)
            lines << l.text;
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(layout.rect, c.rect) << c.name;
    }
}

class PainterCanvasTest : public ::testing::Test {
protected:
    PainterCanvasTest() : image(40, 30, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        painter.begin(&image);
    }
    QRgb at(int x, int y)
    {
        painter.end();
        const QRgb c = image.pixel(x, y) & 0xFFFFFF;
        painter.begin(&image);
        return c;
    }
    QImage image;
    QPainter painter;
};

TEST_F(PainterCanvasTest, FillsExactlyTheRectangleAndLinesLeaveTheirEndPointOut)
{
    QPainterCanvas canvas(painter);
    canvas.Brush.Color = clRed;
    canvas.FillRect(QRect(2, 3, 4, 5));
    EXPECT_EQ(at(2, 3), 0xFF0000u);
    EXPECT_EQ(at(5, 7), 0xFF0000u);
    EXPECT_EQ(at(6, 7), 0xFFFFFFu);
    EXPECT_EQ(at(5, 8), 0xFFFFFFu);

    canvas.Brush.Style = bsClear;  // a clear brush fills nothing
    canvas.FillRect(QRect(10, 10, 5, 5));
    EXPECT_EQ(at(12, 12), 0xFFFFFFu);

    canvas.Pen.Color = clBlue;
    canvas.Line(QPoint(10, 20), QPoint(20, 20));
    EXPECT_EQ(at(10, 20), 0x0000FFu);
    EXPECT_EQ(at(19, 20), 0x0000FFu);
    EXPECT_EQ(at(20, 20), 0xFFFFFFu);
    canvas.Line(QPoint(30, 2), QPoint(30, 6));
    EXPECT_EQ(at(30, 5), 0x0000FFu);
    EXPECT_EQ(at(30, 6), 0xFFFFFFu);
}

TEST_F(PainterCanvasTest, GradientBandsClipsAndTransparentPixmaps)
{
    QPainterCanvas canvas(painter);
    canvas.FillGradient(QRect(0, 0, 40, 4), clBlack, clWhite, 4, true);
    EXPECT_EQ(at(0, 0), 0x000000u);
    EXPECT_EQ(at(39, 0), qRgb(191, 191, 191) & 0xFFFFFFu);  // band 3 of 4

    canvas.Brush.Color = clLime;
    canvas.PushClip(QRect(0, 10, 10, 10));
    canvas.PushClip(QRect(5, 0, 20, 20));  // within the clip already set
    canvas.FillRect(QRect(0, 5, 40, 20));
    canvas.PopClip();
    canvas.PopClip();
    EXPECT_EQ(at(4, 12), 0xFFFFFFu);
    EXPECT_EQ(at(6, 12), 0x00FF00u);
    EXPECT_EQ(at(11, 12), 0xFFFFFFu);
    canvas.FillRect(QRect(20, 25, 2, 2));  // the clips are gone
    EXPECT_EQ(at(21, 26), 0x00FF00u);

    QPixmap pixmap(2, 1);
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixel(0, 0, qRgb(255, 0, 255));
    source.setPixel(1, 0, qRgb(0, 0, 255));
    pixmap = QPixmap::fromImage(source);
    canvas.DrawPixmap(QRect(30, 10, 2, 1), pixmap, clFuchsia);
    EXPECT_EQ(at(30, 10), 0xFFFFFFu);
    EXPECT_EQ(at(31, 10), 0x0000FFu);
}

// The canvas keeps shaped texts and fills thin straight lines: the pixels must stay those the
// painter's own text and line drawing gives, for every font, rectangle height and kind of text,
// drawn the first time and again.
TEST(PainterCanvasPixels, TextsAndLinesLookAsThePainterDrawsThem)
{
    const TDefaultTextMeasurer measurer;
    struct FontCase {
        const char* name;
        int points;
        bool bold, italic, underline;
        const char* family;
    };
    const FontCase fonts[] = {{"plain", 9, false, false, false, nullptr},  {"bold", 11, true, false, false, nullptr},
                              {"italic", 8, false, true, false, nullptr},  {"large", 17, false, false, false, nullptr},
                              {"serif", 10, false, false, false, "Serif"}, {"underlined", 9, false, false, true, nullptr}};
    const QString texts[] = {QStringLiteral("cell 123"), QStringLiteral("\u00c4gypten gh, Wq_|"),
                             QStringLiteral("10,5 \u20ac \u2030 \u2122 \u2022 und so weiter bis zum Rand"),
                             QStringLiteral("tab\there"), QStringLiteral("\u05e9\u05dc\u05d5\u05dd abc")};
    for (const FontCase& fc : fonts) {
        QFont font;
        font.setPointSize(fc.points);
        font.setBold(fc.bold);
        font.setItalic(fc.italic);
        font.setUnderline(fc.underline);
        if (fc.family)
            font.setFamily(QString::fromLatin1(fc.family));
        for (const QString& text : texts)
            for (int height = 5; height <= 26; height += 3) {
                const QRect bounds(3, 4, 120, height);
                const TTextFlags flags = tfSingleLine | tfEndEllipsis | (height % 2 ? tfVCenter : tfBottom);
                QImage expected(130, 40, QImage::Format_RGB32);
                expected.fill(Qt::white);
                {
                    QPainter p(&expected);
                    p.setClipRect(bounds);
                    p.setFont(font);
                    p.setPen(QColor(0x20, 0x40, 0x80));
                    for (const TGridTextLine& line : measurer.Layout(font, bounds, text, flags).lines)
                        p.drawText(line.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                                   line.text);
                }
                for (int pass = 0; pass < 2; ++pass) {
                    QImage drawn(130, 40, QImage::Format_RGB32);
                    drawn.fill(Qt::white);
                    QPainter p(&drawn);
                    QPainterCanvas canvas(p, &measurer);
                    canvas.Font = font;
                    canvas.FontColor = TColor(0x804020);
                    canvas.Brush.Style = bsClear;
                    canvas.TextRect(bounds, text, flags);
                    p.end();
                    EXPECT_EQ(drawn, expected) << fc.name << " " << text.toStdString() << " height " << height
                                               << " pass " << pass;
                }
                EXPECT_EQ(measurer.TextWidth(font, text), QFontMetrics(font).horizontalAdvance(text)) << fc.name;
            }
    }

    // Lines across, down and slanting, clipped and not, with thin and wide pens.
    struct LineCase {
        QPoint from, to;
        int width;
        bool clip;
    };
    const LineCase lines[] = {{{2, 5}, {30, 5}, 1, false},  {{30, 7}, {2, 7}, 1, false}, {{4, 2}, {4, 25}, 1, false},
                              {{6, 25}, {6, 2}, 1, true},   {{0, 9}, {39, 9}, 1, true},  {{2, 2}, {20, 15}, 1, false},
                              {{2, 12}, {30, 12}, 3, false}, {{-5, 3}, {10, 3}, 0, false}};
    for (const LineCase& lc : lines) {
        QImage expected(40, 30, QImage::Format_RGB32);
        expected.fill(Qt::white);
        QImage drawn = expected;
        {
            QPainter p(&expected);
            if (lc.clip)
                p.setClipRect(QRect(5, 4, 20, 20));
            QPen pen(QColor(0x10, 0x80, 0x30), lc.width);
            pen.setCosmetic(lc.width <= 1);
            p.setPen(pen);
            // The canvas leaves the end point out: the last pixel before it.
            const QPoint d = lc.to - lc.from;
            const int steps = std::max(std::abs(d.x()), std::abs(d.y()));
            p.drawLine(lc.from, lc.from + QPoint(int(double(d.x()) * (steps - 1) / steps), int(double(d.y()) * (steps - 1) / steps)));
        }
        {
            QPainter p(&drawn);
            QPainterCanvas canvas(p);
            if (lc.clip)
                canvas.PushClip(QRect(5, 4, 20, 20));
            canvas.Pen = TGridPen{TColor(0x308010), lc.width, Qt::SolidLine};
            canvas.Line(lc.from, lc.to);
        }
        EXPECT_EQ(drawn, expected) << lc.from.x() << "," << lc.from.y() << " to " << lc.to.x() << "," << lc.to.y();
    }
}

TEST(RecordingCanvas, KeepsEachOperationWithTheStateInForce)
{
    RecordingCanvas canvas;
    canvas.Brush.Color = clYellow;
    canvas.FontColor = clRed;
    canvas.PushClip(QRect(0, 0, 100, 20));
    const QRect r = canvas.TextRect(QRect(0, 0, 100, 20), QStringLiteral("abc"), tfRight | tfSingleLine);
    canvas.PopClip();
    EXPECT_EQ(r, QRect(79, 0, 21, 16));
    const QVector<RecordedOp> texts = canvas.OpsOf(CanvasOp::Text);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_EQ(texts[0].color, clRed);
    EXPECT_EQ(texts[0].color2, clYellow);
    EXPECT_EQ(texts[0].clip, QRect(0, 0, 100, 20));
    EXPECT_EQ(canvas.Texts(), QStringList{"abc"});
    // Measuring draws nothing.
    canvas.TextRect(QRect(0, 0, 100, 20), QStringLiteral("x"), tfCalcRect);
    EXPECT_EQ(canvas.Texts(), QStringList{"abc"});
}

}  // namespace
