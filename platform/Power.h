#pragma once
#include <cstdint>
#include <string>

namespace qv {

// An access token as the logic holds it; the platform layer owns the handle behind it.
// 0 means no token.
using TokenId = int32_t;

// A privilege's locally unique identifier.
struct PrivilegeLuid {
    uint32_t LowPart = 0;
    int32_t HighPart = 0;
};

// A privilege request of one entry, laid out as TOKEN_PRIVILEGES with one privilege.
struct TokenPrivilegeRequest {
    uint32_t PrivilegeCount = 0;
    PrivilegeLuid Luid;
    uint32_t Attributes = 0;
};
static_assert(sizeof(TokenPrivilegeRequest) == 16);

inline constexpr uint32_t kTokenAdjustPrivileges = 0x20;
inline constexpr uint32_t kTokenQuery = 0x08;
inline constexpr uint32_t kSePrivilegeEnabled = 2;
inline constexpr uint32_t kEwxShutdown = 1;
inline constexpr uint32_t kEwxForce = 4;

// The system version and the calls that switch the computer off.
class Power {
  public:
    virtual ~Power() = default;
    // GetVersion: bit 31 is 0 on the NT family.
    virtual uint32_t GetVersion() = 0;
    // Opens the running process's token with the access given; 0 when it cannot be opened.
    virtual TokenId OpenProcessToken(uint32_t desiredAccess) = 0;
    // LookupPrivilegeValueA; true when the identifier was found.
    virtual bool LookupPrivilegeValueA(const std::string& systemName, const std::string& name,
                                       PrivilegeLuid& luid) = 0;
    // AdjustTokenPrivileges with the request and its length, taking the previous state into a
    // record of the same length; true when the call succeeded.
    virtual bool AdjustTokenPrivileges(TokenId token, bool disableAll,
                                       const TokenPrivilegeRequest& request, uint32_t length) = 0;
    // Closes a token opened by OpenProcessToken.
    virtual void CloseToken(TokenId token) = 0;
    // ExitWindowsEx; true when Windows accepted the request.
    virtual bool ExitWindowsEx(uint32_t flags, uint32_t reason) = 0;
};

}  // namespace qv
