#pragma once
// Finds the texts a window cuts: a label, button, check box, radio button, group title, tab, header
// section or grid column title whose text is wider than the part of its control that shows it, and
// in grids the dates, times and numbers wider than their column. Each is listed as
// "window/control 'text' needs N px, has M px", so a failing test names what a user sees cut.
//
// Only what is shown counts: controls hidden themselves or inside a hidden container are left
// out, but the pages of a page control all count: each is shown in turn (laid out as when its tab
// is chosen) and measured, and the page shown before comes back.
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// The width a control's text needs and the width it has, for controls the list does not know
// (nothing for a control it should leave to the generic checks).
struct TextRoom {
    int need = 0;
    int has = 0;
    QString text;
};
using TextRoomProbe = std::function<std::optional<TextRoom>(QWidget*)>;

QStringList ClippedTexts(QWidget* window, const TextRoomProbe& probe = {});

// True when the text looks like a date, a time or a number, possibly with a short unit
// ("12,5 km", "00:46:40", "24.11.2023", "-3 %").
bool LooksLikeValue(const QString& text);
