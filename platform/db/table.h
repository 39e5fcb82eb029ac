#pragma once
// A table dataset: all rows of one table, in the order of IndexFieldNames, optionally the
// detail of a master data source (only the rows whose MasterFields equal the master's key).
#include "platform/db/dataset.h"

class TDataSource;
class TDataLink;

class TTable : public TDataSet {
public:
    TTable();
    ~TTable() override;

    const QString& TableName() const { return tableName_; }
    void SetTableName(const QString& name);  // closes an open table

    // Master-detail: the detail follows the master's current row while the master's controls
    // are enabled; an insert copies the master's key into the detail's key fields.
    // MasterFields are the master's field names ("a;b"); the detail's fields compared with them
    // are the first fields of IndexFieldNames (or, without one, fields of the same names).
    TDataSource* MasterSource() const { return masterSource_; }
    void SetMasterSource(TDataSource* ds);
    const QString& MasterFields() const { return masterFields_; }
    void SetMasterFields(const QString& names);

protected:
    SelectPlan selectPlan() override;
    void afterInsertDefaults() override;

public:
    // The master's current row changed: re-read the detail rows (called by the master link).
    void MasterChanged();

private:
    QStringList detailFieldNames() const;
    QVariantList masterValues() const;

    QString tableName_;
    TDataSource* masterSource_ = nullptr;
    QString masterFields_;
    std::unique_ptr<TDataLink> masterLink_;
    QVariantList lastMasterValues_;
};
