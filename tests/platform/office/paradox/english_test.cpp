// The table reader's messages come out in English once the English language module is loaded.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include "platform/office/paradox/paradoxtable.h"
#include "tests/support/testenv.h"

TEST(ParadoxTableEnglish, ErrorsUnderTheEnglishModule)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral("readers_en"),
                             QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/lang"))));
    QCoreApplication::installTranslator(&english);
    TempFolder dir;
    ParadoxTable t;
    EXPECT_FALSE(t.Open(dir.file(QStringLiteral("daten.DB"))));
    EXPECT_EQ(t.Error().Text(), QStringLiteral("The file \"%1\" cannot be read: The file was not found.")
                                    .arg(QDir::toNativeSeparators(dir.file(QStringLiteral("daten.DB")))));
    QCoreApplication::removeTranslator(&english);
}
