#include "platform/rtl/stringlist.h"

void TStringList::changed()
{
    if (OnChange)
        OnChange();
}

void TStringList::SetStrings(int index, const QString& value)
{
    items_[index] = value;
    changed();
}

void TStringList::Add(const QString& value)
{
    items_.append(value);
    changed();
}

void TStringList::Insert(int index, const QString& value)
{
    items_.insert(index, value);
    changed();
}

void TStringList::Delete(int index)
{
    items_.removeAt(index);
    changed();
}

void TStringList::Clear()
{
    if (items_.isEmpty())
        return;
    items_.clear();
    changed();
}

void TStringList::Assign(const QStringList& source)
{
    items_ = source;
    changed();
}

QString TStringList::Text() const
{
    QString s;
    for (const QString& item : items_)
        s += item + QStringLiteral("\r\n");
    return s;
}

void TStringList::SetText(const QString& value)
{
    QString s = value;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = s.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    Assign(lines);
}
