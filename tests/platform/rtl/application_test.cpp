// Exceptions that leave an event handler reach the error box; EAbort stays silent.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/rtl/application.h"
#include "platform/rtl/sysutils.h"

namespace {

class ThrowingObject : public QObject {
public:
    std::function<void()> action;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User) {
            action();
            return true;
        }
        return QObject::event(e);
    }
};

struct PresenterRecorder {
    QStringList shown;
    ExceptionPresenter previous;
    PresenterRecorder()
    {
        previous = SetExceptionPresenter([this](const QString& m) { shown << m; });
    }
    ~PresenterRecorder() { SetExceptionPresenter(previous); }
};

}  // namespace

TEST(ApplicationErrors, ExceptionInHandlerShowsErrorBoxAndLoopGoesOn)
{
    // The test main runs a TApplication, so events go through its notify as in the program.
    struct Cases {
        std::function<void()> action;
        QStringList expected;
    } cases[] = {
        {[] { throw Exception(QStringLiteral("Fehler beim Öffnen der Datenbank. ")); },
         {QStringLiteral("Fehler beim Öffnen der Datenbank. ")}},
        {[] { throw EConvertError(QStringLiteral("'12a' ist kein gültiger Integerwert")); },
         {QStringLiteral("'12a' ist kein gültiger Integerwert")}},
        {[] { Abort(); }, {}},
        {[] { throw std::runtime_error("kaputt"); }, {QStringLiteral("kaputt")}},
    };
    for (auto& c : cases) {
        PresenterRecorder rec;
        ThrowingObject obj;
        obj.action = c.action;
        QEvent ev(QEvent::User);
        EXPECT_NO_THROW(QApplication::sendEvent(&obj, &ev));
        EXPECT_EQ(rec.shown, c.expected);
    }
}

TEST(ApplicationErrors, AbortIsSilentException)
{
    try {
        Abort();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_NE(dynamic_cast<const EAbort*>(&e), nullptr);
    }
}
