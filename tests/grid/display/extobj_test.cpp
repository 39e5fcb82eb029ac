// The grid's companion controls: the flat button (latching, toggling, the drop-down strip, hot
// tracking, its glyphs and layout, the action link), the move arrows, the popup label, the
// owning control list, the picture by file name and the colour-scheme lookup.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QMouseEvent>

#include "grid/display/extgrid.h"
#include "grid/display/extobj.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/visualstyle.h"
#include "tests/support/grid/recordingcanvas.h"
#include "tests/support/qstringprinter.h"

namespace {

void press(QWidget* w, const QPoint& at)
{
    QMouseEvent e(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void release(QWidget* w, const QPoint& at)
{
    QMouseEvent e(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void click(QWidget* w, const QPoint& at)
{
    press(w, at);
    release(w, at);
}

TEST(GridButton, DefaultsAndIgnoredValues)
{
    TExtGridButton b;
    EXPECT_TRUE(b.Flat());
    EXPECT_EQ(b.Margin(), -1);
    EXPECT_EQ(b.Spacing, 4);
    EXPECT_EQ(b.ColorHot, TColor(0x00CAC7C7));
    EXPECT_EQ(b.ColorDown, TColor(0x00D8D3D2));
    EXPECT_EQ(b.Style, tasButton);
    b.SetMargin(3);
    b.SetMargin(-2);  // below -1: ignored
    EXPECT_EQ(b.Margin(), 3);
    b.SetMargin(-1);
    EXPECT_EQ(b.Margin(), -1);
}

TEST(GridButton, CheckStyleTogglesOnlyOnAReleaseInside)
{
    QWidget parent;
    TExtGridButton b(&parent);
    b.setGeometry(0, 0, 40, 20);
    b.Style = tasCheck;
    int clicks = 0;
    b.OnClick = [&](QObject*) { ++clicks; };
    click(&b, QPoint(10, 10));
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(clicks, 1);
    // Pressed inside, released outside: no toggle, no click.
    press(&b, QPoint(10, 10));
    release(&b, QPoint(60, 10));
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(clicks, 1);
    click(&b, QPoint(39, 20));  // the bottom edge still counts
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(clicks, 2);
}

TEST(GridButton, DropDownStripOpensTheMenuWithoutAClick)
{
    QWidget parent;
    TExtGridButton b(&parent);
    b.setGeometry(0, 0, 60, 20);
    b.DropDownButton = true;
    QMenu menu;
    menu.addAction(QStringLiteral("Eins"));
    b.DropDownMenu = &menu;
    int clicks = 0;
    int dropped = 0;
    b.OnClick = [&](QObject*) { ++clicks; };
    b.OnDropDown = [&](QObject*) { ++dropped; };
    click(&b, QPoint(55, 10));
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    click(&b, QPoint(20, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dropped, 1);
}

TEST(GridButton, GroupsLatchExclusively)
{
    QWidget parent;
    TExtGridButton a(&parent);
    TExtGridButton b(&parent);
    TExtGridButton other(&parent);
    for (TExtGridButton* x : {&a, &b, &other})
        x->resize(30, 20);
    a.SetGroupIndex(1);
    b.SetGroupIndex(1);
    other.SetGroupIndex(2);
    other.SetDown(true);
    a.SetDown(true);
    EXPECT_EQ(a.State(), 3);
    b.SetDown(true);
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    EXPECT_TRUE(other.Down());
    // A latched button stays down unless its group allows all up.
    click(&b, QPoint(5, 5));
    EXPECT_TRUE(b.Down());
    a.SetAllowAllUp(true);  // tells the group
    b.SetDown(false);
    EXPECT_FALSE(b.Down());
}

TEST(GridButton, HotWhileThePointerIsOver)
{
    QWidget parent;
    TExtGridButton b(&parent);
    b.resize(30, 20);
    QStringList seen;
    b.OnMouseEnter = [&](QObject*) { seen << "enter"; };
    b.OnMouseLeave = [&](QObject*) { seen << "leave"; };
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&b, &enter);
    EXPECT_TRUE(b.Hot());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&b, &leave);
    EXPECT_FALSE(b.Hot());
    EXPECT_EQ(seen, (QStringList{"enter", "leave"}));
    // Not flat: no hot look, the events still fire.
    b.SetFlat(false);
    QCoreApplication::sendEvent(&b, &enter);
    EXPECT_FALSE(b.Hot());
    EXPECT_EQ(seen.size(), 3);
}

TEST(GridButton, GlyphsAndLayout)
{
    QPixmap glyph(10, 8);
    glyph.fill(QColor(30, 60, 90));
    TExtGridButton b;
    b.resize(100, 20);
    b.SetGlyph(glyph);
    // The disabled glyph: grey level (R + G + B) / 3 div 2 + 96.
    EXPECT_EQ(TExtGridButton::GreyLevel(30, 60, 90), 60 / 2 + 96);
    EXPECT_EQ(b.GlyphDisabled.toImage().pixelColor(0, 0), QColor(126, 126, 126));
    b.SetCaption(QStringLiteral("abc"));  // 21 px wide, 16 high
    QPoint g;
    QRect t;
    b.CalcLayout(b.rect(), QPoint(), g, t);
    // Centred: margin (100 - (10 + 4 + 21) + 1) div 2 = 33.
    EXPECT_EQ(g, QPoint(33, 6));
    EXPECT_EQ(t.topLeft(), QPoint(33 + 10 + 4, 2));
    b.Layout = gglGlyphRight;
    b.SetMargin(5);
    b.CalcLayout(b.rect(), QPoint(1, 1), g, t);
    EXPECT_EQ(g.x(), 100 - 5 - 10 + 1);
    EXPECT_EQ(t.left(), g.x() - 4 - 21);
    b.setEnabled(false);
    EXPECT_EQ(b.CurrentGlyph().toImage(), b.GlyphDisabled.toImage());
}

TEST(GridButton, FollowsItsAction)
{
    TActionList list;
    TAction action(&list);
    action.SetCaption(QStringLiteral("Suchen"));
    int executed = 0;
    action.OnExecute = [&](QObject*) { ++executed; };
    TExtGridButton b;
    b.SetAction(&action);
    EXPECT_EQ(b.Caption(), QStringLiteral("Suchen"));
    action.SetEnabled(false);
    EXPECT_FALSE(b.isEnabled());
    action.SetEnabled(true);
    b.Click();
    EXPECT_EQ(executed, 1);
}

TEST(GridCompanions, ArrowsPopupAndControlList)
{
    TExtStringGrid g;
    for (int d = 0; d < 4; ++d) {
        TArrowWindow* a = g.ArrowWindow(d);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->Direction(), d);
        EXPECT_TRUE(a->isHidden());
        EXPECT_EQ(TArrowWindow::ArrowPoints(d).size(), 7);
    }
    // The up arrow: its tip is inside, the corners beside the shaft are not.
    const QRegion up = g.ArrowWindow(0)->mask();
    EXPECT_TRUE(up.contains(QPoint(5, 1)));
    EXPECT_FALSE(up.contains(QPoint(1, 8)));
    EXPECT_EQ(g.ArrowWindow(4), nullptr);

    TPopupButton* p = g.PopupButton();
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(p->isEnabled());
    EXPECT_EQ(p->GradFrom, clNone);
    // A grid of the Vantor look passes its button gradient on when it is loaded.
    TExtStringGrid vantor;
    vantor.BeginLoad();
    vantor.SetLook(glVantor);
    vantor.Loaded();
    EXPECT_EQ(vantor.PopupButton()->GradFrom, TColor(0xC0C0C0));
    EXPECT_EQ(vantor.PopupButton()->GradTo, TColor(0xFFFFFF));
    p->SetCaption(QStringLiteral("Spalte"));
    p->Flat = true;
    RecordingCanvas canvas;
    p->PaintTo(canvas, QRect(0, 0, 80, 20));
    EXPECT_EQ(canvas.Texts(), QStringList{QStringLiteral("Spalte")});
    EXPECT_TRUE(canvas.OpsOf(CanvasOp::Line).isEmpty());

    QPointer<QWidget> first = new QWidget;
    QPointer<QWidget> second = new QWidget;
    {
        TControlList controls;
        controls.Add(first);
        controls.Add(second);
        controls.Delete(0);
        EXPECT_TRUE(first.isNull());
        EXPECT_EQ(controls.Count(), 1);
    }
    EXPECT_TRUE(second.isNull());
}

TEST(GridCompanions, FilePictureDecodesOncePerName)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bild.png"));
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(200, 10, 10));
    ASSERT_TRUE(image.save(file));
    TFilePicture picture;
    picture.SetFilename(file);
    EXPECT_EQ(picture.Width, 6);
    EXPECT_EQ(picture.Height, 4);
    RecordingCanvas canvas;
    picture.Draw(canvas, QRect(0, 0, 12, 8));
    picture.Draw(canvas, QRect(0, 0, 12, 8));
    // Every paint read the file again before; now the name's picture is kept.
    EXPECT_EQ(picture.DecodeCount(), 1);
    const QVector<RecordedOp> drawn = canvas.OpsOf(CanvasOp::Pixmap);
    ASSERT_EQ(drawn.size(), 2);
    EXPECT_EQ(drawn[0].image, drawn[1].image);
    EXPECT_EQ(drawn[1].image.pixelColor(2, 2), QColor(200, 10, 10));
    TFilePicture copy;
    copy.Assign(picture);
    EXPECT_EQ(copy.Filename(), file);
    EXPECT_EQ(copy.Width, 6);
    // An empty name draws nothing.
    TFilePicture none;
    canvas.Clear();
    none.Draw(canvas, QRect(0, 0, 5, 5));
    EXPECT_TRUE(canvas.Ops().isEmpty());
}

TEST(GridCompanions, SystemAndColourScheme)
{
    struct Case {
        int major;
        int minor;
        bool xp;
    };
    for (const Case& c : {Case{5, 0, false}, Case{5, 1, true}, Case{6, 0, true}, Case{4, 9, false}})
        EXPECT_EQ(IsWinXP(c.major, c.minor), c.xp) << c.major << "." << c.minor;
    EXPECT_EQ(CurrentXPColorScheme(), 0);
    for (auto [name, scheme] : {std::pair{"NormalColor", 1}, {"HomeStead", 2}, {"Metallic", 3}, {"Royale", 0}}) {
        SetActiveVisualStyle(QLatin1String(name));
        EXPECT_EQ(CurrentXPColorScheme(), scheme) << name;
    }
    SetActiveVisualStyle(std::nullopt);
    EXPECT_EQ(CurrentXPColorScheme(), 0);
}

}  // namespace
