// Speed of the grid library: the cell store's writes and reads on 100,000 rows, a page's repaint
// that must cost the same at the top and at the end of a long grid, the row model, and the watch
// import's run list filled and read back.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

#include "bench/offscreenmain.h"
#include "grid/display/extcgrid.h"
#include "grid/display/extgrid.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;

std::vector<QString> texts()
{
    std::vector<QString> t;
    for (int i = 0; i < 1000; ++i)
        t.push_back(QStringLiteral("cell %1").arg(i));
    return t;
}

std::unique_ptr<TExtStringGrid> filledGrid()
{
    auto g = std::make_unique<TExtStringGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(kRows);
    const std::vector<QString> t = texts();
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            g->SetCellText(c, r, t[(r * kCols + c) % t.size()]);
    return g;
}

// Goal: 1,000,000 writes under 200 ms.
void BM_GridSetCellTextMillion(benchmark::State& state)
{
    const std::vector<QString> t = texts();
    for (auto _ : state) {
        state.PauseTiming();
        auto g = std::make_unique<TExtStringGrid>();
        g->SetColCount(kCols);
        g->SetRowCount(kRows);
        state.ResumeTiming();
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                g->SetCellText(c, r, t[(r * kCols + c) % t.size()]);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GridSetCellTextMillion)->Unit(benchmark::kMillisecond);

// Goal: 1,000,000 reads under 100 ms.
void BM_GridGetCellTextMillion(benchmark::State& state)
{
    auto g = filledGrid();
    for (auto _ : state) {
        qsizetype length = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                length += g->GetCellText(c, r).size();
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_GridGetCellTextMillion)->Unit(benchmark::kMillisecond);

// A page painted at the first row and at the last: the same cost.
void BM_GridPaintPage(benchmark::State& state)
{
    auto g = filledGrid();
    g->resize(800, 600);
    g->show();
    g->SetTopRow(int(state.range(0)));
    QImage image(g->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        g->PaintCells(canvas, image.rect());
    }
}
BENCHMARK(BM_GridPaintPage)->Arg(1)->Arg(kRows - 40)->Unit(benchmark::kMillisecond);

// Every second data row hidden (as a filter that keeps half the rows leaves them).
void hideEverySecond(TExtStringGrid& g)
{
    std::vector<int> rows;
    for (int r = 1; r < g.RowCount(); r += 2)
        rows.push_back(r);
    g.HideRowList(rows);
}

// Goal: one mapping (display to real, or back) under 1 us with 50,000 rows hidden.
void BM_GridRowMapping(benchmark::State& state)
{
    auto g = filledGrid();
    hideEverySecond(*g);
    int row = 0;
    for (auto _ : state) {
        const int real = g->RealRowIndex(row);
        benchmark::DoNotOptimize(g->DisplayRowIndex(real));
        row = (row + 7919) % g->RowCount();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_GridRowMapping);

// Goal: switching a filter on that hides every second row under 150 ms.
void BM_GridApplyFilter(benchmark::State& state)
{
    auto g = filledGrid();
    for (int r = 1; r < kRows; ++r)
        g->SetCellText(1, r, r % 2 ? QStringLiteral("Rad") : QStringLiteral("Lauf"));
    TFilterData& f = g->Filter.Add();
    f.Column = 1;
    f.Condition = QStringLiteral("Lauf");
    f.Data = fcNormal;
    for (auto _ : state) {
        g->SetFilterActive(true);
        state.PauseTiming();
        g->SetFilterActive(false);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GridApplyFilter)->Unit(benchmark::kMillisecond);

// Goal: bringing back 50,000 hidden rows under 100 ms.
void BM_GridUnHideRowsAll(benchmark::State& state)
{
    auto g = filledGrid();
    for (auto _ : state) {
        state.PauseTiming();
        hideEverySecond(*g);
        state.ResumeTiming();
        g->UnHideRowsAll();
    }
}
BENCHMARK(BM_GridUnHideRowsAll)->Unit(benchmark::kMillisecond);

// Goal: contracting 1,000 nodes of 100 rows each under 150 ms.
void BM_GridContractAllNodes(benchmark::State& state)
{
    auto g = filledGrid();
    for (int n = 1; n + 100 <= kRows; n += 100)
        g->AddNode(n, 100);
    for (auto _ : state) {
        g->ContractAllNodes();
        state.PauseTiming();
        g->ExpandAllNodes();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GridContractAllNodes)->Unit(benchmark::kMillisecond);

// The watch import's run list: a tick column bound to its text and five text columns.
std::unique_ptr<TExtColumnGrid> runListGrid()
{
    auto g = std::make_unique<TExtColumnGrid>();
    g->SetColCount(6);
    g->SetFixedCols(0);
    g->Columns()[0]->Editor = edCheckBox;
    g->Columns()[0]->CheckTrue = QStringLiteral("true");
    g->Columns()[0]->CheckFalse = QStringLiteral("false");
    g->SetRowCount(2);
    g->SetFixedRows(1);
    return g;
}

void fillRuns(TExtColumnGrid& g, const QString& xml)
{
    const QString date = QStringLiteral("04.05.2026");
    const QString start = QStringLiteral("07:15:00");
    const QString duration = QStringLiteral("0:52:10");
    for (int r = 1; r <= kRows; ++r) {
        g.SetCellText(0, r, QStringLiteral("false"));
        g.SetCellCheckBox(0, r, false, true);
        g.SetCellText(1, r, date);
        g.SetCellText(2, r, start);
        g.SetInts(3, r, 10500 + r);
        g.SetCellText(4, r, duration);
        g.SetCellText(5, r, xml);
    }
    g.SetRowCount(kRows + 1);
}

// Goal: 100,000 runs written as the import writes them under 300 ms.
void BM_GridRunListFill(benchmark::State& state)
{
    const QString xml = QStringLiteral("<Run><Lap/></Run>");
    for (auto _ : state) {
        state.PauseTiming();
        auto g = runListGrid();
        state.ResumeTiming();
        fillRuns(*g, xml);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GridRunListFill)->Unit(benchmark::kMillisecond);

// Goal: the ticked runs of 100,000 (every tenth) collected under 20 ms.
void BM_GridRunListTicked(benchmark::State& state)
{
    auto g = runListGrid();
    fillRuns(*g, QStringLiteral("<Run/>"));
    for (int r = 1; r <= kRows; r += 10)
        g->ToggleCheckBox(0, r, true);
    for (auto _ : state) {
        int ticked = 0;
        for (int r = 1; r < g->RowCount(); ++r)
            if (g->GetCellText(0, r) == QLatin1String("true"))
                ++ticked;
        benchmark::DoNotOptimize(ticked);
    }
}
BENCHMARK(BM_GridRunListTicked)->Unit(benchmark::kMillisecond);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN();
