#pragma once
// The output-options dialog "Ausgabeoptionen" that runs before every report of the report project
// in place of the report system's own setup: printer, preview or file (PDF, HTML or text), copies,
// collation, duplex and the printer's properties. It reads the report system's permissions,
// default destination and printer when shown, and writes the choice back on OK:
//
//   TdtSetupForm dlg(&orvServer->RvSystem1);
//   orvServer->RvSystem1.SetSetupCancelled(dlg.ShowModal() == mrCancel);
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>

#include <memory>

#include "platform/report/reportprinter.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

class TReportSystem;
class TReportRenderer;
enum TSystemSetup : unsigned;

namespace Ui {
class TdtSetupForm;
}

// The duplex mode an output ends up with: checked keeps a duplex mode the printer already has and
// turns a simplex printer to long-side duplex; unchecked gives simplex.
TDuplexMode DuplexAfterSetup(TDuplexMode current, bool checked);
// The copies a typed text gives: a whole number of at least one (0 prints one copy); any other
// text leaves the copies as they are.
int CopiesAfterSetup(int current, const QString& typed);

class TdtSetupForm : public TForm {
    Q_OBJECT
public:
    explicit TdtSetupForm(TReportSystem* reportSystem = nullptr, QWidget* Owner = nullptr);
    ~TdtSetupForm() override;

    // The report system shown and written; set by the setup hook.
    TReportSystem* ReportSystem() const { return ReportSystem_; }
    void SetReportSystem(TReportSystem* reportSystem) { ReportSystem_ = reportSystem; }
    // The page-range setup of a print from the preview; the hook clears it before every show, so
    // the dialog opens on its destination page.
    bool PreviewSetup = false;

    std::unique_ptr<Ui::TdtSetupForm> ui;
    QGroupBox* PrinterGB;
    QLabel* PrinterLabel;
    QPushButton* SetupBB;      // "Eigenschaften"
    QStackedWidget* PageControl1;
    QRadioButton* PrinterRB;   // "Drucker"
    QRadioButton* PreviewRB;   // "Voransicht"
    QRadioButton* FileRB;      // "Datei"
    QLineEdit* editFileName;
    QToolButton* FileNameSB;   // browse
    QComboBox* cboxFormat;     // one entry per renderer
    QLabel* CopiesLabel;
    QLineEdit* CopiesED;
    QCheckBox* CollateCK;
    QCheckBox* DuplexCK;
    QRadioButton* AllRB;
    QRadioButton* SelectionRB;
    QLabel* SelectionLabel;
    QLineEdit* SelectionED;
    QRadioButton* PagesRB;
    QLabel* FromLabel;
    QLineEdit* FromED;
    QLabel* ToLabel;
    QLineEdit* ToED;
    QPushButton* bbtnOK;
    QPushButton* BitBtn1;      // "Abbruch"
    TSaveDialog dlogSave;

    // The renderer of a format entry (null for an index out of range).
    TReportRenderer* FormatRenderer(int index) const;

    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    void PrinterRBClick(QObject* Sender);
    void FileRBClick(QObject* Sender);
    void editFileNameChange(QObject* Sender);
    void FileNameSBClick(QObject* Sender);
    void cboxFormatChange(QObject* Sender);
    void SetupBBClick(QObject* Sender);
    void bbtnOKClick(QObject* Sender);

private:
    void updatePrinterLabel();
    void updateForm();
    // Whether the report system permits a choice; without a report system everything may be chosen.
    bool allows(TSystemSetup setup) const;

    TReportSystem* ReportSystem_ = nullptr;
    // Whether the machine has a printer, asked once per show: the printer list is the print
    // system's and does not change while the dialog is open.
    bool printerUsable_ = false;
};

// The instance created at start-up.
extern TdtSetupForm* dtSetupForm;
