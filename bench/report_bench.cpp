// Speed of the report layer: a period list of 10 000 units in 8 columns, run and written as a
// PDF file, must take well under five seconds. The run (layout with sums) and the PDF writing are
// also measured alone, to see which part grows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/db/clientdataset.h"
#include "platform/report/listreport.h"
#include "platform/report/renderpdf.h"

namespace {

// Fonts need an application object; the benchmarks create it on first use, offscreen.
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "report_bench";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

// 10 000 units in date order with the eight columns of a wide period list.
TClientDataSet& units()
{
    static TClientDataSet* ds = [] {
        auto* d = new TClientDataSet;
        d->AddField(QStringLiteral("Datum"), ftDateTime);
        d->AddField(QStringLiteral("Sportart"), ftString, 20);
        d->AddField(QStringLiteral("Form"), ftString, 20);
        d->AddField(QStringLiteral("Meter"), ftInteger);
        d->AddField(QStringLiteral("Zeit"), ftDateTime)->SetDisplayFormat(QStringLiteral("hh:mm:ss"));
        d->AddField(QStringLiteral("Puls"), ftInteger);
        d->AddField(QStringLiteral("Hoehendifferenz"), ftInteger);
        d->AddField(QStringLiteral("Ort"), ftString, 30);
        d->CreateDataSet();
        const QString sports[] = {QStringLiteral("Laufen"), QStringLiteral("Radfahren"), QStringLiteral("Schwimmen")};
        for (int i = 0; i < 10000; ++i) {
            d->Append();
            d->Field(0)->SetAsDateTime(EncodeDate(1990, 1, 1) + i);
            d->Field(1)->SetAsString(sports[i % 3]);
            d->Field(2)->SetAsString(i % 5 ? QStringLiteral("Grundlage") : QStringLiteral("Intervall"));
            d->Field(3)->SetAsInteger(5000 + (i * 37) % 20000);
            d->Field(4)->SetAsDateTime((1800 + (i * 13) % 7200) / 86400.0);
            d->Field(5)->SetAsInteger(120 + i % 50);
            d->Field(6)->SetAsInteger(i % 400);
            d->Field(7)->SetAsString(QStringLiteral("Rundkurs %1").arg(i % 40));
            d->Post();
        }
        d->First();
        return d;
    }();
    return *ds;
}

std::unique_ptr<TReport> periodList()
{
    std::unique_ptr<TReport> rep = QRCreateList(&units(), QStringLiteral("Zeitraumstatistik"),
                                                {"Datum", "Sportart", "Form", "Meter", "Zeit", "Puls", "Hoehendifferenz", "Ort"});
    TReportBand* summary = rep->EnsureBand(btSummary);
    summary->SetHeight(120);
    summary->AddExpr(QStringLiteral("SUM(meter)"), 844, 20, 0, QStringLiteral("#,"));
    summary->AddExpr(QStringLiteral("Int(average(meter))"), 844, 40, 0, QStringLiteral("#,"));
    rep->EnsureBand(btPageFooter)->AddSysData(sdPageOfPages, 0, 4);
    return rep;
}

void BM_ListReportToPdf(benchmark::State& state)
{
    ensureApplication();
    units();
    QTemporaryDir dir;
    TRenderPDF pdf;
    int pages = 0;
    for (auto _ : state) {
        std::unique_ptr<TReport> rep = periodList();
        const TPreparedReport prepared = rep->Prepare();
        pdf.Render(prepared, dir.filePath(QStringLiteral("liste.pdf")));
        pages = prepared.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ListReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ListReportLayout(benchmark::State& state)
{
    ensureApplication();
    units();
    for (auto _ : state) {
        std::unique_ptr<TReport> rep = periodList();
        benchmark::DoNotOptimize(rep->Prepare().pageCount());
    }
}
BENCHMARK(BM_ListReportLayout)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PdfWriting(benchmark::State& state)
{
    ensureApplication();
    units();
    const TPreparedReport prepared = periodList()->Prepare();
    QTemporaryDir dir;
    TRenderPDF pdf;
    for (auto _ : state)
        pdf.Render(prepared, dir.filePath(QStringLiteral("liste.pdf")));
}
BENCHMARK(BM_PdfWriting)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
