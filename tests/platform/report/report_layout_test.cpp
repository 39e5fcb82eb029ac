// Band reports laid out as numbers: which bands land on which page, page breaks, groups that repeat
// their header on a new page, sums, counts and averages, and the before-print hooks.
#include "tests/platform/report/reportfixture.h"

#include "platform/report/listreport.h"

namespace {

// Millimetre layout: A4 portrait, 10 mm margins, so bands have 277 mm (270 above a 7 mm footer).
struct ListReport {
    TReport rep;
    TReportBand* title;
    TReportBand* head;
    TReportBand* detail;
    TReportBand* summary;
    TReportBand* footer;

    explicit ListReport(TDataSet* ds)
    {
        rep.SetDataSet(ds);
        rep.SetUnits(ruMillimetres);
        rep.SetReportTitle(QStringLiteral("Liste"));
        title = rep.AddBand(btTitle, 20);
        title->AddLabel(QStringLiteral("Trainingseinheiten"), 0, 2);
        head = rep.AddBand(btColumnHeader, 10);
        head->AddLabel(QStringLiteral("Meter"), 0, 1);
        detail = rep.AddBand(btDetail, 10);
        detail->AddDBText(QStringLiteral("Meter"), 0, 1, 30);
        summary = rep.AddBand(btSummary, 10);
        summary->AddExpr(QStringLiteral("SUM(Meter)"), 0, 1, 0, QStringLiteral("#,"));
        footer = rep.AddBand(btPageFooter, 7);
        footer->AddSysData(sdPageOfPages, 0, 1);
    }
};

TEST_F(ReportTest, DetailRowsFillPagesAboveThePageFooter)
{
    addDays(60);
    ListReport r(&units);
    const TPreparedReport p = r.rep.Prepare();
    ASSERT_EQ(p.pageCount(), 3);
    // Page 1: title 20 + head 10 leave 240 mm for 24 rows; later pages 260 mm for 26 rows.
    EXPECT_EQ(BandLetters(p.pages[0]), QStringLiteral("TC") + QString(24, QLatin1Char('D')) + QStringLiteral("B"));
    EXPECT_EQ(BandLetters(p.pages[1]), QStringLiteral("C") + QString(26, QLatin1Char('D')) + QStringLiteral("B"));
    EXPECT_EQ(BandLetters(p.pages[2]), QStringLiteral("C") + QString(10, QLatin1Char('D')) + QStringLiteral("SB"));
    EXPECT_EQ(p.pages[1].bandsOf(btDetail).front().recordNo, 25);
    EXPECT_DOUBLE_EQ(p.pages[0].bandsOf(btPageFooter).front().top, 280.0);
    EXPECT_EQ(TextsIn(p.pages[1], p.pages[1].bandsOf(btPageFooter).front()), QStringList{QStringLiteral("Seite 2 von 3")});
    EXPECT_EQ(TextsIn(p.pages[2], p.pages[2].bandsOf(btSummary).front()), QStringList{QStringLiteral("1.830.000")});
    // The cursor is back on the record it stood on.
    units.First();
    units.Next();
    r.rep.Prepare();
    EXPECT_EQ(units.RecNo(), 2);
}

TEST_F(ReportTest, PageOptionsAndEmptyDatasets)
{
    ListReport r(&units);
    TReportBand* pageHead = r.rep.AddBand(btPageHeader, 8);
    pageHead->AddLabel(QStringLiteral("Kopf"), 0, 0);

    // No records: title, headers, summary (a sum of 0) and footer still print.
    TPreparedReport p = r.rep.Prepare();
    ASSERT_EQ(p.pageCount(), 1);
    EXPECT_EQ(BandLetters(p.pages[0]), QStringLiteral("PTCSB"));

    r.rep.SetPrintIfEmpty(false);
    EXPECT_EQ(r.rep.Prepare().pageCount(), 0);

    addDays(30);
    r.rep.SetFirstPageHeader(false);
    r.rep.SetLastPageFooter(false);
    p = r.rep.Prepare();
    ASSERT_EQ(p.pageCount(), 2);
    EXPECT_EQ(BandLetters(p.pages[0]).left(2), QStringLiteral("TC"));
    EXPECT_TRUE(BandLetters(p.pages[0]).endsWith(QLatin1Char('B')));
    EXPECT_EQ(BandLetters(p.pages[1]).left(2), QStringLiteral("PC"));
    EXPECT_FALSE(BandLetters(p.pages[1]).endsWith(QLatin1Char('B')));

    // A report-level hook runs once per run and may stop it.
    int runs = 0;
    r.rep.BeforePrint = [&](TReport*, bool& print) { print = ++runs < 2; };
    EXPECT_EQ(r.rep.Prepare().pageCount(), 2);
    EXPECT_EQ(r.rep.Prepare().pageCount(), 0);
    EXPECT_EQ(runs, 2);
}

TEST_F(ReportTest, GroupsPrintHeaderAndFooterAndRepeatTheHeaderOnANewPage)
{
    // Week 20: 2 units, week 21: 5 units, week 22: 1 unit; detail rows 60 mm high.
    const int weeks[] = {20, 20, 21, 21, 21, 21, 21, 22};
    for (int i = 0; i < 8; ++i)
        addUnit(EncodeDate(2003, 5, 12) + 2 * i, weeks[i], QStringLiteral("Rad"), 1000 * (i + 1));
    TReport rep;
    rep.SetDataSet(&units);
    rep.SetUnits(ruMillimetres);
    TReportBand* header = rep.AddBand(btGroupHeader, 10);
    header->SetExpression(QStringLiteral("Woche"));
    header->SetRepeatOnNewPage(true);
    header->SetColor(clSilver);
    header->Frame().SetAll(true);
    header->AddExpr(QStringLiteral("\"Woche: \" + Woche"), 0, 1);
    TReportBand* footer = rep.AddBand(btGroupFooter, 10);
    footer->AddExpr(QStringLiteral("SUM(Meter)"), 0, 1);
    header->SetFooterBand(footer);
    rep.AddBand(btDetail, 60)->AddDBText(QStringLiteral("Meter"), 0, 0, 30);
    rep.AddBand(btSummary, 10)->AddExpr(QStringLiteral("SUM(Meter)"), 0, 1);

    const TPreparedReport p = rep.Prepare();
    ASSERT_EQ(p.pageCount(), 3);
    EXPECT_EQ(BandLetters(p.pages[0]), QStringLiteral("GDDFGDD"));
    EXPECT_EQ(BandLetters(p.pages[1]), QStringLiteral("GDDDFGD"));  // week 21 continues under its header
    EXPECT_EQ(BandLetters(p.pages[2]), QStringLiteral("GFS"));      // week 22's footer moved on, with its header
    QStringList heads, feet;
    for (const TReportPage& page : p.pages) {
        for (const TPlacedBand& b : page.bandsOf(btGroupHeader))
            heads << TextsIn(page, b);
        for (const TPlacedBand& b : page.bandsOf(btGroupFooter))
            feet << TextsIn(page, b);
    }
    EXPECT_EQ(heads, (QStringList{"Woche: 20", "Woche: 21", "Woche: 21", "Woche: 22", "Woche: 22"}));
    EXPECT_EQ(feet, (QStringList{"3000", "25000", "8000"}));
    EXPECT_EQ(TextsIn(p.pages[2], p.pages[2].bandsOf(btSummary).front()), QStringList{"36000"});
    // The header's colour fills its strip and its frame runs round it.
    const TPageItem& fill = p.pages[0].items.front();
    EXPECT_EQ(fill.kind, TPageItem::Rect);
    EXPECT_TRUE(fill.filled);
    EXPECT_EQ(fill.brushColor, clSilver);
    EXPECT_EQ(fill.rect, QRectF(10, 10, 190, 10));
    int frameLines = 0;
    for (const TPageItem& it : p.pages[0].items)
        frameLines += it.kind == TPageItem::Line && it.rect.top() >= 10 && it.rect.bottom() <= 20;
    EXPECT_EQ(frameLines, 4);
}

TEST_F(ReportTest, SummaryExpressionsCountOnlyPrintedRows)
{
    addUnit(EncodeDate(2003, 5, 12), 20, QStringLiteral("Laufen"), 10000, 120);
    addUnit(EncodeDate(2003, 5, 13), 20, QStringLiteral("Rad"), 0, 0);  // left out by the hook
    addUnit(EncodeDate(2003, 5, 14), 20, QStringLiteral("Laufen"), 2345, 15);
    addUnit(EncodeDate(2003, 5, 15), 20, QStringLiteral("Schwimmen"), QVariant(), 0);  // Meter Null
    TReport rep;
    rep.SetDataSet(&units);
    TReportBand* detail = rep.AddBand(btDetail);
    detail->AddExpr(QStringLiteral("SUM(Meter)"), 0, 0);  // a running sum in the row itself
    detail->BeforePrint = [this](TReportBand*, bool& print) {
        print = units.FieldByName(QStringLiteral("Sportart"))->AsString() != QLatin1String("Rad");
    };
    TReportBand* summary = rep.AddBand(btSummary, 200);
    const struct {
        const char* expression;
        const char* mask;
        const char* text;
    } cases[] = {
        {"SUM(meter)", "#,", "12.345"},
        {"COUNT()", "", "3"},
        {"COUNT(Meter)", "", "2"},
        {"Int(average(meter))", "#,", "6.172"},
        {"AVERAGE(Meter)", "0.00", "6172,50"},
        {"int(average(Hoehe))", "#,", "45"},
        {"MIN(Meter)", "", "2345"},
        {"MAX(Sportart)", "", "Schwimmen"},
        {"SUM(Meter) / 1000", "0.0", "12,3"},
        {"ROUND(2.5) + ABS(-1)", "", "3"},
        {"MIN(Meter) / 0", "", ""},
    };
    std::vector<TReportExpr*> exprs;
    for (const auto& c : cases)
        exprs.push_back(summary->AddExpr(QString::fromUtf8(c.expression), 0, 10.0 * double(exprs.size()), 100,
                                         QString::fromUtf8(c.mask)));
    const TPreparedReport p = rep.Prepare();
    ASSERT_EQ(p.pageCount(), 1);
    const auto rows = p.pages[0].bandsOf(btDetail);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(TextsIn(p.pages[0], rows[1]), QStringList{"12345"});
    const QStringList texts = TextsIn(p.pages[0], p.pages[0].bandsOf(btSummary).front());
    ASSERT_EQ(texts.size(), int(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(texts[int(i)], QString::fromUtf8(cases[i].text)) << cases[i].expression;
    // A second run starts the sums over.
    EXPECT_EQ(TextsIn(rep.Prepare().pages[0], rows[0]).value(0), QStringLiteral("10000"));
}

// The period print's running week and month sums: the hook changes a label's text and frame per
// row, and what it set stays on that row's page items.
TEST_F(ReportTest, BeforePrintHookChangesLabelsPerRow)
{
    addUnit(EncodeDate(2003, 5, 12), 20, QStringLiteral("Laufen"), 1000);  // Monday
    addUnit(EncodeDate(2003, 5, 14), 20, QStringLiteral("Laufen"), 2000);  // Wednesday
    addUnit(EncodeDate(2003, 5, 19), 21, QStringLiteral("Laufen"), 3000);  // next Monday
    addUnit(EncodeDate(2003, 6, 1), 22, QStringLiteral("Laufen"), 500);    // Sunday, new month
    TReport rep;
    rep.SetDataSet(&units);
    TReportBand* detail = rep.AddBand(btDetail, 20);
    TReportLabel* week = detail->AddLabel(QString(), rep.ClientWidth() - 150, 0);
    TReportLabel* month = detail->AddLabel(QString(), rep.ClientWidth() - 210, 0);
    TDateTime previous = 1.0;
    int weekSum = 0, monthSum = 0;
    detail->BeforePrint = [&](TReportBand*, bool&) {
        const TDateTime datum = units.FieldByName(QStringLiteral("Datum"))->AsDateTime();
        const int meter = units.FieldByName(QStringLiteral("Meter"))->AsInteger();
        const bool newWeek = DayOfTheWeek(datum) <= DayOfTheWeek(previous) && datum != previous;
        if (newWeek)
            weekSum = 0;
        week->Frame().DrawTop = newWeek;
        week->Frame().Style = Qt::DashLine;
        week->SetCaption(QString::number(weekSum + meter));
        const bool newMonth = MonthOf(datum) != MonthOf(previous) || YearOf(datum) != YearOf(previous);
        if (newMonth)
            monthSum = 0;
        month->Frame().DrawTop = newMonth;
        month->Frame().Style = Qt::DotLine;
        month->SetCaption(QString::number(monthSum + meter));
        weekSum += meter;
        monthSum += meter;
        previous = datum;
    };
    const TPreparedReport p = rep.Prepare();
    ASSERT_EQ(p.pageCount(), 1);
    // The Sunday after a skipped week does not start a week by this rule (it only compares days).
    EXPECT_EQ(p.pages[0].texts(), (QStringList{"1000", "1000", "3000", "3000", "3000", "6000", "3500", "500"}));
    QStringList lines;
    for (const TPageItem& it : p.pages[0].items)
        if (it.kind == TPageItem::Line)
            lines << QStringLiteral("%1@%2").arg(it.penStyle == Qt::DashLine ? "week" : "month").arg(it.rect.top() * 96 / 25.4, 0, 'f', 0);
    // Rows start at 10 mm (38 px) and are 20 px high.
    EXPECT_EQ(lines, (QStringList{"week@38", "month@38", "week@78", "month@98"}));
}

TEST_F(ReportTest, AutoSizedLabelsAndAlignment)
{
    TReport rep;
    rep.SetUnits(ruMillimetres);
    TReportBand* band = rep.AddBand(btTitle, 30);
    TReportLabel* centred = band->AddLabel(QStringLiteral("Trainingsplan"), 0, 0);
    centred->SetAlignToBand(true);
    centred->SetAlignment(Qt::AlignHCenter);
    TReportLabel* sized = band->AddLabel(QStringLiteral("Plan: Marathon"), 20, 10);
    sized->Font().setBold(true);
    TReportLabel* right = band->AddLabel(QStringLiteral("12"), 50, 20);
    right->SetAutoSize(false);
    right->SetWidth(30);
    right->SetAlignment(Qt::AlignRight);
    const TReportPage page = rep.Prepare().pages.at(0);
    ASSERT_EQ(page.items.size(), 3u);
    EXPECT_EQ(page.items[0].rect.left(), 10);
    EXPECT_EQ(page.items[0].rect.width(), 190);
    EXPECT_TRUE(page.items[0].alignment & Qt::AlignHCenter);
    EXPECT_NEAR(page.items[1].rect.width(), rep.TextWidth(sized->Font(), sized->Caption()), 1e-9);
    EXPECT_GT(page.items[1].rect.width(), rep.TextWidth(QFont(QStringLiteral("Arial"), 10), sized->Caption()));
    EXPECT_FALSE(page.items[1].clip);
    EXPECT_EQ(page.items[2].rect, QRectF(60, 30, 30, LineHeight(right->Font())));
    EXPECT_TRUE(page.items[2].clip);
}

TEST_F(ReportTest, ExpressionErrorsNameThePosition)
{
    const struct {
        const char* text;
        int position;
    } cases[] = {
        {"SUM(Meter", 10}, {"SUM(SUM(Meter))", 5}, {"Meter +", 8}, {"FOO(1)", 1},
        {"\"offen", 1},    {"Meter $ 2", 7},       {"[]", 1},      {"AVERAGE()", 1},
    };
    for (const auto& c : cases) {
        try {
            TReportExpression e{QString::fromUtf8(c.text)};
            ADD_FAILURE() << c.text << " was accepted";
        } catch (const EReportExpression& e) {
            EXPECT_EQ(e.Position(), c.position) << c.text;
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Fehler im Ausdruck \"%1\" an Position %2: ")
                                                   .arg(QString::fromUtf8(c.text))
                                                   .arg(c.position)))
                << e.Message().toStdString();
        }
    }
    // A bad expression leaves the field as it was; an unknown field fails the run.
    TReport rep;
    rep.SetDataSet(&units);
    rep.AddBand(btDetail);
    TReportExpr* x = rep.AddBand(btSummary)->AddExpr(QStringLiteral("SUM(Meter)"), 0, 0);
    EXPECT_THROW(x->SetExpression(QStringLiteral("SUM(")), EReportExpression);
    EXPECT_EQ(x->Expression().Text(), QStringLiteral("SUM(Meter)"));
    x->SetExpression(QStringLiteral("SUM(Puls)"));
    addDays(1);
    EXPECT_THROW(rep.Prepare(), EDatabaseError);
}

TEST_F(ReportTest, ListReportBuiltFromFieldNames)
{
    units.FieldByName(QStringLiteral("Hoehe"))->SetDisplayLabel(QStringLiteral("Höhendifferenz"));
    addDays(3);
    std::unique_ptr<TReport> rep =
        QRCreateList(&units, QStringLiteral("Zeitraumstatistik"), {QStringLiteral("Sportart"), QStringLiteral("Meter"), QStringLiteral("Hoehe")});
    EXPECT_EQ(rep->Orientation(), QPageLayout::Portrait);
    TReportBand* head = rep->Band(btColumnHeader);
    ASSERT_EQ(head->ElementCount(), 3);
    EXPECT_EQ(static_cast<TReportLabel*>(head->FindElement(QStringLiteral("Label_Hoehe")))->Caption(),
              QStringLiteral("Höhendifferenz"));
    const TPreparedReport p = rep->Prepare();
    ASSERT_EQ(p.pageCount(), 1);
    EXPECT_EQ(BandLetters(p.pages[0]), QStringLiteral("TCDDD"));
    EXPECT_EQ(TextsIn(p.pages[0], p.pages[0].bandsOf(btDetail)[1]), (QStringList{"Laufen", "2000", "1"}));
    // Numbers stand right-aligned in their columns, side by side from the left margin.
    auto* meter = static_cast<TReportDBText*>(rep->Band(btDetail)->FindElement(QStringLiteral("Meter")));
    EXPECT_TRUE(meter->Alignment() & Qt::AlignRight);
    EXPECT_GT(meter->Left(), 0);

    // Twenty columns do not fit a portrait page: landscape, and narrowed to the page.
    QStringList many;
    for (int i = 0; i < 20; ++i)
        many << QStringLiteral("Sportart");
    std::unique_ptr<TReport> wide = QRCreateList(&units, QString(), many);
    EXPECT_EQ(wide->Orientation(), QPageLayout::Landscape);
    const TReportElement* last = wide->Band(btDetail)->Element(19);
    EXPECT_LE(last->Left() + last->Width(), wide->ClientWidth() + 1e-6);

    // No columns: title and summary still print.
    std::unique_ptr<TReport> none = QRCreateList(&units, QStringLiteral("Leer"), {});
    none->EnsureBand(btSummary)->AddExpr(QStringLiteral("SUM(Meter)"), 0, 0);
    EXPECT_EQ(none->Prepare().pages.at(0).texts(), (QStringList{"Leer", "6000"}));
}

}  // namespace

// A row filter keeps printed rows out of an expression's sums and averages (summary rows that
// repeat the figures of the rows before them), while the rows themselves still print.
TEST_F(ReportTest, RowFilterLeavesPrintedRowsOutOfTheAggregates)
{
    addUnit(EncodeDate(2003, 5, 12), 20, QStringLiteral("Laufen"), 1000);
    addUnit(EncodeDate(2003, 5, 13), 20, QStringLiteral("Laufen"), 3000);
    addUnit(EncodeDate(2003, 5, 13), -1, QStringLiteral("Block"), 4000);  // repeats the two above
    TReport rep;
    rep.SetDataSet(&units);
    rep.AddBand(btDetail)->AddDBText(QStringLiteral("Meter"), 0, 0, 100);
    TReportBand* summary = rep.AddBand(btSummary, 200);
    auto unitsOnly = [](TDataSet* ds) { return ds && ds->FieldByName(QStringLiteral("Woche"))->AsInteger() > 0; };
    const char* expressions[] = {"SUM(Meter)", "Int(average(meter))", "COUNT()"};
    for (int i = 0; i < 3; ++i)
        summary->AddExpr(QString::fromLatin1(expressions[i]), 0, 10.0 * i, 100, QStringLiteral("#,0"))
            ->SetRowFilter(unitsOnly);
    summary->AddExpr(QStringLiteral("SUM(Meter)"), 0, 40, 100, QStringLiteral("#,0"));  // no filter
    TPreparedReport p = rep.Prepare();
    EXPECT_EQ(p.pages[0].bandsOf(btDetail).size(), 3u);
    EXPECT_EQ(TextsIn(p.pages[0], p.pages[0].bandsOf(btSummary).front()),
              (QStringList{"4.000", "2.000", "2", "8.000"}));

    // No row passes: sums and averages of nothing print 0.
    summary->AddExpr(QStringLiteral("SUM(Meter)"), 0, 50, 100, QStringLiteral("#,0"))->SetRowFilter([](TDataSet*) {
        return false;
    });
    summary->AddExpr(QStringLiteral("Int(average(meter))"), 0, 60, 100, QStringLiteral("#,0"))
        ->SetRowFilter([](TDataSet*) { return false; });
    p = rep.Prepare();
    EXPECT_EQ(TextsIn(p.pages[0], p.pages[0].bandsOf(btSummary).front()).mid(4), (QStringList{"0", "0"}));
}
