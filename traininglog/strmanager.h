#pragma once
// The route manager "Streckenmanager": the athlete's routes grouped by category in a tree, the
// current route's fields, its description, its points with their own tool bar, the height
// profile drawn from the points, the map and the picture of the route; and the hand-over to the
// route planner, whose routes are imported with the markers the user picks.
#include <QPointer>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

#include "controls/xpbutton.h"
#include "core/routemanagerview.h"
#include "platform/chart/chartdatalink.h"
#include "platform/chart/chartwidget.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/dbactns.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/imglist.h"

namespace Ui {
class TstrManager;
}

class TstrManager : public TForm, public RouteManagerView {
    Q_OBJECT
public:
    explicit TstrManager(QWidget* Owner = nullptr);
    ~TstrManager() override;

    std::unique_ptr<Ui::TstrManager> ui;
    QTreeWidget* TreeView1;
    TDBEdit* DBEdit1;  // Ort: Name
    TDBEdit* DBEdit2;  // Land
    TDBEdit* DBEdit3;  // Streckenbeschreibung: Ort
    TDBEdit* DBEdit4;  // Länge
    TDBEdit* DBEdit5;  // HDiff
    TDBEdit* DBEdit6;  // Kategorie
    QTabWidget* PageControl1;
    TDBMemo* DBMemo1;  // Kommentar: Beschreibung
    TDBMemo* DBMemo2;  // Ergänzende Angaben: Kommentar
    TDBGrid* DBGrid1;  // the route points
    ChartWidget* DBChart1;  // "Höhenprofil"
    QSplitter* Splitter1;
    TDBImage* DBImage1;  // map picture str_karte
    TDBImage* DBImage2;  // picture str_image
    TXPButton* XPButton1;  // "Bild laden"
    TXPButton* XPButton2;  // "Bild entfernen"
    TXPButton* XPButton3;  // "Karte laden"
    TXPButton* XPButton4;  // "Karte entfernen"
    TOpenDialog OpenPictureDialog1;

    TActionList* ActionManager1;
    TImageList* ImageList1;
    QToolBar* ActionToolBar1;  // routes
    QToolBar* ActionToolBar2;  // route points
    TDataSetFirst* DataSetFirst1;
    TDataSetPrior* DataSetPrior1;
    TDataSetNext* DataSetNext1;
    TDataSetLast* DataSetLast1;
    TDataSetInsert* DataSetInsert1;
    TDataSetDelete* DataSetDelete1;
    TDataSetPost* DataSetPost1;
    TDataSetCancel* DataSetCancel1;
    TDataSetFirst* DataSetFirst2;
    TDataSetPrior* DataSetPrior2;
    TDataSetNext* DataSetNext2;
    TDataSetLast* DataSetLast2;
    TDataSetInsert* DataSetInsert2;
    TDataSetDelete* DataSetDelete3;
    TDataSetPost* DataSetPost2;
    TDataSetCancel* DataSetCancel2;
    TAction* Action2;  // "Aktualisieren"
    TAction* Action3;  // "MyWay Import"
    TAction* Action4;  // "Vorhandene Strecke importieren"
    TAction* Action5;  // "Neue Strecke anlegen"
    TAction* Action6;  // "Neue Strecke und Karte anlegen"
    TAction* Action1;  // "Hilfe"
    QToolButton* MyWayButton;  // the drop-down of Action3

    void FormShow(QObject* Sender);
    void fillTreeView() override;
    void synchronizeOverview() override;
    void refreshChart() override;
    void TreeView1Click(QObject* Sender);
    void DataSetDelete1Execute(QObject* Sender);
    void DataSetDelete3Execute(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void XPButton2Click(QObject* Sender);
    void XPButton3Click(QObject* Sender);
    void XPButton4Click(QObject* Sender);
    void DBImage1DBLClick(QObject* Sender);
    void Action1Execute(QObject* Sender);
    void Action2Execute(QObject* Sender);
    void Action3Execute(QObject* Sender);
    void Action4Execute(QObject* Sender);
    void Action5Execute(QObject* Sender);
    void Action6Execute(QObject* Sender);

private:
    void createActions();
    void loadPicture(const QString& field);
    void removePicture(const QString& field);
    void handOver(const QString& params);
    std::unique_ptr<ChartDataLink> profileLink_;
    bool treeBusy_ = false;  // the program itself changes the tree: its selection locates nothing
};

extern TstrManager* strManager;
