#pragma once
// The program's tool and toggle button: a glyph and a caption, a push button or, with a group
// index, a latching button of a group in which at most one is down. A flat button draws only
// its face until the mouse is over it, and then fills itself with the highlight colour inside
// a one-pixel frame. While it has the keyboard focus a dotted frame lies just inside its border.
//
// The state rules (latching, the glyph count of a strip, the layout of glyph and caption) are
// plain functions below so that they can be checked without a display.
#include "controls/colorutils.h"
#include "platform/vcl/textfit.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// Up, disabled, down (held), exclusive (the look of a latched button).
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// ---------------------------------------------------------------------------------------------
// Rules without a widget.

// The number of images a glyph strip of this size holds, or 0 when the strip does not decide it
// (its width is no whole multiple of its height). A quotient above 4 counts as one image.
int GlyphCountOfStrip(int width, int height);

// Writing Down: the value actually stored, and whether anything changes. A button of group 0
// is never down; a latched button is released only when its group allows all up.
struct TDownWrite {
    bool Changes;
    bool NewDown;
};
TDownWrite DecideDownWrite(int groupIndex, bool allowAllUp, bool currentDown, bool value);

// The state while the left button is held: latched buttons show exclusive, others show down
// while the pointer is inside and up outside.
TButtonState DraggingState(bool down, bool inside);

// Where glyph and caption stand inside the client rectangle, moved by the offset of a pressed
// button. Margin -1 centres the block; spacing -1 spreads glyph and caption evenly.
struct TButtonLayoutResult {
    QPoint GlyphPos;
    QRect TextBounds;
};
TButtonLayoutResult CalcButtonLayout(const QRect& client, const QPoint& offset, const QSize& glyphSize,
                                     const QSize& textSize, TButtonLayout layout, int margin, int spacing,
                                     bool rightToLeft = false);

// True when ch is the accelerator character ("&x") of the caption, compared without case.
bool IsAccelerator(QChar ch, const QString& caption);

// ---------------------------------------------------------------------------------------------
// Image lists shared by all buttons, one per image size.

class TGlyphList {
public:
    TGlyphList(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Puts the image into the lowest free slot (a new slot only when all are used).
    int Add(const QImage& image);
    void Delete(int index);
    // Number of used slots.
    int Count() const { return count_; }
    int SlotCount() const { return int(images_.size()); }
    const QImage& Image(int index) const { return images_.at(index); }

private:
    int width_;
    int height_;
    int count_ = 0;
    std::vector<QImage> images_;
    std::vector<bool> used_;
};

class TGlyphCache {
public:
    ~TGlyphCache();
    // The list for that size: searched from the last to the first, created when none fits.
    TGlyphList* GetList(int width, int height);
    // Frees and removes a list that holds no image any more.
    void ReturnList(TGlyphList* list);
    bool Empty() const { return lists_.empty(); }
    int ListCount() const { return int(lists_.size()); }

    // The one cache of the process; nullptr while no button glyph exists.
    static TGlyphCache* Instance();

private:
    std::vector<TGlyphList*> lists_;
};

// The glyph of one button: the strip, its transparent colour and the prepared image per state.
class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    const QImage& Glyph() const { return original_; }
    void SetGlyph(const QImage& strip);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);
    TColor TransparentColor() const { return transparentColor_; }

    // Prepares (once) and returns the image-list index of the state's image; -1 without a glyph.
    int CreateButtonGlyph(TButtonState state);
    // The prepared image of the state (preparing it first), or a null image.
    QImage StateImage(TButtonState state);
    int ImageIndex(TButtonState state) const { return indexes_[state]; }
    TGlyphList* List() const { return list_; }
    // Releases the prepared images (glyph change, system colour change, destruction).
    void Invalidate();

    std::function<void()> OnChange;

private:
    QImage original_;
    TColor transparentColor_ = clOlive;
    int numGlyphs_ = 1;
    int indexes_[4] = {-1, -1, -1, -1};
    TGlyphList* list_ = nullptr;
};

// ---------------------------------------------------------------------------------------------

class TXPButton : public QWidget, public TTextFitControl {
    Q_OBJECT
    // The properties a form file sets (enumerations as their numbers).
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE SetAllowAllUp)
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE SetGroupIndex)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(int Layout READ LayoutNumber WRITE SetLayoutNumber)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin)
    Q_PROPERTY(int Spacing READ Spacing WRITE SetSpacing)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE SetNumGlyphs)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(uint FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(uint HighlightColor READ HighlightColor WRITE SetHighlightColor)
public:
    explicit TXPButton(QWidget* parent = nullptr);
    ~TXPButton() override;

    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    const QImage& Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const QImage& strip);
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int LayoutNumber() const { return int(layout_); }
    void SetLayoutNumber(int value) { SetLayout(TButtonLayout(value)); }
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& value);
    // The face colour of a non-transparent flat button (system button face by default).
    TColor Color() const { return color_; }
    void SetColor(TColor value);

    // The click operation: runs OnClick as a click with the mouse does. The dialog keys of a form
    // call it on a flat default or cancel button.
    Q_INVOKABLE void Click();
    // Pressed as the mouse presses it: a grouped button goes down (or up, where its group allows
    // it), then it clicks. Space on a focused button does this, and so does Return where the
    // button's window has no default button.
    void Press();
    // A dialog character: the caption's accelerator clicks an enabled, visible button whose
    // parent is showing; returns whether the character was handled.
    bool DialogChar(QChar ch);

    TButtonState State() const { return state_; }
    bool MouseInControl() const { return mouseInControl_; }
    bool Dragging() const { return dragging_; }
    TButtonGlyph& ButtonGlyph() { return glyph_; }

    // In a layout the button asks for the width its caption needs (23 pixels at least).
    QSize sizeHint() const override;
    // The width that shows the glyph and the whole caption inside the button's frame.
    int TextFitWidth() const override;

    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender)> OnDblClick;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseDown;
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseMove;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Tells the buttons of the same parent that this one went down or changed its group.
    void UpdateExclusive();
    // Receives a group announcement of another button.
    void ButtonPressed(int group, TXPButton* sender);
    void UpdateTracking();
    void MouseEnter();
    void MouseLeave();
    bool Inside(const QPoint& pt) const;
    void PrepareCurrentImage();
    void UpdateAccelerator();
    void DrawGlyphAndCaption(class QPainter& p, const QRect& client, const QPoint& offset);

    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    bool down_ = false;
    bool flat_ = false;
    TColor frameColor_ = clBlack;
    TColor highlightColor_ = 0x00D6BEB5;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool transparent_ = true;
    QString caption_;
    TColor color_ = clBtnFace;

    TButtonState state_ = bsUp;
    bool dragging_ = false;
    bool mouseInControl_ = false;
    int shortcutId_ = 0;
    TButtonGlyph glyph_;
};
