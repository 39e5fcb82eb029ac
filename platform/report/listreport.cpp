#include "platform/report/listreport.h"

#include <QSet>

#include <algorithm>

#include "platform/db/dataset.h"

namespace {

constexpr int kMaxTextChars = 40;
constexpr double kColumnGap = 8;  // pixels between columns

struct Column {
    QString field;
    QString label;
    TField* source = nullptr;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool text = true;      // free text: may end in "…" beyond kMaxTextChars
    double width = 0;      // with the gap to the next column
    bool elide = false;
    int line = 0;
    double left = 0;
};

// The widest display text of each column's field over every record, measured in the body font.
// The cursor goes back where it was and the windows bound to the dataset see nothing.
void measureValues(const TReport& report, TDataSet* ds, const QFont& font, std::vector<Column>& columns,
                   std::vector<double>& widest)
{
    widest.assign(columns.size(), 0);
    if (!ds || !ds->Active() || ds->IsEmpty())
        return;
    std::vector<QSet<QString>> seen(columns.size());
    ds->DisableControls();
    const TBookmark here = ds->GetBookmark();
    try {
        for (ds->First(); !ds->Eof(); ds->Next())
            for (size_t i = 0; i < columns.size(); ++i)
                if (columns[i].source)
                    seen[i].insert(columns[i].source->DisplayText());
    } catch (...) {
        if (ds->BookmarkValid(here))
            ds->GotoBookmark(here);
        ds->EnableControls();
        throw;
    }
    if (ds->BookmarkValid(here))
        ds->GotoBookmark(here);
    ds->EnableControls();
    for (size_t i = 0; i < columns.size(); ++i)
        for (const QString& t : seen[i])
            widest[i] = std::max(widest[i], report.TextWidth(font, t));
}

}  // namespace

TReport& QRCreateList(TReport& report, TDataSet* dataSet, const QString& title, const QStringList& fieldNames,
                      double reservedRight, const TListLabel& labelOf)
{
    report.SetDataSet(dataSet);
    report.SetReportTitle(title);
    const double unit = report.UnitMm();
    const double gap = kColumnGap * PixelMm / unit;

    QFont titleFont(QStringLiteral("Arial"), 14);
    titleFont.setBold(true);
    QFont headFont(QStringLiteral("Arial"), 10);
    headFont.setBold(true);
    const QFont bodyFont(QStringLiteral("Arial"), 10);

    std::vector<Column> columns;
    for (const QString& name : fieldNames) {
        Column c;
        c.field = name;
        c.label = name;
        if (dataSet) {
            if (TField* f = dataSet->FindField(name)) {
                c.source = f;
                c.label = labelOf ? labelOf(f->DisplayLabel()) : f->DisplayLabel();
                c.alignment = Qt::Alignment(f->Alignment()) & Qt::AlignHorizontal_Mask;
                c.text = f->DataType() == ftString || f->DataType() == ftMemo;
            }
        }
        columns.push_back(c);
    }
    std::vector<double> widest;
    measureValues(report, dataSet, bodyFont, columns, widest);
    // A column is as wide as its widest text, so that no figure loses a digit; only free text
    // longer than kMaxTextChars ends in "…".
    const double textCap = report.TextWidth(bodyFont, QString(kMaxTextChars, QLatin1Char('0'))) + gap;
    double total = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        Column& c = columns[i];
        const double label = report.TextWidth(headFont, c.label) + gap;
        c.width = std::max(widest[i] + gap, label);
        if (c.text && c.width > std::max(textCap, label)) {
            c.width = std::max(textCap, label);
            c.elide = true;
        }
        total += c.width;
    }
    if (total > report.ClientWidth() - reservedRight && report.Orientation() == QPageLayout::Portrait)
        report.SetOrientation(QPageLayout::Landscape);
    // Columns the page cannot hold side by side go on to a further line of the same record, each
    // line under its own line of titles; nothing is narrowed.
    const double room = std::max(report.ClientWidth() - reservedRight, gap);
    int lines = columns.empty() ? 1 : 0;
    double x = room;
    for (Column& c : columns) {
        if (c.width > room) {  // wider than a line: only free text can be, and it is cut
            c.width = room;
            c.elide = true;
        }
        if (x + c.width > room + 1e-9 || lines == 0) {
            ++lines;
            x = 0;
        }
        c.line = lines - 1;
        c.left = x;
        x += c.width;
    }

    TReportBand* titleBand = report.AddBand(btTitle, report.TextHeight(titleFont) * 2);
    titleBand->SetName(QStringLiteral("TitleBand"));
    TReportLabel* titleLabel = titleBand->AddLabel(title, 0, report.TextHeight(titleFont) / 2);
    titleLabel->SetName(QStringLiteral("TitleLabel"));
    titleLabel->SetFont(titleFont);
    titleLabel->SetAlignToBand(true);
    titleLabel->SetAlignment(Qt::AlignHCenter);

    const double headLine = report.TextHeight(headFont);
    const double bodyLine = report.TextHeight(bodyFont);
    TReportBand* head = report.AddBand(btColumnHeader, lines * headLine + 6 * PixelMm / unit);
    head->SetName(QStringLiteral("ColumnHeaderBand"));
    head->Frame().DrawBottom = true;
    TReportBand* detail = report.AddBand(btDetail, lines * bodyLine + 2 * PixelMm / unit);
    detail->SetName(QStringLiteral("DetailBand"));
    if (lines > 1) {
        // A record of several lines is told from the next by a thin line below it.
        detail->Frame().DrawBottom = true;
        detail->Frame().Color = clSilver;
    }

    for (const Column& c : columns) {
        const double w = std::max(0.0, c.width - gap);
        TReportLabel* l = head->AddLabel(c.label, c.left, 3 * PixelMm / unit + c.line * headLine);
        l->SetName(QStringLiteral("Label_") + c.field);
        l->SetFont(headFont);
        l->SetAutoSize(false);
        l->SetWidth(w);
        l->SetAlignment(c.alignment);
        TReportDBText* t = detail->AddDBText(c.field, c.left, 1 * PixelMm / unit + c.line * bodyLine, w);
        t->SetName(c.field);
        t->SetFont(bodyFont);
        t->SetAlignment(c.alignment);
        t->SetElideRight(c.elide);
    }
    return report;
}

std::unique_ptr<TReport> QRCreateList(TDataSet* dataSet, const QString& title, const QStringList& fieldNames,
                                      double reservedRight, const TListLabel& labelOf)
{
    auto report = std::make_unique<TReport>();
    QRCreateList(*report, dataSet, title, fieldNames, reservedRight, labelOf);
    return report;
}
