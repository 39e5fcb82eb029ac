#pragma once
// The grid tests' text measurer: 7 pixels a character and 16 a line, whatever the font, so that
// figures do not depend on the fonts installed. The grid tests' start-up installs it for every
// test; ScopedTextMeasurer installs another one for a block.
#include "grid/display/gridcanvas.h"

class FixedPitchMeasurer : public TGridTextMeasurer {
public:
    static constexpr int CharWidth = 7;
    static constexpr int LineHeightPx = 16;
    int TextWidth(const QFont&, const QString& text) const override { return CharWidth * int(text.size()); }
    int LineHeight(const QFont&) const override { return LineHeightPx; }
};

// The measurer installed in the grid test program.
const FixedPitchMeasurer& TestMeasurer();

class ScopedTextMeasurer {
public:
    explicit ScopedTextMeasurer(const TGridTextMeasurer* m) : saved_(&GridTextMeasurer()) { SetGridTextMeasurer(m); }
    ~ScopedTextMeasurer() { SetGridTextMeasurer(saved_); }
    ScopedTextMeasurer(const ScopedTextMeasurer&) = delete;
    ScopedTextMeasurer& operator=(const ScopedTextMeasurer&) = delete;

private:
    const TGridTextMeasurer* saved_;
};
