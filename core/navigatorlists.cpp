#include "core/navigatorlists.h"

#include <algorithm>
#include <cmath>

#include "core/language.h"
#include "core/messageids.h"
#include "core/startup.h"
#include "platform/db/connection.h"
#include "platform/db/query.h"
#include "platform/db/sqlreader.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/registry.h"

namespace {

// One pass over the units in date order. Whether a unit has split or heart-rate rows is asked
// per listed unit when its marker is read, through the split table's index.
const char* const kOverviewColumns =
    "SELECT daten.dat_Id, daten.Datum, daten.startzeit, daten.Ort, daten.Meter, "
    "[daten].[meter]*[unt_calc] AS distanz, unit.[unt_shortname] AS DistName, sportart.spo_id "
    "FROM (daten INNER JOIN sportart ON daten.Sportart = sportart.Spo_Id) "
    "INNER JOIN unit ON sportart.Spo_distance = unit.unt_id ";

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

void TOverviewList::Clear()
{
    units_.clear();
    rows_.clear();
    byUnit_.clear();
    db_ = nullptr;
}

void TOverviewList::read(const QString& sql, const QVariantList& params, std::vector<Unit>& into)
{
    TSqlReader q(*db_, sql, params);
    const int id = q.Column(QStringLiteral("dat_Id"));
    const int datum = q.Column(QStringLiteral("Datum"));
    const int start = q.Column(QStringLiteral("startzeit"));
    const int ort = q.Column(QStringLiteral("Ort"));
    const int distance = q.Column(QStringLiteral("distanz"));
    const int distName = q.Column(QStringLiteral("DistName"));
    const int sport = q.Column(QStringLiteral("spo_id"));
    // A sport has one distance unit: its name is read once per sport and shared by its units.
    QHash<int, QString> nameOfSport;
    double weekDay = -1;
    int week = 0;
    while (q.Next()) {
        Unit u;
        u.id = q.AsInteger(id);
        u.day = q.AsFloat(datum);
        // The units come day by day: the week is worked out when the day changes.
        if (std::floor(u.day) != weekDay) {
            weekDay = std::floor(u.day);
            week = WeekOfTheYear(u.day);
        }
        u.week = week;
        u.startNull = q.IsNull(start);
        u.start = u.startNull ? 0 : q.AsFloat(start);
        u.sport = q.AsInteger(sport);
        u.distance = q.AsFloat(distance);
        u.place = q.AsString(ort);
        auto it = nameOfSport.constFind(u.sport);
        if (it == nameOfSport.constEnd())
            it = nameOfSport.insert(u.sport, q.AsString(distName));
        u.distanceName = it.value();
        into.push_back(std::move(u));
    }
}

void TOverviewList::layout()
{
    rows_.clear();
    rows_.reserve(units_.size() + (showWeeks_ ? units_.size() / 3 + 1 : 0));
    byUnit_.clear();
    byUnit_.reserve(qsizetype(units_.size()));
    int previousWeek = -1;
    for (size_t i = 0; i < units_.size(); ++i) {
        const Unit& u = units_[i];
        // A week row leads the list and stands wherever the week of the unit before differs.
        if (showWeeks_ && (i == 0 || previousWeek != u.week))
            rows_.push_back(-1 - u.week);
        byUnit_.insert(u.id, int(rows_.size()));
        rows_.push_back(int(i));
        previousWeek = u.week;
    }
}

// The list's order, as the query's ORDER BY datum, startzeit sorts (no start time first).
bool TOverviewList::before(const Unit& a, const Unit& b)
{
    if (a.day != b.day)
        return a.day < b.day;
    if (a.startNull != b.startNull)
        return a.startNull;
    return !a.startNull && a.start < b.start;
}

void TOverviewList::Fill(TConnection& db, bool showWeeks, const TFormatSettings& fs)
{
    Clear();
    db_ = &db;
    showWeeks_ = showWeeks;
    fs_ = fs;
    // Read forwards once: the list keeps the values, not a dataset of every unit.
    read(QString::fromLatin1(kOverviewColumns) + QStringLiteral("ORDER BY datum, startzeit"), {}, units_);
    layout();
}

bool TOverviewList::Refresh(int unitId)
{
    if (!db_)
        return false;
    const auto old = std::find_if(units_.begin(), units_.end(), [unitId](const Unit& u) { return u.id == unitId; });
    if (old != units_.end())
        units_.erase(old);
    std::vector<Unit> now;
    read(QString::fromLatin1(kOverviewColumns) + QStringLiteral("WHERE daten.dat_Id = ?"), {unitId}, now);
    if (!now.empty()) {
        // After the units of the same date and time: a new unit comes last among them.
        const auto at = std::upper_bound(units_.begin(), units_.end(), now.front(), before);
        units_.insert(at, std::move(now.front()));
    }
    layout();
    return true;
}

QString TOverviewList::Text(int row, int column)
{
    if (row < 0 || row >= Count())
        return QString();
    const int index = rows_[size_t(row)];
    if (index < 0) {
        if (column == ocDate)
            return LoadStr(msg::WeekRow) + QLatin1Char(' ') + QString::number(-1 - index);
        return column == ocUnitId ? QStringLiteral("-1") : QString();
    }
    Unit& r = units_[size_t(index)];
    switch (column) {
    case ocDate:
        return FormatDateTime(fs_.ShortDateFormat, r.day, fs_);
    case ocPlace:
        return r.place;
    case ocDistance: {
        // One decimal; a distance that rounds to nothing (none at all, or a few metres) shows 0.
        QString figure = FormatFloat(QStringLiteral("#.#"), r.distance, fs_);
        if (figure.isEmpty())
            figure = QStringLiteral("0");
        return figure + QLatin1Char(' ') + r.distanceName;
    }
    case ocUnitId:
        return QString::number(r.id);
    case ocSplitId:
        if (r.hasSplits < 0) {
            r.hasSplits = db_ && db_->Connected() &&
                          db_->ExecuteNativeScalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM zeit WHERE zei_Id = ?)"),
                                                   {r.id})
                                  .toInt() != 0;
        }
        return r.hasSplits ? QString::number(r.id) : QString();
    case ocSportId:
        return QString::number(r.sport);
    default:
        return QString();
    }
}

QList<TOverviewRow> OverviewRows(TConnection& db, bool showWeeks, const TFormatSettings& fs)
{
    TOverviewList list;
    list.Fill(db, showWeeks, fs);
    QList<TOverviewRow> rows;
    rows.reserve(list.Count());
    for (int r = 0; r < list.Count(); ++r) {
        TOverviewRow row(ocCount);
        for (int c = 0; c < ocCount; ++c)
            row[c] = list.Text(r, c);
        rows.append(std::move(row));
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
