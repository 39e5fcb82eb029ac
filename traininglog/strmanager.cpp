#include "traininglog/strmanager.h"

#include "ui_strmanager.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>

#include "controls/flatbuttonkeys.h"
#include "core/fmxutils.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "exchange/mywaybusy.h"
#include "exchange/mywayimport.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/events.h"
#include "platform/vcl/registry.h"
#include "traininglog/categorytree.h"
#include "traininglog/imgpreview.h"
#include "traininglog/managerglyphs.h"
#include "traininglog/routepicture.h"
#include "traininglog/mywayhandover.h"

TstrManager* strManager = nullptr;

namespace {

bool editing(const TDataSet& ds)
{
    return ds.State() == dsEdit || ds.State() == dsInsert;
}

}  // namespace

TstrManager::TstrManager(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TstrManager>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("strManager"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(size());
    TreeView1 = ui->TreeView1;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBEdit3 = ui->DBEdit3;
    DBEdit4 = ui->DBEdit4;
    DBEdit5 = ui->DBEdit5;
    DBEdit6 = ui->DBEdit6;
    PageControl1 = ui->PageControl1;
    DBMemo1 = ui->DBMemo1;
    DBMemo2 = ui->DBMemo2;
    DBGrid1 = ui->DBGrid1;
    DBChart1 = ui->DBChart1;
    Splitter1 = ui->Splitter1;
    DBImage1 = ui->DBImage1;
    DBImage2 = ui->DBImage2;
    XPButton1 = ui->XPButton1;
    XPButton2 = ui->XPButton2;
    XPButton3 = ui->XPButton3;
    XPButton4 = ui->XPButton4;
    PageControl1->setCurrentWidget(ui->TabSheet2);

    SetUpCategoryTree(TreeView1);
    struct Col {
        const char* field;
        const char* title;
        int width;
    };
    for (const Col c : {Col{"Meter", QT_TR_NOOP("Meter"), 53}, Col{"Streckenpunkt", QT_TR_NOOP("Streckenpunkt"), 200},
                        Col{"Hoehe", QT_TR_NOOP("Höhe"), 36}, Col{"Kommentar", QT_TR_NOOP("Kommentar"), 169}}) {
        TColumn* col = DBGrid1->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->Title().SetCaption(tr(c.title));
        col->SetWidth(c.width);
    }

    // The height profile: one area over the points, placed by their distance.
    DBChart1->SetGallery(ChartKind::Area);
    DBChart1->SetLegendVisible(false);
    DBChart1->SetTitle({tr("Höhenprofil")});
    DBChart1->SeriesObject(0).SetSeriesKind(ChartKind::Area);
    DBChart1->SeriesObject(0).SetSeriesLegend(tr("Höhe"));
    DBChart1->AxisObject(AxisX).SetAxisTitle(tr("Meter"));
    DBChart1->AxisObject(AxisX).SetAxisLabelFormat(QStringLiteral("0"));
    DBChart1->AxisObject(AxisMainY).SetAxisTitle(tr("Höhe"));
    profileLink_ = std::make_unique<ChartDataLink>(*DBChart1, 0);
    profileLink_->SetValueField(QStringLiteral("Hoehe"));
    profileLink_->SetXField(QStringLiteral("Meter"));
    profileLink_->SetLabelField(QStringLiteral("Meter"));
    profileLink_->SetXValues(true);

    // Pictures the program shows; the file's bytes are stored as they are.
    OpenPictureDialog1.SetFilter(tr("Bilder (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png|Bitmaps (*.bmp)|*.bmp|"
                                    "JPEG-Bilder (*.jpg;*.jpeg)|*.jpg;*.jpeg|PNG-Bilder (*.png)|*.png"));
    DBImage1->SetStretch(false);
    DBImage2->SetStretch(false);
    // The map and the picture show whole in their places; the map's preview shows it enlarged.
    DBImage1->SetProportional(true);
    DBImage2->SetProportional(true);
    XPButton1->OnClick = Handler(this, &TstrManager::XPButton1Click);
    XPButton2->OnClick = Handler(this, &TstrManager::XPButton2Click);
    XPButton3->OnClick = Handler(this, &TstrManager::XPButton3Click);
    XPButton4->OnClick = Handler(this, &TstrManager::XPButton4Click);
    LetKeyboardPressButtons({XPButton3, XPButton4, XPButton1, XPButton2});
    Events(DBImage1).OnDblClick = Handler(this, &TstrManager::DBImage1DBLClick);

    createActions();
    if (orvServer) {
        BindDataControls(this, [](const QString& name) { return orvServer->FindDataSource(name); });
        profileLink_->SetDataSource(&orvServer->dsStrPunkte);
    }

    BindCategoryTreeClick(TreeView1, treeBusy_, Handler(this, &TstrManager::TreeView1Click));
    OnShow = Handler(this, &TstrManager::FormShow);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    RegisterView<RouteManagerView>(this);
}

TstrManager::~TstrManager()
{
    UnregisterView<RouteManagerView>(this);
    profileLink_.reset();
    if (strManager == this)
        strManager = nullptr;
}

void TstrManager::createActions()
{
    ActionManager1 = new TActionList(this);
    ActionManager1->setObjectName(QStringLiteral("ActionManager1"));
    ImageList1 = new TImageList(this, 16, 16);
    AddDataSetActionImages(ImageList1);
    const int refreshImage = ImageList1->Add(QPixmap::fromImage(ManagerGlyph(mgRefresh)));
    const int plannerImage = ImageList1->Add(QPixmap::fromImage(ManagerGlyph(mgRoutePlanner)));
    const int helpImage = ImageList1->Add(QPixmap::fromImage(ManagerGlyph(mgHelp)));
    ActionManager1->SetImages(ImageList1);

    const QStringList routeHints = {tr("Erste Strecke"),      tr("Vorherige Strecke"), tr("Nächste Strecke"),
                                    tr("Letzte Strecke"),     tr("Strecke hinzufügen"), tr("Strecke löschen"),
                                    tr("Strecke speichern"),  tr("Bearbeiten abbrechen")};
    const QStringList pointHints = {tr("Erster Punkt"),     tr("Vorheriger Punkt"), tr("Nächster Punkt"),
                                    tr("Letzter Punkt"),    tr("Punkt hinzufügen"), tr("Punkt löschen"),
                                    tr("Speichern"),        tr("Bearbeiten abbrechen")};
    const TDataSetActions routes = CreateDataSetActions(ActionManager1, DataSetActionNames(1),
                                                        orvServer ? &orvServer->dsStrecke : nullptr,
                                                        routeHints);
    QStringList pointNames = DataSetActionNames(2);
    pointNames[daDelete] = QStringLiteral("DataSetDelete3");
    const TDataSetActions points = CreateDataSetActions(ActionManager1, pointNames,
                                                        orvServer ? &orvServer->dsStrPunkte : nullptr,
                                                        pointHints);
    std::tie(DataSetFirst1, DataSetPrior1, DataSetNext1, DataSetLast1, DataSetInsert1, DataSetDelete1, DataSetPost1,
             DataSetCancel1) = routes.Tuple();
    std::tie(DataSetFirst2, DataSetPrior2, DataSetNext2, DataSetLast2, DataSetInsert2, DataSetDelete3, DataSetPost2,
             DataSetCancel2) = points.Tuple();
    // The deletes ask first.
    DataSetDelete1->OnExecute = Handler(this, &TstrManager::DataSetDelete1Execute);
    DataSetDelete3->OnExecute = Handler(this, &TstrManager::DataSetDelete3Execute);

    auto action = [&](const char* name, const char* caption, int image, void (TstrManager::*handler)(QObject*)) {
        auto* a = new TAction(ActionManager1, QString::fromLatin1(name));
        a->SetCaption(tr(caption));
        a->SetHint(tr(caption));
        a->SetImageIndex(image);
        a->OnExecute = Handler(this, handler);
        return a;
    };
    Action2 = action("Action2", QT_TR_NOOP("Aktualisieren"), refreshImage, &TstrManager::Action2Execute);
    Action3 = action("Action3", QT_TR_NOOP("MyWay Import"), plannerImage, &TstrManager::Action3Execute);
    Action4 = action("Action4", QT_TR_NOOP("Vorhandene Strecke importieren"), -1, &TstrManager::Action4Execute);
    Action5 = action("Action5", QT_TR_NOOP("Neue Strecke anlegen"), -1, &TstrManager::Action5Execute);
    Action6 = action("Action6", QT_TR_NOOP("Neue Strecke und Karte anlegen"), -1, &TstrManager::Action6Execute);
    Action1 = action("Action1", QT_TR_NOOP("Hilfe"), helpImage, &TstrManager::Action1Execute);

    ActionToolBar1 = CreateActionToolBar(ui->Panel1, QStringLiteral("ActionToolBar1"));
    ActionToolBar2 = CreateActionToolBar(ui->Panel2, QStringLiteral("ActionToolBar2"));
    AddDataSetButtons(ActionToolBar1, routes);
    AddDataSetButtons(ActionToolBar2, points);
    ActionToolBar1->addSeparator();
    AddActionButton(ActionToolBar1, Action2);
    QAction* myway = AddActionButton(ActionToolBar1, Action3);
    MyWayButton = qobject_cast<QToolButton*>(ActionToolBar1->widgetForAction(myway));
    if (MyWayButton) {
        MyWayButton->setObjectName(QStringLiteral("MyWayButton"));
        auto* menu = new QMenu(MyWayButton);
        menu->setObjectName(QStringLiteral("MyWayMenu"));
        menu->addAction(Action4->qaction());
        menu->addAction(Action5->qaction());
        menu->addAction(Action6->qaction());
        MyWayButton->setMenu(menu);
        MyWayButton->setPopupMode(QToolButton::MenuButtonPopup);
    }
    AddActionButton(ActionToolBar1, Action1);
    // Tab stops on the tool bars' buttons too (Space presses the focused one). It runs from the
    // tree through the route's fields, the page control and the shown page's controls (the point
    // tool bar before its grid), then along the route tool bar back to the tree. The points grid
    // lets Tab go on to the next control; the arrow keys move between its cells.
    QList<QWidget*> order = {TreeView1, DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5, DBEdit6, PageControl1, DBMemo1,
                             DBMemo2};
    order << LetKeyboardReachButtons(ActionToolBar2) << DBGrid1 << XPButton3 << XPButton4 << XPButton1 << XPButton2
          << LetKeyboardReachButtons(ActionToolBar1);
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    DBGrid1->SetOptions(DBGrid1->Options() & ~TDBGridOptions(dgTabs));
    ActionManager1->UpdateActions();
}

void TstrManager::FormShow(QObject*)
{
    fillTreeView();
    synchronizeOverview();
    TreeView1->setFocus();
}

void TstrManager::fillTreeView()
{
    if (!orvServer)
        return;
    const QScopedValueRollback busy(treeBusy_, true);
    const TCategorySource source{QStringLiteral("strecke"), QStringLiteral("str_kategorie"), QStringLiteral("StrIndex"),
                                 QStringLiteral("name"),
                                 [](TDataSet& row) { return row.FieldByName(QStringLiteral("Name"))->AsString(); },
                                 {}};
    FillCategoryTree(TreeView1, ReadCategoryGroups(orvServer->orvDB, source), NoCategoryCaption());
}

void TstrManager::synchronizeOverview()
{
    if (!orvServer)
        return;
    const QScopedValueRollback busy(treeBusy_, true);
    SynchronizeCategoryTree(TreeView1, orvServer->strecke, QStringLiteral("StrIndex"));
}

void TstrManager::refreshChart()
{
    if (profileLink_)
        profileLink_->Refill();
}

void TstrManager::TreeView1Click(QObject*)
{
    if (!orvServer)
        return;
    if (SelectedCategoryKey(TreeView1) <= 0)
        return;
    // The points follow the route from its first click on.
    if (!orvServer->strPunkte.Active())
        orvServer->strPunkte.Open();
    LocateSelectedCategoryRecord(TreeView1, orvServer->strecke, QStringLiteral("StrIndex"));
}

void TstrManager::DataSetDelete1Execute(QObject*)
{
    if (!orvServer || orvServer->strecke.IsEmpty())
        return;
    if (MessageDlg(LoadStr(msg::ConfirmDeleteRoute), mtConfirmation, mbYesNo) == mrYes)
        orvServer->strecke.Delete();
}

void TstrManager::DataSetDelete3Execute(QObject*)
{
    if (!orvServer || !orvServer->strPunkte.Active() || orvServer->strPunkte.IsEmpty())
        return;
    if (MessageDlg(LoadStr(msg::ConfirmDeleteRoutePoint), mtConfirmation, mbYesNo) == mrYes)
        orvServer->strPunkte.Delete();
}

void TstrManager::loadPicture(const QString& field)
{
    if (!orvServer || !OpenPictureDialog1.Execute(this))
        return;
    const QString fileName = OpenPictureDialog1.FileName();
    const TPictureFileCheck check = CheckPictureFile(fileName);
    if (!check.Error.isEmpty()) {
        MessageDlg(check.Error, mtError, TMsgDlgButtons{mbOK});
        return;
    }
    if (check.Large && MessageDlg(LoadStr(msg::LargePictureFile), mtWarning, mbYesNo) != mrYes)
        return;
    TTable& strecke = orvServer->strecke;
    if (!editing(strecke))
        strecke.Edit();
    strecke.FieldByName(field)->SetAsBytes(check.Bytes);
}

void TstrManager::removePicture(const QString& field)
{
    if (!orvServer)
        return;
    TTable& strecke = orvServer->strecke;
    if (!editing(strecke))
        strecke.Edit();
    strecke.FieldByName(field)->Clear();
}

void TstrManager::XPButton1Click(QObject*)
{
    loadPicture(QStringLiteral("str_image"));
}

void TstrManager::XPButton2Click(QObject*)
{
    removePicture(QStringLiteral("str_image"));
}

void TstrManager::XPButton3Click(QObject*)
{
    loadPicture(QStringLiteral("str_karte"));
}

void TstrManager::XPButton4Click(QObject*)
{
    removePicture(QStringLiteral("str_karte"));
}

void TstrManager::DBImage1DBLClick(QObject*)
{
    ModalForm<TimgPreview> preview(imgPreview, this);
    preview->SetPicture(DBImage1->Picture());
    preview->ShowModal();
}

void TstrManager::Action1Execute(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Streckenmanager"), callHelp);
}

void TstrManager::Action2Execute(QObject*)
{
    fillTreeView();
    synchronizeOverview();
}

void TstrManager::Action3Execute(QObject*)
{
    Action4->Execute();
}

void TstrManager::Action4Execute(QObject*)
{
    ModalForm<Tmywaydlg> routes(mywaydlg, this);
    routes->ShowModal();
}

void TstrManager::Action5Execute(QObject*)
{
    handOver(QStringLiteral("-I:Orvalo.txt -S:-1"));
}

void TstrManager::Action6Execute(QObject*)
{
    handOver(QStringLiteral("-I:Orvalo.txt -S:-2"));
}

void TstrManager::handOver(const QString& params)
{
    RunMyWayHandOver(params, this);
}
