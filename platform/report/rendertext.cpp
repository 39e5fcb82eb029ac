#include "platform/report/rendertext.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/rtl/sysutils.h"

namespace {

struct Placed {
    double top = 0;
    double left = 0;
    int col = 0;
    QString text;
};

}  // namespace

TRenderText::TRenderText()
    : TReportRenderer(QCoreApplication::translate("TRenderText", "Textdatei (TXT)"), QStringLiteral("*.txt"))
{
}

QString TRenderText::Text(const TPreparedReport& report) const
{
    const double charWidth = MmPerInch / cpi_;
    const double lineHeight = MmPerInch / lpi_;

    // Columns of every text; the leftmost text of the document stands in column 0.
    std::vector<std::vector<Placed>> pages(report.pages.size());
    int minCol = INT_MAX;
    for (size_t p = 0; p < report.pages.size(); ++p) {
        for (const TPageItem& it : report.pages[p].items) {
            if (it.kind != TPageItem::Text || it.text.trimmed().isEmpty())
                continue;
            Placed t;
            t.top = it.rect.top();
            t.left = it.rect.left();
            t.text = it.text;
            t.text.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
            const int len = int(t.text.size());
            if (it.alignment & Qt::AlignRight)
                t.col = int(std::lround(it.rect.right() / charWidth)) - len;
            else if (it.alignment & Qt::AlignHCenter)
                t.col = int(std::lround(it.rect.center().x() / charWidth)) - len / 2;
            else
                t.col = int(std::lround(it.rect.left() / charWidth));
            t.col = std::max(0, t.col);
            minCol = std::min(minCol, t.col);
            pages[p].push_back(std::move(t));
        }
    }
    if (minCol == INT_MAX)
        minCol = 0;

    QString out;
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            out += QLatin1Char('\f');
        std::vector<Placed>& items = pages[p];
        std::stable_sort(items.begin(), items.end(), [](const Placed& a, const Placed& b) { return a.top < b.top; });
        // Lines: texts whose tops lie within half a line of the line's first text.
        std::vector<std::vector<Placed>> lines;
        std::vector<double> tops;
        for (Placed& t : items) {
            if (lines.empty() || t.top - tops.back() >= lineHeight / 2) {
                lines.emplace_back();
                tops.push_back(t.top);
            }
            lines.back().push_back(std::move(t));
        }
        // Rows follow the gaps between lines: a gap of less than 1.75 lines is the next line, so
        // bands a little taller than a text line do not get blank lines between them.
        int prevRow = -1;
        for (size_t l = 0; l < lines.size(); ++l) {
            const int row = l == 0 ? 0 : prevRow + std::max(1, int(std::floor((tops[l] - tops[l - 1]) / lineHeight + 0.25)));
            for (int r = prevRow + 1; r < row; ++r)
                out += QLatin1Char('\n');
            prevRow = row;
            std::stable_sort(lines[l].begin(), lines[l].end(), [](const Placed& a, const Placed& b) {
                return a.col != b.col ? a.col < b.col : a.left < b.left;
            });
            QString s;
            for (const Placed& t : lines[l]) {
                int col = t.col - minCol;
                if (!s.isEmpty())
                    col = std::max(col, int(s.size()) + 1);
                if (s.size() < col)
                    s += QString(col - s.size(), QLatin1Char(' '));
                s += t.text;
            }
            while (s.endsWith(QLatin1Char(' ')))
                s.chop(1);
            out += s + QLatin1Char('\n');
        }
    }
    return out;
}

void TRenderText::write(const TPreparedReport& report, QIODevice& out)
{
    const QByteArray bytes = Text(report).toUtf8();
    if (out.write(bytes) != bytes.size())
        throw Exception(out.errorString());
}
