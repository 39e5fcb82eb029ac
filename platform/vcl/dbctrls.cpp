#include "platform/vcl/dbctrls.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include "platform/db/displayrowscope.h"
#include "platform/rtl/application.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/jpeg.h"

namespace {

// Characters with a meaning in a Qt input mask; a literal of that character needs a backslash.
const QString kQtMaskChars = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}");

// The literal characters of a Qt input mask (what the user does not type).
QString literalsOf(const QString& qtMask)
{
    QString result;
    const int end = qtMask.lastIndexOf(QLatin1Char(';'));
    const QString m = end < 0 ? qtMask : qtMask.left(end);
    for (int i = 0; i < m.size(); ++i) {
        if (m[i] == QLatin1Char('\\') && i + 1 < m.size())
            result += m[++i];
        else if (!kQtMaskChars.contains(m[i]))
            result += m[i];
    }
    return result;
}

bool sameKey(const QVariant& a, const QVariant& b)
{
    const bool an = a.isNull() || !a.isValid(), bn = b.isNull() || !b.isValid();
    if (an || bn)
        return an && bn;
    bool okA = false, okB = false;
    const double da = a.toDouble(&okA), db = b.toDouble(&okB);
    if (okA && okB && a.typeId() != QMetaType::QString && b.typeId() != QMetaType::QString)
        return da == db;
    return a.toString().compare(b.toString(), Qt::CaseInsensitive) == 0;
}

bool modifiesText(QKeyEvent* e)
{
    const QString t = e->text();
    return (!t.isEmpty() && t[0].isPrint()) || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete ||
           e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut);
}

QStringList alternatives(const QString& values)
{
    return values.split(QLatin1Char(';'));
}

}  // namespace

QImage BlobToImage(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QImage();
    if (IsJpeg(bytes)) {
        try {
            return JpegToImage(bytes);
        } catch (const EJPEG&) {
            return QImage();
        }
    }
    return QImage::fromData(bytes);
}

// ---------------------------------------------------------------------------------------------

TFieldControl::TFieldControl()
{
    link_.OnDataChange = [this] {
        if (!silent_)
            dataChange();
    };
    link_.OnEditingChange = [this] {
        if (!silent_)
            dataChange();
    };
    link_.OnActiveChange = [this] { activeChange(); };
    link_.OnUpdateData = [this] {
        if (!silent_)
            updateData();
    };
}

TFieldControl::~TFieldControl()
{
    link_.OnDataChange = nullptr;
    link_.OnEditingChange = nullptr;
    link_.OnActiveChange = nullptr;
    link_.OnUpdateData = nullptr;
    link_.OnRecordChanged = nullptr;
}

void TFieldControl::SetDataSource(TDataSource* ds)
{
    link_.SetDataSource(ds);
    activeChange();
}

void TFieldControl::SetDataField(const QString& name)
{
    link_.SetFieldName(name);
    activeChange();
}

bool TFieldControl::userChange()
{
    silent_ = true;
    bool ok = false;
    try {
        ok = link_.Edit();
    } catch (...) {
        silent_ = false;
        throw;
    }
    silent_ = false;
    if (ok)
        link_.Modified();
    return ok;
}

bool TFieldControl::commit()
{
    try {
        link_.UpdateRecord();
        return true;
    } catch (...) {
        reset();
        HandleException(std::current_exception());
        return false;
    }
}

void TFieldControl::reset()
{
    // The link forgets the change and the control re-reads the field through OnDataChange.
    link_.Reset();
}

// ---------------------------------------------------------------------------------------------

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (!userChange())
            dataChange();
    });
}

bool TDBEdit::showsEditText() const
{
    return hasFocus() && link_.CanModify();
}

void TDBEdit::showText(const QString& t)
{
    if (text() != t)
        setText(t);
}

void TDBEdit::dataChange()
{
    TField* f = Field();
    if (!f) {
        setInputMask(QString());
        showText(QString());
        return;
    }
    // Each of these setters resets the text, cursor and selection: only on a real change.
    const int maxLength = f->DataType() == ftString && f->Size() > 0 ? f->Size() : 32767;
    if (this->maxLength() != maxLength)
        setMaxLength(maxLength);
    const Qt::Alignment alignment = Qt::Alignment(f->Alignment()) | Qt::AlignVCenter;
    if (this->alignment() != alignment)
        setAlignment(alignment);
    if (showsEditText()) {
        const QString mask = EditMaskToInputMask(f->EditMask(), &saveLiterals_);
        maskLiterals_ = literalsOf(mask);
        if (inputMask() != mask)
            setInputMask(mask);
        showText(f->Text());
    } else {
        if (!inputMask().isEmpty())
            setInputMask(QString());
        showText(f->DisplayText());
    }
}

bool TDBEdit::maskEmpty() const
{
    for (QChar c : text())
        if (!maskLiterals_.contains(c) && !c.isSpace())
            return false;
    return true;
}

void TDBEdit::updateData()
{
    QString t = text();
    if (!inputMask().isEmpty()) {
        // A mask with nothing typed into it is an empty entry.
        if (maskEmpty())
            t.clear();
        else if (!saveLiterals_)
            for (QChar c : maskLiterals_)
                t.remove(c);
    }
    Field()->SetText(t);
}

void TDBEdit::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Escape:
        if (link_.IsModified()) {
            reset();
            selectAll();
            e->accept();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (commit())
            selectAll();
        break;
    default:
        if (modifiesText(e)) {
            if (TField* f = Field()) {
                // In a number box that takes decimals, the other of "." and "," is the decimal
                // separator too: nobody types thousands separators there, and dropping the one
                // typed would store 10.5 km as 105.
                const QChar decimal = FormatSettings().DecimalSeparator;
                const QString typed = e->text();
                if (typed.size() == 1 && (typed[0] == QLatin1Char('.') || typed[0] == QLatin1Char(',')) &&
                    typed[0] != decimal && f->IsNumeric() && f->IsValidChar(decimal)) {
                    QKeyEvent asDecimal(e->type(), e->key(), e->modifiers(), QString(decimal), e->isAutoRepeat(),
                                        ushort(e->count()));
                    keyPressEvent(&asDecimal);
                    e->setAccepted(asDecimal.isAccepted());
                    return;
                }
                for (QChar c : e->text()) {
                    if (c.isPrint() && !f->IsValidChar(c)) {
                        QApplication::beep();
                        return;
                    }
                }
            }
            // Entering Edit must not re-read the field: that would drop the selection the key
            // acts on. Only a new record (Insert on an empty dataset) shows its defaults first.
            const TDataSetState before = link_.DataSet() ? link_.DataSet()->State() : dsInactive;
            silent_ = true;
            bool ok = false;
            try {
                ok = link_.Edit();
            } catch (...) {
                silent_ = false;
                throw;
            }
            silent_ = false;
            if (!ok)
                return;
            if (before != dsInsert && link_.DataSet()->State() == dsInsert)
                dataChange();
        }
        break;
    }
    QLineEdit::keyPressEvent(e);
}

void TDBEdit::focusInEvent(QFocusEvent* e)
{
    // Switch to the edit text (and mask) first, then let the base place the cursor.
    if (!link_.IsModified())
        dataChange();
    QLineEdit::focusInEvent(e);
    // As the runtime's AutoSelect: entering by keyboard or program selects the whole text.
    if (e->reason() != Qt::MouseFocusReason && e->reason() != Qt::PopupFocusReason)
        selectAll();
    // An empty mask is typed from its first position, wherever the focus came from: behind its
    // last blank the typed characters would have nowhere to go.
    if (!inputMask().isEmpty() && maskEmpty())
        setCursorPosition(0);
}

void TDBEdit::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    // A click into an empty mask types from its first position too, not from where it landed.
    if (!inputMask().isEmpty() && maskEmpty() && !hasSelectedText())
        setCursorPosition(0);
}

void TDBEdit::focusOutEvent(QFocusEvent* e)
{
    if (e->reason() != Qt::PopupFocusReason)
        commit();
    QLineEdit::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason && !link_.IsModified())
        dataChange();
}

// ---------------------------------------------------------------------------------------------

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent)
{
    // A note field is one stop of the window's Tab order, as every other field: Tab moves on
    // instead of typing a tab character, so a user never gets stuck in it with the keyboard.
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (silent_)
            return;
        if (!userChange())
            dataChange();
    });
}

void TDBMemo::dataChange()
{
    const QString t = Field() ? Field()->AsString() : QString();
    if (toPlainText() == t)
        return;
    silent_ = true;
    setPlainText(t);
    silent_ = false;
}

void TDBMemo::updateData()
{
    Field()->SetAsString(toPlainText());
}

void TDBMemo::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && link_.IsModified()) {
        reset();
        e->accept();
        return;
    }
    if (modifiesText(e) && !link_.Edit())
        return;
    QPlainTextEdit::keyPressEvent(e);
}

void TDBMemo::focusOutEvent(QFocusEvent* e)
{
    if (e->reason() != Qt::PopupFocusReason)
        commit();
    QPlainTextEdit::focusOutEvent(e);
}

// ---------------------------------------------------------------------------------------------

TDBText::TDBText(QWidget* parent) : QLabel(parent) {}

void TDBText::dataChange()
{
    setText(Field() ? Field()->DisplayText() : QString());
}

// ---------------------------------------------------------------------------------------------

TDBCheckBox::TDBCheckBox(QWidget* parent) : QCheckBox(parent) {}

void TDBCheckBox::SetValueChecked(const QString& v)
{
    valueChecked_ = v;
    dataChange();
}

void TDBCheckBox::SetValueUnchecked(const QString& v)
{
    valueUnchecked_ = v;
    dataChange();
}

void TDBCheckBox::dataChange()
{
    TField* f = Field();
    bool checked = false;
    if (f && !f->IsNull()) {
        if (f->DataType() == ftBoolean) {
            checked = f->AsBoolean();
        } else {
            const QString t = f->Text();
            for (const QString& a : alternatives(valueChecked_))
                if (t.compare(a, Qt::CaseInsensitive) == 0)
                    checked = true;
        }
    }
    setChecked(checked);
}

void TDBCheckBox::updateData()
{
    TField* f = Field();
    if (f->DataType() == ftBoolean)
        f->SetAsBoolean(isChecked());
    else
        f->SetAsString(alternatives(isChecked() ? valueChecked_ : valueUnchecked_).value(0));
}

void TDBCheckBox::nextCheckState()
{
    if (!userChange()) {
        dataChange();
        return;
    }
    QCheckBox::nextCheckState();
}

void TDBCheckBox::focusOutEvent(QFocusEvent* e)
{
    if (e->reason() != Qt::PopupFocusReason)
        commit();
    QCheckBox::focusOutEvent(e);
}

// ---------------------------------------------------------------------------------------------

TDBComboBox::TDBComboBox(QWidget* parent) : QComboBox(parent)
{
    SetStyle(csDropDown);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!userChange()) {
            dataChange();
            return;
        }
        if (index >= 0 && index != currentIndex())
            setCurrentIndex(index);
        commit();
    });
}

void TDBComboBox::SetStyle(TComboBoxStyle s)
{
    setEditable(s == csDropDown);
    if (QLineEdit* le = lineEdit()) {
        connect(le, &QLineEdit::textEdited, this, [this] {
            if (!userChange())
                dataChange();
        });
    }
    dataChange();
}

void TDBComboBox::SetItems(const QStringList& items)
{
    clear();
    addItems(items);
    dataChange();
}

void TDBComboBox::dataChange()
{
    const QString t = Field() ? Field()->Text() : QString();
    if (isEditable()) {
        if (currentText() != t)
            setEditText(t);
    } else {
        setCurrentIndex(findText(t));
    }
}

void TDBComboBox::updateData()
{
    Field()->SetText(currentText());
}

void TDBComboBox::focusOutEvent(QFocusEvent* e)
{
    if (e->reason() != Qt::PopupFocusReason)
        commit();
    QComboBox::focusOutEvent(e);
}

// ---------------------------------------------------------------------------------------------

TLookupList::TLookupList()
{
    listLink_.OnActiveChanged = [this] { listChanged(); };
    listLink_.OnDataSetChanged = [this] { listChanged(); };
    // Bound to a lookup field, the box shows its key field: follow changes made to that one.
    link_.OnRecordChanged = [this](TField* f) {
        if (f && f != Field() && !silent_ && f == keyTarget(Field(), ListSource() != nullptr))
            dataChange();
    };
}

TLookupList::~TLookupList()
{
    listLink_.OnActiveChanged = nullptr;
    listLink_.OnDataSetChanged = nullptr;
}

void TLookupList::SetListSource(TDataSource* ds)
{
    listLink_.SetDataSource(ds);
    listChanged();
}

void TLookupList::SetKeyField(const QString& f)
{
    keyField_ = f;
    listChanged();
}

void TLookupList::SetListField(const QString& f)
{
    listField_ = f;
    listChanged();
}

int TLookupList::IndexOfKey(const QVariant& key) const
{
    if (key.isNull() || !key.isValid())
        return -1;
    for (int i = 0; i < rows_.size(); ++i)
        if (sameKey(rows_[i].first, key))
            return i;
    return -1;
}

TField* TLookupList::keyTarget(TField* dataField, bool ownList)
{
    if (dataField && dataField->Lookup() && !ownList && dataField->DataSet())
        return dataField->DataSet()->FindField(dataField->KeyFields());
    return dataField;
}

void TLookupList::readList(TField* dataField)
{
    rows_.clear();
    TDataSet* ds = listLink_.DataSet();
    QString key = keyField_;
    QString list = listField_;
    if (!ListSource() && dataField && dataField->Lookup()) {
        // A lookup field brings its own list: the lookup dataset, its key and result fields.
        ds = dataField->LookupDataSet();
        key = dataField->LookupKeyFields();
        list = dataField->LookupResultField();
    }
    if (!ds || !ds->Active())
        return;
    TField* kf = ds->FindField(key);
    TField* lf = ds->FindField(SplitFieldNames(list).value(0));
    if (!kf)
        return;
    if (!lf)
        lf = kf;
    // A lookup field's condition narrows the rows it may take; it applies where the list is the
    // field's own lookup dataset.
    TField* condition = dataField && dataField->Lookup() && dataField->LookupDataSet() == ds ? dataField : nullptr;
    // The fields read each visible row in turn; the list dataset itself does not move.
    TDisplayRowScope back(ds);
    const int n = ds->RecordCount();
    for (int i = 0; i < n; ++i) {
        ds->SetDisplayRow(i);
        if (!condition || condition->AcceptsLookupRow())
            rows_.append({kf->Value(), lf->DisplayText()});
    }
}

// ---------------------------------------------------------------------------------------------

QVariant TLookupList::KeyValue() const
{
    const int i = shownRow();
    return i >= 0 && i < rows_.size() ? rows_[i].first : QVariant();
}

void TLookupList::listChanged()
{
    filling_ = true;
    clearItems();
    readList(Field());
    for (const auto& r : rows_)
        addItemText(r.second);
    filling_ = false;
    dataChange();
}

void TLookupList::dataChange()
{
    TField* target = keyTarget(Field(), ListSource() != nullptr);
    filling_ = true;
    showRow(target ? IndexOfKey(target->Value()) : -1);
    filling_ = false;
}

void TLookupList::updateData()
{
    if (TField* target = keyTarget(Field(), ListSource() != nullptr))
        target->SetValue(KeyValue());
}

// ---------------------------------------------------------------------------------------------

TDBLookupComboBox::TDBLookupComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int index) { choose(index); });
}

void TDBLookupComboBox::choose(int index)
{
    if (filling_ || index < 0)
        return;
    if (!userChange()) {
        dataChange();
        return;
    }
    setCurrentIndex(index);
    commit();
}

// ---------------------------------------------------------------------------------------------

TDBLookupListBox::TDBLookupListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) { choose(row); });
}

void TDBLookupListBox::choose(int row)
{
    if (filling_ || row < 0)
        return;
    if (!userChange()) {
        dataChange();
        return;
    }
    commit();
}

// ---------------------------------------------------------------------------------------------

TDBImage::TDBImage(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

void TDBImage::SetStretch(bool v)
{
    stretch_ = v;
    setScaledContents(v);
}

void TDBImage::dataChange()
{
    TField* f = Field();
    picture_ = f ? BlobToImage(f->AsBytes()) : QImage();
    if (picture_.isNull())
        clear();
    else
        setPixmap(QPixmap::fromImage(picture_));
}

// ---------------------------------------------------------------------------------------------

namespace {

struct NavButtonInfo {
    const char* name;
    const char* glyph;
    const char* hint;
};

const NavButtonInfo kNavButtons[] = {
    {"nbFirst", "|\u25C0", QT_TRANSLATE_NOOP("TDBNavigator", "Erster Datensatz")},
    {"nbPrior", "\u25C0", QT_TRANSLATE_NOOP("TDBNavigator", "Vorheriger Datensatz")},
    {"nbNext", "\u25B6", QT_TRANSLATE_NOOP("TDBNavigator", "Nächster Datensatz")},
    {"nbLast", "\u25B6|", QT_TRANSLATE_NOOP("TDBNavigator", "Letzter Datensatz")},
    {"nbInsert", "+", QT_TRANSLATE_NOOP("TDBNavigator", "Datensatz einfügen")},
    {"nbDelete", "\u2212", QT_TRANSLATE_NOOP("TDBNavigator", "Datensatz löschen")},
    {"nbEdit", "\u25B2", QT_TRANSLATE_NOOP("TDBNavigator", "Datensatz bearbeiten")},
    {"nbPost", "\u2713", QT_TRANSLATE_NOOP("TDBNavigator", "Daten zurückschreiben")},
    {"nbCancel", "\u2717", QT_TRANSLATE_NOOP("TDBNavigator", "Bearbeitung abbrechen")},
    {"nbRefresh", "\u21BB", QT_TRANSLATE_NOOP("TDBNavigator", "Daten aktualisieren")},
};

}  // namespace

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 10; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(kNavButtons[i].name));
        b->setText(QString::fromUtf8(kNavButtons[i].glyph));
        b->setToolTip(QCoreApplication::translate("TDBNavigator", kNavButtons[i].hint));
        b->setAutoRaise(true);
        layout->addWidget(b);
        buttons_[i] = b;
        const auto nb = TNavigateBtn(i);
        connect(b, &QToolButton::clicked, this, [this, nb] { BtnClick(nb); });
    }
    link_.OnActiveChanged = [this] { updateButtons(); };
    link_.OnDataSetChanged = [this] { updateButtons(); };
    link_.OnDataSetScrolled = [this](int) { updateButtons(); };
    link_.OnEditingChanged = [this] { updateButtons(); };
    updateButtons();
}

TDBNavigator::~TDBNavigator()
{
    link_.OnActiveChanged = nullptr;
    link_.OnDataSetChanged = nullptr;
    link_.OnDataSetScrolled = nullptr;
    link_.OnEditingChanged = nullptr;
}

void TDBNavigator::SetDataSource(TDataSource* ds)
{
    link_.SetDataSource(ds);
    updateButtons();
}

void TDBNavigator::SetVisibleButtons(TNavButtonSet set)
{
    for (int i = 0; i < 10; ++i)
        buttons_[i]->setVisible(set.Contains(TNavigateBtn(i)));
}

void TDBNavigator::SetHints(const QStringList& hints)
{
    for (int i = 0; i < 10 && i < hints.size(); ++i)
        if (!hints[i].isEmpty())
            buttons_[i]->setToolTip(hints[i]);
}

void TDBNavigator::updateButtons()
{
    TDataSet* ds = link_.DataSet();
    const bool active = ds && link_.Active();
    const bool editing = active && (ds->State() == dsEdit || ds->State() == dsInsert);
    const bool canModify = active && ds->CanModify() && !link_.ReadOnly();
    const bool up = active && !ds->Bof();
    const bool down = active && !ds->Eof();
    buttons_[nbFirst]->setEnabled(up);
    buttons_[nbPrior]->setEnabled(up);
    buttons_[nbNext]->setEnabled(down);
    buttons_[nbLast]->setEnabled(down);
    buttons_[nbInsert]->setEnabled(canModify);
    buttons_[nbDelete]->setEnabled(canModify && !(ds->Bof() && ds->Eof()));
    buttons_[nbEdit]->setEnabled(canModify && !editing);
    buttons_[nbPost]->setEnabled(canModify && editing);
    buttons_[nbCancel]->setEnabled(canModify && editing);
    buttons_[nbRefresh]->setEnabled(active && !editing);
}

void TDBNavigator::BtnClick(TNavigateBtn b)
{
    if (BeforeAction)
        BeforeAction(this, b);
    TDataSet* ds = link_.DataSet();
    if (ds && link_.Active()) {
        switch (b) {
        case nbFirst: ds->First(); break;
        case nbPrior: ds->Prior(); break;
        case nbNext: ds->Next(); break;
        case nbLast: ds->Last(); break;
        case nbInsert: ds->Insert(); break;
        case nbEdit: ds->Edit(); break;
        case nbPost: ds->Post(); break;
        case nbCancel: ds->Cancel(); break;
        case nbRefresh: ds->Refresh(); break;
        case nbDelete:
            if (!confirmDelete_ ||
                MessageDlg(QCoreApplication::translate("TDBNavigator", "Datensatz löschen?"), mtConfirmation,
                           mbOKCancel) != mrCancel)
                ds->Delete();
            break;
        }
    }
    if (OnClick)
        OnClick(this, b);
}
