#include "grid/editing/celleditors_std.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

#include "grid/display/extcgrid.h"
#include "grid/display/extgrid.h"
#include "grid/display/gridcanvas.h"
#include "grid/editing/editorwrappers.h"
#include "grid/display/extutil.h"
#include "grid/editing/esgcombo.h"
#include "grid/editing/esgedit.h"
#include "grid/editing/esgspin.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/datetimepicker.h"

namespace {

void paintBackground(QWidget* w, TColor color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, ToQColor(ColorToRGB(color)));
    w->setPalette(p);
}

void showAndFocus(QWidget* w)
{
    w->setEnabled(true);
    w->setVisible(true);
    w->raise();
    w->setFocus(Qt::OtherFocusReason);
}

void hideControl(QWidget* w)
{
    if (!w)
        return;
    const bool hadFocus = w->hasFocus() || w->isAncestorOf(QApplication::focusWidget());
    w->setVisible(false);
    w->setEnabled(false);
    if (hadFocus && w->parentWidget())
        if (QWidget* grid = w->parentWidget()->parentWidget())
            grid->setFocus(Qt::OtherFocusReason);
}

template <typename T>
T* makeControl(TExtStringGrid& Grid)
{
    auto* w = new T(Grid.viewport());
    w->setVisible(false);
    w->setEnabled(false);
    return w;
}

// The grid's picker: its text starts right of the check box.
class TCellDatePicker : public TDateTimePicker {
public:
    using TDateTimePicker::TDateTimePicker;
    void SetTextIndent(int pixels) { lineEdit()->setTextMargins(pixels, 0, 0, 0); }
    // Opens the calendar as a press on the drop-down arrow does.
    void DropDown()
    {
        const QPoint at(width() - 6, height() / 2);
        QMouseEvent move(QEvent::MouseMove, at, mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(this, &move);
        QMouseEvent press(QEvent::MouseButtonPress, at, mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(this, &press);
    }
};

// A list editor that tells when its list closes up.
template <typename Base>
class TCellCombo : public Base {
public:
    using Base::Base;
    std::function<void()> OnCloseUp;
    void hidePopup() override
    {
        const bool open = this->view() && this->view()->isVisible();
        Base::hidePopup();
        if (open && OnCloseUp)
            OnCloseUp();
    }
};

// A choice in a list editor and its close-up go to the grid's events for the current cell.
template <typename Combo>
void reportChoices(TExtStringGrid& Grid, TCellCombo<Combo>* combo)
{
    QPointer<TExtStringGrid> grid(&Grid);
    combo->OnClick = [grid, combo](QObject*) {
        if (!grid)
            return;
        const int index = combo->currentIndex();
        const QString text = combo->currentText();
        const int col = grid->RealColIndex(grid->Col());
        const int row = grid->Row();
        if (grid->OnComboChange)
            grid->OnComboChange(grid, col, row, index, text);
        if (grid && grid->OnComboObjectChange)
            grid->OnComboObjectChange(grid, col, row, index, text, combo->itemData(index).template value<QObject*>());
    };
    combo->OnCloseUp = [grid] {
        if (grid && grid->OnComboCloseUp)
            grid->OnComboCloseUp(grid, grid->RealColIndex(grid->Col()), grid->Row());
    };
}

template <typename Combo>
Combo* makeCombo(TExtStringGrid& Grid)
{
    auto* combo = makeControl<TCellCombo<Combo>>(Grid);
    reportChoices(Grid, combo);
    return combo;
}

// The column item of a column grid's data cell (real column), nullptr for a string grid.
const TGridColumnItem* columnItem(TExtStringGrid& Grid, int RealCol)
{
    auto* cg = dynamic_cast<TExtColumnGrid*>(&Grid);
    if (!cg || RealCol < 0 || RealCol >= cg->Columns().Count())
        return nullptr;
    return cg->Columns().Items(RealCol);
}

QStringList itemsOf(const TStringList& list)
{
    QStringList items;
    for (int i = 0; i < list.Count(); ++i)
        items << list.Strings(i);
    return items;
}

bool flatLook(TGridLook look)
{
    return look == glSoft || look == glVantor || look == glXP || look == glListView;
}

// A list editor's last steps once its items and text are set: the cell's colour, the grid's
// look, the focus, and the drop-down opened at once when the grid asks for it.
template <typename Combo>
QWidget* showCombo(Combo* combo, TExtStringGrid& Grid, const TEditorPlace& Place)
{
    combo->SetColor(Place.Color);
    combo->SetFlat(flatLook(Grid.Look()));
    combo->SetEtched(flatLook(Grid.Look()));
    if (Grid.Navigation.AutoComboDropSize) {
        // The drop-down as wide as the items need, measured as the grid measures its texts.
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        const QFont font = combo->font();
        combo->view()->setMinimumWidth(FitComboDropWidth(items, combo->width(), combo->maxVisibleItems(),
                                                         [&](const QString& t) { return GridTextMeasurer().TextWidth(font, t); }));
    }
    showAndFocus(combo);
    if (Grid.MouseActions.DirectComboDrop)
        combo->showPopup();
    return combo;
}

// A list's style for this cell. The edit a list drops when it stops being editable goes at
// once: gone later, it would take the keyboard focus with it from the open list.
template <typename Combo>
void setComboStyle(Combo* combo, TComboBoxStyle style)
{
    if (combo->Style() == style)
        return;
    combo->SetStyle(style);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <typename Combo>
void hideCombo(Combo* combo)
{
    if (combo)
        combo->hidePopup();
    hideControl(combo);
}

}  // namespace

// --- lists ---------------------------------------------------------------------------------------

TComboCellEditor::TComboCellEditor(TExtStringGrid& Grid) : combo_(makeCombo<TESGComboBox>(Grid))
{
    combo_->SetButtonWidth(16);
    InstallEditorKeys(Grid, combo_, TWrapperStyle::Combo);
}

TComboCellEditor::~TComboCellEditor() = default;

QWidget* TComboCellEditor::Show(TExtStringGrid& Grid, const TEditorPlace& Place)
{
    const bool list = Place.Kind == edComboList;
    combo_->hidePopup();
    setComboStyle(combo_.data(), list ? csDropDownList : csDropDown);
    combo_->setGeometry(Place.Bounds);
    // A column names the items of its lists.
    if (const TGridColumnItem* item = columnItem(Grid, Place.RealCol); item && item->ComboItems.Count() > 0)
        combo_->SetItems(itemsOf(item->ComboItems));
    if (list)
        combo_->SetItemIndex(ListItemPosition(combo_->Items(), Place.CellText, Grid.DefaultListPosition));
    else
        combo_->SetText(Place.EditText);
    return showCombo(combo_.data(), Grid, Place);
}

QString TComboCellEditor::Value(TExtStringGrid&)
{
    return combo_->Text();
}

void TComboCellEditor::Hide()
{
    hideCombo(combo_.data());
}

// --- spins ---------------------------------------------------------------------------------------

TSpinCellEditor::TSpinCellEditor(TExtStringGrid& Grid) : spin_(new TGridSpin(Grid.viewport(), &Grid))
{
    spin_->setVisible(false);
    spin_->setEnabled(false);
    InstallEditorKeys(Grid, spin_, TWrapperStyle::Spin);
}

TSpinCellEditor::~TSpinCellEditor() = default;

QWidget* TSpinCellEditor::Show(TExtStringGrid& Grid, const TEditorPlace& Place)
{
    kind_ = Place.Kind;
    spin_->setGeometry(Place.Bounds);
    paintBackground(spin_, Place.Color);
    spin_->SetExcelStyleDecimalSeparator(Grid.ExcelStyleDecimalSeparator);
    // A column's limits and step (equal limits: none).
    if (const TGridColumnItem* item = columnItem(Grid, Place.RealCol); item && item->SpinMin != item->SpinMax) {
        spin_->SetMinValue(item->SpinMin);
        spin_->SetMaxValue(item->SpinMax);
        spin_->SetIncrement(item->SpinStep);
    }
    switch (kind_) {
    case edFloatSpinEdit: {
        spin_->SetSpinType(sptFloat);
        bool ok = false;
        const double v = StripThousandSeparators(Place.EditText).toDouble(&ok);
        spin_->SetFloatValue(ok ? v : 0.0);
        break;
    }
    case edTimeSpinEdit:
        spin_->SetSpinType(sptTime);
        spin_->setText(Place.EditText);
        break;
    case edDateSpinEdit: {
        TDateTime d = 0;
        if (Place.EditText.trimmed().isEmpty() || !TryStrToDate(Place.EditText, d))
            d = Now();
        spin_->SetDateValue(d);
        spin_->SetSpinType(sptDate);
        break;
    }
    default: {
        spin_->SetSpinType(sptNormal);
        int v = 0;
        spin_->SetValue(TryStrToInt(Place.EditText, v) ? v : 0);
        break;
    }
    }
    showAndFocus(spin_);
    return spin_;
}

QString TSpinCellEditor::Value(TExtStringGrid& Grid)
{
    switch (kind_) {
    case edFloatSpinEdit:
        // As SetFloats writes it.
        return ::Format(Grid.FloatFormat, {spin_->FloatValue()});
    case edDateSpinEdit: {
        // As SetDates writes it.
        const TDateTime d = spin_->DateValue();
        return d <= 0 && !Grid.ShowNullDates ? QString() : DateToStr(d);
    }
    default:
        return spin_->text();
    }
}

void TSpinCellEditor::Hide()
{
    hideControl(spin_);
}

// --- the date and time picker ---------------------------------------------------------------------

TDateCellEditor::TDateCellEditor(TExtStringGrid& Grid) : picker_(makeControl<TCellDatePicker>(Grid))
{
    // The picker's check box: unchecked, the cell is emptied.
    check_ = new QCheckBox(picker_);
    check_->setFocusPolicy(Qt::NoFocus);
    check_->setChecked(true);
    QObject::connect(check_, &QCheckBox::toggled, picker_, [this](bool on) { SetChecked(on); });
    InstallEditorKeys(Grid, picker_, TWrapperStyle::DatePicker);
}

TDateCellEditor::~TDateCellEditor() = default;

bool TDateCellEditor::Checked() const
{
    return check_ && check_->isChecked();
}

void TDateCellEditor::SetChecked(bool value)
{
    if (check_->isChecked() != value) {
        check_->setChecked(value);  // comes back here through toggled
        return;
    }
    picker_->setReadOnly(!value);
}

QWidget* TDateCellEditor::Show(TExtStringGrid& Grid, const TEditorPlace& Place)
{
    kind_ = Place.Kind;
    const bool time = kind_ == edTimeEdit;
    picker_->SetKind(time ? dtkTime : dtkDate);
    if (time && !Format.isEmpty())
        picker_->setDisplayFormat(Format);
    TDateTime value = 0;
    const bool read = !Place.EditText.trimmed().isEmpty() &&
                      (time ? TryStrToTime(Place.EditText, value) : TryStrToDate(Place.EditText, value));
    picker_->SetDateTime(read ? value : Now());
    picker_->setCalendarPopup(kind_ == edDateEdit);
    QRect b = Place.Bounds;
    // Never taller than the cell; never made taller than it is.
    if (!time)
        b.setHeight(std::min(picker_->sizeHint().height(), b.height()));
    picker_->setGeometry(b);
    const int box = std::min(b.height(), 16);
    check_->setGeometry(2, (b.height() - box) / 2, box, box);
    static_cast<TCellDatePicker*>(picker_.data())->SetTextIndent(box + 2);
    check_->blockSignals(true);
    check_->setChecked(true);
    check_->blockSignals(false);
    picker_->setReadOnly(false);
    paintBackground(picker_, Place.Color);
    showAndFocus(picker_);
    // The calendar opens at once.
    if (kind_ == edDateEdit && Grid.MouseActions.DirectDateDrop)
        static_cast<TCellDatePicker*>(picker_.data())->DropDown();
    return picker_;
}

QString TDateCellEditor::Value(TExtStringGrid&)
{
    if (!Checked())
        return QString();
    if (kind_ == edTimeEdit && !Format.isEmpty())
        return DateTimeToQDateTime(picker_->DateTime()).time().toString(Format);
    return picker_->text();
}

void TDateCellEditor::Hide()
{
    if (picker_ && picker_->calendarPopup() && picker_->calendarWidget() && picker_->calendarWidget()->isVisible())
        picker_->calendarWidget()->window()->hide();
    hideControl(picker_);
}

// --- edits with a button ---------------------------------------------------------------------------

TEditBtnCellEditor::TEditBtnCellEditor(TExtStringGrid& Grid) : edit_(makeControl<TEsgEditBtn>(Grid))
{
    edit_->SetButtonCaption(QStringLiteral("..."));
    edit_->SetBorderStyle(bsNone);
    InstallEditorKeys(Grid, edit_, TWrapperStyle::EditBtn);
    // The button hands the text to the grid's ellipsis event and shows what comes back, selected.
    QPointer<TExtStringGrid> grid(&Grid);
    edit_->OnClickBtn = [this, grid](QObject*) {
        if (!grid || !edit_)
            return;
        QString text;
        grid->EllipsisClick(edit_->text(), text);
        if (!edit_)
            return;
        edit_->setText(text);
        edit_->selectAll();
        edit_->update();
    };
}

TEditBtnCellEditor::~TEditBtnCellEditor() = default;

QWidget* TEditBtnCellEditor::Show(TExtStringGrid& Grid, const TEditorPlace& Place)
{
    edit_->setGeometry(Place.Bounds);
    edit_->setText(Place.EditText);
    edit_->setMaxLength(Grid.MaxEditLength() > 0 ? Grid.MaxEditLength() : 32767);
    paintBackground(edit_, Place.Color);
    showAndFocus(edit_);
    return edit_;
}

QString TEditBtnCellEditor::Value(TExtStringGrid&)
{
    return edit_->text();
}

void TEditBtnCellEditor::Hide()
{
    hideControl(edit_);
}

TUnitCellEditor::TUnitCellEditor(TExtStringGrid& Grid) : edit_(makeControl<TEsgUnitEditBtn>(Grid))
{
    edit_->SetButtonCaption(QStringLiteral("..."));
    edit_->SetBorderStyle(bsNone);
    InstallEditorKeys(Grid, edit_, TWrapperStyle::UnitEdit);
}

TUnitCellEditor::~TUnitCellEditor() = default;

QWidget* TUnitCellEditor::Show(TExtStringGrid& Grid, const TEditorPlace& Place)
{
    edit_->setGeometry(Place.Bounds);
    edit_->setMaxLength(Grid.MaxEditLength() > 0 ? Grid.MaxEditLength() : 32767);
    const TUnitText parts = SplitUnitText(Place.EditText);
    edit_->SetUnitID(parts.Unit);
    edit_->setText(parts.Value);
    paintBackground(edit_, Place.Color);
    showAndFocus(edit_);
    return edit_;
}

QString TUnitCellEditor::Value(TExtStringGrid&)
{
    return JoinUnitText(edit_->text(), edit_->UnitID());
}

void TUnitCellEditor::Hide()
{
    hideControl(edit_);
}

// --- wide text ---------------------------------------------------------------------------------------

TUniCellEditor::TUniCellEditor(TExtStringGrid& Grid)
    : edit_(makeControl<TEsgUniEdit>(Grid)), editBtn_(makeControl<TEsgUniEditBtn>(Grid))
{
    editBtn_->SetButtonCaption(QStringLiteral("..."));
    InstallEditorKeys(Grid, edit_, TWrapperStyle::UniEdit);
    InstallEditorKeys(Grid, editBtn_, TWrapperStyle::UniEdit);
}

TUniCellEditor::~TUniCellEditor() = default;

QLineEdit* TUniCellEditor::current() const
{
    if (kind_ == edUniEditBtn)
        return editBtn_;
    return edit_;
}

QWidget* TUniCellEditor::Show(TExtStringGrid& Grid, const TEditorPlace& Place)
{
    kind_ = Place.Kind;
    QLineEdit* e = current();
    e->setGeometry(Place.Bounds);
    paintBackground(e, Place.Color);
    e->setFont(Grid.font());
    e->setText(CellWideText(Place.CellText));
    showAndFocus(e);
    // The caret at the end unless the grid selects the whole text.
    if (!Grid.Navigation.EditSelectAll) {
        e->deselect();
        e->end(false);
    }
    return e;
}

QString TUniCellEditor::Value(TExtStringGrid&)
{
    return current()->text();
}

void TUniCellEditor::Hide()
{
    hideControl(edit_);
    hideControl(editBtn_);
}

TUniComboCellEditor::TUniComboCellEditor(TExtStringGrid& Grid) : combo_(makeCombo<TESGUniComboBox>(Grid))
{
    combo_->SetButtonWidth(16);
    InstallEditorKeys(Grid, combo_, TWrapperStyle::Combo);
}

TUniComboCellEditor::~TUniComboCellEditor() = default;

QWidget* TUniComboCellEditor::Show(TExtStringGrid& Grid, const TEditorPlace& Place)
{
    const bool list = Place.Kind == edUniComboList;
    const QString wide = CellWideText(Place.CellText);
    combo_->hidePopup();
    setComboStyle(combo_.data(), list ? csDropDownList : csDropDown);
    combo_->setGeometry(Place.Bounds);
    QStringList items;
    for (int i = 0; i < combo_->count(); ++i)
        items << combo_->itemText(i);
    combo_->SetItemIndex(ListItemPosition(items, wide, Grid.DefaultListPosition));
    if (!list)
        combo_->SetText(wide);
    combo_->setFont(Grid.font());
    return showCombo(combo_.data(), Grid, Place);
}

QString TUniComboCellEditor::Value(TExtStringGrid&)
{
    return combo_->currentText();
}

void TUniComboCellEditor::Hide()
{
    hideCombo(combo_.data());
}

// --- the push button and the check box ----------------------------------------------------------------

TButtonCellEditor::TButtonCellEditor(TExtStringGrid& Grid) : button_(makeControl<QPushButton>(Grid))
{
    button_->setAutoDefault(false);
    InstallEditorKeys(Grid, button_, TWrapperStyle::Button);
    // A click or Space hands the caption to the grid's ellipsis event; what comes back is the caption.
    QPointer<TExtStringGrid> grid(&Grid);
    QObject::connect(button_, &QPushButton::clicked, button_, [this, grid] {
        if (!grid || !button_ || !button_->isVisible())
            return;
        QString text;
        grid->EllipsisClick(button_->text(), text);
        if (button_)
            button_->setText(text);
    });
}

TButtonCellEditor::~TButtonCellEditor() = default;

QWidget* TButtonCellEditor::Show(TExtStringGrid&, const TEditorPlace& Place)
{
    button_->setGeometry(Place.Bounds);
    button_->setText(Place.EditText);
    showAndFocus(button_);
    return button_;
}

void TButtonCellEditor::Hide()
{
    hideControl(button_);
}

TCheckCellEditor::TCheckCellEditor(TExtStringGrid& Grid) : check_(makeControl<QCheckBox>(Grid))
{
    InstallEditorKeys(Grid, check_, TWrapperStyle::CheckBox);
}

TCheckCellEditor::~TCheckCellEditor() = default;

QWidget* TCheckCellEditor::Show(TExtStringGrid& Grid, const TEditorPlace& Place)
{
    check_->setGeometry(Place.Bounds);
    check_->setText(Place.EditText);
    // Ticked when the cell holds the check-true text; the box's state goes back as the check
    // texts of the cell.
    trueText_ = Grid.GetCheckTrueText(Place.Col, Place.Row);
    falseText_ = Grid.GetCheckFalseText(Place.Col, Place.Row);
    check_->setChecked(Place.CellText == trueText_);
    paintBackground(check_, Place.Color);
    showAndFocus(check_);
    // The box is watched as every editor: leaving it ends editing.
    return check_;
}

QString TCheckCellEditor::Value(TExtStringGrid&)
{
    return check_->isChecked() ? trueText_ : falseText_;
}

void TCheckCellEditor::Hide()
{
    hideControl(check_);
}

// --- registration ----------------------------------------------------------------------------------

void RegisterStandardCellEditors()
{
    auto reg = [](std::initializer_list<TEditorType> kinds, auto make) {
        for (TEditorType k : kinds)
            RegisterCellEditor(k, [make](TExtStringGrid& g, TEditorType) -> std::unique_ptr<TCellEditor> { return make(g); });
    };
    reg({edComboEdit, edComboList}, [](TExtStringGrid& g) { return std::make_unique<TComboCellEditor>(g); });
    reg({edSpinEdit, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit},
        [](TExtStringGrid& g) { return std::make_unique<TSpinCellEditor>(g); });
    reg({edDateEdit, edDateEditUpDown, edTimeEdit}, [](TExtStringGrid& g) { return std::make_unique<TDateCellEditor>(g); });
    reg({edEditBtn, edNumericEditBtn, edFloatEditBtn}, [](TExtStringGrid& g) { return std::make_unique<TEditBtnCellEditor>(g); });
    reg({edUnitEditBtn}, [](TExtStringGrid& g) { return std::make_unique<TUnitCellEditor>(g); });
    reg({edUniEdit, edUniEditBtn}, [](TExtStringGrid& g) { return std::make_unique<TUniCellEditor>(g); });
    reg({edUniComboEdit, edUniComboList}, [](TExtStringGrid& g) { return std::make_unique<TUniComboCellEditor>(g); });
    reg({edButton}, [](TExtStringGrid& g) { return std::make_unique<TButtonCellEditor>(g); });
    reg({edCheckBox}, [](TExtStringGrid& g) { return std::make_unique<TCheckCellEditor>(g); });
}
