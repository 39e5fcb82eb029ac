#include "grid/display/gridballoon.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int kMargin = 8;
constexpr int kTail = 10;   // the pointer's height below the body
constexpr int kIcon = 16;
constexpr int kMaxWidth = 300;

QStyle::StandardPixmap iconPixmap(int icon)
{
    switch (icon) {
    case 1: return QStyle::SP_MessageBoxInformation;
    case 2: return QStyle::SP_MessageBoxWarning;
    default: return QStyle::SP_MessageBoxCritical;
    }
}

}  // namespace

TGridBalloon::TGridBalloon(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &TGridBalloon::Pop);
}

void TGridBalloon::SetColors(TColor TextColor, TColor BackgroundColor)
{
    QPalette p = palette();
    if (TextColor != clNone)
        p.setColor(QPalette::ToolTipText, ToQColor(TextColor));
    if (BackgroundColor != clNone)
        p.setColor(QPalette::ToolTipBase, ToQColor(BackgroundColor));
    setPalette(p);
}

void TGridBalloon::SetDelays(int Initial, int Reshow, int AutoHide)
{
    initial_ = Initial;
    reshow_ = Reshow;
    autoHide_ = AutoHide;
}

void TGridBalloon::SetTransparency(int Value)
{
    setWindowOpacity(double(255 - std::clamp(Value, 0, 255)) / 255.0);
}

QSize TGridBalloon::sizeHint() const
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics titleMetrics(bold);
    const QFontMetrics textMetrics(font());
    const int titleWidth = (icon_ ? kIcon + 4 : 0) + titleMetrics.horizontalAdvance(title_);
    const QRect text = textMetrics.boundingRect(QRect(0, 0, kMaxWidth, 10000), Qt::TextWordWrap, text_);
    const int titleHeight = std::max(icon_ ? kIcon : 0, titleMetrics.height());
    return QSize(std::max({titleWidth, text.width(), 2 * kTail}) + 2 * kMargin,
                 titleHeight + 4 + text.height() + 2 * kMargin + kTail);
}

void TGridBalloon::Popup(const QPoint& At, const QString& Title, const QString& Text, int Icon)
{
    title_ = Title;
    text_ = Text;
    icon_ = Icon < 0 || Icon > 3 ? 0 : Icon;
    const QSize size = sizeHint();
    // The pointer sits at the body's lower left; the body stays on the screen.
    QRect place(QPoint(At.x() - kTail, At.y() - size.height()), size);
    if (const QScreen* screen = QGuiApplication::screenAt(At)) {
        const QRect avail = screen->availableGeometry();
        place.moveLeft(std::clamp(place.left(), avail.left(), std::max(avail.left(), avail.right() - size.width())));
        place.moveTop(std::max(place.top(), avail.top()));
    }
    setGeometry(place);
    update();
    show();
    raise();
    hideTimer_.start(autoHide_ >= 0 ? autoHide_ : 5000);
}

void TGridBalloon::Pop()
{
    hideTimer_.stop();
    hide();
}

void TGridBalloon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(0.5, 0.5, width() - 1.0, height() - kTail - 1.0);
    QPainterPath path;
    path.addRoundedRect(body, 6, 6);
    QPainterPath tail;
    tail.moveTo(kTail * 1.0, body.bottom() - 1);
    tail.lineTo(kTail * 1.0, height() - 0.5);
    tail.lineTo(kTail * 2.0, body.bottom() - 1);
    tail.closeSubpath();
    path = path.united(tail);
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.setBrush(palette().color(QPalette::ToolTipBase));
    painter.drawPath(path);

    int x = kMargin;
    int y = kMargin;
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics titleMetrics(bold);
    const int titleHeight = std::max(icon_ ? kIcon : 0, titleMetrics.height());
    if (icon_) {
        painter.drawPixmap(x, y + (titleHeight - kIcon) / 2, style()->standardIcon(iconPixmap(icon_)).pixmap(kIcon, kIcon));
        x += kIcon + 4;
    }
    painter.setFont(bold);
    painter.drawText(QRect(x, y, width() - x - kMargin, titleHeight), Qt::AlignVCenter | Qt::AlignLeft, title_);
    painter.setFont(font());
    y += titleHeight + 4;
    painter.drawText(QRect(kMargin, y, width() - 2 * kMargin, body.bottom() - y - kMargin + 1),
                     Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text_);
}
