#include "platform/vcl/font.h"

#include <QApplication>

TFont::TFont() : font_(QApplication::font()) {}

TFont::TFont(const QFont& font, TColor color) : font_(font), color_(color) {}

TFont::TFont(const TFont& other) : font_(other.font_), color_(other.color_) {}

void TFont::changed()
{
    if (OnChange)
        OnChange();
}

void TFont::SetFont(const QFont& value)
{
    if (value == font_)
        return;
    font_ = value;
    changed();
}

void TFont::SetName(const QString& value)
{
    QFont f = font_;
    f.setFamily(value);
    SetFont(f);
}

void TFont::SetSize(int value)
{
    QFont f = font_;
    if (value > 0)
        f.setPointSize(value);
    SetFont(f);
}

TFontStyles TFont::Style() const
{
    TFontStyles s = 0;
    if (font_.bold())
        s |= fsBold;
    if (font_.italic())
        s |= fsItalic;
    if (font_.underline())
        s |= fsUnderline;
    if (font_.strikeOut())
        s |= fsStrikeOut;
    return s;
}

void TFont::SetStyle(TFontStyles value)
{
    QFont f = font_;
    f.setBold(value & fsBold);
    f.setItalic(value & fsItalic);
    f.setUnderline(value & fsUnderline);
    f.setStrikeOut(value & fsStrikeOut);
    SetFont(f);
}

void TFont::SetColor(TColor value)
{
    if (value == color_)
        return;
    color_ = value;
    changed();
}

void TFont::Assign(const TFont& source)
{
    if (source == *this)
        return;
    font_ = source.font_;
    color_ = source.color_;
    changed();
}
