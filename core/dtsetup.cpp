#include "core/dtsetup.h"

#include "ui_dtsetup.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <algorithm>

#include "platform/report/reportrenderer.h"
#include "platform/report/reportsystem.h"
#include "platform/vcl/events.h"

TdtSetupForm* dtSetupForm = nullptr;

TDuplexMode DuplexAfterSetup(TDuplexMode current, bool checked)
{
    if (!checked)
        return TDuplexMode::Simplex;
    return current == TDuplexMode::Simplex ? TDuplexMode::Vertical : current;
}

int CopiesAfterSetup(int current, const QString& typed)
{
    bool ok = false;
    const int copies = typed.trimmed().toInt(&ok);
    if (!ok || copies < 0)
        return current;
    // No copies at all would print nothing and tell nobody: one copy is what was meant.
    return std::max(1, copies);
}

TdtSetupForm::TdtSetupForm(TReportSystem* reportSystem, QWidget* Owner)
    : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TdtSetupForm>()), ReportSystem_(reportSystem)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    PrinterGB = ui->PrinterGB;
    PrinterLabel = ui->PrinterLabel;
    SetupBB = ui->SetupBB;
    PageControl1 = ui->PageControl1;
    PrinterRB = ui->PrinterRB;
    PreviewRB = ui->PreviewRB;
    FileRB = ui->FileRB;
    editFileName = ui->editFileName;
    FileNameSB = ui->FileNameSB;
    cboxFormat = ui->cboxFormat;
    CopiesLabel = ui->CopiesLabel;
    CopiesED = ui->CopiesED;
    CollateCK = ui->CollateCK;
    DuplexCK = ui->DuplexCK;
    AllRB = ui->AllRB;
    SelectionRB = ui->SelectionRB;
    SelectionLabel = ui->SelectionLabel;
    SelectionED = ui->SelectionED;
    PagesRB = ui->PagesRB;
    FromLabel = ui->FromLabel;
    FromED = ui->FromED;
    ToLabel = ui->ToLabel;
    ToED = ui->ToED;
    bbtnOK = ui->bbtnOK;
    BitBtn1 = ui->BitBtn1;

    dlogSave.SetOptions(ofOverwritePrompt | ofPathMustExist | ofHideReadOnly);

    // Copies and pages take digits only; the selection also "-" and ",".
    auto digits = [this](QLineEdit* edit, const QString& pattern) {
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    };
    digits(CopiesED, QStringLiteral("[0-9]*"));
    digits(FromED, QStringLiteral("[0-9]*"));
    digits(ToED, QStringLiteral("[0-9]*"));
    digits(SelectionED, QStringLiteral("[0-9,-]*"));

    auto onChecked = [this](QRadioButton* rb, void (TdtSetupForm::*h)(QObject*)) {
        connect(rb, &QRadioButton::toggled, this, [rb, f = Handler(this, h)](bool on) {
            if (on)
                f(rb);
        });
    };
    onChecked(PrinterRB, &TdtSetupForm::PrinterRBClick);
    onChecked(PreviewRB, &TdtSetupForm::PrinterRBClick);
    onChecked(FileRB, &TdtSetupForm::FileRBClick);
    connect(editFileName, &QLineEdit::textChanged, this,
            [this, f = Handler(this, &TdtSetupForm::editFileNameChange)] { f(editFileName); });
    connect(FileNameSB, &QToolButton::clicked, this,
            [this, f = Handler(this, &TdtSetupForm::FileNameSBClick)] { f(FileNameSB); });
    connect(cboxFormat, &QComboBox::activated, this,
            [this, f = Handler(this, &TdtSetupForm::cboxFormatChange)] { f(cboxFormat); });
    connect(SetupBB, &QPushButton::clicked, this, [this, f = Handler(this, &TdtSetupForm::SetupBBClick)] { f(SetupBB); });
    connect(bbtnOK, &QPushButton::clicked, this, [this, f = Handler(this, &TdtSetupForm::bbtnOKClick)] { f(bbtnOK); });
    OnShow = Handler(this, &TdtSetupForm::FormShow);
    FormCreate(this);
}

TdtSetupForm::~TdtSetupForm()
{
    if (dtSetupForm == this)
        dtSetupForm = nullptr;
}

void TdtSetupForm::FormCreate(QObject*)
{
    for (QWidget* w : {static_cast<QWidget*>(FromLabel), static_cast<QWidget*>(FromED),
                       static_cast<QWidget*>(ToLabel), static_cast<QWidget*>(ToED)})
        w->setVisible(false);
    for (QWidget* w : {static_cast<QWidget*>(SelectionLabel), static_cast<QWidget*>(SelectionED),
                       static_cast<QWidget*>(editFileName), static_cast<QWidget*>(FileNameSB)})
        w->setEnabled(false);
}

TReportRenderer* TdtSetupForm::FormatRenderer(int index) const
{
    const std::vector<TReportRenderer*>& renderers = RegisteredRenderers();
    return index >= 0 && index < int(renderers.size()) ? renderers[size_t(index)] : nullptr;
}

bool TdtSetupForm::allows(TSystemSetup setup) const
{
    return !ReportSystem_ || ReportSystem_->Allows(setup);
}

void TdtSetupForm::updatePrinterLabel()
{
    PrinterLabel->setText(PrinterCaption(ReportSystem_ ? ReportSystem_->SystemPrinter().PrinterName : QString()));
}

void TdtSetupForm::FormShow(QObject*)
{
    // The format list and the save filter follow the renderers that exist now.
    const int chosen = cboxFormat->currentIndex();
    cboxFormat->clear();
    for (TReportRenderer* r : RegisteredRenderers())
        cboxFormat->addItem(r->DisplayName());
    dlogSave.SetFilter(RendererFilter());
    printerUsable_ = !AvailablePrinters().isEmpty();
    updatePrinterLabel();

    PageControl1->setCurrentIndex(PreviewSetup ? 1 : 0);
    cboxFormat->setCurrentIndex(chosen >= 0 && chosen < cboxFormat->count() ? chosen : 0);
    dlogSave.SetFilterIndex(cboxFormat->currentIndex() + 1);
    updateForm();
}

void TdtSetupForm::updateForm()
{
    const bool usable = printerUsable_;
    const TReportDest dest = ReportSystem_ ? ReportSystem_->DefaultDest() : TReportDest::Preview;

    PrinterRB->setEnabled(usable && allows(ssAllowDestPrinter));
    PreviewRB->setEnabled(allows(ssAllowDestPreview));
    // Our file outputs need no printer driver: without a printer the file stays a choice.
    FileRB->setEnabled(allows(ssAllowDestFile));
    // The default destination's button, or the first one that may be chosen when it may not.
    QRadioButton* checked = dest == TReportDest::Printer ? PrinterRB : dest == TReportDest::File ? FileRB : PreviewRB;
    for (QRadioButton* rb : {PreviewRB, PrinterRB, FileRB})
        if (!checked->isEnabled())
            checked = rb;
    if (checked->isEnabled()) {
        {
            const QSignalBlocker a(PrinterRB), b(PreviewRB), c(FileRB);
            checked->setChecked(true);
        }
        // Checking a destination runs its click, as the runtime does.
        if (checked == FileRB)
            FileRBClick(FileRB);
        else
            PrinterRBClick(checked);
    }

    const TPrinterSettings printer = ReportSystem_ ? ReportSystem_->SystemPrinter() : TPrinterSettings();
    CopiesED->setText(QString::number(printer.Copies));
    CollateCK->setChecked(printer.Collate);
    DuplexCK->setChecked(printer.Duplex != TDuplexMode::Simplex);
    const bool printing = usable && PrinterRB->isChecked();
    CollateCK->setEnabled(printing && allows(ssAllowCollate));
    CopiesED->setEnabled(printing && allows(ssAllowCopies));
    CopiesLabel->setEnabled(CopiesED->isEnabled());
    DuplexCK->setEnabled(printing && allows(ssAllowDuplex));
    SetupBB->setEnabled(usable && !FileRB->isChecked() && allows(ssAllowPrinterSetup));
    if (!PrinterRB->isChecked() && !PreviewRB->isChecked() && !FileRB->isChecked())
        bbtnOK->setEnabled(false);  // nothing may be chosen: only Cancel is left
}

void TdtSetupForm::PrinterRBClick(QObject* Sender)
{
    const bool printer = Sender == PrinterRB;
    editFileName->setEnabled(false);
    FileNameSB->setEnabled(false);
    cboxFormat->setEnabled(false);
    bbtnOK->setEnabled(true);
    SetupBB->setEnabled(printerUsable_ && allows(ssAllowPrinterSetup));
    CopiesED->setEnabled(printer && allows(ssAllowCopies));
    CopiesLabel->setEnabled(CopiesED->isEnabled());
    CollateCK->setEnabled(printer && allows(ssAllowCollate));
    DuplexCK->setEnabled(printer && allows(ssAllowDuplex));
}

void TdtSetupForm::FileRBClick(QObject*)
{
    editFileName->setEnabled(true);
    FileNameSB->setEnabled(true);
    cboxFormat->setEnabled(true);
    SetupBB->setEnabled(false);
    editFileNameChange(editFileName);
}

void TdtSetupForm::editFileNameChange(QObject*)
{
    if (FileRB->isChecked())
        bbtnOK->setEnabled(!editFileName->text().trimmed().isEmpty());
}

void TdtSetupForm::FileNameSBClick(QObject*)
{
    dlogSave.SetFileName(editFileName->text().trimmed());
    if (TReportRenderer* r = FormatRenderer(cboxFormat->currentIndex()))
        dlogSave.SetDefaultExt(r->DefaultExtension().mid(1));
    if (!dlogSave.Execute(this))
        return;
    editFileName->setText(dlogSave.FileName());
    const int index = dlogSave.FilterIndex() - 1;
    if (index >= 0 && index < cboxFormat->count())
        cboxFormat->setCurrentIndex(index);
}

void TdtSetupForm::cboxFormatChange(QObject*)
{
    dlogSave.SetFilterIndex(cboxFormat->currentIndex() + 1);
}

void TdtSetupForm::SetupBBClick(QObject*)
{
    if (!ReportSystem_)
        return;
    TPrinterSettings settings = ReportSystem_->SystemPrinter();
    if (ExecutePrinterSetup(settings, this)) {
        ReportSystem_->SystemPrinter() = settings;
        CopiesED->setText(QString::number(settings.Copies));
        CollateCK->setChecked(settings.Collate);
        DuplexCK->setChecked(settings.Duplex != TDuplexMode::Simplex);
    }
    updatePrinterLabel();
}

void TdtSetupForm::bbtnOKClick(QObject*)
{
    if (!ReportSystem_)
        return;
    TReportSystem& sys = *ReportSystem_;
    if (!PreviewSetup) {
        if (PrinterRB->isChecked() || PreviewRB->isChecked()) {
            sys.SetReportDest(PrinterRB->isChecked() ? TReportDest::Printer : TReportDest::Preview);
            sys.SetOutputFileName(QString());
        } else if (FileRB->isChecked()) {
            TReportRenderer* renderer = FormatRenderer(cboxFormat->currentIndex());
            // Only the file's own name decides whether it has an extension; a dot in a folder's
            // name does not count.
            const QString name = FileNameWithExtension(editFileName->text().trimmed(), renderer);
            const QString folder = QFileInfo(name).absolutePath();
            if (name.isEmpty() || !QDir(folder).exists()) {
                if (!name.isEmpty())
                    MessageDlg(tr("Der Ordner \"%1\" existiert nicht.").arg(QDir::toNativeSeparators(folder)), mtError,
                               {mbOK});
                SetModalResult(mrNone);
                editFileName->setFocus();
                return;
            }
            sys.SetReportDest(TReportDest::File);
            sys.SetOutputFileName(name);
            sys.SetRenderObject(renderer);
        }
    }
    TPrinterSettings& printer = sys.SystemPrinter();
    if (sys.Allows(ssAllowCopies))
        printer.Copies = CopiesAfterSetup(printer.Copies, CopiesED->text());
    if (sys.Allows(ssAllowCollate))
        printer.Collate = CollateCK->isChecked();
    if (sys.Allows(ssAllowDuplex))
        printer.Duplex = DuplexAfterSetup(printer.Duplex, DuplexCK->isChecked());
}
