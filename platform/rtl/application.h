#pragma once
// The application object: routes every exception that leaves an event handler to the standard
// error box instead of std::terminate. EAbort is swallowed silently, as the runtime does.
#include <QApplication>

#include <exception>
#include <functional>

class Exception;

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The program's title (the runtime's Application.Title) for captions and message boxes; the
// executable's name until set. Kept apart from the toolkit's display name, which the desktop
// would append to every window title.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

// Shows an exception that reached the event loop: the message and an OK button. The UI layer
// replaces the presenter with its own message box (which tests script); the default uses a
// plain critical box.
using ExceptionPresenter = std::function<void(const QString& message)>;
// Returns the presenter it replaces, so a test can put it back.
ExceptionPresenter SetExceptionPresenter(ExceptionPresenter presenter);
// Hands the exception to the presenter; EAbort is ignored. Call it from a catch block.
void HandleException(std::exception_ptr e);
