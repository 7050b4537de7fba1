#include <gtest/gtest.h>

#include "app/Globals.h"
#include "app/Icon.h"
#include "app/PopupMenu.h"
#include "app/Scheduler.h"
#include "app/Timer.h"
#include "app/frmIcon.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

using test::Strings;

// The picture the latest request to the tray asked for.
Picture Last(const test::FakeTray& tray) {
    return tray.calls.empty() ? Picture::WindowIcon : tray.calls.back().picture;
}

TEST(ProgramPaths, AreBuiltFromTheExecutablePath) {
    test::TestApp t;
    t.process.exePath = "C:\\Program Files\\Quorvane\\QUORVANE.EXE";
    t.InitPaths();
    const ProgramPaths& p = t.app.paths;
    EXPECT_EQ(p.ProgramFolder, "C:\\Program Files\\Quorvane");
    EXPECT_EQ(p.ExeBaseName, "QUORVANE");
    EXPECT_EQ(p.ExePath, "C:\\Program Files\\Quorvane\\QUORVANE.Exe");
    EXPECT_EQ(p.CommandFilePath, "C:\\Program Files\\Quorvane\\Reboot.Txt");
    EXPECT_EQ(p.LogPath, "C:\\Program Files\\Quorvane\\QUORVANE.log");
    EXPECT_EQ(p.DisableBatchPath, "c:\\windows\\DisNic.bat");

    // At a drive root a single backslash; the Windows directory is taken as it comes.
    t.process.exePath = "D:\\Quorvane.exe";
    t.files.windowsDirectory = "D:\\WinNT\\";
    t.InitPaths();
    EXPECT_EQ(p.ProgramFolder + "|" + p.CommandFilePath + "|" + p.LogPath + "|" + p.ExePath,
              "D:\\|D:\\Reboot.Txt|D:\\Quorvane.log|D:\\Quorvane.Exe");
    EXPECT_EQ(p.EnableBatchPath, "d:\\winnt\\\\EnbNic.bat");
}

class FormLoadTest : public ::testing::Test {
  protected:
    test::TestApp t;
    FrmIcon form{t.app};
};

TEST_F(FormLoadTest, StartUpLogsLoadsAndShowsTheIconOnTheFirstActivation) {
    t.clock.Set(12, 0);  // outside the default window once the settings are loaded
    t.timers.onTick = [&](int id) { form.OnTimer(id); };
    form.Form_Load();
    EXPECT_EQ(t.process.priorityRaised, 1);
    // Before the settings load the window is 0 to 0, always free: state 3.
    EXPECT_EQ(t.actions.calls, (Strings{"SetServiceTimerIntervals", "StartSockets",
                                        "WriteNicBatches", "ArmServiceTimers"}));
    EXPECT_EQ(t.app.IconState, 3);
    for (const auto& call : t.tray.calls)  // the window's first activation adds the icon
        EXPECT_NE(call.op, test::FakeTray::Op::Show);
    form.Form_Activate();
    EXPECT_EQ(t.tray.calls.back(), (test::FakeTray::Call{test::FakeTray::Op::Show, Picture::Green,
                                                         "Quorvane Helper by Dastrel."}));
    EXPECT_EQ(t.app.settings.PingInterval, 50);
    EXPECT_EQ(t.LogMessages(), Strings{"Dastrel's Quorvane Helper Started."});
    EXPECT_TRUE(t.ui.messages.empty());
    // The window's own timers run; the first minute comes after sixty seconds.
    EXPECT_EQ(t.timers.running,
              (std::map<int, uint32_t>{{kTmrMinuteAlarm, 60000}, {kTmrIconUpdate, 30000}}));
    t.timers.Run(59999);
    EXPECT_EQ(t.app.MinuteCount, 0);
    t.timers.Run(1);
    EXPECT_EQ(t.app.MinuteCount, 1);
}

TEST_F(FormLoadTest, SecondInstanceShowsItsMessageAndLeavesNoTrace) {
    t.process.otherInstanceRunning = true;
    EXPECT_THROW(form.Form_Load(), test::ProcessEnded);
    EXPECT_EQ(t.ui.messages, (std::vector<std::string>{"This Application is Already Running."}));
    EXPECT_EQ(t.ui.captions, (std::vector<std::string>{"Quorvane"}));
    EXPECT_TRUE(t.files.files.empty());
    EXPECT_TRUE(t.actions.calls.empty());
    EXPECT_TRUE(t.tray.calls.empty());
    EXPECT_EQ(t.process.priorityRaised, 0);
}

TEST_F(FormLoadTest, AStartByWindowsAndBadSettingsAreLoggedInOrder) {
    t.process.arguments = "x";  // any argument
    t.store.Put("NIC", "1:59");
    form.Form_Load();
    EXPECT_EQ(t.LogMessages(),
              (std::vector<std::string>{"GetSettings Unknown Error : 9",
                                        "Dastrel's Quorvane Helper Started with Windows."}));
    EXPECT_EQ(Last(t.tray), Picture::Yellow);
}

// The menu's Exit (below) logs the quit line; unloaded by Windows, the program removes the
// icon and stops the sockets once, without a quit line.
TEST_F(FormLoadTest, UnloadByWindowsRemovesTheIconAndStopsTheSocketsOnce) {
    form.Form_Load();
    form.Form_Activate();
    form.Form_Unload();
    form.Form_Unload();
    EXPECT_EQ(t.actions.Count("StopSockets"), 1);
    EXPECT_EQ(t.LogMessages(), Strings{"Dastrel's Quorvane Helper Started."});
    EXPECT_EQ(t.tray.calls.back().op, test::FakeTray::Op::Remove);
}

TEST(IconState, FollowsWindowModemAndErrorState) {
    test::TestApp t;
    t.app.settings.FreeStartHour = 2;
    t.app.settings.FreeEndHour = 8;
    t.clock.Set(3, 0);
    EXPECT_EQ(GetCurrentIconNo(t.app), 3);
    t.app.KeepAliveActive = true;
    EXPECT_EQ(GetCurrentIconNo(t.app), 4);
    t.clock.Set(9, 0);
    EXPECT_EQ(GetCurrentIconNo(t.app), 2);
    t.actions.modemReachable = true;
    EXPECT_EQ(GetCurrentIconNo(t.app), 1);
    t.app.IconState = 5;
    EXPECT_EQ(GetCurrentIconNo(t.app), 5);
    t.app.IconState = 0;
    FillTrayIconRecord(t.app);
    UpdateTrayIcon(t.app);  // an unknown state leaves the picture as it was
    EXPECT_EQ(Last(t.tray), Picture::WindowIcon);
    t.app.IconState = 4;
    UpdateTrayIcon(t.app);
    t.app.IconState = 0;
    UpdateTrayIcon(t.app);
    EXPECT_EQ(Last(t.tray), Picture::Blue);
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
    Picture LastIcon() const { return Last(t.tray); }

    test::TestApp t;
    FrmIcon form{t.app};
};

TEST_F(TrayTest, AnimationShowsFourFramesThenTheStateIconAfterOneSecond) {
    t.app.IconState = 2;
    t.timers.Run(100);
    TrayAnimate(t.app);
    std::vector<Picture> icons;
    std::vector<int64_t> times;
    for (int i = 0; i < 10; ++i) {
        size_t before = t.tray.calls.size();
        t.timers.Run(100);
        if (t.tray.calls.size() > before) {
            icons.push_back(LastIcon());
            times.push_back(t.timers.NowMs());
        }
        if (i == 3)
            TrayAnimate(t.app);  // while it runs: changes nothing
    }
    EXPECT_EQ(icons, (std::vector<Picture>{Picture::Frame1, Picture::Frame2, Picture::Frame3,
                                           Picture::Frame4, Picture::Green}));
    EXPECT_EQ(times, (std::vector<int64_t>{300, 500, 700, 900, 1100}));
    EXPECT_FALSE(t.app.tray.AnimationRunning);
    EXPECT_EQ(t.timers.running.count(kTmrIconAni), 0u);

    // The next animation starts again at frame 1.
    TrayAnimate(t.app);
    t.timers.Run(200);
    EXPECT_EQ(LastIcon(), Picture::Frame1);
}

TEST_F(TrayTest, RefreshWaitsForTheAnimationAndKeepsTheErrorState) {
    t.timers.Run(29500);
    TrayAnimate(t.app);
    t.actions.calls.clear();
    t.timers.Run(700);  // the 30 s refresh falls inside the animation
    EXPECT_EQ(t.actions.Count("ModemReachable"), 0);
    EXPECT_EQ(LastIcon(), Picture::Frame3);

    t.app.IconState = 5;
    t.timers.Run(2 * 60000);
    EXPECT_EQ(t.app.IconState, 5);
    EXPECT_EQ(LastIcon(), Picture::Yellow);
    t.actions.modemReachable = true;
    form.OnMenuCommand(kCmdLog);  // recomputed at once: red outside the window, modem answering
    EXPECT_EQ(t.app.IconState, 1);
    EXPECT_EQ(LastIcon(), Picture::Red);
}

TEST_F(TrayTest, ViewErrorLogStartsNotepadAndSaysSoWhenItCannot) {
    t.app.IconState = 5;
    form.mLog_Click();
    ASSERT_EQ(t.process.started.size(), 1u);
    EXPECT_EQ(t.process.started[0].first,
              "c:\\windows\\Notepad.exe C:\\Program Files\\Quorvane\\Quorvane.log");
    EXPECT_EQ(t.process.started[0].second, ShowCommand::Normal);
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_EQ(t.app.IconState, 2);

    t.app.IconState = 5;
    t.process.startSucceeds = false;
    form.mLog_Click();
    EXPECT_EQ(t.ui.messages,
              (std::vector<std::string>{"Unable to start Notepad to show the log : "
                                        "C:\\Program Files\\Quorvane\\Quorvane.log"}));
    EXPECT_EQ(t.ui.captions, (std::vector<std::string>{"Quorvane"}));
    EXPECT_EQ(t.app.IconState, 2);
    EXPECT_EQ(LastIcon(), Picture::Green);
}

TEST_F(TrayTest, OnlyDoubleClickAndRightButtonUpAct) {
    for (uint32_t m : {0x200u, 0x201u, 0x202u, 0x204u, 0x206u, 0x207u, 0x208u, 0x209u})
        form.OnTrayCallback(m);
    EXPECT_TRUE(t.actions.calls.empty());
    EXPECT_TRUE(t.menu.shown.empty());

    form.OnTrayCallback(0x203);
    EXPECT_EQ(t.actions.calls, (std::vector<std::string>{"ShowSettingsDialog"}));

    form.OnTrayCallback(0x205);  // closed without a choice
    ASSERT_EQ(t.menu.shown.size(), 1u);
    std::vector<std::string> captions;
    for (const MenuEntry& e : t.menu.shown[0])
        captions.push_back(e.IsSeparator() ? "-" : e.caption);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"&ViewErrorLog", "-", "&Settings", "-", "&Exit"}));
    EXPECT_EQ(t.actions.calls.size(), 1u);

    t.menu.choice = kCmdSettings;
    form.OnTrayCallback(0x205);
    EXPECT_EQ(t.actions.Count("ShowSettingsDialog"), 2);
    t.menu.choice = kCmdLog;
    form.OnTrayCallback(0x205);
    EXPECT_EQ(t.process.started.size(), 1u);
    t.menu.choice = kCmdExit;
    EXPECT_THROW(form.OnTrayCallback(0x205), test::ProcessEnded);
    EXPECT_EQ(t.LogMessages().back(), "Dastrel's Quorvane Helper Quitting.");
    EXPECT_EQ(t.actions.Count("UnloadSettingsDialog"), 1);
    EXPECT_EQ(t.actions.Count("StopSockets"), 1);
    EXPECT_EQ(t.tray.calls.back().op, test::FakeTray::Op::Remove);
}

TEST_F(TrayTest, TicksOfASwitchedOffTimerAreDropped) {
    form.OnTimer(kTmrShut);  // queued before it was switched off
    form.OnTimer(99);
    EXPECT_TRUE(t.actions.calls.empty());
    EXPECT_TRUE(t.files.files.empty());
    form.OnTimer(kTmrMinuteAlarm);
    EXPECT_EQ(t.app.MinuteCount, 1);
}

}  // namespace
}  // namespace qv
