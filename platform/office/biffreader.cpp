#include "platform/office/biffreader.h"

#include <QHash>
#include <QVector>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/office/compoundfile.h"
#include "platform/office/numberformat.h"
#include "platform/office/officemessages.h"

namespace {

// Record types.
constexpr quint16 kFormula = 0x0006, kEof = 0x000A, kDateMode = 0x0022, kFilePass = 0x002F, kContinue = 0x003C,
                  kWindow1 = 0x003D,
                  kBoundSheet = 0x0085, kMulRk = 0x00BD, kRString = 0x00D6, kXf = 0x00E0, kSst = 0x00FC,
                  kLabelSst = 0x00FD, kNumber = 0x0203, kLabel = 0x0204, kBoolErr = 0x0205, kString = 0x0207,
                  kRk = 0x027E, kFormat = 0x041E, kBof = 0x0809;

// Thrown when the records do not add up; the file then goes to the other reader.
struct NotUnderstood {};

quint16 u16(const char* p)
{
    quint16 v;
    std::memcpy(&v, p, 2);
    return qFromLittleEndian(v);
}

quint32 u32(const char* p)
{
    quint32 v;
    std::memcpy(&v, p, 4);
    return qFromLittleEndian(v);
}

double f64(const char* p)
{
    quint64 v;
    std::memcpy(&v, p, 8);
    v = qFromLittleEndian(v);
    double d;
    std::memcpy(&d, &v, 8);
    return d;
}

// The number packed into an RK value: a 30-bit integer or the high 30 bits of a double,
// either of them possibly multiplied by 100.
double rkValue(quint32 rk)
{
    double v;
    if (rk & 2) {
        v = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&v, &bits, 8);
    }
    return (rk & 1) ? v / 100 : v;
}

struct Record {
    quint16 type = 0;
    const char* data = nullptr;
    quint16 size = 0;
};

class RecordStream {
public:
    explicit RecordStream(const QByteArray& s) : s_(s) {}
    void Seek(qsizetype at)
    {
        if (at < 0 || at > s_.size())
            throw NotUnderstood();
        at_ = at;
    }
    bool Next(Record& r)
    {
        if (at_ + 4 > s_.size())
            return false;
        r.type = u16(s_.constData() + at_);
        r.size = u16(s_.constData() + at_ + 2);
        if (at_ + 4 + r.size > s_.size())
            throw NotUnderstood();
        r.data = s_.constData() + at_ + 4;
        at_ += 4 + r.size;
        return true;
    }
    // The type of the next record without reading it; 0 at the end.
    quint16 PeekType() const { return at_ + 4 <= s_.size() ? u16(s_.constData() + at_) : 0; }

private:
    const QByteArray& s_;
    qsizetype at_ = 0;
};

void need(const Record& r, int bytes)
{
    if (r.size < bytes)
        throw NotUnderstood();
}

// Characters of a string: one byte each (Latin-1) or two (UTF-16).
QString chars(const char* p, const char* end, int count, bool wide)
{
    if (count < 0 || p + qsizetype(count) * (wide ? 2 : 1) > end)
        throw NotUnderstood();
    if (!wide)
        return QString::fromLatin1(p, count);
    QString s(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i)
        s[i] = QChar(u16(p + 2 * i));
    return s;
}

// A string of a cell record or a format: length (16 bits), flags, optional run and extension
// counts, characters.
QString unicodeString(const char* p, const char* end)
{
    if (p + 3 > end)
        throw NotUnderstood();
    const int count = u16(p);
    const quint8 flags = quint8(p[2]);
    p += 3;
    if (flags & 0x08)
        p += 2;
    if (flags & 0x04)
        p += 4;
    return chars(p, end, count, flags & 1);
}

// The shared string table runs on into CONTINUE records; a string whose characters are split
// carries a fresh flags byte at the start of the next piece.
class SegmentedReader {
public:
    void Add(const char* data, quint16 size)
    {
        if (size > 0)
            segments_.append({data, size});
    }
    quint8 U8()
    {
        ensure();
        return quint8(segments_[seg_].first[at_++]);
    }
    quint16 U16()
    {
        const quint16 lo = U8();
        return quint16(lo | (quint16(U8()) << 8));
    }
    quint32 U32()
    {
        const quint32 lo = U16();
        return lo | (quint32(U16()) << 16);
    }
    void Skip(quint64 n)
    {
        while (n > 0) {
            ensure();
            const quint64 step = std::min<quint64>(n, quint64(segments_[seg_].second - at_));
            at_ += int(step);
            n -= step;
        }
    }
    QString Chars(int count, bool wide)
    {
        QString s;
        s.reserve(count);
        while (count > 0) {
            if (at_ >= segments_.value(seg_).second) {
                // The characters go on in the next piece, which starts with their flags.
                nextSegment();
                wide = quint8(segments_[seg_].first[at_++]) & 1;
            }
            const auto& [data, size] = segments_[seg_];
            const int available = (size - at_) / (wide ? 2 : 1);
            const int n = std::min(count, available);
            if (n <= 0)
                throw NotUnderstood();
            s += chars(data + at_, data + size, n, wide);
            at_ += n * (wide ? 2 : 1);
            count -= n;
        }
        return s;
    }

private:
    void ensure()
    {
        while (seg_ < segments_.size() && at_ >= segments_[seg_].second)
            nextSegment();
        if (seg_ >= segments_.size())
            throw NotUnderstood();
    }
    void nextSegment()
    {
        ++seg_;
        at_ = 0;
        if (seg_ >= segments_.size())
            throw NotUnderstood();
    }

    QVector<QPair<const char*, int>> segments_;
    qsizetype seg_ = 0;
    int at_ = 0;
};

QVector<QString> readSst(SegmentedReader& in, const Record& sst)
{
    need(sst, 8);
    const quint32 unique = u32(sst.data + 4);
    QVector<QString> strings;
    // The count comes from the file: it only sizes the reservation as far as the data allows.
    strings.reserve(qsizetype(std::min<quint32>(unique, 1u << 20)));
    in.Skip(8);
    for (quint32 i = 0; i < unique; ++i) {
        const int count = in.U16();
        const quint8 flags = in.U8();
        const quint16 runs = (flags & 0x08) ? in.U16() : 0;
        const quint32 ext = (flags & 0x04) ? in.U32() : 0;
        strings.append(in.Chars(count, flags & 1));
        in.Skip(quint64(runs) * 4 + ext);
    }
    return strings;
}

struct Globals {
    bool date1904 = false;
    QHash<int, NumberFormatKind> formats;  // custom formats by number
    QVector<NumberFormatKind> xfKinds;     // by cell format index
    QVector<QString> strings;
    struct Sheet {
        QString name;
        quint32 offset;
    };
    QVector<Sheet> sheets;
    int boundSheets = 0;     // every sheet the workbook lists, charts and macro sheets too
    int activeTab = 0;       // the sheet on top, counted among all of them
    QVector<int> tabOfSheet;  // the tab of each worksheet in sheets
};

TableValue numberValue(const Globals& g, quint16 xf, double v)
{
    // Cells hold no infinities or NaNs; bytes that read as one come from a damaged record.
    if (!std::isfinite(v))
        throw NotUnderstood();
    const NumberFormatKind kind = xf < g.xfKinds.size() ? g.xfKinds[xf] : NumberFormatKind::Number;
    if (kind == NumberFormatKind::Number || !IsDateTimeSerial(v))
        return TableValue::FromNumber(v);
    return TableValue::FromDateTime(SerialToDateTime(v, kind, g.date1904));
}

void readSheet(RecordStream& in, const Globals& g, SheetData& sheet)
{
    Record r;
    if (!in.Next(r) || r.type != kBof)
        throw NotUnderstood();
    int depth = 1;  // charts embedded in a sheet bring substreams of their own
    while (depth > 0) {
        if (!in.Next(r))
            throw NotUnderstood();
        if (r.type == kBof) {
            ++depth;
            continue;
        }
        if (r.type == kEof) {
            --depth;
            continue;
        }
        if (depth > 1)
            continue;
        const char* end = r.data + r.size;
        switch (r.type) {
        case kLabelSst: {
            need(r, 10);
            const quint32 index = u32(r.data + 6);
            if (index >= quint32(g.strings.size()))
                throw NotUnderstood();
            if (!g.strings[index].isEmpty())
                sheet.SetCell(u16(r.data), u16(r.data + 2), TableValue::FromText(g.strings[index]));
            break;
        }
        case kNumber:
            need(r, 14);
            sheet.SetCell(u16(r.data), u16(r.data + 2), numberValue(g, u16(r.data + 4), f64(r.data + 6)));
            break;
        case kRk:
            need(r, 10);
            sheet.SetCell(u16(r.data), u16(r.data + 2), numberValue(g, u16(r.data + 4), rkValue(u32(r.data + 6))));
            break;
        case kMulRk: {
            need(r, 6);
            const int row = u16(r.data);
            const int first = u16(r.data + 2);
            const int count = (r.size - 6) / 6;
            for (int i = 0; i < count; ++i) {
                const char* p = r.data + 4 + 6 * i;
                sheet.SetCell(row, first + i, numberValue(g, u16(p), rkValue(u32(p + 2))));
            }
            break;
        }
        case kLabel:
        case kRString: {
            need(r, 9);
            const QString text = unicodeString(r.data + 6, end);
            if (!text.isEmpty())
                sheet.SetCell(u16(r.data), u16(r.data + 2), TableValue::FromText(text));
            break;
        }
        case kBoolErr:
            need(r, 8);
            if (r.data[7] == 0)  // an error value reads as empty
                sheet.SetCell(u16(r.data), u16(r.data + 2), TableValue::FromNumber(r.data[6] ? 1 : 0));
            break;
        case kFormula: {
            need(r, 14);
            const int row = u16(r.data);
            const int column = u16(r.data + 2);
            const char* result = r.data + 6;
            if (quint8(result[6]) != 0xFF || quint8(result[7]) != 0xFF) {
                sheet.SetCell(row, column, numberValue(g, u16(r.data + 4), f64(result)));
            } else if (result[0] == 0) {
                // A text result follows in a STRING record.
                Record text;
                if (in.PeekType() == kString && in.Next(text)) {
                    const QString s = unicodeString(text.data, text.data + text.size);
                    if (!s.isEmpty())
                        sheet.SetCell(row, column, TableValue::FromText(s));
                }
            } else if (result[0] == 1) {
                sheet.SetCell(row, column, TableValue::FromNumber(result[2] ? 1 : 0));
            }
            break;
        }
        default:
            break;
        }
    }
}

}  // namespace

std::optional<OfficeResult<SheetBook>> BiffReader::Read(const QString& fileName, const QByteArray& file)
{
    CompoundFile cf;
    QByteArray stream;
    if (!cf.Open(file) || !cf.ReadStream(QStringLiteral("Workbook"), stream))
        return std::nullopt;
    try {
        RecordStream in(stream);
        Record r;
        // Only BIFF8 workbook globals are read here.
        if (!in.Next(r) || r.type != kBof || r.size < 4 || u16(r.data) != 0x0600 || u16(r.data + 2) != 0x0005)
            return std::nullopt;
        Globals g;
        QVector<quint16> xfFormats;
        for (;;) {
            if (!in.Next(r))
                return std::nullopt;
            if (r.type == kEof)
                break;
            const char* end = r.data + r.size;
            switch (r.type) {
            case kFilePass:
                return OfficeResult<SheetBook>(OfficeError{OfficeMessages::Protected(fileName), {}});
            case kDateMode:
                need(r, 2);
                g.date1904 = u16(r.data) == 1;
                break;
            case kFormat:
                need(r, 5);
                g.formats.insert(u16(r.data), ClassifyNumberFormat(unicodeString(r.data + 2, end)));
                break;
            case kXf:
                need(r, 4);
                xfFormats.append(u16(r.data + 2));
                break;
            case kBoundSheet: {
                need(r, 8);
                const int count = quint8(r.data[6]);
                const bool wide = r.data[7] & 1;
                const QString name = chars(r.data + 8, end, count, wide);
                if (quint8(r.data[5]) == 0) {  // worksheets; charts and macro sheets hold no table
                    g.sheets.append({name, u32(r.data)});
                    g.tabOfSheet.append(g.boundSheets);
                }
                ++g.boundSheets;
                break;
            }
            case kWindow1: {
                // The workbook window's selected tab.
                if (r.size >= 12)
                    g.activeTab = u16(r.data + 10);
                break;
            }
            case kSst: {
                SegmentedReader sst;
                sst.Add(r.data, r.size);
                while (in.PeekType() == kContinue) {
                    Record c;
                    in.Next(c);
                    sst.Add(c.data, c.size);
                }
                g.strings = readSst(sst, r);
                break;
            }
            default:
                break;
            }
        }
        g.xfKinds.reserve(xfFormats.size());
        for (quint16 f : xfFormats)
            g.xfKinds.append(g.formats.value(f, ClassifyBuiltinNumberFormat(f)));

        SheetBook book;
        book.date1904 = g.date1904;
        book.activeSheet = std::max(0, int(g.tabOfSheet.indexOf(g.activeTab)));
        for (const Globals::Sheet& s : g.sheets) {
            SheetData sheet(s.name);
            in.Seek(qsizetype(s.offset));
            readSheet(in, g, sheet);
            book.sheets.append(std::move(sheet));
        }
        return OfficeResult<SheetBook>(std::move(book));
    } catch (const NotUnderstood&) {
        return std::nullopt;
    }
}
