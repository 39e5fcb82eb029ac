// Speed of the grid library: the cell store's writes and reads on 100,000 rows, and a page's
// repaint that must cost the same at the top and at the end of a long grid.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <memory>
#include <vector>

#include "bench/offscreenmain.h"
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

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN();
