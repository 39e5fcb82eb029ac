#include "platform/office/xlsxreader.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTime>
#include <QXmlStreamReader>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <zip.h>

#include "platform/office/cellname.h"
#include "platform/office/numberformat.h"
#include "platform/office/officemessages.h"
#include "platform/office/xmlscanner.h"

using namespace OfficeMessages;

namespace {

// No part of a workbook that this program reads comes near this; a larger one is refused
// instead of exhausting the memory (a crafted archive can claim any size).
constexpr zip_uint64_t kMaxPartSize = 256u * 1024u * 1024u;

const QLatin1StringView kSheet("sheet"), kXf("xf"), kCellXfs("cellXfs"), kNumFmt("numFmt"),
    kRelationship("Relationship"), kWorkbookPr("workbookPr");

// The archive, opened read-only; parts are looked up by name without case, since some writers
// differ from the names their relationships give.
class ZipArchive {
public:
    ~ZipArchive()
    {
        if (zip_)
            zip_discard(zip_);
    }

    std::optional<OfficeError> Open(const QString& fileName)
    {
        fileName_ = fileName;
        int error = 0;
        zip_ = zip_open(QFile::encodeName(fileName).constData(), ZIP_RDONLY, &error);
        if (zip_)
            return std::nullopt;
        switch (error) {
        case ZIP_ER_NOENT:
            return OfficeError{FileNotFound(fileName), {}};
        case ZIP_ER_OPEN:
        case ZIP_ER_READ:
        case ZIP_ER_SEEK: {
            QFile f(fileName);
            f.open(QIODevice::ReadOnly);
            return OfficeError{FileUnreadable(fileName, f.errorString()), {}};
        }
        case ZIP_ER_NOZIP:
            return OfficeError{NotAWorkbook(fileName), {}};
        case ZIP_ER_MEMORY:
            return OfficeError{TooLarge(fileName), {}};
        default:
            return OfficeError{Damaged(fileName), {}};
        }
    }

    bool Contains(const QString& part) const { return locate(part) >= 0; }

    // The bytes of a part; an error when it is missing, too large or does not unpack.
    std::optional<OfficeError> Read(const QString& part, QByteArray& bytes) const
    {
        const zip_int64_t index = locate(part);
        if (index < 0)
            return OfficeError{NotAWorkbook(fileName_), PartPosition(part)};
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(zip_, zip_uint64_t(index), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
            return OfficeError{Damaged(fileName_), PartPosition(part)};
        if (st.size > kMaxPartSize)
            return OfficeError{TooLarge(fileName_), PartPosition(part)};
        zip_file_t* file = zip_fopen_index(zip_, zip_uint64_t(index), 0);
        if (!file)
            return OfficeError{Damaged(fileName_), PartPosition(part)};
        bytes.resize(qsizetype(st.size));
        zip_int64_t done = 0;
        while (done < zip_int64_t(st.size)) {
            const zip_int64_t n = zip_fread(file, bytes.data() + done, st.size - zip_uint64_t(done));
            if (n <= 0)
                break;
            done += n;
        }
        // Reading on past the stated size shows a part that unpacks longer than it claims.
        char probe;
        const bool longer = done == zip_int64_t(st.size) && zip_fread(file, &probe, 1) > 0;
        const bool failed = zip_fclose(file) != 0;
        if (done != zip_int64_t(st.size) || longer || failed)
            return OfficeError{Damaged(fileName_), PartPosition(part)};
        return std::nullopt;
    }

private:
    zip_int64_t locate(const QString& part) const
    {
        const QByteArray name = part.toUtf8();
        zip_int64_t i = zip_name_locate(zip_, name.constData(), ZIP_FL_NOCASE);
        if (i < 0) {
            QByteArray windowsName = name;
            windowsName.replace('/', '\\');
            i = zip_name_locate(zip_, windowsName.constData(), ZIP_FL_NOCASE);
        }
        return i;
    }

    QString fileName_;
    zip_t* zip_ = nullptr;
};

struct Relationship {
    QString type;    // the last segment of the type URI: "officeDocument", "worksheet", ...
    QString target;  // the part's name inside the archive
};

QString folderOf(const QString& part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash);
}

// A relationship's target relative to the folder of its source, or absolute from the archive's
// root, made a part name ("xl/worksheets/sheet1.xml").
QString resolveTarget(const QString& sourceFolder, const QString& target)
{
    QStringList segments;
    if (!target.startsWith(u'/') && !sourceFolder.isEmpty())
        segments = sourceFolder.split(u'/', Qt::SkipEmptyParts);
    for (const QString& s : target.split(u'/', Qt::SkipEmptyParts)) {
        if (s == QLatin1StringView("..")) {
            if (!segments.isEmpty())
                segments.removeLast();
        } else if (s != QLatin1StringView("."))
            segments.append(s);
    }
    return segments.join(u'/');
}

QString relsPartOf(const QString& part)
{
    const QString folder = folderOf(part);
    const QString name = part.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    return (folder.isEmpty() ? QString() : folder + u'/') + QStringLiteral("_rels/") + name + QStringLiteral(".rels");
}

// Reads one of the small parts of the workbook (relationships, workbook, styles) with
// QXmlStreamReader. The parsers below take the reader positioned at the start and leave it at
// the end or at an error, which this class turns into the error result.
class PartReader {
public:
    PartReader(const QString& fileName, QString part, const QByteArray& bytes)
        : fileName_(fileName), part_(std::move(part)), xml_(bytes)
    {
    }
    QXmlStreamReader& xml() { return xml_; }
    const QString& part() const { return part_; }

    // The error of the reader, or of the caller's own check at the reader's position.
    OfficeError Failure() const
    {
        return OfficeError{Damaged(fileName_), PartPosition(part_, xml_.lineNumber(), xml_.columnNumber())};
    }
    bool HasError() const { return xml_.hasError(); }

private:
    const QString& fileName_;
    QString part_;
    QXmlStreamReader xml_;
};

std::optional<OfficeError> readRelationships(const ZipArchive& zip, const QString& fileName, const QString& relsPart,
                                             QHash<QString, Relationship>& rels)
{
    if (!zip.Contains(relsPart))
        return std::nullopt;
    QByteArray bytes;
    if (auto e = zip.Read(relsPart, bytes))
        return e;
    PartReader p(fileName, relsPart, bytes);
    const QString sourceFolder = folderOf(folderOf(relsPart));
    while (!p.xml().atEnd()) {
        if (p.xml().readNext() != QXmlStreamReader::StartElement || p.xml().name() != kRelationship)
            continue;
        const QXmlStreamAttributes a = p.xml().attributes();
        if (a.value(QLatin1StringView("TargetMode")) == QLatin1StringView("External"))
            continue;
        const QString type = a.value(QLatin1StringView("Type")).toString();
        rels.insert(a.value(QLatin1StringView("Id")).toString(),
                    Relationship{type.mid(type.lastIndexOf(u'/') + 1),
                                 resolveTarget(sourceFolder, a.value(QLatin1StringView("Target")).toString())});
    }
    if (p.HasError())
        return p.Failure();
    return std::nullopt;
}

QString typedTarget(const QHash<QString, Relationship>& rels, QLatin1StringView type)
{
    for (const Relationship& r : rels)
        if (r.type == type)
            return r.target;
    return QString();
}

struct SheetEntry {
    QString name;
    QString part;
};

std::optional<OfficeError> readWorkbook(PartReader& p, const QHash<QString, Relationship>& rels,
                                        QVector<SheetEntry>& sheets, bool& date1904, int& activeSheet)
{
    QXmlStreamReader& xml = p.xml();
    int tab = 0;        // every <sheet> is a tab, chart sheets too
    int activeTab = 0;  // the first workbook view's tab on top
    bool viewRead = false;
    QVector<int> tabOfSheet;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1StringView("workbookView") && !viewRead) {
            viewRead = true;
            bool ok = false;
            const int v = xml.attributes().value(QLatin1StringView("activeTab")).toInt(&ok);
            if (ok && v >= 0)
                activeTab = v;
        } else if (xml.name() == kWorkbookPr) {
            const QStringView v = xml.attributes().value(QLatin1StringView("date1904"));
            date1904 = v == QLatin1StringView("1") || v == QLatin1StringView("true");
        } else if (xml.name() == kSheet) {
            // The relationship id's attribute lies in the relationships namespace, whatever its
            // prefix in this file.
            QString id;
            for (const QXmlStreamAttribute& a : xml.attributes())
                if (a.name() == QLatin1StringView("id"))
                    id = a.value().toString();
            const auto rel = rels.constFind(id);
            const int thisTab = tab++;
            // Chart sheets and dialog sheets hold no cells: they are no tables.
            if (rel == rels.constEnd() || rel->type != QLatin1StringView("worksheet"))
                continue;
            sheets.append(SheetEntry{xml.attributes().value(QLatin1StringView("name")).toString(), rel->target});
            tabOfSheet.append(thisTab);
        }
    }
    if (p.HasError())
        return p.Failure();
    activeSheet = std::max(0, int(tabOfSheet.indexOf(activeTab)));
    return std::nullopt;
}

// The date kind of every cell style (<cellXfs>), by the style's index, as the cells' "s"
// attribute names it.
std::optional<OfficeError> readStyles(PartReader& p, QVector<NumberFormatKind>& styleKinds)
{
    QXmlStreamReader& xml = p.xml();
    QHash<int, NumberFormatKind> custom;
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType t = xml.readNext();
        if (t == QXmlStreamReader::EndElement && xml.name() == kCellXfs)
            inCellXfs = false;
        if (t != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == kNumFmt) {
            custom.insert(a.value(QLatin1StringView("numFmtId")).toInt(),
                          ClassifyNumberFormat(a.value(QLatin1StringView("formatCode")).toString()));
        } else if (xml.name() == kCellXfs) {
            inCellXfs = true;
        } else if (inCellXfs && xml.name() == kXf) {
            const int id = a.value(QLatin1StringView("numFmtId")).toInt();
            styleKinds.append(custom.value(id, ClassifyBuiltinNumberFormat(id)));
        }
    }
    if (p.HasError())
        return p.Failure();
    return std::nullopt;
}

// An ISO 8601 date, date-time or time ("2008-05-01T10:15:00") of a cell of type "d".
bool isoDateTime(const QString& s, TDateTime& value)
{
    static const QDate dayZero(1899, 12, 30);
    const qsizetype tAt = s.indexOf(u'T');
    const QString datePart = tAt < 0 ? (s.contains(u':') ? QString() : s) : s.left(tAt);
    const QString timePart = tAt < 0 ? (s.contains(u':') ? s : QString()) : s.mid(tAt + 1);
    double days = 0;
    if (!datePart.isEmpty()) {
        const QDate d = QDate::fromString(datePart, Qt::ISODate);
        if (!d.isValid())
            return false;
        days = double(dayZero.daysTo(d));
    }
    double fraction = 0;
    if (!timePart.isEmpty()) {
        QString t = timePart;
        if (t.endsWith(u'Z'))
            t.chop(1);
        const QTime time = QTime::fromString(t, Qt::ISODateWithMs);
        if (!time.isValid())
            return false;
        fraction = time.msecsSinceStartOfDay() / MSecsPerDay;
    }
    value = days < 0 ? days - fraction : days + fraction;
    return true;
}

// The big parts (sheets and shared strings) are read with XmlScanner; a failure names the part
// with the scanner's line and column.
OfficeError scannerFailure(const QString& fileName, const QString& part, const XmlScanner& xml)
{
    return OfficeError{Damaged(fileName), PartPosition(part, xml.Line(), xml.Column())};
}

// The text of the string item the scanner stands on (<si> or <is>): its <t> elements, also
// those of rich-text runs; phonetic runs (<rPh>) are reading hints, not part of the text.
QString stringItem(XmlScanner& xml)
{
    QString text;
    int depth = 1;
    while (depth > 0) {
        switch (xml.Next()) {
        case XmlScanner::StartElement:
            if (xml.Name() == "t")
                text += xml.ReadElementText();
            else if (xml.Name() == "rPh")
                xml.SkipElement();
            else
                ++depth;
            break;
        case XmlScanner::EndElement:
            --depth;
            break;
        case XmlScanner::Text:
            break;
        default:
            return text;
        }
    }
    return text;
}

std::optional<OfficeError> readSharedStrings(const QString& fileName, const QString& part, const QByteArray& bytes,
                                             QVector<QString>& strings)
{
    XmlScanner xml(bytes);
    while (xml.Next() != XmlScanner::EndDocument) {
        if (xml.HasError())
            return scannerFailure(fileName, part, xml);
        if (xml.Current() == XmlScanner::StartElement && xml.Name() == "si")
            strings.append(stringItem(xml));
    }
    return std::nullopt;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\n' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

template <typename T>
bool parseNumber(std::string_view s, T& value)
{
    s = trimmed(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

struct SheetContext {
    const QVector<QString>& strings;
    const QVector<NumberFormatKind>& styleKinds;
    bool date1904;
};

std::optional<OfficeError> readSheet(const QString& fileName, const QString& part, const QByteArray& bytes,
                                     const SheetContext& ctx, SheetData& sheet)
{
    XmlScanner xml(bytes);
    int row = -1;
    int column = -1;
    bool inData = false;
    for (;;) {
        const XmlScanner::Token token = xml.Next();
        if (token == XmlScanner::EndDocument)
            break;
        if (token == XmlScanner::Invalid)
            return scannerFailure(fileName, part, xml);
        if (token == XmlScanner::EndElement && xml.Name() == "sheetData")
            inData = false;
        if (token != XmlScanner::StartElement)
            continue;
        if (xml.Name() == "sheetData") {
            inData = true;
            continue;
        }
        if (!inData)
            continue;
        std::string_view attr;
        if (xml.Name() == "row") {
            // Rows and cells may leave out their reference: they then follow the one before.
            if (!xml.Attribute("r", attr)) {
                ++row;
            } else {
                int n = 0;
                if (!parseNumber(attr, n) || n < 1 || n > kSheetMaxRows)
                    return scannerFailure(fileName, part, xml);
                row = n - 1;
            }
            column = -1;
            continue;
        }
        if (xml.Name() != "c")
            continue;
        if (!xml.Attribute("r", attr) || attr.empty()) {
            ++column;
            if (row < 0)
                row = 0;
        } else if (!ParseCellName(QString::fromLatin1(attr.data(), qsizetype(attr.size())), row, column)) {
            return scannerFailure(fileName, part, xml);
        }
        if (row < 0 || column >= kSheetMaxColumns)
            return scannerFailure(fileName, part, xml);
        std::string_view type;
        xml.Attribute("t", type);
        int style = 0;
        if (xml.Attribute("s", attr) && !parseNumber(attr, style))
            style = 0;
        // The children of the cell: its value, an inline string, a formula (skipped).
        QString v;
        QString inlineText;
        bool hasV = false;
        bool hasInline = false;
        for (;;) {
            const XmlScanner::Token t = xml.Next();
            if (t == XmlScanner::Invalid || t == XmlScanner::EndDocument)
                return scannerFailure(fileName, part, xml);
            if (t == XmlScanner::EndElement && xml.Name() == "c")
                break;
            if (t != XmlScanner::StartElement)
                continue;
            if (xml.Name() == "v") {
                v = xml.ReadElementText();
                hasV = true;
            } else if (xml.Name() == "is") {
                inlineText = stringItem(xml);
                hasInline = true;
            } else {
                xml.SkipElement();
            }
            if (xml.HasError())
                return scannerFailure(fileName, part, xml);
        }

        TableValue value;
        auto damagedCell = [&] { return OfficeError{Damaged(fileName), CellPosition(sheet.Name(), row, column)}; };
        if (type.empty() || type == "n") {
            if (hasV && !v.trimmed().isEmpty()) {
                double d = 0;
                const QByteArray number = v.toLatin1();
                if (!parseNumber(std::string_view(number.constData(), size_t(number.size())), d) || !std::isfinite(d))
                    return damagedCell();
                const NumberFormatKind kind =
                    style >= 0 && style < ctx.styleKinds.size() ? ctx.styleKinds[style] : NumberFormatKind::Number;
                value = kind == NumberFormatKind::Number || !IsDateTimeSerial(d)
                            ? TableValue::FromNumber(d)
                                                         : TableValue::FromDateTime(SerialToDateTime(d, kind, ctx.date1904));
            }
        } else if (type == "s") {
            int index = -1;
            const QByteArray number = v.toLatin1();
            if (!hasV || !parseNumber(std::string_view(number.constData(), size_t(number.size())), index) ||
                index < 0 || index >= ctx.strings.size())
                return damagedCell();
            value = TableValue::FromText(ctx.strings[index]);
        } else if (type == "inlineStr") {
            value = TableValue::FromText(hasInline ? inlineText : v);
        } else if (type == "str") {
            value = TableValue::FromText(v);
        } else if (type == "b") {
            if (hasV)
                value = TableValue::FromNumber(v.trimmed() == QLatin1StringView("1") ? 1 : 0);
        } else if (type == "d") {
            TDateTime d;
            if (hasV && isoDateTime(v.trimmed(), d))
                value = TableValue::FromDateTime(d);
            else if (hasV)
                value = TableValue::FromText(v);
        }
        // Error cells ("e") read as empty, as the database engine gave them.
        if (value.kind() == TableValue::Kind::Text && value.Text().isEmpty())
            continue;
        sheet.SetCell(row, column, value);
        // A sheet beyond what the import takes keeps no cells: the rest of it is not read.
        if (sheet.TooLarge())
            break;
    }
    return std::nullopt;
}

}  // namespace

OfficeResult<SheetBook> XlsxReader::Read(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir())
        return OfficeError{FileNotFound(fileName), {}};
    ZipArchive zip;
    if (auto e = zip.Open(fileName))
        return *e;

    // The package's relationships name the workbook part; "xl/workbook.xml" by custom.
    QHash<QString, Relationship> rootRels;
    if (auto e = readRelationships(zip, fileName, QStringLiteral("_rels/.rels"), rootRels))
        return *e;
    QString workbookPart = typedTarget(rootRels, QLatin1StringView("officeDocument"));
    if (workbookPart.isEmpty() || !zip.Contains(workbookPart))
        workbookPart = QStringLiteral("xl/workbook.xml");
    if (!zip.Contains(workbookPart))
        return OfficeError{NotAWorkbook(fileName), {}};

    QHash<QString, Relationship> rels;
    if (auto e = readRelationships(zip, fileName, relsPartOf(workbookPart), rels))
        return *e;

    SheetBook book;
    QVector<SheetEntry> entries;
    QByteArray bytes;
    {
        if (auto e = zip.Read(workbookPart, bytes))
            return *e;
        PartReader p(fileName, workbookPart, bytes);
        if (auto e = readWorkbook(p, rels, entries, book.date1904, book.activeSheet))
            return *e;
    }

    QVector<QString> strings;
    const QString stringsPart = typedTarget(rels, QLatin1StringView("sharedStrings"));
    if (!stringsPart.isEmpty() && zip.Contains(stringsPart)) {
        if (auto e = zip.Read(stringsPart, bytes))
            return *e;
        if (auto e = readSharedStrings(fileName, stringsPart, bytes, strings))
            return *e;
    }

    QVector<NumberFormatKind> styleKinds;
    const QString stylesPart = typedTarget(rels, QLatin1StringView("styles"));
    if (!stylesPart.isEmpty() && zip.Contains(stylesPart)) {
        if (auto e = zip.Read(stylesPart, bytes))
            return *e;
        PartReader p(fileName, stylesPart, bytes);
        if (auto e = readStyles(p, styleKinds))
            return *e;
    }

    const SheetContext ctx{strings, styleKinds, book.date1904};
    for (const SheetEntry& entry : entries) {
        if (auto e = zip.Read(entry.part, bytes))
            return *e;
        SheetData sheet(entry.name);
        if (auto e = readSheet(fileName, entry.part, bytes, ctx, sheet))
            return *e;
        book.sheets.append(std::move(sheet));
    }
    return book;
}
