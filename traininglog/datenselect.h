#pragma once
// The unit selection: every training unit of the database in date order, a list of the units
// the user picked (a unit may be picked more than once) and a prefix search over place, date or
// distance. Callers read selectedIds (dat_Id values as decimal text, one per line of the list,
// at the same index) after OK.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QStringList>

#include <memory>

#include "controls/uiofficeedit2000.h"
#include "controls/xpbutton.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TDatenSelect;
}

// The list's statement: every unit with the names of its form and sport (empty when the unit's
// form or sport is missing from its table), ordered by date and start time.
QString UnitSelectionSql();

class TDatenSelect : public TForm {
    Q_OBJECT
public:
    explicit TDatenSelect(QWidget* Owner = nullptr);
    ~TDatenSelect() override;

    std::unique_ptr<Ui::TDatenSelect> ui;
    QStringList selectedIds;
    TQuery ADOTable1;
    TDataSource DataSource1;
    TDBGrid* DBGrid1;
    TDBGrid* DBGrid3;
    QListWidget* ListBox1;
    QComboBox* ComboBox1;
    TUiOfficeEdit2000* UiOfficeEdit20001;
    QLabel* Label14;
    TXPButton* XPButton1;   // "Hinzufügen"
    TXPButton* XPButton2;   // take the search result over
    TXPButton* XPButton4;   // "Aus Selektion entfernen"
    TXPButton* XPButton5;   // first
    TXPButton* XPButton11;  // prior
    TXPButton* XPButton6;   // next
    TXPButton* XPButton7;   // last
    TXPButton* XPButton8;   // "OK"
    TXPButton* XPButton9;   // "Abbrechen"
    TXPButton* XPButton10;  // "Hilfe" (no action)

    void FormShow(QObject* Sender);
    void XPButton5Click(QObject* Sender);
    void XPButton11Click(QObject* Sender);
    void XPButton6Click(QObject* Sender);
    void XPButton7Click(QObject* Sender);
    void XPButton8Click(QObject* Sender);
    void XPButton9Click(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void XPButton4Click(QObject* Sender);
    void UiOfficeEdit20001Change(QObject* Sender);
    void XPButton2Click(QObject* Sender);
};

extern TDatenSelect* DatenSelect;
