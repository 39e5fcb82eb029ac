// The wrappers' glue between the editor controls and the grid (see editorwrappers.h).
#include "grid/editing/editorwrappers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QPointer>

#include "grid/display/extgrid.h"
#include "grid/editing/editorlineedit.h"

namespace {

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isTab(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

class TEditorKeys : public QObject {
public:
    TEditorKeys(TExtStringGrid& Grid, QWidget* Control, TWrapperStyle Style)
        : QObject(Control), grid_(&Grid), control_(Control), style_(Style)
    {
        Control->installEventFilter(this);
        if (auto* combo = qobject_cast<QComboBox*>(Control))
            combo->view()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
            return false;
        if (!grid_ || !control_ || !grid_->EditorShown() || !control_->isVisible())
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        const Action a = actionFor(o, k);
        if (a == Pass)
            return false;
        if (e->type() == QEvent::ShortcutOverride) {
            // The key is the editor's: no short-cut of the window takes it.
            e->accept();
            return true;
        }
        act(o, a, k->key(), k->modifiers());
        return true;
    }

private:
    enum Action { Pass, Navigate, Cancel, Step };

    bool comboDropped(QObject* o) const
    {
        auto* combo = qobject_cast<QComboBox*>(control_.data());
        return combo && (o == combo->view() || combo->view()->isVisible());
    }

    Action actionFor(QObject* o, const QKeyEvent* k) const
    {
        const int key = k->key();
        const Qt::KeyboardModifiers mods = k->modifiers();
        if ((style_ == TWrapperStyle::EditBtn || style_ == TWrapperStyle::UnitEdit) && (mods & Qt::ControlModifier))
            return Pass;
        if (style_ == TWrapperStyle::DatePicker) {
            auto* picker = qobject_cast<QDateTimeEdit*>(control_.data());
            if (picker && picker->calendarPopup() && picker->calendarWidget() && picker->calendarWidget()->isVisible())
                return Pass;
        }
        if (key == Qt::Key_Escape)
            return Cancel;
        if (isTab(key) && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
            // Without goTabs the key goes on to the window and the focus leaves the grid.
            if (style_ == TWrapperStyle::CheckBox || style_ == TWrapperStyle::Button)
                return Pass;
            return (grid_->Options() & goTabs) ? Navigate : Pass;
        }
        switch (style_) {
        case TWrapperStyle::Spin:
            if (isEnter(key) || key == Qt::Key_Up || key == Qt::Key_Down)
                return Navigate;
            if (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End) {
                auto* spin = dynamic_cast<TGridSpin*>(control_.data());
                return spin && (spin->SpinType() == sptNormal || spin->SpinType() == sptFloat) ? Step : Pass;
            }
            return Pass;
        case TWrapperStyle::UniEdit:
            return isEnter(key) || key == Qt::Key_Up || key == Qt::Key_Down ? Navigate : Pass;
        case TWrapperStyle::EditBtn:
        case TWrapperStyle::UnitEdit:
            return isEnter(key) || key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up ||
                           key == Qt::Key_Down
                       ? Navigate
                       : Pass;
        case TWrapperStyle::Combo: {
            if ((mods & Qt::AltModifier) && (key == Qt::Key_Down || key == Qt::Key_Up))
                return Pass;  // opens or closes the list
            if (isEnter(key))
                return Navigate;
            auto* combo = qobject_cast<QComboBox*>(control_.data());
            const bool listStyle = combo && !combo->isEditable();
            if (listStyle || comboDropped(o))
                return key == Qt::Key_Left || key == Qt::Key_Right ? Navigate : Pass;
            return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Up ||
                           key == Qt::Key_Down
                       ? Navigate
                       : Pass;
        }
        case TWrapperStyle::DatePicker:
            return isEnter(key) || key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End ? Navigate
                                                                                                            : Pass;
        case TWrapperStyle::CheckBox:
            return isEnter(key) || key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End ||
                           isArrow(key)
                       ? Navigate
                       : Pass;
        case TWrapperStyle::Button:
            return isArrow(key) ? Navigate : Pass;
        case TWrapperStyle::RichEdit:
            return Pass;  // Up and Down after the caret moved (the rich edit's own handling)
        }
        return Pass;
    }

    void act(QObject* o, Action a, int key, Qt::KeyboardModifiers mods)
    {
        const QPointer<TExtStringGrid> grid(grid_);
        if (auto* combo = qobject_cast<QComboBox*>(control_.data()); combo && comboDropped(o)) {
            // A dropped list takes its highlighted item before it closes, unless editing is cancelled.
            if (a == Navigate && o == combo->view() && combo->view()->currentIndex().isValid())
                combo->setCurrentIndex(combo->view()->currentIndex().row());
            combo->hidePopup();
        }
        switch (a) {
        case Cancel:
            grid->CancelInplaceEditor();
            break;
        case Step:
            if (auto* spin = dynamic_cast<TGridSpin*>(control_.data()))
                spin->StepKey(key);
            break;
        case Navigate: {
            if (style_ == TWrapperStyle::EditBtn || style_ == TWrapperStyle::UnitEdit) {
                // The edit's own key event first; a handler that swallows the key keeps it.
                auto* edit = qobject_cast<TEditorLineEdit*>(control_.data());
                if (edit && edit->OnKeyDown) {
                    int k = key;
                    edit->OnKeyDown(edit, k, mods);
                    if (k == 0 || !grid)
                        return;
                }
            }
            grid->EditorKeyNavigate(key, mods);
            break;
        }
        case Pass:
            break;
        }
    }

    QPointer<TExtStringGrid> grid_;
    QPointer<QWidget> control_;
    TWrapperStyle style_;
};

}  // namespace

void InstallEditorKeys(TExtStringGrid& Grid, QWidget* Control, TWrapperStyle Style)
{
    if (Control)
        new TEditorKeys(Grid, Control, Style);
}

// --- the grid's spin -----------------------------------------------------------------------------------

TGridSpin::TGridSpin(QWidget* Parent, TExtStringGrid* Grid) : TEsgSpinEdit(Parent), grid_(Grid)
{
    SetMinValue(0);
    SetMaxValue(100);
    SetIncrement(1);
}

void TGridSpin::UpClick(QObject* Sender)
{
    TEsgSpinEdit::UpClick(Sender);
    FireSpinClick(true);
}

void TGridSpin::DownClick(QObject* Sender)
{
    TEsgSpinEdit::DownClick(Sender);
    FireSpinClick(false);
}

bool TGridSpin::StepKey(int Key)
{
    const bool up = Key == Qt::Key_PageUp || Key == Qt::Key_Home;
    if (SpinType() == sptFloat) {
        const double v = FloatValue();
        const double inc = IncrementFloat();
        // Equal limits mean no limit.
        const bool limited = MinFloatValue() != MaxFloatValue();
        switch (Key) {
        case Qt::Key_PageUp:
            if (!limited || v + inc <= MaxFloatValue())
                SetFloatValue(v + inc);
            break;
        case Qt::Key_PageDown:
            if (!limited || v - inc >= MinFloatValue())
                SetFloatValue(v - inc);
            break;
        case Qt::Key_Home: SetFloatValue(MaxFloatValue()); break;
        case Qt::Key_End: SetFloatValue(MinFloatValue()); break;
        default: return false;
        }
    } else {
        const int v = Value();
        const int inc = Increment();
        const bool limited = MinValue() != MaxValue();
        switch (Key) {
        case Qt::Key_PageUp:
            if (!limited || qint64(v) + inc <= MaxValue())
                SetValue(v + inc);
            break;
        case Qt::Key_PageDown:
            if (!limited || qint64(v) - inc >= MinValue())
                SetValue(v - inc);
            break;
        case Qt::Key_Home: SetValue(MaxValue()); break;
        case Qt::Key_End: SetValue(MinValue()); break;
        default: return false;
        }
    }
    FireSpinClick(up);
    return true;
}

void TGridSpin::FireSpinClick(bool Up)
{
    if (!grid_)
        return;
    const int col = grid_->RealColIndex(grid_->Col());
    const int row = grid_->Row();
    switch (SpinType()) {
    case sptFloat:
        if (grid_->OnFloatSpinClick)
            grid_->OnFloatSpinClick(grid_, col, row, FloatValue(), Up);
        break;
    case sptDate:
        if (grid_->OnDateSpinClick)
            grid_->OnDateSpinClick(grid_, col, row, DateValue(), Up);
        break;
    case sptTime:
        if (grid_->OnTimeSpinClick)
            grid_->OnTimeSpinClick(grid_, col, row, TimeValue(), Up);
        break;
    default:
        if (grid_->OnSpinClick)
            grid_->OnSpinClick(grid_, col, row, Value(), Up);
        break;
    }
}

// --- the list's drop-down width ---------------------------------------------------------------------------

int FitComboDropWidth(const QStringList& Items, int ComboWidth, int DropDownCount,
                      const std::function<int(const QString&)>& TextWidth)
{
    int w = ComboWidth;
    const bool scrolling = Items.size() > DropDownCount;
    for (const QString& item : Items) {
        const int t = TextWidth(item);
        if (scrolling && t > w - 25)
            w = t + 25;
        else if (!scrolling && t > w - 5)
            w = t + 8;
    }
    return w;
}

// --- the transparent edit ------------------------------------------------------------------------------------

TGridTransEdit::TGridTransEdit(TExtStringGrid* Grid, QWidget* Parent) : QLineEdit(Parent), grid_(Grid)
{
    setFrame(false);
    setVisible(false);
}

void TGridTransEdit::keyPressEvent(QKeyEvent* e)
{
    if (isEnter(e->key())) {
        e->accept();  // dropped
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TGridTransEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (!grid_ || exiting_ || !isVisible())
        return;
    // A popup of the edit's own (its context menu) is no leaving.
    if (e->reason() == Qt::PopupFocusReason)
        return;
    exiting_ = true;
    const QPointer<TExtStringGrid> grid(grid_);
    const int realCol = grid_->RealColIndex(Col);
    QString value = text();
    bool valid = true;
    if (value != grid_->GetCellText(realCol, Row) && grid_->OnCellValidate)
        grid_->OnCellValidate(grid_, realCol, Row, value, valid);
    if (!grid) {
        return;
    }
    if (!valid) {
        // The cell becomes current and the edit takes the focus again.
        grid_->FocusCell(Col, Row, true);
        setFocus(Qt::OtherFocusReason);
        exiting_ = false;
        return;
    }
    // The value first, so that a handler of OnEditingDone reads what the cell holds.
    if (value != grid_->GetCellText(realCol, Row))
        grid_->SetCellText(realCol, Row, value);
    setVisible(false);
    grid_->DoEditingDone();
    exiting_ = false;
}
