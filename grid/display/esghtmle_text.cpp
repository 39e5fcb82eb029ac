// The mark-up's text helpers: the text without tags, colour values, highlighting a search text and
// the embedded controls' tags.
#include "grid/display/esghtmle.h"

#include <QVector>

namespace {

struct NamedColor {
    const char* name;
    TColor value;
};

// The sixteen plain colours first; the system colours only when those give 0.
const NamedColor kPlainColors[] = {
    {"clred", 0x0000FF},    {"clblack", 0},        {"clblue", 0xFF0000},  {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},   {"clyellow", 0x00FFFF}, {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},   {"clsilver", 0xC0C0C0}, {"clgray", 0x808080},  {"clolive", 0x008080},
    {"clnavy", 0x800000},   {"clpurple", 0x800080}, {"clteal", 0x808000},  {"clmaroon", 0x000080},
};
const char* const kSystemColors[] = {
    "",              "clbackground",   "clactivecaption",      "clinactivecaption", "clmenu",         "clwindow",
    "clwindowframe", "clmenutext",     "clwindowtext",         "clcaptiontext",     "clactiveborder", "clinactiveborder",
    "clappworkspace", "clhighlight",   "clhighlighttext",      "clbtnface",         "clbtnshadow",    "clgraytext",
    "clbtntext",     "clinactivecaptiontext", "clbtnhighlight", "cl3ddkshadow",     "cl3dlight",      "clinfotext",
    "clinfobk"};

// The value of an attribute: the text between the two double quotes after its name.
QString attribute(const QString& upperTag, const QString& originalTag, const QString& name)
{
    const int at = int(upperTag.indexOf(name));
    if (at < 0)
        return QString();
    const int open = int(upperTag.indexOf(QLatin1Char('"'), at + name.size()));
    if (open < 0)
        return QString();
    const int close = int(upperTag.indexOf(QLatin1Char('"'), open + 1));
    if (close < 0)
        return QString();
    return originalTag.mid(open + 1, close - open - 1);
}

}  // namespace

TColor HTMLColor(const QString& value)
{
    if (value.isEmpty())
        return 0;
    if (value.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint rgb = value.mid(1, 6).toUInt(&ok, 16);
        if (!ok || value.size() < 7)
            return 0;
        return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    }
    const QString name = value.toLower();
    for (const NamedColor& c : kPlainColors)
        if (name == QLatin1String(c.name) && c.value != 0)
            return c.value;
    for (int i = 0; i < int(std::size(kSystemColors)); ++i)
        if (name == QLatin1String(kSystemColors[i]))
            return TColor(0xFF000000u + unsigned(i));
    return 0;
}

QString StripHTML(const QString& s)
{
    QString text = s;
    // <BR> and <HR> become line breaks, in any case.
    for (const QString& tag : {QStringLiteral("<BR>"), QStringLiteral("<HR>")})
        text.replace(tag, QStringLiteral("\r\n"), Qt::CaseInsensitive);
    QString out;
    out.reserve(text.size());
    bool inTag = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('<'))
            inTag = true;
        else if (c == QLatin1Char('>') && inTag)
            inTag = false;
        else if (!inTag)
            out += c;
    }
    return out;
}

QString HighlightText(const QString& html, const QString& find, const QString& tag, bool caseSensitive)
{
    if (find.isEmpty())
        return html;
    // The plain characters with their places in the mark-up.
    QString plain;
    QVector<int> place;
    bool inTag = false;
    for (int i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        if (c == QLatin1Char('<')) {
            inTag = true;
        } else if (c == QLatin1Char('>') && inTag) {
            inTag = false;
        } else if (!inTag) {
            plain += c;
            place << i;
        }
    }
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QVector<QPair<int, int>> matches;  // plain first and last characters
    for (int at = int(plain.indexOf(find, 0, cs)); at >= 0; at = int(plain.indexOf(find, at + find.size(), cs)))
        matches << qMakePair(at, at + int(find.size()) - 1);
    if (matches.isEmpty())
        return html;
    const QString open = QLatin1Char('<') + tag + QLatin1Char('>');
    const QString close = QStringLiteral("</") + tag + QLatin1Char('>');
    QString out = html;
    // From the end, so that earlier places stay valid.
    for (int m = int(matches.size()) - 1; m >= 0; --m) {
        out.insert(place[matches[m].second] + 1, close);
        out.insert(place[matches[m].first], open);
    }
    return out;
}

QString UnHighlightText(const QString& html, const QString& tag)
{
    QString out = html;
    out.remove(QLatin1Char('<') + tag + QLatin1Char('>'), Qt::CaseInsensitive);
    out.remove(QStringLiteral("</") + tag + QLatin1Char('>'), Qt::CaseInsensitive);
    return out;
}

QString DecodeControlEntities(QString s)
{
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    return s;
}

QString EncodeControlEntities(QString s)
{
    s.replace(QStringLiteral("&"), QStringLiteral("*amp;"));
    s.replace(QStringLiteral("*amp;"), QStringLiteral("&amp;"));
    s.replace(QStringLiteral("\""), QStringLiteral("&quot;"));
    s.replace(QStringLiteral("<"), QStringLiteral("&lt;"));
    s.replace(QStringLiteral(">"), QStringLiteral("&gt;"));
    return s;
}

bool HasHTMLControls(const QString& text)
{
    return text.toUpper().contains(QLatin1String("<CONTROL"));
}

THTMLControl ParseControlTag(const QString& tag)
{
    const QString upper = tag.toUpper();
    THTMLControl c;
    c.Type = attribute(upper, tag, QStringLiteral("TYPE=")).toUpper();
    c.Width = attribute(upper, tag, QStringLiteral("WIDTH="));
    c.ID = attribute(upper, tag, QStringLiteral("ID="));
    c.Value = DecodeControlEntities(attribute(upper, tag, QStringLiteral("VALUE=")));
    c.Prop = attribute(upper, tag, QStringLiteral("PROP="));
    return c;
}

namespace {

// Every control tag of the text: its place, its length and what it holds.
struct ControlTag {
    int start;
    int length;
    THTMLControl control;
};

QVector<ControlTag> controlTags(const QString& text)
{
    QVector<ControlTag> tags;
    const QString upper = text.toUpper();
    for (int at = int(upper.indexOf(QLatin1String("<CONTROL "))); at >= 0;
         at = int(upper.indexOf(QLatin1String("<CONTROL "), at + 1))) {
        const int end = int(text.indexOf(QLatin1Char('>'), at));
        if (end < 0)
            break;
        tags << ControlTag{at, end - at + 1, ParseControlTag(text.mid(at + 9, end - at - 9))};
    }
    return tags;
}

bool editable(const THTMLControl& c)
{
    return c.Type != QLatin1String("BUTTON") && c.Type != QLatin1String("CHECK") && c.Type != QLatin1String("RADIO");
}

}  // namespace

QString NextEditableControlID(const QString& text, const QString& afterID)
{
    bool after = afterID.isEmpty();
    for (const ControlTag& t : controlTags(text)) {
        if (after && editable(t.control))
            return t.control.ID;
        if (!after && t.control.ID == afterID)
            after = true;
    }
    return QString();
}

QString GetControlProp(const QString& text, const QString& id)
{
    for (const ControlTag& t : controlTags(text))
        if (t.control.ID == id)
            return t.control.Prop;
    return QString();
}

bool SetControlValue(QString& text, const QString& id, const QString& value)
{
    for (const ControlTag& t : controlTags(text)) {
        if (t.control.ID != id)
            continue;
        QString tag = QStringLiteral("<CONTROL ID=\"%1\" VALUE=\"%2\" WIDTH=\"%3\" TYPE=\"%4\"")
                          .arg(t.control.ID, EncodeControlEntities(value), t.control.Width, t.control.Type);
        if (!t.control.Prop.isEmpty())
            tag += QStringLiteral(" PROP=\"%1\"").arg(t.control.Prop);
        tag += QLatin1Char('>');
        text.replace(t.start, t.length, tag);
        return true;
    }
    return false;
}
