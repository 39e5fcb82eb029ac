#include "traininglog/explorerlist.h"

#include <QCoreApplication>
#include <QColor>

#include <algorithm>

#include "platform/rtl/sysutils.h"

namespace {

bool dateOf(const TExplorerItem& item, TDateTime& value)
{
    try {
        value = StrToDate(item.Texts[elDatum]);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

}  // namespace

int ListView1Compare(const TExplorerItem& a, const TExplorerItem& b)
{
    TDateTime da = 0, db = 0;
    const bool ha = dateOf(a, da);
    const bool hb = dateOf(b, db);
    if (!ha || !hb)
        return int(ha) - int(hb);
    return da < db ? -1 : (da > db ? 1 : 0);
}

TExplorerListModel::TExplorerListModel(QObject* parent) : QAbstractTableModel(parent) {}

void TExplorerListModel::SetItems(QVector<TExplorerItem> items, QList<QIcon> pictures)
{
    beginResetModel();
    items_ = std::move(items);
    pictures_ = std::move(pictures);
    endResetModel();
}

void TExplorerListModel::Clear()
{
    beginResetModel();
    items_.clear();
    endResetModel();
}

int TExplorerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(items_.size());
}

int TExplorerListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : elColumnCount;
}

QVariant TExplorerListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= items_.size())
        return QVariant();
    const TExplorerItem& item = items_[index.row()];
    switch (role) {
    case Qt::DisplayRole: return item.Texts[index.column()];
    case Qt::DecorationRole:
        if (index.column() == elCaption)
            return pictures_.value(item.Image, pictures_.value(0));
        return QVariant();
    case Qt::ForegroundRole:
        // Units with split or heart-rate rows are blue.
        return item.Texts[elZw] == QLatin1String("True") ? QColor(0, 0, 255) : QColor(0, 0, 0);
    default: return QVariant();
    }
}

QVariant TExplorerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[elColumnCount] = {
        QT_TRANSLATE_NOOP("Teingabe", "Einheit"), QT_TRANSLATE_NOOP("Teingabe", "Index"),
        QT_TRANSLATE_NOOP("Teingabe", "Datum"),   QT_TRANSLATE_NOOP("Teingabe", "Form"),
        QT_TRANSLATE_NOOP("Teingabe", "Zeit"),    QT_TRANSLATE_NOOP("Teingabe", "Distanz"),
        QT_TRANSLATE_NOOP("Teingabe", "Ort"),     QT_TRANSLATE_NOOP("Teingabe", "zw")};
    return section >= 0 && section < elColumnCount ? QCoreApplication::translate("Teingabe", titles[section]) : QVariant();
}

void TExplorerListModel::sort(int, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged();
    std::stable_sort(items_.begin(), items_.end(), [order](const TExplorerItem& a, const TExplorerItem& b) {
        const int c = ListView1Compare(a, b);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    emit layoutChanged();
}
