#pragma once
// The block manager: the training blocks in a list that can be filtered by sport or form and
// searched by name, the current block's fields, totals and units, new and deleted blocks, all
// empty blocks deleted at once, and existing units filed in the current block. Every control
// shows the data module's block datasets (trainblockman and its detail trainblockman_detail);
// the block rules of the data module fill the totals.
#include <QComboBox>
#include <QLineEdit>

#include <memory>

#include "controls/dbdatetimepicker.h"
#include "controls/xpbutton.h"
#include "core/blockmanagerview.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/imglist.h"

namespace Ui {
class Tblockman;
}

class Tblockman : public TForm, public BlockManagerView {
    Q_OBJECT
public:
    explicit Tblockman(QWidget* Owner = nullptr);
    ~Tblockman() override;

    // The roles of combo1's entries: the filter key (Qt::UserRole) and the indent in steps.
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int IndentRole = Qt::UserRole + 1;

    std::unique_ptr<Ui::Tblockman> ui;
    TImageList* ImageList1;
    TDBGrid* DBGrid1;
    TDBGrid* DBGrid2;
    TDBEdit* DBEdit1;
    TDBEdit* DBEdit2;
    TDBEdit* DBEdit3;
    TDBDateTimePicker* DBDateTimePicker1;
    TDBLookupComboBox* DBLookupComboBox1;
    TDBLookupComboBox* DBLookupComboBox2;
    QLineEdit* Edit1;  // "Gesamtstrecke:"
    QLineEdit* Edit2;  // "Gesamtzeit:"
    QLineEdit* Edit3;  // "Suche:"
    QComboBox* combo1;  // "Auswahl:"
    TXPButton* XPButton1;
    TXPButton* XPButton2;
    TXPButton* XPButton3;
    TXPButton* XPButton4;
    TXPButton* XPButton6;
    TXPButton* XPButton7;
    TXPButton* XPButton8;
    TXPButton* XPButton9;
    TXPButton* XPButton10;
    TXPButton* XPButton11;
    TXPButton* XPButton12;
    TXPButton* XPButton13;
    TXPButton* XPButton15;
    TXPButton* XPButton16;
    TXPButton* SpeedButton1;

    // BlockManagerView
    void UpdateListView() override;
    void setTotals(const QString& distance, const QString& time) override;

    void FormShow(QObject* Sender);
    void combo1Change(QObject* Sender);
    void Edit3Change(QObject* Sender);
    void DBGrid2DblClick(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void XPButton2Click(QObject* Sender);
    void XPButton3Click(QObject* Sender);
    void XPButton4Click(QObject* Sender);
    void XPButton6Click(QObject* Sender);
    void XPButton7Click(QObject* Sender);
    void XPButton8Click(QObject* Sender);
    void XPButton9Click(QObject* Sender);
    void XPButton10Click(QObject* Sender);
    void XPButton11Click(QObject* Sender);
    void XPButton12Click(QObject* Sender);
    void XPButton13Click(QObject* Sender);
    void XPButton15Click(QObject* Sender);
    void XPButton16Click(QObject* Sender);
    void SpeedButton1Click(QObject* Sender);
};

extern Tblockman* blockman;
