#pragma once
// The runtime's string list as settings objects keep it: a list of texts whose owner hears of
// every change (OnChange).
#include <QStringList>

#include <functional>

class TStringList {
public:
    TStringList() = default;
    // Copies the texts; the copy has no change handler of its own.
    TStringList(const TStringList& other) : items_(other.items_) {}
    TStringList& operator=(const TStringList&) = delete;

    int Count() const { return int(items_.size()); }
    const QString& Strings(int index) const { return items_[index]; }
    void SetStrings(int index, const QString& value);
    const QStringList& Items() const { return items_; }
    void Add(const QString& value);
    void Insert(int index, const QString& value);
    void Delete(int index);
    void Clear();
    // Takes the texts of the source; one change notice.
    void Assign(const QStringList& source);
    void Assign(const TStringList& source) { Assign(source.items_); }
    // The texts joined by line breaks, and back.
    QString Text() const;
    void SetText(const QString& value);

    std::function<void()> OnChange;

private:
    void changed();
    QStringList items_;
};
