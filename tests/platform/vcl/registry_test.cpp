// The registry stand-in over its INI file: keys per root, relative and absolute paths, the
// runtime's errors, and the file's unrelated lines left as they were.
#include <gtest/gtest.h>

#include <QFile>

#include "platform/rtl/folders.h"
#include "platform/vcl/registry.h"
#include "tests/support/testenv.h"

namespace {

const QString kProgramKey = QStringLiteral("SOFTWARE\\Bellquist\\Orvalo 5\\5.0.0.0");

QByteArray readFile(const QString& fn)
{
    QFile f(fn);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(RegistryTest, WritesKeepUnrelatedLinesOfTheFile)
{
    TempFolder dir;
    const QString fn = dir.write(QStringLiteral("registry.ini"),
                                 "; von Hand gepflegt\n"
                                 "[Fremd]\n"
                                 "Wert=1\n"
                                 "\n"
                                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Bellquist\\Orvalo 5\\5.0.0.0]\n"
                                 "Name=Erika Muster\n"
                                 "noscale=1\n");
    TRegistry reg(fn);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey(kProgramKey, false));
    EXPECT_EQ(reg.ReadString(QStringLiteral("name")), QStringLiteral("Erika Muster"));  // names without case
    EXPECT_TRUE(reg.ReadBool(QStringLiteral("noscale")));
    reg.WriteString(QStringLiteral("QuickLoadFile"), QStringLiteral("/home/erika/läufe.orv"));
    reg.WriteBool(QStringLiteral("QuickLoadAktiviert"), true);
    EXPECT_TRUE(reg.DeleteValue(QStringLiteral("noscale")));
    EXPECT_FALSE(reg.DeleteValue(QStringLiteral("noscale")));

    const QString text = QString::fromUtf8(readFile(fn));
    EXPECT_TRUE(text.startsWith(QStringLiteral("; von Hand gepflegt\n[Fremd]\nWert=1\n\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("QuickLoadFile=/home/erika/läufe.orv")));
    EXPECT_FALSE(text.contains(QStringLiteral("noscale")));

    TRegistry again(fn);
    again.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(again.OpenKeyReadOnly(QStringLiteral("\\") + kProgramKey));
    EXPECT_TRUE(again.ReadBool(QStringLiteral("QuickLoadAktiviert")));
    EXPECT_THROW(again.WriteString(QStringLiteral("x"), QStringLiteral("y")), ERegistryException);
}

TEST(RegistryTest, RootsStayApartAndPathsResolveAsTheRuntimes)
{
    TempFolder dir;
    TRegistry reg(dir.file(QStringLiteral("registry.ini")));
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\ZED1"), true));
    reg.WriteString(QStringLiteral("StreckenID"), QStringLiteral("user"));
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.OpenKey(QStringLiteral("\\Software\\ZED1"), false));
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("\\Software\\ZED1"), true));
    reg.WriteInteger(QStringLiteral("StreckenID"), -1);
    EXPECT_EQ(reg.ReadInteger(QStringLiteral("StreckenID")), -1);
    EXPECT_EQ(reg.CurrentPath(), QStringLiteral("Software\\ZED1"));

    // A path without a leading backslash is taken from the open key.
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Unter"), true));
    EXPECT_EQ(reg.CurrentPath(), QStringLiteral("Software\\ZED1\\Unter"));
    reg.WriteString(QStringLiteral("a"), QStringLiteral("b"));
    reg.CloseKey();
    EXPECT_TRUE(reg.KeyExists(QStringLiteral("Software")));  // through its sub-keys
    EXPECT_TRUE(reg.KeyExists(QStringLiteral("software\\zed1\\unter")));
    EXPECT_FALSE(reg.KeyExists(QStringLiteral("Software\\ZED2")));

    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\ZED1"), false));
    EXPECT_EQ(reg.ReadString(QStringLiteral("StreckenID")), QStringLiteral("user"));
    EXPECT_FALSE(reg.ValueExists(QStringLiteral("a")));

    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(reg.DeleteKey(QStringLiteral("\\Software\\ZED1")));
    EXPECT_FALSE(reg.KeyExists(QStringLiteral("Software")));
}

TEST(RegistryTest, ReadingAnIntegerThatIsNoneRaises)
{
    TempFolder dir;
    TRegistry reg(dir.file(QStringLiteral("registry.ini")));
    ASSERT_TRUE(reg.OpenKey(QStringLiteral("Software\\Test"), true));
    reg.WriteString(QStringLiteral("Wert"), QStringLiteral("abc"));
    try {
        reg.ReadInteger(QStringLiteral("Wert"));
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Ungültiger Datentyp für 'Wert'"));
    }
    EXPECT_THROW(reg.ReadBool(QStringLiteral("Wert")), ERegistryException);
    EXPECT_THROW(reg.ReadInteger(QStringLiteral("fehlt")), ERegistryException);
    EXPECT_EQ(reg.ReadString(QStringLiteral("fehlt")), QString());
    reg.CloseKey();
    EXPECT_THROW(reg.WriteString(QStringLiteral("x"), QStringLiteral("y")), ERegistryException);
}

TEST(RegistryTest, DefaultFileLivesInTheConfigFolder)
{
    EXPECT_EQ(TRegistry::DefaultFileName(), ConfigDir() + QStringLiteral("/registry.ini"));
}

}  // namespace
