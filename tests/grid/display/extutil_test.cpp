// The grid library's free routines, as tables: wide text, cell text kinds, dates, numbers, the
// condition matcher, names, quoting and lines, colours and the geometry of the cell drawings.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "grid/display/extutil.h"
#include "tests/support/qstringprinter.h"

namespace {

TFormatSettings german()
{
    return GermanFormatSettings();
}

// The process-wide format settings for one test, put back afterwards.
struct SettingsScope {
    explicit SettingsScope(const TFormatSettings& fs) : saved(FormatSettings()) { FormatSettings() = fs; }
    ~SettingsScope() { FormatSettings() = saved; }
    TFormatSettings saved;
};

}  // namespace

TEST(ExtUtilTest, WideTextRoundTripsThroughTheByteForm)
{
    const QString w = QStringLiteral(u"A€");
    const QByteArray cell = WideToCellText(w);
    EXPECT_EQ(cell, QByteArray("|\\\x00\x41\x20\xAC", 6));
    EXPECT_EQ(CellTextToWide(cell), w);
    EXPECT_EQ(CellTextToWide(cell + 'x'), w) << "an odd trailing byte is ignored";
    EXPECT_EQ(CellTextToWide(QByteArray("Gr\xFC\xDF \x80")), QStringLiteral(u"Grüß €"))
        << "other texts are read in the ANSI code page";
    EXPECT_EQ(CellTextToWide(WideToCellText(QString())), QString());
}

TEST(ExtUtilTest, CellTextKindByFirstCharacters)
{
    struct Case {
        QString text;
        bool html;
        int kind;
    };
    const Case cases[] = {
        {QString(), true, ctkPlain},
        {QStringLiteral("=A1+B1"), false, ctkFormula},
        {QString::fromLatin1("|\\\x00=", 4), true, ctkFormula},
        {QString::fromLatin1("|\\\x00\x41", 4), true, ctkWide},
        {QStringLiteral("|\\"), true, ctkWide},
        {QStringLiteral("{\\rtf1 x}"), true, ctkRichText},
        {QStringLiteral("<b>fett</b>"), true, ctkHTML},
        {QStringLiteral("<b>fett</b>"), false, ctkPlain},
        {QStringLiteral("<b fett"), true, ctkPlain},
        {QStringLiteral("<B>"), true, ctkHTML},
        {QStringLiteral("a <I>b"), true, ctkHTML},
        {QStringLiteral("x < y"), true, ctkPlain},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellTextKind(c.text, c.html), c.kind) << c.text.toStdString() << " html " << c.html;
}

TEST(ExtUtilTest, DatesReadWithCenturyOnlyForTwoDigitYears)
{
    struct Case {
        const char* text;
        bool monthFirst;
        int y, m, d;  // 0: no date
    };
    const Case cases[] = {
        {"3.4.05", false, 2005, 4, 3},    {"3.4.26", false, 1926, 4, 3},  {"3.4.25", false, 2025, 4, 3},
        {"3.4.2005", false, 2005, 4, 3},  {"03/04/1999", false, 1999, 4, 3}, {"3-4-2005", false, 2005, 4, 3},
        {"4/3/05", true, 2005, 4, 3},     {"12.31.2026", true, 2026, 12, 31}, {"31.2.2005", false, 0, 0, 0},
        {"a.4.2005", false, 0, 0, 0},     {"3.4", false, 0, 0, 0},        {"3.4.2005.1", false, 0, 0, 0},
        {"", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const TDateTime got = c.monthFirst ? ParseDateMDY(QString::fromLatin1(c.text))
                                           : ParseDateDMY(QString::fromLatin1(c.text));
        EXPECT_EQ(got, c.y ? EncodeDate(c.y, c.m, c.d) : 0.0) << c.text;
    }
}

TEST(ExtUtilTest, ShortDatesFollowTheLocaleOrder)
{
    TDateTime d = 0;
    EXPECT_TRUE(ParseShortDate(QStringLiteral("24.12.2026"), d, german()));
    EXPECT_EQ(d, EncodeDate(2026, 12, 24));
    EXPECT_TRUE(ParseShortDate(QStringLiteral("12/24/2026"), d, USFormatSettings()));
    EXPECT_EQ(d, EncodeDate(2026, 12, 24));
    for (const char* bad : {"32.1.2026", "1.13.2026", "31.4.2026", "1.1", "x.1.2026", "1/1/2026"})
        EXPECT_FALSE(ParseShortDate(QString::fromLatin1(bad), d, german())) << bad;

    EXPECT_TRUE(DateSeparatorCount(QStringLiteral("1.2.3"), german()));
    EXPECT_FALSE(DateSeparatorCount(QStringLiteral(".2.3"), german())) << "not at the first position";
    EXPECT_FALSE(DateSeparatorCount(QStringLiteral("1.23"), german()));
}

TEST(ExtUtilTest, DateSteppingCarriesYearsAndClampsTheDay)
{
    struct Case {
        int years, months, days, step;
        TDateTime from, to;
    };
    const Case cases[] = {
        {0, 1, 0, 0, EncodeDate(2027, 1, 31), EncodeDate(2027, 2, 28)},
        {0, 13, 0, 0, EncodeDate(2026, 12, 15), EncodeDate(2028, 1, 15)},
        {1, 0, 0, 0, EncodeDate(2024, 2, 29), EncodeDate(2025, 2, 28)},
        {0, -2, 0, 0, EncodeDate(2026, 1, 31), EncodeDate(2025, 11, 30)},
        {0, 0, 10, 0, EncodeDate(2026, 12, 25), EncodeDate(2027, 1, 4)},
        {0, 1, 1, 7, EncodeDate(2026, 1, 1), EncodeDate(2026, 1, 8)},  // more than one part: the step
        {0, 0, 0, 3, EncodeDate(2026, 1, 1) + 0.5, EncodeDate(2026, 1, 4) + 0.5},
        {0, 1, 0, 0, EncodeDate(2026, 1, 31) + 0.25, EncodeDate(2026, 2, 28) + 0.25},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(IncDatePart(c.years, c.months, c.days, c.step, c.from), c.to)
            << FormatDateTime(QStringLiteral("dd.mm.yyyy"), c.from).toStdString() << " " << c.years << "/" << c.months
            << "/" << c.days;
}

TEST(ExtUtilTest, NumberTextsByTheLocaleSeparators)
{
    const TFormatSettings fs = german();  // thousand ".", decimal ","
    struct Case {
        const char* text;
        int kind;
    };
    const Case cases[] = {{"1.234", ntFloat},   {"1.234.567", ntNoNumber}, {"-12", ntInteger}, {"1-2", ntNoNumber},
                          {"12,5", ntFloat},    {"-1.234,5", ntFloat},     {"1,2,3", ntNoNumber}, {".123", ntNoNumber},
                          {"--1", ntNoNumber},  {"12a", ntNoNumber},       {"007", ntInteger}};
    for (const Case& c : cases)
        EXPECT_EQ(IsNumberText(QString::fromLatin1(c.text), fs), c.kind) << c.text;

    struct Strip {
        const char* text;
        const char* number;
    };
    const Strip strips[] = {{" 1.234,50 ", "1234.50"}, {"(1.234,5)", "-1234.5"}, {"-12", "-12"},
                            {"EUR 12", "E"},           {"ab 3,5 km", "3.5"},   {"+5", "5"},
                            {"1,5e3x", "1.5e3"},       {"", ""}};
    for (const Strip& s : strips)
        EXPECT_EQ(StripThousandSeparators(QString::fromUtf8(s.text), fs), QString::fromLatin1(s.number)) << s.text;
    EXPECT_EQ(NormalizeNumber(QStringLiteral("1.234.567,89"), fs), QStringLiteral("1234567.89"));

    SettingsScope scope(fs);  // the plain overloads read the program's settings
    EXPECT_EQ(IsNumberText(QStringLiteral("1.234")), ntFloat);
    EXPECT_EQ(StripThousandSeparators(QStringLiteral("2,5")), QStringLiteral("2.5"));
}

TEST(ExtUtilTest, ConditionsCombineLeftToRight)
{
    const TFormatSettings fs = german();
    struct Case {
        const char* condition;
        const char* text;
        bool ignoreCase;
        bool match;
    };
    const Case cases[] = {
        {">10 & <20", "15", false, true},
        {">10 & <20", "25", false, false},
        {"<10 ^ >20", "25", false, true},
        {"<10 ^ >20", "15", false, false},
        {"<10 | >20", "5", false, true},
        {"<10;>20", "5", false, true},
        {">=15", "15", false, true},
        {"> = 15", "15", false, true},
        {"<=15", "15,5", false, false},
        {">1.000", "2.000,5", false, true},  // numbers by the locale
        {">9", "10", false, true},           // as numbers, not as texts
        {">01.02.2026", "15.03.2026", false, true},
        {"<01.02.2026", "15.03.2025", false, true},  // dates, though "." also groups thousands
        {">1.2.2026", "31.1.2026", false, false},
        {">b", "c", false, true},
        {">\"b\"", "a", false, false},
        {"Ab*", "Abend", false, true},
        {"Ab*", "Tabelle", false, false},
        {"!Ab*", "Abend", false, false},
        {"!Ab*", "Tabelle", false, true},
        {"ab*", "Abend", true, true},
        {"ab*", "Abend", false, false},
        {"=Abend", "Abend", false, true},
        {"A?e*d", "Abend", false, true},
        {"*nd", "Abend und Abend", false, true},
        {"*\\*", "5*", false, true},
        {"*\\*", "5", false, false},
        {"\"a b\"", "a b", false, true},
        {"*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaa", false, false},
        {"Abend & !*x* | Nacht", "Nacht", false, true},  // (Abend and not x) or Nacht
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchCondition(QString::fromUtf8(c.condition), QString::fromUtf8(c.text), c.ignoreCase, fs), c.match)
            << c.condition << " on " << c.text;
}

TEST(ExtUtilTest, NamesInMixedCase)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"mcdonald o'neil-smith", "McDonald O'Neil-Smith"},
        {"JOHN SMITH", "John Smith"},
        {"anna mcbride", "Anna McBride"},
        {"henry iv", "Henry IV"},
        {"john smith iii", "John Smith III"},
        {"j.r. ewing", "J.R. Ewing"},
        {"MÜLLER-LÜDENSCHEIDT", "Müller-Lüdenscheidt"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MixedCaseName(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

// One or two rows for every remaining routine, from the rules they follow.
TEST(ExtUtilTest, TextAndLineRoutines)
{
    int pos = -1;
    EXPECT_EQ(CharPos(QLatin1Char('b'), QStringLiteral("abc")), 2);
    EXPECT_EQ(CharPos(QLatin1Char('x'), QStringLiteral("abc")), 0);
    EXPECT_EQ(CharPosIn(QLatin1Char('x'), QStringLiteral("abc"), pos), 0);
    EXPECT_EQ(pos, -1) << "pos is set only when found";
    EXPECT_EQ(CharPosIn(QLatin1Char('c'), QStringLiteral("abc"), pos), 3);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(PosOut(QStringLiteral("cd"), QStringLiteral("abcd"), pos), 3);
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(PosUpper(QStringLiteral("CD"), QStringLiteral("abcd")), 3);
    EXPECT_EQ(PosUpper(QStringLiteral("cd"), QStringLiteral("abcd")), 0) << "sub is taken as given";
    EXPECT_EQ(PosUpper(QStringLiteral(u"X"), QStringLiteral(u"ßx")), 2) << "positions are those of the text";
    EXPECT_EQ(FirstCharInSet(QStringLiteral(";,\t"), QStringLiteral("a,b;c")), QLatin1Char(','));
    EXPECT_TRUE(FirstCharInSet(QStringLiteral(";"), QStringLiteral("abc")).isNull());

    QString s = QStringLiteral("key=value"), head;
    CutBeforeDelimiter(s, QLatin1Char('='), head);
    EXPECT_EQ(head, QStringLiteral("key"));
    EXPECT_EQ(s, QStringLiteral("value"));
    CutBeforeDelimiter(s, QLatin1Char('='), head);
    EXPECT_EQ(head, QString());
    EXPECT_EQ(s, QStringLiteral("value"));
    FillChars(s, QLatin1Char('*'));
    EXPECT_EQ(s, QStringLiteral("*****"));

    EXPECT_EQ(MaxOf(3, -4), 3);
    EXPECT_EQ(MinOf(3, -4), -4);
    const QRect r(10, 20, 5, 5);  // left 10, top 20, right edge 15, bottom edge 25
    EXPECT_TRUE(PtInRectIncl(r, 10, 20));
    EXPECT_TRUE(PtInRectIncl(r, 15, 25));
    EXPECT_FALSE(PtInRectIncl(r, 16, 25));
    EXPECT_FALSE(PtInRectIncl(r, 9, 22));
    EXPECT_EQ(LowerCaseChar(QLatin1Char('Q')), QLatin1Char('q'));
    EXPECT_EQ(LowerCaseChar(QChar(0xC4)), QChar(0xC4));
    EXPECT_EQ(StripCR(QStringLiteral("a\r\nb\r")), QStringLiteral("a\nb"));
    EXPECT_EQ(LiteralNewlines(QStringLiteral("Zeit\\nmin")), QStringLiteral("Zeit\rmin"));

    EXPECT_TRUE(IsURL(QStringLiteral("http://x.org")));
    EXPECT_TRUE(IsURL(QStringLiteral("mailto:a@b.de")));
    EXPECT_FALSE(IsURL(QStringLiteral("www.x.org")));
    for (const char* url : {"http://x.org", "mailto:x.org"}) {
        QString u = QString::fromLatin1(url);
        StripURLPrefix(u);
        EXPECT_EQ(u, QStringLiteral("x.org")) << url;
    }

    int col = -1, row = -1;
    EXPECT_TRUE(ParseRCReference(QStringLiteral("r12c3"), col, row));
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 12);
    for (const char* bad : {"R1C", "RC12", "R1X2", "C1R1", "R1"})
        EXPECT_FALSE(ParseRCReference(QString::fromLatin1(bad), col, row)) << bad;

    EXPECT_EQ(PickDimension(50, 20, 20), 50);
    EXPECT_EQ(PickDimension(50, 20, 30), 30);
    EXPECT_EQ(PickDimension(50, 80, 60), 80);
    EXPECT_EQ(PickDimension(50, 20, 60), 50);
}

TEST(ExtUtilTest, QuotingAndLineRoutines)
{
    QString s = QStringLiteral("Zeile 1\r\nZeile 2");
    LinesToQuotedCell(s);
    EXPECT_EQ(s, QStringLiteral("\"Zeile 1\x0BZeile 2\""));
    QuotedCellToLines(s);
    EXPECT_EQ(s, QStringLiteral("\"Zeile 1\r\nZeile 2\""));
    s = QStringLiteral("a~b");
    TildeToLineBreak(s);
    EXPECT_EQ(s, QStringLiteral("a\r\nb"));

    EXPECT_EQ(UndoubleQuoteChar(QLatin1Char('"'), QStringLiteral("\"Er sagte \"\"ja\"\"\"")),
              QStringLiteral("Er sagte \"ja\""));
    EXPECT_EQ(UndoubleQuoteChar(QLatin1Char('"'), QStringLiteral("ohne")), QStringLiteral("ohne"));

    int pos = 0;
    struct Run {
        const char* text;
        int pos;
    };
    const Run runs[] = {{"ab\"\"c\"d", 6}, {"\"\"\"x", 3}, {"ab\"\"", 4}, {"abc", 0}, {"\"\"x\"\"y", 0}};
    for (const Run& r : runs)
        EXPECT_EQ(PosOddRun(QLatin1Char('"'), QString::fromLatin1(r.text), pos), r.pos) << r.text;
    EXPECT_EQ(CountOddRuns(QLatin1Char(';'), QStringLiteral("a;b;;c;d")), 2);
    EXPECT_EQ(CountOddRuns(QLatin1Char(';'), QStringLiteral("a;;b")), 0);
    EXPECT_EQ(CountCharIn(QLatin1Char(';'), QStringLiteral("a;b;;c")), 3);

    const QString cell = QStringLiteral("eins\r\nzwei");
    const QString line = CRToStreamText(cell);
    EXPECT_FALSE(line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')));
    EXPECT_EQ(StreamTextToCR(line, true), cell);
    EXPECT_EQ(CRToStreamText(QStringLiteral("a\tb")), QStringLiteral("a\tb")) << "a text without CR is kept";
    EXPECT_EQ(StreamTextToCR(QStringLiteral("a\tb"), true), QStringLiteral("a\tb"));
    EXPECT_EQ(LineCountOf(cell, true), 2);
    EXPECT_EQ(LineCountOf(cell, false), 1);

    QString oem = QString::fromLatin1("Gr\x81\xE1"); // "Grüß" written in code page 850, read as ANSI
    OemToAnsiText(oem);
    EXPECT_EQ(oem, QStringLiteral(u"Grüß"));
}

TEST(ExtUtilTest, WidePositions)
{
    EXPECT_EQ(WideStrPos(QStringLiteral(u"€"), QStringLiteral(u"10 €")), 4);
    EXPECT_EQ(WideStrPos(QString(), QStringLiteral("a")), 0);
    EXPECT_EQ(WideStrPos(QStringLiteral("a"), QString()), 0);
    EXPECT_EQ(WidePosNoCase(QStringLiteral(u"äpfel"), QStringLiteral(u"Drei Äpfel")), 6);
    EXPECT_EQ(WidePosNoCase(QStringLiteral("z"), QStringLiteral("abc")), 0);
}

TEST(ExtUtilTest, ColoursResolveSystemColoursAndBlendLinearly)
{
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(DarkerColor(clBtnFace), RGBColor(RedOf(face) / 2, GreenOf(face) / 2, BlueOf(face) / 2));
    EXPECT_EQ(DarkerColor(RGBColor(200, 101, 0)), RGBColor(100, 50, 0));

    EXPECT_EQ(BlendColor(clBlack, clWhite, 5, 0, 10), RGBColor(128, 128, 128));
    EXPECT_EQ(BlendColor(clRed, clBlue, 10, 0, 10), clBlue);
    EXPECT_EQ(BlendColor(clRed, clNone, 5, 0, 10), clRed);
    EXPECT_EQ(BlendColor(clRed, clBlue, 5, 3, 3), clRed) << "a ramp without length";
}

TEST(ExtUtilTest, GradientBandsCoverTheRectangleWithoutGaps)
{
    const QRect r(10, 0, 100, 8);
    const auto bands = GradientBands(clBlack, RGBColor(200, 100, 0), 4, true, r);
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands.front().Rect.left(), 10);
    EXPECT_EQ(bands.back().Rect.right(), r.right()) << "bands stay inside the rectangle";
    for (size_t i = 1; i < bands.size(); ++i) {
        EXPECT_LE(bands[i].Rect.left(), bands[i - 1].Rect.right()) << "each band overlaps its neighbour by a pixel";
        EXPECT_EQ(bands[i].Rect.height(), 8);
    }
    EXPECT_EQ(bands[0].Color, clBlack);
    EXPECT_EQ(bands[2].Color, RGBColor(100, 50, 0));
    EXPECT_TRUE(GradientBands(clBlack, clNone, 4, true, r).empty());
    const auto vertical = GradientBands(clBlack, clWhite, 0, false, r);
    ASSERT_EQ(vertical.size(), 1u) << "at least one band";
    EXPECT_EQ(vertical[0].Rect, r);
}

TEST(ExtUtilTest, ProgressAndRangeLayouts)
{
    const QRect r(0, 0, 104, 20);
    TProgressLayout p = ProgressLayout(r, 0, 200, 50, 2, 3);
    EXPECT_EQ(p.Inner, QRect(2, 3, 100, 14));
    EXPECT_EQ(p.Percent, 25);
    EXPECT_EQ(p.Bar, QRect(2, 3, 25, 14));
    EXPECT_EQ(p.Rest, QRect(27, 3, 75, 14));
    EXPECT_EQ(p.Text, QStringLiteral("25%"));
    EXPECT_EQ(ProgressLayout(r, 0, 100, 40, 0, 0, QStringLiteral("%d von 100 (%d %%)")).Text,
              QStringLiteral("40 von 100 (40 %)"));

    // An empty range and values outside it neither divide by zero nor leave the rectangle.
    p = ProgressLayout(r, 5, 5, 5, 2, 2);
    EXPECT_EQ(p.Percent, 0);
    EXPECT_TRUE(p.Bar.isEmpty());
    EXPECT_EQ(p.Text, QStringLiteral("0%"));
    EXPECT_EQ(ProgressLayout(r, 0, 100, 250, 2, 2).Bar.width(), 100);
    EXPECT_TRUE(ProgressLayout(r, 0, 100, -20, 2, 2).Bar.isEmpty());

    const QRect cell(0, 0, 104, 20);
    TRangeLayout g = RangeIndicatorLayout(cell, 50, 100);
    EXPECT_EQ(g.Inner, QRect(2, 2, 100, 16));
    EXPECT_TRUE(g.Positive);
    EXPECT_EQ(g.Bar, QRect(52, 2, 25, 16));
    g = RangeIndicatorLayout(cell, -300, 100);
    EXPECT_FALSE(g.Positive);
    EXPECT_EQ(g.Bar, QRect(2, 2, 50, 16)) << "limited to the range";
    g = RangeIndicatorLayout(cell, 7, 0);
    EXPECT_TRUE(g.Bar.isEmpty()) << "an empty range";
    EXPECT_EQ(g.Text, QStringLiteral("7"));
}

TEST(ExtUtilTest, ZigZagAndRecolouredPictures)
{
    const auto zig = ErrorZigZag(10, 16, 30);
    ASSERT_EQ(zig.size(), 4u);
    EXPECT_EQ(zig[0], QPoint(10, 30));
    EXPECT_EQ(zig[1], QPoint(12, 32));
    EXPECT_EQ(zig[3], QPoint(16, 32));

    QImage pic(3, 2, QImage::Format_RGB32);
    pic.fill(QColor(255, 0, 255));
    pic.setPixel(1, 1, qRgb(0, 0, 0));
    const QImage out = ReplaceTopLeftColor(pic, clYellow);
    EXPECT_EQ(QColor(out.pixel(0, 0)), QColor(255, 255, 0));
    EXPECT_EQ(QColor(out.pixel(2, 1)), QColor(255, 255, 0));
    EXPECT_EQ(QColor(out.pixel(1, 1)), QColor(0, 0, 0));
    EXPECT_TRUE(ReplaceTopLeftColor(QImage(), clYellow).isNull());
}

TEST(ExtUtilTest, LayeredWindowAlpha)
{
    EXPECT_FALSE(SetLayeredWindowAlpha(nullptr, clNone, 128, LWA_ALPHA));
    QWidget tip;
    EXPECT_TRUE(SetLayeredWindowAlpha(&tip, clNone, 255 - 51, LWA_ALPHA));
    EXPECT_NEAR(tip.windowOpacity(), 0.8, 0.01);
    const QPoint at(40, 50);
    const QSize size(100, 100);
    EXPECT_TRUE(UpdateLayeredWindowEx(&tip, &at, &size, 255, LWA_ALPHA));
    EXPECT_EQ(tip.size(), size);
    EXPECT_NEAR(tip.windowOpacity(), 1.0, 0.01);
}
