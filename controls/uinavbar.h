#pragma once
// The navigation-pane controls: captioned panels that paint themselves with colour gradients
// taken from the visual style's colour scheme (or from the system colours), show a glyph and a
// caption, react to the mouse like flat buttons and can draw a grip; and the splitter that
// resizes its aligned neighbour.
//
// The drawing rules (gradient strips, grip dots, the splitter's size limits, the grey glyph)
// are plain functions below so that they can be checked without a display.
#include "controls/controlalign.h"
#include "controls/uixpthemes.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

class QPainter;
class TUiNavCustomControl;

// ---------------------------------------------------------------------------------------------
// Rules without a widget.

// One strip of a gradient band: from Start, Length pixels long, in one colour.
struct TGradientStrip {
    int Start;
    int Length;
    TColor Color;
};
// The strips of a band of the given length from colour a to colour b. Channels are worked in
// hundredths; a band of length 0 or between equal colours is one strip of colour a.
std::vector<TGradientStrip> GradientBandStrips(int length, TColor a, TColor b);

// One dot of a grip.
struct TGripPixel {
    int X;
    int Y;
    TColor Color;
};
// The grip of `units` 3 x 3 dot units, 4 pixels apart, centred in a client area of that size,
// in the dark colour, its halfway-to-white companion and white.
std::vector<TGripPixel> GripPixels(const QSize& client, int units, bool vertical, TColor dark);

// The grey of a pixel: the nearest integer to 0.30 red + 0.59 green + 0.11 blue.
int GrayLevel(int red, int green, int blue);
// The pale grey copy of a glyph shown by a disabled control (alpha kept).
QImage MakeDisabledGlyph(const QImage& glyph);

// The size a splitter gives its neighbour: never below 1, and at most the parent's extent
// minus the reserve (the extents of the parent's other non-client controls plus 2 pixels for
// heights or 9 for widths), one pixel less again for a bottom or right splitter.
int SplitterNeighbourSize(int newSize, int parentExtent, int reserve, bool bottomOrRight);

// ---------------------------------------------------------------------------------------------

enum TUiNavStyle { stStandard, stXPTheme };
enum TUiNavBorderEdge : unsigned { beLeft = 1, beTop = 2, beRight = 4, beBottom = 8 };
using TUiNavBorderEdges = unsigned;  // a set of TUiNavBorderEdge bits
inline constexpr TUiNavBorderEdges beAll = beLeft | beTop | beRight | beBottom;
enum TUiNavGlyphAlignment { gaLeft, gaRight };
enum TUiNavPanelType { ptDefault, ptVGradient, ptHGradient, ptTitle, ptDivider, ptButton, ptButtonGradient, ptSplitter };
enum TUiNavSplitterAlign { aTop, aBottom, aLeft, aRight };

// Cursor numbers of the runtime: the up-down and the left-right sizing arrows.
inline constexpr int crSizeNS = -7;
inline constexpr int crSizeWE = -9;

// Told of every change of a gradient.
class TUiNavGradientAdapter {
public:
    virtual ~TUiNavGradientAdapter() = default;
    virtual void Changed() = 0;
};

// One gradient of a navigation-pane control: one band from Color1 to Color2, or with Percent
// below 100 a second band from Color2 to Color3.
class TUiNavGradient {
public:
    explicit TUiNavGradient(TUiNavCustomControl* owner);

    bool Active() const { return active_; }
    void SetActive(bool v);
    TColor Color1() const { return color1_; }
    void SetColor1(TColor v);
    TColor Color2() const { return color2_; }
    void SetColor2(TColor v);
    TColor Color3() const { return color3_; }
    void SetColor3(TColor v);
    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool v);
    int Percent() const { return percent_; }
    void SetPercent(int v);  // clamped to 1..100
    bool ParentGradient() const { return parentGradient_; }
    void SetParentGradient(bool v);
    bool ShowBorder() const { return showBorder_; }
    void SetShowBorder(bool v);
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& f);
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor c);
    TUiNavGradientAdapter* GradientAdapter() const { return adapter_; }
    void SetGradientAdapter(TUiNavGradientAdapter* a) { adapter_ = a; }
    TUiNavCustomControl* Owner() const { return owner_; }

    // Paints the gradient over a client area of that size.
    void Draw(QPainter& p, const QSize& client) const;

private:
    friend class TUiNavCustomControl;
    friend class TUiNavPanel;
    friend class TUiNavSplitter;
    void Changed();

    TUiNavCustomControl* owner_;
    bool active_ = false;
    TColor color1_ = 0;
    TColor color2_ = 0;
    TColor color3_ = 0;
    bool horizontal_ = false;
    int percent_ = 100;
    bool parentGradient_ = false;
    bool showBorder_ = true;
    QFont font_;
    TColor fontColor_ = clWindowText;
    TUiNavGradientAdapter* adapter_ = nullptr;
};

// The painting and mouse behaviour shared by the panel and the splitter.
class TUiNavCustomControl : public QWidget {
    Q_OBJECT
    // The properties a form file sets (enumerations and sets as their numbers).
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Style READ StyleNumber WRITE SetStyleNumber)
    Q_PROPERTY(bool ParentStyle READ ParentStyle WRITE SetParentStyle)
    Q_PROPERTY(uint BorderEdges READ BorderEdges WRITE SetBorderEdges)
    Q_PROPERTY(int BorderSize READ BorderSize WRITE SetBorderSize)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(int GlyphAlignment READ GlyphAlignmentNumber WRITE SetGlyphAlignmentNumber)
    Q_PROPERTY(int GlyphOffset READ GlyphOffset WRITE SetGlyphOffset)
    Q_PROPERTY(bool GripEnabled READ GripEnabled WRITE SetGripEnabled)
    Q_PROPERTY(int GripUnits READ GripUnits WRITE SetGripUnits)
    Q_PROPERTY(bool GripIsVertical READ GripIsVertical WRITE SetGripIsVertical)
    Q_PROPERTY(bool ShowBorder READ ShowBorder WRITE SetShowBorder)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
public:
    explicit TUiNavCustomControl(QWidget* parent = nullptr);
    ~TUiNavCustomControl() override;

    TUiNavStyle Style() const { return style_; }
    void SetStyle(TUiNavStyle v);
    int StyleNumber() const { return int(style_); }
    void SetStyleNumber(int v) { SetStyle(TUiNavStyle(v)); }
    bool ParentStyle() const { return parentStyle_; }
    void SetParentStyle(bool v);
    QString Version() const { return QStringLiteral("v1.02"); }
    void SetVersion(const QString&) {}

    TUiNavBorderEdges BorderEdges() const { return borderEdges_; }
    void SetBorderEdges(TUiNavBorderEdges v);
    int BorderSize() const { return borderSize_; }
    void SetBorderSize(int v);
    bool Down() const { return down_; }
    void SetDown(bool v);
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& strip);
    const QImage& DisabledGlyph() const { return disabledGlyph_; }
    TUiNavGlyphAlignment GlyphAlignment() const { return glyphAlignment_; }
    void SetGlyphAlignment(TUiNavGlyphAlignment v);
    int GlyphAlignmentNumber() const { return int(glyphAlignment_); }
    void SetGlyphAlignmentNumber(int v) { SetGlyphAlignment(TUiNavGlyphAlignment(v)); }
    int GlyphOffset() const { return glyphOffset_; }
    void SetGlyphOffset(int v);
    bool GripEnabled() const { return gripEnabled_; }
    void SetGripEnabled(bool v);
    int GripUnits() const { return gripUnits_; }
    void SetGripUnits(int v);
    bool GripIsVertical() const { return gripIsVertical_; }
    void SetGripIsVertical(bool v);
    bool RemoveFlicker() const { return removeFlicker_; }
    void SetRemoveFlicker(bool v) { removeFlicker_ = v; }
    bool ShowBorder() const { return showBorder_; }
    void SetShowBorder(bool v);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool v);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& v);
    // The panel colour behind a control without a gradient.
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    // The colour of the control's own font.
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor v);
    TAlign Align() const { return ControlAlign(this); }
    void SetAlign(TAlign v) { SetControlAlign(this, v); }

    TUiNavGradient& NormalGradient() { return normal_; }
    TUiNavGradient& HotGradient() { return hot_; }
    TUiNavGradient& DownGradient() { return downGradient_; }
    TColor BorderColor() const { return borderColor_; }
    bool Pressed() const { return pressed_; }
    bool Hot() const { return hotState_; }

    // The style decided by the chain of ParentStyle controls, and the scheme built for it
    // (with OnCustomStyle applied), as the next paint uses them.
    TUiNavStyle EffectiveStyle() const;
    TUiColorScheme CurrentColorScheme() const;
    // Runs the start of a paint: settles the style and applies the colour scheme.
    void UpdateStyle();
    // The gradient the control paints with now (nullptr: plain colour), roles resolved through
    // ParentGradient.
    const TUiNavGradient* CurrentGradient() const;

    // Runs OnClick while the control is enabled.
    void Click();

    std::function<void(QObject* Sender, TUiColorScheme& AColorScheme)> OnCustomStyle;
    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender)> OnDblClick;
    std::function<void(QObject* Sender)> OnMouseEnter;
    std::function<void(QObject* Sender)> OnMouseLeave;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseDown;
    std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)> OnMouseMove;
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>
        OnMouseUp;

protected:
    virtual bool CanShowCaption() const { return false; }
    virtual void DrawCaption(QPainter& p, const QFont& font, TColor fontColor);
    virtual void ApplyColorScheme(const TUiColorScheme&) {}

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

    // The gradient of the same role, followed up through ParentGradient.
    const TUiNavGradient* Resolve(const TUiNavGradient& own, int role) const;
    void DrawGrip(QPainter& p, const TUiNavGradient& g);

    TUiNavGradient normal_;
    TUiNavGradient hot_;
    TUiNavGradient downGradient_;
    TColor borderColor_ = clBtnShadow;
    bool pressed_ = false;
    bool hotState_ = false;
    bool gripEnabled_ = false;
    int gripUnits_ = 10;
    bool gripIsVertical_ = false;
    bool showBorder_ = true;
    TUiNavBorderEdges borderEdges_ = beAll;
    int borderSize_ = 0;

private:
    bool ShowsForMouse() const;

    TUiNavStyle style_ = stStandard;
    bool parentStyle_ = true;
    bool down_ = false;
    QImage glyph_;
    QImage disabledGlyph_;
    TUiNavGlyphAlignment glyphAlignment_ = gaLeft;
    int glyphOffset_ = 3;
    bool removeFlicker_ = true;
    bool transparent_ = false;
    QString caption_;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clWindowText;
};

class TUiNavPanel : public TUiNavCustomControl {
    Q_OBJECT
    Q_PROPERTY(int PanelType READ PanelTypeNumber WRITE SetPanelTypeNumber)
public:
    explicit TUiNavPanel(QWidget* parent = nullptr);

    TUiNavPanelType PanelType() const { return panelType_; }
    void SetPanelType(TUiNavPanelType v);
    int PanelTypeNumber() const { return int(panelType_); }
    void SetPanelTypeNumber(int v) { SetPanelType(TUiNavPanelType(v)); }
    bool ShowCaption() const { return showCaption_; }
    TColor DividerLineColor() const { return dividerLineColor_; }

protected:
    bool CanShowCaption() const override { return showCaption_; }
    void ApplyColorScheme(const TUiColorScheme& scheme) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TUiNavPanelType panelType_ = ptDefault;
    bool showCaption_ = true;
    TColor dividerLineColor_ = 0;
};

class TUiNavSplitter : public TUiNavCustomControl {
    Q_OBJECT
    Q_PROPERTY(int AlignTo READ AlignToNumber WRITE SetAlignToNumber)
public:
    explicit TUiNavSplitter(QWidget* parent = nullptr);

    TUiNavSplitterAlign AlignTo() const { return alignTo_; }
    void SetAlignTo(TUiNavSplitterAlign v);
    int AlignToNumber() const { return int(alignTo_); }
    void SetAlignToNumber(int v) { SetAlignTo(TUiNavSplitterAlign(v)); }
    // The runtime's cursor number: crSizeNS for top and bottom, crSizeWE for left and right.
    int Cursor() const { return cursor_; }
    bool IsDragging() const { return dragging_; }
    int StartPos() const { return startPos_; }

    // Resizes the neighbour on the splitter's side by delta pixels (the drag distance).
    void ResizeNeighbour(int delta);

protected:
    void ApplyColorScheme(const TUiColorScheme& scheme) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TUiNavSplitterAlign alignTo_ = aTop;
    int cursor_ = crSizeNS;
    bool dragging_ = false;
    int startPos_ = 0;
};
