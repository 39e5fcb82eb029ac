#include "exchange/outbreakertrips.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "platform/office/officemessages.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("OutbreakerImport", text);
}

// Empty and non-date values order before every date.
double orderKey(const TableValue& v)
{
    return v.kind() == TableValue::Kind::DateTime || v.kind() == TableValue::Kind::Number ? v.Number()
                                                                                           : -INFINITY;
}

int64_t msOf(TDateTime t)
{
    return int64_t(std::llround(t * MSecsPerDay));
}

}  // namespace

bool OutbreakerNetTime(const QString& text, int64_t& ms)
{
    QString t = text.trimmed();
    if (t.isEmpty()) {
        ms = 0;
        return true;
    }
    t.replace(QLatin1Char('.'), QLatin1Char(':'));
    static const QRegularExpression re(QStringLiteral("^(\\d{1,5}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const QRegularExpressionMatch m = re.match(t);
    if (!m.hasMatch())
        return false;
    const int64_t h = m.captured(1).toLongLong();
    const int min = m.captured(2).toInt();
    const int sec = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (min > 59 || sec > 59)
        return false;
    ms = ((h * 60 + min) * 60 + sec) * 1000;
    return true;
}

int64_t OutbreakerSplitMs(TDateTime record, TDateTime startTime)
{
    const int64_t day = int64_t(MSecsPerDay);
    return ((msOf(record) - msOf(startTime)) % day + day) % day;
}

OfficeResult<OutbreakerTrips> OutbreakerTrips::Read(const QString& fileName)
{
    auto db = AccessDatabase::Open(fileName);
    if (!db.Ok())
        return db.Error();
    auto trips = db.Value()->Table(QStringLiteral("TripList"));
    if (!trips.Ok())
        return trips.Error();
    auto records = db.Value()->Table(QStringLiteral("TripTable"));
    if (!records.Ok())
        return records.Error();
    // The trip number pairs the records with their trip.
    const QString tripNo = QStringLiteral("TripNo");
    for (const AccessTable* t : {&trips.Value(), &records.Value()})
        if (t->FieldIndex(tripNo) < 0)
            return OfficeError{tr("Der Tabelle \"%1\" fehlt das Feld \"%2\".").arg(t->name, tripNo), QString()};
    OutbreakerTrips result;
    result.trips_ = std::move(trips.Value());
    result.records_ = std::move(records.Value());
    const int timeDate = result.trips_.FieldIndex(QStringLiteral("TimeDate"));
    if (timeDate >= 0)
        std::stable_sort(result.trips_.rows.begin(), result.trips_.rows.end(),
                         [timeDate](const QVector<TableValue>& a, const QVector<TableValue>& b) {
                             return orderKey(a[timeDate]) < orderKey(b[timeDate]);
                         });
    return result;
}

QVector<OutbreakerRecord> OutbreakerTrips::Records(int tripRow) const
{
    QVector<OutbreakerRecord> result;
    if (tripRow < 0 || tripRow >= trips_.rows.size())
        return result;
    const int tripNo = AccessInteger(trips_.Value(tripRow, QStringLiteral("TripNo")));
    const int trip = records_.FieldIndex(QStringLiteral("TripNo"));
    const int time = records_.FieldIndex(QStringLiteral("TimeAndDate"));
    const int pulse = records_.FieldIndex(QStringLiteral("HeartBeatRate"));
    const int altitude = records_.FieldIndex(QStringLiteral("Altitude"));
    for (const QVector<TableValue>& row : records_.rows) {
        if (AccessInteger(row[trip]) != tripNo)
            continue;
        result.append({time >= 0 ? row[time].Number() : 0, pulse >= 0 ? AccessInteger(row[pulse]) : 0,
                       altitude >= 0 ? AccessInteger(row[altitude]) : 0});
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const OutbreakerRecord& a, const OutbreakerRecord& b) { return a.time < b.time; });
    return result;
}

bool OutbreakerImportWriter::Write(const OutbreakerTrips& trips, int tripRow)
{
    error_.clear();
    unitId_ = 0;
    const AccessTable& list = trips.TripList();
    if (tripRow < 0 || tripRow >= list.rows.size()) {
        error_ = tr("Es ist keine Einheit ausgewählt.");
        return false;
    }
    auto value = [&](const char* field) { return list.Value(tripRow, QString::fromLatin1(field)); };
    const TableValue timeDate = value("TimeDate");
    if (timeDate.kind() != TableValue::Kind::DateTime) {
        error_ = tr("Die Einheit \"%1\" hat kein Datum.").arg(value("Name").AsText());
        return false;
    }
    int64_t duration = 0;
    const QString netTime = value("NetTime").kind() == TableValue::Kind::Text ? value("NetTime").Text() : QString();
    if (!OutbreakerNetTime(netTime, duration)) {
        error_ = tr("Die Nettozeit \"%1\" ist keine gültige Zeit.").arg(netTime);
        return false;
    }
    const QVector<OutbreakerRecord> records = trips.Records(tripRow);
    // Date and start time as values: the start keeps its seconds whatever the user's formats.
    const int64_t stamp = msOf(timeDate.Number());
    const int64_t day = int64_t(MSecsPerDay);
    const TDateTime date = double(stamp / day);
    const TDateTime start = double(stamp % day) / MSecsPerDay;
    auto text = [&](const char* field) {
        const TableValue v = value(field);
        return v.IsEmpty() ? QString() : v.AsText();
    };

    TDataSet& daten = orvServer->daten;
    TConnection& db = orvServer->orvDB;
    bool posted = false;
    db.BeginTrans();
    try {
        auto field = [&](const char* name) { return daten.FieldByName(QString::fromLatin1(name)); };
        daten.Insert();
        field("Datum")->SetAsDateTime(date);
        field("Zeit")->SetAsDateTime(double(duration) / MSecsPerDay);
        field("Startzeit")->SetAsDateTime(start);
        field("Maxpuls")->SetAsInteger(AccessInteger(value("MaxHeartBeat")));
        field("Ruhepuls")->SetAsInteger(AccessInteger(value("MinHeartBeat")));
        field("Bemerkungen")->SetAsString(text("Comment"));
        field("Meter")->SetAsInteger(1000);
        for (const char* key : {"Sportart", "Form", "Belastungsart", "Belastungsstufe"})
            field(key)->SetAsInteger(0);
        field("Puls")->SetAsInteger(AccessInteger(value("AverageHeartBeat")));
        field("Hoehendifferenz")->SetAsInteger(AccessInteger(value("AscendingMeter")));
        field("Ort")->SetAsString(text("Name"));
        if (beforeUnitPost)
            beforeUnitPost();
        daten.Post();
        posted = true;
        unitId_ = field("dat_Id")->AsInteger();
        TPreparedStatement insert(db, QStringLiteral("INSERT INTO zeit (zei_id, zwischenzeit, meter, puls, hdiff, zei_hrm) "
                                                     "VALUES (?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < records.size(); ++i) {
            const OutbreakerRecord& r = records[i];
            insert.Execute({unitId_, double(OutbreakerSplitMs(r.time, start)) / MSecsPerDay, 14 * (i + 1), r.pulse,
                            r.altitude, true});
            if (onStep)
                onStep(i + 1, int(records.size()));
        }
        db.CommitTrans();
    } catch (const std::exception& e) {
        if (daten.State() == dsInsert || daten.State() == dsEdit)
            daten.Cancel();
        if (db.InTransaction())
            db.RollbackTrans();
        // The unit posted inside the transaction is gone with it: the dataset reads again.
        if (posted) {
            daten.Close();
            daten.Open();
            daten.Last();
        }
        unitId_ = 0;
        error_ = ExceptionMessage(e);
        return false;
    }
    return true;
}
