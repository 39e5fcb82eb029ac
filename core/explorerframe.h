#pragma once
#include <memory>
// The explorer: the navigator-panel frame of the entry window's page "Explorer". Its tree offers
// all units, the sports, training forms, load levels, load types, places and equipment; choosing a
// node turns it into the WHERE condition of the page's unit list, optionally only over the last
// N days, and hands it to the entry window (Teingabe::fillExplorer).
#include <QCheckBox>
#include <QProgressBar>
#include <QTreeWidget>

#include "controls/uinavbar.h"
#include "controls/uiofficeedit2000.h"
#include "controls/xpbutton.h"
#include "core/explorerfilter.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TexplorerFrm;
}

class TexplorerFrm : public TFrame {
    Q_OBJECT
public:
    explicit TexplorerFrm(QWidget* Owner = nullptr);
    ~TexplorerFrm() override;

    std::unique_ptr<Ui::TexplorerFrm> ui;
    TUiNavPanel* UiNavPanel1;  // title "Explorer"
    TUiNavPanel* UiNavPanel5;  // "?"
    QCheckBox* CheckBox1;      // "Nur die letzten"
    TUiOfficeEdit2000* Edit1;  // number of days
    QTreeWidget* TreeView1;
    QProgressBar* ProgressBar1;  // stepped by the entry window's fill
    TXPButton* XPButton5;      // "Übernehmen"

    // The category a node belongs to (its own for a header) and whether it is a child.
    static TExplorerCategory Category(const QTreeWidgetItem* node);
    static bool IsChild(const QTreeWidgetItem* node) { return node && node->parent(); }
    // A child's row: its id, or its place (null: units without a place).
    static QVariant RowValue(const QTreeWidgetItem* node);
    // The top-level node of a category.
    QTreeWidgetItem* CategoryNode(TExplorerCategory category) const;

    // Rebuilds the tree from the data module's lookup datasets, the places and the equipment.
    void showExplorer();
    // Builds the condition for the node and hands it to the entry window's list; nothing for a
    // category header other than "Alle" or without a node.
    void TreeView1Change(QTreeWidget* Sender, QTreeWidgetItem* Node);
    void CheckBox1Click(QObject* Sender);
    void XPButton5Click(QObject* Sender);
    void XPButton22Click(QObject* Sender);

private:
    bool building_ = false;
};

extern TexplorerFrm* explorerFrm;
