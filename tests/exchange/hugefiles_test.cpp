// Files larger than any real recording (here a 2 GB sparse file) are refused by the exercise-file
// and run-file readers before they read them: under a small memory cap each refuses cleanly,
// stating the limit, instead of running out of memory.
#include <gtest/gtest.h>

#include <QFile>

#include "exchange/garminrunfile.h"
#include "exchange/hrmfile.h"
#include "tests/support/childprocess.h"
#include "tests/support/testenv.h"

TEST(HugeFiles, TheReadersRefuseAFileLargerThanAnyRecordingBeforeReadingIt)
{
    TempFolder dir;
    auto sparse = [&](const char* name, const QByteArray& start) {
        const QString file = dir.write(QString::fromLatin1(name), start);
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadWrite) && f.resize(qint64(2) << 30)) << name;
        return file;
    };
    const QString hrm = sparse("260101.hrm", "[Params]\nInterval=1\n[HRData]\n120\n");
    const QString xml = sparse("laeufe.xml", "<Runs><Run>");
    const QString refusal =
        QStringLiteral("Die Datei ist größer als 256 MB. So große Aufzeichnungen gibt es nicht; sie wird nicht gelesen.");
    const CappedRun run = RunWithMemoryCap(64 << 20, [&] {
        HrmFile h;
        GarminRunFile g;
        // Each names the file it refused.
        return !h.Read(hrm) && h.Error().Text() == QStringLiteral("Datei \"260101.hrm\": ") + refusal &&
               !g.Read(xml) && g.Error().Text() == QStringLiteral("Datei \"%1\": ").arg(xml) + refusal;
    });
    EXPECT_EQ(run, CappedRun::Passed) << CappedRunName(run);
}
