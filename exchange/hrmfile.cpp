#include "exchange/hrmfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <climits>
#include <cmath>

#include "core/orvtools.h"
#include "platform/rtl/wholefile.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("HrmFile", text);
}

// The runtime's conversion messages, so that the import shows the same words as for a typed value.
QString invalidDate(const QString& value)
{
    return QCoreApplication::translate("SysUtils", "'%1' ist kein gültiges Datum").arg(value);
}

QString invalidTime(const QString& value)
{
    return QCoreApplication::translate("SysUtils", "'%1' ist keine gültige Zeit").arg(value);
}

QString outOfRange(const QString& value)
{
    return QCoreApplication::translate("HrmFile", "'%1' liegt außerhalb des gültigen Bereichs.").arg(value);
}

// Raised inside the reading and turned into the reader's error at its end.
struct ReadError {
    QString file;
    int line;
    QString message;
};

// US units to the database's: tenths of mph to tenths of km/h, feet and yards to metres.
constexpr double kKmPerMile = 1.609344;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kMetresPerYard = 0.9144;

// The longest interval between two samples that is taken: a day.
constexpr int kMaxInterval = 86400;
// The fastest speed taken, in tenths of km/h: no monitor records 1000 km/h.
constexpr double kMaxSpeed = 10000;

// The monitor's software writes ANSI text; a file saved again by an editor may be UTF-8.
QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError())
        return s;
    QStringDecoder ansi("windows-1252");
    return ansi.decode(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Items of a line: separated by tabs and blanks, a run of separators counting as one.
QStringList splitItems(const QString& line)
{
    QStringList items;
    const int n = line.size();
    int i = 0;
    while (i < n) {
        while (i < n && (line[i] == QLatin1Char('\t') || line[i] == QLatin1Char(' ')))
            ++i;
        const int start = i;
        while (i < n && line[i] != QLatin1Char('\t') && line[i] != QLatin1Char(' '))
            ++i;
        if (i > start)
            items.append(line.mid(start, i - start));
    }
    return items;
}

bool isSectionLine(const QString& text)
{
    const QString t = text.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'));
}

// "hh:mm:ss" (hours of one or two digits) as milliseconds; false for anything else.
bool parseClock(const QString& text, int64_t& ms)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 3)
        return false;
    int values[3];
    for (int i = 0; i < 3; ++i) {
        const QString& p = parts[i];
        if (p.isEmpty() || p.size() > 2 || (i > 0 && p.size() != 2))
            return false;
        for (QChar c : p)
            if (!c.isDigit())
                return false;
        values[i] = p.toInt();
    }
    if (values[1] > 59 || values[2] > 59)
        return false;
    ms = (int64_t(values[0]) * 3600 + values[1] * 60 + values[2]) * 1000;
    return true;
}

}  // namespace

QString HrmError::Text() const
{
    const QString name = QFileInfo(file).fileName();
    if (name.isEmpty())
        return line <= 0 ? message : tr("Zeile %1: %2").arg(line).arg(message);
    if (line <= 0)
        return tr("Datei \"%1\": %2").arg(name, message);
    return tr("Datei \"%1\", Zeile %2: %3").arg(name).arg(line).arg(message);
}

QString HrmFile::ColumnCaption(HrmColumn column)
{
    switch (column) {
    case HrmColumn::Puls: return tr("Puls");
    case HrmColumn::Speed: return tr("Geschw.");
    case HrmColumn::Cadence: return tr("Frequ.");
    case HrmColumn::Altitude: return tr("Höhe");
    case HrmColumn::Power: return tr("Kraft");
    case HrmColumn::Split: return tr("M. Split");
    }
    return {};
}

QString HrmFile::HrmTimeToStr(const QString& value)
{
    QString s = value;
    if (s.size() > 1 && s[1] == QLatin1Char(':'))
        s.prepend(QLatin1Char('0'));
    return s.left(8);
}

QString HrmFile::DayFilePath(const QString& exerciseFile)
{
    const QFileInfo info(exerciseFile);
    const QString wanted = QStringLiteral("20") + info.fileName().left(6) + QStringLiteral(".pdd");
    const QDir dir = info.absoluteDir();
    // Windows names are matched without case: "20080715.PDD" belongs to "08071501.hrm".
    for (const QString& name : dir.entryList(QDir::Files))
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    return {};
}

void HrmFile::clear()
{
    error_ = {};
    lines_.clear();
    keyLines_.clear();
    interval_ = 0;
    date_ = 0;
    lengthText_.clear();
    lengthMs_ = 0;
    startText_.clear();
    startMs_ = 0;
    calories_.clear();
    caloriesFromDayFile_ = false;
    note_.clear();
    columns_.clear();
    samples_.clear();
    laps_.clear();
    totalMeters_ = 0;
    imperial_ = false;
    reading_ = -1;
}

bool HrmFile::Read(const QString& fileName)
{
    clear();
    fileName_ = fileName;
    // Neither file is read when it is larger than any real recording.
    QByteArray text;
    QString failure;
    if (!ReadWholeFile(fileName, text, failure)) {
        error_ = {fileName, 0, failure};
        return false;
    }
    QByteArray dayText;
    const QString dayFile = DayFilePath(fileName);
    // An empty day file names no exercise; it is read like a missing one.
    if (!dayFile.isEmpty() && !ReadWholeFile(dayFile, dayText, failure)) {
        error_ = {dayFile, 0, failure};
        return false;
    }
    return Parse(text, fileName, dayText);
}

bool HrmFile::Parse(const QByteArray& text, const QString& fileName, const QByteArray& dayFileText)
{
    clear();
    fileName_ = fileName;
    QString section;
    for (const QString& l : splitLines(decodeText(text))) {
        if (isSectionLine(l))
            section = l.trimmed().mid(1, l.trimmed().size() - 2).toLower();
        lines_.append({l, section});
    }
    HrmError error;
    try {
        readKeys();
        readSettings();
        readSamples();
        readLaps();
        readDayFile(decodeText(dayFileText));
        checkExercise();
        return true;
    } catch (const ReadError& e) {
        error = {e.file.isEmpty() ? fileName_ : e.file, e.line, e.message};
    } catch (const std::exception& e) {
        // Every conversion is checked where it is made; whatever a runtime routine underneath
        // still raises is the reading's error of the line it was reading.
        error = {fileName_, reading_ + 1, ExceptionMessage(e)};
    }
    const QString exercise = fileName_;
    clear();
    fileName_ = exercise;
    error_ = error;
    return false;
}

void HrmFile::fail(int line, const QString& message) const
{
    throw ReadError{QString(), line + 1, message};
}

void HrmFile::checkExercise()
{
    // Refused as a whole (line 0): what holds no line at all, and what is no exercise of a
    // monitor (every one is dated), so that no preview opens on empty pages.
    bool blank = true;
    for (const Line& l : lines_)
        blank = blank && l.text.trimmed().isEmpty();
    if (blank)
        fail(-1, tr("Die Datei ist leer."));
    if (Key(QStringLiteral("Date")).isEmpty())
        fail(-1, tr("Die Datei ist keine Trainingsdatei eines Herzfrequenzmessers: ihr fehlt das Datum (\"Date\")."));
}

QString HrmFile::SampleCell(const HrmSample& sample, int column) const
{
    if (column < 0 || column >= columns_.size())
        return {};
    const TFormatSettings english = GetEnglishFormatSettings();
    switch (columns_[column]) {
    case HrmColumn::Split: return FormatFloat(QStringLiteral("0.000000"), sample.splitKm, english);
    case HrmColumn::Speed:
        if (imperial_)
            return FormatFloat(QStringLiteral("0.##"), sample.speed, english);
        break;
    case HrmColumn::Altitude:
        if (imperial_)
            return QString::number(sample.altitude);
        break;
    default: break;
    }
    return column < sample.items.size() ? sample.items[column] : QStringLiteral("0");
}

void HrmFile::readKeys()
{
    for (int i = 0; i < lines_.size(); ++i) {
        const QString& t = lines_[i].text;
        if (!isSectionLine(t) && t.contains(QLatin1Char('=')))
            keyLines_.append(i);
    }
}

int HrmFile::keyLine(const QString& section, const QString& name) const
{
    for (int i : keyLines_) {
        const Line& l = lines_[i];
        if (!section.isEmpty() && l.section.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        const int eq = l.text.indexOf(QLatin1Char('='));
        if (l.text.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString HrmFile::Key(const QString& name) const
{
    return Value(QString(), name);
}

bool HrmFile::HasKey(const QString& name) const
{
    return keyLine(QString(), name) >= 0;
}

QString HrmFile::Value(const QString& section, const QString& name) const
{
    const int i = keyLine(section, name);
    if (i < 0)
        return {};
    const QString& t = lines_[i].text;
    return t.mid(t.indexOf(QLatin1Char('=')) + 1).trimmed();
}

int HrmFile::sectionLine(const QString& name) const
{
    const QString wanted = QLatin1Char('[') + name + QLatin1Char(']');
    for (int i = 0; i < lines_.size(); ++i)
        if (lines_[i].text.trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int HrmFile::Kcal() const
{
    return int(Trunc(StrToFloat(calories_, GetEnglishFormatSettings())));
}

QString HrmFile::Mode() const
{
    const QString smode = Key(QStringLiteral("SMode"));
    return smode.isEmpty() ? Key(QStringLiteral("Mode")) : smode;
}

void HrmFile::readSettings()
{
    // The interval of "Params", else of "Settings" (where older monitors keep it), else of the
    // first section that has one. An empty value or 0 counts as missing: without any, every
    // time is 0.
    for (const QString& section : {QStringLiteral("Params"), QStringLiteral("Settings"), QString()}) {
        const int line = keyLine(section, QStringLiteral("Interval"));
        const QString v = Value(section, QStringLiteral("Interval"));
        if (line < 0 || v.isEmpty())
            continue;
        try {
            interval_ = StrToInt(v);
        } catch (const EConvertError& e) {
            fail(line, e.Message());
        }
        if (interval_ < 0 || interval_ > kMaxInterval)
            fail(line, tr("'%1' ist kein gültiges Intervall").arg(v));
        if (interval_ > 0)
            break;
    }

    const QString date = Key(QStringLiteral("Date"));
    if (!date.isEmpty()) {
        const int dl = keyLine(QString(), QStringLiteral("Date"));
        bool digits = date.size() == 8;
        for (QChar c : date)
            digits = digits && c.isDigit();
        if (!digits || !TryEncodeDate(date.left(4).toInt(), date.mid(4, 2).toInt(), date.mid(6, 2).toInt(), date_))
            fail(dl, invalidDate(date));
    }

    auto readTime = [&](const char* key, QString& text, int64_t& ms) {
        const QString value = Key(QString::fromLatin1(key));
        if (value.isEmpty())
            return;
        text = HrmTimeToStr(value);
        if (!parseClock(text, ms))
            fail(keyLine(QString(), QString::fromLatin1(key)), invalidTime(value));
    };
    readTime("Length", lengthText_, lengthMs_);
    readTime("StartTime", startText_, startMs_);

    calories_ = Key(QStringLiteral("Calories"));
    if (calories_.isEmpty())
        calories_ = QStringLiteral("0");
    double kcal;
    if (!TryStrToFloat(calories_, kcal, GetEnglishFormatSettings()))
        fail(keyLine(QString(), QStringLiteral("Calories")),
             QCoreApplication::translate("SysUtils", "'%1' ist kein gültiger Gleitkommawert").arg(calories_));
    if (!std::isfinite(kcal) || std::fabs(kcal) > INT_MAX)
        fail(keyLine(QString(), QStringLiteral("Calories")), outOfRange(calories_));

    const int note = sectionLine(QStringLiteral("Note"));
    if (note >= 0 && note + 1 < lines_.size() && !isSectionLine(lines_[note + 1].text))
        note_ = lines_[note + 1].text;
}

void HrmFile::readSamples()
{
    // Columns: the pulse, then one per set flag among the first four "SMode" characters
    // (speed, cadence, altitude, power); the split distance follows speed's samples.
    columns_ = {HrmColumn::Puls};
    const QString smode = Key(QStringLiteral("SMode"));
    const HrmColumn flagged[4] = {HrmColumn::Speed, HrmColumn::Cadence, HrmColumn::Altitude, HrmColumn::Power};
    for (int i = 0; i < 4 && i < smode.size(); ++i)
        if (smode[i] == QLatin1Char('1'))
            columns_.append(flagged[i]);
    const int recorded = int(columns_.size());
    if (columns_.contains(HrmColumn::Speed))
        columns_.append(HrmColumn::Split);
    imperial_ = smode.size() >= 8 && smode[7] == QLatin1Char('1');

    const int start = sectionLine(QStringLiteral("HRData"));
    if (start < 0)
        return;
    // The samples run to the next section or the end of the file; empty lines between them are
    // skipped, so neither the last sample nor one after a blank line is lost.
    const TFormatSettings english = GetEnglishFormatSettings();
    double speedSeconds = 0;  // sum of speed × interval, in tenths of km/h × s
    for (int i = start + 1; i < lines_.size(); ++i) {
        const QString& text = lines_[i].text;
        if (isSectionLine(text))
            break;
        if (text.trimmed().isEmpty())
            continue;
        reading_ = i;
        HrmSample s;
        s.line = i + 1;
        s.ms = int64_t(samples_.size()) * interval_ * 1000;
        s.items = splitItems(text);
        if (s.items.size() < recorded)
            fail(i, tr("Es werden %1 Werte erwartet, die Zeile enthält %2.").arg(recorded).arg(s.items.size()));
        try {
            s.puls = StrToInt(s.items[0]);
            for (int c = 1; c < recorded; ++c) {
                const QString& item = s.items[c];
                switch (columns_[c]) {
                case HrmColumn::Speed:
                    s.speed = StrToFloat(item, english);
                    if (!(s.speed >= 0 && s.speed <= kMaxSpeed))
                        fail(i, outOfRange(item));
                    if (imperial_)
                        s.speed *= kKmPerMile;
                    break;
                case HrmColumn::Cadence: s.cadence = StrToInt(item); break;
                case HrmColumn::Altitude:
                    s.altitude = StrToInt(item);
                    if (imperial_)
                        s.altitude = int(std::lround(s.altitude * kMetresPerFoot));
                    break;
                case HrmColumn::Power: s.power = StrToInt(item); break;
                default: break;
                }
            }
            if (s.items.size() > 1) {
                const double second = StrToFloat(s.items[1], english);
                if (!(std::fabs(second) <= INT_MAX))
                    fail(i, outOfRange(s.items[1]));
                s.second = int(second);
            }
        } catch (const EConvertError& e) {
            fail(i, e.Message());
        }
        if (HasSpeed()) {
            s.splitKm = s.speed / 10.0 / 3600.0 * interval_;
            speedSeconds += s.speed * interval_;
            // The distance up to here must fit the unit's and the rows' metres.
            if (speedSeconds / 36.0 > INT_MAX)
                fail(i, outOfRange(s.items[1]));
        }
        samples_.append(s);
    }
    reading_ = -1;
    // Metres = speed (tenths of km/h) × seconds ÷ 36, divided once at the end so that a steady
    // 10.0 km/h over an hour gives exactly 10000 m.
    // The small allowance keeps decimal speeds, which binary numbers hold only nearly, from
    // losing a whole metre.
    totalMeters_ = int(Trunc(speedSeconds / 36.0 + 1e-6));
}

void HrmFile::readLaps()
{
    const int start = sectionLine(QStringLiteral("IntTimes"));
    if (start < 0)
        return;
    // The lap block runs to the next section or the end of the file; empty lines are skipped.
    QList<int> block;
    for (int i = start + 1; i < lines_.size(); ++i) {
        if (isSectionLine(lines_[i].text))
            break;
        if (!lines_[i].text.trimmed().isEmpty())
            block.append(i);
    }
    const bool extraLines = HasSMode();
    auto intItem = [&](const QStringList& items, int index, int line) {
        if (index >= items.size())
            return 0;
        try {
            return StrToInt(items[index]);
        } catch (const EConvertError& e) {
            fail(line, e.Message());
        }
    };
    int64_t fromStart = 0;  // metres from the start to the end of the lap read last
    for (int b = 0; b < block.size(); ++b) {
        const int i = block[b];
        const QString& text = lines_[i].text;
        // A lap begins with its time; the lines without a colon are its further lines.
        if (!text.contains(QLatin1Char(':')))
            continue;
        reading_ = i;
        HrmLap lap;
        lap.number = int(laps_.size()) + 1;
        lap.line = i + 1;
        lap.text = text;
        lap.items = splitItems(text);
        lap.timeText = HrmTimeToStr(lap.items.value(0));
        if (!parseClock(lap.timeText, lap.ms))
            fail(i, invalidTime(lap.items.value(0)));
        lap.puls = intItem(lap.items, 1, i);
        lap.minPuls = intItem(lap.items, 2, i);
        lap.avgPuls = intItem(lap.items, 3, i);
        lap.maxPuls = intItem(lap.items, 4, i);
        if (extraLines) {
            // The second and fourth line of the lap; a line that is missing at the block's end,
            // or that already begins the next lap, reads as 0.
            auto further = [&](int offset) -> int {
                if (b + offset >= block.size())
                    return -1;
                const int at = block[b + offset];
                for (int k = b + 1; k <= b + offset; ++k)
                    if (lines_[block[k]].text.contains(QLatin1Char(':')))
                        return -1;
                return at;
            };
            const int second = further(1);
            if (second >= 0) {
                lap.altitude = intItem(splitItems(lines_[second].text), 5, second);
                if (imperial_)
                    lap.altitude = int(std::lround(lap.altitude * kMetresPerFoot));
            }
            const int fourth = further(3);
            if (fourth >= 0) {
                const QStringList items = splitItems(lines_[fourth].text);
                lap.distance = intItem(items, 1, fourth);
                int tenths = intItem(items, 3, fourth);
                if (imperial_) {
                    lap.distance = int(std::lround(lap.distance * kMetresPerYard));
                    tenths = int(std::lround((tenths - 320.0) * 5.0 / 9.0));  // tenths of °F to tenths of °C
                }
                lap.temperature = tenths / 10;
                // The laps lie at their distance from the start, as every split row does.
                fromStart += lap.distance;
                if (fromStart < 0 || fromStart > INT_MAX)
                    fail(fourth, outOfRange(items.value(1)));
            }
        }
        lap.meter = int(fromStart);
        laps_.append(lap);
    }
    reading_ = -1;
}

void HrmFile::readDayFile(const QString& dayText)
{
    if (dayText.isEmpty())
        return;
    const QStringList day = splitLines(dayText);
    const QString exercise = QFileInfo(fileName_).fileName();
    int named = -1;
    for (int i = 0; i < day.size() && named < 0; ++i)
        if (day[i].trimmed().compare(exercise, Qt::CaseInsensitive) == 0)
            named = i;
    if (named < 0)
        return;
    int header = -1;
    for (int i = named; i >= 0 && header < 0; --i)
        if (day[i].left(13) == QLatin1String("[ExerciseInfo"))
            header = i;
    if (header < 0)
        return;
    const QString energy = header + 3 < day.size() ? splitItems(day[header + 3]).value(5) : QString();
    calories_ = energy.isEmpty() ? QStringLiteral("0") : energy;
    caloriesFromDayFile_ = true;
    double kcal;
    const QString dayFile = QStringLiteral("20") + exercise.left(6) + QStringLiteral(".pdd");
    if (!TryStrToFloat(calories_, kcal, GetEnglishFormatSettings()))
        throw ReadError{dayFile, header + 4,
                        QCoreApplication::translate("SysUtils", "'%1' ist kein gültiger Gleitkommawert").arg(calories_)};
    if (!std::isfinite(kcal) || std::fabs(kcal) > INT_MAX)
        throw ReadError{dayFile, header + 4, outOfRange(calories_)};
}
