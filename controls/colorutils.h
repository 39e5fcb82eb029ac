#pragma once
// Colour values as the forms store them: $00BBGGRR for an RGB colour, or $FF000000 plus the
// system colour index for a system colour. A system colour is resolved through the application
// palette, which stands in for the desktop's colour settings.
#include <QColor>

#include <cstdint>

using TColor = std::uint32_t;

// System colours used by the flat controls (system colour index in the low byte).
inline constexpr TColor clScrollBar = 0xFF000000;
inline constexpr TColor clActiveCaption = 0xFF000002;
inline constexpr TColor clWindow = 0xFF000005;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clCaptionText = 0xFF000009;
inline constexpr TColor clAppWorkSpace = 0xFF00000C;
inline constexpr TColor clHighlight = 0xFF00000D;
inline constexpr TColor clHighlightText = 0xFF00000E;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clBtnShadow = 0xFF000010;
inline constexpr TColor clGrayText = 0xFF000011;
inline constexpr TColor clBtnText = 0xFF000012;
inline constexpr TColor clBtnHighlight = 0xFF000014;
inline constexpr TColor cl3DDkShadow = 0xFF000015;
inline constexpr TColor cl3DLight = 0xFF000016;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clOlive = 0x00008080;
inline constexpr TColor clGray = 0x00808080;
inline constexpr TColor clFuchsia = 0x00FF00FF;

inline constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0xFF000000u; }
inline constexpr TColor RGBColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
inline constexpr int RedOf(TColor c) { return int(c & 0xFF); }
inline constexpr int GreenOf(TColor c) { return int((c >> 8) & 0xFF); }
inline constexpr int BlueOf(TColor c) { return int((c >> 16) & 0xFF); }

// The RGB value of a colour: system colours are looked up in the application palette.
TColor ColorToRGB(TColor c);
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
