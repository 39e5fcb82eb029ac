#pragma once
// Records the messages of exceptions that reach the error box while it lives, and puts the
// previous presenter back afterwards (also when a test ends early).
#include <QStringList>

#include "platform/rtl/application.h"

class ErrorBoxRecorder {
public:
    ErrorBoxRecorder() : previous_(SetExceptionPresenter([this](const QString& m) { shown << m; })) {}
    ~ErrorBoxRecorder() { SetExceptionPresenter(previous_); }
    ErrorBoxRecorder(const ErrorBoxRecorder&) = delete;
    ErrorBoxRecorder& operator=(const ErrorBoxRecorder&) = delete;

    QStringList shown;

private:
    ExceptionPresenter previous_;
};
