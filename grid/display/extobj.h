#pragma once
// The grid's integer lists: TIntList (32-bit entries, with a change event that carries the
// list's two tags) and TSortIndexList (sort columns with their direction in the top bit); and
// the grid's small companion controls: the move arrows, the popup label, the owning control
// list, the picture by file name and the flat button of the search panel.
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/graphics.h"

class TIntList {
public:
    TIntList(int tag1 = 0, int tag2 = 0) : tag1_(tag1), tag2_(tag2) {}
    virtual ~TIntList() = default;
    TIntList(const TIntList&) = delete;
    TIntList& operator=(const TIntList&) = delete;

    int Count() const { return int(items_.size()); }
    int Items(int index) const { return items_[index]; }
    // Writing an entry, adding and deleting fire OnChange; inserting and clearing do not.
    void SetItems(int index, int value);
    void Add(int value);
    void Delete(int index);
    void Insert(int index, int value);
    void Clear() { items_.clear(); }
    // The entries joined by ","; writing replaces them (each added as by Add) and raises
    // EConvertError for an item that is not an integer, keeping those before it.
    QString StrValue() const;
    void SetStrValue(const QString& value);
    // Grows the list with `fill` entries to at least `count` (no event).
    void Grow(int count, int fill = 0);

    std::function<void(TIntList* Sender, int Tag1, int Tag2)> OnChange;

private:
    void changed();
    std::vector<int> items_;
    int tag1_;
    int tag2_;
};

// Columns to sort by: each entry is a column in bits 0-30; bit 31 set means the opposite
// direction.
class TSortIndexList : public TIntList {
public:
    using TIntList::TIntList;
    // Adds the column; Ascending false sets bit 31.
    void AddIndex(int ACol, bool Ascending);
    // The position of the column, -1 when absent.
    int FindIndex(int ACol) const;
    // Flips the direction of the column (through SetItems, so OnChange fires); an absent
    // column changes nothing.
    void ToggleIndex(int ACol);
    // Column and direction of an entry.
    static int ColumnOf(int entry) { return entry & 0x7FFFFFFF; }
    static bool AscendingOf(int entry) { return (unsigned(entry) & 0x80000000u) == 0; }
};

// ---------------------------------------------------------------------------------------------
// The grid's companion controls.
class QMenu;
class TAction;
class TGridCanvas;
class TExtGridButton;

// The arrow that shows where a moved column or row will go: an 11 by 11 tool window without a
// frame, cut to a seven-point polygon of its direction (0 up, 1 down, 2 right, 3 left), filled
// lime. Made hidden; the grid moves and shows it.
class TArrowWindow : public QWidget {
    Q_OBJECT
public:
    TArrowWindow(QWidget* owner, int direction);
    int Direction() const { return direction_; }
    // The seven points of the arrow's outline for a direction.
    static QVector<QPoint> ArrowPoints(int direction);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int direction_;
};

// A small label in a popup window without a frame that the grid shows over cells: a raised frame
// unless Flat, a gradient from GradFrom to GradTo (64 bands) unless GradFrom is clNone, the
// caption centred with an ellipsis, or as mark-up when it holds "</".
class TPopupButton : public QWidget {
    Q_OBJECT
public:
    explicit TPopupButton(QWidget* owner);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value);
    bool Flat = false;
    TColor GradFrom = clNone;
    TColor GradTo = clNone;
    // Draws the label on a canvas in a rectangle of the button's size.
    void PaintTo(TGridCanvas& Canvas, const QRect& R);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString caption_;
};

// A list of controls that owns them: deleting an entry, or the list, frees the control.
class TControlList {
public:
    TControlList() = default;
    ~TControlList();
    TControlList(const TControlList&) = delete;
    TControlList& operator=(const TControlList&) = delete;
    int Count() const { return int(items_.size()); }
    QWidget* Items(int index) const { return items_[size_t(index)]; }
    void Add(QWidget* control);
    // Frees the control, then removes its entry.
    void Delete(int index);

private:
    std::vector<QPointer<QWidget>> items_;
};

// A picture known by its file name. Setting the name reads the picture's size; Draw stretches it
// into a rectangle, decoding the file once for each name set (not on every paint).
class TFilePicture {
public:
    const QString& Filename() const { return filename_; }
    void SetFilename(const QString& value);
    int Width = 0;
    int Height = 0;
    // Copies the file name, the width and the height.
    void Assign(const TFilePicture& source);
    void Draw(TGridCanvas& Canvas, const QRect& R);
    // How many times the file was decoded for drawing (the picture is kept for its name).
    int DecodeCount() const { return decodeCount_; }

private:
    QString filename_;
    QPixmap picture_;
    bool decoded_ = false;
    int decodeCount_ = 0;
};

// True when the system counts as Windows XP or later: major version above 5, or 5 with minor at
// least 1. The desktop here always does.
bool IsWinXP(int major, int minor);
bool IsWinXP();
// The colour scheme of the current visual style: 0 none, 1 blue ("NormalColor"), 2 olive
// ("HomeStead"), 3 silver ("Metallic"); 0 while no visual style is active.
int CurrentXPColorScheme();

enum TExtGridButtonStyle { tasButton, tasCheck };
// Where a button's glyph stands beside its caption.
enum TGridGlyphLayout { gglGlyphLeft, gglGlyphRight, gglGlyphTop, gglGlyphBottom };

// The link of a button to an action: the caption, the check state, the enabled state and the
// hint follow the action; a click executes it.
class TExtGridButtonActionLink : public QObject {
    Q_OBJECT
public:
    TExtGridButtonActionLink(TExtGridButton* button, TAction* action);
    TAction* Action() const;
    // Takes the action's values into the button.
    void Update();

private:
    TExtGridButton* button_;
    QPointer<TAction> action_;
};

// The grid's flat button (the search panel's buttons): a caption and glyphs per state, a
// background gradient per state, hot while the pointer is over it, latching in groups of its
// parent (GroupIndex) or toggling by itself (tasCheck), an optional drop-down strip.
class TExtGridButton : public QWidget {
    Q_OBJECT
public:
    explicit TExtGridButton(QWidget* parent = nullptr);
    ~TExtGridButton() override;

    TAction* Action() const;
    void SetAction(TAction* value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool AutoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool value);
    // Takes the colours of the current colour scheme (the theme adaptation's four looks).
    void ThemeAdapt();
    bool AutoXPStyle = false;
    TColor BorderColor = clNone;
    TColor BorderDownColor = clNone;
    TColor BorderHotColor = clNone;
    TColor Color = clBtnFace;
    TColor ColorTo = clNone;
    TColor ColorHot = 0x00CAC7C7;
    TColor ColorHotTo = clNone;
    TColor ColorDown = 0x00D8D3D2;
    TColor ColorDownTo = clNone;
    TColor ColorChecked = clGray;
    TColor ColorCheckedTo = clNone;
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool DropDownButton = false;
    QPointer<QMenu> DropDownMenu;
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    const QPixmap& Glyph() const { return glyph_; }
    // Also fills an empty GlyphDisabled with a grey copy and builds the shadow.
    void SetGlyph(const QPixmap& value);
    QPixmap GlyphHot;
    QPixmap GlyphDown;
    QPixmap GlyphDisabled;
    TGridGlyphLayout Layout = gglGlyphLeft;
    int Margin() const { return margin_; }
    // -1 centres; values below -1 are ignored.
    void SetMargin(int value);
    bool Rounded = false;
    bool Shaded = true;
    bool ShowCaption = true;
    int Spacing = 4;
    TExtGridButtonStyle Style = tasButton;

    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender)> OnDblClick;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseDown;
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseMove;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseUp;
    std::function<void(QObject* Sender)> OnMouseEnter;
    std::function<void(QObject* Sender)> OnMouseLeave;
    std::function<void(QObject* Sender)> OnDropDown;

    // 0 up, 2 pressed, 3 latched.
    int State() const { return state_; }
    bool Hot() const { return hot_; }
    // Fires the click (and the linked action).
    void Click();
    // The glyph the state shows (disabled, pressed or latched, hot, else Glyph).
    QPixmap CurrentGlyph() const;
    // Where the glyph's top-left and the caption's rectangle go inside the client rectangle.
    void CalcLayout(const QRect& Client, const QPoint& Offset, QPoint& GlyphPos, QRect& TextBounds) const;
    // The button drawn on a canvas in its client rectangle.
    void PaintButton(TGridCanvas& Canvas);
    // A latching button of the same parent and group tells the others (the pressed notice).
    void ButtonPressed(int Group, TExtGridButton* Sender);
    // The grey level of a disabled glyph's pixel.
    static int GreyLevel(int R, int G, int B);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool event(QEvent* e) override;

private:
    void updateExclusive();
    void setHot(bool value, bool fire);
    void buildShade();
    void updateShortcut();

    std::unique_ptr<TExtGridButtonActionLink> actionLink_;
    bool allowAllUp_ = false;
    bool autoThemeAdapt_ = false;
    int groupIndex_ = 0;
    bool down_ = false;
    QString caption_;
    bool flat_ = true;
    QPixmap glyph_;
    QPixmap shade_;
    int margin_ = -1;
    int state_ = 0;
    bool hot_ = false;
    bool dragging_ = false;
    int shortcutId_ = 0;
};
