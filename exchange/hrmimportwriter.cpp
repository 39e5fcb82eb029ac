#include "exchange/hrmimportwriter.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <climits>
#include <cmath>

#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "platform/rtl/sysutils.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("HrmImportWriter", text);
}

// A cell read as a whole number: empty is 0; a number with a decimal point is truncated (the
// monitor writes whole numbers, an edited cell may hold a fraction).
bool cellInt(const QString& cell, int& value)
{
    const QString t = cell.trimmed();
    if (t.isEmpty()) {
        value = 0;
        return true;
    }
    if (TryStrToInt(t, value))
        return true;
    double d = 0;
    if (!TryStrToFloat(t, d, GetEnglishFormatSettings()) || !std::isfinite(d) || std::fabs(d) > 2e9)
        return false;
    value = int(Trunc(d));
    return true;
}

bool cellFloat(const QString& cell, double& value)
{
    const QString t = cell.trimmed();
    if (t.isEmpty()) {
        value = 0;
        return true;
    }
    return TryStrToFloat(t, value, GetEnglishFormatSettings()) && std::isfinite(value);
}

QString cellAt(const QStringList& row, int column)
{
    return column >= 0 && column < row.size() ? row[column] : QString();
}

QString header(const QStringList& headers, int column)
{
    const QString h = cellAt(headers, column);
    return h.isEmpty() ? QString::number(column + 1) : h;
}

}  // namespace

bool HrmImportWriter::fail(const QString& message)
{
    error_ = message;
    return false;
}

bool HrmImportWriter::ParseTime(const QString& text, int64_t& ms)
{
    static const QRegularExpression re(QStringLiteral("^(?:(\\d{1,6}):)?(\\d{1,2}):(\\d{1,2})(?:[.,](\\d{1,3})\\d*)?$"));
    if (text.trimmed().isEmpty()) {
        ms = 0;  // an emptied cell counts 0, as every other cell
        return true;
    }
    const QRegularExpressionMatch m = re.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    const int64_t h = m.captured(1).isEmpty() ? 0 : m.captured(1).toLongLong();
    const int min = m.captured(2).toInt();
    const int sec = m.captured(3).toInt();
    if (min > 59 || sec > 59)
        return false;
    const QString frac = m.captured(4);
    const int msPart = frac.isEmpty() ? 0 : frac.leftJustified(3, QLatin1Char('0')).toInt();
    ms = ((h * 60 + min) * 60 + sec) * 1000 + msPart;
    return true;
}

QString HrmImportWriter::TimeText(int64_t ms)
{
    const int64_t s = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

int HrmImportWriter::getAvgPuls(const QList<QStringList>& samples)
{
    if (samples.isEmpty())
        return 0;
    int64_t sum = 0;
    for (const QStringList& row : samples) {
        int v = 0;
        if (cellInt(cellAt(row, 1), v))
            sum += v;
    }
    return int(sum / samples.size());
}

int HrmImportWriter::getSumHdiff(const QList<QStringList>& samples, int heightColumn)
{
    if (heightColumn < 0)
        return 0;
    int sum = 0;
    for (int r = 1; r < samples.size(); ++r) {
        int before = 0, after = 0;
        if (cellInt(cellAt(samples[r - 1], heightColumn), before) && cellInt(cellAt(samples[r], heightColumn), after) &&
            after > before)
            sum += after - before;
    }
    return sum;
}

bool HrmImportWriter::readSamples(const HrmImportInput& in, QList<SampleRow>& rows)
{
    const QString page = tr("Pulswerte");
    auto bad = [&](int r, int column, const QString& cell) {
        return fail(tr("Seite \"%1\", Zeile %2, Spalte \"%3\": \"%4\" ist kein gültiger Wert.")
                        .arg(page)
                        .arg(r + 1)
                        .arg(header(in.sampleHeaders, column), cell));
    };
    // The distance of the samples: the speeds (tenths of km/h) times the interval, summed exactly
    // and divided once, so that 3,600 samples at 10.0 km/h give 10000 m and not 9999.
    double speedSeconds = 0;
    rows.reserve(in.samples.size());
    for (int r = 0; r < in.samples.size(); ++r) {
        const QStringList& row = in.samples[r];
        SampleRow s{};
        if (!ParseTime(cellAt(row, 0), s.ms))
            return bad(r, 0, cellAt(row, 0));
        if (!cellInt(cellAt(row, 1), s.puls))
            return bad(r, 1, cellAt(row, 1));
        if (in.cadenceColumn >= 0 && !cellInt(cellAt(row, in.cadenceColumn), s.cadence))
            return bad(r, in.cadenceColumn, cellAt(row, in.cadenceColumn));
        if (in.heightColumn >= 0 && !cellInt(cellAt(row, in.heightColumn), s.height))
            return bad(r, in.heightColumn, cellAt(row, in.heightColumn));
        if (in.splitColumn >= 0 && in.speedColumn >= 0) {
            double speed = 0;
            if (!cellFloat(cellAt(row, in.speedColumn), speed))
                return bad(r, in.speedColumn, cellAt(row, in.speedColumn));
            speedSeconds += speed * in.interval;
            // An edited speed may carry the distance beyond the metres a row holds.
            if (!(std::fabs(speedSeconds / 36.0) < INT_MAX))
                return bad(r, in.speedColumn, cellAt(row, in.speedColumn));
            s.meter = int(Trunc(speedSeconds / 36.0 + 1e-6));
        } else {
            s.meter = (r + 1) * 10;
        }
        rows.append(s);
    }
    return true;
}

bool HrmImportWriter::readLaps(const HrmImportInput& in, QList<LapRow>& rows)
{
    const QString page = tr("Zwischenzeiten");
    auto bad = [&](int r, int column, const QString& cell) {
        return fail(tr("Seite \"%1\", Zeile %2, Spalte \"%3\": \"%4\" ist kein gültiger Wert.")
                        .arg(page)
                        .arg(r + 1)
                        .arg(header(in.lapHeaders, column), cell));
    };
    // The route's points give the laps their distances and names, when a route is chosen and
    // has a point for every lap.
    QList<std::pair<int, QString>> points;
    if (!in.route.isEmpty() && orvServer->strecke.Active() &&
        orvServer->strecke.Locate(QStringLiteral("Name"), in.route)) {
        TDataSet& p = orvServer->strPunkte;
        if (p.Active()) {
            p.First();
            while (!p.Eof()) {
                points.append({p.FieldByName(QStringLiteral("Meter"))->AsInteger(),
                               p.FieldByName(QStringLiteral("Streckenpunkt"))->AsString()});
                p.Next();
            }
            p.First();
        }
    }
    const bool usePoints = !points.isEmpty() && points.size() >= in.laps.size();
    rows.reserve(in.laps.size());
    for (int k = 0; k < in.laps.size(); ++k) {
        const QStringList& row = in.laps[k];
        LapRow lap{};
        if (!ParseTime(cellAt(row, 1), lap.ms))
            return bad(k, 1, cellAt(row, 1));
        for (auto [column, target] : {std::pair{2, &lap.puls}, {3, &lap.minPuls}, {5, &lap.maxPuls}})
            if (!cellInt(cellAt(row, column), *target))
                return bad(k, column, cellAt(row, column));
        if (in.lapColumns >= 9) {
            if (!cellInt(cellAt(row, 6), lap.height))
                return bad(k, 6, cellAt(row, 6));
            if (!cellInt(cellAt(row, 7), lap.temperature))
                return bad(k, 7, cellAt(row, 7));
        }
        if (usePoints) {
            lap.meter = points[k].first;
            lap.note = points[k].second;
        } else {
            const QString distance = cellAt(row, 8).trimmed();
            int meter = 0;
            if (in.lapColumns > 8 && !distance.isEmpty() && distance != QLatin1String("0")) {
                if (!cellInt(distance, meter))
                    return bad(k, 8, distance);
                lap.meter = meter;
            } else {
                lap.meter = (k + 1) * 1000;
            }
        }
        rows.append(lap);
    }
    return true;
}

bool HrmImportWriter::insertUnit(const HrmImportInput& in)
{
    TDataSet& daten = orvServer->daten;
    auto field = [&](const char* name) { return daten.FieldByName(QString::fromLatin1(name)); };
    auto badField = [&](const QString& caption, const QString& value) {
        return fail(tr("Seite \"Einheit\", Feld \"%1\": \"%2\" ist kein gültiger Wert.").arg(caption, value));
    };
    TDateTime day = 0;
    if (!TryStrToDate(in.datum.trimmed(), day, FormatSettings()))
        return badField(tr("Datum"), in.datum);
    int64_t duration = 0, start = 0;
    if (!in.zeit.trimmed().isEmpty() && !ParseTime(in.zeit, duration))
        return badField(tr("Zeit"), in.zeit);
    if (!in.startzeit.trimmed().isEmpty() && !ParseTime(in.startzeit, start))
        return badField(tr("Startzeit"), in.startzeit);
    int maxpuls = 0, ruhepuls = 0, meter = 0;
    double gewicht = 0, kalorien = 0;
    if (!cellInt(in.maxpuls, maxpuls))
        return badField(tr("Maximalpuls"), in.maxpuls);
    if (!cellInt(in.ruhepuls, ruhepuls))
        return badField(tr("Ruhepuls"), in.ruhepuls);
    if (!cellFloat(in.gewicht, gewicht))
        return badField(tr("Gewicht"), in.gewicht);
    if (!cellFloat(in.kalorien, kalorien))
        return badField(tr("Kalorien"), in.kalorien);
    if (!cellInt(in.meter, meter))
        return badField(tr("Berechnete Gesamtmeter"), in.meter);

    daten.Insert();
    field("Datum")->SetAsDateTime(day);
    field("Zeit")->SetAsDateTime(duration / MSecsPerDay);
    field("Startzeit")->SetAsDateTime(start / MSecsPerDay);
    field("Maxpuls")->SetAsInteger(maxpuls);
    field("Ruhepuls")->SetAsInteger(ruhepuls);
    if (!in.gewicht.trimmed().isEmpty())
        field("Gewicht")->SetAsFloat(gewicht);
    field("kcal")->SetAsInteger(int(Trunc(kalorien)));
    field("Bemerkungen")->SetAsString(in.kommentar);
    field("Meter")->SetAsInteger(meter);
    for (const char* key : {"Sportart", "Form", "Belastungsart", "Belastungsstufe"})
        field(key)->SetAsInteger(0);
    field("Puls")->SetAsInteger(getAvgPuls(in.samples));
    field("Hoehendifferenz")->SetAsInteger(getSumHdiff(in.samples, in.heightColumn));
    TDataSet& strecke = orvServer->strecke;
    if (!in.route.isEmpty() && strecke.Active() && strecke.Locate(QStringLiteral("Name"), in.route)) {
        // The route's length only replaces the distance the samples did not give.
        if (in.meter.trimmed() == QLatin1String("1000"))
            field("Meter")->SetAsInteger(strecke.FieldByName(QStringLiteral("Laenge"))->AsInteger());
        field("Ort")->SetAsString(strecke.FieldByName(QStringLiteral("Name"))->AsString());
        field("Hoehendifferenz")->SetAsInteger(strecke.FieldByName(QStringLiteral("HDiff"))->AsInteger());
        field("Streckenbeschreibung")->SetAsString(strecke.FieldByName(QStringLiteral("Ort"))->AsString());
        field("Bemerkungen")->SetAsString(strecke.FieldByName(QStringLiteral("Beschreibung"))->AsString());
    }
    if (beforeUnitPost)
        beforeUnitPost();
    daten.Post();
    unitCreated_ = true;
    return true;
}

bool HrmImportWriter::Write(const HrmImportInput& in)
{
    error_.clear();
    unitId_ = 0;
    unitCreated_ = false;
    QList<SampleRow> samples;
    QList<LapRow> laps;
    if (in.importSamples && !readSamples(in, samples))
        return false;
    if (in.importLaps && !readLaps(in, laps))
        return false;
    const bool rows = (in.importSamples && !samples.isEmpty()) || (in.importLaps && !laps.isEmpty());
    TDataSet& daten = orvServer->daten;
    if (!in.importUnit && rows && (!daten.Active() || daten.IsEmpty()))
        return fail(tr("Es ist keine Einheit ausgewählt, der die Pulswerte und Zwischenzeiten zugeordnet werden "
                       "können. Bitte wählen Sie zuerst eine Einheit."));
    if (!in.importUnit && !rows)
        return true;

    TConnection& db = orvServer->orvDB;
    db.BeginTrans();
    try {
        if (in.importUnit && !insertUnit(in)) {
            db.RollbackTrans();
            return false;
        }
        unitId_ = daten.FieldByName(QStringLiteral("dat_Id"))->AsInteger();
        if (in.importSamples && !samples.isEmpty()) {
            TPreparedStatement insert(db, QStringLiteral("INSERT INTO zeit (zei_trittfrequenz, HDiff, zei_id, meter, "
                                                         "zwischenzeit, puls, zei_hrm) VALUES (?, ?, ?, ?, ?, ?, ?)"));
            for (const SampleRow& s : samples) {
                insert.Execute({s.cadence, s.height, unitId_, s.meter, double(s.ms) / MSecsPerDay, s.puls, true});
                if (onStep)
                    onStep();
            }
        }
        if (in.importLaps && !laps.isEmpty()) {
            TPreparedStatement insert(db, QStringLiteral("INSERT INTO zeit (zei_id, meter, notitz, zwischenzeit, puls, "
                                                         "zei_minpuls, zei_maxpuls, zei_hrm, hdiff, zei_temperatur) "
                                                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
            for (const LapRow& l : laps) {
                insert.Execute({unitId_, l.meter, l.note, double(l.ms) / MSecsPerDay, l.puls, l.minPuls, l.maxPuls,
                                false, l.height, l.temperature});
                if (onStep)
                    onStep();
            }
        }
        db.CommitTrans();
    } catch (const std::exception& e) {
        if (daten.State() == dsInsert)
            daten.Cancel();
        if (db.InTransaction())
            db.RollbackTrans();
        // A unit posted inside the transaction is gone with it: the dataset reads again.
        if (unitCreated_) {
            daten.Close();
            daten.Open();
            daten.Last();
        }
        unitCreated_ = false;
        return fail(ExceptionMessage(e));
    }
    return true;
}
