#pragma once
// Test hooks for every modal step of the UI layer: message boxes, input boxes, file, folder and
// colour dialogs, and ShowModal of forms. A test scripts the next answers before it presses the
// button that opens the step; nothing ever waits for a user.
//
//   ScriptedAnswers::pushMessageAnswer(mrYes);            // next message box: "Ja"
//   ScriptedAnswers::pushInputAnswer(true, "4200");       // next input box: OK with "4200"
//   ScriptedAnswers::pushInputAnswer(false);              // next input box: Abbrechen
//   ScriptedAnswers::pushFileName("/tmp/x.orv");          // next open/save dialog: that file
//   ScriptedAnswers::pushFileName("");                    // next open/save dialog: cancelled
//   ScriptedAnswers::pushFolder("/tmp"); pushColor(0x0000FF); pushColorCancel();
//   ScriptedAnswers::onShowModal<TUmgebungsoptionen>([](TUmgebungsoptionen& f) {
//       f.findChild<QLineEdit*>("Edit1")->setText("x");
//       f.findChild<QPushButton*>("OKBtn")->click();      // closes the form with its result
//   });
//   ScriptedAnswers::onShowModal("TDatenSelect", callback); // by class name or objectName
//
// Each answer (and each onShowModal callback) is used once, in the order pushed. Every message box
// is recorded (type, text, buttons, answer) in messages() whether or not it was scripted.
//
// While the scripted answers are active (the test main switches them on for every test program
// that links this layer), a modal step with no matching answer reports a failure through the
// handler (the test fails at once, with the box's text) and returns a cancel-like result instead of
// blocking: mrCancel, false, no file. A form whose callback leaves it open also fails the test.
// Call ScriptedAnswers::clear() in a fixture's SetUp/TearDown; unusedAnswers() lists what a test
// scripted but never used.
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

struct RecordedMessage {
    TMsgDlgType Type = mtCustom;
    QString Text;
    TMsgDlgButtons Buttons;
    TModalResult Answer = mrNone;
};

// A file dialog that was shown: what it asked for.
struct RecordedFileDialog {
    bool Save = false;
    QString Title;
    QString Filter;
    QString InitialDir;
};

class ScriptedAnswers {
public:
    using FailureHandler = std::function<void(const QString& message)>;

    // Switches scripting on; onUnanswered is called for every unscripted modal step. Also installs
    // the exception presenter (dialogs.h), so errors reaching the event loop become recorded boxes.
    static void activate(FailureHandler onUnanswered);
    static void deactivate();
    static bool active();

    static void pushMessageAnswer(TModalResult answer);
    static void pushInputAnswer(bool ok, const QString& text = QString());
    // An empty name cancels the dialog.
    static void pushFileName(const QString& fileName);
    static void pushFileNames(const QStringList& fileNames);
    static void pushFolder(const QString& folder);  // empty: cancelled
    static void pushColor(TColor color);
    static void pushColorCancel();

    // Plays the user of the next ShowModal of a form of class F (the callback presses a button).
    template <class F>
    static void onShowModal(std::function<void(F&)> callback)
    {
        onShowModal(QString::fromLatin1(F::staticMetaObject.className()),
                    [callback](TForm& f) { callback(static_cast<F&>(f)); });
    }
    // The same by class name or objectName.
    static void onShowModal(const QString& classOrObjectName, std::function<void(TForm&)> callback);

    // Message boxes shown since the last clear(), oldest first.
    static const QList<RecordedMessage>& messages();
    static RecordedMessage lastMessage();  // empty record when none was shown
    static const QList<RecordedFileDialog>& fileDialogs();
    // Descriptions of answers and callbacks scripted but not used yet.
    static QStringList unusedAnswers();
    // Forgets scripted answers and recorded boxes.
    static void clear();

    // The layer's side: each returns the scripted answer, or nothing when scripting is off.
    // When scripting is on but no answer fits, the failure is reported and a cancel is returned.
    static std::optional<TModalResult> takeMessageAnswer(const RecordedMessage& box);
    static void recordMessage(const RecordedMessage& box);
    static std::optional<std::pair<bool, QString>> takeInputAnswer(const QString& caption, const QString& prompt);
    static std::optional<QStringList> takeFileNames(const RecordedFileDialog& dialog);  // empty: cancel
    static std::optional<QString> takeFolder(const QString& caption);  // empty: cancel
    static std::optional<std::optional<TColor>> takeColor();          // inner nothing: cancel
    // Runs the scripted callback for a modal form: true when one ran, false when none was
    // scripted (failure reported), nothing when scripting is off.
    static std::optional<bool> playShowModal(TForm& form);

    static void reportFailure(const QString& message);
};

// Switches the scripted answers on for a whole test program; the test main calls it.
void ActivateScriptedDialogs(void (*onUnanswered)(const QString& message));
