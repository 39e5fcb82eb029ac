#include "analysis/analysisfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "platform/rtl/sysutils.h"

QByteArray ReadWholeFile(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EFOpenError(QCoreApplication::translate("AnalysisFiles", "Datei %1 kann nicht geöffnet werden")
                              .arg(QDir::toNativeSeparators(fileName)));
    return f.readAll();
}

void WriteWholeFile(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw EFCreateError(QCoreApplication::translate("AnalysisFiles", "Datei %1 kann nicht erstellt werden")
                                .arg(QDir::toNativeSeparators(fileName)));
}
