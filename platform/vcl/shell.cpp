#include "platform/vcl/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "platform/rtl/folders.h"
#include "platform/vcl/dialogs.h"

namespace {

HelpOpener& opener()
{
    static HelpOpener o;
    return o;
}

QString& helpFile()
{
    static QString f;
    return f;
}

void helpMissing(const char* text, const QString& path)
{
    MessageDlg(QCoreApplication::translate("Shell", text).arg(QDir::toNativeSeparators(path)), mtError, {mbOK});
}

}  // namespace

void SetHelpOpener(HelpOpener o)
{
    opener() = std::move(o);
}

void SetHelpFile(const QString& fileName)
{
    helpFile() = fileName;
}

QString HelpFile()
{
    return helpFile();
}

QString HelpTopicAddress(const QString& file, const QString& topic)
{
    return QStringLiteral("%1::/%2.htm").arg(file, topic);
}

bool OpenHelpAddress(const QString& address)
{
    const int sep = address.indexOf(QLatin1String("::/"));
    const QString file = sep < 0 ? address : address.left(sep);
    const QString page = sep < 0 ? QString() : address.mid(sep + 3);
    const QFileInfo fi(file);
    QString folder = fi.absoluteFilePath();
    if (fi.suffix().compare(QLatin1String("chm"), Qt::CaseInsensitive) == 0)
        folder = fi.absoluteDir().filePath(fi.completeBaseName());
    if (!QFileInfo(folder).isDir()) {
        // The help is a folder of HTML pages: the message names the folder that is missing.
        helpMissing(QT_TRANSLATE_NOOP("Shell", "Der Hilfeordner \"%1\" mit den Hilfeseiten wurde nicht gefunden."), folder);
        return false;
    }
    const QString target = QDir(folder).filePath(page);
    if (page.isEmpty() || !QFileInfo(target).isFile()) {
        helpMissing(QT_TRANSLATE_NOOP("Shell", "Die Hilfeseite \"%1\" wurde nicht gefunden."), target);
        return false;
    }
    if (opener())
        return opener()(target);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(target));
}

bool ShowHelpTopic(const QString& topic)
{
    return OpenHelpAddress(HelpTopicAddress(HelpFile(), topic));
}

QString OutsideProgram(const QString& name)
{
    const QString fn = ProgramFile(name);
    if (QFileInfo(fn).isFile())
        return fn;
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
        const QString bare = ProgramFile(name.left(name.size() - 4));
        if (QFileInfo(bare).isFile())
            return bare;
    }
    return QString();
}

bool OutsideProgramExists(const QString& name)
{
    return !OutsideProgram(name).isEmpty();
}
