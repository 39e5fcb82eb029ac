#pragma once
// The grid's own inplace edit for the text kinds (edNormal, edNumeric, edPositiveNumeric,
// edFloat, edCapital, edMixedCase, edPassword, edLowerCase, edUpperCase): it filters typed and
// pasted text by the current cell's editor kind, keeps the grid's edit limit, and completes
// typed text from the grid's lookup list.
#include "grid/display/cellgraphic.h"
#include "platform/vcl/grids.h"

class TExtStringGrid;

class TExtInplaceEdit : public TInplaceEdit {
    Q_OBJECT
public:
    explicit TExtInplaceEdit(TExtStringGrid* grid);
    // The most characters the edit accepts; 0 = no limit. Taken from the grid's edit limit each
    // time the edit is loaded.
    int LengthLimit() const { return lengthLimit_; }
    void SetLengthLimit(int value);
    void UpdateContents() override;
    // Types one character as a key press does, through the kind's filter (Keypad: the key came
    // from the numeric keypad).
    void TypeChar(QChar ch) override;
    void TypeKey(QChar ch, bool Keypad);
    // Pastes the text as the clipboard's paste does: through OnClipboardBeforePasteCell, the
    // length limit, OnClipboardPaste and the kind's rule; a refused paste changes nothing.
    void PasteText(const QString& Text);
    // The clipboard's copy and cut, through OnClipboardCopy and OnClipboardCut.
    void CopyToClipboard();
    void CutToClipboard();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    TEditorType kind() const;
    // Whether the kind lets the character in (changing it for the case kinds); beeps where a
    // refused character beeps.
    bool acceptChar(QChar& ch, bool keypad);
    void lookupComplete();
    TExtStringGrid* grid_;
    int lengthLimit_ = 0;
    bool autoComplete_ = false;
    bool loading_ = false;
};
