// The event log, the network card's batch files and the program's paths.
#include <gtest/gtest.h>

#include "actions/EventLog.h"
#include "actions/Nic.h"
#include "app/App.h"
#include "tests/doubles/FakePlatform.h"

namespace qv::test {
namespace {

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
    EXPECT_EQ(t.tray.calls, Strings(2, "change 4"));  // for each log line, even one that is lost
    EXPECT_EQ(
        t.files.files,
        (std::map<std::string, std::string>{
            {"C:\\Program Files\\Quorvane\\Quorvane.log", "05/12/2026 19:42:28 >   first\r\n"},
            {"C:\\debug.log", "05/12/2026 19:42:28 >   x : 0\r\n"}}));
}

// The network card switched off, then on, with the batch folder writable or not and the batches
// starting or not: a missing batch is written before it runs, the user's edit survives the next
// write, each batch starts minimised, and each failure is one log line with the error state.
TEST(NicTest, BatchesAreWrittenWhenMissingKeptWhenEditedAndFailuresLogged) {
    const std::string batches =
        kDisable + ":Devcon disable =Net\r\nRem Devcon disable =Modem\r\n|" + kEnable +
        ":Devcon enable =Net\r\nRem Devcon enable =Modem\r\nRem edited\r\n|";
    const std::string fails = "Unable to Start : ", missing = "File Missing : ";
    const std::string started = "/" + kDisable + " " + kEnable + " /";
    // writable, starts; the batches, what started, the icon state, the log
    const std::tuple<bool, bool, std::string> rows[] = {
        {true, true, batches + started + "1/"},
        {true, false, batches + started + "5/" + fails + kDisable + "#" + fails + kEnable},
        {false, true, "//5/" + missing + kDisable + "#" + missing + kEnable},
    };
    for (const auto& [writable, starts, want] : rows) {
        TestApp t;
        if (!writable)
            t.files.readOnlyFolders = {"c:\\windows"};
        t.InitPaths();
        t.process.startSucceeds = starts;
        t.app.IconState = 1;
        DisableNIC(t.app.nicControl);
        if (writable)
            t.files.files[kEnable] += "Rem edited\r\n";
        WriteNicBatches(t.app.nicControl);
        EnableNIC(t.app.nicControl);
        std::string got;
        for (const std::string& path : {kDisable, kEnable})
            got += t.files.files.count(path) ? path + ":" + t.files.files[path] + "|" : "";
        got += "/";
        for (const auto& [command, show] : t.process.started)
            got += command + (show == ShowCommand::MinimizedFocused ? " " : "! ");
        EXPECT_EQ(got + "/" + std::to_string(t.app.IconState) + "/" + Join(t.LogMessages(), "#"),
                  want)
            << writable << starts;
    }
}

// At a drive root a single backslash; the Windows directory is taken as it comes, lower-cased.
// (The usual folder's paths are in every other test's files.)
TEST(ProgramPaths, AreBuiltFromTheExecutablePath) {
    TestApp t;
    t.process.exePath = "D:\\QUORVANE.exe";
    t.files.windowsDirectory = "Z:\\WinNT\\";
    t.InitPaths();
    const ProgramPaths& p = t.app.paths;
    EXPECT_EQ(p.ProgramFolder + " " + p.ExeBaseName + " " + p.ExePath + " " + p.CommandFilePath +
                  " " + p.LogPath + " " + p.DisableBatchPath + " " + p.EnableBatchPath,
              "D:\\ QUORVANE D:\\QUORVANE.Exe D:\\Reboot.Txt D:\\QUORVANE.log "
              "z:\\winnt\\\\DisNic.bat z:\\winnt\\\\EnbNic.bat");
}

}  // namespace
}  // namespace qv::test
