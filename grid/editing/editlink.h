#pragma once
// The custom editor link, and the two special editors beside the wrappers: the rich edit of
// rich-text cells and the cell editor that drives a link.
//
// TEditLink: an application derives from it to edit edCustom cells with any control of its own,
// either inside the cell (esInplace) or on a borderless popup (esPopup). The grid calls, when a
// cell starts editing: CreateEditor, SetRect, SetVisible(true), SetCellProps, SetProperties,
// OnGetEditorProp, SetEditorValue (the cell's edit text), SetFocus(true); the key that opened the
// editor goes to GetEditControl. When editing ends the grid writes GetEditorValue into the cell
// (only a value the user changed), calls SetVisible(false) (esInplace) and hides the control;
// a popup is hidden and DestroyEditor runs. The link watches its control's keys (an event filter
// it installs in SetFocus and removes on hiding) and hands those it does not want to EditKeyDown.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include "grid/display/basegrid.h"
#include "platform/rtl/graphics.h"

class QFont;
class TExtStringGrid;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public QObject {
    Q_OBJECT
public:
    explicit TEditLink(QObject* Owner = nullptr);
    ~TEditLink() override;

    // The grid being edited (set by the grid before each use).
    TExtStringGrid* Grid = nullptr;
    // A set flag keeps those keys in the control instead of ending editing.
    bool WantKeyLeftRight = false;
    bool WantKeyUpDown = false;
    bool WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false;
    bool WantKeyReturn = false;
    bool WantKeyEscape = false;
    TEditStyle EditStyle = esInplace;
    int PopupWidth = 0;
    int PopupHeight = 0;
    int Tag = 0;
    // The popup takes the width of the cell (over its merged span).
    bool AutoPopupWidth = false;
    // Screen position of the popup; -1 places it at the cell's top-left corner.
    int PopupLeft = -1;
    int PopupTop = -1;
    // The popup of esPopup links, made on first use (a frameless popup window: it hides when
    // the user clicks elsewhere, which ends editing).
    QWidget* PopupForm();
    // The cell being edited (real column, row).
    TGridCoord EditCell() const { return editCell_; }

    // The key handler of the control's keys: Tab, Enter, Escape, Page Up/Down, Home, End and
    // the arrows end editing unless a want flag keeps them (Key 0 once handled); Escape ends it
    // without writing; a refused value keeps the editor open.
    virtual void EditKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    virtual QWidget* GetEditControl() { return nullptr; }
    virtual void CreateEditor(QWidget* /*AParent*/) {}
    virtual void DestroyEditor() {}
    // True: the control is shown and enabled, its keys watched, and it takes the focus; False:
    // the grid takes it.
    virtual void SetFocus(bool Value);
    // Places the control at R less the grid line on its right and bottom.
    virtual void SetRect(const QRect& R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor /*AColor*/, const QFont& /*AFont*/) {}
    virtual QString GetEditorValue() { return QString(); }
    virtual void SetEditorValue(const QString& /*Value*/) {}

    // Ends editing as a commit does (the value written when changed); a popup is hidden and
    // DestroyEditor runs.
    void HideEditLink();

    // The grid's steps (the link's editor, celleditors of edCustom).
    void BeginEdit(TExtStringGrid& AGrid, int RealCol, int ARow);
    // Stops watching the control and hides it; hides the popup (DestroyEditor).
    void EndEdit();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void popupHidden();
    bool isGridKey(int Key) const;

    TGridCoord editCell_{-1, -1};
    QPointer<QWidget> popup_;
    QPointer<QWidget> watched_;
    bool refocusing_ = false;
    bool ending_ = false;
};

// Registers the rich-text and the custom editor (run by the editing half's start-up).
void RegisterSpecialCellEditors();
