#pragma once
// The flat combo box with type-ahead completion: while the user types into an editable combo
// box, the first item that begins with the typed text completes it; the completed rest stays
// selected so that the next key replaces it. With Flat set the box draws a thin border that
// turns into a sunken edge while the mouse is over it or it has the focus, and a flat
// drop-down button.
#include "controls/flatinput.h"
#include "platform/vcl/stdctrls.h"

#include <QComboBox>
#include <QString>
#include <QStringList>

#include <functional>

// The completion of typed text by the first item that begins with it, compared without case
// (umlauts included): the rest of that item in its own case. Returns false without a match.
bool FindCompletion(const QString& typed, const QStringList& items, QString& completeWith);

class TUiIECustomComboBox2000 : public QComboBox {
    Q_OBJECT
    // The properties a form file sets (the style as its number).
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool Complete READ Complete WRITE SetComplete)
    Q_PROPERTY(int MinLengthComplete READ MinLengthComplete WRITE SetMinLengthComplete)
    Q_PROPERTY(int Style READ StyleNumber WRITE SetStyleNumber)
public:
    explicit TUiIECustomComboBox2000(QWidget* parent = nullptr);

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Ctl3D() const { return !flat_; }
    bool Complete() const { return complete_; }
    void SetComplete(bool value) { complete_ = value; }
    int MinLengthComplete() const { return minLengthComplete_; }
    void SetMinLengthComplete(int value) { minLengthComplete_ = value; }
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    int StyleNumber() const { return int(style_); }
    void SetStyleNumber(int value) { SetStyle(TComboBoxStyle(value)); }
    TColor Color() const { return colors_.Color(); }
    void SetColor(TColor value) { colors_.SetColor(this, value); }
    bool ParentColor() const { return colors_.ParentColor(); }
    void SetParentColor(bool value) { colors_.SetParentColor(this, value); }

    QString Text() const { return currentText(); }
    void SetText(const QString& value);
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int value) { setCurrentIndex(value); }
    QStringList Items() const;
    // The selection of the edit field (0 and 0 for a list-only box).
    int SelStart() const;
    int SelLength() const;

    int LastKey() const { return lastKey_; }
    bool MouseInControl() const { return mouseInControl_; }
    int ButtonWidth() const { return buttonWidth_; }
    bool ButtonPressed() const { return (buttonState_ & 1) != 0; }
    // Hot: the mouse is over the control or it is the focused control.
    bool Hot() const;

    // The change handling: OnChange, then the completion of the typed text.
    void Change();

    std::function<void(QObject* Sender)> OnChange;
    // Just before the list drops down (the owner may refill it).
    std::function<void(QObject* Sender)> OnDropDown;
    // Key may be changed (0 swallows it) before the box handles it.
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    // Called with the completion found; may change CompleteWith or refuse it through DoComplete.
    std::function<void(QObject* Sender, int Key, QString& CompleteWith, bool& DoComplete)> OnComplete;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showPopup() override;
    void hidePopup() override;

private:
    void DoCompletion();
    void PlaceEditField();
    QRect ButtonRect() const;
    void TrackButton(const QPoint& pt);

    bool flat_ = false;
    bool complete_ = true;
    int minLengthComplete_ = 0;
    TComboBoxStyle style_ = csDropDown;
    TFlatInputColors colors_;
    bool mouseInControl_ = false;
    int buttonWidth_ = 0;
    int buttonState_ = 0;  // bit 0: pressed, bit 1: tracking
    int lastKey_ = 0;
};

class TUiIECombobox2000 : public TUiIECustomComboBox2000 {
    Q_OBJECT
public:
    explicit TUiIECombobox2000(QWidget* parent = nullptr) : TUiIECustomComboBox2000(parent) {}
};
