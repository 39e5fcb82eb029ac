// The runtime's messages come out in English once the English language module is loaded.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include "platform/rtl/sysutils.h"
#include "tests/platform/rtl/qstring_printer.h"

namespace {

template <typename F>
QString messageOf(F&& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("(nothing raised)");
}

TEST(RuntimeEnglish, ConversionAndEncodingErrorsAreEnglish)
{
    // The build compiles the module beside the program's binary.
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral("rtl_en"),
                             QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/lang"))));
    QCoreApplication::installTranslator(&english);
    EXPECT_EQ(messageOf([] { StrToInt(QStringLiteral("12a")); }), QStringLiteral("'12a' is not a valid integer value"));
    EXPECT_EQ(messageOf([] { StrToDate(QStringLiteral("31.02.2021")); }),
              QStringLiteral("'31.02.2021' is not a valid date"));
    EXPECT_EQ(messageOf([] { EncodeDate(2021, 13, 1); }), QStringLiteral("Invalid argument to date encode"));
    EXPECT_EQ(messageOf([] { Format(QStringLiteral("%d"), {QStringLiteral("x")}); }),
              QStringLiteral("Format '%d' invalid or incompatible with argument"));
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(messageOf([] { StrToInt(QStringLiteral("12a")); }), QStringLiteral("'12a' ist kein gültiger Integerwert"));
}

}  // namespace
