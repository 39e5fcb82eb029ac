// DrawHTMLText: the mark-up is read into lines of boxes (text pieces in their font and colours,
// images, controls, bullets, rules), the lines are placed in the rectangle, then painted and
// hit-tested. One call measures, paints and tests, as its input asks.
#include "grid/display/esghtmle.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QFontInfo>

#include <algorithm>
#include <vector>

#include "grid/display/extutil.h"
#include "grid/display/extxpvs.h"
#include "grid/display/gridcanvas.h"
#include "grid/display/picturecontainer.h"

namespace {

struct Style {
    QFont font;
    TColor color = clBlack;
    TColor brush = clNone;  // clNone: clear
    bool sub = false;
    bool sup = false;
    bool shadow = false;
    bool hidden = false;
    bool error = false;
    int anchor = -1;  // 0-based anchor the piece belongs to
    QString href;
    int angle = 0;
};

enum class BoxKind { Text, Image, Control, Bullet };

struct Box {
    Box() = default;
    Box(const Box&) = default;
    // Moved, not copied, when a line's boxes grow.
    Box(Box&&) noexcept = default;
    Box& operator=(const Box&) = default;
    Box& operator=(Box&&) noexcept = default;

    BoxKind kind = BoxKind::Text;
    QString text;
    Style style;
    int x = 0;  // from the line's start
    int width = 0;
    int height = 0;
    QPixmap picture;
    THTMLControl control;
    int imageNo = 0;
    QString alt;
};

struct Line {
    std::vector<Box> boxes;
    int width = 0;
    int height = 0;
    int subExtra = 0;
    int supExtra = 0;
    int align = 0;  // 0 left, 1 right, 2 centre
    int indent = 0;
    TColor background = clNone;
    bool rule = false;  // <HR> under the line
};

QString entities(QString text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    // Each sign as the character it is (not the single-byte code it has in Windows-1252).
    const struct {
        const char* entity;
        QChar sign;
    } table[] = {{"&amp;", QLatin1Char('&')},  {"&quot;", QLatin1Char('"')}, {"&sect;", QChar(0xA7)},
                 {"&permil;", QChar(0x2030)}, {"&reg;", QChar(0xAE)},       {"&copy;", QChar(0xA9)},
                 {"&para;", QChar(0xB6)},     {"&trade;", QChar(0x2122)},   {"&euro;", QChar(0x20AC)}};
    QString out;
    out.reserve(text.size());
    const QStringView all(text);
    qsizetype from = 0;  // the start of the text not yet copied
    for (qsizetype at = all.indexOf(QLatin1Char('&')); at >= 0; at = all.indexOf(QLatin1Char('&'), at + 1)) {
        for (const auto& e : table) {
            const QLatin1String name(e.entity);
            if (all.sliced(at).startsWith(name, Qt::CaseInsensitive)) {
                out += all.sliced(from, at - from);
                out += e.sign;
                from = at + name.size();
                at = from - 1;
                break;
            }
        }
    }
    out += all.sliced(from);
    return out;
}

QString pieceEntities(QString piece)
{
    if (!piece.contains(QLatin1Char('&')))
        return piece;
    piece.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "), Qt::CaseInsensitive);
    piece.replace(QStringLiteral("&lt;"), QStringLiteral("<"), Qt::CaseInsensitive);
    piece.replace(QStringLiteral("&gt;"), QStringLiteral(">"), Qt::CaseInsensitive);
    return piece;
}

// "<#" loses its "<" and the ">" after it loses itself.
QString unwrapHashTags(QString text)
{
    for (int at = int(text.indexOf(QLatin1String("<#"))); at >= 0; at = int(text.indexOf(QLatin1String("<#"), at))) {
        text.remove(at, 1);
        const int close = int(text.indexOf(QLatin1Char('>'), at));
        if (close >= 0)
            text.remove(close, 1);
    }
    return text;
}

QString quoted(const QString& upperTag, const QString& tag, const QString& name)
{
    const int at = int(upperTag.indexOf(name));
    if (at < 0)
        return QString();
    const int open = int(upperTag.indexOf(QLatin1Char('"'), at + name.size()));
    const int close = open < 0 ? -1 : int(upperTag.indexOf(QLatin1Char('"'), open + 1));
    return close < 0 ? QString() : tag.mid(open + 1, close - open - 1);
}

int fontSizeOf(const QString& value, int cellSize)
{
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    if (!ok || n <= 0)
        return cellSize;  // no size (or 0) keeps the cell's size
    const int sizes[] = {0, 8, 10, 12, 14, 16};
    return n >= 1 && n <= 5 ? sizes[n] : n;
}

class Layout {
public:
    Layout(TGridCanvas& canvas, const THTMLDrawInput& in, THTMLDrawResult& out)
        : canvas_(canvas), in_(in), out_(out), measurer_(canvas.Measurer())
    {
        style_.font = canvas.Font;
        style_.color = canvas.FontColor;
        baseColor_ = canvas.FontColor;
        backgroundColor_ = canvas.Brush.Color;
        baseSize_ = canvas.Font.pointSize() > 0 ? canvas.Font.pointSize() : QFontInfo(canvas.Font).pointSize();
        boxWidth_ = std::max(0, in.Rect.width() - 1);
    }

    std::vector<Line> Read(const QString& source)
    {
        QString text = unwrapHashTags(entities(source));
        text.remove(QLatin1Char('\n'));
        text.replace(QLatin1Char('\r'), QStringLiteral("<BR>"));
        int i = 0;
        const int n = int(text.size());
        while (i < n) {
            if (text[i] == QLatin1Char('<')) {
                if (n - i < 3)
                    break;
                const int close = int(text.indexOf(QLatin1Char('>'), i));
                if (close < 0)
                    break;  // a tag without its end ends the text
                tag(text.mid(i + 1, close - i - 1));
                i = close + 1;
                continue;
            }
            int end = int(text.indexOf(QLatin1Char('<'), i));
            if (end < 0)
                end = n;
            if (in_.WordWrap) {
                const int blank = int(text.indexOf(QLatin1Char(' '), i));
                if (blank >= 0 && blank < end)
                    end = blank + 1;
            }
            piece(pieceEntities(text.mid(i, end - i)));
            i = end;
        }
        endLine();
        return std::move(lines_);
    }

private:
    int lineHeightOf(const QFont& f) const { return measurer_.LineHeight(f); }

    void endLine()
    {
        // A trailing blank takes no room.
        line_.width = x_;
        if (!line_.boxes.empty() && line_.boxes.back().kind == BoxKind::Text && line_.boxes.back().text.endsWith(QLatin1Char(' ')))
            line_.width -= measurer_.TextWidth(line_.boxes.back().style.font, QStringLiteral(" "));
        if (line_.height == 0 && !line_.boxes.empty())
            line_.height = lineHeightOf(style_.font);
        if (!line_.boxes.empty() || line_.rule || lineStarted_)
            lines_.push_back(std::move(line_));
        line_ = Line();
        line_.align = align_;
        line_.indent = indent_;
        line_.background = paraBackground_;
        x_ = 0;
        lineStarted_ = false;
        itemsOnLine_ = 0;
    }

    void breakLine()
    {
        lineStarted_ = true;
        if (line_.height == 0)
            line_.height = lineHeightOf(style_.font);
        endLine();
    }

    // Takes a box's width on the line, going to the next line when it does not fit.
    void place(Box box)
    {
        // A piece wider than the box keeps a line of its own.
        if (in_.WordWrap && x_ > 0 && x_ + box.width > boxWidth_ - line_.indent)
            endLine();
        box.x = x_;
        x_ += box.width;
        line_.height = std::max(line_.height, box.height);
        if (line_.boxes.empty())
            line_.boxes.reserve(16);
        line_.boxes.push_back(std::move(box));
    }

    void piece(const QString& text)
    {
        if (text.isEmpty() || style_.hidden)
            return;
        Box box;
        box.text = text;
        box.style = style_;
        box.width = measurer_.TextWidth(style_.font, text);
        box.height = lineHeightOf(style_.font);
        if (style_.sub)
            line_.subExtra = std::max(line_.subExtra, box.height / 4);
        if (style_.sup)
            line_.supExtra = std::max(line_.supExtra, box.height / 4);
        out_.StripVal += text;
        place(std::move(box));
    }

    void tag(const QString& raw)
    {
        const QString upper = raw.toUpper();
        const bool closing = upper.startsWith(QLatin1Char('/'));
        const QString name = closing ? upper.mid(1) : upper;
        auto is = [&](const char* t) {
            const QLatin1String tagName(t);
            return name.startsWith(tagName) && (name.size() == tagName.size() || name[tagName.size()] == QLatin1Char(' '));
        };
        if (closing) {
            closingTag(name);
            return;
        }
        if (is("B")) {
            style_.font.setBold(true);
        } else if (is("BR")) {
            out_.StripVal += QLatin1Char('\r');
            breakLine();
        } else if (is("I")) {
            style_.font.setItalic(true);
        } else if (is("U")) {
            style_.font.setUnderline(true);
        } else if (is("S")) {
            style_.font.setStrikeOut(true);
        } else if (is("SUB")) {
            style_.sub = true;
        } else if (is("SUP")) {
            style_.sup = true;
        } else if (is("SHAD")) {
            style_.shadow = true;
        } else if (is("Z")) {
            style_.hidden = true;
        } else if (is("E")) {
            style_.error = !in_.MeasureOnly;
        } else if (is("BLINK")) {
            if (!in_.BlinkOn && !in_.KeepColors)
                style_.color = backgroundColor_;
        } else if (is("HI")) {
            savedHi_ = {style_.color, style_.brush};
            style_.brush = clHighlight;
            style_.color = clHighlightText;
        } else if (is("HR")) {
            line_.rule = true;
            breakLine();
        } else if (is("UL")) {
            ++listLevel_;
            if (!line_.boxes.empty())
                breakLine();
        } else if (is("LI")) {
            if (itemsOnLine_ > 0)
                breakLine();
            ++itemsOnLine_;
            x_ += 12 * listLevel_;
            Box bullet;
            bullet.kind = BoxKind::Bullet;
            bullet.style = style_;
            bullet.x = x_ - 12;
            bullet.text = listLevel_ % 2 == 1 ? QString(QChar(0x2022)) : QStringLiteral("o");
            bullet.height = lineHeightOf(style_.font);
            line_.boxes.push_back(bullet);
            line_.height = std::max(line_.height, bullet.height);
            x_ += 12;
        } else if (is("IND")) {
            bool ok = false;
            const int to = quoted(upper, raw, QStringLiteral("X")).toInt(&ok);
            if (ok && x_ < to)
                x_ = to;
        } else if (is("P")) {
            const QString a = quoted(upper, raw, QStringLiteral("ALIGN="));
            if (a.contains(QLatin1String("RIGHT"), Qt::CaseInsensitive))
                align_ = 1;
            if (a.contains(QLatin1String("LEFT"), Qt::CaseInsensitive))
                align_ = 0;
            if (a.contains(QLatin1String("CENTER"), Qt::CaseInsensitive))
                align_ = 2;
            indent_ = quoted(upper, raw, QStringLiteral("INDENT=")).toInt();
            const QString bg = quoted(upper, upper, QStringLiteral("BGCOLOR="));
            paraBackground_ = bg.isEmpty() ? clNone : HTMLColor(bg);
            if (line_.boxes.empty()) {
                line_.align = align_;
                line_.indent = indent_;
                line_.background = paraBackground_;
            }
        } else if (is("FONT")) {
            fontStack_.push_back({style_.font, style_.color, style_.brush});
            const QString face = quoted(upper, raw, QStringLiteral("FACE="));
            if (!face.isEmpty())
                style_.font.setFamily(face);
            const QString color = quoted(upper, upper, QStringLiteral(" COLOR="));
            if (!color.isEmpty() && !in_.KeepColors)
                style_.color = HTMLColor(color);
            const QString bg = quoted(upper, upper, QStringLiteral("BGCOLOR="));
            if (!bg.isEmpty() && !in_.KeepColors)
                style_.brush = HTMLColor(bg);
            const QString size = quoted(upper, raw, QStringLiteral("SIZE="));
            if (!size.isEmpty())
                style_.font.setPointSize(std::max(1, fontSizeOf(size, baseSize_)));
        } else if (is("A")) {
            anchorStart();
            style_.href = quoted(upper, raw, QStringLiteral("HREF="));
            const QString title = quoted(upper, raw, QStringLiteral("TITLE="));
            if (!title.isEmpty())
                out_.AnchorTitle = title;
            if (style_.anchor == in_.FocusLink)
                out_.FocusAnchor = style_.href;
        } else if (is("IMG")) {
            image(upper, raw);
        } else if (name.startsWith(QLatin1String("CONTROL "))) {
            control(raw.mid(8));
        } else if (is("BODY")) {
            const QString bg = quoted(upper, upper, QStringLiteral("BGCOLOR="));
            if (!bg.isEmpty())
                bodyColor_ = HTMLColor(bg);
        } else if (is("R")) {
            bool ok = false;
            const int angle = quoted(upper, raw, QStringLiteral("A")).toInt(&ok);
            if (ok)
                style_.angle = angle;
        }
    }

    void anchorStart()
    {
        anchorSaved_ = {style_.font, style_.color, style_.brush};
        style_.anchor = out_.HyperLinks++;
        const bool hovered = !in_.HoverStyle || style_.anchor + 1 == in_.HoverLink;
        if (hovered) {
            style_.font.setUnderline(true);
            if (in_.HoverColor != clNone && in_.HoverStyle)
                style_.brush = in_.HoverColor;
        }
        if (hovered && in_.HoverStyle && in_.HoverFontColor != clNone)
            style_.color = in_.HoverFontColor;
        else if (!in_.KeepColors)
            style_.color = in_.URLColor;
    }

    void closingTag(const QString& name)
    {
        if (name == QLatin1String("A")) {
            style_.font.setUnderline(anchorSaved_.font.underline());
            style_.brush = anchorSaved_.brush;
            if (!in_.KeepColors)
                style_.color = anchorSaved_.color;
            style_.anchor = -1;
            style_.href.clear();
        } else if (name == QLatin1String("B")) {
            style_.font.setBold(false);
        } else if (name.startsWith(QLatin1String("B"))) {
            style_.color = baseColor_;  // </BLINK>
        } else if (name == QLatin1String("I")) {
            style_.font.setItalic(false);
        } else if (name == QLatin1String("U")) {
            style_.font.setUnderline(false);
        } else if (name == QLatin1String("UL")) {
            listLevel_ = std::max(0, listLevel_ - 1);
            if (!line_.boxes.empty())
                breakLine();
        } else if (name == QLatin1String("S")) {
            style_.font.setStrikeOut(false);
        } else if (name == QLatin1String("SHAD")) {
            style_.shadow = false;
        } else if (name.startsWith(QLatin1String("SU"))) {
            style_.sub = style_.sup = false;
        } else if (name == QLatin1String("Z")) {
            style_.hidden = false;
        } else if (name == QLatin1String("E")) {
            style_.error = false;
        } else if (name == QLatin1String("FONT")) {
            if (!fontStack_.empty()) {
                style_.font = fontStack_.back().font;
                if (!in_.KeepColors) {
                    style_.color = fontStack_.back().color;
                    style_.brush = fontStack_.back().brush;
                }
                fontStack_.pop_back();
            }
        } else if (name.startsWith(QLatin1String("H"))) {
            style_.color = savedHi_.color;
            style_.brush = savedHi_.brush;
        } else if (name == QLatin1String("LI")) {
            breakLine();
        } else if (name == QLatin1String("P")) {
            if (!line_.boxes.empty())
                breakLine();
            paraBackground_ = clNone;
            align_ = 0;
            indent_ = 0;
            line_.align = 0;
            line_.indent = 0;
            line_.background = clNone;
        } else if (name == QLatin1String("R")) {
            style_.angle = 0;
        }
    }

    void image(const QString& upper, const QString& raw)
    {
        ++imageCount_;
        const QString src = quoted(upper, raw, QStringLiteral("SRC="));
        Box box;
        box.kind = BoxKind::Image;
        box.style = style_;
        box.imageNo = imageCount_;
        box.alt = quoted(upper, raw, QStringLiteral("ALT="));
        const QString usrc = src.toUpper();
        if (usrc.startsWith(QLatin1String("IDX:"))) {
            bool ok = false;
            const int n = src.mid(4).toInt(&ok);
            if (ok && in_.Images && n >= 0 && n < in_.Images->size())
                box.picture = (*in_.Images)[n];
        } else if (usrc.startsWith(QLatin1String("SSYS:")) || usrc.startsWith(QLatin1String("LSYS:"))) {
            const QFileInfo info(src.mid(5));
            const int size = usrc.startsWith(QLatin1Char('S')) ? 16 : 32;
            if (info.exists())
                box.picture = QFileIconProvider().icon(info).pixmap(size, size);
        } else if (src.contains(QLatin1String("://"))) {
            if (in_.PictureCache) {
                THTMLPicture* p = in_.PictureCache->FindPicture(src);
                if (!p) {
                    p = in_.PictureCache->AddPicture();
                    p->LoadFromURL(src);
                }
                if (!p->GetEmpty())
                    box.picture = QPixmap::fromImage(p->Image());
            }
        } else if (!src.contains(QLatin1Char(':')) && in_.PictureContainer) {
            if (const THTMLPicture* p = in_.PictureContainer->FindPicture(src); p && !p->GetEmpty())
                box.picture = QPixmap::fromImage(p->Image());
        }
        if (box.picture.isNull())
            return;  // nothing to show takes no room
        const int w = quoted(upper, raw, QStringLiteral("WIDTH=")).toInt();
        const int h = quoted(upper, raw, QStringLiteral("HEIGHT=")).toInt();
        box.width = w > 0 && h > 0 ? w : box.picture.width();
        box.height = w > 0 && h > 0 ? h : box.picture.height();
        if (in_.Print) {
            box.width = int(box.width * in_.ResFactor);
            box.height = int(box.height * in_.ResFactor);
        }
        place(box);
    }

    void control(const QString& tagText)
    {
        Box box;
        box.kind = BoxKind::Control;
        box.style = style_;
        box.control = ParseControlTag(tagText);
        bool ok = false;
        const int width = box.control.Width.toInt(&ok);
        if (!ok)
            return;  // a control without a width is left out
        const QString& t = box.control.Type;
        const int gh = lineHeightOf(style_.font);
        if (t == QLatin1String("CHECK") || t == QLatin1String("RADIO")) {
            box.width = 16;
            box.height = 16;
        } else if (t == QLatin1String("COMBO")) {
            box.width = width;
            box.height = 25;
        } else if (t == QLatin1String("BUTTON")) {
            box.width = width;
            box.height = 22;
        } else {
            box.width = width;
            box.height = gh + 6;
        }
        place(box);
    }

    struct Saved {
        QFont font;
        TColor color = clBlack;
        TColor brush = clNone;
    };
    struct SavedColors {
        TColor color = clBlack;
        TColor brush = clNone;
    };

    TGridCanvas& canvas_;
    const THTMLDrawInput& in_;
    THTMLDrawResult& out_;
    const TGridTextMeasurer& measurer_;
    Style style_;
    TColor baseColor_ = clBlack;
    TColor backgroundColor_ = clWhite;
    int baseSize_ = 0;
    int boxWidth_ = 0;
    std::vector<Line> lines_;
    Line line_;
    int x_ = 0;
    bool lineStarted_ = false;
    int itemsOnLine_ = 0;
    int listLevel_ = 0;
    int align_ = 0;
    int indent_ = 0;
    TColor paraBackground_ = clNone;
    std::vector<Saved> fontStack_;
    Saved anchorSaved_;
    SavedColors savedHi_;
    int imageCount_ = 0;

public:
    TColor bodyColor_ = clNone;
};

void drawControl(TGridCanvas& canvas, const Box& box, const QRect& r, const THTMLDrawInput& in, bool pointed)
{
    const QString& t = box.control.Type;
    const QString& value = box.control.Value;
    canvas.Pen = TGridPen{0x808080, 1, Qt::SolidLine};
    canvas.Brush.Style = bsClear;
    if (t == QLatin1String("CHECK") || t == QLatin1String("RADIO")) {
        const bool on = value.toUpper() == QLatin1String("TRUE");
        const bool check = t == QLatin1String("CHECK");
        const QRect square(r.left() + 2, r.top() + r.height() - (check ? 15 : 14), check ? 13 : 12, check ? 15 : 14);
        const int state = (on ? 5 : 1) + (pointed ? (in.MouseDown ? 2 : 1) : 0);
        if (DrawThemedPart(canvas, in.Window, QStringLiteral("button"),
                           check ? themepart::BP_CHECKBOX : themepart::BP_RADIOBUTTON, state, square))
            return;
        canvas.Brush = TGridBrush{clWindow, bsSolid};
        if (check) {
            canvas.Rectangle(square);
            if (on) {
                canvas.Pen = TGridPen{clWindowText, 2, Qt::SolidLine};
                const int x = square.left();
                const int y = square.top();
                canvas.Polyline({{x + 3, y + 7}, {x + 5, y + 10}, {x + 10, y + 3}});
            }
        } else {
            canvas.Ellipse(square);
            if (on) {
                canvas.Brush = TGridBrush{clWindowText, bsSolid};
                canvas.Ellipse(square.adjusted(4, 4, -4, -4));
            }
        }
        return;
    }
    if (t == QLatin1String("BUTTON")) {
        const QRect face(r.left() + 2, r.top() + r.height() - 20, r.width() - 4, 20);
        const int state = pointed ? (in.MouseDown ? 3 : 2) : 1;
        if (!DrawThemedPart(canvas, in.Window, QStringLiteral("button"), themepart::BP_PUSHBUTTON, state, face)) {
            canvas.Brush = TGridBrush{clBtnFace, bsSolid};
            canvas.Rectangle(face);
        }
        canvas.Brush.Style = bsClear;
        canvas.TextRect(face.adjusted(1, 1, -1, -1), value, tfCenter | tfVCenter | tfSingleLine);
        return;
    }
    const QRect frame(r.left(), r.top() + 3, r.width(), r.height() - 2);
    canvas.Rectangle(frame);
    QString shown = value;
    if (t == QLatin1String("PASSWORD"))
        shown = QString(value.size(), QLatin1Char('*'));
    QRect textBox = frame.adjusted(2, 0, 0, 0);
    if (t == QLatin1String("COMBO")) {
        textBox.setRight(textBox.right() - 17);
        DrawDropDownButton(canvas, in.Window, frame, ThemedDrawing());
    }
    canvas.TextRect(textBox, shown, tfLeft | tfVCenter | tfSingleLine);
}

}  // namespace

THTMLDrawResult DrawHTMLText(TGridCanvas& Canvas, const QString& Text, const THTMLDrawInput& In)
{
    THTMLDrawResult out;
    const QFont savedFont = Canvas.Font;
    const TColor savedColor = Canvas.FontColor;
    const TGridBrush savedBrush = Canvas.Brush;

    Layout layout(Canvas, In, out);
    std::vector<Line> lines = layout.Read(Text);
    const QRect& R = In.Rect;
    const int right = R.left() + R.width();
    const bool paint = !In.MeasureOnly && !In.HitTestOnly;
    const bool test = !In.MeasureOnly && (In.Point != QPoint(-1, -1) || (In.HitTestOnly && !In.ControlID.isEmpty()));

    if (paint && layout.bodyColor_ != clNone) {
        Canvas.Brush = TGridBrush{layout.bodyColor_, bsSolid};
        Canvas.FillRect(R);
    }
    int y = R.top();
    int shownLines = 0;
    for (const Line& line : lines) {
        const int height = line.height + line.subExtra + line.supExtra;
        out.XSize = std::max(out.XSize, line.width);
        out.YSize += height;
        if (In.MeasureOnly)
            continue;
        // A line that would not show whole is not started.
        if (shownLines > 0 && y + height > R.top() + R.height())
            break;
        ++shownLines;
        int x0 = R.left() + 1;
        const int avail = right - R.left() - 1;
        if (line.align == 1)
            x0 = right - line.width;
        else if (line.align == 2 && line.width < avail)
            x0 = R.left() + 1 + (avail - line.width) / 2;
        x0 += line.indent;
        const int bottom = y + height - line.subExtra;
        if (paint && line.background != clNone) {
            Canvas.Brush = TGridBrush{line.background, bsSolid};
            Canvas.FillRect(QRect(R.left(), y, R.width(), height));
        }
        QHash<int, QRect> anchorRects;  // the anchors' parts on this line
        int hitAnchor = -1;
        for (size_t b = 0; b < line.boxes.size(); ++b) {
            const Box& box = line.boxes[b];
            int left = x0 + box.x;
            if (left >= right && box.kind != BoxKind::Bullet)
                break;
            int width = box.width;
            QString text = box.text;
            // Without word wrap the piece that runs past the box ends in an ellipsis.
            if (box.kind == BoxKind::Text && !In.WordWrap && left + width > right) {
                text = Canvas.Measurer().Elide(box.style.font, text, std::max(0, right - left));
                width = Canvas.Measurer().TextWidth(box.style.font, text);
            }
            const int boxBottom = bottom - (box.style.sup ? line.supExtra : 0) + (box.style.sub ? line.subExtra : 0);
            const QRect rect(left, boxBottom - box.height, width, box.height);
            const bool pointed = test && rect.contains(In.Point);
            if (test && box.kind == BoxKind::Control &&
                (pointed || (In.HitTestOnly && box.control.ID == In.ControlID && !In.ControlID.isEmpty()))) {
                out.Hit = true;
                out.AnchorVal = QStringLiteral("ctrl");
                out.ControlRect = rect;
                out.ControlID = box.control.ID;
                out.ControlValue = box.control.Value;
                out.ControlType = box.control.Type;
            }
            if (box.style.anchor >= 0) {
                QRect& part = anchorRects[box.style.anchor];
                part = part.isNull() ? rect : part.united(rect);
                const int fontHeight = Canvas.Measurer().LineHeight(box.style.font);
                if (test && In.Point.x() >= rect.left() && In.Point.x() < rect.left() + rect.width() &&
                    In.Point.y() >= bottom - fontHeight && In.Point.y() <= bottom) {
                    out.AnchorVal = box.style.href;
                    out.MouseLink = box.style.anchor + 1;
                    hitAnchor = box.style.anchor;
                    if (In.HitTestOnly)
                        out.Hit = true;
                    if (box.kind == BoxKind::Image) {
                        out.ImageHit = box.imageNo;
                        out.ImageHint = box.alt;
                        out.Hit = true;
                    }
                }
            }
            if (!paint)
                continue;
            switch (box.kind) {
            case BoxKind::Text:
            case BoxKind::Bullet: {
                Canvas.Font = box.style.font;
                if (box.style.brush != clNone) {
                    Canvas.Brush = TGridBrush{box.style.brush, bsSolid};
                    Canvas.FillRect(rect);
                }
                Canvas.Brush.Style = bsClear;
                const QRect textRect = box.kind == BoxKind::Bullet
                                           ? QRect(x0 + box.x, boxBottom - box.height, 12, box.height)
                                           : QRect(rect.left(), rect.top(), rect.width() + 1, rect.height());
                if (box.style.angle != 0) {
                    Canvas.FontColor = box.style.color;
                    Canvas.TextOut(textRect.left(), textRect.bottom(), text, box.style.angle * 10);
                    break;
                }
                if (box.style.shadow) {
                    Canvas.FontColor = In.ShadowColor;
                    Canvas.TextRect(textRect.translated(In.ShadowOffset, In.ShadowOffset), text,
                                    tfLeft | tfBottom | tfSingleLine);
                }
                Canvas.FontColor = box.style.color;
                Canvas.TextRect(textRect, text, tfLeft | tfBottom | tfSingleLine);
                if (box.style.error) {
                    Canvas.Pen = TGridPen{0x0000FF, 1, Qt::SolidLine};
                    const std::vector<QPoint> zig = ErrorZigZag(rect.left() & ~1, rect.left() + rect.width(), boxBottom - 1);
                    Canvas.Polyline(QVector<QPoint>(zig.begin(), zig.end()));
                }
                break;
            }
            case BoxKind::Image: Canvas.DrawPixmap(rect, box.picture); break;
            case BoxKind::Control: drawControl(Canvas, box, rect, In, pointed); break;
            }
            if (box.style.anchor >= 0 && box.style.anchor == In.FocusLink &&
                (b + 1 == line.boxes.size() || line.boxes[b + 1].style.anchor != box.style.anchor))
                Canvas.DrawFocusRect(anchorRects.value(box.style.anchor).adjusted(-1, 0, 1, 0));
        }
        if (hitAnchor >= 0 && out.HoverRect.isNull())
            out.HoverRect = anchorRects.value(hitAnchor);
        if (paint && line.rule) {
            Canvas.Pen = TGridPen{clBlack, 1, Qt::SolidLine};
            Canvas.Line({R.left(), y + height + 1}, {right, y + height + 1});
        }
        y += height;
    }
    if (lines.empty())
        out.YSize = Canvas.Measurer().LineHeight(savedFont);

    Canvas.Font = savedFont;
    Canvas.FontColor = savedColor;
    Canvas.Brush = savedBrush;
    return out;
}
