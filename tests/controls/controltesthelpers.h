#pragma once
// Input and screenshot helpers of the flat-control tests: mouse and hover events sent straight
// to a widget, pixel colours as the controls' colour values, and rendered images saved under
// /tmp/controls-shots for a person to look at.
#include "controls/colorutils.h"

#include <QCoreApplication>
#include <QDir>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include "tests/support/qstringprinter.h"

namespace controltest {

inline void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                  : type == QEvent::MouseMove        ? Qt::MouseButtons(button)
                                                                     : Qt::MouseButtons(button);
    QMouseEvent ev(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), type == QEvent::MouseMove ? Qt::NoButton : button,
                   held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &ev);
}
inline void press(QWidget* w, QPoint pos = QPoint(2, 2)) { mouse(w, QEvent::MouseButtonPress, pos); }
inline void release(QWidget* w, QPoint pos = QPoint(2, 2)) { mouse(w, QEvent::MouseButtonRelease, pos); }
inline void move(QWidget* w, QPoint pos) { mouse(w, QEvent::MouseMove, pos); }
inline void click(QWidget* w, QPoint pos = QPoint(2, 2))
{
    press(w, pos);
    release(w, pos);
}

inline void enter(QWidget* w)
{
    QEnterEvent ev(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
    QCoreApplication::sendEvent(w, &ev);
}
inline void leave(QWidget* w)
{
    QEvent ev(QEvent::Leave);
    QCoreApplication::sendEvent(w, &ev);
}

inline void key(QWidget* w, int k, const QString& text = QString())
{
    QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &up);
}
// Types each character of text as a key press.
inline void type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        const int k = c.isLetter() ? int(c.toUpper().unicode()) : int(c.unicode());
        key(w, k, QString(c));
    }
}

// The widget rendered as an image (no display needed).
inline QImage render(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
inline TColor pixel(const QImage& img, int x, int y)
{
    return FromQColor(QColor::fromRgb(img.pixel(x, y)));
}

// Saves a rendered widget, scaled up so that single pixels can be seen.
inline QString saveShot(QWidget* w, const QString& name, int scale = 3)
{
    QDir().mkpath(QStringLiteral("/tmp/controls-shots"));
    const QImage img = render(w);
    const QString file = QStringLiteral("/tmp/controls-shots/%1.png").arg(name);
    img.scaled(img.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(file);
    return file;
}

}  // namespace controltest
