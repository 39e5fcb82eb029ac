// Help pages through the recorded opener, and outside programs beside the program.
#include <QDir>
#include <QFile>

#include "platform/rtl/folders.h"
#include "platform/vcl/shell.h"
#include "tests/platform/vcl/vclfixture.h"
#include "tests/support/testenv.h"

namespace {

class ShellTest : public VclTest {
protected:
    void SetUp() override
    {
        VclTest::SetUp();
        SetHelpOpener([this](const QString& page) {
            opened.append(page);
            return true;
        });
    }
    void TearDown() override
    {
        SetHelpOpener(nullptr);
        SetHelpFile(QString());
        VclTest::TearDown();
    }
    QStringList opened;
};

TEST_F(ShellTest, HelpTopicOpensThePageBesideTheHelpFile)
{
    TempFolder dir;
    QDir(dir.path()).mkpath(QStringLiteral("orv5help"));
    dir.write(QStringLiteral("orv5help/Optionen.htm"), "<html></html>");
    SetHelpFile(dir.file(QStringLiteral("orv5help.chm")));
    EXPECT_EQ(HelpTopicAddress(QStringLiteral("C:\\x\\orv5help.chm"), QStringLiteral("Optionen")),
              QStringLiteral("C:\\x\\orv5help.chm::/Optionen.htm"));
    EXPECT_TRUE(ShowHelpTopic(QStringLiteral("Optionen")));
    EXPECT_EQ(opened, QStringList{dir.file(QStringLiteral("orv5help/Optionen.htm"))});
}

TEST_F(ShellTest, MissingHelpFileOrPageShowsAnErrorBox)
{
    TempFolder dir;
    SetHelpFile(dir.file(QStringLiteral("orv5help.chm")));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    EXPECT_FALSE(ShowHelpTopic(QStringLiteral("Willkommen")));
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    // The message names the folder of HTML pages that the README describes.
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text,
              QStringLiteral("Der Hilfeordner \"%1\" mit den Hilfeseiten wurde nicht gefunden.")
                  .arg(QDir::toNativeSeparators(dir.file(QStringLiteral("orv5help")))));

    QDir(dir.path()).mkpath(QStringLiteral("orv5help"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    EXPECT_FALSE(ShowHelpTopic(QStringLiteral("Willkommen")));
    EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.contains(QStringLiteral("Willkommen.htm")));
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ShellTest, OutsideProgramBesideTheProgram)
{
    QFile::remove(ProgramFile(QStringLiteral("hrm.exe")));
    QFile::remove(ProgramFile(QStringLiteral("hrm")));
    EXPECT_FALSE(OutsideProgramExists(QStringLiteral("hrm.exe")));
    QFile f(ProgramFile(QStringLiteral("hrm")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(OutsideProgram(QStringLiteral("hrm.exe")), ProgramFile(QStringLiteral("hrm")));
    QFile::remove(ProgramFile(QStringLiteral("hrm")));
}

}  // namespace
