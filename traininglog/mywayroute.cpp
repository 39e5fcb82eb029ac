#include "traininglog/mywayroute.h"

#include <QApplication>
#include <QCoreApplication>

#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/routemanagerview.h"
#include "core/views.h"
#include "exchange/mywaypointselect.h"
#include "platform/vcl/dialogs.h"

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("MyWayRoute", text);
}

void showFailure(const QString& reason)
{
    MessageDlg(LoadStr(msg::RouteImportFailed) + QStringLiteral("\n") + reason, mtError, TMsgDlgButtons{mbOK});
}

}  // namespace

bool WriteMyWayRoute(const MyWayRoute& route, const QVector<MyWayMarker>& markers, QString& error)
{
    if (markers.isEmpty()) {
        error = tr("Es wurde kein Streckenpunkt ausgewählt.");
        return false;
    }
    TDataSet& strecke = orvServer->strecke;
    TConnection& db = orvServer->orvDB;
    bool posted = false;
    db.BeginTrans();
    try {
        auto field = [&](const char* name) { return strecke.FieldByName(QString::fromLatin1(name)); };
        strecke.Insert();
        field("Name")->SetAsString(route.name);
        field("Laenge")->SetAsInteger(markers.last().meter);
        field("Ort")->SetAsString(route.name);
        field("str_kategorie")->SetAsString(QStringLiteral("MyWay - Import"));
        strecke.Post();
        posted = true;
        const int strIndex = field("StrIndex")->AsInteger();
        TPreparedStatement insert(
            db, QStringLiteral("INSERT INTO streckez (StrIndex, Meter, Hoehe, Streckenpunkt) VALUES (?, ?, ?, ?)"));
        for (const MyWayMarker& m : markers)
            insert.Execute({strIndex, m.meter, m.z, m.text});
        db.CommitTrans();
    } catch (const std::exception& e) {
        if (strecke.State() == dsInsert || strecke.State() == dsEdit)
            strecke.Cancel();
        if (db.InTransaction())
            db.RollbackTrans();
        if (posted) {
            strecke.Close();
            strecke.Open();
        }
        error = ExceptionMessage(e);
        return false;
    }
    // The points were written past the detail dataset: it reads them again.
    orvServer->strPunkte.Close();
    orvServer->strPunkte.Open();
    if (RouteManagerView* manager = View<RouteManagerView>()) {
        manager->fillTreeView();
        manager->synchronizeOverview();
        manager->refreshChart();
    }
    return true;
}

void importMyWayRoute(int routeId, const QString& folder, QWidget* owner)
{
    QList<int> ids;
    {
        ModalForm<Tmywayimp2> choice(mywayimp2, owner);
        choice->routeId = routeId;
        if (choice->ShowModal() == mrCancel)
            return;
        ids = choice->chosenIds;
    }
    QApplication::processEvents();
    auto planner = MyWayPlanner::Open(folder);
    if (!planner.Ok()) {
        showFailure(planner.Error().Text());
        return;
    }
    MyWayRoute route;
    if (!planner.Value().Route(routeId, route)) {
        showFailure(tr("Der Routenplaner hat keine Strecke mit der Nummer %1.").arg(routeId));
        return;
    }
    const QVector<MyWayMarker> markers = planner.Value().ChosenMarkers(routeId, ids);
    if (markers.isEmpty()) {
        MessageDlg(tr("Es wurde kein Streckenpunkt ausgewählt. Die Strecke wurde nicht importiert."), mtInformation,
                   TMsgDlgButtons{mbOK});
        return;
    }
    QString error;
    if (!WriteMyWayRoute(route, markers, error))
        showFailure(error);
}
