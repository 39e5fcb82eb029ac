// Writes a text document as rich text: the form an edited rich-text cell is stored in.
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <vector>

#include "grid/display/rtfreader.h"
#include "platform/rtl/codepages.h"

namespace {

struct RunState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;  // 0: the size of the cell
    int color = 0;       // 0: the default colour
    bool operator==(const RunState&) const = default;
};

void escapeText(const QString& text, QString& out)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u == u'\t') {
            out += QLatin1String("\\tab ");
        } else if (u == 0x2028) {  // a line break inside the paragraph
            out += QLatin1String("\\line ");
        } else if (u == 0xFFFC) {
            // An embedded object: the reader has none.
        } else if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else {
            const QByteArray b = EncodeWindows1252(QString(c), '\0');
            if (b.size() == 1 && b[0] != '\0' && DecodeWindows1252(b) == QString(c))
                out += QStringLiteral("\\'%1").arg(uint(uchar(b[0])), 2, 16, QLatin1Char('0'));
            else
                out += QStringLiteral("\\u%1?").arg(int(u) > 32767 ? int(u) - 65536 : int(u));
        }
    }
}

QString escapedName(const QString& name)
{
    QString out;
    escapeText(name, out);
    out.remove(QLatin1Char(';'));
    return out;
}

}  // namespace

QString RichTextOfDocument(const QTextDocument& doc)
{
    std::vector<QColor> colors;  // the colour table from its entry 1
    auto colorIndex = [&](const QColor& c) {
        for (size_t i = 0; i < colors.size(); ++i)
            if (colors[i] == c)
                return int(i) + 1;
        colors.push_back(c);
        return int(colors.size());
    };

    QString body;
    RunState cur;
    bool firstBlock = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!firstBlock)
            body += QLatin1String("\\par\n");
        firstBlock = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat f = fragment.charFormat();
            RunState want;
            want.bold = f.fontWeight() >= QFont::DemiBold;
            want.italic = f.fontItalic();
            want.underline = f.fontUnderline();
            if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
                want.halfPoints = qRound(f.fontPointSize() * 2);
            if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
                want.color = colorIndex(f.foreground().color());
            if (!(want == cur)) {
                // Something going back to its default starts from plain text again.
                const bool reset = (cur.bold && !want.bold) || (cur.italic && !want.italic) ||
                                   (cur.underline && !want.underline) || (cur.halfPoints && !want.halfPoints) ||
                                   (cur.color && !want.color);
                if (reset) {
                    body += QLatin1String("\\plain");
                    cur = RunState();
                }
                if (want.bold && !cur.bold)
                    body += QLatin1String("\\b");
                if (want.italic && !cur.italic)
                    body += QLatin1String("\\i");
                if (want.underline && !cur.underline)
                    body += QLatin1String("\\ul");
                if (want.halfPoints != cur.halfPoints)
                    body += QStringLiteral("\\fs%1").arg(want.halfPoints);
                if (want.color != cur.color)
                    body += QStringLiteral("\\cf%1").arg(want.color);
                body += QLatin1Char(' ');
                cur = want;
            }
            escapeText(fragment.text(), body);
        }
    }

    QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil %1;}}")
                      .arg(escapedName(doc.defaultFont().family()));
    if (!colors.empty()) {
        out += QLatin1String("{\\colortbl ;");
        for (const QColor& c : colors)
            out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
        out += QLatin1Char('}');
    }
    out += QLatin1String("\n\\pard\\f0 ");
    out += body;
    out += QLatin1String("\n}");
    return out;
}
