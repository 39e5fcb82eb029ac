// The cabinet components: the writer's properties, name templates, thresholds, events and
// abort; the reader's events, targets and options; the error texts; and the mends: a failed
// backup keeps the earlier cabinet, foreign archive names cannot leave the target folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTranslator>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>

#include "core/fmxutils.h"
#include "exchange/cabcomps.h"
#include "platform/cabinet/cabcompressor.h"
#include "platform/cabinet/cabformat.h"
#include "tests/support/qstringprinter.h"
#include "tests/support/testenv.h"

namespace {

QByteArray Text(int size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out;
    while (out.size() < size)
        out += "Lauf " + QByteArray::number(rng.bounded(100000)) + " km;";
    out.truncate(size);
    return out;
}

QByteArray Noise(int size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        out[i] = char(rng.bounded(256));
    return out;
}

QByteArray ReadAll(const QString& fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

template <typename F>
QString MessageOf(F&& f)
{
    try {
        f();
    } catch (const ECabinet& e) {
        return e.Message();
    }
    return QStringLiteral("(nothing raised)");
}

QStringList Hidden(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".*part*")}, QDir::Files | QDir::Hidden);
}

// Writes a cabinet with the library directly, for archive names the writer would never make.
void WriteRaw(const QString& cab, const std::vector<std::pair<QString, QString>>& sourcesAndNames)
{
    TCabErf erf;
    TCCAB c;
    c.CabinetName = QFileInfo(cab).fileName();
    c.CabinetPath = QFileInfo(cab).absolutePath() + QLatin1Char('/');
    TCabCompressorCallbacks cb;
    cb.GetOpenInfo = [](const QString& s, uint16_t&, uint16_t&, uint16_t&, int& error) {
        const int fd = ::open(QFile::encodeName(s).constData(), O_RDONLY);
        error = errno;
        return fd;
    };
    auto w = TCabCompressor::Create(erf, c, cb);
    ASSERT_TRUE(w);
    for (const auto& [source, name] : sourcesAndNames)
        ASSERT_TRUE(w->AddFile(source, name, false, tcompTYPE_MSZIP));
    ASSERT_TRUE(w->FlushCabinet(false));
}

}  // namespace

TEST(CabWriter, DefaultsCompressionCodesAndNameTemplates)
{
    TCabWriter w;
    EXPECT_EQ(w.CompressionType(), cctLzx);
    EXPECT_EQ(w.CompressionLzxLevel(), 21);
    EXPECT_EQ(w.CompressionCode(), 0x1503);
    w.SetCompressionLzxLevel(15);
    EXPECT_EQ(w.CompressionCode(), 0x0F03);
    w.SetCompressionType(cctMsZip);
    EXPECT_EQ(w.CompressionCode(), 1);
    w.SetCompressionType(cctNone);
    EXPECT_EQ(w.CompressionCode(), 0);
    EXPECT_FALSE(w.IsOpen());

    TempFolder dir;
    w.SetCompressionType(cctMsZip);
    w.Open(dir.file(QStringLiteral("backup.cab")));
    EXPECT_EQ(w.FileName(), dir.file(QStringLiteral("backup.cab")));
    EXPECT_EQ(w.GetCabinetName(2), QStringLiteral("backup2.cab"));
    EXPECT_EQ(w.GetCabinetPath(3), dir.path() + QLatin1Char('/'));
    EXPECT_EQ(w.GetDiskLabel(1), QStringLiteral("Disk1"));
    w.SetCabinetNameTemplate(QStringLiteral("teil*-*.cab"));
    w.SetCabinetPathTemplate(QStringLiteral("/media/disk*"));
    w.SetDiskLabelTemplate(QStringLiteral("Diskette *"));
    EXPECT_EQ(w.GetCabinetName(12), QStringLiteral("teil12-12.cab"));
    EXPECT_EQ(w.GetCabinetPath(2), QStringLiteral("/media/disk2/"));
    EXPECT_EQ(w.GetDiskLabel(3), QStringLiteral("Diskette 3"));
    w.Close(false);
    w.SetCabinetNameTemplate(QString());
    w.Open(dir.file(QStringLiteral("sicherung")));
    EXPECT_EQ(w.GetCabinetName(2), QStringLiteral("sicherung2"));
    w.Close(false);
    // Closed without a flush: nothing was written.
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("sicherung"))));
    EXPECT_TRUE(Hidden(dir.path()).isEmpty());
}

TEST(CabWriter, OneCabinetHoldsEveryFileAndTwoFilesOfOneName)
{
    TempFolder dir;
    QDir().mkpath(dir.file(QStringLiteral("a")));
    QDir().mkpath(dir.file(QStringLiteral("b")));
    const QString first = dir.write(QStringLiteral("a/ansicht.co5"), "erste Ansicht");
    const QString second = dir.write(QStringLiteral("b/ansicht.co5"), "zweite Ansicht");
    const QString db = dir.write(QStringLiteral("läufer.orv"), Text(200000, 1));
    const QString cab = dir.file(QStringLiteral("neu/unter/backup.cab"));  // missing folders are created
    {
        TCabWriter w;
        w.SetCompressionType(cctMsZip);
        w.Open(cab);
        w.AddFile(db, QStringLiteral("\\läufer.orv"));
        for (int i = 0; i < 20; ++i)
            w.AddFile(dir.write(QStringLiteral("m%1.mt5").arg(i), Text(500 + i, i)), QStringLiteral("m%1.mt5").arg(i));
        w.AddFile(first, QStringLiteral("ansicht.co5"));
        w.AddFile(second, QStringLiteral("ansicht.co5"));
        w.Close(true);
    }
    EXPECT_EQ(QDir(dir.file(QStringLiteral("neu/unter"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("backup.cab")});

    TCabReader r;
    QStringList names;
    QStringList targets;
    int n = 0;
    r.OnCopyFile = [&](TCabReader*, const QString& src, int, uint16_t, uint16_t, uint16_t, uint16_t, QString& dst, bool&) {
        names << src;
        if (src == QLatin1String("m0.mt5"))
            dst.clear();  // an empty target skips the file
        if (src == QLatin1String("ansicht.co5"))
            dst = dir.file(QStringLiteral("out/ansicht%1.co5").arg(++n));
        targets << dst;
    };
    r.ExtractAll(cab, dir.file(QStringLiteral("out")));
    ASSERT_EQ(names.size(), 23);
    EXPECT_EQ(names.front(), QStringLiteral("läufer.orv"));
    EXPECT_EQ(names.mid(21), (QStringList{QStringLiteral("ansicht.co5"), QStringLiteral("ansicht.co5")}));
    EXPECT_EQ(ReadAll(dir.file(QStringLiteral("out/läufer.orv"))), ReadAll(db));
    EXPECT_EQ(ReadAll(dir.file(QStringLiteral("out/ansicht1.co5"))), QByteArray("erste Ansicht"));
    EXPECT_EQ(ReadAll(dir.file(QStringLiteral("out/ansicht2.co5"))), QByteArray("zweite Ansicht"));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("out/m0.mt5"))));
    EXPECT_TRUE(QFileInfo::exists(dir.file(QStringLiteral("out/m1.mt5"))));
}

TEST(CabWriter, FileCountThresholdMakesALinkedSetNamedByTheTemplate)
{
    TempFolder dir;
    std::vector<QString> events;
    TCabWriter w;
    w.SetCompressionType(cctMsZip);
    w.SetCabinetFileCountThreshold(2);
    w.SetCabinetPathTemplate(dir.file(QStringLiteral("disk*")));
    w.OnGetNextCabinet = [&](TCabWriter*, TCCAB& c, uint32_t prev, bool&) {
        events.push_back(QStringLiteral("next %1 %2 %3 %4").arg(c.CabinetNo).arg(c.DiskNo).arg(c.CabinetName, c.DiskLabel));
    };
    w.Open(dir.file(QStringLiteral("backup.cab")));
    for (int i = 1; i <= 5; ++i)
        w.AddFile(dir.write(QStringLiteral("f%1.txt").arg(i), Text(1000 * i, i)), QStringLiteral("f%1.txt").arg(i));
    w.Close(true);
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("next 0 1 backup.cab Disk1"),
                                            QStringLiteral("next 2 2 backup2.cab Disk2"),
                                            QStringLiteral("next 3 3 backup3.cab Disk3")}));
    EXPECT_TRUE(QFileInfo::exists(dir.file(QStringLiteral("backup.cab"))));
    EXPECT_TRUE(QFileInfo::exists(dir.file(QStringLiteral("disk2/backup2.cab"))));
    EXPECT_TRUE(QFileInfo::exists(dir.file(QStringLiteral("disk3/backup3.cab"))));

    // The reader follows the header's next cabinet in the same folder; put the set together.
    QFile::rename(dir.file(QStringLiteral("disk2/backup2.cab")), dir.file(QStringLiteral("backup2.cab")));
    QFile::rename(dir.file(QStringLiteral("disk3/backup3.cab")), dir.file(QStringLiteral("backup3.cab")));
    TCabReader r;
    QStringList infos;
    r.OnCabinetInfo = [&](TCabReader*, const QString& next, const QString& disk, const QString&, uint16_t, uint16_t no, bool&) {
        infos << QStringLiteral("%1:%2:%3").arg(no).arg(next, disk);
    };
    r.ExtractAll(dir.file(QStringLiteral("backup.cab")), dir.file(QStringLiteral("out")));
    EXPECT_EQ(infos, (QStringList{QStringLiteral("0:backup2.cab:Disk2"), QStringLiteral("1:backup3.cab:Disk3"),
                                  QStringLiteral("2::")}));
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(ReadAll(dir.file(QStringLiteral("out/f%1.txt").arg(i))), Text(1000 * i, i)) << i;
    // With the single-cabinet flag only the first cabinet's two files come out.
    r.ExtractAll(dir.file(QStringLiteral("backup.cab")), dir.file(QStringLiteral("single")), true);
    EXPECT_EQ(QDir(dir.file(QStringLiteral("single"))).entryList(QDir::Files).size(), 2);
}

TEST(CabWriter, SizeThresholdSetIsReadAcrossFoldersThroughOnNextCabinet)
{
    TempFolder dir;
    const QByteArray big = Noise(150000, 5);
    const QString src = dir.write(QStringLiteral("gross.bin"), big);
    TCabWriter w;
    w.SetCompressionType(cctMsZip);
    w.SetCabinetSizeThreshold(50000);
    w.SetCabinetPathTemplate(dir.file(QStringLiteral("disk*")));
    std::vector<QString> placed;
    w.OnFilePlaced = [&](TCabWriter*, const TCCAB& c, const QString& name, int size, bool cont, bool&) {
        placed.push_back(QStringLiteral("%1 %2 %3%4").arg(name).arg(size).arg(c.CabinetName, cont ? QStringLiteral(" +") : QString()));
    };
    w.Open(dir.file(QStringLiteral("set.cab")));
    w.AddFile(src, QStringLiteral("gross.bin"));
    w.Close(true);
    ASSERT_GE(placed.size(), 4u);
    EXPECT_EQ(placed[0], QStringLiteral("gross.bin 150000 set.cab"));
    EXPECT_EQ(placed[1], QStringLiteral("gross.bin 150000 set2.cab +"));
    EXPECT_TRUE(QFileInfo::exists(dir.file(QStringLiteral("disk3/set3.cab"))));

    TCabReader r;
    QStringList asked;
    r.OnNextCabinet = [&](TCabReader*, const QString& cab, const QString& disk, QString& path, TFDIERROR, bool&) {
        asked << cab + QLatin1Char('@') + disk;
        path = dir.file(disk.toLower());
    };
    r.ExtractAll(dir.file(QStringLiteral("set.cab")), dir.file(QStringLiteral("out")));
    EXPECT_EQ(asked.front(), QStringLiteral("set2.cab@Disk2"));
    EXPECT_EQ(ReadAll(dir.file(QStringLiteral("out/gross.bin"))), big);

    // Without a handler a missing next cabinet is reported with its name, not taken for success.
    TCabReader plain;
    EXPECT_EQ(MessageOf([&] { plain.ExtractAll(dir.file(QStringLiteral("set.cab")), dir.file(QStringLiteral("out2"))); }),
              QStringLiteral("Cabinet nicht gefunden [0x0001].\r\nDas System kann die angegebene Datei nicht finden. "
                             "[0x0002].\r\nDatei: \"%1\"")
                  .arg(dir.file(QStringLiteral("set2.cab"))));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("out2/gross.bin"))));
    EXPECT_TRUE(Hidden(dir.file(QStringLiteral("out2"))).isEmpty());
}

TEST(CabWriter, EventOrderProgressTicksAndSkipping)
{
    TempFolder dir;
    const QString a = dir.write(QStringLiteral("a.bin"), Noise(20 * 32768, 1));  // twenty data blocks
    const QString b = dir.write(QStringLiteral("b.txt"), "b");
    const QString c = dir.write(QStringLiteral("c.txt"), "c");
    std::vector<QString> ev;
    int blocks = 0;
    TCabWriter w;
    w.SetCompressionType(cctMsZip);
    w.SetCabinetFileCountThreshold(2);
    w.OnBeforeFileAdd = [&](TCabWriter*, const QString& f, bool& skip) {
        ev.push_back(QStringLiteral("before ") + QFileInfo(f).fileName());
        skip = f == b;
    };
    w.OnFileStatus = [&](TCabWriter*, uint32_t, uint32_t u, bool&) {
        ++blocks;
        if (ev.empty() || !ev.back().startsWith(QLatin1String("block")))
            ev.push_back(QStringLiteral("block"));
    };
    w.OnProgress = [&](TCabWriter*, bool&) { ev.push_back(QStringLiteral("progress at %1").arg(blocks)); };
    w.OnFilePlaced = [&](TCabWriter*, const TCCAB&, const QString& n, int, bool, bool&) { ev.push_back(QStringLiteral("placed ") + n); };
    w.OnFolderStatus = [&](TCabWriter*, uint32_t, uint32_t, bool&) { ev.push_back(QStringLiteral("folder")); };
    w.OnCabinetStatus = [&](TCabWriter*, uint32_t, uint32_t actual, uint32_t&, bool&) {
        ev.push_back(QStringLiteral("cabinet"));
    };
    w.Open(dir.file(QStringLiteral("x.cab")));
    w.AddFile(a, QStringLiteral("a.bin"));
    w.AddFile(b, QStringLiteral("b.txt"));  // skipped: does not count towards the threshold
    w.AddFile(c, QStringLiteral("c.txt"));
    w.Close(true);
    const std::vector<QString> expected{
        QStringLiteral("before a.bin"), QStringLiteral("block"), QStringLiteral("progress at 2"),
        QStringLiteral("block"), QStringLiteral("progress at 11"), QStringLiteral("block"),
        QStringLiteral("progress at 20"),
        QStringLiteral("before b.txt"), QStringLiteral("before c.txt"), QStringLiteral("block"),
        QStringLiteral("placed a.bin"), QStringLiteral("placed c.txt"), QStringLiteral("folder"), QStringLiteral("cabinet")};
    EXPECT_EQ(ev, expected);
    EXPECT_EQ(blocks, 21);
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("x2.cab"))));  // two files: one cabinet
}

TEST(CabWriter, AbortFromAnEventEndsWithTheAbortTextAndWritesNothing)
{
    TempFolder dir;
    const QString a = dir.write(QStringLiteral("a.bin"), Noise(100000, 1));
    const QString cab = dir.write(QStringLiteral("x.cab"), "frühere Sicherung");
    const struct {
        const char* event;
    } cases[] = {{"file"}, {"progress"}, {"placed"}, {"folder"}, {"cabinet"}};
    for (const auto& c : cases) {
        const QString e = QString::fromLatin1(c.event);
        TCabWriter w;
        w.SetCompressionType(cctMsZip);
        w.OnFileStatus = [&](TCabWriter*, uint32_t, uint32_t, bool& abort) { abort = e == QLatin1String("file"); };
        w.OnProgress = [&](TCabWriter*, bool& abort) { abort = e == QLatin1String("progress"); };
        w.OnFilePlaced = [&](TCabWriter*, const TCCAB&, const QString&, int, bool, bool& abort) { abort = e == QLatin1String("placed"); };
        w.OnFolderStatus = [&](TCabWriter*, uint32_t, uint32_t, bool& abort) { abort = e == QLatin1String("folder"); };
        w.OnCabinetStatus = [&](TCabWriter*, uint32_t, uint32_t, uint32_t&, bool& abort) { abort = e == QLatin1String("cabinet"); };
        w.Open(cab);
        EXPECT_EQ(MessageOf([&] {
                      w.AddFile(a, QStringLiteral("a.bin"));
                      w.Close(true);
                  }),
                  QStringLiteral("Abbruch durch den Aufrufer [0x0007]"))
            << c.event;
        w.Close(false);
        EXPECT_EQ(ReadAll(cab), QByteArray("frühere Sicherung")) << c.event;
        EXPECT_TRUE(Hidden(dir.path()).isEmpty()) << c.event;
    }
    // Open aborted through OnGetNextCabinet: no context and no error.
    TCabWriter w;
    w.OnGetNextCabinet = [](TCabWriter*, TCCAB&, uint32_t, bool& abort) { abort = true; };
    w.Open(dir.file(QStringLiteral("y.cab")));
    EXPECT_FALSE(w.IsOpen());
    EXPECT_EQ(MessageOf([&] { w.AddFile(a, QStringLiteral("a.bin")); }), QStringLiteral("FCI-Fehler"));
}

TEST(CabWriter, FailedBackupKeepsTheEarlierCabinetAndReportsTheSource)
{
    TempFolder dir;
    const QString cab = dir.write(QStringLiteral("backup.cab"), "frühere Sicherung");
    const QString db = dir.write(QStringLiteral("daten.orv"), Text(100000, 3));
    {
        TCabWriter w;
        w.SetCompressionType(cctMsZip);
        w.Open(cab);
        w.AddFile(db, QStringLiteral("daten.orv"));
        EXPECT_EQ(MessageOf([&] { w.AddFile(dir.file(QStringLiteral("fehlt.co5")), QStringLiteral("fehlt.co5")); }),
                  QStringLiteral("Fehler beim Öffnen einer Datei, die im Cabinet gespeichert werden soll [0x0001].\r\n"
                                 "Das System kann die angegebene Datei nicht finden. [0x0002].\r\nDatei: \"%1\"")
                      .arg(dir.file(QStringLiteral("fehlt.co5"))));
    }  // the writer is freed without a flush, as the backup wizard does after an error
    EXPECT_EQ(ReadAll(cab), QByteArray("frühere Sicherung"));
    EXPECT_TRUE(Hidden(dir.path()).isEmpty());

    TCabWriter lzx;  // the default compression is not written by our library
    lzx.Open(dir.file(QStringLiteral("lzx.cab")));
    EXPECT_EQ(MessageOf([&] { lzx.AddFile(db, QStringLiteral("daten.orv")); }), QStringLiteral("Unbekannter Komprimierungstyp [0x0005]"));
}

TEST(CabReader, TargetsOptionsTimesAndAttributes)
{
    TempFolder dir;
    const QString a = dir.write(QStringLiteral("a.txt"), "neu a");
    const QString ro = dir.write(QStringLiteral("ro.txt"), "neu ro");
    const QDateTime stamp(QDate(2020, 5, 6), QTime(7, 8, 10));
    for (const QString& f : {a, ro}) {
        QFile file(f);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(stamp, QFileDevice::FileModificationTime);
    }
    QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    const QString cab = dir.file(QStringLiteral("x.cab"));
    {
        TCabWriter w;
        w.SetCompressionType(cctMsZip);
        w.Open(cab);
        w.AddFile(a, QStringLiteral("Ordner\\Unter\\a.txt"), true);
        w.AddFile(ro, QStringLiteral("ro.txt"));
        w.Close(true);
    }
    // Into a folder that does not exist, with the subfolders of the archive names.
    TCabReader r;
    QStringList ev;
    r.OnCabinetInfo = [&](TCabReader*, const QString&, const QString&, const QString&, uint16_t, uint16_t, bool&) { ev << "info"; };
    r.OnCopyFile = [&](TCabReader*, const QString& s, int size, uint16_t, uint16_t, uint16_t, uint16_t, QString&, bool&) {
        ev << QStringLiteral("copy %1 %2").arg(s).arg(size);
    };
    r.OnCloseFile = [&](TCabReader*, const QString& s, uint16_t, uint16_t, uint16_t attrs, uint16_t, bool& exec, const QString& dst, bool&) {
        ev << QStringLiteral("close %1 %2 %3").arg(s).arg(exec).arg(QFileInfo(dst).fileName());
    };
    std::vector<TShellStart> started;
    SetShellStarter([&](const TShellStart& s) {
        started.push_back(s);
        return true;
    });
    r.ExtractAll(cab, dir.file(QStringLiteral("neu")));
    EXPECT_EQ(ev, (QStringList{"info", "copy Ordner\\Unter\\a.txt 5", "close Ordner\\Unter\\a.txt 1 a.txt", "copy ro.txt 6",
                               "close ro.txt 0 ro.txt"}));
    EXPECT_TRUE(started.empty());  // the run mark is honoured only with croExecuteOnExtract
    const QString outA = dir.file(QStringLiteral("neu/Ordner/Unter/a.txt"));
    const QString outRo = dir.file(QStringLiteral("neu/ro.txt"));
    EXPECT_EQ(ReadAll(outA), QByteArray("neu a"));
    EXPECT_EQ(QFileInfo(outA).lastModified(), stamp);
    EXPECT_EQ(QFileInfo(outRo).lastModified(), stamp);
    EXPECT_TRUE(QFileInfo(outA).isWritable());
    EXPECT_FALSE(QFileInfo(outRo).permissions() & QFileDevice::WriteOwner);

    // Over existing files: a read-only one is replaced, or left alone with the option.
    dir.write(QStringLiteral("neu/ro.txt"), "alt");
    QFile::setPermissions(outRo, QFileDevice::ReadOwner);
    r.OnCabinetInfo = nullptr;
    r.OnCopyFile = nullptr;
    r.OnCloseFile = nullptr;
    r.SetOptions(croDontOverwriteReadOnlyFiles | croExecuteOnExtract);
    QFile::remove(outA);
    r.ExtractAll(cab, dir.file(QStringLiteral("neu")));
    EXPECT_EQ(ReadAll(outRo), QByteArray("alt"));
    EXPECT_EQ(ReadAll(outA), QByteArray("neu a"));  // extraction went on after the skipped file
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].FileName, outA);
    r.SetOptions({});
    r.ExtractAll(cab, dir.file(QStringLiteral("neu")));
    EXPECT_EQ(ReadAll(outRo), QByteArray("neu ro"));
    SetShellStarter(nullptr);
}

TEST(CabReader, ForeignNamesCannotLeaveTheTargetFolder)
{
    TempFolder dir;
    const QString src = dir.write(QStringLiteral("payload.txt"), "böse");
    const QString outside = QStringLiteral("/tmp/orv_cab_%1").arg(QCoreApplication::applicationPid());
    const QStringList names{QStringLiteral("..\\evil.txt"), QStringLiteral("../evil.txt"), outside,
                            QStringLiteral("C:\\evil.txt"), QStringLiteral("ok\\..\\..\\evil.txt")};
    for (const QString& name : names) {
        const QString cab = dir.file(QStringLiteral("evil.cab"));
        WriteRaw(cab, {{src, QStringLiteral("gut.txt")}, {src, name}});
        TCabReader r;
        EXPECT_EQ(MessageOf([&] { r.ExtractAll(cab, dir.file(QStringLiteral("ziel/tief"))); }),
                  QStringLiteral("Die Cabinet-Datei ist beschädigt [0x0004].\r\nUnzulässiger Dateiname im Cabinet: \"%1\"").arg(name));
        // Nothing of the cabinet is extracted, not even the harmless file before it.
        EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("ziel"))));
        EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("ziel/evil.txt"))));
        EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("evil.txt"))));
        EXPECT_FALSE(QFileInfo::exists(outside));
    }
}

TEST(CabReader, DamagedAndMissingCabinetsRaiseTheirTexts)
{
    TempFolder dir;
    const QString cab = dir.file(QStringLiteral("x.cab"));
    {
        TCabWriter w;
        w.SetCompressionType(cctMsZip);
        w.Open(cab);
        w.AddFile(dir.write(QStringLiteral("a.txt"), Text(200000, 9)), QStringLiteral("a.txt"));
        w.Close(true);
    }
    QByteArray bytes = ReadAll(cab);
    bytes[bytes.size() - 500] = char(bytes[bytes.size() - 500] ^ 0x20);
    const QString damaged = dir.write(QStringLiteral("kaputt.cab"), bytes);
    const QString text = dir.write(QStringLiteral("text.cab"), "keine Cabinet-Datei");
    TCabReader r;
    EXPECT_EQ(MessageOf([&] { r.ExtractAll(damaged, dir.file(QStringLiteral("out"))); }),
              QStringLiteral("Die Cabinet-Datei ist beschädigt [0x0004]"));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("out/a.txt"))));
    EXPECT_TRUE(Hidden(dir.file(QStringLiteral("out"))).isEmpty());
    EXPECT_EQ(MessageOf([&] { r.ExtractAll(text, dir.file(QStringLiteral("out"))); }),
              QStringLiteral("Die Cabinet-Datei hat nicht das richtige Format [0x0002]"));
    EXPECT_EQ(MessageOf([&] { r.ExtractAll(dir.file(QStringLiteral("fehlt.cab")), dir.file(QStringLiteral("out"))); }),
              QStringLiteral("Cabinet nicht gefunden [0x0001].\r\nDas System kann die angegebene Datei nicht finden. "
                             "[0x0002].\r\nDatei: \"%1\"")
                  .arg(dir.file(QStringLiteral("fehlt.cab"))));
    // A target that cannot be written: a file stands where the folder should be.
    dir.write(QStringLiteral("blockiert"), "Datei");
    const QString m = MessageOf([&] { r.ExtractAll(cab, dir.file(QStringLiteral("blockiert"))); });
    EXPECT_TRUE(m.startsWith(QStringLiteral("Fehler beim Schreiben in die Zieldatei [0x0008].\r\n"))) << m.toStdString();
}

TEST(CabComponents, ErrorTextsInEnglish)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral("cabinet_en"),
                             QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/lang"))));
    QCoreApplication::installTranslator(&english);
    TempFolder dir;
    TCabReader r;
    EXPECT_EQ(MessageOf([&] { r.ExtractAll(dir.file(QStringLiteral("fehlt.cab")), dir.path()); }),
              QStringLiteral("Cabinet not found [0x0001].\r\nThe system cannot find the file specified. [0x0002].\r\n"
                             "File: \"%1\"")
                  .arg(dir.file(QStringLiteral("fehlt.cab"))));
    TCabWriter w;
    w.Open(dir.file(QStringLiteral("x.cab")));
    EXPECT_EQ(MessageOf([&] { w.AddFile(dir.write(QStringLiteral("a"), "a"), QStringLiteral("a")); }),
              QStringLiteral("Unknown compression type [0x0005]"));
    QCoreApplication::removeTranslator(&english);
    const struct {
        int code;
        bool writer;
        const char* english;
    } texts[] = {{0, true, "No error"},
                 {2, true, "Failure reading file to be stored in cabinet"},
                 {4, true, "Could not create a temporary file"},
                 {6, true, "Could not create cabinet file"},
                 {8, true, "Failure compressing data"},
                 {9, true, "FCI error"},
                 {3, false, "Cabinet file has an unknown version number"},
                 {7, false, "Failure decompressing data from a cabinet file"},
                 {9, false, "Cabinets in a set do not have the same RESERVE sizes"},
                 {10, false, "Cabinet returned on fdintNEXT_CABINET is incorrect"},
                 {11, false, "FDI aborted"},
                 {12, false, "FDI error"}};
    QCoreApplication::installTranslator(&english);
    for (const auto& t : texts) {
        const TCabErf erf{t.code, 0, true};
        const QString hex = QString::number(t.code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
        EXPECT_EQ(ECabinet(erf, t.writer).Message(), QString::fromLatin1(t.english) + QStringLiteral(" [0x") + hex + QLatin1Char(']'));
    }
    EXPECT_EQ(ECabinet(TCabErf(), false).Message(), QStringLiteral("FDI error"));
    QCoreApplication::removeTranslator(&english);
}

TEST(CabComponents, AFullDiskEndsWithAnErrorAndLeavesNoHalfFile)
{
    TempFolder dir;
    const QByteArray data = Noise(300000, 8);
    const QString src = dir.write(QStringLiteral("daten.orv"), data);
    const QString cab = dir.file(QStringLiteral("backup.cab"));
    {
        TCabWriter w;
        w.SetCompressionType(cctNone);
        w.Open(cab);
        w.AddFile(src, QStringLiteral("daten.orv"));
        w.Close(true);
    }
    QDir().mkpath(dir.file(QStringLiteral("out")));
    dir.write(QStringLiteral("out/daten.orv"), "alte Datenbank");
    // A file size limit stands in for a full disk: every write past it fails.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100000;
    ::setrlimit(RLIMIT_FSIZE, &small);
    TCabReader r;
    const QString readMessage = MessageOf([&] { r.ExtractAll(cab, dir.file(QStringLiteral("out"))); });
    TCabWriter w;
    w.SetCompressionType(cctNone);
    w.Open(dir.file(QStringLiteral("neu.cab")));
    const QString writeMessage = MessageOf([&] {
        w.AddFile(src, QStringLiteral("daten.orv"));
        w.Close(true);
    });
    w.Close(false);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(readMessage, QStringLiteral("Fehler beim Schreiben in die Zieldatei [0x0008].\r\nDie Datei ist zu groß. [0x001B]."));
    EXPECT_EQ(ReadAll(dir.file(QStringLiteral("out/daten.orv"))), QByteArray("alte Datenbank"));
    EXPECT_TRUE(Hidden(dir.file(QStringLiteral("out"))).isEmpty());
    EXPECT_TRUE(writeMessage.endsWith(QStringLiteral(".\r\nDie Datei ist zu groß. [0x001B]."))) << writeMessage.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("neu.cab"))));
    EXPECT_TRUE(Hidden(dir.path()).isEmpty());
}

TEST(CabWriter, FolderThresholdsStartNewFolders)
{
    const struct {
        uint32_t files;
        uint32_t size;
        size_t folders;
    } cases[] = {{0, 0, 1}, {2, 0, 3}, {0, 1000, 5}, {4, 1000, 5}};
    for (const auto& c : cases) {
        TempFolder dir;
        TCabWriter w;
        w.SetCompressionType(cctMsZip);
        w.SetFolderFileCountThreshold(c.files);
        w.SetFolderSizeThreshold(c.size);
        w.Open(dir.file(QStringLiteral("x.cab")));
        for (int i = 0; i < 5; ++i)
            w.AddFile(dir.write(QStringLiteral("f%1").arg(i), Noise(5000, i)), QStringLiteral("f%1").arg(i));
        w.Close(true);
        const cabformat::DirectoryResult d = cabformat::ReadDirectory(dir.file(QStringLiteral("x.cab")));
        ASSERT_TRUE(d.Ok());
        EXPECT_EQ(d.Dir.Folders.size(), c.folders) << c.files << "/" << c.size;
        EXPECT_EQ(d.Dir.Files.size(), 5u);
    }
}
