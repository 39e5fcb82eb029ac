// Editor hosting: for each cell whether and with which editor it is edited, the special editor
// placed over the (merged) cell with the key that opened it as its first input, the one
// write-back path by editor kind, and the grid's SelectCell (the changing events, the editing
// option per cell, the validation of an open editor before the current cell moves).
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <functional>

#include "grid/display/extgrid.h"
#include "grid/display/extutil.h"
#include "grid/display/footerpanels.h"
#include "grid/editing/celleditors.h"

namespace {

// Counts a hosting step that runs, so that a refused value opens its editor again only once the
// outermost step is done.
class HostStep {
public:
    explicit HostStep(int& depth) : depth_(depth) { ++depth_; }
    ~HostStep() { --depth_; }
    HostStep(const HostStep&) = delete;
    HostStep& operator=(const HostStep&) = delete;

private:
    int& depth_;
};

// Watches the special editor that has the focus: when the focus goes to another control (not to
// the editor's own popup, a menu or another window), editing ends.
class TEditorFocusWatch : public QObject {
public:
    explicit TEditorFocusWatch(QObject* grid) : QObject(grid) {}
    void Watch(QWidget* control, std::function<void()> lost)
    {
        if (watched_)
            watched_->removeEventFilter(this);
        watched_ = control;
        lost_ = std::move(lost);
        if (control)
            control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == watched_ && e->type() == QEvent::FocusOut && lost_) {
            const auto reason = static_cast<QFocusEvent*>(e)->reason();
            QWidget* now = QApplication::focusWidget();
            const bool inside = now && (now == watched_ || watched_->isAncestorOf(now));
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !inside)
                lost_();
        }
        return QObject::eventFilter(o, e);
    }

private:
    QPointer<QWidget> watched_;
    std::function<void()> lost_;
};

}  // namespace

void TExtStringGrid::watchEditorFocus(QWidget* Control)
{
    TEditorFocusWatch* watch = nullptr;
    for (QObject* child : children())
        if ((watch = dynamic_cast<TEditorFocusWatch*>(child)))
            break;
    if (!watch) {
        if (!Control)
            return;
        watch = new TEditorFocusWatch(this);
    }
    const int session = editSession_;
    // Ended after the focus change, and only when that editor is still the open one.
    watch->Watch(Control, [this, session] {
        QTimer::singleShot(0, this, [this, session] {
            if (session == editSession_ && editorShown_ && !IsTextEditorKind(currentEditor_))
                HideInplaceEditor();
        });
    });
}

bool TExtStringGrid::hostCanEditShow(bool RuntimeAnswer)
{
    bool answer = RuntimeAnswer;
    if (!answer)
        return false;
    // A click works the cell's control (check box, radio, button): no editor.
    if (!editorShown_ && HasActiveControl(Col(), Row()))
        return false;
    if (!editorShown_) {
        savedText_ = CurrentCellRawText();
        const TGridCoord b = BaseCell(Col(), Row());
        TEditorType kind = DefaultEditor;
        DoGetEditorType(b.X, b.Y, kind);
        currentEditor_ = kind;
        if (kind == edNone)
            return false;
        editorShown_ = true;
        BeginEditValue(b.X, b.Y);
        if (!IsTextEditorKind(kind)) {
            ShowInplaceEditor(b.X, b.Y);
            editingStarted_ = editorShown_;
            return false;  // the runtime grid shows no edit of its own
        }
    }
    editingStarted_ = true;
    return answer;
}

void TExtStringGrid::ShowInplaceEditor(int ACol, int ARow)
{
    editingStarted_ = true;
    editingDonePending_ = true;
    QRect r = MergedCellRect(ACol, ARow);
    if (layoutDirection() == Qt::RightToLeft)
        r.setLeft(r.left() + 1);
    activeEditor_ = nullptr;
    TCellEditor* editor = GridCellEditor(*this, currentEditor_);
    if (!editor || !editor->Available(*this) || r.isEmpty()) {
        // Nothing can edit the cell: it is not edited.
        editorShown_ = false;
        editingDonePending_ = false;
        startChar_ = QChar();
        return;
    }
    // The editor takes the cell's background as painted.
    TGridBrush brush;
    brush.Color = FromQColor(Color());
    if (const TCellProperties* p = FindCellProperties(ACol, ARow); p && p->BrushColor() != clNone)
        brush.Color = p->BrushColor();
    TFont font;
    DoGetCellColor(ACol, ARow, TGridDrawState(gdFocused), brush, font);

    TEditorPlace place;
    place.Kind = currentEditor_;
    place.Col = ACol;
    place.Row = ARow;
    place.RealCol = RealColIndex(ACol);
    place.Cell = r;
    place.Bounds = EditorBounds(currentEditor_, r, XYOffsetX, XYOffsetY);
    place.Color = brush.Color;
    place.EditText = GetEditText(ACol, ARow);
    const TGridCoord b = BaseCell(place.RealCol, ARow);
    place.CellText = GetRawCell(b.X, b.Y);
    editorShown_ = true;
    QWidget* control = editor->Show(*this, place);
    shownValue_ = editor->WritesBack() ? editor->Value(*this) : QString();
    activeEditor_ = control;
    ++editSession_;
    watchEditorFocus(control);
    // The key that opened the editor is its first input.
    if (!startChar_.isNull() && control && editor->TakesStartCharacter()) {
        QWidget* target = control->focusProxy() ? control->focusProxy() : control;
        // The key replaces the text, as typing over a cell does.
        if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
            combo->lineEdit()->selectAll();
        else if (auto* edit = qobject_cast<QLineEdit*>(target))
            edit->selectAll();
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, QString(startChar_)));
    }
    startChar_ = QChar();
}

void TExtStringGrid::EditorToCell(int ACol, int ARow)
{
    HostStep step(hostDepth_);
    editingStarted_ = false;
    writingBack_ = true;
    startChar_ = QChar();
    TCellEditor* editor = IsTextEditorKind(currentEditor_) ? nullptr : GridCellEditor(*this, currentEditor_);
    if (editor && editorShown_) {
        editorShown_ = false;
        const bool writes = editor->WritesBack();
        const QString value = writes ? editor->Value(*this) : QString();
        // Hidden first, so that a refused value can open the editor again.
        editor->Hide();
        activeEditor_ = nullptr;
        watchEditorFocus(nullptr);
        // Only a value the user changed goes into the cell.
        if (writes && value != shownValue_) {
            if (editCol_ != ACol || editRow_ != ARow)
                BeginEditValue(ACol, ARow);
            commitValue(value, editor->Wide());
        }
    }
    if (currentEditor_ != edNormal && editingDonePending_) {
        editingDonePending_ = false;
        DoEditingDone();
    }
    writingBack_ = false;
    editingDonePending_ = false;
}

void TExtStringGrid::RestoreEditText()
{
    const int realCol = RealColIndex(Col());
    SetCellText(realCol, Row(), savedText_);
    // Written once more, so that the cell's change handling runs again.
    const QString text = GetCellText(realCol, Row());
    SetCellText(realCol, Row(), text);
}

void TExtStringGrid::CancelInplaceEditor()
{
    if (!editorShown_ || IsTextEditorKind(currentEditor_))
        return;
    HostStep step(hostDepth_);
    editorShown_ = false;
    editingStarted_ = false;
    editingDonePending_ = false;
    startChar_ = QChar();
    activeEditor_ = nullptr;
    watchEditorFocus(nullptr);
    HideSpecialEditor(*this);
    setFocus(Qt::OtherFocusReason);
}

void TExtStringGrid::hostHideInplaceEditor()
{
    {
        HostStep step(hostDepth_);
        if (editorShown_) {
            if (EditorMode())
                HideEditor();  // the inplace edit's text goes through SetEditText
            EditorToCell(Col(), Row());
            editorShown_ = false;
            ++hostDepth_;
            SelectCell(Col(), Row());
            --hostDepth_;
        } else if (EditorMode()) {
            HideEditor();
        }
    }
    if (reopenPending_ && hostDepth_ == 0)
        reopenRejected();
}

void TExtStringGrid::hostEditorHidden()
{
    // The inplace edit was hidden: a text kind's editing ends with it.
    if (IsTextEditorKind(currentEditor_))
        editorShown_ = false;
    if (reopenPending_ && hostDepth_ == 0)
        reopenRejected();
}

void TExtStringGrid::hostEditText(int ACol, int ARow, const QString& Value)
{
    if (editCol_ != ACol || editRow_ != ARow)
        BeginEditValue(ACol, ARow);
    commitValue(Value, false);
}

bool TExtStringGrid::hostSelectCell(int ACol, int ARow)
{
    if (selectingBack_)
        return TBaseGrid::SelectCell(ACol, ARow);
    bool result = false;
    {
        HostStep step(hostDepth_);
        result = selectCellSteps(ACol, ARow);
    }
    if (reopenPending_ && hostDepth_ == 0)
        reopenRejected();
    return result;
}

bool TExtStringGrid::selectCellSteps(int ACol, int ARow)
{
    bool allow = true;
    // A cell under the floating footer comes out from under it.
    if (FloatingFooter.Visible()) {
        if (FloatingFooter.FooterStyle() == fsFixedLastRow && ARow == RowCount() - 1)
            return false;
        const int limit = FloatingFooter.FooterStyle() == fsFixedLastRow ? RowCount() - 1 : RowCount();
        const QWidget* panel = FooterPanel();
        const QRect cell = CellRect(std::max(ACol, 0), std::max(ARow, 0));
        if (panel && panel->isVisible() && !cell.isEmpty() && ARow < limit && ARow >= TopRow()) {
            const int footerTop = viewport()->mapFromGlobal(panel->mapToGlobal(QPoint(0, 0))).y();
            if (cell.bottom() + 1 > footerTop + 2)
                SetTopRow(TopRow() + 1);
        }
    }
    if (ACol < 0 || ARow < 0)
        return false;
    if (ARow != Row() && OnRowChanging)
        OnRowChanging(this, Row(), ARow, allow);
    if (ACol != Col() && OnColChanging)
        OnColChanging(this, Col(), ACol, allow);
    if ((ARow != Row() || ACol != Col()) && !cellChangingSuppressed_ && OnCellChanging)
        OnCellChanging(this, Row(), Col(), ARow, ACol, allow);
    if (ACol == 0 && HasNodes() && !(Options() & goRowSelect))
        return false;
    if (!allow)
        return false;

    const TGridRect oldSelection = Selection();
    const int oldCol = Col();
    const int oldRow = Row();
    auto targetText = [&] {
        const TGridCoord b = BaseCell(RealColIndex(ACol), ARow);
        return GetRawCell(b.X, b.Y);
    };
    QString text = targetText();
    const bool editorFocused = InplaceEditor() && InplaceEditor()->hasFocus();
    const bool editorOpen = editorShown_ || EditorMode();
    const int rejectionsBefore = rejections_;
    auto rejected = [&] { return rejections_ != rejectionsBefore; };

    // The editing option follows the cell: taken away where the cell may not be edited, given
    // back where it may.
    // The option comes back only where it was taken away here: a grid that is not edited (whose
    // column items may still call their cells editable) never becomes editable by a move.
    if (!HasActiveControl(ACol, ARow)) {
        bool canEdit = (Options() & goEditing) || editingSwitchedOff_;
        DoCanEditCell(ACol, ARow, canEdit);
        const bool restore = editingSwitchedOff_;
        if (canEdit) {
            editingSwitchedOff_ = false;
            if (!(Options() & goEditing) && restore) {
                editingSwitchedOn_ = true;
                SetOptions(Options() | goEditing);
            }
            if (editorOpen && (ACol != oldCol || ARow != oldRow)) {
                HideInplaceEditor();
                text = targetText();
            }
        } else {
            if (editorOpen && (ACol != oldCol || ARow != oldRow)) {
                HideInplaceEditor();
                text = targetText();
            }
            if (Options() & goEditing) {
                editingSwitchedOff_ = true;
                editingSwitchedOn_ = true;
                SetOptions(Options() & ~TGridOptions(goEditing));
            }
        }
    } else {
        // A click works the control whatever the editing option is.
        bool canEdit = true;
        DoCanEditCell(ACol, ARow, canEdit);
        const bool restore = editingSwitchedOff_;
        editingSwitchedOff_ = false;
        if (restore && !(Options() & goEditing) && !(Options() & goRowSelect) && canEdit) {
            editingSwitchedOn_ = true;
            SetOptions(Options() | goEditing);
        }
    }

    // An editor that was open and lost the focus has its value validated before the move.
    bool result;
    if (editorOpen && !editorFocused && !rejected()) {
        const QString current = CurrentCellRawText();
        const bool valid = IsUnicodeCellText(current) ? CommitEditValueWide(CellWideText(current))
                                                     : CommitEditValue(current);
        result = valid && TBaseGrid::SelectCell(ACol, ARow);
    } else {
        result = !rejected() && TBaseGrid::SelectCell(ACol, ARow);
    }
    if (rejected())
        result = false;

    if (TCustomGrid::FixedCols() > 0 && !RowIndicator().isNull()) {
        RepaintCell(0, oldRow);
        RepaintCell(0, ARow);
    }
    if (ActiveCellShow()) {
        RepaintFixedHeaders(oldCol, oldCol, oldRow, oldRow);
        RepaintFixedHeaders(ACol, ACol, ARow, ARow);
        if (oldSelection.Left != oldCol || oldSelection.Top != oldRow)
            RepaintFixedHeaders(oldSelection.Left, oldSelection.Left, oldSelection.Top, oldSelection.Top);
    }
    if (ActiveRowShow()) {
        RepaintRow(ARow);
        RepaintRow(oldRow);
    }
    if (SelectionRectangle())
        RepaintRect(Selection());
    // Only a row that becomes current is reported.
    if (result && !IsLoading() && ARow != lastReportedRow_ && OnRowUpdate && UpdateCount() == 0) {
        const int previous = lastReportedRow_;
        lastReportedRow_ = ARow;
        OnRowUpdate(this, previous, ARow);
    }
    if (result)
        savedText_ = text;
    return result;
}
