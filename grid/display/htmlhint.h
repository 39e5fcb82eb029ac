#pragma once
// The hint window of the grid's hints when they are marked up: a borderless tool-tip window that
// draws its text through the cell mark-up renderer, inside a one-pixel 3D frame.
#include <QRect>
#include <QString>
#include <QWidget>

class THTMLHintWindow : public QWidget {
    Q_OBJECT
public:
    explicit THTMLHintWindow(QWidget* parent = nullptr);

    const QString& Caption() const { return caption_; }
    // A new text repaints the window.
    void SetCaption(const QString& text);
    // The rectangle (at 0, 0) the text needs at most MaxWidth pixels wide.
    QRect CalcHintRect(int MaxWidth, const QString& Text) const;
    // Shows the text at the rectangle's place, sized to the text and kept on the screen.
    void ActivateHint(const QRect& Rect, const QString& Text);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString caption_;
};
