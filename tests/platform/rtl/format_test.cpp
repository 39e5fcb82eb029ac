// The runtime's Format: types, width, precision, argument indexes and its error.
#include <gtest/gtest.h>

#include "platform/rtl/sysutils.h"
#include "tests/support/qstringprinter.h"

TEST(Format, TypesWidthsAndPrecisions)
{
    const TFormatSettings de = GermanFormatSettings();
    const TFormatSettings us = USFormatSettings();
    struct Case {
        const char* format;
        QList<QVariant> args;
        const char* german;
        const char* us;
    } cases[] = {
        {"%s ist %d Jahre", {QStringLiteral("Anna"), 30}, "Anna ist 30 Jahre", "Anna ist 30 Jahre"},
        {"%.2f", {3.14159}, "3,14", "3.14"},
        {"%f", {2.5}, "2,50", "2.50"},
        {"%.0f", {2.5}, "3", "3"},
        {"%.1f", {-0.04}, "0,0", "0.0"},
        {"%.2f", {7}, "7,00", "7.00"},  // an integer is a valid number
        {"%5d|%-5d|%05d|%.3d|%d", {42, 42, 42, 7, -3}, "   42|42   |00042|007|-3", "   42|42   |00042|007|-3"},
        {"%05d", {-42}, "-0042", "-0042"},
        {"%x|%.4x|%x", {255, 255, -1}, "FF|00FF|FFFFFFFF", "FF|00FF|FFFFFFFF"},
        {"%u", {-1}, "4294967295", "4294967295"},
        {"%d", {qlonglong(1) << 40}, "1099511627776", "1099511627776"},
        {"%n", {1234567.891}, "1.234.567,89", "1,234,567.89"},
        {"%.0n", {-1234.5}, "-1.235", "-1,235"},
        {"%m", {1234.5}, "1.234,50 €", "$1,234.50"},
        {"%m", {-1234.5}, "-1.234,50 €", "($1,234.50)"},
        {"%g|%g|%g", {0.5, 1e20, 1.0 / 3}, "0,5|1E20|0,333333333333333", "0.5|1E20|0.333333333333333"},
        {"%e", {1234.5}, "1,23450000000000E+003", "1.23450000000000E+003"},
        {"%.3e", {-0.0012345}, "-1,23E-003", "-1.23E-003"},
        {"%%|%s%%", {QStringLiteral("50")}, "%|50%", "%|50%"},
        {"%1:s %0:s %s", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, "b a b", "b a b"},
        {"%*d|%-*s|", {4, 7, 3, QStringLiteral("x")}, "   7|x  |", "   7|x  |"},
        {"%.3s|%6s", {QStringLiteral("abcdef"), QStringLiteral("ab")}, "abc|    ab", "abc|    ab"},
        {"Seite %d von %d", {1, 2}, "Seite 1 von 2", "Seite 1 von 2"},
        {"%p", {255}, "000000FF", "000000FF"},
        {"%s", {QChar(u'ä')}, "ä", "ä"},
    };
    for (const Case& c : cases) {
        const QString format = QString::fromUtf8(c.format);
        EXPECT_EQ(Format(format, c.args, de), QString::fromUtf8(c.german)) << c.format;
        EXPECT_EQ(Format(format, c.args, us), QString::fromUtf8(c.us)) << c.format;
    }
}

TEST(Format, MismatchesRaiseTheRuntimeError)
{
    struct Case {
        const char* format;
        QList<QVariant> args;
    } cases[] = {
        {"%d", {1.5}},
        {"%d", {QStringLiteral("5")}},
        {"%s", {5}},
        {"%f", {QStringLiteral("1,5")}},
        {"%d", {}},
        {"%s und %s", {QStringLiteral("a")}},
        {"%y", {1}},
        {"abc%", {}},
        {"%3:s", {QStringLiteral("a")}},
        {"%d", {true}},
    };
    for (const Case& c : cases) {
        const QString format = QString::fromUtf8(c.format);
        try {
            Format(format, c.args, GermanFormatSettings());
            ADD_FAILURE() << "no error for " << c.format;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Format '%1' ungültig oder nicht kompatibel mit Argument").arg(format));
        }
    }
}
