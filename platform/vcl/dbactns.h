#pragma once
// The runtime's standard dataset actions: first, prior, next, last, insert, delete, post and
// cancel on the dataset of a data source. Each action carries its picture and hint, runs its
// dataset call guarded (an error reaches the standard error box, an abort stays silent) and is
// enabled at the idle update exactly when the runtime enables it:
//
//   first, prior      the dataset is open and not at its beginning (Bof)
//   next, last        the dataset is open and not at its end (Eof)
//   insert            the dataset is open and can be modified
//   delete            the dataset is open, can be modified and holds a row
//   post, cancel      the dataset is being edited or inserted
//
// A disabled data source or one without a dataset disables them all. Assigning OnExecute or
// OnUpdate replaces the standard behaviour, as in the runtime. The data source must outlive the
// action (the data module's sources live for the process).
//
//   auto* first = new TDataSetFirst(list, "DataSetFirst1");
//   first->SetDataSource(&orvServer->dsEquipment);
#include <QPixmap>
#include <QStringList>

#include <tuple>

#include "platform/vcl/actnlist.h"

class TDataSet;
class TDataSource;
class TImageList;

enum TDataSetActionKind { daFirst, daPrior, daNext, daLast, daInsert, daDelete, daPost, daCancel };

// The small picture of a dataset action (16 x 16), as the tool bars show it.
QPixmap DataSetActionGlyph(TDataSetActionKind kind);

class TDataSetAction : public TAction {
    Q_OBJECT
public:
    TDataSetAction(TActionList* list, const QString& name, TDataSetActionKind kind);

    TDataSetActionKind Kind() const { return kind_; }
    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    // The data source's dataset; null without one.
    TDataSet* DataSet() const;

    // Whether the runtime enables the action for the dataset's present state.
    bool EnabledFor(const TDataSet* dataSet) const;
    // The dataset call of the action (unguarded).
    void ExecuteTarget(TDataSet& dataSet) const;

private:
    TDataSetActionKind kind_;
    TDataSource* dataSource_ = nullptr;
};

#define ORV_DATASET_ACTION(Class, Kind)                                                                     \
    class Class : public TDataSetAction {                                                                    \
    public:                                                                                                  \
        explicit Class(TActionList* list, const QString& name = QString()) : TDataSetAction(list, name, Kind) \
        {                                                                                                    \
        }                                                                                                    \
    };
ORV_DATASET_ACTION(TDataSetFirst, daFirst)
ORV_DATASET_ACTION(TDataSetPrior, daPrior)
ORV_DATASET_ACTION(TDataSetNext, daNext)
ORV_DATASET_ACTION(TDataSetLast, daLast)
ORV_DATASET_ACTION(TDataSetInsert, daInsert)
ORV_DATASET_ACTION(TDataSetDelete, daDelete)
ORV_DATASET_ACTION(TDataSetPost, daPost)
ORV_DATASET_ACTION(TDataSetCancel, daCancel)
#undef ORV_DATASET_ACTION

// The eight standard actions of one data source, as a window's tool bar shows them.
struct TDataSetActions {
    TDataSetFirst* First = nullptr;
    TDataSetPrior* Prior = nullptr;
    TDataSetNext* Next = nullptr;
    TDataSetLast* Last = nullptr;
    TDataSetInsert* Insert = nullptr;
    TDataSetDelete* Delete = nullptr;
    TDataSetPost* Post = nullptr;
    TDataSetCancel* Cancel = nullptr;

    // From first to cancel.
    QList<TDataSetAction*> All() const { return {First, Prior, Next, Last, Insert, Delete, Post, Cancel}; }
    // For handing them to a window's own members in one statement:
    //   std::tie(DataSetFirst1, ..., DataSetCancel1) = actions.Tuple();
    auto Tuple() const { return std::tuple(First, Prior, Next, Last, Insert, Delete, Post, Cancel); }
};

// The names the runtime gives the eight actions, first to cancel, each with `number` behind it:
// "DataSetFirst1" ... "DataSetCancel1". A window whose names break the pattern replaces single
// entries (names[daDelete] = "DataSetDelete3").
QStringList DataSetActionNames(int number);

// Adds the eight actions' pictures to an image list in kind order, so that an action's image
// index is its kind when the list held no pictures before. Returns the index of the first.
int AddDataSetActionImages(TImageList* images);

// Creates the eight standard actions in the list: named `names` (first to cancel), each showing
// the picture at the index of its kind (see AddDataSetActionImages), bound to `source` (may be
// null) and carrying `hints` (first to cancel; empty keeps the standard hints).
TDataSetActions CreateDataSetActions(TActionList* list, const QStringList& names, TDataSource* source,
                                     const QStringList& hints = {});

// Adds the eight actions to a tool bar as buttons, moving ones apart from editing ones by a
// separator before insert.
void AddDataSetButtons(QToolBar* bar, const TDataSetActions& actions);
