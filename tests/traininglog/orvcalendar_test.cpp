// The month calendar control: month lengths, the layout of a month under a week start, what
// writing the date parts and clicking do, and how a day cell is drawn.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/rtl/sysutils.h"
#include "tests/support/qstringprinter.h"
#include "traininglog/orvcalendar.h"

namespace {

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        cal.SetStartOfWeek(1);
        cal.OnChange = [this](QObject*) { ++changes; };
    }
    void TearDown() override { FormatSettings() = saved_; }

    // Gives the control a client area of that size.
    void setClientSize(int w, int h)
    {
        const int frame = cal.frameWidth();
        cal.resize(w + 2 * frame, h + 2 * frame);
        cal.show();
        QApplication::processEvents();
    }
    // A click with the mouse in the middle of a cell.
    void clickCell(int col, int row)
    {
        cal.show();
        const QPoint at = cal.CellRect(col, row).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, cal.viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, cal.viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(cal.viewport(), &press);
        QApplication::sendEvent(cal.viewport(), &release);
    }

    TORVCalendar cal;
    int changes = 0;

private:
    TFormatSettings saved_;
};

TEST(CalendarMonthLength, LeapYearsFollowTheGregorianRule)
{
    TORVCalendar cal;
    struct Case {
        int year, month, days;
    };
    for (const Case& c : {Case{2000, 2, 29}, Case{2004, 2, 29}, Case{1900, 2, 28}, Case{2100, 2, 28}, Case{2003, 2, 28},
                          Case{2003, 4, 30}, Case{2003, 12, 31}}) {
        EXPECT_EQ(cal.DaysPerMonth(c.year, c.month), c.days) << c.year << "-" << c.month;
        EXPECT_EQ(cal.IsLeapYear(c.year), c.month == 2 && c.days == 29) << c.year;
    }
    cal.SetCalendarDate(EncodeDate(2100, 2, 10));
    EXPECT_EQ(cal.DaysThisMonth(), 28);
}

TEST_F(CalendarTest, MonthLayoutPutsTheFirstUnderItsWeekday)
{
    struct Case {
        TDateTime date;
        int offset, col;
    };
    // March 2004 begins on a Monday, February 2004 on a Sunday.
    for (const Case& c : {Case{EncodeDate(2004, 3, 1), 1, 0}, Case{EncodeDate(2004, 2, 1), -5, 6}}) {
        cal.SetCalendarDate(c.date);
        EXPECT_EQ(cal.MonthOffset(), c.offset);
        EXPECT_EQ(cal.CellText(c.col, 1), "1");
        EXPECT_EQ(cal.Col(), c.col);  // the shown day is the current cell
        EXPECT_EQ(cal.Row(), 1);
        for (int col = 0; col < c.col; ++col)
            EXPECT_EQ(cal.CellText(col, 1), "");
    }
    // February 2004 ends on Sunday the 29th, in column 6 of row 5; row 6 stays empty.
    EXPECT_EQ(cal.CellText(6, 5), "29");
    EXPECT_EQ(cal.CellText(0, 6), "");

    EXPECT_EQ((QStringList{cal.CellText(0, 0), cal.CellText(1, 0), cal.CellText(2, 0), cal.CellText(3, 0),
                           cal.CellText(4, 0), cal.CellText(5, 0), cal.CellText(6, 0)}),
              (QStringList{"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"}));
    for (int row = 0; row <= 6; ++row)
        EXPECT_EQ(cal.CellText(7, row), "") << row;

    // With Sunday first, February 2004 starts in column 0.
    cal.SetStartOfWeek(0);
    EXPECT_EQ(cal.MonthOffset(), 1);
    EXPECT_EQ(cal.CellText(0, 0), "So");
}

TEST_F(CalendarTest, WritingDatePartsChangesOnlyRealDays)
{
    cal.SetCalendarDate(EncodeDate(2004, 3, 14));
    changes = 0;
    EXPECT_TRUE(cal.UseCurrentDate());  // writing the whole date leaves it

    cal.SetMonth(13);
    cal.SetDay(0);
    cal.SetDay(14);
    cal.SetDay(32);
    cal.SetYear(-1);
    cal.SetDateElement(4, 3);
    EXPECT_EQ(cal.CalendarDate(), EncodeDate(2004, 3, 14));
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(cal.UseCurrentDate());
    EXPECT_EQ(cal.GetDateElement(4), -1);

    cal.SetDay(20);
    EXPECT_EQ(cal.CalendarDate(), EncodeDate(2004, 3, 20));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(cal.UseCurrentDate());
    EXPECT_EQ(cal.Col(), 5);  // Saturday
    EXPECT_EQ(cal.Row(), 3);

    // A year without the 29th of February refuses and leaves everything as it was.
    cal.SetCalendarDate(EncodeDate(2004, 2, 29));
    changes = 0;
    EXPECT_THROW(cal.SetYear(2003), EConvertError);
    EXPECT_EQ(cal.CalendarDate(), EncodeDate(2004, 2, 29));
    EXPECT_EQ(changes, 0);

    // Back to today, without a change event.
    cal.SetUseCurrentDate(true);
    EXPECT_EQ(cal.CalendarDate(), Date());
    EXPECT_EQ(changes, 0);
}

TEST_F(CalendarTest, OnlyDaysOfTheMonthCanBeChosenAndReadOnlyKeepsTheDay)
{
    setClientSize(806, 706);
    cal.SetCalendarDate(EncodeDate(2004, 2, 11));  // Wednesday, column 2 of row 3
    changes = 0;

    clickCell(7, 2);  // week summary
    clickCell(0, 1);  // before the 1st
    clickCell(1, 6);  // after the 29th
    EXPECT_EQ(cal.Day(), 11);
    EXPECT_EQ(cal.Col(), 2);
    EXPECT_EQ(cal.Row(), 3);
    EXPECT_EQ(changes, 0);

    clickCell(4, 4);  // Friday the 20th
    EXPECT_EQ(cal.Day(), 20);
    EXPECT_EQ(changes, 1);

    // The keyboard moves day by day, but never into the summary column.
    cal.setFocus();
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&cal, &right);
    EXPECT_EQ(cal.Day(), 21);
    QApplication::sendEvent(&cal, &right);
    QApplication::sendEvent(&cal, &right);
    EXPECT_EQ(cal.Day(), 22);
    EXPECT_EQ(cal.Col(), 6);

    cal.SetReadOnly(true);
    changes = 0;
    clickCell(1, 2);
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(&cal, &left);
    EXPECT_EQ(cal.Day(), 22);
    EXPECT_EQ(changes, 0);
    // The owner still moves it.
    cal.SetCalendarDate(EncodeDate(2004, 2, 2));
    EXPECT_EQ(cal.Col(), 0);
    EXPECT_EQ(cal.Row(), 2);
}

// Counts the pixels of a colour in a rectangle of a picture.
int countColor(const QImage& img, const QRect& r, const QColor& c)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

TEST_F(CalendarTest, CellsFillTheClientAreaAndEntryLinesShowTheirColours)
{
    setClientSize(806, 706);
    EXPECT_EQ(cal.DefaultColWidth(), 100);
    EXPECT_EQ(cal.DefaultRowHeight(), 100);
    EXPECT_EQ(cal.RowHeights(0), 18);

    cal.SetCalendarDate(EncodeDate(2004, 3, 1));
    // The 10th: Wednesday, column 2 of row 2; not the current cell.
    cal.DayLines(1, 10) = {"Laufen - 10 km", clLime};
    cal.DayLines(2, 10) = {"* Rad - 40 km", clYellow};
    cal.DayLines(3, 10) = {"Schwimmen - 2 km", clAqua};
    cal.WeekLines(2, 1) = "Einheiten: 3";
    cal.UpdateCalendar();
    const QImage img = cal.viewport()->grab().toImage();
    EXPECT_EQ(cal.RowHeights(0), 18);  // painting leaves the geometry alone

    const QRect cell = cal.CellRect(2, 2);
    const int h = QFontMetrics(cal.font()).height();
    auto band = [&](int k) { return QRect(cell.left() + 2, cell.top() + 4 + 2 * k + h + (k - 1) * h, 60, h); };
    const QColor lime(0, 255, 0), aqua(0, 255, 255), red(255, 0, 0), yellow(255, 255, 0);
    EXPECT_GT(countColor(img, band(1), lime), 0);
    EXPECT_EQ(countColor(img, band(1), red), 0);
    // The planned line: red on the colour of the line above, never its own.
    EXPECT_GT(countColor(img, band(2), red), 0);
    EXPECT_GT(countColor(img, band(2), lime), 0);
    EXPECT_EQ(countColor(img, cell, yellow), 0);
    EXPECT_GT(countColor(img, band(3), aqua), 0);
    // The day number's band in the info background.
    const QColor info = cal.palette().color(QPalette::ToolTipBase);
    EXPECT_GT(countColor(img, QRect(cell.left(), cell.top(), cell.width(), h + 4), info), 0);

    // Several repaints in a row settle: no paint changes the geometry again.
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    EXPECT_EQ(cal.RowHeights(0), 18);
}

TEST_F(CalendarTest, LinesOutsideTheTablesAreRefused)
{
    EXPECT_THROW(cal.DayLines(6, 1), Exception);
    EXPECT_THROW(cal.DayLines(1, 32), Exception);
    EXPECT_THROW(cal.WeekLines(7, 1), Exception);
    EXPECT_THROW(cal.WeekLines(1, 0), Exception);
    EXPECT_NO_THROW(cal.DayLines(5, 31));
}

}  // namespace
