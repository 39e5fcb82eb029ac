// The visual-styles stand-in: theme classes drawn through the window's QStyle while a theme is
// declared.
#include "grid/display/extxpvs.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

#include "platform/vcl/visualstyle.h"

using namespace themepart;

enum class ThemeClass { Button, ComboBox, Header, Progress, Spin };

struct TThemeData {
    ThemeClass cls;
    QPointer<QWidget> window;
};

namespace {

struct LibraryState {
    bool loaded = false;
    bool missing = false;
    bool systemSupports = false;
};

LibraryState& state()
{
    static LibraryState s;
    return s;
}

QStyle* styleOf(HTHEME theme)
{
    return theme->window ? theme->window->style() : QApplication::style();
}

QPalette paletteOf(HTHEME theme)
{
    return theme->window ? theme->window->palette() : QApplication::palette();
}

// The QStyle state of a normal / hot / pressed / disabled state number (1..4, cycling).
QStyle::State interaction(int stateNumber)
{
    switch ((stateNumber - 1) % 4) {
    case 1: return QStyle::State_Enabled | QStyle::State_MouseOver | QStyle::State_Raised;
    case 2: return QStyle::State_Enabled | QStyle::State_Sunken;
    case 3: return QStyle::State_None;
    default: return QStyle::State_Enabled | QStyle::State_Raised;
    }
}

void initOption(QStyleOption& opt, HTHEME theme, const QRect& rect, QStyle::State st)
{
    if (theme->window)
        opt.initFrom(theme->window);
    opt.rect = rect;
    opt.palette = paletteOf(theme);
    opt.state = st;
}

// The highest state number each part takes.
int lastState(ThemeClass cls, int part)
{
    switch (cls) {
    case ThemeClass::Button:
        return part == BP_PUSHBUTTON ? 5 : part == BP_RADIOBUTTON ? 8 : part == BP_CHECKBOX ? 12 : 0;
    case ThemeClass::ComboBox: return part == CP_DROPDOWNBUTTON ? 4 : 0;
    case ThemeClass::Header: return part == HP_HEADERITEM ? 3 : 0;
    case ThemeClass::Progress: return part == PP_BAR || part == PP_CHUNK ? 1 : 0;
    case ThemeClass::Spin: return part >= SPNP_UP && part <= SPNP_DOWNHORZ ? 4 : 0;
    }
    return 0;
}

void drawButtonPanel(HTHEME theme, QPainter& p, const QRect& rect, QStyle::State st, QStyle::PrimitiveElement arrow)
{
    QStyleOptionButton opt;
    initOption(opt, theme, rect, st);
    styleOf(theme)->drawPrimitive(QStyle::PE_PanelButtonBevel, &opt, &p, theme->window);
    QStyleOption arrowOpt;
    initOption(arrowOpt, theme, rect.adjusted(3, 3, -3, -3), st);
    styleOf(theme)->drawPrimitive(arrow, &arrowOpt, &p, theme->window);
}

void drawPart(HTHEME theme, QPainter& p, int part, int stateNumber, const QRect& rect)
{
    QStyle* style = styleOf(theme);
    QWidget* w = theme->window;
    switch (theme->cls) {
    case ThemeClass::Button: {
        QStyleOptionButton opt;
        QStyle::State st = interaction(stateNumber);
        if (part == BP_PUSHBUTTON) {
            if (stateNumber == PBS_DEFAULTED)
                opt.features |= QStyleOptionButton::DefaultButton;
            initOption(opt, theme, rect, st);
            style->drawPrimitive(QStyle::PE_PanelButtonCommand, &opt, &p, w);
            return;
        }
        const int group = (stateNumber - 1) / 4;  // 0 unchecked, 1 checked, 2 mixed
        st |= group == 0 ? QStyle::State_Off : group == 1 ? QStyle::State_On : QStyle::State_NoChange;
        initOption(opt, theme, rect, st);
        style->drawPrimitive(part == BP_CHECKBOX ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton,
                             &opt, &p, w);
        return;
    }
    case ThemeClass::ComboBox:
        drawButtonPanel(theme, p, rect, interaction(stateNumber), QStyle::PE_IndicatorArrowDown);
        return;
    case ThemeClass::Header: {
        QStyleOptionHeader opt;
        initOption(opt, theme, rect, interaction(stateNumber) | QStyle::State_Horizontal);
        style->drawControl(QStyle::CE_HeaderSection, &opt, &p, w);
        return;
    }
    case ThemeClass::Progress: {
        QStyleOptionProgressBar opt;
        initOption(opt, theme, rect, QStyle::State_Enabled | QStyle::State_Horizontal);
        opt.minimum = 0;
        opt.maximum = 1;
        opt.progress = part == PP_CHUNK ? 1 : 0;
        style->drawControl(part == PP_CHUNK ? QStyle::CE_ProgressBarContents : QStyle::CE_ProgressBarGroove, &opt, &p,
                           w);
        return;
    }
    case ThemeClass::Spin: {
        static const QStyle::PrimitiveElement arrows[] = {QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown,
                                                          QStyle::PE_IndicatorArrowRight,
                                                          QStyle::PE_IndicatorArrowLeft};
        drawButtonPanel(theme, p, rect, interaction(stateNumber), arrows[part - 1]);
        return;
    }
    }
}

}  // namespace

void LoadXPVS()
{
    LibraryState& s = state();
    if (!s.loaded && !s.missing)
        s.loaded = true;
}

void UnloadXPVS()
{
    state().loaded = false;
}

bool XPVSLoaded()
{
    return state().loaded;
}

void SetThemeLibraryMissing(bool missing)
{
    state().missing = missing;
}

bool SystemSupportsVisualStyles()
{
    return state().systemSupports;
}

void SetSystemSupportsVisualStyles(bool supported)
{
    state().systemSupports = supported;
}

int IsThemeActive()
{
    return state().loaded && ActiveVisualStyle().has_value() ? 1 : 0;
}

int IsAppThemed()
{
    return IsThemeActive();
}

bool ThemedDrawing()
{
    return SystemSupportsVisualStyles() && IsThemeActive() != 0;
}

bool GetCurrentThemeName(QString& fileName, QString& colorName, QString& sizeName)
{
    const std::optional<QString> variant = ActiveVisualStyle();
    if (!state().loaded || !variant)
        return false;
    fileName = QApplication::style()->name();
    colorName = *variant;
    sizeName = QStringLiteral("NormalSize");
    return true;
}

HTHEME OpenThemeData(QWidget* window, const QString& classList)
{
    if (!IsThemeActive())
        return nullptr;
    static const struct {
        const char* name;
        ThemeClass cls;
    } classes[] = {{"button", ThemeClass::Button},
                   {"combobox", ThemeClass::ComboBox},
                   {"header", ThemeClass::Header},
                   {"progress", ThemeClass::Progress},
                   {"spin", ThemeClass::Spin}};
    for (const QString& name : classList.split(QLatin1Char(';'))) {
        for (const auto& c : classes)
            if (name.trimmed().compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return new TThemeData{c.cls, window};
    }
    return nullptr;
}

void CloseThemeData(HTHEME theme)
{
    delete theme;
}

QString ThemeClassName(HTHEME theme)
{
    if (!theme)
        return QString();
    switch (theme->cls) {
    case ThemeClass::Button: return QStringLiteral("button");
    case ThemeClass::ComboBox: return QStringLiteral("combobox");
    case ThemeClass::Header: return QStringLiteral("header");
    case ThemeClass::Progress: return QStringLiteral("progress");
    case ThemeClass::Spin: return QStringLiteral("spin");
    }
    return QString();
}

bool IsThemePartDefined(HTHEME theme, int part, int stateNumber)
{
    return theme && stateNumber >= 1 && stateNumber <= lastState(theme->cls, part);
}

bool DrawThemeBackground(HTHEME theme, QPainter& painter, int part, int stateNumber, const QRect& rect,
                         const QRect* clip)
{
    if (!IsThemePartDefined(theme, part, stateNumber))
        return false;
    painter.save();
    if (clip)
        painter.setClipRect(*clip, Qt::IntersectClip);
    drawPart(theme, painter, part, stateNumber, rect);
    painter.restore();
    return true;
}

bool DrawThemeText(HTHEME theme, QPainter& painter, int part, int stateNumber, const QString& text, int alignment,
                   const QRect& rect)
{
    if (!IsThemePartDefined(theme, part, stateNumber))
        return false;
    const bool disabled = (interaction(stateNumber) & QStyle::State_Enabled) == 0;
    painter.save();
    painter.setPen(paletteOf(theme).color(disabled ? QPalette::Disabled : QPalette::Active,
                                          theme->cls == ThemeClass::Button ? QPalette::ButtonText
                                                                           : QPalette::WindowText));
    painter.drawText(rect, alignment, text);
    painter.restore();
    return true;
}

bool GetThemeBackgroundContentRect(HTHEME theme, int part, int stateNumber, const QRect& bounds, QRect& content)
{
    if (!IsThemePartDefined(theme, part, stateNumber))
        return false;
    const int frame = std::max(1, styleOf(theme)->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, theme->window));
    content = bounds.adjusted(frame, frame, -frame, -frame);
    return true;
}

TColor GetThemeSysColor(HTHEME /*theme*/, int colorIndex)
{
    return ColorToRGB(0xFF000000u | TColor(colorIndex & 0xFF));
}
