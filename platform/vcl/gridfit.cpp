// Columns that fit their texts: a grid's column is at least as wide as its title (and, in a
// string grid, as its dates, times and numbers) asks, the width set being the least it keeps.
// The texts are measured again only after they changed, before the grid is next painted or
// used, so a fill of many rows measures once.
#include <QEvent>
#include <QFontMetrics>

#include <array>

#include "platform/vcl/grids.h"
#include "platform/vcl/textfit.h"

namespace {

// Cell texts are drawn 2 pixels in from the cell's left edge; 3 more keep them off the next
// column's line.
constexpr int kCellTextMargins = 5;

// Widths of texts in one font, from the advances of their characters: many short texts (a
// column of 10,000 dates) cost a table look-up per character. Kerning only narrows a text, so
// the sum is never less than the text's drawn width.
class AdvanceTable {
public:
    explicit AdvanceTable(const QFont& font) : fm_(font) { ascii_.fill(-1); }
    int width(const QString& text)
    {
        int w = 0;
        for (QChar ch : text) {
            const ushort u = ch.unicode();
            if (u < ascii_.size()) {
                int& a = ascii_[u];
                if (a < 0)
                    a = fm_.horizontalAdvance(ch);
                w += a;
            } else {
                w += fm_.horizontalAdvance(ch);
            }
        }
        return w;
    }

private:
    QFontMetrics fm_;
    std::array<int, 128> ascii_;
};

bool isUnitChar(QChar c)
{
    return c.isLetter() || c == QLatin1Char('/') || c == QLatin1Char('%') || c == QChar(0x00B0) || c == QLatin1Char('.');
}

}  // namespace

bool IsValueText(const QString& text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    if (i >= n || !text[i].isDigit())
        return false;
    // Digits with the separators of numbers, dates and times.
    while (i < n && (text[i].isDigit() || text[i] == QLatin1Char('.') || text[i] == QLatin1Char(',') ||
                     text[i] == QLatin1Char(':') || text[i] == QLatin1Char('/') || text[i] == QLatin1Char('\'')))
        ++i;
    // Then at most a short unit ("km", "min/km", "%", "°C"), after one blank or none.
    if (i < n && text[i] == QLatin1Char(' '))
        ++i;
    const int unit = i;
    while (i < n && isUnitChar(text[i]))
        ++i;
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    return i == n && i - unit <= 8;
}

void TCustomGrid::FitColumns()
{
    if (!columnFitDue_ || fittingColumns_)
        return;
    columnFitDue_ = false;
    fittingColumns_ = true;
    bool widened = false;
    try {
        for (int c = 0; c < ColCount(); ++c) {
            const int width = cols_.Size(c);
            // Hidden columns stay hidden; a width the user dragged stays.
            if (width <= 0 || userSized_[size_t(c)])
                continue;
            const int need = ColumnTextWidth(c);
            if (need > width) {
                cols_.SetSize(c, need);
                widened = true;
            }
        }
    } catch (...) {
        fittingColumns_ = false;
        throw;
    }
    if (widened) {
        ColWidthsChanged();
        UpdateScrollRange();
        placeEditor();
        viewport()->update();
    }
    fittingColumns_ = false;
}

int TCustomGrid::ColumnTextWidth(int) const
{
    return 0;
}

void TCustomGrid::changeEvent(QEvent* e)
{
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        columnFitDue_ = true;
}

int TStringGrid::ColumnTextWidth(int ACol) const
{
    const QFontMetrics fm(font());
    AdvanceTable values(font());
    const bool fixedCol = ACol < FixedCols();
    const int rows = std::min(RowCount(), int(data_.size()));
    int need = 0;
    for (int r = 0; r < rows; ++r) {
        const Cell* cell = findCell(ACol, r);
        if (!cell || cell->text.isEmpty())
            continue;
        if (fixedCol || r < FixedRows())
            need = std::max(need, fm.horizontalAdvance(cell->text));
        else if (IsValueText(cell->text))
            need = std::max(need, values.width(cell->text));
    }
    return need > 0 ? need + kCellTextMargins : 0;
}
