#include "exchange/garminrunwriter.h"

#include "core/orvdbserver.h"
#include "exchange/garminrunfile.h"
#include "platform/rtl/sysutils.h"

bool GarminRunWriter::Write(const GarminRun& run)
{
    error_.clear();
    unitId_ = 0;
    // A value the unit cannot hold refuses the run before anything of it is written.
    if (!run.Importable()) {
        error_ = run.problem.Text();
        return false;
    }
    TDataSet& daten = orvServer->daten;
    TConnection& db = orvServer->orvDB;
    auto field = [&](const char* name) { return daten.FieldByName(QString::fromLatin1(name)); };

    // Date and time of day from the one local moment of the start, so that a start shortly
    // before midnight universal time keeps its own local day.
    const TDateTime start = run.StartLocal();
    const double day = double(Trunc(start));
    const QList<GarminSplitRow> laps = GarminLapRows(run);
    const GarminTrack track = GarminTrackRows(run);
    const QVariant previous = daten.Active() && !daten.IsEmpty() ? QVariant(field("dat_Id")->AsInteger()) : QVariant();
    bool posted = false;

    db.BeginTrans();
    try {
        daten.Insert();
        field("Datum")->SetAsDateTime(day);
        field("Zeit")->SetAsDateTime(double(run.DurationMs()) / MSecsPerDay);
        field("Startzeit")->SetAsDateTime(start - day);
        field("Maxpuls")->SetAsInteger(0);
        field("Ruhepuls")->SetAsInteger(0);
        field("Gewicht")->SetAsFloat(0);
        field("Bemerkungen")->SetAsString(QString());
        field("Meter")->SetAsInteger(run.Length());
        for (const char* key : {"Sportart", "Form", "Belastungsart", "Belastungsstufe", "Puls"})
            field(key)->SetAsInteger(0);
        field("Hoehendifferenz")->SetAsInteger(track.climb);
        daten.Post();
        posted = true;
        unitId_ = field("dat_Id")->AsInteger();
        if (beforeRows)
            beforeRows();

        TPreparedStatement insertLap(
            db, QStringLiteral("INSERT INTO zeit (zei_id, meter, zwischenzeit, zei_hrm) VALUES (?, ?, ?, ?)"));
        for (const GarminSplitRow& lap : laps)
            insertLap.Execute({unitId_, lap.meter, double(lap.ms) / MSecsPerDay, false});
        TPreparedStatement insertPoint(
            db, QStringLiteral("INSERT INTO zeit (zei_id, meter, hdiff, zwischenzeit, zei_hrm) VALUES (?, ?, ?, ?, ?)"));
        for (int k = 0; k < track.rows.size(); ++k) {
            const GarminSampleRow& p = track.rows[k];
            insertPoint.Execute({unitId_, p.meter, p.hdiff, double(p.ms) / MSecsPerDay, true});
            if (onPoint)
                onPoint(k);
        }
        db.CommitTrans();
    } catch (const std::exception& e) {
        if (daten.State() == dsInsert || daten.State() == dsEdit)
            daten.Cancel();
        if (db.InTransaction())
            db.RollbackTrans();
        // The unit posted inside the transaction is gone with it: the units are read again and
        // the unit that was current before becomes current again.
        if (posted) {
            daten.Close();
            daten.Open();
            if (!previous.isValid() || !daten.Locate(QStringLiteral("dat_Id"), previous))
                daten.Last();
        }
        unitId_ = 0;
        error_ = ExceptionMessage(e);
        return false;
    }
    return true;
}
