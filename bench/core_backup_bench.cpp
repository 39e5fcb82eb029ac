// Backup and restore of an athlete database of about 100 MB (the ten-year database, 10,000 units,
// with the samples of its first 6,500 units: about 2,000,000 split and heart-rate rows). Goals: the backup (a consistent copy of the open
// database, then one MSZIP cabinet) within 3 s, the restore within 2 s. The outside tool gcab
// compresses and extracts the same database file for comparison.
//
// The database is generated once per run from the template beside the program
// (<build>/app/DB/leer.orv.system, or the file named by ORV_TEMPLATE).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "exchange/backupcabinet.h"

namespace {

QTemporaryDir& workFolder()
{
    static QTemporaryDir dir;
    return dir;
}

// The ten-year database cut to about 100 MB, generated once per run.
QString database()
{
    static QString path;
    if (!path.isEmpty())
        return path;
    path = workFolder().filePath(QStringLiteral("athlet.orv"));
    QFile::copy(tenyeardb::Generate(tenyeardb::TemplatePath()), path);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    tenyeardb::exec(db, "DELETE FROM zeit WHERE zei_Id > 6500");
    tenyeardb::exec(db, "VACUUM");
    sqlite3_close(db);
    return path;
}

QString cabinetFile()
{
    return workFolder().filePath(QStringLiteral("backup.cab"));
}

void BM_BackupDatabase(benchmark::State& state)
{
    const QString path = database();
    TorvServer server;
    server.DataModuleCreate();
    orvServer = &server;
    if (!server.openDatabase(path)) {
        state.SkipWithError("open failed");
        return;
    }
    for (auto _ : state)
        WriteBackupCabinet(server.orvDB, path, {}, cabinetFile());
    server.closeDatabase();
    orvServer = nullptr;
    state.counters["db_MB"] = double(QFileInfo(path).size()) / 1048576.0;
    state.counters["cab_MB"] = double(QFileInfo(cabinetFile()).size()) / 1048576.0;
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_BackupDatabase)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RestoreBackup(benchmark::State& state)
{
    if (!QFileInfo::exists(cabinetFile())) {
        state.SkipWithError("run BM_BackupDatabase first");
        return;
    }
    const QString target = workFolder().filePath(QStringLiteral("restored"));
    for (auto _ : state)
        RestoreBackupCabinet(cabinetFile(), target, QString());
    state.SetBytesProcessed(state.iterations() * QFileInfo(target + QStringLiteral("/athlet.orv")).size());
}
BENCHMARK(BM_RestoreBackup)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

// gcab on the same database file: compress (MSZIP) and extract.
void runGcab(benchmark::State& state, const QStringList& args)
{
    if (QStandardPaths::findExecutable(QStringLiteral("gcab")).isEmpty()) {
        state.SkipWithError("gcab is not installed");
        return;
    }
    for (auto _ : state) {
        QProcess p;
        p.setWorkingDirectory(workFolder().path());
        p.start(QStringLiteral("gcab"), args);
        if (!p.waitForFinished(600000) || p.exitCode() != 0)
            state.SkipWithError("gcab failed");
    }
}

void BM_GcabBackup(benchmark::State& state)
{
    const QString path = database();
    runGcab(state, {QStringLiteral("-c"), QStringLiteral("-z"), QStringLiteral("-n"),
                    workFolder().filePath(QStringLiteral("gcab.cab")), path});
}
BENCHMARK(BM_GcabBackup)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_GcabRestore(benchmark::State& state)
{
    const QString out = workFolder().filePath(QStringLiteral("gcab_out"));
    QDir().mkpath(out);
    runGcab(state, {QStringLiteral("-x"), QStringLiteral("-C"), out, workFolder().filePath(QStringLiteral("gcab.cab"))});
}
BENCHMARK(BM_GcabRestore)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
