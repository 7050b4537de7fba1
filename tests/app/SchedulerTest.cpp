#include <gtest/gtest.h>

#include <new>
#include <sstream>

#include "actions/NumberText.h"
#include "app/PopupMenu.h"
#include "app/Scheduler.h"
#include "app/Timer.h"
#include "app/frmIcon.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

constexpr int64_t kSecond = 1000, kMinute = 60 * kSecond;

// The program with default settings and its timers on a simulated clock; the services it asks
// for are journalled with the clock's hh:mm (the tray's 30 s refresh left out).
struct Program {
    Program() {
        t.InitPaths();
        GetSettings(t.app.settingsAccess);
        t.timers.onTick = [this](int id) {
            if (id == kTmrShut)
                shutTicks.push_back(t.timers.NowMs());
            form.OnTimer(id);
        };
        t.actions.onCall = [this](const std::string& name) {
            if (name != "ModemReachable")
                timed.push_back(TimeText(t.clock.now.hour, t.clock.now.minute) + " " + name);
        };
        CreateFormTimers(t.app);
        SetServiceTimerIntervals(t.app);
    }
    // Runs the timers from each "hh:mm:ss+minutes" of `spans` in turn.
    void RunFrom(const std::string& spans) {
        std::istringstream in(spans);
        int h, m, s, minutes;
        char skip;
        while (in >> h >> skip >> m >> skip >> s >> skip >> minutes) {
            t.clock.Set(h, m, s);
            t.timers.Run(minutes * kMinute);
            in >> skip;
        }
    }
    Settings& s() { return t.app.settings; }

    TestApp t;
    FrmIcon form{t.app};
    Strings timed;
    std::vector<int64_t> shutTicks;  // the simulated times of tmrShut's ticks
};

class SchedulerTest : public ::testing::Test, public Program {};

TEST(ShutdownRange, HoldsBetweenBothEndsInclusiveAndAcrossMidnight) {
    struct Case {
        int fh, fm, th, tm, h, m;
        bool holds;
    };
    // clang-format off
    const Case cases[] = {
        {8, 1, 9, 0, 8, 0, false},     {8, 1, 9, 0, 8, 1, true},      {8, 1, 9, 0, 8, 59, true},
        {8, 1, 9, 0, 9, 0, true},      {8, 1, 9, 0, 9, 1, false},     {8, 1, 9, 0, 7, 30, false},
        {8, 30, 8, 45, 8, 29, false},  {8, 30, 8, 45, 8, 45, true},   {8, 30, 8, 45, 9, 40, false},
        // Across midnight: from the start through midnight to the end.
        {23, 0, 1, 0, 22, 59, false},  {23, 0, 1, 0, 23, 0, true},    {23, 0, 1, 0, 0, 30, true},
        {23, 0, 1, 0, 1, 0, true},     {23, 0, 1, 0, 1, 1, false},    {23, 0, 1, 0, 12, 0, false},
        // Both ends the same minute: that minute only.
        {8, 0, 8, 0, 8, 0, true},      {8, 0, 8, 0, 8, 1, false},     {8, 0, 8, 0, 7, 59, false}};
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(InShutdownRange(c.fh, c.fm, c.th, c.tm, c.h, c.m), c.holds)
            << c.fh << ":" << c.fm << "-" << c.th << ":" << c.tm << " at " << c.h << ":" << c.m;
    }
}

// The services as the clock runs, and the log they leave: the shutdown range and the card's
// windows are tested on even and fifth minute counts only; the daily times act once per clock
// minute, though their timers tick twice in some; listed reboot times as read.
TEST(Scheduler, ServicesFallDueByTheClock) {
    struct Row {
        // "+": the modem answers; "-": a reboot fails; "~": a fetch takes 70 s, serving the
        // window, and fails.
        std::string stored, spans, timed, log;
    };
    const std::string shut = "Auto ShutDown Command Issued.|",
                      on = "Auto Enable NIC Command Issued.|",
                      started = "Free Usage Time Started.|",
                      ended = "Free Usage Time Ended : 0 KB in 0 Pages, 0 Failed.|";
    const Row rows[] = {
        {"SrvShutDuring=1", "07:59:30+4, 08:55:30+7",  // 08:01-09:00
         "08:01 ShutDownPC|08:03 ShutDownPC|08:57 ShutDownPC|08:59 ShutDownPC",
         shut + shut + shut + shut},
        {"SrvNicDuringD=1 +", "01:50:30+30", "01:55 DisableNIC",
         "Auto Disable NIC Command Issued.|" + started},
        {"SrvNicDuringN=1", "07:40:30+30", "07:45 EnableNIC|07:50 EnableNIC|07:55 EnableNIC",
         started + on + on + on + ended},
        // The window's end line comes before the shutdown's own line.
        {"SrvShutAt=1 SrvNicAt=1", "07:59:05+1443",  // 08:00, 01:59, 07:58
         "08:00 ShutDownPC|01:59 EnableNIC|07:58 DisableNIC|08:00 ShutDownPC",
         "ShutDown Command Issued.|Enable Nic Command Issued.|" + started +
             "Disable Nic Command Issued.|" + ended + "ShutDown Command Issued.|"},
        // A shutdown inside the window ends it until it closes, though the program lives on.
        {"SrvShutAt=1 ShutAt=3:0", "01:59:30+1502", "03:00 ShutDownPC|03:00 ShutDownPC",
         started + ended + "ShutDown Command Issued.|" + started + ended +
             "ShutDown Command Issued.|"},
        {"SrvNicAt=1 NIC=1:59,1:59", "01:58:30+2", "01:59 EnableNIC|01:59 DisableNIC",
         "Enable Nic Command Issued.|Disable Nic Command Issued.|" + started},
        // "02:01" and " 2 : 1 " both name 02:01: two reboots in one tick, none in the next.
        {"SrvModem=1 Reboot=02:01,,2.4:1,02.5:00,02:00.6,_2_:_1_,07:,0700,00:00x,99999999999:00",
         "01:59:03+4, 06:59:30+2", "02:01 RebootModem|02:01 RebootModem",
         started + "Modem Rebooted Successfully.|Modem Rebooted Successfully.|"},
        {"SrvModem=1 Reboot=00:00x -", "23:59:30+2", "00:00 RebootModem", ""},  // failed: no line
        {"SrvPing=1 PingInterval=20", "03:00:00+1, 09:00:00+2",  // only in the free window
         "03:00 CheckConnectivity|03:00 CheckConnectivity|03:01 CheckConnectivity",
         started + "Keeping the Computer Awake in Free Usage Time.|" + ended +
             "Computer may Sleep Again.|"},
        // The window ends during a fetch: its end line comes after the fetch's lines.
        {"SrvPing=1 PingInterval=20 ~", "07:59:30+2", "07:59 CheckConnectivity",
         started + "Keeping the Computer Awake in Free Usage Time.|Unable to open : x|" + ended +
             "Computer may Sleep Again.|"},
    };
    for (const Row& row : rows) {
        Program p;
        std::istringstream stored(row.stored);
        for (std::string kv; stored >> kv;) {
            std::replace(kv.begin(), kv.end(), '_', ' ');
            if (kv == "+" || kv == "-")
                (kv == "+" ? p.t.actions.modemReachable : p.t.actions.rebootSucceeds) = kv == "+";
            else if (kv == "~")
                p.t.actions.onCall = [&p, journal = p.t.actions.onCall](const std::string& name) {
                    journal(name);
                    if (name != "CheckConnectivity")
                        return;
                    p.t.timers.Block(70 * kSecond);
                    p.t.timers.ServeDue();
                    p.t.app.log.WriteLog("Unable to open : x");
                };
            else
                p.t.store.Put(kv.substr(0, kv.find('=')), kv.substr(kv.find('=') + 1));
        }
        GetSettings(p.t.app.settingsAccess);
        ArmServiceTimers(p.t.app);
        p.RunFrom(row.spans);
        EXPECT_EQ(Join(p.timed), row.timed) << row.stored;
        std::string log;  // the hourly traffic line has its own test
        for (const std::string& line : p.t.LogMessages())
            log += line.starts_with("Total") ? "" : line + "|";
        EXPECT_EQ(log, row.log) << row.stored;
    }
}

TEST_F(SchedulerTest, HourlyTrafficLineAndMinuteCountCaption) {
    t.app.diag.MinuteCountDisplay = true;
    t.timers.Run(59 * kMinute);
    EXPECT_TRUE(t.LogMessages().empty());
    EXPECT_EQ(t.actions.Count("SetNicFrameCaption:Network Interface Settings 59"), 1);
    t.timers.Run(kMinute);
    t.app.traffic.TotalBytesDownloaded = 1536;
    t.timers.Run(60 * kMinute);
    EXPECT_EQ(Join(t.LogMessages()),
              "Total Data Downloaded for Connectivity : 0 KB.|Total Data Downloaded for "
              "Connectivity : 1.5 KB.");
    EXPECT_EQ(t.app.MinuteCount, 120);
}

TEST_F(SchedulerTest, ArmServiceTimersFollowsTheSwitchesAndTheInterval) {
    using Running = std::map<int, uint32_t>;
    const Running always = {{kTmrMinuteAlarm, 60000}, {kTmrIconUpdate, 30000}};
    EXPECT_EQ(t.timers.running, always);
    s().SrvShutAt = s().SrvNicAt = s().SrvModem = s().SrvPing = true;
    ArmServiceTimers(t.app);
    Running all = always;
    all.insert({{kTmrShut, 55000}, {kTmrNIC, 59000}, {kTmrModem, 57000}, {kTmrPing, 50000}});
    EXPECT_EQ(t.timers.running, all);
    // Re-arming with the same settings keeps the running periods going.
    t.timers.Run(30 * kSecond);
    ArmServiceTimers(t.app);
    t.timers.Run(25 * kSecond);
    EXPECT_EQ(shutTicks, std::vector<int64_t>{55 * kSecond});

    // 0 or less never ticks; past the window-timer maximum the period is clamped.
    for (auto [interval, period] : {std::pair{0, 0u},
                                    {-3, 0u},
                                    {61, 61000u},
                                    {3000000, kMaxTimerPeriod},  // 3e9 ms would overflow 32 bits
                                    {INT32_MAX, kMaxTimerPeriod}}) {
        s().PingInterval = interval;
        ArmServiceTimers(t.app);
        EXPECT_EQ(t.timers.running.count(kTmrPing) ? t.timers.running.at(kTmrPing) : 0u, period);
    }
    // A new interval counts from the re-arming.
    t.clock.Set(4, 0, 0);
    s().PingInterval = 7;
    ArmServiceTimers(t.app);
    timed.clear();
    t.timers.Run(7 * kSecond - 1);
    EXPECT_EQ(Join(timed), "");
    t.timers.Run(1);
    EXPECT_EQ(Join(timed), "04:00 CheckConnectivity");

    t.app.KeepAliveActive = true;
    s().SrvPing = s().SrvModem = false;
    ArmServiceTimers(t.app);
    EXPECT_FALSE(t.app.KeepAliveActive);
    all.erase(kTmrPing);
    all.erase(kTmrModem);
    EXPECT_EQ(t.timers.running, all);
}

TEST_F(SchedulerTest, NestedTicksNeverStartASecondConversationOrFetch) {
    s().SrvModem = s().SrvPing = true;
    s().PingInterval = 5;
    s().RebootTimes = {"02:01"};
    ArmServiceTimers(t.app);
    int depth = 0, deepest = 0;
    t.actions.onCall = [&](const std::string& name) {
        timed.push_back(name);
        if (name != "RebootModem" && name != "CheckConnectivity")
            return;
        deepest = std::max(deepest, ++depth);
        // A long step, then the window serves what fell due meanwhile.
        t.timers.Block(name == "RebootModem" ? 70 * kSecond : 8 * kSecond);
        t.timers.ServeDue();
        --depth;
    };
    RunFrom("02:00:20+3");
    EXPECT_EQ(deepest, 1);
    // The listed minute came during a page fetch: the reboot waited for the fetch to end.
    EXPECT_EQ(std::count(timed.begin(), timed.end(), "RebootModem"), 1);
    EXPECT_GT(std::count(timed.begin(), timed.end(), "CheckConnectivity"), 3);
}

TEST_F(SchedulerTest, AFailureNoRoutineCaughtIsReportedAndTheProgramServesOn) {
    s().SrvPing = true;
    s().PingInterval = 20;
    ArmServiceTimers(t.app);
    t.clock.Set(3, 0, 0);
    t.menu.choice = kCmdSettings;
    // The first call of each of these fails as running out of memory does.
    Strings failed;
    t.actions.onCall = [&](const std::string& name) {
        if ((name == "CheckConnectivity" || name == "ShowSettingsDialog") &&
            std::find(failed.begin(), failed.end(), name) == failed.end()) {
            failed.push_back(name);
            throw std::bad_alloc();
        }
    };
    t.timers.Run(20 * kSecond);  // a ping tick
    EXPECT_EQ(t.app.IconState, 5);
    form.OnTrayCallback(kTrayRightButtonUp);  // the menu's "&Settings"
    form.OnTrayCallback(kTrayLeftDoubleClick);
    t.timers.Run(40 * kSecond);
    EXPECT_EQ(t.actions.Count("ShowSettingsDialog"), 2);
    EXPECT_EQ(t.actions.Count("CheckConnectivity"), 3);
    EXPECT_EQ(Join(t.LogMessages()),
              "Free Usage Time Started.|Keeping the Computer Awake in Free Usage Time.|Unexpected "
              "Error : std::bad_alloc|Unexpected Error : std::bad_alloc");
}

}  // namespace
}  // namespace qv::test
