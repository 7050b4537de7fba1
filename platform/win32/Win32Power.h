#pragma once
#include <windows.h>

#include <map>

#include "platform/Power.h"
#include "platform/win32/Handles.h"

namespace qv::win32 {

// The version query, the process token's privileges and ExitWindowsEx.
class Win32Power : public Power {
  public:
    Win32Power() = default;
    Win32Power(const Win32Power&) = delete;
    Win32Power& operator=(const Win32Power&) = delete;

    uint32_t GetVersion() override;
    TokenId OpenProcessToken(uint32_t desiredAccess) override;
    bool LookupPrivilegeValueA(const std::string& systemName, const std::string& name,
                               PrivilegeLuid& luid) override;
    bool AdjustTokenPrivileges(TokenId token, bool disableAll, const TokenPrivilegeRequest& request,
                               uint32_t length) override;
    void CloseToken(TokenId token) override;
    bool ExitWindowsEx(uint32_t flags, uint32_t reason) override;

  private:
    std::map<TokenId, UniqueHandle> tokens_;
    TokenId nextId_ = 1;
};

}  // namespace qv::win32
