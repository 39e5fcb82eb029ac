#pragma once
// The split edit dialog: edits the current row of the data module's split query (a split or a
// heart-rate sample of the current unit). Created once at start-up and shown modally by the
// split page's commands, which first insert a row or leave the query on the row to edit.
// Besides the bound fields it offers one aid: the split's own duration ("Splitzeit") becomes
// the cumulative time ("Zwischenzeit") by adding the cumulative time of the previous split.
#include <QLabel>
#include <QLineEdit>

#include <memory>

#include "controls/xpbutton.h"
#include "core/spliteditview.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TzwEditDlg;
}

class TQuery;

// The cumulative time of the unit's split before distance `metres`: the largest cumulative time
// among the unit's rows of the same kind (splits or heart-rate samples) with a smaller distance;
// 0 when there is none.
TDateTime PreviousSplitTime(TQuery& lookup, int datId, int metres, bool hrm);

class TzwEditDlg : public TForm, public SplitEditView {
    Q_OBJECT
public:
    explicit TzwEditDlg(QWidget* Owner = nullptr);
    ~TzwEditDlg() override;

    std::unique_ptr<Ui::TzwEditDlg> ui;
    QLabel* Label2;  // "Meter": the name of the distance unit the distance is read in
    TDBEdit* DBEdit2;   // Meter
    TDBEdit* DBEdit3;   // Zwischenzeit
    QLineEdit* MaskEdit1;  // Splitzeit (unbound)
    TDBEdit* DBEdit4;   // Puls
    TDBEdit* DBEdit1;   // zei_minpuls
    TDBEdit* DBEdit7;   // zei_maxpuls
    TDBEdit* DBEdit5;   // HDiff
    TDBEdit* DBEdit6;   // Notitz
    TDBComboBox* DBComboBox1;  // zwTyp
    TDBEdit* DBEdit8;   // zei_trittfrequenz
    TDBEdit* DBEdit9;   // zei_importkmh
    TDBEdit* DBEdit10;  // zei_temperatur
    TDBCheckBox* DBCheckBox1;  // zei_hrm
    TXPButton* btn_post;
    TXPButton* btn_cancel;

    // SplitEditView
    bool Visible() const override { return TForm::Visible(); }
    void setPostEnabled(bool enabled) override;
    void clearTime() override;
    QString distanceCaption() const override;

    // "Splitzeit" holds a typed time (not the empty mask).
    bool splitTimeEntered() const;

    void FormShow(QObject* Sender);
    void FormClose(QObject* Sender, TCloseAction& Action);
    void MaskEdit1Exit(QObject* Sender);
    void btn_postClick(QObject* Sender);
    void btn_cancelClick(QObject* Sender);
};

extern TzwEditDlg* zwEditDlg;
