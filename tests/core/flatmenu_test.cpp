// The flat look of popup menus: the colours, the image strip, the selection frame, the caption
// with its accelerator, and the style that gives a QMenu that look.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>

#include "core/orvtools.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 22;

const QColor kSelectedFill(181, 190, 214);
const QColor kItemFill(255, 251, 247);

QColor menuColor()
{
    return ToQColor(0xFF000004u);
}

QIcon redIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::red);
    return QIcon(pm);
}

QImage render(const TFlatMenuItem& item, QStyle::State state)
{
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    p.setPen(Qt::black);  // the canvas's font colour
    DrawFlatMenuItem(item, p, QRect(0, 0, kWidth, kHeight), state);
    return img;
}

// Darkest grey level in a rectangle of the image.
int darkest(const QImage& img, const QRect& r)
{
    int v = 255;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            v = std::min(v, qGray(img.pixel(x, y)));
    return v;
}

QRect captionArea()
{
    return QRect(24, 3, kWidth - 30, kHeight - 4);
}

}  // namespace

TEST(FlatMenu, NormalItemHasStripImageAndCaption)
{
    const QImage img = render({"&Datei", true, false, redIcon()}, QStyle::State_Enabled);
    EXPECT_EQ(img.pixelColor(kWidth - 2, 1), kItemFill);
    EXPECT_EQ(img.pixelColor(19, 0), menuColor());         // strip up to x = 20
    EXPECT_EQ(img.pixelColor(20, 0), kItemFill);
    EXPECT_EQ(img.pixelColor(2, 11), QColor(Qt::red));     // image centred in the strip: 2..17
    EXPECT_EQ(img.pixelColor(1, 11), menuColor());
    EXPECT_EQ(img.pixelColor(18, 11), menuColor());
    EXPECT_EQ(img.pixelColor(10, 2), menuColor());         // rows 3..18 vertically
    EXPECT_EQ(img.pixelColor(10, 3), QColor(Qt::red));
    EXPECT_LT(darkest(img, captionArea()), 60);            // caption in the font colour
    EXPECT_EQ(darkest(img, QRect(20, 0, 4, kHeight)), qGray(kItemFill.rgb()));  // starts at x = 24
}

TEST(FlatMenu, SelectedItemIsFramedAndBold)
{
    const TFlatMenuItem item{"&Datei", true, false, redIcon()};
    const QImage img = render(item, QStyle::State_Enabled | QStyle::State_Selected);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(kWidth - 1, kHeight - 1), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(kWidth - 2, 1), kSelectedFill);
    EXPECT_EQ(img.pixelColor(1, 1), kSelectedFill);         // no strip in the selection
    EXPECT_EQ(img.pixelColor(10, 11), QColor(Qt::red));
    EXPECT_LT(darkest(img, captionArea()), 60);

    // Bold: the caption covers more pixels than in the normal item.
    auto inked = [](const QImage& i) {
        int n = 0;
        for (int y = 3; y < kHeight - 1; ++y)
            for (int x = 24; x < kWidth - 2; ++x)
                n += qGray(i.pixel(x, y)) < 128;
        return n;
    };
    EXPECT_GT(inked(img), inked(render(item, QStyle::State_Enabled)));

    // Disabled and selected: grey text, no black inside.
    const QImage off = render({"&Datei", false, false, {}}, QStyle::State_Selected);
    const int v = darkest(off, captionArea().adjusted(0, 0, -2, -2));
    EXPECT_GE(v, 0x70);
    EXPECT_LT(v, qGray(kSelectedFill.rgb()) - 20);
}

TEST(FlatMenu, DisabledItemIsSilverAndSeparatorALine)
{
    const QImage off = render({"Drucken", false, false, {}}, QStyle::State_None);
    const int v = darkest(off, captionArea());
    EXPECT_GE(v, 0xB0);  // silver text
    EXPECT_LT(v, qGray(kItemFill.rgb()));

    const QImage sep = render({"-", true, true, {}}, QStyle::State_Enabled);
    const QColor line = menuColor();
    EXPECT_EQ(sep.pixelColor(kWidth - 1, kHeight / 2), line);
    EXPECT_EQ(sep.pixelColor(60, kHeight / 2), line);
    EXPECT_EQ(sep.pixelColor(60, kHeight / 2 - 2), kItemFill);
    EXPECT_EQ(sep.pixelColor(5, 2), line);  // the strip as for every other item
}

TEST(FlatMenu, AccelaratorIsUnderlinedAndNotDrawn)
{
    QImage plain = render({"Datei", true, false, {}}, QStyle::State_Enabled);
    QImage accel = render({"&Datei", true, false, {}}, QStyle::State_Enabled);
    // "&" takes no room: the two captions differ only by the underline under the "D".
    const QFontMetrics fm(QApplication::font());
    const int dWidth = fm.horizontalAdvance(QLatin1Char('D'));
    int differing = 0, outsideD = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (plain.pixel(x, y) != accel.pixel(x, y)) {
                ++differing;
                outsideD += x < 24 || x > 24 + dWidth;
            }
    EXPECT_GE(differing, dWidth / 2);
    EXPECT_EQ(outsideD, 0);
}

TEST(FlatMenu, MeasureAddsToWidthAndHeight)
{
    const QFontMetrics fm(QApplication::font());
    QAction action("&Speichern");
    int width = 0, height = 19;
    MeasureFlatMenuItem(&action, fm, width, height);
    EXPECT_EQ(width, fm.horizontalAdvance("&Speichern") + 36);
    EXPECT_EQ(height, 21);
}

TEST(FlatMenu, StyleGivesAMenuTheFlatLook)
{
    FlatMenuStyle style;
    QMenu menu;
    menu.setStyle(&style);
    menu.addAction(redIcon(), "&Neue Einheit");
    menu.addSeparator();
    menu.addAction("Einheit &löschen")->setEnabled(false);
    menu.addMenu("Weitere")->addAction("X");
    menu.adjustSize();
    menu.setActiveAction(menu.actions().first());
    const QImage img = menu.grab().toImage();
    img.save("/tmp/orvalo5_flatmenu.png");

    const QRect first = menu.actionGeometry(menu.actions()[0]);
    EXPECT_EQ(img.pixelColor(first.left() + 1, first.top() + 1), kSelectedFill);
    EXPECT_EQ(img.pixelColor(first.topLeft()), QColor(Qt::black));
    const QRect third = menu.actionGeometry(menu.actions()[2]);
    EXPECT_EQ(img.pixelColor(third.right() - 2, third.top() + 1), kItemFill);
    EXPECT_GE(first.width(), QFontMetrics(menu.font()).horizontalAdvance("&Neue Einheit") + 36);
}
