#include "jetwriter.h"

#include <QFile>

#include <cstring>

namespace {

constexpr int kPage = 4096;
constexpr int kDataHeader = 14;   // type, flags, free space, owner, unknown, row count
constexpr int kTdefColumns = 63;  // start of the column entries in a table definition
constexpr int kColumnEntry = 25;

void put16(QByteArray& b, int at, int v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char((v >> 8) & 0xFF);
}

void put32(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

void append16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

bool isFixed(JetType t)
{
    return t != JetType::Text && t != JetType::Memo && t != JetType::Ole;
}

int fixedSize(JetType t)
{
    switch (t) {
    case JetType::Byte: return 1;
    case JetType::Integer: return 2;
    case JetType::Long: return 4;
    case JetType::Single: return 4;
    case JetType::Double:
    case JetType::DateTime: return 8;
    default: return 0;
    }
}

// A text as Jet 4 stores it: compressed (the marker FF FE, then one byte per character) when
// every character is one of 1..255, else UTF-16LE.
QByteArray encodeText(const QString& s)
{
    bool narrow = true;
    for (QChar c : s)
        if (c.unicode() == 0 || c.unicode() > 0xFF)
            narrow = false;
    QByteArray out;
    if (narrow && !s.isEmpty()) {
        out.append(char(0xFF));
        out.append(char(0xFE));
        for (QChar c : s)
            out.append(char(c.unicode()));
        return out;
    }
    for (QChar c : s)
        append16(out, c.unicode());
    return out;
}

// The RC4 stream the header's second part is scrambled with.
void rc4(const unsigned char* key, int keyLen, unsigned char* data, int len)
{
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = (unsigned char)i;
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % keyLen]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (int k = 0, i = 0, j = 0; k < len; ++k) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[k] ^= s[(s[i] + s[j]) & 0xFF];
    }
}

QByteArray headerPage()
{
    QByteArray p(kPage, '\0');
    p[1] = 1;
    std::memcpy(p.data() + 4, "Standard Jet DB", 15);
    put32(p, 0x14, 1);  // Jet 4
    put16(p, 0x3C, 1252);
    put32(p, 0x3E, 0);  // not encrypted
    put16(p, 0x6E, 0x0409);
    static const unsigned char key[] = {0xC7, 0xDA, 0x39, 0x6B};
    rc4(key, 4, reinterpret_cast<unsigned char*>(p.data()) + 0x18, 128);
    return p;
}

struct Layout {
    const JetTable* table;
    bool system = false;
    int tdefPage = 0;
    QVector<QVector<QByteArray>> pages;  // rows per data page
    int firstDataPage = 0;
};

bool encodeRow(const JetTable& t, const QVector<QVariant>& values, QByteArray& row, QString* error)
{
    const int n = t.columns.size();
    if (values.size() != n) {
        if (error)
            *error = QStringLiteral("%1: a row with %2 values for %3 columns").arg(t.name).arg(values.size()).arg(n);
        return false;
    }
    QByteArray fixed, var;
    QVector<int> varOffsets;
    QByteArray nullMask((n + 7) / 8, '\0');
    for (int c = 0; c < n; ++c) {
        const JetColumn& col = t.columns[c];
        const QVariant& v = values[c];
        const bool set = col.type == JetType::Boolean ? v.toBool() : !v.isNull();
        if (set)
            nullMask[c / 8] = char(nullMask[c / 8] | (1 << (c % 8)));
        if (isFixed(col.type)) {
            QByteArray f(fixedSize(col.type), '\0');
            if (!v.isNull() && !f.isEmpty()) {
                switch (col.type) {
                case JetType::Byte: f[0] = char(v.toInt()); break;
                case JetType::Integer: put16(f, 0, v.toInt()); break;
                case JetType::Long: put32(f, 0, quint32(v.toInt())); break;
                case JetType::Single: {
                    const float x = v.toFloat();
                    std::memcpy(f.data(), &x, 4);
                    break;
                }
                default: {
                    const double x = v.toDouble();
                    std::memcpy(f.data(), &x, 8);
                    break;
                }
                }
            }
            fixed.append(f);
        } else {
            varOffsets.append(var.size());  // relative to the start of the variable part
            if (v.isNull())
                continue;
            const QByteArray text = encodeText(v.toString());
            if (col.type == JetType::Memo) {
                QByteArray head(12, '\0');
                put32(head, 0, quint32(text.size()) | 0x80000000u);  // inline
                var.append(head);
            }
            var.append(text);
        }
    }
    const int start = 2 + fixed.size();
    row.clear();
    append16(row, n);
    row.append(fixed);
    row.append(var);
    // The offsets table, read backwards from the end: offset[0] last, then the end of the data.
    QVector<int> offsets;
    for (int o : varOffsets)
        offsets.append(start + o);
    offsets.append(start + var.size());
    for (int i = offsets.size() - 1; i >= 0; --i)
        append16(row, offsets[i]);
    append16(row, varOffsets.size());
    row.append(nullMask);
    if (row.size() > kPage - kDataHeader - 2) {
        if (error)
            *error = QStringLiteral("%1: a row of %2 bytes does not fit a page").arg(t.name).arg(row.size());
        return false;
    }
    return true;
}

bool encodeTable(Layout& l, QString* error)
{
    l.pages.clear();
    QVector<QByteArray> page;
    int used = kDataHeader;
    for (const QVector<QVariant>& values : l.table->rows) {
        QByteArray row;
        if (!encodeRow(*l.table, values, row, error))
            return false;
        if (used + row.size() + 2 > kPage) {
            l.pages.append(page);
            page.clear();
            used = kDataHeader;
        }
        page.append(row);
        used += row.size() + 2;
    }
    if (!page.isEmpty())
        l.pages.append(page);
    return true;
}

// A data page of rows owned by a table definition (0 for the usage-map page).
QByteArray dataPage(int owner, const QVector<QByteArray>& rows)
{
    QByteArray p(kPage, '\0');
    p[0] = 1;
    p[1] = 1;
    put32(p, 4, quint32(owner));
    put16(p, 12, rows.size());
    int end = kPage;
    for (int i = 0; i < rows.size(); ++i) {
        end -= rows[i].size();
        std::memcpy(p.data() + end, rows[i].constData(), rows[i].size());
        put16(p, kDataHeader + 2 * i, end);
    }
    put16(p, 2, end - kDataHeader - 2 * rows.size());
    return p;
}

QByteArray tdefPage(const Layout& l, int usageRow, int freeRow)
{
    const JetTable& t = *l.table;
    QByteArray p(kPage, '\0');
    p[0] = 2;
    p[1] = 1;
    p[2] = 'V';
    p[3] = 'C';
    put32(p, 16, quint32(t.rows.size()));
    p[24] = 1;
    p[40] = char(l.system ? 0x53 : 0x4E);
    int varCount = 0;
    for (const JetColumn& c : t.columns)
        varCount += isFixed(c.type) ? 0 : 1;
    put16(p, 41, t.columns.size());
    put16(p, 43, varCount);
    put16(p, 45, t.columns.size());
    // Usage maps: row number in the low byte, the page above it.
    put32(p, 55, quint32(1) << 8 | quint32(usageRow));
    put32(p, 59, quint32(1) << 8 | quint32(freeRow));
    int at = kTdefColumns;
    int fixedOffset = 0, varNumber = 0;
    for (int c = 0; c < t.columns.size(); ++c) {
        const JetColumn& col = t.columns[c];
        p[at] = char(col.type);
        put16(p, at + 5, c);
        put16(p, at + 9, c);
        if (isFixed(col.type)) {
            put16(p, at + 21, fixedOffset);
            put16(p, at + 23, fixedSize(col.type));
            p[at + 15] = char(0x01 | 0x02);
            fixedOffset += fixedSize(col.type);
        } else {
            put16(p, at + 7, varNumber++);
            put16(p, at + 11, 0x0409);  // general sort order
            put16(p, at + 23, col.type == JetType::Text ? 2 * col.size : 0);
            p[at + 15] = char(0x02);
            p[at + 16] = char(0x01);  // compressed Unicode
        }
        at += kColumnEntry;
    }
    for (const JetColumn& col : t.columns) {
        put16(p, at, 2 * col.name.size());
        at += 2;
        for (QChar ch : col.name) {
            put16(p, at, ch.unicode());
            at += 2;
        }
    }
    put32(p, 8, quint32(at - 8));
    return p;
}

}  // namespace

bool WriteJetDatabase(const QString& fileName, const QVector<JetTable>& tables, QString* error)
{
    JetTable catalog;
    catalog.name = QStringLiteral("MSysObjects");
    catalog.columns = {{QStringLiteral("Id"), JetType::Long, 0},
                       {QStringLiteral("ParentId"), JetType::Long, 0},
                       {QStringLiteral("Name"), JetType::Text, 128},
                       {QStringLiteral("Type"), JetType::Integer, 0},
                       {QStringLiteral("Flags"), JetType::Long, 0},
                       {QStringLiteral("LvProp"), JetType::Ole, 0}};

    QVector<Layout> layouts;
    layouts.append({&catalog, true, 0, {}, 0});
    for (const JetTable& t : tables)
        layouts.append({&t, false, 0, {}, 0});

    // The catalog's rows take as much room whatever the ids: lay it out once with placeholders,
    // number the pages, then fill in the ids.
    auto catalogRows = [&] {
        catalog.rows.clear();
        catalog.rows.append({2, 0x0F000001, QStringLiteral("MSysObjects"), 1, int(0x80000002u), QVariant()});
        for (int i = 1; i < layouts.size(); ++i)
            catalog.rows.append({layouts[i].tdefPage, 0x0F000001, layouts[i].table->name, 1, 0, QVariant()});
    };
    catalogRows();
    for (Layout& l : layouts)
        if (!encodeTable(l, error))
            return false;
    int next = 2;  // page 0 the header, page 1 the usage maps
    for (Layout& l : layouts) {
        l.tdefPage = next++;
        l.firstDataPage = next;
        next += l.pages.size();
    }
    const int pageCount = next;
    catalogRows();
    if (!encodeTable(layouts[0], error))
        return false;

    // Usage maps of kind 0: a start page and one bit per page from it. The free-space maps are
    // empty: nothing is ever added to these files.
    QVector<QByteArray> mapRows;
    const int mapBytes = (pageCount + 7) / 8;
    for (const Layout& l : layouts) {
        QByteArray used(5 + mapBytes, '\0');
        for (int i = 0; i < l.pages.size(); ++i) {
            const int pg = l.firstDataPage + i;
            used[5 + pg / 8] = char(used[5 + pg / 8] | (1 << (pg % 8)));
        }
        mapRows.append(used);
        mapRows.append(QByteArray(5 + mapBytes, '\0'));
    }
    int mapSize = kDataHeader;
    for (const QByteArray& r : mapRows)
        mapSize += r.size() + 2;
    if (mapSize > kPage || mapRows.size() > 255) {
        if (error)
            *error = QStringLiteral("too many pages for the usage maps");
        return false;
    }

    QFile f(fileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    QByteArray out;
    out.reserve(pageCount * kPage);
    out.append(headerPage());
    out.append(dataPage(0, mapRows));
    for (int i = 0; i < layouts.size(); ++i) {
        const Layout& l = layouts[i];
        out.append(tdefPage(l, 2 * i, 2 * i + 1));
        for (const QVector<QByteArray>& rows : l.pages)
            out.append(dataPage(l.tdefPage, rows));
    }
    const bool ok = f.write(out) == out.size();
    if (!ok && error)
        *error = f.errorString();
    return ok;
}
