#pragma once
// The preview window of a print: the pages as they will be printed, page by page, with
// navigation (buttons, Page Up/Down, Home/End), zoom (whole page, page width, 50 to 200 %) and a
// print button that prints on the printer of the settings given. It is shown modally; tests
// play the user through ScriptedAnswers::onShowModal<TReportPreview> and find the controls by
// their names: btnFirst, btnPrior, lblPage, btnNext, btnLast, cboZoom, btnPrint, btnClose, PageImage.
#include <QImage>

#include "platform/report/reportpage.h"
#include "platform/report/reportprinter.h"
#include "platform/vcl/forms.h"

#include <memory>

namespace Ui {
class TReportPreview;
}

class TReportPreview : public TForm {
    Q_OBJECT
public:
    // Without settings the print button prints on the default printer, one copy.
    TReportPreview(QWidget* Owner, TPreparedReport report, TPrinterSettings* printer = nullptr);
    ~TReportPreview() override;

    const TPreparedReport& Report() const { return report_; }
    int PageCount() const { return report_.pageCount(); }
    // The page shown, from 0; SetPageIndex keeps it within the pages.
    int PageIndex() const { return page_; }
    void SetPageIndex(int index);

    enum TZoomMode { zmWholePage, zmPageWidth, zmPercent };
    TZoomMode ZoomMode() const { return zoomMode_; }
    void SetZoomMode(TZoomMode mode);
    // Percent of the sheet's real size (96 pixels per inch at 100 %), also in the fit modes.
    int Zoom() const;
    void SetZoom(int percent);
    // The picture of the page shown.
    QImage PageImage() const { return image_; }

    // Handlers of the buttons.
    void btnFirstClick(QObject* Sender);
    void btnPriorClick(QObject* Sender);
    void btnNextClick(QObject* Sender);
    void btnLastClick(QObject* Sender);
    void btnPrintClick(QObject* Sender);
    void cboZoomChange(QObject* Sender);


protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void showPage();
    void updateControls();

    std::unique_ptr<Ui::TReportPreview> ui;
    TPreparedReport report_;
    TPrinterSettings* printer_;
    int page_ = 0;
    TZoomMode zoomMode_ = zmWholePage;
    int percent_ = 100;
    int shownZoom_ = 0;
    QImage image_;
};
