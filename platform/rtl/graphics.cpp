#include "platform/rtl/graphics.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The palette entry that stands in for each system colour index.
QColor systemColor(int index)
{
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 0: return pal.color(QPalette::Button);               // scroll bar
    case 1: return pal.color(QPalette::Dark);                 // desktop
    case 2: return pal.color(QPalette::Highlight);            // active caption
    case 3: return pal.color(QPalette::Mid);                  // inactive caption
    case 4: return pal.color(QPalette::Window);               // menu
    case 5: return pal.color(QPalette::Base);                 // window (edit background)
    case 6: return pal.color(QPalette::Shadow);               // window frame
    case 7: return pal.color(QPalette::WindowText);           // menu text
    case 8: return pal.color(QPalette::Text);                 // window text
    case 9: return pal.color(QPalette::HighlightedText);      // caption text
    case 10:
    case 11: return pal.color(QPalette::Button);              // borders
    case 12: return pal.color(QPalette::Dark);                // application workspace
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);              // button face
    case 16: return pal.color(QPalette::Dark);                // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);  // grey text
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::WindowText);          // inactive caption text
    case 20: return pal.color(QPalette::Light);               // button highlight
    case 21: return pal.color(QPalette::Shadow);              // dark 3D shadow
    case 22: return pal.color(QPalette::Midlight);            // 3D light
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    case 26: return pal.color(QPalette::Link);                // hot tracking
    case 27:
    case 29: return pal.color(QPalette::Highlight);
    case 28: return pal.color(QPalette::Mid);
    default: return pal.color(QPalette::Window);
    }
}

}  // namespace

TColor ColorToRGB(TColor c)
{
    if (IsSystemColor(c))
        return FromQColor(systemColor(int(c & 0xFF)));
    return c & 0x00FFFFFFu;
}

QColor ToQColor(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TColor FromQColor(const QColor& c)
{
    return RGBColor(c.red(), c.green(), c.blue());
}
