#include "controls/flatinput.h"

#include "controls/framedrawing.h"

#include <QPainter>
#include <QWidget>

void TrackFlatInputMouse(QWidget* self, bool& mouseInControl, bool inside)
{
    if (self->isEnabled() && mouseInControl != inside) {
        mouseInControl = inside;
        self->update();
    }
}

void DrawFlatInputFrame(QPainter& p, const QRect& r, bool hot)
{
    const QColor face = ToQColor(clBtnFace);
    const QColor window = ToQColor(clWindow);
    QRect rr = r;
    if (hot) {
        rr = DrawEdge(p, rr, EdgeKind::SunkenOuter);
        FrameRect(p, rr, face);
    } else {
        FrameRect(p, rr, face);
        rr.adjust(1, 1, -1, -1);
        FrameRect(p, rr, face);
    }
    rr.adjust(1, 1, -1, -1);
    FrameRect(p, rr, window);
}

void TFlatInputColors::SetColor(QWidget* self, TColor value)
{
    color_ = value;
    parentColor_ = false;
    Apply(self);
}

void TFlatInputColors::SetParentColor(QWidget* self, bool value)
{
    parentColor_ = value;
    Apply(self);
}

TColor TFlatInputColors::Effective(const QWidget* self) const
{
    if (parentColor_ && self->parentWidget())
        return FromQColor(self->parentWidget()->palette().color(QPalette::Window));
    return ColorToRGB(color_);
}

void TFlatInputColors::EnabledChanged(QWidget* self, bool enabled)
{
    if (enabled) {
        color_ = savedColor_;
        parentColor_ = savedParentColor_;
    } else {
        savedParentColor_ = parentColor_;
        savedColor_ = color_;
        parentColor_ = true;
    }
    Apply(self);
}

void TFlatInputColors::Apply(QWidget* self) const
{
    QPalette pal = self->palette();
    const QColor c = ToQColor(Effective(self));
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Base, c);
    if (pal != self->palette())
        self->setPalette(pal);
    self->update();
}
