#pragma once
// One run of a band report: walks the dataset, runs the hooks, keeps the sums and places the bands
// on pages. TReport::Prepare uses it; nothing else needs to.
#include <QVariant>

#include <vector>

#include "platform/report/report.h"

class TReportLayout {
public:
    explicit TReportLayout(TReport& report);
    TPreparedReport Run();

private:
    bool printBand(TReportBand* band, bool header = false);
    void placeBand(TReportBand* band, double heightMm);
    void startPage();
    void finishPage(bool last);
    void printGroupFooter(size_t level);
    double bottomLimit() const;
    void fillPageCounts();

    TReport& report_;
    TPreparedReport out_;
    TReportContext ctx_;
    TReportBand* detail_ = nullptr;
    std::vector<TReportBand*> groups_;  // group headers, outermost first
    std::vector<TReportExpr*> exprs_;   // every expression of the report
    double left_ = 0, top_ = 0, width_ = 0, bottom_ = 0;  // the space between the margins (mm)
    double y_ = 0;                       // where the next band goes (mm)
    bool pageOpen_ = false;
    bool contentOnPage_ = false;  // a band other than the page's headers stands on the page
    size_t openGroups_ = 0;       // groups whose header has been printed and whose footer has not
};
