#pragma once
// "Formeln": the catalogue of the athlete's own tools. A tree by category, the current tool's
// fields for editing, its HTML page, and a start button for the two built-in calculators.
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>

#include <memory>

#include "controls/xpbutton.h"
#include "core/toolscatalogueview.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TFormeln;
}

class TFormeln : public TForm, public ToolsCatalogueView {
    Q_OBJECT
public:
    explicit TFormeln(QWidget* Owner = nullptr);
    ~TFormeln() override;

    std::unique_ptr<Ui::TFormeln> ui;
    QTreeWidget* TreeView1;
    TDBEdit* DBEdit1;  // too_Name
    TDBEdit* DBEdit2;  // too_beschreibung
    TDBEdit* DBEdit3;  // too_kategorie
    TDBCheckBox* DBCheckBox1;
    TDBCheckBox* DBCheckBox2;
    TDBCheckBox* DBCheckBox3;
    TDBNavigator* DBNavigator1;
    QPushButton* Button1;   // "Modul laden"
    TXPButton* SpeedButton1;  // starts a built-in calculator
    QTextBrowser* WebBrowser1;
    TOpenDialog OpenDialog1;

    // The value a node carries: -1 on a category, the tool's too_id on a tool.
    static int NodeData(const QTreeWidgetItem* node);

    void FormShow(QObject* Sender);
    void fillTreeView();
    void TreeView1Click(QObject* Sender);
    void Button1Click(QObject* Sender);
    void SpeedButton1Click(QObject* Sender);

    // ToolsCatalogueView: the tool's page in the browser; only local HTML files are shown.
    void navigate(const QString& fileName) override;
};

extern TFormeln* Formeln;
