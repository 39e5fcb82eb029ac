#pragma once
// TExtRichEdit: the grid's rich-text control, a text edit that loads and saves the rich text of a
// cell ("{\rtf1 ..."). It reads with the grid's rich-text reader and writes an edited document
// with its writer; a document the user has not changed saves as the very text it was loaded
// from, so a rich cell that is opened and left keeps its text byte for byte. A text that is no
// rich text loads as plain text. The size its content asks for is kept in ReqWidth and
// ReqHeight and reported through OnRequestResize whenever the content's size changes.
#include <QString>
#include <QTextEdit>

#include <functional>

class TExtStringGrid;

class TExtRichEdit : public QTextEdit {
public:
    explicit TExtRichEdit(QWidget* Parent = nullptr);

    // The grid the control serves (set by the grid; may stay null).
    TExtStringGrid* Grid = nullptr;

    // Loads a text as rich text (see above); an empty text clears the control.
    void LoadRichText(const QString& Text);
    // The rich text of the control: the loaded text while nothing changed, else the document
    // written as rich text; an empty text for an empty document.
    QString SaveRichText() const;
    // Whether the content changed since it was loaded (typing, formatting, clearing).
    bool ContentChanged() const;

    // The size last asked for by the content (its document's size, frame included).
    int ReqWidth() const { return reqWidth_; }
    int ReqHeight() const { return reqHeight_; }
    // While set, the owner does not act on size requests (set while the editor is being filled).
    bool ResizeSuppressed = false;
    std::function<void(TExtRichEdit* Sender, int Width, int Height)> OnRequestResize;
    // The key handling after the control's own (the grid's editor hands keys back from here).
    std::function<void(TExtRichEdit* Sender, QKeyEvent* Event)> OnKeyDownAfter;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void documentSizeChanged();
    QString loaded_;
    bool loading_ = false;
    bool changed_ = false;
    int reqWidth_ = 0;
    int reqHeight_ = 0;
};
