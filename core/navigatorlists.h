#pragma once
// What the navigator frame shows, read from the athlete's database without any widget: the rows
// of the overview list (units with week rows between the weeks), the SQL of the unit search and
// of the route filter, and the nodes of the block tree. The frame only puts them on screen.
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

#include "platform/rtl/sysutils.h"

class TConnection;
class TQuery;

// The overview list's columns: sport picture, date, place, distance, and hidden the unit id
// ("-1" on a week row), the split marker (non-empty when the unit has split or heart-rate rows)
// and the sport id.
enum TOverviewColumn { ocPicture, ocDate, ocPlace, ocDistance, ocUnitId, ocSplitId, ocSportId, ocCount };

// One row of the overview list: ocCount texts.
using TOverviewRow = QStringList;

inline bool IsWeekRow(const TOverviewRow& row)
{
    return row.value(ocUnitId) == QLatin1String("-1");
}

// Whether the overview list shows week rows: the registry value "navShowWeeks" of the program
// key; absent (or no Boolean) means shown.
bool NavShowWeeks();

// Every unit in date and start-time order, each once, with a week row before the first unit and
// wherever the ISO week number changes from one unit to the next (only the numbers are compared,
// not the years). Dates are written in the settings' short date format, distances "#.#" in the
// sport's distance unit with its short name.
QList<TOverviewRow> OverviewRows(TConnection& db, bool showWeeks, const TFormatSettings& fs);

// The same rows read in one pass and kept as the units' values; a cell's text is made when it
// is read, and whether a unit has split or heart-rate rows is asked of the database when its
// marker is first read (a long history's list costs its units, not a question per unit). A
// saved or deleted unit is read again alone (`Refresh`), so a save does not read every unit.
class TOverviewList {
public:
    void Fill(TConnection& db, bool showWeeks, const TFormatSettings& fs);
    // The unit read again from the database: moved to its date's place, or taken out when it is
    // gone; the week rows follow. False when the list was never filled.
    bool Refresh(int unitId);
    void Clear();
    int Count() const { return int(rows_.size()); }
    // The text of a cell (row 0 is the first unit or week row).
    QString Text(int row, int column);
    // The row of a unit, -1 when it is not listed.
    int RowOf(int unitId) const { return byUnit_.value(unitId, -1); }

private:
    struct Unit {
        int id = 0;
        int week = 0;
        int sport = 0;
        signed char hasSplits = -1;  // -1 until asked
        bool startNull = true;
        TDateTime day = 0;
        double start = 0;
        double distance = 0;
        QString place;
        QString distanceName;
    };
    // Reads the units of the query's rows in their order.
    void read(const QString& sql, const QVariantList& params, std::vector<Unit>& into);
    // The rows from the units: week rows (negative: -1 - week) between them where shown.
    void layout();
    static bool before(const Unit& a, const Unit& b);

    std::vector<Unit> units_;
    std::vector<int> rows_;  // an index into units_, or -1 - week for a week row
    QHash<int, int> byUnit_;
    TConnection* db_ = nullptr;
    bool showWeeks_ = true;
    TFormatSettings fs_;
};

// The search field chooser's entries, in order.
enum TSearchField { sfOrt, sfDatum, sfMeter, sfZeit };

// The SQL of the unit search for a field: the units whose field, as the list shows it, begins
// with the parameter ":muster" (the typed text and "%"), in date order. The typed text is bound,
// never pasted into the statement.
QString NavSearchSql(TSearchField field);
// The value bound to ":muster".
QString NavSearchPattern(const QString& typed);

// The route filter for a typed text: routes whose name begins with it; a quote in the text is
// doubled so that it stays part of the compared value.
QString RouteFilter(const QString& typed);

// A node of the block tree, in the order the tree adds them.
struct TBlockTreeNode {
    enum Kind { Block, Unit } kind = Unit;
    int Id = 0;          // block: -trb_Id, unit: dat_Id
    QString Text;        // block: trb_Name, unit: sport name + " - " + date text
    bool Archived = false;  // block: goes under the archive node
    int SportId = 0;     // unit: its sport
};

// The last day whose blocks count as archived: 100 days before `today`.
TDateTime ArchiveLimit(TDateTime today);

// The nodes of the block tree: the blocks by creation and id, each followed by its units by date
// and start time. A block created on or before the archive limit (by its day) is archived; with
// hideArchive those blocks and their units are left out. Dates as the settings' short date.
QList<TBlockTreeNode> BlockTreeNodes(TConnection& db, bool hideArchive, TDateTime today, const TFormatSettings& fs);

// The sports' pictures by spo_Id, in ascending spo_Id order (null images for a sport without
// one, or one that cannot be read), white made transparent.
struct TSportPicture {
    int SportId = 0;
    QImage Picture;
};
QList<TSportPicture> SportPictures(TConnection& db);
