// The navigation-pane panel and splitter: gradient strips, grip dots, the colour rules of the
// panel types, the mouse states of button panels, and the splitter's resizing.
#include "controls/uinavbar.h"

#include "tests/controls/controltesthelpers.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QVBoxLayout>

using namespace controltest;

namespace {

// The XP colour variant "NormalColor" for the duration of a test.
struct XPStyle {
    explicit XPStyle(const char* variant = "NormalColor") { SetActiveVisualStyle(QString::fromLatin1(variant)); }
    ~XPStyle() { SetActiveVisualStyle(std::nullopt); }
};

QImage redGlyph()
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(QColor(0x80, 0x80, 0x00));
    QPainter p(&img);
    p.fillRect(QRect(3, 3, 10, 10), QColor(255, 0, 0));
    return img;
}

// The colour of the strip that covers position pos of a band.
TColor bandColorAt(int length, TColor a, TColor b, int pos)
{
    for (const TGradientStrip& s : GradientBandStrips(length, a, b))
        if (pos >= s.Start && pos < s.Start + s.Length)
            return s.Color;
    return 0xFFFFFFFF;
}

bool imageHas(const QImage& img, TColor c, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pixel(img, x, y) == c)
                return true;
    return false;
}

}  // namespace

TEST(GradientStrips, FiftyStripsOfTwoPixels)
{
    const auto strips = GradientBandStrips(100, 0x00000000, 0x00320000);
    ASSERT_EQ(strips.size(), 51u);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(strips[i].Start, 2 * i);
        EXPECT_EQ(strips[i].Length, 2);
        EXPECT_EQ(strips[i].Color, RGBColor(0, 0, i)) << i;
    }
    EXPECT_EQ(strips[50].Start, 100);
    EXPECT_EQ(strips[50].Length, 0);
    EXPECT_EQ(strips[50].Color, RGBColor(0, 0, 50));
}

TEST(GradientStrips, Table)
{
    struct Case {
        const char* what;
        int length;
        TColor a, b;
        size_t count;
        int index;  // a strip to look at
        int start, len;
        TColor color;
    };
    const Case cases[] = {
        {"more steps than pixels: 1 px strips", 10, 0x00000000, 0x000000FF, 11, 1, 1, 1, 0x00000019},
        {"last strip reaches the end", 10, 0x00000000, 0x000000FF, 11, 10, 10, 0, 0x000000FF},
        {"falling channel", 4, 0x000000FF, 0x00000000, 5, 1, 1, 1, 0x000000BF},  // 255 - 63.75
        {"strip size rounded up, the last one cut", 10, 0x00000000, 0x00000003, 3, 2, 8, 2, 0x00000003},
        {"equal colours: one fill", 30, 0x00123456, 0x00123456, 1, 0, 0, 30, 0x00123456},
        {"length 0: one fill of the first colour", 0, 0x00000000, 0x00FFFFFF, 1, 0, 0, 0, 0x00000000},
    };
    for (const Case& c : cases) {
        const auto strips = GradientBandStrips(c.length, c.a, c.b);
        ASSERT_EQ(strips.size(), c.count) << c.what;
        EXPECT_EQ(strips[c.index].Start, c.start) << c.what;
        EXPECT_EQ(strips[c.index].Length, c.len) << c.what;
        EXPECT_EQ(strips[c.index].Color, c.color) << c.what;
    }
}

TEST(GradientStrips, PaintedVerticalAndTwoPartGradients)
{
    TUiNavCustomControl c;
    c.resize(20, 100);
    TUiNavGradient& g = c.NormalGradient();
    g.SetActive(true);
    g.SetColor1(0x00000000);
    g.SetColor2(0x00320000);
    QImage img = render(&c);
    EXPECT_EQ(pixel(img, 5, 0), 0u);
    EXPECT_EQ(pixel(img, 5, 1), 0u);
    EXPECT_EQ(pixel(img, 5, 2), RGBColor(0, 0, 1));
    EXPECT_EQ(pixel(img, 5, 99), RGBColor(0, 0, 49));

    // Below 100 % a second band runs from Color2 to Color3.
    g.SetHorizontal(true);
    g.SetPercent(50);
    g.SetColor3(0x00320000);  // equal to Color2: the second band is a fill
    c.resize(100, 10);
    img = render(&c);
    EXPECT_EQ(pixel(img, 0, 5), 0u);
    EXPECT_EQ(pixel(img, 49, 5), RGBColor(0, 0, 49));
    EXPECT_EQ(pixel(img, 50, 5), RGBColor(0, 0, 0x32));
    EXPECT_EQ(pixel(img, 99, 5), RGBColor(0, 0, 0x32));
}

TEST(Gradient, PercentIsClampedAndChangesAreAnnounced)
{
    struct Counter : TUiNavGradientAdapter {
        int n = 0;
        void Changed() override { ++n; }
    } counter;
    TUiNavCustomControl c;
    TUiNavGradient& g = c.NormalGradient();
    g.SetGradientAdapter(&counter);
    const std::pair<int, int> cases[] = {{0, 1}, {150, 100}, {50, 50}, {-3, 1}, {100, 100}};
    for (auto [in, out] : cases) {
        g.SetPercent(in);
        EXPECT_EQ(g.Percent(), out) << in;
    }
    EXPECT_EQ(counter.n, 5);
}

TEST(Grip, DotsOfTheUnits)
{
    const TColor d = 0x00804020;
    const TColor m = RGBColor((0x20 + 255) / 2, (0x40 + 255) / 2, (0x80 + 255) / 2);
    const auto h = GripPixels(QSize(100, 7), 2, false, d);
    ASSERT_EQ(h.size(), 14u);
    // First unit at x = 50 - (4*2 - 2) div 2 = 47, on the row y = 3; the second 4 pixels on.
    const TGripPixel expected[] = {{47, 2, d}, {48, 2, d}, {47, 3, d}, {48, 3, m},
                                   {49, 3, clWhite}, {48, 4, clWhite}, {49, 4, clWhite}};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(h[i].X, expected[i].X) << i;
        EXPECT_EQ(h[i].Y, expected[i].Y) << i;
        EXPECT_EQ(h[i].Color, expected[i].Color) << i;
        EXPECT_EQ(h[i + 7].X, expected[i].X + 4) << i;
    }
    const auto v = GripPixels(QSize(7, 100), 10, true, d);
    ASSERT_EQ(v.size(), 70u);
    EXPECT_EQ(v[2].X, 2);   // column x = 7 div 2 - 1
    EXPECT_EQ(v[2].Y, 31);  // first unit at 50 - 38 div 2
    EXPECT_EQ(v[9].Y, 35);
}

TEST(DisabledGlyph, PaleGrey)
{
    struct Case {
        QRgb in;
        int gray;
    };
    // 0.30 r + 0.59 g + 0.11 b to the nearest integer (76.5 -> 76), then halfway to white.
    const Case cases[] = {{qRgb(255, 0, 0), 76}, {qRgb(0, 255, 0), 150}, {qRgb(0, 0, 255), 28},
                          {qRgb(0, 0, 0), 0},    {qRgb(255, 255, 255), 255}};
    for (const Case& c : cases) {
        EXPECT_EQ(GrayLevel(qRed(c.in), qGreen(c.in), qBlue(c.in)), c.gray);
        QImage img(1, 1, QImage::Format_ARGB32);
        img.setPixel(0, 0, c.in);
        const QRgb out = MakeDisabledGlyph(img).pixel(0, 0);
        const TColor pale = MixWithWhite(RGBColor(c.gray, c.gray, c.gray), 50);
        EXPECT_EQ(qRed(out), RedOf(pale));
        EXPECT_EQ(qGreen(out), qRed(out));
        EXPECT_EQ(qBlue(out), qRed(out));
    }
    EXPECT_EQ(MixWithWhite(RGBColor(76, 76, 76), 50), RGBColor(166, 166, 166));
}

TEST(NavPanel, PanelTypeDefaults)
{
    struct Case {
        TUiNavPanelType type;
        TUiNavBorderEdges edges;
        bool showBorder, grip;
    };
    const Case cases[] = {
        {ptDefault, beAll, false, false},    {ptVGradient, beAll, false, false}, {ptHGradient, beAll, false, false},
        {ptTitle, beBottom, true, false},    {ptDivider, beBottom, true, false}, {ptButton, beAll, true, false},
        {ptButtonGradient, beAll, true, false}, {ptSplitter, 0, false, true},
    };
    for (const Case& c : cases) {
        TUiNavPanel p;
        p.SetGripUnits(3);
        p.SetPanelType(c.type);
        EXPECT_EQ(p.BorderEdges(), c.edges) << c.type;
        EXPECT_EQ(p.ShowBorder(), c.showBorder) << c.type;
        EXPECT_EQ(p.GripEnabled(), c.grip) << c.type;
        if (c.type == ptSplitter) {
            EXPECT_EQ(p.GripUnits(), 10);
        }
        if (c.type == ptButton) {
            EXPECT_FALSE(p.NormalGradient().ShowBorder());
        }
    }
    TUiNavPanel p;
    EXPECT_EQ(p.Version(), "v1.02");
    p.SetVersion("v9");
    EXPECT_EQ(p.Version(), "v1.02");
}

TEST(NavPanel, ButtonStatesWithTheXPColours)
{
    XPStyle xp;
    QWidget parent;
    parent.resize(200, 100);
    TUiNavPanel b(&parent);
    b.setGeometry(10, 10, 120, 24);
    b.SetStyle(stXPTheme);
    b.SetPanelType(ptButton);
    b.SetBorderSize(1);
    b.SetCaption("Kalender");
    int clicks = 0;
    b.OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, &b);
        ++clicks;
    };
    parent.show();

    QImage img = render(&b);
    const TColor panel = 0x00FADAC4, border = 0x00993300;
    EXPECT_EQ(pixel(img, 0, 0), panel) << "normal: flat panel colour without border";
    EXPECT_EQ(pixel(img, 60, 23), panel);

    enter(&b);
    ASSERT_TRUE(b.Hot());
    img = render(&b);
    EXPECT_EQ(pixel(img, 0, 0), border) << "hot: with border";
    EXPECT_EQ(pixel(img, 119, 12), border);
    EXPECT_EQ(pixel(img, 1, 1), bandColorAt(24, 0x00D0EBFF, 0x008ACCFF, 1)) << "hot gradient";
    EXPECT_EQ(pixel(img, 1, 20), bandColorAt(24, 0x00D0EBFF, 0x008ACCFF, 20));

    press(&b, {5, 5});
    ASSERT_TRUE(b.Pressed());
    img = render(&b);
    EXPECT_EQ(pixel(img, 1, 20), bandColorAt(24, 0x00ADDBFF, 0x003E80FE, 20)) << "pressed: down gradient";
    release(&b, {5, 5});
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b.Pressed());
    EXPECT_TRUE(b.Hot());

    // Released outside: neither pressed nor hot, and no click.
    press(&b, {5, 5});
    release(&b, {300, 5});
    EXPECT_FALSE(b.Pressed());
    EXPECT_FALSE(b.Hot());
    EXPECT_EQ(clicks, 1);

    // Down shows the down gradient away from the mouse too.
    b.SetDown(true);
    img = render(&b);
    EXPECT_EQ(pixel(img, 0, 0), border);
    EXPECT_EQ(pixel(img, 1, 20), bandColorAt(24, 0x00ADDBFF, 0x003E80FE, 20));

    // A disabled panel ignores the mouse and fires no click.
    b.SetDown(false);
    b.setEnabled(false);
    b.Click();
    EXPECT_EQ(clicks, 1);
}

TEST(NavPanel, DividerLines)
{
    XPStyle xp;
    TUiNavPanel d;
    d.resize(100, 20);
    d.SetStyle(stXPTheme);
    d.SetPanelType(ptDivider);
    d.SetBorderSize(1);
    QImage img = render(&d);
    EXPECT_EQ(pixel(img, 50, 19), 0x00993300u) << "bottom border line";
    EXPECT_EQ(pixel(img, 50, 18), bandColorAt(20, 0x00FADAC4, 0x00F5BE9E, 18));
    EXPECT_EQ(pixel(img, 0, 5), bandColorAt(20, 0x00FADAC4, 0x00F5BE9E, 5)) << "no side border";
    d.SetBorderEdges(beBottom | beTop);
    img = render(&d);
    EXPECT_EQ(pixel(img, 50, 0), 0x00F5BE9Eu) << "top line in the divider-line colour";
}

TEST(NavPanel, ParentStyleDecidesTheColours)
{
    XPStyle xp;
    TUiNavPanel outer;
    outer.resize(100, 60);
    outer.SetStyle(stStandard);
    outer.SetPanelType(ptVGradient);
    TUiNavPanel inner(&outer);
    inner.setGeometry(0, 0, 100, 30);
    inner.SetStyle(stXPTheme);
    inner.SetPanelType(ptVGradient);
    ASSERT_TRUE(inner.ParentStyle());
    TUiColorScheme standard;
    GetStandardColors(standard);
    inner.UpdateStyle();
    EXPECT_EQ(inner.Style(), stStandard) << "the outermost style is written back";
    EXPECT_EQ(inner.NormalGradient().Color1(), standard.PanelColor);

    inner.SetParentStyle(false);
    inner.SetStyle(stXPTheme);
    inner.UpdateStyle();
    EXPECT_EQ(inner.NormalGradient().Color1(), 0x00FADAC4u);

    // Without an active visual style the XP panels fall back to the standard colours.
    SetActiveVisualStyle(std::nullopt);
    inner.UpdateStyle();
    EXPECT_EQ(inner.NormalGradient().Color1(), standard.PanelColor);
}

TEST(NavPanel, CustomStyleAndTypeColours)
{
    XPStyle xp;
    TUiNavPanel title;
    title.resize(160, 30);
    title.SetStyle(stXPTheme);
    title.SetPanelType(ptTitle);
    title.OnCustomStyle = [](QObject*, TUiColorScheme& s) {
        s.TitleStart = 0x00000080;
        s.FontName = "Default";
    };
    title.UpdateStyle();
    EXPECT_EQ(title.NormalGradient().Color1(), 0x00000080u);
    EXPECT_EQ(title.NormalGradient().Color2(), 0x00933803u);
    EXPECT_EQ(title.FontColor(), 0x00FFFFFFu);
    EXPECT_TRUE(title.font().bold());
    EXPECT_EQ(title.font().pointSize(), 12);
    EXPECT_TRUE(title.ShowCaption());
    EXPECT_EQ(title.NormalGradient().Font(), title.font()) << "the normal gradient takes the panel's font";

    TUiNavPanel plain;
    plain.SetStyle(stXPTheme);
    plain.UpdateStyle();
    EXPECT_FALSE(plain.ShowCaption());
    EXPECT_FALSE(plain.NormalGradient().Active());
    EXPECT_EQ(plain.Color(), 0x00FADAC4u) << "ptDefault takes the panel colour";
}

TEST(NavPanel, DisabledGlyphAndCaption)
{
    TUiNavPanel p;
    p.resize(200, 30);
    p.SetPanelType(ptTitle);
    p.OnCustomStyle = [](QObject*, TUiColorScheme& s) {
        s.TitleStart = s.TitleEnd = 0x00FFFFFF;
        s.TitleFontColor = 0;
    };
    p.SetGlyph(redGlyph());
    p.SetCaption("IIIIII");
    QImage img = render(&p);
    // Glyph at x = 0 + 3, y = 30 div 2 - 8 + 1 = 8; its transparent corner shows the white panel.
    EXPECT_EQ(pixel(img, 3 + 5, 8 + 5), RGBColor(255, 0, 0));
    EXPECT_EQ(pixel(img, 3, 8), 0x00FFFFFFu);
    EXPECT_TRUE(imageHas(img, 0, QRect(22, 0, 100, 30))) << "caption in the font colour";
    p.setEnabled(false);
    img = render(&p);
    EXPECT_EQ(pixel(img, 3 + 5, 8 + 5), RGBColor(166, 166, 166)) << "pale grey glyph";
    EXPECT_FALSE(imageHas(img, 0, QRect(22, 0, 100, 30)));
    EXPECT_TRUE(imageHas(img, MixWithWhite(0, 50), QRect(22, 0, 100, 30))) << "caption halfway to white";
}

TEST(NavPanel, MouseEnterAndLeaveEvents)
{
    QWidget parent;
    TUiNavPanel p(&parent);
    int entered = 0, left = 0;
    p.OnMouseEnter = [&](QObject*) { ++entered; };
    p.OnMouseLeave = [&](QObject*) { ++left; };
    enter(&p);
    EXPECT_EQ(entered, 0) << "not while the parent is not showing";
    parent.show();
    enter(&p);
    leave(&p);
    p.setEnabled(false);
    enter(&p);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
}

TEST(Splitter, SizeLimits)
{
    struct Case {
        int newSize, parentExtent, reserve;
        bool bottomOrRight;
        int expected;
    };
    const Case cases[] = {
        {70, 200, 9, true, 70},     {250, 200, 9, true, 190},  {250, 200, 9, false, 191},
        {1, 200, 9, true, 1},       {-30, 200, 9, false, 1},   {0, 200, 9, false, 1},
        {500, 300, 9 + 50, false, 241}, {5, 10, 20, false, 1},  // no room left: still 1 pixel
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitterNeighbourSize(c.newSize, c.parentExtent, c.reserve, c.bottomOrRight), c.expected)
            << c.newSize << " in " << c.parentExtent;
}

namespace {

// A parent 200 x 200 with a client pane, a bottom splitter and a bottom pane of 50 pixels.
struct BottomPane {
    BottomPane()
    {
        parent.resize(200, 200);
        top = new QWidget(&parent);
        bottom = new QWidget(&parent);
        bottom->resize(200, 50);
        SetControlAlign(bottom, alBottom);
        splitter = new TUiNavSplitter(&parent);
        splitter->SetAlignTo(aBottom);
        SetControlAlign(top, alClient);
    }
    QWidget parent;
    QWidget* top;
    QWidget* bottom;
    TUiNavSplitter* splitter;
};

}  // namespace

TEST(Splitter, DraggingABottomSplitter)
{
    BottomPane f;
    ASSERT_EQ(f.bottom->geometry(), QRect(0, 150, 200, 50));
    ASSERT_EQ(f.splitter->geometry(), QRect(0, 143, 200, 7));
    ASSERT_EQ(f.top->geometry(), QRect(0, 0, 200, 143));
    int downs = 0;
    f.splitter->OnMouseDown = [&](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++downs; };

    press(f.splitter, {50, 3});
    EXPECT_TRUE(f.splitter->IsDragging());
    EXPECT_EQ(f.splitter->StartPos(), 3);
    move(f.splitter, {50, -17});  // 20 pixels up
    EXPECT_EQ(f.bottom->height(), 70);
    EXPECT_EQ(f.bottom->y(), 130);
    EXPECT_EQ(f.splitter->y(), 123) << "the splitter moves with its neighbour";
    EXPECT_EQ(f.top->height(), 123);
    move(f.splitter, {50, 3});  // the pointer stayed where the splitter now is
    EXPECT_EQ(f.bottom->height(), 70);
    release(f.splitter, {50, 3});
    EXPECT_FALSE(f.splitter->IsDragging());
    EXPECT_EQ(downs, 0) << "the splitter's own mouse handling replaces OnMouseDown";

    // As far up as the splitter and a 3-pixel reserve allow; as far down as 1 pixel.
    f.splitter->ResizeNeighbour(-1000);
    EXPECT_EQ(f.bottom->height(), 200 - 7 - 3);
    f.splitter->ResizeNeighbour(1000);
    EXPECT_EQ(f.bottom->height(), 1);
    EXPECT_EQ(f.bottom->geometry().bottom(), 199);
}

TEST(Splitter, TopAndLeftNeighboursAndNoNeighbour)
{
    QWidget parent;
    parent.resize(300, 200);
    auto* left = new QWidget(&parent);
    left->resize(80, 200);
    SetControlAlign(left, alLeft);
    auto* right = new QWidget(&parent);
    right->resize(40, 200);
    SetControlAlign(right, alRight);
    auto* splitter = new TUiNavSplitter(&parent);
    splitter->resize(5, 200);
    splitter->SetAlignTo(aLeft);
    ASSERT_EQ(splitter->x(), 80);
    EXPECT_EQ(splitter->Cursor(), crSizeWE);
    EXPECT_TRUE(splitter->GripIsVertical());
    EXPECT_EQ(splitter->cursor().shape(), Qt::SizeHorCursor);
    splitter->ResizeNeighbour(30);
    EXPECT_EQ(left->width(), 110);
    EXPECT_EQ(splitter->x(), 110);
    splitter->ResizeNeighbour(1000);
    // Widths keep 9 pixels besides the other non-client controls (the right pane and the splitter).
    EXPECT_EQ(left->width(), 300 - 40 - 5 - 9);

    // A top splitter below nothing aligned to the top of it changes nothing.
    QWidget lone;
    lone.resize(100, 100);
    auto* other = new QWidget(&lone);
    other->setGeometry(0, 50, 100, 20);
    auto* s = new TUiNavSplitter(&lone);
    EXPECT_EQ(s->AlignTo(), aTop);
    EXPECT_EQ(s->Cursor(), crSizeNS);
    EXPECT_EQ(s->height(), 7);
    s->ResizeNeighbour(25);
    EXPECT_EQ(other->geometry(), QRect(0, 50, 100, 20));
}

TEST(Splitter, PaintsTheSplitterGradientAndGrip)
{
    XPStyle xp;
    TUiNavSplitter s;
    s.resize(100, 7);
    s.SetStyle(stXPTheme);
    const QImage img = render(&s);
    EXPECT_EQ(pixel(img, 5, 0), 0x00D68759u);
    // Grip of 10 units: the first at x = 50 - 19 = 31, row 3, in the gradient's second colour.
    EXPECT_EQ(pixel(img, 31, 3), 0x009C420Eu);
    EXPECT_EQ(pixel(img, 33, 3), 0x00FFFFFFu);
    EXPECT_FALSE(s.HotGradient().Active());
    EXPECT_FALSE(s.DownGradient().Active());
}

TEST(AlignedControls, ArrangeTable)
{
    const QRect client(0, 0, 100, 100);
    const std::vector<TAlignedControl> controls = {
        {alClient, QRect(0, 0, 10, 10)}, {alTop, QRect(0, 0, 10, 15)},   {alBottom, QRect(0, 0, 10, 20)},
        {alLeft, QRect(0, 0, 25, 10)},   {alRight, QRect(0, 0, 5, 10)},  {alNone, QRect(3, 4, 5, 6)},
    };
    const auto r = ArrangeAligned(client, controls);
    EXPECT_EQ(r[1], QRect(0, 0, 100, 15));
    EXPECT_EQ(r[2], QRect(0, 80, 100, 20));
    EXPECT_EQ(r[3], QRect(0, 15, 25, 65));
    EXPECT_EQ(r[4], QRect(95, 15, 5, 65));
    EXPECT_EQ(r[0], QRect(25, 15, 70, 65));
    EXPECT_EQ(r[5], QRect(3, 4, 5, 6));
}

namespace {

void navigationPaneShot(const QString& name)
{
    QWidget pane;
    pane.resize(180, 300);
    auto* layout = new QVBoxLayout(&pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto add = [&](TUiNavPanelType type, const QString& caption, int h) {
        auto* p = new TUiNavPanel(&pane);
        p->SetStyle(stXPTheme);
        p->SetPanelType(type);
        p->SetCaption(caption);
        p->SetBorderSize(1);
        p->setFixedHeight(h);
        layout->addWidget(p);
        return p;
    };
    add(ptTitle, "Navigator", 28);
    add(ptDivider, "Ansichten", 20);
    TUiNavPanel* normal = add(ptButton, "Kalender", 22);
    normal->SetGlyph(redGlyph());
    TUiNavPanel* hot = add(ptButton, "Wochenstatistik", 22);
    hot->SetGlyph(redGlyph());
    TUiNavPanel* down = add(ptButton, "Monatsstatistik", 22);
    down->SetGlyph(redGlyph());
    down->SetDown(true);
    TUiNavPanel* disabled = add(ptButton, "Belastung", 22);
    disabled->SetGlyph(redGlyph());
    disabled->setEnabled(false);
    TUiNavPanel* right = add(ptButtonGradient, "Glyph rechts", 22);
    right->SetGlyph(redGlyph());
    right->SetGlyphAlignment(gaRight);
    add(ptButton, "Eine viel zu lange Beschriftung, die abgeschnitten wird", 22);
    add(ptVGradient, QString(), 24);
    add(ptHGradient, QString(), 24);
    auto* splitter = new TUiNavSplitter(&pane);
    splitter->SetStyle(stXPTheme);
    splitter->setFixedHeight(7);
    layout->addWidget(splitter);
    pane.show();
    pane.grab();  // first paint applies the colour schemes (the hot gradient becomes active)
    enter(hot);
    EXPECT_TRUE(hot->Hot());
    saveShot(&pane, name, 2);

    // Each state looks like itself: the hot button gets its border, the pressed one its own
    // gradient; the glyph stands left, pale grey when disabled, or at the right edge.
    const QImage n = render(normal), h = render(hot), d = render(down), off = render(disabled), r = render(right);
    EXPECT_NE(pixel(h, 0, 0), pixel(n, 0, 0)) << "hot: with border";
    EXPECT_NE(pixel(d, 1, 20), pixel(h, 1, 20)) << "pressed: its own gradient";
    EXPECT_NE(pixel(d, 1, 20), pixel(n, 1, 20));
    const auto redBetween = [](const QImage& img, int fromX, int toX) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = fromX; x < toX; ++x)
                if (pixel(img, x, y) == RGBColor(255, 0, 0))
                    return true;
        return false;
    };
    EXPECT_TRUE(redBetween(n, 0, 24));
    EXPECT_FALSE(redBetween(off, 0, off.width())) << "disabled: pale glyph";
    EXPECT_TRUE(redBetween(r, r.width() - 24, r.width()));
    EXPECT_FALSE(redBetween(r, 0, r.width() / 2)) << "the glyph on the right";
}

}  // namespace

TEST(NavPanel, ScreenshotsInBothColourSchemes)
{
    navigationPaneShot(QStringLiteral("navpane_standard"));
    XPStyle xp;
    navigationPaneShot(QStringLiteral("navpane_xp_normalcolor"));
}

TEST(NavPanel, FormPropertiesReachTheSetters)
{
    TUiNavPanel p;
    EXPECT_TRUE(p.setProperty("Caption", QStringLiteral("Tools")));
    EXPECT_TRUE(p.setProperty("PanelType", int(ptDivider)));
    EXPECT_TRUE(p.setProperty("Style", int(stXPTheme)));
    EXPECT_TRUE(p.setProperty("BorderSize", 1));
    EXPECT_EQ(p.Caption(), "Tools");
    EXPECT_EQ(p.PanelType(), ptDivider);
    EXPECT_EQ(p.BorderEdges(), TUiNavBorderEdges(beBottom));
    EXPECT_EQ(p.Style(), stXPTheme);
    EXPECT_EQ(p.BorderSize(), 1);
    TUiNavSplitter s;
    EXPECT_TRUE(s.setProperty("AlignTo", int(aRight)));
    EXPECT_EQ(s.AlignTo(), aRight);
    EXPECT_EQ(s.Cursor(), crSizeWE);
}
