#pragma once
// Message boxes, input boxes and the standard file, folder and colour dialogs. Every one of them
// is a modal step that tests answer through platform/vcl/testhooks.h; each message box shown is
// recorded there for the test to inspect.
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>

#include "platform/rtl/graphics.h"
#include "platform/vcl/forms.h"

class QWidget;
class TDataSet;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };

// A set of buttons, as the runtime's set type: TMsgDlgButtons{mbYes, mbNo}.
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons)
    {
        for (TMsgDlgBtn b : buttons)
            bits_ |= 1u << b;
    }
    constexpr bool Contains(TMsgDlgBtn b) const { return bits_ & (1u << b); }
    constexpr TMsgDlgButtons& operator<<(TMsgDlgBtn b)
    {
        bits_ |= 1u << b;
        return *this;
    }
    constexpr bool operator==(const TMsgDlgButtons&) const = default;
    constexpr bool Empty() const { return bits_ == 0; }

private:
    unsigned bits_ = 0;
};

inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// The caption of a button in the interface language ("Ja", "Nein", "Abbrechen", ...).
QString MsgDlgButtonCaption(TMsgDlgBtn b);
// The modal result a button gives (mbYes -> mrYes, ...; mbHelp gives mrNone).
TModalResult MsgDlgButtonResult(TMsgDlgBtn b);

// The runtime's message box: icon by type, the buttons in the runtime's order, the application
// title as window title. Returns the modal result of the button pressed.
TModalResult MessageDlg(const QString& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
// The text a message box shows: a line feed with a carriage return (either order) or a lone
// carriage return is one line break, as the runtime's box shows it.
QString MessageDlgDisplayText(const QString& msg);
// A box with the message and an OK button.
void ShowMessage(const QString& msg);
// Runs an operation whose failure the user is told of: true when it ran through; false when it
// raised, EAbort silently and any other error with its message in an error box.
bool TryShowingError(const std::function<void()>& operation);
// Asks a question with Yes, No and Cancel before a dataset's pending record is left (a window
// closing, a page switch): Yes posts it; No leaves it as it is; Cancel and a post that fails
// (reported as TryShowingError does) answer false, so that the caller stays where it is.
bool PostAfterAsking(TDataSet& dataSet, const QString& question);
// Input box: true and the entered text on OK; false (value unchanged) on cancel.
bool InputQuery(const QString& caption, const QString& prompt, QString& value);
// Input box that returns the default text on cancel.
QString InputBox(const QString& caption, const QString& prompt, const QString& defaultText);

// Installs the exception presenter that shows exceptions reaching the event loop as the
// runtime's error box (the message, an OK button) through MessageDlg. The start-up calls it;
// the test main does it when it switches the scripted answers on.
void InstallExceptionPresenter();

// The runtime's file dialog filter "Text (*.txt)|*.txt|Alle (*.*)|*.*" as Qt's name filters.
QStringList FilterToNameFilters(const QString& filter);

enum TOpenOption {
    ofReadOnly = 1 << 0,
    ofOverwritePrompt = 1 << 1,
    ofHideReadOnly = 1 << 2,
    ofNoChangeDir = 1 << 3,
    ofAllowMultiSelect = 1 << 4,
    ofPathMustExist = 1 << 5,
    ofFileMustExist = 1 << 6,
};

// Open and save dialogs with the runtime's properties. Execute() returns true when the user
// chose a file; FileName() then holds it (the default extension added when it has none).
class TOpenDialog {
public:
    TOpenDialog() = default;
    virtual ~TOpenDialog() = default;

    QString FileName() const { return fileName_; }
    void SetFileName(const QString& v) { fileName_ = v; }
    QStringList Files() const { return files_; }
    QString Filter() const { return filter_; }
    void SetFilter(const QString& v) { filter_ = v; }
    int FilterIndex() const { return filterIndex_; }  // 1-based, as the runtime
    void SetFilterIndex(int v) { filterIndex_ = v; }
    QString InitialDir() const { return initialDir_; }
    void SetInitialDir(const QString& v) { initialDir_ = v; }
    QString Title() const { return title_; }
    void SetTitle(const QString& v) { title_ = v; }
    QString DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const QString& v) { defaultExt_ = v; }
    int Options() const { return options_; }
    void SetOptions(int v) { options_ = v; }

    virtual bool Execute(QWidget* parent = nullptr);

protected:
    virtual bool isSave() const { return false; }
    QString withDefaultExt(const QString& fn) const;

    QString fileName_;
    QStringList files_;
    QString filter_;
    int filterIndex_ = 1;
    QString initialDir_;
    QString title_;
    QString defaultExt_;
    int options_ = ofHideReadOnly;
};

class TSaveDialog : public TOpenDialog {
protected:
    bool isSave() const override { return true; }
};

// The colour dialog: Execute() returns true when the user chose a colour, then in Color().
class TColorDialog {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor c) { color_ = c; }
    bool Execute(QWidget* parent = nullptr);

private:
    TColor color_ = 0;
};

// Folder dialog: true and the chosen folder in directory; false when cancelled.
bool SelectDirectory(const QString& caption, const QString& root, QString& directory);
