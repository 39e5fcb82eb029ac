#include "core/fmxutils.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QUrl>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/dialogs.h"

namespace {

constexpr qint64 kCopyBlock = 8192;

[[noreturn]] void openError(const QString& source)
{
    throw EFOpenError(QStringLiteral("Datei %1 kann nicht geöffnet werden").arg(source));
}

[[noreturn]] void createError(const QString& dest)
{
    throw EFCreateError(QStringLiteral("Datei %1 kann nicht erstellt werden").arg(dest));
}

// A destination naming an existing folder gets the source's name inside it; the Windows
// version's callers end folders with "\", so that counts as a separator too.
QString destinationFile(const QString& source, const QString& dest)
{
    QString folder = dest;
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    if (QFileInfo(folder).isDir())
        return QDir(folder).filePath(QFileInfo(source).fileName());
    return dest;
}

bool defaultStart(const TShellStart& s)
{
    if (s.Program)
        return QProcess::startDetached(s.FileName, QProcess::splitCommand(s.Params), s.Folder);
    const QUrl url = QFileInfo(s.FileName).isAbsolute() ? QUrl::fromLocalFile(s.FileName) : QUrl(s.FileName);
    return QDesktopServices::openUrl(url);
}

TShellStarter& starter()
{
    static TShellStarter s;
    return s;
}

// "http://...", "mailto:..." and the like; a Windows drive letter ("C:") is no scheme.
bool isUrl(const QString& name)
{
    const QUrl url(name);
    return url.isValid() && url.scheme().size() > 1 && !QFileInfo(name).isAbsolute();
}

}  // namespace

void CopyFile(const QString& source, const QString& dest)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        openError(source);
    const QString target = destinationFile(source, dest);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        createError(target);
    QByteArray buffer(kCopyBlock, Qt::Uninitialized);
    qint64 n = 0;
    do {
        n = in.read(buffer.data(), kCopyBlock);
        if (n < 0)
            openError(source);  // QSaveFile discards the temporary file on the way out
        if (n > 0 && out.write(buffer.constData(), n) != n)
            createError(target);
    } while (n == kCopyBlock);
    if (!out.commit())
        createError(target);
}

bool HasAttr(const QString& fileName, uint16_t attr)
{
    const QFileInfo fi(fileName);
    if (!fi.exists())
        return false;
    uint16_t attrs = 0;
    if (!(fi.permissions() & QFile::WriteOwner))
        attrs |= faReadOnly;
    if (fi.fileName().startsWith(QLatin1Char('.')))
        attrs |= faHidden;
    if (fi.isDir())
        attrs |= faDirectory;
    else if (fi.isFile())
        attrs |= faArchive;
    else
        attrs |= faSysFile;
    return (attrs & attr) == attr;
}

void SetShellStarter(TShellStarter s)
{
    starter() = std::move(s);
}

intptr_t ExecuteFile(const QString& fileName, const QString& params, const QString& folder, int showMode)
{
    TShellStart request{fileName, params, folder, showMode, false};
    if (!isUrl(fileName)) {
        QFileInfo fi(fileName);
        if (fi.isRelative() && !folder.isEmpty() && QFileInfo(QDir(folder), fileName).exists())
            fi = QFileInfo(QDir(folder), fileName);
        if (!fi.exists()) {
            // The desktop's shell reports a missing document itself; ours says which one.
            MessageDlg(QCoreApplication::translate("Shell", "Die Datei \"%1\" wurde nicht gefunden.")
                           .arg(QDir::toNativeSeparators(fi.absoluteFilePath())),
                       mtError, {mbOK});
            return SE_ERR_FNF;
        }
        request.FileName = fi.absoluteFilePath();
        request.Program = fi.isFile() && fi.isExecutable();
    }
    const bool started = starter() ? starter()(request) : defaultStart(request);
    return started ? kShellSuccess : SE_ERR_NOASSOC;
}
