// Output of laid-out pages: the text file as exact text, PDF files that a PDF reader turns into
// pictures, HTML with its JPEG pictures, page pictures, file names and files that are replaced
// only by complete new ones.
#include "tests/platform/report/reportfixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include "platform/report/renderhtml.h"
#include "platform/report/renderpdf.h"
#include "platform/report/rendertext.h"
#include "platform/report/reportpainter.h"
#include "platform/vcl/jpeg.h"
#include "tests/support/testenv.h"

namespace {

TPageItem text(double left, double top, const QString& s, Qt::Alignment a = Qt::AlignLeft, double width = 0)
{
    return TPageItem::textItem(QRectF(left, top, width, 4), s, QFont(QStringLiteral("Arial"), 10), clBlack, a);
}

QByteArray readFile(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A portrait list with week groups, a coloured group header and a summary.
std::unique_ptr<TReport> weekList(TDataSet* ds)
{
    auto rep = std::make_unique<TReport>();
    rep->SetDataSet(ds);
    rep->SetUnits(ruMillimetres);
    rep->SetReportTitle(QStringLiteral("Trainingsplan"));
    TReportBand* title = rep->AddBand(btTitle, 16);
    TReportLabel* t = title->AddLabel(QStringLiteral("Trainingsplan"), 0, 2);
    t->SetAlignToBand(true);
    t->SetAlignment(Qt::AlignHCenter);
    t->Font().setPointSize(16);
    t->Font().setBold(true);
    TReportBand* head = rep->AddBand(btGroupHeader, 9);
    head->SetExpression(QStringLiteral("Woche"));
    head->SetRepeatOnNewPage(true);
    head->SetColor(clSilver);
    head->Frame().SetAll(true);
    head->AddExpr(QStringLiteral("\"Woche: \" + Woche"), 2, 1.5)->Font().setBold(true);
    for (const auto& [caption, left] : {std::pair{"Datum", 40.0}, {"Sport", 75.0}, {"Distanz", 115.0}})
        head->AddLabel(QString::fromUtf8(caption), left, 1.5);
    TReportBand* foot = rep->AddBand(btGroupFooter, 9);
    TReportShape* box = foot->AddShape(stRectangle, 100, 1, 90, 7);
    box->SetBrushColor(RGBColor(0xE6, 0xE6, 0xE6));
    box->SetPenColor(clSilver);
    foot->AddLabel(QStringLiteral("Distanz/Woche:"), 102, 2);
    foot->AddExpr(QStringLiteral("SUM(Meter)"), 150, 2, 38, QStringLiteral("#,"))->SetAlignment(Qt::AlignRight);
    head->SetFooterBand(foot);
    TReportBand* detail = rep->AddBand(btDetail, 6);
    detail->AddDBText(QStringLiteral("Datum"), 40, 0.5, 30);
    detail->AddDBText(QStringLiteral("Sportart"), 75, 0.5, 35);
    detail->AddDBText(QStringLiteral("Meter"), 115, 0.5, 25)->SetAlignment(Qt::AlignRight);
    TReportBand* summary = rep->AddBand(btSummary, 12);
    summary->Frame().DrawTop = true;
    summary->AddLabel(QStringLiteral("Gesamtdistanz:"), 102, 3)->Font().setBold(true);
    summary->AddExpr(QStringLiteral("SUM(Meter)"), 150, 3, 38, QStringLiteral("#,"))->SetAlignment(Qt::AlignRight);
    TReportBand* footer = rep->AddBand(btPageFooter, 8);
    footer->AddLabel(QStringLiteral("Erstellt mit Orvalo 5"), 0, 2)->Font().setItalic(true);
    TReportSysData* page = footer->AddSysData(sdPageOfPages, 0, 2);
    page->SetAlignToBand(true);
    page->SetAlignment(Qt::AlignRight);
    return rep;
}

TEST(ReportTextTest, TextsStandInLinesAndColumnsOfTheCharacterGrid)
{
    TPreparedReport doc;
    doc.pages.resize(2);
    auto& p1 = doc.pages[0].items;
    p1.push_back(text(10, 10, QStringLiteral("Liste")));
    p1.push_back(TPageItem::lineItem(QPointF(10, 18), QPointF(200, 18), clBlack, Qt::SolidLine, 0.3));
    p1.push_back(text(10, 20, QStringLiteral("Datum")));
    p1.push_back(text(40, 20, QStringLiteral("Sport")));
    p1.push_back(text(70, 20, QStringLiteral("Meter"), Qt::AlignRight, 30));
    p1.push_back(text(70, 24.5, QStringLiteral("1000"), Qt::AlignRight, 30));
    p1.push_back(text(10, 24.5, QStringLiteral("12.05.2003")));
    p1.push_back(text(40, 24.5, QStringLiteral("Laufen")));
    p1.push_back(text(45, 24.6, QStringLiteral("Rad")));  // would overwrite "Laufen": moves behind it
    p1.push_back(text(120, 24.5, QStringLiteral("   ")));  // blank texts are left out
    auto& p2 = doc.pages[1].items;
    p2.push_back(text(10, 110, QStringLiteral("Mitte"), Qt::AlignHCenter, 190));
    p2.push_back(text(10, 100, QStringLiteral("Seite\n2")));

    TRenderText renderer;
    EXPECT_EQ(renderer.Text(doc), QStringLiteral("Liste\n"
                                                 "\n"
                                                 "Datum       Sport             Meter\n"
                                                 "12.05.2003  Laufen Rad         1000\n"
                                                 "\fSeite 2\n"
                                                 "\n") +
                                      QString(35, QLatin1Char(' ')) + QStringLiteral("Mitte\n"));
    renderer.SetCharsPerInch(5);
    renderer.SetLinesPerInch(3);
    EXPECT_TRUE(renderer.Text(doc).startsWith(QStringLiteral("Liste\nDatum Sport  Meter\n")));
}

TEST_F(ReportTest, PdfFileOpensInAPdfReader)
{
    for (int i = 0; i < 40; ++i)
        addUnit(EncodeDate(2003, 5, 12) + i, 20 + i / 7, i % 3 ? QStringLiteral("Laufen") : QStringLiteral("Rad"),
                5000 + 250 * i);
    std::unique_ptr<TReport> rep = weekList(&units);
    const TPreparedReport pages = rep->Prepare();
    ASSERT_EQ(pages.pageCount(), 2);
    TempFolder tmp;
    const QString pdf = tmp.file(QStringLiteral("plan.pdf"));
    TRenderPDF renderer;
    renderer.Render(pages, pdf);
    const QByteArray bytes = readFile(pdf);
    ASSERT_TRUE(bytes.startsWith("%PDF-")) << bytes.left(16).toStdString();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_TRUE(info.waitForFinished(30000)) << "pdfinfo (poppler-utils) is needed by this test";
    const QString about = QString::fromUtf8(info.readAllStandardOutput());
    for (const char* line : {"Title: +Trainingsplan\n", "Creator: +Orvalo 5\n", "Pages: +2\n", "Page size: +595 x 842 pts \\(A4\\)"})
        EXPECT_TRUE(about.contains(QRegularExpression(QString::fromUtf8(line)))) << line << about.toStdString();

    const QString prefix = tmp.file(QStringLiteral("seite"));
    QProcess conv;
    conv.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"), pdf, prefix});
    ASSERT_TRUE(conv.waitForFinished(30000)) << "pdftoppm (poppler-utils) is needed by this test";
    ASSERT_EQ(conv.exitCode(), 0) << conv.readAllStandardError().toStdString();
    const QImage first(prefix + QStringLiteral("-1.png"));
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(QFile::exists(prefix + QStringLiteral("-2.png")));
    EXPECT_FALSE(QFile::exists(prefix + QStringLiteral("-3.png")));
    EXPECT_NEAR(first.width(), 413, 1);   // A4 portrait at 50 dpi
    EXPECT_NEAR(first.height(), 585, 1);
    // The first group header's silver strip lies 26 mm down, across the page.
    const QColor strip = first.pixelColor(qRound(100 / 25.4 * 50), qRound(28 / 25.4 * 50));
    EXPECT_NEAR(strip.red(), 0xC0, 8);
    EXPECT_NEAR(strip.blue(), 0xC0, 8);
    // Text in the title line: dark pixels.
    int dark = 0;
    for (int x = 0; x < first.width(); ++x)
        for (int y = qRound(12 / 25.4 * 50); y < qRound(22 / 25.4 * 50); ++y)
            dark += first.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(dark, 30);
}

TEST_F(ReportTest, PagePictureShowsBandsWhereTheyWereLaidOut)
{
    addDays(10);
    std::unique_ptr<TReport> rep = weekList(&units);
    const TPreparedReport pages = rep->Prepare();
    const QImage img = RenderReportPage(pages, 0, 96);
    EXPECT_EQ(img.size(), QSize(794, 1123));
    const TPlacedBand head = pages.pages[0].bandsOf(btGroupHeader).front();
    const QColor c = img.pixelColor(qRound(100 / 25.4 * 96), qRound((head.top + head.height / 2) / 25.4 * 96));
    EXPECT_EQ(c, QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::white));
    // A page that does not exist is blank paper.
    const QImage none = RenderReportPage(pages, 7, 20);
    EXPECT_EQ(none.pixelColor(none.width() / 2, none.height() / 2), QColor(Qt::white));
}

TEST_F(ReportTest, HtmlHoldsTextsAndTheJpegPicture)
{
    addUnit(EncodeDate(2003, 5, 12), 20, QStringLiteral("Laufen <5 km> & mehr"), 4800);
    QImage map(120, 80, QImage::Format_RGB32);
    map.fill(QColor(30, 120, 200));
    TReport rep;
    rep.SetDataSet(&units);
    rep.SetUnits(ruMillimetres);
    rep.SetReportTitle(QStringLiteral("Einheit"));
    TReportBand* detail = rep.AddBand(btDetail, 60);
    detail->AddDBText(QStringLiteral("Sportart"), 0, 0, 80);
    detail->AddImage(map, 0, 10, 60, 40);
    TReportShape* line = detail->AddShape(stHorLine, 0, 52, 190, 2);
    line->SetPenStyle(Qt::DashLine);
    TempFolder tmp;
    const QString file = tmp.file(QStringLiteral("einheit.html"));
    TRenderHTML renderer;
    renderer.Render(rep.Prepare(), file);
    const QString html = QString::fromUtf8(readFile(file));
    EXPECT_TRUE(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>Einheit</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral(">Laufen &lt;5 km&gt; &amp; mehr</div>")));
    EXPECT_TRUE(html.contains(QStringLiteral("stroke-dasharray")));
    EXPECT_EQ(html.count(QStringLiteral("class=\"page\"")), 1);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("<img src=\"data:image/jpeg;base64,([A-Za-z0-9+/=]+)\" style=\"([^\"]*)\"")).match(html);
    ASSERT_TRUE(m.hasMatch());
    const QByteArray jpeg = QByteArray::fromBase64(m.captured(1).toLatin1());
    ASSERT_TRUE(IsJpeg(jpeg));
    const QImage back = JpegToImage(jpeg);
    EXPECT_EQ(back.size(), map.size());
    EXPECT_NEAR(back.pixelColor(60, 40).blue(), 200, 6);
    // 120 x 80 kept in proportion inside the 60 x 40 mm box.
    EXPECT_EQ(m.captured(2), QStringLiteral("left:10.00mm;top:20.00mm;width:60.00mm;height:40.00mm"));
}

TEST(ReportFileNameTest, ExtensionIsAddedOnlyWhenTheFileNameHasNoSuffix)
{
    TRenderPDF pdf;
    TRenderHTML html;
    TRenderText txt;
    const struct {
        const char* name;
        const TReportRenderer* renderer;
        const char* result;
    } cases[] = {
        {"/tmp/liste", &pdf, "/tmp/liste.pdf"},
        {"/tmp/a.b/liste", &pdf, "/tmp/a.b/liste.pdf"},
        {"/tmp/a.b/liste", &html, "/tmp/a.b/liste.html"},
        {"liste.txt", &pdf, "liste.txt"},
        {"liste.PDF", &pdf, "liste.PDF"},
        {"liste", &txt, "liste.txt"},
        {"liste.", &txt, "liste.txt"},
        {"/tmp/.liste", &txt, "/tmp/.liste.txt"},
        {"C:\\Daten.1\\liste", &pdf, "C:\\Daten.1\\liste.pdf"},
        {"", &pdf, ""},
        {"   ", &pdf, "   "},
        {"liste", nullptr, "liste"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileNameWithExtension(QString::fromUtf8(c.name), c.renderer), QString::fromUtf8(c.result)) << c.name;

    EXPECT_EQ(pdf.FilterEntry(), QStringLiteral("Adobe Acrobat (PDF)|*.pdf"));
    EXPECT_EQ(html.FilterEntry(), QStringLiteral("Web Page (HTML)|*.html;*.htm"));
    EXPECT_EQ(txt.FilterEntry(), QStringLiteral("Textdatei (TXT)|*.txt"));
    EXPECT_EQ(RendererFilter(), QStringLiteral("Adobe Acrobat (PDF)|*.pdf|Web Page (HTML)|*.html;*.htm|Textdatei (TXT)|*.txt"));
    EXPECT_EQ(RendererForFile(QStringLiteral("/x/bericht.HTM")), &html);
    EXPECT_EQ(RendererForFile(QStringLiteral("/x/bericht.doc")), nullptr);
    {
        TRenderText second;
        EXPECT_EQ(RegisteredRenderers().size(), 4u);
    }
    EXPECT_EQ(RegisteredRenderers().size(), 3u);
}

// A renderer that fails halfway through writing.
class FailingRenderer : public TReportRenderer {
public:
    FailingRenderer() : TReportRenderer(QStringLiteral("Kaputt"), QStringLiteral("*.txt")) {}

protected:
    void write(const TPreparedReport&, QIODevice& out) override
    {
        out.write("halb");
        throw Exception(QStringLiteral("Platte voll"));
    }
};

TEST(ReportFileTest, AFailedWriteKeepsTheOldFile)
{
    TempFolder tmp;
    const QString file = tmp.write(QStringLiteral("liste.txt"), "alte Liste");
    FailingRenderer failing;
    TPreparedReport doc;
    doc.pages.resize(1);
    try {
        failing.Render(doc, file);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: Platte voll")
                                   .arg(QDir::toNativeSeparators(file)));
    }
    EXPECT_EQ(readFile(file), QByteArray("alte Liste"));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{QStringLiteral("liste.txt")});

    TRenderText text;
    const QString missing = tmp.file(QStringLiteral("fehlt/liste.txt"));
    try {
        text.Render(doc, missing);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: ")
                                               .arg(QDir::toNativeSeparators(missing))));
    }
}

}  // namespace
