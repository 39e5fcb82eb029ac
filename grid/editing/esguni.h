#pragma once
// Wide (UTF-16) editing for the grid: the wide edit (TCustomUNIEdit, TEsgUniEdit), the wide edit
// with a button (TEsgUniEditBtn), the wide string list (TWideStrings) with its 8-bit view, and the
// wide combo boxes (TCustomUNIComboBox, and TESGUniCustomCombo / TESGUniComboBox with the combo
// editor's flat look).
//
// The toolkit's edits and combo boxes keep UTF-16 text and take input methods themselves, so the
// wide controls are the toolkit's controls: their text goes end to end unchanged, characters
// beyond U+FFFF included, and their key handlers see each typed character itself. "8-bit" texts
// are Windows-1252 bytes, converted with the program's own code-page table.
#include <QByteArray>
#include <QCollator>
#include <QComboBox>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "grid/editing/editorlineedit.h"
#include "grid/editing/esgcombo.h"
#include "grid/editing/esgedit.h"
#include "platform/rtl/sysutils.h"

class QDataStream;
class QObject;

// A list index outside the list: "List index out of bounds (n)".
class EStringListError : public Exception {
public:
    using Exception::Exception;
};
// A native list that refused an entry: "Unable to insert a line".
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};
// A stored list that cannot be read: "Stream read error".
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// ---------------------------------------------------------------------------------------------
// The wide edits.

class TCustomUNIEdit : public TEditorLineEdit {
    Q_OBJECT
public:
    explicit TCustomUNIEdit(QWidget* parent = nullptr) : TEditorLineEdit(parent) {}
};

class TEsgUniEdit : public TCustomUNIEdit {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
public:
    explicit TEsgUniEdit(QWidget* parent = nullptr) : TCustomUNIEdit(parent) {}
};

// The edit with a button on wide text; it starts empty.
class TEsgUniEditBtn : public TEsgEditBtn {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
public:
    explicit TEsgUniEditBtn(QWidget* parent = nullptr);
};

// ---------------------------------------------------------------------------------------------
// String lists.

class TWideStrings;

// An 8-bit list of texts, an object with each (not owned), as the runtime's lists.
class TAnsiStrings {
public:
    virtual ~TAnsiStrings() = default;

    virtual QByteArray Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual QObject* GetObject(int Index) const = 0;
    virtual void PutObject(int Index, QObject* AObject) = 0;
    virtual void Insert(int Index, const QByteArray& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    // Called with True when the first BeginUpdate starts a bulk change, False when the last
    // EndUpdate ends it.
    virtual void SetUpdateState(bool) {}

    int Count() const { return GetCount(); }
    QByteArray Strings(int Index) const { return Get(Index); }
    QObject* Objects(int Index) const { return GetObject(Index); }
    int Add(const QByteArray& S);
    int AddObject(const QByteArray& S, QObject* AObject);
    void BeginUpdate();
    void EndUpdate();

private:
    int updateCount_ = 0;
};

// An 8-bit list of its own.
class TAnsiStringList : public TAnsiStrings {
public:
    QByteArray Get(int Index) const override;
    int GetCount() const override { return int(strings_.size()); }
    QObject* GetObject(int Index) const override;
    void PutObject(int Index, QObject* AObject) override;
    void Insert(int Index, const QByteArray& S) override;
    void Delete(int Index) override;
    void Clear() override;

private:
    QList<QByteArray> strings_;
    QList<QObject*> objects_;
};

// The 8-bit view of a wide list: every operation goes to the wide list, the texts converted to
// and from Windows-1252 (characters without a byte become "?").
class TAnsiStringsForWideStrings : public TAnsiStrings {
public:
    explicit TAnsiStringsForWideStrings(TWideStrings& wide) : wide_(wide) {}

    QByteArray Get(int Index) const override;
    int GetCount() const override;
    QObject* GetObject(int Index) const override;
    void PutObject(int Index, QObject* AObject) override;
    void Insert(int Index, const QByteArray& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void SetUpdateState(bool Updating) override;

    TWideStrings& WideStrings() const { return wide_; }

private:
    TWideStrings& wide_;
};

// A list of wide texts with an object each (not owned), with the runtime string list's
// operations. Entries are kept here; a descendant that keeps them elsewhere (the combo box's
// items) overrides the operations that read and write single entries: Get, GetCount, GetObject,
// Put, PutObject, Insert, Delete, Clear, IndexOf, SetUpdateState. An index outside the list raises
// EStringListError.
class TWideStrings {
public:
    TWideStrings();
    virtual ~TWideStrings();
    TWideStrings(const TWideStrings&) = delete;
    TWideStrings& operator=(const TWideStrings&) = delete;

    virtual QString Get(int Index) const;
    virtual int GetCapacity() const { return GetCount(); }
    virtual int GetCount() const;
    virtual QObject* GetObject(int Index) const;
    // Every entry followed by CR LF, the last one too.
    virtual QString GetTextStr() const;
    // Entry Index becomes S; its object stays.
    virtual void Put(int Index, const QString& S);
    virtual void PutObject(int Index, QObject* AObject);
    virtual void SetCapacity(int NewCapacity);
    // Replaces the entries by the lines of Value: lines end at CR, LF, CR LF, characters 11 and
    // 12, U+2028 and U+2029; a break at the very end adds no empty entry.
    virtual void SetTextStr(const QString& Value);
    virtual void SetUpdateState(bool Updating);
    // The locale IndexOf compares in (the user's at construction).
    virtual void SetLanguage(const QLocale& Language);
    virtual int Add(const QString& S);
    virtual int AddObject(const QString& S, QObject* AObject);
    virtual void AddStrings(const TAnsiStrings& Strings);
    virtual void AddStrings(const TWideStrings& Strings);
    virtual void Clear();
    virtual void Delete(int Index);
    // Swaps two entries, texts and objects.
    virtual void Exchange(int Index1, int Index2);
    virtual QString GetText() const { return GetTextStr(); }
    // The first entry equal to S ignoring case in the list's locale (umlauts too); -1 when none.
    virtual int IndexOf(const QString& S) const;
    virtual void Insert(int Index, const QString& S);
    // Takes entry CurIndex (text and object) out and inserts it at NewIndex.
    virtual void Move(int CurIndex, int NewIndex);
    virtual void SetText(const QString& Text) { SetTextStr(Text); }

    int Count() const { return GetCount(); }
    QString Strings(int Index) const { return Get(Index); }
    QObject* Objects(int Index) const { return GetObject(Index); }
    QLocale Language() const { return language_; }
    void InsertObject(int Index, const QString& S, QObject* AObject);
    // Bulk changes: SetUpdateState(True) when the first starts, (False) when the last ends.
    void BeginUpdate();
    void EndUpdate();
    // Same count and every text equal (exactly).
    bool Equals(const TWideStrings& Strings) const;

    // Replaces the entries by the source's, objects kept, in order; 8-bit texts are converted.
    void Assign(const TWideStrings& Source);
    void Assign(const TAnsiStrings& Source);
    // Replaces the destination's entries by this list's (converted to 8-bit), in one bulk change.
    void AssignTo(TAnsiStrings& Dest) const;
    void AssignTo(TWideStrings& Dest) const { Dest.Assign(*this); }
    // The 8-bit view of this list; writing it assigns an 8-bit list.
    TAnsiStrings& AnsiStrings() const { return *ansi_; }
    void SetAnsiStrings(const TAnsiStrings& Value) { Assign(Value); }

    // The stored property "WideStrings" of a form stream: stored when the list differs from its
    // ancestor's, or, with no ancestor, when it has entries.
    bool StoresWideStrings(const TWideStrings* Ancestor) const;
    // Writes the property (its name and the list of wide texts) when it is stored, else nothing;
    // true when it was written.
    bool WriteWideStrings(QDataStream& Stream, const TWideStrings* Ancestor) const;
    // Reads a property so written, whose texts may also be 8-bit ones: the entries are replaced,
    // or, on a stream that is not such a property, EReadError is raised and the list is as it was.
    void ReadWideStrings(QDataStream& Stream);

protected:
    // Raises EStringListError unless 0 <= Index < Limit.
    static void CheckIndex(int Index, int Limit);

private:
    QStringList strings_;
    QList<QObject*> objects_;
    int updateCount_ = 0;
    QLocale language_;
    mutable std::unique_ptr<QCollator> collator_;
    std::unique_ptr<TAnsiStringsForWideStrings> ansi_;
};

// The items of a combo box as a wide list: the combo's own items are the one list.
class TComboBoxStrings : public TWideStrings {
public:
    explicit TComboBoxStrings(QComboBox* combo) : combo_(combo) {}

    // An index outside the items reads an empty text.
    QString Get(int Index) const override;
    int GetCount() const override;
    QObject* GetObject(int Index) const override;
    void Put(int Index, const QString& S) override;
    void PutObject(int Index, QObject* AObject) override;
    // An index outside 0..Count raises EOutOfResources; the items stay as they were.
    void Insert(int Index, const QString& S) override;
    void Delete(int Index) override;
    // The items go; the combo's text stays.
    void Clear() override;
    // The first item equal to S ignoring case; -1 when none.
    int IndexOf(const QString& S) const override;
    void SetUpdateState(bool Updating) override;

    QComboBox* ComboBox() const { return combo_; }

private:
    QComboBox* combo_;
};

// ---------------------------------------------------------------------------------------------
// The wide combo boxes.

// The toolkit's combo box with its items as a wide list. Choosing an item makes it the text, then
// OnClick and OnChange fire.
class TCustomUNIComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TCustomUNIComboBox(QWidget* parent = nullptr);

    TWideStrings& Items() const { return *items_; }
    void SetItems(const TWideStrings& value) { items_->Assign(value); }
    QString Text() const { return currentText(); }
    void SetText(const QString& value);

    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender)> OnChange;

private:
    std::unique_ptr<TComboBoxStrings> items_;
};

// The combo editor's flat look on a wide combo: the same settings and frames; the drop-down button
// fills the button area less a pixel all round, and its edge is drawn themed or not: raised or
// etched while the control is active (flat while the list is down), filled with the button face
// otherwise.
class TESGUniCustomCombo : public TESGCustomCombo {
    Q_OBJECT
public:
    explicit TESGUniCustomCombo(QWidget* parent = nullptr);

    TWideStrings& Items() const { return *items_; }
    void SetItems(const TWideStrings& value) { items_->Assign(value); }

protected:
    QRect ClassicDropButtonRect() const override;
    void DrawDropButtonBorder(QPainter& p) override;

private:
    std::unique_ptr<TComboBoxStrings> items_;
};

class TESGUniComboBox : public TESGUniCustomCombo {
    Q_OBJECT
public:
    explicit TESGUniComboBox(QWidget* parent = nullptr) : TESGUniCustomCombo(parent) {}
};
