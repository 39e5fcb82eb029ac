#pragma once
// The folders of a benchmark that runs the whole program: temporary config and data folders for
// the run, and the build's app folder beside the benchmark as the program's folder (templates,
// language modules) unless one is given.
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "platform/rtl/folders.h"

namespace benchprogram {

// Points the config and data folders into `folders`; before the application object exists.
inline void UseTemporaryFolders(const QTemporaryDir& folders)
{
    QDir(folders.path()).mkpath("config");
    QDir(folders.path()).mkpath("data");
    qputenv(kConfigDirVariable, QDir(folders.path()).filePath("config").toUtf8());
    qputenv(kDataDirVariable, QDir(folders.path()).filePath("data").toUtf8());
}

// The program's folder; once the application object exists.
inline void UseBuiltProgramFolder()
{
    if (qEnvironmentVariableIsEmpty(kProgramDirVariable))
        qputenv(kProgramDirVariable, QDir(QCoreApplication::applicationDirPath() + "/../app").absolutePath().toUtf8());
}

}  // namespace benchprogram
