// Reading a recording whole: the limit holds for a file's claimed size before anything is read,
// and for a device that claims none while it is read.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "platform/rtl/wholefile.h"
#include "tests/support/testenv.h"

TEST(WholeFile, AFileUpToTheLimitIsReadAndOneBeyondItOrEndlessIsRefusedNamingTheLimit)
{
    TempFolder dir;
    const qint64 limit = qint64(3) << 20;
    const struct {
        const char* name;
        QString file;
        bool read;
    } cases[] = {
        {"empty", dir.write(QStringLiteral("leer.hrm"), QByteArray()), true},
        {"at the limit", dir.write(QStringLiteral("genau.hrm"), QByteArray(limit, 'x')), true},
        {"one byte beyond", dir.write(QStringLiteral("zuviel.hrm"), QByteArray(limit + 1, 'x')), false},
        {"endless device", QStringLiteral("/dev/zero"), false},
    };
    for (const auto& c : cases) {
        QByteArray bytes("alt");
        QString error;
        EXPECT_EQ(ReadWholeFile(c.file, bytes, error, limit), c.read) << c.name;
        if (c.read) {
            EXPECT_EQ(bytes.size(), QFileInfo(c.file).size()) << c.name;
            EXPECT_TRUE(error.isEmpty()) << c.name;
        } else {
            EXPECT_TRUE(bytes.isEmpty()) << c.name;
            EXPECT_EQ(error, QStringLiteral("Die Datei ist größer als 3 MB. So große Aufzeichnungen gibt es nicht; "
                                            "sie wird nicht gelesen."))
                << c.name;
        }
    }
    QByteArray bytes;
    QString error;
    EXPECT_FALSE(ReadWholeFile(dir.file(QStringLiteral("fehlt.hrm")), bytes, error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Die Datei kann nicht gelesen werden: "))) << error.toStdString();
}
