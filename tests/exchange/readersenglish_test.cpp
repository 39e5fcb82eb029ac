// The readers' messages and captions come out in English once the English language module is
// loaded, the runtime's conversion messages inside them too.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include "exchange/garminrunfile.h"
#include "exchange/hrmfile.h"

namespace {

class EnglishReaders : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString dir = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/lang"));
        ASSERT_TRUE(readers_.load(QStringLiteral("readers_en"), dir));
        ASSERT_TRUE(rtl_.load(QStringLiteral("rtl_en"), dir));
        QCoreApplication::installTranslator(&readers_);
        QCoreApplication::installTranslator(&rtl_);
    }
    void TearDown() override
    {
        QCoreApplication::removeTranslator(&readers_);
        QCoreApplication::removeTranslator(&rtl_);
    }
    QTranslator readers_;
    QTranslator rtl_;
};

TEST_F(EnglishReaders, HeartRateFile)
{
    HrmFile f;
    EXPECT_FALSE(f.Parse("[Params]\nInterval=1\n[HRData]\n120\nabc\n", QStringLiteral("x.hrm")));
    EXPECT_EQ(f.Error().Text(), QStringLiteral("File \"x.hrm\", line 5: 'abc' is not a valid integer value"));
    EXPECT_FALSE(f.Parse("SMode=1\n[HRData]\n120\n", QStringLiteral("x.hrm")));
    EXPECT_EQ(f.Error().Text(), QStringLiteral("File \"x.hrm\", line 3: 2 values expected, the line holds 1."));
    EXPECT_FALSE(f.Parse("SMode=1\n[HRData]\n120\t1e300\n", QStringLiteral("x.hrm")));
    EXPECT_EQ(f.Error().Text(), QStringLiteral("File \"x.hrm\", line 3: '1e300' is out of the valid range."));
    EXPECT_FALSE(f.Parse("", QStringLiteral("x.hrm")));
    EXPECT_EQ(f.Error().Text(), QStringLiteral("File \"x.hrm\": The file is empty."));
    EXPECT_FALSE(f.Parse("[HRData]\n120\n", QStringLiteral("x.hrm")));
    EXPECT_EQ(f.Error().Text(),
              QStringLiteral("File \"x.hrm\": The file is no exercise file of a heart-rate monitor: it has no date (\"Date\")."));
    EXPECT_EQ(HrmFile::ColumnCaption(HrmColumn::Altitude), QStringLiteral("Alt."));
}

TEST_F(EnglishReaders, RunFile)
{
    GarminRunFile f;
    EXPECT_FALSE(f.Parse("<Runs>\n<Run><Lap><Duration>P1D</Duration></Lap></Run></Runs>"));
    EXPECT_EQ(f.Error().Text(), QStringLiteral("Line 2, column 21: 'P1D' is not a valid duration"));
    ASSERT_TRUE(f.Parse("<Runs>\n<Run><Lap><StartTime>2008-07-15T05:30:00Z</StartTime></Lap>\n"
                        "<Track><Trackpoint><Altitude>1e308</Altitude></Trackpoint></Track></Run></Runs>",
                        QStringLiteral("laeufe.xml")));
    EXPECT_EQ(f.Runs().value(0).problem.Text(),
              QStringLiteral("Line 3, column 30: The altitude 1e308 m lies outside what can be stored (-32768 to 32767 m)."));
}

}  // namespace
