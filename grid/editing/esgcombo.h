#pragma once
// The grid's combo editor: a combo box with its own flat look. Single-pixel frames in the
// parent's colour turn into a sunken border while the mouse is over the control or it has the
// focus (with FocusBorder); the drop-down button is drawn flat with a raised or etched edge, or
// themed (IsWinXP); the button width and the drop-down list's width are adjustable. The grid's
// combo cell editor and the custom-editor combo derive from TESGComboBox.
#include <QComboBox>
#include <QString>
#include <QStringList>

#include <functional>

#include "platform/rtl/graphics.h"
#include "platform/vcl/stdctrls.h"

class QPainter;

// The state of an item the owner draws.
enum TOwnerDrawStateFlag { odSelected = 0x1, odDisabled = 0x2, odFocused = 0x4, odComboBoxEdit = 0x8 };
using TOwnerDrawState = unsigned;

class TESGCustomCombo : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(bool AutoFocus READ AutoFocus WRITE SetAutoFocus)
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth)
    Q_PROPERTY(int Style READ StyleNumber WRITE SetStyleNumber)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool Etched READ Etched WRITE SetEtched)
    Q_PROPERTY(bool FocusBorder READ FocusBorder WRITE SetFocusBorder)
    Q_PROPERTY(int DropDownCount READ DropDownCount WRITE SetDropDownCount)
    Q_PROPERTY(int DropWidth READ DropWidth WRITE SetDropWidth)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
public:
    explicit TESGCustomCombo(QWidget* parent = nullptr);

    bool AutoFocus() const { return autoFocus_; }
    void SetAutoFocus(bool value) { autoFocus_ = value; }
    // Values outside 14..32 are ignored.
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    int StyleNumber() const { return int(style_); }
    void SetStyleNumber(int value) { SetStyle(TComboBoxStyle(value)); }
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // The opposite of Flat.
    bool Ctl3D() const { return !flat_; }
    bool Etched() const { return etched_; }
    void SetEtched(bool value);
    bool FocusBorder() const { return focusBorder_; }
    void SetFocusBorder(bool value);
    int DropDownCount() const { return maxVisibleItems(); }
    void SetDropDownCount(int value) { setMaxVisibleItems(value); }
    // Width of the drop-down list in pixels; 0 or less keeps the list's width as it is.
    int DropWidth() const { return dropWidth_; }
    void SetDropWidth(int value);
    int ItemHeight() const;
    void SetItemHeight(int value);
    QStringList Items() const;
    void SetItems(const QStringList& items);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    QString Text() const { return currentText(); }
    void SetText(const QString& value);
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int value) { setCurrentIndex(value); }
    // "major.minor.release.build"; writing is ignored.
    QString Version() const;
    void SetVersion(const QString&) {}
    // High word: major (high byte) and minor; low word: release and build.
    virtual unsigned GetVersionNr() const;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    // The colour the control shows: its parent's with ParentColor, else its own.
    TColor EffectiveColor() const;

    // Themed drop-down button; the grid sets it at creation.
    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool value);
    bool MouseInControl() const { return mouseIn_; }

    // The drop-down button's area.
    QRect ButtonRect() const;

    // OnChange: the user changed the text or chose an item; OnClick: the user chose an item.
    std::function<void(QObject* Sender)> OnChange;
    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender)> OnDblClick;
    // Just before the list drops down.
    std::function<void(QObject* Sender)> OnDropDown;
    std::function<void(QObject* Sender)> OnEnter;
    std::function<void(QObject* Sender)> OnExit;
    // Key 0 (in OnKeyDown) or #0 (in OnKeyPress) swallows the key.
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyUp;
    // The owner-drawn styles: an item drawn into Rect, and (variable style) an item's height.
    std::function<void(QObject* Sender, int Index, QPainter& Canvas, const QRect& Rect, TOwnerDrawState State)>
        OnDrawItem;
    std::function<void(QObject* Sender, int Index, int& Height)> OnMeasureItem;

    void showPopup() override;
    void hidePopup() override;

protected:
    // Hovered, or holding the focus.
    bool Active() const;
    // The drop-down button's face (themed, or the classic arrow button in ClassicDropButtonRect),
    // and its edge drawn with the borders.
    void DrawDropButton(QPainter& p);
    virtual QRect ClassicDropButtonRect() const;
    virtual void DrawDropButtonBorder(QPainter& p);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    friend class TESGComboDelegate;
    bool ownerDrawn() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
    void drawBorders(QPainter& p);
    void placeEditField();
    void applyColor();
    void sortItems();

    bool autoFocus_ = false;
    bool flat_ = true;
    bool etched_ = false;
    TColor savedColor_ = clWindow;
    bool savedParentColor_ = false;
    int buttonWidth_ = 0;
    bool focusBorder_ = false;
    bool mouseIn_ = false;
    int dropWidth_ = 0;
    bool isWinXP_ = false;
    TComboBoxStyle style_ = csDropDown;
    bool sorted_ = false;
    int itemHeight_ = 0;
    TColor color_ = clWindow;
    bool parentColor_ = false;
};

class TESGComboBox : public TESGCustomCombo {
    Q_OBJECT
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
public:
    explicit TESGComboBox(QWidget* parent = nullptr) : TESGCustomCombo(parent) {}
};
