// The program's folders follow the environment, so tests never touch the real user folders.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "platform/rtl/folders.h"

TEST(Folders, FollowEnvironmentAndCreateWritableFolders)
{
    EXPECT_EQ(ProgramDir(), QString::fromLocal8Bit(qgetenv(kProgramDirVariable)));
    EXPECT_EQ(ConfigDir(), QString::fromLocal8Bit(qgetenv(kConfigDirVariable)));
    const QString tmp = UserDataFile(QStringLiteral("Temp/~copy.xml"));
    EXPECT_TRUE(tmp.startsWith(UserDataDir()));
    EXPECT_TRUE(QFileInfo(QFileInfo(tmp).path()).isDir());
    EXPECT_EQ(ProgramFile(QStringLiteral("DB/leer.orv.system")),
              QDir(ProgramDir()).filePath(QStringLiteral("DB/leer.orv.system")));
}
