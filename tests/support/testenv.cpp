#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>

#include "platform/rtl/folders.h"

TestEnvironment::TestEnvironment()
{
    QDir root(dir_.path());
    for (const char* sub : {"config", "data", "program"})
        root.mkpath(QString::fromLatin1(sub));
    qputenv(kConfigDirVariable, root.filePath("config").toUtf8());
    qputenv(kDataDirVariable, root.filePath("data").toUtf8());
    qputenv(kProgramDirVariable, root.filePath("program").toUtf8());
}

TestEnvironment::~TestEnvironment()
{
    qunsetenv(kConfigDirVariable);
    qunsetenv(kDataDirVariable);
    qunsetenv(kProgramDirVariable);
}

DesktopLocaleScope::DesktopLocaleScope(const char* all, const char* time, const char* numeric, const char* lang)
{
    const std::pair<const char*, const char*> vars[] = {
        {"LC_ALL", all}, {"LC_TIME", time}, {"LC_NUMERIC", numeric}, {"LANG", lang}};
    for (const auto& [name, value] : vars) {
        saved_.push_back({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        if (*value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
}

DesktopLocaleScope::~DesktopLocaleScope()
{
    for (const Saved& s : saved_) {
        if (s.set)
            qputenv(s.name, s.value);
        else
            qunsetenv(s.name);
    }
}

TempFolder::TempFolder() = default;

QString TempFolder::file(const QString& name) const
{
    return QDir(dir_.path()).filePath(name);
}

QString TempFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString fn = file(name);
    QFile f(fn);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return fn;
}

QString SourceFile(const QString& relative)
{
    return QDir(QStringLiteral(ORV_SOURCE_DIR)).filePath(relative);
}
