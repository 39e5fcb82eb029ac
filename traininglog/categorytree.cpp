#include "traininglog/categorytree.h"

#include <QCoreApplication>
#include <QPalette>
#include <QTreeWidget>

#include <algorithm>

#include "platform/db/connection.h"
#include "platform/db/dataset.h"
#include "platform/db/query.h"

namespace {

bool textLess(const QString& a, const QString& b)
{
    const int c = CompareTextNoCase(a, b);
    return c != 0 ? c < 0 : a < b;
}

QTreeWidgetItem* node(const QString& text, qint64 id)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kNodeIdRole, id);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

QList<TCategoryGroup> ReadCategoryGroups(TConnection& db, const TCategorySource& source)
{
    QList<TCategoryGroup> groups;
    TQuery categories;
    categories.SetConnection(&db);
    categories.SetSQLText(QStringLiteral("Select distinct %1 from %2").arg(source.CategoryField, source.Table));
    categories.Open();
    for (categories.First(); !categories.Eof(); categories.Next()) {
        TField* f = categories.Field(0);
        TCategoryGroup g;
        g.IsNull = f->IsNull();
        g.Name = g.IsNull ? QString() : f->AsString();
        if (source.LeafText) {
            TQuery rows;
            rows.SetConnection(&db);
            QString sql = QStringLiteral("Select * from %1 where %2 ").arg(source.Table, source.CategoryField);
            sql += g.IsNull ? QStringLiteral("is null") : QStringLiteral("= :kategorie");
            if (!source.OrderBy.isEmpty())
                sql += QStringLiteral(" order by ") + source.OrderBy;
            rows.SetSQLText(sql);
            if (!g.IsNull)
                rows.ParamByName(QStringLiteral("kategorie"))->SetAsString(g.Name);
            rows.Open();
            for (rows.First(); !rows.Eof(); rows.Next()) {
                TCategoryLeaf leaf{source.LeafText(rows), rows.FieldByName(source.KeyField)->AsLargeInt(), {}};
                if (source.LeafOrder)
                    leaf.Order = source.LeafOrder(rows);
                g.Leaves << leaf;
            }
        }
        groups << g;
    }
    return groups;
}

QString NoCategoryCaption()
{
    return QCoreApplication::translate("CategoryTree", "(ohne Kategorie)");
}

void SetUpCategoryTree(QTreeWidget* tree)
{
    tree->setHeaderHidden(true);
    tree->setRootIsDecorated(true);
    tree->setIndentation(12);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setMouseTracking(true);
    tree->setAttribute(Qt::WA_Hover);
    QPalette pal = tree->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    tree->setPalette(pal);
}

QList<QTreeWidgetItem*> FillCategoryTree(QTreeWidget* tree, const QList<TCategoryGroup>& groups,
                                         const QString& nullCaption, QTreeWidgetItem* under)
{
    if (!under)
        tree->clear();
    QList<TCategoryGroup> sorted = groups;
    auto caption = [&](const TCategoryGroup& g) { return g.IsNull ? nullCaption : g.Name; };
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const TCategoryGroup& a, const TCategoryGroup& b) { return textLess(caption(a), caption(b)); });
    QList<QTreeWidgetItem*> roots;
    for (TCategoryGroup& g : sorted) {
        QTreeWidgetItem* root = node(caption(g), -1);
        root->setData(0, kNullCategoryRole, g.IsNull);
        std::stable_sort(g.Leaves.begin(), g.Leaves.end(), [](const TCategoryLeaf& a, const TCategoryLeaf& b) {
            if (a.Order.has_value() != b.Order.has_value())
                return a.Order.has_value();
            if (a.Order && *a.Order != *b.Order)
                return *a.Order < *b.Order;
            return textLess(a.Text, b.Text);
        });
        for (const TCategoryLeaf& leaf : g.Leaves)
            root->addChild(node(leaf.Text, leaf.Id));
        roots << root;
    }
    if (under)
        under->addChildren(roots);
    else
        tree->addTopLevelItems(roots);
    tree->expandAll();
    return roots;
}

QList<QTreeWidgetItem*> CategoryTreeNodes(QTreeWidget* tree)
{
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        nodes << *it;
    return nodes;
}

void SynchronizeCategoryTree(QTreeWidget* tree, const TDataSet& dataSet, const QString& keyField)
{
    const bool editing = dataSet.State() == dsEdit || dataSet.State() == dsInsert;
    tree->setEnabled(!editing);
    if (editing || !dataSet.Active() || dataSet.IsEmpty())
        return;
    const qint64 key = dataSet.FieldByName(keyField)->AsLargeInt();
    for (QTreeWidgetItem* n : CategoryTreeNodes(tree)) {
        if (n->data(0, kNodeIdRole).toLongLong() == key) {
            tree->setCurrentItem(n);
            tree->scrollToItem(n);
            return;
        }
    }
}

qint64 SelectedCategoryKey(const QTreeWidget* tree)
{
    const QTreeWidgetItem* n = tree->currentItem();
    if (!n || !n->isSelected())
        return 0;
    const qint64 id = n->data(0, kNodeIdRole).toLongLong();
    return id > 0 ? id : 0;
}

void BindCategoryTreeClick(QTreeWidget* tree, const bool& busy, std::function<void(QObject*)> click)
{
    QObject::connect(tree, &QTreeWidget::itemClicked, tree, [tree, &busy, click] {
        if (!busy)
            click(tree);
    });
    QObject::connect(tree, &QTreeWidget::currentItemChanged, tree, [tree, &busy, click] {
        if (!busy && tree->hasFocus())
            click(tree);
    });
}

void LocateSelectedCategoryRecord(const QTreeWidget* tree, TDataSet& dataSet, const QString& keyField)
{
    const qint64 id = SelectedCategoryKey(tree);
    if (id <= 0)
        return;
    if (!dataSet.IsEmpty() && dataSet.State() == dsBrowse && dataSet.FieldByName(keyField)->AsLargeInt() == id)
        return;
    dataSet.Locate(keyField, id);
}
