#pragma once
// The route planner's routes: "MyWay Import" lists the routes of the planner's database with
// their maps; "Weiter ->" closes the list and imports the chosen route through the route
// manager's importMyWayRoute (which lets the user choose the markers). The route manager creates
// it, shows it modally and frees it.
#include <QPushButton>

#include <memory>

#include "platform/db/clientdataset.h"
#include "platform/db/datasource.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"

namespace Ui {
class Tmywaydlg;
}

class Tmywaydlg : public TForm {
    Q_OBJECT
public:
    explicit Tmywaydlg(QWidget* Owner = nullptr);
    ~Tmywaydlg() override;

    std::unique_ptr<Ui::Tmywaydlg> ui;
    TDBGrid* DBGrid1;
    QPushButton* Button4;  // "Weiter ->"
    QPushButton* Button1;  // "Abbrechen"

    // The planner's routes with their maps, by name: strec_strecID (hidden), strec_name,
    // karte_name, strec_laenge.
    TClientDataSet ADOQuery1;
    TDataSource DataSource1;

    // Reads the planner's folder and lists its routes; a missing folder or file is reported.
    void FormShow(QObject* Sender);
    void Button4Click(QObject* Sender);
    void Button1Click(QObject* Sender);

private:
    bool shown_ = false;
};

extern Tmywaydlg* mywaydlg;
