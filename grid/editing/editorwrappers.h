#pragma once
// The glue that makes the free-standing editor controls behave as cell editors: the keys that
// end editing (by wrapper, as in the table below), Escape that ends it without writing anything,
// Tab that moves between the cells while the grid has goTabs, the spin's step keys and the
// events of its steps, the drop-down width fitted to a list's items, and the transparent edit
// that writes its text into a given cell when it is left.
//
// Ending keys, besides Escape (everywhere) and Tab (with goTabs, where the table names it):
//   spin                Tab, Enter, Up, Down (Page Up/Down, Home and End step the value)
//   wide edits          Tab, Enter, Up, Down
//   edit with button    Tab, Enter, Page Up, Page Down, Up, Down; none while Ctrl is held
//   unit edit           as the edit with button
//   editable list       Tab, Enter, Page Up, Page Down, End, Up, Down; Alt+Down opens the list
//   list, or dropped    Tab, Enter, Left, Right
//   date/time picker    Tab, Enter, Page Up, Page Down, End; none while its calendar is open
//   check box           Enter, Page Up, Page Down, End and the arrows
//   push button         the arrows
//   rich edit           Tab; Up and Down after the caret moved, when the grid neither wraps nor
//                       has several lines in a cell
// An ending key ends editing as the grid's hand-over does (the value validated and written when
// the user changed it, then Tab and the arrows move, Enter advances); a refused value keeps the
// editor open on its cell and the key goes no further.
#include <QLineEdit>
#include <QStringList>

#include <functional>

#include "grid/editing/esgspin.h"

class QWidget;
class TExtStringGrid;

enum class TWrapperStyle { Spin, UniEdit, EditBtn, UnitEdit, Combo, DatePicker, CheckBox, Button, RichEdit };

// Installs the wrapper's key rules on an editor control (a list's drop-down too).
void InstallEditorKeys(TExtStringGrid& Grid, QWidget* Control, TWrapperStyle Style);

// The grid's spin: MinValue 0, MaxValue 100, Increment 1; each step of its buttons fires the
// grid's event of its spin type with the current cell, the new value and the direction.
class TGridSpin : public TEsgSpinEdit {
public:
    explicit TGridSpin(QWidget* Parent, TExtStringGrid* Grid);
    void UpClick(QObject* Sender) override;
    void DownClick(QObject* Sender) override;
    // Page Up, Page Down, Home and End: the value by one increment within the limits, the
    // maximum, the minimum; then the event. False for any other key.
    bool StepKey(int Key);
    void FireSpinClick(bool Up);

private:
    TExtStringGrid* grid_;
};

// The drop-down width that fits the items (each measured by TextWidth) to a list of the given
// width: a list that scrolls (more items than DropDownCount) keeps 25 pixels beside its widest
// item, one that does not 8.
int FitComboDropWidth(const QStringList& Items, int ComboWidth, int DropDownCount,
                      const std::function<int(const QString&)>& TextWidth);

// A borderless edit that writes its text into the cell (Col, Row) when it is left: the value is
// validated (OnCellValidate) first; refused, the edit keeps the focus and the cell its text;
// accepted, the value is written, then OnEditingDone fires and the edit hides. Enter is dropped.
class TGridTransEdit : public QLineEdit {
public:
    explicit TGridTransEdit(TExtStringGrid* Grid, QWidget* Parent = nullptr);
    TExtStringGrid* Grid() const { return grid_; }
    int Row = 0;
    int Col = 0;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TExtStringGrid* grid_;
    bool exiting_ = false;
};
