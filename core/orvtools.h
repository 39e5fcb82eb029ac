#pragma once
// Shared routines of the program: number-format records, a colour model for readable text on
// coloured cells, a millisecond formatter, the flat look of popup menus, the file-version text,
// the distance between two geographic points and the time-zone bias. The routines that read
// the data module's datasets live with the data module.
#include <QIcon>
#include <QProxyStyle>
#include <QString>

#include <cstdint>

#include "controls/colorutils.h"
#include "platform/rtl/sysutils.h"

class QAction;
class QFontMetrics;
class QPainter;
class QTimeZone;
class QDateTime;
class QLocale;

// Number and date formats: German (1031), US English (1033, the formats files of other programs
// are read with) and the user's own.
TFormatSettings GetGermanFormatSettings();
TFormatSettings GetEnglishFormatSettings();
// The user's formats, from the desktop's regional settings and the interface language (the rule
// below). The start-up makes them the program's FormatSettings(), which every window and print
// reads.
TFormatSettings GetUserFormatSettings();
// The rule: dates, times, day and month names from the locale that the desktop names for times
// (LC_TIME), decimal and thousands separators from the one it names for numbers (LC_NUMERIC);
// where a category names none (the C or POSIX locale, or a name no locale answers to), those of
// the interface language: German, or English (United Kingdom) with the English module.
TFormatSettings UserFormatSettingsFor(const QString& timeLocale, const QString& numericLocale, bool englishInterface);
// The same with one locale for both categories; QLocale::c() names none.
TFormatSettings UserFormatSettingsFor(const QLocale& desktop, bool englishInterface);
// The toolkit's locale that goes with the user's formats (the calendars' day and month names and
// first day of the week), by the same rule for times.
QLocale UserLocaleFor(const QString& timeLocale, bool englishInterface);
QLocale GetUserLocale();

double MaxDouble(double a, double b);
double MinDouble(double a, double b);
// a / b * 100; 0 when b is 0.
double Percent(int a, int b);

// Hue, saturation and lightness (each 0..1) of the colour's three bytes, taken as they stand.
void ColorToHSL(TColor color, double& hue, double& saturation, double& lightness);
double ColorLightness(TColor color);
// Black for a light background, white for a dark one; system colours are resolved first.
TColor ContrastTextColor(TColor background);

// "h:mm:ss": hours without leading zero, minutes and seconds with two digits.
QString MsToTimeStr(int64_t ms);

// Minutes to add to local time to get UTC, now, in the system's time zone (-60 for Central
// European winter time).
int GetTimeZoneBias();
// The same for a given zone at a given moment.
int TimeZoneBias(const QTimeZone& zone, const QDateTime& at);

// Great-circle distance in metres between two points given in degrees (111.12 km per degree of
// arc); 0 for equal points.
double GeoDistance(double lat1, double lon1, double lat2, double lon2);

// "major.minor.release.build" of a file. Linux executables carry no version resource: the
// program's own executable gives the program's version, every other file "0".
QString GetFileVersionStr(const QString& fileName);

// ---------------------------------------------------------------------------------------------
// Flat popup menus.

// What the flat drawing needs of a menu item.
struct TFlatMenuItem {
    QString Caption;  // as stored, "&" marks the accelerator
    bool Enabled = true;
    bool Separator = false;
    QIcon Image;      // null: no image
};

// The item's picture. Qt actions carry their picture themselves, so the image list that the
// runtime searched through the parent items and the menu becomes the action's icon.
QIcon GetMenuItemImages(const QAction* item);
TFlatMenuItem FlatMenuItemOf(const QAction* item);

// Paints one item into `rect`: the selection (QStyle::State_Selected in `state`) bold on
// RGB(181, 190, 214) with a black frame; other items on RGB(255, 251, 247) with a 20-pixel image
// strip in the menu colour. The caption starts at left + 24, top + 3, in the painter's pen colour
// (the canvas's font colour). The painter's state is restored afterwards.
void DrawFlatMenuItem(const TFlatMenuItem& item, QPainter& canvas, const QRect& rect, QStyle::State state);
void DrawFlatMenuItem(const QAction* item, QPainter& canvas, const QRect& rect, QStyle::State state);
// Width: the caption's text width ("&" included) + 36; height: the given height + 2.
void MeasureFlatMenuItem(const TFlatMenuItem& item, const QFontMetrics& canvas, int& width, int& height);
void MeasureFlatMenuItem(const QAction* item, const QFontMetrics& canvas, int& width, int& height);

// Gives menus the flat look: menu items are measured and painted by the two routines above.
// Set it on a menu (menu->setStyle(...)) or on the application.
class FlatMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit FlatMenuStyle(QStyle* base = nullptr);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};
