// Loading an exercise file's heart-rate samples into the current unit through the entry window:
// an hour at one sample a second (3,600 samples) added to a unit of the ten-year database with
// the split page on its tab "HF", the grid refilled at the end. Goal: within 1 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTabBar>
#include <QTemporaryDir>

#include <sqlite3.h>

#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/busy.h"
#include "core/orvdbserver.h"
#include "platform/db/query.h"
#include "traininglog/einheiteneingabe.h"

namespace {

constexpr int kUnit = tenyeardb::kLongUnit;
constexpr int kSamples = tenyeardb::kHourSamples;

QString databaseWithEmptyUnit()
{
    const QString path = tenyeardb::Generate(tenyeardb::TemplatePath());
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    tenyeardb::AddLongUnit(db);
    sqlite3_close(db);
    return path;
}

TorvServer& server()
{
    static TorvServer* s = [] {
        TorvServer* srv = tenyeardb::OpenServer(databaseWithEmptyUnit());
        srv->daten.Locate("dat_Id", kUnit);
        return srv;
    }();
    return *s;
}

Teingabe& window()
{
    static Teingabe* w = [] {
        server();
        BusyDlg = new TBusyDlg(nullptr);
        auto* e = new Teingabe(nullptr);
        e->resize(900, 600);
        e->PageControl2->setCurrentWidget(e->TabSheet5);
        e->TabControl1->setCurrentIndex(1);
        return e;
    }();
    return *w;
}

QString hourFile(const QTemporaryDir& dir)
{
    QByteArray text = "[Params]\r\nVersion=106\r\nSMode=000000000\r\nLength=01:00:00.0\r\nInterval=1\r\n\r\n"
                      "[IntTimes]\r\n0:30:00.0\t150\t130\t145\t165\r\n\r\n[HRData]\r\n";
    for (int k = 0; k < kSamples; ++k)
        text += QByteArray::number(120 + k % 50) + "\t" + QByteArray::number(100 + k % 30) + "\r\n";
    const QString name = dir.filePath(QStringLiteral("08071501.hrm"));
    QFile f(name);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return name;
}

void BM_LoadHourOfSamplesIntoTheUnit(benchmark::State& state)
{
    Teingabe& w = window();
    TorvServer& srv = server();
    QTemporaryDir dir;
    const QString file = hourFile(dir);
    for (auto _ : state) {
        w.loadHf(file);
        state.PauseTiming();
        if (w.StringGrid1->RowCount() - 1 != kSamples)
            state.SkipWithError("the samples were not loaded");
        TQuery del;
        del.SetConnection(&srv.orvDB);
        del.SetSQLText(QStringLiteral("DELETE FROM zeit WHERE zei_id = %1").arg(kUnit));
        del.ExecSQL();
        w.updateZwSql();
        state.ResumeTiming();
    }
    state.counters["samples"] = kSamples;
}
BENCHMARK(BM_LoadHourOfSamplesIntoTheUnit)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
