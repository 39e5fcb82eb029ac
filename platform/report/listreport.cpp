#include "platform/report/listreport.h"

#include <algorithm>

#include "platform/db/dataset.h"

namespace {

constexpr int kMaxColumnChars = 40;
constexpr double kColumnGap = 8;  // pixels between columns

}  // namespace

TReport& QRCreateList(TReport& report, TDataSet* dataSet, const QString& title, const QStringList& fieldNames,
                      const QStringList& labels)
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

    struct Column {
        QString field;
        QString label;
        Qt::Alignment alignment = Qt::AlignLeft;
        double width = 0;     // what the column would like
        double minimum = 0;   // what it needs: numbers and dates are never cut
    };
    std::vector<Column> columns;
    for (qsizetype i = 0; i < fieldNames.size(); ++i) {
        const QString& name = fieldNames[i];
        Column c;
        c.field = name;
        c.label = name;
        int chars = 10;
        bool text = true;
        if (dataSet) {
            if (const TField* f = dataSet->FindField(name)) {
                c.label = f->DisplayLabel();
                c.alignment = Qt::Alignment(f->Alignment()) & Qt::AlignHorizontal_Mask;
                chars = std::min(f->DisplayWidth(), kMaxColumnChars);
                text = f->DataType() == ftString || f->DataType() == ftMemo;
            }
        }
        if (!labels.value(i).isEmpty())
            c.label = labels[i];
        const double label = report.TextWidth(headFont, c.label) + gap;
        c.width = std::max(report.TextWidth(bodyFont, QString(std::max(chars, 1), QLatin1Char('0'))) + gap, label);
        c.minimum = text ? std::min(c.width, std::max(label, report.TextWidth(bodyFont, QStringLiteral("000000")) + gap))
                         : c.width;
        columns.push_back(c);
    }
    double total = 0, minimum = 0;
    for (const Column& c : columns) {
        total += c.width;
        minimum += c.minimum;
    }
    if (total > report.ClientWidth() && report.Orientation() == QPageLayout::Portrait)
        report.SetOrientation(QPageLayout::Landscape);
    const double client = report.ClientWidth();
    if (total > client) {
        // Text columns give up their room first; only when that is not enough all shrink alike.
        if (minimum <= client && total > minimum) {
            const double f = (client - minimum) / (total - minimum);
            for (Column& c : columns)
                c.width = c.minimum + (c.width - c.minimum) * f;
        } else {
            for (Column& c : columns)
                c.width = c.minimum * client / minimum;
        }
    }

    TReportBand* titleBand = report.AddBand(btTitle, report.TextHeight(titleFont) * 2);
    titleBand->SetName(QStringLiteral("TitleBand"));
    TReportLabel* titleLabel = titleBand->AddLabel(title, 0, report.TextHeight(titleFont) / 2);
    titleLabel->SetName(QStringLiteral("TitleLabel"));
    titleLabel->SetFont(titleFont);
    titleLabel->SetAlignToBand(true);
    titleLabel->SetAlignment(Qt::AlignHCenter);

    const double headHeight = report.TextHeight(headFont) + 6 * PixelMm / unit;
    TReportBand* head = report.AddBand(btColumnHeader, headHeight);
    head->SetName(QStringLiteral("ColumnHeaderBand"));
    head->Frame().DrawBottom = true;
    TReportBand* detail = report.AddBand(btDetail, report.TextHeight(bodyFont) + 2 * PixelMm / unit);
    detail->SetName(QStringLiteral("DetailBand"));

    double x = 0;
    for (const Column& c : columns) {
        const double w = std::max(0.0, c.width - gap);
        TReportLabel* l = head->AddLabel(c.label, x, 3 * PixelMm / unit);
        l->SetName(QStringLiteral("Label_") + c.field);
        l->SetFont(headFont);
        l->SetAutoSize(false);
        l->SetWidth(w);
        l->SetAlignment(c.alignment);
        TReportDBText* t = detail->AddDBText(c.field, x, 1 * PixelMm / unit, w);
        t->SetName(c.field);
        t->SetFont(bodyFont);
        t->SetAlignment(c.alignment);
        x += c.width;
    }
    return report;
}

std::unique_ptr<TReport> QRCreateList(TDataSet* dataSet, const QString& title, const QStringList& fieldNames,
                                      const QStringList& labels)
{
    auto report = std::make_unique<TReport>();
    QRCreateList(*report, dataSet, title, fieldNames, labels);
    return report;
}
