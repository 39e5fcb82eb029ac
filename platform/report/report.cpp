#include "platform/report/report.h"

#include <algorithm>

#include "platform/report/reportlayout.h"
#include "platform/report/reportpreview.h"
#include "platform/report/reportprinter.h"

// --- bands ---------------------------------------------------------------------------------

TReportBand::TReportBand(TReport* report, TBandType type) : report_(report), type_(type) {}

TReportBand::~TReportBand() = default;

void TReportBand::adopt(std::unique_ptr<TReportElement> element)
{
    element->band_ = this;
    elements_.push_back(std::move(element));
}

TReportLabel* TReportBand::AddLabel(const QString& caption, double left, double top)
{
    auto l = std::make_unique<TReportLabel>();
    l->SetCaption(caption);
    l->SetLeft(left);
    l->SetTop(top);
    return Add(std::move(l));
}

TReportDBText* TReportBand::AddDBText(const QString& field, double left, double top, double width, double height)
{
    auto t = std::make_unique<TReportDBText>();
    t->SetDataField(field);
    t->SetBounds(left, top, width, height);
    return Add(std::move(t));
}

TReportExpr* TReportBand::AddExpr(const QString& expression, double left, double top, double width,
                                  const QString& mask)
{
    auto e = std::make_unique<TReportExpr>();
    e->SetExpression(expression);
    e->SetMask(mask);
    e->SetBounds(left, top, width, 0);
    e->SetAutoSize(width <= 0);
    return Add(std::move(e));
}

TReportSysData* TReportBand::AddSysData(TSysDataKind kind, double left, double top)
{
    auto s = std::make_unique<TReportSysData>(kind);
    s->SetLeft(left);
    s->SetTop(top);
    return Add(std::move(s));
}

TReportShape* TReportBand::AddShape(TShapeType shape, double left, double top, double width, double height)
{
    auto s = std::make_unique<TReportShape>(shape);
    s->SetBounds(left, top, width, height);
    return Add(std::move(s));
}

TReportImage* TReportBand::AddImage(const QImage& picture, double left, double top, double width, double height)
{
    auto i = std::make_unique<TReportImage>();
    i->SetPicture(picture);
    i->SetBounds(left, top, width, height);
    return Add(std::move(i));
}

TReportElement* TReportBand::FindElement(const QString& name) const
{
    for (const auto& e : elements_)
        if (e->Name().compare(name, Qt::CaseInsensitive) == 0)
            return e.get();
    return nullptr;
}

// --- report --------------------------------------------------------------------------------

TReport::TReport() = default;

TReport::~TReport() = default;

void TReport::SetMargins(double left, double top, double right, double bottom)
{
    margins_[0] = left;
    margins_[1] = top;
    margins_[2] = right;
    margins_[3] = bottom;
}

double TReport::PageWidth() const
{
    return (orientation_ == QPageLayout::Landscape ? A4HeightMm : A4WidthMm) / UnitMm();
}

double TReport::PageHeight() const
{
    return (orientation_ == QPageLayout::Landscape ? A4WidthMm : A4HeightMm) / UnitMm();
}

double TReport::ClientWidth() const
{
    return PageWidth() - (margins_[0] + margins_[2]) / UnitMm();
}

double TReport::ClientHeight() const
{
    return PageHeight() - (margins_[1] + margins_[3]) / UnitMm();
}

double TReport::TextWidth(const QFont& font, const QString& text) const
{
    return MeasureText(font, text).width() / UnitMm();
}

double TReport::TextHeight(const QFont& font) const
{
    return LineHeight(font) / UnitMm();
}

TReportBand* TReport::AddBand(TBandType type, double height)
{
    auto b = std::make_unique<TReportBand>(this, type);
    b->SetHeight(height < 0 ? 24 * PixelMm / UnitMm() : height);
    bands_.push_back(std::move(b));
    return bands_.back().get();
}

TReportBand* TReport::Band(TBandType type) const
{
    for (const auto& b : bands_)
        if (b->BandType() == type)
            return b.get();
    return nullptr;
}

TReportBand* TReport::EnsureBand(TBandType type)
{
    if (TReportBand* b = Band(type))
        return b;
    return AddBand(type);
}

std::vector<TReportBand*> TReport::Bands() const
{
    std::vector<TReportBand*> l;
    for (const auto& b : bands_)
        l.push_back(b.get());
    return l;
}

void TReport::RemoveBand(TReportBand* band)
{
    for (const auto& b : bands_)
        if (b->FooterBand() == band)
            b->SetFooterBand(nullptr);
    bands_.erase(std::remove_if(bands_.begin(), bands_.end(), [&](const auto& b) { return b.get() == band; }),
                 bands_.end());
}

TPreparedReport TReport::Prepare()
{
    return TReportLayout(*this).Run();
}

void TReport::Preview(QWidget* parent)
{
    Preview(TPrinterSettings(), parent);
}

void TReport::Preview(const TPrinterSettings& settings, QWidget* parent)
{
    TPrinterSettings printer = settings;
    TReportPreview preview(parent, Prepare(), &printer);
    preview.ShowModal();
}

void TReport::Print()
{
    Print(TPrinterSettings());
}

void TReport::Print(const TPrinterSettings& settings)
{
    PrintPreparedReport(Prepare(), settings);
}
