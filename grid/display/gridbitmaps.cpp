// The grid library's named bitmaps, drawn by the library itself at their sizes: the XP and Vantor
// check boxes and radio buttons, the leaf and XP node glyphs and the filter glyph. Each is drawn
// once on a transparent background and kept.
#include "grid/display/gridbitmaps.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kFrame(28, 81, 128);      // the XP control frame
const QColor kFrameOff(202, 200, 187);  // ... disabled
const QColor kTick(33, 161, 33);
const QColor kTickOff(202, 200, 187);

QPixmap blank(int w, int h)
{
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

void tick(QPainter& p, const QRectF& box, const QColor& color, qreal width)
{
    QPen pen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    const qreal x = box.left();
    const qreal y = box.top();
    const qreal s = box.width();
    p.drawPolyline(QPolygonF({QPointF(x + s * 0.22, y + s * 0.52), QPointF(x + s * 0.42, y + s * 0.72),
                              QPointF(x + s * 0.78, y + s * 0.28)}));
}

// The panning mark: a white disc with a dot and the arrows of the axes it pans.
QPixmap panMark(bool horizontal, bool vertical)
{
    QPixmap pm = blank(32, 32);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(14, 14, 4, 4));
    auto tri = [&](QPointF a, QPointF b, QPointF c) { p.drawPolygon(QPolygonF({a, b, c})); };
    if (vertical) {
        tri({16, 4}, {11, 10}, {21, 10});
        tri({16, 28}, {11, 22}, {21, 22});
    }
    if (horizontal) {
        tri({4, 16}, {10, 11}, {10, 21});
        tri({28, 16}, {22, 11}, {22, 21});
    }
    return pm;
}

// A check box: a frame with a light fill, ticked when checked, greyed when disabled.
QPixmap checkBox(int size, bool checked, bool enabled, bool vantor)
{
    QPixmap pm = blank(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1.5, 1.5, size - 3, size - 3);
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, enabled ? QColor(220, 220, 215) : QColor(245, 244, 234));
    fill.setColorAt(1, enabled ? Qt::white : QColor(245, 244, 234));
    p.setBrush(fill);
    p.setPen(QPen(enabled ? (vantor ? QColor(90, 90, 90) : kFrame) : kFrameOff, 1));
    if (vantor)
        p.drawRoundedRect(box, 3, 3);
    else
        p.drawRect(box);
    if (checked)
        tick(p, box, enabled ? (vantor ? QColor(40, 40, 40) : kTick) : kTickOff, size / 8.0);
    return pm;
}

// A radio button: a circle with a dot when on.
QPixmap radio(int size, bool on, bool enabled, bool vantor)
{
    QPixmap pm = blank(size, size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1.5, 1.5, size - 3, size - 3);
    QRadialGradient fill(box.center(), box.width() / 2);
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(1, enabled ? QColor(215, 215, 205) : QColor(245, 244, 234));
    p.setBrush(fill);
    p.setPen(QPen(enabled ? (vantor ? QColor(90, 90, 90) : kFrame) : kFrameOff, 1));
    p.drawEllipse(box);
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(enabled ? (vantor ? QColor(40, 40, 40) : kTick) : kTickOff);
        p.drawEllipse(box.center(), box.width() / 4.5, box.height() / 4.5);
    }
    return pm;
}

// The XP node box: a framed square with a minus (expanded) or a plus (contracted).
QPixmap xpNode(bool open)
{
    QPixmap pm = blank(9, 9);
    QPainter p(&pm);
    p.setPen(QColor(148, 148, 148));
    p.setBrush(Qt::white);
    p.drawRect(0, 0, 8, 8);
    p.setPen(Qt::black);
    p.drawLine(2, 4, 6, 4);
    if (!open)
        p.drawLine(4, 2, 4, 6);
    return pm;
}

// A leaf: a folder, open or closed.
QPixmap leaf(bool open)
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(245, 205, 95));
    p.drawRect(QRectF(1.5, 4.5, 12, 9));
    p.drawRect(QRectF(1.5, 3.5, 5, 2));
    if (open) {
        p.setBrush(QColor(252, 228, 150));
        p.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
    }
    return pm;
}

// The filter glyph: a funnel.
QPixmap funnel()
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(120, 120, 120));
    p.drawPolygon(QPolygonF({QPointF(3, 4), QPointF(13, 4), QPointF(9, 9), QPointF(9, 13), QPointF(7, 13), QPointF(7, 9)}));
    return pm;
}

// A 16 by 16 arrow pointing down (find next) or up (find previous), grey when disabled.
QPixmap searchArrow(bool down, bool disabled)
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(disabled ? QColor(160, 160, 160) : QColor(32, 96, 192));
    QPolygonF arrow;
    arrow << QPointF(6, 2) << QPointF(10, 2) << QPointF(10, 8) << QPointF(14, 8) << QPointF(8, 14) << QPointF(2, 8)
          << QPointF(6, 8);
    if (!down)
        for (QPointF& pt : arrow)
            pt.setY(16 - pt.y());
    p.drawPolygon(arrow);
    return pm;
}

// The 12 by 12 close cross: dark, red under the pointer, grey when disabled.
QPixmap closeCross(bool hot, bool disabled)
{
    QPixmap pm = blank(12, 12);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = disabled ? QColor(160, 160, 160) : hot ? QColor(200, 32, 32) : QColor(64, 64, 64);
    p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2.5, 2.5), QPointF(9.5, 9.5));
    p.drawLine(QPointF(9.5, 2.5), QPointF(2.5, 9.5));
    return pm;
}

// The 16 by 16 highlight mark: a marker stroke over a line of text.
QPixmap highlightMark(bool disabled)
{
    QPixmap pm = blank(16, 16);
    QPainter p(&pm);
    p.fillRect(QRect(1, 5, 14, 6), disabled ? QColor(210, 210, 210) : QColor(255, 230, 0));
    p.setPen(QPen(disabled ? QColor(160, 160, 160) : QColor(0, 0, 0), 1));
    for (int x = 3; x <= 12; x += 3)
        p.drawLine(x, 8, x + 1, 8);
    return pm;
}

QPixmap draw(const QString& name)
{
    // ESGCHK01..04: Vantor 20 x 20; 05..08: XP 16 x 16 (checked, unchecked, checked disabled,
    // unchecked disabled). ESGRAD01..08 likewise, all 16 x 16.
    if (name.startsWith(QLatin1String("ESGCHK")) || name.startsWith(QLatin1String("ESGRAD"))) {
        bool ok = false;
        const int n = name.mid(6).toInt(&ok);
        if (!ok || n < 1 || n > 8)
            return QPixmap();
        const bool vantor = n <= 4;
        const int k = (n - 1) % 4;
        const bool on = k == 0 || k == 2;
        const bool enabled = k < 2;
        if (name.startsWith(QLatin1String("ESGCHK")))
            return checkBox(vantor ? 20 : 16, on, enabled, vantor);
        return radio(16, on, enabled, vantor);
    }
    if (name == QLatin1String("XPNODEO") || name == QLatin1String("XPNODEC"))
        return xpNode(name.endsWith(QLatin1Char('O')));
    if (name == QLatin1String("ESGLEAFOPEN") || name == QLatin1String("ESGLEAFCLOSE"))
        return leaf(name == QLatin1String("ESGLEAFOPEN"));
    if (name == QLatin1String("ESGFILT"))
        return funnel();
    // The search panel's glyphs; the names ending in "D" are their disabled forms, "ESGCLOSEH"
    // the close cross under the pointer.
    if (name == QLatin1String("ESGARDOWN") || name == QLatin1String("ESGARDOWND"))
        return searchArrow(true, name == QLatin1String("ESGARDOWND"));
    if (name == QLatin1String("ESGARUP") || name == QLatin1String("ESGARUPD"))
        return searchArrow(false, name == QLatin1String("ESGARUPD"));
    if (name == QLatin1String("ESGCLOSE") || name == QLatin1String("ESGCLOSEH") || name == QLatin1String("ESGCLOSED"))
        return closeCross(name == QLatin1String("ESGCLOSEH"), name == QLatin1String("ESGCLOSED"));
    if (name == QLatin1String("ESGHI") || name == QLatin1String("ESGHID"))
        return highlightMark(name == QLatin1String("ESGHID"));
    if (name == QLatin1String("INTLI1"))
        return panMark(true, true);
    if (name == QLatin1String("INTLI2"))
        return panMark(true, false);
    if (name == QLatin1String("INTLI3"))
        return panMark(false, true);
    return QPixmap();
}

}  // namespace

QPixmap DrawnGridBitmap(const QString& name)
{
    static QHash<QString, QPixmap> drawn;
    const auto it = drawn.constFind(name);
    if (it != drawn.constEnd())
        return *it;
    const QPixmap pm = draw(name);
    drawn.insert(name, pm);
    return pm;
}

namespace {

// A filled arrow of the given direction in a 32 by 32 cursor, outlined in white so that it shows
// on dark cells; the hot spot is its tip.
QCursor arrowCursor(bool right)
{
    QPixmap pm = blank(32, 32);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF arrow;
    // Drawn pointing down, turned for right.
    arrow << QPointF(12, 2) << QPointF(20, 2) << QPointF(20, 14) << QPointF(26, 14) << QPointF(16, 28)
          << QPointF(6, 14) << QPointF(12, 14);
    if (right) {
        for (QPointF& pt : arrow)
            pt = QPointF(pt.y(), pt.x());
    }
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::black);
    p.drawPolygon(arrow);
    p.end();
    return right ? QCursor(pm, 28, 16) : QCursor(pm, 16, 28);
}

// A panning cursor: the mark with one arrow drawn heavy toward the direction (none at rest).
QCursor panCursor(int id)
{
    QPixmap pm = panMark(true, true);
    if (id > 8000) {
        static const QPointF tips[] = {{16, 1}, {27, 5}, {31, 16}, {27, 27}, {16, 31}, {5, 27}, {1, 16}, {5, 5}};
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 0, 160), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 16), tips[id - 8001]);
    }
    return QCursor(pm, 16, 16);
}

QCursor crossCursor()
{
    QPixmap pm = blank(32, 32);
    QPainter p(&pm);
    p.setPen(QPen(Qt::white, 4));
    p.drawLine(16, 4, 16, 28);
    p.drawLine(4, 16, 28, 16);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(16, 4, 16, 28);
    p.drawLine(4, 16, 28, 16);
    p.end();
    return QCursor(pm, 16, 16);
}

}  // namespace

QCursor GridCursor(int id)
{
    // Drawn once; kept for the program's life (a pixmap must not outlive the application's end
    // in a static destructor).
    static auto* cursors = new QHash<int, QCursor>;
    if (auto it = cursors->constFind(id); it != cursors->constEnd())
        return *it;
    QCursor c;
    switch (id) {
    case 8010: c = arrowCursor(true); break;
    case 8011: c = arrowCursor(false); break;
    case 8012: c = crossCursor(); break;
    default:
        if (id < 8000 || id > 8008)
            return QCursor(Qt::ArrowCursor);
        c = panCursor(id);
        break;
    }
    cursors->insert(id, c);
    return c;
}

int PanCursorId(int dx, int dy)
{
    // Clockwise from up, as the cursors are numbered.
    static const int ids[3][3] = {{8008, 8007, 8006}, {8001, 8000, 8005}, {8002, 8003, 8004}};
    return ids[dx + 1][dy + 1];
}
