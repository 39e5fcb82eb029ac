#include "platform/report/reportlayout.h"

#include "platform/db/dataset.h"

namespace {

// Half a micrometre: bands that end exactly at the limit still fit despite rounding.
constexpr double kEpsilon = 0.0005;

// Walks the dataset without disturbing the windows bound to it and puts the cursor back.
class CursorGuard {
public:
    explicit CursorGuard(TDataSet* ds) : ds_(ds && ds->Active() ? ds : nullptr)
    {
        if (!ds_)
            return;
        ds_->DisableControls();
        if (!ds_->IsEmpty())
            bookmark_ = ds_->GetBookmark();
    }
    ~CursorGuard()
    {
        if (!ds_)
            return;
        try {
            if (!bookmark_.IsNull() && ds_->BookmarkValid(bookmark_))
                ds_->GotoBookmark(bookmark_);
        } catch (...) {
            // The row went away during the run: the cursor stays where the run left it.
        }
        ds_->EnableControls();
    }
    CursorGuard(const CursorGuard&) = delete;
    CursorGuard& operator=(const CursorGuard&) = delete;

private:
    TDataSet* ds_;
    TBookmark bookmark_;
};

bool SameKey(const QVariant& a, const QVariant& b)
{
    const bool an = !a.isValid() || a.isNull();
    const bool bn = !b.isValid() || b.isNull();
    if (an || bn)
        return an == bn;
    return a == b;
}

}  // namespace

TReportLayout::TReportLayout(TReport& report) : report_(report) {}

TPreparedReport TReportLayout::Run()
{
    out_ = TPreparedReport();
    out_.title = report_.ReportTitle();
    out_.orientation = report_.Orientation();

    bool print = true;
    if (report_.BeforePrint)
        report_.BeforePrint(&report_, print);
    if (!print)
        return out_;

    const QSizeF paper = out_.paperSize();
    left_ = report_.LeftMargin();
    top_ = report_.TopMargin();
    width_ = paper.width() - report_.LeftMargin() - report_.RightMargin();
    bottom_ = paper.height() - report_.BottomMargin();

    ctx_ = TReportContext();
    ctx_.unitMm = report_.UnitMm();
    ctx_.reportTitle = report_.ReportTitle();
    TDataSet* ds = report_.DataSet();
    ctx_.dataSet = ds;

    detail_ = nullptr;
    groups_.clear();
    exprs_.clear();
    for (TReportBand* b : report_.Bands()) {
        if (b->BandType() == btDetail && !detail_ && b->Enabled())
            detail_ = b;
        if (b->BandType() == btGroupHeader && b->Enabled())
            groups_.push_back(b);
        for (int i = 0; i < b->ElementCount(); ++i)
            if (auto* e = dynamic_cast<TReportExpr*>(b->Element(i)))
                exprs_.push_back(e);
    }
    for (TReportExpr* e : exprs_)
        e->Reset();

    CursorGuard guard(ds);
    const bool hasRows = ds && ds->Active() && !ds->IsEmpty();
    if (ds && !hasRows && !report_.PrintIfEmpty())
        return out_;

    startPage();
    if (hasRows) {
        std::vector<QVariant> keys(groups_.size());
        bool first = true;
        for (ds->First(); !ds->Eof(); ds->Next()) {
            std::vector<QVariant> now(groups_.size());
            for (size_t i = 0; i < groups_.size(); ++i)
                now[i] = groups_[i]->GroupExpression().Value(ds);
            size_t changed = groups_.size();
            for (size_t i = 0; i < groups_.size(); ++i)
                if (first || !SameKey(now[i], keys[i])) {
                    changed = i;
                    break;
                }
            if (!first)
                for (size_t j = groups_.size(); j-- > changed;)
                    printGroupFooter(j);
            for (size_t i = changed; i < groups_.size(); ++i) {
                openGroups_ = i;
                printBand(groups_[i]);
                openGroups_ = i + 1;
            }
            keys = std::move(now);
            if (detail_)
                printBand(detail_);
            first = false;
        }
        for (size_t j = groups_.size(); j-- > 0;)
            printGroupFooter(j);
    }
    printBand(report_.Band(btSummary));
    finishPage(true);
    fillPageCounts();
    return std::move(out_);
}

void TReportLayout::printGroupFooter(size_t level)
{
    // The group stays open while its footer prints, so a page break repeats its header first.
    openGroups_ = level + 1;
    TReportBand* footer = groups_[level]->FooterBand();
    if (footer && footer->Enabled()) {
        printBand(footer);
        for (int i = 0; i < footer->ElementCount(); ++i)
            if (auto* e = dynamic_cast<TReportExpr*>(footer->Element(i)))
                e->Reset();
    }
    openGroups_ = level;
}

double TReportLayout::bottomLimit() const
{
    const TReportBand* footer = report_.Band(btPageFooter);
    return bottom_ - (footer && footer->Enabled() ? footer->Height() * ctx_.unitMm : 0);
}

bool TReportLayout::printBand(TReportBand* band, bool header)
{
    if (!band || !band->Enabled())
        return false;
    const bool detail = band->BandType() == btDetail;
    if (detail)
        ++ctx_.recordNo;
    bool print = true;
    if (band->BeforePrint)
        band->BeforePrint(band, print);
    if (!print) {
        if (detail)
            --ctx_.recordNo;
        if (band->AfterPrint)
            band->AfterPrint(band, false);
        return false;
    }
    if (detail)
        for (TReportExpr* e : exprs_)
            e->Accumulate(ctx_.dataSet && ctx_.dataSet->Active() ? ctx_.dataSet : nullptr);
    const double h = band->Height() * ctx_.unitMm;
    // A group header keeps at least one detail row below it on its page.
    const double needed =
        h + (band->BandType() == btGroupHeader && detail_ ? detail_->Height() * ctx_.unitMm : 0);
    if (!pageOpen_)
        startPage();
    if (!header && contentOnPage_ && y_ + needed > bottomLimit() + kEpsilon) {
        finishPage(false);
        startPage();
    }
    placeBand(band, h);
    if (!header)
        contentOnPage_ = true;
    if (band->AfterPrint)
        band->AfterPrint(band, true);
    return true;
}

void TReportLayout::placeBand(TReportBand* band, double h)
{
    TReportPage& page = out_.pages.back();
    const QRectF r(left_, y_, width_, h);
    if (!band->Transparent())
        page.items.push_back(TPageItem::rectItem(r, true, band->Color(), Qt::NoPen));
    for (int i = 0; i < band->ElementCount(); ++i) {
        TReportElement* e = band->Element(i);
        if (e->Enabled())
            e->Produce(ctx_, r, page.items);
    }
    band->Frame().Produce(r, page.items);
    TPlacedBand placed;
    placed.type = band->BandType();
    placed.name = band->Name();
    placed.top = y_;
    placed.height = h;
    placed.recordNo = band->BandType() == btDetail ? ctx_.recordNo : 0;
    page.bands.push_back(placed);
    y_ += h;
}

void TReportLayout::startPage()
{
    out_.pages.emplace_back();
    pageOpen_ = true;
    contentOnPage_ = false;
    y_ = top_;
    ctx_.pageNumber = out_.pageCount();
    if (ctx_.pageNumber > 1 || report_.FirstPageHeader())
        printBand(report_.Band(btPageHeader), true);
    if (ctx_.pageNumber == 1)
        printBand(report_.Band(btTitle), true);
    printBand(report_.Band(btColumnHeader), true);
    for (size_t i = 0; i < openGroups_ && i < groups_.size(); ++i)
        if (groups_[i]->RepeatOnNewPage())
            printBand(groups_[i], true);
}

void TReportLayout::finishPage(bool last)
{
    if (!pageOpen_)
        return;
    TReportBand* footer = report_.Band(btPageFooter);
    if (footer && footer->Enabled() && (!last || report_.LastPageFooter())) {
        bool print = true;
        if (footer->BeforePrint)
            footer->BeforePrint(footer, print);
        if (print) {
            y_ = bottom_ - footer->Height() * ctx_.unitMm;
            placeBand(footer, footer->Height() * ctx_.unitMm);
        }
        if (footer->AfterPrint)
            footer->AfterPrint(footer, print);
    }
    pageOpen_ = false;
}

void TReportLayout::fillPageCounts()
{
    const QString count = QString::number(out_.pageCount());
    for (TReportPage& page : out_.pages)
        for (TPageItem& it : page.items)
            if (it.kind == TPageItem::Text && it.text.contains(kPageCountMarker)) {
                it.text.replace(kPageCountMarker, count);
                if (it.autoWidth)
                    it.rect.setWidth(MeasureText(it.font, it.text).width());
                it.autoWidth = false;
            }
}
