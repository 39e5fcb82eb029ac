#pragma once
// What the block manager does without its window: the entries of its filter list ("Auswahl:")
// read from the sports and the forms, the filter text of an entry's key, and filing chosen units
// in a block. A key of 0 or more is a
// sport's id, a key below 0 stands for the form with id -(key + 1); the headings carry -1 and so
// filter on form 0.
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class TDataSet;

struct TBlockFilterEntry {
    QString Caption;
    QImage Picture;  // null: the entry shows no picture
    int Key = -1;
    int Indent = 0;  // steps: headings 0, forms 1, sports 2
};

// "Alle", "Sportarten", one entry per sport, "Formen", one entry per form, each list in its
// dataset's order. The datasets keep their current rows.
QList<TBlockFilterEntry> BlockFilterEntries(TDataSet& sportart, TDataSet& form);

// The block list's filter for an entry's key: "[trb_Sportart] = k" or "[trb_Form] = -(k + 1)".
QString BlockFilterText(int key);

// A stored sport or form picture with white as its transparent colour; null for no picture.
QImage BlockFilterPicture(const QByteArray& blob);

// Files the units with the given ids (decimal texts, in list order) in the block: each is
// located in `daten`, edited and posted, so the unit rules run on every save. An id that is no
// number or is not among daten's visible rows is skipped: the current unit is never moved into
// the block in its place. Returns the number of units filed.
int AddUnitsToBlock(TDataSet& daten, const QStringList& ids, int blockId);
