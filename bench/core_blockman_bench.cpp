// Speed of the block manager on the ten-year database (1,000 blocks of ten units each, 10,000
// units, 3,000,000 split and heart-rate rows): one change of the current block, as a click on
// "Nächster Block" makes it, with the block's units read again into the lower list and the
// totals "Gesamtstrecke" and "Gesamtzeit" written (goal: 50 ms).
#include <benchmark/benchmark.h>

#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "traininglog/blockman.h"

namespace {

TorvServer& server()
{
    static TorvServer* s = tenyeardb::OpenServer(tenyeardb::Generate(tenyeardb::TemplatePath()));
    return *s;
}

void BM_BlockManagerNextBlock(benchmark::State& state)
{
    TTable& blocks = server().trainblockman;
    Tblockman window;
    window.resize(780, 502);
    window.show();
    blocks.First();
    for (auto _ : state) {
        window.XPButton3->Click();
        if (blocks.Eof())
            blocks.First();
    }
    state.counters["blocks"] = blocks.RecordCount();
    state.counters["units"] = server().trainblockman_detail.RecordCount();
    window.hide();
}
BENCHMARK(BM_BlockManagerNextBlock)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
