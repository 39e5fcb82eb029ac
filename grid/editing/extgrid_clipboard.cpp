// TExtStringGrid, editing half: copy, cut and paste of blocks of cells, and the grid's own stream
// of cells with their records and graphics.
//
// A copy puts the block on the clipboard as text (what spreadsheet programs read), optionally
// the top-left cell's rich text, and optionally the grid's own stream. The stream is foreign data
// when it comes back: the reader checks every tag, count, index and size against what the data
// holds and reads the whole block before the grid is touched, so that a damaged or foreign stream
// pastes nothing. Pasted cells pass the same rules as pasted text: the paste events, and only
// cells that may be edited are written.
#include "grid/display/extgrid.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPoint>
#include <QRect>
#include <QTextDocument>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "grid/display/esghtmle.h"
#include "grid/display/extutil.h"
#include "grid/display/rtfreader.h"
#include "grid/editing/gridclipboard.h"
#include "platform/rtl/codepages.h"
#include "platform/rtl/sysutils.h"

namespace {

const QByteArray kMagic = QByteArrayLiteral("ESGCELLS");
constexpr quint16 kVersion = 1;
const QString kRtfMimeType = QStringLiteral("text/rtf");

enum : quint8 {
    tagHeader = 1,
    tagCell = 2,
    tagProps = 3,
    tagGraphic = 4,
    tagBitmap = 5,
    tagIcon = 6,
    tagStrings = 7,
    tagPicture = 8,
    tagFilePicture = 9,
    tagEnd = 0x7F
};

// No grid reaches these; a stream beyond them is refused before anything is made for it.
constexpr int kMaxExtent = 1 << 24;
constexpr int kMaxSize = 1 << 20;  // a column width, a row height, a font size
constexpr int kMaxFixed = 1 << 16;  // fixed rows or columns before a whole grid's block

// --- the stream's primitives: little-endian numbers, texts as UTF-16 with their length ----------

class StreamWriter {
public:
    void u8(quint8 v) { data.append(char(v)); }
    void u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        data.append(b, 4);
    }
    void i32(qint32 v) { u32(quint32(v)); }
    void f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        char b[8];
        qToLittleEndian(bits, b);
        data.append(b, 8);
    }
    void flag(bool v) { u8(v ? 1 : 0); }
    void str(const QString& s)
    {
        u32(quint32(s.size()));
        for (QChar c : s) {
            char b[2];
            qToLittleEndian(quint16(c.unicode()), b);
            data.append(b, 2);
        }
    }
    void bytes(const QByteArray& b)
    {
        u32(quint32(b.size()));
        data.append(b);
    }
    QByteArray data;
};

class StreamReader {
public:
    explicit StreamReader(const QByteArray& data) : d_(data) {}
    bool ok() const { return ok_; }
    void fail() { ok_ = false; }
    qsizetype left() const { return d_.size() - pos_; }
    bool need(qint64 n)
    {
        if (!ok_ || n < 0 || left() < n)
            ok_ = false;
        return ok_;
    }
    QByteArray raw(qsizetype n)
    {
        if (!need(n))
            return {};
        QByteArray b = d_.mid(pos_, n);
        pos_ += n;
        return b;
    }
    quint8 u8() { return need(1) ? quint8(d_[pos_++]) : 0; }
    quint32 u32()
    {
        if (!need(4))
            return 0;
        const quint32 v = qFromLittleEndian<quint32>(d_.constData() + pos_);
        pos_ += 4;
        return v;
    }
    qint32 i32() { return qint32(u32()); }
    double f64()
    {
        if (!need(8))
            return 0;
        const quint64 bits = qFromLittleEndian<quint64>(d_.constData() + pos_);
        pos_ += 8;
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v))
            ok_ = false;
        return v;
    }
    bool flag()
    {
        const quint8 v = u8();
        if (v > 1)
            ok_ = false;
        return v == 1;
    }
    int range(int lo, int hi)
    {
        const qint32 v = i32();
        if (v < lo || v > hi)
            ok_ = false;
        return v;
    }
    QString str()
    {
        const quint32 n = u32();
        if (!need(qint64(n) * 2))
            return {};
        QString s(qsizetype(n), Qt::Uninitialized);
        for (quint32 i = 0; i < n; ++i) {
            s[qsizetype(i)] = QChar(qFromLittleEndian<quint16>(d_.constData() + pos_));
            pos_ += 2;
        }
        return s;
    }
    QByteArray bytes() { return raw(qsizetype(u32())); }
    bool expect(quint8 tag)
    {
        if (u8() != tag)
            ok_ = false;
        return ok_;
    }

private:
    const QByteArray& d_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

// --- what a stream holds, read whole before the grid is touched ---------------------------------

struct GraphicData {
    TCellGraphic g;  // the settings and the kind's payloads
};

struct PropsData {
    TColor brushColor = clNone;
    TColor brushColorTo = clNone;
    TBrushStyle brushStyle = bsSolid;
    int fontSize = 0;
    TColor fontColor = clNone;
    TFontStyles fontStyle = 0;
    QString fontName;
    int spanX = -1;  // a merged area's base: its extent less one; -1 outside a merge
    int spanY = -1;
    int borderWidth = 0;
    TColor borderColor = 0;
    TAlignment alignment = taLeftJustify;
    TVAlignment vAlignment = vtaTop;
    bool wordWrap = true;
    int footerCalc = 0;
    int nodeLevel = 0;
    TEditorType editor = edNormal;
    bool readOnly = false;
    bool hasGraphic = false;
    GraphicData graphic;
};

struct CellData {
    int col = 0;  // within the block
    int row = 0;
    QString text;
    bool hasProp = false;
    PropsData props;
};

struct BlockData {
    int left = 0;  // the block's place in its grid
    int top = 0;
    int cols = 0;
    int rows = 0;
    bool full = false;
    int id = 0;
    std::vector<int> widths;
    std::vector<int> heights;
    std::vector<CellData> cells;
};

// The kinds whose graphic carries an object of its own.
bool carriesObject(TCellType t)
{
    switch (t) {
    case ctBitmap:
    case ctIcon:
    case ctRadio:
    case ctImages:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton: return true;
    default: return false;
    }
}

QByteArray pngOf(const QPixmap& p)
{
    QByteArray png;
    if (p.isNull())
        return png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    p.toImage().save(&buffer, "PNG");
    return png;
}

// An empty picture stays empty; anything else must decode as PNG.
bool pictureOf(const QByteArray& png, QPixmap& out)
{
    if (png.isEmpty()) {
        out = QPixmap();
        return true;
    }
    QImage image;
    if (!image.loadFromData(png, "PNG"))
        return false;
    out = QPixmap::fromImage(image);
    return true;
}

void writeGraphic(StreamWriter& w, const TCellGraphic& g)
{
    w.u8(tagGraphic);
    w.i32(int(g.CellType));
    w.i32(int(g.CellVAlign));
    w.i32(int(g.CellHAlign));
    w.i32(g.CellIndex);
    w.flag(g.CellTransparent);
    w.flag(g.CellCreated);
    w.flag(g.CellBoolean);
    w.i32(g.CellAngle);
    w.f64(g.CellValue);
    w.i32(g.RangeMin);
    w.i32(g.RangeMax);
    w.i32(g.CellErrFrom);
    w.i32(g.CellErrLen);
    w.str(g.CellText);
    // A number the kind keeps in its payload (a comment's colour, a group header's column).
    const int type = g.Payload.typeId();
    if (type == QMetaType::Int) {
        w.u8(1);
        w.i32(g.Payload.toInt());
    } else if (type == QMetaType::UInt) {
        w.u8(2);
        w.u32(g.Payload.toUInt());
    } else {
        w.u8(0);
    }
    switch (g.CellType) {
    case ctBitmap:
    case ctBitButton:
        w.u8(tagBitmap);
        w.bytes(pngOf(g.Picture));
        break;
    case ctIcon:
        w.u8(tagIcon);
        w.bytes(pngOf(g.Picture));
        break;
    case ctRadio:
        w.u8(tagStrings);
        w.u32(quint32(g.Options.size()));
        for (const QString& s : g.Options)
            w.str(s);
        break;
    case ctImages: {
        QStringList indexes;
        for (const QVariant& v : g.Payload.toList())
            indexes << QString::number(v.toInt());
        w.u8(tagStrings);
        w.u32(1);
        w.str(indexes.join(QLatin1Char(',')));
        break;
    }
    case ctPicture:
        w.u8(tagPicture);
        w.bytes(pngOf(g.Picture));
        break;
    case ctFilePicture:
        w.u8(tagFilePicture);
        w.str(g.Payload2.typeId() == QMetaType::QString ? g.Payload2.toString() : QString());
        w.bytes(pngOf(g.Picture));
        break;
    default: break;
    }
}

bool readGraphic(StreamReader& r, TCellGraphic& g)
{
    if (!r.expect(tagGraphic))
        return false;
    g.CellType = TCellType(r.range(ctBitmap, ctRangeIndicator));
    g.CellVAlign = TCellVAlign(r.range(vaTop, vaFull));
    g.CellHAlign = TCellHAlign(r.range(haLeft, haFull));
    g.CellIndex = r.i32();
    g.CellTransparent = r.flag();
    g.CellCreated = r.flag();
    g.CellBoolean = r.flag();
    g.CellAngle = r.i32();
    g.CellValue = r.f64();
    g.RangeMin = r.i32();
    g.RangeMax = r.i32();
    g.CellErrFrom = r.i32();
    g.CellErrLen = r.i32();
    g.CellText = r.str();
    switch (r.u8()) {
    case 0: break;
    case 1: g.Payload = int(r.i32()); break;
    case 2: g.Payload = uint(r.u32()); break;
    default: r.fail();
    }
    if (!r.ok())
        return false;
    switch (g.CellType) {
    case ctBitmap:
    case ctBitButton:
        if (!r.expect(tagBitmap) || !pictureOf(r.bytes(), g.Picture))
            return false;
        break;
    case ctIcon:
        if (!r.expect(tagIcon) || !pictureOf(r.bytes(), g.Picture))
            return false;
        break;
    case ctRadio: {
        if (!r.expect(tagStrings))
            return false;
        const quint32 n = r.u32();
        if (!r.need(qint64(n) * 4))  // each caption takes at least its length
            return false;
        for (quint32 i = 0; i < n && r.ok(); ++i)
            g.Options << r.str();
        break;
    }
    case ctImages: {
        if (!r.expect(tagStrings) || r.u32() != 1)
            return false;
        const QString text = r.str();
        QVariantList indexes;
        if (!text.isEmpty())
            for (const QString& part : text.split(QLatin1Char(','))) {
                bool ok = false;
                const int index = part.toInt(&ok);
                if (!ok)
                    return false;
                indexes << index;
            }
        g.Payload = indexes;
        break;
    }
    case ctPicture:
        if (!r.expect(tagPicture) || !pictureOf(r.bytes(), g.Picture))
            return false;
        break;
    case ctFilePicture: {
        if (!r.expect(tagFilePicture))
            return false;
        const QString name = r.str();
        if (!name.isEmpty())
            g.Payload2 = name;
        if (!pictureOf(r.bytes(), g.Picture))
            return false;
        break;
    }
    default: break;
    }
    return r.ok();
}

bool readProps(StreamReader& r, PropsData& p)
{
    if (!r.expect(tagProps))
        return false;
    p.brushColor = TColor(r.u32());
    p.brushColorTo = TColor(r.u32());
    p.brushStyle = TBrushStyle(r.range(bsSolid, bsDiagCross));
    p.fontSize = r.range(-kMaxSize, kMaxSize);
    p.fontColor = TColor(r.u32());
    p.fontStyle = TFontStyles(r.u32());
    p.fontName = r.str();
    p.spanX = r.range(-1, kMaxExtent);
    p.spanY = r.range(-1, kMaxExtent);
    p.borderWidth = r.range(0, kMaxSize);
    p.borderColor = TColor(r.u32());
    p.alignment = TAlignment(r.range(taLeftJustify, taCenter));
    p.vAlignment = TVAlignment(r.range(vtaTop, vtaBottom));
    p.wordWrap = r.flag();
    p.footerCalc = r.range(0, 255);
    p.nodeLevel = r.range(0, kMaxExtent);
    p.editor = TEditorType(r.range(edNormal, edUniEditBtn));
    p.readOnly = r.flag();
    p.hasGraphic = r.flag();
    if (!r.ok())
        return false;
    return !p.hasGraphic || readGraphic(r, p.graphic.g);
}

// Reads a whole stream; false for anything that is not one whole block of this format.
bool readBlock(const QByteArray& data, BlockData& b)
{
    StreamReader r(data);
    if (r.raw(kMagic.size()) != kMagic)
        return false;
    const quint8 v0 = r.u8();
    const quint8 v1 = r.u8();
    if (!r.ok() || quint16(v0 | (v1 << 8)) != kVersion || !r.expect(tagHeader))
        return false;
    b.left = r.range(0, kMaxExtent);
    b.top = r.range(0, kMaxExtent);
    b.cols = r.range(1, kMaxExtent);
    b.rows = r.range(1, kMaxExtent);
    b.full = r.flag();
    b.id = r.i32();
    // A whole grid's block starts at its corner or past its fixed cells, never far out.
    if (b.full && (b.left > kMaxFixed || b.top > kMaxFixed))
        return false;
    // Every width and height is in the data: the counts cannot promise more than it holds.
    if (!r.ok() || !r.need((qint64(b.cols) + b.rows) * 4))
        return false;
    b.widths.resize(size_t(b.cols));
    for (int& w : b.widths)
        w = r.range(0, kMaxSize);
    b.heights.resize(size_t(b.rows));
    for (int& h : b.heights)
        h = r.range(0, kMaxSize);
    while (r.ok()) {
        const quint8 tag = r.u8();
        if (!r.ok())
            return false;
        if (tag == tagEnd)
            return r.left() == 0;
        if (tag != tagCell)
            return false;
        CellData c;
        c.col = r.range(0, b.cols - 1);
        c.row = r.range(0, b.rows - 1);
        c.text = r.str();
        c.hasProp = r.flag();
        if (!r.ok() || (c.hasProp && !readProps(r, c.props)))
            return false;
        // A merged area stays inside its block.
        if (c.hasProp && (c.col + c.props.spanX >= b.cols || c.row + c.props.spanY >= b.rows))
            return false;
        b.cells.push_back(std::move(c));
    }
    return false;
}

std::vector<int> runOf(int first, int last)
{
    std::vector<int> v;
    for (int i = first; i <= last; ++i)
        v.push_back(i);
    return v;
}

bool contiguous(const std::vector<int>& v)
{
    return v.empty() || v.back() - v.front() + 1 == int(v.size());
}

QRect cellsRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(std::max(left, right), std::max(top, bottom)));
}

int nextGridId()
{
    static int last = 0;
    return ++last;
}

}  // namespace

// The steps of the clipboard that need the grid's own members.
struct TGridClipboard {
    static QByteArray encode(TExtStringGrid& g, const std::vector<int>& Cols, const std::vector<int>& Rows);
    static int place(TExtStringGrid& g, const TGridCoord& Pos, const BlockData& b);
    static void applyProps(TExtStringGrid& g, int RealCol, int ARow, const CellData& c);
};

int TExtStringGrid::GridId() const
{
    if (gridId_ == 0)
        gridId_ = nextGridId();
    return gridId_;
}

// --- writing -----------------------------------------------------------------------------------

QByteArray TGridClipboard::encode(TExtStringGrid& g, const std::vector<int>& Cols, const std::vector<int>& Rows)
{
    StreamWriter w;
    w.data.append(kMagic);
    w.u8(quint8(kVersion & 0xFF));
    w.u8(quint8(kVersion >> 8));
    w.u8(tagHeader);
    const int left = Cols.front();
    const int top = Rows.front();
    w.i32(left);
    w.i32(top);
    w.i32(int(Cols.size()));
    w.i32(int(Rows.size()));
    // The whole grid (or all of it past its fixed cells when those are not saved).
    const bool all = left == 0 && top == 0;
    const bool allData = !g.SaveFixedCells && left == g.FixedCols() && top == g.FixedRows();
    const bool full = contiguous(Cols) && contiguous(Rows) && (all || allData) && Cols.back() == g.ColCount() - 1 &&
                      Rows.back() == g.RowCount() - 1;
    w.flag(full);
    w.i32(g.GridId());
    for (int c : Cols)
        w.i32(g.ColWidths(c));
    for (int r : Rows)
        w.i32(g.RowHeights(r));
    // Merged areas go whole only within a block of adjacent cells.
    const bool keepMerges = contiguous(Cols) && contiguous(Rows);
    int lastProgress = -1;
    for (size_t j = 0; j < Rows.size(); ++j) {
        const int r = Rows[j];
        for (size_t i = 0; i < Cols.size(); ++i) {
            const int real = g.RealColIndex(Cols[i]);
            const QString& text = g.RawCellRef(real, r);
            const TCellProperties* p = g.FindCellProperties(real, r);
            if (text.isEmpty() && !p)
                continue;
            w.u8(tagCell);
            w.i32(int(i));
            w.i32(int(j));
            w.str(text);
            w.flag(p != nullptr);
            if (!p)
                continue;
            // A merge goes with its base cell, clipped to the block; the other cells of the
            // area are merged again when the base is pasted.
            int spanX = -1;
            int spanY = -1;
            if (keepMerges && p->IsBaseCell && (p->CellSpanX > 0 || p->CellSpanY > 0)) {
                spanX = std::min(std::max(p->CellSpanX, 0), int(Cols.size() - 1 - i));
                spanY = std::min(std::max(p->CellSpanY, 0), int(Rows.size() - 1 - j));
            }
            w.u8(tagProps);
            w.u32(p->BrushColor());
            w.u32(p->BrushColorTo());
            w.i32(int(p->BrushStyle));
            w.i32(p->FontSize);
            w.u32(p->FontColor);
            w.u32(p->FontStyle);
            w.str(p->FontName);
            w.i32(spanX);
            w.i32(spanY);
            w.i32(p->BorderWidth);
            w.u32(p->BorderColor);
            w.i32(int(p->Alignment));
            w.i32(int(p->VAlignment()));
            w.flag(p->WordWrap());
            w.i32(p->FooterCalc);
            w.i32(p->NodeLevel);
            w.i32(int(p->Editor));
            w.flag(p->ReadOnly);
            // An object the grid did not make itself belongs to the application: not carried.
            const TCellGraphic* graphic = p->Graphic.get();
            const bool carried = graphic && (!carriesObject(graphic->CellType) || graphic->CellCreated);
            w.flag(carried);
            if (carried)
                writeGraphic(w, *graphic);
        }
        if (g.OnFileProgress) {
            const int progress = int(std::lround(100.0 * double(j) / double(std::max<size_t>(1, Rows.size() - 1))));
            if (progress != lastProgress) {
                lastProgress = progress;
                g.OnFileProgress(&g, progress);
            }
        }
    }
    w.u8(tagEnd);
    return w.data;
}

void TExtStringGrid::SaveCellsToStream(const TGridRect& R, QIODevice& Stream)
{
    const int left = std::max(std::min(R.Left, R.Right), 0);
    const int right = std::min(std::max(R.Left, R.Right), ColCount() - 1);
    const int top = std::max(std::min(R.Top, R.Bottom), 0);
    const int bottom = std::min(std::max(R.Top, R.Bottom), RowCount() - 1);
    if (left > right || top > bottom)
        return;
    Stream.write(TGridClipboard::encode(*this, runOf(left, right), runOf(top, bottom)));
}

// --- placing a block ---------------------------------------------------------------------------

bool TExtStringGrid::pasteAllowed(int ACol, int ARow)
{
    return Navigation.AllowClipboardAlways || CellEditable(ACol, ARow);
}

bool TExtStringGrid::passPasteEvent(int ACol, int ARow, QString& Value)
{
    bool allow = true;
    const int real = RealColIndex(ACol);
    if (Value.startsWith(QLatin1String("|\\"))) {
        if (OnClipboardBeforePasteWideCell)
            OnClipboardBeforePasteWideCell(this, real, ARow, Value, allow);
    } else if (OnClipboardBeforePasteCell) {
        OnClipboardBeforePasteCell(this, real, ARow, Value, allow);
    }
    return allow;
}

int TExtStringGrid::growForPaste(int ACol, int ARow, int Cols, int Rows)
{
    if (ACol + Cols > ColCount() && Navigation.AllowClipboardColGrow)
        SetColCount(ACol + Cols);
    // New rows go before the footers.
    const int dataEnd = RowCount() - FixedFooters();
    if (ARow + Rows > dataEnd && Navigation.AllowClipboardRowGrow)
        InsertRows(dataEnd, ARow + Rows - dataEnd);
    return RowCount() - FixedFooters() - 1;  // the last row that takes pasted cells
}

void TGridClipboard::applyProps(TExtStringGrid& g, int RealCol, int ARow, const CellData& c)
{
    TCellProperties* p = g.CellProperties(RealCol, ARow);
    const PropsData& s = c.props;
    p->SetBrushColor(s.brushColor);
    p->SetBrushColorTo(s.brushColorTo);
    p->BrushStyle = s.brushStyle;
    p->FontSize = s.fontSize;
    p->FontColor = s.fontColor;
    p->FontStyle = s.fontStyle;
    p->FontName = s.fontName;
    p->BorderWidth = s.borderWidth;
    p->BorderColor = s.borderColor;
    p->Alignment = s.alignment;
    p->SetVAlignment(s.vAlignment);
    p->SetWordWrap(s.wordWrap);
    p->FooterCalc = s.footerCalc;
    p->NodeLevel = s.nodeLevel;
    p->Editor = s.editor;
    p->ReadOnly = s.readOnly;
    if (s.hasGraphic)
        p->Graphic = std::make_unique<TCellGraphic>(s.graphic.g);
    else
        p->Graphic.reset();
}

int TGridClipboard::place(TExtStringGrid& g, const TGridCoord& Pos, const BlockData& b)
{
    int originCol = Pos.X;
    int originRow = Pos.Y;
    int lastRow;
    if (b.full) {
        // The block is a whole grid: it replaces this one, which must let every cell go.
        if (!g.Navigation.AllowClipboardAlways) {
            for (int r = g.FixedRows(); r < g.RowCount() - g.FixedFooters(); ++r)
                for (int c = g.FixedCols(); c < g.ColCount() - g.FixedRightCols(); ++c)
                    if (!g.CellEditable(c, r))
                        return 0;
        }
        g.BeginUpdate();
        g.ClearAll();
        g.SetColCount(std::max(1, b.left + b.cols));
        g.SetRowCount(std::max(1, b.top + b.rows));
        for (int i = 0; i < b.cols; ++i)
            g.SetColWidths(b.left + i, b.widths[size_t(i)]);
        for (int j = 0; j < b.rows; ++j)
            g.SetRowHeights(b.top + j, b.heights[size_t(j)]);
        originCol = b.left;
        originRow = b.top;
        lastRow = g.RowCount() - 1;
    } else {
        if (originCol < 0 || originRow < 0 || originCol >= g.ColCount() || originRow >= g.RowCount())
            return 0;
        g.BeginUpdate();
        lastRow = g.growForPaste(originCol, originRow, b.cols, b.rows);
    }
    struct Merge {
        int col, row, spanX, spanY;
    };
    std::vector<Merge> merges;
    int written = 0;
    for (const CellData& c : b.cells) {
        const int col = originCol + c.col;
        const int row = originRow + c.row;
        if (col >= g.ColCount() || row > lastRow)
            continue;
        QString value = c.text;
        if (!g.passPasteEvent(col, row, value))
            continue;
        if (!b.full && !g.pasteAllowed(col, row))
            continue;
        const int real = g.RealColIndex(col);
        if (g.IsMergedCell(real, row))
            g.SplitCells(real, row);
        g.SetCellText(real, row, value);
        if (c.hasProp) {
            applyProps(g, real, row, c);
            if (c.props.spanX > 0 || c.props.spanY > 0)
                merges.push_back({real, row, c.props.spanX, c.props.spanY});
        }
        ++written;
    }
    for (const Merge& m : merges)
        g.MergeCells(m.col, m.row, m.spanX + 1, m.spanY + 1);
    g.EndUpdate();
    if (written == 0)
        return 0;
    g.CellsChanged(cellsRect(originCol, originRow, std::min(originCol + b.cols, g.ColCount()) - 1,
                             std::min(originRow + b.rows - 1, g.RowCount() - 1)));
    return b.cols * b.rows;
}

int TExtStringGrid::LoadCellsFromStream(const TGridCoord& Pos, QIODevice& Stream)
{
    BlockData b;
    if (!readBlock(Stream.readAll(), b))
        return 0;
    return TGridClipboard::place(*this, Pos, b);
}

int TExtStringGrid::PasteText(int ACol, int ARow, const QString& Text)
{
    const std::vector<QStringList> rows = ParseClipboardText(Text);
    if (rows.empty() || ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
        return 0;
    int width = 0;
    for (const QStringList& r : rows)
        width = std::max(width, int(r.size()));
    BeginUpdate();
    const int lastRow = growForPaste(ACol, ARow, width, int(rows.size()));
    int written = 0;
    for (size_t j = 0; j < rows.size(); ++j) {
        const int row = ARow + int(j);
        if (row > lastRow)
            break;
        for (int i = 0; i < int(rows[j].size()); ++i) {
            const int col = ACol + i;
            if (col >= ColCount())
                break;
            QString value = rows[j][i];
            if (!passPasteEvent(col, row, value) || !pasteAllowed(col, row))
                continue;
            const int real = RealColIndex(col);
            SetCellText(real, row, value);
            ++written;
        }
    }
    EndUpdate();
    if (written > 0)
        CellsChanged(cellsRect(ACol, ARow, std::min(ACol + width, ColCount()) - 1,
                               std::min(ARow + int(rows.size()) - 1, RowCount() - 1)));
    return written;
}

// --- the clipboard -------------------------------------------------------------------------------

TGridRect TExtStringGrid::extendOverMerges(TGridRect R)
{
    // Merged areas that start inside the block are taken whole; an area taken in may start
    // others, so the walk repeats until the block stays.
    bool grown = true;
    while (grown) {
        grown = false;
        for (int r = R.Top; r <= R.Bottom; ++r)
            for (int c = R.Left; c <= R.Right; ++c) {
                const TCellProperties* p = FindCellProperties(c, r);
                if (!p || !p->IsBaseCell || (p->CellSpanX <= 0 && p->CellSpanY <= 0))
                    continue;
                const int right = std::min(c + std::max(p->CellSpanX, 0), ColCount() - 1);
                const int bottom = std::min(r + std::max(p->CellSpanY, 0), RowCount() - 1);
                if (right > R.Right || bottom > R.Bottom) {
                    R.Right = std::max(R.Right, right);
                    R.Bottom = std::max(R.Bottom, bottom);
                    grown = true;
                }
            }
    }
    return R;
}

QString TExtStringGrid::ClipboardText(const TGridRect& R)
{
    QString out;
    for (int r = R.Top; r <= R.Bottom; ++r) {
        if (r > R.Top)
            out += QLatin1String("\r\n");
        for (int c = R.Left; c <= R.Right; ++c) {
            if (c > R.Left)
                out += QLatin1Char('\t');
            QString text = GetFormattedText(RealColIndex(c), r);
            if (text.contains(QLatin1String("</")) && !Navigation.CopyHTMLTagsToClipboard)
                text = StripHTML(text);
            else if (text.contains(QLatin1String("{\\")))
                text = RichTextDocument(text, font())->toPlainText();
            out += ClipboardCellText(text, QuoteMultiLineCells && Multilinecells);
        }
    }
    return out;
}

namespace {

// The rows and columns a copy or cut takes: the flagged ones with disjunct selection, else those
// of the selection.
void selectedLines(TExtStringGrid& g, const TGridRect& s, std::vector<int>& cols, std::vector<int>& rows)
{
    cols.clear();
    rows.clear();
    if (g.MouseActions.DisjunctColSelect) {
        for (int c = g.FixedCols(); c < g.ColCount(); ++c)
            if (g.GetColSelect(c))
                cols.push_back(c);
    } else {
        cols = runOf(s.Left, s.Right);
    }
    if (g.MouseActions.DisjunctRowSelect) {
        for (int r = g.FixedRows(); r < g.RowCount(); ++r)
            if (g.GetRowSelect(g.MouseActions.RowSelectPersistent ? g.RealRowIndex(r) : r))
                rows.push_back(r);
    } else {
        rows = runOf(s.Top, s.Bottom);
    }
}

}  // namespace

void TExtStringGrid::copyBlock(const std::vector<int>& Cols, const std::vector<int>& Rows)
{
    QString text;
    for (size_t j = 0; j < Rows.size(); ++j) {
        if (j > 0)
            text += QLatin1String("\r\n");
        for (size_t i = 0; i < Cols.size(); ++i) {
            if (i > 0)
                text += QLatin1Char('\t');
            const TGridRect one{Cols[i], Rows[j], Cols[i], Rows[j]};
            text += ClipboardText(one);
        }
    }
    auto* mime = new QMimeData;
    mime->setText(text);
    if (Navigation.AllowRTFClipboard) {
        const QString rtf = GetCellText(RealColIndex(Cols.front()), Rows.front());
        if (rtf.contains(QLatin1String("{\\")))
            mime->setData(kRtfMimeType, EncodeWindows1252(rtf));
    }
    if (Navigation.AllowFmtClipboard)
        mime->setData(QString::fromLatin1(kGridCellsMimeType), TGridClipboard::encode(*this, Cols, Rows));
    QGuiApplication::clipboard()->setMimeData(mime);
    ownCellsOnClipboard_ = true;
}

void TExtStringGrid::CopySelectionToClipboard()
{
    const TGridRect s = extendOverMerges(Selection());
    if (!(s == Selection()))
        SetSelection(s);
    std::vector<int> cols;
    std::vector<int> rows;
    selectedLines(*this, s, cols, rows);
    if (cols.empty() || rows.empty())
        return;
    copyBlock(cols, rows);
}

void TExtStringGrid::CutSelectionToClipboard()
{
    CopySelectionToClipboard();
    std::vector<int> cols;
    std::vector<int> rows;
    selectedLines(*this, Selection(), cols, rows);
    // Only cells that may be edited are emptied, and only theirs are the records that go.
    QRect changed;
    BeginUpdate();
    for (int r : rows)
        for (int c : cols) {
            if (!pasteAllowed(c, r))
                continue;
            const int real = RealColIndex(c);
            if (Navigation.AllowFmtClipboard && HasCellProperties(real, r))
                FreeCellObject(real, r);
            if (!RawCellRef(real, r).isEmpty())
                SetCellText(real, r, QString());
            changed |= cellsRect(c, r, c, r);
        }
    EndUpdate();
    ownCellsOnClipboard_ = false;
    if (HiddenColCount() > 0)
        repaintGrid();
    if (!changed.isEmpty())
        CellsChanged(changed);
}

void TExtStringGrid::CopyRTFToClipboard(int ACol, int ARow)
{
    const QString rtf = GetCellText(ACol, ARow);
    if (!rtf.contains(QLatin1String("{\\")))
        return;
    auto* mime = new QMimeData;
    mime->setData(kRtfMimeType, EncodeWindows1252(rtf));
    QGuiApplication::clipboard()->setMimeData(mime);
}

int TExtStringGrid::PasteAt(int ACol, int ARow)
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return 0;
    const QString own = QString::fromLatin1(kGridCellsMimeType);
    if (Navigation.AllowFmtClipboard && mime->hasFormat(own)) {
        BlockData b;
        if (!readBlock(mime->data(own), b))
            return 0;
        return TGridClipboard::place(*this, TGridCoord{ACol, ARow}, b);
    }
    if (Navigation.AllowRTFClipboard && mime->hasFormat(kRtfMimeType)) {
        QString value = DecodeWindows1252(mime->data(kRtfMimeType));
        if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
            return 0;
        if (!passPasteEvent(ACol, ARow, value) || !pasteAllowed(ACol, ARow))
            return 0;
        SetCellText(RealColIndex(ACol), ARow, value);
        CellsChanged(cellsRect(ACol, ARow, ACol, ARow));
        return 1;
    }
    if (!mime->hasText())
        return 0;
    return PasteText(ACol, ARow, mime->text());
}

void TExtStringGrid::PasteFromClipboard()
{
    const TGridRect s = extendOverMerges(Selection());
    if (!(s == Selection()))
        SetSelection(s);
    const int col = (Options() & goRowSelect) ? TCustomGrid::FixedCols() : s.Left;
    const int pasted = PasteAt(col, s.Top);
    if (!Navigation.AllowSmartClipboard || pasted == 0)
        return;
    const int cells = (s.Right - s.Left + 1) * (s.Bottom - s.Top + 1);
    if (cells > pasted)
        fillSelection(s, pasted);
}

void TExtStringGrid::fillSelection(const TGridRect& S, int Pasted)
{
    auto put = [this](int c, int r, QString value) {
        if (passPasteEvent(c, r, value) && pasteAllowed(c, r))
            SetCellText(RealColIndex(c), r, value);
    };
    BeginUpdate();
    if (Pasted == 1) {
        // One value: every other cell of the selection gets it.
        const QString value = GetRawCell(RealColIndex(S.Left), S.Top);
        for (int r = S.Top; r <= S.Bottom; ++r)
            for (int c = S.Left; c <= S.Right; ++c)
                if (c != S.Left || r != S.Top)
                    put(c, r, value);
        EndUpdate();
        CellsChanged(cellsRect(S.Left, S.Top, S.Right, S.Bottom));
        return;
    }
    const bool oneCol = S.Left == S.Right;
    if (!oneCol && S.Top != S.Bottom) {
        EndUpdate();
        return;
    }
    const int n = oneCol ? S.Bottom - S.Top + 1 : S.Right - S.Left + 1;
    auto colOf = [&](int k) { return oneCol ? S.Left : S.Left + k; };
    auto rowOf = [&](int k) { return oneCol ? S.Top + k : S.Top; };
    auto textOf = [&](int k) { return GetRawCell(RealColIndex(colOf(k)), rowOf(k)); };
    const QString first = textOf(0);
    const QString second = textOf(1);
    const TFormatSettings& fs = FormatSettings();
    std::vector<QString> values(static_cast<size_t>(n));
    // Texts that are no series repeat the pasted ones.
    for (int k = Pasted; k < n; ++k)
        values[size_t(k)] = textOf(k % Pasted);
    const bool firstDate = DateSeparatorCount(first);
    const bool firstTime = first.contains(fs.TimeSeparator);
    const bool secondDateOrTime = DateSeparatorCount(second) || second.contains(fs.TimeSeparator);
    TDateTime d1 = 0;
    TDateTime d2 = 0;
    if (((firstDate && secondDateOrTime) || firstTime) && TryStrToDateTime(first, d1) && TryStrToDateTime(second, d2)) {
        const double step = d2 - d1;
        int y1, m1, dd1, y2, m2, dd2;
        DecodeDate(d1, y1, m1, dd1);
        DecodeDate(d2, y2, m2, dd2);
        const bool wholeDays = std::fabs(step - std::round(step)) < 1e-9;
        const bool asDate = first.contains(fs.DateSeparator);
        TDateTime value = d2;
        for (int k = 2; k < n; ++k) {
            // Whole days step by the calendar (a month or a year at a time where the two values
            // differ by just that); anything finer steps by the difference.
            value = wholeDays ? IncDatePart(y2 - y1, m2 - m1, dd2 - dd1, int(std::lround(step)), value) : d1 + k * step;
            if (k >= Pasted)
                values[size_t(k)] = asDate ? DateToStr(value) : TimeToStr(value);
        }
    } else if (!first.contains(fs.DecimalSeparator) && !second.contains(fs.DecimalSeparator)) {
        int64_t a = 0;
        int64_t b = 0;
        if (TryStrToInt64(first.trimmed(), a) && TryStrToInt64(second.trimmed(), b))
            for (int k = Pasted; k < n; ++k)
                values[size_t(k)] = QString::number(a + int64_t(k) * (b - a));
    } else {
        double a = 0;
        double b = 0;
        if (TryStrToFloat(first.trimmed(), a, fs) && TryStrToFloat(second.trimmed(), b, fs))
            for (int k = Pasted; k < n; ++k)
                values[size_t(k)] = Format(FloatFormat, {a + k * (b - a)});
    }
    for (int k = Pasted; k < n; ++k)
        put(colOf(k), rowOf(k), values[size_t(k)]);
    EndUpdate();
    CellsChanged(cellsRect(S.Left, S.Top, S.Right, S.Bottom));
}
