#include "grid/display/rtfreader.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

#include "platform/rtl/codepages.h"

namespace {

struct State {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;  // \fs: 0 keeps the cell's size
    int color = 0;       // index into the colour table; 0 the default colour
    bool skip = false;   // a destination the reader passes over
    bool colorTable = false;
    int fallback = 1;    // \uc: characters a \uN is followed by for readers that lack it
};

// Walks the text and hands each run of characters, with its state, to `emit`; `paragraph` for
// each \par.
template <class Emit, class Paragraph>
void walk(const QString& rtf, std::vector<QColor>& colors, Emit onRun, Paragraph paragraph)
{
    std::vector<State> stack{State()};
    QString run;
    int red = 0, green = 0, blue = 0;
    bool colorSet = false;
    auto flush = [&] {
        if (!run.isEmpty() && !stack.back().skip)
            onRun(run, stack.back());
        run.clear();
    };
    const int n = int(rtf.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = rtf[i];
        State& s = stack.back();
        if (c == QLatin1Char('{')) {
            flush();
            stack.push_back(stack.back());
            continue;
        }
        if (c == QLatin1Char('}')) {
            flush();
            if (stack.size() > 1)
                stack.pop_back();
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            continue;
        if (c != QLatin1Char('\\')) {
            if (s.colorTable) {
                if (c == QLatin1Char(';')) {
                    colors.push_back(colorSet ? QColor(red, green, blue) : QColor());
                    red = green = blue = 0;
                    colorSet = false;
                }
                continue;
            }
            run += c;
            continue;
        }
        // A control word, symbol or escaped character.
        if (i + 1 >= n)
            break;
        const QChar next = rtf[i + 1];
        if (next == QLatin1Char('\\') || next == QLatin1Char('{') || next == QLatin1Char('}')) {
            run += next;
            ++i;
            continue;
        }
        if (next == QLatin1Char('\'')) {
            bool ok = false;
            const int code = rtf.mid(i + 2, 2).toInt(&ok, 16);
            if (ok)
                run += DecodeWindows1252(QByteArray(1, char(code)));
            i += 3;
            continue;
        }
        if (next == QLatin1Char('*')) {
            flush();
            s.skip = true;
            ++i;
            continue;
        }
        int j = i + 1;
        while (j < n && rtf[j].isLetter())
            ++j;
        const QString word = rtf.mid(i + 1, j - i - 1);
        int k = j;
        if (k < n && (rtf[k] == QLatin1Char('-') || rtf[k].isDigit()))
            ++k;
        while (k < n && rtf[k].isDigit())
            ++k;
        const bool hasParam = k > j;
        const int param = hasParam ? rtf.mid(j, k - j).toInt() : 1;
        if (k < n && rtf[k] == QLatin1Char(' '))
            ++k;
        i = k - 1;
        if (word.isEmpty())
            continue;
        if (word == QLatin1String("u") && hasParam) {
            // A UTF-16 unit (negative above 32767), then the fallback that stands in for it.
            if (!s.skip)
                run += QChar(char16_t(param < 0 ? param + 65536 : param));
            for (int left = s.fallback; left > 0 && i + 1 < n; --left) {
                const QChar f = rtf[i + 1];
                if (f == QLatin1Char('{') || f == QLatin1Char('}'))
                    break;
                if (f == QLatin1Char('\\') && i + 2 < n && rtf[i + 2] == QLatin1Char('\''))
                    i += 4;
                else if (f == QLatin1Char('\\'))
                    break;
                else
                    i += 1;
            }
            continue;
        }
        flush();
        if (word == QLatin1String("b"))
            s.bold = param != 0;
        else if (word == QLatin1String("i"))
            s.italic = param != 0;
        else if (word == QLatin1String("ul"))
            s.underline = param != 0;
        else if (word == QLatin1String("ulnone"))
            s.underline = false;
        else if (word == QLatin1String("plain")) {
            s.bold = s.italic = s.underline = false;
            s.halfPoints = 0;
            s.color = 0;
        }
        else if (word == QLatin1String("uc"))
            s.fallback = std::max(param, 0);
        else if (word == QLatin1String("fs"))
            s.halfPoints = param;
        else if (word == QLatin1String("cf"))
            s.color = param;
        else if (word == QLatin1String("par") || word == QLatin1String("line")) {
            if (!s.skip)
                paragraph();
        } else if (word == QLatin1String("tab"))
            run += QLatin1Char('\t');
        else if (word == QLatin1String("colortbl"))
            s.colorTable = true;
        else if (s.colorTable && word == QLatin1String("red")) {
            red = param;
            colorSet = true;
        } else if (s.colorTable && word == QLatin1String("green")) {
            green = param;
            colorSet = true;
        } else if (s.colorTable && word == QLatin1String("blue")) {
            blue = param;
            colorSet = true;
        } else if (word == QLatin1String("fonttbl") || word == QLatin1String("stylesheet") ||
                   word == QLatin1String("info") || word == QLatin1String("pict"))
            s.skip = true;
    }
    flush();
}

}  // namespace

std::unique_ptr<QTextDocument> RichTextDocument(const QString& rtf, const QFont& font)
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(font);
    doc->setDocumentMargin(0);
    ReadRichText(rtf, *doc);
    return doc;
}

void ReadRichText(const QString& rtf, QTextDocument& doc)
{
    doc.clear();
    QTextCursor cursor(&doc);
    std::vector<QColor> colors;
    walk(
        rtf, colors,
        [&](const QString& text, const State& s) {
            QTextCharFormat f;
            f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
            f.setFontItalic(s.italic);
            f.setFontUnderline(s.underline);
            if (s.halfPoints > 0)
                f.setFontPointSize(s.halfPoints / 2.0);
            if (s.color > 0 && s.color < int(colors.size()) && colors[size_t(s.color)].isValid())
                f.setForeground(colors[size_t(s.color)]);
            cursor.insertText(text, f);
        },
        [&] { cursor.insertBlock(); });
}

QString RichTextPlain(const QString& rtf)
{
    QString out;
    std::vector<QColor> colors;
    walk(
        rtf, colors, [&](const QString& text, const State&) { out += text; }, [&] { out += QLatin1Char('\n'); });
    return out;
}
