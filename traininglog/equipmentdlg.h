#pragma once
// The equipment dialog "Equipment auswählen" of the entry window: the items in current use of
// one category (tree on the left, "Alle" for every category), ticked where the current unit uses
// them; "OK" writes the links of the listed items.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class TEquipment;
}

class TEquipment : public TForm {
    Q_OBJECT
public:
    explicit TEquipment(QWidget* Owner = nullptr);
    ~TEquipment() override;

    std::unique_ptr<Ui::TEquipment> ui;
    QLabel* Label1;
    QTreeWidget* TreeView1;
    QListWidget* CheckListBox1;
    QPushButton* Button1;  // "OK"
    QPushButton* Button2;  // "Abbrechen"

    // Builds the category tree, selects the category named like the unit's sport (else "Alle")
    // and fills the list.
    void FormShow(QObject* Sender);
    // Fills the list with the current items of the selected category.
    void TreeView1Click(QObject* Sender);
    // "OK": writes the links of the listed items and closes the dialog.
    void Button1Click(QObject* Sender);

private:
    bool building_ = false;  // the tree is being built: its selection changes fill nothing
};

extern TEquipment* Equipment;
