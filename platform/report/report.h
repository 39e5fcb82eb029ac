#pragma once
// A band report over a dataset, laid out on A4 sheets. A window describes the report and asks
// for its pages; it never places anything on a page itself.
//
//   TReport rep;
//   rep.SetDataSet(&orvServer->plan_daten);
//   rep.SetOrientation(QPageLayout::Landscape);
//   rep.SetUnits(ruMillimetres);
//   rep.AddBand(btTitle, 30)->AddLabel("Trainingsplan", 0, 2)->SetAlignToBand(true);
//   TReportBand* week = rep.AddBand(btGroupHeader, 12);
//   week->SetExpression("Woche");                  // a new group whenever Woche changes
//   week->SetRepeatOnNewPage(true);                // and again at the top of every new page
//   week->SetColor(clSilver); week->Frame().SetAll(true);
//   week->SetFooterBand(rep.AddBand(btGroupFooter, 8));
//   TReportBand* detail = rep.AddBand(btDetail, 6);
//   detail->AddDBText("Datum", 0, 0, 25);
//   detail->BeforePrint = [&](TReportBand*, bool& print) { weekMeter += ...; };
//   rep.AddBand(btSummary, 10)->AddExpr("SUM(Meter)", 100, 2, 30)->SetMask("#,");
//   rep.AddBand(btPageFooter, 8)->AddSysData(sdPageNumber, 0, 1);
//   TPreparedReport pages = rep.Prepare();         // or rep.Preview() / rep.Print()
//
// Order on a page: page header, (first page: title), column header, the group headers of the
// open groups that repeat on new pages, then group headers, detail rows and group footers as the
// records come, the summary after the last record, the page footer at the bottom. A band that
// does not fit above the page footer starts a new page.
#include <QFont>
#include <QPageLayout>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "platform/report/reportelements.h"
#include "platform/report/reportpage.h"

class QWidget;
class TDataSet;
class TReport;
struct TPrinterSettings;

// Units of positions and sizes: pixels of 1/96 inch (as window designs give them) or millimetres.
enum TReportUnits { ruPixels, ruMillimetres };

class TReportBand {
public:
    TReportBand(TReport* report, TBandType type);
    ~TReportBand();
    TReportBand(const TReportBand&) = delete;
    TReportBand& operator=(const TReportBand&) = delete;

    TReport* Report() const { return report_; }
    TBandType BandType() const { return type_; }
    const QString& Name() const { return name_; }
    void SetName(const QString& n) { name_ = n; }
    // Height in the report's units; the band spans the page between the margins.
    double Height() const { return height_; }
    void SetHeight(double h) { height_ = h; }
    // A disabled band is never printed (and its hooks never run).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    // A band is transparent until it gets a colour.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { transparent_ = v; }
    TColor Color() const { return color_; }
    void SetColor(TColor c) { color_ = c; transparent_ = false; }
    TReportFrame& Frame() { return frame_; }
    const TReportFrame& Frame() const { return frame_; }

    // Group headers: the expression whose change starts a new group (a field name or any
    // expression of reportexpr.h; EReportExpression when it is none), whether the header is
    // printed again at the top of a page that continues the group, and the group's footer.
    const QString& Expression() const { return expression_.Text(); }
    void SetExpression(const QString& e) { expression_.SetText(e); }
    const TReportExpression& GroupExpression() const { return expression_; }
    bool RepeatOnNewPage() const { return repeatOnNewPage_; }
    void SetRepeatOnNewPage(bool v) { repeatOnNewPage_ = v; }
    TReportBand* FooterBand() const { return footer_; }
    void SetFooterBand(TReportBand* footer) { footer_ = footer; }

    // Elements; positions relative to the band's top-left corner, in the report's units.
    TReportLabel* AddLabel(const QString& caption, double left, double top);
    // A field's text in a box of the given width (height 0: one line of the font).
    TReportDBText* AddDBText(const QString& field, double left, double top, double width, double height = 0);
    // An expression's value; width 0 sizes the box to the text.
    TReportExpr* AddExpr(const QString& expression, double left, double top, double width = 0,
                         const QString& mask = QString());
    TReportSysData* AddSysData(TSysDataKind kind, double left, double top);
    TReportShape* AddShape(TShapeType shape, double left, double top, double width, double height);
    TReportImage* AddImage(const QImage& picture, double left, double top, double width, double height);
    template <class E>
    E* Add(std::unique_ptr<E> element)
    {
        E* e = element.get();
        adopt(std::move(element));
        return e;
    }
    int ElementCount() const { return int(elements_.size()); }
    TReportElement* Element(int i) const { return elements_[size_t(i)].get(); }
    TReportElement* FindElement(const QString& name) const;

    // Runs before the band is printed; PrintBand = false leaves it out (a detail row left out
    // adds nothing to sums, counts and averages). The hook may change the texts, fonts and
    // frames of the band's elements: the changes stay until it changes them again.
    std::function<void(TReportBand* Sender, bool& PrintBand)> BeforePrint;
    // Runs after the band was printed or left out.
    std::function<void(TReportBand* Sender, bool BandPrinted)> AfterPrint;

private:
    void adopt(std::unique_ptr<TReportElement> element);

    TReport* report_;
    TBandType type_;
    QString name_;
    double height_ = 0;
    bool enabled_ = true;
    bool transparent_ = true;
    TColor color_ = clWhite;
    TReportFrame frame_;
    TReportExpression expression_;
    bool repeatOnNewPage_ = false;
    TReportBand* footer_ = nullptr;
    std::vector<std::unique_ptr<TReportElement>> elements_;
};

class TReport {
public:
    TReport();
    ~TReport();
    TReport(const TReport&) = delete;
    TReport& operator=(const TReport&) = delete;

    const QString& ReportTitle() const { return title_; }
    void SetReportTitle(const QString& t) { title_ = t; }
    // The records of the detail band, from the first; the cursor is put back where it was.
    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* ds) { dataSet_ = ds; }
    TReportUnits Units() const { return units_; }
    void SetUnits(TReportUnits u) { units_ = u; }
    double UnitMm() const { return units_ == ruPixels ? PixelMm : 1.0; }
    QPageLayout::Orientation Orientation() const { return orientation_; }
    void SetOrientation(QPageLayout::Orientation o) { orientation_ = o; }
    // Margins in millimetres (10 each until set).
    double LeftMargin() const { return margins_[0]; }
    double TopMargin() const { return margins_[1]; }
    double RightMargin() const { return margins_[2]; }
    double BottomMargin() const { return margins_[3]; }
    void SetMargins(double left, double top, double right, double bottom);

    // The sheet and the space between the margins, in the report's units.
    double PageWidth() const;
    double PageHeight() const;
    double ClientWidth() const;
    double ClientHeight() const;
    // A text's width and a line's height in the report's units, measured as pages are drawn.
    double TextWidth(const QFont& font, const QString& text) const;
    double TextHeight(const QFont& font) const;

    // With no records: print title, headers, summary and footers (true) or nothing at all.
    bool PrintIfEmpty() const { return printIfEmpty_; }
    void SetPrintIfEmpty(bool v) { printIfEmpty_ = v; }
    // The page header also on the first page; the page footer also on the last page.
    bool FirstPageHeader() const { return firstPageHeader_; }
    void SetFirstPageHeader(bool v) { firstPageHeader_ = v; }
    bool LastPageFooter() const { return lastPageFooter_; }
    void SetLastPageFooter(bool v) { lastPageFooter_ = v; }

    // Bands. Height < 0 gives a new band the height of 24 pixels. Group headers nest in the
    // order they are added (the first is the outermost group).
    TReportBand* AddBand(TBandType type, double height = -1);
    TReportBand* Band(TBandType type) const;  // the first band of the kind, or null
    TReportBand* EnsureBand(TBandType type);  // that band, added when there is none
    std::vector<TReportBand*> Bands() const;
    void RemoveBand(TReportBand* band);

    // Runs at the start of every run (each preview and each print); PrintReport = false
    // gives no pages. Sums kept by the window's own hooks start over here.
    std::function<void(TReport* Sender, bool& PrintReport)> BeforePrint;

    // Runs the report: every hook, every page. Errors of expressions and fields (Exception)
    // reach the caller; the dataset's cursor is restored in any case.
    TPreparedReport Prepare();

    // Runs the report and shows it in the preview window (modal), from which it can be printed
    // with the settings given; or prints it on the printer of the settings (the default printer).
    void Preview(QWidget* parent = nullptr);
    void Preview(const TPrinterSettings& settings, QWidget* parent = nullptr);
    void Print();
    void Print(const TPrinterSettings& settings);

private:
    QString title_;
    TDataSet* dataSet_ = nullptr;
    TReportUnits units_ = ruPixels;
    QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
    double margins_[4] = {10, 10, 10, 10};
    bool printIfEmpty_ = true;
    bool firstPageHeader_ = true;
    bool lastPageFooter_ = true;
    std::vector<std::unique_ptr<TReportBand>> bands_;
};
