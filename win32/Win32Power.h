#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/Power.h"
#include "win32/Handles.h"

namespace qv::win32 {

// The system calls a shutdown makes, in one table so that a test can stand in for them and
// see their arguments without switching its machine off.
struct ShutdownCalls {
    std::function<DWORD()> GetVersion;
    std::function<HANDLE()> GetCurrentProcess;
    std::function<BOOL(HANDLE process, DWORD access, HANDLE* token)> OpenProcessToken;
    std::function<BOOL(LPCSTR system, LPCSTR name, LUID* luid)> LookupPrivilegeValueA;
    std::function<BOOL(HANDLE token, BOOL disableAll, TOKEN_PRIVILEGES* wanted, DWORD length,
                       TOKEN_PRIVILEGES* previous, DWORD* returned)>
        AdjustTokenPrivileges;
    std::function<BOOL(UINT flags, DWORD reason)> ExitWindowsEx;

    // The real calls of the system.
    static ShutdownCalls System();
};

// The system calls that keep the computer awake and wake it, in one table for the same reason.
struct AwakeCalls {
    std::function<EXECUTION_STATE(EXECUTION_STATE flags)> SetThreadExecutionState;
    std::function<HANDLE()> CreateWaitableTimerA;  // manual reset, no name
    // The due time as SetWaitableTimer takes it: positive, absolute, in UTC.
    std::function<BOOL(HANDLE timer, const LARGE_INTEGER* due, BOOL resume)> SetWaitableTimer;
    std::function<BOOL(HANDLE timer)> CancelWaitableTimer;
    std::function<BOOL(const FILETIME* local, FILETIME* utc)> LocalFileTimeToFileTime;

    // The real calls of the system.
    static AwakeCalls System();
};

// Shuts Windows down at once, forced, with the shutdown privilege enabled first on the NT
// family; keeps the computer running on request (ES_SYSTEM_REQUIRED, never the display) and
// holds the one waitable timer that resumes it.
class Win32Power : public Power {
  public:
    explicit Win32Power(ShutdownCalls calls = ShutdownCalls::System(),
                        AwakeCalls awake = AwakeCalls::System())
        : calls_(std::move(calls)), awake_(std::move(awake)) {}

    // CheckWinNT, EnableShutdownPrivilege on the NT family, then ExitWindowsEx with
    // EWX_SHUTDOWN | EWX_FORCE and the reason 0xFFFFFFFF. No result is looked at.
    void ShutDownWindows() override;
    // Opens the process's token for TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, looks up
    // "SeShutdownPrivilege" on the local system and enables it.
    void EnableShutdownPrivilege();
    // Sets IsWinNT from bit 31 of GetVersion: 1 when it is clear (the NT family), else 0.
    void CheckWinNT();

    // ES_CONTINUOUS | ES_SYSTEM_REQUIRED, or ES_CONTINUOUS alone to give the request back.
    void KeepSystemAwake(bool on) override;
    // The local time made UTC, set with no period and the resume flag; the timer is made the
    // first time.
    void SetWakeTimer(const LocalTime& due) override;
    void CancelWakeTimer() override;

    int32_t IsWinNT() const { return isWinNT_; }

  private:
    ShutdownCalls calls_;
    AwakeCalls awake_;
    int32_t isWinNT_ = 0;
    UniqueHandle wakeTimer_;
};

}  // namespace qv::win32
