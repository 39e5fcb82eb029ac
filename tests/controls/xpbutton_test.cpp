// The flat speed button: latching rules, glyph strips and their prepared images, the layout of
// glyph and caption, mouse behaviour and what it paints in each state.
#include "controls/xpbutton.h"

#include "controls/framedrawing.h"
#include "platform/vcl/forms.h"
#include "tests/controls/controltesthelpers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLabel>
#include <QPainter>

#include <memory>

using namespace controltest;

namespace {

// A strip of n 16 x 16 images on an olive background: a black square with a white and a grey
// pixel in image 0, a grey square in the others.
QImage glyphStrip(int n, int size = 16)
{
    QImage img(size * n, size, QImage::Format_RGB32);
    img.fill(QColor(0x80, 0x80, 0x00));  // olive, the usual transparent colour
    QPainter p(&img);
    for (int i = 0; i < n; ++i) {
        const QColor c = i == 0 ? Qt::black : QColor(0x40, 0x40, 0x40);
        p.fillRect(QRect(i * size + 4, 4, 8, 8), c);
    }
    p.end();
    img.setPixel(5, 5, qRgb(255, 255, 255));
    img.setPixel(6, 6, qRgb(128, 128, 128));
    if (n > 1) {
        img.setPixel(size + 5, 5, qRgb(255, 255, 255));
        img.setPixel(size + 6, 6, qRgb(128, 128, 128));
    }
    return img;
}

class XPButtonTest : public ::testing::Test {
protected:
    void SetUp() override { QCursor::setPos(-1000, -1000); }  // the pointer is over no test window

    // A flat, opaque 40 x 30 button in a plain colour (0x00336699), for reading its pixels.
    static void paintedFlat(TXPButton& b)
    {
        b.setGeometry(10, 10, 40, 30);
        b.SetFlat(true);
        b.SetTransparent(false);
        b.SetColor(0x00336699);
    }
};

}  // namespace

TEST(XPButtonRules, DownWriteTable)
{
    struct Case {
        int group;
        bool allowAllUp, current, value;
        bool changes, newDown;
    };
    const Case cases[] = {
        {0, false, false, true, false, false},  // group 0 never latches
        {0, true, false, true, false, false},
        {1, false, false, true, true, true},
        {1, false, true, false, false, true},   // latched, group does not allow all up
        {1, true, true, false, true, false},    // allow all up: released
        {1, false, true, true, false, true},    // no change
        {3, true, false, false, false, false},
    };
    for (const Case& c : cases) {
        const TDownWrite w = DecideDownWrite(c.group, c.allowAllUp, c.current, c.value);
        EXPECT_EQ(w.Changes, c.changes) << c.group << c.allowAllUp << c.current << c.value;
        EXPECT_EQ(w.NewDown, c.newDown) << c.group << c.allowAllUp << c.current << c.value;
    }
}

TEST(XPButtonRules, GlyphCountOfStrip)
{
    struct Case {
        int w, h, count;
    };
    const Case cases[] = {{64, 16, 4}, {80, 16, 1}, {32, 16, 2}, {48, 16, 3}, {16, 16, 1},
                          {20, 16, 0}, {16, 0, 0},  {0, 16, 0},  {96, 16, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(GlyphCountOfStrip(c.w, c.h), c.count) << c.w << "x" << c.h;
}

TEST(XPButtonRules, LayoutOfGlyphAndCaption)
{
    const QRect client(1, 1, 60, 40);
    const QSize glyph(16, 16);
    const QSize text(30, 13);
    struct Case {
        const char* what;
        QRect client;
        QPoint offset;
        QSize glyph, text;
        TButtonLayout layout;
        int margin, spacing;
        bool rtl;
        QPoint glyphPos;
        QPoint textPos;
    };
    const Case cases[] = {
        {"left, centred block", client, {0, 0}, glyph, text, blGlyphLeft, -1, 4, false, {6, 13}, {26, 15}},
        {"right, margin 2", client, {0, 0}, glyph, text, blGlyphRight, 2, 4, false, {43, 13}, {9, 15}},
        {"top, spread evenly", client, {0, 0}, glyph, text, blGlyphTop, -1, -1, false, {23, 4}, {16, 23}},
        {"bottom, margin 3, spread", client, {0, 0}, glyph, text, blGlyphBottom, 3, -1, false, {23, 22}, {16, 5}},
        {"no caption: spacing 0", client, {0, 0}, glyph, {0, 0}, blGlyphLeft, -1, 4, false, {23, 13}, {39, 21}},
        {"right-to-left swaps left", client, {0, 0}, glyph, text, blGlyphLeft, 2, 4, true, {43, 13}, {9, 15}},
        {"pressed offset", client, {1, 1}, glyph, text, blGlyphLeft, -1, 4, false, {7, 14}, {27, 16}},
        {"too narrow: truncated toward zero", QRect(1, 1, 20, 40), {0, 0}, glyph, text, blGlyphLeft, -1, 4, false,
         {-13, 13}, {7, 15}},
    };
    for (const Case& c : cases) {
        const TButtonLayoutResult r =
            CalcButtonLayout(c.client, c.offset, c.glyph, c.text, c.layout, c.margin, c.spacing, c.rtl);
        EXPECT_EQ(r.GlyphPos, c.glyphPos) << c.what;
        EXPECT_EQ(r.TextBounds.topLeft(), c.textPos) << c.what;
        EXPECT_EQ(r.TextBounds.size(), c.text) << c.what;
    }
}

TEST(XPButtonRules, Accelerator)
{
    EXPECT_TRUE(IsAccelerator(QChar('w'), "&Woche"));
    EXPECT_TRUE(IsAccelerator(QChar('M'), "&monat"));
    EXPECT_TRUE(IsAccelerator(QChar(0xFC), "Gr&\u00DCn"));
    EXPECT_FALSE(IsAccelerator(QChar('W'), "Woche"));
    EXPECT_FALSE(IsAccelerator(QChar('a'), "A&&B"));  // "&&" is a plain ampersand
}

TEST_F(XPButtonTest, GroupLatchingStaysWithinGroupAndParent)
{
    QWidget parentA, parentB;
    TXPButton a1(&parentA), a2(&parentA), a3(&parentA), b1(&parentB);
    a1.SetGroupIndex(1);
    a2.SetGroupIndex(1);
    a3.SetGroupIndex(2);
    b1.SetGroupIndex(1);
    a3.SetDown(true);
    b1.SetDown(true);
    a1.SetDown(true);
    EXPECT_TRUE(a1.Down());
    EXPECT_EQ(a1.State(), bsExclusive);
    a2.SetDown(true);
    EXPECT_TRUE(a2.Down());
    EXPECT_FALSE(a1.Down()) << "latching releases the group's other button";
    EXPECT_EQ(a1.State(), bsUp);
    EXPECT_TRUE(a3.Down()) << "another group on the same parent is not touched";
    EXPECT_TRUE(b1.Down()) << "the same group on another parent is not touched";

    // Without AllowAllUp a latched button cannot be released through Down.
    a2.SetDown(false);
    EXPECT_TRUE(a2.Down());
    // AllowAllUp is shared by the group: the last announcement wins.
    a1.SetAllowAllUp(true);
    EXPECT_TRUE(a2.AllowAllUp());
    EXPECT_FALSE(b1.AllowAllUp());
    a2.SetDown(false);
    EXPECT_FALSE(a2.Down());
}

TEST_F(XPButtonTest, GroupZeroNeverStaysDown)
{
    QWidget parent;
    TXPButton b(&parent);
    int clicks = 0;
    b.OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, &b);
        ++clicks;
    };
    b.SetDown(true);
    EXPECT_FALSE(b.Down());
    click(&b);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(b.State(), bsUp);
}

TEST_F(XPButtonTest, ClickingALatchedButton)
{
    struct Case {
        bool allowAllUp;
        bool downAfterSecondClick;
    };
    for (const Case c : {Case{false, true}, Case{true, false}}) {
        QWidget parent;
        TXPButton b(&parent), other(&parent);
        b.SetGroupIndex(5);
        other.SetGroupIndex(5);
        b.SetAllowAllUp(c.allowAllUp);
        int clicks = 0;
        b.OnClick = [&](QObject*) { ++clicks; };
        other.SetDown(true);
        click(&b);
        EXPECT_TRUE(b.Down());
        EXPECT_FALSE(other.Down());
        click(&b);
        EXPECT_EQ(b.Down(), c.downAfterSecondClick) << "AllowAllUp " << c.allowAllUp;
        EXPECT_EQ(clicks, 2) << "the second click fires OnClick either way";
    }
}

TEST_F(XPButtonTest, SpaceAndReturnPressTheFocusedButtonAsTheMouseDoes)
{
    // In a window of its own: Space presses a button as a click does (a grouped one goes down or
    // back up where its group allows it, then it clicks); so does Return where the window has no
    // default button. Where it has one, Return on any button goes to that default button.
    struct Case {
        int group;
        bool allowAllUp;
        bool withDefault;
        int key;
        QList<bool> downs;  // after each of two presses
        int clicks;
        int defaultClicks;
    } cases[] = {
        {0, false, false, Qt::Key_Space, {false, false}, 2, 0},
        {3, false, false, Qt::Key_Space, {true, true}, 2, 0},
        {3, true, false, Qt::Key_Space, {true, false}, 2, 0},
        {3, true, false, Qt::Key_Return, {true, false}, 2, 0},
        {0, false, false, Qt::Key_Enter, {false, false}, 2, 0},
        {0, false, true, Qt::Key_Return, {false, false}, 0, 2},
        {0, false, true, Qt::Key_Space, {false, false}, 2, 0},
    };
    for (const Case& c : cases) {
        TForm window;
        TXPButton b(&window), other(&window), okButton(&window);
        b.setFocusPolicy(Qt::StrongFocus);
        b.SetGroupIndex(c.group);
        other.SetGroupIndex(c.group);
        b.SetAllowAllUp(c.allowAllUp);
        int clicks = 0, defaultClicks = 0;
        b.OnClick = [&](QObject*) { ++clicks; };
        okButton.OnClick = [&](QObject*) { ++defaultClicks; };
        okButton.setProperty("Default", c.withDefault);
        window.show();
        QApplication::setActiveWindow(&window);
        b.setFocus();
        QList<bool> downs;
        for (int i = 0; i < 2; ++i) {
            key(&b, c.key, c.key == Qt::Key_Space ? QStringLiteral(" ") : QString());
            downs << b.Down();
        }
        EXPECT_EQ(downs, c.downs) << c.group << " " << c.key;
        EXPECT_EQ(clicks, c.clicks) << c.group << " " << c.key;
        EXPECT_EQ(defaultClicks, c.defaultClicks) << c.group << " " << c.key;
        window.hide();
    }
}

TEST_F(XPButtonTest, DraggingOutAndReleasingOutsideDoesNotClick)
{
    QWidget parent;
    TXPButton b(&parent);
    int clicks = 0;
    b.OnClick = [&](QObject*) { ++clicks; };
    press(&b, {5, 5});
    EXPECT_EQ(b.State(), bsDown);
    EXPECT_TRUE(b.Dragging());
    move(&b, {40, 5});
    EXPECT_EQ(b.State(), bsUp);
    move(&b, {5, 5});
    EXPECT_EQ(b.State(), bsDown);
    release(&b, {40, 40});
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b.State(), bsUp);
    EXPECT_FALSE(b.Dragging());
}

TEST_F(XPButtonTest, DoubleClickFiresOnlyWhileDown)
{
    QWidget parent;
    TXPButton b(&parent);
    b.SetGroupIndex(1);
    b.SetAllowAllUp(true);
    int dbl = 0;
    b.OnDblClick = [&](QObject*) { ++dbl; };
    // The second press of a double click on a button that is up: no OnDblClick.
    mouse(&b, QEvent::MouseButtonDblClick, {3, 3});
    EXPECT_EQ(dbl, 0);
    release(&b, {3, 3});
    ASSERT_TRUE(b.Down());
    mouse(&b, QEvent::MouseButtonDblClick, {3, 3});
    EXPECT_EQ(dbl, 1);
}

TEST_F(XPButtonTest, AcceleratorOnlyWhileEnabledAndVisible)
{
    QWidget parent;
    TXPButton b(&parent);
    b.SetCaption("&Woche");
    int clicks = 0;
    b.OnClick = [&](QObject*) { ++clicks; };
    EXPECT_FALSE(b.DialogChar('w')) << "parent not showing";
    parent.show();
    EXPECT_TRUE(b.DialogChar('w'));
    EXPECT_FALSE(b.DialogChar('x'));
    b.setEnabled(false);
    EXPECT_FALSE(b.DialogChar('w'));
    b.setEnabled(true);
    b.hide();
    EXPECT_FALSE(b.DialogChar('w'));
    EXPECT_EQ(clicks, 1);
}

TEST_F(XPButtonTest, SettersAndTheirLimits)
{
    TXPButton b;
    EXPECT_EQ(b.size(), QSize(23, 22));
    EXPECT_EQ(b.HighlightColor(), 0x00D6BEB5u);
    EXPECT_EQ(b.FrameColor(), 0u);
    EXPECT_TRUE(b.Transparent());
    b.SetMargin(-5);
    EXPECT_EQ(b.Margin(), -1) << "margins below -1 are ignored";
    b.SetNumGlyphs(7);
    EXPECT_EQ(b.NumGlyphs(), 4);
    b.SetNumGlyphs(0);
    EXPECT_EQ(b.NumGlyphs(), 4);
    b.SetGlyph(glyphStrip(4));
    EXPECT_EQ(b.NumGlyphs(), 4);
    b.SetGlyph(glyphStrip(5));  // 80 x 16
    EXPECT_EQ(b.NumGlyphs(), 1);
    b.SetGlyph(glyphStrip(2));
    EXPECT_EQ(b.NumGlyphs(), 2);
    EXPECT_EQ(b.ButtonGlyph().TransparentColor(), 0x00008080u) << "the bottom-left pixel";
}

TEST(GlyphList, SlotsAreReusedLowestFirst)
{
    TGlyphList list(16, 16);
    const QImage img(16, 16, QImage::Format_ARGB32);
    EXPECT_EQ(list.Add(img), 0);
    EXPECT_EQ(list.Add(img), 1);
    EXPECT_EQ(list.Add(img), 2);
    list.Delete(1);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Add(img), 0);
    EXPECT_EQ(list.Add(img), 1);
    EXPECT_EQ(list.Add(img), 3) << "grows only when every slot is used";
    EXPECT_EQ(list.SlotCount(), 4);
}

TEST_F(XPButtonTest, ButtonsShareOneListPerSizeAndFreeTheCache)
{
    {
        TXPButton a, b, c;
        a.SetGlyph(glyphStrip(2));
        b.SetGlyph(glyphStrip(1));
        c.SetGlyph(glyphStrip(1, 20));
        a.ButtonGlyph().CreateButtonGlyph(bsUp);
        b.ButtonGlyph().CreateButtonGlyph(bsUp);
        c.ButtonGlyph().CreateButtonGlyph(bsUp);
        ASSERT_NE(TGlyphCache::Instance(), nullptr);
        EXPECT_EQ(a.ButtonGlyph().List(), b.ButtonGlyph().List());
        EXPECT_NE(a.ButtonGlyph().List(), c.ButtonGlyph().List());
        EXPECT_EQ(TGlyphCache::Instance()->ListCount(), 2);
        // The down state uses the up image while the strip has fewer than three images.
        EXPECT_EQ(a.ButtonGlyph().CreateButtonGlyph(bsDown), a.ButtonGlyph().ImageIndex(bsUp));
        // A new glyph releases the prepared images.
        c.SetGlyph(QImage());
        EXPECT_EQ(c.ButtonGlyph().ImageIndex(bsUp), -1);
        EXPECT_EQ(TGlyphCache::Instance()->ListCount(), 1);
    }
    EXPECT_EQ(TGlyphCache::Instance(), nullptr) << "the last glyph frees the empty cache";
}

TEST_F(XPButtonTest, PreparedImages)
{
    const QRgb highlight = ToQColor(clBtnHighlight).rgb();
    const QRgb shadow = ToQColor(clBtnShadow).rgb();
    TButtonGlyph one;
    one.SetGlyph(glyphStrip(1));
    const QImage up = one.StateImage(bsUp);
    EXPECT_EQ(qAlpha(up.pixel(0, 0)), 0) << "the transparent colour is masked";
    EXPECT_EQ(up.pixel(4, 4), qRgb(0, 0, 0));
    // One image: embossed, glyph pixels in the shadow colour with a highlight one pixel lower right.
    const QImage dis1 = one.StateImage(bsDisabled);
    EXPECT_EQ(dis1.pixel(4, 4) | 0xFF000000u, shadow);
    EXPECT_EQ(dis1.pixel(12, 12) | 0xFF000000u, highlight);
    EXPECT_EQ(qAlpha(dis1.pixel(0, 0)), 0);

    // Two images: the second, with white, grey and transparent recoloured.
    TButtonGlyph two;
    two.SetGlyph(glyphStrip(2));
    const QImage dis2 = two.StateImage(bsDisabled);
    EXPECT_EQ(dis2.pixel(4, 4), qRgb(0x40, 0x40, 0x40));
    EXPECT_EQ(dis2.pixel(5, 5) | 0xFF000000u, highlight);
    EXPECT_EQ(dis2.pixel(6, 6) | 0xFF000000u, shadow);
    EXPECT_EQ(qAlpha(dis2.pixel(0, 0)), 0) << "face where it was transparent, masked as the bottom-left colour";
}

TEST_F(XPButtonTest, PaintedStates)
{
    QWidget parent;
    parent.resize(100, 60);
    TXPButton b(&parent);
    paintedFlat(b);
    parent.show();

    QImage img = render(&b);
    EXPECT_EQ(pixel(img, 20, 15), 0x00336699u) << "normal: only its colour";
    EXPECT_EQ(pixel(img, 0, 0), 0x00336699u) << "normal: no edge";

    enter(&b);
    ASSERT_TRUE(b.MouseInControl());
    img = render(&b);
    EXPECT_EQ(pixel(img, 20, 15), 0x00D6BEB5u) << "hover: highlight fill";
    EXPECT_EQ(pixel(img, 0, 0), 0u) << "hover: black frame";
    EXPECT_EQ(pixel(img, 39, 29), 0u);
    leave(&b);
    EXPECT_FALSE(b.MouseInControl());

    b.SetGroupIndex(1);
    b.SetDown(true);
    img = render(&b);
    EXPECT_EQ(pixel(img, 0, 0), ColorToRGB(clBtnShadow)) << "latched: sunken edge";
    EXPECT_EQ(pixel(img, 39, 29), ColorToRGB(clBtnHighlight));
    const TColor c1 = pixel(img, 10, 10), c2 = pixel(img, 11, 10);
    EXPECT_NE(c1, c2) << "latched: checker pattern";
    EXPECT_TRUE((c1 == ColorToRGB(clBtnFace) && c2 == ColorToRGB(clBtnHighlight)) ||
                (c2 == ColorToRGB(clBtnFace) && c1 == ColorToRGB(clBtnHighlight)));

    b.SetFlat(false);
    b.SetAllowAllUp(true);
    b.SetDown(false);
    img = render(&b);
    EXPECT_EQ(pixel(img, 0, 0), ColorToRGB(cl3DLight)) << "not flat: raised push button frame";
    EXPECT_EQ(pixel(img, 39, 29), ColorToRGB(cl3DDkShadow));
}

TEST_F(XPButtonTest, TheFocusedButtonShowsADottedRectangleInsideItsEdge)
{
    QWidget parent;
    parent.resize(100, 60);
    TXPButton b(&parent);
    paintedFlat(b);
    b.setFocusPolicy(Qt::StrongFocus);
    parent.show();
    QApplication::setActiveWindow(&parent);
    // The text-coloured dots on a row and on a column of the button.
    auto dotsOnRow = [](const QImage& img, int y) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x)
            n += pixel(img, x, y) == ColorToRGB(clBtnText);
        return n;
    };
    auto dotsOnColumn = [](const QImage& img, int x) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            n += pixel(img, x, y) == ColorToRGB(clBtnText);
        return n;
    };
    b.clearFocus();  // the window's only Tab stop takes the focus when the window comes up
    EXPECT_EQ(dotsOnRow(render(&b), 2), 0) << "without the focus: only its colour";
    b.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(b.hasFocus());
    const QImage focused = render(&b);
    EXPECT_GE(dotsOnRow(focused, 2), 10) << "the top edge, dotted";
    EXPECT_LE(dotsOnRow(focused, 2), 20);
    EXPECT_GE(dotsOnRow(focused, 27), 10) << "the bottom edge";
    EXPECT_GE(dotsOnColumn(focused, 2), 8) << "the left edge";
    EXPECT_EQ(dotsOnRow(focused, 1), 0) << "inside the button's edge";
    b.setEnabled(false);
    EXPECT_EQ(dotsOnRow(render(&b), 2), 0) << "a disabled button shows none";
}

TEST_F(XPButtonTest, DisabledCaptionIsEmbossed)
{
    QWidget parent;
    TXPButton b(&parent);
    b.resize(60, 24);
    b.SetCaption("WWW");
    b.setEnabled(false);
    const QImage img = render(&b);
    bool highlight = false, shadow = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            highlight |= pixel(img, x, y) == ColorToRGB(clBtnHighlight) && x > 3 && y > 3 && x < 56 && y < 20;
            shadow |= pixel(img, x, y) == ColorToRGB(clBtnShadow) && x > 3 && y > 3 && x < 56 && y < 20;
        }
    EXPECT_TRUE(highlight);
    EXPECT_TRUE(shadow);
    EXPECT_EQ(b.State(), bsDisabled);
}

// The keyboard focus shows as a dotted frame just inside the border, in the button text colour;
// outside it, and on a button without the focus, every pixel stays as it was.
TEST_F(XPButtonTest, FocusShowsADottedFrameOnlyWhileFocused)
{
    const struct {
        const char* what;
        bool flat;
        int inset;  // of the dotted frame from the button's edge
    } cases[] = {{"flat", true, 2}, {"push button", false, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget window;
        window.resize(120, 60);
        auto* other = new QLineEdit(&window);
        other->setGeometry(60, 10, 50, 22);
        auto* b = new TXPButton(&window);
        b->setGeometry(10, 10, 40, 30);
        b->SetFlat(c.flat);
        b->SetTransparent(false);
        b->SetColor(0x00336699);
        b->SetCaption(QStringLiteral("Ok"));
        b->setFocusPolicy(Qt::StrongFocus);
        window.show();
        QApplication::setActiveWindow(&window);
        other->setFocus();
        const QImage unfocused = render(b);

        b->setFocus();
        ASSERT_TRUE(b->hasFocus());
        const QImage focused = render(b);
        saveShot(b, QStringLiteral("xpbutton_focus_%1").arg(c.flat ? "flat" : "push"), 6);
        const int i = c.inset;
        const TColor dot = ColorToRGB(clBtnText);
        // Dots on all four sides: the frame runs from (i, i) to (39 - i, 29 - i).
        for (const QPoint& pt : {QPoint(i, i), QPoint(i + 2, i), QPoint(39 - i, i + 1), QPoint(i + 1, 29 - i),
                                 QPoint(i, 29 - i - 1)})
            EXPECT_EQ(pixel(focused, pt.x(), pt.y()), dot) << pt.x() << "," << pt.y();
        // Every other pixel of the frame, and all pixels outside it, keep the face.
        EXPECT_EQ(pixel(focused, i + 1, i), pixel(unfocused, i + 1, i));
        for (int d = 0; d < i; ++d)
            EXPECT_EQ(pixel(focused, d, d), pixel(unfocused, d, d)) << "border " << d;
        EXPECT_NE(focused, unfocused);

        other->setFocus();
        EXPECT_EQ(render(b), unfocused) << "losing the focus removes the frame";
    }
}

TEST_F(XPButtonTest, ScreenshotOfTheStates)
{
    QWidget strip;
    strip.setAutoFillBackground(true);
    QPalette pal = strip.palette();
    pal.setColor(QPalette::Window, ToQColor(clBtnFace));
    strip.setPalette(pal);
    auto* layout = new QHBoxLayout(&strip);
    const char* names[] = {"normal", "hover", "down", "latched", "disabled", "not flat", "1 image"};
    std::vector<TXPButton*> buttons;
    for (const char* name : names) {
        auto* b = new TXPButton(&strip);
        b->setFixedSize(64, 48);
        b->SetFlat(true);
        b->SetTransparent(false);
        b->SetLayout(blGlyphTop);
        b->SetGlyph(glyphStrip(2));
        b->SetCaption(QString::fromLatin1(name));
        b->SetGroupIndex(std::string(name) == "latched" ? 7 : 0);
        layout->addWidget(b);
        buttons.push_back(b);
    }
    strip.show();
    enter(buttons[1]);
    press(buttons[2], {10, 10});
    buttons[3]->SetDown(true);
    buttons[4]->setEnabled(false);
    buttons[5]->SetFlat(false);
    buttons[6]->SetGlyph(glyphStrip(1));  // disabled with one image: embossed
    buttons[6]->setEnabled(false);
    EXPECT_EQ(buttons[2]->State(), bsDown);
    EXPECT_EQ(buttons[3]->State(), bsExclusive);
    saveShot(&strip, QStringLiteral("xpbutton_states"));

    // Every state is drawn differently from the flat normal button.
    const QImage normal = render(buttons[0]);
    for (size_t i = 1; i < buttons.size(); ++i)
        EXPECT_NE(render(buttons[i]), normal) << names[i];
    EXPECT_NE(render(buttons[1]), render(buttons[2])) << "hover and down";
}

TEST_F(XPButtonTest, FormPropertiesReachTheSetters)
{
    QWidget parent;
    TXPButton a(&parent), b(&parent);
    EXPECT_TRUE(a.setProperty("Caption", QStringLiteral("S")));
    EXPECT_TRUE(a.setProperty("Layout", int(blGlyphTop)));
    EXPECT_TRUE(a.setProperty("GroupIndex", 2));
    EXPECT_TRUE(b.setProperty("GroupIndex", 2));
    EXPECT_TRUE(a.setProperty("Down", true));
    EXPECT_TRUE(b.setProperty("Down", true));
    EXPECT_EQ(a.Caption(), "S");
    EXPECT_EQ(a.Layout(), blGlyphTop);
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(b.property("HighlightColor").toUInt(), 0x00D6BEB5u);
}
