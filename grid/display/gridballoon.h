#pragma once
// The grid's balloon tool-tip: a borderless tool window with a title beside an icon (none,
// information, warning, error) over the text, in the balloon's colours, shown after its initial
// delay (or at the toolkit's tool-tip request), hidden again after its auto-hide delay.
#include <QString>
#include <QTimer>
#include <QWidget>

#include "platform/rtl/graphics.h"

class TGridBalloon : public QWidget {
    Q_OBJECT
public:
    explicit TGridBalloon(QWidget* parent = nullptr);

    // Icons as the balloons number them: 0 none, 1 information, 2 warning, 3 error.
    QString Title() const { return title_; }
    QString Text() const { return text_; }
    int Icon() const { return icon_; }
    // clNone keeps the tool-tip colours of the palette.
    void SetColors(TColor TextColor, TColor BackgroundColor);
    // Delays in milliseconds; -1 keeps the toolkit's own.
    void SetDelays(int Initial, int Reshow, int AutoHide);
    int InitialDelay() const { return initial_; }
    int ReshowDelay() const { return reshow_; }
    // 0 opaque .. 255 invisible.
    void SetTransparency(int Value);

    // Shows the balloon with its pointer at the global point; an icon outside 0 .. 3 is none.
    void Popup(const QPoint& At, const QString& Title, const QString& Text, int Icon);
    // Hides it at once.
    void Pop();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString title_;
    QString text_;
    int icon_ = 0;
    int initial_ = -1;
    int reshow_ = -1;
    int autoHide_ = -1;
    QTimer hideTimer_;
};
