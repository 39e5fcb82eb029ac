// The runtime's messages come out in English once the English language module is loaded.
#include <gtest/gtest.h>

#include "platform/rtl/sysutils.h"
#include "tests/support/messages.h"

namespace {

TEST(RuntimeEnglish, ConversionAndEncodingErrorsAreEnglish)
{
    EnglishModule english(QStringLiteral("rtl_en"));
    ASSERT_TRUE(english.loaded());
    EXPECT_EQ(messageOf([] { StrToInt(QStringLiteral("12a")); }), QStringLiteral("'12a' is not a valid integer value"));
    EXPECT_EQ(messageOf([] { StrToDate(QStringLiteral("31.02.2021")); }),
              QStringLiteral("'31.02.2021' is not a valid date"));
    EXPECT_EQ(messageOf([] { EncodeDate(2021, 13, 1); }), QStringLiteral("Invalid argument to date encode"));
    EXPECT_EQ(messageOf([] { Format(QStringLiteral("%d"), {QStringLiteral("x")}); }),
              QStringLiteral("Format '%d' invalid or incompatible with argument"));
    english.remove();
    EXPECT_EQ(messageOf([] { StrToInt(QStringLiteral("12a")); }), QStringLiteral("'12a' ist kein gültiger Integerwert"));
}

}  // namespace
