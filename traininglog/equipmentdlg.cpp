#include "traininglog/equipmentdlg.h"

#include "ui_equipmentdlg.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScreen>

#include "core/language.h"
#include "core/orvdbserver.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/events.h"
#include "traininglog/categorytree.h"
#include "traininglog/equipmentlinks.h"
#include "traininglog/tooleqframe.h"

TEquipment* Equipment = nullptr;

TEquipment::TEquipment(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TEquipment>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    Label1 = ui->Label1;
    TreeView1 = ui->TreeView1;
    CheckListBox1 = ui->CheckListBox1;
    Button1 = ui->Button1;
    Button2 = ui->Button2;
    SetUpCategoryTree(TreeView1);
    TreeView1->setRootIsDecorated(false);
    // A click chooses the category, and so do the arrow keys.
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this] {
        if (!building_)
            Handler(this, &TEquipment::TreeView1Click)(TreeView1);
    });
    OnButtonClick(Button1, Handler(this, &TEquipment::Button1Click));
    OnShow = Handler(this, &TEquipment::FormShow);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TEquipment::~TEquipment()
{
    if (Equipment == this)
        Equipment = nullptr;
}

void TEquipment::FormShow(QObject* Sender)
{
    if (!orvServer)
        return;
    {
        const QScopedValueRollback building(building_, true);
        TreeView1->clear();
        auto* all = new QTreeWidgetItem(QStringList{LoadStr(msg::AllNode)});
        all->setData(0, kNodeIdRole, -1);
        TreeView1->addTopLevelItem(all);
        FillCategoryTree(TreeView1, ReadCategoryGroups(orvServer->orvDB, {QStringLiteral("equipment"),
                                                                          QStringLiteral("equ_kategorie"),
                                                                          QStringLiteral("equ_Id"), QString(), {}}),
                         NoCategoryCaption(), all);
        // The category named like the unit's sport is chosen; the last of equal names wins.
        QTreeWidgetItem* chosen = all;
        TTable& daten = orvServer->daten;
        if (daten.Active() && !daten.IsEmpty()) {
            const QString sport = daten.FieldByName(QStringLiteral("SportName"))->DisplayText();
            for (QTreeWidgetItem* n : CategoryTreeNodes(TreeView1))
                if (!n->data(0, kNullCategoryRole).toBool() && n->text(0) == sport)
                    chosen = n;
        }
        TreeView1->setCurrentItem(chosen);
    }
    TreeView1Click(Sender);
}

void TEquipment::TreeView1Click(QObject*)
{
    if (!orvServer)
        return;
    CheckListBox1->clear();
    const QTreeWidgetItem* n = TreeView1->currentItem();
    if (!n)
        return;
    const QString filter = n->parent() ? CurrentEquipmentFilter(n->text(0), n->data(0, kNullCategoryRole).toBool())
                                       : CurrentEquipmentFilter();
    TDataSet& equipment = orvServer->equipment;
    const qint64 unit = CurrentUnitId(orvServer->daten);
    QList<TEquipmentLine> lines;
    if (unit > 0) {
        // The list leaves the table unfiltered, also when reading it fails.
        const auto unfilter = qScopeGuard([&equipment] {
            equipment.SetFilter(QString());
            equipment.SetFiltered(false);
        });
        lines = ListEquipment(equipment, orvServer->eqdaten, unit, filter);
    }
    FillEquipmentCheckList(CheckListBox1, lines);
}

void TEquipment::Button1Click(QObject*)
{
    if (orvServer)
        SaveEquipmentLinks(orvServer->eqdaten, CurrentUnitId(orvServer->daten), EquipmentCheckListLines(CheckListBox1));
    SetModalResult(mrOk);
}
