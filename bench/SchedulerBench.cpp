// Thirty simulated days of every timer with every service switched on, checked against the
// actions they must have caused, and timed. Built optimised as its own program.
#include <gtest/gtest.h>

#include <array>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <iostream>

#include "actions/Text.h"
#include "app/Icon.h"
#include "app/Scheduler.h"
#include "app/Timer.h"
#include "actions/FileHelpers.h"
#include "app/frmIcon.h"
#include "settings/GetSettings.h"
#include "bench/CountingDoubles.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using bench::CountingActions;
using bench::CountingTray;

TEST(SchedulerBench, ThirtyDaysOfEveryTimer) {
    test::FakeClock clock;
    test::FakeFiles files;
    test::FakeStore store;
    test::FakeProcess process;
    test::FakeUi ui;
    test::SimTimers timers{clock.now};
    CountingTray tray;
    test::FakeInternet internet;
    test::FakeMenu menu;
    test::FakeRegistry registry;
    test::FakeSockets sockets;
    test::FakePower power;
    CryptoHashes hashes;
    test::FakeWebRequests web;
    Platform platform{clock,    files,    store,   process, ui,   timers, tray,
                      internet, registry, sockets, power,   menu, hashes, web};
    App app{platform};
    CountingActions actions{app};
    app.SetActions(actions);
    FrmIcon form{app};
    timers.onTick = [&](int id) { form.OnTimer(id); };
    for (const char* key : {"SrvShutAt", "SrvShutDuring", "SrvNicDuringN", "SrvNicDuringD",
                            "SrvModemFail", "SrvNicAt", "SrvModem", "SrvPing"})
        store.Put(key, "1");
    clock.now = LocalTime{2026, 12, 30, 0, 0, 0};  // across a month and a year end
    form.Form_Load();

    constexpr int kDays = 30;
    auto begin = std::chrono::steady_clock::now();
    std::clock_t cpuBegin = std::clock();
    timers.Run(kDays * 86400LL * 1000);
    double cpuSeconds = static_cast<double>(std::clock() - cpuBegin) / CLOCKS_PER_SEC;
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();

    EXPECT_EQ(clock.now.year, 2027);
    EXPECT_EQ(clock.now.month, 1);
    EXPECT_EQ(clock.now.day, 29);
    EXPECT_EQ(app.MinuteCount, kDays * 1440);
    using A = CountingActions;
    // Once a day: the shutdown time and the two card times; every listed reboot time; the 30
    // even counts of 08:01-09:00; the card enabled every five minutes of the six free hours
    // while the modem does not answer; a keep-alive every 50 s of them.
    EXPECT_EQ(actions.count[A::kShutDown], kDays * (1 + 30));
    EXPECT_EQ(actions.count[A::kReboot], kDays * 6);
    EXPECT_EQ(actions.count[A::kEnable], kDays * (1 + 72));
    EXPECT_EQ(actions.count[A::kDisable], kDays);
    EXPECT_EQ(actions.count[A::kFetch], kDays * 432);
    std::string log = files.files.at(app.paths.LogPath);
    std::vector<std::string> lines = TextLines(log);
    // The start line, then the actions' lines, the window's two, the keep-awake request's two
    // and one traffic line an hour.
    EXPECT_EQ(lines.size(), static_cast<size_t>(1 + kDays * (1 + 30 + 6 + 2 + 72 + 2 + 2 + 24)));
    EXPECT_EQ(lines.back().substr(24), "Total Data Downloaded for Connectivity : 25920 KB.");
    EXPECT_FALSE(app.tray.AnimationRunning);

    // The processor time is the steadier figure on a busy machine.
    double perSecond = kDays / seconds;
    double perCpuSecond = kDays / std::max(cpuSeconds, 1e-6);
    std::cout << "simulated days per second: " << perSecond << " (wall clock), " << perCpuSecond
              << " (processor time)\n";
    RecordProperty("SimulatedDaysPerSecond", static_cast<int>(perSecond));
    RecordProperty("SimulatedDaysPerCpuSecond", static_cast<int>(perCpuSecond));
}

}  // namespace
}  // namespace qv
