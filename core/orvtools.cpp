#include "core/orvtools.h"

#include "core/language.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

#ifndef ORV_VERSION
#define ORV_VERSION "5.0.0"
#endif
#ifndef ORV_BUILD_NUMBER
#define ORV_BUILD_NUMBER 0
#endif

TFormatSettings GetGermanFormatSettings()
{
    return GermanFormatSettings();
}

TFormatSettings GetEnglishFormatSettings()
{
    return USFormatSettings();
}

namespace {

// The locale a name stands for; the C locale when no locale answers to it.
QLocale namedLocale(const QString& name)
{
    return name.isEmpty() ? QLocale::c() : QLocale(name);
}

QLocale interfaceLocale(bool englishInterface)
{
    return englishInterface ? QLocale(QLocale::English, QLocale::UnitedKingdom) : QLocale(QLocale::German, QLocale::Germany);
}

TFormatSettings interfaceFormats(bool englishInterface)
{
    return englishInterface ? UKFormatSettings() : GetGermanFormatSettings();
}

}  // namespace

TFormatSettings UserFormatSettingsFor(const QString& timeLocale, const QString& numericLocale, bool englishInterface)
{
    const QLocale time = namedLocale(timeLocale);
    const QLocale numeric = namedLocale(numericLocale);
    // A locale without a language would give ISO dates and English day names to the German
    // interface, and US formats to the English one: the interface language decides instead.
    TFormatSettings fs =
        time.language() == QLocale::C ? interfaceFormats(englishInterface) : LocaleFormatSettings(time);
    const TFormatSettings numbers =
        numeric.language() == QLocale::C ? interfaceFormats(englishInterface) : LocaleFormatSettings(numeric);
    fs.DecimalSeparator = numbers.DecimalSeparator;
    fs.ThousandSeparator = numbers.ThousandSeparator;
    return fs;
}

TFormatSettings UserFormatSettingsFor(const QLocale& desktop, bool englishInterface)
{
    const QString name = desktop.language() == QLocale::C ? QString() : desktop.name();
    return UserFormatSettingsFor(name, name, englishInterface);
}

TFormatSettings GetUserFormatSettings()
{
    return UserFormatSettingsFor(DesktopLocaleName("LC_TIME"), DesktopLocaleName("LC_NUMERIC"),
                                 LanguageModule() != nullptr);
}

QLocale UserLocaleFor(const QString& timeLocale, bool englishInterface)
{
    const QLocale time = namedLocale(timeLocale);
    return time.language() == QLocale::C ? interfaceLocale(englishInterface) : time;
}

QLocale GetUserLocale()
{
    return UserLocaleFor(DesktopLocaleName("LC_TIME"), LanguageModule() != nullptr);
}

double MaxDouble(double a, double b)
{
    return a >= b ? a : b;
}

double MinDouble(double a, double b)
{
    return b < a ? b : a;
}

double Percent(int a, int b)
{
    // Nothing sensible is a percentage of nothing: 0 rather than an infinite or undefined value.
    if (b == 0)
        return 0;
    return double(a) / double(b) * 100.0;
}

void ColorToHSL(TColor color, double& hue, double& saturation, double& lightness)
{
    const double r = RedOf(color) / 255.0;
    const double g = GreenOf(color) / 255.0;
    const double b = BlueOf(color) / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    lightness = (max + min) / 2;
    if (max == min) {
        hue = 0;
        saturation = 0;
        return;
    }
    const double d = max - min;
    saturation = lightness < 0.5 ? d / (max + min) : d / (2 - max - min);
    if (r == max)
        hue = (g - b) / d;
    else if (g == max)
        hue = 2 + (b - r) / d;
    else
        hue = 4 + (r - g) / d;
    hue /= 6;
    if (hue < 0)
        hue += 1;
}

double ColorLightness(TColor color)
{
    double h = 0, s = 0, l = 0;
    ColorToHSL(color, h, s, l);
    return l;
}

TColor ContrastTextColor(TColor background)
{
    // A system colour stands for the colour the desktop gives it, not for its own bits.
    const TColor rgb = ColorToRGB(background);
    // Pure blue and yellow lie exactly on the border like red and green, but the program has
    // always shown them with black text; stored colour choices were made with that look.
    if (ColorLightness(rgb) > 0.5 || rgb == 0xFF0000u || rgb == 0x00FFFFu)
        return clBlack;
    return clWhite;
}

QString MsToTimeStr(int64_t ms)
{
    // A negative duration is shown with its sign in front rather than inside the seconds.
    const QString sign = ms < 0 ? QStringLiteral("-") : QString();
    const uint64_t v = ms < 0 ? uint64_t(0) - uint64_t(ms) : uint64_t(ms);
    const uint64_t seconds = v / 1000;
    const uint64_t minutes = seconds / 60;
    return sign + QStringLiteral("%1:%2:%3")
                      .arg(minutes / 60)
                      .arg(minutes % 60, 2, 10, QLatin1Char('0'))
                      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

int TimeZoneBias(const QTimeZone& zone, const QDateTime& at)
{
    return -zone.offsetFromUtc(at) / 60;
}

int GetTimeZoneBias()
{
    return TimeZoneBias(QTimeZone::systemTimeZone(), QDateTime::currentDateTime());
}

double GeoDistance(double lat1, double lon1, double lat2, double lon2)
{
    if (lat1 == lat2 && lon1 == lon2)
        return 0;
    const long double rad = 3.14159265358979323846264338327950288L / 180.0L;
    const long double p1 = lat1 * rad;
    const long double p2 = lat2 * rad;
    long double a = std::sin(p1) * std::sin(p2)
                    + std::cos(p1) * std::cos(p2) * std::cos(std::fabs(lon1 - lon2) * rad);
    // Rounding can push the cosine of a tiny angle just past 1; the arc cosine of that would be
    // undefined for two equal points.
    a = std::clamp(a, -1.0L, 1.0L);
    const long double degrees = std::acos(a) / rad;
    return double(degrees * 111.12L * 1000.0L);
}

QString GetFileVersionStr(const QString& fileName)
{
    const QFileInfo file(fileName);
    if (!file.exists() || !QCoreApplication::instance())
        return QStringLiteral("0");
    const QFileInfo program(QCoreApplication::applicationFilePath());
    if (file.canonicalFilePath() != program.canonicalFilePath())
        return QStringLiteral("0");
    return QStringLiteral(ORV_VERSION ".%1").arg(ORV_BUILD_NUMBER);
}

// ---------------------------------------------------------------------------------------------
// Flat popup menus.

namespace {

constexpr int kStripWidth = 20;    // image strip at the item's left edge
constexpr int kCaptionLeft = 24;   // caption offset from the item's left edge
constexpr int kCaptionTop = 3;
constexpr int kImageSize = 16;     // the program's menu image lists hold 16 x 16 pictures

const QColor kSelectedFill(181, 190, 214);
const QColor kItemFill(255, 251, 247);
const QColor kDisabledSelectedText(0x80, 0x80, 0x80);
const QColor kDisabledText(0xC0, 0xC0, 0xC0);

QColor menuColor()
{
    return ToQColor(0xFF000004u);  // the system menu colour
}

void drawImage(const TFlatMenuItem& item, QPainter& canvas, const QRect& rect)
{
    if (item.Image.isNull())
        return;
    const QPixmap pm = item.Image.pixmap(QSize(kImageSize, kImageSize),
                                         item.Enabled ? QIcon::Normal : QIcon::Disabled);
    const QSize size = pm.deviceIndependentSize().toSize();
    const int x = rect.left() + (kStripWidth - size.width()) / 2;
    const int y = rect.top() + (rect.height() - size.height()) / 2;
    canvas.drawPixmap(x, y, pm);
}

// Draws the caption one character at a time; "&" is not drawn and underlines the next one.
void drawCaption(const QString& caption, QPainter& canvas, const QRect& rect)
{
    QFont font = canvas.font();
    font.setUnderline(false);
    const QFontMetrics metrics(font);
    const int baseline = rect.top() + kCaptionTop + metrics.ascent();
    QString drawn;
    bool underline = false;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            underline = true;
            continue;
        }
        // A character outside the basic plane is one glyph of two code units.
        const qsizetype len = caption[i].isHighSurrogate() && i + 1 < caption.size() ? 2 : 1;
        const QString ch = caption.mid(i, len);
        i += len - 1;
        QFont f = font;
        f.setUnderline(underline);
        canvas.setFont(f);
        canvas.drawText(rect.left() + kCaptionLeft + metrics.horizontalAdvance(drawn), baseline, ch);
        drawn += ch;
        underline = false;
    }
    canvas.setFont(font);
}

}  // namespace

QIcon GetMenuItemImages(const QAction* item)
{
    return item ? item->icon() : QIcon();
}

TFlatMenuItem FlatMenuItemOf(const QAction* item)
{
    TFlatMenuItem result;
    if (!item)
        return result;
    result.Caption = item->text();
    result.Enabled = item->isEnabled();
    result.Separator = item->isSeparator();
    result.Image = GetMenuItemImages(item);
    return result;
}

void DrawFlatMenuItem(const TFlatMenuItem& item, QPainter& canvas, const QRect& rect, QStyle::State state)
{
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    if (state & QStyle::State_Selected) {
        QFont bold = canvas.font();
        bold.setBold(true);
        canvas.setFont(bold);
        canvas.fillRect(rect, kSelectedFill);
        canvas.setPen(Qt::black);
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(rect.adjusted(0, 0, -1, -1));
        drawImage(item, canvas, rect);
        if (item.Enabled) {
            canvas.setPen(Qt::black);
        } else {
            bold.setBold(false);
            canvas.setFont(bold);
            canvas.setPen(kDisabledSelectedText);
        }
        drawCaption(item.Caption, canvas, rect);
        canvas.restore();
        return;
    }

    canvas.fillRect(rect, kItemFill);
    if (item.Separator) {
        const int y = rect.top() + rect.height() / 2;
        canvas.setPen(menuColor());
        canvas.drawLine(0, y, rect.right(), y);
    } else if (item.Enabled) {
        drawCaption(item.Caption, canvas, rect);
    } else {
        const QPen pen = canvas.pen();
        canvas.setPen(kDisabledText);
        drawCaption(item.Caption, canvas, rect);
        canvas.setPen(pen);
    }
    canvas.fillRect(QRect(rect.left(), rect.top(), kStripWidth - rect.left(), rect.height()), menuColor());
    drawImage(item, canvas, rect);
    canvas.restore();
}

void DrawFlatMenuItem(const QAction* item, QPainter& canvas, const QRect& rect, QStyle::State state)
{
    DrawFlatMenuItem(FlatMenuItemOf(item), canvas, rect, state);
}

void MeasureFlatMenuItem(const TFlatMenuItem& item, const QFontMetrics& canvas, int& width, int& height)
{
    width = canvas.horizontalAdvance(item.Caption) + 36;
    height += 2;
}

void MeasureFlatMenuItem(const QAction* item, const QFontMetrics& canvas, int& width, int& height)
{
    MeasureFlatMenuItem(FlatMenuItemOf(item), canvas, width, height);
}

// ---------------------------------------------------------------------------------------------

namespace {

TFlatMenuItem flatItemOf(const QStyleOptionMenuItem& opt)
{
    TFlatMenuItem item;
    // Qt appends the shortcut after a tab; the flat look shows the caption only.
    item.Caption = opt.text.section(QLatin1Char('\t'), 0, 0);
    item.Enabled = opt.state & QStyle::State_Enabled;
    item.Separator = opt.menuItemType == QStyleOptionMenuItem::Separator;
    item.Image = opt.icon;
    return item;
}

}  // namespace

FlatMenuStyle::FlatMenuStyle(QStyle* base) : QProxyStyle(base) {}

void FlatMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const
{
    const auto* opt = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !opt || opt->menuItemType == QStyleOptionMenuItem::EmptyArea) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    painter->save();
    painter->setFont(opt->font);
    painter->setPen(opt->palette.color(QPalette::WindowText));
    DrawFlatMenuItem(flatItemOf(*opt), *painter, opt->rect, opt->state);
    painter->restore();
    if (opt->menuItemType == QStyleOptionMenuItem::SubMenu) {
        // The desktop draws the sub-menu arrow beside an owner-drawn item; so do we.
        QStyleOption arrow = *opt;
        const int size = opt->rect.height() / 2;
        arrow.rect = QRect(opt->rect.right() - size - 4, opt->rect.top() + (opt->rect.height() - size) / 2,
                           size, size);
        arrow.palette.setColor(QPalette::ButtonText, Qt::black);
        proxy()->drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
    }
}

QSize FlatMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                      const QWidget* widget) const
{
    const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
    const auto* opt = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !opt || opt->menuItemType == QStyleOptionMenuItem::Separator)
        return base;
    int width = base.width();
    int height = base.height();
    MeasureFlatMenuItem(flatItemOf(*opt), QFontMetrics(opt->font), width, height);
    if (opt->menuItemType == QStyleOptionMenuItem::SubMenu)
        width += height;  // room for the arrow
    return QSize(width, height);
}
