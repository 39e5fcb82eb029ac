// The visual-styles stand-in: classic drawing unless a theme is declared, QStyle drawing of the
// theme classes while one is, and a library that may be missing.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include "grid/display/extxpvs.h"
#include "platform/vcl/visualstyle.h"
#include "tests/support/qstringprinter.h"

using namespace themepart;

namespace {

class ExtXPVSTest : public ::testing::Test {
protected:
    // The library's flags as the unit start-up left them, put back afterwards.
    void SetUp() override
    {
        wasLoaded_ = XPVSLoaded();
        wasSupported_ = SystemSupportsVisualStyles();
        LoadXPVS();
        SetSystemSupportsVisualStyles(true);
    }
    void TearDown() override
    {
        SetActiveVisualStyle(std::nullopt);
        SetThemeLibraryMissing(false);
        if (wasLoaded_)
            LoadXPVS();
        else
            UnloadXPVS();
        SetSystemSupportsVisualStyles(wasSupported_);
    }

    // The part drawn into a white 20 x 20 picture; the number of pixels it changed.
    static int drawnPixels(HTHEME theme, int part, int state, QImage* picture = nullptr)
    {
        QImage img(20, 20, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        DrawThemeBackground(theme, p, part, state, QRect(2, 2, 16, 16));
        p.end();
        int changed = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                changed += img.pixel(x, y) != qRgb(255, 255, 255);
        if (picture)
            *picture = img;
        return changed;
    }

    bool wasLoaded_ = false;
    bool wasSupported_ = false;
};

}  // namespace

TEST_F(ExtXPVSTest, WithoutADeclaredThemeEverythingDrawsClassic)
{
    QWidget w;
    EXPECT_TRUE(XPVSLoaded());
    EXPECT_EQ(IsThemeActive(), 0);
    EXPECT_FALSE(ThemedDrawing());
    EXPECT_EQ(OpenThemeData(&w, QStringLiteral("button")), nullptr);
    QString file, color, size;
    EXPECT_FALSE(GetCurrentThemeName(file, color, size));
    // Every call a caller could still make with no theme open fails quietly and draws nothing.
    EXPECT_EQ(drawnPixels(nullptr, BP_CHECKBOX, CBS_CHECKEDNORMAL), 0);
    QImage img(4, 4, QImage::Format_RGB32);
    QPainter p(&img);
    EXPECT_FALSE(DrawThemeText(nullptr, p, BP_PUSHBUTTON, PBS_NORMAL, QStringLiteral("OK"), Qt::AlignCenter,
                               QRect(0, 0, 4, 4)));
    QRect content;
    EXPECT_FALSE(GetThemeBackgroundContentRect(nullptr, BP_PUSHBUTTON, PBS_NORMAL, QRect(0, 0, 4, 4), content));
    EXPECT_FALSE(IsThemePartDefined(nullptr, BP_PUSHBUTTON, PBS_NORMAL));
    CloseThemeData(nullptr);
}

TEST_F(ExtXPVSTest, ADeclaredThemeDrawsTheClassesThroughTheStyle)
{
    SetActiveVisualStyle(QStringLiteral("NormalColor"));
    ASSERT_TRUE(ThemedDrawing());
    QString file, color, size;
    ASSERT_TRUE(GetCurrentThemeName(file, color, size));
    EXPECT_EQ(color, QStringLiteral("NormalColor"));

    QWidget w;
    HTHEME button = OpenThemeData(&w, QStringLiteral("BUTTON"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ThemeClassName(button), QStringLiteral("button"));
    QImage checked, unchecked;
    EXPECT_GT(drawnPixels(button, BP_CHECKBOX, CBS_CHECKEDNORMAL, &checked), 0);
    EXPECT_GT(drawnPixels(button, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, &unchecked), 0);
    EXPECT_NE(checked, unchecked) << "the check mark shows";
    EXPECT_GT(drawnPixels(button, BP_RADIOBUTTON, 5), 0);
    EXPECT_GT(drawnPixels(button, BP_PUSHBUTTON, PBS_PRESSED), 0);
    EXPECT_EQ(drawnPixels(button, 9, 1), 0) << "a part the class does not have";
    EXPECT_EQ(drawnPixels(button, BP_RADIOBUTTON, 9), 0) << "radio buttons have no mixed state";
    QRect content;
    EXPECT_TRUE(GetThemeBackgroundContentRect(button, BP_PUSHBUTTON, PBS_NORMAL, QRect(0, 0, 40, 20), content));
    EXPECT_TRUE(QRect(0, 0, 40, 20).contains(content));
    EXPECT_LT(content.width(), 40);
    CloseThemeData(button);

    // The other classes the grid and its editors draw; the first known name of a list is taken.
    struct Part {
        const char* cls;
        int part, state;
    };
    const Part parts[] = {{"combobox", CP_DROPDOWNBUTTON, 2}, {"header", HP_HEADERITEM, 3},
                          {"progress", PP_BAR, 1},            {"progress", PP_CHUNK, 1},
                          {"spin", SPNP_UP, 1},               {"spin", SPNP_DOWNHORZ, 3},
                          {"explorerbar;spin", SPNP_DOWN, 4}};
    for (const Part& pt : parts) {
        HTHEME t = OpenThemeData(&w, QString::fromLatin1(pt.cls));
        ASSERT_NE(t, nullptr) << pt.cls;
        EXPECT_GT(drawnPixels(t, pt.part, pt.state), 0) << pt.cls << " " << pt.part;
        CloseThemeData(t);
    }
    EXPECT_EQ(OpenThemeData(&w, QStringLiteral("toolbar")), nullptr) << "a class the stand-in does not draw";

    SetSystemSupportsVisualStyles(false);
    EXPECT_FALSE(ThemedDrawing()) << "both flags are needed";
}

TEST_F(ExtXPVSTest, AMissingLibraryLeavesThemesOff)
{
    SetActiveVisualStyle(QStringLiteral("NormalColor"));
    UnloadXPVS();
    SetThemeLibraryMissing(true);
    LoadXPVS();
    EXPECT_FALSE(XPVSLoaded());
    EXPECT_EQ(IsThemeActive(), 0);
    EXPECT_FALSE(ThemedDrawing());
    UnloadXPVS();  // after a failed load: nothing to do
    EXPECT_FALSE(XPVSLoaded());
    SetThemeLibraryMissing(false);
    LoadXPVS();
    EXPECT_TRUE(ThemedDrawing());
}
