#include <gtest/gtest.h>

#include "app/Icon.h"
#include "app/PopupMenu.h"
#include "app/Scheduler.h"
#include "app/Timer.h"
#include "app/frmIcon.h"
#include "settings/GetSettings.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

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
    Picture LastIcon() const { return t.tray.LastPicture(); }

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
}

TEST_F(TrayTest, TicksOfASwitchedOffTimerAreDropped) {
    form.OnTimer(kTmrShut);  // queued before it was switched off
    form.OnTimer(99);
    EXPECT_TRUE(t.actions.calls.empty());
    EXPECT_TRUE(t.files.files.empty());
    form.OnTimer(kTmrMinuteAlarm);
    EXPECT_EQ(t.app.MinuteCount, 1);
}

TEST(FormTimers, StartWithTheWindowAndTheFirstMinuteComesAfterSixtySeconds) {
    test::TestApp t;
    FrmIcon form{t.app};
    t.timers.onTick = [&](int id) { form.OnTimer(id); };
    form.Form_Load();
    EXPECT_EQ(t.timers.running,
              (std::map<int, uint32_t>{{kTmrMinuteAlarm, 60000}, {kTmrIconUpdate, 30000}}));
    t.timers.Run(59999);
    EXPECT_EQ(t.app.MinuteCount, 0);
    t.timers.Run(1);
    EXPECT_EQ(t.app.MinuteCount, 1);
}

}  // namespace
}  // namespace qv
