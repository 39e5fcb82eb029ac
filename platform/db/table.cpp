#include "platform/db/table.h"

#include <QCoreApplication>

#include "platform/db/connection.h"
#include "platform/db/datasource.h"
#include "platform/db/selectrowids.h"

namespace {

// Follows the master's current row for its detail table.
class MasterLink : public TDataLink {
public:
    explicit MasterLink(TTable* detail) : detail_(detail) {}

protected:
    void activeChanged() override { detail_->MasterChanged(); }
    void dataSetChanged() override { detail_->MasterChanged(); }
    void dataSetScrolled(int) override { detail_->MasterChanged(); }
    void recordChanged(TField* field) override
    {
        if (!field)
            detail_->MasterChanged();
    }

private:
    TTable* detail_;
};

QString orderClause(const QString& names)
{
    QStringList parts;
    for (QString n : SplitFieldNames(names)) {
        QString dir;
        if (n.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive)) {
            dir = QStringLiteral(" DESC");
            n = n.left(n.size() - 5).trimmed();
        } else if (n.endsWith(QLatin1String(" ASC"), Qt::CaseInsensitive)) {
            n = n.left(n.size() - 4).trimmed();
        }
        parts << QuoteIdentifier(n) + dir;
    }
    return parts.join(QStringLiteral(", "));
}

}  // namespace

TTable::TTable() = default;

TTable::~TTable()
{
    masterLink_.reset();
}

void TTable::SetTableName(const QString& name)
{
    if (name == tableName_)
        return;
    Close();
    tableName_ = name;
}

void TTable::SetMasterSource(TDataSource* ds)
{
    masterSource_ = ds;
    if (!ds) {
        masterLink_.reset();
        return;
    }
    if (!masterLink_)
        masterLink_ = std::make_unique<MasterLink>(this);
    masterLink_->SetDataSource(ds);
}

void TTable::SetMasterFields(const QString& names)
{
    masterFields_ = names;
    if (Active())
        reloadFromFirst();
}

QStringList TTable::detailFieldNames() const
{
    const QStringList master = SplitFieldNames(masterFields_);
    QStringList index = SplitFieldNames(IndexFieldNames());
    if (index.size() >= master.size())
        return index.mid(0, master.size());
    return master;
}

QVariantList TTable::masterValues() const
{
    QVariantList vals;
    TDataSet* m = masterSource_ ? masterSource_->DataSet() : nullptr;
    for (const QString& n : SplitFieldNames(masterFields_))
        vals << (m && m->Active() ? m->FieldByName(n)->Value() : QVariant());
    return vals;
}

TDataSet::SelectPlan TTable::selectPlan()
{
    if (tableName_.isEmpty())
        raise(QCoreApplication::translate("Table", "Kein Tabellenname angegeben"));
    SelectPlan plan;
    plan.table = tableName_;
    plan.orderBy = orderClause(IndexFieldNames());
    if (masterSource_ && !masterFields_.isEmpty()) {
        lastMasterValues_ = masterValues();
        QStringList conds;
        for (const QString& n : detailFieldNames())
            conds << QuoteIdentifier(n) + QStringLiteral(" = ?");
        plan.where = conds.join(QStringLiteral(" AND "));
        plan.params = lastMasterValues_;
    }
    const QVariant type = connection_->ExecuteNativeScalar(
        QStringLiteral("SELECT type FROM sqlite_master WHERE name = ? COLLATE NOCASE"), {tableName_});
    if (type.isNull())
        raise(QCoreApplication::translate("Table", "Tabelle '%1' nicht gefunden").arg(tableName_));
    if (type.toString() == QLatin1String("view")) {
        // A view has no rowid: its rows are read whole and not written.
        plan.sql = QStringLiteral("SELECT * FROM ") + QuoteIdentifier(tableName_);
        if (!plan.where.isEmpty())
            plan.sql += QStringLiteral(" WHERE ") + plan.where;
        if (!plan.orderBy.isEmpty())
            plan.sql += QStringLiteral(" ORDER BY ") + plan.orderBy;
        return plan;
    }
    plan.keyed = true;
    return plan;
}

void TTable::afterInsertDefaults()
{
    if (!masterSource_ || masterFields_.isEmpty())
        return;
    TDataSet* m = masterSource_->DataSet();
    if (!m || !m->Active())
        return;
    const QStringList master = SplitFieldNames(masterFields_);
    const QStringList detail = detailFieldNames();
    for (int i = 0; i < master.size() && i < detail.size(); ++i)
        FieldByName(detail[i])->SetValue(m->FieldByName(master[i])->Value());
}

void TTable::MasterChanged()
{
    if (!Active() || !masterSource_)
        return;
    const QVariantList vals = masterValues();
    if (vals == lastMasterValues_)
        return;
    reloadFromFirst();
}
