// The period statistics window's output on the program started as a user starts it: the Excel
// export of the visible columns, the grid's cell colours, and the print dialog with its columns,
// running week and month sums, summary block, preview and print.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>
#include <cmath>

#include "analysis/zeitdruckdialog.h"
#include "analysis/zeitraumneu.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "platform/db/query.h"
#include "platform/office/workbookreader.h"
#include "platform/report/report.h"
#include "platform/report/reportpreview.h"
#include "platform/report/reportprinter.h"
#include "platform/report/rendertext.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/datetimepicker.h"
#include "platform/vcl/dbgrids.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/errorbox.h"
#include "tests/support/keyboardwalk.h"
#include "traininglog/einheiteneingabe.h"

namespace {

class PeriodOutputTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetClock([] { return EncodeDate(2026, 12, 10) + EncodeTime(10, 0, 0, 0); });
        PrintJobCapture::start();
    }
    void TearDown() override
    {
        PrintJobCapture::stop();
        ProgramTest::TearDown();
        FormatSettings() = savedSettings_;
    }

    void unit(const char* date, int metres, int block = 1, int height = 10, int sport = 1)
    {
        db.exec(QStringLiteral("INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, "
                               "Belastungsstufe, Hoehendifferenz, Ort, Wetter, trainingsblock) VALUES "
                               "(%1, 0.3, 1, 0.03, %2, %3, 1, 1, %4, 'Park', 'sonnig', %5)")
                    .arg(StrToDate(QString::fromLatin1(date), GermanFormatSettings()))
                    .arg(metres)
                    .arg(sport)
                    .arg(height)
                    .arg(block));
    }
    void block(int id)
    {
        db.exec(QStringLiteral("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created, trb_sportart, trb_form) "
                               "VALUES (%1, 'Block %1', %2, 1, 1)")
                    .arg(id)
                    .arg(EncodeDate(2026, 11, 1)));
    }

    // Starts the program and opens the window on the period; the window stays open afterwards
    // (one instance per process) for the test to use.
    void open(const char* from, const char* to)
    {
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
        ScriptedAnswers::onShowModal<TZeitNeu>([](TZeitNeu& f) { f.Close(); });
        UpdateAllActions();
        MainForm->StatZeitraum1->Execute();
        ASSERT_NE(ZeitNeu, nullptr);
        ZeitNeu->DateTimePicker1->SetDateTime(StrToDate(QString::fromLatin1(from), GermanFormatSettings()));
        ZeitNeu->DateTimePicker2->SetDateTime(StrToDate(QString::fromLatin1(to), GermanFormatSettings()));
        ZeitNeu->ApplyQuickSQL();
    }
    static void untickColumn(const QString& title)
    {
        QListWidget* list = ZeitNeu->CheckListBox3;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text() == title)
                list->item(i)->setCheckState(Qt::Unchecked);
    }
    // The labels of the grid's visible columns, in grid order.
    static QStringList visibleLabels()
    {
        QStringList labels;
        const TDBGridColumns& columns = ZeitNeu->DBGrid1->Columns();
        for (int i = 0; i < columns.Count(); ++i)
            if (columns[i]->Visible())
                labels << (columns[i]->Field() ? columns[i]->Field()->DisplayLabel() : columns[i]->FieldName());
        return labels;
    }
    // Opens the print dialog through "Drucken"; the callback plays the user.
    static void printDialog(std::function<void(Tzeitdruckdlg&)> user)
    {
        ScriptedAnswers::onShowModal<Tzeitdruckdlg>([user](Tzeitdruckdlg& d) {
            user(d);
            if (d.isVisible())
                d.CancelBtn->click();
        });
        ZeitNeu->SpeedButton9->click();
        EXPECT_EQ(zeitdruckdlg, nullptr) << "the dialog lives for one use";
    }
    static void tickWeekMonth(Tzeitdruckdlg& d)
    {
        d.RadioButton2->click();
        d.CheckListBox1->item(d.CheckListBox1->count() - 1)->setCheckState(Qt::Checked);
    }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};

QStringList sheetRow(const QString& file, int row)
{
    OfficeResult<SheetBook> book = ReadWorkbook(file);
    if (!book.Ok())
        return {book.Error().Text()};
    const SheetData& sheet = book.Value().sheets.value(0);
    QStringList cells;
    for (int c = 0; c < sheet.ColumnCount(); ++c)
        cells << sheet.Cell(row, c).Text();
    return cells;
}

int sheetRows(const QString& file)
{
    OfficeResult<SheetBook> book = ReadWorkbook(file);
    return book.Ok() ? book.Value().sheets.value(0).RowCount() : -1;
}

// The running sums printed on each detail row: week and month texts and the lines above them.
struct SumRow {
    QString week;
    bool dashed = false;
    QString month;
    bool dotted = false;
    bool operator==(const SumRow&) const = default;
};
std::ostream& operator<<(std::ostream& os, const SumRow& r)
{
    return os << "{" << r.week.toStdString() << (r.dashed ? " dashed" : "") << ", " << r.month.toStdString()
              << (r.dotted ? " dotted" : "") << "}";
}

std::vector<SumRow> sumRows(const TPreparedReport& p, const TReport& report)
{
    const double weekX = report.LeftMargin() + (report.ClientWidth() - 150) * PixelMm;
    const double monthX = report.LeftMargin() + (report.ClientWidth() - 210) * PixelMm;
    std::vector<SumRow> rows;
    for (const TReportPage& page : p.pages)
        for (const TPlacedBand& band : page.bandsOf(btDetail)) {
            SumRow r;
            for (const TPageItem& it : page.items) {
                if (it.rect.top() < band.top - 1e-6 || it.rect.top() >= band.top + band.height)
                    continue;
                if (it.kind == TPageItem::Text && std::abs(it.rect.left() - weekX) < 0.1)
                    r.week = it.text;
                if (it.kind == TPageItem::Text && std::abs(it.rect.left() - monthX) < 0.1)
                    r.month = it.text;
                if (it.kind == TPageItem::Line && it.penStyle == Qt::DashLine)
                    r.dashed = true;
                if (it.kind == TPageItem::Line && it.penStyle == Qt::DotLine)
                    r.dotted = true;
            }
            rows.push_back(r);
        }
    return rows;
}

// The texts standing in a band's strip, line by line and left to right.
QStringList TextsOfBand(const TReportPage& page, const TPlacedBand& band)
{
    std::vector<const TPageItem*> items;
    for (const TPageItem& it : page.items)
        if (it.kind == TPageItem::Text && it.rect.top() >= band.top - 1e-6 && it.rect.top() < band.top + band.height)
            items.push_back(&it);
    // Line by line: a record too wide for the page goes on in a further line.
    std::stable_sort(items.begin(), items.end(), [](const TPageItem* a, const TPageItem* b) {
        if (std::abs(a->rect.top() - b->rect.top()) > 0.5)
            return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    QStringList l;
    for (const TPageItem* it : items)
        l << it->text;
    return l;
}

// The summary's value beside a caption.
QString summaryValue(const TPreparedReport& p, const QString& caption)
{
    const TReportPage& page = p.pages.back();
    for (const TPageItem& a : page.items)
        if (a.kind == TPageItem::Text && a.text == caption)
            for (const TPageItem& b : page.items)
                if (b.kind == TPageItem::Text && &b != &a && std::abs(b.rect.top() - a.rect.top()) < 0.1 &&
                    b.rect.left() > a.rect.left())
                    return b.text;
    return QStringLiteral("<no %1>").arg(caption);
}

}  // namespace

TEST_F(PeriodOutputTest, ExportWritesTheVisibleColumnsAfterAskingForTheFile)
{
    unit("02.03.2026", 12000);
    unit("04.03.2026", 8000);
    open("01.01.2026", "31.12.2026");
    untickColumn(QStringLiteral("Wetter"));
    const QStringList labels = visibleLabels();
    ASSERT_FALSE(labels.contains(QStringLiteral("Wetter")));
    ASSERT_EQ(labels.first(), QStringLiteral("Datum"));
    const QString file = db.folder().file(QStringLiteral("zeitraum.xlsx"));

    // Cancel writes nothing.
    ScriptedAnswers::pushFileName(QString());
    ZeitNeu->Button2->click();
    EXPECT_FALSE(QFile::exists(file));

    ScriptedAnswers::pushFileName(file);
    ZeitNeu->Button2->click();
    EXPECT_EQ(sheetRow(file, 0), labels) << "row 1: the field labels, no gap where Wetter was";
    const QStringList first = sheetRow(file, 1);
    orvServer->zeitraum.First();
    EXPECT_EQ(first.value(0), orvServer->zeitraum.FieldByName("Datum")->DisplayText()) << "as the grid shows it";
    EXPECT_TRUE(first.value(0).startsWith("02.03.")) << first.value(0).toStdString();
    EXPECT_EQ(first.value(labels.indexOf(QStringLiteral("Zeit"))), QStringLiteral("00:43:12"));
    EXPECT_EQ(sheetRows(file), 3);
    EXPECT_EQ(ZeitNeu->ProgressBar1->value(), 0);
    EXPECT_TRUE(orvServer->zeitraum.ControlsDisabled() == false);

    // An empty result writes the header only.
    ZeitNeu->DateTimePicker1->SetDateTime(EncodeDate(2025, 1, 1));
    ZeitNeu->DateTimePicker2->SetDateTime(EncodeDate(2025, 1, 2));
    ZeitNeu->ApplyQuickSQL();
    ScriptedAnswers::pushFileName(file);
    ZeitNeu->Button2->click();
    EXPECT_EQ(sheetRows(file), 1);
    EXPECT_EQ(sheetRow(file, 0), labels);

    // A folder that cannot be written: the error is shown, and no workbook appears.
    ErrorBoxRecorder errors;
    const QString bad = db.folder().file(QStringLiteral("fehlt/zeitraum.xlsx"));
    ScriptedAnswers::pushFileName(bad);
    ZeitNeu->Button2->click();
    EXPECT_EQ(errors.shown.size(), 1);
    EXPECT_FALSE(QFile::exists(bad));
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << "no success message";
}

TEST_F(PeriodOutputTest, GridPaintsSportAndBlockColours)
{
    block(2);
    unit("02.03.2026", 12000, 2);
    const TColor navy = RGBColor(0, 0, 128), blockColor = RGBColor(255, 220, 150);
    db.exec(QStringLiteral("UPDATE sportart SET Spo_Farbe = %1 WHERE Spo_Id = 1").arg(navy));
    db.exec(QStringLiteral("UPDATE config SET cfg_spoFarbeZeitraum = 1, cfg_trbFarbigZeitraum = 1, "
                           "cfg_trbFarbeZeitraum = %1")
                .arg(blockColor));
    open("01.01.2026", "31.12.2026");
    ZeitNeu->CheckBox1->click();  // block rows shown
    ASSERT_EQ(orvServer->zeitraum.RecordCount(), 2);
    ZeitNeu->resize(1200, 600);
    ZeitNeu->DBGrid1->SetCol(ZeitNeu->DBGrid1->ColCount() - 1);  // the selection away from the checked cells
    auto shows = [](const QImage& img, TColor c) {
        const QRgb want = ToQColor(c).rgb();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) == want)
                    return true;
        return false;
    };
    ZeitNeu->DBGrid1->SetLeftCol(1);
    QImage img = ZeitNeu->DBGrid1->viewport()->grab().toImage();
    EXPECT_TRUE(shows(img, navy)) << "the sport cell on its sport's colour";
    EXPECT_TRUE(shows(img, blockColor)) << "the block row on the block colour";
    EXPECT_TRUE(shows(img, clWhite)) << "white text on the dark sport colour";

    db.exec(QStringLiteral("UPDATE config SET cfg_spoFarbeZeitraum = 0, cfg_trbFarbigZeitraum = 0"));
    orvServer->config.Refresh();
    img = ZeitNeu->DBGrid1->viewport()->grab().toImage();
    EXPECT_FALSE(shows(img, navy));
    EXPECT_FALSE(shows(img, blockColor));
}

TEST_F(PeriodOutputTest, DialogTakesTheWindowsColumnsOrTheTickedOnes)
{
    unit("02.03.2026", 12000);
    open("01.01.2026", "31.12.2026");
    untickColumn(QStringLiteral("Wetter"));
    QStringList labels = visibleLabels();
    printDialog([&](Tzeitdruckdlg& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Zeitraumstatistik drucken"));
        EXPECT_FALSE(d.CheckListBox1->isEnabled());
        EXPECT_EQ(d.CheckListBox1->item(d.CheckListBox1->count() - 1)->text(), QStringLiteral("Woche/Monat"));
        EXPECT_EQ(d.CheckListBox1->count(), ZeitNeu->CheckListBox3->count() + 1);
        d.Edit1->setText(QStringLiteral("Saison 2026"));
        std::unique_ptr<TReport> r = d.NewReport();
        const TPreparedReport p = r->Prepare();
        ASSERT_GE(p.pageCount(), 1);
        const TReportPage& page = p.pages[0];
        EXPECT_EQ(TextsOfBand(page, page.bandsOf(btColumnHeader).front()), labels)
            << "exactly the window's visible columns, the last one included";
        const QStringList texts = page.texts();
        EXPECT_TRUE(texts.contains("Zeitraumstatistik vom 01.01.2026 bis zum 31.12.2026"));
        EXPECT_TRUE(texts.contains("Saison 2026"));
        EXPECT_TRUE(texts.contains("Vom: 01.01.2026"));
        EXPECT_TRUE(texts.contains("Bis zum: 31.12.2026"));

        // "Benutzerdefiniert" with nothing ticked: title, summary and running sums still print.
        d.RadioButton2->click();
        EXPECT_TRUE(d.CheckListBox1->isEnabled());
        for (int i = 0; i < d.CheckListBox1->count(); ++i)
            d.CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
        tickWeekMonth(d);
        d.Edit1->clear();
        r = d.NewReport();
        const TPreparedReport bare = r->Prepare();
        const QStringList all = bare.pages[0].texts();
        EXPECT_TRUE(all.contains("Zeitraumstatistik vom 01.01.2026 bis zum 31.12.2026"));
        EXPECT_FALSE(all.contains("Saison 2026"));
        EXPECT_TRUE(all.contains("Vom: 01.01.2026"));
        EXPECT_EQ(summaryValue(bare, "Meter:"), "12.000");
        EXPECT_EQ(sumRows(bare, *r), (std::vector<SumRow>{{"12000", true, "12000", true}}));

        // Back to "Wie Zeitraumstatistik": the window's ticks again, "Woche/Monat" off.
        d.RadioButton1->click();
        EXPECT_FALSE(d.CheckListBox1->isEnabled());
        EXPECT_FALSE(d.weekMonthTicked());
        EXPECT_EQ(d.CheckListBox1->item(0)->checkState(), Qt::Checked);
    });
}

TEST_F(PeriodOutputTest, RunningSumsOfWeeksAndMonths)
{
    unit("30.11.2026", 1000);  // Monday
    unit("02.12.2026", 2000);  // Wednesday, December
    unit("07.12.2026", 3000);  // the next Monday
    unit("13.12.2026", 500);   // Sunday
    unit("13.12.2026", 700);   // a second unit that Sunday
    unit("16.12.2026", 100);   // Wednesday
    unit("24.12.2026", 200);   // the next week's Thursday
    unit("04.01.2027", 400);   // January
    open("01.11.2026", "31.01.2027");
    printDialog([&](Tzeitdruckdlg& d) {
        tickWeekMonth(d);
        std::unique_ptr<TReport> r = d.NewReport();
        const std::vector<SumRow> expected = {
            {"1000", true, "1000", true}, {"3000", false, "2000", true}, {"3000", true, "5000", false},
            {"3500", false, "5500", false}, {"4200", false, "6200", false}, {"100", true, "6300", false},
            {"200", true, "6500", false}, {"400", true, "400", true},
        };
        EXPECT_EQ(sumRows(r->Prepare(), *r), expected);
        EXPECT_EQ(sumRows(r->Prepare(), *r), expected) << "a second run starts afresh";
    });
}

TEST_F(PeriodOutputTest, SummaryCountsUnitsOnlyAlsoWithBlocksShown)
{
    block(2);
    block(3);
    unit("02.03.2026", 12000, 2, 100);
    unit("04.03.2026", 8000, 2, 50);
    unit("09.03.2026", 5000, 3, 0);
    open("01.01.2026", "31.12.2026");
    ZeitNeu->CheckBox1->click();  // block rows shown
    ASSERT_EQ(orvServer->zeitraum.RecordCount(), 5);
    ASSERT_EQ(MeterSum, 25000);
    printDialog([&](Tzeitdruckdlg& d) {
        tickWeekMonth(d);
        std::unique_ptr<TReport> r = d.NewReport();
        const TPreparedReport p = r->Prepare();
        EXPECT_EQ(summaryValue(p, "Meter:"), FormatFloat("#,0", MeterSum));
        EXPECT_EQ(summaryValue(p, "Höhendifferenz:"), "150");
        EXPECT_EQ(summaryValue(p, "Ø Meter:"), "8.333");
        EXPECT_EQ(summaryValue(p, "Ø Höhendifferenz:"), "50");
        EXPECT_EQ(summaryValue(p, "Zeit:"), ZeitNeu->Label11->text());
        // The block rows show no running sums and add nothing to them.
        int week = 0;
        for (const SumRow& row : sumRows(p, *r))
            week = std::max(week, row.week.toInt());
        EXPECT_EQ(week, 20000);
    });

    // An empty period: sums and averages print 0.
    ZeitNeu->CheckBox1->click();
    ZeitNeu->DateTimePicker1->SetDateTime(EncodeDate(2025, 1, 1));
    ZeitNeu->DateTimePicker2->SetDateTime(EncodeDate(2025, 1, 2));
    ZeitNeu->ApplyQuickSQL();
    printDialog([&](Tzeitdruckdlg& d) {
        const TPreparedReport p = d.NewReport()->Prepare();
        EXPECT_EQ(summaryValue(p, "Meter:"), "0");
        EXPECT_EQ(summaryValue(p, "Ø Meter:"), "0");
        EXPECT_EQ(summaryValue(p, "Ø Höhendifferenz:"), "0");
    });
}

TEST_F(PeriodOutputTest, PreviewThenOkPrintsTheSameRunningSums)
{
    unit("30.11.2026", 1000);
    unit("02.12.2026", 2000);
    unit("07.12.2026", 3000);
    open("01.11.2026", "31.12.2026");
    QString previewed;
    ScriptedAnswers::onShowModal<TReportPreview>([&](TReportPreview& preview) {
        previewed = TRenderText().Text(preview.Report());
        preview.Close();
    });
    printDialog([&](Tzeitdruckdlg& d) {
        tickWeekMonth(d);
        d.Button3->click();
        d.OKBtn->click();
        EXPECT_EQ(d.ModalResult(), mrOk) << "OK prints and closes";
    });
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    const QString printed = TRenderText().Text(PrintJobCapture::jobs().front().report);
    EXPECT_EQ(printed, previewed);
    EXPECT_TRUE(printed.contains("3000")) << printed.toStdString();
    EXPECT_FALSE(orvServer->zeitraum.ControlsDisabled());
}

TEST_F(PeriodOutputTest, FailedPrintResumesTheGrid)
{
    unit("30.11.2026", 1000);
    open("01.11.2026", "31.12.2026");
    PrintJobCapture::stop();
    PrinterListStandIn::set({});  // a machine without printers
    // The print dialog's user names a PDF file in a folder that does not exist: writing fails.
    const QString missing = db.folder().file(QStringLiteral("fehlt/druck.pdf"));
    PrintDialogStandIn::set([&](TPrintTarget& target, const QString&) {
        target.FileName = missing;
        return true;
    });
    ErrorBoxRecorder errors;
    printDialog([&](Tzeitdruckdlg& d) { d.OKBtn->click(); });
    PrintDialogStandIn::clear();
    PrinterListStandIn::clear();
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(errors.shown.size(), 1);
    EXPECT_FALSE(orvServer->zeitraum.ControlsDisabled());
}

TEST_F(PeriodOutputTest, DialogIsWorkedWithTheKeyboardAlone)
{
    unit("02.12.2026", 2000);
    open("01.11.2026", "31.12.2026");
    printDialog([](Tzeitdruckdlg& d) {
        // The list of columns is reached only while it can be ticked; the arrow key chooses it.
        EXPECT_EQ(KeyboardWalkProblem(&d, {d.RadioButton1, d.Edit1, d.Button3, d.OKBtn, d.CancelBtn}), "");
        FocusWindowAt(&d, d.RadioButton1);
        PressKey(Qt::Key_Down);
        EXPECT_TRUE(d.RadioButton2->isChecked());
        EXPECT_EQ(KeyboardWalkProblem(&d, {d.RadioButton2, d.CheckListBox1, d.Edit1, d.Button3, d.OKBtn, d.CancelBtn}),
                  "");
        // The typed subtitle is printed; Return is OK.
        FocusWindowAt(&d, d.Edit1);
        TypeKeys("Winter 2026");
        PressKey(Qt::Key_Return);
        EXPECT_EQ(d.ModalResult(), mrOk);
    });
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    EXPECT_TRUE(TRenderText().Text(PrintJobCapture::jobs().front().report).contains("Winter 2026"));
    // Escape is "Abbrechen": nothing is printed.
    printDialog([](Tzeitdruckdlg& d) {
        FocusWindowAt(&d, d.Edit1);
        PressKey(Qt::Key_Escape);
        EXPECT_EQ(d.ModalResult(), mrCancel);
    });
    EXPECT_EQ(PrintJobCapture::jobs().size(), 1);
}

// Every column of a period with all its fields filled, a block of more than a day and the
// running sums: each printed text fits its box, so no figure loses a digit on either side; only
// free text too long for its column ends in "…".
TEST_F(PeriodOutputTest, EveryPrintedFigureIsWhole)
{
    block(2);
    db.exec(QStringLiteral(
                "INSERT INTO daten (Datum, Startzeit, Form, Zeit, Meter, Sportart, Belastungsart, Belastungsstufe, "
                "Hoehendifferenz, Ort, Wetter, Wind, Gefuehl, Temperatur, Puls, Maxpuls, Ruhepuls, Erholungspuls, Gli, "
                "Gewicht, Fett, kcal, platz, User1, User2, Streckenbeschreibung, trainingsblock) VALUES "
                "(%1, 0.75, 1, 1.0 / 24, 10500, 1, 1, 1, 1234, 'Rund um den großen Stausee', 'bedeckt', 'mäßig', "
                "'1 - sehr gut', -12, 154, 199, 48, 101, 1.5, 72.5, 14.5, 1850, 123, 'Schuh A', 3.25, "
                "'Von der Brücke am Hafen über den Deich bis zum Leuchtturm und zurück am Kanal', 2),"
                "(%2, 0.3, 1, 20.0 / 24, 400000, 2, 1, 1, 0, 'Radreise', 'klar', 'stark', '2 - gut', 30, 117, 160, "
                "50, 90, 0, 73, 15, 9000, 0, '', 0, '', 2),"
                "(%3, 0.3, 1, (21 * 3600 + 54 * 60 + 12) / 86400.0, 421000, 2, 1, 1, 0, 'Radreise', 'klar', "
                "'stark', '2 - gut', 30, 117, 160, 50, 90, 0, 73, 15, 9000, 0, '', 0, '', 2)")
                .arg(EncodeDate(2026, 12, 14))
                .arg(EncodeDate(2026, 12, 15))
                .arg(EncodeDate(2026, 12, 16)));
    open("01.01.2026", "31.12.2026");
    ZeitNeu->CheckBox1->click();  // the block's row too
    ASSERT_EQ(orvServer->zeitraum.RecordCount(), 4);
    printDialog([&](Tzeitdruckdlg& d) {
        tickWeekMonth(d);
        for (int i = 0; i + 1 < d.CheckListBox1->count(); ++i)
            d.CheckListBox1->item(i)->setCheckState(Qt::Checked);
        std::unique_ptr<TReport> r = d.NewReport();
        const TPreparedReport p = r->Prepare();
        EXPECT_EQ(p.orientation, QPageLayout::Landscape);
        QStringList texts;
        for (const TReportPage& page : p.pages)
            for (const TPageItem& it : page.items) {
                if (it.kind != TPageItem::Text || !it.clip)
                    continue;
                texts << it.text;
                EXPECT_LE(MeasureText(it.font, it.text).width(), it.rect.width() + 1e-6) << it.text.toStdString();
                EXPECT_LE(it.rect.right(), p.paperSize().width() - r->RightMargin() + 1e-6) << it.text.toStdString();
            }
        // The block's row sums its three units: 42:54:12 at 19,4 km/h.
        for (const char* whole : {"14.12.2026", "01:00:00", "10500", "1234", "154", "199", "101", "-12", "1850",
                                  "123", "10,5", "00:05:42 min/km", "42:54:12", "19,4", "00:03:05 min/km", "831500",
                                  "3,25", "72,5", "14,5"})
            EXPECT_TRUE(texts.contains(QString::fromUtf8(whole))) << whole << "\n" << texts.join('|').toStdString();
        const QString place = QStringLiteral("Rund um den großen Stausee");
        EXPECT_TRUE(texts.contains(place));
        bool elided = false;
        for (const QString& t : texts)
            elided = elided || (t.endsWith(QChar(0x2026)) && t.startsWith("Von der Brücke am Hafen"));
        EXPECT_TRUE(elided) << texts.join('|').toStdString();
        // The running sums keep their place at the right edge, clear of the list's columns.
        const std::vector<SumRow> sums = sumRows(p, *r);
        ASSERT_EQ(sums.size(), 4u);
        EXPECT_EQ(sums[1].week, "10500");
    });

    // The export writes the block's row with the same whole figures.
    const QStringList labels = visibleLabels();
    const QString file = db.folder().file(QStringLiteral("jahr.xlsx"));
    ScriptedAnswers::pushFileName(file);
    ZeitNeu->Button2->click();
    ASSERT_EQ(sheetRows(file), 5);
    QStringList blockRow;
    for (int r = 1; r < 5; ++r)
        if (sheetRow(file, r).value(labels.indexOf(QStringLiteral("Zeit"))) == QStringLiteral("42:54:12"))
            blockRow = sheetRow(file, r);
    ASSERT_FALSE(blockRow.isEmpty()) << "no row with 42:54:12";
    EXPECT_EQ(blockRow.value(labels.indexOf(QStringLiteral("kmh"))), QStringLiteral("19,4"));
    EXPECT_EQ(blockRow.value(labels.indexOf(QStringLiteral("Speed"))), QStringLiteral("00:03:05 min/km"));
}

// In English the printed columns are titled in English; only the free fields keep the labels the
// athlete's settings give them.
TEST_F(PeriodOutputTest, TheEnglishPrintTitlesItsColumnsInEnglish)
{
    unit("02.03.2026", 12000);
    StartProgram({"egal.orv", "en"});
    ScriptedAnswers::pushFileName(db.path());
    MainForm->FileOpen1->Execute();
    ASSERT_TRUE(eingabe && eingabe->isVisible());
    ScriptedAnswers::onShowModal<TZeitNeu>([](TZeitNeu& f) { f.Close(); });
    UpdateAllActions();
    MainForm->StatZeitraum1->Execute();
    ASSERT_NE(ZeitNeu, nullptr);
    const QStringList german = visibleLabels();
    QStringList printed;
    printDialog([&](Tzeitdruckdlg& d) {
        const TPreparedReport p = d.NewReport()->Prepare();
        ASSERT_GE(p.pageCount(), 1);
        printed = TextsOfBand(p.pages[0], p.pages[0].bandsOf(btColumnHeader).front());
    });
    ASSERT_EQ(printed.size(), german.size()) << printed.join('|').toStdString();
    const QStringList same = {"Form", "Wind", "kcal", "Speed", orvServer->zeitraum.FieldByName("User1")->DisplayLabel(),
                              orvServer->zeitraum.FieldByName("User2")->DisplayLabel()};
    for (int i = 0; i < printed.size(); ++i)
        EXPECT_TRUE(same.contains(german[i]) || printed[i] != german[i]) << german[i].toStdString();
    for (const char* title : {"Date", "Discipline", "Distance", "Time", "Feeling", "Ascent"})
        EXPECT_TRUE(printed.contains(QString::fromLatin1(title))) << title << ": " << printed.join('|').toStdString();
    FinishProgram();
    SetLanguageModule(nullptr);
}
