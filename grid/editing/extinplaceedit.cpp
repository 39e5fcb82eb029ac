// The grid's own inplace edit for the text kinds: typed characters filtered by the cell's editor
// kind, the edit limit as a full int, the clipboard through the grid's events, and lookup
// completion from the grid's list.
#include "grid/editing/extinplaceedit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <climits>

#include "grid/display/extgrid.h"
#include "grid/display/extutil.h"
#include "grid/display/gridbeep.h"
#include "platform/rtl/sysutils.h"

TExtInplaceEdit::TExtInplaceEdit(TExtStringGrid* grid) : TInplaceEdit(grid), grid_(grid)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString& value) {
        if (!loading_ && grid_->OnEditChange)
            grid_->OnEditChange(grid_, grid_->Col(), grid_->Row(), value);
    });
}

TEditorType TExtInplaceEdit::kind() const
{
    return grid_->CurrentEditor();
}

void TExtInplaceEdit::SetLengthLimit(int value)
{
    lengthLimit_ = value > 0 ? value : 0;
    // Without a limit the edit must hold a cell's text whole, however long it is.
    if (inputMask().isEmpty())
        setMaxLength(lengthLimit_ > 0 ? lengthLimit_ : INT_MAX);
}

void TExtInplaceEdit::UpdateContents()
{
    const int limit = GridEditLimit();
    lengthLimit_ = limit > 0 ? limit : 0;
    // Loading the cell's text is no change by the user.
    loading_ = true;
    TInplaceEdit::UpdateContents();
    loading_ = false;
    SetLengthLimit(lengthLimit_);
    setEchoMode(kind() == edPassword ? QLineEdit::Password : QLineEdit::Normal);
    autoComplete_ = false;
}

bool TExtInplaceEdit::acceptChar(QChar& ch, bool keypad)
{
    const TFormatSettings& fs = FormatSettings();
    if (keypad && grid_->ExcelStyleDecimalSeparator && ch == QLatin1Char('.'))
        ch = fs.DecimalSeparator;
    // What stays of the text once the selection is typed over, and where the character lands.
    const int at = hasSelectedText() ? selectionStart() : cursorPosition();
    const QString selected = selectedText();
    QString rest = text();
    if (hasSelectedText())
        rest.remove(selectionStart(), selected.size());
    const QChar minus = QLatin1Char('-');
    const bool digit = ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
    switch (kind()) {
    case edNormal:
    case edPassword:
        return true;
    case edNumeric:
        if (ch == minus) {
            if (rest.contains(minus) || at != 0) {
                GridBeep();
                return false;
            }
            return true;
        }
        if (!digit)
            GridBeep();
        return digit;
    case edPositiveNumeric:
        if (!digit)
            GridBeep();
        return digit;
    case edFloat:
        if (ch == fs.ThousandSeparator && ch != fs.DecimalSeparator)
            return false;
        if (ch == fs.DecimalSeparator)
            return !rest.contains(fs.DecimalSeparator);
        if (ch == minus) {
            if (rest.contains(minus) || at != 0) {
                GridBeep();
                return false;
            }
            return true;
        }
        return digit;
    case edCapital:
    case edUpperCase:
        ch = ch.toUpper();
        return true;
    case edLowerCase:
        ch = ch.toLower();
        return true;
    case edMixedCase:
        return true;
    default:
        return false;
    }
}

void TExtInplaceEdit::TypeKey(QChar ch, bool Keypad)
{
    if (lengthLimit_ > 0 && text().size() >= lengthLimit_ && !hasSelectedText())
        return;
    if (!acceptChar(ch, Keypad))
        return;
    if (kind() == edMixedCase) {
        const int at = hasSelectedText() ? selectionStart() : cursorPosition();
        insert(QString(ch));
        setText(MixedCaseName(text()));
        setCursorPosition(at + 1);
    } else {
        insert(QString(ch));
    }
    setModified(true);
}

void TExtInplaceEdit::TypeChar(QChar ch)
{
    autoComplete_ = true;
    TypeKey(ch, false);
    lookupComplete();
}

void TExtInplaceEdit::PasteText(const QString& Text)
{
    QString pasted = Text;
    bool allow = true;
    if (grid_->OnClipboardBeforePasteCell)
        grid_->OnClipboardBeforePasteCell(this, grid_->Col(), grid_->Row(), pasted, allow);
    if (!allow || (lengthLimit_ > 0 && pasted.size() > lengthLimit_))
        return;
    const bool replacing = hasSelectedText();
    const int at = replacing ? selectionStart() : cursorPosition();
    QString merged = text();
    if (replacing)
        merged.remove(at, selectedText().size());
    merged.insert(at, pasted);
    if (lengthLimit_ > 0 && merged.size() > lengthLimit_)
        return;
    if (grid_->OnClipboardPaste)
        grid_->OnClipboardPaste(this, allow);
    if (!allow)
        return;
    switch (kind()) {
    case edNumeric:
        if (IsNumberText(merged) != ntInteger)
            return;
        break;
    case edPositiveNumeric:
        // Only what typing could give: digits, no sign.
        if (IsNumberText(merged) != ntInteger || merged.contains(QLatin1Char('-')))
            return;
        break;
    case edFloat:
        if (IsNumberText(merged) == ntNoNumber)
            return;
        break;
    case edMixedCase:
        merged = MixedCaseName(merged);
        break;
    case edLowerCase:
        merged = merged.toLower();
        break;
    case edUpperCase:
        merged = merged.toUpper();
        break;
    default:
        break;
    }
    setText(merged);
    if (replacing)
        setSelection(at, int(pasted.size()));
    else
        setCursorPosition(at + int(pasted.size()));
    setModified(true);
}

void TExtInplaceEdit::CopyToClipboard()
{
    bool allow = true;
    if (grid_->OnClipboardCopy)
        grid_->OnClipboardCopy(this, allow);
    if (allow)
        copy();
}

void TExtInplaceEdit::CutToClipboard()
{
    bool allow = true;
    if (grid_->OnClipboardCut)
        grid_->OnClipboardCut(this, allow);
    if (allow && hasSelectedText()) {
        cut();
        setModified(true);
    }
}

void TExtInplaceEdit::lookupComplete()
{
    if (!autoComplete_ || hasSelectedText() || !grid_->Lookup || grid_->LookupItems.Count() == 0)
        return;
    // Completes only at the end of the text, so that typing inside it never drops what follows.
    const int at = cursorPosition();
    if (at == 0 || at != text().size())
        return;
    const Qt::CaseSensitivity cs = grid_->LookupCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QString typed = text();
    for (int i = 0; i < grid_->LookupItems.Count(); ++i) {
        const QString& entry = grid_->LookupItems.Strings(i);
        if (!entry.startsWith(typed, cs))
            continue;
        if (entry.size() > typed.size()) {
            setText(typed + entry.mid(typed.size()));
            setSelection(int(entry.size()), int(typed.size() - entry.size()));
            setModified(true);
        }
        return;
    }
}

void TExtInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    autoComplete_ = e->key() != Qt::Key_Backspace && e->key() != Qt::Key_Delete;
    if (e->matches(QKeySequence::Paste)) {
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        if (mime && mime->hasText())
            PasteText(QApplication::clipboard()->text());
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::Cut)) {
        CutToClipboard();
        e->accept();
        return;
    }
    const QString t = e->text();
    if (inputMask().isEmpty() && t.size() == 1 && t.at(0).isPrint() &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        TypeKey(t.at(0), e->modifiers() & Qt::KeypadModifier);
        e->accept();
        return;
    }
    TInplaceEdit::keyPressEvent(e);
}

void TExtInplaceEdit::keyReleaseEvent(QKeyEvent* e)
{
    TInplaceEdit::keyReleaseEvent(e);
    if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)
        return;
    lookupComplete();
}

void TExtInplaceEdit::focusOutEvent(QFocusEvent* e)
{
    if (grid_->LookupHistory && !text().isEmpty()) {
        bool known = false;
        for (int i = 0; i < grid_->LookupItems.Count() && !known; ++i)
            known = grid_->LookupItems.Strings(i) == text();
        if (!known)
            grid_->LookupItems.Add(text());
    }
    TInplaceEdit::focusOutEvent(e);
}

void TExtInplaceEdit::contextMenuEvent(QContextMenuEvent* e)
{
    // The menu's clipboard entries go the same way as the keys.
    QMenu* menu = createStandardContextMenu();
    for (QAction* a : menu->actions()) {
        const QString name = a->objectName();
        if (name == QLatin1String("edit-paste") || name == QLatin1String("edit-copy") || name == QLatin1String("edit-cut")) {
            a->disconnect();
            if (name == QLatin1String("edit-paste"))
                connect(a, &QAction::triggered, this, [this] { PasteText(QApplication::clipboard()->text()); });
            else if (name == QLatin1String("edit-copy"))
                connect(a, &QAction::triggered, this, [this] { CopyToClipboard(); });
            else
                connect(a, &QAction::triggered, this, [this] { CutToClipboard(); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}
