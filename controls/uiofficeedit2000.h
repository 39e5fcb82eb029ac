#pragma once
// The flat edit box: with Flat set it draws a thin border that turns into a sunken edge while
// the mouse is over it or it has the focus, and a disabled box shows its parent's colour.
#include "controls/flatinput.h"

#include <QLineEdit>

#include <functional>

class TUiCustomEdit2000 : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
public:
    explicit TUiCustomEdit2000(QWidget* parent = nullptr);

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Ctl3D() const { return !flat_; }
    TColor Color() const { return colors_.Color(); }
    void SetColor(TColor value) { colors_.SetColor(this, value); }
    bool ParentColor() const { return colors_.ParentColor(); }
    void SetParentColor(bool value) { colors_.SetParentColor(this, value); }
    QString Text() const { return text(); }
    void SetText(const QString& value) { setText(value); }

    bool MouseInControl() const { return mouseInControl_; }
    // Hot: the mouse is over the control or it is the focused control.
    bool Hot() const { return mouseInControl_ || hasFocus(); }

    // Fired on every change of the text, by the user or by code.
    std::function<void(QObject* Sender)> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool flat_ = false;
    TFlatInputColors colors_;
    bool mouseInControl_ = false;
};

class TUiOfficeEdit2000 : public TUiCustomEdit2000 {
    Q_OBJECT
public:
    explicit TUiOfficeEdit2000(QWidget* parent = nullptr) : TUiCustomEdit2000(parent) {}
};
