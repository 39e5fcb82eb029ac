#pragma once
// A machine without a printer whose user saves every print as a PDF file: the printer list is
// empty, the print dialog's user picks "Print to file (PDF)" with a new file of a temporary folder,
// and a chart's print dialog does the same. The files' texts come back through pdftotext.
// Header only: the test programs that use it link the report and chart layers.
#include <gtest/gtest.h>

#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QStringList>

#include <memory>

#include "platform/chart/chartprint.h"
#include "platform/report/reportprinter.h"
#include "tests/support/testenv.h"

// The text of a PDF file as pdftotext extracts it (lines as laid out); an empty text when the file
// is missing or no PDF.
inline QString PdfText(const QString& file)
{
    if (!QFile::exists(file))
        return QString();
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << file.toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PdfPrintScope {
public:
    PdfPrintScope()
    {
        PrinterListStandIn::set({});
        PrintDialogStandIn::set([this](TPrintTarget& target, const QString& document) {
            documents_ << document;
            // With no printer the dialog offers nothing but the file.
            EXPECT_TRUE(target.FileName.isEmpty()) << document.toStdString();
            target.FileName = nextFile();
            files_ << target.FileName + QStringLiteral(".pdf");
            return true;
        });
        SetChartPrintTarget([this]() -> QPagedPaintDevice* {
            documents_ << QStringLiteral("Diagramm");
            files_ << nextFile() + QStringLiteral(".pdf");
            chartWriter_ = std::make_unique<QPdfWriter>(files_.last());
            return chartWriter_.get();
        });
    }
    ~PdfPrintScope()
    {
        chartWriter_.reset();
        SetChartPrintTarget({});
        PrintDialogStandIn::clear();
        PrinterListStandIn::clear();
    }
    PdfPrintScope(const PdfPrintScope&) = delete;
    PdfPrintScope& operator=(const PdfPrintScope&) = delete;

    // The PDF files asked for so far, and the documents the print dialog was shown for.
    const QStringList& files() const { return files_; }
    const QStringList& documents() const { return documents_; }
    // The text of the last file (a chart's file is complete once the chart's print has returned).
    QString lastText()
    {
        chartWriter_.reset();
        return files_.isEmpty() ? QString() : PdfText(files_.last());
    }

private:
    QString nextFile() { return folder_.file(QStringLiteral("druck%1").arg(files_.size() + 1)); }

    TempFolder folder_;
    QStringList files_;
    QStringList documents_;
    std::unique_ptr<QPdfWriter> chartWriter_;
};
