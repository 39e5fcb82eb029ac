#include "traininglog/mywayhandover.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "core/fmxutils.h"
#include "core/language.h"
#include "core/messageids.h"
#include "exchange/mywaybusy.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/registry.h"
#include "traininglog/mywayroute.h"

namespace {

QString key()
{
    return QString::fromLatin1(kMyWayKey);
}

QString tr(const char* text)
{
    return QCoreApplication::translate("MyWayHandOver", text);
}

// Waits until the planner answers with a route id or the user gives up; the id, -1 when none.
int waitForRoute(const QPointer<Tmywaybusydlg>& busy, const QPointer<QWidget>& manager)
{
    auto waiting = [&] { return busy && busy->isVisible() && (!manager || manager->isVisible()); };
    int id = MyWayAnsweredRouteId();
    if (id >= 0 || !waiting())
        return id;
    QEventLoop loop;
    QTimer timer;
    timer.setInterval(kMyWayPollMs);
    std::exception_ptr failure;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (!waiting()) {
            loop.quit();
            return;
        }
        try {
            id = MyWayAnsweredRouteId();
        } catch (...) {
            failure = std::current_exception();
            loop.quit();
            return;
        }
        if (id >= 0)
            loop.quit();
    });
    // "Abbrechen" ends the wait at once.
    QObject::connect(busy->Button1, &QPushButton::clicked, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QObject::connect(busy.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
    if (manager)
        QObject::connect(manager.data(), &QObject::destroyed, &loop, &QEventLoop::quit);
    timer.start();
    loop.exec();
    if (failure)
        std::rethrow_exception(failure);
    return id;
}

}  // namespace

int MyWayAnsweredRouteId()
{
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly(key()))
        throw ERegistryException(tr("Der Schlüssel %1 des Routenplaners fehlt.").arg(key()));
    return StrToInt(reg.ReadString(QStringLiteral("StreckenID")));
}

void RunMyWayHandOver(const QString& params, QWidget* manager)
{
    QPointer<QWidget> owner(manager);
    QPointer<Tmywaybusydlg> busy = new Tmywaybusydlg(manager);
    mywaybusydlg = busy;
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    try {
        busy->Show();
        QString folder;
        if (reg.OpenKey(key(), false))
            folder = reg.ReadString(QStringLiteral("DIZPath"));
        reg.WriteString(QStringLiteral("StreckenID"), QStringLiteral("-1"));
        const QString planner = QDir(folder).filePath(QStringLiteral("myway.exe"));
        if (folder.isEmpty() || !QFileInfo(planner).isFile())
            throw EFOpenError(tr("Der Routenplaner %1 wurde nicht gefunden.").arg(planner));
        if (ExecuteFile(QStringLiteral("myway.exe"), params, folder, SW_SHOWNORMAL) <= 32)
            throw EFOpenError(tr("Der Routenplaner %1 konnte nicht gestartet werden.").arg(planner));
        const int id = waitForRoute(busy, owner);
        if (id >= 0) {
            // The wait window goes before the marker choice comes.
            if (busy)
                busy->hide();
            importMyWayRoute(id, folder, owner);
        }
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        MessageDlg(LoadStr(msg::RouteImportFailed) + QStringLiteral("\n") + ExceptionMessage(e), mtError,
                   TMsgDlgButtons{mbOK});
    }
    reg.CloseKey();
    if (mywaybusydlg == busy.data())
        mywaybusydlg = nullptr;
    delete busy.data();
}
