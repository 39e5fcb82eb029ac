// Speed of the runtime grids: repainting the visible page of a string grid must not grow with
// the row count, and scrolling by a page draws only what becomes visible.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <sqlite3.h>

#include "platform/db/connection.h"
#include "platform/db/datasource.h"
#include "platform/db/table.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/grids.h"

namespace {

// The widgets need an application object; the benchmarks create it on first use, on the
// offscreen platform.
void ensureApplication()
{
    static int argc = 1;
    static char name[] = "vcl_bench";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

class CountingGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    long drawn = 0;

protected:
    void DrawCell(int ACol, int ARow, const QRect& ARect, TGridDrawState AState) override
    {
        ++drawn;
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
};

// A 1000 x 700 grid of 12 columns, every cell filled.
void fill(CountingGrid& grid, int rows)
{
    grid.setFrameShape(QFrame::NoFrame);
    grid.SetColCount(12);
    grid.SetRowCount(rows);
    grid.resize(1000, 700);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 12; ++c)
            grid.SetCells(c, r, QStringLiteral("%1/%2").arg(c).arg(r));
}

void BM_StringGridPaintPage(benchmark::State& state)
{
    ensureApplication();
    CountingGrid grid;
    fill(grid, int(state.range(0)));
    grid.SetTopRow(int(state.range(0)) / 2);
    QImage img(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.viewport()->render(&img);
        benchmark::ClobberMemory();
    }
    state.counters["cells"] = double(grid.drawn) / double(state.iterations());
}
BENCHMARK(BM_StringGridPaintPage)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Scrolling a shown grid by a page (second argument 0) or by a few rows: the cells drawn per
// scroll are only those that become visible.
void BM_StringGridScroll(benchmark::State& state)
{
    ensureApplication();
    CountingGrid grid;
    fill(grid, int(state.range(0)));
    grid.show();
    QApplication::processEvents();
    const int page = state.range(1) > 0 ? int(state.range(1)) : grid.VisibleRowCount();
    grid.drawn = 0;
    int top = grid.FixedRows();
    for (auto _ : state) {
        top += page;
        if (top > grid.RowCount() - 2 * page)
            top = grid.FixedRows();
        grid.SetTopRow(top);
        QApplication::processEvents();  // the pending partial update
    }
    state.counters["cells"] = double(grid.drawn) / double(state.iterations());
    state.counters["pageCells"] = double((grid.VisibleRowCount() + 1) * 12);
}
BENCHMARK(BM_StringGridScroll)->Args({100000, 0})->Args({100000, 3})->Unit(benchmark::kMillisecond);

// A table of `rows` training rows in a temporary database.
QString makeDatabase(const QTemporaryDir& dir, int rows)
{
    const QString file = dir.filePath(QStringLiteral("bench.orv"));
    sqlite3* db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE daten (dat_Id INTEGER PRIMARY KEY, Ort VARCHAR(30), Meter INTEGER,"
                 " Zeit DOUBLE, Bemerkungen VARCHAR(50)); BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO daten VALUES (?, ?, ?, ?, ?)", -1, &st, nullptr);
    for (int i = 1; i <= rows; ++i) {
        const QByteArray ort = QStringLiteral("Ort %1").arg(i % 97).toUtf8();
        sqlite3_bind_int(st, 1, i);
        sqlite3_bind_text(st, 2, ort.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 3, i * 10);
        sqlite3_bind_double(st, 4, i / 86400.0);
        sqlite3_bind_text(st, 5, "locker", -1, SQLITE_STATIC);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return file;
}

// Repainting the visible page of a data-aware grid in the middle of a table.
void BM_DBGridPaintPage(benchmark::State& state)
{
    ensureApplication();
    QTemporaryDir dir;
    TConnection conn;
    conn.Open(makeDatabase(dir, int(state.range(0))));
    TTable table;
    table.SetConnection(&conn);
    table.SetTableName(QStringLiteral("daten"));
    table.Open();
    TDataSource src;
    src.SetDataSet(&table);
    TDBGrid grid;
    grid.setFrameShape(QFrame::NoFrame);
    grid.resize(1000, 700);
    grid.SetDataSource(&src);
    table.MoveBy(int(state.range(0)) / 2);
    QImage img(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    grid.viewport()->render(&img);  // the first page fetches its rows
    for (auto _ : state) {
        grid.viewport()->render(&img);
        benchmark::ClobberMemory();
    }
    state.counters["rows"] = grid.RowCount();
}
BENCHMARK(BM_DBGridPaintPage)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Scrolling the data-aware grid by a page: moving the dataset and drawing the new rows.
void BM_DBGridScrollPage(benchmark::State& state)
{
    ensureApplication();
    QTemporaryDir dir;
    TConnection conn;
    conn.Open(makeDatabase(dir, int(state.range(0))));
    TTable table;
    table.SetConnection(&conn);
    table.SetTableName(QStringLiteral("daten"));
    table.Open();
    TDataSource src;
    src.SetDataSet(&table);
    TDBGrid grid;
    grid.setFrameShape(QFrame::NoFrame);
    grid.resize(1000, 700);
    grid.SetDataSource(&src);
    grid.show();
    QApplication::processEvents();
    for (auto _ : state) {
        if (table.RecNo() > table.RecordCount() - 200)
            table.First();
        int key = Qt::Key_PageDown;
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&grid, &e);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DBGridScrollPage)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
