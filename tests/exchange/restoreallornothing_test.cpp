// A restore is one step: a cabinet that fails part-way (cut off, a damaged entry in the middle,
// a full disk, a name taken by a folder, a set missing a cabinet) leaves the target folder byte
// for byte as it was and says that nothing was restored; a complete one replaces every file.
// Spanned sets: a later cabinet alone is refused naming the first, header names in another letter
// case are followed, a missing cabinet is named. Restored files' permissions, and what a killed
// backup or restore leaves for the next one to remove.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "exchange/backupcabinet.h"
#include "exchange/cabcomps.h"
#include "platform/cabinet/cabformat.h"
#include "platform/db/connection.h"
#include "tests/core/dbserverfixture.h"
#include "tests/support/childprocess.h"
#include "tests/support/messages.h"
#include "tests/support/testenv.h"

namespace {

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray noise(int size, quint32 seed)
{
    QByteArray out(size, Qt::Uninitialized);
    quint32 x = seed * 2654435761u + 1;
    for (int i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        out[i] = char(x);
    }
    return out;
}

mode_t modeOf(const QString& file)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(file).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

mode_t usualMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Every entry below a folder, hidden ones included, with its permissions and a hash of its bytes.
QMap<QString, QString> snapshot(const QString& folder)
{
    QMap<QString, QString> result;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        result.insert(QDir(folder).relativeFilePath(path),
                      QString::number(modeOf(path), 8) + QLatin1Char(' ') +
                          (info.isDir()
                               ? QStringLiteral("folder")
                               : QString::fromLatin1(
                                     QCryptographicHash::hash(readAll(path), QCryptographicHash::Sha256).toHex())));
    }
    return result;
}

QStringList hiddenIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden | QDir::System);
}

// Flips a byte of the data block that holds the uncompressed offset `at` of the cabinet's first
// folder: the entry there fails its checksum, the ones before it decode.
void damageDataAt(const QString& cabinet, qint64 at)
{
    QByteArray bytes = readAll(cabinet);
    const cabformat::DirectoryResult dir = cabformat::ParseDirectory(bytes);
    ASSERT_TRUE(dir.Ok());
    qint64 pos = dir.Dir.Folders.at(0).DataOffset;
    qint64 uncompressed = 0;
    for (int block = 0; block < dir.Dir.Folders.at(0).BlockCount; ++block) {
        const uint16_t size = cabformat::GetU16(bytes.constData() + pos + 4);
        const uint16_t plain = cabformat::GetU16(bytes.constData() + pos + 6);
        if (uncompressed + plain > at) {
            bytes[pos + cabformat::kDataHeaderSize + size / 2] ^= 0x5A;
            QFile f(cabinet);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(bytes);
            return;
        }
        uncompressed += plain;
        pos += cabformat::kDataHeaderSize + size;
    }
    FAIL() << "no block holds offset " << at;
}

// Writes every write past `limit` bytes of a file fails (EFBIG), as on a full disk, while it
// lives; with `kill` the process is killed by the signal instead, as by a kill part-way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit, bool kill = false)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        old_ = std::signal(SIGXFSZ, kill ? SIG_DFL : SIG_IGN);
        rlimit small = saved_;
        small.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, old_);
    }

private:
    rlimit saved_{};
    void (*old_)(int) = nullptr;
};

class RestoreTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        db.exec("INSERT INTO DATEN (Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
                "Hoehendifferenz, Ort) VALUES (45101, 0.02, 5000, 1, 1, 1, 1, 0, 'Stadtpark')");
        open();
        dbSize = QFileInfo(db.path()).size();
        // The database comes first, then a large entry, then a small one.
        sources = {src.write(QStringLiteral("spalten.co5"), noise(int(dbSize) * 3, 7)),
                   src.write(QStringLiteral("muster.mt5"), "neue Vorlage")};
        cabinet = out.file(QStringLiteral("backup.cab"));
        WriteBackupCabinet(server.orvDB, db.path(), sources, cabinet);

        // The athlete's folder holds a newer database, an older template and a file of its own.
        target.write(QStringLiteral("athlet.orv"), "die neuere Datenbank");
        QFile::setPermissions(target.file(QStringLiteral("athlet.orv")), QFile::ReadOwner | QFile::WriteOwner);
        target.write(QStringLiteral("muster.mt5"), "alte Vorlage");
        target.write(QStringLiteral("notiz.txt"), "gehört dem Läufer");
    }

    // A set with one file per cabinet: backup.cab, backup2.cab, backup3.cab in `folder`.
    QString writeSet(const QString& folder, const QString& nameTemplate = QString(),
                     const QString& first = QStringLiteral("backup.cab"))
    {
        QDir().mkpath(folder);
        TCabWriter w;
        w.SetCompressionType(cctMsZip);
        w.SetCabinetFileCountThreshold(1);
        w.SetCabinetNameTemplate(nameTemplate);
        w.Open(folder + QLatin1Char('/') + first);
        w.AddFile(db.path(), QStringLiteral("athlet.orv"));
        for (const QString& s : sources)
            w.AddFile(s, QFileInfo(s).fileName());
        w.Close(true);
        return folder + QLatin1Char('/') + first;
    }

    qint64 dbSize = 0;
    TempFolder src, out, target;
    QStringList sources;
    QString cabinet;
};

}  // namespace

TEST_F(RestoreTest, AFailedRestoreLeavesTheTargetFolderByteForByteAndSaysNothingWasRestored)
{
    const QByteArray whole = readAll(cabinet);
    const struct Case {
        const char* name;
        std::function<QString()> make;  // the cabinet to restore
        rlim_t fileSizeLimit;           // 0: none
        const char* message;            // a part of the message
    } cases[] = {
        {"cut off", [&] { return out.write(QStringLiteral("cut.cab"), whole.left(whole.size() * 2 / 3)); }, 0,
         "Die Cabinet-Datei ist beschädigt [0x0004]\nSicherungsdatei: \""},
        {"damaged middle entry",
         [&] {
             const QString damaged = out.write(QStringLiteral("damaged.cab"), whole);
             damageDataAt(damaged, dbSize + dbSize * 3 / 2);
             return damaged;
         },
         0, "[0x000"},
        {"full disk", [&] { return cabinet; }, rlim_t(dbSize * 2), "Fehler beim Schreiben in die Zieldatei"},
        {"set missing its third cabinet",
         [&] {
             const QString first = writeSet(out.file(QStringLiteral("satz")));
             QFile::remove(out.file(QStringLiteral("satz/backup3.cab")));
             return first;
         },
         0, "backup3.cab"},
        // Found only when the files take their real names: the ones renamed before it get their
        // earlier contents back.
        {"name taken by a folder",
         [&] {
             QFile::rename(target.file(QStringLiteral("muster.mt5")), target.file(QStringLiteral("vorlage.alt")));
             QDir().mkpath(target.file(QStringLiteral("muster.mt5/inhalt")));
             return cabinet;
         },
         0, "Fehler beim Schreiben in die Zieldatei [0x0008]"},
    };
    for (const Case& c : cases) {
        const QString cab = c.make();
        QMap<QString, QString> expected = snapshot(target.path());
        QString message;
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (c.fileSizeLimit)
                limit = std::make_unique<FileSizeLimit>(c.fileSizeLimit);
            message = messageOf([&] { RestoreBackupCabinet(cab, target.path(), db.path()); });
        }
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.message))) << c.name << ": " << message.toStdString();
        EXPECT_TRUE(
            message.endsWith(QStringLiteral("Es wurde nichts zurückgesichert; der Zielordner ist unverändert.")))
            << c.name << ": " << message.toStdString();
        EXPECT_EQ(snapshot(target.path()), expected) << c.name;
    }
}

TEST_F(RestoreTest, ACompleteRestoreReplacesEveryFileWithTheBackedUpOneAndKeepsTheDatabasePrivate)
{
    // Into a folder that does not exist yet, and over older files: every file of the cabinet
    // replaces the one of its name, hashed with its permissions; the folder's other files stay.
    const QString fresh = out.file(QStringLiteral("neu/ordner"));
    RestoreBackupCabinet(cabinet, fresh, db.path());
    QMap<QString, QString> expected = snapshot(target.path());
    const QMap<QString, QString> restored = snapshot(fresh);
    for (auto it = restored.begin(); it != restored.end(); ++it)
        expected.insert(it.key(), it.value());
    RestoreBackupCabinet(cabinet, target.path(), db.path());
    EXPECT_EQ(snapshot(target.path()), expected);
    for (const QString& folder : {fresh, target.path()}) {
        EXPECT_EQ(readAll(folder + "/athlet.orv"), readAll(fresh + "/athlet.orv"));
        EXPECT_TRUE(readAll(folder + "/athlet.orv").startsWith("SQLite format 3"));
        EXPECT_EQ(readAll(folder + "/spalten.co5"), readAll(sources[0]));
        EXPECT_EQ(readAll(folder + "/muster.mt5"), QByteArray("neue Vorlage"));
        EXPECT_EQ(modeOf(folder + "/athlet.orv"), mode_t(0600)) << folder.toStdString();
        EXPECT_EQ(modeOf(folder + "/muster.mt5"), usualMode()) << folder.toStdString();
        EXPECT_TRUE(hiddenIn(folder).isEmpty()) << hiddenIn(folder).join(' ').toStdString();
    }
    EXPECT_EQ(readAll(target.file(QStringLiteral("notiz.txt"))), QByteArray("gehört dem Läufer"));
    EXPECT_EQ(QDir(fresh).entryList(QDir::Files), QStringList({"athlet.orv", "muster.mt5", "spalten.co5"}));

    // A read-only entry stays read-only; the umask narrows what is left.
    QFile::setPermissions(sources[1], QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    WriteBackupCabinet(server.orvDB, db.path(), sources, cabinet);
    const mode_t saved = ::umask(027);
    RestoreBackupCabinet(cabinet, target.path(), db.path());
    ::umask(saved);
    EXPECT_EQ(modeOf(target.file(QStringLiteral("muster.mt5"))), mode_t(0440));
    EXPECT_EQ(modeOf(target.file(QStringLiteral("spalten.co5"))), mode_t(0640));
}

TEST_F(RestoreTest, SpannedSetsStartAtTheirFirstCabinetWhateverTheLetterCaseOfTheirNames)
{
    // A later cabinet alone is refused naming the first, found beside it or named by its header.
    const QString first = writeSet(out.file(QStringLiteral("satz")));
    const QMap<QString, QString> before = snapshot(target.path());
    for (bool firstThere : {true, false}) {
        if (!firstThere)
            QFile::rename(first, out.file(QStringLiteral("satz/woanders.cab")));
        for (const char* later : {"backup2.cab", "backup3.cab"}) {
            const QString message = messageOf(
                [&] { RestoreBackupCabinet(out.file(QStringLiteral("satz/")) + later, target.path(), db.path()); });
            EXPECT_TRUE(message.contains(QStringLiteral("setzt einen Satz von Sicherungsdateien fort")))
                << message.toStdString();
            EXPECT_TRUE(message.contains(QStringLiteral("\"%1\".").arg(QDir::toNativeSeparators(first))))
                << message.toStdString();
            EXPECT_TRUE(message.contains(QStringLiteral("Es wurde nichts zurückgesichert"))) << message.toStdString();
            EXPECT_EQ(snapshot(target.path()), before) << later;
        }
    }

    // Header names in capitals, files in small letters, as sets copied from other systems come.
    writeSet(out.file(QStringLiteral("gross")), QStringLiteral("SPLIT-*.CAB"), QStringLiteral("SPLIT-1.CAB"));
    QStringList onDisk;
    for (const QString& f : QDir(out.file(QStringLiteral("gross"))).entryList(QDir::Files)) {
        QFile::rename(out.file(QStringLiteral("gross/") + f), out.file(QStringLiteral("gross/") + f.toLower()));
        onDisk << f.toLower();
    }
    EXPECT_EQ(onDisk.size(), 3) << onDisk.join(' ').toStdString();
    const cabformat::DirectoryResult head = cabformat::ReadDirectory(out.file(QStringLiteral("gross/split-1.cab")));
    ASSERT_TRUE(head.Ok());
    EXPECT_TRUE(head.Dir.NextCabinet.startsWith(QStringLiteral("SPLIT-"))) << head.Dir.NextCabinet.toStdString();
    EXPECT_EQ(CabinetEntryNames(out.file(QStringLiteral("gross/split-1.cab"))),
              QStringList({"athlet.orv", "spalten.co5", "muster.mt5"}));
    RestoreBackupCabinet(out.file(QStringLiteral("gross/split-1.cab")), target.path(), db.path());
    EXPECT_EQ(readAll(target.file(QStringLiteral("muster.mt5"))), QByteArray("neue Vorlage"));
    EXPECT_EQ(readAll(target.file(QStringLiteral("spalten.co5"))), readAll(sources[0]));
}

TEST_F(RestoreTest, WhatAKilledRestoreOrBackupLeavesIsPrivateAndTheNextOneRemovesIt)
{
    // A restore killed while it writes the large entry: the database is complete under its
    // temporary name, the large entry half-written. Neither is readable by others.
    const QMap<QString, QString> before = snapshot(target.path());
    ChildEnd end = RunInChild([&] {
        FileSizeLimit limit(rlim_t(dbSize * 2), true);
        RestoreBackupCabinet(cabinet, target.path(), QString());
        return 0;
    });
    EXPECT_EQ(end.signal, SIGXFSZ);
    const QStringList left = hiddenIn(target.path());
    ASSERT_EQ(left.size(), 2) << left.join(' ').toStdString();
    for (const QString& f : left) {
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("^\\.(athlet\\.orv|spalten\\.co5)\\.part-\\w{6}$")).match(f).hasMatch())
            << f.toStdString();
        EXPECT_EQ(modeOf(target.file(f)), mode_t(0600)) << f.toStdString();
    }
    QMap<QString, QString> visible = snapshot(target.path());
    for (const QString& f : left)
        visible.remove(f);
    EXPECT_EQ(visible, before);

    // The next restore into the folder removes them; one being written by another restore stays.
    const int busy = ::open(QFile::encodeName(target.file(QStringLiteral(".muster.mt5.part-Abc123"))).constData(),
                            O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    RestoreBackupCabinet(cabinet, target.path(), QString());
    EXPECT_EQ(hiddenIn(target.path()), QStringList({".muster.mt5.part-Abc123"}));
    ::close(busy);

    // A backup killed while it packs the large file: its working copy of the database stays
    // beside the database, for the owner's eyes only; opening a database removes it, and what a
    // restore left, but nothing else.
    const QString copy = BackupDatabaseCopyName(db.path());
    end = RunInChild([&] {
        TConnection connection;
        connection.Open(db.path());
        FileSizeLimit limit(rlim_t(dbSize * 2), true);
        WriteBackupCabinet(connection, db.path(), sources, out.file(QStringLiteral("abgebrochen.cab")));
        return 0;
    });
    EXPECT_EQ(end.signal, SIGXFSZ);
    ASSERT_TRUE(QFile::exists(copy));
    EXPECT_EQ(modeOf(copy), mode_t(0600));
    const QString dbFolder = QFileInfo(db.path()).absolutePath();
    const QString partial = dbFolder + QStringLiteral("/.athlet.orv.part-x1Y2z3");
    const QString own = dbFolder + QStringLiteral("/.athlet.orv.part-zu-lang");
    for (const QString& f : {partial, own})
        QFile(f).open(QIODevice::WriteOnly);
    RemoveBackupLeftovers(dbFolder);
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_FALSE(QFile::exists(partial));
    EXPECT_TRUE(QFile::exists(own));  // not a name the cabinet components give
    EXPECT_TRUE(QFile::exists(db.path()));
}
