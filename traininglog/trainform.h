#pragma once
// The training plan manager "Trainingsplanmanager": the plans (data module's Plan) with their
// fields and totals, the plan's units (plan_daten) in a grid where they are marked realised,
// existing or new units put into the plan, units removed from it or deleted, a unit opened in
// the unit window, the month overview and the plan print. Tplan_delete is its two-choice
// dialog for removing and for inserting plan units.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QList>
#include <QPair>
#include <QRadioButton>

#include <memory>

#include "controls/xpbutton.h"
#include "core/planmanagerview.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"

class TField;

namespace Ui {
class TTrainForm;
class Tplan_delete;
}

class Tplan_delete : public TForm {
    Q_OBJECT
public:
    explicit Tplan_delete(QWidget* Owner = nullptr);
    ~Tplan_delete() override;

    std::unique_ptr<Ui::Tplan_delete> ui;
    QLabel* Label1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QPushButton* Button1;  // "Ok"
    QPushButton* Button2;  // "Abbrechen"
};

extern Tplan_delete* plan_delete;

class TTrainForm : public TForm, public PlanManagerView {
    Q_OBJECT
public:
    explicit TTrainForm(QWidget* Owner = nullptr);
    ~TTrainForm() override;

    std::unique_ptr<Ui::TTrainForm> ui;
    // The current plan's total distance in metres.
    qint64 gesamtMeter = 0;

    TDBGrid* DBGrid1;
    TDBGrid* DBGrid2;
    TDBEdit* DBEdit1;
    TDBEdit* DBEdit2;
    TDBMemo* DBMemo1;
    TDBCheckBox* DBCheckBox1;
    TDBComboBox* DBComboBox1;
    QLineEdit* Edit1;  // "Gesamtstrecke:"
    QLineEdit* Edit2;  // "Gesamtzeit:"
    QLabel* Label4;    // the caption of Edit1: the distance unit's name and ":"
    QMenu* PopupMenu6; // the distance units
    TXPButton* XPButton1;
    TXPButton* XPButton2;
    TXPButton* XPButton3;
    TXPButton* XPButton4;
    TXPButton* XPButton5;
    TXPButton* XPButton6;
    TXPButton* XPButton7;
    TXPButton* XPButton8;
    TXPButton* XPButton9;
    TXPButton* XPButton10;
    TXPButton* XPButton11;
    TXPButton* XPButton12;
    TXPButton* XPButton13;
    TXPButton* XPButton14;
    TXPButton* XPButton15;
    TXPButton* XPButton16;
    TXPButton* XPButton19;
    TXPButton* XPButton20;
    TXPButton* XPButton21;
    TXPButton* XPButton22;

    // PlanManagerView
    void setEdit1(const QString& text) override;
    void setEdit2(const QString& text) override;
    void setLabel4(const QString& text) override;
    void setTotalMeters(qint64 meters) override;
    void checkPopupMenu6First() override;
    void setPostButtonsEnabled(bool enabled) override;
    void setUnitButtonsEnabled(bool enabled) override;

    void FormShow(QObject* Sender);
    void DBGrid2DblClick(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void XPButton2Click(QObject* Sender);
    void XPButton3Click(QObject* Sender);
    void XPButton4Click(QObject* Sender);
    void XPButton5Click(QObject* Sender);
    void XPButton6Click(QObject* Sender);
    void XPButton7Click(QObject* Sender);
    void XPButton8Click(QObject* Sender);
    void XPButton9Click(QObject* Sender);
    void XPButton10Click(QObject* Sender);
    void XPButton11Click(QObject* Sender);
    void XPButton12Click(QObject* Sender);
    void XPButton13Click(QObject* Sender);
    void XPButton14Click(QObject* Sender);
    void XPButton15Click(QObject* Sender);
    void XPButton16Click(QObject* Sender);
    void XPButton19Click(QObject* Sender);
    void XPButton20Click(QObject* Sender);
    void XPButton21Click(QObject* Sender);
    void XPButton22Click(QObject* Sender);
    // Rebuilds PopupMenu6: one radio item per distance unit, the first checked.
    void fillPopupMenu6();
    // A distance unit chosen in PopupMenu6: the total in that unit.
    void distanceUnitClick(QAction* item);
    // The distance unit the total is shown in (Label4 without its ":"); empty while the menu
    // offers fewer than two units.
    QString distanceUnitName() const;

private:
    void insertExistingUnits();
    // The realised flags' display texts before the window set its own.
    QList<QPair<TField*, QString>> flagTexts_;
    void insertNewUnit();
};

extern TTrainForm* TrainForm;
