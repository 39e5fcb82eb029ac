#include "platform/db/datasource.h"

#include <algorithm>

TDataSource::TDataSource() = default;

TDataSource::~TDataSource()
{
    for (TDataLink* l : std::vector<TDataLink*>(links_))
        l->SetDataSource(nullptr);
    SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* ds)
{
    if (ds == dataSet_)
        return;
    if (dataSet_) {
        auto& list = dataSet_->dataSources_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    dataSet_ = ds;
    if (dataSet_)
        dataSet_->dataSources_.push_back(this);
    updateState();
}

void TDataSource::SetEnabled(bool v)
{
    if (v == enabled_)
        return;
    enabled_ = v;
    updateState();
}

TDataSetState TDataSource::State() const
{
    if (!dataSet_ || !enabled_)
        return dsInactive;
    return dataSet_->State();
}

void TDataSource::Edit()
{
    if (autoEdit_ && State() == dsBrowse)
        dataSet_->Edit();
}

void TDataSource::updateState()
{
    const TDataSetState s = State();
    if (s == lastState_)
        return;
    lastState_ = s;
    for (TDataLink* l : std::vector<TDataLink*>(links_))
        l->updateState();
    if (OnStateChange)
        OnStateChange(this);
}

void TDataSource::dataEvent(TDataSet::Event e, TField* f, int distance)
{
    if (e == TDataSet::Event::StateChange) {
        updateState();
        return;
    }
    if (State() == dsInactive)
        return;
    for (TDataLink* l : std::vector<TDataLink*>(links_))
        l->dataEvent(e, f, distance);
    switch (e) {
    case TDataSet::Event::FieldChange:
    case TDataSet::Event::RecordChange:
    case TDataSet::Event::DataSetChange:
    case TDataSet::Event::Scroll:
        if (OnDataChange)
            OnDataChange(this, e == TDataSet::Event::FieldChange ? f : nullptr);
        break;
    case TDataSet::Event::UpdateRecord:
        if (OnUpdateData)
            OnUpdateData(this);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------

TDataLink::TDataLink() = default;

TDataLink::~TDataLink()
{
    if (dataSource_) {
        auto& list = dataSource_->links_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void TDataLink::SetDataSource(TDataSource* ds)
{
    if (ds == dataSource_)
        return;
    if (dataSource_) {
        auto& list = dataSource_->links_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    dataSource_ = ds;
    if (dataSource_)
        dataSource_->links_.push_back(this);
    updateState();
}

TDataSet* TDataLink::DataSet() const
{
    return dataSource_ ? dataSource_->DataSet() : nullptr;
}

bool TDataLink::Active() const
{
    return dataSource_ && dataSource_->State() != dsInactive;
}

void TDataLink::updateState()
{
    const bool active = Active();
    if (active != active_) {
        active_ = active;
        first_ = 0;
        if (active)
            adjustWindow();
        activeChanged();
    }
    const TDataSetState s = dataSource_ ? dataSource_->State() : dsInactive;
    const bool editing = active && !readOnly_ && (s == dsEdit || s == dsInsert);
    if (editing != editing_) {
        editing_ = editing;
        editingChanged();
    }
}

void TDataLink::adjustWindow()
{
    TDataSet* ds = DataSet();
    if (!ds || !ds->Active()) {
        first_ = 0;
        return;
    }
    const int n = ds->LinkRecordCount();
    const int p = ds->LinkCurrentPos();
    if (p < 0) {
        first_ = 0;
        return;
    }
    if (p < first_)
        first_ = p;
    if (p >= first_ + bufferCount_)
        first_ = p - bufferCount_ + 1;
    first_ = std::max(0, std::min(first_, n - bufferCount_));
}

void TDataLink::dataEvent(TDataSet::Event e, TField* f, int distance)
{
    switch (e) {
    case TDataSet::Event::FieldChange:
    case TDataSet::Event::RecordChange:
        if (!updating_)
            recordChanged(e == TDataSet::Event::FieldChange ? f : nullptr);
        break;
    case TDataSet::Event::DataSetChange: {
        adjustWindow();
        dataSetChanged();
        break;
    }
    case TDataSet::Event::Scroll: {
        const int old = first_;
        adjustWindow();
        dataSetScrolled(first_ - old);
        break;
    }
    case TDataSet::Event::UpdateRecord:
        updateData();
        break;
    default:
        break;
    }
}

void TDataLink::SetBufferCount(int n)
{
    bufferCount_ = std::max(1, n);
    adjustWindow();
}

int TDataLink::RecordCount() const
{
    TDataSet* ds = DataSet();
    if (!Active() || !ds)
        return 0;
    return std::max(0, std::min(bufferCount_, ds->LinkRecordCount() - first_));
}

int TDataLink::ActiveRecord() const
{
    TDataSet* ds = DataSet();
    if (!Active() || !ds)
        return 0;
    return std::max(0, ds->LinkCurrentPos() - first_);
}

void TDataLink::SetActiveRecord(int index)
{
    TDataSet* ds = DataSet();
    if (Active() && ds)
        ds->SetDisplayRow(first_ + index);
}

bool TDataLink::Edit()
{
    if (!readOnly_ && dataSource_)
        dataSource_->Edit();
    return editing_;
}

void TDataLink::UpdateRecord()
{
    updating_ = true;
    try {
        updateData();
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

int TDataLink::MoveBy(int distance)
{
    TDataSet* ds = DataSet();
    return ds && Active() ? ds->MoveBy(distance) : 0;
}

void TDataLink::activeChanged()
{
    if (OnActiveChanged)
        OnActiveChanged();
}

void TDataLink::dataSetChanged()
{
    if (OnDataSetChanged)
        OnDataSetChanged();
}

void TDataLink::dataSetScrolled(int distance)
{
    if (OnDataSetScrolled)
        OnDataSetScrolled(distance);
}

void TDataLink::recordChanged(TField* field)
{
    if (OnRecordChanged)
        OnRecordChanged(field);
}

void TDataLink::editingChanged()
{
    if (OnEditingChanged)
        OnEditingChanged();
}

void TDataLink::updateData()
{
    if (OnUpdateData)
        OnUpdateData();
}

// ---------------------------------------------------------------------------------------------

TFieldDataLink::TFieldDataLink() = default;

TFieldDataLink::~TFieldDataLink() = default;

void TFieldDataLink::SetFieldName(const QString& name)
{
    if (name == fieldName_)
        return;
    fieldName_ = name;
    updateField();
}

void TFieldDataLink::updateField()
{
    TField* f = nullptr;
    if (Active() && !fieldName_.isEmpty())
        f = DataSet()->FindField(fieldName_);
    if (f != field_) {
        field_ = f;
        modified_ = false;
        if (OnDataChange)
            OnDataChange();
    }
}

bool TFieldDataLink::CanModify() const
{
    return !readOnly_ && field_ && !field_->ReadOnly() && DataSet() && DataSet()->CanModify();
}

bool TFieldDataLink::Edit()
{
    if (CanModify())
        TDataLink::Edit();
    return editing_;
}

void TFieldDataLink::UpdateRecord()
{
    TDataLink::UpdateRecord();
}

void TFieldDataLink::Reset()
{
    recordChanged(nullptr);
}

void TFieldDataLink::activeChanged()
{
    updateField();
    if (OnActiveChange)
        OnActiveChange();
}

void TFieldDataLink::dataSetChanged()
{
    recordChanged(nullptr);
}

void TFieldDataLink::dataSetScrolled(int)
{
    recordChanged(nullptr);
}

void TFieldDataLink::recordChanged(TField* field)
{
    if (field == nullptr || field == field_) {
        modified_ = false;
        if (OnDataChange)
            OnDataChange();
    }
    // A control bound to a lookup field also shows its key field: it watches every change.
    TDataLink::recordChanged(field);
}

void TFieldDataLink::editingChanged()
{
    if (OnEditingChange)
        OnEditingChange();
}

void TFieldDataLink::updateData()
{
    if (modified_) {
        if (field_ && OnUpdateData)
            OnUpdateData();
        modified_ = false;
    }
}
