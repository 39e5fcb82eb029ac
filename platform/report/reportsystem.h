#pragma once
// The report system: where a report goes (printer, preview or file), what the user may choose
// before it runs (the setup permissions), the printer settings (printer, copies, collation,
// duplex) and, for files, the file name and the renderer. Before each run it lets the program's
// own output-options dialog change all that through the setup hook:
//
//   orvServer->RvSystem1.OnOverrideSetup = [](TReportSystem* sys, TOverrideMode mode, QObject*& dlg) {
//       switch (mode) {
//       case omCreate: dlg = new TdtSetupForm(sys); break;
//       case omShow: sys->SetSetupCancelled(static_cast<TdtSetupForm*>(dlg)->ShowModal() == mrCancel); break;
//       case omWait: break;
//       case omFree: delete dlg; dlg = nullptr; break;
//       }
//   };
//   orvServer->RvSystem1.Execute(report);  // false when the user cancelled the setup
#include <QObject>
#include <QString>

#include <functional>

#include "platform/report/reportprinter.h"

class QWidget;
class TReport;
class TReportRenderer;
struct TPreparedReport;

enum class TReportDest { Printer, Preview, File };

// What the setup may offer; a set of these bits.
enum TSystemSetup : unsigned {
    ssAllowSetup = 1 << 0,         // the setup hook runs before the report
    ssAllowCopies = 1 << 1,
    ssAllowCollate = 1 << 2,
    ssAllowDuplex = 1 << 3,
    ssAllowDestPreview = 1 << 4,
    ssAllowDestPrinter = 1 << 5,
    ssAllowDestFile = 1 << 6,
    ssAllowPrinterSetup = 1 << 7,
};
using TSystemSetups = unsigned;
inline constexpr TSystemSetups ssAllowAll = 0xFF;

// The steps of the setup hook: create the dialog, show it, (the report runs), free it.
enum TOverrideMode { omCreate, omShow, omWait, omFree };

class TReportSystem {
public:
    TReportSystem();
    ~TReportSystem();
    TReportSystem(const TReportSystem&) = delete;
    TReportSystem& operator=(const TReportSystem&) = delete;

    TSystemSetups SystemSetups() const { return setups_; }
    void SetSystemSetups(TSystemSetups s) { setups_ = s; }
    bool Allows(TSystemSetup s) const { return (setups_ & s) != 0; }
    // Where a run goes unless the setup chooses otherwise (the preview until set).
    TReportDest DefaultDest() const { return defaultDest_; }
    void SetDefaultDest(TReportDest d) { defaultDest_ = d; }
    // Where the current run goes: the default destination at the start of each run, then what
    // the setup chose.
    TReportDest ReportDest() const { return reportDest_; }
    void SetReportDest(TReportDest d) { reportDest_ = d; }
    // File output: the file name (the renderer's extension is added when the name has none) and
    // the renderer; without a renderer the one whose extension the file name has is used.
    const QString& OutputFileName() const { return outputFileName_; }
    void SetOutputFileName(const QString& f) { outputFileName_ = f; }
    TReportRenderer* RenderObject() const { return renderObject_; }
    void SetRenderObject(TReportRenderer* r) { renderObject_ = r; }
    // The printer and its options for printer output and for printing from the preview.
    TPrinterSettings& SystemPrinter() { return printer_; }
    const TPrinterSettings& SystemPrinter() const { return printer_; }

    // Captions: of the setup dialog, of the preview window (the report's title when empty) and
    // of the print job (the report's title when empty).
    const QString& TitleSetup() const { return titleSetup_; }
    void SetTitleSetup(const QString& t) { titleSetup_ = t; }
    const QString& TitlePreview() const { return titlePreview_; }
    void SetTitlePreview(const QString& t) { titlePreview_ = t; }
    const QString& TitlePrinter() const { return titlePrinter_; }
    void SetTitlePrinter(const QString& t) { titlePrinter_ = t; }
    // The window that owns the preview.
    QWidget* PreviewOwner() const { return previewOwner_; }
    void SetPreviewOwner(QWidget* w) { previewOwner_ = w; }

    // Set by the setup hook when the user cancelled; the run then stops.
    bool SetupCancelled() const { return setupCancelled_; }
    void SetSetupCancelled(bool v) { setupCancelled_ = v; }
    std::function<void(TReportSystem* ReportSystem, TOverrideMode OverrideMode, QObject*& OverrideForm)>
        OnOverrideSetup;

    // Runs the setup (when allowed and hooked), then the report, and sends its pages to the
    // chosen destination. Returns false when the setup was cancelled (nothing runs then).
    // Errors (no printer, no file name, a file that cannot be written, errors of the report)
    // raise Exception with the German message.
    bool Execute(TReport& report);
    // The same for pages made by other means (the printer canvas, a form picture).
    bool Execute(const std::function<TPreparedReport()>& generate);

    // Sends pages to the destination chosen, without the setup.
    void Output(const TPreparedReport& pages);

private:
    TSystemSetups setups_ = ssAllowAll;
    TReportDest defaultDest_ = TReportDest::Preview;
    TReportDest reportDest_ = TReportDest::Preview;
    QString outputFileName_;
    TReportRenderer* renderObject_ = nullptr;
    TPrinterSettings printer_;
    QString titleSetup_;
    QString titlePreview_;
    QString titlePrinter_;
    QWidget* previewOwner_ = nullptr;
    bool setupCancelled_ = false;
};
