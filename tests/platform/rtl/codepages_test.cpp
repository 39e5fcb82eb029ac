// The Windows-1252 and code page 850 tables: their characters, every byte back and forth, and
// characters without a byte.
#include <gtest/gtest.h>

#include "platform/rtl/codepages.h"
#include "tests/support/qstringprinter.h"

TEST(CodePagesTest, CharactersOfTheHighHalf)
{
    struct Case {
        const char* bytes;
        QString text1252;
        QString text850;
    };
    const Case cases[] = {
        {"\x80\x99", QStringLiteral(u"€™"), QStringLiteral(u"ÇÖ")},
        {"\x81\x8D", QStringLiteral(u"\u0081\u008D"), QStringLiteral(u"üì")},  // 1252's unassigned bytes
        {"\xE4\xF6\xFC\xDF", QStringLiteral(u"äöüß"), QStringLiteral(u"õ÷³▀")},
        {"\x84\x94\x81\xE1", QStringLiteral(u"„”\u0081á"), QStringLiteral(u"äöüß")},
        {"\xB3\xC4\xFF", QStringLiteral(u"³Ä\u00FF"), QStringLiteral(u"│─\u00A0")},
        {"plain", QStringLiteral("plain"), QStringLiteral("plain")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeWindows1252(c.bytes), c.text1252) << c.bytes;
        EXPECT_EQ(DecodeCp850(c.bytes), c.text850) << c.bytes;
        EXPECT_EQ(EncodeWindows1252(c.text1252), QByteArray(c.bytes));
        EXPECT_EQ(EncodeCp850(c.text850), QByteArray(c.bytes));
    }
}

TEST(CodePagesTest, EveryByteRoundTripsAndForeignCharactersAreReplaced)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(all)), all);
    EXPECT_EQ(EncodeCp850(DecodeCp850(all)), all);
    EXPECT_EQ(EncodeWindows1252(QStringLiteral(u"a│Ω")), QByteArray("a??"));
    EXPECT_EQ(EncodeCp850(QStringLiteral(u"a€Ω"), '_'), QByteArray("a__"));
}
