#include "traininglog/tooleqframe.h"

#include "ui_tooleqframe.h"

#include "core/language.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/events.h"

TtoolEqFrm* toolEqFrm = nullptr;

void FillEquipmentCheckList(QListWidget* list, const QList<TEquipmentLine>& lines)
{
    list->clear();
    for (const TEquipmentLine& line : lines) {
        auto* item = new QListWidgetItem(line.Name, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(line.Linked ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, line.Id);
    }
    if (list->count() > 0)
        list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

QList<TEquipmentLine> EquipmentCheckListLines(const QListWidget* list)
{
    QList<TEquipmentLine> lines;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        lines << TEquipmentLine{item->data(Qt::UserRole).toLongLong(), item->text(), item->checkState() == Qt::Checked};
    }
    return lines;
}

TtoolEqFrm::TtoolEqFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TtoolEqFrm>())
{
    ui->setupUi(this);
    Label1 = ui->Label1;
    CheckListBox1 = ui->CheckListBox1;
    Button1 = ui->Button1;
    Button2 = ui->Button2;
    OnButtonClick(Button1, Handler(this, &TtoolEqFrm::Button1Click));
    OnButtonClick(Button2, Handler(this, &TtoolEqFrm::Button2Click));
    RegisterView<EquipmentToolView>(this);
}

TtoolEqFrm::~TtoolEqFrm()
{
    UnregisterView<EquipmentToolView>(this);
    if (toolEqFrm == this)
        toolEqFrm = nullptr;
}

void TtoolEqFrm::FormShow(QObject*)
{
    CheckListBox1->clear();
    if (!orvServer || !orvServer->daten.Active())
        return;
    TTable& daten = orvServer->daten;
    if (daten.State() == dsEdit || daten.State() == dsInsert) {
        // An unsaved unit has no key to link to yet.
        CheckListBox1->addItem(LoadStr(msg::EquipmentUnitMustFirst));
        CheckListBox1->addItem(LoadStr(msg::EquipmentBeSaved));
        CheckListBox1->setEnabled(false);
        return;
    }
    // Without a current unit there is nothing to link to.
    const qint64 unit = CurrentUnitId(daten);
    CheckListBox1->setEnabled(unit > 0);
    if (unit <= 0)
        return;
    FillEquipmentCheckList(CheckListBox1,
                           ListEquipment(orvServer->equipment, orvServer->eqdaten, unit, CurrentEquipmentFilter()));
}

void TtoolEqFrm::Button1Click(QObject*)
{
    if (!orvServer || !CheckListBox1->isEnabled())
        return;
    SaveEquipmentLinks(orvServer->eqdaten, CurrentUnitId(orvServer->daten), EquipmentCheckListLines(CheckListBox1));
}

void TtoolEqFrm::Button2Click(QObject* Sender)
{
    FormShow(Sender);
}
