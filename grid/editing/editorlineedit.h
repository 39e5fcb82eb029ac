#pragma once
// The one-line edit the grid's edits with a button and its wide edit are made of: the runtime
// edit's events, AutoSelect, and EditorEnabled, which, when off, leaves the text to the control's
// own buttons and keys: typing, Backspace and Delete, cutting, pasting, dropping and what an input
// method commits are all refused.
#include <QLineEdit>

#include <functional>

enum TEditBorderStyle { bsNone, bsSingle };

class TEditorLineEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
public:
    explicit TEditorLineEdit(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& value) { setText(value); }
    // The text is selected whole when the focus comes in (not while the left button is down).
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }

    // OnKeyDown first (Key 0 swallows the key), then the control's own keys, then for a typed
    // character OnKeyPress with the character itself, a character beyond U+FFFF as its two halves
    // one after the other (#0 for either swallows it).
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
    std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyUp;
    // The text changed (typed or set).
    std::function<void(QObject* Sender)> OnChange;
    std::function<void(QObject* Sender)> OnClick;
    std::function<void(QObject* Sender)> OnDblClick;
    std::function<void(QObject* Sender)> OnEnter;
    std::function<void(QObject* Sender)> OnExit;

protected:
    // False: only the control's own buttons and keys change the text.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool value) { editorEnabled_ = value; }
    bool CanCutOrPaste() const { return editorEnabled_ && !isReadOnly(); }
    // Keys the control takes before OnKeyDown sees them: true when it handled the key; it may
    // also change Key (0 swallows it).
    virtual bool PreviewKey(QKeyEvent* event, int& Key);
    // The control's own keys, after OnKeyDown; setting Key 0 swallows the key.
    virtual void KeyDown(int& Key, Qt::KeyboardModifiers Shift);
    // A key that would change the text and is refused (base: every editing key while the editor
    // is disabled).
    virtual bool RefusesEditKey(const QKeyEvent* event) const;
    // One typed character (one or two UTF-16 units, as typed or committed by an input method):
    // true when it is to be typed, as OnKeyPress left it. Base: refused while the editor is
    // disabled, else OnKeyPress.
    virtual bool AcceptTyped(QString& typed, Qt::KeyboardModifiers Shift);
    // Runs OnKeyPress for each unit of `typed`; false when it swallowed one.
    bool KeyPressAccepts(QString& typed);
    // Whether the text is selected when the focus comes in (base: AutoSelect, unless the left
    // button is down).
    virtual bool SelectsAllOnEnter() const;

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool editorEnabled_ = true;
    bool autoSelect_ = true;
};

// The edit's standard context menu, the entries that change the text disabled unless it is editable.
void PopupEditMenu(QLineEdit* edit, const QPoint& globalPos, bool editable);
