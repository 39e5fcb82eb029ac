#include "platform/report/renderpdf.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>

#include "platform/report/reportpainter.h"
#include "platform/rtl/sysutils.h"

TRenderPDF::TRenderPDF()
    : TReportRenderer(QCoreApplication::translate("TRenderPDF", "Adobe Acrobat (PDF)"), QStringLiteral("*.pdf")),
      creator_(QStringLiteral("Orvalo 5"))
{
}

void TRenderPDF::write(const TPreparedReport& report, QIODevice& out)
{
    WritePdf(report, out, resolution_, creator_);
}

void TRenderPDF::WritePdf(const TPreparedReport& report, QIODevice& out, int resolution, const QString& creator)
{
    QPdfWriter writer(&out);
    writer.setResolution(resolution);
    writer.setPageLayout(report.pageLayout());
    writer.setTitle(report.title);
    writer.setCreator(creator);
    QPainter painter;
    if (!painter.begin(&writer))
        throw Exception(QCoreApplication::translate("TRenderPDF", "Die PDF-Datei kann nicht angelegt werden."));
    // A report without pages still becomes a valid file: one empty sheet.
    for (int i = 0; i < report.pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        PaintReportPage(painter, report.pages[size_t(i)]);
    }
    painter.end();
}
