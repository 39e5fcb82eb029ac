// Where prints go: the report system's setup hook and destinations, the printer settings on
// QPrinter, the preview window, the report project, the printer canvas of the weekly and monthly
// prints, window pictures, and the English texts of the layer.
#include "tests/platform/report/reportfixture.h"
#include "tests/support/pdfprint.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QScrollArea>
#include <QTranslator>
#include <QWidget>

#include "platform/report/printercanvas.h"
#include "platform/report/printformimage.h"
#include "platform/report/renderhtml.h"
#include "platform/report/renderpdf.h"
#include "platform/report/rendertext.h"
#include "platform/report/reportpreview.h"
#include "platform/report/reportproject.h"
#include "platform/report/reportsystem.h"
#include "tests/support/testenv.h"

namespace {

QByteArray readFile(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Three pages of one detail row each (rows 250 mm high).
std::unique_ptr<TReport> threePages(TDataSet* ds)
{
    auto rep = std::make_unique<TReport>();
    rep->SetDataSet(ds);
    rep->SetUnits(ruMillimetres);
    rep->SetReportTitle(QStringLiteral("Liste"));
    rep->AddBand(btDetail, 250)->AddDBText(QStringLiteral("Meter"), 0, 0, 40);
    return rep;
}

template <class F>
QString errorOf(F&& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("(no error)");
}

TEST_F(ReportTest, SetupHookRunsAroundTheReportAndCancelStopsIt)
{
    addDays(3);
    std::unique_ptr<TReport> rep = threePages(&units);
    int runs = 0;
    rep->BeforePrint = [&](TReport*, bool&) { ++runs; };
    TempFolder tmp;
    TRenderText text;
    TReportSystem sys;
    sys.SetDefaultDest(TReportDest::Printer);
    QStringList steps;
    bool cancel = true;
    sys.OnOverrideSetup = [&](TReportSystem* s, TOverrideMode mode, QObject*& dialog) {
        static const char* kNames[] = {"create", "show", "wait", "free"};
        steps << QString::fromLatin1(kNames[mode]);
        if (mode == omCreate)
            dialog = new QObject;
        if (mode == omShow) {
            EXPECT_EQ(s->ReportDest(), TReportDest::Printer);  // the default, for the dialog to show
            s->SetReportDest(TReportDest::File);
            s->SetOutputFileName(tmp.file(QStringLiteral("a.b/../liste")));
            s->SetRenderObject(&text);
            s->SetSetupCancelled(cancel);
        }
        if (mode == omFree) {
            delete dialog;
            dialog = nullptr;
        }
    };
    EXPECT_FALSE(sys.Execute(*rep));
    EXPECT_EQ(steps, (QStringList{"create", "show", "free"}));
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(QDir(tmp.path()).isEmpty());

    steps.clear();
    cancel = false;
    QDir(tmp.path()).mkdir(QStringLiteral("a.b"));
    EXPECT_TRUE(sys.Execute(*rep));
    EXPECT_EQ(steps, (QStringList{"create", "show", "wait", "free"}));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(readFile(tmp.file(QStringLiteral("liste.txt"))), QByteArray("1000\n\f2000\n\f3000\n"));

    // Without the setup permission the hook is not asked and the default destination is used.
    steps.clear();
    sys.SetSystemSetups(ssAllowAll & ~ssAllowSetup);
    EXPECT_TRUE(sys.Execute(*rep));
    EXPECT_TRUE(steps.isEmpty());
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    EXPECT_EQ(PrintJobCapture::jobs()[0].report.pageCount(), 3);
}

TEST_F(ReportTest, FileOutputFindsItsRendererOrSaysWhy)
{
    addDays(1);
    std::unique_ptr<TReport> rep = threePages(&units);
    TempFolder tmp;
    TRenderHTML html;
    TReportSystem sys;
    sys.SetDefaultDest(TReportDest::File);
    sys.SetSystemSetups(0);
    sys.SetOutputFileName(QStringLiteral("  "));
    EXPECT_EQ(errorOf([&] { sys.Execute(*rep); }),
              QStringLiteral("Für die Ausgabe in eine Datei ist kein Dateiname angegeben."));
    const QString doc = tmp.file(QStringLiteral("liste.doc"));
    sys.SetOutputFileName(doc);
    EXPECT_EQ(errorOf([&] { sys.Execute(*rep); }),
              QStringLiteral("Für die Datei \"%1\" ist kein Ausgabeformat gewählt.").arg(doc));
    sys.SetOutputFileName(tmp.file(QStringLiteral("liste.HTM")));
    EXPECT_TRUE(sys.Execute(*rep));
    EXPECT_TRUE(readFile(tmp.file(QStringLiteral("liste.HTM"))).contains("<title>Liste</title>"));
}

TEST_F(ReportTest, PrinterSettingsReachQPrinter)
{
    const struct {
        TDuplexMode duplex;
        QPrinter::DuplexMode qt;
    } duplex[] = {{TDuplexMode::Simplex, QPrinter::DuplexNone},
                  {TDuplexMode::Vertical, QPrinter::DuplexLongSide},
                  {TDuplexMode::Horizontal, QPrinter::DuplexShortSide}};
    for (const auto& d : duplex)
        EXPECT_EQ(QtDuplexMode(d.duplex), d.qt);

    const struct {
        int copies;
        bool collate;
        int copyCount;
    } copies[] = {{3, true, 3}, {1, false, 1}, {0, true, 1}, {-2, false, 1}};
    for (const auto& c : copies) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        TPrinterSettings s;
        s.Copies = c.copies;
        s.Collate = c.collate;
        ApplyPrinterSettings(s, QPageLayout::Landscape, printer);
        EXPECT_EQ(printer.copyCount(), c.copyCount) << c.copies;
        EXPECT_EQ(printer.collateCopies(), c.collate);
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
        EXPECT_TRUE(printer.fullPage());
    }

    // The pages are drawn from the sheet's corner: a box 20 mm in lands 20 mm in on the printout.
    TempFolder tmp;
    QPrinter file(QPrinter::HighResolution);
    file.setOutputFormat(QPrinter::PdfFormat);
    file.setOutputFileName(tmp.file(QStringLiteral("druck.pdf")));
    ApplyPrinterSettings(TPrinterSettings(), QPageLayout::Portrait, file);
    TPreparedReport box;
    box.pages.resize(2);
    box.pages[1].items.push_back(TPageItem::rectItem(QRectF(20, 20, 10, 10), true, clBlack, Qt::NoPen));
    PaintToPrinter(box, file);
    QProcess conv;
    conv.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"), QStringLiteral("-f"),
                                           QStringLiteral("2"), file.outputFileName(), tmp.file(QStringLiteral("druck"))});
    ASSERT_TRUE(conv.waitForFinished(30000));
    const QImage printed(tmp.file(QStringLiteral("druck-2.png")));
    ASSERT_FALSE(printed.isNull());
    EXPECT_EQ(printed.pixelColor(qRound(21 / 25.4 * 50), qRound(21 / 25.4 * 50)), QColor(Qt::black));
    EXPECT_EQ(printed.pixelColor(qRound(18 / 25.4 * 50), qRound(18 / 25.4 * 50)), QColor(Qt::white));
    EXPECT_EQ(printed.pixelColor(qRound(32 / 25.4 * 50), qRound(32 / 25.4 * 50)), QColor(Qt::white));

    // A job through the report system carries the system printer's settings and title.
    addDays(2);
    std::unique_ptr<TReport> rep = threePages(&units);
    TReportSystem sys;
    sys.SetDefaultDest(TReportDest::Printer);
    sys.SetTitlePrinter(QStringLiteral("Orvalo Bericht"));
    sys.SystemPrinter().PrinterName = QStringLiteral("Laser");
    sys.SystemPrinter().Copies = 0;
    sys.SystemPrinter().Collate = true;
    sys.SystemPrinter().Duplex = TDuplexMode::Horizontal;
    EXPECT_TRUE(sys.Execute(*rep));
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    const TPrintJob& job = PrintJobCapture::jobs()[0];
    EXPECT_EQ(job.printerName, QStringLiteral("Laser"));
    EXPECT_EQ(job.copyCount, 1);
    EXPECT_TRUE(job.collateCopies);
    EXPECT_EQ(job.duplex, QPrinter::DuplexShortSide);
    EXPECT_EQ(job.report.title, QStringLiteral("Orvalo Bericht"));
    EXPECT_EQ(job.report.pageCount(), 2);
}

TEST(PrintDocumentName, KeepsTheTitleAndMakesWhatNoFileNameHoldsADash)
{
    const std::pair<QString, QString> cases[] = {
        {"Liste", "Liste"},
        {"Zeitraumstatistik vom 01.01.2026 bis 31.12.2026", "Zeitraumstatistik vom 01.01.2026 bis 31.12.2026"},
        {"Weekly statistics 12/05/2003", "Weekly statistics 12-05-2003"},
        {"a\\b:c*d?e\"f<g>h|i\tj", "a-b-c-d-e-f-g-h-i-j"},
        {"  ", "Druck"},
    };
    for (const auto& [title, name] : cases)
        EXPECT_EQ(PrintDocumentName(title), name) << title.toStdString();
}

TEST_F(ReportTest, WithoutAPrinterThePrintDialogSavesEveryPrintAsAPdfFile)
{
    PrintJobCapture::stop();
    PdfPrintScope pdf;  // no printer; the dialog's user saves a PDF file
    EXPECT_EQ(PrinterCaption(), QStringLiteral("Kein Drucker installiert!"));
    addDays(2);
    std::unique_ptr<TReport> rep = threePages(&units);
    // A report printed, a canvas print and the preview's print button: each asks the dialog and
    // writes the pages into the file chosen there.
    rep->Print();
    TPrinterCanvas canvas;
    canvas.SetTitle(QStringLiteral("Wochenstatistik"));
    canvas.BeginDoc();
    canvas.TextOut(200, 80, QStringLiteral("Wochenstatistik vom 12.05.2003"));
    canvas.EndDoc();
    ScriptedAnswers::onShowModal<TReportPreview>([](TReportPreview& f) {
        f.findChild<QAbstractButton*>("btnPrint")->click();
        f.findChild<QAbstractButton*>("btnClose")->click();
    });
    rep->Preview();
    EXPECT_EQ(pdf.documents(), QStringList({"Liste", "Wochenstatistik", "Liste"}));
    ASSERT_EQ(pdf.files().size(), 3);
    EXPECT_TRUE(PdfText(pdf.files()[0]).contains(QStringLiteral("2000")));
    EXPECT_TRUE(PdfText(pdf.files()[1]).contains(QStringLiteral("Wochenstatistik vom 12.05.2003")));
    EXPECT_EQ(PdfText(pdf.files()[2]), PdfText(pdf.files()[0]));
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << "no error box";

    // A title with an English date names a file the dialog can write: no "/" making folders of it.
    canvas.SetTitle(QStringLiteral("Period statistics from 01/01/2026 to 31/12/2026"));
    canvas.BeginDoc();
    canvas.TextOut(200, 80, QStringLiteral("Hyde Park"));
    canvas.EndDoc();
    EXPECT_EQ(pdf.documents().last(), QStringLiteral("Period statistics from 01-01-2026 to 31-12-2026"));
    EXPECT_TRUE(PdfText(pdf.files().last()).contains(QStringLiteral("Hyde Park")));

    // Cancel in the dialog prints nothing and reports nothing.
    PrintDialogStandIn::set([](TPrintTarget&, const QString&) { return false; });
    rep->Print();
    canvas.BeginDoc();
    canvas.EndDoc();
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
    // A dialog that names neither file nor printer, on a machine without one: the print fails
    // aloud rather than vanishing.
    PrintDialogStandIn::set([](TPrintTarget&, const QString&) { return true; });
    EXPECT_EQ(errorOf([&] { rep->Print(); }), QStringLiteral("Es ist kein Drucker installiert."));
}

TEST_F(ReportTest, ThePreviewsPrintButtonChoosesThePrinterInThePrintDialog)
{
    PrinterListStandIn::set({{QStringLiteral("Laser"), QString()}, {QStringLiteral("Tinte"), QString()}});
    addDays(2);
    std::unique_ptr<TReport> rep = threePages(&units);
    TReportSystem sys;
    sys.SystemPrinter().Copies = 2;
    TPrinterSettings offered;
    PrintDialogStandIn::set([&](TPrintTarget& t, const QString&) {
        offered = t.Printer;
        t.Printer.PrinterName = QStringLiteral("Tinte");
        t.Printer.Copies = 3;
        return true;
    });
    ScriptedAnswers::onShowModal<TReportPreview>([](TReportPreview& f) {
        f.findChild<QAbstractButton*>("btnPrint")->click();
        f.findChild<QAbstractButton*>("btnClose")->click();
    });
    EXPECT_TRUE(sys.Execute(*rep));
    EXPECT_EQ(offered.Copies, 2) << "the dialog starts on the report system's printer";
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    EXPECT_EQ(PrintJobCapture::jobs()[0].printerName, QStringLiteral("Tinte"));
    EXPECT_EQ(PrintJobCapture::jobs()[0].copyCount, 3);
    EXPECT_EQ(sys.SystemPrinter().PrinterName, QStringLiteral("Tinte")) << "the choice is kept for the next print";
    PrintDialogStandIn::clear();
    PrinterListStandIn::clear();
}

TEST_F(ReportTest, PreviewPagesThroughAndPrints)
{
    addDays(3);
    std::unique_ptr<TReport> rep = threePages(&units);
    TReportSystem sys;
    sys.SystemPrinter().Copies = 2;
    bool shown = false;
    ScriptedAnswers::onShowModal<TReportPreview>([&](TReportPreview& f) {
        shown = true;
        EXPECT_EQ(f.Caption(), QStringLiteral("Vorschau - Liste"));
        EXPECT_EQ(f.PageCount(), 3);
        EXPECT_EQ(f.findChild<QLabel*>("lblPage")->text(), QStringLiteral("Seite 1 von 3"));
        EXPECT_FALSE(f.findChild<QAbstractButton*>("btnPrior")->isEnabled());
        f.findChild<QAbstractButton*>("btnNext")->click();
        EXPECT_EQ(f.PageIndex(), 1);
        f.findChild<QAbstractButton*>("btnLast")->click();
        EXPECT_EQ(f.PageIndex(), 2);
        EXPECT_FALSE(f.findChild<QAbstractButton*>("btnNext")->isEnabled());
        EXPECT_EQ(f.findChild<QLabel*>("lblPage")->text(), QStringLiteral("Seite 3 von 3"));
        QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
        QCoreApplication::sendEvent(&f, &pageUp);
        EXPECT_EQ(f.PageIndex(), 1);
        f.findChild<QAbstractButton*>("btnFirst")->click();
        EXPECT_EQ(f.PageIndex(), 0);
        // Zoom: 100 % is the sheet at 96 pixels per inch.
        f.findChild<QComboBox*>("cboZoom")->setCurrentIndex(4);
        emit f.findChild<QComboBox*>("cboZoom")->activated(4);
        EXPECT_EQ(f.Zoom(), 100);
        EXPECT_EQ(f.PageImage().size(), QSize(794, 1123));
        f.SetZoom(50);
        EXPECT_EQ(f.findChild<QComboBox*>("cboZoom")->currentText(), QStringLiteral("50 %"));
        EXPECT_EQ(f.PageImage().width(), 397);
        f.SetZoomMode(TReportPreview::zmPageWidth);
        EXPECT_NEAR(f.PageImage().width(), f.findChild<QScrollArea*>("ScrollBox")->viewport()->width() - 16, 20);
        PrintDialogStandIn::set([](TPrintTarget&, const QString&) { return true; });
        f.findChild<QAbstractButton*>("btnPrint")->click();
        PrintDialogStandIn::clear();
        f.findChild<QAbstractButton*>("btnClose")->click();
    });
    EXPECT_TRUE(sys.Execute(*rep));
    EXPECT_TRUE(shown);
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    EXPECT_EQ(PrintJobCapture::jobs()[0].copyCount, 2);
    EXPECT_EQ(PrintJobCapture::jobs()[0].report.pageCount(), 3);
}

TEST_F(ReportTest, ProjectRunsTheChosenReportThroughItsEngine)
{
    addDays(2);
    TempFolder tmp;
    TRenderText text;
    TReportSystem sys;
    sys.SetDefaultDest(TReportDest::File);
    sys.SetRenderObject(&text);
    sys.SetOutputFileName(tmp.file(QStringLiteral("ausgabe")));
    TReportProject project;
    QStringList built;
    project.AddReport(QStringLiteral("Liste"), [&] {
        built << QStringLiteral("Liste");
        return threePages(&units);
    });
    project.AddReport(QStringLiteral("Einheit"), [&] {
        built << QStringLiteral("Einheit");
        auto r = std::make_unique<TReport>();
        r->AddBand(btTitle)->AddLabel(QStringLiteral("Einheit"), 0, 0);
        return r;
    });
    EXPECT_EQ(errorOf([&] { project.Execute(); }), QStringLiteral("Es ist kein Bericht ausgewählt."));
    project.SetEngine(&sys);
    project.Open();
    EXPECT_TRUE(project.SelectReport(QStringLiteral("liste"), false));
    EXPECT_FALSE(project.SelectReport(QStringLiteral("Zusammenfassungen"), false));
    EXPECT_EQ(project.SelectedReport(), QStringLiteral("Liste"));
    EXPECT_TRUE(project.Execute());
    EXPECT_EQ(readFile(tmp.file(QStringLiteral("ausgabe.txt"))), QByteArray("1000\n\f2000\n"));
    EXPECT_TRUE(project.ExecuteReport(QStringLiteral("Einheit")));
    EXPECT_EQ(readFile(tmp.file(QStringLiteral("ausgabe.txt"))), QByteArray("Einheit\n"));
    EXPECT_EQ(built, (QStringList{"Liste", "Einheit"}));
    EXPECT_EQ(errorOf([&] { project.ExecuteReport(QStringLiteral("Fehlt")); }),
              QStringLiteral("Der Bericht \"Fehlt\" ist nicht vorhanden."));

    // Without an engine the report goes to the preview.
    TReportProject plain;
    plain.AddReport(QStringLiteral("Liste"), [&] { return threePages(&units); });
    ScriptedAnswers::onShowModal<TReportPreview>([](TReportPreview& f) {
        EXPECT_EQ(f.PageCount(), 2);
        f.findChild<QAbstractButton*>("btnClose")->click();
    });
    EXPECT_TRUE(plain.ExecuteReport(QStringLiteral("Liste")));
}

// The weekly statistics' print: 29 rows a page, title and headings only on the first page.
TEST_F(ReportTest, PrinterCanvasPlacesTextsInPrinterUnits)
{
    TPrinterCanvas printer;
    EXPECT_EQ(errorOf([&] { printer.NewPage(); }), QStringLiteral("Es wird nicht gedruckt."));
    printer.SetTitle(QStringLiteral("Wochenstatistik"));
    printer.BeginDoc();
    EXPECT_EQ(errorOf([&] { printer.BeginDoc(); }), QStringLiteral("Es wird bereits gedruckt."));
    printer.Font().setFamily(QStringLiteral("Tahoma"));
    printer.Font().setPointSize(15);
    printer.Font().setBold(true);
    printer.TextOut(200, 80, QStringLiteral("Wochenstatistik vom 06.01.2003, 52 Wochen"));
    printer.Font().setPointSize(11);
    printer.Font().setBold(false);
    printer.Font().setItalic(true);
    printer.TextOut(200, 170, QStringLiteral("Erstellt mit Orvalo 5"));
    printer.Font().setItalic(false);
    printer.Font().setUnderline(true);
    const int xs[] = {200, 600, 1000, 1300, 1500, 1900};
    for (int x : xs)
        printer.TextOut(x, 300, QStringLiteral("Kopf"));
    printer.Font().setUnderline(false);
    int line = 1;
    for (int week = 1; week <= 52; ++week) {
        for (int x : xs)
            printer.TextOut(x, (line + 3) * 100, QString::number(week));
        if (++line == 30) {
            printer.NewPage();
            line = 1;
        }
    }
    printer.MoveTo(200, 3400);
    printer.SetPenStyle(Qt::DashLine);
    printer.LineTo(2200, 3400);
    printer.Rectangle(200, 3500, 2200, 3600);
    EXPECT_EQ(printer.PageNumber(), 2);
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());

    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    const TPreparedReport& doc = PrintJobCapture::jobs()[0].report;
    EXPECT_EQ(doc.title, QStringLiteral("Wochenstatistik"));
    ASSERT_EQ(doc.pageCount(), 2);
    EXPECT_EQ(doc.pages[0].texts().size(), 2 + 6 + 29 * 6);
    EXPECT_EQ(doc.pages[1].texts().size(), 23 * 6);
    const TPageItem& title = doc.pages[0].items.front();
    EXPECT_DOUBLE_EQ(title.rect.left(), (200 + 150) * 25.4 / 600);  // a quarter inch in from the edge
    EXPECT_DOUBLE_EQ(title.rect.top(), (80 + 150) * 25.4 / 600);
    EXPECT_EQ(title.font.family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(title.font.pointSize(), 15);
    EXPECT_TRUE(title.font.bold());
    EXPECT_TRUE(doc.pages[0].items[1].font.italic());
    EXPECT_TRUE(doc.pages[0].items[2].font.underline());
    // Week 30 heads page 2 at line 1 (y = 400).
    EXPECT_EQ(doc.pages[1].items.front().text, QStringLiteral("30"));
    EXPECT_DOUBLE_EQ(doc.pages[1].items.front().rect.top(), (400 + 150) * 25.4 / 600);
    const TPageItem& rule = doc.pages[1].items[doc.pages[1].items.size() - 2];
    EXPECT_EQ(rule.kind, TPageItem::Line);
    EXPECT_EQ(rule.penStyle, Qt::DashLine);
    EXPECT_EQ(doc.pages[1].items.back().kind, TPageItem::Rect);
    EXPECT_EQ(printer.PageWidth(), 4961 - 300);  // 210 mm at 600 dpi, less a quarter inch each side
    EXPECT_EQ(printer.TextWidth(QStringLiteral("Wochenstatistik")),
              qRound(MeasureText(printer.Font(), QStringLiteral("Wochenstatistik")).width() * 600 / 25.4));

    // An aborted print, or one that never ends, prints nothing.
    printer.BeginDoc();
    printer.TextOut(0, 0, QStringLiteral("halb"));
    printer.Abort();
    {
        TPrinterCanvas broken;
        broken.BeginDoc();
        broken.TextOut(0, 0, QStringLiteral("halb"));
    }
    EXPECT_EQ(PrintJobCapture::jobs().size(), 1);
}

TEST_F(ReportTest, FormImageIsScaledOntoOnePage)
{
    const double margin = 25.4 / 4;
    const double area = 210 - 2 * margin;
    QImage small(360, 480, QImage::Format_RGB32);
    small.fill(Qt::white);
    TPreparedReport page = FormImagePage(small, poProportional);
    ASSERT_EQ(page.pageCount(), 1);
    const TPageItem& at = page.pages[0].items.at(0);
    EXPECT_EQ(at.kind, TPageItem::Image);
    EXPECT_DOUBLE_EQ(at.rect.left(), margin);
    EXPECT_DOUBLE_EQ(at.rect.width(), 360 * 25.4 / 96);  // its size on the screen
    EXPECT_DOUBLE_EQ(at.rect.height(), 480 * 25.4 / 96);
    page = FormImagePage(small, poPrintToFit);
    EXPECT_DOUBLE_EQ(page.pages[0].items.at(0).rect.width(), area);
    EXPECT_DOUBLE_EQ(page.pages[0].items.at(0).rect.height(), area * 480 / 360);
    QImage wide(3000, 1000, QImage::Format_RGB32);  // larger than the page: shrunk to fit
    wide.fill(Qt::white);
    page = FormImagePage(wide, poProportional, QPageLayout::Landscape);
    EXPECT_DOUBLE_EQ(page.pages[0].items.at(0).rect.width(), 297 - 2 * margin);

    QWidget form;
    form.setWindowTitle(QStringLiteral("Belastungsstatistik"));
    form.resize(360, 200);
    PrintFormImage(&form);
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    EXPECT_EQ(PrintJobCapture::jobs()[0].report.title, QStringLiteral("Belastungsstatistik"));
    EXPECT_EQ(PrintJobCapture::jobs()[0].report.pages[0].items.at(0).image.size(), QSize(360, 200));
    TempFolder tmp;
    PrintFormImage(small, {tmp.file(QStringLiteral("tempo")), {}}, poPrintToFit);
    EXPECT_TRUE(readFile(tmp.file(QStringLiteral("tempo.pdf"))).startsWith("%PDF"));
}

TEST_F(ReportTest, TextsAreEnglishUnderTheEnglishModule)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral("report_en"),
                             QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/lang"))));
    QCoreApplication::installTranslator(&english);
    TRenderText text;
    TRenderPDF pdf;
    EXPECT_EQ(text.DisplayName(), QStringLiteral("Text file (TXT)"));
    EXPECT_EQ(pdf.DisplayName(), QStringLiteral("Adobe Acrobat (PDF)"));
    TReportSystem sys;
    EXPECT_EQ(sys.TitleSetup(), QStringLiteral("Output Options"));
    EXPECT_EQ(TReportSysData(sdPageOfPages).Caption(), QStringLiteral("Page %1 of %2"));
    EXPECT_TRUE(errorOf([] { TReportExpression e(QStringLiteral("SUM(")); })
                    .startsWith(QStringLiteral("Error in the expression \"SUM(\" at position 5: unexpected end")));
    sys.SetDefaultDest(TReportDest::File);
    EXPECT_EQ(errorOf([&] { sys.Execute([] { return TPreparedReport(); }); }),
              QStringLiteral("No file name is given for the output to a file."));
    TReportPreview preview(nullptr, TPreparedReport());
    EXPECT_EQ(preview.findChild<QAbstractButton*>("btnPrint")->text(), QStringLiteral("&Print"));
    EXPECT_EQ(preview.findChild<QComboBox*>("cboZoom")->itemText(0), QStringLiteral("Whole page"));
    EXPECT_EQ(preview.findChild<QLabel*>("lblPage")->text(), QStringLiteral("Page 0 of 0"));
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(TReportSysData(sdPageNumber).Caption(), QStringLiteral("Seite %1"));
}

}  // namespace
