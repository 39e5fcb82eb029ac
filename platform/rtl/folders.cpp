#include "platform/rtl/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString fromEnvironment(const char* name)
{
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? QString() : QString::fromLocal8Bit(v);
}

QString ensured(const QString& dir)
{
    QDir().mkpath(dir);
    return dir;
}

}  // namespace

QString ProgramDir()
{
    const QString env = fromEnvironment(kProgramDirVariable);
    if (!env.isEmpty())
        return env;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString UserDataDir()
{
    QString dir = fromEnvironment(kDataDirVariable);
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dir.isEmpty())
        dir = QDir::home().filePath(QStringLiteral(".local/share/orvalo5"));
    return ensured(dir);
}

QString ConfigDir()
{
    QString dir = fromEnvironment(kConfigDirVariable);
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (dir.isEmpty())
        dir = QDir::home().filePath(QStringLiteral(".config/orvalo5"));
    return ensured(dir);
}

QString ProgramFile(const QString& relative)
{
    return QDir(ProgramDir()).filePath(relative);
}

QString UserDataFile(const QString& relative)
{
    const QString fn = QDir(UserDataDir()).filePath(relative);
    QDir().mkpath(QFileInfo(fn).path());
    return fn;
}
