// The shutdown's system calls and their arguments, through stand-ins: nothing is switched off.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Power.h"

namespace qv {
namespace {

using win32::ShutdownCalls;
using win32::Win32Power;

// What the stand-ins were called with. The token is a real one of this process, so that it
// can be seen to be closed again.
struct Seen {
    DWORD version = 0;
    std::vector<std::string> calls;
    HANDLE process = nullptr;
    DWORD access = 0;
    HANDLE token = nullptr;
    std::string system, privilege;
    LUID luid{};
    HANDLE adjustedToken = nullptr;
    BOOL disableAll = TRUE;
    TOKEN_PRIVILEGES wanted{};
    DWORD length = 0;
    bool previousGiven = false;
    std::vector<std::pair<UINT, DWORD>> exits;
};

ShutdownCalls StandIns(Seen& seen) {
    ShutdownCalls c;
    c.GetVersion = [&seen] {
        seen.calls.push_back("GetVersion");
        return seen.version;
    };
    c.GetCurrentProcess = [&seen] {
        seen.calls.push_back("GetCurrentProcess");
        return ::GetCurrentProcess();
    };
    c.OpenProcessToken = [&seen](HANDLE process, DWORD access, HANDLE* token) {
        seen.calls.push_back("OpenProcessToken");
        seen.process = process;
        seen.access = access;
        const BOOL ok = ::OpenProcessToken(process, TOKEN_QUERY, token);
        seen.token = *token;
        return ok;
    };
    c.LookupPrivilegeValueA = [&seen](LPCSTR system, LPCSTR name, LUID* luid) {
        seen.calls.push_back("LookupPrivilegeValueA");
        seen.system = system;
        seen.privilege = name;
        return ::LookupPrivilegeValueA(system, name, luid) && (seen.luid = *luid, true);
    };
    c.AdjustTokenPrivileges = [&seen](HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* wanted,
                                      DWORD length, TOKEN_PRIVILEGES* previous, DWORD* returned) {
        seen.calls.push_back("AdjustTokenPrivileges");
        seen.adjustedToken = token;
        seen.disableAll = disableAll;
        seen.wanted = *wanted;
        seen.length = length;
        seen.previousGiven = previous != nullptr && returned != nullptr;
        return TRUE;
    };
    c.ExitWindowsEx = [&seen](UINT flags, DWORD reason) {
        seen.calls.push_back("ExitWindowsEx");
        seen.exits.emplace_back(flags, reason);
        return TRUE;
    };
    return c;
}

TEST(ShutDownWindows, EnablesThePrivilegeOnTheNtFamilyOnlyThenForcesTheShutdown) {
    using Calls = std::vector<std::string>;
    struct Row {
        DWORD version;
        int32_t isWinNT;
        Calls calls;
    } rows[] = {
        {0x0A280105,
         1,
         {"GetVersion", "GetCurrentProcess", "OpenProcessToken", "LookupPrivilegeValueA",
          "AdjustTokenPrivileges", "ExitWindowsEx"}},
        {0xC0000A04, 0, {"GetVersion", "ExitWindowsEx"}},  // the older family: asked directly
        {0x1DB10106, 1, {}},                               // and the check is made anew
    };
    Seen seen;
    Win32Power power(StandIns(seen));
    for (const Row& row : rows) {
        seen = Seen{};
        seen.version = row.version;
        power.ShutDownWindows();
        EXPECT_EQ(power.IsWinNT(), row.isWinNT) << std::hex << row.version;
        if (!row.calls.empty()) {
            EXPECT_EQ(seen.calls, row.calls) << std::hex << row.version;
        }
        EXPECT_EQ(seen.exits, (std::vector<std::pair<UINT, DWORD>>{{5u, 0xFFFFFFFFu}}));
        if (row.isWinNT == 0)
            continue;
        EXPECT_EQ(seen.process, ::GetCurrentProcess());
        EXPECT_EQ(seen.access, 0x28u);  // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
        EXPECT_EQ(seen.system, "");
        EXPECT_EQ(seen.privilege, "SeShutdownPrivilege");
        ASSERT_NE(seen.token, nullptr);
        EXPECT_EQ(seen.adjustedToken, seen.token);
        EXPECT_EQ(seen.disableAll, FALSE);
        EXPECT_EQ(seen.wanted.PrivilegeCount, 1u);
        EXPECT_NE(seen.luid.LowPart, 0u);  // found on the local system
        EXPECT_EQ(seen.wanted.Privileges[0].Luid.LowPart, seen.luid.LowPart);
        EXPECT_EQ(seen.wanted.Privileges[0].Luid.HighPart, seen.luid.HighPart);
        EXPECT_EQ(seen.wanted.Privileges[0].Attributes, 2u);  // SE_PRIVILEGE_ENABLED
        EXPECT_EQ(seen.length, 16u);
        EXPECT_TRUE(seen.previousGiven);
        DWORD flags = 0;
        EXPECT_FALSE(GetHandleInformation(seen.token, &flags));  // the token was closed
    }
}

}  // namespace
}  // namespace qv
