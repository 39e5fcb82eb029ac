#include "grid/display/htmlhint.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "grid/display/esghtmle.h"
#include "grid/display/gridcanvas.h"

namespace {

THTMLDrawResult measure(const QFont& font, const QString& text, int width)
{
    QImage scratch(1, 1, QImage::Format_ARGB32);
    QPainter painter(&scratch);
    QPainterCanvas canvas(painter);
    canvas.Font = font;
    THTMLDrawInput in;
    in.Rect = QRect(0, 0, width, 65535);
    in.MeasureOnly = true;
    in.WordWrap = true;
    return DrawHTMLText(canvas, text, in);
}

}  // namespace

THTMLHintWindow::THTMLHintWindow(QWidget* parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint) {}

void THTMLHintWindow::SetCaption(const QString& text)
{
    caption_ = text;
    update();
}

QRect THTMLHintWindow::CalcHintRect(int MaxWidth, const QString& Text) const
{
    const THTMLDrawResult r = measure(font(), Text, MaxWidth);
    return QRect(0, 0, r.XSize + 12, r.YSize + 6);
}

void THTMLHintWindow::ActivateHint(const QRect& Rect, const QString& Text)
{
    SetCaption(Text);
    const THTMLDrawResult r = measure(font(), Text, std::max(Rect.width(), 50));
    QRect place(Rect.topLeft(), QSize(r.XSize + 12, r.YSize + 6));
    if (const QScreen* screen = QGuiApplication::screenAt(Rect.topLeft())) {
        const QRect avail = screen->availableGeometry();
        place.moveRight(std::min(place.right(), avail.right()));
        place.moveBottom(std::min(place.bottom(), avail.bottom()));
        place.moveLeft(std::max(place.left(), avail.left()));
        place.moveTop(std::max(place.top(), avail.top()));
    }
    setGeometry(place);
    show();
}

void THTMLHintWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPainterCanvas canvas(painter);
    canvas.Brush = TGridBrush{FromQColor(palette().color(QPalette::ToolTipBase)), bsSolid};
    canvas.FillRect(rect());
    const int r = width() - 1;
    const int b = height() - 1;
    canvas.Pen = TGridPen{cl3DLight, 1, Qt::SolidLine};
    canvas.Polyline({{0, b}, {0, 0}, {r, 0}});
    canvas.Pen = TGridPen{cl3DDkShadow, 1, Qt::SolidLine};
    canvas.Polyline({{r, 0}, {r, b}, {0, b}});
    canvas.Font = font();
    canvas.FontColor = FromQColor(palette().color(QPalette::ToolTipText));
    const THTMLDrawResult m = measure(font(), caption_, width() - 8);
    THTMLDrawInput in;
    in.Rect = QRect(4, (height() - m.YSize) / 2, width() - 8, m.YSize);
    in.WordWrap = true;
    canvas.Brush.Style = bsClear;
    DrawHTMLText(canvas, caption_, in);
}
