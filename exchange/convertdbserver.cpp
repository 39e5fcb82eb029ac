#include "exchange/convertdbserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "core/language.h"
#include "core/messageids.h"
#include "platform/db/connection.h"
#include "platform/db/query.h"
#include "platform/office/paradox/paradoxtable.h"
#include "platform/rtl/sysutils.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("TconvertServer", text);
}

// The old tables, as the previous versions named them.
const char* const kTables[] = {"daten.db", "zeit.db", "bestzeit.DB", "strecke.DB", "streckez.DB", "equipment.DB",
                               "eqdaten.DB"};

// What the conversion reads of the old tables: each field it uses with the kind of value it
// needs. Fields of version 4 alone (the later unit fields, the split type) are required only
// in tables of version 4; older ones are converted without them. A field of kind Any may have
// any type (the versions stored it differently).
enum class FieldKind { Text, Date, Time, Number, Picture, Any };
struct FieldUse {
    const char* name;
    FieldKind kind;
    bool version4 = false;
};
struct TableLayout {
    const char* table;
    std::vector<FieldUse> fields;
};
const std::vector<TableLayout>& OldLayout()
{
    using K = FieldKind;
    static const std::vector<TableLayout> layout = {
        {"daten.db",
         {{"Index", K::Number},         {"Datum", K::Date},
          {"Ort", K::Text},             {"Form", K::Text},
          {"Startzeit", K::Time},       {"Gefuehl", K::Text},
          {"Zeit", K::Time},            {"Meter", K::Number},
          {"Wetter", K::Text},          {"Wind", K::Text},
          {"Hoehendifferenz", K::Number}, {"Bemerkungen", K::Text},
          {"Temperatur", K::Number},    {"Puls", K::Number},
          {"Belastungsart", K::Text},   {"Streckenbeschreibung", K::Text},
          {"Sportart", K::Text},        {"Gli", K::Number},
          {"Gewicht", K::Number},       {"Belastungsstufe", K::Text},
          {"User1", K::Text, true},     {"User2", K::Number, true},
          {"Maxpuls", K::Number, true}, {"Ruhepuls", K::Number, true},
          {"Erholungspuls", K::Number, true}, {"Fett", K::Number, true},
          {"kcal", K::Number, true}}},
        {"zeit.db",
         {{"Index", K::Number}, {"Meter", K::Number}, {"Zwischenzeit", K::Time}, {"Puls", K::Number},
          {"M \u00fcber NN", K::Number}, {"Notitz", K::Text}, {"zwTyp", K::Number, true}}},
        {"bestzeit.DB", {{"Meter", K::Number}, {"Datum", K::Date}, {"Pb", K::Time}}},
        {"strecke.DB",
         {{"StrIndex", K::Number}, {"Name", K::Text}, {"Land", K::Text}, {"Ort", K::Text}, {"Laenge", K::Any},
          {"HDiff", K::Any}, {"Beschreibung", K::Text}, {"Kommentar", K::Text}, {"Bild", K::Picture},
          {"Lageplan", K::Picture}}},
        {"streckez.DB",
         {{"StrIndex", K::Number}, {"Meter", K::Number}, {"Streckenpunkt", K::Text}, {"Hoehe", K::Number},
          {"Kommentar", K::Text}}},
        {"equipment.DB", {{"Index", K::Number}, {"Bezeichnung", K::Text}, {"Art", K::Any}, {"Kilometer", K::Number}}},
        {"eqdaten.DB", {{"EqIndex", K::Number}, {"EinheiIndex", K::Number}}},
    };
    return layout;
}

bool Fits(FieldKind kind, ParadoxFieldType type)
{
    using T = ParadoxFieldType;
    switch (kind) {
    case FieldKind::Text:
        return type == T::Alpha || type == T::Memo || type == T::FormattedMemo;
    case FieldKind::Date:
        return type == T::Date || type == T::Timestamp;
    case FieldKind::Time:
        return type == T::Time || type == T::Timestamp;
    case FieldKind::Number:
        return type == T::Short || type == T::Long || type == T::AutoInc || type == T::Number || type == T::Currency ||
               type == T::Bcd;
    case FieldKind::Picture:
        return type == T::Graphic || type == T::Blob || type == T::Ole || type == T::Bytes;
    case FieldKind::Any:
        return true;
    }
    return false;
}

QString KindName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Text:
        return tr("Text");
    case FieldKind::Date:
        return tr("Datum");
    case FieldKind::Time:
        return tr("Uhrzeit");
    case FieldKind::Number:
        return tr("Zahl");
    case FieldKind::Picture:
        return tr("Bild");
    case FieldKind::Any:
        break;
    }
    return QString();
}

QString TypeName(ParadoxFieldType type)
{
    using T = ParadoxFieldType;
    switch (type) {
    case T::Alpha:
    case T::Memo:
    case T::FormattedMemo:
        return KindName(FieldKind::Text);
    case T::Date:
        return KindName(FieldKind::Date);
    case T::Time:
        return KindName(FieldKind::Time);
    case T::Timestamp:
        return tr("Zeitstempel");
    case T::Logical:
        return tr("Logisch");
    case T::Graphic:
        return KindName(FieldKind::Picture);
    case T::Blob:
    case T::Ole:
    case T::Bytes:
        return tr("Binärdaten");
    default:
        return KindName(FieldKind::Number);
    }
}

// The fields of an old table that the conversion cannot read as it needs them: one line naming
// the file with its missing fields, one per mistyped field; empty when the table fits.
QStringList LayoutProblems(const QString& file, const TableLayout& layout, const QList<ParadoxField>& fields,
                           bool version4)
{
    QStringList missing;
    QStringList lines;
    for (const FieldUse& use : layout.fields) {
        const QString name = QString::fromUtf8(use.name);
        const auto field = std::find_if(fields.begin(), fields.end(), [&](const ParadoxField& f) {
            return f.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (field == fields.end()) {
            if (!use.version4 || version4)
                missing << name;
        } else if (!Fits(use.kind, field->type)) {
            lines << tr("\"%1\": das Feld %2 ist vom Typ %3, gelesen wird %4.")
                         .arg(QDir::toNativeSeparators(file), name, TypeName(field->type), KindName(use.kind));
        }
    }
    if (!missing.isEmpty())
        lines.prepend(tr("\"%1\": es fehlen die Felder %2.")
                          .arg(QDir::toNativeSeparators(file), missing.join(QStringLiteral(", "))));
    return lines;
}

QString key(const QString& text)
{
    return text.trimmed().toCaseFolded();
}

// The number fields of the units that versions 3 and 3.5 lacked or left empty, filled with 0 on
// request.
const char* const kNumberFields[] = {"User2", "Gewicht", "Gli", "Maxpuls", "Puls", "Ruhepuls", "Erholungspuls",
                                     "Fett", "kcal"};

// Reads the rows of a small table of the new database as (id, name) pairs.
QHash<QString, int> namesToIds(TConnection& db, const QString& table, const QString& id, const QString& name)
{
    QHash<QString, int> map;
    TQuery q;
    q.SetConnection(&db);
    q.SetSQLText(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1").arg(id, name, table));
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        const QString n = key(q.Field(1)->AsString());
        if (!map.contains(n))
            map.insert(n, q.Field(0)->AsInteger());
    }
    q.Close();
    return map;
}

int maxOf(TConnection& db, const QString& table, const QString& field)
{
    return std::max(0, db.ExecuteScalar(QStringLiteral("SELECT max(%1) FROM %2").arg(field, table)).toInt());
}

}  // namespace

int OldTable::index(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool TconvertServer::fail(const QString& message)
{
    error_ = message;
    return false;
}

const OldTable& TconvertServer::Table(const QString& name) const
{
    static const OldTable empty;
    const auto it = tables_.constFind(name.toLower());
    return it == tables_.constEnd() ? empty : *it;
}

QStringList TconvertServer::ScanOldFolder(const QString& folder, bool readRecords)
{
    tables_.clear();
    needsUpgrade_ = false;
    QStringList problems;
    bool version4 = false;
    for (const TableLayout& layout : OldLayout()) {
        const QString name = QString::fromLatin1(layout.table);
        const QString file = ParadoxTable::FindFile(folder, name);
        const bool required = name == QLatin1String("daten.db") || name == QLatin1String("zeit.db");
        if (file.isEmpty()) {
            if (required)
                problems << ParadoxError{QDir(folder).filePath(name), tr("Die Datei fehlt.")}.Text();
            continue;
        }
        ParadoxTable table;
        if (!table.Open(file)) {
            problems << table.Error().Text();
            continue;
        }
        if (name == QLatin1String("daten.db"))
            version4 = table.FieldIndex(QStringLiteral("User1")) >= 0;
        const QStringList own = LayoutProblems(file, layout, table.Fields(), version4);
        problems << own;
        if (!own.isEmpty() || !problems.isEmpty() || !readRecords)
            continue;
        OldTable old;
        if (!table.ReadAll(old.rows)) {
            problems << table.Error().Text();
            continue;
        }
        for (const ParadoxField& f : table.Fields())
            old.fields << f.name;
        tables_.insert(name.toLower(), old);
    }
    if (!problems.isEmpty())
        tables_.clear();
    needsUpgrade_ = !version4;
    return problems;
}

QStringList TconvertServer::CheckOldFolder(const QString& folder)
{
    TconvertServer server;
    return server.ScanOldFolder(folder, false);
}

bool TconvertServer::ReadOldFolder(const QString& folder)
{
    error_.clear();
    read_ = false;
    const QStringList problems = ScanOldFolder(folder, true);
    if (!problems.isEmpty())
        return fail(tr("Die Tabellen in \"%1\" können nicht konvertiert werden. Es wurde nichts geschrieben.")
                        .arg(QDir::toNativeSeparators(folder)) +
                    QLatin1Char('\n') + problems.join(QLatin1Char('\n')));
    read_ = true;
    return true;
}

bool TconvertServer::convertIt(TConnection& target, bool fillNumbers, const ConversionProgress& progress)
{
    error_.clear();
    result_ = {};
    missingForms_.clear();
    missingLevels_.clear();
    if (!read_)
        return fail(tr("Es wurden keine alten Tabellen gelesen. Es wurde nichts geschrieben."));
    const OldTable& daten = Table(QStringLiteral("daten.db"));
    const OldTable& zeit = Table(QStringLiteral("zeit.db"));
    const bool fill = fillNumbers && needsUpgrade_;
    auto value = [](const OldTable& t, const QVariantList& row, const char* field) -> QVariant {
        const int i = t.index(QString::fromLatin1(field));
        return i >= 0 && i < row.size() ? row[i] : QVariant();
    };
    auto text = [&](const OldTable& t, const QVariantList& row, const char* field) {
        return value(t, row, field).toString().trimmed();
    };
    auto number = [&](const QVariantList& row, const char* field) -> QVariant {
        const QVariant v = value(daten, row, field);
        if (v.isNull() && fill && std::find_if(std::begin(kNumberFields), std::end(kNumberFields), [&](const char* f) {
                                      return qstricmp(f, field) == 0;
                                  }) != std::end(kNumberFields))
            return 0;
        return v;
    };
    auto labels = [&](const QString& phase, const QString& detail) {
        if (progress.labels)
            progress.labels(phase, detail);
    };
    auto reset = [&](int max1, int max2) {
        if (progress.reset1)
            progress.reset1(max1);
        if (progress.reset2)
            progress.reset2(max2);
    };
    auto step1 = [&] {
        if (progress.step1)
            progress.step1();
    };
    auto step2 = [&] {
        if (progress.step2)
            progress.step2();
    };

    try {
        // Forms and load levels must exist in the new database: they are looked up by name and
        // cannot be made from a name alone. Every missing one is listed before anything is written.
        const QHash<QString, int> forms = namesToIds(target, QStringLiteral("form"), QStringLiteral("For_Id"),
                                                     QStringLiteral("For_Form"));
        const QHash<QString, int> levels = namesToIds(target, QStringLiteral("belStufe"), QStringLiteral("bel_ID"),
                                                      QStringLiteral("bel_Name"));
        for (const QVariantList& row : daten.rows) {
            const QString form = text(daten, row, "Form");
            if (!form.isEmpty() && !forms.contains(key(form)) && !missingForms_.contains(form, Qt::CaseInsensitive))
                missingForms_ << form;
            const QString level = text(daten, row, "Belastungsstufe");
            if (!level.isEmpty() && !levels.contains(key(level)) && !missingLevels_.contains(level, Qt::CaseInsensitive))
                missingLevels_ << level;
        }
        if (!missingForms_.isEmpty() || !missingLevels_.isEmpty()) {
            QStringList lines;
            if (!missingForms_.isEmpty())
                lines << tr("Trainingsformen: %1").arg(missingForms_.join(QStringLiteral(", ")));
            if (!missingLevels_.isEmpty())
                lines << tr("Belastungsstufen: %1").arg(missingLevels_.join(QStringLiteral(", ")));
            return fail(tr("Die neue Datenbank kennt nicht alle Einträge, die die alten Einheiten verwenden. Bitte legen "
                           "Sie sie an und konvertieren Sie erneut. Es wurde nichts geschrieben.\n") +
                        lines.join(QLatin1Char('\n')));
        }
    } catch (const std::exception& e) {
        return fail(ExceptionMessage(e));
    }

    target.BeginTrans();
    try {
        reset(daten.rows.size(), 0);
        labels(LoadStr(msg::ConvertingUnits), LoadStr(msg::ConvertingUnits));

        // Sports and load types named by old units and not yet in the new database, in the order
        // of their names.
        auto addNames = [&](const char* field, const QString& table, const QString& id, const QString& name,
                            const QString& order, const QString& insertSql, int& added) {
            QHash<QString, int> known = namesToIds(target, table, id, name);
            QStringList names;
            for (const QVariantList& row : daten.rows) {
                const QString n = text(daten, row, field);
                if (!n.isEmpty() && !known.contains(key(n))) {
                    known.insert(key(n), -1);
                    names << n;
                }
            }
            std::sort(names.begin(), names.end(),
                      [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
            int nextId = maxOf(target, table, id);
            int nextOrder = maxOf(target, table, order);
            TPreparedStatement insert(target, insertSql);
            for (const QString& n : names) {
                insert.Execute({++nextId, n, ++nextOrder});
                ++added;
            }
            return namesToIds(target, table, id, name);
        };
        const QHash<QString, int> sports = addNames(
            "Sportart", QStringLiteral("sportart"), QStringLiteral("Spo_Id"), QStringLiteral("Spo_Name"),
            QStringLiteral("Spo_orderID"),
            QStringLiteral("INSERT INTO sportart (Spo_Id, Spo_Name, Spo_Farbe, Spo_orderID, Spo_speed, Spo_distance) "
                           "VALUES (?, ?, -1, ?, 1, 5)"),
            result_.sports);
        const QHash<QString, int> loadTypes = addNames(
            "Belastungsart", QStringLiteral("belArt"), QStringLiteral("bea_ID"), QStringLiteral("bea_Name"),
            QStringLiteral("bea_orderID"),
            QStringLiteral("INSERT INTO belArt (bea_ID, bea_Name, bea_Farbe, bea_orderID) VALUES (?, ?, -1, ?)"),
            result_.loadTypes);
        const QHash<QString, int> forms = namesToIds(target, QStringLiteral("form"), QStringLiteral("For_Id"),
                                                     QStringLiteral("For_Form"));
        const QHash<QString, int> levels = namesToIds(target, QStringLiteral("belStufe"), QStringLiteral("bel_ID"),
                                                      QStringLiteral("bel_Name"));
        auto idOf = [&](const QHash<QString, int>& map, const QString& name) { return name.isEmpty() ? 0 : map.value(key(name)); };

        // The names the blocks are made of: the form and sport as the new database writes them.
        QHash<int, QString> formName, sportName;
        {
            TQuery q;
            q.SetConnection(&target);
            q.SetSQLText(QStringLiteral("SELECT For_Id, For_Form FROM form"));
            q.Open();
            for (q.First(); !q.Eof(); q.Next())
                formName.insert(q.Field(0)->AsInteger(), q.Field(1)->AsString());
            q.Close();
            q.SetSQLText(QStringLiteral("SELECT Spo_Id, Spo_Name FROM sportart"));
            q.Open();
            for (q.First(); !q.Eof(); q.Next())
                sportName.insert(q.Field(0)->AsInteger(), q.Field(1)->AsString());
            q.Close();
        }

        // Splits by old unit, in file order.
        QHash<qint64, QList<int>> splitsOf;
        const int splitIndex = zeit.index(QStringLiteral("Index"));
        for (int i = 0; i < zeit.rows.size(); ++i)
            splitsOf[zeit.rows[i].value(splitIndex).toLongLong()].append(i);

        // Units in date order (old file order among equal dates).
        QList<int> order(daten.rows.size());
        std::iota(order.begin(), order.end(), 0);
        const int dateIndex = daten.index(QStringLiteral("Datum"));
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return daten.rows[a].value(dateIndex).toDouble() < daten.rows[b].value(dateIndex).toDouble();
        });

        TPreparedStatement insertBlock(target, QStringLiteral("INSERT INTO trainingsblock (trb_Id, trb_Name, trb_created, "
                                                              "trb_form, trb_sportart) VALUES (?, ?, ?, ?, ?)"));
        TPreparedStatement insertUnit(
            target, QStringLiteral("INSERT INTO daten (Datum, Startzeit, Zeit, Ort, Gefuehl, Wetter, Wind, Bemerkungen, "
                                   "Streckenbeschreibung, User1, Meter, Hoehendifferenz, Temperatur, Puls, Maxpuls, "
                                   "Ruhepuls, Erholungspuls, Gli, Gewicht, User2, Fett, kcal, Form, Belastungsart, "
                                   "Sportart, Belastungsstufe, trainingsblock) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                   "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        TPreparedStatement insertSplit(target, QStringLiteral("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, Puls, "
                                                              "Notitz, zwTyp, HDiff, zei_hrm) VALUES (?, ?, ?, ?, ?, ?, ?, 0)"));
        int block = maxOf(target, QStringLiteral("trainingsblock"), QStringLiteral("trb_Id"));
        QHash<qint64, qint64> unitMap;
        unitMap.reserve(daten.rows.size());
        const int heightIndex = zeit.index(QStringLiteral("M über NN"));
        for (int i : order) {
            const QVariantList& row = daten.rows[i];
            const int form = idOf(forms, text(daten, row, "Form"));
            const int sport = idOf(sports, text(daten, row, "Sportart"));
            const QVariant datum = value(daten, row, "Datum");
            const QString blockName = formName.value(form) + QStringLiteral(": ") + sportName.value(sport) +
                                      LoadStr(msg::BlockNameOn) +
                                      (datum.isNull() ? QString() : DateToStr(std::trunc(datum.toDouble())));
            insertBlock.Execute({++block, blockName.left(50), datum, form, sport});
            insertUnit.Execute({datum, value(daten, row, "Startzeit"), value(daten, row, "Zeit"),
                                value(daten, row, "Ort"), value(daten, row, "Gefuehl"), value(daten, row, "Wetter"),
                                value(daten, row, "Wind"), value(daten, row, "Bemerkungen"),
                                value(daten, row, "Streckenbeschreibung"), value(daten, row, "User1"),
                                value(daten, row, "Meter"), value(daten, row, "Hoehendifferenz"),
                                value(daten, row, "Temperatur"), number(row, "Puls"), number(row, "Maxpuls"),
                                number(row, "Ruhepuls"), number(row, "Erholungspuls"), number(row, "Gli"),
                                number(row, "Gewicht"), number(row, "User2"), number(row, "Fett"), number(row, "kcal"),
                                form, idOf(loadTypes, text(daten, row, "Belastungsart")), sport,
                                idOf(levels, text(daten, row, "Belastungsstufe")), block});
            const qint64 unit = target.LastInsertRowId();
            ++result_.units;
            const qint64 oldIndex = value(daten, row, "Index").toLongLong();
            const QList<int> splits = splitsOf.value(oldIndex);
            if (progress.reset2)
                progress.reset2(splits.size());
            for (int s : splits) {
                const QVariantList& z = zeit.rows[s];
                insertSplit.Execute({unit, value(zeit, z, "Meter"), value(zeit, z, "Zwischenzeit"), value(zeit, z, "Puls"),
                                     value(zeit, z, "Notitz"), value(zeit, z, "zwTyp"),
                                     heightIndex >= 0 ? z.value(heightIndex) : QVariant()});
                ++result_.splits;
                step2();
            }
            unitMap.insert(oldIndex, unit);
            step1();
        }

        // Best times.
        const OldTable& best = Table(QStringLiteral("bestzeit.db"));
        labels(LoadStr(msg::ConvertingBestTimes), QString());
        reset(best.rows.size(), 0);
        {
            TPreparedStatement insert(target, QStringLiteral("INSERT INTO bestzeit (bes_meter, bes_datum, bes_zeit, bes_typ, "
                                                             "bes_kategorie) VALUES (?, ?, ?, 'PB', ?)"));
            for (const QVariantList& row : best.rows) {
                insert.Execute({value(best, row, "Meter"), value(best, row, "Datum"), value(best, row, "Pb"),
                                LoadStr(msg::OldVersionImport)});
                ++result_.bestTimes;
                step1();
            }
        }

        // Routes and their points.
        const OldTable& routes = Table(QStringLiteral("strecke.db"));
        const OldTable& points = Table(QStringLiteral("streckez.db"));
        labels(LoadStr(msg::ConvertingRoutes), LoadStr(msg::ConvertingRoutePoints));
        reset(routes.rows.size(), 0);
        {
            QHash<qint64, QList<int>> pointsOf;
            const int routeIndex = points.index(QStringLiteral("StrIndex"));
            for (int i = 0; i < points.rows.size(); ++i)
                pointsOf[points.rows[i].value(routeIndex).toLongLong()].append(i);
            TPreparedStatement insertRoute(
                target, QStringLiteral("INSERT INTO strecke (Name, Land, Ort, Laenge, HDiff, Beschreibung, Kommentar, "
                                       "str_kategorie, str_image, str_karte) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
            TPreparedStatement insertPoint(target, QStringLiteral("INSERT INTO streckez (StrIndex, Meter, Streckenpunkt, "
                                                                  "Hoehe, Kommentar) VALUES (?, ?, ?, ?, ?)"));
            for (const QVariantList& row : routes.rows) {
                insertRoute.Execute({value(routes, row, "Name"), value(routes, row, "Land"), value(routes, row, "Ort"),
                                     value(routes, row, "Laenge"), value(routes, row, "HDiff"),
                                     value(routes, row, "Beschreibung"), value(routes, row, "Kommentar"),
                                     LoadStr(msg::OldVersionImport), value(routes, row, "Bild"),
                                     value(routes, row, "Lageplan")});
                const qint64 route = target.LastInsertRowId();
                ++result_.routes;
                const QList<int> own = pointsOf.value(value(routes, row, "StrIndex").toLongLong());
                if (progress.reset2)
                    progress.reset2(own.size());
                for (int p : own) {
                    const QVariantList& pt = points.rows[p];
                    insertPoint.Execute({route, value(points, pt, "Meter"), value(points, pt, "Streckenpunkt"),
                                         value(points, pt, "Hoehe"), value(points, pt, "Kommentar")});
                    ++result_.routePoints;
                    step2();
                }
                step1();
            }
        }

        // Equipment.
        const OldTable& equipment = Table(QStringLiteral("equipment.db"));
        labels(LoadStr(msg::ConvertingEquipment), QString());
        reset(equipment.rows.size(), 0);
        QHash<qint64, qint64> equipmentMap;
        equipmentMap.reserve(equipment.rows.size());
        {
            TPreparedStatement insert(target, QStringLiteral("INSERT INTO equipment (Bezeichnung, Art, Kilometer, "
                                                             "equ_kaufdatum, equ_aktuell, equ_kategorie) "
                                                             "VALUES (?, ?, ?, ?, 1, ?)"));
            for (const QVariantList& row : equipment.rows) {
                const QVariant km = value(equipment, row, "Kilometer");
                insert.Execute({value(equipment, row, "Bezeichnung"), value(equipment, row, "Art"),
                                km.isNull() ? QVariant() : QVariant(qint64(Round(km.toDouble()))), Date(),
                                LoadStr(msg::OldVersionImport)});
                equipmentMap.insert(value(equipment, row, "Index").toLongLong(), target.LastInsertRowId());
                ++result_.equipment;
                step1();
            }
        }

        // Links between equipment and units: a link whose unit or item is gone is skipped.
        const OldTable& links = Table(QStringLiteral("eqdaten.db"));
        labels(LoadStr(msg::ConvertingLinks), QString());
        reset(links.rows.size(), 0);
        {
            TPreparedStatement insert(target, QStringLiteral("INSERT INTO eqdaten (EqIndex, EinheiIndex) VALUES (?, ?)"));
            for (const QVariantList& row : links.rows) {
                const QVariant eq = value(links, row, "EqIndex");
                const QVariant unit = value(links, row, "EinheiIndex");
                const auto e = equipmentMap.constFind(eq.toLongLong());
                const auto u = unitMap.constFind(unit.toLongLong());
                if (eq.isNull() || unit.isNull() || e == equipmentMap.constEnd() || u == unitMap.constEnd()) {
                    ++result_.skippedLinks;
                } else {
                    insert.Execute({*e, *u});
                    ++result_.links;
                }
                step1();
            }
        }
        target.CommitTrans();
    } catch (const std::exception& e) {
        if (target.InTransaction())
            target.RollbackTrans();
        result_ = {};
        return fail(ExceptionMessage(e));
    }
    return true;
}
