#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/Power.h"

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

// Shuts Windows down at once, forced, with the shutdown privilege enabled first on the NT
// family.
class Win32Power : public Power {
  public:
    explicit Win32Power(ShutdownCalls calls = ShutdownCalls::System()) : calls_(std::move(calls)) {}

    // CheckWinNT, EnableShutdownPrivilege on the NT family, then ExitWindowsEx with
    // EWX_SHUTDOWN | EWX_FORCE and the reason 0xFFFFFFFF. No result is looked at.
    void ShutDownWindows() override;
    // Opens the process's token for TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, looks up
    // "SeShutdownPrivilege" on the local system and enables it.
    void EnableShutdownPrivilege();
    // Sets IsWinNT from bit 31 of GetVersion: 1 when it is clear (the NT family), else 0.
    void CheckWinNT();

    int32_t IsWinNT() const { return isWinNT_; }

  private:
    ShutdownCalls calls_;
    int32_t isWinNT_ = 0;
};

}  // namespace qv::win32
