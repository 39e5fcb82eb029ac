// Cell names as the exports address cells: letters past "Z" and names in either case.
#include "platform/office/cellname.h"
#include "tests/platform/office/officetest.h"

namespace {

TEST(CellName, ColumnLettersRunPastZ)
{
    const struct {
        int column;
        const char* letters;
    } cases[] = {{0, "A"}, {25, "Z"}, {26, "AA"}, {41, "AP"}, {51, "AZ"}, {52, "BA"}, {701, "ZZ"}, {702, "AAA"},
                 {16383, "XFD"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ColumnLetters(c.column), QString::fromLatin1(c.letters)) << c.column;
        int back = -1;
        EXPECT_TRUE(ParseColumnLetters(QString::fromLatin1(c.letters).toLower(), back));
        EXPECT_EQ(back, c.column);
    }
    EXPECT_EQ(CellName(0, 27), QStringLiteral("AB1"));
}

TEST(CellName, ParsesNamesAndRefusesOthers)
{
    const struct {
        const char* name;
        bool ok;
        int row, column;
    } cases[] = {
        {"a1", true, 0, 0},         {"B3", true, 2, 1},        {"aa12", true, 11, 26},   {"$A$1", true, 0, 0},
        {"XFD1048576", true, 1048575, 16383},                  {"XFE1", false, 0, 0},    {"A1048577", false, 0, 0},
        {"A0", false, 0, 0},        {"1A", false, 0, 0},       {"A", false, 0, 0},       {"", false, 0, 0},
        {"A1B", false, 0, 0},       {"Ä1", false, 0, 0},       {"A-1", false, 0, 0},
    };
    for (const auto& c : cases) {
        int row = -1, column = -1;
        EXPECT_EQ(ParseCellName(QString::fromUtf8(c.name), row, column), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(row, c.row) << c.name;
            EXPECT_EQ(column, c.column) << c.name;
        }
    }
}

}  // namespace
