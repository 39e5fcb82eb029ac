#include "exchange/garminrunfile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimeZone>
#include <QVarLengthArray>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/orvtools.h"
#include "platform/rtl/wholefile.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("GarminRunFile", text);
}

constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kUnixEpochJulianDay = 2440588;  // 1970-01-01
constexpr double kUnixEpochDateTime = 25569;      // 1970-01-01 as a date-time

// What the unit and its rows hold: whole metres in an integer field, heights and the climb in
// small integer fields, durations as date-times (up to 31.12.9999).
constexpr int64_t kMaxMeters = 2147483647;
constexpr int kMinHeight = -32768;
constexpr int kMaxHeight = 32767;
constexpr double kMaxSeconds = 2958465.0 * 86400;

// Whole days and the milliseconds of the day, so that a time of day is exact.
TDateTime epochMsToDateTime(int64_t ms)
{
    int64_t days = ms / kMsPerDay;
    int64_t rest = ms % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --days;
    }
    return kUnixEpochDateTime + double(days) + double(rest) / MSecsPerDay;
}

int digitsAt(QStringView s, int at, int count, bool& ok)
{
    int v = 0;
    for (int i = at; i < at + count; ++i) {
        if (i >= s.size() || !s[i].isDigit()) {
            ok = false;
            return 0;
        }
        v = v * 10 + s[i].digitValue();
    }
    return v;
}

// "yyyy-MM-ddThh:mm:ss", optionally fractions of a second, then "Z", an offset "+hh:mm" or
// nothing (universal time as well).
bool parseIsoTime(QStringView s, int64_t& ms)
{
    s = s.trimmed();
    bool ok = s.size() >= 19 && s[4] == u'-' && s[7] == u'-' && (s[10] == u'T' || s[10] == u' ') &&
              s[13] == u':' && s[16] == u':';
    const int year = digitsAt(s, 0, 4, ok), month = digitsAt(s, 5, 2, ok), day = digitsAt(s, 8, 2, ok);
    const int hour = digitsAt(s, 11, 2, ok), minute = digitsAt(s, 14, 2, ok), second = digitsAt(s, 17, 2, ok);
    const QDate date(year, month, day);
    if (!ok || !date.isValid() || hour > 23 || minute > 59 || second > 59)
        return false;
    int i = 19;
    int fraction = 0;
    if (i < s.size() && (s[i] == u'.' || s[i] == u',')) {
        ++i;
        int digits = 0;
        for (; i < s.size() && s[i].isDigit(); ++i, ++digits)
            if (digits < 3)
                fraction = fraction * 10 + s[i].digitValue();
        if (digits == 0)
            return false;
        for (; digits < 3; ++digits)
            fraction *= 10;
    }
    int offsetMinutes = 0;
    if (i < s.size() && s[i] == u'Z') {
        ++i;
    } else if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        const int sign = s[i] == u'-' ? -1 : 1;
        const int oh = digitsAt(s, i + 1, 2, ok);
        i += 3;
        if (i < s.size() && s[i] == u':')
            ++i;
        const int om = digitsAt(s, i, 2, ok);
        i += 2;
        if (!ok || oh > 23 || om > 59)
            return false;
        offsetMinutes = sign * (oh * 60 + om);
    }
    if (i != s.size())
        return false;
    const int64_t days = date.toJulianDay() - kUnixEpochJulianDay;
    ms = days * kMsPerDay + (int64_t(hour) * 3600 + minute * 60 + second) * 1000 + fraction -
         int64_t(offsetMinutes) * 60000;
    return true;
}

bool parseNumber(QStringView s, double& value)
{
    bool ok = false;
    value = s.trimmed().toDouble(&ok);  // always with a decimal point, whatever the locale
    return ok;
}

// "PT300.9S" (the watch's form), also with hours and minutes ("PT1H2M3.5S"), or plain seconds.
bool parseDuration(QStringView s, double& seconds)
{
    s = s.trimmed();
    if (!s.startsWith(u"PT"))
        return parseNumber(s, seconds);
    seconds = 0;
    s = s.mid(2);
    if (s.isEmpty())
        return false;
    const QString units = QStringLiteral("HMS");
    int lastUnit = -1;
    while (!s.isEmpty()) {
        int n = 0;
        while (n < s.size() && (s[n].isDigit() || s[n] == u'.'))
            ++n;
        if (n == 0 || n >= s.size())
            return false;
        const int unit = units.indexOf(s[n]);
        double v;
        if (unit <= lastUnit || !parseNumber(s.left(n), v))
            return false;
        seconds += v * (unit == 0 ? 3600 : unit == 1 ? 60 : 1);
        lastUnit = unit;
        s = s.mid(n + 1);
    }
    return true;
}

// Bytes 1 to 127 only: the same characters in UTF-8, Latin-1 and every encoding a run file may
// declare, so they need no decoding.
bool isPlainAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (c <= 0)
            return false;
    return !bytes.isEmpty();
}

// The declared encoding decides, as an XML parser would; UTF-8 without a declaration.
bool decodeXml(const QByteArray& bytes, QString& text, QString& error)
{
    std::optional<QStringConverter::Encoding> bom = QStringConverter::encodingForData(bytes);
    QByteArray name = "UTF-8";
    if (bom) {
        name = QStringConverter::nameForEncoding(*bom);
    } else {
        static const QRegularExpression declared(QStringLiteral("^<\\?xml[^>]*encoding\\s*=\\s*[\"']([^\"']+)[\"']"));
        const QRegularExpressionMatch m = declared.match(QString::fromLatin1(bytes.left(200)));
        if (m.hasMatch())
            name = m.captured(1).toLatin1();
    }
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid()) {
        error = tr("Die Zeichenkodierung \"%1\" wird nicht unterstützt.").arg(QString::fromLatin1(name));
        return false;
    }
    text = decoder.decode(bytes);
    if (decoder.hasError()) {
        error = tr("Die Datei ist nicht in der Zeichenkodierung \"%1\" geschrieben.").arg(QString::fromLatin1(name));
        return false;
    }
    return true;
}

// A track's rows in wide numbers, so that sums of any values read can be checked against the
// fields that keep them: the running distance from point to point (great-circle distance) in
// whole metres, each point's height in whole metres, its time after the first point's, and the
// climb. A point without a position or an altitude keeps the previous point's; the climb sums
// every rise of the rounded height between known heights.
struct WideTrack {
    QList<int64_t> meters;
    QList<int> heights;
    QList<int64_t> ms;
    int64_t climb = 0;
};

WideTrack wideTrack(const GarminRun& run)
{
    WideTrack track;
    double distance = 0;
    bool havePosition = false, haveAltitude = false, haveStart = false;
    double latitude = 0, longitude = 0;
    int altitude = 0;
    int64_t start = 0, elapsed = 0;
    for (const GarminTrackPoint& p : run.points) {
        if (p.hasPosition) {
            if (havePosition)
                distance += GeoDistance(latitude, longitude, p.latitude, p.longitude);
            latitude = p.latitude;
            longitude = p.longitude;
            havePosition = true;
        }
        if (p.hasAltitude) {
            const int rounded = int(Round(p.altitude));
            if (haveAltitude && rounded > altitude)
                track.climb += rounded - altitude;
            altitude = rounded;
            haveAltitude = true;
        }
        if (p.hasTime) {
            if (!haveStart) {
                start = p.timeMs;
                haveStart = true;
            }
            elapsed = p.timeMs - start;
        }
        track.meters.append(Round(distance));
        track.heights.append(altitude);
        track.ms.append(elapsed);
    }
    return track;
}

struct ParseError {
    int line;
    int column;
    QString message;
};

class Parser {
public:
    // Either the decoded text, or the file's bytes when they are plain ASCII: then a character
    // offset is a byte offset and the file needs no decoding of its own.
    Parser(const QString& text, const QByteArray& ascii, QList<GarminRun>& runs, int& skipped)
        : text_(text), ascii_(ascii), runs_(runs), skipped_(skipped)
    {
        if (ascii.isEmpty())
            xml_.addData(text);
        else
            xml_.addData(ascii);
    }

    void run()
    {
        while (next() != QXmlStreamReader::StartElement) {
        }
        // The runs are the "Run" children of the document element; other children are skipped.
        for (;;) {
            const qint64 before = xml_.characterOffset();
            const auto token = next();
            if (token == QXmlStreamReader::EndElement)
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (xml_.name() == u"Run")
                readRun(before);
            else
                skip();
        }
        while (!xml_.atEnd())
            next();
    }

private:
    QXmlStreamReader::TokenType next()
    {
        const auto token = xml_.readNext();
        if (xml_.hasError())
            throw ParseError{int(xml_.lineNumber()), int(xml_.columnNumber()) + 1,
                             tr("Die Datei ist kein gültiges XML: %1").arg(xml_.errorString())};
        return token;
    }

    void skip()
    {
        xml_.skipCurrentElement();
        if (xml_.hasError())
            next();
    }

    // Calls f for each child element of the current element, by its name.
    template <typename F>
    void children(F&& f)
    {
        for (;;) {
            const auto token = next();
            if (token == QXmlStreamReader::EndElement)
                return;
            if (token == QXmlStreamReader::StartElement)
                f(xml_.name());
        }
    }

    // The text of the current element, kept on the stack: a file holds a hundred thousand
    // small values, and the reader's own buffer is valid only until its next token. The
    // position of the text's start is kept for errors.
    struct Value {
        QVarLengthArray<QChar, 64> chars;
        int line = 0;
        int column = 0;
        QStringView view() const { return QStringView(chars.data(), chars.size()); }
        QString text() const { return view().toString(); }
    };
    void value(Value& v)
    {
        v.line = int(xml_.lineNumber());
        v.column = int(xml_.columnNumber()) + 1;  // the reader counts columns from 0
        v.chars.clear();
        int depth = 0;
        for (;;) {
            const auto token = next();
            if (token == QXmlStreamReader::Characters && depth == 0) {
                const QStringView t = xml_.text();
                v.chars.append(t.data(), t.size());
            } else if (token == QXmlStreamReader::StartElement) {
                ++depth;
            } else if (token == QXmlStreamReader::EndElement) {
                if (depth-- == 0)
                    return;
            }
        }
    }

    double number(Value& v)
    {
        value(v);
        double d;
        if (!parseNumber(v.view(), d))
            throw ParseError{v.line, v.column,
                             QCoreApplication::translate("SysUtils", "'%1' ist kein gültiger Gleitkommawert").arg(v.text())};
        return d;
    }

    // A number whose value must lie within [low, high]; one outside (or no finite number at
    // all) becomes the run's problem, and the reading goes on.
    double bounded(double low, double high, const char* outside)
    {
        Value v;
        const double d = number(v);
        if (!(d >= low && d <= high))
            refuse(v.line, v.column, tr(outside).arg(v.text()));
        return d;
    }

    void refuse(int line, int column, const QString& message)
    {
        if (run_ && run_->problem.IsEmpty())
            run_->problem = {QString(), line, column, message};
    }

    int64_t time()
    {
        Value v;
        value(v);
        int64_t ms;
        if (!parseIsoTime(v.view(), ms))
            throw ParseError{v.line, v.column,
                             QCoreApplication::translate("SysUtils", "'%1' ist kein gültiges Datum und Zeit").arg(v.text())};
        return ms;
    }

    void readRun(qsizetype start)
    {
        GarminRun run;
        run.line = int(xml_.lineNumber());
        run.column = int(xml_.columnNumber()) + 1;
        run_ = &run;
        children([&](QStringView name) {
            if (name == u"Lap")
                run.laps.append(readLap());
            else if (name == u"Track")
                readTrack(run.points);
            else
                skip();
        });
        // The reader may have taken the start tag's '<' with the token before it.
        const qsizetype end = xml_.characterOffset();
        if (ascii_.isEmpty()) {
            start = text_.lastIndexOf(QLatin1Char('<'), start);
            run.xml = text_.mid(start, end - start);
        } else {
            start = ascii_.lastIndexOf('<', start);
            run.xml = QString::fromLatin1(ascii_.constData() + start, end - start);
        }
        run_ = nullptr;
        if (run.laps.isEmpty() || !run.laps.first().hasStart) {
            ++skipped_;
            return;
        }
        run.startMs = run.laps.first().startMs;
        if (run.Importable())
            checkTotals(run);
        runs_.append(std::move(run));
    }

    GarminLap readLap()
    {
        GarminLap lap;
        lap.line = int(xml_.lineNumber());
        children([&](QStringView name) {
            if (name == u"StartTime") {
                lap.startMs = time();
                lap.hasStart = true;
            } else if (name == u"Length") {
                lap.length = bounded(0, double(kMaxMeters),
                                     QT_TRANSLATE_NOOP("GarminRunFile", "Die Länge %1 m liegt außerhalb dessen, was "
                                                                        "eine Einheit speichern kann."));
            } else if (name == u"Duration") {
                Value v;
                value(v);
                if (!parseDuration(v.view(), lap.durationSeconds))
                    throw ParseError{v.line, v.column, tr("'%1' ist keine gültige Dauer").arg(v.text())};
                if (!(lap.durationSeconds >= 0 && lap.durationSeconds <= kMaxSeconds))
                    refuse(v.line, v.column,
                           tr("Die Dauer %1 liegt außerhalb dessen, was eine Einheit speichern kann.").arg(v.text()));
            } else {
                skip();
            }
        });
        return lap;
    }

    void readTrack(QList<GarminTrackPoint>& points)
    {
        children([&](QStringView name) {
            if (name != u"Trackpoint") {
                skip();
                return;
            }
            GarminTrackPoint p;
            p.line = int(xml_.lineNumber());
            bool hasLatitude = false, hasLongitude = false;
            auto altitude = [&] {
                // Heights are stored in whole metres in a small integer field.
                p.altitude = bounded(kMinHeight, kMaxHeight,
                                     QT_TRANSLATE_NOOP("GarminRunFile", "Die Höhe %1 m liegt außerhalb dessen, was "
                                                                        "gespeichert werden kann (-32768 bis 32767 m)."));
                p.hasAltitude = true;
            };
            children([&](QStringView child) {
                if (child == u"Time") {
                    p.timeMs = time();
                    p.hasTime = true;
                } else if (child == u"Position") {
                    children([&](QStringView coordinate) {
                        if (coordinate == u"Latitude") {
                            p.latitude = bounded(-90, 90,
                                                 QT_TRANSLATE_NOOP("GarminRunFile",
                                                                   "Der Breitengrad %1 liegt außerhalb von -90 bis 90."));
                            hasLatitude = true;
                        } else if (coordinate == u"Longitude") {
                            p.longitude = bounded(-180, 180,
                                                  QT_TRANSLATE_NOOP("GarminRunFile",
                                                                    "Der Längengrad %1 liegt außerhalb von -180 bis 180."));
                            hasLongitude = true;
                        } else if (coordinate == u"Altitude") {
                            altitude();
                        } else {
                            skip();
                        }
                    });
                } else if (child == u"Altitude") {
                    altitude();  // some exports put it beside the position
                } else {
                    skip();
                }
            });
            p.hasPosition = hasLatitude && hasLongitude;
            points.append(p);
        });
    }

    // The sums that the unit and its rows keep, of values each within its own bounds.
    void checkTotals(GarminRun& run)
    {
        double length = 0;
        int64_t meters = 0;
        double seconds = 0;
        for (const GarminLap& lap : run.laps) {
            length += lap.length;
            meters += Round(lap.length);
            seconds += std::trunc(lap.durationSeconds);
            if (meters > kMaxMeters || Round(length) > kMaxMeters) {
                run.problem = {QString(), lap.line, 0,
                               tr("Die Runden sind zusammen länger, als eine Einheit speichern kann.")};
                return;
            }
            if (seconds > kMaxSeconds) {
                run.problem = {QString(), lap.line, 0,
                               tr("Die Runden dauern zusammen länger, als eine Einheit speichern kann.")};
                return;
            }
        }
        const WideTrack track = wideTrack(run);
        for (qsizetype k = 0; k < track.meters.size(); ++k)
            if (track.meters[k] > kMaxMeters) {
                run.problem = {QString(), run.points[k].line, 0,
                               tr("Die Messpunkte sind zusammen weiter entfernt, als eine Einheit speichern kann.")};
                return;
            }
        if (track.climb > kMaxHeight)
            run.problem = {QString(), run.line, run.column,
                           tr("Der Anstieg von %1 m ist größer, als eine Einheit speichern kann (32767 m).")
                               .arg(track.climb)};
    }

    const QString& text_;
    const QByteArray& ascii_;
    QList<GarminRun>& runs_;
    int& skipped_;
    QXmlStreamReader xml_;
    GarminRun* run_ = nullptr;  // the run being read
};

}  // namespace

QString GarminError::Text() const
{
    if (line <= 0)
        return file.isEmpty() ? message : tr("Datei \"%1\": %2").arg(QDir::toNativeSeparators(file), message);
    const QString where = column > 0 ? tr("Zeile %1, Spalte %2").arg(line).arg(column) : tr("Zeile %1").arg(line);
    return file.isEmpty() ? where + QStringLiteral(": ") + message
                          : tr("Datei \"%1\", %2: %3").arg(QDir::toNativeSeparators(file), where, message);
}

TDateTime GarminRun::StartUtc() const
{
    return epochMsToDateTime(startMs);
}

TDateTime GarminRun::StartLocal() const
{
    // The zone's bias at the run's own moment: a summer run stays in summer time.
    const int bias = TimeZoneBias(QTimeZone::systemTimeZone(), QDateTime::fromMSecsSinceEpoch(startMs, QTimeZone::utc()));
    return epochMsToDateTime(startMs - int64_t(bias) * 60000);
}

int GarminRun::Length() const
{
    double sum = 0;
    for (const GarminLap& lap : laps)
        sum += lap.length;
    // A run with a problem is listed with what the fields hold; it is never written.
    return int(Round(std::isfinite(sum) ? std::clamp(sum, 0.0, double(kMaxMeters)) : 0.0));
}

int64_t GarminRun::DurationMs() const
{
    int64_t ms = 0;
    for (const GarminLap& lap : laps) {
        const double seconds = lap.durationSeconds;
        ms += Trunc(std::isfinite(seconds) ? std::clamp(seconds, 0.0, kMaxSeconds) : 0.0) * 1000;
    }
    return std::min(ms, int64_t(kMaxSeconds) * 1000);
}

bool GarminRunFile::Read(const QString& fileName)
{
    // A file larger than any real recording is refused before it is read.
    QByteArray bytes;
    QString failure;
    if (!ReadWholeFile(fileName, bytes, failure)) {
        error_ = {fileName, 0, 0, failure};
        runs_.clear();
        skipped_ = 0;
        return false;
    }
    return Parse(bytes, fileName);
}

bool GarminRunFile::Parse(const QByteArray& xml, const QString& fileName)
{
    error_ = {};
    error_.file = fileName;
    runs_.clear();
    skipped_ = 0;
    QString text;
    const bool ascii = isPlainAscii(xml);
    if (!ascii && !decodeXml(xml, text, error_.message))
        return false;
    try {
        Parser(text, ascii ? xml : QByteArray(), runs_, skipped_).run();
    } catch (const ParseError& e) {
        error_ = {fileName, e.line, e.column, e.message};
        runs_.clear();
        skipped_ = 0;
        return false;
    }
    return true;
}

QList<GarminSplitRow> GarminLapRows(const GarminRun& run)
{
    QList<GarminSplitRow> rows;
    GarminSplitRow row;
    for (const GarminLap& lap : run.laps) {
        row.meter += int(Round(lap.length));
        row.ms += Trunc(lap.durationSeconds) * 1000;
        rows.append(row);
    }
    return rows;
}

GarminTrack GarminTrackRows(const GarminRun& run)
{
    const WideTrack wide = wideTrack(run);
    GarminTrack track;
    track.climb = int(wide.climb);
    track.rows.reserve(wide.meters.size());
    for (qsizetype k = 0; k < wide.meters.size(); ++k)
        track.rows.append({int(wide.meters[k]), wide.heights[k], wide.ms[k]});
    return track;
}
