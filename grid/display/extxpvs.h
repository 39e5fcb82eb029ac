#pragma once
// Visual-styles access for the grid library: themed check boxes, radio buttons, push buttons,
// combo and spin buttons, header items and progress bars.
//
// Linux has no visual-styles library; this unit is our own stand-in with the same use. The
// library "loads" at the display library's start-up; a theme is active only while one is
// declared (SetActiveVisualStyle in platform/vcl/visualstyle.h: tests, or a desktop probe), and
// then the theme classes are drawn through the window's QStyle. Callers choose themed drawing
// with ThemedDrawing() (the system supports visual styles and a theme is active) and otherwise
// draw their classic look, exactly as without the library.
#include <QRect>
#include <QString>

#include "platform/rtl/graphics.h"

class QPainter;
class QWidget;

// An open theme class for one window; nullptr when no theme is active or the class is unknown.
struct TThemeData;
using HTHEME = TThemeData*;

// Unit start-up and shutdown. Load sets the loaded flag unless the library is missing
// (SetThemeLibraryMissing, for tests of systems without it); Unload clears it, and does nothing
// after a failed load.
void LoadXPVS();
void UnloadXPVS();
bool XPVSLoaded();
void SetThemeLibraryMissing(bool missing);

// The second flag: the system supports visual styles. Set once at start-up by the HTML unit's
// start-up (every system this program runs on supports them while the library is loaded).
bool SystemSupportsVisualStyles();
void SetSystemSupportsVisualStyles(bool supported);

// Non-zero while the library is loaded and a theme is declared.
int IsThemeActive();
int IsAppThemed();
// What every themed caller tests: the system supports visual styles and a theme is active.
bool ThemedDrawing();

// The active theme's file, colour variant and size names; false when no theme is active.
bool GetCurrentThemeName(QString& fileName, QString& colorName, QString& sizeName);

// classList: one class name or several separated by ";" (the first known one is taken), case
// does not matter: "button", "combobox", "header", "progress", "spin".
HTHEME OpenThemeData(QWidget* window, const QString& classList);
void CloseThemeData(HTHEME theme);
// The theme class an open theme draws ("button", ...); empty for nullptr.
QString ThemeClassName(HTHEME theme);

// Part and state numbers of the classes the grid uses.
namespace themepart {
// "button"
inline constexpr int BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3;
inline constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
// check box and radio: 1..4 unchecked normal, hot, pressed, disabled; 5..8 the same checked;
// 9..12 (check box only) mixed.
inline constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_CHECKEDNORMAL = 5, CBS_MIXEDNORMAL = 9;
// "combobox"
inline constexpr int CP_DROPDOWNBUTTON = 1;
// "header"
inline constexpr int HP_HEADERITEM = 1;
// "progress"
inline constexpr int PP_BAR = 1, PP_CHUNK = 3;
// "spin"
inline constexpr int SPNP_UP = 1, SPNP_DOWN = 2, SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4;
}  // namespace themepart

// True when the theme draws the part in the state.
bool IsThemePartDefined(HTHEME theme, int part, int state);
// Draws the part in the state into the rectangle (within clip when given); false when the
// theme or the part is not there, and nothing is drawn.
bool DrawThemeBackground(HTHEME theme, QPainter& painter, int part, int state, const QRect& rect,
                         const QRect* clip = nullptr);
// The part's text in the theme's text colour, aligned by Qt alignment flags.
bool DrawThemeText(HTHEME theme, QPainter& painter, int part, int state, const QString& text, int alignment,
                   const QRect& rect);
// The area inside the part's frame where content goes.
bool GetThemeBackgroundContentRect(HTHEME theme, int part, int state, const QRect& bounds, QRect& content);
// A system colour as the theme shows it.
TColor GetThemeSysColor(HTHEME theme, int colorIndex);
