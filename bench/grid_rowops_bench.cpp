// Speed of the grid's structural edits and of its clipboard on 100,000 rows: a row put in and
// taken out again near the top (it must not cost more because the grid is long), the flagged half
// of the rows removed in one go, and a block of 10,000 rows copied and pasted as text and as the
// grid's own stream.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>

#include <memory>

#include "bench/offscreenmain.h"
#include "grid/display/extgrid.h"
#include "grid/editing/gridediting.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;

std::unique_ptr<TExtStringGrid> filledGrid(int rows = kRows)
{
    InitGridEditingUnit();
    auto g = std::make_unique<TExtStringGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            g->SetCellText(c, r, QString::number(r * kCols + c));
    g->SetOptions(g->Options() | goEditing);
    return g;
}

// Goal: a row in and out again under 2 ms on 100,000 rows, with some rows hidden and a row
// flagged.
void BM_GridInsertRemoveRow(benchmark::State& state)
{
    auto g = filledGrid();
    g->MouseActions.DisjunctRowSelect = true;
    g->SetRowSelect(kRows / 2, true);
    g->HideRows(1000, 1010);
    for (auto _ : state) {
        g->InsertRows(5, 1);
        g->RemoveRows(5, 1);
    }
    benchmark::DoNotOptimize(g->RowCount());
}
BENCHMARK(BM_GridInsertRemoveRow)->Unit(benchmark::kMicrosecond);

// Goal: the flagged half of 100,000 rows removed under 200 ms.
void BM_GridRemoveSelectedRows(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto g = filledGrid();
        g->MouseActions.DisjunctRowSelect = true;
        for (int r = 1; r < kRows; r += 2)
            g->SetRowSelect(r, true);
        state.ResumeTiming();
        g->RemoveSelectedRows();
        benchmark::DoNotOptimize(g->RowCount());
    }
}
BENCHMARK(BM_GridRemoveSelectedRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// Goal: 10,000 rows of 10 cells copied (text and the grid's own stream) under 200 ms.
void BM_GridCopyBlock(benchmark::State& state)
{
    auto g = filledGrid();
    g->Navigation.AllowFmtClipboard = true;
    g->SetSelection(TGridRect{1, 1, kCols - 1, 10000});
    for (auto _ : state)
        g->CopySelectionToClipboard();
}
BENCHMARK(BM_GridCopyBlock)->Unit(benchmark::kMillisecond);

// Goal: 10,000 rows of 10 cells pasted under 200 ms, as text and as the grid's own stream.
void BM_GridPasteBlock(benchmark::State& state)
{
    auto source = filledGrid(10001);
    QBuffer stream;
    stream.open(QIODevice::WriteOnly);
    source->SaveCellsToStream(TGridRect{1, 1, kCols - 1, 10000}, stream);
    const QString text = source->ClipboardText(TGridRect{1, 1, kCols - 1, 10000});
    auto g = filledGrid();
    for (auto _ : state) {
        if (state.range(0) == 0) {
            g->PasteText(1, 20000, text);
        } else {
            QBuffer in;
            in.setData(stream.data());
            in.open(QIODevice::ReadOnly);
            g->LoadCellsFromStream(TGridCoord{1, 20000}, in);
        }
    }
    benchmark::DoNotOptimize(g->GetRawCell(1, 20000));
}
BENCHMARK(BM_GridPasteBlock)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN();
