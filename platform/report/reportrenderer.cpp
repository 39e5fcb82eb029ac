#include "platform/report/reportrenderer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#include "platform/rtl/sysutils.h"

namespace {

std::vector<TReportRenderer*>& registry()
{
    static std::vector<TReportRenderer*> r;
    return r;
}

QStringList Patterns(const QString& fileExtension)
{
    QStringList l;
    for (const QString& p : fileExtension.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        l << p.trimmed();
    return l;
}

}  // namespace

TReportRenderer::TReportRenderer(const QString& displayName, const QString& fileExtension)
    : displayName_(displayName), fileExtension_(fileExtension)
{
    registry().push_back(this);
}

TReportRenderer::~TReportRenderer()
{
    auto& r = registry();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
}

QString TReportRenderer::DefaultExtension() const
{
    const QStringList p = Patterns(fileExtension_);
    if (p.isEmpty())
        return QString();
    QString ext = p.first();
    if (ext.startsWith(QLatin1Char('*')))
        ext.remove(0, 1);
    return ext;
}

QString TReportRenderer::FilterEntry() const
{
    return displayName_ + QLatin1Char('|') + fileExtension_;
}

bool TReportRenderer::Accepts(const QString& fileName) const
{
    for (QString p : Patterns(fileExtension_)) {
        if (p.startsWith(QLatin1Char('*')))
            p.remove(0, 1);
        if (!p.isEmpty() && fileName.endsWith(p, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void TReportRenderer::Render(const TPreparedReport& report, const QString& fileName)
{
    WriteFileSafely(fileName, [&](QIODevice& out) { write(report, out); });
}

void WriteFileSafely(const QString& fileName, const std::function<void(QIODevice& out)>& write)
{
    const auto fail = [&](const QString& reason) {
        return Exception(QCoreApplication::translate("TReportRenderer", "Die Datei \"%1\" kann nicht geschrieben werden: %2")
                             .arg(QDir::toNativeSeparators(fileName), reason));
    };
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw fail(file.errorString());
    try {
        write(file);
    } catch (const Exception& e) {
        file.cancelWriting();
        throw fail(e.Message());
    }
    if (!file.commit())
        throw fail(file.errorString());
}

const std::vector<TReportRenderer*>& RegisteredRenderers()
{
    return registry();
}

QString RendererFilter()
{
    QStringList l;
    for (const TReportRenderer* r : registry())
        l << r->FilterEntry();
    return l.join(QLatin1Char('|'));
}

TReportRenderer* RendererForFile(const QString& fileName)
{
    for (TReportRenderer* r : registry())
        if (r->Accepts(fileName))
            return r;
    return nullptr;
}

QString FileNameWithExtension(const QString& fileName, const TReportRenderer* renderer)
{
    return renderer ? FileNameWithExtension(fileName, renderer->DefaultExtension()) : fileName;
}

QString FileNameWithExtension(const QString& fileName, const QString& extension)
{
    if (fileName.trimmed().isEmpty() || extension.isEmpty())
        return fileName;
    // Only the last part of the path counts; a leading dot (a hidden file) is no suffix.
    const int slash = std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const QString base = fileName.mid(slash + 1);
    const int dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && dot < base.size() - 1)
        return fileName;
    QString ext = extension.startsWith(QLatin1Char('.')) ? extension : QLatin1Char('.') + extension;
    if (dot > 0 && dot == base.size() - 1)  // "liste." : the dot is there, the suffix is not
        return fileName + ext.mid(1);
    return fileName + ext;
}
