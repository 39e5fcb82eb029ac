#include "traininglog/orvcalendar.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kColumns = 8;  // seven weekdays and the week summary
constexpr int kRows = 7;     // the day names and six weeks
constexpr int kSummaryCol = 7;

[[noreturn]] void indexError()
{
    throw Exception(QCoreApplication::translate("TORVCalendar", "Kalenderindex außerhalb des gültigen Bereichs"));
}

// Writes a text as the runtime's canvas does: its extent filled with the brush first, so that a
// coloured line shows as a band behind the text.
void textOut(QPainter& p, int x, int y, const QString& text, const QColor& brush, const QColor& font)
{
    const QFontMetrics fm(p.font());
    p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), brush);
    p.setPen(font);
    p.drawText(QRect(x, y, fm.horizontalAdvance(text) + 1, fm.height()), Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace

TORVCalendar::TORVCalendar(QWidget* parent) : TCustomGrid(parent)
{
    SetFixedCols(0);
    SetFixedRows(1);
    SetColCount(kColumns);
    SetRowCount(kRows);
    SetScrollBars(ssNone);
    SetOptions((Options() & ~TGridOptions(goRangeSelect)) | goDrawFocusSelected);
    date_ = Date();
    fitCells();
    UpdateCalendar();
}

void TORVCalendar::SetCalendarDate(TDateTime value)
{
    date_ = value;
    UpdateCalendar();
    Change();
}

int TORVCalendar::GetDateElement(int index) const
{
    int y = 0, m = 0, d = 0;
    DecodeDate(date_, y, m, d);
    switch (index) {
    case 1:
        return y;
    case 2:
        return m;
    case 3:
        return d;
    default:
        return -1;
    }
}

void TORVCalendar::SetDateElement(int index, int value)
{
    if (value <= 0)
        return;
    int y = 0, m = 0, d = 0;
    DecodeDate(date_, y, m, d);
    switch (index) {
    case 1:
        if (value == y)
            return;
        y = value;
        break;
    case 2:
        if (value > 12 || value == m)
            return;
        m = value;
        break;
    case 3:
        if (value > DaysThisMonth() || value == d)
            return;
        d = value;
        break;
    default:
        return;
    }
    // Raises before anything changes when the parts give no date.
    const TDateTime newDate = EncodeDate(y, m, d);
    date_ = newDate;
    useCurrentDate_ = false;
    UpdateCalendar();
    Change();
}

void TORVCalendar::SetStartOfWeek(TDayOfWeek value)
{
    if (value < 0 || value > 6 || value == startOfWeek_)
        return;
    startOfWeek_ = value;
    UpdateCalendar();
}

void TORVCalendar::SetUseCurrentDate(bool value)
{
    if (value == useCurrentDate_)
        return;
    useCurrentDate_ = value;
    if (value) {
        date_ = Date();
        UpdateCalendar();
    }
}

QString TORVCalendar::CellText(int ACol, int ARow) const
{
    if (ACol == kSummaryCol)
        return QString();
    if (ARow == 0)
        return FormatSettings().ShortDayNames[size_t((startOfWeek_ + ACol) % 7)];
    const int day = ACol + monthOffset_ + (ARow - 1) * 7;
    if (day < 1 || day > DaysThisMonth())
        return QString();
    return QString::number(day);
}

void TORVCalendar::UpdateCalendar()
{
    struct Updating {
        bool& flag;
        explicit Updating(bool& f) : flag(f) { flag = true; }
        ~Updating() { flag = false; }
    } updating(updating_);
    int y = 0, m = 0, d = 0;
    DecodeDate(date_, y, m, d);
    const int firstWeekday = DayOfWeek(EncodeDate(y, m, 1));  // 1 = Sunday .. 7 = Saturday
    monthOffset_ = 2 - ((firstWeekday - startOfWeek_ + 7) % 7);
    // An offset of 2 would leave row 1 empty: the 1st belongs into its last column instead.
    if (monthOffset_ == 2)
        monthOffset_ = -5;
    const int cell = d - monthOffset_;
    MoveColRow(cell % 7, cell / 7 + 1, true, false);
    viewport()->update();
}

int TORVCalendar::DaysPerMonth(int AYear, int AMonth) const
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (AMonth < 1 || AMonth > 12)
        return 0;
    return kDays[AMonth - 1] + (AMonth == 2 && IsLeapYear(AYear) ? 1 : 0);
}

int TORVCalendar::DaysThisMonth() const
{
    return DaysPerMonth(Year(), Month());
}

bool TORVCalendar::IsLeapYear(int AYear) const
{
    return AYear % 4 == 0 && (AYear % 100 != 0 || AYear % 400 == 0);
}

TORVCalendarLine& TORVCalendar::DayLines(int line, int day)
{
    return const_cast<TORVCalendarLine&>(std::as_const(*this).DayLines(line, day));
}

const TORVCalendarLine& TORVCalendar::DayLines(int line, int day) const
{
    if (line < 1 || line > kLinesPerDay || day < 1 || day > 31)
        indexError();
    return dayLines_[size_t(line - 1)][size_t(day - 1)];
}

QString& TORVCalendar::WeekLines(int week, int text)
{
    return const_cast<QString&>(std::as_const(*this).WeekLines(week, text));
}

const QString& TORVCalendar::WeekLines(int week, int text) const
{
    if (week < 1 || week > kWeekRows || text < 1 || text > kWeekTexts)
        indexError();
    return weekLines_[size_t(week - 1)][size_t(text - 1)];
}

bool TORVCalendar::SelectCell(int ACol, int ARow)
{
    if (!updating_ && readOnly_)
        return false;
    if (CellText(ACol, ARow).isEmpty())
        return false;
    return TCustomGrid::SelectCell(ACol, ARow);
}

void TORVCalendar::Click()
{
    TCustomGrid::Click();
    const QString text = CellText(Col(), Row());
    if (!text.isEmpty())
        SetDay(text.toInt());
}

void TORVCalendar::Change()
{
    if (OnChange)
        OnChange(this);
}

void TORVCalendar::resizeEvent(QResizeEvent* e)
{
    TCustomGrid::resizeEvent(e);
    fitCells();
}

void TORVCalendar::fitCells()
{
    // Six grid lines are counted although eight columns have seven between them: the last
    // column ends at the edge with its line outside.
    const int lines = 6 * GridLineWidth();
    SetDefaultColWidth(std::max(0, (viewport()->width() - lines) / kColumns));
    SetDefaultRowHeight(std::max(0, (viewport()->height() - lines) / kRows));
    // Set here and not while painting: changing the geometry from a paint would paint again.
    SetRowHeights(0, kHeaderHeight);
}

void TORVCalendar::DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState)
{
    QPainter& p = *Canvas();
    const QPalette& pal = palette();
    const QFontMetrics fm(p.font());
    const int left = ARect.left();
    const int top = ARect.top();
    const int right = ARect.left() + ARect.width();
    const bool selected = AState & gdSelected;
    // The canvas as the grid prepared it: the cell's colour and its text colour.
    QColor brush = p.brush().color();
    QColor fontColor = p.pen().color();

    const QString text = CellText(ACol, ARow);
    const int textHeight = fm.height();
    const int bandBottom = top + 4 + textHeight;
    const QColor cellBrush = brush;
    const bool dayCell = ARow >= 1 && !text.isEmpty();
    if (dayCell) {
        // The day number's band in the info background.
        brush = pal.color(QPalette::ToolTipBase);
        p.fillRect(QRect(left, top, ARect.width(), bandBottom - top), brush);
    }
    if (selected)
        fontColor = Qt::black;
    textOut(p, left + (right - left - fm.horizontalAdvance(text)) / 2, top + 2, text, brush, fontColor);
    brush = cellBrush;
    if (dayCell) {
        p.setPen(pal.color(QPalette::WindowText));
        p.drawLine(left, bandBottom, right, bandBottom);
    }

    if (dayCell && ACol != kSummaryCol) {
        const int day = text.toInt();
        int above = 0;  // the heights of the lines above, drawn or not
        for (int k = 1; k <= kLinesPerDay; ++k) {
            const TORVCalendarLine& line = DayLines(k, day);
            if (!line.Text.isEmpty()) {
                if (line.Text.startsWith(QLatin1Char('*'))) {
                    fontColor = Qt::red;
                } else if (selected) {
                    fontColor = Qt::white;
                } else {
                    brush = ToQColor(line.Color);
                    fontColor = pal.color(QPalette::Text);
                }
                textOut(p, left + 2, top + 4 + 2 * k + textHeight + above, line.Text, brush, fontColor);
            }
            above += textHeight;
        }
    }

    if (ARow >= 1 && ACol == kSummaryCol) {
        fontColor = pal.color(QPalette::Text);
        int y = top + 2;
        for (int t = 1; t <= kWeekTexts; ++t) {
            textOut(p, left + 4, y, WeekLines(ARow, t), brush, fontColor);
            y += textHeight;
        }
    }
}
