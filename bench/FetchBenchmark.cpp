// The page fetch path over an in-memory internet: time per fetch and the most heap it holds,
// against the page size. Without the page-saving switch the heap a fetch needs must not grow
// with the page; with it on (a built-in home page) the page text is kept for the .dat file.
// The command file is read the same way: the heap its reading holds must not grow with the
// file, however long its lines.
#include <benchmark/benchmark.h>

#include "connectivity/PingInet.h"
#include "modem/TelNetCmds.h"
#include "bench/HeapCounter.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

// Runs `round` once an iteration; reports `bytes` processed a round and the most heap a round
// held above what was in use before it.
template <class Round>
void MeasureHeap(benchmark::State& state, int64_t bytes, Round round) {
    size_t peak = 0;
    for (auto _ : state) {
        const size_t before = bench::HeapInUse();
        bench::ResetHeapPeak();
        round();
        peak = std::max(peak, bench::HeapPeak() - before);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["peak_heap_bytes"] = static_cast<double>(peak);
}

void Fetch(benchmark::State& state, bool savePages) {
    const int64_t size = state.range(0);
    test::TestApp t;
    t.InitPaths();
    const std::string url = savePages ? t.app.paths.HomePageUrls[0] : "http://127.0.0.1/page";
    const std::string served = savePages ? t.app.paths.SearchPageUrls[0] : url;
    t.internet.sizedPages[served] = size;
    t.app.diag.SavePages = savePages;
    MeasureHeap(state, size, [&] {
        benchmark::DoNotOptimize(FetchPage(t.app.connectivityContext, url));
        t.files.files.clear();  // the saved page, so that every round saves it again
        t.internet.opened.clear();
    });
}

void BM_FetchPage(benchmark::State& state) {
    Fetch(state, false);
}
void BM_FetchPageSaved(benchmark::State& state) {
    Fetch(state, true);
}

// A command file of four short lines, then `size` bytes of one line that is no command.
void BM_ReadCommandFile(benchmark::State& state) {
    test::TestApp t;
    t.InitPaths();
    const std::string& path = t.app.paths.CommandFilePath;
    t.files.files[path] = "1.2.3.4 23\r\nWAIT \"*\"\r\nSEND \"a\"\r\n" +
                          std::string(static_cast<size_t>(state.range(0)), 'x');
    MeasureHeap(state, state.range(0),
                [&] { benchmark::DoNotOptimize(ReadCommandFile(t.app.modemContext, path)); });
}

BENCHMARK(BM_FetchPage)->Arg(1 << 20)->Arg(10 << 20)->Arg(100 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FetchPageSaved)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCommandFile)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
