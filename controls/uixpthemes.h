#pragma once
// Colours of the navigation-pane controls: the fixed colours of the three colour variants of
// the XP visual style, the colours derived from the system colours, and the colour mixing that
// the navigation pane uses for disabled glyphs and captions.
//
// Linux has no visual-styles library. Its place is taken by a small stand-in inside this unit:
// it "loads" always, and reports a visual style as active only when one was declared through
// SetActiveVisualStyle (platform/vcl/visualstyle.h: tests and a future desktop-theme probe).
// Without one every colour request falls back to the standard colours, as the program does
// without the library.
#include <QString>

#include <optional>

#include "controls/colorutils.h"
#include "platform/vcl/visualstyle.h"

struct TUiColorScheme {
    TColor ButtonGradientStart = 0;
    TColor PanelColor = 0;
    TColor PanelGradientEnd = 0;
    TColor ButtonGradientEnd = 0;
    TColor HotStart = 0;
    TColor HotEnd = 0;
    TColor AccentStart = 0;
    TColor AccentEnd = 0;
    TColor DownStart = 0;
    TColor DownEnd = 0;
    TColor SplitterStart = 0;
    TColor SplitterEnd = 0;
    TColor BorderColor = 0;
    TColor TitleStart = 0;
    TColor TitleEnd = 0;
    TColor TitleFontColor = 0;
    TColor FontColor = 0;
    TColor AccentFontColor = 0;
    QString FontName;           // "Default" = the panel type's own font name
    int FontSize = 0;           // -1 = the panel type's own size
    TFontStyles FontStyle = 0;  // used only when DefaultFontStyle is false
    bool DefaultFontStyle = false;
};

// The visual-styles library: a use count guarded by a lock. Load answers whether it is loaded.
bool LoadThemeLibrary();
void ReleaseThemeLibrary();
int ThemeLibraryUseCount();
// True when the library is loaded and a visual style is active for the program.
bool ThemesActive();
// The name of the active style's colour variant ("NormalColor", "HomeStead", "Metallic", ...);
// false when it cannot be read.
bool ReadThemeColorName(QString& name);

// Fills the nine variant colours and the fixed hot, accent, down and font colours for the
// active colour variant; false (record untouched) when no style is active, the name cannot be
// read or the variant is unknown.
bool GetSchemeColors(TUiColorScheme& scheme);
// The same for a given variant name (compared with case).
bool GetSchemeColorsForVariant(const QString& variant, TUiColorScheme& scheme);
// Fills the colours from the system colours (button face, highlight, shadow, workspace...).
void GetStandardColors(TUiColorScheme& scheme);

// Mixes a colour toward white by percent (above 100 counts as 100); a negative percent darkens
// by the same share of the distance to white. Channels are clamped to 0..255.
TColor MixWithWhite(TColor color, int percent);
