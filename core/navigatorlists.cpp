#include "core/navigatorlists.h"

#include <cmath>

#include "core/language.h"
#include "core/messageids.h"
#include "core/startup.h"
#include "platform/db/query.h"
#include "platform/db/sqlreader.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/registry.h"

namespace {

// One pass over the units. Whether a unit has split or heart-rate rows is asked per unit through
// the split table's index (the same answer as a distinct join of both tables, without walking
// every split row of a long history).
const char* const kOverviewSql =
    "SELECT daten.dat_Id, daten.Datum, daten.startzeit, daten.Ort, daten.Meter, "
    "EXISTS (SELECT zeit.zei_Id FROM zeit WHERE zeit.zei_Id = daten.dat_Id) AS hatZeit, "
    "[daten].[meter]*[unt_calc] AS distanz, unit.[unt_shortname] AS DistName, sportart.spo_id "
    "FROM (daten INNER JOIN sportart ON daten.Sportart = sportart.Spo_Id) "
    "INNER JOIN unit ON sportart.Spo_distance = unit.unt_id ORDER BY datum, startzeit";

TOverviewRow weekRow(int week)
{
    TOverviewRow row(ocCount);
    row[ocDate] = LoadStr(msg::WeekRow) + QLatin1Char(' ') + QString::number(week);
    row[ocUnitId] = QStringLiteral("-1");
    return row;
}

}  // namespace

bool NavShowWeeks()
{
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(QString::fromLatin1(kProgramRegistryKey), true) ||
        !reg.ValueExists(QStringLiteral("navShowWeeks")))
        return true;
    try {
        return reg.ReadBool(QStringLiteral("navShowWeeks"));
    } catch (const ERegistryException&) {
        return true;  // a value that is no Boolean does not hide the weeks
    }
}

QList<TOverviewRow> OverviewRows(TConnection& db, bool showWeeks, const TFormatSettings& fs)
{
    // Read forwards once: the list keeps its texts, so the rows need no dataset of their own.
    TSqlReader q(db, QString::fromLatin1(kOverviewSql));
    const int id = q.Column(QStringLiteral("dat_Id"));
    const int datum = q.Column(QStringLiteral("Datum"));
    const int ort = q.Column(QStringLiteral("Ort"));
    const int hasSplits = q.Column(QStringLiteral("hatZeit"));
    const int distance = q.Column(QStringLiteral("distanz"));
    const int distName = q.Column(QStringLiteral("DistName"));
    const int sport = q.Column(QStringLiteral("spo_id"));

    QList<TOverviewRow> rows;
    int previousWeek = -1;
    const QString distanceFormat = QStringLiteral("#.#");
    while (q.Next()) {
        const TDateTime day = q.AsFloat(datum);
        const int week = WeekOfTheYear(day);
        // A week row leads the list, and one stands wherever the week of the unit before (a
        // unit row: the rows are told apart by their hidden id, not by their date text) differs.
        if (showWeeks && (rows.isEmpty() || (!IsWeekRow(rows.last()) && previousWeek != week)))
            rows.append(weekRow(week));
        TOverviewRow row(ocCount);
        row[ocDate] = FormatDateTime(fs.ShortDateFormat, day, fs);
        row[ocPlace] = q.AsString(ort);
        row[ocDistance] = FormatFloat(distanceFormat, q.AsFloat(distance), fs) + QLatin1Char(' ') + q.AsString(distName);
        row[ocUnitId] = q.AsString(id);
        row[ocSplitId] = q.AsInteger(hasSplits) != 0 ? row[ocUnitId] : QString();
        row[ocSportId] = q.AsString(sport);
        rows.append(std::move(row));
        previousWeek = week;
    }
    return rows;
}

QString NavSearchSql(TSearchField field)
{
    // Date and duration are numbers in the file: they are compared as the list shows them
    // (a date "15.03.2005", a duration "00:45:00" or "0:45:00").
    switch (field) {
    case sfDatum:
        return QStringLiteral("Select * From daten Where Format(Datum, \"Short Date\") Like :muster Order By datum");
    case sfMeter:
        return QStringLiteral("Select * From daten Where Meter Like :muster Order By datum");
    case sfZeit:
        return QStringLiteral("Select * From daten Where (Format(Zeit, \"hh:nn:ss\") Like :muster "
                              "Or Format(Zeit, \"h:nn:ss\") Like :muster) Order By datum");
    case sfOrt:
    default:
        return QStringLiteral("Select * From daten Where Ort Like :muster Order By datum");
    }
}

QString NavSearchPattern(const QString& typed)
{
    return typed + QLatin1Char('%');
}

QString RouteFilter(const QString& typed)
{
    QString text = typed;
    text.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("[Name] LIKE '") + text + QStringLiteral("%'");
}

TDateTime ArchiveLimit(TDateTime today)
{
    return std::floor(today) - 100;
}

QList<TBlockTreeNode> BlockTreeNodes(TConnection& db, bool hideArchive, TDateTime today, const TFormatSettings& fs)
{
    // Blocks are compared by the day they were created on, as date values.
    QString sql = QStringLiteral(
        "Select trainingsblock.trb_id, trainingsblock.trb_Name, trainingsblock.trb_created, daten.dat_Id, "
        "daten.Datum, daten.Sportart, sportart.spo_name from (trainingsblock inner join daten on (trainingsblock.trb_id = "
        "daten.trainingsblock)) inner join sportart on (daten.sportart = sportart.spo_id)");
    if (hideArchive)
        sql += QStringLiteral(" where trainingsblock.trb_created >= :grenze");
    sql += QStringLiteral(" order by trainingsblock.trb_created, trainingsblock.trb_id, datum, startzeit");
    const TDateTime limit = ArchiveLimit(today);
    TQuery q;
    q.SetConnection(&db);
    q.SetSQLText(sql);
    if (hideArchive)
        q.ParamByName(QStringLiteral("grenze"))->SetAsDateTime(limit + 1);
    q.Open();
    TField* block = q.FieldByName(QStringLiteral("trb_id"));
    TField* blockName = q.FieldByName(QStringLiteral("trb_Name"));
    TField* created = q.FieldByName(QStringLiteral("trb_created"));
    TField* unit = q.FieldByName(QStringLiteral("dat_Id"));
    TField* datum = q.FieldByName(QStringLiteral("Datum"));
    TField* sportName = q.FieldByName(QStringLiteral("spo_name"));
    TField* sport = q.FieldByName(QStringLiteral("Sportart"));
    QList<TBlockTreeNode> nodes;
    nodes.reserve(q.RecordCount() * 11 / 10 + 1);
    bool first = true;
    int previousBlock = 0;
    for (q.First(); !q.Eof(); q.Next()) {
        const int blockId = block->AsInteger();
        if (first || blockId != previousBlock) {
            TBlockTreeNode b;
            b.kind = TBlockTreeNode::Block;
            b.Id = -blockId;
            b.Text = blockName->AsString();
            b.Archived = std::floor(created->AsDateTime()) <= limit;
            nodes.append(b);
            previousBlock = blockId;
            first = false;
        }
        TBlockTreeNode u;
        u.Id = unit->AsInteger();
        u.SportId = sport->AsInteger();
        u.Text = sportName->AsString() + QStringLiteral(" - ") + FormatDateTime(fs.ShortDateFormat, datum->AsDateTime(), fs);
        nodes.append(u);
    }
    q.Close();
    return nodes;
}

QList<TSportPicture> SportPictures(TConnection& db)
{
    TQuery q;
    q.SetConnection(&db);
    q.SetSQLText(QStringLiteral("Select Spo_Id, Spo_Image From sportart Order By Spo_Id"));
    q.Open();
    QList<TSportPicture> pictures;
    for (q.First(); !q.Eof(); q.Next()) {
        TSportPicture p;
        p.SportId = q.Field(0)->AsInteger();
        const QByteArray bytes = q.Field(1)->AsBytes();
        if (!bytes.isEmpty()) {
            QImage img = BlobToImage(bytes);
            if (!img.isNull()) {
                // White is the pictures' transparent colour.
                img = img.convertToFormat(QImage::Format_ARGB32);
                for (int y = 0; y < img.height(); ++y) {
                    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
                    for (int x = 0; x < img.width(); ++x)
                        if ((line[x] & 0xFFFFFFu) == 0xFFFFFFu)
                            line[x] = 0;
                }
                p.Picture = img;
            }
        }
        pictures.append(p);
    }
    q.Close();
    return pictures;
}
