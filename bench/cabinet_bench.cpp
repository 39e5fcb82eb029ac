// Speed of the cabinet library: a 100 MB file written into an MSZIP cabinet and extracted again,
// beside the outside tool gcab doing the same with the same file. The source is generated once
// into the temporary folder: database-like pages of 4 KiB with records of numbers and short
// texts, which compress about as well as an athlete's database.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <unistd.h>

#include "platform/cabinet/cabcompressor.h"
#include "platform/cabinet/cabdecompressor.h"
#include "platform/cabinet/cabformat.h"
#include "platform/cabinet/cabtargetfile.h"

namespace {

constexpr int64_t kSize = 100 * 1024 * 1024;
const QString kFolder = QStringLiteral("/tmp/orv_cabinet_bench");
const QString kSource = kFolder + QStringLiteral("/daten.orv");
const QString kCabinet = kFolder + QStringLiteral("/backup.cab");
const QString kGcabCabinet = kFolder + QStringLiteral("/gcab.cab");

void MakeSource()
{
    if (QFileInfo(kSource).size() == kSize)
        return;
    QDir().mkpath(kFolder);
    QFile f(kSource);
    f.open(QIODevice::WriteOnly);
    QRandomGenerator rng(42);
    static const char* const places[] = {"Stadtpark", "Waldlauf", "Bahn", "Rhein", "Berg", "Halle"};
    QByteArray page(4096, '\0');
    for (int64_t written = 0; written < kSize; written += page.size()) {
        page.fill('\0');
        int pos = 8;
        while (pos < 3500) {
            char* p = page.data() + pos;
            cabformat::PutU32(p, uint32_t(written / 64 + pos));
            cabformat::PutU32(p + 4, rng.bounded(40000u));   // date
            cabformat::PutU32(p + 8, rng.bounded(86400000u));  // duration
            cabformat::PutU16(p + 12, uint16_t(100 + rng.bounded(90)));
            const QByteArray text = QByteArray(places[rng.bounded(6)]) + " " + QByteArray::number(rng.bounded(1000));
            std::memcpy(p + 14, text.constData(), size_t(text.size()));
            pos += 14 + text.size() + int(rng.bounded(8));
        }
        f.write(page);
    }
}

int OpenSource(const QString& source, uint16_t& date, uint16_t& time, uint16_t& attribs, int& error)
{
    const int fd = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    error = errno;
    cabformat::ToDosDateTime(QFileInfo(source).lastModified(), date, time);
    attribs = cabformat::kAttrArchive;
    return fd;
}

void WriteCabinet(benchmark::State& state)
{
    MakeSource();
    for (auto _ : state) {
        TCabErf erf;
        TCCAB cab;
        cab.CabinetName = QFileInfo(kCabinet).fileName();
        cab.CabinetPath = kFolder + QLatin1Char('/');
        TCabCompressorCallbacks cb;
        cb.GetOpenInfo = OpenSource;
        auto w = TCabCompressor::Create(erf, cab, cb);
        if (w && state.range(0) > 0)
            w->SetDeflateLevel(int(state.range(0)));
        if (!w || !w->AddFile(kSource, QStringLiteral("daten.orv"), false, tcompTYPE_MSZIP) || !w->FlushCabinet(false))
            state.SkipWithError("writing failed");
    }
    state.counters["ratio"] = double(QFileInfo(kCabinet).size()) / double(kSize);
    state.SetBytesProcessed(state.iterations() * kSize);
}

void ExtractCabinet(benchmark::State& state)
{
    MakeSource();
    if (!QFileInfo::exists(kCabinet))
        WriteCabinet(state);
    const QString target = kFolder + QStringLiteral("/out/daten.orv");
    QDir().mkpath(kFolder + QStringLiteral("/out"));
    for (auto _ : state) {
        TCabErf erf;
        auto r = TCabDecompressor::Create(erf);
        std::unique_ptr<TCabTargetFile> file;
        const bool ok = r && r->Copy(QFileInfo(kCabinet).fileName(), kFolder + QLatin1Char('/'),
                                     [&](TFDINOTIFICATIONTYPE t, TFDINOTIFICATION& n) {
                                         if (t == TFDINOTIFICATIONTYPE::CopyFile) {
                                             file = std::make_unique<TCabTargetFile>();
                                             file->Open(target);
                                             n.Target = file.get();
                                         } else if (t == TFDINOTIFICATIONTYPE::CloseFileInfo) {
                                             return n.Target->Commit() ? 0 : -1;
                                         }
                                         return 0;
                                     });
        if (!ok || QFileInfo(target).size() != kSize)
            state.SkipWithError("extraction failed");
    }
    state.SetBytesProcessed(state.iterations() * kSize);
}

// The outside tool on the same file, for comparison.
void RunGcab(benchmark::State& state, const QStringList& args)
{
    if (QStandardPaths::findExecutable(QStringLiteral("gcab")).isEmpty()) {
        state.SkipWithError("gcab is not installed");
        return;
    }
    MakeSource();
    for (auto _ : state) {
        QProcess p;
        p.setWorkingDirectory(kFolder);
        p.start(QStringLiteral("gcab"), args);
        if (!p.waitForFinished(600000) || p.exitCode() != 0)
            state.SkipWithError("gcab failed");
    }
    state.SetBytesProcessed(state.iterations() * kSize);
}

void GcabWrite(benchmark::State& state)
{
    RunGcab(state, {QStringLiteral("-c"), QStringLiteral("-z"), QStringLiteral("-n"), kGcabCabinet, kSource});
}

void GcabExtract(benchmark::State& state)
{
    if (!QFileInfo::exists(kGcabCabinet))
        GcabWrite(state);
    QDir().mkpath(kFolder + QStringLiteral("/gcab_out"));
    RunGcab(state, {QStringLiteral("-x"), QStringLiteral("-C"), kFolder + QStringLiteral("/gcab_out"), kGcabCabinet});
}

}  // namespace

BENCHMARK(WriteCabinet)->Arg(0)->Arg(6)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ExtractCabinet)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(GcabWrite)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(GcabExtract)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
