#pragma once
// The entry window's explorer list as data: one item per unit of the explorer query with its
// caption, hidden id, shown texts and whether it has split or heart-rate rows (drawn blue). Both
// views of the page (icons or list, and the detail view with its columns) show this one model.
#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QString>
#include <QVector>

// The list's columns: the item caption and its sub-items.
enum TExplorerColumn { elCaption, elIndex, elDatum, elForm, elZeit, elDistanz, elOrt, elZw, elColumnCount };

struct TExplorerItem {
    QString Texts[elColumnCount];  // elZw holds "True" or "False"
    int Image = 0;                 // index into the model's pictures
};

// Compares two items by the dates of their date column (converted from the user's short date
// text), earlier first; a text that is no date counts as earlier than every date.
int ListView1Compare(const TExplorerItem& a, const TExplorerItem& b);

class TExplorerListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TExplorerListModel(QObject* parent = nullptr);

    // Replaces every item and the pictures (0: the default picture).
    void SetItems(QVector<TExplorerItem> items, QList<QIcon> pictures);
    void Clear();
    const TExplorerItem& Item(int row) const { return items_[row]; }
    int Count() const { return int(items_.size()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Sorting orders the items by their dates, whatever the column.
    void sort(int column, Qt::SortOrder order) override;

private:
    QVector<TExplorerItem> items_;
    QList<QIcon> pictures_;
};
