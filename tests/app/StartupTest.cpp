#include <gtest/gtest.h>

#include "app/Globals.h"
#include "app/Icon.h"
#include "app/frmIcon.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

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

TEST_F(FormLoadTest, RunsTheStartUpStepsInOrder) {
    t.clock.Set(12, 0);  // outside the default window once the settings are loaded
    form.Form_Load();
    EXPECT_EQ(t.process.priorityRaised, 1);
    // Before the settings load the window is 0 to 0, always free: state 3.
    EXPECT_EQ(t.actions.calls, (std::vector<std::string>{"SetServiceTimerIntervals", "StartSockets",
                                                         "WriteNicBatches", "ArmServiceTimers"}));
    EXPECT_EQ(t.app.IconState, 3);
    EXPECT_FALSE(t.tray.shown);  // the window's first activation adds the icon
    form.Form_Activate();
    EXPECT_TRUE(t.tray.shown);
    EXPECT_EQ(t.tray.picture, Picture::Green);
    EXPECT_EQ(t.tray.tip, "Quorvane Helper by Dastrel.");
    EXPECT_EQ(t.app.settings.PingInterval, 50);
    EXPECT_EQ(t.LogMessages(), (std::vector<std::string>{"Dastrel's Quorvane Helper Started."}));
    EXPECT_TRUE(t.ui.messages.empty());
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
    EXPECT_EQ(t.tray.LastPicture(), Picture::Yellow);
}

TEST_F(FormLoadTest, ExitRemovesTheIconLogsTheQuitLineAndEnds) {
    form.Form_Load();
    t.tray.calls.clear();
    t.actions.calls.clear();
    EXPECT_THROW(form.mExit_Click(), test::ProcessEnded);
    EXPECT_EQ(t.actions.calls.front(), "UnloadSettingsDialog");
    EXPECT_EQ(t.LogMessages().back(), "Dastrel's Quorvane Helper Quitting.");
    ASSERT_GE(t.tray.calls.size(), 2u);
    EXPECT_EQ(t.tray.calls.front().op, test::FakeTray::Op::Remove);
    EXPECT_EQ(t.tray.calls.back().op, test::FakeTray::Op::Remove);
    EXPECT_EQ(t.actions.Count("StopSockets"), 1);

    // Unloaded by Windows: no quit line, and the sockets stop once.
    test::TestApp other;
    FrmIcon byWindows{other.app};
    byWindows.Form_Load();
    byWindows.Form_Unload();
    byWindows.Form_Unload();
    EXPECT_EQ(other.actions.Count("StopSockets"), 1);
    EXPECT_EQ(other.LogMessages().back(), "Dastrel's Quorvane Helper Started.");
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
    EXPECT_EQ(t.tray.LastPicture(), Picture::WindowIcon);
    t.app.IconState = 4;
    UpdateTrayIcon(t.app);
    t.app.IconState = 0;
    UpdateTrayIcon(t.app);
    EXPECT_EQ(t.tray.LastPicture(), Picture::Blue);
}

}  // namespace
}  // namespace qv
