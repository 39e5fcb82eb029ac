#include "traininglog/hrmunitfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

namespace {

// Raised inside the reading and turned into the reader's error at its end.
struct ReadError {
    int line;  // 1-based, 0 for the file as a whole
    QString message;
};

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

bool isSectionLine(const QString& line)
{
    return line.trimmed().startsWith(QLatin1Char('['));
}

// Times of the file are written with ':' whatever the user's format settings say.
TFormatSettings fileTimeFormat()
{
    TFormatSettings fs = FormatSettings();
    fs.TimeSeparator = QLatin1Char(':');
    return fs;
}

// A time text of the file to whole milliseconds; the runtime's conversion error otherwise.
int64_t timeMs(const QString& text)
{
    TDateTime t = 0;
    if (!TryStrToTime(text.trimmed(), t, fileTimeFormat()) || t < 0)
        throw EConvertError(QCoreApplication::translate("SysUtils", "'%1' ist keine gültige Zeit").arg(text));
    return int64_t(t * MSecsPerDay + 0.5);
}

}  // namespace

bool HrmUnitFile::load(const QString& fileName)
{
    *this = HrmUnitFile();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error_.message = QCoreApplication::translate("HrmFile", "Die Datei \"%1\" kann nicht gelesen werden: %2")
                             .arg(fileName, file.errorString());
        return false;
    }
    setText(file.readAll());
    return true;
}

void HrmUnitFile::setText(const QByteArray& text)
{
    const QString decoded = decodeText(text);
    lines_ = decoded.split(QLatin1Char('\n'));
    for (QString& l : lines_)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    // A final line break ends the last line; it does not begin another.
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
}

bool HrmUnitFile::ReadSamples(const QString& fileName)
{
    return load(fileName) && samplesFromLines();
}

bool HrmUnitFile::ReadLaps(const QString& fileName)
{
    return load(fileName) && lapsFromLines();
}

bool HrmUnitFile::ParseSamples(const QByteArray& text)
{
    *this = HrmUnitFile();
    setText(text);
    return samplesFromLines();
}

bool HrmUnitFile::ParseLaps(const QByteArray& text)
{
    *this = HrmUnitFile();
    setText(text);
    return lapsFromLines();
}

void HrmUnitFile::checkNotEmpty() const
{
    // A file without a single written line is refused, not read as one without rows.
    for (const QString& l : lines_)
        if (!l.trimmed().isEmpty())
            return;
    throw ReadError{0, QCoreApplication::translate("HrmFile", "Die Datei ist leer.")};
}

bool HrmUnitFile::samplesFromLines()
{
    try {
        checkNotEmpty();
        readParams();
        readSamples();
    } catch (const ReadError& e) {
        samples_.clear();
        error_ = {QString(), e.line, e.message};
        return false;
    }
    return true;
}

bool HrmUnitFile::lapsFromLines()
{
    try {
        checkNotEmpty();
        readLaps();
    } catch (const ReadError& e) {
        laps_.clear();
        error_ = {QString(), e.line, e.message};
        return false;
    }
    return true;
}

void HrmUnitFile::fail(int index, const QString& message) const
{
    throw ReadError{index + 1, message};
}

int HrmUnitFile::sectionStart(const QString& name) const
{
    // The section line is looked for from the file's second line on, as the monitor's files
    // always begin with "[Params]".
    const QString wanted = QLatin1Char('[') + name + QLatin1Char(']');
    for (int i = 1; i < lines_.size(); ++i)
        if (lines_[i].trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return i + 1;
    return -1;
}

QString HrmUnitFile::iniValue(const QString& section, const QString& key, int* line) const
{
    // As an INI file reads it: the first "key=value" of the section, names without case.
    QString current;
    for (int i = 0; i < lines_.size(); ++i) {
        const QString t = lines_[i].trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            current = t.mid(1, t.size() - 2).trimmed();
            continue;
        }
        if (current.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        const int eq = t.indexOf(QLatin1Char('='));
        if (eq > 0 && t.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            if (line)
                *line = i;
            return t.mid(eq + 1).trimmed();
        }
    }
    return QString();
}

void HrmUnitFile::readParams()
{
    // "Interval" is read as an INI file reads an integer: a value that is no number counts as
    // missing; without one in "Params" the value of "Settings" (older monitors) applies.
    interval_ = StrToIntDef(iniValue(QStringLiteral("Params"), QStringLiteral("Interval")), 0);
    if (interval_ == 0)
        interval_ = StrToIntDef(iniValue(QStringLiteral("Settings"), QStringLiteral("Interval")), 0);
    if (interval_ < 0)
        interval_ = 0;

    // "Length": converted (a malformed value is an error of its line) but not used for the rows.
    int line = -1;
    QString length = iniValue(QStringLiteral("Params"), QStringLiteral("Length"), &line);
    if (length.isEmpty()) {
        length = QStringLiteral("00:00:00");
        line = -1;
    }
    if (length == QLatin1String("00:00:00")) {
        int settingsLine = -1;
        const QString settings = iniValue(QStringLiteral("Settings"), QStringLiteral("Length"), &settingsLine);
        if (!settings.isEmpty()) {
            length = settings;
            line = settingsLine;
        }
    }
    // Seven characters ("0:12:34"), and the eighth when it is no decimal point ("00:12:34").
    QString text = length.left(7);
    if (length.size() > 7 && length[7] != QLatin1Char('.'))
        text += length[7];
    try {
        length_ = timeMs(text) / MSecsPerDay;
    } catch (const EConvertError& e) {
        fail(line, e.Message());
    }
}

void HrmUnitFile::readSamples()
{
    const int start = sectionStart(QStringLiteral("HRData"));
    if (start < 0)
        return;
    int number = 0;
    for (int i = start; i < lines_.size(); ++i) {
        const QString& line = lines_[i];
        if (line.trimmed().isEmpty())
            continue;
        if (isSectionLine(line))
            break;
        // First field: up to the first tab (the whole line without one); second field: up to
        // the second tab, "0" when empty.
        const int tab = line.indexOf(QLatin1Char('\t'));
        const QString first = tab < 0 ? line : line.left(tab);
        QString second;
        if (tab >= 0) {
            const int next = line.indexOf(QLatin1Char('\t'), tab + 1);
            second = next < 0 ? line.mid(tab + 1) : line.mid(tab + 1, next - tab - 1);
        }
        if (second.trimmed().isEmpty())
            second = QStringLiteral("0");
        HrmUnitSample s;
        s.meter = i;
        s.ms = int64_t(number) * interval_ * 1000;
        try {
            s.puls = StrToInt(first.trimmed());
            s.hdiff = StrToInt(second.trimmed());
        } catch (const EConvertError& e) {
            fail(i, e.Message());
        }
        samples_.append(s);
        ++number;
    }
}

void HrmUnitFile::readLaps()
{
    const int start = sectionStart(QStringLiteral("IntTimes"));
    if (start < 0)
        return;
    for (int i = start; i < lines_.size(); ++i) {
        const QString& line = lines_[i];
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')))
            break;
        // A lap's first line begins with its time of a one-digit hour ("0:12:34.5"); the
        // lap's further lines, and every other line, are skipped.
        if (line.size() <= 2 || line[1] != QLatin1Char(':'))
            continue;
        HrmUnitLap lap;
        lap.meter = i;
        // The pulse: the three characters after the first tab, two when the third is a tab.
        const int tab = line.indexOf(QLatin1Char('\t'));
        QString puls = line.mid(tab + 1, 3);
        if (puls.size() == 3 && puls[2] == QLatin1Char('\t'))
            puls.truncate(2);
        try {
            lap.ms = timeMs(QLatin1Char('0') + line.left(7));
            lap.puls = StrToInt(puls.trimmed());
        } catch (const EConvertError& e) {
            fail(i, e.Message());
        }
        laps_.append(lap);
    }
}
