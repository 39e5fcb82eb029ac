#pragma once
// The conversion of the previous versions' data (the Paradox tables of versions 3, 3.5 and 4)
// into an athlete database.
//
// The old tables are read once, whole, and never written: tables of versions 3 and 3.5 lack the
// later unit fields and the split type, which are taken as empty here (and, when the user asks
// for it, the unused number fields as 0), instead of altering the old files. Before anything is
// written, every training form and load level the old units name is looked up in the new
// database; missing ones are listed and nothing is written. Then sports and load types named by
// the old units are added, each old unit becomes a unit with a training block of its own, and
// its splits, the best times, the routes with their points, the equipment and its links to the
// units follow, all in one transaction with prepared, bound INSERTs. A failure rolls the whole
// conversion back. Links to a unit or an item that no longer exists are skipped and counted.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class TConnection;

// One old table read whole: its field names and its records.
struct OldTable {
    QStringList fields;
    QList<QVariantList> rows;

    int index(const QString& name) const;  // without case; -1 when the table has no such field
    bool has(const QString& name) const { return index(name) >= 0; }
};

// The progress window's side of the conversion (every member optional).
struct ConversionProgress {
    std::function<void(const QString& phase, const QString& detail)> labels;
    std::function<void(int max1)> reset1;   // phase bar to 0 with this maximum
    std::function<void(int max2)> reset2;   // detail bar to 0 with this maximum
    std::function<void()> step1;
    std::function<void()> step2;
};

class TconvertServer {
public:
    // What a conversion did.
    struct Result {
        int sports = 0;       // sports added
        int loadTypes = 0;    // load types added
        int units = 0;
        int splits = 0;
        int bestTimes = 0;
        int routes = 0;
        int routePoints = 0;
        int equipment = 0;
        int links = 0;
        int skippedLinks = 0;  // links to a unit or an item that no longer exists
    };

    // Reads the old tables of the folder. False with Error() naming the file and the reason when
    // "daten.db" or "zeit.db" is missing or any table cannot be read, and naming each table that
    // lacks a field the conversion reads or holds it with another type (tables of other programs
    // copied under these names); the other tables may be absent (nothing of their kind is
    // converted). Nothing is read then.
    bool ReadOldFolder(const QString& folder);
    // The same checks without reading the records: empty when the folder's tables can be
    // converted, else one line per problem (a missing or unreadable table, missing fields, a
    // field of another type).
    static QStringList CheckOldFolder(const QString& folder);
    // True when the old tables are of version 3 or 3.5 (no field "User1" in the units).
    bool NeedsUpgrade() const { return needsUpgrade_; }
    const OldTable& Table(const QString& name) const;

    // Converts the tables read into the database of the connection (open). `fillNumbers`: the
    // unused number fields of version 3 and 3.5 units become 0 (ignored for version 4). False
    // with Error() when nothing was written (also when no folder was read successfully).
    bool convertIt(TConnection& target, bool fillNumbers, const ConversionProgress& progress = {});

    const QString& Error() const { return error_; }
    const Result& LastResult() const { return result_; }
    // The forms and load levels the old units name that the new database lacks (after a refused
    // conversion).
    const QStringList& MissingForms() const { return missingForms_; }
    const QStringList& MissingLevels() const { return missingLevels_; }

private:
    bool fail(const QString& message);
    // Opens the old tables, checks them against the layout the conversion reads and, with
    // `readRecords` and no problem, reads them; returns the problems.
    QStringList ScanOldFolder(const QString& folder, bool readRecords);

    QHash<QString, OldTable> tables_;  // by lower-case name
    bool needsUpgrade_ = false;
    bool read_ = false;
    QString error_;
    Result result_;
    QStringList missingForms_;
    QStringList missingLevels_;
};
