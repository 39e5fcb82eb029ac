#pragma once
// The grid's own stream of a block of cells (the clipboard's "application/x-extstringgrid-cells"):
// the block's place, size, column widths and row heights, then each cell that holds a text or a
// record, with its record and graphic (pictures as PNG), and an end record. Versioned and
// little-endian; texts are UTF-16 with their length.
//
// The stream comes back as foreign data: the reader checks every tag, count, index, range, span
// and picture against what the data holds, and reads the whole block before anyone uses it.
#include <QByteArray>
#include <QString>

#include <vector>

#include "grid/display/basegrid.h"
#include "grid/display/cellgraphic.h"
#include "platform/rtl/graphics.h"

// A cell's record as the stream carries it (not the application's object or control).
struct TGridStreamProps {
    TColor BrushColor = clNone;
    TColor BrushColorTo = clNone;
    TBrushStyle BrushStyle = bsSolid;
    int FontSize = 0;
    TColor FontColor = clNone;
    TFontStyles FontStyle = 0;
    QString FontName;
    // A merged area goes with its base cell: its extent less one (-1 outside a merge), inside
    // the block.
    int SpanX = -1;
    int SpanY = -1;
    int BorderWidth = 0;
    TColor BorderColor = 0;
    TAlignment Alignment = taLeftJustify;
    TVAlignment VAlignment = vtaTop;
    bool WordWrap = true;
    int FooterCalc = 0;
    int NodeLevel = 0;
    TEditorType Editor = edNormal;
    bool ReadOnly = false;
    bool HasGraphic = false;
    TCellGraphic Graphic;  // the settings and the kind's payloads
};

struct TGridStreamCell {
    int Col = 0;  // within the block
    int Row = 0;
    QString Text;
    bool HasProp = false;
    TGridStreamProps Props;
};

struct TGridCellBlock {
    int Left = 0;  // the block's place in its grid
    int Top = 0;
    int Cols = 0;
    int Rows = 0;
    // The block is the whole grid (or all of it past its fixed cells): it replaces a grid.
    bool FullGrid = false;
    int Id = 0;  // the source grid's identity in its process
    std::vector<int> Widths;
    std::vector<int> Heights;
    std::vector<TGridStreamCell> Cells;
};

// The kinds whose graphic carries an object of its own (a bitmap, an icon, captions, image
// indexes, a picture); such a graphic is carried only when the grid made its object.
bool GraphicCarriesObject(TCellType Kind);

// Writes the block; a graphic's objects by its kind.
QByteArray WriteGridCellStream(const TGridCellBlock& Block);

// Reads a whole stream; false (and the block is not to be used) for anything that is not exactly
// one block of this format and version.
bool ReadGridCellStream(const QByteArray& Data, TGridCellBlock& Block);
