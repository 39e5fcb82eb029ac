#pragma once
// The equipment manager "Equipmentmanager": the equipment items grouped by category in a tree,
// the current item's fields, and its usage: the units linked to it, their number, the kilometres
// covered and left of its expected life, and a wear bar.
#include <QLabel>
#include <QProgressBar>
#include <QToolBar>
#include <QTreeWidget>

#include <memory>

#include "controls/dbdatetimepicker.h"
#include "core/equipmentmanagerview.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/dbactns.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/imglist.h"

namespace Ui {
class TeqManager;
}

class TeqManager : public TForm, public EquipmentManagerView {
    Q_OBJECT
public:
    explicit TeqManager(QWidget* Owner = nullptr);
    ~TeqManager() override;

    std::unique_ptr<Ui::TeqManager> ui;
    QTreeWidget* TreeView1;
    TDBEdit* DBEdit1;  // Bezeichnung
    TDBEdit* DBEdit2;  // Art
    TDBEdit* DBEdit3;  // Kilometer
    TDBDateTimePicker* DBDateTimePicker1;  // Kaufdatum
    TDBEdit* DBEdit4;  // Kategorie
    TDBCheckBox* DBCheckBox1;  // "Aktuell genutzt"
    QLabel* Label4;  // expected kilometres
    QLabel* Label5;  // used kilometres
    QLabel* Label6;  // remaining kilometres
    QLabel* Label8;  // "Genutzt bei n Einheiten."
    QProgressBar* ProgressBar2;  // wear
    QProgressBar* ProgressBar1;  // summing the usage
    TDBGrid* DBGrid2;  // the units of the item

    TActionList* ActionManager1;
    TImageList* ImageList1;
    QToolBar* ActionToolBar1;
    TDataSetFirst* DataSetFirst1;
    TDataSetPrior* DataSetPrior1;
    TDataSetNext* DataSetNext1;
    TDataSetLast* DataSetLast1;
    TDataSetInsert* DataSetInsert1;
    TDataSetDelete* DataSetDelete1;
    TDataSetPost* DataSetPost1;
    TDataSetCancel* DataSetCancel1;
    TAction* Action2;  // refresh
    TAction* Action1;  // help

    void FormShow(QObject* Sender);
    // Rebuilds the category tree.
    void fillTreeView() override;
    // Recomputes the usage panel for the current item.
    void showUsage() override;
    // Locks the tree while the item is edited, otherwise selects the current item's node.
    void synchronizeOverview() override;
    // Makes the clicked item the current one; a category node changes nothing.
    void TreeView1Click(QObject* Sender);
    // Makes the double-clicked unit the program's current unit and closes the manager.
    void DBGrid2DblClick(QObject* Sender);
    void Action2Execute(QObject* Sender);
    void Action1Execute(QObject* Sender);

private:
    void createActions();
    bool treeBusy_ = false;  // the program itself changes the tree: its selection locates nothing
};

extern TeqManager* eqManager;
