#pragma once
// Data-aware controls: each shows one field of its data source's current record and writes what
// the user enters back through the field (its text handlers, conversion and validation).
//
// Common rules, as the runtime's:
// - A control is bound by SetDataSource and SetDataField; without an open dataset it is empty.
// - The first change the user makes puts the dataset into Edit through the data source (when its
//   AutoEdit allows it; otherwise, or for a read-only field or dataset, the change is refused).
// - Edits show the field's DisplayText and switch to its edit Text while they have the focus and
//   may change it; the field's edit mask applies while editing.
// - Text is written into the field when the control loses the focus, on Enter, and when the
//   dataset posts. A write the field refuses (conversion error, OnValidate raising) shows the
//   error in the standard error box and brings the field's text back.
// - Lookup boxes list the visible (filtered) rows of the list dataset in its order without moving
//   it, and write the chosen key into the data field at once. Bound to a lookup field, they list
//   only the rows its CustomConstraint accepts.
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVariant>
#include <QToolButton>
#include <QWidget>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>

#include "platform/db/datasource.h"
#include "platform/vcl/editmask.h"

// A picture from blob bytes: JPEG through the libjpeg wrapper, anything else (BMP, PNG) through
// Qt. A null image for empty or unreadable bytes.
QImage BlobToImage(const QByteArray& bytes);

// The binding every data-aware control has: data source, data field and the field data link.
class TFieldControl {
public:
    TFieldControl();
    virtual ~TFieldControl();
    TFieldControl(const TFieldControl&) = delete;
    TFieldControl& operator=(const TFieldControl&) = delete;

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* ds);
    QString DataField() const { return link_.FieldName(); }
    void SetDataField(const QString& name);
    bool ReadOnly() const { return link_.ReadOnly(); }
    void SetReadOnly(bool v) { link_.SetReadOnly(v); }
    TField* Field() const { return link_.Field(); }
    TFieldDataLink& DataLink() { return link_; }
    // Writes a pending change now; on an error shows it, re-reads the field and returns false.
    // Leaving the control calls it before the control's OnExit, as the runtime does.
    bool commit();

protected:
    // Re-reads the field into the control.
    virtual void dataChange() = 0;
    // The link was opened, closed or bound to another field.
    virtual void activeChange() { dataChange(); }
    // Writes the control's value into the field.
    virtual void updateData() = 0;
    // The user changed the value: enters Edit (AutoEdit) without the control re-reading the
    // field meanwhile, and marks the link modified. False (value to be re-read) when refused.
    bool userChange();
    // Drops a pending change and re-reads the field.
    void reset();

    TFieldDataLink link_;
    bool silent_ = false;  // ignore data changes while the control itself causes them
};

class TDBEdit : public QLineEdit, public TFieldControl {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);

protected:
    void dataChange() override;
    void updateData() override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    bool showsEditText() const;
    // The mask holds nothing but its literals and blanks.
    bool maskEmpty() const;
    void showText(const QString& t);
    bool saveLiterals_ = true;
    QString maskLiterals_;
};

class TDBMemo : public QPlainTextEdit, public TFieldControl {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget* parent = nullptr);

protected:
    void dataChange() override;
    void updateData() override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
};

class TDBText : public QLabel, public TFieldControl {
    Q_OBJECT
public:
    explicit TDBText(QWidget* parent = nullptr);

protected:
    void dataChange() override;
    void updateData() override {}
};

class TDBCheckBox : public QCheckBox, public TFieldControl {
    Q_OBJECT
public:
    explicit TDBCheckBox(QWidget* parent = nullptr);

    // Texts of a non-Boolean field for the two states; alternatives separated by ";" (the first
    // is written). Default "True" and "False".
    QString ValueChecked() const { return valueChecked_; }
    void SetValueChecked(const QString& v);
    QString ValueUnchecked() const { return valueUnchecked_; }
    void SetValueUnchecked(const QString& v);

protected:
    void dataChange() override;
    void updateData() override;
    void nextCheckState() override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    QString valueChecked_ = QStringLiteral("True");
    QString valueUnchecked_ = QStringLiteral("False");
};

class TDBComboBox : public QComboBox, public TFieldControl {
    Q_OBJECT
public:
    enum TComboBoxStyle { csDropDown, csDropDownList };
    explicit TDBComboBox(QWidget* parent = nullptr);

    TComboBoxStyle Style() const { return isEditable() ? csDropDown : csDropDownList; }
    void SetStyle(TComboBoxStyle s);
    // The runtime's Items list.
    void SetItems(const QStringList& items);

protected:
    void dataChange() override;
    void updateData() override;
    void focusOutEvent(QFocusEvent* e) override;
};

// What the two lookup boxes share: the field binding, the list source, its key and list
// fields, and the rows read. The box itself only adds, clears and selects its items.
class TLookupList : public TFieldControl {
public:
    TLookupList();
    ~TLookupList() override;

    TDataSource* ListSource() const { return listLink_.DataSource(); }
    void SetListSource(TDataSource* ds);
    QString KeyField() const { return keyField_; }
    void SetKeyField(const QString& f);
    // "a;b" lists several fields; the box shows the first.
    QString ListField() const { return listField_; }
    void SetListField(const QString& f);

    // The rows as shown: key and text, in the list dataset's visible order.
    const QList<std::pair<QVariant, QString>>& ListRows() const { return rows_; }
    int IndexOfKey(const QVariant& key) const;
    // The key of the row shown (Null when none).
    QVariant KeyValue() const;

protected:
    void dataChange() override;
    void updateData() override;
    void activeChange() override { listChanged(); }
    // Re-reads the rows into the box and shows the field's key.
    void listChanged();
    void readList(TField* dataField);
    // The field the key is written to: the data field, or for a lookup field its key field.
    static TField* keyTarget(TField* dataField, bool ownList);

    // The box's items: the row shown (-1 for none), and emptying and filling them.
    virtual int shownRow() const = 0;
    virtual void showRow(int row) = 0;
    virtual void clearItems() = 0;
    virtual void addItemText(const QString& text) = 0;

    TDataLink listLink_;
    QString keyField_;
    QString listField_;
    QList<std::pair<QVariant, QString>> rows_;
    bool filling_ = false;  // the box changes its own selection: not the user's choice
};

class TDBLookupComboBox : public QComboBox, public TLookupList {
    Q_OBJECT
public:
    explicit TDBLookupComboBox(QWidget* parent = nullptr);

    int DropDownRows() const { return maxVisibleItems(); }
    void SetDropDownRows(int n) { setMaxVisibleItems(n); }

protected:
    int shownRow() const override { return currentIndex(); }
    void showRow(int row) override { setCurrentIndex(row); }
    void clearItems() override { clear(); }
    void addItemText(const QString& text) override { addItem(text); }

private:
    void choose(int index);
};

class TDBLookupListBox : public QListWidget, public TLookupList {
    Q_OBJECT
public:
    explicit TDBLookupListBox(QWidget* parent = nullptr);

protected:
    int shownRow() const override { return currentRow(); }
    void showRow(int row) override { setCurrentRow(row); }
    void clearItems() override { clear(); }
    void addItemText(const QString& text) override { addItem(text); }

private:
    void choose(int row);
};

// Shows the picture of a blob field (BMP or JPEG).
class TDBImage : public QLabel, public TFieldControl {
    Q_OBJECT
public:
    explicit TDBImage(QWidget* parent = nullptr);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);
    // The picture shown (null when the field is empty or unreadable).
    const QImage& Picture() const { return picture_; }

protected:
    void dataChange() override;
    void updateData() override {}

private:
    bool stretch_ = false;
    QImage picture_;
};

enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh };

class TNavButtonSet {
public:
    constexpr TNavButtonSet() = default;
    constexpr TNavButtonSet(std::initializer_list<TNavigateBtn> buttons)
    {
        for (TNavigateBtn b : buttons)
            bits_ |= 1u << b;
    }
    constexpr bool Contains(TNavigateBtn b) const { return bits_ & (1u << b); }

private:
    unsigned bits_ = 0;
};

// The navigator: tool buttons (objectName "nbFirst" ... "nbRefresh") that move and edit the data
// source's dataset; the buttons that cannot act are disabled.
class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TDBNavigator(QWidget* parent = nullptr);
    ~TDBNavigator() override;

    TDataSource* DataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* ds);
    void SetVisibleButtons(TNavButtonSet buttons);
    // Asks "Datensatz löschen?" before deleting (default true).
    bool ConfirmDelete() const { return confirmDelete_; }
    void SetConfirmDelete(bool v) { confirmDelete_ = v; }
    // Tool tips in button order; empty entries keep the default.
    void SetHints(const QStringList& hints);

    QToolButton* Button(TNavigateBtn b) const { return buttons_[b]; }
    // Acts as if the button was clicked (BeforeAction, the dataset call, OnClick).
    void BtnClick(TNavigateBtn b);

    std::function<void(QObject* Sender, TNavigateBtn Button)> BeforeAction;
    std::function<void(QObject* Sender, TNavigateBtn Button)> OnClick;

private:
    void updateButtons();

    TDataLink link_;
    std::array<QToolButton*, 10> buttons_{};
    bool confirmDelete_ = true;
};
