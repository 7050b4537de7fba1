#include "win32/Win32Power.h"

#include "win32/Handles.h"

namespace qv::win32 {

static_assert(sizeof(TOKEN_PRIVILEGES) == 16, "one privilege, as the request is laid out");
static_assert((EWX_SHUTDOWN | EWX_FORCE) == 5);
static_assert((TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY) == 0x28);

ShutdownCalls ShutdownCalls::System() {
    ShutdownCalls calls;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    calls.GetVersion = [] { return ::GetVersion(); };
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    calls.GetCurrentProcess = [] { return ::GetCurrentProcess(); };
    calls.OpenProcessToken = [](HANDLE process, DWORD access, HANDLE* token) {
        return ::OpenProcessToken(process, access, token);
    };
    calls.LookupPrivilegeValueA = [](LPCSTR system, LPCSTR name, LUID* luid) {
        return ::LookupPrivilegeValueA(system, name, luid);
    };
    calls.AdjustTokenPrivileges = [](HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* wanted,
                                     DWORD length, TOKEN_PRIVILEGES* previous, DWORD* returned) {
        return ::AdjustTokenPrivileges(token, disableAll, wanted, length, previous, returned);
    };
    calls.ExitWindowsEx = [](UINT flags, DWORD reason) { return ::ExitWindowsEx(flags, reason); };
    return calls;
}

AwakeCalls AwakeCalls::System() {
    AwakeCalls calls;
    calls.SetThreadExecutionState = [](EXECUTION_STATE flags) {
        return ::SetThreadExecutionState(flags);
    };
    calls.CreateWaitableTimerA = [] { return ::CreateWaitableTimerA(nullptr, TRUE, nullptr); };
    calls.SetWaitableTimer = [](HANDLE timer, const LARGE_INTEGER* due, BOOL resume) {
        return ::SetWaitableTimer(timer, due, 0, nullptr, nullptr, resume);
    };
    calls.CancelWaitableTimer = [](HANDLE timer) { return ::CancelWaitableTimer(timer); };
    calls.LocalFileTimeToFileTime = [](const FILETIME* local, FILETIME* utc) {
        return ::LocalFileTimeToFileTime(local, utc);
    };
    return calls;
}

void Win32Power::KeepSystemAwake(bool on) {
    awake_.SetThreadExecutionState(on ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

void Win32Power::SetWakeTimer(const LocalTime& due) {
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(due.year);
    local.wMonth = static_cast<WORD>(due.month);
    local.wDay = static_cast<WORD>(due.day);
    local.wHour = static_cast<WORD>(due.hour);
    local.wMinute = static_cast<WORD>(due.minute);
    local.wSecond = static_cast<WORD>(due.second);
    FILETIME localFile{}, utc{};
    if (!SystemTimeToFileTime(&local, &localFile) ||
        !awake_.LocalFileTimeToFileTime(&localFile, &utc))
        return;
    LARGE_INTEGER at{};
    at.LowPart = utc.dwLowDateTime;
    at.HighPart = static_cast<LONG>(utc.dwHighDateTime);
    if (!wakeTimer_.Valid())
        wakeTimer_.Reset(awake_.CreateWaitableTimerA());
    if (wakeTimer_.Valid())
        awake_.SetWaitableTimer(wakeTimer_.Get(), &at, TRUE);
}

void Win32Power::CancelWakeTimer() {
    if (wakeTimer_.Valid())
        awake_.CancelWaitableTimer(wakeTimer_.Get());
}

void Win32Power::ShutDownWindows() {
    CheckWinNT();
    if (isWinNT_ == 1)
        EnableShutdownPrivilege();
    calls_.ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE, 0xFFFFFFFFu);
}

void Win32Power::EnableShutdownPrivilege() {
    UniqueHandle token;
    calls_.OpenProcessToken(calls_.GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                            token.Put());
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    calls_.LookupPrivilegeValueA("", "SeShutdownPrivilege", &wanted.Privileges[0].Luid);
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TOKEN_PRIVILEGES previous{};
    DWORD returned = 0;
    // No result is looked at: without the privilege Windows refuses the shutdown, and the next
    // shutdown trigger tries again.
    calls_.AdjustTokenPrivileges(token.Get(), FALSE, &wanted, sizeof wanted, &previous, &returned);
}

void Win32Power::CheckWinNT() {
    isWinNT_ = (calls_.GetVersion() & 0x80000000u) == 0 ? 1 : 0;
}

}  // namespace qv::win32
