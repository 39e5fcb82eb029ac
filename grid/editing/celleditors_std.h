#pragma once
// The grid's standard special editors: lists, spins, the date and time picker, the edits with a
// button, the unit edit, the push button and the check box. Each places its control over the
// cell, fills it from the cell and tells the value the cell would get back.
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>

#include "grid/editing/celleditors.h"
#include "grid/editing/esgcombo.h"
#include "grid/editing/esgedit.h"
#include "grid/editing/esgspin.h"
#include "grid/editing/esguni.h"
#include "platform/vcl/datetimepicker.h"

// Registers the standard editors (run by the editing half's start-up).
void RegisterStandardCellEditors();

// edComboEdit and edComboList.
class TComboCellEditor : public TCellEditor {
public:
    explicit TComboCellEditor(TExtStringGrid& Grid);
    ~TComboCellEditor() override;
    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override;
    QString Value(TExtStringGrid& Grid) override;
    void Hide() override;
    TESGComboBox* Combo() const { return combo_; }

private:
    QPointer<TESGComboBox> combo_;
};

// edSpinEdit, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit.
class TSpinCellEditor : public TCellEditor {
public:
    explicit TSpinCellEditor(TExtStringGrid& Grid);
    ~TSpinCellEditor() override;
    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override;
    QString Value(TExtStringGrid& Grid) override;
    void Hide() override;
    TEsgSpinEdit* Spin() const { return spin_; }

private:
    QPointer<TEsgSpinEdit> spin_;
    TEditorType kind_ = edSpinEdit;
};

// edDateEdit, edDateEditUpDown and edTimeEdit: a picker with a check box; unchecked, the cell
// gets an empty text. A time is written in Format when one is set (the format settings are left
// alone).
class TDateCellEditor : public TCellEditor {
public:
    explicit TDateCellEditor(TExtStringGrid& Grid);
    ~TDateCellEditor() override;
    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override;
    QString Value(TExtStringGrid& Grid) override;
    void Hide() override;
    bool TakesStartCharacter() const override { return false; }
    TDateTimePicker* Picker() const { return picker_; }
    bool Checked() const;
    void SetChecked(bool value);
    // The display format of the time kind ("HH:mm"); empty: the format settings' time.
    QString Format;

private:
    QPointer<TDateTimePicker> picker_;
    QPointer<QCheckBox> check_;
    TEditorType kind_ = edDateEdit;
};

// edEditBtn, edNumericEditBtn, edFloatEditBtn.
class TEditBtnCellEditor : public TCellEditor {
public:
    explicit TEditBtnCellEditor(TExtStringGrid& Grid);
    ~TEditBtnCellEditor() override;
    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override;
    QString Value(TExtStringGrid& Grid) override;
    void Hide() override;
    TEsgEditBtn* Edit() const { return edit_; }

private:
    QPointer<TEsgEditBtn> edit_;
};

// edUnitEditBtn: the cell text split into value and unit, joined again on the way back.
class TUnitCellEditor : public TCellEditor {
public:
    explicit TUnitCellEditor(TExtStringGrid& Grid);
    ~TUnitCellEditor() override;
    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override;
    QString Value(TExtStringGrid& Grid) override;
    void Hide() override;
    TEsgUnitEditBtn* Edit() const { return edit_; }

private:
    QPointer<TEsgUnitEditBtn> edit_;
};

// edUniEdit and edUniEditBtn: the cell's wide text in a wide edit.
class TUniCellEditor : public TCellEditor {
public:
    explicit TUniCellEditor(TExtStringGrid& Grid);
    ~TUniCellEditor() override;
    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override;
    QString Value(TExtStringGrid& Grid) override;
    void Hide() override;
    bool Wide() const override { return true; }
    TEsgUniEdit* Edit() const { return edit_; }
    TEsgUniEditBtn* EditBtn() const { return editBtn_; }

private:
    QLineEdit* current() const;
    QPointer<TEsgUniEdit> edit_;
    QPointer<TEsgUniEditBtn> editBtn_;
    TEditorType kind_ = edUniEdit;
};

// edUniComboEdit and edUniComboList: the cell's wide text in a wide combo; the key that opened
// it is not typed into it.
class TUniComboCellEditor : public TCellEditor {
public:
    explicit TUniComboCellEditor(TExtStringGrid& Grid);
    ~TUniComboCellEditor() override;
    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override;
    QString Value(TExtStringGrid& Grid) override;
    void Hide() override;
    bool Wide() const override { return true; }
    bool TakesStartCharacter() const override { return false; }
    TESGUniComboBox* Combo() const { return combo_; }

private:
    QPointer<TESGUniComboBox> combo_;
};

// edButton: a push button over the cell and its grid lines; a click or Space passes its caption
// to the grid's ellipsis event and shows the answer. It writes nothing back.
class TButtonCellEditor : public TCellEditor {
public:
    explicit TButtonCellEditor(TExtStringGrid& Grid);
    ~TButtonCellEditor() override;
    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override;
    QString Value(TExtStringGrid&) override { return QString(); }
    void Hide() override;
    bool TakesStartCharacter() const override { return false; }
    bool WritesBack() const override { return false; }
    QPushButton* Button() const { return button_; }

private:
    QPointer<QPushButton> button_;
};

// edCheckBox: a check box over the cell, captioned with the cell's text, ticked when the cell
// holds its check-true text; the cell gets the check-true or check-false text (only once the
// user changed the box).
class TCheckCellEditor : public TCellEditor {
public:
    explicit TCheckCellEditor(TExtStringGrid& Grid);
    ~TCheckCellEditor() override;
    QWidget* Show(TExtStringGrid& Grid, const TEditorPlace& Place) override;
    QString Value(TExtStringGrid& Grid) override;
    void Hide() override;
    bool TakesStartCharacter() const override { return false; }
    QCheckBox* CheckBox() const { return check_; }

private:
    QPointer<QCheckBox> check_;
    QString trueText_;
    QString falseText_;
};
