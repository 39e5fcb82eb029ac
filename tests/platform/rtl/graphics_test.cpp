// Colour values as the forms store them, turned into the toolkit's colours.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

#include "platform/rtl/graphics.h"

TEST(GraphicsTest, StoredColoursAreBgrAndSystemColoursFollowThePalette)
{
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(clNavy), QColor(0, 0, 128));
    EXPECT_EQ(ToQColor(RGBColor(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), TColor(0x00563412));
    EXPECT_FALSE(IsSystemColor(clWhite));

    // A system colour is read from the application palette at the time it is drawn.
    const QPalette saved = QGuiApplication::palette();
    QPalette p = saved;
    p.setColor(QPalette::Button, QColor(10, 20, 30));
    p.setColor(QPalette::Base, QColor(40, 50, 60));
    QGuiApplication::setPalette(p);
    const QColor face = ToQColor(clBtnFace);
    const TColor window = ColorToRGB(clWindow);
    QGuiApplication::setPalette(saved);
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_EQ(face, QColor(10, 20, 30));
    EXPECT_EQ(window, RGBColor(40, 50, 60));
}
