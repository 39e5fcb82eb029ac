// The cabinet library: what it writes reads back byte for byte, through our reader and through
// tools no one here wrote; what others wrote, we read; damage and refusals are reported.
#include <gtest/gtest.h>

#include <QStandardPaths>

#include <cstring>

#include "tests/platform/cabinet/cabtesthelpers.h"
#include "tests/support/childprocess.h"
#include "tests/support/testenv.h"

using namespace cabtest;

namespace {

bool HaveTool(const char* name)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
}

// The interoperability tests need the Debian tools; scripts/install-deps installs them.
#define REQUIRE_TOOL(name) ASSERT_TRUE(HaveTool(name)) << name << " is missing: run scripts/install-deps"

struct Fixture {
    TempFolder dir;
    std::vector<Source> sources;
    std::map<QString, QByteArray> contents;

    void Add(const QString& name, const QByteArray& bytes, uint16_t compression = tcompTYPE_MSZIP)
    {
        QString local = name;
        local.replace(QLatin1Char('\\'), QLatin1Char('_'));
        sources.push_back({dir.write(QStringLiteral("src_") + local, bytes), name, compression});
        contents[name] = bytes;
    }
    void ExpectExtracted(const QString& target) const
    {
        for (const auto& [name, bytes] : contents)
            EXPECT_TRUE(ReadAll(target + QLatin1Char('/') + cabformat::LocalArchivePath(name)) == bytes) << name.toStdString();
    }
};

}  // namespace

TEST(CabinetLibrary, StoredAndMsZipFilesReadBackExactly)
{
    for (uint16_t compression : {tcompTYPE_NONE, tcompTYPE_MSZIP}) {
        Fixture fx;
        fx.Add(QStringLiteral("leer.txt"), QByteArray(), compression);
        fx.Add(QStringLiteral("klein.txt"), "Hallo", compression);
        fx.Add(QStringLiteral("zufall.bin"), Random(100000), compression);
        fx.Add(QStringLiteral("Ordner\\daten.orv"), Compressible(300000), compression);
        fx.Add(QStringLiteral("Übung.mt5"), Compressible(40000, 7), compression);
        TCabErf erf;
        const QString cab = fx.dir.file(QStringLiteral("test.cab"));
        ASSERT_TRUE(WriteSet(cab, fx.sources, erf)) << erf.Oper << "/" << erf.Type;
        QStringList names;
        ASSERT_TRUE(ExtractSet(cab, fx.dir.file(QStringLiteral("out")), erf, &names)) << erf.Oper << "/" << erf.Type;
        EXPECT_EQ(names.size(), 5);
        fx.ExpectExtracted(fx.dir.file(QStringLiteral("out")));
        if (compression == tcompTYPE_MSZIP) {
            EXPECT_LT(QFileInfo(cab).size(), 100000 + 300000 / 3);
        }
    }
}

TEST(CabinetLibrary, OutsideToolsListAndExtractOurCabinets)
{
    REQUIRE_TOOL("cabextract");
    REQUIRE_TOOL("gcab");
    Fixture fx;
    fx.Add(QStringLiteral("daten.orv"), Compressible(500000));
    fx.Add(QStringLiteral("zufall.bin"), Random(70000));
    fx.Add(QStringLiteral("gespeichert.txt"), Compressible(50000, 3), tcompTYPE_NONE);
    fx.Add(QStringLiteral("leer.sql"), QByteArray());
    TCabErf erf;
    const QString cab = fx.dir.file(QStringLiteral("backup.cab"));
    ASSERT_TRUE(WriteSet(cab, fx.sources, erf));

    QByteArray out;
    ASSERT_EQ(RunTool(QStringLiteral("cabextract"), {QStringLiteral("-t"), cab}, &out), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("All done, no errors")) << out.toStdString();
    ASSERT_EQ(RunTool(QStringLiteral("cabextract"), {QStringLiteral("-q"), QStringLiteral("-d"), fx.dir.file(QStringLiteral("cx")), cab}, &out), 0)
        << out.toStdString();
    fx.ExpectExtracted(fx.dir.file(QStringLiteral("cx")));

    ASSERT_EQ(RunTool(QStringLiteral("gcab"), {QStringLiteral("-t"), cab}, &out), 0) << out.toStdString();
    for (const auto& [name, bytes] : fx.contents)
        EXPECT_TRUE(out.contains(name.toUtf8())) << out.toStdString();
    QDir().mkpath(fx.dir.file(QStringLiteral("gx")));
    ASSERT_EQ(RunTool(QStringLiteral("gcab"), {QStringLiteral("-x"), QStringLiteral("-C"), fx.dir.file(QStringLiteral("gx")), cab}, &out), 0)
        << out.toStdString();
    fx.ExpectExtracted(fx.dir.file(QStringLiteral("gx")));
}

TEST(CabinetLibrary, ReadsCabinetsWrittenByGcab)
{
    REQUIRE_TOOL("gcab");
    for (bool zip : {false, true}) {
        Fixture fx;
        fx.Add(QStringLiteral("a.txt"), Compressible(200000));
        fx.Add(QStringLiteral("b.bin"), Random(40000));
        QDir::setCurrent(fx.dir.path());
        const QString cab = fx.dir.file(QStringLiteral("gcab.cab"));
        QStringList args{QStringLiteral("-c")};
        if (zip)
            args << QStringLiteral("-z");
        args << cab << QStringLiteral("src_a.txt") << QStringLiteral("src_b.bin");
        QByteArray out;
        ASSERT_EQ(RunTool(QStringLiteral("gcab"), args, &out), 0) << out.toStdString();
        TCabErf erf;
        ASSERT_TRUE(ExtractSet(cab, fx.dir.file(QStringLiteral("out")), erf)) << erf.Oper;
        EXPECT_TRUE(ReadAll(fx.dir.file(QStringLiteral("out/src_a.txt"))) == fx.contents[QStringLiteral("a.txt")]);
        EXPECT_TRUE(ReadAll(fx.dir.file(QStringLiteral("out/src_b.bin"))) == fx.contents[QStringLiteral("b.bin")]);
    }
}

TEST(CabinetLibrary, SizeLimitSpreadsFilesOverALinkedSet)
{
    REQUIRE_TOOL("cabextract");
    // A limit above one block and one below it (blocks then span several cabinets).
    for (uint32_t limit : {40000u, 9000u}) {
        SCOPED_TRACE(limit);
        Fixture fx;
        fx.Add(QStringLiteral("eins.bin"), Random(50000, 11));
        fx.Add(QStringLiteral("zwei.orv"), Compressible(400000, 12));
        fx.Add(QStringLiteral("drei.bin"), Random(90000, 13));
        fx.Add(QStringLiteral("vier.txt"), "vier");
        fx.Add(QStringLiteral("leer.txt"), QByteArray());
        fx.Add(QStringLiteral("fuenf.bin"), Random(30000, 14), tcompTYPE_NONE);
        fx.Add(QStringLiteral("sechs.txt"), Compressible(3000, 15));
        TCabErf erf;
        const QString cab = fx.dir.file(QStringLiteral("set.cab"));
        ASSERT_TRUE(WriteSet(cab, fx.sources, erf, limit)) << erf.Oper << "/" << erf.Type;
        const QStringList cabinets = QDir(fx.dir.path()).entryList({QStringLiteral("set*.cab")}, QDir::Files, QDir::Name);
        ASSERT_GE(cabinets.size(), 5);
        for (const QString& c : cabinets)
            EXPECT_LE(QFileInfo(fx.dir.file(c)).size(), limit) << c.toStdString();
        EXPECT_TRUE(QFileInfo::exists(fx.dir.file(QStringLiteral("set2.cab"))));
        // No temporary file is left once the set is complete.
        EXPECT_TRUE(QDir(fx.dir.path()).entryList({QStringLiteral(".*part*")}, QDir::Files | QDir::Hidden).isEmpty());

        QByteArray out;
        ASSERT_EQ(RunTool(QStringLiteral("cabextract"), {QStringLiteral("-d"), fx.dir.file(QStringLiteral("cx")), cab}, &out), 0)
            << out.toStdString();
        EXPECT_FALSE(out.contains("WARNING")) << out.toStdString();
        fx.ExpectExtracted(fx.dir.file(QStringLiteral("cx")));

        QStringList names;
        ASSERT_TRUE(ExtractSet(cab, fx.dir.file(QStringLiteral("out")), erf, &names)) << erf.Oper << "/" << erf.Type;
        EXPECT_EQ(names.size(), 7);
        fx.ExpectExtracted(fx.dir.file(QStringLiteral("out")));

        // Starting in the middle of the set: files continued from earlier cabinets are announced,
        // the cabinet's own files come out whole.
        names.clear();
        std::vector<QString> events;
        ASSERT_TRUE(ExtractSet(fx.dir.file(QStringLiteral("set3.cab")), fx.dir.file(QStringLiteral("mid")), erf, &names, &events))
            << erf.Oper << "/" << erf.Type;
        EXPECT_FALSE(names.isEmpty());
        EXPECT_FALSE(names.contains(QStringLiteral("eins.bin")));
        for (const QString& n : names)
            EXPECT_TRUE(ReadAll(fx.dir.file(QStringLiteral("mid/")) + n) == fx.contents[n]) << n.toStdString();
    }
}

TEST(CabinetLibrary, LzxAndQuantumAreNotWritten)
{
    for (uint16_t code : {uint16_t(0x1503), uint16_t(tcompTYPE_QUANTUM), uint16_t(0x000F)}) {
        Fixture fx;
        fx.Add(QStringLiteral("a.txt"), "a", code);
        TCabErf erf;
        EXPECT_FALSE(WriteSet(fx.dir.file(QStringLiteral("x.cab")), fx.sources, erf));
        EXPECT_EQ(erf.Oper, FCIERR_BAD_COMPR_TYPE);
        EXPECT_TRUE(erf.Error);
        EXPECT_FALSE(QFileInfo::exists(fx.dir.file(QStringLiteral("x.cab"))));
    }
}

TEST(CabinetLibrary, FailedSetLeavesTheEarlierFileAndNoTemporaryFile)
{
    Fixture fx;
    fx.Add(QStringLiteral("a.txt"), Compressible(100000));
    const QString cab = fx.dir.write(QStringLiteral("old.cab"), "alte Sicherung");
    std::vector<Source> sources = fx.sources;
    sources.push_back({fx.dir.file(QStringLiteral("fehlt.txt")), QStringLiteral("fehlt.txt"), tcompTYPE_MSZIP});
    TCabErf erf;
    EXPECT_FALSE(WriteSet(cab, sources, erf));
    EXPECT_EQ(erf.Oper, FCIERR_OPEN_SRC);
    EXPECT_EQ(erf.Type, ENOENT);
    EXPECT_EQ(ReadAll(cab), QByteArray("alte Sicherung"));
    EXPECT_EQ(QDir(fx.dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("part")).size(), 0);
}

TEST(CabinetLibrary, DamagedOrMissingCabinetsAreReported)
{
    Fixture fx;
    fx.Add(QStringLiteral("a.txt"), Compressible(100000));
    const QString cab = fx.dir.file(QStringLiteral("ok.cab"));
    TCabErf erf;
    ASSERT_TRUE(WriteSet(cab, fx.sources, erf));
    const QByteArray good = ReadAll(cab);

    QByteArray flipped = good;
    flipped[flipped.size() - 100] = char(flipped[flipped.size() - 100] ^ 0x55);
    QByteArray badVersion = good;
    badVersion[25] = 2;
    const struct {
        const char* name;
        QByteArray bytes;
        int oper;
    } cases[] = {
        {"not.cab", "Dies ist keine Cabinet-Datei, nur Text.", FDIERROR_NOT_A_CABINET},
        {"short.cab", good.left(20), FDIERROR_CORRUPT_CABINET},
        {"cut.cab", good.left(good.size() / 2), FDIERROR_CORRUPT_CABINET},
        {"flipped.cab", flipped, FDIERROR_CORRUPT_CABINET},
        {"version.cab", badVersion, FDIERROR_UNKNOWN_CABINET_VERSION},
    };
    for (const auto& c : cases) {
        const QString f = fx.dir.write(QString::fromLatin1(c.name), c.bytes);
        EXPECT_FALSE(ExtractSet(f, fx.dir.file(QStringLiteral("out")), erf)) << c.name;
        EXPECT_EQ(erf.Oper, c.oper) << c.name;
        EXPECT_TRUE(erf.Error) << c.name;
        // Nothing half-written under a real name.
        EXPECT_FALSE(QFileInfo::exists(fx.dir.file(QStringLiteral("out/a.txt")))) << c.name;
    }
    EXPECT_FALSE(ExtractSet(fx.dir.file(QStringLiteral("fehlt.cab")), fx.dir.file(QStringLiteral("out")), erf));
    EXPECT_EQ(erf.Oper, FDIERROR_CABINET_NOT_FOUND);
    EXPECT_EQ(erf.Type, ENOENT);
}

TEST(CabinetLibrary, SafeArchiveNames)
{
    const struct {
        const char* name;
        bool safe;
    } cases[] = {
        {"daten.orv", true},           {"Ordner\\daten.orv", true},  {"a/b/c.txt", true},
        {"..daten", true},             {"..\\evil.txt", false},       {"../evil.txt", false},
        {"a\\..\\..\\evil", false},    {"a/../b", false},             {"/tmp/x", false},
        {"\\windows\\x", false},       {"C:\\x.txt", false},          {"c:x.txt", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cabformat::IsSafeArchiveName(QString::fromLatin1(c.name)), c.safe) << c.name;
}

TEST(CabinetLibrary, ChecksumOfTheFormat)
{
    // Words are XORed; a tail of one to three bytes is folded in from the high end.
    EXPECT_EQ(cabformat::Checksum("\x01\x02\x03\x04", 4, 0), 0x04030201u);
    EXPECT_EQ(cabformat::Checksum("\x01\x02\x03\x04\x05\x06\x07", 7, 0), 0x04030201u ^ 0x00050607u);
    EXPECT_EQ(cabformat::Checksum("\xAA", 1, 0x11111111), 0x111111BBu);
}

namespace {

// A cabinet of one folder and one file whose single data block is given as it stands.
QByteArray HandMadeCabinet(const QByteArray& block, uint16_t uncompressed, uint16_t compression, const QByteArray& name)
{
    const int filesOffset = cabformat::kHeaderSize + cabformat::kFolderSize;
    const int dataOffset = filesOffset + cabformat::kFileSize + name.size() + 1;
    QByteArray cab(dataOffset + cabformat::kDataHeaderSize + block.size(), '\0');
    char* p = cab.data();
    std::memcpy(p, "MSCF", 4);
    cabformat::PutU32(p + 8, uint32_t(cab.size()));
    cabformat::PutU32(p + 16, uint32_t(filesOffset));
    p[24] = 3;
    p[25] = 1;
    cabformat::PutU16(p + 26, 1);
    cabformat::PutU16(p + 28, 1);
    cabformat::PutU32(p + 36, uint32_t(dataOffset));
    cabformat::PutU16(p + 40, 1);
    cabformat::PutU16(p + 42, compression);
    cabformat::PutU32(p + filesOffset, uncompressed);
    cabformat::PutU16(p + filesOffset + 10, 0x5A21);  // 1 September 2025
    cabformat::PutU16(p + filesOffset + 14, cabformat::kAttrArchive);
    std::memcpy(p + filesOffset + cabformat::kFileSize, name.constData(), size_t(name.size()));
    char* d = p + dataOffset;
    cabformat::PutU32(d, cabformat::DataBlockChecksum(block.constData(), uint16_t(block.size()), uncompressed));
    cabformat::PutU16(d + 4, uint16_t(block.size()));
    cabformat::PutU16(d + 6, uncompressed);
    std::memcpy(d + 8, block.constData(), size_t(block.size()));
    return cab;
}

// An LZX stream of one uncompressed block: no E8 translation (1 bit), block type 3 (3 bits), the
// length (24 bits), padding to the 16-bit word, the three repeated offsets, then the bytes.
QByteArray LzxStoredBlock(const QByteArray& data)
{
    const uint32_t bits = (3u << 28) | (uint32_t(data.size()) << 4);
    QByteArray out(4, '\0');
    cabformat::PutU16(out.data(), uint16_t(bits >> 16));
    cabformat::PutU16(out.data() + 2, uint16_t(bits & 0xFFFF));
    QByteArray r(12, '\0');
    for (int i = 0; i < 3; ++i)
        cabformat::PutU32(r.data() + 4 * i, 1);
    return out + r + data;
}

}  // namespace

TEST(CabinetLibrary, ReadsLzxFoldersAndRefusesUnknownCompressions)
{
    Fixture fx;
    const QByteArray data = Compressible(2000, 21);
    for (uint16_t type : {uint16_t(0x0F03), uint16_t(0x1503)}) {
        const QString cab = fx.dir.write(QStringLiteral("lzx.cab"), HandMadeCabinet(LzxStoredBlock(data), 2000, type, "lzx.txt"));
        TCabErf erf;
        ASSERT_TRUE(ExtractSet(cab, fx.dir.file(QStringLiteral("out")), erf)) << erf.Oper << "/" << erf.Type;
        EXPECT_TRUE(ReadAll(fx.dir.file(QStringLiteral("out/lzx.txt"))) == data);
    }
    const QString odd = fx.dir.write(QStringLiteral("odd.cab"), HandMadeCabinet("abcd", 4, 0x0007, "x.txt"));
    TCabErf erf;
    EXPECT_FALSE(ExtractSet(odd, fx.dir.file(QStringLiteral("odd")), erf));
    EXPECT_EQ(erf.Oper, FDIERROR_BAD_COMPR_TYPE);
    EXPECT_FALSE(QFileInfo::exists(fx.dir.file(QStringLiteral("odd/x.txt"))));
}

TEST(CabinetLibrary, HeaderCountsAndOffsetsAreCheckedAgainstTheFileBeforeAnyMemoryIsTaken)
{
    // A header of 36 bytes, then whatever a case appends; the counts and offsets claim more than
    // the file holds.
    auto header = [](uint32_t cabinetSize, uint32_t filesOffset, uint16_t folders, uint16_t files, uint16_t flags) {
        QByteArray h(cabformat::kHeaderSize, '\0');
        std::memcpy(h.data(), cabformat::kSignature, 4);
        cabformat::PutU32(h.data() + 8, cabinetSize);
        cabformat::PutU32(h.data() + 16, filesOffset);
        h[24] = char(cabformat::kVersionMinor);
        h[25] = char(cabformat::kVersionMajor);
        cabformat::PutU16(h.data() + 26, folders);
        cabformat::PutU16(h.data() + 28, files);
        cabformat::PutU16(h.data() + 30, flags);
        return h;
    };
    QByteArray blocks = header(52, 44, 1, 0, 0);
    blocks += QByteArray("\x24\0\0\0\xFF\xFF\x01\0", 8);  // one folder claiming 65535 data blocks
    blocks += QByteArray(8, '\0');
    QByteArray reserve = header(48, 48, 0, 0, cabformat::kFlagReservePresent);
    reserve += QByteArray("\xFF\xFF\0\0", 4);  // a header reserve of 65535 bytes
    reserve += QByteArray(8, '\0');
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"files far past the end", header(36, 0xFFFFFFFF, 0, 0xFFFF, 0)},
        {"size past the end", header(0xFFFFFFFF, 36, 0, 0xFFFF, 0)},
        {"folders past the end", header(36, 36, 0xFFFF, 0, 0)},
        {"data blocks past the end", blocks},
        {"reserve past the end", reserve},
    };
    TempFolder dir;
    for (const auto& c : cases) {
        const QString file = dir.write(QStringLiteral("hostile.cab"), c.bytes);
        // A reader that sized its buffers from the claims would fail to get them under the cap.
        const CappedRun run = RunWithMemoryCap(64 << 20, [&] {
            const cabformat::DirectoryResult fromFile = cabformat::ReadDirectory(file);
            const cabformat::DirectoryResult fromBytes = cabformat::ParseDirectory(c.bytes);
            TCabErf erf;
            const bool extracted = ExtractSet(file, dir.file(QStringLiteral("out")), erf);
            return fromFile.Error == FDIERROR_CORRUPT_CABINET && fromBytes.Error == FDIERROR_CORRUPT_CABINET &&
                   !extracted && erf.Oper == FDIERROR_CORRUPT_CABINET;
        });
        EXPECT_EQ(run, CappedRun::Passed) << c.name << ": " << CappedRunName(run);
    }
    // A whole cabinet cut off behind its directory is refused before anything is extracted.
    Fixture fx;
    fx.Add(QStringLiteral("a.txt"), Compressible(100000));
    const QString cab = fx.dir.file(QStringLiteral("ok.cab"));
    TCabErf erf;
    ASSERT_TRUE(WriteSet(cab, fx.sources, erf));
    const cabformat::DirectoryResult cut = cabformat::ParseDirectory(ReadAll(cab).chopped(1));
    EXPECT_EQ(cut.Error, FDIERROR_CORRUPT_CABINET);
    EXPECT_TRUE(cabformat::ParseDirectory(ReadAll(cab)).Ok());
}
