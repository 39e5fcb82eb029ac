#pragma once
// The runtime's font object: a typeface with size and styles plus a colour, whose owner hears of
// every change (OnChange), as settings objects and controls keep their fonts.
#include <QFont>

#include <functional>

#include "platform/rtl/graphics.h"

class TFont {
public:
    // The application's font in the window text colour.
    TFont();
    explicit TFont(const QFont& font, TColor color = clWindowText);
    // Copies the values; the copy has no change handler of its own.
    TFont(const TFont& other);
    TFont& operator=(const TFont&) = delete;

    const QFont& Font() const { return font_; }
    void SetFont(const QFont& value);
    QString Name() const { return font_.family(); }
    void SetName(const QString& value);
    // Size in points.
    int Size() const { return font_.pointSize(); }
    void SetSize(int value);
    TFontStyles Style() const;
    void SetStyle(TFontStyles value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Takes every value of the source; one change notice.
    void Assign(const TFont& source);

    friend bool operator==(const TFont& a, const TFont& b) { return a.font_ == b.font_ && a.color_ == b.color_; }

    std::function<void()> OnChange;

private:
    void changed();
    QFont font_;
    TColor color_ = clWindowText;
};
