#include "platform/report/reportpreview.h"

#include <QKeyEvent>
#include <QPixmap>
#include <QScrollBar>

#include <algorithm>
#include <exception>

#include "platform/report/reportpainter.h"
#include "platform/rtl/application.h"
#include "ui_reportpreview.h"

namespace {

// The zoom list's fixed steps, after "Ganze Seite" and "Seitenbreite".
constexpr int kPercents[] = {50, 75, 100, 150, 200};
constexpr int kFirstPercentItem = 2;

// Runs a handler as the event loop would: an error reaches the standard error box.
template <class F>
void Guarded(F&& f)
{
    try {
        f();
    } catch (...) {
        HandleException(std::current_exception());
    }
}

}  // namespace

TReportPreview::TReportPreview(QWidget* Owner, TPreparedReport report, TPrinterSettings* printer)
    : TForm(Owner), ui(std::make_unique<Ui::TReportPreview>()), report_(std::move(report)), printer_(printer)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowState(windowState() | Qt::WindowMaximized);  // a page needs all the room there is
    if (!report_.title.isEmpty())
        SetCaption(report_.title);
    ui->ScrollBox->setBackgroundRole(QPalette::Dark);
    ui->PageImage->setBackgroundRole(QPalette::Dark);
    ui->cboZoom->setCurrentIndex(0);
    connect(ui->btnFirst, &QAbstractButton::clicked, this, [this] { Guarded([this] { btnFirstClick(ui->btnFirst); }); });
    connect(ui->btnPrior, &QAbstractButton::clicked, this, [this] { Guarded([this] { btnPriorClick(ui->btnPrior); }); });
    connect(ui->btnNext, &QAbstractButton::clicked, this, [this] { Guarded([this] { btnNextClick(ui->btnNext); }); });
    connect(ui->btnLast, &QAbstractButton::clicked, this, [this] { Guarded([this] { btnLastClick(ui->btnLast); }); });
    connect(ui->btnPrint, &QAbstractButton::clicked, this, [this] { Guarded([this] { btnPrintClick(ui->btnPrint); }); });
    connect(ui->cboZoom, &QComboBox::activated, this, [this] { Guarded([this] { cboZoomChange(ui->cboZoom); }); });
    // The fit modes follow the visible part of the scroll box, which gets its size after the
    // window's own resize.
    ui->ScrollBox->viewport()->installEventFilter(this);
    showPage();
}

TReportPreview::~TReportPreview() = default;

void TReportPreview::SetPageIndex(int index)
{
    page_ = std::clamp(index, 0, std::max(0, PageCount() - 1));
    showPage();
    ui->ScrollBox->verticalScrollBar()->setValue(0);  // a new page is read from its top
}

void TReportPreview::SetZoomMode(TZoomMode mode)
{
    zoomMode_ = mode;
    if (mode == zmWholePage)
        ui->cboZoom->setCurrentIndex(0);
    else if (mode == zmPageWidth)
        ui->cboZoom->setCurrentIndex(1);
    showPage();
}

void TReportPreview::SetZoom(int percent)
{
    percent_ = std::clamp(percent, 10, 400);
    zoomMode_ = zmPercent;
    ui->cboZoom->setCurrentIndex(-1);
    for (int i = 0; i < int(std::size(kPercents)); ++i)
        if (kPercents[i] == percent_)
            ui->cboZoom->setCurrentIndex(kFirstPercentItem + i);
    showPage();
}

int TReportPreview::Zoom() const
{
    if (zoomMode_ == zmPercent)
        return percent_;
    // The fit modes fill the visible part of the scroll box.
    const QSizeF paper = report_.paperSize();
    const QSize view = ui->ScrollBox->viewport()->size() - QSize(16, 16);
    const double wPx = paper.width() / MmPerInch * 96;
    const double hPx = paper.height() / MmPerInch * 96;
    double f = view.width() / wPx;
    if (zoomMode_ == zmWholePage)
        f = std::min(f, view.height() / hPx);
    return std::clamp(int(f * 100), 10, 400);
}

void TReportPreview::btnFirstClick(QObject*)
{
    SetPageIndex(0);
}

void TReportPreview::btnPriorClick(QObject*)
{
    SetPageIndex(page_ - 1);
}

void TReportPreview::btnNextClick(QObject*)
{
    SetPageIndex(page_ + 1);
}

void TReportPreview::btnLastClick(QObject*)
{
    SetPageIndex(PageCount() - 1);
}

void TReportPreview::btnPrintClick(QObject*)
{
    // The print dialog chooses the printer, or a PDF file, also where no printer is installed.
    TPrintTarget target;
    target.Printer = printer_ ? *printer_ : TPrinterSettings();
    if (!ExecutePrintDialog(target, report_.title, this))
        return;
    if (printer_ && target.FileName.trimmed().isEmpty())
        *printer_ = target.Printer;  // the report system's printer is the one chosen last
    PrintToTarget(report_, target);
}

void TReportPreview::cboZoomChange(QObject*)
{
    const int i = ui->cboZoom->currentIndex();
    if (i == 0)
        SetZoomMode(zmWholePage);
    else if (i == 1)
        SetZoomMode(zmPageWidth);
    else if (i >= kFirstPercentItem && i < kFirstPercentItem + int(std::size(kPercents)))
        SetZoom(kPercents[i - kFirstPercentItem]);
}

bool TReportPreview::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == ui->ScrollBox->viewport() && e->type() == QEvent::Resize && zoomMode_ != zmPercent) {
        const int zoom = Zoom();
        if (zoom != shownZoom_)
            showPage();
    }
    return TForm::eventFilter(watched, e);
}

void TReportPreview::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_PageDown:
        btnNextClick(this);
        return;
    case Qt::Key_PageUp:
        btnPriorClick(this);
        return;
    case Qt::Key_Home:
        if (e->modifiers() & Qt::ControlModifier) {
            btnFirstClick(this);
            return;
        }
        break;
    case Qt::Key_End:
        if (e->modifiers() & Qt::ControlModifier) {
            btnLastClick(this);
            return;
        }
        break;
    default:
        break;
    }
    TForm::keyPressEvent(e);
}

void TReportPreview::showPage()
{
    shownZoom_ = Zoom();
    const int dpi = std::max(9, shownZoom_ * 96 / 100);
    image_ = RenderReportPage(report_, page_, dpi);
    ui->PageImage->setPixmap(QPixmap::fromImage(image_));
    updateControls();
}

void TReportPreview::updateControls()
{
    const int count = PageCount();
    ui->lblPage->setText(tr("Seite %1 von %2").arg(count ? page_ + 1 : 0).arg(count));
    ui->btnFirst->setEnabled(page_ > 0);
    ui->btnPrior->setEnabled(page_ > 0);
    ui->btnNext->setEnabled(page_ + 1 < count);
    ui->btnLast->setEnabled(page_ + 1 < count);
    ui->btnPrint->setEnabled(count > 0);
}
