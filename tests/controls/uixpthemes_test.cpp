// The colour schemes of the navigation pane and the colour mixing.
#include "controls/uixpthemes.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

TEST(MixWithWhite, Table)
{
    struct Case {
        TColor color;
        int percent;
        TColor expected;
    };
    const Case cases[] = {
        {0x00123456, 100, 0x00FFFFFF},   // 100 % is white
        {0x00000000, 100, 0x00FFFFFF},
        {0x00123456, 0, 0x00123456},     // 0 % keeps the colour
        {0x00123456, 250, 0x00FFFFFF},   // above 100 counts as 100
        {0x00D8E9EC, -35, 0x00CAE1E5},   // red 236 -> 229, green 233 -> 225, blue 216 -> 202
        {0x008ACCFF, 60, 0x00D0EBFF},    // the derived hot, accent and down colours
        {0x004EA5FF, 30, 0x0083C0FF},
        {0x008ACCFF, 30, 0x00ADDBFF},
        {0x00000000, 10, 0x001A1A1A},    // 25.5 -> 26: ties go to the even integer
        {0x00000000, 30, 0x004C4C4C},    // 76.5 -> 76
        {0x00000000, 50, 0x00808080},    // 127.5 -> 128
        {0x00102030, -100, 0x00000000},  // dark channels stay dark: clamped at 0, not wrapped
        {0x00FFFFFF, -200, 0x00FFFFFF},  // white has no distance to white
        {0x00404040, -300, 0x00000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MixWithWhite(c.color, c.percent), c.expected)
            << std::hex << c.color << " " << std::dec << c.percent;
    // A system colour is resolved before it is mixed.
    EXPECT_EQ(MixWithWhite(clBtnFace, 0), ColorToRGB(clBtnFace));
}

TEST(ColorScheme, FixedVariantColours)
{
    struct Case {
        const char* name;
        TColor buttonStart, panel, panelEnd, buttonEnd, splitterStart, splitterEnd, border, titleStart, titleEnd;
    };
    const Case cases[] = {
        {"NormalColor", 0x00FCE1CB, 0x00FADAC4, 0x00F5BE9E, 0x00E0A57D, 0x00D68759, 0x009C420E, 0x00993300,
         0x00D68759, 0x00933803},
        {"HomeStead", 0x00CFF0EA, 0x00E4F1F2, 0x00A7D9D9, 0x008CC0B1, 0x006F8E78, 0x00435B49, 0x00588060,
         0x0082C0AF, 0x00447A63},
        {"Metallic", 0x00ECE2E1, 0x00F7F3F3, 0x00E5D7D7, 0x00B19395, 0x00BFA7A8, 0x00977677, 0x00947C7C,
         0x00BFA7A8, 0x00916F70},
    };
    for (const Case& c : cases) {
        TUiColorScheme s;
        ASSERT_TRUE(GetSchemeColorsForVariant(c.name, s)) << c.name;
        EXPECT_EQ(s.ButtonGradientStart, c.buttonStart) << c.name;
        EXPECT_EQ(s.PanelColor, c.panel) << c.name;
        EXPECT_EQ(s.PanelGradientEnd, c.panelEnd) << c.name;
        EXPECT_EQ(s.ButtonGradientEnd, c.buttonEnd) << c.name;
        EXPECT_EQ(s.SplitterStart, c.splitterStart) << c.name;
        EXPECT_EQ(s.SplitterEnd, c.splitterEnd) << c.name;
        EXPECT_EQ(s.BorderColor, c.border) << c.name;
        EXPECT_EQ(s.TitleStart, c.titleStart) << c.name;
        EXPECT_EQ(s.TitleEnd, c.titleEnd) << c.name;
        EXPECT_EQ(s.HotStart, 0x00D0EBFFu);
        EXPECT_EQ(s.HotEnd, 0x008ACCFFu);
        EXPECT_EQ(s.AccentStart, 0x0083C0FFu);
        EXPECT_EQ(s.AccentEnd, 0x004EA5FFu);
        EXPECT_EQ(s.DownStart, 0x00ADDBFFu);
        EXPECT_EQ(s.DownEnd, 0x003E80FEu);
        EXPECT_EQ(s.TitleFontColor, 0x00FFFFFFu);
        EXPECT_EQ(s.FontColor, 0u);
        EXPECT_EQ(s.AccentFontColor, 0u);
    }
    TUiColorScheme untouched;
    untouched.PanelColor = 0x00010203;
    EXPECT_FALSE(GetSchemeColorsForVariant("normalcolor", untouched)) << "names compare with case";
    EXPECT_FALSE(GetSchemeColorsForVariant("Royale", untouched));
    EXPECT_EQ(untouched.PanelColor, 0x00010203u);
}

TEST(ColorScheme, ActiveStyleOrFallback)
{
    const int uses = ThemeLibraryUseCount();
    EXPECT_GE(uses, 1) << "loaded once at start-up";
    EXPECT_TRUE(LoadThemeLibrary());
    EXPECT_EQ(ThemeLibraryUseCount(), uses + 1);
    ReleaseThemeLibrary();
    EXPECT_EQ(ThemeLibraryUseCount(), uses);

    TUiColorScheme s;
    EXPECT_FALSE(ThemesActive()) << "no visual style unless one is declared";
    EXPECT_FALSE(GetSchemeColors(s));
    SetActiveVisualStyle(QStringLiteral("Metallic"));
    EXPECT_TRUE(ThemesActive());
    ASSERT_TRUE(GetSchemeColors(s));
    EXPECT_EQ(s.TitleStart, 0x00BFA7A8u);
    EXPECT_EQ(s.TitleEnd, 0x00916F70u);
    SetActiveVisualStyle(QStringLiteral("Luna Royale"));
    EXPECT_FALSE(GetSchemeColors(s)) << "an unknown variant falls back";
    SetActiveVisualStyle(std::nullopt);
    EXPECT_FALSE(GetSchemeColors(s));
}

TEST(ColorScheme, StandardColoursFromTheSystemColours)
{
    const QPalette saved = QGuiApplication::palette();
    QPalette pal = saved;
    pal.setColor(QPalette::Button, QColor(236, 233, 216));      // button face $00D8E9EC
    pal.setColor(QPalette::Highlight, QColor(49, 106, 197));     // highlight
    pal.setColor(QPalette::Dark, QColor(172, 168, 153));         // button shadow, workspace
    pal.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    pal.setColor(QPalette::Text, QColor(0, 0, 0));
    QGuiApplication::setPalette(pal);

    TUiColorScheme s;
    GetStandardColors(s);
    EXPECT_EQ(s.ButtonGradientEnd, 0x00CAE1E5u) << "button face at -35 %";
    EXPECT_EQ(s.ButtonGradientStart, MixWithWhite(0x00D8E9EC, 90));
    EXPECT_EQ(s.PanelColor, MixWithWhite(0x00D8E9EC, 40));
    EXPECT_EQ(s.PanelGradientEnd, MixWithWhite(0x00D8E9EC, -60));
    EXPECT_EQ(s.HotStart, MixWithWhite(0x00C56A31, 65));
    EXPECT_EQ(s.HotEnd, s.HotStart);
    EXPECT_EQ(s.AccentStart, MixWithWhite(0x00C56A31, 75));
    EXPECT_EQ(s.DownStart, MixWithWhite(0x00C56A31, 50));
    EXPECT_EQ(s.DownEnd, s.DownStart);
    EXPECT_EQ(s.SplitterStart, MixWithWhite(0x0099A8AC, 30));
    EXPECT_EQ(s.SplitterEnd, 0x0099A8ACu);
    EXPECT_EQ(s.BorderColor, 0x0099A8ACu);
    EXPECT_EQ(s.TitleStart, 0x0099A8ACu);
    EXPECT_EQ(s.TitleFontColor, 0x00FFFFFFu);
    EXPECT_EQ(s.FontColor, 0u);
    EXPECT_EQ(s.AccentFontColor, 0x00FFFFFFu);

    QGuiApplication::setPalette(saved);
}
