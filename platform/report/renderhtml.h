#pragma once
// HTML files: one page after the other, each a sheet of the paper's size with its texts placed in
// millimetres, its lines and rectangles in an SVG layer and its pictures encoded as JPEG (libjpeg)
// inside the file, so that the page is one self-contained file.
#include "platform/report/reportrenderer.h"

class TRenderHTML : public TReportRenderer {
public:
    TRenderHTML();  // "Web Page (HTML)", "*.html;*.htm"

    int JpegQuality() const { return jpegQuality_; }
    void SetJpegQuality(int q) { jpegQuality_ = q; }

    // The whole document as HTML text.
    QString Html(const TPreparedReport& report) const;

protected:
    void write(const TPreparedReport& report, QIODevice& out) override;

private:
    int jpegQuality_ = 90;
};
