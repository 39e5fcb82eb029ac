#pragma once
// The edit with a push button at its right edge (TEsgEditBtn) and the unit edit (TEsgUnitEditBtn),
// which shows a unit of measure between the value and the button and lets the user pick the unit
// from a menu under the button. The button is a TExtSpeedButton (flat, classic or themed drawing,
// the caption at the top left) in a small holder, TEsgEditButton. The grid's edit-with-button and
// unit cell editors derive from the two edits; the wide edit with a button is TEsgUniEditBtn
// (esguni.h).
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QToolButton>

#include <functional>

#include "grid/editing/editorlineedit.h"



// A speed button drawn by the grid: themed (IsWinXP), flat, or as a classic push button; its
// glyph centred, its caption at (2, 2), both a pixel right and down while the button is down or
// latched.
class TExtSpeedButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(bool IsWinXP READ IsWinXP WRITE SetIsWinXP)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
public:
    explicit TExtSpeedButton(QWidget* parent = nullptr);

    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool value);
    // The button's own flat drawing.
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // The mouse is over the button.
    bool Hot() const { return hot_; }
    QString Caption() const { return text(); }
    void SetCaption(const QString& value) { setText(value); }
    // A strip of NumGlyphs pictures (up, disabled, down, exclusive).
    QPixmap Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    // Down, or latched (checked).
    bool Pressed() const { return isDown() || isChecked(); }

    // A mouse button released over the button after a press on it.
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool isWinXP_ = false;
    bool flat_ = false;
    bool hot_ = false;
    QPixmap glyph_;
    int numGlyphs_ = 1;
};

// The holder of the edit's speed button; the button fills it. A left-button release on the
// button runs OnClick and gives the focus to FocusControl.
class TEsgEditButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString ButtonCaption READ ButtonCaption WRITE SetButtonCaption)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
public:
    explicit TEsgEditButton(QWidget* parent = nullptr);

    QPixmap Glyph() const { return button_->Glyph(); }
    void SetGlyph(const QPixmap& glyph) { button_->SetGlyph(glyph); }
    QString ButtonCaption() const { return button_->Caption(); }
    void SetButtonCaption(const QString& value) { button_->SetCaption(value); }
    int NumGlyphs() const { return button_->NumGlyphs(); }
    void SetNumGlyphs(int value) { button_->SetNumGlyphs(value); }
    bool Flat() const { return button_->Flat(); }
    void SetFlat(bool value) { button_->SetFlat(value); }
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control) { focusControl_ = control; }
    TExtSpeedButton* Button() const { return button_; }

    // Moves and sizes the holder (at least 15 wide), the button filling it.
    void SetBounds(int left, int top, int width, int height);

    std::function<void(QObject* Sender)> OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buttonMouseUp(Qt::MouseButton mouseButton, const QPoint& pos);

    TExtSpeedButton* button_ = nullptr;
    QPointer<QWidget> focusControl_;
};

class TEsgEditBtn : public TEditorLineEdit {
    Q_OBJECT
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth)
    Q_PROPERTY(QString ButtonCaption READ ButtonCaption WRITE SetButtonCaption)
    Q_PROPERTY(QPixmap Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
    Q_PROPERTY(bool RightAlign READ RightAlign WRITE SetRightAlign)
    Q_PROPERTY(bool IsWinXP READ IsWinXP WRITE SetIsWinXP)
    Q_PROPERTY(int BorderStyle READ BorderStyleNumber WRITE SetBorderStyleNumber)
public:
    explicit TEsgEditBtn(QWidget* parent = nullptr);
    ~TEsgEditBtn() override;

    // 0 until set (the button is 18 wide then); setting it sizes the button.
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    QString ButtonCaption() const { return button_->ButtonCaption(); }
    void SetButtonCaption(const QString& value) { button_->SetButtonCaption(value); }
    QPixmap Glyph() const { return button_->Glyph(); }
    void SetGlyph(const QPixmap& glyph) { button_->SetGlyph(glyph); }
    // False: typing, pasting and cutting are refused; the button and F4 still work.
    using TEditorLineEdit::EditorEnabled;
    using TEditorLineEdit::SetEditorEnabled;
    bool RightAlign() const { return rightAlign_; }
    void SetRightAlign(bool value);
    // Themed drawing of the button; the grid sets it at creation.
    bool IsWinXP() const { return isWinXP_; }
    void SetIsWinXP(bool value);
    TEditBorderStyle BorderStyle() const { return hasFrame() ? bsSingle : bsNone; }
    void SetBorderStyle(TEditBorderStyle value);
    int BorderStyleNumber() const { return int(BorderStyle()); }
    void SetBorderStyleNumber(int value) { SetBorderStyle(TEditBorderStyle(value)); }

    TEsgEditButton* Button() const { return button_; }
    // The area inside the border, where the text, the unit strip and the button stand.
    QRect ClientRect() const;
    // The smallest height the edit takes: the font's line and a quarter more, and the border.
    int MinHeight() const;

    // The button's action (the button, or F4): fires OnClickBtn.
    virtual void ClickButton();

    std::function<void(QObject* Sender)> OnClickBtn;

protected:
    // Width kept free between the text and the button (the unit edit's strip).
    int UnitSpaceWidth() const { return unitSpace_; }
    void SetUnitSpaceWidth(int value);

    void KeyDown(int& Key, Qt::KeyboardModifiers Shift) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeButton();

    int unitSpace_ = 0;
    bool rightAlign_ = false;
    TEsgEditButton* button_ = nullptr;
    int buttonWidth_ = 0;
    bool isWinXP_ = false;
};

// The edit with a unit: the value is the text, the unit UnitID is drawn in a strip of UnitSpace
// pixels (20) between the right-aligned text and the button, and the button opens a menu of the
// Units to pick one from (OnClickBtn does not fire). Joining value and unit into a cell text is
// the grid's task.
class TEsgUnitEditBtn : public TEsgEditBtn {
    Q_OBJECT
    Q_PROPERTY(QStringList Units READ Units WRITE SetUnits)
    Q_PROPERTY(QString UnitID READ UnitID WRITE SetUnitID)
    Q_PROPERTY(int UnitSpace READ UnitSpace WRITE SetUnitSpace)
public:
    explicit TEsgUnitEditBtn(QWidget* parent = nullptr);

    QString UnitID() const { return unitID_; }
    void SetUnitID(const QString& value);
    QStringList Units() const { return units_; }
    void SetUnits(const QStringList& value) { units_ = value; }
    int UnitSpace() const { return UnitSpaceWidth(); }
    void SetUnitSpace(int value) { SetUnitSpaceWidth(value); }
    // The strip the unit is drawn in.
    QRect UnitRect() const;
    // The unit menu while it is open, else nullptr.
    QMenu* UnitMenu() const { return unitMenu_; }

    // Opens the unit menu under the button: one entry per unit in list order; the entry picked
    // becomes UnitID, a dismissed menu changes nothing.
    void ClickButton() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString unitID_;
    QStringList units_;
    QPointer<QMenu> unitMenu_;
};
