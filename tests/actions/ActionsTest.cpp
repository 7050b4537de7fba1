// The event log, the network card's batch files, the shutdown and the program's paths.
#include <gtest/gtest.h>

#include <array>

#include "actions/EventLog.h"
#include "actions/Nic.h"
#include "actions/ShutMod.h"
#include "app/App.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

using Files = std::map<std::string, std::string>;
const std::string kEnable = "c:\\windows\\EnbNic.bat", kDisable = "c:\\windows\\DisNic.bat";

TEST(EventLogTest, LinesGoToTheirFilesAndTheTrayIsRefreshedBeforeEachLogLine) {
    TestApp t;
    t.InitPaths();
    t.app.IconState = 5;
    EXPECT_TRUE(t.app.log.WriteLog("first"));
    std::string path = "C:\\\\debug.log";
    EXPECT_TRUE(t.app.log.WriteLogTo(path, "x : 0"));
    t.files.readOnlyFolders.insert("C:\\Program Files\\Quorvane");
    EXPECT_FALSE(t.app.log.WriteLog("lost"));
    EXPECT_EQ(t.tray.calls.size(), 2u);  // a refresh for each log line, even one that is lost
    EXPECT_EQ(t.tray.calls.back(), "change 4");
    EXPECT_EQ(
        t.files.files,
        (Files{{"C:\\Program Files\\Quorvane\\Quorvane.log", "05/12/2026 19:42:28 >   first\r\n"},
               {"C:\\debug.log", "05/12/2026 19:42:28 >   x : 0\r\n"}}));
}

TEST(NicTest, BatchesAreWrittenWhenMissingKeptWhenEditedAndReportedWhenUnwritable) {
    TestApp t;
    t.InitPaths();
    DisableNIC(t.app.nicControl);                // a missing file is written before it runs
    t.files.files[kEnable] += "Rem edited\r\n";  // the user's edit survives the next write
    WriteNicBatches(t.app.nicControl);
    EnableNIC(t.app.nicControl);
    const auto run = ShowCommand::MinimizedFocused;
    EXPECT_EQ(t.files.files,
              (Files{{kEnable, "Devcon enable =Net\r\nRem Devcon enable =Modem\r\nRem edited\r\n"},
                     {kDisable, "Devcon disable =Net\r\nRem Devcon disable =Modem\r\n"}}));
    EXPECT_EQ(t.process.started,
              (std::vector<std::pair<std::string, ShowCommand>>{{kDisable, run}, {kEnable, run}}));
    TestApp r;
    r.files.readOnlyFolders = {"c:\\windows"};
    r.InitPaths();
    DisableNIC(r.app.nicControl);
    EnableNIC(r.app.nicControl);
    EXPECT_EQ(r.LogMessages(),
              (Strings{"File Missing : " + kDisable, "File Missing : " + kEnable}));
    EXPECT_TRUE(r.process.started.empty());
}

TEST(NicTest, ABatchFileThatDoesNotStartIsReportedAndOneThatStartsAddsNothing) {
    // starts, the switch, what the log holds afterwards, the icon state
    const std::tuple<bool, void (*)(const NicControl&), Strings, int32_t> rows[] = {
        {true, EnableNIC, {"Enable Nic Command Issued."}, 1},
        {true, DisableNIC, {"Enable Nic Command Issued."}, 1},
        {false, EnableNIC, {"Enable Nic Command Issued.", "Unable to Start : " + kEnable}, 5},
        {false, DisableNIC, {"Enable Nic Command Issued.", "Unable to Start : " + kDisable}, 5},
    };
    for (const auto& [starts, nicSwitch, log, iconState] : rows) {
        TestApp t;
        t.InitPaths();
        WriteNicBatches(t.app.nicControl);
        t.app.IconState = 1;
        t.process.startSucceeds = starts;
        t.app.log.WriteLog("Enable Nic Command Issued.");  // the caller's line
        nicSwitch(t.app.nicControl);
        EXPECT_EQ(t.LogMessages(), log) << starts;
        EXPECT_EQ(t.app.IconState, iconState) << starts;
    }
}

TEST(ShutDownTest, LogsTheTrafficTotalWhenBytesWereFetchedThenShutsDownOnce) {
    const std::tuple<int64_t, const char*, Strings> rows[] = {
        {0, ".", {}},  // nothing fetched: no traffic line, the shutdown all the same
        {512, ".", {"Total Data Downloaded for Connectivity : 0.5 KB."}},
        {1536, ",", {"Total Data Downloaded for Connectivity : 1,5 KB."}},
    };
    for (const auto& [bytes, separator, log] : rows) {
        TestApp t;
        t.InitPaths();
        t.clock.decimalSeparator = separator;
        t.app.traffic.TotalBytesDownloaded = bytes;
        Strings atShutdown = {"none"};
        t.power.onShutDown = [&] { atShutdown = t.LogMessages(); };
        ShutDownPC(t.app.shutdownControl);
        EXPECT_EQ(atShutdown, log) << bytes;  // the line comes first
        EXPECT_EQ(t.power.shutdowns, 1) << bytes;
    }
}

TEST(ProgramPaths, AreBuiltFromTheExecutablePath) {
    const std::array<std::string, 3> rows[] = {
        {"C:\\Program Files\\Quorvane\\QUORVANE.EXE", "C:\\WINDOWS",
         "C:\\Program Files\\Quorvane QUORVANE C:\\Program Files\\Quorvane\\QUORVANE.Exe "
         "C:\\Program Files\\Quorvane\\Reboot.Txt C:\\Program Files\\Quorvane\\QUORVANE.log "
         "c:\\windows\\DisNic.bat c:\\windows\\EnbNic.bat"},
        // At a drive root a single backslash; the Windows directory is taken as it comes.
        {"D:\\Quorvane.exe", "Z:\\WinNT\\",
         "D:\\ Quorvane D:\\Quorvane.Exe D:\\Reboot.Txt D:\\Quorvane.log z:\\winnt\\\\DisNic.bat "
         "z:\\winnt\\\\EnbNic.bat"}};
    for (const auto& [exe, windows, paths] : rows) {
        TestApp t;
        t.process.exePath = exe;
        t.files.windowsDirectory = windows;
        t.InitPaths();
        const ProgramPaths& p = t.app.paths;
        EXPECT_EQ(p.ProgramFolder + " " + p.ExeBaseName + " " + p.ExePath + " " +
                      p.CommandFilePath + " " + p.LogPath + " " + p.DisableBatchPath + " " +
                      p.EnableBatchPath,
                  paths);
    }
}

}  // namespace
}  // namespace qv::test
