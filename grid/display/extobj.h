#pragma once
// The grid's integer lists: TIntList (32-bit entries, with a change event that carries the
// list's two tags) and TSortIndexList (sort columns with their direction in the top bit).
#include <QString>

#include <functional>
#include <vector>

class TIntList {
public:
    TIntList(int tag1 = 0, int tag2 = 0) : tag1_(tag1), tag2_(tag2) {}
    virtual ~TIntList() = default;
    TIntList(const TIntList&) = delete;
    TIntList& operator=(const TIntList&) = delete;

    int Count() const { return int(items_.size()); }
    int Items(int index) const { return items_[index]; }
    // Writing an entry, adding and deleting fire OnChange; inserting and clearing do not.
    void SetItems(int index, int value);
    void Add(int value);
    void Delete(int index);
    void Insert(int index, int value);
    void Clear() { items_.clear(); }
    // The entries joined by ","; writing replaces them (each added as by Add) and raises
    // EConvertError for an item that is not an integer, keeping those before it.
    QString StrValue() const;
    void SetStrValue(const QString& value);
    // Grows the list with `fill` entries to at least `count` (no event).
    void Grow(int count, int fill = 0);

    std::function<void(TIntList* Sender, int Tag1, int Tag2)> OnChange;

private:
    void changed();
    std::vector<int> items_;
    int tag1_;
    int tag2_;
};

// Columns to sort by: each entry is a column in bits 0-30; bit 31 set means the opposite
// direction.
class TSortIndexList : public TIntList {
public:
    using TIntList::TIntList;
    // Adds the column; Ascending false sets bit 31.
    void AddIndex(int ACol, bool Ascending);
    // The position of the column, -1 when absent.
    int FindIndex(int ACol) const;
    // Flips the direction of the column (through SetItems, so OnChange fires); an absent
    // column changes nothing.
    void ToggleIndex(int ACol);
    // Column and direction of an entry.
    static int ColumnOf(int entry) { return entry & 0x7FFFFFFF; }
    static bool AscendingOf(int entry) { return (unsigned(entry) & 0x80000000u) == 0; }
};
