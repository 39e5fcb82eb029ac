#pragma once
// Plain text files: the texts of each page in lines and columns of a fixed character grid (10
// characters and 6 lines per inch unless set otherwise). Texts whose tops lie within half a line
// of each other share a line; a gap of 1.75 lines or more between lines leaves blank lines; each
// text starts at its column (right-aligned ones end there, and nothing overwrites the text before
// it). Lines, rectangles and pictures are left out. Lines end
// with "\n"; every page after the first starts with a form feed "\f". UTF-8.
#include "platform/report/reportrenderer.h"

class TRenderText : public TReportRenderer {
public:
    TRenderText();  // "Textdatei (TXT)", "*.txt"

    double CharsPerInch() const { return cpi_; }
    void SetCharsPerInch(double v) { cpi_ = v; }
    double LinesPerInch() const { return lpi_; }
    void SetLinesPerInch(double v) { lpi_ = v; }

    // The document as the file holds it.
    QString Text(const TPreparedReport& report) const;

protected:
    void write(const TPreparedReport& report, QIODevice& out) override;

private:
    double cpi_ = 10;
    double lpi_ = 6;
};
