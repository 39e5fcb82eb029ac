#pragma once
// The edit and the list that edit the form controls embedded in HTML cells (EDIT, PASSWORD and
// MASK controls in the edit, COMBO controls in the list), one of each per grid. Enter ends the
// edit and gives the grid the focus; Tab ends it and opens the cell's next form control (with
// Navigation.AdvanceAuto it moves on to the next cell instead); leaving the editor ends it too.
// Ending writes the editor's text as the control's VALUE (CellControlEditDone).
#include "grid/editing/esgcombo.h"
#include "platform/vcl/maskedit.h"

class TExtStringGrid;
struct TCellControlEdit;

class TControlEdit : public TMaskEdit {
public:
    explicit TControlEdit(TExtStringGrid* Grid);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TExtStringGrid* grid_;
};

class TControlCombo : public TESGComboBox {
public:
    explicit TControlCombo(TExtStringGrid* Grid);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TExtStringGrid* grid_;
};

// The editing half's steps behind the grid's form-control editing.
bool ShowGridControlEditor(TExtStringGrid& Grid, const TCellControlEdit& Edit);
bool EndGridControlEditor(TExtStringGrid& Grid, QString& Text);
