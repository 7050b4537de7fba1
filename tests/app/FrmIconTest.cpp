#include <gtest/gtest.h>

#include "app/Barrier.h"
#include "app/Icon.h"
#include "app/PopupMenu.h"
#include "app/Timer.h"
#include "app/frmIcon.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

// What the user and the world saw of the program, in one line each: the services asked for,
// the tray's requests (a picture by its number), message boxes, log lines and started programs.
std::string World(const TestApp& t) {
    std::string all;
    auto add = [&](const std::string& what) { all += (all.empty() ? "" : "|") + what; };
    for (const std::string& call : t.actions.calls)
        add(call);
    for (const FakeTray::Call& call : t.tray.calls)  // the tip as the icon is added
        add("tray" + std::to_string(static_cast<int>(call.op)) + ":" +
            std::to_string(static_cast<int>(call.picture)) +
            (call.op == FakeTray::Op::Show ? " " + call.tip : ""));
    for (size_t i = 0; i < t.ui.messages.size(); ++i)
        add("box " + t.ui.captions[i] + ": " + t.ui.messages[i]);
    for (const std::string& line : t.LogMessages())
        add("log: " + line);
    for (const auto& [line, show] : t.process.started)
        add("start " + line + (show == ShowCommand::Normal ? "" : " minimized"));
    return all;
}

constexpr const char* kLog = "C:\\Program Files\\Quorvane\\Quorvane.log";

// Start-up as the user sees it, by the stored settings, a start by Windows and a second copy.
TEST(FormLoad, StartsLogsAndShowsTheIconOnTheFirstActivation) {
    const std::string started = "log: Dastrel's Quorvane Helper Started.";
    const std::string steps =
        "SetServiceTimerIntervals|StartSockets|WriteNicBatches|ArmServiceTimers";
    struct Row {
        Strings stored;
        std::string arguments;
        bool second;
        std::string world;
    };
    const Row rows[] = {
        {{}, "", false, steps + "|tray1:2|tray1:2|tray0:2 Quorvane Helper by Dastrel.|" + started},
        {{"NIC", "1:59"},
         "x",
         false,  // any argument: started by Windows
         steps + "|tray1:4|tray1:4|tray1:4|tray0:4 Quorvane Helper by Dastrel.|log: GetSettings "
                 "Unknown Error : "
                 "9|log: Dastrel's Quorvane Helper Started with Windows."},
        {{}, "", true, "box Quorvane: This Application is Already Running."},
    };
    for (const Row& row : rows) {
        TestApp t;
        FrmIcon form{t.app};
        for (size_t i = 0; i < row.stored.size(); i += 2)
            t.store.Put(row.stored[i], row.stored[i + 1]);
        t.clock.Set(12, 0);  // outside the default window once the settings are loaded
        t.process.arguments = row.arguments;
        t.process.otherInstanceRunning = row.second;
        t.timers.onTick = [&](int id) { form.OnTimer(id); };
        if (row.second) {
            EXPECT_THROW(form.Form_Load(), ProcessEnded);
            EXPECT_TRUE(t.files.files.empty());
        } else {
            form.Form_Load();
            form.Form_Activate();
        }
        EXPECT_EQ(World(t), row.world);
        EXPECT_EQ(t.process.priorityRaised, row.second ? 0 : 1);
        // The window's own timers run; the first minute comes after sixty seconds.
        t.timers.Run(59999);
        EXPECT_EQ(t.app.MinuteCount, 0);
        t.timers.Run(1);
        EXPECT_EQ(t.app.MinuteCount, row.second ? 0 : 1);
    }
}

// A failure while the program starts is logged as the barrier logs it and shown in one box
// with the program's caption; a start that works shows nothing.
TEST(FormLoad, AFailureAtStartUpIsLoggedAndShown) {
    for (const bool fails : {false, true}) {
        TestApp t;
        FrmIcon form{t.app};
        t.actions.onCall = [&](const std::string& call) {
            if (fails && call == "ArmServiceTimers")
                throw std::runtime_error("no timer");
        };
        EXPECT_EQ(StartupBarrier(t.app, [&] { form.Form_Load(); }), !fails);
        EXPECT_EQ(Join(t.ui.captions) + ": " + Join(t.ui.messages) + "/" + Join(t.LogMessages()),
                  fails ? "Quorvane: Unexpected Error : no timer/Unexpected Error : no timer"
                        : ": /Dastrel's Quorvane Helper Started.")
            << fails;
    }
}

// Unloaded by Windows, the program removes the icon and stops the sockets once, without the
// quit line the menu's Exit writes.
TEST(FormLoad, UnloadByWindowsRemovesTheIconAndStopsTheSocketsOnce) {
    TestApp t;
    FrmIcon form{t.app};
    form.Form_Load();
    t.actions.calls.clear();
    form.Form_Unload();
    form.Form_Unload();
    EXPECT_EQ(World(t),
              "StopSockets|tray1:2|tray1:2|tray2:0|log: Dastrel's Quorvane Helper Started.");
}

TEST(IconState, FollowsWindowModemAndErrorState) {
    TestApp t;
    t.app.settings.FreeStartHour = 2;
    t.app.settings.FreeEndHour = 8;
    std::string numbers;
    for (auto [hour, keepAlive, reachable, state] : {std::tuple{3, false, false, 0},
                                                     {3, true, false, 0},
                                                     {9, true, false, 0},
                                                     {9, true, true, 0},
                                                     {9, true, true, 5}}) {
        t.clock.Set(hour, 0);
        t.app.KeepAliveActive = keepAlive;
        t.actions.modemReachable = reachable;
        t.app.IconState = state;
        numbers += std::to_string(GetCurrentIconNo(t.app));
    }
    EXPECT_EQ(numbers, "34215");
    t.actions.calls.clear();
    for (int state : {0, 4, 0, 1, 2, 3, 5, 6}) {  // an unknown state leaves the picture as it was
        t.app.IconState = state;
        UpdateTrayIcon(t.app);
    }
    EXPECT_EQ(World(t), "tray1:0|tray1:3|tray1:3|tray1:1|tray1:2|tray1:2|tray1:4|tray1:4");
}

class TrayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        t.InitPaths();
        GetSettings(t.app.settingsAccess);
        t.timers.onTick = [this](int id) { form.OnTimer(id); };
        CreateFormTimers(t.app);
        t.clock.Set(12, 0, 0);  // outside the free window
        t.actions.calls.clear();
    }
    TestApp t;
    FrmIcon form{t.app};
};

// An animation shows its four frames, then the state icon; the 30 s refresh that falls inside it
// waits for it. The error state lasts until the log is looked at; Notepad that cannot start is
// said so.
TEST_F(TrayTest, RefreshWaitsForTheAnimationAndKeepsTheErrorStateUntilTheLogIsViewed) {
    t.timers.Run(29500);
    TrayAnimate(t.app);
    t.tray.calls.clear();
    t.timers.Run(700);  // the 30 s refresh falls inside the animation
    t.app.IconState = 5;
    t.timers.Run(2 * 60000);
    EXPECT_EQ(t.app.IconState, 5);
    t.actions.modemReachable = true;
    form.OnMenuCommand(kCmdLog);  // recomputed at once: red outside the window, modem answering
    EXPECT_EQ(t.app.IconState, 1);
    t.app.IconState = 5;
    t.process.startSucceeds = false;
    form.mLog_Click();
    const std::string notepad = "|start c:\\windows\\Notepad.exe " + std::string(kLog);
    EXPECT_EQ(World(t),
              "ModemReachable|ModemReachable|tray1:5|tray1:6|tray1:7|tray1:8|tray1:4|tray1:4|"
              "tray1:4|tray1:4|tray1:4|tray1:1|tray1:1|box Quorvane: Unable to start "
              "Notepad to show the log : " +
                  std::string(kLog) + notepad + notepad);
}

// Only a double click and the right button's release act; ticks of a timer that is off (queued
// before it was switched off, or unknown) are dropped.
TEST_F(TrayTest, OnlyDoubleClickAndRightButtonUpActAndTicksOfStoppedTimersAreDropped) {
    for (int id : {int{kTmrShut}, 99, int{kTmrMinuteAlarm}})
        form.OnTimer(id);
    EXPECT_EQ(t.app.MinuteCount, 1);
    for (uint32_t m : {0x200u, 0x201u, 0x202u, 0x204u, 0x206u, 0x207u, 0x208u, 0x209u, 0x203u})
        form.OnTrayCallback(m);
    for (int choice : {0, int{kCmdSettings}, int{kCmdLog}}) {  // 0: closed without a choice
        t.menu.choice = choice;
        form.OnTrayCallback(0x205);
    }
    t.menu.choice = kCmdExit;
    EXPECT_THROW(form.OnTrayCallback(0x205), ProcessEnded);
    ASSERT_EQ(t.menu.shown.size(), 4u);
    std::string captions;
    for (const MenuEntry& e : t.menu.shown[0])
        captions += (e.IsSeparator() ? "-" : e.caption) + " ";
    EXPECT_EQ(captions, "&ViewErrorLog &NightReport - &Settings - &Exit ");
    EXPECT_EQ(World(t),
              "ShowSettingsDialog|ShowSettingsDialog|ModemReachable|UnloadSettingsDialog|"
              "StopSockets|tray1:2|tray2:0|tray1:2|tray2:0|log: Dastrel's Quorvane Helper "
              "Quitting.|start c:\\windows\\Notepad.exe " +
                  std::string(kLog));
}

}  // namespace
}  // namespace qv::test
