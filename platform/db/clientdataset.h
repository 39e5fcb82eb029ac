#pragma once
// The in-memory client dataset: its rows live in a private database in memory, created from its
// field objects (CreateDataSet) or read from an XML data packet (LoadFromFile) and written back
// to one (SaveToFile). Otherwise it is a dataset like any other: the same states and order of
// events, calculated and lookup fields, filters, order, bookmarks and data sources.
//
//   TClientDataSet cds;
//   cds.AddField("vol_id", ftAutoInc);            // the field objects, in packet order
//   cds.AddField("vol_name", ftString, 255);
//   cds.CreateDataSet();                          // empty and open
//   cds.Append(); cds.FieldByName("vol_name")->SetAsString(path); cds.Post();
//   cds.SaveToFile(file);
//
// The rows stay while the object lives: Close and Open show them again. An auto-increment field
// is stored as the packet gives it; the dataset assigns no values to it.
#include "platform/db/connection.h"
#include "platform/db/datapacket.h"
#include "platform/db/dataset.h"

class TClientDataSet : public TDataSet {
public:
    TClientDataSet();
    ~TClientDataSet() override;

    // Makes the rows' table afresh and empty from the data fields declared with AddField and
    // opens the dataset (an open one is closed first). EDatabaseError without data fields.
    void CreateDataSet();
    // Deletes every row; the dataset stays open.
    void EmptyDataSet();

    // Reads a data packet file and opens the dataset on its rows, the first row current (an
    // open dataset is closed first, a pending edit cancelled). With declared fields each data
    // field must be in the packet, by name, with values of its kind; other fields of the packet
    // are ignored. Without declared fields the packet's fields become the fields, in its order.
    // A file that cannot be read (EFOpenError), is no data packet or does not fit
    // (EDatabaseError) leaves the dataset as it was: the packet is read and checked completely
    // before anything is replaced.
    void LoadFromFile(const QString& fileName);
    // Writes every row (the filter ignored, in cursor order; a pending edit is posted first) as
    // a data packet of the data fields in field order. The old file is replaced only by a
    // completely written new one (EFCreateError otherwise).
    void SaveToFile(const QString& fileName);

    // The same in memory: the dataset's rows as a packet (open dataset only), and loading one
    // with the rules of LoadFromFile.
    TDataPacket Data();
    void SetData(const TDataPacket& packet);

protected:
    SelectPlan selectPlan() override;

private:
    struct Column {
        QString name;
        TFieldType type = ftString;
        int size = 0;
    };
    std::vector<Column> declaredColumns() const;
    void createTable(const QString& table, const std::vector<Column>& columns);
    void exec(const QString& sql);

    TConnection memory_;
    bool created_ = false;  // the rows' table exists
};
