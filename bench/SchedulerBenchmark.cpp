// Simulated days per second: every timer of the program with every service on, over the timer
// double's simulated clock. "Counted" calls nothing behind the actions; "Modules" runs the real
// modules behind them (fetches, modem conversations, batch files, shutdowns) over the doubles.
#include <benchmark/benchmark.h>

#include <ctime>

#include "app/App.h"
#include "app/Icon.h"
#include "app/ProgramActions.h"
#include "app/Scheduler.h"
#include "app/frmIcon.h"
#include "bench/CountingDoubles.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

constexpr int kDays = 30;

using bench::CountingActions;
using bench::CountingTray;

// The program over the doubles, every service on, ready to run.
template <typename ActionsType>
struct Program {
    test::TestApp t;
    CountingTray tray;
    Platform platform{t.clock,    t.files,    t.store,   t.process, t.ui,   t.timers, tray,
                      t.internet, t.registry, t.sockets, t.power,   t.menu, t.hashes, t.web};
    App app{platform};
    ActionsType actions{app};
    FrmIcon form{app};

    Program() {
        app.SetActions(actions);
        t.InitPaths();
        for (const char* key : {"SrvShutAt", "SrvShutDuring", "SrvNicDuringN", "SrvNicDuringD",
                                "SrvModemFail", "SrvNicAt", "SrvModem", "SrvPing"})
            t.store.Put(key, "1");
        t.store.Put("PingUrls", "http://127.0.0.1/a");
        for (const std::string& url : t.app.paths.SearchPageUrls)
            t.internet.sizedPages[url] = 2048;
        t.internet.sizedPages["http://127.0.0.1/a"] = 2048;
        t.files.files[t.app.paths.CommandFilePath] =
            "127.0.0.1 23\r\nWAIT \"*\"\r\nSEND \"admin\\m\"\r\nWAIT \"*\"\r\nSEND "
            "\"reboot\\m\"\r\n";
        t.timers.onTick = [this](int id) { form.OnTimer(id); };
        t.clock.now = LocalTime{2026, 12, 30, 0, 0, 0};
        form.Form_Load();
    }
};

template <typename ActionsType>
void RunDays(benchmark::State& state) {
    double simulated = 0;
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<Program<ActionsType>>();
        state.ResumeTiming();

        const std::clock_t begin = std::clock();
        program->t.timers.Run(kDays * 86400LL * 1000);
        cpu += static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
        simulated += kDays;
        benchmark::DoNotOptimize(program->app.MinuteCount);

        state.PauseTiming();
        program.reset();
        state.ResumeTiming();
    }
    state.counters["days_per_second"] = benchmark::Counter(simulated, benchmark::Counter::kIsRate);
    state.counters["days_per_cpu_second"] = simulated / std::max(cpu, 1e-9);
}

void BM_SchedulerCounted(benchmark::State& state) {
    RunDays<CountingActions>(state);
}
void BM_SchedulerModules(benchmark::State& state) {
    RunDays<ProgramActions>(state);
}

BENCHMARK(BM_SchedulerCounted)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SchedulerModules)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace qv
