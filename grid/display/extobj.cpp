#include "grid/display/extobj.h"

#include <QStringList>

#include "platform/rtl/sysutils.h"

void TIntList::changed()
{
    if (OnChange)
        OnChange(this, tag1_, tag2_);
}

void TIntList::SetItems(int index, int value)
{
    items_[index] = value;
    changed();
}

void TIntList::Add(int value)
{
    items_.push_back(value);
    changed();
}

void TIntList::Delete(int index)
{
    items_.erase(items_.begin() + index);
    changed();
}

void TIntList::Insert(int index, int value)
{
    items_.insert(items_.begin() + index, value);
}

void TIntList::Grow(int count, int fill)
{
    if (int(items_.size()) < count)
        items_.resize(count, fill);
}

QString TIntList::StrValue() const
{
    QStringList parts;
    for (int v : items_)
        parts << QString::number(v);
    return parts.join(QLatin1Char(','));
}

void TIntList::SetStrValue(const QString& value)
{
    items_.clear();
    if (value.isEmpty())
        return;
    for (const QString& part : value.split(QLatin1Char(',')))
        Add(StrToInt(part));
}

void TSortIndexList::AddIndex(int ACol, bool Ascending)
{
    Add(Ascending ? ACol : int(unsigned(ACol) | 0x80000000u));
}

int TSortIndexList::FindIndex(int ACol) const
{
    for (int i = 0; i < Count(); ++i)
        if (ColumnOf(Items(i)) == ACol)
            return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int ACol)
{
    const int i = FindIndex(ACol);
    if (i >= 0)
        SetItems(i, int(unsigned(Items(i)) ^ 0x80000000u));
}
