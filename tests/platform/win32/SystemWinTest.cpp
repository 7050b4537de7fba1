// The Win32 calls and records behind the job interfaces: the registry, the files, the
// shutdown's token sequence and the tray's record, against the real system or recorded.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "actions/FileHelpers.h"
#include "actions/Registry.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SettingsStore.h"
#include "platform/win32/Win32Tray.h"
#include "tests/doubles/FakePlatform.h"

namespace qv {
namespace {

// A registry value's type and bytes as stored, its NUL included; nothing when there is none.
std::optional<std::string> RawValue(HKEY root, const std::string& subKey, const std::string& name,
                                    DWORD& type) {
    win32::UniqueHKey key;
    char data[512] = {};
    DWORD size = sizeof data;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS ||
        RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data, size);
}

// Texts of any length, the empty one too, come back as they were written.
TEST(Win32SettingsStore, KeepsTextsOfAnyLength) {
    win32::Win32SettingsStore store;
    const std::string app = "QuorvaneWinTest";
    EXPECT_FALSE(store.Read(app, app, "PingInterval").has_value());
    for (const std::string& text : {std::string("45"), std::string(), std::string(100000, 'x')}) {
        store.Write(app, app, "PingInterval", text);
        EXPECT_EQ(store.Read(app, app, "PingInterval"), text);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\QuorvaneWinTest");
}

TEST(Win32Registry, RunValueIsTheUnquotedPathWithTheSwitchAndItsNul) {
    test::TestApp t;
    win32::Win32Registry registry;
    t.app.paths.ExeBaseName = "QuorvaneRunTest" + std::to_string(GetCurrentProcessId());
    t.app.paths.ExePath = "C:\\Program Files\\Quorvane Test\\" + t.app.paths.ExeBaseName + ".Exe";
    const std::string& name = t.app.paths.ExeBaseName;
    ASSERT_TRUE(AddToStartup(registry, t.app.paths));
    ASSERT_TRUE(AddToStartup(registry, t.app.paths));  // written again over itself
    DWORD type = 0;
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, win32::Win32Registry::kRunSubKey, name, type),
              t.app.paths.ExePath + " /S" + std::string(1, '\0'));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    RemoveFromStartup(registry, t.app.paths);
    EXPECT_FALSE(RawValue(HKEY_LOCAL_MACHINE, win32::Win32Registry::kRunSubKey, name, type));
    EXPECT_FALSE(registry.DeleteRunValue(name));  // nothing left to delete
    // A key that cannot be opened fails both calls and is not made.
    const std::string missing = "SOFTWARE\\QuorvaneNoSuchKey";
    EXPECT_FALSE(win32::Win32Registry::WriteRegString(HKEY_LOCAL_MACHINE, missing, "v", "x"));
    EXPECT_FALSE(win32::Win32Registry::DeleteRegValue(HKEY_LOCAL_MACHINE, missing, "v"));
    EXPECT_FALSE(RawValue(HKEY_LOCAL_MACHINE, missing, "v", type));
}

TEST(Win32FileSystem, WritesFromTheStartAndRefusesWhatItCannotWrite) {
    win32::Win32FileSystem files;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        temp + std::string("qv_files_") + std::to_string(GetCurrentProcessId());
    const std::string file = folder + "\\a.txt";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_FALSE(FileExists(files, folder));  // a folder is not a file
    EXPECT_TRUE(WriteTextFile(files, file, "0123456789"));
    EXPECT_TRUE(WriteTextFile(files, file, "abc"));  // from the start, not shortened
    EXPECT_EQ(ReadTextFile(files, file), "abc3456789\r\n");
    {
        // Held open without sharing by another program.
        win32::UniqueHandle locked(CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(locked.Valid());
        for (const std::string& path : {file, folder, folder + "\\missing\\b.txt"}) {
            EXPECT_FALSE(WriteTextFile(files, path, "lost")) << path;
            EXPECT_FALSE(files.AppendBytes(path, "lost")) << path;
        }
    }
    EXPECT_TRUE(files.AppendBytes(file, "\r\nd"));
    EXPECT_EQ(ReadTextFile(files, file), "abc3456789\r\nd\r\n");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(WindowsDirectory(files), CharLowerA(windows));  // lower case, no NUL left behind
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(Win32Process, ArgumentsFollowTheProgramsName) {
    for (const auto& [line, arguments] : std::vector<std::pair<std::string, std::string>>{
             {"\"C:\\Program Files\\Q\\Quorvane.exe\" /S", "/S"},
             {"\"C:\\Program Files\\Q\\Quorvane.exe\"", ""},
             {"Quorvane.exe   x y", "x y"}})
        EXPECT_EQ(win32::Win32Process::ArgumentsOf(line), arguments) << line;
}

// The words, each followed by a blank.
template <typename... T>
std::string Words(const T&... words) {
    std::ostringstream out;
    ((out << words << ' '), ...);
    return out.str();
}

TEST(Win32Power, EnablesThePrivilegeOnTheNtFamilyOnlyThenForcesTheShutdown) {
    // The calls with their arguments; the token is a real one of this process, so that it can
    // be seen to be closed again.
    std::vector<std::string> seen;
    DWORD version = 0;
    HANDLE token = nullptr;
    LUID luid{};
    win32::ShutdownCalls c;
    c.GetVersion = [&] { return seen.push_back("GetVersion"), version; };
    c.GetCurrentProcess = [&] { return seen.push_back("GetCurrentProcess"), HANDLE(42); };
    c.OpenProcessToken = [&](HANDLE process, DWORD access, HANDLE* out) {
        seen.push_back(Words("OpenProcessToken", process == HANDLE(42), access));
        return ::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token) && (*out = token);
    };
    c.LookupPrivilegeValueA = [&](LPCSTR system, LPCSTR name, LUID* out) {
        seen.push_back(Words("LookupPrivilegeValueA", "'" + std::string(system) + "'", name));
        return ::LookupPrivilegeValueA(system, name, &luid) && (*out = luid, luid.LowPart != 0);
    };
    c.AdjustTokenPrivileges = [&](HANDLE h, BOOL all, TOKEN_PRIVILEGES* p, DWORD length,
                                  TOKEN_PRIVILEGES* previous, DWORD* returned) {
        const LUID& wanted = p->Privileges[0].Luid;
        seen.push_back(Words("AdjustTokenPrivileges", h == token, all, p->PrivilegeCount,
                             wanted.LowPart == luid.LowPart && wanted.HighPart == luid.HighPart,
                             p->Privileges[0].Attributes, length, previous && returned));
        return TRUE;
    };
    c.ExitWindowsEx = [&](UINT flags, DWORD reason) {
        return seen.push_back(Words("ExitWindowsEx", flags, reason)), TRUE;
    };
    const std::vector<std::string> older = {"GetVersion", "ExitWindowsEx 5 4294967295 "};
    const std::vector<std::string> nt = {"GetVersion",
                                         "GetCurrentProcess",
                                         "OpenProcessToken 1 40 ",
                                         "LookupPrivilegeValueA '' SeShutdownPrivilege ",
                                         "AdjustTokenPrivileges 1 0 1 1 2 16 1 ",
                                         older[1]};
    // The family is told anew by every shutdown.
    win32::Win32Power power(c);
    for (const auto& [v, isNt, calls] :
         std::vector<std::tuple<DWORD, int, std::vector<std::string>>>{
             {0x0A280105, 1, nt}, {0xC0000A04, 0, older}, {0x1DB10106, 1, nt}}) {
        seen.clear();
        version = v;
        power.ShutDownWindows();
        EXPECT_EQ(power.IsWinNT(), isNt) << std::hex << v;
        EXPECT_EQ(seen, calls) << std::hex << v;
        DWORD flags = 0;
        EXPECT_FALSE(isNt && GetHandleInformation(token, &flags));  // the token was closed
    }
}

TEST(Win32Tray, SendsTheFirstLayoutsRecordWithThePictureAndTheTip) {
    std::vector<std::pair<DWORD, NOTIFYICONDATAA>> sent;
    win32::Win32Tray tray([&](DWORD message, NOTIFYICONDATAA* record) {
        return sent.emplace_back(message, *record), TRUE;
    });
    HWND window = reinterpret_cast<HWND>(0x4242);
    tray.Attach(window, GetModuleHandleA(nullptr));
    const std::string tip = "Quorvane Helper by Dastrel.", longTip(80, 'x'), cut(63, 'x');
    constexpr DWORD kNothing = ~DWORD{0};  // no request at all (NIM_ADD is 0)
    const struct {
        std::function<void()> call;
        DWORD message;
        Picture picture;
        std::string tip;
    } rows[] = {
        {[&] { tray.Change(Picture::WindowIcon, tip); }, NIM_MODIFY, Picture::WindowIcon, tip},
        {[&] { tray.Show(Picture::Green, tip); }, NIM_ADD, Picture::Green, tip},
        {[&] { tray.Change(Picture::Frame3, tip); }, NIM_MODIFY, Picture::Frame3, tip},
        {[&] { tray.Change(Picture::Yellow, longTip); }, NIM_MODIFY, Picture::Yellow, cut},
        {[&] { tray.Readd(); }, NIM_ADD, Picture::Yellow, cut},
        {[&] { tray.Remove(); }, NIM_DELETE, Picture::Yellow, cut},
        {[&] { tray.Readd(); }, kNothing, Picture::Yellow, ""},  // removed: nothing to put back
    };
    std::set<HICON> icons;
    for (const auto& row : rows) {
        const size_t before = sent.size();
        row.call();
        ASSERT_EQ(sent.size(), before + (row.message != kNothing)) << row.message;
        if (row.message == kNothing)
            continue;
        const auto& [message, d] = sent.back();
        EXPECT_EQ(message, row.message);
        EXPECT_EQ(d.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
        EXPECT_EQ(d.hWnd, window);
        EXPECT_EQ(d.uID, 1u);
        EXPECT_EQ(d.uFlags, 7u);
        EXPECT_EQ(d.uCallbackMessage, 0x200u);
        EXPECT_EQ(d.hIcon, tray.Icon(row.picture));
        icons.insert(d.hIcon);
        // The tip, its NUL, blanks and a NUL in the 64th byte; nothing past the first layout.
        std::string bytes = row.tip + '\0';
        bytes.resize(63, ' ');
        bytes.resize(sizeof d.szTip, '\0');
        EXPECT_EQ(std::string(d.szTip, sizeof d.szTip), bytes);
    }
    EXPECT_EQ(icons.size(), 4u);
    EXPECT_EQ(icons.count(nullptr), 0u);
}

}  // namespace
}  // namespace qv
