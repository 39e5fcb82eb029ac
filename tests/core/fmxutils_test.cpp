// File routines: block-wise copy without partial targets, attribute mapping, and the shell start
// recorded through its replaceable starter.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <optional>
#include <sys/resource.h>

#include "core/fmxutils.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/testhooks.h"
#include "tests/support/testenv.h"

namespace {

QByteArray pattern(int size)
{
    QByteArray b(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 7 + i / 251) & 0xFF);
    return b;
}

QByteArray readAll(const QString& fn)
{
    QFile f(fn);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST(CopyFile, CopiesEveryBlockBoundary)
{
    TempFolder tmp;
    // 8192 needs a second, empty read; 8193 a second block of one byte.
    for (int size : {0, 1, 8191, 8192, 8193, 3 * 8192 + 5}) {
        const QByteArray data = pattern(size);
        const QString src = tmp.write(QStringLiteral("src%1.bin").arg(size), data);
        const QString dst = tmp.file(QStringLiteral("dst%1.bin").arg(size));
        CopyFile(src, dst);
        EXPECT_EQ(readAll(dst), data) << size;
    }
    // An existing destination is replaced.
    const QString src = tmp.write("a.txt", "neu");
    const QString dst = tmp.write("b.txt", "alter, längerer Inhalt");
    CopyFile(src, dst);
    EXPECT_EQ(readAll(dst), "neu");
}

TEST(CopyFile, IntoAFolderKeepsTheName)
{
    TempFolder tmp;
    const QString src = tmp.write("einheit.mt5", pattern(9000));
    for (const char* suffix : {"", "/", "\\"}) {
        QDir(tmp.path()).mkpath(QStringLiteral("ziel"));
        CopyFile(src, tmp.file("ziel") + QString::fromLatin1(suffix));
        EXPECT_EQ(readAll(tmp.file("ziel/einheit.mt5")), pattern(9000)) << suffix;
        QDir(tmp.file("ziel")).removeRecursively();
    }
}

TEST(CopyFile, ErrorsNameTheFileAndLeaveNothingBehind)
{
    TempFolder tmp;
    const QString missing = tmp.file("fehlt.orv");
    try {
        CopyFile(missing, tmp.file("x.orv"));
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("Datei %1 kann nicht geöffnet werden").arg(missing));
    }
    EXPECT_FALSE(QFileInfo::exists(tmp.file("x.orv")));

    const QString src = tmp.write("a.orv", pattern(100));
    const QString noFolder = tmp.file("kein/ordner/a.orv");
    try {
        CopyFile(src, noFolder);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Datei %1 kann nicht erstellt werden").arg(noFolder));
    }
    EXPECT_FALSE(QFileInfo::exists(tmp.file("kein")));
}

TEST(CopyFile, FailureHalfWayKeepsTheOldDestination)
{
    TempFolder tmp;
    const QString src = tmp.write("gross.orv", pattern(64 * 1024));
    const QString dst = tmp.write("ziel.orv", "alte Sicherung");
    // Files may grow to 20 000 bytes only: the copy runs out of room after two blocks.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 20000;
    setrlimit(RLIMIT_FSIZE, &small);
    std::optional<QString> error;
    try {
        CopyFile(src, dst);
    } catch (const EFCreateError& e) {
        error = e.Message();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(readAll(dst), "alte Sicherung");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"gross.orv", "ziel.orv"}));
}

TEST(HasAttr, MapsTheLinuxFileToTheRuntimesBits)
{
    TempFolder tmp;
    const QString file = tmp.write("daten.orv", "x");
    const QString hidden = tmp.write(".versteckt", "x");
    const QString readOnly = tmp.write("schreibgeschuetzt.orv", "x");
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup);
    QDir(tmp.path()).mkdir(QStringLiteral(".ordner"));
    const QString folder = tmp.file(".ordner");
    const QString missing = tmp.file("fehlt");

    const struct {
        QString name;
        uint16_t mask;
        bool expected;
    } cases[] = {
        {file, faArchive, true},
        {file, faDirectory, false},
        {file, faReadOnly, false},
        {file, faHidden, false},
        {file, 0, true},
        {hidden, faHidden | faArchive, true},
        {readOnly, faReadOnly, true},
        {readOnly, faReadOnly | faDirectory, false},
        {folder, faDirectory | faHidden, true},
        {folder, faArchive, false},
        {QStringLiteral("/dev/null"), faSysFile, true},
        {missing, faDirectory, false},
        {missing, faArchive, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasAttr(c.name, c.mask), c.expected) << c.name.toStdString() << " mask " << c.mask;
}

TEST(ExecuteFile, StartsProgramsAndOpensDocuments)
{
    TempFolder tmp;
    std::vector<TShellStart> started;
    bool answer = true;
    SetShellStarter([&](const TShellStart& s) {
        started.push_back(s);
        return answer;
    });

    const QString program = tmp.write("hrm.sh", "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString document = tmp.write("lexikon.pdf", "%PDF");

    EXPECT_GT(ExecuteFile(program, "-a \"zwei Worte\"", tmp.path(), SW_SHOWNORMAL), 32);
    EXPECT_GT(ExecuteFile("lexikon.pdf", "", tmp.path(), SW_SHOWMAXIMIZED), 32);  // found in the folder
    EXPECT_GT(ExecuteFile("https://example.org/route?id=1", "", "", SW_SHOWNORMAL), 32);
    // A missing file is reported, as the desktop's shell does, and nothing is started.
    ScriptedAnswers::pushMessageAnswer(mrOk);
    EXPECT_EQ(ExecuteFile(tmp.file("fehlt.exe"), "", "", SW_SHOWNORMAL), SE_ERR_FNF);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text, "Die Datei \"" + tmp.file("fehlt.exe") + "\" wurde nicht gefunden.");
    answer = false;
    const intptr_t failed = ExecuteFile(document, "", "", SW_SHOWNORMAL);
    EXPECT_LE(failed, 32);
    EXPECT_EQ(failed, SE_ERR_NOASSOC);
    SetShellStarter(nullptr);

    ASSERT_EQ(started.size(), 4u);  // the missing file never reached the starter
    EXPECT_TRUE(started[0].Program);
    EXPECT_EQ(started[0].FileName, program);
    EXPECT_EQ(started[0].Params, "-a \"zwei Worte\"");
    EXPECT_EQ(started[0].Folder, tmp.path());
    EXPECT_FALSE(started[1].Program);
    EXPECT_EQ(started[1].FileName, document);
    EXPECT_EQ(started[1].ShowMode, SW_SHOWMAXIMIZED);
    EXPECT_FALSE(started[2].Program);
    EXPECT_EQ(started[2].FileName, "https://example.org/route?id=1");
}
