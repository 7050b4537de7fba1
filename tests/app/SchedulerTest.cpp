#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "app/PopupMenu.h"
#include "app/Scheduler.h"
#include "app/Timer.h"
#include "app/frmIcon.h"
#include "settings/GetSettings.h"
#include "actions/NumberText.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using Strings = std::vector<std::string>;
constexpr int64_t kSecond = 1000;
constexpr int64_t kMinute = 60 * kSecond;

// The program with default settings and its timers on a simulated clock; the actions are
// recorded together with the clock's hh:mm when they were called.
class SchedulerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        t.InitPaths();
        GetSettings(t.app.settingsAccess);
        t.timers.onTick = [this](int id) {
            if (id == kTmrShut)
                shutTicks.push_back(t.timers.NowMs());
            form.OnTimer(id);
        };
        t.actions.onCall = [this](const std::string& name) {
            const LocalTime& n = t.clock.now;
            timed.push_back(TimeText(n.hour, n.minute) + " " + name);
        };
        CreateFormTimers(t.app);
        SetServiceTimerIntervals(t.app);
    }
    Settings& s() { return t.app.settings; }
    // The recorded calls of one action, as "hh:mm name".
    Strings Timed(const std::string& name) const {
        Strings r;
        for (const auto& c : timed) {
            if (c.substr(6) == name)
                r.push_back(c);
        }
        return r;
    }
    int Lines(const std::string& message) const {
        auto m = t.LogMessages();
        return static_cast<int>(std::count(m.begin(), m.end(), message));
    }

    test::TestApp t;
    FrmIcon form{t.app};
    Strings timed;
    std::vector<int64_t> shutTicks;  // the simulated times of tmrShut's ticks
};

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
        {23, 0, 1, 0, 1, 0, true},     {23, 0, 1, 0, 1, 1, false},    {23, 0, 1, 0, 12, 0, false}};
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(InShutdownRange(c.fh, c.fm, c.th, c.tm, c.h, c.m), c.holds)
            << c.fh << ":" << c.fm << "-" << c.th << ":" << c.tm << " at " << c.h << ":" << c.m;
    }
}

TEST_F(SchedulerTest, ShutdownRangeIsTestedOnEvenMinuteCountsOnly) {
    s().SrvShutDuring = true;  // default range 08:01-09:00
    t.clock.Set(7, 59, 30);    // tick k falls on 07:59 + k minutes
    t.timers.Run(70 * kMinute);
    auto calls = Timed("ShutDownPC");
    ASSERT_EQ(calls.size(), 30u);
    EXPECT_EQ(calls.front(), "08:01 ShutDownPC");
    EXPECT_EQ(calls.back(), "08:59 ShutDownPC");  // 09:00 falls on an odd count: missed
    EXPECT_EQ(Lines("Auto ShutDown Command Issued."), 30);
}

TEST_F(SchedulerTest, HourlyTrafficLineAndMinuteCountCaption) {
    t.app.diag.MinuteCountDisplay = true;
    t.timers.Run(59 * kMinute);
    EXPECT_TRUE(t.LogMessages().empty());
    EXPECT_EQ(t.actions.Count("SetNicFrameCaption:Network Interface Settings 59"), 1);
    t.timers.Run(kMinute);
    EXPECT_EQ(t.LogMessages(), (Strings{"Total Data Downloaded for Connectivity : 0 KB."}));
    t.app.traffic.TotalBytesDownloaded = 1536;
    t.timers.Run(60 * kMinute);
    EXPECT_EQ(t.LogMessages().back(), "Total Data Downloaded for Connectivity : 1.5 KB.");
    EXPECT_EQ(t.app.MinuteCount, 120);
}

TEST_F(SchedulerTest, FiveMinuteCardRuleOnBothSidesOfTheWindow) {
    s().SrvNicDuringN = true;
    s().SrvNicDuringD = true;
    t.clock.Set(1, 50, 30);  // counts 5 and 10 fall on 01:55 and 02:00
    t.actions.modemReachable = true;
    t.timers.Run(30 * kMinute);
    EXPECT_EQ(Timed("DisableNIC"), (Strings{"01:55 DisableNIC"}));
    EXPECT_TRUE(Timed("EnableNIC").empty());

    t.actions.modemReachable = false;
    t.clock.Set(7, 40, 30);  // counts 35..60: 07:45, 07:50, 07:55 inside, 08:00.. outside
    t.timers.Run(30 * kMinute);
    EXPECT_EQ(Timed("EnableNIC"),
              (Strings{"07:45 EnableNIC", "07:50 EnableNIC", "07:55 EnableNIC"}));
    EXPECT_EQ(Lines("Auto Enable NIC Command Issued."), 3);
    EXPECT_EQ(Lines("Auto Disable NIC Command Issued."), 1);
}

TEST_F(SchedulerTest, ArmServiceTimersFollowsTheSwitches) {
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

    t.app.KeepAliveActive = true;
    s().SrvPing = s().SrvModem = false;
    ArmServiceTimers(t.app);
    EXPECT_FALSE(t.app.KeepAliveActive);
    all.erase(kTmrPing);
    all.erase(kTmrModem);
    EXPECT_EQ(t.timers.running, all);
}

TEST_F(SchedulerTest, DailyTimersActOncePerClockMinute) {
    s().SrvShutAt = s().SrvNicAt = true;  // shutdown 08:00, card on 01:59, off 07:58
    ArmServiceTimers(t.app);
    t.clock.Set(7, 59, 5);  // tmrShut ticks at 08:00:00 and 08:00:55
    t.timers.Run(3 * kMinute);
    EXPECT_EQ(Timed("ShutDownPC"), (Strings{"08:00 ShutDownPC"}));
    EXPECT_EQ(Lines("ShutDown Command Issued."), 1);

    t.timers.Run(24 * 60 * kMinute);  // the next day acts again
    EXPECT_EQ(Timed("ShutDownPC").size(), 2u);
    EXPECT_EQ(Timed("EnableNIC"), (Strings{"01:59 EnableNIC"}));
    EXPECT_EQ(Timed("DisableNIC"), (Strings{"07:58 DisableNIC"}));

    // Equal times: both run in one tick, enable first.
    s().NicOffHour = 1;
    s().NicOffMinute = 59;
    timed.clear();
    t.timers.Run(24 * 60 * kMinute);
    EXPECT_EQ(Timed("EnableNIC").size(), 1u);
    ASSERT_EQ(Timed("DisableNIC").size(), 1u);
    EXPECT_LT(std::find(timed.begin(), timed.end(), "01:59 EnableNIC"),
              std::find(timed.begin(), timed.end(), "01:59 DisableNIC"));
}

TEST_F(SchedulerTest, ModemRebootsForEveryMatchingEntry) {
    s().SrvModem = true;
    // Times are compared as read: a fraction never equals a clock hour or minute.
    s().RebootTimes = {"02:01",   "",    "2.4:1", "02.5:00", "02:00.6",
                       " 2 : 1 ", "07:", "0700",  "00:00x",  "99999999999:00"};
    ArmServiceTimers(t.app);
    t.clock.Set(1, 59, 3);  // tmrModem ticks at 02:00:00, 02:00:57, 02:01:54 and 02:02:51
    t.timers.Run(4 * kMinute);
    // "02:01" and " 2 : 1 " both name 02:01: two reboots in one tick, none in the second tick.
    EXPECT_EQ(Timed("RebootModem"), (Strings{"02:01 RebootModem", "02:01 RebootModem"}));
    EXPECT_EQ(Lines("Modem Rebooted Successfully."), 2);

    timed.clear();
    t.actions.rebootSucceeds = false;
    t.clock.Set(23, 59, 30);  // 00:00 matches "00:00x"; "" and "07:" never match
    t.timers.Run(2 * kMinute);
    t.clock.Set(6, 59, 30);
    t.timers.Run(2 * kMinute);
    EXPECT_EQ(Timed("RebootModem"), (Strings{"00:00 RebootModem"}));
    EXPECT_EQ(Lines("Modem Rebooted Successfully."), 2);  // a failed reboot writes nothing here
}

TEST_F(SchedulerTest, NestedTicksNeverStartASecondConversationOrFetch) {
    s().SrvModem = s().SrvPing = true;
    s().PingInterval = 5;
    s().RebootTimes = {"02:01"};
    ArmServiceTimers(t.app);
    int depth = 0, deepest = 0;
    t.actions.onCall = [&](const std::string& name) {
        const LocalTime& n = t.clock.now;
        timed.push_back(TimeText(n.hour, n.minute) + " " + name);
        if (name != "RebootModem" && name != "CheckConnectivity")
            return;
        deepest = std::max(deepest, ++depth);
        // A long step, then the window serves what fell due meanwhile.
        t.timers.Block(name == "RebootModem" ? 70 * kSecond : 8 * kSecond);
        t.timers.ServeDue();
        --depth;
    };
    t.clock.Set(2, 0, 20);
    t.timers.Run(3 * kMinute);
    EXPECT_EQ(deepest, 1);
    // The listed minute came during a page fetch: the reboot waited for the fetch to end.
    EXPECT_EQ(Timed("RebootModem").size(), 1u);
    EXPECT_GT(Timed("CheckConnectivity").size(), 3u);
}

TEST_F(SchedulerTest, PingTicksFollowTheIntervalOnlyInTheFreeWindow) {
    s().SrvPing = true;
    s().PingInterval = 20;
    ArmServiceTimers(t.app);
    t.clock.Set(3, 0, 0);
    t.timers.Run(2 * kMinute);
    EXPECT_EQ(t.actions.Count("CheckConnectivity"), 6);
    EXPECT_TRUE(t.app.KeepAliveActive);

    // Outside the window nothing happens and KeepAliveActive keeps its value.
    t.clock.Set(9, 0, 0);
    t.timers.Run(2 * kMinute);
    EXPECT_EQ(t.actions.Count("CheckConnectivity"), 6);
    EXPECT_TRUE(t.app.KeepAliveActive);

    // A new interval counts from the re-arming.
    t.clock.Set(4, 0, 0);
    s().PingInterval = 7;
    ArmServiceTimers(t.app);
    t.timers.Run(7 * kSecond - 1);
    EXPECT_EQ(t.actions.Count("CheckConnectivity"), 6);
    t.timers.Run(1);
    EXPECT_EQ(t.actions.Count("CheckConnectivity"), 7);
}

TEST_F(SchedulerTest, PingIntervalZeroNeverTicksAndHugeIntervalsAreClamped) {
    s().SrvPing = true;
    for (auto [interval, period] : {std::pair{0, 0u},
                                    {-3, 0u},
                                    {61, 61000u},
                                    {3000000, kMaxTimerPeriod},  // 3e9 ms would overflow 32 bits
                                    {INT32_MAX, kMaxTimerPeriod}}) {
        s().PingInterval = interval;
        ArmServiceTimers(t.app);
        // A period of 0 is never handed over.
        EXPECT_EQ(t.timers.running.count(kTmrPing) ? t.timers.running.at(kTmrPing) : 0u, period);
    }
    s().PingInterval = 0;
    t.clock.Set(3, 0, 0);
    ArmServiceTimers(t.app);
    t.timers.Run(10 * kMinute);
    EXPECT_EQ(t.actions.Count("CheckConnectivity"), 0);
}

TEST_F(SchedulerTest, AFailureNoRoutineCaughtIsReportedAndTheProgramServesOn) {
    s().SrvPing = true;
    s().PingInterval = 20;
    ArmServiceTimers(t.app);
    t.clock.Set(3, 0, 0);
    t.menu.choice = kCmdSettings;
    // The first call of each of these fails as running out of memory does.
    const Strings failing = {"CheckConnectivity", "ShowSettingsDialog"};
    Strings failed;
    t.actions.onCall = [&](const std::string& name) {
        if (std::find(failing.begin(), failing.end(), name) != failing.end() &&
            std::find(failed.begin(), failed.end(), name) == failed.end()) {
            failed.push_back(name);
            throw std::bad_alloc();
        }
    };
    t.timers.Run(20 * kSecond);  // a ping tick
    EXPECT_EQ(t.app.IconState, 5);
    EXPECT_EQ(Lines("Unexpected Error : std::bad_alloc"), 1);
    form.OnTrayCallback(kTrayRightButtonUp);  // the menu's "&Settings"
    EXPECT_EQ(Lines("Unexpected Error : std::bad_alloc"), 2);
    form.OnTrayCallback(kTrayLeftDoubleClick);
    t.timers.Run(40 * kSecond);
    EXPECT_EQ(t.actions.Count("ShowSettingsDialog"), 2);
    EXPECT_EQ(t.actions.Count("CheckConnectivity"), 3);
    EXPECT_EQ(t.LogMessages().size(), 2u);
}

}  // namespace
}  // namespace qv
