// Speed of the grid library: the cell store's writes and reads on 100,000 rows, a page's repaint
// that must cost the same at the top and at the end of a long grid, the row model, and the watch
// import's run list filled and read back.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QFile>

#include <memory>
#include <vector>

#include "bench/offscreenmain.h"
#include "grid/display/esghtmle.h"
#include "grid/display/extcgrid.h"
#include "grid/display/extgrid.h"
#include "grid/editing/gridediting.h"

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

// Goal: a page of 40 x 6 visible cells repainted under 5 ms, on a grid of 100 rows and of
// 100,000 rows alike (within 20 %), at the top and at the end.
void BM_GridPaintPage(benchmark::State& state)
{
    const int rows = int(state.range(0));
    auto g = std::make_unique<TExtStringGrid>();
    g->SetColCount(6);
    g->SetRowCount(rows);
    const std::vector<QString> t = texts();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 6; ++c)
            g->SetCellText(c, r, t[(r * 6 + c) % t.size()]);
    for (int r = 1; r < rows; r += 3)
        g->SetCellCheckBox(1, r, r % 2 == 0, false);
    g->resize(6 * g->DefaultColWidth() + 40, 41 * g->DefaultRowHeight() + 4);
    g->show();
    g->SetTopRow(state.range(1) ? rows - g->VisibleRowCount() : 1);
    QImage image(g->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        g->PaintCells(canvas, image.rect());
    }
}
BENCHMARK(BM_GridPaintPage)
    ->Args({100, 0})
    ->Args({100, 1})
    ->Args({kRows, 0})
    ->Args({kRows, 1})
    ->Unit(benchmark::kMillisecond);

// A marked-up text of 200 characters.
QString markedUp()
{
    return QStringLiteral("<B>Lauf</B> am <I>Morgen</I>: <FONT COLOR=\"clred\">10,5 km</FONT> in "
                          "<A HREF=\"run:1\">52:31</A>, Puls <FONT SIZE=\"3\">148</FONT> &amp; "
                          "Trittfrequenz 172, Wetter sonnig bei 14 Grad, Strecke am Fluss entlang");
}

// Goal: measuring a 200-character marked-up text under 50 us.
void BM_GridHTMLMeasure(benchmark::State& state)
{
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    const QString text = markedUp();
    THTMLDrawInput in;
    in.Rect = QRect(0, 0, 300, 200);
    in.MeasureOnly = true;
    in.WordWrap = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawHTMLText(canvas, text, in).YSize);
}
BENCHMARK(BM_GridHTMLMeasure)->Unit(benchmark::kMicrosecond);

// Goal: a page of 40 x 6 HTML cells repainted under 15 ms.
void BM_GridHTMLPage(benchmark::State& state)
{
    auto g = std::make_unique<TExtStringGrid>();
    g->SetColCount(6);
    g->SetRowCount(1000);
    const QString text = QStringLiteral("<B>Lauf</B> <FONT COLOR=\"clred\">10,5</FONT> <A HREF=\"x\">km</A>");
    for (int r = 1; r < 1000; ++r)
        for (int c = 1; c < 6; ++c)
            g->SetCellText(c, r, text);
    g->resize(6 * g->DefaultColWidth() + 40, 41 * g->DefaultRowHeight() + 4);
    g->show();
    QImage image(g->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        g->PaintCells(canvas, image.rect());
    }
}
BENCHMARK(BM_GridHTMLPage)->Unit(benchmark::kMillisecond);

// Goal: the cell under a point and its base cell at the end of a 100,000-row grid under 2 us.
void BM_GridMouseToCell(benchmark::State& state)
{
    auto g = filledGrid();
    g->resize(800, 600);
    g->show();
    g->SetTopRow(kRows - g->VisibleRowCount());
    g->MergeCells(2, kRows - 5, 2, 2);
    int y = 30;
    for (auto _ : state) {
        int col = 0;
        int row = 0;
        g->MouseToCell(150, y, col, row);
        benchmark::DoNotOptimize(g->BaseCell(col, row));
        y = y >= 560 ? 30 : y + 7;
    }
}
BENCHMARK(BM_GridMouseToCell);

// Goal: one Down key costs the same at row 1 and at row 100,000 (under 50 us, no painting).
void BM_GridDownKey(benchmark::State& state)
{
    auto g = filledGrid();
    g->resize(800, 600);
    g->show();
    const int start = state.range(0) ? kRows - 3000 : 1;
    g->FocusCell(1, start, true);
    for (auto _ : state) {
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(g.get(), &down);
        if (g->Row() >= kRows - 1) {
            state.PauseTiming();
            g->FocusCell(1, start, true);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_GridDownKey)->Arg(0)->Arg(1);

// Goal: typing into a cell and moving down with the Down key (the value validated, written and
// announced, the next cell's editing option decided) costs the same at row 1 and at row 100,000
// (under 200 us, no painting).
void BM_GridEditAndMoveDown(benchmark::State& state)
{
    InitGridEditingUnit();
    auto g = filledGrid();
    g->SetOptions(g->Options() | goEditing);
    g->resize(800, 600);
    g->show();
    int validations = 0;
    g->OnCellValidate = [&](QObject*, int, int, QString&, bool&) { ++validations; };
    const int start = state.range(0) ? kRows - 3000 : 1;
    g->FocusCell(1, start, true);
    int n = 0;
    for (auto _ : state) {
        g->ShowEditor();
        g->InplaceEditor()->setText(QString::number(++n));
        g->InplaceEditor()->setModified(true);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(g.get(), &down);
        if (g->Row() >= kRows - 1) {
            state.PauseTiming();
            g->FocusCell(1, start, true);
            state.ResumeTiming();
        }
    }
    if (validations == 0)
        state.SkipWithError("no value was validated");
}
BENCHMARK(BM_GridEditAndMoveDown)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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

// Goal: every footer of 6 columns over 100,000 rows of numbers recalculated under 30 ms.
void BM_GridUpdateFooter(benchmark::State& state)
{
    TExtStringGrid g;
    g.SetColCount(6);
    g.SetRowCount(kRows + 2);
    for (int r = 1; r <= kRows; ++r)
        for (int c = 0; c < 6; ++c)
            g.SetCellText(c, r, QString::number((r * 7 + c) % 1000) + QStringLiteral(".25"));
    g.FloatingFooter.SetVisible(true);
    for (int c = 0; c < 6; ++c)
        g.CellProperties(c, g.RowCount() - 1)->FooterCalc = 1 + c % 5;
    for (auto _ : state)
        g.UpdateFooter(-1);
    benchmark::DoNotOptimize(g.GetCellText(0, g.RowCount() - 1));
}
BENCHMARK(BM_GridUpdateFooter)->Unit(benchmark::kMillisecond);

// Goal: 1,000,000 row swaps of a 100,000-row grid under 100 ms, so that sorting can stay under
// 100 ms.
void BM_GridSwapRowsMillion(benchmark::State& state)
{
    auto g = filledGrid();
    for (int r = 0; r < g->RowCount(); ++r)
        g->RowIndexList().Add(r);
    for (auto _ : state) {
        unsigned x = 12345;
        for (int i = 0; i < 1000000; ++i) {
            x = x * 1103515245u + 12345u;
            const int a = 1 + int((x >> 8) % (kRows - 1));
            const int b = 1 + int((x >> 4) % (kRows - 1));
            g->SwapRows(a, b);
        }
    }
}
BENCHMARK(BM_GridSwapRowsMillion)->Unit(benchmark::kMillisecond);

// Goal: a CSV file of 100,000 rows and 10 fields (quoted fields among them, delimiter detected)
// loads in under 500 ms.
void BM_GridLoadFromCSV(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rows.csv"));
    {
        QByteArray bytes;
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                if (c)
                    bytes += ';';
                if (c == 3)
                    bytes += "\"K\xC3\xB6ln; \"\"Mitte\"\"\"";
                else
                    bytes += QByteArray::number(r * kCols + c);
            }
            bytes += "\r\n";
        }
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    for (auto _ : state) {
        TExtStringGrid g;
        g.LoadFromCSV(file);
        benchmark::DoNotOptimize(g.GetRawCell(3, kRows - 1));
    }
}
BENCHMARK(BM_GridLoadFromCSV)->Unit(benchmark::kMillisecond);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN();
