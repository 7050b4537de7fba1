// Windows-side checks of the platform layer the start-up relies on, against the real system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "actions/EventLog.h"
#include "actions/FileHelpers.h"
#include "app/App.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32SettingsStore.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

std::string TempFolder(const std::string& name) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    std::string folder =
        std::string(base) + "qv_" + name + "_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// An App whose files, clock and store are the real Windows ones.
struct WinApp {
    win32::Win32FileSystem files;
    win32::Win32Clock clock;
    win32::Win32SettingsStore store;
    test::TestApp doubles;
    Platform platform = doubles.Compose({.clock = &clock, .files = &files, .store = &store});
    App app{platform};
    WinApp() { app.SetActions(doubles.actions); }
};

TEST(Win32SettingsStore, RoundTripsThroughTheClassicRegistryPlace) {
    win32::Win32SettingsStore store;
    const std::string app = "QuorvaneWinTest";
    EXPECT_FALSE(store.Read(app, app, "PingInterval").has_value());
    store.Write(app, app, "PingInterval", "45");
    store.Write(app, app, "Empty", "");
    std::string big(100000, 'x');
    store.Write(app, app, "Big", big);
    EXPECT_EQ(store.Read(app, app, "PingInterval"), "45");
    EXPECT_EQ(store.Read(app, app, "Empty"), "");
    EXPECT_EQ(store.Read(app, app, "Big"), big);

    // The value really sits where earlier releases kept it, as REG_SZ.
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\VB and VBA Program Settings\\QuorvaneWinTest\\QuorvaneWinTest", 0,
                      KEY_READ, &key),
        ERROR_SUCCESS);
    char data[16] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    EXPECT_EQ(
        RegQueryValueExA(key, "PingInterval", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(data, "45");
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\QuorvaneWinTest");
}

TEST(Win32FileSystem, FileHelpersOnRealFiles) {
    WinApp w;
    std::string folder = TempFolder("files");
    std::string file = folder + "\\a.txt";
    EXPECT_FALSE(FileExists(w.app.os.files, folder));  // a folder is not a file
    EXPECT_FALSE(FileExists(w.app.os.files, file));
    EXPECT_TRUE(WriteTextFile(w.app.os.files, file, "0123456789"));
    EXPECT_TRUE(WriteTextFile(w.app.os.files, file, "abc"));  // from the start, not shortened
    EXPECT_TRUE(FileExists(w.app.os.files, file));
    EXPECT_EQ(ReadTextFile(w.app.os.files, file), "abc3456789\r\n");
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(Win32FileSystem, WriteLogFailsSilentlyWhenTheLogCannotBeWritten) {
    WinApp w;
    std::string folder = TempFolder("log");
    w.app.paths.LogPath = folder + "\\Quorvane.log";
    ASSERT_TRUE(w.app.log.WriteLog("first"));

    // Held open without sharing by another program, the log cannot be appended to.
    HANDLE locked = CreateFileA(w.app.paths.LogPath.c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(w.app.log.WriteLog("lost"));
    CloseHandle(locked);

    // A log path that names a folder, and one in a folder that does not exist.
    w.app.paths.LogPath = folder;
    EXPECT_FALSE(w.app.log.WriteLog("lost"));
    w.app.paths.LogPath = folder + "\\missing\\Quorvane.log";
    EXPECT_FALSE(w.app.log.WriteLog("lost"));

    w.app.paths.LogPath = folder + "\\Quorvane.log";
    EXPECT_TRUE(w.app.log.WriteLog("last"));
    std::string text = ReadTextFile(w.app.os.files, w.app.paths.LogPath);
    EXPECT_NE(text.find(">   first\r\n"), std::string::npos);
    EXPECT_NE(text.find(">   last\r\n"), std::string::npos);
    EXPECT_EQ(text.find("lost"), std::string::npos);
    EXPECT_EQ(w.doubles.tray.calls.size(), 5u);  // the tray is refreshed every time
    DeleteFileA(w.app.paths.LogPath.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(Win32Process, ArgumentsClockAndWindowsDirectoryFromTheSystem) {
    using win32::Win32Process;
    EXPECT_EQ(Win32Process::ArgumentsOf("\"C:\\Program Files\\Q\\Quorvane.exe\" /S"), "/S");
    EXPECT_EQ(Win32Process::ArgumentsOf("\"C:\\Program Files\\Q\\Quorvane.exe\""), "");
    EXPECT_EQ(Win32Process::ArgumentsOf("Quorvane.exe   x y"), "x y");

    WinApp w;
    EXPECT_GE(w.clock.Now().year, 2000);
    EXPECT_FALSE(w.clock.DateSeparator().empty() || w.clock.TimeSeparator().empty() ||
                 w.clock.DecimalSeparator().empty());
    // The Windows directory in lower case, without the NUL the call leaves behind.
    char raw[MAX_PATH] = {};
    GetWindowsDirectoryA(raw, MAX_PATH);
    EXPECT_EQ(WindowsDirectory(w.app.os.files), CharLowerA(raw));
    EXPECT_EQ(WindowsDirectory(w.app.os.files).find('\0'), std::string::npos);
}

}  // namespace
}  // namespace qv
