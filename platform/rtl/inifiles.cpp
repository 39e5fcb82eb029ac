#include "platform/rtl/inifiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <limits>

#include "platform/rtl/codepages.h"

namespace {

// One line of the file with its own line end ("\r\n", "\n", or "" for a last line without
// one), so that untouched lines are written back exactly as they were read.
struct Line {
    QString text;
    QString eol;
};

struct Document {
    bool bom = false;
    QString eol = QStringLiteral("\n");  // line end for new lines: the file's first one
    QList<Line> lines;
};

QString decode(QByteArray bytes, bool& bom)
{
    bom = bytes.startsWith("\xEF\xBB\xBF");
    if (bom)
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError())
        return s;
    bom = false;
    return DecodeWindows1252(bytes);
}

Document load(const QString& fileName)
{
    Document doc;
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return doc;  // a missing or unreadable file reads as empty
    const QString text = decode(f.readAll(), doc.bom);
    bool eolKnown = false;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype nl = text.indexOf(QLatin1Char('\n'), start);
        Line line;
        if (nl < 0) {
            line.text = text.mid(start);
            start = text.size();
        } else {
            line.text = text.mid(start, nl - start);
            line.eol = QStringLiteral("\n");
            if (line.text.endsWith(QLatin1Char('\r'))) {
                line.text.chop(1);
                line.eol = QStringLiteral("\r\n");
            }
            if (!eolKnown) {
                doc.eol = line.eol;
                eolKnown = true;
            }
            start = nl + 1;
        }
        doc.lines.append(line);
    }
    return doc;
}

void save(const QString& fileName, const Document& doc)
{
    QString text;
    for (const Line& l : doc.lines)
        text += l.text + l.eol;
    QByteArray bytes = text.toUtf8();
    if (doc.bom)
        bytes.prepend("\xEF\xBB\xBF");

    const QString folder = QFileInfo(fileName).absolutePath();
    QDir().mkpath(folder);
    // QSaveFile writes a temporary file beside the target and renames it on commit: the old
    // file stays whole until the new one is complete.
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw EIniFileException(
            QCoreApplication::translate("IniFiles", "Fehler beim Schreiben in die Datei %1").arg(fileName));
}

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

// "[name]" (blanks around and inside the brackets ignored) gives the section's name.
bool sectionName(const QString& text, QString& name)
{
    const QString t = text.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        close = t.size();
    name = t.mid(1, close - 1).trimmed();
    return true;
}

// A key line: "key=value", or a bare "key" with an empty value; comments (";") and blank lines
// are no keys.
bool keyLine(const QString& text, QString& key, QString& value)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0) {
        key = t;
        value.clear();
    } else {
        key = t.left(eq).trimmed();
        value = t.mid(eq + 1).trimmed();
    }
    return !key.isEmpty();
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the header of the first section with that name at or after `from`, or -1.
qsizetype findSection(const Document& doc, const QString& section, qsizetype from = 0)
{
    QString name;
    for (qsizetype i = from; i < doc.lines.size(); ++i)
        if (sectionName(doc.lines[i].text, name) && sameName(name, section))
            return i;
    return -1;
}

// One past the last line of the section whose header is at `header`.
qsizetype sectionEnd(const Document& doc, qsizetype header)
{
    QString name;
    qsizetype i = header + 1;
    while (i < doc.lines.size() && !sectionName(doc.lines[i].text, name))
        ++i;
    return i;
}

// Index of the first line of the key in the section, or -1.
qsizetype findKey(const Document& doc, qsizetype header, const QString& ident)
{
    if (header < 0)
        return -1;
    const qsizetype end = sectionEnd(doc, header);
    QString key, value;
    for (qsizetype i = header + 1; i < end; ++i)
        if (keyLine(doc.lines[i].text, key, value) && sameName(key, ident))
            return i;
    return -1;
}

// The value as the runtime's reader returns it: one pair of enclosing quotes removed.
QString unquoted(const QString& value)
{
    if (value.size() >= 2 && value.front() == value.back()
        && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        return value.mid(1, value.size() - 2);
    return value;
}

bool readValue(const Document& doc, const QString& section, const QString& ident, QString& result)
{
    const qsizetype i = findKey(doc, findSection(doc, section), ident);
    if (i < 0)
        return false;
    QString key, value;
    keyLine(doc.lines[i].text, key, value);
    result = unquoted(value);
    return true;
}

QStringList sectionKeys(const Document& doc, const QString& section)
{
    QStringList keys;
    const qsizetype header = findSection(doc, section);
    if (header < 0)
        return keys;
    const qsizetype end = sectionEnd(doc, header);
    QString key, value;
    for (qsizetype i = header + 1; i < end; ++i)
        if (keyLine(doc.lines[i].text, key, value) && !keys.contains(key, Qt::CaseInsensitive))
            keys.append(key);
    return keys;
}

// Inserts a line before `pos` with the file's line end; a previous last line without a line
// end gets one, so the new line starts on a line of its own.
void insertLine(Document& doc, qsizetype pos, const QString& text)
{
    if (pos > 0 && doc.lines[pos - 1].eol.isEmpty())
        doc.lines[pos - 1].eol = doc.eol;
    doc.lines.insert(pos, Line{text, doc.eol});
}

// The runtime's integer reading: decimal, or hexadecimal after "$" or "0x".
bool parseInteger(const QString& text, int& result)
{
    QString s = text.trimmed();
    bool negative = false;
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
        negative = s.front() == QLatin1Char('-');
        s.remove(0, 1);
    }
    int base = 10;
    if (s.startsWith(QLatin1Char('$'))) {
        base = 16;
        s.remove(0, 1);
    } else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        s.remove(0, 2);
    }
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool hex = base == 16 && ((c >= QLatin1Char('a') && c <= QLatin1Char('f'))
                                        || (c >= QLatin1Char('A') && c <= QLatin1Char('F')));
        if (!digit && !hex)
            return false;
    }
    bool ok = false;
    const qulonglong magnitude = s.toULongLong(&ok, base);
    if (!ok)
        return false;
    if (base == 16) {
        // Hexadecimal covers the whole 32-bit pattern: "$FFFFFFFF" is -1.
        if (magnitude > 0xFFFFFFFFull)
            return false;
        const auto v = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
        result = negative ? -v : v;
        return true;
    }
    const qulonglong limit = negative ? qulonglong(std::numeric_limits<int>::max()) + 1
                                      : qulonglong(std::numeric_limits<int>::max());
    if (magnitude > limit)
        return false;
    result = negative ? static_cast<int>(-static_cast<long long>(magnitude)) : static_cast<int>(magnitude);
    return true;
}

}  // namespace

TIniFile::TIniFile(const QString& fileName) : fileName_(fileName) {}

bool TIniFile::SectionExists(const QString& section) const
{
    return !sectionKeys(load(fileName_), section).isEmpty();
}

bool TIniFile::ValueExists(const QString& section, const QString& ident) const
{
    const Document doc = load(fileName_);
    return findKey(doc, findSection(doc, section), ident) >= 0;
}

QString TIniFile::ReadString(const QString& section, const QString& ident, const QString& def) const
{
    QString value;
    return readValue(load(fileName_), section, ident, value) ? value : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& ident, int def) const
{
    int value = 0;
    return parseInteger(ReadString(section, ident, QString()), value) ? value : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& ident, bool def) const
{
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const QString& section, const QString& ident, double def) const
{
    const QString s = ReadString(section, ident, QString());
    double value = 0;
    return !s.isEmpty() && TryStrToFloat(s, value, FormatSettings()) ? value : def;
}

TDateTime TIniFile::ReadDate(const QString& section, const QString& ident, TDateTime def) const
{
    const QString s = ReadString(section, ident, QString());
    TDateTime value = 0;
    return !s.isEmpty() && TryStrToDate(s, value, FormatSettings()) ? value : def;
}

TDateTime TIniFile::ReadTime(const QString& section, const QString& ident, TDateTime def) const
{
    const QString s = ReadString(section, ident, QString());
    TDateTime value = 0;
    return !s.isEmpty() && TryStrToTime(s, value, FormatSettings()) ? value : def;
}

TDateTime TIniFile::ReadDateTime(const QString& section, const QString& ident, TDateTime def) const
{
    const QString s = ReadString(section, ident, QString());
    TDateTime value = 0;
    return !s.isEmpty() && TryStrToDateTime(s, value, FormatSettings()) ? value : def;
}

void TIniFile::WriteString(const QString& section, const QString& ident, const QString& value)
{
    // A line break in the value would split the line and could start a new section or key:
    // the value stays on its one line.
    QString v = value;
    v.replace(QLatin1String("\r\n"), QLatin1String(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));

    Document doc = load(fileName_);
    const qsizetype header = findSection(doc, section);
    if (header < 0) {
        if (!doc.lines.isEmpty() && !isBlank(doc.lines.back().text))
            insertLine(doc, doc.lines.size(), QString());
        insertLine(doc, doc.lines.size(), QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(doc, doc.lines.size(), ident + QLatin1Char('=') + v);
    } else if (const qsizetype i = findKey(doc, header, ident); i >= 0) {
        QString key, old;
        keyLine(doc.lines[i].text, key, old);
        const QString text = key + QLatin1Char('=') + v;
        if (text == doc.lines[i].text)
            return;
        doc.lines[i].text = text;
    } else {
        // After the section's last non-blank line, so blank lines before the next section stay.
        qsizetype pos = sectionEnd(doc, header);
        while (pos > header + 1 && isBlank(doc.lines[pos - 1].text))
            --pos;
        insertLine(doc, pos, ident + QLatin1Char('=') + v);
    }
    save(fileName_, doc);
}

void TIniFile::WriteInteger(const QString& section, const QString& ident, int value)
{
    WriteString(section, ident, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& ident, bool value)
{
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteFloat(const QString& section, const QString& ident, double value)
{
    WriteString(section, ident, FloatToStr(value, FormatSettings()));
}

void TIniFile::WriteDate(const QString& section, const QString& ident, TDateTime value)
{
    WriteString(section, ident, DateToStr(value, FormatSettings()));
}

void TIniFile::WriteTime(const QString& section, const QString& ident, TDateTime value)
{
    WriteString(section, ident, TimeToStr(value, FormatSettings()));
}

void TIniFile::WriteDateTime(const QString& section, const QString& ident, TDateTime value)
{
    WriteString(section, ident, DateTimeToStr(value, FormatSettings()));
}

void TIniFile::ReadSection(const QString& section, QStringList& strings) const
{
    strings = sectionKeys(load(fileName_), section);
}

void TIniFile::ReadSections(QStringList& strings) const
{
    strings.clear();
    const Document doc = load(fileName_);
    QString name;
    for (const Line& l : doc.lines)
        if (sectionName(l.text, name) && !strings.contains(name, Qt::CaseInsensitive))
            strings.append(name);
}

void TIniFile::ReadSectionValues(const QString& section, QStringList& strings) const
{
    strings.clear();
    const Document doc = load(fileName_);
    QString value;
    for (const QString& key : sectionKeys(doc, section)) {
        readValue(doc, section, key, value);
        strings.append(key + QLatin1Char('=') + value);
    }
}

void TIniFile::EraseSection(const QString& section)
{
    Document doc = load(fileName_);
    bool changed = false;
    for (qsizetype header = findSection(doc, section); header >= 0;
         header = findSection(doc, section, header)) {
        doc.lines.remove(header, sectionEnd(doc, header) - header);
        changed = true;
    }
    if (changed)
        save(fileName_, doc);
}

void TIniFile::DeleteKey(const QString& section, const QString& ident)
{
    Document doc = load(fileName_);
    const qsizetype header = findSection(doc, section);
    bool changed = false;
    for (qsizetype i = findKey(doc, header, ident); i >= 0; i = findKey(doc, header, ident)) {
        doc.lines.remove(i);
        changed = true;
    }
    if (changed)
        save(fileName_, doc);
}
