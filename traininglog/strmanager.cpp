#include "traininglog/strmanager.h"

#include "ui_strmanager.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTimer>

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

QPixmap refreshGlyph()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 100, 170), 2));
    p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 280 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 100, 170));
    p.drawPolygon(QPolygonF({QPointF(9, 1), QPointF(14, 4), QPointF(9, 7)}));
    return pm;
}

// A small route with a flag: the route planner's actions.
QPixmap plannerGlyph()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 130, 60), 2));
    p.drawPolyline(QPolygonF({QPointF(2, 14), QPointF(6, 9), QPointF(10, 11), QPointF(13, 5)}));
    p.setPen(QPen(QColor(190, 40, 40), 1.5));
    p.drawLine(QPointF(13, 5), QPointF(13, 1));
    p.setBrush(QColor(190, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(13, 1), QPointF(16, 2.5), QPointF(13, 4)}));
    return pm;
}

class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

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
    XPButton1->OnClick = Handler(this, &TstrManager::XPButton1Click);
    XPButton2->OnClick = Handler(this, &TstrManager::XPButton2Click);
    XPButton3->OnClick = Handler(this, &TstrManager::XPButton3Click);
    XPButton4->OnClick = Handler(this, &TstrManager::XPButton4Click);
    for (TXPButton* b : {XPButton3, XPButton4, XPButton1, XPButton2})
        b->setFocusPolicy(Qt::StrongFocus);
    Events(DBImage1).OnDblClick = Handler(this, &TstrManager::DBImage1DBLClick);

    createActions();
    if (orvServer) {
        BindDataControls(this, [](const QString& name) { return orvServer->FindDataSource(name); });
        profileLink_->SetDataSource(&orvServer->dsStrPunkte);
    }

    connect(TreeView1, &QTreeWidget::itemClicked, this, [this] {
        if (!treeBusy_)
            Handler(this, &TstrManager::TreeView1Click)(TreeView1);
    });
    // The arrow keys move through the tree as the mouse does.
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this] {
        if (!treeBusy_ && TreeView1->hasFocus())
            Handler(this, &TstrManager::TreeView1Click)(TreeView1);
    });
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
    for (int k = daFirst; k <= daCancel; ++k)
        ImageList1->Add(DataSetActionGlyph(TDataSetActionKind(k)));
    const int refreshImage = ImageList1->Add(refreshGlyph());
    const int plannerImage = ImageList1->Add(plannerGlyph());
    const int helpImage = ImageList1->Add(QPixmap::fromImage(ManagerGlyph(mgHelp)));
    ActionManager1->SetImages(ImageList1);

    TDataSource* routes = orvServer ? &orvServer->dsStrecke : nullptr;
    TDataSource* points = orvServer ? &orvServer->dsStrPunkte : nullptr;
    DataSetFirst1 = new TDataSetFirst(ActionManager1, QStringLiteral("DataSetFirst1"));
    DataSetPrior1 = new TDataSetPrior(ActionManager1, QStringLiteral("DataSetPrior1"));
    DataSetNext1 = new TDataSetNext(ActionManager1, QStringLiteral("DataSetNext1"));
    DataSetLast1 = new TDataSetLast(ActionManager1, QStringLiteral("DataSetLast1"));
    DataSetInsert1 = new TDataSetInsert(ActionManager1, QStringLiteral("DataSetInsert1"));
    DataSetDelete1 = new TDataSetDelete(ActionManager1, QStringLiteral("DataSetDelete1"));
    DataSetPost1 = new TDataSetPost(ActionManager1, QStringLiteral("DataSetPost1"));
    DataSetCancel1 = new TDataSetCancel(ActionManager1, QStringLiteral("DataSetCancel1"));
    DataSetFirst2 = new TDataSetFirst(ActionManager1, QStringLiteral("DataSetFirst2"));
    DataSetPrior2 = new TDataSetPrior(ActionManager1, QStringLiteral("DataSetPrior2"));
    DataSetNext2 = new TDataSetNext(ActionManager1, QStringLiteral("DataSetNext2"));
    DataSetLast2 = new TDataSetLast(ActionManager1, QStringLiteral("DataSetLast2"));
    DataSetInsert2 = new TDataSetInsert(ActionManager1, QStringLiteral("DataSetInsert2"));
    DataSetDelete3 = new TDataSetDelete(ActionManager1, QStringLiteral("DataSetDelete3"));
    DataSetPost2 = new TDataSetPost(ActionManager1, QStringLiteral("DataSetPost2"));
    DataSetCancel2 = new TDataSetCancel(ActionManager1, QStringLiteral("DataSetCancel2"));
    const QList<TDataSetAction*> routeActions = {DataSetFirst1,  DataSetPrior1,  DataSetNext1, DataSetLast1,
                                                 DataSetInsert1, DataSetDelete1, DataSetPost1, DataSetCancel1};
    const QList<TDataSetAction*> pointActions = {DataSetFirst2,  DataSetPrior2,  DataSetNext2, DataSetLast2,
                                                 DataSetInsert2, DataSetDelete3, DataSetPost2, DataSetCancel2};
    const char* const routeHints[] = {QT_TR_NOOP("Erste Strecke"),     QT_TR_NOOP("Vorherige Strecke"),
                                      QT_TR_NOOP("Nächste Strecke"),   QT_TR_NOOP("Letzte Strecke"),
                                      QT_TR_NOOP("Strecke hinzufügen"), QT_TR_NOOP("Strecke löschen"),
                                      QT_TR_NOOP("Strecke speichern"), QT_TR_NOOP("Bearbeiten abbrechen")};
    const char* const pointHints[] = {QT_TR_NOOP("Erster Punkt"),     QT_TR_NOOP("Vorheriger Punkt"),
                                      QT_TR_NOOP("Nächster Punkt"),   QT_TR_NOOP("Letzter Punkt"),
                                      QT_TR_NOOP("Punkt hinzufügen"), QT_TR_NOOP("Punkt löschen"),
                                      QT_TR_NOOP("Speichern"),        QT_TR_NOOP("Bearbeiten abbrechen")};
    for (int i = 0; i < routeActions.size(); ++i) {
        routeActions[i]->SetImageIndex(routeActions[i]->Kind());
        routeActions[i]->SetDataSource(routes);
        routeActions[i]->SetHint(tr(routeHints[i]));
        pointActions[i]->SetImageIndex(pointActions[i]->Kind());
        pointActions[i]->SetDataSource(points);
        pointActions[i]->SetHint(tr(pointHints[i]));
    }
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

    auto toolBar = [](QWidget* panel, const char* name) {
        auto* bar = new QToolBar(panel);
        bar->setObjectName(QString::fromLatin1(name));
        bar->setIconSize(QSize(16, 16));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        bar->setMovable(false);
        bar->setGeometry(panel->rect());
        return bar;
    };
    ActionToolBar1 = toolBar(ui->Panel1, "ActionToolBar1");
    ActionToolBar2 = toolBar(ui->Panel2, "ActionToolBar2");
    for (int i = 0; i < routeActions.size(); ++i) {
        if (routeActions[i]->Kind() == daInsert) {
            ActionToolBar1->addSeparator();
            ActionToolBar2->addSeparator();
        }
        AddActionButton(ActionToolBar1, routeActions[i]);
        AddActionButton(ActionToolBar2, pointActions[i]);
    }
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
    // Tab stops on the tool bar's buttons too; Space presses the focused one.
    for (QToolBar* bar : {ActionToolBar1, ActionToolBar2})
        for (QAction* a : bar->actions())
            if (QWidget* button = bar->widgetForAction(a); button && !a->isSeparator())
                button->setFocusPolicy(Qt::StrongFocus);
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
    FlagScope busy(treeBusy_);
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
    FlagScope busy(treeBusy_);
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
    const qint64 id = SelectedCategoryKey(TreeView1);
    if (id <= 0)
        return;
    TTable& strecke = orvServer->strecke;
    if (!orvServer->strPunkte.Active())
        orvServer->strPunkte.Open();
    if (!strecke.IsEmpty() && strecke.State() == dsBrowse &&
        strecke.FieldByName(QStringLiteral("StrIndex"))->AsLargeInt() == id)
        return;
    strecke.Locate(QStringLiteral("StrIndex"), id);
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
