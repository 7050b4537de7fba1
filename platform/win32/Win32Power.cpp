#include "platform/win32/Win32Power.h"

namespace qv::win32 {

static_assert(sizeof(TOKEN_PRIVILEGES) == sizeof(TokenPrivilegeRequest));

uint32_t Win32Power::GetVersion() {
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    return ::GetVersion();
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
}

TokenId Win32Power::OpenProcessToken(uint32_t desiredAccess) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), desiredAccess, &token))
        return 0;
    TokenId id = nextId_++;
    tokens_.emplace(id, UniqueHandle(token));
    return id;
}

bool Win32Power::LookupPrivilegeValueA(const std::string& systemName, const std::string& name,
                                       PrivilegeLuid& luid) {
    LUID value{};
    if (!::LookupPrivilegeValueA(systemName.c_str(), name.c_str(), &value))
        return false;
    luid.LowPart = value.LowPart;
    luid.HighPart = value.HighPart;
    return true;
}

bool Win32Power::AdjustTokenPrivileges(TokenId token, bool disableAll,
                                       const TokenPrivilegeRequest& request, uint32_t length) {
    auto it = tokens_.find(token);
    if (it == tokens_.end())
        return false;
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = request.PrivilegeCount;
    wanted.Privileges[0].Luid.LowPart = request.Luid.LowPart;
    wanted.Privileges[0].Luid.HighPart = request.Luid.HighPart;
    wanted.Privileges[0].Attributes = request.Attributes;
    TOKEN_PRIVILEGES previous{};
    DWORD returned = 0;
    // The previous state goes into a record of the request's length, never past its end.
    DWORD bufferLength = length < sizeof previous ? length : static_cast<DWORD>(sizeof previous);
    return ::AdjustTokenPrivileges(it->second.Get(), disableAll ? TRUE : FALSE, &wanted,
                                   bufferLength, &previous, &returned) != FALSE;
}

void Win32Power::CloseToken(TokenId token) {
    tokens_.erase(token);
}

bool Win32Power::ExitWindowsEx(uint32_t flags, uint32_t reason) {
    return ::ExitWindowsEx(flags, reason) != FALSE;
}

}  // namespace qv::win32
