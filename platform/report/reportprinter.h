#pragma once
// Printing laid-out pages on a printer through QPrinter: the printer chosen by name (or the
// default one), copies, collation and duplex, or chosen in the platform's print dialog, which also
// writes a PDF file. With no printer installed a print goes to the print dialog, where the PDF
// file is what is left; the file outputs (PDF, HTML, text) work without a printer anyway.
//
// Tests never reach a printer: PrintJobCapture records every job instead of sending it.
#include <QList>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <functional>

#include "platform/report/reportpage.h"

class QWidget;

// Sides of the sheet: one, both turned on the long edge (vertical), both turned on the short edge
// (horizontal).
enum class TDuplexMode { Simplex, Vertical, Horizontal };

struct TPrinterSettings {
    QString PrinterName;  // empty: the default printer
    int Copies = 1;       // 0 or less prints one copy
    bool Collate = false;
    TDuplexMode Duplex = TDuplexMode::Simplex;
};

// The printers the system knows, and the default one (empty when there is none).
QStringList AvailablePrinters();
QString DefaultPrinterName();
// How a printer is shown to the user: "name an location" (location empty: the name alone), or
// "Kein Drucker installiert!" when there is no printer at all. Empty name: the default printer.
QString PrinterCaption(const QString& printerName = QString());

// The printer's own properties dialog (Qt's print dialog) for the printer of the settings (the
// default printer when it names none). On OK the printer chosen there, its copies, collation and
// duplex are written into the settings and true is returned; Cancel changes nothing.
bool ExecutePrinterSetup(TPrinterSettings& settings, QWidget* parent = nullptr);

// The duplex mode of QPrinter for a sheet-side choice.
QPrinter::DuplexMode QtDuplexMode(TDuplexMode duplex);
// Puts copies (at least one), collation and duplex onto the printer, and A4 paper in the report's
// orientation with the whole sheet addressable (the pages carry their own margins).
void ApplyPrinterSettings(const TPrinterSettings& settings, QPageLayout::Orientation orientation, QPrinter& printer);

// Draws the pages on a printer that is set up; Exception when the printer refuses the job.
void PaintToPrinter(const TPreparedReport& report, QPrinter& printer);

// Where a print goes: the printer of the settings, or a PDF file when a file name is given
// (".pdf" is added when the name has no suffix).
struct TPrintTarget {
    QString FileName;
    TPrinterSettings Printer;
};

// Prints the pages on the printer of the settings. With no printer installed the print dialog
// (ExecutePrintDialog) asks where the pages go, which then can only be a PDF file; Cancel there
// prints nothing. Exception (German message) when the named printer does not exist or when the
// job fails. An empty report prints nothing.
void PrintPreparedReport(const TPreparedReport& report, const TPrinterSettings& settings);
// Sends pages to the target; errors as PrintPreparedReport and WriteFileSafely.
void PrintToTarget(const TPreparedReport& report, const TPrintTarget& target);

// The platform's print dialog for a document (Qt's): the printers the system knows, each with its
// copies, collation and duplex, and "Print to file (PDF)" with the file's name, proposed from the
// document's name; with no printer installed only the file. On OK the target holds the chosen
// printer, or the file's name, and true is returned; Cancel changes nothing and returns false.
// Without a parent the dialog belongs to the active window.
bool ExecutePrintDialog(TPrintTarget& target, const QString& documentName, QWidget* parent = nullptr);
// The name the print dialog gives a document, and so the file it proposes: the title with each
// character a file name cannot hold ("/" of an English date, "\", ":", "*", "?", quotes, "<",
// ">", "|", control characters) made a "-"; "Druck" for a title left empty.
QString PrintDocumentName(const QString& title);

// Test hook: while set, AvailablePrinters, DefaultPrinterName and PrinterCaption know these
// printers (the first one is the default) in place of the system's; an empty list is a machine
// without printers. clear() gives the system's own again.
struct TPrinterStandIn {
    QString Name;
    QString Location;
};
class PrinterListStandIn {
public:
    static void set(const QList<TPrinterStandIn>& printers);
    static void clear();
    static bool active();
};

// Test hook: plays the user of the printer's properties dialog (ExecutePrinterSetup): the
// function changes the settings as the user would and returns whether OK was pressed. While the
// scripted dialogs are on and no answer is set, the dialog fails the test and counts as cancelled.
class PrinterSetupStandIn {
public:
    static void set(std::function<bool(TPrinterSettings& settings)> answer);
    static void clear();
};

// Test hook: plays the user of the print dialog (ExecutePrintDialog): the function gets the target
// as the dialog starts and the document's name (PrintDocumentName), changes the target as the user would and returns
// whether OK was pressed. While the scripted dialogs are on and no answer is set, the dialog fails
// the test and counts as cancelled.
class PrintDialogStandIn {
public:
    static void set(std::function<bool(TPrintTarget& target, const QString& documentName)> answer);
    static void clear();
};

// A print job as it would have gone to the printer.
struct TPrintJob {
    TPrinterSettings settings;   // as asked for
    QString printerName;         // the printer it went to (the default printer's name when asked for none)
    int copyCount = 1;           // what QPrinter was told
    bool collateCopies = false;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    TPreparedReport report;
};

// Test hook: while started, printer jobs are recorded here and never sent (also when no printer
// is installed).
class PrintJobCapture {
public:
    static void start();
    static void stop();  // also forgets the jobs
    static bool active();
    static const QList<TPrintJob>& jobs();
    static void record(TPrintJob job);
};
