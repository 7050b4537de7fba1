#include <gtest/gtest.h>

#include <sstream>

#include "app/NightKeeper.h"
#include "app/Scheduler.h"
#include "app/frmIcon.h"
#include "connectivity/PingInet.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

// The program started on 7 December at the row's time with the connectivity service on (a page
// every 10 s, real checks against pages that answer while the line is up), then driven by a
// script: "K=V" stores a setting and closes the dialog, "+N" runs the timers N seconds, "zN"
// blocks the thread N seconds (the computer sleeps or the process is frozen), "sleep" and
// "resume" are Windows' power events, "up" and "down" the line, "exit" the menu's "&Exit".
// It answers with the power calls and the log's lines of the night, each with its time.
struct Night {
    Night(const std::string& stored, const std::string& start) {
        std::istringstream at(start);
        char skip;
        at >> t.clock.now.day >> skip >> t.clock.now.hour >> skip >> t.clock.now.minute >> skip >>
            t.clock.now.second;
        t.InitPaths();
        t.timers.steadyMs = &t.clock.steadyMs;
        t.store.Put("SrvPing", "1");
        t.store.Put("PingInterval", "10");
        t.store.Put("PingUrls", "");
        for (std::istringstream in(stored); in >> stored_;)
            t.store.Put(stored_.substr(0, stored_.find('=')),
                        stored_.substr(stored_.find('=') + 1));
        t.timers.onTick = [this](int id) { form.OnTimer(id); };
        t.actions.onCall = [this](const std::string& call) {
            if (call == "CheckConnectivity")
                CheckConnectivity(t.app.connectivityContext);
        };
        Line(true);
        form.Form_Load();
        SetServiceTimerIntervals(t.app);
        ArmServiceTimers(t.app);
    }
    void Line(bool up) {
        for (const std::string& url : t.app.paths.SearchPageUrls)
            up ? void(t.internet.pages[url] = "<html>") : void(t.internet.pages.erase(url));
    }
    std::string Play(const std::string& script) {
        std::istringstream in(script);
        for (std::string step; in >> step;) {
            if (step[0] == '+' || step[0] == 'z') {
                const int64_t ms = std::stoll(step.substr(1)) * 1000;
                step[0] == '+' ? t.timers.Run(ms) : t.timers.Block(ms);
            } else if (step == "sleep" || step == "resume") {
                form.OnPowerBroadcast(step == "sleep" ? kPowerSuspend : kPowerResumeAutomatic);
            } else if (step == "up" || step == "down") {
                Line(step == "up");
            } else if (step == "exit") {
                EXPECT_THROW(form.mExit_Click(), ProcessEnded);
            } else {
                t.store.Put(step.substr(0, step.find('=')), step.substr(step.find('=') + 1));
                GetSettings(t.app.settingsAccess);
                ArmServiceTimers(t.app);
            }
        }
        std::string out = Join(t.power.calls);
        std::istringstream log(t.files.files[t.app.paths.LogPath]);
        for (std::string line; std::getline(log, line);) {
            const std::string text = line.substr(24, line.size() - 25);
            if (text.starts_with("Computer") || text.starts_with("Keeping") ||
                text.starts_with("No Connectivity") || text.ends_with("Quitting."))
                out += " / " + line.substr(11, 8) + " " + text;
        }
        return out;
    }

    TestApp t;
    FrmIcon form{t.app};
    std::string stored_;
};

const std::string kAwake = " Keeping the Computer Awake in Free Usage Time.",
                  kMaySleep = " Computer may Sleep Again.", kWoke = " Computer Woke Up.",
                  kToSleep = " Computer Going to Sleep.",
                  kReboot = " No Connectivity Since last 3 Minutes - Rebooting Modem.";

// The request is made while the window is open with the service and the box on, and given back
// at the window's end, when either is turned off and at exit; the wake timer is one minute
// before the next window, set again after a window and a change of the settings.
TEST(NightKeeper, KeepsTheComputerAwakeInTheWindowAndWakesItBeforeIt) {
    const std::array<std::string, 4> rows[] = {
        {"Time=2,3", "7/01:59:30", "+3660",
         "awake|may sleep / 02:00:00" + kAwake + " / 03:00:00" + kMaySleep},
        {"Time=2,3 SrvAwake=0", "7/01:59:30", "+3600", ""},
        {"Time=2,3 SrvPing=0", "7/01:59:30", "+3600", ""},
        {"", "7/02:30:00", "+5 SrvAwake=0 +5 SrvAwake=1",
         "awake|may sleep|awake / 02:30:00" + kAwake + " / 02:30:05" + kMaySleep + " / 02:30:10" +
             kAwake},
        {"", "7/02:30:00", "+5 SrvPing=0",
         "awake|may sleep / 02:30:00" + kAwake + " / 02:30:05" + kMaySleep},
        {"", "7/02:30:00", "+5 exit",
         "awake|may sleep / 02:30:00" + kAwake + " / 02:30:05" + kMaySleep +
             " / 02:30:05 Dastrel's Quorvane Helper Quitting."},
        {"SrvWake=1 SrvAwake=0", "7/12:00:00", "", "wake 2026-12-08 01:59"},
        {"SrvWake=1 SrvAwake=0 Time=22,6", "7/21:58:59", "", "wake 2026-12-07 21:59"},
        {"SrvWake=1 SrvAwake=0 Time=0,6", "31/23:59:30", "", "wake 2027-01-01 23:59"},
        {"SrvWake=1 SrvAwake=0 Time=5,5", "7/12:00:00", "", ""},  // always free
        // Set again when the timer's minute has gone by, and when the settings change.
        {"SrvWake=1 SrvAwake=0 Time=2,3", "7/01:58:30", "+90 Time=4,6 SrvWake=0",
         "wake 2026-12-07 01:59|wake 2026-12-08 01:59|wake 2026-12-07 03:59|no wake"},
    };
    for (const auto& [stored, start, script, want] : rows) {
        Night night(stored, start);
        EXPECT_EQ(night.Play(script), want) << stored << " " << start << " " << script;
    }
}

// A sleep inside the window, told by Windows or seen as a gap of more than two minutes between
// two ticks, is one wake; the three minutes without a page run from the wake, and the request
// is made again.
TEST(NightKeeper, ASleepIsNoOutage) {
    const std::pair<std::string, std::string> rows[] = {
        // Windows tells both; the line needs 40 s after the wake.
        {"+60 sleep down z600 resume +40 up +300",
         "awake|awake / 02:30:00" + kAwake + " / 02:31:00" + kToSleep + " / 02:41:00" + kWoke},
        // The line stays dead: the rule reboots three minutes after the wake.
        {"+60 sleep down z600 resume +300", "awake|awake / 02:30:00" + kAwake + " / 02:31:00" +
                                                kToSleep + " / 02:41:00" + kWoke + " / 02:44:00" +
                                                kReboot},
        // Frozen from outside: no message, the ticks' gap tells.
        {"+60 down z600 +40 up +300", "awake|awake / 02:30:00" + kAwake + " / 02:41:00" + kWoke},
        // The ticks come before Windows' message, or the message comes twice: one wake.
        {"+60 sleep z600 +10 resume +10 resume",
         "awake|awake / 02:30:00" + kAwake + " / 02:31:00" + kToSleep + " / 02:41:00" + kWoke},
        // Two minutes exactly between two ticks is no sleep.
        {"+60 z120 +60", "awake / 02:30:00" + kAwake},
        // Before the sleep the line was already failing: those failures are forgotten.
        {"+60 down +30 z600 +100 up +300",
         "awake|awake / 02:30:00" + kAwake + " / 02:41:30" + kWoke},
    };
    for (const auto& [script, want] : rows) {
        Night night("", "7/02:30:00");
        EXPECT_EQ(night.Play(script), want) << script;
    }
}

}  // namespace
}  // namespace qv::test
