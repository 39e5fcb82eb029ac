#pragma once
// The managers' category tree (equipment, routes, best times): one node per distinct category
// of a table's free-text category field and, under it, one node per record with the record's
// key. A click on a record node makes that record current; while the record is edited the tree
// is locked, otherwise the current record's node is selected.
//
// Each node keeps its key in kNodeIdRole: the record's key on record nodes, -1 on category
// nodes. The node of the records without a category (a NULL field) carries kNullCategoryRole, so
// that it is told apart from a category that happens to read like its caption.
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QObject;
class QTreeWidget;
class QTreeWidgetItem;
class TConnection;
class TDataSet;

inline constexpr int kNodeIdRole = 0x0100;             // Qt::UserRole
inline constexpr int kNullCategoryRole = 0x0100 + 1;  // Qt::UserRole + 1

struct TCategoryLeaf {
    QString Text;
    qint64 Id = 0;
    // Where the record sorts among its category's records before its text (a best time's
    // distance); records without an order sort by text behind those with one.
    std::optional<double> Order = std::nullopt;
};

struct TCategoryGroup {
    QString Name;         // the category's text; empty for the NULL category
    bool IsNull = false;  // the records without a category
    QList<TCategoryLeaf> Leaves;
};

// Where a tree's categories and records come from.
struct TCategorySource {
    QString Table;          // "equipment"
    QString CategoryField;  // "equ_kategorie"
    QString KeyField;       // "equ_Id"
    QString OrderBy;        // order of a category's records ("bezeichnung"); empty: none
    // The text of a record's node, read from the record's row; null: no records are read.
    std::function<QString(TDataSet& row)> LeafText;
    // The order of a record's node among its category's records; null: by text.
    std::function<std::optional<double>(TDataSet& row)> LeafOrder = {};
};

// Each distinct category (as the connection's "Select distinct" gives them) with its records.
// The category is bound as a parameter and compared for equality, so a quote cannot break the
// statement and "%" or "_" match only themselves; the NULL category reads its records with
// "is null". The database layer's error when a statement fails.
QList<TCategoryGroup> ReadCategoryGroups(TConnection& db, const TCategorySource& source);

// The caption of the node of the records without a category: "(ohne Kategorie)".
QString NoCategoryCaption();

// Lays a tree out as the managers show it: read-only, hot tracking, no lines, the selection
// visible while another control has the focus.
void SetUpCategoryTree(QTreeWidget* tree);

// Fills the tree: a node per group (id -1; the NULL category with nullCaption) and its records
// under it, each level sorted by text without case (records with an Order by that first); the whole tree expanded. Without `under` the
// tree is cleared first and the groups are its top nodes; with it they go below that node.
// Returns the group nodes in tree order.
QList<QTreeWidgetItem*> FillCategoryTree(QTreeWidget* tree, const QList<TCategoryGroup>& groups,
                                         const QString& nullCaption, QTreeWidgetItem* under = nullptr);

// The nodes in tree order (pre-order), as the runtime's node list walks them.
QList<QTreeWidgetItem*> CategoryTreeNodes(QTreeWidget* tree);

// Locks the tree while the dataset is edited or inserted; otherwise unlocks it and selects the
// first node whose id equals the current record's key field.
void SynchronizeCategoryTree(QTreeWidget* tree, const TDataSet& dataSet, const QString& keyField);

// The key of the selected record node; 0 when nothing or a category node is selected.
qint64 SelectedCategoryKey(const QTreeWidget* tree);

// Calls `click` (with the tree as sender) when a node is clicked, and when the arrow keys move
// the current node while the tree has the focus, so that the keyboard moves through the records
// as the mouse does. Neither while `busy` is set: the window fills or synchronizes the tree then.
// `busy` must live as long as the tree (a member of the tree's window).
void BindCategoryTreeClick(QTreeWidget* tree, const bool& busy, std::function<void(QObject*)> click);

// What a click on a node does: makes the selected record node's record current in the dataset,
// found by its key field. Nothing for a category node or no selection, nor when that record is
// current already and only browsed.
void LocateSelectedCategoryRecord(const QTreeWidget* tree, TDataSet& dataSet, const QString& keyField);
