#pragma once
// The comparison unit selection: every training unit of the database in date order, the units
// with split rows in blue, and a prefix search over place, date or distance. The caller reads
// the chosen unit from ADOTable1dat_Id() after OK.
#include <QComboBox>
#include <QLabel>

#include <memory>

#include "controls/uiofficeedit2000.h"
#include "controls/xpbutton.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TvergleichSelect;
}

// The list's statement: one row per unit; zei_Id is set exactly when the unit has split rows.
QString ComparisonListSql();

class TvergleichSelect : public TForm {
    Q_OBJECT
public:
    explicit TvergleichSelect(QWidget* Owner = nullptr);
    ~TvergleichSelect() override;

    std::unique_ptr<Ui::TvergleichSelect> ui;
    TQuery ADOTable1;
    TDataSource DataSource1;
    TDBGrid* DBGrid1;
    TDBGrid* DBGrid3;
    QComboBox* ComboBox1;
    TUiOfficeEdit2000* UiOfficeEdit20001;
    QLabel* Label14;
    TXPButton* XPButton2;   // take the search result over
    TXPButton* XPButton5;   // first
    TXPButton* XPButton11;  // prior
    TXPButton* XPButton6;   // next
    TXPButton* XPButton7;   // last
    TXPButton* XPButton8;   // "OK"
    TXPButton* XPButton9;   // "Abbrechen"
    TXPButton* XPButton10;  // "Hilfe" (no action)

    // The dat_Id of the list's current row.
    int ADOTable1dat_Id() const;

    void FormShow(QObject* Sender);
    void XPButton5Click(QObject* Sender);
    void XPButton11Click(QObject* Sender);
    void XPButton6Click(QObject* Sender);
    void XPButton7Click(QObject* Sender);
    void XPButton8Click(QObject* Sender);
    void XPButton9Click(QObject* Sender);
    void DBGrid1DblClick(QObject* Sender);
    void UiOfficeEdit20001Change(QObject* Sender);
    void XPButton2Click(QObject* Sender);
    void DBGrid1DrawColumnCell(QObject* Sender, const QRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);
};

extern TvergleichSelect* vergleichSelect;
