// The cell mark-up renderer and its pictures: entities, line breaks, font sizes and colours,
// anchors and controls under a point, lines cut or wrapped, the text helpers, and pictures by
// name and by frame.
#include <gtest/gtest.h>

#include <QBuffer>

#include "grid/display/esghtmle.h"
#include "grid/display/picturecontainer.h"
#include "tests/support/grid/recordingcanvas.h"
#include "tests/support/messages.h"
#include "tests/support/qstringprinter.h"

namespace {

THTMLDrawResult draw(RecordingCanvas& canvas, const QString& text, QRect rect = QRect(0, 0, 400, 60),
                     QPoint point = QPoint(-1, -1), bool wrap = false)
{
    THTMLDrawInput in;
    in.Rect = rect;
    in.Point = point;
    in.WordWrap = wrap;
    return DrawHTMLText(canvas, text, in);
}

TEST(HTMLText, EntitiesLineBreaksSizesAndColours)
{
    RecordingCanvas canvas;
    canvas.Font.setPointSize(9);
    draw(canvas, QStringLiteral("a &amp; b <B>x</B>"));
    EXPECT_TRUE(canvas.Texts().contains(QStringLiteral("a & b ")));
    canvas.Clear();
    draw(canvas, QStringLiteral("&lt;B&gt;plain<I>i</I>"));
    ASSERT_FALSE(canvas.OpsOf(CanvasOp::Text).isEmpty());
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Text)[0].text, QStringLiteral("<B>plain"));
    EXPECT_FALSE(canvas.OpsOf(CanvasOp::Text)[0].font.bold()) << "an escaped tag opens none";
    canvas.Clear();
    draw(canvas, QStringLiteral("<B>&permil; &euro; &trade;</B>"));
    EXPECT_TRUE(canvas.Texts().contains(QStringLiteral("\u2030 \u20AC \u2122")));

    canvas.Clear();
    const THTMLDrawResult two = draw(canvas, QStringLiteral("<B>one</B>\r\ntwo"));
    EXPECT_EQ(two.YSize, 32);
    EXPECT_EQ(two.StripVal, QStringLiteral("one\rtwo"));
    const QVector<RecordedOp> lines = canvas.OpsOf(CanvasOp::Text);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_GT(lines[1].rect.top(), lines[0].rect.top());

    canvas.Clear();
    draw(canvas, QStringLiteral("<FONT SIZE=\"3\">a</FONT><FONT SIZE=\"20\">b</FONT><FONT SIZE=\"0\">c</FONT></B>"));
    const QVector<RecordedOp> sized = canvas.OpsOf(CanvasOp::Text);
    ASSERT_EQ(sized.size(), 3);
    EXPECT_EQ(sized[0].font.pointSize(), 12);
    EXPECT_EQ(sized[1].font.pointSize(), 20);
    EXPECT_EQ(sized[2].font.pointSize(), 9) << "size 0 keeps the cell's size";

    EXPECT_EQ(HTMLColor(QStringLiteral("#FF0000")), TColor(0x0000FF));
    EXPECT_EQ(HTMLColor(QStringLiteral("clRed")), TColor(0x0000FF));
    EXPECT_EQ(HTMLColor(QStringLiteral("clBtnFace")), clBtnFace);
    EXPECT_EQ(HTMLColor(QStringLiteral("nocolour")), TColor(0));
    canvas.Clear();
    draw(canvas, QStringLiteral("<FONT COLOR=\"#FF0000\">r</FONT> <FONT COLOR=\"clgreen\">g</FONT></B>"));
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Text)[0].color, clRed);
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Text).back().color, clGreen);
}

TEST(HTMLText, AnchorsAndControlsUnderAPoint)
{
    RecordingCanvas canvas;
    const QString links = QStringLiteral("<A HREF=\"one\">first</A> and <A HREF=\"two\">second</A>");
    // 7 pixels a character from x = 1: "first" 1..36, " and " 36..71, "second" 71..113.
    THTMLDrawResult r = draw(canvas, links, QRect(0, 0, 400, 20), QPoint(80, 10));
    EXPECT_EQ(r.MouseLink, 2);
    EXPECT_EQ(r.AnchorVal, QStringLiteral("two"));
    EXPECT_EQ(r.HoverRect, QRect(71, 0, 42, 16));
    EXPECT_EQ(r.HyperLinks, 2);
    EXPECT_FALSE(r.Hit);
    r = draw(canvas, links, QRect(0, 0, 400, 20), QPoint(50, 10));
    EXPECT_EQ(r.MouseLink, -1);
    EXPECT_EQ(r.AnchorVal, QString());
    EXPECT_FALSE(r.Hit);
    // Every anchor underlined in the link colour.
    canvas.Clear();
    draw(canvas, links);
    EXPECT_TRUE(canvas.OpsOf(CanvasOp::Text)[0].font.underline());
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Text)[0].color, clBlue);
    EXPECT_FALSE(canvas.OpsOf(CanvasOp::Text)[1].font.underline());

    const QString check = QStringLiteral("<B>x</B><CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"80\">");
    canvas.Clear();
    r = draw(canvas, check, QRect(0, 0, 400, 20), QPoint(15, 10));
    EXPECT_TRUE(r.Hit);
    EXPECT_EQ(r.AnchorVal, QStringLiteral("ctrl"));
    EXPECT_EQ(r.ControlID, QStringLiteral("c1"));
    EXPECT_EQ(r.ControlType, QStringLiteral("CHECK"));
    EXPECT_EQ(r.ControlRect.size(), QSize(16, 16));
    bool ticked = false;
    for (const RecordedOp& op : canvas.OpsOf(CanvasOp::Polyline))
        ticked = ticked || op.penWidth == 2;
    EXPECT_TRUE(ticked);
    // Found by its ID without a point.
    THTMLDrawInput byId;
    byId.Rect = QRect(0, 0, 400, 20);
    byId.HitTestOnly = true;
    byId.ControlID = QStringLiteral("c1");
    EXPECT_EQ(DrawHTMLText(canvas, check, byId).ControlRect.size(), QSize(16, 16));

    QString form = QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"old\" WIDTH=\"60\" PROP=\"p\"> <CONTROL "
                                  "TYPE=\"CHECK\" ID=\"c2\" VALUE=\"FALSE\" WIDTH=\"20\"><CONTROL TYPE=\"COMBO\" ID=\"e2\" "
                                  "VALUE=\"\" WIDTH=\"60\"></B>");
    EXPECT_TRUE(HasHTMLControls(form));
    EXPECT_EQ(NextEditableControlID(form, QString()), QStringLiteral("e1"));
    EXPECT_EQ(NextEditableControlID(form, QStringLiteral("e1")), QStringLiteral("e2"));
    EXPECT_EQ(NextEditableControlID(form, QStringLiteral("e2")), QString());
    EXPECT_EQ(GetControlProp(form, QStringLiteral("e1")), QStringLiteral("p"));
    ASSERT_TRUE(SetControlValue(form, QStringLiteral("e1"), QStringLiteral("say \"hi\" & <go>")));
    EXPECT_TRUE(form.contains(QStringLiteral("VALUE=\"say &quot;hi&quot; &amp; &lt;go&gt;\"")));
    const int at = int(form.indexOf(QLatin1String("<CONTROL ")));
    EXPECT_EQ(ParseControlTag(form.mid(at + 9, form.indexOf(QLatin1Char('>'), at) - at - 9)).Value,
              QStringLiteral("say \"hi\" & <go>"));
    EXPECT_FALSE(SetControlValue(form, QStringLiteral("nope"), QStringLiteral("x")));
}

TEST(HTMLText, EmptyTextsLongLinesAndTheTextHelpers)
{
    RecordingCanvas canvas;
    const THTMLDrawResult empty = draw(canvas, QString());
    EXPECT_EQ(empty.YSize, 16);
    EXPECT_EQ(empty.XSize, 0);

    const QString longLine = QStringLiteral("<B>aaaa bbbb cccc dddd</B>");
    canvas.Clear();
    THTMLDrawResult r = draw(canvas, longLine, QRect(0, 0, 71, 60));
    ASSERT_EQ(canvas.OpsOf(CanvasOp::Text).size(), 1);
    EXPECT_TRUE(canvas.OpsOf(CanvasOp::Text)[0].text.endsWith(QStringLiteral("...")) ||
                canvas.OpsOf(CanvasOp::Text)[0].text.endsWith(QChar(0x2026)));
    EXPECT_LE(canvas.OpsOf(CanvasOp::Text)[0].rect.width(), 71);
    canvas.Clear();
    r = draw(canvas, longLine, QRect(0, 0, 71, 60), QPoint(-1, -1), true);
    EXPECT_EQ(r.YSize, 32) << "two words a line";
    r = draw(canvas, QStringLiteral("<B>x averyveryverylongword y</B>"), QRect(0, 0, 71, 80), QPoint(-1, -1), true);
    EXPECT_EQ(r.YSize, 48) << "the long word keeps a line of its own";

    EXPECT_EQ(StripHTML(QStringLiteral("<B>a</B><br>b<HR>c")), QStringLiteral("a\r\nb\r\nc"));
    const QString marked = HighlightText(QStringLiteral("<B>Halbmarathon</B> mara"), QStringLiteral("MARA"),
                                         QStringLiteral("hi"), false);
    EXPECT_EQ(marked, QStringLiteral("<B>Halb<hi>mara</hi>thon</B> <hi>mara</hi>"));
    EXPECT_EQ(UnHighlightText(marked, QStringLiteral("HI")), QStringLiteral("<B>Halbmarathon</B> mara"));
    EXPECT_EQ(HighlightText(QStringLiteral("mara"), QStringLiteral("MARA"), QStringLiteral("hi"), true),
              QStringLiteral("mara"));
}

// A GIF of 1 x 1 pixel with one frame per given colour index (0 or 1: red or blue).
QByteArray gif(const QList<int>& frames)
{
    QByteArray b("GIF89a");
    b += QByteArray::fromHex("01000100" "80" "00" "00");  // 1 x 1, a table of 2 colours
    b += QByteArray::fromHex("FF0000" "0000FF");
    for (int index : frames) {
        b += QByteArray::fromHex("21F904000A000000");  // graphic control
        b += QByteArray::fromHex("2C000000000100010000");
        b += QByteArray::fromHex(index == 0 ? "0202440100" : "02024C0100");
    }
    b += ';';
    return b;
}

TEST(HTMLPictures, NamesFramesAndBadBytes)
{
    TPictureContainer container;
    TPictureItem& item = container.Add();
    item.Name = QStringLiteral("Logo");
    item.Picture.LoadFromBytes(gif({0}));
    EXPECT_EQ(container.FindPicture(QStringLiteral("LOGO")), &item.Picture);
    EXPECT_EQ(container.FindPicture(QStringLiteral("other")), nullptr);

    THTMLPicture animated;
    animated.LoadFromBytes(gif({0, 1, 0}));
    EXPECT_EQ(animated.FrameCount(), 3);
    EXPECT_EQ(animated.Image().pixelColor(0, 0), QColor(255, 0, 0));
    int changes = 0;
    animated.OnFrameChange = [&] { ++changes; };
    animated.SetFrame(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(animated.Image().pixelColor(0, 0), QColor(0, 0, 255));

    QImage png(2, 2, QImage::Format_RGB32);
    png.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    png.save(&buffer, "PNG");
    THTMLPicture still;
    still.LoadFromBytes(bytes);
    EXPECT_EQ(still.FrameCount(), -1);
    still.SetFrame(2);
    EXPECT_EQ(still.Frame(), 1);
    EXPECT_EQ(still.Width(), 2);

    THTMLPicture bad;
    EXPECT_EQ(messageOf([&] { bad.LoadFromBytes("not a picture"); }), QStringLiteral("Could not load image. Invalid format"));
    EXPECT_TRUE(bad.GetEmpty());
    // A URL is never fetched.
    THTMLPicture url;
    url.LoadFromURL(QStringLiteral("http://example.org/x.png"));
    EXPECT_TRUE(url.GetEmpty());

    // A named picture takes its place in the text.
    RecordingCanvas canvas;
    THTMLDrawInput in;
    in.Rect = QRect(0, 0, 200, 30);
    in.PictureContainer = &container;
    DrawHTMLText(canvas, QStringLiteral("<B>a</B><IMG SRC=\"logo\"> <IMG SRC=\"missing\">b"), in);
    ASSERT_EQ(canvas.OpsOf(CanvasOp::Pixmap).size(), 1);
    EXPECT_EQ(canvas.OpsOf(CanvasOp::Pixmap)[0].rect, QRect(8, 15, 1, 1));
}

}  // namespace
