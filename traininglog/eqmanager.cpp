#include "traininglog/eqmanager.h"

#include "ui_eqmanager.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScreen>

#include "core/language.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/events.h"
#include "traininglog/categorytree.h"
#include "traininglog/equipmentlinks.h"
#include "traininglog/managerglyphs.h"

TeqManager* eqManager = nullptr;

namespace {

void setBar(QProgressBar* bar, qint64 maximum, qint64 position)
{
    const TBarRange r = ClampedBar(maximum, position);
    bar->setRange(0, r.Maximum);
    bar->setValue(r.Position);
}

}  // namespace

TeqManager::TeqManager(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TeqManager>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(size());
    TreeView1 = ui->TreeView1;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBEdit3 = ui->DBEdit3;
    DBDateTimePicker1 = ui->DBDateTimePicker1;
    DBEdit4 = ui->DBEdit4;
    DBCheckBox1 = ui->DBCheckBox1;
    Label4 = ui->Label4;
    Label5 = ui->Label5;
    Label6 = ui->Label6;
    Label8 = ui->Label8;
    ProgressBar1 = ui->ProgressBar1;
    ProgressBar2 = ui->ProgressBar2;
    DBGrid2 = ui->DBGrid2;

    DBCheckBox1->SetValueChecked(QStringLiteral("True;Yes;On;Wahr"));
    DBCheckBox1->SetValueUnchecked(QStringLiteral("False;No;Off;Falsch"));
    SetUpCategoryTree(TreeView1);

    DBGrid2->SetReadOnly(true);
    DBGrid2->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgRowSelect |
                        dgAlwaysShowSelection);
    struct Col {
        const char* field;
        const char* title;
        int width;
    };
    // Date, distance and time get the room their texts take in this font.
    for (const Col c : {Col{"Datum", QT_TR_NOOP("Datum"), 72}, Col{"sportName", QT_TR_NOOP("Sportart"), 81},
                        Col{"formName", QT_TR_NOOP("Form"), 53}, Col{"Ort", QT_TR_NOOP("Ort"), 102},
                        Col{"Meter", QT_TR_NOOP("Meter"), 44}, Col{"Zeit", QT_TR_NOOP("Zeit"), 58}}) {
        TColumn* col = DBGrid2->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        if (c.title)
            col->Title().SetCaption(tr(c.title));
        col->SetWidth(c.width);
    }
    DBGrid2->OnDblClick = Handler(this, &TeqManager::DBGrid2DblClick);

    createActions();
    if (orvServer)
        BindDataControls(this, [](const QString& name) { return orvServer->FindDataSource(name); });

    BindCategoryTreeClick(TreeView1, treeBusy_, Handler(this, &TeqManager::TreeView1Click));
    OnShow = Handler(this, &TeqManager::FormShow);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    RegisterView<EquipmentManagerView>(this);
}

TeqManager::~TeqManager()
{
    UnregisterView<EquipmentManagerView>(this);
    if (eqManager == this)
        eqManager = nullptr;
}

void TeqManager::createActions()
{
    ActionManager1 = new TActionList(this);
    ActionManager1->setObjectName(QStringLiteral("ActionManager1"));
    ImageList1 = new TImageList(this, 16, 16);
    AddDataSetActionImages(ImageList1);
    const int refreshImage = ImageList1->Add(QPixmap::fromImage(ManagerGlyph(mgRefresh)));
    const int helpImage = ImageList1->Add(QPixmap::fromImage(ManagerGlyph(mgHelp)));
    ActionManager1->SetImages(ImageList1);

    // The items' actions carry the standard hints.
    const TDataSetActions items = CreateDataSetActions(ActionManager1, DataSetActionNames(1),
                                                      orvServer ? &orvServer->dsEquipment : nullptr);
    std::tie(DataSetFirst1, DataSetPrior1, DataSetNext1, DataSetLast1, DataSetInsert1, DataSetDelete1, DataSetPost1,
             DataSetCancel1) = items.Tuple();
    Action2 = new TAction(ActionManager1, QStringLiteral("Action2"));
    Action2->SetCaption(tr("Aktualisieren"));
    Action2->SetHint(tr("Aktualisieren"));
    Action2->SetImageIndex(refreshImage);
    Action2->OnExecute = Handler(this, &TeqManager::Action2Execute);
    Action1 = new TAction(ActionManager1, QStringLiteral("Action1"));
    Action1->SetCaption(tr("Hilfe"));
    Action1->SetHint(tr("Hilfe"));
    Action1->SetImageIndex(helpImage);
    Action1->OnExecute = Handler(this, &TeqManager::Action1Execute);

    ActionToolBar1 = CreateActionToolBar(ui->Panel1, QStringLiteral("ActionToolBar1"));
    AddDataSetButtons(ActionToolBar1, items);
    ActionToolBar1->addSeparator();
    AddActionButton(ActionToolBar1, Action2);
    AddActionButton(ActionToolBar1, Action1);
    LetKeyboardReachButtons(ActionToolBar1);
    ActionManager1->UpdateActions();
}

void TeqManager::FormShow(QObject*)
{
    if (!orvServer)
        return;
    // The equipment tool leaves its filter of the items in use on the table.
    orvServer->equipment.SetFilter(QString());
    orvServer->equipment.SetFiltered(false);
    fillTreeView();
    showUsage();
    synchronizeOverview();
    TreeView1->setFocus();
}

void TeqManager::fillTreeView()
{
    if (!orvServer)
        return;
    const QScopedValueRollback busy(treeBusy_, true);
    TCategorySource source{QStringLiteral("equipment"), QStringLiteral("equ_kategorie"), QStringLiteral("equ_Id"),
                           QStringLiteral("bezeichnung"),
                           [](TDataSet& row) { return row.FieldByName(QStringLiteral("Bezeichnung"))->AsString(); }};
    FillCategoryTree(TreeView1, ReadCategoryGroups(orvServer->orvDB, source), NoCategoryCaption());
}

void TeqManager::showUsage()
{
    if (!orvServer)
        return;
    TQuery& eqdetail = orvServer->eqdetail;
    TTable& equipment = orvServer->equipment;
    eqdetail.Close();
    // While a new item is inserted and while there is none, the panel keeps its figures.
    if (!equipment.Active() || equipment.State() == dsInsert || equipment.IsEmpty())
        return;
    eqdetail.SetSQLText(EquipmentUsageSql(equipment.FieldByName(QStringLiteral("equ_Id"))->AsLargeInt()));
    eqdetail.Open();
    eqdetail.DisableControls();
    const auto enable = qScopeGuard([&eqdetail] { eqdetail.EnableControls(); });
    TEquipmentUsage usage;
    usage.ExpectedKm = equipment.FieldByName(QStringLiteral("Kilometer"))->AsLargeInt();
    const int rows = eqdetail.RecordCount();
    setBar(ProgressBar1, rows, 0);
    TField* meter = eqdetail.FieldByName(QStringLiteral("Meter"));
    for (eqdetail.First(); !eqdetail.Eof(); eqdetail.Next()) {
        ++usage.Units;
        usage.Meters += meter->AsLargeInt();
        setBar(ProgressBar1, rows, usage.Units);
    }
    Label8->setText(LoadStr(msg::EquipmentUsedAt) + QString::number(usage.Units) + QLatin1Char(' ') +
                    LoadStr(msg::EquipmentUnits) + QLatin1Char('.'));
    Label4->setText(QString::number(usage.ExpectedKm));
    Label5->setText(QString::number(usage.UsedKm()));
    Label6->setText(QString::number(usage.RemainingKm()));
    setBar(ProgressBar2, usage.ExpectedKm, usage.UsedKm());
    setBar(ProgressBar1, rows, 0);
}

void TeqManager::synchronizeOverview()
{
    if (!orvServer)
        return;
    const QScopedValueRollback busy(treeBusy_, true);
    SynchronizeCategoryTree(TreeView1, orvServer->equipment, QStringLiteral("equ_Id"));
}

void TeqManager::TreeView1Click(QObject*)
{
    if (!orvServer)
        return;
    LocateSelectedCategoryRecord(TreeView1, orvServer->equipment, QStringLiteral("equ_Id"));
}

void TeqManager::DBGrid2DblClick(QObject*)
{
    if (!orvServer)
        return;
    TQuery& eqdetail = orvServer->eqdetail;
    if (!eqdetail.Active() || eqdetail.IsEmpty())
        return;
    const qint64 unit = eqdetail.FieldByName(QStringLiteral("dat_Id"))->AsLargeInt();
    if (unit <= 0)
        return;
    orvServer->daten.Locate(QStringLiteral("dat_id"), unit);
    Close();
}

void TeqManager::Action2Execute(QObject*)
{
    fillTreeView();
    showUsage();
    // The rebuilt tree shows the current item again.
    synchronizeOverview();
}

void TeqManager::Action1Execute(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Equipmentmanager"), callHelp);
}
