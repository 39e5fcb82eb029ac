// The INI file as the runtime reads and writes it: case-insensitive first match, untouched lines
// kept byte for byte, Windows-1252 files from the Windows version read right.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/rtl/inifiles.h"
#include "tests/support/testenv.h"

namespace {

QByteArray readAll(const QString& fn)
{
    QFile f(fn);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QByteArray kSample =
    "; Einstellungen\r\n"
    "[Allgemein]\r\n"
    "Name = Jörg Müller \r\n"
    "name=zweiter Eintrag\r\n"
    "Pfad=\"C:\\Programme\\Orvalo 5\\\"\r\n"
    "Leer=\r\n"
    "\r\n"
    "[Ansicht]\r\n"
    "Breite=1024\r\n"
    "Hex=$1F\r\n"
    "Hex2=0x10\r\n"
    "Aktiv=-1\r\n"
    "Kaputt=12a\r\n"
    "\r\n"
    "[ALLGEMEIN]\r\n"
    "Name=aus dem zweiten Abschnitt\r\n"
    "Neu=nur hier\r\n";

}  // namespace

TEST(IniFile, ReadsCaseInsensitiveFirstMatchAndTypes)
{
    TempFolder tmp;
    TIniFile ini(tmp.write("a.ini", kSample));

    EXPECT_EQ(ini.ReadString("allgemein", "NAME", "x"), QString::fromUtf8("Jörg Müller"));
    EXPECT_EQ(ini.ReadString("Allgemein", "Pfad", "x"), "C:\\Programme\\Orvalo 5\\");
    EXPECT_EQ(ini.ReadString("Allgemein", "Leer", "x"), "");
    EXPECT_EQ(ini.ReadString("Allgemein", "Fehlt", "vorgabe"), "vorgabe");
    // Only the first of two sections with one name is read.
    EXPECT_EQ(ini.ReadString("Allgemein", "Neu", "vorgabe"), "vorgabe");
    EXPECT_EQ(ini.ReadString("Nirgends", "Name", "vorgabe"), "vorgabe");

    EXPECT_EQ(ini.ReadInteger("Ansicht", "Breite", 0), 1024);
    EXPECT_EQ(ini.ReadInteger("Ansicht", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Ansicht", "Hex2", 0), 16);
    EXPECT_EQ(ini.ReadInteger("Ansicht", "Kaputt", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Ansicht", "Fehlt", -3), -3);
    EXPECT_TRUE(ini.ReadBool("Ansicht", "Aktiv", false));   // any integer but 0 is true
    EXPECT_TRUE(ini.ReadBool("Ansicht", "Breite", false));
    EXPECT_FALSE(ini.ReadBool("Ansicht", "Kaputt", false));  // not a number: the default
    EXPECT_TRUE(ini.ReadBool("Ansicht", "Fehlt", true));

    EXPECT_TRUE(ini.ValueExists("ANSICHT", "breite"));
    EXPECT_FALSE(ini.ValueExists("Ansicht", "Name"));
    EXPECT_TRUE(ini.SectionExists("ansicht"));
    EXPECT_FALSE(ini.SectionExists("Nirgends"));

    QStringList list{"alt"};
    ini.ReadSection("allgemein", list);
    EXPECT_EQ(list, QStringList({"Name", "Pfad", "Leer"}));
    ini.ReadSections(list);
    EXPECT_EQ(list, QStringList({"Allgemein", "Ansicht"}));
    ini.ReadSectionValues("Allgemein", list);
    EXPECT_EQ(list, QStringList({QString::fromUtf8("Name=Jörg Müller"),
                                 "Pfad=C:\\Programme\\Orvalo 5\\", "Leer="}));
}

TEST(IniFile, ReadsWindows1252AndUtf8WithBom)
{
    TempFolder tmp;
    // "Größe=Übermäßig €" in Windows-1252: not valid UTF-8, so the reader falls back.
    TIniFile cp(tmp.write("cp.ini", "[K\xF6rper]\nGr\xF6\xDF" "e=\xDC" "berm\xE4\xDF" "ig \x80\n"));
    EXPECT_EQ(cp.ReadString(QString::fromUtf8("körper"), QString::fromUtf8("GRÖßE"), ""),
              QString::fromUtf8("Übermäßig €"));

    TIniFile bom(tmp.write("bom.ini", "\xEF\xBB\xBF[A]\nK=\xC3\xA4\n"));
    EXPECT_EQ(bom.ReadString("A", "K", ""), QString::fromUtf8("ä"));
    bom.WriteString("A", "L", "1");
    EXPECT_EQ(readAll(bom.FileName()), "\xEF\xBB\xBF[A]\nK=\xC3\xA4\nL=1\n");

    // A Windows-1252 file becomes UTF-8 on its first write and keeps its texts.
    cp.WriteString(QString::fromUtf8("Körper"), "Neu", QString::fromUtf8("ä"));
    EXPECT_EQ(readAll(cp.FileName()),
              QString::fromUtf8("[Körper]\nGröße=Übermäßig €\nNeu=ä\n").toUtf8());
}

TEST(IniFile, WritingOneKeyKeepsEveryOtherLine)
{
    TempFolder tmp;
    const QString fn = tmp.write("a.ini", kSample);
    TIniFile ini(fn);

    // Replace: only that line changes; the key keeps its spelling, the later duplicate stays.
    ini.WriteString("ALLGEMEIN", "name", "Neu");
    QByteArray expected = kSample;
    expected.replace("Name = J\xC3\xB6rg M\xC3\xBCller \r\n", "Name=Neu\r\n");
    EXPECT_EQ(readAll(fn), expected);

    // A new key goes after the last line of its section, before the blank separator.
    ini.WriteInteger("Ansicht", "Hoehe", 700);
    expected.replace("Kaputt=12a\r\n", "Kaputt=12a\r\nHoehe=700\r\n");
    EXPECT_EQ(readAll(fn), expected);

    // A new section goes at the end of the file.
    ini.WriteBool("Neu", "An", true);
    ini.WriteBool("Neu", "Aus", false);
    expected += "\r\n[Neu]\r\nAn=1\r\nAus=0\r\n";
    EXPECT_EQ(readAll(fn), expected);

    // A line break in a value cannot start a section of its own.
    ini.WriteString("Neu", "Text", "a\r\n[Boese]\nb=c");
    EXPECT_FALSE(ini.SectionExists("Boese"));
    EXPECT_EQ(ini.ReadString("Neu", "Text", ""), "a [Boese] b=c");

    // The writer leaves no temporary file behind.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList({"a.ini"}));
}

TEST(IniFile, LineEndsAndMissingFiles)
{
    TempFolder tmp;
    // LF file without a final line end: the new line starts on a line of its own.
    const QString lf = tmp.write("lf.ini", "[A]\nx=1");
    TIniFile(lf).WriteString("a", "y", "2");
    EXPECT_EQ(readAll(lf), "[A]\nx=1\ny=2\n");

    // A missing file reads as empty and is created, with its folder, on the first write.
    TIniFile fresh(tmp.file("sub/dir/neu.ini"));
    EXPECT_EQ(fresh.ReadString("S", "K", "d"), "d");
    QStringList sections{"alt"};
    fresh.ReadSections(sections);
    EXPECT_TRUE(sections.isEmpty());
    fresh.EraseSection("S");
    fresh.DeleteKey("S", "K");
    EXPECT_FALSE(QFileInfo::exists(fresh.FileName()));
    fresh.WriteString("S", "K", "v");
    EXPECT_EQ(readAll(fresh.FileName()), "[S]\nK=v\n");
}

TEST(IniFile, EraseSectionAndDeleteKeyKeepTheRest)
{
    TempFolder tmp;
    const QString fn = tmp.write("a.ini", kSample);
    TIniFile ini(fn);

    ini.DeleteKey("Allgemein", "NAME");  // both spellings in the first section go
    EXPECT_FALSE(ini.ValueExists("Allgemein", "Name"));
    QByteArray expected = kSample;
    expected.replace("Name = J\xC3\xB6rg M\xC3\xBCller \r\nname=zweiter Eintrag\r\n", "");
    EXPECT_EQ(readAll(fn), expected);

    ini.EraseSection("allgemein");  // every section of that name
    EXPECT_EQ(readAll(fn),
              "; Einstellungen\r\n"
              "[Ansicht]\r\n"
              "Breite=1024\r\n"
              "Hex=$1F\r\n"
              "Hex2=0x10\r\n"
              "Aktiv=-1\r\n"
              "Kaputt=12a\r\n"
              "\r\n");
    EXPECT_EQ(ini.ReadInteger("Ansicht", "Breite", 0), 1024);
}

TEST(IniFile, FloatsAndDatesFollowTheProgramsSettings)
{
    TempFolder tmp;
    TIniFile ini(tmp.file("f.ini"));
    const TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    ini.WriteFloat("Z", "Wert", 12.5);
    EXPECT_EQ(ini.ReadString("Z", "Wert", ""), "12,5");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Z", "Wert", 0), 12.5);
    ini.WriteString("Z", "Kaputt", "1x");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Z", "Kaputt", -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Z", "Fehlt", 3.25), 3.25);

    FormatSettings() = GermanFormatSettings();
    const TDateTime day = EncodeDate(2024, 5, 12);
    ini.WriteDate("Z", "Tag", day);
    EXPECT_EQ(ini.ReadString("Z", "Tag", ""), "12.05.2024");
    EXPECT_EQ(ini.ReadDate("Z", "Tag", 0), day);
    EXPECT_EQ(ini.ReadDate("Z", "Kaputt", -1), -1);
    FormatSettings() = saved;
}
