#include "platform/report/reportprinter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

#include "platform/report/reportpainter.h"
#include "platform/report/renderpdf.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/testhooks.h"

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("ReportPrinter", text);
}

struct CaptureState {
    bool active = false;
    QList<TPrintJob> jobs;
};

CaptureState& capture()
{
    static CaptureState s;
    return s;
}

struct PrinterStandIns {
    bool listActive = false;
    QList<TPrinterStandIn> printers;
    std::function<bool(TPrinterSettings&)> setupAnswer;
    std::function<bool(TPrintTarget&, const QString&)> printAnswer;
};

PrinterStandIns& standIns()
{
    static PrinterStandIns s;
    return s;
}

QString withLocation(const QString& name, const QString& location)
{
    if (location.isEmpty())
        return name;
    return Tr("%1 an %2").arg(name, location);
}

TDuplexMode DuplexOf(QPrinter::DuplexMode mode)
{
    switch (mode) {
    case QPrinter::DuplexNone:
        return TDuplexMode::Simplex;
    case QPrinter::DuplexShortSide:
        return TDuplexMode::Horizontal;
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto:
        return TDuplexMode::Vertical;
    }
    return TDuplexMode::Simplex;
}

}  // namespace

QStringList AvailablePrinters()
{
    if (standIns().listActive) {
        QStringList names;
        for (const TPrinterStandIn& p : standIns().printers)
            names << p.Name;
        return names;
    }
    return QPrinterInfo::availablePrinterNames();
}

QString DefaultPrinterName()
{
    if (standIns().listActive)
        return standIns().printers.isEmpty() ? QString() : standIns().printers.first().Name;
    return QPrinterInfo::defaultPrinterName();
}

QString PrinterCaption(const QString& printerName)
{
    if (standIns().listActive) {
        const QList<TPrinterStandIn>& printers = standIns().printers;
        if (printers.isEmpty())
            return Tr("Kein Drucker installiert!");
        for (const TPrinterStandIn& p : printers)
            if (printerName.isEmpty() || p.Name == printerName)
                return withLocation(p.Name, p.Location);
        return printerName;
    }
    const QPrinterInfo info =
        printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) {
        if (AvailablePrinters().isEmpty())
            return Tr("Kein Drucker installiert!");
        return printerName;
    }
    const QString name = info.description().isEmpty() ? info.printerName() : info.description();
    return withLocation(name, info.location());
}

bool ExecutePrinterSetup(TPrinterSettings& settings, QWidget* parent)
{
    if (standIns().setupAnswer)
        return standIns().setupAnswer(settings);
    if (ScriptedAnswers::active()) {
        ScriptedAnswers::reportFailure(QStringLiteral("unanswered printer properties dialog"));
        return false;
    }
    QPrinterInfo info = settings.PrinterName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                       : QPrinterInfo::printerInfo(settings.PrinterName);
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setCopyCount(std::max(1, settings.Copies));
    printer.setCollateCopies(settings.Collate);
    printer.setDuplex(QtDuplexMode(settings.Duplex));
    QPrintDialog dialog(&printer, parent);
    // Only the printer and its options are chosen here; which pages go out is the report's matter.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings.PrinterName = printer.printerName();
    settings.Copies = std::max(1, printer.copyCount());
    settings.Collate = printer.collateCopies();
    settings.Duplex = DuplexOf(printer.duplex());
    return true;
}

QPrinter::DuplexMode QtDuplexMode(TDuplexMode duplex)
{
    switch (duplex) {
    case TDuplexMode::Simplex:
        return QPrinter::DuplexNone;
    case TDuplexMode::Vertical:
        return QPrinter::DuplexLongSide;
    case TDuplexMode::Horizontal:
        return QPrinter::DuplexShortSide;
    }
    return QPrinter::DuplexNone;
}

void ApplyPrinterSettings(const TPrinterSettings& settings, QPageLayout::Orientation orientation, QPrinter& printer)
{
    printer.setCopyCount(std::max(1, settings.Copies));
    printer.setCollateCopies(settings.Collate);
    printer.setDuplex(QtDuplexMode(settings.Duplex));
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    // After the layout, which would set the margins again: the pages carry their own margins and
    // are drawn from the sheet's corner.
    printer.setFullPage(true);
}

void PaintToPrinter(const TPreparedReport& report, QPrinter& printer)
{
    if (report.pageCount() == 0)
        return;
    printer.setDocName(report.title);
    QPainter painter;
    if (!painter.begin(&printer))
        throw Exception(Tr("Der Drucker \"%1\" kann den Druckauftrag nicht annehmen.").arg(printer.printerName()));
    for (int i = 0; i < report.pageCount(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            throw Exception(Tr("Der Druckauftrag \"%1\" ist fehlgeschlagen.").arg(report.title));
        }
        PaintReportPage(painter, report.pages[size_t(i)]);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw Exception(Tr("Der Druckauftrag \"%1\" ist fehlgeschlagen.").arg(report.title));
}

void PrintPreparedReport(const TPreparedReport& report, const TPrinterSettings& settings)
{
    if (report.pageCount() == 0)
        return;
    if (capture().active) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);  // never a device, also when one is installed
        ApplyPrinterSettings(settings, report.orientation, printer);
        TPrintJob job;
        job.settings = settings;
        job.printerName = settings.PrinterName.isEmpty() ? DefaultPrinterName() : settings.PrinterName;
        job.copyCount = printer.copyCount();
        job.collateCopies = printer.collateCopies();
        job.duplex = QtDuplexMode(settings.Duplex);  // a PDF printer keeps no duplex to read back
        job.report = report;
        PrintJobCapture::record(std::move(job));
        return;
    }
    const QStringList printers = AvailablePrinters();
    if (printers.isEmpty()) {
        // Without a printer the print can still be kept: the print dialog offers a PDF file.
        TPrintTarget chosen{QString(), settings};
        if (!ExecutePrintDialog(chosen, report.title))
            return;
        if (chosen.FileName.trimmed().isEmpty())
            throw Exception(Tr("Es ist kein Drucker installiert."));
        PrintToTarget(report, chosen);
        return;
    }
    QPrinterInfo info;
    if (settings.PrinterName.isEmpty()) {
        info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            info = QPrinterInfo::printerInfo(printers.first());
    } else {
        info = QPrinterInfo::printerInfo(settings.PrinterName);
        if (info.isNull())
            throw Exception(Tr("Der Drucker \"%1\" ist nicht installiert.").arg(settings.PrinterName));
    }
    QPrinter printer(info, QPrinter::HighResolution);
    ApplyPrinterSettings(settings, report.orientation, printer);
    PaintToPrinter(report, printer);
}

void PrintToTarget(const TPreparedReport& report, const TPrintTarget& target)
{
    const QString file = target.FileName.trimmed();
    if (file.isEmpty()) {
        PrintPreparedReport(report, target.Printer);
        return;
    }
    WriteFileSafely(FileNameWithExtension(file, QStringLiteral(".pdf")), [&](QIODevice& out) {
        TRenderPDF::WritePdf(report, out, 300, QStringLiteral("Orvalo 5"));
    });
}

QString PrintDocumentName(const QString& title)
{
    QString name = title.trimmed();
    for (QChar& c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    return name.isEmpty() ? Tr("Druck") : name;
}

bool ExecutePrintDialog(TPrintTarget& target, const QString& title, QWidget* parent)
{
    // The dialog proposes the document's name as the PDF file's: one with a "/" in it (a date
    // in English) would name folders that are not there.
    const QString documentName = PrintDocumentName(title);
    if (standIns().printAnswer)
        return standIns().printAnswer(target, documentName);
    if (ScriptedAnswers::active()) {
        ScriptedAnswers::reportFailure(QStringLiteral("unanswered print dialog"));
        return false;
    }
    const QString printerName = target.Printer.PrinterName;
    QPrinterInfo info = printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName);
    // No printer at all: the dialog starts on its PDF file.
    QPrinter printer(info, QPrinter::HighResolution);
    if (info.isNull())
        printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setDocName(documentName);
    if (!target.FileName.trimmed().isEmpty())
        printer.setOutputFileName(target.FileName.trimmed());
    printer.setCopyCount(std::max(1, target.Printer.Copies));
    printer.setCollateCopies(target.Printer.Collate);
    printer.setDuplex(QtDuplexMode(target.Printer.Duplex));
    QPrintDialog dialog(&printer, parent ? parent : QApplication::activeWindow());
    dialog.setWindowTitle(Tr("Drucken"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // Every page goes out: the pages were laid out before the dialog.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // The file is written by the program's own PDF output, into a temporary file first.
        if (printer.outputFileName().trimmed().isEmpty())
            return false;
        target.FileName = printer.outputFileName();
        return true;
    }
    target.FileName.clear();
    target.Printer.PrinterName = printer.printerName();
    target.Printer.Copies = std::max(1, printer.copyCount());
    target.Printer.Collate = printer.collateCopies();
    target.Printer.Duplex = DuplexOf(printer.duplex());
    return true;
}

void PrintDialogStandIn::set(std::function<bool(TPrintTarget&, const QString&)> answer)
{
    standIns().printAnswer = std::move(answer);
}

void PrintDialogStandIn::clear()
{
    standIns().printAnswer = {};
}

void PrinterListStandIn::set(const QList<TPrinterStandIn>& printers)
{
    standIns().listActive = true;
    standIns().printers = printers;
}

void PrinterListStandIn::clear()
{
    standIns().listActive = false;
    standIns().printers.clear();
}

bool PrinterListStandIn::active()
{
    return standIns().listActive;
}

void PrinterSetupStandIn::set(std::function<bool(TPrinterSettings&)> answer)
{
    standIns().setupAnswer = std::move(answer);
}

void PrinterSetupStandIn::clear()
{
    standIns().setupAnswer = {};
}

void PrintJobCapture::start()
{
    capture().active = true;
    capture().jobs.clear();
}

void PrintJobCapture::stop()
{
    capture().active = false;
    capture().jobs.clear();
}

bool PrintJobCapture::active()
{
    return capture().active;
}

const QList<TPrintJob>& PrintJobCapture::jobs()
{
    return capture().jobs;
}

void PrintJobCapture::record(TPrintJob job)
{
    capture().jobs.push_back(std::move(job));
}
