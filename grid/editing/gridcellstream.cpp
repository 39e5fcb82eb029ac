#include "grid/editing/gridcellstream.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {

const QByteArray kMagic = QByteArrayLiteral("ESGCELLS");
constexpr quint16 kVersion = 1;

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

// The kinds whose graphic carries an object of its own.
}  // namespace

bool GraphicCarriesObject(TCellType t)
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

namespace {

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

bool readProps(StreamReader& r, TGridStreamProps& p)
{
    if (!r.expect(tagProps))
        return false;
    p.BrushColor = TColor(r.u32());
    p.BrushColorTo = TColor(r.u32());
    p.BrushStyle = TBrushStyle(r.range(bsSolid, bsDiagCross));
    p.FontSize = r.range(-kMaxSize, kMaxSize);
    p.FontColor = TColor(r.u32());
    p.FontStyle = TFontStyles(r.u32());
    p.FontName = r.str();
    p.SpanX = r.range(-1, kMaxExtent);
    p.SpanY = r.range(-1, kMaxExtent);
    p.BorderWidth = r.range(0, kMaxSize);
    p.BorderColor = TColor(r.u32());
    p.Alignment = TAlignment(r.range(taLeftJustify, taCenter));
    p.VAlignment = TVAlignment(r.range(vtaTop, vtaBottom));
    p.WordWrap = r.flag();
    p.FooterCalc = r.range(0, 255);
    p.NodeLevel = r.range(0, kMaxExtent);
    p.Editor = TEditorType(r.range(edNormal, edUniEditBtn));
    p.ReadOnly = r.flag();
    p.HasGraphic = r.flag();
    if (!r.ok())
        return false;
    return !p.HasGraphic || readGraphic(r, p.Graphic);
}

// Reads a whole stream; false for anything that is not one whole block of this format.
}  // namespace

bool ReadGridCellStream(const QByteArray& data, TGridCellBlock& b)
{
    StreamReader r(data);
    if (r.raw(kMagic.size()) != kMagic)
        return false;
    const quint8 v0 = r.u8();
    const quint8 v1 = r.u8();
    if (!r.ok() || quint16(v0 | (v1 << 8)) != kVersion || !r.expect(tagHeader))
        return false;
    b.Left = r.range(0, kMaxExtent);
    b.Top = r.range(0, kMaxExtent);
    b.Cols = r.range(1, kMaxExtent);
    b.Rows = r.range(1, kMaxExtent);
    b.FullGrid = r.flag();
    b.Id = r.i32();
    // A whole grid's block starts at its corner or past its fixed cells, never far out.
    if (b.FullGrid && (b.Left > kMaxFixed || b.Top > kMaxFixed))
        return false;
    // Every width and height is in the data: the counts cannot promise more than it holds.
    if (!r.ok() || !r.need((qint64(b.Cols) + b.Rows) * 4))
        return false;
    b.Widths.resize(size_t(b.Cols));
    for (int& w : b.Widths)
        w = r.range(0, kMaxSize);
    b.Heights.resize(size_t(b.Rows));
    for (int& h : b.Heights)
        h = r.range(0, kMaxSize);
    while (r.ok()) {
        const quint8 tag = r.u8();
        if (!r.ok())
            return false;
        if (tag == tagEnd)
            return r.left() == 0;
        if (tag != tagCell)
            return false;
        TGridStreamCell c;
        c.Col = r.range(0, b.Cols - 1);
        c.Row = r.range(0, b.Rows - 1);
        c.Text = r.str();
        c.HasProp = r.flag();
        if (!r.ok() || (c.HasProp && !readProps(r, c.Props)))
            return false;
        // A merged area stays inside its block.
        if (c.HasProp && (c.Col + c.Props.SpanX >= b.Cols || c.Row + c.Props.SpanY >= b.Rows))
            return false;
        b.Cells.push_back(std::move(c));
    }
    return false;
}


namespace {

void writeProps(StreamWriter& w, const TGridStreamProps& p)
{
    w.u8(tagProps);
    w.u32(p.BrushColor);
    w.u32(p.BrushColorTo);
    w.i32(int(p.BrushStyle));
    w.i32(p.FontSize);
    w.u32(p.FontColor);
    w.u32(p.FontStyle);
    w.str(p.FontName);
    w.i32(p.SpanX);
    w.i32(p.SpanY);
    w.i32(p.BorderWidth);
    w.u32(p.BorderColor);
    w.i32(int(p.Alignment));
    w.i32(int(p.VAlignment));
    w.flag(p.WordWrap);
    w.i32(p.FooterCalc);
    w.i32(p.NodeLevel);
    w.i32(int(p.Editor));
    w.flag(p.ReadOnly);
    w.flag(p.HasGraphic);
    if (p.HasGraphic)
        writeGraphic(w, p.Graphic);
}

}  // namespace

QByteArray WriteGridCellStream(const TGridCellBlock& b)
{
    StreamWriter w;
    w.data.append(kMagic);
    w.u8(quint8(kVersion & 0xFF));
    w.u8(quint8(kVersion >> 8));
    w.u8(tagHeader);
    w.i32(b.Left);
    w.i32(b.Top);
    w.i32(b.Cols);
    w.i32(b.Rows);
    w.flag(b.FullGrid);
    w.i32(b.Id);
    for (int width : b.Widths)
        w.i32(width);
    for (int height : b.Heights)
        w.i32(height);
    for (const TGridStreamCell& c : b.Cells) {
        w.u8(tagCell);
        w.i32(c.Col);
        w.i32(c.Row);
        w.str(c.Text);
        w.flag(c.HasProp);
        if (c.HasProp)
            writeProps(w, c.Props);
    }
    w.u8(tagEnd);
    return w.data;
}
