// The wide string list, its 8-bit view and the combo box's items as a wide list.
#include <QDataStream>
#include <QIODevice>
#include <QObject>

#include <algorithm>

#include "grid/editing/esguni.h"
#include "platform/rtl/codepages.h"

namespace {

[[noreturn]] void listIndexError(int index)
{
    throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

// The stored list: its property name, a list mark, each text marked as wide or 8-bit, an end mark.
const QString StoredPropertyName = QStringLiteral("WideStrings");
enum : quint8 { vaNull = 0, vaList = 1, vaString = 6, vaWString = 18 };

// A text: its length in UTF-16 units (in bytes for an 8-bit text), then the units (the bytes).
// Read back with every length checked against what the stream still holds.
void writeText(QDataStream& out, const QString& text)
{
    out << quint32(text.size());
    for (QChar c : text)
        out << quint16(c.unicode());
}

bool fits(QDataStream& in, quint64 bytes)
{
    return in.status() == QDataStream::Ok && in.device() && quint64(in.device()->bytesAvailable()) >= bytes;
}

bool readText(QDataStream& in, QString& text)
{
    quint32 units = 0;
    in >> units;
    if (!fits(in, quint64(units) * 2))
        return false;
    text.resize(units);
    for (quint32 i = 0; i < units; ++i) {
        quint16 u = 0;
        in >> u;
        text[qsizetype(i)] = QChar(char16_t(u));
    }
    return in.status() == QDataStream::Ok;
}

bool readBytes(QDataStream& in, QByteArray& bytes)
{
    quint32 size = 0;
    in >> size;
    if (!fits(in, size))
        return false;
    bytes.resize(size);
    return in.readRawData(bytes.data(), int(size)) == int(size);
}

bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == 10 || u == 11 || u == 12 || u == 13 || u == 0x2028 || u == 0x2029;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TAnsiStrings

int TAnsiStrings::Add(const QByteArray& S)
{
    const int index = GetCount();
    Insert(index, S);
    return index;
}

int TAnsiStrings::AddObject(const QByteArray& S, QObject* AObject)
{
    const int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TAnsiStrings::BeginUpdate()
{
    if (updateCount_++ == 0)
        SetUpdateState(true);
}

void TAnsiStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

QByteArray TAnsiStringList::Get(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        listIndexError(Index);
    return strings_[Index];
}

QObject* TAnsiStringList::GetObject(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        listIndexError(Index);
    return objects_[Index];
}

void TAnsiStringList::PutObject(int Index, QObject* AObject)
{
    if (Index < 0 || Index >= GetCount())
        listIndexError(Index);
    objects_[Index] = AObject;
}

void TAnsiStringList::Insert(int Index, const QByteArray& S)
{
    if (Index < 0 || Index > GetCount())
        listIndexError(Index);
    strings_.insert(Index, S);
    objects_.insert(Index, nullptr);
}

void TAnsiStringList::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount())
        listIndexError(Index);
    strings_.removeAt(Index);
    objects_.removeAt(Index);
}

void TAnsiStringList::Clear()
{
    strings_.clear();
    objects_.clear();
}

QByteArray TAnsiStringsForWideStrings::Get(int Index) const
{
    return EncodeWindows1252(wide_.Get(Index));
}

int TAnsiStringsForWideStrings::GetCount() const
{
    return wide_.GetCount();
}

QObject* TAnsiStringsForWideStrings::GetObject(int Index) const
{
    return wide_.GetObject(Index);
}

void TAnsiStringsForWideStrings::PutObject(int Index, QObject* AObject)
{
    wide_.PutObject(Index, AObject);
}

void TAnsiStringsForWideStrings::Insert(int Index, const QByteArray& S)
{
    wide_.Insert(Index, DecodeWindows1252(S));
}

void TAnsiStringsForWideStrings::Delete(int Index)
{
    wide_.Delete(Index);
}

void TAnsiStringsForWideStrings::Clear()
{
    wide_.Clear();
}

void TAnsiStringsForWideStrings::SetUpdateState(bool Updating)
{
    if (Updating)
        wide_.BeginUpdate();
    else
        wide_.EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// TWideStrings

TWideStrings::TWideStrings() : language_(QLocale::system()), ansi_(std::make_unique<TAnsiStringsForWideStrings>(*this))
{
}

TWideStrings::~TWideStrings() = default;

void TWideStrings::CheckIndex(int Index, int Limit)
{
    if (Index < 0 || Index >= Limit)
        listIndexError(Index);
}

QString TWideStrings::Get(int Index) const
{
    CheckIndex(Index, GetCount());
    return strings_[Index];
}

int TWideStrings::GetCount() const
{
    return int(strings_.size());
}

QObject* TWideStrings::GetObject(int Index) const
{
    CheckIndex(Index, GetCount());
    return objects_[Index];
}

void TWideStrings::PutObject(int Index, QObject* AObject)
{
    CheckIndex(Index, GetCount());
    objects_[Index] = AObject;
}

void TWideStrings::Insert(int Index, const QString& S)
{
    CheckIndex(Index, GetCount() + 1);
    strings_.insert(Index, S);
    objects_.insert(Index, nullptr);
}

void TWideStrings::Delete(int Index)
{
    CheckIndex(Index, GetCount());
    strings_.removeAt(Index);
    objects_.removeAt(Index);
}

void TWideStrings::Clear()
{
    strings_.clear();
    objects_.clear();
}

void TWideStrings::SetCapacity(int NewCapacity)
{
    if (NewCapacity > 0) {
        strings_.reserve(NewCapacity);
        objects_.reserve(NewCapacity);
    }
}

void TWideStrings::SetUpdateState(bool) {}

void TWideStrings::SetLanguage(const QLocale& Language)
{
    language_ = Language;
    collator_.reset();
}

void TWideStrings::Put(int Index, const QString& S)
{
    CheckIndex(Index, GetCount());
    QObject* object = GetObject(Index);
    BeginUpdate();
    Delete(Index);
    InsertObject(Index, S, object);
    EndUpdate();
}

int TWideStrings::Add(const QString& S)
{
    const int index = GetCount();
    Insert(index, S);
    return index;
}

int TWideStrings::AddObject(const QString& S, QObject* AObject)
{
    const int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TWideStrings::InsertObject(int Index, const QString& S, QObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TWideStrings::AddStrings(const TAnsiStrings& Strings)
{
    BeginUpdate();
    for (int i = 0; i < Strings.GetCount(); ++i)
        AddObject(DecodeWindows1252(Strings.Get(i)), Strings.GetObject(i));
    EndUpdate();
}

void TWideStrings::AddStrings(const TWideStrings& Strings)
{
    BeginUpdate();
    for (int i = 0; i < Strings.GetCount(); ++i)
        AddObject(Strings.Get(i), Strings.GetObject(i));
    EndUpdate();
}

void TWideStrings::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1, GetCount());
    CheckIndex(Index2, GetCount());
    if (Index1 == Index2)
        return;
    const QString s1 = Get(Index1);
    QObject* o1 = GetObject(Index1);
    BeginUpdate();
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
    EndUpdate();
}

void TWideStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    CheckIndex(CurIndex, GetCount());
    CheckIndex(NewIndex, GetCount());
    const QString s = Get(CurIndex);
    QObject* object = GetObject(CurIndex);
    BeginUpdate();
    Delete(CurIndex);
    InsertObject(NewIndex, s, object);
    EndUpdate();
}

int TWideStrings::IndexOf(const QString& S) const
{
    if (!collator_) {
        collator_ = std::make_unique<QCollator>(language_);
        collator_->setCaseSensitivity(Qt::CaseInsensitive);
    }
    for (int i = 0; i < GetCount(); ++i)
        if (collator_->compare(Get(i), S) == 0)
            return i;
    return -1;
}

QString TWideStrings::GetTextStr() const
{
    QString text;
    for (int i = 0; i < GetCount(); ++i)
        text += Get(i) + QStringLiteral("\r\n");
    return text;
}

void TWideStrings::SetTextStr(const QString& Value)
{
    BeginUpdate();
    Clear();
    qsizetype start = 0;
    const qsizetype n = Value.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (!isLineBreak(Value.at(i)))
            continue;
        Add(Value.mid(start, i - start));
        if (Value.at(i) == QLatin1Char('\r') && i + 1 < n && Value.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        Add(Value.mid(start));
    EndUpdate();
}

void TWideStrings::BeginUpdate()
{
    if (updateCount_++ == 0)
        SetUpdateState(true);
}

void TWideStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

bool TWideStrings::Equals(const TWideStrings& Strings) const
{
    if (GetCount() != Strings.GetCount())
        return false;
    for (int i = 0; i < GetCount(); ++i)
        if (Get(i) != Strings.Get(i))
            return false;
    return true;
}

void TWideStrings::Assign(const TWideStrings& Source)
{
    if (&Source == this)
        return;
    BeginUpdate();
    Clear();
    AddStrings(Source);
    EndUpdate();
}

void TWideStrings::Assign(const TAnsiStrings& Source)
{
    // The list's own 8-bit view holds these entries already.
    if (&Source == ansi_.get())
        return;
    BeginUpdate();
    Clear();
    AddStrings(Source);
    EndUpdate();
}

void TWideStrings::AssignTo(TAnsiStrings& Dest) const
{
    if (&Dest == ansi_.get())
        return;
    Dest.BeginUpdate();
    Dest.Clear();
    for (int i = 0; i < GetCount(); ++i)
        Dest.AddObject(EncodeWindows1252(Get(i)), GetObject(i));
    Dest.EndUpdate();
}

bool TWideStrings::StoresWideStrings(const TWideStrings* Ancestor) const
{
    return Ancestor ? !Equals(*Ancestor) : GetCount() > 0;
}

bool TWideStrings::WriteWideStrings(QDataStream& Stream, const TWideStrings* Ancestor) const
{
    if (!StoresWideStrings(Ancestor))
        return false;
    writeText(Stream, StoredPropertyName);
    Stream << quint8(vaList);
    for (int i = 0; i < GetCount(); ++i) {
        Stream << quint8(vaWString);
        writeText(Stream, Get(i));
    }
    Stream << quint8(vaNull);
    return true;
}

void TWideStrings::ReadWideStrings(QDataStream& Stream)
{
    // Everything is read first, so that a broken stream changes nothing.
    auto fail = [] { throw EReadError(QStringLiteral("Stream read error")); };
    QString name;
    quint8 mark = 0;
    if (!readText(Stream, name) || name != StoredPropertyName)
        fail();
    Stream >> mark;
    if (Stream.status() != QDataStream::Ok || mark != vaList)
        fail();
    QStringList texts;
    for (;;) {
        Stream >> mark;
        if (Stream.status() != QDataStream::Ok)
            fail();
        if (mark == vaNull)
            break;
        if (mark == vaWString) {
            QString text;
            if (!readText(Stream, text))
                fail();
            texts << text;
        } else if (mark == vaString) {
            QByteArray bytes;
            if (!readBytes(Stream, bytes))
                fail();
            texts << DecodeWindows1252(bytes);
        } else {
            fail();
        }
    }
    BeginUpdate();
    Clear();
    for (const QString& text : texts)
        Add(text);
    EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// TComboBoxStrings

QString TComboBoxStrings::Get(int Index) const
{
    return Index >= 0 && Index < combo_->count() ? combo_->itemText(Index) : QString();
}

int TComboBoxStrings::GetCount() const
{
    return combo_->count();
}

QObject* TComboBoxStrings::GetObject(int Index) const
{
    CheckIndex(Index, GetCount());
    return combo_->itemData(Index).value<QObject*>();
}

void TComboBoxStrings::Put(int Index, const QString& S)
{
    CheckIndex(Index, GetCount());
    combo_->setItemText(Index, S);
}

void TComboBoxStrings::PutObject(int Index, QObject* AObject)
{
    CheckIndex(Index, GetCount());
    combo_->setItemData(Index, QVariant::fromValue(AObject));
}

void TComboBoxStrings::Insert(int Index, const QString& S)
{
    if (Index < 0 || Index > combo_->count())
        throw EOutOfResources(QStringLiteral("Unable to insert a line"));
    combo_->insertItem(Index, S);
}

void TComboBoxStrings::Delete(int Index)
{
    CheckIndex(Index, GetCount());
    combo_->removeItem(Index);
}

void TComboBoxStrings::Clear()
{
    const QString text = combo_->currentText();
    combo_->clear();
    if (combo_->isEditable())
        combo_->setEditText(text);
    combo_->update();
}

int TComboBoxStrings::IndexOf(const QString& S) const
{
    return combo_->findText(S, Qt::MatchFixedString);
}

void TComboBoxStrings::SetUpdateState(bool Updating)
{
    combo_->setUpdatesEnabled(!Updating);
}
