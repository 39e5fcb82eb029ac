#include "controls/uixpthemes.h"

#include <algorithm>
#include <mutex>

namespace {

// The stand-in for the visual-styles library: its "handle", use count and the declared style.
struct ThemeLibrary {
    std::mutex lock;
    bool loaded = false;
    int useCount = 0;
};

ThemeLibrary& library()
{
    static ThemeLibrary lib;
    return lib;
}

// Loaded once when the program starts and released until the use count is 0 when it ends.
struct ThemeLibraryLifetime {
    ThemeLibraryLifetime() { LoadThemeLibrary(); }
    ~ThemeLibraryLifetime()
    {
        while (ThemeLibraryUseCount() > 0)
            ReleaseThemeLibrary();
    }
};
const ThemeLibraryLifetime lifetime;

// Nearest integer to num / den (den > 0), ties to the even integer.
int roundedQuotient(int num, int den)
{
    const bool negative = num < 0;
    const int n = negative ? -num : num;
    int q = n / den;
    const int rem = n % den;
    if (2 * rem > den || (2 * rem == den && (q % 2) == 1))
        ++q;
    return negative ? -q : q;
}

}  // namespace

bool LoadThemeLibrary()
{
    ThemeLibrary& lib = library();
    std::lock_guard<std::mutex> guard(lib.lock);
    ++lib.useCount;
    lib.loaded = true;
    return lib.loaded;
}

void ReleaseThemeLibrary()
{
    ThemeLibrary& lib = library();
    std::lock_guard<std::mutex> guard(lib.lock);
    if (lib.useCount > 0)
        --lib.useCount;
    if (lib.loaded && lib.useCount == 0)
        lib.loaded = false;
}

int ThemeLibraryUseCount()
{
    ThemeLibrary& lib = library();
    std::lock_guard<std::mutex> guard(lib.lock);
    return lib.useCount;
}

bool ThemesActive()
{
    ThemeLibrary& lib = library();
    std::lock_guard<std::mutex> guard(lib.lock);
    return lib.loaded && ActiveVisualStyle().has_value();
}

bool ReadThemeColorName(QString& name)
{
    ThemeLibrary& lib = library();
    std::lock_guard<std::mutex> guard(lib.lock);
    const std::optional<QString> variant = ActiveVisualStyle();
    if (!lib.loaded || !variant)
        return false;
    // The library's buffer holds 30 wide characters including the terminator.
    name = variant->left(29);
    return true;
}

TColor MixWithWhite(TColor color, int percent)
{
    const TColor rgb = ColorToRGB(color);
    const int p = std::min(percent, 100);
    auto mix = [p](int c) { return std::clamp(c + roundedQuotient((255 - c) * p, 100), 0, 255); };
    return RGBColor(mix(RedOf(rgb)), mix(GreenOf(rgb)), mix(BlueOf(rgb)));
}

bool GetSchemeColorsForVariant(const QString& variant, TUiColorScheme& s)
{
    struct Variant {
        const char* name;
        TColor buttonStart, panel, panelEnd, buttonEnd, splitterStart, splitterEnd, border, titleStart,
            titleEnd;
    };
    static const Variant variants[] = {
        {"NormalColor", 0x00FCE1CB, 0x00FADAC4, 0x00F5BE9E, 0x00E0A57D, 0x00D68759, 0x009C420E,
         0x00993300, 0x00D68759, 0x00933803},
        {"HomeStead", 0x00CFF0EA, 0x00E4F1F2, 0x00A7D9D9, 0x008CC0B1, 0x006F8E78, 0x00435B49,
         0x00588060, 0x0082C0AF, 0x00447A63},
        {"Metallic", 0x00ECE2E1, 0x00F7F3F3, 0x00E5D7D7, 0x00B19395, 0x00BFA7A8, 0x00977677,
         0x00947C7C, 0x00BFA7A8, 0x00916F70},
    };
    for (const Variant& v : variants) {
        if (variant != QLatin1String(v.name))
            continue;
        s.ButtonGradientStart = v.buttonStart;
        s.PanelColor = v.panel;
        s.PanelGradientEnd = v.panelEnd;
        s.ButtonGradientEnd = v.buttonEnd;
        s.SplitterStart = v.splitterStart;
        s.SplitterEnd = v.splitterEnd;
        s.BorderColor = v.border;
        s.TitleStart = v.titleStart;
        s.TitleEnd = v.titleEnd;
        s.HotStart = MixWithWhite(0x008ACCFF, 60);
        s.HotEnd = 0x008ACCFF;
        s.AccentStart = MixWithWhite(0x004EA5FF, 30);
        s.AccentEnd = 0x004EA5FF;
        s.DownStart = MixWithWhite(0x008ACCFF, 30);
        s.DownEnd = 0x003E80FE;
        s.TitleFontColor = 0x00FFFFFF;
        s.FontColor = 0;
        s.AccentFontColor = 0;
        return true;
    }
    return false;
}

bool GetSchemeColors(TUiColorScheme& scheme)
{
    QString name;
    if (!ThemesActive() || !ReadThemeColorName(name))
        return false;
    return GetSchemeColorsForVariant(name, scheme);
}

void GetStandardColors(TUiColorScheme& s)
{
    s.ButtonGradientStart = MixWithWhite(clBtnFace, 90);
    s.PanelColor = MixWithWhite(clBtnFace, 40);
    s.PanelGradientEnd = MixWithWhite(clBtnFace, -60);
    s.ButtonGradientEnd = MixWithWhite(clBtnFace, -35);
    s.HotStart = MixWithWhite(clHighlight, 65);
    s.HotEnd = s.HotStart;
    s.AccentStart = MixWithWhite(clHighlight, 75);
    s.AccentEnd = s.AccentStart;
    s.DownStart = MixWithWhite(clHighlight, 50);
    s.DownEnd = s.DownStart;
    s.SplitterStart = MixWithWhite(clBtnShadow, 30);
    s.SplitterEnd = ColorToRGB(clAppWorkSpace);
    s.BorderColor = ColorToRGB(clAppWorkSpace);
    s.TitleStart = ColorToRGB(clBtnShadow);
    s.TitleEnd = ColorToRGB(clBtnShadow);
    s.TitleFontColor = ColorToRGB(clCaptionText);
    s.FontColor = ColorToRGB(clWindowText);
    s.AccentFontColor = ColorToRGB(clHighlightText);
}
