#pragma once
// PDF files through QPdfWriter: the pages drawn as on the printer, fonts embedded, at 300 dpi.
#include "platform/report/reportrenderer.h"

class TRenderPDF : public TReportRenderer {
public:
    TRenderPDF();  // "Adobe Acrobat (PDF)", "*.pdf"

    int Resolution() const { return resolution_; }
    void SetResolution(int dpi) { resolution_ = dpi; }
    // The document information's creator.
    const QString& Creator() const { return creator_; }
    void SetCreator(const QString& c) { creator_ = c; }

    // The pages as PDF into an open device (the printer canvas and form pictures use it too).
    static void WritePdf(const TPreparedReport& report, QIODevice& out, int resolution, const QString& creator);

protected:
    void write(const TPreparedReport& report, QIODevice& out) override;

private:
    int resolution_ = 300;
    QString creator_;
};
