#pragma once
// Data sources connect a dataset to the controls and details that show it; data links are the
// controls' side: a field data link for single-field controls and a buffered link for grids.
#include <QString>

#include <functional>
#include <vector>

#include "platform/db/dataset.h"

class TDataLink;

class TDataSource {
public:
    TDataSource();
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    const QString& Name() const { return name_; }
    void SetName(const QString& n) { name_ = n; }

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* ds);
    // Controls put the dataset in Edit when the user types (true by default).
    bool AutoEdit() const { return autoEdit_; }
    void SetAutoEdit(bool v) { autoEdit_ = v; }
    // A disabled data source passes no events to its links.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    // The dataset's state, dsInactive without a dataset or while disabled.
    TDataSetState State() const;
    // Puts the dataset in Edit when AutoEdit allows it.
    void Edit();

    std::function<void(TDataSource* sender)> OnStateChange;
    // field is null when the whole record changed (scroll, open, post...).
    std::function<void(TDataSource* sender, TField* field)> OnDataChange;
    std::function<void(TDataSource* sender)> OnUpdateData;

    const std::vector<TDataLink*>& DataLinks() const { return links_; }

private:
    friend class TDataSet;
    friend class TDataLink;
    // A notification of the dataset: passed to the links, then to the handlers.
    void dataEvent(TDataSet::Event e, TField* f, int distance);
    void updateState();

    QString name_;
    TDataSet* dataSet_ = nullptr;
    bool autoEdit_ = true;
    bool enabled_ = true;
    TDataSetState lastState_ = dsInactive;
    std::vector<TDataLink*> links_;
};

// The buffered link of grids: a window of BufferCount rows around the current one.
// ActiveRecord is the current record's index in the window; setting it makes the dataset's
// fields read that row (draw it, then set it back).
class TDataLink {
public:
    TDataLink();
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* ds);
    TDataSet* DataSet() const;
    bool Active() const;  // a data source with an open dataset
    bool Editing() const { return editing_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }

    int BufferCount() const { return bufferCount_; }
    void SetBufferCount(int n);
    // Rows in the window (at most BufferCount).
    int RecordCount() const;
    int ActiveRecord() const;
    void SetActiveRecord(int index);
    // Visible position (0-based) of the window's first row.
    int FirstRecord() const { return first_; }

    // Puts the dataset in Edit through the data source (AutoEdit); returns Editing().
    bool Edit();
    // Lets this link's control write its value (OnUpdateData).
    void UpdateRecord();
    int MoveBy(int distance);

    // Callbacks (set by the control).
    std::function<void()> OnActiveChanged;
    std::function<void()> OnDataSetChanged;           // whole window changed
    std::function<void(int distance)> OnDataSetScrolled;  // window moved by distance
    std::function<void(TField* field)> OnRecordChanged;   // current record's field (or all)
    std::function<void()> OnEditingChanged;
    std::function<void()> OnUpdateData;

protected:
    friend class TDataSource;
    virtual void activeChanged();
    virtual void dataSetChanged();
    virtual void dataSetScrolled(int distance);
    virtual void recordChanged(TField* field);
    virtual void editingChanged();
    virtual void updateData();
    void dataEvent(TDataSet::Event e, TField* f, int distance);
    void updateState();
    void adjustWindow();

    TDataSource* dataSource_ = nullptr;
    int bufferCount_ = 1;
    int first_ = 0;
    bool editing_ = false;
    bool readOnly_ = false;
    bool active_ = false;
    bool updating_ = false;
};

// The link of a single-field control (edit, check box, lookup box, date picker).
class TFieldDataLink : public TDataLink {
public:
    TFieldDataLink();
    ~TFieldDataLink() override;

    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name);
    // The field named FieldName in the open dataset (null when closed or unknown).
    TField* Field() const { return field_; }
    // The control's value was changed by the user: puts the dataset in Edit (AutoEdit) and
    // marks the link modified; returns whether it may write.
    bool Edit();
    // The control changed its text: marks it modified so UpdateRecord writes it.
    void Modified() { modified_ = true; }
    bool IsModified() const { return modified_; }
    // Makes the control write its text now (when modified).
    void UpdateRecord();
    // Drops a pending change of the control without writing it and has the control show the
    // field's value again (OnDataChange).
    void Reset();
    bool CanModify() const;

    // The field's value changed or the record moved: the control re-reads the field.
    std::function<void()> OnDataChange;
    std::function<void()> OnEditingChange;
    std::function<void()> OnActiveChange;
    // OnUpdateData (inherited): the control writes its text into Field().
    // OnRecordChanged (inherited) reports every field change of the record, not only Field()'s.

protected:
    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled(int distance) override;
    void recordChanged(TField* field) override;
    void editingChanged() override;
    void updateData() override;

private:
    void updateField();

    QString fieldName_;
    TField* field_ = nullptr;
    bool modified_ = false;
};
