#include "exchange/mywayplanner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include "platform/office/officemessages.h"
#include "platform/vcl/registry.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("MyWayPlanner", text);
}

QString textOf(const TableValue& v)
{
    return v.IsEmpty() ? QString() : v.AsText();
}

MyWayMarker markerOf(const AccessTable& t, int r)
{
    return {AccessInteger(t.Value(r, QStringLiteral("markr_markrID"))),
            AccessInteger(t.Value(r, QStringLiteral("markr_strecID"))),
            AccessInteger(t.Value(r, QStringLiteral("markr_meter"))), textOf(t.Value(r, QStringLiteral("markr_text"))),
            AccessInteger(t.Value(r, QStringLiteral("markr_z")))};
}

}  // namespace

QString MyWayFolder()
{
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly(QStringLiteral("\\Software\\ZED1")))
        return QString();
    return reg.ReadString(QStringLiteral("DIZPath"));
}

QString MyWayDatabaseFile(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("myway.mdb"));
}

QString MyWayMarkerList(const QList<int>& ids)
{
    QString list = QStringLiteral("-1");
    for (int id : ids)
        list += QLatin1Char(',') + QString::number(id);
    return list;
}

bool ParseMyWayMarkerList(const QString& list, QList<int>& ids)
{
    ids.clear();
    const QStringList parts = list.split(QLatin1Char(','));
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const int id = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return false;
        if (i == 0 && id == -1)
            continue;
        ids.append(id);
    }
    return true;
}

OfficeResult<MyWayPlanner> MyWayPlanner::Open(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        return OfficeError{tr("Der Ordner des Routenplaners MyWay ist nicht eingetragen "
                              "(HKEY_LOCAL_MACHINE\\Software\\ZED1, Wert \"DIZPath\"). Ist MyWay installiert?"),
                           QString()};
    const QString file = MyWayDatabaseFile(folder);
    if (!QFileInfo::exists(file))
        return OfficeError{tr("Die Datenbank des Routenplaners MyWay \"%1\" wurde nicht gefunden.").arg(file),
                           QString()};
    auto db = AccessDatabase::Open(file);
    if (!db.Ok())
        return db.Error();
    MyWayPlanner p;
    for (auto [name, target] : {std::pair{"strec", &p.strec_}, {"karte", &p.karte_}, {"markr", &p.markr_}}) {
        auto t = db.Value()->Table(QString::fromLatin1(name));
        if (!t.Ok())
            return t.Error();
        *target = std::move(t.Value());
    }
    return p;
}

bool MyWayPlanner::Route(int routeId, MyWayRoute& route) const
{
    for (int r = 0; r < strec_.rows.size(); ++r) {
        if (AccessInteger(strec_.Value(r, QStringLiteral("strec_strecID"))) != routeId)
            continue;
        route.id = routeId;
        route.name = textOf(strec_.Value(r, QStringLiteral("strec_name")));
        route.length = AccessInteger(strec_.Value(r, QStringLiteral("strec_laenge")));
        route.mapName.clear();
        const TableValue map = strec_.Value(r, QStringLiteral("strec_karteID"));
        for (int k = 0; k < karte_.rows.size(); ++k)
            if (!map.IsEmpty() && AccessInteger(karte_.Value(k, QStringLiteral("karte_karteID"))) == AccessInteger(map))
                route.mapName = textOf(karte_.Value(k, QStringLiteral("karte_name")));
        return true;
    }
    return false;
}

QVector<MyWayRoute> MyWayPlanner::Routes() const
{
    // The inner join of routes and maps: one row per route and matching map.
    QVector<MyWayRoute> routes;
    for (int r = 0; r < strec_.rows.size(); ++r) {
        const TableValue map = strec_.Value(r, QStringLiteral("strec_karteID"));
        if (map.IsEmpty())
            continue;
        for (int k = 0; k < karte_.rows.size(); ++k) {
            const TableValue id = karte_.Value(k, QStringLiteral("karte_karteID"));
            if (id.IsEmpty() || AccessInteger(id) != AccessInteger(map))
                continue;
            routes.append({AccessInteger(strec_.Value(r, QStringLiteral("strec_strecID"))),
                           textOf(strec_.Value(r, QStringLiteral("strec_name"))),
                           textOf(karte_.Value(k, QStringLiteral("karte_name"))),
                           AccessInteger(strec_.Value(r, QStringLiteral("strec_laenge")))});
        }
    }
    std::stable_sort(routes.begin(), routes.end(), [](const MyWayRoute& a, const MyWayRoute& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return routes;
}

QVector<MyWayMarker> MyWayPlanner::Markers(int routeId) const
{
    QVector<MyWayMarker> markers;
    for (int r = 0; r < markr_.rows.size(); ++r)
        if (AccessInteger(markr_.Value(r, QStringLiteral("markr_strecID"))) == routeId)
            markers.append(markerOf(markr_, r));
    return markers;
}

QVector<MyWayMarker> MyWayPlanner::ChosenMarkers(int routeId, const QList<int>& ids) const
{
    QVector<MyWayMarker> chosen;
    for (const MyWayMarker& m : Markers(routeId))
        if (ids.contains(m.id))
            chosen.append(m);
    std::stable_sort(chosen.begin(), chosen.end(), [](const MyWayMarker& a, const MyWayMarker& b) { return a.id < b.id; });
    return chosen;
}
