// "&NightReport" over a log of 1, 10 and 100 MiB in memory: the time of one report (the log
// read a piece at a time, the nights, the page and the CSV written) and the most heap it holds
// above the log itself, which must not grow with the log.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/NightReport.h"
#include "bench/HeapCounter.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

// One night of a busy log: the window's lines, failures and restored lines, a reboot after no
// connectivity and one at a listed time, a card switch and the hourly traffic lines.
void AppendNight(std::string& log, int year, int month, int day) {
    char prefix[32];
    auto line = [&](int h, int m, int s, const std::string& message) {
        std::snprintf(prefix, sizeof prefix, "%02d/%02d/%04d %02d:%02d:%02d >   ", day, month, year,
                      h, m, s);
        log += prefix + message + "\r\n";
    };
    line(2, 0, 0, "Free Usage Time Started.");
    for (int h = 2; h < 8; ++h) {
        for (int m = 0; m < 60; m += 2) {
            line(h, m, 10, "Unable to open : http://www.example.com/some/page.html");
            if (m % 10 == 8)
                line(h, m, 40, "Connectivity Restored after 5 Failed Pages.");
        }
        line(h, 30, 0, "No Connectivity Since last 3 Minutes - Rebooting Modem.");
        line(h, 30, 20, "Modem Rebooted Successfully.");
        line(h, 59, 0, "Total Data Downloaded for Connectivity : 123456.5 KB.");
    }
    line(5, 0, 0, "Auto Enable NIC Command Issued.");
    line(8, 0, 0, "Free Usage Time Ended : 20480 KB in 4000 Pages, 180 Failed.");
}

std::string LogOf(size_t bytes) {
    std::string log;
    log.reserve(bytes + 65536);
    for (int n = 0; log.size() < bytes; ++n)
        AppendNight(log, 2000 + n / (12 * 28), 1 + n / 28 % 12, 1 + n % 28);
    log.resize(bytes);  // the last line torn, as a write under way leaves it
    return log;
}

void BM_NightReport(benchmark::State& state) {
    test::TestApp t;
    t.InitPaths();
    const std::string folder = t.files.temporaryFolder;
    t.files.files[t.app.paths.LogPath] = LogOf(static_cast<size_t>(state.range(0)) << 20);
    t.files.readPiece = 1 << 16;
    size_t peak = 0;
    for (auto _ : state) {
        const size_t before = bench::HeapInUse();
        bench::ResetHeapPeak();
        MakeNightReport(t.app);
        peak = std::max(peak, bench::HeapPeak() - before);
        if (t.process.documentsOpened.size() != 1)
            state.SkipWithError("no page opened");
        t.process.documentsOpened.clear();
        t.files.files.erase(folder + "NightReport.html");
        t.files.files.erase(folder + "NightReport.csv");
    }
    state.SetBytesProcessed(state.iterations() * (state.range(0) << 20));
    state.counters["peak_heap_bytes"] = static_cast<double>(peak);
}

BENCHMARK(BM_NightReport)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
