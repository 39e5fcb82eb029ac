#include "platform/rtl/application.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <utility>

#include "platform/rtl/sysutils.h"

namespace {

QString& applicationTitleText()
{
    static QString title;
    return title;
}

}  // namespace

QString ApplicationTitle()
{
    const QString& t = applicationTitleText();
    return t.isEmpty() ? QCoreApplication::applicationName() : t;
}

void SetApplicationTitle(const QString& title)
{
    applicationTitleText() = title;
}

namespace {

ExceptionPresenter& presenter()
{
    static ExceptionPresenter p;
    return p;
}

}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        HandleException(std::current_exception());
    }
    return false;
}

ExceptionPresenter SetExceptionPresenter(ExceptionPresenter p)
{
    return std::exchange(presenter(), std::move(p));
}

void HandleException(std::exception_ptr e)
{
    QString message;
    try {
        std::rethrow_exception(e);
    } catch (const EAbort&) {
        return;
    } catch (const Exception& ex) {
        message = ex.Message();
    } catch (const std::exception& ex) {
        message = QString::fromUtf8(ex.what());
    } catch (...) {
        message = QCoreApplication::translate("Application", "Unbekannter Fehler");
    }
    if (presenter())
        presenter()(message);
    else
        QMessageBox::critical(nullptr, ApplicationTitle(), message);
}
