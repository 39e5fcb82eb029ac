#pragma once
// The best-time manager "Bestzeiten": the athlete's best times grouped by category in a tree
// (within a category by distance), edited in a list or in a form of one record. The data module
// plays the applause after a best time is saved while this window is open.
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWidget>

#include <memory>

#include "core/besttimemanagerview.h"
#include "traininglog/categorytree.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/dbactns.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/imglist.h"

namespace Ui {
class Tbestzeit;
}

class Tbestzeit : public TForm, public BestTimeManagerView {
    Q_OBJECT
public:
    explicit Tbestzeit(QWidget* Owner = nullptr);
    ~Tbestzeit() override;

    std::unique_ptr<Ui::Tbestzeit> ui;
    QTreeWidget* TreeView1;
    TDBGrid* DBGrid1;  // the list view
    QWidget* Panel1;   // the form view
    TDBEdit* DBEdit1;  // Datum
    TDBEdit* DBEdit2;  // Distanz
    TDBComboBox* DBComboBox1;  // Typ
    TDBEdit* DBEdit3;  // Zeit
    TDBEdit* DBEdit4;  // Ort
    TDBEdit* DBEdit5;  // Kategorie
    TDBMemo* DBMemo1;  // Kommentar
    TDBLookupComboBox* DBLookupComboBox1;  // Sportart

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
    TAction* Action4;  // the view button "Liste/Formular"
    TAction* Action3;  // "Liste"
    TAction* Action2;  // "Formular"
    TAction* Action1;  // "Hilfe"
    QToolButton* ViewButton;

    void FormShow(QObject* Sender);
    void fillTreeView() override;
    void synchronizeOverview() override;
    void TreeView1Click(QObject* Sender);
    void Action1Execute(QObject* Sender);
    void Action2Execute(QObject* Sender);
    void Action3Execute(QObject* Sender);
    void Action4Execute(QObject* Sender);

private:
    void createActions();
    void showView();
    bool treeBusy_ = false;  // the program itself changes the tree: its selection locates nothing
};

extern Tbestzeit* bestzeit;

// Where the tree's categories and best times come from: a best time's node reads its distance
// and its sport's name ("5000 - Laufen"; an unknown sport leaves the name empty) and sorts by the
// distance.
TCategorySource BestTimeCategorySource();
